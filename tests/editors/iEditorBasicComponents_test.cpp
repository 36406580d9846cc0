// The toolkit's contract on its text and choice controls: silent setters fire nothing, a
// user's change commits, fires the control's own event and tells the form once, Disable
// empties a control silently, and the keys do what a form of editors needs (Tab moves on,
// Enter commits, Escape reverts, neither presses a form's buttons).
//
// Log letters: "U" the form's UserChange; "u" OnUpdate (a commit); "c" OnChange; "k" OnClick.

#include "editors/iEditorBasicComponents.h"

#include "components/iGPControls.h"
#include "editors/EditorTestForm.h"
#include "platform/canvas/Bitmap.h"
#include "platform/canvas/Graphics.h"
#include "platform/canvas/SystemColors.h"
#include "platform/core/DateTime.h"
#include "platform/core/Exceptions.h"
#include "platform/core/FormDescription.h"
#include "platform/gui/Keys.h"
#include "platform/gui/TestHooks.h"

#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

namespace {

struct TStep {
    const char* Action;
    const char* Text;  // the control's text (or value) afterwards
    const char* Log;   // the whole log so far
};

struct TScriptCase {
    const char* Why;
    std::vector<TStep> Steps;
};

std::pair<std::string, std::string> SplitStep(const std::string& step)
{
    const auto blank = step.find(' ');
    return {step.substr(0, blank), blank == std::string::npos ? std::string() : step.substr(blank + 1)};
}

// Keys and focus common to every control: "enter", "esc", "tab", "blur", "key <vk>".
bool KeyStep(TWinControl& control, const std::string& verb, const std::string& argument)
{
    if (verb == "enter")
        TestHooks::SendKey(control, VK_RETURN);
    else if (verb == "esc")
        TestHooks::SendKey(control, VK_ESCAPE);
    else if (verb == "tab")
        TestHooks::SendKey(control, VK_TAB);
    else if (verb == "blur")
        TestHooks::SendFocus(control, false);
    else if (verb == "key")
        TestHooks::SendKey(control, std::stoi(argument));
    else
        return false;
    return true;
}

// An edit and the control after it, on a shown form, the edit focused.
struct TEditOnForm {
    TEditorTestForm form;
    TiComponentEditorEdit* edit = form.Add<TiComponentEditorEdit>("Edit", 10, 10, 100, 21);
    TiComponentEditorEdit* next = form.Add<TiComponentEditorEdit>("Next", 10, 40, 100, 21);

    TEditOnForm()
    {
        edit->SetTabOrder(0);
        next->SetTabOrder(1);
        edit->OnUpdate = form.Logs("u");
        form.ShowWithFocus(*edit);
    }

    // "set x" silent SetAsString; "float x" silent SetAsFloat; "type x" the user replaces the
    // text; "with x" SetStringWithEvent; "withint n" SetIntegerWithEvent; and the key steps.
    void Step(const std::string& step)
    {
        const auto [verb, argument] = SplitStep(step);
        if (verb == "set")
            edit->SetAsString(argument);
        else if (verb == "float")
            edit->SetAsFloat(std::stod(argument));
        else if (verb == "type") {
            edit->SelectAll();
            edit->SimulateTyping(argument);
        } else if (verb == "with")
            edit->SetStringWithEvent(argument);
        else if (verb == "withint")
            edit->SetIntegerWithEvent(std::stoi(argument));
        else if (!KeyStep(*edit, verb, argument))
            ADD_FAILURE() << "unknown step " << step;
    }
};

}  // namespace

