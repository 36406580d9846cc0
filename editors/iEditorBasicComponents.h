#pragma once
// The editor toolkit: the controls every run-time editor form is built from. Each is a
// control of the class library (or a small self-drawn one) under one contract:
//
// - Typed accessors: GetAs... read the shown value; SetAs... (and SetColor, SetFont) are the
//   silent setters that code uses to fill a control from a data object: they detach the
//   control's change events, raise its silent flag, set the value and put both back, also
//   when the assignment raises, so they fire nothing and tell the form nothing.
// - A user's change (typing committed by Enter or by leaving, a pick, a click, a dialog
//   confirmed) or a ...WithEvent setter commits the value, fires the control's own event
//   (OnUpdate, OnClick or OnChange) and calls UserChange of the owning TiCustomEditorForm.
//   Edit and memo OnChange fire on every text change, which is why the silent setters detach
//   them; combo box and list box events never fire for changes made by code.
// - Disable greys the control and clears its value silently, so a page with nothing selected
//   shows empty, inert controls; Enable makes it live again.
// - Keys: Tab and Shift+Tab move the focus through the form from every toolkit control;
//   Enter commits and Escape reverts an edit (and a combo box's text), and neither ever
//   reaches a form's default or cancel button. The check box, radio group, list box, page
//   control, colour picker and the file, font and value-converter pickers keep Enter and
//   Escape to themselves; a plain button and a memo let them go on to the form.
//
//     auto* edit = FindControl<TiComponentEditorEdit>("SpanEdit");
//     edit->OnUpdate = [&](TObject*) { axis->SetSpan(edit->GetAsFloat()); };
//     edit->SetAsFloat(axis->Span());   // fills, fires nothing
//
// DisableAllEditControlsStartingWith / EnableAllEditControlsStartingWith switch a whole page
// (every control whose name starts with a prefix) at once.
//
// The plot reaches the editors only through hooks (plot/core/iPlotEditorHooks.h); the library
// registers them when it is loaded, and a program that uses the editors only through the plot
// calls RegisterEditorHooks at start, which also makes it load the library.

#include "editors/EditorsLayer.h"

#include "components/iCheckBox.h"
#include "components/iRadioGroup.h"
#include "platform/core/DateTime.h"
#include "platform/core/Scoped.h"
#include "platform/core/StringList.h"
#include "platform/gui/ComCtrls.h"
#include "platform/gui/ExtCtrls.h"
#include "platform/gui/Forms.h"
#include "platform/gui/StdCtrls.h"

#include <initializer_list>
#include <memory>
#include <string>
#include <utility>
#include <vector>

class TTimer;

// Registers the plot's hooks that the editors serve: the image Save's picker. Registering again
// changes nothing.
void RegisterEditorHooks();

PRAVIX_ENUM(TiValueConverterPageType, ivcptInterval, ivcptDateTime, ivcptPrice32nd)

// Translates the texts of a form (the plot's translation table).
using TFormTranslationMethod = Event<TForm*>;
// Asks for the look of one list item: (index, draw the colour box, its colour, the text).
using TiListBoxGetDataEvent = Event<int, bool&, TColor&, std::string&>;

// ---------------------------------------------------------------------------------------------
// The form and the shared routines

// The base of the editor forms whose controls write through at once.
class TiCustomEditorForm : public TForm {
    PRAVIX_CLASS(TiCustomEditorForm, TForm)
public:
    explicit TiCustomEditorForm(TComponent* owner);
    // A toolkit control owned by the form reports a change made by the user. Empty here.
    virtual void UserChange();
};

// Calls UserChange of the component's owner when that is an editor form.
void NotifyUserChange(TComponent* control);

// The silent-setter protocol: detaches the events and raises the silent flag for a scope;
// both come back however the scope ends.
class TiSilentScope {
public:
    TiSilentScope(bool& silent, std::initializer_list<TNotifyEvent*> events);
    ~TiSilentScope();
    TiSilentScope(const TiSilentScope&) = delete;
    TiSilentScope& operator=(const TiSilentScope&) = delete;

private:
    TScopedFlag m_flag;
    std::vector<std::pair<TNotifyEvent*, TNotifyEvent>> m_saved;
};

