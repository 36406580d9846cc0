#pragma once
// Timers. They fire on the GUI thread, inside the exception boundary, and keep firing while
// a modal loop runs (message boxes, file dialogs, modal forms).

#include "platform/canvas/VisualLayer.h"
#include "platform/core/Component.h"

#include <functional>
#include <memory>

class TimerCore;

// The form timer: runs while Enabled and Interval > 0 (not while its form description is
// being read). Changing the interval of a running timer restarts it with the new interval.
class TTimer : public TComponent {
    PRAVIX_CLASS(TTimer, TComponent)
public:
    explicit TTimer(TComponent* owner = nullptr);
    ~TTimer() override;

    unsigned Interval() const;
    void SetInterval(unsigned milliseconds);
    bool Enabled() const;
    void SetEnabled(bool enabled);
    // Millisecond accuracy instead of the coarse default (the host's 55 ms tick).
    bool Precise() const;
    void SetPrecise(bool precise);
    bool Running() const;

    TNotifyEvent OnTimer;

protected:
    void Loaded() override;

private:
    void Update();
    std::unique_ptr<TimerCore> m_core;
    unsigned m_interval = 1000;
    bool m_enabled = true;
};

// The timer a self-drawn component owns: the first tick after `first` ms (after `interval`
// when first is 0), then every `interval` ms, at millisecond accuracy.
class TComponentTimer {
public:
    TComponentTimer();
    ~TComponentTimer();
    TComponentTimer(const TComponentTimer&) = delete;
    TComponentTimer& operator=(const TComponentTimer&) = delete;

    // Nothing while running; (0, 0) does not start.
    void TimerStart(int first, int interval);
    void TimerStop();
    bool GetTimerRunning() const;
    std::function<void()> OnInternalTimer;

private:
    std::unique_ptr<TimerCore> m_core;
};
