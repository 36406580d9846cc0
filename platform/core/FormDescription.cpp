#include "platform/core/FormDescription.h"

#include "platform/core/Scoped.h"
#include "platform/core/StrUtils.h"
#include "platform/core/StringList.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <limits>
#include <memory>

EFormDescriptionError::EFormDescriptionError(int line, std::string property, const std::string& message)
    : EStreamError("Error in form description at line " + std::to_string(line) +
                   (property.empty() ? std::string() : ", property " + property) + ": " + message),
      m_line(line),
      m_property(std::move(property)),
      m_reason(message)
{
}

namespace {

// ---------------------------------------------------------------------------------------
// Tokens

// A lexical fault becomes an Error token (its text the message), so that the parser
// reports it with the property being read.
enum class Tok { End, Error, Ident, Integer, Float, String, Binary, Punct };

struct Token {
    Tok kind = Tok::End;
    std::string text;  // identifier or number text, decoded string, or binary bytes
    int line = 0;
    char punct() const { return kind == Tok::Punct ? text[0] : '\0'; }
};

bool IsLetter(char c) { return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || c == '_'; }
bool IsDigit(char c) { return c >= '0' && c <= '9'; }
bool IsIdentChar(char c) { return IsLetter(c) || IsDigit(c) || c == '.'; }

int HexValue(char c)
{
    if (IsDigit(c))
        return c - '0';
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    return -1;
}

std::string Describe(const Token& t)
{
    switch (t.kind) {
    case Tok::End: return "end of text";
    case Tok::String: return "a string";
    case Tok::Binary: return "binary data";
    default: return "\"" + t.text + "\"";
    }
}

class Lexer {
public:
    explicit Lexer(std::string_view text) : m_text(text)
    {
        if (m_text.substr(0, 3) == "\xEF\xBB\xBF")
            m_pos = 3;
    }

    std::vector<Token> Run()
    {
        std::vector<Token> tokens;
        try {
            Scan(tokens);
        } catch (const LexError& e) {
            tokens.push_back({Tok::Error, e.message, m_line});
            tokens.push_back({Tok::End, {}, m_line});
        }
        return tokens;
    }

private:
    struct LexError {
        std::string message;
    };

    [[noreturn]] void Fail(const std::string& message) const { throw LexError{message}; }

    void Scan(std::vector<Token>& tokens)
    {
        for (;;) {
            SkipBlanks();
            Token t;
            t.line = m_line;
            if (m_pos >= m_text.size()) {
                tokens.push_back(t);
                return;
            }
            const char c = m_text[m_pos];
            const char next = m_pos + 1 < m_text.size() ? m_text[m_pos + 1] : '\0';
            if (IsLetter(c) || ((c == '-' || c == '+') && IsLetter(next)))
                ReadIdent(t);
            else if (IsDigit(c) || ((c == '-' || c == '+') && IsDigit(next)))
                ReadNumber(t);
            else if (c == '"')
                ReadString(t);
            else if (c == '#')
                ReadBinary(t);
            else if (std::string_view("{}[]()<>,=@").find(c) != std::string_view::npos) {
                t.kind = Tok::Punct;
                t.text = std::string(1, c);
                ++m_pos;
            } else {
                Fail("unexpected character \"" + std::string(1, c) + "\"");
            }
            tokens.push_back(std::move(t));
        }
    }

    void SkipBlanks()
    {
        while (m_pos < m_text.size() && static_cast<unsigned char>(m_text[m_pos]) <= ' ') {
            if (m_text[m_pos] == '\n')
                ++m_line;
            ++m_pos;
        }
    }

    void ReadIdent(Token& t)
    {
        t.kind = Tok::Ident;
        const std::size_t start = m_pos++;
        while (m_pos < m_text.size() && IsIdentChar(m_text[m_pos]))
            ++m_pos;
        t.text = std::string(m_text.substr(start, m_pos - start));
    }

