#include "platform/gui/Menus.h"

#include "platform/canvas/QtBridge_p.h"
#include "platform/gui/ControlBridge_p.h"
#include "platform/gui/TestHooks.h"

#include <QAction>
#include <QMenu>

#include <algorithm>

struct TMenuItem::Private {
    std::unique_ptr<QAction> action = std::make_unique<QAction>();
    std::unique_ptr<QMenu> menu;
};

TMenuItem::TMenuItem(TComponent* owner) : TComponent(owner), d(std::make_unique<Private>())
{
    QObject::connect(d->action.get(), &QAction::triggered, [this] {
        // The menu toggles checkable actions by itself; the item decides.
        d->action->setChecked(m_checked);
        DispatchToControl([this] { Click(); });
    });
}

TMenuItem::~TMenuItem()
{
    Destroying();
    Clear();
    if (m_parent)
        m_parent->Remove(this);
}

void TMenuItem::SetCaption(const std::string& caption)
{
    m_caption = caption;
    d->action->setSeparator(IsLine());
    d->action->setText(ToQString(caption));
}

void TMenuItem::SetChecked(bool checked)
{
    m_checked = checked;
    d->action->setCheckable(checked || m_radioItem || m_autoCheck);
    d->action->setChecked(checked);
}

void TMenuItem::SetEnabled(bool enabled)
{
    m_enabled = enabled;
    d->action->setEnabled(enabled);
}

void TMenuItem::SetVisible(bool visible)
{
    m_visible = visible;
    d->action->setVisible(visible);
}

TMenuItem* TMenuItem::Items(int index) const
{
    if (index < 0 || index >= Count())
        RaiseListIndexError(index);
    return m_items[std::size_t(index)];
}

int TMenuItem::IndexOf(const TMenuItem* item) const
{
    const auto it = std::find(m_items.begin(), m_items.end(), item);
    return it == m_items.end() ? -1 : int(it - m_items.begin());
}

void TMenuItem::Add(TMenuItem* item) { Insert(Count(), item); }

void TMenuItem::Insert(int index, TMenuItem* item)
{
    if (index < 0 || index > Count())
        RaiseListIndexError(index);
    if (item->m_parent)
        item->m_parent->Remove(item);
    QAction* before = index < Count() ? m_items[std::size_t(index)]->Action() : nullptr;
    m_items.insert(m_items.begin() + index, item);
    item->m_parent = this;
    SubMenu()->insertAction(before, item->Action());
    ItemsChanged();
}

void TMenuItem::Remove(TMenuItem* item)
{
    const int index = IndexOf(item);
    if (index < 0)
        return;
    m_items.erase(m_items.begin() + index);
    item->m_parent = nullptr;
    if (d->menu)
        d->menu->removeAction(item->Action());
    ItemsChanged();
}

void TMenuItem::Delete(int index) { Remove(Items(index)); }

void TMenuItem::Clear()
{
    while (!m_items.empty())
        delete m_items.back();
}

void TMenuItem::ItemsChanged()
{
    if (OnItemsChanged && !IsDestroying())
        OnItemsChanged();
}

void TMenuItem::Click()
{
    if (m_autoCheck)
        SetChecked(!m_checked);
    OnClick(this);
}

void TMenuItem::SetParentComponent(TComponent* parent)
{
    if (auto* item = dynamic_cast<TMenuItem*>(parent))
        item->Add(this);
    else if (auto* menu = dynamic_cast<TMenu*>(parent))
        menu->Items()->Add(this);
}

TComponent* TMenuItem::GetParentComponent() const
{
    if (m_parent && m_parent->m_menu)
        return m_parent->m_menu;
    return m_parent;
}

QAction* TMenuItem::Action() const { return d->action.get(); }

QMenu* TMenuItem::SubMenu()
{
    if (!d->menu) {
        d->menu = std::make_unique<QMenu>();
        d->action->setMenu(d->menu.get());
    }
    return d->menu.get();
}

TMenu::TMenu(TComponent* owner) : TComponent(owner), m_items(std::make_unique<TMenuItem>(nullptr))
{
    m_items->m_menu = this;
}

TMenu::~TMenu()
{
    // Items owned by the form may outlive the menu; they leave the root now.
    while (m_items->Count())
        m_items->Remove(m_items->Items(m_items->Count() - 1));
}

TMainMenu::TMainMenu(TComponent* owner) : TMenu(owner) {}

TPopupMenu::TPopupMenu(TComponent* owner) : TMenu(owner) {}

namespace {

TestHooks::TMenuSnapshot Snapshot(TMenuItem* item)
{
    TestHooks::TMenuSnapshot s{item->Caption(), item->Checked(), item->Enabled(), item->Visible(), item, {}};
    for (int i = 0; i < item->Count(); ++i)
        s.Items.push_back(Snapshot(item->Items(i)));
    return s;
}

bool HasVisibleItem(const TMenuItem* root)
{
    for (int i = 0; i < root->Count(); ++i) {
        if (root->Items(i)->Visible())
            return true;
    }
    return false;
}

}  // namespace

void TPopupMenu::Popup(int screenX, int screenY)
{
    OnPopup(this);
    if (!HasVisibleItem(Items()))
        return;
    if (TestHooks::TModalScript* script = TestHooks::TModalScript::Active()) {
        script->Shown.push_back(TestHooks::TModalKind::PopupMenu);
        script->Popups.push_back(Snapshot(Items()));
        if (TMenuItem* picked = script->OnPopup ? script->OnPopup(script->Popups.back()) : nullptr)
            picked->Click();
        return;
    }
    Items()->SubMenu()->exec(QPoint(screenX, screenY));
}

PRAVIX_PUBLISH(TMenuItem, Prop("AutoCheck", &TMenuItem::AutoCheck, &TMenuItem::SetAutoCheck).Default(false),
               Prop("Caption", &TMenuItem::Caption, &TMenuItem::SetCaption),
               Prop("Checked", &TMenuItem::Checked, &TMenuItem::SetChecked).Default(false),
               Prop("Enabled", &TMenuItem::Enabled, &TMenuItem::SetEnabled).Default(true),
               Prop("Hint", &TMenuItem::Hint, &TMenuItem::SetHint),
               Prop("RadioItem", &TMenuItem::RadioItem, &TMenuItem::SetRadioItem).Default(false),
               Prop("Visible", &TMenuItem::Visible, &TMenuItem::SetVisible).Default(true),
               Field("OnClick", &TMenuItem::OnClick))

PRAVIX_PUBLISH(TMenu)
PRAVIX_PUBLISH(TMainMenu)
PRAVIX_PUBLISH(TPopupMenu, Prop("AutoPopup", &TPopupMenu::AutoPopup, &TPopupMenu::SetAutoPopup).Default(true),
               Field("OnPopup", &TPopupMenu::OnPopup))
