#pragma once

#include "DiscordApi.h"

#include <cstddef>
#include <cstdint>
#include <type_traits>

// The plain vocabulary of the Discord binding: result codes, enumerations
// and the record wrappers. A wrapper holds exactly its library record, so a
// record the library hands over is read as a wrapper without copying and a
// wrapper built here is handed to the library unchanged.
//
// Texts are fixed-size byte arrays of zero-ended UTF-8. A setter copies at
// most size - 1 bytes and always ends the text with a zero byte; a longer
// text is cut after its last whole character, never inside one, so the
// library is never sent broken UTF-8. A null text clears the field.
namespace discord {

using ClientId = DiscordClientId;
using UserId = DiscordUserId;
using LobbyId = DiscordLobbyId;
using Snowflake = DiscordSnowflake;
using NetworkPeerId = DiscordNetworkPeerId;
using NetworkChannelId = DiscordNetworkChannelId;

// The library's codes; those the program does not name pass through as they
// come.
enum class Result : std::int32_t {
    Ok = 0,
    InternalError = 4,
    NotInstalled = 26,
};

enum class CreateFlags : std::uint64_t {
    Default = 0,
    NoRequireDiscord = 1, // do not start Discord or fail when it is not running
};

enum class LogLevel : std::int32_t {
    Error = 1,
    Warn,
    Info,
    Debug,
};

enum class ActivityType : std::int32_t {
    Playing = 0,
    Streaming,
    Listening,
    Watching,
};

enum class ActivityActionType : std::int32_t {
    Join = 1,
    Spectate,
};

enum class LobbyType : std::int32_t {
    Private = 1,
    Public = 2,
};

// Copies text into a field of size bytes as described above.
void copyText(char* field, std::size_t size, const char* text);
// How many bytes of text (length bytes of UTF-8) fit in limit bytes without
// splitting a character.
std::size_t wholeCharactersWithin(const char* text, std::size_t length, std::size_t limit);

// Reads a library record as its wrapper, in place.
template <typename Wrapper, typename Record>
Wrapper& wrap(Record& record)
{
    static_assert(std::is_standard_layout_v<Wrapper>, "a wrapper starts with its record");
    static_assert(sizeof(Wrapper) == sizeof(Record), "a wrapper holds exactly its record");
    return *reinterpret_cast<Wrapper*>(&record);
}

template <typename Wrapper, typename Record>
const Wrapper& wrap(const Record& record)
{
    static_assert(std::is_standard_layout_v<Wrapper>, "a wrapper starts with its record");
    static_assert(sizeof(Wrapper) == sizeof(Record), "a wrapper holds exactly its record");
    return *reinterpret_cast<const Wrapper*>(&record);
}

template <typename Record, typename Wrapper>
Record* unwrap(Wrapper& wrapper)
{
    static_assert(std::is_standard_layout_v<Wrapper>, "a wrapper starts with its record");
    static_assert(sizeof(Wrapper) == sizeof(Record), "a wrapper holds exactly its record");
    return reinterpret_cast<Record*>(&wrapper);
}

class User
{
public:
    User() : internal_{} {}
    UserId GetId() const { return internal_.id; }
    void SetId(UserId id) { internal_.id = id; }
    const char* GetUsername() const { return internal_.username; }
    void SetUsername(const char* username);
    bool GetBot() const { return internal_.bot; }

private:
    DiscordUserRecord internal_;
};

class ActivityAssets
{
public:
    ActivityAssets() : internal_{} {}
    const char* GetLargeImage() const { return internal_.large_image; }
    void SetLargeImage(const char* key);
    const char* GetLargeText() const { return internal_.large_text; }
    void SetLargeText(const char* text);
    const char* GetSmallImage() const { return internal_.small_image; }
    void SetSmallImage(const char* key);
    const char* GetSmallText() const { return internal_.small_text; }
    void SetSmallText(const char* text);

private:
    DiscordActivityAssetsRecord internal_;
};

class Activity
{
public:
    Activity() : internal_{} {}
    ActivityType GetType() const { return static_cast<ActivityType>(internal_.type); }
    void SetType(ActivityType type) { internal_.type = static_cast<std::int32_t>(type); }
    ClientId GetApplicationId() const { return internal_.application_id; }
    const char* GetName() const { return internal_.name; }
    void SetName(const char* name);
    const char* GetState() const { return internal_.state; }
    void SetState(const char* state);
    const char* GetDetails() const { return internal_.details; }
    void SetDetails(const char* details);
    ActivityAssets& GetAssets() { return wrap<ActivityAssets>(internal_.assets); }
    const ActivityAssets& GetAssets() const { return wrap<ActivityAssets>(internal_.assets); }

private:
    DiscordActivityRecord internal_;
};

class Presence
{
public:
    Presence() : internal_{} {}
    std::int32_t GetStatus() const { return internal_.status; }
    const Activity& GetActivity() const { return wrap<Activity>(internal_.activity); }

private:
    DiscordPresenceRecord internal_;
};

class Relationship
{
public:
    Relationship() : internal_{} {}
    std::int32_t GetType() const { return internal_.type; }
    const User& GetUser() const { return wrap<User>(internal_.user); }
    const Presence& GetPresence() const { return wrap<Presence>(internal_.presence); }

private:
    DiscordRelationshipRecord internal_;
};

class Lobby
{
public:
    Lobby() : internal_{} {}
    LobbyId GetId() const { return internal_.id; }
    LobbyType GetType() const { return static_cast<LobbyType>(internal_.type); }
    UserId GetOwnerId() const { return internal_.owner_id; }
    const char* GetSecret() const { return internal_.secret; }
    std::uint32_t GetCapacity() const { return internal_.capacity; }
    bool GetLocked() const { return internal_.locked; }

private:
    DiscordLobbyRecord internal_;
};

class Entitlement
{
public:
    Entitlement() : internal_{} {}
    Snowflake GetId() const { return internal_.id; }
    Snowflake GetSkuId() const { return internal_.sku_id; }

private:
    DiscordEntitlementRecord internal_;
};

class UserAchievement
{
public:
    UserAchievement() : internal_{} {}
    Snowflake GetUserId() const { return internal_.user_id; }
    Snowflake GetAchievementId() const { return internal_.achievement_id; }
    std::uint8_t GetPercentComplete() const { return internal_.percent_complete; }

private:
    DiscordUserAchievementRecord internal_;
};

// A lobby-creation transaction lent by the lobby manager. Until the manager
// has filled it, every setter answers InternalError.
class LobbyTransaction
{
public:
    Result SetType(LobbyType type);
    Result SetCapacity(std::uint32_t capacity);
    Result SetMetadata(const char* key, const char* value);
    DiscordLobbyTransactionTable** Receive() { return &internal_; }
    DiscordLobbyTransactionTable* Internal() const { return internal_; }

private:
    DiscordLobbyTransactionTable* internal_ = nullptr;
};

// A lobby search query lent by the lobby manager; same rule as the
// transaction.
class LobbySearchQuery
{
public:
    Result Limit(std::uint32_t limit);
    DiscordLobbySearchQueryTable** Receive() { return &internal_; }
    DiscordLobbySearchQueryTable* Internal() const { return internal_; }

private:
    DiscordLobbySearchQueryTable* internal_ = nullptr;
};

} // namespace discord
