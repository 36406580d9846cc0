#include "plot/objects/iPlotChannel.h"

#include "components/iOPCItem.h"
#include "components/iOPCManager.h"
#include "platform/core/Assert.h"
#include "platform/core/Clock.h"
#include "platform/core/Exceptions.h"
#include "plot/core/iPlotManagers.h"
#include "plot/objects/iPlotAxis.h"
#include "plot/objects/iPlotChannelCustom_p.h"

#include <cmath>
#include <limits>
#include <utility>

namespace {

constexpr double SecondsPerDay = 60.0 * 60.0 * 24.0;

}  // namespace

TiPlotChannel::TiPlotChannel(IPlotHost* owner, TNotifyEvent onChange, TNotifyEvent onInsert, TNotifyEvent onRemove,
                             TNotifyEvent onRename)
    : TiPlotChannelCustom(owner, std::move(onChange), std::move(onInsert), std::move(onRemove), std::move(onRename)),
      m_elapsedStartTime(Now()),
      m_opc([this] { return Owner()->DoIsDesigning(); })
{
    m_opc.ItemManager().OnNewData = [this](TObject* sender) { OPCNewData(sender); };
    m_opc.Manager().OnAfterGroupUpdate = [this](TObject* sender, const std::string& group) {
        AfterGroupUpdate(sender, group);
    };
    SetBarWidth(5.0);
}

TiPlotChannel::~TiPlotChannel() = default;

// ---------------------------------------------------------------------------------------------
// Published properties

void TiPlotChannel::SetFastDrawEnabled(bool value)
{
    SetBooleanProperty(value, m_fastDrawEnabled, &TiPlotObject::TriggerChange);
}

void TiPlotChannel::SetDrawOutOfOrderXValues(bool value)
{
    SetBooleanProperty(value, m_drawOutOfOrderXValues, &TiPlotObject::TriggerChange);
}

void TiPlotChannel::SetInterpolationStyle(TiPlotInterpolationStyle value)
{
    SetEnumProperty(value, m_interpolationStyle, &TiPlotObject::TriggerChange);
}

void TiPlotChannel::SetFillEnabled(bool value)
{
    SetBooleanProperty(value, m_fillEnabled, &TiPlotObject::TriggerChange);
}
void TiPlotChannel::SetFillReference(double value)
{
    SetDoubleProperty(value, m_fillReference, &TiPlotObject::TriggerChange);
}

void TiPlotChannel::SetFillStyle(TBrushStyle value)
{
    SetEnumProperty(value, m_fillStyle, &TiPlotObject::TriggerChange);
}

void TiPlotChannel::SetFillColor(TColor value) { SetColorProperty(value, m_fillColor, &TiPlotObject::TriggerChange); }
void TiPlotChannel::SetFillUseChannelColor(bool value)
{
    SetBooleanProperty(value, m_fillUseChannelColor, &TiPlotObject::TriggerChange);
}

void TiPlotChannel::SetDigitalEnabled(bool value)
{
    SetBooleanProperty(value, m_digitalEnabled, &TiPlotObject::TriggerChange);
}

void TiPlotChannel::SetDigitalReferenceStyle(TiPlotDigitalReferenceStyle value)
{
    SetEnumProperty(value, m_digitalReferenceStyle, &TiPlotObject::TriggerChange);
}

void TiPlotChannel::SetDigitalReferenceLow(double value)
{
    SetDoubleProperty(value, m_digitalReferenceLow, &TiPlotObject::TriggerChange);
}

void TiPlotChannel::SetDigitalReferenceHigh(double value)
{
    SetDoubleProperty(value, m_digitalReferenceHigh, &TiPlotObject::TriggerChange);
}

void TiPlotChannel::SetHighLowStyle(TiPlotHighLowStyle value)
{
    SetEnumProperty(value, m_highLowStyle, &TiPlotObject::TriggerChange);
}

void TiPlotChannel::SetHighLowEnabled(bool value)
{
    SetBooleanProperty(value, m_highLowEnabled, &TiPlotObject::TriggerChange);
}

#define CHANNEL_COLOR_SETTER(Name, field) \
    void TiPlotChannel::Set##Name(TColor value) { SetColorProperty(value, field, &TiPlotObject::TriggerChange); }
#define CHANNEL_DOUBLE_SETTER(Name, field) \
    void TiPlotChannel::Set##Name(double value) { SetDoubleProperty(value, field, &TiPlotObject::TriggerChange); }
#define CHANNEL_BOOL_SETTER(Name, field) \
    void TiPlotChannel::Set##Name(bool value) { SetBooleanProperty(value, field, &TiPlotObject::TriggerChange); }

