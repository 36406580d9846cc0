// Date and time pickers show the years 100 to 9999 and refuse values outside them.

#include "platform/gui/ComCtrls.h"

#include "platform/core/DateTime.h"
#include "platform/core/Exceptions.h"

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
