// The layout viewer driven as a user drives it: real mouse events through the platform's
// input simulation, each drag followed by the plot's layout (levels, spans) as the layout
// manager keeps it, and the schematic checked at its pixels.

#include "editors/iPlotLayoutViewer.h"

#include "platform/canvas/Bitmap.h"
#include "platform/canvas/ImageCodecs.h"
#include "platform/gui/TestHooks.h"
#include "plot/control/iPlot.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <functional>
#include <string>
#include <vector>

namespace {

constexpr TColor kBlue = RGB(0, 0, 255);
constexpr TColor kSilver = RGB(192, 192, 192);
constexpr TColor kYellow = RGB(255, 255, 0);
constexpr TColor kWhite = RGB(255, 255, 255);
constexpr TColor kBlack = RGB(0, 0, 0);

std::string Percent(double value)
{
    char text[32];
    std::snprintf(text, sizeof text, "%g", value);
    return text;
}

bool IsDataViewObject(const TObject* object)
{
    TiPlotObjectKind kind;
    return GetPlotObjectKind(object, kind) && kind == TiPlotObjectKind::DataView;
}

// A strip chart with one more label and one more X axis, and a viewer of the size the
// editor's Layout page gives it. Its stacks start as
//
//     horizontal: X-Axis 2 | Label 1 | X-Axis 1 | (data view) | Title | Toolbar 1
//     vertical:   Y-Axis 1 | (data view) | Legend 1
class TViewerBench {
public:
    TiPlot plot{nullptr};
    TiPlotLayoutViewer viewer{nullptr};
    TiPlotLayoutManager& layout = *plot.GetLayoutManager();
    TBitmap screen;
    int changes = 0;

    explicit TViewerBench(int width = 560, int height = 300)
    {
        plot.SetBounds(0, 0, 600, 400);
        plot.AddLabel();
        plot.AddXAxis();
        viewer.SetBounds(0, 0, width, height);
        viewer.SetMasterManager(&plot.MasterManager());
        viewer.SetLayoutManager(&layout);
        viewer.SetTranslationManager(plot.GetTranslationManager());
        viewer.OnChange = [this](TObject* sender) {
            EXPECT_EQ(sender, &viewer);
            ++changes;
        };
        Paint();
    }

    void Paint() { TestHooks::GrabControl(viewer, screen); }
    TColor Pixel(int x, int y) { return screen.Canvas().GetPixel(x, y); }

    TiPlotLayoutObject* Object(const std::string& name)
    {
        auto* object = dynamic_cast<TiPlotLayoutObject*>(layout.GetObjectByName(name));
        EXPECT_NE(object, nullptr) << name;
        return object;
    }
    // Sets a span as the viewer does, without clamping.
    void Span(const std::string& name, double start, double stop) { Object(name)->SetStartStopPercent(start, stop); }
    // Moves an object onto the level of another through the layout manager.
    void JoinLevel(const std::string& name, const std::string& other)
    {
        layout.RemoveZOrder(Object(name));
        layout.InsertZOrder(Object(name), Object(other)->ZOrder(), iidMerge);
    }

    // One stack from its outer bottom (left) level up: " | " between levels, ", " between the
    // objects of one level in manager order, "DV" for the data view's place, "-" for an empty
    // level, and a span other than 0..100 after the name.
    std::string Stack(bool horizontal)
    {
        std::vector<TiPlotLayoutObject*> objects;
        int top = -1;
        for (int i = 0; i < layout.GetCount(); ++i) {
            TiPlotLayoutObject* object = layout.GetItem(i);
            if (IsDataViewObject(object) || object->GetIsHorz() != horizontal)
                continue;
            objects.push_back(object);
            top = std::max(top, object->ZOrder());
        }
        std::string stack;
        for (int z = 0; z <= top; ++z) {
            std::string level;
            for (const TiPlotLayoutObject* object : objects) {
                if (object->ZOrder() != z)
                    continue;
                std::string entry = dynamic_cast<const TiPlotDataViewLayout*>(object) ? "DV" : object->Name();
                if (object->StartPercent() != 0 || object->StopPercent() != 100)
                    entry += " " + Percent(object->StartPercent()) + "-" + Percent(object->StopPercent());
                level += (level.empty() ? "" : ", ") + entry;
            }
            stack += (z ? " | " : "") + (level.empty() ? "-" : level);
        }
        return stack;
    }
    std::string Layout() { return "H: " + Stack(true) + " / V: " + Stack(false); }

