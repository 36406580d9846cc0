#include "components/iGPPaper.h"

#include "platform/canvas/Printer.h"
#include "platform/core/Exceptions.h"

#include <algorithm>
#include <iterator>
#include <utility>

double MMToInches(double MM) { return MM / 10 / 2.54; }

namespace {

enum Measure { Inch, MM };

struct PaperSize {
    std::int16_t Code;
    Measure In;
    double Width;
    double Height;
};

constexpr PaperSize kPaperSizes[] = {
    {1, Inch, 8.5, 11},      {2, Inch, 8.5, 11},     {3, Inch, 11, 17},        {4, Inch, 17, 11},
    {5, Inch, 8.5, 14},      {6, Inch, 5.5, 8.5},    {7, Inch, 7.25, 10.5},    {8, MM, 297, 420},
    {9, MM, 210, 297},       {10, MM, 210, 297},     {11, MM, 148, 210},       {12, MM, 250, 354},
    {13, MM, 182, 257},      {14, Inch, 8.5, 13},    {15, MM, 215, 275},       {16, Inch, 10, 14},
    {17, Inch, 11, 17},      {18, Inch, 8.5, 11},    {19, Inch, 3.875, 8.875}, {20, Inch, 4.125, 9.5},
    {21, Inch, 4.5, 10.375}, {22, Inch, 4.75, 11},   {23, Inch, 5, 11.5},      {24, Inch, 17, 22},
    {25, Inch, 22, 34},      {26, Inch, 34, 44},     {27, MM, 110, 220},       {28, MM, 162, 229},
    {29, MM, 324, 458},      {30, MM, 229, 324},     {31, MM, 114, 162},       {32, MM, 114, 229},
    {33, MM, 250, 353},      {34, MM, 176, 250},     {35, MM, 176, 125},       {36, MM, 110, 230},
    {37, Inch, 3.875, 7.5},  {38, Inch, 3.625, 6.5}, {39, Inch, 14.875, 11},   {40, Inch, 8.5, 12},
    {41, Inch, 8.5, 13},     {42, MM, 250, 353},     {43, MM, 100, 148},       {44, Inch, 9, 11},
    {45, Inch, 10, 11},      {46, Inch, 15, 11},     {47, MM, 220, 220},       {50, Inch, 9.5, 12},
    {51, Inch, 9.5, 15},     {52, Inch, 11.69, 18},  {53, Inch, 9.27, 12.69},  {54, Inch, 8.5, 11},
    {55, MM, 210, 297},      {56, Inch, 9.5, 12},    {57, MM, 227, 356},       {58, MM, 305, 487},
    {59, Inch, 8.5, 12.69},  {60, MM, 210, 330},     {61, MM, 148, 210},       {62, MM, 182, 257},
    {63, MM, 322, 445},      {64, MM, 174, 235},     {65, MM, 201, 276},       {66, MM, 420, 594},
    {67, MM, 297, 420},      {68, MM, 322, 445},
};

}  // namespace

void GetPaperTypePaperSize(std::int16_t PaperCode, double& Width, double& Height)
{
    const auto entry = std::find_if(std::begin(kPaperSizes), std::end(kPaperSizes),
                                    [PaperCode](const PaperSize& p) { return p.Code == PaperCode; });
    if (entry == std::end(kPaperSizes)) {
        Width = 8.5;
        Height = 11;
        return;
    }
    Width = entry->In == MM ? MMToInches(entry->Width) : entry->Width;
    Height = entry->In == MM ? MMToInches(entry->Height) : entry->Height;
}

void GetPrinterPaperSize(double& Width, double& Height)
{
    TPrinter* printer = Printer();
    if (printer->Printers().empty())
        throw Exception("Could not initialize printer DeviceMode Structure");
    const int code = printer->PaperCode();
    if (code <= 0) {
        Width = printer->PaperWidthInches();
        Height = printer->PaperHeightInches();
        return;
    }
    GetPaperTypePaperSize(std::int16_t(code), Width, Height);
    if (printer->Orientation() == poLandscape)
        std::swap(Width, Height);
}
