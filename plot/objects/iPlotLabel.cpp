#include "plot/objects/iPlotLabel.h"

#include "components/iGPFunctions.h"
#include "platform/canvas/ImageList.h"
#include "plot/core/iPlotManagers.h"

#include <cmath>
#include <utility>

namespace {

// Rounding to the nearest integer, halves to even.
int RoundHalfEven(double value) { return int(std::nearbyint(value)); }

}  // namespace

TiPlotLabel::TiPlotLabel(IPlotHost* owner, TNotifyEvent onChange, TNotifyEvent onInsert, TNotifyEvent onRemove,
                         TNotifyEvent onRename)
    : TiPlotLayoutObject(owner, std::move(onChange), std::move(onInsert), std::move(onRemove), std::move(onRename))
{
    SetHorizontal(true);
    m_font = std::make_unique<TFont>();
    m_font->SetName("Arial");
    m_font->SetSize(14);
    m_font->SetStyle({fsBold});
    m_font->SetColor(clWhite);
    m_font->OnChange = [this] { TriggerChange(this); };
}

TiPlotLabel::~TiPlotLabel() = default;

// --- Setters ---------------------------------------------------------------------------------

void TiPlotLabel::SetMarginLeft(double value) { SetDoubleProperty(value, m_marginLeft, &TiPlotObject::TriggerChange); }
void TiPlotLabel::SetMarginRight(double value)
{
    SetDoubleProperty(value, m_marginRight, &TiPlotObject::TriggerChange);
}
void TiPlotLabel::SetMarginTop(double value) { SetDoubleProperty(value, m_marginTop, &TiPlotObject::TriggerChange); }
void TiPlotLabel::SetMarginBottom(double value)
{
    SetDoubleProperty(value, m_marginBottom, &TiPlotObject::TriggerChange);
}
void TiPlotLabel::SetCaption(const std::string& value)
{
    SetStringProperty(value, m_caption, &TiPlotObject::TriggerChange);
}
void TiPlotLabel::SetAlignment(TiAlignmentHorizontal value)
{
    SetEnumProperty(value, m_alignment, &TiPlotObject::TriggerChange);
}
void TiPlotLabel::SetFont(TFont* value)
{
    if (value)
        m_font->Assign(*value);
}
void TiPlotLabel::SetImageListIndex(int value)
{
    SetIntegerProperty(value, m_imageListIndex, &TiPlotObject::TriggerChange);
}
void TiPlotLabel::SetImageIndex(int value) { SetIntegerProperty(value, m_imageIndex, &TiPlotObject::TriggerChange); }

// --- Own picture -----------------------------------------------------------------------------

void TiPlotLabel::SetImage(const TBitmap* bitmap)
{
    m_image.Set(bitmap);
    TriggerChange(this);
}

void TiPlotLabel::ImageClear()
{
    if (m_image.Clear())
        TriggerChange(this);
}

void TiPlotLabel::ImageLoadFromFile(const std::string& fileName)
{
    m_image.LoadFromFile(fileName);
    TriggerChange(this);
}

// --- Layout and drawing ------------------------------------------------------------------------

void TiPlotLabel::CalcRects(TCanvas& canvas)
{
    canvas.Font().Assign(*m_font);
    const int w0 = iTextWidth(canvas, "0"), h0 = iTextHeight(canvas, "0");
    m_top = RoundHalfEven(h0 * m_marginTop);
    m_bottom = RoundHalfEven(h0 * m_marginBottom);
    m_left = RoundHalfEven(w0 * m_marginLeft);
    m_right = RoundHalfEven(w0 * m_marginRight);
    // An empty caption has no lines: a label without text needs only its margins.
    m_requiredWidth = iTextHeight(canvas, m_caption) + m_top + m_bottom;
}

int TiPlotLabel::GetRequiredWidth(TCanvas& canvas)
{
    CalcRects(canvas);
    return m_requiredWidth;
}

