// The host's four windows: built from their descriptions with every control the host logic
// addresses, and wired to the host core (user actions reach it, its warnings come back as
// boxes, File > Exit saves).

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include <unistd.h>

#include "app/forms/HostPort.h"
#include "app/forms/QX5Main.h"
#include "app/forms/password.h"
#include "app/forms/warning.h"
#include "platform/gui/Application.h"
#include "platform/gui/ComCtrls.h"
#include "platform/gui/ExtCtrls.h"
#include "platform/gui/Menus.h"
#include "platform/gui/StdCtrls.h"
#include "platform/gui/TestHooks.h"
#include "platform/gui/Timers.h"
#include "plot/control/iPlot.h"
#include "plot/objects/iPlotAxis.h"
#include "plot/objects/iPlotChannel.h"
#include "support/SourcePaths.h"
#include "support/TempDir.h"
#include "tests/app/core/HostFakes.h"

namespace {

// The four forms in their creation order, on a fake port and a pinned clock, in a fresh working
// folder (the state files land there).
class HostWindow : public testing::Test {
protected:
    TempDir dir;
    std::filesystem::path oldFolder = std::filesystem::current_path();
    PinnedClock clock;
    TestHooks::TFakeTimers timers;
    TestHooks::TModalScript modal;
    FakePort* port = nullptr;
    std::unique_ptr<TForm1> form1;
    std::unique_ptr<TForm2> form2;
    std::unique_ptr<TSelectHPForm> selectHP;
    std::unique_ptr<TPasswordForm> password;
    std::vector<int> exitCodes;

    HostWindow()
    {
        std::filesystem::current_path(dir.Folder());
        auto fakePort = std::make_unique<FakePort>();
        port = fakePort.get();
        form1 = std::make_unique<TForm1>(nullptr, std::move(fakePort));
        form1->ExitProgram = [this](int code) { exitCodes.push_back(code); };
        form2 = std::make_unique<TForm2>(nullptr);
        selectHP = std::make_unique<TSelectHPForm>(nullptr);
        password = std::make_unique<TPasswordForm>(nullptr);
    }

    ~HostWindow() override
    {
        password.reset();
        selectHP.reset();
        form2.reset();
        form1.reset();
        std::filesystem::current_path(oldFolder);
    }

