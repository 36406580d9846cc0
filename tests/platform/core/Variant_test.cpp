#include "platform/core/DateTime.h"
#include "platform/core/Exceptions.h"
#include "platform/core/Regional.h"
#include "platform/core/Variant.h"

#include <gtest/gtest.h>

#include <cstring>

TEST(Variant, KindsTextAndNumber)
{
    struct Case {
        TVariant value;
        TVarType type;
        const char* text;
        double number;
    };
    const Case cases[] = {
        {TVariant(), varEmpty, "", 0},
        {TVariant(true), varBoolean, "True", -1},
        {TVariant(false), varBoolean, "False", 0},
        {TVariant(-42), varInteger, "-42", -42},
        {TVariant(123456789012345678LL), varInt64, "123456789012345678", 123456789012345678.0},
        {TVariant::OfInteger(varSmallint, -32768), varSmallint, "-32768", -32768},
        {TVariant::OfInteger(varShortInt, -128), varShortInt, "-128", -128},
        {TVariant::OfInteger(varByte, 255), varByte, "255", 255},
        {TVariant::OfInteger(varWord, 65535), varWord, "65535", 65535},
        {TVariant::OfInteger(varLongWord, 4294967295LL), varLongWord, "4294967295", 4294967295.0},
        {TVariant::OfInteger(varInt, 7), varInt, "7", 7},
        {TVariant::OfInteger(varUInt, 8), varUInt, "8", 8},
        {TVariant::OfUInt64(18446744073709551615ULL), varUInt64, "18446744073709551615", 18446744073709551615.0},
        {TVariant(0.1), varDouble, "0.1", 0.1},
        {TVariant(-2.5e-7), varDouble, "-2.5E-7", -2.5e-7},
        {TVariant::OfSingle(0.1f), varSingle, "0.1", double(0.1f)},  // a single's own 7 digits
        {TVariant::OfCurrency(12.3456), varCurrency, "12.3456", 12.3456},
        {TVariant::OfCurrency(-0.5), varCurrency, "-0.5", -0.5},
        {TVariant::OfCurrency(922337203685477.5), varCurrency, "922337203685477.5", 922337203685477.5},
        {TVariant::OfDate(EncodeDate(2024, 2, 29) + 0.5), varDate, "2/29/2024 12:00:00", 45351.5},
        {TVariant("1.5"), varOleStr, "1.5", 1.5},
        {TVariant(std::string(" -3E2 ")), varOleStr, " -3E2 ", -300},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(c.value.VarType(), c.type) << c.text;
        EXPECT_EQ(c.value.AsText(), c.text);
        EXPECT_EQ(c.value.AsDouble(), c.number) << c.text;
    }
}

TEST(Variant, ConversionsThatCannotSucceedRaiseConversionErrors)
{
    EXPECT_EQ(TVariant::Null().AsText(), "");
    EXPECT_THROW(TVariant::Null().AsDouble(), EConvertError);
    try {
        TVariant("abc").AsDouble();
        FAIL();
    } catch (const EConvertError& e) {
        EXPECT_EQ(e.Message(), "'abc' is not a valid floating point value");
    }
    EXPECT_THROW(TVariant::OfInteger(varByte, 256), EConvertError);
    EXPECT_THROW(TVariant::OfInteger(varShortInt, -129), EConvertError);
    EXPECT_THROW(TVariant::OfInteger(varDouble, 1), EConvertError);
    EXPECT_THROW(TVariant::OfCurrency(922337203685477.625), EConvertError);
    EXPECT_THROW(TVariant::ByteArray("x", 1).AsDouble(), EConvertError);
    EXPECT_THROW(TVariant::ByteArray("x", 1).AsText(), EConvertError);
    EXPECT_THROW(TVariant(1.0).LowBound(1), EConvertError);
    EXPECT_EQ(TVariant(1.0).DimCount(), 0);
}

TEST(Variant, TextFormsFollowTheRegion)
{
    TFormatSettings comma = TFormatSettings::English();
    comma.DecimalSeparator = ',';
    TRegionGuard region(comma);
    EXPECT_EQ(TVariant(1.5).AsText(), "1,5");
    EXPECT_EQ(TVariant::OfCurrency(2.25).AsText(), "2,25");
    EXPECT_EQ(TVariant("2,5").AsDouble(), 2.5);
    EXPECT_THROW(TVariant("2.5").AsDouble(), EConvertError);
}

TEST(Variant, AsTypeConvertsBetweenScalarKinds)
{
    EXPECT_EQ(TVariant(2.5).AsType(varInteger).AsText(), "2");  // halves to even
    EXPECT_EQ(TVariant(3.5).AsType(varByte).AsText(), "4");
    EXPECT_EQ(TVariant("True").AsType(varBoolean).AsDouble(), -1);
    EXPECT_EQ(TVariant(0.0).AsType(varBoolean).AsText(), "False");
    EXPECT_EQ(TVariant(true).AsType(varInteger).AsText(), "-1");
    EXPECT_EQ(TVariant(7).AsType(varOleStr).VarType(), varOleStr);
    EXPECT_EQ(TVariant("3/5/2024").AsType(varDate).AsDouble(), EncodeDate(2024, 3, 5));
    EXPECT_EQ(TVariant::OfCurrency(2.5).AsType(varInt64).AsText(), "2");
    EXPECT_THROW(TVariant(-1.0).AsType(varByte), EConvertError);
    EXPECT_THROW(TVariant(-1).AsType(varUInt64), EConvertError);
    EXPECT_THROW(TVariant(1e300).AsType(varInt64), EConvertError);
    EXPECT_THROW(TVariant::Null().AsType(varInteger), EConvertError);
}

