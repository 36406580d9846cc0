#include "HostFakes.h"

#include "app/core/DataLine.h"

#include <cstdio>
#include <cstring>

namespace {

struct SplitCase {
    const char* line;
    bool alternate;
    int fields;  // 0: not a data line
};

TEST(DataLineGrammar, SplitTable)
{
    const SplitCase cases[] = {
        {"12.5\t-3\t7", false, 3},
        {"QOVA_BB12.5\t3", false, 2},
        {"QOVA_B12.5\t3", false, 2},
        {"QO12\t3", false, 2},
        {"B12", false, 0},           // B only at position 5 or 6
        {"12\tQOVA_BB1", false, 0},  // the prefix only at the line start
        {"qova_bb1", false, 0},      // lower case
        {"1\t2 ", false, 0},         // blank
        {"1\t2\xB0", false, 0},      // byte above 127
        {"", false, 0},              // empty line: one empty field
        {"1\t", false, 0},           // trailing TAB: empty last field
        {"-", false, 0},
        {"1.2.3", false, 1},
        {"03/07/26\t12:30:15\t5", false, 3},
        {"03/07\t5", false, 0},  // one slash
        {"1:2\t5", false, 0},    // one colon
        {"1/2/3/4", false, 0},   // three slashes
        {"1:2/3", false, 0},     // colon and slash
        {"030726\t123015\t5", true, 3},
        {"030726\t123015\t5", false, 3},
        {"03/07/26\t5", true, 0},
    };
    for (const SplitCase& c : cases) {
        FieldArray values{};
        DateTimeNumbers date{1, 1, 1}, time{15, 15, 15};
        EXPECT_EQ(SplitDataLine(c.line, c.alternate, values, date, time), c.fields) << '"' << c.line << '"';
    }
}

TEST(DataLineGrammar, FieldsKeepValuesAndMarkers)
{
    FieldArray v{};
    DateTimeNumbers date{1, 1, 1}, time{15, 15, 15};
    ASSERT_EQ(SplitDataLine("03/07/26\t12:30:15\t-4.25\t1.2.3", false, v, date, time), 4);
    EXPECT_EQ(v[0], -2.0);
    EXPECT_EQ(v[1], -1.0);
    EXPECT_EQ(v[2], -4.25);
    EXPECT_EQ(v[3], 1.2);
    EXPECT_EQ(date, (DateTimeNumbers{3, 7, 26}));
    EXPECT_EQ(time, (DateTimeNumbers{12, 30, 15}));

    ASSERT_EQ(SplitDataLine("030726\t123015\t5", true, v, date, time), 3);
    EXPECT_EQ(v[0], -3.0);
    EXPECT_EQ(v[1], -4.0);
    EXPECT_EQ(date, (DateTimeNumbers{3, 7, 26}));
    EXPECT_EQ(time, (DateTimeNumbers{12, 30, 15}));

    date = {1, 1, 1};
    ASSERT_EQ(SplitDataLine("QOVA_BB5", false, v, date, time), 1);
    EXPECT_EQ(date[0], 99);

    // Prefix letters are skipped where they stand, even inside a field, which closes up.
    date = {1, 1, 1};
    ASSERT_EQ(SplitDataLine("1OVA_BB2\t3", false, v, date, time), 2);
    EXPECT_EQ(v[0], 12);
    EXPECT_EQ(v[1], 3);
    EXPECT_EQ(date[0], 99);
    ASSERT_EQ(SplitDataLine("4O5\t6", false, v, date, time), 2);
    EXPECT_EQ(v[0], 45);
}

TEST(DataLineGrammar, ParseFieldRules)
{
    struct Case {
        const char* text;
        int slashes, colons, kind;
    };
    const Case cases[] = {
        {"7", 0, 0, FieldKind::Number},         {"", 0, 0, FieldKind::NotAField},
        {"1:2:3", 0, 2, FieldKind::Time},       {"1/2/3", 2, 0, FieldKind::Date},
        {"1/2", 1, 0, FieldKind::NotAField},    {"120309", 99, 99, FieldKind::PackedDate},
        {"1203", 99, 99, FieldKind::NotAField}, {"101530", 0, 99, FieldKind::PackedTime},
        {"1:2:x", 0, 2, FieldKind::NotAField},
    };
    for (const Case& c : cases) {
        double value = 0;
        DateTimeNumbers d{}, t{};
        EXPECT_EQ(ParseField(c.text, c.slashes, c.colons, value, d, t), c.kind) << c.text;
    }
}

// A number field means what sscanf's "%lf" made of it, whichever reader takes it: the same
// fields accepted and refused, the same values to the last bit.
TEST(DataLineGrammar, NumberFieldsReadAsScanfReadsThem)
{
    const std::string longDigits(150, '9');
    const std::string tinyFraction = "0." + std::string(190, '0') + "1";
    const char* texts[] = {"7",
                           "-3",
                           "12.5",
                           "-.5",
                           "5.",
                           ".",
                           "-",
                           "--5",
                           "1.2.3",
                           "1-2",
                           "0.1",
                           "1e5",
                           " 7",
                           "+7",
                           "0x1A",
                           "inf",
                           "-nan",
                           "1e400",
                           "1e-400",
                           "2.2250738585072011e-308",
                           "9007199254740993",
                           "0.30000000000000004441",
                           "00012",
                           "-0",
                           "-000",
                           "999999999999999",
                           "-999999999999999",
                           "1000000000000000",
                           "x7"};
    std::vector<std::string> cases(std::begin(texts), std::end(texts));
    cases.push_back(longDigits);
    cases.push_back(tinyFraction);
    for (const std::string& text : cases) {
        double expected = -1;
        const bool accepted = std::sscanf(text.c_str(), "%lf", &expected) == 1;
        double value = -1;
        DateTimeNumbers d{}, t{};
        const int kind = ParseField(text, 0, 0, value, d, t);
        EXPECT_EQ(kind, accepted ? FieldKind::Number : FieldKind::NotAField) << text;
        if (accepted) {
            EXPECT_EQ(std::memcmp(&value, &expected, sizeof value), 0) << text << ": " << value << " vs " << expected;
        }
    }
}

// Dates and times mean what sscanf made of them, whichever reader takes them.
TEST(DataLineGrammar, DateAndTimeFieldsReadAsScanfReadsThem)
{
    struct Case {
        const char* text;
        int slashes, colons;
        const char* format;
    };
    const Case cases[] = {
        {"12:30:15", 0, 2, "%d:%d:%d"},      {"1:2:3", 0, 2, "%d:%d:%d"},     {"08:09:10", 0, 2, "%d:%d:%d"},
        {"-1:2:3", 0, 2, "%d:%d:%d"},        {"1:-2:3.5", 0, 2, "%d:%d:%d"},  {"1::3", 0, 2, "%d:%d:%d"},
        {"1:2:", 0, 2, "%d:%d:%d"},          {":1:2", 0, 2, "%d:%d:%d"},      {"1234567890:1:2", 0, 2, "%d:%d:%d"},
        {"123456789:1:2", 0, 2, "%d:%d:%d"}, {"03/07/26", 2, 0, "%d/%d/%d"},  {"3/7/2026", 2, 0, "%d/%d/%d"},
        {"03/07/26.5", 2, 0, "%d/%d/%d"},    {"120309", 99, 99, "%2d%2d%2d"}, {"12030", 99, 99, "%2d%2d%2d"},
        {"1203091", 99, 99, "%2d%2d%2d"},    {"-12030", 99, 99, "%2d%2d%2d"}, {"101530", 0, 99, "%2d%2d%2d"},
        {"1015", 0, 99, "%2d%2d%2d"},        {"10.530", 0, 99, "%2d%2d%2d"},
    };
    for (const Case& c : cases) {
        int a = 0, b = 0, d = 0;
        const bool accepted = std::sscanf(c.text, c.format, &a, &b, &d) == 3;
        double value = 0;
        DateTimeNumbers date{-7, -7, -7}, time{-7, -7, -7};
        const int kind = ParseField(c.text, c.slashes, c.colons, value, date, time);
        EXPECT_EQ(kind != FieldKind::NotAField, accepted) << c.text;
        const bool isDate = c.slashes == 2 || (c.slashes == 99 && c.colons == 99);
        if (accepted) {
            EXPECT_EQ(isDate ? date : time, (DateTimeNumbers{a, b, d})) << c.text;
        }
    }
}

TEST(DataLineGrammar, HostileLinesWriteNothingBeyondTheTables)
{
    FieldArray v{};
    DateTimeNumbers date{}, time{};
    std::string many;
    for (int i = 0; i < 126; ++i)
        many += i ? "\t1" : "1";
    EXPECT_EQ(SplitDataLine(many, false, v, date, time), 0);
    std::string exactly75;
    for (int i = 0; i < 75; ++i)
        exactly75 += i ? "\t2" : "2";
    EXPECT_EQ(SplitDataLine(exactly75, false, v, date, time), 75);
    EXPECT_EQ(SplitDataLine(std::string(200, '9'), false, v, date, time), 0);
    EXPECT_EQ(SplitDataLine(std::string(199, '9'), false, v, date, time), 1);
    EXPECT_EQ(SplitDataLine(std::string("1\0002", 3), false, v, date, time), 0);
}

class DataLineGate : public HostFixture {};

TEST_F(DataLineGate, WithoutDeviceFileEveryLineIsData)
{
    EXPECT_TRUE(ParseDataLine(ctx, "12.5\t-3\t7"));
    EXPECT_EQ(s.MeterDate, (DateTimeNumbers{1, 1, 1}));
    EXPECT_EQ(s.MeterTime, (DateTimeNumbers{15, 15, 15}));
    EXPECT_TRUE(ParseDataLine(ctx, "AVE 30"));
    EXPECT_EQ(s.LineCounter, 2.0);
    EXPECT_EQ(s.FirstLineCounter, 1.0);
    EXPECT_EQ(s.SampleX, 1.0);
}

TEST_F(DataLineGate, MismatchWarnsOnceOnTheSixthLine)
{
    s.DevicePath = "x.dev";
    s.Device.ExpectedColumns = 3;
    for (int i = 1; i <= 11; ++i)
        EXPECT_FALSE(ParseDataLine(ctx, "1\t2"));
    auto w = Warnings();
    ASSERT_EQ(w.size(), 1u);
    EXPECT_EQ(w[0].Caption, "Possible Mis-Match between Device File and Meter");
    EXPECT_EQ(w[0].Text, "Execution Error - Columns found 2 != Columns Expected 3");
    // Replies do not count; an accepted line resets the count.
    EXPECT_FALSE(ParseDataLine(ctx, "AVE 30"));
    EXPECT_EQ(s.MismatchCount, 11);
    EXPECT_TRUE(ParseDataLine(ctx, "1\t2\t3"));
    EXPECT_EQ(s.MismatchCount, 0);
    for (int i = 1; i <= 6; ++i)
        ParseDataLine(ctx, "1");
    EXPECT_EQ(Warnings().size(), 2u);
}

TEST_F(DataLineGate, StoresByTypeAndCapturesTheFirstReference)
{
    s.DevicePath = "x.dev";
    s.Device.ExpectedColumns = 4;
    s.Device.ColumnTypes[0] = TypeCode::CHL;
    s.Device.ColumnTypes[1] = TypeCode::CHLRef;
    s.Device.ColumnTypes[2] = TypeCode::ITemp;
    s.Device.ColumnTypes[3] = TypeCode::Counter;
    s.Device.RefBaseline.fill(9999.9);
    ASSERT_TRUE(ParseDataLine(ctx, "10\t200\t21.5\t7"));
    ASSERT_TRUE(ParseDataLine(ctx, "11\t300\t22.5\t8"));
    EXPECT_EQ(s.TypeValue[TypeCode::CHL], 11);
    EXPECT_EQ(s.TypeValue[TypeCode::CHLRef], 300);
    EXPECT_EQ(s.Device.RefBaseline[TypeCode::CHLRef], 200);
    EXPECT_EQ(s.RawITemp, 22.5);
    EXPECT_EQ(s.TypeValue[TypeCode::Counter], 8);
    // X counts samples from 0 at the first accepted line.
    EXPECT_EQ(s.SampleX, 1.0);
}

TEST_F(DataLineGate, NoDateMeansXIsTheLineCount)
{
    ASSERT_TRUE(ParseDataLine(ctx, "QOVA_BB5"));
    ASSERT_TRUE(ParseDataLine(ctx, "QOVA_BB6"));
    EXPECT_EQ(s.SampleX, 2.0);
    EXPECT_EQ(s.MeterDate[0], 99);
    core.ShowDateTimeTexts();
    EXPECT_EQ(ui.Texts["LBZUVDandT"], "ZUV:  2");
}

}  // namespace
