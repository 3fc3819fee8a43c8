#pragma once

#include "DiscordApi.h"
#include "DiscordCompletion.h"
#include "DiscordEvent.h"
#include "DiscordTypes.h"

#include <cstdint>
#include <functional>

namespace discord {

// Discord lobbies: creation through a transaction, lobby messages and
// searches, and the lobby events the library raises. Owned by its Core,
// which fills in the library's interface the first time the manager is asked
// for. Without an interface, or with a transaction or query the manager has
// not lent, every operation answers InternalError; a completion is then
// called at once with it (and an empty lobby).
class LobbyManager
{
public:
    explicit LobbyManager(PendingCompletions& pending);
    LobbyManager(const LobbyManager&) = delete;
    LobbyManager& operator=(const LobbyManager&) = delete;

    Result GetLobbyCreateTransaction(LobbyTransaction* transaction);
    // Consumes the transaction. The lobby is valid only during the callback.
    void CreateLobby(const LobbyTransaction& transaction, std::function<void(Result, const Lobby&)> callback);
    void SendLobbyMessage(LobbyId lobbyId, std::uint8_t* data, std::uint32_t dataLength,
                          std::function<void(Result)> callback);
    Result GetSearchQuery(LobbySearchQuery* query);
    // Consumes the query.
    void Search(const LobbySearchQuery& query, std::function<void(Result)> callback);

    Event<LobbyId> OnLobbyUpdate;
    Event<LobbyId, std::uint32_t> OnLobbyDelete;
    Event<LobbyId, UserId> OnMemberConnect;
    Event<LobbyId, UserId> OnMemberUpdate;
    Event<LobbyId, UserId> OnMemberDisconnect;
    Event<LobbyId, UserId, std::uint8_t*, std::uint32_t> OnLobbyMessage;
    Event<LobbyId, UserId, bool> OnSpeaking;
    Event<LobbyId, UserId, std::uint8_t, std::uint8_t*, std::uint32_t> OnNetworkMessage;

private:
    friend class Core;
    PendingCompletions* pending_;
    DiscordLobbyManagerTable* internal_ = nullptr;
};

} // namespace discord
