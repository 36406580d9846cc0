#include "plot/objects/iPlotLimit.h"

#include "ChannelTestSupport.h"

#include "platform/canvas/ImageCodecs.h"
#include "platform/canvas/SystemColors.h"
#include "platform/gui/TestHooks.h"
#include "plot/control/iPlot.h"
#include "plot/core/iPlotManagers.h"
#include "plot/objects/iPlotDataView.h"
#include "plot/objects/iPlotToolBar.h"

#include <cmath>
#include <cstdio>

namespace {

constexpr TColor kBack = clBlack;
constexpr TColor kRed = 0x0000FF;

void SavePNG(const TBitmap& bitmap, const std::string& name)
{
    const TBytes bytes = EncodePNG(bitmap, 9);
    std::FILE* file = std::fopen(name.c_str(), "wb");
    ASSERT_NE(file, nullptr);
    std::fwrite(bytes.data(), 1, bytes.size(), file);
    std::fclose(file);
}

// The channel host that also records the limits' line-position events and answers for the
// plot's select mode.
class LimitHost : public ChannelHost {
public:
    void DoLimitLine1PositionChange(TiPlotObject*, double oldValue, double newValue) override
    {
        Events.push_back("Line1 " + Text(oldValue) + ">" + Text(newValue));
    }
    void DoLimitLine2PositionChange(TiPlotObject*, double oldValue, double newValue) override
    {
        Events.push_back("Line2 " + Text(oldValue) + ">" + Text(newValue));
    }
    void DoGetMouseCursor(TiPlotObject*, TCursor&) override { Events.push_back("Cursor"); }

    static std::string Text(double value)
    {
        char buffer[32];
        std::snprintf(buffer, sizeof buffer, "%g", value);
        return buffer;
    }
};

TNotifyEvent Ignore()
{
    return [](TObject*) {};
}

}  // namespace

// A limit on an X axis "X" (0 .. 100 over pixels 100 .. 500) and a Y axis "Y" (0 .. 100 over
// pixels 450 .. 50), painted on a black 640 x 480 bitmap.
class LimitTest : public testing::Test {
protected:
    LimitTest()
    {
        m_bitmap.SetSize(640, 480);
        m_xAxis = std::make_unique<TiPlotXAxis>(&Host, Ignore(), Ignore(), Ignore(), Ignore());
        m_yAxis = std::make_unique<TiPlotYAxis>(&Host, Ignore(), Ignore(), Ignore(), Ignore());
        m_xAxis->SetName("X");
        m_yAxis->SetName("Y");
        for (TiPlotAxis* axis : {static_cast<TiPlotAxis*>(m_xAxis.get()), static_cast<TiPlotAxis*>(m_yAxis.get())}) {
            axis->SetMinSpan(0, 100);
            axis->SetTrackingEnabled(false);
        }
        m_xAxis->SetDrawRect({100, 400, 500, 440});
        m_yAxis->SetDrawRect({20, 50, 80, 450});
        m_xAxis->CalcTicks(Canvas());
        m_yAxis->CalcTicks(Canvas());
        Host.XAxis = m_xAxis.get();
        Host.YAxis = m_yAxis.get();
        Limit = std::make_unique<TiPlotLimit>(
            &Host, [this](TObject*) { ++Changes; }, Ignore(), Ignore(), Ignore());
        Limit->SetXAxisName("X");
        Limit->SetYAxisName("Y");
        Changes = 0;
    }

    TCanvas& Canvas() { return m_bitmap.Canvas(); }
    int X(double v) const { return m_xAxis->PositionToPixels(v); }
    int Y(double v) const { return m_yAxis->PositionToPixels(v); }
    TColor At(int x, int y) { return Canvas().GetPixel(x, y); }
    void Paint()
    {
        Canvas().Brush().SetStyle(bsSolid);
        Canvas().Brush().SetColor(kBack);
        Canvas().FillRect(Rect(0, 0, 640, 480));
        Limit->Draw(Canvas(), kBack);
    }
    int CountIn(const TRect& r, TColor color)
    {
        int n = 0;
        for (int y = r.Top; y < r.Bottom; ++y)
            for (int x = r.Left; x < r.Right; ++x)
                n += At(x, y) == color;
        return n;
    }
    // A left-button press, one move, the repaint that the move asks for, and the release,
    // through the object's mouse protocol.
    void Drag(TPoint from, TPoint to, TPoint release)
    {
        TiHintData hint;
        Limit->iMouseDown(mbLeft, {}, from.X, from.Y, from.X, from.Y, nullptr);
        Limit->iMouseMove(hint, {}, to.X, to.Y, to.X, to.Y, false);
        Paint();
        Limit->iMouseUp(mbLeft, {}, release.X, release.Y, release.X, release.Y, false, nullptr);
    }

