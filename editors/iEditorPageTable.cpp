#include "editors/iEditorPageTable.h"

#include "editors/iEditorBasicComponents.h"
#include "platform/canvas/Graphics.h"
#include "platform/canvas/SystemColors.h"
#include "platform/core/Reflection.h"
#include "platform/core/StrUtils.h"
#include "platform/gui/ComCtrls.h"
#include "platform/gui/Forms.h"
#include "platform/gui/Menus.h"
#include "platform/gui/StdCtrls.h"

#include <algorithm>
#include <map>
#include <utility>

// ---------------------------------------------------------------------------------------------
// Rows

namespace {

TiEditorControl Row(TiEditorKind kind, std::string name, std::string caption, TiEditorCell cell)
{
    TiEditorControl row;
    row.Kind = kind;
    row.Name = std::move(name);
    row.Caption = std::move(caption);
    row.Cell = cell;
    return row;
}

}  // namespace

std::string_view EditorKindName(TiEditorKind kind)
{
    switch (kind) {
    case TiEditorKind::PageControl: return "PageControl";
    case TiEditorKind::Sheet: return "Sheet";
    case TiEditorKind::Group: return "Group";
    case TiEditorKind::Label: return "Label";
    case TiEditorKind::Display: return "Display";
    case TiEditorKind::Edit: return "Edit";
    case TiEditorKind::Memo: return "Memo";
    case TiEditorKind::CheckBox: return "CheckBox";
    case TiEditorKind::ComboBox: return "ComboBox";
    case TiEditorKind::TextComboBox: return "TextComboBox";
    case TiEditorKind::RadioGroup: return "RadioGroup";
    case TiEditorKind::ColorPicker: return "ColorPicker";
    case TiEditorKind::FontPicker: return "FontPicker";
    case TiEditorKind::OpenPicker: return "OpenPicker";
    case TiEditorKind::SavePicker: return "SavePicker";
    case TiEditorKind::Button: return "Button";
    case TiEditorKind::ListBox: return "ListBox";
    case TiEditorKind::Custom: return "Custom";
    case TiEditorKind::PopupMenu: return "PopupMenu";
    case TiEditorKind::MenuItem: return "MenuItem";
    }
    return "?";
}

TiEditorControl TiEditorControl::WithUpDown(int min, int max, int increment) &&
{
    UpDown = true;
    UpDownMin = min;
    UpDownMax = max;
    UpDownIncrement = increment;
    return std::move(*this);
}

TiEditorControl TiEditorControl::WithConverter() &&
{
    Converter = true;
    return std::move(*this);
}

TiEditorControl TiEditorControl::WithCaptionWidth(int width) &&
{
    CaptionWidth = width;
    return std::move(*this);
}

TiEditorControl TiEditorControl::WithColumns(int columns) &&
{
    Columns = columns;
    return std::move(*this);
}

TiEditorControl TiEditorControl::WithBounds(int left, int top, int width, int height) &&
{
    Placing = TiEditorPlacing::Bounds;
    Bounds = Rect(left, top, left + width, top + height);
    return std::move(*this);
}

TiEditorControl TiEditorControl::WithWidth(int width) &&
{
    Width = width;
    return std::move(*this);
}

TiEditorControl TiEditorControl::Filling() &&
{
    Placing = TiEditorPlacing::Fill;
    return std::move(*this);
}

TiEditorControl TiEditorControl::AsHidden() &&
{
    Hidden = true;
    return std::move(*this);
}

TiEditorControl PageControl(std::string name) { return Row(TiEditorKind::PageControl, std::move(name), {}, {}); }

TiEditorControl Sheet(std::string name, std::string caption)
{
    return Row(TiEditorKind::Sheet, std::move(name), std::move(caption), {});
}

TiEditorControl Group(std::string name, std::string caption, TiEditorCell cell)
{
    return Row(TiEditorKind::Group, std::move(name), std::move(caption), cell);
}