// For every component owned by `form` whose name starts with prefix (ignoring case), except
// page controls, tab sheets and labels: the toolkit's Disable / Enable for the combo box,
// radio group, edit, check box, colour picker, font picker and up-down, and Enabled false /
// true for every other control (list boxes, memos, buttons and the other pickers).
void DisableAllEditControlsStartingWith(TComponent* form, const std::string& prefix);
void EnableAllEditControlsStartingWith(TComponent* form, const std::string& prefix);

// ---------------------------------------------------------------------------------------------
// Text controls

class TiComponentEditorEdit : public TEdit {
    PRAVIX_CLASS(TiComponentEditorEdit, TEdit)
public:
    explicit TiComponentEditorEdit(TComponent* owner);

    // The trimmed text as a number; 0 when it is empty or no number.
    int GetAsInteger() const;
    double GetAsFloat() const;
    std::string GetAsString() const { return Text(); }
    // The trimmed text as a date and time of the region's formats; raises EConvertError when
    // it is none.
    TDateTime GetAsDateTime() const;

    // Silent: text and committed text both.
    void SetAsInteger(int value);
    void SetAsFloat(double value);
    void SetAsString(const std::string& value);
    void SetAsDateTime(TDateTime value);

    // As if the user had typed the value and pressed Enter: commits (OnUpdate) and calls the
    // form's UserChange once, even when the text stays the same.
    void SetStringWithEvent(const std::string& value);
    void SetIntegerWithEvent(int value);
    void SetDoubleWithEvent(double value);

    void Enable();
    void Disable();
    // As Disable, but the text stays (a value shown that may not be changed now).
    void DisableNoClear();
    // Enabled shows in the background too: window colour when enabled, button face when not.
    void SetEnabled(bool enabled) override;

    // Commits a changed text: it becomes the committed text, OnUpdate fires, and unless the
    // edit is being set silently the form hears of the user's change. An unchanged text does
    // nothing.
    void DoUpdate();

    TNotifyEvent OnUpdate;

protected:
    void KeyDown(int& key, TShiftState shift) override;
    void KeyPress(char& key) override;
    void DoExit(TWinControl* to) override;

private:
    void SetTextSilently(const std::string& text);

    std::string m_committedText;
    bool m_silent = false;
};

class TiComponentEditorMemo : public TMemo {
    PRAVIX_CLASS(TiComponentEditorMemo, TMemo)
public:
    explicit TiComponentEditorMemo(TComponent* owner);

    std::string GetAsString() const { return Text(); }
    void SetAsString(const std::string& value);

    void Enable();
    void Disable();
    // Commits a changed text as the edit does.
    void DoUpdate();

    TNotifyEvent OnUpdate;

protected:
    void KeyDown(int& key, TShiftState shift) override;
    void KeyPress(char& key) override;
    void DoExit(TWinControl* to) override;

private:
    std::string m_committedText;
    bool m_silent = false;
};

// A user's pick fires OnChange and calls UserChange; typing into an editable one fires
// OnChange for every change, Enter keeps the text and Escape brings back the text it had
// when last set, picked or entered. OnClick never fires.
class TiComponentEditorComboBox : public TComboBox {
    PRAVIX_CLASS(TiComponentEditorComboBox, TComboBox)
public:
    explicit TiComponentEditorComboBox(TComponent* owner);

    int GetAsInteger() const { return ItemIndex(); }
    std::string GetAsString() const { return Text(); }
    void SetAsInteger(int value);
    // A drop-down list selects the item of that text (none when there is no such item).
    void SetAsString(const std::string& value);

    void Enable();
    void Disable();

protected:
    void Select() override;
    void KeyDown(int& key, TShiftState shift) override;
    void KeyPress(char& key) override;

private:
    template <class Fn>
    void SetSilently(Fn&& assign);

    bool m_silent = false;
    std::string m_committedText;
};

// ---------------------------------------------------------------------------------------------
// Lists and choices

// An owner-drawn list of entries with a colour box each, reordered by dragging an entry
// within the list. Without OnDrawItem, OnGetData may change an entry's text, box and colour.
class TiComponentEditorListBox : public TListBox {
    PRAVIX_CLASS(TiComponentEditorListBox, TListBox)
public:
    explicit TiComponentEditorListBox(TComponent* owner);

