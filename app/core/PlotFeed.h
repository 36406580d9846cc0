#pragma once
// The live plot: one channel per plotted column, one point per channel and accepted line,
// channel titles carrying the current value, and the plot choices of the "Plot Data" page.

#include <string>

struct HostContext;

constexpr double kNoValue = 99999.0;
constexpr double kPlotLimit = 99990.0;  // values at or above it are never plotted

void BuildPlotChannels(HostContext& ctx);
void FeedPlot(HostContext& ctx, int columnCount, int plotType);
void SetRawTitle(HostContext& ctx, int channel, const std::string& name, double value, double stat);
void SetRawTitleWithUnits(HostContext& ctx, int channel, const std::string& name, double value, double stat);
void PreparePlot(HostContext& ctx);
void SetPlotTitle(HostContext& ctx);
void SavePlotSettings(HostContext& ctx);
void LoadPlotSettings(HostContext& ctx);

void BBPlotCBChange(HostContext& ctx);
void StdDevCBChange(HostContext& ctx);
void iTempCBChange(HostContext& ctx);
void xTempCBChange(HostContext& ctx);
void PresCBChange(HostContext& ctx);
void PlotTypeCBChange(HostContext& ctx);

extern const char* const kPlotSettingsFile;  // "zuvpravix.rbs"