    void ReadDigits()
    {
        if (m_pos >= m_text.size() || !IsDigit(m_text[m_pos]))
            Fail("malformed number");
        while (m_pos < m_text.size() && IsDigit(m_text[m_pos]))
            ++m_pos;
    }

    void ReadNumber(Token& t)
    {
        const std::size_t start = m_pos;
        t.kind = Tok::Integer;
        if (m_text[m_pos] == '-' || m_text[m_pos] == '+')
            ++m_pos;
        ReadDigits();
        if (m_pos < m_text.size() && m_text[m_pos] == '.') {
            ++m_pos;
            ReadDigits();
            t.kind = Tok::Float;
        }
        if (m_pos < m_text.size() && (m_text[m_pos] == 'e' || m_text[m_pos] == 'E')) {
            ++m_pos;
            if (m_pos < m_text.size() && (m_text[m_pos] == '-' || m_text[m_pos] == '+'))
                ++m_pos;
            ReadDigits();
            t.kind = Tok::Float;
        }
        if (m_pos < m_text.size() && IsIdentChar(m_text[m_pos]))
            Fail("malformed number");
        t.text = std::string(m_text.substr(start, m_pos - start));
    }

    // Raw text is UTF-8 and becomes Windows-1252; \xHH gives the byte itself.
    void ReadString(Token& t)
    {
        t.kind = Tok::String;
        ++m_pos;
        std::string run;
        auto flush = [&] {
            t.text += Utf8ToWin1252(run);
            run.clear();
        };
        for (;;) {
            if (m_pos >= m_text.size() || m_text[m_pos] == '\n' || m_text[m_pos] == '\r')
                Fail("unterminated string");
            const char c = m_text[m_pos++];
            if (c == '"')
                break;
            if (c != '\\') {
                run += c;
                continue;
            }
            if (m_pos >= m_text.size())
                Fail("unterminated string");
            const char e = m_text[m_pos++];
            switch (e) {
            case '\\': run += '\\'; break;
            case '"': run += '"'; break;
            case 'n': run += '\n'; break;
            case 'r': run += '\r'; break;
            case 't': run += '\t'; break;
            case 'x': {
                const int hi = m_pos < m_text.size() ? HexValue(m_text[m_pos]) : -1;
                const int lo = m_pos + 1 < m_text.size() ? HexValue(m_text[m_pos + 1]) : -1;
                if (hi < 0 || lo < 0)
                    Fail("malformed \\x escape");
                flush();
                t.text += char(hi * 16 + lo);
                m_pos += 2;
                break;
            }
            default: Fail("unknown escape \\" + std::string(1, e));
            }
        }
        flush();
    }

    void ReadBinary(Token& t)
    {
        t.kind = Tok::Binary;
        ++m_pos;
        const std::size_t start = m_pos;
        while (m_pos < m_text.size() && HexValue(m_text[m_pos]) >= 0)
            ++m_pos;
        if (m_pos < m_text.size() && IsIdentChar(m_text[m_pos]))
            Fail("malformed binary data");
        if ((m_pos - start) % 2 != 0)
            Fail("binary data with an odd number of hex digits");
        for (std::size_t i = start; i < m_pos; i += 2)
            t.text += char(HexValue(m_text[i]) * 16 + HexValue(m_text[i + 1]));
    }

