#include "components/iClasses.h"

#include "platform/core/Conversions.h"
#include "platform/core/Exceptions.h"
#include "platform/core/Filer.h"
#include "platform/core/Scoped.h"
#include "platform/core/StrUtils.h"

#include <cstdint>

PRAVIX_PUBLISH(TiUserSchemeList)
PRAVIX_PUBLISH(TiPravixSchemeList)

namespace {

constexpr std::size_t MaxLineLength = 255;

bool IsOrdinalTextKind(TTypeKind kind)
{
    return kind == tkInteger || kind == tkChar || kind == tkEnumeration || kind == tkSet;
}

// The sub-object an object-valued property contributes to the text: owned ones only, so
// references to other components are never followed.
TPersistent* OwnedPersistent(TObject& instance, const TPropInfo& p)
{
    if (p.Kind() != tkClass || !p.IsOwnedObject() || !p.HasGetter())
        return nullptr;
    return dynamic_cast<TPersistent*>(p.GetObject(instance));
}

// "#" followed by one of these two digits starts an escape.
bool IsEscapeAt(std::string_view s, std::size_t i)
{
    if (i + 3 > s.size() || s[i] != '#')
        return false;
    const std::string_view code = s.substr(i + 1, 2);
    return code == "13" || code == "10" || code == "35";
}

std::string EncodeText(std::string_view text)
{
    std::string out;
    out.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        if (c == '\r')
            out += "#13";
        else if (c == '\n')
            out += "#10";
        else if (c == '#' && IsEscapeAt(text, i))
            out += "#35";
        else
            out += c;
    }
    return out;
}

std::string DecodeText(std::string_view text)
{
    std::string out;
    out.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (IsEscapeAt(text, i)) {
            const std::string_view code = text.substr(i + 1, 2);
            out += code == "13" ? '\r' : code == "10" ? '\n' : '#';
            i += 2;
        } else {
            out += text[i];
        }
    }
    return out;
}

// Path + " = " + value, cut after 255 characters; an escape in the value that the cut
// would split is left out whole.
std::string PropertyLine(const std::string& path, const std::string& value)
{
    std::string line = path + " = " + value;
    if (line.size() <= MaxLineLength)
        return line;
    const std::size_t valueStart = path.size() + 3;
    std::size_t cut = MaxLineLength;
    for (std::size_t start = MaxLineLength - 2; start < MaxLineLength; ++start)
        if (start >= valueStart && IsEscapeAt(line, start)) {
            cut = start;
            break;
        }
    line.resize(cut);
    return line;
}

// A decimal integer for a 32-bit property; 0..4294967295 is taken too and wraps, so colours
// written unsigned by other tools read back. Anything else raises the conversion error.
std::int64_t ParseOrdinal(const std::string& text)
{
    int value = 0;
    if (TryStrToInt(text, value))
        return value;
    const std::string digits = Trim(text);
    std::string_view s = digits;
    if (!s.empty() && s[0] == '+')
        s.remove_prefix(1);
    if (!s.empty() && s.size() <= 10 && s.find_first_not_of("0123456789") == std::string_view::npos) {
        const std::uint64_t big = std::stoull(std::string(s));
        if (big <= 0xFFFFFFFFull)
            return std::int32_t(std::uint32_t(big));
    }
    return StrToInt(text);  // raises
}

void AssignOrdinal(TObject& instance, const TPropInfo& p, const std::string& value)
{
    const std::int64_t ordinal = ParseOrdinal(value);
    if (p.Kind() == tkChar && (ordinal < 0 || ordinal > 255))
        return;
    p.SetOrd(instance, ordinal);  // refuses enumeration ordinals out of range, masks sets
}

void AssignProperty(TObject& instance, const std::string& name, const std::string& value)
{
    const std::size_t dot = name.find('.');
    if (dot != std::string::npos) {
        const TPropInfo* p = instance.ClassInfo().FindProperty(name.substr(0, dot));
        if (TPersistent* object = p ? OwnedPersistent(instance, *p) : nullptr)
            AssignProperty(*object, name.substr(dot + 1), value);
        return;
    }
    const TPropInfo* p = instance.ClassInfo().FindProperty(name);
    if (!p || !p->HasSetter())
        return;
    if (IsOrdinalTextKind(p->Kind()))
        AssignOrdinal(instance, *p, value);
    else if (p->Kind() == tkFloat)
        p->SetFloat(instance, FileStrToFloat(value));
    else if (p->Kind() == tkString)
        p->SetString(instance, DecodeText(value));
}

