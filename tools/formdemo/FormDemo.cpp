// A small window built from the "PlatformDemo" form description. With --screenshot FILE it
// saves the window as shown after --after milliseconds (3000 by default), checks that the
// window appeared with its controls and exits: 0 when it did, 1 when not.

#include "platform/Application.h"
#include "platform/Clock.h"
#include "platform/ComCtrls.h"
#include "platform/Dialogs.h"
#include "platform/ExtCtrls.h"
#include "platform/FormDescription.h"
#include "platform/Forms.h"
#include "platform/Menus.h"
#include "platform/Resources.h"
#include "platform/StdCtrls.h"
#include "platform/TestHooks.h"
#include "platform/Timers.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <string>

namespace {

struct Options {
    std::string screenshot;
    int afterMs = 3000;
};

Options ParseOptions(int argc, char** argv)
{
    Options o;
    for (int i = 1; i + 1 < argc; ++i) {
        if (std::strcmp(argv[i], "--screenshot") == 0)
            o.screenshot = argv[++i];
        else if (std::strcmp(argv[i], "--after") == 0)
            o.afterMs = std::atoi(argv[++i]);
    }
    return o;
}

void WireDemo(TForm& form)
{
    auto* clock = form.FindControl<TLabel>("LBHostDandT");
    auto* memo = form.FindControl<TMemo>("Memo1");
    auto* ticks = form.FindControl<TCheckBox>("CBTicks");
    auto* status = form.FindControl<TStatusBar>("StatusBar1");
    form.FindControl<TTimer>("Timer1")->OnTimer = [=](TObject*) {
        const TLocalTime t = LocalTime();
        char text[64];
        std::snprintf(text, sizeof text, "Host:  %02d/%02d/%02d  %02d:%02d:%02d", t.Month, t.Day, t.Year % 100,
                      t.Hour, t.Minute, t.Second);
        clock->SetCaption(text);
        if (ticks->Checked())
            memo->Lines()->Add(text);
    };
    form.FindControl<TButton>("BTStartData")->OnClick = [=](TObject*) { status->SetSimpleText("Running"); };
    form.FindControl<TButton>("BTStopData")->OnClick = [=](TObject*) { status->SetSimpleText("Stopped"); };
    form.FindControl<TPanel>("PCOMPort")->OnClick = [](TObject*) { MessageBox("No port on this machine.", "Demo"); };
    form.FindControl<TMenuItem>("Clear1")->OnClick = [=](TObject*) { memo->Clear(); };
    form.FindControl<TMenuItem>("Exit1")->OnClick = [&form](TObject*) { form.Close(); };
}

// The window must be on the screen with its controls and show more than a blank fill.
bool CheckWindow(TForm& form, const TestHooks::TWindowImage& image)
{
    const bool controlsShown = form.FindControl<TPageControl>("PageControl1")->Showing() &&
                               form.FindControl<TButton>("BTStartData")->Showing() &&
                               form.FindControl<TStatusBar>("StatusBar1")->Showing();
    std::printf("window %dx%d, %d colours, controls %s\n", image.Width, image.Height, image.DistinctColours,
                controlsShown ? "shown" : "missing");
    return image.Exposed && controlsShown && image.Width >= form.Width() / 2 && image.DistinctColours >= 8;
}

} // namespace

int main(int argc, char** argv)
{
    Application->Initialize(argc, argv);
    Application->SetTitle("Form demo");
    const Options options = ParseOptions(argc, argv);
    std::string description;
    if (!ReadResource("PlatformDemo", description)) {
        std::fprintf(stderr, "The PlatformDemo form description is missing.\n");
        return 1;
    }
    std::unique_ptr<TForm> form(dynamic_cast<TForm*>(CreateComponentFromText(description, nullptr)));
    WireDemo(*form);
    Application->SetMainForm(form.get());

    int exitCode = 0;
    TTimer shot;
    if (!options.screenshot.empty()) {
        shot.SetInterval(unsigned(options.afterMs));
        shot.OnTimer = [&](TObject*) {
            shot.SetEnabled(false);
            const TestHooks::TWindowImage image = TestHooks::GrabWindow(*form, options.screenshot);
            exitCode = CheckWindow(*form, image) ? 0 : 1;
            Application->Terminate();
        };
    } else {
        shot.SetEnabled(false);
    }
    Application->Run();
    return exitCode;
}