TiEditorControl Label(std::string name, std::string caption, TiEditorCell cell)
{
    return Row(TiEditorKind::Label, std::move(name), std::move(caption), cell);
}

TiEditorControl Display(std::string name, std::string caption, TiEditorCell cell)
{
    return Row(TiEditorKind::Display, std::move(name), std::move(caption), cell);
}

TiEditorControl Edit(std::string name, std::string caption, TiEditorCell cell)
{
    return Row(TiEditorKind::Edit, std::move(name), std::move(caption), cell);
}

TiEditorControl Memo(std::string name, std::string caption, TiEditorCell cell)
{
    return Row(TiEditorKind::Memo, std::move(name), std::move(caption), cell);
}

TiEditorControl CheckBox(std::string name, std::string caption, TiEditorCell cell)
{
    return Row(TiEditorKind::CheckBox, std::move(name), std::move(caption), cell);
}

TiEditorControl ComboBox(std::string name, std::string caption, TiEditorCell cell, std::vector<std::string> items)
{
    TiEditorControl row = Row(TiEditorKind::ComboBox, std::move(name), std::move(caption), cell);
    row.Items = std::move(items);
    return row;
}

TiEditorControl TextComboBox(std::string name, std::string caption, TiEditorCell cell, std::vector<std::string> items)
{
    TiEditorControl row = Row(TiEditorKind::TextComboBox, std::move(name), std::move(caption), cell);
    row.Items = std::move(items);
    return row;
}

TiEditorControl RadioGroup(std::string name, std::string caption, TiEditorCell cell, std::vector<std::string> items)
{
    TiEditorControl row = Row(TiEditorKind::RadioGroup, std::move(name), std::move(caption), cell);
    row.Items = std::move(items);
    return row;
}

TiEditorControl ColorPicker(std::string name, std::string caption, TiEditorCell cell)
{
    return Row(TiEditorKind::ColorPicker, std::move(name), std::move(caption), cell);
}

TiEditorControl FontPicker(std::string name, std::string caption, TiEditorCell cell)
{
    return Row(TiEditorKind::FontPicker, std::move(name), std::move(caption), cell);
}

TiEditorControl OpenPicker(std::string name, std::string caption, TiEditorCell cell)
{
    return Row(TiEditorKind::OpenPicker, std::move(name), std::move(caption), cell);
}

TiEditorControl SavePicker(std::string name, std::string caption, TiEditorCell cell)
{
    return Row(TiEditorKind::SavePicker, std::move(name), std::move(caption), cell);
}

TiEditorControl Button(std::string name, std::string caption, TiEditorCell cell)
{
    return Row(TiEditorKind::Button, std::move(name), std::move(caption), cell);
}

TiEditorControl ListBox(std::string name) { return Row(TiEditorKind::ListBox, std::move(name), {}, {}); }

TiEditorControl Custom(std::string name, std::string className)
{
    TiEditorControl row = Row(TiEditorKind::Custom, std::move(name), {}, {});
    row.ClassName = std::move(className);
    return row;
}

TiEditorControl PopupMenu(std::string name) { return Row(TiEditorKind::PopupMenu, std::move(name), {}, {}); }

TiEditorControl MenuItem(std::string name, std::string caption)
{
    return Row(TiEditorKind::MenuItem, std::move(name), std::move(caption), {});
}

std::vector<TiEditorControl> Within(const std::string& parent, std::vector<TiEditorControl> rows)
{
    for (TiEditorControl& row : rows)
        row.Parent = parent;
    return rows;
}

std::vector<TiEditorControl> Join(std::initializer_list<std::vector<TiEditorControl>> tables)
{
    std::vector<TiEditorControl> joined;
    for (const std::vector<TiEditorControl>& table : tables)
        joined.insert(joined.end(), table.begin(), table.end());
    return joined;
}

// ---------------------------------------------------------------------------------------------
// Names

