#include "platform/gui/Forms.h"

#include "platform/canvas/Graphics.h"
#include "platform/canvas/QtBridge_p.h"
#include "platform/canvas/QtCanvas_p.h"
#include "platform/core/FormDescription.h"
#include "platform/core/Scoped.h"
#include "platform/gui/Application.h"
#include "platform/gui/ControlBridge_p.h"
#include "platform/gui/Keys.h"
#include "platform/gui/Menus.h"
#include "platform/gui/StdCtrls.h"
#include "platform/gui/TestHooks.h"

#include <QCloseEvent>
#include <QEventLoop>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QMenuBar>
#include <QScreen>
#include <QWidget>

#include <algorithm>
#include <set>

namespace {

std::set<TForm*>& LiveForms()
{
    static std::set<TForm*> forms;
    return forms;
}

// The window: an optional menu bar on top of the client area that holds the controls.
class FormWidget : public QWidget {
public:
    explicit FormWidget(TForm* form) : QWidget(nullptr, Qt::Window), m_form(form)
    {
        setAttribute(Qt::WA_DeleteOnClose, false);
        client = new QWidget(this);
    }
    void Detach() { m_form = nullptr; }

    QWidget* client;
    QMenuBar* bar = nullptr;

    int BarHeight() const { return bar ? bar->sizeHint().height() : 0; }

    void Arrange()
    {
        const int top = BarHeight();
        if (bar)
            bar->setGeometry(0, 0, width(), top);
        client->setGeometry(0, top, width(), std::max(0, height() - top));
    }

protected:
    void resizeEvent(QResizeEvent* event) override
    {
        Arrange();
        QWidget::resizeEvent(event);
    }

    // Enter and Escape that no control took go to the form's Default or Cancel button.
    void keyPressEvent(QKeyEvent* event) override
    {
        const int key = event->key() == Qt::Key_Escape                                      ? VK_ESCAPE
                        : (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) ? VK_RETURN
                                                                                            : 0;
        bool taken = false;
        if (key && m_form)
            DispatchToControl([&] { taken = m_form->DialogKey(key); });
        if (!taken)
            QWidget::keyPressEvent(event);
    }

    void closeEvent(QCloseEvent* event) override
    {
        // The form decides (OnCloseQuery, OnClose); the window only closes through it.
        event->ignore();
        if (m_form && event->spontaneous())
            DispatchToControl([&] { m_form->CloseRequested(); });
    }

    bool event(QEvent* event) override
    {
        if (m_form && (event->type() == QEvent::WindowActivate || event->type() == QEvent::WindowDeactivate)) {
            const bool active = event->type() == QEvent::WindowActivate;
            DispatchToControl([&] { m_form->ActivationChanged(active); });
        }
        return QWidget::event(event);
    }

private:
    TForm* m_form;
};

}  // namespace

static FormWidget* WindowOf(const TForm* form) { return static_cast<FormWidget*>(form->Handle()); }

TForm::TForm(TComponent* owner) : TWinControl(owner)
{
    LiveForms().insert(this);
    auto* widget = new FormWidget(this);
    AttachWidget(widget);
    TControl::SetVisible(false);
    SetBounds(0, 0, 320, 240);
    ApplyWindowFlags();
}

TForm::~TForm()
{
    Destroying();
    // Owned menus and items go after this part of the form; they must not call back.
    if (m_menu)
        m_menu->Items()->OnItemsChanged = nullptr;
    LiveForms().erase(this);
    Application->ForgetForm(this);
    if (!IsLoading())
        CallGuarded([this] { OnDestroy(this); });
    if (auto* w = static_cast<FormWidget*>(Handle()))
        w->Detach();
}

void TForm::ReadDescription(std::string_view utf8Text)
{
    ReadComponentFromText(*this, utf8Text);
    OnCreate(this);
}

QWidget* TForm::ClientWidget() const { return WindowOf(this)->client; }

int TForm::MenuBarHeight() const { return WindowOf(this)->BarHeight(); }

