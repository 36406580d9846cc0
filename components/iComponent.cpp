#include "components/iComponent.h"

#include "components/iClasses.h"
#include "components/iGPFunctions.h"
#include "platform/core/Clock.h"
#include "platform/core/Exceptions.h"
#include "platform/core/Scoped.h"
#include "platform/core/StrUtils.h"
#include "platform/core/StringList.h"
#include "platform/gui/Menus.h"

#include <algorithm>
#include <cmath>
#include <exception>

PRAVIX_PUBLISH(TiComponent,
               Prop("UpdateFrameRate", &TiComponent::UpdateFrameRate, &TiComponent::SetUpdateFrameRate).Default(60),
               Prop("AutoFrameRate", &TiComponent::AutoFrameRate, &TiComponent::SetAutoFrameRate).Default(false),
               Prop("OptionSaveAllProperties", &TiComponent::OptionSaveAllProperties,
                    &TiComponent::SetOptionSaveAllProperties)
                   .Default(false),
               Prop("Visible", &TControl::Visible, &TControl::SetVisible).Default(true),
               Prop("Enabled", &TControl::Enabled, &TControl::SetEnabled).Default(true),
               Prop("ShowHint", &TControl::ShowHint, &TControl::SetShowHint).Default(false),
               Prop("PopupMenu", &TControl::PopupMenu, &TControl::SetPopupMenu),
               Prop("Anchors", &TControl::Anchors, &TControl::SetAnchors).Default(TAnchors{akLeft, akTop}),
               Prop("Constraints", &TControl::Constraints, &TControl::SetConstraints).Owned(),
               Field("OnClick", &TControl::OnClick), Field("OnDblClick", &TControl::OnDblClick),
               Field("OnDragDrop", &TControl::OnDragDrop), Field("OnDragOver", &TControl::OnDragOver),
               Field("OnStartDrag", &TControl::OnStartDrag), Field("OnEndDrag", &TControl::OnEndDrag),
               Field("OnMouseDown", &TControl::OnMouseDown), Field("OnMouseMove", &TControl::OnMouseMove),
               Field("OnMouseUp", &TControl::OnMouseUp), Field("OnKeyDown", &TWinControl::OnKeyDown),
               Field("OnKeyPress", &TWinControl::OnKeyPress), Field("OnKeyUp", &TWinControl::OnKeyUp),
               Field("OnEnter", &TWinControl::OnEnter), Field("OnExit", &TWinControl::OnExit))

namespace {

// Runs `fn` with `flag` raised.
template <typename Fn>
void WithFlag(bool& flag, Fn&& fn)
{
    TScopedFlag raised(flag);
    fn();
}

std::string MessageOf(std::exception_ptr error)
{
    try {
        std::rethrow_exception(error);
    } catch (const std::exception& e) {
        return e.what();
    } catch (...) {
        return "Unknown exception";
    }
}

const char* const SkippedUnlessSavingAll[] = {"Left",     "Top", "Width",   "Height",  "Align", "Cursor",
                                              "ShowHint", "Tag", "Visible", "Enabled", "Hint",  "HelpContext"};

}  // namespace

TiComponent::TiComponent(TComponent* owner)
    : TCustomControl(owner), m_lastRepaintTime(MonotonicSeconds()), m_errorFont(std::make_unique<TFont>())
{
    m_errorFont->SetColor(clRed);
    m_errorFont->SetStyle({fsBold});
    m_errorFont->OnChange = [this] { InvalidateChange(); };
    m_pendingRepaintTimer.OnInternalTimer = [this] { PendingRepaintDue(); };
}

TiComponent::~TiComponent() = default;

// --- Repaint scheme -------------------------------------------------------------------------

void TiComponent::DoRepaint()
{
    m_backGroundPending = false;
    m_invalidatePending = false;
    m_lastRepaintTime = FrameSlot(MonotonicSeconds());
    m_pendingRepaintTimer.TimerStop();
    m_changeAbsorbed = false;
    Invalidate();
}

// The time a repaint counts for. A repaint issued within the frame after the last one counts
// for that frame's start, not for the moment it ran: the timer and the event loop issue each
// repaint a little after the interval ends, and counting the next interval from that moment
// would add the delay to every frame, holding a live plot well below its frame rate (52 to
// 55 instead of 60). After a pause the frames start again from now.
double TiComponent::FrameSlot(double now) const
{
    if (!m_autoFrameRate || m_updateFrameRate <= 0)
        return now;
    const double period = 1.0 / m_updateFrameRate;
    const double slot = m_lastRepaintTime + period;
    return now >= slot && now < slot + period ? slot : now;
}

