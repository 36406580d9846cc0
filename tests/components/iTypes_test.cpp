#include "components/iTypes.h"

#include <gtest/gtest.h>

// The text-flag set is stored in 16 bits, one bit per flag in declared order.
TEST(iTypes, TextFlagsFormASixteenBitSet)
{
    const TTypeInfo& flag = PravixTypeInfo(static_cast<TiTextFlag*>(nullptr));
    ASSERT_EQ(flag.EnumCount(), 16);
    EXPECT_EQ(flag.EnumName(itfModifyString), "itfModifyString");
    EXPECT_EQ(TTypeInfo::SetOf(flag).SetBits, 16);
    EXPECT_EQ(flag.EnumOrdinal("ITFCALCRECT"), int(itfCalcRect));
}
