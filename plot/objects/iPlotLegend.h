#pragma once
// TiPlotLegend: the plot's key to its channels. One item per channel shown in the legend, each
// a row of optional columns: a sample of the trace line and of the marker, the channel's name,
// its axes' titles, its latest X and Y values and its running Y maximum, minimum and mean.
// Items wrap into columns and rows within the room the layout gives the legend; when not all
// fit, two scroll buttons page through them. A click on a channel's name makes the channel
// the mouse object.
//
//     legend->SetShowColumnYValue(true);
//     legend->SetWrapColDesiredCount(2);
//     int depth = legend->GetRequiredWidth(canvas);   // across its side
//     legend->SetDrawRect(...);  legend->Draw(canvas, background);
//
// The legend keeps no channel between paints but those of its last layout, and drops a
// channel from them the moment the channel leaves the plot.

#include "plot/objects/iPlotObjectsLayer.h"

#include "components/iTypes.h"
#include "platform/canvas/Graphics.h"
#include "plot/core/iPlotObjects.h"

#include <array>
#include <memory>
#include <string>
#include <vector>

class TiPlotChannelCustom;

PRAVIX_ENUM(TiPlotLegendChannelNameColorStyle, iplcncsFont, iplcncsChannelColor, iplcncsXAxisFontColor,
            iplcncsYAxisFontColor)

// A scroll button of the legend, drawn as a raised (pressed: sunken) button face.
class TiPlotLegendButton : public TiPlotButton {
    PRAVIX_CLASS(TiPlotLegendButton, TiPlotButton)
public:
    using TiPlotButton::TiPlotButton;
    void Draw(TCanvas& canvas, TColor backGroundColor) override;
};

// One channel's place in the legend, from the last layout.
struct TiPlotLegendItem {
    TiPlotChannelCustom* Channel = nullptr;
    int Height = 0;
    int X = 0;
    int Y = 0;
    int Row = 0;     // from 1; 0 while not placed
    int Column = 0;  // from 1
};

class TiPlotLegend : public TiPlotLayoutObject {
    PRAVIX_CLASS(TiPlotLegend, TiPlotLayoutObject)
public:
    // The columns of an item, in their order across it.
    enum TColumn {
        colLine,
        colMarker,
        colName,
        colXAxisTitle,
        colYAxisTitle,
        colXValue,
        colYValue,
        colYMax,
        colYMin,
        colYMean,
        colCount
    };

    TiPlotLegend(IPlotHost* owner, TNotifyEvent onChange, TNotifyEvent onInsert, TNotifyEvent onRemove,
                 TNotifyEvent onRename);
    ~TiPlotLegend() override;