    template <class T>
    T* On(TForm& form, const std::string& name)
    {
        return form.FindControl<T>(name);
    }
    template <class T>
    T* Main(const std::string& name)
    {
        return On<T>(*form1, name);
    }
    void Ticks55(int count) { timers.Advance(55 * count); }
    void AnswerFileDialogs(const std::string& path)
    {
        modal.OnFileDialog = [path](TFileDialogRequest& r) {
            r.FileName = path;
            return true;
        };
    }
    void ChoosePort(int index) { Main<TComboBox>("CBHostPort")->SimulateSelect(index); }
};

std::string Joined(const TStrings& items)
{
    std::string s;
    for (int i = 0; i < items.Count(); ++i)
        s += (i ? "|" : "") + items.Strings(i);
    return s;
}

std::string TextOf(TComponent* c)
{
    if (auto* item = dynamic_cast<TMenuItem*>(c))
        return item->Caption();
    return dynamic_cast<TControl*>(c)->Caption();
}

struct ControlSpec {
    const char* Form;
    const char* Name;
    const char* Class;
    const char* Text;  // nullptr: not checked
};

// Every control the host logic or the user reaches, with its stored text.
const ControlSpec kControls[] = {
    {"Form1", "Form1", "TForm1", "ZUV Host v1.20 2009-03-05"},
    {"Form1", "LBHostDandT", "TLabel", "Host:  MM/DD/YY HH:MM:SS"},
    {"Form1", "LBZUVDandT", "TLabel", "ZUV:  MM/DD/YY HH:MM:SS"},
    {"Form1", "LBHz1", "TLabel", "Sample Rate:"},
    {"Form1", "LBRecordStatus", "TLabel", "Recording:  OFF"},
    {"Form1", "LBRawFileName", "TLabel", "Raw File:"},
    {"Form1", "LBRawFileSize", "TLabel", "Raw File Size:"},
    {"Form1", "LBEngrFileName", "TLabel", "Engr Units File:"},
    {"Form1", "LBEngrFileSize", "TLabel", "Engr Units File Size:"},
    {"Form1", "LBTotalIn", "TLabel", "Bytes Read:"},
    {"Form1", "LBDeviceFile", "TLabel", "Device File:"},
    {"Form1", "L_ShutterStatus", "TLabel", "Shutter Status"},
    {"Form1", "PStore", "TPanel", "Setup Not Stored"},
    {"Form1", "BTStopData", "TButton", "Stop Data"},
    {"Form1", "BTStartData", "TButton", "Start Data"},
    {"Form1", "BTRecordRaw", "TButton", "Record  Raw"},
    {"Form1", "BTStopRecord", "TButton", "Stop Record"},
    {"Form1", "BTRecordEngr", "TButton", "Record Engr"},
    {"Form1", "PMeterType", "TPanel", "Select Device File"},
    {"Form1", "CBHostPort", "TComboBox", nullptr},
    {"Form1", "CBBaudRate", "TComboBox", "19200 Baud"},
    {"Form1", "PCOMPort", "TPanel", "Select COM Port"},
    {"Form1", "PageControl1", "TPageControl", nullptr},
    {"Form1", "TSSetup", "TTabSheet", "Meter Setup"},
    {"Form1", "TSFLSetup", "TTabSheet", "FL-Setup"},
    {"Form1", "TSPARSetup", "TTabSheet", "PAR-Setup"},
    {"Form1", "TSNTUSetup", "TTabSheet", "NTU-Setup"},
    {"Form1", "TSRaw", "TTabSheet", "Raw Data"},
    {"Form1", "TSPlot", "TTabSheet", "Plot Data"},
    {"Form1", "TSTransferData", "TTabSheet", "Transfer Data"},
    {"Form1", "MEAverage", "TMaskEdit", "30"},
    {"Form1", "MEPacket", "TMaskEdit", "0"},
    {"Form1", "MESample", "TMaskEdit", "1"},
    {"Form1", "TimeInterval", "TEdit", "HHMMSS"},
    {"Form1", "BTAverage", "TButton", "Set Avg / Data Rate"},
    {"Form1", "BTPacket", "TButton", "Set Number of Samples"},
    {"Form1", "BTSample", "TButton", "Set Number of Cycles"},
    {"Form1", "BTInterval", "TButton", "Set Cycle Interval"},
    {"Form1", "BTGetDandT", "TButton", "Get Date/Time/Setup"},
    {"Form1", "BTGetSetup1", "TButton", "Get RAM Setup"},
    {"Form1", "BTSetDandTPC", "TButton", "Set Date and Time"},
    {"Form1", "BTSetTime", "TButton", "Set Time"},
    {"Form1", "BTLogging", "TButton", "Turn Logging On"},
    {"Form1", "BTErase", "TButton", "Erase Memory"},
    {"Form1", "BTOpen", "TButton", "Open Shutter"},
    {"Form1", "BTClose", "TButton", "Close Shutter"},
    {"Form1", "BTStoreToFlash1", "TButton", "Store To Flash"},
    {"Form1", "BTReloadSetup1", "TButton", "Reload Flash Setup"},
    {"Form1", "LBAVE", "TLabel", "Avg:"},
    {"Form1", "LBNS", "TLabel", "Number of Samples:"},
    {"Form1", "LBNC", "TLabel", "Number of Cycles:"},
    {"Form1", "LBCI", "TLabel", "Cycle Interval:"},
    {"Form1", "LBLog", "TLabel", "Logging:"},
    {"Form1", "LBStorageUsed", "TLabel", "Used:  "},
    {"Form1", "LBStorageFree", "TLabel", "Free:  "},
    {"Form1", "LBHz2", "TLabel", "Sample Rate:"},
    {"Form1", "BTflscale", "TButton", "Set Engr Scale"},
    {"Form1", "BTfloffset", "TButton", "Set Engr Offset"},
    {"Form1", "BTCal", "TButton", "Turn Engr Output ON"},
    {"Form1", "BTAnalogRange2", "TButton", "Set Analog Range"},
    {"Form1", "BTStoreToFlash2", "TButton", "Store To Flash"},
    {"Form1", "BTGetSetup2", "TButton", "Get FL RAM Setup"},
    {"Form1", "BTReloadSetup2", "TButton", "Reload Flash Setup"},
    {"Form1", "MEflscale", "TMaskEdit", "0.0001"},
    {"Form1", "MEfloffset", "TMaskEdit", "1"},
    {"Form1", "CBAnalogRange", "TComboBox", nullptr},
    {"Form1", "LBuglscale", "TLabel", ":"},
    {"Form1", "LBugloffset", "TLabel", ":"},
    {"Form1", "LBCal", "TLabel", ":"},
    {"Form1", "LBDFuglscale", "TLabel", ":"},
    {"Form1", "LBDFugloffset", "TLabel", ":"},
    {"Form1", "LBHiRes", "TLabel", nullptr},
    {"Form1", "LBStdRes", "TLabel", nullptr},
    {"Form1", "LBWideRange", "TLabel", nullptr},
    {"Form1", "HRArrow", "TLabel", "==>"},
    {"Form1", "SRArrow", "TLabel", "==>"},
    {"Form1", "WRArrow", "TLabel", "==>"},
    {"Form1", "E_a1", "TEdit", nullptr},
    {"Form1", "E_a0", "TEdit", nullptr},
    {"Form1", "L_a1", "TLabel", nullptr},
    {"Form1", "L_a0", "TLabel", nullptr},
    {"Form1", "L_Im", "TLabel", nullptr},
    {"Form1", "BPAR_Apply", "TButton", "Apply Changes"},
    {"Form1", "BPar_Device", "TButton", "Create Dev File"},
    {"Form1", "R_PARWater", "TRadioButton", "In Water (1.3589)"},
    {"Form1", "R_PARAir", "TRadioButton", "In Air (1.0)"},
    {"Form1", "CBAnalogRange4", "TComboBox", nullptr},
    {"Form1", "BTAnalogRange3", "TButton", "Set Analog Range"},
    {"Form1", "BTStoreToFlash3", "TButton", "Store To Flash"},
    {"Form1", "BTGetSetup3", "TButton", "Get RAM Setup"},
    {"Form1", "Button3", "TButton", "Reload Flash Setup"},
    {"Form1", "LBHiRes2", "TLabel", nullptr},
    {"Form1", "LBStdRes2", "TLabel", nullptr},
    {"Form1", "LBWideRange2", "TLabel", nullptr},
    {"Form1", "Memo1", "TMemo", ""},
    {"Form1", "EditSendText", "TEdit", "Enter Text"},
    {"Form1", "BTSendText", "TButton", "Send w/o CR LF"},
    {"Form1", "PlotTypeCB", "TComboBox", nullptr},
    {"Form1", "BBPlotCB", "TComboBox", nullptr},
    {"Form1", "StdDevCB", "TComboBox", nullptr},
    {"Form1", "iTempCB", "TComboBox", nullptr},
    {"Form1", "xTempCB", "TComboBox", nullptr},
    {"Form1", "PresCB", "TComboBox", nullptr},
    {"Form1", "BTGetData", "TButton", "Receive Data"},
    {"Form1", "BTErase2", "TButton", "Erase Memory"},
    {"Form1", "BitBtnCancel", "TBitBtn", "Cancel"},
    {"Form1", "LBReceiveFile", "TLabel", "Receive File:  "},
    {"Form1", "LBReceiveFileSize", "TLabel", "Receive File Size:  "},
    {"Form1", "LBReceiveStatus", "TLabel", "Receive Status:"},
    {"Form1", "LoadDeviceFile", "TMenuItem", "Load Device File"},
    {"Form1", "RealTimeData", "TMenuItem", "Real Time Data"},
    {"Form1", "ReplayRawFile", "TMenuItem", "Replay Raw File"},
    {"Form1", "MenuPowerUser", "TMenuItem", "Power User"},
    {"Form1", "EarlyCommands", "TMenuItem", "Alternate Commands"},
    {"Form1", "Exit1", "TMenuItem", "E&xit"},
    {"Form1", "Timer55ms", "TTimer", nullptr},
    {"Form1", "Timer500ms", "TTimer", nullptr},
    {"Form1", "Timer1Second", "TTimer", nullptr},
    {"Form2", "Form2", "TForm2", "WARNING!!!"},
    {"Form2", "Label1", "TLabel", "    Internal Memory is Full.  Internal Logging has been stopped.    "},
    {"Form2", "Button1", "TButton", "OK"},
    {"SelectHPForm", "SelectHPForm", "TSelectHPForm", "Select Host Port"},
    {"SelectHPForm", "HPRG", "TRadioGroup", nullptr},
    {"SelectHPForm", "BRRG", "TRadioGroup", "Baud Rate"},
    {"SelectHPForm", "BTOK", "TButton", nullptr},
    {"PasswordForm", "PasswordForm", "TPasswordForm", "PasswordForm"},
    {"PasswordForm", "Label1", "TLabel", "Warning:  "},
    {"PasswordForm", "Label2", "TLabel", "Changing Advanced Setup Parameters May Result in a Non-Functioning Meter!"},
    {"PasswordForm", "Label3", "TLabel", "Power User Password"},
    {"PasswordForm", "MEPassword", "TMaskEdit", ""},
    {"PasswordForm", "BTPasswordOK", "TButton", "OK"},
};

struct ItemsSpec {
    const char* Form;
    const char* Name;
    const char* Items;
    int Index;
};

const ItemsSpec kItems[] = {
    {"Form1", "CBHostPort",
     "Select Host Port|Host Port - COM 1|Host Port - COM 2|Host Port - COM 3|Host Port - COM 4|"
     "Host Port - COM 5|Host Port - COM 6|Host Port - COM 7|Host Port - COM 8|Host Port - COM 9|"
     "Host Port - COM 10|Host Port - COM 11|Host Port - COM 12",
     -1},
    {"Form1", "CBBaudRate", "4800 Baud|9600 Baud|19200 Baud|38400 Baud", 2},
    {"Form1", "CBAnalogRange", "ASV1:  Hi Res|ASV2:  Std Res|ASV4:  Wide Range", 1},
    {"Form1", "CBAnalogRange4", "ASV1:  Hi Res|ASV2:  Std Res|ASV4:  Wide Range", 1},
    {"Form1", "PlotTypeCB", "Raw Data|Engr Units", 0},
    {"Form1", "BBPlotCB", "Beta(117)|Beta Particles(117)|BackScatter Particles|Total Back Scatter", 0},
    {"Form1", "StdDevCB", "Raw Counts|Mean Value|Std Dev-15|Std Dev-60", 0},
    {"Form1", "iTempCB", "No Internal Temp Plot|Plot Internal Temp", 0},
    {"Form1", "xTempCB", "No External Temp Plot|Plot External Temp", 0},
    {"Form1", "PresCB", "No Pressure Plot|Plot Pressure", 0},
    {"SelectHPForm", "HPRG", "OFF|COM 1|COM 2|COM 3|COM4|COM5|COM6|COM7|COM8", 0},
    {"SelectHPForm", "BRRG", "4800 Baud|9600 Baud|19200 Baud|38400 Baud", 2},
};

}  // namespace

