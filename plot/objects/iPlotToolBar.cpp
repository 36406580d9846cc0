#include "plot/objects/iPlotToolBar.h"

#include "components/iGPFunctions.h"
#include "platform/canvas/Bitmap.h"
#include "platform/canvas/ImageList.h"
#include "platform/core/Exceptions.h"
#include "plot/core/iPlotManagers.h"
#include "plot/objects/iPlotAxis.h"

#include <cmath>

namespace {

constexpr int kLargeButtonSize = 30;
constexpr int kSmallButtonSize = 22;
constexpr int kLargeImageSize = 24;
constexpr int kSmallImageSize = 16;
constexpr int kSpacerWidth = 10;
// Room around the row of buttons, on every side.
constexpr int kBarMargin = 3;
// The face of a pressed button: white less $101010.
constexpr TColor kPressedFace = 0xEFEFEF;
// An image index meaning the bitmap was looked for and there is none: not looked for again
// until the image set changes.
constexpr int kNoImage = -2;

// The bitmap of each button, in the order of the button types; small ones add "SMALL".
constexpr const char* kImageNames[] = {"AUTO",   "PAUSE",  "SCROLL",     "ZOOM", "SELECT", "SCROLLBOX", "ZOOMOUT",
                                       "ZOOMIN", "CURSOR", "PROPERTIES", "COPY", "SAVE",   "PRINTER",   "PREVIEW"};

}  // namespace

// ---------------------------------------------------------------------------------------------
// TiPlotToolBarButton

TiPlotToolBarButton::TiPlotToolBarButton(IPlotHost* owner, TiPlotToolBar* toolBar)
    : TiPlotButton(owner, nullptr, nullptr, nullptr, nullptr), m_toolBar(toolBar)
{
    SetOwnerObject(toolBar);
}

// A resource that is missing or broken gives a button without a picture, once: painting must
// neither raise nor look for it again at every frame.
void TiPlotToolBarButton::LoadImage()
{
    m_imageIndex = kNoImage;
    if (!m_imageList)
        return;
    TBitmap bitmap;
    try {
        bitmap.LoadFromResourceName(m_imageName);
    } catch (const Exception&) {
        return;
    }
    if (bitmap.GetWidth() != m_imageList->GetWidth() || bitmap.GetHeight() != m_imageList->GetHeight())
        return;
    m_imageIndex = m_imageList->Add(bitmap, clTeal);
}

// Two three-point lines on the rectangle less its last column and row.
void TiPlotToolBarButton::DrawFlatEdge(TCanvas& canvas, bool raised) const
{
    const TRect r = GetDrawRect();
    const int right = r.Right - 1, bottom = r.Bottom - 1;
    canvas.Pen().SetStyle(psSolid);
    canvas.Pen().SetWidth(1);
    canvas.Pen().SetColor(raised ? clBtnHighlight : clBtnShadow);
    canvas.Polyline({{r.Left, bottom}, {r.Left, r.Top}, {right, r.Top}});
    canvas.Pen().SetColor(raised ? clBtnShadow : clBtnHighlight);
    canvas.Polyline({{right, r.Top}, {right, bottom}, {r.Left, bottom}});
}

void TiPlotToolBarButton::Draw(TCanvas& canvas, TColor)
{
    if (m_spacer)
        return;
    if (m_imageIndex == -1 && !m_imageName.empty())
        LoadImage();
    const TRect r = GetDrawRect();
    const int imageWidth = m_imageList ? m_imageList->GetWidth() : 0;
    const int imageHeight = m_imageList ? m_imageList->GetHeight() : 0;
    int x = r.Left + r.Width() / 2 - imageWidth / 2;
    int y = r.Top + r.Height() / 2 - imageHeight / 2;
    const bool pressed = MouseIsDown() || Down();
    const auto fillPressedFace = [&] {
        canvas.Brush().SetStyle(bsSolid);
        canvas.Brush().SetColor(kPressedFace);
        canvas.FillRect(r);
    };
    if (m_flat) {
        if (pressed && !m_mouseOver)
            fillPressedFace();
        if (Enabled()) {
            if (pressed) {
                DrawFlatEdge(canvas, false);
                ++x;
                ++y;
            } else if (m_mouseOver) {
                DrawFlatEdge(canvas, true);
            }
        }
    } else if (pressed) {
        fillPressedFace();
        iDrawEdge(canvas, r, idesSunken);
        ++x;
        ++y;
    } else {
        iDrawEdge(canvas, r, idesRaised);
    }
    if (m_imageList && m_imageIndex >= 0)
        m_imageList->Draw(canvas, x, y, m_imageIndex, Enabled());
}

