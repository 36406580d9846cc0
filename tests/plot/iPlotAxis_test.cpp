#include "plot/objects/iPlotAxis.h"

#include "platform/canvas/Bitmap.h"
#include "platform/canvas/ImageCodecs.h"
#include "platform/core/DateTime.h"
#include "platform/core/Exceptions.h"
#include "platform/core/Filer.h"
#include "platform/core/Regional.h"
#include "platform/gui/Keys.h"
#include "platform/gui/Menus.h"
#include "plot/core/iPlotManagers.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
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
    TRegionGuard region;  // English separators
    int changes = 0;

    AxisTest() { bitmap.SetSize(640, 480); }

    template <typename Axis>
    std::unique_ptr<Axis> Make()
    {
        const TNotifyEvent ignore = [](TObject*) {};
        auto axis =
            std::make_unique<Axis>(&host, TNotifyEvent([this](TObject*) { ++changes; }), ignore, ignore, ignore);
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
    axis->SetSpan(0);  // below the floor
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
    axis->SetMinSpan(10, 30);  // only the span changes: no min event
    EXPECT_EQ(host.Take(), (Log{"Span 20>30", "MinSpan 10,20>10,30"}));
    axis->SetMinSpan(10, 30);
    EXPECT_EQ(host.Take(), Log{});
    EXPECT_FALSE(axis->InSetMinSpan());
    axis->SetMinSpan(std::nan(""), 5);  // refused, not stored
    EXPECT_EQ(axis->Min(), 10);
}

// A data cursor holds the axis quiet while it moves it to read a value; a SetMinSpan inside
// (tracking during the reading's layout) must not end that hold.
TEST_F(AxisTest, SetMinSpanLeavesAHeldAxisHeld)
{
    auto axis = XAxis(0, 100);
    axis->SetInSetMinSpan(true);
    axis->SetMinSpan(10, 50);
    EXPECT_TRUE(axis->InSetMinSpan());
    host.Calls.clear();
    axis->SetMin(20);
    EXPECT_EQ(host.Take(), Log{});
}

TEST_F(AxisTest, LogAxisNeverHoldsAMinimumThatIsNotAboveZero)
{
    auto axis = XAxis(0, 100);
    axis->SetScaleType(ipstLog10);
    EXPECT_EQ(axis->Min(), 1.0);  // switched without events
    EXPECT_EQ(host.Take(), Log{});
    axis->SetMin(0);
    EXPECT_EQ(axis->Min(), 1.0);
    axis->SetMinSpan(-3, 0);
    EXPECT_EQ(axis->Min(), 1.0);
    EXPECT_EQ(axis->Span(), 1.0);
    axis->SetMinSpan(0.001, 999);
    axis->CalcTicks(bitmap.Canvas());
    EXPECT_EQ(axis->PositionToPixels(0), axis->PositionToPixels(1.0));  // 0 is read as 1
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
        {"linear", false, ipstLinear, 0.5, 100},       {"linear quarter", false, ipstLinear, 0.25, 50},
        {"linear reversed", true, ipstLinear, 0.5, 0}, {"linear reversed quarter", true, ipstLinear, 0.25, 50},
        {"log", false, ipstLog10, 0.5, 1000},          {"log quarter", false, ipstLog10, 0.25, std::pow(10.0, 1.5)},
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
    EXPECT_FALSE(x->PointOnScale(-0.2));  // pixel 99
    EXPECT_FALSE(x->PointOnScale(100.2));
    EXPECT_EQ(x->GetMinPixels(), 100);
    EXPECT_EQ(x->GetMaxPixels(), 500);
    EXPECT_EQ(x->WidthToPixels(10), 40);
    auto y = YAxis();
    EXPECT_TRUE(y->PointOnScale(100));
    EXPECT_FALSE(y->PointOnScale(100.2));
    EXPECT_EQ(y->GetMinPixels(), 450);
}

// ---------------------------------------------------------------------------------------------
// Texts

struct TextCase {
    const char* name;
    TiPlotTextFormat format;
    double span;
    TiPrecisionStyle style;
    int precision;
    double value;
    const char* text;
    const char* dateTimeFormat = "hh:nn:ss";
};

TEST_F(AxisTest, TextOfEveryFormat)
{
    const auto sig = ipsSignificantDigits;
    const auto fixed = ipsFixedDecimalPoints;
    const TextCase cases[] = {
        // Value: decimals from the span's magnitude and the precision.
        {"span 100, 3 digits: no decimals", iptfValue, 100, sig, 3, 25, "25"},
        {"halves round away from zero", iptfValue, 100, sig, 3, 24.5, "25"},
        {"negative half", iptfValue, 100, sig, 3, -24.5, "-25"},
        {"negative zero never shows", iptfValue, 100, sig, 3, -0.4, "0"},
        {"negative zero, one decimal", iptfValue, 10, sig, 3, -0.01, "0.0"},
        {"span 10: one decimal", iptfValue, 10, sig, 3, 2.25, "2.3"},
        {"span 1: two decimals", iptfValue, 1, sig, 3, 0.125, "0.13"},
        {"span below 1 adds one decimal", iptfValue, 0.5, sig, 3, 0.125, "0.125"},
        {"fixed decimals", iptfValue, 100, fixed, 2, 3.14159, "3.14"},
        {"huge value", iptfValue, 1e20, sig, 3, 1.5e20, "150000000000000000000"},
        // Exponent: a sign and at least three exponent digits.
        {"exponent", iptfExponent, 100, sig, 3, 1234, "1.23E+003"},
        {"exponent, fixed style has one digit more", iptfExponent, 100, fixed, 2, 1234, "1.23E+003"},
        {"negative exponent", iptfExponent, 100, sig, 3, -0.000123456, "-1.23E-004"},
        {"exponent rounds up a decade", iptfExponent, 100, sig, 2, 9.96, "1.0E+001"},
        {"exponent of zero", iptfExponent, 100, sig, 3, 0, "0.00E+000"},
        // Prefix: engineering exponents with their letters.
        {"kilo", iptfPrefix, 100, sig, 3, 1500, "1.50K"},
        {"negative kilo", iptfPrefix, 100, sig, 3, -1500, "-1.50K"},
        {"mega", iptfPrefix, 100, sig, 3, 2.5e6, "2.50M"},
        {"yotta", iptfPrefix, 100, sig, 3, 1e24, "1.00Y"},
        {"between 0.001 and 1 keeps no prefix", iptfPrefix, 100, sig, 3, 0.005, "0.00500"},
        {"micro is byte B5", iptfPrefix, 100, sig, 3, 1.5e-7, "0.150\xB5"},
        {"Int truncates toward zero: milli", iptfPrefix, 100, sig, 3, 1.5e-6, "0.00150m"},
        {"beyond yotta is unknown", iptfPrefix, 100, sig, 3, 1e27, "Unknown"},
        {"near zero is zero", iptfPrefix, 100, fixed, 2, 1e-13, "0.00"},
        {"zero", iptfPrefix, 100, sig, 3, 0, "0.0"},
        // Too small for any prefix: the zero of the chosen precision, as any value near zero.
        {"below yocto is zero", iptfPrefix, 100, sig, 3, 1e-30, "0.00"},
        {"negative, below yocto, is zero", iptfPrefix, 100, sig, 3, -1e-30, "0.00"},
        {"below yocto, fixed decimals", iptfPrefix, 100, fixed, 1, 1e-40, "0.0"},
        {"smallest double is zero", iptfPrefix, 100, fixed, 2, 5e-324, "0.00"},
        {"below yocto on a span too small for zeros", iptfPrefix, 1e-11, sig, 3, 1e-30, "Unknown"},
        // Date-time: the format language, or a day number before it.
        {"time", iptfDateTime, 1, sig, 3, 0.5, "12:00:00"},
        {"date", iptfDateTime, 1, sig, 3, 36526.5, "1/1/2000", "m/d/yyyy"},
        {"day number then time", iptfDateTime, 1, sig, 3, 36526.5, "36526 12:00", "Jhh:nn"},
        {"lower-case j", iptfDateTime, 1, sig, 3, 36526.75, "36526 18:00", "jhh:nn"},
        // Price: whole part, 32nds and a quarter-32nd digit.
        {"half", iptfPrice32nds, 100, sig, 3, 101.5, "101.160"},
        {"16.5 32nds", iptfPrice32nds, 100, sig, 3, 101.515625, "101.164"},
        {"whole", iptfPrice32nds, 100, sig, 3, 7, "7.000"},
        {"negative prices mirror positive ones", iptfPrice32nds, 100, sig, 3, -101.5, "-101.160"},
        {"just below a whole number carries", iptfPrice32nds, 100, sig, 3, 2.9976, "3.000"},
        {"tiny negative is no negative zero", iptfPrice32nds, 100, sig, 3, -0.0001, "0.000"},
        // Thousands.
        {"thousands", iptfThousands, 100, sig, 3, 1234567, "1,234,567"},
        {"thousands with a decimal", iptfThousands, 10, sig, 3, 1234567, "1,234,567.0"},
        {"negative thousands", iptfThousands, 1, sig, 3, -1234.555, "-1,234.56"},
        {"small thousands", iptfThousands, 100, sig, 3, 12, "12"},
    };
    auto axis = XAxis();
    for (const TextCase& c : cases) {
        SCOPED_TRACE(c.name);
        axis->SetSpan(c.span);
        double minLength = 0;
        EXPECT_EQ(axis->GetText(c.value, c.format, c.dateTimeFormat, c.style, c.precision, true, minLength), c.text);
        EXPECT_EQ(minLength, 0);  // only the adjusting label text measures
    }
}

