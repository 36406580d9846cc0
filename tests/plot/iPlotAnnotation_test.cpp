#include "plot/objects/iPlotAnnotation.h"

#include "ChannelTestSupport.h"

#include "components/iGPFunctions.h"
#include "platform/canvas/ImageCodecs.h"
#include "platform/canvas/ImageList.h"
#include "platform/gui/TestHooks.h"
#include "plot/control/iPlot.h"
#include "plot/objects/iPlotDataView.h"
#include "plot/objects/iPlotToolBar.h"

#include <cmath>
#include <cstdio>
#include <functional>

#include <unistd.h>

namespace {

constexpr TColor kBack = clBlack;
constexpr TColor kRed = 0x0000FF;
constexpr TColor kGreen = 0x00FF00;

void SavePNGOf(const TBitmap& bitmap, const std::string& name)
{
    const TBytes bytes = EncodePNG(bitmap, 9);
    if (std::FILE* file = std::fopen(name.c_str(), "wb")) {
        std::fwrite(bytes.data(), 1, bytes.size(), file);
        std::fclose(file);
    }
}

TNotifyEvent Ignore()
{
    return [](TObject*) {};
}

// The channel host that also hands out its one channel by name, its image lists, and records
// the annotation events.
class AnnotationHost : public ChannelHost {
public:
    TiPlotChannelCustom* Channel = nullptr;
    TImageList* Images = nullptr;
    int ImageListAsked = -1;

    TiPlotChannelCustom* GetChannelByName(const std::string& name) override
    {
        return Channel && Channel->Name() == name ? Channel : nullptr;
    }
    TImageList* GetPlotImageList(int index) override
    {
        ImageListAsked = index;
        return Images;
    }
    void DoAnnotationCoordinatesChange(TiPlotObject*) override { Events.push_back("Change"); }
    void DoAnnotationMoveUser(TiPlotObject*) override { Events.push_back("Move"); }
    void DoAnnotationResizeUser(TiPlotObject*) override { Events.push_back("Resize"); }
    void DoAnnotationCoordinatesChangeFinished(TiPlotObject*) override { Events.push_back("Finished"); }
};

}  // namespace

// Data view (100, 50)-(500, 450) on a black 640 x 480 bitmap, so 1 percent is 4 pixels; channel
// "C" on an X axis 0 .. 100 over pixels 100 .. 500 and a Y axis 0 .. 100 over pixels 450 .. 50.
class AnnotationTest : public testing::Test {
protected:
    AnnotationTest()
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
        m_xAxis->SetDrawRect({100, 450, 500, 470});
        m_yAxis->SetDrawRect({20, 50, 80, 450});
        m_xAxis->CalcTicks(Canvas());
        m_yAxis->CalcTicks(Canvas());
        Host.XAxis = m_xAxis.get();
        Host.YAxis = m_yAxis.get();
        m_channel = std::make_unique<TiPlotChannel>(&Host, Ignore(), Ignore(), Ignore(), Ignore());
        m_channel->SetName("C");
        m_channel->SetXAxisName("X");
        m_channel->SetYAxisName("Y");
        Host.Channel = m_channel.get();
        m_view = std::make_unique<TiPlotDataView>(&Host, Ignore(), Ignore(), Ignore(), Ignore());
        m_view->SetDrawRect({100, 50, 500, 450});
        Note = New();
    }

    std::unique_ptr<TiPlotAnnotation> New()
    {
        auto note = std::make_unique<TiPlotAnnotation>(&Host, Ignore(), Ignore(), Ignore(), Ignore());
        note->SetPaintDataView(m_view.get());
        note->SetPenColor(kRed);
        note->SetBrushColor(kGreen);
        note->SetPenWidth(1);
        return note;
    }

    TCanvas& Canvas() { return m_bitmap.Canvas(); }
    TColor At(int x, int y) { return Canvas().GetPixel(x, y); }
    void Clear()
    {
        Canvas().SelectClipRgn(nullptr);
        Canvas().Brush().SetStyle(bsSolid);
        Canvas().Brush().SetColor(kBack);
        Canvas().FillRect(Rect(0, 0, 640, 480));
    }
    void Paint(TiPlotAnnotation& note)
    {
        Clear();
        note.Draw(Canvas(), kBack);
    }
    bool Hit(int x, int y)
    {
        TiPlotMouseData at;
        at.X = x;
        at.Y = y;
        return Note->iMouseHitTest(at);
    }
    // Press, one move and release through the object's mouse protocol, with the repaint that
    // the plot makes between input events.
    void Drag(TPoint from, TPoint to)
    {
        TiHintData hint;
        Paint(*Note);
        Note->SetUserSelected(true);
        Note->iMouseDown(mbLeft, {}, from.X, from.Y, from.X, from.Y, nullptr);
        Note->iMouseMove(hint, {}, to.X, to.Y, to.X, to.Y, false);
        Paint(*Note);
        Note->iMouseUp(mbLeft, {}, to.X, to.Y, to.X, to.Y, false, nullptr);
    }
    void SavePNG(const std::string& name)
    {
        const TBytes bytes = EncodePNG(m_bitmap, 9);
        std::FILE* file = std::fopen(name.c_str(), "wb");
        ASSERT_NE(file, nullptr);
        std::fwrite(bytes.data(), 1, bytes.size(), file);
        std::fclose(file);
    }

    TRegionGuard m_region;
    TBitmap m_bitmap;
    AnnotationHost Host;
    std::unique_ptr<TiPlotXAxis> m_xAxis;
    std::unique_ptr<TiPlotYAxis> m_yAxis;
    std::unique_ptr<TiPlotChannel> m_channel;
    std::unique_ptr<TiPlotDataView> m_view;
    std::unique_ptr<TiPlotAnnotation> Note;
};

