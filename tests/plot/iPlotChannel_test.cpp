// The strip-chart channel: X order, time-series adds, the lookups checked against a plain
// scan over seeded random channels, data cursor values and texts, visible extremes, the
// mouse, and the OPC source.

#include "plot/ChannelTestSupport.h"

#include "components/iOPCItem.h"
#include "components/iOPCManager.h"
#include "opc/OPCTestSupport.h"
#include "platform/core/Clock.h"
#include "platform/core/StringList.h"
#include "plot/control/iPlot.h"
#include "support/TempDir.h"

#include <algorithm>
#include <functional>
#include <random>

// ---------------------------------------------------------------------------------------------
// X order

TEST_F(ChannelTest, TheXOrderCheckRefusesPointsOutOfOrder)
{
    struct Case {
        const char* Name;
        std::vector<double> Held;
        double NewX;
        const char* Refusal;  // nullptr: accepted
    };
    const Case cases[] = {
        {"increasing, between", {1, 2}, 1.5, "New Data-Point X-Value is out of order"},
        {"increasing, equal to the last", {1, 2}, 2, nullptr},
        {"increasing, flat start", {1, 1}, 0.5, "New Data-Point X-Value is out of order"},
        {"decreasing, between", {5, 4}, 4.5, "New Data-Point X-Value is out of order."},
        {"decreasing, equal to the last", {5, 4}, 4, nullptr},
        {"decreasing, onwards", {5, 4}, 3, nullptr},
        // One point sets no order: X 10 then 5 makes the channel decreasing.
        {"one point", {10}, 5, nullptr},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.Name);
        for (int kind = 0; kind < 4; ++kind) {
            auto channel = NewChannel();
            channel->SetAllowOutOfOrderXValues(false);
            for (double x : c.Held)
                channel->AddXY(x, 0);
            const std::function<void()> adds[] = {
                [&] { channel->AddXY(c.NewX, 1); },
                [&] { channel->AddXNull(c.NewX); },
                [&] { channel->AddXEmpty(c.NewX); },
                [&] { channel->AddHighLow(c.NewX, 4, 1, 2, 3); },
            };
            if (c.Refusal) {
                ExpectMessage(adds[kind], c.Refusal);
                EXPECT_EQ(channel->GetCount(), int(c.Held.size()));
            } else {
                adds[kind]();
                EXPECT_EQ(channel->GetDataX(channel->GetCount() - 1), c.NewX);
            }
        }
    }
    // Out-of-order values pass while allowed, and the time adds never check.
    Channel->AddXY(5, 0);
    Channel->AddXY(6, 0);
    Channel->AddXY(1, 0);
    EXPECT_EQ(Channel->GetCount(), 3);
}

// The check reads the oldest two points and the newest as the list holds them, in every data
// style, also once a ring buffer has wrapped: 1 2 3 4 in a ring of three leaves 2 3 4.
TEST_F(ChannelTest, TheXOrderCheckFollowsAWrappedRingInEveryDataStyle)
{
    for (TiPlotDataStyle style : {ipdsStandard, ipdsCompact, ipdsCompactInterval, ipdsFullFeature}) {
        SCOPED_TRACE(int(style));
        auto channel = NewChannel();
        channel->SetDataStyle(style);
        channel->SetAllowOutOfOrderXValues(false);
        channel->SetRingBufferSize(3);
        for (double x : {1, 2, 3, 4})
            channel->AddXY(x, 0);
        ASSERT_EQ(channel->GetDataX(0), 2);
        ExpectMessage([&] { channel->AddXY(3.5, 0); }, "New Data-Point X-Value is out of order");
        channel->AddXY(4, 0);
        EXPECT_EQ(channel->GetCount(), 3);
    }
}

