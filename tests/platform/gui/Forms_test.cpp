#include "platform/canvas/Graphics.h"
#include "platform/core/FormDescription.h"
#include "platform/gui/Application.h"
#include "platform/gui/ComCtrls.h"
#include "platform/gui/Dialogs.h"
#include "platform/gui/ExtCtrls.h"
#include "platform/gui/Forms.h"
#include "platform/gui/Keys.h"
#include "platform/gui/Menus.h"
#include "platform/gui/StdCtrls.h"
#include "platform/gui/TestHooks.h"
#include "platform/gui/Timers.h"

#include "support/SourcePaths.h"

#include <QPlainTextEdit>
#include <QTextDocument>
#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

#include <memory>
#include <string>
#include <vector>

namespace {

// One control of every kind.
const char* const kTestForm = R"desc(
TForm TestForm {
  Caption = "Every Control"
  Width = 640
  Height = 480
  Position = poScreenCenter
  Menu = MainMenu1
  TMainMenu MainMenu1 {
    TMenuItem File1 {
      Caption = "&File"
      TMenuItem Open1 { Caption = "&Open" }
      TMenuItem Sep1 { Caption = "-" }
      TMenuItem Exit1 { Caption = "E&xit" Checked = True }
    }
  }
  TPopupMenu Popup1 {
    TMenuItem Copy1 { Caption = "Copy" }
    TMenuItem Hidden1 { Caption = "Hidden" Visible = False }
    TMenuItem Sub1 {
      Caption = "More"
      TMenuItem Deep1 { Caption = "Deep" Enabled = False }
    }
  }
  TLabel Label1 {
    Left = 8 Top = 8 Width = 120 Height = 16 Caption = "Sample &Rate:" Color = 255
    Font.Style = [fsBold, fsUnderline] Font.Height = -13
  }
  TButton Button1 { Left = 8 Top = 30 Width = 90 Height = 25 Caption = "&Start" ModalResult = 1 }
  TBitBtn BitBtn1 { Left = 104 Top = 30 Width = 90 Height = 25 Caption = "Cancel" }
  TSpeedButton Speed1 { Left = 200 Top = 30 Width = 25 Height = 25 Caption = "P" }
  TEdit Edit1 { Left = 8 Top = 60 Width = 120 Height = 21 Text = "30" }
  TMaskEdit Mask1 { Left = 136 Top = 60 Width = 80 Height = 21 Text = "" PasswordChar = 42 }
  TMemo Memo1 { Left = 8 Top = 90 Width = 200 Height = 60 Lines = ("line one", "line two") ReadOnly = True }
  TComboBox Combo1 {
    Left = 220 Top = 8 Width = 150 Height = 21 Style = csDropDownList
    Items = ("4800 Baud", "9600 Baud", "19200 Baud", "38400 Baud") ItemIndex = 2
  }
  TListBox List1 { Left = 220 Top = 40 Width = 150 Height = 60 Items = ("a", "b", "c") PopupMenu = Popup1 }
  TCheckBox Check1 { Left = 220 Top = 110 Width = 100 Height = 17 Caption = "Check" }
  TGroupBox Group1 {
    Left = 380 Top = 8 Width = 200 Height = 70 Caption = "PAR"
    TRadioButton Radio1 { Left = 8 Top = 20 Width = 150 Height = 17 Caption = "In Water (1.3589)" Checked = True }
    TRadioButton Radio2 { Left = 8 Top = 40 Width = 150 Height = 17 Caption = "In Air (1.0)" }
  }
  TRadioGroup RadioGroup1 {
    Left = 380 Top = 84 Width = 200 Height = 80 Caption = "Baud Rate" Columns = 2
    Items = ("4800 Baud", "9600 Baud", "19200 Baud", "38400 Baud") ItemIndex = 2
  }
  TPanel Panel1 { Left = 8 Top = 160 Width = 160 Height = 30 Caption = "Select Device File" Color = 65535 }
  TShape Shape1 { Left = 176 Top = 160 Width = 30 Height = 30 Shape = stSquare Brush.Color = 65280 }
  TScrollBox Scroll1 {
    Left = 220 Top = 160 Width = 150 Height = 60
    TLabel Inner1 { Left = 4 Top = 100 Width = 80 Height = 16 Caption = "scrolled" }
  }
  TPageControl Pages1 {
    Left = 8 Top = 230 Width = 400 Height = 160
    TTabSheet TSSetup { Caption = "Meter Setup" }
    TTabSheet TSFLSetup { Caption = "FL-Setup" TabVisible = False }
    TTabSheet TSRaw {
      Caption = "Raw Data"
      TEdit PageEdit1 { Left = 4 Top = 4 Width = 100 Height = 21 }
    }
  }
  TTreeView Tree1 { Left = 416 Top = 230 Width = 100 Height = 80 }
  TListView ListView1 { Left = 520 Top = 230 Width = 110 Height = 80 }
  TEdit UpDownEdit1 { Left = 416 Top = 320 Width = 50 Height = 21 }
  TUpDown UpDown1 { Left = 466 Top = 320 Width = 17 Height = 21 Associate = UpDownEdit1 Max = 23 Position = 5 }
  TDateTimePicker Date1 { Left = 490 Top = 320 Width = 137 Height = 21 }
  TCustomControl Custom1 { Left = 416 Top = 350 Width = 100 Height = 40 }
  TStatusBar Status1 { SimpleText = "Ready" }
  TTimer Timer1 { Interval = 55 }
}
)desc";

