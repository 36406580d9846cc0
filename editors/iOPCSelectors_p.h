#pragma once
// What the OPC selector dialogs share: their form description and pictures from the program's
// resources, and the way an entry is confirmed.

#include "editors/EditorsLayer.h"

#include "platform/canvas/Bitmap.h"
#include "platform/canvas/ImageList.h"
#include "platform/core/Exceptions.h"
#include "platform/core/Resources.h"
#include "platform/gui/Forms.h"
#include "platform/gui/Keys.h"

#include <string>

inline std::string OPCSelectorResource(const std::string& name)
{
    std::string bytes;
    if (!ReadResource(name, bytes))
        throw Exception("The resource " + name + " is missing from the program.");
    return bytes;
}

// Teal marks the transparent pixels of the pictures.
inline void LoadOPCSelectorImages(TImageList& images, const std::string& name)
{
    const std::string bytes = OPCSelectorResource(name);
    TBitmap picture;
    picture.LoadFromBytes(TBytes(bytes.begin(), bytes.end()));
    images.Add(picture, clTeal);
}

// Enter on an entry that may be chosen closes the dialog with OK; the key goes no further.
inline void ConfirmOnEnter(TForm& form, int& key, bool choosable)
{
    if (key != VK_RETURN || !choosable)
        return;
    key = 0;
    form.SetModalResult(mrOk);
}