    // --- Published properties ---------------------------------------------------------------
    // Margins in widths (left, right) and heights (top, bottom) of the digit "0".
    double MarginLeft() const { return m_marginLeft; }
    void SetMarginLeft(double value);
    double MarginRight() const { return m_marginRight; }
    void SetMarginRight(double value);
    double MarginTop() const { return m_marginTop; }
    void SetMarginTop(double value);
    double MarginBottom() const { return m_marginBottom; }
    void SetMarginBottom(double value);
    TColor BackGroundColor() const { return m_backGroundColor; }
    void SetBackGroundColor(TColor value);
    bool BackGroundTransparent() const { return m_backGroundTransparent; }
    void SetBackGroundTransparent(bool value);
    TColor SelectedItemBackGroundColor() const { return m_selectedItemBackGroundColor; }
    void SetSelectedItemBackGroundColor(TColor value);
    TFont* SelectedItemFont() const { return m_selectedItemFont.get(); }
    void SetSelectedItemFont(TFont* value);
    TFont* Font() const { return m_font.get(); }
    void SetFont(TFont* value);
    TFont* ColumnTitlesFont() const { return m_columnTitlesFont.get(); }
    void SetColumnTitlesFont(TFont* value);
    bool ShowColumnLine() const { return m_show[colLine]; }
    void SetShowColumnLine(bool value) { SetShow(colLine, value); }
    bool ShowColumnMarker() const { return m_show[colMarker]; }
    void SetShowColumnMarker(bool value) { SetShow(colMarker, value); }
    bool ShowColumnXAxisTitle() const { return m_show[colXAxisTitle]; }
    void SetShowColumnXAxisTitle(bool value) { SetShow(colXAxisTitle, value); }
    bool ShowColumnYAxisTitle() const { return m_show[colYAxisTitle]; }
    void SetShowColumnYAxisTitle(bool value) { SetShow(colYAxisTitle, value); }
    bool ShowColumnXValue() const { return m_show[colXValue]; }
    void SetShowColumnXValue(bool value) { SetShow(colXValue, value); }
    bool ShowColumnYValue() const { return m_show[colYValue]; }
    void SetShowColumnYValue(bool value) { SetShow(colYValue, value); }
    bool ShowColumnYMax() const { return m_show[colYMax]; }
    void SetShowColumnYMax(bool value) { SetShow(colYMax, value); }
    bool ShowColumnYMin() const { return m_show[colYMin]; }
    void SetShowColumnYMin(bool value) { SetShow(colYMin, value); }
    bool ShowColumnYMean() const { return m_show[colYMean]; }
    void SetShowColumnYMean(bool value) { SetShow(colYMean, value); }
    const std::string& CaptionColumnTitle() const { return m_caption[colName]; }
    void SetCaptionColumnTitle(const std::string& value) { SetCaption(colName, value); }
    const std::string& CaptionColumnXAxisTitle() const { return m_caption[colXAxisTitle]; }
    void SetCaptionColumnXAxisTitle(const std::string& value) { SetCaption(colXAxisTitle, value); }
    const std::string& CaptionColumnYAxisTitle() const { return m_caption[colYAxisTitle]; }
    void SetCaptionColumnYAxisTitle(const std::string& value) { SetCaption(colYAxisTitle, value); }
    const std::string& CaptionColumnXValue() const { return m_caption[colXValue]; }
    void SetCaptionColumnXValue(const std::string& value) { SetCaption(colXValue, value); }
    const std::string& CaptionColumnYValue() const { return m_caption[colYValue]; }
    void SetCaptionColumnYValue(const std::string& value) { SetCaption(colYValue, value); }
    const std::string& CaptionColumnYMax() const { return m_caption[colYMax]; }
    void SetCaptionColumnYMax(const std::string& value) { SetCaption(colYMax, value); }
    const std::string& CaptionColumnYMin() const { return m_caption[colYMin]; }
    void SetCaptionColumnYMin(const std::string& value) { SetCaption(colYMin, value); }
    const std::string& CaptionColumnYMean() const { return m_caption[colYMean]; }
    void SetCaptionColumnYMean(const std::string& value) { SetCaption(colYMean, value); }
    // Gap between the columns of an item, in widths of "0".
    double ColumnSpacing() const { return m_columnSpacing; }
    void SetColumnSpacing(double value);
    // Another name of WrapRowSpacingMin.
    double RowSpacing() const { return m_wrapRowSpacingMin; }
    void SetRowSpacing(double value) { SetWrapRowSpacingMin(value); }
    // Values below 1 are stored as 1.
    int WrapColDesiredCount() const { return m_wrapColDesiredCount; }
    void SetWrapColDesiredCount(int value);
    bool WrapColAutoCountEnabled() const { return m_wrapColAutoCountEnabled; }
    void SetWrapColAutoCountEnabled(bool value);
    // Stored as given; the layout takes values below 1 as 1.
    int WrapColAutoCountMax() const { return m_wrapColAutoCountMax; }
    void SetWrapColAutoCountMax(int value);
    // Gap between item columns, in heights of "0".
    double WrapColSpacingMin() const { return m_wrapColSpacingMin; }
    void SetWrapColSpacingMin(double value);
    bool WrapColSpacingAuto() const { return m_wrapColSpacingAuto; }
    void SetWrapColSpacingAuto(bool value);
    int WrapRowDesiredCount() const { return m_wrapRowDesiredCount; }
    void SetWrapRowDesiredCount(int value);
    bool WrapRowAutoCountEnabled() const { return m_wrapRowAutoCountEnabled; }
    void SetWrapRowAutoCountEnabled(bool value);
    int WrapRowAutoCountMax() const { return m_wrapRowAutoCountMax; }
    void SetWrapRowAutoCountMax(int value);
    // Gap between rows, in heights of "0".
    double WrapRowSpacingMin() const { return m_wrapRowSpacingMin; }
    void SetWrapRowSpacingMin(double value);
    bool WrapRowSpacingAuto() const { return m_wrapRowSpacingAuto; }
    void SetWrapRowSpacingAuto(bool value);
    bool ColumnTitlesVisible() const { return m_columnTitlesVisible; }
    void SetColumnTitlesVisible(bool value);
    // 0: the name column is as wide as the longest name; else its width in widths of "0",
    // with names word-wrapped.
    double ChannelNameMaxWidth() const { return m_channelNameMaxWidth; }
    void SetChannelNameMaxWidth(double value);
    TiPlotLegendChannelNameColorStyle ChannelNameColorStyle() const { return m_channelNameColorStyle; }
    void SetChannelNameColorStyle(TiPlotLegendChannelNameColorStyle value);
    // The line sample's length and thickness in pixels.
    int LineColumnWidth() const { return m_lineColumnWidth; }
    void SetLineColumnWidth(int value);
    int LineColumnHeight() const { return m_lineColumnHeight; }
    void SetLineColumnHeight(int value);

