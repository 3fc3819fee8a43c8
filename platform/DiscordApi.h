#pragma once

#include <cstdint>

// The plain tables through which the program speaks to the Discord library:
// the creation parameters, the core and the manager interfaces (tables of
// function pointers that the library fills), the event tables (that the
// program fills and the library calls) and the plain records. Only the
// operations the program uses are declared; managers it asks for but never
// calls are opaque.
//
// The library is reached through one entry point, DiscordCreate, which the
// program never links: it calls whatever discordCreateFunction() holds. By
// default that answers that the library is not installed, which is all this
// platform has. A build that ships the library installs, with
// setDiscordCreateFunction, an entry point whose tables have this layout (an
// adapter over the vendor's own), and the tests install a fake one.
//
// Every callback a table receives is given back its data pointer as first
// argument; records are passed by pointer and belong to the caller for the
// time of the call.

using DiscordResultCode = std::int32_t;
using DiscordVersion = std::int32_t;
using DiscordClientId = std::int64_t;
using DiscordUserId = std::int64_t;
using DiscordLobbyId = std::int64_t;
using DiscordSnowflake = std::int64_t;
using DiscordNetworkPeerId = std::uint64_t;
using DiscordNetworkChannelId = std::uint8_t;

constexpr int DISCORD_TEXT_SIZE = 128;      // activity texts, asset keys, secrets
constexpr int DISCORD_USERNAME_SIZE = 256;
constexpr int DISCORD_DISCRIMINATOR_SIZE = 8;
constexpr int DISCORD_DATE_SIZE = 64;

struct DiscordUserRecord
{
    DiscordUserId id;
    char username[DISCORD_USERNAME_SIZE];
    char discriminator[DISCORD_DISCRIMINATOR_SIZE];
    char avatar[DISCORD_TEXT_SIZE];
    bool bot;
};

struct DiscordActivityAssetsRecord
{
    char large_image[DISCORD_TEXT_SIZE];
    char large_text[DISCORD_TEXT_SIZE];
    char small_image[DISCORD_TEXT_SIZE];
    char small_text[DISCORD_TEXT_SIZE];
};

struct DiscordActivityRecord
{
    std::int32_t type;
    DiscordClientId application_id;
    char name[DISCORD_TEXT_SIZE];
    char state[DISCORD_TEXT_SIZE];
    char details[DISCORD_TEXT_SIZE];
    DiscordActivityAssetsRecord assets;
};

struct DiscordPresenceRecord
{
    std::int32_t status;
    DiscordActivityRecord activity;
};

struct DiscordRelationshipRecord
{
    std::int32_t type;
    DiscordUserRecord user;
    DiscordPresenceRecord presence;
};

struct DiscordLobbyRecord
{
    DiscordLobbyId id;
    std::int32_t type;
    DiscordUserId owner_id;
    char secret[DISCORD_TEXT_SIZE];
    std::uint32_t capacity;
    bool locked;
};

struct DiscordEntitlementRecord
{
    DiscordSnowflake id;
    std::int32_t type;
    DiscordSnowflake sku_id;
};

struct DiscordUserAchievementRecord
{
    DiscordSnowflake user_id;
    DiscordSnowflake achievement_id;
    std::uint8_t percent_complete;
    char unlocked_at[DISCORD_DATE_SIZE];
};

// Completion callbacks: the data pointer handed over with the request, then
// the results.
using DiscordResultCallback = void (*)(void* callback_data, DiscordResultCode result);
using DiscordLobbyCallback = void (*)(void* callback_data, DiscordResultCode result, DiscordLobbyRecord* lobby);
using DiscordLogHook = void (*)(void* hook_data, std::int32_t level, const char* message);

struct DiscordLobbyTransactionTable
{
    DiscordResultCode (*set_type)(DiscordLobbyTransactionTable* transaction, std::int32_t type);
    DiscordResultCode (*set_capacity)(DiscordLobbyTransactionTable* transaction, std::uint32_t capacity);
    DiscordResultCode (*set_metadata)(DiscordLobbyTransactionTable* transaction, const char* key, const char* value);
};