// Every style drawn into its own cell of a 4 x 3 grid: each must show its colour where the
// style puts it, and the gallery is written for a person to look at.
TEST_F(AnnotationTest, EveryStyleDrawsItsShape)
{
    TBitmap images;
    images.SetSize(16, 16);
    images.Canvas().Brush().SetColor(kRed);
    images.Canvas().FillRect(Rect(0, 0, 16, 16));
    TImageList list;
    list.SetSize(16, 16);
    list.Add(images, clNone);
    Host.Images = &list;
    Host.SelectMode = true;

    Clear();
    struct Case {
        TiPlotAnnotationStyle style;
        TPoint probe;  // offset from the cell centre where the colour must show
        TColor expected;
    };
    const Case cases[] = {
        {ipasText, {0, 0}, clWhite},      // the text's own colour somewhere near the anchor (checked below)
        {ipasLine, {10, 10}, kRed},       // diagonal from the centre down to the right
        {ipasRectangle, {0, 0}, kGreen},  // filled
        {ipasLineX, {0, 20}, kRed},       // vertical line over the whole data view
        {ipasLineY, {20, 0}, kRed},       // horizontal line over the whole data view
        {ipasImage, {0, 0}, kRed},        // the red image of list 0
        {ipasTextRectangle, {-15, -8}, kGreen},
        {ipasEllipse, {0, 0}, kGreen},
        {ipasTextBox, {-1, 0}, kGreen},
        {ipasEllipse2, {0, 0}, kGreen},
        {ipasPolygon, {0, 2}, kGreen},
        {ipasRectangle2, {0, 0}, kGreen},
    };
    std::vector<std::unique_ptr<TiPlotAnnotation>> notes;
    for (int i = 0; i < 12; ++i) {
        auto note = New();
        const double cx = 12.5 + 25 * (i % 4), cy = 83.3 - 33.3 * (i / 4);
        note->SetStyle(cases[i].style);
        note->SetX(cx);
        note->SetY(cy);
        note->SetX2(cx + 10);
        note->SetY2(cy - 10);
        note->SetWidth(16);
        note->SetHeight(16);
        note->SetText(i == 8 ? "   " : "Ab");
        note->SetOuterMargin(4);
        if (cases[i].style == ipasEllipse || cases[i].style == ipasRectangle2) {
            note->SetX(cx - 8);
            note->SetY(cy + 8);
            note->SetX2(cx + 8);
            note->SetY2(cy - 8);
        }
        if (cases[i].style == ipasLineX || cases[i].style == ipasLineY)
            note->SetPenColor(kRed);
        if (cases[i].style == ipasPolygon) {
            note->PolyPointAdd(cx - 8, cy - 8);
            note->PolyPointAdd(cx + 8, cy - 8);
            note->PolyPointAdd(cx, cy + 8);
        }
        note->Draw(Canvas(), kBack);
        EXPECT_EQ(note->Drawn(), cases[i].style != ipasLine) << cases[i].style;
        notes.push_back(std::move(note));
    }
    SavePNG("annotation-gallery.png");
    for (int i = 0; i < 12; ++i) {
        const TiPlotAnnotation& note = *notes[size_t(i)];
        const int cx = 100 + int((12.5 + 25 * (i % 4)) * 4), cy = 450 - int((83.3 - 33.3 * (i / 4)) * 4);
        if (cases[i].style == ipasText) {
            int white = 0;
            const TRect r = note.HitRect();
            for (int y = r.Top; y < r.Bottom; ++y)
                for (int x = r.Left; x < r.Right; ++x)
                    white += At(x, y) == clWhite;
            EXPECT_GT(white, 5);
            continue;
        }
        EXPECT_EQ(At(cx + cases[i].probe.X, cy + cases[i].probe.Y), cases[i].expected) << "style " << i;
    }
}

