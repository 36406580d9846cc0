#pragma once
// Image file encoders and decoders: PNG (libpng + zlib), JPEG (libjpeg) and 24-bit BMP.
// Library failures raise Exception with "PNG error - <libpng's text>" or
// "JPEG error #<libjpeg's message code>".

#include "platform/canvas/Graphics.h"
#include "platform/canvas/VisualLayer.h"

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

class TBitmap;
using TBytes = std::vector<std::uint8_t>;

// 8-bit RGB, no interlace, default filters, zlib level 0 (none) to 9 (best).
TBytes EncodePNG(const TBitmap& image, int level);
// 3-component RGB; quality 1..100 with baseline-limited tables; progressive scans when asked;
// bestSpeed chooses the fast integer DCT, otherwise the accurate one.
TBytes EncodeJPEG(const TBitmap& image, int quality, bool progressive, bool bestSpeed);
// Replaces the bitmap's picture with the decoded image.
void DecodeJPEG(const TBytes& bytes, TBitmap& image);
// 24-bit BMP: file header, info header, bottom-up rows padded to 4 bytes.
TBytes WriteBMP(const TBitmap& image);

// An encoded JPEG picture: keeps the file bytes and decodes them to draw.
class TJPEGImage {
public:
    TJPEGImage();
    ~TJPEGImage();
    TJPEGImage(const TJPEGImage&) = delete;
    TJPEGImage& operator=(const TJPEGImage&) = delete;

    int GetCompressionQuality() const { return m_quality; }
    void SetCompressionQuality(int value) { m_quality = value; }
    bool GetProgressiveEncoding() const { return m_progressive; }
    void SetProgressiveEncoding(bool value) { m_progressive = value; }
    bool GetBestSpeed() const { return m_bestSpeed; }
    void SetBestSpeed(bool value) { m_bestSpeed = value; }

    // Encodes the bitmap with the current settings.
    void Assign(const TBitmap& bitmap);
    // Takes encoded bytes; they are checked by decoding them.
    void LoadFromBytes(const TBytes& bytes);
    void LoadFromFile(const std::string& fileName);
    void SaveToFile(const std::string& fileName) const;
    const TBytes& Bytes() const { return m_bytes; }
    bool Empty() const { return m_bytes.empty(); }
    int GetWidth() const;
    int GetHeight() const;

    void ToBitmap(TBitmap& bitmap) const;
    void Draw(TCanvas& canvas, int x, int y) const;
    void StretchDraw(TCanvas& canvas, const TRect& r) const;

private:
    const TBitmap& Decoded() const;

private:
    TBytes m_bytes;
    mutable std::unique_ptr<TBitmap> m_decoded;  // decoded on first use
    int m_quality = 75;
    bool m_progressive = false;
    bool m_bestSpeed = false;
};
