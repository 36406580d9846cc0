#include "platform/canvas/Graphics.h"

#include "platform/canvas/Bitmap.h"
#include "platform/canvas/CanvasDevice_p.h"
#include "platform/canvas/QtCanvas_p.h"
#include "platform/canvas/SystemColors.h"
#include "platform/core/StrUtils.h"

#include <QPolygon>
#include <QRegion>

#include <algorithm>
#include <cmath>

// ---------------------------------------------------------------------------------------
// Pens, brushes, fonts

namespace {

template <typename T>
void Update(T& field, const T& value, const TNotifyCallback& onChange)
{
    if (field == value)
        return;
    field = value;
    if (onChange)
        onChange();
}

}  // namespace

void TPen::SetColor(TColor value) { Update(m_data.Color, value, OnChange); }
void TPen::SetWidth(int value) { Update(m_data.Width, std::max(0, value), OnChange); }
void TPen::SetStyle(TPenStyle value) { Update(m_data.Style, value, OnChange); }
void TPen::SetData(const TPenData& value) { Update(m_data, value, OnChange); }

void TBrush::SetColor(TColor value) { Update(m_data.Color, value, OnChange); }
void TBrush::SetStyle(TBrushStyle value) { Update(m_data.Style, value, OnChange); }
void TBrush::SetData(const TBrushData& value) { Update(m_data, value, OnChange); }

void TFont::SetName(const std::string& value) { Update(m_data.Name, value, OnChange); }
void TFont::SetHeight(int value) { Update(m_data.Height, value, OnChange); }
void TFont::SetColor(TColor value) { Update(m_data.Color, value, OnChange); }
void TFont::SetStyle(const TFontStyles& value) { Update(m_data.Style, value, OnChange); }
void TFont::SetCharset(int value) { Update(m_data.Charset, value, OnChange); }
void TFont::SetPitch(TFontPitch value) { Update(m_data.Pitch, value, OnChange); }
void TFont::SetEscapement(int value) { Update(m_data.Escapement, value, OnChange); }
void TFont::SetData(const TFontData& value) { Update(m_data, value, OnChange); }

namespace {

// Multiply then divide, rounding halves away from zero.
int MulDiv(int value, int numerator, int denominator)
{
    return int(std::lround(double(value) * numerator / denominator));
}

}  // namespace

int TFont::GetSize() const { return -MulDiv(m_data.Height, 72, 96); }
void TFont::SetSize(int value) { SetHeight(-MulDiv(value, 96, 72)); }

// ---------------------------------------------------------------------------------------
// Regions

namespace {

TRegion FromQRegion(const QRegion& q)
{
    std::vector<TRect> rects;
    for (const QRect& r : q)
        rects.push_back({r.left(), r.top(), r.left() + r.width(), r.top() + r.height()});
    return TRegion::FromRects(std::move(rects));
}

}  // namespace

TRegion TRegion::FromRect(const TRect& r)
{
    TRegion region;
    if (!IsRectEmpty(r))
        region.m_rects.push_back(r);
    return region;
}

TRegion TRegion::FromPolygon(const std::vector<TPoint>& points, TPolyFillMode mode)
{
    QPolygon polygon;
    for (const TPoint& p : points)
        polygon << QPoint(p.X, p.Y);
    return FromQRegion(QRegion(polygon, mode == pfmWinding ? Qt::WindingFill : Qt::OddEvenFill));
}

TRegion TRegion::FromRects(std::vector<TRect> rects)
{
    TRegion region;
    std::erase_if(rects, [](const TRect& r) { return IsRectEmpty(r); });
    region.m_rects = std::move(rects);
    return region;
}

TRect TRegion::GetRgnBox() const
{
    TRect box;
    for (const TRect& r : m_rects)
        UnionRect(box, box, r);
    return box;
}

bool TRegion::PtInRegion(int x, int y) const
{
    return std::any_of(m_rects.begin(), m_rects.end(), [&](const TRect& r) { return PtInRect(r, {x, y}); });
}

