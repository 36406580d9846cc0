#pragma once
// Events are nullable method closures: an unassigned event does nothing when fired.
// Arguments that a handler may change (cancel flags, texts, rectangles) are declared
// as references in the event type:
//
//     using TRequestEditEvent = Event<TObject*, bool&>;
//     TRequestEditEvent OnRequestEdit;
//     OnRequestEdit = TRequestEditEvent::Bind(form, &TEditForm::CanEdit);  // object + method
//     OnRequestEdit = [](TObject*, bool& can) { can = false; };             // or any callable
//     bool can = true;
//     OnRequestEdit(this, can);   // does nothing while unassigned
//
// Two events compare equal when both are unassigned, or both were bound to the same
// object and method; a lambda closure never equals another closure.
//
// Every assignment to an event moves EventAssignments on, so that a conclusion drawn from
// what events are bound to can be kept until its count changes:
//
//     if (m_checkedAt != EventAssignments::Count()) {        // someone assigned an event
//         m_onlyRepaints = OnChange.IsBoundLike(repaintPath);
//         m_checkedAt = EventAssignments::Count();
//     }

#include <atomic>
#include <cstddef>
#include <functional>
#include <type_traits>
#include <utility>

class TObject;

// The number of event assignments made so far, in any thread. Events are assigned rarely and
// fired often; a cached answer about them is stale once this count moved.
class EventAssignments {
public:
    using TCount = unsigned long;
    static TCount Count() { return s_count.load(std::memory_order_relaxed); }
    // For changes that alter what an event check sees without assigning an event, such as
    // pointing a check at another event.
    static void Note() { s_count.fetch_add(1, std::memory_order_relaxed); }

private:
    static std::atomic<TCount> s_count;
};

template <typename... Args>
class Event {
public:
    using Handler = std::function<void(Args...)>;

    Event() = default;
    Event(std::nullptr_t) {}
    Event(const Event&) = default;
    Event(Event&&) noexcept = default;
    ~Event() = default;
    template <typename F,
              typename = std::enable_if_t<!std::is_same_v<std::decay_t<F>, Event> && std::is_invocable_v<F&, Args...>>>
    Event(F&& handler) : m_handler(std::forward<F>(handler))
    {
    }

    // Binds an object and one of its methods, the way the form designer wires handlers.
    template <typename Obj, typename Method>
    static Event Bind(Obj* object, Method method)
    {
        Event e([object, method](Args... args) { (object->*method)(std::forward<Args>(args)...); });
        e.m_data = object;
        e.m_code = MethodKey(method);
        return e;
    }

    bool Assigned() const { return bool(m_handler); }
    explicit operator bool() const { return Assigned(); }

    // Calls the handler when one is assigned; does nothing otherwise.
    void operator()(Args... args) const
    {
        if (m_handler)
            m_handler(std::forward<Args>(args)...);
    }

    // Assignments are counted (EventAssignments); construction is not, as a new event
    // changes no binding anyone has looked at.
    Event& operator=(const Event& other)
    {
        m_handler = other.m_handler;
        m_data = other.m_data;
        m_code = other.m_code;
        EventAssignments::Note();
        return *this;
    }
    Event& operator=(Event&& other) noexcept
    {
        m_handler = std::move(other.m_handler);
        m_data = other.m_data;
        m_code = other.m_code;
        EventAssignments::Note();
        return *this;
    }
    Event& operator=(std::nullptr_t)
    {
        *this = Event();
        return *this;
    }

    // The object a bound method belongs to; nullptr for lambdas and unassigned events.
    const void* Data() const { return m_data; }

    // The same as `*this == bound` for an event `bound` made by Bind, in fewer steps: the key
    // is compared before the handler is looked at.
    bool IsBoundLike(const Event& bound) const { return m_data == bound.m_data && m_code == bound.m_code && m_handler; }

    friend bool operator==(const Event& a, const Event& b)
    {
        if (!a.m_handler || !b.m_handler)
            return !a.m_handler && !b.m_handler;
        return a.m_data && a.m_data == b.m_data && a.m_code == b.m_code;
    }

private:
    template <typename Method>
    static std::size_t MethodKey(Method method)
    {
        // Member-function pointers cannot be ordered; their bytes identify them.
        std::size_t key = 0;
        const unsigned char* bytes = reinterpret_cast<const unsigned char*>(&method);
        for (std::size_t i = 0; i < sizeof(method); ++i)
            key = key * 131 + bytes[i];
        return key;
    }

    Handler m_handler;
    const void* m_data = nullptr;
    std::size_t m_code = 0;
};

using TNotifyEvent = Event<TObject*>;