std::unique_ptr<TForm> BuildTestForm()
{
    TComponent* root = CreateComponentFromText(kTestForm, nullptr);
    auto* form = dynamic_cast<TForm*>(root);
    EXPECT_NE(form, nullptr);
    return std::unique_ptr<TForm>(form);
}

struct EventLog {
    std::vector<std::string> entries;
    TNotifyEvent Note(const std::string& what)
    {
        return [this, what](TObject*) { entries.push_back(what); };
    }
};

}  // namespace

TEST(Forms, EveryControlIsBuiltFromTheDescription)
{
    auto form = BuildTestForm();
    EXPECT_EQ(form->Caption(), "Every Control");
    EXPECT_EQ(form->FindControl<TLabel>("Label1")->Caption(), "Sample &Rate:");
    EXPECT_EQ(form->FindControl<TLabel>("Label1")->Font()->GetStyle(), (TFontStyles{fsBold, fsUnderline}));
    EXPECT_EQ(form->FindControl<TLabel>("Label1")->Font()->GetHeight(), -13);
    EXPECT_EQ(form->FindControl<TButton>("Button1")->Font()->GetName(), "Arial");
    EXPECT_EQ(form->FindControl<TButton>("Button1")->ModalResult(), mrOk);
    EXPECT_EQ(form->FindControl<TEdit>("Edit1")->Text(), "30");
    EXPECT_EQ(form->FindControl<TMaskEdit>("Mask1")->PasswordChar(), '*');
    EXPECT_EQ(form->FindControl<TMemo>("Memo1")->Lines()->Count(), 2);
    EXPECT_EQ(form->FindControl<TMemo>("Memo1")->Lines()->Strings(1), "line two");
    EXPECT_EQ(form->FindControl<TComboBox>("Combo1")->ItemIndex(), 2);
    EXPECT_EQ(form->FindControl<TComboBox>("Combo1")->Text(), "19200 Baud");
    EXPECT_EQ(form->FindControl<TListBox>("List1")->Items()->Count(), 3);
    EXPECT_EQ(form->FindControl<TListBox>("List1")->PopupMenu(), form->FindControl<TPopupMenu>("Popup1"));
    EXPECT_TRUE(form->FindControl<TRadioButton>("Radio1")->Checked());
    EXPECT_EQ(form->FindControl<TRadioButton>("Radio1")->Parent(), form->FindControl<TGroupBox>("Group1"));
    EXPECT_EQ(form->FindControl<TRadioGroup>("RadioGroup1")->ItemIndex(), 2);
    EXPECT_EQ(form->FindControl<TUpDown>("UpDown1")->Associate(), form->FindControl<TEdit>("UpDownEdit1"));
    EXPECT_EQ(form->FindControl<TEdit>("UpDownEdit1")->Text(), "5");
    EXPECT_EQ(form->FindControl<TShape>("Shape1")->Brush()->GetColor(), clLime);
    EXPECT_EQ(form->FindControl<TShape>("Shape1")->Pen()->GetColor(), clBlack);
    EXPECT_EQ(form->FindControl<TStatusBar>("Status1")->Align(), alBottom);
    EXPECT_EQ(form->FindControl<TStatusBar>("Status1")->Top(), form->ClientHeight() - 19);
    EXPECT_EQ(form->Menu(), form->FindControl<TMainMenu>("MainMenu1"));
    TMenuItem* file = form->FindControl<TMenuItem>("File1");
    ASSERT_EQ(file->Count(), 3);
    EXPECT_TRUE(file->Items(1)->IsLine());
    EXPECT_TRUE(file->Items(2)->Checked());
    auto* pages = form->FindControl<TPageControl>("Pages1");
    ASSERT_EQ(pages->PageCount(), 3);
    EXPECT_EQ(form->FindControl<TEdit>("PageEdit1")->Parent(), pages->Pages(2));
    EXPECT_TRUE(form->FindControl<TTimer>("Timer1")->Running());
    EXPECT_EQ(form->FindControl<TTimer>("Timer1")->Interval(), 55u);
}