    TRegionGuard m_region;
    TBitmap m_bitmap;
    LimitHost Host;
    std::unique_ptr<TiPlotXAxis> m_xAxis;
    std::unique_ptr<TiPlotYAxis> m_yAxis;
    std::unique_ptr<TiPlotLimit> Limit;
    int Changes = 0;
};

// ---------------------------------------------------------------------------------------------
// The band-element list

TEST(LimitDataListTest, GrowsBy4Then16ThenAQuarter)
{
    TiLimitDataList list;
    std::vector<int> capacities;
    for (int i = 0; i < 100; ++i) {
        EXPECT_EQ(list.Add(i, i + 1, i + 2), i);
        if (capacities.empty() || capacities.back() != list.Capacity())
            capacities.push_back(list.Capacity());
    }
    // 8 still grows by 4 and 60 by 16; from 76 on by a quarter (integer division).
    EXPECT_EQ(capacities, (std::vector<int>{4, 8, 12, 28, 44, 60, 76, 95, 118}));
    EXPECT_EQ(list.Count(), 100);
    EXPECT_EQ(list.GetItem3(99), 101);
}

TEST(LimitDataListTest, CapacityAndIndexErrorsChangeNothing)
{
    TiLimitDataList list;
    for (int i = 0; i < 6; ++i)
        list.Add(i, 10 * i, -i);
    const struct {
        int capacity;
        const char* why;
    } refused[] = {
        {TiLimitDataList::kMaxListSize + 1, "one above the largest list"},
        {-1, "a negative size would resize the block negatively"},
        {-2147483647 - 1, "the most negative size"},
    };
    for (const auto& row : refused) {
        SCOPED_TRACE(row.why);
        ExpectMessage([&] { list.SetCapacity(row.capacity); }, "Exceed Maximum List Size");
        EXPECT_EQ(list.Count(), 6);
        EXPECT_EQ(list.Capacity(), 8);
        EXPECT_EQ(list.GetItem2(5), 50);
    }
    for (int index : {-1, 6, 8})
        ExpectMessage([&] { list.GetItem(index); }, "Index out of Bounds");
    ExpectMessage([&] { list.SetItem1(6, 1); }, "Index out of Bounds");

    list.SetItem2(2, 99);
    EXPECT_EQ(list.GetItem2(2), 99);
    EXPECT_EQ(list.GetItem1(2), 2);
    // A smaller capacity keeps the leading elements and cuts the count.
    list.SetCapacity(3);
    EXPECT_EQ(list.Count(), 3);
    EXPECT_EQ(list.GetItem2(2), 99);
    ExpectMessage([&] { list.GetItem(3); }, "Index out of Bounds");
    list.Clear();
    EXPECT_EQ(list.Count(), 0);
    EXPECT_EQ(list.Capacity(), 0);
}

// ---------------------------------------------------------------------------------------------
// Properties, events, axes

TEST_F(LimitTest, LinePositionChangesFireTheLineEventsOnce)
{
    Limit->SetLine1Position(70);
    Limit->SetLine1Position(70);
    Limit->SetLine2Position(-1e9);  // no clamping
    Limit->SetLine2Position(-1e9);
    EXPECT_EQ(Host.Events, (Log{"Line1 50>70", "Line2 50>-1e+09"}));
    EXPECT_EQ(Changes, 2);
    EXPECT_EQ(Limit->Line2Position(), -1e9);
}

