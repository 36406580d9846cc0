#include "components/iGPFunctions.h"

#include "components/iMath.h"
#include "platform/canvas/SystemColors.h"
#include "platform/core/MathSupport.h"

#include <algorithm>
#include <cmath>

namespace {

// Restores the canvas font as it was, also when drawing raises.
class FontGuard {
public:
    explicit FontGuard(TFont& font) : m_font(font), m_saved(font.Data()) {}
    ~FontGuard() { m_font.SetData(m_saved); }
    FontGuard(const FontGuard&) = delete;
    FontGuard& operator=(const FontGuard&) = delete;

private:
    TFont& m_font;
    TFontData m_saved;
};

struct FlagBit {
    TiTextFlag Flag;
    unsigned Bit;
};

// itfHLeft and itfVTop are the zero defaults; itfShowPrefix works by its absence.
constexpr FlagBit kFlagBits[] = {
    {itfHCenter, DT_CENTER},
    {itfHRight, DT_RIGHT},
    {itfVCenter, DT_VCENTER},
    {itfVBottom, DT_BOTTOM},
    {itfWordBreak, DT_WORDBREAK},
    {itfSingleLine, DT_SINGLELINE},
    {itfExpandTabs, DT_EXPANDTABS},
    {itfNoClip, DT_NOCLIP},
    {itfCalcRect, DT_CALCRECT},
    {itfEndEllipsis, DT_END_ELLIPSIS},
    {itfPathEllipsis, DT_PATH_ELLIPSIS},
    {itfWordEllipsis, DT_WORD_ELLIPSIS},
    {itfModifyString, DT_MODIFYSTRING},
};

unsigned DrawTextFormat(const TiTextFlags& flags)
{
    unsigned format = flags.count(itfShowPrefix) ? 0 : DT_NOPREFIX;
    for (const FlagBit& f : kFlagBits)
        if (flags.count(f.Flag))
            format |= f.Bit;
    return format;
}

// The lines of a text: each runs up to the next CR, LF or the end; one CR and then one LF
// end it. A final line ending adds no empty line.
std::vector<std::string> TextLines(const std::string& text)
{
    std::vector<std::string> lines;
    size_t i = 0;
    while (i < text.size()) {
        const size_t end = std::min(text.find_first_of("\r\n", i), text.size());
        lines.push_back(text.substr(i, end - i));
        i = end;
        if (i < text.size() && text[i] == '\r')
            ++i;
        if (i < text.size() && text[i] == '\n')
            ++i;
    }
    return lines;
}

}  // namespace

int iDrawText(TCanvas& Canvas, const std::string& Text, TRect& Rect, const TiTextFlags& Flags, bool Enabled,
              TColor Color)
{
    const unsigned format = DrawTextFormat(Flags);
    const bool embossed = !Enabled && !Flags.count(itfCalcRect) && ColorToRGB(Color) != clBlack;
    if (!embossed)
        return Canvas.DrawText(Text, Rect, format);

    FontGuard restoreFontColor(Canvas.Font());
    TRect r = Rect;
    Canvas.Font().SetColor(ColorOffset(clBtnFace, 64, true));
    OffsetRect(r, 1, 1);
    Canvas.DrawText(Text, r, format);
    Canvas.Font().SetColor(ColorOffset(clBtnFace, 32, false));
    OffsetRect(r, -1, -1);
    return Canvas.DrawText(Text, r, format);
}

TRect iDrawRotatedText(TCanvas& Canvas, const std::string& Text, const TRect& Rect, TiRotationAngle Angle,
                       TiAlignmentHorizontal Alignment, bool Enabled, TColor Color)
{
    const TPoint c = GetRectCenterPoint(Rect);
    const int w = Canvas.TextWidth(Text);
    const int h = Canvas.TextHeight(Text);

    if (Angle == ira000) {
        TiTextFlags flags{itfVCenter, itfNoClip};
        flags.insert(Alignment == iahLeft ? itfHLeft : Alignment == iahRight ? itfHRight : itfHCenter);
        if (Text.find('\r') == std::string::npos)
            flags.insert(itfSingleLine);
        TRect r = Rect;
        iDrawText(Canvas, Text, r, flags, Enabled, Color);
    } else {
        // The reference point is the turned top-left corner of the text cell.
        TPoint start;
        int escapement = 0;
        switch (Angle) {
        case ira090:
            start = {c.X - h / 2, c.Y + w / 2};
            escapement = 900;
            break;
        case ira180:
            start = {c.X + w / 2, c.Y + h / 2};
            escapement = 1800;
            break;
        default:
            start = {c.X - h / 2 + h, c.Y - w / 2};
            escapement = 2700;
            break;
        }
        FontGuard guard(Canvas.Font());
        Canvas.Font().SetEscapement(escapement);
        TRect r{start.X, start.Y, start.X, start.Y};
        iDrawText(Canvas, Text, r, {itfHLeft, itfVTop, itfSingleLine, itfNoClip}, Enabled, Color);
    }

    if (Angle == ira000 || Angle == ira180)
        return {c.X - w / 2, c.Y - h / 2, c.X + w / 2, c.Y + h / 2};
    return {c.X - h / 2, c.Y - w / 2, c.X + h / 2, c.Y + w / 2};
}