TEST_F(HostWindow, FormsHoldEveryControlUnderItsNameWithItsStoredText)
{
    std::map<std::string, TForm*> forms{{"Form1", form1.get()},
                                        {"Form2", form2.get()},
                                        {"SelectHPForm", selectHP.get()},
                                        {"PasswordForm", password.get()}};
    for (const ControlSpec& c : kControls) {
        SCOPED_TRACE(c.Name);
        TForm* form = forms.at(c.Form);
        TComponent* found = form->Name() == c.Name ? form : form->FindComponent(c.Name);
        ASSERT_NE(found, nullptr);
        EXPECT_EQ(found->ClassName(), c.Class);
        if (c.Text) {
            EXPECT_EQ(TextOf(found), c.Text);
        }
    }
    for (const ItemsSpec& c : kItems) {
        SCOPED_TRACE(c.Name);
        TComponent* found = forms.at(c.Form)->FindComponent(c.Name);
        if (auto* combo = dynamic_cast<TComboBox*>(found)) {
            EXPECT_EQ(Joined(*combo->Items()), c.Items);
            EXPECT_EQ(combo->ItemIndex(), c.Index);
        } else {
            auto* group = dynamic_cast<TRadioGroup*>(found);
            ASSERT_NE(group, nullptr);
            EXPECT_EQ(Joined(*group->Items()), c.Items);
            EXPECT_EQ(group->ItemIndex(), c.Index);
        }
    }
}

