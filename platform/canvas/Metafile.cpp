#include "platform/canvas/Metafile.h"

#include "platform/canvas/Bitmap.h"
#include "platform/canvas/CanvasDevice_p.h"
#include "platform/canvas/QtCanvas_p.h"
#include "platform/canvas/SystemColors.h"
#include "platform/core/Exceptions.h"
#include "platform/core/StrUtils.h"
#include "platform/core/Streams.h"

#include <QFontMetrics>

#include <uemf_safe.h>

#include <algorithm>
#include <cmath>
#include <cstring>
#include <map>
#include <optional>

// ---------------------------------------------------------------------------------------
// Display list

void TMetafile::SetDescription(const std::string& creator, const std::string& description)
{
    m_creator = creator;
    m_description = description;
}

void TMetafile::Clear() { m_records.clear(); }

void TMetafile::Assign(const TMetafile& source)
{
    if (&source != this)
        *this = source;
}

namespace {

// Coordinates of rectangles read from a file and of everything played are held within this
// bound, so that no width, height or sum of a coordinate and an extent overflows an int.
// It lies far beyond any device: nothing that can be seen changes.
constexpr int kCoordinateLimit = (1 << 30) - 1;

int ClampCoordinate(double v)
{
    if (std::isnan(v))
        return 0;
    return int(std::clamp(v, double(-kCoordinateLimit), double(kCoordinateLimit)));
}

class MetafileDevice final : public TCanvasDevice {
public:
    explicit MetafileDevice(std::vector<TCanvasRecord>& records) : m_records(records) {}
    void Draw(const TCanvasRecord& record) override { m_records.push_back(record); }

private:
    std::vector<TCanvasRecord>& m_records;
};

struct Scaler {
    double Sx, Sy;
    int Dx, Dy;
    int X(int x) const { return ClampCoordinate(Dx + std::nearbyint(x * Sx)); }
    int Y(int y) const { return ClampCoordinate(Dy + std::nearbyint(y * Sy)); }
    TPoint Point(TPoint p) const { return {X(p.X), Y(p.Y)}; }
    TRect Rect(const TRect& r) const { return {X(r.Left), Y(r.Top), X(r.Right), Y(r.Bottom)}; }
    int Length(int n) const { return ClampCoordinate(std::nearbyint(n * (Sx + Sy) / 2)); }
};

TCanvasRecord Scaled(TCanvasRecord r, const Scaler& s)
{
    for (TPoint& p : r.Points)
        p = s.Point(p);
    r.Rect = s.Rect(r.Rect);
    TCanvasState& state = r.State;
    if (state.Pen.Width > 0)
        state.Pen.Width = std::max(1, s.Length(state.Pen.Width));
    state.Font.Height = ClampCoordinate(std::nearbyint(state.Font.Height * s.Sy));
    if (state.Font.Height == 0)
        state.Font.Height = -1;
    state.HatchScale = std::clamp(s.Length(state.HatchScale), 1, kMaxHatchScale);
    if (state.Clipped) {
        std::vector<TRect> rects;
        for (const TRect& c : state.Clip.Rects())
            rects.push_back(s.Rect(c));
        state.Clip = TRegion::FromRects(std::move(rects));
    }
    return r;
}

}  // namespace

void TMetafile::Play(TCanvas& canvas, const TRect& r) const
{
    if (m_width <= 0 || m_height <= 0)
        return;
    const Scaler scaler{double(r.Width()) / m_width, double(r.Height()) / m_height, r.Left, r.Top};
    // The picture ends at r as the recorded control ended at its edge: what was drawn past its
    // extent (a toolbar wider than its plot) stays hidden however small the picture is played.
    const TRegion frame = TRegion::FromRects({TRect{std::min(r.Left, r.Right), std::min(r.Top, r.Bottom),
                                                    std::max(r.Left, r.Right), std::max(r.Top, r.Bottom)}});
    for (const TCanvasRecord& record : m_records) {
        TCanvasRecord played = Scaled(record, scaler);
        TCanvasState& state = played.State;
        state.Clip = state.Clipped ? state.Clip.Intersected(frame) : frame;
        state.Clipped = true;
        canvas.PlayRecord(std::move(played));
    }
}

TMetafileCanvas::TMetafileCanvas(TMetafile& metafile, const std::string& creator, const std::string& description)
    : TCanvas(std::make_unique<MetafileDevice>(metafile.m_records))
{
    metafile.Clear();
    metafile.SetDescription(creator, description);
}

// ---------------------------------------------------------------------------------------
// Enhanced metafile records

