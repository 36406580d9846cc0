#include "components/iRadioGroup.h"

#include "components/InputScript.h"
#include "components/iGPFunctions.h"
#include "platform/canvas/Bitmap.h"
#include "platform/canvas/ImageCodecs.h"
#include "platform/canvas/PixelTestUtil.h"
#include "platform/canvas/SystemColors.h"
#include "platform/core/FormDescription.h"
#include "platform/core/Streams.h"
#include "platform/core/StringList.h"
#include "platform/gui/Forms.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <functional>

namespace {

std::unique_ptr<TBitmap> Paint(TiRadioGroup& group)
{
    auto bitmap = std::make_unique<TBitmap>();
    bitmap->SetSize(group.Width(), group.Height());
    group.iPaintTo(bitmap->Canvas());
    return bitmap;
}

void SetItems(TiRadioGroup& group, std::initializer_list<const char*> items)
{
    TStringList list;
    for (const char* item : items)
        list.Add(item);
    group.SetItems(&list);
}

// A shown form with a painted group of three items, 150 x 100, whose events are written to
// Log: "P" OnChangeProperty, "C" OnChange, "U" OnChangeUser. The default font is 13 pixels
// high: rows of 28 pixels, the buttons' centres at x = 14 and y = 27, 55 and 83.
struct TGroupOnForm {
    TForm form{nullptr};
    TiRadioGroup* group = new TiRadioGroup(&form);
    std::string Log;

    TGroupOnForm()
    {
        form.SetBounds(0, 0, 300, 200);
        group->SetParent(&form);
        group->SetBounds(10, 10, 150, 100);
        SetItems(*group, {"Raw", "Engineering", "Both"});
        group->OnChangeProperty = [this](TObject*, const std::string& name) { Log += "P(" + name + ")"; };
        group->OnChange = [this](TObject*) { Log += "C"; };
        group->OnChangeUser = [this](TObject*) { Log += "U"; };
        form.Show();
        Paint(*group);  // the layout the mouse is tested against
    }
};

}  // namespace

TEST(iRadioGroup, KeyAndMouseSequences)
{
    struct Case {
        const char* why;
        const char* input;
        int itemIndex;  // from 0
        const char* events;
    };
    const Case cases[] = {
        {"a click on an item selects it", "click 20,83", 2, "P(ItemIndex)CU"},
        {"anywhere along the row", "click 140,55", 1, "P(ItemIndex)CU"},
        {"press and release on different items select nothing", "down 20,55; up 20,83", 0, ""},
        {"the press follows the mouse until the release", "down 20,83; move 20,27; move 20,55; up 20,55", 1,
         "P(ItemIndex)CU"},
        {"the selected item again: no change", "click 20,27", 0, ""},
        {"above the first row lies no item", "click 20,5", 0, ""},
        {"below the last row neither", "click 20,99", 0, ""},
        {"halfway between two rows rounds to the even one", "click 20,41", 0, ""},
        {"", "click 20,69", 2, "P(ItemIndex)CU"},
        {"the right button selects nothing", "rdown 20,83; rup 20,83", 0, ""},
        {"losing the focus cancels a press", "down 20,83; blur; up 20,83", 0, ""},
        {"right and down step on, not as the user's change", "key 39", 1, "P(ItemIndex)C"},
        {"", "key 40; key 40", 2, "P(ItemIndex)CP(ItemIndex)C"},
        {"past the last item back to the first", "key 40; key 40; key 40", 0,
         "P(ItemIndex)CP(ItemIndex)CP(ItemIndex)C"},
        {"left and up step back and wrap to the last", "key 37", 2, "P(ItemIndex)C"},
        {"", "key 40; key 38", 0, "P(ItemIndex)CP(ItemIndex)C"},
        {"other keys do nothing", "key 32; key 13; key 65", 0, ""},
        {"a key held during a click", "key-down 32; click 20,55; key-up 32", 1, "P(ItemIndex)CU"},
    };
    for (const Case& c : cases) {
        TGroupOnForm f;
        PlayInput(*f.group, c.input);
        EXPECT_EQ(f.group->ItemIndex(), c.itemIndex) << c.input;
        EXPECT_EQ(f.Log, c.events) << c.input;
    }
}