    void SelectLast();
    // Removes the selected entry and frees the object it carries; the entry at the same place
    // (or the new last one) becomes selected. Nothing without a selection.
    void DeleteSelectedObject();
    // Removes the entry that carries the object, without freeing it.
    void DeleteObjectIndex(TObject* object);

    TiListBoxGetDataEvent OnGetData;
    // An entry was dragged to another row.
    TNotifyEvent OnItemMove;

protected:
    void DrawItem(int index, const TRect& rect, TOwnerDrawState state) override;
    bool DragOver(TObject* source, int x, int y) override;
    void DragDrop(TObject* source, int x, int y) override;
    void KeyDown(int& key, TShiftState shift) override;
    void KeyPress(char& key) override;
};

// OnChange and OnChangeUser as TiCheckBox fires them; then, unless set silently, the form's
// UserChange and OnClick. A click of the control fires OnClick from there only. It draws on
// what its parent paints beneath it, so it blends into the shaded inside of a group box.
class TiComponentEditorCheckBox : public TiCheckBox {
    PRAVIX_CLASS(TiComponentEditorCheckBox, TiCheckBox)
public:
    explicit TiComponentEditorCheckBox(TComponent* owner);

    bool GetAsBoolean() const { return Checked(); }
    // Fires OnChange (not detached) but neither OnClick nor UserChange.
    void SetAsBoolean(bool value);

    void Enable();
    void Disable();

    void DoChange() override;

protected:
    bool ClickOnMouseUp() const override { return false; }
    void KeyDown(int& key, TShiftState shift) override;

private:
    bool m_silent = false;
};

// A selection by the user fires OnChange and OnChangeUser, then OnClick and the form's
// UserChange; the arrow keys fire OnChange only.
class TiComponentEditorRadioGroup : public TiRadioGroup {
    PRAVIX_CLASS(TiComponentEditorRadioGroup, TiRadioGroup)
public:
    explicit TiComponentEditorRadioGroup(TComponent* owner);

    int GetAsInteger() const { return ItemIndex(); }
    void SetAsInteger(int value);

    void Enable();
    void Disable();

    void DoChange() override;
    // OnClick, then the form's UserChange unless set silently.
    void Click() override;

protected:
    bool ClickOnMouseUp() const override { return false; }
    void KeyDown(int& key, TShiftState shift) override;

private:
    bool m_silent = false;
};

// ---------------------------------------------------------------------------------------------
// Containers and buttons

class TiComponentEditorPageControl : public TPageControl {
    PRAVIX_CLASS(TiComponentEditorPageControl, TPageControl)
public:
    explicit TiComponentEditorPageControl(TComponent* owner);
    // Kept with the form description; it selects nothing.
    int TabIndex() const { return m_tabIndex; }
    void SetTabIndex(int value) { m_tabIndex = value; }

protected:
    void KeyDown(int& key, TShiftState shift) override;
    void KeyPress(char& key) override;

private:
    int m_tabIndex = 0;
};

// A push button that is never a default or cancel button; Tab moves on from it. The pickers
// built on it are switched by Enable and Disable.
class TiComponentEditorButton : public TButton {
    PRAVIX_CLASS(TiComponentEditorButton, TButton)
public:
    explicit TiComponentEditorButton(TComponent* owner);

    void Enable() { SetEnabled(true); }
    void Disable() { SetEnabled(false); }

protected:
    void KeyDown(int& key, TShiftState shift) override;
    void KeyPress(char& key) override;
    // The pickers keep Enter and Escape to themselves; a plain button lets them go on.
    virtual bool KeepsDialogKeys() const { return false; }
};

class TiComponentEditorPanel : public TPanel {
    PRAVIX_CLASS(TiComponentEditorPanel, TPanel)
public:
    explicit TiComponentEditorPanel(TComponent* owner);
};

class TiComponentEditorGroupBox : public TGroupBox {
    PRAVIX_CLASS(TiComponentEditorGroupBox, TGroupBox)
public:
    explicit TiComponentEditorGroupBox(TComponent* owner);
};

// Paints through OnPaint on its Canvas(); while designed it shows a dashed outline.
class TiPaintBox : public TCustomControl {
    PRAVIX_CLASS(TiPaintBox, TCustomControl)
public:
    explicit TiPaintBox(TComponent* owner);

    TNotifyEvent OnPaint;

protected:
    void Paint() override;
};

// ---------------------------------------------------------------------------------------------
// Up-down

