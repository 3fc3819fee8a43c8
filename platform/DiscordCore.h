#pragma once

#include "DiscordActivityManager.h"
#include "DiscordApi.h"
#include "DiscordCompletion.h"
#include "DiscordEvent.h"
#include "DiscordLobbyManager.h"
#include "DiscordManagers.h"
#include "DiscordTypes.h"

#include <cstdint>
#include <functional>

namespace discord {

// The program's connection to the Discord library: the library's core
// object, the log hook and one manager per area.
//
// Rules:
// - Made only by Create and owned by whoever asked for it; deleting it
//   destroys the library's core object, then frees the completions the
//   library never answered, without calling them.
// - A manager's library interface is fetched the first time the manager is
//   asked for, then kept.
// - Library events and completions run on the thread that calls
//   RunCallbacks, from inside that call. Events whose data pointer is null are
//   dropped, as are events that should carry a record and carry none; a null
//   text arrives as "".
// - The binding holds no locks: one thread uses a core.
class Core
{
public:
    static constexpr DiscordVersion VERSION = 3;
    static constexpr DiscordVersion MANAGER_VERSION = 1;
    static constexpr DiscordVersion OVERLAY_MANAGER_VERSION = 2;

    // Creates a core at *instance. A null instance answers InternalError and
    // creates nothing. When the library refuses, or answers success without
    // a core, *instance is null. The library's answer is returned either way.
    static Result Create(ClientId clientId, std::uint64_t flags, Core** instance);

    Core(const Core&) = delete;
    Core& operator=(const Core&) = delete;
    ~Core();

    Result RunCallbacks();
    // Replaces every log subscriber with hook, and asks the library for
    // messages from minLevel up.
    void SetLogHook(LogLevel minLevel, std::function<void(LogLevel, const char*)> hook);

    discord::ApplicationManager& ApplicationManager();
    discord::UserManager& UserManager();
    discord::ImageManager& ImageManager();
    discord::ActivityManager& ActivityManager();
    discord::RelationshipManager& RelationshipManager();
    discord::LobbyManager& LobbyManager();
    discord::NetworkManager& NetworkManager();
    discord::OverlayManager& OverlayManager();
    discord::StorageManager& StorageManager();
    discord::StoreManager& StoreManager();
    discord::VoiceManager& VoiceManager();
    discord::AchievementManager& AchievementManager();

private:
    Core();

    template <typename Manager, typename Table>
    Manager& fetch(Manager& manager, Table* (*DiscordCoreTable::*getter)(DiscordCoreTable*));

    DiscordCoreTable* internal_ = nullptr;
    PendingCompletions pending_;
    Event<LogLevel, const char*> setLogHook_;
    discord::ApplicationManager applicationManager_;
    discord::UserManager userManager_;
    discord::ImageManager imageManager_;
    discord::ActivityManager activityManager_;
    discord::RelationshipManager relationshipManager_;
    discord::LobbyManager lobbyManager_;
    discord::NetworkManager networkManager_;
    discord::OverlayManager overlayManager_;
    discord::StorageManager storageManager_;
    discord::StoreManager storeManager_;
    discord::VoiceManager voiceManager_;
    discord::AchievementManager achievementManager_;
};

} // namespace discord
