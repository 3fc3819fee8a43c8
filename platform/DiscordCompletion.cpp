#include "DiscordCompletion.h"

namespace discord {

CompletionBase::CompletionBase(PendingCompletions& pending) : pending_(&pending)
{
    pending_->add(this);
}

CompletionBase::~CompletionBase()
{
    answered();
}

void CompletionBase::answered()
{
    if (pending_) {
        pending_->remove(this);
        pending_ = nullptr;
    }
}

PendingCompletions::~PendingCompletions()
{
    // Each completion removes itself from the set as it is freed.
    while (!pending_.empty())
        delete *pending_.begin();
}

int PendingCompletions::count() const
{
    return static_cast<int>(pending_.size());
}

void PendingCompletions::add(CompletionBase* completion)
{
    pending_.insert(completion);
}

void PendingCompletions::remove(CompletionBase* completion)
{
    pending_.erase(completion);
}

} // namespace discord
