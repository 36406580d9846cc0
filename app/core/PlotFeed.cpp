#include "app/core/PlotFeed.h"

#include <cstdio>
#include <sys/stat.h>

#include "app/core/CFormat.h"
#include "app/core/DeviceQuantities.h"
#include "app/core/EngineeringUnits.h"
#include "app/core/HostContext.h"

const char* const kPlotSettingsFile = "zuvpravix.rbs";

namespace {

using namespace TypeCode;

struct ChannelLook {
    TColor Color;
    const char* Title;
};

// The colour and first title of a plotted type; Title null when the type gets no channel.
ChannelLook LookOf(const HostState& s, int t)
{
    if (IsLambda(t))
        return {s.Device.TypeColor[t], "%3d nm"};
    const DeviceQuantity* q = QuantityOf(t);
    return q ? ChannelLook{q->PlotColor, q->PlotTitle} : ChannelLook{clBlack, nullptr};
}

bool PlotSwitchOff(const HostState& s, int t)
{
    return (t == ITemp && s.ITempPlot == 0) || (t == XTemp && s.XTempPlot == 0) || (t == Pressure && s.PresPlot == 0);
}

void SetTitle(HostContext& ctx, int channel, const std::string& text)
{
    if (!text.empty() && channel >= 0 && channel < ctx.plot.ChannelCount())
        ctx.plot.SetChannelTitleText(channel, text);
}

std::string RawTitleText(const HostState& s, const char* name, double stat, const std::string& plain)
{
    if (!s.PowerUser)
        return plain;
    switch (s.StatMode) {
    case 0: return plain;
    case 1: return QuickFormat("%s: %4.2lf Mean", stat, name);
    case 15:
    case 60: return QuickFormat("%s: %4.2lf stddev", stat, name);
    default: return {};
    }
}

// Raw mode: Y and the title of one column.
double FeedRaw(HostContext& ctx, int t, int ch, double stat)
{
    const HostState& s = ctx.s;
    double v = s.TypeValue[t];
    if (IsLambda(t)) {
        SetRawTitle(ctx, ch, QuickFormat("%3d nm", 0, "", s.Device.TypeWavelength[t]), v, stat);
        return v;
    }
    const DeviceQuantity* q = QuantityOf(t);
    if (!q || !q->RawName)
        return kNoValue;
    if (t == IEngr)
        SetRawTitleWithUnits(ctx, ch, q->RawName, v, stat);
    else
        SetRawTitle(ctx, ch, q->RawName, v, stat);
    return PlotSwitchOff(s, t) ? kNoValue : v;
}

// Engineering mode: Y and the title of one column.
double FeedEngineering(HostContext& ctx, int t, int ch)
{
    const HostState& s = ctx.s;
    double y = kNoValue;
    std::string title;
    if (IsLambda(t)) {
        int w = s.Device.TypeWavelength[t];
        switch (s.BetaSelect) {
        case 0:
            y = s.TypeBeta[t];
            title = QuickFormat("Beta %3d : %6.4lf", y, "", w);
            break;
        case 1:
            y = s.TypeBetap[t];
            title = QuickFormat("Betap %3d: %6.4lf", y, "", w);
            break;
        case 2:
            y = s.TypeBbp[t];
            title = QuickFormat("bbp %3d: %6.4lf", y, "", w);
            break;
        case 3:
            y = s.TypeBb[t];
            title = QuickFormat("bb %3d: %6.4lf", y, "", w);
            break;
        default:
            y = s.TypeValue[t];
            title = QuickFormat("Invalid %3d: %1lf ", y, "", w);
            break;
        }
    } else if (const DeviceQuantity* q = QuantityOf(t); q && q->EngrTitle) {
        double e = IsVSF(t) ? s.TypeVSF[t] : s.EngValue[t];
        y = PlotSwitchOff(s, t) ? kNoValue : e;
        title = QuickFormat(q->EngrTitle, e, s.Device.EngrUnits.c_str());
    }
    SetTitle(ctx, ch, title);
    return y;
}

void ClearPlot(HostContext& ctx) { ctx.plot.ClearAllData(); }

bool LambdaPresent(const HostState& s)
{
    for (int t = FirstLambda; t <= LastLambda; ++t)
        if (s.PresenceCounts[t] > 0)
            return true;
    return false;
}

}  // namespace

