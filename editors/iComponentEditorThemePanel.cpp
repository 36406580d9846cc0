#include "editors/iComponentEditorThemePanel.h"

#include "components/iClasses.h"
#include "components/iVCLComponent.h"
#include "editors/iComponentEditorThemePanelAddDialog.h"
#include "editors/iComponentEditorThemePanelMaintenance.h"
#include "platform/canvas/SystemColors.h"
#include "platform/core/Assert.h"
#include "platform/core/Conversions.h"
#include "platform/core/Exceptions.h"
#include "platform/core/StrUtils.h"
#include "platform/gui/Dialogs.h"
#include "platform/gui/ExtCtrls.h"
#include "platform/gui/StdCtrls.h"

#include <algorithm>
#include <filesystem>
#include <utility>

namespace {

const char* const kMalformed = "Error Loading Scheme. XML File Malformed";
const char* const kSavingError = "Error Saving User-Defined Theme Settings - ";

struct TRowDefaults {
    const char* Title;
    bool Show;
    bool IsOverall;
};
constexpr TRowDefaults kRowDefaults[kThemeRowCount] = {{"Preset Scheme", true, true},
                                                       {"Color Scheme", true, false},
                                                       {"Scheme3", false, false},
                                                       {"Scheme4", false, false},
                                                       {"Scheme5", false, false}};

// The sunken 3-D edge the panel draws around itself; the children are laid out inside it.
constexpr int kEdgeWidth = 2;

void ExpectPiece(TiXMLMemoryStream& stream, const char* expected)
{
    std::string piece;
    stream.GetNextPiece(piece);
    if (piece != expected)
        throw Exception(kMalformed);
}

// The reader ends a value at the next "<" and a line at CR or LF, so such text would come
// back as something else or break the file for every later reader.
void CheckValue(const std::string& what, const std::string& text)
{
    if (text.find_first_of("<\r\n") != std::string::npos)
        throw Exception("The value of " + what + " holds \"<\" or a line break, which a scheme file cannot store.");
}

// A tag name ends at ">" or a blank, and "/" makes an end tag of it.
void CheckTagName(const std::string& name)
{
    if (name.find_first_of("<>/ \r\n") != std::string::npos)
        throw Exception("The property path " + name + " cannot be the name of a scheme file element.");
}

bool IsUserScheme(const TObject* scheme) { return scheme && scheme->InheritsFrom(TiUserSchemeList::StaticClassInfo()); }

TShape* CreateLegendSquare(TiComponentEditorThemePanel* panel, TColor color)
{
    auto* shape = new TShape(panel);
    shape->SetParent(panel);
    shape->Brush()->SetColor(color);
    shape->Pen()->SetColor(clBlack);
    return shape;
}

TLabel* CreateLabel(TWinControl* parent, TComponent* owner, const std::string& caption, int width)
{
    auto* label = new TLabel(owner);
    label->SetParent(parent);
    label->SetCaption(caption);
    label->SetBounds(0, 0, width, 13);
    return label;
}

}  // namespace

// --- The combo box ------------------------------------------------------------------------------

TiThemeComboBox::TiThemeComboBox(TComponent* owner) : TComboBox(owner) {}

PRAVIX_PUBLISH(TiThemeComboBox)

// --- Construction ---------------------------------------------------------------------------------

using TiPanel = TiComponentEditorThemePanel;