    // A hover to the start, a press, a move halfway and on to the end, the release. True when a
    // drop frame showed just before the release.
    bool Drag(TPoint from, TPoint to)
    {
        TestHooks::SendMouseMove(viewer, from.X, from.Y);
        TestHooks::SendMouseDown(viewer, mbLeft, from.X, from.Y);
        Paint();
        TestHooks::SendMouseMove(viewer, (from.X + to.X) / 2, (from.Y + to.Y) / 2, {ssLeft});
        Paint();
        TestHooks::SendMouseMove(viewer, to.X, to.Y, {ssLeft});
        Paint();
        const bool framed = viewer.DropSlot() || viewer.DropObject();
        TestHooks::SendMouseUp(viewer, mbLeft, to.X, to.Y);
        Paint();
        return framed;
    }
};

TPoint Within(const TRect& r, double fx, double fy)
{
    return {r.Left + int(fx * r.Width()), r.Top + int(fy * r.Height())};
}

using Target = std::function<TPoint(TViewerBench&)>;

// A point of an object's block, at fractions of its width and height.
Target OnBlock(std::string name, double fx = 0.5, double fy = 0.5)
{
    return [=](TViewerBench& bench) { return Within(bench.Object(name)->GetLayoutRect(), fx, fy); };
}
// A point of the drop slot of a level (the data view's slot at the placeholder's level).
Target OnSlot(bool horizontal, int level, double fx, double fy)
{
    return [=](TViewerBench& bench) {
        for (const auto& slot : bench.viewer.Slots())
            if (slot->Horizontal == horizontal && slot->Level == level)
                return Within(slot->Rect, fx, fy);
        ADD_FAILURE() << "no slot at level " << level;
        return TPoint{};
    };
}
// A point moved from another by fractions of the data view's width and height.
Target Moved(Target from, double fx, double fy)
{
    return [=](TViewerBench& bench) {
        const TPoint p = from(bench);
        const TRect dv = bench.viewer.DataViewRect();
        return TPoint{p.X + int(fx * dv.Width()), p.Y + int(fy * dv.Height())};
    };
}

const char* const kStart = "H: X-Axis 2 | Label 1 | X-Axis 1 | DV | Title | Toolbar 1 / V: Y-Axis 1 | DV | Legend 1";

// ---------------------------------------------------------------------------------------------
// Drags and the layout they leave

TEST(LayoutViewer, DragsMoveMergeExchangeFlipAndSizeThroughTheLayoutManager)
{
    struct Drag {
        Target from;
        Target to;
    };
    struct Case {
        const char* why;
        std::function<void(TViewerBench&)> setup;
        std::vector<Drag> drags;
        bool framed;  // before the last release
        const char* layout;
        int changes;
    };
    auto nothing = [](TViewerBench&) {};
    const Case cases[] = {
        {"a press on the data view starts no drag",
         nothing,
         {{[](TViewerBench& b) { return Within(b.viewer.DataViewRect(), 0.5, 0.5); }, OnSlot(true, 4, 0.5, 0.5)}},
         false,
         kStart,
         0},
        {"a press on the toolbar starts no drag",
         nothing,
         {{OnBlock("Toolbar 1"), OnSlot(true, 1, 0.5, 0.5)}},
         false,
         kStart,
         0},
        {"an X axis over a vertical band shows no drop frame and stays",
         nothing,
         {{OnBlock("X-Axis 1"), OnSlot(false, 2, 0.5, 0.5)}},
         false,
         kStart,
         0},
        {"a label in the middle third of the title's level shares it, half each",
         nothing,
         {{OnBlock("Label 1"), OnSlot(true, 4, 0.5, 0.5)}},
         true,
         "H: X-Axis 2 | X-Axis 1 | DV | Title 0-50, Label 1 50-100 | Toolbar 1 / V: Y-Axis 1 | DV | Legend 1",
         1},
        {"a label in the upper third of the title's level opens a level above it, with no OnChange",
         nothing,
         {{OnBlock("Label 1"), OnSlot(true, 4, 0.5, 0.1)}},
         true,
         "H: X-Axis 2 | X-Axis 1 | DV | Title | Label 1 | Toolbar 1 / V: Y-Axis 1 | DV | Legend 1",
         0},
        {"a label in the lower third opens a level below it; its span becomes 0..100",
         [](TViewerBench& b) { b.Span("Label 1", 20, 60); },
         {{OnBlock("Label 1"), OnSlot(true, 4, 0.5, 0.9)}},
         true,
         "H: X-Axis 2 | X-Axis 1 | DV | Label 1 | Title | Toolbar 1 / V: Y-Axis 1 | DV | Legend 1",
         0},
        {"an axis on another axis's level, off its block, shares the level",
         nothing,
         {{OnBlock("X-Axis 2"), OnSlot(true, 2, 0.01, 0.5)}},
         true,
         "H: Label 1 | X-Axis 1 0-50, X-Axis 2 50-100 | DV | Title | Toolbar 1 / V: Y-Axis 1 | DV | Legend 1",
         1},
        {"an axis dropped on another axis of its level exchanges the spans",
         [](TViewerBench& b) {
             b.Span("X-Axis 1", 40, 100);
             b.Span("X-Axis 2", 0, 40);
             b.JoinLevel("X-Axis 2", "X-Axis 1");
             b.Paint();
         },
         {{OnBlock("X-Axis 2"), OnBlock("X-Axis 1")}},
         true,
         "H: Label 1 | X-Axis 1 0-40, X-Axis 2 40-100 | DV | Title | Toolbar 1 / V: Y-Axis 1 | DV | Legend 1",
         1},
        {"an axis and a label never share: the upper half of the title's level puts the axis above",
         nothing,
         {{OnBlock("X-Axis 1"), OnSlot(true, 4, 0.5, 0.3)}},
         true,
         "H: X-Axis 2 | Label 1 | DV | Title | X-Axis 1 | Toolbar 1 / V: Y-Axis 1 | DV | Legend 1",
         0},
        {"the data view's lower edge puts an axis just below it",
         nothing,
         {{OnBlock("X-Axis 2"), OnSlot(true, 3, 0.5, 0.97)}},
         true,
         "H: Label 1 | X-Axis 1 | X-Axis 2 | DV | Title | Toolbar 1 / V: Y-Axis 1 | DV | Legend 1",
         0},
        {"the data view's upper edge puts an axis just above it",
         nothing,
         {{OnBlock("X-Axis 2"), OnSlot(true, 3, 0.5, 0.03)}},
         true,
         "H: Label 1 | X-Axis 1 | DV | X-Axis 2 | Title | Toolbar 1 / V: Y-Axis 1 | DV | Legend 1",
         0},
        {"the middle of the data view is no drop place",
         nothing,
         {{OnBlock("X-Axis 2"), OnSlot(true, 3, 0.5, 0.5)}},
         false,
         kStart,
         0},
        {"the upper half of the outermost top level takes no drop",
         nothing,
         {{OnBlock("Label 1"), OnSlot(true, 5, 0.5, 0.3)}},
         false,
         kStart,
         0},
        {"its lower half puts a label below the toolbar",
         nothing,
         {{OnBlock("Label 1"), OnSlot(true, 5, 0.5, 0.8)}},
         true,
         "H: X-Axis 2 | X-Axis 1 | DV | Title | Label 1 | Toolbar 1 / V: Y-Axis 1 | DV | Legend 1",
         0},
        {"a label outermost on top: the middle third of its level takes no drop",
         [](TViewerBench& b) {
             b.layout.RemoveZOrder(b.Object("Title"));
             b.layout.InsertZOrder(b.Object("Title"), b.Object("Toolbar 1")->ZOrder(), iidAbove);
             b.Paint();
         },
         {{OnBlock("Label 1"), OnSlot(true, 5, 0.5, 0.6)}},
         false,
         "H: X-Axis 2 | Label 1 | X-Axis 1 | DV | Toolbar 1 | Title / V: Y-Axis 1 | DV | Legend 1",
         0},
        {"a label outermost on top: its lowest third puts the label below it",
         [](TViewerBench& b) {
             b.layout.RemoveZOrder(b.Object("Title"));
             b.layout.InsertZOrder(b.Object("Title"), b.Object("Toolbar 1")->ZOrder(), iidAbove);
             b.Paint();
         },
         {{OnBlock("Label 1"), OnSlot(true, 5, 0.5, 0.9)}},
         true,
         "H: X-Axis 2 | X-Axis 1 | DV | Toolbar 1 | Label 1 | Title / V: Y-Axis 1 | DV | Legend 1",
         0},
        {"the title in the middle of the legend's level turns vertical and opens a level there",
         nothing,
         {{OnBlock("Title"), OnSlot(false, 2, 0.5, 0.5)}},
         true,
         "H: X-Axis 2 | Label 1 | X-Axis 1 | DV | Toolbar 1 / V: Y-Axis 1 | DV | Title | Legend 1",
         1},
        {"the legend low on the title's level turns horizontal below the title",
         nothing,
         {{OnBlock("Legend 1"), OnSlot(true, 4, 0.5, 0.9)}},
         true,
         "H: X-Axis 2 | Label 1 | X-Axis 1 | DV | Legend 1 | Title | Toolbar 1 / V: Y-Axis 1 | DV",
         1},
        {"a shaky click on a block alone on its level keeps its span, after a drag that went below",
         [](TViewerBench& b) { b.Span("Label 1", 20, 60); },
         {{OnBlock("X-Axis 2"), OnSlot(true, 3, 0.5, 0.97)}, {OnBlock("Label 1"), Moved(OnBlock("Label 1"), 0.01, 0)}},
         false,
         "H: Label 1 20-60 | X-Axis 1 | X-Axis 2 | DV | Title | Toolbar 1 / V: Y-Axis 1 | DV | Legend 1",
         0},
        {"the stop end of an axis dragged by a quarter of the data view adds 25 percent",
         [](TViewerBench& b) {
             b.Span("X-Axis 1", 0, 50);
             b.Paint();
         },
         {{OnBlock("X-Axis 1", 0.99, 0.5), Moved(OnBlock("X-Axis 1", 0.99, 0.5), 0.25, 0)}},
         false,
         "H: X-Axis 2 | Label 1 | X-Axis 1 0-75 | DV | Title | Toolbar 1 / V: Y-Axis 1 | DV | Legend 1",
         1},
        {"the start end of a vertical axis moves up in steps of 1.25 percent: 11.5 gives 11.25",
         nothing,
         {{OnBlock("Y-Axis 1", 0.5, 0.99), Moved(OnBlock("Y-Axis 1", 0.5, 0.99), 0, -0.115)}},
         false,
         "H: X-Axis 2 | Label 1 | X-Axis 1 | DV | Title | Toolbar 1 / V: Y-Axis 1 11.25-100 | DV | Legend 1",
         1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.why);
        TViewerBench bench;
        c.setup(bench);
        bool framed = false;
        for (const Drag& drag : c.drags)
            framed = bench.Drag(drag.from(bench), drag.to(bench));
        EXPECT_EQ(framed, c.framed);
        EXPECT_EQ(bench.Layout(), c.layout);
        EXPECT_EQ(bench.changes, c.changes);
        EXPECT_EQ(bench.viewer.EditMode(), ilemNone);
        EXPECT_EQ(bench.viewer.DragObject(), nullptr);
    }
}

TEST(LayoutViewer, MoveZLeavesAPairAloneOnItsLevelAndOtherwiseOpensALevel)
{
    struct Case {
        const char* why;
        bool labelOnLevel;
        const char* layout;
        int changes;
    };
    const Case cases[] = {
        {"the two axes alone on their level: nothing", false,
         "H: Label 1 | X-Axis 1 30-60, X-Axis 2 0-30 | DV | Title | Toolbar 1 / V: Y-Axis 1 | DV | Legend 1", 0},
        {"a label shares the level too: the dragged axis opens a level below it", true,
         "H: X-Axis 2 0-30 | X-Axis 1 30-60, Label 1 60-100 | DV | Title | Toolbar 1 / V: Y-Axis 1 | DV | Legend 1", 1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.why);
        TViewerBench bench;
        bench.Span("X-Axis 1", 30, 60);
        bench.Span("X-Axis 2", 0, 30);
        bench.JoinLevel("X-Axis 2", "X-Axis 1");
        if (c.labelOnLevel) {
            bench.Span("Label 1", 60, 100);
            bench.JoinLevel("Label 1", "X-Axis 1");
        }
        bench.Paint();
        // Pressed on one axis and held low over the other: the drop object, below.
        const TPoint from = OnBlock("X-Axis 2")(bench);
        const TPoint over = OnBlock("X-Axis 1", 0.5, 0.9)(bench);
        TestHooks::SendMouseDown(bench.viewer, mbLeft, from.X, from.Y);
        TestHooks::SendMouseMove(bench.viewer, over.X, over.Y, {ssLeft});
        ASSERT_EQ(bench.viewer.DropObject(), bench.Object("X-Axis 1"));
        ASSERT_EQ(bench.viewer.InsertDirection(), iidBelow);
        bench.viewer.MoveZ();
        EXPECT_EQ(bench.Layout(), c.layout);
        EXPECT_EQ(bench.changes, c.changes);
        // Released over the frame, where nothing is dropped.
        TestHooks::SendMouseMove(bench.viewer, 1, 1, {ssLeft});
        TestHooks::SendMouseUp(bench.viewer, mbLeft, 1, 1);
        EXPECT_EQ(bench.Layout(), c.layout);
    }
}

// ---------------------------------------------------------------------------------------------
// Hovering

TEST(LayoutViewer, TheEndsOfSizableBlocksShowASizingCursorAndTheBlockUnderThePointIsFound)
{
    TViewerBench bench;
    struct Case {
        const char* why;
        Target at;
        TCursor cursor;
        const char* block;  // GetMouseOverBlock, "-" for none
    };
    const Case cases[] = {
        {"left end of a horizontal axis", OnBlock("X-Axis 1", 0.005, 0.5), crSizeWE, "X-Axis 1"},
        {"right end of a label", OnBlock("Label 1", 0.995, 0.5), crSizeWE, "Label 1"},
        {"top end of a vertical axis", OnBlock("Y-Axis 1", 0.5, 0.01), crSizeNS, "Y-Axis 1"},
        {"bottom end of the legend", OnBlock("Legend 1", 0.5, 0.99), crSizeNS, "Legend 1"},
        {"the middle of an axis", OnBlock("X-Axis 1"), crDefault, "X-Axis 1"},
        {"a toolbar is never sized", OnBlock("Toolbar 1", 0.005, 0.5), crDefault, "Toolbar 1"},
        {"the data view is found, not its placeholder",
         [](TViewerBench& b) { return Within(b.viewer.DataViewRect(), 0.5, 0.5); }, crDefault, "Data View 1"},
        {"the frame holds no block",
         [](TViewerBench&) {
             return TPoint{2, 2};
         },
         crDefault, "-"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.why);
        const TPoint p = c.at(bench);
        TestHooks::SendMouseMove(bench.viewer, p.X, p.Y);
        EXPECT_EQ(bench.viewer.Cursor(), c.cursor);
        const TiPlotLayoutObject* over = bench.viewer.GetMouseOverBlock(p.X, p.Y);
        EXPECT_EQ(over ? over->Name() : "-", c.block);
    }
}

// ---------------------------------------------------------------------------------------------
// Sizes the schematic does not fit

TEST(LayoutViewer, AViewerNarrowerThanItsBandsIgnoresSizingAndStillPaints)
{
    const int blockSize = TViewerBench().viewer.BlockSize();
    ASSERT_GT(blockSize, 10);
    struct Case {
        const char* why;
        int width;  // one block on the left, one on the right, 5 pixels of frame on each side
    };
    const Case cases[] = {
        {"no pixel left for the data view", 10 + 2 * blockSize},
        {"the data view's edges crossed", 10 + 2 * blockSize - 4},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.why);
        TViewerBench bench(c.width, 240);
        ASSERT_LE(bench.viewer.DataViewRect().Width(), 0);
        bench.Span("Label 1", 20, 60);
        bench.Paint();
        // A label runs along the whole schematic, so its ends can still be grabbed.
        const TPoint end = OnBlock("Label 1", 0.02, 0.5)(bench);
        TestHooks::SendMouseMove(bench.viewer, end.X, end.Y);
        ASSERT_EQ(bench.viewer.Cursor(), crSizeWE);
        bench.Drag(end, {end.X + 10, end.Y});
        EXPECT_EQ(bench.Object("Label 1")->StartPercent(), 20);
        EXPECT_EQ(bench.Object("Label 1")->StopPercent(), 60);
        EXPECT_EQ(bench.changes, 1);  // the release of a sizing drag reports, whatever it did
    }
    for (int size : {0, 1, 9, 12, 40}) {
        SCOPED_TRACE(size);
        TViewerBench bench(size, size);
        TestHooks::SendMouseMove(bench.viewer, size / 2, size / 2);
        bench.Drag({size / 2, size / 2}, {size / 3, size / 4});
        EXPECT_EQ(bench.Layout(), kStart);
    }
}

