#include "plot/objects/iPlotTraceDrawing.h"

#include "ChannelTestSupport.h"

#include "platform/canvas/ImageCodecs.h"

#include <cstdio>
#include <optional>
#include <random>

namespace {

constexpr TColor kBack = clBlack;

void SavePNG(const TBitmap& bitmap, const std::string& name)
{
    const TBytes bytes = EncodePNG(bitmap, 9);
    std::FILE* file = std::fopen(name.c_str(), "wb");
    ASSERT_NE(file, nullptr);
    std::fwrite(bytes.data(), 1, bytes.size(), file);
    std::fclose(file);
}

}  // namespace

// A channel on axes X 0..100 over pixels 100..500 and Y 0..100 over 450..50, painted on a
// black bitmap the way the paint pass paints it.
class TraceTest : public ChannelTest {
protected:
    TraceTest()
    {
        Channel->SetColor(clRed);
        Channel->SetFastDrawEnabled(false);
    }

    TCanvas& Canvas() { return m_bitmap.Canvas(); }

    void Paint(TiPlotChannel& channel)
    {
        Canvas().Brush().SetColor(kBack);
        Canvas().Brush().SetStyle(bsSolid);
        Canvas().FillRect(Rect(0, 0, 640, 480));
        channel.DrawSetup(Canvas());
        channel.Draw(Canvas(), kBack);
    }
    void Paint() { Paint(*Channel); }

    int PX(double x) const { return m_xAxis->PositionToPixels(x); }
    int PY(double y) const { return m_yAxis->PositionToPixels(y); }
    TColor At(double x, double y) { return Canvas().GetPixel(PX(x), PY(y)); }
    TColor Pixel(int x, int y) { return Canvas().GetPixel(x, y); }
    // The colours found in a pixel rectangle, as a set of their values.
    bool AnyIn(const TRect& r, TColor color)
    {
        for (int y = r.Top; y < r.Bottom; ++y)
            for (int x = r.Left; x < r.Right; ++x)
                if (Pixel(x, y) == color)
                    return true;
        return false;
    }
    bool AnyDrawn() { return AnyIn(Rect(0, 0, 640, 480), clRed) || AnyIn(Rect(0, 0, 640, 480), clLime); }
};

TEST(TraceRecords, MinMaxPointReducesAColumn)
{
    TiPlotMinMaxPoint column;
    EXPECT_TRUE(column.Empty);
    column.AddData(1.0, 5, 7);
    column.AddData(1.1, -2, 8);  // the column keeps its first point's pixel and X
    column.AddData(1.2, 3, 7);
    EXPECT_FALSE(column.Empty);
    EXPECT_EQ(column.XPixel, 7);
    EXPECT_EQ(column.X, 1.0);
    EXPECT_EQ(column.MinY, -2);
    EXPECT_EQ(column.MaxY, 5);
    EXPECT_EQ(column.FirstY, 5);
    EXPECT_EQ(column.LastY, 3);
    TiPlotMinMaxPoint copy;
    copy.AssignDown(column);
    EXPECT_EQ(copy.MinY, -2);
    EXPECT_EQ(copy.LastX, 1.2);
    column.Clear();
    EXPECT_TRUE(column.Empty);
    EXPECT_EQ(column.MaxY, -1e301);
    EXPECT_EQ(column.MinY, 1e301);

    TiMinMaxPoint old;
    old.AddData(4, true, 3);  // a Null only marks it used
    EXPECT_FALSE(old.Empty);
    EXPECT_EQ(old.Max, -1e301);
    old.AddData(4, false, 3);
    old.AddData(9, false, 4);
    EXPECT_EQ(old.First, 4);
    EXPECT_EQ(old.Last, 9);
    EXPECT_EQ(old.XPixel, 3);
    try {
        old.AssignDown(column);
        ADD_FAILURE();
    } catch (const Exception& e) {
        EXPECT_EQ(e.Message(), "Assign class must be TiMinMaxPoint");
    }
}