namespace {

enum : std::uint32_t {
    EMR_HEADER = 1,
    EMR_POLYGON = 3,
    EMR_POLYLINE = 4,
    EMR_EOF = 14,
    EMR_SETPIXELV = 15,
    EMR_SETBKMODE = 18,
    EMR_SETPOLYFILLMODE = 19,
    EMR_SETTEXTALIGN = 22,
    EMR_SETTEXTCOLOR = 24,
    EMR_SETBKCOLOR = 25,
    EMR_MOVETOEX = 27,
    EMR_INTERSECTCLIPRECT = 30,
    EMR_SAVEDC = 33,
    EMR_RESTOREDC = 34,
    EMR_SELECTOBJECT = 37,
    EMR_CREATEPEN = 38,
    EMR_CREATEBRUSHINDIRECT = 39,
    EMR_DELETEOBJECT = 40,
    EMR_ELLIPSE = 42,
    EMR_RECTANGLE = 43,
    EMR_LINETO = 54,
    EMR_INVERTRGN = 73,
    EMR_EXTSELECTCLIPRGN = 75,
    EMR_STRETCHDIBITS = 81,
    EMR_EXTCREATEFONTINDIRECTW = 82,
    EMR_EXTTEXTOUTW = 84,
    EMR_POLYGON16 = 86,
    EMR_POLYLINE16 = 87,
    EMR_ALPHABLEND = 114,
};

constexpr std::uint32_t kSignature = 0x464D4520;  // " EMF"
constexpr std::uint32_t kStockObject = 0x80000000;
constexpr std::uint32_t kNullBrush = 0x80000005;
constexpr std::uint32_t kBlackPen = 0x80000007;
constexpr std::uint32_t kSystemFont = 0x8000000D;
constexpr std::uint32_t kRgnCopy = 5;
constexpr std::uint32_t kSrcCopy = 0x00CC0020;
constexpr std::uint32_t kEtoOpaque = 2;
constexpr std::uint32_t kEtoClipped = 4;
constexpr std::uint32_t kPenNull = 5;
constexpr std::uint32_t kBrushSolid = 0, kBrushNull = 1, kBrushHatched = 2;
constexpr std::uint32_t kHeaderSize = 108;
// Reference device: a 96-dpi screen of 1920 x 1080 pixels.
constexpr int kDeviceWidth = 1920, kDeviceHeight = 1080;
constexpr double kHundredthsMmPerPixel = 2540.0 / 96.0;
// Object table slots: two each for pen, brush and font, alternating so that the new
// object is selected before the old one is deleted.
constexpr std::uint32_t kHandles = 7;

class Writer {
public:
    TBytes Bytes;
    std::uint32_t Records = 0;

    size_t Begin(std::uint32_t type)
    {
        const size_t at = Bytes.size();
        U32(type);
        U32(0);
        return at;
    }
    void End(size_t at)
    {
        while (Bytes.size() % 4)
            Bytes.push_back(0);
        Patch(at + 4, std::uint32_t(Bytes.size() - at));
        ++Records;
    }
    void Record(std::uint32_t type, std::initializer_list<std::uint32_t> values)
    {
        const size_t at = Begin(type);
        for (std::uint32_t v : values)
            U32(v);
        End(at);
    }
    void U8(std::uint8_t v) { Bytes.push_back(v); }
    void U16(std::uint16_t v) { U8(std::uint8_t(v)), U8(std::uint8_t(v >> 8)); }
    void U32(std::uint32_t v) { U16(std::uint16_t(v)), U16(std::uint16_t(v >> 16)); }
    void I32(int v) { U32(std::uint32_t(v)); }
    void F32(float f)
    {
        std::uint32_t v;
        std::memcpy(&v, &f, 4);
        U32(v);
    }
    void Rect(const TRect& r) { I32(r.Left), I32(r.Top), I32(r.Right), I32(r.Bottom); }
    void Point(TPoint p) { I32(p.X), I32(p.Y); }
    void Color(TColor c) { U32(std::uint32_t(ColorToRGB(c))); }
    void Patch(size_t at, std::uint32_t v)
    {
        for (int i = 0; i < 4; ++i)
            Bytes[at + size_t(i)] = std::uint8_t(v >> (8 * i));
    }
};

TRect Inclusive(const TRect& r) { return {r.Left, r.Top, r.Right - 1, r.Bottom - 1}; }

TRect PointsBounds(const std::vector<TPoint>& points)
{
    TRect b{points[0].X, points[0].Y, points[0].X, points[0].Y};
    for (const TPoint& p : points) {
        b.Left = std::min(b.Left, p.X), b.Top = std::min(b.Top, p.Y);
        b.Right = std::max(b.Right, p.X), b.Bottom = std::max(b.Bottom, p.Y);
    }
    return b;
}

void RegionData(Writer& w, const TRegion& region)
{
    const std::vector<TRect>& rects = region.Rects();
    w.U32(32);
    w.U32(1);
    w.U32(std::uint32_t(rects.size()));
    w.U32(std::uint32_t(rects.size() * 16));
    w.Rect(region.GetRgnBox());
    for (const TRect& r : rects)
        w.Rect(r);
}

// Bottom-up DIB of the picture: 24-bit, or 32-bit premultiplied with the transparent
// colour at alpha 0.
void DibBits(Writer& w, const TBitmap& bitmap, bool alpha, TColor key)
{
    const QImage& image = BitmapAccess::Image(bitmap);
    const QRgb keyRgb = ToQColor(key).rgb() & 0xFFFFFF;
    for (int y = image.height() - 1; y >= 0; --y) {
        const QRgb* line = reinterpret_cast<const QRgb*>(image.constScanLine(y));
        size_t written = 0;
        for (int x = 0; x < image.width(); ++x) {
            const QRgb p = line[x];
            if (alpha) {
                const bool clear = (p & 0xFFFFFF) == keyRgb;
                w.U32(clear ? 0 : (0xFF000000u | (p & 0xFFFFFF)));
                written += 4;
            } else {
                w.U8(std::uint8_t(qBlue(p))), w.U8(std::uint8_t(qGreen(p))), w.U8(std::uint8_t(qRed(p)));
                written += 3;
            }
        }
        while (written % 4)
            w.U8(0), ++written;
    }
}

void BitmapInfoHeader(Writer& w, int width, int height, int bits, std::uint32_t imageSize)
{
    w.U32(40), w.I32(width), w.I32(height), w.U16(1), w.U16(std::uint16_t(bits)), w.U32(0), w.U32(imageSize);
    w.I32(3780), w.I32(3780), w.U32(0), w.U32(0);
}

class EmfEncoder {
public:
    explicit EmfEncoder(Writer& w) : m_w(w) {}