CHANNEL_COLOR_SETTER(HighLowBarColor, m_highLowBarColor)
CHANNEL_DOUBLE_SETTER(HighLowBarWidth, m_highLowBarWidth)
CHANNEL_BOOL_SETTER(HighLowOpenShow, m_highLowOpenShow)
CHANNEL_COLOR_SETTER(HighLowOpenColor, m_highLowOpenColor)
CHANNEL_DOUBLE_SETTER(HighLowOpenWidth, m_highLowOpenWidth)
CHANNEL_DOUBLE_SETTER(HighLowOpenHeight, m_highLowOpenHeight)
CHANNEL_BOOL_SETTER(HighLowCloseShow, m_highLowCloseShow)
CHANNEL_COLOR_SETTER(HighLowCloseColor, m_highLowCloseColor)
CHANNEL_DOUBLE_SETTER(HighLowCloseWidth, m_highLowCloseWidth)
CHANNEL_DOUBLE_SETTER(HighLowCloseHeight, m_highLowCloseHeight)
CHANNEL_COLOR_SETTER(HighLowShadowColor, m_highLowShadowColor)
CHANNEL_COLOR_SETTER(HighLowBullishColor, m_highLowBullishColor)
CHANNEL_COLOR_SETTER(HighLowBearishColor, m_highLowBearishColor)
CHANNEL_BOOL_SETTER(BarEnabled, m_barEnabled)
CHANNEL_BOOL_SETTER(BarPenUseChannelColor, m_barPenUseChannelColor)
CHANNEL_BOOL_SETTER(BarBrushUseChannelColor, m_barBrushUseChannelColor)

#undef CHANNEL_COLOR_SETTER
#undef CHANNEL_DOUBLE_SETTER
#undef CHANNEL_BOOL_SETTER

// The bar appearance lives in the point list, like the trace's.
#define CHANNEL_BAR_SETTER(Name, Type)        \
    void TiPlotChannel::Set##Name(Type value) \
    {                                         \
        List().Name = value;                  \
        TriggerChange(this);                  \
    }

CHANNEL_BAR_SETTER(BarReference, double)
CHANNEL_BAR_SETTER(BarWidth, double)
CHANNEL_BAR_SETTER(BarPenColor, TColor)
CHANNEL_BAR_SETTER(BarPenWidth, int)
CHANNEL_BAR_SETTER(BarPenStyle, TPenStyle)
CHANNEL_BAR_SETTER(BarBrushColor, TColor)
CHANNEL_BAR_SETTER(BarBrushStyle, TBrushStyle)

#undef CHANNEL_BAR_SETTER

std::string TiPlotChannel::OPCGroupName() const { return Item(0).GroupName(); }
void TiPlotChannel::SetOPCGroupName(const std::string& value) { Item(0).SetGroupName(value); }
std::string TiPlotChannel::OPCComputerName() const { return Item(0).ComputerName(); }
void TiPlotChannel::SetOPCComputerName(const std::string& value) { Item(0).SetComputerName(value); }
std::string TiPlotChannel::OPCServerName() const { return Item(0).ServerName(); }
void TiPlotChannel::SetOPCServerName(const std::string& value) { Item(0).SetServerName(value); }
std::string TiPlotChannel::OPCItemName() const { return Item(0).ItemName(); }
void TiPlotChannel::SetOPCItemName(const std::string& value) { Item(0).SetItemName(value); }
std::string TiPlotChannel::OPCItem2Name() const { return Item(1).ItemName(); }
void TiPlotChannel::SetOPCItem2Name(const std::string& value) { Item(1).SetItemName(value); }
int TiPlotChannel::OPCUpdateRate() const { return Item(0).UpdateRate(); }
void TiPlotChannel::SetOPCUpdateRate(int value) { Item(0).SetUpdateRate(value); }
double TiPlotChannel::OPCScalar() const { return Item(0).Scalar(); }
void TiPlotChannel::SetOPCScalar(double value) { Item(0).SetScalar(value); }
double TiPlotChannel::OPCOffset() const { return Item(0).Offset(); }
void TiPlotChannel::SetOPCOffset(double value) { Item(0).SetOffset(value); }
double TiPlotChannel::OPCScalar2() const { return Item(1).Scalar(); }
void TiPlotChannel::SetOPCScalar2(double value) { Item(1).SetScalar(value); }
double TiPlotChannel::OPCOffset2() const { return Item(1).Offset(); }
void TiPlotChannel::SetOPCOffset2(double value) { Item(1).SetOffset(value); }
bool TiPlotChannel::OPCAutoConnect() const { return Item(0).AutoConnect(); }
void TiPlotChannel::SetOPCAutoConnect(bool value) { Item(0).SetAutoConnect(value); }

