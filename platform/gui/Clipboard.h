#pragma once
// The system clipboard: text, images (as PNG bytes) and named byte formats such as
// "image/emf" and "image/jpeg". Putting several formats at once replaces the whole content.

#include "platform/canvas/VisualLayer.h"

#include <cstdint>
#include <string>
#include <utility>
#include <vector>

class TBitmap;

class TClipboard {
public:
    using Bytes = std::vector<std::uint8_t>;

    void Clear();
    void SetText(const std::string& text);  // 8-bit text
    std::string AsText() const;
    bool HasText() const;

    // A bitmap given as PNG bytes; other programs see it as an image.
    void SetImagePNG(const Bytes& png);
    // The clipboard image encoded as PNG (empty when there is none).
    Bytes ImagePNG() const;
    bool HasImage() const;
    // A bitmap, placed as an image (and PNG bytes for other programs); reading answers false
    // and leaves the bitmap alone when the clipboard holds no image.
    void SetBitmap(const TBitmap& bitmap);
    bool GetBitmap(TBitmap& bitmap) const;

    // Named byte formats, all placed in one step together with an optional image (PNG bytes)
    // that other programs can show.
    void SetFormats(const std::vector<std::pair<std::string, Bytes>>& formats, const Bytes& imagePNG = {});
    bool HasFormat(const std::string& format) const;
    Bytes GetFormat(const std::string& format) const;
};

TClipboard* Clipboard();