void TiPlotToolBarButton::iMouseMove(TiHintData& hintData, TShiftState shift, int x, int y, int screenX, int screenY,
                                     bool doubleClick)
{
    TiPlotButton::iMouseMove(hintData, shift, x, y, screenX, screenY, doubleClick);
    m_mouseOver = true;
    if (m_flat)
        TriggerChange(this);
}

void TiPlotToolBarButton::DoMouseNotOver()
{
    TiPlotButton::DoMouseNotOver();
    m_mouseOver = false;
    TriggerChange(this);
}

void TiPlotToolBarButton::DoMouseHint(const TiPlotMouseData&, TiHintData& hintData)
{
    hintData.Text = GetTranslation(m_hint);
    hintData.Top = GetDrawRect().Bottom + 3;
    hintData.Left = GetDrawRect().Left;
    Owner()->DoToolBarCustomizeHint(m_toolBar, hintData.Text);
}

PRAVIX_PUBLISH(TiPlotToolBarButton)

// ---------------------------------------------------------------------------------------------
// TiPlotToolBar: construction and entries

TiPlotToolBar::TiPlotToolBar(IPlotHost* owner, TNotifyEvent onChange, TNotifyEvent onInsert, TNotifyEvent onRemove,
                             TNotifyEvent onRename)
    : TiPlotLayoutObject(owner, std::move(onChange), std::move(onInsert), std::move(onRemove), std::move(onRename)),
      m_imageList(std::make_unique<TImageList>(kLargeImageSize, kLargeImageSize))
{
    SetHorizontal(true);
    using T = TiPlotToolBar;
    m_resume = AddEntry("Resume All (Tracking)", 0, "AUTO", &T::ResumeClick);
    m_pause = AddEntry("Pause All (Tracking)", 0, "PAUSE", &T::PauseClick);
    m_spacer1 = AddSpacer();
    m_scroll = AddEntry("Scroll (Axes)", 2, "SCROLL", &T::AxesModeScrollClick);
    m_zoom = AddEntry("Zoom (Axes)", 2, "ZOOM", &T::AxesModeZoomClick);
    m_spacer2 = AddSpacer();
    m_zoomOut = AddEntry("Zoom Out All Axes", 0, "ZOOMOUT", &T::ZoomOutClick);
    m_zoomIn = AddEntry("Zoom In All Axes", 0, "ZOOMIN", &T::ZoomInClick);
    m_spacer3 = AddSpacer();
    // Select and Zoom Box exclude each other; Cursor toggles alone.
    m_select = AddEntry("Select", -1, "SELECT", &T::SelectClick);
    m_zoomBox = AddEntry("Zoom Box", -1, "SCROLLBOX", &T::ZoomBoxClick);
    m_cursor = AddEntry("Cursor", -2, "CURSOR", &T::CursorClick);
    m_spacer4 = AddSpacer();
    m_edit = AddEntry("Properties", 0, "PROPERTIES", &T::EditClick);
    m_spacer5 = AddSpacer();
    m_copy = AddEntry("Copy to Clipboard", 0, "COPY", &T::CopyClick);
    m_save = AddEntry("Save to File", 0, "SAVE", &T::SaveClick);
    m_print = AddEntry("Print", 0, "PRINTER", &T::PrintClick);
    m_preview = AddEntry("Preview", 0, "PREVIEW", &T::PreviewClick);

    m_scroll->SetDown(true);
    m_cursor->OnDownChange = TNotifyEvent::Bind(this, &T::CursorDownChange);
    m_zoomBox->OnDownChange = TNotifyEvent::Bind(this, &T::ZoomBoxDownChange);
    m_select->OnDownChange = TNotifyEvent::Bind(this, &T::SelectDownChange);
    m_select->SetVisible(false);
    m_preview->SetVisible(false);
    SetupLargeImages();
}

TiPlotToolBar::~TiPlotToolBar() = default;