TEST(Variant, ByteArraysStartAtZeroAndExposeTheirBytes)
{
    const unsigned char bytes[] = {0, 1, 2, 0xFE, 0xFF};
    const TVariant a = TVariant::ByteArray(bytes, sizeof bytes);
    EXPECT_EQ(a.VarType(), varArray | varByte);
    EXPECT_EQ(a.VarType(), 0x2011);
    EXPECT_EQ(a.DimCount(), 1);
    EXPECT_EQ(a.LowBound(1), 0);
    EXPECT_EQ(a.HighBound(1), 4);
    EXPECT_EQ(a.GetElement({3}).AsDouble(), 254);
    EXPECT_EQ(a.GetElement({3}).VarType(), varByte);
    EXPECT_EQ(std::memcmp(a.ArrayData(), bytes, sizeof bytes), 0);
    EXPECT_THROW(a.GetElement({5}), EListError);
    EXPECT_THROW(a.GetElement({-1}), EListError);
    EXPECT_THROW(a.LowBound(2), EListError);

    const TVariant empty = TVariant::ByteArray(nullptr, 0);
    EXPECT_EQ(empty.HighBound(1), -1);
    EXPECT_EQ(empty.ElementCount(), 0u);
}

TEST(Variant, MultiDimensionalArraysWithAnyLowBounds)
{
    TVariant a = TVariant::CreateArray({{1, 3}, {-2, 0}}, varDouble);
    EXPECT_EQ(a.VarType(), varArray | varDouble);
    EXPECT_EQ(a.DimCount(), 2);
    EXPECT_EQ(a.LowBound(2), -2);
    EXPECT_EQ(a.HighBound(2), 0);
    EXPECT_EQ(a.ElementCount(), 9u);

    a.PutElement({2, -2}, TVariant(7.5));
    a.PutElement({3, 0}, TVariant("2.25"));  // converted to the element kind
    EXPECT_EQ(a.GetElement({2, -2}).AsDouble(), 7.5);
    EXPECT_EQ(a.GetElementAt(1).AsDouble(), 7.5);  // the first index varies fastest
    EXPECT_EQ(a.GetElementAt(8).AsDouble(), 2.25);
    EXPECT_EQ(a.GetElement({1, -1}).AsDouble(), 0);
    EXPECT_THROW(a.GetElement({2}), EListError);
    EXPECT_THROW(a.GetElement({4, 0}), EListError);
    EXPECT_THROW(a.PutElement({1, -2}, TVariant("x")), EConvertError);

    TVariant small = TVariant::CreateArray({{0, 1}}, varSmallint);
    EXPECT_THROW(small.PutElement({0}, TVariant(40000)), EConvertError);
    small.PutElement({1}, TVariant(-5));
    EXPECT_EQ(small.GetElement({1}).AsText(), "-5");

    TVariant flags = TVariant::CreateArray({{0, 0}}, varBoolean);
    flags.PutElement({0}, TVariant(true));
    EXPECT_EQ(*static_cast<const short*>(flags.ArrayData()), -1);
    EXPECT_EQ(flags.GetElement({0}).AsText(), "True");

    EXPECT_THROW(TVariant::CreateArray({}, varDouble), EConvertError);
    EXPECT_THROW(TVariant::CreateArray({{0, 1}}, varNull), EConvertError);
    EXPECT_THROW(TVariant::CreateArray({{2, 0}}, varDouble), EConvertError);
}

TEST(Variant, TextAndVariantArraysHoldValues)
{
    TVariant names = TVariant::CreateArray({{0, 1}}, varOleStr);
    EXPECT_EQ(names.GetElement({0}).AsText(), "");
    EXPECT_EQ(names.ArrayData(), nullptr);
    names.PutElement({1}, TVariant(2.5));
    EXPECT_EQ(names.GetElement({1}).VarType(), varOleStr);
    EXPECT_EQ(names.GetElement({1}).AsText(), "2.5");

    TVariant mixed = TVariant::CreateArray({{0, 2}}, varVariant);
    EXPECT_TRUE(mixed.GetElement({0}).IsEmpty());
    mixed.PutElement({1}, TVariant::OfDate(1));
    mixed.PutElement({2}, TVariant::ByteArray("ab", 2));
    EXPECT_EQ(mixed.GetElement({1}).VarType(), varDate);
    EXPECT_EQ(mixed.GetElement({2}).GetElement({1}).AsDouble(), 'b');
}

TEST(Variant, CopiesAreDeep)
{
    TVariant a = TVariant::CreateArray({{0, 1}}, varInteger);
    a.PutElement({0}, TVariant(1));
    TVariant copy(a);
    TVariant assigned;
    assigned = a;
    copy.PutElement({0}, TVariant(2));
    assigned.PutElement({0}, TVariant(3));
    EXPECT_EQ(a.GetElement({0}).AsDouble(), 1);
    EXPECT_EQ(copy.GetElement({0}).AsDouble(), 2);
    EXPECT_EQ(assigned.GetElement({0}).AsDouble(), 3);

    TVariant moved = std::move(copy);
    EXPECT_EQ(moved.GetElement({0}).AsDouble(), 2);
    assigned = TVariant("text");
    EXPECT_FALSE(assigned.IsArray());
    EXPECT_EQ(assigned.AsText(), "text");
}
