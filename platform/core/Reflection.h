#pragma once
// Published properties and class information.
//
// A class declares itself with PRAVIX_CLASS in its body and lists its published
// properties with PRAVIX_PUBLISH in its .cpp, one line per property, in declared order:
//
//     // iWidget.h
//     PRAVIX_ENUM(TiBevelStyle, ibsNone, ibsRaised, ibsLowered)   // enum + its value names
//     using TFontStyles = std::set<TFontStyle>;                     // sets are std::set of an enum
//
//     class TiWidget : public TComponent {
//         PRAVIX_CLASS(TiWidget, TComponent)
//     public:
//         explicit TiWidget(TComponent* owner);                     // makes it creatable by name
//         TiBevelStyle BorderStyle() const;   void SetBorderStyle(TiBevelStyle value);
//         TFontStyles Styles() const;         void SetStyles(const TFontStyles& value);
//         double Span() const;                void SetSpan(double value);
//         std::string Caption() const;        void SetCaption(const std::string& value);
//         TFont* Font() const;                void SetFont(TFont* value);  // Assign()s
//         int UpdateFrameRate() const;        void SetUpdateFrameRate(int value);
//         bool IsSpanStored() const;
//         TNotifyEvent OnChange;
//     private:
//         bool m_saveAll = false;
//     };
//
//     // iWidget.cpp
//     PRAVIX_PUBLISH(TiWidget,
//         Prop("BorderStyle", &TiWidget::BorderStyle, &TiWidget::SetBorderStyle).Default(ibsNone),
//         Prop("Styles", &TiWidget::Styles, &TiWidget::SetStyles).Default(TFontStyles{fsBold}),
//         Prop("Span", &TiWidget::Span, &TiWidget::SetSpan).Stored(&TiWidget::IsSpanStored),
//         Prop("Caption", &TiWidget::Caption, &TiWidget::SetCaption),
//         Prop("Font", &TiWidget::Font, &TiWidget::SetFont).Owned(),
//         Prop("UpdateFrameRate", &TiWidget::UpdateFrameRate, &TiWidget::SetUpdateFrameRate).Default(60),
//         Field("OptionSaveAllProperties", &TiWidget::m_saveAll).Default(false),
//         Field("OnChange", &TiWidget::OnChange))
//
// The kind follows from the C++ type: bool and enums are enumerations, std::set<enum>
// sets, integers Integer (64-bit ones Int64), char Char, char16_t WChar, floating types
// Float (single, double, extended), std::string String, pointers to TObject classes
// Class, Event<...> Method. Another type declares its kind with an overload of
// PravixTypeInfo(T*) found next to it (the variant does so).
//
// A subclass that only changes a default or the stored flag of an inherited property
// writes Redeclare("Visible").Default(false); the property keeps its ancestor's position.
// A full Prop(...) of an inherited name replaces the ancestor's entry at its position too.
// Default() is the declared default that decides what files store; it is kept apart from
// whatever value the constructor gives.
//
// Using it:
//     for (const TPropInfo* p : object->ClassInfo().Properties()) ...  // declared order
//     TPropertyRef color = FindProperty(*object, "Font.Color");         // ignoring case
//     if (color && !color.SetOrd(clRed)) ...                            // refused
//     TObject* plot = CreateObject("TiPlot", owner);                     // by class name
//
// PRAVIX_PUBLISH registers the class when its .cpp is linked into the program; a class
// only ever named in form descriptions must be referenced from code (or its library
// linked whole) to be found by name.

#include "platform/core/Events.h"
#include "platform/core/Exceptions.h"
#include "platform/core/Types.h"

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <set>
#include <string>
#include <string_view>
#include <type_traits>
#include <utility>
#include <vector>

class TObject;
class TComponent;
class TClassInfo;

