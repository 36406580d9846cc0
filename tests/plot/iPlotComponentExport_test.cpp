// The plot's picture on the clipboard, in image files and on printed pages, checked where
// other programs read it: Pillow for PNG, JPEG and BMP, emf2svg for metafiles, poppler for the
// printed PDF.

#include "plot/control/iPlotComponent.h"

#include "platform/canvas/PixelTestUtil.h"
#include "support/ExternalTools.h"
#include "support/TempDir.h"

#include "platform/canvas/Bitmap.h"
#include "platform/canvas/ImageCodecs.h"
#include "platform/canvas/Metafile.h"
#include "platform/canvas/Printer.h"
#include "platform/core/Exceptions.h"
#include "platform/core/Streams.h"
#include "platform/gui/Clipboard.h"
#include "platform/gui/TestHooks.h"
#include "plot/control/iPlot.h"
#include "plot/objects/iPlotChannel.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <set>
#include <sstream>
#include <string>
#include <utility>
#include <vector>

namespace {

const TColor kTrace = TColor(0x0000FF);  // red

bool HasPillow() { return std::system("/usr/bin/python3 -c 'import PIL' 2>/dev/null") == 0; }

std::string ErrorOf(const std::function<void()>& call)
{
    try {
        call();
    } catch (const std::exception& e) {
        return e.what();
    }
    return {};
}

std::string RGBText(TColor color)
{
    const unsigned c = unsigned(color);
    return std::to_string(c & 0xFF) + "," + std::to_string((c >> 8) & 0xFF) + "," + std::to_string((c >> 16) & 0xFF);
}

// Each channel of two "r,g,b" texts differs by at most `tolerance`.
bool NearRGB(const std::string& a, const std::string& b, int tolerance)
{
    int ra, ga, ba, rb, gb, bb;
    if (std::sscanf(a.c_str(), "%d,%d,%d", &ra, &ga, &ba) != 3 ||
        std::sscanf(b.c_str(), "%d,%d,%d", &rb, &gb, &bb) != 3)
        return false;
    return std::abs(ra - rb) <= tolerance && std::abs(ga - gb) <= tolerance && std::abs(ba - bb) <= tolerance;
}

// A page rendered by poppler, as RGB rows.
struct TPage {
    int Width = 0;
    int Height = 0;
    std::vector<unsigned char> Pixels;
    bool Red(int x, int y) const
    {
        const unsigned char* p = &Pixels[3 * (std::size_t(y) * Width + x)];
        return p[0] > 180 && p[1] < 100 && p[2] < 100;
    }
    bool Dark(int x, int y) const
    {
        const unsigned char* p = &Pixels[3 * (std::size_t(y) * Width + x)];
        return p[0] < 60 && p[1] < 60 && p[2] < 60;
    }
    bool White(int x, int y) const
    {
        const unsigned char* p = &Pixels[3 * (std::size_t(y) * Width + x)];
        return p[0] > 245 && p[1] > 245 && p[2] > 245;
    }
    // Mean row of the red pixels in columns [x0, x1); -1 when there are none.
    double MeanRedRow(int x0, int x1) const
    {
        double sum = 0;
        int count = 0;
        for (int y = 0; y < Height; ++y)
            for (int x = x0; x < x1; ++x)
                if (Red(x, y)) {
                    sum += y;
                    ++count;
                }
        return count ? sum / count : -1;
    }
};

TPage ReadPPM(const std::string& path)
{
    TPage page;
    std::ifstream in(path, std::ios::binary);
    std::string magic;
    int maxValue = 0;
    in >> magic >> page.Width >> page.Height >> maxValue;
    in.get();
    if (magic != "P6" || maxValue != 255)
        return {};
    page.Pixels.resize(std::size_t(page.Width) * page.Height * 3);
    in.read(reinterpret_cast<char*>(page.Pixels.data()), std::streamsize(page.Pixels.size()));
    return page;
}

int PdfPageCount(const std::string& pdf)
{
    std::istringstream info(RunTool("pdfinfo '" + pdf + "'"));
    for (std::string line; std::getline(info, line);)
        if (line.rfind("Pages:", 0) == 0)
            return std::atoi(line.c_str() + 6);
    return -1;
}

constexpr int kRenderDpi = 20;

// One page of the PDF at kRenderDpi (one inch = 20 pixels).
TPage RenderPage(const std::string& pdf, int page, const std::string& prefix)
{
    const std::string n = std::to_string(page);
    RunTool("pdftoppm -r " + std::to_string(kRenderDpi) + " -f " + n + " -l " + n + " -singlefile '" + pdf + "' '" +
            prefix + "'");
    return ReadPPM(prefix + ".ppm");
}

// A strip chart of 400 x 250 pixels: X and Y 0..100, a thick red trace at 80 for X below 50
// and at 20 from 50 on.
class PlotExportTest : public ::testing::Test {
protected:
    TempDir dir;
    TestHooks::TModalScript modal;
    TiPlot plot{nullptr};

