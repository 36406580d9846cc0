#include "app/core/DeviceQuantities.h"

#include <array>
#include <iterator>

#include "app/core/HostState.h"
#include "platform/core/StrUtils.h"

namespace {

using namespace TypeCode;
using F = ColumnForm;

// The lambdas' own columns (types 7 to 15) have no row: their colour and wavelength come from
// the file, and their titles and headings are built around the wavelength.
// Several texts differ from their neighbours' pattern; the plot, the window and the record
// files show them as they stand, so each oddity is kept and noted on its row.
// One row per line keeps the table readable as a table.
// clang-format off
const DeviceQuantity kQuantities[] = {
    // Type, keyword, alias, column form, raw name, plot colour, plot title, engineering title, record header
    {SalinityParam, {"Salinity=", 9}, {}, F::None, nullptr, clBlack, nullptr, nullptr, nullptr},
    {kWaterPureLine, {"Water=PURE", 10}, {}, F::None, nullptr, clBlack, nullptr, nullptr, nullptr},
    {kWaterSeaLine, {"Water=SEA", 9}, {}, F::None, nullptr, clBlack, nullptr, nullptr, nullptr},
    {ChiParam, {"XFACTOR=", 8}, {}, F::None, nullptr, clBlack, nullptr, nullptr, nullptr},
    {ThetaParam, {"Theta=", 6}, {}, F::None, nullptr, clBlack, nullptr, nullptr, nullptr},   // degrees in the file
    {LambdaLine, {"Lambda=", 7}, {}, F::Own, nullptr, clBlack, nullptr, nullptr, nullptr},
    {LambdaRefLine, {"Lambdaref=", 10}, {}, F::Own, nullptr, clBlack, nullptr, nullptr, nullptr},
    {Columns, {"Columns=", 8}, {}, F::Own, nullptr, clBlack, nullptr, nullptr, nullptr},
    {Date, {"Date=", 5}, {}, F::Plain, nullptr, clBlack, nullptr, nullptr, nullptr},
    {Time, {"Time=", 5}, {}, F::Plain, nullptr, clBlack, nullptr, nullptr, nullptr},
    {CHL, {"CHL=", 4}, {}, F::Calibrated, "CHL", clFuchsia, "CHL:", "CHL: %4.2lf ug/l", "\tCHL(ug/l)"},
    // Only "CHLRE" is compared: any line starting so names the reference.
    {CHLRef, {"CHLREF=", 5}, {}, F::Plain, nullptr, clBlack, nullptr, nullptr, nullptr},
    // Both spellings are in use; the phycocyanin is in ppt where its neighbours are in ppb.
    {Phycocyanin, {"PHYCOCYANIN=", 12}, {"PHYCOCYANINE=", 13}, F::Calibrated, "pcyan", clRed, "pcyanine:",
     "PC: %4.0lf ppt", "\tpcyan(ppt)"},
    {PhycocyaninRef, {"PHYCOCYANINEREF=", 16}, {}, F::Plain, nullptr, clBlack, nullptr, nullptr, nullptr},
    {Phycoerythrin, {"PHYCOERYTHRIN=", 14}, {}, F::Calibrated, "peryth", clGreen, "perythrin:", "PE: %4.0lf ppb",
     "\tperyth(ppb)"},
    {PhycoerythrinRef, {"PHYCOERYTHRINREF=", 17}, {}, F::Plain, nullptr, clBlack, nullptr, nullptr, nullptr},
    {Uranine, {"URANINE=", 8}, {}, F::Calibrated, "ur", clPurple, "ur:", "UR: %4.0lf ppb", "\tur(ppb)"},
    {UranineRef, {"URANINEREF=", 11}, {}, F::Plain, nullptr, clBlack, nullptr, nullptr, nullptr},
    // Three names: "rhd" raw, "rhodamine:" and "RHD" on the plot, "rhod" in the record.
    {Rhodamine, {"RHODAMINE=", 10}, {}, F::Calibrated, "rhd", clPurple, "rhodamine:", "RHD: %4.0lf ppb",
     "\trhod(ppb)"},
    {RhodamineRef, {"RHODAMINEREF=", 13}, {}, F::Plain, nullptr, clBlack, nullptr, nullptr, nullptr},
    {CDOM, {"CDOM=", 5}, {}, F::Calibrated, "CDOM", clPurple, "CDOM:", "CDOM: %4.0lf ppb", "\tCDOM(ppb)"},
    {CDOMRef, {"CDOMREF=", 8}, {}, F::Plain, nullptr, clBlack, nullptr, nullptr, nullptr},
    // Headed "NTU" in the record, like the turbidity.
    {LSS, {"LSS=", 4}, {}, F::Calibrated, "LSS", clWhite, "LSS:", "LSS Cp: %4.2lf", "\tNTU"},
    {LSSRef, {"LSSREF=", 7}, {}, F::Plain, nullptr, clBlack, nullptr, nullptr, nullptr},
    {NTU, {"NTU=", 4}, {}, F::Calibrated, "NTU", clWhite, "NTU:", "NTU: %4.2lf", "\tNTU"},
    {NTURef, {"NTUREF=", 7}, {}, F::Plain, nullptr, clBlack, nullptr, nullptr, nullptr},
    {ITemp, {"iTemp=", 6}, {}, F::Calibrated, "iTemp", clGray, "iTemp:", "iTemp: %3.1lf C", "\tiTemp(C)"},
    {XTemp, {"xTemp=", 6}, {}, F::Calibrated, "xTemp", clSilver, "xTemp:", "xTemp: %3.1lf C", "\txTemp(C)"},
    {Pressure, {"PRES=", 5}, {}, F::Calibrated, "Pres", clWhite, "Pres:", "Pres: %3.1lf dbar", "\tPres(dbar)"},
    {VSF100, {"VSF100=", 7}, {}, F::Calibrated, "B(100)", clYellow, "B(100):", "B(100): %6.4lf 1/(m.ster)",
     "\tB(100)"},
    // The first plot title lacks its opening parenthesis.
    {VSF125, {"VSF125=", 7}, {}, F::Calibrated, "B(125)", clRed, "B125):", "B(125): %6.4lf 1/(m.ster)",
     "\tB(125)"},
    // The first plot title lacks its colon.
    {VSF150, {"VSF150=", 7}, {}, F::Calibrated, "B(150)", clFuchsia, "B(150)", "B(150): %6.4lf 1/(m.ster)",
     "\tB(150)"},
    {TypeCode::MaxVoltage, {"maxvoltage=", 11}, {}, F::None, nullptr, clBlack, nullptr, nullptr, nullptr},
    {ASV1, {"ASV1=", 5}, {}, F::None, nullptr, clBlack, nullptr, nullptr, nullptr},
    {ASV2, {"ASV2=", 5}, {}, F::None, nullptr, clBlack, nullptr, nullptr, nullptr},
    {ASV4, {"ASV4=", 5}, {}, F::None, nullptr, clBlack, nullptr, nullptr, nullptr},
    // Names the column whose scale and offset the window shows as the device's.
    {EngrScaleOffset, {"iengrscaleoffset=", 17}, {}, F::None, nullptr, clBlack, nullptr, nullptr, nullptr},
    {EngrUnitsLine, {"iengrunits=", 11}, {}, F::None, nullptr, clBlack, nullptr, nullptr, nullptr},
    // The meter converts it itself: a plain column, shown in the file's units (the "%s"), in
    // raw mode too, and spelt "iENGR" in engineering mode.
    {IEngr, {"IENGR=", 6}, {}, F::Plain, "iEngr", clWhite, "iEngr:", "iENGR: %4.2lf %s", "\tiEngr(%s)"},
    {NotUsed, {"REF=", 4}, {"N/U=", 4}, F::Plain, nullptr, clBlack, nullptr, nullptr, nullptr},
    // Recorded but never plotted.
    {Counter, {"COUNTER=", 8}, {}, F::Plain, nullptr, clBlack, nullptr, nullptr, "\tCounter"},
    {Raw, {"RAW=", 4}, {}, F::Plain, "Raw", clSilver, "Raw:", "Raw: %1.0lf", "\tRaw"},
    {Engr1, {"ENGR1=", 6}, {}, F::Calibrated, "Engr1", clBlue, "Engr1:", "Engr1: %4.2lf", "\tEngr1"},
    // Its first plot title is its unit alone.
    {PAR, {"PAR=", 4}, {}, F::Own, "PAR", clFuchsia, "umol/m2/s:", "PAR: %4.4lf umol photons/m2/s",
     "\tPAR(umol/m2/s)"},
    {TypeCode::PARIm, {"IM=", 3}, {}, F::None, nullptr, clBlack, nullptr, nullptr, nullptr},
    {PARA0, {"A0=", 3}, {}, F::None, nullptr, clBlack, nullptr, nullptr, nullptr},
    {PARA1, {"A1=", 3}, {}, F::None, nullptr, clBlack, nullptr, nullptr, nullptr},
};
// clang-format on

bool Starts(const std::string& line, const DeviceKeyword& k)
{
    return k.Text && line.size() >= size_t(k.Chars) &&
           SameText(std::string_view(line).substr(0, k.Chars), std::string_view(k.Text).substr(0, k.Chars));
}

}  // namespace

const DeviceQuantity* QuantityOf(int type)
{
    // Asked for every column of every data line: the type codes index a table made once.
    using TypeIndex = std::array<const DeviceQuantity*, kTypeCount>;
    static const TypeIndex kByType = [] {
        TypeIndex byType{};
        for (const DeviceQuantity& q : kQuantities)
            if (q.Type >= 0 && q.Type < kTypeCount && !byType[std::size_t(q.Type)])
                byType[std::size_t(q.Type)] = &q;
        return byType;
    }();
    if (type >= 0 && type < kTypeCount)
        return kByType[std::size_t(type)];
    for (const DeviceQuantity& q : kQuantities)
        if (q.Type == type)
            return &q;
    return nullptr;
}

int KeywordKind(const std::string& line)
{
    // No line starts with two keywords (the table's test holds that); should one ever, the later row wins.
    int kind = kNoKeyword;
    for (const DeviceQuantity& q : kQuantities)
        if (Starts(line, q.Keyword) || Starts(line, q.Alias))
            kind = q.Type;
    return kind;
}

const DeviceQuantity* QuantitiesBegin() { return std::begin(kQuantities); }
const DeviceQuantity* QuantitiesEnd() { return std::end(kQuantities); }