int TForm::ClientWidth() const { return Width(); }
void TForm::SetClientWidth(int value) { SetWidth(value); }
int TForm::ClientHeight() const { return std::max(0, Height() - MenuBarHeight()); }
void TForm::SetClientHeight(int value) { SetHeight(value + MenuBarHeight()); }

void TForm::SetMenu(TMainMenu* menu)
{
    if (m_menu) {
        m_menu->Items()->OnItemsChanged = nullptr;
        m_menu->RemoveFreeNotification(this);
    }
    m_menu = menu;
    if (menu) {
        menu->FreeNotification(this);
        menu->Items()->OnItemsChanged = [this] { RebuildMenuBar(); };
    }
    RebuildMenuBar();
}

void TForm::RebuildMenuBar()
{
    FormWidget* w = WindowOf(this);
    const int clientHeight = ClientHeight();
    if (!m_menu) {
        delete w->bar;
        w->bar = nullptr;
    } else {
        if (!w->bar)
            w->bar = new QMenuBar(w);
        w->bar->clear();
        TMenuItem* root = m_menu->Items();
        for (int i = 0; i < root->Count(); ++i)
            w->bar->addAction(root->Items(i)->Action());
        w->bar->show();
    }
    // The client area keeps its size; the window grows or shrinks by the bar.
    SetBounds(Left(), Top(), Width(), clientHeight + MenuBarHeight());
    w->Arrange();
}

void TForm::Notification(TComponent* component, TOperation operation)
{
    if (operation == opRemove && component == m_menu) {
        m_menu = nullptr;
        RebuildMenuBar();
    }
    TWinControl::Notification(component, operation);
}

namespace {

TButton* FindDialogButton(TWinControl* parent, int key)
{
    for (int i = 0; i < parent->ControlCount(); ++i) {
        TControl* c = parent->Controls(i);
        if (auto* b = dynamic_cast<TButton*>(c);
            b && b->Showing() && b->Enabled() && (key == VK_RETURN ? b->Default() : b->Cancel()))
            return b;
        if (auto* w = dynamic_cast<TWinControl*>(c)) {
            if (TButton* found = FindDialogButton(w, key))
                return found;
        }
    }
    return nullptr;
}

}  // namespace

bool TForm::DialogKey(int key)
{
    TButton* button = FindDialogButton(this, key);
    if (!button)
        return false;
    button->Click();
    return true;
}

void TForm::SetBorderStyle(TFormBorderStyle style)
{
    m_borderStyle = style;
    ApplyWindowFlags();
}

void TForm::SetBorderIcons(const TBorderIcons& icons)
{
    m_borderIcons = icons;
    ApplyWindowFlags();
}

void TForm::SetFormStyle(TFormStyle style)
{
    m_formStyle = style;
    ApplyWindowFlags();
}

void TForm::ApplyWindowFlags()
{
    QWidget* w = Handle();
    if (!w)
        return;
    const bool wasVisible = w->isVisible();
    Qt::WindowFlags flags = Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint;
    if (m_borderStyle == bsNone)
        flags = Qt::Window | Qt::FramelessWindowHint;
    if (m_borderStyle == bsToolWindow || m_borderStyle == bsSizeToolWin)
        flags |= Qt::Tool;
    if (m_borderIcons.count(biSystemMenu)) {
        flags |= Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint;
        const bool sizeable = m_borderStyle == bsSizeable || m_borderStyle == bsSizeToolWin;
        if (m_borderIcons.count(biMinimize) && m_borderStyle != bsDialog)
            flags |= Qt::WindowMinimizeButtonHint;
        if (m_borderIcons.count(biMaximize) && sizeable)
            flags |= Qt::WindowMaximizeButtonHint;
    }
    if (m_formStyle == fsStayOnTop)
        flags |= Qt::WindowStaysOnTopHint;
    w->setWindowFlags(flags);
    if (m_borderStyle != bsSizeable && m_borderStyle != bsSizeToolWin)
        w->setFixedSize(w->size());
    else
        w->setMinimumSize(0, 0), w->setMaximumSize(QWIDGETSIZE_MAX, QWIDGETSIZE_MAX);
    if (wasVisible)
        w->show();
}

