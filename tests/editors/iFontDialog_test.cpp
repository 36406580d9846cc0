// The font dialog takes face, height, style and colour, and the character set only with a new
// face.

#include "editors/iFontDialog.h"

#include "platform/canvas/Graphics.h"
#include "platform/gui/TestHooks.h"

#include <gtest/gtest.h>

TEST(iFontDialog, TheCharacterSetFollowsOnlyANewFace)
{
    struct Case {
        const char* Why;
        const char* ChosenName;
        int ExpectedCharset;
    };
    const Case cases[] = {
        {"the same face, written otherwise: the set stays", "ARIAL", 0},
        {"a new face brings its set", "Courier New", 2},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.Why);
        TiFontDialog dialog(nullptr);
        dialog.Font()->SetCharset(0);
        TestHooks::TModalScript script;
        script.OnFontDialog = [&](TFontData& f) {
            f.Name = c.ChosenName;
            f.Charset = 2;
            f.Color = clMaroon;
            f.Height = -15;
            f.Style = {fsItalic, fsStrikeOut};
            return true;
        };
        ASSERT_TRUE(dialog.Execute());
        EXPECT_EQ(dialog.Font()->GetName(), c.ChosenName);
        EXPECT_EQ(dialog.Font()->GetCharset(), c.ExpectedCharset);
        EXPECT_EQ(dialog.Font()->GetColor(), clMaroon);
        EXPECT_EQ(dialog.Font()->GetHeight(), -15);
        EXPECT_EQ(dialog.Font()->GetStyle(), (TFontStyles{fsItalic, fsStrikeOut}));
    }
    TiFontDialog dialog(nullptr);
    TestHooks::TModalScript cancel;
    EXPECT_FALSE(dialog.Execute());
    EXPECT_EQ(dialog.Font()->GetName(), "Arial");
}
