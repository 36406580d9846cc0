// The editor toolkit's form, its shared routines, and its text, choice and container
// controls. The list box, the up-down and the pickers have files of their own.

#include "editors/iEditorBasicComponents.h"

#include "editors/iEditorBasicComponents_p.h"
#include "platform/canvas/Graphics.h"
#include "platform/canvas/SystemColors.h"
#include "platform/core/Conversions.h"
#include "platform/core/StrUtils.h"
#include "platform/gui/Keys.h"

#include <cmath>

// ---------------------------------------------------------------------------------------------
// The form and the shared routines

TiCustomEditorForm::TiCustomEditorForm(TComponent* owner) : TForm(owner) { SetAutoScroll(true); }

void TiCustomEditorForm::UserChange() {}

void NotifyUserChange(TComponent* control)
{
    if (auto* form = dynamic_cast<TiCustomEditorForm*>(control->Owner()))
        form->UserChange();
}

TiSilentScope::TiSilentScope(bool& silent, std::initializer_list<TNotifyEvent*> events) : m_flag(silent)
{
    for (TNotifyEvent* event : events)
        m_saved.emplace_back(event, std::exchange(*event, nullptr));
}

TiSilentScope::~TiSilentScope()
{
    for (auto& [event, handler] : m_saved)
        *event = std::move(handler);
}

void ToolkitKeyDown(TWinControl& control, int& key, TShiftState shift, bool keepDialogKeys)
{
    if (key == VK_TAB) {
        key = 0;
        TForm* form = dynamic_cast<TForm*>(control.Owner());
        if (!form)
            form = control.ParentForm();
        if (form)
            form->SelectNext(&control, !shift.count(ssShift), true);
    } else if (keepDialogKeys && (key == VK_RETURN || key == VK_ESCAPE)) {
        key = 0;
    }
}

void ToolkitKeyPress(char& key, bool keepDialogKeys)
{
    if (key == '\t' || (keepDialogKeys && (key == '\r' || key == 27)))
        key = 0;
}

namespace {

// The controls whose own Disable and Enable the page switch uses; every other control is
// switched by Enabled alone.
template <class T>
bool SwitchToolkitControl(TComponent* component, bool enable)
{
    auto* control = dynamic_cast<T*>(component);
    if (!control)
        return false;
    if (enable)
        control->Enable();
    else
        control->Disable();
    return true;
}

using TSwitchFunction = bool (*)(TComponent*, bool);
constexpr TSwitchFunction kToolkitSwitches[] = {
    &SwitchToolkitControl<TiComponentEditorComboBox>,
    &SwitchToolkitControl<TiComponentEditorRadioGroup>,
    &SwitchToolkitControl<TiComponentEditorEdit>,
    &SwitchToolkitControl<TiComponentEditorCheckBox>,
    &SwitchToolkitControl<TiComponentEditorColorPicker>,
    &SwitchToolkitControl<TiComponentEditorFontPicker>,
    &SwitchToolkitControl<TiUpDown>,
};

void SwitchEditControls(TComponent* form, const std::string& prefix, bool enable)
{
    for (int i = 0; i < form->ComponentCount(); ++i) {
        TComponent* component = form->Components(i);
        if (!SameText(std::string_view(component->Name()).substr(0, prefix.size()), prefix))
            continue;
        if (dynamic_cast<TPageControl*>(component) || dynamic_cast<TTabSheet*>(component) ||
            dynamic_cast<TLabel*>(component))
            continue;
        bool switched = false;
        for (TSwitchFunction apply : kToolkitSwitches) {
            if ((switched = apply(component, enable)))
                break;
        }
        if (auto* control = dynamic_cast<TControl*>(component); control && !switched)
            control->SetEnabled(enable);
    }
}

}  // namespace

void DisableAllEditControlsStartingWith(TComponent* form, const std::string& prefix)
{
    SwitchEditControls(form, prefix, false);
}

void EnableAllEditControlsStartingWith(TComponent* form, const std::string& prefix)
{
    SwitchEditControls(form, prefix, true);
}

// ---------------------------------------------------------------------------------------------
// TiComponentEditorEdit

TiComponentEditorEdit::TiComponentEditorEdit(TComponent* owner) : TEdit(owner) { SetHeight(21); }

