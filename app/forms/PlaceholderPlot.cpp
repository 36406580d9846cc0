#include "app/forms/PlaceholderPlot.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "app/core/CFormat.h"
#include "app/core/HostState.h"
#include "platform/core/Exceptions.h"
#include "platform/gui/StdCtrls.h"
#include "platform/gui/Timers.h"

namespace {
constexpr unsigned kRefreshInterval = 250;  // ms; the feed adds points every 55 ms
}

PlaceholderPlot::PlaceholderPlot(TMemo& display) : display_(display), refresh_(std::make_unique<TTimer>())
{
    refresh_->SetInterval(kRefreshInterval);
    refresh_->OnTimer = [this](TObject*) {
        if (dirty_)
            RefreshNow();
    };
    RefreshNow();
}

PlaceholderPlot::~PlaceholderPlot() = default;

PlaceholderPlot::Channel& PlaceholderPlot::At(int channel)
{
    if (channel < 0 || channel >= int(channels_.size()))
        RaiseListIndexError(channel);
    return channels_[std::size_t(channel)];
}

void PlaceholderPlot::RemoveAllChannels()
{
    channels_.clear();
    Changed();
}

int PlaceholderPlot::AddChannel()
{
    channels_.emplace_back();
    channels_.back().Title = CFormat("Channel %d", int(channels_.size()));
    Changed();
    return int(channels_.size()) - 1;
}

void PlaceholderPlot::SetChannelColor(int channel, TColor color)
{
    At(channel).Color = color;
    Changed();
}

void PlaceholderPlot::SetChannelTitleText(int channel, const std::string& text)
{
    At(channel).Title = text;
    Changed();
}

void PlaceholderPlot::ChannelAddXY(int channel, double x, double y)
{
    Channel& c = At(channel);
    ++c.Points;
    c.LastX = x;
    c.LastY = y;
    Changed();
}

void PlaceholderPlot::ClearAllData()
{
    for (Channel& c : channels_)
        c = Channel{c.Title, c.Color};
    Changed();
}

void PlaceholderPlot::SetYAxisMin(int, double value)
{
    yMin_ = value;
    Changed();
}

void PlaceholderPlot::SetYAxisSpan(int, double value)
{
    ySpan_ = value;
    Changed();
}

void PlaceholderPlot::SetTitleText(const std::string& text)
{
    title_ = text;
    Changed();
}

void PlaceholderPlot::SavePropertiesToFile(const std::string& fileName)
{
    FilePtr file(std::fopen(fileName.c_str(), "wb"));
    if (!file)
        RaiseFileCreateError(fileName);
    const std::string text = CFormat("TitleText=%s\nYAxisMin=%.17g\nYAxisSpan=%.17g\n", title_.c_str(), yMin_, ySpan_);
    std::fwrite(text.data(), 1, text.size(), file.get());
}

void PlaceholderPlot::LoadPropertiesFromFile(const std::string& fileName)
{
    FilePtr file(std::fopen(fileName.c_str(), "rb"));
    if (!file)
        RaiseFileOpenError(fileName);
    char line[512];
    while (std::fgets(line, sizeof line, file.get())) {
        line[std::strcspn(line, "\n")] = '\0';
        const char* value = std::strchr(line, '=');
        if (!value)
            continue;
        const std::string name(line, std::size_t(value++ - line));
        if (name == "TitleText")
            title_ = value;
        else if (name == "YAxisMin")
            yMin_ = std::strtod(value, nullptr);
        else if (name == "YAxisSpan")
            ySpan_ = std::strtod(value, nullptr);
    }
    Changed();
}

std::string PlaceholderPlot::DisplayText() const
{
    std::string text = "[Placeholder: the plot component is not built yet; the channels are listed as text.]\n\n" +
                       title_ + "\n" + CFormat("Y axis: %g to %g\n\n", yMin_, yMin_ + ySpan_);
    for (const Channel& c : channels_) {
        text += c.Title;
        if (c.Points > 0)
            text += CFormat("    (%ld points, last %g at X %g)", c.Points, c.LastY, c.LastX);
        text += "\n";
    }
    return text;
}

void PlaceholderPlot::RefreshNow()
{
    dirty_ = false;
    display_.SetText(DisplayText());
}
