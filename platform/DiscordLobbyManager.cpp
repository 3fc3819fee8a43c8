#include "DiscordLobbyManager.h"

namespace discord {

namespace {

using ResultCompletion = Completion<Result>;
using LobbyCompletion = Completion<Result, const Lobby&>;

void resultAnswered(void* callbackData, DiscordResultCode result)
{
    if (auto completion = ResultCompletion::take(callbackData))
        (*completion)(static_cast<Result>(result));
}

void lobbyAnswered(void* callbackData, DiscordResultCode result, DiscordLobbyRecord* lobby)
{
    auto completion = LobbyCompletion::take(callbackData);
    if (!completion)
        return;
    if (lobby) {
        (*completion)(static_cast<Result>(result), wrap<Lobby>(*lobby));
    } else {
        const Lobby none;
        (*completion)(static_cast<Result>(result), none);
    }
}

} // namespace

LobbyManager::LobbyManager(PendingCompletions& pending) : pending_(&pending) {}

Result LobbyManager::GetLobbyCreateTransaction(LobbyTransaction* transaction)
{
    if (!internal_ || !internal_->get_lobby_create_transaction || !transaction)
        return Result::InternalError;
    return static_cast<Result>(internal_->get_lobby_create_transaction(internal_, transaction->Receive()));
}

void LobbyManager::CreateLobby(const LobbyTransaction& transaction, std::function<void(Result, const Lobby&)> callback)
{
    if (!internal_ || !internal_->create_lobby || !transaction.Internal()) {
        if (callback)
            callback(Result::InternalError, Lobby());
        return;
    }
    internal_->create_lobby(internal_, transaction.Internal(), LobbyCompletion::hand(*pending_, std::move(callback)),
                            &lobbyAnswered);
}

void LobbyManager::SendLobbyMessage(LobbyId lobbyId, std::uint8_t* data, std::uint32_t dataLength,
                                    std::function<void(Result)> callback)
{
    if (!internal_ || !internal_->send_lobby_message || (!data && dataLength > 0)) {
        if (callback)
            callback(Result::InternalError);
        return;
    }
    internal_->send_lobby_message(internal_, lobbyId, data, dataLength,
                                  ResultCompletion::hand(*pending_, std::move(callback)), &resultAnswered);
}

Result LobbyManager::GetSearchQuery(LobbySearchQuery* query)
{
    if (!internal_ || !internal_->get_search_query || !query)
        return Result::InternalError;
    return static_cast<Result>(internal_->get_search_query(internal_, query->Receive()));
}

void LobbyManager::Search(const LobbySearchQuery& query, std::function<void(Result)> callback)
{
    if (!internal_ || !internal_->search || !query.Internal()) {
        if (callback)
            callback(Result::InternalError);
        return;
    }
    internal_->search(internal_, query.Internal(), ResultCompletion::hand(*pending_, std::move(callback)),
                      &resultAnswered);
}

} // namespace discord