PRAVIX_PUBLISH(
    TiPlotChannel,
    Prop("FastDrawEnabled", &TiPlotChannel::FastDrawEnabled, &TiPlotChannel::SetFastDrawEnabled).Default(true),
    Prop("AllowOutOfOrderXValues", &TiPlotChannel::AllowOutOfOrderXValues, &TiPlotChannel::SetAllowOutOfOrderXValues)
        .Default(true),
    Prop("DrawOutOfOrderXValues", &TiPlotChannel::DrawOutOfOrderXValues, &TiPlotChannel::SetDrawOutOfOrderXValues)
        .Default(false),
    Prop("ResetStartTimeOnFirstDataPoint", &TiPlotChannel::ResetStartTimeOnFirstDataPoint,
         &TiPlotChannel::SetResetStartTimeOnFirstDataPoint)
        .Default(false),
    Prop("InterpolationStyle", &TiPlotChannel::InterpolationStyle, &TiPlotChannel::SetInterpolationStyle)
        .Default(ipistStraightLine),
    Prop("FillEnabled", &TiPlotChannel::FillEnabled, &TiPlotChannel::SetFillEnabled).Default(false),
    Prop("FillReference", &TiPlotChannel::FillReference, &TiPlotChannel::SetFillReference),
    Prop("FillStyle", &TiPlotChannel::FillStyle, &TiPlotChannel::SetFillStyle).Default(bsSolid),
    Prop("FillColor", &TiPlotChannel::FillColor, &TiPlotChannel::SetFillColor).AsColor().Default(0),
    Prop("FillUseChannelColor", &TiPlotChannel::FillUseChannelColor, &TiPlotChannel::SetFillUseChannelColor)
        .Default(true),
    Prop("DigitalEnabled", &TiPlotChannel::DigitalEnabled, &TiPlotChannel::SetDigitalEnabled).Default(false),
    Prop("DigitalReferenceStyle", &TiPlotChannel::DigitalReferenceStyle, &TiPlotChannel::SetDigitalReferenceStyle)
        .Default(ipdrScale),
    Prop("DigitalReferenceLow", &TiPlotChannel::DigitalReferenceLow, &TiPlotChannel::SetDigitalReferenceLow),
    Prop("DigitalReferenceHigh", &TiPlotChannel::DigitalReferenceHigh, &TiPlotChannel::SetDigitalReferenceHigh),
    Prop("HighLowStyle", &TiPlotChannel::HighLowStyle, &TiPlotChannel::SetHighLowStyle).Default(iphlsOpenClose),
    Prop("HighLowEnabled", &TiPlotChannel::HighLowEnabled, &TiPlotChannel::SetHighLowEnabled).Default(false),
    Prop("HighLowBarColor", &TiPlotChannel::HighLowBarColor, &TiPlotChannel::SetHighLowBarColor)
        .AsColor()
        .Default(16711680),
    Prop("HighLowBarWidth", &TiPlotChannel::HighLowBarWidth, &TiPlotChannel::SetHighLowBarWidth),
    Prop("HighLowOpenShow", &TiPlotChannel::HighLowOpenShow, &TiPlotChannel::SetHighLowOpenShow).Default(true),
    Prop("HighLowOpenColor", &TiPlotChannel::HighLowOpenColor, &TiPlotChannel::SetHighLowOpenColor)
        .AsColor()
        .Default(32768),
    Prop("HighLowOpenWidth", &TiPlotChannel::HighLowOpenWidth, &TiPlotChannel::SetHighLowOpenWidth),
    Prop("HighLowOpenHeight", &TiPlotChannel::HighLowOpenHeight, &TiPlotChannel::SetHighLowOpenHeight),
    Prop("HighLowCloseShow", &TiPlotChannel::HighLowCloseShow, &TiPlotChannel::SetHighLowCloseShow).Default(true),
    Prop("HighLowCloseColor", &TiPlotChannel::HighLowCloseColor, &TiPlotChannel::SetHighLowCloseColor)
        .AsColor()
        .Default(255),
    Prop("HighLowCloseWidth", &TiPlotChannel::HighLowCloseWidth, &TiPlotChannel::SetHighLowCloseWidth),
    Prop("HighLowCloseHeight", &TiPlotChannel::HighLowCloseHeight, &TiPlotChannel::SetHighLowCloseHeight),
    Prop("HighLowShadowColor", &TiPlotChannel::HighLowShadowColor, &TiPlotChannel::SetHighLowShadowColor)
        .AsColor()
        .Default(8421504),
    Prop("HighLowBullishColor", &TiPlotChannel::HighLowBullishColor, &TiPlotChannel::SetHighLowBullishColor)
        .AsColor()
        .Default(16777215),
    Prop("HighLowBearishColor", &TiPlotChannel::HighLowBearishColor, &TiPlotChannel::SetHighLowBearishColor)
        .AsColor()
        .Default(8421504),
    Prop("BarEnabled", &TiPlotChannel::BarEnabled, &TiPlotChannel::SetBarEnabled).Default(false),
    Prop("BarPenUseChannelColor", &TiPlotChannel::BarPenUseChannelColor, &TiPlotChannel::SetBarPenUseChannelColor)
        .Default(true),
    Prop("BarBrushUseChannelColor", &TiPlotChannel::BarBrushUseChannelColor, &TiPlotChannel::SetBarBrushUseChannelColor)
        .Default(true),
    Prop("BarReference", &TiPlotChannel::BarReference, &TiPlotChannel::SetBarReference),
    Prop("BarWidth", &TiPlotChannel::BarWidth, &TiPlotChannel::SetBarWidth),
    Prop("BarPenColor", &TiPlotChannel::BarPenColor, &TiPlotChannel::SetBarPenColor).AsColor().Default(255),
    Prop("BarPenWidth", &TiPlotChannel::BarPenWidth, &TiPlotChannel::SetBarPenWidth).Default(0),
    Prop("BarPenStyle", &TiPlotChannel::BarPenStyle, &TiPlotChannel::SetBarPenStyle).Default(psSolid),
    Prop("BarBrushColor", &TiPlotChannel::BarBrushColor, &TiPlotChannel::SetBarBrushColor).AsColor().Default(255),
    Prop("BarBrushStyle", &TiPlotChannel::BarBrushStyle, &TiPlotChannel::SetBarBrushStyle).Default(bsSolid),
    Prop("OPCGroupName", &TiPlotChannel::OPCGroupName, &TiPlotChannel::SetOPCGroupName),
    Prop("OPCComputerName", &TiPlotChannel::OPCComputerName, &TiPlotChannel::SetOPCComputerName),
    Prop("OPCServerName", &TiPlotChannel::OPCServerName, &TiPlotChannel::SetOPCServerName),
    Prop("OPCItemName", &TiPlotChannel::OPCItemName, &TiPlotChannel::SetOPCItemName),
    Prop("OPCItem2Name", &TiPlotChannel::OPCItem2Name, &TiPlotChannel::SetOPCItem2Name),
    Prop("OPCUpdateRate", &TiPlotChannel::OPCUpdateRate, &TiPlotChannel::SetOPCUpdateRate).Default(500),
    Prop("OPCScalar", &TiPlotChannel::OPCScalar, &TiPlotChannel::SetOPCScalar),
    Prop("OPCOffset", &TiPlotChannel::OPCOffset, &TiPlotChannel::SetOPCOffset),
    Prop("OPCScalar2", &TiPlotChannel::OPCScalar2, &TiPlotChannel::SetOPCScalar2),
    Prop("OPCOffset2", &TiPlotChannel::OPCOffset2, &TiPlotChannel::SetOPCOffset2),
    Prop("OPCAutoConnect", &TiPlotChannel::OPCAutoConnect, &TiPlotChannel::SetOPCAutoConnect).Default(true),
    Prop("OPCXValueSource", &TiPlotChannel::OPCXValueSource, &TiPlotChannel::SetOPCXValueSource)
        .Default(iopcxvsOPCServerTimeStamp))

