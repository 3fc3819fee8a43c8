#pragma once

#include "DiscordApi.h"

#include <QByteArray>
#include <QStringList>

#include <functional>
#include <vector>

// A stand-in for the Discord library, written against the binding's plain
// tables and installed through its entry-point seam for its lifetime (one at
// a time). It records every call, keeps the bytes of every activity and lobby
// message it is sent, and answers completions and raises queued events from
// run_callbacks, as the real library does.
class FakeDiscordLibrary
{
public:
    enum class Mode {
        Refuse,             // creation fails
        SucceedWithoutCore, // creation answers success but hands out no core
        Succeed,
    };

    static constexpr DiscordResultCode REFUSAL = 27;
    static constexpr DiscordLobbyId LOBBY_ID = 7;

    explicit FakeDiscordLibrary(Mode mode = Mode::Succeed);
    FakeDiscordLibrary(const FakeDiscordLibrary&) = delete;
    FakeDiscordLibrary& operator=(const FakeDiscordLibrary&) = delete;
    ~FakeDiscordLibrary();

    // Raised from inside the next run_callbacks, after the completions due.
    void raiseOnNextRun(std::function<void()> event);
    // The calls whose text starts with prefix.
    QStringList callsStartingWith(const QString& prefix) const;

    Mode mode;
    bool answerCompletions = true;              // false: completions are never answered
    DiscordResultCode lobbyCreation = 0;        // the answer to create_lobby
    DiscordResultCode transactionLending = 0;   // the answer to get_lobby_create_transaction
    bool lendManagers = true;                   // false: every manager getter answers null

    QStringList calls;
    std::vector<DiscordActivityRecord> activities;
    QByteArray lobbyMessage;
    DiscordCreateParams params{};
    bool hasCore = false;

private:
    friend struct FakeDiscordTables;
    std::vector<std::function<void()>> due_;
    std::vector<std::function<void()>> events_;
    DiscordCreateFunction previous_;
};
