#include "plot/objects/iPlotOwnImage.h"

void TiPlotOwnImage::Set(const TBitmap* bitmap)
{
    if (!bitmap) {
        m_bitmap.reset();
        return;
    }
    if (!m_bitmap)
        m_bitmap = std::make_unique<TBitmap>();
    m_bitmap->Assign(*bitmap);
}

bool TiPlotOwnImage::Clear()
{
    const bool had = m_bitmap != nullptr;
    m_bitmap.reset();
    return had;
}

void TiPlotOwnImage::LoadFromFile(const std::string& fileName)
{
    TBitmap bitmap;
    bitmap.LoadFromFile(fileName);
    Set(&bitmap);
}

void TiPlotOwnImage::Draw(TCanvas& canvas, int left, int top)
{
    if (!Drawable())
        return;
    m_bitmap->SetTransparentColor(clDefault);
    m_bitmap->SetTransparent(true);
    canvas.Draw(left, top, *m_bitmap);
}
