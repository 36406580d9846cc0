#include "platform/gui/Clipboard.h"

#include "platform/canvas/Bitmap.h"
#include "platform/canvas/QtBridge_p.h"
#include "platform/canvas/QtCanvas_p.h"

#include <QBuffer>
#include <QClipboard>
#include <QGuiApplication>
#include <QImage>
#include <QMimeData>

namespace {

using TBytes = TClipboard::Bytes;

QClipboard* System() { return QGuiApplication::clipboard(); }

QByteArray ToByteArray(const TBytes& bytes)
{
    return QByteArray(reinterpret_cast<const char*>(bytes.data()), qsizetype(bytes.size()));
}

TBytes FromByteArray(const QByteArray& bytes) { return TBytes(bytes.begin(), bytes.end()); }

void PutImage(QMimeData& data, const TBytes& png)
{
    QImage image;
    if (!png.empty() && image.loadFromData(ToByteArray(png), "PNG")) {
        data.setImageData(image);
        data.setData("image/png", ToByteArray(png));
    }
}

}  // namespace

void TClipboard::Clear() { System()->clear(); }

void TClipboard::SetText(const std::string& text) { System()->setText(ToQString(text)); }

std::string TClipboard::AsText() const { return FromQString(System()->text()); }

bool TClipboard::HasText() const
{
    const QMimeData* data = System()->mimeData();
    return data && data->hasText();
}

void TClipboard::SetImagePNG(const TBytes& png) { SetFormats({}, png); }

TClipboard::Bytes TClipboard::ImagePNG() const
{
    const QMimeData* data = System()->mimeData();
    if (!data)
        return {};
    if (data->hasFormat("image/png"))
        return FromByteArray(data->data("image/png"));
    const QImage image = System()->image();
    if (image.isNull())
        return {};
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "PNG");
    return FromByteArray(bytes);
}

void TClipboard::SetBitmap(const TBitmap& bitmap)
{
    const QImage& image = BitmapAccess::Image(bitmap);
    QByteArray png;
    QBuffer buffer(&png);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "PNG");
    auto data = std::make_unique<QMimeData>();
    data->setImageData(image);
    data->setData("image/png", png);
    System()->setMimeData(data.release());
}

bool TClipboard::GetBitmap(TBitmap& bitmap) const
{
    const QImage image = System()->image();
    if (image.isNull())
        return false;
    BitmapAccess::Image(bitmap) = image.convertToFormat(QImage::Format_RGB32);
    return true;
}

bool TClipboard::HasImage() const
{
    const QMimeData* data = System()->mimeData();
    return data && (data->hasImage() || data->hasFormat("image/png"));
}

void TClipboard::SetFormats(const std::vector<std::pair<std::string, TBytes>>& formats, const TBytes& imagePNG)
{
    auto data = std::make_unique<QMimeData>();
    for (const auto& [name, bytes] : formats)
        data->setData(QString::fromStdString(name), ToByteArray(bytes));
    PutImage(*data, imagePNG);
    System()->setMimeData(data.release());
}

bool TClipboard::HasFormat(const std::string& format) const
{
    const QMimeData* data = System()->mimeData();
    return data && data->hasFormat(QString::fromStdString(format));
}

TClipboard::Bytes TClipboard::GetFormat(const std::string& format) const
{
    const QMimeData* data = System()->mimeData();
    return data ? FromByteArray(data->data(QString::fromStdString(format))) : TBytes{};
}

TClipboard* Clipboard()
{
    static TClipboard clipboard;
    return &clipboard;
}
