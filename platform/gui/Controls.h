#pragma once
// Visual controls: TControl (geometry, visibility, mouse), TWinControl (children, focus,
// keys), TCustomControl, the base of self-drawn components (a paint hook with a canvas,
// mouse capture, wheel, want-all-keys), and TGraphicControl, a self-drawn control that never
// takes the focus. Each control is a component built on a Qt widget
// that stays inside the platform.
//
// Input reaches a control through its virtual handlers (MouseDown, KeyDown, ...), whose
// base versions fire the published events; subclasses override them to add their own
// handling and call the base where the user's event should fire. Every handler runs
// inside the exception boundary.

#include "platform/canvas/VisualLayer.h"
#include "platform/core/Component.h"
#include "platform/core/Events.h"
#include "platform/core/Types.h"

#include <memory>
#include <set>
#include <string>

class QWidget;
class TBitmap;
class TCanvas;
class TFont;
class TPopupMenu;
class TWinControl;
class TForm;
class ControlBridge;

using TAnchors = std::set<TAnchorKind>;

using TMouseEvent = Event<TObject*, TMouseButton, TShiftState, int, int>;
using TMouseMoveEvent = Event<TObject*, TShiftState, int, int>;
// Key is the virtual-key code; a handler consumes the key by setting it to 0.
using TKeyEvent = Event<TObject*, int&, TShiftState>;
// Key is the 8-bit character; a handler consumes it by setting it to 0.
using TKeyPressEvent = Event<TObject*, char&>;
// Wheel delta is +-120 per notch; the position is in client pixels.
using TMouseWheelEvent = Event<TObject*, TShiftState, int, TPoint, bool&>;

// Minimum and maximum size of a control; 0 = no limit.
class TSizeConstraints : public TPersistent {
    PRAVIX_CLASS(TSizeConstraints, TPersistent)
public:
    TSizeConstraints() = default;
    int MaxHeight() const { return m_maxHeight; }
    void SetMaxHeight(int value);
    int MaxWidth() const { return m_maxWidth; }
    void SetMaxWidth(int value);
    int MinHeight() const { return m_minHeight; }
    void SetMinHeight(int value);
    int MinWidth() const { return m_minWidth; }
    void SetMinWidth(int value);
    void Assign(const TPersistent& source) override;

    // The control applies a change at once.
    std::function<void()> OnChange;

private:
    void Changed();
    int m_maxHeight = 0;
    int m_maxWidth = 0;
    int m_minHeight = 0;
    int m_minWidth = 0;
};

// The largest width and height of a control (the window system's coordinates are 16-bit) and
// the farthest position.
constexpr int kMaxControlExtent = 32767;
constexpr int kMaxControlPosition = 1 << 30;

class TControl : public TComponent {
    PRAVIX_CLASS(TControl, TComponent)
public:
    explicit TControl(TComponent* owner);
    ~TControl() override;

    int Left() const;
    void SetLeft(int value);
    int Top() const;
    void SetTop(int value);
    int Width() const;
    void SetWidth(int value);
    int Height() const;
    void SetHeight(int value);
    // Nothing when all four equal the current bounds. Sizes are held to 0..kMaxControlExtent
    // and positions to +-kMaxControlPosition: a size read from a file must not become a
    // picture of gigabytes, nor a position plus a size overflow.
    virtual void SetBounds(int left, int top, int width, int height);
    TRect BoundsRect() const;
    virtual int ClientWidth() const;
    virtual void SetClientWidth(int value);
    virtual int ClientHeight() const;
    virtual void SetClientHeight(int value);
    TRect ClientRect() const;

    TWinControl* Parent() const;
    virtual void SetParent(TWinControl* parent);
    void SetParentComponent(TComponent* parent) override;
    TComponent* GetParentComponent() const override;
    // The form the control sits on (itself for a form); nullptr when not on one.
    TForm* ParentForm() const;

