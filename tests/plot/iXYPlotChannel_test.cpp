// The XY channel: Null and Empty points, drawing in the order of the points with clipping,
// visible extremes, data cursor values and texts, a Lissajous figure in an XY plot, and the
// OPC pair source, also while the plot paints.

#include "plot/objects/iXYPlotChannel.h"

#include "plot/ChannelTestSupport.h"

#include "components/iOPCItem.h"
#include "components/iOPCManager.h"
#include "opc/OPCTestSupport.h"
#include "platform/canvas/ImageCodecs.h"
#include "platform/gui/Application.h"
#include "plot/control/iXYPlot.h"
#include "plot/objects/iPlotDataCursor.h"
#include "plot/objects/iPlotDataView.h"
#include "support/TempDir.h"

#include <chrono>
#include <cmath>
#include <cstdio>
#include <numbers>
#include <thread>

namespace {

constexpr TColor kTrace = 0x00FFFF;  // yellow
const char* const kSimulation = "Pravix.Simulation.1";

void SavePNG(const TBitmap& bitmap, const std::string& name)
{
    const TBytes bytes = EncodePNG(bitmap, 9);
    std::FILE* file = std::fopen(name.c_str(), "wb");
    ASSERT_NE(file, nullptr);
    std::fwrite(bytes.data(), 1, bytes.size(), file);
    std::fclose(file);
}

// The trace colour on the pixel or one of its eight neighbours: a slanted line may pass a
// pixel beside the exact one.
bool InkNear(TBitmap& bitmap, int x, int y)
{
    for (int dy = -1; dy <= 1; ++dy)
        for (int dx = -1; dx <= 1; ++dx)
            if (bitmap.Canvas().GetPixel(x + dx, y + dy) == kTrace)
                return true;
    return false;
}

// Some pixel of the rectangle shows the trace colour.
bool InkIn(TBitmap& bitmap, const TRect& r)
{
    for (int y = r.Top; y < r.Bottom; ++y)
        for (int x = r.Left; x < r.Right; ++x)
            if (bitmap.Canvas().GetPixel(x, y) == kTrace)
                return true;
    return false;
}

// A cursor as the channel sees it.
class FakeCursor : public TObject, public IPlotDataCursorTarget {
public:
    TiPlotDataCursorStyle Style = ipcsValueXY;
    double Pointer1 = 0;
    double Pointer2 = 0;
    double X = -1;
    double Y = -1;
    TiPlotDataPointStatus Status = ipdpsNull;
    std::string Text;

    TiPlotDataCursorStyle CursorStyle() const override { return Style; }
    double CursorPointer1Position() const override { return Pointer1; }
    double CursorPointer2Position() const override { return Pointer2; }
    void SetCursorData(double x, double y, TiPlotDataPointStatus status) override
    {
        X = x;
        Y = y;
        Status = status;
    }
    void SetCursorDisplayText(const std::string& text) override { Text = text; }
};

}  // namespace

// The channel on the host of the strip-chart tests: X 0 .. 100 over pixels 100 .. 500, Y
// 0 .. 100 over pixels 450 .. 50.
class XYChannelTest : public ChannelTest {
protected:
    XYChannelTest()
    {
        XY = std::make_unique<TiXYPlotChannel>(&Host, Count("XY"), Ignore(), Ignore(), Ignore());
        XY->SetXAxisName("X");
        XY->SetYAxisName("Y");
        XY->SetColor(kTrace);
    }

    // Draws the channel alone on a black bitmap.
    TBitmap& Draw()
    {
        m_picture.SetSize(640, 480);
        m_picture.Canvas().Brush().SetColor(clBlack);
        m_picture.Canvas().FillRect(Rect(0, 0, 640, 480));
        XY->DrawSetup(m_picture.Canvas());
        XY->Draw(m_picture.Canvas(), clBlack);
        return m_picture;
    }

    static int PX(double x) { return int(std::lround(100 + 4 * x)); }
    static int PY(double y) { return int(std::lround(450 - 4 * y)); }

    std::unique_ptr<TiXYPlotChannel> XY;
    TBitmap m_picture;
};

// ---------------------------------------------------------------------------------------------
// Null and Empty points

