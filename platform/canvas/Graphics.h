#pragma once
// Pens, brushes, fonts, regions and the canvas that draws with them.
//
// The canvas follows the desktop drawing rules so that every component draws the same
// pixels on every machine: integer pixels, rectangles exclude their right and bottom
// edges, lines leave out their final point, one-pixel pens use fixed dash patterns,
// hatches are 8 x 8 patterns aligned to the device origin, fonts are given in logical
// pixels. The same calls work on bitmaps, widgets, printers and metafile recorders; the
// target is a back end chosen when the canvas is made (see QtCanvas_p.h, Bitmap.h,
// Metafile.h, RecordingCanvas.h).
//
// Text is Windows-1252 in std::string, as everywhere in the library.

#include "platform/canvas/VisualLayer.h"
#include "platform/core/Component.h"
#include "platform/core/Types.h"

#include <functional>
#include <memory>
#include <string>
#include <vector>

using TNotifyCallback = std::function<void()>;
using TFontStyles = std::set<TFontStyle>;

// Plain values of the drawing objects, as a canvas snapshot or a metafile record keeps them.
struct TPenData {
    TColor Color = clBlack;
    int Width = 1;
    TPenStyle Style = psSolid;
    friend bool operator==(const TPenData&, const TPenData&) = default;
};

struct TBrushData {
    TColor Color = clWhite;
    TBrushStyle Style = bsSolid;
    friend bool operator==(const TBrushData&, const TBrushData&) = default;
};

struct TFontData {
    std::string Name = "Arial";
    int Height = -11;  // negative: character height in pixels; positive: cell height
    TColor Color = clWindowText;
    TFontStyles Style;
    int Charset = 1;
    TFontPitch Pitch = fpDefault;
    int Escapement = 0;  // tenths of a degree, counter-clockwise
    friend bool operator==(const TFontData&, const TFontData&) = default;
};

class TPen : public TPersistent {
    PRAVIX_CLASS(TPen, TPersistent)
public:
    TPen() = default;
    TPen(const TPen&) = delete;
    TPen& operator=(const TPen&) = delete;

    TColor GetColor() const { return m_data.Color; }
    void SetColor(TColor value);
    int GetWidth() const { return m_data.Width; }
    void SetWidth(int value);
    TPenStyle GetStyle() const { return m_data.Style; }
    void SetStyle(TPenStyle value);
    const TPenData& Data() const { return m_data; }
    void SetData(const TPenData& value);
    void Assign(const TPen& source) { SetData(source.m_data); }
    void Assign(const TPersistent& source) override;

    TNotifyCallback OnChange;

private:
    TPenData m_data;
};

class TBrush : public TPersistent {
    PRAVIX_CLASS(TBrush, TPersistent)
public:
    TBrush() = default;
    TBrush(const TBrush&) = delete;
    TBrush& operator=(const TBrush&) = delete;

    TColor GetColor() const { return m_data.Color; }
    void SetColor(TColor value);
    TBrushStyle GetStyle() const { return m_data.Style; }
    void SetStyle(TBrushStyle value);
    const TBrushData& Data() const { return m_data; }
    void SetData(const TBrushData& value);
    void Assign(const TBrush& source) { SetData(source.m_data); }
    void Assign(const TPersistent& source) override;

    TNotifyCallback OnChange;

private:
    TBrushData m_data;
};

class TFont : public TPersistent {
    PRAVIX_CLASS(TFont, TPersistent)
public:
    TFont() = default;
    TFont(const TFont&) = delete;
    TFont& operator=(const TFont&) = delete;

    const std::string& GetName() const { return m_data.Name; }
    void SetName(const std::string& value);
    int GetHeight() const { return m_data.Height; }
    void SetHeight(int value);
    // Points at 96 dpi: Height = -Round(Size * 96 / 72).
    int GetSize() const;
    void SetSize(int value);
    TColor GetColor() const { return m_data.Color; }
    void SetColor(TColor value);
    const TFontStyles& GetStyle() const { return m_data.Style; }
    void SetStyle(const TFontStyles& value);
    int GetCharset() const { return m_data.Charset; }
    void SetCharset(int value);
    TFontPitch GetPitch() const { return m_data.Pitch; }
    void SetPitch(TFontPitch value);
    int GetEscapement() const { return m_data.Escapement; }
    void SetEscapement(int value);
    const TFontData& Data() const { return m_data; }
    void SetData(const TFontData& value);
    void Assign(const TFont& source) { SetData(source.m_data); }
    void Assign(const TPersistent& source) override;