TEST(ToolkitEdit, KeyAndSetterSequences)
{
    const TScriptCase cases[] = {
        {"a value changed by the user and left by Tab commits once",
         {{"set 12", "12", ""}, {"type 13", "13", ""}, {"tab", "13", "uU"}}},
        {"leaving it unchanged fires nothing", {{"set 12", "12", ""}, {"tab", "12", ""}}},
        {"Enter commits once; a second Enter finds nothing new",
         {{"set 12", "12", ""}, {"type 13", "13", ""}, {"enter", "13", "uU"}, {"enter", "13", "uU"}}},
        {"Escape restores the silently set text and fires nothing",
         {{"set 12", "12", ""}, {"type 99", "99", ""}, {"esc", "12", ""}, {"blur", "12", ""}}},
        {"Escape after a commit restores the committed text",
         {{"set 1", "1", ""}, {"type 2", "2", ""}, {"enter", "2", "uU"}, {"type 3", "3", "uU"}, {"esc", "2", "uU"}}},
        {"a silent float moves the baseline: focus loss fires nothing",
         {{"float 0.5", "0.5", ""}, {"blur", "0.5", ""}}},
        {"a with-event setter commits and tells the form once",
         {{"set 12", "12", ""}, {"with 13", "13", "uU"}, {"blur", "13", "uU"}}},
        {"an unchanged value set with its event still tells the form, without a commit",
         {{"set 13", "13", ""}, {"withint 13", "13", "U"}}},
        {"", {{"set 13", "13", ""}, {"withint 14", "14", "uU"}, {"withint 14", "14", "uUU"}}},
    };
    for (const TScriptCase& c : cases) {
        SCOPED_TRACE(c.Why);
        TEditOnForm f;
        for (const TStep& s : c.Steps) {
            f.Step(s.Action);
            EXPECT_EQ(f.edit->Text(), s.Text) << s.Action;
            EXPECT_EQ(f.form.Log, s.Log) << s.Action;
        }
    }
}

TEST(ToolkitEdit, TabMovesTheFocusBothWaysAndEnterSelectsTheText)
{
    TEditOnForm f;
    f.edit->SetAsString("12");
    f.Step("tab");
    EXPECT_TRUE(TestHooks::PumpUntil([&] { return f.next->Focused(); }, 1000));
    TestHooks::SendKey(*f.next, VK_TAB, {ssShift});
    EXPECT_TRUE(TestHooks::PumpUntil([&] { return f.edit->Focused(); }, 1000));
    f.Step("enter");
    EXPECT_EQ(f.edit->SelLength(), 2);
}

// The program's own text changes fire OnChange, which is why the silent setters detach it.
TEST(ToolkitEdit, SilentSettersDetachOnChangeWhichFiresForEveryOtherTextChange)
{
    TEditOnForm f;
    f.edit->OnChange = f.form.Logs("c");
    f.edit->SetAsString("a");
    f.edit->SetAsInteger(5);
    f.edit->SetAsFloat(2.5);
    f.edit->SetAsDateTime(EncodeDate(2020, 1, 2));
    EXPECT_EQ(f.edit->Text(), "1/2/2020");
    EXPECT_EQ(f.form.Log, "");
    EXPECT_TRUE(f.edit->OnChange.Assigned());
    f.edit->SetText("b");
    f.Step("type x");
    EXPECT_EQ(f.form.Log, "cc");
}

TEST(ToolkitEdit, TextReadAsNumbersAndDates)
{
    struct Case {
        const char* Text;
        int AsInteger;
        double AsFloat;
    };
    const Case cases[] = {
        {"42", 42, 42},
        {"  42  ", 42, 42},
        {"", 0, 0},
        {"abc", 0, 0},
        {"4.5", 0, 4.5},
        {"-7", -7, -7},
        {"1e300", 0, 1e300},
        {"99999999999", 0, 99999999999.0},
        // Words the number reader knows are no numbers a user types into an edit.
        {"NAN", 0, 0},
        {"INF", 0, 0},
        {"12abc", 0, 0},
    };
    TiComponentEditorEdit edit(nullptr);
    for (const Case& c : cases) {
        edit.SetAsString(c.Text);
        EXPECT_EQ(edit.GetAsInteger(), c.AsInteger) << '"' << c.Text << '"';
        EXPECT_EQ(edit.GetAsFloat(), c.AsFloat) << '"' << c.Text << '"';
    }
    edit.SetAsString(" 1/2/2020 ");
    EXPECT_EQ(edit.GetAsDateTime(), EncodeDate(2020, 1, 2));
    for (const char* garbage : {"", "garbage", "13/45/2020", "1/2/2020 99:00"}) {
        edit.SetAsString(garbage);
        EXPECT_THROW(edit.GetAsDateTime(), EConvertError) << garbage;
    }
}