int iTextWidth(TCanvas& Canvas, const std::string& Text)
{
    int widest = 0;
    for (const std::string& line : TextLines(Text))
        widest = std::max(widest, Canvas.TextWidth(line));
    return widest;
}

int iTextHeight(TCanvas& Canvas, const std::string& Text)
{
    TRect r{0, 0, 0, 0};
    return iDrawText(Canvas, Text, r, {itfNoClip, itfCalcRect}, true, clBtnFace);
}

int iTextHeightFixedWidth(TCanvas& Canvas, const std::string& Text, int Width)
{
    // Measured rather than drawn out of sight, so that no invisible text lands in a
    // recorded picture; the height is the same.
    TRect r{0, -800, Width, -100};
    return iDrawText(Canvas, Text, r, {itfHLeft, itfVTop, itfWordBreak, itfCalcRect}, true, clBtnFace);
}

TLogFont FillFontInfo(const TFont& Font, int Angle)
{
    const TFontStyles& style = Font.GetStyle();
    TLogFont info;
    info.Height = Font.GetHeight();
    info.Escapement = Angle;
    info.Orientation = Angle;
    info.Weight = style.count(fsBold) ? 700 : 400;
    info.Italic = style.count(fsItalic);
    info.Underline = style.count(fsUnderline);
    info.StrikeOut = style.count(fsStrikeOut);
    info.FaceName = Font.GetName();
    return info;
}

// ---- Edges, focus and simple shapes ----

void iDrawEdge(TCanvas& Canvas, const TRect& Rect, TiDrawEdgeStyle Style)
{
    switch (Style) {
    case idesSunken: Canvas.DrawEdge(Rect, EDGE_SUNKEN); break;
    case idesRaised: Canvas.DrawEdge(Rect, EDGE_RAISED); break;
    case idesFlat:
        Canvas.Pen().SetColor(clBtnShadow);
        Canvas.Pen().SetStyle(psSolid);
        Canvas.Polygon({{Rect.Left, Rect.Top},
                        {Rect.Right - 1, Rect.Top},
                        {Rect.Right - 1, Rect.Bottom - 1},
                        {Rect.Left, Rect.Bottom - 1}});
        break;
    }
}

void iDrawFocusRect2(TCanvas& Canvas, const TRect& Rect) { Canvas.DrawFocusRect(Rect); }

void iDrawFocusRect(TCanvas& Canvas, const TRect& Rect, TColor Color)
{
    Canvas.Pen().SetColor(Color);
    Canvas.Brush().SetColor(Color);
    iDrawFocusRect2(Canvas, Rect);
}

void iRectangle(TCanvas& Canvas, const TRect& Rect)
{
    Canvas.Rectangle(iRect(Rect.Left, Rect.Top, Rect.Right, Rect.Bottom));
}

void Line(TCanvas& Canvas, int X1, int Y1, int X2, int Y2) { Canvas.Polyline({{X1, Y1}, {X2, Y2}}); }

void LineBevel(TCanvas& Canvas, int X1, int Y1, int X2, int Y2, TiBevelStyle Style)
{
    const bool vertical = X1 == X2;
    const TPoint from = vertical ? Point(X1, std::min(Y1, Y2)) : Point(std::min(X1, X2), Y1);
    const TPoint to = vertical ? Point(X1, std::max(Y1, Y2)) : Point(std::max(X1, X2), Y2);
    const TPoint shift = vertical ? Point(1, 0) : Point(0, 1);
    if (Style == ibsNone) {
        Line(Canvas, from.X, from.Y, to.X, to.Y);
        return;
    }
    Canvas.Pen().SetColor(Style == ibsRaised ? clWhite : clBlack);
    Line(Canvas, from.X, from.Y, to.X, to.Y);
    Canvas.Pen().SetColor(Style == ibsRaised ? clBlack : clWhite);
    Line(Canvas, from.X + shift.X, from.Y + shift.Y, to.X + shift.X, to.Y + shift.Y);
}