TEST_F(AnnotationTest, TextAlignmentPlacesTheTextAgainstTheAnchor)
{
    Note->SetText("Turbidity");
    Note->SetX(50);
    Note->SetY(50);
    Paint(*Note);
    const TRect centred = Note->HitRect();
    EXPECT_EQ((centred.Left + centred.Right) / 2, 300);
    EXPECT_EQ((centred.Top + centred.Bottom) / 2, 250);

    Canvas().Font().Assign(*Note->Font());
    const int a = iTextWidth(Canvas(), "A");
    Note->SetTextHorzAlignment(iahLeft);
    Paint(*Note);
    EXPECT_EQ(Note->HitRect().Left, 300 + a);
    EXPECT_EQ(Note->HitRect().Width(), centred.Width());
}

TEST_F(AnnotationTest, FramesMixDataViewPercentAndChannelUnits)
{
    Note->SetStyle(ipasRectangle);
    m_xAxis->SetMinSpan(50, 50);  // the channel's X axis now shows 50 .. 100
    m_xAxis->CalcTicks(Canvas());
    Note->SetReference(iprtXChannelYDataView);
    Note->SetChannelName("C");
    Note->SetX(75);  // channel units: the middle of the X axis
    Note->SetY(25);  // percent of the data view's height
    Note->SetWidth(10);
    Note->SetHeight(10);
    Paint(*Note);
    // X size in channel units: 10 of 50 across 400 pixels; Y size in percent: 40 pixels.
    EXPECT_EQ(Note->DrawnRect(), Rect(300 - 40, 350 - 20, 300 + 40, 350 + 20));

    Note->SetReferencePositionY(ipriChannel);  // Y on the channel's Y axis, Height still percent
    Paint(*Note);
    EXPECT_EQ(Note->DrawnRect(), Rect(300 - 40, 350 - 20, 300 + 40, 350 + 20));
    Note->SetY(75);
    Paint(*Note);
    EXPECT_EQ(Note->DrawnRect(), Rect(300 - 40, 150 - 20, 300 + 40, 150 + 20));

    // A channel frame whose channel is missing draws nothing and cannot be hit.
    Note->SetChannelName("nothing");
    Host.SelectMode = true;
    Paint(*Note);
    EXPECT_FALSE(Note->Drawn());
    EXPECT_FALSE(Hit(300, 150));
}

