// The toolkit's pickers: the colour picker and the buttons that open the computer selector,
// the font, open and save dialogs and the value converter. Each dialog or form lives only
// while its picker shows it. The plot's image Save reaches the save picker through the hook
// registered at the end of this file.

#include "editors/iEditorBasicComponents.h"

#include "editors/iColorDialog.h"
#include "editors/iEditorBasicComponents_p.h"
#include "editors/iFontDialog.h"
#include "editors/iOpenDialog.h"
#include "editors/iSaveDialog.h"
#include "editors/iValueConverterEdit.h"
#include "platform/canvas/Graphics.h"
#include "platform/canvas/SystemColors.h"
#include "plot/core/iPlotEditorHooks.h"

#include <utility>

namespace {

constexpr int kColorButtonSize = 21;

// The start name of a file dialog: "Untitled" in a folder given with a trailing separator.
std::string InitialDialogFileName(const std::string& fileName)
{
    if (!fileName.empty() && (fileName.back() == '/' || fileName.back() == '\\'))
        return fileName + "Untitled";
    return fileName;
}

TiComputerSelectorRunner& ComputerSelectorRunner()
{
    static TiComputerSelectorRunner runner;
    return runner;
}

}  // namespace

// ---------------------------------------------------------------------------------------------
// TiComponentEditorColorPicker

TiComponentEditorColorPicker::TiComponentEditorColorPicker(TComponent* owner)
    : TCustomControl(owner), m_button(new TButton(this))
{
    m_button->SetParent(this);
    m_button->SetCaption("...");
    m_button->Font()->SetStyle({fsBold});
    m_button->SetTabStop(false);
    m_button->OnClick = TNotifyEvent::Bind(this, &TiComponentEditorColorPicker::ButtonClick);
    m_button->SetBounds(0, 0, kColorButtonSize, kColorButtonSize);
    TCustomControl::SetColor(clRed);
    SetBounds(Left(), Top(), 47, 21);
}

void TiComponentEditorColorPicker::SetColor(TColor value)
{
    if (value == Color())
        return;
    TCustomControl::SetColor(value);
    Invalidate();
}

// The button keeps to the right edge and takes the picker's height.
void TiComponentEditorColorPicker::SetBounds(int left, int top, int width, int height)
{
    TCustomControl::SetBounds(left, top, width, height);
    m_button->SetBounds(Width() - m_button->Width(), 0, m_button->Width(), Height());
}

void TiComponentEditorColorPicker::Enable()
{
    SetEnabled(true);
    m_button->SetEnabled(true);
    Invalidate();
}

void TiComponentEditorColorPicker::Disable()
{
    SetEnabled(false);
    m_button->SetEnabled(false);
    Invalidate();
}

void TiComponentEditorColorPicker::Paint()
{
    TCanvas& canvas = *Canvas();
    canvas.Brush().SetStyle(bsSolid);
    canvas.Brush().SetColor(clBtnFace);
    canvas.FillRect(ClientRect());
    canvas.Pen().SetStyle(psSolid);
    canvas.Pen().SetColor(clBlack);
    canvas.Brush().SetColor(Enabled() ? Color() : clBtnFace);
    canvas.Rectangle(0, 0, Width() - m_button->Width() - 1, Height());
}

void TiComponentEditorColorPicker::ChooseColor()
{
    const std::unique_ptr<TiColorDialog> dialog = std::make_unique<TiColorDialog>(this);
    dialog->SetColor(Color());
    if (!dialog->Execute())
        return;
    TCustomControl::SetColor(dialog->Color());
    NotifyUserChange(this);
    Invalidate();
    OnChange(this);
}

void TiComponentEditorColorPicker::ButtonClick(TObject*) { ChooseColor(); }

void TiComponentEditorColorPicker::DblClick()
{
    TCustomControl::DblClick();
    ChooseColor();
}

void TiComponentEditorColorPicker::KeyDown(int& key, TShiftState shift)
{
    TCustomControl::KeyDown(key, shift);
    ToolkitKeyDown(*this, key, shift, true);
}

// ---------------------------------------------------------------------------------------------
// TiComponentEditorComputerPicker

void SetComputerSelectorRunner(TiComputerSelectorRunner runner) { ComputerSelectorRunner() = std::move(runner); }

TiComponentEditorComputerPicker::TiComponentEditorComputerPicker(TComponent* owner) : TiComponentEditorButton(owner)
{
    SetCaption("...");
    SetBounds(Left(), Top(), 25, 25);
}

void TiComponentEditorComputerPicker::Click()
{
    TiComponentEditorButton::Click();
    const TiComputerSelectorRunner& run = ComputerSelectorRunner();
    std::string name = m_computerName;
    if (!run || !run(*this, name))
        return;
    m_computerName = name;
    OnChange(this);
}

