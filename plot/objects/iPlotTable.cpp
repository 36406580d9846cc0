#include "plot/objects/iPlotTable.h"

#include "components/iGPFunctions.h"
#include "platform/core/Exceptions.h"
#include "plot/core/iPlotManagers.h"

#include <algorithm>
#include <cmath>
#include <utility>

namespace {

// Rounding to the nearest integer, halves to even.
int RoundHalfEven(double value) { return int(std::nearbyint(value)); }

constexpr int kButtonGap = 5;
constexpr int kButtonWidth = 17;

TiTextFlag AlignmentFlag(TiAlignmentHorizontal alignment)
{
    switch (alignment) {
    case iahLeft: return itfHLeft;
    case iahRight: return itfHRight;
    case iahCenter: break;
    }
    return itfHCenter;
}

}  // namespace

// ---------------------------------------------------------------------------------------------
// TiPlotTableButton

void TiPlotTableButton::Draw(TCanvas& canvas, TColor)
{
    if (!Visible())
        return;
    canvas.Brush().SetStyle(bsSolid);
    canvas.Brush().SetColor(clBtnFace);
    canvas.FillRect(GetDrawRect());
    iDrawEdge(canvas, GetDrawRect(), Down() ? idesSunken : idesRaised);
}

// ---------------------------------------------------------------------------------------------
// TiPlotTable

TiPlotTable::TiPlotTable(IPlotHost* owner, TNotifyEvent onChange, TNotifyEvent onInsert, TNotifyEvent onRemove,
                         TNotifyEvent onRename)
    : TiPlotLayoutObject(owner, std::move(onChange), std::move(onInsert), std::move(onRemove), std::move(onRename))
{
    m_dataFont = std::make_unique<TFont>();
    m_dataFont->SetColor(clWhite);
    m_dataFont->SetStyle({fsBold});
    m_columnTitlesFont = std::make_unique<TFont>();
    m_columnTitlesFont->SetColor(0xFFFF00);
    m_columnTitlesFont->SetStyle({fsBold});
    for (TFont* font : {m_dataFont.get(), m_columnTitlesFont.get()})
        font->OnChange = [this] { TriggerChange(this); };
    auto makeButton = [&](const char* name, void (TiPlotTable::*click)(TObject*)) {
        auto button = std::make_unique<TiPlotTableButton>(
            owner, [](TObject*) {}, [](TObject*) {}, [](TObject*) {}, [](TObject*) {});
        button->SetName(name);
        button->SetAutoRepeat(true);
        button->SetOwnerObject(this);
        button->OnClick = [this, click](TObject* sender) { (this->*click)(sender); };
        button->OnInvalidate = [this](TObject* sender) { ButtonInvalidate(sender); };
        button->SetVisible(false);
        return button;
    };
    m_upButton = makeButton("PlotTableUpButton", &TiPlotTable::UpButtonClick);
    m_downButton = makeButton("PlotTableDownButton", &TiPlotTable::DownButtonClick);
}

TiPlotTable::~TiPlotTable() = default;

// --- Setters ---------------------------------------------------------------------------------

void TiPlotTable::SetMarginLeft(double value) { SetDoubleProperty(value, m_marginLeft, &TiPlotObject::TriggerChange); }
void TiPlotTable::SetMarginRight(double value)
{
    SetDoubleProperty(value, m_marginRight, &TiPlotObject::TriggerChange);
}
void TiPlotTable::SetMarginTop(double value) { SetDoubleProperty(value, m_marginTop, &TiPlotObject::TriggerChange); }
void TiPlotTable::SetMarginBottom(double value)
{
    SetDoubleProperty(value, m_marginBottom, &TiPlotObject::TriggerChange);
}
void TiPlotTable::SetGridBackGroundColor(TColor value)
{
    SetColorProperty(value, m_gridBackGroundColor, &TiPlotObject::TriggerChange);
}
void TiPlotTable::SetGridBackGroundTransparent(bool value)
{
    SetBooleanProperty(value, m_gridBackGroundTransparent, &TiPlotObject::TriggerChange);
}
void TiPlotTable::SetGridLinesColor(TColor value)
{
    SetColorProperty(value, m_gridLinesColor, &TiPlotObject::TriggerChange);
}
void TiPlotTable::SetGridLinesShow(bool value)
{
    SetBooleanProperty(value, m_gridLinesShow, &TiPlotObject::TriggerChange);
}
void TiPlotTable::SetDataFont(TFont* value)
{
    if (value)
        m_dataFont->Assign(*value);
}
void TiPlotTable::SetColumnSpacing(double value)
{
    SetDoubleProperty(value, m_columnSpacing, &TiPlotObject::TriggerChange);
}
void TiPlotTable::SetRowSpacing(double value) { SetDoubleProperty(value, m_rowSpacing, &TiPlotObject::TriggerChange); }
void TiPlotTable::SetRowsMax(int value) { SetIntegerProperty(value, m_rowsMax, &TiPlotObject::TriggerChange); }
void TiPlotTable::SetColumnTitlesVisible(bool value)
{
    SetBooleanProperty(value, m_columnTitlesVisible, &TiPlotObject::TriggerChange);
}
void TiPlotTable::SetColumnTitlesFont(TFont* value)
{
    if (value)
        m_columnTitlesFont->Assign(*value);
}