// ---------------------------------------------------------------------------------------------
// Pixels

TEST(LayoutViewer, WithoutALayoutManagerOnlyTheFrameShowsAndTheMouseFindsNothing)
{
    TiPlotLayoutViewer viewer(nullptr);
    viewer.SetBounds(0, 0, 200, 100);
    TBitmap screen;
    TestHooks::GrabControl(viewer, screen);
    EXPECT_EQ(screen.Canvas().GetPixel(4, 50), kBlue);
    EXPECT_EQ(screen.Canvas().GetPixel(195, 95), kBlue);
    EXPECT_EQ(screen.Canvas().GetPixel(5, 5), kWhite);
    EXPECT_EQ(screen.Canvas().GetPixel(194, 94), kWhite);
    EXPECT_EQ(screen.Canvas().GetPixel(100, 50), kWhite);
    TestHooks::SendMouseDown(viewer, mbLeft, 100, 50);
    EXPECT_EQ(viewer.EditMode(), ilemNone);
    TestHooks::SendMouseUp(viewer, mbLeft, 100, 50);
}

void SavePNG(const TBitmap& bitmap, const std::string& name)
{
    const TBytes bytes = EncodePNG(bitmap, 9);
    std::FILE* file = std::fopen(name.c_str(), "wb");
    ASSERT_NE(file, nullptr);
    std::fwrite(bytes.data(), 1, bytes.size(), file);
    std::fclose(file);
}