TEST_F(TraceTest, LineHelpersFollowTheLineToTheViewEdge)
{
    EXPECT_EQ(TiPlotChannelCustom::GetNewY(0, 0, 10, 20, 5), 10);
    EXPECT_EQ(TiPlotChannelCustom::GetNewY(3, 0, 3, 20, 5), 0);  // vertical: no answer
    EXPECT_EQ(TiPlotChannelCustom::GetNewX(0, 0, 10, 20, 5), 2.5);
    EXPECT_EQ(TiPlotChannelCustom::GetNewX(3, 0, 3, 20, 5), 3);
    EXPECT_EQ(TiPlotChannelCustom::GetNewX(1, 4, 9, 4, 7), 1);  // horizontal: its start
    struct Case {
        double X0, Y0, X, Y, ExpectedX, ExpectedY;
    };
    const Case cases[] = {
        {50, 50, 50, 150, 50, 100},   // vertical, above: the Y maximum
        {50, 50, 50, -20, 50, 0},     // vertical, below: Min
        {50, 50, 150, 100, 100, 75},  // right of the X range: along the line to its maximum
        {50, 50, -50, 0, 0, 25},      // left of it: to Min
        {50, 50, 70, 150, 60, 100},   // within X, above Y: to the Y maximum
        {10, 50, 60, 50, 60, 0},      // within both, horizontal: Y to Min, X unchanged
    };
    for (const Case& c : cases) {
        double x = c.X, y = c.Y;
        Channel->GetViewIntersectPoint(c.X0, c.Y0, x, y);
        EXPECT_DOUBLE_EQ(x, c.ExpectedX) << c.X << ", " << c.Y;
        EXPECT_DOUBLE_EQ(y, c.ExpectedY) << c.X << ", " << c.Y;
    }
}

TEST_F(TraceTest, SegmentsJoinValidPointsAndBreakAtNull)
{
    Channel->AddXY(10, 10);
    Channel->AddXY(20, 30);
    Channel->AddXEmpty(25);  // skipped: the trace runs on
    Channel->AddXY(30, 10);
    Channel->AddXNull(40);  // breaks the trace
    Channel->AddXY(50, 50);
    Channel->AddXY(60, 50);
    for (bool fast : {false, true}) {
        SCOPED_TRACE(fast);
        Channel->SetFastDrawEnabled(fast);
        Paint();
        EXPECT_EQ(At(10, 10), clRed);
        EXPECT_EQ(At(15, 20), clRed);
        EXPECT_EQ(At(25, 20), clRed);  // across the Empty point
        EXPECT_EQ(At(40, 30), kBack);  // no segment into or out of the Null
        EXPECT_EQ(At(45, 30), kBack);
        EXPECT_EQ(At(55, 50), clRed);
        EXPECT_EQ(At(60, 50), kBack);  // a line leaves out its end pixel
    }
}

// Thousands of points in a few hundred pixel columns: the reduced trace must show exactly
// the pixels of the trace drawn segment by segment, breaks and gaps included.
TEST_F(TraceTest, FastReductionDrawsTheSamePixelsAsEverySegment)
{
    std::mt19937 random(20261210);
    for (int size : {2, 3, 5, 17, 100, 399, 400, 401, 1000, 5000, 20000}) {
        for (int round = 0; round < 3; ++round) {
            SCOPED_TRACE(testing::Message() << size << " points, round " << round);
            Channel->Clear();
            std::uniform_real_distribution<double> value(0, 100);
            std::uniform_int_distribution<int> kind(0, 99);
            // Noise within the X range, then a random walk from beyond its left end to
            // beyond its right end, then the same from right to left.
            double y = 50;
            for (int i = 0; i < size; ++i) {
                const double step = 100.0 * i / std::max(1, size - 1);
                const double x = round == 0 ? step : round == 1 ? step * 1.4 - 20 : 120 - step * 1.4;
                y = round > 0 ? std::clamp(y + value(random) / 10 - 5, 0.0, 100.0) : value(random);
                const int k = kind(random);
                if (k == 0)
                    Channel->AddXNull(x);
                else if (k == 1)
                    Channel->AddXEmpty(x);
                else
                    Channel->AddXY(x, y);
            }
            Channel->SetFastDrawEnabled(false);
            Paint();
            TBitmap full;
            full.Assign(m_bitmap);
            Channel->SetFastDrawEnabled(true);
            Paint();
            int differing = 0;
            for (int py = 0; py < 480; ++py)
                for (int px = 0; px < 640; ++px)
                    if (full.Canvas().GetPixel(px, py) != Pixel(px, py))
                        ++differing;
            EXPECT_EQ(differing, 0);
        }
    }
}

// A channel whose fast trace can be told to reduce every point instead of reading the
// extremes kept for blocks of points.
class ExtremesCheckedChannel : public TiPlotChannel {
public:
    using TiPlotChannel::SetFastDrawReadsSummary;
    using TiPlotChannel::TiPlotChannel;
};

