#include "editors/iPlotPreviewForm.h"

#include "editors/iEditorBasicComponents.h"
#include "editors/iPlotPreviewSettingsForm.h"
#include "plot/control/iPlotComponent.h"
#include "plot/core/iPlotEditorHooks.h"
#include "plot/objects/iPlotToolBar.h"

#include "components/iGPPaper.h"
#include "platform/canvas/Bitmap.h"
#include "platform/canvas/Graphics.h"
#include "platform/canvas/Metafile.h"
#include "platform/core/Assert.h"
#include "platform/core/Exceptions.h"
#include "platform/core/MathSupport.h"
#include "platform/core/Resources.h"
#include "platform/core/Scoped.h"
#include "platform/gui/StdCtrls.h"

#include <array>
#include <functional>
#include <utility>

namespace {

constexpr std::array<std::int16_t, 5> kPaperCodes{1, 5, 8, 9, 11};  // Letter, Legal, A3, A4, A5

// Room left around the sheet in the paint box, and the shadow's offset.
constexpr int kSheetBorder = 20;
constexpr int kShadowOffset = 7;
// Room between the page's edge and a message shown on it.
constexpr int kMessageInset = 10;

const char* const kNoRoomText = "The print margins leave no room on the page";
const char* const kNoAreaText = "The plot has no width or height to print";

int Rounded(double value) { return int(RoundHalfEven(value)); }

std::string FormDescription()
{
    std::string text;
    if (!ReadResource("iPlotPreviewForm", text))
        throw Exception("The form description iPlotPreviewForm is missing from the program.");
    return text;
}

// Hides toolbar 0, when the plot has one, until Restore or the end of the scope, whichever
// comes first.
class TToolBarZeroHidden {
public:
    explicit TToolBarZeroHidden(TiPlotComponent& plot)
        : m_toolBar(plot.ToolBarCount() > 0 ? plot.GetToolBar(0) : nullptr),
          m_visible(m_toolBar && m_toolBar->Visible())
    {
        if (m_toolBar)
            m_toolBar->SetVisible(false);
    }
    TToolBarZeroHidden(const TToolBarZeroHidden&) = delete;
    TToolBarZeroHidden& operator=(const TToolBarZeroHidden&) = delete;
    ~TToolBarZeroHidden() { Restore(); }
    void Restore()
    {
        if (m_toolBar)
            m_toolBar->SetVisible(m_visible);
        m_toolBar = nullptr;
    }

private:
    TiPlotToolBar* m_toolBar;
    bool m_visible;
};

// Runs the drawing with the plot prepared as for printing: toolbar 0 hidden and OnBeforePrint
// run (Sender the preview form). Afterwards, also when the drawing fails, the toolbar shows as
// it did and OnAfterPrint fires; what the handlers changed of X axis 0, the size and the outer
// margins comes back in every case. A handler that raises after a drawing that succeeded is
// reported; after one that failed, the drawing's error is, and the program goes on.
void DrawAsPrinted(TiPlotComponent& plot, TObject* sender, const std::function<void()>& draw)
{
    TiPlotPrintedState restore(plot);
    TToolBarZeroHidden hidden(plot);
    plot.OnBeforePrint(sender);
    TScopeExit afterPrint([&] {
        hidden.Restore();
        plot.OnAfterPrint(sender);
    });
    draw();
}

void ShowPlotPreview(TiPlotComponent& plot)
{
    TiPlotPreviewForm form(nullptr);
    form.SetPlot(&plot);
    form.SetCaption(plot.PrintDocumentName() + " (Preview)");
    form.DoTranslation();
    form.ShowModal();
}

[[maybe_unused]] const bool g_registered = [] {
    RegisterPlotPreview(&ShowPlotPreview);
    return true;
}();

}  // namespace

std::int16_t PreviewPaperCode(int paperIndex)
{
    return paperIndex >= 0 && paperIndex < int(kPaperCodes.size()) ? kPaperCodes[paperIndex] : kPaperCodes[0];
}