void TForm::ColorChanged()
{
    if (QWidget* w = Handle()) {
        QPalette palette = w->palette();
        palette.setColor(QPalette::Window, ToQColor(Color()));
        w->setPalette(palette);
        w->setAutoFillBackground(true);
    }
}

void TForm::TextChanged()
{
    if (QWidget* w = Handle())
        w->setWindowTitle(ToQString(Caption()));
}

TWinControl* TForm::ActiveControl() const
{
    if (QWidget* w = Handle(); w && w->focusWidget()) {
        if (auto* c = dynamic_cast<TWinControl*>(ControlBridge::ControlOf(w->focusWidget())); c && c != this)
            return c;
    }
    return m_activeControl;
}

void TForm::SetActiveControl(TWinControl* control)
{
    m_activeControl = control;
    if (control && Visible() && control->CanFocus())
        control->SetFocus();
}

void TForm::SetModalResult(TModalResult result) { m_modalResult = result; }

void TForm::CenterOnScreen()
{
    const QScreen* screen = QGuiApplication::primaryScreen();
    if (!screen)
        return;
    const QRect area = screen->availableGeometry();
    SetBounds(area.left() + (area.width() - Width()) / 2, area.top() + (area.height() - Height()) / 2, Width(),
              Height());
}

void TForm::SetVisible(bool visible)
{
    QWidget* w = Handle();
    if (visible && Visible()) {
        w->raise();
        w->activateWindow();
        return;
    }
    if (visible == Visible())
        return;
    if (visible && !m_shownOnce) {
        m_shownOnce = true;
        if (m_position == poScreenCenter || m_position == poDesktopCenter || m_position == poMainFormCenter ||
            m_position == poOwnerFormCenter)
            CenterOnScreen();
    }
    TControl::SetVisible(visible);
    if (visible) {
        w->activateWindow();
        if (m_activeControl && m_activeControl->CanFocus())
            m_activeControl->SetFocus();
        OnShow(this);
    } else {
        OnHide(this);
    }
}

TModalResult TForm::ShowModal()
{
    if (Visible() || m_modal)
        throw Exception("Cannot make a visible window modal");
    m_modalResult = mrNone;
    TScopedFlag modal(m_modal);
    if (TestHooks::TModalScript* script = TestHooks::TModalScript::Active()) {
        script->Shown.push_back(TestHooks::TModalKind::ShowModal);
        script->ModalForms.push_back(Name());
        const TModalResult answer = script->OnShowModal ? script->OnShowModal(*this) : mrCancel;
        if (m_modalResult == mrNone)
            m_modalResult = answer;
        return m_modalResult;
    }
    QWidget* w = Handle();
    w->setWindowModality(Qt::ApplicationModal);
    SetVisible(true);
    QEventLoop loop;
    while (m_modalResult == mrNone && !Application->Terminated() && LiveForms().count(this))
        loop.processEvents(QEventLoop::WaitForMoreEvents);
    if (!LiveForms().count(this))
        return mrCancel;
    SetVisible(false);
    w->setWindowModality(Qt::NonModal);
    return m_modalResult == mrNone ? mrCancel : m_modalResult;
}

bool TForm::CloseQuery()
{
    bool canClose = true;
    OnCloseQuery(this, canClose);
    return canClose;
}

void TForm::DoClose(TCloseAction& action) { OnClose(this, action); }

void TForm::Close()
{
    if (!CloseQuery())
        return;
    const bool isMain = Application->MainForm() == this;
    TCloseAction action = isMain ? caFree : caHide;
    DoClose(action);
    if (action == caNone)
        return;
    if (m_modal) {
        if (m_modalResult == mrNone)
            m_modalResult = mrCancel;
        return;
    }
    if (isMain) {
        SetVisible(false);
        Application->Terminate();
        return;
    }
    if (action == caHide)
        SetVisible(false);
    else
        Release();
}

void TForm::CloseRequested() { Close(); }

void TForm::Release()
{
    if (m_releasePending)
        return;
    m_releasePending = true;
    SetVisible(false);
    PostToGui([form = this] {
        if (LiveForms().count(form))
            delete form;
    });
}

void TForm::ActivationChanged(bool active)
{
    if (active)
        OnActivate(this);
    else
        OnDeactivate(this);
}