TEST_F(XYChannelTest, NullBreaksTheTraceAndCountsInNoStatistic)
{
    XY->AddXY(10, 10);
    XY->AddXY(20, 20);
    const int changes = Notifications["XY"];
    EXPECT_EQ(XY->AddNull(), 2);
    EXPECT_EQ(Notifications["XY"], changes + 1);
    EXPECT_TRUE(XY->GetDataNull(2));
    EXPECT_DOUBLE_EQ(XY->RunningYMean(), 15);
    EXPECT_EQ(XY->RunningCount(), 2);
    XY->AddXY(30, 30);
    EXPECT_DOUBLE_EQ(XY->RunningYMean(), 20);

    TBitmap& bitmap = Draw();
    EXPECT_TRUE(InkNear(bitmap, PX(15), PY(15))) << "the trace before the Null point";
    EXPECT_FALSE(InkNear(bitmap, PX(25), PY(25))) << "no segment across the Null point";
    // Its placeholder (0, 0) is no data: the extremes ignore it.
    EXPECT_EQ(XY->GetVisibleMinX(), 10);
    EXPECT_EQ(XY->GetVisibleMinY(), 10);
    EXPECT_EQ(XY->GetVisibleMaxX(), 30);
}

TEST_F(XYChannelTest, TheTraceRunsPastAnEmptyPoint)
{
    XY->AddXY(10, 10);
    XY->AddXY(20, 20);
    EXPECT_EQ(XY->AddEmpty(), 2);
    XY->AddXY(30, 30);
    EXPECT_EQ(XY->RunningCount(), 3);
    TBitmap& bitmap = Draw();
    EXPECT_TRUE(InkNear(bitmap, PX(25), PY(25)));
    EXPECT_FALSE(InkNear(bitmap, PX(0), PY(0))) << "nothing drawn at the placeholder";
    EXPECT_EQ(XY->GetVisibleMinX(), 10);
}

// ---------------------------------------------------------------------------------------------
// Drawing

// Points in falling X: each joins the one added before it, not its neighbour in X, and every
// segment is cut at the axes.
TEST_F(XYChannelTest, PointsAreJoinedInTheOrderAddedAndClippedToTheAxes)
{
    XY->SetClipToAxes(true);
    XY->AddXY(140, 60);  // right of the X axis
    XY->AddXY(20, 30);
    XY->AddXY(60, 90);
    XY->AddXY(30, 150);  // above the Y axis
    TBitmap& bitmap = Draw();
    SavePNG(bitmap, "iXYPlotChannel_order.png");

    EXPECT_TRUE(InkNear(bitmap, PX(60), PY(40))) << "(140, 60) to (20, 30)";
    EXPECT_TRUE(InkNear(bitmap, PX(100), PY(50))) << "... entering at the right end of the X axis";
    EXPECT_TRUE(InkNear(bitmap, PX(40), PY(60))) << "(20, 30) to (60, 90)";
    EXPECT_TRUE(InkNear(bitmap, PX(55), PY(100))) << "(60, 90) to (30, 150), leaving at the top";
    EXPECT_FALSE(InkNear(bitmap, PX(80), PY(82.5))) << "(60, 90) and (140, 60) are neighbours in X only";
    EXPECT_FALSE(InkIn(bitmap, Rect(PX(100) + 2, 0, 640, 480))) << "right of the X axis";
    EXPECT_FALSE(InkIn(bitmap, Rect(0, 0, 640, PY(100) - 1))) << "above the Y axis";

    // Without ClipToAxes only X is cut.
    XY->SetClipToAxes(false);
    EXPECT_TRUE(InkIn(Draw(), Rect(0, 0, 640, PY(100) - 1)));
}

TEST_F(XYChannelTest, NothingIsDrawnWithoutBothAxesOrPoints)
{
    EXPECT_FALSE(InkIn(Draw(), Rect(0, 0, 640, 480)));
    EXPECT_FALSE(XY->ReadyToDraw());
    XY->AddXY(10, 10);
    XY->AddXY(90, 90);
    XY->SetClipToAxes(true);
    Draw();
    EXPECT_TRUE(XY->ReadyToDraw());
    XY->SetYAxisName("none");
    EXPECT_FALSE(InkIn(Draw(), Rect(0, 0, 640, 480)));
    EXPECT_FALSE(XY->ReadyToDraw());
    EXPECT_EQ(XY->GetVisibleMaxX(), -1e300);
    EXPECT_EQ(XY->GetVisibleMinY(), 1e300);
}

