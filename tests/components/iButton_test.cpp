#include "components/iButton.h"

#include "components/iGPFunctions.h"
#include "platform/canvas/Bitmap.h"
#include "platform/canvas/PixelTestUtil.h"
#include "platform/canvas/SystemColors.h"

#include <gtest/gtest.h>

TEST(iButton, MouseSequences)
{
    struct Case {
        const char* why;
        bool enabled;
        std::vector<TPoint> downUp;  // press at the first point, release at the second
        bool mouseDownBetween;
        int clicks;
    };
    const Case cases[] = {
        {"a release inside is a click", true, {{15, 15}, {15, 15}}, true, 1},
        {"left and top edges lie inside", true, {{15, 15}, {10, 10}}, true, 1},
        {"right and bottom edges lie outside", true, {{15, 15}, {40, 20}}, true, 0},
        {"", true, {{15, 15}, {20, 30}}, true, 0},
        {"a release outside releases without a click", true, {{15, 15}, {100, 100}}, true, 0},
        {"a disabled button ignores both", false, {{15, 15}, {15, 15}}, false, 0},
    };
    for (const Case& c : cases) {
        TiButton button;
        button.SetDrawRect(TRect(10, 10, 40, 30));
        button.SetEnabled(c.enabled);
        int clicks = 0;
        button.OnChange = [&](TObject* sender) {
            EXPECT_EQ(sender, &button);
            ++clicks;
        };
        button.iMouseDown(mbLeft, {}, c.downUp[0].X, c.downUp[0].Y);
        EXPECT_EQ(button.MouseDown(), c.mouseDownBetween) << c.why;
        button.iMouseMove({}, 0, 0);
        button.iMouseUp(mbLeft, {}, c.downUp[1].X, c.downUp[1].Y);
        EXPECT_FALSE(button.MouseDown()) << c.why;
        EXPECT_EQ(clicks, c.clicks) << c.why;
    }
}

TEST(iButton, ChangesAskTheOwnerToRepaint)
{
    TiButton button;
    int repaints = 0;
    button.OnInvalidate = [&](TObject*) { ++repaints; };
    button.SetDrawRect(TRect(1, 2, 30, 20));
    button.SetDrawRect(TRect(1, 2, 30, 20));
    button.SetCaption("Go");
    button.SetCaption("Go");
    button.SetEnabled(false);
    button.SetVisible(false);
    button.SetMouseDown(true);
    TFont font;
    font.SetHeight(-16);
    button.SetFont(&font);
    EXPECT_EQ(repaints, 6);
    EXPECT_EQ(button.GetDrawRect(), TRect(1, 2, 30, 20));
    EXPECT_EQ(button.GetWidth(), 29);
    EXPECT_EQ(button.GetHeight(), 18);
    EXPECT_EQ(button.Font()->GetHeight(), -16);
}

TEST(iButton, DrawsRaisedOrSunkenWithItsCaption)
{
    TiButton button;
    button.SetDrawRect(TRect(2, 2, 62, 24));
    button.SetCaption("Start");
    const std::vector<Legend> legend = {
        {clWhite, 'w'}, {ColorToRGB(cl3DLight), 'l'}, {ColorToRGB(clBtnShadow), 's'}, {ColorToRGB(cl3DDkShadow), 'd'}};
    auto bitmap = WhiteBitmap(64, 26);
    button.Draw(bitmap->Canvas(), true);
    // Raised: light outside, highlight inside at the top; shadow, then dark shadow at the bottom.
    EXPECT_EQ(Column(*bitmap, 30, 2, 4, legend) + Column(*bitmap, 30, 22, 24, legend), "lwsd");
    const TRect ink = InkBox(*bitmap, clWhite);
    EXPECT_EQ(ink, TRect(2, 2, 62, 24));
    int black = 0;
    for (int y = 4; y < 22; ++y)
        for (int x = 4; x < 60; ++x)
            black += bitmap->Canvas().GetPixel(x, y) == clBlack;
    EXPECT_GT(black, 20);  // the caption

    button.SetMouseDown(true);
    bitmap = WhiteBitmap(64, 26);
    button.Draw(bitmap->Canvas(), true);
    EXPECT_EQ(Column(*bitmap, 30, 2, 4, legend) + Column(*bitmap, 30, 22, 24, legend), "sdlw");

    // Disabled (by the button or by the owner): the caption embossed, no black.
    for (bool ownerEnabled : {true, false}) {
        button.SetEnabled(!ownerEnabled);
        bitmap = WhiteBitmap(64, 26);
        button.Draw(bitmap->Canvas(), ownerEnabled);
        int dark = 0;
        for (int y = 4; y < 22; ++y)
            for (int x = 4; x < 60; ++x)
                dark += bitmap->Canvas().GetPixel(x, y) == clBlack;
        EXPECT_EQ(dark, 0);
    }
}
