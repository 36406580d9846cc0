#pragma once
// A stand-in for the plot control until the plot component exists: it keeps what the host
// sends (channels with their titles, colours and last points, the title, the Y axis) and
// lists it as plain text in a read-only memo on the "Plot Data" page. It draws no graph.
// Its settings file holds the title and the Y axis as "Name=value" lines.

#include <memory>
#include <string>
#include <vector>

#include "app/core/HostPlot.h"

class TMemo;
class TTimer;

class PlaceholderPlot final : public IHostPlot {
public:
    explicit PlaceholderPlot(TMemo& display);
    ~PlaceholderPlot() override;
    PlaceholderPlot(const PlaceholderPlot&) = delete;
    PlaceholderPlot& operator=(const PlaceholderPlot&) = delete;

    void RemoveAllChannels() override;
    int AddChannel() override;
    int ChannelCount() const override { return int(channels_.size()); }
    void SetChannelColor(int channel, TColor color) override;
    void SetChannelTitleText(int channel, const std::string& text) override;
    void ChannelAddXY(int channel, double x, double y) override;
    void ClearAllData() override;
    int YAxisCount() const override { return 1; }
    void SetYAxisMin(int axis, double value) override;
    void SetYAxisSpan(int axis, double value) override;
    std::string TitleText() const override { return title_; }
    void SetTitleText(const std::string& text) override;
    void SetOptionSaveAllProperties(bool) override {}
    void SavePropertiesToFile(const std::string& fileName) override;
    void LoadPropertiesFromFile(const std::string& fileName) override;

    // The text the memo shows (refreshed a few times a second while something changed).
    std::string DisplayText() const;
    void RefreshNow();

private:
    struct Channel {
        std::string Title;
        TColor Color = clBlack;
        long Points = 0;
        double LastX = 0, LastY = 0;
    };
    Channel& At(int channel);
    void Changed() { dirty_ = true; }

    TMemo& display_;
    std::unique_ptr<TTimer> refresh_;
    std::vector<Channel> channels_;
    std::string title_ = "ZUV";
    double yMin_ = 0, ySpan_ = 100;
    bool dirty_ = true;
};
