// The print preview of a plot: the sheet, its shadow and the snapshot read at the paint box's
// pixels; its Print checked against the plot's own PrintChart in the PDF (poppler); the
// settings going into the settings form and coming back; and what the preview leaves of the
// plot after drawing, also when the drawing fails.

#include "editors/iEditorBasicComponents.h"
#include "editors/iPlotPreviewForm.h"
#include "editors/iPlotPreviewSettingsForm.h"

#include "platform/canvas/PixelTestUtil.h"
#include "support/ExternalTools.h"
#include "support/TempDir.h"

#include "platform/canvas/Bitmap.h"
#include "platform/canvas/ImageCodecs.h"
#include "platform/canvas/Printer.h"
#include "platform/canvas/SystemColors.h"
#include "platform/core/Exceptions.h"
#include "platform/core/Streams.h"
#include "platform/gui/StdCtrls.h"
#include "platform/gui/TestHooks.h"
#include "plot/control/iPlot.h"
#include "plot/objects/iPlotChannel.h"
#include "plot/objects/iPlotToolBar.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <sstream>
#include <string>
#include <vector>

namespace {

const TColor kTrace = TColor(0x0000FF);  // red
// The paint box's background around the sheet, as a bitmap holds it.
const TColor kFace = ColorToRGB(clBtnFace);
// Each quarter of the strip's X range has its own trace level, so a page shows which quarter
// it holds.
constexpr double kQuarterLevels[] = {90, 60, 30, 10};

std::string ErrorOf(const std::function<void()>& call)
{
    try {
        call();
    } catch (const std::exception& e) {
        return e.what();
    }
    return {};
}

int PdfPageCount(const std::string& pdf)
{
    std::istringstream info(RunTool("pdfinfo '" + pdf + "'"));
    for (std::string line; std::getline(info, line);)
        if (line.rfind("Pages:", 0) == 0)
            return std::atoi(line.c_str() + 6);
    return -1;
}

// Every page of the PDF rendered by poppler at 30 dots per inch, as the bytes of PPM files.
std::vector<std::string> RenderedPages(const std::string& pdf, const std::string& prefix)
{
    std::vector<std::string> pages;
    RunTool("pdftoppm -r 30 '" + pdf + "' '" + prefix + "'");
    for (int page = 1;; ++page) {
        std::ifstream in(prefix + "-" + std::to_string(page) + ".ppm", std::ios::binary);
        if (!in)
            return pages;
        pages.push_back(std::string(std::istreambuf_iterator<char>(in), {}));
    }
}

bool IsRed(TColor c)
{
    const unsigned v = unsigned(c);
    return (v & 0xFF) > 180 && ((v >> 8) & 0xFF) < 100 && ((v >> 16) & 0xFF) < 100;
}

// Mean row of the red pixels inside the rectangle; -1 when there are none.
double MeanRedRow(TBitmap& bitmap, const TRect& r)
{
    double sum = 0;
    int count = 0;
    for (int y = r.Top; y < r.Bottom; ++y)
        for (int x = r.Left; x < r.Right; ++x)
            if (IsRed(bitmap.Canvas().GetPixel(x, y))) {
                sum += y;
                ++count;
            }
    return count ? sum / count : -1;
}

// Bounding box of the pixels inside the rectangle that are not of the colour.
TRect InkBoxWithin(TBitmap& bitmap, const TRect& r, TColor background)
{
    TRect box;
    for (int y = r.Top; y < r.Bottom; ++y)
        for (int x = r.Left; x < r.Right; ++x)
            if (bitmap.Canvas().GetPixel(x, y) != background)
                UnionRect(box, box, {x, y, x + 1, y + 1});
    return box;
}

void SavePicture(const TBitmap& picture, const std::string& name)
{
    std::filesystem::create_directories("editor_gallery");
    const TBytes png = EncodePNG(picture, 6);
    WriteFileBytes("editor_gallery/" + name + ".png", png.data(), png.size());
}

std::string RepeatedText(const std::string& text, std::size_t count)
{
    std::string out;
    for (std::size_t i = 0; i < count; ++i)
        out += text;
    return out;
}

std::string RectText(const TRect& r)
{
    return "(" + std::to_string(r.Left) + ", " + std::to_string(r.Top) + ", " + std::to_string(r.Right) + ", " +
           std::to_string(r.Bottom) + ")";
}

// The page's outline and white inside, the 7-pixel shadow below and right of it, the button
// face around both.
void ExpectSheetAndShadow(TBitmap& b, const TRect& page)
{
    TCanvas& c = b.Canvas();
    const int midX = (page.Left + page.Right) / 2, midY = (page.Top + page.Bottom) / 2;
    EXPECT_EQ(c.GetPixel(page.Left - 1, midY), kFace) << "left of the page";
    EXPECT_EQ(c.GetPixel(page.Left, midY), clBlack) << "left outline";
    EXPECT_EQ(c.GetPixel(page.Right - 1, midY), clBlack) << "right outline";
    EXPECT_EQ(c.GetPixel(midX, page.Top), clBlack) << "top outline";
    EXPECT_EQ(c.GetPixel(midX, page.Bottom - 1), clBlack) << "bottom outline";
    EXPECT_EQ(c.GetPixel(page.Left + 1, page.Top + 1), clWhite) << "inside the page";
    EXPECT_EQ(c.GetPixel(page.Right - 2, page.Bottom - 2), clWhite) << "inside the page";
    EXPECT_EQ(c.GetPixel(midX, page.Top - 1), kFace) << "above the page";
    // The shadow: the page's rectangle moved 7 right and 7 down.
    EXPECT_EQ(c.GetPixel(page.Right + 3, page.Top + 3), kFace) << "right of the page, above the shadow";
    EXPECT_EQ(c.GetPixel(page.Right + 3, page.Top + 10), clBlack) << "shadow's right strip";
    EXPECT_EQ(c.GetPixel(page.Right + 6, page.Bottom + 6), clBlack) << "shadow's corner";
    EXPECT_EQ(c.GetPixel(page.Right + 7, midY), kFace) << "right of the shadow";
    EXPECT_EQ(c.GetPixel(page.Left + 3, page.Bottom + 3), kFace) << "below the page, left of the shadow";
    EXPECT_EQ(c.GetPixel(page.Left + 10, page.Bottom + 3), clBlack) << "shadow's bottom strip";
    EXPECT_EQ(c.GetPixel(midX, page.Bottom + 7), kFace) << "below the shadow";
}

// A long strip chart of 400 x 250 pixels: X 0..400 in four quarters with their own trace
// levels, Y 0..100. Printing goes to a PDF without the print dialog.
class PlotPreviewTest : public ::testing::Test {
protected:
    TempDir dir;
    TestHooks::TModalScript modal;
    TiPlot plot{nullptr};

