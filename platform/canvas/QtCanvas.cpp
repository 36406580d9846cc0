#include "platform/canvas/QtCanvas_p.h"

#include "platform/canvas/Bitmap.h"
#include "platform/canvas/SystemColors.h"
#include "platform/core/StrUtils.h"

#include <QApplication>
#include <QFontDatabase>
#include <QFontMetrics>

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <functional>
#include <list>
#include <string>
#include <unordered_map>

void EnsureGuiApplication()
{
    if (QCoreApplication::instance())
        return;
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM") && qEnvironmentVariableIsEmpty("DISPLAY") &&
        qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    static int argc = 1;
    static char name[] = "pravix";
    static char* argv[] = {name, nullptr};
    // Lives for the rest of the process, like the application object it stands in for.
    static QApplication* app = new QApplication(argc, argv);
    (void)app;
}

QRegion ToQRegion(const TRegion& region)
{
    QRegion q;
    for (const TRect& r : region.Rects())
        q += QRect(r.Left, r.Top, r.Width(), r.Height());
    return q;
}

QColor ToQColor(TColor color)
{
    const TColor rgb = ColorToRGB(color);
    return QColor(GetRValue(rgb), GetGValue(rgb), GetBValue(rgb));
}

QRgb ToQRgb(TColor color)
{
    const TColor rgb = ColorToRGB(color);
    return qRgb(GetRValue(rgb), GetGValue(rgb), GetBValue(rgb));
}

TColor FromQRgb(QRgb rgb) { return RGB(qRed(rgb), qGreen(rgb), qBlue(rgb)); }

TColor KeyTransparentPixels(QImage& image)
{
    image = image.convertToFormat(QImage::Format_ARGB32);
    std::vector<bool> used(256, false);
    bool anyClear = false;
    // Candidates are magenta variants (255, g, 255); note which of them opaque pixels use.
    for (int y = 0; y < image.height(); ++y) {
        const QRgb* line = reinterpret_cast<const QRgb*>(image.constScanLine(y));
        for (int x = 0; x < image.width(); ++x) {
            if (qAlpha(line[x]) == 0)
                anyClear = true;
            else if (qRed(line[x]) == 255 && qBlue(line[x]) == 255)
                used[size_t(qGreen(line[x]))] = true;
        }
    }
    const auto free = std::find(used.begin(), used.end(), false);
    const QRgb keyRgb = qRgb(255, free == used.end() ? 0 : int(free - used.begin()), 255);
    if (anyClear) {
        for (int y = 0; y < image.height(); ++y) {
            QRgb* line = reinterpret_cast<QRgb*>(image.scanLine(y));
            for (int x = 0; x < image.width(); ++x)
                if (qAlpha(line[x]) == 0)
                    line[x] = keyRgb;
        }
    }
    const TColor key = FromQRgb(keyRgb);
    image = image.convertToFormat(QImage::Format_RGB32);
    return key;
}

QImage KeyToAlpha(const QImage& image, TColor key)
{
    QImage result = image.convertToFormat(QImage::Format_ARGB32);
    const QRgb keyRgb = ToQColor(key).rgb() & 0xFFFFFF;
    for (int y = 0; y < result.height(); ++y) {
        QRgb* line = reinterpret_cast<QRgb*>(result.scanLine(y));
        for (int x = 0; x < result.width(); ++x)
            if ((line[x] & 0xFFFFFF) == keyRgb)
                line[x] = 0;
    }
    return result;
}

QImage TransparentImage(const TBitmap& bitmap)
{
    const QImage& image = BitmapAccess::Image(bitmap);
    return bitmap.GetTransparent() ? KeyToAlpha(image, bitmap.GetTransparentColor()) : image;
}

namespace {

QString FamilyFor(const std::string& name)
{
    // Asking the font configuration for a family takes far longer than making the font; every
    // control asks with its first font, and a plot of thousands of channels makes thousands.
    thread_local std::unordered_map<std::string, QString> answers;
    if (const auto found = answers.find(name); found != answers.end())
        return found->second;
    const QString family = QString::fromStdString(Win1252ToUtf8(name));
    const QString answer =
        !family.isEmpty() && QFontDatabase::hasFamily(family) ? family : QStringLiteral("DejaVu Sans");
    answers.emplace(name, answer);
    return answer;
}

// Height < 0: character (em) height; > 0: cell height (ascent + descent); 0: default.
int PixelSizeFor(QFont font, int height)
{
    if (height < 0)
        return -height;
    if (height == 0)
        return 11;
    font.setPixelSize(100);
    const QFontMetrics fm(font);
    return std::max(1, int(std::lround(height * 100.0 / (fm.ascent() + fm.descent()))));
}

}  // namespace

QFont MakeQFont(const TFontData& data)
{
    EnsureGuiApplication();
    QFont font(FamilyFor(data.Name));
    font.setStyleStrategy(QFont::NoAntialias);
    font.setHintingPreference(QFont::PreferFullHinting);
    font.setKerning(false);
    font.setBold(data.Style.count(fsBold));
    font.setItalic(data.Style.count(fsItalic));
    font.setUnderline(data.Style.count(fsUnderline));
    font.setStrikeOut(data.Style.count(fsStrikeOut));
    if (data.Pitch == fpFixed) {
        font.setFixedPitch(true);
        font.setStyleHint(QFont::Monospace);
    }
    font.setPixelSize(PixelSizeFor(font, data.Height));
    return font;
}