// --- Columns, rows and cells -------------------------------------------------------------------

int TiPlotTable::AddColumn(const std::string& title)
{
    auto column = std::make_unique<TiPlotTableColumn>();
    column->Title = title;
    column->TitleFontColor = m_columnTitlesFont->GetColor();
    column->DataFontColor = m_dataFont->GetColor();
    m_columns.push_back(std::move(column));
    return int(m_columns.size()) - 1;
}

void TiPlotTable::DeleteColumn(int index)
{
    if (index < 0 || index >= GetColumnCount())
        RaiseListIndexError(index);
    m_columns.erase(m_columns.begin() + index);
}

void TiPlotTable::RemoveAllColumns()
{
    while (GetColumnCount() > 0)
        DeleteColumn(0);
}

TiPlotTableColumn* TiPlotTable::GetColumn(int index) const
{
    if (index < 0 || index >= GetColumnCount())
        RaiseListIndexError(index);
    return m_columns[size_t(index)].get();
}

void TiPlotTable::AddRow()
{
    m_rows.Add("");
    TriggerChange(this);
}

void TiPlotTable::DeleteRow(int index)
{
    m_rows.Delete(index);
    TriggerChange(this);
}

void TiPlotTable::RemoveAllRows()
{
    m_rows.Clear();
    TriggerChange(this);
}

void TiPlotTable::SplitRow(int row)
{
    m_scratch.SetCommaText(m_rows.Get(row));
    while (m_scratch.Count() < GetColumnCount())
        m_scratch.Add("");
}

std::string TiPlotTable::GetData(int col, int row)
{
    SplitRow(row);
    return m_scratch.Get(col);
}

void TiPlotTable::SetData(int col, int row, const std::string& text)
{
    SplitRow(row);
    m_scratch.Put(col, text);
    m_rows.Put(row, m_scratch.CommaText());
    TriggerChange(this);
}

// --- Scrolling ---------------------------------------------------------------------------------

void TiPlotTable::UpButtonClick(TObject*)
{
    if (m_firstShownRow > 0)
        --m_firstShownRow;
}

void TiPlotTable::DownButtonClick(TObject*)
{
    // The next layout pulls the view back when it passes the last row.
    if (m_firstShownRow < GetRowCount() - 1)
        ++m_firstShownRow;
}

void TiPlotTable::ButtonInvalidate(TObject*) { TriggerInvalidateNow(this); }

// --- Layout --------------------------------------------------------------------------------------

int TiPlotTable::MeasureColumn(TCanvas& canvas, int col, int wT, int wD)
{
    TiPlotTableColumn& column = *m_columns[size_t(col)];
    if (!column.AutoSize) {
        column.PixelWidth = RoundHalfEven(column.Width * wD);
        return column.PixelWidth;
    }
    canvas.Font().Assign(*m_columnTitlesFont);
    int width = canvas.TextWidth(column.Title) + RoundHalfEven(wT * m_columnSpacing) + wT;
    canvas.Font().Assign(*m_dataFont);
    const int spacing = RoundHalfEven(wD * m_columnSpacing);
    for (int row = 0; row < GetRowCount(); ++row)
        width = std::max(width, canvas.TextWidth(GetData(col, row)) + spacing + wD);
    column.PixelWidth = width;
    column.Width = wD > 0 ? width / wD : 0;
    return width;
}

