#pragma once
// Custom streamed data of an object ("defined properties"). An object's
// DefineProperties(TFiler&) names each of its extra values with a read function and a
// write function; a form-description reader calls the read function of the entry it
// meets, a writer calls the write function of every entry that has data:
//
//     void TiPlot::DefineProperties(TFiler& filer)
//     {
//         inherited::DefineProperties(filer);
//         filer.DefineProperty("DataViewZHorz",
//             [this](TReader& r) { SetZHorz(int(r.ReadInteger())); },
//             [this](TWriter& w) { w.WriteInteger(ZHorz()); }, true);
//         filer.DefineProperty("ChannelManager",
//             [this](TReader& r) { m_channels->ReadFromStream(r); },
//             [this](TWriter& w) { m_channels->WriteToStream(w); }, m_channels->Count() > 0);
//     }
//
// A collection is a list of items, each a list of property assignments:
//
//     w.WriteCollectionBegin();
//     for (TPersistent* item : items) w.WriteItem(*item);
//     w.WriteCollectionEnd();
//
//     if (r.NextIsCollection()) {
//         r.ReadCollectionBegin();
//         while (!r.EndOfCollection()) { auto* item = NewItem(); r.ReadItem(*item); item->Loaded(); }
//         r.ReadCollectionEnd();
//     }

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

class TComponent;
class TPersistent;
class TPropInfo;
class TReader;
class TWriter;

class TFiler {
public:
    using ReadFunction = std::function<void(TReader&)>;
    using WriteFunction = std::function<void(TWriter&)>;

    virtual ~TFiler() = default;
    // `hasData` tells a writer whether to write the entry at all.
    virtual void DefineProperty(const std::string& name, const ReadFunction& read, const WriteFunction& write,
                                bool hasData) = 0;
    // The component the whole description belongs to (the form).
    virtual TComponent* Root() const = 0;
};

class TReader : public TFiler {
public:
    // One value each. A value of another form raises an error naming the line and entry.
    virtual std::int64_t ReadInteger() = 0;
    virtual long double ReadFloat() = 0;  // an integer is accepted too
    virtual std::string ReadString() = 0;
    virtual bool ReadBoolean() = 0;
    virtual std::string ReadIdent() = 0;
    virtual std::vector<std::uint8_t> ReadBinary() = 0;

    // Collections: < { item } { item } ... >
    virtual bool NextIsCollection() = 0;
    virtual void ReadCollectionBegin() = 0;
    virtual bool EndOfCollection() = 0;
    // Reads one item's assignments and defined properties into `item`.
    virtual void ReadItem(TPersistent& item) = 0;
    virtual void ReadCollectionEnd() = 0;
};

class TWriter : public TFiler {
public:
    virtual void WriteInteger(std::int64_t value) = 0;
    virtual void WriteFloat(long double value) = 0;
    virtual void WriteString(const std::string& value) = 0;
    virtual void WriteBoolean(bool value) = 0;
    virtual void WriteIdent(const std::string& value) = 0;
    virtual void WriteBinary(const std::vector<std::uint8_t>& value) = 0;

    virtual void WriteCollectionBegin() = 0;
    // WriteItemBegin(); WriteProperties(item); WriteItemEnd();
    virtual void WriteItem(TPersistent& item) = 0;
    virtual void WriteCollectionEnd() = 0;

    virtual void WriteItemBegin() = 0;
    virtual void WriteItemEnd() = 0;
    // The stored published properties of `instance` that have a getter and a setter and
    // differ from their declared default (owned sub-objects by dotted path), then the
    // defined properties it asks for.
    virtual void WriteProperties(TPersistent& instance) = 0;
    // One published property of `instance`, unless it equals its declared default.
    virtual void WriteProperty(TPersistent& instance, const TPropInfo& property) = 0;
};
