#pragma once
// The simulated world behind the stand-in OPC library: a small network of computers, their
// OPC servers and each server's item name space. Items either simulate (their value is a
// function of time) or hold what a client or a test wrote. Not thread-safe: the library
// guards it with its one mutex.

#include "opc/iOPC2Abi.h"

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace iopc2 {

// Text inside the library is UTF-8; the boundary converts.
std::string FromBstr(const OLECHAR* s);
BSTR ToBstr(std::string_view utf8);
std::string From8Bit(const char* s);  // Latin-1 -> UTF-8
std::string To8Bit(std::string_view utf8);
bool SameName(std::string_view a, std::string_view b);  // ASCII case-insensitive

double NowAsDateTime();  // local time, days since 1899-12-30

// A VARIANT that owns its string.
class Value {
public:
    Value() { VariantInit(&m_v); }
    explicit Value(const VARIANT& v)
    {
        VariantInit(&m_v);
        VariantCopy(&m_v, &v);
    }
    Value(const Value& other) : Value(other.m_v) {}
    Value& operator=(const Value& other);
    ~Value() { VariantClear(&m_v); }
    static Value Real(double d);
    static Value Int(int32_t i);
    static Value Text(std::string_view utf8);
    static Value Boolean(bool b);

    const VARIANT& Get() const { return m_v; }
    void CopyTo(VARIANT* out) const { VariantCopy(out, &m_v); }
    bool operator==(const Value& other) const;
    Value ConvertedTo(VARTYPE vt) const;  // the value as the requested type where it converts
    std::string AsText() const;

private:
    VARIANT m_v;
};

enum class Wave { Sine, Ramp, Counter, Random, Toggle, Fixed };

struct Item {
    std::string Id;  // the qualified identifier
    Wave Kind = Wave::Fixed;
    double Period = 10;  // seconds of one wave period
    double Amplitude = 1;
    VARTYPE Type = VT_R8;
    bool Writable = true;
    Value Current;
    double TimeStamp = 0;
    uint16_t Quality = 0xC0;
    uint64_t Version = 1;  // bumped on every change

    void Refresh(double secondsSinceStart, double now);  // recompute a simulated value
    void Set(const Value& v, uint16_t quality, double timeStamp);
};

struct Branch {
    std::string Name;
    std::vector<Branch> Branches;
    std::vector<std::string> Leaves;  // names; the item identifier is the dotted path
};

struct Server {
    std::string Name;
    int32_t IconIndex = 0;
    bool Hierarchical = true;
    Branch Root;
    std::vector<std::unique_ptr<Item>> Items;

    Item* FindItem(std::string_view id);
    const Branch* FindBranch(const std::vector<std::string>& rootFirstPath) const;
};

struct Computer {
    std::string Name;
    std::vector<std::unique_ptr<Server>> Servers;
    Server* FindServer(std::string_view name);
};

// One entry of a browse level of the network.
struct NetEntry {
    int Kind;  // an IOPC2_NET_ kind
    std::string RemoteName;
    std::string Comment;
    std::vector<NetEntry> Children;
};

class World {
public:
    World();
    Computer* FindComputer(std::string_view name);  // "Local" and "" name this computer
    Server* FindServer(std::string_view computer, std::string_view server);
    const NetEntry& Network() const { return m_network; }
    void RefreshAll(double now);
    double SecondsSinceStart() const;

private:
    std::vector<std::unique_ptr<Computer>> m_computers;
    NetEntry m_network;
    double m_start;
};

}  // namespace iopc2
