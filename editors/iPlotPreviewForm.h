#pragma once
// TiPlotPreviewForm: the print preview of a plot. It draws a sheet of the chosen paper with its
// shadow, and on it the plot's snapshot scaled into the print margins with the plot's
// proportions, the way PrintChart puts the first page on paper: toolbar 0 hidden and the
// plot's OnBeforePrint handlers run before the snapshot is taken (what they change of X axis
// 0, the plot's size and outer margins comes back afterwards, and OnAfterPrint fires, however
// the drawing ends). Print prints through the plot's PrintChart; Settings edits the margins,
// orientation, document name and paper in a TiPlotPreviewSettingsForm and writes all but the
// paper back into the plot. Margins that leave no room on the paper draw the sheet with a
// message instead of a picture.
//
// The plot's PreviewChart opens it through the hook this library registers:
//
//     TiPlotPreviewForm form(nullptr);
//     form.SetPlot(&plot);               // takes the plot's print settings; paper Letter
//     form.ShowModal();

#include "editors/EditorsLayer.h"

#include "platform/core/Types.h"
#include "platform/gui/Forms.h"

#include <cstdint>
#include <string>

class TBitmap;
class TiPaintBox;
class TiPlotComponent;

// What the preview shows and the settings form edits. Margins in inches.
struct TiPlotPreviewSettings {
    double MarginLeft = 1;
    double MarginTop = 1;
    double MarginRight = 1;
    double MarginBottom = 1;
    TPrinterOrientation Orientation = poLandscape;
    std::string DocumentName;
    // 0 Letter, 1 Legal, 2 A3, 3 A4, 4 A5; the preview's own, never the plot's.
    int PaperIndex = 0;
    bool operator==(const TiPlotPreviewSettings&) const = default;
};

// The printer paper code of a paper index: Letter 1, Legal 5, A3 8, A4 9, A5 11; Letter for
// any other index.
std::int16_t PreviewPaperCode(int paperIndex);

class TiPlotPreviewForm : public TForm {
    PRAVIX_CLASS(TiPlotPreviewForm, TForm)
public:
    explicit TiPlotPreviewForm(TComponent* owner);

    TiPlotComponent* Plot() const { return m_plot; }
    // Takes the plot's print margins, orientation and document name; the paper stays.
    void SetPlot(TiPlotComponent* plot);
    const TiPlotPreviewSettings& Settings() const { return m_settings; }
    void SetSettings(const TiPlotPreviewSettings& settings);
    TiPaintBox* Preview() const { return m_preview; }

    // The background, the sheet with its shadow and the snapshot inside the margins, on a
    // bitmap of the paint box's size.
    void DrawPreview(TBitmap& bitmap);
    // Hands the form to the plot's translation table.
    void DoTranslation();

    // Handlers of the form's controls.
    void PreviewPaint(TObject* sender);
    void CloseButtonClick(TObject* sender);
    void PrintButtonClick(TObject* sender);
    void SettingsButtonClick(TObject* sender);

private:
    struct TSheet;
    TSheet SheetFor(const TBitmap& bitmap) const;
    void DrawSheet(TBitmap& bitmap, const TSheet& sheet) const;
    void DrawSnapShot(TBitmap& bitmap, const TSheet& sheet) const;
    void DrawMessage(TBitmap& bitmap, const TSheet& sheet, const std::string& text) const;
    void FillSettingsForm(TForm& form) const;
    void TakeSettingsForm(const TForm& form);

    TiPlotComponent* m_plot = nullptr;
    TiPaintBox* m_preview = nullptr;
    TiPlotPreviewSettings m_settings;
};