    // --- State --------------------------------------------------------------------------------
    int ItemViewStartIndex() const { return m_itemViewStartIndex; }
    void SetItemViewStartIndex(int value);
    // Set by the plot on legend 0 while a data cursor shows every channel: the value columns
    // then show the values under the cursor.
    bool CursorValues() const { return m_cursorValues; }
    void SetCursorValues(bool value) { m_cursorValues = value; }
    TiPlotLegendButton* UpButton() const { return m_upButton.get(); }
    TiPlotLegendButton* DownButton() const { return m_downButton.get(); }
    const std::vector<TiPlotLegendItem>& Items() const { return m_items; }
    const std::vector<int>& ColumnXList() const { return m_columnX; }
    int ColumnWidth(TColumn column) const { return m_width[column]; }
    int ColumnOffset(TColumn column) const { return m_offset[column]; }
    int RowCount() const { return m_rowCount; }
    int ColumnCount() const { return m_columnCount; }
    int LastShownIndex() const { return m_lastShownIndex; }
    int RowHeight() const { return m_rowHeight; }
    int BlockWidth() const { return m_blockWidth; }

    // --- Operations ---------------------------------------------------------------------------
    // The layout of the items in the draw rectangle.
    void CalcRects(TCanvas& canvas);
    void UpButtonClick(TObject* sender);
    void DownButtonClick(TObject* sender);
    void ClearItemList() { m_items.clear(); }
    // Cell texts ("None", "Empty", "N/A" through the translation table).
    std::string GetXAxisNameText(TiPlotChannelCustom* channel);
    std::string GetYAxisNameText(TiPlotChannelCustom* channel);
    std::string GetXAxisValueText(TiPlotChannelCustom* channel);
    std::string GetYAxisValueText(TiPlotChannelCustom* channel);
    std::string GetYAxisMaxText(TiPlotChannelCustom* channel);
    std::string GetYAxisMinText(TiPlotChannelCustom* channel);
    std::string GetYAxisMeanText(TiPlotChannelCustom* channel);
    // The line sample: LineColumnHeight + 1 rows from Y - LineColumnHeight div 2.
    void DrawLine(TCanvas& canvas, int X, int Y, TColor color, TiPlotLineStyle style);

