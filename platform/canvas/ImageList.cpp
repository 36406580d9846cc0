#include "platform/canvas/ImageList.h"

#include "platform/canvas/Bitmap.h"
#include "platform/canvas/QtCanvas_p.h"
#include "platform/canvas/SystemColors.h"
#include "platform/core/Exceptions.h"

#include <QBuffer>

namespace {

// Dark pixels make the embossed picture of a disabled image.
bool IsDark(QRgb p) { return qRed(p) * 30 + qGreen(p) * 59 + qBlue(p) * 11 < 192 * 100; }

// A transparent bitmap holding the dark, opaque pixels of the image in one colour.
void Silhouette(const TBitmap& image, TColor color, TBitmap& out)
{
    const QImage source = BitmapAccess::Image(image).convertToFormat(QImage::Format_RGB32);
    const QRgb key = ToQRgb(image.GetTransparentColor()) & 0xFFFFFF;
    const QRgb ink = ToQRgb(color);
    const QRgb background = (ink & 0xFFFFFF) == 0 ? qRgb(255, 255, 255) : qRgb(0, 0, 0);
    QImage result(source.size(), QImage::Format_RGB32);
    // By the words of the rows: a toolbar draws the silhouettes of its disabled buttons
    // every paint.
    for (int y = 0; y < source.height(); ++y) {
        const QRgb* from = reinterpret_cast<const QRgb*>(source.constScanLine(y));
        QRgb* to = reinterpret_cast<QRgb*>(result.scanLine(y));
        for (int x = 0; x < source.width(); ++x)
            to[x] = (from[x] & 0xFFFFFF) != key && IsDark(from[x]) ? ink : background;
    }
    BitmapAccess::Image(out) = result;
    out.SetTransparent(true);
    out.SetTransparentColor(FromQRgb(background));
}

void PutI32(TBytes& out, std::int32_t v)
{
    for (int i = 0; i < 4; ++i)
        out.push_back(std::uint8_t(std::uint32_t(v) >> (8 * i)));
}

[[noreturn]] void RaiseInvalidData() { throw Exception("Invalid image list data"); }

std::int32_t GetI32(const TBytes& in, size_t& at)
{
    if (in.size() < 4 || at > in.size() - 4)
        RaiseInvalidData();
    std::uint32_t v = 0;
    for (int i = 0; i < 4; ++i)
        v |= std::uint32_t(in[at + size_t(i)]) << (8 * i);
    at += 4;
    return std::int32_t(v);
}

}  // namespace

TImageList::TImageList(int width, int height) : m_width(std::max(1, width)), m_height(std::max(1, height)) {}
TImageList::~TImageList() = default;

void TImageList::SetSize(int width, int height)
{
    width = std::max(1, width);
    height = std::max(1, height);
    if (width == m_width && height == m_height)
        return;
    m_width = width;
    m_height = height;
    m_images.clear();
    Changed();
}

void TImageList::Clear()
{
    if (m_images.empty())
        return;
    m_images.clear();
    Changed();
}

int TImageList::Add(const TBitmap& bitmap, TColor maskColor)
{
    const int first = Count();
    const QImage& source = BitmapAccess::Image(bitmap);
    const TColor key = ColorToRGB(maskColor);
    const int pieces = std::max(1, source.width() / m_width);
    for (int i = 0; i < pieces; ++i) {
        QImage piece(m_width, m_height, QImage::Format_RGB32);
        piece.fill(ToQColor(key));
        QPainter p(&piece);
        p.drawImage(0, 0, source, i * m_width, 0, m_width, m_height);
        p.end();
        auto image = std::make_shared<TBitmap>();
        BitmapAccess::Image(*image) = piece;
        image->SetTransparent(true);
        image->SetTransparentColor(key);
        m_images.push_back(std::move(image));
    }
    Changed();
    return first;
}

void TImageList::Draw(TCanvas& canvas, int x, int y, int index, bool enabled) const
{
    if (index < 0 || index >= Count())
        return;
    const TBitmap& image = *m_images[size_t(index)];
    if (enabled) {
        canvas.Draw(x, y, image);
        return;
    }
    TBitmap highlight, shadow;
    Silhouette(image, clBtnHighlight, highlight);
    Silhouette(image, clBtnShadow, shadow);
    canvas.Draw(x + 1, y + 1, highlight);
    canvas.Draw(x, y, shadow);
}

void TImageList::GetBitmap(int index, TBitmap& bitmap) const
{
    if (index < 0 || index >= Count())
        RaiseListIndexError(index);
    bitmap.Assign(*m_images[size_t(index)]);
}

TBytes TImageList::SaveToBytes() const
{
    TBytes out{'i', 'I', 'L', '1'};
    PutI32(out, m_width);
    PutI32(out, m_height);
    PutI32(out, Count());
    for (const auto& image : m_images) {
        const QImage argb = TransparentImage(*image);
        QByteArray png;
        QBuffer buffer(&png);
        buffer.open(QIODevice::WriteOnly);
        argb.save(&buffer, "PNG");
        PutI32(out, std::int32_t(png.size()));
        out.insert(out.end(), png.begin(), png.end());
    }
    return out;
}

void TImageList::LoadFromBytes(const TBytes& bytes)
{
    if (bytes.size() < 16 || std::string(bytes.begin(), bytes.begin() + 4) != "iIL1")
        RaiseInvalidData();
    size_t at = 4;
    const int width = GetI32(bytes, at), height = GetI32(bytes, at), count = GetI32(bytes, at);
    if (width < 1 || height < 1 || width > 4096 || height > 4096 || count < 0 || size_t(count) > bytes.size() / 4)
        RaiseInvalidData();
    std::vector<std::shared_ptr<TBitmap>> images;
    for (int i = 0; i < count; ++i) {
        const std::int32_t length = GetI32(bytes, at);
        if (length < 0 || size_t(length) > bytes.size() - at)
            RaiseInvalidData();
        QImage image;
        if (!image.loadFromData(bytes.data() + at, length, "PNG") || image.width() != width || image.height() != height)
            RaiseInvalidData();
        at += size_t(length);
        auto bitmap = std::make_shared<TBitmap>();
        const TColor key = KeyTransparentPixels(image);
        BitmapAccess::Image(*bitmap) = image;
        bitmap->SetTransparent(true);
        bitmap->SetTransparentColor(key);
        images.push_back(std::move(bitmap));
    }
    m_width = width;
    m_height = height;
    m_images = std::move(images);
    Changed();
}

void TImageList::Changed()
{
    if (OnChange)
        OnChange();
}
