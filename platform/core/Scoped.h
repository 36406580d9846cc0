#pragma once
// Small guards that undo a change however a scope ends (return or exception).

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