    // --- Virtual operations -------------------------------------------------------------------
    void NotificationRemove(TObject* sender) override;
    void NotificationSetFocus(TObject* sender) override;
    void Draw(TCanvas& canvas, TColor backGroundColor) override;
    void DoMouseUp(const TiPlotMouseData& mouseData) override;
    TiPlotObject* GetMouseObject(int x, int y) override;
    TCursor GetMousePointer(TPoint p) override;
    void AddMenuItems(TPopupMenu* popupMenu) override;
    int GetRequiredWidth(TCanvas& canvas) override;

private:
    void SetShow(TColumn column, bool value);
    void SetCaption(TColumn column, const std::string& value);
    bool Shown(TColumn column) const;
    std::string DisplayName(TiPlotChannelCustom* channel) const;
    std::string CellText(TColumn column, TiPlotChannelCustom* channel);
    void CalcColumnChannelName(TCanvas& canvas);
    void CalcColumnTitles(TCanvas& canvas);
    void CalcCellWidths(TCanvas& canvas);
    void PlaceItems(int rows, int columns);
    void DrawColumnTitles(TCanvas& canvas);
    void DrawScrollButton(TCanvas& canvas, TiPlotLegendButton& button, bool up);
    void ButtonInvalidate(TObject* sender);
    void FontChanged() { TriggerChange(this); }

    double m_marginLeft = 1.0;
    double m_marginRight = 1.0;
    double m_marginTop = 1.0;
    double m_marginBottom = 1.0;
    TColor m_backGroundColor = 0x808080;
    bool m_backGroundTransparent = true;
    TColor m_selectedItemBackGroundColor = 0x00FFFF;
    std::unique_ptr<TFont> m_selectedItemFont;
    std::unique_ptr<TFont> m_font;
    std::unique_ptr<TFont> m_columnTitlesFont;
    std::array<bool, colCount> m_show{};
    std::array<std::string, colCount> m_caption;
    double m_columnSpacing = 0.5;
    int m_wrapColDesiredCount = 1;
    bool m_wrapColAutoCountEnabled = false;
    int m_wrapColAutoCountMax = 100;
    double m_wrapColSpacingMin = 2.0;
    bool m_wrapColSpacingAuto = true;
    int m_wrapRowDesiredCount = 5;
    bool m_wrapRowAutoCountEnabled = true;
    int m_wrapRowAutoCountMax = 100;
    double m_wrapRowSpacingMin = 0.25;
    bool m_wrapRowSpacingAuto = false;
    bool m_columnTitlesVisible = false;
    double m_channelNameMaxWidth = 0;
    TiPlotLegendChannelNameColorStyle m_channelNameColorStyle = iplcncsFont;
    int m_lineColumnWidth = 13;
    int m_lineColumnHeight = 3;

    int m_itemViewStartIndex = 0;
    bool m_cursorValues = false;
    std::unique_ptr<TiPlotLegendButton> m_upButton;
    std::unique_ptr<TiPlotLegendButton> m_downButton;

    // The last layout.
    std::vector<TiPlotLegendItem> m_items;
    std::vector<int> m_columnX;
    std::array<int, colCount> m_width{};
    std::array<int, colCount> m_offset{};
    int m_blockWidth = 0;
    int m_rowHeight = 0;
    int m_rowGap = 0;
    int m_columnGap = 0;
    int m_itemColumnGap = 0;
    int m_columnCount = 0;
    int m_rowCount = 0;
    int m_lastShownIndex = -1;
    int m_requiredWidth = 0;
    int m_requiredHeight = 0;
    int m_h0 = 0;
    TRect m_innerRect;
    TRect m_captionRect;
    TRect m_itemsRect;
    int m_captionGap = 0;
};