#define PRAVIX_THEME_ROW(N)                                                                                         \
    Prop("Scheme" #N "EnableModify", &TiPanel::RowEnableModify<N - 1>, &TiPanel::SetRowEnableModify<N - 1>),        \
        Prop("Scheme" #N "IsOverall", &TiPanel::RowIsOverall<N - 1>, &TiPanel::SetRowIsOverall<N - 1>),             \
        Prop("Scheme" #N "PropertyNames", &TiPanel::RowPropertyNames<N - 1>, &TiPanel::SetRowPropertyNames<N - 1>), \
        Prop("Scheme" #N "Show", &TiPanel::RowShow<N - 1>, &TiPanel::SetRowShow<N - 1>),                            \
        Prop("Scheme" #N "Title", &TiPanel::RowTitle<N - 1>, &TiPanel::SetRowTitle<N - 1>)

PRAVIX_PUBLISH(TiComponentEditorThemePanel, PRAVIX_THEME_ROW(1), PRAVIX_THEME_ROW(2), PRAVIX_THEME_ROW(3),
               PRAVIX_THEME_ROW(4), PRAVIX_THEME_ROW(5),
               Prop("AutoAcceptPreview", &TiPanel::AutoAcceptPreview, &TiPanel::SetAutoAcceptPreview).Default(false),
               Prop("SchemeCount", &TiPanel::SchemeCount, &TiPanel::SetSchemeCount).Default(kThemeRowCount))

#undef PRAVIX_THEME_ROW

TiComponentEditorThemePanel::TiComponentEditorThemePanel(TComponent* owner) : TCustomControl(owner)
{
    SetBounds(Left(), Top(), 500, 250);
    SetAlign(alClient);
    SetColor(clBtnFace);

    m_previewBox = new TiComponentEditorGroupBox(this);
    m_previewBox->SetParent(this);
    m_previewBox->SetCaption("Preview");
    m_previewBox->OnMouseDown = TMouseEvent::Bind(this, &TiPanel::OpenMaintenance);
    m_scrollBox = new TScrollBox(this);
    m_scrollBox->SetParent(m_previewBox);
    m_scrollBox->SetBorderStyle(bsNoBorder);
    m_scrollBox->OnResize = [this](TObject*) { ReCenterPreview(); };
    for (TLabel** label : {&m_notInstalledLabel, &m_disabledLabel}) {
        *label = CreateLabel(m_scrollBox, this,
                             label == &m_notInstalledLabel ? "Themes Not Installed." : "Themes are Disabled.", 0);
        (*label)->Font()->SetStyle({fsBold});
        (*label)->SetAlignment(taCenter);
    }

    m_acceptButton = new TiComponentEditorButton(this);
    m_acceptButton->SetParent(this);
    m_acceptButton->SetCaption("&Accept Preview");
    m_acceptButton->SetBounds(0, 0, 99, 25);
    m_acceptButton->SetEnabled(false);
    m_acceptButton->OnClick = TNotifyEvent::Bind(this, &TiPanel::AcceptPreviewButtonClick);

    m_legendLabel = CreateLabel(this, this, "Legend", 60);
    m_legendLabel->Font()->SetStyle({fsUnderline});
    m_predefinedShape = CreateLegendSquare(this, clRed);
    m_predefinedLabel = CreateLabel(this, this, "Pre-Defined (Fixed)", 120);
    m_userShape = CreateLegendSquare(this, clBlue);
    m_userLabel = CreateLabel(this, this, "User Defined", 120);

    for (int row = 0; row < kThemeRowCount; ++row)
        CreateRow(row);
    DoResize();
}

TiComponentEditorThemePanel::~TiComponentEditorThemePanel()
{
    // The combos hold the row lists' schemes: they go first.
    for (TRow& r : m_rows)
        delete r.Combo;
}

void TiComponentEditorThemePanel::CreateRow(int row)
{
    TRow& r = m_rows[row];
    // The flags are stored without their setters: every row's controls start visible and live.
    r.Title = kRowDefaults[row].Title;
    r.Show = kRowDefaults[row].Show;
    r.IsOverall = kRowDefaults[row].IsOverall;
    r.PropertyNames = std::make_unique<TStringList>();
    r.List = std::make_unique<TStringList>(true);

    r.Combo = new TiThemeComboBox(this);
    r.Combo->SetParent(this);
    r.Combo->SetStyle(csOwnerDrawFixed);
    r.Combo->SetItemHeight(12);
    r.Combo->SetBounds(0, 0, 184, 20);
    r.Combo->OnChange = [this, row](TObject*) { SchemeComboChange(row); };
    r.Combo->OnDropDown = [this, row](TObject*) { SchemeComboDropDown(row); };
    r.Combo->OnDrawItem = TDrawItemEvent::Bind(this, &TiPanel::ComboBoxDrawItem);
    r.TitleLabel = CreateLabel(this, this, r.Title + ":", 184);

    const auto makeButton = [this](const char* caption) {
        auto* button = new TiComponentEditorButton(this);
        button->SetParent(this);
        button->SetCaption(caption);
        button->SetBounds(0, 0, 21, 19);
        button->Font()->SetSize(12);
        button->Font()->SetStyle({fsBold});
        return button;
    };
    r.AddButton = makeButton("+");
    r.AddButton->OnClick = [this, row](TObject*) { SchemeAddButtonClick(row); };
    r.DeleteButton = makeButton("-");
    r.DeleteButton->SetEnabled(false);
    r.DeleteButton->OnClick = [this, row](TObject*) { SchemeDeleteButtonClick(row); };
}

void TiComponentEditorThemePanel::Loaded()
{
    TCustomControl::Loaded();
    DoResize();
}

void TiComponentEditorThemePanel::Paint()
{
    TCanvas& canvas = *Canvas();
    canvas.Brush().SetColor(Color());
    canvas.FillRect(ClientRect());
    canvas.DrawEdge(ClientRect(), EDGE_SUNKEN);
}

// --- Layout ------------------------------------------------------------------------------------------

void TiComponentEditorThemePanel::DoResize()
{
    // Right and bottom of the area inside the edge, whose top left is (kEdgeWidth, kEdgeWidth).
    const int right = Width() - kEdgeWidth;
    const int bottom = Height() - kEdgeWidth;
    const int labelHeight = m_rows[0].TitleLabel->Height();
    int comboTop = kEdgeWidth + labelHeight + 3;
    int comboLeft = 0;
    for (TRow& r : m_rows) {
        r.DeleteButton->SetLeft(right - 3 - r.DeleteButton->Width());
        r.AddButton->SetLeft(r.DeleteButton->Left() - r.AddButton->Width());
        comboLeft = r.AddButton->Left() - 3 - r.Combo->Width();
        r.Combo->SetBounds(comboLeft, comboTop, r.Combo->Width(), r.Combo->Height());
        r.TitleLabel->SetBounds(comboLeft, comboTop - labelHeight, r.TitleLabel->Width(), labelHeight);
        for (TControl* button : {static_cast<TControl*>(r.AddButton), static_cast<TControl*>(r.DeleteButton)})
            button->SetTop(comboTop + r.Combo->Height() / 2 - button->Height() / 2);
        comboTop += r.Combo->Height() + labelHeight + 1;
    }

    m_previewBox->SetBounds(kEdgeWidth, kEdgeWidth, comboLeft - 10 - kEdgeWidth, bottom - kEdgeWidth);
    m_scrollBox->SetBounds(3, 20, m_previewBox->Width() - 6, m_previewBox->Height() - 23);
    const int boxWidth = m_scrollBox->Width();
    const int boxHeight = m_scrollBox->Height();
    m_notInstalledLabel->SetBounds(0, boxHeight / 2 - 3 * m_notInstalledLabel->Height(), boxWidth - 5,
                                   m_notInstalledLabel->Height());
    m_disabledLabel->SetBounds(0, boxHeight / 2, boxWidth - 5, m_disabledLabel->Height());

    m_acceptButton->SetBounds(right - m_acceptButton->Width() - 3, bottom - m_acceptButton->Height() - 5,
                              m_acceptButton->Width(), m_acceptButton->Height());

    const int side = m_userLabel->Height();
    m_userShape->SetBounds(comboLeft, bottom - side - 5, side, side);
    m_userLabel->SetBounds(m_userShape->Left() + side + 3, m_userShape->Top(), m_userLabel->Width(), side);
    m_predefinedShape->SetBounds(comboLeft, m_userShape->Top() - 2 - side, side, side);
    m_predefinedLabel->SetBounds(m_predefinedShape->Left() + side + 3, m_predefinedShape->Top(),
                                 m_predefinedLabel->Width(), side);
    m_legendLabel->SetBounds(comboLeft, m_predefinedShape->Top() - m_legendLabel->Height() - 5, m_legendLabel->Width(),
                             m_legendLabel->Height());
}

void TiComponentEditorThemePanel::ReCenterPreview()
{
    if (!m_preview)
        return;
    const auto centred = [](int box, int preview) { return box >= preview ? box / 2 - preview / 2 : 0; };
    m_preview->SetBounds(centred(m_scrollBox->Width(), m_preview->Width()),
                         centred(m_scrollBox->Height(), m_preview->Height()), m_preview->Width(), m_preview->Height());
}

// --- Row properties ------------------------------------------------------------------------------

void TiComponentEditorThemePanel::SetSchemeTitle(int row, const std::string& value)
{
    TRow& r = m_rows[row];
    if (value == r.Title)
        return;
    r.Title = value;
    r.TitleLabel->SetCaption(value + ":");
}

void TiComponentEditorThemePanel::SetSchemeShow(int row, bool value)
{
    TRow& r = m_rows[row];
    r.Show = value;
    for (TControl* control : {static_cast<TControl*>(r.Combo), static_cast<TControl*>(r.TitleLabel),
                              static_cast<TControl*>(r.AddButton), static_cast<TControl*>(r.DeleteButton)})
        control->SetVisible(value);
}

void TiComponentEditorThemePanel::SetSchemeEnableModify(int row, bool value)
{
    TRow& r = m_rows[row];
    r.EnableModify = value;
    r.AddButton->SetEnabled(value);
    r.DeleteButton->SetEnabled(value);
}

void TiComponentEditorThemePanel::SetSchemePropertyNames(int row, TStringList* value)
{
    m_rows[row].PropertyNames->Clear();
    if (value)
        for (int i = 0; i < value->Count(); ++i)
            m_rows[row].PropertyNames->Add(value->Get(i));
}

void TiComponentEditorThemePanel::SetSchemeCount(int value) { m_schemeCount = std::clamp(value, 0, kThemeRowCount); }

void TiComponentEditorThemePanel::SetAutoAcceptPreview(bool value)
{
    if (value == m_autoAcceptPreview)
        return;
    m_autoAcceptPreview = value;
    m_acceptButton->SetVisible(value);
}

TStringList* TiComponentEditorThemePanel::GetSchemeList(int index) const
{
    return index >= 0 && index < kThemeRowCount ? m_rows[index].List.get() : nullptr;
}

std::string TiComponentEditorThemePanel::GetSchemeName(int index) const
{
    return index >= 0 && index < kThemeRowCount ? m_rows[index].Title : std::string();
}

// --- Preview --------------------------------------------------------------------------------------

void TiComponentEditorThemePanel::SetiComponentPreview(TWinControl* preview)
{
    m_preview = preview;
    if (m_preview && !m_preview->Parent())
        m_preview->SetParent(m_scrollBox);
    ResetThemePanel();
    LoadFromXMLFile();
}

void TiComponentEditorThemePanel::ResetThemePanel()
{
    for (TRow& r : m_rows) {
        r.Combo->SetItemIndex(-1);
        r.DeleteButton->SetEnabled(false);
    }
    m_acceptButton->SetEnabled(false);
    ReCenterPreview();
}

void TiComponentEditorThemePanel::AcceptPreviewButtonClick(TObject*)
{
    OnAcceptChanges(this);
    m_acceptButton->SetEnabled(false);
    if (m_rows[0].Combo->CanFocus())
        m_rows[0].Combo->SetFocus();
}

std::string TiComponentEditorThemePanel::PreviewClassName() const
{
    return m_preview ? m_preview->ClassInfo().Name() : std::string();
}

// --- Folders and files ------------------------------------------------------------------------------

void TiComponentEditorThemePanel::GetThemePaths(std::string& predefinedPath, std::string& userPath)
{
    TiVCLComponent::GetThemePaths(predefinedPath, userPath);
    m_themesInstalled = !predefinedPath.empty() || !userPath.empty();
    m_notInstalledLabel->SetVisible(!m_themesInstalled);
    m_disabledLabel->SetVisible(!m_themesInstalled);
    if (m_themesInstalled)
        return;
    for (TRow& r : m_rows)
        for (TControl* control : {static_cast<TControl*>(r.Combo), static_cast<TControl*>(r.TitleLabel),
                                  static_cast<TControl*>(r.AddButton), static_cast<TControl*>(r.DeleteButton)})
            control->SetEnabled(false);
    if (m_preview)
        m_preview->SetBounds(m_preview->Left(), m_preview->Top(), 0, 0);
}

void TiComponentEditorThemePanel::ReleaseComboItems(int row) { m_rows[row].Combo->Items()->Clear(); }

void TiComponentEditorThemePanel::ClearAllSchemes()
{
    for (int row = 0; row < kThemeRowCount; ++row) {
        ReleaseComboItems(row);
        m_rows[row].List->Clear();
    }
}

void TiComponentEditorThemePanel::LoadFromXMLFile()
{
    if (IsDesigning() || !m_preview)
        return;
    ClearAllSchemes();
    std::string predefinedPath;
    std::string userPath;
    GetThemePaths(predefinedPath, userPath);
    LoadFile(predefinedPath + PreviewClassName() + ".xml", TiPravixSchemeList::StaticClassInfo(),
             "Error Reading Pre-Defined Theme Settings - ");
    LoadFile(userPath + PreviewClassName() + "User.xml", TiUserSchemeList::StaticClassInfo(),
             "Error Reading User-Defined Theme Settings - ");
}

void TiComponentEditorThemePanel::LoadFile(const std::string& fileName, const TClassInfo& schemeClass,
                                           const char* errorPrefix)
{
    std::error_code ignored;
    if (!std::filesystem::exists(fileName, ignored))
        return;
    TiXMLMemoryStream stream;
    try {
        stream.LoadFromFile(fileName);
    } catch (const EFOpenError&) {
        return;  // as if missing
    }
    try {
        LoadSchemes(stream, schemeClass);
    } catch (const Exception& e) {
        MessageDlg(errorPrefix + e.Message(), mtInformation, {mbOK});
    }
}

void TiComponentEditorThemePanel::LoadSchemes(TiXMLMemoryStream& stream, const TClassInfo& schemeClass)
{
    std::string piece;
    std::string title;
    std::string name;
    std::string value;
    stream.GotoElementStart("SchemeTypes");
    for (stream.PeekNextPiece(piece); piece == "SchemeType"; stream.PeekNextPiece(piece)) {
        stream.GotoElementStart("SchemeType");
        stream.GetElement("Name", title);
        TStringList* list = GetSchemeTypeListByName(title);
        for (stream.PeekNextPiece(piece); piece == "Scheme"; stream.PeekNextPiece(piece)) {
            stream.GotoElementStart("Scheme");
            stream.GetElement("Name", name);
            TStringList* scheme = nullptr;
            if (list) {
                scheme = dynamic_cast<TStringList*>(schemeClass.Create(nullptr));
                PRAVIX_ASSERT(scheme, "scheme classes are string lists");
                list->AddObject(name, scheme);
            }
            stream.GotoElementStart("Properties");
            for (stream.PeekNextPiece(piece); piece != "/Properties"; stream.PeekNextPiece(piece)) {
                stream.GetElement(piece, value);
                if (scheme && !piece.empty())
                    scheme->Add(CombineNameValue(piece, value));
            }
            ExpectPiece(stream, "/Properties");
            ExpectPiece(stream, "/Scheme");
        }
        ExpectPiece(stream, "/SchemeType");
    }
    ExpectPiece(stream, "/SchemeTypes");
}

TStringList* TiComponentEditorThemePanel::GetSchemeTypeListByName(const std::string& title) const
{
    for (const TRow& r : m_rows)
        if (r.Title == title)
            return r.List.get();
    return nullptr;
}

bool TiComponentEditorThemePanel::SaveToXMLFile()
{
    if (!m_preview)
        return false;
    std::string predefinedPath;
    std::string userPath;
    GetThemePaths(predefinedPath, userPath);
    // The whole file is built first: a value it cannot hold leaves the stored file untouched.
    try {
        TiXMLMemoryStream stream;
        stream.StartElement("SchemeTypes");
        for (const TRow& r : m_rows)
            if (r.Show)
                SaveSchemeType(stream, *r.List, r.Title);
        stream.EndElement("SchemeTypes");
        stream.SaveToFile(userPath + PreviewClassName() + "User.xml");
    } catch (const Exception& e) {
        MessageDlg(kSavingError + e.Message(), mtError, {mbOK});
        return false;
    }
    return true;
}

void TiComponentEditorThemePanel::SaveSchemeType(TiXMLMemoryStream& stream, const TStringList& list,
                                                 const std::string& title)
{
    std::string name;
    std::string value;
    stream.StartElement("SchemeType");
    CheckValue("the scheme type " + title, title);
    stream.WriteElement("Name", title);
    for (int i = 0; i < list.Count(); ++i) {
        const auto* scheme = dynamic_cast<const TStringList*>(list.GetObject(i));
        if (!IsUserScheme(scheme))
            continue;
        stream.StartElement("Scheme");
        CheckValue("the scheme name " + list.Get(i), list.Get(i));
        stream.WriteElement("Name", list.Get(i));
        stream.StartElement("Properties");
        for (int line = 0; line < scheme->Count(); ++line) {
            SeparateNameValue(scheme->Get(line), name, value);
            if (name.empty())
                continue;
            CheckTagName(name);
            CheckValue(name, value);
            stream.WriteElement(name, value);  // a line over 255 characters raises
        }
        stream.EndElement("Properties");
        stream.EndElement("Scheme");
    }
    stream.EndElement("SchemeType");
}

// --- Property access --------------------------------------------------------------------------------

const TPropInfo* TiComponentEditorThemePanel::GetPropertyInfo(TObject*& instance, const std::string& path)
{
    std::vector<std::string> segments;
    std::size_t start = 0;
    for (std::size_t dot = path.find('.'); dot != std::string::npos; dot = path.find('.', start)) {
        segments.push_back(Trim(path.substr(start, dot - start)));
        start = dot + 1;
    }
    segments.push_back(Trim(path.substr(start)));
    for (std::size_t i = 0; i + 1 < segments.size(); ++i) {
        const TPropInfo* p = instance ? instance->ClassInfo().FindProperty(segments[i]) : nullptr;
        // Owned sub-objects only: a reference to another component is not walked into.
        if (!p || p->Kind() != tkClass || !p->IsOwnedObject())
            return nullptr;
        instance = p->GetObject(*instance);
        if (!dynamic_cast<TPersistent*>(instance))
            return nullptr;
    }
    return instance ? instance->ClassInfo().FindProperty(segments.back()) : nullptr;
}

std::string TiComponentEditorThemePanel::GetProperty(TObject* instance, const std::string& path)
{
    const TPropInfo* p = GetPropertyInfo(instance, path);
    if (!p || !p->HasGetter())
        return {};
    if (TPropInfo::IsOrdinalKind(p->Kind()))
        return std::to_string(p->GetOrd(*instance));
    if (p->Kind() == tkFloat)
        return FloatToStr(double(p->GetFloat(*instance)), '.');
    if (p->Kind() == tkString)
        return p->GetString(*instance);
    return {};
}

void TiComponentEditorThemePanel::SetProperty(TObject* instance, const std::string& path, const std::string& value)
{
    const TPropInfo* p = GetPropertyInfo(instance, path);
    if (!p || !p->HasSetter())
        return;
    if (p->Kind() == tkString) {
        p->SetString(*instance, value.empty() ? " " : value);
        return;
    }
    const bool ordinal = TPropInfo::IsOrdinalKind(p->Kind());
    if ((!ordinal && p->Kind() != tkFloat) || Trim(value).empty())
        return;
    if (ordinal)
        p->SetOrd(*instance, StrToInt(value));  // refuses enumeration ordinals out of range
    else
        p->SetFloat(*instance, FileStrToFloat(value));
}

void TiComponentEditorThemePanel::SeparateNameValue(const std::string& line, std::string& name, std::string& value)
{
    TiVCLComponent::SeparateNameValue(line, name, value);
}

std::string TiComponentEditorThemePanel::CombineNameValue(const std::string& name, const std::string& value)
{
    return name + " = " + value;
}

// --- Selecting and drawing -------------------------------------------------------------------------

void TiComponentEditorThemePanel::ClearSelectedSchemes()
{
    for (TRow& r : m_rows) {
        r.Combo->SetItemIndex(-1);
        r.DeleteButton->SetEnabled(false);
    }
}

void TiComponentEditorThemePanel::SchemeComboChange(int row)
{
    TRow& r = m_rows[row];
    const int index = r.Combo->ItemIndex();
    if (index < 0 || !m_preview)
        return;
    if (r.IsOverall) {
        ClearSelectedSchemes();
        r.Combo->SetItemIndex(index);  // fires nothing: no re-entry
    }
    const auto* scheme = dynamic_cast<const TStringList*>(r.Combo->Items()->GetObject(index));
    if (!scheme)
        return;
    TransferSchemeData(*scheme);
    r.DeleteButton->SetEnabled(IsUserScheme(scheme));
    if (m_autoAcceptPreview)
        OnAcceptChanges(this);
}

void TiComponentEditorThemePanel::TransferSchemeData(const TStringList& scheme)
{
    std::string name;
    std::string value;
    for (int i = 0; i < scheme.Count(); ++i) {
        SeparateNameValue(scheme.Get(i), name, value);
        if (!name.empty())
            SetProperty(m_preview, name, value);
    }
    ReCenterPreview();
    m_acceptButton->SetEnabled(true);
}

void TiComponentEditorThemePanel::SchemeComboDropDown(int row)
{
    TRow& r = m_rows[row];
    r.DeleteButton->SetEnabled(false);
    r.Combo->Items()->Assign(*r.List);
    r.Combo->SetItemIndex(-1);
}

void TiComponentEditorThemePanel::ComboBoxDrawItem(TWinControl* control, int index, TRect rect, TOwnerDrawState state)
{
    auto* combo = static_cast<TComboBox*>(control);
    TCanvas& canvas = *combo->Canvas();
    const bool selected = state.count(odSelected) > 0;
    canvas.Brush().SetStyle(bsSolid);
    canvas.Brush().SetColor(selected ? clTeal : clWindow);
    canvas.FillRect(rect);
    canvas.Font().SetColor(selected ? clWhite : clBlack);
    canvas.TextOut(rect.Left + 16, rect.Top, combo->Items()->Get(index));
    canvas.Pen().SetStyle(psSolid);
    canvas.Pen().SetColor(clBlack);
    canvas.Brush().SetColor(IsUserScheme(combo->Items()->GetObject(index)) ? clBlue : clRed);
    canvas.Rectangle(rect.Left + 2, rect.Top + 2, rect.Left + 12, rect.Top + 12);
}

// --- Deleting and adding ------------------------------------------------------------------------------

void TiComponentEditorThemePanel::SchemeDeleteButtonClick(int row)
{
    TRow& r = m_rows[row];
    if (MessageDlg("Are you sure you want to permanentely delete this scheme entry?", mtConfirmation, {mbYes, mbNo}) !=
        mrYes)
        return;
    if (!SaveToXMLFile())
        return;
    const int index = r.Combo->ItemIndex();
    const int entry = index >= 0 ? r.List->IndexOfObject(r.Combo->Items()->GetObject(index)) : -1;
    ReleaseComboItems(row);
    if (entry >= 0)
        r.List->Delete(entry);  // frees the scheme
    r.DeleteButton->SetEnabled(false);
    SaveToXMLFile();
}

void TiComponentEditorThemePanel::SchemeAddButtonClick(int row)
{
    if (m_preview)
        SchemeAdd(row);
}

int TiComponentEditorThemePanel::UserSchemeNameExist(const std::string& name, const TStringList& list)
{
    for (int i = list.Count() - 1; i >= 0; --i)
        if (IsUserScheme(list.GetObject(i)) && list.Get(i) == name)
            return i;
    return -1;
}

void TiComponentEditorThemePanel::SchemeAdd(int row)
{
    TRow& r = m_rows[row];
    TiComponentEditorThemePanelAddDialogForm dialog(Owner());
    dialog.SetCaption("Add Scheme to " + r.Title);
    dialog.SchemeName()->SetText(r.Combo->Text());
    if (dialog.ShowModal() != mrOk)
        return;
    const std::string name = Trim(dialog.SchemeName()->Text());
    if (name.empty()) {
        MessageDlg("No name was entered. Aborting Save.", mtError, {mbOK});
        return;
    }
    if (const int existing = UserSchemeNameExist(name, *r.List); existing >= 0) {
        if (MessageDlg("Do you want to overwrite " + name + "?", mtConfirmation, {mbYes, mbNo}) != mrYes)
            return;
        ReleaseComboItems(row);
        r.List->Delete(existing);
    }
    CreateNewScheme(name, *r.List, *r.PropertyNames);

    SchemeComboDropDown(row);
    const TStrings& items = *r.Combo->Items();
    for (int i = 0; i < items.Count(); ++i)
        if (SameText(items.Get(i), name)) {
            r.Combo->SetItemIndex(i);
            break;
        }
    const bool acceptEnabled = m_acceptButton->Enabled();
    SchemeComboChange(row);
    m_acceptButton->SetEnabled(acceptEnabled);
}

void TiComponentEditorThemePanel::CreateNewScheme(const std::string& name, TStringList& list,
                                                  const TStringList& propertyNames)
{
    try {
        auto scheme = std::make_unique<TiUserSchemeList>();
        for (int i = 0; i < propertyNames.Count(); ++i)
            scheme->Add(CombineNameValue(propertyNames.Get(i), GetProperty(m_preview, propertyNames.Get(i))));
        list.AddObject(name, scheme.release());
        SaveToXMLFile();
        ResetThemePanel();
        LoadFromXMLFile();
    } catch (const Exception&) {
        // Swallowed: the reload shows what the files hold.
    }
}

// --- Cleaning and maintenance ---------------------------------------------------------------------

void TiComponentEditorThemePanel::CleanScheme(TStringList& list, const TStringList& propertyNames, bool silent)
{
    if (!silent && MessageDlg("Are you sure you want to clean this scheme of missing/erroneous properties?", mtWarning,
                              {mbYes, mbNo}) == mrNo)
        return;
    if (!OnAcceptChanges) {
        MessageDlg("OnAcceptChanges event not assigned.  Scheme clean aborted.", mtError, {mbOK});
        return;
    }
    TStringList cleaned(true);
    const int count = list.Count();
    // Every CreateNewScheme saves and reloads all rows: entry i is read from the list anew.
    for (int i = 0; i < count && i < list.Count(); ++i) {
        const std::string name = list.Get(i);
        TransferSchemeData(*static_cast<const TStringList*>(list.GetObject(i)));
        OnAcceptChanges(this);
        CreateNewScheme(name, cleaned, propertyNames);
    }
    for (int row = 0; row < kThemeRowCount; ++row)
        if (m_rows[row].List.get() == &list)
            ReleaseComboItems(row);
    for (int i = std::min(count, list.Count()); i > 0; --i)
        list.Delete(0);
    cleaned.SetOwnsObjects(false);
    for (int i = 0; i < cleaned.Count(); ++i)
        list.AddObject(cleaned.Get(i), cleaned.GetObject(i));
    SaveToXMLFile();
    m_acceptButton->SetEnabled(true);
}

void TiComponentEditorThemePanel::CleanAllSchemes()
{
    for (int row = 0; row < m_schemeCount; ++row)
        CleanScheme(*m_rows[row].List, *m_rows[row].PropertyNames, true);
}

void TiComponentEditorThemePanel::OpenMaintenance(TObject*, TMouseButton, TShiftState shift, int, int)
{
    if (!m_preview || !shift.count(ssShift) || !shift.count(ssCtrl) || !shift.count(ssAlt))
        return;
    TiComponentEditorThemePanelMaintenanceForm form(Owner());
    form.SetThemePanel(this);
    if (form.ShowModal() == mrOk)
        SaveToXMLFile();
    ResetThemePanel();
    LoadFromXMLFile();
}