bool TiComponent::FrameIntervalOver(double& remainingSeconds) const
{
    const double next = m_lastRepaintTime + 1.0 / m_updateFrameRate;
    remainingSeconds = next - MonotonicSeconds();
    return remainingSeconds <= 0;
}

void TiComponent::DoFrameRate()
{
    if (!m_autoFrameRate || m_updateFrameRate == 0) {
        DoRepaint();
        return;
    }
    double remaining = 0;
    if (FrameIntervalOver(remaining))
        DoRepaint();
    else
        SchedulePendingRepaint(remaining);
}

void TiComponent::SchedulePendingRepaint(double remainingSeconds)
{
    // The component timer is precise and never fires early, so rounding up to the next
    // millisecond is enough for it to find the interval over.
    const int ms = std::max(1, int(std::ceil(remainingSeconds * 1000)));
    m_pendingRepaintTimer.TimerStart(ms, ms);  // nothing when already armed
}

void TiComponent::PendingRepaintDue()
{
    m_pendingRepaintTimer.TimerStop();
    if (!m_updating && (m_backGroundPending || m_invalidatePending))
        DoFrameRate();
    RefreshChangeAbsorbed();
}

void TiComponent::InvalidateChange()
{
    // The frame timer is already set to issue the repaint that waits; a burst of changes (a
    // live plot asks with every point added) need not read the clock for each of them.
    if (!m_invalidatePending || !m_autoFrameRate || !m_pendingRepaintTimer.GetTimerRunning()) {
        m_invalidatePending = true;
        if (!m_updating) {
            if (m_autoFrameRate)
                DoFrameRate();
            else
                DoRepaint();
        }
    }
    RefreshChangeAbsorbed();
}

// True exactly when InvalidateChange would change nothing. Refreshed wherever one of its
// conditions changes: a repaint, the timer, BeginUpdate and EndUpdate, the frame-rate limit.
void TiComponent::RefreshChangeAbsorbed()
{
    m_changeAbsorbed =
        m_invalidatePending && (m_updating || (m_autoFrameRate && m_pendingRepaintTimer.GetTimerRunning()));
}

void TiComponent::BackGroundChange()
{
    m_backGroundChanged = true;
    m_backGroundPending = true;
    if (m_updating)
        return;
    if (m_autoFrameRate)
        DoFrameRate();
    else
        DoRepaint();
}

void TiComponent::InvalidateNow() { DoRepaint(); }

void TiComponent::InvalidateChangeEvent(TObject*) { InvalidateChange(); }
void TiComponent::BackGroundChangeEvent(TObject*) { BackGroundChange(); }
void TiComponent::InvalidateNowEvent(TObject*) { InvalidateNow(); }

void TiComponent::BeginUpdate()
{
    m_updating = true;
    RefreshChangeAbsorbed();
}

void TiComponent::EndUpdate()
{
    m_updating = false;
    if (m_backGroundPending || m_invalidatePending)
        DoFrameRate();
    RefreshChangeAbsorbed();
}

void TiComponent::RepaintAll() { BackGroundChange(); }

void TiComponent::DoRepaintType(TiRepaintType type)
{
    switch (type) {
    case irtInvalidate: InvalidateChange(); break;
    case irtBackGround: BackGroundChange(); break;
    case irtNone: break;
    }
}

namespace {

template <typename T>
bool StoreChanged(const T& value, T& field)
{
    if (value == field)
        return false;
    field = value;
    return true;
}

}  // namespace

void TiComponent::SetBooleanProperty(bool value, bool& field, TiRepaintType type)
{
    if (StoreChanged(value, field))
        DoRepaintType(type);
}

void TiComponent::SetIntegerProperty(int value, int& field, TiRepaintType type)
{
    if (StoreChanged(value, field))
        DoRepaintType(type);
}

void TiComponent::SetDoubleProperty(double value, double& field, TiRepaintType type)
{
    if (StoreChanged(value, field))
        DoRepaintType(type);
}

void TiComponent::SetStringProperty(const std::string& value, std::string& field, TiRepaintType type)
{
    if (StoreChanged(value, field))
        DoRepaintType(type);
}

void TiComponent::SetWideStringProperty(const std::u16string& value, std::u16string& field, TiRepaintType type)
{
    if (StoreChanged(value, field))
        DoRepaintType(type);
}

void TiComponent::SetColorProperty(TColor value, TColor& field, TiRepaintType type)
{
    if (StoreChanged(value, field))
        DoRepaintType(type);
}

// --- Property setters -------------------------------------------------------------------------

