#include "GM_Chat.h"
#include "GM_ClientSocket.h"
#include "GM_Login.h"
#include "GM_MessageBoxDisplayerHeadless.h"
#include "GM_Progress.h"
#include "GM_ServerList.h"
#include "FenetreDeSalon.h"
#include "LobbyDeTest.h"
#include "ZbTestRegistry.h"

#include <QCoreApplication>
#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScopeGuard>
#include <QSignalSpy>
#include <QTabWidget>
#include <QTest>
#include <QTextBlock>
#include <QTextDocument>
#include <QTextEdit>
#include <QTimer>
#include <QTranslator>

namespace {

constexpr int Delai = 5000;

// A lobby client with the chat tab as the lobby window wires it.
struct Salon {
    LobbyDeTest lobby;
    GM_MessageBoxDisplayerHeadless afficheur;
    ProgressionDeTest progression;
    GM_ClientSocket client{QString(), nullptr, &progression, &afficheur};
    GM_Chat onglet;

    explicit Salon(bool belote = false, int langue = 1)
    {
        afficheur.setRepondeur([](uint, const GM_MessageBoxRequest&) { return GM::Ok; });
        lobby.demarre(true);
        onglet.init(&client, &afficheur, belote, &langue);
    }
    bool connecte(GM_ClientSocket& c, const char* email, const char* passe)
    {
        QSignalSpy pret(&c, &GM_ClientSocket::signalReady);
        c.connectForLogin(QString::fromLatin1(email), QString::fromLatin1(passe), true, true);
        return pret.wait(Delai);
    }
    bool connecte() { return connecte(client, LobbyDeTest::EmailAlice, LobbyDeTest::PasseAlice); }
    QStringList recus(const QByteArray& mot) const
    {
        QStringList r;
        for (const auto& m : lobby.serveur.recusDe(mot))
            r << m.champs.join(QLatin1Char('|'));
        return r;
    }
    QString texte() const { return onglet.textEdit()->toPlainText(); }
};

} // namespace

class TestChatTab : public QObject
{
    Q_OBJECT

private slots:
    // The game family and the language choose the channel that is polled
    // and the invitation shown; a language change to another channel
    // empties the chat, one to the same channel keeps it.
    void canaux_data()
    {
        QTest::addColumn<bool>("belote");
        QTest::addColumn<int>("langue");
        QTest::addColumn<int>("canal");
        QTest::addColumn<int>("autreLangue");
        QTest::addColumn<bool>("vide");
        QTest::newRow("Jass, French") << false << 1 << 0 << 3 << true;
        QTest::newRow("Jass, German") << false << 3 << 1 << 2 << false;
        QTest::newRow("Belote, French") << true << 1 << 2 << 4 << true;
        QTest::newRow("Belote, English") << true << 2 << 3 << 1 << true;
        QTest::newRow("Belote, Italian") << true << 4 << 3 << 3 << false;
    }
    void canaux()
    {
        QFETCH(bool, belote);
        QFETCH(int, langue);
        QFETCH(int, canal);
        QFETCH(int, autreLangue);
        QFETCH(bool, vide);
        Salon s(belote, langue);
        QCOMPARE(s.onglet.channel(), canal);
        const QString lien = GM_Chat::invitationLink(canal);
        QVERIFY(lien.startsWith(QLatin1String("https://")));
        QCOMPARE(s.onglet.invitationLabel()->text(),
                 QStringLiteral("Rejoins nous sur Discord: <a href=\"%1\">%1</a>").arg(lien));
        QVERIFY(s.onglet.invitationLabel()->openExternalLinks());
        QVERIFY(s.connecte());
        s.onglet.show();
        QTRY_COMPARE_WITH_TIMEOUT(s.recus("Fr4"), QStringList{QString::number(canal)}, Delai);
        const QStringList ligne{QString::number(canal), QStringLiteral("<Anna> salut\r\n")};
        s.onglet.OnDiscordChat(&ligne);
        s.onglet.retranslate(autreLangue);
        QCOMPARE(s.texte().isEmpty(), vide);
        QCOMPARE(s.onglet.channel(), GM_Chat::channelFor(belote, autreLangue));
    }

