#include "app/core/PlotFeed.h"

#include <algorithm>
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
ChannelLook LookOf(const HostState& s, TTypeCode t)
{
    if (IsLambda(t))
        return {s.Device.TypeColor[t], "%3d nm"};
    const DeviceQuantity* q = QuantityOf(t);
    return q ? ChannelLook{q->PlotColor, q->PlotTitle} : ChannelLook{clBlack, nullptr};
}

bool PlotSwitchOff(const HostState& s, TTypeCode t)
{
    return (t == ITemp && s.ITempPlot == 0) || (t == XTemp && s.XTempPlot == 0) || (t == Pressure && s.PresPlot == 0);
}

void SetTitle(HostContext& ctx, int channel, const std::string& text)
{
    if (!text.empty() && channel >= 0 && channel < ctx.plot.ChannelCount())
        ctx.plot.SetChannelTitleText(channel, text);
}

// A power user's raw titles show the recent mean or standard deviation instead of the count;
// any other statistics choice leaves the titles as they stand.
bool ShowsStat(const ChannelTitleSource& src)
{
    return src.PowerUser && (src.StatMode == TitleStat::Mean || src.StatMode == TitleStat::StdDev15 ||
                             src.StatMode == TitleStat::StdDev60);
}

bool HasRawTitle(const ChannelTitleSource& src)
{
    return !src.PowerUser || src.StatMode == TitleStat::None || ShowsStat(src);
}

// Only raw titles show a type's history, so types that never get one keep none.
bool KeepsHistory(TTypeCode t)
{
    const DeviceQuantity* q = IsLambda(t) ? nullptr : QuantityOf(t);
    return IsLambda(t) || (q && q->RawName);
}

std::string RawTitle(const HostState& s, const ChannelTitleSource& src)
{
    const TTypeCode t = src.Type;
    const std::string name =
        IsLambda(t) ? QuickFormat("%3d nm", 0, "", s.Device.TypeWavelength[t]) : QuantityOf(t)->RawName;
    if (ShowsStat(src))
        return QuickFormat(src.StatMode == TitleStat::Mean ? "%s: %4.2lf Mean" : "%s: %4.2lf stddev", src.Stat,
                           name.c_str());
    if (t == IEngr)
        return QuickFormat("%s: %4.2lf ", src.Value, name.c_str()) + s.Device.EngrUnits;
    return QuickFormat("%s: %1.0lf Counts", src.Value, name.c_str());
}

std::string EngineeringTitle(const HostState& s, const ChannelTitleSource& src)
{
    const TTypeCode t = src.Type;
    if (!IsLambda(t))
        return QuickFormat(QuantityOf(t)->EngrTitle, src.Value, s.Device.EngrUnits.c_str());
    static constexpr const char* kLambdaTitles[] = {"Beta %3d : %6.4lf", "Betap %3d: %6.4lf", "bbp %3d: %6.4lf",
                                                    "bb %3d: %6.4lf"};
    const bool known = src.BetaSelect >= BetaKind::Beta && src.BetaSelect <= BetaKind::TotalBackscatter;
    return QuickFormat(known ? kLambdaTitles[src.BetaSelect] : "Invalid %3d: %1lf ", src.Value, "",
                       s.Device.TypeWavelength[t]);
}

ChannelTitleSource TitleSourceOf(const HostState& s, TPlotMode plotType, TTypeCode t)
{
    ChannelTitleSource src;
    src.Type = t;
    src.PlotType = plotType;
    src.StatMode = s.StatMode;
    src.BetaSelect = s.BetaSelect;
    src.PowerUser = s.PowerUser;
    return src;
}

// Raw mode: Y of one column, and its title's values.
double FeedRaw(HostContext& ctx, TTypeCode t, int ch)
{
    HostState& s = ctx.s;
    const DeviceQuantity* q = IsLambda(t) ? nullptr : QuantityOf(t);
    if (!IsLambda(t) && (!q || !q->RawName))
        return kNoValue;
    ChannelTitleSource src = TitleSourceOf(s, PlotMode::RawData, t);
    if (HasRawTitle(src)) {
        src.Value = s.TypeValue[t];
        src.Stat = ShowsStat(src) ? HistoryStat(s, t, s.StatMode) : 0;
        src.Stale = true;
        s.ChannelTitles[std::size_t(ch)] = src;
    }
    return PlotSwitchOff(s, t) ? kNoValue : s.TypeValue[t];
}

