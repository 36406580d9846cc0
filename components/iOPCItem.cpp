#include "components/iOPCItem.h"

#include "components/iComponent.h"
#include "platform/core/StrUtils.h"

#include <cmath>
#include <cstdint>

PRAVIX_PUBLISH(TiOPCItem, Prop("PropertyName", &TiOPCItem::PropertyName, &TiOPCItem::SetPropertyName),
               Prop("GroupName", &TiOPCItem::GroupName, &TiOPCItem::SetGroupName),
               Prop("ComputerName", &TiOPCItem::ComputerName, &TiOPCItem::SetComputerName),
               Prop("ServerName", &TiOPCItem::ServerName, &TiOPCItem::SetServerName),
               Prop("ItemName", &TiOPCItem::ItemName, &TiOPCItem::SetItemName),
               Prop("Scalar", &TiOPCItem::Scalar, &TiOPCItem::SetScalar),
               Prop("Offset", &TiOPCItem::Offset, &TiOPCItem::SetOffset),
               Prop("UpdateRate", &TiOPCItem::UpdateRate, &TiOPCItem::SetUpdateRate),
               Prop("UpdateSuspended", &TiOPCItem::GetUpdateSuspended),
               Prop("AutoConnect", &TiOPCItem::AutoConnect, &TiOPCItem::SetAutoConnect),
               Prop("AutoError", &TiOPCItem::AutoError, &TiOPCItem::SetAutoError))

PRAVIX_PUBLISH(TiOPCItemManager)

namespace {

constexpr uint16_t kRequestText = VT_BSTR;

bool IsIntegerType(TVarType vt)
{
    switch (vt) {
    case varSmallint:
    case varInteger:
    case varByte:
    case varShortInt:
    case varWord:
    case varLongWord:
    case varInt64:
    case varUInt64:
    case varInt:
    case varUInt: return true;
    default: return false;
    }
}

// A rounded integer result: a 32-bit integer when it fits, else the rounded double.
TVariant RoundedInteger(double exact)
{
    const double rounded = std::nearbyint(exact);  // halves to even
    if (rounded >= double(INT32_MIN) && rounded <= double(INT32_MAX))
        return TVariant(int(rounded));
    return TVariant(rounded);
}

// One scaling step by the value's current type; other types stay as they are.
void ScaleStep(TVariant& data, double factor, bool multiply)
{
    const TVarType vt = data.VarType();
    if (!IsIntegerType(vt) && vt != varSingle && vt != varDouble)
        return;
    const double value = data.AsDouble();
    const double result = multiply ? value * factor : value + factor;
    data = IsIntegerType(vt) ? RoundedInteger(result) : TVariant(result);
}

}  // namespace

// ---- TiOPCItem ----------------------------------------------------------------------------

TiOPCItem::TiOPCItem() : m_callback([this](const TOPCSignalSample& sample) { ApplyData(sample); }) {}

TiOPCItem::~TiOPCItem()
{
    try {
        Deactivate();
    } catch (const std::exception&) {
        // A failing library must not stop the item from going away.
    }
}

bool TiOPCItem::Designing() const { return m_manager && m_manager->GetDesigning(); }

void TiOPCItem::ReactivateIfActive()
{
    if (!OPCDLLNotLoaded() && GetActive())
        Activate();
}

void TiOPCItem::SetPropertyName(const std::string& value)
{
    m_propertyName = value;
    if (m_manager && m_manager->OnGetDataType) {
        TTypeKind kind = tkUnknown;
        m_manager->OnGetDataType(m_propertyName, kind);
        m_propertyKind = kind;
    }
}

void TiOPCItem::SetGroupName(const std::string& value)
{
    m_groupName = value;
    if (GetActive())
        Activate();
}

void TiOPCItem::SetComputerName(const std::string& value)
{
    m_computerName = value;
    ReactivateIfActive();
}

void TiOPCItem::SetServerName(const std::string& value)
{
    m_serverName = value;
    ReactivateIfActive();
}

void TiOPCItem::SetItemName(const std::string& value)
{
    m_itemName = value;
    ReactivateIfActive();
}

void TiOPCItem::SetUpdateRate(int value)
{
    m_updateRate = value;
    ReactivateIfActive();
}

void TiOPCItem::SetAutoConnect(bool value)
{
    m_autoConnect = value;
    if (OPCDLLNotLoaded() || !m_manager || !m_manager->Owner)
        return;
    const auto* owner = dynamic_cast<const TiComponent*>(m_manager->Owner);
    if (owner && !owner->IsLoading() && m_autoConnect)
        Activate();
}

void TiOPCItem::SetAutoError(bool value)
{
    if (value == m_autoError)
        return;
    m_autoError = value;
    if (m_autoError)
        UpdateError();
}

void TiOPCItem::Loaded()
{
    try {
        if (m_autoError)
            UpdateError();
        if (m_autoConnect && !Designing())
            Activate();
    } catch (const std::exception&) {
        // A missing library or server never stops loading.
    }
}

void TiOPCItem::Activate() { Register(false); }

void TiOPCItem::ActivateSuspend() { Register(true); }

