#include "DiscordCore.h"
#include "FakeDiscordLibrary.h"
#include "ZbTestRegistry.h"

#include <QTest>

#include <cstring>
#include <memory>
#include <optional>

using discord::Result;

Q_DECLARE_METATYPE(FakeDiscordLibrary::Mode)
Q_DECLARE_METATYPE(discord::Result)

namespace {

constexpr discord::ClientId CLIENT = 123456789;
constexpr std::uint64_t FLAGS = static_cast<std::uint64_t>(discord::CreateFlags::NoRequireDiscord);

std::unique_ptr<discord::Core> createCore()
{
    discord::Core* core = nullptr;
    discord::Core::Create(CLIENT, FLAGS, &core);
    return std::unique_ptr<discord::Core>(core);
}

} // namespace

class TestDiscordBinding : public QObject
{
    Q_OBJECT

private slots:
    void eventsCallSubscribersInOrderAndRefuseEmptyOnes()
    {
        using IntEvent = discord::Event<int>;
        IntEvent event;
        QStringList heard;
        auto hear = [&heard](const char* name) { return [&heard, name](int v) { heard << name + QString::number(v); }; };

        QCOMPARE(event.Connect(hear("a")), 0);
        // An empty subscriber would throw out of the library's C callback.
        QCOMPARE(event.Connect(IntEvent::Callable()), IntEvent::REFUSED);
        const IntEvent::Token b = event.Connect(hear("b"));
        QCOMPARE(b, 1);
        QCOMPARE(event.Connect(hear("c")), 2);
        event(5);
        QCOMPARE(heard, QStringList({"a5", "b5", "c5"}));

        heard.clear();
        event.Disconnect(b);
        event.Disconnect(42);
        event(6);
        QCOMPARE(heard, QStringList({"a6", "c6"}));

        // A subscriber that empties the event while it is raised: that raising
        // still reaches everyone connected when it began, the next one nobody.
        heard.clear();
        event.DisconnectAll();
        QCOMPARE(event.Connect([&](int v) {
            heard << "d" + QString::number(v);
            event.DisconnectAll();
        }),
                 3);
        event.Connect(hear("e"));
        event(7);
        event(8);
        QCOMPARE(heard, QStringList({"d7", "e7"}));
        QCOMPARE(event.SubscriberCount(), 0);
    }

    void createKeepsACoreOnlyWhenTheLibraryHandsOne_data()
    {
        QTest::addColumn<bool>("installed");
        QTest::addColumn<FakeDiscordLibrary::Mode>("mode");
        QTest::addColumn<Result>("expected");
        QTest::addColumn<bool>("kept");

        QTest::newRow("library absent") << false << FakeDiscordLibrary::Mode::Succeed << Result::NotInstalled << false;
        QTest::newRow("refused") << true << FakeDiscordLibrary::Mode::Refuse
                                 << static_cast<Result>(FakeDiscordLibrary::REFUSAL) << false;
        QTest::newRow("success without a core")
            << true << FakeDiscordLibrary::Mode::SucceedWithoutCore << Result::Ok << false;
        QTest::newRow("success") << true << FakeDiscordLibrary::Mode::Succeed << Result::Ok << true;
    }

    void createKeepsACoreOnlyWhenTheLibraryHandsOne()
    {
        QFETCH(bool, installed);
        QFETCH(FakeDiscordLibrary::Mode, mode);
        QFETCH(Result, expected);
        QFETCH(bool, kept);

        std::optional<FakeDiscordLibrary> fake;
        if (installed)
            fake.emplace(mode);
        auto* stale = reinterpret_cast<discord::Core*>(this);
        discord::Core* core = stale;
        QCOMPARE(discord::Core::Create(CLIENT, FLAGS, &core), expected);
        QCOMPARE(core != nullptr, kept);
        delete core;
        if (fake) {
            QCOMPARE(fake->callsStartingWith("create"), QStringList{"create 3 123456789 1"});
            // A refusing library's leavings are not destroyed.
            QCOMPARE(fake->callsStartingWith("destroy").size(), kept ? 1 : 0);
        }
        QCOMPARE(discord::Core::Create(CLIENT, FLAGS, nullptr), Result::InternalError);
        if (fake)
            QCOMPARE(fake->callsStartingWith("create").size(), 1);
    }