// ---------------------------------------------------------------------------------------------
// Data cursor

TEST_F(XYChannelTest, CursorValuesFollowTheStyleAndThePointers)
{
    m_xAxis->SetCursorScaler(2);
    struct Case {
        TiPlotDataCursorStyle Style;
        double P1, P2;
        double X, Y;
    };
    // Pointer 1 reads X, pointer 2 reads Y; deltas take both pointers on one axis.
    const Case cases[] = {
        {ipcsValueXY, 20, 70, 20, 70}, {ipcsValueX, 20, 70, 20, 0},
        {ipcsValueY, 20, 70, 0, 70},   {ipcsDeltaX, 70, 20, 50, 0},  // unscaled
        {ipcsDeltaY, 20, 70, 0, 50},   {ipcsInverseDeltaX, 20, 45, 0.02, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.Style);
        FakeCursor cursor;
        cursor.Style = c.Style;
        cursor.Pointer1 = c.P1;
        cursor.Pointer2 = c.P2;
        XY->DataCursorUpate(&cursor);
        EXPECT_DOUBLE_EQ(cursor.X, c.X);
        EXPECT_DOUBLE_EQ(cursor.Y, c.Y);
        EXPECT_EQ(cursor.Status, ipdpsValid);
    }
    FakeCursor cursor;
    cursor.Pointer1 = 20;
    cursor.Pointer2 = 70;
    XY->DataCursorUpate(&cursor);
    EXPECT_EQ(cursor.Text, m_xAxis->GetCursorValueText(20) + ", " + m_yAxis->GetCursorValueText(70));
}

TEST_F(XYChannelTest, InverseDeltaWithoutADistanceOrScalerIsInfinite)
{
    Host.Translations["Infinite"] = "Unendlich";
    for (double scaler : {0.0, 1.0}) {
        m_xAxis->SetCursorScaler(scaler);
        FakeCursor cursor;
        cursor.Style = ipcsInverseDeltaX;
        cursor.Pointer1 = 30;
        cursor.Pointer2 = scaler == 0 ? 40 : 30;
        XY->DataCursorUpate(&cursor);
        EXPECT_TRUE(std::isinf(cursor.X)) << scaler;
        EXPECT_EQ(cursor.Text, "Unendlich");
    }
    EXPECT_EQ(XY->GetDataCursorDisplayText(ipcsInverseDeltaX, 0.5, 0, ipdpsValid), m_xAxis->GetCursorValueText(0.5));
}

TEST_F(XYChannelTest, CursorTextsWithoutAxesOrData)
{
    Host.Translations = {{"No X-Axis", "Keine X-Achse"}, {"No Y-Axis", "Keine Y-Achse"}, {"Null", "Nichts"}};
    EXPECT_EQ(XY->GetDataCursorDisplayText(ipcsValueY, 0, 0, ipdpsNull), "Nichts");
    EXPECT_EQ(XY->GetDataCursorDisplayText(ipcsValueXY, 5, 0, ipdpsEmpty), m_xAxis->GetCursorValueText(5) + ", Empty");
    XY->SetYAxisName("none");
    // The Y text is not translated here.
    EXPECT_EQ(XY->GetDataCursorDisplayText(ipcsValueXY, 5, 1, ipdpsValid),
              m_xAxis->GetCursorValueText(5) + ", No Y-Axis");
    EXPECT_EQ(XY->GetDataCursorDisplayText(ipcsDeltaY, 5, 1, ipdpsValid), "No Y-Axis");
    XY->SetXAxisName("none");
    FakeCursor cursor;
    cursor.Pointer1 = 20;
    XY->DataCursorUpate(&cursor);
    EXPECT_EQ(cursor.X, 0);
    EXPECT_EQ(cursor.Status, ipdpsValid);
    EXPECT_EQ(cursor.Text, "Keine X-Achse");
}

// ---------------------------------------------------------------------------------------------
// Property file

