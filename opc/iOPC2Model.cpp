#include "opc/iOPC2Model.h"

#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <ctime>
#include <numbers>

namespace iopc2 {

// ---- text ---------------------------------------------------------------------------------

std::string FromBstr(const OLECHAR* s)
{
    std::string out;
    const uint32_t n = BstrLen(s);
    for (uint32_t i = 0; i < n; ++i) {
        uint32_t c = s[i];
        if (c >= 0xD800 && c < 0xDC00 && i + 1 < n && s[i + 1] >= 0xDC00 && s[i + 1] < 0xE000)
            c = 0x10000 + ((c - 0xD800) << 10) + (s[++i] - 0xDC00);
        else if (c >= 0xD800 && c < 0xE000)
            c = '?';
        if (c < 0x80) {
            out += char(c);
        } else if (c < 0x800) {
            out += char(0xC0 | (c >> 6));
            out += char(0x80 | (c & 0x3F));
        } else if (c < 0x10000) {
            out += char(0xE0 | (c >> 12));
            out += char(0x80 | ((c >> 6) & 0x3F));
            out += char(0x80 | (c & 0x3F));
        } else {
            out += char(0xF0 | (c >> 18));
            out += char(0x80 | ((c >> 12) & 0x3F));
            out += char(0x80 | ((c >> 6) & 0x3F));
            out += char(0x80 | (c & 0x3F));
        }
    }
    return out;
}

static std::u32string DecodeUtf8(std::string_view s)
{
    std::u32string out;
    for (size_t i = 0; i < s.size();) {
        const unsigned char b = s[i];
        const int extra = b < 0x80 ? 0 : (b >> 5) == 6 ? 1 : (b >> 4) == 14 ? 2 : (b >> 3) == 30 ? 3 : -1;
        if (extra < 0 || i + extra >= s.size() + (extra == 0 ? 1 : 0)) {
            out += U'?';
            ++i;
            continue;
        }
        char32_t c = extra == 0 ? b : b & (0x3F >> extra);
        bool ok = true;
        for (int k = 1; k <= extra; ++k) {
            const unsigned char t = s[i + k];
            if ((t & 0xC0) != 0x80)
                ok = false;
            c = (c << 6) | (t & 0x3F);
        }
        out += ok ? c : U'?';
        i += ok ? extra + 1 : 1;
    }
    return out;
}

BSTR ToBstr(std::string_view utf8)
{
    std::u16string units;
    for (char32_t c : DecodeUtf8(utf8)) {
        if (c >= 0x10000) {
            units += char16_t(0xD800 + ((c - 0x10000) >> 10));
            units += char16_t(0xDC00 + ((c - 0x10000) & 0x3FF));
        } else {
            units += char16_t(c);
        }
    }
    return BstrAllocLen(reinterpret_cast<const OLECHAR*>(units.data()), uint32_t(units.size()));
}

std::string From8Bit(const char* s)
{
    std::string out;
    for (; s && *s; ++s) {
        const unsigned char c = *s;
        if (c < 0x80) {
            out += char(c);
        } else {
            out += char(0xC0 | (c >> 6));
            out += char(0x80 | (c & 0x3F));
        }
    }
    return out;
}

std::string To8Bit(std::string_view utf8)
{
    std::string out;
    for (char32_t c : DecodeUtf8(utf8))
        out += c < 0x100 ? char(c) : '?';
    return out;
}

bool SameName(std::string_view a, std::string_view b)
{
    if (a.size() != b.size())
        return false;
    for (size_t i = 0; i < a.size(); ++i) {
        auto lower = [](char c) { return c >= 'A' && c <= 'Z' ? char(c + 32) : c; };
        if (lower(a[i]) != lower(b[i]))
            return false;
    }
    return true;
}

double NowAsDateTime()
{
    const auto now = std::chrono::system_clock::now();
    const double unixSeconds = std::chrono::duration<double>(now.time_since_epoch()).count();
    const std::time_t t = std::time_t(unixSeconds);
    std::tm local{};
    localtime_r(&t, &local);
    return (unixSeconds + double(local.tm_gmtoff)) / 86400.0 + 25569.0;
}

// ---- values -------------------------------------------------------------------------------

Value& Value::operator=(const Value& other)
{
    if (this != &other)
        VariantCopy(&m_v, &other.m_v);
    return *this;
}

Value Value::Real(double d)
{
    Value v;
    v.m_v.vt = VT_R8;
    v.m_v.u.dblVal = d;
    return v;
}

Value Value::Int(int32_t i)
{
    Value v;
    v.m_v.vt = VT_I4;
    v.m_v.u.lVal = i;
    return v;
}

Value Value::Text(std::string_view utf8)
{
    Value v;
    v.m_v.vt = VT_BSTR;
    v.m_v.u.bstrVal = ToBstr(utf8);
    return v;
}

Value Value::Boolean(bool b)
{
    Value v;
    v.m_v.vt = VT_BOOL;
    v.m_v.u.boolVal = b ? -1 : 0;
    return v;
}

static bool AsNumber(const VARIANT& v, double& d)
{
    switch (v.vt) {
    case VT_I1: d = v.u.cVal; return true;
    case VT_UI1: d = v.u.bVal; return true;
    case VT_I2: d = v.u.iVal; return true;
    case VT_UI2: d = v.u.uiVal; return true;
    case VT_I4:
    case VT_INT: d = v.u.lVal; return true;
    case VT_UI4:
    case VT_UINT: d = v.u.ulVal; return true;
    case VT_I8: d = double(v.u.llVal); return true;
    case VT_UI8: d = double(v.u.ullVal); return true;
    case VT_R4: d = v.u.fltVal; return true;
    case VT_R8:
    case VT_DATE: d = v.u.dblVal; return true;
    case VT_CY: d = double(v.u.cyVal) / 10000.0; return true;
    case VT_BOOL: d = v.u.boolVal ? -1 : 0; return true;
    default: return false;
    }
}

bool Value::operator==(const Value& other) const
{
    if (m_v.vt != other.m_v.vt)
        return false;
    if (m_v.vt == VT_BSTR)
        return FromBstr(m_v.u.bstrVal) == FromBstr(other.m_v.u.bstrVal);
    return std::memcmp(&m_v.u, &other.m_v.u, sizeof m_v.u) == 0;
}

std::string Value::AsText() const
{
    char buffer[64];
    switch (m_v.vt) {
    case VT_EMPTY:
    case VT_NULL: return "";
    case VT_BSTR: return FromBstr(m_v.u.bstrVal);
    case VT_BOOL: return m_v.u.boolVal ? "True" : "False";
    case VT_R4:
    case VT_R8:
    case VT_DATE:
    case VT_CY: {
        double d = 0;
        AsNumber(m_v, d);
        std::snprintf(buffer, sizeof buffer, "%.15g", d);
        return buffer;
    }
    case VT_I8: std::snprintf(buffer, sizeof buffer, "%lld", (long long)m_v.u.llVal); return buffer;
    case VT_UI8: std::snprintf(buffer, sizeof buffer, "%llu", (unsigned long long)m_v.u.ullVal); return buffer;
    default: {
        double d = 0;
        AsNumber(m_v, d);
        std::snprintf(buffer, sizeof buffer, "%.0f", d);
        return buffer;
    }
    }
}

Value Value::ConvertedTo(VARTYPE vt) const
{
    double d = 0;
    if (vt == 0 || vt == m_v.vt)
        return *this;
    if (vt == VT_BSTR)
        return Text(AsText());
    if (!AsNumber(m_v, d))
        return *this;
    switch (vt) {
    case VT_R8: return Real(d);
    case VT_I4:
        if (std::fabs(d) < 2147483647.0)
            return Int(int32_t(std::lrint(d)));
        return *this;
    case VT_BOOL: return Boolean(d != 0);
    default: return *this;
    }
}

// ---- items and servers --------------------------------------------------------------------

void Item::Refresh(double seconds, double now)
{
    Value next;
    const double phase = seconds / Period;
    switch (Kind) {
    case Wave::Fixed: return;
    case Wave::Sine: next = Value::Real(Amplitude * std::sin(2 * std::numbers::pi * phase)); break;
    case Wave::Ramp: next = Value::Real(Amplitude * (phase - std::floor(phase))); break;
    case Wave::Counter: {
        VARIANT v;
        VariantInit(&v);
        v.vt = Type;
        v.u.iVal = int16_t(int64_t(std::floor(seconds / Period)) % 32768);
        next = Value(v);
        break;
    }
    case Wave::Random: {
        // A deterministic scramble of the period number: noise-like, no shared generator state.
        uint64_t x = uint64_t(std::floor(seconds / Period)) * 0x9E3779B97F4A7C15ull;
        x ^= x >> 29;
        next = Value::Real(Amplitude * double(x % 10000) / 10000.0);
        break;
    }
    case Wave::Toggle: next = Value::Boolean(int64_t(std::floor(phase)) % 2 != 0); break;
    }
    if (!(next == Current)) {
        Current = next;
        TimeStamp = now;
        ++Version;
    }
}

void Item::Set(const Value& v, uint16_t quality, double timeStamp)
{
    Kind = Wave::Fixed;
    Current = v;
    Quality = quality;
    TimeStamp = timeStamp;
    ++Version;
}

Item* Server::FindItem(std::string_view id)
{
    for (auto& item : Items)
        if (SameName(item->Id, id))
            return item.get();
    return nullptr;
}

const Branch* Server::FindBranch(const std::vector<std::string>& path) const
{
    const Branch* at = &Root;
    for (const std::string& name : path) {
        const Branch* next = nullptr;
        for (const Branch& b : at->Branches)
            if (SameName(b.Name, name))
                next = &b;
        if (!next)
            return nullptr;
        at = next;
    }
    return at;
}

Server* Computer::FindServer(std::string_view name)
{
    for (auto& s : Servers)
        if (SameName(s->Name, name))
            return s.get();
    return nullptr;
}

namespace {

struct ItemDef {
    const char* Path;  // dotted; the last part is the leaf
    Wave Kind;
    VARTYPE Type;
    double Period;
    double Amplitude;
    bool Writable;
    const char* FixedText;  // start value of a fixed text item
};

void AddItem(Server& server, const ItemDef& def)
{
    auto item = std::make_unique<Item>();
    item->Id = def.Path;
    item->Kind = def.Kind;
    item->Type = def.Type;
    item->Period = def.Period;
    item->Amplitude = def.Amplitude;
    item->Writable = def.Writable;
    if (def.Kind == Wave::Fixed) {
        if (def.Type == VT_BSTR)
            item->Current = Value::Text(def.FixedText ? def.FixedText : "");
        else if (def.Type == VT_BOOL)
            item->Current = Value::Boolean(false);
        else if (def.Type == VT_I4)
            item->Current = Value::Int(0);
        else
            item->Current = Value::Real(def.Amplitude);
    }
    // File the leaf under its branches (hierarchical servers) or at the root (flat ones).
    std::string_view rest = def.Path;
    Branch* at = &server.Root;
    if (server.Hierarchical) {
        for (size_t dot; (dot = rest.find('.')) != std::string_view::npos; rest.remove_prefix(dot + 1)) {
            const std::string name(rest.substr(0, dot));
            Branch* next = nullptr;
            for (Branch& b : at->Branches)
                if (b.Name == name)
                    next = &b;
            if (!next) {
                at->Branches.push_back(Branch{name, {}, {}});
                next = &at->Branches.back();
            }
            at = next;
        }
    }
    at->Leaves.emplace_back(rest);
    server.Items.push_back(std::move(item));
}

std::unique_ptr<Server> MakeSimulationServer()
{
    auto server = std::make_unique<Server>();
    server->Name = "Pravix.Simulation.1";
    server->IconIndex = 0;
    server->Hierarchical = true;
    const ItemDef defs[] = {
        {"Ship.Engine.Temperature", Wave::Sine, VT_R8, 20, 40, true, nullptr},
        {"Ship.Engine.Speed", Wave::Ramp, VT_R8, 30, 1500, false, nullptr},
        {"Ship.Position.Depth", Wave::Sine, VT_R8, 60, 200, true, nullptr},
        {"Ship.Position.Heading", Wave::Ramp, VT_R8, 120, 360, true, nullptr},
        {"Sensors.Counter", Wave::Counter, VT_I2, 1, 1, true, nullptr},
        {"Sensors.Pump", Wave::Toggle, VT_BOOL, 5, 1, true, nullptr},
        {"Sensors.Status", Wave::Fixed, VT_BSTR, 1, 1, true, "Ready"},
        {"Sensors.Setpoint", Wave::Fixed, VT_R8, 1, 12.5, true, nullptr},
    };
    for (const ItemDef& s : defs)
        AddItem(*server, s);
    return server;
}

std::unique_ptr<Server> MakeFlatServer()
{
    auto server = std::make_unique<Server>();
    server->Name = "Pravix.Flat.1";
    server->IconIndex = 1;
    server->Hierarchical = false;
    const ItemDef defs[] = {
        {"Random.Real8", Wave::Random, VT_R8, 0.5, 100, true, nullptr},
        {"Random.Int2", Wave::Counter, VT_I2, 0.25, 1, true, nullptr},
        {"Bucket.Text", Wave::Fixed, VT_BSTR, 1, 1, true, "Empty"},
    };
    for (const ItemDef& s : defs)
        AddItem(*server, s);
    return server;
}

}  // namespace

World::World() : m_start(NowAsDateTime())
{
    auto lab = std::make_unique<Computer>();
    lab->Name = "LABPC";
    lab->Servers.push_back(MakeSimulationServer());
    lab->Servers.push_back(MakeFlatServer());
    auto survey = std::make_unique<Computer>();
    survey->Name = "SURVEY1";
    survey->Servers.push_back(MakeFlatServer());
    m_computers.push_back(std::move(lab));
    m_computers.push_back(std::move(survey));

    NetEntry domain{IOPC2_NET_DOMAIN, "OCEAN", "Research vessels", {}};
    for (auto& c : m_computers)
        domain.Children.push_back(NetEntry{IOPC2_NET_COMPUTER, c->Name, "", {}});
    NetEntry network{IOPC2_NET_NETWORK, "Pravix Network", "", {domain}};
    m_network = NetEntry{IOPC2_NET_ROOT, "", "", {network}};
    RefreshAll(m_start);
}

Computer* World::FindComputer(std::string_view name)
{
    if (name.empty() || SameName(name, "Local") || SameName(name, "localhost"))
        return m_computers[0].get();
    for (auto& c : m_computers)
        if (SameName(c->Name, name))
            return c.get();
    return nullptr;
}

Server* World::FindServer(std::string_view computer, std::string_view server)
{
    Computer* c = FindComputer(computer);
    return c ? c->FindServer(server) : nullptr;
}

double World::SecondsSinceStart() const { return (NowAsDateTime() - m_start) * 86400.0; }

void World::RefreshAll(double now)
{
    const double seconds = (now - m_start) * 86400.0;
    for (auto& c : m_computers)
        for (auto& s : c->Servers)
            for (auto& item : s->Items) {
                item->Refresh(seconds, now);
                if (item->TimeStamp == 0)
                    item->TimeStamp = now;
            }
}

}  // namespace iopc2