TEST_F(AxisTest, LogAxisValueTextsFollowTheValueMagnitude)
{
    auto axis = XAxis();
    axis->SetScaleType(ipstLog10);
    axis->SetMinSpan(0.001, 1e6);
    int customized = 0;
    host.CustomizeLabel = [&](double, std::string&) { ++customized; };
    EXPECT_EQ(axis->GetLabelText(1234), "1234");
    EXPECT_EQ(axis->GetLabelText(0.01234), "0.012");  // Trunc(log10) cuts toward zero
    EXPECT_EQ(axis->GetLabelText(5), "5.00");
    EXPECT_EQ(customized, 3);
    // A value that has no place on a log scale is unknown and is not customized.
    EXPECT_EQ(axis->GetLabelText(0), "Unknown");
    EXPECT_EQ(axis->GetLabelText(-3), "Unknown");
    EXPECT_EQ(customized, 3);
    axis->SetLabelsPrecisionStyle(ipsFixedDecimalPoints);
    axis->SetLabelsPrecision(1);
    EXPECT_EQ(axis->GetLabelText(1234), "1234.0");
}

TEST_F(AxisTest, LabelTextsUseTheRegionDecimalSeparator)
{
    TFormatSettings german = TFormatSettings::English();
    german.DecimalSeparator = ',';
    german.ThousandSeparator = '.';
    TRegionGuard guard(german);
    auto axis = XAxis(0, 10);
    EXPECT_EQ(axis->GetLabelText(2.25), "2,3");
    axis->SetLabelsFormatStyle(iptfThousands);
    EXPECT_EQ(axis->GetLabelText(1234.5), "1.234,5");
    axis->SetLabelsFormatStyle(iptfExponent);
    EXPECT_EQ(axis->GetLabelText(1234), "1,23E+003");
}

TEST_F(AxisTest, CursorAndLegendTextsUseTheirOwnSetsOnOneLine)
{
    auto axis = XAxis(0, 100);
    axis->SetLabelsFormatStyle(iptfExponent);
    EXPECT_EQ(axis->GetCursorText(1234), "1.23E+003");  // label set by default
    EXPECT_EQ(axis->GetCursorValueText(1234), "1234");  // always the value format
    EXPECT_EQ(axis->GetLegendText(1234), "1.23E+003");
    axis->SetCursorUseDefaultFormat(false);
    axis->SetCursorFormatStyle(iptfPrefix);
    axis->SetCursorPrecision(2);
    EXPECT_EQ(axis->GetCursorText(1500), "1.5K");
    axis->SetLegendUseDefaultFormat(false);
    axis->SetLegendPrecisionStyle(ipsFixedDecimalPoints);
    axis->SetLegendPrecision(1);
    EXPECT_EQ(axis->GetLegendText(12.34), "12.3");

    host.CustomizeLabel = [](double, std::string& text) { text = "a\r\nb\rc"; };
    EXPECT_EQ(axis->GetCursorText(1), "a b c");
    EXPECT_EQ(axis->GetLegendText(1), "a b c");
    EXPECT_EQ(axis->GetLabelText(1), "a\r\nb\rc");  // labels may break lines
}

TEST_F(AxisTest, OnlyTheAdjustingLabelTextGrowsTheMinimumLength)
{
    auto axis = XAxis(0, 100);
    axis->SetLabelsMinLength(2);
    axis->SetLabelsMinLengthAutoAdjust(true);
    axis->GetLabelText(123456);
    EXPECT_EQ(axis->LabelsMinLength(), 2);
    axis->GetLabelTextAdjust(123456);
    EXPECT_EQ(axis->LabelsMinLength(), 6);
    axis->GetLabelTextAdjust(5);  // never shrinks
    EXPECT_EQ(axis->LabelsMinLength(), 6);
}

// ---------------------------------------------------------------------------------------------
// Ticks

struct Ticks {
    std::vector<double> majors, minors;
    std::vector<std::string> labels;
};

Ticks TicksOf(const TiPlotAxis& axis)
{
    Ticks t;
    for (int i = 0; i < axis.GetTickListCount(); ++i) {
        const TiPlotTickObject& tick = axis.GetTick(i);
        if (tick.Style == ipttMajor) {
            t.majors.push_back(tick.Position);
            t.labels.push_back(tick.Label);
        } else {
            t.minors.push_back(tick.Position);
        }
    }
    return t;
}

class TickTest : public AxisTest {
protected:
    // A horizontal axis with room for exactly `n` labels: with the labels turned across
    // the axis, a label cell is three heights of "0" (the default separation of 2).
    std::unique_ptr<TiPlotXAxis> AxisWithRoomFor(int n, double min, double span, TiPlotTextFormat format = iptfValue)
    {
        auto axis = Make<TiPlotXAxis>();
        axis->SetLabelsRotation(ira090);
        axis->SetLabelsFormatStyle(format);
        TCanvas& canvas = bitmap.Canvas();
        canvas.Font().Assign(*axis->LabelsFont());
        const int cell = int(std::lround(canvas.TextHeight("0") * 3.0));
        axis->SetMinSpan(min, span);
        axis->SetDrawRect({10, 400, 10 + n * cell, 440});
        axis->CalcTicks(canvas);
        return axis;
    }
};

TEST_F(TickTest, LinearStepsForASpreadOfScales)
{
    struct Case {
        const char* name;
        int room;
        double min, span;
        double increment;
        double firstMajor;
        size_t majors;
    };
    const Case cases[] = {
        {"ten labels on 0..100", 10, 0, 100, 10, 0, 11},
        {"five labels", 5, 0, 100, 20, 0, 6},
        {"four labels: 20 would need five", 4, 0, 100, 50, 0, 3},
        {"three labels: two steps of 50", 3, 0, 100, 50, 0, 3},
        {"one label", 1, 0, 100, 100, 0, 2},
        {"across zero", 10, -0.3, 1, 0.1, -0.3, 11},
        {"tiny", 10, 0, 1e-6, 1e-7, 0, 11},
        {"huge", 10, 1e12, 1e13, 1e12, 1e12, 11},
        {"negative", 10, -250, 100, 10, -250, 11},
        {"off-grid minimum", 10, 3, 94, 10, 10, 9},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        auto axis = AxisWithRoomFor(c.room, c.min, c.span);
        const Ticks t = TicksOf(*axis);
        EXPECT_DOUBLE_EQ(axis->MajorIncrement(), c.increment);
        ASSERT_EQ(t.majors.size(), c.majors);
        EXPECT_NEAR(t.majors.front(), c.firstMajor, 1e-9 * c.increment);
        for (size_t i = 1; i < t.majors.size(); ++i)
            EXPECT_NEAR(t.majors[i] - t.majors[i - 1], c.increment, 1e-9 * c.increment);
        // The default single minor tick halves every increment.
        EXPECT_DOUBLE_EQ(axis->MinorIncrement(), c.increment / 2);
    }
}

