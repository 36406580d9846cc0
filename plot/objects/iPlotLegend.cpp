#include "plot/objects/iPlotLegend.h"

#include "components/iGPFunctions.h"
#include "platform/core/StrUtils.h"
#include "plot/core/iPlotManagers.h"
#include "plot/objects/iPlotAxis.h"
#include "plot/objects/iPlotChannelCustom.h"

#include <algorithm>
#include <cmath>

namespace {

// Rounding to the nearest integer, halves to even.
int RoundHalfEven(double value) { return int(std::nearbyint(value)); }

int CeilDiv(int a, int b) { return (a + b - 1) / b; }

constexpr int kButtonSize = 17;
constexpr int kButtonRoom = 25;

}  // namespace

// ---------------------------------------------------------------------------------------------
// TiPlotLegendButton

void TiPlotLegendButton::Draw(TCanvas& canvas, TColor)
{
    if (!Visible())
        return;
    canvas.Brush().SetStyle(bsSolid);
    canvas.Brush().SetColor(clBtnFace);
    canvas.FillRect(GetDrawRect());
    iDrawEdge(canvas, GetDrawRect(), Down() ? idesSunken : idesRaised);
}

// ---------------------------------------------------------------------------------------------
// TiPlotLegend

TiPlotLegend::TiPlotLegend(IPlotHost* owner, TNotifyEvent onChange, TNotifyEvent onInsert, TNotifyEvent onRemove,
                           TNotifyEvent onRename)
    : TiPlotLayoutObject(owner, std::move(onChange), std::move(onInsert), std::move(onRemove), std::move(onRename))
{
    m_show[colLine] = true;
    m_caption = {"", "", "Title", "X-Axis", "Y-Axis", "X", "Y", "Y-Max", "Y-Min", "Y-Mean"};
    m_font = std::make_unique<TFont>();
    m_font->SetColor(clWhite);
    m_selectedItemFont = std::make_unique<TFont>();
    m_selectedItemFont->SetColor(clBlack);
    m_columnTitlesFont = std::make_unique<TFont>();
    m_columnTitlesFont->SetColor(0xFFFF00);
    m_columnTitlesFont->SetStyle({fsBold});
    for (TFont* font : {m_font.get(), m_selectedItemFont.get(), m_columnTitlesFont.get()})
        font->OnChange = [this] { FontChanged(); };
    auto makeButton = [&](void (TiPlotLegend::*click)(TObject*)) {
        auto button = std::make_unique<TiPlotLegendButton>(
            owner, [](TObject*) {}, [](TObject*) {}, [](TObject*) {}, [](TObject*) {});
        button->SetAutoRepeat(true);
        button->SetOwnerObject(this);
        button->OnClick = [this, click](TObject* sender) { (this->*click)(sender); };
        button->OnInvalidate = [this](TObject* sender) { ButtonInvalidate(sender); };
        button->SetVisible(false);
        return button;
    };
    m_upButton = makeButton(&TiPlotLegend::UpButtonClick);
    m_downButton = makeButton(&TiPlotLegend::DownButtonClick);
}

TiPlotLegend::~TiPlotLegend() = default;

// --- Setters ---------------------------------------------------------------------------------