TEST_F(HostWindow, StoredLayoutStates)
{
    auto* pages = Main<TPageControl>("PageControl1");
    const char* order[] = {"TSSetup", "TSFLSetup", "TSPARSetup", "TSNTUSetup", "TSRaw", "TSPlot", "TSTransferData"};
    ASSERT_EQ(pages->PageCount(), 7);
    for (int i = 0; i < 7; ++i)
        EXPECT_EQ(pages->Pages(i)->Name(), order[i]);
    EXPECT_EQ(pages->ActivePage()->Name(), "TSPlot");

    for (const char* hidden : {"L_ShutterStatus", "PStore", "BTSetTime", "L_Im", "HRArrow", "SRArrow", "WRArrow",
                               "PlotTypeCB", "BBPlotCB", "StdDevCB", "iTempCB", "xTempCB", "PresCB"})
        EXPECT_FALSE(Main<TControl>(hidden)->Visible()) << hidden;
    EXPECT_EQ(Main<TPanel>("PStore")->Color(), clYellow);
    EXPECT_EQ(Main<TPanel>("PMeterType")->Color(), clYellow);
    EXPECT_EQ(Main<TPanel>("PCOMPort")->Color(), clYellow);
    EXPECT_TRUE(Main<TRadioButton>("R_PARWater")->Checked());
    EXPECT_TRUE(Main<TMemo>("Memo1")->ReadOnly());
    EXPECT_EQ(Main<TButton>("BTAverage")->Hint(), "High Count = Lower Hz ... Low Count = High Hz");
    EXPECT_EQ(Main<TMaskEdit>("MEflscale")->Text(), "0.0001");
    EXPECT_EQ(form1->Position(), poScreenCenter);

    // File menu: groups split by separators, "Real Time Data" ticked, "Power User" hidden.
    TMenuItem* file = form1->Menu()->Items()->Items(0);
    EXPECT_EQ(file->Caption(), "&File");
    std::vector<std::string> captions;
    for (int i = 0; i < file->Count(); ++i)
        captions.push_back(file->Items(i)->Caption());
    EXPECT_EQ(captions, (std::vector<std::string>{"Load Device File", "-", "Real Time Data", "Replay Raw File", "-",
                                                  "Power User", "Alternate Commands", "-", "E&xit"}));
    EXPECT_TRUE(Main<TMenuItem>("RealTimeData")->Checked());
    EXPECT_FALSE(Main<TMenuItem>("MenuPowerUser")->Visible());

    const std::pair<const char*, unsigned> intervals[] = {
        {"Timer55ms", 55}, {"Timer500ms", 500}, {"Timer1Second", 1000}};
    for (const auto& [name, ms] : intervals) {
        EXPECT_EQ(Main<TTimer>(name)->Interval(), ms);
        EXPECT_TRUE(Main<TTimer>(name)->Enabled());
    }
    EXPECT_TRUE(Main<TTimer>("Timer55ms")->Precise());

    EXPECT_EQ(form2->Color(), clRed);
    EXPECT_EQ(On<TMaskEdit>(*password, "MEPassword")->PasswordChar(), '*');
    EXPECT_EQ(On<TRadioGroup>(*selectHP, "HPRG")->Columns(), 3);
    EXPECT_EQ(On<TRadioGroup>(*selectHP, "BRRG")->Columns(), 2);
}

TEST_F(HostWindow, ChoosingAPortOpensItAndTheSetupRequestFollowsTenTicksLater)
{
    Ticks55(5);
    ChoosePort(1);
    ASSERT_EQ(port->Opened, std::vector<std::string>{ComPortPath(1)});
    EXPECT_EQ(port->Baud, 19200);
    EXPECT_FALSE(Main<TPanel>("PCOMPort")->Visible());
    Ticks55(9);
    EXPECT_EQ(port->Written, "");
    Ticks55(1);
    EXPECT_EQ(port->Written, "$mnu\r\n");

    // A baud change alone reopens the port and repeats the request.
    port->TakeWritten();
    Main<TComboBox>("CBBaudRate")->SimulateSelect(3);
    EXPECT_EQ(port->Opened.size(), 2u);
    EXPECT_EQ(port->Baud, 38400);
    Ticks55(10);
    EXPECT_EQ(port->Written, "$mnu\r\n");
}

