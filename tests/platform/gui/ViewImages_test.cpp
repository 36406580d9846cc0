#include "platform/canvas/Bitmap.h"
#include "platform/canvas/ImageList.h"
#include "platform/gui/ComCtrls.h"
#include "platform/gui/Forms.h"
#include "platform/gui/TestHooks.h"

#include <gtest/gtest.h>

#include <memory>

namespace {

constexpr TColor kMask = clLime;

// A 16 x 16 picture: a square of `color` inside a border of the mask colour.
void AddImage(TImageList& images, TColor color)
{
    TBitmap picture;
    picture.SetSize(16, 16);
    picture.Canvas().Brush().SetColor(kMask);
    picture.Canvas().FillRect({0, 0, 16, 16});
    picture.Canvas().Brush().SetColor(color);
    picture.Canvas().FillRect({3, 3, 13, 13});
    images.Add(picture, kMask);
}

int CountPixels(TControl& control, TColor color)
{
    TBitmap shot;
    TestHooks::GrabControl(control, shot);
    int count = 0;
    for (int y = 0; y < shot.GetHeight(); ++y)
        for (int x = 0; x < shot.GetWidth(); ++x)
            count += shot.Canvas().GetPixel(x, y) == color;
    return count;
}

class ViewImages : public testing::Test {
protected:
    void SetUp() override
    {
        form = std::make_unique<TForm>(nullptr);
        form->SetBounds(0, 0, 300, 200);
        AddImage(images, clRed);
        AddImage(images, clBlue);
    }

    template <typename View>
    View* MakeView()
    {
        auto* view = new View(form.get());
        view->SetParent(form.get());
        view->SetBounds(0, 0, 200, 120);
        return view;
    }

    TImageList images;
    std::unique_ptr<TForm> form;
};

}  // namespace

TEST_F(ViewImages, TreeNodeShowsItsImageAndWhileSelectedItsSelectedImageWithoutTheMaskColour)
{
    auto* tree = MakeView<TTreeView>();
    TTreeNode* node = tree->AddChild(nullptr, "Servers");
    node->SetImageIndex(0);
    node->SetSelectedIndex(1);
    tree->AddChild(nullptr, "Other");
    EXPECT_EQ(CountPixels(*tree, clRed), 0) << "no image list yet";

    tree->SetImages(&images);
    EXPECT_EQ(CountPixels(*tree, clRed), 100);
    EXPECT_EQ(CountPixels(*tree, clBlue), 0);
    EXPECT_EQ(CountPixels(*tree, kMask), 0) << "the mask colour must be transparent";

    tree->SetSelected(node);
    EXPECT_EQ(CountPixels(*tree, clBlue), 100) << "the selected image, untinted";
    EXPECT_EQ(CountPixels(*tree, clRed), 0);

    node->SetSelectedIndex(-1);
    EXPECT_EQ(CountPixels(*tree, clRed), 100) << "no selected image: the image";

    node->SetImageIndex(7);  // not in the list
    EXPECT_EQ(CountPixels(*tree, clRed), 0);
    tree->SetImages(nullptr);
    EXPECT_EQ(CountPixels(*tree, clBlue), 0);
}

TEST_F(ViewImages, ImagesAddedToTheListAfterwardsShowWithoutRebuildingTheNodes)
{
    TImageList late;
    auto* tree = MakeView<TTreeView>();
    tree->SetImages(&late);
    TTreeNode* parent = tree->AddChild(nullptr, "Groups");
    tree->AddChild(parent, "Group 1")->SetImageIndex(1);
    parent->SetExpanded(true);
    EXPECT_EQ(CountPixels(*tree, clBlue), 0);

    AddImage(late, clRed);
    AddImage(late, clBlue);
    EXPECT_EQ(CountPixels(*tree, clBlue), 100);
    tree->SetImages(nullptr);
}

TEST_F(ViewImages, ListItemsShowTheirSmallImage)
{
    auto* list = MakeView<TListView>();
    list->AddColumn("Name", 150);
    list->SetSmallImages(&images);
    list->AddItem("First")->ImageIndex = 1;
    list->AddItem("Second")->ImageIndex = 1;
    list->AddItem("Plain");                   // no image
    list->AddItem("Beyond")->ImageIndex = 9;  // not in the list
    list->Refresh();
    EXPECT_EQ(CountPixels(*list, clBlue), 200);
    EXPECT_EQ(CountPixels(*list, clRed), 0);
    EXPECT_EQ(CountPixels(*list, kMask), 0);

    list->Item(0)->ImageIndex = 0;
    list->Refresh();
    EXPECT_EQ(CountPixels(*list, clRed), 100);
    EXPECT_EQ(CountPixels(*list, clBlue), 100);
}