void TiPlotLegend::SetMarginLeft(double value) { SetDoubleProperty(value, m_marginLeft, &TiPlotObject::TriggerChange); }
void TiPlotLegend::SetMarginRight(double value)
{
    SetDoubleProperty(value, m_marginRight, &TiPlotObject::TriggerChange);
}
void TiPlotLegend::SetMarginTop(double value) { SetDoubleProperty(value, m_marginTop, &TiPlotObject::TriggerChange); }
void TiPlotLegend::SetMarginBottom(double value)
{
    SetDoubleProperty(value, m_marginBottom, &TiPlotObject::TriggerChange);
}
void TiPlotLegend::SetBackGroundColor(TColor value)
{
    SetColorProperty(value, m_backGroundColor, &TiPlotObject::TriggerChange);
}
void TiPlotLegend::SetBackGroundTransparent(bool value)
{
    SetBooleanProperty(value, m_backGroundTransparent, &TiPlotObject::TriggerChange);
}
void TiPlotLegend::SetSelectedItemBackGroundColor(TColor value)
{
    SetColorProperty(value, m_selectedItemBackGroundColor, &TiPlotObject::TriggerChange);
}
void TiPlotLegend::SetSelectedItemFont(TFont* value)
{
    if (value)
        m_selectedItemFont->Assign(*value);
}
void TiPlotLegend::SetFont(TFont* value)
{
    if (value)
        m_font->Assign(*value);
}
void TiPlotLegend::SetColumnTitlesFont(TFont* value)
{
    if (value)
        m_columnTitlesFont->Assign(*value);
}
void TiPlotLegend::SetShow(TColumn column, bool value)
{
    SetBooleanProperty(value, m_show[column], &TiPlotObject::TriggerChange);
}
void TiPlotLegend::SetCaption(TColumn column, const std::string& value)
{
    SetStringProperty(value, m_caption[column], &TiPlotObject::TriggerChange);
}
void TiPlotLegend::SetColumnSpacing(double value)
{
    SetDoubleProperty(value, m_columnSpacing, &TiPlotObject::TriggerChange);
}
void TiPlotLegend::SetWrapColDesiredCount(int value)
{
    SetIntegerProperty(std::max(value, 1), m_wrapColDesiredCount, &TiPlotObject::TriggerChange);
}
void TiPlotLegend::SetWrapColAutoCountEnabled(bool value)
{
    SetBooleanProperty(value, m_wrapColAutoCountEnabled, &TiPlotObject::TriggerChange);
}
void TiPlotLegend::SetWrapColAutoCountMax(int value)
{
    SetIntegerProperty(value, m_wrapColAutoCountMax, &TiPlotObject::TriggerChange);
}
void TiPlotLegend::SetWrapColSpacingMin(double value)
{
    SetDoubleProperty(value, m_wrapColSpacingMin, &TiPlotObject::TriggerChange);
}
void TiPlotLegend::SetWrapColSpacingAuto(bool value)
{
    SetBooleanProperty(value, m_wrapColSpacingAuto, &TiPlotObject::TriggerChange);
}
void TiPlotLegend::SetWrapRowDesiredCount(int value)
{
    SetIntegerProperty(std::max(value, 1), m_wrapRowDesiredCount, &TiPlotObject::TriggerChange);
}
void TiPlotLegend::SetWrapRowAutoCountEnabled(bool value)
{
    SetBooleanProperty(value, m_wrapRowAutoCountEnabled, &TiPlotObject::TriggerChange);
}
void TiPlotLegend::SetWrapRowAutoCountMax(int value)
{
    SetIntegerProperty(value, m_wrapRowAutoCountMax, &TiPlotObject::TriggerChange);
}
void TiPlotLegend::SetWrapRowSpacingMin(double value)
{
    SetDoubleProperty(value, m_wrapRowSpacingMin, &TiPlotObject::TriggerChange);
}
void TiPlotLegend::SetWrapRowSpacingAuto(bool value)
{
    SetBooleanProperty(value, m_wrapRowSpacingAuto, &TiPlotObject::TriggerChange);
}
void TiPlotLegend::SetColumnTitlesVisible(bool value)
{
    SetBooleanProperty(value, m_columnTitlesVisible, &TiPlotObject::TriggerChange);
}
void TiPlotLegend::SetChannelNameMaxWidth(double value)
{
    SetDoubleProperty(value, m_channelNameMaxWidth, &TiPlotObject::TriggerChange);
}
void TiPlotLegend::SetChannelNameColorStyle(TiPlotLegendChannelNameColorStyle value)
{
    if (value == m_channelNameColorStyle)
        return;
    m_channelNameColorStyle = value;
    TriggerChange(this);
}
void TiPlotLegend::SetLineColumnWidth(int value)
{
    SetIntegerProperty(value, m_lineColumnWidth, &TiPlotObject::TriggerChange);
}
void TiPlotLegend::SetLineColumnHeight(int value)
{
    SetIntegerProperty(value, m_lineColumnHeight, &TiPlotObject::TriggerChange);
}
void TiPlotLegend::SetItemViewStartIndex(int value)
{
    SetIntegerProperty(value, m_itemViewStartIndex, &TiPlotObject::TriggerChange);
}

void TiPlotLegend::UpButtonClick(TObject*)
{
    if (m_itemViewStartIndex > 0)
        SetItemViewStartIndex(m_itemViewStartIndex - 1);
}

void TiPlotLegend::DownButtonClick(TObject*)
{
    if (m_itemViewStartIndex < int(m_items.size()) - 1)
        SetItemViewStartIndex(m_itemViewStartIndex + 1);
}

void TiPlotLegend::ButtonInvalidate(TObject*) { TriggerInvalidateNow(this); }

// --- Cell texts ------------------------------------------------------------------------------

std::string TiPlotLegend::DisplayName(TiPlotChannelCustom* channel) const
{
    const std::string title = Trim(channel->TitleText());
    return title.empty() ? channel->Name() : channel->TitleText();
}

namespace {

std::string AxisName(TiPlotAxis* axis) { return Trim(axis->Title()).empty() ? axis->Name() : axis->Title(); }

}  // namespace

std::string TiPlotLegend::GetXAxisNameText(TiPlotChannelCustom* channel)
{
    TiPlotAxis* axis = channel->GetXAxis();
    return axis ? AxisName(axis) : GetTranslation("None");
}

std::string TiPlotLegend::GetYAxisNameText(TiPlotChannelCustom* channel)
{
    TiPlotAxis* axis = channel->GetYAxis();
    return axis ? AxisName(axis) : GetTranslation("None");
}