// The check keeps what it read of the points from one add to the next; whatever else changes
// the oldest two or the newest point is read anew. Each case holds 5 1 2 1.5 (decreasing,
// the last point added through the check), is changed, and is then offered one X.
TEST_F(ChannelTest, TheXOrderCheckFollowsEveryChangeToThePointsHeld)
{
    const char* const increasing = "New Data-Point X-Value is out of order";
    const char* const decreasing = "New Data-Point X-Value is out of order.";
    const struct {
        const char* Name;
        std::function<void(TiPlotChannel&)> Change;
        double NewX;
        const char* Refusal;  // nullptr: accepted
    } cases[] = {
        {"nothing changed", [](TiPlotChannel&) {}, 1.6, decreasing},
        {"the oldest point moved up", [](TiPlotChannel& c) { c.SetDataX(0, 0); }, 1.6, nullptr},
        {"the newest point moved", [](TiPlotChannel& c) { c.SetDataX(3, 1); }, 1.2, decreasing},
        {"the oldest point deleted", [](TiPlotChannel& c) { c.DeletePoints(1); }, 1.2, increasing},
        {"a point added unchecked",
         [](TiPlotChannel& c) {
             c.SetAllowOutOfOrderXValues(true);
             c.AddXY(0.5, 0);
             c.SetAllowOutOfOrderXValues(false);
         },
         0.6, decreasing},
        {"a full ring wrapped",
         [](TiPlotChannel& c) {
             c.SetRingBufferSize(4);
             c.AddXY(1.4, 0);  // 1 2 1.5 1.4: increasing from now on
         },
         1.3, increasing},
        {"cleared and refilled upwards",
         [](TiPlotChannel& c) {
             c.Clear();
             for (double x : {1, 2, 3, 4, 5})
                 c.AddXY(x, 0);
         },
         4.5, increasing},
        {"another data style, refilled upwards",
         [](TiPlotChannel& c) {
             c.SetDataStyle(ipdsFullFeature);
             for (double x : {1, 2, 3, 4, 5})
                 c.AddXY(x, 0);
         },
         4.5, increasing},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Name);
        auto channel = NewChannel();
        for (double x : {5, 1, 2})
            channel->AddXY(x, 0);
        channel->SetAllowOutOfOrderXValues(false);
        channel->AddXY(1.5, 0);
        c.Change(*channel);
        const int count = channel->GetCount();
        if (c.Refusal) {
            ExpectMessage([&] { channel->AddXY(c.NewX, 0); }, c.Refusal);
            EXPECT_EQ(channel->GetCount(), count);
        } else {
            channel->AddXY(c.NewX, 0);
            EXPECT_EQ(channel->GetXLast(), c.NewX);
        }
    }
}

// On a plot, each scroll of the X axis that a point causes reaches whoever listens while they
// listen, and they read the new Min from the axis. The plot is never shown, so its repaint
// waits throughout: a scroll nobody else hears only moves Min, one that somebody hears must
// still tell them.
TEST(ChannelOnAPlot, ScrollsReachListenersWhileTheyListen)
{
    using TSeen = std::vector<double>;
    struct Case {
        const char* Name;
        // Assigns a handler that records Min into `seen`; answers what takes it away again.
        std::function<std::function<void()>(TiPlot&, TiPlotXAxis&, TSeen& seen)> Listen;
    };
    const Case cases[] = {
        {"the plot's Min event",
         [](TiPlot& plot, TiPlotXAxis& axis, TSeen& seen) -> std::function<void()> {
             plot.OnXAxisMinChange = [&](TObject*, int, double, double newMin) {
                 EXPECT_EQ(axis.Min(), newMin);
                 seen.push_back(newMin);
             };
             return [&plot] { plot.OnXAxisMinChange = nullptr; };
         }},
        {"the axis's OnChange",
         [](TiPlot&, TiPlotXAxis& axis, TSeen& seen) -> std::function<void()> {
             const TNotifyEvent before = axis.OnChange;
             axis.OnChange = [&axis, &seen, before](TObject* sender) {
                 seen.push_back(axis.Min());
                 before(sender);
             };
             return [&axis, before] { axis.OnChange = before; };
         }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.Name);
        TiPlot plot(nullptr);
        TiPlotChannel* channel = plot.GetChannel(0);
        TiPlotXAxis* axis = plot.GetXAxis(0);
        ASSERT_EQ(axis->Span(), 100);
        channel->AddXY(0, 0);
        TSeen seen;
        std::function<void()> stop;
        for (int x = 1; x <= 300; ++x) {
            if (x == 150)
                stop = c.Listen(plot, *axis, seen);
            if (x == 250)
                stop();
            channel->AddXY(x, 0);
            ASSERT_EQ(axis->Min(), std::max(0, x - 100));
        }
        ASSERT_EQ(seen.size(), 100u);
        EXPECT_EQ(seen.front(), 50);
        EXPECT_EQ(seen.back(), 149);
    }
}

TEST_F(ChannelTest, XIncreasingFollowsTheTwoOldestPoints)
{
    Channel->AddXY(10, 0);
    Channel->AddXY(5, 0);
    // Two points are enough to tell the direction.
    Channel->GetVisibleMaxX();
    EXPECT_FALSE(Channel->XIncreasing());
    Channel->Clear();
    Channel->AddXY(5, 0);
    Channel->UpdateXIncreasing();
    EXPECT_TRUE(Channel->XIncreasing());
}

TEST_F(ChannelTest, TimeAddsUseTheClock)
{
    TClockOverride clock(45000.0);
    auto channel = NewChannel();  // its elapsed time starts now
    channel->SetResetStartTimeOnFirstDataPoint(true);
    clock.SetNow(45000.5);
    // The first point of an empty channel restarts the elapsed time.
    EXPECT_EQ(channel->AddYElapsedSeconds(1), 0);
    EXPECT_EQ(channel->GetDataX(0), 0);
    clock.SetNow(45000.75);
    channel->AddYElapsedSeconds(2);
    EXPECT_DOUBLE_EQ(channel->GetDataX(1), 0.25 * 86400);
    channel->AddYElapsedTime(3);
    EXPECT_DOUBLE_EQ(channel->GetDataX(2), 0.25);
    channel->AddYNow(4);
    EXPECT_EQ(channel->GetDataX(3), 45000.75);
    // Clear keeps the start time; only the next first point moves it.
    channel->SetResetStartTimeOnFirstDataPoint(false);
    channel->Clear();
    channel->AddYElapsedTime(5);
    EXPECT_DOUBLE_EQ(channel->GetDataX(0), 0.25);
}

