#include "components/iGPPaper.h"

#include "platform/canvas/Printer.h"

#include <gtest/gtest.h>

TEST(iGPPaper, PaperCodesGiveInchesWidthFirst)
{
    struct Case {
        int code;
        double width, height;
    };
    const Case cases[] = {
        {1, 8.5, 11},
        {9, 210 / 25.4, 297 / 25.4},
        {4, 17, 11},
        {5, 8.5, 14},
        {8, 297 / 25.4, 420 / 25.4},
        {35, 176 / 25.4, 125 / 25.4},
        {52, 11.69, 18},
        {66, 420 / 25.4, 594 / 25.4},
        {68, 322 / 25.4, 445 / 25.4},
        // Codes without an entry give Letter.
        {0, 8.5, 11},
        {48, 8.5, 11},
        {49, 8.5, 11},
        {69, 8.5, 11},
        {-9, 8.5, 11},
        {32767, 8.5, 11},
    };
    for (const Case& c : cases) {
        double w = 0, h = 0;
        GetPaperTypePaperSize(std::int16_t(c.code), w, h);
        EXPECT_DOUBLE_EQ(w, c.width) << c.code;
        EXPECT_DOUBLE_EQ(h, c.height) << c.code;
    }
    EXPECT_DOUBLE_EQ(MMToInches(25.4), 1);
}

TEST(iGPPaper, PrinterPaperIsTurnedWithTheOrientation)
{
    TPrinter* printer = Printer();
    const TPrinterOrientation saved = printer->Orientation();
    double w = 0, h = 0;
    printer->SetOrientation(poPortrait);
    GetPrinterPaperSize(w, h);
    double tw = 0, th = 0;
    GetPaperTypePaperSize(std::int16_t(printer->PaperCode()), tw, th);
    EXPECT_DOUBLE_EQ(w, tw);
    EXPECT_DOUBLE_EQ(h, th);
    EXPECT_LT(w, h);
    printer->SetOrientation(poLandscape);
    GetPrinterPaperSize(w, h);
    EXPECT_DOUBLE_EQ(w, th);
    EXPECT_DOUBLE_EQ(h, tw);
    if (printer->PaperCode() == 1) {  // the default paper, Letter
        EXPECT_DOUBLE_EQ(w, 11);
        EXPECT_DOUBLE_EQ(h, 8.5);
    }
    printer->SetOrientation(saved);
}
