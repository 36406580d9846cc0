// The plot's picture put elsewhere: on the clipboard, into the snapshot picture of the print
// preview, into image files and onto printed pages, each painted by iPaintTo onto a canvas of
// its own.

#include "plot/control/iPlotComponent.h"
#include "plot/core/iPlotEditorHooks.h"

#include "components/iGPPaper.h"
#include "platform/canvas/Bitmap.h"
#include "platform/canvas/ImageCodecs.h"
#include "platform/canvas/Printer.h"
#include "platform/core/Exceptions.h"
#include "platform/core/MathSupport.h"
#include "platform/core/StrUtils.h"
#include "platform/gui/Clipboard.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <string>

namespace {

const char* const kImageFilter =
    "Bitmap (*.bmp)|*.bmp|Enhanced Metafile (*.emf)|*.emf|JPEG File (*.jpg)|*.jpg|PNG (*.png)|*.png";
// The extensions of the filter's entries, in order.
constexpr std::array<const char*, 4> kImageExtensions{".bmp", ".emf", ".jpg", ".png"};
// The image other programs paste along with the metafile and JPEG bytes: quick to make, as
// it is made on every copy.
constexpr int kClipboardPNGLevel = 1;

// The save picker's naming: a chosen name keeps its extension only when it is the one of the
// chosen filter entry (compared ignoring case); otherwise that entry's extension is appended,
// so "plot" saved as PNG becomes "plot.png" and "plot.txt" becomes "plot.txt.png".
std::string NameForChosenFilter(const std::string& fileName, int filterIndex)
{
    if (filterIndex < 1 || filterIndex > int(kImageExtensions.size()))
        return fileName;
    const std::string extension = kImageExtensions[filterIndex - 1];
    const std::size_t dot = fileName.find_last_of('.');
    const std::size_t slash = fileName.find_last_of('/');
    const bool hasExtension = dot != std::string::npos && (slash == std::string::npos || dot > slash);
    if (hasExtension && SameText(fileName.substr(dot), extension))
        return fileName;
    return fileName + extension;
}

TBytes RenderedPNG(const TMetafile& metafile)
{
    TBitmap bitmap;
    bitmap.SetSize(metafile.GetWidth(), metafile.GetHeight());
    metafile.Play(bitmap.Canvas(), TRect{0, 0, metafile.GetWidth(), metafile.GetHeight()});
    return EncodePNG(bitmap, kClipboardPNGLevel);
}

// Hides every toolbar for a scope; afterwards all of them are shown or hidden as toolbar 0
// was.
class TToolBarsHidden {
public:
    explicit TToolBarsHidden(TiPlotComponent& plot)
        : m_plot(plot), m_visible(plot.ToolBarCount() > 0 && plot.GetToolBarObject(0)->Visible())
    {
        m_plot.MasterManager().ShowToolBars(false);
    }
    TToolBarsHidden(const TToolBarsHidden&) = delete;
    TToolBarsHidden& operator=(const TToolBarsHidden&) = delete;
    ~TToolBarsHidden() { m_plot.MasterManager().ShowToolBars(m_visible); }

private:
    TiPlotComponent& m_plot;
    bool m_visible;
};

// Closes the print job however the printing ends.
class TPrintJob {
public:
    explicit TPrintJob(TPrinter& printer) : m_printer(printer) { m_printer.BeginDoc(); }
    TPrintJob(const TPrintJob&) = delete;
    TPrintJob& operator=(const TPrintJob&) = delete;
    ~TPrintJob() { m_printer.EndDoc(); }

private:
    TPrinter& m_printer;
};

// BeginUpdate for a scope: one repaint request at most when it ends.
class TUpdateScope {
public:
    explicit TUpdateScope(TiComponent& component) : m_component(component) { m_component.BeginUpdate(); }
    TUpdateScope(const TUpdateScope&) = delete;
    TUpdateScope& operator=(const TUpdateScope&) = delete;
    ~TUpdateScope() { m_component.EndUpdate(); }

private:
    TiComponent& m_component;
};

}  // namespace

// ---------------------------------------------------------------------------------------------
// Clipboard and snapshot

void TiPlotComponent::PaintToControlMetafile(const std::string& description)
{
    if (!m_metafile)
        m_metafile = std::make_unique<TMetafile>();
    m_metafile->SetWidth(Width());
    m_metafile->SetHeight(Height());
    TMetafileCanvas canvas(*m_metafile, "Pravix", description);
    PaintToMetaFile(canvas);
}

