#include "platform/canvas/ImageCodecs.h"

#include "platform/canvas/Bitmap.h"
#include "platform/canvas/QtCanvas_p.h"
#include "platform/core/Exceptions.h"
#include "platform/core/Streams.h"

#include <algorithm>
#include <csetjmp>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include <jerror.h>
#include <jpeglib.h>
#include <png.h>

// The C libraries report errors by longjmp. Every function that calls setjmp below is
// plain C: no C++ object with a destructor is alive in it, and the error is turned into
// an exception only after it has returned.

namespace {

struct CBuffer {
    unsigned char* Data;
    size_t Size;
    size_t Capacity;
};

int AppendC(CBuffer* buffer, const unsigned char* data, size_t size)
{
    if (buffer->Size + size > buffer->Capacity) {
        size_t capacity = buffer->Capacity ? buffer->Capacity * 2 : 65536;
        while (capacity < buffer->Size + size)
            capacity *= 2;
        unsigned char* grown = static_cast<unsigned char*>(std::realloc(buffer->Data, capacity));
        if (!grown)
            return 0;
        buffer->Data = grown;
        buffer->Capacity = capacity;
    }
    std::memcpy(buffer->Data + buffer->Size, data, size);
    buffer->Size += size;
    return 1;
}

TBytes TakeBuffer(CBuffer& buffer)
{
    TBytes bytes(buffer.Data, buffer.Data + buffer.Size);
    std::free(buffer.Data);
    buffer = {};
    return bytes;
}

// ---- PNG

constexpr size_t kErrorTextSize = 256;

void PngWrite(png_structp png, png_bytep data, png_size_t size)
{
    if (!AppendC(static_cast<CBuffer*>(png_get_io_ptr(png)), data, size))
        png_error(png, "Out of memory");
}

void PngFlush(png_structp) {}

[[noreturn]] void PngError(png_structp png, png_const_charp message)
{
    char* text = static_cast<char*>(png_get_error_ptr(png));
    std::snprintf(text, kErrorTextSize, "%s", message);
    std::longjmp(png_jmpbuf(png), 1);
}

void PngWarning(png_structp, png_const_charp) {}

int EncodePngC(const unsigned char* rgb, int width, int height, int level, CBuffer* out, char* errorText)
{
    png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, errorText, PngError, PngWarning);
    if (!png) {
        std::snprintf(errorText, kErrorTextSize, "%s", "Out of memory");
        return 0;
    }
    png_infop info = png_create_info_struct(png);
    if (!info) {
        png_destroy_write_struct(&png, nullptr);
        std::snprintf(errorText, kErrorTextSize, "%s", "Out of memory");
        return 0;
    }
    if (setjmp(png_jmpbuf(png))) {
        png_destroy_write_struct(&png, &info);
        return 0;
    }
    png_set_write_fn(png, out, PngWrite, PngFlush);
    png_set_compression_level(png, level);
    png_set_IHDR(png, info, png_uint_32(width), png_uint_32(height), 8, PNG_COLOR_TYPE_RGB, PNG_INTERLACE_NONE,
                 PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
    png_write_info(png, info);
    for (int y = 0; y < height; ++y)
        png_write_row(png, const_cast<png_bytep>(rgb + size_t(y) * size_t(width) * 3));
    png_write_end(png, info);
    png_destroy_write_struct(&png, &info);
    return 1;
}

// ---- JPEG

struct JpegError {
    jpeg_error_mgr Manager;
    std::jmp_buf Jump;
};

[[noreturn]] void JpegErrorExit(j_common_ptr info) { std::longjmp(reinterpret_cast<JpegError*>(info->err)->Jump, 1); }

void JpegOutputMessage(j_common_ptr) {}

// A file whose data ends early, at the end of the file or at a marker in the middle of a
// scan, would be decoded to the end anyway, every missing pixel made up: seconds of work for
// a few bytes that claim a large picture. It is refused as broken.
void JpegEmitMessage(j_common_ptr info, int level)
{
    if (level < 0 && (info->err->msg_code == JWRN_JPEG_EOF || info->err->msg_code == JWRN_HIT_MARKER))
        info->err->error_exit(info);
}

// Every progressive scan passes over the whole picture, and a scan takes only a few bytes:
// far more scans than any encoder writes are refused.
constexpr int kMaxJpegScans = 100;

void JpegCheckScans(j_common_ptr info)
{
    auto* decompress = reinterpret_cast<j_decompress_ptr>(info);
    if (decompress->input_scan_number > kMaxJpegScans) {
        info->err->msg_code = JERR_NOTIMPL;
        info->err->error_exit(info);
    }
}

struct JpegDestination {
    jpeg_destination_mgr Manager;
    CBuffer Buffer;
    JOCTET Chunk[16384];
};

void JpegInitDestination(j_compress_ptr info)
{
    auto* dest = reinterpret_cast<JpegDestination*>(info->dest);
    dest->Manager.next_output_byte = dest->Chunk;
    dest->Manager.free_in_buffer = sizeof dest->Chunk;
}

boolean JpegEmptyBuffer(j_compress_ptr info)
{
    auto* dest = reinterpret_cast<JpegDestination*>(info->dest);
    if (!AppendC(&dest->Buffer, dest->Chunk, sizeof dest->Chunk)) {
        info->err->msg_code = JERR_OUT_OF_MEMORY;
        info->err->error_exit(reinterpret_cast<j_common_ptr>(info));
    }
    JpegInitDestination(info);
    return TRUE;
}

void JpegTermDestination(j_compress_ptr info)
{
    auto* dest = reinterpret_cast<JpegDestination*>(info->dest);
    if (!AppendC(&dest->Buffer, dest->Chunk, sizeof dest->Chunk - dest->Manager.free_in_buffer)) {
        info->err->msg_code = JERR_OUT_OF_MEMORY;
        info->err->error_exit(reinterpret_cast<j_common_ptr>(info));
    }
}

int EncodeJpegC(const unsigned char* rgb, int width, int height, int quality, int progressive, int bestSpeed,
                JpegDestination* dest, int* messageCode)
{
    jpeg_compress_struct info;
    JpegError error;
    info.err = jpeg_std_error(&error.Manager);
    error.Manager.error_exit = JpegErrorExit;
    error.Manager.output_message = JpegOutputMessage;
    if (setjmp(error.Jump)) {
        *messageCode = error.Manager.msg_code;
        jpeg_destroy_compress(&info);
        return 0;
    }
    jpeg_create_compress(&info);
    dest->Manager.init_destination = JpegInitDestination;
    dest->Manager.empty_output_buffer = JpegEmptyBuffer;
    dest->Manager.term_destination = JpegTermDestination;
    info.dest = &dest->Manager;
    info.image_width = JDIMENSION(width);
    info.image_height = JDIMENSION(height);
    info.input_components = 3;
    info.in_color_space = JCS_RGB;
    jpeg_set_defaults(&info);
    jpeg_set_quality(&info, quality, TRUE);
    info.dct_method = bestSpeed ? JDCT_IFAST : JDCT_ISLOW;
    if (progressive)
        jpeg_simple_progression(&info);
    jpeg_start_compress(&info, TRUE);
    while (info.next_scanline < info.image_height) {
        JSAMPROW row = const_cast<JSAMPROW>(rgb + size_t(info.next_scanline) * size_t(width) * 3);
        jpeg_write_scanlines(&info, &row, 1);
    }
    jpeg_finish_compress(&info);
    jpeg_destroy_compress(&info);
    return 1;
}

// Pictures larger than this are refused as broken rather than allocated.
constexpr unsigned long long kMaxDecodedPixels = 1ull << 28;
// libjpeg's own buffers: enough for the whole-image coefficients of a progressive picture of
// some 40 megapixels, far less than the largest picture's pixels.
constexpr long kMaxJpegWorkMemory = 256l << 20;

int DecodeJpegC(const unsigned char* data, unsigned long size, unsigned char** pixels, int* width, int* height,
                int* messageCode)
{
    jpeg_decompress_struct info;
    JpegError error;
    unsigned char* volatile buffer = nullptr;
    info.err = jpeg_std_error(&error.Manager);
    error.Manager.error_exit = JpegErrorExit;
    error.Manager.output_message = JpegOutputMessage;
    error.Manager.emit_message = JpegEmitMessage;
    jpeg_progress_mgr progress{};
    progress.progress_monitor = JpegCheckScans;
    if (setjmp(error.Jump)) {
        *messageCode = error.Manager.msg_code;
        std::free(buffer);
        jpeg_destroy_decompress(&info);
        return 0;
    }
    jpeg_create_decompress(&info);
    info.progress = &progress;
    jpeg_mem_src(&info, data, size);
    jpeg_read_header(&info, TRUE);
    // The size is checked before libjpeg sets up its buffers: a progressive file allocates
    // coefficients for the whole image when decompression starts, whatever its real content.
    // The memory cap stops what the size check cannot see (many scans, many components).
    if (1ull * info.image_width * info.image_height > kMaxDecodedPixels) {
        *messageCode = JERR_IMAGE_TOO_BIG;
        jpeg_destroy_decompress(&info);
        return 0;
    }
    info.mem->max_memory_to_use = kMaxJpegWorkMemory;
    info.out_color_space = JCS_RGB;
    jpeg_start_decompress(&info);
    const unsigned long long count = 1ull * info.output_width * info.output_height;
    if (count == 0 || count > kMaxDecodedPixels || info.output_components != 3) {
        *messageCode = JERR_IMAGE_TOO_BIG;
        jpeg_destroy_decompress(&info);
        return 0;
    }
    buffer = static_cast<unsigned char*>(std::malloc(size_t(count) * 3));
    if (!buffer) {
        *messageCode = JERR_OUT_OF_MEMORY;
        jpeg_destroy_decompress(&info);
        return 0;
    }
    while (info.output_scanline < info.output_height) {
        JSAMPROW row = buffer + size_t(info.output_scanline) * info.output_width * 3;
        jpeg_read_scanlines(&info, &row, 1);
    }
    jpeg_finish_decompress(&info);
    *width = int(info.output_width);
    *height = int(info.output_height);
    jpeg_destroy_decompress(&info);
    *pixels = buffer;
    return 1;
}

// Packed 8-bit RGB rows of the bitmap.
std::vector<unsigned char> RgbRows(const TBitmap& image)
{
    const QImage& source = BitmapAccess::Image(image);
    std::vector<unsigned char> rgb(size_t(source.width()) * size_t(source.height()) * 3);
    size_t i = 0;
    for (int y = 0; y < source.height(); ++y) {
        const QRgb* line = reinterpret_cast<const QRgb*>(source.constScanLine(y));
        for (int x = 0; x < source.width(); ++x) {
            rgb[i++] = static_cast<unsigned char>(qRed(line[x]));
            rgb[i++] = static_cast<unsigned char>(qGreen(line[x]));
            rgb[i++] = static_cast<unsigned char>(qBlue(line[x]));
        }
    }
    return rgb;
}

[[noreturn]] void RaiseJpegError(int code) { throw Exception("JPEG error #" + std::to_string(code)); }

void PutLE(TBytes& out, std::uint32_t value, int size)
{
    for (int i = 0; i < size; ++i)
        out.push_back(std::uint8_t(value >> (8 * i)));
}

}  // namespace