TEST(iRadioGroup, ItemIndexStaysWithinTheItems)
{
    TiRadioGroup group(nullptr);
    int changes = 0;
    group.OnChange = [&](TObject*) { ++changes; };
    // A new group selects item 0 although it has none; it is stored as such.
    EXPECT_EQ(group.ItemIndex(), 0);
    EXPECT_EQ(group.Items()->Count(), 0);
    const TPropInfo* itemIndex = TiRadioGroup::StaticClassInfo().FindProperty("ItemIndex");
    ASSERT_NE(itemIndex, nullptr);
    EXPECT_FALSE(itemIndex->Default().has_value());

    struct Case {
        int count;
        int start;
        std::function<void(TiRadioGroup&)> act;
        int itemIndex;
        int changes;
    };
    const auto set = [](int v) { return [v](TiRadioGroup& g) { g.SetItemIndex(v); }; };
    const auto key = [](int vk) {
        return [vk](TiRadioGroup& g) {
            int k = vk;
            g.iKeyDown(k, {});
            EXPECT_EQ(k, 0);  // consumed
        };
    };
    const Case cases[] = {
        {3, 0, set(5), 2, 1},    {3, 0, set(-7), -1, 1},  {3, 1, set(1), 1, 0},   {0, 0, set(3), -1, 1},
        {0, -1, set(-1), -1, 0}, {3, -1, key(37), -1, 0}, {3, -1, key(39), 0, 1}, {3, 2, key(39), 0, 1},
        {3, 0, key(38), 2, 1},   {0, -1, key(39), -1, 0},
    };
    for (const Case& c : cases) {
        TiRadioGroup g(nullptr);
        TStringList items;
        for (int i = 0; i < c.count; ++i)
            items.Add("item");
        if (c.count > 0)
            g.SetItems(&items);
        if (c.start != g.ItemIndex())  // an empty new group keeps its 0
            g.SetItemIndex(c.start);
        int n = 0;
        g.OnChange = [&](TObject*) { ++n; };
        c.act(g);
        EXPECT_EQ(g.ItemIndex(), c.itemIndex) << c.count << " items, from " << c.start;
        EXPECT_EQ(n, c.changes) << c.count << " items, from " << c.start;
    }

    // Fewer items move the selection to the last one left, without OnChange.
    SetItems(group, {"a", "b", "c", "d"});
    group.SetItemIndex(3);
    changes = 0;
    group.Items()->Delete(3);
    EXPECT_EQ(group.ItemIndex(), 2);
    group.Items()->Clear();
    EXPECT_EQ(group.ItemIndex(), -1);
    EXPECT_EQ(changes, 0);

    group.SetColumns(3);
    group.SetColumns(0);
    group.SetColumns(-2);
    EXPECT_EQ(group.Columns(), 3);
}

TEST(iRadioGroup, PublishedPropertiesAndTheirFile)
{
    std::vector<std::string> names;
    for (const TPropInfo* p : TiRadioGroup::StaticClassInfo().Properties())
        names.push_back(p->Name());
    const std::vector<std::string> own = {"Caption",  "Font",         "Items",           "ItemIndex", "Columns",
                                          "OnChange", "OnChangeUser", "BackGroundColor", "TabOrder",  "TabStop"};
    ASSERT_GE(names.size(), own.size());
    EXPECT_EQ(std::vector<std::string>(names.end() - own.size(), names.end()), own);

    TempDir dir;
    TiRadioGroup a(nullptr);
    a.SetCaption("Port");
    a.SetColumns(3);
    a.SavePropertiesToFile(dir.Path("group.txt"));
    TStringList lines;
    lines.LoadFromFile(dir.Path("group.txt"));
    EXPECT_GE(lines.IndexOf("ItemIndex = 0"), 0);  // no declared default: always written
    EXPECT_GE(lines.IndexOf("Columns = 3"), 0);
    EXPECT_LT(lines.IndexOf("TabStop = 1"), 0);  // the default
    TiRadioGroup b(nullptr);
    b.LoadPropertiesFromFile(dir.Path("group.txt"));
    EXPECT_EQ(b.Caption(), "Port");
    EXPECT_EQ(b.Columns(), 3);
}

TEST(iRadioGroup, HitTestFollowsTheLastPaint)
{
    TiRadioGroup group(nullptr);
    group.SetBounds(0, 0, 200, 100);
    SetItems(group, {"a", "b", "c", "d", "e"});
    group.SetColumns(2);
    // No layout before the first paint: no item anywhere.
    EXPECT_EQ(group.GetMouseItemIndex(20, 27), -1);
    Paint(group);
    // Five items in two columns: the first holds three, the second two. Rows of 28 pixels
    // from y = 27; columns of 93 pixels from x = 14, each starting 6 pixels left of its buttons.
    struct Case {
        int x, y, item;
    };
    const Case cases[] = {{20, 27, 0},  {20, 55, 1}, {20, 83, 2}, {110, 27, 3}, {110, 55, 4},
                          {110, 83, 5}, {20, 5, -1}, {7, 27, 0},  {101, 27, 3}, {100, 27, 0}};
    for (const Case& c : cases)
        EXPECT_EQ(group.GetMouseItemIndex(c.x, c.y), c.item) << c.x << "," << c.y;

    // A group too small for its rows or columns hits nothing, and does not fail.
    group.SetBounds(0, 0, 200, 12);
    Paint(group);
    EXPECT_EQ(group.GetMouseItemIndex(20, 5), -1);
    group.SetBounds(0, 0, 15, 100);
    Paint(group);
    EXPECT_EQ(group.GetMouseItemIndex(5, 27), -1);
}

