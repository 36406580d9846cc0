#include "plot/objects/iXYPlotChannel.h"

#include "components/iOPCItem.h"
#include "components/iOPCManager.h"
#include "plot/core/iPlotMasterManager.h"
#include "plot/objects/iPlotAxis.h"
#include "plot/objects/iPlotDataCursor.h"
#include "plot/objects/iPlotDataView.h"

#include <cmath>
#include <limits>
#include <utility>

TiXYPlotChannel::TiXYPlotChannel(IPlotHost* owner, TNotifyEvent onChange, TNotifyEvent onInsert, TNotifyEvent onRemove,
                                 TNotifyEvent onRename)
    : TiPlotChannelCustom(owner, std::move(onChange), std::move(onInsert), std::move(onRemove), std::move(onRename)),
      m_opc([this] { return Owner()->DoIsDesigning(); })
{
    // Values reach the channel only as pairs, after each update of its private group.
    m_opc.Manager().OnAfterGroupUpdate = [this](TObject*, const std::string&) { AfterGroupUpdate(); };
}

TiXYPlotChannel::~TiXYPlotChannel() = default;

// ---------------------------------------------------------------------------------------------
// Published properties

std::string TiXYPlotChannel::OPCComputerName() const { return Item(0).ComputerName(); }
void TiXYPlotChannel::SetOPCComputerName(const std::string& value) { Item(0).SetComputerName(value); }
std::string TiXYPlotChannel::OPCServerName() const { return Item(0).ServerName(); }
void TiXYPlotChannel::SetOPCServerName(const std::string& value) { Item(0).SetServerName(value); }
std::string TiXYPlotChannel::OPCItemName() const { return Item(0).ItemName(); }
void TiXYPlotChannel::SetOPCItemName(const std::string& value) { Item(0).SetItemName(value); }
int TiXYPlotChannel::OPCUpdateRate() const { return Item(0).UpdateRate(); }
void TiXYPlotChannel::SetOPCUpdateRate(int value) { Item(0).SetUpdateRate(value); }
double TiXYPlotChannel::OPCScalar() const { return Item(0).Scalar(); }
void TiXYPlotChannel::SetOPCScalar(double value) { Item(0).SetScalar(value); }
double TiXYPlotChannel::OPCOffset() const { return Item(0).Offset(); }
void TiXYPlotChannel::SetOPCOffset(double value) { Item(0).SetOffset(value); }
double TiXYPlotChannel::OPCScalar2() const { return Item(1).Scalar(); }
void TiXYPlotChannel::SetOPCScalar2(double value) { Item(1).SetScalar(value); }
double TiXYPlotChannel::OPCOffset2() const { return Item(1).Offset(); }
void TiXYPlotChannel::SetOPCOffset2(double value) { Item(1).SetOffset(value); }
bool TiXYPlotChannel::OPCAutoConnect() const { return Item(0).AutoConnect(); }
void TiXYPlotChannel::SetOPCAutoConnect(bool value) { Item(0).SetAutoConnect(value); }
std::string TiXYPlotChannel::OPCItem2Name() const { return Item(1).ItemName(); }
void TiXYPlotChannel::SetOPCItem2Name(const std::string& value) { Item(1).SetItemName(value); }

PRAVIX_PUBLISH(
    TiXYPlotChannel, Prop("OPCComputerName", &TiXYPlotChannel::OPCComputerName, &TiXYPlotChannel::SetOPCComputerName),
    Prop("OPCServerName", &TiXYPlotChannel::OPCServerName, &TiXYPlotChannel::SetOPCServerName),
    Prop("OPCItemName", &TiXYPlotChannel::OPCItemName, &TiXYPlotChannel::SetOPCItemName),
    Prop("OPCUpdateRate", &TiXYPlotChannel::OPCUpdateRate, &TiXYPlotChannel::SetOPCUpdateRate).Default(500),
    Prop("OPCScalar", &TiXYPlotChannel::OPCScalar, &TiXYPlotChannel::SetOPCScalar),
    Prop("OPCOffset", &TiXYPlotChannel::OPCOffset, &TiXYPlotChannel::SetOPCOffset),
    Prop("OPCScalar2", &TiXYPlotChannel::OPCScalar2, &TiXYPlotChannel::SetOPCScalar2),
    Prop("OPCOffset2", &TiXYPlotChannel::OPCOffset2, &TiXYPlotChannel::SetOPCOffset2),
    Prop("OPCAutoConnect", &TiXYPlotChannel::OPCAutoConnect, &TiXYPlotChannel::SetOPCAutoConnect).Default(true),
    Prop("OPCItem2Name", &TiXYPlotChannel::OPCItem2Name, &TiXYPlotChannel::SetOPCItem2Name))