// Two arrow buttons that step the integer of the associated edit, placed against the edit's
// right side. A press steps once, holding steps again after 500 ms and then every 50 ms while
// the pressed button shows pressed (sliding off it pauses the steps). Steps go through the
// edit's SetIntegerWithEvent, so each one commits like typing; SetAsInteger is silent. Min and
// Max are 16-bit and limit the value unless both are 0.
class TiUpDown : public TGraphicControl {
    PRAVIX_CLASS(TiUpDown, TGraphicControl)
public:
    explicit TiUpDown(TComponent* owner);
    ~TiUpDown() override;

    TiComponentEditorEdit* Associate() const { return m_associate; }
    void SetAssociate(TiComponentEditorEdit* edit);
    int Min() const { return m_min; }
    void SetMin(int value);
    int Max() const { return m_max; }
    void SetMax(int value);
    int Increment() const { return m_increment; }
    void SetIncrement(int value) { m_increment = value; }

    // The edit's integer, 0 without an edit.
    int GetPosition() const;
    // Limits the value and shows it in the edit (nothing without an edit).
    void SetPosition(int value);
    int GetAsInteger() const { return GetPosition(); }
    void SetAsInteger(int value) { SetPosition(value); }

    void Enable();
    void Disable();

protected:
    void Paint() override;
    void MouseDown(TMouseButton button, TShiftState shift, int x, int y) override;
    void MouseMove(TShiftState shift, int x, int y) override;
    void MouseUp(TMouseButton button, TShiftState shift, int x, int y) override;
    void Resize() override;
    void Notification(TComponent* component, TOperation operation) override;

private:
    void CalcButtons();
    void Step();
    void TimerEvent(TObject* sender);
    void DrawArrow(const TRect& button, bool up);

    // Fields in their specified order.
    TiComponentEditorEdit* m_associate = nullptr;
    int m_min = 0;
    int m_max = 100;
    int m_increment = 1;
    TTimer* m_timer = nullptr;
    bool m_firstTick = false;
    bool m_mouseDown = false;
    int m_lastX = 0;
    int m_lastY = 0;
    bool m_upPressed = false;
    bool m_downPressed = false;
    TRect m_upRect{};
    TRect m_downRect{};
    bool m_withEvent = false;
};

// ---------------------------------------------------------------------------------------------
// Pickers

// A swatch of the chosen colour and a "..." button at its right; the button or a double click
// on the swatch opens the colour dialog. Color() is the shown colour (red at first).
class TiComponentEditorColorPicker : public TCustomControl {
    PRAVIX_CLASS(TiComponentEditorColorPicker, TCustomControl)
public:
    explicit TiComponentEditorColorPicker(TComponent* owner);

    // Silent: repaints when the colour differs, fires nothing.
    void SetColor(TColor value) override;
    TButton* Button() const { return m_button; }
    void SetBounds(int left, int top, int width, int height) override;

    void Enable();
    void Disable();
    // Runs the colour dialog as the "..." button does.
    void ChooseColor();

    TNotifyEvent OnChange;

protected:
    void Paint() override;
    void DblClick() override;
    void KeyDown(int& key, TShiftState shift) override;

private:
    void ButtonClick(TObject* sender);
    TButton* m_button = nullptr;
};

// Chooses a computer in the computer selector (the OPC browsing forms); on OK ComputerName
// takes the choice and OnChange fires. The form is no editor page, so UserChange is not
// called.
class TiComponentEditorComputerPicker : public TiComponentEditorButton {
    PRAVIX_CLASS(TiComponentEditorComputerPicker, TiComponentEditorButton)
public:
    explicit TiComponentEditorComputerPicker(TComponent* owner);

    std::string ComputerName() const { return m_computerName; }
    void SetComputerName(const std::string& value) { m_computerName = value; }
    void Click() override;

    TNotifyEvent OnChange;

private:
    std::string m_computerName;
};

// How the computer picker runs the computer selector form: shows it with the picker as owner
// and the current name, and answers true with the chosen name on OK. Set by the unit of the
// selector; the picker offers nothing to choose from while it is unset.
using TiComputerSelectorRunner = std::function<bool(TComponent& owner, std::string& computerName)>;
void SetComputerSelectorRunner(TiComputerSelectorRunner runner);