namespace {

// "Empty" without points, "N/A" without the axis, else the axis's legend text of the value.
template <typename Value>
std::string ValueText(TiPlotLegend& legend, TiPlotChannelCustom* channel, TiPlotAxis* axis, Value value)
{
    if (channel->GetCount() == 0)
        return legend.GetTranslation("Empty");
    if (!axis)
        return legend.GetTranslation("N/A");
    return axis->GetLegendText(value());
}

}  // namespace

std::string TiPlotLegend::GetXAxisValueText(TiPlotChannelCustom* channel)
{
    return ValueText(*this, channel, channel->GetXAxis(), [&] { return channel->GetXLast(); });
}

std::string TiPlotLegend::GetYAxisValueText(TiPlotChannelCustom* channel)
{
    return ValueText(*this, channel, channel->GetYAxis(), [&] { return channel->GetYLast(); });
}

std::string TiPlotLegend::GetYAxisMaxText(TiPlotChannelCustom* channel)
{
    return ValueText(*this, channel, channel->GetYAxis(), [&] { return channel->RunningYMax(); });
}

std::string TiPlotLegend::GetYAxisMinText(TiPlotChannelCustom* channel)
{
    return ValueText(*this, channel, channel->GetYAxis(), [&] { return channel->RunningYMin(); });
}

std::string TiPlotLegend::GetYAxisMeanText(TiPlotChannelCustom* channel)
{
    return ValueText(*this, channel, channel->GetYAxis(), [&] { return channel->RunningYMean(); });
}

std::string TiPlotLegend::CellText(TColumn column, TiPlotChannelCustom* channel)
{
    switch (column) {
    case colXAxisTitle: return GetXAxisNameText(channel);
    case colYAxisTitle: return GetYAxisNameText(channel);
    case colXValue: return m_cursorValues ? channel->DataCursorXText() : GetXAxisValueText(channel);
    case colYValue: return m_cursorValues ? channel->DataCursorYText() : GetYAxisValueText(channel);
    case colYMax: return GetYAxisMaxText(channel);
    case colYMin: return GetYAxisMinText(channel);
    case colYMean: return GetYAxisMeanText(channel);
    default: return {};
    }
}

// --- Layout ----------------------------------------------------------------------------------

bool TiPlotLegend::Shown(TColumn column) const
{
    if (column == colName)
        return true;
    if ((column == colXValue || column == colYValue) && m_cursorValues)
        return true;
    return m_show[column];
}

void TiPlotLegend::CalcColumnChannelName(TCanvas& canvas)
{
    canvas.Font().Assign(*m_font);
    int& width = m_width[colName];
    if (m_channelNameMaxWidth == 0) {
        const int height = canvas.TextHeight("0");
        for (TiPlotLegendItem& item : m_items) {
            item.Height = height;
            const std::string name = DisplayName(item.Channel);
            canvas.Font().Assign(*m_font);
            width = std::max(width, canvas.TextWidth(name));
            canvas.Font().Assign(*m_selectedItemFont);
            width = std::max(width, canvas.TextWidth(name));
        }
    } else {
        width = RoundHalfEven(canvas.TextWidth("0") * m_channelNameMaxWidth);
        for (TiPlotLegendItem& item : m_items) {
            const std::string name = DisplayName(item.Channel);
            canvas.Font().Assign(*m_font);
            item.Height = iTextHeightFixedWidth(canvas, name, width);
            canvas.Font().Assign(*m_selectedItemFont);
            item.Height = std::max(item.Height, iTextHeightFixedWidth(canvas, name, width));
        }
    }
    canvas.Font().Assign(*m_font);
    for (const TiPlotLegendItem& item : m_items)
        m_rowHeight = std::max(m_rowHeight, item.Height);
}

void TiPlotLegend::CalcColumnTitles(TCanvas& canvas)
{
    if (!m_columnTitlesVisible)
        return;
    canvas.Font().Assign(*m_columnTitlesFont);
    m_captionRect.Bottom = m_captionRect.Top + canvas.TextHeight("0");
    m_captionGap = canvas.TextHeight("0") / 4;
    for (int c = colName; c < colCount; ++c)
        if (Shown(TColumn(c)))
            m_width[c] = std::max(m_width[c], canvas.TextWidth(GetTranslation(m_caption[c])));
}