// The kept extremes must give the very pixels of every point reduced, in every storage form,
// as points are added, wrap a ring, change, go and come back.
TEST_F(TraceTest, FastTraceFromKeptExtremesDrawsTheSamePixels)
{
    struct Case {
        const char* Name;
        TiPlotDataStyle Style;
        int Ring;
        int Points;
        int GapPercent;  // Null and Empty points, each
        bool Decreasing;
        bool Disordered;
        bool Reversed;
        std::optional<double> LogXFrom = std::nullopt;  // a log X axis from there to 100
    };
    const std::vector<Case> cases = {
        {"standard", ipdsStandard, 0, 40000, 0, false, false, false},
        {"standard with gaps", ipdsStandard, 0, 40000, 1, false, false, false},
        {"compact ring", ipdsCompact, 30000, 70000, 0, false, false, false},
        {"compact interval ring", ipdsCompactInterval, 30000, 50000, 0, false, false, false},
        {"full feature ring with gaps", ipdsFullFeature, 25000, 60000, 1, false, false, false},
        {"reversed axes", ipdsStandard, 0, 30000, 1, false, false, true},
        {"decreasing X", ipdsStandard, 0, 30000, 1, true, false, false},
        {"X out of order", ipdsStandard, 0, 30000, 0, false, true, false},
        {"few points", ipdsStandard, 0, 300, 2, false, false, false},
        {"log X, X down to below zero", ipdsStandard, 0, 30000, 1, false, false, false, 1.0},
    };
    std::mt19937 random(20261211);
    for (const Case& c : cases) {
        SCOPED_TRACE(c.Name);
        auto channel = std::make_unique<ExtremesCheckedChannel>(&Host, Ignore(), Ignore(), Ignore(), Ignore());
        channel->SetXAxisName("X");
        channel->SetYAxisName("Y");
        channel->SetColor(clRed);
        channel->SetDataStyle(c.Style);
        channel->SetAllowOutOfOrderXValues(c.Disordered);
        channel->SetDrawOutOfOrderXValues(c.Disordered);
        channel->SetXYAxesReversed(c.Reversed);
        if (c.Ring > 0)
            channel->SetRingBufferSize(c.Ring);
        if (c.LogXFrom) {
            m_xAxis->SetScaleType(ipstLog10);
            SetUpAxes(*c.LogXFrom, 100 - *c.LogXFrom);
        }
        // X runs from beyond the axis' left end to beyond its right end; Y walks, holds flat
        // for a while now and then, and leaves the Y range at times.
        const double xStep = (c.Decreasing ? -140.0 : 140.0) / c.Points;
        double x = c.Decreasing ? 120 : -20, y = 50;
        int flat = 0;
        auto add = [&](int count) {
            for (int i = 0; i < count; ++i) {
                x += xStep;
                if (flat > 0)
                    --flat;
                else if (random() % 500 == 0)
                    flat = int(random() % 300);
                else
                    y = std::clamp(y + std::uniform_real_distribution<double>(-4, 4)(random), -20.0, 120.0);
                const int kind = int(random() % 100);
                const bool stray = c.Disordered && random() % 1000 == 0;
                const double at = stray ? x + std::uniform_real_distribution<double>(-5, 5)(random) : x;
                if (kind < c.GapPercent)
                    channel->AddXNull(at);
                else if (kind < 2 * c.GapPercent)
                    channel->AddXEmpty(at);
                else
                    channel->AddXY(at, y);
            }
        };
        auto compare = [&](const char* step) {
            SCOPED_TRACE(step);
            channel->SetFastDrawReadsSummary(false);
            Paint(*channel);
            TBitmap expected;
            expected.Assign(m_bitmap);
            channel->SetFastDrawReadsSummary(true);
            Paint(*channel);
            EXPECT_TRUE(AnyDrawn());
            int differing = 0;
            for (int py = 0; py < 480; ++py)
                for (int px = 0; px < 640; ++px)
                    if (expected.Canvas().GetPixel(px, py) != Pixel(px, py))
                        ++differing;
            EXPECT_EQ(differing, 0);
        };
        add(c.Points * 3 / 4);
        compare("first paint");
        add(c.Points / 4);
        compare("points added since");
        channel->SetDataY(channel->GetCount() / 2, 95);
        compare("a point changed");
        channel->DeletePoints(channel->GetCount() / 10);
        compare("oldest points deleted");
        channel->Clear();
        x = c.Decreasing ? 120 : -20;
        add(c.Points / 2);
        compare("cleared and filled again");
        m_xAxis->SetScaleType(ipstLinear);
        SetUpAxes();
    }
}

struct MarkerCase {
    TiPlotMarkerStyle Style;
    // Offsets from the marker's centre (size 4) and the colour each must show.
    std::vector<std::tuple<int, int, TColor>> Pixels;
};

