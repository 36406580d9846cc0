#include "plot/objects/iPlotAxis.h"

#include "platform/canvas/Bitmap.h"
#include "platform/core/Exceptions.h"
#include "platform/core/Regional.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <map>
#include <memory>
#include <string>
#include <utility>
#include <vector>

namespace {

using Log = std::vector<std::string>;

std::string Num(double v)
{
    char buffer[64];
    std::snprintf(buffer, sizeof buffer, "%g", v);
    return buffer;
}

// The plot as an axis sees it: records the axis events, answers data ranges and the
// collision test from tables, and lets a test customize label texts.
class FakeHost : public IPlotHost, public IPlotAxisHost {
public:
    Log Calls;
    std::vector<TiPlotAxisDataRange> Ranges;
    std::vector<TiPlotAxisDataRange> RunningRanges;
    std::vector<TRect> Collisions;
    std::map<std::string, TiPlotXAxis*> XAxes;
    std::map<std::string, TiPlotYAxis*> YAxes;
    std::function<void(double, std::string&)> CustomizeLabel;
    bool StripChart = false;

    std::string TranslateText(const std::string& text) override { return text; }
    TPoint PlotClientToScreen(TPoint p) override { return p; }
    TiPlotXAxis* GetXAxisByName(const std::string& name) override { return Find(XAxes, name); }
    TiPlotYAxis* GetYAxisByName(const std::string& name) override { return Find(YAxes, name); }
    TiPlotChannelCustom* GetChannelByName(const std::string&) override { return nullptr; }
    void DoObjectClick(TiPlotObject*) override { Calls.push_back("Click"); }
    void DoObjectMouseDown(TiPlotObject*, TMouseButton, TShiftState, int, int) override {}
    void DoObjectMouseMove(TiPlotObject*, TShiftState, int, int) override {}
    void DoObjectMouseUp(TiPlotObject*, TMouseButton, TShiftState, int, int) override {}
    void DoObjectMouseWheel(TiPlotObject*, int, TShiftState, int, int) override {}
    void DoGetMouseCursor(TiPlotObject*, TCursor&) override {}
    void DoObjectGotFocus(TiPlotObject*) override {}
    void DoObjectLostFocus(TiPlotObject*) override {}
    void DoPopUpMenuEvent(TiPlotObject*, bool&, int, int) override {}

    void DoAxesMinChange(TiPlotAxis*, double o, double n) override { Calls.push_back("Min " + Num(o) + ">" + Num(n)); }
    void DoAxesSpanChange(TiPlotAxis*, double o, double n) override
    {
        Calls.push_back("Span " + Num(o) + ">" + Num(n));
    }
    void DoAxesMinSpanChange(TiPlotAxis*, double om, double os, double nm, double ns) override
    {
        Calls.push_back("MinSpan " + Num(om) + "," + Num(os) + ">" + Num(nm) + "," + Num(ns));
    }
    void DoAxesMinSpanChangeFinished(TiPlotAxis*, double om, double os, double nm, double ns) override
    {
        Calls.push_back("Finished " + Num(om) + "," + Num(os) + ">" + Num(nm) + "," + Num(ns));
    }
    void DoAxesCustomizeLabel(TiPlotAxis*, double value, std::string& text) override
    {
        if (CustomizeLabel)
            CustomizeLabel(value, text);
    }
    void DoXAxisCustomizeHint(TiPlotAxis*, std::string& text) override { text = "X:" + text; }
    void DoYAxisCustomizeHint(TiPlotAxis*, std::string& text) override { text = "Y:" + text; }
    bool AddAxesCollisionDetectionItem(const TRect& rect) override
    {
        for (const TRect& r : Collisions) {
            TRect overlap;
            if (IntersectRect(overlap, r, rect))
                return false;
        }
        Collisions.push_back(rect);
        return true;
    }
    void MasterAxisMouseLeft(TiPlotAxis*, const TiPlotMouseData&) override { Calls.push_back("MasterLeft"); }
    void MasterAxisMouseMove(TiPlotAxis*, const TiPlotMouseData&) override { Calls.push_back("MasterMove"); }
    void MasterAxisMouseUp(TiPlotAxis*, const TiPlotMouseData&) override { Calls.push_back("MasterUp"); }
    void MasterAxisMouseWheel(TiPlotAxis*, int, TShiftState, int, int) override { Calls.push_back("MasterWheel"); }
    void MasterAxisKeyDown(TiPlotAxis*, int&, TShiftState) override { Calls.push_back("MasterKey"); }
    std::vector<TiPlotAxisDataRange> GetAxisDataRanges(bool, const std::string&, bool running) override
    {
        return running ? RunningRanges : Ranges;
    }
    bool IsStripChartPlot() const override { return StripChart; }

