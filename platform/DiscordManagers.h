#pragma once

#include "DiscordApi.h"
#include "DiscordEvent.h"
#include "DiscordTypes.h"

#include <cstdint>

// The managers the program fetches but whose operations it does not call:
// each holds the events the library raises for its area, then the library's
// interface, which its Core fills in the first time the manager is asked for.
// The activity and lobby managers, which do have operations, have their own
// files.
namespace discord {

class ApplicationManager
{
private:
    friend class Core;
    DiscordApplicationManagerTable* internal_ = nullptr;
};

class UserManager
{
public:
    Event<> OnCurrentUserUpdate;

private:
    friend class Core;
    DiscordUserManagerTable* internal_ = nullptr;
};

class ImageManager
{
private:
    friend class Core;
    DiscordImageManagerTable* internal_ = nullptr;
};

class RelationshipManager
{
public:
    Event<> OnRefresh;
    Event<const Relationship&> OnRelationshipUpdate;

private:
    friend class Core;
    DiscordRelationshipManagerTable* internal_ = nullptr;
};

class NetworkManager
{
public:
    Event<NetworkPeerId, NetworkChannelId, std::uint8_t*, std::uint32_t> OnMessage;
    Event<const char*> OnRouteUpdate;

private:
    friend class Core;
    DiscordNetworkManagerTable* internal_ = nullptr;
};

class OverlayManager
{
public:
    Event<bool> OnToggle;

private:
    friend class Core;
    DiscordOverlayManagerTable* internal_ = nullptr;
};

class StorageManager
{
private:
    friend class Core;
    DiscordStorageManagerTable* internal_ = nullptr;
};

class StoreManager
{
public:
    Event<const Entitlement&> OnEntitlementCreate;
    Event<const Entitlement&> OnEntitlementDelete;

private:
    friend class Core;
    DiscordStoreManagerTable* internal_ = nullptr;
};

class VoiceManager
{
public:
    Event<> OnSettingsUpdate;

private:
    friend class Core;
    DiscordVoiceManagerTable* internal_ = nullptr;
};

class AchievementManager
{
public:
    Event<const UserAchievement&> OnUserAchievementUpdate;

private:
    friend class Core;
    DiscordAchievementManagerTable* internal_ = nullptr;
};

} // namespace discord