TEST(ToolkitEdit, DisableClearsSilentlyAndGreysTheBackground)
{
    TEditOnForm f;
    f.edit->OnChange = f.form.Logs("c");
    f.edit->SetAsString("12");
    f.Step("type 13");  // typed, not committed
    f.form.Log.clear();
    f.edit->Disable();
    EXPECT_FALSE(f.edit->Enabled());
    EXPECT_EQ(f.edit->Text(), "");
    EXPECT_EQ(f.edit->Color(), clBtnFace);
    EXPECT_EQ(f.form.Log, "") << "the uncommitted text is dropped, not written";
    f.edit->Enable();
    EXPECT_EQ(f.edit->Color(), clWindow);
    f.Step("blur");
    EXPECT_EQ(f.form.Log, "");

    f.edit->SetAsString("log.txt");
    f.edit->DisableNoClear();
    EXPECT_EQ(f.edit->Text(), "log.txt");
    EXPECT_FALSE(f.edit->Enabled());
    // A plain Enabled change looks the same as Enable and Disable.
    f.edit->SetEnabled(true);
    EXPECT_EQ(f.edit->Color(), clWindow);
    f.edit->SetEnabled(false);
    EXPECT_EQ(f.edit->Color(), clBtnFace);
    EXPECT_EQ(f.form.Log, "");
}

TEST(ToolkitMemo, CommitsOnEnterOnlyWithoutReturnsAndOnFocusLoss)
{
    TEditorTestForm form;
    auto* memo = form.Add<TiComponentEditorMemo>("Memo", 10, 10, 150, 60);
    form.Add<TiComponentEditorEdit>("Next", 10, 80, 100, 21);
    memo->OnUpdate = form.Logs("u");
    memo->OnChange = form.Logs("c");
    memo->OnClick = form.Logs("k");
    form.ShowWithFocus(*memo);

    memo->SetAsString("one");
    EXPECT_EQ(form.Log, "") << "the silent setter detaches OnChange";
    TestHooks::SendKey(*memo, 'X', {}, "x");
    EXPECT_EQ(form.Log, "c");
    memo->SetWantReturns(false);
    TestHooks::SendKey(*memo, VK_RETURN);
    EXPECT_EQ(form.Log, "cuU");
    EXPECT_EQ(memo->Lines()->Count(), 1) << "no line break without WantReturns";
    TestHooks::SendKey(*memo, VK_ESCAPE);  // a memo has no revert
    EXPECT_EQ(form.Log, "cuU");

    memo->SetWantReturns(true);
    TestHooks::SendKey(*memo, VK_RETURN);
    EXPECT_EQ(memo->Lines()->Count(), 2);
    EXPECT_EQ(form.Log, "cuUc");
    TestHooks::SendKey(*memo, VK_TAB);
    EXPECT_TRUE(TestHooks::PumpUntil([&] { return !memo->Focused(); }, 1000));
    EXPECT_EQ(form.Log, "cuUcuU");

    // Disable detaches OnClick only: clearing the text fires OnChange, nothing reaches the form.
    form.Log.clear();
    memo->Disable();
    EXPECT_EQ(memo->Text(), "");
    EXPECT_EQ(memo->Color(), clBtnFace);
    EXPECT_EQ(form.Log, "c");
    memo->Enable();
    EXPECT_EQ(memo->Color(), clWindow);
}

namespace {

struct TComboOnForm {
    TEditorTestForm form;
    TiComponentEditorComboBox* combo = form.Add<TiComponentEditorComboBox>("Combo", 10, 10, 120, 21);

    explicit TComboOnForm(TComboBoxStyle style)
    {
        combo->SetStyle(style);
        for (const char* item : {"alpha", "beta", "gamma"})
            combo->Items()->Add(item);
        combo->OnChange = form.Logs("c");
        combo->OnClick = form.Logs("k");
        form.ShowWithFocus(*combo);
    }

    // "silent n" SetAsInteger; "silenttext s" SetAsString; "code n" ItemIndex from code; "pick n"
    // the user picks; "type s" the user types characters; and the key steps.
    void Step(const std::string& step)
    {
        const auto [verb, argument] = SplitStep(step);
        if (verb == "silent")
            combo->SetAsInteger(std::stoi(argument));
        else if (verb == "silenttext")
            combo->SetAsString(argument);
        else if (verb == "code")
            combo->SetItemIndex(std::stoi(argument));
        else if (verb == "pick")
            combo->SimulateSelect(std::stoi(argument));
        else if (verb == "type") {
            for (char ch : argument)
                TestHooks::SendKey(*combo, 'A' + (ch - 'a'), {}, std::string(1, ch));
        } else if (verb == "disable")
            combo->Disable();
        else if (!KeyStep(*combo, verb, argument))
            ADD_FAILURE() << "unknown step " << step;
    }
};

}  // namespace