TEST_F(TraceTest, EveryMarkerStyleDrawsItsShape)
{
    constexpr TColor pen = clRed, brush = clLime;
    const std::vector<MarkerCase> cases = {
        {ipmsCircle, {{0, 0, brush}, {0, -4, pen}, {-4, 0, pen}, {-4, -4, kBack}}},
        {ipmsSquare, {{0, 0, brush}, {-4, -4, pen}, {3, 3, pen}, {4, 4, kBack}}},
        {ipmsDiamond, {{0, 0, brush}, {4, 0, pen}, {0, -4, pen}, {3, 3, kBack}}},
        {ipmsCross, {{0, 0, pen}, {4, 4, pen}, {-3, -3, pen}, {0, 2, kBack}}},
        {ipmsPlus, {{0, 0, pen}, {0, 4, pen}, {-3, 0, pen}, {2, 2, kBack}}},
        // The apex is the point itself, the base below it.
        {ipmsTriangleUp, {{0, 0, pen}, {-4, 4, pen}, {0, 3, brush}, {0, -2, kBack}}},
        {ipmsTriangleDown, {{0, 0, pen}, {-4, -4, pen}, {0, -3, brush}, {0, 2, kBack}}},
        {ipmsTriangleLeft, {{0, 0, pen}, {4, -4, pen}, {3, 0, brush}, {-2, 0, kBack}}},
        {ipmsTriangleRight, {{0, 0, pen}, {-4, 4, pen}, {-3, 0, brush}, {2, 0, kBack}}},
        {ipmsVerticalLine, {{0, -4, pen}, {0, 3, pen}, {1, 0, kBack}}},
        {ipmsHorizontalLine, {{-4, 0, pen}, {3, 0, pen}, {0, 1, kBack}}},
    };
    Channel->SetTraceVisible(false);
    Channel->SetMarkersVisible(true);
    Channel->SetMarkersSize(4);
    Channel->SetMarkersPenUseChannelColor(false);
    Channel->SetMarkersBrushUseChannelColor(false);
    Channel->SetMarkersPenColor(pen);
    Channel->SetMarkersBrushColor(brush);
    Channel->AddXY(50, 50);
    const int cx = PX(50), cy = PY(50);
    for (const MarkerCase& c : cases) {
        SCOPED_TRACE(int(c.Style));
        Channel->SetMarkersStyle(c.Style);
        Paint();
        for (const auto& [dx, dy, color] : c.Pixels)
            EXPECT_EQ(Pixel(cx + dx, cy + dy), color) << dx << ", " << dy;
    }
}

TEST_F(TraceTest, CharacterMarkersAndTheLegendSample)
{
    Channel->SetDataStyle(ipdsFullFeature);  // keeps a character per point
    Channel->SetTraceVisible(false);
    Channel->SetMarkersVisible(true);
    Channel->SetMarkersStyle(ipmsCharacter);
    Channel->SetMarkersAllowIndividual(true);
    Channel->AddXY(50, 50);
    Channel->AddXY(70, 50);
    Channel->SetDataMarkerStyle(0, ipmsCharacter);
    Channel->SetDataMarkerStyle(1, ipmsCharacter);
    Channel->SetDataMarkerCharacter(0, 'W');
    Channel->SetDataMarkerCharacter(1, '\0');  // nothing at all
    Channel->MarkersFont()->SetColor(clYellow);
    Paint();
    EXPECT_TRUE(AnyIn(Rect(PX(50) - 8, PY(50) - 8, PX(50) + 8, PY(50) + 8), clYellow));
    EXPECT_FALSE(AnyIn(Rect(PX(70) - 8, PY(70) - 8, PX(70) + 8, PY(70) + 8), clYellow));

    // The legend's sample: channel-wide look, size capped at 6, no character.
    Channel->SetMarkersAllowIndividual(false);
    Channel->SetMarkersStyle(ipmsSquare);
    Channel->SetMarkersSize(20);
    Channel->DrawMarker(Canvas(), -1, {30, 30}, kBack);
    EXPECT_EQ(Pixel(24, 30), clRed);
    EXPECT_EQ(Pixel(23, 30), kBack);
}

TEST_F(TraceTest, MarkersTurnOffAboveTheLimit)
{
    Channel->SetTraceVisible(false);
    Channel->SetMarkersVisible(true);
    Channel->SetMarkersStyle(ipmsSquare);
    Channel->SetMarkersTurnOffLimit(50);
    for (int i = 0; i <= 50; ++i)
        Channel->AddXY(10 + i, 50);
    Paint();
    EXPECT_EQ(Channel->DrawStopIndex() - Channel->DrawStartIndex(), 50);
    EXPECT_EQ(At(10, 50), clRed);
    Channel->AddXY(61, 50);
    Paint();
    EXPECT_EQ(At(10, 50), kBack);
    Channel->SetMarkersTurnOffLimit(0);  // never off
    Paint();
    EXPECT_EQ(At(10, 50), clRed);
}