// The step calculators called directly, with the room for labels given rather than measured.
TEST_F(TickTest, StepCalculatorsChooseTheStepForTheRoomGiven)
{
    enum Calculator { kLinear, kPrice, kDateTime };
    struct Case {
        const char* name;
        Calculator calculator;
        double span;
        int room;
        double increment;
        int count;
        bool monthTicks;
    };
    const double second = 1.0 / 86400;
    const Case cases[] = {
        {"ten labels on a span of 100", kLinear, 100, 10, 10, 10, false},
        {"four labels: 20 would need five", kLinear, 100, 4, 50, 2, false},
        {"three labels", kLinear, 100, 3, 50, 2, false},
        {"no room is room for one", kLinear, 100, 0, 100, 1, false},
        {"negative room is room for one", kLinear, 100, -5, 100, 1, false},
        {"price quarters", kPrice, 2, 10, 0.25, 8, false},
        {"price steps above one", kPrice, 1000, 10, 100, 10, false},
        {"price, negative room", kPrice, 1000, -1, 1000, 1, false},
        {"90 days: two weeks", kDateTime, 90, 10, 14, 6, false},
        {"three years: six months", kDateTime, 1096, 10, 6, 5, true},
        {"one second: 200 ms", kDateTime, second, 10, 200.0 / 86400000, 5, false},
        {"date-time, no room: one label of three months", kDateTime, 90, 0, 3, 1, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        auto axis = Make<TiPlotXAxis>();
        axis->SetMinSpan(0, c.span);
        double increment = 0;
        int count = 0;
        switch (c.calculator) {
        case kLinear: axis->CalcLinearTicks(c.room, increment, count); break;
        case kPrice: axis->CalcPrice32Ticks(c.room, increment, count); break;
        case kDateTime: axis->CalcDateTimeTicks(c.room, increment, count); break;
        }
        EXPECT_DOUBLE_EQ(increment, c.increment);
        EXPECT_EQ(count, c.count);
        EXPECT_EQ(axis->MonthTicks(), c.monthTicks);
    }

    // Decades: room for three labels from 1 to 1e6 takes every second decade, without minors.
    auto log = Make<TiPlotXAxis>();
    log->SetScaleType(ipstLog10);
    log->SetMinSpan(1, 1e6 - 1);
    log->CalcLog10Ticks(3);
    const Ticks t = TicksOf(*log);
    EXPECT_EQ(t.majors, (std::vector<double>{1, 100, 1e4, 1e6}));
    EXPECT_TRUE(t.minors.empty());
}

TEST_F(TickTest, TheZeroTickIsExactlyZeroAndReadsWithoutASign)
{
    auto axis = AxisWithRoomFor(10, -0.3, 1);
    const Ticks t = TicksOf(*axis);
    ASSERT_EQ(t.labels.size(), 11u);
    EXPECT_EQ(t.majors[3], 0.0);
    EXPECT_FALSE(std::signbit(t.majors[3]));
    EXPECT_EQ(t.labels[3], "0.00");
    EXPECT_EQ(t.labels[0], "-0.30");
    EXPECT_EQ(t.labels[10], "0.70");
}

TEST_F(TickTest, MinorTicksDesiredStartAndDesiredIncrement)
{
    auto axis = AxisWithRoomFor(10, 0, 100);
    EXPECT_EQ(TicksOf(*axis).minors, (std::vector<double>{5, 15, 25, 35, 45, 55, 65, 75, 85, 95}));

    axis->SetMinorCount(0);
    axis->CalcTicks(bitmap.Canvas());
    EXPECT_TRUE(TicksOf(*axis).minors.empty());
    EXPECT_EQ(TicksOf(*axis).majors.size(), 11u);

    axis->SetMinorCount(4);
    axis->CalcTicks(bitmap.Canvas());
    const Ticks four = TicksOf(*axis);
    ASSERT_EQ(four.minors.size(), 40u);
    EXPECT_DOUBLE_EQ(four.minors[0], 2);
    EXPECT_DOUBLE_EQ(four.minors[3], 8);

    axis->SetMinorCount(1);
    axis->SetDesiredStart(3);
    axis->CalcTicks(bitmap.Canvas());
    EXPECT_EQ(TicksOf(*axis).majors, (std::vector<double>{3, 13, 23, 33, 43, 53, 63, 73, 83, 93}));

    axis->SetDesiredStart(0);
    axis->SetDesiredIncrement(25);
    axis->CalcTicks(bitmap.Canvas());
    EXPECT_EQ(TicksOf(*axis).majors, (std::vector<double>{0, 25, 50, 75, 100}));
    axis->SetDesiredIncrement(1);  // a hundred labels do not fit: chosen automatically
    axis->CalcTicks(bitmap.Canvas());
    EXPECT_EQ(axis->MajorIncrement(), 10);
}

TEST_F(TickTest, DegenerateScalesEndInOneTickInTheMiddle)
{
    auto axis = AxisWithRoomFor(10, 0, 100);
    axis->SetMinorCount(1000000000);  // far more than 5000 ticks
    axis->CalcTicks(bitmap.Canvas());
    Ticks t = TicksOf(*axis);
    EXPECT_EQ(t.majors, std::vector<double>{50});
    EXPECT_EQ(t.labels, std::vector<std::string>{"50"});
    EXPECT_TRUE(t.minors.empty());

    // A span at its floor far from zero: no step can be taken.
    auto floor = AxisWithRoomFor(10, 1e9, 0);
    t = TicksOf(*floor);
    ASSERT_EQ(t.majors.size(), 1u);
    EXPECT_EQ(t.majors[0], 1e9);
    EXPECT_TRUE(floor->GetTick(0).OnScale);
}

TEST_F(TickTest, LogDecades)
{
    auto axis = Make<TiPlotXAxis>();
    axis->SetScaleType(ipstLog10);
    axis->SetLabelsRotation(ira090);
    bitmap.Canvas().Font().Assign(*axis->LabelsFont());
    const int cell = int(std::lround(bitmap.Canvas().TextHeight("0") * 3.0));
    axis->SetMinSpan(1, 1e6 - 1);
    axis->SetDrawRect({10, 400, 10 + 3 * cell, 440});
    axis->CalcTicks(bitmap.Canvas());
    Ticks t = TicksOf(*axis);
    EXPECT_EQ(t.majors, (std::vector<double>{1, 100, 1e4, 1e6}));  // every second decade
    EXPECT_EQ(t.labels, (std::vector<std::string>{"1.00", "100", "10000", "1000000"}));
    EXPECT_TRUE(t.minors.empty());

    axis->SetMinSpan(1, 999);
    axis->SetDrawRect({10, 400, 10 + 10 * cell, 440});
    axis->CalcTicks(bitmap.Canvas());
    t = TicksOf(*axis);
    EXPECT_EQ(t.majors, (std::vector<double>{1, 10, 100, 1000}));
    EXPECT_EQ(t.minors.size(), 24u);  // 2..9 of each decade below the top
    EXPECT_EQ(t.minors.front(), 2);

    // Less than a decade: linear steps, positive positions only.
    axis->SetMinSpan(2, 6);
    axis->CalcTicks(bitmap.Canvas());
    t = TicksOf(*axis);
    EXPECT_EQ(t.majors.front(), 2);
    EXPECT_EQ(t.majors.back(), 8);
}

TEST_F(TickTest, DateTimeStepsFromMillisecondsToYears)
{
    struct Case {
        const char* name;
        double span;
        double increment;  // days; months or years for calendar steps
        bool months, years;
    };
    const Case cases[] = {
        {"one second: 200 ms", 1.0 / 86400, 200.0 / 86400000, false, false},
        {"one minute: 10 s", 1.0 / 1440, 10.0 / 86400, false, false},
        {"one hour: 10 min", 1.0 / 24, 10.0 / 1440, false, false},
        {"one day: 4 h", 1, 4.0 / 24, false, false},
        {"ten days: a week, halved for a second label", 10, 3.5, false, false},
        {"90 days: 14 days", 90, 14, false, false},
        {"a year: 2 months", 365, 2, true, false},
        {"3 years: 6 months", 1096, 6, true, false},
        {"30 years: 5 years", 10958, 5, false, true},
        {"300 years: 50 years (span capped at a century)", 109575, 50, false, true},
    };
    const double min = EncodeDate(2001, 3, 15);
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        auto axis = AxisWithRoomFor(10, min, c.span, iptfDateTime);
        EXPECT_NEAR(axis->MajorIncrement(), c.increment, 1e-12);
        EXPECT_EQ(axis->MonthTicks(), c.months);
        EXPECT_EQ(axis->YearTicks(), c.years);
        EXPECT_FALSE(TicksOf(*axis).majors.empty());
    }
}

TEST_F(TickTest, CalendarTicksStartOnTheFirstOfAnAlignedMonth)
{
    auto axis = AxisWithRoomFor(10, EncodeDate(2001, 3, 15), 1096, iptfDateTime);
    axis->SetDateTimeFormat("m/d/yyyy");
    axis->CalcTicks(bitmap.Canvas());
    Ticks t = TicksOf(*axis);
    EXPECT_EQ(t.labels,
              (std::vector<std::string>{"7/1/2001", "1/1/2002", "7/1/2002", "1/1/2003", "7/1/2003", "1/1/2004"}));
    EXPECT_TRUE(t.minors.empty());  // no minor ticks between months

    axis = AxisWithRoomFor(10, EncodeDate(2001, 3, 15), 10958, iptfDateTime);
    axis->SetDateTimeFormat("yyyy");
    axis->CalcTicks(bitmap.Canvas());
    EXPECT_EQ(TicksOf(*axis).labels, (std::vector<std::string>{"2005", "2010", "2015", "2020", "2025", "2030"}));

    // Dates before 1899 keep their years; the scale is only held within 100 years.
    axis = AxisWithRoomFor(10, EncodeDate(1801, 3, 15), 10958, iptfDateTime);
    axis->SetDateTimeFormat("yyyy");
    axis->CalcTicks(bitmap.Canvas());
    EXPECT_EQ(axis->Min(), EncodeDate(1801, 3, 15));
    EXPECT_EQ(TicksOf(*axis).labels.front(), "1805");
    axis->SetSpan(200 * 365.25);
    axis->CalcTicks(bitmap.Canvas());
    EXPECT_EQ(axis->Span(), 36525);
    EXPECT_EQ(axis->GetMaxPixels(), axis->GetScaleRect().Right);

    // Milliseconds land on whole milliseconds in their labels.
    axis = AxisWithRoomFor(10, EncodeDate(2001, 3, 15), 1.0 / 86400, iptfDateTime);
    axis->SetDateTimeFormat("ss.zzz");
    axis->CalcTicks(bitmap.Canvas());
    EXPECT_EQ(TicksOf(*axis).labels,
              (std::vector<std::string>{"00.000", "00.200", "00.400", "00.600", "00.800", "01.000"}));
}

TEST_F(TickTest, PriceStepsAreFractionsOfTwo)
{
    auto axis = AxisWithRoomFor(10, 100, 2, iptfPrice32nds);
    EXPECT_EQ(axis->MajorIncrement(), 0.25);
    const Ticks t = TicksOf(*axis);
    ASSERT_GE(t.labels.size(), 2u);
    EXPECT_EQ(t.labels[0], "100.000");
    EXPECT_EQ(t.labels[1], "100.080");
    axis = AxisWithRoomFor(10, 0, 1000, iptfPrice32nds);
    EXPECT_EQ(axis->MajorIncrement(), 100);
}

