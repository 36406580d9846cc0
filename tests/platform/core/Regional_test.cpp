#include "platform/core/Regional.h"

#include <gtest/gtest.h>

TEST(Regional, GuardPinsAndRestores)
{
    const TFormatSettings before = Region();
    {
        TFormatSettings comma = TFormatSettings::English();
        comma.DecimalSeparator = ',';
        TRegionGuard guard(comma);
        EXPECT_EQ(Region().DecimalSeparator, ',');
        {
            TRegionGuard english;
            EXPECT_EQ(Region().DecimalSeparator, '.');
            EXPECT_EQ(Region().ShortDateFormat, "m/d/yyyy");
            EXPECT_EQ(Region().LongMonthNames[11], "December");
            EXPECT_EQ(Region().ShortDayNames[0], "Sun");
        }
        EXPECT_EQ(Region().DecimalSeparator, ',');
    }
    EXPECT_EQ(Region().DecimalSeparator, before.DecimalSeparator);
}

TEST(Regional, LocaleFormatsBecomeTheLibrarysTokensAndSeparators)
{
    const TFormatSettings de = TFormatSettings::FromLocale("de_DE");
    EXPECT_EQ(de.DecimalSeparator, ',');
    EXPECT_EQ(de.ThousandSeparator, '.');
    EXPECT_EQ(de.DateSeparator, '.');
    EXPECT_EQ(de.TimeSeparator, ':');
    EXPECT_EQ(de.ShortDateFormat, "dd/mm/yy");
    EXPECT_EQ(de.LongTimeFormat, "hh:nn:ss");
    EXPECT_EQ(de.LongMonthNames[2], "M\xE4rz");  // Windows-1252
    EXPECT_EQ(de.LongDayNames[0], "Sonntag");

    const TFormatSettings us = TFormatSettings::FromLocale("en_US");
    EXPECT_EQ(us.ShortDateFormat, "m/d/yy");
    EXPECT_EQ(us.LongTimeFormat, "h:nn:ss ampm");
    EXPECT_EQ(us.TimePMString, "PM");

    const TFormatSettings c = TFormatSettings::FromLocale("C");
    EXPECT_EQ(c.ShortDateFormat, "m/d/yyyy");
    EXPECT_EQ(c.LongMonthNames[0], "January");
}