    std::string_view m_text;
    std::size_t m_pos = 0;
    int m_line = 1;
};

// ---------------------------------------------------------------------------------------
// Value texts shared by reader and writer

std::string FloatText(long double value, TFloatType type)
{
    if (std::isnan(value))
        return "NaN";
    if (std::isinf(value))
        return value > 0 ? "Inf" : "-Inf";
    char buffer[64];
    std::to_chars_result r;
    if (type == ftSingle)
        r = std::to_chars(buffer, buffer + sizeof buffer, static_cast<float>(value));
    else if (type == ftDouble)
        r = std::to_chars(buffer, buffer + sizeof buffer, static_cast<double>(value));
    else
        r = std::to_chars(buffer, buffer + sizeof buffer, value);
    std::string text(buffer, r.ptr);
    if (text.find_first_of(".e") == std::string::npos)
        text += ".0";
    return text;
}

std::string QuotedText(const std::string& value)
{
    static const char* hex = "0123456789ABCDEF";
    std::string out = "\"";
    for (char c : value) {
        const auto b = static_cast<unsigned char>(c);
        switch (c) {
        case '\\': out += "\\\\"; continue;
        case '"': out += "\\\""; continue;
        case '\n': out += "\\n"; continue;
        case '\r': out += "\\r"; continue;
        case '\t': out += "\\t"; continue;
        default: break;
        }
        // Controls and the bytes Windows-1252 leaves unassigned stay visible as escapes.
        const bool unassigned = b >= 0x80 && b <= 0x9F && Win1252ToUtf16(std::string(1, c))[0] == b;
        if (b < 0x20 || b == 0x7F || unassigned) {
            out += "\\x";
            out += hex[b >> 4];
            out += hex[b & 15];
        } else {
            out += Win1252ToUtf8(std::string(1, c));
        }
    }
    return out + "\"";
}

std::string SetValueText(const TTypeInfo& type, std::int64_t mask)
{
    std::string text = "[";
    const TTypeInfo& element = *type.ElementType;
    for (int i = 0; i < element.EnumCount(); ++i) {
        if (!(mask & (std::int64_t(1) << i)))
            continue;
        if (text.size() > 1)
            text += ", ";
        text += element.EnumName(i);
    }
    return text + "]";
}

// A component's Name goes into its block's header, not into an assignment.
bool IsComponentName(const TObject& instance, const TPropInfo& p)
{
    return SameText(p.Name(), "Name") && dynamic_cast<const TComponent*>(&instance);
}

// ---------------------------------------------------------------------------------------
// Reader

class TextReader : public TReader {
public:
    TextReader(std::string_view text) : m_tokens(Lexer(text).Run()) {}

    // Reads the root block into `root`, or creates the root through the class registry
    // when `root` is nullptr. Answers the root.
    TComponent* ReadRoot(TComponent* root, TComponent* owner)
    {
        const Token& cls = ExpectIdent("a class name");
        std::unique_ptr<TComponent> created;
        if (root) {
            if (!root->InheritsFrom(cls.text))
                Fail(cls, "the description is of class " + cls.text + ", not of " + root->ClassName());
        } else {
            created.reset(CreateComponent(cls, owner));
            root = created.get();
        }
        m_root = root;
        const std::string name = Peek().kind == Tok::Ident ? Next().text : std::string();
        Expect('{');
        {
            // However the reading ends, no component it reached stays marked as loading.
            TScopeExit endLoading([this] { EndLoading(); });
            StartLoading(*root, name, nullptr, cls);
            ReadEntries(*root, root);
            if (Peek().kind != Tok::End)
                Fail(Peek(), "unexpected " + Describe(Peek()) + " after the end of the description");
            ResolveReferences();
            CallLoaded();
        }
        created.release();
        return root;
    }

    // TFiler
    void DefineProperty(const std::string& name, const ReadFunction& read, const WriteFunction&, bool) override
    {
        if (m_definedHandled || m_definedName.empty() || !SameText(name, m_definedName))
            return;
        m_definedHandled = true;
        if (!read)
            Fail(Peek(), "the defined property cannot be read");
        read(*this);
    }
    TComponent* Root() const override { return m_root; }

    // TReader
    std::int64_t ReadInteger() override
    {
        const Token& t = Next();
        if (t.kind != Tok::Integer)
            Fail(t, "an integer was expected, not " + Describe(t));
        std::int64_t value = 0;
        const char* first = t.text.data() + (t.text[0] == '+' ? 1 : 0);
        const auto r = std::from_chars(first, t.text.data() + t.text.size(), value);
        if (r.ec != std::errc())
            Fail(t, "integer " + t.text + " out of range");
        return value;
    }

