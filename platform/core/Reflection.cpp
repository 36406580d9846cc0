#include "platform/core/Reflection.h"

#include "platform/core/Component.h"
#include "platform/core/StrUtils.h"

#include <algorithm>
#include <map>

// ---------------------------------------------------------------------------------------
// Type information

std::string TTypeInfo::EnumName(std::int64_t ordinal) const
{
    if (ordinal < 0 || ordinal >= std::int64_t(EnumNames.size()))
        return {};
    return EnumNames[std::size_t(ordinal)];
}

int TTypeInfo::EnumOrdinal(std::string_view name) const
{
    for (std::size_t i = 0; i < EnumNames.size(); ++i)
        if (SameText(EnumNames[i], name))
            return int(i);
    return -1;
}

std::int64_t TTypeInfo::SetMask() const
{
    const int count = ElementType ? ElementType->EnumCount() : 0;
    return count >= 64 ? -1 : (std::int64_t(1) << count) - 1;
}

TTypeInfo TTypeInfo::Enumeration(std::string name, std::string_view valueList)
{
    TTypeInfo info;
    info.Kind = tkEnumeration;
    info.Name = std::move(name);
    while (!valueList.empty()) {
        const std::size_t comma = valueList.find(',');
        std::string value = Trim(valueList.substr(0, comma));
        if (!value.empty())
            info.EnumNames.push_back(std::move(value));
        valueList = comma == std::string_view::npos ? std::string_view() : valueList.substr(comma + 1);
    }
    return info;
}

TTypeInfo TTypeInfo::SetOf(const TTypeInfo& element)
{
    TTypeInfo info;
    info.Kind = tkSet;
    info.Name = "set of " + element.Name;
    info.ElementType = &element;
    const int count = element.EnumCount();
    info.SetBits = count <= 8 ? 8 : count <= 16 ? 16 : 32;
    return info;
}

namespace {

TTypeInfo Simple(TTypeKind kind, std::string name)
{
    TTypeInfo info;
    info.Kind = kind;
    info.Name = std::move(name);
    return info;
}

}  // namespace

const TTypeInfo& TTypeInfo::Boolean()
{
    static const TTypeInfo info = Enumeration("Boolean", "False, True");
    return info;
}

const TTypeInfo& TTypeInfo::Integer()
{
    static const TTypeInfo info = Simple(tkInteger, "Integer");
    return info;
}

#define PRAVIX_COLOR_NAME(name) \
    {                           \
#name, name             \
    }

const TTypeInfo& TTypeInfo::Color()
{
    static const TTypeInfo info = [] {
        TTypeInfo t = Simple(tkInteger, "TColor");
        t.ValueNames = {
            PRAVIX_COLOR_NAME(clBlack),         PRAVIX_COLOR_NAME(clMaroon),
            PRAVIX_COLOR_NAME(clGreen),         PRAVIX_COLOR_NAME(clOlive),
            PRAVIX_COLOR_NAME(clNavy),          PRAVIX_COLOR_NAME(clPurple),
            PRAVIX_COLOR_NAME(clTeal),          PRAVIX_COLOR_NAME(clGray),
            PRAVIX_COLOR_NAME(clSilver),        PRAVIX_COLOR_NAME(clRed),
            PRAVIX_COLOR_NAME(clLime),          PRAVIX_COLOR_NAME(clYellow),
            PRAVIX_COLOR_NAME(clBlue),          PRAVIX_COLOR_NAME(clFuchsia),
            PRAVIX_COLOR_NAME(clAqua),          PRAVIX_COLOR_NAME(clWhite),
            PRAVIX_COLOR_NAME(clNone),          PRAVIX_COLOR_NAME(clDefault),
            PRAVIX_COLOR_NAME(clScrollBar),     PRAVIX_COLOR_NAME(clBackground),
            PRAVIX_COLOR_NAME(clActiveCaption), PRAVIX_COLOR_NAME(clInactiveCaption),
            PRAVIX_COLOR_NAME(clMenu),          PRAVIX_COLOR_NAME(clWindow),
            PRAVIX_COLOR_NAME(clWindowFrame),   PRAVIX_COLOR_NAME(clMenuText),
            PRAVIX_COLOR_NAME(clWindowText),    PRAVIX_COLOR_NAME(clCaptionText),
            PRAVIX_COLOR_NAME(clActiveBorder),  PRAVIX_COLOR_NAME(clInactiveBorder),
            PRAVIX_COLOR_NAME(clAppWorkSpace),  PRAVIX_COLOR_NAME(clHighlight),
            PRAVIX_COLOR_NAME(clHighlightText), PRAVIX_COLOR_NAME(clBtnFace),
            PRAVIX_COLOR_NAME(clBtnShadow),     PRAVIX_COLOR_NAME(clGrayText),
            PRAVIX_COLOR_NAME(clBtnText),       PRAVIX_COLOR_NAME(clInactiveCaptionText),
            PRAVIX_COLOR_NAME(clBtnHighlight),  PRAVIX_COLOR_NAME(cl3DDkShadow),
            PRAVIX_COLOR_NAME(cl3DLight),       PRAVIX_COLOR_NAME(clInfoText),
            PRAVIX_COLOR_NAME(clInfoBk),
        };
        return t;
    }();
    return info;
}