int TiComponentEditorEdit::GetAsInteger() const
{
    int value = 0;
    return TryStrToInt(Trim(Text()), value) ? value : 0;
}

// "NAN" and "INF" are no numbers a user means: they read as 0 like any other text.
double TiComponentEditorEdit::GetAsFloat() const
{
    double value = 0;
    return TryStrToFloat(Trim(Text()), value) && std::isfinite(value) ? value : 0;
}

TDateTime TiComponentEditorEdit::GetAsDateTime() const { return StrToDateTime(Trim(Text())); }

void TiComponentEditorEdit::SetTextSilently(const std::string& text)
{
    TiSilentScope silent(m_silent, {&OnChange});
    SetText(text);
    m_committedText = Text();
}

void TiComponentEditorEdit::SetAsInteger(int value) { SetTextSilently(IntToStr(value)); }
void TiComponentEditorEdit::SetAsFloat(double value) { SetTextSilently(FloatToStr(value)); }
void TiComponentEditorEdit::SetAsString(const std::string& value) { SetTextSilently(value); }
void TiComponentEditorEdit::SetAsDateTime(TDateTime value) { SetTextSilently(DateTimeToStr(value)); }

void TiComponentEditorEdit::SetStringWithEvent(const std::string& value)
{
    SetText(value);
    // A changed text tells the form through the commit; an unchanged one still tells it.
    const std::string before = m_committedText;
    DoUpdate();
    if (m_committedText == before || m_silent)
        NotifyUserChange(this);
}

void TiComponentEditorEdit::SetIntegerWithEvent(int value) { SetStringWithEvent(IntToStr(value)); }
void TiComponentEditorEdit::SetDoubleWithEvent(double value) { SetStringWithEvent(FloatToStr(value)); }

void TiComponentEditorEdit::DoUpdate()
{
    const std::string text = Text();
    if (text == m_committedText)
        return;
    m_committedText = text;
    OnUpdate(this);
    if (!m_silent)
        NotifyUserChange(this);
}

void TiComponentEditorEdit::SetEnabled(bool enabled)
{
    TEdit::SetEnabled(enabled);
    SetColor(enabled ? clWindow : clBtnFace);
}

void TiComponentEditorEdit::Enable() { SetEnabled(true); }

// The text goes before the edit is disabled: a focused edit loses the focus then, and its
// commit must find nothing typed to write.
void TiComponentEditorEdit::Disable()
{
    TiSilentScope silent(m_silent, {&OnChange});
    SetText("");
    m_committedText.clear();
    SetEnabled(false);
}

void TiComponentEditorEdit::DisableNoClear()
{
    TiSilentScope silent(m_silent, {&OnChange});
    SetEnabled(false);
}

void TiComponentEditorEdit::KeyDown(int& key, TShiftState shift)
{
    TEdit::KeyDown(key, shift);
    ToolkitKeyDown(*this, key, shift, false);
    if (key == VK_RETURN)
        DoUpdate();
}

void TiComponentEditorEdit::KeyPress(char& key)
{
    switch (key) {
    case '\n': key = 0; break;
    case '\r':
        DoUpdate();
        key = 0;
        SelectAll();
        break;
    case 27:
        key = 0;
        SetText(m_committedText);
        SelectAll();
        break;
    default: ToolkitKeyPress(key, false); break;
    }
    TEdit::KeyPress(key);
}

void TiComponentEditorEdit::DoExit(TWinControl* to)
{
    TEdit::DoExit(to);
    DoUpdate();
}

// ---------------------------------------------------------------------------------------------
// TiComponentEditorMemo

TiComponentEditorMemo::TiComponentEditorMemo(TComponent* owner) : TMemo(owner) {}

void TiComponentEditorMemo::SetAsString(const std::string& value)
{
    TiSilentScope silent(m_silent, {&OnClick, &OnChange});
    SetText(value);
    m_committedText = Text();
}

void TiComponentEditorMemo::DoUpdate()
{
    const std::string text = Text();
    if (text == m_committedText)
        return;
    m_committedText = text;
    OnUpdate(this);
    if (!m_silent)
        NotifyUserChange(this);
}

void TiComponentEditorMemo::Enable()
{
    SetEnabled(true);
    SetColor(clWindow);
}