namespace {

// Every XY plot makes its channels of this class.
const bool g_registered = [] {
    RegisterXYPlotChannelClass(&CreatePlotObject<TiXYPlotChannel>);
    return true;
}();

}  // namespace

// ---------------------------------------------------------------------------------------------
// Adding points

int TiXYPlotChannel::AddNull()
{
    List().Add(0, 0, true, false);
    TriggerChange(this);
    return GetCount() - 1;
}

int TiXYPlotChannel::AddEmpty()
{
    List().Add(0, 0, false, true);
    TriggerChange(this);
    return GetCount() - 1;
}

// ---------------------------------------------------------------------------------------------
// OPC

void TiXYPlotChannel::Loaded()
{
    inherited::Loaded();
    if (Item(0).AutoConnect())
        OPCActivate();
}

void TiXYPlotChannel::OPCActivate()
{
    if (Owner()->DoIsDesigning())
        return;
    m_opc.DeactivateBoth();
    // The pair's group is the channel's own: a name left from an earlier server would name
    // a group that is gone.
    Item(0).SetGroupName("");
    m_opc.ActivatePair(this);
}

void TiXYPlotChannel::OPCActivateSuspend()
{
    OPCActivate();
    OPCUpdateSuspend();
}

void TiXYPlotChannel::OPCDeactivate() { m_opc.DeactivateBoth(); }
void TiXYPlotChannel::OPCUpdateSuspend() { m_opc.Manager().GetGroup(0)->Suspend(); }
void TiXYPlotChannel::OPCUpdateResume() { m_opc.Manager().GetGroup(0)->Resume(); }
bool TiXYPlotChannel::GetOPCActive() const { return Item(0).GetActive(); }
bool TiXYPlotChannel::GetOPCQualityGood() const { return Item(0).GetQualityGood(); }

void TiXYPlotChannel::AfterGroupUpdate() { AddXY(m_opc.Value(0), m_opc.Value(1)); }

// ---------------------------------------------------------------------------------------------
// Drawing

void TiXYPlotChannel::CalcStartXIndex() { SetDrawStartIndex(0); }

void TiXYPlotChannel::CalcStopXIndex() { SetDrawStopIndex(GetCount() - 1); }

void TiXYPlotChannel::DrawSetup(TCanvas&)
{
    SetReadyToDraw(false);
    if (!AxesValid() || !Visible() || GetCount() == 0)
        return;
    CalcStartXIndex();
    CalcStopXIndex();
    SetReadyToDraw(DrawStartIndex() != -1 && DrawStopIndex() != -1);
}

void TiXYPlotChannel::Draw(TCanvas& canvas, TColor backGroundColor)
{
    DrawWithinAxes(canvas, [&](bool reverse) {
        DrawConnectPoints(canvas, reverse, backGroundColor);
        DrawMarkers(canvas, reverse, backGroundColor);
    });
}

// ---------------------------------------------------------------------------------------------
// Visible extremes

double TiXYPlotChannel::VisibleExtreme(double (TiPlotChannelCustom::*extent)(int), bool maximum)
{
    CalcStartXIndex();
    CalcStopXIndex();
    double result = maximum ? -1e300 : 1e300;
    if (!AxesValid() || !Visible() || DrawStartIndex() < 0 || DrawStopIndex() < 0)
        return result;
    for (int i = DrawStartIndex(); i <= DrawStopIndex(); ++i) {
        if (!GetDataValid(i))
            continue;
        const double value = (this->*extent)(i);
        result = maximum ? std::max(result, value) : std::min(result, value);
    }
    return result;
}

