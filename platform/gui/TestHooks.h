#pragma once
// Seams for tests: every modal service can be intercepted (what was shown is recorded and the
// answer comes from the script), beeps are counted, the keyboard state can be injected and
// timers can run on a fake clock. Nothing here is active unless a test switches it on.

#include "platform/canvas/VisualLayer.h"
#include "platform/core/Types.h"
#include "platform/gui/Dialogs.h"

#include <functional>
#include <optional>
#include <string>
#include <vector>

class TBitmap;
class TControl;
class TForm;
class TPopupMenu;
class TMenuItem;
class TTimer;
class TWinControl;

namespace TestHooks {

enum class TModalKind {
    MessageBox,
    MessageDlg,
    ErrorBox,
    OpenDialog,
    SaveDialog,
    ColorDialog,
    FontDialog,
    PrintDialog,
    ShowModal,
    PopupMenu
};

struct TMessageRecord {
    TModalKind Kind = TModalKind::MessageBox;
    std::string Caption;
    std::string Text;
    TMsgDlgType Type = mtCustom;
    TMsgDlgButtons Buttons;
};

// One popup menu item as it was when the menu was about to be shown.
struct TMenuSnapshot {
    std::string Caption;
    bool Checked = false;
    bool Enabled = true;
    bool Visible = true;
    TMenuItem* Item = nullptr;
    std::vector<TMenuSnapshot> Items;
};

// While alive, every modal service answers from this script instead of showing a window.
// Without a handler: message boxes answer OK (or the first of Yes/OK/Cancel/No offered),
// dialogs answer Cancel, ShowModal answers mrCancel, popup menus pick nothing.
class TModalScript {
public:
    TModalScript();
    ~TModalScript();
    TModalScript(const TModalScript&) = delete;
    TModalScript& operator=(const TModalScript&) = delete;

    std::function<TModalResult(const TMessageRecord&)> OnMessage;
    // May change the dialog's fields (FileName, Files, FilterIndex); true = confirmed.
    std::function<bool(TFileDialogRequest&)> OnFileDialog;
    std::function<bool(TColorRequest&)> OnColorDialog;
    std::function<bool(TFontData&)> OnFontDialog;
    std::function<bool()> OnPrintDialog;
    // Receives the form (which may act on it, e.g. click its buttons); the return value is
    // used when the form's ModalResult is still mrNone.
    std::function<TModalResult(TForm&)> OnShowModal;
    // Returns the item to pick, or nullptr.
    std::function<TMenuItem*(const TMenuSnapshot&)> OnPopup;

    // What was shown, in order.
    std::vector<TModalKind> Shown;
    std::vector<TMessageRecord> Messages;
    std::vector<TFileDialogRequest> FileDialogs;  // as they were when shown
    std::vector<TColorRequest> ColorDialogs;      // as they were when shown
    std::vector<TFontData> FontDialogs;           // as they were when shown
    std::vector<TMenuSnapshot> Popups;
    std::vector<std::string> ModalForms;  // form names

    static TModalScript* Active();
};

// While alive, OpenUrl starts no program: it records the address and answers from OnOpen
// (true when unset).
class TUrlOpenerScript {
public:
    TUrlOpenerScript();
    ~TUrlOpenerScript();
    TUrlOpenerScript(const TUrlOpenerScript&) = delete;
    TUrlOpenerScript& operator=(const TUrlOpenerScript&) = delete;

    std::function<bool(const std::string& url)> OnOpen;
    std::vector<std::string> Opened;

    static TUrlOpenerScript* Active();
};

int BeepCount();
void ResetBeepCount();

// Injects the keyboard state read by GetShiftDown/GetCtrlDown/GetAltDown; nullopt restores
// the real keyboard.
void SetKeyboardState(std::optional<TShiftState> state);

// Pumps events until the predicate holds or the time runs out; true when it held.
bool PumpUntil(const std::function<bool()>& done, int timeoutMs);
// Pumps events for the given time.
void PumpFor(int milliseconds);

// Real input events, delivered through the event loop's own dispatch as the window system's
// would be: keys to the part of the control that takes its focus, the mouse to the part that
// takes it (the viewport of a list). Coordinates are client pixels of the control.
void SendKey(TWinControl& control, int virtualKey, TShiftState shift = {}, const std::string& typed = {});
// The two halves of SendKey, for sequences in which other input comes between them.
void SendKeyDown(TWinControl& control, int virtualKey, TShiftState shift = {}, const std::string& typed = {});
void SendKeyUp(TWinControl& control, int virtualKey, TShiftState shift = {}, const std::string& typed = {});
void SendMouseDown(TControl& control, TMouseButton button, int x, int y, TShiftState shift = {});
void SendMouseUp(TControl& control, TMouseButton button, int x, int y, TShiftState shift = {});
void SendClick(TControl& control, int x, int y, TMouseButton button = mbLeft);
// Press, release, then the second press as a double click, and its release.
void SendDoubleClick(TControl& control, int x, int y);
void SendMouseMove(TControl& control, int x, int y, TShiftState shift = {});
void SendWheel(TControl& control, int delta, int x, int y, TShiftState shift = {});
void SendFocus(TWinControl& control, bool in);

// The form's window as the window system shows it (a grab of the screen where there is one).
struct TWindowImage {
    bool Exposed = false;  // the window is mapped and was grabbed
    int Width = 0;
    int Height = 0;
    int DistinctColours = 0;  // counted up to 1000
};
// Saves the image as PNG when a path is given.
TWindowImage GrabWindow(TForm& form, const std::string& pngPath = {});

// The control as it paints itself now (its widget rendered off-screen, children included).
void GrabControl(TControl& control, TBitmap& bitmap);

// Saves the innermost real modal window (a dialog or message box running its own loop) as PNG;
// false when none is shown. Run it from a timer to see a dialog while it waits for the user.
bool GrabActiveModal(const std::string& pngPath);

// The width the control needs to show its whole content (a combo box: its longest item and
// its button; a page control: the row of all its tabs), in the control's font and the window
// system's style.
int PreferredWidth(TControl& control);

// The part of the control inside its frame, in its client pixels: where children show
// without covering the frame (a group box's: below its title, inside its border).
TRect ContentsRect(TControl& control);

// Closes the innermost real modal window (message box, dialog or modal form) as if the user
// pressed its Cancel/close button. For tests that run the real nested loops.
bool CloseActiveModal();

// While alive, form timers do not use the real clock: Advance moves a fake clock and fires
// every timer that falls due, in time order, each inside the exception boundary.
class TFakeTimers {
public:
    TFakeTimers();
    ~TFakeTimers();
    TFakeTimers(const TFakeTimers&) = delete;
    TFakeTimers& operator=(const TFakeTimers&) = delete;

    void Advance(int milliseconds);
    long long Now() const;  // fake milliseconds since the driver started
    // Called with each step of the fake clock, so tests can move their clocks along.
    std::function<void(long long nowMs)> OnAdvance;

    static TFakeTimers* Active();
};

}  // namespace TestHooks
