#pragma once
// The plot's button bar: fourteen fixed buttons for what a user most often does to a live
// plot (resume or pause tracking, drag axes to scroll or to zoom, zoom all axes out or in,
// select, zoom box, data cursors, the editor, copy, save, print and preview), in one row from
// the bar's left edge. Every action is wrapped in the plot's cancellable before-click event
// and followed by its click event (the editor's excepted), so a host program can veto or
// extend any button. The toolbar keeps no plot state of its own besides the buttons' Down
// flags: tracking, axis modes, select mode and cursors live in the plot and its objects, and
// the toolbar acts on them only through the plot's operations.
//
// Toolbar 0 is special: its Select button is the plot's select mode and its Zoom Box and
// Select buttons decide how the data view reads the mouse.

#include "plot/objects/iPlotObjectsLayer.h"

#include "plot/core/iPlotObjects.h"

#include <memory>
#include <string>
#include <vector>

class TImageList;
class TiPlotAxis;
class TiPlotToolBar;

class TiPlotToolBarButton : public TiPlotButton {
    PRAVIX_CLASS(TiPlotToolBarButton, TiPlotButton)
public:
    TiPlotToolBarButton(IPlotHost* owner, TiPlotToolBar* toolBar);

    const std::string& Hint() const { return m_hint; }
    void SetHint(const std::string& value) { m_hint = value; }
    // A spacer draws nothing and takes 10 pixels of the row.
    bool Spacer() const { return m_spacer; }
    void SetSpacer(bool value) { m_spacer = value; }
    void SetImageList(TImageList* value) { m_imageList = value; }
    // -1: not loaded yet; the next draw loads the bitmap of ImageName.
    int ImageIndex() const { return m_imageIndex; }
    void SetImageIndex(int value) { m_imageIndex = value; }
    const std::string& ImageName() const { return m_imageName; }
    void SetImageName(const std::string& value) { m_imageName = value; }
    bool Flat() const { return m_flat; }
    void SetFlat(bool value) { m_flat = value; }
    bool MouseOver() const { return m_mouseOver; }
    TiPlotToolBar* ToolBar() const { return m_toolBar; }

    void Draw(TCanvas& canvas, TColor backGroundColor) override;
    void iMouseMove(TiHintData& hintData, TShiftState shift, int x, int y, int screenX, int screenY,
                    bool doubleClick) override;
    void DoMouseHint(const TiPlotMouseData& mouseData, TiHintData& hintData) override;
    void DoMouseNotOver() override;

private:
    void LoadImage();
    void DrawFlatEdge(TCanvas& canvas, bool raised) const;

    std::string m_hint;
    bool m_spacer = false;
    TImageList* m_imageList = nullptr;
    int m_imageIndex = -1;
    std::string m_imageName;
    bool m_flat = false;
    bool m_mouseOver = false;
    TiPlotToolBar* m_toolBar;
};

class TiPlotToolBar : public TiPlotLayoutObject {
    PRAVIX_CLASS(TiPlotToolBar, TiPlotLayoutObject)
public:
    TiPlotToolBar(IPlotHost* owner, TNotifyEvent onChange, TNotifyEvent onInsert, TNotifyEvent onRemove,
                  TNotifyEvent onRename);
    ~TiPlotToolBar() override;

    // --- Published properties -------------------------------------------------------------
    bool ShowResumeButton() const;
    void SetShowResumeButton(bool value);
    bool ShowPauseButton() const;
    void SetShowPauseButton(bool value);
    // Scroll and Zoom together.
    bool ShowAxesModeButtons() const;
    void SetShowAxesModeButtons(bool value);
    // Zoom Out and Zoom In together.
    bool ShowZoomInOutButtons() const;
    void SetShowZoomInOutButtons(bool value);
    bool ShowSelectButton() const;
    void SetShowSelectButton(bool value);
    bool ShowZoomBoxButton() const;
    void SetShowZoomBoxButton(bool value);
    bool ShowCursorButton() const;
    void SetShowCursorButton(bool value);
    bool ShowEditButton() const;
    void SetShowEditButton(bool value);
    bool ShowCopyButton() const;
    void SetShowCopyButton(bool value);
    bool ShowSaveButton() const;
    void SetShowSaveButton(bool value);
    bool ShowPrintButton() const;
    void SetShowPrintButton(bool value);
    bool ShowPreviewButton() const;
    void SetShowPreviewButton(bool value);
    // The span factor of Zoom Out and Zoom In; never below 1.
    double ZoomInOutFactor() const { return m_zoomInOutFactor; }
    void SetZoomInOutFactor(double value);
    bool FlatBorder() const { return m_flatBorder; }
    void SetFlatBorder(bool value);
    bool FlatButtons() const { return m_flatButtons; }
    void SetFlatButtons(bool value);
    // 22-pixel buttons with 16x16 images instead of 30-pixel buttons with 24x24 images.
    bool SmallButtons() const { return m_smallButtons; }
    void SetSmallButtons(bool value);