void TiPlotTable::PlaceButtons(int shownRows)
{
    const int x = m_innerRect.Right + kButtonGap;
    const int c1 = m_titleRect.Bottom + m_rowHeight / 2;
    const int c2 = m_titleRect.Bottom + shownRows * m_rowHeight - m_rowHeight / 2;
    m_upButton->SetDrawRect(Rect(x, c1 - 8, x + kButtonWidth, c1 + 9));
    m_downButton->SetDrawRect(Rect(x, c2 - 8, x + kButtonWidth, c2 + 9));
    m_upButton->SetVisible(true);
    m_downButton->SetVisible(true);
    m_requiredWidth += kButtonWidth + kButtonGap;
}

void TiPlotTable::CalcRects(TCanvas& canvas)
{
    const int rowCount = GetRowCount();
    if (rowCount == 0 || m_columns.empty()) {
        m_requiredWidth = m_requiredHeight = 0;
        m_upButton->SetVisible(false);
        m_downButton->SetVisible(false);
        return;
    }
    const TRect r = GetDrawRect();
    canvas.Font().Assign(*m_columnTitlesFont);
    const int wT = canvas.TextWidth("0"), hT = canvas.TextHeight("0");
    const int top = RoundHalfEven(hT * m_marginTop), bottom = RoundHalfEven(hT * m_marginBottom);
    const int left = RoundHalfEven(wT * m_marginLeft), right = RoundHalfEven(wT * m_marginRight);
    m_innerRect = Rect(r.Left + left, r.Top + top, r.Right - right, r.Bottom - bottom);
    m_titleRect =
        Rect(m_innerRect.Left, m_innerRect.Top, m_innerRect.Right, m_innerRect.Top + (m_columnTitlesVisible ? hT : 0));

    canvas.Font().Assign(*m_dataFont);
    const int wD = canvas.TextWidth("0"), hD = canvas.TextHeight("0");
    // At least one pixel: a row spacing of -1 or less, or a font of no height, must not
    // leave the rows without height (the fitting below divides by it).
    m_rowHeight = std::max(1, hD + RoundHalfEven(hD * m_rowSpacing));
    m_wT = wT;
    m_wD = wD;

    int shown = m_rowsMax != 0 && m_rowsMax < rowCount ? m_rowsMax : rowCount;
    shown = std::max(shown, 0);
    m_innerRect.Bottom = m_titleRect.Bottom + shown * m_rowHeight;
    m_requiredHeight = top + bottom + m_titleRect.Height() + shown * m_rowHeight;

    m_requiredWidth = left + right;
    int columnsWidth = 0;
    for (int col = 0; col < GetColumnCount(); ++col)
        if (m_columns[size_t(col)]->Visible)
            columnsWidth += MeasureColumn(canvas, col, wT, wD);
    m_requiredWidth += columnsWidth;
    m_innerRect.Right = m_innerRect.Left + columnsWidth;

    if (r.Bottom - bottom < m_innerRect.Bottom) {
        shown = std::max(0, (r.Bottom - bottom - m_titleRect.Bottom) / m_rowHeight);
        m_innerRect.Bottom = m_titleRect.Bottom + shown * m_rowHeight;
    }

    if (rowCount > shown) {
        // A disabled table cannot be scrolled: it shows no buttons and needs no room for them.
        const bool scrollable = Enabled();
        m_upButton->SetVisible(false);
        m_downButton->SetVisible(false);
        if (scrollable)
            PlaceButtons(shown);
        m_lastShownRow = m_firstShownRow + shown - 1;
        if (m_lastShownRow > rowCount - 1) {
            m_lastShownRow = rowCount - 1;
            m_firstShownRow = m_lastShownRow - (shown - 1);
        }
        if (m_firstShownRow < 0) {
            m_firstShownRow = 0;
            m_lastShownRow = shown - 1;
        }
    } else {
        m_upButton->SetVisible(false);
        m_downButton->SetVisible(false);
        m_firstShownRow = 0;
        m_lastShownRow = shown - 1;
    }
    m_upButton->SetEnabled(m_firstShownRow != 0);
    m_downButton->SetEnabled(m_lastShownRow != rowCount - 1);
}