void TiComponent::SetUpdateFrameRate(int value) { SetIntegerProperty(value, m_updateFrameRate, irtBackGround); }

void TiComponent::SetAutoFrameRate(bool value)
{
    if (value == m_autoFrameRate)
        return;
    m_autoFrameRate = value;
    if (value)
        BackGroundChange();
    else
        EndUpdate();
    RefreshChangeAbsorbed();
}

void TiComponent::SetOffsetX(int value) { SetIntegerProperty(value, m_offsetX, irtBackGround); }
void TiComponent::SetOffsetY(int value) { SetIntegerProperty(value, m_offsetY, irtBackGround); }

void TiComponent::SetShowDisabledState(bool value) { SetBooleanProperty(value, m_showDisabledState, irtBackGround); }

void TiComponent::SetErrorActive(bool value) { SetBooleanProperty(value, m_errorActive, irtBackGround); }
void TiComponent::SetErrorText(const std::string& value) { SetStringProperty(value, m_errorText, irtBackGround); }

void TiComponent::SetErrorBackGroundColor(TColor value)
{
    SetColorProperty(value, m_errorBackGroundColor, irtBackGround);
}

void TiComponent::SetErrorFont(TFont* value)
{
    if (value)
        m_errorFont->Assign(*value);  // its change notification asks for the repaint
}

void TiComponent::SetBackGroundColor(TColor value) { SetColorProperty(value, m_backGroundColor, irtBackGround); }

void TiComponent::SetBorderStyle(TiBevelStyle value)
{
    if (value == m_borderStyle)
        return;
    m_borderStyle = value;
    BackGroundChange();
}

void TiComponent::SetCachedDrawing(bool value)
{
    if (value == m_cachedDrawing)
        return;
    m_cachedDrawing = value;
    BackGroundChange();
    if (!value)
        m_backGroundBitmap.reset();
}

void TiComponent::SetEnabled(bool value)
{
    TCustomControl::SetEnabled(value);
    BackGroundChange();
}

void TiComponent::CreateBackGroundPicture()
{
    m_backGroundPicture = std::make_unique<TBitmap>();
    m_backGroundPicture->OnChange = [this] { BackGroundChange(); };
}

void TiComponent::SetBackGroundPicture(TBitmap* value)
{
    if (!m_backGroundPicture)
        CreateBackGroundPicture();
    if (value)
        m_backGroundPicture->Assign(*value);
    else
        m_backGroundPicture->SetSize(0, 0);
}

// --- Painting -----------------------------------------------------------------------------------

void TiComponent::Paint() { PaintToDC(); }

void TiComponent::PaintToDC()
{
    try {
        TScopedLock<TiComponent> lock(*this);
        struct FreeBitmap {
            std::unique_ptr<TBitmap>& bitmap;
            ~FreeBitmap() { bitmap.reset(); }
        } freeBitmap{m_offScreenBitmap};
        CreateOffScreenBitmap();
        TCanvas& canvas = m_offScreenBitmap->Canvas();
        PaintOffScreen(canvas);
        OnOffScreenPaint(this, &canvas);
        ShowOffScreenBitmap(*m_offScreenBitmap);
    } catch (...) {
        // No off-screen picture could be made (a control too large for one): the reason is
        // drawn straight onto the control, which the platform clips to what shows.
        if (TCanvas* canvas = Canvas()) {
            try {
                DrawPaintFailure(*canvas, MessageOf(std::current_exception()));
            } catch (...) {
                // Nothing more can be shown; the control keeps its last picture.
            }
        }
    }
}

void TiComponent::PaintOffScreen(TCanvas& canvas)
{
    if (m_errorActive) {
        DrawErrorState(canvas);
        return;
    }
    try {
        iPaintTo(canvas);
    } catch (...) {
        DrawPaintFailure(canvas, MessageOf(std::current_exception()));
    }
}

void TiComponent::DrawErrorState(TCanvas& canvas)
{
    TRect r{0, 0, Width(), Height()};
    canvas.Brush().SetStyle(bsSolid);
    canvas.Brush().SetColor(m_errorBackGroundColor);
    canvas.FillRect(r);
    canvas.Font().Assign(*m_errorFont);
    iDrawText(canvas, m_errorText, r, {itfHCenter, itfVCenter, itfSingleLine}, true, m_errorBackGroundColor);
}