TEST(Forms, AnAbsurdSizeInADescriptionIsHeldToWhatAWindowCanBe)
{
    std::ifstream in(SourcePath("tests/fixtures/forms/huge-form.txt"));
    std::stringstream text;
    text << in.rdbuf();
    std::unique_ptr<TComponent> root(CreateComponentFromText(text.str(), nullptr));
    auto* form = dynamic_cast<TForm*>(root.get());
    ASSERT_NE(form, nullptr);
    EXPECT_EQ(form->Width(), kMaxControlExtent);
    EXPECT_EQ(form->Height(), kMaxControlExtent);
    EXPECT_EQ(form->Left(), kMaxControlPosition);
}

TEST(Forms, ComboAndListEventsFireOnlyOnUserAction)
{
    auto form = BuildTestForm();
    EventLog log;
    auto* combo = form->FindControl<TComboBox>("Combo1");
    auto* list = form->FindControl<TListBox>("List1");
    auto* group = form->FindControl<TRadioGroup>("RadioGroup1");
    auto* pages = form->FindControl<TPageControl>("Pages1");
    combo->OnChange = log.Note("combo change");
    combo->OnSelect = log.Note("combo select");
    list->OnClick = log.Note("list click");
    group->OnClick = log.Note("group click");
    pages->OnChange = log.Note("pages change");

    combo->SetItemIndex(0);
    combo->Items()->Add("57600 Baud");
    combo->SetText("9600 Baud");
    list->SetItemIndex(1);
    list->Items()->Delete(0);
    group->SetItemIndex(0);
    pages->SetActivePageIndex(2);
    EXPECT_TRUE(log.entries.empty());
    EXPECT_EQ(combo->ItemIndex(), 1);

    combo->SimulateSelect(3);
    list->SimulateClick(1);
    group->SimulateClick(3);
    pages->SimulateSelect(0);
    EXPECT_EQ(log.entries,
              (std::vector<std::string>{"combo change", "combo select", "list click", "group click", "pages change"}));
    EXPECT_EQ(combo->ItemIndex(), 3);
    EXPECT_EQ(group->ItemIndex(), 3);
}

