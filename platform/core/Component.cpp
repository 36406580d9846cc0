#include "platform/core/Component.h"

#include "platform/core/StrUtils.h"

#include <algorithm>

// ---------------------------------------------------------------------------------------
// TObject

TObject::~TObject() = default;

const TClassInfo& TObject::StaticClassInfo()
{
    static const TClassInfo info("TObject", nullptr, ClassFactoryFor<TObject>(), {});
    return info;
}

const TClassInfo& TObject::ClassInfo() const { return StaticClassInfo(); }

static const TClassRegistration pravixClassRegistration_TObject(TObject::StaticClassInfo());

// ---------------------------------------------------------------------------------------
// TPersistent

PRAVIX_PUBLISH(TPersistent)

void TPersistent::Assign(const TPersistent& source) { source.AssignTo(*this); }

void TPersistent::AssignTo(TPersistent& destination) const
{
    throw EConvertError("Cannot assign a " + ClassName() + " to a " + destination.ClassName());
}

void TPersistent::DefineProperties(TFiler&) {}

// ---------------------------------------------------------------------------------------
// TComponent

PRAVIX_PUBLISH(TComponent, Prop("Name", &TComponent::Name, &TComponent::SetName),
               Prop("Tag", &TComponent::Tag, &TComponent::SetTag).Default(0))

TComponent::TComponent(TComponent* owner)
{
    if (owner)
        owner->InsertComponent(this);
}

TComponent::~TComponent()
{
    Destroying();
    UnlinkAll();
    DestroyComponents();
    if (m_owner)
        m_owner->RemoveComponent(this);
}

void TComponent::SetName(const std::string& name) { m_name = name; }

TComponent* TComponent::Components(int index) const
{
    if (index < 0 || index >= ComponentCount())
        RaiseListIndexError(index);
    return m_components[std::size_t(index)];
}

TComponent* TComponent::FindComponent(std::string_view name) const
{
    if (name.empty())
        return nullptr;
    for (TComponent* c : m_components)
        if (SameText(c->m_name, name))
            return c;
    return nullptr;
}

void TComponent::InsertComponent(TComponent* component)
{
    if (!component || component == this || component->m_owner == this)
        return;
    if (component->m_owner)
        component->m_owner->RemoveComponent(component);
    component->m_owner = this;
    m_components.push_back(component);
    Notification(component, opInsert);
}

void TComponent::RemoveComponent(TComponent* component)
{
    auto it = std::find(m_components.begin(), m_components.end(), component);
    if (it == m_components.end())
        return;
    Notification(component, opRemove);
    // The notification may have changed the list; look again.
    m_components.erase(std::remove(m_components.begin(), m_components.end(), component), m_components.end());
    component->m_owner = nullptr;
}

void TComponent::FreeNotification(TComponent* component)
{
    if (!component || component == this)
        return;
    if (std::find(m_freeNotifies.begin(), m_freeNotifies.end(), component) == m_freeNotifies.end())
        m_freeNotifies.push_back(component);
    if (std::find(component->m_freeNotifies.begin(), component->m_freeNotifies.end(), this) ==
        component->m_freeNotifies.end())
        component->m_freeNotifies.push_back(this);
}

void TComponent::RemoveFreeNotification(TComponent* component)
{
    if (!component)
        return;
    std::erase(m_freeNotifies, component);
    std::erase(component->m_freeNotifies, this);
}

void TComponent::SetComponentState(TComponentStateFlag flag, bool on)
{
    if (on)
        m_state |= flag;
    else
        m_state &= ~unsigned(flag);
}

void TComponent::Loaded() { SetComponentState(csLoading, false); }

void TComponent::SetParentComponent(TComponent*) {}

TComponent* TComponent::GetParentComponent() const { return nullptr; }

void TComponent::Notification(TComponent* component, TOperation operation)
{
    if (operation == opRemove)
        RemoveFreeNotification(component);
    // Handlers may free components; walk a snapshot and skip the ones that went away.
    const std::vector<TComponent*> snapshot = m_components;
    for (TComponent* c : snapshot)
        if (c != component && std::find(m_components.begin(), m_components.end(), c) != m_components.end())
            c->Notification(component, operation);
}

void TComponent::UnlinkAll()
{
    while (!m_freeNotifies.empty()) {
        TComponent* linked = m_freeNotifies.back();
        RemoveFreeNotification(linked);
        linked->Notification(this, opRemove);
    }
}

void TComponent::DestroyComponents()
{
    while (!m_components.empty()) {
        TComponent* last = m_components.back();
        delete last;  // its destructor takes it off the list
    }
}
