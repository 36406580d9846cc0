#include "app/core/DeviceQuantities.h"

#include <gtest/gtest.h>
#include <strings.h>

#include <cctype>
#include <cstring>
#include <set>
#include <vector>

#include "app/core/HostState.h"

namespace {

std::vector<DeviceKeyword> AllKeywords()
{
    std::vector<DeviceKeyword> all;
    for (auto q = QuantitiesBegin(); q != QuantitiesEnd(); ++q)
        for (const DeviceKeyword& k : {q->Keyword, q->Alias})
            if (k.Text)
                all.push_back(k);
    return all;
}

}  // namespace

// One row per quantity: a second row for a type would never be found.
TEST(DeviceQuantities, EachTypeHasOneRow)
{
    std::set<int> seen;
    for (auto q = QuantitiesBegin(); q != QuantitiesEnd(); ++q) {
        EXPECT_TRUE(seen.insert(q->Type).second) << "type " << q->Type;
        EXPECT_EQ(QuantityOf(q->Type), q);
    }
}

// A line matches two keywords exactly when one compared prefix begins the other; then the
// row order would decide what the line means.
TEST(DeviceQuantities, NoLineStartsWithTwoKeywords)
{
    std::vector<DeviceKeyword> all = AllKeywords();
    for (const DeviceKeyword& a : all)
        for (const DeviceKeyword& b : all) {
            if (a.Text == b.Text)
                continue;
            ASSERT_LE(a.Chars, int(std::strlen(a.Text)));
            bool overlap = a.Chars <= b.Chars && strncasecmp(a.Text, b.Text, a.Chars) == 0;
            EXPECT_FALSE(overlap) << a.Text << " begins " << b.Text;
        }
}

// Each keyword, in any case and followed by any value, finds its own row.
TEST(DeviceQuantities, KeywordsFindTheirRow)
{
    for (auto q = QuantitiesBegin(); q != QuantitiesEnd(); ++q)
        for (const DeviceKeyword& k : {q->Keyword, q->Alias}) {
            if (!k.Text)
                continue;
            std::string lower = k.Text;
            for (char& c : lower)
                c = char(std::tolower(static_cast<unsigned char>(c)));
            EXPECT_EQ(KeywordKind(std::string(k.Text) + "1 2 3"), q->Type) << k.Text;
            EXPECT_EQ(KeywordKind(lower + "\r\n"), q->Type) << k.Text;
        }
    EXPECT_EQ(KeywordKind("CHLRExyz=4"), TypeCode::CHLRef);  // only the first five letters count
    EXPECT_EQ(KeywordKind("Unknown=1"), kNoKeyword);
    EXPECT_EQ(KeywordKind("CHL"), kNoKeyword);  // shorter than its keyword
}

// A plotted quantity is titled in both plot modes and headed in the record.
TEST(DeviceQuantities, PlottedQuantitiesAreTitledAndRecorded)
{
    for (auto q = QuantitiesBegin(); q != QuantitiesEnd(); ++q) {
        if (!q->PlotTitle)
            continue;
        EXPECT_NE(q->Form, ColumnForm::None) << q->Type;
        EXPECT_TRUE(q->RawName && q->EngrTitle && q->RecordHeader) << q->Type;
    }
}
