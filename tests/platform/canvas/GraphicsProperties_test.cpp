#include "platform/canvas/Graphics.h"

#include <gtest/gtest.h>

namespace {

std::vector<std::string> PropertyNames(const TClassInfo& info)
{
    std::vector<std::string> names;
    for (const TPropInfo* p : info.Properties())
        names.push_back(p->Name());
    return names;
}

}  // namespace

TEST(GraphicsProperties, FontPublishesItsPropertiesInStoredOrder)
{
    EXPECT_EQ(PropertyNames(TFont::StaticClassInfo()),
              (std::vector<std::string>{"Charset", "Color", "Height", "Name", "Pitch", "Size", "Style"}));
    EXPECT_EQ(PropertyNames(TPen::StaticClassInfo()), (std::vector<std::string>{"Color", "Style", "Width"}));
    EXPECT_EQ(PropertyNames(TBrush::StaticClassInfo()), (std::vector<std::string>{"Color", "Style"}));
}

TEST(GraphicsProperties, SetByNameGoesThroughTheSetterAndItsNotification)
{
    TFont font;
    int changes = 0;
    font.OnChange = [&] { ++changes; };
    EXPECT_TRUE(FindProperty(font, "Style").SetOrd(1 << fsBold | 1 << fsItalic));
    EXPECT_TRUE(FindProperty(font, "Size").SetOrd(10));
    EXPECT_EQ(font.GetStyle(), (TFontStyles{fsBold, fsItalic}));
    EXPECT_EQ(font.GetHeight(), -13);
    EXPECT_EQ(changes, 2);
    // An ordinal outside the enumeration is refused and changes nothing.
    EXPECT_FALSE(FindProperty(font, "Pitch").SetOrd(7));
    EXPECT_EQ(font.GetPitch(), fpDefault);
}