TiPlotToolBarButton* TiPlotToolBar::AddEntry(const std::string& hint, int group, const std::string& imageName,
                                             TAction action)
{
    auto button = std::make_unique<TiPlotToolBarButton>(Owner(), this);
    button->OnInvalidate = TNotifyEvent::Bind(this, &TiPlotToolBar::ButtonInvalidate);
    button->OnClick = TNotifyEvent::Bind(this, action);
    button->OnGroupClick = TNotifyEvent::Bind(this, &TiPlotToolBar::GroupClick);
    button->OnChange = TNotifyEvent::Bind(this, &TiPlotToolBar::EntryChange);
    button->SetHint(hint);
    button->SetGroupIndex(group);
    button->SetVisible(true);
    button->SetImageList(m_imageList.get());
    button->SetImageIndex(-1);
    button->SetImageName(imageName);
    m_entries.push_back(std::move(button));
    return m_entries.back().get();
}

TiPlotToolBarButton* TiPlotToolBar::AddSpacer()
{
    auto spacer = std::make_unique<TiPlotToolBarButton>(Owner(), this);
    spacer->SetSpacer(true);
    spacer->SetVisible(true);
    m_entries.push_back(std::move(spacer));
    return m_entries.back().get();
}

TiPlotToolBarButton* TiPlotToolBar::GetButton(TiPlotToolBarButtonType type) const
{
    TiPlotToolBarButton* const buttons[] = {m_resume, m_pause,  m_scroll, m_zoom, m_select, m_zoomBox, m_zoomOut,
                                            m_zoomIn, m_cursor, m_edit,   m_copy, m_save,   m_print,   m_preview};
    return buttons[type];
}

void TiPlotToolBar::SetupImages(bool small)
{
    const std::string prefix = small ? "SMALL" : "";
    for (int type = iptbbtResume; type <= iptbbtPreview; ++type)
        GetButton(TiPlotToolBarButtonType(type))->SetImageName(prefix + kImageNames[type]);
    m_imageList->Clear();
    const int size = small ? kSmallImageSize : kLargeImageSize;
    m_imageList->SetSize(size, size);
    for (const auto& entry : m_entries)
        entry->SetImageIndex(-1);
}

void TiPlotToolBar::SetupLargeImages() { SetupImages(false); }

void TiPlotToolBar::SetupSmallImages() { SetupImages(true); }

void TiPlotToolBar::ButtonInvalidate(TObject*) { TriggerInvalidateNow(this); }

void TiPlotToolBar::EntryChange(TObject*) { TriggerChange(this); }

void TiPlotToolBar::GroupClick(TObject* sender)
{
    const auto* clicked = dynamic_cast<TiPlotToolBarButton*>(sender);
    if (!clicked)
        return;
    for (const auto& entry : m_entries)
        if (entry.get() != clicked && entry->GroupIndex() == clicked->GroupIndex())
            entry->SetDown(false);
}

// ---------------------------------------------------------------------------------------------
// Properties

bool TiPlotToolBar::ShowResumeButton() const { return m_resume->Visible(); }
void TiPlotToolBar::SetShowResumeButton(bool value) { m_resume->SetVisible(value); }
bool TiPlotToolBar::ShowPauseButton() const { return m_pause->Visible(); }
void TiPlotToolBar::SetShowPauseButton(bool value) { m_pause->SetVisible(value); }
bool TiPlotToolBar::ShowAxesModeButtons() const { return m_scroll->Visible(); }
void TiPlotToolBar::SetShowAxesModeButtons(bool value)
{
    m_scroll->SetVisible(value);
    m_zoom->SetVisible(value);
}
bool TiPlotToolBar::ShowZoomInOutButtons() const { return m_zoomIn->Visible(); }
void TiPlotToolBar::SetShowZoomInOutButtons(bool value)
{
    m_zoomOut->SetVisible(value);
    m_zoomIn->SetVisible(value);
}
bool TiPlotToolBar::ShowSelectButton() const { return m_select->Visible(); }
void TiPlotToolBar::SetShowSelectButton(bool value) { m_select->SetVisible(value); }
bool TiPlotToolBar::ShowZoomBoxButton() const { return m_zoomBox->Visible(); }
void TiPlotToolBar::SetShowZoomBoxButton(bool value) { m_zoomBox->SetVisible(value); }
bool TiPlotToolBar::ShowCursorButton() const { return m_cursor->Visible(); }
void TiPlotToolBar::SetShowCursorButton(bool value) { m_cursor->SetVisible(value); }
bool TiPlotToolBar::ShowEditButton() const { return m_edit->Visible(); }
void TiPlotToolBar::SetShowEditButton(bool value) { m_edit->SetVisible(value); }
bool TiPlotToolBar::ShowCopyButton() const { return m_copy->Visible(); }
void TiPlotToolBar::SetShowCopyButton(bool value) { m_copy->SetVisible(value); }
bool TiPlotToolBar::ShowSaveButton() const { return m_save->Visible(); }
void TiPlotToolBar::SetShowSaveButton(bool value) { m_save->SetVisible(value); }
bool TiPlotToolBar::ShowPrintButton() const { return m_print->Visible(); }
void TiPlotToolBar::SetShowPrintButton(bool value) { m_print->SetVisible(value); }
bool TiPlotToolBar::ShowPreviewButton() const { return m_preview->Visible(); }
void TiPlotToolBar::SetShowPreviewButton(bool value) { m_preview->SetVisible(value); }