void TiPlotLegend::CalcCellWidths(TCanvas& canvas)
{
    canvas.Font().Assign(*m_font);
    const int w0 = canvas.TextWidth("0");
    for (TiPlotLegendItem& item : m_items) {
        TiPlotChannelCustom* channel = item.Channel;
        auto widen = [&](TColumn column, int width) {
            if (Shown(column))
                m_width[column] = std::max(m_width[column], width);
        };
        widen(colXAxisTitle, canvas.TextWidth(GetXAxisNameText(channel)));
        widen(colYAxisTitle, canvas.TextWidth(GetYAxisNameText(channel)));
        // A missing axis has no text length of its own: the cell shows "N/A".
        for (TColumn column : {colXValue, colYValue}) {
            TiPlotAxis* axis = column == colXValue ? static_cast<TiPlotAxis*>(channel->GetXAxis())
                                                   : static_cast<TiPlotAxis*>(channel->GetYAxis());
            if (!m_cursorValues) {
                if (axis)
                    widen(column, axis->GetRequiredLegendLength(canvas, *m_font));
                widen(column, canvas.TextWidth(CellText(column, channel)));
            } else {
                if (axis)
                    widen(column, axis->GetRequiredCursorLength(canvas, *m_font));
                widen(column, RoundHalfEven(double(CellText(column, channel).size()) * w0));
            }
            canvas.Font().Assign(*m_font);
        }
        for (TColumn column : {colYMax, colYMin, colYMean})
            widen(column, canvas.TextWidth(CellText(column, channel)));
    }
}

void TiPlotLegend::CalcRects(TCanvas& canvas)
{
    const TRect draw = GetDrawRect();
    canvas.Font().Assign(*m_font);
    m_columnX.clear();
    const int w0 = canvas.TextWidth("0");
    const int h0 = canvas.TextHeight("0");
    m_h0 = h0;
    m_innerRect =
        Rect(draw.Left + RoundHalfEven(w0 * m_marginLeft), draw.Top + RoundHalfEven(h0 * m_marginTop),
             draw.Right - RoundHalfEven(w0 * m_marginRight), draw.Bottom - RoundHalfEven(h0 * m_marginBottom));
    m_columnGap = RoundHalfEven(w0 * m_columnSpacing);
    m_rowGap = RoundHalfEven(h0 * m_wrapRowSpacingMin);
    m_itemColumnGap = RoundHalfEven(h0 * m_wrapColSpacingMin);  // heights of "0", as stored
    m_rowHeight = 0;
    m_captionRect = Rect(m_innerRect.Left, m_innerRect.Top, m_innerRect.Right, m_innerRect.Top);
    m_captionGap = 0;
    m_width.fill(0);
    m_offset.fill(0);

    m_items.clear();
    if (Owner())
        for (int i = 0; i < Owner()->ChannelCount(); ++i) {
            TiPlotChannelCustom* channel = Owner()->GetChannel(i);
            if (channel && channel->VisibleInLegend())
                m_items.push_back({channel});
        }
    const int n = int(m_items.size());
    if (n == 0)
        return;
    m_itemViewStartIndex = std::clamp(m_itemViewStartIndex, 0, n - 1);

    CalcColumnChannelName(canvas);
    CalcColumnTitles(canvas);
    if (m_show[colLine])
        m_width[colLine] = std::max(m_width[colLine], m_lineColumnWidth + 3);
    if (m_show[colMarker])
        m_width[colMarker] = std::max(m_width[colMarker], m_lineColumnWidth + 3);
    CalcCellWidths(canvas);

    int x = 0;
    for (int c = 0; c < colCount; ++c) {
        if (!Shown(TColumn(c)))
            continue;
        m_offset[c] = x;
        x += m_width[c] + m_columnGap;
    }
    m_blockWidth = x - m_columnGap;

    m_itemsRect = Rect(m_innerRect.Left, m_captionRect.Bottom + m_captionGap, m_innerRect.Right, m_innerRect.Bottom);
    const bool horizontal = Horizontal();
    const int availableWidth = m_itemsRect.Width() - (horizontal ? kButtonRoom : 0);
    const int availableHeight = m_itemsRect.Height();
    // Gaps and sizes can all be 0 (an empty font, zero spacings): no divisor below 1.
    const int columnsFit =
        std::max(1, (availableWidth + m_itemColumnGap) / std::max(1, m_blockWidth + m_itemColumnGap));
    const int rowsFit = std::max(1, (availableHeight + m_rowGap) / std::max(1, m_rowHeight + m_rowGap));
    const int colAutoMax = std::max(1, m_wrapColAutoCountMax);
    const int rowLimit = m_wrapRowAutoCountEnabled ? std::max(1, m_wrapRowAutoCountMax) : m_wrapRowDesiredCount;
    int C = m_wrapColAutoCountEnabled ? colAutoMax : m_wrapColDesiredCount;
    int R;
    if (horizontal) {
        C = std::min(C, columnsFit);
        R = m_wrapRowAutoCountEnabled ? CeilDiv(n, C) : rowLimit;
        R = std::min(R, rowLimit);
        if (R < 3 && R * C < n)
            R = 3;
        if (m_wrapColAutoCountEnabled && CeilDiv(n, R) < C)
            C = CeilDiv(n, R);
    } else {
        if (m_wrapColAutoCountEnabled)
            C = std::min(CeilDiv(n, rowsFit), colAutoMax);
        R = std::min({rowsFit, n, rowLimit});
        if (R < 3 && R * C < n)
            R = 3;
    }
    m_columnCount = C;
    m_rowCount = R;
    PlaceItems(R, C);

    const int marginsX = (draw.Right - draw.Left) - m_innerRect.Width();
    const int marginsY = (draw.Bottom - draw.Top) - m_innerRect.Height();
    m_requiredWidth = C * m_blockWidth + (C - 1) * m_itemColumnGap + marginsX;
    m_requiredHeight = marginsY + m_captionRect.Height() + m_captionGap + R * (m_rowHeight + m_rowGap) - m_rowGap;

    if (R * C < n && Enabled()) {
        m_upButton->SetVisible(true);
        m_downButton->SetVisible(true);
        m_upButton->SetDrawRect(
            Rect(m_itemsRect.Right - kButtonSize, m_itemsRect.Top, m_itemsRect.Right, m_itemsRect.Top + kButtonSize));
        m_downButton->SetDrawRect(Rect(m_itemsRect.Right - kButtonSize, m_itemsRect.Bottom - kButtonSize,
                                       m_itemsRect.Right, m_itemsRect.Bottom));
        m_requiredWidth += kButtonRoom;
    } else {
        m_upButton->SetVisible(false);
        m_downButton->SetVisible(false);
        m_itemViewStartIndex = 0;
    }

    if (m_wrapColSpacingAuto && horizontal && C > 1) {
        const int extra = int(std::trunc(double(m_itemsRect.Width() - kButtonRoom - C * m_blockWidth) / (C - 1)));
        for (TiPlotLegendItem& item : m_items)
            if (item.Column > 0)
                item.X = m_innerRect.Left + (item.Column - 1) * (m_blockWidth + extra);
        for (size_t c = 0; c < m_columnX.size(); ++c)
            m_columnX[c] = m_innerRect.Left + int(c) * (m_blockWidth + extra);
    }
    if (m_wrapRowSpacingAuto && !horizontal) {
        const int rows = int(std::count_if(m_items.begin(), m_items.end(),
                                           [](const TiPlotLegendItem& item) { return item.Column == 1; }));
        if (rows > 1) {
            m_rowGap = int(std::trunc(double(m_itemsRect.Height() - m_rowHeight * rows) / (rows - 1)));
            const int captionRoom = m_columnTitlesVisible ? m_captionRect.Height() + m_captionGap : 0;
            for (TiPlotLegendItem& item : m_items)
                if (item.Row > 0)
                    item.Y = m_innerRect.Top + (item.Row - 1) * (m_rowHeight + m_rowGap) + captionRoom;
        }
    }
    m_upButton->SetEnabled(m_itemViewStartIndex != 0);
    m_downButton->SetEnabled(m_lastShownIndex != n - 1);
}