// ---------------------------------------------------------------------------------------------
// TiComponentEditorFontPicker

TiComponentEditorFontPicker::TiComponentEditorFontPicker(TComponent* owner)
    : TiComponentEditorButton(owner), m_font(std::make_unique<TFont>())
{
    SetCaption("Font");
    SetBounds(Left(), Top(), 75, 25);
}

TiComponentEditorFontPicker::~TiComponentEditorFontPicker() = default;

void TiComponentEditorFontPicker::SetFont(TFont* value)
{
    if (value)
        m_font->Assign(*value);
}

void TiComponentEditorFontPicker::Click()
{
    TiComponentEditorButton::Click();
    const std::unique_ptr<TiFontDialog> dialog = std::make_unique<TiFontDialog>(this);
    dialog->SetFont(m_font.get());
    if (!dialog->Execute())
        return;
    m_font->Assign(*dialog->Font());
    NotifyUserChange(this);
    Invalidate();
    OnChange(this);
}

// ---------------------------------------------------------------------------------------------
// TiComponentEditorOpenPicker

TiComponentEditorOpenPicker::TiComponentEditorOpenPicker(TComponent* owner)
    : TiComponentEditorButton(owner), m_files(std::make_unique<TStringList>())
{
    SetCaption("Open");
    SetBounds(Left(), Top(), 75, 25);
    SetTabStop(true);
}

TiComponentEditorOpenPicker::~TiComponentEditorOpenPicker() = default;

void TiComponentEditorOpenPicker::Click()
{
    TiComponentEditorButton::Click();
    const std::unique_ptr<TiOpenDialog> dialog = std::make_unique<TiOpenDialog>(this);
    dialog->SetFileMustExist(m_fileMustExist);
    dialog->SetMultiSelect(m_allowMultiSelect);
    dialog->SetFileName(InitialDialogFileName(m_fileName));
    dialog->SetFilter(m_filter);
    dialog->SetDefaultExt(m_defaultExt);
    if (!dialog->Execute())
        return;
    m_fileName = dialog->FileName();
    m_files->Clear();
    for (const std::string& file : dialog->Files())
        m_files->Add(file);
    NotifyUserChange(this);
    Invalidate();
    OnChange(this);
}

// ---------------------------------------------------------------------------------------------
// TiComponentEditorSavePicker

TiComponentEditorSavePicker::TiComponentEditorSavePicker(TComponent* owner) : TiComponentEditorButton(owner)
{
    SetCaption("Save");
    SetBounds(Left(), Top(), 75, 25);
    SetTabStop(true);
}

bool TiComponentEditorSavePicker::Execute()
{
    const std::unique_ptr<TiSaveDialog> dialog = std::make_unique<TiSaveDialog>(this);
    dialog->SetFileName(InitialDialogFileName(m_fileName));
    dialog->SetFilter(m_filter);
    dialog->SetDefaultExt(m_defaultExt);
    if (!dialog->Execute())
        return false;
    m_fileName = dialog->FileName();
    NotifyUserChange(this);
    Invalidate();
    OnChange(this);
    return true;
}

void TiComponentEditorSavePicker::Click()
{
    TiComponentEditorButton::Click();
    Execute();
}

// ---------------------------------------------------------------------------------------------
// TiComponentEditorValueConverterPicker

TiComponentEditorValueConverterPicker::TiComponentEditorValueConverterPicker(TComponent* owner)
    : TiComponentEditorButton(owner)
{
    SetCaption("...");
    SetBounds(Left(), Top(), 21, 21);
    SetTabStop(true);
}

void TiComponentEditorValueConverterPicker::SetAssociate(TiComponentEditorEdit* edit)
{
    if (m_associate)
        m_associate->RemoveFreeNotification(this);
    m_associate = edit;
    if (!edit)
        return;
    edit->FreeNotification(this);
    SetBounds(edit->Left() + edit->Width(), edit->Top(), Width(), edit->Height());
}

void TiComponentEditorValueConverterPicker::Notification(TComponent* component, TOperation operation)
{
    TiComponentEditorButton::Notification(component, operation);
    if (operation == opRemove && component == m_associate)
        m_associate = nullptr;
}

void TiComponentEditorValueConverterPicker::Click()
{
    TiComponentEditorButton::Click();
    const std::unique_ptr<TiValueConverterEditForm> form = std::make_unique<TiValueConverterEditForm>(this);
    form->PageControl()->SetActivePageIndex(int(m_defaultPage));
    TranslationMethod(form.get());
    form->SetValue(m_associate ? m_associate->GetAsFloat() : m_dateTime);
    if (form->ShowModal() != mrOk)
        return;
    m_dateTime = form->GetValue();
    if (m_associate)
        m_associate->SetDoubleWithEvent(m_dateTime);
    OnChange(this);
}