void TiPlotToolBar::SetZoomInOutFactor(double value)
{
    // Below 1 Zoom Out would zoom in; NaN would make every later zoom raise.
    if (!(value >= 1.0))
        value = 1.0;
    SetDoubleProperty(value, m_zoomInOutFactor, &TiPlotObject::TriggerChange);
}

void TiPlotToolBar::SetFlatBorder(bool value) { SetBooleanProperty(value, m_flatBorder, &TiPlotObject::TriggerChange); }

void TiPlotToolBar::SetFlatButtons(bool value)
{
    if (value == m_flatButtons)
        return;
    m_flatButtons = value;
    for (const auto& entry : m_entries)
        entry->SetFlat(value);
    TriggerChange(this);
}

void TiPlotToolBar::SetSmallButtons(bool value)
{
    if (value == m_smallButtons)
        return;
    m_smallButtons = value;
    SetupImages(value);
    TriggerChange(this);
}

// ---------------------------------------------------------------------------------------------
// State

bool TiPlotToolBar::GetCursorActive() const { return m_cursor->Down(); }

bool TiPlotToolBar::GetZoomBoxActive() const { return m_zoomBox->Down(); }

bool TiPlotToolBar::GetSelectActive() const { return m_select->Down(); }

void TiPlotToolBar::TurnOffCursor() { m_cursor->SetDown(false); }

// ---------------------------------------------------------------------------------------------
// Actions

std::vector<TiPlotAxis*> TiPlotToolBar::AllAxes() const
{
    std::vector<TiPlotAxis*> axes;
    for (int i = 0; i < Owner()->XAxisCount(); ++i)
        axes.push_back(Owner()->GetXAxis(i));
    for (int i = 0; i < Owner()->YAxisCount(); ++i)
        axes.push_back(Owner()->GetYAxis(i));
    return axes;
}

template <typename Action>
void TiPlotToolBar::RunAction(TiPlotToolBarButtonType type, const Action& action, bool clickEvent)
{
    bool cancel = false;
    Owner()->DoToolBarButtonBeforeClick(this, type, cancel);
    if (cancel)
        return;
    action();
    if (clickEvent)
        Owner()->DoToolBarButtonClick(this, type);
}

void TiPlotToolBar::ResumeClick(TObject*)
{
    RunAction(iptbbtResume, [this] {
        if (m_cursor->Down())
            DoButtonClickCursor();
        if (m_select->Down())
            DoButtonClickSelect();
        for (TiPlotObject* object : Owner()->GetAllObjects())
            object->SetUserSelected(false);
        Owner()->EnableAllTracking();
    });
}

void TiPlotToolBar::PauseClick(TObject*)
{
    RunAction(iptbbtPause, [this] { Owner()->DisableAllTracking(); });
}

void TiPlotToolBar::AxesModeScrollClick(TObject*)
{
    RunAction(iptbbtScrollAxesMode, [this] {
        m_scroll->SetDown(true);
        m_zoom->SetDown(false);
        for (TiPlotAxis* axis : AllAxes())
            axis->SetMode(ipamScroll);
    });
}

void TiPlotToolBar::AxesModeZoomClick(TObject*)
{
    RunAction(iptbbtZoomAxesMode, [this] {
        m_zoom->SetDown(true);
        m_scroll->SetDown(false);
        for (TiPlotAxis* axis : AllAxes())
            axis->SetMode(ipamZoom);
    });
}

// A log axis zooms by decades whatever the factor: one out, one in.
void TiPlotToolBar::ZoomOutClick(TObject*)
{
    RunAction(iptbbtZoomOut, [this] {
        DoButtonClickPause();
        for (TiPlotAxis* axis : AllAxes())
            axis->Zoom(axis->ScaleType() == ipstLog10 ? 1.0 : m_zoomInOutFactor);
    });
}

