#include "FakeDiscordLibrary.h"

#include <QString>

#include <cstring>

namespace {

FakeDiscordLibrary* current = nullptr;

// Stand-ins for the managers the program never calls: only their addresses
// matter.
char opaqueManagers[10];

template <typename Table>
Table* opaque(int index)
{
    return reinterpret_cast<Table*>(&opaqueManagers[index]);
}

} // namespace

struct FakeDiscordTables
{
    static void record(const QString& call) { current->calls << call; }

    static void due(std::function<void()> completion)
    {
        if (current->answerCompletions)
            current->due_.push_back(std::move(completion));
    }

    static DiscordResultCode setType(DiscordLobbyTransactionTable*, std::int32_t type)
    {
        record(QStringLiteral("transaction type %1").arg(type));
        return 0;
    }
    static DiscordResultCode setCapacity(DiscordLobbyTransactionTable*, std::uint32_t capacity)
    {
        record(QStringLiteral("transaction capacity %1").arg(capacity));
        return 0;
    }
    static DiscordResultCode setMetadata(DiscordLobbyTransactionTable*, const char* key, const char* value)
    {
        record(QStringLiteral("transaction metadata %1=%2").arg(QString::fromUtf8(key), QString::fromUtf8(value)));
        return 0;
    }
    static DiscordResultCode limit(DiscordLobbySearchQueryTable*, std::uint32_t count)
    {
        record(QStringLiteral("query limit %1").arg(count));
        return 0;
    }

    static DiscordResultCode registerCommand(DiscordActivityManagerTable*, const char* command)
    {
        record(QStringLiteral("register_command ") + QString::fromUtf8(command));
        return 0;
    }
    static void updateActivity(DiscordActivityManagerTable*, DiscordActivityRecord* activity, void* data,
                               DiscordResultCallback callback)
    {
        record(QStringLiteral("update_activity"));
        current->activities.push_back(*activity);
        due([=] { callback(data, 0); });
    }

    static DiscordResultCode getTransaction(DiscordLobbyManagerTable*, DiscordLobbyTransactionTable** transaction)
    {
        record(QStringLiteral("get_lobby_create_transaction"));
        if (current->transactionLending == 0)
            *transaction = &transactionTable;
        return current->transactionLending;
    }
    static void createLobby(DiscordLobbyManagerTable*, DiscordLobbyTransactionTable*, void* data,
                            DiscordLobbyCallback callback)
    {
        record(QStringLiteral("create_lobby"));
        const DiscordResultCode answer = current->lobbyCreation;
        due([=] {
            DiscordLobbyRecord lobby{};
            if (answer == 0) {
                lobby.id = FakeDiscordLibrary::LOBBY_ID;
                lobby.capacity = 2;
            }
            callback(data, answer, &lobby);
        });
    }
    static void sendLobbyMessage(DiscordLobbyManagerTable*, DiscordLobbyId lobby, std::uint8_t* bytes,
                                 std::uint32_t length, void* data, DiscordResultCallback callback)
    {
        record(QStringLiteral("send_lobby_message %1 %2").arg(lobby).arg(length));
        current->lobbyMessage = QByteArray(reinterpret_cast<const char*>(bytes), static_cast<int>(length));
        due([=] { callback(data, 0); });
    }
    static DiscordResultCode getSearchQuery(DiscordLobbyManagerTable*, DiscordLobbySearchQueryTable** query)
    {
        record(QStringLiteral("get_search_query"));
        *query = &queryTable;
        return 0;
    }
    static void search(DiscordLobbyManagerTable*, DiscordLobbySearchQueryTable*, void* data,
                       DiscordResultCallback callback)
    {
        record(QStringLiteral("search"));
        due([=] { callback(data, 0); });
    }

