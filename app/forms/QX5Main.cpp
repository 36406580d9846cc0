#include "app/forms/QX5Main.h"

#include <cstdlib>

#include "app/core/DeviceFile.h"
#include "app/core/FormResource.h"
#include "app/core/HostCore.h"
#include "app/core/LogDownload.h"
#include "app/core/MeterCommands.h"
#include "app/core/ParSetup.h"
#include "app/core/PlotFeed.h"
#include "app/core/Recording.h"
#include "app/core/Replay.h"
#include "app/core/SerialLink.h"
#include "app/forms/HostPlotControl.h"
#include "app/forms/HostPort.h"
#include "app/forms/password.h"
#include "app/forms/warning.h"
#include "platform/core/SerialPort.h"
#include "platform/core/StrUtils.h"
#include "platform/gui/Application.h"
#include "platform/gui/ComCtrls.h"
#include "platform/gui/Dialogs.h"
#include "platform/gui/ExtCtrls.h"
#include "platform/gui/Menus.h"
#include "platform/gui/StdCtrls.h"
#include "platform/gui/Timers.h"
#include "plot/control/iPlot.h"

TForm1* Form1 = nullptr;

namespace {

using Handler = void (*)(HostContext&);
struct Binding {
    const char* Control;
    Handler Run;
};

// Buttons and clickable panels.
constexpr Binding kClicks[] = {
    {"BTStartData", BTStartClick},
    {"BTStopData", BTStopClick},
    {"BTRecordRaw", BTRecordRawClick},
    {"BTStopRecord", BTStopRecordClick},
    {"BTRecordEngr", BTRecordEngrClick},
    {"PMeterType", LoadDeviceFileClick},
    {"PCOMPort", PCOMPortClick},
    {"BTAverage", BTAverageClick},
    {"BTPacket", BTPacketClick},
    {"BTSample", BTSampleClick},
    {"BTInterval", BTIntervalClick},
    {"BTGetDandT", BTGetDandTClick},
    {"BTGetSetup1", BTGetSetupClick},
    {"BTGetSetup2", BTGetSetupClick},
    {"BTGetSetup3", BTGetSetupClick},
    {"BTSetDandTPC", BTSetDandTPCClick},
    {"BTSetTime", BTSetTimeClick},
    {"BTLogging", BTLoggingClick},
    {"BTErase", BTEraseClick},
    {"BTErase2", BTEraseClick},
    {"BTOpen", BTOpenClick},
    {"BTClose", BTCloseClick},
    {"BTStoreToFlash1", BTStoreSetupClick},
    {"BTStoreToFlash2", BTStoreSetupClick},
    {"BTStoreToFlash3", BTStoreSetupClick},
    {"BTReloadSetup1", BTReloadClick},
    {"BTReloadSetup2", BTReloadClick},
    {"Button3", BTReloadClick},
    {"BTAnalogRange2", BTAnalogRangeClick},
    {"BTAnalogRange3", BTAnalogRangeClick},
    {"BTflscale", BTflscaleClick},
    {"BTfloffset", BTfloffsetClick},
    {"BTCal", BTCalClick},
    {"BPAR_Apply", BPAR_ApplyClick},
    {"BPar_Device", BPar_DeviceClick},
    {"BTSendText", BTSendTextClick},
    {"BTGetData", BTGetDataClick},
    {"BitBtnCancel", BitBtnCancelClick},
};

// Menu items other than Exit ("MenuPowerUser" has no handler).
constexpr Binding kMenuItems[] = {
    {"LoadDeviceFile", LoadDeviceFileClick},
    {"RealTimeData", RealTimeDataClick},
    {"ReplayRawFile", ReplayRawFileClick},
    {"EarlyCommands", EarlyCommandsClick},
};

// Combo boxes: their change events fire on the user's choice only.
constexpr Binding kChanges[] = {
    {"CBHostPort", CBHostPortChange},
    {"CBBaudRate", CBHostPortChange},
    {"CBAnalogRange", CBAnalogRangeChange},
    {"CBAnalogRange4", CBAnalogRange4Change},
    {"PlotTypeCB", PlotTypeCBChange},
    {"BBPlotCB", BBPlotCBChange},
    {"StdDevCB", StdDevCBChange},
    {"iTempCB", iTempCBChange},
    {"xTempCB", xTempCBChange},
    {"PresCB", PresCBChange},
};

[[noreturn]] void NotSupported(const std::string& control, const char* what)
{
    throw Exception("The control " + control + " has no " + what + ".");
}

}  // namespace