TEST_F(TraceTest, FillCoversTheAreaDownToItsReference)
{
    Channel->SetFillEnabled(true);
    Channel->SetFillUseChannelColor(false);
    Channel->SetFillColor(clBlue);
    Channel->SetFillReference(20);
    Channel->AddXY(10, 60);
    Channel->AddXY(50, 60);
    Channel->AddXNull(60);  // the fill breaks with the trace
    Channel->AddXY(70, 60);
    Channel->AddXY(90, 60);
    Paint();
    EXPECT_EQ(At(30, 40), clBlue);
    EXPECT_EQ(At(30, 10), kBack);  // below the reference
    EXPECT_EQ(At(30, 70), kBack);  // above the trace
    EXPECT_EQ(At(30, 60), clRed);  // the trace over its fill
    EXPECT_EQ(At(55, 40), kBack);
    EXPECT_EQ(At(80, 40), clBlue);
    Channel->SetInterpolationStyle(ipistCubicSpline);  // the straight fill is for straight traces
    Channel->SetFillStyle(bsClear);
    Paint();
    EXPECT_EQ(At(30, 40), kBack);
}

TEST_F(TraceTest, StepTracesHoldEachValueToTheNextPoint)
{
    Channel->AddXY(20, 20);
    Channel->AddXY(60, 60);
    for (TiPlotInterpolationStyle style : {ipistDifferential, ipistDifferentialTerminated}) {
        SCOPED_TRACE(int(style));
        Channel->SetInterpolationStyle(style);
        Paint();
        EXPECT_EQ(At(40, 20), clRed);                                       // the first value holds...
        EXPECT_EQ(At(40, 40), kBack);                                       // no slope
        EXPECT_EQ(At(60, 40), clRed);                                       // ...and steps at the next X
        EXPECT_EQ(At(80, 60), style == ipistDifferential ? clRed : kBack);  // to the right edge
    }
    // Data wholly left of the axis range draws nothing, steps included.
    SetUpAxes(200, 100);
    Paint();
    EXPECT_FALSE(Channel->ReadyToDraw());
    EXPECT_FALSE(AnyDrawn());
}

// A channel whose X decreases holds its newest value toward the axis Min, the way its data
// runs. The axis maximum lies behind the older points: a line there at the newest value would
// cross all of them at a level they never had.
TEST_F(TraceTest, ADecreasingStepTraceRunsItsLastValueTowardMin)
{
    Channel->AddXY(60, 20);
    Channel->AddXY(20, 60);
    Channel->SetInterpolationStyle(ipistDifferential);
    Paint();
    EXPECT_EQ(At(40, 20), clRed);  // the first value holds to the next X...
    EXPECT_EQ(At(20, 40), clRed);  // ...and steps there
    EXPECT_EQ(At(10, 60), clRed);  // the last value runs on toward Min
    EXPECT_EQ(At(40, 60), kBack);
    EXPECT_EQ(At(80, 60), kBack);
    SavePNG(m_bitmap, "iPlotTraceDrawing_decreasing_steps.png");
}

// A digital run with fill on is filled between FillReference and its level; a clear fill
// style outlines that area in the fill colour instead.
TEST_F(TraceTest, DigitalFillWithAClearStyleOutlinesTheRuns)
{
    Channel->SetDigitalEnabled(true);
    Channel->SetDigitalReferenceLow(20);
    Channel->SetDigitalReferenceHigh(80);
    Channel->SetFillReference(5);
    Channel->SetFillUseChannelColor(false);
    Channel->SetFillColor(clBlue);
    const double ys[] = {0, 0, 5, 5, 0};
    for (int i = 0; i < 5; ++i)
        Channel->AddXY(10 + 10 * i, ys[i]);
    struct Case {
        const char* why;
        bool enabled;
        TBrushStyle style;
        bool outline, inside;
    };
    const Case cases[] = {
        {"no fill", false, bsSolid, false, false},
        {"a clear fill outlines", true, bsClear, true, false},
        {"a solid fill fills", true, bsSolid, true, true},
    };
    // One pixel's play either way: the outline's edges lie on the pixels of their values.
    auto near = [&](double x, double y) { return AnyIn(Rect(PX(x) - 1, PY(y) - 1, PX(x) + 2, PY(y) + 2), clBlue); };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.why);
        Channel->SetFillEnabled(c.enabled);
        Channel->SetFillStyle(c.style);
        Paint();
        EXPECT_EQ(near(20, 5), c.outline);   // the low run's bottom edge, at FillReference
        EXPECT_EQ(near(10, 12), c.outline);  // its left edge
        EXPECT_EQ(near(40, 5), c.outline);   // the high run's bottom edge
        EXPECT_EQ(At(20, 12) == clBlue, c.inside);
        EXPECT_EQ(At(20, 20), clRed);  // the trace over its fill
        if (c.enabled && c.style == bsClear)
            SavePNG(m_bitmap, "iPlotTraceDrawing_digital_clear_fill.png");
    }
}

