#include "app/core/DeviceFileReader.h"

#include <cerrno>
#include <climits>
#include <cmath>
#include <cstdlib>
#include <optional>

#include "app/core/CFormat.h"
#include "app/core/DeviceFile.h"
#include "app/core/DeviceQuantities.h"

namespace {

using namespace TypeCode;

ColumnForm FormOf(int kind)
{
    const DeviceQuantity* q = QuantityOf(kind);
    return q ? q->Form : ColumnForm::None;
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

bool ValidColumn(int n) { return n >= 1 && n <= kMaxColumns; }

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
    int kind = KeywordKind(line);
    if (kind == kNoKeyword)
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
    case kWaterPureLine: m_.Record.WaterKind = Water::Pure; return Result::Ok;
    case kWaterSeaLine: m_.Record.WaterKind = Water::Sea; return Result::Ok;
    case SalinityParam: return Param(scan, [&](float v) { m_.Record.Salinity = v; });
    case ChiParam: return Param(scan, [&](float v) { m_.Record.Chi = v; });
    case ThetaParam: return Param(scan, [&](float v) { m_.Record.Theta = v * 3.1415 / 180; });
    case TypeCode::MaxVoltage: return Param(scan, [&](float v) { m_.Record.MaxVoltage = v; });
    case ASV1: return Param(scan, [&](float v) { m_.Record.ASV1Range = v; });
    case ASV2: return Param(scan, [&](float v) { m_.Record.ASV2Range = v; });
    case ASV4: return Param(scan, [&](float v) { m_.Record.ASV4Range = v; });
    case EngrScaleOffset: {
        auto n = scan.Int();
        if (!n)
            return Result::Invalid;
        m_.Record.EngrScaleColumn = *n;
        return Result::Ok;
    }
    case EngrUnitsLine: m_.Record.EngrUnits = PrintablePrefix(ValueText(line_), 83); return Result::Ok;
    case PARIm: return ParCoefficient(scan, m_.Record.PARIm, m_.ParImRead);
    case PARA0: return ParCoefficient(scan, m_.Record.PARa0, m_.ParA0Read);
    case PARA1: return ParCoefficient(scan, m_.Record.PARa1, m_.ParA1Read);
    case Columns: {
        auto n = scan.Int();
        if (!n)
            return Result::Invalid;
        if (!ValidColumn(*n))
            return Result::Fail;
        m_.Record.ExpectedColumns = *n;
        m_.Record.ColumnTypes[*n - 1] = Columns;
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
        m_.Record.ColumnTypes[*n - 1] = PAR;
        m_.ShowParPage = true;
        AfterColumn(*n, PAR);
        return Result::Ok;
    }
    default: break;
    }
    if (FormOf(kind) == ColumnForm::Calibrated) {
        auto n = scan.Int();
        auto scale = n ? scan.Float() : std::nullopt;
        auto offset = scale ? scan.Float() : std::nullopt;
        if (!offset)
            return Result::Invalid;
        if (kind == NTU)
            m_.ShowParPage = true;
        return Column(*n, TTypeCode(kind), *scale, *offset);
    }
    if (FormOf(kind) == ColumnForm::Plain) {
        auto n = scan.Int();
        if (!n)
            return Result::Invalid;
        return Column(*n, TTypeCode(kind), 1.0, 0.0);
    }
    return Result::Ok;
}

template <typename F>
DeviceFileReader::Result DeviceFileReader::Param(ValueScanner& scan, F set)
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

DeviceFileReader::Result DeviceFileReader::Column(int n, TTypeCode type, double scale, double offset)
{
    if (!ValidColumn(n))
        return Result::Fail;
    m_.Record.ColumnTypes[n - 1] = type;
    m_.Record.TypeScale[type] = scale;
    m_.Record.TypeOffset[type] = offset;
    ++m_.Record.DataFieldCount;
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
    TTypeCode t = Lambda(m_.Lambdas);
    if (Column(*n, t, *scale, *dark) == Result::Fail)
        return Result::Fail;
    m_.Record.TypeWavelength[t] = int(*wavelength);
    m_.Record.TypeColor[t] = WavelengthToColor(int(*colorWavelength));
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
    TTypeCode type = (*n >= 2 && *n <= 10) ? LambdaRef(*n - 1) : m_.Record.ColumnTypes[*n - 1];
    return Column(*n, type, *scale, *offset);
}

void DeviceFileReader::AfterColumn(int n, int type)
{
    if (n == m_.Record.EngrScaleColumn) {
        m_.Record.DevEngrScale = float(m_.Record.TypeScale[type]);
        m_.Record.DevEngrOffset = float(m_.Record.TypeOffset[type]);
    }
}
