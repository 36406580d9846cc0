// Enhanced metafiles: loaded, then played into a small picture and stretched into one far
// larger than the picture, as the print preview and printing do.

#include "FuzzSupport.h"

#include "platform/canvas/Bitmap.h"
#include "platform/canvas/Metafile.h"

extern "C" int LLVMFuzzerInitialize(int*, char***)
{
    StartPlatform();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    TMetafile metafile;
    ExpectingLibraryErrors([&] { metafile.LoadFromBytes({data, data + size}); });
    TBitmap target;
    target.SetSize(32, 32);
    ExpectingLibraryErrors([&] {
        metafile.Play(target.Canvas(), TRect{0, 0, 32, 32});
        metafile.Play(target.Canvas(), TRect{-100000, -100000, 2000000000, 2000000000});
    });
    return 0;
}