#undef PRAVIX_COLOR_NAME

std::string TTypeInfo::ValueName(std::int64_t value) const
{
    for (const auto& [name, named] : ValueNames)
        if (named == value)
            return name;
    return {};
}

std::optional<std::int64_t> TTypeInfo::NamedValue(std::string_view name) const
{
    for (const auto& [named, value] : ValueNames)
        if (SameText(named, name))
            return value;
    return std::nullopt;
}

const TTypeInfo& TTypeInfo::Int64()
{
    static const TTypeInfo info = Simple(tkInt64, "Int64");
    return info;
}

const TTypeInfo& TTypeInfo::Char()
{
    static const TTypeInfo info = Simple(tkChar, "Char");
    return info;
}

const TTypeInfo& TTypeInfo::WChar()
{
    static const TTypeInfo info = Simple(tkWChar, "WideChar");
    return info;
}

const TTypeInfo& TTypeInfo::String()
{
    static const TTypeInfo info = Simple(tkString, "String");
    return info;
}

const TTypeInfo& TTypeInfo::Float(TFloatType type)
{
    static const TTypeInfo single = [] {
        TTypeInfo t = Simple(tkFloat, "Single");
        t.FloatType = ftSingle;
        return t;
    }();
    static const TTypeInfo dbl = Simple(tkFloat, "Double");
    static const TTypeInfo extended = [] {
        TTypeInfo t = Simple(tkFloat, "Extended");
        t.FloatType = ftExtended;
        return t;
    }();
    return type == ftSingle ? single : type == ftDouble ? dbl : extended;
}

const TTypeInfo& TTypeInfo::Method()
{
    static const TTypeInfo info = Simple(tkMethod, "Method");
    return info;
}

const TTypeInfo& TTypeInfo::Variant()
{
    static const TTypeInfo info = Simple(tkVariant, "Variant");
    return info;
}

const TTypeInfo& TTypeInfo::Interface()
{
    static const TTypeInfo info = Simple(tkInterface, "Interface");
    return info;
}

// ---------------------------------------------------------------------------------------
// Property descriptors

bool TPropInfo::IsOrdinalKind(TTypeKind kind)
{
    return kind == tkInteger || kind == tkChar || kind == tkEnumeration || kind == tkSet || kind == tkWChar ||
           kind == tkInt64;
}

bool TPropInfo::IsStored(const TObject& instance) const { return !m_stored || m_stored(instance); }

bool TPropInfo::IsDefaultValue(const TObject& instance) const
{
    return m_default && IsOrdinalKind(Kind()) && m_getOrd && GetOrd(instance) == *m_default;
}

void TPropInfo::RaiseKindError(const char* what) const
{
    throw EPropertyError("Property " + m_name + " cannot be " + what);
}

std::int64_t TPropInfo::GetOrd(const TObject& instance) const
{
    if (!m_getOrd)
        RaiseKindError("read as an ordinal");
    return m_getOrd(instance);
}