// ---------------------------------------------------------------------------------------------
// Lookups against a plain scan

namespace {

enum Status { Valid, Null, Empty };

struct RandomPoint {
    double X;
    double Y;
    Status Kind;
};

// Increasing or decreasing X with repeated values, about one point in four Null or Empty.
std::vector<RandomPoint> RandomChannel(std::mt19937& random, bool increasing)
{
    std::uniform_int_distribution<int> count(0, 30), step(0, 4), kind(0, 7), value(-50, 50);
    std::vector<RandomPoint> points;
    double x = std::uniform_int_distribution<int>(0, 60)(random);
    const int n = count(random);
    for (int i = 0; i < n; ++i) {
        const int k = kind(random);
        points.push_back({x, double(value(random)), k == 0 ? Null : k == 1 ? Empty : Valid});
        // 0 gives a repeated X, except between the two oldest points, which set the direction.
        const double dx = (i == 0 ? 1 + step(random) : step(random)) * 1.5;
        x += increasing ? dx : -dx;
    }
    return points;
}

void Fill(TiPlotChannel& channel, const std::vector<RandomPoint>& points)
{
    for (const RandomPoint& p : points) {
        if (p.Kind == Null)
            channel.AddXNull(p.X);
        else if (p.Kind == Empty)
            channel.AddXEmpty(p.X);
        else
            channel.AddXY(p.X, p.Y);
    }
    channel.UpdateXIncreasing();
}

// The value a straight or step trace shows at X, from the points with Empty ones left out.
struct ScanModel {
    std::vector<RandomPoint> All;
    bool Increasing;
    TiPlotXAxis* Axis;

    double Key(double x) const { return Increasing ? x : -x; }
    std::vector<RandomPoint> Trace() const
    {
        std::vector<RandomPoint> t;
        std::copy_if(All.begin(), All.end(), std::back_inserter(t), [](auto& p) { return p.Kind != Empty; });
        return t;
    }
    bool AtAnEnd(double x, double& y) const
    {
        if (All.front().Kind == Valid && All.front().X == x) {
            y = All.front().Y;
            return true;
        }
        if (All.back().Kind == Valid && All.back().X == x) {
            y = All.back().Y;
            return true;
        }
        return false;
    }
    bool Inside(double x) const { return Key(x) >= Key(All.front().X) && Key(x) <= Key(All.back().X); }

    TiPlotDataPointStatus Straight(double x, double& y) const
    {
        y = 0;
        if (All.empty())
            return ipdpsEmpty;
        if (AtAnEnd(x, y))
            return ipdpsValid;
        if (!Inside(x))
            return ipdpsEmpty;
        const auto t = Trace();
        size_t b = 0;
        while (b < t.size() && Key(t[b].X) < Key(x))
            ++b;
        if (b == 0 || b == t.size())
            return ipdpsEmpty;
        const RandomPoint& pa = t[b - 1];
        const RandomPoint& pb = t[b];
        if (pb.X == x && pb.Kind == Valid) {
            y = pb.Y;
            return ipdpsValid;
        }
        if (pa.Kind == Null || pb.Kind == Null)
            return ipdpsNull;
        const int dP = Axis->PositionToPixels(pa.X) - Axis->PositionToPixels(pb.X);
        const int dX = Axis->PositionToPixels(x) - Axis->PositionToPixels(pb.X);
        y = dP == 0 || dX == 0 ? pb.Y : pb.Y + (pa.Y - pb.Y) * dX / dP;
        return ipdpsValid;
    }

    TiPlotDataPointStatus Step(double x, double& y, bool holdsBeyond) const
    {
        y = 0;
        if (All.empty())
            return ipdpsEmpty;
        if (AtAnEnd(x, y))
            return ipdpsValid;
        const auto t = Trace();
        const RandomPoint* before = nullptr;
        if (Inside(x)) {
            for (const RandomPoint& p : t)
                if (Key(p.X) < Key(x))
                    before = &p;
        } else if (holdsBeyond && !t.empty() && Key(x) > Key(t.back().X)) {
            before = &t.back();
        }
        if (!before)
            return ipdpsEmpty;
        if (before->Kind == Null)
            return ipdpsNull;
        y = before->Y;
        return ipdpsValid;
    }
};

}  // namespace

// Points that share the X at the start of the axis all lie on the scale: the draw range
// starts at the first of them, so each is drawn, can be hit and counts for zoom-to-fit.
TEST_F(ChannelTest, TheDrawRangeStartsAtTheFirstOfTheRepeatedXAtTheAxisStart)
{
    for (const double y : {90, 10, 10, 10, 10})
        Channel->AddXY(0, y);
    Channel->AddXY(1, 10);
    Channel->AddXY(2, 10);
    SetUpAxes(0, 10);
    Channel->CalcStartXIndex();
    EXPECT_EQ(Channel->DrawStartIndex(), 0);
    EXPECT_EQ(Channel->GetVisibleMaxY(), 90);
}