// The sheet in paint-box pixels: the page rectangle, the pixels per inch, and the room the
// margins leave for the picture (none when they are wider than the page).
struct TiPlotPreviewForm::TSheet {
    TRect Page;
    int PixelsPerInch = 0;
    int DrawWidth = 0;
    int DrawHeight = 0;
};

TiPlotPreviewForm::TiPlotPreviewForm(TComponent* owner) : TForm(owner)
{
    ReadDescription(FormDescription());
    m_preview = FindControl<TiPaintBox>("Preview");
    m_preview->OnPaint = TNotifyEvent::Bind(this, &TiPlotPreviewForm::PreviewPaint);
    FindControl<TButton>("CloseButton")->OnClick = TNotifyEvent::Bind(this, &TiPlotPreviewForm::CloseButtonClick);
    FindControl<TButton>("SettingsButton")->OnClick = TNotifyEvent::Bind(this, &TiPlotPreviewForm::SettingsButtonClick);
    auto* printButton = FindControl<TSpeedButton>("PrintButton");
    printButton->OnClick = TNotifyEvent::Bind(this, &TiPlotPreviewForm::PrintButtonClick);
    TBitmap glyph;
    glyph.LoadFromResourceName("PRINTER");
    printButton->SetGlyph(&glyph);
}

void TiPlotPreviewForm::SetPlot(TiPlotComponent* plot)
{
    m_plot = plot;
    if (!plot)
        return;
    m_settings.MarginLeft = plot->PrintMarginLeft();
    m_settings.MarginTop = plot->PrintMarginTop();
    m_settings.MarginRight = plot->PrintMarginRight();
    m_settings.MarginBottom = plot->PrintMarginBottom();
    m_settings.Orientation = plot->PrintOrientation();
    m_settings.DocumentName = plot->PrintDocumentName();
    m_preview->Invalidate();
}

void TiPlotPreviewForm::SetSettings(const TiPlotPreviewSettings& settings)
{
    m_settings = settings;
    m_preview->Invalidate();
}

void TiPlotPreviewForm::DoTranslation()
{
    if (m_plot)
        m_plot->MasterManager().DoTranslation(this);
}

// ---------------------------------------------------------------------------------------------
// Drawing

void TiPlotPreviewForm::PreviewPaint(TObject*)
{
    TBitmap bitmap;
    bitmap.SetSize(m_preview->Width(), m_preview->Height());
    if (m_plot)
        DrawAsPrinted(*m_plot, this, [&] { DrawPreview(bitmap); });
    else
        DrawPreview(bitmap);
    m_preview->Canvas()->Draw(0, 0, bitmap);
}

void TiPlotPreviewForm::DrawPreview(TBitmap& bitmap)
{
    const TSheet sheet = SheetFor(bitmap);
    DrawSheet(bitmap, sheet);
    if (sheet.Page.Right <= sheet.Page.Left || !m_plot)
        return;
    if (sheet.DrawWidth <= 0 || sheet.DrawHeight <= 0)
        DrawMessage(bitmap, sheet, kNoRoomText);
    else if (m_plot->Width() <= 0 || m_plot->Height() <= 0)
        DrawMessage(bitmap, sheet, kNoAreaText);
    else
        DrawSnapShot(bitmap, sheet);
}

// The text in the middle of the page, wrapped to its width, where the picture would be.
void TiPlotPreviewForm::DrawMessage(TBitmap& bitmap, const TSheet& sheet, const std::string& text) const
{
    TCanvas& canvas = bitmap.Canvas();
    canvas.Brush().SetStyle(bsClear);
    canvas.Font().SetColor(clBlack);
    TRect area{sheet.Page.Left + kMessageInset, sheet.Page.Top + kMessageInset, sheet.Page.Right - kMessageInset,
               sheet.Page.Bottom - kMessageInset};
    TRect measured = area;
    canvas.DrawText(text, measured, DT_CENTER | DT_WORDBREAK | DT_CALCRECT);
    OffsetRect(area, 0, ((area.Bottom - area.Top) - (measured.Bottom - measured.Top)) / 2);
    canvas.DrawText(text, area, DT_CENTER | DT_WORDBREAK);
}