    TNotifyCallback OnChange;

private:
    TFontData m_data;
};

enum TPolyFillMode { pfmAlternate, pfmWinding };

// A set of pixels kept as non-overlapping rectangles. Regions are values: whoever holds
// one owns it.
class TRegion {
public:
    TRegion() = default;
    static TRegion FromRect(const TRect& r);
    // Pixels whose centres lie inside the polygon under the fill rule.
    static TRegion FromPolygon(const std::vector<TPoint>& points, TPolyFillMode mode);
    static TRegion FromRects(std::vector<TRect> rects);

    // Bounding box; (0, 0, 0, 0) for an empty region.
    TRect GetRgnBox() const;
    bool PtInRegion(int x, int y) const;
    bool IsEmpty() const { return m_rects.empty(); }
    const std::vector<TRect>& Rects() const { return m_rects; }
    TRegion Intersected(const TRegion& other) const;
    TRegion Offset(int dx, int dy) const;
    friend bool operator==(const TRegion&, const TRegion&) = default;

private:
    std::vector<TRect> m_rects;
};

enum TBkMode { bkTransparent = 1, bkOpaque = 2 };

// Everything a primitive depends on besides its geometry.
struct TCanvasState {
    TPenData Pen;
    TBrushData Brush;
    TFontData Font;
    TColor BkColor = clWhite;
    TBkMode BkMode = bkOpaque;
    bool Clipped = false;
    TRegion Clip;        // device coordinates, used when Clipped
    int HatchScale = 1;  // hatch cell size multiplier (printing scales hatches), 1 .. kMaxHatchScale
    friend bool operator==(const TCanvasState&, const TCanvasState&) = default;
};

// Hatch cells grow with a stretched drawing up to this many times their 8 pixels: a 256-pixel
// cell, as a 2400-dpi printer page needs. A picture stretched further (a one-pixel metafile
// played into a page) keeps cells of that size, so the pattern's tile stays small.
constexpr int kMaxHatchScale = 32;

// DrawText format bits (the desktop values).
constexpr unsigned DT_LEFT = 0x0;
constexpr unsigned DT_CENTER = 0x1;
constexpr unsigned DT_RIGHT = 0x2;
constexpr unsigned DT_TOP = 0x0;
constexpr unsigned DT_VCENTER = 0x4;
constexpr unsigned DT_BOTTOM = 0x8;
constexpr unsigned DT_WORDBREAK = 0x10;
constexpr unsigned DT_SINGLELINE = 0x20;
constexpr unsigned DT_EXPANDTABS = 0x40;
constexpr unsigned DT_NOCLIP = 0x100;
constexpr unsigned DT_CALCRECT = 0x400;
constexpr unsigned DT_NOPREFIX = 0x800;
constexpr unsigned DT_PATH_ELLIPSIS = 0x4000;
constexpr unsigned DT_END_ELLIPSIS = 0x8000;
constexpr unsigned DT_MODIFYSTRING = 0x10000;
constexpr unsigned DT_WORD_ELLIPSIS = 0x40000;

// DrawEdge styles (always the whole rectangle).
constexpr unsigned EDGE_RAISED = 5;
constexpr unsigned EDGE_SUNKEN = 10;

class TBitmap;
class TCanvasDevice;
struct TCanvasRecord;

class TCanvas {
public:
    explicit TCanvas(std::unique_ptr<TCanvasDevice> device);
    virtual ~TCanvas();
    TCanvas(const TCanvas&) = delete;
    TCanvas& operator=(const TCanvas&) = delete;

    TPen& Pen();
    TBrush& Brush();
    TFont& Font();

    // Setting the brush colour sets the background colour; bsClear makes the background
    // mode transparent, any other brush style opaque.
    TColor GetBkColor() const;
    void SetBkColor(TColor color);
    TBkMode GetBkMode() const;
    void SetBkMode(TBkMode mode);

    // Logical (0, 0) is drawn at the device point Origin; clip rectangles move with it.
    TPoint GetOrigin() const;
    void SetOrigin(TPoint origin);
    TPoint GetPenPos() const;
    void SetPenPos(TPoint p);

