#pragma once
// Small guards that undo a change however a scope ends (return or exception).

#include <exception>
#include <utility>

// Gives a variable a value for a scope and puts the old one back.
template <typename T>
class TScopedValue {
public:
    TScopedValue(T& variable, T value) : m_variable(variable), m_saved(std::move(variable))
    {
        m_variable = std::move(value);
    }
    ~TScopedValue() { m_variable = std::move(m_saved); }
    TScopedValue(const TScopedValue&) = delete;
    TScopedValue& operator=(const TScopedValue&) = delete;

private:
    T& m_variable;
    T m_saved;
};

// Raises a flag for a scope ("inside user input", "a modal loop runs"); the previous state
// comes back at the end, so nested scopes leave the flag raised for the outer one.
class TScopedFlag : public TScopedValue<bool> {
public:
    explicit TScopedFlag(bool& flag) : TScopedValue(flag, true) {}
};

// Counts a nesting depth up for a scope: a non-zero depth holds back the change events of the
// program's own changes, or marks a teardown in progress.
class TScopedIncrement {
public:
    explicit TScopedIncrement(int& depth) : m_depth(depth) { ++m_depth; }
    ~TScopedIncrement() { --m_depth; }
    TScopedIncrement(const TScopedIncrement&) = delete;
    TScopedIncrement& operator=(const TScopedIncrement&) = delete;

private:
    int& m_depth;
};

// Lock() ... Unlock() of an object for a scope (a component that defers its repaints).
template <typename T>
class TScopedLock {
public:
    explicit TScopedLock(T& object) : m_object(object) { m_object.Lock(); }
    ~TScopedLock() { m_object.Unlock(); }
    TScopedLock(const TScopedLock&) = delete;
    TScopedLock& operator=(const TScopedLock&) = delete;

private:
    T& m_object;
};

// Runs a function when the scope ends, for an undo that is neither a variable's old value nor a
// pair of calls above. The undo may fail (an EndUpdate sends the held-back change notice, whose
// handler may raise). When the scope ends normally its exception goes on to the caller; when an
// exception is already leaving the scope, the undo's own is dropped and the first error goes on,
// since a second exception during unwinding would end the program.
template <typename Fn>
class TScopeExit {
public:
    explicit TScopeExit(Fn fn) : m_fn(std::move(fn)), m_exceptions(std::uncaught_exceptions()) {}
    ~TScopeExit() noexcept(false)
    {
        if (std::uncaught_exceptions() == m_exceptions) {
            m_fn();
            return;
        }
        try {
            m_fn();
        } catch (...) {
        }
    }
    TScopeExit(const TScopeExit&) = delete;
    TScopeExit& operator=(const TScopeExit&) = delete;

private:
    Fn m_fn;
    int m_exceptions;
};

// BeginUpdate() ... EndUpdate() of an object for a scope (a list or a component that holds its
// change notices back and sends one at the end), with TScopeExit's rule for a failing end.
template <typename T>
class TScopedUpdate {
public:
    explicit TScopedUpdate(T& object) : m_end(Begin(object)) {}

private:
    struct TEndUpdate {
        T& Object;
        void operator()() const { Object.EndUpdate(); }
    };
    static TEndUpdate Begin(T& object)
    {
        object.BeginUpdate();
        return TEndUpdate{object};
    }
    TScopeExit<TEndUpdate> m_end;
};