namespace {

// One row's run of the pixels a text sets: in the font colour (Ink) or the background colour.
struct TextRun {
    int Y;
    int Left;
    int Right;  // exclusive
    bool Ink;
};

// The pixels a line of unrotated text sets, relative to the top-left of its cell. Text
// without antialiasing sets whole pixels of the font colour or the background colour and
// leaves the rest, the same wherever the cell is put: a paint draws the same labels again
// and again, and laying out and drawing them each time costs more than the rest of an
// empty plot together.
struct TextPicture {
    std::vector<TextRun> Runs;
    // False when the text drew anything else (a font the system antialiases after all): such
    // a text is drawn by the painter every time.
    bool Exact = true;
};

// Text is drawn and measured far more often than fonts change, and making a font asks the
// font configuration to resolve its family: keep the fonts used lately, per thread. A paint
// switches between a handful of them (axes, legend, labels, title).
struct CachedFont {
    TFontData Data;
    QFont Font;
    QFontMetrics Metrics;
    // Asked of every text measured: each asking finds the font's engine under a lock.
    int Ascent;
    int Descent;
    // Widths of the texts measured in the font: a paint measures the same tick labels,
    // titles and legend entries every time, and each measurement shapes the text anew.
    mutable std::unordered_map<std::u16string, int> Widths;
    // The pictures of the texts drawn in the font, transparent [0] and opaque [1].
    mutable std::unordered_map<std::string, TextPicture> Pictures[2];
};

const CachedFont& FontFor(const TFontData& data)
{
    constexpr size_t kKept = 8;
    // Most recently used first; moving an entry to the front keeps every reference valid.
    thread_local std::list<CachedFont> kept;
    const auto found = std::find_if(kept.begin(), kept.end(), [&](const CachedFont& f) { return f.Data == data; });
    if (found != kept.end()) {
        kept.splice(kept.begin(), kept, found);
        return kept.front();
    }
    const QFont font = MakeQFont(data);
    const QFontMetrics metrics(font);
    kept.push_front(CachedFont{data, font, metrics, metrics.ascent(), metrics.descent(), {}});
    if (kept.size() > kKept)
        kept.pop_back();
    return kept.front();
}

const QFontMetrics& MetricsFor(const TFontData& data) { return FontFor(data).Metrics; }

// Draws the text as the painter draws it on a canvas, in black with its background (opaque
// mode) red on white, with room around the cell for what glyphs put outside it, and reads
// the runs back.
TextPicture MakeTextPicture(const CachedFont& font, const QString& text, bool opaque)
{
    const QRgb untouched = qRgb(255, 255, 255), ink = qRgb(0, 0, 0), background = qRgb(255, 0, 0);
    const int width = font.Metrics.horizontalAdvance(text);
    const int height = font.Ascent + font.Descent;
    const int margin = height + 2;
    QImage image(width + 2 * margin, height + 2 * margin, QImage::Format_RGB32);
    image.fill(untouched);
    {
        QPainter p(&image);
        p.setRenderHint(QPainter::Antialiasing, false);
        p.setRenderHint(QPainter::TextAntialiasing, false);
        p.setBackgroundMode(opaque ? Qt::OpaqueMode : Qt::TransparentMode);
        p.setBackground(QColor(background));
        p.translate(margin, margin);
        if (opaque)
            p.fillRect(QRect(0, 0, width, height), QColor(background));
        p.setFont(font.Font);
        p.setPen(QColor(ink));
        p.drawText(QPoint(0, font.Ascent), text);
    }
    TextPicture picture;
    for (int y = 0; y < image.height(); ++y) {
        const QRgb* line = reinterpret_cast<const QRgb*>(image.constScanLine(y));
        for (int x = 0; x < image.width();) {
            const QRgb pixel = line[x] & 0xFFFFFF;
            if (pixel == (untouched & 0xFFFFFF)) {
                ++x;
                continue;
            }
            const bool edge = x == 0 || y == 0 || y == image.height() - 1;
            if ((pixel != (ink & 0xFFFFFF) && pixel != (background & 0xFFFFFF)) || edge)
                return {{}, false};
            const int start = x;
            while (x < image.width() && (line[x] & 0xFFFFFF) == pixel)
                ++x;
            if (x == image.width())
                return {{}, false};
            picture.Runs.push_back({y - margin, start - margin, x - margin, pixel == (ink & 0xFFFFFF)});
        }
    }
    return picture;
}

// The picture of a text in the font, made the first time the text is drawn.
const TextPicture& TextPictureFor(const CachedFont& font, const std::string& text, bool opaque)
{
    constexpr size_t kKeptPictures = 1024;
    auto& pictures = font.Pictures[opaque ? 1 : 0];
    if (const auto found = pictures.find(text); found != pictures.end())
        return found->second;
    if (pictures.size() >= kKeptPictures)
        pictures.clear();
    const QString utf16 = QString::fromStdU16String(Win1252ToUtf16(text));
    return pictures.emplace(text, MakeTextPicture(font, utf16, opaque)).first->second;
}

}  // namespace