    long double ReadFloat() override
    {
        const Token& t = Next();
        if (t.kind == Tok::Ident) {
            if (t.text == "NaN")
                return std::numeric_limits<long double>::quiet_NaN();
            if (t.text == "Inf" || t.text == "+Inf")
                return std::numeric_limits<long double>::infinity();
            if (t.text == "-Inf")
                return -std::numeric_limits<long double>::infinity();
        }
        if (t.kind != Tok::Integer && t.kind != Tok::Float)
            Fail(t, "a number was expected, not " + Describe(t));
        long double value = 0;
        const char* first = t.text.data() + (t.text[0] == '+' ? 1 : 0);
        const auto r = std::from_chars(first, t.text.data() + t.text.size(), value);
        if (r.ec != std::errc())
            Fail(t, "number " + t.text + " out of range");
        return value;
    }

    std::string ReadString() override
    {
        const Token& t = Next();
        if (t.kind != Tok::String)
            Fail(t, "a string was expected, not " + Describe(t));
        return t.text;
    }

    bool ReadBoolean() override
    {
        const Token& t = Next();
        if (t.kind == Tok::Ident && (SameText(t.text, "True") || SameText(t.text, "False")))
            return SameText(t.text, "True");
        Fail(t, "True or False was expected, not " + Describe(t));
    }

    std::string ReadIdent() override { return ExpectIdent("an identifier").text; }

    std::vector<std::uint8_t> ReadBinary() override
    {
        const Token& t = Next();
        if (t.kind != Tok::Binary)
            Fail(t, "binary data was expected, not " + Describe(t));
        return std::vector<std::uint8_t>(t.text.begin(), t.text.end());
    }

    bool NextIsCollection() override { return Peek().punct() == '<'; }
    void ReadCollectionBegin() override { Expect('<'); }
    bool EndOfCollection() override { return Peek().punct() == '>' || Peek().kind == Tok::End; }
    void ReadCollectionEnd() override { Expect('>'); }

    void ReadItem(TPersistent& item) override
    {
        Expect('{');
        const std::string property = m_property;
        ReadEntries(item, nullptr);
        m_property = property;
    }

private:
    struct Reference {
        TPropertyRef property;
        Token name;
        std::string path;
    };

    // Whatever was expected, a lexical fault is the better explanation.
    [[noreturn]] void Fail(const Token& at, const std::string& message) const
    {
        throw EFormDescriptionError(at.line, m_property, at.kind == Tok::Error ? at.text : message);
    }

    const Token& Peek(std::size_t ahead = 0) const { return m_tokens[std::min(m_pos + ahead, m_tokens.size() - 1)]; }
    const Token& Next()
    {
        const Token& t = Peek();
        if (m_pos < m_tokens.size() - 1)
            ++m_pos;
        return t;
    }
    const Token& Expect(char punct)
    {
        const Token& t = Next();
        if (t.punct() != punct)
            Fail(t, "\"" + std::string(1, punct) + "\" was expected, not " + Describe(t));
        return t;
    }
    const Token& ExpectIdent(const char* what)
    {
        const Token& t = Next();
        if (t.kind != Tok::Ident)
            Fail(t, std::string(what) + " was expected, not " + Describe(t));
        return t;
    }

    TComponent* CreateComponent(const Token& cls, TComponent* owner)
    {
        TObject* object = nullptr;
        try {
            object = CreateObject(cls.text, owner);
        } catch (const Exception& e) {
            Fail(cls, e.Message());
        }
        auto* component = dynamic_cast<TComponent*>(object);
        if (!component) {
            delete object;
            Fail(cls, cls.text + " is not a component class");
        }
        return component;
    }

    // Runs `action`, turning the library's exceptions into errors at `at`.
    template <typename F>
    void Guarded(const Token& at, F action)
    {
        try {
            action();
        } catch (const EFormDescriptionError&) {
            throw;
        } catch (const Exception& e) {
            Fail(at, e.Message());
        }
    }

