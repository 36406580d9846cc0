// The base editor form with a concrete editor for TiCheckBox, driven by clicks and keys: OK
// writes, Cancel leaves the component as it was, Apply writes and stays, Apply is enabled only
// after a change; and the theme panel's preview follows the form.

#include "editors/iComponentEditorForm.h"

#include "components/iClasses.h"
#include "editors/CheckBoxEditorForm.h"
#include "platform/gui/ComCtrls.h"
#include "platform/gui/Keys.h"
#include "platform/gui/TestHooks.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>

namespace {

std::string PropertyText(TObject& object)
{
    TStringList lines;
    SaveObjectToStringList(&object, "", lines);
    return lines.Text();
}

// An edited check box and its editor, shown, filled from the check box.
struct TEditorFixture {
    TEditorFixture()
    {
        checkBox->SetCaption("Pump");
        checkBox->SetChecked(false);
        form->SetComponent(checkBox.get());
        form->SetupEditor();
        form->Show();
        TestHooks::PumpUntil([this] { return form->Showing(); }, 2000);
    }

    // Types a caption and commits it with Enter, as the user does.
    void TypeCaption(const std::string& text)
    {
        TiComponentEditorEdit& edit = *form->CaptionEdit;
        edit.SetFocus();
        TestHooks::PumpUntil([&] { return edit.Focused(); }, 2000);
        edit.SelectAll();
        edit.SimulateTyping(text);
        TestHooks::SendKey(edit, VK_RETURN);
    }

    void Click(TButton* button) { TestHooks::SendClick(*button, 10, 10); }
    bool ApplyEnabled() const { return form->ButtonPanel()->ApplyButton()->Enabled(); }

    std::unique_ptr<TiCheckBox> checkBox = std::make_unique<TiCheckBox>(nullptr);
    std::unique_ptr<TiCheckBoxEditorForm> form = std::make_unique<TiCheckBoxEditorForm>();
};

TEST(ComponentEditorForm, FillsItsControlsFromTheComponentAndStartsUnmodified)
{
    TEditorFixture f;
    EXPECT_EQ(f.form->CaptionEdit->GetAsString(), "Pump");
    EXPECT_FALSE(f.form->CheckedCheckBox->GetAsBoolean());
    EXPECT_FALSE(f.form->Modified());
    EXPECT_FALSE(f.ApplyEnabled());
    EXPECT_EQ(f.form->BorderStyle(), bsDialog);
    EXPECT_EQ(f.form->Position(), poScreenCenter);
    EXPECT_FALSE(f.form->AutoScroll());
}

TEST(ComponentEditorForm, ApplyIsEnabledByTheFirstChangeAndWritesAndStays)
{
    TEditorFixture f;
    f.TypeCaption("Valve");
    EXPECT_TRUE(f.form->Modified());
    EXPECT_TRUE(f.ApplyEnabled());
    EXPECT_EQ(f.checkBox->Caption(), "Pump") << "nothing is written before Apply";

    f.Click(f.form->ButtonPanel()->ApplyButton());
    EXPECT_EQ(f.checkBox->Caption(), "Valve");
    EXPECT_TRUE(f.form->Applied());
    EXPECT_FALSE(f.form->Modified());
    EXPECT_FALSE(f.ApplyEnabled());
    EXPECT_EQ(f.form->ModalResult(), mrNone) << "Apply keeps the form open";
    EXPECT_EQ(f.form->CaptionEdit->GetAsString(), "Valve") << "the form re-reads the component";
}

TEST(ComponentEditorForm, OkWritesTheChangesAndClosesWithOk)
{
    TEditorFixture f;
    TestHooks::SendClick(*f.form->CheckedCheckBox, 5, 8);
    f.TypeCaption("Valve");
    f.Click(f.form->ButtonPanel()->OkButton());
    EXPECT_EQ(f.form->ModalResult(), mrOk);
    EXPECT_TRUE(f.checkBox->Checked());
    EXPECT_EQ(f.checkBox->Caption(), "Valve");
    EXPECT_TRUE(f.form->Applied());
}

TEST(ComponentEditorForm, OkWithoutAChangeWritesNothing)
{
    TEditorFixture f;
    f.Click(f.form->ButtonPanel()->OkButton());
    EXPECT_EQ(f.form->ModalResult(), mrOk);
    EXPECT_EQ(f.form->CopiesToComponent, 0);
    EXPECT_FALSE(f.form->Applied());
}

TEST(ComponentEditorForm, CancelLeavesTheComponentExactlyAsItWas)
{
    TEditorFixture f;
    const std::string before = PropertyText(*f.checkBox);
    TestHooks::SendClick(*f.form->CheckedCheckBox, 5, 8);
    f.TypeCaption("Valve");
    f.Click(f.form->ButtonPanel()->CancelButton());
    EXPECT_EQ(f.form->ModalResult(), mrCancel);
    EXPECT_EQ(PropertyText(*f.checkBox), before);
    EXPECT_EQ(f.form->CopiesToComponent, 0);
}

TEST(ComponentEditorForm, ButtonPanelRightAlignsItsButtons)
{
    TiComponentEditorButtonPanel panel(nullptr);
    EXPECT_EQ(panel.Height(), 37);
    EXPECT_EQ(panel.Align(), alBottom);
    panel.SetBounds(0, 0, 400, 37);
    EXPECT_EQ(panel.ApplyButton()->Left(), 320);
    EXPECT_EQ(panel.CancelButton()->Left(), 240);
    EXPECT_EQ(panel.OkButton()->Left(), 160);
    for (TButton* button : {panel.OkButton(), panel.CancelButton(), panel.ApplyButton()}) {
        EXPECT_EQ(button->Top(), 8);
        EXPECT_EQ(button->Width(), 70);
        EXPECT_EQ(button->Height(), 25);
    }
    EXPECT_EQ(panel.OkButton()->Caption(), "&OK");
    EXPECT_EQ(panel.CancelButton()->Caption(), "&Cancel");
    EXPECT_EQ(panel.ApplyButton()->Caption(), "&Apply");
}

TEST(ComponentEditorForm, WithoutAThemePanelThereIsNoPreview)
{
    TEditorFixture f;
    EXPECT_EQ(f.form->ThemePanel(), nullptr);
    EXPECT_EQ(f.form->PreviewInstance(), nullptr);
    EXPECT_EQ(f.form->FindControl<TPageControl>("PageControl")->ActivePageIndex(), 0);
}

// A theme panel as the form sees it: it keeps the preview it is given and can accept it.
class TFakeThemePanel : public TCustomControl, public TiComponentEditorThemePanelLink {
    PRAVIX_CLASS(TFakeThemePanel, TCustomControl)
public:
    explicit TFakeThemePanel(TComponent* owner) : TCustomControl(owner) {}
    void SetiComponentPreview(TWinControl* preview) override { Preview = preview; }
    void ResetThemePanel() override { ++Resets; }
    void SetOnAcceptChanges(TNotifyEvent handler) override { AcceptChanges = std::move(handler); }

