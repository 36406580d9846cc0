#include "plot/control/iPlotComponent.h"

#include "PlotBoxKinds.h"

#include "platform/canvas/Bitmap.h"
#include "platform/canvas/ImageCodecs.h"
#include "platform/canvas/SystemColors.h"
#include "platform/core/Exceptions.h"
#include "platform/core/FormDescription.h"
#include "platform/core/StrUtils.h"
#include "platform/core/Variant.h"
#include "plot/control/iPlot.h"
#include "plot/control/iXYPlot.h"
#include "plot/core/iPlotMasterManager.h"
#include "plot/objects/iPlotChannel.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <functional>
#include <memory>
#include <string>
#include <type_traits>
#include <vector>

namespace {

// The plot's own toolbar, data view and legend; boxes for the kinds still to come.
class PlotTest : public ::testing::Test {
protected:
    TBoxKinds m_kinds{true};
};

void SavePNG(const TBitmap& bitmap, const std::string& name)
{
    const TBytes bytes = EncodePNG(bitmap, 9);
    std::FILE* file = std::fopen(name.c_str(), "wb");
    ASSERT_NE(file, nullptr);
    std::fwrite(bytes.data(), 1, bytes.size(), file);
    std::fclose(file);
}

// The message of the exception `call` raises; empty when it raises none.
std::string ErrorOf(const std::function<void()>& call)
{
    try {
        call();
    } catch (const std::exception& e) {
        return e.what();
    }
    return {};
}

// ---------------------------------------------------------------------------------------------
// Construction

TEST_F(PlotTest, ANewStripChartHoldsTheDefaultObjects)
{
    TiPlot plot(nullptr);
    EXPECT_EQ(plot.Width(), 500);
    EXPECT_EQ(plot.Height(), 200);
    ASSERT_EQ(plot.ToolBarCount(), 1);
    EXPECT_EQ(plot.GetToolBarObject(0)->ZOrder(), 3);
    ASSERT_EQ(plot.LegendCount(), 1);
    EXPECT_EQ(plot.GetLegend(0)->ZOrder(), 2);
    EXPECT_EQ(plot.GetXAxis(0)->Name(), "X-Axis 1");
    EXPECT_EQ(plot.GetYAxis(0)->Name(), "Y-Axis 1");
    ASSERT_EQ(plot.ChannelCount(), 1);
    EXPECT_EQ(plot.GetChannel(0)->Name(), "Channel 1");
    EXPECT_EQ(plot.GetChannel(0)->Color(), TColor(0x0000FF));
    EXPECT_EQ(plot.GetChannel(0)->XAxisName(), "X-Axis 1");
    EXPECT_EQ(plot.GetDataView(0)->Name(), "Data View 1");
    EXPECT_EQ(plot.GetObject(TiPlotObjectKind::DataCursor, 0)->Name(), "Cursor 1");
    ASSERT_EQ(plot.LabelCount(), 1);
    EXPECT_EQ(plot.GetLayoutObject(TiPlotObjectKind::Label, 0)->Name(), "Title");
    EXPECT_EQ(plot.GetLayoutObject(TiPlotObjectKind::Label, 0)->ZOrder(), 2);
    EXPECT_EQ(plot.TitleText(), "Untitled");
    EXPECT_EQ(plot.TitleMargin(), 0);
    EXPECT_TRUE(plot.IsStripChartPlot());
    EXPECT_TRUE(plot.GetLayoutManager()->Enabled());
    EXPECT_FALSE(plot.Updating());
}

TEST_F(PlotTest, AnXYPlotWithoutItsChannelClassHasNoChannels)
{
    // The library registers its XY channel class; taken away, the plot makes no channels.
    const TiPlotObjectFactory registered = XYPlotChannelClass();
    RegisterXYPlotChannelClass(nullptr);
    struct Restore {
        TiPlotObjectFactory Class;
        ~Restore() { RegisterXYPlotChannelClass(Class); }
    } restore{registered};
    TiXYPlot plot(nullptr);
    EXPECT_EQ(plot.ChannelCount(), 0);
    EXPECT_EQ(plot.XAxisCount(), 1);
    EXPECT_FALSE(plot.IsStripChartPlot());
    EXPECT_EQ(ErrorOf([&] { plot.AddChannel(); }), "No class is registered for XY channels");
    EXPECT_EQ(plot.ChannelCount(), 0);
}

TEST(PlotKinds, ANewPlotHoldsTheLibrarysDefaultObjects)
{
    // The library registers every kind a new plot is born with: axes, strip-chart channel,
    // legend, data view, toolbar, the title label and the data cursor.
    TiPlot plot(nullptr);
    EXPECT_EQ(plot.ToolBarCount(), 1);
    EXPECT_EQ(plot.DataViewCount(), 1);
    EXPECT_EQ(plot.XAxisCount(), 1);
    EXPECT_EQ(plot.ChannelCount(), 1);
    EXPECT_EQ(plot.LabelCount(), 1);
    EXPECT_EQ(plot.DataCursorCount(), 1);
    EXPECT_EQ(plot.TitleText(), "Untitled");
    plot.SetTitleText("Set");
    EXPECT_EQ(plot.TitleText(), "Set");
    // The plot paints its toolbar, data view, axes and title.
    TBitmap bitmap;
    bitmap.SetSize(300, 200);
    plot.SetBounds(0, 0, 300, 200);
    int painted = 0;
    plot.OnAfterPaint = [&](TObject*) { ++painted; };
    plot.iPaintTo(bitmap.Canvas());
    EXPECT_EQ(painted, 1);
    const TRect view = plot.GetDataView(0)->GetDrawRect();
    EXPECT_GT(view.Width(), 100);
    EXPECT_GT(view.Height(), 50);
}

// ---------------------------------------------------------------------------------------------
// Painting at 600 x 400

struct PaintedPlot {
    TBitmap bitmap;
    int afterPaint = 0;
};

void Paint(TiPlotComponent& plot, PaintedPlot& out, const std::string& png)
{
    plot.SetBounds(0, 0, 600, 400);
    plot.OnAfterPaint = [&out](TObject*) { ++out.afterPaint; };
    out.bitmap.SetSize(600, 400);
    plot.iPaintTo(out.bitmap.Canvas());
    SavePNG(out.bitmap, png);
}

TColor CentreOf(TBitmap& bitmap, const TRect& r)
{
    return bitmap.Canvas().GetPixel((r.Left + r.Right) / 2, (r.Top + r.Bottom) / 2);
}

// Some pixel of the rectangle differs from `background`: something was drawn there.
bool DrawnIn(TBitmap& bitmap, const TRect& r, TColor background)
{
    for (int y = r.Top; y < r.Bottom; ++y)
        for (int x = r.Left; x < r.Right; ++x)
            if (bitmap.Canvas().GetPixel(x, y) != background)
                return true;
    return false;
}

void ExpectDefaultObjectsInPlace(TiPlotComponent& plot, PaintedPlot& painted)
{
    EXPECT_EQ(painted.afterPaint, 1);
    TBitmap& bitmap = painted.bitmap;
    const TRect toolBar = plot.GetToolBarObject(0)->GetDrawRect();
    const TRect title = plot.GetLayoutObject(TiPlotObjectKind::Label, 0)->GetDrawRect();
    const TRect legend = plot.GetLegend(0)->GetDrawRect();
    const TRect dataView = plot.GetDataView(0)->GetDrawRect();
    const TRect xAxis = plot.GetXAxis(0)->GetDrawRect();
    const TRect yAxis = plot.GetYAxis(0)->GetDrawRect();

    // Toolbar on the border at the top, title under it, legend on the right, X axis below
    // and Y axis left of the data view.
    EXPECT_EQ(toolBar.Top, 2);
    EXPECT_EQ(toolBar.Bottom, 38);
    EXPECT_LE(toolBar.Bottom, title.Top);
    EXPECT_LE(title.Bottom, dataView.Top);
    EXPECT_GE(legend.Left, dataView.Right);
    EXPECT_GE(xAxis.Top, dataView.Bottom);
    EXPECT_LE(yAxis.Right, dataView.Left);
    EXPECT_GT(dataView.Right - dataView.Left, 300);
    EXPECT_GT(dataView.Bottom - dataView.Top, 200);

    auto* view = dynamic_cast<TiPlotDataView*>(plot.GetDataView(0));
    const TColor viewBack = view->BackgroundTransparent() ? plot.BackGroundColor() : view->BackgroundColor();
    EXPECT_TRUE(DrawnIn(bitmap, toolBar, clBlack));
    EXPECT_EQ(CentreOf(bitmap, title), TColor(0x4040C0));
    // A legend lists channels: without any it draws nothing.
    EXPECT_EQ(DrawnIn(bitmap, legend, clBlack), plot.ChannelCount() > 0);
    // The grid lies on the ticks; next to the top left corner only the background shows.
    EXPECT_EQ(bitmap.Canvas().GetPixel(dataView.Left + 3, dataView.Top + 3), viewBack);
    EXPECT_TRUE(DrawnIn(bitmap, TRect{dataView.Left, dataView.Top, dataView.Right + 1, dataView.Bottom + 1}, viewBack));
    EXPECT_TRUE(DrawnIn(bitmap, xAxis, clBlack));
    EXPECT_TRUE(DrawnIn(bitmap, yAxis, clBlack));
    // The outer margin stays the plot's background.
    EXPECT_EQ(bitmap.Canvas().GetPixel(300, 396), clBlack);
}

TEST_F(PlotTest, ANewStripChartDrawsItsObjectsInTheirPlaces)
{
    TiPlot plot(nullptr);
    for (int i = 0; i < 10; ++i)
        plot.GetChannel(0)->AddXY(i, i * i);
    PaintedPlot painted;
    Paint(plot, painted, "iPlotComponent_stripchart.png");
    ExpectDefaultObjectsInPlace(plot, painted);
    auto* cursor = dynamic_cast<TBoxDataCursor*>(plot.GetObject(TiPlotObjectKind::DataCursor, 0));
    EXPECT_EQ(cursor->Updates, 1);
    EXPECT_EQ(cursor->PaintDataView, plot.GetDataView(0));

    // A hint box is drawn over everything while it shows.
    plot.ShowHint("Channel 1: 81", 200, 150);
    PaintedPlot hinted;
    Paint(plot, hinted, "iPlotComponent_hint.png");
    EXPECT_TRUE(plot.HintPainted());
    EXPECT_EQ(hinted.bitmap.Canvas().GetPixel(201, 151), ColorToRGB(clInfoBk));
    plot.HideHint();
    plot.iPaintTo(hinted.bitmap.Canvas());
    EXPECT_FALSE(plot.HintPainted());
}

TEST_F(PlotTest, ANewXYPlotDrawsItsObjectsInTheirPlaces)
{
    TiXYPlot plot(nullptr);
    PaintedPlot painted;
    Paint(plot, painted, "iPlotComponent_xy.png");
    ExpectDefaultObjectsInPlace(plot, painted);
}

TEST_F(PlotTest, LayersAreDrawnInKeyOrderClippedToTheDataView)
{
    TiPlot plot(nullptr);
    plot.GetYAxis(0)->SetCartesianStyle(ipcsMaster);
    plot.GetXAxis(0)->SetCartesianStyle(ipcsMaster);
    plot.GetChannel(plot.AddChannel())->SetLayer(99);
    for (int i = 0; i < plot.ChannelCount(); ++i)
        plot.GetChannel(i)->AddXY(1, 1);
    PaintedPlot painted;
    Paint(plot, painted, "iPlotComponent_layers.png");
    std::vector<std::string> keys;
    for (const auto& entry : plot.LayerList().Entries())
        keys.push_back(entry.first);
    // With equal layers: the grid, Y axes, X axes, channels; a lower layer first.
    ASSERT_EQ(plot.LayerList().Count(), 5);
    EXPECT_EQ(plot.LayerList().Object(0), plot.GetChannel(1));
    EXPECT_EQ(keys[0], "000099F");
    EXPECT_EQ(keys[1], "000100B");
    EXPECT_EQ(keys[2], "000100D");
    EXPECT_EQ(keys[3], "000100E");
    EXPECT_EQ(keys[4], "000100F");
    EXPECT_EQ(plot.LayerList().Object(1), plot.GetDataView(0));
}

// ---------------------------------------------------------------------------------------------
// Public operations

TEST_F(PlotTest, RefusedCallsGiveTheirErrorAndChangeNothing)
{
    TiPlot plot(nullptr);
    plot.AddChannel();
    plot.GetChannel(0)->AddXY(0, 1);
    TBitmap tall;
    tall.SetSize(24, 30);
    TBitmap small;
    small.SetSize(16, 16);

    struct Case {
        const char* call;
        std::function<void()> run;
        std::string error;
    };
    const Case cases[] = {
        {"DeleteLabel(0)", [&] { plot.DeleteLabel(0); }, "Label Index 0 can not be Deleted (Resevered for Title)"},
        {"GetChannel(5)", [&] { plot.GetChannel(5); }, "List index out of bounds (5)"},
        {"DeleteXAxis(1)", [&] { plot.DeleteXAxis(1); }, "List index out of bounds (1)"},
        {"TransferChannelData start -1", [&] { plot.TransferChannelData(0, 1, -1, 0); },
         "Start Index Must be 0 or Greater"},
        // The stop index equal to the source's count is one past its last point.
        {"TransferChannelData stop = count", [&] { plot.TransferChannelData(0, 1, 0, 1); },
         "StopIndex Must Out Of Range"},
        // A row wider than the plot adds nothing, not even to the first channels.
        {"AddDataArray 3 values, 2 channels",
         [&] {
             plot.AddDataArray(10, std::vector<double>{1, 2, 3});
         },
         "List index out of bounds (2)"},
        {"AddDataArray 3 dimensions",
         [&] {
             plot.AddDataArray(0, TVariant::CreateArray({{0, 1}, {0, 1}, {0, 1}}, varDouble));
         },
         "Data Array must be 1 or 2 Dimensions"},
        {"AddDataArray scalar", [&] { plot.AddDataArray(0, TVariant(1.0)); }, "Data Array must be 1 or 2 Dimensions"},
        {"ImageListClear(3)", [&] { plot.ImageListClear(3); }, "ImageList Index must be 0-2"},
        {"ImageListAdd(-1)", [&] { plot.ImageListAdd(-1, small); }, "ImageList Index must be 0-2"},
        {"ImageListLoadFromResourceName(3)", [&] { plot.ImageListLoadFromResourceName(3, "SMALLZOOM"); },
         "ImageList Index must be 0-2"},
        {"ImageListLoadFromResourceID(-1)", [&] { plot.ImageListLoadFromResourceID(-1, 1); },
         "ImageList Index must be 0-2"},
        // Equal in width, taller: neither both smaller nor both larger.
        {"ImageListAdd 24x30 to a 24x24 list", [&] { plot.ImageListAdd(0, tall); },
         "Image Width and Height must be the same as other images, or both smaller, or both larger"},
    };
    TBitmap first;
    first.SetSize(24, 24);
    plot.ImageListAdd(0, first);
    for (const Case& c : cases) {
        SCOPED_TRACE(c.call);
        EXPECT_EQ(ErrorOf(c.run), c.error);
        EXPECT_EQ(plot.ChannelCount(), 2);
        EXPECT_EQ(plot.GetChannel(0)->GetCount(), 1);
        EXPECT_EQ(plot.GetChannel(1)->GetCount(), 0);
        EXPECT_EQ(plot.LabelCount(), 1);
        EXPECT_EQ(plot.XAxisCount(), 1);
        EXPECT_EQ(plot.ImageList(0).Count(), 1);
        EXPECT_EQ(plot.PendingLogRowCount(), 0);
    }

    // While logging: the file name and format are refused, an unchanged separator is not.
    plot.SetLoggingActiveForFiles(true);
    EXPECT_EQ(ErrorOf([&] { plot.SetLogFileName("other.txt"); }),
              "Log File Name can not be changed while logging is active.");
    EXPECT_EQ(ErrorOf([&] { plot.SetDataFileFormat(ipdffText); }),
              "Data File Format can not be changed while logging active");
    EXPECT_EQ(ErrorOf([&] { plot.SetDataFileColumnSeparator(ipdfcsComma); }),
              "Data File Column Seperator can not be changed while logging active");
    EXPECT_EQ(ErrorOf([&] { plot.SetDataFileColumnSeparator(ipdfcsTab); }), "");
    EXPECT_EQ(ErrorOf([&] { plot.SetLogFileName(""); }), "");
    EXPECT_EQ(plot.LogFileName(), "");
}

// A new point moves the X axis (scrolling) and the Y axis (growing): each scale event reaches
// its handler also when it is the only one assigned, in order, with the axis's values.
TEST_F(PlotTest, TrackingScaleEventsReachEveryHandlerAssigned)
{
    enum THandlers { kMin = 1, kSpan = 2, kMinSpan = 4 };
    const struct {
        bool XAxis;
        int Handlers;
        std::vector<std::string> Expected;
    } cases[] = {
        {true, kMin, {"Min 0>60"}},
        {true, kSpan, {}},
        {true, kMinSpan, {"MinSpan 0,100>60,100"}},
        {true, kMin | kSpan | kMinSpan, {"Min 0>60", "MinSpan 0,100>60,100"}},
        {false, kSpan, {"Span 100>250"}},
        {false, kMinSpan, {"MinSpan 0,100>0,250"}},
        {false, kMin | kSpan | kMinSpan, {"Span 100>250", "MinSpan 0,100>0,250"}},
    };
    const auto num = [](double v) { return std::to_string(int(v)); };
    for (const auto& c : cases) {
        TiPlot plot(nullptr);
        TiPlotChannel* channel = plot.GetChannel(0);
        channel->AddXY(0, 50);
        std::vector<std::string> events;
        const auto onValue = [&](const char* name) {
            return [&, name](TObject*, int, double o, double n) {
                events.push_back(name + (" " + num(o) + ">" + num(n)));
            };
        };
        const auto onMinSpan = [&](TObject*, int, double om, double os, double nm, double ns) {
            events.push_back("MinSpan " + num(om) + "," + num(os) + ">" + num(nm) + "," + num(ns));
        };
        if (c.Handlers & kMin)
            (c.XAxis ? plot.OnXAxisMinChange : plot.OnYAxisMinChange) = onValue("Min");
        if (c.Handlers & kSpan)
            (c.XAxis ? plot.OnXAxisSpanChange : plot.OnYAxisSpanChange) = onValue("Span");
        if (c.Handlers & kMinSpan)
            (c.XAxis ? plot.OnXAxisMinSpanChange : plot.OnYAxisMinSpanChange) = onMinSpan;
        channel->AddXY(160, 250);
        EXPECT_EQ(events, c.Expected) << (c.XAxis ? "X " : "Y ") << c.Handlers;
    }
}

TEST_F(PlotTest, CallsAndTheirEffects)
{
    TiPlot plot(nullptr);
    std::vector<std::string> events;
    auto& channelEvents = plot.Events(TiPlotObjectKind::Channel);
    channelEvents.OnAdd = [&](TObject*, int i) { events.push_back("add " + std::to_string(i)); };
    channelEvents.OnRemove = [&](TObject*, int i) {
        events.push_back("remove " + std::to_string(i) + " of " + std::to_string(plot.ChannelCount()));
    };

    EXPECT_EQ(plot.AddChannel(), 1);
    EXPECT_EQ(plot.AddChannel(), 2);
    plot.DeleteChannel(0);
    EXPECT_EQ(events, (std::vector<std::string>{"add 1", "add 2", "remove 0 of 3"}));
    EXPECT_EQ(plot.GetChannelByName("CHANNEL 2"), plot.GetChannel(0));
    EXPECT_EQ(plot.GetChannelIndexByName("channel 3"), 1);
    EXPECT_EQ(plot.GetChannelByName("Channel 9"), nullptr);
    EXPECT_EQ(plot.GetChannelIndexByName("Channel 9"), -1);

    // Labels: RemoveAll keeps the title.
    plot.AddLabel();
    plot.AddLabel();
    plot.RemoveAllLabels();
    EXPECT_EQ(plot.LabelCount(), 1);
    EXPECT_EQ(plot.TitleText(), "Untitled");
    plot.SetTitleText("ZUV");
    EXPECT_EQ(plot.TitleText(), "ZUV");

    // Sentinels: exclusive bounds.
    EXPECT_TRUE(TiPlotComponent::ValueIsNull(TiPlotComponent::GetNullValue()));
    EXPECT_FALSE(TiPlotComponent::ValueIsNull(1e-300));
    EXPECT_FALSE(TiPlotComponent::ValueIsNull(1e-301));
    EXPECT_TRUE(TiPlotComponent::ValueIsEmpty(TiPlotComponent::GetEmptyValue()));
    EXPECT_TRUE(TiPlotComponent::ValueIsNotDataPoint(TiPlotComponent::GetNotDataPoint()));

    // A row: one point per channel at X, sentinels become null and empty points.
    plot.AddChannel();
    plot.AddDataArray(10, std::vector<double>{4, TiPlotComponent::GetNullValue(), TiPlotComponent::GetEmptyValue()});
    EXPECT_EQ(plot.PendingLogRowCount(), 1);
    for (int i = 0; i < 3; ++i) {
        ASSERT_EQ(plot.GetChannel(i)->GetCount(), 1);
        EXPECT_EQ(plot.GetChannel(i)->GetDataX(0), 10);
    }
    EXPECT_TRUE(plot.GetChannel(1)->GetDataNull(0));
    EXPECT_TRUE(plot.GetChannel(2)->GetDataEmpty(0));

    // A block: X is a step after each channel's last X (0 for an empty channel).
    plot.RemoveAllChannels();
    EXPECT_EQ(plot.ChannelCount(), 0);
    plot.AddChannel();
    plot.AddChannel();
    TVariant block = TVariant::CreateArray({{0, 1}, {0, 2}}, varDouble);
    plot.AddDataArray(0.5, block);
    EXPECT_EQ(plot.PendingLogRowCount(), 4);
    ASSERT_EQ(plot.GetChannel(1)->GetCount(), 3);
    EXPECT_EQ(plot.GetChannel(1)->GetDataX(0), 0);
    EXPECT_EQ(plot.GetChannel(1)->GetDataX(2), 1.0);

    // Pause and resume: tracking off and on again on every axis.
    plot.AddYAxis();
    plot.DisableAllTracking();
    EXPECT_FALSE(plot.GetXAxis(0)->TrackingEnabled());
    EXPECT_FALSE(plot.GetYAxis(1)->TrackingEnabled());
    plot.EnableAllTracking();
    EXPECT_TRUE(plot.GetXAxis(0)->TrackingEnabled());
    EXPECT_TRUE(plot.GetYAxis(1)->TrackingEnabled());

    plot.ClearAllData();
    EXPECT_EQ(plot.GetChannel(0)->GetCount(), 0);
    EXPECT_EQ(plot.GetChannel(1)->GetCount(), 0);
}

// The named operations return the classes their kinds are made of.
template <class Got, class Named>
constexpr bool kReturns = std::is_same_v<Got, Named*>;
static_assert(kReturns<decltype(std::declval<TiPlotComponent&>().GetDataView(0)), TiPlotDataView>);
static_assert(kReturns<decltype(std::declval<TiPlotComponent&>().GetDataCursor(0)), TiPlotDataCursor>);
static_assert(kReturns<decltype(std::declval<TiPlotComponent&>().GetLegend(0)), TiPlotLegend>);
static_assert(kReturns<decltype(std::declval<TiPlotComponent&>().GetTable(0)), TiPlotTable>);
static_assert(kReturns<decltype(std::declval<TiPlotComponent&>().GetToolBar(0)), TiPlotToolBar>);
static_assert(kReturns<decltype(std::declval<TiPlotComponent&>().GetLimit(0)), TiPlotLimit>);
static_assert(kReturns<decltype(std::declval<TiPlotComponent&>().GetLabel(0)), TiPlotLabel>);
static_assert(kReturns<decltype(std::declval<TiPlotComponent&>().GetAnnotation(0)), TiPlotAnnotation>);
static_assert(kReturns<decltype(std::declval<TiPlotComponent&>().GetXAxis(0)), TiPlotXAxis>);
static_assert(kReturns<decltype(std::declval<TiPlotComponent&>().GetYAxis(0)), TiPlotYAxis>);
static_assert(kReturns<decltype(std::declval<TiPlot&>().GetChannel(0)), TiPlotChannel>);
static_assert(kReturns<decltype(std::declval<TiXYPlot&>().GetChannel(0)), TiXYPlotChannel>);
static_assert(kReturns<decltype(std::declval<TiPlotComponent&>().GetLegendByName("")), TiPlotLegend>);
static_assert(kReturns<decltype(std::declval<TiPlotComponent&>().GetAnnotationByName("")), TiPlotAnnotation>);
static_assert(kReturns<decltype(std::declval<TiPlotComponent&>().GetTranslation(0)), TiPlotTranslationObject>);

// Every kind walked through its named Add, Get, GetByName, IndexByName, Delete, Count and
// RemoveAll on the library's own classes, with its add, remove, click and mouse-cursor events
// (unset where the kind has none: toolbars and labels raise no events, tables no clicks).
TEST(PlotNamedOperations, EveryKindRunsThroughItsNamedOperationsAndEvents)
{
    TiPlot plot(nullptr);
    using Get = std::function<TiPlotObject*(int)>;
    using ByName = std::function<TiPlotObject*(const std::string&)>;
    using IndexByName = std::function<int(const std::string&)>;
    struct Row {
        const char* Kind;
        std::function<int()> Add;
        std::function<void(int)> Delete;
        std::function<void()> RemoveAll;
        std::function<int()> Count;
        Get GetAt;
        ByName GetByName;
        IndexByName IndexOfName;
        TiPlotObjectEvent* OnAdd;
        TiPlotObjectEvent* OnRemove;
        TiPlotObjectEvent* OnClick;
        TiPlotObjectGetMouseCursorEvent* OnGetMouseCursor;
        int CountAfterRemoveAll;
        bool NullBeyondTheList;
    };
    TiPlotComponent& p = plot;
    const std::vector<Row> rows = {
        // Objects that others refer to come last.
        {"Annotation", [&] { return p.AddAnnotation(); }, [&](int i) { p.DeleteAnnotation(i); },
         [&] { p.RemoveAllAnnotations(); }, [&] { return p.AnnotationCount(); },
         [&](int i) { return p.GetAnnotation(i); }, [&](const std::string& n) { return p.GetAnnotationByName(n); },
         [&](const std::string& n) { return p.GetAnnotationIndexByName(n); }, &p.OnAddAnnotation, &p.OnRemoveAnnotation,
         &p.OnClickAnnotation, &p.OnGetMouseCursorAnnotation, 0, false},
        {"Label", [&] { return p.AddLabel(); }, [&](int i) { p.DeleteLabel(i); }, [&] { p.RemoveAllLabels(); },
         [&] { return p.LabelCount(); }, [&](int i) { return p.GetLabel(i); },
         [&](const std::string& n) { return p.GetLabelByName(n); },
         [&](const std::string& n) { return p.GetLabelIndexByName(n); }, nullptr, nullptr, nullptr, nullptr, 1, false},
        {"Limit", [&] { return p.AddLimit(); }, [&](int i) { p.DeleteLimit(i); }, [&] { p.RemoveAllLimits(); },
         [&] { return p.LimitCount(); }, [&](int i) { return p.GetLimit(i); },
         [&](const std::string& n) { return p.GetLimitByName(n); },
         [&](const std::string& n) { return p.GetLimitIndexByName(n); }, &p.OnAddLimit, &p.OnRemoveLimit,
         &p.OnClickLimit, &p.OnGetMouseCursorLimit, 0, false},
        {"ToolBar", [&] { return p.AddToolBar(); }, [&](int i) { p.DeleteToolBar(i); }, [&] { p.RemoveAllToolBars(); },
         [&] { return p.ToolBarCount(); }, [&](int i) { return p.GetToolBar(i); },
         [&](const std::string& n) { return p.GetToolBarByName(n); },
         [&](const std::string& n) { return p.GetToolBarIndexByName(n); }, nullptr, nullptr, nullptr, nullptr, 0, true},
        {"Table", [&] { return p.AddTable(); }, [&](int i) { p.DeleteTable(i); }, [&] { p.RemoveAllTables(); },
         [&] { return p.TableCount(); }, [&](int i) { return p.GetTable(i); },
         [&](const std::string& n) { return p.GetTableByName(n); },
         [&](const std::string& n) { return p.GetTableIndexByName(n); }, &p.OnAddTable, &p.OnRemoveTable, nullptr,
         &p.OnGetMouseCursorTable, 0, false},
        {"Legend", [&] { return p.AddLegend(); }, [&](int i) { p.DeleteLegend(i); }, [&] { p.RemoveAllLegends(); },
         [&] { return p.LegendCount(); }, [&](int i) { return p.GetLegend(i); },
         [&](const std::string& n) { return p.GetLegendByName(n); },
         [&](const std::string& n) { return p.GetLegendIndexByName(n); }, &p.OnAddLegend, &p.OnRemoveLegend,
         &p.OnClickLegend, &p.OnGetMouseCursorLegend, 0, false},
        {"DataCursor", [&] { return p.AddDataCursor(); }, [&](int i) { p.DeleteDataCursor(i); },
         [&] { p.RemoveAllDataCursors(); }, [&] { return p.DataCursorCount(); },
         [&](int i) { return p.GetDataCursor(i); }, [&](const std::string& n) { return p.GetDataCursorByName(n); },
         [&](const std::string& n) { return p.GetDataCursorIndexByName(n); }, &p.OnAddDataCursor, &p.OnRemoveDataCursor,
         &p.OnClickDataCursor, &p.OnGetMouseCursorDataCursor, 0, false},
        {"Channel", [&] { return p.AddChannel(); }, [&](int i) { p.DeleteChannel(i); }, [&] { p.RemoveAllChannels(); },
         [&] { return p.ChannelCount(); }, [&](int i) { return p.GetChannelCustom(i); },
         [&](const std::string& n) { return p.GetChannelByName(n); },
         [&](const std::string& n) { return p.GetChannelIndexByName(n); }, &p.OnAddChannel, &p.OnRemoveChannel,
         &p.OnClickChannel, &p.OnGetMouseCursorChannel, 0, false},
        {"DataView", [&] { return p.AddDataView(); }, [&](int i) { p.DeleteDataView(i); },
         [&] { p.RemoveAllDataViews(); }, [&] { return p.DataViewCount(); }, [&](int i) { return p.GetDataView(i); },
         [&](const std::string& n) { return p.GetDataViewByName(n); },
         [&](const std::string& n) { return p.GetDataViewIndexByName(n); }, &p.OnAddDataView, &p.OnRemoveDataView,
         &p.OnClickDataView, &p.OnGetMouseCursorDataView, 0, false},
        {"YAxis", [&] { return p.AddYAxis(); }, [&](int i) { p.DeleteYAxis(i); }, [&] { p.RemoveAllYAxes(); },
         [&] { return p.YAxisCount(); }, [&](int i) { return p.GetYAxis(i); },
         [&](const std::string& n) { return p.GetYAxisByName(n); },
         [&](const std::string& n) { return p.GetYAxisIndexByName(n); }, &p.OnAddYAxis, &p.OnRemoveYAxis,
         &p.OnClickYAxis, &p.OnGetMouseCursorYAxis, 0, false},
        {"XAxis", [&] { return p.AddXAxis(); }, [&](int i) { p.DeleteXAxis(i); }, [&] { p.RemoveAllXAxes(); },
         [&] { return p.XAxisCount(); }, [&](int i) { return p.GetXAxis(i); },
         [&](const std::string& n) { return p.GetXAxisByName(n); },
         [&](const std::string& n) { return p.GetXAxisIndexByName(n); }, &p.OnAddXAxis, &p.OnRemoveXAxis,
         &p.OnClickXAxis, &p.OnGetMouseCursorXAxis, 0, false},
    };
    ASSERT_EQ(int(rows.size()), kPlotObjectKindCount);

    // Toolbars and labels raise no add or remove events: these would show it.
    std::vector<std::string> events;
    for (int k = 0; k < kPlotObjectKindCount; ++k) {
        const std::string name = PlotObjectKindName(TiPlotObjectKind(k));
        plot.Events(TiPlotObjectKind(k)).OnAdd = [&events, name](TObject*, int) { events.push_back("add " + name); };
        plot.Events(TiPlotObjectKind(k)).OnRemove = [&events, name](TObject*, int) {
            events.push_back("remove " + name);
        };
    }
    for (const Row& row : rows) {
        SCOPED_TRACE(row.Kind);
        events.clear();
        const int before = row.Count();
        // The same slots under their own names: a handler set by name replaces the one above.
        if (row.OnAdd)
            *row.OnAdd = [&events](TObject*, int i) { events.push_back("named add " + std::to_string(i)); };
        if (row.OnRemove)
            *row.OnRemove = [&events, &row](TObject*, int i) {
                events.push_back("named remove " + std::to_string(i) + " of " + std::to_string(row.Count()));
            };
        const int index = row.Add();
        EXPECT_EQ(index, before);
        EXPECT_EQ(row.Count(), before + 1);
        TiPlotObject* object = row.GetAt(index);
        ASSERT_NE(object, nullptr);
        object->SetName(std::string("Walked ") + row.Kind);
        EXPECT_EQ(row.GetByName("WALKED " + UpperCase(row.Kind)), object);
        EXPECT_EQ(row.IndexOfName(std::string("walked ") + row.Kind), index);
        EXPECT_EQ(row.GetByName("nobody"), nullptr);
        EXPECT_EQ(row.IndexOfName("nobody"), -1);

        int clicked = -1;
        if (row.OnClick) {
            *row.OnClick = [&clicked](TObject*, int i) { clicked = i; };
            plot.DoObjectClick(object);
            EXPECT_EQ(clicked, index) << "the click of the kind's own object";
        }
        int cursorAsked = -1;
        if (row.OnGetMouseCursor) {
            *row.OnGetMouseCursor = [&cursorAsked](TObject*, int i, TCursor&) { cursorAsked = i; };
            TCursor cursor = crDefault;
            plot.DoGetMouseCursor(object, cursor);
            EXPECT_EQ(cursorAsked, index);
        }

        row.Delete(index);
        EXPECT_EQ(row.Count(), before);
        const std::vector<std::string> expected =
            row.OnAdd ? std::vector<std::string>{"named add " + std::to_string(index),
                                                 "named remove " + std::to_string(index) + " of " +
                                                     std::to_string(before + 1)}
                      : std::vector<std::string>{};
        EXPECT_EQ(events, expected);
        if (row.NullBeyondTheList)
            EXPECT_EQ(row.GetAt(row.Count() + 1), nullptr);
        else
            EXPECT_EQ(ErrorOf([&] { row.GetAt(row.Count() + 1); }),
                      "List index out of bounds (" + std::to_string(row.Count() + 1) + ")");

        row.Add();
        row.Add();
        row.RemoveAll();
        EXPECT_EQ(row.Count(), row.CountAfterRemoveAll);
    }

    EXPECT_EQ(plot.AddTranslation("Channel", "Kanal"), 0);
    EXPECT_EQ(plot.GetTranslation(0)->ReplacementString(), "Kanal");
    EXPECT_EQ(plot.TranslationCount(), 1);
}

TEST_F(PlotTest, TransferredPointsAreBornNullOrEmpty)
{
    TiPlot plot(nullptr);
    TiPlotChannel* source = plot.GetChannel(0);
    TiPlotChannel* destination = plot.GetChannel(plot.AddChannel());
    source->AddXY(1, 5);
    source->AddXNull(2);
    source->AddXEmpty(3);
    source->AddXY(4, 7);
    plot.TransferChannelData(0, 1, 1, 3);
    ASSERT_EQ(destination->GetCount(), 3);
    EXPECT_TRUE(destination->GetDataNull(0));
    EXPECT_TRUE(destination->GetDataEmpty(1));
    EXPECT_EQ(destination->GetDataY(2), 7);
    // The null and empty points never reached the statistics.
    EXPECT_EQ(destination->RunningYMin(), 7);
    // Stop before start copies nothing.
    plot.TransferChannelData(0, 1, 3, 2);
    EXPECT_EQ(destination->GetCount(), 3);
}

// A repaint that already waits takes further changes in, but each change is still told to
// whoever listens: on a plot that is never shown, where the repaint waits for good, a
// listener hears every point added.
TEST_F(PlotTest, EveryChangeReachesAListenerWhileARepaintWaits)
{
    struct Case {
        const char* where;
        std::function<void(TiPlot&, int&)> listen;
    };
    const Case cases[] = {
        {"on the channel",
         [](TiPlot& plot, int& heard) {
             TiPlotChannel* channel = plot.GetChannel(0);
             channel->OnChange = [&heard, before = channel->OnChange](TObject* s) {
                 ++heard;
                 before(s);
             };
         }},
        {"on the master manager",
         [](TiPlot& plot, int& heard) {
             TiPlotMasterManager& master = plot.MasterManager();
             master.OnChange = [&heard, before = master.OnChange](TObject* s) {
                 ++heard;
                 before(s);
             };
         }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.where);
        TiPlot plot(nullptr);
        // Nobody but the plot's own repaint listens yet: then a waiting repaint may take a
        // change without the notification.
        EXPECT_TRUE(plot.ChangeOnlyRepaints(plot.GetChannel(0)->OnChange));
        // Points added before anybody listens leave the repaint waiting; a listener that
        // comes later still hears every point after it (all within the axes' spans, so that
        // only the channel changes).
        for (int i = 0; i < 10; ++i)
            plot.GetChannel(0)->AddXY(i / 2.0, i / 2.0);
        int heard = 0;
        c.listen(plot, heard);
        EXPECT_FALSE(plot.ChangeOnlyRepaints(plot.GetChannel(0)->OnChange));
        for (int i = 10; i < 110; ++i)
            plot.GetChannel(0)->AddXY(i / 2.0, i / 2.0);
        EXPECT_EQ(heard, 100);
    }
}

// The plot lets go of its master manager before it frees it, while a repaint waits: the
// objects freed with it announce their last changes without reaching into the freed manager
// (the sanitizer build sees such a read).
TEST_F(PlotTest, ObjectsFreedWithThePlotWhileARepaintWaitsLeaveSafely)
{
    auto plot = std::make_unique<TiPlot>(nullptr);
    TiPlotChannel* channel = plot->GetChannel(0);
    for (int i = 0; i < 10; ++i)
        channel->AddXY(i, i);
    plot->AddChannel();
    plot->AddXAxis();
    plot.reset();
}

// An XY channel takes the sentinels of AddDataArray, and the null and empty points a transfer
// copies, as null and empty points: none of them reaches the statistics.
TEST_F(PlotTest, XYChannelsTakeNullAndEmptyPointsAsGaps)
{
    TiXYPlot plot(nullptr);
    plot.AddChannel();
    plot.AddDataArray(10, std::vector<double>{TiPlotComponent::GetNullValue(), TiPlotComponent::GetEmptyValue()});
    plot.AddDataArray(20, std::vector<double>{4, 5});
    TiPlotChannelCustom& a = *plot.GetChannelCustom(0);
    TiPlotChannelCustom& b = *plot.GetChannelCustom(1);
    ASSERT_EQ(a.GetCount(), 2);
    EXPECT_TRUE(a.GetDataNull(0));
    EXPECT_TRUE(b.GetDataEmpty(0));
    EXPECT_EQ(a.RunningCount(), 1);
    EXPECT_EQ(a.RunningYMin(), 4);
    EXPECT_EQ(b.RunningYMin(), 5);

    // Copied from one XY channel to another, each point keeps its state.
    const int c = plot.AddChannel();
    plot.TransferChannelData(0, c, 0, 1);
    plot.TransferChannelData(1, c, 0, 0);
    TiPlotChannelCustom& copy = *plot.GetChannelCustom(c);
    ASSERT_EQ(copy.GetCount(), 3);
    EXPECT_TRUE(copy.GetDataNull(0));
    EXPECT_TRUE(copy.GetDataValid(1));
    EXPECT_TRUE(copy.GetDataEmpty(2));
    EXPECT_EQ(copy.RunningCount(), 1);
    EXPECT_EQ(copy.RunningYMin(), 4);
}

TEST_F(PlotTest, SmallerImagesAreCentredOnTheListSize)
{
    TiPlot plot(nullptr);
    TBitmap first;
    first.SetSize(24, 24);
    plot.ImageListAdd(1, first);
    TBitmap small;
    small.SetSize(8, 8);
    small.Canvas().Brush().SetColor(clRed);
    small.Canvas().FillRect(TRect{0, 0, 8, 8});
    small.Canvas().SetPixel(0, 7, clWhite);  // the transparent colour: bottom-left pixel
    plot.ImageListAdd(1, small);
    ASSERT_EQ(plot.ImageList(1).Count(), 2);
    TBitmap image;
    plot.ImageList(1).GetBitmap(1, image);
    EXPECT_EQ(image.GetWidth(), 24);
    EXPECT_EQ(image.Canvas().GetPixel(12, 12), clRed);
    plot.ImageListClear(1);
    EXPECT_EQ(plot.ImageList(1).Count(), 0);
}

// ---------------------------------------------------------------------------------------------
// Form descriptions

TEST_F(PlotTest, APlotReadFromItsFormDescriptionEqualsTheOneWritten)
{
    // As the host's main window holds its plot.
    TiPlot plot(nullptr);
    plot.SetName("Plot");
    plot.SetTitleText("ZUV");
    plot.SetLogFileName("ZUV Log.txt");
    plot.SetUserCanEditObjects(false);
    plot.GetObject(TiPlotObjectKind::DataCursor, 0)->SetVisible(false);
    plot.GetChannel(plot.AddChannel())->SetTitleText("Turbidity");
    plot.GetYAxis(0)->SetMinSpan(-5, 50);
    plot.AddTranslation("Channel", "Kanal");
    TBitmap image;
    image.SetSize(24, 24);
    plot.ImageListAdd(2, image);
    const std::string text = WriteComponentToText(plot);
    EXPECT_TRUE(plot.GetLayoutManager()->Enabled());
    EXPECT_FALSE(plot.Updating());
    EXPECT_NE(text.find("@ChannelManager = <"), std::string::npos) << text;
    EXPECT_NE(text.find("@ImageList2 = #"), std::string::npos);
    EXPECT_EQ(text.find("@ImageList0"), std::string::npos);

    std::unique_ptr<TComponent> read(CreateComponentFromText(text, nullptr));
    auto* copy = dynamic_cast<TiPlot*>(read.get());
    ASSERT_NE(copy, nullptr);
    EXPECT_EQ(WriteComponentToText(*copy), text);
    EXPECT_EQ(copy->TitleText(), "ZUV");
    EXPECT_EQ(copy->LogFileName(), "ZUV Log.txt");
    EXPECT_FALSE(copy->UserCanEditObjects());
    ASSERT_EQ(copy->ChannelCount(), 2);
    EXPECT_EQ(copy->GetChannel(1)->TitleText(), "Turbidity");
    EXPECT_FALSE(copy->GetObject(TiPlotObjectKind::DataCursor, 0)->Visible());
    EXPECT_EQ(copy->GetYAxis(0)->Min(), -5);
    EXPECT_EQ(copy->GetToolBarObject(0)->ZOrder(), 3);
    EXPECT_EQ(copy->TranslationCount(), 1);
    EXPECT_EQ(copy->ImageList(2).Count(), 1);
    EXPECT_TRUE(copy->GetLayoutManager()->Enabled());
    EXPECT_FALSE(copy->Updating());
    EXPECT_EQ(copy->GetLayoutManager()->SideList(TiPlotLayoutSide::Top).Count(), 2);
}

}  // namespace

