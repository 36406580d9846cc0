#pragma once
// The object model: TObject (class information), TPersistent (assignment and custom
// streamed data) and TComponent (names, ownership, notifications, loading state).
// Published properties are declared as Reflection.h shows.

#include "platform/core/Events.h"
#include "platform/core/Filer.h"
#include "platform/core/Reflection.h"

#include <string>
#include <string_view>
#include <vector>

class TObject {
public:
    TObject() = default;
    virtual ~TObject();
    TObject(const TObject&) = delete;
    TObject& operator=(const TObject&) = delete;

    static const TClassInfo& StaticClassInfo();
    virtual const TClassInfo& ClassInfo() const;
    // The class's own name ("TiCheckBox"), from the class information.
    const std::string& ClassName() const { return ClassInfo().Name(); }
    bool InheritsFrom(const TClassInfo& info) const { return ClassInfo().InheritsFrom(info); }
    bool InheritsFrom(std::string_view className) const { return ClassInfo().InheritsFrom(className); }
};

class TPersistent : public TObject {
    PRAVIX_CLASS(TPersistent, TObject)
public:
    // Copies what `source` holds. The base asks the source (AssignTo) and raises
    // EConvertError "Cannot assign a <source class> to a <class>" when neither side knows how.
    virtual void Assign(const TPersistent& source);
    // Names the object's custom streamed values (see Filer.h). The base has none.
    virtual void DefineProperties(TFiler& filer);

protected:
    virtual void AssignTo(TPersistent& destination) const;
};

enum TComponentStateFlag : unsigned { csLoading = 1, csDesigning = 2, csDestroying = 4 };
using TComponentState = unsigned;  // a combination of TComponentStateFlag
enum TOperation { opInsert, opRemove };

class TComponent : public TPersistent {
    PRAVIX_CLASS(TComponent, TPersistent)
public:
    // The owner frees its components, in reverse creation order, when it is destroyed.
    explicit TComponent(TComponent* owner);
    ~TComponent() override;

    const std::string& Name() const { return m_name; }
    virtual void SetName(const std::string& name);
    int Tag() const { return m_tag; }
    void SetTag(int tag) { m_tag = tag; }

    TComponent* Owner() const { return m_owner; }
    // Owned components in creation order; an index error raises "List index out of bounds (%d)".
    int ComponentCount() const { return int(m_components.size()); }
    TComponent* Components(int index) const;
    // An owned component by name, ignoring case; nullptr when none.
    TComponent* FindComponent(std::string_view name) const;
    // Moves a component into or out of this component's ownership.
    void InsertComponent(TComponent* component);
    void RemoveComponent(TComponent* component);

    // Links two components that refer to each other without owning: when either is
    // destroyed the other receives Notification(it, opRemove).
    void FreeNotification(TComponent* component);
    void RemoveFreeNotification(TComponent* component);

    TComponentState ComponentState() const { return m_state; }
    void SetComponentState(TComponentStateFlag flag, bool on);
    bool IsLoading() const { return m_state & csLoading; }
    bool IsDesigning() const { return m_state & csDesigning; }
    bool IsDestroying() const { return m_state & csDestroying; }

    // After the whole form description was read. The base clears the loading state;
    // overrides call it first.
    virtual void Loaded();

    // The visual layer's parent, which the form-description reader sets to the object
    // enclosing this one. The base keeps no parent.
    virtual void SetParentComponent(TComponent* parent);
    virtual TComponent* GetParentComponent() const;

protected:
    // Told when `component` is inserted into or removed from this component's owner's
    // list, or a linked component goes away. The base forwards it to the owned
    // components; overrides clear their references, then call the base.
    virtual void Notification(TComponent* component, TOperation operation);
    // Derived destructors may call it first so that handlers see the state early.
    void Destroying() { m_state |= csDestroying; }

private:
    void DestroyComponents();
    void UnlinkAll();

    std::string m_name;
    int m_tag = 0;
    TComponent* m_owner = nullptr;
    std::vector<TComponent*> m_components;
    std::vector<TComponent*> m_freeNotifies;
    TComponentState m_state = 0;
};