TBytes EncodePNG(const TBitmap& image, int level)
{
    const std::vector<unsigned char> rgb = RgbRows(image);
    CBuffer out{};
    char errorText[kErrorTextSize] = {};
    if (!EncodePngC(rgb.data(), image.GetWidth(), image.GetHeight(), std::clamp(level, 0, 9), &out, errorText)) {
        std::free(out.Data);
        throw Exception(std::string("PNG error - ") + errorText);
    }
    return TakeBuffer(out);
}

TBytes EncodeJPEG(const TBitmap& image, int quality, bool progressive, bool bestSpeed)
{
    const std::vector<unsigned char> rgb = RgbRows(image);
    auto dest = std::make_unique<JpegDestination>();
    dest->Buffer = {};
    int code = 0;
    if (!EncodeJpegC(rgb.data(), image.GetWidth(), image.GetHeight(), quality, progressive, bestSpeed, dest.get(),
                     &code)) {
        std::free(dest->Buffer.Data);
        RaiseJpegError(code);
    }
    return TakeBuffer(dest->Buffer);
}

void DecodeJPEG(const TBytes& bytes, TBitmap& image)
{
    unsigned char* pixels = nullptr;
    int width = 0, height = 0, code = 0;
    if (!DecodeJpegC(bytes.data(), static_cast<unsigned long>(bytes.size()), &pixels, &width, &height, &code))
        RaiseJpegError(code);
    std::unique_ptr<unsigned char, decltype(&std::free)> owner(pixels, &std::free);
    QImage decoded(width, height, QImage::Format_RGB32);
    const unsigned char* p = pixels;
    for (int y = 0; y < height; ++y) {
        QRgb* line = reinterpret_cast<QRgb*>(decoded.scanLine(y));
        for (int x = 0; x < width; ++x, p += 3)
            line[x] = qRgb(p[0], p[1], p[2]);
    }
    TBitmap result;
    BitmapAccess::Image(result) = decoded;
    image.Assign(result);
}