TEST_F(TickTest, CustomTickListIsKeptAndPlaced)
{
    auto axis = AxisWithRoomFor(10, 0, 100);
    axis->SetTickListCustom(true);
    axis->TickListClear();
    EXPECT_EQ(axis->TickListAdd(30, "thirty", ipttMajor), 0);
    EXPECT_EQ(axis->TickListAdd(130, "off", ipttMinor), 1);
    changes = 0;
    axis->SetTickListItemLabel(0, "30!");
    EXPECT_EQ(changes, 1);
    axis->CalcTicks(bitmap.Canvas());
    ASSERT_EQ(axis->GetTickListCount(), 2);
    EXPECT_EQ(axis->GetTickListItemLabel(0), "30!");
    EXPECT_TRUE(axis->GetTick(0).OnScale);
    EXPECT_EQ(axis->GetTick(0).Pixel, axis->PositionToPixels(30));
    EXPECT_FALSE(axis->GetTick(1).OnScale);
    EXPECT_THROW(axis->GetTickListItemPosition(2), Exception);

    axis->SetScaleType(ipstLog10);
    try {
        axis->TickListAdd(0, "zero", ipttMajor);
        FAIL();
    } catch (const Exception& e) {
        EXPECT_EQ(e.Message(), "Log Scale Requires Position to be Greater Than Zero");
    }
    EXPECT_EQ(axis->GetTickListCount(), 2);
}

// ---------------------------------------------------------------------------------------------
// Tracking

struct Step {
    double value;
    double min, span;  // the scale after the value
};

struct TrackingCase {
    const char* name;
    TiPlotTrackingStyle style;
    TiPlotAlignFirstStyle first;
    double min, span;
    std::function<void(TiPlotAxis&)> setup;
    std::vector<Step> steps;
};

TEST_F(AxisTest, TrackingStylesFollowIncomingValues)
{
    const auto none = [](TiPlotAxis&) {};
    const TrackingCase cases[] = {
        {"first value ignored, then the span grows",
         iptsScaleMinMax,
         ipafsNone,
         0,
         100,
         none,
         {{500, 0, 100}, {600, 0, 600}}},
        {"scale min-max moves the window down",
         iptsScaleMinMax,
         ipafsAuto,
         0,
         100,
         none,
         {{50, 0, 100}, {-20, -20, 100}}},
        {"expand min-max keeps both ends",
         iptsExpandMinMax,
         ipafsAuto,
         0,
         100,
         none,
         {{50, 0, 100}, {-20, -20, 120}, {130, -20, 150}}},
        {"scale max grows up only",
         iptsScaleMax,
         ipafsAuto,
         0,
         100,
         none,
         {{50, 0, 100}, {150, 0, 150}, {-50, 0, 150}}},
        {"scale min grows down only",
         iptsScaleMin,
         ipafsAuto,
         0,
         100,
         none,
         {{50, 0, 100}, {-50, -50, 150}, {500, -50, 150}}},
        {"smooth scroll", iptsScrollSmooth, ipafsAuto, 0, 10, none, {{5, 0, 10}, {12, 2, 10}, {1, 1, 10}}},
        {"smooth scroll compresses up to the cap",
         iptsScrollSmooth,
         ipafsAuto,
         0,
         10,
         [](TiPlotAxis& a) { a.SetTrackingScrollCompressMax(30); },
         {{5, 0, 10}, {12, 0, 12}, {25, 0, 25}, {40, 10, 30}, {45, 15, 30}}},
        {"page scroll", iptsScrollPage, ipafsAuto, 0, 10, none, {{5, 0, 10}, {12, 10, 10}, {35, 20, 10}, {5, 10, 10}}},
        {"page scroll compresses, then pages by the cap",
         iptsScrollPage,
         ipafsAuto,
         0,
         10,
         [](TiPlotAxis& a) { a.SetTrackingScrollCompressMax(30); },
         {{5, 0, 10}, {12, 0, 12}, {25, 0, 25}, {40, 30, 30}}},
        {"span minimum about the middle",
         iptsScaleMinMax,
         ipafsAuto,
         40,
         20,
         [](TiPlotAxis& a) { a.SetTrackingSpanMinimum(50); },
         {{50, 40, 20}, {50, 25, 50}}},
        {"min margin moves the window down",
         iptsScaleMinMax,
         ipafsAuto,
         0,
         100,
         [](TiPlotAxis& a) { a.SetTrackingMinMargin(10); },
         {{50, 0, 100}, {5, -5, 100}}},
        {"max margin grows the span",
         iptsScaleMinMax,
         ipafsAuto,
         0,
         100,
         [](TiPlotAxis& a) { a.SetTrackingMaxMargin(10); },
         {{50, 0, 100}, {95, 0, 105}}},
        {"first value aligns Min", iptsScaleMinMax, ipafsMin, 0, 100, none, {{42, 42, 100}}},
        {"first value aligns Max", iptsScaleMinMax, ipafsMax, 0, 100, none, {{42, -58, 100}}},
        {"auto alignment only moves for a value outside", iptsScaleMinMax, ipafsAuto, 0, 100, none, {{150, 150, 100}}},
        {"tracking off",
         iptsScaleMinMax,
         ipafsMin,
         0,
         100,
         [](TiPlotAxis& a) { a.SetTrackingEnabled(false); },
         {{42, 0, 100}, {500, 0, 100}}},
    };
    for (const TrackingCase& c : cases) {
        SCOPED_TRACE(c.name);
        auto axis = YAxis(c.min, c.span);
        axis->SetTrackingStyle(c.style);
        axis->SetTrackingAlignFirstStyle(c.first);
        c.setup(*axis);
        for (const Step& step : c.steps) {
            SCOPED_TRACE("value " + Num(step.value));
            axis->NewTrackingData(step.value);
            EXPECT_DOUBLE_EQ(axis->Min(), step.min);
            EXPECT_DOUBLE_EQ(axis->Span(), step.span);
        }
    }
}

// A smooth-scrolling axis that has followed values already (0 .. 10, then 12 scrolled it to
// 2 .. 12) takes up a change of its tracking settings with the very next value.
TEST_F(AxisTest, TrackingSettingsChangedAfterValuesActOnTheNextValue)
{
    const struct {
        const char* Name;
        std::function<void(TiPlotAxis&)> Change;
        double Value, Min, Span;
    } cases[] = {
        {"nothing changed: a scroll by the span", [](TiPlotAxis&) {}, 20, 10, 10},
        {"compression on: the span grows", [](TiPlotAxis& a) { a.SetTrackingScrollCompressMax(30); }, 20, 2, 18},
        {"span minimum", [](TiPlotAxis& a) { a.SetTrackingSpanMinimum(20); }, 13, -2, 20},
        {"min margin, value inside", [](TiPlotAxis& a) { a.SetTrackingMinMargin(5); }, 5, 0, 10},
        {"max margin, value inside", [](TiPlotAxis& a) { a.SetTrackingMaxMargin(5); }, 10, 2, 13},
        {"page scroll", [](TiPlotAxis& a) { a.SetTrackingStyle(iptsScrollPage); }, 13, 12, 10},
        {"scale min-max", [](TiPlotAxis& a) { a.SetTrackingStyle(iptsScaleMinMax); }, 20, 2, 18},
        {"expand-collapse", [](TiPlotAxis& a) { a.SetTrackingStyle(iptsExpandCollapse); }, 20, 2, 10},
        {"tracking off", [](TiPlotAxis& a) { a.SetTrackingEnabled(false); }, 30, 2, 10},
        {"tracking off and on again",
         [](TiPlotAxis& a) {
             a.SetTrackingEnabled(false);
             a.SetTrackingEnabled(true);
         },
         13, 3, 10},
        {"first value again", [](TiPlotAxis& a) { a.ResetFirstAlign(); }, 50, 50, 10},
        {"log scale", [](TiPlotAxis& a) { a.SetScaleType(ipstLog10); }, 20, 10, 10},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Name);
        auto axis = YAxis(0, 10);
        axis->SetTrackingStyle(iptsScrollSmooth);
        axis->SetTrackingAlignFirstStyle(ipafsAuto);
        axis->NewTrackingData(5);
        axis->NewTrackingData(12);
        ASSERT_EQ(axis->Min(), 2);
        c.Change(*axis);
        axis->NewTrackingData(c.Value);
        EXPECT_DOUBLE_EQ(axis->Min(), c.Min);
        EXPECT_DOUBLE_EQ(axis->Span(), c.Span);
    }
}

TEST_F(AxisTest, ExpandCollapseFitsTheChannelsOfTheAxis)
{
    auto axis = YAxis(0, 100);
    axis->SetTrackingStyle(iptsExpandCollapse);
    axis->SetTrackingAlignFirstStyle(ipafsAuto);
    host.Ranges = {{10, 30}, {5, 20}};
    host.RunningRanges = {{-100, 400}};
    axis->NewTrackingData(50);  // first value: inside, nothing
    axis->NewTrackingData(50);
    EXPECT_EQ(axis->Min(), 5);
    EXPECT_EQ(axis->Span(), 25);

    axis->SetTrackingMinMargin(1);
    axis->SetTrackingMaxMargin(2);
    axis->SetTrackingSpanMinimum(40);
    axis->ZoomToFit();
    EXPECT_EQ(axis->Min(), 4);
    EXPECT_EQ(axis->Span(), 43);
    axis->ZoomToFitFast();  // running extremes, no span minimum
    EXPECT_EQ(axis->Min(), -101);
    EXPECT_EQ(axis->Span(), 503);

    // No data, or all data on one value: nothing changes.
    host.Ranges = {};
    axis->ZoomToFit();
    host.Ranges = {{7, 7}};
    axis->ZoomToFit();
    EXPECT_EQ(axis->Min(), -101);
}

