#pragma once
// The printer object: a high-resolution Qt printer; where no printer is installed the
// output goes to a PDF file. Pages are drawn through the printer's canvas (see Graphics).

#include "platform/canvas/VisualLayer.h"
#include "platform/core/Types.h"

#include <memory>
#include <string>
#include <vector>

class QPainter;
class QPrinter;
class TCanvas;

class TPrinter {
public:
    TPrinter();
    ~TPrinter();
    TPrinter(const TPrinter&) = delete;
    TPrinter& operator=(const TPrinter&) = delete;

    // Installed printers; a single "PDF" entry when there is none.
    std::vector<std::string> Printers() const;
    int PrinterIndex() const;
    void SetPrinterIndex(int index);              // -1 selects the default printer
    bool SelectPrinter(const std::string& name);  // false when there is no such printer
    bool PrintsToFile() const;
    // The PDF file written when printing to file; default: Title + ".pdf" in the current folder.
    std::string OutputFileName() const;
    void SetOutputFileName(const std::string& fileName);

    TPrinterOrientation Orientation() const;
    void SetOrientation(TPrinterOrientation orientation);
    std::string Title() const;
    void SetTitle(const std::string& title);

    bool Printing() const;
    bool Aborted() const;
    int PageNumber() const;  // 1-based while printing
    void BeginDoc();         // raises when already printing or when the device cannot start
    void NewPage();          // raises when not printing
    void EndDoc();           // finishes the job; nothing when no job is open
    void Abort();
    // The canvas of the page being printed (printer pixels); nullptr when not printing.
    TCanvas* Canvas() const;

    // Device values in printer pixels: printable page size, resolution and the offset of the
    // printable area from the paper's corner.
    int PageWidth() const;
    int PageHeight() const;
    int DpiX() const;
    int DpiY() const;
    int OffsetX() const;
    int OffsetY() const;
    // Paper in inches as oriented now, and its paper code (1 Letter, 5 Legal, 9 A4 ...).
    double PaperWidthInches() const;
    double PaperHeightInches() const;
    int PaperCode() const;

private:
    friend QPrinter* PrinterDevice();
    friend QPainter* PrinterPainter();
    friend void PrinterSelectedByDialog();
    struct Private;
    std::unique_ptr<Private> d;
};

TPrinter* Printer();
