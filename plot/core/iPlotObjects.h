#pragma once
// The bases of everything a plot draws: plot objects with their notification callbacks,
// selection, mouse and keyboard entry points and popup-menu protocol; the layout object
// that the layout pass places along a side of the data view; the clickable button of
// toolbars, legends and tables; and the small records and holders that travel with them.
//
// Objects are created in two phases: construct, then Loaded, which announces the object
// (OnInsert) to the plot's master manager. They leave through ReleasePlotObject, which
// announces the removal (OnRemove) while the object is still whole and then frees it.
//
//     TiPlotObjectPtr<TiPlotObject> axis =
//         CreatePlotObject<TiPlotXAxis>(plot, onChange, onInsert, onRemove, onRename);
//     axis->Loaded();            // registered: filed with the managers, events wired
//     TiPlotObject* kept = axis.release();  // the manager of its kind owns it now
//     ...
//     ReleasePlotObject(kept);   // every other object drops its references, then delete
//
// A plot object reaches the plot control only through IPlotHost.

#include "platform/core/Component.h"
#include "platform/core/Events.h"
#include "platform/core/Types.h"
#include "platform/gui/Menus.h"

#include <memory>
#include <optional>
#include <string>
#include <type_traits>
#include <utility>
#include <vector>

class TCanvas;
class TImageList;
class TTimer;
class TiPlotObject;
class TiPlotXAxis;
class TiPlotYAxis;
class TiPlotChannelCustom;
class TiPlotToolBar;

// The buttons of a toolbar, as its events name them.
PRAVIX_ENUM(TiPlotToolBarButtonType, iptbbtResume, iptbbtPause, iptbbtScrollAxesMode, iptbbtZoomAxesMode, iptbbtSelect,
            iptbbtZoomBox, iptbbtZoomOut, iptbbtZoomIn, iptbbtCursor, iptbbtEdit, iptbbtCopy, iptbbtSave, iptbbtPrint,
            iptbbtPreview)

// The mouse event as plot objects see it. Coordinates are client pixels of the plot; the
// axis pixels are the coordinate along the X axes and along the Y axes, which exchange
// places while the plot shows X vertically.
struct TiPlotMouseData {
    int X = 0;
    int Y = 0;
    int XAxisPixels = 0;
    int YAxisPixels = 0;
    TShiftState Shift;
    TMouseButton Button = mbLeft;
    bool DoubleClick = false;
};

// What an object's DoMouseHint fills while the mouse rests on it; an empty text means no
// hint. Top and Left place the hint box in client pixels.
struct TiHintData {
    std::string Text;
    int Top = 0;
    int Left = 0;
};

// What lets an object adding points skip its change notification with loads and compares
// alone: while a repaint already waits (Absorbed), a notification that leads only to the master
// manager (ObjectPath), whose own leads only to the plot's repaint (MasterPath), would change
// nothing. The plot keeps it up to date; the events are compared at each change because anyone
// may assign them at any time.
struct TiPlotChangeRoute {
    // A route that never absorbs a change, for hosts without a repaint of their own.
    static const TiPlotChangeRoute& None();

    bool OnlyRepaints(const TNotifyEvent& onChange) const
    {
        return onChange.IsBoundLike(ObjectPath) && MasterOnChange->IsBoundLike(MasterPath);
    }

    static constexpr bool kNever = false;
    const bool* Absorbed = &kNever;
    TNotifyEvent ObjectPath;
    // The master manager's OnChange; MasterPath itself once the plot released its master
    // manager, whose objects then announce changes that could only repaint a dying plot.
    const TNotifyEvent* MasterOnChange = nullptr;
    TNotifyEvent MasterPath;
};

// What plot objects ask of the plot that owns them. The plot control implements it; the
// objects never see the control's own class.
class IPlotHost {
public:
    // The replacement of a text the user sees (caption, menu item, hint) from the plot's
    // translation table, or the text itself.
    virtual std::string TranslateText(const std::string& text) = 0;
    // A point in the plot's client pixels in screen pixels.
    virtual TPoint PlotClientToScreen(TPoint clientPoint) = 0;