namespace {

// Outer upper-left, outer lower-right, inner upper-left and inner lower-right, in the four
// colours given in that order.
void DrawBorder(TCanvas& canvas, const TRect& r, const TColor (&colors)[4])
{
    const std::vector<TPoint> lines[4] = {
        {{r.Left, r.Bottom - 1}, {r.Left, r.Top}, {r.Right - 1, r.Top}},
        {{r.Left, r.Bottom}, {r.Right, r.Bottom}, {r.Right, r.Top}},
        {{r.Left + 1, r.Bottom - 2}, {r.Left + 1, r.Top + 1}, {r.Right - 2, r.Top + 1}},
        {{r.Left + 1, r.Bottom - 1}, {r.Right - 1, r.Bottom - 1}, {r.Right - 1, r.Top + 1}},
    };
    for (int i = 0; i < 4; ++i) {
        canvas.Pen().SetColor(colors[i]);
        canvas.Polyline(lines[i]);
    }
}

}  // namespace

void DrawRaisedBorder(TCanvas& Canvas, const TRect& Rect)
{
    DrawBorder(Canvas, Rect, {clBtnShadow, clBlack, clBtnHighlight, clBtnShadow});
}

void DrawSunkenBorder(TCanvas& Canvas, const TRect& Rect)
{
    DrawBorder(Canvas, Rect, {clBtnShadow, clBtnHighlight, clBlack, clBtnShadow});
}

void iDrawTriangle(TCanvas& Canvas, const TRect& Rect, TiDirection Direction)
{
    const TPoint c = GetRectCenterPoint(Rect);
    const TRect& r = Rect;
    switch (Direction) {
    case idUp: Canvas.Polygon({{c.X, r.Top}, {r.Left, r.Bottom}, {r.Right, r.Bottom}}); break;
    case idDown: Canvas.Polygon({{c.X, r.Bottom}, {r.Left, r.Top}, {r.Right, r.Top}}); break;
    case idRight: Canvas.Polygon({{r.Right, c.Y}, {r.Left, r.Top}, {r.Left, r.Bottom}}); break;
    case idLeft: Canvas.Polygon({{r.Left, c.Y}, {r.Right, r.Top}, {r.Right, r.Bottom}}); break;
    }
}

namespace {

void PrepareArrow(TCanvas& canvas)
{
    canvas.Pen().SetColor(clBlack);
    canvas.Pen().SetStyle(psSolid);
    canvas.Brush().SetColor(clBlack);
    canvas.Brush().SetStyle(bsSolid);
}

}  // namespace

void iDrawButtonArrowUp(TCanvas& Canvas, const TRect& Rect, bool Pressed)
{
    PrepareArrow(Canvas);
    const int press = Pressed ? 1 : 0;
    const TPoint c{(Rect.Left + Rect.Right) / 2 - 1 + press, (Rect.Top + Rect.Bottom) / 2 + press};
    Canvas.Polygon({{c.X - 3, c.Y + 1}, {c.X + 3, c.Y + 1}, {c.X, c.Y - 2}});
}

void iDrawButtonArrowDown(TCanvas& Canvas, const TRect& Rect, bool Pressed)
{
    PrepareArrow(Canvas);
    const int press = Pressed ? 1 : 0;
    const TPoint c{(Rect.Left + Rect.Right) / 2 - 1 + press, (Rect.Top + Rect.Bottom) / 2 - 1 + press};
    Canvas.Polygon({{c.X - 3, c.Y - 2}, {c.X + 3, c.Y - 2}, {c.X, c.Y + 1}});
}

void ArcSegment(TCanvas& Canvas, double Angle1, double Angle2, int Radius1, int Radius2, TPoint Center, TColor Color)
{
    constexpr int kSteps = 400;
    Canvas.Pen().SetColor(Color);
    Canvas.Brush().SetColor(Color);
    const double from = std::min(Angle1, Angle2);
    const double sweep = std::max(Angle1, Angle2) - from;
    auto arcPoint = [&](int i, int radius) {
        return GetXYRadPoint(TDegrees(from + sweep * i / kSteps), radius, Center);
    };
    std::vector<TPoint> points;
    for (int i = 0; i <= kSteps; ++i)
        points.push_back(arcPoint(i, Radius1));
    if (Radius1 == Radius2) {
        Canvas.Polyline(points);
        return;
    }
    for (int i = kSteps; i >= 0; --i)
        points.push_back(arcPoint(i, Radius2));
    points.push_back(points.front());
    Canvas.Polygon(points);
}

