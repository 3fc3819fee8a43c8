#pragma once

#include "DiscordTypes.h"
#include "GM_NativeA.h"

#include <QMutex>
#include <QObject>
#include <QString>
#include <QTimer>

namespace discord {
class Core;
}

// The native hooks of the desktop: the program's URL protocol and game-file
// types registered with the shell, and its presence in Discord.
//
// Rules:
// - Construction registers the scheme (the name in lower case, blanks made
//   "-") as the class of the URL protocol and of ".jss" and ".jst" files,
//   opened by the program (GM_ShellRegistration). A name is reduced to what a
//   URL scheme may hold (letters a-z, digits, "+", "-", "." after a first
//   letter; accents are dropped from their letters); a name with nothing
//   left registers nothing.
// - discordInit connects to Discord: registers the launch command
//   "<scheme>:run", creates one public lobby of two and publishes an empty
//   activity. Until Discord answers, the callback timer retries every
//   CALLBACK_INTERVAL_MS; once connected it runs the library's callbacks at
//   that pace. A library that answers success without a core is not asked
//   again. A connection that Discord drops is not rebuilt.
// - Activity texts set while there is no connection are dropped, not kept.
//   Texts longer than 127 UTF-8 bytes are cut after their last whole
//   character.
// - The lock guards the core and the activity; every public operation takes
//   it at most once. The timer is stopped while the library is called, so
//   its callbacks never run in the middle of an activity update.
// - Destruction stops the timer and closes the connection; completions the
//   library never answered are freed without being called.
// - Everything runs in the GUI thread.
class GM_NativeDiscord : public QObject, public GM_NativeA
{
    Q_OBJECT

public:
    static constexpr int CALLBACK_INTERVAL_MS = 500;
    // The id of the Discord application registered for the program.
    static constexpr discord::ClientId CLIENT_ID = ZB_DISCORD_CLIENT_ID;
    static constexpr const char* IMAGE_KEY = "icon_512_512_withalpha";
    static constexpr const char* IMAGE_KEY_JASS = "icon_512_512_withalpha_jass";
    static constexpr quint32 LOBBY_CAPACITY = 2;
    static constexpr quint32 LOBBY_MESSAGE_SIZE = 234;
    static constexpr quint32 LOBBY_SEARCH_LIMIT = 1;

    // name: the application's name; programPath: the program file;
    // imageFlag: chooses IMAGE_KEY (set) or IMAGE_KEY_JASS.
    GM_NativeDiscord(const QString& name, const QString& programPath, bool imageFlag, QObject* parent = nullptr);
    GM_NativeDiscord(const GM_NativeDiscord&) = delete;
    GM_NativeDiscord& operator=(const GM_NativeDiscord&) = delete;
    ~GM_NativeDiscord() override;

    // The URL-protocol and file-type class a name gives.
    static QString schemeFor(const QString& name);
    QString scheme() const;

    // Called once at start-up, before the timer runs, and by the timer while
    // retrying (with the lock held). With a connection already made it does
    // nothing.
    void discordInit() override;
    void discordSetActivity(const QString& text) override;
    void discordSetActivityScore(int points, int adversary, const QString& suffix) override;

public slots:
    void OnTimoutProcess();

private:
    void discordSetActivity_unlocked(const QString& text);
    void sendActivity_unlocked();
    void createLobby_unlocked();

    QTimer timer_;
    bool imageFlag_;
    QString scheme_;
    discord::Activity activity_;
    discord::Core* core_ = nullptr;
    QMutex lock_;
};
