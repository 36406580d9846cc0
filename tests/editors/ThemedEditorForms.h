#pragma once
// Two editors on the base editor form with a theme panel on their "Themes" page, as a
// component's editor would hold one: one for TiCheckBox (caption and colours) and one for a
// plot (background colour, title margin and title colour). The panel's rows 3 to 5 are hidden
// by the form description; the rows' property paths are set after it is read.

#include "components/iCheckBox.h"
#include "editors/iComponentEditorForm.h"
#include "editors/iComponentEditorThemePanel.h"
#include "plot/control/iPlot.h"

#include <initializer_list>
#include <string>

inline std::string ThemedEditorDescription(const char* caption, const char* generalControls)
{
    return std::string("TiComponentEditorForm ThemedEditorForm {\n  Caption = \"") + caption +
           "\"\n  Width = 540\n  Height = 360\n"
           "  TiComponentEditorPageControl PageControl {\n    Left = 4 Top = 4 Width = 524 Height = 280\n"
           "    TTabSheet GeneralTabSheet {\n      Caption = \"General\"\n" +
           generalControls +
           "    }\n    TTabSheet ThemesTabSheet {\n      Caption = \"Themes\"\n"
           "      TiComponentEditorThemePanel iComponentEditorThemePanel {\n"
           "        Scheme3Show = False Scheme4Show = False Scheme5Show = False\n      }\n    }\n  }\n"
           "  TiComponentEditorButtonPanel ButtonPanel { }\n}\n";
}

// The panel of the form, with the property paths of its two shown rows.
inline TiComponentEditorThemePanel& ThemePanelOf(TiComponentEditorForm& form,
                                                 std::initializer_list<const char*> presetPaths,
                                                 std::initializer_list<const char*> colorPaths)
{
    auto& panel = *form.FindControl<TiComponentEditorThemePanel>("iComponentEditorThemePanel");
    for (int row = 0; row < 2; ++row) {
        TStringList paths;
        for (const char* path : row == 0 ? presetPaths : colorPaths)
            paths.Add(path);
        panel.SetSchemePropertyNames(row, &paths);
    }
    return panel;
}

class TiCheckBoxThemedEditorForm : public TiComponentEditorForm {
public:
    TiCheckBoxThemedEditorForm()
        : TiComponentEditorForm(nullptr, ThemedEditorDescription("TiCheckBox Editor", R"(
      TLabel CaptionLabel { Left = 8 Top = 14 Width = 50 Height = 16 Caption = "Caption" }
      TiComponentEditorEdit CaptionEdit { Left = 100 Top = 10 Width = 150 }
      TLabel BackLabel { Left = 8 Top = 44 Width = 90 Height = 16 Caption = "Background" }
      TiComponentEditorColorPicker BackGroundColorPicker { Left = 100 Top = 40 Width = 60 Height = 21 }
      TLabel FontLabel { Left = 8 Top = 74 Width = 90 Height = 16 Caption = "Text colour" }
      TiComponentEditorColorPicker FontColorPicker { Left = 100 Top = 70 Width = 60 Height = 21 }
)")),
          Panel(
              ThemePanelOf(*this, {"BackGroundColor", "Font.Color", "Font.Style"}, {"BackGroundColor", "Font.Color"})),
          CaptionEdit(FindControl<TiComponentEditorEdit>("CaptionEdit")),
          BackGroundColorPicker(FindControl<TiComponentEditorColorPicker>("BackGroundColorPicker")),
          FontColorPicker(FindControl<TiComponentEditorColorPicker>("FontColorPicker"))
    {
    }

    void CreateThemeInstance() override { SetPreviewInstance(new TiCheckBox(this)); }

    void CopyPropertiesToForm(TWinControl* component) override
    {
        auto& box = dynamic_cast<TiCheckBox&>(*component);
        CaptionEdit->SetAsString(box.Caption());
        BackGroundColorPicker->SetColor(box.BackGroundColor());
        FontColorPicker->SetColor(box.Font()->GetColor());
    }

    void CopyPropertiesToComponent(TWinControl* component) override
    {
        auto& box = dynamic_cast<TiCheckBox&>(*component);
        box.SetCaption(CaptionEdit->GetAsString());
        box.SetBackGroundColor(BackGroundColorPicker->Color());
        box.Font()->SetColor(FontColorPicker->Color());
    }

    TiComponentEditorThemePanel& Panel;
    TiComponentEditorEdit* CaptionEdit;
    TiComponentEditorColorPicker* BackGroundColorPicker;
    TiComponentEditorColorPicker* FontColorPicker;
};

class TiPlotThemedEditorForm : public TiComponentEditorForm {
public:
    TiPlotThemedEditorForm()
        : TiComponentEditorForm(nullptr, ThemedEditorDescription("TiPlot Editor", R"(
      TLabel BackLabel { Left = 8 Top = 14 Width = 90 Height = 16 Caption = "Background" }
      TiComponentEditorColorPicker BackGroundColorPicker { Left = 100 Top = 10 Width = 60 Height = 21 }
      TLabel MarginLabel { Left = 8 Top = 44 Width = 90 Height = 16 Caption = "Title margin" }
      TiComponentEditorEdit TitleMarginEdit { Left = 100 Top = 40 Width = 60 }
      TLabel TitleLabel { Left = 8 Top = 74 Width = 90 Height = 16 Caption = "Title colour" }
      TiComponentEditorColorPicker TitleColorPicker { Left = 100 Top = 70 Width = 60 Height = 21 }
)")),
          Panel(ThemePanelOf(*this, {"BackGroundColor", "TitleFont.Color"}, {"BackGroundColor", "TitleMargin"})),
          BackGroundColorPicker(FindControl<TiComponentEditorColorPicker>("BackGroundColorPicker")),
          TitleMarginEdit(FindControl<TiComponentEditorEdit>("TitleMarginEdit")),
          TitleColorPicker(FindControl<TiComponentEditorColorPicker>("TitleColorPicker"))
    {
    }

    void CreateThemeInstance() override { SetPreviewInstance(new TiPlot(this)); }

    void CopyPropertiesToForm(TWinControl* component) override
    {
        auto& plot = dynamic_cast<TiPlot&>(*component);
        BackGroundColorPicker->SetColor(plot.BackGroundColor());
        TitleMarginEdit->SetAsFloat(plot.TitleMargin());
        TitleColorPicker->SetColor(plot.TitleFont()->GetColor());
    }

    void CopyPropertiesToComponent(TWinControl* component) override
    {
        auto& plot = dynamic_cast<TiPlot&>(*component);
        plot.SetBackGroundColor(BackGroundColorPicker->Color());
        plot.SetTitleMargin(TitleMarginEdit->GetAsFloat());
        plot.TitleFont()->SetColor(TitleColorPicker->Color());
    }

    TiComponentEditorThemePanel& Panel;
    TiComponentEditorColorPicker* BackGroundColorPicker;
    TiComponentEditorEdit* TitleMarginEdit;
    TiComponentEditorColorPicker* TitleColorPicker;
};
