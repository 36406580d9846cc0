#pragma once
// Menus: items with captions ("&" marks the accelerator, "-" is a separator line),
// check marks, enabled and visible states, click events and submenus; the main menu of a
// form and popup menus. Items are components: an item frees its sub-items, and an item
// freed by its owner leaves its parent menu.

#include "platform/canvas/VisualLayer.h"
#include "platform/core/Component.h"
#include "platform/core/Events.h"

#include <memory>
#include <string>
#include <vector>

class QAction;
class QMenu;
class TMenu;
class TControl;

class TMenuItem : public TComponent {
    PRAVIX_CLASS(TMenuItem, TComponent)
public:
    explicit TMenuItem(TComponent* owner);
    ~TMenuItem() override;

    std::string Caption() const { return m_caption; }
    void SetCaption(const std::string& caption);
    bool Checked() const { return m_checked; }
    void SetChecked(bool checked);
    bool Enabled() const { return m_enabled; }
    void SetEnabled(bool enabled);
    bool Visible() const { return m_visible; }
    void SetVisible(bool visible);
    bool RadioItem() const { return m_radioItem; }
    void SetRadioItem(bool value) { m_radioItem = value; }
    bool AutoCheck() const { return m_autoCheck; }
    void SetAutoCheck(bool value) { m_autoCheck = value; }
    std::string Hint() const { return m_hint; }
    void SetHint(const std::string& hint) { m_hint = hint; }
    bool IsLine() const { return m_caption == "-"; }

    int Count() const { return int(m_items.size()); }
    TMenuItem* Items(int index) const;
    TMenuItem* Parent() const { return m_parent; }
    int IndexOf(const TMenuItem* item) const;
    void Add(TMenuItem* item);
    void Insert(int index, TMenuItem* item);
    // Takes the item out without freeing it.
    void Remove(TMenuItem* item);
    void Delete(int index);
    // Frees every sub-item, the last first.
    void Clear();

    // Runs the item as a user's choice does (AutoCheck toggles, then OnClick).
    virtual void Click();
    TNotifyEvent OnClick;

    void SetParentComponent(TComponent* parent) override;
    TComponent* GetParentComponent() const override;

    // Platform-internal.
    QAction* Action() const;
    QMenu* SubMenu();
    // Told when the list of sub-items changes (the main menu rebuilds its bar).
    std::function<void()> OnItemsChanged;

private:
    void ItemsChanged();
    std::string m_caption;
    bool m_checked = false;
    bool m_enabled = true;
    bool m_visible = true;
    bool m_radioItem = false;
    bool m_autoCheck = false;
    std::string m_hint;
    TMenuItem* m_parent = nullptr;
    TMenu* m_menu = nullptr;
    std::vector<TMenuItem*> m_items;
    struct Private;
    std::unique_ptr<Private> d;
    friend class TMenu;
};

class TMenu : public TComponent {
    PRAVIX_CLASS(TMenu, TComponent)
public:
    explicit TMenu(TComponent* owner);
    ~TMenu() override;
    // The root item; its sub-items are the menu's items.
    TMenuItem* Items() const { return m_items.get(); }

private:
    std::unique_ptr<TMenuItem> m_items;
};

// The menu bar of the form it belongs to (the form's Menu).
class TMainMenu : public TMenu {
    PRAVIX_CLASS(TMainMenu, TMenu)
public:
    explicit TMainMenu(TComponent* owner);
};

class TPopupMenu : public TMenu {
    PRAVIX_CLASS(TPopupMenu, TMenu)
public:
    explicit TPopupMenu(TComponent* owner);
    // Fires OnPopup, then shows the menu at the screen point and runs it until an item is
    // chosen or the menu is dismissed. A menu without visible items is not shown.
    virtual void Popup(int screenX, int screenY);
    bool AutoPopup() const { return m_autoPopup; }
    void SetAutoPopup(bool value) { m_autoPopup = value; }
    // The control whose context menu this popup was shown as.
    TControl* PopupComponent() const { return m_popupComponent; }
    void SetPopupComponent(TControl* control) { m_popupComponent = control; }

    TNotifyEvent OnPopup;

private:
    bool m_autoPopup = true;
    TControl* m_popupComponent = nullptr;
};
