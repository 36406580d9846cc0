// The recording canvas keeps each primitive with the state it was drawn in.

#include "platform/canvas/RecordingCanvas.h"
#include "platform/canvas/SystemColors.h"

#include <gtest/gtest.h>

TEST(RecordingCanvas, LogsPrimitivesWithPenBrushFontAndClip)
{
    TRecordingCanvas c;
    c.SetOrigin({10, 0});
    c.Pen().SetColor(clRed);
    c.Pen().SetWidth(2);
    c.Brush().SetStyle(bsCross);
    c.Rectangle(1, 2, 30, 40);
    c.IntersectClipRect({0, 0, 5, 5});
    c.Font().SetEscapement(900);
    c.TextOut(3, 4, "Hi");
    const std::vector<std::string> log = c.Log();
    ASSERT_EQ(log.size(), 2u);
    EXPECT_EQ(log[0], "Rectangle (11,2,40,40) pen=$000000FF/2/psSolid brush=$00FFFFFF/bsCross bk=$00FFFFFF/opaque");
    EXPECT_EQ(log[1],
              "Text (13,4) \"Hi\" pen=$000000FF/2/psSolid brush=$00FFFFFF/bsCross font=Arial/-11/$80000008/esc900 "
              "bk=$00FFFFFF/opaque clip=(10,0,15,5)");
    EXPECT_EQ(c.Records()[1].State.Font.Escapement, 900);
    c.Clear();
    EXPECT_TRUE(c.Records().empty());
}

TEST(SystemColors, FixedTableAndResolution)
{
    EXPECT_EQ(GetSysColor(15), RGB(0xF0, 0xF0, 0xF0));
    EXPECT_EQ(GetSysColor(13), RGB(0x33, 0x99, 0xFF));
    EXPECT_EQ(GetSysColor(24), RGB(0xFF, 0xFF, 0xE1));
    EXPECT_EQ(GetSysColor(25), clBlack);
    EXPECT_EQ(ColorToRGB(clBtnShadow), RGB(0xA0, 0xA0, 0xA0));
    EXPECT_EQ(ColorToRGB(cl3DDkShadow), RGB(0x69, 0x69, 0x69));
    EXPECT_EQ(ColorToRGB(TColor(0x80000063)), clBlack);
    EXPECT_EQ(ColorToRGB(0x02123456), 0x123456);  // palette-relative flag ignored
}