    void StartLoading(TComponent& component, const std::string& name, TComponent* parent, const Token& at)
    {
        m_loaded.push_back(&component);
        component.SetComponentState(csLoading, true);
        Guarded(at, [&] {
            if (!name.empty())
                component.SetName(name);
            if (parent)
                component.SetParentComponent(parent);
        });
    }

    // Components read so far that still exist (a Loaded() handler may free one).
    bool StillThere(TComponent* c) const
    {
        if (c == m_root)
            return true;
        for (int i = 0; i < m_root->ComponentCount(); ++i)
            if (m_root->Components(i) == c)
                return true;
        return false;
    }

    void CallLoaded()
    {
        for (TComponent* c : std::vector<TComponent*>(m_loaded))
            if (StillThere(c))
                c->Loaded();
    }

    void EndLoading()
    {
        for (TComponent* c : m_loaded)
            if (StillThere(c))
                c->SetComponentState(csLoading, false);
        m_loaded.clear();
    }

    void ReadEntries(TPersistent& object, TComponent* container)
    {
        // Deeper nesting than any form needs is a broken description, not a reason to
        // exhaust the stack.
        constexpr int maxDepth = 200;
        if (++m_depth > maxDepth)
            Fail(Peek(), "objects nested too deeply");
        ReadEntriesUntilEnd(object, container);
        --m_depth;
    }

    void ReadEntriesUntilEnd(TPersistent& object, TComponent* container)
    {
        for (;;) {
            const Token& t = Peek();
            if (t.punct() == '}') {
                Next();
                return;
            }
            if (t.punct() == '@') {
                Next();
                ReadDefinedEntry(object);
                continue;
            }
            if (t.kind == Tok::Ident) {
                const Token& after = Peek(1);
                if (after.punct() == '=') {
                    ReadAssignment(object);
                    continue;
                }
                if (container && (after.kind == Tok::Ident || after.punct() == '{')) {
                    ReadChild(*container);
                    continue;
                }
            }
            if (t.kind == Tok::End)
                Fail(t, "\"}\" is missing at the end of the description");
            Fail(t, "unexpected " + Describe(t));
        }
    }

    void ReadChild(TComponent& parent)
    {
        m_property.clear();
        const Token& cls = Next();
        const std::string name = Peek().kind == Tok::Ident ? Next().text : std::string();
        Expect('{');
        TComponent* child = name.empty() ? nullptr : m_root->FindComponent(name);
        if (child && std::find(m_loaded.begin(), m_loaded.end(), child) != m_loaded.end())
            Fail(cls, "a component named " + name + " was read before");
        if (child && !child->InheritsFrom(cls.text))
            Fail(cls, name + " exists and is not a " + cls.text);
        if (!child)
            child = CreateComponent(cls, m_root);
        StartLoading(*child, name, &parent, cls);
        ReadEntries(*child, child);
    }

    void ReadDefinedEntry(TPersistent& object)
    {
        const Token& name = ExpectIdent("a defined property name");
        Expect('=');
        const std::string savedName = m_definedName, savedProperty = m_property;
        const bool savedHandled = m_definedHandled;
        m_definedName = name.text;
        m_definedHandled = false;
        m_property = "@" + name.text;
        Guarded(name, [&] { object.DefineProperties(*this); });
        if (!m_definedHandled)
            Fail(name, object.ClassName() + " has no defined property " + name.text);
        m_definedName = savedName;
        m_definedHandled = savedHandled;
        m_property = savedProperty;
    }

    void ReadAssignment(TPersistent& object)
    {
        const Token& path = Next();
        Expect('=');
        m_property = path.text;
        const TPropertyRef ref = FindProperty(object, path.text);
        if (!ref)
            Fail(path, object.ClassName() + " has no property " + path.text);
        AssignValue(ref, path);
        m_property.clear();
    }