    void Begin()
    {
        m_w.Record(EMR_SAVEDC, {});
        m_w.Record(EMR_SETTEXTALIGN, {0});
        m_w.Record(EMR_SETPOLYFILLMODE, {1});
    }

    void End()
    {
        m_w.Record(EMR_SELECTOBJECT, {kBlackPen});
        m_w.Record(EMR_SELECTOBJECT, {kNullBrush});
        m_w.Record(EMR_SELECTOBJECT, {kSystemFont});
        for (std::uint32_t slot : {m_penSlot, m_brushSlot, m_fontSlot})
            if (slot)
                m_w.Record(EMR_DELETEOBJECT, {slot});
        m_w.Record(EMR_RESTOREDC, {std::uint32_t(-1)});
    }

    void Encode(const TCanvasRecord& r)
    {
        const bool needsPoint = r.Op == TCanvasOp::Pixel || r.Op == TCanvasOp::Text;
        if ((needsPoint && r.Points.empty()) || (r.Op == TCanvasOp::Image && !r.Image) ||
            ((r.Op == TCanvasOp::Polyline || r.Op == TCanvasOp::Polygon) && r.Points.empty()))
            return;
        TCanvasState s = r.State;
        if (r.Op == TCanvasOp::FillRect)
            s.Pen.Style = psClear;
        if (r.Op == TCanvasOp::FocusRect) {
            s.Pen = {s.Font.Color, 1, psDot};
            s.Brush.Style = bsClear;
            s.BkMode = bkTransparent;
        }
        Sync(s);
        switch (r.Op) {
        case TCanvasOp::Polyline: return Polyline(r.Points, r.Closed);
        case TCanvasOp::Polygon: return Points(EMR_POLYGON, r.Points);
        case TCanvasOp::Rectangle:
        case TCanvasOp::FocusRect: return Box(EMR_RECTANGLE, r.Rect);
        case TCanvasOp::FillRect:
            return Box(EMR_RECTANGLE, {r.Rect.Left, r.Rect.Top, r.Rect.Right + 1, r.Rect.Bottom + 1});
        case TCanvasOp::Ellipse: return Box(EMR_ELLIPSE, r.Rect);
        case TCanvasOp::Pixel: return Pixel(r);
        case TCanvasOp::Text: return Text(r);
        case TCanvasOp::Image: return Image(r);
        case TCanvasOp::InvertRect: return Invert(r.Rect);
        }
    }

private:
    Writer& m_w;
    std::optional<TPenData> m_pen;
    std::optional<TBrushData> m_brush;
    std::optional<TFontData> m_font;
    std::optional<TColor> m_bkColor, m_textColor;
    std::optional<TBkMode> m_bkMode;
    bool m_clipped = false;
    TRegion m_clip;
    std::uint32_t m_penSlot = 0, m_brushSlot = 0, m_fontSlot = 0;

    template <typename T, typename Create>
    void Select(std::optional<T>& current, const T& wanted, std::uint32_t& slot, std::uint32_t first, Create create)
    {
        if (current && *current == wanted)
            return;
        const std::uint32_t next = slot == first ? first + 1 : first;
        create(next);
        m_w.Record(EMR_SELECTOBJECT, {next});
        if (slot)
            m_w.Record(EMR_DELETEOBJECT, {slot});
        slot = next;
        current = wanted;
    }