TEST_F(TickTest, AdjustToIncrementSnapsOutwardOnceThereAreTicks)
{
    auto axis = Make<TiPlotYAxis>();
    axis->SetMinSpan(3, 94);
    axis->SetTrackingIncrementStyle(iptisMajor);
    axis->AdjustToIncrement();  // before the first paint: no increment, no change
    EXPECT_EQ(axis->Min(), 3);

    axis = nullptr;
    auto x = AxisWithRoomFor(10, 3, 94);
    ASSERT_EQ(x->MajorIncrement(), 10);
    x->SetTrackingIncrementStyle(iptisMajor);
    x->AdjustToIncrement();
    EXPECT_EQ(x->Min(), 0);
    EXPECT_EQ(x->Span(), 100);
    host.Calls.clear();
    x->AdjustToIncrement();
    EXPECT_EQ(host.Take(), Log{});
    x->SetMinSpan(3, 94);
    x->SetTrackingIncrementStyle(iptisMinor);
    x->AdjustToIncrement();
    EXPECT_EQ(x->Min(), 0);
    EXPECT_EQ(x->Span(), 100);

    // Calendar steps count months: no snapping to them.
    auto months = AxisWithRoomFor(10, EncodeDate(2001, 3, 15), 1096, iptfDateTime);
    months->SetTrackingIncrementStyle(iptisMajor);
    months->AdjustToIncrement();
    EXPECT_EQ(months->Min(), EncodeDate(2001, 3, 15));
}

// A value inside the scale changes nothing, except that a scale off the increment (moved by a
// user, or under a new increment) snaps to it again.
TEST_F(TickTest, TrackingAValueInsideSnapsAScaleOffTheIncrement)
{
    auto x = AxisWithRoomFor(10, 3, 94);
    x->SetTrackingStyle(iptsScaleMinMax);
    x->SetTrackingIncrementStyle(iptisMajor);
    x->NewTrackingData(50);  // the first value, inside: no alignment
    EXPECT_EQ(x->Min(), 3);
    for (int i = 0; i < 2; ++i) {
        x->NewTrackingData(50);
        EXPECT_EQ(x->Min(), 0);
        EXPECT_EQ(x->Span(), 100);
    }
    x->SetMinSpan(3, 94);
    x->NewTrackingData(50);
    EXPECT_EQ(x->Min(), 0);
    EXPECT_EQ(x->Span(), 100);

    x->SetMinSpan(0, 50);
    x->SetTrackingIncrementStyle(iptisMinimum);
    x->NewTrackingData(25);
    EXPECT_EQ(x->Span(), 50);
    x->SetTrackingIncrementStyle(iptisMajor);  // the increment stays 10 until the next paint
    x->SetMinSpan(1, 48);
    x->NewTrackingData(25);
    EXPECT_EQ(x->Min(), 0);
    EXPECT_EQ(x->Span(), 50);
}

TEST_F(AxisTest, ResumingTrackingRestoresTheScale)
{
    auto axis = YAxis(0, 100);
    axis->SetLabelsMinLength(4);
    axis->SetTrackingEnabled(false);
    EXPECT_EQ(axis->ResumeMin(), 0);
    axis->SetMinSpan(20, 30);
    axis->SetLabelsMinLength(9);
    axis->SetTrackingEnabled(true);
    EXPECT_EQ(axis->Min(), 0);
    EXPECT_EQ(axis->Span(), 100);
    EXPECT_EQ(axis->LabelsMinLength(), 4);

    axis->SetRestoreValuesOnResume(false);
    axis->SetTrackingEnabled(false);
    axis->SetMinSpan(20, 30);
    axis->SetTrackingEnabled(true);
    EXPECT_EQ(axis->Min(), 20);
}

// ---------------------------------------------------------------------------------------------
// Zoom and scroll

TEST_F(AxisTest, ZoomAndScrollByReference)
{
    auto axis = XAxis(0, 100);
    axis->Zoom(2);
    EXPECT_EQ(axis->Min(), -50);
    EXPECT_EQ(axis->Span(), 200);
    try {
        axis->Zoom(0);
        FAIL();
    } catch (const Exception& e) {
        EXPECT_EQ(e.Message(), "Linear Scale Zoom Factor must be Greater than Zero");
    }
    EXPECT_EQ(axis->Span(), 200);

    axis->SetMinSpan(0, 100);
    axis->ZoomPercentByReference(0, 100, 100, 1);  // ten times in about the middle
    EXPECT_DOUBLE_EQ(axis->Min(), 45);
    EXPECT_DOUBLE_EQ(axis->Span(), 10);

    axis->SetMinSpan(0, 20);
    axis->ScrollPercentByReference(0, 20, 20, 0.5);
    EXPECT_EQ(axis->Min(), 10);
    axis->SetScrollMinMaxEnabled(true);
    axis->ScrollPercentByReference(10, 20, 30, -5);
    EXPECT_EQ(axis->Min(), 0);  // stops at ScrollMin
    axis->ScrollPercentByReference(0, 20, 20, 50);
    EXPECT_EQ(axis->Min(), 80);  // and at ScrollMax - Span

    auto log = XAxis();
    log->SetScaleType(ipstLog10);
    log->SetMinSpan(10, 90);
    log->Zoom(1);  // a decade out: Min / 10, Span x 10
    EXPECT_DOUBLE_EQ(log->Min(), 1);
    EXPECT_DOUBLE_EQ(log->Span(), 900);
    log->SetMinSpan(10, 90);
    log->ScrollPercentByReference(10, 100, 100, 1);  // one whole span (a decade) up
    EXPECT_DOUBLE_EQ(log->Min(), 100);
    EXPECT_DOUBLE_EQ(log->Span(), 900);
    log->SetScrollMinMaxEnabled(true);
    log->SetScrollMin(1);
    log->SetScrollMax(1000);
    log->ScrollPercentByReference(100, 1000, 1000, 1);  // the new maximum passes ScrollMax
    EXPECT_DOUBLE_EQ(log->Min(), 100);
    EXPECT_DOUBLE_EQ(log->GetMax(), 1000);
    log->ScrollPercentByReference(100, 1000, 1000, -5);
    EXPECT_DOUBLE_EQ(log->Min(), 1);
    EXPECT_DOUBLE_EQ(log->GetMax(), 10);
}

TEST_F(AxisTest, ZoomRectTakesTheRectangleEdgesAlongTheAxis)
{
    auto x = XAxis(0, 100);
    x->ZoomRect({200, 0, 300, 999});
    EXPECT_DOUBLE_EQ(x->Min(), 25);
    EXPECT_DOUBLE_EQ(x->Span(), 25);
    auto y = YAxis(0, 100);
    y->ZoomRect({0, 150, 999, 350});
    EXPECT_DOUBLE_EQ(y->Min(), 25);
    EXPECT_DOUBLE_EQ(y->Span(), 50);
    auto r = XAxis(0, 100);
    r->SetReverseScale(true);
    r->CalcTicks(bitmap.Canvas());
    r->ZoomRect({200, 0, 300, 999});
    EXPECT_DOUBLE_EQ(r->Min(), 50);
    EXPECT_DOUBLE_EQ(r->Span(), 25);
}

// ---------------------------------------------------------------------------------------------
// Mouse, wheel and keys

TiPlotMouseData At(int x, int y, TShiftState shift = {})
{
    TiPlotMouseData d;
    d.X = x;
    d.Y = y;
    d.Shift = shift;
    return d;
}

TEST_F(AxisTest, DraggingScrollsTheScaleWithTheMouse)
{
    auto axis = XAxis(0, 100);  // 4 pixels per unit
    axis->DoMouseLeft(At(300, 420));
    axis->DoMouseMove(At(340, 420));  // 40 px right: the scale follows, 10 units down
    EXPECT_FALSE(axis->TrackingEnabled());
    EXPECT_DOUBLE_EQ(axis->Min(), -10);
    axis->DoMouseMove(At(320, 420));
    EXPECT_DOUBLE_EQ(axis->Min(), -5);
    host.Calls.clear();
    axis->DoMouseUp(At(320, 420));
    EXPECT_EQ(host.Take(), (Log{"Click", "Finished 0,100>-5,100"}));
    axis->DoMouseMove(At(400, 420));  // released: moves do nothing
    EXPECT_DOUBLE_EQ(axis->Min(), -5);

    auto y = YAxis(0, 100);
    y->DoMouseLeft(At(50, 300));
    y->DoMouseMove(At(50, 260));  // 40 px up
    EXPECT_DOUBLE_EQ(y->Min(), -10);
    y->SetMode(ipamZoom);
    y->DoMouseMove(At(50, 260 - 400 * 4));  // a whole length up: zoomed in by ten
    EXPECT_NEAR(y->Span(), 10, 1e-9);
    const double min = y->Min();
    y->DoMouseMove(At(50, -1340 - 40, {ssCtrl}));  // Ctrl exchanges the mode: scrolls a tenth
    EXPECT_NEAR(y->Span(), 10, 1e-9);
    EXPECT_NEAR(y->Min(), min - 1, 1e-9);
}