TRegion TRegion::Intersected(const TRegion& other) const
{
    return FromQRegion(ToQRegion(*this).intersected(ToQRegion(other)));
}

TRegion TRegion::Offset(int dx, int dy) const
{
    TRegion region = *this;
    for (TRect& r : region.m_rects)
        OffsetRect(r, dx, dy);
    return region;
}

const char* CanvasOpName(TCanvasOp op)
{
    switch (op) {
    case TCanvasOp::Polyline: return "Polyline";
    case TCanvasOp::Polygon: return "Polygon";
    case TCanvasOp::Rectangle: return "Rectangle";
    case TCanvasOp::Ellipse: return "Ellipse";
    case TCanvasOp::FillRect: return "FillRect";
    case TCanvasOp::Pixel: return "Pixel";
    case TCanvasOp::Text: return "Text";
    case TCanvasOp::Image: return "Image";
    case TCanvasOp::FocusRect: return "FocusRect";
    case TCanvasOp::InvertRect: return "InvertRect";
    }
    return "?";
}

// ---------------------------------------------------------------------------------------
// Canvas

struct SavedState {
    TPenData Pen;
    TBrushData Brush;
    TFontData Font;
    TColor BkColor;
    TBkMode BkMode;
    bool Clipped;
    TRegion Clip;
    TPoint Origin;
};

struct TCanvas::Private {
    std::unique_ptr<TCanvasDevice> Device;
    TPen Pen;
    TBrush Brush;
    TFont Font;
    TColor BkColor = clWhite;
    TBkMode BkMode = bkOpaque;
    bool Clipped = false;
    TRegion Clip;  // device coordinates
    TPoint Origin;
    TPoint PenPos;
    std::vector<SavedState> Saved;
    // Lines are drawn by the thousand in a paint: one record serves them all, keeping its
    // point and clip storage between lines instead of allocating them for each.
    TCanvasRecord LineRecord;
};

TCanvas::TCanvas(std::unique_ptr<TCanvasDevice> device) : d(std::make_unique<Private>())
{
    d->Device = std::move(device);
    d->Brush.OnChange = [this] {
        d->BkColor = d->Brush.GetColor();
        d->BkMode = d->Brush.GetStyle() == bsClear ? bkTransparent : bkOpaque;
    };
}

TCanvas::~TCanvas() = default;

TPen& TCanvas::Pen() { return d->Pen; }
TBrush& TCanvas::Brush() { return d->Brush; }
TFont& TCanvas::Font() { return d->Font; }

TColor TCanvas::GetBkColor() const { return d->BkColor; }
void TCanvas::SetBkColor(TColor color) { d->BkColor = color; }
TBkMode TCanvas::GetBkMode() const { return d->BkMode; }
void TCanvas::SetBkMode(TBkMode mode) { d->BkMode = mode; }
TPoint TCanvas::GetOrigin() const { return d->Origin; }
void TCanvas::SetOrigin(TPoint origin) { d->Origin = origin; }
TPoint TCanvas::GetPenPos() const { return d->PenPos; }
void TCanvas::SetPenPos(TPoint p) { d->PenPos = p; }

TCanvasState TCanvas::State() const
{
    TCanvasState s;
    CopyState(s);
    return s;
}

namespace {

// The font and the clip change far less often than lines are drawn, and a line's record
// keeps its state from the line before: comparing them costs less than copying them.
template <typename T>
void CopyIfChanged(T& to, const T& from)
{
    if (!(to == from))
        to = from;
}

}  // namespace

void TCanvas::CopyState(TCanvasState& s) const
{
    s.Pen = d->Pen.Data();
    s.Brush = d->Brush.Data();
    CopyIfChanged(s.Font, d->Font.Data());
    s.BkColor = d->BkColor;
    s.BkMode = d->BkMode;
    s.Clipped = d->Clipped;
    CopyIfChanged(s.Clip, d->Clip);
}

TPoint TCanvas::ToDevice(int x, int y) const { return {x + d->Origin.X, y + d->Origin.Y}; }