// Each OPC property reaches its own item and comes back from a property file.
TEST_F(XYChannelTest, OPCPropertiesGoToTheirItemsAndThroughAPropertyFile)
{
    XY->SetOPCComputerName("Lab");
    XY->SetOPCServerName("Pravix.Simulation.1");
    XY->SetOPCItemName("Ship.Engine.Speed");
    XY->SetOPCItem2Name("Ship.Engine.Temperature");
    XY->SetOPCUpdateRate(250);
    XY->SetOPCScalar(2);
    XY->SetOPCOffset(3);
    XY->SetOPCScalar2(4);
    XY->SetOPCOffset2(5);
    XY->SetOPCAutoConnect(false);
    TempDir dir;
    XY->SavePropertiesToFile(dir.Path("xy.txt"));
    auto loaded = std::make_unique<TiXYPlotChannel>(&Host, Ignore(), Ignore(), Ignore(), Ignore());
    loaded->LoadPropertiesFromFile(dir.Path("xy.txt"));

    const TiOPCItem& x = *loaded->OPCItemManager().GetItem(0);
    const TiOPCItem& y = *loaded->OPCItemManager().GetItem(1);
    EXPECT_EQ(x.ComputerName(), "Lab");
    EXPECT_EQ(x.ServerName(), "Pravix.Simulation.1");
    EXPECT_EQ(x.ItemName(), "Ship.Engine.Speed");
    EXPECT_EQ(y.ItemName(), "Ship.Engine.Temperature");
    EXPECT_EQ(x.UpdateRate(), 250);
    EXPECT_EQ(x.Scalar(), 2);
    EXPECT_EQ(x.Offset(), 3);
    EXPECT_EQ(y.Scalar(), 4);
    EXPECT_EQ(y.Offset(), 5);
    EXPECT_FALSE(x.AutoConnect());
    for (int i = 0; i < 2; ++i)
        EXPECT_EQ(loaded->OPCItemManager().GetItem(i)->PropertyName(), "Data");
}

// ---------------------------------------------------------------------------------------------
// In an XY plot

class XYPlotTest : public testing::Test {
protected:
    XYPlotTest()
    {
        m_plot.SetBounds(0, 0, 600, 400);
        m_bitmap.SetSize(600, 400);
        Channel = dynamic_cast<TiXYPlotChannel*>(m_plot.GetChannel(0));
        Channel->SetColor(kTrace);
        for (TiPlotAxis* axis : {static_cast<TiPlotAxis*>(XAxis()), static_cast<TiPlotAxis*>(YAxis())}) {
            axis->SetTrackingEnabled(false);
            axis->SetMinSpan(-1.25, 2.5);
        }
    }
    void Paint() { m_plot.iPaintTo(m_bitmap.Canvas()); }
    TiPlotXAxis* XAxis() { return m_plot.GetXAxis(0); }
    TiPlotYAxis* YAxis() { return m_plot.GetYAxis(0); }
    TiPlotDataView& View() { return *dynamic_cast<TiPlotDataView*>(m_plot.GetDataView(0)); }

    TiXYPlot m_plot{nullptr};
    TBitmap m_bitmap;
    TiXYPlotChannel* Channel = nullptr;
};

TEST_F(XYPlotTest, TheXYPlotMakesXYChannels)
{
    ASSERT_NE(Channel, nullptr);
    EXPECT_NE(dynamic_cast<TiXYPlotChannel*>(m_plot.GetChannel(m_plot.AddChannel())), nullptr);
}