TEST_F(TraceTest, DigitalTracesRunAtTheirLevels)
{
    Channel->SetDigitalEnabled(true);
    Channel->SetDigitalReferenceLow(10);
    Channel->SetDigitalReferenceHigh(90);
    const double ys[] = {0, 0, 5, 5, 0};
    for (int i = 0; i < 5; ++i)
        Channel->AddXY(10 + 10 * i, ys[i]);
    // In this fixture the Y axis spans the data view, so percent and scale levels agree.
    for (TiPlotDigitalReferenceStyle style : {ipdrScale, ipdrPercent}) {
        SCOPED_TRACE(int(style));
        Channel->SetDigitalReferenceStyle(style);
        Paint();
        EXPECT_EQ(At(20, 10), clRed);  // low from the first X to the third
        EXPECT_EQ(At(30, 50), clRed);  // the rise at the third X
        EXPECT_EQ(At(40, 90), clRed);  // high to the fifth X
        EXPECT_EQ(At(50, 50), clRed);  // the fall there
        EXPECT_EQ(At(40, 10), kBack);
        EXPECT_EQ(At(55, 10), kBack);  // the last single-point run draws nothing
        EXPECT_EQ(Channel->DigitalHighPixel(), PY(90));
    }
    // Percent levels follow the data view, not the Y axis.
    Host.DataView = Rect(100, 250, 500, 450);
    Paint();
    EXPECT_EQ(Pixel(PX(40), 250 + 20), clRed);
}

TEST_F(TraceTest, BarsAreAtLeastOnePixelWide)
{
    Channel->SetBarEnabled(true);
    Channel->SetTraceVisible(false);
    Channel->SetBarReference(0);
    Channel->SetBarWidth(10);
    Channel->AddXY(30, 50);
    Paint();
    EXPECT_EQ(At(30, 25), clRed);
    EXPECT_EQ(At(26, 25), clRed);
    EXPECT_EQ(At(36, 25), kBack);
    EXPECT_EQ(At(30, 60), kBack);
    Channel->SetBarWidth(0);
    Paint();
    EXPECT_EQ(At(30, 25), clRed);
    EXPECT_EQ(Pixel(PX(30) + 1, PY(25)), kBack);
}

TEST_F(TraceTest, HighLowBarsAndCandlesticks)
{
    Channel->SetDataStyle(ipdsFullFeature);
    Channel->SetTraceVisible(false);
    Channel->SetHighLowEnabled(true);
    Channel->SetHighLowBarWidth(0);  // narrower than a pixel: still one pixel
    Channel->SetHighLowOpenWidth(2);
    Channel->SetHighLowCloseWidth(2);
    Channel->AddHighLow(50, 80, 20, 40, 60);
    Paint();
    const int x = PX(50);
    EXPECT_EQ(Pixel(x, PY(50)), Channel->HighLowBarColor());
    EXPECT_EQ(Pixel(x + 1, PY(50)), kBack);
    EXPECT_EQ(Pixel(x - 4, PY(40)), Channel->HighLowOpenColor());   // open tick on the left
    EXPECT_EQ(Pixel(x + 4, PY(60)), Channel->HighLowCloseColor());  // close tick on the right
    EXPECT_EQ(Pixel(x, PY(85)), kBack);

    Channel->SetHighLowStyle(iphlsCandleStick);
    Channel->SetHighLowBarWidth(4);
    Paint();
    EXPECT_EQ(Pixel(x, PY(75)), Channel->HighLowShadowColor());  // the wick
    EXPECT_EQ(Pixel(x + 2, PY(50)), Channel->HighLowBullishColor());
    Channel->SetDataClose(0, 30);
    Paint();
    EXPECT_EQ(Pixel(x + 2, PY(35)), Channel->HighLowBearishColor());
    Channel->SetDataClose(0, 40);  // Open = Close: a one-pixel body, all outline
    Paint();
    EXPECT_EQ(Pixel(x + 2, PY(40)), Channel->HighLowShadowColor());
    EXPECT_EQ(Pixel(x + 2, PY(40) + 1), kBack);
    EXPECT_EQ(Pixel(x + 2, PY(40) - 1), kBack);
}

TEST_F(TraceTest, CurvesPassThroughThePointsAndFillThePixelList)
{
    // A gentle rise, which a rational function follows without poles.
    Channel->AddXY(10, 30);
    Channel->AddXY(40, 60);
    Channel->AddXY(70, 72);
    Channel->AddXY(90, 78);
    for (TiPlotInterpolationStyle style : {ipistCubicSpline, ipistPolynomial, ipistRational}) {
        SCOPED_TRACE(int(style));
        Channel->SetInterpolationStyle(style);
        Paint();
        for (double x : {10.0, 40.0, 70.0})
            EXPECT_TRUE(AnyIn(Rect(PX(x) - 1, PY(Channel->GetDataY(Channel->CalcIndex(x))) - 1, PX(x) + 2,
                                   PY(Channel->GetDataY(Channel->CalcIndex(x))) + 2),
                              clRed));
        const auto& column = Channel->PixelList()[size_t(PX(40) - Channel->PixelStart())];
        EXPECT_FALSE(column.Empty);
        EXPECT_NEAR(column.Value, 60, 1);
        EXPECT_TRUE(Channel->PixelList()[0].Empty);  // left of the data
    }
}