TRect TCanvas::ToDevice(const TRect& r) const
{
    TRect out = r;
    OffsetRect(out, d->Origin.X, d->Origin.Y);
    return out;
}

void TCanvas::Emit(TCanvasRecord& record)
{
    CopyState(record.State);
    DrawRecord(record);
}

void TCanvas::DrawRecord(const TCanvasRecord& record)
{
    d->Device->Draw(record);
    if (OnChange)
        OnChange();
}

void TCanvas::PlayRecord(TCanvasRecord record)
{
    const int dx = d->Origin.X, dy = d->Origin.Y;
    for (TPoint& p : record.Points)
        p = {p.X + dx, p.Y + dy};
    OffsetRect(record.Rect, dx, dy);
    TCanvasState& s = record.State;
    if (s.Clipped)
        s.Clip = s.Clip.Offset(dx, dy);
    if (d->Clipped) {
        s.Clip = s.Clipped ? s.Clip.Intersected(d->Clip) : d->Clip;
        s.Clipped = true;
    }
    DrawRecord(record);
}

void TCanvas::EmitLine(const TPoint* points, size_t count)
{
    if (d->Pen.GetStyle() == psClear || count < 2)
        return;
    TCanvasRecord& record = d->LineRecord;
    record.Points.resize(count);
    for (size_t i = 0; i < count; ++i)
        record.Points[i] = ToDevice(points[i].X, points[i].Y);
    Emit(record);
}

void TCanvas::MoveTo(int x, int y) { d->PenPos = {x, y}; }

void TCanvas::LineTo(int x, int y)
{
    const TPoint ends[] = {d->PenPos, {x, y}};
    EmitLine(ends, 2);
    d->PenPos = {x, y};
}

void TCanvas::Polyline(const std::vector<TPoint>& points) { EmitLine(points.data(), points.size()); }

void TCanvas::Polygon(const std::vector<TPoint>& points)
{
    if (points.size() < 2)
        return;
    TCanvasRecord record;
    record.Op = TCanvasOp::Polygon;
    for (const TPoint& p : points)
        record.Points.push_back(ToDevice(p.X, p.Y));
    Emit(record);
}

void TCanvas::Rectangle(int left, int top, int right, int bottom)
{
    TCanvasRecord record;
    record.Op = TCanvasOp::Rectangle;
    record.Rect = ToDevice(TRect{left, top, right, bottom});
    Emit(record);
}

void TCanvas::Ellipse(int left, int top, int right, int bottom)
{
    TCanvasRecord record;
    record.Op = TCanvasOp::Ellipse;
    record.Rect = ToDevice(TRect{left, top, right, bottom});
    Emit(record);
}

void TCanvas::FillRect(const TRect& r)
{
    if (IsRectEmpty(r) || d->Brush.GetStyle() == bsClear)
        return;
    TCanvasRecord record;
    record.Op = TCanvasOp::FillRect;
    record.Rect = ToDevice(r);
    Emit(record);
}

void TCanvas::FrameRect(const TRect& r)
{
    if (IsRectEmpty(r))
        return;
    FillRect({r.Left, r.Top, r.Right, r.Top + 1});
    FillRect({r.Left, r.Bottom - 1, r.Right, r.Bottom});
    FillRect({r.Left, r.Top + 1, r.Left + 1, r.Bottom - 1});
    FillRect({r.Right - 1, r.Top + 1, r.Right, r.Bottom - 1});
}

TColor TCanvas::GetPixel(int x, int y)
{
    const TPoint p = ToDevice(x, y);
    return d->Device->GetPixel(p.X, p.Y);
}

void TCanvas::SetPixel(int x, int y, TColor color)
{
    TCanvasRecord record;
    record.Op = TCanvasOp::Pixel;
    record.Points = {ToDevice(x, y)};
    record.Color = color;
    Emit(record);
}

void TCanvas::Draw(int x, int y, const TBitmap& bitmap)
{
    StretchDraw({x, y, x + bitmap.GetWidth(), y + bitmap.GetHeight()}, bitmap);
}

