#pragma once
// TiPlotTable: a small text grid that the layout places along a side of the plot. Columns
// with titles, rows of cells held as comma text, grid lines, a background, and two scroll
// buttons when not all rows fit. A host program fills it through the column and row
// operations:
//
//     table->AddColumn("Sample");
//     table->AddColumn("NTU");
//     table->AddRow();
//     table->SetData(0, 0, "River, upstream");   // a cell may hold commas and quotes
//     table->SetData(1, 0, "4.2");
//
// Column and row indices follow the lists; a bad one raises the list's index error
// ("List index out of bounds (n)").

#include "plot/objects/iPlotObjectsLayer.h"

#include "components/iTypes.h"
#include "platform/canvas/Graphics.h"
#include "platform/core/StringList.h"
#include "plot/core/iPlotObjects.h"

#include <memory>
#include <string>
#include <vector>

// A scroll button of the table, drawn as a raised (pressed: sunken) button face.
class TiPlotTableButton : public TiPlotButton {
    PRAVIX_CLASS(TiPlotTableButton, TiPlotButton)
public:
    using TiPlotButton::TiPlotButton;
    void Draw(TCanvas& canvas, TColor backGroundColor) override;
};

// One column of a table; the table owns it. Widths and margins are in widths of "0".
struct TiPlotTableColumn {
    std::string Title;
    double Width = 10.0;  // in widths of "0" of the data font
    bool Visible = true;
    TiAlignmentHorizontal TitleAlignment = iahCenter;
    double TitleMargin = 1.0;  // in widths of "0" of the title font
    TColor TitleFontColor = clWhite;
    TiAlignmentHorizontal DataAlignment = iahCenter;
    double DataMargin = 1.0;  // in widths of "0" of the data font
    TColor DataFontColor = clWhite;
    // Measured from the title and the cells at every layout.
    bool AutoSize = true;
    int PixelWidth = 0;  // set by the layout
};

class TiPlotTable : public TiPlotLayoutObject {
    PRAVIX_CLASS(TiPlotTable, TiPlotLayoutObject)
public:
    TiPlotTable(IPlotHost* owner, TNotifyEvent onChange, TNotifyEvent onInsert, TNotifyEvent onRemove,
                TNotifyEvent onRename);
    ~TiPlotTable() override;

    // --- Published properties -----------------------------------------------------------------
    // Margins in widths (left, right) and heights (top, bottom) of "0" of ColumnTitlesFont.
    double MarginLeft() const { return m_marginLeft; }
    void SetMarginLeft(double value);
    double MarginRight() const { return m_marginRight; }
    void SetMarginRight(double value);
    double MarginTop() const { return m_marginTop; }
    void SetMarginTop(double value);
    double MarginBottom() const { return m_marginBottom; }
    void SetMarginBottom(double value);
    TColor GridBackGroundColor() const { return m_gridBackGroundColor; }
    void SetGridBackGroundColor(TColor value);
    bool GridBackGroundTransparent() const { return m_gridBackGroundTransparent; }
    void SetGridBackGroundTransparent(bool value);
    TColor GridLinesColor() const { return m_gridLinesColor; }
    void SetGridLinesColor(TColor value);
    bool GridLinesShow() const { return m_gridLinesShow; }
    void SetGridLinesShow(bool value);
    TFont* DataFont() const { return m_dataFont.get(); }
    void SetDataFont(TFont* value);
    // Added to a measured column, in widths of "0".
    double ColumnSpacing() const { return m_columnSpacing; }
    void SetColumnSpacing(double value);
    // Extra row height, in heights of "0" of DataFont.
    double RowSpacing() const { return m_rowSpacing; }
    void SetRowSpacing(double value);
    // The most rows shown; 0: no limit.
    int RowsMax() const { return m_rowsMax; }
    void SetRowsMax(int value);
    bool ColumnTitlesVisible() const { return m_columnTitlesVisible; }
    void SetColumnTitlesVisible(bool value);
    TFont* ColumnTitlesFont() const { return m_columnTitlesFont.get(); }
    void SetColumnTitlesFont(TFont* value);