void TiComponentEditorMemo::Disable()
{
    TiSilentScope silent(m_silent, {&OnClick});
    SetText("");
    m_committedText = Text();
    SetEnabled(false);
    SetColor(clBtnFace);
}

void TiComponentEditorMemo::KeyDown(int& key, TShiftState shift)
{
    TMemo::KeyDown(key, shift);
    ToolkitKeyDown(*this, key, shift, false);
    if (key == VK_RETURN && !WantReturns()) {
        DoUpdate();
        key = 0;
    }
}

void TiComponentEditorMemo::KeyPress(char& key)
{
    if (key == '\r' && !WantReturns())
        key = 0;
    ToolkitKeyPress(key, false);
    TMemo::KeyPress(key);
}

void TiComponentEditorMemo::DoExit(TWinControl* to)
{
    TMemo::DoExit(to);
    DoUpdate();
}

// ---------------------------------------------------------------------------------------------
// TiComponentEditorComboBox

TiComponentEditorComboBox::TiComponentEditorComboBox(TComponent* owner) : TComboBox(owner) {}

template <class Fn>
void TiComponentEditorComboBox::SetSilently(Fn&& assign)
{
    TiSilentScope silent(m_silent, {&OnChange});
    assign();
    m_committedText = Text();
}

void TiComponentEditorComboBox::SetAsInteger(int value)
{
    SetSilently([&] { SetItemIndex(value); });
}

void TiComponentEditorComboBox::SetAsString(const std::string& value)
{
    SetSilently([&] { SetText(value); });
}

void TiComponentEditorComboBox::Select()
{
    TComboBox::Select();
    m_committedText = Text();
    if (!m_silent)
        NotifyUserChange(this);
}

void TiComponentEditorComboBox::Enable()
{
    SetEnabled(true);
    SetColor(clWindow);
}

void TiComponentEditorComboBox::Disable()
{
    SetSilently([&] {
        SetEnabled(false);
        SetColor(clBtnFace);
        SetItemIndex(-1);
        SetText("");
    });
}

// Escape brings the last set, picked or entered text back as the user's own change, so the
// typing it undoes is undone where OnChange took it too.
void TiComponentEditorComboBox::KeyDown(int& key, TShiftState shift)
{
    TComboBox::KeyDown(key, shift);
    ToolkitKeyDown(*this, key, shift, false);
    if (key == VK_RETURN) {
        m_committedText = Text();
        key = 0;
    } else if (key == VK_ESCAPE) {
        key = 0;
        if (Text() != m_committedText) {
            SetText(m_committedText);
            Change();
        }
    }
}

void TiComponentEditorComboBox::KeyPress(char& key)
{
    ToolkitKeyPress(key, true);
    TComboBox::KeyPress(key);
}

// ---------------------------------------------------------------------------------------------
// TiComponentEditorCheckBox

TiComponentEditorCheckBox::TiComponentEditorCheckBox(TComponent* owner) : TiCheckBox(owner) { SetTransparent(true); }

void TiComponentEditorCheckBox::SetAsBoolean(bool value)
{
    TiSilentScope silent(m_silent, {&OnClick});
    SetChecked(value);
}

// Nothing reaches the form while the box is read from its form description.
void TiComponentEditorCheckBox::DoChange()
{
    TiCheckBox::DoChange();
    if (GetLoading())
        return;
    if (!m_silent)
        NotifyUserChange(this);
    OnClick(this);
}

void TiComponentEditorCheckBox::Enable() { SetEnabled(true); }

void TiComponentEditorCheckBox::Disable()
{
    TiSilentScope silent(m_silent, {&OnClick});
    SetEnabled(false);
    SetChecked(false);
}

void TiComponentEditorCheckBox::KeyDown(int& key, TShiftState shift)
{
    ToolkitKeyDown(*this, key, shift, false);
    TiCheckBox::KeyDown(key, shift);
}

// ---------------------------------------------------------------------------------------------
// TiComponentEditorRadioGroup

TiComponentEditorRadioGroup::TiComponentEditorRadioGroup(TComponent* owner) : TiRadioGroup(owner) {}

void TiComponentEditorRadioGroup::SetAsInteger(int value)
{
    TiSilentScope silent(m_silent, {&OnClick, &OnChange});
    SetItemIndex(value);
}