// The channel manager takes every channel by its base and makes strip-chart channels unless
// the plot names another class; clearing the plot's data empties every channel.
static TiPlotKindRegistration RegisterChannelKind()
{
    TiPlotKindClass kindClass;
    kindClass.Create = &CreatePlotObject<TiPlotChannel>;
    kindClass.IsKind = [](const TObject* object) {
        return dynamic_cast<const TiPlotChannelCustom*>(object) != nullptr;
    };
    kindClass.ClearData = [](TiPlotObject& channel) { static_cast<TiPlotChannelCustom&>(channel).Clear(); };
    return TiPlotKindRegistration(TiPlotObjectKind::Channel, std::move(kindClass));
}
static const TiPlotKindRegistration channelKind = RegisterChannelKind();

// ---------------------------------------------------------------------------------------------
// X order and adding points

void TiPlotChannel::UpdateXIncreasing() { m_xIncreasing = GetCount() < 2 || GetDataX(1) >= GetDataX(0); }

void TiPlotChannel::ResetElapsedStartTime() { m_elapsedStartTime = Now(); }

void TiPlotChannel::RestartOnFirstPoint()
{
    if (m_resetStartTimeOnFirstDataPoint && GetCount() == 0)
        ResetElapsedStartTime();
}

namespace {

// Each direction has its own text; the decreasing one ends with a full stop.
[[noreturn]] void RaiseOutOfOrder(bool increasing)
{
    if (increasing)
        throw Exception("New Data-Point X-Value is out of order");
    throw Exception("New Data-Point X-Value is out of order.");
}

}  // namespace

// Inline, as every X-ordered add passes here; only this unit's adds call it.
inline void TiPlotChannel::CheckForValidXValue(double X)
{
    if (m_allowOutOfOrderXValues || GetCount() < 2)
        return;
    UpdateXOrder();
    if (m_xOrder.Increasing ? m_xOrder.NewestX > X : m_xOrder.NewestX < X)
        RaiseOutOfOrder(m_xOrder.Increasing);
}

inline void TiPlotChannel::UpdateXOrder()
{
    const TiPlotDataCustomList& list = List();
    const int count = list.Count();
    if (m_xOrder.List == list.Serial() && m_xOrder.Epoch == list.OrderEpoch() && m_xOrder.Count <= count) {
        PRAVIX_ASSERT(m_xOrder.Count >= 2, "a kept order was read from two points or more");
        if (m_xOrder.Count != count) {
            // Points were only added since: the newest is the one Add stored last.
            m_xOrder.NewestX = list.NewestAddedX();
            m_xOrder.Count = count;
        }
        return;
    }
    ReadXOrder();
}

void TiPlotChannel::ReadXOrder()
{
    const TiPlotDataCustomList& list = List();
    double first, second;
    list.ReadOrderX(first, second, m_xOrder.NewestX);
    m_xOrder.Increasing = second >= first;
    m_xOrder.List = list.Serial();
    m_xOrder.Epoch = list.OrderEpoch();
    m_xOrder.Count = list.Count();
}

int TiPlotChannel::AddXY(double X, double Y)
{
    RestartOnFirstPoint();
    CheckForValidXValue(X);
    return AddXYInternal(X, Y, false, false);
}

int TiPlotChannel::AddXNull(double X)
{
    RestartOnFirstPoint();
    CheckForValidXValue(X);
    return AddXYInternal(X, 0, true, false);
}

int TiPlotChannel::AddXEmpty(double X)
{
    RestartOnFirstPoint();
    CheckForValidXValue(X);
    return AddXYInternal(X, 0, false, true);
}

int TiPlotChannel::AddYNow(double Y)
{
    RestartOnFirstPoint();
    return AddXYInternal(Now(), Y, false, false);
}

int TiPlotChannel::AddYElapsedTime(double Y)
{
    RestartOnFirstPoint();
    return AddXYInternal(Now() - m_elapsedStartTime, Y, false, false);
}

int TiPlotChannel::AddYElapsedSeconds(double Y)
{
    RestartOnFirstPoint();
    return AddXYInternal((Now() - m_elapsedStartTime) * SecondsPerDay, Y, false, false);
}