TEST_F(ChannelTest, LookupsMatchAPlainScan)
{
    std::mt19937 random(20261210);
    for (int round = 0; round < 400; ++round) {
        const bool increasing = round % 2 == 0;
        const auto points = RandomChannel(random, increasing);
        auto channel = NewChannel();
        Fill(*channel, points);
        SCOPED_TRACE("round " + std::to_string(round));
        ScanModel model{points, points.size() < 2 || points[1].X >= points[0].X, m_xAxis.get()};
        auto key = [&](double x) { return model.Key(x); };
        const int n = int(points.size());

        // The axis window, somewhere over or beside the data.
        const double min = std::uniform_int_distribution<int>(-10, 60)(random);
        SetUpAxes(min, std::uniform_int_distribution<int>(1, 40)(random));
        channel->CalcStartXIndex();
        channel->CalcStopXIndex();
        const int s = channel->DrawStartIndex(), t = channel->DrawStopIndex();
        if (n == 0) {
            EXPECT_EQ(s, -1);
            EXPECT_EQ(t, -1);
        } else {
            ASSERT_TRUE(s >= 0 && s < n && t >= 0 && t < n);
            const double first = key(model.Increasing ? m_xAxis->Min() : m_xAxis->GetMax());
            const double last = key(model.Increasing ? m_xAxis->GetMax() : m_xAxis->Min());
            // Every point in view is in the range, which reaches one point beyond each end.
            for (int i = 0; i < n; ++i)
                if (key(points[i].X) >= first && key(points[i].X) <= last) {
                    EXPECT_TRUE(i >= s && i <= t) << i;
                }
            if (s > 0) {
                EXPECT_LE(key(points[s].X), first);
            }
            if (s < n - 1) {
                EXPECT_GE(key(points[s + 1].X), first);
            }
            if (t < n - 1) {
                EXPECT_GE(key(points[t].X), last);
            }
            if (t > 0) {
                EXPECT_LE(key(points[t - 1].X), last);
            }
        }

        std::vector<double> probes;
        for (const RandomPoint& p : points)
            probes.push_back(p.X);
        for (int k = 0; k < 10; ++k)
            probes.push_back(std::uniform_real_distribution<double>(-10, 120)(random));
        for (double x : probes) {
            SCOPED_TRACE("X " + std::to_string(x));
            // The nearest point at or past X in the X order.
            const int r = channel->CalcIndex(x);
            if (n == 0 || !model.Inside(x)) {
                EXPECT_EQ(r, -1);
            } else {
                ASSERT_GE(r, 0);
                EXPECT_GE(key(points[r].X), key(x));
                if (r > 0) {
                    EXPECT_LT(key(points[r - 1].X), key(x));
                }
            }
            double y, expectedY;
            channel->SetInterpolationStyle(ipistStraightLine);
            const auto straight = model.Straight(x, expectedY);
            EXPECT_EQ(channel->DoYLookup(x, y), straight);
            if (straight == ipdpsValid) {
                EXPECT_DOUBLE_EQ(y, expectedY);
            }
            EXPECT_EQ(channel->GetYInterpolated(x, y), straight == ipdpsValid);
            for (bool holds : {true, false}) {
                channel->SetInterpolationStyle(holds ? ipistDifferential : ipistDifferentialTerminated);
                const auto step = model.Step(x, expectedY, holds);
                EXPECT_EQ(channel->DoYLookup(x, y), step) << (holds ? "differential" : "terminated");
                if (step == ipdpsValid) {
                    EXPECT_EQ(y, expectedY);
                }
            }
        }
    }
}

TEST_F(ChannelTest, StepLookupsHoldTheValueBeforeX)
{
    Channel->AddXY(0, 1);
    Channel->AddXY(10, 2);
    double y;
    for (auto style : {ipistDifferential, ipistDifferentialTerminated}) {
        Channel->SetInterpolationStyle(style);
        EXPECT_EQ(Channel->DoYLookup(5, y), ipdpsValid);
        EXPECT_EQ(y, 1);
        EXPECT_EQ(Channel->DoYLookup(10, y), ipdpsValid);
        EXPECT_EQ(y, 2);
    }
    Channel->SetInterpolationStyle(ipistDifferential);
    EXPECT_EQ(Channel->DoYLookup(15, y), ipdpsValid);
    EXPECT_EQ(y, 2);
    Channel->SetInterpolationStyle(ipistDifferentialTerminated);
    EXPECT_EQ(Channel->DoYLookup(15, y), ipdpsEmpty);

    // An Empty point between is passed over; a Null one breaks the trace.
    Channel->Clear();
    Channel->AddXY(0, 1);
    Channel->AddXEmpty(4);
    Channel->AddXY(10, 3);
    Channel->AddXNull(15);
    Channel->AddXY(20, 4);
    struct Case {
        TiPlotInterpolationStyle Style;
        double X;
        TiPlotDataPointStatus Status;
        double Y;
    };
    const Case cases[] = {
        {ipistStraightLine, 2, ipdpsValid, 1.4},  // on the line from (0, 1) to (10, 3)
        {ipistStraightLine, 4, ipdpsValid, 1.8}, {ipistStraightLine, 12, ipdpsNull, 0},
        {ipistStraightLine, 17, ipdpsNull, 0},   {ipistDifferential, 5, ipdpsValid, 1},
        {ipistDifferential, 12, ipdpsValid, 3},  {ipistDifferential, 17, ipdpsNull, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.X);
        Channel->SetInterpolationStyle(c.Style);
        EXPECT_EQ(Channel->DoYLookup(c.X, y), c.Status);
        EXPECT_DOUBLE_EQ(y, c.Y);
    }
}