    PlotExportTest()
    {
        plot.SetBounds(0, 0, 400, 250);
        plot.DisableAllTracking();
        plot.GetXAxis(0)->SetMinSpan(0, 100);
        plot.GetYAxis(0)->SetMinSpan(0, 100);
        TiPlotChannel& channel = *plot.GetChannel(0);
        channel.SetColor(kTrace);
        channel.SetTraceLineWidth(5);
        for (int x = 0; x <= 100; ++x)
            channel.AddXY(x, x < 50 ? 80 : 20);
        plot.SetPrintShowDialog(false);
        Printer()->SetOutputFileName(dir.Path("print.pdf"));
    }
    ~PlotExportTest() override { Printer()->SetOutputFileName(""); }

    // The plot as it paints itself now.
    void Paint(TBitmap& bitmap)
    {
        bitmap.SetSize(plot.Width(), plot.Height());
        plot.iPaintTo(bitmap.Canvas());
    }
    void PaintWithoutToolBar(TBitmap& bitmap)
    {
        plot.GetToolBar(0)->SetVisible(false);
        Paint(bitmap);
        plot.GetToolBar(0)->SetVisible(true);
    }
    // The save dialog answers with this name and filter (1 bmp, 2 emf, 3 jpg, 4 png).
    void AnswerSave(const std::string& name, int filterIndex)
    {
        modal.OnFileDialog = [=, this](TFileDialogRequest& request) {
            request.FileName = dir.Path(name);
            request.FilterIndex = filterIndex;
            return true;
        };
    }
    std::set<std::string> Files() const
    {
        std::set<std::string> names;
        for (const auto& entry : std::filesystem::directory_iterator(dir.Folder()))
            names.insert(entry.path().filename().string());
        return names;
    }
    std::string Pdf() const { return dir.Path("print.pdf"); }
    bool CanPrintToPdf() const { return Printer()->PrintsToFile() && HasProgram("pdfinfo") && HasProgram("pdftoppm"); }
};

// The middle of the thick trace in the column at a quarter of the data view, and a point of the
// data view's background below it, away from the grid lines.
std::pair<TPoint, TPoint> TraceAndBackground(TiPlot& plot, TBitmap& painted)
{
    const TRect view = plot.GetDataView(0)->GetDrawRect();
    const int x = view.Left + (view.Right - view.Left) / 4;
    int y = view.Top;
    while (y < view.Bottom && painted.Canvas().GetPixel(x, y) != kTrace)
        ++y;
    return {TPoint{x, y + 2}, TPoint{x, view.Top + (view.Bottom - view.Top) * 3 / 8}};
}

std::string PointsText(const std::pair<TPoint, TPoint>& points)
{
    return std::to_string(points.first.X) + "," + std::to_string(points.first.Y) + " " +
           std::to_string(points.second.X) + "," + std::to_string(points.second.Y);
}

// --- Image files -------------------------------------------------------------------------------

TEST_F(PlotExportTest, SavedPicturesOpenInPillowWithThePlotsPixels)
{
    if (!HasPillow())
        GTEST_SKIP() << "Pillow is not installed";
    TBitmap painted;
    Paint(painted);
    const auto points = TraceAndBackground(plot, painted);
    ASSERT_EQ(painted.Canvas().GetPixel(points.first.X, points.first.Y), kTrace);
    const std::string trace = RGBText(kTrace);
    const std::string background = RGBText(painted.Canvas().GetPixel(points.second.X, points.second.Y));

    struct Case {
        std::string Name;
        int FilterIndex;
        std::string Format;
        int Tolerance;
    };
    for (const Case& c :
         {Case{"plot.png", 4, "PNG", 0}, Case{"plot.bmp", 1, "BMP", 0}, Case{"plot.jpg", 3, "JPEG", 40}}) {
        AnswerSave(c.Name, c.FilterIndex);
        plot.Save();
        std::istringstream probe(PillowProbe(dir.Path(c.Name), PointsText(points)));
        std::string header, atTrace, atBackground;
        std::getline(probe, header);
        std::getline(probe, atTrace);
        std::getline(probe, atBackground);
        EXPECT_EQ(header, c.Format + " 400x250 RGB") << c.Name;
        EXPECT_TRUE(NearRGB(atTrace, trace, c.Tolerance)) << c.Name << ": " << atTrace;
        EXPECT_TRUE(NearRGB(atBackground, background, c.Tolerance)) << c.Name << ": " << atBackground;
    }
}

TEST_F(PlotExportTest, SavedMetafileConvertsToSvgWithTheTrace)
{
    if (!HasProgram("emf2svg-conv"))
        GTEST_SKIP() << "emf2svg-conv is not installed";
    AnswerSave("plot.emf", 2);
    plot.Save();
    const std::string emf = dir.Path("plot.emf");
    TMetafile read;
    read.LoadFromFile(emf);
    EXPECT_EQ(read.GetCreator(), "Pravix");
    EXPECT_EQ(read.GetWidth(), 400);
    EXPECT_EQ(read.GetHeight(), 250);

    const std::string svg = dir.Path("plot.svg");
    ASSERT_EQ(RunTool("emf2svg-conv -i '" + emf + "' -o '" + svg + "'"), "");
    std::string text = ReadFileBytes(svg);
    for (char& c : text)
        c = char(std::tolower(static_cast<unsigned char>(c)));
    EXPECT_NE(text.find("#ff0000"), std::string::npos) << "no red trace in the converted picture";
    EXPECT_NE(text.find("<text"), std::string::npos) << "no text in the converted picture";
}

// The name the user gives is completed with the chosen filter's extension, and the picture's
// format follows the name's last three characters exactly as they are written.
TEST_F(PlotExportTest, TheFileNameEndingChoosesTheFormat)
{
    struct Case {
        std::string Typed;
        int FilterIndex;
        std::set<std::string> Written;
    };
    const Case cases[] = {
        {"plot", 4, {"plot.png"}}, {"plot.txt", 3, {"plot.txt.jpg"}},
        {"plot.BMP", 1, {}},  // kept as chosen; its ending is not "bmp"
        {"plot.JPG", 3, {}},       {"plot.emf", 2, {"plot.emf"}},
    };
    for (const Case& c : cases) {
        std::filesystem::remove_all(dir.Folder());
        std::filesystem::create_directories(dir.Folder());
        AnswerSave(c.Typed, c.FilterIndex);
        plot.Save();
        EXPECT_EQ(Files(), c.Written) << c.Typed;
    }
    modal.OnFileDialog = nullptr;  // Cancel
    std::filesystem::remove_all(dir.Folder());
    std::filesystem::create_directories(dir.Folder());
    plot.Save();
    EXPECT_TRUE(Files().empty());
    ASSERT_FALSE(modal.FileDialogs.empty());
    EXPECT_EQ(modal.FileDialogs.back().FileName, "Untitled");
    EXPECT_EQ(modal.FileDialogs.back().Filter,
              "Bitmap (*.bmp)|*.bmp|Enhanced Metafile (*.emf)|*.emf|JPEG File (*.jpg)|*.jpg|PNG (*.png)|*.png");
}

// A file that cannot be written is reported, in every format, never passed over in silence.
TEST_F(PlotExportTest, AFileThatCannotBeWrittenIsReported)
{
    for (int filterIndex = 1; filterIndex <= 4; ++filterIndex) {
        AnswerSave("no such folder/plot", filterIndex);
        EXPECT_NE(ErrorOf([&] { plot.Save(); }), "") << filterIndex;
    }
    EXPECT_TRUE(Files().empty());
}

// --- Clipboard ---------------------------------------------------------------------------------

TEST_F(PlotExportTest, EachClipboardFormatRoundTripsWithoutTheToolBar)
{
    TBitmap withToolBar, expected;
    Paint(withToolBar);
    PaintWithoutToolBar(expected);
    const auto points = TraceAndBackground(plot, expected);
    const TColor toolBarPixel = withToolBar.Canvas().GetPixel(10, 10);
    ASSERT_NE(toolBarPixel, expected.Canvas().GetPixel(10, 10)) << "the toolbar is not at (10, 10)";

    plot.SetCopyToClipBoardFormat(ipefBitmap);
    plot.CopyToClipBoard();
    TBitmap pasted;
    ASSERT_TRUE(Clipboard()->GetBitmap(pasted));
    ASSERT_EQ(pasted.GetWidth(), 400);
    ASSERT_EQ(pasted.GetHeight(), 250);
    EXPECT_TRUE(InkBox(pasted, clBlack) == InkBox(expected, clBlack));
    EXPECT_EQ(pasted.Canvas().GetPixel(points.first.X, points.first.Y), kTrace);
    EXPECT_EQ(pasted.Canvas().GetPixel(10, 10), expected.Canvas().GetPixel(10, 10));

    plot.SetCopyToClipBoardFormat(ipefMetaFile);
    plot.CopyToClipBoard();
    ASSERT_TRUE(Clipboard()->HasFormat("image/emf"));
    TMetafile metafile;
    metafile.LoadFromBytes(Clipboard()->GetFormat("image/emf"));
    EXPECT_EQ(metafile.GetCreator(), "Pravix");
    EXPECT_EQ(metafile.GetDescription(), "Strip Chart");
    EXPECT_EQ(metafile.GetWidth(), 400);
    TBitmap played;
    played.SetSize(400, 250);
    metafile.Play(played.Canvas(), {0, 0, 400, 250});
    EXPECT_EQ(played.Canvas().GetPixel(points.first.X, points.first.Y), kTrace);
    EXPECT_EQ(played.Canvas().GetPixel(10, 10), expected.Canvas().GetPixel(10, 10));
    EXPECT_TRUE(Clipboard()->HasImage());

    plot.SetCopyToClipBoardFormat(ipefJPEG);
    plot.CopyToClipBoard();
    ASSERT_TRUE(Clipboard()->HasFormat("image/jpeg"));
    TBitmap decoded;
    DecodeJPEG(Clipboard()->GetFormat("image/jpeg"), decoded);
    EXPECT_EQ(decoded.GetWidth(), 400);
    EXPECT_TRUE(NearRGB(RGBText(decoded.Canvas().GetPixel(points.first.X, points.first.Y)), RGBText(kTrace), 40));
    EXPECT_TRUE(NearRGB(RGBText(decoded.Canvas().GetPixel(10, 10)), RGBText(expected.Canvas().GetPixel(10, 10)), 40));
    EXPECT_TRUE(Clipboard()->HasImage());

    EXPECT_TRUE(plot.GetToolBar(0)->Visible());
    EXPECT_FALSE(plot.Updating());
}

TEST_F(PlotExportTest, CopyGivesEveryToolBarTheStateOfToolBarZero)
{
    plot.SetCopyToClipBoardFormat(ipefBitmap);
    plot.AddToolBar();
    for (bool zeroVisible : {false, true}) {
        plot.GetToolBar(0)->SetVisible(zeroVisible);
        plot.GetToolBar(1)->SetVisible(!zeroVisible);
        plot.CopyToClipBoard();
        EXPECT_EQ(plot.GetToolBar(0)->Visible(), zeroVisible);
        EXPECT_EQ(plot.GetToolBar(1)->Visible(), zeroVisible);
    }
}

TEST_F(PlotExportTest, SnapShotKeepsToolBarAndSelection)
{
    plot.GetChannel(0)->SetUserSelected(true);
    TBitmap painted;
    Paint(painted);
    TPicture* picture = plot.GetSnapShotPicture();
    ASSERT_NE(picture, nullptr);
    EXPECT_EQ(picture, plot.GetSnapShotPicture());
    EXPECT_EQ(picture->Metafile().GetDescription(), "iPlot");
    TBitmap played;
    played.SetSize(400, 250);
    picture->StretchDraw(played.Canvas(), {0, 0, 400, 250});
    EXPECT_EQ(played.Canvas().GetPixel(10, 10), painted.Canvas().GetPixel(10, 10));
    EXPECT_TRUE(plot.GetChannel(0)->UserSelected());
}

// --- Printing ----------------------------------------------------------------------------------

struct PageEvent {
    int Index;
    bool Last;
    bool operator==(const PageEvent&) const = default;
};

TEST_F(PlotExportTest, OnePagePrintsTheRangeTheAxisShowsInsideTheMargins)
{
    if (!CanPrintToPdf())
        GTEST_SKIP() << "no PDF printing or no poppler tools";
    std::vector<std::string> events;
    std::vector<PageEvent> pages;
    plot.OnBeforePrint = [&](TObject*) { events.push_back("before"); };
    plot.OnAfterPrint = [&](TObject*) { events.push_back("after"); };
    plot.OnBeforePrintPage = [&](TObject*, int index, bool last) { pages.push_back({index, last}); };
    plot.PrintChart();

    EXPECT_EQ(PdfPageCount(Pdf()), 1);
    EXPECT_EQ(events, (std::vector<std::string>{"before", "after"}));
    EXPECT_EQ(pages, (std::vector<PageEvent>{{1, true}}));

    const TPage page = RenderPage(Pdf(), 1, dir.Path("page"));
    // Letter, landscape.
    ASSERT_EQ(page.Width, 11 * kRenderDpi);
    ASSERT_EQ(page.Height, 17 * kRenderDpi / 2);
    // The plot (black) starts at the one-inch margins and is 9 inches wide: 400 x 250 pixels
    // scaled to the printable width.
    EXPECT_TRUE(page.White(kRenderDpi - 2, kRenderDpi - 2));
    EXPECT_TRUE(page.Dark(kRenderDpi + 2, kRenderDpi + 20));
    EXPECT_TRUE(page.Dark(10 * kRenderDpi - 2, kRenderDpi + 20));
    EXPECT_TRUE(page.White(10 * kRenderDpi + 2, kRenderDpi + 20));
    const int plotBottom = kRenderDpi + 9 * kRenderDpi * 250 / 400;
    EXPECT_TRUE(page.Dark(5 * kRenderDpi, plotBottom - 2));
    EXPECT_TRUE(page.White(5 * kRenderDpi, plotBottom + 2));
    // The whole range: the trace high on the left half of the data, low on the right.
    const int middle = 11 * kRenderDpi / 2;
    EXPECT_LT(page.MeanRedRow(kRenderDpi, middle - 20), page.MeanRedRow(middle + 20, 10 * kRenderDpi));
    EXPECT_FALSE(Printer()->Printing());
}

TEST_F(PlotExportTest, AHalvedSpanPrintsTheRangeOnTwoPages)
{
    if (!CanPrintToPdf())
        GTEST_SKIP() << "no PDF printing or no poppler tools";
    std::vector<PageEvent> pages;
    plot.OnBeforePrint = [&](TObject*) { plot.GetXAxis(0)->SetSpan(50); };
    plot.OnBeforePrintPage = [&](TObject*, int index, bool last) { pages.push_back({index, last}); };
    plot.PrintChart();

    EXPECT_EQ(PdfPageCount(Pdf()), 2);
    EXPECT_EQ(pages, (std::vector<PageEvent>{{1, false}, {2, true}}));
    // Page 1 shows X 0..50 (the trace at 80, high), page 2 X 50..100 (at 20, low).
    const TPage first = RenderPage(Pdf(), 1, dir.Path("page1"));
    const TPage second = RenderPage(Pdf(), 2, dir.Path("page2"));
    const int plotTop = kRenderDpi, plotBottom = kRenderDpi + 9 * kRenderDpi * 250 / 400;
    const double firstRow = first.MeanRedRow(kRenderDpi, 10 * kRenderDpi);
    const double secondRow = second.MeanRedRow(kRenderDpi, 10 * kRenderDpi);
    ASSERT_GT(firstRow, plotTop);
    ASSERT_GT(secondRow, plotTop);
    EXPECT_LT(firstRow, (plotTop + plotBottom) / 2.0);
    EXPECT_GT(secondRow, (plotTop + plotBottom) / 2.0);
    EXPECT_EQ(plot.GetXAxis(0)->Min(), 0);
    EXPECT_EQ(plot.GetXAxis(0)->Span(), 100);

    // A picture of page 1 for a person to look at.
    RunTool("pdftoppm -r 60 -f 1 -l 1 -singlefile -png '" + Pdf() + "' printed_page_1");
}

// The axis keeps its span above zero; far from 0 that span adds nothing to Min.
TEST_F(PlotExportTest, ASpanThatMakesNoProgressPrintsOnePage)
{
    if (!CanPrintToPdf())
        GTEST_SKIP() << "no PDF printing or no poppler tools";
    plot.GetXAxis(0)->SetMinSpan(1e6, 0);
    ASSERT_EQ(plot.GetXAxis(0)->Min() + plot.GetXAxis(0)->Span(), 1e6);
    std::vector<PageEvent> pages;
    plot.OnBeforePrintPage = [&](TObject*, int index, bool last) { pages.push_back({index, last}); };
    plot.PrintChart();
    EXPECT_EQ(pages, (std::vector<PageEvent>{{1, true}}));
    EXPECT_EQ(PdfPageCount(Pdf()), 1);
}

TEST_F(PlotExportTest, CancelInThePrintDialogPrintsNothing)
{
    plot.SetPrintShowDialog(true);
    int events = 0;
    plot.OnBeforePrint = [&](TObject*) { ++events; };
    plot.OnAfterPrint = [&](TObject*) { ++events; };
    plot.OnBeforePrintPage = [&](TObject*, int, bool) { ++events; };
    plot.PrintChart();
    EXPECT_EQ(modal.Shown, std::vector<TestHooks::TModalKind>{TestHooks::TModalKind::PrintDialog});
    EXPECT_EQ(events, 0);
    EXPECT_FALSE(std::filesystem::exists(Pdf()));
    EXPECT_FALSE(Printer()->Printing());
}

// What a print handler changes comes back, also when the print fails half-way.
TEST_F(PlotExportTest, PrintingPutsTheControlBack)
{
    if (!Printer()->PrintsToFile())
        GTEST_SKIP() << "a real printer is installed";
    plot.SetPrintOrientation(poPortrait);
    for (bool fail : {false, true}) {
        int heightWhilePrinting = 0;
        plot.OnBeforePrint = [&](TObject*) {
            plot.PrintSizeToFillPage();
            plot.SetOuterMarginLeft(40);
            plot.GetXAxis(0)->SetSpan(20);
        };
        plot.OnBeforePrintPage = [&](TObject*, int, bool) {
            heightWhilePrinting = plot.Height();
            EXPECT_FALSE(plot.GetToolBar(0)->Visible());
            if (fail)
                throw Exception("paper jam");
        };
        const std::string error = ErrorOf([&] { plot.PrintChart(); });
        EXPECT_EQ(error, fail ? "Error Printing : paper jam" : "");
        EXPECT_EQ(heightWhilePrinting, 517);  // 400 x 11 / 8.5: portrait Letter
        EXPECT_EQ(plot.Height(), 250);
        EXPECT_EQ(plot.Width(), 400);
        EXPECT_EQ(plot.OuterMarginLeft(), 5);
        EXPECT_EQ(plot.GetXAxis(0)->Min(), 0);
        EXPECT_EQ(plot.GetXAxis(0)->Span(), 100);
        EXPECT_TRUE(plot.GetToolBar(0)->Visible());
        EXPECT_FALSE(plot.Updating());
        EXPECT_FALSE(Printer()->Printing());
    }
}

// A plot without area or margins that leave no room on the paper: a clear error, no page.
TEST_F(PlotExportTest, SizesThatLeaveNothingToPrintAreRefused)
{
    if (!Printer()->PrintsToFile())
        GTEST_SKIP() << "a real printer is installed";
    struct Case {
        std::function<void(TiPlot&)> Set;
        std::string Error;
    };
    const std::string noArea = "Error Printing : The plot has no width or height to print";
    const std::string noRoom = "Error Printing : The print margins leave no room on the page";
    const Case cases[] = {
        {[](TiPlot& p) { p.SetWidth(0); }, noArea},
        {[](TiPlot& p) { p.SetHeight(0); }, noArea},
        {[](TiPlot& p) { p.SetPrintMarginLeft(6), p.SetPrintMarginRight(5); }, noRoom},  // 11 inches wide
        {[](TiPlot& p) { p.SetPrintMarginTop(8.5); }, noRoom},
    };
    for (const Case& c : cases) {
        TiPlot fresh(nullptr);
        fresh.SetBounds(0, 0, 400, 250);
        fresh.SetPrintShowDialog(false);
        c.Set(fresh);
        const int width = fresh.Width(), height = fresh.Height();
        int pages = 0;
        fresh.OnBeforePrintPage = [&](TObject*, int, bool) { ++pages; };
        EXPECT_EQ(ErrorOf([&] { fresh.PrintChart(); }), c.Error);
        EXPECT_EQ(pages, 1);  // refused at the first page, before anything is drawn
        EXPECT_EQ(fresh.Width(), width);
        EXPECT_EQ(fresh.Height(), height);
        EXPECT_FALSE(Printer()->Printing());
    }
}

// Before any print the paper is the printer's, turned as the plot prints.
TEST_F(PlotExportTest, PrintSizingBeforeAnyPrintTakesThePrintersPaper)
{
    if (!Printer()->PrintsToFile())
        GTEST_SKIP() << "a real printer is installed";
    struct Case {
        TPrinterOrientation Orientation;
        int Height;
    };
    for (const Case& c : {Case{poLandscape, 309}, Case{poPortrait, 517}}) {  // 400 x 8.5 / 11, 400 x 11 / 8.5
        TiPlot fresh(nullptr);
        fresh.SetBounds(0, 0, 400, 250);
        fresh.SetPrintOrientation(c.Orientation);
        fresh.PrintSizeToFillPage();
        EXPECT_EQ(fresh.Height(), c.Height);
    }

    TiPlot fresh(nullptr);
    fresh.SetBounds(0, 0, 400, 250);
    fresh.ReCalcLayout();
    const double length = std::abs(fresh.GetXAxis(0)->GetMaxPixels() - fresh.GetXAxis(0)->GetMinPixels());
    ASSERT_GT(length, 0);
    fresh.PrintAdjustXSpanToMinutesPerMillimeter(1);
    EXPECT_NEAR(fresh.GetXAxis(0)->Span(), length * (8.5 - 2) / 250 * 25.4 / 1440, 1e-12);

    fresh.SetPrintMarginTop(4);
    fresh.SetPrintMarginBottom(4.5);
    EXPECT_EQ(ErrorOf([&] { fresh.PrintAdjustXSpanToMinutesPerMillimeter(1); }),
              "The print margins leave no room on the page");
    fresh.SetPrintMarginTop(1);
    fresh.SetHeight(0);
    EXPECT_EQ(ErrorOf([&] { fresh.PrintAdjustXSpanToMinutesPerMillimeter(1); }),
              "The plot has no width or height to print");
}

// --- Toolbar -----------------------------------------------------------------------------------

TEST_F(PlotExportTest, ToolBarButtonsCopySaveAndPrint)
{
    TiPlotToolBar& bar = *plot.GetToolBar(0);
    Clipboard()->Clear();
    bar.DoButtonClickCopy();
    EXPECT_TRUE(Clipboard()->HasFormat("image/emf"));

    AnswerSave("button.png", 4);
    bar.DoButtonClickSave();
    EXPECT_TRUE(std::filesystem::exists(dir.Path("button.png")));

    if (!Printer()->PrintsToFile())
        return;
    bar.DoButtonClickPrint();
    EXPECT_TRUE(std::filesystem::exists(Pdf()));
}

}  // namespace