// Property type kinds; tkUnknown (0) answers "no such property" in type look-ups.
enum TTypeKind : std::uint8_t {
    tkUnknown,
    tkInteger,
    tkChar,
    tkEnumeration,
    tkSet,
    tkFloat,
    tkString,
    tkClass,
    tkMethod,
    tkWChar,
    tkVariant,
    tkInt64,
    tkInterface
};

enum TFloatType { ftSingle, ftDouble, ftExtended };

// Raised when reflection is used against a property's kind (a programming error).
class EPropertyError : public Exception {
public:
    using Exception::Exception;
};

struct TTypeInfo {
    TTypeKind Kind = tkUnknown;
    std::string Name;                              // "Integer", "Boolean", "TiBevelStyle", "TFont"...
    std::vector<std::string> EnumNames;            // tkEnumeration: value names by ordinal
    const TTypeInfo* ElementType = nullptr;        // tkSet: the elements' enumeration
    int SetBits = 0;                               // tkSet: storage width, 8, 16 or 32 bits
    TFloatType FloatType = ftDouble;               // tkFloat
    const TClassInfo& (*ClassInfoOf)() = nullptr;  // tkClass; called lazily (classes may refer to each other)
    // tkInteger: values with a name (the colour constants of TColor), which files use instead
    // of the number.
    std::vector<std::pair<std::string, std::int64_t>> ValueNames;

    int EnumCount() const { return int(EnumNames.size()); }
    // The name of an ordinal; empty when out of range.
    std::string EnumName(std::int64_t ordinal) const;
    // The ordinal of a value name, ignoring case; -1 when there is none.
    int EnumOrdinal(std::string_view name) const;
    // Every bit a set of this type may hold.
    std::int64_t SetMask() const;
    const TClassInfo* ClassType() const { return ClassInfoOf ? &ClassInfoOf() : nullptr; }
    // The name of an integer value; empty when it has none.
    std::string ValueName(std::int64_t value) const;
    // The value of a name, ignoring case; nullopt when there is none.
    std::optional<std::int64_t> NamedValue(std::string_view name) const;

    // "a, b, c" as written in an enum declaration (initialisers are not allowed).
    static TTypeInfo Enumeration(std::string name, std::string_view valueList);
    static TTypeInfo SetOf(const TTypeInfo& element);
    static const TTypeInfo& Boolean();
    static const TTypeInfo& Integer();
    static const TTypeInfo& Int64();
    static const TTypeInfo& Char();
    static const TTypeInfo& WChar();
    static const TTypeInfo& String();
    static const TTypeInfo& Float(TFloatType type);
    static const TTypeInfo& Method();
    static const TTypeInfo& Variant();
    static const TTypeInfo& Interface();
    // An integer whose colour constants (clRed, clBtnFace...) have names.
    static const TTypeInfo& Color();
};