void TiPlotLegend::PlaceItems(int rows, int columns)
{
    const int n = int(m_items.size());
    m_lastShownIndex = n - 1;
    m_columnX.push_back(m_innerRect.Left);
    int row = 1, column = 1;
    for (int i = m_itemViewStartIndex; i < n; ++i) {
        TiPlotLegendItem& item = m_items[size_t(i)];
        item.Row = row;
        item.Column = column;
        item.X = m_columnX.back();
        item.Y = m_itemsRect.Top + (row - 1) * (m_rowHeight + m_rowGap);
        if (++row <= rows || i == n - 1)
            continue;
        row = 1;
        if (++column > columns) {
            m_lastShownIndex = i;
            break;
        }
        m_columnX.push_back(m_innerRect.Left + (column - 1) * (m_blockWidth + m_itemColumnGap));
    }
}

int TiPlotLegend::GetRequiredWidth(TCanvas& canvas)
{
    CalcRects(canvas);
    return Horizontal() ? m_requiredHeight : m_requiredWidth;
}

// --- Drawing ---------------------------------------------------------------------------------

void TiPlotLegend::DrawLine(TCanvas& canvas, int X, int Y, TColor color, TiPlotLineStyle style)
{
    // Hand-made patterns for the usual 13-pixel sample: [from, to) pairs.
    static const std::vector<std::pair<int, int>> kPatterns[] = {
        {{0, 13}}, {{0, 5}, {8, 13}}, {{0, 2}, {4, 6}, {8, 10}}, {{0, 5}, {7, 9}}, {{0, 5}, {7, 9}, {11, 13}},
    };
    static constexpr TPenStyle kPenStyles[] = {psSolid, psDash, psDot, psDashDot, psDashDotDot};
    const int s = std::clamp(int(style), 0, 4);
    canvas.Pen().SetColor(color);
    canvas.Pen().SetWidth(1);
    const int H = m_lineColumnHeight;
    for (int k = -H / 2; k <= -H / 2 + H; ++k) {
        const int y = Y + k;
        if (m_lineColumnWidth == 13) {
            canvas.Pen().SetStyle(psSolid);
            for (const auto& [from, to] : kPatterns[s])
                canvas.Polyline({{X + from, y}, {X + to, y}});
        } else {
            canvas.Pen().SetStyle(kPenStyles[s]);
            canvas.Polyline({{X, y}, {X + m_lineColumnWidth, y}});
        }
    }
}