TEST_F(HostWindow, ButtonsAndMenuItemsReachTheMeter)
{
    ChoosePort(2);
    Ticks55(10);
    port->TakeWritten();
    Main<TButton>("BTStartData")->Click();
    Main<TButton>("BTStopData")->Click();
    Main<TButton>("BTStoreToFlash3")->Click();
    Main<TButton>("BTOpen")->Click();
    EXPECT_EQ(port->TakeWritten(), "$run\r\n!!!!!$sto\r\n$mvs 1\r\n");

    Main<TButton>("BTAverage")->Click();
    EXPECT_EQ(port->TakeWritten(), "$AVE 30\r\n");
    EXPECT_TRUE(Main<TPanel>("PStore")->Visible());

    // Alternate Commands: the menu item toggles its tick and swaps the date buttons.
    Main<TMenuItem>("EarlyCommands")->Click();
    EXPECT_TRUE(Main<TMenuItem>("EarlyCommands")->Checked());
    EXPECT_TRUE(Main<TButton>("BTSetTime")->Visible());
    EXPECT_EQ(Main<TButton>("BTSetDandTPC")->Caption(), "Set Date");

    // Enter in the send edit sends its text with CR LF.
    auto* edit = Main<TEdit>("EditSendText");
    edit->SetText("$ver");
    TestHooks::SendKey(*edit, 13);
    EXPECT_EQ(port->TakeWritten(), "$ver\r\n");
    EXPECT_EQ(edit->Text(), "");
}

TEST_F(HostWindow, PortDialogAppliesItsChoiceToTheMainWindow)
{
    Main<TPanel>("PCOMPort")->Click();
    EXPECT_TRUE(selectHP->Visible());
    On<TRadioGroup>(*selectHP, "HPRG")->SimulateClick(3);
    On<TRadioGroup>(*selectHP, "BRRG")->SimulateClick(1);
    On<TButton>(*selectHP, "BTOK")->Click();
    EXPECT_FALSE(selectHP->Visible());
    EXPECT_EQ(port->Opened, std::vector<std::string>{ComPortPath(3)});
    EXPECT_EQ(port->Baud, 9600);
    EXPECT_EQ(Main<TComboBox>("CBHostPort")->ItemIndex(), 3);
    EXPECT_EQ(Main<TComboBox>("CBBaudRate")->ItemIndex(), 1);
}

TEST_F(HostWindow, SmallFormsAreShownAndHiddenByTheCore)
{
    form1->Core().Context().ui.SetVisible("Form2", true);
    EXPECT_TRUE(form2->Visible());
    On<TButton>(*form2, "Button1")->Click();
    EXPECT_FALSE(form2->Visible());

    form1->Core().PowerUserPanelClick();
    EXPECT_TRUE(password->Visible());
    On<TMaskEdit>(*password, "MEPassword")->SetText("MarbleKeyXY");
    On<TButton>(*password, "BTPasswordOK")->Click();
    EXPECT_FALSE(password->Visible());
    EXPECT_TRUE(form1->Core().State().PowerUser);
}

// Twelve clicks before the first box shows ask for the same warning twelve times: one box, with
// its beep, says it (identical boxes are not stacked), and the requests are counted.
TEST_F(HostWindow, CoreWarningsAreShownAfterTheHandlerWithABeepNotStacked)
{
    Main<TMaskEdit>("MEflscale")->SetText("5");
    const int beeps = TestHooks::BeepCount();
    for (int i = 0; i < 12; ++i)
        Main<TButton>("BTflscale")->Click();
    EXPECT_TRUE(modal.Messages.empty());  // nothing shown inside the click
    ASSERT_TRUE(TestHooks::PumpUntil([&] { return !modal.Messages.empty(); }, 2000));
    TestHooks::PumpFor(50);
    ASSERT_EQ(modal.Messages.size(), 1u);
    EXPECT_EQ(modal.Messages[0].Kind, TestHooks::TModalKind::MessageBox);
    EXPECT_EQ(modal.Messages[0].Caption, "Warning - Invalid Entry");
    EXPECT_EQ(modal.Messages[0].Text, "The valid range for the engr scale is 0.0001-0.0255");
    EXPECT_EQ(TestHooks::BeepCount() - beeps, 1);
    EXPECT_EQ(form1->Core().State().WarningDepth, 0);
    EXPECT_EQ(form1->Core().Warnings().Requests("Warning - Invalid Entry",
                                                "The valid range for the engr scale is 0.0001-0.0255"),
              12);

    // Once the box is closed, the same warning shows again.
    Main<TButton>("BTflscale")->Click();
    ASSERT_TRUE(TestHooks::PumpUntil([&] { return modal.Messages.size() == 2; }, 2000));
}

TEST_F(HostWindow, PortFailureIsACommErrorBoxWithoutBeep)
{
    port->OpenResult = false;
    const int beeps = TestHooks::BeepCount();
    ChoosePort(10);
    ASSERT_TRUE(TestHooks::PumpUntil([&] { return !modal.Messages.empty(); }, 2000));
    EXPECT_EQ(modal.Messages[0].Caption, "Comm Error");
    EXPECT_EQ(modal.Messages[0].Text, "Could Not Open COM10");
    EXPECT_EQ(TestHooks::BeepCount(), beeps);
}