TEST(ToolkitComboBox, KeyAndPickSequences)
{
    struct Case {
        const char* Why;
        TComboBoxStyle Style;
        std::vector<TStep> Steps;  // Text: the combo's text
    };
    const Case cases[] = {
        {"programmatic changes fire nothing; a pick fires OnChange and tells the form",
         csDropDownList,
         {{"silent 1", "beta", ""},
          {"code 2", "gamma", ""},
          {"pick 0", "alpha", "cU"},
          {"silenttext beta", "beta", "cU"}}},
        {"Disable empties it silently", csDropDownList, {{"pick 1", "beta", "cU"}, {"disable", "", "cU"}}},
        {"typing fires OnChange per change; Escape brings the set text back once",
         csDropDown,
         {{"silenttext beta", "beta", ""},
          {"type xy", "betaxy", "cc"},
          {"esc", "beta", "ccc"},
          {"esc", "beta", "ccc"}}},
        {"Enter keeps the typed text, so Escape has nothing to undo",
         csDropDown,
         {{"silent 0", "alpha", ""}, {"type z", "alphaz", "c"}, {"enter", "alphaz", "c"}, {"esc", "alphaz", "c"}}},
        {"Escape after a pick restores the pick",
         csDropDown,
         {{"pick 2", "gamma", "cU"}, {"type q", "gammaq", "cUc"}, {"esc", "gamma", "cUcc"}}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.Why);
        TComboOnForm f(c.Style);
        for (const TStep& s : c.Steps) {
            f.Step(s.Action);
            EXPECT_EQ(f.combo->Text(), s.Text) << s.Action;
            EXPECT_EQ(f.form.Log, s.Log) << s.Action;
        }
    }
    TComboOnForm f(csDropDownList);
    f.Step("pick 1");
    f.Step("disable");
    EXPECT_EQ(f.combo->GetAsInteger(), -1);
    EXPECT_EQ(f.combo->Color(), clBtnFace);
    EXPECT_FALSE(f.combo->Enabled());
    f.combo->Enable();
    EXPECT_EQ(f.combo->Color(), clWindow);
}

namespace {

struct TCheckBoxOnForm {
    TEditorTestForm form;
    TiComponentEditorCheckBox* box = form.Add<TiComponentEditorCheckBox>("Check", 10, 10, 97, 17);

    TCheckBoxOnForm()
    {
        box->OnChange = form.Logs("c");
        box->OnClick = form.Logs("k");
        form.ShowWithFocus(*box);
    }

    // "click", "space", "silent 0|1", "code 0|1" (SetChecked), "disable", "enable".
    void Step(const std::string& step)
    {
        const auto [verb, argument] = SplitStep(step);
        if (verb == "click")
            TestHooks::SendClick(*box, 5, 5);
        else if (verb == "space")
            TestHooks::SendKey(*box, VK_SPACE, {}, " ");
        else if (verb == "silent")
            box->SetAsBoolean(argument == "1");
        else if (verb == "code")
            box->SetChecked(argument == "1");
        else if (verb == "disable")
            box->Disable();
        else if (verb == "enable")
            box->Enable();
        else if (!KeyStep(*box, verb, argument))
            ADD_FAILURE() << "unknown step " << step;
    }
};

}  // namespace

TEST(ToolkitCheckBox, KeyMouseAndSetterSequences)
{
    const TScriptCase cases[] = {
        // Text: "1" checked, "0" not.
        {"a click fires OnChange, tells the form, then fires OnClick",
         {{"click", "1", "cUk"}, {"click", "0", "cUkcUk"}}},
        {"the space key is a click", {{"space", "1", "cUk"}}},
        {"the silent setter still fires the check box's own OnChange, but nothing else",
         {{"silent 1", "1", "c"}, {"silent 1", "1", "c"}}},
        {"a plain Checked change from code counts as a change of the form's value", {{"code 1", "1", "cUk"}}},
        {"Disable unchecks without OnClick; Enable keeps it unchecked",
         {{"silent 1", "1", "c"}, {"disable", "0", "cc"}, {"enable", "0", "cc"}}},
        {"Enter and Escape do nothing", {{"enter", "0", ""}, {"esc", "0", ""}}},
    };
    for (const TScriptCase& c : cases) {
        SCOPED_TRACE(c.Why);
        TCheckBoxOnForm f;
        for (const TStep& s : c.Steps) {
            f.Step(s.Action);
            EXPECT_EQ(f.box->GetAsBoolean() ? "1" : "0", std::string(s.Text)) << s.Action;
            EXPECT_EQ(f.form.Log, s.Log) << s.Action;
        }
    }
}