TEST_F(TraceTest, ASplineThroughRepeatedXDrawsNothingAndThePaintGoesOn)
{
    Channel->SetInterpolationStyle(ipistCubicSpline);
    Channel->AddXY(10, 10);
    Channel->AddXY(10, 50);
    Channel->AddXY(40, 20);
    auto other = NewChannel();
    other->SetColor(clLime);
    other->AddXY(10, 80);
    other->AddXY(90, 80);
    Paint();
    other->DrawSetup(Canvas());
    other->Draw(Canvas(), kBack);
    EXPECT_FALSE(AnyIn(Rect(0, 0, 640, 480), clRed));
    EXPECT_EQ(At(50, 80), clLime);
}

TEST_F(TraceTest, ClipToAxesStopsTheTraceAtTheAxisRange)
{
    Channel->AddXY(10, 50);
    Channel->AddXY(30, 150);  // runs above the Y axis range
    const TRect aboveRange = Rect(PX(10), PY(100) - 10, PX(30), PY(100) - 9);
    Paint();
    EXPECT_TRUE(AnyIn(aboveRange, clRed));
    Channel->SetClipToAxes(true);
    Paint();
    EXPECT_FALSE(AnyIn(aboveRange, clRed));
    EXPECT_TRUE(AnyIn(Rect(PX(10), PY(100) + 1, PX(30), PY(100) + 2), clRed));  // up to the edge
}

// With X shown vertically every style exchanges its pixel coordinates.
TEST_F(TraceTest, ReversedAxesExchangeThePixels)
{
    Channel->SetXYAxesReversed(true);
    Channel->AddXY(10, 50);
    Channel->AddXY(20, 50);
    Channel->SetBarEnabled(true);
    Channel->SetBarWidth(2);
    Channel->SetBarReference(25);
    Channel->SetBarBrushUseChannelColor(false);
    Channel->SetBarBrushColor(clBlue);
    for (bool fast : {false, true}) {
        SCOPED_TRACE(fast);
        Channel->SetFastDrawEnabled(fast);
        Paint();
        EXPECT_EQ(Pixel(PY(50), PX(15)), clRed);  // the trace runs down the X pixels
        EXPECT_EQ(Pixel(PX(15), PY(50)), kBack);
        EXPECT_EQ(Pixel(PY(40), PX(20)), clBlue);  // a bar lies across, from its reference
        EXPECT_EQ(Pixel(PY(20), PX(20)), kBack);
    }
}

