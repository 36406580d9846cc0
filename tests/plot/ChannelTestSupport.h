#pragma once
// Shared by the channel tests: a plot host that answers the channel's questions and records
// its data-point events, real axes bound by name, and a channel made on it.

#include "platform/canvas/Bitmap.h"
#include "platform/core/Exceptions.h"
#include "platform/core/Regional.h"
#include "platform/core/StrUtils.h"
#include "plot/objects/iPlotAxis.h"
#include "plot/objects/iPlotChannel.h"

#include <gtest/gtest.h>

#include <map>
#include <memory>
#include <string>
#include <vector>

using Log = std::vector<std::string>;

class ChannelHost : public IPlotHost {
public:
    Log Events;
    std::map<std::string, std::string> Translations;
    TiPlotXAxis* XAxis = nullptr;
    TiPlotYAxis* YAxis = nullptr;
    char Separator = '\t';
    bool SelectMode = false;
    bool Designing = false;
    TRect DataView = Rect(100, 50, 500, 450);

    std::string TranslateText(const std::string& text) override
    {
        const auto found = Translations.find(text);
        return found == Translations.end() ? text : found->second;
    }
    TPoint PlotClientToScreen(TPoint p) override { return p; }
    TiPlotXAxis* GetXAxisByName(const std::string& name) override
    {
        ++AxisLookups;
        return XAxis && SameName(XAxis->Name(), name) ? XAxis : nullptr;
    }
    TiPlotYAxis* GetYAxisByName(const std::string& name) override
    {
        ++AxisLookups;
        return YAxis && SameName(YAxis->Name(), name) ? YAxis : nullptr;
    }
    TiPlotChannelCustom* GetChannelByName(const std::string&) override { return nullptr; }
    void DoObjectClick(TiPlotObject*) override { Events.push_back("ObjectClick"); }
    void DoObjectMouseDown(TiPlotObject*, TMouseButton, TShiftState, int, int) override {}
    void DoObjectMouseMove(TiPlotObject*, TShiftState, int, int) override {}
    void DoObjectMouseUp(TiPlotObject*, TMouseButton, TShiftState, int, int) override {}
    void DoObjectMouseWheel(TiPlotObject*, int, TShiftState, int, int) override {}
    void DoGetMouseCursor(TiPlotObject*, TCursor&) override {}
    void DoObjectGotFocus(TiPlotObject*) override {}
    void DoObjectLostFocus(TiPlotObject*) override {}
    void DoPopUpMenuEvent(TiPlotObject*, bool&, int, int) override {}

    char GetSavingSeparator() override { return Separator; }
    bool GetSelectModeActive() override { return SelectMode; }
    bool DoIsDesigning() override { return Designing; }
    TRect GetDataViewRect() override { return DataView; }
    TPoint GetHintTextExtent(const std::string&) override { return {56, 12}; }
    void DoDataPointMouseDown(TiPlotChannelCustom*, int index, const TiPlotMouseData&) override
    {
        Events.push_back("Down " + std::to_string(index));
    }
    void DoDataPointMouseMove(TiPlotChannelCustom*, int index, const TiPlotMouseData&) override
    {
        Events.push_back("Move " + std::to_string(index));
    }
    void DoDataPointMouseUp(TiPlotChannelCustom*, int index, const TiPlotMouseData&) override
    {
        Events.push_back("Up " + std::to_string(index));
    }
    void DoDataPointClick(TiPlotChannelCustom*, int index) override
    {
        Events.push_back("Click " + std::to_string(index));
    }
    void DoDataPointMoved(TiPlotChannelCustom*, int index, double, double, double, double) override
    {
        Events.push_back("Moved " + std::to_string(index));
    }
    void DoDataPointCustomizeHint(TiPlotChannelCustom*, int, std::string& text) override
    {
        if (!HintPrefix.empty())
            text = HintPrefix + text;
    }

    int AxisLookups = 0;
    std::string HintPrefix;

private:
    static bool SameName(const std::string& a, const std::string& b) { return SameText(a, b); }
};

// A channel on a host with an X axis "X" (0 .. 100 over pixels 100 .. 500) and a Y axis "Y"
// (0 .. 100 over pixels 450 .. 50), tracking switched off so that the views stay put.
class ChannelTest : public testing::Test {
protected:
    ChannelTest()
    {
        m_bitmap.SetSize(640, 480);
        m_xAxis = std::make_unique<TiPlotXAxis>(&Host, Count("Change"), Ignore(), Ignore(), Ignore());
        m_yAxis = std::make_unique<TiPlotYAxis>(&Host, Count("Change"), Ignore(), Ignore(), Ignore());
        m_xAxis->SetName("X");
        m_yAxis->SetName("Y");
        SetUpAxes();
        Host.XAxis = m_xAxis.get();
        Host.YAxis = m_yAxis.get();
        Channel = NewChannel();
    }

    void SetUpAxes(double xMin = 0, double xSpan = 100)
    {
        m_xAxis->SetMinSpan(xMin, xSpan);
        m_xAxis->SetTrackingEnabled(false);
        m_xAxis->SetDrawRect({100, 400, 500, 440});
        m_xAxis->CalcTicks(m_bitmap.Canvas());
        m_yAxis->SetMinSpan(0, 100);
        m_yAxis->SetTrackingEnabled(false);
        m_yAxis->SetDrawRect({20, 50, 80, 450});
        m_yAxis->CalcTicks(m_bitmap.Canvas());
    }

    std::unique_ptr<TiPlotChannel> NewChannel()
    {
        auto channel = std::make_unique<TiPlotChannel>(&Host, Count("Change"), Ignore(), Ignore(), Ignore());
        channel->SetXAxisName("X");
        channel->SetYAxisName("Y");
        return channel;
    }

    TNotifyEvent Count(const std::string& name)
    {
        return [this, name](TObject*) { ++Notifications[name]; };
    }
    static TNotifyEvent Ignore()
    {
        return [](TObject*) {};
    }

    TRegionGuard m_region;  // English separators
    TBitmap m_bitmap;
    ChannelHost Host;
    std::map<std::string, int> Notifications;
    std::unique_ptr<TiPlotXAxis> m_xAxis;
    std::unique_ptr<TiPlotYAxis> m_yAxis;
    std::unique_ptr<TiPlotChannel> Channel;
};

// Expects `body` to raise an Exception whose message is `message`.
template <class F>
void ExpectMessage(F&& body, const std::string& message)
{
    try {
        body();
        ADD_FAILURE() << "no exception; expected \"" << message << "\"";
    } catch (const Exception& e) {
        EXPECT_EQ(e.Message(), message);
    }
}