TEST_F(AnnotationTest, ClipToAxesKeepsTheDrawingInsideTheChannelsAxes)
{
    m_xAxis->SetDrawRect({200, 450, 400, 470});  // the X axis spans only the middle half
    m_xAxis->CalcTicks(Canvas());
    Note->SetStyle(ipasRectangle);
    Note->SetX(50);
    Note->SetY(50);
    Note->SetWidth(90);
    Note->SetHeight(10);
    Note->SetChannelName("C");
    const struct {
        const char* why;
        bool clip;
        std::string channel;
        TColor outside;
    } rows[] = {
        {"unclipped it spans the data view", false, "C", kGreen},
        {"clipped to the axes' span", true, "C", kBack},
        {"without the channel it is clipped to the data view only", true, "none", kGreen},
    };
    for (const auto& row : rows) {
        Note->SetClipToAxes(row.clip);
        Note->SetChannelName(row.channel);
        Paint(*Note);
        EXPECT_EQ(At(150, 250), row.outside) << row.why;
        EXPECT_EQ(At(300, 250), kGreen) << row.why;
    }
}

TEST_F(AnnotationTest, HitAreasFollowTheStyle)
{
    Host.SelectMode = true;
    struct Case {
        const char* why;
        TiPlotAnnotationStyle style;
        double width;
        TPoint point;
        bool hit;
    };
    // Anchor at (50, 50) percent: pixel (300, 250).
    const Case cases[] = {
        {"a vertical line is grabbed 5 pixels to its left", ipasLineX, 0, {295, 60}, true},
        {"... 4 pixels to its right (right edge excluded)", ipasLineX, 0, {304, 440}, true},
        {"... but not 5", ipasLineX, 0, {305, 250}, false},
        {"a horizontal line over the data view's width", ipasLineY, 0, {101, 254}, true},
        {"a free line has no hit area", ipasLine, 0, {300, 250}, false},
        {"a rectangle inside", ipasRectangle, 10, {319, 269}, true},
        {"a rectangle of no width is not drawn", ipasRectangle, 0, {300, 250}, false},
    };
    for (const Case& c : cases) {
        Note->SetStyle(c.style);
        Note->SetX(50);
        Note->SetY(50);
        Note->SetX2(60);
        Note->SetY2(40);
        Note->SetWidth(c.width);
        Note->SetHeight(10);
        Paint(*Note);
        EXPECT_EQ(Hit(c.point.X, c.point.Y), c.hit) << c.why;
    }
    Note->SetWidth(10);
    Paint(*Note);
    Host.SelectMode = false;
    EXPECT_FALSE(Hit(319, 269)) << "select mode off: the mouse does not find it";
    Note->SetSelectModeOnlyInteraction(false);
    EXPECT_TRUE(Hit(319, 269));
}

TEST_F(AnnotationTest, PolygonsNeedAnAreaAndDoNotMove)
{
    Host.SelectMode = true;
    Note->SetStyle(ipasPolygon);
    Note->SetUserCanMove(true);
    Note->PolyPointAdd(10, 10);
    Paint(*Note);
    EXPECT_FALSE(Note->Drawn()) << "one point";
    Note->PolyPointAdd(20, 20);
    Note->PolyPointAdd(30, 30);
    Paint(*Note);
    EXPECT_FALSE(Note->Drawn()) << "points on one line";
    Note->SetPolyPointY(2, 10);
    Paint(*Note);
    EXPECT_TRUE(Note->Drawn());
    EXPECT_THROW(Note->GetPolyPointX(3), EListError);
    EXPECT_FALSE(Note->IsMoveable());
    Drag({150, 400}, {160, 400});
    EXPECT_EQ(Note->GetPolyPointX(0), 10);
    EXPECT_EQ(Host.Events, Log{"ObjectClick"});
}

