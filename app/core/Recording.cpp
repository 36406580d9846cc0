#include "app/core/Recording.h"

#include "app/core/CFormat.h"
#include "app/core/DeviceFile.h"
#include "app/core/FileNames.h"
#include "app/core/HostContext.h"

namespace {

using namespace TypeCode;

const char* const kRawFilter = "Raw Files (*.raw)|*.raw|All Files (*.*)|*.*";

void WriteCounted(std::FILE* file, const std::string& bytes, long& size)
{
    size += long(std::fwrite(bytes.data(), 1, bytes.size(), file));
}

// Creates a record file, closing the one it replaces; warns when it cannot be created.
bool CreateRecordFile(HostContext& ctx, FilePtr& file, const std::string& path)
{
    file.reset();
    file.reset(std::fopen(path.c_str(), "wb"));
    if (!file)
        ctx.ShowWarning("Unable to open file.", "Error opening fille");
    return bool(file);
}

const char* EngrHeaderPiece(int t)
{
    switch (t) {
    case VSF100: return "\tB(100)";
    case VSF125: return "\tB(125)";
    case VSF150: return "\tB(150)";
    case CHL: return "\tCHL(ug/l)";
    case Phycocyanin: return "\tpcyan(ppt)";
    case Phycoerythrin: return "\tperyth(ppb)";
    case Uranine: return "\tur(ppb)";
    case Rhodamine: return "\trhod(ppb)";
    case CDOM: return "\tCDOM(ppb)";
    case LSS: case NTU: return "\tNTU";
    case ITemp: return "\tiTemp(C)";
    case XTemp: return "\txTemp(C)";
    case Pressure: return "\tPres(dbar)";
    case PAR: return "\tPAR(umol/m2/s)";
    case Counter: return "\tCounter";
    case Raw: return "\tRaw";
    case Engr1: return "\tEngr1";
    default: return "";
    }
}

}  // namespace

void BTRecordRawClick(HostContext& ctx)
{
    auto path = ctx.dialogs.SaveFile({"Record Raw Data", "*.raw", kRawFilter, true});
    if (!path)
        return;
    std::string name = WithDefaultExtension(*path, "raw");
    ctx.s.RawRecording = false;
    if (!CreateRecordFile(ctx, ctx.s.RawFile, name))
        return;
    ctx.ui.SetText("LBRawFileName", CFormat("Raw File Name:  %s", name.c_str()));
    ctx.s.RawRecording = true;
    ctx.s.RawFileSize = 0;
}

void WriteRawRecord(HostContext& ctx, std::string_view bytes)
{
    HostState& s = ctx.s;
    if (bytes.empty() || !s.RawRecording || !s.RawFile)
        return;
    s.RawFileSize += long(std::fwrite(bytes.data(), 1, bytes.size(), s.RawFile.get()));
}

void BTStopRecordClick(HostContext& ctx)
{
    HostState& s = ctx.s;
    if (s.RawRecording) {
        s.RawRecording = false;
        s.RawFile.reset();
    }
    if (s.EngrRecording) {
        s.EngrRecording = false;
        s.EngrFile.reset();
    }
}

void BTRecordEngrClick(HostContext& ctx)
{
    HostState& s = ctx.s;
    if (s.DataFieldCount == 0)
        LoadDeviceFileClick(ctx);
    auto path = ctx.dialogs.SaveFile(
        {"Open Engr Units Record File", "eng", "Engineering Units|*.eng|All Files|*.*", true});
    if (!path)
        return;
    s.EngrRecording = false;
    if (!CreateRecordFile(ctx, s.EngrFile, *path)) {
        ctx.ui.SetText("LBEngrFileName", "Engr Units File: ");
        return;
    }
    ctx.ui.SetText("LBEngrFileName", CFormat("Engr Units File:  %s", path->c_str()));
    s.EngrRecording = true;
    s.EngrFileSize = 0;
    s.EngrHeaderPending = false;
    WriteCounted(s.EngrFile.get(), EngrHeaderLine(s), s.EngrFileSize);
}

void WriteEngrRecord(HostContext& ctx)
{
    HostState& s = ctx.s;
    if (!s.EngrRecording || !s.EngrFile)
        return;
    if (s.EngrHeaderPending) {   // a new device file changed the columns
        s.EngrHeaderPending = false;
        WriteCounted(s.EngrFile.get(), EngrHeaderLine(s), s.EngrFileSize);
    }
    WriteCounted(s.EngrFile.get(), EngrDataRow(s), s.EngrFileSize);
}

std::string EngrHeaderLine(const HostState& s)
{
    std::string line = "Count\tDate\tTime";
    for (int col = 0; col < kMaxColumns; ++col) {
        int t = s.ColumnTypes[col];
        if (t < 0 || t >= kTypeCount)
            continue;
        if (IsLambda(t)) {
            int w = s.TypeWavelength[t];
            line += CFormat("%cBeta(%3d)%cBetap(%3d)%cbbp(%3d)%cbb(%3d))", '\t', w, '\t', w, '\t', w, '\t', w);
        } else if (t == IEngr) {
            line += CFormat("%ciEngr(%s)", '\t', s.EngrUnits.c_str());
        } else {
            line += EngrHeaderPiece(t);
        }
    }
    return line + "\r\n";
}

std::string EngrDataRow(const HostState& s)
{
    std::string row = CFormat("%1.0lf%c%02d%02d%02d%c%02d%02d%02d", s.SampleX, '\t', s.MeterDate[0], s.MeterDate[1],
                              s.MeterDate[2], '\t', s.MeterTime[0], s.MeterTime[1], s.MeterTime[2]);
    for (int col = 0; col < kMaxColumns; ++col) {
        int t = s.ColumnTypes[col];
        if (t < 0 || t >= kTypeCount)
            continue;
        if (IsLambda(t)) {
            row += CFormat("%c%8.6lf%c%8.6lf%c%8.6lf%c%8.6lf", '\t', s.TypeBeta[t], '\t', s.TypeBetap[t], '\t',
                           s.TypeBbp[t], '\t', s.TypeBb[t]);
        } else if (IsVSF(t)) {
            row += CFormat("%c%6.4lf", '\t', s.TypeVSF[t]);
        } else {
            switch (t) {
            case IEngr: case CHL: case Phycocyanin: case Phycoerythrin: case Uranine: case Rhodamine: case CDOM:
            case LSS: case NTU: case ITemp: case XTemp: case Engr1: case PAR:
                row += CFormat("%c%6.4lf", '\t', s.EngValue[t]);
                break;
            case Pressure: row += CFormat("%c%5.1lf", '\t', s.EngValue[t]); break;
            case Counter: case Raw: row += CFormat("%c%1.0lf", '\t', s.EngValue[t]); break;
            default: break;
            }
        }
    }
    return row + "\r\n";
}