void TCanvas::StretchDraw(const TRect& r, const TBitmap& bitmap)
{
    if (bitmap.Empty() || IsRectEmpty(r))
        return;
    TCanvasRecord record;
    record.Op = TCanvasOp::Image;
    record.Rect = ToDevice(r);
    auto copy = std::make_shared<TBitmap>();
    copy->Assign(bitmap);
    record.Transparent = bitmap.GetTransparent();
    record.Color = ColorToRGB(bitmap.GetTransparentColor());
    record.Image = std::move(copy);
    Emit(record);
}

void TCanvas::TextOut(int x, int y, const std::string& text)
{
    const std::u16string s = Win1252ToUtf16(text);
    DrawTextLine(s, x, y, nullptr, -1);
    d->PenPos = {x + TextWidth16(s), y};
}

int TCanvas::TextWidth16(const std::u16string& text) { return d->Device->TextExtent(d->Font.Data(), text).Width; }

int TCanvas::TextWidth(const std::string& text) { return TextWidth16(Win1252ToUtf16(text)); }

int TCanvas::TextHeight(const std::string& text)
{
    return d->Device->TextExtent(d->Font.Data(), Win1252ToUtf16(text)).Height;
}

void TCanvas::TextRect(const TRect& r, int x, int y, const std::string& text)
{
    TCanvasRecord record;
    record.Op = TCanvasOp::Text;
    record.Points = {ToDevice(x, y)};
    record.Rect = ToDevice(r);
    record.Text = text;
    record.Options = kTextClipped | (d->Brush.GetStyle() != bsClear ? kTextOpaque : 0);
    Emit(record);
}

// One line of DrawText or TextOut at the top-left (x, y) of its cell. TAB characters are
// already expanded or replaced; an underline marks the character at prefixIndex.
void TCanvas::DrawTextLine(const std::u16string& line, int x, int y, const TRect* clip, int prefixIndex)
{
    TCanvasRecord record;
    record.Op = TCanvasOp::Text;
    record.Points = {ToDevice(x, y)};
    record.Text = Utf16ToWin1252(line);
    if (clip) {
        record.Rect = ToDevice(*clip);
        record.Options = kTextClipped;
    }
    Emit(record);
    if (prefixIndex < 0 || prefixIndex >= int(line.size()))
        return;
    const TTextSize cell = d->Device->TextExtent(d->Font.Data(), line);
    const int x0 = x + TextWidth16(line.substr(0, size_t(prefixIndex)));
    const int x1 = x + TextWidth16(line.substr(0, size_t(prefixIndex) + 1));
    const int yU = y + std::min(cell.Ascent + 1, cell.Height - 1);
    TCanvasRecord underline;
    underline.Op = TCanvasOp::Polyline;
    underline.Points = {ToDevice(x0, yU), ToDevice(x1, yU)};
    underline.State = State();
    underline.State.Pen = {d->Font.GetColor(), 1, psSolid};
    if (clip) {
        const TRegion box = TRegion::FromRect(ToDevice(*clip));
        underline.State.Clip = underline.State.Clipped ? underline.State.Clip.Intersected(box) : box;
        underline.State.Clipped = true;
    }
    DrawRecord(underline);
}

namespace {

constexpr char16_t kTab = u'\t';
const std::u16string kEllipsis = u"...";

std::vector<std::u16string> SplitLines(const std::u16string& s)
{
    std::vector<std::u16string> lines;
    size_t i = 0;
    while (i < s.size()) {
        size_t end = i;
        while (end < s.size() && s[end] != u'\r' && s[end] != u'\n')
            ++end;
        lines.push_back(s.substr(i, end - i));
        i = end;
        if (i < s.size() && s[i] == u'\r')
            ++i;
        if (i < s.size() && s[i] == u'\n')
            ++i;
    }
    return lines;
}

struct TextLine {
    std::u16string Text;
    int Prefix = -1;  // index of the underlined character
};

// "&x" underlines x, "&&" is one "&".
TextLine StripPrefix(const std::u16string& s)
{
    TextLine out;
    for (size_t i = 0; i < s.size(); ++i) {
        if (s[i] == u'&' && i + 1 < s.size()) {
            ++i;
            if (s[i] != u'&')
                out.Prefix = int(out.Text.size());
        }
        out.Text += s[i];
    }
    return out;
}

}  // namespace