TEST_F(ChannelTest, DigitalLookupsGiveTheLevelHeld)
{
    Channel->SetDigitalEnabled(true);
    Channel->SetInterpolationStyle(ipistCubicSpline);  // digital traces look up as straight ones
    Channel->AddXY(0, 0);
    Channel->AddXY(10, 1);
    Channel->AddXY(20, 0);
    double y;
    EXPECT_EQ(Channel->DoYLookup(5, y), ipdpsValid);
    EXPECT_EQ(y, 0);
    EXPECT_EQ(Channel->DoYLookup(15, y), ipdpsValid);
    EXPECT_EQ(y, 1);
}

TEST_F(ChannelTest, CurveLookupsReadTheLastDrawnColumns)
{
    Channel->SetInterpolationStyle(ipistCubicSpline);
    Channel->AddXY(0, 0);
    Channel->AddXY(50, 1);
    double y;
    EXPECT_EQ(Channel->DoYLookup(25, y), ipdpsEmpty);  // never drawn
    Channel->SetPixelRange(0, 400);
    const int p = m_xAxis->PositionToPixels(25);
    Channel->AddPixelListValue(p, 0.4);
    EXPECT_EQ(Channel->DoYLookup(25, y), ipdpsValid);
    EXPECT_EQ(y, 0.4);
    EXPECT_EQ(Channel->DoYLookup(m_xAxis->PixelsToPosition(p + 1), y), ipdpsNull);
    EXPECT_EQ(Channel->DoYLookup(60, y), ipdpsEmpty);
    ExpectMessage([&] { Channel->AddPixelListValue(401, 0); }, "Pixel List XPixel out of Range");
}

// ---------------------------------------------------------------------------------------------
// Data cursors

namespace {

class FakeCursor : public TObject, public IPlotDataCursorTarget {
public:
    TiPlotDataCursorStyle Style = ipcsValueXY;
    double P1 = 50, P2 = 50;
    double X = -1, Y = -1;
    TiPlotDataPointStatus Status = ipdpsValid;
    std::string Text;

    TiPlotDataCursorStyle CursorStyle() const override { return Style; }
    double CursorPointer1Position() const override { return P1; }
    double CursorPointer2Position() const override { return P2; }
    void SetCursorData(double x, double y, TiPlotDataPointStatus status) override
    {
        X = x;
        Y = y;
        Status = status;
    }
    void SetCursorDisplayText(const std::string& text) override { Text = text; }
};

}  // namespace

TEST_F(ChannelTest, DataCursorsShowTheValueUnderThePointer)
{
    Channel->AddXY(0, 0);
    Channel->AddXY(100, 100);
    FakeCursor cursor;
    cursor.P1 = 25;
    Channel->DataCursorUpate(&cursor);
    EXPECT_EQ(cursor.Status, ipdpsValid);
    EXPECT_EQ(cursor.X, m_xAxis->PercentToPosition(0.25));
    EXPECT_EQ(cursor.Text, m_xAxis->GetCursorText(cursor.X) + ", " + m_yAxis->GetCursorText(cursor.Y));

    cursor.Style = ipcsDeltaX;
    cursor.P2 = 75;
    Channel->DataCursorUpate(&cursor);
    EXPECT_DOUBLE_EQ(cursor.X, m_xAxis->CursorScaler() *
                                   std::fabs(m_xAxis->PercentToPosition(0.25) - m_xAxis->PercentToPosition(0.75)));

    cursor.Style = ipcsInverseDeltaX;
    cursor.P2 = 25;
    Host.Translations["Infinite"] = "unendlich";
    Channel->DataCursorUpate(&cursor);
    EXPECT_EQ(cursor.Text, "unendlich");
}

