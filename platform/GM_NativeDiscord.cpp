#include "GM_NativeDiscord.h"

#include "DiscordCore.h"
#include "GM_ShellRegistration.h"

#include <QByteArray>
#include <QMutexLocker>

#include <array>
#include <cstdint>

namespace {

const QString LAUNCH_COMMAND = QStringLiteral("%1:run");
constexpr const char* LOBBY_METADATA[][2] = {{"foo", "bar"}, {"baz", "bat"}};

bool mayHoldScheme(QChar c)
{
    return (c >= QLatin1Char('a') && c <= QLatin1Char('z')) || (c >= QLatin1Char('0') && c <= QLatin1Char('9')) ||
           c == QLatin1Char('+') || c == QLatin1Char('-') || c == QLatin1Char('.');
}

} // namespace

GM_NativeDiscord::GM_NativeDiscord(const QString& name, const QString& programPath, bool imageFlag, QObject* parent)
    : QObject(parent), timer_(this), imageFlag_(imageFlag), scheme_(schemeFor(name))
{
    timer_.setInterval(CALLBACK_INTERVAL_MS);
    connect(&timer_, &QTimer::timeout, this, &GM_NativeDiscord::OnTimoutProcess);
    GM_ShellRegistration::registerProgram(scheme_, programPath);
}

GM_NativeDiscord::~GM_NativeDiscord()
{
    timer_.stop();
    QMutexLocker locker(&lock_);
    delete core_;
    core_ = nullptr;
}

QString GM_NativeDiscord::schemeFor(const QString& name)
{
    QString lower = name.toLower();
    lower.replace(QLatin1Char(' '), QLatin1Char('-'));
    // Decomposed, an accented letter is its plain letter and a mark, and the
    // mark is dropped below with everything else a scheme cannot hold.
    const QString decomposed = lower.normalized(QString::NormalizationForm_KD);
    QString scheme;
    for (const QChar c : decomposed) {
        if (!mayHoldScheme(c))
            continue;
        if (scheme.isEmpty() && !(c >= QLatin1Char('a') && c <= QLatin1Char('z')))
            continue;
        scheme += c;
    }
    return scheme;
}

QString GM_NativeDiscord::scheme() const
{
    return scheme_;
}

void GM_NativeDiscord::discordInit()
{
    timer_.stop();
    if (core_) {
        timer_.start();
        return;
    }
    discord::Core* core = nullptr;
    const discord::Result result =
        discord::Core::Create(CLIENT_ID, static_cast<std::uint64_t>(discord::CreateFlags::NoRequireDiscord), &core);
    if (result != discord::Result::Ok) {
        core_ = nullptr;
        timer_.start();
        return;
    }
    if (!core)
        return;
    core_ = core;

    if (!scheme_.isEmpty()) {
        const QByteArray command = LAUNCH_COMMAND.arg(scheme_).toUtf8();
        core_->ActivityManager().RegisterCommand(command.constData());
    }
    createLobby_unlocked();
    discordSetActivity_unlocked(QString());
    timer_.start();
}

void GM_NativeDiscord::createLobby_unlocked()
{
    discord::LobbyManager& lobbies = core_->LobbyManager();
    discord::LobbyTransaction transaction;
    if (lobbies.GetLobbyCreateTransaction(&transaction) != discord::Result::Ok)
        return;
    transaction.SetCapacity(LOBBY_CAPACITY);
    for (const auto& entry : LOBBY_METADATA)
        transaction.SetMetadata(entry[0], entry[1]);
    transaction.SetType(discord::LobbyType::Public);

    // The completion runs inside the core's callbacks, with the lock already
    // held by the timer's slot, and never after the core is gone.
    discord::Core* core = core_;
    lobbies.CreateLobby(transaction, [core](discord::Result created, const discord::Lobby& lobby) {
        discord::LobbyManager& manager = core->LobbyManager();
        if (created == discord::Result::Ok) {
            std::array<std::uint8_t, LOBBY_MESSAGE_SIZE> message{};
            manager.SendLobbyMessage(lobby.GetId(), message.data(), LOBBY_MESSAGE_SIZE, {});
        }
        discord::LobbySearchQuery query;
        if (manager.GetSearchQuery(&query) == discord::Result::Ok) {
            query.Limit(LOBBY_SEARCH_LIMIT);
            manager.Search(query, {});
        }
    });
}

void GM_NativeDiscord::discordSetActivity(const QString& text)
{
    QMutexLocker locker(&lock_);
    if (!core_)
        return;
    timer_.stop();
    discordSetActivity_unlocked(text);
    timer_.start();
}

void GM_NativeDiscord::discordSetActivity_unlocked(const QString& text)
{
    const QByteArray details = text.toUtf8();
    activity_.SetDetails(details.constData());
    if (text.isEmpty())
        activity_.SetState(nullptr);
    activity_.GetAssets().SetLargeImage(imageFlag_ ? IMAGE_KEY : IMAGE_KEY_JASS);
    activity_.SetType(discord::ActivityType::Playing);
    sendActivity_unlocked();
}

void GM_NativeDiscord::discordSetActivityScore(int points, int adversary, const QString& suffix)
{
    QMutexLocker locker(&lock_);
    if (!core_)
        return;
    timer_.stop();
    const QString line = tr("Points: %1, Adv: %2%3").arg(QString::number(points), QString::number(adversary), suffix);
    const QByteArray state = line.toUtf8();
    activity_.SetState(state.constData());
    sendActivity_unlocked();
    timer_.start();
}

void GM_NativeDiscord::sendActivity_unlocked()
{
    core_->ActivityManager().UpdateActivity(activity_, {});
}

void GM_NativeDiscord::OnTimoutProcess()
{
    timer_.stop();
    QMutexLocker locker(&lock_);
    if (core_) {
        core_->RunCallbacks();
        timer_.start();
    } else {
        discordInit();
    }
}