double LambdaY(const HostState& s, TTypeCode t)
{
    switch (s.BetaSelect) {
    case BetaKind::Beta: return s.TypeBeta[t];
    case BetaKind::ParticleBeta: return s.TypeBetap[t];
    case BetaKind::ParticleBackscatter: return s.TypeBbp[t];
    case BetaKind::TotalBackscatter: return s.TypeBb[t];
    default: return s.TypeValue[t];
    }
}

// Engineering mode: Y of one column, and its title's value.
double FeedEngineering(HostContext& ctx, TTypeCode t, int ch)
{
    HostState& s = ctx.s;
    double y = kNoValue;
    ChannelTitleSource src = TitleSourceOf(s, PlotMode::EngrUnits, t);
    if (IsLambda(t)) {
        y = src.Value = LambdaY(s, t);
    } else if (const DeviceQuantity* q = QuantityOf(t); q && q->EngrTitle) {
        src.Value = IsVSF(t) ? s.TypeVSF[t] : s.EngValue[t];
        y = PlotSwitchOff(s, t) ? kNoValue : src.Value;
    } else {
        return kNoValue;
    }
    src.Stale = true;
    s.ChannelTitles[std::size_t(ch)] = src;
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
    s.ChannelTitles.fill({});
    if (s.Device.DataFieldCount == 0)
        return;
    int next = 0;
    for (int col = 0; col < kMaxColumns; ++col) {
        const TTypeCode t = s.Device.ColumnTypes[col];
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

void FeedPlot(HostContext& ctx, int columnCount, TPlotMode plotType)
{
    HostState& s = ctx.s;
    const int channels = std::min(ctx.plot.ChannelCount(), kMaxColumns);
    for (const auto [col, t] : s.QuantityColumns()) {
        if (col >= columnCount)
            break;
        if (KeepsHistory(t))
            PushHistory(s, t, s.TypeValue[t]);
        int ch = s.ColumnChannel[col];
        // Columns without a channel (or whose channel a property-file load removed) draw nothing.
        if (ch < 0 || ch >= channels)
            continue;
        double y = kNoValue;
        if (plotType == PlotMode::RawData)
            y = FeedRaw(ctx, t, ch);
        else if (plotType == PlotMode::EngrUnits)
            y = FeedEngineering(ctx, t, ch);
        if (y < kPlotLimit)
            ctx.plot.ChannelAddXY(ch, s.SampleX, y);
    }
}

void RefreshPlotTitles(HostContext& ctx)
{
    HostState& s = ctx.s;
    for (int ch = 0; ch < kMaxColumns; ++ch) {
        ChannelTitleSource& src = s.ChannelTitles[std::size_t(ch)];
        if (!src.Stale)
            continue;
        src.Stale = false;
        SetTitle(ctx, ch, src.PlotType == PlotMode::RawData ? RawTitle(s, src) : EngineeringTitle(s, src));
    }
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
    ctx.s.BetaSelect = TBetaKind(ctx.ui.GetItemIndex("BBPlotCB"));
    ClearPlot(ctx);
}

void StdDevCBChange(HostContext& ctx)
{
    if (!ctx.s.PowerUser)
        return;
    static constexpr TTitleStat kModes[] = {TitleStat::None, TitleStat::Mean, TitleStat::StdDev15, TitleStat::StdDev60};
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
    const TPlotMode mode = TPlotMode(ctx.ui.GetItemIndex("PlotTypeCB"));
    ctx.s.PlotType = mode;
    ctx.ui.SetVisible("BBPlotCB", LambdaPresent(ctx.s) && mode == PlotMode::EngrUnits);
    if (mode == PlotMode::EngrUnits && ctx.plot.YAxisCount() > 0) {
        ctx.plot.SetYAxisMin(0, 0.0);
        ctx.plot.SetYAxisSpan(0, 1.0);
    }
    ClearPlot(ctx);
}