    // What an answer does to the chat: pieces of its own channel are shown
    // as plain text, one after the other; anything else leaves the chat
    // as it was. Every answer restarts the stopped poll timer.
    void reponses_data()
    {
        QTest::addColumn<QStringList>("reponse");
        QTest::addColumn<QString>("attendu");
        const QString avant = QStringLiteral("<Ben> avant\n");
        QTest::newRow("lines") << QStringList{"0", "<Anna> un\r\n", "<Cleo> deux\r\n"}
                               << avant + "<Anna> un\n<Cleo> deux\n";
        QTest::newRow("pieces without breaks") << QStringList{"0", "a", "b", "\r\n"} << avant + "ab\n";
        QTest::newRow("markup stays text") << QStringList{"0", "<b>gras</b> &amp;\r\n"}
                                           << avant + "<b>gras</b> &amp;\n";
        QTest::newRow("channel only") << QStringList{"0"} << avant;
        QTest::newRow("nothing") << QStringList{} << avant;
        QTest::newRow("another channel") << QStringList{"1", "x\r\n"} << avant;
        QTest::newRow("announcements") << QStringList{"4", "x\r\n"} << avant;
        QTest::newRow("channel no number") << QStringList{"zero", "x\r\n"} << avant;
        QTest::newRow("channel empty") << QStringList{"", "x\r\n"} << avant;
        QTest::newRow("channel -0x1") << QStringList{"-0x1", "x\r\n"} << avant;
    }
    void reponses()
    {
        QFETCH(QStringList, reponse);
        QFETCH(QString, attendu);
        Salon s;
        const QStringList premiere{"0", "<Ben> avant\r\n"};
        s.onglet.OnDiscordChat(&premiere);
        s.onglet.refreshTimer()->stop();
        s.onglet.OnDiscordChat(&reponse);
        QCOMPARE(s.texte(), attendu);
        QVERIFY(s.onglet.refreshTimer()->isActive());
        QCOMPARE(s.onglet.textEdit()->textCursor().position(), s.onglet.textEdit()->document()->characterCount() - 1);
    }

    // The document keeps the newest paragraphs only, and each paragraph a
    // bounded length, however large the answers (a record is at most
    // 1 MiB): an answer keeps its newest lines, a line its first
    // characters, also when it goes on over several answers.
    void bornes()
    {
        Salon s;
        QTextDocument* document = s.onglet.textEdit()->document();
        const auto lignes = [](int debut, int nombre) {
            QString texte;
            for (int i = debut; i < debut + nombre; ++i)
                texte += QStringLiteral("l%1\r\n").arg(i);
            return QStringList{"0", texte};
        };
        const QStringList grande = lignes(0, GM_Chat::MaxBlocks + 5000);
        s.onglet.OnDiscordChat(&grande);
        QCOMPARE(document->blockCount(), GM_Chat::MaxLinesPerAnswer + 1);
        QCOMPARE(document->firstBlock().text(),
                 QStringLiteral("l%1").arg(GM_Chat::MaxBlocks + 5000 - GM_Chat::MaxLinesPerAnswer));
        QCOMPARE(document->lastBlock().previous().text(), QStringLiteral("l%1").arg(GM_Chat::MaxBlocks + 4999));
        // Answers of the most lines each, then lines one by one: the oldest
        // go in batches, never past the slack.
        for (int i = 0; document->blockCount() < GM_Chat::MaxBlocks; ++i) {
            const QStringList pleine = lignes(i * GM_Chat::MaxLinesPerAnswer, GM_Chat::MaxLinesPerAnswer);
            s.onglet.OnDiscordChat(&pleine);
        }
        for (int i = 0; i < GM_Chat::TrimSlack + 1; ++i) {
            const QStringList une{"0", QStringLiteral("m%1\r\n").arg(i)};
            s.onglet.OnDiscordChat(&une);
            QVERIFY(document->blockCount() <= GM_Chat::MaxBlocks + GM_Chat::TrimSlack);
        }
        QVERIFY(document->blockCount() >= GM_Chat::MaxBlocks);
        QCOMPARE(document->lastBlock().previous().text(), QStringLiteral("m%1").arg(GM_Chat::TrimSlack));

        // Lines of a megabyte, as a hostile lobby sends them again and again.
        const QString bout = QString(GM_TexteDuLobby::Ligne - 1, QLatin1Char('x')) + QChar(0x2026);
        const QStringList mega{"0", QString(976000, QLatin1Char('x')) + "\r\n"};
        for (int i = 0; i < 19; ++i)
            s.onglet.OnDiscordChat(&mega);
        QCOMPARE(document->lastBlock().previous().text(), bout);
        QVERIFY(document->characterCount() < (GM_Chat::MaxBlocks + GM_Chat::TrimSlack) * (GM_TexteDuLobby::Ligne + 1));
        // A line that goes on over answers without ending.
        const QStringList morceau{"0", QString(400, QLatin1Char('y'))};
        for (int i = 0; i < 10; ++i)
            s.onglet.OnDiscordChat(&morceau);
        QCOMPARE(document->lastBlock().text().size(), GM_TexteDuLobby::Ligne);
        const QStringList fin{"0", "z\r\n<Ben> suite\r\n"};
        s.onglet.OnDiscordChat(&fin);
        QCOMPARE(document->lastBlock().previous().text(), QStringLiteral("<Ben> suite"));
        // A million line ends in one answer.
        const int avant = document->blockCount();
        const QStringList vides{"0", QString(1 << 19, QLatin1Char('\n'))};
        s.onglet.OnDiscordChat(&vides);
        QVERIFY(document->blockCount() <= qMin(avant + GM_Chat::MaxLinesPerAnswer, GM_Chat::MaxBlocks + GM_Chat::TrimSlack));
    }

