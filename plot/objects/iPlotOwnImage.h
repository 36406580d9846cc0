#pragma once
// TiPlotOwnImage: a picture a plot object keeps of its own (a label's, an annotation's), held as
// a copy of the bitmap it was given. A picture without pixels counts as none: it has no
// bottom-left pixel to take its transparent colour from, so the object shows what it would
// show without a picture.
//
//     m_image.Set(&bitmap);                   // a copy; the caller's bitmap may go
//     if (m_image.Drawable())
//         m_image.Draw(canvas, left, top);    // see-through where the bottom-left colour is

#include "plot/objects/iPlotObjectsLayer.h"

#include "platform/canvas/Bitmap.h"
#include "platform/canvas/Graphics.h"

#include <memory>
#include <string>

class TiPlotOwnImage {
public:
    // A copy of `bitmap`; nullptr removes the picture.
    void Set(const TBitmap* bitmap);
    // True when there was a picture to remove.
    bool Clear();
    // A bitmap file; a broken file raises and leaves the picture as it was.
    void LoadFromFile(const std::string& fileName);

    const TBitmap* Get() const { return m_bitmap.get(); }
    bool Drawable() const { return m_bitmap && !m_bitmap->Empty(); }
    // Drawn with its top-left corner at (`left`, `top`), transparent in its bottom-left
    // pixel's colour. Only a drawable picture is drawn.
    void Draw(TCanvas& canvas, int left, int top);

private:
    std::unique_ptr<TBitmap> m_bitmap;
};