namespace {

std::string_view WithoutEditSuffix(std::string_view editName)
{
    constexpr std::string_view kSuffix = "Edit";
    if (editName.size() > kSuffix.size() && editName.substr(editName.size() - kSuffix.size()) == kSuffix)
        editName.remove_suffix(kSuffix.size());
    return editName;
}

}  // namespace

std::string CaptionLabelName(std::string_view controlName) { return std::string(controlName) + "Label"; }

std::string UpDownName(std::string_view editName) { return std::string(WithoutEditSuffix(editName)) + "UpDown"; }

std::string ConverterName(std::string_view editName)
{
    return std::string(WithoutEditSuffix(editName)) + "ConverterPicker";
}

bool IsNameComboBox(std::string_view controlName)
{
    constexpr std::string_view kSuffix = "NameComboBox";
    return controlName.size() >= kSuffix.size() && controlName.substr(controlName.size() - kSuffix.size()) == kSuffix;
}

// ---------------------------------------------------------------------------------------------
// The builder

namespace {

// Heights of the controls of one grid row; a row is kEditorRowHeight pixels apart.
constexpr int kLineHeight = 21;
constexpr int kButtonHeight = 23;
constexpr int kLabelHeight = 16;
constexpr int kCellGap = 4;
// A group's rows start below its title and the top line of its frame.
constexpr int kGroupCaptionHeight = 20;
constexpr int kUpDownWidth = 15;
constexpr int kConverterWidth = 21;

bool IsLabelled(TiEditorKind kind)
{
    switch (kind) {
    case TiEditorKind::Display:
    case TiEditorKind::Edit:
    case TiEditorKind::Memo:
    case TiEditorKind::ComboBox:
    case TiEditorKind::TextComboBox:
    case TiEditorKind::ColorPicker: return true;
    default: return false;
    }
}

int KindHeight(TiEditorKind kind)
{
    switch (kind) {
    case TiEditorKind::Button:
    case TiEditorKind::FontPicker:
    case TiEditorKind::OpenPicker:
    case TiEditorKind::SavePicker: return kButtonHeight;
    case TiEditorKind::Label:
    case TiEditorKind::Display: return kLabelHeight;
    default: return kLineHeight;
    }
}

// A container's grid: where column 0 and row 0 start and how wide a column is.
struct TGrid {
    int Left = 0;
    int Top = 0;
    int ColumnWidth = 0;
};

class TFormBuilder {
public:
    explicit TFormBuilder(TForm& form) : m_form(form) {}

    void Add(const TiEditorControl& row)
    {
        switch (row.Kind) {
        case TiEditorKind::PopupMenu: AddPopupMenu(row); return;
        case TiEditorKind::MenuItem: AddMenuItem(row); return;
        default: break;
        }
        TWinControl& parent = ParentOf(row);
        TControl& control = Make(row);
        control.SetName(row.Name);
        control.SetParent(&parent);
        Place(row, control, parent);
        if (row.Hidden && row.Kind != TiEditorKind::Sheet)
            control.SetVisible(false);
        if (auto* container = dynamic_cast<TWinControl*>(&control);
            container && (row.Kind == TiEditorKind::Sheet || row.Kind == TiEditorKind::Group))
            m_grids[row.Name] = GridOf(row, *container);
    }

private:
    TWinControl& ParentOf(const TiEditorControl& row) const
    {
        if (row.Parent.empty())
            return m_form;
        auto* parent = dynamic_cast<TWinControl*>(m_form.FindComponent(row.Parent));
        if (!parent)
            throw Exception("The editor's control " + row.Name + " has no container " + row.Parent);
        return *parent;
    }