// ---------------------------------------------------------------------------------------------
// Published properties

PRAVIX_PUBLISH(TiComponentEditorColorPicker, Redeclare("Width").Default(47), Redeclare("Height").Default(21),
               Field("OnChange", &TiComponentEditorColorPicker::OnChange),
               Prop("TabOrder", &TWinControl::TabOrder, &TWinControl::SetTabOrder))

PRAVIX_PUBLISH(TiComponentEditorComputerPicker, Redeclare("Width").Default(25), Redeclare("Height").Default(25),
               Prop("ComputerName", &TiComponentEditorComputerPicker::ComputerName,
                    &TiComponentEditorComputerPicker::SetComputerName),
               Field("OnChange", &TiComponentEditorComputerPicker::OnChange))

PRAVIX_PUBLISH(TiComponentEditorFontPicker, Redeclare("Width").Default(75), Redeclare("Height").Default(25),
               Prop("Font", &TiComponentEditorFontPicker::Font, &TiComponentEditorFontPicker::SetFont).Owned(),
               Field("OnChange", &TiComponentEditorFontPicker::OnChange))

PRAVIX_PUBLISH(TiComponentEditorOpenPicker, Redeclare("Width").Default(75), Redeclare("Height").Default(25),
               Prop("FileName", &TiComponentEditorOpenPicker::FileName, &TiComponentEditorOpenPicker::SetFileName),
               Prop("Filter", &TiComponentEditorOpenPicker::Filter, &TiComponentEditorOpenPicker::SetFilter),
               Prop("DefaultExt", &TiComponentEditorOpenPicker::DefaultExt,
                    &TiComponentEditorOpenPicker::SetDefaultExt),
               Prop("FileMustExist", &TiComponentEditorOpenPicker::FileMustExist,
                    &TiComponentEditorOpenPicker::SetFileMustExist)
                   .Default(false),
               Prop("AllowMultiSelect", &TiComponentEditorOpenPicker::AllowMultiSelect,
                    &TiComponentEditorOpenPicker::SetAllowMultiSelect)
                   .Default(false),
               Field("OnChange", &TiComponentEditorOpenPicker::OnChange))

PRAVIX_PUBLISH(TiComponentEditorSavePicker, Redeclare("Width").Default(75), Redeclare("Height").Default(25),
               Prop("FileName", &TiComponentEditorSavePicker::FileName, &TiComponentEditorSavePicker::SetFileName),
               Prop("Filter", &TiComponentEditorSavePicker::Filter, &TiComponentEditorSavePicker::SetFilter),
               Prop("DefaultExt", &TiComponentEditorSavePicker::DefaultExt,
                    &TiComponentEditorSavePicker::SetDefaultExt),
               Field("OnChange", &TiComponentEditorSavePicker::OnChange))

PRAVIX_PUBLISH(TiComponentEditorValueConverterPicker, Redeclare("Width").Default(21), Redeclare("Height").Default(21),
               Prop("DateTime", &TiComponentEditorValueConverterPicker::DateTime,
                    &TiComponentEditorValueConverterPicker::SetDateTime),
               Field("OnChange", &TiComponentEditorValueConverterPicker::OnChange),
               Prop("Associate", &TiComponentEditorValueConverterPicker::Associate,
                    &TiComponentEditorValueConverterPicker::SetAssociate),
               Prop("DefaultPage", &TiComponentEditorValueConverterPicker::DefaultPage,
                    &TiComponentEditorValueConverterPicker::SetDefaultPage)
                   .Default(ivcptInterval),
               Field("TranslationMethod", &TiComponentEditorValueConverterPicker::TranslationMethod))

// ---------------------------------------------------------------------------------------------
// The plot's image Save

namespace {

// The plot's hidden save picker: owned by and parented to the plot, made on first use.
TiComponentEditorSavePicker& HiddenSavePicker(TWinControl& plot)
{
    for (int i = 0; i < plot.ComponentCount(); ++i) {
        if (auto* picker = dynamic_cast<TiComponentEditorSavePicker*>(plot.Components(i)))
            return *picker;
    }
    auto* picker = new TiComponentEditorSavePicker(&plot);
    picker->SetVisible(false);
    picker->SetParent(&plot);
    return *picker;
}

// Every program that loads the library gets the hooks.
const bool g_hooksRegistered = (RegisterEditorHooks(), true);

}  // namespace

void RegisterEditorHooks()
{
    RegisterPlotSavePicker([](TWinControl& plot, const std::string& filter, std::string& fileName) {
        TiComponentEditorSavePicker& picker = HiddenSavePicker(plot);
        picker.SetFilter(filter);
        picker.SetFileName(fileName);
        if (!picker.Execute())
            return false;
        fileName = picker.FileName();
        return true;
    });
}