void TiPlotComponent::CopyToClipBoard()
{
    TUpdateScope update(*this);
    TToolBarsHidden hidden(*this);
    m_master->DeSelectAll();
    switch (m_copyToClipBoardFormat) {
    case ipefMetaFile:
        PaintToControlMetafile("Strip Chart");
        Clipboard()->SetFormats({{"image/emf", m_metafile->SaveToBytes()}}, RenderedPNG(*m_metafile));
        break;
    case ipefBitmap: {
        TBitmap bitmap;
        bitmap.SetSize(Width(), Height());
        PaintToMetaFile(bitmap.Canvas());
        Clipboard()->SetBitmap(bitmap);
        break;
    }
    case ipefJPEG: {
        const std::unique_ptr<TJPEGImage> jpeg = GetJPEG(100, false);
        TBitmap decoded;
        jpeg->ToBitmap(decoded);
        Clipboard()->SetFormats({{"image/jpeg", jpeg->Bytes()}}, EncodePNG(decoded, kClipboardPNGLevel));
        break;
    }
    }
}

TPicture* TiPlotComponent::GetSnapShotPicture()
{
    PaintToControlMetafile("iPlot");
    if (!m_picture)
        m_picture = std::make_unique<TPicture>();
    m_picture->Metafile().Assign(*m_metafile);
    return m_picture.get();
}

// ---------------------------------------------------------------------------------------------
// Image files

void TiPlotComponent::Save()
{
    // The editors' save picker when their library is loaded, the platform's dialog otherwise.
    if (const TiPlotSavePickerHook& picker = PlotSavePicker()) {
        std::string fileName = "Untitled";
        if (picker(*this, kImageFilter, fileName)) {
            m_master->DeSelectAll();
            SaveImageByEnding(fileName);
        }
        return;
    }
    if (!m_savePicker) {
        m_savePicker = std::make_unique<TSaveDialog>();
        m_savePicker->OverwritePrompt = true;
    }
    m_savePicker->Filter = kImageFilter;
    m_savePicker->FileName = "Untitled";
    if (!m_savePicker->Execute())
        return;
    m_savePicker->FileName = NameForChosenFilter(m_savePicker->FileName, m_savePicker->FilterIndex);
    m_master->DeSelectAll();
    SaveImageByEnding(m_savePicker->FileName);
}

void TiPlotComponent::SaveImageByEnding(const std::string& fileName)
{
    const std::string ending = fileName.size() < 3 ? fileName : fileName.substr(fileName.size() - 3);
    if (ending == "bmp")
        SaveImageToBitmap(fileName);
    else if (ending == "emf")
        SaveImageToMetaFile(fileName);
    else if (ending == "jpg")
        SaveImageToJPEG(fileName, 100, true);
    else if (ending == "png")
        SaveImageToPNG(fileName, 9);
}

// ---------------------------------------------------------------------------------------------
// Printing

TiPlotPrintedState::TiPlotPrintedState(TiPlotComponent& plot)
    : m_plot(plot),
      m_xMin(plot.XAxisCount() > 0 ? plot.GetXAxis(0)->Min() : 0),
      m_xSpan(plot.XAxisCount() > 0 ? plot.GetXAxis(0)->Span() : 0),
      m_width(plot.Width()),
      m_height(plot.Height()),
      m_outerMargins{plot.OuterMarginLeft(), plot.OuterMarginRight(), plot.OuterMarginTop(), plot.OuterMarginBottom()}
{
}

TiPlotPrintedState::~TiPlotPrintedState()
{
    if (m_plot.XAxisCount() > 0) {
        m_plot.GetXAxis(0)->SetMin(m_xMin);
        m_plot.GetXAxis(0)->SetSpan(m_xSpan);
    }
    m_plot.SetWidth(m_width);
    m_plot.SetHeight(m_height);
    m_plot.SetOuterMarginLeft(m_outerMargins[0]);
    m_plot.SetOuterMarginRight(m_outerMargins[1]);
    m_plot.SetOuterMarginTop(m_outerMargins[2]);
    m_plot.SetOuterMarginBottom(m_outerMargins[3]);
}

void TiPlotComponent::PrintChart()
{
    try {
        TPrinter* printer = Printer();
        printer->EndDoc();
        printer->SetOrientation(m_printOrientation);
        printer->SetTitle(m_printDocumentName);
        if (m_printShowDialog && !TPrintDialog().Execute())
            return;
        TUpdateScope update(*this);
        TiPlotXAxis* xAxis = GetXAxis(0);
        m_printStart = xAxis->Min();
        m_printStop = xAxis->GetMax();
        DoPrintChart();
    } catch (const std::exception& e) {
        throw Exception(std::string("Error Printing : ") + e.what());
    }
}