TEST_F(HostWindow, FileDialogsCarryTheirTitlesAndReplaySlowsTheInputTimer)
{
    AnswerFileDialogs(SampleDevice("fluorometer.dev"));
    Main<TMenuItem>("LoadDeviceFile")->Click();
    ASSERT_EQ(modal.FileDialogs.size(), 1u);
    EXPECT_FALSE(modal.FileDialogs[0].Save);
    EXPECT_EQ(modal.FileDialogs[0].Title, "Open Device File");
    EXPECT_EQ(modal.FileDialogs[0].Filter, "Device File (*.dev)|*.dev|All files (*.*)|*.*");
    EXPECT_FALSE(Main<TPanel>("PMeterType")->Visible());
    EXPECT_EQ(Main<TPageControl>("PageControl1")->ActivePageIndex(), 4);

    // A save dialog appends the default extension to a bare name.
    AnswerFileDialogs(dir.Path("record"));
    Main<TButton>("BTRecordRaw")->Click();
    EXPECT_TRUE(modal.FileDialogs.back().Save);
    EXPECT_EQ(modal.FileDialogs.back().Title, "Record Raw Data");
    EXPECT_TRUE(std::filesystem::exists(dir.Path("record.raw")));
    Main<TButton>("BTStopRecord")->Click();

    AnswerFileDialogs(dir.Write("old.raw", "1,2\r\n3,4\r\n"));
    Main<TMenuItem>("ReplayRawFile")->Click();
    EXPECT_EQ(Main<TTimer>("Timer55ms")->Interval(), 220u);
    EXPECT_TRUE(Main<TMenuItem>("ReplayRawFile")->Checked());
    Main<TMenuItem>("RealTimeData")->Click();
    EXPECT_EQ(Main<TTimer>("Timer55ms")->Interval(), 55u);
}

TEST_F(HostWindow, ExitSavesTheStateAndEndsWithCodeZero)
{
    AnswerFileDialogs(SampleDevice("fluorometer.dev"));
    Main<TMenuItem>("LoadDeviceFile")->Click();
    ChoosePort(4);
    Main<TMenuItem>("Exit1")->Click();
    EXPECT_EQ(exitCodes, std::vector<int>{0});
    std::ifstream state("last.rbs", std::ios::binary);
    std::stringstream text;
    text << state.rdbuf();
    EXPECT_EQ(text.str(), "4 2 0 0 0 0 1 0 1 0 0 0\r\nfluorometer.dev\r\n");
    EXPECT_TRUE(std::filesystem::exists("zuvpravix.rbs"));
}

TEST_F(HostWindow, ClosingTheWindowSavesNothing)
{
    AnswerFileDialogs(SampleDevice("fluorometer.dev"));
    Main<TMenuItem>("LoadDeviceFile")->Click();
    ChoosePort(4);
    form1->Close();
    EXPECT_TRUE(exitCodes.empty());
    EXPECT_FALSE(std::filesystem::exists("last.rbs"));
}

TEST_F(HostWindow, StateFileRestoresPortAndDeviceAfterOneSecond)
{
    std::filesystem::copy_file(SampleDevice("fluorometer.dev"), "fluorometer.dev");
    std::ofstream("last.rbs", std::ios::binary) << "5 1 0 0 0 0 0 0 0 0 0 0\r\nfluorometer.dev\r\n";
    timers.Advance(1000);
    EXPECT_EQ(port->Opened, std::vector<std::string>{ComPortPath(5)});
    EXPECT_EQ(Main<TComboBox>("CBHostPort")->ItemIndex(), 5);
    EXPECT_EQ(Main<TLabel>("LBDeviceFile")->Caption(), "Device File:  fluorometer.dev");
    EXPECT_FALSE(Main<TPanel>("PMeterType")->Visible());
}

// The "Plot Data" page holds the plot control read with its stored objects, and the feed
// reaches it: one channel per plotted column, a point per accepted line, current titles.
TEST_F(HostWindow, ThePlotDataPageShowsTheLivePlot)
{
    auto* plot = Main<TiPlot>("iPlot1");
    ASSERT_NE(plot, nullptr);
    EXPECT_EQ(plot->Parent(), Main<TTabSheet>("TSPlot"));
    EXPECT_EQ(plot->LogFileName(), "ZUV Log.txt");
    EXPECT_FALSE(plot->UserCanEditObjects());
    EXPECT_EQ(plot->ToolBarCount(), 1);
    EXPECT_EQ(plot->DataViewCount(), 1);
    EXPECT_EQ(plot->GetXAxis(0)->Name(), "X-Axis 1");
    EXPECT_EQ(plot->GetYAxis(0)->Name(), "Y-Axis 1");
    // The stored plot's title is "ZUV" and its data cursor hidden, wherever the plot has them.
    if (plot->LabelCount() > 0) {
        EXPECT_EQ(plot->TitleText(), "ZUV");
    }
    for (int i = 0; i < plot->DataCursorCount(); ++i)
        EXPECT_FALSE(plot->GetDataCursor(i)->Visible());

    AnswerFileDialogs(SampleDevice("fluorometer.dev"));
    Main<TMenuItem>("LoadDeviceFile")->Click();
    ChoosePort(1);
    port->Inbound = "01/02/26\t10:11:12\t1300\t1400\t1500\t1600\r\n01/02/26\t10:11:13\t1310\t1410\t1510\t1610\r\n";
    Ticks55(12);
    ASSERT_EQ(plot->ChannelCount(), 3);  // CHL, iTemp, Pres in column order
    const TiPlotChannel* chl = plot->GetChannel(0);
    EXPECT_EQ(chl->GetCount(), 2);
    EXPECT_EQ(chl->GetXLast() - chl->GetXFirst(), 1.0);
    EXPECT_EQ(chl->TitleText().rfind("CHL: ", 0), 0u) << chl->TitleText();
    EXPECT_EQ(chl->Color(), TColor(0x00FF00FF));
}