// The silent flag and the detached events come back even when the value's assignment fails.
TEST(ToolkitCheckBox, ASilentSetterThatFailsStillRestoresItsEvents)
{
    TCheckBoxOnForm f;
    f.box->OnRequestEdit = [](TObject*, const std::string&, bool&) { throw Exception("refused"); };
    EXPECT_THROW(f.box->SetAsBoolean(true), Exception);
    f.box->OnRequestEdit = nullptr;
    ASSERT_TRUE(f.box->OnClick.Assigned());
    f.Step("click");
    EXPECT_EQ(f.form.Log, "cUk") << "the form hears of the next user change";
}

// The window system shades the inside of a group box; a check box in one shows that shade
// around its box and caption, not a stripe of the form's colour.
TEST(ToolkitCheckBox, BlendsIntoTheInsideOfItsGroupBox)
{
    TEditorTestForm form;
    auto* group = form.Add<TGroupBox>("Group", 10, 10, 300, 120);
    auto* box = new TiComponentEditorCheckBox(&form);
    box->SetParent(group);
    box->iSetAutoSize(false);
    box->SetBounds(20, 40, 160, 17);
    box->SetCaption("Show");
    form.Show();
    TestHooks::PumpUntil([&] { return form.Showing(); }, 2000);
    TBitmap picture;
    TestHooks::GrabControl(form, picture);
    const int y = group->Top() + box->Top() + box->Height() / 2;
    const TColor inside = picture.Canvas().GetPixel(group->Left() + box->Left() + box->Width() + 10, y);
    EXPECT_EQ(picture.Canvas().GetPixel(group->Left() + box->Left() + box->Width() - 4, y), inside)
        << "right of the caption";
    EXPECT_EQ(picture.Canvas().GetPixel(group->Left() + box->Left() + 40, group->Top() + box->Top() + 1), inside)
        << "above the caption";
}

namespace {

struct TRadioGroupOnForm {
    TEditorTestForm form;
    TiComponentEditorRadioGroup* group = form.Add<TiComponentEditorRadioGroup>("Radio", 10, 10, 120, 90);

    TRadioGroupOnForm()
    {
        for (const char* item : {"A", "B", "C"})
            group->Items()->Add(item);
        group->SetItemIndex(0);
        group->OnChange = form.Logs("c");
        group->OnClick = form.Logs("k");
        form.ShowWithFocus(*group);
        group->Repaint();  // the item layout comes from a paint
    }

    TPoint ItemPoint(int index) const
    {
        for (int y = 0; y < group->Height(); ++y) {
            if (group->GetMouseItemIndex(20, y) == index)
                return {20, y};
        }
        ADD_FAILURE() << "no row of item " << index;
        return {0, 0};
    }

    // "pick n" press and release on item n; "slide a-b" press on a, release on b; "right",
    // "silent n", "code n", "disable", "enable".
    void Step(const std::string& step)
    {
        const auto [verb, argument] = SplitStep(step);
        if (verb == "pick") {
            const TPoint p = ItemPoint(std::stoi(argument));
            TestHooks::SendClick(*group, p.X, p.Y);
        } else if (verb == "slide") {
            const TPoint from = ItemPoint(argument[0] - '0');
            const TPoint to = ItemPoint(argument[2] - '0');
            TestHooks::SendMouseDown(*group, mbLeft, from.X, from.Y);
            TestHooks::SendMouseUp(*group, mbLeft, to.X, to.Y);
        } else if (verb == "right")
            TestHooks::SendKey(*group, VK_RIGHT);
        else if (verb == "silent")
            group->SetAsInteger(std::stoi(argument));
        else if (verb == "code")
            group->SetItemIndex(std::stoi(argument));
        else if (verb == "disable")
            group->Disable();
        else if (verb == "enable")
            group->Enable();
        else if (!KeyStep(*group, verb, argument))
            ADD_FAILURE() << "unknown step " << step;
    }
};

}  // namespace