    // Polling follows the session and the tab's visibility: nothing before
    // the lobby is ready, a poll at once when shown, then every 2 s after
    // each answer; 30 s while hidden; nothing after the disconnection.
    void sondage()
    {
        Salon s;
        QCOMPARE(s.onglet.refreshTimer()->interval(), GM_Chat::PollHiddenMs);
        s.onglet.show();
        QVERIFY(!s.onglet.refreshTimer()->isActive());
        QVERIFY(s.connecte());
        QVERIFY(s.onglet.refreshTimer()->isActive());
        s.onglet.hide();
        s.onglet.show();
        QCOMPARE(s.onglet.refreshTimer()->interval(), GM_Chat::PollShownMs);
        QTRY_COMPARE_WITH_TIMEOUT(s.recus("Fr4").size(), 1, Delai);
        // The answer restarts the timer, which polls again 2 s later.
        QTRY_VERIFY_WITH_TIMEOUT(s.onglet.refreshTimer()->isActive(), Delai);
        QTRY_COMPARE_WITH_TIMEOUT(s.recus("Fr4").size(), 2, Delai);
        s.onglet.hide();
        QCOMPARE(s.onglet.refreshTimer()->interval(), GM_Chat::PollHiddenMs);
        // A lobby that does not answer: the timer stays stopped.
        s.lobby.serveur.setMuet(true);
        s.onglet.OnRefresh();
        QTRY_COMPARE_WITH_TIMEOUT(s.recus("Fr4").size(), 3, Delai);
        QTest::qWait(100);
        QVERIFY(!s.onglet.refreshTimer()->isActive());
        s.client.disconnectFromServer();
        QTRY_VERIFY_WITH_TIMEOUT(!s.client.isConnectedToLobby(), Delai);
        QVERIFY(!s.onglet.refreshTimer()->isActive());
        const int polls = s.recus("Fr4").size();
        s.onglet.show();
        QTest::qWait(100);
        QCOMPARE(s.recus("Fr4").size(), polls);
    }

    // Sending: Return does what "Envoyer" does; the line goes out on the
    // tab's channel, is echoed, and reaches another player's chat through
    // the lobby; at most 255 characters; an empty line or a lobby that is
    // not connected sends and echoes nothing.
    void envoi()
    {
        Salon s(true, 3);
        s.onglet.show();
        s.onglet.lineEdit()->setText(QStringLiteral("hors ligne"));
        s.onglet.sendButton()->click();
        QCOMPARE(s.onglet.lineEdit()->text(), QStringLiteral("hors ligne"));
        QVERIFY(s.texte().isEmpty());

        QVERIFY(s.connecte());
        s.onglet.lineEdit()->clear();
        QTest::keyClicks(s.onglet.lineEdit(), QString(300, QLatin1Char('a')));
        QCOMPARE(s.onglet.lineEdit()->text().size(), GM_Chat::MaxLineLength);
        s.onglet.lineEdit()->setText(QStringLiteral("salut à tous"));
        QTest::keyClick(s.onglet.lineEdit(), Qt::Key_Return);
        QTRY_COMPARE_WITH_TIMEOUT(s.recus("A4E"), QStringList{"3|salut à tous"}, Delai);
        QCOMPARE(s.texte(), QStringLiteral("<Vous> salut à tous\n"));
        QVERIFY(s.onglet.lineEdit()->text().isEmpty());
        s.onglet.sendButton()->click();
        QTest::keyClick(s.onglet.lineEdit(), Qt::Key_Return);
        QTest::qWait(300);
        QCOMPARE(s.recus("A4E").size(), 1);

        // Bob, on the same channel, sees Alice's line but not his own.
        GM_ClientSocket bob(QString(), nullptr, &s.progression, &s.afficheur);
        GM_Chat chatBob;
        int langue = 2;
        chatBob.init(&bob, &s.afficheur, true, &langue);
        QVERIFY(s.connecte(bob, LobbyDeTest::EmailBob, LobbyDeTest::PasseBob));
        chatBob.show();
        QTRY_COMPARE_WITH_TIMEOUT(chatBob.textEdit()->toPlainText(), QStringLiteral("<Alice> salut à tous\n"),
                                  Delai);
        chatBob.lineEdit()->setText(QStringLiteral("bonsoir"));
        chatBob.sendButton()->click();
        QTRY_COMPARE_WITH_TIMEOUT(s.texte(), QStringLiteral("<Vous> salut à tous\n<Bob> bonsoir\n"), Delai);
        // Bob's next poll, answered, does not bring his own line back.
        const auto pollsDeBob = [&s] {
            int n = 0;
            for (const auto& r : s.lobby.serveur.recusDe("Fr4"))
                n += r.userId == s.lobby.bob ? 1 : 0;
            return n;
        };
        const int avant = pollsDeBob();
        chatBob.OnRefresh();
        QTRY_VERIFY_WITH_TIMEOUT(pollsDeBob() > avant && chatBob.refreshTimer()->isActive(), Delai);
        QCOMPARE(chatBob.textEdit()->toPlainText(), QStringLiteral("<Alice> salut à tous\n<Vous> bonsoir\n"));

        // In English too, the user's own line ends, and the next one starts
        // on a line of its own.
        QTranslator anglais;
        QVERIFY(anglais.load(QStringLiteral(":/translations/zubrik_en.qm")));
        QCoreApplication::installTranslator(&anglais);
        const auto retire = qScopeGuard([&anglais] { QCoreApplication::removeTranslator(&anglais); });
        s.onglet.lineEdit()->setText(QStringLiteral("hi"));
        s.onglet.sendButton()->click();
        QVERIFY2(s.texte().endsWith(QStringLiteral("\n<You> hi\n")), qPrintable(s.texte()));
    }