    void MoveTo(int x, int y);
    void LineTo(int x, int y);
    void Polyline(const std::vector<TPoint>& points);
    void Polygon(const std::vector<TPoint>& points);
    void Rectangle(int left, int top, int right, int bottom);
    void Rectangle(const TRect& r) { Rectangle(r.Left, r.Top, r.Right, r.Bottom); }
    void Ellipse(int left, int top, int right, int bottom);
    void Ellipse(const TRect& r) { Ellipse(r.Left, r.Top, r.Right, r.Bottom); }
    void FillRect(const TRect& r);
    void FrameRect(const TRect& r);  // one-pixel frame in the brush colour
    TColor GetPixel(int x, int y);
    void SetPixel(int x, int y, TColor color);

    void Draw(int x, int y, const TBitmap& bitmap);
    void StretchDraw(const TRect& r, const TBitmap& bitmap);

    void TextOut(int x, int y, const std::string& text);
    int TextWidth(const std::string& text);
    int TextHeight(const std::string& text);
    void TextRect(const TRect& r, int x, int y, const std::string& text);
    // Text in a rectangle with DT_ format bits. Lines break at CR, LF or CR LF unless
    // DT_SINGLELINE (then CR and LF are dropped); DT_WORDBREAK wraps at blanks (a longer
    // word stays whole); DT_VCENTER and DT_BOTTOM act only with DT_SINGLELINE; TAB is one
    // blank unless DT_EXPANDTABS (next multiple of 8 average character widths); without
    // DT_NOPREFIX "&x" underlines x and "&&" is "&"; the ellipsis flags shorten lines that
    // do not fit; output is clipped to r unless DT_NOCLIP. Returns lines x line height,
    // or with DT_VCENTER / DT_BOTTOM the offset from r.Top to the bottom of the text; 0 for
    // an empty text. DT_CALCRECT draws nothing and sets r.Right (kept with DT_WORDBREAK) and
    // r.Bottom to the text's extent.
    int DrawText(const std::string& text, TRect& r, unsigned format);

    void DrawEdge(const TRect& r, unsigned edge);
    void DrawFocusRect(const TRect& r);
    void InvertRect(const TRect& r);

    void IntersectClipRect(const TRect& r);
    // nullptr removes all clipping; a region (logical coordinates) replaces the clip.
    void SelectClipRgn(const TRegion* region);
    bool IsClipped() const;
    TRect GetClipBox() const;  // logical; (0, 0, 0, 0) when unclipped
    bool PtVisible(int x, int y) const;

    int SaveDC();               // returns the saved level (1, 2, ...)
    void RestoreDC(int level);  // level < 0: relative (-1 = last saved)

    // The full state as primitives see it (clip in device coordinates).
    TCanvasState State() const;

    // Called after every primitive drawn (a bitmap passes it on as its own change).
    TNotifyCallback OnChange;
    // Draws a recorded primitive (metafile playback): moved by the origin and clipped by
    // this canvas's clip as well as its own.
    void PlayRecord(TCanvasRecord record);

private:
    struct Private;
    std::unique_ptr<Private> d;

    void Emit(TCanvasRecord& record);
    // State() into a state whose storage is reused.
    void CopyState(TCanvasState& s) const;
    void DrawRecord(const TCanvasRecord& record);
    // Draws the polyline through logical points.
    void EmitLine(const TPoint* points, size_t count);
    TPoint ToDevice(int x, int y) const;
    TRect ToDevice(const TRect& r) const;
    void DrawTextLine(const std::u16string& line, int x, int y, const TRect* clip, int prefixIndex);
    int TextWidth16(const std::u16string& text);
};

// Saves the whole canvas state (pen, brush, font, origin, clip) for a scope and brings it
// back however the scope ends.
class TCanvasStateSaver {
public:
    explicit TCanvasStateSaver(TCanvas& canvas) : m_canvas(canvas), m_level(canvas.SaveDC()) {}
    ~TCanvasStateSaver() { m_canvas.RestoreDC(m_level); }
    TCanvasStateSaver(const TCanvasStateSaver&) = delete;
    TCanvasStateSaver& operator=(const TCanvasStateSaver&) = delete;

private:
    TCanvas& m_canvas;
    int m_level;
};