namespace {

void CollectTabStops(TWinControl* parent, std::vector<TWinControl*>& out)
{
    std::vector<TWinControl*> children;
    for (int i = 0; i < parent->ControlCount(); ++i) {
        if (auto* w = dynamic_cast<TWinControl*>(parent->Controls(i)))
            children.push_back(w);
    }
    std::stable_sort(children.begin(), children.end(), [](TWinControl* a, TWinControl* b) {
        const int ta = a->TabOrder() < 0 ? INT32_MAX : a->TabOrder();
        const int tb = b->TabOrder() < 0 ? INT32_MAX : b->TabOrder();
        return ta < tb;
    });
    for (TWinControl* c : children) {
        out.push_back(c);
        CollectTabStops(c, out);
    }
}

}  // namespace

void TForm::SelectNext(TWinControl* current, bool forward, bool checkTabStop)
{
    std::vector<TWinControl*> order;
    CollectTabStops(this, order);
    if (order.empty())
        return;
    const auto it = std::find(order.begin(), order.end(), current);
    const int n = int(order.size());
    int index = it == order.end() ? (forward ? -1 : n) : int(it - order.begin());
    for (int step = 0; step < n; ++step) {
        index = ((forward ? index + 1 : index - 1) % n + n) % n;
        TWinControl* candidate = order[std::size_t(index)];
        if (candidate == current)
            break;
        if ((!checkTabStop || candidate->TabStop()) && candidate->CanFocus()) {
            candidate->SetFocus();
            return;
        }
    }
}

int ScreenWidth()
{
    const QScreen* screen = QGuiApplication::primaryScreen();
    return screen ? screen->geometry().width() : 0;
}

int ScreenHeight()
{
    const QScreen* screen = QGuiApplication::primaryScreen();
    return screen ? screen->geometry().height() : 0;
}

PRAVIX_PUBLISH(TForm, Prop("Caption", &TForm::Caption, &TForm::SetCaption),
               Prop("Color", &TForm::Color, &TForm::SetColor).AsColor(),
               Prop("ClientWidth", &TForm::ClientWidth, &TForm::SetClientWidth),
               Prop("ClientHeight", &TForm::ClientHeight, &TForm::SetClientHeight),
               Prop("BorderStyle", &TForm::BorderStyle, &TForm::SetBorderStyle).Default(bsSizeable),
               Prop("BorderIcons", &TForm::BorderIcons, &TForm::SetBorderIcons),
               Prop("FormStyle", &TForm::FormStyle, &TForm::SetFormStyle).Default(fsNormal),
               Prop("Position", &TForm::Position, &TForm::SetPosition).Default(poDesigned),
               Prop("KeyPreview", &TForm::KeyPreview, &TForm::SetKeyPreview).Default(false),
               Prop("AutoScroll", &TForm::AutoScroll, &TForm::SetAutoScroll).Default(false),
               Prop("Visible", &TForm::Visible, &TForm::SetVisible).Default(false),
               Prop("Enabled", &TForm::Enabled, &TForm::SetEnabled).Default(true),
               Prop("Constraints", &TForm::Constraints, &TForm::SetConstraints).Owned(),
               Prop("Font", &TForm::Font, &TForm::SetFont).Owned(),
               Prop("ActiveControl", &TForm::ActiveControl, &TForm::SetActiveControl),
               Prop("Menu", &TForm::Menu, &TForm::SetMenu),
               Prop("ShowHint", &TForm::ShowHint, &TForm::SetShowHint).Default(false),
               Field("OnCreate", &TForm::OnCreate), Field("OnDestroy", &TForm::OnDestroy),
               Field("OnShow", &TForm::OnShow), Field("OnHide", &TForm::OnHide),
               Field("OnActivate", &TForm::OnActivate), Field("OnDeactivate", &TForm::OnDeactivate),
               Field("OnClose", &TForm::OnClose), Field("OnCloseQuery", &TForm::OnCloseQuery),
               Field("OnResize", &TForm::OnResize), Field("OnKeyDown", &TForm::OnKeyDown),
               Field("OnKeyPress", &TForm::OnKeyPress))