TEST_F(AxisTest, CollapsedAxisIgnoresDrags)
{
    auto axis = Make<TiPlotXAxis>();
    axis->SetDrawRect({200, 0, 200, 40});
    axis->CalcTicks(bitmap.Canvas());
    axis->DoMouseLeft(At(200, 10));
    axis->DoMouseMove(At(260, 10));
    EXPECT_EQ(axis->Min(), 0);
    EXPECT_EQ(axis->Span(), 100);
}

TEST_F(AxisTest, WheelStepsOneNotchWhateverTheDelta)
{
    auto axis = XAxis(0, 100);
    host.Calls.clear();
    EXPECT_TRUE(axis->DoMouseWheel(0, {}, 0, 0));
    EXPECT_TRUE(axis->TrackingEnabled());
    axis->DoMouseWheel(120, {}, 0, 0);
    EXPECT_FALSE(axis->TrackingEnabled());
    EXPECT_DOUBLE_EQ(axis->Min(), 5);
    axis->DoMouseWheel(360, {}, 0, 0);
    EXPECT_DOUBLE_EQ(axis->Min(), 10);
    axis->DoMouseWheel(-1, {}, 0, 0);
    EXPECT_DOUBLE_EQ(axis->Min(), 5);
    axis->DoMouseWheel(120, {ssCtrl}, 0, 0);  // zoom: by 10^0.025 about the middle
    EXPECT_NEAR(axis->Span(), 100 / std::pow(10.0, 0.025), 1e-9);
    EXPECT_NEAR(axis->GetMid(), 55, 1e-9);
}

TEST_F(AxisTest, KeysScrollOrZoomByPagesAndPercents)
{
    struct Case {
        int key;
        TiPlotAxisMode mode;
        double min, span;
    };
    const Case cases[] = {
        {VK_PRIOR, ipamScroll, 100, 100}, {VK_END, ipamScroll, 100, 100}, {VK_NEXT, ipamScroll, -100, 100},
        {VK_HOME, ipamScroll, -100, 100}, {VK_UP, ipamScroll, 1, 100},    {VK_RIGHT, ipamScroll, 1, 100},
        {VK_LEFT, ipamScroll, -1, 100},   {VK_DOWN, ipamScroll, -1, 100}, {VK_PRIOR, ipamZoom, 45, 10},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.key);
        auto axis = XAxis(0, 100);
        axis->SetMode(c.mode);
        int key = c.key;
        axis->iKeyDown(key, {}, nullptr);
        EXPECT_FALSE(axis->TrackingEnabled());
        EXPECT_NEAR(axis->Min(), c.min, 1e-9);
        EXPECT_NEAR(axis->Span(), c.span, 1e-9);
        EXPECT_EQ(host.Calls.back().rfind("Finished 0,100>", 0), 0u);
    }
    auto axis = XAxis(0, 100);
    int other = 'A';
    axis->iKeyDown(other, {}, nullptr);  // any key stops tracking, only these move
    EXPECT_FALSE(axis->TrackingEnabled());
    EXPECT_EQ(axis->Min(), 0);
    EXPECT_EQ(host.Take(), Log{});
}

TEST_F(AxisTest, MasterInputIsHandedToThePlotFirst)
{
    auto axis = XAxis(0, 100);
    axis->SetMasterUIInput(true);
    axis->DoMouseLeft(At(300, 420));
    axis->DoMouseMove(At(300, 420));
    axis->DoMouseUp(At(300, 420));
    axis->DoMouseWheel(120, {}, 0, 0);
    int key = 'A';
    axis->iKeyDown(key, {}, nullptr);
    EXPECT_EQ(host.Take(), (Log{"MasterLeft", "MasterMove", "MasterUp", "Click", "MasterWheel", "Min 0>5",
                                "MinSpan 0,100>5,100", "MasterKey"}));
}

TEST_F(AxisTest, HintPointerAndMenu)
{
    auto axis = XAxis();
    axis->SetTitle("Time");
    TiHintData hint;
    axis->DoMouseHint(At(300, 420), hint);
    EXPECT_EQ(hint.Text, "X:Time");
    EXPECT_EQ(hint.Left, 300);
    EXPECT_EQ(hint.Top, 400);
    axis->SetTitleShow(true);
    TiHintData none;
    axis->DoMouseHint(At(300, 420), none);
    EXPECT_EQ(none.Text, "");

    EXPECT_EQ(axis->GetMousePointer({}), crHandPoint);
    axis->SetMode(ipamZoom);
    EXPECT_EQ(axis->GetMousePointer({}), crSizeWE);
    auto y = YAxis();
    y->SetMode(ipamZoom);
    EXPECT_EQ(y->GetMousePointer({}), crSizeNS);

    TPopupMenu menu(nullptr);
    axis->AddMenuItems(&menu);
    ASSERT_GE(menu.Items()->Count(), 4);
    EXPECT_EQ(menu.Items()->Items(0)->Caption(), "Tracking Enabled");
    EXPECT_TRUE(menu.Items()->Items(0)->Checked());
    EXPECT_EQ(menu.Items()->Items(1)->Caption(), "Update Resume Values");
    EXPECT_FALSE(menu.Items()->Items(1)->Enabled());
    EXPECT_EQ(menu.Items()->Items(2)->Caption(), "Zoom to Fit");
    EXPECT_EQ(menu.Items()->Items(3)->Caption(), "Edit...");
    menu.Items()->Items(0)->OnClick(nullptr);
    EXPECT_FALSE(axis->TrackingEnabled());
    axis->SetMinSpan(5, 5);
    axis->AddMenuItems(&menu);
    EXPECT_TRUE(menu.Items()->Items(1)->Enabled());
    menu.Items()->Items(1)->OnClick(nullptr);
    EXPECT_EQ(axis->ResumeMin(), 5);
}

// ---------------------------------------------------------------------------------------------
// Drawing

bool IsBlack(TColor c) { return (c & 0xFFFFFF) == 0; }

// Whether any pixel of the rectangle is not black.
bool Inked(TCanvas& canvas, const TRect& r)
{
    for (int y = r.Top; y < r.Bottom; ++y)
        for (int x = r.Left; x < r.Right; ++x)
            if (!IsBlack(canvas.GetPixel(x, y)))
                return true;
    return false;
}

void SavePNG(const TBitmap& bitmap, const std::string& name)
{
    const TBytes bytes = EncodePNG(bitmap, 9);
    std::FILE* file = std::fopen(name.c_str(), "wb");
    ASSERT_NE(file, nullptr);
    std::fwrite(bytes.data(), 1, bytes.size(), file);
    std::fclose(file);
}

class DrawTest : public AxisTest {
protected:
    // A screenshot-sized plot: an X axis along the bottom, a Y axis on the left, each with
    // its title, around an empty data view.
    std::unique_ptr<TiPlotXAxis> x = Make<TiPlotXAxis>();
    std::unique_ptr<TiPlotYAxis> y = Make<TiPlotYAxis>();

    void DrawBoth()
    {
        TCanvas& canvas = bitmap.Canvas();
        x->SetTitle("Time (s)");
        x->SetTitleShow(true);
        x->SetDrawRect({100, 400, 620, 470});
        y->SetTitle("Absorbance");
        y->SetTitleShow(true);
        y->SetMinSpan(-0.5, 2);
        y->SetDrawRect({10, 20, 100, 400});
        x->CalcTicks(canvas);
        y->CalcTicks(canvas);
        x->Draw(canvas, clBlack);
        y->Draw(canvas, clBlack);
    }
};

TEST_F(DrawTest, HorizontalAxisAtTheScaleLineATickALabelAndTheTitle)
{
    DrawBoth();
    TCanvas& canvas = bitmap.Canvas();
    // The scale line, InnerMargin (5) below the edge facing the data view.
    EXPECT_EQ(canvas.GetPixel(300, 405), clWhite);
    EXPECT_EQ(canvas.GetPixel(620, 405), clWhite);  // Max, where its tick is
    EXPECT_TRUE(IsBlack(canvas.GetPixel(300, 404)));
    EXPECT_TRUE(IsBlack(canvas.GetPixel(621, 405)));
    // Labels every 20 fit; the major tick of 40 runs MajorLength (7) pixels out from the line.
    EXPECT_EQ(x->MajorIncrement(), 20);
    const int px = x->PositionToPixels(40);
    EXPECT_EQ(px, 308);
    EXPECT_EQ(canvas.GetPixel(px, 411), clWhite);
    EXPECT_TRUE(IsBlack(canvas.GetPixel(px, 412)));
    EXPECT_TRUE(IsBlack(canvas.GetPixel(px + 2, 408)));
    // The minor tick of 50 is MinorLength (3) long.
    const int minor = x->PositionToPixels(50);
    EXPECT_EQ(canvas.GetPixel(minor, 407), clWhite);
    EXPECT_TRUE(IsBlack(canvas.GetPixel(minor, 408)));
    // The label "40" sits in a cell centred on the tick, below the tick and the label margin.
    canvas.Font().Assign(*x->LabelsFont());
    const int w = canvas.TextWidth("40"), h = canvas.TextHeight("40");
    const int top = 405 + 7 + int(std::lround(canvas.TextHeight("A") * 0.25));
    EXPECT_TRUE(Inked(canvas, {px - w / 2, top, px + w / 2 + 1, top + h}));
    EXPECT_FALSE(Inked(canvas, {px - w, 412, px + w, top}));       // the margin stays clear
    EXPECT_FALSE(Inked(canvas, {px + w, top, px + 80, top + h}));  // nothing between labels
    // The title reads along the bottom, OuterMargin (5) inside the outer edge, centred.
    canvas.Font().Assign(*x->TitleFont());
    const int th = canvas.TextHeight("Time (s)");
    EXPECT_TRUE(Inked(canvas, {340, 465 - th, 380, 465}));
    EXPECT_FALSE(Inked(canvas, {100, 465 - th, 300, 465}));
    EXPECT_FALSE(Inked(canvas, {100, 465, 620, 470}));
}

