#include "app/core/DeviceLayout.h"

#include "app/core/HostContext.h"
#include "app/core/PlotFeed.h"

namespace {

bool Present(const HostState& s, int type) { return s.PresenceCounts[type] > 0; }

// The quantities whose columns are counted.
bool IsCountedQuantity(TTypeCode t)
{
    using namespace TypeCode;
    return IsLambda(t) || IsVSF(t) || t == IEngr || (t >= CHL && t <= Rhodamine) || t == LSS || t == NTU ||
           t == ITemp || t == XTemp || t == Pressure || t == Counter || t == Raw || t == Engr1 || t == PAR;
}

bool AnyPresent(const HostState& s, int first, int last)
{
    for (int t = first; t <= last; ++t)
        if (Present(s, t))
            return true;
    return false;
}

// Shows a plot choice when its quantity is present, and then plots it.
void ShowTemperatureChoice(HostContext& ctx, const char* combo, TTypeCode type, int& plotSwitch)
{
    bool present = Present(ctx.s, type);
    ctx.ui.SetVisible(combo, present);
    if (!present)
        return;
    plotSwitch = 1;
    // The combo shows the switch it sets: left on "No ... Plot" it would contradict the trace
    // on the page, and choosing that item would change nothing.
    ctx.ui.SetItemIndex(combo, 1);
}

}  // namespace

void ApplyDeviceLayout(HostContext& ctx)
{
    using namespace TypeCode;
    HostState& s = ctx.s;
    SetPlotTitle(ctx);

    // Counted afresh on every run; the first column (the meter's own counter or date) is not counted.
    s.PresenceCounts.fill(0);
    for (int col = 1; col < kMaxColumns; ++col) {
        const TTypeCode t = s.Device.ColumnTypes[col];
        if (IsCountedQuantity(t))
            ++s.PresenceCounts[t];
    }

    bool anyButCounter = false;
    for (int t = 0; t < kTypeCount; ++t)
        if (t != Counter && Present(s, t))
            anyButCounter = true;
    ctx.ui.SetVisible("PlotTypeCB", anyButCounter);

    ShowTemperatureChoice(ctx, "iTempCB", ITemp, s.ITempPlot);
    ShowTemperatureChoice(ctx, "xTempCB", XTemp, s.XTempPlot);
    ShowTemperatureChoice(ctx, "PresCB", Pressure, s.PresPlot);

    bool lambda = AnyPresent(s, FirstLambda, LastLambda);
    ctx.ui.SetVisible("BBPlotCB", lambda && ctx.ui.GetItemIndex("PlotTypeCB") == 1);
    ctx.ui.SetVisible("TSFLSetup", s.Device.ASV2Range > 0);
    ctx.ui.SetVisible("TSPARSetup", Present(s, PAR));
    ctx.ui.SetVisible("TSNTUSetup", Present(s, NTU));

    bool vsf = AnyPresent(s, VSF100, VSF150);
    ctx.ui.SetVisible("TSSetup", !vsf);
    ctx.ui.SetVisible("TSTransferData", !vsf);
}