int TCanvas::DrawText(const std::string& text, TRect& r, unsigned format)
{
    const bool singleLine = format & DT_SINGLELINE;
    const bool calcRect = format & DT_CALCRECT;
    const bool expandTabs = format & DT_EXPANDTABS;
    const bool wordBreak = (format & DT_WORDBREAK) && !singleLine;
    std::u16string s = Win1252ToUtf16(text);
    if (s.empty()) {
        if (calcRect) {
            r.Right = r.Left;
            r.Bottom = r.Top;
        }
        return 0;
    }

    const TFontData font = d->Font.Data();
    const int lineHeight = d->Device->TextExtent(font, u"").Height;
    const int tabWidth = 8 * d->Device->AverageCharWidth(font);
    auto width = [&](const std::u16string& line) {
        if (!expandTabs)
            return TextWidth16(line);
        int x = 0;
        size_t start = 0;
        for (size_t tab = line.find(kTab); tab != std::u16string::npos; tab = line.find(kTab, start)) {
            x += TextWidth16(line.substr(start, tab - start));
            x = tabWidth > 0 ? (x / tabWidth + 1) * tabWidth : x;
            start = tab + 1;
        }
        return x + TextWidth16(line.substr(start));
    };

    std::vector<std::u16string> paragraphs;
    if (singleLine) {
        std::erase_if(s, [](char16_t c) { return c == u'\r' || c == u'\n'; });
        paragraphs.push_back(s);
    } else {
        paragraphs = SplitLines(s);
    }

    std::vector<TextLine> lines;
    for (std::u16string& p : paragraphs) {
        if (!expandTabs)
            std::replace(p.begin(), p.end(), kTab, u' ');
        TextLine whole = (format & DT_NOPREFIX) ? TextLine{p, -1} : StripPrefix(p);
        if (!wordBreak) {
            lines.push_back(whole);
            continue;
        }
        // Wrap at blanks; a word wider than the rectangle stays whole on its line.
        size_t start = 0;
        while (start < whole.Text.size() || start == 0) {
            size_t end = start;
            size_t lastFit = std::u16string::npos;
            while (end <= whole.Text.size()) {
                if (end == whole.Text.size() || whole.Text[end] == u' ') {
                    if (width(whole.Text.substr(start, end - start)) <= r.Width() || lastFit == std::u16string::npos)
                        lastFit = end;
                    else
                        break;
                    if (end == whole.Text.size())
                        break;
                }
                ++end;
            }
            TextLine line{whole.Text.substr(start, lastFit - start), -1};
            if (whole.Prefix >= int(start) && whole.Prefix < int(lastFit))
                line.Prefix = whole.Prefix - int(start);
            lines.push_back(line);
            start = lastFit;
            while (start < whole.Text.size() && whole.Text[start] == u' ')
                ++start;
            if (start >= whole.Text.size())
                break;
        }
    }

    if (format & (DT_END_ELLIPSIS | DT_PATH_ELLIPSIS | DT_WORD_ELLIPSIS)) {
        const int available = r.Width();
        for (TextLine& line : lines) {
            if (width(line.Text) <= available)
                continue;
            std::u16string head = line.Text;
            std::u16string tail;
            if (format & DT_PATH_ELLIPSIS) {
                const size_t sep = head.find_last_of(u"\\/");
                if (sep != std::u16string::npos) {
                    tail = head.substr(sep);
                    head.erase(sep);
                }
            } else if (format & DT_WORD_ELLIPSIS) {
                while (head.find(u' ') != std::u16string::npos && width(head + kEllipsis) > available)
                    head.erase(head.find_last_of(u' '));
            }
            while (!head.empty() && width(head + kEllipsis + tail) > available)
                head.pop_back();
            line.Text = head + kEllipsis + tail;
            if (line.Prefix >= int(head.size()))
                line.Prefix = -1;
        }
    }

    const int total = int(lines.size()) * lineHeight;
    if (calcRect) {
        int widest = 0;
        for (const TextLine& line : lines)
            widest = std::max(widest, width(line.Text));
        if (!wordBreak)
            r.Right = r.Left + widest;
        r.Bottom = r.Top + total;
        return total;
    }

    int y = r.Top;
    if (singleLine && (format & DT_VCENTER))
        y = r.Top + (r.Height() - lineHeight) / 2;
    else if (singleLine && (format & DT_BOTTOM))
        y = r.Bottom - lineHeight;
    const int result = (y - r.Top) + total;
    const TRect* clip = (format & DT_NOCLIP) ? nullptr : &r;
    for (const TextLine& line : lines) {
        const int w = width(line.Text);
        int x = r.Left;
        if (format & DT_CENTER)
            x = r.Left + (r.Width() - w) / 2;
        else if (format & DT_RIGHT)
            x = r.Right - w;
        if (expandTabs && line.Text.find(kTab) != std::u16string::npos) {
            size_t start = 0;
            int offset = 0;
            const std::u16string& t = line.Text;
            for (size_t tab = t.find(kTab);; tab = t.find(kTab, start)) {
                const std::u16string part = t.substr(start, tab == std::u16string::npos ? tab : tab - start);
                const int prefix =
                    line.Prefix >= int(start) && line.Prefix < int(start + part.size()) ? line.Prefix - int(start) : -1;
                DrawTextLine(part, x + offset, y, clip, prefix);
                if (tab == std::u16string::npos)
                    break;
                offset += TextWidth16(part);
                offset = tabWidth > 0 ? (offset / tabWidth + 1) * tabWidth : offset;
                start = tab + 1;
            }
        } else {
            DrawTextLine(line.Text, x, y, clip, line.Prefix);
        }
        y += lineHeight;
    }
    return result;
}

