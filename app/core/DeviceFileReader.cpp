#include "app/core/DeviceFileReader.h"

#include <cerrno>
#include <climits>
#include <cmath>
#include <cstdlib>
#include <optional>

#include "app/core/CFormat.h"
#include "app/core/DeviceFile.h"
#include "platform/core/StrUtils.h"

namespace {

using namespace TypeCode;

constexpr int kWaterPure = -1, kWaterSea = -2, kNoKind = -3;

struct Keyword {
    const char* Text;
    int Chars;
    int Kind;
};

const Keyword kKeywords[] = {
    {"Salinity=", 9, SalinityParam}, {"Water=PURE", 10, kWaterPure}, {"Water=SEA", 9, kWaterSea}, {"XFACTOR=", 8, ChiParam},
    {"Theta=", 6, ThetaParam}, {"Lambda=", 7, LambdaLine}, {"Lambdaref=", 10, LambdaRefLine}, {"Columns=", 8, Columns},
    {"Date=", 5, Date}, {"Time=", 5, Time}, {"CHL=", 4, CHL}, {"CHLREF=", 5, CHLRef},
    {"PHYCOCYANIN=", 12, Phycocyanin}, {"PHYCOCYANINE=", 13, Phycocyanin},
    {"PHYCOCYANINEREF=", 16, PhycocyaninRef}, {"PHYCOERYTHRIN=", 14, Phycoerythrin},
    {"PHYCOERYTHRINREF=", 17, PhycoerythrinRef}, {"URANINE=", 8, Uranine}, {"URANINEREF=", 11, UranineRef},
    {"RHODAMINE=", 10, Rhodamine}, {"RHODAMINEREF=", 13, RhodamineRef}, {"CDOM=", 5, CDOM},
    {"CDOMREF=", 8, CDOMRef}, {"LSS=", 4, LSS}, {"LSSREF=", 7, LSSRef}, {"NTU=", 4, NTU}, {"NTUREF=", 7, NTURef},
    {"iTemp=", 6, ITemp}, {"xTemp=", 6, XTemp}, {"PRES=", 5, Pressure}, {"VSF100=", 7, VSF100},
    {"VSF125=", 7, VSF125}, {"VSF150=", 7, VSF150}, {"maxvoltage=", 11, TypeCode::MaxVoltage},
    {"ASV1=", 5, ASV1}, {"ASV2=", 5, ASV2}, {"ASV4=", 5, ASV4}, {"iengrscaleoffset=", 17, EngrScaleOffset},
    {"iengrunits=", 11, EngrUnitsLine}, {"IENGR=", 6, IEngr}, {"REF=", 4, NotUsed}, {"N/U=", 4, NotUsed},
    {"COUNTER=", 8, Counter}, {"RAW=", 4, Raw}, {"ENGR1=", 6, Engr1}, {"PAR=", 4, PAR}, {"IM=", 3, PARIm},
    {"A0=", 3, PARA0}, {"A1=", 3, PARA1},
};

// Columns given with their scale and offset ("%d%f%f").
bool IsCalibratedColumn(int kind)
{
    return (kind >= CHL && kind <= Rhodamine) || kind == LSS || kind == NTU || kind == ITemp || kind == XTemp ||
           kind == Pressure || IsVSF(kind) || kind == Engr1;
}

// Columns given by number only ("%d").
bool IsPlainColumn(int kind)
{
    return kind == Date || kind == Time || (kind >= CHLRef && kind <= RhodamineRef) || kind == LSSRef ||
           kind == NTURef || kind == IEngr || kind == NotUsed || kind == Counter || kind == Raw;
}

int KindOf(const std::string& line)
{
    int kind = kNoKind;
    for (const Keyword& k : kKeywords)
        if (line.size() >= size_t(k.Chars) && SameText(std::string_view(line).substr(0, k.Chars),
                                                       std::string_view(k.Text).substr(0, k.Chars)))
            kind = k.Kind;
    return kind;
}

std::string ValueText(const std::string& line)
{
    size_t eq = line.rfind('=');
    return eq == std::string::npos ? line : line.substr(eq + 1);
}

std::string PrintablePrefix(const std::string& text, size_t max)
{
    size_t n = 0;
    while (n < text.size() && n < max && static_cast<unsigned char>(text[n]) >= 32 && text[n] != 127)
        ++n;
    return text.substr(0, n);
}

bool ValidColumn(int n)
{
    return n >= 1 && n <= kMaxColumns;
}

}  // namespace