struct DiscordLobbySearchQueryTable
{
    DiscordResultCode (*limit)(DiscordLobbySearchQueryTable* query, std::uint32_t limit);
};

struct DiscordActivityManagerTable
{
    DiscordResultCode (*register_command)(DiscordActivityManagerTable* manager, const char* command);
    void (*update_activity)(DiscordActivityManagerTable* manager, DiscordActivityRecord* activity,
                            void* callback_data, DiscordResultCallback callback);
};

// The library owns the transaction and the query it hands out; creating the
// lobby or running the search consumes them.
struct DiscordLobbyManagerTable
{
    DiscordResultCode (*get_lobby_create_transaction)(DiscordLobbyManagerTable* manager,
                                                      DiscordLobbyTransactionTable** transaction);
    void (*create_lobby)(DiscordLobbyManagerTable* manager, DiscordLobbyTransactionTable* transaction,
                         void* callback_data, DiscordLobbyCallback callback);
    void (*send_lobby_message)(DiscordLobbyManagerTable* manager, DiscordLobbyId lobby_id, std::uint8_t* data,
                               std::uint32_t data_length, void* callback_data, DiscordResultCallback callback);
    DiscordResultCode (*get_search_query)(DiscordLobbyManagerTable* manager, DiscordLobbySearchQueryTable** query);
    void (*search)(DiscordLobbyManagerTable* manager, DiscordLobbySearchQueryTable* query, void* callback_data,
                   DiscordResultCallback callback);
};

// Managers the program fetches but does not call.
struct DiscordApplicationManagerTable;
struct DiscordUserManagerTable;
struct DiscordImageManagerTable;
struct DiscordRelationshipManagerTable;
struct DiscordNetworkManagerTable;
struct DiscordOverlayManagerTable;
struct DiscordStorageManagerTable;
struct DiscordStoreManagerTable;
struct DiscordVoiceManagerTable;
struct DiscordAchievementManagerTable;

struct DiscordCoreTable
{
    void (*destroy)(DiscordCoreTable* core);
    DiscordResultCode (*run_callbacks)(DiscordCoreTable* core);
    void (*set_log_hook)(DiscordCoreTable* core, std::int32_t min_level, void* hook_data, DiscordLogHook hook);
    DiscordApplicationManagerTable* (*get_application_manager)(DiscordCoreTable* core);
    DiscordUserManagerTable* (*get_user_manager)(DiscordCoreTable* core);
    DiscordImageManagerTable* (*get_image_manager)(DiscordCoreTable* core);
    DiscordActivityManagerTable* (*get_activity_manager)(DiscordCoreTable* core);
    DiscordRelationshipManagerTable* (*get_relationship_manager)(DiscordCoreTable* core);
    DiscordLobbyManagerTable* (*get_lobby_manager)(DiscordCoreTable* core);
    DiscordNetworkManagerTable* (*get_network_manager)(DiscordCoreTable* core);
    DiscordOverlayManagerTable* (*get_overlay_manager)(DiscordCoreTable* core);
    DiscordStorageManagerTable* (*get_storage_manager)(DiscordCoreTable* core);
    DiscordStoreManagerTable* (*get_store_manager)(DiscordCoreTable* core);
    DiscordVoiceManagerTable* (*get_voice_manager)(DiscordCoreTable* core);
    DiscordAchievementManagerTable* (*get_achievement_manager)(DiscordCoreTable* core);
};

// Event tables: filled by the program, called by the library with the event
// data pointer of the creation parameters.
struct DiscordUserEventTable
{
    void (*on_current_user_update)(void* event_data);
};

struct DiscordActivityEventTable
{
    void (*on_activity_join)(void* event_data, const char* secret);
    void (*on_activity_spectate)(void* event_data, const char* secret);
    void (*on_activity_join_request)(void* event_data, DiscordUserRecord* user);
    void (*on_activity_invite)(void* event_data, std::int32_t type, DiscordUserRecord* user,
                               DiscordActivityRecord* activity);
};

