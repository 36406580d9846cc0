#include "app/core/ParSetup.h"

#include <cmath>
#include <cstdio>

#include "app/core/CFormat.h"
#include "app/core/FileNames.h"
#include "app/core/HostContext.h"
#include "app/core/MeterProtocol.h"

void BPAR_ApplyClick(HostContext& ctx)
{
    auto leading = [&](const char* edit) {
        double v = 0;
        return std::sscanf(ctx.ui.GetText(edit).c_str(), "%lf", &v) == 1 && std::isfinite(v) ? v : 0.0;
    };
    ctx.s.Device.PARa1 = leading("E_a1");
    ctx.s.Device.PARa0 = leading("E_a0");
    ctx.ui.SetText("L_Im", ShortFloatText(ctx.s.Device.PARIm));
    ctx.ui.SetText("L_a0", ShortFloatText(ctx.s.Device.PARa0));
    ctx.ui.SetText("L_a1", ShortFloatText(ctx.s.Device.PARa1));
}

void BPar_DeviceClick(HostContext& ctx)
{
    auto path = ctx.dialogs.SaveFile({"", "*.dev", "Device Files (*.dev)|*.dev|All Files (*.*)|*.*", true});
    if (!path)
        return;
    std::string name = WithDefaultExtension(*path, "dev");
    FilePtr file(std::fopen(name.c_str(), "wb"));
    if (!file) {
        ctx.ShowWarning("Unable to open file.", "Error opening fille");
        return;
    }
    ReadHostClock(ctx);
    const auto& c = ctx.s.HostClock;
    std::string text = "ZUV PAR\n" + CFormat("Created on:%02d/%02d/%02d", c[4], c[3], c[5]) +
                       "\n\n\nCOLUMNS=3\nDATE=1\nTIME=2\nPAR=3\n" + CFormat("im=%lf\n", ctx.s.Device.PARIm) +
                       CFormat("a1=%lf\n", ctx.s.Device.PARa1) + CFormat("a0=%lf\n", ctx.s.Device.PARa0);
    std::string crlf;
    for (char ch : text) {
        if (ch == '\n')
            crlf += '\r';
        crlf += ch;
    }
    std::fwrite(crlf.data(), 1, crlf.size(), file.get());
}