    // The first object of the kind whose name equals `name` ignoring ASCII letter case;
    // nullptr when there is none.
    virtual TiPlotXAxis* GetXAxisByName(const std::string& name) = 0;
    virtual TiPlotYAxis* GetYAxisByName(const std::string& name) = 0;
    virtual TiPlotChannelCustom* GetChannelByName(const std::string& name) = 0;

    // --- What the data view and the toolbar ask of the plot -------------------------------
    // The answers below are those of a plot without axes, toolbars or data cursors, so that
    // hosts which carry none need not provide them.
    virtual int XAxisCount() { return 0; }
    virtual TiPlotXAxis* GetXAxis(int) { return nullptr; }
    virtual int YAxisCount() { return 0; }
    virtual TiPlotYAxis* GetYAxis(int) { return nullptr; }
    // nullptr when the plot has no toolbar of that index.
    virtual TiPlotToolBar* GetToolBar(int) { return nullptr; }
    virtual int DataCursorCount() { return 0; }
    // Any data cursor, whatever its class (the control's GetDataCursor is typed).
    virtual TiPlotObject* GetDataCursorObject(int) { return nullptr; }
    // Every object of the plot, in the order of the list of all objects (a snapshot).
    virtual std::vector<TiPlotObject*> GetAllObjects() { return {}; }
    // TrackingEnabled false (true) on every X axis, then on every Y axis.
    virtual void DisableAllTracking() {}
    virtual void EnableAllTracking() {}
    virtual void SetSelectModeActive(bool) {}
    // While set, an axis with MasterUIInput hands its input to no other axis: the guard of
    // master-axis forwarding, which the data view also holds while it gives one input to
    // every axis itself, so that no axis receives it twice.
    virtual bool GetMasterAxisInputGuard() { return false; }
    virtual void SetMasterAxisInputGuard(bool) {}
    // What the toolbar's last buttons run: the editor, the clipboard, the image file, the
    // printer and the print preview.
    virtual void EditProperties() {}
    virtual void CopyToClipBoard() {}
    virtual void Save() {}
    virtual void PrintChart() {}
    virtual void PreviewChart() {}
    // Fires OnBeforeZoomBox: the handler may change the rectangle or cancel the zoom.
    virtual void DoBeforeZoomBox(TRect& /*zoomRect*/, bool& /*cancel*/) {}
    // Toolbar events, with the toolbar's index in its manager and the button's type.
    virtual void DoToolBarButtonBeforeClick(TiPlotToolBar*, TiPlotToolBarButtonType, bool& /*cancel*/) {}
    virtual void DoToolBarButtonClick(TiPlotToolBar*, TiPlotToolBarButtonType) {}
    virtual void DoToolBarCustomizeHint(TiPlotToolBar*, std::string& /*text*/) {}

    // Dispatchers: each fires the plot's event for the object's kind, with the object's
    // index in the manager of its kind; objects of kinds without such an event fire nothing.
    virtual void DoObjectClick(TiPlotObject* object) = 0;
    virtual void DoObjectMouseDown(TiPlotObject* object, TMouseButton button, TShiftState shift, int x, int y) = 0;
    virtual void DoObjectMouseMove(TiPlotObject* object, TShiftState shift, int x, int y) = 0;
    virtual void DoObjectMouseUp(TiPlotObject* object, TMouseButton button, TShiftState shift, int x, int y) = 0;
    virtual void DoObjectMouseWheel(TiPlotObject* object, int wheelDelta, TShiftState shift, int x, int y) = 0;
    virtual void DoGetMouseCursor(TiPlotObject* object, TCursor& cursor) = 0;
    virtual void DoObjectGotFocus(TiPlotObject* object) = 0;
    virtual void DoObjectLostFocus(TiPlotObject* object) = 0;
    // Asked before an object shows its context menu; setting `cancel` suppresses the menu.
    virtual void DoPopUpMenuEvent(TiPlotObject* object, bool& cancel, int screenX, int screenY) = 0;