TBytes WriteBMP(const TBitmap& image)
{
    const QImage& source = BitmapAccess::Image(image);
    const int width = source.width(), height = source.height();
    const std::uint32_t stride = (std::uint32_t(width) * 3 + 3) & ~3u;
    const std::uint32_t imageSize = stride * std::uint32_t(height);
    TBytes out;
    out.reserve(54 + imageSize);
    out.push_back('B');
    out.push_back('M');
    PutLE(out, 54 + imageSize, 4);
    PutLE(out, 0, 4);
    PutLE(out, 54, 4);
    PutLE(out, 40, 4);
    PutLE(out, std::uint32_t(width), 4);
    PutLE(out, std::uint32_t(height), 4);  // positive: bottom-up
    PutLE(out, 1, 2);
    PutLE(out, 24, 2);
    PutLE(out, 0, 4);  // no compression
    PutLE(out, imageSize, 4);
    PutLE(out, 0, 4);
    PutLE(out, 0, 4);
    PutLE(out, 0, 4);
    PutLE(out, 0, 4);
    for (int y = height - 1; y >= 0; --y) {
        const QRgb* line = reinterpret_cast<const QRgb*>(source.constScanLine(y));
        for (int x = 0; x < width; ++x) {
            out.push_back(std::uint8_t(qBlue(line[x])));
            out.push_back(std::uint8_t(qGreen(line[x])));
            out.push_back(std::uint8_t(qRed(line[x])));
        }
        for (std::uint32_t pad = std::uint32_t(width) * 3; pad < stride; ++pad)
            out.push_back(0);
    }
    return out;
}