    // --- Actions, as if the button were clicked (without releasing the rest of its group) ----
    void DoButtonClickResume() { ResumeClick(this); }
    void DoButtonClickPause() { PauseClick(this); }
    void DoButtonClickScrollAxesMode() { AxesModeScrollClick(this); }
    void DoButtonClickZoomAxesMode() { AxesModeZoomClick(this); }
    void DoButtonClickZoomIn() { ZoomInClick(this); }
    void DoButtonClickZoomOut() { ZoomOutClick(this); }
    void DoButtonClickSelect() { SelectClick(this); }
    void DoButtonClickZoomBox() { ZoomBoxClick(this); }
    void DoButtonClickCursor() { CursorClick(this); }
    void DoButtonClickEdit() { EditClick(this); }
    void DoButtonClickCopy() { CopyClick(this); }
    void DoButtonClickSave() { SaveClick(this); }
    void DoButtonClickPrint() { PrintClick(this); }
    void DoButtonClickPreview() { PreviewClick(this); }

    // --- State ----------------------------------------------------------------------------------
    bool GetCursorActive() const;
    bool GetZoomBoxActive() const;
    bool GetSelectActive() const;
    // Releases the Cursor button, which hides the data cursors.
    void TurnOffCursor();

    // The entry of a button type, and every entry (buttons and spacers) in display order.
    TiPlotToolBarButton* GetButton(TiPlotToolBarButtonType type) const;
    int EntryCount() const { return int(m_entries.size()); }
    TiPlotToolBarButton* GetEntry(int index) const { return m_entries.at(index).get(); }
    TImageList& ImageList() const { return *m_imageList; }

    void SetupLargeImages();
    void SetupSmallImages();
    // Releases every other entry of the sender's group.
    void GroupClick(TObject* sender);

    // --- Plot-object operations ---------------------------------------------------------------
    void NotificationSetFocus(TObject* sender) override;
    void Draw(TCanvas& canvas, TColor backGroundColor) override;
    TiPlotObject* GetMouseObject(int x, int y) override;
    void AddMenuItems(TPopupMenu* popupMenu) override;
    int GetRequiredWidth(TCanvas& canvas) override;

private:
    using TAction = void (TiPlotToolBar::*)(TObject*);
    TiPlotToolBarButton* AddEntry(const std::string& hint, int group, const std::string& imageName, TAction action);
    TiPlotToolBarButton* AddSpacer();
    void SetupImages(bool small);
    void ButtonInvalidate(TObject* sender);
    void EntryChange(TObject* sender);
    void UpdateSpacers();
    void UpdateResumePauseButtons();
    // Before-click event, the action, then the click event unless `clickEvent` is off;
    // nothing more when the before-click handler cancels.
    template <typename Action>
    void RunAction(TiPlotToolBarButtonType type, const Action& action, bool clickEvent = true);
    std::vector<TiPlotAxis*> AllAxes() const;

    void ResumeClick(TObject* sender);
    void PauseClick(TObject* sender);
    void AxesModeScrollClick(TObject* sender);
    void AxesModeZoomClick(TObject* sender);
    void ZoomOutClick(TObject* sender);
    void ZoomInClick(TObject* sender);
    void SelectClick(TObject* sender);
    void ZoomBoxClick(TObject* sender);
    void CursorClick(TObject* sender);
    void EditClick(TObject* sender);
    void CopyClick(TObject* sender);
    void SaveClick(TObject* sender);
    void PrintClick(TObject* sender);
    void PreviewClick(TObject* sender);
    void CursorDownChange(TObject* sender);
    void ZoomBoxDownChange(TObject* sender);
    void SelectDownChange(TObject* sender);

    // Declared first so that it goes last: the entries draw from it while they live.
    std::unique_ptr<TImageList> m_imageList;
    std::vector<std::unique_ptr<TiPlotToolBarButton>> m_entries;
    double m_zoomInOutFactor = 2.0;
    bool m_flatButtons = false;
    bool m_smallButtons = false;
    bool m_flatBorder = false;

    TiPlotToolBarButton* m_resume = nullptr;
    TiPlotToolBarButton* m_pause = nullptr;
    TiPlotToolBarButton* m_spacer1 = nullptr;
    TiPlotToolBarButton* m_scroll = nullptr;
    TiPlotToolBarButton* m_zoom = nullptr;
    TiPlotToolBarButton* m_spacer2 = nullptr;
    TiPlotToolBarButton* m_zoomOut = nullptr;
    TiPlotToolBarButton* m_zoomIn = nullptr;
    TiPlotToolBarButton* m_spacer3 = nullptr;
    TiPlotToolBarButton* m_select = nullptr;
    TiPlotToolBarButton* m_zoomBox = nullptr;
    TiPlotToolBarButton* m_cursor = nullptr;
    TiPlotToolBarButton* m_spacer4 = nullptr;
    TiPlotToolBarButton* m_edit = nullptr;
    TiPlotToolBarButton* m_spacer5 = nullptr;
    TiPlotToolBarButton* m_copy = nullptr;
    TiPlotToolBarButton* m_save = nullptr;
    TiPlotToolBarButton* m_print = nullptr;
    TiPlotToolBarButton* m_preview = nullptr;
};