    void Sync(const TCanvasState& s)
    {
        if (m_bkMode != s.BkMode)
            m_w.Record(EMR_SETBKMODE, {std::uint32_t(s.BkMode)});
        m_bkMode = s.BkMode;
        const TColor bk = ColorToRGB(s.BkColor), text = ColorToRGB(s.Font.Color);
        if (m_bkColor != bk)
            m_w.Record(EMR_SETBKCOLOR, {std::uint32_t(bk)});
        m_bkColor = bk;
        if (m_textColor != text)
            m_w.Record(EMR_SETTEXTCOLOR, {std::uint32_t(text)});
        m_textColor = text;
        Select(m_pen, s.Pen, m_penSlot, 1, [&](std::uint32_t slot) {
            const size_t at = m_w.Begin(EMR_CREATEPEN);
            m_w.U32(slot);
            m_w.U32(s.Pen.Style == psClear ? kPenNull : std::uint32_t(s.Pen.Style));
            m_w.I32(s.Pen.Width), m_w.I32(0);
            m_w.Color(s.Pen.Color);
            m_w.End(at);
        });
        Select(m_brush, s.Brush, m_brushSlot, 3, [&](std::uint32_t slot) {
            const size_t at = m_w.Begin(EMR_CREATEBRUSHINDIRECT);
            m_w.U32(slot);
            const TBrushStyle style = s.Brush.Style;
            m_w.U32(style == bsSolid ? kBrushSolid : style == bsClear ? kBrushNull : kBrushHatched);
            m_w.Color(s.Brush.Color);
            m_w.U32(style >= bsHorizontal ? std::uint32_t(style - bsHorizontal) : 0);
            m_w.End(at);
        });
        Select(m_font, s.Font, m_fontSlot, 5, [&](std::uint32_t slot) { Font(slot, s.Font); });
        SyncClip(s);
    }

    void Font(std::uint32_t slot, const TFontData& f)
    {
        const size_t at = m_w.Begin(EMR_EXTCREATEFONTINDIRECTW);
        m_w.U32(slot);
        m_w.I32(f.Height), m_w.I32(0), m_w.I32(f.Escapement), m_w.I32(f.Escapement);
        m_w.I32(f.Style.count(fsBold) ? 700 : 400);
        m_w.U8(f.Style.count(fsItalic) ? 1 : 0), m_w.U8(f.Style.count(fsUnderline) ? 1 : 0);
        m_w.U8(f.Style.count(fsStrikeOut) ? 1 : 0), m_w.U8(std::uint8_t(f.Charset));
        m_w.U8(0), m_w.U8(0), m_w.U8(3), m_w.U8(f.Pitch == fpFixed ? 1 : 2);
        std::u16string face = Win1252ToUtf16(f.Name).substr(0, 31);
        face.resize(32, u'\0');
        for (char16_t c : face)
            m_w.U16(c);
        m_w.End(at);
    }

    void SyncClip(const TCanvasState& s)
    {
        if (s.Clipped == m_clipped && (!s.Clipped || s.Clip == m_clip))
            return;
        m_clipped = s.Clipped;
        m_clip = s.Clip;
        if (!s.Clipped || s.Clip.Rects().size() <= 1) {
            m_w.Record(EMR_EXTSELECTCLIPRGN, {0, kRgnCopy});
            if (!s.Clipped)
                return;
            const size_t at = m_w.Begin(EMR_INTERSECTCLIPRECT);
            m_w.Rect(s.Clip.GetRgnBox());
            m_w.End(at);
            return;
        }
        const size_t at = m_w.Begin(EMR_EXTSELECTCLIPRGN);
        m_w.U32(std::uint32_t(32 + 16 * s.Clip.Rects().size()));
        m_w.U32(kRgnCopy);
        RegionData(m_w, s.Clip);
        m_w.End(at);
    }

    void Polyline(std::vector<TPoint> points, bool closed)
    {
        if (points.size() == 2 && !closed) {
            const size_t move = m_w.Begin(EMR_MOVETOEX);
            m_w.Point(points[0]);
            m_w.End(move);
            const size_t line = m_w.Begin(EMR_LINETO);
            m_w.Point(points[1]);
            m_w.End(line);
            return;
        }
        if (closed)
            points.push_back(points.front());
        Points(EMR_POLYLINE, points);
    }

    void Points(std::uint32_t type, const std::vector<TPoint>& points)
    {
        const size_t at = m_w.Begin(type);
        m_w.Rect(PointsBounds(points));
        m_w.U32(std::uint32_t(points.size()));
        for (const TPoint& p : points)
            m_w.Point(p);
        m_w.End(at);
    }

    void Box(std::uint32_t type, const TRect& r)
    {
        const size_t at = m_w.Begin(type);
        m_w.Rect(r);
        m_w.End(at);
    }

    void Pixel(const TCanvasRecord& r)
    {
        const size_t at = m_w.Begin(EMR_SETPIXELV);
        m_w.Point(r.Points[0]);
        m_w.Color(r.Color);
        m_w.End(at);
    }

    void Text(const TCanvasRecord& r)
    {
        const std::u16string text = Win1252ToUtf16(r.Text);
        const QFontMetrics fm(MakeQFont(r.State.Font));
        const TPoint p = r.Points[0];
        const int width = fm.horizontalAdvance(QString::fromStdU16String(text));
        const std::uint32_t n = std::uint32_t(text.size());
        const std::uint32_t offString = 76;
        const std::uint32_t offDx = offString + ((2 * n + 3) & ~3u);
        const size_t at = m_w.Begin(EMR_EXTTEXTOUTW);
        m_w.Rect({p.X, p.Y, p.X + std::max(width, 1) - 1, p.Y + fm.ascent() + fm.descent() - 1});
        m_w.U32(1);  // compatible graphics mode
        m_w.F32(0), m_w.F32(0);
        m_w.Point(p);
        m_w.U32(n);
        m_w.U32(offString);
        m_w.U32(((r.Options & kTextClipped) ? kEtoClipped : 0) | ((r.Options & kTextOpaque) ? kEtoOpaque : 0));
        m_w.Rect(r.Options ? r.Rect : TRect{});
        m_w.U32(offDx);
        for (char16_t c : text)
            m_w.U16(c);
        while ((m_w.Bytes.size() - at) % 4)
            m_w.U8(0);
        for (char16_t c : text)
            m_w.U32(std::uint32_t(fm.horizontalAdvance(QChar(c))));
        m_w.End(at);
    }