bool TPropInfo::SetOrd(TObject& instance, std::int64_t value) const
{
    if (!m_setOrd)
        return false;
    if (Kind() == tkEnumeration && (value < 0 || value >= m_type->EnumCount()))
        return false;
    if (Kind() == tkSet)
        value &= m_type->SetMask();
    m_setOrd(instance, value);
    return true;
}

long double TPropInfo::GetFloat(const TObject& instance) const
{
    if (!m_getFloat)
        RaiseKindError("read as a float");
    return m_getFloat(instance);
}

bool TPropInfo::SetFloat(TObject& instance, long double value) const
{
    if (!m_setFloat)
        return false;
    m_setFloat(instance, value);
    return true;
}

std::string TPropInfo::GetString(const TObject& instance) const
{
    if (!m_getString)
        RaiseKindError("read as a string");
    return m_getString(instance);
}

bool TPropInfo::SetString(TObject& instance, const std::string& value) const
{
    if (!m_setString)
        return false;
    m_setString(instance, value);
    return true;
}

TObject* TPropInfo::GetObject(const TObject& instance) const
{
    if (!m_getObject)
        RaiseKindError("read as an object");
    return m_getObject(instance);
}

bool TPropInfo::SetObject(TObject& instance, TObject* value) const
{
    return m_setObject && m_setObject(instance, value);
}

TPropDecl::TPropDecl(std::string name, bool redeclareOnly) : m_redeclareOnly(redeclareOnly)
{
    m_info.m_name = std::move(name);
}

TPropDecl& TPropDecl::NoDefault()
{
    m_info.m_default.reset();
    m_defaultChanged = true;
    return *this;
}

TPropDecl& TPropDecl::Stored(bool stored)
{
    if (stored)
        m_info.m_stored = nullptr;
    else
        m_info.m_stored = [](const TObject&) { return false; };
    m_storedChanged = true;
    return *this;
}

TPropDecl& TPropDecl::Owned()
{
    m_info.m_owned = true;
    return *this;
}

TPropDecl& TPropDecl::AsColor()
{
    if (m_info.Kind() != tkInteger)
        throw EPropertyError(m_info.Name() + ": only integer properties hold colours");
    m_info.m_type = &TTypeInfo::Color();
    return *this;
}

void TPropDecl::ApplyChangesTo(TPropInfo& inherited) const
{
    if (m_defaultChanged)
        inherited.m_default = m_info.m_default;
    if (m_storedChanged)
        inherited.m_stored = m_info.m_stored;
    if (m_info.m_owned)
        inherited.m_owned = true;
}

TPropDecl Redeclare(std::string name) { return TPropDecl(std::move(name), true); }

// ---------------------------------------------------------------------------------------
// Class information and registry

TClassInfo::TClassInfo(std::string name, const TClassInfo* parent, Factory factory, std::vector<TPropDecl> own)
    : m_name(std::move(name)), m_parent(parent), m_factory(factory)
{
    if (m_parent)
        m_properties = m_parent->m_properties;
    for (const TPropDecl& decl : own) {
        const TPropInfo& declared = decl.Info();
        auto inherited = std::find_if(m_properties.begin(), m_properties.end(),
                                      [&](const TPropInfo* p) { return SameText(p->Name(), declared.Name()); });
        if (decl.RedeclaresOnly() && inherited == m_properties.end())
            throw EPropertyError(m_name + " re-declares an unknown property " + declared.Name());
        auto info = std::make_unique<TPropInfo>(decl.RedeclaresOnly() ? **inherited : declared);
        if (decl.RedeclaresOnly())
            decl.ApplyChangesTo(*info);
        if (info->m_default && !TPropInfo::IsOrdinalKind(info->Kind()))
            throw EPropertyError(m_name + "." + info->Name() + ": only ordinal properties have defaults");
        if (inherited != m_properties.end())
            *inherited = info.get();
        else
            m_properties.push_back(info.get());
        m_own.push_back(std::move(info));
    }
}

bool TClassInfo::InheritsFrom(const TClassInfo& other) const
{
    for (const TClassInfo* c = this; c; c = c->m_parent)
        if (c == &other)
            return true;
    return false;
}