int TiPlotLabel::PictureLeft(const TRect& r, int width) const
{
    switch (m_alignment) {
    case iahLeft: return r.Left + m_left;
    case iahRight: return r.Right - m_right - width;
    case iahCenter: break;
    }
    return (r.Left + r.Right) / 2 - width / 2;
}

bool TiPlotLabel::DrawOwnImage(TCanvas& canvas, const TRect& r)
{
    // Without a drawable picture the caption shows instead.
    if (!m_image.Drawable())
        return false;
    m_image.Draw(canvas, PictureLeft(r, m_image.Get()->GetWidth()), r.Top + m_top);
    return true;
}

bool TiPlotLabel::DrawListImage(TCanvas& canvas, const TRect& r)
{
    TImageList* list = Owner() ? Owner()->GetPlotImageList(m_imageListIndex) : nullptr;
    if (!list || m_imageIndex < 0 || list->Count() <= m_imageIndex)
        return false;
    list->Draw(canvas, PictureLeft(r, list->GetWidth()), r.Top + m_top, m_imageIndex, Enabled());
    return true;
}

void TiPlotLabel::DrawCaption(TCanvas& canvas, const TRect& r, TColor backGroundColor)
{
    canvas.Brush().SetStyle(bsClear);
    canvas.Font().Assign(*m_font);
    if (Horizontal()) {
        static constexpr TiTextFlag kAlign[] = {itfHCenter, itfHLeft, itfHRight};
        TRect textRect = Rect(r.Left + m_left, r.Top + m_top, r.Right - m_right, r.Bottom - m_bottom);
        iDrawText(canvas, m_caption, textRect, {itfVCenter, kAlign[m_alignment]}, true, backGroundColor);
        return;
    }
    // Turned text is drawn centred in its rectangle: left and right alignment place it on a
    // single line (a rectangle of no height) at the end the alignment names.
    const int t = iTextWidth(canvas, m_caption);
    int top = 0, bottom = 0;
    switch (m_alignment) {
    case iahCenter: {
        const int c = (r.Top + r.Bottom) / 2;
        top = c - t / 2;
        bottom = c + t / 2;
        break;
    }
    case iahLeft: top = bottom = r.Bottom - t / 2 - m_left; break;
    case iahRight: top = bottom = r.Top + t / 2 + m_right; break;
    }
    iDrawRotatedText(canvas, m_caption, Rect(r.Left + m_top, top, r.Right - m_bottom, bottom), ira090, iahCenter, true,
                     backGroundColor);
}

void TiPlotLabel::Draw(TCanvas& canvas, TColor backGroundColor)
{
    if (!Visible())
        return;
    CalcRects(canvas);
    const TRect r = GetDrawRect();
    if (DrawOwnImage(canvas, r) || DrawListImage(canvas, r))
        return;
    DrawCaption(canvas, r, backGroundColor);
}

// --- Published properties -------------------------------------------------------------------

PRAVIX_PUBLISH(TiPlotLabel, Prop("MarginLeft", &TiPlotLabel::MarginLeft, &TiPlotLabel::SetMarginLeft),
               Prop("MarginRight", &TiPlotLabel::MarginRight, &TiPlotLabel::SetMarginRight),
               Prop("MarginTop", &TiPlotLabel::MarginTop, &TiPlotLabel::SetMarginTop),
               Prop("MarginBottom", &TiPlotLabel::MarginBottom, &TiPlotLabel::SetMarginBottom),
               Prop("Caption", &TiPlotLabel::Caption, &TiPlotLabel::SetCaption),
               Prop("Alignment", &TiPlotLabel::Alignment, &TiPlotLabel::SetAlignment).Default(iahCenter),
               Prop("Font", &TiPlotLabel::Font, &TiPlotLabel::SetFont).Owned(),
               Prop("ImageListIndex", &TiPlotLabel::ImageListIndex, &TiPlotLabel::SetImageListIndex).Default(-1),
               Prop("ImageIndex", &TiPlotLabel::ImageIndex, &TiPlotLabel::SetImageIndex).Default(0))

static const TiPlotKindRegistration labelKind = TiPlotKindRegistration::Of<TiPlotLabel>(TiPlotObjectKind::Label);