TColor TCanvasDevice::GetPixel(int, int) { return clBlack; }

TTextSize TCanvasDevice::TextExtent(const TFontData& font, const std::u16string& text)
{
    const CachedFont& cached = FontFor(font);
    const QFontMetrics& fm = cached.Metrics;
    constexpr size_t kKeptWidths = 4096;
    auto found = cached.Widths.find(text);
    if (found == cached.Widths.end()) {
        if (cached.Widths.size() >= kKeptWidths)
            cached.Widths.clear();
        found = cached.Widths.emplace(text, fm.horizontalAdvance(QString::fromStdU16String(text))).first;
    }
    return {found->second, cached.Ascent + cached.Descent, cached.Ascent};
}

int TCanvasDevice::AverageCharWidth(const TFontData& font) { return MetricsFor(font).averageCharWidth(); }

bool TCanvasDevice::IsVisible(int, int) { return true; }

namespace {

// One-pixel dash patterns: pixels on, off, on, off ...
const std::vector<int>& DashPattern(TPenStyle style)
{
    static const std::vector<int> solid;
    static const std::vector<int> dash{18, 6};
    static const std::vector<int> dot{3, 3};
    static const std::vector<int> dashDot{9, 6, 3, 6};
    static const std::vector<int> dashDotDot{9, 3, 3, 3, 3, 3};
    switch (style) {
    case psDash: return dash;
    case psDot: return dot;
    case psDashDot: return dashDot;
    case psDashDotDot: return dashDotDot;
    default: return solid;
    }
}

// Whether DashPattern(style) has dashes, asked of every line without finding the pattern.
bool IsDashed(TPenStyle style)
{
    return style == psDash || style == psDot || style == psDashDot || style == psDashDotDot;
}

// The part of the segment from a to b inside `area` as parameters 0 <= t0 <= t1 <= 1 of the
// segment (Liang-Barsky); false when the segment misses the area.
bool ClipSegment(TPoint a, TPoint b, const QRect& area, double& t0, double& t1)
{
    t0 = 0;
    t1 = 1;
    const double dx = double(b.X) - a.X, dy = double(b.Y) - a.Y;
    // Each edge as p * t <= q: left, right, top, bottom.
    const double p[4] = {-dx, dx, -dy, dy};
    const double q[4] = {double(a.X) - area.left(), double(area.right()) - a.X, double(a.Y) - area.top(),
                         double(area.bottom()) - a.Y};
    for (int i = 0; i < 4; ++i) {
        if (p[i] == 0) {
            if (q[i] < 0)
                return false;
            continue;
        }
        const double t = q[i] / p[i];
        if (p[i] < 0)
            t0 = std::max(t0, t);
        else
            t1 = std::min(t1, t);
    }
    return t0 <= t1;
}

TPoint PointAt(TPoint a, TPoint b, double t)
{
    return {int(std::lround(a.X + t * (double(b.X) - a.X))), int(std::lround(a.Y + t * (double(b.Y) - a.Y)))};
}

// Whether the pixel at `position` along a line is on in the dash pattern.
bool DashOn(const std::vector<int>& pattern, int cycle, std::int64_t position)
{
    int p = int(position % cycle);
    size_t i = 0;
    while (p >= pattern[i]) {
        p -= pattern[i];
        ++i;
    }
    return i % 2 == 0;
}

// Calls plot(x, y, on) for the pixels of a one-pixel polyline, `on` telling a dash from a
// gap: every segment leaves out its end point, so inner vertices are drawn once and the final
// point not at all; a closed outline returns to its start. The dash pattern starts afresh
// with every call.
// Only the pixels inside `area` matter, so each segment is first cut to it (with a margin,
// so that rounding the cut ends cannot move a visible pixel): far-off points would
// otherwise overflow the steps or trace a billion pixels nobody sees. The dash pattern
// keeps the phase the whole segment would have given it.
template <typename Plot>
void TracePolyline(const TPoint* points, size_t count, bool closed, TPenStyle style, QRect area, Plot&& plot)
{
    if (count == 0)
        return;
    const size_t ends = count + (closed ? 1 : 0);
    area.adjust(-2, -2, 2, 2);
    const std::vector<int>& pattern = DashPattern(style);
    int cycle = 0;
    for (int n : pattern)
        cycle += n;
    std::int64_t position = 0;
    for (size_t i = 0; i + 1 < ends; ++i) {
        const TPoint from = points[i], to = points[(i + 1) % count];
        const std::int64_t steps =
            std::max(std::abs(std::int64_t(to.X) - from.X), std::abs(std::int64_t(to.Y) - from.Y));
        const std::int64_t segmentEnd = position + steps;
        double t0, t1;
        if (steps == 0 || !ClipSegment(from, to, area, t0, t1)) {
            position = segmentEnd;
            continue;
        }
        const TPoint a = t0 > 0 ? PointAt(from, to, t0) : from;
        const TPoint b = t1 < 1 ? PointAt(from, to, t1) : to;
        position += std::int64_t(std::llround(t0 * double(steps)));
        int x = a.X, y = a.Y;
        const int dx = std::abs(b.X - x), dy = std::abs(b.Y - y);
        const int sx = x < b.X ? 1 : -1, sy = y < b.Y ? 1 : -1;
        int err = dx - dy;
        for (int step = std::max(dx, dy); step > 0; --step) {
            plot(x, y, cycle == 0 || DashOn(pattern, cycle, position));
            ++position;
            const int e2 = 2 * err;
            if (e2 > -dy) {
                err -= dy;
                x += sx;
            }
            if (e2 < dx) {
                err += dx;
                y += sy;
            }
        }
        position = segmentEnd;
    }
}

bool HatchBit(TBrushStyle style, int x, int y)
{
    const bool horizontal = y == 7;
    const bool vertical = x == 7;
    const bool forward = x == y;       // top-left to bottom-right
    const bool backward = x + y == 7;  // bottom-left to top-right
    switch (style) {
    case bsHorizontal: return horizontal;
    case bsVertical: return vertical;
    case bsFDiagonal: return forward;
    case bsBDiagonal: return backward;
    case bsCross: return horizontal || vertical;
    case bsDiagCross: return forward || backward;
    default: return true;
    }
}

QImage HatchImage(TBrushStyle style, TColor color, int scale)
{
    scale = std::clamp(scale, 1, kMaxHatchScale);
    QImage image(8 * scale, 8 * scale, QImage::Format_ARGB32);
    image.fill(Qt::transparent);
    const QRgb rgb = ToQColor(color).rgb();
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (HatchBit(style, x / scale, y / scale))
                image.setPixel(x, y, rgb);
    return image;
}

QRect ToQRect(const TRect& r) { return QRect(r.Left, r.Top, r.Width(), r.Height()); }

TRect Normalized(TRect r)
{
    if (r.Right < r.Left)
        std::swap(r.Left, r.Right);
    if (r.Bottom < r.Top)
        std::swap(r.Top, r.Bottom);
    return r;
}

using Shape = std::function<void(QPainter&)>;

// Fills a shape with the brush; hatch gaps take the background colour in opaque mode.
void FillShape(QPainter& p, const TCanvasState& s, const Shape& shape)
{
    if (s.Brush.Style == bsClear)
        return;
    p.setPen(Qt::NoPen);
    if (s.Brush.Style == bsSolid) {
        p.setBrush(ToQColor(s.Brush.Color));
        shape(p);
        return;
    }
    if (s.BkMode == bkOpaque) {
        p.setBrush(ToQColor(s.BkColor));
        shape(p);
    }
    p.setBrushOrigin(0, 0);
    p.setBrush(QBrush(HatchImage(s.Brush.Style, s.Brush.Color, s.HatchScale)));
    shape(p);
}

bool IsWide(const TPenData& pen) { return pen.Width > 1 && pen.Style != psClear; }

QPen WidePen(const TPenData& pen)
{
    return QPen(ToQColor(pen.Color), pen.Width, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin);
}

// Whether the image keeps an opaque colour as the plain 32-bit word, so that drawing can
// write the words itself.
bool HoldsPlainWords(const QImage& image)
{
    const QImage::Format format = image.format();
    return format == QImage::Format_RGB32 || format == QImage::Format_ARGB32 ||
           format == QImage::Format_ARGB32_Premultiplied;
}

// Sets pixels straight into an image of plain words, the pixels outside the image or the
// clip left alone: lines and points set a great many pixels, and QImage::setPixel checks and
// converts each of them; small pictures are drawn many times a paint, and a painter costs
// more to set up than they take to copy.
class TPixelWriter {
public:
    TPixelWriter(QImage& image, const TCanvasState& s)
        : m_bits(image.bits()), m_stride(image.bytesPerLine()), m_box{0, 0, image.width(), image.height()}
    {
        if (!s.Clipped)
            return;
        const std::vector<TRect>& rects = s.Clip.Rects();
        // A clip of one rectangle is its box; only a clip of several needs a look per pixel.
        if (rects.size() == 1)
            Limit(rects.front());
        else
            Limit(s.Clip.GetRgnBox());
        if (rects.size() > 1)
            m_region = &s.Clip;
    }