    TControl& Make(const TiEditorControl& row)
    {
        switch (row.Kind) {
        case TiEditorKind::PageControl: {
            // An editor's dialog is small for its many pages.
            auto* pages = new TiComponentEditorPageControl(&m_form);
            pages->SetCompactTabs(true);
            return *pages;
        }
        case TiEditorKind::Sheet: {
            auto* sheet = new TTabSheet(&m_form);
            sheet->SetCaption(row.Caption);
            // The face colour of the self-drawn check boxes and radio groups on it.
            sheet->SetColor(clBtnFace);
            return *sheet;
        }
        case TiEditorKind::Group: {
            auto* group = new TiComponentEditorGroupBox(&m_form);
            group->SetCaption(row.Caption);
            return *group;
        }
        case TiEditorKind::Label: {
            auto* label = new TLabel(&m_form);
            label->SetCaption(row.Caption);
            return *label;
        }
        case TiEditorKind::Display: {
            auto* value = new TLabel(&m_form);
            value->SetTransparent(false);
            value->SetColor(clWindow);
            return *value;
        }
        case TiEditorKind::Edit: return *new TiComponentEditorEdit(&m_form);
        case TiEditorKind::Memo: return *new TiComponentEditorMemo(&m_form);
        case TiEditorKind::CheckBox: {
            auto* check = new TiComponentEditorCheckBox(&m_form);
            check->SetCaption(row.Caption);
            return *check;
        }
        case TiEditorKind::ComboBox:
        case TiEditorKind::TextComboBox: {
            auto* combo = new TiComponentEditorComboBox(&m_form);
            combo->SetStyle(row.Kind == TiEditorKind::ComboBox ? csDropDownList : csDropDown);
            for (const std::string& item : row.Items)
                combo->Items()->Add(item);
            return *combo;
        }
        case TiEditorKind::RadioGroup: {
            auto* radio = new TiComponentEditorRadioGroup(&m_form);
            radio->SetCaption(row.Caption);
            for (const std::string& item : row.Items)
                radio->Items()->Add(item);
            radio->SetColumns(std::max(1, row.Columns));
            return *radio;
        }
        case TiEditorKind::ColorPicker: return *new TiComponentEditorColorPicker(&m_form);
        case TiEditorKind::FontPicker: return Captioned(new TiComponentEditorFontPicker(&m_form), row);
        case TiEditorKind::OpenPicker: return Captioned(new TiComponentEditorOpenPicker(&m_form), row);
        case TiEditorKind::SavePicker: return Captioned(new TiComponentEditorSavePicker(&m_form), row);
        case TiEditorKind::Button: return Captioned(new TiComponentEditorButton(&m_form), row);
        case TiEditorKind::ListBox: return *new TiComponentEditorListBox(&m_form);
        case TiEditorKind::Custom: {
            TObject* object = CreateObject(row.ClassName, &m_form);
            auto* control = dynamic_cast<TControl*>(object);
            if (!control) {
                delete object;
                throw Exception("The editor's control " + row.Name + " is no control");
            }
            return *control;
        }
        case TiEditorKind::PopupMenu:
        case TiEditorKind::MenuItem: break;
        }
        throw Exception("The editor's control " + row.Name + " is of no known kind");
    }

    // A picker or button keeps its own caption unless the row gives one.
    static TControl& Captioned(TControl* control, const TiEditorControl& row)
    {
        if (!row.Caption.empty())
            control->SetCaption(row.Caption);
        return *control;
    }

    TGrid GridOf(const TiEditorControl& row, const TWinControl& container) const
    {
        const bool group = row.Kind == TiEditorKind::Group;
        const int columns = row.Columns > 0 ? row.Columns : group ? row.Cell.ColSpan : 3;
        const int top = group ? kGroupCaptionHeight : kEditorMargin;
        const int width = container.ClientWidth() - 2 * kEditorMargin;
        return {kEditorMargin, top, std::max(1, width / columns)};
    }

    TGrid GridOfParent(const TiEditorControl& row, const TWinControl& parent) const
    {
        const auto it = m_grids.find(row.Parent);
        if (it != m_grids.end())
            return it->second;
        return {kEditorMargin, kEditorMargin, std::max(1, (parent.ClientWidth() - 2 * kEditorMargin) / 3)};
    }

