#pragma once
// Modal services: message boxes, message dialogs, the beep and the common dialogs (open,
// save, colour, print). Every one of them can be intercepted by the test hooks.

#include "platform/canvas/Graphics.h"
#include "platform/canvas/VisualLayer.h"
#include "platform/core/Types.h"

#include <array>
#include <set>
#include <string>
#include <vector>

enum TMsgDlgType { mtWarning, mtError, mtInformation, mtConfirmation, mtCustom };
enum TMsgDlgBtn { mbYes, mbNo, mbOK, mbCancel, mbAbort, mbRetry, mbIgnore };
using TMsgDlgButtons = std::set<TMsgDlgBtn>;

constexpr TModalResult mrAbort = 3;
constexpr TModalResult mrRetry = 4;
constexpr TModalResult mrIgnore = 5;

// A modal box with the text, the caption and one OK button; returns mrOk.
TModalResult MessageBox(const std::string& text, const std::string& caption);
// A modal dialog captioned "Warning", "Error", "Information" or "Confirm" (none for mtCustom)
// with the given buttons; returns the modal result of the button pressed (mrCancel when
// closed otherwise).
TModalResult MessageDlg(const std::string& text, TMsgDlgType type, const TMsgDlgButtons& buttons);
std::string MessageDlgCaption(TMsgDlgType type);
void Beep();

// Open and save dialogs. Filter: "Description|pattern|Description|pattern", patterns
// separated by ";" within one entry. FilterIndex is 1-based. Paths are in the file
// system's encoding (they go straight to the file functions).
struct TFileDialogRequest {
    bool Save = false;
    std::string Title;
    std::string Filter;
    int FilterIndex = 1;
    std::string DefaultExt;  // "dev", ".dev" and "*.dev" all mean ".dev"
    std::string InitialDir;
    std::string FileName;
    bool FileMustExist = false;
    bool PathMustExist = false;
    bool OverwritePrompt = false;
    bool AllowMultiSelect = false;
    std::vector<std::string> Files;  // every chosen file
};

// True when the user confirmed: FileName (with the default extension appended when it has
// none), Files and FilterIndex then hold the choice. Cancel changes nothing.
bool ExecuteFileDialog(TFileDialogRequest& request);

class TOpenDialog {
public:
    virtual ~TOpenDialog() = default;

    std::string Title;
    std::string Filter;
    int FilterIndex = 1;
    std::string DefaultExt;
    std::string InitialDir;
    std::string FileName;
    bool FileMustExist = false;
    bool AllowMultiSelect = false;
    std::vector<std::string> Files;

    bool Execute();

protected:
    virtual void Prepare(TFileDialogRequest& request) const;
};

class TSaveDialog : public TOpenDialog {
public:
    bool OverwritePrompt = false;
    bool PathMustExist = true;

protected:
    void Prepare(TFileDialogRequest& request) const override;
};

// Converts "Desc|*.a|All|*.*" into Qt's "Desc (*.a);;All (*.*)" form.
std::string FilterToQtFilter(const std::string& filter);
// The name with the default extension appended when it has no extension of its own.
std::string AppendDefaultExt(const std::string& fileName, const std::string& defaultExt);

struct TColorRequest {
    TColor Color = clBlack;  // a system colour is shown resolved to its RGB
    std::array<TColor, 16> CustomColors{};
};
bool ExecuteColorDialog(TColorRequest& request);

class TColorDialog {
public:
    TColorDialog() { CustomColors.fill(clWhite); }
    TColor Color = clBlack;
    std::array<TColor, 16> CustomColors;
    bool Execute();
};

// The print dialog chooses the printer of Printer(); Cancel changes nothing.
class TPrintDialog {
public:
    bool Execute();
};

// The font dialog (the project's own): face, size, bold, italic, underline, strike-out,
// colour and character set. Cancel changes nothing.
bool ExecuteFontDialog(TFontData& font);

class TFontDialog {
public:
    TFont* Font() { return &m_font; }
    void SetFont(const TFont& font) { m_font.Assign(font); }
    bool Execute();

private:
    TFont m_font;
};
