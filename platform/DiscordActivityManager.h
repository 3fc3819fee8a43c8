#pragma once

#include "DiscordApi.h"
#include "DiscordCompletion.h"
#include "DiscordEvent.h"
#include "DiscordTypes.h"

#include <functional>

namespace discord {

// The rich presence: the launch command and the activity, and the activity
// events the library raises. Owned by its Core, which fills in the library's
// interface the first time the manager is asked for. Without an interface
// every operation answers InternalError; a completion is then called at once
// with it.
class ActivityManager
{
public:
    explicit ActivityManager(PendingCompletions& pending);
    ActivityManager(const ActivityManager&) = delete;
    ActivityManager& operator=(const ActivityManager&) = delete;

    // The command Discord runs to start the program (zero-ended UTF-8).
    Result RegisterCommand(const char* command);
    // Sends a copy of the activity; callback gets the library's answer.
    void UpdateActivity(const Activity& activity, std::function<void(Result)> callback);

    Event<const char*> OnActivityJoin;
    Event<const char*> OnActivitySpectate;
    Event<const User&> OnActivityJoinRequest;
    Event<ActivityActionType, const User&, const Activity&> OnActivityInvite;

private:
    friend class Core;
    PendingCompletions* pending_;
    DiscordActivityManagerTable* internal_ = nullptr;
};

} // namespace discord