    void Image(const TCanvasRecord& r)
    {
        const TBitmap& bitmap = *r.Image;
        const int w = bitmap.GetWidth(), h = bitmap.GetHeight();
        const TRect& d = r.Rect;
        const bool alpha = r.Transparent;
        const std::uint32_t stride = alpha ? std::uint32_t(w) * 4 : (std::uint32_t(w) * 3 + 3) & ~3u;
        const std::uint32_t bitsSize = stride * std::uint32_t(h);
        if (!alpha) {
            const size_t at = m_w.Begin(EMR_STRETCHDIBITS);
            m_w.Rect(Inclusive(d));
            m_w.I32(d.Left), m_w.I32(d.Top), m_w.I32(0), m_w.I32(0), m_w.I32(w), m_w.I32(h);
            m_w.U32(80), m_w.U32(40), m_w.U32(120), m_w.U32(bitsSize);
            m_w.U32(0), m_w.U32(kSrcCopy);
            m_w.I32(d.Width()), m_w.I32(d.Height());
            BitmapInfoHeader(m_w, w, h, 24, bitsSize);
            DibBits(m_w, bitmap, false, 0);
            m_w.End(at);
            return;
        }
        const size_t at = m_w.Begin(EMR_ALPHABLEND);
        m_w.Rect(Inclusive(d));
        m_w.I32(d.Left), m_w.I32(d.Top), m_w.I32(d.Width()), m_w.I32(d.Height());
        m_w.U32(0x01FF0000);  // source-over, constant alpha 255, per-pixel alpha
        m_w.I32(0), m_w.I32(0);
        m_w.F32(1), m_w.F32(0), m_w.F32(0), m_w.F32(1), m_w.F32(0), m_w.F32(0);
        m_w.U32(0), m_w.U32(0);
        m_w.U32(108), m_w.U32(40), m_w.U32(148), m_w.U32(bitsSize);
        m_w.I32(w), m_w.I32(h);
        BitmapInfoHeader(m_w, w, h, 32, bitsSize);
        DibBits(m_w, bitmap, true, r.Color);
        m_w.End(at);
    }

    void Invert(const TRect& r)
    {
        const size_t at = m_w.Begin(EMR_INVERTRGN);
        m_w.Rect(Inclusive(r));
        m_w.U32(32 + 16);
        RegionData(m_w, TRegion::FromRect(r));
        m_w.End(at);
    }
};

}  // namespace

TBytes TMetafile::SaveToBytes() const
{
    Writer w;
    const size_t header = w.Begin(EMR_HEADER);
    const int width = std::max(m_width, 1), height = std::max(m_height, 1);
    w.Rect({0, 0, width - 1, height - 1});
    w.Rect({0, 0, int(std::lround(width * kHundredthsMmPerPixel)) - 1,
            int(std::lround(height * kHundredthsMmPerPixel)) - 1});
    w.U32(kSignature);
    w.U32(0x10000);
    w.U32(0);  // nBytes, patched
    w.U32(0);  // nRecords, patched
    w.U16(std::uint16_t(kHandles)), w.U16(0);
    std::u16string description = Win1252ToUtf16(m_creator) + u'\0' + Win1252ToUtf16(m_description) + u'\0' + u'\0';
    w.U32(std::uint32_t(description.size()));
    w.U32(kHeaderSize);
    w.U32(0);
    w.I32(kDeviceWidth), w.I32(kDeviceHeight);
    w.I32(int(std::lround(kDeviceWidth * 25.4 / 96))), w.I32(int(std::lround(kDeviceHeight * 25.4 / 96)));
    w.U32(0), w.U32(0), w.U32(0);
    w.I32(int(std::lround(kDeviceWidth * 25400.0 / 96))), w.I32(int(std::lround(kDeviceHeight * 25400.0 / 96)));
    for (char16_t c : description)
        w.U16(c);
    w.End(header);

    EmfEncoder encoder(w);
    encoder.Begin();
    for (const TCanvasRecord& r : m_records)
        encoder.Encode(r);
    encoder.End();
    w.Record(EMR_EOF, {0, 16, 20});
    w.Patch(48, std::uint32_t(w.Bytes.size()));
    w.Patch(52, w.Records);
    return w.Bytes;
}

void TMetafile::SaveToFile(const std::string& fileName) const
{
    const TBytes bytes = SaveToBytes();
    WriteFileBytes(fileName, bytes.data(), bytes.size());
}
void TMetafile::LoadFromFile(const std::string& fileName)
{
    const std::string bytes = ReadFileBytes(fileName);
    LoadFromBytes(TBytes(bytes.begin(), bytes.end()));
}

