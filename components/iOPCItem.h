#pragma once
// An OPC item binds one value of an OPC server to a published property of a component or to
// the input of a plot channel; TiOPCItemManager is the ordered item list of one owner.
//
// New data reach the item in two steps: on the library's thread the item's callback table only
// fetches value, time stamp and quality (see iOPCDLLLoader.h); the packaged sample is applied
// where the callback dispatcher runs it (the GUI thread), and dropped there when the item has
// been freed or registered anew in the meantime.

#include "components/iOPCDLLLoader.h"
#include "components/iTypes.h"
#include "platform/core/Component.h"

#include <memory>
#include <string>
#include <vector>

class TiOPCItemManager;

// Asks the owner for the type kind of the named property.
using TOPCItemGetDataTypeEvent = Event<const std::string&, TTypeKind&>;

class TiOPCItem : public TPersistent {
    PRAVIX_CLASS(TiOPCItem, TPersistent)
public:
    TiOPCItem();
    ~TiOPCItem() override;

    const std::string& PropertyName() const { return m_propertyName; }
    void SetPropertyName(const std::string& value);
    const std::string& GroupName() const { return m_groupName; }
    void SetGroupName(const std::string& value);
    const std::string& ComputerName() const { return m_computerName; }
    void SetComputerName(const std::string& value);
    const std::string& ServerName() const { return m_serverName; }
    void SetServerName(const std::string& value);
    const std::string& ItemName() const { return m_itemName; }
    void SetItemName(const std::string& value);
    double Scalar() const { return m_scalar; }
    void SetScalar(double value) { m_scalar = value; }
    double Offset() const { return m_offset; }
    void SetOffset(double value) { m_offset = value; }
    int UpdateRate() const { return m_updateRate; }
    void SetUpdateRate(int value);
    bool AutoConnect() const { return m_autoConnect; }
    void SetAutoConnect(bool value);
    bool AutoError() const { return m_autoError; }
    void SetAutoError(bool value);

    // The type kind of the bound property, as the manager's property-type callback answered.
    TTypeKind PropertyKind() const { return m_propertyKind; }
    int Handle() const { return m_handle; }
    const TVariant& Data() const { return m_data; }
    TDateTime TimeStamp() const { return m_timeStamp; }
    uint16_t Quality() const { return m_quality; }
    TiOPCItemManager* Manager() const { return m_manager; }
    void SetManager(TiOPCItemManager* manager) { m_manager = manager; }

    // After the item's properties were read from a stream; never raises.
    void Loaded();
    void Activate();
    void ActivateSuspend();
    void Deactivate();
    // Fetches the signal's latest data from the library and applies it.
    void ReceiveData(int Handle);
    // Applies data fetched for the item: scaling of good values, error state, notification.
    // A sample for another handle than the item's current one is dropped.
    void ApplyData(const TOPCSignalSample& sample);
    void SetData(const TVariant& Value);
    TVariant GetDataNow(uint16_t& Quality);
    void UpdateSuspend();
    void UpdateResume();
    bool GetUpdateSuspended() const;
    void UpdateError();
    bool GetQualityGood() const { return (m_quality & 0xC0) == 0xC0; }
    bool GetActive() const;

    // The table the library calls back through.
    IOPCSignalUpdate* SignalUpdate() { return m_callback.Interface(); }

private:
    void Register(bool suspended);
    bool Designing() const;
    void ReactivateIfActive();
    void Scale();

    std::string m_propertyName;
    TTypeKind m_propertyKind = tkUnknown;
    std::string m_groupName;
    std::string m_serverName;
    std::string m_computerName = "Local";
    std::string m_itemName;
    bool m_autoConnect = true;
    int m_updateRate = 500;
    double m_scalar = 0;
    double m_offset = 0;
    int m_handle = 0;
    TVariant m_data;
    TDateTime m_timeStamp = 0;
    uint16_t m_quality = 0;
    TiOPCItemManager* m_manager = nullptr;
    bool m_autoError = false;
    TOPCSignalUpdate m_callback;
};

class TiOPCItemManager : public TObject {
    PRAVIX_CLASS(TiOPCItemManager, TObject)
public:
    TiOPCItemManager() = default;
    ~TiOPCItemManager() override;

    int Add();
    void Clear();
    void Delete(int Index);
    int GetCount() const { return int(m_items.size()); }
    TiOPCItem* GetItem(int Index) const;  // a bad index raises the list-index error
    int FindIndex(const TiOPCItem* Item) const;
    bool GetDesigning();

    // The "OPCItems" stream: a collection of the items' stored properties.
    bool DoWriteToStream() const { return !m_items.empty(); }
    void WriteToStream(TWriter& Writer);
    void ReadFromStream(TReader& Reader);

    // Filled in by whoever creates the manager.
    TGetDesigningEvent OnGetDesigning;
    TNotifyEvent OnNewData;  // Sender is the item
    TOPCItemGetDataTypeEvent OnGetDataType;
    TComponent* Owner = nullptr;  // not owned; may be nullptr

private:
    std::vector<std::unique_ptr<TiOPCItem>> m_items;
};
