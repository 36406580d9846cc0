#pragma once
// TiComponent: the base of the library's self-drawn components.
//
// A component draws only in iPaintTo(canvas). On screen that canvas belongs to an
// off-screen bitmap (new bitmaps are black) that is copied to the control in one go; an
// exception thrown by iPaintTo is shown word-wrapped in white on black in place of the
// component, and the program goes on.
//
// Setters never paint. They ask for a content repaint (InvalidateChange) or a background
// and content repaint (BackGroundChange); the typed setters do the comparison and the
// request in one call:
//
//     void TiGauge::SetPointerColor(TColor value) { SetColorProperty(value, m_pointerColor, irtInvalidate); }
//     void TiGauge::SetShowFrame(bool value)      { SetBooleanProperty(value, m_showFrame, irtBackGround); }
//
// BeginUpdate / EndUpdate hold requests back and end with at most one (a flag, not a
// count). With AutoFrameRate, repaints keep to frames of 1 / UpdateFrameRate seconds
// (monotonic clock): a request within the frame of the last repaint stays pending; a pending
// request is issued by the next request that passes, by EndUpdate, or by a timer when the
// frame is over, so the last state always reaches the screen. Under a steady stream of
// requests the frames follow each other without gaps, at UpdateFrameRate a second.
//
// Published properties are declared as Reflection.h shows; the property file
// (SavePropertiesToFile) holds them as property text (iClasses.h).

#include "components/iGPGeometry.h"  // TDegrees
#include "components/iTypes.h"
#include "platform/canvas/Bitmap.h"
#include "platform/canvas/Graphics.h"
#include "platform/gui/Controls.h"
#include "platform/gui/Timers.h"

#include <memory>
#include <string>

class TiComponent;

using TiPaintEvent = Event<TObject*, TCanvas*>;  // (Sender, Canvas)

class TiComponent : public TCustomControl {
    PRAVIX_CLASS(TiComponent, TCustomControl)
public:
    explicit TiComponent(TComponent* owner);
    ~TiComponent() override;

    // --- Hooks (not published) ----------------------------------------------------------
    TiPaintEvent OnOffScreenPaint;  // after iPaintTo, with the off-screen canvas
    TChangePropertyEvent OnChangeProperty;
    TRequestEditEvent OnRequestEdit;
    TGetDesigningEvent OnGetDesigning;

    // --- Repaint requests ---------------------------------------------------------------
    void InvalidateChange();
    void BackGroundChange();
    void InvalidateNow();  // at once: no frame-rate limit, ignores updating
    void DoRepaintType(TiRepaintType type);
    void ResetBackGroundChange() { m_backGroundChanged = false; }
    bool BackGroundChanged() const { return m_backGroundChanged; }
    // Notify-event forms for the change callbacks of sub-objects.
    void InvalidateChangeEvent(TObject* sender);
    void BackGroundChangeEvent(TObject* sender);
    void InvalidateNowEvent(TObject* sender);
    bool Updating() const { return m_updating; }

    // Typed setters: a value that differs from the field is stored and repainted by `type`
    // (strings compared case-sensitively).
    void SetBooleanProperty(bool value, bool& field, TiRepaintType type);
    void SetIntegerProperty(int value, int& field, TiRepaintType type);
    void SetDoubleProperty(double value, double& field, TiRepaintType type);
    void SetStringProperty(const std::string& value, std::string& field, TiRepaintType type);
    void SetWideStringProperty(const std::u16string& value, std::u16string& field, TiRepaintType type);
    void SetColorProperty(TColor value, TColor& field, TiRepaintType type);

    // --- Properties -----------------------------------------------------------------------
    int UpdateFrameRate() const { return m_updateFrameRate; }
    void SetUpdateFrameRate(int value);
    bool AutoFrameRate() const { return m_autoFrameRate; }
    void SetAutoFrameRate(bool value);
    bool OptionSaveAllProperties() const { return m_optionSaveAllProperties; }
    void SetOptionSaveAllProperties(bool value) { m_optionSaveAllProperties = value; }

    TColor BackGroundColor() const { return m_backGroundColor; }
    TiBevelStyle BorderStyle() const { return m_borderStyle; }
    int OffsetX() const { return m_offsetX; }
    void SetOffsetX(int value);
    int OffsetY() const { return m_offsetY; }
    void SetOffsetY(int value);
    bool ShowDisabledState() const { return m_showDisabledState; }
    void SetShowDisabledState(bool value);
    bool CachedDrawing() const { return m_cachedDrawing; }
    // The focus as the input hooks saw it (iDoSetFocus / iDoKillFocus).
    bool IsFocused() const { return m_focused; }
    bool InsideUserInput() const { return m_insideUserInput; }

    bool ErrorActive() const { return m_errorActive; }
    void SetErrorActive(bool value);
    const std::string& ErrorText() const { return m_errorText; }
    void SetErrorText(const std::string& value);
    TColor ErrorBackGroundColor() const { return m_errorBackGroundColor; }
    void SetErrorBackGroundColor(TColor value);
    TFont* ErrorFont() const { return m_errorFont.get(); }
    void SetErrorFont(TFont* value);  // copies the font

    TBitmap* BackGroundPicture() const { return m_backGroundPicture.get(); }
    void SetBackGroundPicture(TBitmap* value);  // copies the bitmap into the picture
    void CreateBackGroundPicture();

    void SetEnabled(bool value) override;