    PlotPreviewTest()
    {
        plot.SetBounds(0, 0, 400, 250);
        plot.DisableAllTracking();
        plot.GetXAxis(0)->SetMinSpan(0, 400);
        plot.GetYAxis(0)->SetMinSpan(0, 100);
        TiPlotChannel& channel = *plot.GetChannel(0);
        channel.SetColor(kTrace);
        channel.SetTraceLineWidth(5);
        for (int x = 0; x <= 400; ++x)
            channel.AddXY(x, kQuarterLevels[std::min(x / 100, 3)]);
        plot.SetPrintShowDialog(false);
        plot.SetPrintDocumentName("Strip");
        Printer()->SetOutputFileName(dir.Path("print.pdf"));
    }
    ~PlotPreviewTest() override { Printer()->SetOutputFileName(""); }

    bool CanPrintToPdf() const { return Printer()->PrintsToFile() && HasProgram("pdfinfo") && HasProgram("pdftoppm"); }

    // The preview's paint box as it paints itself, the form shown.
    static void GrabPreview(TiPlotPreviewForm& form, TBitmap& bitmap)
    {
        form.Show();
        TestHooks::PumpUntil([&] { return form.Showing(); }, 2000);
        TestHooks::GrabControl(*form.Preview(), bitmap);
    }
};

// --- Opening ---------------------------------------------------------------------------------

// The plot's Preview (and its toolbar button) show the preview modally with the plot's print
// settings, captioned with the document name; the paper starts as Letter. Close closes it.
TEST_F(PlotPreviewTest, PreviewChartOpensThePreviewWithThePlotsSettings)
{
    plot.SetPrintMarginLeft(0.5);
    plot.SetPrintMarginBottom(2);
    plot.SetPrintOrientation(poPortrait);
    std::vector<std::string> captions, closeCaptions;
    std::vector<TiPlotPreviewSettings> shown;
    modal.OnShowModal = [&](TForm& form) {
        auto& preview = dynamic_cast<TiPlotPreviewForm&>(form);
        EXPECT_EQ(preview.Plot(), &plot);
        captions.push_back(form.Caption());
        closeCaptions.push_back(form.FindControl<TButton>("CloseButton")->Caption());
        shown.push_back(preview.Settings());
        form.FindControl<TButton>("CloseButton")->Click();
        EXPECT_EQ(form.ModalResult(), mrOk) << "Close closes with OK";
        return mrNone;
    };
    plot.PreviewChart();
    // The plot's translation table reaches the preview's texts.
    plot.AddTranslation("Close", "Schliessen");
    plot.GetToolBar(0)->DoButtonClickPreview();

    const TiPlotPreviewSettings expected{0.5, 1, 1, 2, poPortrait, "Strip", 0};
    EXPECT_EQ(closeCaptions, (std::vector<std::string>{"Close", "Schliessen"}));
    EXPECT_EQ(captions, (std::vector<std::string>{"Strip (Preview)", "Strip (Preview)"}));
    ASSERT_EQ(shown.size(), 2u);
    EXPECT_TRUE(shown[0] == expected);
    EXPECT_TRUE(shown[1] == expected);
}

TEST(PlotPreviewPaper, IndexToPaperCode)
{
    struct Case {
        int Index;
        int Code;
    };
    for (const Case& c : {Case{0, 1}, Case{1, 5}, Case{2, 8}, Case{3, 9}, Case{4, 11}, Case{5, 1}, Case{-1, 1}})
        EXPECT_EQ(PreviewPaperCode(c.Index), c.Code) << c.Index;
}

// --- The sheet ---------------------------------------------------------------------------------

// Page, shadow and picture rectangles for papers, orientations and paint-box shapes: the page
// fits the box less a 20-pixel border, the picture keeps the plot's 400 x 250 proportions
// inside the margins at the top-left margin corner.
TEST_F(PlotPreviewTest, SheetShadowAndPictureFitThePaintBox)
{
    struct Case {
        std::string Name;
        int PaperIndex;
        TPrinterOrientation Orientation;
        int BoxWidth, BoxHeight;
        double Margin;
        TRect Page;
        TRect Picture;
    };
    const Case cases[] = {
        // 11 x 8.5 inches in 580 x 380: the height limits, 45 pixels an inch.
        {"Letter landscape", 0, poLandscape, 600, 400, 1, {49, 5, 541, 385}, {94, 50, 496, 301}},
        // 8.27 x 11.69 inches: 33 pixels an inch; the picture's width limits.
        {"A4 portrait", 3, poPortrait, 600, 400, 1, {161, 5, 429, 385}, {194, 38, 397, 165}},
        // A tall box: the width limits the page.
        {"Letter landscape, tall box", 0, poLandscape, 300, 600, 1, {5, 187, 285, 403}, {30, 212, 260, 356}},
        // 8.27 x 5.83 inches: the picture's height limits.
        {"A5 landscape", 4, poLandscape, 600, 400, 1, {26, 5, 564, 385}, {91, 70, 491, 320}},
        {"Legal portrait, half-inch margins", 1, poPortrait, 600, 400, 0.5, {180, 5, 410, 385}, {194, 19, 398, 147}},
    };
    // As the preview's paint has it: the plot without toolbar 0.
    plot.GetToolBar(0)->SetVisible(false);
    TiPlotPreviewForm form(nullptr);
    form.SetPlot(&plot);
    for (const Case& c : cases) {
        SCOPED_TRACE(c.Name);
        form.SetSettings({c.Margin, c.Margin, c.Margin, c.Margin, c.Orientation, "Strip", c.PaperIndex});
        TBitmap bitmap;
        bitmap.SetSize(c.BoxWidth, c.BoxHeight);
        form.DrawPreview(bitmap);
        ExpectSheetAndShadow(bitmap, c.Page);
        // Inside the page: the snapshot stretched into the picture's rectangle, on white.
        const TRect inside{c.Page.Left + 1, c.Page.Top + 1, c.Page.Right - 1, c.Page.Bottom - 1};
        TBitmap expected;
        expected.SetSize(c.BoxWidth, c.BoxHeight);
        expected.Canvas().Brush().SetColor(clWhite);
        expected.Canvas().FillRect(inside);
        plot.GetSnapShotPicture()->StretchDraw(expected.Canvas(), c.Picture);
        EXPECT_EQ(RectText(InkBoxWithin(bitmap, inside, clWhite)), RectText(InkBoxWithin(expected, inside, clWhite)));
        int differing = 0;
        for (int y = inside.Top; y < inside.Bottom; ++y)
            for (int x = inside.Left; x < inside.Right; ++x)
                differing += bitmap.Canvas().GetPixel(x, y) != expected.Canvas().GetPixel(x, y);
        EXPECT_EQ(differing, 0);
        // The picture reaches the picture's corners (the plot's outline is dark there).
        EXPECT_NE(bitmap.Canvas().GetPixel(c.Picture.Left, c.Picture.Top), clWhite);
        EXPECT_EQ(bitmap.Canvas().GetPixel(c.Picture.Left - 1, c.Picture.Top), clWhite);
        EXPECT_EQ(bitmap.Canvas().GetPixel(c.Picture.Left, c.Picture.Top - 1), clWhite);
        EXPECT_EQ(bitmap.Canvas().GetPixel(c.Picture.Right, c.Picture.Bottom - 2), clWhite);
        EXPECT_EQ(bitmap.Canvas().GetPixel(c.Picture.Right - 2, c.Picture.Bottom), clWhite);
    }
}

// What the paint box shows is the sheet of the same size; a larger window gives a larger
// sheet, and the window keeps its minimum size.
TEST_F(PlotPreviewTest, TheWindowResizesWithItsMinimumAndTheSheetFollows)
{
    TiPlotPreviewForm form(nullptr);
    form.SetPlot(&plot);
    EXPECT_EQ(form.Caption(), "Pravix Plot Preview");
    EXPECT_EQ(form.Width(), 836);
    EXPECT_EQ(form.Height(), 563);

    TBitmap painted, drawn;
    GrabPreview(form, painted);
    ASSERT_EQ(painted.GetWidth(), form.Preview()->Width());
    drawn.SetSize(painted.GetWidth(), painted.GetHeight());
    form.DrawPreview(drawn);
    EXPECT_EQ(RectText(InkBox(painted, kFace)), RectText(InkBox(drawn, kFace)));

    const int smallSheet = InkBox(painted, kFace).Right - InkBox(painted, kFace).Left;
    form.SetBounds(0, 0, 1000, 700);
    TestHooks::PumpFor(50);
    EXPECT_EQ(form.Preview()->Width(), form.ClientWidth());
    GrabPreview(form, painted);
    EXPECT_GT(InkBox(painted, kFace).Right - InkBox(painted, kFace).Left, smallSheet);

    form.SetBounds(0, 0, 200, 100);
    TestHooks::PumpFor(50);
    EXPECT_EQ(form.Width(), 500);
    EXPECT_EQ(form.Height(), 300);
}

// Margins wider than the page (and a plot without area) leave the page and shadow with a
// message on it: never a picture, never a negative one.
TEST_F(PlotPreviewTest, NoRoomForThePictureShowsAMessageOnThePage)
{
    struct Case {
        std::string Name;
        TiPlotPreviewSettings Settings;
        std::function<void(TiPlot&)> Change;
    };
    const Case cases[] = {
        {"left and right wider than the page", {6, 1, 6, 1, poLandscape, "", 0}, nullptr},
        {"top and bottom as high as the page", {1, 4.25, 1, 4.25, poLandscape, "", 0}, nullptr},
        {"portrait turns the page narrower", {4.5, 1, 4, 1, poPortrait, "", 0}, nullptr},
        {"a plot without width", {1, 1, 1, 1, poLandscape, "", 0}, [](TiPlot& p) { p.SetWidth(0); }},
    };
    const TRect page{49, 5, 541, 385};  // Letter landscape in 600 x 400
    for (const Case& c : cases) {
        SCOPED_TRACE(c.Name);
        TiPlot fresh(nullptr);
        fresh.SetBounds(0, 0, 400, 250);
        if (c.Change)
            c.Change(fresh);
        TiPlotPreviewForm form(nullptr);
        form.SetPlot(&fresh);
        form.SetSettings(c.Settings);
        TBitmap bitmap;
        bitmap.SetSize(600, 400);
        form.DrawPreview(bitmap);
        const TRect sheet = c.Settings.Orientation == poLandscape ? page : TRect{148, 5, 442, 385};
        ExpectSheetAndShadow(bitmap, sheet);
        // Only the message's text on the page: a few short lines in the middle.
        const TRect inside{sheet.Left + 1, sheet.Top + 1, sheet.Right - 1, sheet.Bottom - 1};
        const TRect ink = InkBoxWithin(bitmap, inside, clWhite);
        EXPECT_GT(ink.Right, ink.Left) << "no message";
        EXPECT_LT(ink.Bottom - ink.Top, 60) << RectText(ink);
        EXPECT_EQ(MeanRedRow(bitmap, inside), -1) << "a picture was drawn";
    }
}

// --- Drawing leaves the plot as it was ---------------------------------------------------------

// Each paint runs the plot's print handlers with toolbar 0 hidden, the preview as Sender; what
// they change comes back, the toolbar shows again and OnAfterPrint fires, also when the
// drawing fails. A plot without toolbars is previewed too.
TEST_F(PlotPreviewTest, PaintingPutsThePlotBackAlsoWhenTheDrawingFails)
{
    TiPlotPreviewForm form(nullptr);
    form.SetPlot(&plot);
    std::string events;
    bool failDrawing = false;
    plot.OnBeforePrint = [&](TObject* sender) {
        EXPECT_EQ(sender, &form);
        EXPECT_FALSE(plot.GetToolBar(0)->Visible());
        events += "B";
        plot.GetXAxis(0)->SetSpan(plot.GetXAxis(0)->Span() / 2);
        plot.SetHeight(517);
    };
    plot.OnAfterPrint = [&](TObject* sender) {
        EXPECT_EQ(sender, &form);
        events += "A";
    };
    plot.OnAfterPaint = [&](TObject*) {
        if (failDrawing)
            throw Exception("no snapshot");
    };
    // Paints the paint box; what the paint raised reaches the user in an error box.
    auto paintError = [&] {
        modal.Messages.clear();
        TBitmap painted;
        GrabPreview(form, painted);
        TestHooks::PumpFor(20);
        return modal.Messages.empty() ? std::string() : modal.Messages.back().Text;
    };
    for (bool fail : {false, false, true}) {
        failDrawing = fail;
        events.clear();
        const std::string error = paintError();
        failDrawing = false;
        EXPECT_EQ(error, fail ? "no snapshot" : "");
        // One "BA" for each paint (showing the form paints too).
        EXPECT_TRUE(!events.empty() && events == RepeatedText("BA", events.size() / 2)) << events;
        EXPECT_EQ(plot.GetXAxis(0)->Span(), 400) << "the span halved on every paint";
        EXPECT_EQ(plot.Height(), 250);
        EXPECT_TRUE(plot.GetToolBar(0)->Visible());
    }

    // A handler that fails still gets the plot back, and raises no second time.
    plot.OnBeforePrint = [&](TObject*) {
        plot.GetXAxis(0)->SetSpan(10);
        throw Exception("handler failed");
    };
    EXPECT_EQ(paintError(), "handler failed");
    EXPECT_EQ(plot.GetXAxis(0)->Span(), 400);
    EXPECT_TRUE(plot.GetToolBar(0)->Visible());

    plot.OnBeforePrint = nullptr;
    plot.OnAfterPrint = nullptr;
    plot.OnAfterPaint = nullptr;
    plot.DeleteToolBar(0);
    ASSERT_EQ(plot.ToolBarCount(), 0);
    EXPECT_EQ(paintError(), "");
}

// --- Printing ----------------------------------------------------------------------------------

struct PrintedPage {
    int Index;
    double Min;
    double Max;
    bool operator==(const PrintedPage&) const = default;
};

// A long strip printed a quarter of its range per page: Print in the preview gives the pages
// PrintChart gives, page for page; the preview shows the first of them.
TEST_F(PlotPreviewTest, PrintFromThePreviewGivesThePagesOfPrintChart)
{
    if (!CanPrintToPdf())
        GTEST_SKIP() << "no PDF printing or no poppler tools";
    std::vector<PrintedPage> pages;
    plot.OnBeforePrint = [&](TObject*) { plot.GetXAxis(0)->SetSpan(100); };
    plot.OnBeforePrintPage = [&](TObject*, int index, bool) {
        pages.push_back({index, plot.GetXAxis(0)->Min(), plot.GetXAxis(0)->GetMax()});
    };
    const std::vector<PrintedPage> quarters{{1, 0, 100}, {2, 100, 200}, {3, 200, 300}, {4, 300, 400}};

    plot.PrintChart();
    EXPECT_EQ(pages, quarters);
    ASSERT_EQ(PdfPageCount(dir.Path("print.pdf")), 4);
    std::filesystem::rename(dir.Path("print.pdf"), dir.Path("chart.pdf"));

    pages.clear();
    TiPlotPreviewForm form(nullptr);
    form.SetPlot(&plot);
    TBitmap preview;
    GrabPreview(form, preview);
    // The first quarter's level (90) is high in the picture: in its upper fifth.
    const TRect picture = InkBoxWithin(preview, {1, 1, preview.GetWidth() - 1, preview.GetHeight() - 1}, kFace);
    const double row = MeanRedRow(preview, picture);
    ASSERT_GT(row, 0);
    EXPECT_LT(row, picture.Top + (picture.Bottom - picture.Top) / 3.0);

    TestHooks::SendClick(*form.FindControl<TSpeedButton>("PrintButton"), 14, 14);
    TestHooks::PumpFor(50);
    EXPECT_EQ(pages, quarters);
    ASSERT_EQ(PdfPageCount(dir.Path("print.pdf")), 4);
    const std::vector<std::string> fromChart = RenderedPages(dir.Path("chart.pdf"), dir.Path("chart"));
    const std::vector<std::string> fromPreview = RenderedPages(dir.Path("print.pdf"), dir.Path("preview"));
    ASSERT_EQ(fromChart.size(), 4u);
    ASSERT_EQ(fromPreview.size(), 4u);
    for (int i = 0; i < 4; ++i)
        EXPECT_TRUE(fromChart[i] == fromPreview[i]) << "page " << i + 1 << " differs";
    EXPECT_NE(fromChart[0], fromChart[1]);
    EXPECT_EQ(plot.GetXAxis(0)->Span(), 400);
}

// Print with margins that leave no room says so, and prints nothing.
TEST_F(PlotPreviewTest, PrintWithMarginsWiderThanThePageIsRefusedWithAMessage)
{
    if (!Printer()->PrintsToFile())
        GTEST_SKIP() << "a real printer is installed";
    plot.SetPrintMarginLeft(6);
    plot.SetPrintMarginRight(6);
    TiPlotPreviewForm form(nullptr);
    form.SetPlot(&plot);
    EXPECT_EQ(ErrorOf([&] { form.PrintButtonClick(nullptr); }),
              "Error Printing : The print margins leave no room on the page");
    EXPECT_FALSE(Printer()->Printing());
}

// --- Settings ----------------------------------------------------------------------------------

// The settings form shows the preview's settings; what the user enters comes back into the
// preview, and all but the paper into the plot; Cancel changes nothing.
TEST_F(PlotPreviewTest, SettingsGoIntoTheFormAndComeBack)
{
    TiPlotPreviewForm form(nullptr);
    form.SetPlot(&plot);
    form.SetSettings({0.5, 0.75, 1.25, 1.5, poPortrait, "Strip", 3});
    plot.AddTranslation("Settings", "Einstellungen");

    auto edit = [](TForm& f, const char* name) { return f.FindControl<TiComponentEditorEdit>(name); };
    struct Shown {
        std::string Caption, Left, Top, Right, Bottom, Name;
        int Orientation, Paper;
        bool operator==(const Shown&) const = default;
    };
    std::vector<Shown> shown;
    bool confirm = true;
    modal.OnShowModal = [&](TForm& f) {
        EXPECT_NE(dynamic_cast<TiPlotPreviewSettingsForm*>(&f), nullptr);
        auto* orientation = f.FindControl<TiComponentEditorRadioGroup>("PrintOrientationRadioGroup");
        auto* paper = f.FindControl<TiComponentEditorComboBox>("PrintPaperSizeComboBox");
        shown.push_back({f.Caption(), edit(f, "PrintMarginLeftEdit")->Text(), edit(f, "PrintMarginTopEdit")->Text(),
                         edit(f, "PrintMarginRightEdit")->Text(), edit(f, "PrintMarginBottomEdit")->Text(),
                         edit(f, "PrintDocumentNameEdit")->Text(), orientation->GetAsInteger(), paper->GetAsInteger()});
        edit(f, "PrintMarginLeftEdit")->SetStringWithEvent("2");
        edit(f, "PrintMarginTopEdit")->SetStringWithEvent("0.25");
        edit(f, "PrintMarginRightEdit")->SetStringWithEvent("1");
        edit(f, "PrintMarginBottomEdit")->SetStringWithEvent("3.5");
        edit(f, "PrintDocumentNameEdit")->SetStringWithEvent("Night run");
        orientation->SetAsInteger(1);
        paper->SetAsInteger(2);
        return confirm ? mrOk : mrCancel;
    };

    form.SettingsButtonClick(nullptr);
    const TiPlotPreviewSettings entered{2, 0.25, 1, 3.5, poLandscape, "Night run", 2};
    EXPECT_TRUE(form.Settings() == entered);
    EXPECT_EQ(form.Caption(), "Night run (Preview)");
    EXPECT_EQ(plot.PrintMarginLeft(), 2);
    EXPECT_EQ(plot.PrintMarginTop(), 0.25);
    EXPECT_EQ(plot.PrintMarginRight(), 1);
    EXPECT_EQ(plot.PrintMarginBottom(), 3.5);
    EXPECT_EQ(plot.PrintOrientation(), poLandscape);
    EXPECT_EQ(plot.PrintDocumentName(), "Night run");

    // The entered settings come back into the form; Cancel keeps what the preview had.
    confirm = false;
    form.SetSettings({1, 1, 1, 1, poPortrait, "Other", 4});
    form.SettingsButtonClick(nullptr);
    EXPECT_TRUE(form.Settings() == (TiPlotPreviewSettings{1, 1, 1, 1, poPortrait, "Other", 4}));
    EXPECT_EQ(plot.PrintDocumentName(), "Night run");

    ASSERT_EQ(shown.size(), 2u);
    EXPECT_TRUE(shown[0] == (Shown{"Einstellungen", "0.5", "0.75", "1.25", "1.5", "Strip", 0, 3}));
    EXPECT_TRUE(shown[1] == (Shown{"Einstellungen", "1", "1", "1", "1", "Other", 0, 4}));
}

// --- Pictures for a person ---------------------------------------------------------------------

TEST_F(PlotPreviewTest, PicturesOfThePreviewAndItsSettings)
{
    plot.OnBeforePrint = [&](TObject*) { plot.GetXAxis(0)->SetSpan(100); };
    TiPlotPreviewForm form(nullptr);
    form.SetPlot(&plot);
    form.SetCaption("Strip (Preview)");
    TBitmap picture;
    GrabPreview(form, picture);
    TestHooks::GrabControl(form, picture);
    SavePicture(picture, "plot_preview");
    form.SetSettings({6, 1, 6, 1, poLandscape, "Strip", 0});
    TestHooks::PumpFor(50);
    TestHooks::GrabControl(form, picture);
    SavePicture(picture, "plot_preview_no_room");

    TiPlotPreviewSettingsForm settings(nullptr);
    settings.FindControl<TiComponentEditorEdit>("PrintMarginLeftEdit")->SetAsFloat(1);
    settings.FindControl<TiComponentEditorEdit>("PrintMarginTopEdit")->SetAsFloat(1);
    settings.FindControl<TiComponentEditorEdit>("PrintMarginRightEdit")->SetAsFloat(1);
    settings.FindControl<TiComponentEditorEdit>("PrintMarginBottomEdit")->SetAsFloat(1);
    settings.FindControl<TiComponentEditorEdit>("PrintDocumentNameEdit")->SetAsString("Strip");
    settings.FindControl<TiComponentEditorRadioGroup>("PrintOrientationRadioGroup")->SetAsInteger(1);
    settings.FindControl<TiComponentEditorComboBox>("PrintPaperSizeComboBox")->SetAsInteger(0);
    settings.Show();
    TestHooks::PumpUntil([&] { return settings.Showing(); }, 2000);
    TestHooks::GrabControl(settings, picture);
    SavePicture(picture, "plot_preview_settings");
}

}  // namespace