// Moves and resizes by the mouse: pixel (300, 250) is (50, 50) percent; 4 pixels per percent.
TEST_F(AnnotationTest, MouseMovesAndResizes)
{
    Host.SelectMode = true;
    struct Case {
        const char* why;
        TiPlotAnnotationStyle style;
        bool canMove, canSize;
        TPoint from, to;
        std::array<double, 6> expected;  // X, Y, X2, Y2, Width, Height
        Log events;
    };
    // Each coordinate set fires its change, then the move and one more change.
    const Log moved{"Change", "Change", "Move", "Change", "ObjectClick", "Finished"};
    const Case cases[] = {
        {"a centred rectangle moves by its anchor only",
         ipasRectangle,
         true,
         false,
         {310, 260},
         {350, 220},
         {60, 60, 60, 40, 10, 10},
         moved},
        {"a two-corner ellipse keeps its size",
         ipasEllipse,
         true,
         false,
         {310, 250},
         {350, 210},
         {60, 60, 70, 50, 10, 10},
         {"Change", "Change", "Change", "Change", "Move", "Change", "ObjectClick", "Finished"}},
        {"no size right: a press on a corner moves",
         ipasRectangle,
         true,
         false,
         {280, 230},
         {300, 250},
         {55, 45, 60, 40, 10, 10},
         moved},
        {"neither right: no drag, but a click",
         ipasRectangle,
         false,
         false,
         {300, 250},
         {310, 250},
         {50, 50, 60, 40, 10, 10},
         {"ObjectClick"}},
        {"the bottom-right handle resizes the centred box",
         ipasRectangle,
         true,
         true,
         {320, 270},
         {340, 290},
         {52.5, 47.5, 60, 40, 15, 15},
         {"Change", "Resize", "ObjectClick", "Finished"}},
        {"the top-left handle of a two-corner rectangle can pass the other corner",
         ipasRectangle2,
         false,
         true,
         {300, 250},
         {360, 300},
         {65, 37.5, 60, 40, 10, 10},
         {"Change", "Resize", "ObjectClick", "Finished"}},
    };
    for (const Case& c : cases) {
        Note = New();
        Note->SetStyle(c.style);
        Note->SetX(50);
        Note->SetY(50);
        Note->SetX2(60);
        Note->SetY2(40);
        Note->SetWidth(10);
        Note->SetHeight(10);
        Note->SetUserCanMove(c.canMove);
        Note->SetUserCanSize(c.canSize);
        Host.Events.clear();
        Drag(c.from, c.to);
        // Pixels back to percent are exact only to rounding.
        auto r = [](double v) { return std::round(v * 1e6) / 1e6; };
        const std::array<double, 6> got{r(Note->X()),  r(Note->Y()),     r(Note->X2()),
                                        r(Note->Y2()), r(Note->Width()), r(Note->Height())};
        EXPECT_EQ(got, c.expected) << c.why;
        EXPECT_EQ(Host.Events, c.events) << c.why;
        EXPECT_TRUE(Note->Drawn()) << c.why;
    }
}

// With the axes reversed X runs up the screen and Y across it: placement, moves and resizes
// exchange their screen directions.
TEST_F(AnnotationTest, ReversedAxesExchangeTheScreenDirections)
{
    Host.SelectMode = true;
    Note->SetXYAxesReversed(true);
    Note->SetStyle(ipasRectangle);
    Note->SetUserCanMove(true);
    Note->SetUserCanSize(true);
    Note->SetX(25);
    Note->SetY(50);
    Note->SetWidth(10);   // along X: 40 pixels high
    Note->SetHeight(20);  // along Y: 80 pixels wide
    Paint(*Note);
    EXPECT_EQ(Note->DrawnRect(), Rect(300 - 40, 350 - 20, 300 + 40, 350 + 20));

    Drag({300, 350}, {340, 330});  // 40 pixels right is Y + 10, 20 pixels up is X + 5
    EXPECT_DOUBLE_EQ(Note->X(), 30);
    EXPECT_DOUBLE_EQ(Note->Y(), 60);

    Drag({380, 350}, {400, 350});  // the bottom-right handle, 20 pixels right: Y size grows by 5
    EXPECT_DOUBLE_EQ(Note->Height(), 25);
    EXPECT_DOUBLE_EQ(Note->Width(), 10);
    EXPECT_DOUBLE_EQ(Note->Y(), 62.5);
}

TEST_F(AnnotationTest, SettingACoordinateToItsValueReportsNothing)
{
    Note->SetX(5);
    Host.Events.clear();
    Note->SetX(5);
    Note->SetWidth(0);
    EXPECT_TRUE(Host.Events.empty());
}