void TiPlotChannel::AddYArray(double Interval, const TVariant& YData)
{
    if (!YData.IsArray() || YData.DimCount() != 1)
        throw Exception("Y-Data array must be 1 dimensional");
    RestartOnFirstPoint();
    // The first new point repeats the newest X.
    const double base = GetCount() ? GetXLast() : 0.0;
    const int low = YData.LowBound(1);
    for (int i = low; i <= YData.HighBound(1); ++i)
        AddXYInternal(base + (i - low) * Interval, YData.GetElement({i}).AsDouble(), false, false);
}

int TiPlotChannel::AddHighLow(double X, double High, double Low, double Open, double Close)
{
    RestartOnFirstPoint();
    CheckForValidXValue(X);
    List().Add(X, 0, false, false);
    // The new point is the newest, whichever storage slot a wrapping ring put it in.
    const int index = GetCount() - 1;
    List().SetHigh(index, High);
    List().SetLow(index, Low);
    List().SetOpen(index, Open);
    List().SetClose(index, Close);
    if (XAxisTrackingEnabled())
        if (TiPlotXAxis* axis = GetXAxis())
            axis->NewTrackingData(X);
    if (YAxisTrackingEnabled())
        if (TiPlotYAxis* axis = GetYAxis())
            for (double price : {High, Low, Open, Close})
                axis->NewTrackingData(price);
    TriggerChange(this);
    return index;
}

#define CHANNEL_POINT_SETTER(Name, Type)                     \
    void TiPlotChannel::SetData##Name(int Index, Type Value) \
    {                                                        \
        List().Set##Name(Index, Value);                      \
        TriggerChange(this);                                 \
    }

CHANNEL_POINT_SETTER(High, double)
CHANNEL_POINT_SETTER(Low, double)
CHANNEL_POINT_SETTER(Open, double)
CHANNEL_POINT_SETTER(Close, double)
CHANNEL_POINT_SETTER(BarVisible, bool)
CHANNEL_POINT_SETTER(BarReference, double)
CHANNEL_POINT_SETTER(BarWidth, double)
CHANNEL_POINT_SETTER(BarPenColor, TColor)
CHANNEL_POINT_SETTER(BarPenWidth, int)
CHANNEL_POINT_SETTER(BarPenStyle, TPenStyle)
CHANNEL_POINT_SETTER(BarBrushColor, TColor)
CHANNEL_POINT_SETTER(BarBrushStyle, TBrushStyle)

#undef CHANNEL_POINT_SETTER

// ---------------------------------------------------------------------------------------------
// OPC

void TiPlotChannel::Loaded()
{
    inherited::Loaded();
    if (Item(0).AutoConnect())
        OPCActivate();
}

void TiPlotChannel::OPCActivate()
{
    if (Owner()->DoIsDesigning())
        return;
    m_opc.DeactivateBoth();
    if (m_opcXValueSource == iopcxvsOPCItem)
        m_opc.ActivatePair(this);  // X and Y come as a pair, updated together
    else
        Item(0).Activate();
}

void TiPlotChannel::OPCActivateSuspend() { Item(0).ActivateSuspend(); }
void TiPlotChannel::OPCDeactivate() { Item(0).Deactivate(); }
void TiPlotChannel::OPCUpdateSuspend() { Item(0).UpdateSuspend(); }
void TiPlotChannel::OPCUpdateResume() { Item(0).UpdateResume(); }
bool TiPlotChannel::GetOPCActive() const { return Item(0).GetActive(); }
bool TiPlotChannel::GetOPCQualityGood() const { return Item(0).GetQualityGood(); }

void TiPlotChannel::OPCNewData(TObject* sender)
{
    auto* item = dynamic_cast<TiOPCItem*>(sender);
    if (!item || item != &Item(0))
        return;
    switch (m_opcXValueSource) {
    case iopcxvsOPCServerTimeStamp: AddXYInternal(item->TimeStamp(), m_opc.Value(0), false, false); break;
    case iopcxvsSystemTimeStamp: AddXYInternal(Now(), m_opc.Value(0), false, false); break;
    case iopcxvsElapsedTime: AddYElapsedTime(m_opc.Value(0)); break;
    case iopcxvsElapsedSeconds: AddYElapsedSeconds(m_opc.Value(0)); break;
    case iopcxvsOPCItem: break;  // the pair arrives through AfterGroupUpdate
    }
}

void TiPlotChannel::AfterGroupUpdate(TObject*, const std::string&)
{
    if (m_opcXValueSource == iopcxvsOPCItem)
        AddXY(m_opc.Value(0), m_opc.Value(1));
}

// ---------------------------------------------------------------------------------------------
// Lookups. The points run in X order, increasing or decreasing; Key() turns both into an
// increasing order so that one search serves.

namespace {

double Key(double x, bool increasing) { return increasing ? x : -x; }

}  // namespace

int TiPlotChannel::CalcXIndexIncreasing(double Value) const
{
    int lo = 0;
    int hi = GetCount() - 1;
    int result = -1;
    while (lo <= hi) {
        const int mid = (lo + hi) / 2;
        result = mid;
        const double x = GetDataX(mid);
        if (x == Value)
            break;
        if (x > Value)
            hi = mid - 1;
        else
            lo = mid + 1;
    }
    return result;
}

