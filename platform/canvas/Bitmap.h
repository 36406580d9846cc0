#pragma once
// An off-screen picture with a canvas: 32-bit RGB in memory, 24-bit BMP on disk.

#include "platform/canvas/Graphics.h"
#include "platform/canvas/VisualLayer.h"

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

// The most pixels one bitmap may hold: 8192 x 8192, 256 MB in memory. A larger size is refused
// before any memory is asked for (a control of the largest size would want 4 GB for one paint).
constexpr long long kMaxBitmapPixels = 1LL << 26;

class TBitmap {
public:
    TBitmap();
    ~TBitmap();
    TBitmap(const TBitmap&) = delete;
    TBitmap& operator=(const TBitmap&) = delete;

    int GetWidth() const;
    int GetHeight() const;
    void SetWidth(int value);
    void SetHeight(int value);
    // A new bitmap is black (all bytes 0); growing keeps the old picture top-left and
    // makes the new area black. More than kMaxBitmapPixels raises an exception that names the
    // size and the limit, and leaves the bitmap as it was.
    void SetSize(int width, int height);
    // Width or height 0: no picture.
    bool Empty() const;

    TCanvas& Canvas();
    void Assign(const TBitmap& source);

    // Transparent drawing leaves out the pixels of the transparent colour, by default the
    // colour of the bottom-left pixel (0, Height - 1).
    bool GetTransparent() const;
    void SetTransparent(bool value);
    TColor GetTransparentColor() const;
    void SetTransparentColor(TColor value);  // clDefault: the bottom-left pixel

    // BMP of 1, 4, 8, 24 or 32 bits per pixel. A broken file raises "Bitmap image is not
    // valid" and leaves the bitmap as it was.
    void LoadFromFile(const std::string& fileName);
    void LoadFromBytes(const std::vector<std::uint8_t>& bytes);
    // A bitmap compiled into the program (see Resources.h). A missing name leaves the
    // bitmap empty and is reported on stderr, once per name: pictures are loaded while
    // painting, where an exception or a flood of messages would do more harm than a blank.
    void LoadFromResourceName(const std::string& name);
    // 24-bit BMP, bottom-up rows padded to 4 bytes.
    void SaveToFile(const std::string& fileName) const;

    TNotifyCallback OnChange;

private:
    friend struct BitmapAccess;
    struct Private;
    std::unique_ptr<Private> d;
    void Changed();
};