    void createHandsTheLibraryTheManagersVersionsAndEventTables()
    {
        FakeDiscordLibrary fake;
        auto core = createCore();
        QVERIFY(core);
        const DiscordCreateParams& p = fake.params;
        QCOMPARE(p.client_id, CLIENT);
        QCOMPARE(p.flags, FLAGS);
        QCOMPARE(p.event_data, static_cast<void*>(core.get()));
        QVERIFY(!p.events && !p.application_events && !p.image_events && !p.storage_events);
        QVERIFY(p.user_events && p.activity_events && p.relationship_events && p.lobby_events && p.network_events &&
                p.overlay_events && p.store_events && p.voice_events && p.achievement_events);
        const DiscordVersion ones[] = {p.application_version, p.user_version,    p.image_version,
                                       p.activity_version,    p.relationship_version, p.lobby_version,
                                       p.network_version,     p.storage_version, p.store_version,
                                       p.voice_version,       p.achievement_version};
        for (DiscordVersion version : ones)
            QCOMPARE(version, 1);
        QCOMPARE(p.overlay_version, 2);

        // Managers are fetched the first time they are asked for, once.
        QVERIFY(fake.callsStartingWith("get_").isEmpty());
        core->ActivityManager();
        core->ActivityManager();
        core->LobbyManager();
        QCOMPARE(fake.callsStartingWith("get_"), QStringList({"get_activity_manager", "get_lobby_manager"}));
        core->ApplicationManager();
        core->UserManager();
        core->ImageManager();
        core->RelationshipManager();
        core->NetworkManager();
        core->OverlayManager();
        core->StorageManager();
        core->StoreManager();
        core->VoiceManager();
        core->AchievementManager();
        core->LobbyManager();
        QCOMPARE(fake.callsStartingWith("get_").size(), 12);
        QCOMPARE(fake.callsStartingWith("get_").removeDuplicates(), 0);
    }

    void completionsRunOnceFromRunCallbacksAndAreFreed()
    {
        FakeDiscordLibrary fake;
        auto core = createCore();
        auto held = std::make_shared<int>(0);
        QList<Result> answers;
        discord::LobbyId lobbyId = 0;

        core->ActivityManager().UpdateActivity(discord::Activity(),
                                               [held, &answers](Result r) { answers << r; });
        discord::LobbyTransaction transaction;
        QCOMPARE(core->LobbyManager().GetLobbyCreateTransaction(&transaction), Result::Ok);
        QCOMPARE(transaction.SetCapacity(2), Result::Ok);
        core->LobbyManager().CreateLobby(transaction, [held, &answers, &lobbyId](Result r, const discord::Lobby& l) {
            answers << r;
            lobbyId = l.GetId();
        });
        core->ActivityManager().UpdateActivity(discord::Activity(), {});
        QCOMPARE(held.use_count(), 3);
        QVERIFY(answers.isEmpty());

        QCOMPARE(core->RunCallbacks(), Result::Ok);
        QCOMPARE(answers, QList<Result>({Result::Ok, Result::Ok}));
        QCOMPARE(lobbyId, FakeDiscordLibrary::LOBBY_ID);
        QCOMPARE(held.use_count(), 1);
        core->RunCallbacks();
        QCOMPARE(answers.size(), 2);
    }

    void completionsNeverAnsweredAreFreedWithTheCore()
    {
        FakeDiscordLibrary fake;
        fake.answerCompletions = false;
        auto core = createCore();
        auto held = std::make_shared<int>(0);
        int answered = 0;
        core->ActivityManager().UpdateActivity(discord::Activity(), [held, &answered](Result) { ++answered; });
        discord::LobbySearchQuery query;
        core->LobbyManager().GetSearchQuery(&query);
        core->LobbyManager().Search(query, [held, &answered](Result) { ++answered; });
        core->RunCallbacks();
        QCOMPARE(held.use_count(), 3);

        core.reset();
        QCOMPARE(fake.callsStartingWith("destroy").size(), 1);
        QCOMPARE(held.use_count(), 1);
        QCOMPARE(answered, 0);
    }