    // Leaves out the pixels outside r as well (an empty box leaves out every pixel).
    void Limit(const TRect& r)
    {
        m_box = {std::max(m_box.Left, r.Left), std::max(m_box.Top, r.Top), std::min(m_box.Right, r.Right),
                 std::min(m_box.Bottom, r.Bottom)};
    }

    void Put(int x, int y, QRgb rgb)
    {
        if (x >= m_box.Left && x < m_box.Right && y >= m_box.Top && y < m_box.Bottom &&
            (!m_region || m_region->PtInRegion(x, y)))
            Row(y)[x] = rgb;
    }

    // The pixels of a rectangle, in 64 bits: its edges may lie anywhere.
    void Fill(long long left, long long top, long long right, long long bottom, QRgb rgb)
    {
        ForEachPart(left, top, right, bottom, [&](int x0, int y0, int x1, int y1) {
            // A trace of many points is mostly short columns: one word a row.
            if (x1 - x0 == 1) {
                for (int y = y0; y < y1; ++y)
                    Row(y)[x0] = rgb;
                return;
            }
            for (int y = y0; y < y1; ++y)
                std::fill(Row(y) + x0, Row(y) + x1, rgb);
        });
    }

    // An image of plain words with its top-left at (x, y), the pixels of `key` left out when
    // `keyed`.
    void Copy(const QImage& source, int x, int y, bool keyed, QRgb key)
    {
        const long long left = x, top = y;
        ForEachPart(left, top, left + source.width(), top + source.height(), [&](int x0, int y0, int x1, int y1) {
            for (int row = y0; row < y1; ++row) {
                const QRgb* from = reinterpret_cast<const QRgb*>(source.constScanLine(int(row - top))) + (x0 - left);
                QRgb* to = Row(row) + x0;
                for (int n = x1 - x0; n > 0; --n, ++from, ++to)
                    if (!keyed || (*from & 0xFFFFFF) != key)
                        *to = *from;
            }
        });
    }

private:
    uchar* m_bits;
    qsizetype m_stride;
    TRect m_box;
    const TRegion* m_region = nullptr;