    // --- What data cursors, limits and annotations report -----------------------------------
    // Each fires the plot's event of that name with the object's index in its manager.
    virtual void DoDataCursorCustomizeHint(TiPlotObject*, std::string& /*text*/) {}
    virtual void DoBeforeDataCursorUpdate(TiPlotObject*) {}
    virtual void DoLimitLine1PositionChange(TiPlotObject*, double /*oldValue*/, double /*newValue*/) {}
    virtual void DoLimitLine2PositionChange(TiPlotObject*, double /*oldValue*/, double /*newValue*/) {}
    virtual void DoAnnotationCoordinatesChange(TiPlotObject*) {}
    virtual void DoAnnotationMoveUser(TiPlotObject*) {}
    virtual void DoAnnotationResizeUser(TiPlotObject*) {}
    virtual void DoAnnotationCoordinatesChangeFinished(TiPlotObject*) {}
    // Asked by ReleasePlotObject after the removal was announced: while the plot hands input to
    // its objects it keeps a released object alive until that input has been handled, so that a
    // handler which deletes the object whose handler runs returns into live code. True when the
    // plot took the object over.
    virtual bool KeepReleasedObject(TiPlotObject*) { return false; }
    // The route of the plot objects' change notifications, read once when an object is made;
    // it lives as long as the host.
    virtual const TiPlotChangeRoute& ChangeRoute() { return TiPlotChangeRoute::None(); }

    // --- What channels ask of the plot ------------------------------------------------------
    // The answers below are those of a plot without data-point events, so that hosts which
    // carry no channels need not provide them.
    // The column separator of the data and log files: Tab or comma.
    virtual char GetSavingSeparator() { return '\t'; }
    // The select mode of the toolbar is on: data points can be hit by the mouse.
    virtual bool GetSelectModeActive() { return false; }
    // The plot is being designed: no OPC activity.
    virtual bool DoIsDesigning() { return false; }
    // Data view 0's rectangle in client pixels, within which data-point hints are kept.
    virtual TRect GetDataViewRect() { return {}; }
    // Width and height in pixels of a text drawn in the plot's hint font.
    virtual TPoint GetHintTextExtent(const std::string&) { return {}; }
    // Data-point dispatchers: each fires the plot's event with the channel's index and the
    // point's index (-1: no point).
    virtual void DoDataPointMouseDown(TiPlotChannelCustom*, int, const TiPlotMouseData&) {}
    virtual void DoDataPointMouseMove(TiPlotChannelCustom*, int, const TiPlotMouseData&) {}
    virtual void DoDataPointMouseUp(TiPlotChannelCustom*, int, const TiPlotMouseData&) {}
    virtual void DoDataPointClick(TiPlotChannelCustom*, int) {}
    virtual void DoDataPointMoved(TiPlotChannelCustom*, int, double, double, double, double) {}
    virtual void DoDataPointCustomizeHint(TiPlotChannelCustom*, int, std::string&) {}

    // --- What data cursors ask of the plot -----------------------------------------------------
    // An XY plot (its cursors show a horizontal pointer for Y and never snap).
    virtual bool IsXYPlot() { return false; }
    // A strip chart: its X axes scroll with time by default and its cursors snap to data points.
    virtual bool IsStripChartPlot() const { return false; }
    // The index of the first channel named `name` ignoring ASCII letter case; -1 when there is none.
    virtual int GetChannelIndexByName(const std::string&) const { return -1; }
    // Lays the whole plot out at once (a paint off screen), so that every object's pixels are
    // those of the current scales; false where the host has no layout of its own to run.
    virtual bool CalcLayoutNow() { return false; }
    // A cursor received new values: OnDataCursorChange with the cursor's index.
    virtual void DoDataCursorChange(TiPlotObject* /*cursor*/) {}