    // --- Columns (no repaint: a host fills the table, then adds rows) ---------------------------
    int AddColumn(const std::string& title);
    void DeleteColumn(int index);
    void RemoveAllColumns();
    TiPlotTableColumn* GetColumn(int index) const;
    int GetColumnCount() const { return int(m_columns.size()); }

    // --- Rows and cells -------------------------------------------------------------------------------
    void AddRow();
    void DeleteRow(int index);
    void RemoveAllRows();
    int GetRowCount() const { return m_rows.Count(); }
    // The cell; a row holding fewer cells than there are columns reads as padded with
    // empty cells.
    std::string GetData(int col, int row);
    void SetData(int col, int row, const std::string& text);
    // The row as stored: its cells in comma text.
    std::string GetRowText(int row) const { return m_rows.Get(row); }

    // --- Scrolling ---------------------------------------------------------------------------------
    // One row per click.
    void UpButtonClick(TObject* sender);
    void DownButtonClick(TObject* sender);
    int FirstShownRow() const { return m_firstShownRow; }
    int LastShownRow() const { return m_lastShownRow; }
    TiPlotTableButton* UpButton() const { return m_upButton.get(); }
    TiPlotTableButton* DownButton() const { return m_downButton.get(); }

    // --- Layout --------------------------------------------------------------------------------------
    void CalcRects(TCanvas& canvas);
    int RowHeight() const { return m_rowHeight; }
    TRect InnerRect() const { return m_innerRect; }
    TRect TitleRect() const { return m_titleRect; }
    int RequiredWidth() const { return m_requiredWidth; }
    int RequiredHeight() const { return m_requiredHeight; }

    // --- Virtual operations -----------------------------------------------------------------------
    void NotificationSetFocus(TObject* sender) override;
    void Draw(TCanvas& canvas, TColor backGroundColor) override;
    void DoMouseUp(const TiPlotMouseData& mouseData) override;
    TiPlotObject* GetMouseObject(int x, int y) override;
    void AddMenuItems(TPopupMenu* popupMenu) override;
    int GetRequiredWidth(TCanvas& canvas) override;

private:
    // Splits the row into the scratch list, padded with empty cells up to the column count.
    void SplitRow(int row);
    int MeasureColumn(TCanvas& canvas, int col, int wT, int wD);
    void PlaceButtons(int shownRows);
    void DrawGrid(TCanvas& canvas);
    // Draws the row of cells at `top`: the titles (row -1) or the row's data.
    void DrawCells(TCanvas& canvas, int row, int top, int bottom, const TFont& font, TColor backGroundColor);
    void DrawButton(TCanvas& canvas, TiPlotTableButton& button, bool up);
    void ButtonInvalidate(TObject* sender);

    double m_marginLeft = 1.0;
    double m_marginRight = 1.0;
    double m_marginTop = 1.0;
    double m_marginBottom = 1.0;
    TColor m_gridBackGroundColor = 0x808080;
    bool m_gridBackGroundTransparent = false;
    TColor m_gridLinesColor = 0xFFFFFF;
    bool m_gridLinesShow = true;
    std::unique_ptr<TFont> m_dataFont;
    double m_columnSpacing = 2.0;
    double m_rowSpacing = 0.5;
    int m_rowsMax = 0;
    bool m_columnTitlesVisible = true;
    std::unique_ptr<TFont> m_columnTitlesFont;

    std::vector<std::unique_ptr<TiPlotTableColumn>> m_columns;
    TStringList m_rows;
    TStringList m_scratch;
    std::unique_ptr<TiPlotTableButton> m_upButton;
    std::unique_ptr<TiPlotTableButton> m_downButton;

    // The last layout.
    int m_firstShownRow = 0;
    int m_lastShownRow = -1;
    int m_rowHeight = 0;
    TRect m_innerRect;
    TRect m_titleRect;
    int m_requiredWidth = 0;
    int m_requiredHeight = 0;
    int m_wT = 0;  // widths of "0" in the title and the data font
    int m_wD = 0;
};