    QRgb* Row(int y) const { return reinterpret_cast<QRgb*>(m_bits + y * m_stride); }

    // Calls part(x0, y0, x1, y1) for each non-empty part of the rectangle that can be drawn.
    template <typename Part>
    void ForEachPart(long long left, long long top, long long right, long long bottom, Part&& part)
    {
        auto within = [&](const TRect& bounds) {
            const int x0 = int(std::max<long long>({left, bounds.Left, m_box.Left}));
            const int x1 = int(std::min<long long>({right, bounds.Right, m_box.Right}));
            const int y0 = int(std::max<long long>({top, bounds.Top, m_box.Top}));
            const int y1 = int(std::min<long long>({bottom, bounds.Bottom, m_box.Bottom}));
            if (x0 < x1 && y0 < y1)
                part(x0, y0, x1, y1);
        };
        if (!m_region)
            return within(m_box);
        for (const TRect& r : m_region->Rects())
            within(r);
    }
};

class QtCanvasDevice final : public TCanvasDevice {
public:
    QtCanvasDevice(QImage* image, QPainter* painter, TPainterTarget target)
        : m_image(image), m_painter(painter), m_target(target)
    {
    }

    void Draw(const TCanvasRecord& r) override
    {
        const bool needsPoint = r.Op == TCanvasOp::Pixel || r.Op == TCanvasOp::Text;
        if ((needsPoint && r.Points.empty()) || (r.Op == TCanvasOp::Image && !r.Image))
            return;
        switch (r.Op) {
        case TCanvasOp::Polyline: return DrawPolyline(r.State, r.Points, r.Closed);
        case TCanvasOp::Polygon: return DrawPolygon(r);
        case TCanvasOp::Rectangle: return DrawRectangle(r.State, Normalized(r.Rect));
        case TCanvasOp::Ellipse: return DrawEllipse(r.State, Normalized(r.Rect));
        case TCanvasOp::FillRect: return FillRect(r.State, r.Rect);
        case TCanvasOp::Pixel: return DrawPixels(r.State, {QPoint(r.Points[0].X, r.Points[0].Y)}, r.Color, false);
        case TCanvasOp::Text: return DrawText(r);
        case TCanvasOp::Image: return DrawImage(r);
        case TCanvasOp::FocusRect: return DrawFocusRect(r);
        case TCanvasOp::InvertRect: return InvertRect(r);
        }
    }

    bool IsVisible(int x, int y) override
    {
        if (m_image)
            return m_image->valid(x, y);
        const QRect device(0, 0, m_painter->device()->width(), m_painter->device()->height());
        const QPoint p = m_painter->transform().map(QPoint(x, y));
        if (!device.contains(p))
            return false;
        return !m_painter->hasClipping() || m_painter->clipRegion().contains(QPoint(x, y));
    }

    TColor GetPixel(int x, int y) override
    {
        if (!m_image || !m_image->valid(x, y))
            return clBlack;
        return FromQRgb(m_image->pixel(x, y));
    }

private:
    QImage* m_image;
    QPainter* m_painter;
    TPainterTarget m_target;

    // The device in drawing coordinates.
    QRect DrawingArea() const
    {
        if (m_image)
            return m_image->rect();
        const QRect device(0, 0, m_painter->device()->width(), m_painter->device()->height());
        bool invertible = false;
        const QTransform toDrawing = m_painter->transform().inverted(&invertible);
        return invertible ? toDrawing.mapRect(device) : device;
    }

    void Paint(const TCanvasState& s, const Shape& draw)
    {
        if (m_painter) {
            m_painter->save();
            Setup(*m_painter, s);
            draw(*m_painter);
            m_painter->restore();
            return;
        }
        if (m_image->isNull())
            return;
        QPainter p(m_image);
        Setup(p, s);
        draw(p);
    }

    static void Setup(QPainter& p, const TCanvasState& s)
    {
        p.setRenderHint(QPainter::Antialiasing, false);
        p.setRenderHint(QPainter::TextAntialiasing, false);
        p.setRenderHint(QPainter::SmoothPixmapTransform, false);
        p.setBackgroundMode(s.BkMode == bkOpaque ? Qt::OpaqueMode : Qt::TransparentMode);
        p.setBackground(ToQColor(s.BkColor));
        if (s.Clipped)
            p.setClipRegion(ToQRegion(s.Clip), p.hasClipping() ? Qt::IntersectClip : Qt::ReplaceClip);
    }