int TiPlotChannel::CalcXIndexDecreasing(double Value) const
{
    int lo = 0;
    int hi = GetCount() - 1;
    int result = -1;
    while (lo <= hi) {
        const int mid = (lo + hi) / 2;
        result = mid;
        const double x = GetDataX(mid);
        if (x == Value)
            break;
        if (x > Value)
            lo = mid + 1;
        else
            hi = mid - 1;
    }
    return result;
}

int TiPlotChannel::CalcIndex(double Value)
{
    const int count = GetCount();
    if (!GetXAxis() || count == 0)
        return -1;
    const double key = Key(Value, m_xIncreasing);
    if (key < Key(GetDataX(0), m_xIncreasing) || key > Key(GetDataX(count - 1), m_xIncreasing))
        return -1;
    // The first point at or past Value; among equal X values the oldest.
    int lo = 0;
    int hi = count - 1;
    while (lo < hi) {
        const int mid = (lo + hi) / 2;
        if (Key(GetDataX(mid), m_xIncreasing) < key)
            lo = mid + 1;
        else
            hi = mid;
    }
    return lo;
}

namespace {

// The last index whose key is below `key`, or at it when `orAt`; -1 when none.
template <typename KeyOf>
int LastBefore(int count, double key, bool orAt, KeyOf keyOf)
{
    int lo = 0;
    int hi = count;
    while (lo < hi) {
        const int mid = (lo + hi) / 2;
        const double k = keyOf(mid);
        if (k < key || (orAt && k == key))
            lo = mid + 1;
        else
            hi = mid;
    }
    return lo - 1;
}

}  // namespace

void TiPlotChannel::CalcStartXIndex()
{
    SetDrawStartIndex(-1);
    TiPlotXAxis* axis = GetXAxis();
    const int count = GetCount();
    if (!axis || count == 0)
        return;
    int i;
    if (m_drawOutOfOrderXValues) {
        i = count - 1;
        for (int j = 0; j < count; ++j)
            if (axis->PointOnScale(GetDataX(j))) {
                i = j;
                break;
            }
        if (i != -1)
            --i;
    } else {
        // The first point at the start of the axis, else the last one before it, so that the
        // trace enters from outside the plot area.
        const double start = Key(m_xIncreasing ? axis->Min() : axis->GetMax(), m_xIncreasing);
        auto keyOf = [this](int k) { return Key(GetDataX(k), m_xIncreasing); };
        const int before = LastBefore(count, start, false, keyOf);
        i = before + 1 < count && keyOf(before + 1) == start ? before + 1 : before;
    }
    SetDrawStartIndex(std::clamp(i, 0, count - 1));
}

void TiPlotChannel::CalcStopXIndex()
{
    SetDrawStopIndex(-1);
    TiPlotXAxis* axis = GetXAxis();
    const int count = GetCount();
    if (!axis || count == 0)
        return;
    int i;
    if (m_drawOutOfOrderXValues) {
        i = -1;
        for (int j = count - 1; j >= 0; --j)
            if (axis->PointOnScale(GetDataX(j))) {
                i = j;
                break;
            }
        if (i != -1)
            ++i;
    } else {
        // The last point at the end of the axis, else the first one past it.
        const double stop = Key(m_xIncreasing ? axis->GetMax() : axis->Min(), m_xIncreasing);
        auto keyOf = [this](int k) { return Key(GetDataX(k), m_xIncreasing); };
        const int atOrBefore = LastBefore(count, stop, true, keyOf);
        i = atOrBefore >= 0 && keyOf(atOrBefore) == stop ? atOrBefore : atOrBefore + 1;
    }
    SetDrawStopIndex(std::clamp(i, 0, count - 1));
}

namespace {

// The first point from `from` on in steps of `step` that is not Empty and, with `validOnly`,
// not Null either; -1 when there is none.
int PointFrom(const TiPlotChannel& channel, int from, int step, bool validOnly)
{
    for (int i = from; i >= 0 && i < channel.GetCount(); i += step)
        if (validOnly ? channel.GetDataValid(i) : !channel.GetDataEmpty(i))
            return i;
    return -1;
}

}  // namespace

// The trace's neighbours of X: `after` the first non-Empty point at or past X in the X
// order, `before` the non-Empty point preceding it. Empty points carry no value and the
// trace runs past them; Null points stay, for they break it.
bool TiPlotChannel::FindSegment(double X, int& before, int& after)
{
    const int i = CalcIndex(X);
    if (i < 0)
        return false;
    after = PointFrom(*this, i, 1, false);
    before = PointFrom(*this, i - 1, -1, false);
    return after >= 0 && before >= 0;
}

bool TiPlotChannel::GetYInterpolated(double X, double& Y)
{
    Y = 0;
    const int count = GetCount();
    if (count == 0)
        return false;
    if (GetDataValid(0) && GetDataX(0) == X) {
        Y = GetDataY(0);
        return true;
    }
    if (GetDataValid(count - 1) && GetDataX(count - 1) == X) {
        Y = GetDataY(count - 1);
        return true;
    }
    int a, b;
    if (!FindSegment(X, a, b))
        return false;
    if (m_digitalEnabled) {
        // The level the digital trace holds from the point before X.
        if (GetDataNull(a))
            return false;
        Y = GetDataY(a);
        return true;
    }
    if (GetDataX(b) == X && !GetDataNull(b)) {
        Y = GetDataY(b);
        return true;
    }
    if (GetDataNull(a) || GetDataNull(b))
        return false;
    // Follows the drawn line pixel by pixel.
    TiPlotXAxis* axis = GetXAxis();
    const int pb = axis->PositionToPixels(GetDataX(b));
    const int dP = axis->PositionToPixels(GetDataX(a)) - pb;
    const int dX = axis->PositionToPixels(X) - pb;
    const double dY = GetDataY(a) - GetDataY(b);
    Y = dP == 0 || dX == 0 ? GetDataY(b) : GetDataY(b) + dY * dX / dP;
    return true;
}