int TiPlotTable::GetRequiredWidth(TCanvas& canvas)
{
    CalcRects(canvas);
    return Horizontal() ? m_requiredHeight : m_requiredWidth;
}

// --- Drawing -------------------------------------------------------------------------------------

void TiPlotTable::DrawGrid(TCanvas& canvas)
{
    canvas.Pen().SetStyle(psSolid);
    canvas.Pen().SetWidth(1);
    canvas.Pen().SetColor(m_gridLinesColor);
    auto line = [&](int x1, int y1, int x2, int y2) {
        canvas.MoveTo(x1, y1);
        canvas.LineTo(x2, y2);
    };
    int x = m_innerRect.Left;
    for (const auto& column : m_columns) {
        if (!column->Visible)
            continue;
        line(x, m_innerRect.Top, x, m_innerRect.Bottom);
        x += column->PixelWidth;
    }
    line(x, m_innerRect.Top, x, m_innerRect.Bottom);
    line(m_innerRect.Left, m_innerRect.Top, m_innerRect.Right + 1, m_innerRect.Top);
    for (int y = m_titleRect.Bottom; y <= m_innerRect.Bottom; y += m_rowHeight)
        line(m_innerRect.Left, y, m_innerRect.Right + 1, y);
}

void TiPlotTable::DrawCells(TCanvas& canvas, int row, int top, int bottom, const TFont& font, TColor backGroundColor)
{
    const bool titles = row < 0;
    canvas.Font().Assign(font);
    canvas.Brush().SetStyle(bsClear);
    const int w0 = titles ? m_wT : m_wD;
    int x = m_innerRect.Left;
    for (int col = 0; col < GetColumnCount(); ++col) {
        const TiPlotTableColumn& column = *m_columns[size_t(col)];
        if (!column.Visible)
            continue;
        const TiAlignmentHorizontal alignment = titles ? column.TitleAlignment : column.DataAlignment;
        const int margin = RoundHalfEven((titles ? column.TitleMargin : column.DataMargin) * w0);
        TRect cell = Rect(x, top, x + column.PixelWidth, bottom);
        if (alignment == iahLeft)
            cell.Left += margin;
        else if (alignment == iahRight)
            cell.Right -= margin;
        canvas.Font().SetColor(titles ? column.TitleFontColor : column.DataFontColor);
        iDrawText(canvas, titles ? column.Title : GetData(col, row), cell,
                  {AlignmentFlag(alignment), itfVCenter, itfSingleLine}, true, backGroundColor);
        x += column.PixelWidth;
    }
}

void TiPlotTable::DrawButton(TCanvas& canvas, TiPlotTableButton& button, bool up)
{
    if (!button.Visible())
        return;
    button.Draw(canvas, m_gridBackGroundColor);
    const TColor color = button.Enabled() ? clBlack : 0x808080;
    canvas.Pen().SetColor(color);
    canvas.Pen().SetStyle(psSolid);
    canvas.Pen().SetWidth(1);
    canvas.Brush().SetColor(color);
    canvas.Brush().SetStyle(bsSolid);
    const TRect r = button.GetDrawRect();
    const int cx = (r.Left + r.Right) / 2, cy = (r.Top + r.Bottom) / 2;
    if (up)
        canvas.Polygon({{cx - 4, cy + 2}, {cx + 4, cy + 2}, {cx, cy - 2}});
    else
        canvas.Polygon({{cx - 4, cy - 2}, {cx + 4, cy - 2}, {cx, cy + 2}});
}

void TiPlotTable::Draw(TCanvas& canvas, TColor backGroundColor)
{
    if (!Visible() || GetRowCount() == 0 || m_columns.empty())
        return;
    CalcRects(canvas);
    canvas.Brush().SetStyle(bsSolid);
    canvas.Pen().SetStyle(psSolid);
    if (!m_gridBackGroundTransparent) {
        canvas.Brush().SetColor(m_gridBackGroundColor);
        canvas.FillRect(m_innerRect);
    }
    if (m_gridLinesShow)
        DrawGrid(canvas);
    if (m_columnTitlesVisible)
        DrawCells(canvas, -1, m_titleRect.Top, m_titleRect.Bottom, *m_columnTitlesFont, backGroundColor);
    int y = m_titleRect.Bottom;
    for (int row = m_firstShownRow; row <= m_lastShownRow; ++row, y += m_rowHeight)
        DrawCells(canvas, row, y, y + m_rowHeight, *m_dataFont, backGroundColor);
    canvas.Brush().SetStyle(bsClear);
    canvas.Font().Assign(*m_dataFont);
    DrawButton(canvas, *m_upButton, true);
    DrawButton(canvas, *m_downButton, false);
    if (UserSelected()) {
        canvas.Brush().SetStyle(bsClear);
        TRect focus = GetDrawRect();
        if (Horizontal())
            focus = Rect(focus.Left, focus.Top + 2, focus.Right, focus.Bottom - 2);
        iDrawFocusRect2(canvas, focus);
    }
}