TEST_F(LimitTest, AxesAreFoundByNameDroppedOnRemovalAndFollowedOnRename)
{
    EXPECT_EQ(Limit->GetXAxis(), m_xAxis.get());
    EXPECT_EQ(Limit->GetYAxis(), m_yAxis.get());
    // Changing either name repaints and drops the cached axis.
    Limit->SetYAxisName("Other");
    EXPECT_EQ(Changes, 1);
    EXPECT_EQ(Limit->GetYAxis(), nullptr);
    Limit->SetYAxisName("y");  // names compare without letter case
    EXPECT_EQ(Limit->GetYAxis(), m_yAxis.get());
    Limit->SetXAxisName("Gone");
    EXPECT_EQ(Changes, 3);

    Limit->SetXAxisName("X");
    ASSERT_EQ(Limit->GetXAxis(), m_xAxis.get());
    m_xAxis->SetName("Time");
    Limit->NotificationRename(m_xAxis.get());
    EXPECT_EQ(Limit->XAxisName(), "Time");
    Changes = 0;
    Limit->NotificationRemove(m_xAxis.get());
    Host.XAxis = nullptr;
    EXPECT_EQ(Limit->GetXAxis(), nullptr);
    Paint();  // without its X axis nothing is drawn
    EXPECT_EQ(CountIn(Rect(0, 0, 640, 480), kRed), 0);
    EXPECT_EQ(Changes, 0);
}

TEST_F(LimitTest, BandElementsRefuseALowerAboveTheUpperValue)
{
    Limit->AddBandElement(1, 5, 5);
    ExpectMessage([&] { Limit->AddBandElement(1, 4, 5); },
                  "the Upper Limit must be greater than or equal to the Lower Limit");
    EXPECT_EQ(Limit->BandElements().Count(), 1);
    EXPECT_EQ(Changes, 1);
    Limit->ClearAllElements();
    EXPECT_EQ(Limit->BandElements().Count(), 0);
    EXPECT_EQ(Changes, 2);
}

TEST_F(LimitTest, FillTypeAndPositionAxisFollowTheStyle)
{
    const struct {
        TiPlotLimitStyle style;
        TBrushStyle fill;
        bool fillType;
        TiPlotLimitLinePositionAxis axis;
    } rows[] = {
        {iplsLineX, bsSolid, false, iplpaXAxis},    {iplsLineY, bsCross, false, iplpaYAxis},
        {iplsBandX, bsSolid, true, iplpaXAxis},     {iplsBandY, bsClear, false, iplpaYAxis},
        {iplsBandY, bsDiagCross, true, iplpaYAxis}, {iplsPolyBandX, bsClear, true, iplpaXAxis},
        {iplsPolyBandY, bsSolid, true, iplpaYAxis},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(int(row.style));
        Limit->SetStyle(row.style);
        Limit->SetFillStyle(row.fill);
        EXPECT_EQ(Limit->GetIsFillType(), row.fillType);
        EXPECT_EQ(Limit->GetLinePositionAxis(), row.axis);
    }
}

// ---------------------------------------------------------------------------------------------
// Drawing

TEST_F(LimitTest, LinesAreDrawnOnlyWithinTheirAxisRange)
{
    const struct {
        TiPlotLimitStyle style;
        double position;
        bool drawn;
    } rows[] = {
        {iplsLineY, 25, true}, {iplsLineY, 100, true}, {iplsLineY, 150, false},
        {iplsLineX, 0, true},  {iplsLineX, 60, true},  {iplsLineX, -0.5, false},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(std::to_string(row.style) + " at " + std::to_string(row.position));
        Limit->SetStyle(row.style);
        Limit->SetLine1Position(row.position);
        Paint();
        EXPECT_EQ(Limit->LineDrawn(0), row.drawn);
        EXPECT_FALSE(Limit->LineDrawn(1));
        if (row.style == iplsLineY) {
            const int y = Y(row.position);
            EXPECT_EQ(CountIn(Rect(101, y, 499, y + 1), kRed), row.drawn ? 398 : 0);
        } else {
            const int x = X(row.position);
            EXPECT_EQ(CountIn(Rect(x, 51, x + 1, 449), kRed), row.drawn ? 398 : 0);
        }
        EXPECT_EQ(CountIn(Rect(0, 0, 640, 480), kRed) > 0, row.drawn);
    }
}