TEST_F(AnnotationTest, ImagesOutsideTheirListOrEmptyDrawNothing)
{
    Host.SelectMode = true;
    TImageList list;
    list.SetSize(16, 16);
    Host.Images = &list;
    Note->SetStyle(ipasImage);
    Note->SetX(50);
    Note->SetY(50);
    Note->SetImageListIndex(5);
    Paint(*Note);
    EXPECT_EQ(Host.ImageListAsked, 2) << "any index but 0 and 1 names list 2";
    EXPECT_FALSE(Note->Drawn()) << "an empty list has no image 0";
    EXPECT_FALSE(Hit(300, 250));

    TBitmap empty;
    Note->SetImage(&empty);
    Paint(*Note);
    EXPECT_FALSE(Note->Drawn()) << "an empty own image counts as none";

    // An own image is drawn with its bottom-left pixel's colour transparent.
    TBitmap own;
    own.SetSize(10, 10);
    own.Canvas().Brush().SetColor(kGreen);
    own.Canvas().FillRect(Rect(0, 0, 10, 10));
    own.Canvas().SetPixel(0, 9, kRed);
    own.Canvas().SetPixel(9, 0, kRed);
    Note->SetImage(&own);
    Paint(*Note);
    EXPECT_TRUE(Note->Drawn());
    EXPECT_EQ(At(300, 250), kGreen);
    EXPECT_EQ(At(295 + 9, 245), kBack) << "the transparent colour";
}

// ---------------------------------------------------------------------------------------------
// The annotation file

namespace {

std::string ReadFile(const std::string& path)
{
    std::string bytes;
    if (std::FILE* file = std::fopen(path.c_str(), "rb")) {
        char buffer[4096];
        for (size_t n; (n = std::fread(buffer, 1, sizeof buffer, file)) > 0;)
            bytes.append(buffer, n);
        std::fclose(file);
    }
    return bytes;
}

void WriteFile(const std::string& path, const std::string& bytes)
{
    std::FILE* file = std::fopen(path.c_str(), "wb");
    ASSERT_NE(file, nullptr);
    std::fwrite(bytes.data(), 1, bytes.size(), file);
    std::fclose(file);
}

TiPlotAnnotation& AnnotationOf(TiPlot& plot, int index)
{
    return *dynamic_cast<TiPlotAnnotation*>(plot.GetAnnotation(index));
}

class AnnotationFileTest : public testing::Test {
protected:
    std::string Path(const std::string& name)
    {
        m_paths.push_back(testing::TempDir() + "annotations_" + std::to_string(getpid()) + "_" + name);
        return m_paths.back();
    }
    void TearDown() override
    {
        for (const std::string& path : m_paths)
            std::remove(path.c_str());
    }
    std::string ErrorOf(const std::function<void()>& call)
    {
        try {
            call();
        } catch (const std::exception& e) {
            return e.what();
        }
        return {};
    }

    TRegionGuard m_region;
    std::vector<std::string> m_paths;
};

}  // namespace