// --- Input and notifications -----------------------------------------------------------------

void TiPlotTable::NotificationSetFocus(TObject* sender)
{
    TiPlotLayoutObject::NotificationSetFocus(sender);
    if (sender != this)
        SetUserSelected(false);
}

TiPlotObject* TiPlotTable::GetMouseObject(int x, int y)
{
    const TPoint p{x, y};
    if (m_upButton->Visible() && PtInRect(m_upButton->GetDrawRect(), p))
        return m_upButton.get();
    if (m_downButton->Visible() && PtInRect(m_downButton->GetDrawRect(), p))
        return m_downButton.get();
    return TiPlotLayoutObject::GetMouseObject(x, y);
}

void TiPlotTable::DoMouseUp(const TiPlotMouseData& mouseData)
{
    TiPlotLayoutObject::DoMouseUp(mouseData);
    if (MouseIsDown() && PtInRect(GetDrawRect(), {mouseData.X, mouseData.Y}) && Owner())
        Owner()->DoObjectClick(this);
}

void TiPlotTable::AddMenuItems(TPopupMenu* popupMenu)
{
    TiPlotLayoutObject::AddMenuItems(popupMenu);
    AddEditMenuItems(popupMenu);
}

// --- Published properties -------------------------------------------------------------------

PRAVIX_PUBLISH(TiPlotTableButton)
PRAVIX_PUBLISH(
    TiPlotTable, Prop("MarginLeft", &TiPlotTable::MarginLeft, &TiPlotTable::SetMarginLeft),
    Prop("MarginRight", &TiPlotTable::MarginRight, &TiPlotTable::SetMarginRight),
    Prop("MarginTop", &TiPlotTable::MarginTop, &TiPlotTable::SetMarginTop),
    Prop("MarginBottom", &TiPlotTable::MarginBottom, &TiPlotTable::SetMarginBottom),
    Prop("GridBackGroundColor", &TiPlotTable::GridBackGroundColor, &TiPlotTable::SetGridBackGroundColor)
        .AsColor()
        .Default(0x808080),
    Prop("GridBackGroundTransparent", &TiPlotTable::GridBackGroundTransparent,
         &TiPlotTable::SetGridBackGroundTransparent)
        .Default(false),
    Prop("GridLinesColor", &TiPlotTable::GridLinesColor, &TiPlotTable::SetGridLinesColor).AsColor(),
    Prop("GridLinesShow", &TiPlotTable::GridLinesShow, &TiPlotTable::SetGridLinesShow),
    Prop("DataFont", &TiPlotTable::DataFont, &TiPlotTable::SetDataFont).Owned(),
    Prop("ColumnSpacing", &TiPlotTable::ColumnSpacing, &TiPlotTable::SetColumnSpacing),
    Prop("RowSpacing", &TiPlotTable::RowSpacing, &TiPlotTable::SetRowSpacing),
    Prop("RowsMax", &TiPlotTable::RowsMax, &TiPlotTable::SetRowsMax),
    // Declared False but made True: a table written with False leaves the value out and reads
    // back with its titles shown, as the plot files written so far expect.
    Prop("ColumnTitlesVisible", &TiPlotTable::ColumnTitlesVisible, &TiPlotTable::SetColumnTitlesVisible).Default(false),
    Prop("ColumnTitlesFont", &TiPlotTable::ColumnTitlesFont, &TiPlotTable::SetColumnTitlesFont).Owned())

static const TiPlotKindRegistration tableKind = TiPlotKindRegistration::Of<TiPlotTable>(TiPlotObjectKind::Table);