void TiPlotToolBar::ZoomInClick(TObject*)
{
    RunAction(iptbbtZoomIn, [this] {
        DoButtonClickPause();
        for (TiPlotAxis* axis : AllAxes())
            axis->Zoom(axis->ScaleType() == ipstLog10 ? -1.0 : 1.0 / m_zoomInOutFactor);
    });
}

void TiPlotToolBar::SelectClick(TObject*)
{
    RunAction(iptbbtSelect, [this] {
        m_select->SetDown(!m_select->Down());
        m_zoomBox->SetDown(false);
    });
}

void TiPlotToolBar::ZoomBoxClick(TObject*)
{
    RunAction(iptbbtZoomBox, [this] {
        m_select->SetDown(false);
        m_zoomBox->SetDown(!m_zoomBox->Down());
    });
}

void TiPlotToolBar::CursorClick(TObject*)
{
    RunAction(iptbbtCursor, [this] { m_cursor->SetDown(!m_cursor->Down()); });
}

// The editor reports its own changes; no click event follows it.
void TiPlotToolBar::EditClick(TObject*)
{
    RunAction(
        iptbbtEdit, [this] { Owner()->EditProperties(); }, false);
}

void TiPlotToolBar::CopyClick(TObject*)
{
    RunAction(iptbbtCopy, [this] { Owner()->CopyToClipBoard(); });
}

void TiPlotToolBar::SaveClick(TObject*)
{
    RunAction(iptbbtSave, [this] { Owner()->Save(); });
}

void TiPlotToolBar::PrintClick(TObject*)
{
    RunAction(iptbbtPrint, [this] { Owner()->PrintChart(); });
}

void TiPlotToolBar::PreviewClick(TObject*)
{
    RunAction(iptbbtPreview, [this] { Owner()->PreviewChart(); });
}

void TiPlotToolBar::CursorDownChange(TObject*)
{
    IPlotHost* plot = Owner();
    const bool down = m_cursor->Down();
    for (int i = 0; i < plot->DataCursorCount(); ++i)
        plot->GetDataCursorObject(i)->SetVisible(down);
    if (!down)
        return;
    plot->DisableAllTracking();
    if (plot->DataCursorCount() > 0)
        plot->GetDataCursorObject(0)->SetUserSelected(true);
}

void TiPlotToolBar::ZoomBoxDownChange(TObject*) {}

void TiPlotToolBar::SelectDownChange(TObject*)
{
    if (m_select->Down()) {
        Owner()->DisableAllTracking();
        Owner()->SetSelectModeActive(true);
    } else {
        Owner()->SetSelectModeActive(false);
    }
}

// ---------------------------------------------------------------------------------------------
// Plot-object operations

void TiPlotToolBar::NotificationSetFocus(TObject* sender)
{
    TiPlotLayoutObject::NotificationSetFocus(sender);
    const auto* other = dynamic_cast<TiPlotObject*>(sender);
    if (other && other != this && other->UserSelected())
        SetUserSelected(false);
}

void TiPlotToolBar::UpdateSpacers()
{
    m_spacer1->SetVisible(m_resume->Visible() || m_pause->Visible());
    m_spacer2->SetVisible(m_scroll->Visible() || m_zoom->Visible());
    m_spacer3->SetVisible(m_zoomIn->Visible() || m_zoomOut->Visible());
    m_spacer4->SetVisible(m_select->Visible() || m_zoomBox->Visible() || m_cursor->Visible());
    m_spacer5->SetVisible(m_edit->Visible());
}

void TiPlotToolBar::UpdateResumePauseButtons()
{
    bool anyOff = false, anyOn = false;
    for (TiPlotAxis* axis : AllAxes())
        (axis->TrackingEnabled() ? anyOn : anyOff) = true;
    m_resume->SetEnabled(anyOff);
    m_pause->SetEnabled(anyOn);
}

