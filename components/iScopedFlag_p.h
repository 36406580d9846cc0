#pragma once
// Sets a flag for a scope and clears it however the scope ends (an event handler may throw).

class TScopedFlag {
public:
    explicit TScopedFlag(bool& flag) : m_flag(flag) { m_flag = true; }
    ~TScopedFlag() { m_flag = false; }
    TScopedFlag(const TScopedFlag&) = delete;
    TScopedFlag& operator=(const TScopedFlag&) = delete;

private:
    bool& m_flag;
};