TEST(Forms, EditAndMemoChangeOnEveryChange)
{
    auto form = BuildTestForm();
    EventLog log;
    auto* edit = form->FindControl<TEdit>("Edit1");
    auto* memo = form->FindControl<TMemo>("Memo1");
    edit->OnChange = log.Note("edit");
    memo->OnChange = log.Note("memo");
    edit->SetText("31");
    edit->SetText("31");  // unchanged: no event
    edit->SimulateTyping("5");
    memo->Lines()->Add("line three");
    memo->Lines()->Delete(0);
    EXPECT_EQ(log.entries, (std::vector<std::string>{"edit", "edit", "memo", "memo"}));
    EXPECT_EQ(edit->Text(), "315");
    EXPECT_EQ(memo->Lines()->Text(), "line two\r\nline three\r\n");
}

// A read-only memo serves as a log (the host's raw-data pane): lines are appended and the oldest
// trimmed for days, and an undo record of each would grow without bound. An editable memo keeps
// its undo for the user.
TEST(Forms, ReadOnlyMemoKeepsNoUndoHistory)
{
    auto form = BuildTestForm();
    auto* memo = form->FindControl<TMemo>("Memo1");
    ASSERT_TRUE(memo->ReadOnly());
    for (int i = 0; i < 2000; ++i) {
        memo->Lines()->Add("line " + std::to_string(i));
        if (memo->Lines()->Count() > 100)
            memo->Lines()->Delete(0);
    }
    const QTextDocument* log = static_cast<QPlainTextEdit*>(memo->Handle())->document();
    EXPECT_EQ(log->availableUndoSteps(), 0);
    EXPECT_FALSE(log->isUndoAvailable());
    EXPECT_EQ(memo->Lines()->Count(), 100);

    memo->SetReadOnly(false);
    memo->Lines()->Add("typed");
    EXPECT_TRUE(log->isUndoAvailable());
}

TEST(Forms, CheckBoxAndRadioButtonClickOnEveryStateChange)
{
    auto form = BuildTestForm();
    EventLog log;
    auto* check = form->FindControl<TCheckBox>("Check1");
    auto* air = form->FindControl<TRadioButton>("Radio2");
    check->OnClick = log.Note("check");
    air->OnClick = log.Note("air");
    check->SetChecked(true);
    check->Click();
    air->Click();
    EXPECT_EQ(log.entries, (std::vector<std::string>{"check", "check", "air"}));
    EXPECT_FALSE(check->Checked());
    EXPECT_FALSE(form->FindControl<TRadioButton>("Radio1")->Checked());
}

TEST(Forms, KeysArriveAsVirtualKeyCodesAndCanBeConsumed)
{
    auto form = BuildTestForm();
    auto* edit = form->FindControl<TEdit>("Edit1");
    edit->SetText("");
    std::vector<std::pair<int, TShiftState>> downs;
    std::string pressed;
    edit->OnKeyDown = [&](TObject*, int& key, TShiftState shift) {
        downs.push_back({key, shift});
        if (key == 'X')
            key = 0;  // consumed: the edit never sees it
    };
    edit->OnKeyPress = [&](TObject*, char& key) { pressed += key; };
    TestHooks::SendKey(*edit, 'A', {}, "a");
    TestHooks::SendKey(*edit, 'X', {}, "x");
    TestHooks::SendKey(*edit, VK_F10, {ssShift});
    TestHooks::SendKey(*edit, VK_LEFT);
    TestHooks::SendKey(*edit, VK_RETURN);
    const std::vector<std::pair<int, TShiftState>> expected = {
        {'A', {}}, {'X', {}}, {121, {ssShift}}, {37, {}}, {13, {}}};
    EXPECT_EQ(downs, expected);
    EXPECT_EQ(pressed, "ax\r");
    EXPECT_EQ(edit->Text(), "a");
}

