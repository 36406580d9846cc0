#pragma once
// TiPlotDataCursor: the plot's measuring cursor. One or two pointer lines lie over the data
// view at positions in percent of it; the channel the cursor follows (or every channel, with
// "<All>") computes the values under the pointers and writes the hint text, which the cursor
// shows in a box beside the pointer or between the two pointers.
//
//     cursor->SetChannelName("Channel 1");
//     cursor->SetStyle(ipcsDeltaX);            // two vertical pointers, the distance in X
//     cursor->SetPointer1Position(20);
//     cursor->SetPointer2Position(70);
//     cursor->SetVisible(true);                // asks the channel for its values at once
//
// Which pointers show, and how they lie, follows from the style, the plot's kind (an XY plot
// has a horizontal pointer for Y) and the plot's reversed axes; DoSetup works it out.

#include "plot/objects/iPlotObjectsLayer.h"

#include "components/iTypes.h"
#include "platform/canvas/Graphics.h"
#include "plot/core/iPlotObjects.h"
#include "plot/core/iPlotPaintRoles.h"
#include "plot/objects/iPlotChannelCustom.h"
#include "plot/objects/iPlotChannelTypes.h"

#include <array>
#include <memory>
#include <string>

class TiPlotChannel;
class TiPlotDataView;

class TiPlotDataCursor : public TiPlotManagerObject, public IPlotDataCursorTarget, public IPlotDataCursorPaint {
    PRAVIX_CLASS(TiPlotDataCursor, TiPlotManagerObject)
public:
    // The channel name that makes the cursor follow every channel.
    static constexpr const char* kAllChannels = "<All>";

    TiPlotDataCursor(IPlotHost* owner, TNotifyEvent onChange, TNotifyEvent onInsert, TNotifyEvent onRemove,
                     TNotifyEvent onRename);
    ~TiPlotDataCursor() override;

    // --- Published properties -------------------------------------------------------------
    const std::string& ChannelName() const { return m_channelName; }
    void SetChannelName(const std::string& value);
    bool ChannelAllowAll() const { return m_channelAllowAll; }
    void SetChannelAllowAll(bool value);
    bool ChannelShowAllInLegend() const { return m_channelShowAllInLegend; }
    void SetChannelShowAllInLegend(bool value);
    TiPlotDataCursorStyle Style() const { return m_style; }
    void SetStyle(TiPlotDataCursorStyle value);
    TFont* Font() const { return m_font.get(); }
    void SetFont(TFont* value);
    TColor Color() const { return m_color; }
    void SetColor(TColor value);
    bool UseChannelColor() const { return m_useChannelColor; }
    void SetUseChannelColor(bool value);
    bool HintShow() const { return m_hintShow; }
    void SetHintShow(bool value);
    bool HintHideOnRelease() const { return m_hintHideOnRelease; }
    void SetHintHideOnRelease(bool value);
    TiOrientationSide HintOrientationSide() const { return m_hintOrientationSide; }
    void SetHintOrientationSide(TiOrientationSide value);
    double HintPosition() const { return m_hintPosition; }
    void SetHintPosition(double value);
    // Kept within 0 .. 100 percent of the data view.
    double Pointer1Position() const { return m_pointer1Position; }
    void SetPointer1Position(double value);
    double Pointer2Position() const { return m_pointer2Position; }
    void SetPointer2Position(double value);
    int PointerPenWidth() const { return m_pointerPenWidth; }
    void SetPointerPenWidth(int value);
    // Plain stores: they change only what the next menu or snap does, never the picture.
    bool MenuUserCanChangeOptions() const { return m_menuUserCanChangeOptions; }
    void SetMenuUserCanChangeOptions(bool value) { m_menuUserCanChangeOptions = value; }
    bool SnapToDataPoint() const { return m_snapToDataPoint; }
    void SetSnapToDataPoint(bool value) { m_snapToDataPoint = value; }
    bool UseCachedInterpolatedData() const { return m_useCachedInterpolatedData; }
    void SetUseCachedInterpolatedData(bool value) { m_useCachedInterpolatedData = value; }
    // The popup menu's style items, one per style in the order of TiPlotDataCursorStyle.
    bool MenuItemVisible(TiPlotDataCursorStyle style) const { return m_menuItemVisible[style]; }
    void SetMenuItemVisible(TiPlotDataCursorStyle style, bool value) { m_menuItemVisible[style] = value; }
    const std::string& MenuItemCaption(TiPlotDataCursorStyle style) const { return m_menuItemCaption[style]; }
    void SetMenuItemCaption(TiPlotDataCursorStyle style, const std::string& value) { m_menuItemCaption[style] = value; }
#define PRAVIX_CURSOR_MENU_ITEM(Suffix, style)                                            \
    bool MenuItemVisible##Suffix() const { return MenuItemVisible(style); }               \
    void SetMenuItemVisible##Suffix(bool value) { SetMenuItemVisible(style, value); }     \
    const std::string& MenuItemCaption##Suffix() const { return MenuItemCaption(style); } \
    void SetMenuItemCaption##Suffix(const std::string& value) { SetMenuItemCaption(style, value); }
    PRAVIX_CURSOR_MENU_ITEM(ValueXY, ipcsValueXY)
    PRAVIX_CURSOR_MENU_ITEM(ValueX, ipcsValueX)
    PRAVIX_CURSOR_MENU_ITEM(ValueY, ipcsValueY)
    PRAVIX_CURSOR_MENU_ITEM(DeltaX, ipcsDeltaX)
    PRAVIX_CURSOR_MENU_ITEM(DeltaY, ipcsDeltaY)
    PRAVIX_CURSOR_MENU_ITEM(InverseDeltaX, ipcsInverseDeltaX)
#undef PRAVIX_CURSOR_MENU_ITEM

