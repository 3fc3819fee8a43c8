#include "PiegesDeFichiers.h"
#include "FakeDiscordLibrary.h"
#include "GM_NativeDiscord.h"
#include "GM_ShellRegistration.h"
#include "ZbTestRegistry.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QSettings>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <cstring>
#include <memory>
#include <optional>

#include <sys/stat.h>

Q_DECLARE_METATYPE(FakeDiscordLibrary::Mode)

namespace {

const QString PROGRAM = QStringLiteral("/opt/Zubrik Jass/bin/zubrik");

QTimer* callbackTimer(GM_NativeDiscord& native)
{
    return native.findChild<QTimer*>();
}

QByteArray details(const DiscordActivityRecord& activity)
{
    return QByteArray(activity.details);
}

QByteArray state(const DiscordActivityRecord& activity)
{
    return QByteArray(activity.state);
}

} // namespace

class TestNativeDiscord : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase()
    {
        QStandardPaths::setTestModeEnabled(true);
        formerName_ = QCoreApplication::applicationName();
        formerOrganisation_ = QCoreApplication::organizationName();
        // Runs of other worktrees share the test configuration folder.
        QCoreApplication::setOrganizationName(QStringLiteral("Zubrik"));
        QCoreApplication::setApplicationName(QStringLiteral("NativeTests-%1").arg(QCoreApplication::applicationPid()));
        QVERIFY(!GM_ShellRegistration::storePath().isEmpty());
    }

    void cleanupTestCase()
    {
        QDir(QFileInfo(GM_ShellRegistration::storePath()).absolutePath()).removeRecursively();
        QCoreApplication::setApplicationName(formerName_);
        QCoreApplication::setOrganizationName(formerOrganisation_);
    }

    void constructionRegistersTheProtocolAndGameFiles_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("scheme");
        QTest::newRow("one word") << "Zubrik" << "zubrik";
        QTest::newRow("two words") << "Zubrik Jass" << "zubrik-jass";
        QTest::newRow("several blanks") << "Zubrik  Jass Pro" << "zubrik--jass-pro";
        QTest::newRow("accented letters") << "Jass Zürich Élite" << "jass-zurich-elite";
        // Separators would write keys outside the program's own class.
        QTest::newRow("separators and symbols") << "Jass/Club\\Nr.1!" << "jassclubnr.1";
        QTest::newRow("nothing a scheme can hold") << "ßΩ 42" << "";
        QTest::newRow("empty") << "" << "";
    }

    void constructionRegistersTheProtocolAndGameFiles()
    {
        QFETCH(QString, name);
        QFETCH(QString, scheme);
        const QString path = GM_ShellRegistration::storePath();
        QFile::remove(path);
        if (!scheme.isEmpty()) {
            QSettings stale(path, QSettings::IniFormat);
            stale.setValue(QStringLiteral(".jss/Default"), QStringLiteral("another-program"));
            stale.setValue(scheme + QStringLiteral("/shell/open/command/Default"), QStringLiteral("old"));
        }

        // Nothing may land in the working directory, whatever the name.
        QTemporaryDir work;
        QVERIFY(work.isValid());
        const QString formerDirectory = QDir::currentPath();
        QVERIFY(QDir::setCurrent(work.path()));
        auto native = std::make_unique<GM_NativeDiscord>(name, PROGRAM, true);
        QDir::setCurrent(formerDirectory);
        QCOMPARE(QDir(work.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden), QStringList());

        QCOMPARE(native->scheme(), scheme);
        if (scheme.isEmpty()) {
            QVERIFY(!QFile::exists(path));
            return;
        }
        QSettings store(path, QSettings::IniFormat);
        QCOMPARE(store.value(scheme + "/Default").toString(), "URL:" + scheme);
        QCOMPARE(store.value(scheme + "/DefaultIcon/Default").toString(), QDir::toNativeSeparators(PROGRAM));
        QVERIFY(store.contains(scheme + "/URL Protocol"));
        QCOMPARE(store.value(scheme + "/URL Protocol").toString(), QString());
        QCOMPARE(store.value(scheme + "/shell/open/command/Default").toString(),
                 QStringLiteral("\"/opt/Zubrik Jass/bin/zubrik\" \"%1\""));
        QCOMPARE(store.value(".jss/Default").toString(), scheme);
        QCOMPARE(store.value(".jst/Default").toString(), scheme);
    }

    // The store and its lock file are the program's own: what took their
    // names (a pipe, a link to a file elsewhere or to a pipe) is moved aside,
    // never opened nor written through, and the entries go to a regular file
    // of their own. A pipe would hold the start in open(), a link to a file
    // would be taken for another copy's lock for 30 s.
    void storeEntriesThatAreNoFiles_data()
    {
        QTest::addColumn<QString>("suffix");
        QTest::addColumn<QString>("kind");
        for (const char* entry : {"", ".lock"}) {
            const char* name = *entry == 0 ? "store" : "lock";
            QTest::addRow("%s: pipe", name) << entry << "pipe";
            QTest::addRow("%s: link to a file elsewhere", name) << entry << "file";
            QTest::addRow("%s: link to a pipe elsewhere", name) << entry << "linked pipe";
        }
    }
    void storeEntriesThatAreNoFiles()
    {
        QFETCH(QString, suffix);
        QFETCH(QString, kind);
        const QString store = GM_ShellRegistration::storePath();
        QDir folder = QFileInfo(store).absoluteDir();
        QVERIFY(folder.removeRecursively() && QDir().mkpath(folder.path()));
        QTemporaryDir elsewhere;
        QVERIFY(elsewhere.isValid());
        const QString odd = store + suffix;
        const QString target = elsewhere.filePath(QStringLiteral("target"));
        const QString pipe = kind == QLatin1String("pipe") ? odd : target;
        if (kind == QLatin1String("file")) {
            QFile f(target);
            QVERIFY(f.open(QIODevice::WriteOnly) && f.write("x") == 1);
        } else {
            QCOMPARE(::mkfifo(QFile::encodeName(pipe).constData(), 0600), 0);
        }
        if (kind != QLatin1String("pipe"))
            QVERIFY(QFile::link(target, odd));

        QVERIFY2(appelSansTube([] { GM_ShellRegistration::registerProgram(QStringLiteral("zubrik"), PROGRAM); },
                               kind == QLatin1String("file") ? QStringList() : QStringList{pipe}),
                 "the registration waited on what took the store's names");
        const QFileInfo written(store);
        QVERIFY(written.isFile() && !written.isSymLink());
        QCOMPARE(QSettings(store, QSettings::IniFormat).value(QStringLiteral(".jss/Default")).toString(),
                 QStringLiteral("zubrik"));
        const QStringList aside = folder.entryList({QFileInfo(odd).fileName() + QStringLiteral(".not-a-file-*")},
                                                   QDir::AllEntries | QDir::System | QDir::Hidden);
        QCOMPARE(aside.size(), 1);
        if (kind == QLatin1String("file")) {
            QFile f(target);
            QVERIFY(f.open(QIODevice::ReadOnly));
            QCOMPARE(f.readAll(), QByteArray("x"));
        } else {
            const QFileInfo stillThere(kind == QLatin1String("pipe") ? folder.filePath(aside.first()) : target);
            QVERIFY(stillThere.exists() && !stillThere.isFile());
        }
    }

    void withoutDiscordStartUpIsRetriedEvery500ms_data()
    {
        QTest::addColumn<bool>("refusingFake");
        QTest::newRow("library absent") << false;
        QTest::newRow("Discord refuses") << true;
    }

    void withoutDiscordStartUpIsRetriedEvery500ms()
    {
        QFETCH(bool, refusingFake);
        std::optional<FakeDiscordLibrary> fake;
        if (refusingFake)
            fake.emplace(FakeDiscordLibrary::Mode::Refuse);
        auto native = std::make_unique<GM_NativeDiscord>(QStringLiteral("Zubrik"), PROGRAM, false);
        QTimer* timer = callbackTimer(*native);
        QVERIFY(timer);
        QVERIFY(!timer->isActive());

        native->discordInit();
        QVERIFY(timer->isActive());
        QCOMPARE(timer->interval(), GM_NativeDiscord::CALLBACK_INTERVAL_MS);
        native->discordSetActivity(QStringLiteral("Serveur 'Lausanne'"));
        native->discordSetActivityScore(157, 83, QString());
        native->OnTimoutProcess();
        QVERIFY(timer->isActive());
        if (fake) {
            QCOMPARE(fake->callsStartingWith("create").size(), 2);
            QVERIFY(fake->callsStartingWith("update_activity").isEmpty());
        }

        // The timer itself drives the retries; destroying the object while it
        // retries stops them.
        timer->setInterval(0);
        for (int i = 0; i < 5; ++i)
            QCoreApplication::processEvents();
        const int attempts = fake ? fake->callsStartingWith("create").size() : 0;
        if (fake)
            QVERIFY(attempts > 2);
        native.reset();
        for (int i = 0; i < 5; ++i)
            QCoreApplication::processEvents();
        if (fake)
            QCOMPARE(fake->callsStartingWith("create").size(), attempts);
    }

    void startUpPublishesTheLaunchCommandALobbyAndAnEmptyActivity_data()
    {
        QTest::addColumn<bool>("imageFlag");
        QTest::addColumn<int>("lobbyCreation");
        QTest::addColumn<QString>("imageKey");
        QTest::addColumn<QStringList>("afterLobby");
        const QStringList search = {"get_search_query", "query limit 1", "search"};
        QTest::newRow("lobby created") << true << 0 << "icon_512_512_withalpha"
                                       << QStringList({"send_lobby_message 7 234"}) + search;
        QTest::newRow("lobby refused") << false << int(FakeDiscordLibrary::REFUSAL) << "icon_512_512_withalpha_jass"
                                       << search;
    }

    void startUpPublishesTheLaunchCommandALobbyAndAnEmptyActivity()
    {
        QFETCH(bool, imageFlag);
        QFETCH(int, lobbyCreation);
        QFETCH(QString, imageKey);
        QFETCH(QStringList, afterLobby);
        FakeDiscordLibrary fake;
        fake.lobbyCreation = lobbyCreation;
        auto native = std::make_unique<GM_NativeDiscord>(QStringLiteral("Zubrik Jass"), PROGRAM, imageFlag);
        QVERIFY(fake.calls.isEmpty());

        native->discordInit();
        const QStringList startUp = {
            QStringLiteral("create 3 %1 1").arg(GM_NativeDiscord::CLIENT_ID),
            "get_activity_manager",
            "register_command zubrik-jass:run",
            "get_lobby_manager",
            "get_lobby_create_transaction",
            "transaction capacity 2",
            "transaction metadata foo=bar",
            "transaction metadata baz=bat",
            "transaction type 2",
            "create_lobby",
            "update_activity",
        };
        QCOMPARE(fake.calls, startUp);
        QVERIFY(callbackTimer(*native)->isActive());
        QCOMPARE(fake.activities.size(), size_t(1));
        DiscordActivityRecord expected{};
        std::strcpy(expected.assets.large_image, imageKey.toUtf8().constData());
        QVERIFY(std::memcmp(&fake.activities.front(), &expected, sizeof expected) == 0);

        // The lobby's answer comes with the callbacks the timer runs.
        fake.calls.clear();
        native->OnTimoutProcess();
        QCOMPARE(fake.calls, QStringList{"run_callbacks"} + afterLobby);
        QCOMPARE(fake.lobbyMessage, lobbyCreation == 0 ? QByteArray(234, '\0') : QByteArray());
        QVERIFY(callbackTimer(*native)->isActive());

        // Started again, a connected object keeps its one connection.
        native->discordInit();
        QCOMPARE(fake.callsStartingWith("create").size(), 0);
        QVERIFY(callbackTimer(*native)->isActive());

        native.reset();
        QCOMPARE(fake.calls.last(), "destroy");
    }

    void activityCallsWithoutAConnectionAreDropped_data()
    {
        QTest::addColumn<FakeDiscordLibrary::Mode>("mode");
        QTest::addColumn<bool>("startFirst");
        QTest::newRow("before start-up") << FakeDiscordLibrary::Mode::Succeed << false;
        QTest::newRow("success without a core") << FakeDiscordLibrary::Mode::SucceedWithoutCore << true;
    }

    void activityCallsWithoutAConnectionAreDropped()
    {
        QFETCH(FakeDiscordLibrary::Mode, mode);
        QFETCH(bool, startFirst);
        FakeDiscordLibrary fake(mode);
        GM_NativeDiscord native(QStringLiteral("Zubrik"), PROGRAM, true);
        if (startFirst) {
            native.discordInit();
            // Discord said yes but gave nothing to talk to: it is not asked again.
            QVERIFY(!callbackTimer(native)->isActive());
        }
        native.discordSetActivity(QStringLiteral("Tournoi 'Printemps'"));
        native.discordSetActivityScore(157, 83, QStringLiteral(" / 1000"));
        QVERIFY(fake.callsStartingWith("update_activity").isEmpty());
        if (!startFirst) {
            native.discordInit();
            QCOMPARE(fake.activities.size(), size_t(1));
            QCOMPARE(details(fake.activities.back()), QByteArray());
            QCOMPARE(state(fake.activities.back()), QByteArray());
        }
    }

    void activityTextsAreCutAfterTheirLastWholeCharacter_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QByteArray>("sent");
        const QString emoji = QString::fromUtf8("\xF0\x9F\x98\x80");
        QTest::newRow("0 bytes") << QString() << QByteArray();
        QTest::newRow("127 bytes") << QString(127, 'a') << QByteArray(127, 'a');
        QTest::newRow("128 bytes") << QString(128, 'a') << QByteArray(127, 'a');
        QTest::newRow("500 bytes") << QString(500, 'b') << QByteArray(127, 'b');
        QTest::newRow("emoji across the cut") << QString(125, 'a') + emoji << QByteArray(125, 'a');
        QTest::newRow("emoji ending at the cut") << QString(123, 'a') + emoji << QByteArray(123, 'a') + emoji.toUtf8();
        QTest::newRow("accent across the cut") << QString(126, 'a') + QString::fromUtf8("é") << QByteArray(126, 'a');
    }

    void activityTextsAreCutAfterTheirLastWholeCharacter()
    {
        QFETCH(QString, text);
        QFETCH(QByteArray, sent);
        FakeDiscordLibrary fake;
        GM_NativeDiscord native(QStringLiteral("Zubrik"), PROGRAM, true);
        native.discordInit();
        native.discordSetActivity(text);
        QCOMPARE(details(fake.activities.back()), sent);
        native.discordSetActivityScore(1, 2, text);
        QCOMPARE(state(fake.activities.back()), QByteArray("Points: 1, Adv: 2") + sent.left(127 - 17));
        QCOMPARE(fake.activities.back().state[DISCORD_TEXT_SIZE - 1], '\0');
    }

    void theScoreLineAndTheDetailsShareOneActivity()
    {
        FakeDiscordLibrary fake;
        GM_NativeDiscord native(QStringLiteral("Zubrik"), PROGRAM, true);
        native.discordInit();
        native.discordSetActivity(QStringLiteral("Serveur 'Lausanne'"));
        native.discordSetActivityScore(157, 83, QString());
        QCOMPARE(state(fake.activities.back()), QByteArray("Points: 157, Adv: 83"));
        QCOMPARE(details(fake.activities.back()), QByteArray("Serveur 'Lausanne'"));
        native.discordSetActivityScore(157, 83, QStringLiteral(" / %1 Tours Restants"));
        QCOMPARE(state(fake.activities.back()), QByteArray("Points: 157, Adv: 83 / %1 Tours Restants"));

        // Another text keeps the score line; the empty text clears both.
        native.discordSetActivity(QStringLiteral("Tournoi 'Printemps'"));
        QCOMPARE(state(fake.activities.back()), QByteArray("Points: 157, Adv: 83 / %1 Tours Restants"));
        QCOMPARE(details(fake.activities.back()), QByteArray("Tournoi 'Printemps'"));
        native.discordSetActivity(QString());
        QCOMPARE(state(fake.activities.back()), QByteArray());
        QCOMPARE(details(fake.activities.back()), QByteArray());
        QCOMPARE(fake.activities.back().type, 0);
        QCOMPARE(fake.callsStartingWith("update_activity").size(), 6);
        QVERIFY(callbackTimer(native)->isActive());
    }

private:
    QString formerName_;
    QString formerOrganisation_;
};

ZB_REGISTER_TEST(TestNativeDiscord)
#include "TestNativeDiscord.moc"
