#include "platform/core/Component.h"

#include <gtest/gtest.h>

namespace {

std::vector<std::string> g_destroyed;

// Records its destruction and clears its reference when the referenced component goes.
class TTracked : public TComponent {
    PRAVIX_CLASS(TTracked, TComponent)
public:
    TTracked(TComponent* owner, const std::string& name) : TComponent(owner) { SetName(name); }
    ~TTracked() override { g_destroyed.push_back(Name()); }

    TComponent* Link = nullptr;
    std::vector<std::string> Removed;

protected:
    void Notification(TComponent* component, TOperation operation) override
    {
        if (operation == opRemove) {
            Removed.push_back(component->Name());
            if (component == Link)
                Link = nullptr;
        }
        TComponent::Notification(component, operation);
    }
};

}  // namespace

PRAVIX_PUBLISH(TTracked)

TEST(Component, OwnerFreesOwnedComponentsInReverseCreationOrder)
{
    g_destroyed.clear();
    auto* form = new TTracked(nullptr, "Form");
    auto* a = new TTracked(form, "A");
    new TTracked(form, "B");
    new TTracked(a, "A1");
    ASSERT_EQ(form->ComponentCount(), 2);
    EXPECT_EQ(form->Components(0)->Name(), "A");
    EXPECT_EQ(form->FindComponent("b")->Name(), "B");
    EXPECT_EQ(form->FindComponent("A1"), nullptr);  // owned by A, not by the form
    EXPECT_EQ(form->FindComponent(""), nullptr);
    try {
        form->Components(2);
        FAIL();
    } catch (const EListError& e) {
        EXPECT_EQ(e.Message(), "List index out of bounds (2)");
    }
    delete form;
    EXPECT_EQ(g_destroyed, (std::vector<std::string>{"Form", "B", "A", "A1"}));
}

TEST(Component, RemovalNotifiesTheOwnerAndSiblingsHoldingReferences)
{
    TTracked form(nullptr, "Form");
    auto* menu = new TTracked(&form, "Menu");
    auto* button = new TTracked(&form, "Button");
    button->Link = menu;
    delete menu;
    EXPECT_EQ(button->Link, nullptr);
    EXPECT_EQ(form.ComponentCount(), 1);
    EXPECT_EQ(form.Removed, (std::vector<std::string>{"Menu"}));

    // Moving a component to another owner is a removal for the old owner.
    TTracked other(nullptr, "Other");
    other.InsertComponent(button);
    EXPECT_EQ(button->Owner(), &other);
    EXPECT_EQ(form.ComponentCount(), 0);
    EXPECT_EQ(form.Removed, (std::vector<std::string>{"Menu", "Button"}));
}

TEST(Component, FreeNotificationLinksComponentsOfDifferentOwners)
{
    auto* formA = new TTracked(nullptr, "FormA");
    TTracked formB(nullptr, "FormB");
    auto* popup = new TTracked(formA, "Popup");
    auto* user = new TTracked(&formB, "User");
    user->Link = popup;
    user->FreeNotification(popup);
    delete formA;  // frees the popup
    EXPECT_EQ(user->Link, nullptr);

    // After RemoveFreeNotification nothing is told.
    auto* lonely = new TTracked(nullptr, "Lonely");
    user->FreeNotification(lonely);
    user->RemoveFreeNotification(lonely);
    user->Removed.clear();
    delete lonely;
    EXPECT_TRUE(user->Removed.empty());
}

TEST(Component, StatesAndLoaded)
{
    TTracked c(nullptr, "C");
    c.SetComponentState(csLoading, true);
    c.SetComponentState(csDesigning, true);
    EXPECT_TRUE(c.IsLoading());
    EXPECT_TRUE(c.IsDesigning());
    c.Loaded();
    EXPECT_FALSE(c.IsLoading());
    EXPECT_TRUE(c.IsDesigning());
    EXPECT_FALSE(c.IsDestroying());
}

TEST(Component, AssignWithoutSupportRaisesConversionError)
{
    TTracked a(nullptr, "A");
    TPersistent p;
    try {
        a.Assign(p);
        FAIL();
    } catch (const EConvertError& e) {
        EXPECT_EQ(e.Message(), "Cannot assign a TPersistent to a TTracked");
    }
}