// Picks a font in the font dialog. Font() is the chosen font (not the caption's).
class TiComponentEditorFontPicker : public TiComponentEditorButton {
    PRAVIX_CLASS(TiComponentEditorFontPicker, TiComponentEditorButton)
public:
    explicit TiComponentEditorFontPicker(TComponent* owner);
    ~TiComponentEditorFontPicker() override;

    TFont* Font() const { return m_font.get(); }
    // Silent: takes over the font's attributes.
    void SetFont(TFont* value);
    void Click() override;

    TNotifyEvent OnChange;

protected:
    bool KeepsDialogKeys() const override { return true; }

private:
    std::unique_ptr<TFont> m_font;
};

class TiComponentEditorOpenPicker : public TiComponentEditorButton {
    PRAVIX_CLASS(TiComponentEditorOpenPicker, TiComponentEditorButton)
public:
    explicit TiComponentEditorOpenPicker(TComponent* owner);
    ~TiComponentEditorOpenPicker() override;

    std::string FileName() const { return m_fileName; }
    void SetFileName(const std::string& value) { m_fileName = value; }
    std::string Filter() const { return m_filter; }
    void SetFilter(const std::string& value) { m_filter = value; }
    std::string DefaultExt() const { return m_defaultExt; }
    void SetDefaultExt(const std::string& value) { m_defaultExt = value; }
    bool FileMustExist() const { return m_fileMustExist; }
    void SetFileMustExist(bool value) { m_fileMustExist = value; }
    bool AllowMultiSelect() const { return m_allowMultiSelect; }
    void SetAllowMultiSelect(bool value) { m_allowMultiSelect = value; }
    // The files chosen last.
    TStringList* Files() const { return m_files.get(); }
    void Click() override;

    TNotifyEvent OnChange;

protected:
    bool KeepsDialogKeys() const override { return true; }

private:
    std::string m_fileName;
    std::string m_filter;
    std::string m_defaultExt;
    bool m_fileMustExist = false;
    bool m_allowMultiSelect = false;
    std::unique_ptr<TStringList> m_files;
};

// The save dialog as a button; the plot's image Save runs a hidden one.
class TiComponentEditorSavePicker : public TiComponentEditorButton {
    PRAVIX_CLASS(TiComponentEditorSavePicker, TiComponentEditorButton)
public:
    explicit TiComponentEditorSavePicker(TComponent* owner);

    std::string FileName() const { return m_fileName; }
    void SetFileName(const std::string& value) { m_fileName = value; }
    std::string Filter() const { return m_filter; }
    void SetFilter(const std::string& value) { m_filter = value; }
    std::string DefaultExt() const { return m_defaultExt; }
    void SetDefaultExt(const std::string& value) { m_defaultExt = value; }
    // Runs the save dialog; true, with the choice in FileName, when the user chose a file.
    bool Execute();
    void Click() override;

    TNotifyEvent OnChange;

protected:
    bool KeepsDialogKeys() const override { return true; }

private:
    std::string m_fileName;
    std::string m_filter;
    std::string m_defaultExt;
};

// Opens the value converter on a number: the associated edit's, or DateTime without one. On
// OK the converter's value goes to DateTime and into the edit as if typed (the edit commits
// and the form hears of it), and OnChange fires.
class TiComponentEditorValueConverterPicker : public TiComponentEditorButton {
    PRAVIX_CLASS(TiComponentEditorValueConverterPicker, TiComponentEditorButton)
public:
    explicit TiComponentEditorValueConverterPicker(TComponent* owner);

    double DateTime() const { return m_dateTime; }
    void SetDateTime(double value) { m_dateTime = value; }
    TiComponentEditorEdit* Associate() const { return m_associate; }
    // Places the picker against the edit's right side.
    void SetAssociate(TiComponentEditorEdit* edit);
    TiValueConverterPageType DefaultPage() const { return m_defaultPage; }
    void SetDefaultPage(TiValueConverterPageType value) { m_defaultPage = value; }
    void Click() override;

    TNotifyEvent OnChange;
    TFormTranslationMethod TranslationMethod;

protected:
    bool KeepsDialogKeys() const override { return true; }
    void Notification(TComponent* component, TOperation operation) override;

private:
    double m_dateTime = 0;
    TiComponentEditorEdit* m_associate = nullptr;
    TiValueConverterPageType m_defaultPage = ivcptInterval;
};