    // --- Public state ---------------------------------------------------------------------
    bool ScopeStyle() const { return m_scopeStyle; }
    void SetScopeStyle(bool value);
    double DataX() const { return m_dataX; }
    double DataY() const { return m_dataY; }
    TiPlotDataPointStatus DataStatus() const { return m_dataStatus; }
    const std::string& HintText() const { return m_hintText; }
    // The values the channel computed; a change raises the plot's OnDataCursorChange.
    void SetData(double X, double Y, TiPlotDataPointStatus Status);

    // Which pointers show and how they lie, from the style, the plot's kind and its reversed axes.
    bool Pointer1Visible() const { return m_pointer1.Visible; }
    bool Pointer2Visible() const { return m_pointer2.Visible; }
    TiOrientation Pointer1Orientation() const { return m_pointer1.Orientation; }
    TiOrientation Pointer2Orientation() const { return m_pointer2.Orientation; }
    TiOrientation HintOrientation() const { return m_hintOrientation; }

    // The channel followed: resolved by name and kept until the name changes or the channel
    // leaves; nullptr for "<All>" or a name that matches no channel.
    TiPlotChannelCustom* GetChannel();
    TiPlotDataView* DataView() const { return m_dataView; }
    void SetDataView(TiPlotDataView* value) { m_dataView = value; }
    bool GetIsXYPlot() const;

    // Asks the channel (every channel with "<All>") for the values under the pointers.
    void DoUpdate() override;

    // The hint box as last drawn, and whether the last paint drew it at all.
    TRect HintRect() const { return m_hintRect; }
    bool HintDrawn() const { return m_hintDrawn; }

    // --- Snapping to data points (strip-chart plots) ----------------------------------------
    // The index of the channel's point nearest to X (in channel units); -1 with Distance 1e300
    // when there is none. Percent is X's place in percent of the data view.
    int GetNearestSnapToIndex(TiPlotChannel* channel, double X, double Percent, double& Distance);
    // Moves pointer 1 or 2 onto the nearest data point; false when snapping does not apply or
    // found no point.
    bool DoSnapTo(int pointer);
    void DoSnapToDataPoint();
    // Puts the pointer on point DataIndex + Offset of the channel (- Offset on a reversed X
    // axis), scrolling the X axis to show it.
    void MoveCursorToDataPoint(int channelIndex, int dataIndex, int offset, int pointer);
    // Moves the hint along its pointer by one pixel.
    void MoveHint(TiCountDirection direction);
    // The keys while snapping; false when the key is left to the pixel steps.
    bool DoKeySnapToDataPoint(int& key, TShiftState shift, TPopupMenu* popupMenu);

    // The named channel's Y at X as a cursor reads it; ipdpsNull without such a strip-chart
    // channel or its X axis. The cursor and the axis are left as they were.
    TiPlotDataPointStatus GetInterpolatedYValue(const std::string& channelName, double X, double& Y);

    // --- Popup menu actions -----------------------------------------------------------------
    void AllChannelsMenuItemClick(TObject* sender);
    void ChannelNameMenuItemClick(TObject* sender);
    void StyleValueXYMenuItemClick(TObject*) { SetStyle(ipcsValueXY); }
    void StyleValueXMenuItemClick(TObject*) { SetStyle(ipcsValueX); }
    void StyleValueYMenuItemClick(TObject*) { SetStyle(ipcsValueY); }
    void StyleDeltaXMenuItemClick(TObject*) { SetStyle(ipcsDeltaX); }
    void StyleDeltaYMenuItemClick(TObject*) { SetStyle(ipcsDeltaY); }
    void StyleInverseDeltaXMenuItemClick(TObject*) { SetStyle(ipcsInverseDeltaX); }
    void UseChannelColorMenuItemClick(TObject* sender);
    void HideHintOnReleaseMenuItemClick(TObject* sender);
    void FlipMenuItemClick(TObject* sender);
    void SnapToDataPointMenuItemClick(TObject* sender);

