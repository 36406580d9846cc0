#include "components/iGPControls.h"

#include "platform/gui/ComCtrls.h"
#include "platform/gui/Controls.h"
#include "platform/gui/ExtCtrls.h"
#include "platform/gui/Forms.h"
#include "platform/gui/TestHooks.h"

#include <gtest/gtest.h>

#include <memory>

TEST(iGPControls, ModifierKeysFollowTheKeyboardState)
{
    TestHooks::SetKeyboardState(TShiftState{ssShift, ssAlt});
    EXPECT_TRUE(GetShiftDown());
    EXPECT_FALSE(GetCtrlDown());
    EXPECT_TRUE(GetAltDown());
    TestHooks::SetKeyboardState(TShiftState{ssCtrl});
    EXPECT_FALSE(GetShiftDown());
    EXPECT_TRUE(GetCtrlDown());
    TestHooks::SetKeyboardState(std::nullopt);
}

TEST(iGPControls, DesigningStateIsSetOnTheComponentOnly)
{
    TComponent owner(nullptr);
    auto* child = new TComponent(&owner);
    iSetDesigning(&owner);
    EXPECT_TRUE(owner.IsDesigning());
    EXPECT_FALSE(child->IsDesigning());
}

TEST(iGPControls, VerticalCentringAndPageIndexes)
{
    TForm form(nullptr);
    auto* reference = new TPanel(&form);
    reference->SetParent(&form);
    reference->SetBounds(0, 10, 50, 41);
    auto* control = new TPanel(&form);
    control->SetParent(&form);
    control->SetBounds(60, 0, 20, 11);
    iAlignVCenterControl(reference, control);
    EXPECT_EQ(control->Top(), 10 + 20 - 5);

    auto* pages = new TPageControl(&form);
    pages->SetParent(&form);
    EXPECT_EQ(GetActivePageIndex(pages), -1);
    for (int i = 0; i < 3; ++i)
        (new TTabSheet(&form))->SetPageControl(pages);
    SetActivePageIndex(pages, 2);
    EXPECT_EQ(GetActivePageIndex(pages), 2);
    for (int outside : {-1, 3}) {
        SetActivePageIndex(pages, outside);
        EXPECT_EQ(GetActivePageIndex(pages), 2) << outside;
    }
    SetActivePageIndex(pages, 0);
    EXPECT_EQ(GetActivePageIndex(pages), 0);
}

TEST(iGPControls, FormOwnerIsTheFirstFormUpTheOwnerChain)
{
    TForm form(nullptr);
    auto* panel = new TPanel(&form);
    TComponent plain(nullptr);
    EXPECT_EQ(GetCustomFormOwner(panel), &form);
    EXPECT_EQ(GetCustomFormOwner(&form), nullptr);  // the chain starts with the owner
    EXPECT_EQ(GetCustomFormOwner(&plain), nullptr);

    // No form: the last windowed control met on the way up.
    TPanel outer(nullptr);
    auto* inner = new TPanel(&outer);
    auto* leaf = new TComponent(inner);
    EXPECT_EQ(GetCustomFormOwner(leaf), &outer);
    EXPECT_EQ(GetCustomFormOwner(inner), &outer);
}