// A damaged plot settings file is reported; the plot keeps its place, gets its channels for
// the device and is fed as before.
TEST_F(HostWindow, ADamagedPlotSettingsFileIsReportedAndThePlotStaysUsable)
{
    std::filesystem::copy_file(SampleDevice("fluorometer.dev"), "fluorometer.dev");
    std::ofstream("last.rbs", std::ios::binary) << "1 2 0 0 0 0 0 0 0 0 0 0\r\nfluorometer.dev\r\n";
    std::ofstream("zuvpravix.rbs", std::ios::binary)
        << "File Type = TiPlot\r\nOuterMarginLeft = twelve\r\n\x01\xff\r\n";
    auto* plot = Main<TiPlot>("iPlot1");
    const TRect place = plot->BoundsRect();
    timers.Advance(1000);
    ASSERT_EQ(modal.Messages.size(), 1u);
    EXPECT_EQ(modal.Messages[0].Text.rfind("Error Loading Properties - ", 0), 0u) << modal.Messages[0].Text;
    EXPECT_EQ(plot->BoundsRect(), place);
    EXPECT_FALSE(plot->Updating());
    port->Inbound = "01/02/26\t10:11:12\t1300\t1400\t1500\t1600\r\n";
    Ticks55(12);
    ASSERT_EQ(plot->ChannelCount(), 3);
    EXPECT_EQ(plot->GetChannel(0)->GetCount(), 1);
}

// An enlarged window gives the room to the pages and the plot; the controls anchored to the
// left and top stay where they were stored.
TEST_F(HostWindow, ThePlotGrowsWithTheWindow)
{
    auto* plot = Main<TiPlot>("iPlot1");
    auto* pages = Main<TPageControl>("PageControl1");
    const TRect plotBefore = plot->BoundsRect();
    const TRect pagesBefore = pages->BoundsRect();
    const TRect comboBefore = Main<TComboBox>("PresCB")->BoundsRect();
    form1->SetBounds(form1->Left(), form1->Top(), form1->Width() + 400, form1->Height() + 300);
    EXPECT_EQ(pages->Width(), pagesBefore.Width() + 400);
    EXPECT_EQ(pages->Height(), pagesBefore.Height() + 300);
    EXPECT_EQ(plot->BoundsRect(),
              (TRect{plotBefore.Left, plotBefore.Top, plotBefore.Right + 400, plotBefore.Bottom + 300}));
    EXPECT_EQ(Main<TComboBox>("PresCB")->BoundsRect(), comboBefore);
    // The plot lies inside its page with the margins it was stored with.
    EXPECT_LE(plot->BoundsRect().Right, Main<TTabSheet>("TSPlot")->Width());
    EXPECT_LE(plot->BoundsRect().Bottom, Main<TTabSheet>("TSPlot")->Height());
}

// The plot choices show their whole texts ("No Internal Temp Plot", "No Pressure Plot") above
// the plot, none over another.
TEST_F(HostWindow, ThePlotChoicesShowTheirWholeTexts)
{
    const TRect plot = Main<TiPlot>("iPlot1")->BoundsRect();
    const int pageWidth = Main<TTabSheet>("TSPlot")->Width();
    std::vector<TRect> placed;
    for (const char* name : {"PlotTypeCB", "BBPlotCB", "StdDevCB", "iTempCB", "xTempCB", "PresCB"}) {
        SCOPED_TRACE(name);
        auto* combo = Main<TComboBox>(name);
        const TRect r = combo->BoundsRect();
        EXPECT_GE(combo->Width(), TestHooks::PreferredWidth(*combo));
        EXPECT_LE(r.Right, pageWidth);
        EXPECT_LE(r.Bottom, plot.Top);
        for (const TRect& other : placed)
            EXPECT_FALSE(r.Left < other.Right && other.Left < r.Right && r.Top < other.Bottom && other.Top < r.Bottom);
        placed.push_back(r);
    }
}

// Every control below `parent` lies inside its parent, and no two of one parent overlap.
void ExpectWholeAndApart(TWinControl& parent, int width, int height)
{
    for (int i = 0; i < parent.ControlCount(); ++i) {
        TControl* control = parent.Controls(i);
        const TRect r = control->BoundsRect();
        SCOPED_TRACE(control->Name());
        auto* sheets = dynamic_cast<TPageControl*>(control);
        if (!dynamic_cast<TTabSheet*>(control)) {
            EXPECT_GE(r.Left, 0);
            EXPECT_GE(r.Top, 0);
            EXPECT_LE(r.Right, width);
            EXPECT_LE(r.Bottom, height);
            EXPECT_GT(r.Width(), 0);
            EXPECT_GT(r.Height(), 0);
            for (int j = i + 1; j < parent.ControlCount(); ++j) {
                const TRect o = parent.Controls(j)->BoundsRect();
                EXPECT_FALSE(r.Left < o.Right && o.Left < r.Right && r.Top < o.Bottom && o.Top < r.Bottom)
                    << "over " << parent.Controls(j)->Name();
            }
        }
        if (auto* container = dynamic_cast<TWinControl*>(control);
            container && (sheets || dynamic_cast<TTabSheet*>(control)))
            ExpectWholeAndApart(*container, container->ClientWidth(), container->ClientHeight());
    }
}