// Declares the value names of an existing enum. The enum must be contiguous from 0.
#define PRAVIX_ENUM_INFO(Type, ...)                                                \
    inline const TTypeInfo& PravixTypeInfo(Type*)                                  \
    {                                                                              \
        static const TTypeInfo info = TTypeInfo::Enumeration(#Type, #__VA_ARGS__); \
        return info;                                                               \
    }

// Declares an enum together with its value names.
#define PRAVIX_ENUM(Type, ...) \
    enum Type { __VA_ARGS__ }; \
    PRAVIX_ENUM_INFO(Type, __VA_ARGS__)

class TPropDecl;

// One published property of a class.
class TPropInfo {
public:
    const std::string& Name() const { return m_name; }
    TTypeKind Kind() const { return m_type->Kind; }
    const TTypeInfo& Type() const { return *m_type; }
    bool HasGetter() const { return m_hasGetter; }
    bool HasSetter() const { return m_hasSetter; }
    // tkClass: the object belongs to the instance (a font, constraints), so its
    // properties are part of the instance's; otherwise it is a reference.
    bool IsOwnedObject() const { return m_owned; }
    // The declared default (ordinal kinds only); files omit a value equal to it.
    const std::optional<std::int64_t>& Default() const { return m_default; }
    bool IsStored(const TObject& instance) const;
    // Ordinal kinds with a declared default that the instance's value equals.
    bool IsDefaultValue(const TObject& instance) const;

    // Typed access. Getters raise EPropertyError for a property of another kind or
    // without a getter. Setters answer false when they refuse: no setter, an
    // enumeration ordinal out of range (the property stays unchanged), an object of
    // the wrong class. Sets are masked to their defined bits; integers wrap to their
    // storage width.
    std::int64_t GetOrd(const TObject& instance) const;
    bool SetOrd(TObject& instance, std::int64_t value) const;
    long double GetFloat(const TObject& instance) const;
    bool SetFloat(TObject& instance, long double value) const;
    std::string GetString(const TObject& instance) const;
    bool SetString(TObject& instance, const std::string& value) const;
    TObject* GetObject(const TObject& instance) const;
    bool SetObject(TObject& instance, TObject* value) const;

    static bool IsOrdinalKind(TTypeKind kind);

private:
    friend class TPropDecl;
    friend class TClassInfo;

    [[noreturn]] void RaiseKindError(const char* what) const;

    std::string m_name;
    const TTypeInfo* m_type = &TTypeInfo::Integer();
    bool m_hasGetter = false;
    bool m_hasSetter = false;
    bool m_owned = false;
    std::optional<std::int64_t> m_default;
    std::function<bool(const TObject&)> m_stored;  // empty: always stored
    std::function<std::int64_t(const TObject&)> m_getOrd;
    std::function<void(TObject&, std::int64_t)> m_setOrd;
    std::function<long double(const TObject&)> m_getFloat;
    std::function<void(TObject&, long double)> m_setFloat;
    std::function<std::string(const TObject&)> m_getString;
    std::function<void(TObject&, const std::string&)> m_setString;
    std::function<TObject*(const TObject&)> m_getObject;
    std::function<bool(TObject&, TObject*)> m_setObject;
};

namespace reflection_detail {

template <typename T>
struct IsStdSet : std::false_type {
};
template <typename E>
struct IsStdSet<std::set<E>> : std::true_type {
    using Element = E;
};
template <typename T>
struct IsEvent : std::false_type {
};
template <typename... A>
struct IsEvent<Event<A...>> : std::true_type {
};

template <typename V>
constexpr bool IsOrdinal = std::is_integral_v<V> || std::is_enum_v<V> || IsStdSet<V>::value;

template <typename E>
const TTypeInfo& EnumInfo()
{
    static_assert(
        requires { PravixTypeInfo(static_cast<E*>(nullptr)); },
        "declare the enum's value names with PRAVIX_ENUM or PRAVIX_ENUM_INFO");
    return PravixTypeInfo(static_cast<E*>(nullptr));
}

template <typename C>
const TClassInfo& ClassInfoOf()
{
    return C::StaticClassInfo();
}

template <typename V>
const TTypeInfo& TypeInfoOf()
{
    if constexpr (std::is_same_v<V, bool>) {
        return TTypeInfo::Boolean();
    } else if constexpr (std::is_same_v<V, char>) {
        return TTypeInfo::Char();
    } else if constexpr (std::is_same_v<V, char16_t>) {
        return TTypeInfo::WChar();
    } else if constexpr (std::is_integral_v<V> && sizeof(V) == 8) {
        return TTypeInfo::Int64();
    } else if constexpr (std::is_integral_v<V>) {
        return TTypeInfo::Integer();
    } else if constexpr (std::is_enum_v<V>) {
        return EnumInfo<V>();
    } else if constexpr (IsStdSet<V>::value) {
        static const TTypeInfo info = TTypeInfo::SetOf(EnumInfo<typename IsStdSet<V>::Element>());
        return info;
    } else if constexpr (std::is_same_v<V, float>) {
        return TTypeInfo::Float(ftSingle);
    } else if constexpr (std::is_same_v<V, double>) {
        return TTypeInfo::Float(ftDouble);
    } else if constexpr (std::is_same_v<V, long double>) {
        return TTypeInfo::Float(ftExtended);
    } else if constexpr (std::is_same_v<V, std::string>) {
        return TTypeInfo::String();
    } else if constexpr (std::is_pointer_v<V>) {
        using C = std::remove_cv_t<std::remove_pointer_t<V>>;
        static_assert(std::is_base_of_v<TObject, C>, "object properties point to TObject classes");
        static const TTypeInfo info = [] {
            TTypeInfo t;
            t.Kind = tkClass;
            t.ClassInfoOf = &ClassInfoOf<C>;
            return t;
        }();
        return info;
    } else if constexpr (IsEvent<V>::value) {
        return TTypeInfo::Method();
    } else {
        return PravixTypeInfo(static_cast<V*>(nullptr));
    }
}

template <typename V>
std::int64_t ToOrdinal(const V& value)
{
    if constexpr (IsStdSet<V>::value) {
        std::int64_t mask = 0;
        for (auto element : value)
            mask |= std::int64_t(1) << int(element);
        return mask;
    } else if constexpr (std::is_same_v<V, char>) {
        return static_cast<unsigned char>(value);
    } else {
        return static_cast<std::int64_t>(value);
    }
}

template <typename V>
V FromOrdinal(std::int64_t ordinal)
{
    if constexpr (IsStdSet<V>::value) {
        V result;
        for (int bit = 0; bit < 64; ++bit)
            if (ordinal & (std::int64_t(1) << bit))
                result.insert(static_cast<typename IsStdSet<V>::Element>(bit));
        return result;
    } else {
        return static_cast<V>(ordinal);
    }
}

// Reading and writing a member, whichever way the class offers it.
template <typename G>
struct Getter;
template <typename C, typename R>
struct Getter<R (C::*)() const> {
    using Class = C;
    using Value = std::remove_cvref_t<R>;
    static Value Get(R (C::*g)() const, const C& c) { return (c.*g)(); }
};
template <typename C, typename R>
struct Getter<R (C::*)() const noexcept> {
    using Class = C;
    using Value = std::remove_cvref_t<R>;
    static Value Get(R (C::*g)() const noexcept, const C& c) { return (c.*g)(); }
};
template <typename C, typename R>
struct Getter<R (C::*)()> {  // getters not marked const
    using Class = C;
    using Value = std::remove_cvref_t<R>;
    static Value Get(R (C::*g)(), const C& c) { return (const_cast<C&>(c).*g)(); }
};
template <typename C, typename V>
struct Getter<V C::*> {
    using Class = C;
    using Value = V;
    static Value Get(V C::*field, const C& c) { return c.*field; }
};

template <typename S>
struct Setter;
template <>
struct Setter<std::nullptr_t> {
    using Value = void;
};
template <typename C, typename R, typename A>
struct Setter<R (C::*)(A)> {
    using Class = C;
    using Value = std::remove_cvref_t<A>;
    static void Set(R (C::*s)(A), C& c, Value v) { (c.*s)(std::move(v)); }
};
template <typename C, typename R, typename A>
struct Setter<R (C::*)(A) noexcept> {
    using Class = C;
    using Value = std::remove_cvref_t<A>;
    static void Set(R (C::*s)(A) noexcept, C& c, Value v) { (c.*s)(std::move(v)); }
};
template <typename C, typename V>
struct Setter<V C::*> {
    using Class = C;
    using Value = V;
    static void Set(V C::*field, C& c, Value v) { c.*field = std::move(v); }
};

}  // namespace reflection_detail

// A property as a class declares it; built by Prop(), Field() and Redeclare().
class TPropDecl {
public:
    // The declared default: an integer, a bool, an enum value or a std::set of enum values.
    template <typename V>
    TPropDecl& Default(const V& value)
    {
        static_assert(reflection_detail::IsOrdinal<V>, "declared defaults exist for ordinal kinds only");
        m_info.m_default = reflection_detail::ToOrdinal(value);
        m_defaultChanged = true;
        return *this;
    }
    // Drops an inherited default: the value is always stored.
    TPropDecl& NoDefault();
    TPropDecl& Stored(bool stored);
    template <typename C>
    TPropDecl& Stored(bool (C::*predicate)() const)
    {
        m_info.m_stored = [predicate](const TObject& o) { return (static_cast<const C&>(o).*predicate)(); };
        m_storedChanged = true;
        return *this;
    }
    // The object-valued property holds a sub-object of the instance (see TPropInfo).
    TPropDecl& Owned();
    // A TColor property: Integer with the colour constants' names (TColor is a plain integer
    // to C++, so the declaration says so). Prop("Color", ...).AsColor()
    TPropDecl& AsColor();

    // What follows serves Prop(), Field(), Redeclare() and TClassInfo.
    explicit TPropDecl(std::string name, bool redeclareOnly = false);
    const TPropInfo& Info() const { return m_info; }
    bool RedeclaresOnly() const { return m_redeclareOnly; }
    void ApplyChangesTo(TPropInfo& inherited) const;

    // Installs the typed accessors for a value of type V. `get` is (const TObject&) -> V,
    // `set` is (TObject&, V); either may be absent.
    template <typename V, typename Get, typename Set>
    void Install(Get get, Set set, bool hasGetter, bool hasSetter)
    {
        using namespace reflection_detail;
        TPropInfo& p = m_info;
        p.m_type = &TypeInfoOf<V>();
        p.m_hasGetter = hasGetter;
        p.m_hasSetter = hasSetter;
        if constexpr (IsOrdinal<V>) {
            p.m_getOrd = [get](const TObject& o) { return ToOrdinal(get(o)); };
            if (hasSetter)
                p.m_setOrd = [set](TObject& o, std::int64_t v) { set(o, FromOrdinal<V>(v)); };
        } else if constexpr (std::is_floating_point_v<V>) {
            p.m_getFloat = [get](const TObject& o) { return static_cast<long double>(get(o)); };
            if (hasSetter)
                p.m_setFloat = [set](TObject& o, long double v) { set(o, static_cast<V>(v)); };
        } else if constexpr (std::is_same_v<V, std::string>) {
            p.m_getString = get;
            if (hasSetter)
                p.m_setString = [set](TObject& o, const std::string& v) { set(o, v); };
        } else if constexpr (std::is_pointer_v<V>) {
            using C = std::remove_cv_t<std::remove_pointer_t<V>>;
            p.m_getObject = [get](const TObject& o) -> TObject* { return const_cast<C*>(get(o)); };
            if (hasSetter)
                p.m_setObject = [set](TObject& o, TObject* v) {
                    C* typed = dynamic_cast<C*>(v);
                    if (v && !typed)
                        return false;
                    set(o, typed);
                    return true;
                };
        }
    }

private:
    TPropInfo m_info;
    bool m_redeclareOnly = false;
    bool m_defaultChanged = false;
    bool m_storedChanged = false;
};

// A published property read through `getter` (a const member function or a data
// member) and written through `setter` (a member function taking the value, a data
// member, or nullptr for a read-only property).
template <typename G, typename S = std::nullptr_t>
TPropDecl Prop(std::string name, G getter, S setter = nullptr)
{
    using namespace reflection_detail;
    using GetClass = typename Getter<G>::Class;
    using V = typename Getter<G>::Value;
    constexpr bool hasSetter = !std::is_same_v<S, std::nullptr_t>;
    if constexpr (hasSetter)
        static_assert(std::is_same_v<typename Setter<S>::Value, V>, "getter and setter disagree on the type");

    TPropDecl decl(std::move(name));
    auto get = [getter](const TObject& o) -> V { return Getter<G>::Get(getter, static_cast<const GetClass&>(o)); };
    auto set = [setter](TObject& o, V v) {
        if constexpr (hasSetter)
            Setter<S>::Set(setter, static_cast<typename Setter<S>::Class&>(o), std::move(v));
    };
    decl.Install<V>(get, set, true, hasSetter);
    return decl;
}

// A published data member, read and written directly (fields, events).
template <typename C, typename V>
TPropDecl Field(std::string name, V C::*field)
{
    return Prop(std::move(name), field, field);
}

// Changes the default or the stored flag of an inherited property, which keeps its
// position: Redeclare("Width").Default(28).
TPropDecl Redeclare(std::string name);

// Class information: name, parent, published properties and how to create an instance.
class TClassInfo {
public:
    using Factory = TObject* (*)(TComponent* owner);

    TClassInfo(std::string name, const TClassInfo* parent, Factory factory, std::vector<TPropDecl> own);
    TClassInfo(const TClassInfo&) = delete;
    TClassInfo& operator=(const TClassInfo&) = delete;

    const std::string& Name() const { return m_name; }
    const TClassInfo* Parent() const { return m_parent; }
    bool InheritsFrom(const TClassInfo& other) const;
    bool InheritsFrom(std::string_view className) const;  // ignoring case

    // Every published property: inherited ones first, in declared order; a re-declared
    // property sits at its ancestor's position.
    const std::vector<const TPropInfo*>& Properties() const { return m_properties; }
    const TPropInfo* FindProperty(std::string_view name) const;  // ignoring case

    bool CanCreate() const { return m_factory != nullptr; }
    // A new instance owned by `owner` (components) or by the caller (other objects).
    TObject* Create(TComponent* owner) const;

private:
    std::string m_name;
    const TClassInfo* m_parent;
    Factory m_factory;
    std::vector<std::unique_ptr<TPropInfo>> m_own;
    std::vector<const TPropInfo*> m_properties;
};

template <typename C>
constexpr TClassInfo::Factory ClassFactoryFor()
{
    if constexpr (std::is_abstract_v<C>)
        return nullptr;
    else if constexpr (std::is_constructible_v<C, TComponent*>)
        return [](TComponent* owner) -> TObject* { return new C(owner); };
    else if constexpr (std::is_default_constructible_v<C>)
        return [](TComponent*) -> TObject* { return new C(); };
    else
        return nullptr;
}

// In the class body: the class's name for the class registry and its parent.
#define PRAVIX_CLASS(Class, Base)                                              \
public:                                                                        \
    using inherited = Base;                                                    \
    static const TClassInfo& StaticClassInfo();                                \
    const TClassInfo& ClassInfo() const override { return StaticClassInfo(); } \
                                                                               \
private:                                                                       \
    static std::vector<TPropDecl> PublishedProperties();

// In the class's .cpp: the published properties, in declared order (maybe none).
// Also registers the class under its name.
#define PRAVIX_PUBLISH(Class, ...) PRAVIX_PUBLISH_LIST(Class, (std::vector<TPropDecl>{__VA_ARGS__}))

// The same, for a list built by an expression (e.g. joined from shared groups).
#define PRAVIX_PUBLISH_LIST(Class, listExpression)                                                           \
    std::vector<TPropDecl> Class::PublishedProperties()                                                      \
    {                                                                                                        \
        static_assert(std::is_base_of_v<Class::inherited, Class>, "wrong base class");                       \
        return listExpression;                                                                               \
    }                                                                                                        \
    const TClassInfo& Class::StaticClassInfo()                                                               \
    {                                                                                                        \
        static const TClassInfo info(#Class, &Class::inherited::StaticClassInfo(), ClassFactoryFor<Class>(), \
                                     PublishedProperties());                                                 \
        return info;                                                                                         \
    }                                                                                                        \
    static const TClassRegistration pravixClassRegistration_##Class(Class::StaticClassInfo());

// The class registry: class name -> class information and factory.
void RegisterClass(const TClassInfo& info);
const TClassInfo* FindClass(std::string_view className);  // ignoring case; nullptr when unknown
// Creates an instance of a registered class; raises EClassNotFound ("Class %s not found")
// for an unknown name and EPropertyError for a class that cannot be created by name.
TObject* CreateObject(std::string_view className, TComponent* owner);

class EClassNotFound : public Exception {
public:
    using Exception::Exception;
};

struct TClassRegistration {
    explicit TClassRegistration(const TClassInfo& info) { RegisterClass(info); }
};

// A property found on an object or one of its sub-objects.
struct TPropertyRef {
    TObject* Instance = nullptr;  // the object holding the property
    const TPropInfo* Info = nullptr;
    std::string Path;  // dotted path from where the search started

    explicit operator bool() const { return Info != nullptr; }
    std::int64_t GetOrd() const { return Info->GetOrd(*Instance); }
    bool SetOrd(std::int64_t v) const { return Info->SetOrd(*Instance, v); }
    long double GetFloat() const { return Info->GetFloat(*Instance); }
    bool SetFloat(long double v) const { return Info->SetFloat(*Instance, v); }
    std::string GetString() const { return Info->GetString(*Instance); }
    bool SetString(const std::string& v) const { return Info->SetString(*Instance, v); }
    TObject* GetObject() const { return Info->GetObject(*Instance); }
    bool SetObject(TObject* v) const { return Info->SetObject(*Instance, v); }
};

// Looks a property up by name or dotted path ("Font.Color"), one segment at a time,
// ignoring case; every segment but the last must name an object-valued property whose
// object exists. An empty result when nothing matches.
TPropertyRef FindProperty(TObject& instance, std::string_view path);

// Visits every published property of `instance` in declared order with its dotted path
// (prefixed by `prefix` when not empty), descending into the objects of owned
// object-valued properties (all objects with followReferences) right after visiting the
// property itself. The visitor answers false to stop the walk; WalkProperties then
// answers false too.
bool WalkProperties(TObject& instance, const std::function<bool(const TPropertyRef&)>& visit,
                    std::string_view prefix = {}, bool followReferences = false);
// The first, or every, property whose dotted path equals `path` (ignoring case) in such a walk.
TPropertyRef FindFirstPropertyPath(TObject& instance, std::string_view path, bool followReferences = false);
std::vector<TPropertyRef> FindEveryPropertyPath(TObject& instance, std::string_view path,
                                                bool followReferences = false);

// Value names of the platform's enumerations.
PRAVIX_ENUM_INFO(TPenStyle, psSolid, psDash, psDot, psDashDot, psDashDotDot, psClear, psInsideFrame)
PRAVIX_ENUM_INFO(TBrushStyle, bsSolid, bsClear, bsHorizontal, bsVertical, bsFDiagonal, bsBDiagonal, bsCross,
                 bsDiagCross)
PRAVIX_ENUM_INFO(TFontStyle, fsBold, fsItalic, fsUnderline, fsStrikeOut)
PRAVIX_ENUM_INFO(TFontPitch, fpDefault, fpVariable, fpFixed)
PRAVIX_ENUM_INFO(TAlignment, taLeftJustify, taRightJustify, taCenter)
PRAVIX_ENUM_INFO(TAnchorKind, akLeft, akTop, akRight, akBottom)
PRAVIX_ENUM_INFO(TAlign, alNone, alTop, alBottom, alLeft, alRight, alClient)
PRAVIX_ENUM_INFO(TPrinterOrientation, poPortrait, poLandscape)
PRAVIX_ENUM_INFO(TCloseAction, caNone, caHide, caFree)
PRAVIX_ENUM_INFO(TShiftStateElement, ssShift, ssAlt, ssCtrl, ssLeft, ssRight, ssMiddle, ssDouble)
PRAVIX_ENUM_INFO(TMouseButton, mbLeft, mbRight, mbMiddle)