// ---------------------------------------------------------------------------------------
// Reading

namespace {

[[noreturn]] void RaiseInvalidMetafile() { throw Exception("Invalid metafile"); }

class Reader {
public:
    Reader(const std::uint8_t* data, size_t size) : m_data(data), m_size(size) {}
    std::uint32_t U32(size_t at) const
    {
        Need(at, 4);
        return std::uint32_t(m_data[at]) | std::uint32_t(m_data[at + 1]) << 8 | std::uint32_t(m_data[at + 2]) << 16 |
               std::uint32_t(m_data[at + 3]) << 24;
    }
    int I32(size_t at) const { return int(U32(at)); }
    std::uint16_t U16(size_t at) const
    {
        Need(at, 2);
        return std::uint16_t(m_data[at] | m_data[at + 1] << 8);
    }
    std::uint8_t U8(size_t at) const
    {
        Need(at, 1);
        return m_data[at];
    }
    // Within the coordinate limit, like every rectangle made from the file's numbers.
    TRect Rect(size_t at) const { return ClampedRect(I32(at), I32(at + 4), I32(at + 8), I32(at + 12)); }
    static TRect ClampedRect(double left, double top, double right, double bottom)
    {
        return {ClampCoordinate(left), ClampCoordinate(top), ClampCoordinate(right), ClampCoordinate(bottom)};
    }
    TPoint Point(size_t at) const { return {I32(at), I32(at + 4)}; }
    std::u16string Utf16(size_t at, size_t count) const
    {
        Need(at, count * 2);
        std::u16string s;
        for (size_t i = 0; i < count; ++i)
            s += char16_t(U16(at + 2 * i));
        return s;
    }
    void Need(size_t at, size_t n) const
    {
        if (at > m_size || n > m_size - at)
            RaiseInvalidMetafile();
    }
    size_t Size() const { return m_size; }
    const std::uint8_t* Data() const { return m_data; }

private:
    const std::uint8_t* m_data;
    size_t m_size;
};

// A DIB (24 or 32 bits, uncompressed) of a bitmap record; 32-bit pixels at alpha 0 come
// back in a colour the picture does not otherwise use, returned in key.
std::shared_ptr<TBitmap> ReadDib(const Reader& in, size_t record, std::uint32_t offBmi, std::uint32_t offBits,
                                 std::uint32_t cbBits, TColor* key)
{
    const size_t bmi = record + offBmi;
    const int width = in.I32(bmi + 4), height = in.I32(bmi + 8);
    const int bits = in.U16(bmi + 14);
    if (width <= 0 || height == 0 || width > 1 << 15 || std::abs(height) > 1 << 15 ||
        size_t(width) * size_t(std::abs(height)) > size_t(1) << 26 || (bits != 24 && bits != 32) ||
        in.U32(bmi + 16) != 0)
        RaiseInvalidMetafile();
    const int rows = std::abs(height);
    const size_t stride = bits == 32 ? size_t(width) * 4 : (size_t(width) * 3 + 3) & ~size_t(3);
    if (cbBits < stride * size_t(rows))
        RaiseInvalidMetafile();
    in.Need(record + offBits, stride * size_t(rows));
    QImage image(width, rows, QImage::Format_ARGB32);
    for (int row = 0; row < rows; ++row) {
        const int y = height > 0 ? rows - 1 - row : row;
        const std::uint8_t* p = in.Data() + record + offBits + stride * size_t(row);
        for (int x = 0; x < width; ++x, p += bits / 8)
            image.setPixel(x, y, qRgba(p[2], p[1], p[0], bits == 32 ? p[3] : 255));
    }
    auto bitmap = std::make_shared<TBitmap>();
    *key = KeyTransparentPixels(image);
    BitmapAccess::Image(*bitmap) = image;
    return bitmap;
}

TRegion ReadRegion(const Reader& in, size_t at, std::uint32_t cb)
{
    if (cb < 32)
        return {};
    const std::uint32_t count = in.U32(at + 8);
    if (count > (cb - 32) / 16)
        RaiseInvalidMetafile();
    std::vector<TRect> rects;
    for (std::uint32_t i = 0; i < count; ++i)
        rects.push_back(in.Rect(at + 32 + 16 * i));
    return TRegion::FromRects(std::move(rects));
}

class EmfDecoder {
public:
    explicit EmfDecoder(std::vector<TCanvasRecord>& out) : m_out(out) {}