    Log Take() { return std::exchange(Calls, {}); }

private:
    template <typename T>
    static T* Find(const std::map<std::string, T*>& axes, const std::string& name)
    {
        const auto found = axes.find(name);
        return found == axes.end() ? nullptr : found->second;
    }
};

// Axes of one fake plot, with a bitmap to lay them out and draw them on.
class AxisTest : public ::testing::Test {
protected:
    FakeHost host;
    TBitmap bitmap;
    TRegionGuard region;   // English separators
    int changes = 0;

    AxisTest() { bitmap.SetSize(640, 480); }

    template <typename Axis>
    std::unique_ptr<Axis> Make()
    {
        const TNotifyEvent ignore = [](TObject*) {};
        auto axis = std::make_unique<Axis>(&host, TNotifyEvent([this](TObject*) { ++changes; }), ignore, ignore,
                                           ignore);
        return axis;
    }
    // A horizontal axis along x = 100..500, a vertical one along y = 50..450 (bottom up).
    std::unique_ptr<TiPlotXAxis> XAxis(double min = 0, double span = 100)
    {
        auto axis = Make<TiPlotXAxis>();
        axis->SetMinSpan(min, span);
        axis->SetDrawRect({100, 400, 500, 440});
        axis->CalcTicks(bitmap.Canvas());
        host.Calls.clear();
        return axis;
    }
    std::unique_ptr<TiPlotYAxis> YAxis(double min = 0, double span = 100)
    {
        auto axis = Make<TiPlotYAxis>();
        axis->SetMinSpan(min, span);
        axis->SetDrawRect({20, 50, 80, 450});
        axis->CalcTicks(bitmap.Canvas());
        host.Calls.clear();
        return axis;
    }
};

// ---------------------------------------------------------------------------------------------
// Scale limits and events

TEST_F(AxisTest, ScaleSettersClampAndFireTheirEventsOnce)
{
    auto axis = XAxis();
    axis->SetSpan(0);   // below the floor
    EXPECT_EQ(axis->Span(), 1e-300);
    EXPECT_EQ(host.Take(), (Log{"Span 100>1e-300", "MinSpan 0,100>0,1e-300"}));
    axis->SetSpan(-5);  // clamps to the value already there: nothing
    EXPECT_EQ(host.Take(), Log{});
    axis->SetMin(1e301);
    EXPECT_EQ(axis->Min(), 1e300);
    EXPECT_EQ(host.Take(), (Log{"Min 0>1e+300", "MinSpan 0,1e-300>1e+300,1e-300"}));
    axis->SetMin(-1e305);
    EXPECT_EQ(axis->Min(), -1e300);
    axis->SetSpan(1e305);
    EXPECT_EQ(axis->Span(), 1e300);
    host.Calls.clear();

    axis->SetMinSpan(10, 20);
    EXPECT_EQ(host.Take(), (Log{"Min -1e+300>10", "Span 1e+300>20", "MinSpan -1e+300,1e+300>10,20"}));
    axis->SetMinSpan(10, 30);   // only the span changes: no min event
    EXPECT_EQ(host.Take(), (Log{"Span 20>30", "MinSpan 10,20>10,30"}));
    axis->SetMinSpan(10, 30);
    EXPECT_EQ(host.Take(), Log{});
    EXPECT_FALSE(axis->InSetMinSpan());
    axis->SetMinSpan(std::nan(""), 5);   // refused, not stored
    EXPECT_EQ(axis->Min(), 10);
}

TEST_F(AxisTest, LogAxisNeverHoldsAMinimumThatIsNotAboveZero)
{
    auto axis = XAxis(0, 100);
    axis->SetScaleType(ipstLog10);
    EXPECT_EQ(axis->Min(), 1.0);          // switched without events
    EXPECT_EQ(host.Take(), Log{});
    axis->SetMin(0);
    EXPECT_EQ(axis->Min(), 1.0);
    axis->SetMinSpan(-3, 0);
    EXPECT_EQ(axis->Min(), 1.0);
    EXPECT_EQ(axis->Span(), 1.0);
    axis->SetMinSpan(0.001, 999);
    axis->CalcTicks(bitmap.Canvas());
    EXPECT_EQ(axis->PositionToPixels(0), axis->PositionToPixels(1.0));   // 0 is read as 1
}

// ---------------------------------------------------------------------------------------------
// Conversions

struct PixelCase {
    const char* name;
    bool vertical;
    bool reversed;
    TiPlotScaleType type;
    double min, span;
    double value;
    int pixel;
};

TEST_F(AxisTest, ValueToPixelForEveryScaleType)
{
    const double nan = std::numeric_limits<double>::quiet_NaN();
    const PixelCase cases[] = {
        {"linear min at the left end", false, false, ipstLinear, 0, 100, 0, 100},
        {"linear max at the right end", false, false, ipstLinear, 0, 100, 100, 500},
        {"linear quarter", false, false, ipstLinear, 0, 100, 25, 200},
        {"linear below the span", false, false, ipstLinear, 0, 100, -10, 60},
        {"far beyond is clamped", false, false, ipstLinear, 0, 100, 1e12, 32000},
        {"far below is clamped", false, false, ipstLinear, 0, 100, -1e300, -32000},
        {"NaN lands off-scale", false, false, ipstLinear, 0, 100, nan, -32000},
        {"reversed: min at the right end", false, true, ipstLinear, 0, 100, 0, 500},
        {"reversed quarter", false, true, ipstLinear, 0, 100, 25, 400},
        {"vertical min at the bottom", true, false, ipstLinear, 0, 100, 0, 450},
        {"vertical quarter", true, false, ipstLinear, 0, 100, 25, 350},
        {"vertical reversed quarter", true, true, ipstLinear, 0, 100, 25, 150},
        {"half pixel rounds to even", false, false, ipstLinear, 0, 400, 2.5, 102},
        {"log decade", false, false, ipstLog10, 1, 9999, 10, 200},
        {"log two decades", false, false, ipstLog10, 1, 9999, 100, 300},
        {"log max", false, false, ipstLog10, 1, 9999, 10000, 500},
        {"log value 0 reads as 1", false, false, ipstLog10, 1, 9999, 0, 100},
        {"log reversed decade", false, true, ipstLog10, 1, 9999, 10, 400},
        {"log vertical decade", true, false, ipstLog10, 1, 9999, 10, 350},
        {"log tiny decade span is clamped", false, false, ipstLog10, 1, 1e-15, 1e300, 32000},
    };
    for (const PixelCase& c : cases) {
        SCOPED_TRACE(c.name);
        std::unique_ptr<TiPlotAxis> axis;
        if (c.vertical)
            axis = YAxis();
        else
            axis = XAxis();
        axis->SetScaleType(c.type);
        axis->SetReverseScale(c.reversed);
        axis->SetMinSpan(c.min, c.span);
        axis->CalcTicks(bitmap.Canvas());
        EXPECT_EQ(axis->PositionToPixels(c.value), c.pixel);
    }
}

struct PositionCase {
    const char* name;
    bool vertical;
    bool reversed;
    TiPlotScaleType type;
    int pixel;
    double value;
};

TEST_F(AxisTest, PixelToValueForEveryScaleType)
{
    const PositionCase cases[] = {
        {"left end is Min", false, false, ipstLinear, 100, 0},
        {"right end is Max", false, false, ipstLinear, 500, 100},
        {"beyond the right end", false, false, ipstLinear, 600, 125},
        {"reversed: left end is Max", false, true, ipstLinear, 100, 100},
        {"reversed quarter", false, true, ipstLinear, 400, 25},
        {"vertical: bottom is Min", true, false, ipstLinear, 450, 0},
        {"vertical quarter", true, false, ipstLinear, 350, 25},
        {"vertical reversed quarter", true, true, ipstLinear, 150, 25},
        {"log decade", false, false, ipstLog10, 200, 10},
        {"log reversed decade", false, true, ipstLog10, 400, 10},
        {"log vertical", true, false, ipstLog10, 250, 100},
    };
    for (const PositionCase& c : cases) {
        SCOPED_TRACE(c.name);
        std::unique_ptr<TiPlotAxis> axis;
        if (c.vertical)
            axis = YAxis();
        else
            axis = XAxis();
        axis->SetScaleType(c.type);
        axis->SetReverseScale(c.reversed);
        if (c.type == ipstLog10)
            axis->SetMinSpan(1, 9999);
        axis->CalcTicks(bitmap.Canvas());
        EXPECT_NEAR(axis->PixelsToPosition(c.pixel), c.value, 1e-9 * std::max(1.0, std::fabs(c.value)));
        // And back, where the value is on the scale.
        if (c.pixel >= 50 && c.pixel <= 500) {
            EXPECT_EQ(axis->PositionToPixels(axis->PixelsToPosition(c.pixel)), c.pixel);
        }
    }
}

TEST_F(AxisTest, CollapsedRectangleMapsEverythingToItsMiddle)
{
    auto axis = Make<TiPlotXAxis>();
    axis->SetDrawRect({200, 0, 200, 40});
    axis->CalcTicks(bitmap.Canvas());
    EXPECT_EQ(axis->PositionToPixels(12345), 200);
    EXPECT_EQ(axis->PixelsToPosition(77), axis->Min());
    EXPECT_EQ(axis->GetSpanLength(), 0);
}

TEST_F(AxisTest, PercentMapsThroughTheAxisShareOfTheDataView)
{
    struct Case {
        const char* name;
        bool reversed;
        TiPlotScaleType type;
        double fraction;
        double value;
    };
    // The axis covers the first half of the data view: 0.5 of the view is its far end.
    const Case cases[] = {
        {"linear", false, ipstLinear, 0.5, 100},
        {"linear quarter", false, ipstLinear, 0.25, 50},
        {"linear reversed", true, ipstLinear, 0.5, 0},
        {"linear reversed quarter", true, ipstLinear, 0.25, 50},
        {"log", false, ipstLog10, 0.5, 1000},
        {"log quarter", false, ipstLog10, 0.25, std::pow(10.0, 1.5)},
        {"log reversed", true, ipstLog10, 0.5, 1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        auto axis = XAxis();
        axis->SetStartPercent(0);
        axis->SetStopPercent(50);
        axis->SetScaleType(c.type);
        axis->SetReverseScale(c.reversed);
        axis->SetMinSpan(c.type == ipstLog10 ? 1 : 0, c.type == ipstLog10 ? 999 : 100);
        EXPECT_NEAR(axis->PercentToPosition(c.fraction), c.value, 1e-9 * c.value + 1e-12);
    }
    auto axis = XAxis();
    EXPECT_DOUBLE_EQ(axis->PositionToPercent(25), 0.25);
    axis->SetReverseScale(true);
    EXPECT_DOUBLE_EQ(axis->PositionToPercent(25), 0.75);
}

TEST_F(AxisTest, PointOnScaleIncludesBothEnds)
{
    auto x = XAxis();
    EXPECT_TRUE(x->PointOnScale(0));
    EXPECT_TRUE(x->PointOnScale(100));
    EXPECT_FALSE(x->PointOnScale(-0.2));   // pixel 99
    EXPECT_FALSE(x->PointOnScale(100.2));
    EXPECT_EQ(x->GetMinPixels(), 100);
    EXPECT_EQ(x->GetMaxPixels(), 500);
    EXPECT_EQ(x->WidthToPixels(10), 40);
    auto y = YAxis();
    EXPECT_TRUE(y->PointOnScale(100));
    EXPECT_FALSE(y->PointOnScale(100.2));
    EXPECT_EQ(y->GetMinPixels(), 450);
}

} // namespace
