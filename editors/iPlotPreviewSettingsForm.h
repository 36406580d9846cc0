#pragma once
// TiPlotPreviewSettingsForm: the print settings the preview edits, a modal dialog built from its
// form description: PrintOrientationRadioGroup (Portrait, Landscape), the four margin edits in
// inches laid out as the sides of a square, PrintDocumentNameEdit, PrintPaperSizeComboBox
// (Letter, Legal, A3, A4, A5), OK and Cancel. The preview fills it and reads it back; the form
// itself only shows them.

#include "editors/EditorsLayer.h"

#include "platform/gui/Forms.h"

class TiPlotPreviewSettingsForm : public TForm {
    PRAVIX_CLASS(TiPlotPreviewSettingsForm, TForm)
public:
    explicit TiPlotPreviewSettingsForm(TComponent* owner);
};
