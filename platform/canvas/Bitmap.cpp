#include "platform/canvas/Bitmap.h"

#include "platform/canvas/ImageCodecs.h"
#include "platform/canvas/QtCanvas_p.h"
#include "platform/canvas/SystemColors.h"
#include "platform/core/Exceptions.h"
#include "platform/core/Resources.h"
#include "platform/core/StrUtils.h"
#include "platform/core/Streams.h"

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <mutex>
#include <set>
#include <string>

namespace {

void ReportMissingResourceOnce(const std::string& name)
{
    static std::mutex lock;
    static std::set<std::string> reported;
    const std::lock_guard<std::mutex> guard(lock);
    if (reported.insert(UpperCase(name)).second)
        std::fprintf(stderr, "Bitmap resource \"%s\" not found\n", name.c_str());
}

}  // namespace

struct TBitmap::Private {
    QImage Image;
    std::unique_ptr<TCanvas> Canvas;
    bool Transparent = false;
    TColor TransparentColor = clDefault;
};

QImage& BitmapAccess::Image(TBitmap& bitmap) { return bitmap.d->Image; }
const QImage& BitmapAccess::Image(const TBitmap& bitmap) { return bitmap.d->Image; }

TBitmap::TBitmap() : d(std::make_unique<Private>()) {}
TBitmap::~TBitmap() = default;

int TBitmap::GetWidth() const { return d->Image.width(); }
int TBitmap::GetHeight() const { return d->Image.height(); }
void TBitmap::SetWidth(int value) { SetSize(value, GetHeight()); }
void TBitmap::SetHeight(int value) { SetSize(GetWidth(), value); }
bool TBitmap::Empty() const { return d->Image.isNull(); }

void TBitmap::SetSize(int width, int height)
{
    width = std::max(0, width);
    height = std::max(0, height);
    if (width == GetWidth() && height == GetHeight())
        return;
    if (1LL * width * height > kMaxBitmapPixels)
        throw Exception("Picture too large: " + std::to_string(width) + " x " + std::to_string(height) +
                        " pixels.\nThe limit is " + std::to_string(kMaxBitmapPixels) + " pixels.");
    QImage image;
    if (width > 0 && height > 0) {
        image = QImage(width, height, QImage::Format_RGB32);
        image.fill(0);
        if (!d->Image.isNull()) {
            QPainter p(&image);
            p.drawImage(0, 0, d->Image);
        }
    }
    d->Image = image;
    Changed();
}

TCanvas& TBitmap::Canvas()
{
    if (!d->Canvas) {
        d->Canvas = std::make_unique<TCanvas>(CreateImageDevice(d->Image));
        d->Canvas->OnChange = [this] { Changed(); };
    }
    return *d->Canvas;
}

void TBitmap::Assign(const TBitmap& source)
{
    if (&source == this)
        return;
    d->Image = source.d->Image;
    d->Transparent = source.d->Transparent;
    d->TransparentColor = source.d->TransparentColor;
    Changed();
}

bool TBitmap::GetTransparent() const { return d->Transparent; }

void TBitmap::SetTransparent(bool value)
{
    if (value == d->Transparent)
        return;
    d->Transparent = value;
    Changed();
}

TColor TBitmap::GetTransparentColor() const
{
    if (d->TransparentColor != clDefault)
        return d->TransparentColor;
    if (Empty())
        return clBlack;
    return FromQRgb(d->Image.pixel(0, GetHeight() - 1));
}

void TBitmap::SetTransparentColor(TColor value)
{
    if (value == d->TransparentColor)
        return;
    d->TransparentColor = value;
    Changed();
}

void TBitmap::LoadFromFile(const std::string& fileName)
{
    const std::string bytes = ReadFileBytes(fileName);
    LoadFromBytes(TBytes(bytes.begin(), bytes.end()));
}

namespace {

std::uint32_t LittleEndian32(const std::vector<std::uint8_t>& b, size_t at)
{
    return std::uint32_t(b[at]) | std::uint32_t(b[at + 1]) << 8 | std::uint32_t(b[at + 2]) << 16 |
           std::uint32_t(b[at + 3]) << 24;
}

// An uncompressed BMP must hold all the rows its header declares: a file of a few bytes that
// claims a million columns would otherwise be made up pixel by pixel for seconds.
bool HoldsItsRows(const std::vector<std::uint8_t>& b)
{
    if (b.size() < 54 || LittleEndian32(b, 14) < 40)
        return true;  // the small OS/2 header: left to the decoder
    const std::uint32_t compression = LittleEndian32(b, 30);
    if (compression != 0 && compression != 3)
        return true;  // run-length data has no fixed size
    const std::int64_t width = std::int32_t(LittleEndian32(b, 18));
    const std::int64_t height = std::int32_t(LittleEndian32(b, 22));
    const std::int64_t bits = b[28] | b[29] << 8;
    const std::int64_t stride = (std::abs(width) * bits + 31) / 32 * 4;
    const std::int64_t available = std::int64_t(b.size()) - std::int64_t(LittleEndian32(b, 10));
    return available >= 0 && (stride == 0 || std::abs(height) <= available / stride);
}

}  // namespace

void TBitmap::LoadFromBytes(const std::vector<std::uint8_t>& bytes)
{
    QImage image;
    const bool isBmp = bytes.size() >= 2 && bytes[0] == 'B' && bytes[1] == 'M';
    if (!isBmp || !HoldsItsRows(bytes) || !image.loadFromData(bytes.data(), int(bytes.size()), "BMP") || image.isNull())
        throw Exception("Bitmap image is not valid");
    d->Image = image.convertToFormat(QImage::Format_RGB32);
    Changed();
}

void TBitmap::LoadFromResourceName(const std::string& name)
{
    std::string bytes;
    if (!ReadResource(name, bytes)) {
        ReportMissingResourceOnce(name);
        SetSize(0, 0);
        return;
    }
    LoadFromBytes(TBytes(bytes.begin(), bytes.end()));
}

void TBitmap::SaveToFile(const std::string& fileName) const
{
    const TBytes bytes = WriteBMP(*this);
    WriteFileBytes(fileName, bytes.data(), bytes.size());
}

void TBitmap::Changed()
{
    if (OnChange)
        OnChange();
}
