#include "platform/canvas/RecordingCanvas.h"

#include "platform/canvas/Bitmap.h"
#include "platform/canvas/CanvasDevice_p.h"

#include <cstdio>
#include <sstream>

namespace {

class RecordingDevice final : public TCanvasDevice {
public:
    explicit RecordingDevice(std::shared_ptr<std::vector<TCanvasRecord>> records) : m_records(std::move(records)) {}
    void Draw(const TCanvasRecord& record) override { m_records->push_back(record); }

private:
    std::shared_ptr<std::vector<TCanvasRecord>> m_records;
};

std::string Hex(TColor color)
{
    char text[16];
    std::snprintf(text, sizeof text, "$%.8X", unsigned(color));
    return text;
}

const char* PenStyleName(TPenStyle s)
{
    static const char* names[] = {"psSolid",      "psDash",  "psDot",        "psDashDot",
                                  "psDashDotDot", "psClear", "psInsideFrame"};
    return names[s];
}

const char* BrushStyleName(TBrushStyle s)
{
    static const char* names[] = {"bsSolid",     "bsClear",     "bsHorizontal", "bsVertical",
                                  "bsFDiagonal", "bsBDiagonal", "bsCross",      "bsDiagCross"};
    return names[s];
}

std::string RectText(const TRect& r)
{
    std::ostringstream out;
    out << "(" << r.Left << "," << r.Top << "," << r.Right << "," << r.Bottom << ")";
    return out.str();
}

}  // namespace

TRecordingCanvas::TRecordingCanvas() : TRecordingCanvas(std::make_shared<std::vector<TCanvasRecord>>()) {}

TRecordingCanvas::TRecordingCanvas(std::shared_ptr<std::vector<TCanvasRecord>> records)
    : TCanvas(std::make_unique<RecordingDevice>(records)), m_records(std::move(records))
{
}

std::vector<std::string> TRecordingCanvas::Log() const
{
    std::vector<std::string> lines;
    for (const TCanvasRecord& r : *m_records)
        lines.push_back(DescribeRecord(r));
    return lines;
}

std::string DescribeRecord(const TCanvasRecord& r)
{
    std::ostringstream out;
    out << CanvasOpName(r.Op);
    switch (r.Op) {
    case TCanvasOp::Polyline:
    case TCanvasOp::Polygon:
    case TCanvasOp::Pixel:
        for (const TPoint& p : r.Points)
            out << " (" << p.X << "," << p.Y << ")";
        break;
    case TCanvasOp::Text:
        for (const TPoint& p : r.Points)
            out << " (" << p.X << "," << p.Y << ")";
        out << " \"" << r.Text << "\"";
        if (r.Options & kTextClipped)
            out << " in " << RectText(r.Rect);
        break;
    default: out << " " << RectText(r.Rect); break;
    }
    if (r.Op == TCanvasOp::Pixel || r.Op == TCanvasOp::FocusRect)
        out << " color=" << Hex(r.Color);
    if (r.Op == TCanvasOp::Image && r.Image)
        out << " image=" << r.Image->GetWidth() << "x" << r.Image->GetHeight()
            << (r.Transparent ? " transparent=" + Hex(r.Color) : std::string());
    const TCanvasState& s = r.State;
    out << " pen=" << Hex(s.Pen.Color) << "/" << s.Pen.Width << "/" << PenStyleName(s.Pen.Style);
    out << " brush=" << Hex(s.Brush.Color) << "/" << BrushStyleName(s.Brush.Style);
    if (r.Op == TCanvasOp::Text)
        out << " font=" << s.Font.Name << "/" << s.Font.Height << "/" << Hex(s.Font.Color) << "/esc"
            << s.Font.Escapement;
    out << " bk=" << Hex(s.BkColor) << (s.BkMode == bkOpaque ? "/opaque" : "/transparent");
    if (s.Clipped)
        out << " clip=" << RectText(s.Clip.GetRgnBox());
    return out.str();
}