    void Decode(const Reader& in, size_t at, std::uint32_t type, std::uint32_t size)
    {
        switch (type) {
        case EMR_SAVEDC: m_saved.push_back(m_state); break;
        case EMR_RESTOREDC: Restore(in.I32(at + 8)); break;
        case EMR_SETBKMODE: m_state.BkMode = in.U32(at + 8) == bkTransparent ? bkTransparent : bkOpaque; break;
        case EMR_SETBKCOLOR: m_state.BkColor = TColor(in.U32(at + 8) & 0xFFFFFF); break;
        case EMR_SETTEXTCOLOR: m_textColor = TColor(in.U32(at + 8) & 0xFFFFFF); break;
        case EMR_CREATEPEN: {
            const std::uint32_t style = in.U32(at + 12) & 0xF;
            m_pens[in.U32(at + 8)] = {TColor(in.U32(at + 24) & 0xFFFFFF), in.I32(at + 16),
                                      style <= psInsideFrame ? TPenStyle(style) : psSolid};
            break;
        }
        case EMR_CREATEBRUSHINDIRECT: {
            const std::uint32_t style = in.U32(at + 12), hatch = in.U32(at + 20);
            const TBrushStyle brush = style == kBrushNull                    ? bsClear
                                      : style == kBrushHatched && hatch <= 5 ? TBrushStyle(bsHorizontal + hatch)
                                                                             : bsSolid;
            m_brushes[in.U32(at + 8)] = {TColor(in.U32(at + 16) & 0xFFFFFF), brush};
            break;
        }
        case EMR_EXTCREATEFONTINDIRECTW: m_fonts[in.U32(at + 8)] = ReadFont(in, at + 12); break;
        case EMR_SELECTOBJECT: Select(in.U32(at + 8)); break;
        case EMR_DELETEOBJECT: break;
        case EMR_MOVETOEX: m_position = in.Point(at + 8); break;
        case EMR_LINETO: {
            const TPoint to = in.Point(at + 8);
            Emit(TCanvasOp::Polyline, [&](TCanvasRecord& r) { r.Points = {m_position, to}; });
            m_position = to;
            break;
        }
        case EMR_POLYLINE:
        case EMR_POLYGON:
        case EMR_POLYLINE16:
        case EMR_POLYGON16: DecodePoints(in, at, type); break;
        case EMR_RECTANGLE: Emit(TCanvasOp::Rectangle, [&](TCanvasRecord& r) { r.Rect = in.Rect(at + 8); }); break;
        case EMR_ELLIPSE: Emit(TCanvasOp::Ellipse, [&](TCanvasRecord& r) { r.Rect = in.Rect(at + 8); }); break;
        case EMR_SETPIXELV:
            Emit(TCanvasOp::Pixel, [&](TCanvasRecord& r) {
                r.Points = {in.Point(at + 8)};
                r.Color = TColor(in.U32(at + 16) & 0xFFFFFF);
            });
            break;
        case EMR_EXTTEXTOUTW: DecodeText(in, at, size); break;
        case EMR_STRETCHDIBITS:
            Emit(TCanvasOp::Image, [&](TCanvasRecord& r) {
                const TPoint dest = in.Point(at + 24);
                r.Rect = Reader::ClampedRect(dest.X, dest.Y, double(dest.X) + in.I32(at + 72),
                                             double(dest.Y) + in.I32(at + 76));
                r.Image = ReadDib(in, at, in.U32(at + 48), in.U32(at + 56), in.U32(at + 60), &r.Color);
            });
            break;
        case EMR_ALPHABLEND:
            Emit(TCanvasOp::Image, [&](TCanvasRecord& r) {
                const TPoint dest = in.Point(at + 24);
                r.Rect = Reader::ClampedRect(dest.X, dest.Y, double(dest.X) + in.I32(at + 32),
                                             double(dest.Y) + in.I32(at + 36));
                r.Image = ReadDib(in, at, in.U32(at + 84), in.U32(at + 92), in.U32(at + 96), &r.Color);
                r.Transparent = true;
            });
            break;
        case EMR_INVERTRGN:
            Emit(TCanvasOp::InvertRect,
                 [&](TCanvasRecord& r) { r.Rect = ReadRegion(in, at + 28, in.U32(at + 24)).GetRgnBox(); });
            break;
        case EMR_INTERSECTCLIPRECT: {
            const TRegion box = TRegion::FromRect(in.Rect(at + 8));
            m_state.Clip = m_state.Clipped ? m_state.Clip.Intersected(box) : box;
            m_state.Clipped = true;
            break;
        }
        case EMR_EXTSELECTCLIPRGN: {
            const std::uint32_t cb = in.U32(at + 8);
            m_state.Clipped = cb >= 32;
            m_state.Clip = ReadRegion(in, at + 16, cb);
            break;
        }
        default: break;  // records this library does not draw
        }
    }

private:
    std::vector<TCanvasRecord>& m_out;
    TCanvasState m_state;
    TColor m_textColor = clBlack;
    TPoint m_position;
    std::vector<TCanvasState> m_saved;
    std::map<std::uint32_t, TPenData> m_pens;
    std::map<std::uint32_t, TBrushData> m_brushes;
    std::map<std::uint32_t, TFontData> m_fonts;

    template <typename F>
    void Emit(TCanvasOp op, F fill)
    {
        TCanvasRecord r;
        r.Op = op;
        r.State = m_state;
        r.State.Font.Color = m_textColor;
        fill(r);
        m_out.push_back(std::move(r));
    }

    void Restore(int relative)
    {
        const int index = relative < 0 ? int(m_saved.size()) + relative : relative - 1;
        if (index < 0 || index >= int(m_saved.size()))
            return;
        m_state = m_saved[size_t(index)];
        m_saved.resize(size_t(index));
    }