// The name without its first segment when that segment is `prefix`; false when the line
// does not belong to the prefix.
bool StripPrefix(std::string& name, const std::string& prefix)
{
    if (prefix.empty())
        return true;
    const std::size_t dot = name.find('.');
    if (!SameText(name.substr(0, dot), prefix))
        return false;
    name = dot == std::string::npos ? std::string() : name.substr(dot + 1);
    return true;
}

void DeleteFirstLines(TStrings& lines, int count)
{
    for (; count > 0; --count)
        lines.Delete(0);
}

}  // namespace

void SaveObjectToStringList(TObject* instance, const std::string& prefix, TStrings& lines, const TStrings* skip)
{
    if (!instance)
        return;
    const bool hasPrefix = !Trim(prefix).empty();
    for (const TPropInfo* p : instance->ClassInfo().Properties()) {
        if (!p->HasGetter() || !p->HasSetter() || !p->IsStored(*instance))
            continue;
        std::string path = hasPrefix ? prefix + "." + p->Name() : p->Name();
        if (path.size() > MaxLineLength)
            path.resize(MaxLineLength);
        if (skip && skip->IndexOf(path) >= 0)
            continue;
        const TTypeKind kind = p->Kind();
        if (IsOrdinalTextKind(kind)) {
            if (!p->IsDefaultValue(*instance))
                lines.Add(PropertyLine(path, IntToStr(p->GetOrd(*instance))));
        } else if (kind == tkFloat) {
            lines.Add(PropertyLine(path, FloatToStr(double(p->GetFloat(*instance)), '.')));
        } else if (kind == tkString) {
            lines.Add(PropertyLine(path, EncodeText(p->GetString(*instance))));
        } else if (TPersistent* object = OwnedPersistent(*instance, *p)) {
            SaveObjectToStringList(object, path, lines, skip);
        }
    }
}

void LoadObjectFromStringList(TObject* instance, const std::string& prefix, TStrings& lines)
{
    // The lines applied go, also when a later one raises.
    int taken = 0;
    TScopeExit deleteTaken([&] { DeleteFirstLines(lines, taken); });
    LoadObjectFromStringList(instance, prefix, lines, taken);
}

void LoadObjectFromStringList(TObject* instance, const std::string& prefix, const TStrings& lines, int& index)
{
    if (!instance)
        return;
    for (; index < lines.Count(); ++index) {
        std::string name;
        std::string value;
        SeparateStrings(lines.Get(index), "=", name, value);
        if (!StripPrefix(name, prefix))
            return;
        AssignProperty(*instance, name, value);
    }
}

bool GetPropertyValueString(const std::string& name, std::string& value, TStrings& lines)
{
    for (int i = 0; i < lines.Count(); ++i) {
        std::string left;
        std::string right;
        SeparateStrings(lines.Get(i), "=", left, right);
        if (SameText(left, name)) {
            value = right;
            lines.Delete(i);
            return true;
        }
    }
    return false;
}

void SeparateStrings(std::string_view text, std::string_view separator, std::string& left, std::string& right)
{
    const std::size_t at = separator.empty() ? std::string_view::npos : text.find(separator);
    if (at == std::string_view::npos) {
        left.clear();
        right.clear();
        return;
    }
    left = Trim(text.substr(0, at));
    right = Trim(text.substr(at + separator.size()));
}

TObject* GetObjectProperty(TObject* instance, const std::string& name)
{
    if (!instance)
        return nullptr;
    const TPropInfo* p = instance->ClassInfo().FindProperty(name);
    if (!p || p->Kind() != tkClass || !p->HasGetter())
        return nullptr;
    return p->GetObject(*instance);
}

void WriterWriteProperties(TWriter& writer, TPersistent& instance)
{
    for (const TPropInfo* p : instance.ClassInfo().Properties())
        if (p->HasGetter() && p->HasSetter() && p->IsStored(instance))
            writer.WriteProperty(instance, *p);
    instance.DefineProperties(writer);
}