    void operationsWithoutAManagerOrALentTransactionAnswerAtOnce()
    {
        FakeDiscordLibrary fake;
        fake.transactionLending = FakeDiscordLibrary::REFUSAL;
        auto core = createCore();
        QList<Result> answers;
        discord::LobbyId lobbyId = -1;

        discord::LobbyTransaction transaction;
        QCOMPARE(core->LobbyManager().GetLobbyCreateTransaction(&transaction),
                 static_cast<Result>(FakeDiscordLibrary::REFUSAL));
        QCOMPARE(transaction.SetCapacity(2), Result::InternalError);
        QCOMPARE(transaction.SetMetadata("foo", "bar"), Result::InternalError);
        core->LobbyManager().CreateLobby(transaction, [&](Result r, const discord::Lobby& l) {
            answers << r;
            lobbyId = l.GetId();
        });
        core->LobbyManager().Search(discord::LobbySearchQuery(), [&](Result r) { answers << r; });
        QCOMPARE(answers, QList<Result>({Result::InternalError, Result::InternalError}));
        QCOMPARE(lobbyId, 0);

        fake.lendManagers = false;
        auto second = createCore();
        QCOMPARE(second->ActivityManager().RegisterCommand("zubrik:run"), Result::InternalError);
        second->ActivityManager().UpdateActivity(discord::Activity(), [&](Result r) { answers << r; });
        QCOMPARE(answers.size(), 3);
        QCOMPARE(answers.last(), Result::InternalError);
        QVERIFY(fake.callsStartingWith("create_lobby").isEmpty());
        QVERIFY(fake.callsStartingWith("search").isEmpty());
        QVERIFY(fake.callsStartingWith("update_activity").isEmpty());
    }

    void libraryEventsReachSubscribersFromRunCallbacks()
    {
        FakeDiscordLibrary fake;
        auto core = createCore();
        QStringList heard;
        core->ActivityManager().OnActivityJoin.Connect([&](const char* secret) { heard << QString("join %1").arg(secret); });
        core->ActivityManager().OnActivityJoinRequest.Connect(
            [&](const discord::User& user) { heard << QString("request %1 %2").arg(user.GetId()).arg(user.GetUsername()); });
        core->ActivityManager().OnActivityInvite.Connect(
            [&](discord::ActivityActionType type, const discord::User& user, const discord::Activity& activity) {
                heard << QString("invite %1 %2 %3").arg(int(type)).arg(user.GetId()).arg(activity.GetDetails());
            });
        core->LobbyManager().OnLobbyMessage.Connect([&](discord::LobbyId lobby, discord::UserId user, std::uint8_t* data,
                                                        std::uint32_t length) {
            heard << QString("message %1 %2 ").arg(lobby).arg(user) +
                         QString::fromLatin1(reinterpret_cast<const char*>(data), int(length));
        });
        core->NetworkManager().OnRouteUpdate.Connect([&](const char* route) { heard << QString("route '%1'").arg(route); });
        core->OverlayManager().OnToggle.Connect([&](bool locked) { heard << QString("overlay %1").arg(locked); });
        core->UserManager().OnCurrentUserUpdate.Connect([&] { heard << "user"; });

        const DiscordCreateParams p = fake.params;
        DiscordUserRecord user{};
        user.id = 42;
        std::strcpy(user.username, "anna");
        DiscordActivityRecord activity{};
        std::strcpy(activity.details, "Tournoi");
        std::uint8_t bytes[] = {'h', 'i'};
        fake.raiseOnNextRun([&] {
            p.activity_events->on_activity_join(p.event_data, "s3cret");
            p.activity_events->on_activity_join_request(p.event_data, &user);
            p.activity_events->on_activity_invite(p.event_data, 1, &user, &activity);
            p.lobby_events->on_lobby_message(p.event_data, 7, 42, bytes, 2);
            p.network_events->on_route_update(p.event_data, nullptr);
            p.overlay_events->on_toggle(p.event_data, true);
            p.user_events->on_current_user_update(p.event_data);
        });
        QVERIFY(heard.isEmpty());
        core->RunCallbacks();
        QCOMPARE(heard, QStringList({"join s3cret", "request 42 anna", "invite 1 42 Tournoi", "message 7 42 hi",
                                     "route ''", "overlay 1", "user"}));
    }

