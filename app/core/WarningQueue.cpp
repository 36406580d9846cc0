#include "app/core/WarningQueue.h"

bool WarningQueue::Post(std::string caption, std::string text)
{
    if (depth_ >= kMaxDepth)
        return false;
    ++depth_;
    pending_.push_back({std::move(caption), std::move(text)});
    if (onQueued_)
        onQueued_();
    return true;
}

std::optional<Warning> WarningQueue::TakeNext()
{
    if (pending_.empty())
        return std::nullopt;
    Warning w = std::move(pending_.front());
    pending_.pop_front();
    return w;
}

void WarningQueue::BoxClosed()
{
    if (depth_ > 0)
        --depth_;
}