    TRect CellRect(const TiEditorControl& row, const TWinControl& parent) const
    {
        const TGrid grid = GridOfParent(row, parent);
        const int left = grid.Left + row.Cell.Col * grid.ColumnWidth;
        const int top = grid.Top + row.Cell.Row * kEditorRowHeight;
        const int width = row.Cell.ColSpan * grid.ColumnWidth - kCellGap;
        const int height = row.Cell.RowSpan > 1 ? row.Cell.RowSpan * kEditorRowHeight - 3 : KindHeight(row.Kind);
        return Rect(left, top, left + width, top + height);
    }

    void Place(const TiEditorControl& row, TControl& control, TWinControl& parent)
    {
        switch (row.Placing) {
        case TiEditorPlacing::Fill: control.SetBounds(0, 0, parent.ClientWidth(), parent.ClientHeight()); return;
        case TiEditorPlacing::Bounds: {
            const TRect& b = row.Bounds;
            const int left = b.Left >= 0 ? b.Left : parent.ClientWidth() + b.Left;
            const int top = b.Top >= 0 ? b.Top : parent.ClientHeight() + b.Top;
            const int width = b.Width() > 0 ? b.Width() : parent.ClientWidth() - left + b.Width();
            const int height = b.Height() > 0 ? b.Height() : parent.ClientHeight() - top + b.Height();
            control.SetBounds(left, top, std::max(0, width), std::max(0, height));
            PlaceCompanions(row, control, parent);
            return;
        }
        case TiEditorPlacing::Cell: break;
        }
        if (row.Kind == TiEditorKind::Sheet) {
            PlaceSheet(row, control, parent);
            return;
        }
        TRect cell = CellRect(row, parent);
        if (IsLabelled(row.Kind) && !row.Caption.empty()) {
            const int captionWidth = row.CaptionWidth > 0 ? row.CaptionWidth : kEditorCaptionWidth;
            auto* caption = new TLabel(&m_form);
            caption->SetName(CaptionLabelName(row.Name));
            caption->SetParent(&parent);
            caption->SetCaption(row.Caption);
            caption->SetBounds(cell.Left, cell.Top + (kLineHeight - kLabelHeight) / 2, captionWidth - kCellGap,
                               kLabelHeight);
            if (row.Hidden)
                caption->SetVisible(false);
            cell.Left += captionWidth;
        }
        if (row.Kind == TiEditorKind::Display)
            cell.Top += (kLineHeight - kLabelHeight) / 2;
        if (row.Width > 0)
            cell.Right = std::min(cell.Right, cell.Left + row.Width);
        control.SetBounds(cell.Left, cell.Top, cell.Width(), cell.Height());
        PlaceCompanions(row, control, parent);
    }

    void PlaceSheet(const TiEditorControl& row, TControl& control, TWinControl& parent)
    {
        auto* pages = dynamic_cast<TPageControl*>(&parent);
        auto* sheet = dynamic_cast<TTabSheet*>(&control);
        if (!pages || !sheet)
            throw Exception("The editor's sheet " + row.Name + " lies on no page control");
        if (row.Hidden)
            sheet->SetTabVisible(false);
    }

    // The up-down and the value converter beside an edit take their width from its right end.
    void PlaceCompanions(const TiEditorControl& row, TControl& control, TWinControl& parent)
    {
        auto* edit = dynamic_cast<TiComponentEditorEdit*>(&control);
        if (!edit || (!row.UpDown && !row.Converter))
            return;
        if (row.UpDown) {
            edit->SetWidth(edit->Width() - kUpDownWidth);
            auto* upDown = new TiUpDown(&m_form);
            upDown->SetName(UpDownName(row.Name));
            upDown->SetParent(&parent);
            upDown->SetMin(row.UpDownMin);
            upDown->SetMax(row.UpDownMax);
            upDown->SetIncrement(row.UpDownIncrement);
            upDown->SetAssociate(edit);
        }
        if (row.Converter) {
            edit->SetWidth(edit->Width() - kConverterWidth);
            auto* converter = new TiComponentEditorValueConverterPicker(&m_form);
            converter->SetName(ConverterName(row.Name));
            converter->SetParent(&parent);
            converter->SetAssociate(edit);
        }
    }