TEST_F(AnnotationFileTest, WrittenReadAndWrittenAgainIsTheSameFile)
{
    TiPlot plot(nullptr);
    plot.SetAnnotationDefaultPenWidth(3);
    TiPlotAnnotation& text = AnnotationOf(plot, plot.AddAnnotation());
    text.SetText("Limit 4.5 NTU");
    text.SetX(12.25);
    text.SetTextHorzAlignment(iahLeft);
    text.Font()->SetSize(11);
    TiPlotAnnotation& box = AnnotationOf(plot, plot.AddAnnotation());
    box.SetStyle(ipasRectangle2);
    box.SetReference(iprtChannel);
    box.SetChannelName("Turbidity");
    box.SetX2(-1e-7);
    box.SetPenWidth(1);  // the declared default: left out, so a load gives it the plot's default
    box.SetUserCanMove(true);

    const std::string first = Path("first.txt"), second = Path("second.txt");
    plot.SaveAnnotationsToFile(first);
    TiPlot other(nullptr);
    other.SetAnnotationDefaultPenWidth(3);
    other.AddAnnotation();
    other.AddAnnotation();
    other.AddAnnotation();
    other.LoadAnnotationsFromFile(first);
    ASSERT_EQ(other.AnnotationCount(), 2);
    EXPECT_EQ(AnnotationOf(other, 0).Text(), "Limit 4.5 NTU");
    EXPECT_EQ(AnnotationOf(other, 0).Font()->GetSize(), 11);
    EXPECT_EQ(AnnotationOf(other, 1).Style(), ipasRectangle2);
    EXPECT_EQ(AnnotationOf(other, 1).X2(), -1e-7);
    EXPECT_TRUE(AnnotationOf(other, 1).UserCanMove());
    EXPECT_EQ(AnnotationOf(other, 1).PenWidth(), 3) << "a value at its declared default takes the plot's default";
    AnnotationOf(other, 1).SetPenWidth(1);
    other.SaveAnnotationsToFile(second);
    EXPECT_EQ(ReadFile(second), ReadFile(first));
    EXPECT_EQ(ReadFile(first).rfind("AnnotationCount = 2\r\n", 0), 0u);
}

// White is the colours' declared default: an annotation in white writes no line for it, and a
// load gives it the plot's default for new annotations instead.
TEST_F(AnnotationFileTest, WhiteColoursAreLeftOutAndLoadAsThePlotsDefaults)
{
    struct Case {
        const char* property;
        void (TiPlotAnnotation::*set)(TColor);
        TColor (TiPlotAnnotation::*get)() const;
        void (TiPlotComponent::*setDefault)(TColor);
    };
    const Case cases[] = {
        {"PenColor", &TiPlotAnnotation::SetPenColor, &TiPlotAnnotation::PenColor,
         &TiPlotComponent::SetAnnotationDefaultPenColor},
        {"BrushColor", &TiPlotAnnotation::SetBrushColor, &TiPlotAnnotation::BrushColor,
         &TiPlotComponent::SetAnnotationDefaultBrushColor},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.property);
        TiPlot plot(nullptr);
        (AnnotationOf(plot, plot.AddAnnotation()).*c.set)(clWhite);
        (AnnotationOf(plot, plot.AddAnnotation()).*c.set)(clBlue);
        const std::string file = Path("colours.txt");
        plot.SaveAnnotationsToFile(file);
        const std::string text = ReadFile(file);
        EXPECT_EQ(text.find(std::string("Annotation0.") + c.property), std::string::npos);
        EXPECT_NE(text.find(std::string("Annotation1.") + c.property + " = " + std::to_string(clBlue)),
                  std::string::npos);

        TiPlot other(nullptr);
        (other.*c.setDefault)(clRed);
        other.LoadAnnotationsFromFile(file);
        ASSERT_EQ(other.AnnotationCount(), 2);
        EXPECT_EQ((AnnotationOf(other, 0).*c.get)(), clRed);
        EXPECT_EQ((AnnotationOf(other, 1).*c.get)(), clBlue);
    }
}

TEST_F(AnnotationFileTest, MalformedFilesChangeNothing)
{
    struct Case {
        const char* why;
        std::string text;
        std::string message;
    };
    const Case cases[] = {
        {"a value that does not convert, in the second annotation",
         "AnnotationCount = 2\r\nAnnotation0.X = 5\r\nAnnotation1.Y = many\r\n", "Error Loading Annotations - "},
        {"an unknown style", "AnnotationCount = 1\r\nAnnotation0.Style = ipasCloud\r\n",
         "Error Loading Annotations - "},
        {"a count far beyond the lines", "AnnotationCount = 2000000000\r\nAnnotation0.X = 5\r\n",
         "Error Loading Annotations - "},
        {"a count that is no number", "AnnotationCount = lots\r\n", "Error Loading Annotations - "},
    };
    for (const Case& c : cases) {
        TiPlot plot(nullptr);
        AnnotationOf(plot, plot.AddAnnotation()).SetText("kept");
        const std::string path = Path("bad.txt");
        WriteFile(path, c.text);
        const std::string error = ErrorOf([&] { plot.LoadAnnotationsFromFile(path); });
        EXPECT_EQ(error.rfind(c.message, 0), 0u) << c.why << ": " << error;
        ASSERT_EQ(plot.AnnotationCount(), 1) << c.why;
        EXPECT_EQ(AnnotationOf(plot, 0).Text(), "kept") << c.why;
    }
    TiPlot plot(nullptr);
    EXPECT_EQ(
        ErrorOf([&] { plot.LoadAnnotationsFromFile(Path("missing.txt")); }).rfind("Error Loading Annotations - ", 0),
        0u);
}