TEST(LayoutViewer, BlocksFrameAndDragFeedbackAtTheirPixels)
{
    TViewerBench bench;
    TiPlot& plot = bench.plot;
    plot.AddYAxis();
    plot.AddTable();
    plot.AddLabel();
    bench.Object("Label 1")->SetVisible(false);
    bench.Span("Label 2", 0, 40);
    bench.Span("Y-Axis 2", 0, 50);
    plot.AddTranslation("Title", "Plot Title");
    bench.Paint();
    SavePNG(bench.screen, "layout-viewer.png");

    TiPlotLayoutViewer& viewer = bench.viewer;
    const TRect area = viewer.AreaRect();
    const TRect dv = viewer.DataViewRect();
    // The frame, and the white of a corner no block reaches.
    EXPECT_EQ(bench.Pixel(0, 0), kBlue);
    EXPECT_EQ(bench.Pixel(4, 120), kBlue);
    EXPECT_EQ(bench.Pixel(viewer.Width() - 1, viewer.Height() - 1), kBlue);
    EXPECT_EQ(bench.Pixel(area.Left + 1, dv.Bottom + 1), kWhite);
    // Blocks are silver without an outline; the last pixel line of each stays white, so that
    // neighbours keep apart.
    const TRect title = bench.Object("Title")->GetLayoutRect();
    EXPECT_EQ(bench.Pixel(title.Left, title.Top), kSilver);
    EXPECT_EQ(bench.Pixel(title.Right - 2, title.Bottom - 2), kSilver);
    EXPECT_EQ(bench.Pixel(title.Right - 1, title.Top + 2), kWhite);
    EXPECT_EQ(bench.Pixel(title.Left + 2, title.Bottom - 1), kWhite);
    // The placeholder's block fills the data view; the text in it is black.
    EXPECT_EQ(bench.Pixel(dv.Left + 2, dv.Top + 2), kSilver);
    int black = 0;
    for (int x = dv.Left; x < dv.Right; ++x)
        black += bench.Pixel(x, (dv.Top + dv.Bottom) / 2) == kBlack;
    EXPECT_GT(black, 0);
    // A half-length vertical axis covers the lower half of its band only.
    const TRect y2 = bench.Object("Y-Axis 2")->GetLayoutRect();
    EXPECT_EQ(y2.Bottom, dv.Bottom);
    EXPECT_NEAR(y2.Top, dv.Bottom - dv.Height() / 2, 1);
    EXPECT_EQ(bench.Pixel(y2.Left + 2, y2.Top + 2), kSilver);
    EXPECT_EQ(bench.Pixel(y2.Left + 2, y2.Top - 3), kWhite);
    // A hidden object is cross-hatched over the white.
    const TRect hidden = bench.Object("Label 1")->GetLayoutRect();
    int silver = 0;
    int white = 0;
    for (int x = hidden.Left; x < hidden.Left + 16; ++x) {
        silver += bench.Pixel(x, hidden.Top + 3) == kSilver;
        white += bench.Pixel(x, hidden.Top + 3) == kWhite;
    }
    EXPECT_GT(silver, 1);
    EXPECT_GT(white, 8);

    // While dragged a block turns yellow, and the level it would open below the title is
    // framed half a block lower than the title's band.
    const TPoint from = OnBlock("Label 2", 0.2, 0.5)(bench);
    const TPoint to = OnBlock("Title", 0.05, 0.9)(bench);
    TestHooks::SendMouseDown(viewer, mbLeft, from.X, from.Y);
    TestHooks::SendMouseMove(viewer, to.X, to.Y, {ssLeft});
    bench.Paint();
    SavePNG(bench.screen, "layout-viewer-drag.png");
    ASSERT_NE(viewer.DropSlot(), nullptr);
    EXPECT_EQ(viewer.InsertDirection(), iidBelow);
    const TRect label2 = bench.Object("Label 2")->GetLayoutRect();
    EXPECT_EQ(bench.Pixel(label2.Left + 2, label2.Top + 2), kYellow);
    const int frameTop = title.Top + viewer.BlockSize() / 2;
    const int frameBottom = title.Bottom + viewer.BlockSize() / 2;
    auto blackNear = [&](int x, int y) {
        return bench.Pixel(x, y - 1) == kBlack || bench.Pixel(x, y) == kBlack || bench.Pixel(x, y + 1) == kBlack;
    };
    EXPECT_TRUE(blackNear(area.Left + 4, frameTop));
    EXPECT_TRUE(blackNear(area.Left + 4, frameBottom - 1));
    EXPECT_FALSE(blackNear(area.Left + 4, title.Top));
    TestHooks::SendMouseUp(viewer, mbLeft, to.X, to.Y);
    bench.Paint();
    const TRect dropped = bench.Object("Label 2")->GetLayoutRect();
    EXPECT_EQ(dropped.Bottom, viewer.DataViewRect().Top);  // below the title: next to the data view
    EXPECT_EQ(bench.Pixel(dropped.Left + 2, dropped.Top + 2), kSilver);
}

}  // namespace
