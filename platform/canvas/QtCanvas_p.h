#pragma once
// Platform-internal: canvases on Qt paint devices, and the bridges between the library's
// drawing values and Qt's. Only platform/ code includes this header.
//
// A widget paints by making a canvas on its QPainter for the duration of a paint event:
//     QPainter painter(this);
//     auto canvas = CreatePainterCanvas(painter);
//     component->Paint(*canvas);
// A printer page does the same with TPainterTarget::Printer (focus rectangles become dotted
// rectangles in the font colour, inversions are left out).

#include "platform/canvas/CanvasDevice_p.h"
#include "platform/canvas/VisualLayer.h"

#include <QColor>
#include <QFont>
#include <QImage>
#include <QPainter>
#include <QRegion>

#include <memory>

class TBitmap;

enum class TPainterTarget { Screen, Printer };

// Draws on a painter owned by the caller, which must outlive the canvas. Each primitive
// saves and restores the painter's state and keeps its clip and transform.
std::unique_ptr<TCanvas> CreatePainterCanvas(QPainter& painter, TPainterTarget target = TPainterTarget::Screen);
// Draws straight into an image (32-bit RGB) that must outlive the device.
std::unique_ptr<TCanvasDevice> CreateImageDevice(QImage& image);

QFont MakeQFont(const TFontData& font);
QRegion ToQRegion(const TRegion& region);
QColor ToQColor(TColor color);  // system colours resolved
QRgb ToQRgb(TColor color);      // opaque, system colours resolved
TColor FromQRgb(QRgb rgb);
// Fonts need an application object. Text drawn before the program made one creates a
// QApplication (off-screen when there is no display); code that sets up the application
// must reuse QCoreApplication::instance() when it exists.
void EnsureGuiApplication();
// Gives the fully transparent pixels of an ARGB image a colour that no other pixel has and
// turns the image into 32-bit RGB; returns that colour (usable as a transparent colour
// also when no pixel was transparent).
TColor KeyTransparentPixels(QImage& image);
// The image as ARGB with the pixels of the key colour fully transparent.
QImage KeyToAlpha(const QImage& image, TColor key);
// The bitmap's picture, its transparent colour made transparent when Transparent is set.
QImage TransparentImage(const TBitmap& bitmap);

struct BitmapAccess {
    static QImage& Image(TBitmap& bitmap);
    static const QImage& Image(const TBitmap& bitmap);
};