    void AddPopupMenu(const TiEditorControl& row)
    {
        auto* menu = new TPopupMenu(&m_form);
        menu->SetName(row.Name);
    }

    void AddMenuItem(const TiEditorControl& row)
    {
        auto* menu = dynamic_cast<TPopupMenu*>(m_form.FindComponent(row.Parent));
        if (!menu)
            throw Exception("The editor's menu item " + row.Name + " lies in no popup menu");
        auto* item = new TMenuItem(&m_form);
        item->SetName(row.Name);
        item->SetCaption(row.Caption);
        menu->Items()->Add(item);
    }

    TForm& m_form;
    std::map<std::string, TGrid> m_grids;
};

}  // namespace

void BuildEditorControls(TForm& form, std::span<const TiEditorControl> rows)
{
    TFormBuilder builder(form);
    for (const TiEditorControl& row : rows)
        builder.Add(row);
}

// ---------------------------------------------------------------------------------------------
// Name combo boxes

namespace {

const std::string* SentinelShownAs(const std::string& text, const TiEditorTranslate& translate)
{
    for (const std::string* sentinel : {&kNoneName, &kAllName})
        if (text == translate(*sentinel))
            return sentinel;
    return nullptr;
}

bool EntryMatches(const std::string& entry, const std::string& name, const TiEditorTranslate& translate)
{
    if (SameText(entry, name))
        return true;
    const std::string* sentinel = SentinelShownAs(entry, translate);
    return sentinel && SameText(*sentinel, name);
}

}  // namespace

void ShowNameInCombo(TiComponentEditorComboBox& combo, const std::string& name, const TiEditorTranslate& translate)
{
    if (name.empty()) {
        combo.SetAsInteger(-1);
        return;
    }
    TStrings& items = *combo.Items();
    for (int i = 0; i < items.Count(); ++i) {
        if (EntryMatches(items.Strings(i), name, translate)) {
            combo.SetAsInteger(i);
            return;
        }
    }
    // A name of no object (an axis deleted meanwhile, a name typed into a file) stays what
    // the object stores: shown, and written back as it is.
    items.Add(name);
    combo.SetAsInteger(items.Count() - 1);
}

std::string NameFromCombo(const TiComponentEditorComboBox& combo, const TiEditorTranslate& translate)
{
    const std::string text = combo.GetAsString();
    const std::string* sentinel = SentinelShownAs(text, translate);
    return sentinel ? *sentinel : text;
}

void FillNameCombo(TiComponentEditorComboBox& combo, const std::string& first, const std::vector<std::string>& names,
                   const std::string& last, const TiEditorTranslate& translate)
{
    const std::string kept = NameFromCombo(combo, translate);
    TStrings& items = *combo.Items();
    items.Clear();
    if (!first.empty())
        items.Add(translate(first));
    for (const std::string& name : names)
        items.Add(name);
    if (!last.empty())
        items.Add(translate(last));
    ShowNameInCombo(combo, kept, translate);
}

// ---------------------------------------------------------------------------------------------
// The binder