// The click of a selection comes once the selection stands; the platform's own click on the
// release would come before it, and is switched off.
void TiComponentEditorRadioGroup::DoChange()
{
    TiRadioGroup::DoChange();
    if (UserChanging() && !GetLoading())
        Click();
}

void TiComponentEditorRadioGroup::Click()
{
    TiRadioGroup::Click();
    if (!m_silent)
        NotifyUserChange(this);
}

void TiComponentEditorRadioGroup::Enable() { SetEnabled(true); }

void TiComponentEditorRadioGroup::Disable()
{
    TiSilentScope silent(m_silent, {&OnClick});
    SetEnabled(false);
    SetItemIndex(-1);
}

void TiComponentEditorRadioGroup::KeyDown(int& key, TShiftState shift)
{
    ToolkitKeyDown(*this, key, shift, false);
    TiRadioGroup::KeyDown(key, shift);
}

// ---------------------------------------------------------------------------------------------
// Containers, buttons, paint box

TiComponentEditorPageControl::TiComponentEditorPageControl(TComponent* owner) : TPageControl(owner) {}

void TiComponentEditorPageControl::KeyDown(int& key, TShiftState shift)
{
    TPageControl::KeyDown(key, shift);
    ToolkitKeyDown(*this, key, shift, true);
}

void TiComponentEditorPageControl::KeyPress(char& key)
{
    ToolkitKeyPress(key, true);
    TPageControl::KeyPress(key);
}

TiComponentEditorButton::TiComponentEditorButton(TComponent* owner) : TButton(owner) {}

void TiComponentEditorButton::KeyDown(int& key, TShiftState shift)
{
    TButton::KeyDown(key, shift);
    ToolkitKeyDown(*this, key, shift, KeepsDialogKeys());
}

void TiComponentEditorButton::KeyPress(char& key)
{
    ToolkitKeyPress(key, KeepsDialogKeys());
    TButton::KeyPress(key);
}

TiComponentEditorPanel::TiComponentEditorPanel(TComponent* owner) : TPanel(owner) {}

TiComponentEditorGroupBox::TiComponentEditorGroupBox(TComponent* owner) : TGroupBox(owner) {}

TiPaintBox::TiPaintBox(TComponent* owner) : TCustomControl(owner) { SetTabStop(false); }

void TiPaintBox::Paint()
{
    TCanvas& canvas = *Canvas();
    canvas.Brush().SetColor(Color());
    canvas.FillRect(ClientRect());
    if (IsDesigning()) {
        // The outline's pen and clear brush stay out of what OnPaint draws.
        TCanvasStateSaver saved(canvas);
        canvas.Pen().SetStyle(psDash);
        canvas.Pen().SetColor(clBlack);
        canvas.Brush().SetStyle(bsClear);
        canvas.Rectangle(ClientRect());
    }
    OnPaint(this);
}

// ---------------------------------------------------------------------------------------------
// Published properties

PRAVIX_PUBLISH(TiCustomEditorForm, Redeclare("AutoScroll").Default(true))

PRAVIX_PUBLISH(TiComponentEditorEdit, Redeclare("Height").Default(21),
               Field("OnUpdate", &TiComponentEditorEdit::OnUpdate))

PRAVIX_PUBLISH(TiComponentEditorMemo, Field("OnUpdate", &TiComponentEditorMemo::OnUpdate))

PRAVIX_PUBLISH(TiComponentEditorComboBox)
PRAVIX_PUBLISH(TiComponentEditorCheckBox)
PRAVIX_PUBLISH(TiComponentEditorRadioGroup)

PRAVIX_PUBLISH(TiComponentEditorPageControl,
               Prop("TabIndex", &TiComponentEditorPageControl::TabIndex, &TiComponentEditorPageControl::SetTabIndex))

PRAVIX_PUBLISH(TiComponentEditorButton)
PRAVIX_PUBLISH(TiComponentEditorPanel)
PRAVIX_PUBLISH(TiComponentEditorGroupBox)

PRAVIX_PUBLISH(TiPaintBox, Prop("Align", &TControl::Align, &TControl::SetAlign).Default(alNone),
               Field("OnPaint", &TiPaintBox::OnPaint))