TiPlotPreviewForm::TSheet TiPlotPreviewForm::SheetFor(const TBitmap& bitmap) const
{
    double paperWidth = 0, paperHeight = 0;
    GetPaperTypePaperSize(PreviewPaperCode(m_settings.PaperIndex), paperWidth, paperHeight);
    if (m_settings.Orientation == poLandscape)
        std::swap(paperWidth, paperHeight);
    const int boxWidth = bitmap.GetWidth(), boxHeight = bitmap.GetHeight();
    const int available = boxWidth - kSheetBorder, availableHeight = boxHeight - kSheetBorder;
    TSheet sheet;
    // A paint box smaller than the border around the sheet has no sheet to show.
    if (available <= 0 || availableHeight <= 0)
        return sheet;
    int pageWidth = availableHeight;
    int pageHeight = availableHeight;
    if (availableHeight / paperHeight > available / paperWidth) {
        pageWidth = available;
        pageHeight = Rounded(available / paperWidth * paperHeight);
    } else {
        pageWidth = Rounded(availableHeight / paperHeight * paperWidth);
    }
    sheet.PixelsPerInch = Rounded(pageWidth / paperWidth);
    const double ppi = sheet.PixelsPerInch;
    sheet.DrawWidth = pageWidth - Rounded((m_settings.MarginLeft + m_settings.MarginRight) * ppi);
    sheet.DrawHeight = pageHeight - Rounded((m_settings.MarginTop + m_settings.MarginBottom) * ppi);
    sheet.Page = TRect{boxWidth / 2 - pageWidth / 2 - 5, boxHeight / 2 - pageHeight / 2 - 5,
                       boxWidth / 2 + pageWidth / 2 - 5, boxHeight / 2 + pageHeight / 2 - 5};
    return sheet;
}

void TiPlotPreviewForm::DrawSheet(TBitmap& bitmap, const TSheet& sheet) const
{
    TCanvas& canvas = bitmap.Canvas();
    canvas.Pen().SetStyle(psSolid);
    canvas.Pen().SetWidth(1);
    canvas.Pen().SetColor(clBlack);
    canvas.Brush().SetStyle(bsSolid);
    canvas.Brush().SetColor(clBtnFace);
    canvas.FillRect(TRect{0, 0, bitmap.GetWidth(), bitmap.GetHeight()});
    if (sheet.Page.Right <= sheet.Page.Left)
        return;
    TRect shadow = sheet.Page;
    OffsetRect(shadow, kShadowOffset, kShadowOffset);
    canvas.Brush().SetColor(clBlack);
    canvas.Rectangle(shadow);
    canvas.Brush().SetColor(clWhite);
    canvas.Rectangle(sheet.Page);
}

// The snapshot keeps the plot's proportions inside the room the margins leave, at the top-left
// margin corner.
void TiPlotPreviewForm::DrawSnapShot(TBitmap& bitmap, const TSheet& sheet) const
{
    const TPicture& picture = *m_plot->GetSnapShotPicture();
    const double pictureWidth = picture.GetWidth(), pictureHeight = picture.GetHeight();
    PRAVIX_ASSERT(pictureWidth > 0 && pictureHeight > 0, "the snapshot has the plot's size, checked above");
    int width = sheet.DrawWidth, height = sheet.DrawHeight;
    if (sheet.DrawWidth / pictureWidth < sheet.DrawHeight / pictureHeight)
        height = Rounded(pictureHeight * sheet.DrawWidth / pictureWidth);
    else
        width = Rounded(pictureWidth * sheet.DrawHeight / pictureHeight);
    const int left = sheet.Page.Left + Rounded(sheet.PixelsPerInch * m_settings.MarginLeft);
    const int top = sheet.Page.Top + Rounded(sheet.PixelsPerInch * m_settings.MarginTop);
    picture.StretchDraw(bitmap.Canvas(), TRect{left, top, left + width, top + height});
}