    static void destroy(DiscordCoreTable*)
    {
        record(QStringLiteral("destroy"));
        current->hasCore = false;
        current->due_.clear();
        current->events_.clear();
    }
    static DiscordResultCode runCallbacks(DiscordCoreTable*)
    {
        record(QStringLiteral("run_callbacks"));
        // Completions may ask for more; those are answered in the same run.
        while (!current->due_.empty() || !current->events_.empty()) {
            auto completions = std::move(current->due_);
            current->due_.clear();
            for (auto& completion : completions)
                completion();
            auto events = std::move(current->events_);
            current->events_.clear();
            for (auto& event : events)
                event();
        }
        return 0;
    }
    static void setLogHook(DiscordCoreTable*, std::int32_t level, void* data, DiscordLogHook hook)
    {
        record(QStringLiteral("set_log_hook %1").arg(level));
        current->raiseOnNextRun([=] { hook(data, level, "hooked"); });
    }

    template <typename Table>
    static Table* manager(const char* name, Table* table)
    {
        record(QStringLiteral("get_%1_manager").arg(QLatin1String(name)));
        return current->lendManagers ? table : nullptr;
    }

    static inline DiscordLobbyTransactionTable transactionTable = {&setType, &setCapacity, &setMetadata};
    static inline DiscordLobbySearchQueryTable queryTable = {&limit};
    static inline DiscordActivityManagerTable activityTable = {&registerCommand, &updateActivity};
    static inline DiscordLobbyManagerTable lobbyTable = {&getTransaction, &createLobby, &sendLobbyMessage,
                                                         &getSearchQuery, &search};
    static inline DiscordCoreTable coreTable = {
        &destroy,
        &runCallbacks,
        &setLogHook,
        [](DiscordCoreTable*) { return manager("application", opaque<DiscordApplicationManagerTable>(0)); },
        [](DiscordCoreTable*) { return manager("user", opaque<DiscordUserManagerTable>(1)); },
        [](DiscordCoreTable*) { return manager("image", opaque<DiscordImageManagerTable>(2)); },
        [](DiscordCoreTable*) { return manager("activity", &activityTable); },
        [](DiscordCoreTable*) { return manager("relationship", opaque<DiscordRelationshipManagerTable>(3)); },
        [](DiscordCoreTable*) { return manager("lobby", &lobbyTable); },
        [](DiscordCoreTable*) { return manager("network", opaque<DiscordNetworkManagerTable>(4)); },
        [](DiscordCoreTable*) { return manager("overlay", opaque<DiscordOverlayManagerTable>(5)); },
        [](DiscordCoreTable*) { return manager("storage", opaque<DiscordStorageManagerTable>(6)); },
        [](DiscordCoreTable*) { return manager("store", opaque<DiscordStoreManagerTable>(7)); },
        [](DiscordCoreTable*) { return manager("voice", opaque<DiscordVoiceManagerTable>(8)); },
        [](DiscordCoreTable*) { return manager("achievement", opaque<DiscordAchievementManagerTable>(9)); },
    };

    static DiscordResultCode create(DiscordVersion version, DiscordCreateParams* params, DiscordCoreTable** result)
    {
        record(QStringLiteral("create %1 %2 %3").arg(version).arg(params->client_id).arg(params->flags));
        current->params = *params;
        switch (current->mode) {
        case FakeDiscordLibrary::Mode::Refuse:
            return FakeDiscordLibrary::REFUSAL;
        case FakeDiscordLibrary::Mode::SucceedWithoutCore:
            return 0;
        case FakeDiscordLibrary::Mode::Succeed:
            break;
        }
        current->hasCore = true;
        *result = &coreTable;
        return 0;
    }
};

FakeDiscordLibrary::FakeDiscordLibrary(Mode mode_) : mode(mode_)
{
    current = this;
    previous_ = setDiscordCreateFunction(&FakeDiscordTables::create);
}

FakeDiscordLibrary::~FakeDiscordLibrary()
{
    setDiscordCreateFunction(previous_);
    current = nullptr;
}

void FakeDiscordLibrary::raiseOnNextRun(std::function<void()> event)
{
    events_.push_back(std::move(event));
}

QStringList FakeDiscordLibrary::callsStartingWith(const QString& prefix) const
{
    QStringList found;
    for (const QString& call : calls)
        if (call.startsWith(prefix))
            found << call;
    return found;
}