namespace {

// A self-drawn control that records what reaches its hooks.
class TRecorder : public TCustomControl {
public:
    using TCustomControl::TCustomControl;
    std::vector<std::string> log;
    std::vector<TControl*> captureLosses;
    int paints = 0;
    int wheelDelta = 0;
    TPoint wheelAt;

protected:
    void MouseDown(TMouseButton, TShiftState shift, int x, int y) override
    {
        log.push_back((shift.count(ssDouble) ? "down2 " : "down ") + std::to_string(x) + "," + std::to_string(y));
    }
    void MouseUp(TMouseButton, TShiftState, int, int) override { log.push_back("up"); }
    void DblClick() override { log.push_back("dblclick"); }
    void Click() override { log.push_back("click"); }
    void KeyDown(int& key, TShiftState) override { log.push_back("key " + std::to_string(key)); }
    bool DoMouseWheel(TShiftState, int delta, TPoint at) override
    {
        wheelDelta = delta;
        wheelAt = at;
        return true;
    }
    void CaptureChanged(TControl* holder) override { captureLosses.push_back(holder); }
    void Paint() override
    {
        ++paints;
        if (!Canvas())
            throw Exception("no canvas");
        Canvas()->Brush().SetColor(clNavy);
        Canvas()->FillRect(ClientRect());
        if (!paintError.empty())
            throw Exception(paintError);
    }

public:
    std::string paintError;
};

}  // namespace

TEST(Forms, DoubleClickComesAsDoubleClickThenTheSecondPress)
{
    TRecorder control(nullptr);
    control.SetBounds(0, 0, 50, 50);
    TestHooks::SendDoubleClick(control, 5, 6);
    // The second release makes no click: a click needs a press of its own.
    EXPECT_EQ(control.log, (std::vector<std::string>{"down 5,6", "click", "up", "dblclick", "down2 5,6", "up"}));
}

TEST(Forms, CustomControlCapturesOnPressAndHearsOfLostCapture)
{
    TRecorder a(nullptr), b(nullptr);
    a.SetBounds(0, 0, 50, 50);
    TestHooks::SendMouseDown(a, mbLeft, 1, 1);
    EXPECT_TRUE(a.GetCapture());
    TestHooks::SendMouseUp(a, mbLeft, 1, 1);
    EXPECT_FALSE(a.GetCapture());
    a.SetCapture();
    b.SetCapture();
    EXPECT_TRUE(b.GetCapture());
    EXPECT_FALSE(a.GetCapture());
    ASSERT_FALSE(a.captureLosses.empty());
    EXPECT_EQ(a.captureLosses.back(), &b);
    b.ReleaseCapture();
    EXPECT_EQ(b.captureLosses.back(), nullptr);
}

TEST(Forms, WheelKeysAndRepaintRequestsOfACustomControl)
{
    auto form = BuildTestForm();
    auto* recorder = new TRecorder(form.get());
    recorder->SetParent(form.get());
    recorder->SetBounds(10, 10, 80, 80);
    TestHooks::SendWheel(*recorder, -120, 7, 9);
    EXPECT_EQ(recorder->wheelDelta, -120);
    EXPECT_EQ(recorder->wheelAt, (TPoint{7, 9}));
    // Tab, Enter and Escape reach a control that wants every key.
    TestHooks::SendKey(*recorder, VK_TAB);
    TestHooks::SendKey(*recorder, VK_ESCAPE);
    EXPECT_EQ(recorder->log, (std::vector<std::string>{"key 9", "key 27"}));
    const int before = recorder->RepaintRequestCount();
    recorder->Invalidate();
    recorder->Invalidate();
    EXPECT_EQ(recorder->RepaintRequestCount(), before + 2);
}

