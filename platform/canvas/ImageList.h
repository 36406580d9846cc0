#pragma once
// A list of equally sized images with a transparent colour each, drawn normally or
// greyed (embossed) for disabled commands.

#include "platform/canvas/Graphics.h"
#include "platform/canvas/VisualLayer.h"

#include <cstdint>
#include <memory>
#include <vector>

class TBitmap;
using TBytes = std::vector<std::uint8_t>;

class TImageList {
public:
    TImageList(int width = 16, int height = 16);
    ~TImageList();
    TImageList(const TImageList&) = delete;
    TImageList& operator=(const TImageList&) = delete;

    int GetWidth() const { return m_width; }
    int GetHeight() const { return m_height; }
    // A new size clears the list.
    void SetSize(int width, int height);
    void SetWidth(int value) { SetSize(value, m_height); }
    void SetHeight(int value) { SetSize(m_width, value); }

    int Count() const { return int(m_images.size()); }
    void Clear();
    // Adds the bitmap cut into images of the list's size from left to right (at least
    // one); pixels of maskColor are transparent. Returns the index of the first image.
    int Add(const TBitmap& bitmap, TColor maskColor);
    // Index out of range draws nothing. Disabled images are drawn as an emboss of their
    // dark pixels: the highlight colour one pixel down-right, then the shadow colour.
    void Draw(TCanvas& canvas, int x, int y, int index, bool enabled = true) const;
    // The picture of one image with its transparency (for tests and editors).
    void GetBitmap(int index, TBitmap& bitmap) const;

    // "iIL1", int32 width, int32 height, int32 count, then per image int32 length and a
    // PNG with alpha (transparent pixels at alpha 0); integers little-endian.
    TBytes SaveToBytes() const;
    // Broken data raises "Invalid image list data" and leaves the list unchanged.
    void LoadFromBytes(const TBytes& bytes);

    TNotifyCallback OnChange;

private:
    int m_width;
    int m_height;
    std::vector<std::shared_ptr<TBitmap>> m_images;  // transparent bitmaps
    void Changed();
};