    bool Visible() const;
    virtual void SetVisible(bool visible);
    void Show() { SetVisible(true); }
    void Hide() { SetVisible(false); }
    // Visible and every parent visible, up to a shown window.
    bool Showing() const;
    bool Enabled() const;
    virtual void SetEnabled(bool enabled);
    TAlign Align() const;
    void SetAlign(TAlign align);
    TAnchors Anchors() const;
    void SetAnchors(const TAnchors& anchors);
    TSizeConstraints* Constraints() const;
    void SetConstraints(TSizeConstraints* value);
    TCursor Cursor() const;
    void SetCursor(TCursor cursor);
    std::string Hint() const;
    void SetHint(const std::string& hint);
    bool ShowHint() const;
    void SetShowHint(bool show);
    TColor Color() const;
    virtual void SetColor(TColor color);
    TPopupMenu* PopupMenu() const;
    void SetPopupMenu(TPopupMenu* menu);
    // The control's own font (Arial, 8 points, window text colour, until changed); setting
    // copies the given font.
    TFont* Font() const;
    void SetFont(TFont* font);
    // The text of the control: its caption or its edit text.
    virtual std::string Caption() const;
    void SetCaption(const std::string& caption);
    std::string Text() const { return Caption(); }
    void SetText(const std::string& text) { SetCaption(text); }
    int HelpContext() const { return m_helpContext; }
    void SetHelpContext(int value) { m_helpContext = value; }

    // A coalesced repaint request; Repaint paints at once.
    void Invalidate();
    void Repaint();
    void Update();
    void BringToFront();
    void SendToBack();
    TPoint ClientToScreen(TPoint p) const;
    TPoint ScreenToClient(TPoint p) const;

    // Mouse capture: every mouse event goes to the holder until it releases it. A press
    // captures implicitly until the release.
    void SetCapture();
    void ReleaseCapture();
    bool GetCapture() const;
    static TControl* CaptureControl();

    // Test hook: repaint requests issued for this control (painting itself is coalesced).
    int RepaintRequestCount() const;

    // Runs the click as a user's click does (OnClick and what the control does with it).
    virtual void Click();

    TNotifyEvent OnClick;
    TNotifyEvent OnDblClick;
    TNotifyEvent OnResize;
    TMouseEvent OnMouseDown;
    TMouseEvent OnMouseUp;
    TMouseMoveEvent OnMouseMove;
    // Declared for completeness of the published interface; drag and drop never fires them.
    TNotifyEvent OnStartDrag;
    TNotifyEvent OnEndDrag;
    TNotifyEvent OnDragDrop;
    TNotifyEvent OnDragOver;

    // Platform-internal: the widget behind the control.
    QWidget* Handle() const;

protected:
    // Subclasses build their widget in their constructor and hand it over; the control
    // owns it from then on. `inputWidget` receives the mouse when it differs (the viewport
    // of a scrolling widget).
    void AttachWidget(QWidget* widget, QWidget* inputWidget = nullptr);

    virtual void MouseDown(TMouseButton button, TShiftState shift, int x, int y);
    virtual void MouseUp(TMouseButton button, TShiftState shift, int x, int y);
    virtual void MouseMove(TShiftState shift, int x, int y);
    virtual void DblClick();
    virtual void Resize();
    // Another control or window took the mouse capture (newHolder nullptr: none of ours).
    virtual void CaptureChanged(TControl* newHolder);
    // Whether a left press and release inside the control make a click (controls whose
    // widget reports clicks itself answer false).
    virtual bool ClickOnMouseUp() const { return true; }
    // Applies the text to the widget; subclasses with text show it.
    virtual void TextChanged();
    virtual void ColorChanged();
    virtual void FontChanged();
    virtual void EnabledChanged();
    void Loaded() override;
    void Notification(TComponent* component, TOperation operation) override;

private:
    friend class ControlBridge;
    friend class TWinControl;
    void ApplyGeometry();
    void ApplyConstraints();
    // Takes the control's place in its parent as the reference its anchors keep.
    void UpdateAnchorRules();
    // Moves and sizes the control as its anchors ask in a parent client of the given size.
    void ApplyAnchors(int parentWidth, int parentHeight);

    struct Private;
    std::unique_ptr<Private> d;
    int m_helpContext = 0;
};