    void Refused(const Token& at) { Fail(at, "the value is refused"); }

    void AssignValue(const TPropertyRef& ref, const Token& path)
    {
        const TPropInfo& p = *ref.Info;
        const Token& at = Peek();
        if (p.Kind() == tkClass) {
            ReadObjectValue(ref, path);
            return;
        }
        if (!p.HasSetter())
            Fail(path, "the property is read-only");
        Guarded(at, [&] {
            switch (p.Kind()) {
            case tkInteger: {
                const bool named = Peek().kind == Tok::Ident && !p.Type().ValueNames.empty();
                const std::int64_t v = named ? ReadNamedValue(p.Type()) : ReadInteger();
                if (v < std::numeric_limits<std::int32_t>::min() || v > std::numeric_limits<std::uint32_t>::max())
                    Fail(at, "integer " + at.text + " out of range");
                if (!ref.SetOrd(v))
                    Refused(at);
                break;
            }
            case tkInt64:
                if (!ref.SetOrd(ReadInteger()))
                    Refused(at);
                break;
            case tkChar:
            case tkWChar: {
                const std::int64_t limit = p.Kind() == tkChar ? 0xFF : 0xFFFF;
                const std::int64_t v = ReadInteger();
                if (v < 0 || v > limit)
                    Fail(at, "character code " + at.text + " out of range");
                if (!ref.SetOrd(v))
                    Refused(at);
                break;
            }
            case tkEnumeration: {
                const Token& value = ExpectIdent("a value name");
                const int ordinal = p.Type().EnumOrdinal(value.text);
                if (ordinal < 0)
                    Fail(value, value.text + " is not a value of " + p.Type().Name);
                if (!ref.SetOrd(ordinal))
                    Refused(value);
                break;
            }
            case tkSet:
                if (!ref.SetOrd(ReadSet(*p.Type().ElementType)))
                    Refused(at);
                break;
            case tkFloat: {
                const long double v = ReadFloat();
                if (std::isfinite(v) && std::fabs(v) > MaxFloat(p.Type().FloatType))
                    Fail(at, "number " + at.text + " out of range");
                if (!ref.SetFloat(v))
                    Refused(at);
                break;
            }
            case tkString:
                if (!ref.SetString(ReadString()))
                    Refused(at);
                break;
            default: Fail(path, "properties of this kind cannot be assigned");
            }
        });
    }

    std::int64_t ReadNamedValue(const TTypeInfo& type)
    {
        const Token& value = ExpectIdent("a value name");
        const std::optional<std::int64_t> named = type.NamedValue(value.text);
        if (!named)
            Fail(value, value.text + " is not a value of " + type.Name);
        return *named;
    }

    std::int64_t ReadSet(const TTypeInfo& element)
    {
        Expect('[');
        std::int64_t mask = 0;
        if (Peek().punct() == ']') {
            Next();
            return mask;
        }
        for (;;) {
            const Token& value = ExpectIdent("a set element");
            const int ordinal = element.EnumOrdinal(value.text);
            if (ordinal < 0)
                Fail(value, value.text + " is not a value of " + element.Name);
            mask |= std::int64_t(1) << ordinal;
            const Token& t = Next();
            if (t.punct() == ']')
                return mask;
            if (t.punct() != ',')
                Fail(t, "\",\" or \"]\" was expected, not " + Describe(t));
        }
    }

    // String lists into owned lists, component names into references.
    void ReadObjectValue(const TPropertyRef& ref, const Token& path)
    {
        const Token& at = Peek();
        if (at.punct() == '(') {
            auto* strings = dynamic_cast<TStrings*>(ref.GetObject());
            if (!strings || !ref.Info->IsOwnedObject())
                Fail(path, "the property holds no string list");
            TStringList lines;
            Next();
            while (Peek().punct() != ')') {
                lines.Add(ReadString());
                if (Peek().punct() != ')')
                    Expect(',');
            }
            Next();
            Guarded(at, [&] { strings->Assign(lines); });
            return;
        }
        if (ref.Info->IsOwnedObject())
            Fail(path, "the properties of a sub-object are assigned one by one (" + path.text + ".Name = ...)");
        if (!ref.Info->HasSetter())
            Fail(path, "the property is read-only");
        m_references.push_back({ref, ExpectIdent("a component name"), m_property});
    }