    // --- Painting -------------------------------------------------------------------------
    void PaintToDC();
    // Paints into a metafile canvas (or any canvas) with CachedDrawing off for the duration.
    void PaintToMetaFile(TCanvas& canvas);
    void ShowBackGround();
    void TransferBackGround(TCanvas& canvas);
    void ShowOffScreenBitmap(const TBitmap& bitmap);
    void CreateOffScreenBitmap();
    void CreateBackGroundBitmap();
    TBitmap& GetBackGroundBitmap();
    TBitmap* OffScreenBitmap() const { return m_offScreenBitmap.get(); }
    int GetBorderMargin() const;

    // --- Geometry -------------------------------------------------------------------------
    TPointDouble GetCenterPointDouble(TCanvas& canvas) const;
    TPoint GetXYRadPoint(double radius, TDegrees angle, TPoint center) const;

    // --- Queries --------------------------------------------------------------------------
    bool GetLoading() const;
    void SetLoading(bool value);
    bool GetIsDesigning();
    void DoIsDesigning(TObject* sender, bool& designing);
    // The kind of the property at a dotted path (owned sub-objects searched in place);
    // tkUnknown when there is none.
    TTypeKind GetPropertyType(TObject* instance, const std::string& prefix, const std::string& path) const;
    void PropertyVarType(const std::string& path, TTypeKind& kind) const;

    // --- Files ----------------------------------------------------------------------------
    void SaveImageToBitmap(const std::string& fileName);

    // --- Virtual operations, in slot order -----------------------------------------------
    virtual TPoint GetCenterPoint(TCanvas& canvas) const;
    virtual void SetCachedDrawing(bool value);
    virtual void SetBorderStyle(TiBevelStyle value);
    virtual void SetBackGroundColor(TColor value);
    virtual void DrawBackGround(TCanvas& canvas, TColor color);
    virtual void DrawBorder(TCanvas& canvas);
    virtual bool GetTimerRunning() = 0;
    virtual void TimerStart(int firstInterval, int interval) = 0;
    virtual void TimerStop() = 0;
    // True when the value was sent to an OPC server.
    virtual bool OPCOutputData(const std::string& propertyName, const TVariant& value);
    virtual void iDoSetFocus();
    virtual void iDoKillFocus();
    virtual void iWantSpecialKey(int& key, int& result);
    virtual void iKeyUp(int& key, TShiftState shift);
    virtual void iKeyDown(int& key, TShiftState shift);
    virtual void iKeyPress(char& key);
    virtual void iMouseDown(TMouseButton button, TShiftState shift, int x, int y);
    virtual void iMouseUp(TMouseButton button, TShiftState shift, int x, int y);
    virtual void iMouseMove(TShiftState shift, int x, int y);
    virtual void iDoubleClick();
    virtual bool iMouseWheel(int wheelDelta, TShiftState shift, TPoint mousePos);
    virtual void iPaintTo(TCanvas& canvas) = 0;
    virtual void RepaintAll();
    virtual void BeginUpdate();
    virtual void EndUpdate();
    virtual void Lock() = 0;
    virtual void Unlock() = 0;
    virtual void SavePropertiesToFile(const std::string& fileName);
    virtual void LoadPropertiesFromFile(const std::string& fileName);

protected:
    void Paint() override;
    void MouseDown(TMouseButton button, TShiftState shift, int x, int y) override;
    void MouseUp(TMouseButton button, TShiftState shift, int x, int y) override;
    void MouseMove(TShiftState shift, int x, int y) override;
    void DblClick() override;
    void KeyDown(int& key, TShiftState shift) override;
    void KeyUp(int& key, TShiftState shift) override;
    void KeyPress(char& key) override;

    void SetInsideUserInput(bool value) { m_insideUserInput = value; }
    bool BackGroundPending() const { return m_backGroundPending; }
    bool InvalidatePending() const { return m_invalidatePending; }
    // True while a further InvalidateChange would change nothing: a content repaint already
    // waits, held by BeginUpdate or set to be issued by the frame timer. Sub-objects that
    // report a change with every data point read it to skip their notification.
    const bool& ChangeAbsorbed() const { return m_changeAbsorbed; }

private:
    void DoRepaint();
    void DoFrameRate();
    double FrameSlot(double now) const;
    bool FrameIntervalOver(double& remainingSeconds) const;
    void SchedulePendingRepaint(double remainingSeconds);
    void PendingRepaintDue();
    void RefreshChangeAbsorbed();
    void PaintOffScreen(TCanvas& canvas);
    void DrawErrorState(TCanvas& canvas);
    void DrawPaintFailure(TCanvas& canvas, const std::string& message);

    // Fields in their specified order.
    bool m_updating = false;
    int m_updateFrameRate = 60;
    double m_lastRepaintTime;  // monotonic seconds: the start of the frame the last repaint counted for
    bool m_backGroundPending = false;
    bool m_invalidatePending = false;
    std::unique_ptr<TBitmap> m_backGroundBitmap;
    std::unique_ptr<TBitmap> m_offScreenBitmap;
    std::unique_ptr<TBitmap> m_backGroundPicture;
    TColor m_backGroundColor = clBtnFace;
    bool m_backGroundChanged = true;
    TiBevelStyle m_borderStyle = ibsNone;
    int m_offsetY = 0;
    int m_offsetX = 0;
    bool m_showDisabledState = false;
    bool m_focused = false;
    bool m_autoFrameRate = false;
    bool m_loading = false;
    bool m_cachedDrawing = true;
    bool m_optionSaveAllProperties = false;
    bool m_insideUserInput = false;
    bool m_errorActive = false;
    std::string m_errorText = "Error";
    TColor m_errorBackGroundColor = clBlack;
    std::unique_ptr<TFont> m_errorFont;

    // Issues a request the frame-rate limit refused once the frame interval is over.
    TComponentTimer m_pendingRepaintTimer;
    bool m_changeAbsorbed = false;
};