TEST(ToolkitRadioGroup, KeyMouseAndSetterSequences)
{
    const TScriptCase cases[] = {
        // Text: the item index.
        {"a selection by the mouse fires OnChange, then OnClick and the form's UserChange once it stands",
         {{"pick 1", "1", "ckU"}}},
        {"picking the selected item changes nothing", {{"pick 0", "0", ""}}},
        {"a press on one item and a release on another selects nothing", {{"slide 1-2", "0", ""}}},
        {"the arrow keys fire OnChange only", {{"right", "1", "c"}, {"right", "2", "cc"}}},
        {"the silent setter fires nothing", {{"silent 2", "2", ""}}},
        {"ItemIndex from code fires OnChange only", {{"code 2", "2", "c"}}},
        {"Disable selects none without OnClick", {{"disable", "-1", "c"}, {"enable", "-1", "c"}}},
        {"Escape does nothing", {{"esc", "0", ""}}},
    };
    for (const TScriptCase& c : cases) {
        SCOPED_TRACE(c.Why);
        TRadioGroupOnForm f;
        for (const TStep& s : c.Steps) {
            f.Step(s.Action);
            EXPECT_EQ(std::to_string(f.group->GetAsInteger()), s.Text) << s.Action;
            EXPECT_EQ(f.form.Log, s.Log) << s.Action;
        }
    }
}

// A control whose owner is no editor form reports to nobody, and works all the same.
TEST(ToolkitForm, ControlsOwnedByOtherFormsTellNobody)
{
    TForm plain(nullptr);
    auto* edit = new TiComponentEditorEdit(&plain);
    edit->SetParent(&plain);
    std::string log;
    edit->OnUpdate = [&](TObject*) { log += "u"; };
    edit->SetStringWithEvent("1");
    EXPECT_EQ(log, "u");
    TiCustomEditorForm form(nullptr);
    EXPECT_TRUE(form.AutoScroll());
}

// Every toolkit control hands the focus on with Tab (back with Shift+Tab) in tab order. A
// form's default and cancel button (here a plain button that is both, which no editor form
// has) never hears of Enter or Escape from the controls that keep those keys.
TEST(ToolkitKeys, TabMovesOnFromEveryControlAndTheDialogKeysStayWhereTheyBelong)
{
    TEditorTestForm form;
    struct Row {
        TWinControl* Control;
        bool KeepsEnter;
        bool KeepsEscape;
    };
    int top = 0;
    auto add = [&](auto* control) {
        control->SetTabOrder(top);
        control->SetTop(5 + 22 * top);
        ++top;
        return control;
    };
    auto* pages = form.Add<TiComponentEditorPageControl>("Pages", 200, 0, 150, 60);
    auto* sheet = new TTabSheet(&form);
    sheet->SetPageControl(pages);
    sheet->SetCaption("Page");
    auto* combo = form.Add<TiComponentEditorComboBox>("Combo", 10, 0, 100, 21);
    combo->SetStyle(csDropDownList);
    combo->Items()->Add("one");
    auto* list = form.Add<TiComponentEditorListBox>("List", 10, 0, 100, 20);
    list->Items()->Add("one");
    auto* radio = form.Add<TiComponentEditorRadioGroup>("Radio", 10, 0, 100, 20);
    radio->Items()->Add("one");
    const Row rows[] = {
        {add(form.Add<TiComponentEditorEdit>("Edit", 10, 0, 100, 21)), true, true},
        {add(form.Add<TiComponentEditorMemo>("Memo", 10, 0, 100, 20)), true, false},
        {add(combo), true, true},
        {add(list), true, true},
        {add(form.Add<TiComponentEditorCheckBox>("Check", 10, 0, 100, 17)), true, true},
        {add(radio), true, true},
        {add(form.Add<TiComponentEditorColorPicker>("Color", 10, 0, 47, 21)), true, true},
        {add(form.Add<TiComponentEditorButton>("Button", 10, 0, 75, 21)), false, false},
        {add(form.Add<TiComponentEditorComputerPicker>("Computer", 10, 0, 25, 21)), false, false},
        {add(form.Add<TiComponentEditorFontPicker>("Font", 10, 0, 75, 21)), true, true},
        {add(form.Add<TiComponentEditorOpenPicker>("Open", 10, 0, 75, 21)), true, true},
        {add(form.Add<TiComponentEditorSavePicker>("Save", 10, 0, 75, 21)), true, true},
        {add(form.Add<TiComponentEditorValueConverterPicker>("Converter", 10, 0, 21, 21)), true, true},
        {add(pages), true, true},
    };
    auto* sentinel = form.Add<TButton>("Sentinel", 300, 250, 75, 21);
    sentinel->SetTabOrder(top);
    sentinel->SetDefault(true);
    sentinel->SetCancel(true);
    sentinel->OnClick = form.Logs("!");
    TestHooks::TModalScript noDialogs;  // a picker that wrongly took a key as a click shows nothing
    form.ShowWithFocus(*rows[0].Control);

    const int n = int(std::size(rows));
    for (int i = 0; i < n; ++i) {
        TWinControl& control = *rows[i].Control;
        SCOPED_TRACE(control.Name());
        control.SetFocus();
        ASSERT_TRUE(TestHooks::PumpUntil([&] { return control.Focused(); }, 1000));
        form.Log.clear();
        TestHooks::SendKey(control, VK_RETURN);
        EXPECT_EQ(form.Log, rows[i].KeepsEnter ? "" : "!") << "Enter";
        form.Log.clear();
        TestHooks::SendKey(control, VK_ESCAPE);
        EXPECT_EQ(form.Log, rows[i].KeepsEscape ? "" : "!") << "Escape";
        EXPECT_TRUE(noDialogs.Shown.empty());

        TWinControl& next = i + 1 < n ? *rows[i + 1].Control : *sentinel;
        TestHooks::SendKey(control, VK_TAB);
        EXPECT_TRUE(TestHooks::PumpUntil([&] { return next.Focused(); }, 1000)) << "Tab";
        TestHooks::SendKey(next, VK_TAB, {ssShift});
        if (&next != sentinel) {  // the sentinel is no toolkit control
            EXPECT_TRUE(TestHooks::PumpUntil([&] { return control.Focused(); }, 1000)) << "Shift+Tab";
        }
    }
}