    // Events raised without the data the core registered, or without the
    // record they should carry, reach nobody.
    void eventsWithoutTheirDataAreDropped()
    {
        FakeDiscordLibrary fake;
        auto core = createCore();
        int heard = 0;
        auto any = [&heard](auto&&...) { ++heard; };
        auto& activities = core->ActivityManager();
        activities.OnActivityJoin.Connect(any);
        activities.OnActivitySpectate.Connect(any);
        activities.OnActivityJoinRequest.Connect(any);
        activities.OnActivityInvite.Connect(any);
        core->RelationshipManager().OnRefresh.Connect(any);
        core->RelationshipManager().OnRelationshipUpdate.Connect(any);
        core->StoreManager().OnEntitlementCreate.Connect(any);
        core->StoreManager().OnEntitlementDelete.Connect(any);
        core->AchievementManager().OnUserAchievementUpdate.Connect(any);
        core->LobbyManager().OnLobbyUpdate.Connect(any);
        core->VoiceManager().OnSettingsUpdate.Connect(any);
        core->NetworkManager().OnMessage.Connect(any);

        const DiscordCreateParams p = fake.params;
        void* none = nullptr;
        DiscordUserRecord user{};
        DiscordActivityRecord activity{};
        DiscordRelationshipRecord relationship{};
        DiscordEntitlementRecord entitlement{};
        DiscordUserAchievementRecord achievement{};
        std::uint8_t byte = 0;
        p.user_events->on_current_user_update(none);
        p.activity_events->on_activity_join(none, "s");
        p.activity_events->on_activity_spectate(none, "s");
        p.activity_events->on_activity_join_request(none, &user);
        p.activity_events->on_activity_invite(none, 1, &user, &activity);
        p.relationship_events->on_refresh(none);
        p.relationship_events->on_relationship_update(none, &relationship);
        p.lobby_events->on_lobby_update(none, 1);
        p.lobby_events->on_lobby_delete(none, 1, 0);
        p.lobby_events->on_member_connect(none, 1, 2);
        p.lobby_events->on_member_update(none, 1, 2);
        p.lobby_events->on_member_disconnect(none, 1, 2);
        p.lobby_events->on_lobby_message(none, 1, 2, &byte, 1);
        p.lobby_events->on_speaking(none, 1, 2, true);
        p.lobby_events->on_network_message(none, 1, 2, 0, &byte, 1);
        p.network_events->on_message(none, 1, 0, &byte, 1);
        p.network_events->on_route_update(none, "r");
        p.overlay_events->on_toggle(none, true);
        p.store_events->on_entitlement_create(none, &entitlement);
        p.store_events->on_entitlement_delete(none, &entitlement);
        p.voice_events->on_settings_update(none);
        p.achievement_events->on_user_achievement_update(none, &achievement);

        p.activity_events->on_activity_join_request(p.event_data, nullptr);
        p.activity_events->on_activity_invite(p.event_data, 1, &user, nullptr);
        p.activity_events->on_activity_invite(p.event_data, 1, nullptr, &activity);
        p.relationship_events->on_relationship_update(p.event_data, nullptr);
        p.store_events->on_entitlement_create(p.event_data, nullptr);
        p.store_events->on_entitlement_delete(p.event_data, nullptr);
        p.achievement_events->on_user_achievement_update(p.event_data, nullptr);
        QCOMPARE(heard, 0);

        // Bytes that are missing are announced as none.
        std::uint32_t length = 99;
        core->NetworkManager().OnMessage.Connect(
            [&length](discord::NetworkPeerId, discord::NetworkChannelId, std::uint8_t*, std::uint32_t n) { length = n; });
        p.network_events->on_message(p.event_data, 1, 0, nullptr, 5);
        QCOMPARE(length, 0u);
    }

    void logHookReplacesItsSubscribers()
    {
        FakeDiscordLibrary fake;
        auto core = createCore();
        QStringList heard;
        core->SetLogHook(discord::LogLevel::Debug, [&](discord::LogLevel, const char*) { heard << "first"; });
        core->SetLogHook(discord::LogLevel::Warn, [&](discord::LogLevel level, const char* text) {
            heard << QString("%1 %2").arg(int(level)).arg(text);
        });
        core->SetLogHook(discord::LogLevel::Warn, {});
        core->SetLogHook(discord::LogLevel::Warn, [&](discord::LogLevel level, const char* text) {
            heard << QString("%1 %2").arg(int(level)).arg(text);
        });
        QCOMPARE(fake.callsStartingWith("set_log_hook"),
                 QStringList({"set_log_hook 4", "set_log_hook 2", "set_log_hook 2", "set_log_hook 2"}));
        core->RunCallbacks();
        // Each registration raised one message, all through the one event.
        QCOMPARE(heard, QStringList({"4 hooked", "2 hooked", "2 hooked", "2 hooked"}));
    }
};

ZB_REGISTER_TEST(TestDiscordBinding)
#include "TestDiscordBinding.moc"
