// What every channel shares: the add path with its statistics, tracking and log, the
// storage forms, the axis binding, the data, log and property files, and dragging points.

#include "plot/ChannelTestSupport.h"
#include "support/TempDir.h"

#include "platform/core/Regional.h"
#include "platform/core/StringList.h"
#include "platform/gui/Menus.h"
#include "platform/gui/TestHooks.h"

#include <algorithm>
#include <fstream>
#include <functional>
#include <sstream>

namespace {

struct PointRow {
    double X;
    double Y;
    bool Null;
    bool Empty;
    friend bool operator==(const PointRow&, const PointRow&) = default;
};

std::ostream& operator<<(std::ostream& out, const PointRow& p)
{
    return out << "(" << p.X << ", " << p.Y << (p.Null ? ", Null" : "") << (p.Empty ? ", Empty" : "") << ")";
}

std::vector<PointRow> Points(const TiPlotChannelCustom& channel)
{
    std::vector<PointRow> rows;
    for (int i = 0; i < channel.GetCount(); ++i) {
        PointRow p{};
        channel.GetXYEmptyNull(i, p.X, p.Y, p.Empty, p.Null);
        rows.push_back(p);
    }
    return rows;
}

TVariant Array(std::initializer_list<double> values, int low = 0)
{
    TVariant a = TVariant::CreateArray({{low, low + int(values.size()) - 1}}, varDouble);
    int i = low;
    for (double v : values)
        a.PutElement({i++}, v);
    return a;
}

std::string FileText(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

}  // namespace

// ---------------------------------------------------------------------------------------------
// The add family

using Call = std::function<int(TiPlotChannel&)>;

struct AddCase {
    const char* Name;
    std::vector<Call> Calls;
    std::vector<int> Results;  // of each call; -2 for a call without a result
    std::vector<PointRow> Expected;
    int RunningCount;
    double RunningYMin, RunningYMax, RunningYMean, RunningXMean;
};

Call XY(double x, double y)
{
    return [=](TiPlotChannel& c) { return c.AddXY(x, y); };
}
Call XNull(double x)
{
    return [=](TiPlotChannel& c) { return c.AddXNull(x); };
}
Call XEmpty(double x)
{
    return [=](TiPlotChannel& c) { return c.AddXEmpty(x); };
}
Call YArray(double interval, std::initializer_list<double> ys)
{
    TVariant data = Array(ys);
    return [=](TiPlotChannel& c) {
        c.AddYArray(interval, data);
        return -2;
    };
}
Call XYArrays(std::initializer_list<double> xs, std::initializer_list<double> ys)
{
    TVariant xData = Array(xs, 1), yData = Array(ys, 1);
    return [=](TiPlotChannel& c) {
        c.AddXYArrays(xData, yData);
        return -2;
    };
}

TEST_F(ChannelTest, AddFamilyGivesPointsIndexesAndStatistics)
{
    const AddCase cases[] = {
        {"pairs", {XY(1, 10), XY(2, 20)}, {0, 1}, {{1, 10, false, false}, {2, 20, false, false}}, 2, 10, 20, 15, 1.5},
        // Null and Empty points carry Y 0, which never enters the statistics.
        {"null and empty",
         {XY(1, 10), XY(2, 20), XNull(3), XY(4, 30), XEmpty(5)},
         {0, 1, 2, 3, 4},
         {{1, 10, false, false},
          {2, 20, false, false},
          {3, 0, true, false},
          {4, 30, false, false},
          {5, 0, false, true}},
         3,
         10,
         30,
         20,
         7.0 / 3},
        {"Y array on an empty channel starts at 0",
         {YArray(0.5, {1, 2, 3})},
         {-2},
         {{0, 1, false, false}, {0.5, 2, false, false}, {1, 3, false, false}},
         3,
         1,
         3,
         2,
         0.5},
        // The first element repeats the newest X.
        {"Y array after X 7",
         {XY(7, 4), YArray(0.5, {1, 2, 3})},
         {0, -2},
         {{7, 4, false, false}, {7, 1, false, false}, {7.5, 2, false, false}, {8, 3, false, false}},
         4,
         1,
         4,
         2.5,
         7.375},
        {"X and Y arrays",
         {XYArrays({1, 2}, {-5, 5})},
         {-2},
         {{1, -5, false, false}, {2, 5, false, false}},
         2,
         -5,
         5,
         0,
         1.5},
        {"only invalid points",
         {XNull(1), XEmpty(2)},
         {0, 1},
         {{1, 0, true, false}, {2, 0, false, true}},
         0,
         1e300,
         -1e300,
         0,
         0},
    };
    for (const AddCase& c : cases) {
        SCOPED_TRACE(c.Name);
        auto channel = NewChannel();
        std::vector<int> results;
        for (const Call& call : c.Calls)
            results.push_back(call(*channel));
        EXPECT_EQ(results, c.Results);
        EXPECT_EQ(Points(*channel), c.Expected);
        EXPECT_EQ(channel->RunningCount(), c.RunningCount);
        EXPECT_EQ(channel->RunningYMin(), c.RunningYMin);
        EXPECT_EQ(channel->RunningYMax(), c.RunningYMax);
        EXPECT_DOUBLE_EQ(channel->RunningYMean(), c.RunningYMean);
        EXPECT_DOUBLE_EQ(channel->RunningXMean(), c.RunningXMean);
        // The scanning getters agree while every point is still held.
        EXPECT_EQ(channel->GetYMin(), c.RunningYMin);
        EXPECT_DOUBLE_EQ(channel->GetYMean(), c.RunningYMean);
    }
}

TEST_F(ChannelTest, ANewChannelIsEmpty)
{
    EXPECT_EQ(Channel->GetCount(), 0);
    EXPECT_EQ(Channel->GetIndexFirst(), -1);
    EXPECT_EQ(Channel->GetIndexLast(), -1);
    for (double v : {Channel->GetXFirst(), Channel->GetXLast(), Channel->GetYFirst(), Channel->GetYLast()})
        EXPECT_EQ(v, -1.0);
    EXPECT_EQ(Channel->RunningXMin(), 1e300);
    EXPECT_EQ(Channel->RunningXMax(), -1e300);
    EXPECT_EQ(Channel->RunningYMean(), 0);
    EXPECT_EQ(Channel->Color(), clRed);
    EXPECT_EQ(Channel->MarkersSize(), 3);
    EXPECT_EQ(Channel->BarWidth(), 5.0);
    EXPECT_EQ(Channel->MarkersFont()->GetColor(), clWhite);
}

TEST_F(ChannelTest, ArrayShapesAreCheckedBeforeAnythingIsAdded)
{
    TVariant matrix = TVariant::CreateArray({{0, 1}, {0, 2}}, varDouble);
    TVariant threeRows = TVariant::CreateArray({{0, 2}, {0, 2}}, varDouble);
    ExpectMessage([&] { Channel->AddXYArrays(matrix, Array({1})); }, "X-Data array must be 1 dimensional");
    ExpectMessage([&] { Channel->AddXYArrays(Array({1}), TVariant(3.0)); }, "Y-Data array must be 1 dimensional");
    ExpectMessage(
        [&] {
            Channel->AddXYArrays(Array({1, 2}, 0), Array({1, 2}, 1));
        },
        "X-Data and Y-Data low bound dimension must match");
    ExpectMessage(
        [&] {
            Channel->AddXYArrays(Array({1, 2}), Array({1, 2, 3}));
        },
        "X-Data and Y-Data hogh bound dimension must match");
    ExpectMessage([&] { Channel->AddXYArray(Array({1, 2})); }, "Array Must Be 2 Dimensional");
    ExpectMessage([&] { Channel->AddXYArray(threeRows); }, "Array First Dimension Must Be 2 Elements");
    ExpectMessage([&] { Channel->AddYArray(1, matrix); }, "Y-Data array must be 1 dimensional");
    EXPECT_EQ(Channel->GetCount(), 0);

    // Row 0 holds X, row 1 Y.
    matrix.PutElement({0, 0}, 1.0);
    matrix.PutElement({1, 0}, 10.0);
    matrix.PutElement({0, 1}, 2.0);
    matrix.PutElement({1, 1}, 20.0);
    Channel->AddXYArray(matrix);
    EXPECT_EQ(Points(*Channel),
              (std::vector<PointRow>{{1, 10, false, false}, {2, 20, false, false}, {0, 0, false, false}}));
}

// ---------------------------------------------------------------------------------------------
// Storage forms

class ChannelStyle : public ChannelTest, public testing::WithParamInterface<TiPlotDataStyle> {};

INSTANTIATE_TEST_SUITE_P(AllStyles, ChannelStyle,
                         testing::Values(ipdsStandard, ipdsCompact, ipdsCompactInterval, ipdsFullFeature),
                         [](const auto& info) {
                             return std::string(PravixTypeInfo((TiPlotDataStyle*)nullptr).EnumName(info.param));
                         });

// A ring of 5 fed 23 points: the index returned is always the newest point's, the channel
// holds the five newest in order, and the running statistics still cover all 23.
TEST_P(ChannelStyle, AFullRingWrapsManyTimes)
{
    Channel->SetDataStyle(GetParam());
    Channel->SetRingBufferSize(5);
    for (int i = 0; i < 23; ++i) {
        const int index = Channel->AddXY(i, 100 + i);
        ASSERT_EQ(index, std::min(i, 4)) << "point " << i;
        ASSERT_EQ(Channel->GetDataY(index), 100 + i);
    }
    ASSERT_EQ(Channel->GetCount(), 5);
    for (int i = 0; i < 5; ++i) {
        EXPECT_EQ(Channel->GetDataX(i), 18 + i);
        EXPECT_EQ(Channel->GetDataY(i), 118 + i);
    }
    EXPECT_EQ(Channel->RunningCount(), 23);
    EXPECT_EQ(Channel->RunningYMin(), 100);
    EXPECT_DOUBLE_EQ(Channel->RunningYMean(), 111);
    // The scanning getters see only the points held and leave the running count alone.
    EXPECT_DOUBLE_EQ(Channel->GetYMean(), 120);
    EXPECT_DOUBLE_EQ(Channel->RunningXMean(), 11);
    EXPECT_EQ(Channel->RunningCount(), 23);
    Channel->ReCalcRunningMinMaxMean();
    EXPECT_EQ(Channel->RunningCount(), 5);
    EXPECT_DOUBLE_EQ(Channel->RunningXMean(), 20);
}

// The compact forms keep no status: a Null or Empty point reads back as a valid 0, yet it
// never enters the statistics.
TEST_P(ChannelStyle, NullAndEmptyPointsNeverCount)
{
    Channel->SetDataStyle(GetParam());
    Channel->AddXY(0, 5);
    Channel->AddXNull(1);
    Channel->AddXEmpty(2);
    const bool keepsStatus = GetParam() == ipdsStandard || GetParam() == ipdsFullFeature;
    EXPECT_EQ(Channel->GetDataNull(1), keepsStatus);
    EXPECT_EQ(Channel->GetDataEmpty(2), keepsStatus);
    EXPECT_EQ(Channel->GetDataY(1), 0);
    EXPECT_EQ(Channel->RunningCount(), 1);
    EXPECT_EQ(Channel->RunningYMin(), 5);
}

TEST_P(ChannelStyle, HighLowPointsKeepTheirPricesOnlyInTheFullForm)
{
    Channel->SetDataStyle(GetParam());
    Channel->SetRingBufferSize(2);
    for (int i = 0; i < 5; ++i)
        EXPECT_EQ(Channel->AddHighLow(i, 10 + i, 1 + i, 5 + i, 6 + i), std::min(i, 1));
    const bool keeps = GetParam() == ipdsFullFeature;
    // After the ring wrapped the prices still belong to the newest point.
    EXPECT_EQ(Channel->GetDataHigh(1), keeps ? 14 : 0);
    EXPECT_EQ(Channel->GetDataClose(0), keeps ? 9 : 0);
    EXPECT_EQ(Channel->RunningCount(), 0);
    EXPECT_EQ(Channel->RunningYMax(), -1e300);
}

TEST_F(ChannelTest, ChangingTheDataStyleKeepsTheAppearanceAndLosesThePoints)
{
    Channel->SetColor(clBlue);
    Channel->SetMarkersVisible(true);
    Channel->SetMarkersStyle(ipmsDiamond);
    Channel->SetBarWidth(2.5);
    Channel->SetRingBufferSize(7);
    Channel->AddXY(1, 1);
    Channel->SetDataStyle(ipdsStandard);
    EXPECT_EQ(Channel->GetCount(), 1);

    Channel->SetDataStyle(ipdsCompact);
    EXPECT_EQ(Channel->GetCount(), 0);
    EXPECT_EQ(Channel->GetDataPointSize(), 8);
    EXPECT_EQ(Channel->Color(), clBlue);
    EXPECT_TRUE(Channel->MarkersVisible());
    EXPECT_EQ(Channel->MarkersStyle(), ipmsDiamond);
    EXPECT_EQ(Channel->BarWidth(), 2.5);
    EXPECT_EQ(Channel->RingBufferSize(), 7);
    // The statistics describe the lost points until the next Clear.
    EXPECT_EQ(Channel->RunningCount(), 1);
}

// ---------------------------------------------------------------------------------------------
// Statistics over Clear and deletes

TEST_F(ChannelTest, ClearRestartsTheStatisticsAndDeletesKeepThem)
{
    for (int i = 1; i <= 4; ++i)
        Channel->AddXY(i, 10 * i);
    Channel->DeletePoints(3);
    EXPECT_EQ(Channel->GetCount(), 1);
    EXPECT_EQ(Channel->GetDataX(0), 4);
    EXPECT_EQ(Channel->RunningCount(), 4);
    EXPECT_EQ(Channel->RunningYMin(), 10);

    Channel->Clear();
    EXPECT_EQ(Channel->DrawStartIndex(), -1);
    EXPECT_EQ(Channel->DrawStopIndex(), -1);
    Channel->AddXY(5, 7);
    EXPECT_EQ(Channel->RunningXMean(), 5);
    EXPECT_EQ(Channel->RunningYMean(), 7);
    EXPECT_EQ(Channel->RunningCount(), 1);

    ExpectMessage([&] { Channel->DeletePoints(2); }, "Delete size out of Range");
}

// ---------------------------------------------------------------------------------------------
// Axes: binding and tracking

TEST_F(ChannelTest, AxesAreFoundByNameAndCached)
{
    EXPECT_EQ(Channel->GetXAxis(), m_xAxis.get());
    const int lookups = Host.AxisLookups;
    Channel->GetXAxis();
    EXPECT_EQ(Host.AxisLookups, lookups);

    // A rename of the bound axis follows into the name; its removal drops the cache only.
    m_xAxis->SetName("Time");
    Channel->NotificationRename(m_xAxis.get());
    EXPECT_EQ(Channel->XAxisName(), "Time");
    Channel->NotificationRemove(m_xAxis.get());
    Host.XAxis = nullptr;
    EXPECT_EQ(Channel->GetXAxis(), nullptr);
    EXPECT_EQ(Channel->XAxisName(), "Time");

    Host.Translations["No X-Axis"] = "Keine X-Achse";
    EXPECT_EQ(Channel->GetXValueText(1), "Keine X-Achse");
    // Tracking skips the missing axis; the marker extent cannot be had without it.
    Channel->SetMarkersVisible(true);
    Channel->AddXY(1, 1);
    ExpectMessage([&] { Channel->GetDataXDrawMax(0); }, "X-Axis not assigned");
    Channel->AddXNull(2);
    ExpectMessage([&] { Channel->GetDataYDrawMin(1); }, "Data Point Null");
}

// A scrolling X axis shows each point's scroll right after its add, and announces it: an add
// that scrolls is two changes (the channel's and the axis's), one inside the scale only one.
TEST_F(ChannelTest, AScrollingAxisIsUpToDateAfterEachAdd)
{
    m_xAxis->SetTrackingEnabled(true);
    m_xAxis->SetTrackingStyle(iptsScrollSmooth);
    m_xAxis->SetMinSpan(0, 10);
    Channel->AddXY(0, 0);
    for (double x = 0.5; x <= 40; x += 0.5) {
        SCOPED_TRACE(x);
        const int before = Notifications["Change"];
        Channel->AddXY(x, 0);
        EXPECT_EQ(m_xAxis->Min(), std::max(0.0, x - 10));
        EXPECT_EQ(m_xAxis->Span(), 10);
        EXPECT_EQ(Notifications["Change"] - before, x > 10 ? 2 : 1);
    }
}

// The axis a channel keeps for tracking is the one its name binds at each add: one renamed
// is followed, one removed is let go of and a new axis of the name taken up, and a new name
// binds another axis.
TEST_F(ChannelTest, TrackingReachesTheAxisBoundAfterAxesChange)
{
    const auto scrolling = [](TiPlotXAxis& axis) {
        axis.SetTrackingEnabled(true);
        axis.SetTrackingStyle(iptsScrollSmooth);
        axis.SetMinSpan(0, 10);
    };
    scrolling(*m_xAxis);
    Channel->AddXY(5, 0);
    Channel->AddXY(20, 0);
    ASSERT_EQ(m_xAxis->Min(), 10);

    m_xAxis->SetName("Time");
    Channel->NotificationRename(m_xAxis.get());
    Channel->AddXY(30, 0);
    EXPECT_EQ(m_xAxis->Min(), 20);

    // Replaced by a new axis of the same name: the old one is gone before the next point.
    auto replacement = std::make_unique<TiPlotXAxis>(&Host, Ignore(), Ignore(), Ignore(), Ignore());
    replacement->SetName("Time");
    scrolling(*replacement);
    Channel->NotificationRemove(m_xAxis.get());
    Host.XAxis = replacement.get();
    m_xAxis.reset();
    Channel->AddXY(40, 0);  // the first value the new axis sees: it aligns
    Channel->AddXY(60, 0);
    EXPECT_EQ(replacement->Min(), 50);

    // Bound to another axis by name: the one it left stays put.
    auto other = std::make_unique<TiPlotXAxis>(&Host, Ignore(), Ignore(), Ignore(), Ignore());
    other->SetName("Depth");
    scrolling(*other);
    Host.XAxis = other.get();
    Channel->SetXAxisName("Depth");
    Channel->AddXY(70, 0);
    Channel->AddXY(90, 0);
    EXPECT_EQ(other->Min(), 80);
    EXPECT_EQ(replacement->Min(), 50);

    // Without an axis of the name tracking skips the X axis, and finds one made later.
    Host.XAxis = nullptr;
    Channel->NotificationRemove(other.get());
    Channel->AddXY(100, 0);
    Host.XAxis = other.get();
    Channel->AddXY(120, 0);
    EXPECT_EQ(other->Min(), 110);
    // The fixture's axis outlives the channel.
    Channel->NotificationRemove(other.get());
    m_xAxis = std::move(replacement);
    Host.XAxis = m_xAxis.get();
}

// Tracking sees each point's extent: with markers the point ± the marker size in axis units
// (3 pixels of 4 per unit), without them the value; Null points never reach the Y axis and,
// with markers, not the X axis either.
TEST_F(ChannelTest, NewPointsAreHandedToTracking)
{
    struct Case {
        bool Markers;
        std::function<void(TiPlotChannel&)> Add;
        double XMax, YMax, YMin;  // the axes' extremes afterwards
    };
    const Case cases[] = {
        {false, [](TiPlotChannel& c) { c.AddXY(150, 250); }, 150, 250, 0},
        {true, [](TiPlotChannel& c) { c.AddXY(150, 250); }, 150.75, 250.75, 0},
        {false, [](TiPlotChannel& c) { c.AddXNull(150); }, 150, 100, 0},
        {true, [](TiPlotChannel& c) { c.AddXNull(150); }, 100, 100, 0},
        {false, [](TiPlotChannel& c) { c.AddXEmpty(150); }, 150, 100, 0},
        {true, [](TiPlotChannel& c) { c.AddXEmpty(150); }, 150.75, 100, 0},
        {false, [](TiPlotChannel& c) { c.AddXY(50, -40); }, 100, 60, -40},  // the span stays
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(&c - cases);
        SetUpAxes();
        // Both ends follow the data exactly, from the present view on.
        for (TiPlotAxis* axis : {static_cast<TiPlotAxis*>(m_xAxis.get()), static_cast<TiPlotAxis*>(m_yAxis.get())}) {
            axis->SetTrackingEnabled(true);
            axis->SetTrackingStyle(iptsScaleMinMax);
            axis->SetTrackingIncrementStyle(iptisMinimum);
            axis->SetTrackingAlignFirstStyle(ipafsNone);
            axis->NewTrackingData(50);
        }
        auto channel = NewChannel();
        channel->SetMarkersVisible(c.Markers);
        c.Add(*channel);
        EXPECT_DOUBLE_EQ(m_xAxis->GetMax(), c.XMax);
        EXPECT_DOUBLE_EQ(m_yAxis->GetMax(), c.YMax);
        EXPECT_DOUBLE_EQ(m_yAxis->Min(), c.YMin);
    }
}

// ---------------------------------------------------------------------------------------------
// Data files

class ChannelFiles : public ChannelTest {
protected:
    TempDir Dir;
};

TEST_F(ChannelFiles, DataFilesRoundTripWithEitherSeparator)
{
    for (char separator : {'\t', ','}) {
        SCOPED_TRACE(int(separator));
        // A comma-decimal region must not leak into the files.
        TFormatSettings german = TFormatSettings::English();
        german.DecimalSeparator = ',';
        TRegionGuard region(german);
        Host.Separator = separator;
        auto source = NewChannel();
        source->AddXY(0.5, -1.25);
        source->AddXNull(1);
        source->AddXEmpty(2);
        source->AddXY(1e15, 1e-6);
        const std::string path = Dir.Path("data.txt");
        source->SaveDataToFile(path);
        const std::string s(1, separator);
        EXPECT_EQ(FileText(path), "0.5" + s + "-1.25\r\n1" + s + "Null\r\n1E15" + s + "1E-6\r\n");

        auto loaded = NewChannel();
        loaded->AddXY(-1, -1);
        loaded->LoadDataFromFile(path, true);
        EXPECT_EQ(Points(*loaded),
                  (std::vector<PointRow>{{0.5, -1.25, false, false}, {1, 0, true, false}, {1e15, 1e-6, false, false}}));
        EXPECT_EQ(loaded->RunningCount(), 2);
    }
}

TEST_F(ChannelFiles, TheFirstLineDecidesTheSeparator)
{
    const std::string path = Dir.Write("tab.txt", "1\t2\r\n3,4\r\n5\tnull\r\n\r\n6\tNULL\n");
    Channel->LoadDataFromFile(path, false);
    EXPECT_EQ(Points(*Channel),
              (std::vector<PointRow>{{1, 2, false, false}, {5, 0, true, false}, {6, 0, true, false}}));

    Channel->LoadDataFromFile(Dir.Write("empty.txt", ""), true);
    EXPECT_EQ(Channel->GetCount(), 0);
}

// A broken file raises a conversion error naming what it could not read, and the channel
// keeps its points, statistics and logging as they were.
TEST_F(ChannelFiles, BrokenDataFilesChangeNothing)
{
    const struct {
        const char* Name;
        std::string Bytes;
        const char* Line;  // how the message starts
    } files[] = {
        {"bad number", "1\t2\r\n3\tx4\r\n", "Line 2: 'x4' is not a valid floating point value"},
        {"short row", "1\t2\r\n\r\n3\t\r\n", "Line 3: '' is not"},
        {"bad X", "1\t2\r\n1..5\t2\r\n", "Line 2: '1..5'"},
        {"binary junk", std::string("\xff\xd8\xff\xe0\t\x10JFIF\x00\x01\r\n", 14), "Line 1: "},
    };
    Channel->SetLogFileName(Dir.Path("log.txt"));
    Channel->LogActivate(false);
    Channel->SetLogBufferSize(10);
    Channel->AddXY(7, 8);
    for (const auto& file : files) {
        SCOPED_TRACE(file.Name);
        try {
            Channel->LoadDataFromFile(Dir.Write("broken.txt", file.Bytes), true);
            ADD_FAILURE() << "loaded";
        } catch (const EConvertError& e) {
            EXPECT_EQ(e.Message().rfind(file.Line, 0), 0u) << e.Message();
        }
        EXPECT_EQ(Points(*Channel), (std::vector<PointRow>{{7, 8, false, false}}));
        EXPECT_EQ(Channel->RunningCount(), 1);
        EXPECT_TRUE(Channel->LoggingActive());
        EXPECT_EQ(Channel->PendingLogRows(), 1);
    }
    EXPECT_THROW(Channel->LoadDataFromFile(Dir.Path("missing.txt"), true), Exception);
    EXPECT_EQ(Channel->GetCount(), 1);
}

// ---------------------------------------------------------------------------------------------
// Log files

TEST_F(ChannelFiles, LogRowsAreWrittenWhenTheBufferFills)
{
    const std::string path = Dir.Path("log.txt");
    Channel->SetLogFileName(path);
    Channel->SetLogBufferSize(3);
    Channel->LogActivate(false);
    Channel->AddXY(1, 10);
    Channel->AddXY(2, 20);
    EXPECT_EQ(FileText(path), "");
    Channel->AddXNull(3);
    EXPECT_EQ(FileText(path), "1\t10\r\n2\t20\r\n3\tNull\r\n");
    Channel->AddXEmpty(4);
    Channel->AddXY(5, 50);
    // Clear ends logging and writes the remainder; an Empty point has no row.
    Channel->Clear();
    EXPECT_FALSE(Channel->LoggingActive());
    EXPECT_EQ(FileText(path), "1\t10\r\n2\t20\r\n3\tNull\r\n5\t50\r\n");

    // A log reads back as a data file.
    Channel->LoadDataFromFile(path, true);
    EXPECT_EQ(Channel->GetCount(), 4);

    // Appending keeps what is there; buffer sizes below 2 write every point.
    Channel->SetLogBufferSize(1);
    Channel->LogActivate(true);
    Channel->AddXY(6, 60);
    EXPECT_EQ(FileText(path), "1\t10\r\n2\t20\r\n3\tNull\r\n5\t50\r\n6\t60\r\n");
    Channel->LogDeactivate();
}

TEST_F(ChannelFiles, LogRowsOfPointsNoLongerHeldAreDropped)
{
    const std::string path = Dir.Path("log.txt");
    Channel->SetLogFileName(path);
    Channel->SetRingBufferSize(2);
    Channel->SetLogBufferSize(5);
    Channel->LogActivate(false);
    for (int i = 1; i <= 4; ++i)
        Channel->AddXY(i, i);
    EXPECT_EQ(Channel->PendingLogRows(), 4);
    Channel->LogDeactivate();
    EXPECT_EQ(FileText(path), "3\t3\r\n4\t4\r\n");
    EXPECT_EQ(Channel->PendingLogRows(), 0);
}

TEST_F(ChannelFiles, LoggingRefusals)
{
    ExpectMessage([&] { Channel->LogActivate(false); }, "Log File Name not Defined");
    ExpectMessage([&] { Channel->LogDeactivate(); }, "Logging not Active");
    Channel->SetLogFileName(Dir.Path("missing.txt"));
    EXPECT_THROW(Channel->LogActivate(true), Exception);
    EXPECT_FALSE(Channel->LoggingActive());
    Channel->LogActivate(false);
    ExpectMessage([&] { Channel->LogActivate(false); }, "Logging Already Active");
    Host.Translations["Log File Name can not be changed while logging is active."] = "Nein.";
    ExpectMessage([&] { Channel->SetLogFileName(Dir.Path("other.txt")); }, "Nein.");
    Channel->SetLogFileName(Dir.Path("missing.txt"));  // the same name is no change
    // Deleting every point is a Clear and ends logging too.
    Channel->AddXY(1, 1);
    Channel->DeletePoints(1);
    EXPECT_FALSE(Channel->LoggingActive());
}

// ---------------------------------------------------------------------------------------------
// Property files

TEST_F(ChannelFiles, PropertyFilesCarryEverythingButTheName)
{
    Channel->SetName("Channel 1");
    Channel->SetTitleText("Turbidity");
    Channel->SetColor(clGreen);
    Channel->SetDataStyle(ipdsFullFeature);
    Channel->MarkersFont()->SetColor(clYellow);
    const std::string path = Dir.Path("channel.txt");
    Channel->SavePropertiesToFile(path);

    TStringList lines;
    lines.LoadFromFile(path);
    EXPECT_EQ(lines.Strings(0), "File Type = Plot Channel Config");
    EXPECT_EQ(FileText(path).find("Channel.Name"), std::string::npos);
    EXPECT_NE(FileText(path).find("Channel.MarkersFont.Color = "), std::string::npos);

    auto other = NewChannel();
    other->SetName("Channel 2");
    other->AddXY(1, 1);
    other->LoadPropertiesFromFile(path);
    EXPECT_EQ(other->Name(), "Channel 2");
    EXPECT_EQ(other->TitleText(), "Turbidity");
    EXPECT_EQ(other->Color(), clGreen);
    EXPECT_EQ(other->MarkersFont()->GetColor(), clYellow);
    // The data style came through its setter: a new list, the point gone.
    EXPECT_EQ(other->DataStyle(), ipdsFullFeature);
    EXPECT_EQ(other->GetCount(), 0);

    ExpectMessage([&] { other->LoadPropertiesFromFile(Dir.Write("plot.txt", "File Type = Plot Config\r\n")); },
                  "Incompatible Plot Channel Configuration File Type");
    ExpectMessage([&] { other->LoadPropertiesFromFile(Dir.Write("none.txt", "Channel.TitleText = x\r\n")); },
                  "Incompatible Plot Channel Configuration File Type");
    EXPECT_EQ(other->TitleText(), "Turbidity");
    try {
        Channel->SavePropertiesToFile(Dir.Path("no/such/folder.txt"));
        ADD_FAILURE();
    } catch (const Exception& e) {
        EXPECT_EQ(e.Message().rfind("Error Saving Properties - ", 0), 0u) << e.Message();
    }
}

// ---------------------------------------------------------------------------------------------
// Selection and clicks

TEST_F(ChannelTest, AnotherObjectSelectedDropsTheChannelsSelection)
{
    auto other = NewChannel();
    Channel->SetUserSelected(true);
    Channel->NotificationSetFocus(other.get());  // not selected itself: nothing happens
    EXPECT_TRUE(Channel->UserSelected());
    other->SetUserSelected(true);
    Channel->NotificationSetFocus(other.get());
    EXPECT_FALSE(Channel->UserSelected());
}

TEST_F(ChannelTest, AReleaseOnTheLegendRowClicksTheChannel)
{
    Channel->SetLegendRect(Rect(500, 10, 560, 20));
    Channel->iMouseDown(mbLeft, {}, 510, 15, 510, 15, nullptr);
    Channel->iMouseUp(mbLeft, {}, 511, 15, 511, 15, false, nullptr);
    EXPECT_NE(std::find(Host.Events.begin(), Host.Events.end(), "ObjectClick"), Host.Events.end());
    EXPECT_EQ(Channel->GetMousePointer({}), crHandPoint);
}

namespace {

// Records where the menu would open; the modal script picks nothing.
class TRecordingPopupMenu : public TPopupMenu {
public:
    TRecordingPopupMenu() : TPopupMenu(nullptr) {}
    std::vector<TPoint> ShownAt;
    void Popup(int x, int y) override
    {
        ShownAt.push_back({x, y});
        TPopupMenu::Popup(x, y);
    }
};

}  // namespace

// Shift+F10 and the context-menu key open the channel's menu over the plotting area, at the
// centre of data view 0 (100, 50 .. 500, 450).
TEST_F(ChannelTest, TheMenuKeysOpenTheMenuOverTheDataView)
{
    TestHooks::TModalScript script;
    struct Case {
        int key;
        TShiftState shift;
        bool opens;
    };
    const Case cases[] = {{121, {ssShift}, true}, {93, {}, true}, {121, {}, false}};
    for (const Case& c : cases) {
        TRecordingPopupMenu menu;
        int key = c.key;
        Channel->iKeyDown(key, c.shift, &menu);
        EXPECT_EQ(menu.ShownAt, c.opens ? std::vector<TPoint>{Point(300, 250)} : std::vector<TPoint>{}) << c.key;
    }
}

// While the plot shows X vertically, the X pixels run top to bottom and the Y pixels across.
TEST_F(ChannelTest, PixelRectanglesFollowTheAxesOrientation)
{
    const int x10 = m_xAxis->PositionToPixels(10), x20 = m_xAxis->PositionToPixels(20);
    const int y40 = m_yAxis->PositionToPixels(40), y80 = m_yAxis->PositionToPixels(80);
    EXPECT_EQ(Channel->GetPixelRect(20, 40, 10, 80), Rect(x10, y80, x20, y40));
    EXPECT_EQ(Channel->GetXValueFromMousePoint(x20, 0), 20);
    Channel->SetXYAxesReversed(true);
    EXPECT_EQ(Channel->GetPixelRect(20, 40, 10, 80), Rect(y80, x10, y40, x20));
    EXPECT_EQ(Channel->GetXValueFromMousePoint(0, x20), 20);
}