class TWinControl : public TControl {
    PRAVIX_CLASS(TWinControl, TControl)
public:
    explicit TWinControl(TComponent* owner);
    ~TWinControl() override;

    int ControlCount() const;
    TControl* Controls(int index) const;

    bool TabStop() const;
    void SetTabStop(bool value);
    int TabOrder() const;
    void SetTabOrder(int value);
    bool Focused() const;
    bool CanFocus() const;
    virtual void SetFocus();

    TKeyEvent OnKeyDown;
    TKeyEvent OnKeyUp;
    TKeyPressEvent OnKeyPress;
    TNotifyEvent OnEnter;
    TNotifyEvent OnExit;
    TMouseWheelEvent OnMouseWheel;

    // Platform-internal: where child widgets go.
    virtual QWidget* ClientWidget() const;

protected:
    virtual void KeyDown(int& key, TShiftState shift);
    virtual void KeyUp(int& key, TShiftState shift);
    virtual void KeyPress(char& key);
    // Focus arrives or leaves; `other` is the control taking part in the change, if any.
    virtual void DoEnter(TWinControl* from);
    virtual void DoExit(TWinControl* to);
    // Answers whether the wheel turn was handled; unhandled turns go to the parent.
    virtual bool DoMouseWheel(TShiftState shift, int wheelDelta, TPoint mousePos);
    // Whether Tab, Enter, Escape and the arrows reach the control instead of moving the
    // focus or acting on the form.
    virtual bool WantsKey(int key) const;
    // Puts a child's widget into this control's widget, or takes it out again.
    virtual void InsertChildWidget(TControl* child);
    virtual void RemoveChildWidget(TControl* child);

private:
    friend class ControlBridge;
    friend class TControl;
    void InsertControl(TControl* control);
    void RemoveControl(TControl* control);
    void Realign();
    bool Aligning() const { return m_aligning > 0; }

    std::vector<TControl*> m_controls;
    int m_aligning = 0;  // Realign places the children: their new bounds are not new anchor references
    bool m_tabStop = false;
    int m_tabOrder = -1;
};

// The base of self-drawn components: no background is erased, the whole client is painted
// by Paint through a canvas on the widget; mouse moves without a button are delivered; it
// takes the focus by click and by Tab and wants every key unless told otherwise.
class TCustomControl : public TWinControl {
    PRAVIX_CLASS(TCustomControl, TWinControl)
public:
    explicit TCustomControl(TComponent* owner);
    ~TCustomControl() override;

    // The canvas of the paint in progress; nullptr outside Paint.
    TCanvas* Canvas() const;
    bool WantAllKeys() const { return m_wantAllKeys; }
    void SetWantAllKeys(bool want) { m_wantAllKeys = want; }

protected:
    // Draws the whole control. The base fills the client with Color.
    virtual void Paint();
    bool WantsKey(int key) const override;

private:
    friend class ControlBridge;
    void PaintEvent();
    TCanvas* m_canvas = nullptr;
    bool m_wantAllKeys = true;
    std::string m_lastPaintError;
};

// A self-drawn control that never takes the focus, so that pressing it leaves the focus where
// it was (arrow buttons beside an edit): Paint draws the whole client through Canvas(); mouse
// input arrives as for every control, moves included while a button is held outside it.
class TGraphicControl : public TControl {
    PRAVIX_CLASS(TGraphicControl, TControl)
public:
    explicit TGraphicControl(TComponent* owner);
    ~TGraphicControl() override;

    // The canvas of the paint in progress; nullptr outside Paint.
    TCanvas* Canvas() const { return m_canvas; }

protected:
    // Draws the whole control. The base fills the client with Color.
    virtual void Paint();

private:
    void PaintEvent();
    TCanvas* m_canvas = nullptr;
    std::string m_lastPaintError;
};

// What the parent paints beneath a control, its siblings left out, into `picture`, sized to the
// control: a self-drawn control draws it first to blend into a parent whose inside the window
// system shades (a group box). With no parent on screen the picture is the parent's colour and
// the result false: grab again once it shows.
bool GrabParentBeneath(const TControl& control, TBitmap& picture);