void BuildPlotChannels(HostContext& ctx)
{
    HostState& s = ctx.s;
    ctx.plot.RemoveAllChannels();
    s.ColumnChannel.fill(kNoChannel);
    if (s.Device.DataFieldCount == 0)
        return;
    int next = 0;
    for (int col = 0; col < kMaxColumns; ++col) {
        int t = s.Device.ColumnTypes[col];
        if (t < 0 || t >= kTypeCount)
            continue;
        ChannelLook look = LookOf(s, t);
        if (!look.Title)
            continue;
        ctx.plot.AddChannel();
        ctx.plot.SetChannelColor(next, look.Color);
        ctx.plot.SetChannelTitleText(next, IsLambda(t) ? CFormat(look.Title, s.Device.TypeWavelength[t]) : look.Title);
        s.ColumnChannel[col] = next++;
    }
}

void FeedPlot(HostContext& ctx, int columnCount, int plotType)
{
    HostState& s = ctx.s;
    for (int col = 0; col < columnCount && col < kMaxColumns; ++col) {
        int t = s.Device.ColumnTypes[col];
        if (t < 0 || t >= kTypeCount)
            continue;
        int ch = s.ColumnChannel[col];
        PushHistory(s, t, s.TypeValue[t]);
        double stat = HistoryStat(s, t, s.StatMode);
        // Columns without a channel (or whose channel a property-file load removed) draw nothing.
        if (ch < 0 || ch >= ctx.plot.ChannelCount())
            continue;
        double y = kNoValue;
        if (plotType == 0)
            y = FeedRaw(ctx, t, ch, stat);
        else if (plotType == 1)
            y = FeedEngineering(ctx, t, ch);
        if (y < kPlotLimit)
            ctx.plot.ChannelAddXY(ch, s.SampleX, y);
    }
}

void SetRawTitle(HostContext& ctx, int channel, const std::string& name, double value, double stat)
{
    std::string plain = QuickFormat("%s: %1.0lf Counts", value, name.c_str());
    SetTitle(ctx, channel, RawTitleText(ctx.s, name.c_str(), stat, plain));
}

void SetRawTitleWithUnits(HostContext& ctx, int channel, const std::string& name, double value, double stat)
{
    std::string plain = QuickFormat("%s: %4.2lf ", value, name.c_str()) + ctx.s.Device.EngrUnits;
    SetTitle(ctx, channel, RawTitleText(ctx.s, name.c_str(), stat, plain));
}

void PreparePlot(HostContext& ctx)
{
    ctx.plot.RemoveAllChannels();
    ctx.plot.SetTitleText(ctx.s.Device.SensorName);
}

void SetPlotTitle(HostContext& ctx)
{
    if (ctx.plot.TitleText() != ctx.s.Device.SensorName)
        ctx.plot.SetTitleText(ctx.s.Device.SensorName);
}

void SavePlotSettings(HostContext& ctx)
{
    ctx.plot.SetOptionSaveAllProperties(true);
    ctx.plot.SavePropertiesToFile(kPlotSettingsFile);
}

void LoadPlotSettings(HostContext& ctx)
{
    struct stat st {};
    if (::stat(kPlotSettingsFile, &st) == 0)
        ctx.plot.LoadPropertiesFromFile(kPlotSettingsFile);
}

void BBPlotCBChange(HostContext& ctx)
{
    ctx.s.BetaSelect = ctx.ui.GetItemIndex("BBPlotCB");
    ClearPlot(ctx);
}

void StdDevCBChange(HostContext& ctx)
{
    if (!ctx.s.PowerUser)
        return;
    static constexpr int kModes[] = {0, 1, 15, 60};
    int index = ctx.ui.GetItemIndex("StdDevCB");
    if (index >= 0 && index < 4)
        ctx.s.StatMode = kModes[index];
    ClearPlot(ctx);
}

void iTempCBChange(HostContext& ctx)
{
    ctx.s.ITempPlot = ctx.ui.GetItemIndex("iTempCB");
    ClearPlot(ctx);
}

void xTempCBChange(HostContext& ctx)
{
    ctx.s.XTempPlot = ctx.ui.GetItemIndex("xTempCB");
    ClearPlot(ctx);
}

void PresCBChange(HostContext& ctx)
{
    ctx.s.PresPlot = ctx.ui.GetItemIndex("PresCB");
    ClearPlot(ctx);
}

void PlotTypeCBChange(HostContext& ctx)
{
    int index = ctx.ui.GetItemIndex("PlotTypeCB");
    ctx.s.PlotType = index;
    ctx.ui.SetVisible("BBPlotCB", LambdaPresent(ctx.s) && index == 1);
    if (index == 1 && ctx.plot.YAxisCount() > 0) {
        ctx.plot.SetYAxisMin(0, 0.0);
        ctx.plot.SetYAxisSpan(0, 1.0);
    }
    ClearPlot(ctx);
}