TEST_F(ChannelTest, DataCursorTexts)
{
    Host.Translations = {{"Low", "niedrig"}, {"High", "hoch"}, {"Null", "nichts"}, {"Empty", "leer"}};
    Channel->SetDigitalEnabled(true);
    EXPECT_EQ(Channel->GetDataCursorDisplayText(ipcsValueY, 0, 0, ipdpsValid), "niedrig");
    EXPECT_EQ(Channel->GetDataCursorDisplayText(ipcsValueY, 0, 0.5, ipdpsValid), "hoch");
    EXPECT_EQ(Channel->GetDataCursorDisplayText(ipcsValueY, 0, 0, ipdpsNull), "nichts");
    EXPECT_EQ(Channel->GetDataCursorDisplayText(ipcsValueY, 0, 0, ipdpsEmpty), "leer");
    Channel->SetDigitalEnabled(false);
    EXPECT_EQ(Channel->GetDataCursorDisplayText(ipcsValueX, 7, 0, ipdpsEmpty), m_xAxis->GetCursorText(7));
    Channel->SetYAxisName("none");
    // Untranslated in the cursor text, as the cursor has always shown it.
    Host.Translations["No Y-Axis"] = "keine";
    EXPECT_EQ(Channel->GetDataCursorDisplayText(ipcsDeltaY, 0, 3, ipdpsValid), "No Y-Axis");
    Channel->SetXAxisName("none");
    Host.Translations["No X-Axis"] = "keine X";
    EXPECT_EQ(Channel->GetDataCursorDisplayText(ipcsValueXY, 0, 3, ipdpsValid), "keine X");
}

// ---------------------------------------------------------------------------------------------
// Visible extremes

TEST_F(ChannelTest, VisibleExtremesOfADecreasingChannel)
{
    Channel->SetMarkersVisible(true);
    Channel->AddXEmpty(90);
    Channel->AddXY(80, 5);
    Channel->AddXY(40, 60);
    Channel->AddXNull(30);
    Channel->AddXY(20, -10);
    const double extent = std::fabs(m_xAxis->PixelsToPosition(m_xAxis->GetMinPixels() + 3) - m_xAxis->Min());
    // The oldest valid point is the largest X, the newest valid one the smallest.
    EXPECT_DOUBLE_EQ(Channel->GetVisibleMaxX(), 80 + extent);
    EXPECT_DOUBLE_EQ(Channel->GetVisibleMinX(), 20 - extent);
    EXPECT_FALSE(Channel->XIncreasing());
    const double yExtent = std::fabs(m_yAxis->PixelsToPosition(m_yAxis->GetMinPixels() + 3) - m_yAxis->Min());
    EXPECT_DOUBLE_EQ(Channel->GetVisibleMaxY(), 60 + yExtent);
    EXPECT_DOUBLE_EQ(Channel->GetVisibleMinY(), -10 - yExtent);

    Channel->SetVisible(false);
    EXPECT_EQ(Channel->GetVisibleMaxX(), -1e300);
    EXPECT_EQ(Channel->GetVisibleMinY(), 1e300);
}

// ---------------------------------------------------------------------------------------------
// Mouse

namespace {

TiPlotMouseData Mouse(TiPlotXAxis& x, TiPlotYAxis& y, double atX, double atY, int dx = 0, int dy = 0,
                      TMouseButton button = mbLeft)
{
    TiPlotMouseData d;
    d.X = d.XAxisPixels = x.PositionToPixels(atX) + dx;
    d.Y = d.YAxisPixels = y.PositionToPixels(atY) + dy;
    d.Button = button;
    return d;
}

}  // namespace

TEST_F(ChannelTest, ARightPressNearTheTraceHitsTheChannel)
{
    Channel->AddXY(0, 10);
    Channel->AddXY(100, 90);
    for (auto [dy, button, hit] : {std::tuple{8, mbRight, true}, std::tuple{-8, mbRight, true},
                                   std::tuple{12, mbRight, false}, std::tuple{8, mbLeft, false}}) {
        SCOPED_TRACE(std::to_string(dy) + " " + std::to_string(button));
        EXPECT_EQ(Channel->iMouseHitTest(Mouse(*m_xAxis, *m_yAxis, 50, 50, 0, dy, button)), hit);
    }
}

TEST_F(ChannelTest, TheLowestOfOverlappingMarkersIsHit)
{
    Host.SelectMode = true;
    Channel->SetMarkersVisible(true);
    Channel->AddXY(10, 10);
    Channel->AddXY(11, 10);
    Channel->AddXY(12, 10);
    // Markers 4 pixels apart, each 3 pixels either way: two cover the point between them.
    EXPECT_TRUE(Channel->iMouseHitTest(Mouse(*m_xAxis, *m_yAxis, 10, 10, 2)));
    EXPECT_EQ(Channel->HitIndex(), 0);
    EXPECT_TRUE(Channel->iMouseHitTest(Mouse(*m_xAxis, *m_yAxis, 11, 10, 2)));
    EXPECT_EQ(Channel->HitIndex(), 1);
    EXPECT_FALSE(Channel->iMouseHitTest(Mouse(*m_xAxis, *m_yAxis, 50, 50)));
    EXPECT_EQ(Channel->HitIndex(), -1);

    // The legend row counts as the channel, select mode or not.
    Host.SelectMode = false;
    Channel->SetLegendRect(Rect(500, 10, 560, 20));
    TiPlotMouseData legend;
    legend.X = 510;
    legend.Y = 15;
    EXPECT_TRUE(Channel->iMouseHitTest(legend));
}

