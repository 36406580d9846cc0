// BMP files of every bit depth the loader takes, drawn once they loaded.

#include "FuzzSupport.h"

#include "platform/canvas/Bitmap.h"

extern "C" int LLVMFuzzerInitialize(int*, char***)
{
    StartPlatform();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    TBitmap bitmap;
    ExpectingLibraryErrors([&] { bitmap.LoadFromBytes({data, data + size}); });
    TBitmap target;
    target.SetSize(8, 8);
    target.Canvas().Draw(0, 0, bitmap);
    return 0;
}