double TiXYPlotChannel::GetVisibleMaxX() { return VisibleExtreme(&TiPlotChannelCustom::GetDataXDrawMax, true); }
double TiXYPlotChannel::GetVisibleMinX() { return VisibleExtreme(&TiPlotChannelCustom::GetDataXDrawMin, false); }
double TiXYPlotChannel::GetVisibleMaxY() { return VisibleExtreme(&TiPlotChannelCustom::GetDataYDrawMax, true); }
double TiXYPlotChannel::GetVisibleMinY() { return VisibleExtreme(&TiPlotChannelCustom::GetDataYDrawMin, false); }

// ---------------------------------------------------------------------------------------------
// Data cursor

void TiXYPlotChannel::PointerValues(TiPlotAxis& axis, TObject* cursor, double p1, double p2, double& v1, double& v2)
{
    v1 = axis.PercentToPosition(p1 / 100);
    v2 = axis.PercentToPosition(p2 / 100);
    auto* dataCursor = dynamic_cast<TiPlotDataCursor*>(cursor);
    TiPlotDataView* view = dataCursor ? dataCursor->DataView() : nullptr;
    if (!view || (axis.StartPercent() == 0 && axis.StopPercent() == 100))
        return;
    // An axis on part of its side maps the data view's percent through the pixels it covers.
    // The pixels run along the axis, across the view when the axes are reversed.
    auto pixelOf = [&](double percent) {
        return axis.GetIsHorz() ? view->PositionPercentToPixelsX(percent) : view->PositionPercentToPixelsY(percent);
    };
    v1 = axis.PixelsToPosition(pixelOf(p1));
    v2 = axis.PixelsToPosition(pixelOf(p2));
}

void TiXYPlotChannel::DataCursorUpate(TObject* cursor)
{
    auto* target = dynamic_cast<IPlotDataCursorTarget*>(cursor);
    if (!target)
        return;
    const TiPlotDataCursorStyle style = target->CursorStyle();
    double x = 0;
    double y = 0;
    TiPlotXAxis* xAxis = GetXAxis();
    TiPlotYAxis* yAxis = GetYAxis();
    if (xAxis && yAxis) {
        const double p1 = target->CursorPointer1Position();
        const double p2 = target->CursorPointer2Position();
        double x1, x2, y1, y2;
        PointerValues(*xAxis, cursor, p1, p2, x1, x2);
        PointerValues(*yAxis, cursor, p1, p2, y1, y2);
        switch (style) {
        case ipcsValueXY:  // pointer 1 is the vertical line, pointer 2 the horizontal one
            x = x1;
            y = y2;
            break;
        case ipcsValueX: x = x1; break;
        case ipcsValueY: y = y2; break;
        case ipcsDeltaX: x = std::fabs(x1 - x2); break;
        case ipcsDeltaY: y = std::fabs(y1 - y2); break;
        case ipcsInverseDeltaX: {
            const double scaler = xAxis->CursorScaler();
            x = x1 == x2 || scaler == 0 ? std::numeric_limits<double>::infinity() : std::fabs(1 / (scaler * (x1 - x2)));
            break;
        }
        }
    }
    target->SetCursorData(x, y, ipdpsValid);
    target->SetCursorDisplayText(GetDataCursorDisplayText(style, x, y, ipdpsValid));
}

std::string TiXYPlotChannel::GetDataCursorDisplayText(TiPlotDataCursorStyle Style, double X, double Y,
                                                      TiPlotDataPointStatus Status)
{
    m_cursorCache = {};
    m_cursorCache.X = X;
    m_cursorCache.Y = Y;
    m_cursorCache.Status = Status;
    if (!GetXAxis())
        return GetTranslation("No X-Axis");
    auto yText = [&]() -> std::string {
        if (!GetYAxis())
            return "No Y-Axis";
        if (Status == ipdpsNull)
            return GetTranslation("Null");
        if (Status == ipdpsEmpty)
            return GetTranslation("Empty");
        return GetYValueText(Y);
    };
    switch (Style) {
    case ipcsValueXY: return GetXValueText(X) + ", " + yText();
    case ipcsValueX:
    case ipcsDeltaX: return GetXValueText(X);
    case ipcsValueY: return yText();
    case ipcsDeltaY: return GetYAxis() ? GetYValueText(Y) : "No Y-Axis";
    case ipcsInverseDeltaX: return X >= 1e301 ? GetTranslation("Infinite") : GetXValueText(X);
    }
    return {};
}
