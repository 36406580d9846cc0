// Writes the seed pictures of the binary formats (BMP, JPEG, image list, metafile) from the
// program's own toolbar bitmaps and drawing, as the program writes them:
//     fuzz_make_seeds <fuzz/corpus>
// The seeds are kept in the repository; run this again when a writer changes.

#include "FuzzSupport.h"

#include "platform/canvas/Bitmap.h"
#include "platform/canvas/ImageCodecs.h"
#include "platform/canvas/ImageList.h"
#include "platform/canvas/Metafile.h"
#include "platform/core/Resources.h"

#include <cstdio>
#include <fstream>

namespace {

std::string g_corpus;

void Write(const std::string& name, const void* bytes, std::size_t size)
{
    std::ofstream(g_corpus + "/" + name, std::ios::binary)
        .write(static_cast<const char*>(bytes), std::streamsize(size));
}
void Write(const std::string& name, const TBytes& bytes) { Write(name, bytes.data(), bytes.size()); }

void ToolbarBitmap(const char* name, TBitmap& bitmap)
{
    std::string bytes;
    ReadResource(name, bytes);
    bitmap.LoadFromBytes({bytes.begin(), bytes.end()});
}

void WriteBitmaps()
{
    for (const char* name : {"ZOOM", "SMALLSAVE", "TESTPATTERN"}) {
        std::string bytes;
        ReadResource(name, bytes);
        Write("bmp/" + std::string(name) + ".bmp", bytes.data(), bytes.size());
    }
    TBitmap picture;
    ToolbarBitmap("PRINTER", picture);
    Write("bmp/printer-24bit.bmp", WriteBMP(picture));
    Write("jpeg/printer-baseline.jpg", EncodeJPEG(picture, 75, false, false));
    Write("jpeg/printer-progressive.jpg", EncodeJPEG(picture, 30, true, true));
}

void WriteImageList()
{
    TBitmap strip;
    ToolbarBitmap("SMALLZOOMIN", strip);
    TImageList list(strip.GetWidth() / 2, strip.GetHeight());
    list.Add(strip, clFuchsia);
    Write("image_list/two-images.iil", list.SaveToBytes());
}

void WriteMetafile()
{
    TMetafile metafile;
    metafile.SetWidth(200);
    metafile.SetHeight(100);
    {
        TMetafileCanvas canvas(metafile, "Pravix", "seed");
        canvas.Pen().SetColor(clRed);
        canvas.MoveTo(0, 0);
        canvas.LineTo(199, 99);
        canvas.Polyline({{0, 99}, {50, 10}, {120, 80}});
        canvas.Brush().SetColor(clYellow);
        canvas.Ellipse(10, 10, 60, 40);
        canvas.IntersectClipRect(TRect{5, 5, 190, 95});
        canvas.Font().SetEscapement(900);
        canvas.TextOut(100, 50, "Turbidity");
        TBitmap icon;
        ToolbarBitmap("SAVE", icon);
        canvas.StretchDraw(TRect{150, 10, 190, 50}, icon);
    }
    Write("metafile/drawing.emf", metafile.SaveToBytes());
}

}  // namespace

int main(int argc, char** argv)
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: fuzz_make_seeds <corpus folder>\n");
        return 2;
    }
    g_corpus = argv[1];
    StartPlatform();
    WriteBitmaps();
    WriteImageList();
    WriteMetafile();
    return 0;
}
