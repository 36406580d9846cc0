#pragma once
// A small concrete editor for TiCheckBox on the base editor form, as a component's editor would
// be written: a General page with Caption and Checked and
// the button panel. Counts the copies into a component so tests see when the form wrote.

#include "components/iCheckBox.h"
#include "editors/iComponentEditorForm.h"
#include "platform/gui/StdCtrls.h"

inline constexpr const char* kCheckBoxEditorDescription = R"(
TiComponentEditorForm CheckBoxEditorForm {
  Caption = "TiCheckBox Editor"
  Width = 520
  Height = 330
  TiComponentEditorPageControl PageControl {
    Left = 4 Top = 4 Width = 504 Height = 250
    TTabSheet GeneralTabSheet {
      Caption = "General"
      TLabel CaptionLabel { Left = 8 Top = 14 Width = 50 Height = 16 Caption = "Caption" }
      TiComponentEditorEdit CaptionEdit { Left = 64 Top = 10 Width = 150 }
      TiComponentEditorCheckBox CheckedCheckBox { Left = 64 Top = 40 Width = 120 Height = 17 Caption = "Checked" }
    }
  }
  TiComponentEditorButtonPanel ButtonPanel { }
}
)";

class TiCheckBoxEditorForm : public TiComponentEditorForm {
public:
    explicit TiCheckBoxEditorForm(TComponent* owner = nullptr,
                                  std::string_view description = kCheckBoxEditorDescription)
        : TiComponentEditorForm(owner, description),
          CaptionEdit(FindControl<TiComponentEditorEdit>("CaptionEdit")),
          CheckedCheckBox(FindControl<TiComponentEditorCheckBox>("CheckedCheckBox"))
    {
    }

    void CreateThemeInstance() override
    {
        auto* preview = new TiCheckBox(this);
        preview->SetName("PreviewCheckBox");
        SetPreviewInstance(preview);
    }

    void CopyPropertiesToForm(TWinControl* component) override
    {
        auto& checkBox = dynamic_cast<TiCheckBox&>(*component);
        CaptionEdit->SetAsString(checkBox.Caption());
        CheckedCheckBox->SetAsBoolean(checkBox.Checked());
    }

    void CopyPropertiesToComponent(TWinControl* component) override
    {
        auto& checkBox = dynamic_cast<TiCheckBox&>(*component);
        checkBox.SetCaption(CaptionEdit->GetAsString());
        checkBox.SetChecked(CheckedCheckBox->GetAsBoolean());
        if (component == Component())
            ++CopiesToComponent;
    }

    TiComponentEditorEdit* CaptionEdit;
    TiComponentEditorCheckBox* CheckedCheckBox;
    int CopiesToComponent = 0;
};