void TiPlotToolBar::Draw(TCanvas& canvas, TColor backGroundColor)
{
    TiPlotLayoutObject::Draw(canvas, backGroundColor);
    if (!Visible())
        return;
    const int buttonSize = m_smallButtons ? kSmallButtonSize : kLargeButtonSize;
    UpdateSpacers();
    UpdateResumePauseButtons();
    const TRect bar = GetDrawRect();
    canvas.Brush().SetStyle(bsSolid);
    canvas.Brush().SetColor(clBtnFace);
    canvas.Pen().SetWidth(1);
    canvas.FillRect({bar.Left, bar.Top, bar.Right + 1, bar.Bottom});
    if (!m_flatBorder)
        iDrawEdge(canvas, bar, idesRaised);
    // One row from the left edge, also on a bar placed along a side.
    int x = bar.Left + kBarMargin;
    for (const auto& entry : m_entries) {
        if (!entry->Visible())
            continue;
        const int width = entry->Spacer() ? kSpacerWidth : buttonSize;
        entry->SetDrawRect({x, bar.Top + kBarMargin, x + width, bar.Top + kBarMargin + buttonSize});
        entry->Draw(canvas, backGroundColor);
        x += width;
    }
}

TiPlotObject* TiPlotToolBar::GetMouseObject(int x, int y)
{
    for (const auto& entry : m_entries) {
        if (entry->Visible() && PtInRect(entry->GetDrawRect(), TPoint{x, y})) {
            SetMouseObject(entry.get());
            return entry.get();
        }
    }
    return TiPlotLayoutObject::GetMouseObject(x, y);
}

void TiPlotToolBar::AddMenuItems(TPopupMenu* popupMenu)
{
    TiPlotLayoutObject::AddMenuItems(popupMenu);
    AddEditMenuItems(popupMenu);
}

int TiPlotToolBar::GetRequiredWidth(TCanvas&)
{
    return (m_smallButtons ? kSmallButtonSize : kLargeButtonSize) + 2 * kBarMargin;
}

PRAVIX_PUBLISH(
    TiPlotToolBar,
    Prop("ShowResumeButton", &TiPlotToolBar::ShowResumeButton, &TiPlotToolBar::SetShowResumeButton).Default(true),
    Prop("ShowPauseButton", &TiPlotToolBar::ShowPauseButton, &TiPlotToolBar::SetShowPauseButton).Default(true),
    Prop("ShowAxesModeButtons", &TiPlotToolBar::ShowAxesModeButtons, &TiPlotToolBar::SetShowAxesModeButtons)
        .Default(true),
    Prop("ShowZoomInOutButtons", &TiPlotToolBar::ShowZoomInOutButtons, &TiPlotToolBar::SetShowZoomInOutButtons)
        .Default(true),
    Prop("ShowSelectButton", &TiPlotToolBar::ShowSelectButton, &TiPlotToolBar::SetShowSelectButton).Default(false),
    Prop("ShowZoomBoxButton", &TiPlotToolBar::ShowZoomBoxButton, &TiPlotToolBar::SetShowZoomBoxButton).Default(true),
    Prop("ShowCursorButton", &TiPlotToolBar::ShowCursorButton, &TiPlotToolBar::SetShowCursorButton).Default(true),
    Prop("ShowEditButton", &TiPlotToolBar::ShowEditButton, &TiPlotToolBar::SetShowEditButton).Default(true),
    Prop("ShowCopyButton", &TiPlotToolBar::ShowCopyButton, &TiPlotToolBar::SetShowCopyButton).Default(true),
    Prop("ShowSaveButton", &TiPlotToolBar::ShowSaveButton, &TiPlotToolBar::SetShowSaveButton).Default(true),
    Prop("ShowPrintButton", &TiPlotToolBar::ShowPrintButton, &TiPlotToolBar::SetShowPrintButton).Default(true),
    Prop("ShowPreviewButton", &TiPlotToolBar::ShowPreviewButton, &TiPlotToolBar::SetShowPreviewButton).Default(false),
    Prop("ZoomInOutFactor", &TiPlotToolBar::ZoomInOutFactor, &TiPlotToolBar::SetZoomInOutFactor),
    Prop("FlatBorder", &TiPlotToolBar::FlatBorder, &TiPlotToolBar::SetFlatBorder).Default(false),
    Prop("FlatButtons", &TiPlotToolBar::FlatButtons, &TiPlotToolBar::SetFlatButtons).Default(false),
    Prop("SmallButtons", &TiPlotToolBar::SmallButtons, &TiPlotToolBar::SetSmallButtons).Default(false))

// The toolbar as the plot's toolbar kind.
static const TiPlotKindRegistration toolBarKind = TiPlotKindRegistration::Of<TiPlotToolBar>(TiPlotObjectKind::ToolBar);