TEST_F(LimitTest, BandsFillOrOutlineByFillStyle)
{
    Limit->SetStyle(iplsBandY);
    Limit->SetLine1Position(20);
    Limit->SetLine2Position(60);
    const int top = Y(60), bottom = Y(20);
    const TRect inside = Rect(150, top + 3, 450, bottom - 3);
    const int area = inside.Width() * inside.Height();

    Limit->SetFillStyle(bsSolid);
    Paint();
    EXPECT_EQ(CountIn(inside, kRed), area);
    EXPECT_TRUE(Limit->LineDrawn(0) && Limit->LineDrawn(1));
    EXPECT_EQ(At(300, top - 2), kBack);

    // Clear: the two lines, nothing between them.
    Limit->SetFillStyle(bsClear);
    Paint();
    EXPECT_EQ(CountIn(inside, kRed), 0);
    EXPECT_EQ(At(300, top), kRed);
    EXPECT_EQ(At(300, bottom), kRed);

    // Hatched: filled without an outline (the canvas fills a hatch's gaps with the brush's
    // colour in opaque mode), then both lines whole.
    Limit->SetFillStyle(bsHorizontal);
    Paint();
    EXPECT_EQ(CountIn(inside, kRed), area);
    EXPECT_EQ(CountIn(Rect(101, top, 499, top + 1), kRed), 398);
    EXPECT_EQ(CountIn(Rect(101, bottom, 499, bottom + 1), kRed), 398);
}

TEST_F(LimitTest, PolygonBandsFollowTheirElements)
{
    // Positions up the Y axis, limit values on the X axis.
    Limit->SetStyle(iplsPolyBandX);
    Limit->AddBandElement(10, 40, 20);
    Paint();  // a single element draws nothing
    EXPECT_EQ(CountIn(Rect(0, 0, 640, 480), kRed), 0);

    Limit->AddBandElement(50, 80, 60);
    Paint();
    EXPECT_EQ(At((X(20) + X(40)) / 2, Y(10) - 2), kRed);  // near the first element's middle
    EXPECT_EQ(At((X(60) + X(80)) / 2, Y(50) + 2), kRed);
    EXPECT_EQ(At(X(30), Y(50) + 2), kBack);  // left of the band at its top
    EXPECT_FALSE(Limit->LineDrawn(0) || Limit->LineDrawn(1));

    // Clear: only the two edge lines A-C and B-D.
    Limit->SetFillStyle(bsClear);
    Paint();
    const int midY = Y(30);
    EXPECT_EQ(At((X(40) + X(60)) / 2, midY), kBack);
    EXPECT_GT(CountIn(Rect(X(35), midY, X(45), midY + 1), kRed), 0);  // B-D passes x(40) half-way
    EXPECT_GT(CountIn(Rect(X(55), midY, X(65), midY + 1), kRed), 0);  // A-C passes x(60)

    // Along the X axis the roles exchange: positions on X, limit values on Y.
    Limit->SetStyle(iplsPolyBandY);
    Limit->SetFillStyle(bsSolid);
    Paint();
    EXPECT_EQ(At(X(10) + 2, (Y(20) + Y(40)) / 2), kRed);
    EXPECT_EQ(At(X(50) - 2, (Y(60) + Y(80)) / 2), kRed);
    EXPECT_EQ(At(X(10) + 2, (Y(60) + Y(80)) / 2), kBack);
}

TEST_F(LimitTest, ReversedAxesExchangeThePixelsAndClipToAxesKeepsInside)
{
    // X shown vertically: an X line is horizontal.
    m_xAxis->SetHorizontal(false);
    m_xAxis->SetDrawRect({20, 50, 80, 450});
    m_yAxis->SetHorizontal(true);
    m_yAxis->SetDrawRect({100, 400, 500, 440});
    m_xAxis->CalcTicks(Canvas());
    m_yAxis->CalcTicks(Canvas());
    Limit->SetXYAxesReversed(true);
    Limit->SetStyle(iplsLineX);
    Limit->SetLine1Position(50);
    Paint();
    const int row = m_xAxis->PositionToPixels(50);
    EXPECT_EQ(CountIn(Rect(101, row, 499, row + 1), kRed), 398);
    EXPECT_TRUE(PtInRect(Limit->LineHitRect(0), {300, row + 4}));
    EXPECT_FALSE(PtInRect(Limit->LineHitRect(0), {300, row + 6}));

    // A band reaching beyond the axes is cut at them when clipped.
    Limit->SetStyle(iplsBandX);
    Limit->SetLine1Position(40);
    Limit->SetLine2Position(300);
    Paint();
    EXPECT_EQ(At(300, 30), kRed);
    Limit->SetClipToAxes(true);
    Paint();
    EXPECT_EQ(At(300, 30), kBack);
    EXPECT_EQ(At(300, 100), kRed);

    // Lines at both ends of an axis stay inside the clipped area.
    Limit->SetStyle(iplsLineY);
    for (double position : {0.0, 100.0}) {
        Limit->SetLine1Position(position);
        Paint();
        const int column = m_yAxis->PositionToPixels(position);
        EXPECT_EQ(CountIn(Rect(column, 51, column + 1, 449), kRed), 398) << position;
    }
}