void TiPlotLegend::DrawColumnTitles(TCanvas& canvas)
{
    if (!m_columnTitlesVisible)
        return;
    canvas.Font().Assign(*m_columnTitlesFont);
    canvas.Brush().SetStyle(bsClear);
    for (int x : m_columnX)
        for (int c = colName; c < colCount; ++c) {
            if (!Shown(TColumn(c)))
                continue;
            const TiTextFlag align = c == colName                                 ? itfHLeft
                                     : (c == colXAxisTitle || c == colYAxisTitle) ? itfHCenter
                                                                                  : itfHRight;
            TRect cell = Rect(x + m_offset[c], m_captionRect.Top, x + m_offset[c] + m_width[c], m_captionRect.Bottom);
            iDrawText(canvas, GetTranslation(m_caption[c]), cell, {align, itfVCenter, itfSingleLine, itfNoClip}, true,
                      m_backGroundColor);
        }
}

void TiPlotLegend::DrawScrollButton(TCanvas& canvas, TiPlotLegendButton& button, bool up)
{
    if (!button.Visible())
        return;
    button.Draw(canvas, m_backGroundColor);
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

void TiPlotLegend::Draw(TCanvas& canvas, TColor backGroundColor)
{
    if (!Visible())
        return;
    CalcRects(canvas);
    if (m_items.empty())
        return;
    canvas.Brush().SetStyle(bsSolid);
    canvas.Pen().SetStyle(psSolid);
    if (!m_backGroundTransparent) {
        canvas.Brush().SetColor(m_backGroundColor);
        canvas.FillRect(GetDrawRect());
    }
    DrawColumnTitles(canvas);
    canvas.Font().Assign(*m_font);
    canvas.Brush().SetStyle(bsClear);
    for (const TiPlotLegendItem& item : m_items)
        item.Channel->SetLegendRect({});
    for (int i = m_itemViewStartIndex; i <= m_lastShownIndex; ++i) {
        const TiPlotLegendItem& item = m_items[size_t(i)];
        TiPlotChannelCustom* channel = item.Channel;
        const int x = item.X, y = item.Y;
        TRect nameCell = Rect(x + m_offset[colName], y, x + m_offset[colName] + m_width[colName] + 1, y + item.Height);
        channel->SetLegendRect(nameCell);
        if (m_show[colLine])
            DrawLine(canvas, x + m_offset[colLine], y + m_h0 / 2, channel->Color(), channel->TraceLineStyle());
        if (m_show[colMarker])
            channel->DrawMarker(canvas, -1, {x + m_offset[colMarker] + m_width[colMarker] / 2, y + m_h0 / 2},
                                backGroundColor);
        if (channel->UserSelected()) {
            canvas.Brush().SetStyle(bsSolid);
            canvas.Brush().SetColor(m_selectedItemBackGroundColor);
            canvas.FillRect(nameCell);
            canvas.Font().Assign(*m_selectedItemFont);
        } else {
            canvas.Font().Assign(*m_font);
        }
        canvas.Brush().SetStyle(bsClear);
        switch (m_channelNameColorStyle) {
        case iplcncsFont: break;
        case iplcncsChannelColor: canvas.Font().SetColor(channel->Color()); break;
        case iplcncsXAxisFontColor:
            if (TiPlotXAxis* axis = channel->GetXAxis())
                canvas.Font().SetColor(axis->LabelsFont()->GetColor());
            break;
        case iplcncsYAxisFontColor:
            if (TiPlotYAxis* axis = channel->GetYAxis())
                canvas.Font().SetColor(axis->LabelsFont()->GetColor());
            break;
        }
        iDrawText(canvas, DisplayName(channel), nameCell, {itfHLeft, itfVTop, itfWordBreak, itfWordEllipsis}, true,
                  backGroundColor);
        canvas.Font().Assign(*m_font);
        canvas.Brush().SetStyle(bsClear);
        for (int c = colXAxisTitle; c < colCount; ++c) {
            if (!Shown(TColumn(c)))
                continue;
            TRect cell = Rect(x + m_offset[c], y, x + m_offset[c] + m_width[c], y + m_h0);
            const TiTextFlag align = c <= colYAxisTitle ? itfHLeft : itfHRight;
            iDrawText(canvas, CellText(TColumn(c), channel), cell, {align, itfVCenter}, true, backGroundColor);
        }
    }
    DrawScrollButton(canvas, *m_upButton, true);
    DrawScrollButton(canvas, *m_downButton, false);
    if (UserSelected()) {
        canvas.Brush().SetStyle(bsClear);
        TRect focus = GetDrawRect();
        if (Horizontal())
            focus = Rect(focus.Left, focus.Top + 2, focus.Right, focus.Bottom - 2);
        else
            focus = Rect(focus.Left + 2, focus.Top, focus.Right - 2, focus.Bottom);
        iDrawFocusRect2(canvas, focus);
    }
}

// --- Input and notifications ----------------------------------------------------------------

void TiPlotLegend::NotificationRemove(TObject* sender)
{
    TiPlotLayoutObject::NotificationRemove(sender);
    // A channel leaving the plot must not be reached through the last layout.
    std::erase_if(m_items, [sender](const TiPlotLegendItem& item) { return item.Channel == sender; });
    m_lastShownIndex = std::min(m_lastShownIndex, int(m_items.size()) - 1);
}

void TiPlotLegend::NotificationSetFocus(TObject* sender)
{
    TiPlotLayoutObject::NotificationSetFocus(sender);
    if (sender != this)
        SetUserSelected(false);
}

TiPlotObject* TiPlotLegend::GetMouseObject(int x, int y)
{
    const TPoint p{x, y};
    if (m_upButton->Visible() && PtInRect(m_upButton->GetDrawRect(), p))
        return m_upButton.get();
    if (m_downButton->Visible() && PtInRect(m_downButton->GetDrawRect(), p))
        return m_downButton.get();
    for (const TiPlotLegendItem& item : m_items)
        if (item.Channel->VisibleInLegend() && PtInRect(item.Channel->LegendRect(), p))
            return item.Channel;
    return TiPlotLayoutObject::GetMouseObject(x, y);
}

TCursor TiPlotLegend::GetMousePointer(TPoint p)
{
    TCursor cursor = TiPlotLayoutObject::GetMousePointer(p);
    if (Owner())
        Owner()->DoGetMouseCursor(this, cursor);
    return cursor;
}

void TiPlotLegend::DoMouseUp(const TiPlotMouseData& mouseData)
{
    TiPlotLayoutObject::DoMouseUp(mouseData);
    if (MouseIsDown() && PtInRect(GetDrawRect(), {mouseData.X, mouseData.Y}) && Owner())
        Owner()->DoObjectClick(this);
}

void TiPlotLegend::AddMenuItems(TPopupMenu* popupMenu)
{
    TiPlotLayoutObject::AddMenuItems(popupMenu);
    AddEditMenuItems(popupMenu);
}

// --- Published properties -------------------------------------------------------------------

PRAVIX_PUBLISH(TiPlotLegendButton)
PRAVIX_PUBLISH(
    TiPlotLegend, Prop("MarginLeft", &TiPlotLegend::MarginLeft, &TiPlotLegend::SetMarginLeft),
    Prop("MarginRight", &TiPlotLegend::MarginRight, &TiPlotLegend::SetMarginRight),
    Prop("MarginTop", &TiPlotLegend::MarginTop, &TiPlotLegend::SetMarginTop),
    Prop("MarginBottom", &TiPlotLegend::MarginBottom, &TiPlotLegend::SetMarginBottom),
    Prop("BackGroundColor", &TiPlotLegend::BackGroundColor, &TiPlotLegend::SetBackGroundColor)
        .AsColor()
        .Default(0x808080),
    Prop("BackGroundTransparent", &TiPlotLegend::BackGroundTransparent, &TiPlotLegend::SetBackGroundTransparent)
        .Default(true),
    Prop("SelectedItemBackGroundColor", &TiPlotLegend::SelectedItemBackGroundColor,
         &TiPlotLegend::SetSelectedItemBackGroundColor)
        .AsColor()
        .Default(0x00FFFF),
    Prop("SelectedItemFont", &TiPlotLegend::SelectedItemFont, &TiPlotLegend::SetSelectedItemFont).Owned(),
    Prop("Font", &TiPlotLegend::Font, &TiPlotLegend::SetFont).Owned(),
    Prop("ShowColumnLine", &TiPlotLegend::ShowColumnLine, &TiPlotLegend::SetShowColumnLine).Default(true),
    Prop("ShowColumnMarker", &TiPlotLegend::ShowColumnMarker, &TiPlotLegend::SetShowColumnMarker).Default(false),
    Prop("ShowColumnXAxisTitle", &TiPlotLegend::ShowColumnXAxisTitle, &TiPlotLegend::SetShowColumnXAxisTitle)
        .Default(false),
    Prop("ShowColumnYAxisTitle", &TiPlotLegend::ShowColumnYAxisTitle, &TiPlotLegend::SetShowColumnYAxisTitle)
        .Default(false),
    Prop("ShowColumnXValue", &TiPlotLegend::ShowColumnXValue, &TiPlotLegend::SetShowColumnXValue).Default(false),
    Prop("ShowColumnYValue", &TiPlotLegend::ShowColumnYValue, &TiPlotLegend::SetShowColumnYValue).Default(false),
    Prop("ShowColumnYMax", &TiPlotLegend::ShowColumnYMax, &TiPlotLegend::SetShowColumnYMax).Default(false),
    Prop("ShowColumnYMin", &TiPlotLegend::ShowColumnYMin, &TiPlotLegend::SetShowColumnYMin).Default(false),
    Prop("ShowColumnYMean", &TiPlotLegend::ShowColumnYMean, &TiPlotLegend::SetShowColumnYMean).Default(false),
    Prop("CaptionColumnTitle", &TiPlotLegend::CaptionColumnTitle, &TiPlotLegend::SetCaptionColumnTitle),
    Prop("CaptionColumnXAxisTitle", &TiPlotLegend::CaptionColumnXAxisTitle, &TiPlotLegend::SetCaptionColumnXAxisTitle),
    Prop("CaptionColumnYAxisTitle", &TiPlotLegend::CaptionColumnYAxisTitle, &TiPlotLegend::SetCaptionColumnYAxisTitle),
    Prop("CaptionColumnXValue", &TiPlotLegend::CaptionColumnXValue, &TiPlotLegend::SetCaptionColumnXValue),
    Prop("CaptionColumnYValue", &TiPlotLegend::CaptionColumnYValue, &TiPlotLegend::SetCaptionColumnYValue),
    Prop("CaptionColumnYMax", &TiPlotLegend::CaptionColumnYMax, &TiPlotLegend::SetCaptionColumnYMax),
    Prop("CaptionColumnYMin", &TiPlotLegend::CaptionColumnYMin, &TiPlotLegend::SetCaptionColumnYMin),
    Prop("CaptionColumnYMean", &TiPlotLegend::CaptionColumnYMean, &TiPlotLegend::SetCaptionColumnYMean),
    Prop("ColumnSpacing", &TiPlotLegend::ColumnSpacing, &TiPlotLegend::SetColumnSpacing),
    Prop("RowSpacing", &TiPlotLegend::RowSpacing, &TiPlotLegend::SetRowSpacing),
    Prop("WrapColDesiredCount", &TiPlotLegend::WrapColDesiredCount, &TiPlotLegend::SetWrapColDesiredCount),
    Prop("WrapColAutoCountEnabled", &TiPlotLegend::WrapColAutoCountEnabled, &TiPlotLegend::SetWrapColAutoCountEnabled),
    Prop("WrapColAutoCountMax", &TiPlotLegend::WrapColAutoCountMax, &TiPlotLegend::SetWrapColAutoCountMax),
    Prop("WrapColSpacingMin", &TiPlotLegend::WrapColSpacingMin, &TiPlotLegend::SetWrapColSpacingMin),
    Prop("WrapColSpacingAuto", &TiPlotLegend::WrapColSpacingAuto, &TiPlotLegend::SetWrapColSpacingAuto),
    Prop("WrapRowDesiredCount", &TiPlotLegend::WrapRowDesiredCount, &TiPlotLegend::SetWrapRowDesiredCount),
    Prop("WrapRowAutoCountEnabled", &TiPlotLegend::WrapRowAutoCountEnabled, &TiPlotLegend::SetWrapRowAutoCountEnabled),
    Prop("WrapRowAutoCountMax", &TiPlotLegend::WrapRowAutoCountMax, &TiPlotLegend::SetWrapRowAutoCountMax),
    Prop("WrapRowSpacingMin", &TiPlotLegend::WrapRowSpacingMin, &TiPlotLegend::SetWrapRowSpacingMin),
    Prop("WrapRowSpacingAuto", &TiPlotLegend::WrapRowSpacingAuto, &TiPlotLegend::SetWrapRowSpacingAuto),
    Prop("ColumnTitlesVisible", &TiPlotLegend::ColumnTitlesVisible, &TiPlotLegend::SetColumnTitlesVisible)
        .Default(false),
    Prop("ColumnTitlesFont", &TiPlotLegend::ColumnTitlesFont, &TiPlotLegend::SetColumnTitlesFont).Owned(),
    Prop("ChannelNameMaxWidth", &TiPlotLegend::ChannelNameMaxWidth, &TiPlotLegend::SetChannelNameMaxWidth),
    Prop("ChannelNameColorStyle", &TiPlotLegend::ChannelNameColorStyle, &TiPlotLegend::SetChannelNameColorStyle)
        .Default(iplcncsFont),
    // Declared 13 but made 3: a legend of 13 is written without it and reads back as 3, as
    // the plot files written so far expect.
    Prop("LineColumnWidth", &TiPlotLegend::LineColumnWidth, &TiPlotLegend::SetLineColumnWidth).Default(13),
    Prop("LineColumnHeight", &TiPlotLegend::LineColumnHeight, &TiPlotLegend::SetLineColumnHeight).Default(13))

// The legend as the plot's legend kind.
static const TiPlotKindRegistration legendKind = TiPlotKindRegistration::Of<TiPlotLegend>(TiPlotObjectKind::Legend);