bool TClassInfo::InheritsFrom(std::string_view className) const
{
    for (const TClassInfo* c = this; c; c = c->m_parent)
        if (SameText(c->m_name, className))
            return true;
    return false;
}

const TPropInfo* TClassInfo::FindProperty(std::string_view name) const
{
    for (const TPropInfo* p : m_properties)
        if (SameText(p->Name(), name))
            return p;
    return nullptr;
}

TObject* TClassInfo::Create(TComponent* owner) const
{
    if (!m_factory)
        throw EPropertyError("Cannot create an instance of " + m_name);
    return m_factory(owner);
}

namespace {

struct CaseInsensitiveLess {
    bool operator()(const std::string& a, const std::string& b) const { return CompareText(a, b) < 0; }
};

std::map<std::string, const TClassInfo*, CaseInsensitiveLess>& Registry()
{
    static std::map<std::string, const TClassInfo*, CaseInsensitiveLess> registry;
    return registry;
}

}  // namespace

void RegisterClass(const TClassInfo& info) { Registry()[info.Name()] = &info; }

const TClassInfo* FindClass(std::string_view className)
{
    auto it = Registry().find(std::string(className));
    return it == Registry().end() ? nullptr : it->second;
}

TObject* CreateObject(std::string_view className, TComponent* owner)
{
    const TClassInfo* info = FindClass(className);
    if (!info)
        throw EClassNotFound("Class " + std::string(className) + " not found");
    return info->Create(owner);
}

// ---------------------------------------------------------------------------------------
// Look-ups and walks

TPropertyRef FindProperty(TObject& instance, std::string_view path)
{
    TObject* current = &instance;
    std::string_view rest = path;
    for (;;) {
        const std::size_t dot = rest.find('.');
        const TPropInfo* info = current->ClassInfo().FindProperty(rest.substr(0, dot));
        if (!info)
            return {};
        if (dot == std::string_view::npos)
            return {current, info, std::string(path)};
        if (info->Kind() != tkClass || !info->HasGetter())
            return {};
        current = info->GetObject(*current);
        if (!current)
            return {};
        rest = rest.substr(dot + 1);
    }
}

namespace {

// `chain` holds the objects being walked, so that references that lead back are not followed.
bool Walk(TObject& instance, const std::function<bool(const TPropertyRef&)>& visit, const std::string& prefix,
          bool followReferences, std::vector<TObject*>& chain)
{
    chain.push_back(&instance);
    for (const TPropInfo* info : instance.ClassInfo().Properties()) {
        TPropertyRef ref{&instance, info, prefix.empty() ? info->Name() : prefix + "." + info->Name()};
        if (!visit(ref))
            return false;
        if (info->Kind() != tkClass || !info->HasGetter() || !(info->IsOwnedObject() || followReferences))
            continue;
        TObject* sub = info->GetObject(instance);
        if (sub && std::find(chain.begin(), chain.end(), sub) == chain.end() &&
            !Walk(*sub, visit, ref.Path, followReferences, chain))
            return false;
    }
    chain.pop_back();
    return true;
}

}  // namespace

bool WalkProperties(TObject& instance, const std::function<bool(const TPropertyRef&)>& visit, std::string_view prefix,
                    bool followReferences)
{
    std::vector<TObject*> chain;
    return Walk(instance, visit, Trim(prefix), followReferences, chain);
}

TPropertyRef FindFirstPropertyPath(TObject& instance, std::string_view path, bool followReferences)
{
    TPropertyRef found;
    WalkProperties(
        instance,
        [&](const TPropertyRef& ref) {
            if (!SameText(ref.Path, path))
                return true;
            found = ref;
            return false;
        },
        {}, followReferences);
    return found;
}

std::vector<TPropertyRef> FindEveryPropertyPath(TObject& instance, std::string_view path, bool followReferences)
{
    std::vector<TPropertyRef> found;
    WalkProperties(
        instance,
        [&](const TPropertyRef& ref) {
            if (SameText(ref.Path, path))
                found.push_back(ref);
            return true;
        },
        {}, followReferences);
    return found;
}