// ---------------------------------------------------------------------------------------------
// Mouse

TEST_F(LimitTest, DragSequences)
{
    // Each row: the limit, the plot's select mode, a press, a move and a release; what the
    // plot heard and where the lines ended up (line 1 starts at 40, y 290 or x 260; line 2
    // at 80, y 130 or x 420).
    const struct {
        const char* why;
        TiPlotLimitStyle style;
        bool userCanMove;
        bool selectOnly;
        bool selectMode;
        TPoint from, to, release;
        Log events;
        double line1, line2;
    } rows[] = {
        {"a Y line dragged up from 40 to 60 fires while moving and clicks at the release",
         iplsLineY,
         true,
         true,
         true,
         {300, 290},
         {300, 210},
         {300, 210},
         {"Line1 40>60", "ObjectClick"},
         60,
         80},
        {"outside select mode the line is not taken",
         iplsLineY,
         true,
         true,
         false,
         {300, 290},
         {300, 210},
         {300, 210},
         {},
         40,
         80},
        {"unless the limit reacts in every mode",
         iplsLineY,
         true,
         false,
         false,
         {300, 292},
         {300, 250},
         {300, 250},
         {"Line1 40>50", "ObjectClick"},
         50,
         80},
        {"a fixed limit does not move", iplsLineY, false, false, true, {300, 290}, {300, 210}, {300, 210}, {}, 40, 80},
        {"6 pixels off the line misses it",
         iplsLineY,
         true,
         true,
         true,
         {300, 296},
         {300, 210},
         {300, 210},
         {},
         40,
         80},
        {"a band's second line is taken where the first is not",
         iplsBandX,
         true,
         true,
         true,
         {420, 300},
         {460, 300},
         {460, 300},
         {"Line2 80>90", "ObjectClick"},
         40,
         90},
        {"released away from the line: moved, but no click",
         iplsBandX,
         true,
         true,
         true,
         {260, 300},
         {200, 300},
         {320, 300},
         {"Line1 40>25"},
         25,
         80},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.why);
        Limit->SetStyle(row.style);
        Limit->SetUserCanMove(row.userCanMove);
        Limit->SetSelectModeOnlyInteraction(row.selectOnly);
        Host.SelectMode = row.selectMode;
        Limit->SetLine1Position(40);
        Limit->SetLine2Position(80);
        Paint();
        Host.Events.clear();
        Drag(row.from, row.to, row.release);
        EXPECT_EQ(Host.Events, row.events);
        EXPECT_EQ(Limit->Line1Position(), row.line1);
        EXPECT_EQ(Limit->Line2Position(), row.line2);
        EXPECT_FALSE(Limit->LineGrabbed(0) || Limit->LineGrabbed(1));
    }
}

TEST_F(LimitTest, ALineOutsideItsRangeCannotBeGrabbed)
{
    Limit->SetUserCanMove(true);
    Limit->SetSelectModeOnlyInteraction(false);
    Limit->SetLine1Position(150);
    Paint();
    TiPlotMouseData data;
    data.X = 300;
    data.Y = 50;  // y(100), where the line would be were it clamped
    EXPECT_FALSE(Limit->iMouseHitTest(data));
    Drag({300, 50}, {300, 250}, {300, 250});
    EXPECT_EQ(Limit->Line1Position(), 150);
}