TForm1::TForm1(TComponent* owner) : TForm1(owner, std::make_unique<SerialPort>()) {}

TForm1::TForm1(TComponent* owner, std::unique_ptr<ISerialPort> port)
    : TForm(owner), ExitProgram([](int code) { std::exit(code); }), port_(std::move(port))
{
    ReadDescription(FormResource("QX5Main"));
    memo_ = FindControl<TMemo>("Memo1");
    pages_ = FindControl<TPageControl>("PageControl1");
    timer55_ = FindControl<TTimer>("Timer55ms");
    // The sample rate is counted in 55 ms ticks, so this one tick must keep time.
    timer55_->SetPrecise(true);
    plot_ = std::make_unique<HostPlotControl>(*FindControl<TiPlot>("iPlot1"));
    core_ = std::make_unique<HostCore>(*this, *plot_, *port_, *this);
    std::weak_ptr<bool> alive = alive_;
    core_->Warnings().SetOnQueued([this, alive] {
        PostToGui([this, alive] {
            if (!alive.expired())
                ShowNextWarning();
        });
    });
    BindHandlers();
    Form1 = this;
}

TForm1::~TForm1()
{
    if (Form1 == this)
        Form1 = nullptr;
}

void TForm1::BindHandlers()
{
    HostContext& ctx = core_->Context();
    for (const Binding& b : kClicks)
        FindControl<TControl>(b.Control)->OnClick = [&ctx, run = b.Run](TObject*) { run(ctx); };
    for (const Binding& b : kMenuItems)
        FindControl<TMenuItem>(b.Control)->OnClick = [&ctx, run = b.Run](TObject*) { run(ctx); };
    for (const Binding& b : kChanges)
        FindControl<TComboBox>(b.Control)->OnChange = [&ctx, run = b.Run](TObject*) { run(ctx); };
    FindControl<TEdit>("EditSendText")->OnKeyDown = [&ctx](TObject*, int& key, TShiftState) {
        EditSendTextKeyDown(ctx, key);
    };
    FindControl<TMenuItem>("Exit1")->OnClick = [this](TObject*) { ExitClick(); };
    OnActivate = [this](TObject*) { core_->FormActivate(); };
    timer55_->OnTimer = [this](TObject*) { core_->Timer55msTimer(); };
    FindControl<TTimer>("Timer500ms")->OnTimer = [this](TObject*) { core_->Timer500msTimer(); };
    FindControl<TTimer>("Timer1Second")->OnTimer = [this](TObject*) { core_->Timer1SecondTimer(); };
}

// File > Exit is the only way out that keeps the settings; it ends the process at once.
void TForm1::ExitClick()
{
    core_->BTExitClick();
    ExitProgram(0);
}

void TForm1::ShowNextWarning()
{
    WarningQueue& warnings = core_->Warnings();
    std::optional<Warning> warning = warnings.TakeNext();
    if (!warning)
        return;
    struct BoxGuard {
        WarningQueue& queue;
        ~BoxGuard() { queue.BoxClosed(); }
    } guard{warnings};
    Beep();
    MessageBox(warning->Text, warning->Caption);
}

TComponent* TForm1::Named(const std::string& name) const
{
    if (SameText(name, Name()))
        return const_cast<TForm1*>(this);
    if (TComponent* own = FindComponent(name))
        return own;
    for (TForm* form :
         {static_cast<TForm*>(Form2), static_cast<TForm*>(SelectHPForm), static_cast<TForm*>(PasswordForm)}) {
        if (!form)
            continue;
        if (SameText(name, form->Name()))
            return form;
        if (TComponent* c = form->FindComponent(name))
            return c;
    }
    throw Exception("No control is named " + name + ".");
}

template <class T>
T* TForm1::NamedAs(const std::string& name) const
{
    return dynamic_cast<T*>(Named(name));
}

