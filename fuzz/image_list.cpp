// The image-list stream ("iIL1" and PNG pictures), its images drawn, normally and greyed.

#include "FuzzSupport.h"

#include "platform/canvas/Bitmap.h"
#include "platform/canvas/ImageList.h"

extern "C" int LLVMFuzzerInitialize(int*, char***)
{
    StartPlatform();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    TImageList list;
    ExpectingLibraryErrors([&] { list.LoadFromBytes({data, data + size}); });
    TBitmap target;
    target.SetSize(8, 8);
    for (int i = 0; i < list.Count(); ++i) {
        list.Draw(target.Canvas(), 0, 0, i, true);
        list.Draw(target.Canvas(), 0, 0, i, false);
    }
    return 0;
}