// The window cannot be made smaller than the size that shows every control whole: at 640 x 480
// the port and rate choices were cut off.
TEST_F(HostWindow, AtItsSmallestTheWindowShowsEveryControlWhole)
{
    const TSizeConstraints& smallest = *form1->Constraints();
    ASSERT_GT(smallest.MinWidth(), 0);
    ASSERT_GT(smallest.MinHeight(), 0);
    form1->Show();
    form1->SetBounds(form1->Left(), form1->Top(), 640, 480);
    EXPECT_EQ(form1->Width(), smallest.MinWidth());
    EXPECT_EQ(form1->Height(), smallest.MinHeight());
    TestHooks::PumpFor(20);
    ExpectWholeAndApart(*form1, form1->ClientWidth(), form1->ClientHeight());
    TestHooks::GrabWindow(*form1, (oldFolder / "host_window_smallest.png").string());
}

// The program as main() runs it: File > Exit in the running message loop saves the state
// and ends the process at once with code 0.
TEST(HostProgram, ExitEndsTheProcessWithCodeZero)
{
    GTEST_FLAG_SET(death_test_style, "fast");  // the child shares this working folder
    TempDir dir;
    const auto oldFolder = std::filesystem::current_path();
    std::filesystem::current_path(dir.Folder());
    std::filesystem::copy_file(SampleDevice("fluorometer.dev"), "fluorometer.dev");
    auto runAndExit = [] {
        TestHooks::TModalScript modal;
        modal.OnFileDialog = [](TFileDialogRequest& r) {
            r.FileName = "fluorometer.dev";
            return true;
        };
        Application->CreateForm(Form1);
        Application->CreateForm(Form2);
        Application->CreateForm(SelectHPForm);
        Application->CreateForm(PasswordForm);
        PostToGui([] {
            Form1->FindControl<TMenuItem>("LoadDeviceFile")->Click();
            Form1->FindControl<TComboBox>("CBBaudRate")->SimulateSelect(1);
            Form1->SetItemIndex("CBHostPort", 0);
            Form1->FindControl<TMenuItem>("Exit1")->Click();
        });
        Application->Run();
        std::exit(3);  // Run returned: the exit did not happen
    };
    EXPECT_EXIT(runAndExit(), testing::ExitedWithCode(0), "");
    std::ifstream state("last.rbs", std::ios::binary);
    std::stringstream text;
    text << state.rdbuf();
    EXPECT_EQ(text.str(), "0 1 0 0 0 0 1 0 1 0 0 0\r\nfluorometer.dev\r\n");
    std::filesystem::current_path(oldFolder);
}

// Under a real X server: the window appears, and each page, once shown, shows its controls.
// The window images are left beside the test program (host_window_<page>.png).
TEST(HostWindowOnScreen, EveryPageShowsItsControls)
{
    const char* platform = std::getenv("QT_QPA_PLATFORM");
    if (!platform || std::string(platform) != "xcb")
        GTEST_SKIP() << "needs a real X server (run under xvfb-run with QT_QPA_PLATFORM=xcb)";
    TempDir dir;
    const auto oldFolder = std::filesystem::current_path();
    std::filesystem::current_path(dir.Folder());
    {
        PinnedClock clock;
        TestHooks::TFakeTimers timers;  // the pages stay as stored while we look at them
        auto form1 = std::make_unique<TForm1>(nullptr, std::make_unique<FakePort>());
        auto form2 = std::make_unique<TForm2>(nullptr);
        auto selectHP = std::make_unique<TSelectHPForm>(nullptr);
        auto password = std::make_unique<TPasswordForm>(nullptr);
        form1->Show();
        ASSERT_TRUE(TestHooks::PumpUntil([&] { return form1->Showing(); }, 5000));
        // Activation picks the "Plot ..." entries of the temperature and pressure choices.
        EXPECT_TRUE(
            TestHooks::PumpUntil([&] { return form1->FindControl<TComboBox>("iTempCB")->ItemIndex() == 1; }, 5000));
        EXPECT_EQ(form1->FindControl<TComboBox>("xTempCB")->ItemIndex(), 1);
        EXPECT_EQ(form1->FindControl<TComboBox>("PresCB")->ItemIndex(), 1);
        auto* pages = form1->FindControl<TPageControl>("PageControl1");
        for (int i = 0; i < pages->PageCount(); ++i) {
            TTabSheet* sheet = pages->Pages(i);
            SCOPED_TRACE(sheet->Name());
            pages->SetActivePageIndex(i);
            TestHooks::PumpFor(100);
            for (int c = 0; c < sheet->ControlCount(); ++c) {
                TControl* control = sheet->Controls(c);
                EXPECT_EQ(control->Showing(), control->Visible()) << control->Name();
                // Combo boxes show their whole texts in the window system's own style too.
                if (dynamic_cast<TComboBox*>(control)) {
                    EXPECT_GE(control->Width(), TestHooks::PreferredWidth(*control)) << control->Name();
                }
            }
            const TestHooks::TWindowImage image =
                TestHooks::GrabWindow(*form1, (oldFolder / ("host_window_" + sheet->Name() + ".png")).string());
            EXPECT_TRUE(image.Exposed);
            EXPECT_GE(image.Width, form1->Width() / 2);
            EXPECT_GE(image.DistinctColours, 8);
        }
    }
    std::filesystem::current_path(oldFolder);
}