// A gallery of every style, written for a person to look at.
TEST_F(TraceTest, GalleryOfStyles)
{
    struct Panel {
        const char* Title;
        std::function<void(TiPlotChannel&)> Setup;
    };
    auto wave = [](TiPlotChannel& c, int n) {
        for (int i = 0; i < n; ++i)
            c.AddXY(5 + 90.0 * i / (n - 1), 50 + 35 * std::sin(i * 6.28 / (n - 1) * 1.5));
    };
    const std::vector<Panel> panels = {
        {"segments", [&](TiPlotChannel& c) { wave(c, 12); }},
        {"fast min/max",
         [&](TiPlotChannel& c) {
             c.SetFastDrawEnabled(true);
             std::mt19937 r(7);
             for (int i = 0; i < 20000; ++i)
                 c.AddXY(i * 100.0 / 20000, 50 + 30 * std::sin(i / 2000.0) + std::normal_distribution<>(0, 6)(r));
         }},
        {"dashed + markers",
         [&](TiPlotChannel& c) {
             wave(c, 12);
             c.SetTraceLineStyle(iplsDash);
             c.SetMarkersVisible(true);
             c.SetMarkersSize(3);
         }},
        {"wide pen",
         [&](TiPlotChannel& c) {
             wave(c, 12);
             c.SetTraceLineWidth(3);
         }},
        {"cubic spline",
         [&](TiPlotChannel& c) {
             wave(c, 7);
             c.SetInterpolationStyle(ipistCubicSpline);
             c.SetMarkersVisible(true);
         }},
        {"polynomial",
         [&](TiPlotChannel& c) {
             wave(c, 7);
             c.SetInterpolationStyle(ipistPolynomial);
             c.SetMarkersVisible(true);
         }},
        {"rational",
         [&](TiPlotChannel& c) {
             for (int i = 0; i < 7; ++i)
                 c.AddXY(5 + 15 * i, 90 - 80 / (1 + i * 0.8));
             c.SetInterpolationStyle(ipistRational);
             c.SetMarkersVisible(true);
         }},
        {"step + fill",
         [&](TiPlotChannel& c) {
             wave(c, 10);
             c.SetInterpolationStyle(ipistDifferential);
             c.SetFillEnabled(true);
             c.SetFillUseChannelColor(false);
             c.SetFillColor(0x604000);
         }},
        {"fill hatched",
         [&](TiPlotChannel& c) {
             wave(c, 12);
             c.SetFillEnabled(true);
             c.SetFillStyle(bsFDiagonal);
             c.SetFillReference(50);
         }},
        {"digital",
         [&](TiPlotChannel& c) {
             const int ys[] = {0, 0, 1, 1, 1, 0, 1, 0, 0, 1, 1, 0};
             for (int i = 0; i < 12; ++i)
                 c.AddXY(5 + 8 * i, ys[i]);
             c.SetDigitalEnabled(true);
             c.SetDigitalReferenceLow(20);
             c.SetDigitalReferenceHigh(80);
             c.SetMarkersVisible(true);
             c.SetMarkersSize(2);
         }},
        {"bars",
         [&](TiPlotChannel& c) {
             wave(c, 12);
             c.SetBarEnabled(true);
             c.SetBarWidth(5);
             c.SetBarReference(10);
             c.SetBarBrushUseChannelColor(false);
             c.SetBarBrushColor(0x404080);
         }},
        {"high-low",
         [&](TiPlotChannel& c) {
             c.SetDataStyle(ipdsFullFeature);
             c.SetTraceVisible(false);
             c.SetHighLowEnabled(true);
             c.SetHighLowBarWidth(1);
             c.SetHighLowOpenWidth(3);
             c.SetHighLowCloseWidth(3);
             for (int i = 0; i < 10; ++i)
                 c.AddHighLow(8 + 9 * i, 70 + (i % 3) * 5, 30 - (i % 2) * 5, 40 + i * 2, 60 - i * 2);
         }},
        {"candlesticks",
         [&](TiPlotChannel& c) {
             c.SetDataStyle(ipdsFullFeature);
             c.SetTraceVisible(false);
             c.SetHighLowEnabled(true);
             c.SetHighLowStyle(iphlsCandleStick);
             c.SetHighLowBarWidth(5);
             for (int i = 0; i < 10; ++i)
                 c.AddHighLow(8 + 9 * i, 75 + (i % 3) * 5, 25 - (i % 2) * 5, 40 + i * 2, 60 - i * 2);
         }},
    };
    std::vector<TiPlotMarkerStyle> markers = {ipmsCircle,        ipmsSquare,       ipmsDiamond,        ipmsCross,
                                              ipmsPlus,          ipmsTriangleUp,   ipmsTriangleDown,   ipmsTriangleLeft,
                                              ipmsTriangleRight, ipmsVerticalLine, ipmsHorizontalLine, ipmsCharacter};
    const int cols = 4, cell = 404;
    const int rows = int(panels.size() + 1 + cols - 1) / cols;
    TBitmap gallery;
    gallery.SetSize(cols * cell, rows * cell);
    auto place = [&](int index, const char* title) {
        const int gx = (index % cols) * cell + 2, gy = (index / cols) * cell + 2;
        // The data area only: the axes stay out of the picture.
        TBitmap area;
        area.SetSize(400, 400);
        area.Canvas().Draw(-100, -50, m_bitmap);
        gallery.Canvas().Draw(gx, gy, area);
        gallery.Canvas().Font().SetColor(clWhite);
        gallery.Canvas().Brush().SetStyle(bsClear);
        gallery.Canvas().TextOut(gx + 6, gy + 4, title);
    };
    for (size_t i = 0; i < panels.size(); ++i) {
        auto channel = NewChannel();
        channel->SetColor(clYellow);
        panels[i].Setup(*channel);
        Paint(*channel);
        place(int(i), panels[i].Title);
    }
    // The twelve markers on one panel.
    auto channel = NewChannel();
    channel->SetDataStyle(ipdsFullFeature);
    channel->SetTraceVisible(false);
    channel->SetMarkersVisible(true);
    channel->SetMarkersAllowIndividual(true);
    channel->SetMarkersBrushUseChannelColor(false);
    channel->SetMarkersBrushColor(0x008000);
    channel->SetColor(clAqua);
    for (size_t i = 0; i < markers.size(); ++i) {
        const int index = channel->AddXY(15 + 23.0 * (i % 4), 80 - 25.0 * double(i / 4));
        channel->SetDataMarkerStyle(index, markers[i]);
        channel->SetDataMarkerSize(index, 8);
        channel->SetDataMarkerCharacter(index, 'A');
    }
    Paint(*channel);
    place(int(panels.size()), "markers");
    SavePNG(gallery, "iPlotTraceDrawing_gallery.png");
}