// One call switches a page of controls by their names' prefix, each kind the way that suits it,
// and the form hears of none of it.
TEST(ToolkitForm, EnableAndDisableByPrefix)
{
    TEditorTestForm form;
    auto* edit = form.Add<TiComponentEditorEdit>("ChSpanEdit", 0, 0, 80, 21);
    auto* combo = form.Add<TiComponentEditorComboBox>("ChStyleCombo", 0, 0, 80, 21);
    auto* check = form.Add<TiComponentEditorCheckBox>("chVisible", 0, 0, 80, 17);
    auto* radio = form.Add<TiComponentEditorRadioGroup>("CHOrientation", 0, 0, 80, 40);
    auto* memo = form.Add<TiComponentEditorMemo>("ChTitleMemo", 0, 0, 80, 40);
    auto* list = form.Add<TiComponentEditorListBox>("ChList", 0, 0, 80, 40);
    auto* color = form.Add<TiComponentEditorColorPicker>("ChColor", 0, 0, 47, 21);
    auto* open = form.Add<TiComponentEditorOpenPicker>("ChOpen", 0, 0, 75, 25);
    auto* label = form.Add<TLabel>("ChLabel", 0, 0, 80, 16);
    auto* pages = form.Add<TiComponentEditorPageControl>("ChPages", 0, 0, 80, 40);
    auto* other = form.Add<TiComponentEditorEdit>("SpanEdit", 0, 0, 80, 21);
    auto* upEdit = form.Add<TiComponentEditorEdit>("CountEdit", 0, 0, 80, 21);
    auto* upDown = form.Add<TiUpDown>("ChCountUpDown", 0, 0, 15, 21);
    upDown->SetAssociate(upEdit);
    for (auto* c : {combo})
        c->Items()->Add("one");
    radio->Items()->Add("one");
    edit->SetAsString("5");
    combo->SetAsInteger(0);
    check->SetAsBoolean(true);
    radio->SetAsInteger(0);
    memo->SetAsString("title");
    other->SetAsString("7");
    upEdit->SetAsString("3");
    form.Log.clear();

    DisableAllEditControlsStartingWith(&form, "ch");
    EXPECT_EQ(edit->Text(), "");
    EXPECT_EQ(combo->GetAsInteger(), -1);
    EXPECT_FALSE(check->GetAsBoolean());
    EXPECT_EQ(radio->GetAsInteger(), -1);
    EXPECT_EQ(memo->Text().find("title"), 0u) << "a memo is only greyed";
    EXPECT_EQ(upEdit->Text(), "") << "the up-down disables its edit";
    for (TControl* c :
         std::initializer_list<TControl*>{edit, combo, check, radio, memo, list, color, open, upDown, upEdit})
        EXPECT_FALSE(c->Enabled()) << c->Name();
    EXPECT_FALSE(color->Button()->Enabled());
    EXPECT_TRUE(label->Enabled());
    EXPECT_TRUE(pages->Enabled());
    EXPECT_TRUE(other->Enabled());
    EXPECT_EQ(other->Text(), "7");
    EXPECT_EQ(form.Log, "");

    EnableAllEditControlsStartingWith(&form, "CH");
    for (TControl* c :
         std::initializer_list<TControl*>{edit, combo, check, radio, memo, list, color, open, upDown, upEdit})
        EXPECT_TRUE(c->Enabled()) << c->Name();
    EXPECT_EQ(edit->Color(), clWindow);
    EXPECT_EQ(form.Log, "");
}