    void ResolveReferences()
    {
        for (const Reference& r : m_references) {
            m_property = r.path;
            TComponent* target = SameText(m_root->Name(), r.name.text) ? m_root : m_root->FindComponent(r.name.text);
            if (!target)
                Fail(r.name, "no component is named " + r.name.text);
            bool accepted = false;
            Guarded(r.name, [&] { accepted = r.property.SetObject(target); });
            if (!accepted)
                Fail(r.name, r.name.text + " cannot be assigned to this property");
        }
        m_property.clear();
    }

    static long double MaxFloat(TFloatType type)
    {
        switch (type) {
        case ftSingle: return std::numeric_limits<float>::max();
        case ftDouble: return std::numeric_limits<double>::max();
        default: return std::numeric_limits<long double>::max();
        }
    }

    std::vector<Token> m_tokens;
    std::size_t m_pos = 0;
    int m_depth = 0;
    TComponent* m_root = nullptr;
    std::string m_property;     // the entry being read, for messages
    std::string m_definedName;  // the defined property DefineProperties is asked for
    bool m_definedHandled = false;
    std::vector<TComponent*> m_loaded;
    std::vector<Reference> m_references;
};

// ---------------------------------------------------------------------------------------
// Writer

class TextWriter : public TWriter {
public:
    explicit TextWriter(TComponent& root) : m_root(root) {}

    std::string Take() { return std::move(m_out); }

    void WriteComponent(TComponent& component)
    {
        std::string header = component.ClassName();
        if (!component.Name().empty())
            header += " " + component.Name();
        Line(header + " {");
        ++m_indent;
        WriteProperties(component);
        for (int i = 0; i < m_root.ComponentCount(); ++i) {
            TComponent* child = m_root.Components(i);
            if (ParentInDescription(*child) == &component)
                WriteComponent(*child);
        }
        --m_indent;
        Line("}");
    }

    // TFiler
    void DefineProperty(const std::string& name, const ReadFunction&, const WriteFunction& write, bool hasData) override
    {
        if (!hasData || !write)
            return;
        m_out += Indent() + "@" + name + " =";
        write(*this);
        m_out += "\n";
    }
    TComponent* Root() const override { return &m_root; }

    // TWriter
    void WriteInteger(std::int64_t value) override { Value(std::to_string(value)); }
    void WriteFloat(long double value) override { Value(FloatText(value, ftExtended)); }
    void WriteString(const std::string& value) override { Value(QuotedText(value)); }
    void WriteBoolean(bool value) override { Value(value ? "True" : "False"); }
    void WriteIdent(const std::string& value) override { Value(value); }
    void WriteBinary(const std::vector<std::uint8_t>& value) override
    {
        static const char* hex = "0123456789ABCDEF";
        std::string text = "#";
        for (std::uint8_t b : value) {
            text += hex[b >> 4];
            text += hex[b & 15];
        }
        Value(text);
    }

    void WriteCollectionBegin() override
    {
        Value("<\n");
        ++m_indent;
    }
    void WriteItem(TPersistent& item) override
    {
        WriteItemBegin();
        WriteProperties(item);
        WriteItemEnd();
    }
    void WriteCollectionEnd() override
    {
        --m_indent;
        m_out += Indent() + ">";
    }
    void WriteItemBegin() override
    {
        Line("{");
        ++m_indent;
    }
    void WriteItemEnd() override
    {
        --m_indent;
        Line("}");
    }

    void WriteProperties(TPersistent& instance) override
    {
        WritePublished(instance, {});
        instance.DefineProperties(*this);
    }