    // --- What the trace drawing and the legend ask of the plot ------------------------------
    // The plot's channels in order; a plot without channels answers none.
    virtual int ChannelCount() { return 0; }
    virtual TiPlotChannelCustom* GetChannel(int) { return nullptr; }
    // A position in percent of data view 0 in client pixels, across its width (X) or up its
    // height (Y: 0 percent at the bottom). The default works on GetDataViewRect and keeps
    // the result within +-32000 like the data view does.
    virtual int PositionPercentToPixelsX(double percent);
    virtual int PositionPercentToPixelsY(double percent);

    // --- What labels ask of the plot ----------------------------------------------------------
    // The plot's image list 0, 1 or 2; nullptr for any other index or a plot without them.
    virtual TImageList* GetPlotImageList(int) { return nullptr; }

    // --- What annotations ask of the plot ------------------------------------------------------
    // Annotations placed on a channel's axes are clipped to those axes.
    virtual bool ClipAnnotationsToAxes() const { return false; }

protected:
    ~IPlotHost() = default;
};

// Checks every argument of a plot object's or manager's constructor before any is taken:
// the owner (refused with `noOwnerMessage`) and the four callbacks. Returns the owner.
IPlotHost* CheckedPlotCallbacks(IPlotHost* owner, const char* noOwnerMessage, const TNotifyEvent& onChange,
                                const TNotifyEvent& onInsert, const TNotifyEvent& onRemove,
                                const TNotifyEvent& onRename);

class TiPlotObject : public TPersistent {
    PRAVIX_CLASS(TiPlotObject, TPersistent)
public:
    // A notification that a typed setter calls after storing a new value: one of the
    // object's own methods taking the sender (TriggerChange, TriggerLayoutChange...).
    using TNotification = void (TiPlotObject::*)(TObject* sender);

    // Stores the owner and the four callbacks; the object is not yet known to any manager.
    TiPlotObject(IPlotHost* owner, TNotifyEvent onChange, TNotifyEvent onInsert, TNotifyEvent onRemove,
                 TNotifyEvent onRename);
    // Frees the object's own parts only: the removal was announced by ReleasePlotObject.
    ~TiPlotObject() override;

    // --- Notification callbacks, each fired with the object as the sender when assigned ---
    TNotifyEvent OnChange;         // content changed: repaint
    TNotifyEvent OnLayoutChange;   // geometry changed: re-layout (assigned by the layout manager)
    TNotifyEvent OnRemove;         // the object is leaving the plot
    TNotifyEvent OnInsert;         // the object registers itself (Loaded)
    TNotifyEvent OnRename;         // the name changed; PreviousName holds the old one
    TNotifyEvent OnSetFocus;       // the user selected the object
    TNotifyEvent OnEdit;           // the "Edit..." popup item was chosen
    TNotifyEvent OnInvalidateNow;  // repaint at once, without the frame-rate limit

    // --- Published properties -------------------------------------------------------------
    const std::string& Name() const { return m_name; }
    void SetName(const std::string& value);
    bool Visible() const { return m_visible; }
    bool Enabled() const { return m_enabled; }
    int Layer() const { return m_layer; }
    void SetLayer(int value);
    bool PopupEnabled() const { return m_popupEnabled; }
    void SetPopupEnabled(bool value);
    bool CanFocus() const { return m_canFocus; }
    void SetCanFocus(bool value);

    // --- State ----------------------------------------------------------------------------
    IPlotHost* Owner() const { return m_owner; }
    const std::string& PreviousName() const { return m_previousName; }
    TShiftState ShiftState() const { return m_shiftState; }
    void SetShiftState(TShiftState value) { m_shiftState = value; }
    bool UserSelected() const { return m_userSelected; }
    void SetUserSelected(bool value);
    bool UserCanEdit() const { return m_userCanEdit; }
    void SetUserCanEdit(bool value) { m_userCanEdit = value; }
    bool XYAxesReversed() const { return m_xyAxesReversed; }
    bool ReadyToDraw() const { return m_readyToDraw; }
    TiPlotObject* MouseObject() const { return m_mouseObject; }
    bool MouseIsDown() const { return m_mouseIsDown; }
    bool PopupPending() const { return m_popupPending; }