// A scanf-like reader of the value text, range-checked: a number that does not fit its
// type counts as one that does not convert.
class DeviceFileReader::ValueScanner {
public:
    explicit ValueScanner(std::string text) : text_(std::move(text)), p_(text_.c_str()) {}

    std::optional<int> Int()
    {
        char* end = nullptr;
        errno = 0;
        long v = std::strtol(p_, &end, 10);
        if (end == p_ || errno == ERANGE || v < INT_MIN || v > INT_MAX)
            return std::nullopt;
        p_ = end;
        return int(v);
    }
    std::optional<float> Float()
    {
        char* end = nullptr;
        float v = std::strtof(p_, &end);
        if (end == p_ || !std::isfinite(v))
            return std::nullopt;
        p_ = end;
        return v;
    }
    std::optional<double> Double()
    {
        char* end = nullptr;
        double v = std::strtod(p_, &end);
        if (end == p_ || !std::isfinite(v))
            return std::nullopt;
        p_ = end;
        return v;
    }

private:
    std::string text_;
    const char* p_;
};

DeviceFileReader::Result DeviceFileReader::Line(const std::string& line)
{
    line_ = line;
    int kind = KindOf(line);
    if (kind == kNoKind)
        return Result::Ok;
    ValueScanner scan(ValueText(line));
    Result r = Act(kind, scan);
    if (r == Result::Invalid) {
        bool par = kind == PAR || kind == PARIm || kind == PARA0 || kind == PARA1;
        warning_ = {par ? "PAR Device File Error" : "ZUV Device File Error",
                    CFormat("Invalid Line '%s' in *.dev file", line.c_str())};
    }
    return r;
}

DeviceFileReader::Result DeviceFileReader::Act(int kind, ValueScanner& scan)
{
    switch (kind) {
    case kWaterPure: m_.WaterKind = 0; return Result::Ok;
    case kWaterSea: m_.WaterKind = 1; return Result::Ok;
    case SalinityParam: return Param(scan, [&](float v) { m_.Salinity = v; });
    case ChiParam: return Param(scan, [&](float v) { m_.Chi = v; });
    case ThetaParam: return Param(scan, [&](float v) { m_.Theta = v * 3.1415 / 180; });
    case TypeCode::MaxVoltage: return Param(scan, [&](float v) { m_.MaxVoltage = v; });
    case ASV1: return Param(scan, [&](float v) { m_.ASV1Range = v; });
    case ASV2: return Param(scan, [&](float v) { m_.ASV2Range = v; });
    case ASV4: return Param(scan, [&](float v) { m_.ASV4Range = v; });
    case EngrScaleOffset: {
        auto n = scan.Int();
        if (!n)
            return Result::Invalid;
        m_.EngrScaleColumn = *n;
        return Result::Ok;
    }
    case EngrUnitsLine: m_.EngrUnits = PrintablePrefix(ValueText(line_), 83); return Result::Ok;
    case PARIm: return ParCoefficient(scan, m_.PARIm, m_.ParImRead);
    case PARA0: return ParCoefficient(scan, m_.PARa0, m_.ParA0Read);
    case PARA1: return ParCoefficient(scan, m_.PARa1, m_.ParA1Read);
    case Columns: {
        auto n = scan.Int();
        if (!n)
            return Result::Invalid;
        if (!ValidColumn(*n))
            return Result::Fail;
        m_.ExpectedColumns = *n;
        m_.ColumnTypes[*n - 1] = 0;
        return Result::Ok;
    }
    case LambdaLine: return LambdaRow(scan);
    case LambdaRefLine: return LambdaRefRow(scan);
    case PAR: {
        auto n = scan.Int();
        if (!n)
            return Result::Invalid;
        if (!ValidColumn(*n))
            return Result::Fail;
        m_.ColumnTypes[*n - 1] = PAR;
        m_.ShowParPage = true;
        AfterColumn(*n, PAR);
        return Result::Ok;
    }
    default: break;
    }
    if (IsCalibratedColumn(kind)) {
        auto n = scan.Int();
        auto scale = n ? scan.Float() : std::nullopt;
        auto offset = scale ? scan.Float() : std::nullopt;
        if (!offset)
            return Result::Invalid;
        if (kind == NTU)
            m_.ShowParPage = true;
        return Column(*n, kind, *scale, *offset);
    }
    if (IsPlainColumn(kind)) {
        auto n = scan.Int();
        if (!n)
            return Result::Invalid;
        return Column(*n, kind, 1.0, 0.0);
    }
    return Result::Ok;
}