    void WriteProperty(TPersistent& instance, const TPropInfo& property) override { WriteOne(instance, property, {}); }

private:
    // The component whose block holds `c`: its parent when the description holds the
    // parent, else the root.
    TComponent* ParentInDescription(TComponent& c) const
    {
        TComponent* parent = c.GetParentComponent();
        if (parent && parent != &c && (parent == &m_root || parent->Owner() == &m_root))
            return parent;
        return &m_root;
    }

    std::string Indent() const { return std::string(std::size_t(m_indent) * 2, ' '); }
    void Line(const std::string& text) { m_out += Indent() + text + "\n"; }
    void Value(const std::string& text)
    {
        if (!m_out.empty() && m_out.back() != '\n')
            m_out += ' ';
        m_out += text;
    }

    void WritePublished(TPersistent& instance, const std::string& prefix)
    {
        for (const TPropInfo* p : instance.ClassInfo().Properties())
            WriteOne(instance, *p, prefix);
    }

    void WriteOne(TObject& instance, const TPropInfo& p, const std::string& prefix)
    {
        const bool owned = p.Kind() == tkClass && p.IsOwnedObject();
        if (!p.HasGetter() || (!p.HasSetter() && !owned) || !p.IsStored(instance))
            return;
        if (prefix.empty() && IsComponentName(instance, p))
            return;
        const std::string path = prefix.empty() ? p.Name() : prefix + "." + p.Name();
        std::string text;
        switch (p.Kind()) {
        case tkInteger:
        case tkInt64:
        case tkChar:
        case tkWChar:
            if (p.IsDefaultValue(instance))
                return;
            text = p.Type().ValueName(p.GetOrd(instance));
            if (text.empty())
                text = std::to_string(p.GetOrd(instance));
            break;
        case tkEnumeration:
            if (p.IsDefaultValue(instance))
                return;
            text = p.Type().EnumName(p.GetOrd(instance));
            if (text.empty())
                return;  // an ordinal without a name cannot be read back
            break;
        case tkSet:
            if (p.IsDefaultValue(instance))
                return;
            text = SetValueText(p.Type(), p.GetOrd(instance));
            break;
        case tkFloat: text = FloatText(p.GetFloat(instance), p.Type().FloatType); break;
        case tkString: text = QuotedText(p.GetString(instance)); break;
        case tkClass:
            text = ObjectText(instance, p, path);
            if (text.empty())
                return;
            break;
        default: return;
        }
        Line(path + " = " + text);
    }

    // A string list, a reference, or nothing (a sub-object's properties follow by path).
    std::string ObjectText(TObject& instance, const TPropInfo& p, const std::string& path)
    {
        TObject* object = p.GetObject(instance);
        if (!object)
            return {};
        if (p.IsOwnedObject()) {
            if (auto* strings = dynamic_cast<TStrings*>(object)) {
                std::string text = "(";
                for (int i = 0; i < strings->Count(); ++i)
                    text += (i ? ", " : "") + QuotedText(strings->Get(i));
                return text + ")";
            }
            if (auto* persistent = dynamic_cast<TPersistent*>(object))
                WritePublished(*persistent, path);
            return {};
        }
        auto* target = dynamic_cast<TComponent*>(object);
        if (target && !target->Name().empty() && (target == &m_root || target->Owner() == &m_root))
            return target->Name();
        return {};
    }

    TComponent& m_root;
    std::string m_out;
    int m_indent = 0;
};

}  // namespace

TComponent* CreateComponentFromText(std::string_view utf8Text, TComponent* owner)
{
    return TextReader(utf8Text).ReadRoot(nullptr, owner);
}

void ReadComponentFromText(TComponent& root, std::string_view utf8Text)
{
    TextReader(utf8Text).ReadRoot(&root, nullptr);
}

std::string WriteComponentToText(TComponent& root)
{
    TextWriter writer(root);
    writer.WriteComponent(root);
    return writer.Take();
}
