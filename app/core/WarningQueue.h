#pragma once
// Host warnings are queued, never shown from inside the logic: the window shows each one
// (beep, then a modal box) after the current handler has returned, so no box can run the
// timers in the middle of a line. At most ten are open or waiting; a further one is dropped.

#include <deque>
#include <functional>
#include <optional>
#include <string>

struct Warning {
    std::string Caption;
    std::string Text;
};

class WarningQueue {
public:
    static constexpr int kMaxDepth = 10;

    explicit WarningQueue(int& depth) : depth_(depth) {}

    // Called whenever a warning was queued, so the window can post its show event.
    void SetOnQueued(std::function<void()> handler) { onQueued_ = std::move(handler); }

    // Queues a warning; false when it was dropped.
    bool Post(std::string caption, std::string text);
    // The next warning to show; it counts as open until BoxClosed.
    std::optional<Warning> TakeNext();
    void BoxClosed();
    const std::deque<Warning>& Pending() const { return pending_; }

private:
    int& depth_;  // open plus queued boxes
    std::deque<Warning> pending_;
    std::function<void()> onQueued_;
};
