#pragma once
// Editor forms from tables: one row per control (kind, name, caption, items, place) builds a
// form, and one binding row per edited property (control name -> published property, in the
// order the page writes them) serves a page's update and write-back.
//
//     const std::vector<TiEditorControl> kRows = Join({
//         Within("ChannelGeneralTabSheet", {
//             Edit("ChannelNameEdit", "Name", At(0, 0, 2)),
//             Edit("ChannelLayerEdit", "Layer", At(0, 1)).WithUpDown(0, 0),
//             ComboBox("ChannelDataStyleComboBox", "Data Style", At(0, 2, 2), {"Standard", "Compact"}),
//         }),
//     });
//     BuildEditorControls(form, kRows);                  // every control, named as in the table
//
//     constexpr TiEditorBinding kBindings[] = {{"ChannelNameEdit", "Name"}, {"ChannelLayerEdit", "Layer"}};
//     LoadBoundControls(form, kBindings, *channel, translate);    // silent: fires nothing
//     StoreBoundControls(form, kBindings, *channel, translate);   // every setter, in table order
//     WireBoundControls(form, kBindings, TNotifyEvent::Bind(&form, &TMyForm::ChannelChange));
//
// Places: the controls of a sheet or group sit in the cells of its grid: Columns() equal
// columns across the container's width and rows of kEditorRowHeight pixels from the top left
// margin. A labelled control (edit, combo box, colour picker, display) shows its caption in
// the left part of its cells, CaptionWidth pixels wide, and fills the rest; an up-down or a
// value-converter picker beside an edit takes its width from the edit's right end. A row
// may give explicit bounds instead, or fill its parent.
//
// Derived names: the caption label of control X is "XLabel"; the up-down and the value
// converter beside edit "BaseEdit" are "BaseUpDown" and "BaseConverterPicker", so that they
// share the edit's name prefix and follow it when a page is enabled or disabled by prefix.
//
// Binding: the value moves by the control's kind and the property's kind: an edit shows a
// string, integer or float property; a check box a Boolean; a drop-down combo box, a radio
// group an enumeration's ordinal (its item index); an editable combo box a string; a colour
// picker a colour; a font picker a font (assigned). A name combo box (a drop-down list whose
// name ends with "NameComboBox") lists object names after a translated sentinel ("<None>",
// "<All>"): it selects the stored name ignoring letter case, keeps a stored name that matches
// no entry as an entry of its own (so the write-back stores it unchanged instead of
// unbinding the object), and writes the sentinel untranslated. A row whose property the object does
// not publish is skipped (the extras of one channel class on a channel of another).

#include "editors/EditorsLayer.h"

#include "platform/core/Component.h"
#include "platform/core/Events.h"
#include "platform/core/Exceptions.h"
#include "platform/core/Types.h"

#include <functional>
#include <initializer_list>
#include <span>
#include <string>
#include <string_view>
#include <vector>

class TForm;
class TiComponentEditorComboBox;

constexpr int kEditorRowHeight = 24;
constexpr int kEditorMargin = 6;
constexpr int kEditorCaptionWidth = 78;

enum class TiEditorKind {
    PageControl,   // TiComponentEditorPageControl
    Sheet,         // TTabSheet of the parent page control
    Group,         // TiComponentEditorGroupBox
    Label,         // TLabel: a caption
    Display,       // TLabel showing a value, with a caption label
    Edit,          // TiComponentEditorEdit, with a caption label
    Memo,          // TiComponentEditorMemo, with a caption label
    CheckBox,      // TiComponentEditorCheckBox
    ComboBox,      // TiComponentEditorComboBox, a drop-down list, with a caption label
    TextComboBox,  // TiComponentEditorComboBox, editable, with a caption label
    RadioGroup,    // TiComponentEditorRadioGroup
    ColorPicker,   // TiComponentEditorColorPicker, with a caption label
    FontPicker,    // TiComponentEditorFontPicker
    OpenPicker,    // TiComponentEditorOpenPicker
    SavePicker,    // TiComponentEditorSavePicker
    Button,        // TiComponentEditorButton
    ListBox,       // TiComponentEditorListBox
    Custom,        // a control of a registered class (ClassName)
    PopupMenu,     // TPopupMenu
    MenuItem,      // TMenuItem of the parent popup menu
};

// The kind's name as tests and messages spell it ("Edit", "ComboBox" ...).
std::string_view EditorKindName(TiEditorKind kind);

// A place in the grid of the parent container: column, row, and how many of each it spans.
struct TiEditorCell {
    int Col = 0;
    int Row = 0;
    int ColSpan = 1;
    int RowSpan = 1;
};
inline TiEditorCell At(int col, int row, int colSpan = 1, int rowSpan = 1) { return {col, row, colSpan, rowSpan}; }

enum class TiEditorPlacing { Cell, Bounds, Fill };

// One control of an editor form.
struct TiEditorControl {
    TiEditorKind Kind = TiEditorKind::Label;
    std::string Name;
    std::string Caption;
    TiEditorCell Cell;
    std::vector<std::string> Items;  // combo box and radio group items
    std::string Parent;              // the container (or popup menu); the form when empty

    TiEditorPlacing Placing = TiEditorPlacing::Cell;
    TRect Bounds{};        // TiEditorPlacing::Bounds: a negative left or top counts from the parent's
                           // right or bottom edge, a width or height <= 0 reaches that far short of it
    int Width = 0;         // when > 0, the control's width within its cells (after the caption)
    int CaptionWidth = 0;  // labelled kinds; 0 = kEditorCaptionWidth
    int Columns = 0;       // containers: grid columns (0 = 3 for sheets, the span for groups); radio group columns
    bool Hidden = false;   // a sheet without its tab, an invisible group or control
    bool UpDown = false;   // edits: an up-down beside it
    int UpDownMin = 0;
    int UpDownMax = 100;
    int UpDownIncrement = 1;
    bool Converter = false;  // edits: a value-converter picker beside it
    std::string ClassName;   // TiEditorKind::Custom