void TiOPCItem::Register(bool suspended)
{
    if (OPCDLLNotLoaded() || !m_manager || Designing())
        return;
    if (m_autoError)
        UpdateError();
    if (m_handle != 0)
        Deactivate();
    if (Trim(m_propertyName).empty() || Trim(m_itemName).empty())
        return;
    if (Trim(m_groupName).empty() && Trim(m_serverName).empty())
        return;
    if (GetActive())
        Deactivate();
    const uint16_t requested = m_propertyKind == tkString ? kRequestText : 0;
    m_handle = OPCDLLSignalAdd(m_computerName, m_serverName, m_itemName, m_groupName, m_updateRate, suspended,
                               requested, m_callback.Interface());
}

void TiOPCItem::Deactivate()
{
    if (OPCDLLNotLoaded() || !m_manager || Designing() || m_handle == 0)
        return;
    OPCDLLSignalRemove(m_handle);
    m_handle = 0;
}

void TiOPCItem::ReceiveData(int Handle)
{
    TOPCSignalSample sample;
    sample.Handle = Handle;
    sample.Data = OPCDLLSignalGetData(Handle);
    sample.TimeStamp = OPCDLLSignalGetTimeStamp(Handle);
    sample.Quality = OPCDLLSignalGetQuality(Handle);
    ApplyData(sample);
}

void TiOPCItem::ApplyData(const TOPCSignalSample& sample)
{
    if (sample.Handle != m_handle || m_handle == 0)
        return;  // left over from an ended registration
    if (!sample.Error.empty())
        throw Exception(sample.Error);
    m_data = sample.Data;
    m_timeStamp = sample.TimeStamp;
    m_quality = sample.Quality;
    if (GetQualityGood())
        Scale();
    if (m_autoError)
        UpdateError();
    if (m_manager)
        m_manager->OnNewData(this);
}

// Scalar 0 and Offset 0 mean "none", not multiplication by 0.
void TiOPCItem::Scale()
{
    if (m_scalar != 0)
        ScaleStep(m_data, m_scalar, true);
    if (m_offset != 0)
        ScaleStep(m_data, m_offset, false);
}

void TiOPCItem::SetData(const TVariant& Value)
{
    if (!OPCDLLNotLoaded())
        OPCDLLSignalSendData(m_handle, Value);
}

TVariant TiOPCItem::GetDataNow(uint16_t& Quality)
{
    if (OPCDLLNotLoaded())
        return TVariant();
    OPCDLLSignalGetDataNow(m_handle);
    m_data = OPCDLLSignalGetData(m_handle);
    m_timeStamp = OPCDLLSignalGetTimeStamp(m_handle);
    m_quality = OPCDLLSignalGetQuality(m_handle);
    Quality = m_quality;
    return m_data;
}

void TiOPCItem::UpdateSuspend()
{
    if (!OPCDLLNotLoaded())
        OPCDLLSignalSuspend(m_handle);
}

void TiOPCItem::UpdateResume()
{
    if (!OPCDLLNotLoaded())
        OPCDLLSignalResume(m_handle);
}

bool TiOPCItem::GetUpdateSuspended() const
{
    if (OPCDLLNotLoaded() || m_handle == 0)
        return false;
    return OPCDLLSignalGetUpdateSuspended(m_handle);
}

// The owning component shows its error state while the quality is not good.
void TiOPCItem::UpdateError()
{
    if (!GetActive())
        return;
    if (auto* owner = dynamic_cast<TiComponent*>(m_manager->Owner))
        owner->SetErrorActive(!GetQualityGood());
}

// An item without a handle is not registered: it is not active, and the library is not asked.
bool TiOPCItem::GetActive() const
{
    if (!m_manager || Designing() || OPCDLLNotLoaded() || m_handle == 0)
        return false;
    return OPCDLLSignalGetActive(m_handle);
}

// ---- TiOPCItemManager ---------------------------------------------------------------------

TiOPCItemManager::~TiOPCItemManager() { Clear(); }

int TiOPCItemManager::Add()
{
    auto item = std::make_unique<TiOPCItem>();
    item->SetManager(this);
    m_items.push_back(std::move(item));
    return int(m_items.size()) - 1;
}

void TiOPCItemManager::Clear()
{
    while (!m_items.empty()) {
        m_items.front().reset();  // unregisters itself
        m_items.erase(m_items.begin());
    }
}

void TiOPCItemManager::Delete(int Index)
{
    GetItem(Index);
    m_items[size_t(Index)].reset();
    m_items.erase(m_items.begin() + Index);
}

TiOPCItem* TiOPCItemManager::GetItem(int Index) const
{
    if (Index < 0 || Index >= GetCount())
        RaiseListIndexError(Index);
    return m_items[size_t(Index)].get();
}

int TiOPCItemManager::FindIndex(const TiOPCItem* Item) const
{
    for (size_t i = 0; i < m_items.size(); ++i)
        if (m_items[i].get() == Item)
            return int(i);
    return -1;
}

bool TiOPCItemManager::GetDesigning()
{
    bool designing = false;
    OnGetDesigning(this, designing);
    return designing;
}

void TiOPCItemManager::WriteToStream(TWriter& Writer)
{
    Writer.WriteCollectionBegin();
    for (auto& item : m_items)
        Writer.WriteItem(*item);
    Writer.WriteCollectionEnd();
}

void TiOPCItemManager::ReadFromStream(TReader& Reader)
{
    Clear();
    if (!Reader.NextIsCollection())
        return;
    Reader.ReadCollectionBegin();
    while (!Reader.EndOfCollection()) {
        TiOPCItem* item = GetItem(Add());
        Reader.ReadItem(*item);
        item->Loaded();  // items that connect automatically register as they are read
    }
    Reader.ReadCollectionEnd();
}