// ---- Gradients ----

namespace {

// Step i of n from `from` to `to`, each channel Round(t * to + (n - i) / n * from). A
// single step (n = 0) is the `from` colour.
TColor BlendStep(TColor from, TColor to, int i, int n)
{
    const double t = n == 0 ? 0.0 : double(i) / n;
    const double rest = n == 0 ? 1.0 : double(n - i) / n;
    auto channel = [&](int (*get)(TColor)) {
        return int(std::clamp<long long>(RoundHalfEven(t * get(to) + rest * get(from)), 0, 255));
    };
    return RGB(channel(GetRValue), channel(GetGValue), channel(GetBValue));
}

struct GradientPlan {
    int Steps;
    bool Reversed;  // stop -> start
    int PenWidth;
};

GradientPlan PlanGradient(const TRect& r, TiFillDirection direction)
{
    const int extent = std::max(r.Right, r.Bottom) - 1;
    switch (direction) {
    case ifdTopBottom: return {r.Height() - 1, false, 1};
    case ifdBottomTop: return {r.Height() - 1, true, 1};
    case ifdLeftRight: return {r.Width() - 1, false, 1};
    case ifdRightLeft: return {r.Width() - 1, true, 1};
    case ifdTopLeftBottomRight:
    case ifdBottomLeftTopRight: return {extent * 2, false, 1};
    case ifdBottomRightTopLeft:
    case ifdTopRightBottomLeft: return {extent * 2, true, 1};
    case ifdRectangleOut: return {extent / 3, false, 2};
    case ifdRectangleIn: return {extent / 3, true, 2};
    case ifdCircleOut: return {extent / 8, false, 16};
    case ifdCircleIn: return {extent / 8, true, 16};
    }
    return {-1, false, 1};
}

// The shape of step i at fraction t of the way.
void DrawGradientStep(TCanvas& canvas, const TRect& r, TiFillDirection direction, int i, double t)
{
    const double xc = (r.Right - 1) / 2.0;
    const double yc = (r.Bottom - 1) / 2.0;
    switch (direction) {
    case ifdTopBottom:
    case ifdBottomTop: Line(canvas, r.Left, r.Top + i, r.Right, r.Top + i); break;
    case ifdLeftRight:
    case ifdRightLeft: Line(canvas, r.Left + i, r.Top, r.Left + i, r.Bottom); break;
    case ifdTopLeftBottomRight:
    case ifdBottomRightTopLeft:
        Line(canvas, RoundClamp(t * 2 * (r.Right - 1)) - 1, 0, -1, RoundClamp(t * 2 * (r.Bottom - 1)));
        break;
    case ifdBottomLeftTopRight:
    case ifdTopRightBottomLeft:
        Line(canvas, 0, (r.Bottom - 1) - RoundClamp(t * 2 * (r.Bottom - 1)), RoundClamp(t * 2 * (r.Right - 1)),
             r.Bottom - 1);
        break;
    case ifdRectangleOut:
    case ifdRectangleIn:
        canvas.Rectangle(RoundClamp(xc - t * xc), RoundClamp(t * yc + yc), RoundClamp(t * xc + xc),
                         RoundClamp(yc - t * yc));
        break;
    case ifdCircleOut:
    case ifdCircleIn: {
        const double s = t * 1.414;
        canvas.Ellipse(RoundClamp(xc - s * xc), RoundClamp(s * yc + yc), RoundClamp(s * xc + xc),
                       RoundClamp(yc - s * yc));
        break;
    }
    }
}

}  // namespace

