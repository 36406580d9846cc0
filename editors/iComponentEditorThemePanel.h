#pragma once
// TiComponentEditorThemePanel: the theme part of a component editor form. It shows a live
// preview instance of the edited component, lists the stored schemes (named sets of property
// values) in up to five rows, applies a picked scheme to the preview, hands the previewed
// state to the form ("Accept Preview"), stores the preview's values as a new user scheme ("+"),
// and deletes user schemes ("-"). Shift+Ctrl+Alt and a click on the "Preview" box opens the
// maintenance form (ordering and cleaning).
//
// Schemes come from two files per component class, in folders the registry names
// ("SOFTWARE\Pravix\Themes"): <pre-defined folder><class>.xml (fixed schemes, never written)
// and <user folder><class>User.xml (rewritten by the panel). One element per line, CR LF,
// no declaration, no indentation, no escaping, at most 255 characters a line:
//
//     <SchemeTypes>
//     <SchemeType>
//     <Name>Color Scheme</Name>
//     <Scheme>
//     <Name>Sea</Name>
//     <Properties>
//     <Font.Color>8388608</Font.Color>
//     </Properties>
//     </Scheme>
//     </SchemeType>
//     </SchemeTypes>
//
// A value that a scheme file cannot hold ("<", a line break, a line over 255 characters)
// makes the whole save fail with its message; the stored file stays as it was.
//
//     panel->OnAcceptChanges = ...;             // the form copies the preview's settings
//     panel->SetiComponentPreview(preview);     // loads the scheme files
//     panel->ResetThemePanel();                 // on every set-up of the form

#include "editors/EditorsLayer.h"

#include "editors/iComponentEditorForm.h"
#include "editors/iEditorBasicComponents.h"

#include <array>
#include <memory>
#include <string>
#include <utility>

class TiXMLMemoryStream;
class TLabel;
class TScrollBox;
class TShape;
class TPropInfo;

// The combo box of one scheme row: owner-drawn, its OnChange fired by the user's pick only.
class TiThemeComboBox : public TComboBox {
    PRAVIX_CLASS(TiThemeComboBox, TComboBox)
public:
    explicit TiThemeComboBox(TComponent* owner);
};

constexpr int kThemeRowCount = 5;

class TiComponentEditorThemePanel : public TCustomControl, public TiComponentEditorThemePanelLink {
    PRAVIX_CLASS(TiComponentEditorThemePanel, TCustomControl)
public:
    explicit TiComponentEditorThemePanel(TComponent* owner);
    ~TiComponentEditorThemePanel() override;

    // --- Used by an editor form ---------------------------------------------------------------
    TWinControl* iComponentPreview() const { return m_preview; }
    // Hands over the preview (not owned); it goes into the scroll box when it has no parent,
    // and the scheme files are loaded.
    void SetiComponentPreview(TWinControl* preview) override;
    // No scheme selected, "-" and Accept Preview disabled, the preview re-centred.
    void ResetThemePanel() override;
    void SetOnAcceptChanges(TNotifyEvent handler) override { OnAcceptChanges = std::move(handler); }
    // Reads both scheme files into the rows; a read error is shown and the schemes read before
    // it stay. Nothing without a preview.
    void LoadFromXMLFile();
    // Writes the user file; false (after the message) when it could not be written.
    bool SaveToXMLFile();
    // The registry's folders (each ending in a separator, or empty); shows or hides the
    // "not installed" labels and enables the rows accordingly.
    void GetThemePaths(std::string& predefinedPath, std::string& userPath);
    // Row index + 1's list (scheme names with their schemes), none outside 0..4.
    TStringList* GetSchemeList(int index) const;
    std::string GetSchemeName(int index) const;
    // Every scheme of rows 1 to SchemeCount becomes a user scheme of the row's properties.
    void CleanAllSchemes();

    // --- Rows: index 0 to 4 ---------------------------------------------------------------------
    std::string SchemeTitle(int row) const { return m_rows[row].Title; }
    void SetSchemeTitle(int row, const std::string& value);
    bool SchemeShow(int row) const { return m_rows[row].Show; }
    void SetSchemeShow(int row, bool value);
    bool SchemeEnableModify(int row) const { return m_rows[row].EnableModify; }
    void SetSchemeEnableModify(int row, bool value);
    bool SchemeIsOverall(int row) const { return m_rows[row].IsOverall; }
    void SetSchemeIsOverall(int row, bool value) { m_rows[row].IsOverall = value; }
    TStringList* SchemePropertyNames(int row) const { return m_rows[row].PropertyNames.get(); }
    // Copies the lines.
    void SetSchemePropertyNames(int row, TStringList* value);

    // The published form of the row properties (Scheme1Title ... Scheme5PropertyNames).
    template <int N>
    std::string RowTitle() const
    {
        return SchemeTitle(N);
    }
    template <int N>
    void SetRowTitle(std::string value)
    {
        SetSchemeTitle(N, value);
    }
    template <int N>
    bool RowShow() const
    {
        return SchemeShow(N);
    }
    template <int N>
    void SetRowShow(bool value)
    {
        SetSchemeShow(N, value);
    }
    template <int N>
    bool RowEnableModify() const
    {
        return SchemeEnableModify(N);
    }
    template <int N>
    void SetRowEnableModify(bool value)
    {
        SetSchemeEnableModify(N, value);
    }
    template <int N>
    bool RowIsOverall() const
    {
        return SchemeIsOverall(N);
    }
    template <int N>
    void SetRowIsOverall(bool value)
    {
        SetSchemeIsOverall(N, value);
    }
    template <int N>
    TStringList* RowPropertyNames() const
    {
        return SchemePropertyNames(N);
    }
    template <int N>
    void SetRowPropertyNames(TStringList* value)
    {
        SetSchemePropertyNames(N, value);
    }