    // --- Virtual operations, in slot order --------------------------------------------------
    virtual void SetVisible(bool value);
    virtual void SetEnabled(bool value);
    virtual void SetXYAxesReversed(bool value);
    virtual void TriggerChange(TObject* sender);
    virtual void TriggerLayoutChange(TObject* sender);
    // TriggerChange(this) for paths that change an object with every point: the common case,
    // a change the waiting repaint takes anyway, costs loads and compares, no call.
    void TriggerChangeUnlessAbsorbed()
    {
        if (!ChangeAbsorbed())
            TriggerChange(this);
    }
    // News from the master manager about other objects of the plot.
    virtual void NotificationRemove(TObject* sender);
    virtual void NotificationRename(TObject* sender);
    virtual void NotificationSetFocus(TObject* sender);
    virtual void DrawSetup(TCanvas& canvas);
    virtual void Draw(TCanvas& canvas, TColor backGroundColor);
    // Input entry points called by the plot's dispatch.
    virtual void iMouseDown(TMouseButton button, TShiftState shift, int x, int y, int screenX, int screenY,
                            TPopupMenu* popupMenu);
    virtual void iMouseMove(TiHintData& hintData, TShiftState shift, int x, int y, int screenX, int screenY,
                            bool doubleClick);
    virtual void iMouseUp(TMouseButton button, TShiftState shift, int x, int y, int screenX, int screenY,
                          bool doubleClick, TPopupMenu* popupMenu);
    virtual bool iMouseHitTest(const TiPlotMouseData& mouseData);
    virtual bool iMouseWheel(int wheelDelta, TShiftState shift, TPoint mousePos);
    // What descendants refine.
    virtual void DoMouseHint(const TiPlotMouseData& mouseData, TiHintData& hintData);
    virtual void DoMouseLeft(const TiPlotMouseData& mouseData);
    virtual void DoMouseRight(const TiPlotMouseData& mouseData);
    virtual void DoMouseMove(const TiPlotMouseData& mouseData);
    virtual void DoMouseUp(const TiPlotMouseData& mouseData);
    virtual void DoMouseDoubleClick(const TiPlotMouseData& mouseData);
    virtual bool DoMouseWheel(int wheelDelta, TShiftState shift, int x, int y);
    virtual void DoSetFocus();
    virtual void DoLostFocus();
    virtual void DoMouseNotOver();
    // The object (itself or a sub-object such as a button) that takes the mouse at the point.
    virtual TiPlotObject* GetMouseObject(int x, int y);
    virtual TCursor GetMousePointer(TPoint p);
    virtual void iKeyDown(int& key, TShiftState shift, TPopupMenu* popupMenu);
    // Second phase of creation: announces the object to the master manager.
    virtual void Loaded();
    // Empties the popup menu; descendants call it first, append their items, and end with
    // AddEditMenuItems.
    virtual void AddMenuItems(TPopupMenu* popupMenu);

    // --- Other operations -------------------------------------------------------------------
    void TriggerRename(TObject* sender);
    void TriggerInvalidateNow(TObject* sender);
    void TriggerSetFocus(TObject* sender);
    // Layer as the painting pass's sort key: decimal, padded with "0" to 6 characters.
    std::string GetLayerString() const;
    bool HitTest(int x, int y);
    void CalcAxisPixels(int x, int y, int& xAxisPixels, int& yAxisPixels) const;
    // A right-button drag that turned into something else shows no menu at its release.
    void CancelPopup() { m_popupPending = false; }
    // A text the user sees, through the plot's translation table.
    std::string GetTranslation(const std::string& text) const;
    void DoEditMenuItemClick() { OnEdit(this); }
    // True when a change would lead only to a repaint that already waits. What OnChange is
    // bound to is looked at again only after an event was assigned somewhere.
    bool ChangeAbsorbed() const
    {
        const TiPlotChangeRoute& route = *m_changeRoute;
        if (!*route.Absorbed)
            return false;
        const EventAssignments::TCount now = EventAssignments::Count();
        if (m_changeRouteCheckedAt != now) {
            m_changeOnlyRepaints = route.OnlyRepaints(OnChange);
            m_changeRouteCheckedAt = now;
        }
        return m_changeOnlyRepaints;
    }

protected:
    // Typed setters: a value that differs from the field (doubles exactly, strings
    // case-sensitively) is stored, then `notify` is called when given.
    void SetBooleanProperty(bool value, bool& field, TNotification notify);
    void SetColorProperty(TColor value, TColor& field, TNotification notify);
    void SetDoubleProperty(double value, double& field, TNotification notify);
    void SetIntegerProperty(int value, int& field, TNotification notify);
    void SetStringProperty(const std::string& value, std::string& field, TNotification notify);
    template <typename E>
    requires std::is_enum_v<E>
    void SetEnumProperty(E value, E& field, TNotification notify)
    {
        if (value == field)
            return;
        field = value;
        if (notify)
            (this->*notify)(this);
    }