void TCanvas::DrawEdge(const TRect& r, unsigned edge)
{
    struct Bevel {
        TColor topLeft, bottomRight;
    };
    const bool sunken = edge == EDGE_SUNKEN;
    const Bevel outer = sunken ? Bevel{clBtnShadow, clBtnHighlight} : Bevel{cl3DLight, cl3DDkShadow};
    const Bevel inner = sunken ? Bevel{cl3DDkShadow, cl3DLight} : Bevel{clBtnHighlight, clBtnShadow};
    auto draw = [this](TColor color, std::vector<TPoint> points) {
        TCanvasRecord record;
        record.Op = TCanvasOp::Polyline;
        for (TPoint& p : points)
            p = ToDevice(p.X, p.Y);
        record.Points = std::move(points);
        record.State = State();
        record.State.Pen = {color, 1, psSolid};
        DrawRecord(record);
    };
    auto bevel = [&](const TRect& b, const Bevel& c) {
        if (b.Width() < 1 || b.Height() < 1)
            return;
        draw(c.topLeft, {{b.Left, b.Bottom - 2}, {b.Left, b.Top}, {b.Right - 1, b.Top}});
        draw(c.bottomRight, {{b.Left, b.Bottom - 1}, {b.Right - 1, b.Bottom - 1}, {b.Right - 1, b.Top - 1}});
    };
    bevel(r, outer);
    bevel({r.Left + 1, r.Top + 1, r.Right - 1, r.Bottom - 1}, inner);
}

void TCanvas::DrawFocusRect(const TRect& r)
{
    if (IsRectEmpty(r))
        return;
    TCanvasRecord record;
    record.Op = TCanvasOp::FocusRect;
    record.Rect = ToDevice(r);
    record.Color = ColorToRGB(d->Font.GetColor()) ^ ColorToRGB(d->BkColor);
    Emit(record);
}

void TCanvas::InvertRect(const TRect& r)
{
    if (IsRectEmpty(r))
        return;
    TCanvasRecord record;
    record.Op = TCanvasOp::InvertRect;
    record.Rect = ToDevice(r);
    Emit(record);
}