void TiPlotComponent::PreviewChart()
{
    if (const TiPlotPreviewHook& preview = PlotPreview())
        preview(*this);
}

void TiPlotComponent::DoPrintChart()
{
    TPrinter* printer = Printer();
    // The plot's own printer overrides the one chosen in the print dialog.
    if (!Trim(m_printerName).empty())
        printer->SelectPrinter(m_printerName);
    GetPrinterPaperSize(m_paperWidth, m_paperHeight);
    const int dpiX = printer->DpiX();
    const int dpiY = printer->DpiY();
    m_pageWidth = int(RoundHalfEven(dpiX * m_paperWidth));
    m_pageHeight = int(RoundHalfEven(dpiY * m_paperHeight));

    TPrintJob job(*printer);
    TiPlotPrintedState restore(*this);
    TToolBarsHidden hidden(*this);
    m_master->DeSelectAll();
    OnBeforePrint(this);
    PrintPages(dpiX, dpiY, printer->OffsetX(), printer->OffsetY());
    OnAfterPrint(this);
}

// One page for each span of X axis 0 from the recorded start; the first page is printed even
// when the range is empty, so a span of zero prints the one page the axis shows.
void TiPlotComponent::PrintPages(int dpiX, int dpiY, int offsetX, int offsetY)
{
    TiPlotXAxis* xAxis = GetXAxis(0);
    const double left = dpiX * PrintMarginLeft() - offsetX;
    const double top = dpiY * PrintMarginTop() - offsetY;
    xAxis->SetMin(m_printStart);
    for (int pageIndex = 1;; ++pageIndex) {
        OnBeforePrintPage(this, pageIndex, xAxis->GetMax() >= m_printStop);
        const double scale = PrintScale(dpiX, dpiY);
        const TRect pageRect{int(RoundHalfEven(left)), int(RoundHalfEven(top)),
                             int(RoundHalfEven(left + Width() * scale)), int(RoundHalfEven(top + Height() * scale))};
        ReCalcLayout();
        DoPrintPage(pageRect);
        const double nextStart = xAxis->Min() + xAxis->Span();
        if (!(nextStart > xAxis->Min()) || xAxis->GetMax() >= m_printStop)
            return;
        Printer()->NewPage();
        xAxis->SetMin(nextStart);
    }
}

void TiPlotComponent::CheckPrintableSize() const
{
    if (Width() <= 0 || Height() <= 0)
        throw Exception("The plot has no width or height to print");
}

double TiPlotComponent::PrintScale(int dpiX, int dpiY) const
{
    CheckPrintableSize();
    const double printableWidth = m_pageWidth - (PrintMarginLeft() + PrintMarginRight()) * dpiX;
    const double printableHeight = m_pageHeight - (PrintMarginTop() + PrintMarginBottom()) * dpiY;
    if (printableWidth <= 0 || printableHeight <= 0)
        throw Exception("The print margins leave no room on the page");
    return std::min(printableWidth / Width(), printableHeight / Height());
}

void TiPlotComponent::DoPrintPage(const TRect& pageRect)
{
    TMetafile page;
    page.SetWidth(Width());
    page.SetHeight(Height());
    {
        TMetafileCanvas canvas(page, "Pravix", "");
        PaintToMetaFile(canvas);
    }
    page.Play(*Printer()->Canvas(), pageRect);
}

// Before the first print there is no recorded paper: the printer's, turned as the print
// will turn it, stands in for it.
void TiPlotComponent::TakePrinterPaperSize()
{
    if (m_paperWidth > 0 && m_paperHeight > 0)
        return;
    Printer()->SetOrientation(m_printOrientation);
    GetPrinterPaperSize(m_paperWidth, m_paperHeight);
}

void TiPlotComponent::PrintSizeToFillPage()
{
    TakePrinterPaperSize();
    SetHeight(int(Trunc(Width() * m_paperHeight / m_paperWidth)));
    ReCalcLayout();
}

void TiPlotComponent::PrintAdjustXSpanToMinutesPerMillimeter(double minutesPerMillimeter)
{
    TakePrinterPaperSize();
    CheckPrintableSize();
    const double printableHeight = m_paperHeight - PrintMarginTop() - PrintMarginBottom();
    if (printableHeight <= 0)
        throw Exception("The print margins leave no room on the page");
    ReCalcLayout();
    TiPlotXAxis* xAxis = GetXAxis(0);
    const double length = std::abs(xAxis->GetMaxPixels() - xAxis->GetMinPixels());
    xAxis->SetSpan(length * printableHeight / Height() * 25.4 * minutesPerMillimeter / 1440);
}