void TForm1::SetText(const std::string& control, const std::string& text)
{
    if (auto* item = NamedAs<TMenuItem>(control))
        item->SetCaption(text);
    else if (auto* c = NamedAs<TControl>(control))
        c->SetCaption(text);
    else
        NotSupported(control, "text");
}

std::string TForm1::GetText(const std::string& control) const
{
    if (auto* item = NamedAs<TMenuItem>(control))
        return item->Caption();
    if (auto* c = NamedAs<TControl>(control))
        return c->Caption();
    NotSupported(control, "text");
}

void TForm1::SetVisible(const std::string& control, bool visible)
{
    if (auto* sheet = NamedAs<TTabSheet>(control))
        sheet->SetTabVisible(visible);
    else if (auto* item = NamedAs<TMenuItem>(control))
        item->SetVisible(visible);
    else if (auto* c = NamedAs<TControl>(control))
        c->SetVisible(visible);
    else
        NotSupported(control, "visibility");
}

void TForm1::SetColor(const std::string& control, TColor color)
{
    if (auto* c = NamedAs<TControl>(control))
        c->SetColor(color);
    else
        NotSupported(control, "colour");
}

int TForm1::GetItemIndex(const std::string& control) const
{
    if (auto* combo = NamedAs<TComboBox>(control))
        return combo->ItemIndex();
    if (auto* group = NamedAs<TRadioGroup>(control))
        return group->ItemIndex();
    NotSupported(control, "item index");
}

void TForm1::SetItemIndex(const std::string& control, int index)
{
    if (auto* combo = NamedAs<TComboBox>(control))
        combo->SetItemIndex(index);
    else if (auto* group = NamedAs<TRadioGroup>(control))
        group->SetItemIndex(index);
    else
        NotSupported(control, "item index");
}

bool TForm1::GetChecked(const std::string& control) const
{
    if (auto* item = NamedAs<TMenuItem>(control))
        return item->Checked();
    if (auto* button = NamedAs<TButtonControl>(control))
        return button->Checked();
    NotSupported(control, "check mark");
}

void TForm1::SetChecked(const std::string& control, bool checked)
{
    if (auto* item = NamedAs<TMenuItem>(control))
        item->SetChecked(checked);
    else if (auto* button = NamedAs<TButtonControl>(control))
        button->SetChecked(checked);
    else
        NotSupported(control, "check mark");
}

void TForm1::SetActivePage(int index) { pages_->SetActivePageIndex(index); }

int TForm1::MemoLineCount() const { return memo_->Lines()->Count(); }

void TForm1::MemoDeleteFirstLine() { memo_->Lines()->Delete(0); }

void TForm1::MemoAppendLine(const std::string& line) { memo_->Lines()->Add(line); }

void TForm1::SetTimerInterval(int milliseconds) { timer55_->SetInterval(unsigned(milliseconds)); }

// Shown after the handler that hit the failure has returned, like the warnings: a box
// opened inside a timer tick would let the other timers run in the middle of that tick.
void TForm1::ShowCommError(const std::string& text)
{
    std::weak_ptr<bool> alive = alive_;
    PostToGui([alive, text] {
        if (!alive.expired())
            MessageBox(text, "Comm Error");
    });
}

void TForm1::ShowException(const std::string& message) { Application->ShowException(message); }

std::optional<std::string> TForm1::RunFileDialog(const FileDialogRequest& request, bool save)
{
    TFileDialogRequest dialog;
    dialog.Save = save;
    dialog.Title = request.Title;
    dialog.Filter = request.Filter;
    dialog.DefaultExt = request.DefaultExt;
    dialog.OverwritePrompt = request.PromptOverwrite;
    dialog.FileMustExist = !save;
    dialog.PathMustExist = true;
    if (!ExecuteFileDialog(dialog))
        return std::nullopt;
    return dialog.FileName;
}

std::optional<std::string> TForm1::OpenFile(const FileDialogRequest& request) { return RunFileDialog(request, false); }

std::optional<std::string> TForm1::SaveFile(const FileDialogRequest& request) { return RunFileDialog(request, true); }

PRAVIX_PUBLISH(TForm1)