// A step trace holds each value from its point to the next one in the X order.
TiPlotDataPointStatus TiPlotChannel::StepLookup(double X, double& Y, bool holdsBeyondData)
{
    const int i = CalcIndex(X);
    if (i >= 0) {
        const int before = PointFrom(*this, i - 1, -1, false);
        if (before < 0)
            return ipdpsEmpty;
        if (GetDataNull(before))
            return ipdpsNull;
        Y = GetDataY(before);
        return ipdpsValid;
    }
    const int newest = PointFrom(*this, GetCount() - 1, -1, false);
    if (!holdsBeyondData || newest < 0)
        return ipdpsEmpty;
    if (Key(GetDataX(newest), m_xIncreasing) >= Key(X, m_xIncreasing))
        return ipdpsEmpty;
    if (GetDataNull(newest))
        return ipdpsNull;
    Y = GetDataY(newest);
    return ipdpsValid;
}

TiPlotDataPointStatus TiPlotChannel::DoYLookup(double X, double& Y)
{
    Y = 0;
    const int count = GetCount();
    if (count == 0)
        return ipdpsEmpty;
    if (X == GetXFirst() && GetDataValid(0)) {
        Y = GetDataY(0);
        return ipdpsValid;
    }
    if (X == GetXLast() && GetDataValid(count - 1)) {
        Y = GetDataY(count - 1);
        return ipdpsValid;
    }
    const TiPlotInterpolationStyle style = m_digitalEnabled ? ipistStraightLine : m_interpolationStyle;
    switch (style) {
    case ipistStraightLine: {
        if (GetYInterpolated(X, Y))
            return ipdpsValid;
        // Between two points the trace is broken by a Null one, not missing.
        int a, b;
        return FindSegment(X, a, b) && (GetDataNull(a) || GetDataNull(b)) ? ipdpsNull : ipdpsEmpty;
    }
    case ipistCubicSpline:
    case ipistPolynomial:
    case ipistRational: {
        TiPlotXAxis* axis = GetXAxis();
        if (!axis || (m_pixelStart == 0 && m_pixelStop == 0))
            return ipdpsEmpty;
        const int p = axis->PositionToPixels(X);
        if (p < m_pixelStart || p > m_pixelStop || size_t(p - m_pixelStart) >= m_pixelList.size())
            return ipdpsEmpty;
        if (Key(X, m_xIncreasing) < Key(GetXFirst(), m_xIncreasing) ||
            Key(X, m_xIncreasing) > Key(GetXLast(), m_xIncreasing))
            return ipdpsEmpty;
        const TiPlotPixelPoint& entry = m_pixelList[size_t(p - m_pixelStart)];
        Y = entry.Value;
        return entry.Empty ? ipdpsNull : ipdpsValid;
    }
    case ipistDifferential: return StepLookup(X, Y, true);
    case ipistDifferentialTerminated: return StepLookup(X, Y, false);
    }
    return ipdpsEmpty;
}

// ---------------------------------------------------------------------------------------------
// Data cursor

void TiPlotChannel::DataCursorUpate(TObject* cursor)
{
    auto* target = dynamic_cast<IPlotDataCursorTarget*>(cursor);
    if (!target)
        return;
    TiPlotDataPointStatus status = ipdpsEmpty;
    double x = 0;
    double y = 0;
    const double p1 = target->CursorPointer1Position() / 100;
    const double p2 = target->CursorPointer2Position() / 100;
    TiPlotXAxis* xAxis = GetXAxis();
    TiPlotYAxis* yAxis = GetYAxis();
    const double scaler = xAxis ? xAxis->CursorScaler() : 0;
    const TiPlotDataCursorStyle style = target->CursorStyle();
    switch (style) {
    case ipcsValueXY:
    case ipcsValueX:
    case ipcsValueY:
        if (xAxis) {
            x = xAxis->PercentToPosition(p1);
            status = DoYLookup(x, y);
        }
        break;
    case ipcsDeltaX:
        if (xAxis) {
            x = scaler * std::fabs(xAxis->PercentToPosition(p1) - xAxis->PercentToPosition(p2));
            status = ipdpsValid;
        }
        break;
    case ipcsDeltaY:
        if (yAxis) {
            y = std::fabs(yAxis->PercentToPosition(p1) - yAxis->PercentToPosition(p2));
            status = ipdpsValid;
        }
        break;
    case ipcsInverseDeltaX:
        if (xAxis) {
            const double d = std::fabs(xAxis->PercentToPosition(p1) - xAxis->PercentToPosition(p2));
            x = d == 0 || scaler == 0 ? std::numeric_limits<double>::infinity() : 1 / (d * scaler);
            status = ipdpsValid;
        }
        break;
    }
    target->SetCursorData(x, y, status);
    target->SetCursorDisplayText(GetDataCursorDisplayText(style, x, y, status));
}