namespace {

TEST_F(PlotTest, PublishedPropertiesInStoredOrder)
{
    TiPlot plot(nullptr);
    std::vector<std::string> names;
    for (const TPropInfo* p : plot.ClassInfo().Properties())
        names.push_back(p->Name());
    const std::vector<std::string> own = {"DataViewZHorz",
                                          "DataViewZVert",
                                          "XYAxesReverse",
                                          "UserCanEditObjects",
                                          "UserCanAddRemoveChannels",
                                          "OuterMarginLeft",
                                          "OuterMarginTop",
                                          "OuterMarginRight",
                                          "OuterMarginBottom",
                                          "PrintOrientation",
                                          "PrintMarginLeft",
                                          "PrintMarginTop",
                                          "PrintMarginRight",
                                          "PrintMarginBottom",
                                          "PrintShowDialog",
                                          "PrintDocumentName",
                                          "PrinterName",
                                          "HintsPause",
                                          "HintsHidePause",
                                          "HintsShow",
                                          "HintsFont",
                                          "EditorFormStyle",
                                          "CopyToClipBoardFormat",
                                          "TitleVisible",
                                          "TitleText",
                                          "TitleFont",
                                          "TitleMargin",
                                          "LogFileName",
                                          "LogBufferSize",
                                          "LoggingActive"};
    auto first = std::find(names.begin(), names.end(), own.front());
    ASSERT_NE(first, names.end());
    EXPECT_EQ(std::vector<std::string>(first, first + std::ptrdiff_t(own.size())), own);
    EXPECT_EQ(plot.OuterMarginLeft(), 5);
    EXPECT_EQ(plot.HintsPause(), 500);
    EXPECT_EQ(plot.HintsHidePause(), 2500);
    EXPECT_EQ(plot.PrintOrientation(), poLandscape);
    EXPECT_EQ(plot.PrintDocumentName(), "Untitled");
    EXPECT_EQ(plot.BackGroundColor(), clBlack);
    EXPECT_EQ(plot.BorderStyle(), ibsLowered);
    EXPECT_EQ(plot.BackGroundGradientStartColor(), TColor(0xFF0000));
    EXPECT_EQ(plot.AnnotationDefaultFont()->GetColor(), clWhite);
    EXPECT_TRUE(plot.AutoFrameRate());
    EXPECT_EQ(plot.UpdateFrameRate(), 60);
    EXPECT_FALSE(plot.UserCanAddRemoveChannels());
}

// A stored toolbar on the title's level is moved beyond it once the form is read.
TEST_F(PlotTest, AToolbarStoredOnTheTitlesLevelMovesBeyondIt)
{
    TiPlot plot(nullptr);
    plot.SetName("Plot");
    plot.DisableLayoutManager();
    plot.GetToolBarObject(0)->SetZOrder(2);
    plot.EnableLayoutManager();
    const std::string text = WriteComponentToText(plot);
    std::unique_ptr<TComponent> read(CreateComponentFromText(text, nullptr));
    auto* copy = dynamic_cast<TiPlot*>(read.get());
    ASSERT_NE(copy, nullptr);
    EXPECT_EQ(copy->GetLayoutObject(TiPlotObjectKind::Label, 0)->ZOrder(), 2);
    EXPECT_EQ(copy->GetToolBarObject(0)->ZOrder(), 3);
}

// A master axis hands its input to the other axes of its direction, which pass it on no further.
TEST_F(PlotTest, MasterAxesDriveTheOtherAxesOfTheirDirection)
{
    TiPlot plot(nullptr);
    plot.SetBounds(0, 0, 600, 400);
    TiPlotYAxis* second = plot.GetYAxis(plot.AddYAxis());
    TiPlotYAxis* first = plot.GetYAxis(0);
    first->SetMasterUIInput(true);
    second->SetMasterUIInput(true);
    plot.ReCalcLayout();
    const double before = second->Min();
    first->DoMouseWheel(120, {}, 0, 0);
    EXPECT_NE(second->Min(), before);
    EXPECT_EQ(first->Min(), second->Min());
    EXPECT_FALSE(plot.GetMasterAxisInputGuard());
    EXPECT_EQ(plot.GetXAxis(0)->Min(), 0);
}

}  // namespace
