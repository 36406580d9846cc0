#include "platform/canvas/Printer.h"

#include "platform/canvas/Printer_p.h"
#include "platform/canvas/QtBridge_p.h"
#include "platform/canvas/QtCanvas_p.h"
#include "platform/core/Exceptions.h"

#include <QPageLayout>
#include <QPainter>
#include <QPrinter>
#include <QPrinterInfo>

namespace {

const char* const kPdfPrinterName = "PDF";

struct PaperCodeEntry {
    QPageSize::PageSizeId id;
    int code;
};

constexpr PaperCodeEntry kPaperCodes[] = {
    {QPageSize::Letter, 1},    {QPageSize::Tabloid, 3}, {QPageSize::Ledger, 4}, {QPageSize::Legal, 5},
    {QPageSize::Executive, 7}, {QPageSize::A3, 8},      {QPageSize::A4, 9},     {QPageSize::A5, 11},
    {QPageSize::B4, 12},       {QPageSize::B5, 13},     {QPageSize::Folio, 14}, {QPageSize::Quarto, 15},
    {QPageSize::Comm10E, 20},  {QPageSize::DLE, 27},    {QPageSize::C5E, 28},
};

}  // namespace

struct TPrinter::Private {
    QPrinter printer{QPrinter::HighResolution};
    QPainter painter;
    std::unique_ptr<TCanvas> canvas;
    int index = 0;
    std::string title;
    std::string outputFileName;
    bool printing = false;
    bool aborted = false;
    int page = 0;

    QStringList Installed() const { return QPrinterInfo::availablePrinterNames(); }

    void ApplySelection()
    {
        const QStringList installed = Installed();
        if (installed.isEmpty()) {
            printer.setOutputFormat(QPrinter::PdfFormat);
            return;
        }
        printer.setOutputFormat(QPrinter::NativeFormat);
        printer.setPrinterName(installed.value(index));
    }

    void PrepareOutputFile()
    {
        if (printer.outputFormat() != QPrinter::PdfFormat)
            return;
        const std::string name =
            outputFileName.empty() ? (title.empty() ? "Untitled" : title) + ".pdf" : outputFileName;
        printer.setOutputFileName(PathToQString(name));
    }

    QRect PaintRect() const { return printer.pageLayout().paintRectPixels(printer.resolution()); }
    QRect FullRect() const { return printer.pageLayout().fullRectPixels(printer.resolution()); }
};

TPrinter::TPrinter() : d(std::make_unique<Private>())
{
    d->printer.setPageSize(QPageSize(QPageSize::Letter));
    const QStringList installed = d->Installed();
    const QString defaultName = QPrinterInfo::defaultPrinterName();
    d->index = std::max(0, int(installed.indexOf(defaultName)));
    d->ApplySelection();
}

TPrinter::~TPrinter()
{
    if (d->printing)
        Abort();
}

std::vector<std::string> TPrinter::Printers() const
{
    std::vector<std::string> names;
    for (const QString& name : d->Installed())
        names.push_back(FromQString(name));
    if (names.empty())
        names.push_back(kPdfPrinterName);
    return names;
}

int TPrinter::PrinterIndex() const { return d->index; }

void TPrinter::SetPrinterIndex(int index)
{
    const int count = int(Printers().size());
    if (index == -1)
        index = std::max(0, int(d->Installed().indexOf(QPrinterInfo::defaultPrinterName())));
    if (index < 0 || index >= count)
        throw Exception("Printer index out of range");
    d->index = index;
    d->ApplySelection();
}

bool TPrinter::SelectPrinter(const std::string& name)
{
    const std::vector<std::string> names = Printers();
    for (std::size_t i = 0; i < names.size(); ++i) {
        if (names[i] == name) {
            SetPrinterIndex(int(i));
            return true;
        }
    }
    return false;
}

bool TPrinter::PrintsToFile() const { return d->printer.outputFormat() == QPrinter::PdfFormat; }

std::string TPrinter::OutputFileName() const { return d->outputFileName; }

void TPrinter::SetOutputFileName(const std::string& fileName) { d->outputFileName = fileName; }

TPrinterOrientation TPrinter::Orientation() const
{
    return d->printer.pageLayout().orientation() == QPageLayout::Landscape ? poLandscape : poPortrait;
}

void TPrinter::SetOrientation(TPrinterOrientation orientation)
{
    d->printer.setPageOrientation(orientation == poLandscape ? QPageLayout::Landscape : QPageLayout::Portrait);
}

std::string TPrinter::Title() const { return d->title; }

void TPrinter::SetTitle(const std::string& title) { d->title = title; }

bool TPrinter::Printing() const { return d->printing; }

bool TPrinter::Aborted() const { return d->aborted; }

int TPrinter::PageNumber() const { return d->page; }

void TPrinter::BeginDoc()
{
    if (d->printing)
        throw Exception("Printing in progress");
    d->printer.setDocName(ToQString(d->title));
    d->PrepareOutputFile();
    if (!d->painter.begin(&d->printer))
        throw Exception("Printer selected is not valid");
    d->canvas = CreatePainterCanvas(d->painter, TPainterTarget::Printer);
    d->printing = true;
    d->aborted = false;
    d->page = 1;
}

void TPrinter::NewPage()
{
    if (!d->printing)
        throw Exception("Printer is not currently printing");
    d->printer.newPage();
    ++d->page;
}

void TPrinter::EndDoc()
{
    if (!d->printing)
        return;
    d->canvas.reset();
    d->painter.end();
    d->printing = false;
    d->page = 0;
}

void TPrinter::Abort()
{
    if (!d->printing)
        return;
    d->canvas.reset();
    d->printer.abort();
    d->painter.end();
    d->printing = false;
    d->aborted = true;
    d->page = 0;
}

TCanvas* TPrinter::Canvas() const { return d->canvas.get(); }

int TPrinter::PageWidth() const { return d->PaintRect().width(); }

int TPrinter::PageHeight() const { return d->PaintRect().height(); }

int TPrinter::DpiX() const { return d->printer.resolution(); }

int TPrinter::DpiY() const { return d->printer.resolution(); }

int TPrinter::OffsetX() const { return d->PaintRect().left() - d->FullRect().left(); }

int TPrinter::OffsetY() const { return d->PaintRect().top() - d->FullRect().top(); }

double TPrinter::PaperWidthInches() const { return d->printer.pageLayout().fullRect(QPageLayout::Inch).width(); }

double TPrinter::PaperHeightInches() const { return d->printer.pageLayout().fullRect(QPageLayout::Inch).height(); }

int TPrinter::PaperCode() const
{
    const QPageSize::PageSizeId id = d->printer.pageLayout().pageSize().id();
    for (const PaperCodeEntry& e : kPaperCodes) {
        if (e.id == id)
            return e.code;
    }
    return 0;
}

TPrinter* Printer()
{
    static TPrinter printer;
    return &printer;
}

QPrinter* PrinterDevice() { return &Printer()->d->printer; }

QPainter* PrinterPainter()
{
    TPrinter::Private& p = *Printer()->d;
    return p.printing ? &p.painter : nullptr;
}

void PrinterSelectedByDialog()
{
    TPrinter::Private& p = *Printer()->d;
    const qsizetype index = p.Installed().indexOf(p.printer.printerName());
    if (index >= 0)
        p.index = int(index);
}