// x = sin 3t, y = sin 2t: a closed curve that touches each edge of [-1, 1]^2.
TEST_F(XYPlotTest, ALissajousFigureReachesItsExtremePixels)
{
    constexpr int kPoints = 720;
    for (int i = 0; i <= kPoints; ++i) {
        const double t = 2 * std::numbers::pi * i / kPoints;
        Channel->AddXY(std::sin(3 * t), std::sin(2 * t));
    }
    Paint();
    SavePNG(m_bitmap, "iXYPlotChannel_lissajous.png");

    const TRect view = View().GetDrawRect();
    auto column = [&](int x) { return Rect(x, view.Top, x + 1, view.Bottom); };
    auto row = [&](int y) { return Rect(view.Left, y, view.Right, y + 1); };
    const int right = XAxis()->PositionToPixels(1), left = XAxis()->PositionToPixels(-1);
    const int top = YAxis()->PositionToPixels(1), bottom = YAxis()->PositionToPixels(-1);
    EXPECT_TRUE(InkIn(m_bitmap, column(right)));
    EXPECT_FALSE(InkIn(m_bitmap, column(right + 2)));
    EXPECT_TRUE(InkIn(m_bitmap, column(left)));
    EXPECT_FALSE(InkIn(m_bitmap, column(left - 2)));
    EXPECT_TRUE(InkIn(m_bitmap, row(top)));
    EXPECT_FALSE(InkIn(m_bitmap, row(top - 2)));
    EXPECT_TRUE(InkIn(m_bitmap, row(bottom)));
    EXPECT_FALSE(InkIn(m_bitmap, row(bottom + 2)));
    // Where x reaches 1 (t = pi/6), y is sin(pi/3).
    EXPECT_TRUE(InkNear(m_bitmap, right, YAxis()->PositionToPixels(std::sin(std::numbers::pi / 3))));

    EXPECT_NEAR(Channel->GetVisibleMaxX(), 1, 1e-9);
    EXPECT_NEAR(Channel->GetVisibleMinX(), -1, 1e-9);
    EXPECT_NEAR(Channel->GetVisibleMaxY(), 1, 1e-9);
    EXPECT_NEAR(Channel->GetVisibleMinY(), -1, 1e-9);
}

// An X axis on the right half of its side: the pointer's percent of the data view is read
// through the pixels the axis covers.
TEST_F(XYPlotTest, CursorValuesOnAPartLengthAxisGoThroughTheDataViewPixels)
{
    XAxis()->SetStartStopPercent(50, 100);
    Paint();
    auto& cursor = *dynamic_cast<TiPlotDataCursor*>(m_plot.GetDataCursor(0));
    ASSERT_EQ(cursor.DataView(), &View());
    for (bool reversed : {false, true}) {
        SCOPED_TRACE(reversed);
        m_plot.SetXYAxesReverse(reversed);
        Paint();
        cursor.SetPointer1Position(75);
        cursor.SetPointer2Position(40);
        Channel->DataCursorUpate(&cursor);
        const int pixel = reversed ? View().PositionPercentToPixelsY(75) : View().PositionPercentToPixelsX(75);
        EXPECT_EQ(cursor.DataX(), XAxis()->PixelsToPosition(pixel));
        EXPECT_GT(std::fabs(cursor.DataX() - XAxis()->PercentToPosition(0.75)), 0.1)
            << "not the axis's own percent mapping";
        EXPECT_DOUBLE_EQ(cursor.DataY(), YAxis()->PercentToPosition(0.40)) << "a whole-length Y axis";
    }
}

// ---------------------------------------------------------------------------------------------
// OPC pair source

class XYChannelOPC : public XYChannelTest {
protected:
    void SetUp() override
    {
        ASSERT_FALSE(OPCDLLNotLoaded());
        TEST_EXPORT(iOPC2Test_Reset)();
        TEST_EXPORT(iOPC2Test_SetWorkerPaused)(1);
        XY->SetOPCServerName(kSimulation);
        XY->SetOPCItemName("Sensors.Setpoint");
        XY->SetOPCItem2Name("Ship.Engine.Temperature");
    }
    void TearDown() override
    {
        XY.reset();
        m_queue.RunPending();
        TEST_EXPORT(iOPC2Test_Reset)();
    }
    void SetValue(const char* item, double value)
    {
        VARIANT v;
        VariantInit(&v);
        v.vt = VT_R8;
        v.u.dblVal = value;
        ASSERT_TRUE(TEST_EXPORT(iOPC2Test_SetItemValue)("Local", kSimulation, item, &v, 0xC0, 0));
    }

    TCallbackQueue m_queue;
};