template <typename F> DeviceFileReader::Result DeviceFileReader::Param(ValueScanner& scan, F set)
{
    auto v = scan.Float();
    if (!v)
        return Result::Invalid;
    set(*v);
    return Result::Ok;
}

DeviceFileReader::Result DeviceFileReader::ParCoefficient(ValueScanner& scan, double& field, bool& read)
{
    auto v = scan.Double();
    if (!v)
        return Result::Invalid;
    field = *v;
    read = true;
    return Result::Ok;
}

DeviceFileReader::Result DeviceFileReader::Column(int n, int type, double scale, double offset)
{
    if (!ValidColumn(n))
        return Result::Fail;
    m_.ColumnTypes[n - 1] = type;
    m_.TypeScale[type] = scale;
    m_.TypeOffset[type] = offset;
    ++m_.DataFieldCount;
    AfterColumn(n, type);
    return Result::Ok;
}

DeviceFileReader::Result DeviceFileReader::LambdaRow(ValueScanner& scan)
{
    auto n = scan.Int();
    auto scale = n ? scan.Float() : std::nullopt;
    auto dark = scale ? scan.Float() : std::nullopt;
    auto wavelength = dark ? scan.Float() : std::nullopt;
    auto colorWavelength = wavelength ? scan.Float() : std::nullopt;
    if (!colorWavelength || std::fabs(*wavelength) > 1e6f || std::fabs(*colorWavelength) > 1e6f)
        return Result::Invalid;
    if (++m_.Lambdas > 9) {
        warning_ = {"Device File Error", "Unable to Process more that 9 lambdas"};
        return Result::Fail;
    }
    int t = 6 + m_.Lambdas;
    if (Column(*n, t, *scale, *dark) == Result::Fail)
        return Result::Fail;
    m_.TypeWavelength[t] = int(*wavelength);
    m_.TypeColor[t] = WavelengthToColor(int(*colorWavelength));
    return Result::Ok;
}

DeviceFileReader::Result DeviceFileReader::LambdaRefRow(ValueScanner& scan)
{
    auto n = scan.Int();
    auto scale = n ? scan.Float() : std::nullopt;
    auto offset = scale ? scan.Float() : std::nullopt;
    if (!offset)
        return Result::Invalid;
    if (!ValidColumn(*n))
        return Result::Fail;
    // Columns 2 to 10 name the reference of that lambda; any other keeps the column's quantity.
    int type = (*n >= 2 && *n <= 10) ? 14 + *n : m_.ColumnTypes[*n - 1];
    return Column(*n, type, *scale, *offset);
}

void DeviceFileReader::AfterColumn(int n, int type)
{
    if (n == m_.EngrScaleColumn) {
        m_.DevEngrScale = float(m_.TypeScale[type]);
        m_.DevEngrOffset = float(m_.TypeOffset[type]);
    }
}