TEST_F(ChannelTest, DataPointHintsStayInTheView)
{
    Host.SelectMode = true;
    Channel->SetMarkersVisible(true);
    Channel->SetShowDataPointHints(true);
    Host.HintPrefix = "at ";
    // The hint box is 60 x 16 pixels; the marker's half size 1.
    struct Case {
        double X, Y;
        int Left, Top;
    };
    auto px = [&](double x) { return m_xAxis->PositionToPixels(x); };
    auto py = [&](double y) { return m_yAxis->PositionToPixels(y); };
    const Case cases[] = {
        {50, 50, px(50) - 30, py(50) - 21},  // above, centred
        {50, 99, px(50) - 30, py(99) + 21},  // at the top: below
        {2, 50, px(2) + 9, py(50) - 8},      // at the left: to the right, centred
        {98, 50, px(98) - 65, py(50) - 8},   // at the right: to the left
        {98, 1, px(98) - 65, 450 - 16},      // and kept inside the bottom
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::to_string(c.X) + ", " + std::to_string(c.Y));
        Channel->Clear();
        Channel->AddXY(c.X, c.Y);
        const TiPlotMouseData at = Mouse(*m_xAxis, *m_yAxis, c.X, c.Y);
        ASSERT_TRUE(Channel->iMouseHitTest(at));
        TiHintData hint;
        Channel->DoMouseHint(at, hint);
        EXPECT_EQ(hint.Text, "at " + m_xAxis->GetLabelText(c.X) + ", " + m_yAxis->GetLabelText(c.Y));
        EXPECT_EQ(hint.Left, c.Left);
        EXPECT_EQ(hint.Top, c.Top);
    }
}

TEST_F(ChannelTest, DraggingMovesThePointByItsStyle)
{
    Host.SelectMode = true;
    Channel->SetMarkersVisible(true);
    Channel->SetUserCanMoveDataPoints(true);
    struct Case {
        TiPlotDataStyle Data;
        TiPlotChannelDataPointMoveStyle Move;
        int Index;
        double X, Y;  // where the point ends after a drag by (+20, -40) pixels
    };
    const Case cases[] = {
        {ipdsStandard, ipcdpmsXandY, 1, 25, 40},
        {ipdsStandard, ipcdpmsXOnly, 1, 25, 30},
        {ipdsStandard, ipcdpmsYOnly, 1, 20, 40},
        // X comes from the interval there: only Y follows the mouse.
        {ipdsCompactInterval, ipcdpmsXandY, 1, 20, 40},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::to_string(c.Data) + " " + std::to_string(c.Move));
        Channel->SetDataStyle(c.Data);
        Channel->Clear();
        Channel->SetUserCanMoveDataPointsStyle(c.Move);
        Channel->AddXY(10, 30);
        Channel->AddXY(20, 30);
        Host.Events.clear();
        const TiPlotMouseData press = Mouse(*m_xAxis, *m_yAxis, 20, 30);
        ASSERT_TRUE(Channel->iMouseHitTest(press));
        Channel->DoMouseLeft(press);
        TiPlotMouseData move = press;
        move.X = move.XAxisPixels = press.XAxisPixels + 20;
        move.Y = move.YAxisPixels = press.YAxisPixels - 40;
        Channel->DoMouseMove(move);
        Channel->DoMouseUp(move);
        EXPECT_NEAR(Channel->GetDataX(c.Index), c.X, 1e-9);
        EXPECT_NEAR(Channel->GetDataY(c.Index), c.Y, 1e-9);
        EXPECT_EQ(Host.Events, (Log{"Down 1", "Move 1", "Up 1", "Moved 1"}));
    }

    // Released where it was pressed, without moving: a click, no move.
    Channel->SetDataStyle(ipdsStandard);
    Channel->AddXY(50, 50);
    const TiPlotMouseData press = Mouse(*m_xAxis, *m_yAxis, 50, 50);
    ASSERT_TRUE(Channel->iMouseHitTest(press));
    Host.Events.clear();
    Channel->DoMouseLeft(press);
    Channel->DoMouseUp(press);
    EXPECT_EQ(Host.Events, (Log{"Down 0", "Up 0", "Click 0"}));
}

// ---------------------------------------------------------------------------------------------
// OPC source

namespace {

const char* const kSimulation = "Pravix.Simulation.1";

VARIANT Real(double value)
{
    VARIANT v;
    VariantInit(&v);
    v.vt = VT_R8;
    v.u.dblVal = value;
    return v;
}

}  // namespace