struct DiscordRelationshipEventTable
{
    void (*on_refresh)(void* event_data);
    void (*on_relationship_update)(void* event_data, DiscordRelationshipRecord* relationship);
};

struct DiscordLobbyEventTable
{
    void (*on_lobby_update)(void* event_data, DiscordLobbyId lobby_id);
    void (*on_lobby_delete)(void* event_data, DiscordLobbyId lobby_id, std::uint32_t reason);
    void (*on_member_connect)(void* event_data, DiscordLobbyId lobby_id, DiscordUserId user_id);
    void (*on_member_update)(void* event_data, DiscordLobbyId lobby_id, DiscordUserId user_id);
    void (*on_member_disconnect)(void* event_data, DiscordLobbyId lobby_id, DiscordUserId user_id);
    void (*on_lobby_message)(void* event_data, DiscordLobbyId lobby_id, DiscordUserId user_id, std::uint8_t* data,
                             std::uint32_t data_length);
    void (*on_speaking)(void* event_data, DiscordLobbyId lobby_id, DiscordUserId user_id, bool speaking);
    void (*on_network_message)(void* event_data, DiscordLobbyId lobby_id, DiscordUserId user_id,
                               std::uint8_t channel_id, std::uint8_t* data, std::uint32_t data_length);
};

struct DiscordNetworkEventTable
{
    void (*on_message)(void* event_data, DiscordNetworkPeerId peer_id, DiscordNetworkChannelId channel_id,
                       std::uint8_t* data, std::uint32_t data_length);
    void (*on_route_update)(void* event_data, const char* route_data);
};

struct DiscordOverlayEventTable
{
    void (*on_toggle)(void* event_data, bool locked);
};

struct DiscordStoreEventTable
{
    void (*on_entitlement_create)(void* event_data, DiscordEntitlementRecord* entitlement);
    void (*on_entitlement_delete)(void* event_data, DiscordEntitlementRecord* entitlement);
};

struct DiscordVoiceEventTable
{
    void (*on_settings_update)(void* event_data);
};

struct DiscordAchievementEventTable
{
    void (*on_user_achievement_update)(void* event_data, DiscordUserAchievementRecord* user_achievement);
};

// Managers without events take no table (null) but still name the version of
// their interface that the program expects.
struct DiscordCreateParams
{
    DiscordClientId client_id;
    std::uint64_t flags;
    void* events; // the core's own events: none
    void* event_data;
    void* application_events;
    DiscordVersion application_version;
    DiscordUserEventTable* user_events;
    DiscordVersion user_version;
    void* image_events;
    DiscordVersion image_version;
    DiscordActivityEventTable* activity_events;
    DiscordVersion activity_version;
    DiscordRelationshipEventTable* relationship_events;
    DiscordVersion relationship_version;
    DiscordLobbyEventTable* lobby_events;
    DiscordVersion lobby_version;
    DiscordNetworkEventTable* network_events;
    DiscordVersion network_version;
    DiscordOverlayEventTable* overlay_events;
    DiscordVersion overlay_version;
    void* storage_events;
    DiscordVersion storage_version;
    DiscordStoreEventTable* store_events;
    DiscordVersion store_version;
    DiscordVoiceEventTable* voice_events;
    DiscordVersion voice_version;
    DiscordAchievementEventTable* achievement_events;
    DiscordVersion achievement_version;
};

// DiscordCreate: on success stores the library's core at *result.
using DiscordCreateFunction = DiscordResultCode (*)(DiscordVersion version, DiscordCreateParams* params,
                                                    DiscordCoreTable** result);

// The entry point in use; never null.
DiscordCreateFunction discordCreateFunction();
// Installs an entry point and returns the previous one; null restores the
// default, which answers that the library is not installed and creates
// nothing.
DiscordCreateFunction setDiscordCreateFunction(DiscordCreateFunction function);
