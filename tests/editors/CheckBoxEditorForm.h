#pragma once
// A small concrete editor for TiCheckBox on the base editor form, as a component's editor would
// be written: a General page with Caption and Checked, an OPC page
// with the browser panel, and the button panel. Counts the copies into a component so tests see when the form wrote.

#include "components/iCheckBox.h"
#include "editors/iComponentEditorForm.h"
#include "editors/iOPCBrowserPanel.h"
#include "platform/gui/StdCtrls.h"

inline constexpr const char* kCheckBoxEditorDescription = R"(
TiComponentEditorForm CheckBoxEditorForm {
  Caption = "TiCheckBox Editor"
  Width = 520
  Height = 360
  TiComponentEditorPageControl PageControl {
    Left = 4 Top = 4 Width = 504 Height = 280
    TTabSheet GeneralTabSheet {
      Caption = "General"
      TLabel CaptionLabel { Left = 8 Top = 14 Width = 50 Height = 16 Caption = "Caption" }
      TiComponentEditorEdit CaptionEdit { Left = 64 Top = 10 Width = 150 }
      TiComponentEditorCheckBox CheckedCheckBox { Left = 64 Top = 40 Width = 120 Height = 17 Caption = "Checked" }
    }
    TTabSheet OPCTabSheet {
      Caption = "OPC"
      TiOPCBrowserPanel OPCBrowserPanel { Align = alClient }
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
          CheckedCheckBox(FindControl<TiComponentEditorCheckBox>("CheckedCheckBox")),
          OPCBrowserPanel(FindComponent("OPCBrowserPanel") ? FindControl<TiOPCBrowserPanel>("OPCBrowserPanel")
                                                           : nullptr)
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
        if (OPCBrowserPanel && component == Component())
            UpLoadOPCProperties(&checkBox, OPCBrowserPanel);
    }

    void CopyPropertiesToComponent(TWinControl* component) override
    {
        auto& checkBox = dynamic_cast<TiCheckBox&>(*component);
        checkBox.SetCaption(CaptionEdit->GetAsString());
        checkBox.SetChecked(CheckedCheckBox->GetAsBoolean());
        // The preview shows the settings only: it is bound to no server.
        if (component != Component())
            return;
        if (OPCBrowserPanel)
            DownLoadOPCProperties(&checkBox, OPCBrowserPanel);
        ++CopiesToComponent;
    }

    TiComponentEditorEdit* CaptionEdit;
    TiComponentEditorCheckBox* CheckedCheckBox;
    TiOPCBrowserPanel* OPCBrowserPanel;  // none in a description without the OPC page
    int CopiesToComponent = 0;
};