// ---------------------------------------------------------------------------------------------
// Buttons

void TiPlotPreviewForm::CloseButtonClick(TObject*) { SetModalResult(mrOk); }

void TiPlotPreviewForm::PrintButtonClick(TObject*)
{
    if (!m_plot)
        return;
    m_plot->PrintChart();
    m_preview->Invalidate();
}

void TiPlotPreviewForm::SettingsButtonClick(TObject*)
{
    TiPlotPreviewSettingsForm form(nullptr);
    FillSettingsForm(form);
    if (m_plot)
        m_plot->MasterManager().DoTranslation(&form);
    if (form.ShowModal() != mrOk)
        return;
    TakeSettingsForm(form);
    if (m_plot) {
        m_plot->SetPrintMarginLeft(m_settings.MarginLeft);
        m_plot->SetPrintMarginTop(m_settings.MarginTop);
        m_plot->SetPrintMarginRight(m_settings.MarginRight);
        m_plot->SetPrintMarginBottom(m_settings.MarginBottom);
        m_plot->SetPrintOrientation(m_settings.Orientation);
        m_plot->SetPrintDocumentName(m_settings.DocumentName);
    }
    SetCaption(m_settings.DocumentName + " (Preview)");
    m_preview->Invalidate();
}

void TiPlotPreviewForm::FillSettingsForm(TForm& form) const
{
    form.FindControl<TiComponentEditorEdit>("PrintMarginLeftEdit")->SetAsFloat(m_settings.MarginLeft);
    form.FindControl<TiComponentEditorEdit>("PrintMarginTopEdit")->SetAsFloat(m_settings.MarginTop);
    form.FindControl<TiComponentEditorEdit>("PrintMarginRightEdit")->SetAsFloat(m_settings.MarginRight);
    form.FindControl<TiComponentEditorEdit>("PrintMarginBottomEdit")->SetAsFloat(m_settings.MarginBottom);
    form.FindControl<TiComponentEditorRadioGroup>("PrintOrientationRadioGroup")->SetAsInteger(m_settings.Orientation);
    form.FindControl<TiComponentEditorEdit>("PrintDocumentNameEdit")->SetAsString(m_settings.DocumentName);
    form.FindControl<TiComponentEditorComboBox>("PrintPaperSizeComboBox")->SetAsInteger(m_settings.PaperIndex);
}

void TiPlotPreviewForm::TakeSettingsForm(const TForm& form)
{
    m_settings.MarginLeft = form.FindControl<TiComponentEditorEdit>("PrintMarginLeftEdit")->GetAsFloat();
    m_settings.MarginTop = form.FindControl<TiComponentEditorEdit>("PrintMarginTopEdit")->GetAsFloat();
    m_settings.MarginRight = form.FindControl<TiComponentEditorEdit>("PrintMarginRightEdit")->GetAsFloat();
    m_settings.MarginBottom = form.FindControl<TiComponentEditorEdit>("PrintMarginBottomEdit")->GetAsFloat();
    const int orientation = form.FindControl<TiComponentEditorRadioGroup>("PrintOrientationRadioGroup")->GetAsInteger();
    m_settings.Orientation = orientation == poPortrait ? poPortrait : poLandscape;
    m_settings.DocumentName = form.FindControl<TiComponentEditorEdit>("PrintDocumentNameEdit")->GetAsString();
    m_settings.PaperIndex = form.FindControl<TiComponentEditorComboBox>("PrintPaperSizeComboBox")->GetAsInteger();
}

PRAVIX_PUBLISH(TiPlotPreviewForm)
