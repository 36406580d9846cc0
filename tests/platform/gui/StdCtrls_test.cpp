// List boxes drag their items by the mouse's press, moves and release alone, report every
// click on an item, and draw owner-drawn items themselves when no handler does.

#include "platform/gui/StdCtrls.h"

#include "platform/canvas/Bitmap.h"
#include "platform/canvas/Graphics.h"
#include "platform/canvas/SystemColors.h"
#include "platform/gui/Forms.h"
#include "platform/gui/Keys.h"
#include "platform/gui/TestHooks.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

// A list box that records the drags that reach it and takes the drops it is told to.
class TDropList : public TListBox {
public:
    using TListBox::TListBox;
    bool Takes = true;
    std::vector<std::string> Heard;

protected:
    bool DragOver(TObject* source, int x, int y) override
    {
        Heard.push_back("over " + Who(source) + " " + std::to_string(x) + "," + std::to_string(y));
        return Takes;
    }
    void DragDrop(TObject* source, int x, int y) override
    {
        Heard.push_back("drop " + Who(source) + " " + std::to_string(x) + "," + std::to_string(y));
    }

private:
    static std::string Who(TObject* source) { return static_cast<TComponent*>(source)->Name(); }
};

struct TTwoLists {
    TForm form{nullptr};
    TDropList* left = Make("Left", 10);
    TDropList* right = Make("Right", 200);

    TTwoLists()
    {
        form.SetBounds(0, 0, 400, 200);
        form.Show();
        TestHooks::PumpUntil([this] { return form.Showing(); }, 2000);
    }

    TDropList* Make(const char* name, int left)
    {
        auto* list = new TDropList(&form);
        list->SetName(name);
        list->SetParent(&form);
        list->SetBounds(left, 10, 150, 150);
        list->SetDragMode(dmAutomatic);
        for (const char* s : {"a", "b", "c"})
            list->Items()->Add(s);
        return list;
    }
};

}  // namespace

TEST(ListBoxDrag, APressAndAMoveOfFivePixelsStartADragThatDropsWhereReleased)
{
    TTwoLists f;
    const TRect row1 = f.left->ItemRect(1);
    const int x = row1.Left + 10;
    const int y = row1.Top + 5;
    TestHooks::SendMouseDown(*f.left, mbLeft, x, y);
    EXPECT_EQ(f.left->ItemIndex(), 1) << "the press selects as always";
    TestHooks::SendMouseMove(*f.left, x, y + 4, {ssLeft});
    EXPECT_TRUE(f.left->Heard.empty()) << "four pixels are no drag yet";
    TestHooks::SendMouseMove(*f.left, x, y + 30, {ssLeft});
    EXPECT_EQ(f.left->ItemIndex(), 1) << "the selection stays while dragging";
    ASSERT_EQ(f.left->Heard.size(), 1u);
    TestHooks::SendMouseUp(*f.left, mbLeft, x, y + 30);
    ASSERT_EQ(f.left->Heard.size(), 3u);
    EXPECT_EQ(f.left->Heard[1].substr(0, 12), "over Left 10");
    EXPECT_EQ(f.left->Heard[2].substr(0, 12), "drop Left 10");
    // The drop point is in the item area, where row 0 starts at y 0.
    const int itemY = std::stoi(f.left->Heard[2].substr(f.left->Heard[2].find(',') + 1));
    EXPECT_EQ(itemY, row1.Top - f.left->ItemRect(0).Top + 35);
}

TEST(ListBoxDrag, TheListUnderTheReleaseDecidesAndManualListsDoNotDrag)
{
    TTwoLists f;
    TestHooks::SendMouseDown(*f.left, mbLeft, 20, 5);
    TestHooks::SendMouseMove(*f.left, 120, 5, {ssLeft});
    TestHooks::SendMouseMove(*f.left, 220, 5, {ssLeft});
    TestHooks::SendMouseUp(*f.left, mbLeft, 220, 5);
    ASSERT_FALSE(f.right->Heard.empty());
    EXPECT_EQ(f.right->Heard.back().substr(0, 9), "drop Left");

    f.right->Heard.clear();
    f.right->Takes = false;
    TestHooks::SendMouseDown(*f.left, mbLeft, 20, 5);
    TestHooks::SendMouseMove(*f.left, 220, 5, {ssLeft});
    TestHooks::SendMouseUp(*f.left, mbLeft, 220, 5);
    EXPECT_EQ(f.right->Heard.back().substr(0, 9), "over Left") << "refused: no drop";

    f.right->SetDragMode(dmManual);
    const int lastRow = f.right->ItemRect(2).Top + 3;
    TestHooks::SendMouseDown(*f.right, mbLeft, 20, 5);
    TestHooks::SendMouseMove(*f.right, 20, lastRow, {ssLeft});
    TestHooks::SendMouseUp(*f.right, mbLeft, 20, lastRow);
    EXPECT_EQ(f.right->Heard.back().substr(0, 9), "over Left");
    EXPECT_EQ(f.right->ItemIndex(), 2) << "without dragging the press and move select as usual";
}

// The plot editor refreshes an object's page when its entry is clicked, also when the entry
// is already selected; a click beside the items and a change by the program report nothing.
TEST(ListBoxClick, EveryClickOnAnItemAndEveryKeyboardMoveReportsAClick)
{
    TTwoLists f;
    int clicks = 0;
    f.left->OnClick = [&](TObject*) { ++clicks; };
    const TRect row1 = f.left->ItemRect(1);
    TestHooks::SendClick(*f.left, row1.Left + 10, row1.Top + 3);
    EXPECT_EQ(clicks, 1);
    TestHooks::SendClick(*f.left, row1.Left + 10, row1.Top + 3);
    EXPECT_EQ(clicks, 2) << "the item already selected";
    TestHooks::SendKey(*f.left, VK_DOWN);
    EXPECT_EQ(f.left->ItemIndex(), 2);
    EXPECT_EQ(clicks, 3) << "a move by the keyboard";
    TestHooks::SendClick(*f.left, 10, f.left->ItemRect(2).Bottom + 20);
    f.left->SetItemIndex(0);
    f.left->SimulateClick(0);
    EXPECT_EQ(clicks, 4) << "below the items nothing; by the program nothing; simulated, the selected item";
}

TEST(ListBoxOwnerDraw, WithoutAHandlerItemsAreFilledAndWritten)
{
    TTwoLists f;
    f.left->SetStyle(lbOwnerDrawFixed);
    f.left->SetItemHeight(20);
    f.left->SetItemIndex(0);
    f.left->Repaint();
    TBitmap picture;
    TestHooks::GrabControl(*f.left, picture);
    const TRect row0 = f.left->ItemRect(0);
    const TRect row1 = f.left->ItemRect(1);
    EXPECT_EQ(row1.Height(), 20);
    int highlighted = 0, ink = 0;
    for (int x = row0.Left; x < row0.Right; ++x)
        highlighted += picture.Canvas().GetPixel(x, row0.Top + 1) == ColorToRGB(clHighlight);
    for (int y = row1.Top; y < row1.Bottom; ++y)
        for (int x = row1.Left; x < row1.Left + 12; ++x)
            ink += picture.Canvas().GetPixel(x, y) == ColorToRGB(clWindowText);
    EXPECT_GT(highlighted, row0.Width() / 2);
    EXPECT_GT(ink, 0) << "the text 2 pixels from the left";
}