    // Exact pixels: straight into the image, or with the painter (XOR through a raster
    // operation) when drawing on a foreign device.
    void DrawPixels(const TCanvasState& s, const QVector<QPoint>& points, TColor color, bool exclusiveOr)
    {
        if (points.isEmpty())
            return;
        if (m_image && !exclusiveOr && HoldsPlainWords(*m_image)) {
            TPixelWriter writer(*m_image, s);
            const QRgb rgb = ToQRgb(color);
            for (const QPoint& pt : points)
                writer.Put(pt.x(), pt.y(), rgb);
            return;
        }
        if (m_image) {
            const QRgb rgb = ToQRgb(color);
            for (const QPoint& pt : points) {
                if (!m_image->valid(pt) || (s.Clipped && !s.Clip.PtInRegion(pt.x(), pt.y())))
                    continue;
                const QRgb old = m_image->pixel(pt);
                m_image->setPixel(pt, exclusiveOr ? (0xFF000000u | ((old ^ rgb) & 0xFFFFFFu)) : rgb);
            }
            return;
        }
        Paint(s, [&](QPainter& p) {
            if (exclusiveOr)
                p.setCompositionMode(QPainter::RasterOp_SourceXorDestination);
            p.setPen(QPen(ToQColor(color), 0));
            p.drawPoints(points.data(), int(points.size()));
        });
    }

    void DrawPolyline(const TCanvasState& s, const std::vector<TPoint>& points, bool closed)
    {
        if (s.Pen.Style == psClear || points.empty())
            return;
        if (IsWide(s.Pen)) {
            Paint(s, [&](QPainter& p) {
                QPolygon polygon;
                for (const TPoint& pt : points)
                    polygon << QPoint(pt.X, pt.Y);
                p.setPen(WidePen(s.Pen));
                p.setBrush(Qt::NoBrush);
                if (closed)
                    p.drawPolygon(polygon);
                else
                    p.drawPolyline(polygon);
            });
            return;
        }
        const bool dashed = IsDashed(s.Pen.Style);
        const bool direct = m_image && HoldsPlainWords(*m_image);
        if (direct && !dashed)
            return PutSolidPolyline(s, points, closed);
        // Gaps first, then dashes: where the line crosses itself a dash covers a gap.
        const bool gaps = dashed && s.BkMode == bkOpaque;
        if (direct) {
            for (const bool dashes : {false, true}) {
                if (!dashes && !gaps)
                    continue;
                TPixelWriter writer(*m_image, s);
                const QRgb rgb = ToQRgb(dashes ? s.Pen.Color : s.BkColor);
                TracePolyline(points.data(), points.size(), closed, s.Pen.Style, m_image->rect(),
                              [&](int x, int y, bool on) {
                                  if (on == dashes)
                                      writer.Put(x, y, rgb);
                              });
            }
            return;
        }
        QVector<QPoint> on, off;
        TracePolyline(points.data(), points.size(), closed, s.Pen.Style, DrawingArea(),
                      [&](int x, int y, bool dash) { (dash ? on : off).append(QPoint(x, y)); });
        if (gaps)
            DrawPixels(s, off, s.BkColor, false);
        DrawPixels(s, on, s.Pen.Color, false);
    }

    void FillRect(const TCanvasState& s, const TRect& r)
    {
        // A solid brush on a picture fills the words itself: panels, buttons and the
        // background are filled every paint, and a painter costs more to set up than most of
        // them take to fill.
        if (m_image && HoldsPlainWords(*m_image) && s.Brush.Style == bsSolid && r.Right >= r.Left &&
            r.Bottom >= r.Top) {
            TPixelWriter(*m_image, s).Fill(r.Left, r.Top, r.Right, r.Bottom, ToQRgb(s.Brush.Color));
            return;
        }
        Paint(s, [&](QPainter& p) { FillShape(p, s, [&](QPainter& q) { q.drawRect(ToQRect(r)); }); });
    }

    // A solid one-pixel polyline straight into the picture, segment by segment: a trace is
    // thousands of short lines a frame, and most of a dense one are columns. A segment along
    // a row or a column is a run, from its start up to but not including its end, as the
    // traced line sets it.
    void PutSolidPolyline(const TCanvasState& s, const std::vector<TPoint>& points, bool closed)
    {
        TPixelWriter writer(*m_image, s);
        const QRgb rgb = ToQRgb(s.Pen.Color);
        const QRect area = m_image->rect();
        const size_t ends = points.size() + (closed ? 1 : 0);
        for (size_t i = 0; i + 1 < ends; ++i) {
            const TPoint segment[2] = {points[i], points[(i + 1) % points.size()]};
            const TPoint from = segment[0], to = segment[1];
            if (from.X != to.X && from.Y != to.Y) {
                TracePolyline(segment, 2, false, psSolid, area, [&](int x, int y, bool) { writer.Put(x, y, rgb); });
                continue;
            }
            // The run as a rectangle, in 64 bits: the ends may lie anywhere.
            const auto span = [](long long a, long long b) {
                return a <= b ? std::pair{a, b} : std::pair{b + 1, a + 1};
            };
            if (from.Y == to.Y) {
                const auto [left, right] = span(from.X, to.X);
                writer.Fill(left, from.Y, right, from.Y + 1LL, rgb);
            } else {
                const auto [top, bottom] = span(from.Y, to.Y);
                writer.Fill(from.X, top, from.X + 1LL, bottom, rgb);
            }
        }
    }

