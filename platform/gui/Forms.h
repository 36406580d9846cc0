#pragma once
// Forms: top-level windows holding controls, built from their form description.
//
//     class TForm1 : public TForm {
//         PRAVIX_CLASS(TForm1, TForm)
//     public:
//         explicit TForm1(TComponent* owner) : TForm(owner)
//         {
//             ReadDescription(kForm1Description);          // creates and names every control
//             BTStart = FindControl<TButton>("BTStart");
//             BTStart->OnClick = TNotifyEvent::Bind(this, &TForm1::BTStartClick);
//         }
//         ...
//     };
//
// Closing: Close asks OnCloseQuery, then OnClose decides what happens (hide, nothing, or
// free after the closing has completed). Closing the application's main form ends Run,
// whatever other forms are shown.

#include "platform/canvas/VisualLayer.h"
#include "platform/core/Exceptions.h"
#include "platform/gui/Controls.h"

class TMainMenu;
class TButton;
#include <string>
#include <string_view>

PRAVIX_ENUM(TFormBorderStyle, bsNone, bsSingle, bsSizeable, bsDialog, bsToolWindow, bsSizeToolWin)
PRAVIX_ENUM(TFormStyle, fsNormal, fsMDIChild, fsMDIForm, fsStayOnTop)
PRAVIX_ENUM(TPosition, poDesigned, poDefault, poDefaultPosOnly, poDefaultSizeOnly, poScreenCenter, poDesktopCenter,
            poMainFormCenter, poOwnerFormCenter)
PRAVIX_ENUM(TBorderIcon, biSystemMenu, biMinimize, biMaximize, biHelp)
using TBorderIcons = std::set<TBorderIcon>;

using TCloseEvent = Event<TObject*, TCloseAction&>;
using TCloseQueryEvent = Event<TObject*, bool&>;

class TForm : public TWinControl {
    PRAVIX_CLASS(TForm, TWinControl)
public:
    explicit TForm(TComponent* owner);
    ~TForm() override;

    // Reads the form's own description (its class or an ancestor as the root) and then
    // fires OnCreate.
    void ReadDescription(std::string_view utf8Text);
    // The owned control of that name and class; raises when there is none.
    template <class T>
    T* FindControl(std::string_view name) const
    {
        T* found = dynamic_cast<T*>(FindComponent(name));
        if (!found)
            throw Exception("Component '" + std::string(name) + "' not found on " + Name());
        return found;
    }

    TFormBorderStyle BorderStyle() const { return m_borderStyle; }
    void SetBorderStyle(TFormBorderStyle style);
    TBorderIcons BorderIcons() const { return m_borderIcons; }
    void SetBorderIcons(const TBorderIcons& icons);
    TFormStyle FormStyle() const { return m_formStyle; }
    void SetFormStyle(TFormStyle style);
    TPosition Position() const { return m_position; }
    void SetPosition(TPosition position) { m_position = position; }
    bool KeyPreview() const { return m_keyPreview; }
    void SetKeyPreview(bool value) { m_keyPreview = value; }
    bool AutoScroll() const { return m_autoScroll; }
    void SetAutoScroll(bool value) { m_autoScroll = value; }
    TWinControl* ActiveControl() const;
    void SetActiveControl(TWinControl* control);
    TModalResult ModalResult() const { return m_modalResult; }
    void SetModalResult(TModalResult result);
    TMainMenu* Menu() const { return m_menu; }
    void SetMenu(TMainMenu* menu);

    int ClientWidth() const override;
    void SetClientWidth(int value) override;
    int ClientHeight() const override;
    void SetClientHeight(int value) override;
    QWidget* ClientWidget() const override;

    // Showing an already shown form brings it to the front.
    void SetVisible(bool visible) override;
    // Runs the form modally until its ModalResult is set (a button's ModalResult sets it;
    // closing sets mrCancel); answers that result.
    TModalResult ShowModal();
    bool Modal() const { return m_modal; }
    void Close();
    // Frees the form once the event in progress has completed.
    void Release();
    // Moves the focus to the next (or previous) control in tab order.
    void SelectNext(TWinControl* current, bool forward, bool checkTabStop);

    TNotifyEvent OnCreate;
    TNotifyEvent OnDestroy;
    TNotifyEvent OnShow;
    TNotifyEvent OnHide;
    TNotifyEvent OnActivate;
    TNotifyEvent OnDeactivate;
    TCloseEvent OnClose;
    TCloseQueryEvent OnCloseQuery;

    // Platform-internal: the window system asked the window to close; Enter or Escape
    // reached the form (a Default or Cancel button takes it).
    void CloseRequested();
    void ActivationChanged(bool active);
    bool DialogKey(int key);

protected:
    virtual void DoClose(TCloseAction& action);
    virtual bool CloseQuery();
    void Notification(TComponent* component, TOperation operation) override;
    void ColorChanged() override;
    void TextChanged() override;

private:
    friend class ControlBridge;
    void ApplyWindowFlags();
    void CenterOnScreen();
    void RebuildMenuBar();
    int MenuBarHeight() const;

    TMainMenu* m_menu = nullptr;
    TFormBorderStyle m_borderStyle = bsSizeable;
    TBorderIcons m_borderIcons{biSystemMenu, biMinimize, biMaximize};
    TFormStyle m_formStyle = fsNormal;
    TPosition m_position = poDesigned;
    bool m_keyPreview = false;
    bool m_autoScroll = false;
    bool m_modal = false;
    bool m_shownOnce = false;
    bool m_releasePending = false;
    TModalResult m_modalResult = mrNone;
    TWinControl* m_activeControl = nullptr;
};

// Screen size in pixels.
int ScreenWidth();
int ScreenHeight();