void TiComponent::DrawPaintFailure(TCanvas& canvas, const std::string& message)
{
    // The failed paint may have left a clip, an origin or a rotated font behind; the message
    // must show whatever it left.
    canvas.SelectClipRgn(nullptr);
    canvas.SetOrigin(TPoint{0, 0});
    canvas.Font().SetEscapement(0);
    TRect r{0, 0, Width(), Height()};
    canvas.Brush().SetStyle(bsSolid);
    canvas.Brush().SetColor(clBlack);
    canvas.FillRect(r);
    canvas.Font().SetColor(clWhite);
    iDrawText(canvas, message, r, {itfWordBreak}, true, clBlack);
}

void TiComponent::PaintToMetaFile(TCanvas& canvas)
{
    TScopedLock<TiComponent> lock(*this);
    TScopedValue<bool> uncached(m_cachedDrawing, false);
    iPaintTo(canvas);
}

void TiComponent::CreateOffScreenBitmap()
{
    m_offScreenBitmap = std::make_unique<TBitmap>();
    m_offScreenBitmap->SetSize(Width(), Height());  // black
    m_offScreenBitmap->Canvas().Brush().SetStyle(bsSolid);
    m_offScreenBitmap->Canvas().Pen().SetStyle(psSolid);
}

void TiComponent::CreateBackGroundBitmap()
{
    m_backGroundBitmap = std::make_unique<TBitmap>();
    m_backGroundBitmap->SetSize(Width(), Height());
}

TBitmap& TiComponent::GetBackGroundBitmap()
{
    if (!m_backGroundBitmap)
        CreateBackGroundBitmap();
    else
        m_backGroundBitmap->SetSize(Width(), Height());  // the control was resized since
    return *m_backGroundBitmap;
}

void TiComponent::ShowBackGround()
{
    if (TCanvas* canvas = Canvas())
        TransferBackGround(*canvas);
}

void TiComponent::TransferBackGround(TCanvas& canvas) { canvas.Draw(0, 0, GetBackGroundBitmap()); }

void TiComponent::ShowOffScreenBitmap(const TBitmap& bitmap)
{
    if (TCanvas* canvas = Canvas())  // only while the platform paints the control
        canvas->Draw(0, 0, bitmap);
}

void TiComponent::DrawBackGround(TCanvas& canvas, TColor color)
{
    m_backGroundChanged = false;
    if (m_backGroundPicture && m_backGroundPicture->GetWidth() > 0) {
        canvas.StretchDraw(TRect{0, 0, Width(), Height()}, *m_backGroundPicture);
        return;
    }
    canvas.Brush().SetStyle(bsSolid);
    canvas.Brush().SetColor(color);
    canvas.FillRect(TRect{0, 0, Width(), Height()});
    DrawBorder(canvas);
}

void TiComponent::DrawBorder(TCanvas& canvas)
{
    const TRect r{0, 0, Width(), Height()};
    switch (m_borderStyle) {
    case ibsRaised: iDrawEdge(canvas, r, idesRaised); break;
    case ibsLowered: iDrawEdge(canvas, r, idesSunken); break;
    case ibsNone: break;
    }
}

int TiComponent::GetBorderMargin() const { return m_borderStyle == ibsNone ? 0 : 2; }

// --- Geometry -----------------------------------------------------------------------------------

TPoint TiComponent::GetCenterPoint(TCanvas&) const { return TPoint{Width() / 2 + m_offsetX, Height() / 2 + m_offsetY}; }

TPointDouble TiComponent::GetCenterPointDouble(TCanvas&) const
{
    return TPointDouble{(Width() - 1) / 2.0, (Height() - 1) / 2.0};
}

TPoint TiComponent::GetXYRadPoint(double radius, TDegrees angle, TPoint center) const
{
    const double radians = angle.Value * M_PI / 180;
    return TPoint{center.X + int(std::nearbyint(std::cos(radians) * radius)),
                  center.Y - int(std::nearbyint(std::sin(radians) * radius))};
}

// --- Input --------------------------------------------------------------------------------------

void TiComponent::KeyDown(int& key, TShiftState shift)
{
    try {
        WithFlag(m_insideUserInput, [&] {
            TCustomControl::KeyDown(key, shift);
            iKeyDown(key, shift);
        });
    } catch (...) {
    }
}

void TiComponent::KeyUp(int& key, TShiftState shift)
{
    try {
        WithFlag(m_insideUserInput, [&] {
            TCustomControl::KeyUp(key, shift);
            iKeyUp(key, shift);
        });
    } catch (...) {
    }
}

void TiComponent::KeyPress(char& key)
{
    try {
        WithFlag(m_insideUserInput, [&] {
            TCustomControl::KeyPress(key);
            iKeyPress(key);
        });
    } catch (...) {
    }
}

void TiComponent::MouseDown(TMouseButton button, TShiftState shift, int x, int y)
{
    WithFlag(m_insideUserInput, [&] {
        iMouseDown(button, shift, x, y);
        TCustomControl::MouseDown(button, shift, x, y);
    });
}

