// The colour dialog starts from the colour (a system colour shown as its RGB) with sixteen white
// custom colours.

#include "editors/iColorDialog.h"

#include "platform/canvas/SystemColors.h"
#include "platform/gui/TestHooks.h"

#include <gtest/gtest.h>

TEST(iColorDialog, StartsFromTheResolvedColourAndTakesTheChoiceOnOK)
{
    TiColorDialog dialog(nullptr);
    dialog.SetColor(clBtnFace);
    TestHooks::TModalScript script;
    EXPECT_FALSE(dialog.Execute());
    ASSERT_EQ(script.ColorDialogs.size(), 1u);
    EXPECT_EQ(script.ColorDialogs[0].Color, ColorToRGB(clBtnFace));
    for (TColor custom : script.ColorDialogs[0].CustomColors)
        EXPECT_EQ(custom, clWhite);
    EXPECT_EQ(dialog.Color(), clBtnFace) << "Cancel changes nothing";

    script.OnColorDialog = [](TColorRequest& r) {
        r.Color = clTeal;
        return true;
    };
    EXPECT_TRUE(dialog.Execute());
    EXPECT_EQ(dialog.Color(), clTeal);
}