namespace {

const std::vector<Legend> kColours = {{clWhite, 'w'},
                                      {clBlack, 'k'},
                                      {ColorToRGB(clBtnFace), '-'},
                                      {ColorToRGB(clBtnShadow), 's'},
                                      {ColorToRGB(cl3DDkShadow), 'd'}};

}  // namespace

TEST(iRadioGroup, DrawsFrameButtonsDotAndPress)
{
    TGroupOnForm f;
    TiRadioGroup& g = *f.group;
    auto plain = Paint(g);
    // Rows through the centres of the buttons, from x = 8 to 21 (centre at 14).
    EXPECT_EQ(Row(*plain, 27, 8, 22, kColours), "-sdwwkkkkww-w-");  // selected: the dot
    EXPECT_EQ(Row(*plain, 55, 8, 22, kColours), "-sdwwwwwwww-w-");
    // The pressed item's button is filled with the face colour while the press lasts.
    PlayInput(g, "down 20,55");
    auto pressed = Paint(g);
    EXPECT_EQ(Row(*pressed, 55, 8, 22, kColours), "-sd---------w-");
    PlayInput(g, "up 20,55");
    EXPECT_EQ(Row(*Paint(g), 55, 8, 22, kColours), "-sdwwkkkkww-w-");
    EXPECT_EQ(Row(*Paint(g), 27, 8, 22, kColours), "-sdwwwwwwww-w-");

    // The etched frame: its top line at half the text height (6), broken by the caption.
    EXPECT_EQ(Column(*plain, 0, 0, 100, kColours), std::string(6, '-') + std::string(93, 's') + "-");
    EXPECT_EQ(Column(*plain, 1, 0, 100, kColours), std::string(6, '-') + "s" + std::string(91, 'w') + "sw");
    TBitmap scratch;
    scratch.Canvas().Font().Assign(*g.Font());
    const int cw = scratch.Canvas().TextWidth("A");
    const int end = cw + scratch.Canvas().TextWidth("Radio Group");
    const std::string top = Row(*plain, 6, 0, 150, kColours);
    EXPECT_EQ(top.substr(0, cw), std::string(cw, 's'));
    EXPECT_EQ(top.substr(cw, end - cw).find('s'), std::string::npos);
    EXPECT_EQ(top.substr(end), std::string(149 - end, 's') + "-");
}

// Leaves radiogroup_states.png beside the test program for a person to look at.
TEST(iRadioGroup, PictureOfTheStates)
{
    TBitmap sheet;
    sheet.SetSize(420, 130);
    sheet.Canvas().Brush().SetColor(clWhite);
    sheet.Canvas().FillRect(TRect(0, 0, 420, 130));
    for (int i = 0; i < 2; ++i) {
        TiRadioGroup group(nullptr);
        group.SetBounds(0, 0, 200, 120);
        group.SetCaption(i == 0 ? "Record" : "Channels (pressed, focused)");
        SetItems(group, {"Raw", "Engineering", "Both", "None", "Log"});
        group.SetColumns(2);
        group.SetItemIndex(i == 0 ? 1 : 3);
        Paint(group);
        if (i == 1) {
            group.iDoSetFocus();
            group.iMouseDown(mbLeft, {}, 20, group.Height() / 2);
        }
        sheet.Canvas().Draw(4 + i * 210, 4, *Paint(group));
    }
    const TBytes png = EncodePNG(sheet, 9);
    WriteFileBytes("radiogroup_states.png", png.data(), png.size());
}

TEST(iRadioGroup, ReadFromAFormDescription)
{
    std::unique_ptr<TComponent> form(CreateComponentFromText(R"(
        TForm Settings {
          TiRadioGroup Port { Width = 180 Height = 90 Caption = "Port"
                              Items = ("COM1", "COM2", "COM3") ItemIndex = 2 Columns = 2 }
        })",
                                                             nullptr));
    auto* group = dynamic_cast<TiRadioGroup*>(form->FindComponent("Port"));
    ASSERT_NE(group, nullptr);
    EXPECT_EQ(group->Items()->Count(), 3);
    EXPECT_EQ(group->ItemIndex(), 2);
    EXPECT_EQ(group->Columns(), 2);
    EXPECT_EQ(group->Caption(), "Port");
}
