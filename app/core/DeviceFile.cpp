#include "app/core/DeviceFile.h"

#include <algorithm>

#include "app/core/CFormat.h"
#include "app/core/DeviceFileReader.h"
#include "app/core/DeviceLayout.h"
#include "app/core/HostContext.h"

namespace {

constexpr int kPieceLength = 98;  // lines are read in pieces of this many characters

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

void ApplyParTexts(HostContext& ctx, const DeviceModel& m)
{
    if (m.ParImRead) {
        ctx.ui.SetText("L_Im", ShortFloatText(m.Record.PARIm));
        ctx.ui.SetText("R_PARWater", CFormat("In Water (%f)", m.Record.PARIm));
    }
    if (m.ParA0Read) {
        ctx.ui.SetText("L_a0", ShortFloatText(m.Record.PARa0));
        ctx.ui.SetText("E_a0", ShortFloatText(m.Record.PARa0));
    }
    if (m.ParA1Read) {
        ctx.ui.SetText("L_a1", ShortFloatText(m.Record.PARa1));
        ctx.ui.SetText("E_a1", ShortFloatText(m.Record.PARa1));
    }
    if (m.ShowParPage)
        ctx.ui.SetVisible("TSPARSetup", true);
}

// A failed load leaves no device file: the reset model with no columns.
void CommitNoDevice(HostContext& ctx)
{
    DeviceModel empty(ctx.s.Device);
    empty.Commit(ctx.s);
}

}  // namespace

bool ParseDeviceFile(HostContext& ctx, std::FILE* file)
{
    DeviceModel m(ctx.s.Device);
    std::string first;
    if (!ReadPiece(file, first)) {
        CommitNoDevice(ctx);
        return false;
    }
    std::string name = first.substr(0, first.find_first_of("\r\n"));
    std::replace(name.begin(), name.end(), '\t', ' ');
    m.Record.SensorName = name;

    DeviceFileReader reader(m);
    std::string line;
    while (ReadPiece(file, line)) {
        DeviceFileReader::Result r = reader.Line(line);
        if (r != DeviceFileReader::Result::Ok) {
            CommitNoDevice(ctx);
            if (!reader.PendingWarning().Caption.empty())
                ctx.ShowWarning(reader.PendingWarning().Caption, reader.PendingWarning().Text);
            return false;
        }
    }
    if (m.Record.DataFieldCount > m.Record.ExpectedColumns) {
        CommitNoDevice(ctx);
        ctx.ShowWarning("ZUV Device File Error", CFormat("More Data Fields (%d) than Columns (%d) in *.dev",
                                                         m.Record.DataFieldCount, m.Record.ExpectedColumns));
        return false;
    }
    if (m.Record.MaxVoltage > 0) {
        m.Record.ASV1Range *= m.Record.MaxVoltage;
        m.Record.ASV2Range *= m.Record.MaxVoltage;
        m.Record.ASV4Range *= m.Record.MaxVoltage;
    }
    m.Commit(ctx.s);
    ApplyParTexts(ctx, m);
    ctx.s.PlotSetupPending = true;
    if (ctx.s.EngrRecording)
        ctx.s.EngrHeaderPending = true;
    return true;
}

void LoadDeviceFileClick(HostContext& ctx)
{
    auto path =
        ctx.dialogs.OpenFile({"Open Device File", "dev", "Device File (*.dev)|*.dev|All files (*.*)|*.*", false});
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
