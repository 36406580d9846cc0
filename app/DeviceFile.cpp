#include "app/DeviceFile.h"

#include <algorithm>
#include <cerrno>
#include <climits>
#include <cmath>
#include <cstdlib>
#include <optional>

#include "app/CFormat.h"
#include "app/DeviceLayout.h"
#include "app/HostContext.h"
#include "platform/StrUtils.h"

namespace {

using namespace TypeCode;

constexpr int kPieceLength = 98;   // lines are read in pieces of this many characters
constexpr int kWaterPure = -1, kWaterSea = -2, kNoKind = -3;

struct Keyword {
    const char* Text;
    int Chars;
    int Kind;
};

const Keyword kKeywords[] = {
    {"Salinity=", 9, 4}, {"Water=PURE", 10, kWaterPure}, {"Water=SEA", 9, kWaterSea}, {"XFACTOR=", 8, 6},
    {"Theta=", 6, 5}, {"Lambda=", 7, LambdaLine}, {"Lambdaref=", 10, LambdaRefLine}, {"Columns=", 8, Columns},
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

// A scanf-like reader of the value text, range-checked: a number that does not fit its
// type counts as one that does not convert.
class ValueScanner {
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

// What a load changes, built aside and committed only when the file is valid.
struct DeviceModel {
    HostState::PerColumn<int> ColumnTypes{};
    int ExpectedColumns = 0;
    int DataFieldCount = 0;
    std::string SensorName;
    HostState::PerType<double> TypeScale{}, TypeOffset{}, RefBaseline{}, TypeVSF{}, TypeTempK1{}, TypeTempK0{};
    HostState::PerType<int> TypeWavelength{};
    HostState::PerType<TColor> TypeColor{};
    double Salinity = 0, Theta = 0, Chi = 0;
    int WaterKind = 1;
    std::string EngrUnits;
    float ASV1Range = 0, ASV2Range = 0, ASV4Range = 0, MaxVoltage = 0;
    int EngrScaleColumn = -1;
    float DevEngrScale = -1.0f, DevEngrOffset = 0.0f;
    double PARIm = 0, PARa0 = 0, PARa1 = 0;
    bool ShowParPage = false;
    bool ParImRead = false, ParA0Read = false, ParA1Read = false;
    int Lambdas = 0;

    explicit DeviceModel(const HostState& s)
        : ExpectedColumns(s.ExpectedColumns), Salinity(s.Salinity), Theta(s.Theta), Chi(s.Chi),
          WaterKind(s.WaterKind), PARIm(s.PARIm), PARa0(s.PARa0), PARa1(s.PARa1)
    {
        TypeScale.fill(1.0);
        RefBaseline.fill(9999.9);
        TypeColor.fill(RGB(0, 0, 255));
        TypeTempK1.fill(1.0);
    }

    void Commit(HostState& s) const
    {
        s.ColumnTypes = ColumnTypes;
        s.ExpectedColumns = ExpectedColumns;
        s.DataFieldCount = DataFieldCount;
        s.TypeScale = TypeScale;
        s.TypeOffset = TypeOffset;
        s.RefBaseline = RefBaseline;
        s.TypeVSF = TypeVSF;
        s.TypeTempK1 = TypeTempK1;
        s.TypeTempK0 = TypeTempK0;
        s.TypeWavelength = TypeWavelength;
        s.TypeColor = TypeColor;
        s.PresenceCounts.fill(0);
        s.Salinity = Salinity;
        s.Theta = Theta;
        s.Chi = Chi;
        s.WaterKind = WaterKind;
        s.EngrUnits = EngrUnits;
        s.ASV1Range = ASV1Range;
        s.ASV2Range = ASV2Range;
        s.ASV4Range = ASV4Range;
        s.MaxVoltage = MaxVoltage;
        s.EngrScaleColumn = EngrScaleColumn;
        s.DevEngrScale = DevEngrScale;
        s.DevEngrOffset = DevEngrOffset;
        s.PARIm = PARIm;
        s.PARa0 = PARa0;
        s.PARa1 = PARa1;
    }
};

enum class LineResult { Ok, Invalid, Fail };

// The next piece of at most 98 characters, line end included; false at the end of the file.
bool ReadPiece(std::FILE* file, std::string& piece)
{
    piece.clear();
    int c;
    while (piece.size() < kPieceLength && (c = std::getc(file)) != EOF) {
        piece += char(c);
        if (c == '\n')
            break;
    }
    return !piece.empty();
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

class DeviceFileReader {
public:
    explicit DeviceFileReader(DeviceModel& m) : m_(m) {}

    LineResult Line(const std::string& line)
    {
        line_ = line;
        int kind = KindOf(line);
        if (kind == kNoKind)
            return LineResult::Ok;
        ValueScanner scan(ValueText(line));
        LineResult r = Act(kind, scan);
        if (r == LineResult::Invalid) {
            bool par = kind == PAR || kind == PARIm || kind == PARA0 || kind == PARA1;
            warning_ = {par ? "PAR Device File Error" : "ZUV Device File Error",
                        CFormat("Invalid Line '%s' in *.dev file", line.c_str())};
        }
        return r;
    }

    const Warning& PendingWarning() const { return warning_; }

private:
    LineResult Act(int kind, ValueScanner& scan)
    {
        switch (kind) {
        case kWaterPure: m_.WaterKind = 0; return LineResult::Ok;
        case kWaterSea: m_.WaterKind = 1; return LineResult::Ok;
        case 4: return Param(scan, [&](float v) { m_.Salinity = v; });
        case 6: return Param(scan, [&](float v) { m_.Chi = v; });
        case 5: return Param(scan, [&](float v) { m_.Theta = v * 3.1415 / 180; });
        case TypeCode::MaxVoltage: return Param(scan, [&](float v) { m_.MaxVoltage = v; });
        case ASV1: return Param(scan, [&](float v) { m_.ASV1Range = v; });
        case ASV2: return Param(scan, [&](float v) { m_.ASV2Range = v; });
        case ASV4: return Param(scan, [&](float v) { m_.ASV4Range = v; });
        case EngrScaleOffset: {
            auto n = scan.Int();
            if (!n)
                return LineResult::Invalid;
            m_.EngrScaleColumn = *n;
            return LineResult::Ok;
        }
        case EngrUnitsLine: m_.EngrUnits = PrintablePrefix(ValueText(line_), 83); return LineResult::Ok;
        case PARIm: return ParCoefficient(scan, m_.PARIm, m_.ParImRead);
        case PARA0: return ParCoefficient(scan, m_.PARa0, m_.ParA0Read);
        case PARA1: return ParCoefficient(scan, m_.PARa1, m_.ParA1Read);
        case Columns: {
            auto n = scan.Int();
            if (!n)
                return LineResult::Invalid;
            if (!ValidColumn(*n))
                return LineResult::Fail;
            m_.ExpectedColumns = *n;
            m_.ColumnTypes[*n - 1] = 0;
            return LineResult::Ok;
        }
        case LambdaLine: return LambdaRow(scan);
        case LambdaRefLine: return LambdaRefRow(scan);
        case PAR: {
            auto n = scan.Int();
            if (!n)
                return LineResult::Invalid;
            if (!ValidColumn(*n))
                return LineResult::Fail;
            m_.ColumnTypes[*n - 1] = PAR;
            m_.ShowParPage = true;
            AfterColumn(*n, PAR);
            return LineResult::Ok;
        }
        default: break;
        }
        if (IsCalibratedColumn(kind)) {
            auto n = scan.Int();
            auto scale = n ? scan.Float() : std::nullopt;
            auto offset = scale ? scan.Float() : std::nullopt;
            if (!offset)
                return LineResult::Invalid;
            if (kind == NTU)
                m_.ShowParPage = true;
            return Column(*n, kind, *scale, *offset);
        }
        if (IsPlainColumn(kind)) {
            auto n = scan.Int();
            if (!n)
                return LineResult::Invalid;
            return Column(*n, kind, 1.0, 0.0);
        }
        return LineResult::Ok;
    }

    template <typename F> LineResult Param(ValueScanner& scan, F set)
    {
        auto v = scan.Float();
        if (!v)
            return LineResult::Invalid;
        set(*v);
        return LineResult::Ok;
    }

    LineResult ParCoefficient(ValueScanner& scan, double& field, bool& read)
    {
        auto v = scan.Double();
        if (!v)
            return LineResult::Invalid;
        field = *v;
        read = true;
        return LineResult::Ok;
    }

    static bool ValidColumn(int n) { return n >= 1 && n <= kMaxColumns; }

    LineResult Column(int n, int type, double scale, double offset)
    {
        if (!ValidColumn(n))
            return LineResult::Fail;
        m_.ColumnTypes[n - 1] = type;
        m_.TypeScale[type] = scale;
        m_.TypeOffset[type] = offset;
        ++m_.DataFieldCount;
        AfterColumn(n, type);
        return LineResult::Ok;
    }

    LineResult LambdaRow(ValueScanner& scan)
    {
        auto n = scan.Int();
        auto scale = n ? scan.Float() : std::nullopt;
        auto dark = scale ? scan.Float() : std::nullopt;
        auto wavelength = dark ? scan.Float() : std::nullopt;
        auto colorWavelength = wavelength ? scan.Float() : std::nullopt;
        if (!colorWavelength || std::fabs(*wavelength) > 1e6f || std::fabs(*colorWavelength) > 1e6f)
            return LineResult::Invalid;
        if (++m_.Lambdas > 9) {
            warning_ = {"Device File Error", "Unable to Process more that 9 lambdas"};
            return LineResult::Fail;
        }
        int t = 6 + m_.Lambdas;
        if (Column(*n, t, *scale, *dark) == LineResult::Fail)
            return LineResult::Fail;
        m_.TypeWavelength[t] = int(*wavelength);
        m_.TypeColor[t] = WavelengthToColor(int(*colorWavelength));
        return LineResult::Ok;
    }

    LineResult LambdaRefRow(ValueScanner& scan)
    {
        auto n = scan.Int();
        auto scale = n ? scan.Float() : std::nullopt;
        auto offset = scale ? scan.Float() : std::nullopt;
        if (!offset)
            return LineResult::Invalid;
        if (!ValidColumn(*n))
            return LineResult::Fail;
        // Columns 2 to 10 name the reference of that lambda; any other keeps the column's quantity.
        int type = (*n >= 2 && *n <= 10) ? 14 + *n : m_.ColumnTypes[*n - 1];
        return Column(*n, type, *scale, *offset);
    }

    void AfterColumn(int n, int type)
    {
        if (n == m_.EngrScaleColumn) {
            m_.DevEngrScale = float(m_.TypeScale[type]);
            m_.DevEngrOffset = float(m_.TypeOffset[type]);
        }
    }

    DeviceModel& m_;
    Warning warning_;
    std::string line_;
};

void ApplyParTexts(HostContext& ctx, const DeviceModel& m)
{
    if (m.ParImRead) {
        ctx.ui.SetText("L_Im", ShortFloatText(m.PARIm));
        ctx.ui.SetText("R_PARWater", CFormat("In Water (%f)", m.PARIm));
    }
    if (m.ParA0Read) {
        ctx.ui.SetText("L_a0", ShortFloatText(m.PARa0));
        ctx.ui.SetText("E_a0", ShortFloatText(m.PARa0));
    }
    if (m.ParA1Read) {
        ctx.ui.SetText("L_a1", ShortFloatText(m.PARa1));
        ctx.ui.SetText("E_a1", ShortFloatText(m.PARa1));
    }
    if (m.ShowParPage)
        ctx.ui.SetVisible("TSPARSetup", true);
}

// A failed load leaves no device file: the reset model with no columns.
void CommitNoDevice(HostContext& ctx)
{
    DeviceModel empty(ctx.s);
    empty.Commit(ctx.s);
}

}  // namespace

bool ParseDeviceFile(HostContext& ctx, std::FILE* file)
{
    DeviceModel m(ctx.s);
    std::string first;
    if (!ReadPiece(file, first)) {
        CommitNoDevice(ctx);
        return false;
    }
    m.SensorName = first.substr(0, first.find_first_of("\r\n"));

    DeviceFileReader reader(m);
    std::string line;
    while (ReadPiece(file, line)) {
        LineResult r = reader.Line(line);
        if (r != LineResult::Ok) {
            CommitNoDevice(ctx);
            if (!reader.PendingWarning().Caption.empty())
                ctx.ShowWarning(reader.PendingWarning().Caption, reader.PendingWarning().Text);
            return false;
        }
    }
    if (m.DataFieldCount > m.ExpectedColumns) {
        CommitNoDevice(ctx);
        ctx.ShowWarning("ZUV Device File Error", CFormat("More Data Fields (%d) than Columns (%d) in *.dev",
                                                         m.DataFieldCount, m.ExpectedColumns));
        return false;
    }
    if (m.MaxVoltage > 0) {
        m.ASV1Range *= m.MaxVoltage;
        m.ASV2Range *= m.MaxVoltage;
        m.ASV4Range *= m.MaxVoltage;
    }
    m.Commit(ctx.s);
    std::string name = m.SensorName;
    std::replace(name.begin(), name.end(), '\t', ' ');
    ctx.s.SensorName = name;
    ApplyParTexts(ctx, m);
    ctx.s.PlotSetupPending = true;
    if (ctx.s.EngrRecording)
        ctx.s.EngrHeaderPending = true;
    return true;
}

void LoadDeviceFileClick(HostContext& ctx)
{
    auto path = ctx.dialogs.OpenFile(
        {"Open Device File", "dev", "Device File (*.dev)|*.dev|All files (*.*)|*.*", false});
    if (!path)
        return;
    FilePtr file(std::fopen(path->c_str(), "rb"));
    if (!file) {
        ctx.s.DevicePath.clear();
        return;
    }
    ctx.s.DevicePath = *path;
    if (ParseDeviceFile(ctx, file.get())) {
        ctx.ui.SetText("LBDeviceFile", CFormat("Device File:  %s", path->c_str()));
        ctx.ui.SetVisible("PMeterType", false);
        ctx.ui.SetActivePage(4);
        ApplyDeviceLayout(ctx);
    } else {
        ctx.s.DevicePath.clear();
        ctx.ShowWarning("Device File Error", CFormat("Missing or Invalid device file '%s'", path->c_str()));
    }
}

TColor WavelengthToColor(int wavelength)
{
    float w = std::clamp(float(wavelength), 380.0f, 780.0f);
    float r = 0, g = 0, b = 0;
    if (w >= 690) {
        r = 1;
    } else if (w >= 580) {
        r = 1;
        g = (690 - w) / 110;
    } else if (w >= 510) {
        r = (w - 510) / 70;
        g = 1;
    } else if (w >= 490) {
        g = 1;
        b = (510 - w) / 20;
    } else if (w >= 440) {
        g = (w - 440) / 50;
        b = 1;
    } else {
        r = (440 - w) / 60;
        b = 1;
    }
    float f = w > 700 ? 0.3f + 0.7f * (780 - w) / 80 : w >= 420 ? 1.0f : 0.3f + 0.7f * (w - 380) / 40;
    auto component = [f](float c) { return int(255 * f * c); };
    return RGB(component(r), component(g), component(b));
}
