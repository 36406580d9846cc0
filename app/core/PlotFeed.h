#pragma once
// The live plot: one channel per plotted column, one point per channel and accepted line,
// channel titles carrying the current value, and the plot choices of the "Plot Data" page.
// A line's titles are only marked for refreshing: the input step refreshes them once at its
// end, before the plot can paint again, so titles cost nothing per line and are never seen stale.

#include <string>

#include "app/core/HostState.h"

struct HostContext;

constexpr double kNoValue = 99999.0;
constexpr double kPlotLimit = 99990.0;  // values at or above it are never plotted

void BuildPlotChannels(HostContext& ctx);
void FeedPlot(HostContext& ctx, int columnCount, TPlotMode plotType);
// Formats the titles the lines since the last refresh left stale.
void RefreshPlotTitles(HostContext& ctx);
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