// ---- JPEG image object

TJPEGImage::TJPEGImage() = default;
TJPEGImage::~TJPEGImage() = default;

void TJPEGImage::Assign(const TBitmap& bitmap)
{
    TBytes bytes = EncodeJPEG(bitmap, m_quality, m_progressive, m_bestSpeed);
    m_decoded.reset();
    m_bytes = std::move(bytes);
}

void TJPEGImage::LoadFromBytes(const TBytes& bytes)
{
    auto decoded = std::make_unique<TBitmap>();
    DecodeJPEG(bytes, *decoded);
    m_bytes = bytes;
    m_decoded = std::move(decoded);
}

void TJPEGImage::LoadFromFile(const std::string& fileName)
{
    const std::string bytes = ReadFileBytes(fileName);
    LoadFromBytes(TBytes(bytes.begin(), bytes.end()));
}
void TJPEGImage::SaveToFile(const std::string& fileName) const
{
    WriteFileBytes(fileName, m_bytes.data(), m_bytes.size());
}

const TBitmap& TJPEGImage::Decoded() const
{
    if (!m_decoded) {
        auto decoded = std::make_unique<TBitmap>();
        if (!m_bytes.empty())
            DecodeJPEG(m_bytes, *decoded);
        m_decoded = std::move(decoded);
    }
    return *m_decoded;
}

void TJPEGImage::ToBitmap(TBitmap& bitmap) const { bitmap.Assign(Decoded()); }
int TJPEGImage::GetWidth() const { return Decoded().GetWidth(); }
int TJPEGImage::GetHeight() const { return Decoded().GetHeight(); }
void TJPEGImage::Draw(TCanvas& canvas, int x, int y) const { canvas.Draw(x, y, Decoded()); }
void TJPEGImage::StretchDraw(TCanvas& canvas, const TRect& r) const { canvas.StretchDraw(r, Decoded()); }
