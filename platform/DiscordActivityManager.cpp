#include "DiscordActivityManager.h"

namespace discord {

namespace {

using ResultCompletion = Completion<Result>;

void resultAnswered(void* callbackData, DiscordResultCode result)
{
    if (auto completion = ResultCompletion::take(callbackData))
        (*completion)(static_cast<Result>(result));
}

} // namespace

ActivityManager::ActivityManager(PendingCompletions& pending) : pending_(&pending) {}

Result ActivityManager::RegisterCommand(const char* command)
{
    if (!internal_ || !internal_->register_command || !command)
        return Result::InternalError;
    return static_cast<Result>(internal_->register_command(internal_, command));
}

void ActivityManager::UpdateActivity(const Activity& activity, std::function<void(Result)> callback)
{
    if (!internal_ || !internal_->update_activity) {
        if (callback)
            callback(Result::InternalError);
        return;
    }
    // The library is handed its own copy, so that it cannot change ours.
    Activity sent = activity;
    internal_->update_activity(internal_, unwrap<DiscordActivityRecord>(sent),
                               ResultCompletion::hand(*pending_, std::move(callback)), &resultAnswered);
}

} // namespace discord