namespace {

TComponent& BoundControl(const TComponent& form, std::string_view name)
{
    TComponent* control = form.FindComponent(name);
    if (!control)
        throw Exception("The editor has no control " + std::string(name));
    return *control;
}

bool IsIntegral(TTypeKind kind) { return TPropInfo::IsOrdinalKind(kind); }

void LoadEdit(TiComponentEditorEdit& edit, const TPropertyRef& property)
{
    switch (property.Info->Kind()) {
    case tkString: edit.SetAsString(property.GetString()); return;
    case tkFloat: edit.SetAsFloat(double(property.GetFloat())); return;
    default: edit.SetAsInteger(int(property.GetOrd())); return;
    }
}

void LoadControl(TComponent& control, const TPropertyRef& property, const TiEditorTranslate& translate)
{
    if (auto* edit = dynamic_cast<TiComponentEditorEdit*>(&control))
        LoadEdit(*edit, property);
    else if (auto* memo = dynamic_cast<TiComponentEditorMemo*>(&control))
        memo->SetAsString(property.GetString());
    else if (auto* check = dynamic_cast<TiComponentEditorCheckBox*>(&control))
        check->SetAsBoolean(property.GetOrd() != 0);
    else if (auto* combo = dynamic_cast<TiComponentEditorComboBox*>(&control)) {
        if (IsNameComboBox(combo->Name()))
            ShowNameInCombo(*combo, property.GetString(), translate);
        else if (property.Info->Kind() == tkString)
            combo->SetAsString(property.GetString());
        else
            combo->SetAsInteger(int(property.GetOrd()));
    } else if (auto* radio = dynamic_cast<TiComponentEditorRadioGroup*>(&control))
        radio->SetAsInteger(int(property.GetOrd()));
    else if (auto* color = dynamic_cast<TiComponentEditorColorPicker*>(&control))
        color->SetColor(TColor(property.GetOrd()));
    else if (auto* font = dynamic_cast<TiComponentEditorFontPicker*>(&control)) {
        if (auto* value = dynamic_cast<TFont*>(property.GetObject()))
            font->SetFont(value);
    } else
        throw Exception("The editor's control " + control.Name() + " shows no property");
}

// A text for a string property, a number for the others.
struct TControlValue {
    enum { Text, Ordinal, Float, Object } Kind = Text;
    std::string String;
    std::int64_t Ord = 0;
    double Number = 0;
    TObject* Instance = nullptr;
};

TControlValue EditValue(const TiComponentEditorEdit& edit, TTypeKind kind)
{
    TControlValue value;
    if (kind == tkString) {
        value.String = edit.GetAsString();
    } else if (kind == tkFloat) {
        value.Kind = TControlValue::Float;
        value.Number = edit.GetAsFloat();
    } else {
        value.Kind = TControlValue::Ordinal;
        value.Ord = edit.GetAsInteger();
    }
    return value;
}

TControlValue ControlValue(const TComponent& control, TTypeKind kind, const TiEditorTranslate& translate)
{
    TControlValue value;
    value.Kind = TControlValue::Ordinal;
    if (auto* edit = dynamic_cast<const TiComponentEditorEdit*>(&control))
        return EditValue(*edit, kind);
    if (auto* memo = dynamic_cast<const TiComponentEditorMemo*>(&control)) {
        value.Kind = TControlValue::Text;
        value.String = memo->GetAsString();
    } else if (auto* check = dynamic_cast<const TiComponentEditorCheckBox*>(&control)) {
        value.Ord = check->GetAsBoolean();
    } else if (auto* combo = dynamic_cast<const TiComponentEditorComboBox*>(&control)) {
        if (IsNameComboBox(combo->Name())) {
            value.Kind = TControlValue::Text;
            value.String = NameFromCombo(*combo, translate);
        } else if (kind == tkString) {
            value.Kind = TControlValue::Text;
            value.String = combo->GetAsString();
        } else {
            value.Ord = combo->GetAsInteger();
        }
    } else if (auto* radio = dynamic_cast<const TiComponentEditorRadioGroup*>(&control)) {
        value.Ord = radio->GetAsInteger();
    } else if (auto* color = dynamic_cast<const TiComponentEditorColorPicker*>(&control)) {
        value.Ord = color->Color();
    } else if (auto* font = dynamic_cast<const TiComponentEditorFontPicker*>(&control)) {
        value.Kind = TControlValue::Object;
        value.Instance = font->Font();
    } else {
        throw Exception("The editor's control " + control.Name() + " edits no property");
    }
    return value;
}

bool DiffersFromObject(const TControlValue& value, const TPropertyRef& property)
{
    switch (value.Kind) {
    case TControlValue::Text: return value.String != property.GetString();
    case TControlValue::Ordinal: return value.Ord != property.GetOrd();
    case TControlValue::Float: return value.Number != double(property.GetFloat());
    case TControlValue::Object: return true;
    }
    return true;
}

void StoreValue(const TControlValue& value, const TPropertyRef& property)
{
    switch (value.Kind) {
    case TControlValue::Text: property.SetString(value.String); return;
    case TControlValue::Ordinal:
        // A combo box or radio group without a choice (-1) is refused as an ordinal out of range.
        if (IsIntegral(property.Info->Kind()))
            property.SetOrd(value.Ord);
        else
            property.SetFloat(value.Ord);
        return;
    case TControlValue::Float: property.SetFloat(value.Number); return;
    case TControlValue::Object: property.SetObject(value.Instance); return;
    }
}

}  // namespace