TEST(Forms, OwnerDrawnListItemsAreDrawnByTheHandlerAtTheItemHeight)
{
    auto form = BuildTestForm();
    auto* list = form->FindControl<TListBox>("List1");
    list->SetStyle(lbOwnerDrawFixed);
    list->SetItemHeight(18);
    list->SetItemIndex(1);
    std::vector<std::pair<int, bool>> drawn;
    TRect second;
    list->OnDrawItem = [&](TWinControl*, int index, TRect rect, TOwnerDrawState state) {
        ASSERT_NE(list->Canvas(), nullptr);
        EXPECT_EQ(list->Canvas()->Brush().GetColor(), state.count(odSelected) ? clHighlight : clWindow);
        list->Canvas()->FillRect(rect);
        drawn.push_back({index, state.count(odSelected) > 0});
        if (index == 1)
            second = rect;
    };
    form->Show();
    ASSERT_TRUE(TestHooks::PumpUntil([&] { return drawn.size() >= 3; }, 2000));
    drawn.resize(3);
    EXPECT_EQ(drawn, (std::vector<std::pair<int, bool>>{{0, false}, {1, true}, {2, false}}));
    EXPECT_EQ(second.Height(), 18);
    EXPECT_EQ(list->Canvas(), nullptr);
}

TEST(Forms, PaintGetsACanvasAndAFailingPaintIsReportedOnce)
{
    TestHooks::TModalScript script;
    auto form = BuildTestForm();
    auto* recorder = new TRecorder(form.get());
    recorder->SetParent(form.get());
    recorder->SetBounds(10, 10, 80, 80);
    form->Show();
    ASSERT_TRUE(TestHooks::PumpUntil([&] { return recorder->paints > 0; }, 2000));
    TestHooks::PumpFor(20);
    EXPECT_TRUE(script.Messages.empty());
    recorder->paintError = "Axis span is zero";
    for (int i = 0; i < 3; ++i) {
        const int before = recorder->paints;
        recorder->Repaint();
        TestHooks::PumpUntil([&] { return recorder->paints > before; }, 2000);
        TestHooks::PumpFor(10);
    }
    ASSERT_EQ(script.Messages.size(), 1u);
    EXPECT_EQ(script.Messages[0].Text, "Axis span is zero");
}

TEST(Forms, HiddenTabsKeepEveryPageIndex)
{
    auto form = BuildTestForm();
    auto* pages = form->FindControl<TPageControl>("Pages1");
    auto* fl = form->FindControl<TTabSheet>("TSFLSetup");
    auto* raw = form->FindControl<TTabSheet>("TSRaw");
    EXPECT_FALSE(fl->TabVisible());
    EXPECT_EQ(raw->PageIndex(), 2);
    pages->SetActivePage(raw);
    EXPECT_EQ(pages->ActivePageIndex(), 2);
    form->FindControl<TTabSheet>("TSSetup")->SetTabVisible(false);
    fl->SetTabVisible(true);
    EXPECT_EQ(fl->PageIndex(), 1);
    EXPECT_EQ(raw->PageIndex(), 2);
    EXPECT_EQ(pages->Pages(2), raw);
    EXPECT_EQ(pages->ActivePage(), raw);
    delete fl;
    EXPECT_EQ(pages->PageCount(), 2);
    EXPECT_EQ(raw->PageIndex(), 1);
}

TEST(Forms, EveryModalServiceIsIntercepted)
{
    auto form = BuildTestForm();
    TestHooks::TModalScript script;
    script.OnShowModal = [](TForm& f) {
        f.FindControl<TButton>("Button1")->Click();  // ModalResult mrOk
        return mrCancel;
    };
    TMenuItem* copy = form->FindControl<TMenuItem>("Copy1");
    bool copied = false;
    copy->OnClick = [&](TObject*) { copied = true; };
    script.OnPopup = [&](const TestHooks::TMenuSnapshot&) { return copy; };

    MessageBox("Missing", "Device File Error");
    MessageDlg("Sure?", mtConfirmation, {mbYes, mbNo});
    CallGuarded([] { throw Exception("boom"); });
    TOpenDialog().Execute();
    TSaveDialog().Execute();
    TColorDialog().Execute();
    TFontDialog().Execute();
    TPrintDialog().Execute();
    EXPECT_EQ(form->ShowModal(), mrOk);
    form->FindControl<TPopupMenu>("Popup1")->Popup(10, 10);

    using K = TestHooks::TModalKind;
    EXPECT_EQ(script.Shown,
              (std::vector<K>{K::MessageBox, K::MessageDlg, K::ErrorBox, K::OpenDialog, K::SaveDialog, K::ColorDialog,
                              K::FontDialog, K::PrintDialog, K::ShowModal, K::PopupMenu}));
    EXPECT_EQ(script.ModalForms, (std::vector<std::string>{"TestForm"}));
    EXPECT_TRUE(copied);
    const TestHooks::TMenuSnapshot& menu = script.Popups.at(0);
    ASSERT_EQ(menu.Items.size(), 3u);
    EXPECT_FALSE(menu.Items[1].Visible);
    EXPECT_EQ(menu.Items[2].Items.at(0).Caption, "Deep");
    EXPECT_FALSE(menu.Items[2].Items.at(0).Enabled);
}