// ---------------------------------------------------------------------------------------------
// In a plot, through its own mouse input

TEST(AnnotationInPlotTest, DragsAndResizesThroughTheMouse)
{
    const TiPlotKindRegistration toolBars = TiPlotKindRegistration::Of<TiPlotToolBar>(TiPlotObjectKind::ToolBar);
    const TiPlotKindRegistration dataViews = TiPlotKindRegistration::Of<TiPlotDataView>(TiPlotObjectKind::DataView);
    TestHooks::TModalScript modal;  // context menus pick nothing
    TiPlot plot(nullptr);
    plot.SetBounds(0, 0, 600, 400);
    auto* note = dynamic_cast<TiPlotAnnotation*>(plot.GetAnnotation(plot.AddAnnotation()));
    ASSERT_NE(note, nullptr);
    note->SetStyle(ipasRectangle2);
    note->SetUserCanMove(true);
    note->SetUserCanSize(true);
    TBitmap screen;
    auto paint = [&] { TestHooks::GrabControl(plot, screen); };
    Log log;
    auto record = [&log](const char* what) {
        return [&log, what](TObject*, int index) { log.push_back(what + std::to_string(index)); };
    };
    plot.OnAnnotationMoveUser = record("Move ");
    plot.OnAnnotationResizeUser = record("Resize ");
    plot.OnAnnotationCoordinatesChangeFinished = record("Finished ");
    plot.Events(TiPlotObjectKind::Annotation).OnClick = record("Click ");

    // Each row: select mode, press and release points in percent of the data view; what the host
    // heard and the corners afterwards (to the nearest percent).
    const struct {
        const char* why;
        bool selectMode;
        TPoint press, to;
        Log events;
        std::array<long, 4> corners;
    } rows[] = {
        {"outside select mode the mouse passes it by", false, {50, 50}, {70, 70}, {}, {40, 60, 60, 40}},
        {"a press inside drags it whole",
         true,
         {50, 50},
         {70, 60},
         {"Move 0", "Click 0", "Finished 0"},
         {60, 70, 80, 50}},
        {"the top-left handle moves that corner only",
         true,
         {40, 60},
         {20, 80},
         {"Resize 0", "Click 0", "Finished 0"},
         {20, 80, 60, 40}},
    };
    auto* view = dynamic_cast<TiPlotDataView*>(plot.GetDataView(0));
    ASSERT_NE(view, nullptr);
    for (const auto& row : rows) {
        SCOPED_TRACE(row.why);
        note->SetX(40);
        note->SetY(60);
        note->SetX2(60);
        note->SetY2(40);
        plot.SetSelectModeActive(row.selectMode);
        paint();
        log.clear();
        const TPoint from{view->PositionPercentToPixelsX(row.press.X), view->PositionPercentToPixelsY(row.press.Y)};
        const TPoint to{view->PositionPercentToPixelsX(row.to.X), view->PositionPercentToPixelsY(row.to.Y)};
        TestHooks::SendMouseDown(plot, mbLeft, from.X, from.Y);
        TestHooks::SendMouseMove(plot, to.X, to.Y, {ssLeft});
        paint();
        TestHooks::SendMouseUp(plot, mbLeft, to.X, to.Y);
        EXPECT_EQ(log, row.events);
        const std::array<long, 4> corners{std::lround(note->X()), std::lround(note->Y()), std::lround(note->X2()),
                                          std::lround(note->Y2())};
        EXPECT_EQ(corners, row.corners);
    }
    SavePNGOf(screen, "annotation-in-plot.png");
}
