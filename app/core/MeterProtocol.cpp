#include "app/core/MeterProtocol.h"

#include <cstdio>
#include <cstring>

#include "app/core/CFormat.h"
#include "app/core/HostContext.h"
#include "platform/core/Clock.h"
#include "platform/core/StrUtils.h"

namespace {

const char* const kVersionCaption = "ZUV View:  v1.20 2009-Mar-11   ZUV: %s";

bool StartsWith(const std::string& s, const char* prefix) { return s.compare(0, std::strlen(prefix), prefix) == 0; }

// Three numbers from a date or time word: separated by `sep`, else two digits each.
bool ReadTriple(const char* word, char sep, std::array<int, 3>& out)
{
    char separated[] = "%2d?%2d?%2d";
    separated[3] = separated[7] = sep;
    int a, b, c;
    if (std::sscanf(word, separated, &a, &b, &c) != 3 && std::sscanf(word, "%2d%2d%2d", &a, &b, &c) != 3)
        return false;
    out = {a, b, c};
    return true;
}

}  // namespace

void ShowSetupState(HostContext& ctx, int state)
{
    ctx.ui.SetVisible("PStore", true);
    if (state == 1) {
        ctx.ui.SetVisible("PStore", false);
        ctx.ui.SetText("PStore", "Setup is Current");
        ctx.ui.SetColor("PStore", clMenu);
    } else {
        ctx.ui.SetText("PStore", "Setup Not Stored");
        ctx.ui.SetColor("PStore", clYellow);
    }
}

void ReadHostClock(HostContext& ctx)
{
    const TLocalTime t = LocalTime();
    ctx.s.HostClock = {t.Hour, t.Minute, t.Second, t.Day, t.Month, TwoDigitYear(t.Year)};
}

int TwoDigitYear(int calendarYear)
{
    int year = calendarYear - 1900;
    return year > 99 ? year - 100 : year;
}

void ParseMeterReply(HostContext& ctx, const std::string& line)
{
    HostState& s = ctx.s;
    const std::string u = UpperCase(line);
    const char* c = u.c_str();
    unsigned un = 0;
    int n = 0;
    char word[80] = {};

    if (StartsWith(u, "MVS 0")) {
        ctx.ui.SetText("L_ShutterStatus", "Shutter Status: Closed");
        ctx.ui.SetVisible("L_ShutterStatus", true);
    } else if (StartsWith(u, "MVS 1")) {
        ctx.ui.SetText("L_ShutterStatus", "Shutter Status: Open");
        ctx.ui.SetVisible("L_ShutterStatus", true);
    } else if (StartsWith(u, "AVE")) {
        if (std::sscanf(c, "AVE%u", &un) == 1)
            s.MeterAverage = un;
    } else if (StartsWith(u, "CAL")) {
        if (std::sscanf(c, "CAL%u", &un) == 1)
            s.MeterEngrOutput = un;
    } else if (StartsWith(u, "CLK")) {
        if (std::sscanf(c, "CLK %79s", word) == 1 && ReadTriple(word, ':', s.MeterTime))
            ReadHostClock(ctx);
    } else if (StartsWith(u, "DAT")) {
        if (std::sscanf(c, "DAT%79s", word) == 1 && ReadTriple(word, '/', s.MeterDate))
            ReadHostClock(ctx);
    } else if (StartsWith(u, "DONE")) {
        ShowSetupState(ctx, 1);
    } else if (StartsWith(u, "INT")) {
        if (std::sscanf(c, "INT%19s", word) == 1)
            s.MeterInterval = word;
    } else if (StartsWith(u, "MEM")) {
        if (std::sscanf(c, "MEM%d", &n) == 1) {
            s.MemoryBlocksUsed = n;
            if (n >= 4094)
                ctx.ui.SetVisible("Form2", true);
        }
    } else if (StartsWith(u, "PKT")) {
        if (std::sscanf(c, "PKT%u", &un) == 1)
            s.MeterSamples = un;
    } else if (StartsWith(u, "OFF")) {
        if (std::sscanf(c, "OFF%d", &n) == 1) {
            s.MeterEngrOffset = n;
            s.EngrOffsetReceived = true;
        }
    } else if (StartsWith(u, "UGL")) {
        if (std::sscanf(c, "UGL%d", &n) == 1) {
            s.MeterEngrScale = n;
            s.EngrScaleReceived = true;
        }
    } else if (StartsWith(u, "REC")) {
        if (std::sscanf(c, "REC%u", &un) == 1)
            s.MeterLogging = un;
    } else if (StartsWith(u, "SET")) {
        if (std::sscanf(c, "SET%u", &un) == 1)
            s.MeterCycles = un;
    } else if (StartsWith(u, "ASV")) {
        if (std::sscanf(c, "ASV%u", &un) == 1)
            s.MeterAnalogRange = un;
    } else if (StartsWith(u, "VER")) {
        s.MeterIdentified = true;
        ctx.ui.SetText("Form1", CFormat(kVersionCaption, line.c_str()));
        if (s.ReloadPending)
            ShowSetupState(ctx, 1);
        s.ReloadPending = false;
    }
}