void TCanvas::IntersectClipRect(const TRect& r)
{
    const TRegion box = TRegion::FromRect(ToDevice(r));
    d->Clip = d->Clipped ? d->Clip.Intersected(box) : box;
    d->Clipped = true;
}

void TCanvas::SelectClipRgn(const TRegion* region)
{
    d->Clipped = region != nullptr;
    d->Clip = region ? region->Offset(d->Origin.X, d->Origin.Y) : TRegion();
}

bool TCanvas::IsClipped() const { return d->Clipped; }

TRect TCanvas::GetClipBox() const
{
    if (!d->Clipped)
        return {};
    TRect box = d->Clip.GetRgnBox();
    if (!IsRectEmpty(box))
        OffsetRect(box, -d->Origin.X, -d->Origin.Y);
    return box;
}

bool TCanvas::PtVisible(int x, int y) const
{
    const TPoint p = ToDevice(x, y);
    return (!d->Clipped || d->Clip.PtInRegion(p.X, p.Y)) && d->Device->IsVisible(p.X, p.Y);
}

int TCanvas::SaveDC()
{
    d->Saved.push_back(
        {d->Pen.Data(), d->Brush.Data(), d->Font.Data(), d->BkColor, d->BkMode, d->Clipped, d->Clip, d->Origin});
    return int(d->Saved.size());
}

void TCanvas::RestoreDC(int level)
{
    const int index = level > 0 ? level : int(d->Saved.size()) + 1 + level;
    if (index < 1 || index > int(d->Saved.size()))
        return;
    const SavedState s = d->Saved[size_t(index - 1)];
    d->Saved.resize(size_t(index - 1));
    d->Pen.SetData(s.Pen);
    d->Brush.SetData(s.Brush);
    d->Font.SetData(s.Font);
    d->BkColor = s.BkColor;
    d->BkMode = s.BkMode;
    d->Clipped = s.Clipped;
    d->Clip = s.Clip;
    d->Origin = s.Origin;
}

// Published properties: what property files, form descriptions and editors see of the
// drawing objects. Font colour, height and style have no declared default, so they are
// always written; the size is derived from the height and never stored.
PRAVIX_PUBLISH(TPen, Prop("Color", &TPen::GetColor, &TPen::SetColor).AsColor().Default(clBlack),
               Prop("Style", &TPen::GetStyle, &TPen::SetStyle).Default(psSolid),
               Prop("Width", &TPen::GetWidth, &TPen::SetWidth).Default(1))

PRAVIX_PUBLISH(TBrush, Prop("Color", &TBrush::GetColor, &TBrush::SetColor).AsColor().Default(clWhite),
               Prop("Style", &TBrush::GetStyle, &TBrush::SetStyle).Default(bsSolid))

PRAVIX_PUBLISH(TFont, Prop("Charset", &TFont::GetCharset, &TFont::SetCharset).Default(1),
               Prop("Color", &TFont::GetColor, &TFont::SetColor).AsColor(),
               Prop("Height", &TFont::GetHeight, &TFont::SetHeight), Prop("Name", &TFont::GetName, &TFont::SetName),
               Prop("Pitch", &TFont::GetPitch, &TFont::SetPitch).Default(fpDefault),
               Prop("Size", &TFont::GetSize, &TFont::SetSize).Stored(false),
               Prop("Style", &TFont::GetStyle, &TFont::SetStyle))

namespace {

template <class T>
bool AssignSame(T& destination, const TPersistent& source)
{
    const auto* same = dynamic_cast<const T*>(&source);
    if (same)
        destination.Assign(*same);
    return same != nullptr;
}

}  // namespace

void TPen::Assign(const TPersistent& source)
{
    if (!AssignSame(*this, source))
        TPersistent::Assign(source);
}

void TBrush::Assign(const TPersistent& source)
{
    if (!AssignSame(*this, source))
        TPersistent::Assign(source);
}

void TFont::Assign(const TPersistent& source)
{
    if (!AssignSame(*this, source))
        TPersistent::Assign(source);
}
