// JPEG pictures, baseline and progressive, decoded as a picture is when it is drawn.

#include "FuzzSupport.h"

#include "platform/canvas/Bitmap.h"
#include "platform/canvas/ImageCodecs.h"

extern "C" int LLVMFuzzerInitialize(int*, char***)
{
    StartPlatform();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    TJPEGImage image;
    ExpectingLibraryErrors([&] {
        image.LoadFromBytes({data, data + size});
        TBitmap bitmap;
        image.ToBitmap(bitmap);
    });
    return 0;
}