void LoadBoundControls(const TComponent& form, std::span<const TiEditorBinding> bindings, TObject& object,
                       const TiEditorTranslate& translate)
{
    for (const TiEditorBinding& binding : bindings) {
        TComponent& control = BoundControl(form, binding.Control);
        if (const TPropertyRef property = FindProperty(object, binding.Property))
            LoadControl(control, property, translate);
    }
}

void StoreBoundControls(const TComponent& form, std::span<const TiEditorBinding> bindings, TObject& object,
                        const TiEditorTranslate& translate)
{
    for (const TiEditorBinding& binding : bindings) {
        const TComponent& control = BoundControl(form, binding.Control);
        const TPropertyRef property = FindProperty(object, binding.Property);
        if (!property)
            continue;
        const TControlValue value = ControlValue(control, property.Info->Kind(), translate);
        if (binding.WriteWhenChanged && !DiffersFromObject(value, property))
            continue;
        StoreValue(value, property);
    }
}

void WireCommit(TComponent& control, const TNotifyEvent& commit)
{
    if (auto* edit = dynamic_cast<TiComponentEditorEdit*>(&control))
        edit->OnUpdate = commit;
    else if (auto* memo = dynamic_cast<TiComponentEditorMemo*>(&control))
        memo->OnUpdate = commit;
    else if (auto* check = dynamic_cast<TiComponentEditorCheckBox*>(&control))
        check->OnClick = commit;
    else if (auto* combo = dynamic_cast<TiComponentEditorComboBox*>(&control))
        combo->OnChange = commit;
    else if (auto* radio = dynamic_cast<TiComponentEditorRadioGroup*>(&control))
        radio->OnChange = commit;
    else if (auto* color = dynamic_cast<TiComponentEditorColorPicker*>(&control))
        color->OnChange = commit;
    else if (auto* font = dynamic_cast<TiComponentEditorFontPicker*>(&control))
        font->OnChange = commit;
    else if (auto* open = dynamic_cast<TiComponentEditorOpenPicker*>(&control))
        open->OnChange = commit;
    else if (auto* save = dynamic_cast<TiComponentEditorSavePicker*>(&control))
        save->OnChange = commit;
    else if (auto* button = dynamic_cast<TButton*>(&control))
        button->OnClick = commit;
    else
        throw Exception("The editor's control " + control.Name() + " commits nothing");
}

void WireBoundControls(const TComponent& form, std::span<const TiEditorBinding> bindings, const TNotifyEvent& commit)
{
    for (const TiEditorBinding& binding : bindings)
        WireCommit(BoundControl(form, binding.Control), commit);
}