    void DrawPolygon(const TCanvasRecord& r)
    {
        Paint(r.State, [&](QPainter& p) {
            QPolygon polygon;
            for (const TPoint& pt : r.Points)
                polygon << QPoint(pt.X, pt.Y);
            FillShape(p, r.State, [&](QPainter& q) { q.drawPolygon(polygon, Qt::OddEvenFill); });
        });
        DrawPolyline(r.State, r.Points, true);
    }

    void DrawRectangle(const TCanvasState& s, const TRect& r)
    {
        if (r.Width() < 1 || r.Height() < 1)
            return;
        const TRect inside{r.Left, r.Top, r.Right - 1, r.Bottom - 1};
        Paint(s, [&](QPainter& p) { FillShape(p, s, [&](QPainter& q) { q.drawRect(ToQRect(inside)); }); });
        if (s.Pen.Style == psClear)
            return;
        if (!IsWide(s.Pen)) {
            DrawPolyline(
                s, {{r.Left, r.Top}, {r.Right - 1, r.Top}, {r.Right - 1, r.Bottom - 1}, {r.Left, r.Bottom - 1}}, true);
            return;
        }
        const double inset = s.Pen.Width / 2.0;
        Paint(s, [&](QPainter& p) {
            p.setPen(WidePen(s.Pen));
            p.setBrush(Qt::NoBrush);
            p.drawRect(s.Pen.Style == psInsideFrame
                           ? QRectF(r.Left + inset, r.Top + inset, r.Width() - 2 * inset, r.Height() - 2 * inset)
                           : QRectF(r.Left, r.Top, r.Width() - 1, r.Height() - 1));
        });
    }

    void DrawEllipse(const TCanvasState& s, const TRect& r)
    {
        if (r.Width() < 2 || r.Height() < 2)
            return;
        // Pixel centres on the path: the outline touches the first and last column and row.
        const QRectF box(r.Left + 0.5, r.Top + 0.5, r.Width() - 1, r.Height() - 1);
        Paint(s, [&](QPainter& p) {
            FillShape(p, s, [&](QPainter& q) { q.drawEllipse(box); });
            if (s.Pen.Style == psClear)
                return;
            p.setBrush(Qt::NoBrush);
            if (IsWide(s.Pen)) {
                const double inset = s.Pen.Style == psInsideFrame ? s.Pen.Width / 2.0 : 0.0;
                p.setPen(WidePen(s.Pen));
                p.drawEllipse(box.adjusted(inset - 0.5, inset - 0.5, 0.5 - inset, 0.5 - inset));
                return;
            }
            QPen pen(ToQColor(s.Pen.Color), 0);
            const std::vector<int>& pattern = DashPattern(s.Pen.Style);
            if (!pattern.empty())
                pen.setDashPattern(QVector<qreal>(pattern.begin(), pattern.end()));
            p.setPen(pen);
            p.drawEllipse(box);
        });
    }

    void DrawText(const TCanvasRecord& r)
    {
        const TCanvasState& s = r.State;
        const CachedFont& cached = FontFor(s.Font);
        // Unrotated text in a picture of plain words is put together from the runs it set
        // the first time; a box given the wrong way round is left to the painter's rules.
        if (m_image && HoldsPlainWords(*m_image) && s.Font.Escapement == 0 &&
            (r.Options == 0 || (r.Rect.Right >= r.Rect.Left && r.Rect.Bottom >= r.Rect.Top))) {
            const TextPicture& picture = TextPictureFor(cached, r.Text, s.BkMode == bkOpaque);
            if (picture.Exact)
                return PutTextPicture(r, picture);
        }
        Paint(s, [&](QPainter& p) {
            const QRect box = ToQRect(r.Rect);
            if (r.Options & kTextClipped)
                p.setClipRect(box, p.hasClipping() ? Qt::IntersectClip : Qt::ReplaceClip);
            if (r.Options & kTextOpaque)
                p.fillRect(box, ToQColor(s.BkColor));
            const QString text = QString::fromStdU16String(Win1252ToUtf16(r.Text));
            p.translate(r.Points[0].X, r.Points[0].Y);
            p.rotate(-double(s.Font.Escapement) / 10.0);  // -INT_MIN does not exist as an int
            if (s.BkMode == bkOpaque)
                p.fillRect(QRect(0, 0, cached.Metrics.horizontalAdvance(text), cached.Ascent + cached.Descent),
                           ToQColor(s.BkColor));
            p.setFont(cached.Font);
            p.setPen(ToQColor(s.Font.Color));
            p.drawText(QPoint(0, cached.Ascent), text);
        });
    }