// Editor forms are built from form descriptions: the toolkit's classes are found by name, their
// declared defaults hold, and references place the up-downs and pickers beside their edits.
TEST(ToolkitForm, ControlsReadFromAFormDescription)
{
    TiCustomEditorForm form(nullptr);
    ReadComponentFromText(form, R"(
        TiCustomEditorForm AxisPage {
          TiComponentEditorEdit SpanEdit { Left = 20 Top = 30 Width = 80 }
          TiUpDown SpanUpDown { Associate = SpanEdit Max = 0 Increment = 5 }
          TiComponentEditorEdit MinEdit { Left = 20 Top = 60 Width = 80 }
          TiComponentEditorValueConverterPicker MinPicker { Associate = MinEdit DefaultPage = ivcptDateTime }
          TiComponentEditorListBox ChannelList { Left = 20 Top = 90 Width = 100 Height = 80 }
          TiComponentEditorOpenPicker LogPicker { Left = 130 Top = 90 Filter = "Logs|*.log" AllowMultiSelect = True }
          TiComponentEditorPageControl Pages { Left = 200 Top = 0 Width = 100 Height = 100 TabIndex = 2 }
        }
    )");
    auto* span = form.FindControl<TiComponentEditorEdit>("SpanEdit");
    EXPECT_EQ(span->Height(), 21);
    auto* upDown = form.FindControl<TiUpDown>("SpanUpDown");
    EXPECT_EQ(upDown->Associate(), span);
    EXPECT_EQ(upDown->BoundsRect(), (TRect{100, 30, 115, 51}));
    EXPECT_EQ(upDown->Increment(), 5);
    auto* picker = form.FindControl<TiComponentEditorValueConverterPicker>("MinPicker");
    EXPECT_EQ(picker->BoundsRect(), (TRect{100, 60, 121, 81}));
    EXPECT_EQ(picker->DefaultPage(), ivcptDateTime);
    auto* list = form.FindControl<TiComponentEditorListBox>("ChannelList");
    EXPECT_EQ(list->Style(), lbOwnerDrawFixed);
    EXPECT_EQ(list->DragMode(), dmAutomatic);
    auto* log = form.FindControl<TiComponentEditorOpenPicker>("LogPicker");
    EXPECT_EQ(log->Caption(), "Open");
    EXPECT_EQ(log->Width(), 75);
    EXPECT_TRUE(log->AllowMultiSelect());
    EXPECT_EQ(form.FindControl<TiComponentEditorPageControl>("Pages")->TabIndex(), 2);

    // Written back, the declared defaults stay out of the text.
    const std::string text = WriteComponentToText(form);
    EXPECT_EQ(text.find("Style = lb"), std::string::npos) << text;
    EXPECT_EQ(text.find("DragMode ="), std::string::npos) << text;
    EXPECT_NE(text.find("TabIndex = 2"), std::string::npos) << text;
}

TEST(ToolkitPaintBox, PaintsThroughOnPaintAndOutlinesItselfWhileDesigned)
{
    TEditorTestForm form;
    auto* box = form.Add<TiPaintBox>("Preview", 10, 10, 60, 40);
    EXPECT_FALSE(box->TabStop());
    int paints = 0;
    box->OnPaint = [&](TObject* sender) {
        ++paints;
        EXPECT_EQ(sender, box);
        box->Canvas()->Brush().SetColor(clYellow);
        box->Canvas()->FillRect(TRect{20, 10, 40, 30});
    };
    form.Show();
    TBitmap shown, designed;
    TestHooks::GrabControl(*box, shown);
    EXPECT_GT(paints, 0);
    EXPECT_EQ(shown.Canvas().GetPixel(30, 20), clYellow);
    EXPECT_EQ(shown.Canvas().GetPixel(0, 0), ColorToRGB(box->Color()));
    iSetDesigning(box);
    TestHooks::GrabControl(*box, designed);
    EXPECT_EQ(designed.Canvas().GetPixel(0, 0), clBlack) << "the dashed outline starts with a dash";
    EXPECT_EQ(designed.Canvas().GetPixel(30, 20), clYellow);
}