    TiEditorControl WithUpDown(int min, int max, int increment = 1) &&;
    TiEditorControl WithConverter() &&;
    TiEditorControl WithCaptionWidth(int width) &&;
    TiEditorControl WithColumns(int columns) &&;
    TiEditorControl WithBounds(int left, int top, int width, int height) &&;
    TiEditorControl WithWidth(int width) &&;
    TiEditorControl Filling() &&;
    TiEditorControl AsHidden() &&;
};

TiEditorControl PageControl(std::string name);
TiEditorControl Sheet(std::string name, std::string caption);
TiEditorControl Group(std::string name, std::string caption, TiEditorCell cell);
TiEditorControl Label(std::string name, std::string caption, TiEditorCell cell);
TiEditorControl Display(std::string name, std::string caption, TiEditorCell cell);
TiEditorControl Edit(std::string name, std::string caption, TiEditorCell cell);
TiEditorControl Memo(std::string name, std::string caption, TiEditorCell cell);
TiEditorControl CheckBox(std::string name, std::string caption, TiEditorCell cell);
TiEditorControl ComboBox(std::string name, std::string caption, TiEditorCell cell, std::vector<std::string> items);
TiEditorControl TextComboBox(std::string name, std::string caption, TiEditorCell cell,
                             std::vector<std::string> items = {});
TiEditorControl RadioGroup(std::string name, std::string caption, TiEditorCell cell, std::vector<std::string> items);
TiEditorControl ColorPicker(std::string name, std::string caption, TiEditorCell cell);
TiEditorControl FontPicker(std::string name, std::string caption, TiEditorCell cell);
TiEditorControl OpenPicker(std::string name, std::string caption, TiEditorCell cell);
TiEditorControl SavePicker(std::string name, std::string caption, TiEditorCell cell);
TiEditorControl Button(std::string name, std::string caption, TiEditorCell cell);
TiEditorControl ListBox(std::string name);
TiEditorControl Custom(std::string name, std::string className);
TiEditorControl PopupMenu(std::string name);
TiEditorControl MenuItem(std::string name, std::string caption);

// The rows with their parent set to `parent`.
std::vector<TiEditorControl> Within(const std::string& parent, std::vector<TiEditorControl> rows);
// The tables one after the other.
std::vector<TiEditorControl> Join(std::initializer_list<std::vector<TiEditorControl>> tables);

// Makes every control of the table, in table order, owned by the form and named as the row
// says; a row's parent must come before it. Raises when a parent is missing or a name is
// taken.
void BuildEditorControls(TForm& form, std::span<const TiEditorControl> rows);

// The derived names of a row's companions.
std::string CaptionLabelName(std::string_view controlName);
std::string UpDownName(std::string_view editName);
std::string ConverterName(std::string_view editName);
// Whether a combo box of this name lists object names.
bool IsNameComboBox(std::string_view controlName);

// ---------------------------------------------------------------------------------------------
// Binding

// One edited property: the control that shows it and the published property it edits.
// WriteWhenChanged: the setter is called only when the control's value differs from the
// object's (a property whose setter refuses some states, such as a log name while logging).
struct TiEditorBinding {
    std::string_view Control;
    std::string_view Property;
    bool WriteWhenChanged = false;
};

// The plot's translation of a text the user sees.
using TiEditorTranslate = std::function<std::string(const std::string&)>;

// Copies every bound property of the object into its control with the silent setters.
void LoadBoundControls(const TComponent& form, std::span<const TiEditorBinding> bindings, TObject& object,
                       const TiEditorTranslate& translate);
// Calls the setter of every bound property with its control's value, in table order,
// whether or not the value changed (but see WriteWhenChanged).
void StoreBoundControls(const TComponent& form, std::span<const TiEditorBinding> bindings, TObject& object,
                        const TiEditorTranslate& translate);
// Makes `commit` the commit event of every bound control: OnUpdate of edits and memos,
// OnClick of check boxes, OnChange of combo boxes, radio groups and the pickers.
void WireBoundControls(const TComponent& form, std::span<const TiEditorBinding> bindings, const TNotifyEvent& commit);
void WireCommit(TComponent& control, const TNotifyEvent& commit);

// The sentinels of the name combo boxes, as stored in the objects.
inline const std::string kNoneName = "<None>";
inline const std::string kAllName = "<All>";

// Refills a name combo box: keeps the name it shows, lists `first` (a sentinel, translated;
// none when empty), the names, then `last`, and shows the kept name again (ShowNameInCombo).
void FillNameCombo(TiComponentEditorComboBox& combo, const std::string& first, const std::vector<std::string>& names,
                   const std::string& last, const TiEditorTranslate& translate);
// Shows a stored name: selects the matching entry (ignoring case; a sentinel by its stored or
// shown form); a name that matches none is added as the last entry and selected; an empty
// name selects nothing.
void ShowNameInCombo(TiComponentEditorComboBox& combo, const std::string& name, const TiEditorTranslate& translate);
// The name to store: a shown sentinel as its stored form, any other text as it stands.
std::string NameFromCombo(const TiComponentEditorComboBox& combo, const TiEditorTranslate& translate);

// The control of that name on the form, raising when there is none or it has another class.
template <class T>
T& EditorControl(const TComponent& form, std::string_view name)
{
    T* control = dynamic_cast<T*>(form.FindComponent(name));
    if (!control)
        throw Exception("The editor has no " + std::string(name));
    return *control;
}