    void PutTextPicture(const TCanvasRecord& r, const TextPicture& picture)
    {
        const TCanvasState& s = r.State;
        TPixelWriter writer(*m_image, s);
        if (r.Options & kTextClipped)
            writer.Limit(r.Rect);
        const QRgb ink = ToQRgb(s.Font.Color), background = ToQRgb(s.BkColor);
        if (r.Options & kTextOpaque)
            writer.Fill(r.Rect.Left, r.Rect.Top, r.Rect.Right, r.Rect.Bottom, background);
        const long long x = r.Points[0].X, y = r.Points[0].Y;
        for (const TextRun& run : picture.Runs)
            writer.Fill(x + run.Left, y + run.Y, x + run.Right, y + run.Y + 1, run.Ink ? ink : background);
    }

    void DrawImage(const TCanvasRecord& r)
    {
        const QImage& image = BitmapAccess::Image(*r.Image);
        const TRect box = Normalized(r.Rect);
        // A picture drawn at its own size onto a picture is copied word for word.
        if (m_image && HoldsPlainWords(*m_image) && image.format() == QImage::Format_RGB32 &&
            box.Right - (long long)box.Left == image.width() && box.Bottom - (long long)box.Top == image.height()) {
            TPixelWriter(*m_image, r.State).Copy(image, box.Left, box.Top, r.Transparent, ToQRgb(r.Color) & 0xFFFFFF);
            return;
        }
        const QImage source = r.Transparent ? KeyToAlpha(image, r.Color) : image;
        Paint(r.State, [&](QPainter& p) { p.drawImage(ToQRect(Normalized(r.Rect)), source); });
    }

    // The outline's pixels that lie on the device, each once: a frame far larger than the
    // device costs no more than the device's own edge.
    QVector<QPoint> FrameOutline(const TRect& r) const
    {
        QVector<QPoint> points;
        if (r.Right <= r.Left || r.Bottom <= r.Top)
            return points;
        const QRect area = DrawingArea();
        const int x0 = std::max(r.Left, area.left()), x1 = std::min(r.Right, area.right() + 1);
        const int y0 = std::max(r.Top + 1, area.top()), y1 = std::min(r.Bottom - 1, area.bottom() + 1);
        for (int y : {r.Top, r.Bottom - 1}) {
            if (y >= area.top() && y <= area.bottom())
                for (int x = x0; x < x1; ++x)
                    points.append(QPoint(x, y));
            if (r.Bottom - 1 == r.Top)
                break;
        }
        for (int x : {r.Left, r.Right - 1}) {
            if (x >= area.left() && x <= area.right())
                for (int y = y0; y < y1; ++y)
                    points.append(QPoint(x, y));
            if (r.Right - 1 == r.Left)
                break;
        }
        return points;
    }

    void DrawFocusRect(const TCanvasRecord& r)
    {
        const TRect box = Normalized(r.Rect);
        if (m_target == TPainterTarget::Printer) {
            TCanvasState s = r.State;
            s.Pen = {s.Font.Color, 1, psDot};
            s.BkMode = bkTransparent;
            DrawPolyline(s,
                         {{box.Left, box.Top},
                          {box.Right - 1, box.Top},
                          {box.Right - 1, box.Bottom - 1},
                          {box.Left, box.Bottom - 1}},
                         true);
            return;
        }
        QVector<QPoint> points = FrameOutline(box);
        points.erase(
            std::remove_if(points.begin(), points.end(), [](const QPoint& pt) { return (pt.x() + pt.y()) % 2 != 0; }),
            points.end());
        DrawPixels(r.State, points, r.Color, true);
    }

    void InvertRect(const TCanvasRecord& r)
    {
        if (m_target == TPainterTarget::Printer)
            return;
        const TRect box = Normalized(r.Rect);
        if (m_image) {
            const TCanvasState& s = r.State;
            for (int y = std::max(box.Top, 0); y < std::min(box.Bottom, m_image->height()); ++y) {
                QRgb* line = reinterpret_cast<QRgb*>(m_image->scanLine(y));
                for (int x = std::max(box.Left, 0); x < std::min(box.Right, m_image->width()); ++x)
                    if (!s.Clipped || s.Clip.PtInRegion(x, y))
                        line[x] ^= 0xFFFFFF;
            }
            return;
        }
        // Only the part on the device: the points of a larger box would never be drawn.
        const QRect area = DrawingArea();
        QVector<QPoint> points;
        for (int y = std::max(box.Top, area.top()); y < std::min(box.Bottom, area.bottom() + 1); ++y)
            for (int x = std::max(box.Left, area.left()); x < std::min(box.Right, area.right() + 1); ++x)
                points.append(QPoint(x, y));
        DrawPixels(r.State, points, clWhite, true);
    }
};

}  // namespace

std::unique_ptr<TCanvas> CreatePainterCanvas(QPainter& painter, TPainterTarget target)
{
    return std::make_unique<TCanvas>(std::make_unique<QtCanvasDevice>(nullptr, &painter, target));
}

std::unique_ptr<TCanvasDevice> CreateImageDevice(QImage& image)
{
    return std::make_unique<QtCanvasDevice>(&image, nullptr, TPainterTarget::Screen);
}
