#pragma once
// The host's plot operations on the main window's plot control, `iPlot1` on the "Plot Data"
// page. Channels are addressed by their index in creation order; an index the plot does not
// hold raises the plot's index error. Loading the settings file leaves the plot where it is
// on the page.

#include "app/core/HostPlot.h"

class TiPlot;

class HostPlotControl final : public IHostPlot {
public:
    explicit HostPlotControl(TiPlot& plot) : m_plot(plot) {}

    void RemoveAllChannels() override;
    int AddChannel() override;
    int ChannelCount() const override;
    void SetChannelColor(int channel, TColor color) override;
    void SetChannelTitleText(int channel, const std::string& text) override;
    void ChannelAddXY(int channel, double x, double y) override;
    void ClearAllData() override;
    int YAxisCount() const override;
    void SetYAxisMin(int axis, double value) override;
    void SetYAxisSpan(int axis, double value) override;
    std::string TitleText() const override;
    void SetTitleText(const std::string& text) override;
    void SetOptionSaveAllProperties(bool value) override;
    void SavePropertiesToFile(const std::string& fileName) override;
    void LoadPropertiesFromFile(const std::string& fileName) override;

private:
    TiPlot& m_plot;
};