TEST_F(LimitTest, MousePointerShowsWhatADragWouldDo)
{
    const struct {
        TiPlotLimitStyle style;
        bool userCanMove;
        bool reversed;
        TCursor cursor;
        bool asked;
    } rows[] = {
        {iplsLineY, false, false, crDefault, false}, {iplsLineY, true, false, crHandPoint, true},
        {iplsBandX, true, false, crSizeWE, true},    {iplsBandY, true, false, crSizeNS, true},
        {iplsBandY, true, true, crSizeWE, true},     {iplsBandX, true, true, crSizeNS, true},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(std::to_string(row.style) + (row.reversed ? " reversed" : ""));
        Limit->SetStyle(row.style);
        Limit->SetUserCanMove(row.userCanMove);
        Limit->SetXYAxesReversed(row.reversed);
        Paint();
        Host.Events.clear();
        EXPECT_EQ(Limit->GetMousePointer({300, 200}), row.cursor);
        EXPECT_EQ(Host.Events, row.asked ? Log{"Cursor"} : Log{});
    }
}

TEST_F(LimitTest, DragOnAnAxisWithoutLengthLeavesTheLine)
{
    Limit->SetUserCanMove(true);
    Limit->SetSelectModeOnlyInteraction(false);
    Limit->SetLine1Position(40);
    Paint();
    TiHintData hint;
    Limit->iMouseDown(mbLeft, {}, 300, Y(40), 0, 0, nullptr);
    ASSERT_TRUE(Limit->LineGrabbed(0));
    m_yAxis->SetDrawRect({20, 250, 80, 250});  // the data view squeezed to nothing
    m_yAxis->CalcTicks(Canvas());
    Limit->iMouseMove(hint, {}, 300, 100, 0, 0, false);
    EXPECT_EQ(Limit->Line1Position(), 40);
    Limit->iMouseUp(mbLeft, {}, 300, 100, 0, 0, false, nullptr);
    EXPECT_FALSE(Limit->LineGrabbed(0));
}

// ---------------------------------------------------------------------------------------------
// In a plot

TEST(LimitInPlotTest, FillLimitsLieUnderTheGridLinesOver)
{
    const TiPlotKindRegistration toolBars = TiPlotKindRegistration::Of<TiPlotToolBar>(TiPlotObjectKind::ToolBar);
    const TiPlotKindRegistration dataViews = TiPlotKindRegistration::Of<TiPlotDataView>(TiPlotObjectKind::DataView);
    TiPlot plot(nullptr);
    plot.SetBounds(0, 0, 600, 400);
    for (int i = 0; i <= 100; i += 5)
        plot.GetChannel(0)->AddXY(i, 50 + 40 * std::sin(i / 10.0));
    auto* band = dynamic_cast<TiPlotLimit*>(plot.GetLimit(plot.AddLimit()));
    auto* line = dynamic_cast<TiPlotLimit*>(plot.GetLimit(plot.AddLimit()));
    auto* poly = dynamic_cast<TiPlotLimit*>(plot.GetLimit(plot.AddLimit()));
    ASSERT_TRUE(band && line && poly);
    EXPECT_EQ(band->XAxisName(), plot.GetXAxis(0)->Name());
    band->SetStyle(iplsBandY);
    band->SetLine1Position(60);
    band->SetLine2Position(80);
    band->SetColor(0x004000);
    line->SetStyle(iplsLineY);
    line->SetLine1Position(25);
    line->SetColor(clYellow);
    line->SetLineWidth(2);
    poly->SetStyle(iplsPolyBandY);
    poly->SetColor(0x800000);
    poly->SetFillStyle(bsDiagCross);
    for (double x : {0.0, 20.0, 40.0, 60.0, 80.0, 100.0})
        poly->AddBandElement(x, 35 + x / 10, 5 + x / 10);
    std::vector<Log> events;
    plot.OnLimitLine1PositionChange = [&](TObject*, int index, double oldValue, double newValue) {
        events.push_back({std::to_string(index), LimitHost::Text(oldValue), LimitHost::Text(newValue)});
    };
    line->SetLine1Position(20);
    plot.SetLoading(true);
    line->SetLine1Position(21);
    plot.SetLoading(false);
    line->SetLine1Position(20);
    EXPECT_EQ(events, (std::vector<Log>{{"1", "25", "20"}, {"1", "21", "20"}}));

    TBitmap bitmap;
    bitmap.SetSize(600, 400);
    plot.iPaintTo(bitmap.Canvas());
    SavePNG(bitmap, "iPlotLimit_plot.png");

    auto* view = dynamic_cast<TiPlotDataView*>(plot.GetDataView(0));
    ASSERT_NE(view, nullptr);
    const TRect dv = view->GetDrawRect();
    TiPlotYAxis* yAxis = plot.GetYAxis(0);
    TiPlotXAxis* xAxis = plot.GetXAxis(0);
    // Inside the band, the grid line at the middle X tick is drawn over the fill.
    const int bandY = (yAxis->PositionToPixels(60) + yAxis->PositionToPixels(80)) / 2;
    const int gridX = xAxis->PositionToPixels(40);  // a major tick
    int fill = 0, grid = 0;
    for (int x = dv.Left + 2; x < dv.Right - 2; ++x) {
        const TColor c = bitmap.Canvas().GetPixel(x, bandY);
        fill += c == 0x004000;
        grid += c == view->GridLineColor();
    }
    EXPECT_GT(fill, (dv.Right - dv.Left) / 2);
    EXPECT_GT(grid, 0);
    EXPECT_EQ(bitmap.Canvas().GetPixel(gridX, bandY), view->GridLineColor());
    // The yellow line lies over the grid: where it crosses a grid line, the line shows.
    EXPECT_EQ(bitmap.Canvas().GetPixel(xAxis->PositionToPixels(80), yAxis->PositionToPixels(20)), clYellow);
}