void AssignObject(TObject* source, TObject* destination)
{
    if (!source || !destination)
        return;
    for (const TPropInfo* from : source->ClassInfo().Properties()) {
        if (!from->HasGetter() || !from->HasSetter() || !from->IsStored(*source))
            continue;
        const TTypeKind kind = from->Kind();
        if (!IsOrdinalTextKind(kind) && kind != tkFloat && kind != tkString)
            continue;
        const TPropInfo* to = destination->ClassInfo().FindProperty(from->Name());
        if (!to || to->Kind() != kind || !to->HasSetter())
            continue;
        if (kind == tkFloat)
            to->SetFloat(*destination, from->GetFloat(*source));
        else if (kind == tkString)
            to->SetString(*destination, from->GetString(*source));
        else
            to->SetOrd(*destination, from->GetOrd(*source));
    }
}

// ---------------------------------------------------------------------------------------

void TiMemoryStream::WriteString(std::string_view s)
{
    if (s.size() > MaxLineLength)
        throw EStreamError("String Exceeds 255 Characters");
    WriteBuffer(s);
}

void TiMemoryStream::WriteCRLF() { WriteString("\r\n"); }

void TiMemoryStream::WriteStringCRLF(std::string_view s)
{
    WriteString(s);
    WriteCRLF();
}

char TiMemoryStream::ReadChar()
{
    char c = 0;
    if (Read(&c, 1) != 1)
        throw EStreamError("EOF");
    return c;
}

void TiXMLMemoryStream::StartElement(std::string_view name) { WriteStringCRLF("<" + std::string(name) + ">"); }

void TiXMLMemoryStream::EndElement(std::string_view name) { WriteStringCRLF("</" + std::string(name) + ">"); }

void TiXMLMemoryStream::WriteElement(std::string_view name, std::string_view value)
{
    const std::string n(name);
    WriteStringCRLF("<" + n + ">" + std::string(value) + "</" + n + ">");
}

void TiXMLMemoryStream::SkipPast(char c)
{
    while (ReadChar() != c) {}
}

// The rest of a tag's name up to ">"; a blank ends the name and the rest of the tag is skipped.
std::string TiXMLMemoryStream::ReadTagName()
{
    std::string name;
    for (char c = ReadChar(); c != '>'; c = ReadChar()) {
        if (c == ' ') {
            SkipPast('>');
            break;
        }
        name += c;
    }
    return name;
}

void TiXMLMemoryStream::GetNameElementStart(std::string& name)
{
    name.clear();
    SkipPast('<');
    for (char c = ReadChar(); c != '>'; c = ReadChar()) {
        if (c == '/') {  // an end tag: go on with the next tag
            name.clear();
            SkipPast('<');
        } else if (c == ' ') {
            SkipPast('>');
            return;
        } else {
            name += c;
        }
    }
}

void TiXMLMemoryStream::GotoElementStart(std::string_view name)
{
    std::string found;
    do {
        GetNameElementStart(found);
    } while (found != name);
}

void TiXMLMemoryStream::GetElementValue(std::string& value)
{
    value.clear();
    for (char c = ReadChar(); c != '<'; c = ReadChar())
        value += c;
    StepBack();
}

void TiXMLMemoryStream::GetNameElementStop(std::string& name)
{
    if (ReadChar() != '<')
        throw EStreamError("XML Parsing Error - \"<\" not Found");
    if (ReadChar() != '/')
        throw EStreamError("XML Parsing Error - \"/\" not Found");
    name = ReadTagName();
}

void TiXMLMemoryStream::GetElement(std::string_view name, std::string& value)
{
    GotoElementStart(name);
    GetElementValue(value);
    std::string stop;
    do {
        GetNameElementStop(stop);
    } while (stop != name);
}

void TiXMLMemoryStream::GetNextPiece(std::string& piece)
{
    piece.clear();
    char c = ReadChar();
    while (c == '\r' || c == '\n')
        c = ReadChar();
    if (c == '<') {
        for (c = ReadChar(); c != '>'; c = ReadChar())
            piece += c;
        return;
    }
    for (; c != '<'; c = ReadChar())
        piece += c;
    StepBack();
}

void TiXMLMemoryStream::PeekNextPiece(std::string& piece)
{
    struct RestorePosition {
        TStream& stream;
        long long position;
        ~RestorePosition() { stream.SetPosition(position); }
    } restore{*this, Position()};
    GetNextPiece(piece);
}