void DrawGradientDirection(TCanvas& Canvas, const TRect& Rect, TiFillDirection Direction, TColor StartColor,
                           TColor StopColor)
{
    const GradientPlan plan = PlanGradient(Rect, Direction);
    const TColor from = plan.Reversed ? StopColor : StartColor;
    const TColor to = plan.Reversed ? StartColor : StopColor;
    Canvas.Brush().SetStyle(bsClear);
    Canvas.Pen().SetWidth(plan.PenWidth);
    for (int i = 0; i <= plan.Steps; ++i) {
        Canvas.Pen().SetColor(BlendStep(from, to, i, plan.Steps));
        DrawGradientStep(Canvas, Rect, Direction, i, plan.Steps == 0 ? 0.0 : double(i) / plan.Steps);
    }
    const TPoint centre{Rect.Width() / 2 + Rect.Left - 1, Rect.Height() / 2 + Rect.Top - 1};
    if (Direction == ifdRectangleOut)
        Canvas.SetPixel(centre.X, centre.Y, StartColor);
    else if (Direction == ifdRectangleIn)
        Canvas.SetPixel(centre.X, centre.Y, StopColor);
}

void DrawGradient(TCanvas& Canvas, TColor Color1, TColor Color2, const TRect& Rect, bool Reverse)
{
    const int half = (Rect.Right - Rect.Left + 1) / 2;
    const int n = 4 * half;
    if (n <= 0)
        return;
    const TColor white = ColorToRGB(clWhite);
    const TColor from = Reverse ? Color2 : white;
    const TColor to = Reverse ? white : Color2;
    Canvas.Pen().SetStyle(psSolid);
    for (int i = 0; i < n; ++i) {
        Canvas.Pen().SetColor(BlendStep(from, to, i, n) | PaletteRelativeFlag);
        if (i < 2 * half)
            Line(Canvas, Rect.Left + i, Rect.Top, Rect.Left, Rect.Top + i);
        else
            Line(Canvas, Rect.Right, Rect.Top + i - 2 * half, Rect.Left + i - 2 * half, Rect.Bottom);
    }

    // Paint everything outside the circle: vertical runs from the circle to the edges.
    Canvas.Pen().SetColor(Color1);
    const TPoint c = GetRectCenterPoint(Rect);
    bool first = true;
    int previousX = 0;
    for (int j = 0; j <= 2 * n; ++j) {
        const double a = double(DegToRad(j * 90.0 / (2 * n)));
        const int x = RoundClamp(std::cos(a) * half);
        const int y = RoundClamp(std::sin(a) * half);
        if (!first && x == previousX)
            continue;
        first = false;
        previousX = x;
        Line(Canvas, c.X + x, c.Y - y, c.X + x, Rect.Top - 1);
        Line(Canvas, c.X - x, c.Y - y, c.X - x, Rect.Top - 1);
        Line(Canvas, c.X + x, c.Y + y, c.X + x, Rect.Bottom);
        Line(Canvas, c.X - x, c.Y + y, c.X - x, Rect.Bottom);
    }
}

void DrawGradientCircle(TCanvas& Canvas, TColor Color1, TColor Color2, TPoint Center, int Radius, bool Reverse)
{
    if (Radius <= 0)
        return;
    const TColor from = ColorToRGB(Reverse ? Color2 : Color1);
    const TColor to = ColorToRGB(Reverse ? Color1 : Color2);
    Canvas.Pen().SetStyle(psSolid);
    Canvas.Pen().SetWidth(1);
    // Chords at right angles to the diagonal from the top left to the bottom right, half a
    // pixel apart along it. Each chord keeps x + y exact, so that together they cover every
    // pixel of the disc.
    const int steps = 4 * Radius;
    const double root2 = std::sqrt(2.0);
    const double centreSum = Center.X + Center.Y;
    for (int i = 0; i <= steps; ++i) {
        const double along = -Radius + i * 0.5;
        const double halfChord = std::sqrt(std::max(0.0, double(Radius) * Radius - along * along)) / root2;
        const int sum = RoundClamp(centreSum + along * root2);
        const double middleX = (sum + Center.X - Center.Y) / 2.0;
        const int x0 = RoundClamp(middleX - halfChord);
        const int x1 = RoundClamp(middleX + halfChord);
        Canvas.Pen().SetColor(BlendStep(from, to, i, steps));
        Line(Canvas, x0, sum - x0, x1 + 1, sum - x1 - 1);  // up to and including (x1, sum - x1)
    }
}

void DrawGradientCircleRaised(TCanvas& Canvas, TColor Color, TPoint Center, int Radius)
{
    DrawGradientCircle(Canvas, ColorGradientBright(Color), ColorGradientDim(Color), Center, Radius, false);
}

void DrawGradientCircleSunken(TCanvas& Canvas, TColor Color, TPoint Center, int Radius)
{
    DrawGradientCircle(Canvas, ColorGradientBright(Color), ColorGradientDim(Color), Center, Radius, true);
}
