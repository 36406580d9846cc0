#pragma once
// The plot operations the host uses, on the main window's plot control. Channels are
// addressed by their index in creation order.

#include <string>

#include "platform/core/Types.h"

class IHostPlot {
public:
    virtual ~IHostPlot() = default;

    virtual void RemoveAllChannels() = 0;
    virtual int AddChannel() = 0;  // returns the new channel's index
    virtual int ChannelCount() const = 0;
    virtual void SetChannelColor(int channel, TColor color) = 0;
    virtual void SetChannelTitleText(int channel, const std::string& text) = 0;
    virtual void ChannelAddXY(int channel, double x, double y) = 0;
    virtual void ClearAllData() = 0;
    virtual int YAxisCount() const = 0;
    virtual void SetYAxisMin(int axis, double value) = 0;
    virtual void SetYAxisSpan(int axis, double value) = 0;
    virtual std::string TitleText() const = 0;
    virtual void SetTitleText(const std::string& text) = 0;
    virtual void SetOptionSaveAllProperties(bool value) = 0;
    // Both raise the plot's exception on failure.
    virtual void SavePropertiesToFile(const std::string& fileName) = 0;
    virtual void LoadPropertiesFromFile(const std::string& fileName) = 0;
};
