#include "DiscordCore.h"

namespace discord {

namespace {

Core* coreOf(void* eventData)
{
    return static_cast<Core*>(eventData);
}

const char* textOf(const char* text)
{
    return text ? text : "";
}

// The event tables: each entry finds the core the library was created with
// and raises the manager's event of the same name.

DiscordUserEventTable userEvents = {
    [](void* data) {
        if (Core* core = coreOf(data))
            core->UserManager().OnCurrentUserUpdate();
    },
};

DiscordActivityEventTable activityEvents = {
    [](void* data, const char* secret) {
        if (Core* core = coreOf(data))
            core->ActivityManager().OnActivityJoin(textOf(secret));
    },
    [](void* data, const char* secret) {
        if (Core* core = coreOf(data))
            core->ActivityManager().OnActivitySpectate(textOf(secret));
    },
    [](void* data, DiscordUserRecord* user) {
        if (Core* core = coreOf(data); core && user)
            core->ActivityManager().OnActivityJoinRequest(wrap<User>(*user));
    },
    [](void* data, std::int32_t type, DiscordUserRecord* user, DiscordActivityRecord* activity) {
        if (Core* core = coreOf(data); core && user && activity)
            core->ActivityManager().OnActivityInvite(static_cast<ActivityActionType>(type), wrap<User>(*user),
                                                     wrap<Activity>(*activity));
    },
};

DiscordRelationshipEventTable relationshipEvents = {
    [](void* data) {
        if (Core* core = coreOf(data))
            core->RelationshipManager().OnRefresh();
    },
    [](void* data, DiscordRelationshipRecord* relationship) {
        if (Core* core = coreOf(data); core && relationship)
            core->RelationshipManager().OnRelationshipUpdate(wrap<Relationship>(*relationship));
    },
};

DiscordLobbyEventTable lobbyEvents = {
    [](void* data, LobbyId lobby) {
        if (Core* core = coreOf(data))
            core->LobbyManager().OnLobbyUpdate(lobby);
    },
    [](void* data, LobbyId lobby, std::uint32_t reason) {
        if (Core* core = coreOf(data))
            core->LobbyManager().OnLobbyDelete(lobby, reason);
    },
    [](void* data, LobbyId lobby, UserId user) {
        if (Core* core = coreOf(data))
            core->LobbyManager().OnMemberConnect(lobby, user);
    },
    [](void* data, LobbyId lobby, UserId user) {
        if (Core* core = coreOf(data))
            core->LobbyManager().OnMemberUpdate(lobby, user);
    },
    [](void* data, LobbyId lobby, UserId user) {
        if (Core* core = coreOf(data))
            core->LobbyManager().OnMemberDisconnect(lobby, user);
    },
    [](void* data, LobbyId lobby, UserId user, std::uint8_t* bytes, std::uint32_t length) {
        if (Core* core = coreOf(data))
            core->LobbyManager().OnLobbyMessage(lobby, user, bytes, bytes ? length : 0);
    },
    [](void* data, LobbyId lobby, UserId user, bool speaking) {
        if (Core* core = coreOf(data))
            core->LobbyManager().OnSpeaking(lobby, user, speaking);
    },
    [](void* data, LobbyId lobby, UserId user, std::uint8_t channel, std::uint8_t* bytes, std::uint32_t length) {
        if (Core* core = coreOf(data))
            core->LobbyManager().OnNetworkMessage(lobby, user, channel, bytes, bytes ? length : 0);
    },
};

DiscordNetworkEventTable networkEvents = {
    [](void* data, NetworkPeerId peer, NetworkChannelId channel, std::uint8_t* bytes, std::uint32_t length) {
        if (Core* core = coreOf(data))
            core->NetworkManager().OnMessage(peer, channel, bytes, bytes ? length : 0);
    },
    [](void* data, const char* route) {
        if (Core* core = coreOf(data))
            core->NetworkManager().OnRouteUpdate(textOf(route));
    },
};

DiscordOverlayEventTable overlayEvents = {
    [](void* data, bool locked) {
        if (Core* core = coreOf(data))
            core->OverlayManager().OnToggle(locked);
    },
};

DiscordStoreEventTable storeEvents = {
    [](void* data, DiscordEntitlementRecord* entitlement) {
        if (Core* core = coreOf(data); core && entitlement)
            core->StoreManager().OnEntitlementCreate(wrap<Entitlement>(*entitlement));
    },
    [](void* data, DiscordEntitlementRecord* entitlement) {
        if (Core* core = coreOf(data); core && entitlement)
            core->StoreManager().OnEntitlementDelete(wrap<Entitlement>(*entitlement));
    },
};

DiscordVoiceEventTable voiceEvents = {
    [](void* data) {
        if (Core* core = coreOf(data))
            core->VoiceManager().OnSettingsUpdate();
    },
};

DiscordAchievementEventTable achievementEvents = {
    [](void* data, DiscordUserAchievementRecord* achievement) {
        if (Core* core = coreOf(data); core && achievement)
            core->AchievementManager().OnUserAchievementUpdate(wrap<UserAchievement>(*achievement));
    },
};

void logMessage(void* hookData, std::int32_t level, const char* message)
{
    if (auto* hook = static_cast<Event<LogLevel, const char*>*>(hookData))
        (*hook)(static_cast<LogLevel>(level), textOf(message));
}

} // namespace

Core::Core()
    : activityManager_(pending_), lobbyManager_(pending_)
{
}

Core::~Core()
{
    if (internal_ && internal_->destroy)
        internal_->destroy(internal_);
    internal_ = nullptr;
}

Result Core::Create(ClientId clientId, std::uint64_t flags, Core** instance)
{
    if (!instance)
        return Result::InternalError;
    Core* core = new Core();
    *instance = core;

    DiscordCreateParams params{};
    params.client_id = clientId;
    params.flags = flags;
    params.events = nullptr;
    params.event_data = core;
    params.application_version = MANAGER_VERSION;
    params.user_events = &userEvents;
    params.user_version = MANAGER_VERSION;
    params.image_version = MANAGER_VERSION;
    params.activity_events = &activityEvents;
    params.activity_version = MANAGER_VERSION;
    params.relationship_events = &relationshipEvents;
    params.relationship_version = MANAGER_VERSION;
    params.lobby_events = &lobbyEvents;
    params.lobby_version = MANAGER_VERSION;
    params.network_events = &networkEvents;
    params.network_version = MANAGER_VERSION;
    params.overlay_events = &overlayEvents;
    params.overlay_version = OVERLAY_MANAGER_VERSION;
    params.storage_version = MANAGER_VERSION;
    params.store_events = &storeEvents;
    params.store_version = MANAGER_VERSION;
    params.voice_events = &voiceEvents;
    params.voice_version = MANAGER_VERSION;
    params.achievement_events = &achievementEvents;
    params.achievement_version = MANAGER_VERSION;

    const auto result = static_cast<Result>(discordCreateFunction()(VERSION, &params, &core->internal_));
    if (result != Result::Ok || !core->internal_) {
        // What a refusing library left behind is not ours to destroy.
        core->internal_ = nullptr;
        delete core;
        *instance = nullptr;
    }
    return result;
}

Result Core::RunCallbacks()
{
    if (!internal_ || !internal_->run_callbacks)
        return Result::InternalError;
    return static_cast<Result>(internal_->run_callbacks(internal_));
}

void Core::SetLogHook(LogLevel minLevel, std::function<void(LogLevel, const char*)> hook)
{
    setLogHook_.DisconnectAll();
    setLogHook_.Connect(std::move(hook));
    if (internal_ && internal_->set_log_hook)
        internal_->set_log_hook(internal_, static_cast<std::int32_t>(minLevel), &setLogHook_, &logMessage);
}

template <typename Manager, typename Table>
Manager& Core::fetch(Manager& manager, Table* (*DiscordCoreTable::*getter)(DiscordCoreTable*))
{
    if (!manager.internal_ && internal_ && internal_->*getter)
        manager.internal_ = (internal_->*getter)(internal_);
    return manager;
}

discord::ApplicationManager& Core::ApplicationManager()
{
    return fetch(applicationManager_, &DiscordCoreTable::get_application_manager);
}

discord::UserManager& Core::UserManager()
{
    return fetch(userManager_, &DiscordCoreTable::get_user_manager);
}

discord::ImageManager& Core::ImageManager()
{
    return fetch(imageManager_, &DiscordCoreTable::get_image_manager);
}

discord::ActivityManager& Core::ActivityManager()
{
    return fetch(activityManager_, &DiscordCoreTable::get_activity_manager);
}

discord::RelationshipManager& Core::RelationshipManager()
{
    return fetch(relationshipManager_, &DiscordCoreTable::get_relationship_manager);
}

discord::LobbyManager& Core::LobbyManager()
{
    return fetch(lobbyManager_, &DiscordCoreTable::get_lobby_manager);
}

discord::NetworkManager& Core::NetworkManager()
{
    return fetch(networkManager_, &DiscordCoreTable::get_network_manager);
}

discord::OverlayManager& Core::OverlayManager()
{
    return fetch(overlayManager_, &DiscordCoreTable::get_overlay_manager);
}

discord::StorageManager& Core::StorageManager()
{
    return fetch(storageManager_, &DiscordCoreTable::get_storage_manager);
}

discord::StoreManager& Core::StoreManager()
{
    return fetch(storeManager_, &DiscordCoreTable::get_store_manager);
}

discord::VoiceManager& Core::VoiceManager()
{
    return fetch(voiceManager_, &DiscordCoreTable::get_voice_manager);
}

discord::AchievementManager& Core::AchievementManager()
{
    return fetch(achievementManager_, &DiscordCoreTable::get_achievement_manager);
}

} // namespace discord