void TiComponent::MouseUp(TMouseButton button, TShiftState shift, int x, int y)
{
    WithFlag(m_insideUserInput, [&] {
        iMouseUp(button, shift, x, y);
        TCustomControl::MouseUp(button, shift, x, y);
    });
}

void TiComponent::MouseMove(TShiftState shift, int x, int y)
{
    WithFlag(m_insideUserInput, [&] {
        iMouseMove(shift, x, y);
        TCustomControl::MouseMove(shift, x, y);
    });
}

void TiComponent::DblClick()
{
    WithFlag(m_insideUserInput, [&] {
        iDoubleClick();
        TCustomControl::DblClick();
    });
}

bool TiComponent::OPCOutputData(const std::string&, const TVariant&) { return false; }

void TiComponent::iDoSetFocus()
{
    m_focused = true;
    InvalidateChange();
}

void TiComponent::iDoKillFocus()
{
    m_focused = false;
    iMouseUp(mbLeft, TShiftState(), 0, 0);
    InvalidateChange();
}

void TiComponent::iWantSpecialKey(int&, int&) {}
void TiComponent::iKeyUp(int&, TShiftState) {}
void TiComponent::iKeyDown(int&, TShiftState) {}
void TiComponent::iKeyPress(char&) {}
void TiComponent::iMouseDown(TMouseButton, TShiftState, int, int) {}
void TiComponent::iMouseUp(TMouseButton, TShiftState, int, int) {}
void TiComponent::iMouseMove(TShiftState, int, int) {}
void TiComponent::iDoubleClick() {}
bool TiComponent::iMouseWheel(int, TShiftState, TPoint) { return false; }

// --- Queries ------------------------------------------------------------------------------------

bool TiComponent::GetLoading() const { return IsLoading() || m_loading; }

void TiComponent::SetLoading(bool value) { m_loading = value; }

bool TiComponent::GetIsDesigning()
{
    bool designing = IsDesigning();
    OnGetDesigning(this, designing);
    return designing;
}

void TiComponent::DoIsDesigning(TObject*, bool& designing) { designing = GetIsDesigning(); }

TTypeKind TiComponent::GetPropertyType(TObject* instance, const std::string& prefix, const std::string& path) const
{
    if (!instance)
        return tkUnknown;
    const bool hasPrefix = !Trim(prefix).empty();
    for (const TPropInfo* p : instance->ClassInfo().Properties()) {
        if (!p->HasSetter())
            continue;
        const std::string fullName = hasPrefix ? prefix + "." + p->Name() : p->Name();
        if (p->Kind() != tkClass) {
            if (SameText(fullName, path))
                return p->Kind();
        } else if (p->IsOwnedObject()) {
            if (auto* object = dynamic_cast<TPersistent*>(p->GetObject(*instance))) {
                const TTypeKind kind = GetPropertyType(object, fullName, path);
                if (kind != tkUnknown)
                    return kind;
            }
        }
    }
    return tkUnknown;
}

void TiComponent::PropertyVarType(const std::string& path, TTypeKind& kind) const
{
    kind = GetPropertyType(const_cast<TiComponent*>(this), "", path);
}

// --- Files --------------------------------------------------------------------------------------

void TiComponent::SaveImageToBitmap(const std::string& fileName)
{
    TScopedLock<TiComponent> lock(*this);
    TBitmap bitmap;
    bitmap.SetSize(Width(), Height());
    iPaintTo(bitmap.Canvas());
    bitmap.SaveToFile(fileName);
}

void TiComponent::SavePropertiesToFile(const std::string& fileName)
{
    try {
        TStringList skip;
        skip.Add("Name");
        if (!m_optionSaveAllProperties)
            for (const char* name : SkippedUnlessSavingAll)
                skip.Add(name);
        TStringList lines;
        lines.Add("File Type = " + ClassName());
        SaveObjectToStringList(this, "", lines, &skip);
        lines.SaveToFile(fileName);
    } catch (...) {
        throw Exception("Error Saving Properties - " + MessageOf(std::current_exception()));
    }
}

void TiComponent::LoadPropertiesFromFile(const std::string& fileName)
{
    try {
        TStringList lines;
        lines.LoadFromFile(fileName);
        // A bad line must not leave the component holding its repaints back.
        TScopedUpdate<TiComponent> update(*this);
        LoadObjectFromStringList(this, "", lines);
    } catch (...) {
        throw Exception("Error Loading Properties - " + MessageOf(std::current_exception()));
    }
}