    // --- Overridden operations ------------------------------------------------------------
    void SetVisible(bool value) override;
    void SetXYAxesReversed(bool value) override;
    void NotificationRemove(TObject* sender) override;
    void NotificationRename(TObject* sender) override;
    void NotificationSetFocus(TObject* sender) override;
    void Draw(TCanvas& canvas, TColor backGroundColor) override;
    bool iMouseHitTest(const TiPlotMouseData& mouseData) override;
    void DoMouseLeft(const TiPlotMouseData& mouseData) override;
    void DoMouseMove(const TiPlotMouseData& mouseData) override;
    void DoMouseUp(const TiPlotMouseData& mouseData) override;
    void DoSetFocus() override;
    TCursor GetMousePointer(TPoint p) override;
    void iKeyDown(int& key, TShiftState shift, TPopupMenu* popupMenu) override;
    void AddMenuItems(TPopupMenu* popupMenu) override;

    // --- IPlotDataCursorTarget --------------------------------------------------------------
    TiPlotDataCursorStyle CursorStyle() const override { return m_style; }
    double CursorPointer1Position() const override { return m_pointer1Position; }
    double CursorPointer2Position() const override { return m_pointer2Position; }
    void SetCursorData(double X, double Y, TiPlotDataPointStatus Status) override { SetData(X, Y, Status); }
    void SetCursorDisplayText(const std::string& Text) override { m_hintText = Text; }

    // --- IPlotDataCursorPaint ---------------------------------------------------------------
    bool ShowsAllChannelsInLegend() const override;
    void SetPaintDataView(TiPlotObject* dataView) override;

private:
    static constexpr int kStyleCount = ipcsInverseDeltaX + 1;
    struct TPointer {
        bool Visible = false;
        TiOrientation Orientation = ioVertical;
        TRect HitRect;
    };

    void DoSetup();
    bool IsAllChannels() const { return m_channelName == kAllChannels; }
    bool IsStripChartPlot() const;
    bool PointerReadsX(int pointer) const;
    bool IsDeltaStyle() const;
    // A data view with an area: percent conversions mean something.
    bool DataViewHasArea() const;
    double StepX() const;
    double StepY() const;
    TColor PointerColor();
    void DrawPointer(TCanvas& canvas, TPointer& pointer, double position, bool dragged);
    bool HintShowing() const;
    void DrawHint(TCanvas& canvas);
    TRect PlaceHintBox(int textWidth, int textHeight, int a);
    void DrawDeltaLine(TCanvas& canvas);
    bool StepByKey(int key, TShiftState shift);
    void KeepPositionsInRange();
    TMenuItem* AddMenuItem(TMenuItem* parent, const std::string& caption, bool checked,
                           void (TiPlotDataCursor::*handler)(TObject*));
    void AddChannelMenu(TPopupMenu* popupMenu);
    void AddStyleMenu(TPopupMenu* popupMenu);
    void AddOptionsMenu(TPopupMenu* popupMenu);

    std::string m_channelName;
    bool m_channelAllowAll = true;
    bool m_channelShowAllInLegend = true;
    TiPlotDataCursorStyle m_style = ipcsValueXY;
    std::unique_ptr<TFont> m_font;
    TColor m_color = 0x00FFFF;
    bool m_useChannelColor = true;
    bool m_hintShow = true;
    bool m_hintHideOnRelease = false;
    TiOrientationSide m_hintOrientationSide = iosBottomRight;
    double m_hintPosition = 50;
    double m_pointer1Position = 50;
    double m_pointer2Position = 60;
    int m_pointerPenWidth = 1;
    bool m_menuUserCanChangeOptions = true;
    bool m_snapToDataPoint = false;
    bool m_useCachedInterpolatedData = false;
    std::array<bool, kStyleCount> m_menuItemVisible;
    std::array<std::string, kStyleCount> m_menuItemCaption;

    bool m_scopeStyle = false;
    double m_dataX = 0;
    double m_dataY = 0;
    TiPlotDataPointStatus m_dataStatus = ipdpsValid;
    std::string m_hintText;

    TiPlotChannelCustom* m_channel = nullptr;
    TiPlotDataView* m_dataView = nullptr;
    TPointer m_pointer1;
    TPointer m_pointer2;
    TiOrientation m_hintOrientation = ioVertical;
    bool m_pointer1Dragging = false;
    bool m_pointer2Dragging = false;
    bool m_hintDragging = false;
    bool m_hintDrawn = false;
    TRect m_hintRect;
    // The press that started a drag and where the grabbed part lay then, in client pixels.
    TPoint m_pressPoint;
    TPoint m_pressPartPixels;
    // The point the last snap found; the channel index is dropped when any channel leaves.
    int m_snapChannelIndex = -1;
    int m_snapDataIndex = -1;
    // Counts the channels that left, so that a snap learns that its channel may be gone.
    int m_channelRemovals = 0;
};