    // The tab as the user sees it (kept with ZB_KEEP_TEST_PICTURES=<folder>).
    void images()
    {
        Salon s;
        s.lobby.serveur.ajouteLigneChat(0, QStringLiteral("<Anna> Salut à tous!\r\n"));
        s.lobby.serveur.ajouteLigneChat(0, QStringLiteral("<Ben> Quelqu'un pour un Schieber ce soir? On cherche "
                                                          "encore deux joueurs pour une partie à 2500 points.\r\n"));
        s.lobby.serveur.ajouteLigneChat(0, QStringLiteral("<Cleo> <b>moi</b> & Dora, dans 10 minutes\r\n"));
        QVERIFY(s.connecte());
        s.onglet.resize(412, 372);
        s.onglet.show();
        QVERIFY(QTest::qWaitForWindowExposed(&s.onglet));
        QTRY_VERIFY_WITH_TIMEOUT(s.texte().contains(QLatin1String("Dora")), Delai);
        s.onglet.lineEdit()->setText(QStringLiteral("Je viens!"));
        s.onglet.sendButton()->click();
        s.onglet.lineEdit()->setText(QStringLiteral("À tout de suite"));
        QTRY_VERIFY_WITH_TIMEOUT(s.texte().contains(QLatin1String("<Vous>")), Delai);
        const QImage image = s.onglet.grab().toImage();
        const QString dossier = qEnvironmentVariable("ZB_KEEP_TEST_PICTURES");
        if (!dossier.isEmpty())
            QVERIFY(image.save(QDir(dossier).filePath(QStringLiteral("chat_tab.png"))));
        QVERIFY(!image.isNull());
    }

    // The chat and account tabs inside the lobby window, at its usual size
    // (kept with ZB_KEEP_TEST_PICTURES=<folder>).
    void imagesDansLaFenetre()
    {
        FenetreDeSalon salon;
        GM_ServerList& fenetre = salon.fenetre;
        salon.lobby.serveur.ajouteLigneChat(0, QStringLiteral("<Anna> Salut à tous!\r\n"));
        salon.lobby.serveur.ajouteLigneChat(0, QStringLiteral("<Ben> Quelqu'un pour un Schieber ce soir?\r\n"));
        QVERIFY(salon.connecte());
        fenetre.resize(360, 480);
        fenetre.show();
        QVERIFY(QTest::qWaitForWindowExposed(&fenetre));
        fenetre.tabs()->setCurrentIndex(GM_ServerList::Chat);
        QTRY_VERIFY_WITH_TIMEOUT(fenetre.chatTab()->textEdit()->toPlainText().contains(QLatin1String("Schieber")),
                                 Delai);
        QCoreApplication::sendPostedEvents();
        const QImage chat = fenetre.grab().toImage();
        fenetre.tabs()->setCurrentIndex(GM_ServerList::Options);
        QCoreApplication::sendPostedEvents();
        const QImage compte = fenetre.grab().toImage();
        QVERIFY(!chat.isNull() && !compte.isNull());
        const QString dossier = qEnvironmentVariable("ZB_KEEP_TEST_PICTURES");
        if (!dossier.isEmpty()) {
            QVERIFY(chat.save(QDir(dossier).filePath(QStringLiteral("lobby_chat.png"))));
            QVERIFY(compte.save(QDir(dossier).filePath(QStringLiteral("lobby_account.png"))));
        }
    }
};

ZB_REGISTER_TEST(TestChatTab)
#include "TestChatTab.moc"