TEST_F(XYChannelOPC, AGroupUpdateAddsItsPairWhereCallbacksAreApplied)
{
    SetValue("Sensors.Setpoint", 4.5);
    SetValue("Ship.Engine.Temperature", -1);
    XY->OPCActivate();
    EXPECT_TRUE(XY->GetOPCActive());
    ASSERT_EQ(XY->OPCManager().GetGroupCount(), 1);
    EXPECT_EQ(XY->OPCItemManager().GetItem(0)->GroupName(), XY->OPCManager().GetGroup(0)->Name());
    EXPECT_EQ(XY->OPCItemManager().GetItem(1)->GroupName(), XY->OPCManager().GetGroup(0)->Name());

    TEST_EXPORT(iOPC2Test_DeliverNow)();
    EXPECT_EQ(XY->GetCount(), 0) << "the library's callback only queues the update";
    m_queue.RunPending();
    ASSERT_EQ(XY->GetCount(), 1);
    EXPECT_EQ(XY->GetDataX(0), 4.5);
    EXPECT_EQ(XY->GetDataY(0), -1);

    // Suspended, the group delivers nothing.
    XY->OPCUpdateSuspend();
    TEST_EXPORT(iOPC2Test_DeliverNow)();
    m_queue.RunPending();
    EXPECT_EQ(XY->GetCount(), 1);
    XY->OPCUpdateResume();
    XY->OPCDeactivate();
    EXPECT_FALSE(XY->GetOPCActive());
}

TEST_F(XYChannelOPC, ActivationNeedsAServerAndNoDesigning)
{
    // Suspend and resume need the group that activation makes.
    EXPECT_THROW(XY->OPCUpdateSuspend(), Exception);
    EXPECT_THROW(XY->OPCUpdateResume(), Exception);

    // A channel loaded with the default settings names no server: it registers nothing and
    // raises nothing.
    auto plain = std::make_unique<TiXYPlotChannel>(&Host, Ignore(), Ignore(), Ignore(), Ignore());
    ASSERT_TRUE(plain->OPCAutoConnect());
    plain->Loaded();
    EXPECT_FALSE(plain->GetOPCActive());
    EXPECT_EQ(plain->OPCManager().GetGroupCount(), 0);

    // Nor does a channel whose server was taken away after it had a group.
    XY->OPCActivate();
    XY->SetOPCServerName("");
    XY->OPCActivate();
    EXPECT_FALSE(XY->GetOPCActive());
    EXPECT_EQ(XY->OPCManager().GetGroupCount(), 0);

    XY->SetOPCServerName(kSimulation);
    Host.Designing = true;
    XY->OPCActivate();
    EXPECT_FALSE(XY->GetOPCActive());
    Host.Designing = false;
    XY->Loaded();
    EXPECT_TRUE(XY->GetOPCActive());
}

// The library updates the pair on its own thread while the plot paints: points are added
// only when the GUI thread handles its events, never in between.
TEST_F(XYPlotTest, FedByTheOPCLibraryWhilePainting)
{
    ASSERT_FALSE(OPCDLLNotLoaded());
    TEST_EXPORT(iOPC2Test_Reset)();
    Channel->SetOPCServerName(kSimulation);
    Channel->SetOPCItemName("Ship.Position.Depth");
    Channel->SetOPCItem2Name("Ship.Engine.Temperature");
    Channel->SetOPCUpdateRate(5);
    Channel->OPCActivate();
    ASSERT_TRUE(Channel->GetOPCActive());
    TEST_EXPORT(iOPC2Test_SetWorkerPaused)(0);

    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(20);
    bool steadyBetweenEvents = true;
    while (Channel->GetCount() < 50 && std::chrono::steady_clock::now() < deadline) {
        Application->ProcessMessages();
        const int count = Channel->GetCount();
        Paint();
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
        steadyBetweenEvents = steadyBetweenEvents && Channel->GetCount() == count;
    }
    TEST_EXPORT(iOPC2Test_SetWorkerPaused)(1);
    Channel->OPCDeactivate();
    Application->ProcessMessages();
    XAxis()->ZoomToFit();
    YAxis()->ZoomToFit();
    Paint();
    SavePNG(m_bitmap, "iXYPlotChannel_opc.png");

    EXPECT_GE(Channel->GetCount(), 50);
    EXPECT_TRUE(steadyBetweenEvents);
    EXPECT_TRUE(InkIn(m_bitmap, View().GetDrawRect()));
    TEST_EXPORT(iOPC2Test_Reset)();
}