    TWinControl* Preview = nullptr;
    int Resets = 0;
    TNotifyEvent AcceptChanges;
};

constexpr const char* kThemedDescription = R"(
TiComponentEditorForm ThemedEditorForm {
  Width = 300 Height = 200
  TFakeThemePanel iComponentEditorThemePanel { Left = 0 Top = 0 Width = 150 Height = 100 }
  TiComponentEditorEdit CaptionEdit { Left = 160 Top = 10 Width = 100 }
  TiComponentEditorCheckBox CheckedCheckBox { Left = 160 Top = 40 Width = 100 Height = 17 }
  TiComponentEditorButtonPanel ButtonPanel { }
}
)";

class TThemedCheckBoxEditor : public TiCheckBoxEditorForm {
public:
    TThemedCheckBoxEditor() : TiCheckBoxEditorForm(nullptr, kThemedDescription) {}
};

TEST(ComponentEditorForm, ThePreviewFollowsTheFormAndAnAcceptedSchemeIsAChange)
{
    TiCheckBox checkBox(nullptr);
    checkBox.SetCaption("Pump");
    checkBox.iSetAutoSize(false);
    checkBox.SetBounds(0, 0, 90, 20);
    TThemedCheckBoxEditor form;
    auto* panel = dynamic_cast<TFakeThemePanel*>(form.ThemePanel());
    ASSERT_NE(panel, nullptr);
    form.SetComponent(&checkBox);
    form.SetupEditor();

    auto* preview = dynamic_cast<TiCheckBox*>(form.PreviewInstance());
    ASSERT_NE(preview, nullptr);
    EXPECT_EQ(panel->Preview, preview);
    EXPECT_EQ(panel->Resets, 1);
    EXPECT_TRUE(preview->IsDesigning());
    EXPECT_EQ(preview->Width(), 90);
    EXPECT_EQ(preview->Height(), 20);
    EXPECT_EQ(preview->Caption(), "Pump");

    form.CaptionEdit->SetStringWithEvent("Valve");
    EXPECT_EQ(preview->Caption(), "Valve") << "the preview follows every change";
    EXPECT_EQ(checkBox.Caption(), "Pump");

    form.SetModified(false);
    preview->SetCaption("Scheme");
    panel->AcceptChanges(panel);
    EXPECT_EQ(form.CaptionEdit->GetAsString(), "Scheme");
    EXPECT_TRUE(form.Modified());

    form.SetupEditor();
    EXPECT_EQ(form.PreviewInstance(), preview) << "one preview for the form's life";
    EXPECT_EQ(panel->Resets, 2);
}

}  // namespace

PRAVIX_PUBLISH(TFakeThemePanel)
