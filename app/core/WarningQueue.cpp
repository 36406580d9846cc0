#include "app/core/WarningQueue.h"

#include <algorithm>

bool WarningQueue::Post(std::string caption, std::string text)
{
    ++requests_[{caption, text}];
    Warning w{std::move(caption), std::move(text)};
    if (depth_ >= kMaxDepth || OpenOrWaiting(w))
        return false;
    ++depth_;
    pending_.push_back(std::move(w));
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
    open_.push_back(w);
    return w;
}

void WarningQueue::BoxClosed()
{
    if (!open_.empty())
        open_.pop_back();
    if (depth_ > 0)
        --depth_;
}

long WarningQueue::Requests(const std::string& caption, const std::string& text) const
{
    auto it = requests_.find({caption, text});
    return it == requests_.end() ? 0 : it->second;
}

bool WarningQueue::OpenOrWaiting(const Warning& w) const
{
    return std::find(pending_.begin(), pending_.end(), w) != pending_.end() ||
           std::find(open_.begin(), open_.end(), w) != open_.end();
}