class ChannelOPC : public ChannelTest {
protected:
    void SetUp() override
    {
        ASSERT_FALSE(OPCDLLNotLoaded());
        TEST_EXPORT(iOPC2Test_Reset)();
        TEST_EXPORT(iOPC2Test_SetWorkerPaused)(1);
        Channel->SetOPCServerName(kSimulation);
        Channel->SetOPCItemName("Sensors.Setpoint");
        Channel->SetOPCItem2Name("Sensors.Counter");
    }
    void TearDown() override
    {
        Channel.reset();
        m_queue.RunPending();
        TEST_EXPORT(iOPC2Test_Reset)();
    }
    void SetValue(const char* item, double value, double timeStamp = 0)
    {
        const VARIANT v = Real(value);
        ASSERT_TRUE(TEST_EXPORT(iOPC2Test_SetItemValue)("Local", kSimulation, item, &v, 0xC0, timeStamp));
    }
    void Deliver()
    {
        TEST_EXPORT(iOPC2Test_DeliverNow)();
        m_queue.RunPending();
    }

    TCallbackQueue m_queue;
};

// Item 0 gives X, item 1 Y, both updated in one private group and added as one point.
TEST_F(ChannelOPC, TwoItemsGiveAPoint)
{
    Channel->SetOPCXValueSource(iopcxvsOPCItem);
    SetValue("Sensors.Setpoint", 3);
    SetValue("Sensors.Counter", 8);
    Channel->OPCActivate();
    EXPECT_TRUE(Channel->GetOPCActive());
    EXPECT_EQ(Channel->OPCManager().GetGroupCount(), 1);
    EXPECT_EQ(Channel->OPCItemManager().GetItem(1)->GroupName(), Channel->OPCGroupName());
    Deliver();
    ASSERT_EQ(Channel->GetCount(), 1);
    EXPECT_EQ(Channel->GetDataX(0), 3);
    EXPECT_EQ(Channel->GetDataY(0), 8);

    // The pair passes the X-order check like any AddXY.
    Channel->SetAllowOutOfOrderXValues(false);
    Channel->AddXY(5, 0);
    SetValue("Sensors.Setpoint", 4);
    EXPECT_THROW(Deliver(), Exception);
    EXPECT_EQ(Channel->GetCount(), 2);
}

TEST_F(ChannelOPC, OneItemGivesYWithXFromItsSource)
{
    TClockOverride clock(46000.25);
    Channel->SetOPCScalar(2);
    SetValue("Sensors.Setpoint", 1.5, 45000.5);
    Channel->OPCActivate();
    Deliver();
    ASSERT_EQ(Channel->GetCount(), 1);
    EXPECT_EQ(Channel->GetDataX(0), 45000.5);  // the server's time stamp
    EXPECT_EQ(Channel->GetDataY(0), 3);        // scaled by the item

    Channel->SetOPCXValueSource(iopcxvsSystemTimeStamp);
    SetValue("Sensors.Setpoint", 2);
    Deliver();
    ASSERT_EQ(Channel->GetCount(), 2);
    EXPECT_EQ(Channel->GetDataX(1), 46000.25);

    // Nothing is registered while the plot is being designed.
    Channel->OPCDeactivate();
    EXPECT_FALSE(Channel->GetOPCActive());
    Host.Designing = true;
    Channel->OPCActivate();
    EXPECT_FALSE(Channel->GetOPCActive());
}

TEST_F(ChannelOPC, LoadingConnectsWhenAutoConnectIsSet)
{
    Channel->SetOPCAutoConnect(false);
    Channel->Loaded();
    EXPECT_FALSE(Channel->GetOPCActive());
    auto connecting = NewChannel();
    connecting->SetOPCServerName(kSimulation);
    connecting->SetOPCItemName("Sensors.Setpoint");
    connecting->Loaded();
    EXPECT_TRUE(connecting->GetOPCActive());
}

// ---------------------------------------------------------------------------------------------
// Property files of the strip-chart channel

// Values equal to their declared defaults are left out; the two high-low colours start
// elsewhere, so a new channel writes them.
TEST_F(ChannelTest, PropertyFilesWriteWhatDiffersFromTheDeclaredDefaults)
{
    TempDir dir;
    Channel->SetOPCUpdateRate(250);
    Channel->SavePropertiesToFile(dir.Path("channel.txt"));
    TStringList lines;
    lines.LoadFromFile(dir.Path("channel.txt"));
    for (const char* line : {"Channel.HighLowBarColor = 16776960", "Channel.HighLowOpenColor = 65280",
                             "Channel.OPCUpdateRate = 250", "Channel.BarWidth = 5", "Channel.DataStyle = 0"})
        EXPECT_GE(lines.IndexOf(line), 0) << line;
    for (const char* omitted : {"FastDrawEnabled", "HighLowCloseColor", "OPCAutoConnect", "Color", "MarkersSize"}) {
        const std::string prefix = std::string("Channel.") + omitted + " = ";
        for (int i = 0; i < lines.Count(); ++i)
            EXPECT_NE(lines.Strings(i).rfind(prefix, 0), 0u) << lines.Strings(i);
    }
}