    void AddEditMenuItems(TPopupMenu* popupMenu);
    void EditMenuItemClick(TObject* sender);

    // Where the keyboard popup opens, in client pixels; none: the menu is filled but not shown.
    virtual std::optional<TPoint> KeyboardPopupCentre() const;

    void SetReadyToDraw(bool value) { m_readyToDraw = value; }
    void SetMouseObject(TiPlotObject* value) { m_mouseObject = value; }
    void SetMouseIsDown(bool value) { m_mouseIsDown = value; }

private:
    friend void ReleasePlotObject(TiPlotObject* object);

    template <typename T>
    void SetTypedProperty(const T& value, T& field, TNotification notify);
    TiPlotMouseData MakeMouseData(int x, int y, TShiftState shift, TMouseButton button, bool doubleClick) const;
    // Fills and shows the popup menu unless the plot's popup event vetoes it.
    void RunPopup(TPopupMenu* popupMenu, int screenX, int screenY, const std::optional<TPoint>& showAt);
    void AnnounceRemoval();

    std::string m_name;
    std::string m_previousName;
    IPlotHost* m_owner;
    const TiPlotChangeRoute* m_changeRoute;
    // Whether this object's OnChange leads only to the plot's repaint, as of the event
    // assignment count m_changeRouteCheckedAt (EventAssignments): checked again only after
    // someone assigned an event. The start value is a count never reached.
    mutable EventAssignments::TCount m_changeRouteCheckedAt = ~EventAssignments::TCount(0);
    mutable bool m_changeOnlyRepaints = false;
    TShiftState m_shiftState;
    bool m_visible = true;
    bool m_enabled = true;
    int m_layer = 100;
    bool m_popupEnabled = true;
    bool m_canFocus = true;
    bool m_userSelected = false;
    bool m_userCanEdit = true;
    bool m_xyAxesReversed = false;
    bool m_readyToDraw = false;
    TiPlotObject* m_mouseObject = nullptr;
    bool m_mouseIsDown = false;
    bool m_popupPending = false;
    bool m_removalAnnounced = false;
};

// The one way a plot object leaves: announces the removal (OnRemove, then the layout and
// change notifications) while the object is whole, so that the managers can still tell its
// kind and every other object can drop its references, then frees it. Nothing for nullptr;
// an object whose removal was already announced is only freed.
void ReleasePlotObject(TiPlotObject* object);

// The deleter of an owning plot-object pointer: leaving goes through ReleasePlotObject, so
// an object dropped by its pointer (an exception between construction and registration, a
// manager clearing its list) is announced like any other.
struct TiPlotObjectReleaser {
    void operator()(TiPlotObject* object) const { ReleasePlotObject(object); }
};

template <class T>
using TiPlotObjectPtr = std::unique_ptr<T, TiPlotObjectReleaser>;

// What stands in for a virtual constructor: makes an object of one class with the owner and
// the four callbacks, not yet registered, and hands it out owned.
using TiPlotObjectFactory = TiPlotObjectPtr<TiPlotObject> (*)(IPlotHost* owner, TNotifyEvent onChange,
                                                              TNotifyEvent onInsert, TNotifyEvent onRemove,
                                                              TNotifyEvent onRename);