TEST_F(DrawTest, VerticalAxisAtTheScaleLineATickALabelAndTheTitle)
{
    DrawBoth();
    TCanvas& canvas = bitmap.Canvas();
    // The edge facing the data view is column 99; the scale line is 5 pixels out.
    EXPECT_EQ(canvas.GetPixel(94, 200), clWhite);
    EXPECT_TRUE(IsBlack(canvas.GetPixel(95, 200)));
    // The major tick of 0.5 runs 7 pixels to the left.
    const int py = y->PositionToPixels(0.5);
    EXPECT_EQ(py, 210);
    EXPECT_EQ(canvas.GetPixel(88, py), clWhite);
    EXPECT_TRUE(IsBlack(canvas.GetPixel(87, py)));
    // The label "0.50" ends left of the tick, vertically centred on it.
    canvas.Font().Assign(*y->LabelsFont());
    const int w = canvas.TextWidth("0.50"), h = canvas.TextHeight("0.50");
    const int right = 88 - int(std::lround(canvas.TextHeight("A") * 0.25));
    EXPECT_TRUE(Inked(canvas, {right - w, py - h / 2, right, py + h / 2}));
    EXPECT_FALSE(Inked(canvas, {right, py - h / 2, 88, py + h / 2}));
    // The title is turned to read upwards along the outer edge.
    canvas.Font().Assign(*y->TitleFont());
    const int th = canvas.TextHeight("Absorbance");
    EXPECT_TRUE(Inked(canvas, {15, 190, 15 + th, 230}));
    EXPECT_FALSE(Inked(canvas, {15, 20, 15 + th, 120}));
    SavePNG(bitmap, "iPlotAxis_axes.png");
}

TEST_F(AxisTest, ValuesNoFormatCanExpressKeepAText)
{
    const double inf = std::numeric_limits<double>::infinity();
    auto axis = XAxis();
    double minLength = 0;
    EXPECT_EQ(axis->GetText(std::nan(""), iptfPrefix, "", ipsSignificantDigits, 3, false, minLength), "Unknown");
    EXPECT_EQ(axis->GetText(inf, iptfPrefix, "", ipsSignificantDigits, 3, false, minLength), "Unknown");
    EXPECT_EQ(axis->GetText(inf, iptfPrice32nds, "", ipsSignificantDigits, 3, false, minLength), "INF");
    EXPECT_EQ(axis->GetText(std::nan(""), iptfValue, "", ipsSignificantDigits, 3, false, minLength), "NAN");
    axis->SetScaleType(ipstLog10);
    EXPECT_EQ(axis->GetText(inf, iptfValue, "", ipsSignificantDigits, 3, false, minLength), "INF");
}

// ---------------------------------------------------------------------------------------------
// Layout sizes

TEST_F(AxisTest, StackedEndsKeepRoomForTheEndLabels)
{
    auto x = Make<TiPlotXAxis>();
    x->SetDrawRect({100, 400, 500, 440});
    x->SetStartStacked(true);
    x->SetStopStacked(true);
    TCanvas& canvas = bitmap.Canvas();
    x->CalcTicks(canvas);
    canvas.Font().Assign(*x->LabelsFont());
    const int zero = canvas.TextWidth("0");
    const int length = x->GetRequiredLabelLength(canvas);
    EXPECT_EQ(length, std::max(int(std::lround(zero * 5.0)), canvas.TextWidth("100")));
    const int e = int(std::nearbyint(length / 2.0)) + int(std::nearbyint(zero * 0.5));
    EXPECT_EQ(x->GetScaleRect().Left, 100 + e);
    EXPECT_EQ(x->GetScaleRect().Right, 500 - e);
    EXPECT_EQ(x->GetAxisRect(), (TRect{100, 402, 500, 438}));
    EXPECT_EQ(x->GetMinPixels(), 100 + e);
    EXPECT_EQ(x->GetRequiredLengthGaurd(canvas), length / 2);

    const int height = canvas.TextHeight("0");
    const int margin = int(std::lround(canvas.TextHeight("A") * 0.25));
    EXPECT_EQ(x->GetRequiredWidth(canvas), 5 + 5 + 7 + margin + height);
    x->SetTitle("Time");
    x->SetTitleShow(true);
    canvas.Font().Assign(*x->TitleFont());
    const int title = int(std::lround(canvas.TextHeight("Time") * 1.25));
    EXPECT_EQ(x->GetRequiredWidth(canvas), 5 + 5 + 7 + margin + height + title);
    x->SetLabelsVisible(false);
    x->SetScaleLinesShow(false);
    EXPECT_EQ(x->GetRequiredWidth(canvas), 5 + 5 + title);
    EXPECT_EQ(x->GetRequiredLengthGaurd(canvas), 0);

    // A Cartesian axis keeps no end room and no title room.
    auto cartesian = Make<TiPlotYAxis>();
    cartesian->SetCartesianStyle(ipcsMaster);
    cartesian->SetDrawRect({100, 50, 140, 450});
    cartesian->SetStartStacked(true);
    cartesian->CalcTicks(canvas);
    EXPECT_EQ(cartesian->GetScaleRect().Bottom, 450);
    EXPECT_EQ(cartesian->GetSide(), iqsRight);
}

TEST_F(AxisTest, HugeMinimumOverTinySpanMeasuresWithoutOverflow)
{
    auto axis = XAxis(1e300, 1e-300);
    EXPECT_NO_THROW(axis->GetRequiredLabelLength(bitmap.Canvas()));
    EXPECT_NO_THROW(axis->CalcTicks(bitmap.Canvas()));
    auto negative = XAxis(-1e300, 1e300);
    EXPECT_NO_THROW(negative->CalcTicks(bitmap.Canvas()));
    EXPECT_GE(negative->GetTickListCount(), 1);
}

// ---------------------------------------------------------------------------------------------
// Reference axes, notifications, properties

TEST_F(AxisTest, ReferenceAxesAreLookedUpOnceAndFollowRenames)
{
    auto y = YAxis();
    y->SetName("Y1");
    auto x = XAxis();
    x->SetName("X2");
    auto other = XAxis();
    host.YAxes["Y1"] = y.get();
    host.XAxes["X2"] = x.get();
    other->SetCartesianChildRefAxisName("Y1");
    other->SetAlignRefAxisName("X2");
    EXPECT_EQ(other->GetCartesianRefAxis(), y.get());
    EXPECT_EQ(other->GetAlignRefAxis(), x.get());
    host.YAxes.clear();
    EXPECT_EQ(other->GetCartesianRefAxis(), y.get());  // cached

    y->SetName("Renamed");
    other->NotificationRename(y.get());
    EXPECT_EQ(other->CartesianChildRefAxisName(), "Renamed");
    other->NotificationRemove(x.get());
    host.XAxes.clear();
    EXPECT_EQ(other->GetAlignRefAxis(), nullptr);
    EXPECT_EQ(other->AlignRefAxisName(), "X2");
}

TEST_F(AxisTest, SelectingAnotherObjectDeselectsUnlessAxesAreMultiSelected)
{
    auto a = XAxis();
    auto b = YAxis();
    a->SetUserSelected(true);
    b->SetShiftState({ssShift});
    a->NotificationSetFocus(b.get());
    EXPECT_TRUE(a->UserSelected());
    b->SetShiftState({});
    a->NotificationSetFocus(b.get());
    EXPECT_FALSE(a->UserSelected());
}

TEST_F(AxisTest, DefaultsAfterConstruction)
{
    host.StripChart = true;
    auto strip = Make<TiPlotXAxis>();
    EXPECT_EQ(strip->TrackingStyle(), iptsScrollSmooth);
    host.StripChart = false;
    auto x = Make<TiPlotXAxis>();
    EXPECT_EQ(x->TrackingStyle(), iptsScaleMinMax);
    EXPECT_EQ(x->TrackingAlignFirstStyle(), ipafsAuto);
    EXPECT_TRUE(x->Horizontal());
    auto y = Make<TiPlotYAxis>();
    EXPECT_EQ(y->TrackingAlignFirstStyle(), ipafsNone);
    EXPECT_FALSE(y->Horizontal());
    EXPECT_EQ(y->TitleFont()->GetName(), "Arial");
    EXPECT_EQ(y->TitleFont()->GetSize(), 10);
    EXPECT_EQ(y->TitleFont()->GetColor(), clWhite);
    EXPECT_EQ(y->LabelsFont()->GetHeight(), -11);
    EXPECT_EQ(y->LabelsFont()->GetColor(), clWhite);
    EXPECT_EQ(y->CartesianChildRefAxisName(), "<None>");
    EXPECT_EQ(y->DateTimeFormat(), "hh:nn:ss");

    // A font change is a change of the axis.
    changes = 0;
    y->LabelsFont()->SetColor(clRed);
    EXPECT_EQ(changes, 1);

    // The declared default of the first-value alignment differs from both constructors.
    const TPropInfo* align = nullptr;
    for (const TPropInfo* p : y->ClassInfo().Properties())
        if (p->Name() == "TrackingAlignFirstStyle")
            align = p;
    ASSERT_NE(align, nullptr);
    EXPECT_EQ(align->Default(), std::optional<std::int64_t>(ipafsMin));
}