TEST(LimitInPlotTest, DragsThroughTheMouse)
{
    const TiPlotKindRegistration toolBars = TiPlotKindRegistration::Of<TiPlotToolBar>(TiPlotObjectKind::ToolBar);
    const TiPlotKindRegistration dataViews = TiPlotKindRegistration::Of<TiPlotDataView>(TiPlotObjectKind::DataView);
    TestHooks::TModalScript modal;  // context menus pick nothing
    TiPlot plot(nullptr);
    plot.SetBounds(0, 0, 600, 400);
    auto* limit = dynamic_cast<TiPlotLimit*>(plot.GetLimit(plot.AddLimit()));
    ASSERT_NE(limit, nullptr);
    limit->SetUserCanMove(true);
    TBitmap screen;
    auto paint = [&] { TestHooks::GrabControl(plot, screen); };
    paint();
    TiPlotYAxis* yAxis = plot.GetYAxis(0);
    const int x = (plot.GetDataViewRect().Left + plot.GetDataViewRect().Right) / 2;
    Log log;
    // Positions to the nearest unit: a pixel spans about a third of one here.
    plot.OnLimitLine1PositionChange = [&](TObject*, int index, double oldValue, double newValue) {
        log.push_back("Line1 " + std::to_string(index) + " " + std::to_string(std::lround(oldValue)) + ">" +
                      std::to_string(std::lround(newValue)));
    };
    plot.Events(TiPlotObjectKind::Limit).OnClick = [&](TObject*, int index) {
        log.push_back("Click " + std::to_string(index));
    };

    // Each row: the plot's select mode, a press at a value, a move to another, the release
    // there after the repaint the move asked for; what the host heard.
    const struct {
        const char* why;
        bool selectMode;
        double press, to;
        Log events;
        double position;
    } rows[] = {
        {"outside select mode the line lets the press through", false, 40, 60, {}, 40},
        {"in select mode it follows the mouse and clicks at the release",
         true,
         40,
         60,
         {"Line1 0 40>60", "Click 0"},
         60},
        {"a press beside the line takes nothing", true, 75, 90, {}, 40},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.why);
        limit->SetLine1Position(40);
        plot.SetSelectModeActive(row.selectMode);
        paint();
        log.clear();
        const int from = yAxis->PositionToPixels(row.press), to = yAxis->PositionToPixels(row.to);
        TestHooks::SendMouseDown(plot, mbLeft, x, from);
        TestHooks::SendMouseMove(plot, x, to, {ssLeft});  // the button held
        paint();
        TestHooks::SendMouseUp(plot, mbLeft, x, to);
        EXPECT_EQ(log, row.events);
        EXPECT_NEAR(limit->Line1Position(), row.position, 100.0 / yAxis->GetSpanLength());
        EXPECT_FALSE(limit->LineGrabbed(0));
    }
}