    int SchemeCount() const { return m_schemeCount; }
    void SetSchemeCount(int value);
    bool AutoAcceptPreview() const { return m_autoAcceptPreview; }
    void SetAutoAcceptPreview(bool value);
    bool ThemesInstalled() const { return m_themesInstalled; }

    TNotifyEvent OnAcceptChanges;

    // --- Per-row handlers (what each row's controls run) ----------------------------------------
    void SchemeComboChange(int row);
    // "-" disabled; the combo's items become a copy of the row list (nothing selected).
    void SchemeComboDropDown(int row);
    void SchemeAddButtonClick(int row);
    void SchemeDeleteButtonClick(int row);
    void AcceptPreviewButtonClick(TObject* sender);
    // The Preview box's mouse-down: Shift, Ctrl and Alt held opens the maintenance form.
    void OpenMaintenance(TObject* sender, TMouseButton button, TShiftState shift, int x, int y);

    // The children, for the forms and tests that work with them.
    TiThemeComboBox* Combo(int row) const { return m_rows[row].Combo; }
    TLabel* TitleLabel(int row) const { return m_rows[row].TitleLabel; }
    TiComponentEditorButton* AddButton(int row) const { return m_rows[row].AddButton; }
    TiComponentEditorButton* DeleteButton(int row) const { return m_rows[row].DeleteButton; }
    TiComponentEditorButton* AcceptPreviewButton() const { return m_acceptButton; }
    TiComponentEditorGroupBox* PreviewGroupBox() const { return m_previewBox; }
    TScrollBox* PreviewScrollBox() const { return m_scrollBox; }
    TLabel* NotInstalledLabel() const { return m_notInstalledLabel; }
    TLabel* DisabledLabel() const { return m_disabledLabel; }

    // --- The scheme files ------------------------------------------------------------------------
    // Reads one file's schemes into the rows whose title equals the file's (case-sensitive);
    // schemes of other titles are read past. A piece out of place raises "Error Loading Scheme.
    // XML File Malformed"; the schemes read before stay.
    void LoadSchemes(TiXMLMemoryStream& stream, const TClassInfo& schemeClass);
    // The row list of that exact title, or none.
    TStringList* GetSchemeTypeListByName(const std::string& title) const;
    // The user schemes of the list under the title; a value the file cannot hold raises.
    static void SaveSchemeType(TiXMLMemoryStream& stream, const TStringList& list, const std::string& title);

    // --- Property access by path ("Font.Color") --------------------------------------------------
    // The published property the path names, with `instance` moved to the object holding it;
    // none when a segment names no property or no owned sub-object.
    static const TPropInfo* GetPropertyInfo(TObject*& instance, const std::string& path);
    // Ordinals as decimals, floats with ".", strings as they stand; "" for anything else.
    static std::string GetProperty(TObject* instance, const std::string& path);
    // Blank numbers are skipped, an empty string becomes " "; text that is no number raises
    // EConvertError.
    static void SetProperty(TObject* instance, const std::string& path, const std::string& value);
    static void SeparateNameValue(const std::string& line, std::string& name, std::string& value);
    static std::string CombineNameValue(const std::string& name, const std::string& value);

    // Applies each line of the scheme to the preview, then re-centres it and enables Accept
    // Preview.
    void TransferSchemeData(const TStringList& scheme);
    // The last user scheme of exactly that name, or -1.
    static int UserSchemeNameExist(const std::string& name, const TStringList& list);
    // A new user scheme of the preview's values of `propertyNames`, added to `list`, then saved
    // and all rows read back; an error on the way is swallowed.
    void CreateNewScheme(const std::string& name, TStringList& list, const TStringList& propertyNames);
    void CleanScheme(TStringList& list, const TStringList& propertyNames, bool silent);

protected:
    void Loaded() override;
    void Paint() override;

private:
    struct TRow {
        std::string Title;
        bool Show = true;
        bool EnableModify = true;
        bool IsOverall = false;
        std::unique_ptr<TStringList> PropertyNames;
        std::unique_ptr<TStringList> List;  // owns its schemes
        TiThemeComboBox* Combo = nullptr;
        TLabel* TitleLabel = nullptr;
        TiComponentEditorButton* AddButton = nullptr;
        TiComponentEditorButton* DeleteButton = nullptr;
    };

    void CreateRow(int row);
    void DoResize();
    void ReCenterPreview();
    void ClearAllSchemes();
    void ClearSelectedSchemes();
    // The row's combo lets go of the row list's schemes before they change.
    void ReleaseComboItems(int row);
    void SchemeAdd(int row);
    void ComboBoxDrawItem(TWinControl* control, int index, TRect rect, TOwnerDrawState state);
    void LoadFile(const std::string& fileName, const TClassInfo& schemeClass, const char* errorPrefix);
    std::string PreviewClassName() const;

    std::array<TRow, kThemeRowCount> m_rows;
    int m_schemeCount = kThemeRowCount;
    bool m_autoAcceptPreview = false;
    bool m_themesInstalled = false;
    TWinControl* m_preview = nullptr;

    TiComponentEditorGroupBox* m_previewBox = nullptr;
    TScrollBox* m_scrollBox = nullptr;
    TLabel* m_notInstalledLabel = nullptr;
    TLabel* m_disabledLabel = nullptr;
    TiComponentEditorButton* m_acceptButton = nullptr;
    TLabel* m_legendLabel = nullptr;
    TShape* m_predefinedShape = nullptr;
    TLabel* m_predefinedLabel = nullptr;
    TShape* m_userShape = nullptr;
    TLabel* m_userLabel = nullptr;
};