template <class T>
TiPlotObjectPtr<TiPlotObject> CreatePlotObject(IPlotHost* owner, TNotifyEvent onChange, TNotifyEvent onInsert,
                                               TNotifyEvent onRemove, TNotifyEvent onRename)
{
    return TiPlotObjectPtr<TiPlotObject>(
        new T(owner, std::move(onChange), std::move(onInsert), std::move(onRemove), std::move(onRename)));
}

// The base of the objects kept by the typed managers. Refuses a missing owner or callback
// (Exception "Owner must be assigned", "OnChange event handler can not be null", ...).
class TiPlotManagerObject : public TiPlotObject {
    PRAVIX_CLASS(TiPlotManagerObject, TiPlotObject)
public:
    TiPlotManagerObject(IPlotHost* owner, TNotifyEvent onChange, TNotifyEvent onInsert, TNotifyEvent onRemove,
                        TNotifyEvent onRename);
};

// An object that the layout pass places in a band along one side of the data view.
class TiPlotLayoutObject : public TiPlotManagerObject {
    PRAVIX_CLASS(TiPlotLayoutObject, TiPlotManagerObject)
public:
    TiPlotLayoutObject(IPlotHost* owner, TNotifyEvent onChange, TNotifyEvent onInsert, TNotifyEvent onRemove,
                       TNotifyEvent onRename);

    // --- Published properties -------------------------------------------------------------
    // The span along the side, in percent of its length; always at least 1 percent long.
    double StopPercent() const { return m_stopPercent; }
    void SetStopPercent(double value);
    double StartPercent() const { return m_startPercent; }
    void SetStartPercent(double value);
    // The level in the stack of the object's orientation; equal levels share a band.
    int ZOrder() const { return m_zOrder; }
    void SetZOrder(int value);
    // Laid along the top or bottom.
    bool Horizontal() const { return m_horizontal; }
    void SetHorizontal(bool value);
    // Published by the axes: both ends count as stacked.
    bool ForceStacking() const { return m_forceStacking; }
    void SetForceStacking(bool value);

    // --- Layout state -----------------------------------------------------------------------
    bool ReverseSide() const { return m_reverseSide; }
    void SetReverseSide(bool value);
    // Both ends unclamped, then one change notification (the layout viewer).
    void SetStartStopPercent(double start, double stop);
    // The rectangle of the last layout pass; its setters are silent.
    TRect GetDrawRect() const { return m_drawRect; }
    void SetDrawRect(const TRect& value) { m_drawRect = value; }
    int GetWidth() const { return m_drawRect.Width(); }
    int GetHeight() const { return m_drawRect.Height(); }
    void SetLeft(int value) { m_drawRect.Left = value; }
    void SetTop(int value) { m_drawRect.Top = value; }
    void SetRight(int value) { m_drawRect.Right = value; }
    void SetBottom(int value) { m_drawRect.Bottom = value; }
    bool StartStacked() const { return m_startStacked; }
    void SetStartStacked(bool value) { m_startStacked = value; }
    bool StopStacked() const { return m_stopStacked; }
    void SetStopStacked(bool value) { m_stopStacked = value; }
    // The layout viewer's rectangle.
    TRect GetLayoutRect() const { return m_layoutRect; }
    void SetLayoutRect(const TRect& value) { m_layoutRect = value; }
    int GetLayoutWidth() const { return m_layoutRect.Width(); }
    int GetLayoutHeight() const { return m_layoutRect.Height(); }
    // Side-list sort keys: decimal, padded with "0" to 3 characters.
    std::string GetZOrderString() const;
    std::string GetStartPercentString() const;