std::string TiPlotChannel::GetDataCursorDisplayText(TiPlotDataCursorStyle Style, double X, double Y,
                                                    TiPlotDataPointStatus Status)
{
    m_cursorCache = {};
    m_cursorCache.X = X;
    m_cursorCache.Y = Y;
    m_cursorCache.Status = Status;
    TiPlotXAxis* xAxis = GetXAxis();
    if (!xAxis)
        return GetTranslation("No X-Axis");
    auto yText = [&]() -> std::string {
        if (!GetYAxis())
            return "No Y-Axis";
        if (Status == ipdpsNull)
            return GetTranslation("Null");
        if (Status == ipdpsEmpty)
            return GetTranslation("Empty");
        if (m_digitalEnabled)
            return GetTranslation(Y == 0 ? "Low" : "High");
        return GetYValueText(Y);
    };
    switch (Style) {
    case ipcsValueXY: return GetXValueText(X) + ", " + yText();
    case ipcsValueX:
    case ipcsDeltaX: return GetXValueText(X);
    case ipcsValueY: return yText();
    case ipcsDeltaY: return GetYAxis() ? GetYValueText(Y) : "No Y-Axis";
    case ipcsInverseDeltaX: return X >= 1e301 ? GetTranslation("Infinite") : xAxis->GetCursorValueText(X);
    }
    return {};
}

// ---------------------------------------------------------------------------------------------
// Visible extremes

double TiPlotChannel::GetVisibleMaxX()
{
    if (!GetXAxis() || !GetYAxis() || !Visible())
        return -1e300;
    UpdateXIncreasing();
    const int i = m_xIncreasing ? PointFrom(*this, GetCount() - 1, -1, true) : PointFrom(*this, 0, 1, true);
    return i < 0 ? -1e300 : GetDataXDrawMax(i);
}

double TiPlotChannel::GetVisibleMinX()
{
    if (!GetXAxis() || !GetYAxis() || !Visible())
        return 1e300;
    UpdateXIncreasing();
    const int i = m_xIncreasing ? PointFrom(*this, 0, 1, true) : PointFrom(*this, GetCount() - 1, -1, true);
    return i < 0 ? 1e300 : GetDataXDrawMin(i);
}

double TiPlotChannel::GetVisibleMaxY()
{
    CalcStartXIndex();
    CalcStopXIndex();
    double result = -1e300;
    if (!GetXAxis() || !GetYAxis() || !Visible() || DrawStartIndex() < 0 || DrawStopIndex() < 0)
        return result;
    for (int i = DrawStartIndex(); i <= DrawStopIndex(); ++i)
        if (GetDataValid(i))
            result = std::max(result, GetDataYDrawMax(i));
    return result;
}

double TiPlotChannel::GetVisibleMinY()
{
    CalcStartXIndex();
    CalcStopXIndex();
    double result = 1e300;
    if (!GetXAxis() || !GetYAxis() || !Visible() || DrawStartIndex() < 0 || DrawStopIndex() < 0)
        return result;
    for (int i = DrawStartIndex(); i <= DrawStopIndex(); ++i)
        if (GetDataValid(i))
            result = std::min(result, GetDataYDrawMin(i));
    return result;
}

// ---------------------------------------------------------------------------------------------
// Pixel columns, bars and the trace hit test

void TiPlotChannel::SetPixelRange(int start, int stop)
{
    m_pixelStart = std::min(start, stop);
    m_pixelStop = std::max(start, stop);
    const size_t needed = size_t(m_pixelStop - m_pixelStart + 1);
    if (m_pixelList.size() < needed)
        m_pixelList.resize(needed);
    for (TiPlotPixelPoint& entry : m_pixelList)
        entry.Empty = true;
}

void TiPlotChannel::AddPixelListValue(int XPixel, double Value)
{
    if (XPixel < m_pixelStart || XPixel > m_pixelStop)
        throw Exception("Pixel List XPixel out of Range");
    TiPlotPixelPoint& entry = m_pixelList[size_t(XPixel - m_pixelStart)];
    entry.Empty = false;
    entry.Value = Value;
}

TRect TiPlotChannel::GetBarRect(int Index)
{
    const double x = GetDataX(Index);
    const double halfWidth = GetDataBarWidth(Index) / 2;
    return GetPixelRect(x - halfWidth, GetDataBarReference(Index), x + halfWidth, GetDataY(Index));
}

bool TiPlotChannel::iMouseHitTest(const TiPlotMouseData& mouseData)
{
    bool result = inherited::iMouseHitTest(mouseData);
    TiPlotXAxis* xAxis = GetXAxis();
    TiPlotYAxis* yAxis = GetYAxis();
    if (!xAxis || !yAxis || mouseData.Button != mbRight)
        return result;
    // A right press within 10 pixels of the trace selects the channel.
    double y;
    if (GetYInterpolated(xAxis->PixelsToPosition(mouseData.XAxisPixels), y)) {
        const int py = yAxis->PositionToPixels(y);
        const TRect square = Rect(mouseData.XAxisPixels - 10, mouseData.YAxisPixels - 10, mouseData.XAxisPixels + 10,
                                  mouseData.YAxisPixels + 10);
        if (PtInRect(square, {mouseData.XAxisPixels, py}))
            result = true;
    }
    return result;
}