TEST(Forms, RightClickOpensTheControlsPopupMenu)
{
    auto form = BuildTestForm();
    TestHooks::TModalScript script;
    form->Show();
    auto* list = form->FindControl<TListBox>("List1");
    TestHooks::SendClick(*list, 5, 5, mbRight);
    TestHooks::PumpFor(20);
    EXPECT_EQ(script.Shown, (std::vector<TestHooks::TModalKind>{TestHooks::TModalKind::PopupMenu}));
}

TEST(Forms, TimerOfAFormTicksWhileAModalBoxIsOpen)
{
    auto form = BuildTestForm();
    TTimer* timer = form->FindControl<TTimer>("Timer1");
    timer->SetInterval(10);
    int ticks = 0;
    timer->OnTimer = [&](TObject*) {
        if (++ticks == 3)
            TestHooks::CloseActiveModal();
    };
    MessageDlg("Memory full", mtWarning, {mbOK});
    EXPECT_GE(ticks, 3);
}

TEST(Forms, CloseQueryCloseActionsAndDeferredRelease)
{
    TForm* form = new TForm(nullptr);
    form->SetName("Form2");
    form->Show();
    bool allow = false;
    TCloseAction action = caHide;
    form->OnCloseQuery = [&](TObject*, bool& canClose) { canClose = allow; };
    form->OnClose = [&](TObject*, TCloseAction& a) { a = action; };
    form->Close();
    EXPECT_TRUE(form->Visible());  // vetoed
    allow = true;
    form->Close();
    EXPECT_FALSE(form->Visible());  // hidden
    form->Show();
    action = caNone;
    form->Close();
    EXPECT_TRUE(form->Visible());
    bool destroyed = false;
    form->OnDestroy = [&](TObject*) { destroyed = true; };
    action = caFree;
    form->Close();
    EXPECT_FALSE(destroyed);  // not inside the closing
    ASSERT_TRUE(TestHooks::PumpUntil([&] { return destroyed; }, 2000));
}

TEST(Forms, ClosingTheMainFormEndsRunWhileOtherFormsAreShown)
{
    TForm* main = nullptr;
    TForm* other = nullptr;
    Application->CreateForm(main);
    Application->CreateForm(other);
    EXPECT_EQ(Application->MainForm(), main);
    other->Show();
    PostToGui([main] { main->Close(); });
    Application->Run();
    EXPECT_TRUE(Application->Terminated());
    EXPECT_EQ(Application->MainForm(), nullptr);
}

TEST(Forms, DefaultAndCancelButtonsOnlyWhenAsked)
{
    auto form = BuildTestForm();
    form->Show();
    EventLog log;
    auto* start = form->FindControl<TButton>("Button1");
    start->OnClick = log.Note("start");
    auto* edit = form->FindControl<TEdit>("Edit1");
    TestHooks::SendKey(*edit, VK_RETURN);
    EXPECT_TRUE(log.entries.empty());
    start->SetDefault(true);
    TestHooks::SendKey(*edit, VK_RETURN);
    EXPECT_EQ(log.entries, (std::vector<std::string>{"start"}));
}
