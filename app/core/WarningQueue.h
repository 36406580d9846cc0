#pragma once
// Host warnings are queued, never shown from inside the logic: the window shows each one
// (beep, then a modal box) after the current handler has returned, so no box can run the
// timers in the middle of a line. At most ten are open or waiting; a further one is dropped.
// A warning identical to one that is open or waiting is not queued again (a noisy line would
// otherwise stack the same box dozens of times), but every request is counted.

#include <deque>
#include <functional>
#include <map>
#include <optional>
#include <string>
#include <utility>
#include <vector>

struct Warning {
    std::string Caption;
    std::string Text;
    friend bool operator==(const Warning&, const Warning&) = default;
};

class WarningQueue {
public:
    static constexpr int kMaxDepth = 10;

    explicit WarningQueue(int& depth) : depth_(depth) {}

    // Called whenever a warning was queued, so the window can post its show event.
    void SetOnQueued(std::function<void()> handler) { onQueued_ = std::move(handler); }

    // Queues a warning; false when it was dropped or is open or waiting already.
    bool Post(std::string caption, std::string text);
    // The next warning to show; it counts as open until BoxClosed.
    std::optional<Warning> TakeNext();
    // The box opened last was closed (boxes nest: the newest closes first).
    void BoxClosed();
    const std::deque<Warning>& Pending() const { return pending_; }
    // How often this warning was asked for, whether or not it was queued.
    long Requests(const std::string& caption, const std::string& text) const;

private:
    bool OpenOrWaiting(const Warning& w) const;

    int& depth_;  // open plus queued boxes
    std::deque<Warning> pending_;
    std::vector<Warning> open_;  // taken and not closed yet, oldest first
    std::map<std::pair<std::string, std::string>, long> requests_;
    std::function<void()> onQueued_;
};