    void Select(std::uint32_t handle)
    {
        if (handle & kStockObject) {
            if (handle == kNullBrush)
                m_state.Brush.Style = bsClear;
            else if (handle == 0x80000008)
                m_state.Pen.Style = psClear;
            return;
        }
        if (auto p = m_pens.find(handle); p != m_pens.end())
            m_state.Pen = p->second;
        else if (auto b = m_brushes.find(handle); b != m_brushes.end())
            m_state.Brush = b->second;
        else if (auto f = m_fonts.find(handle); f != m_fonts.end())
            m_state.Font = f->second;
    }

    static TFontData ReadFont(const Reader& in, size_t at)
    {
        TFontData f;
        f.Height = in.I32(at);
        f.Escapement = in.I32(at + 8);
        f.Style.clear();
        if (in.I32(at + 16) >= 600)
            f.Style.insert(fsBold);
        if (in.U8(at + 20))
            f.Style.insert(fsItalic);
        if (in.U8(at + 21))
            f.Style.insert(fsUnderline);
        if (in.U8(at + 22))
            f.Style.insert(fsStrikeOut);
        f.Charset = in.U8(at + 23);
        f.Pitch = (in.U8(at + 27) & 3) == 1 ? fpFixed : fpDefault;
        std::u16string face = in.Utf16(at + 28, 32);
        face.resize(std::min(face.find(u'\0'), face.size()));
        f.Name = Utf16ToWin1252(face);
        return f;
    }

    void DecodePoints(const Reader& in, size_t at, std::uint32_t type)
    {
        const bool small = type == EMR_POLYLINE16 || type == EMR_POLYGON16;
        const std::uint32_t count = in.U32(at + 24);
        in.Need(at + 28, size_t(count) * (small ? 4 : 8));
        std::vector<TPoint> points;
        for (std::uint32_t i = 0; i < count; ++i) {
            if (small)
                points.push_back({std::int16_t(in.U16(at + 28 + 4 * i)), std::int16_t(in.U16(at + 30 + 4 * i))});
            else
                points.push_back(in.Point(at + 28 + 8 * i));
        }
        if (points.size() < 2)
            return;
        const bool polygon = type == EMR_POLYGON || type == EMR_POLYGON16;
        Emit(polygon ? TCanvasOp::Polygon : TCanvasOp::Polyline,
             [&](TCanvasRecord& r) { r.Points = std::move(points); });
    }

    void DecodeText(const Reader& in, size_t at, std::uint32_t size)
    {
        const size_t text = at + 36;
        const std::uint32_t count = in.U32(text + 8), offString = in.U32(text + 12), options = in.U32(text + 16);
        if (offString > size || count > (size - offString) / 2)
            RaiseInvalidMetafile();
        Emit(TCanvasOp::Text, [&](TCanvasRecord& r) {
            r.Points = {in.Point(text)};
            r.Text = Utf16ToWin1252(in.Utf16(at + offString, count));
            r.Rect = in.Rect(text + 20);
            r.Options = ((options & kEtoClipped) ? kTextClipped : 0) | ((options & kEtoOpaque) ? kTextOpaque : 0);
        });
    }
};

}  // namespace

void TMetafile::LoadFromBytes(const TBytes& bytes)
{
    const Reader in(bytes.data(), bytes.size());
    if (bytes.size() < 88 || in.U32(0) != EMR_HEADER || in.U32(40) != kSignature)
        RaiseInvalidMetafile();
    const size_t total = std::min<size_t>(in.U32(48), bytes.size());
    const TRect bounds = in.Rect(8);
    std::string creator, description;
    const std::uint32_t headerSize = in.U32(4), nDescription = in.U32(60), offDescription = in.U32(64);
    if (headerSize < 88 || headerSize > total)
        RaiseInvalidMetafile();
    if (nDescription > 0 && offDescription >= 88 && offDescription < headerSize) {
        const std::u16string text =
            in.Utf16(offDescription, std::min<size_t>(nDescription, (headerSize - offDescription) / 2));
        const size_t split = text.find(u'\0');
        creator = Utf16ToWin1252(text.substr(0, split));
        if (split != std::u16string::npos) {
            const std::u16string rest = text.substr(split + 1);
            description = Utf16ToWin1252(rest.substr(0, rest.find(u'\0')));
        }
    }

    std::vector<TCanvasRecord> records;
    EmfDecoder decoder(records);
    for (size_t at = headerSize; at < total;) {
        const std::uint32_t type = in.U32(at), size = in.U32(at + 4);
        if (size < 8 || size % 4 || size > total - at ||
            !U_emf_record_safe(reinterpret_cast<const char*>(bytes.data() + at)))
            RaiseInvalidMetafile();
        if (type == EMR_EOF)
            break;
        decoder.Decode(in, at, type, size);
        at += size;
    }
    m_width = std::max(0, bounds.Right - bounds.Left + 1);
    m_height = std::max(0, bounds.Bottom - bounds.Top + 1);
    m_creator = creator;
    m_description = description;
    m_records = std::move(records);
}
