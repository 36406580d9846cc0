// Date and time pickers show the years 100 to 9999 and refuse values outside them; page
// controls with compact tabs, sheets in their colour.

#include "platform/gui/ComCtrls.h"

#include "platform/canvas/Bitmap.h"
#include "platform/core/DateTime.h"
#include "platform/core/Exceptions.h"
#include "platform/gui/Forms.h"
#include "platform/gui/TestHooks.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

TEST(DateTimePicker, HoldsTheYears100To9999AndRefusesTheRest)
{
    EXPECT_EQ(EncodeDate(100, 1, 1), kFirstPickerDay);
    EXPECT_EQ(EncodeDate(9999, 12, 31), kLastPickerDay);
    TDateTimePicker picker(nullptr);
    for (double inside : {double(kFirstPickerDay), double(kLastPickerDay) + 0.75, 0.25, 43831.5}) {
        picker.SetDateTime(inside);
        EXPECT_DOUBLE_EQ(picker.DateTime(), inside) << inside;
    }
    for (double outside : {double(kLastPickerDay + 1), double(kFirstPickerDay - 1), 1e300,
                           std::numeric_limits<double>::quiet_NaN(), -std::numeric_limits<double>::infinity()}) {
        EXPECT_FALSE(IsPickerDateTime(outside)) << outside;
        EXPECT_THROW(picker.SetDateTime(outside), EConvertError) << outside;
        EXPECT_THROW(picker.SimulateEdit(outside), EConvertError) << outside;
    }
}

// Twelve pages in a dialog 576 pixels wide: their compact tabs fit side by side where the
// style's own margins would not; a sheet shows its colour over its page area.
TEST(PageControl, CompactTabsFitTheirCaptionsAndSheetsShowTheirColour)
{
    TForm form(nullptr);
    form.SetBounds(0, 0, 576, 200);
    auto pages = [&form](bool compact) {
        auto* control = new TPageControl(&form);
        control->SetParent(&form);
        control->SetBounds(0, 0, 576, 200);
        control->SetCompactTabs(compact);
        for (const char* caption : {"Control", "Layout", "Channels", "Cursors", "Limits", "Labels", "X-Axes", "Y-Axes",
                                    "Legend", "Tables", "ToolBar", "Data View"}) {
            auto* sheet = new TTabSheet(&form);
            sheet->SetCaption(caption);
            sheet->SetPageControl(control);
        }
        return control;
    };
    TPageControl* plain = pages(false);
    TPageControl* compact = pages(true);
    EXPECT_GT(TestHooks::PreferredWidth(*plain), 576);
    EXPECT_LE(TestHooks::PreferredWidth(*compact), 576);
    EXPECT_TRUE(compact->CompactTabs());

    const TColor green = RGB(10, 200, 30);
    compact->Pages(0)->SetColor(green);
    compact->SetActivePageIndex(0);
    form.Show();
    TestHooks::PumpUntil([&form] { return form.Showing(); }, 2000);
    TBitmap picture;
    TestHooks::GrabControl(*compact->Pages(0), picture);
    EXPECT_EQ(picture.Canvas().GetPixel(picture.GetWidth() / 2, picture.GetHeight() / 2), green);
}