// The defined properties of an object by name: whether a writer would write them, and a
// way to read one value into the object.
class DefinedProperties : public TFiler {
public:
    struct Entry {
        ReadFunction read;
        bool hasData;
    };
    std::map<std::string, Entry> entries;
    void DefineProperty(const std::string& name, const ReadFunction& read, const WriteFunction&, bool hasData) override
    {
        entries[name] = {read, hasData};
    }
    TComponent* Root() const override { return nullptr; }
};

// Reads one float, the value of a defined property.
class FloatReader : public TReader {
public:
    explicit FloatReader(long double value) : m_value(value) {}
    void DefineProperty(const std::string&, const ReadFunction&, const WriteFunction&, bool) override {}
    TComponent* Root() const override { return nullptr; }
    std::int64_t ReadInteger() override { return 0; }
    long double ReadFloat() override { return m_value; }
    std::string ReadString() override { return {}; }
    bool ReadBoolean() override { return false; }
    std::string ReadIdent() override { return {}; }
    std::vector<std::uint8_t> ReadBinary() override { return {}; }
    bool NextIsCollection() override { return false; }
    void ReadCollectionBegin() override {}
    bool EndOfCollection() override { return true; }
    void ReadItem(TPersistent&) override {}
    void ReadCollectionEnd() override {}

private:
    long double m_value;
};

TEST_F(AxisTest, StreamedSpanKeysAreClampedAndZeroSettingsWritten)
{
    auto axis = XAxis(0, 100);
    DefinedProperties defined;
    axis->DefineProperties(defined);
    EXPECT_FALSE(defined.entries.at("LabelSeparation").hasData);
    EXPECT_FALSE(defined.entries.at("TitleMargin").hasData);
    EXPECT_FALSE(defined.entries.at("Span").hasData);  // read only
    EXPECT_FALSE(defined.entries.at("Span_2").hasData);

    host.Calls.clear();
    FloatReader zero(0);
    defined.entries.at("Span_2").read(zero);  // a stored 0 would divide by zero
    EXPECT_EQ(axis->Span(), 1e-300);
    FloatReader negative(-5);
    defined.entries.at("Span").read(negative);
    EXPECT_EQ(axis->Span(), 1e-300);
    FloatReader fifty(50);
    defined.entries.at("Span").read(fifty);
    EXPECT_EQ(axis->Span(), 50);
    EXPECT_EQ(host.Take(), Log{});  // silently

    axis->SetLabelSeparation(0);
    DefinedProperties again;
    axis->DefineProperties(again);
    EXPECT_TRUE(again.entries.at("LabelSeparation").hasData);
}

TEST_F(AxisTest, AxesAreThePlotsAxisKindsAndClearingDataRealignsThem)
{
    const TiPlotKindClass* xKind = FindPlotKindClass(TiPlotObjectKind::XAxis);
    const TiPlotKindClass* yKind = FindPlotKindClass(TiPlotObjectKind::YAxis);
    ASSERT_NE(xKind, nullptr);
    ASSERT_NE(yKind, nullptr);
    const TNotifyEvent ignore = [](TObject*) {};
    TiPlotObjectPtr<TiPlotObject> made = xKind->Create(&host, ignore, ignore, ignore, ignore);
    EXPECT_NE(dynamic_cast<TiPlotXAxis*>(made.get()), nullptr);
    TiPlotObjectKind kind;
    auto y = YAxis(0, 100);
    ASSERT_TRUE(GetPlotObjectKind(y.get(), kind));
    EXPECT_EQ(kind, TiPlotObjectKind::YAxis);

    y->SetTrackingAlignFirstStyle(ipafsMin);
    y->NewTrackingData(10);
    y->NewTrackingData(20);  // a later value: inside, nothing
    EXPECT_EQ(y->Min(), 10);
    yKind->ClearData(*y);
    y->NewTrackingData(30);  // the first value again
    EXPECT_EQ(y->Min(), 30);
}

TEST_F(AxisTest, GridLinesAtTheTicksOfTheirKind)
{
    auto x = XAxis();
    TCanvas& canvas = bitmap.Canvas();
    x->DrawGridLines(canvas, {100, 10, 500, 300}, true, false, ipglsSolid, ipglsDot, clRed, clBlue, 1, 1);
    EXPECT_EQ(canvas.GetPixel(x->PositionToPixels(40), 150), clRed);
    EXPECT_TRUE(IsBlack(canvas.GetPixel(x->PositionToPixels(50), 150)));  // a minor: not shown
    x->SetGridLinesVisible(false);
    x->DrawGridLines(canvas, {100, 10, 500, 300}, true, true, ipglsSolid, ipglsSolid, clLime, clLime, 1, 1);
    EXPECT_EQ(canvas.GetPixel(x->PositionToPixels(40), 150), clRed);
}

TEST_F(DrawTest, OtherSidesTurnedTextsAndACartesianAxis)
{
    TCanvas& canvas = bitmap.Canvas();
    // An X axis on top with labels turned across it.
    x->SetReverseSide(true);
    x->SetLabelsRotation(ira090);
    x->SetMinSpan(0, 1000);
    x->SetTitle("Wavelength");
    x->SetTitleShow(true);
    x->SetDrawRect({100, 10, 540, 90});
    // A Y axis on the right whose title reads downwards.
    y->SetReverseSide(true);
    y->SetTitle("Counts");
    y->SetTitleShow(true);
    y->SetTitleRotated(true);
    y->SetDrawRect({540, 90, 620, 380});
    y->SetUserSelected(true);
    // A Cartesian X axis through the data view: ticks straddle the line, no title.
    auto cartesian = Make<TiPlotXAxis>();
    cartesian->SetCartesianStyle(ipcsMaster);
    cartesian->SetMinSpan(-50, 100);
    cartesian->SetTitle("hidden");
    cartesian->SetTitleShow(true);
    cartesian->SetDrawRect({100, 240, 540, 280});
    for (TiPlotAxis* axis : std::initializer_list<TiPlotAxis*>{x.get(), y.get(), cartesian.get()}) {
        axis->CalcTicks(canvas);
        axis->DrawSetup(canvas);
        axis->Draw(canvas, clBlack);
    }
    SavePNG(bitmap, "iPlotAxis_sides.png");

    // Top: the edge facing the data view is row 89; line 5 above it, ticks upwards.
    EXPECT_EQ(canvas.GetPixel(300, 84), clWhite);
    const int px = x->PositionToPixels(x->MajorIncrement());
    EXPECT_EQ(canvas.GetPixel(px, 78), clWhite);
    EXPECT_TRUE(IsBlack(canvas.GetPixel(px, 77)));
    // Turned labels stand above the ticks, as wide as a text height along the axis.
    canvas.Font().Assign(*x->LabelsFont());
    const int labelBottom = 78 - int(std::lround(canvas.TextHeight("A") * 0.25));
    EXPECT_TRUE(Inked(canvas, {px - 6, labelBottom - 20, px + 7, labelBottom}));
    EXPECT_FALSE(Inked(canvas, {px - 6, labelBottom, px + 7, 78}));

    // Right: line 5 right of column 540, ticks to the right.
    EXPECT_EQ(canvas.GetPixel(545, 200), clWhite);
    const int py = y->PositionToPixels(40);
    EXPECT_EQ(canvas.GetPixel(551, py), clWhite);
    EXPECT_TRUE(IsBlack(canvas.GetPixel(552, py)));
    // The selected axis is framed by its focus rectangle (dotted).
    const TRect frame = y->GetAxisRect();
    EXPECT_TRUE(Inked(canvas, {frame.Left, frame.Top, frame.Right, frame.Top + 1}));

    // Cartesian: the line on the edge, ticks from 5 above to 3 below it.
    EXPECT_EQ(canvas.GetPixel(200, 240), clWhite);
    const int zero = cartesian->PositionToPixels(0);
    EXPECT_EQ(canvas.GetPixel(zero, 235), clWhite);
    EXPECT_EQ(canvas.GetPixel(zero, 243), clWhite);
    EXPECT_TRUE(IsBlack(canvas.GetPixel(zero, 234)));
    EXPECT_TRUE(IsBlack(canvas.GetPixel(zero, 244)));
    // The scale line came first in the collision list; ticks crossing it were refused, the
    // labels below it accepted.
    ASSERT_GE(host.Collisions.size(), 6u);
    EXPECT_EQ(host.Collisions[0], (TRect{100, 240, 540, 241}));
    const TRect axisRect = cartesian->GetAxisRect();
    EXPECT_EQ(axisRect.Top, 240 - (4 + 5));
}

TEST_F(DrawTest, CartesianLabelsThatCollideAreLeftOut)
{
    auto cartesian = Make<TiPlotXAxis>();
    cartesian->SetCartesianStyle(ipcsMaster);
    cartesian->SetMinSpan(-50, 100);
    cartesian->SetDrawRect({100, 240, 540, 280});
    TCanvas& canvas = bitmap.Canvas();
    cartesian->CalcTicks(canvas);
    host.Collisions.push_back({0, 246, 640, 300});  // something already below the line
    cartesian->Draw(canvas, clBlack);
    EXPECT_EQ(canvas.GetPixel(200, 240), clWhite);
    EXPECT_FALSE(Inked(canvas, {100, 247, 540, 300}));
}

}  // namespace