    // --- Virtual operations -------------------------------------------------------------------
    bool iMouseHitTest(const TiPlotMouseData& mouseData) override;
    void Loaded() override;
    virtual bool GetIsHorz() const;
    virtual bool GetIsVert() const;
    // Depth in pixels the object needs across its side.
    virtual int GetRequiredWidth(TCanvas& canvas);
    // Margin in pixels the object needs beyond each end of its span.
    virtual int GetRequiredLengthGaurd(TCanvas& canvas);

protected:
    std::optional<TPoint> KeyboardPopupCentre() const override;

private:
    double m_stopPercent = 100.0;
    double m_startPercent = 0.0;
    int m_zOrder = 0;
    bool m_horizontal = false;
    bool m_reverseSide = false;
    TRect m_drawRect;
    bool m_startStacked = false;
    bool m_stopStacked = false;
    TRect m_layoutRect;
    bool m_forceStacking = false;
};

// A clickable sub-object of a toolbar, legend or table; no manager keeps it. Holding the left
// button on an auto-repeat button clicks 500 ms after the press, then every 50 ms; the repeat
// runs on a precise timer so that a long hold keeps that pace.
class TiPlotButton : public TiPlotObject {
    PRAVIX_CLASS(TiPlotButton, TiPlotObject)
public:
    TiPlotButton(IPlotHost* owner, TNotifyEvent onChange, TNotifyEvent onInsert, TNotifyEvent onRemove,
                 TNotifyEvent onRename);
    ~TiPlotButton() override;

    TNotifyEvent OnClick;
    TNotifyEvent OnGroupClick;  // before OnClick for a button of a group
    TNotifyEvent OnInvalidate;  // asks the owner to repaint the button
    TNotifyEvent OnDownChange;

    TRect GetDrawRect() const { return m_drawRect; }
    void SetDrawRect(const TRect& value) { m_drawRect = value; }
    int GetWidth() const { return m_drawRect.Width(); }
    int GetHeight() const { return m_drawRect.Height(); }
    bool Down() const { return m_down; }
    void SetDown(bool value);
    bool AutoRepeat() const { return m_autoRepeat; }
    void SetAutoRepeat(bool value) { m_autoRepeat = value; }
    int GroupIndex() const { return m_groupIndex; }
    void SetGroupIndex(int value) { m_groupIndex = value; }
    // The toolbar, legend or table the button belongs to, so that references to the button
    // can be dropped when that object leaves the plot.
    TiPlotObject* OwnerObject() const { return m_ownerObject; }
    void SetOwnerObject(TiPlotObject* value) { m_ownerObject = value; }
    bool RepeatTimerExists() const { return m_repeatTimer != nullptr; }
    bool RepeatTimerPrecise() const;

    void Invalidate();
    void TimerEvent(TObject* sender);
    void DestroyTimer();

    void SetEnabled(bool value) override;
    void DoMouseLeft(const TiPlotMouseData& mouseData) override;
    void DoMouseMove(const TiPlotMouseData& mouseData) override;
    void DoMouseUp(const TiPlotMouseData& mouseData) override;

private:
    TRect m_drawRect;
    bool m_down = false;
    std::unique_ptr<TTimer> m_repeatTimer;
    bool m_firstRepeat = false;
    bool m_autoRepeat = false;
    int m_groupIndex = 0;
    TiPlotObject* m_ownerObject = nullptr;
    bool m_insideTimerEvent = false;
    // Expires with the button: a click handler may free the button while its tick runs.
    std::shared_ptr<bool> m_alive = std::make_shared<bool>(true);
};

// True when `object` is `removed` or a button belonging to it.
bool PlotObjectBelongsTo(const TiPlotObject* object, const TiPlotObject* removed);

// A popup-menu item that carries the name of the plot object it stands for.
class TiMenuItem : public TMenuItem {
    PRAVIX_CLASS(TiMenuItem, TMenuItem)
public:
    explicit TiMenuItem(TComponent* owner);
    const std::string& ObjectName() const { return m_objectName; }
    void SetObjectName(const std::string& value) { m_objectName = value; }

private:
    std::string m_objectName;
};

// One rectangle that can be kept in an object list.
class TiPlotRectObject : public TObject {
    PRAVIX_CLASS(TiPlotRectObject, TObject)
public:
    TiPlotRectObject() = default;
    TRect Rect;
};
