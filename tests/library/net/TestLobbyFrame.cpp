#include "GM_AchievementTitle.h"
#include "GM_LobbyFrame.h"
#include "GM_LobbyReader.h"
#include "GM_SocketEvent.h"
#include "ZbTestRegistry.h"

#include <QTest>

namespace {

// A record as the tests write it: the word, then each field in brackets;
// any other result by its name.
QStringList lit(const QList<QByteArray>& messages)
{
    GM_LobbyReader lecteur;
    QStringList sortie;
    for (const QByteArray& message : messages) {
        lecteur.ajoute(message);
        for (;;) {
            GM_LobbyReader::Enregistrement record;
            const GM_LobbyReader::Resultat resultat = lecteur.prochain(record);
            if (resultat == GM_LobbyReader::Aucun)
                break;
            if (resultat != GM_LobbyReader::Record) {
                sortie << QString::fromLatin1(GM_LobbyReader::nomResultat(resultat));
                continue;
            }
            QString texte = QString::fromLatin1(record.mot);
            for (const QString& champ : std::as_const(record.champs))
                texte += QLatin1Char('[') + champ + QLatin1Char(']');
            sortie << texte;
        }
    }
    if (lecteur.enAttente() > GM_LobbyFrame::TailleMax)
        sortie << QStringLiteral("kept too much");
    return sortie;
}

QList<QByteArray> octetParOctet(const QByteArray& octets)
{
    QList<QByteArray> messages;
    for (const char c : octets)
        messages << QByteArray(1, c);
    return messages;
}

} // namespace

class TestLobbyFrame : public QObject
{
    Q_OBJECT

private slots:
    // What the reader makes of the bytes a lobby connection brings, however
    // they are cut into messages.
    void lecteur_data()
    {
        QTest::addColumn<QList<QByteArray>>("messages");
        QTest::addColumn<QStringList>("attendu");
        const QByteArray largeur(GM_LobbyFrame::TailleMax - 5, 'x');
        QTest::newRow("no field") << QList<QByteArray>{"R7k\x0C"} << QStringList{"R7k"};
        QTest::newRow("one empty field") << QList<QByteArray>{"Fr4\n\x0C"} << QStringList{"Fr4[]"};
        QTest::newRow("cut like the bridge")
            << QList<QByteArray>{"Brs", "42", "\n", "{Mes!a!}", "\n", "\x0C"} << QStringList{"Brs[42][{Mes!a!}]"};
        QTest::newRow("byte by byte") << octetParOctet("Lok7\nAl\n\x0C") << QStringList{"Lok[7][Al]"};
        QTest::newRow("two in one message") << QList<QByteArray>{"Kal\x0CLok7\nAl\n\x0C"}
                                            << QStringList{"Kal", "Lok[7][Al]"};
        QTest::newRow("escapes") << QList<QByteArray>{"Fr44\nligne 1\xFFnligne 2\xFF" "f\n\x0C"}
                                 << QStringList{QStringLiteral("Fr4[4][ligne 1\nligne 2\x0C]")};
        QTest::newRow("character cut between messages")
            << QList<QByteArray>{"A4E1\ncaf\xC3", "\xA9\n\x0C"} << QStringList{QStringLiteral("A4E[1][café]")};
        QTest::newRow("largest record") << QList<QByteArray>{"A3E" + largeur + "\n\x0C"}
                                        << QStringList{QStringLiteral("A3E[%1]").arg(QString::fromLatin1(largeur))};
        // Bad records are dropped one by one; what follows them is read.
        QTest::newRow("last field without line feed") << QList<QByteArray>{"Lok7\nAl\x0CKal\x0C"}
                                                      << QStringList{"truncated", "Kal"};
        QTest::newRow("unknown escape") << QList<QByteArray>{"Fr4a\xFFx\n\x0C"} << QStringList{"bad escape"};
        QTest::newRow("escape at a field's end") << QList<QByteArray>{"Fr4a\xFF\n\x0C"} << QStringList{"bad escape"};
        QTest::newRow("short word") << QList<QByteArray>{"R7\x0C"} << QStringList{"bad word"};
        QTest::newRow("word with a sign") << QList<QByteArray>{"R-k\x0CKal\x0C"} << QStringList{"bad word", "Kal"};
        QTest::newRow("nothing but the end") << QList<QByteArray>{"\x0C"} << QStringList{"bad word"};
        // Too much without an end can only be closed on: nothing is kept.
        QTest::newRow("oversized, no end")
            << QList<QByteArray>{QByteArray(GM_LobbyFrame::TailleMax / 2, 'a'),
                                 QByteArray(GM_LobbyFrame::TailleMax / 2 + 1, 'a')}
            << QStringList{"oversized"};
        QTest::newRow("oversized record") << QList<QByteArray>{"A3E" + largeur + "xx\n\x0C"}
                                          << QStringList{"oversized"};
    }
    void lecteur()
    {
        QFETCH(QList<QByteArray>, messages);
        QFETCH(QStringList, attendu);
        QCOMPARE(lit(messages), attendu);
    }

    // A record handed out keeps its bytes while the reader takes more and
    // drops what it has handed out.
    void recordsDetaches()
    {
        GM_LobbyReader lecteur;
        GM_LobbyReader::Enregistrement premier;
        lecteur.ajoute("Kal\x0C");
        QCOMPARE(lecteur.prochain(premier), GM_LobbyReader::Record);
        GM_LobbyReader::Enregistrement suivant;
        QCOMPARE(lecteur.prochain(suivant), GM_LobbyReader::Aucun);
        lecteur.ajoute("Cul1\n2\n\x0C");
        QCOMPARE(lecteur.prochain(suivant), GM_LobbyReader::Record);
        QCOMPARE(premier.mot, QByteArray("Kal"));
        QCOMPARE(suivant.mot, QByteArray("Cul"));
    }

    // Fields with line breaks, record ends and escape bytes come back whole;
    // text without them, such as every table text the bridge carries, goes
    // over byte for byte.
    void echappement()
    {
        const QList<QByteArray> champs{"", "a\nb", "\x0C", "\xFF", "\xFF" "n", "x\n\n\x0C\xFF\xFFy", "{Mes!é!}"};
        for (const QByteArray& champ : champs) {
            QByteArray retour;
            QVERIFY(GM_LobbyFrame::unescape(GM_LobbyFrame::escape(champ), retour));
            QCOMPARE(retour, champ);
            QVERIFY(!GM_LobbyFrame::escape(champ).contains('\n'));
            QVERIFY(!GM_LobbyFrame::escape(champ).contains('\x0C'));
        }
        const QByteArray texte = QStringLiteral("{Mes!Grüezi mitenand!}").toUtf8();
        QCOMPARE(GM_LobbyFrame::escape(texte), texte);
        const QList<QByteArray> pont{"Brs", "42", "\n", texte, "\n", "\x0C"};
        QCOMPARE(GM_LobbyFrame::messages("Brs", {QStringLiteral("42"), QString::fromUtf8(texte)}), pont);
        QCOMPARE(lit({GM_LobbyFrame::record("A4E", {QStringLiteral("1"), QStringLiteral("l1\nl2\x0C")})}),
                 QStringList{QStringLiteral("A4E[1][l1\nl2\x0C]")});
    }

    // Every word the lobby windows build for Idle has a row; a request that
    // waits for an answer has the answer that brings the client back.
    void motsDesFenetres()
    {
        const QList<QByteArray> mots{"R7k", "SrS", "SrI", "Tli", "Fhr", "R7t", "R6t", "H2q", "H3q", "Awq",
                                     "A3E", "pCH", "Dld", "Dli", "Fr4", "Fr1", "FiS", "Eds", "P3n", "SA1",
                                     "Gbs", "Cul", "Gss", "A4E", "Tjo", "hTr", "Gl5", "F9n", "Blw", "Bkv"};
        for (const QByteArray& mot : mots) {
            const QSharedPointer<GM_SocketEvent> message = GM_SocketEvent::findEvent(GM_SocketEvent::Idle, mot);
            QVERIFY2(!message.isNull(), mot.constData());
            if (message->getNextState() == GM_SocketEvent::Idle)
                continue;
            const GM_SocketEvent::Ligne* reponse =
                GM_SocketEvent::trouveLigne(message->getNextState(), mot, GM_SocketEvent::Reception);
            QVERIFY2(reponse != nullptr && reponse->etatSuivant == GM_SocketEvent::Idle, mot.constData());
        }
        // What the lobby may say at any time is heard while an answer is awaited.
        QVERIFY(GM_SocketEvent::trouveLigne(GM_SocketEvent::WaitServerAddress, "Brs", GM_SocketEvent::Reception));
        QVERIFY(!GM_SocketEvent::trouveLigne(GM_SocketEvent::Login, "Brs", GM_SocketEvent::Reception));
        QVERIFY(!GM_SocketEvent::findEvent(GM_SocketEvent::Idle, "Zzz"));
    }

    // The titles that achievement numbers stand for.
    void titres_data()
    {
        QTest::addColumn<int>("numero");
        QTest::addColumn<QString>("titre");
        QTest::addColumn<int>("atteint");
        QTest::addColumn<int>("prochain");
        QTest::newRow("below every key") << -5 << QStringLiteral("Découvreur du Jass Romand") << 1 << 5;
        QTest::newRow("a level of a step") << 5400006 << QStringLiteral("Supermatcheur Niv. 7") << 220 << 240;
        QTest::newRow("last level of a step") << 5400025 << QStringLiteral("Supermatcheur Niv. 20") << 480 << 500;
        QTest::newRow("a group of one") << 5000000 << QStringLiteral("Initié au Match") << 1 << 5;
        QTest::newRow("no end") << 5900000 << QStringLiteral("Divinité des Matches") << 50000 << -1;
        QTest::newRow("two levels of 25") << 5300000 << QStringLiteral("Assidu des Matches Niv. 1") << 50 << 75;
        QTest::newRow("between groups") << 5200001 << QStringLiteral("Routinier des Matches Niv. 2") << 30 << 50;
        QTest::newRow("announces") << 7000000 << QStringLiteral("Promeneur du Stöck") << 1 << 5;
    }
    void titres()
    {
        QFETCH(int, numero);
        QFETCH(QString, titre);
        QFETCH(int, atteint);
        QFETCH(int, prochain);
        const AchievementTitle& t = achievementTitle(numero);
        QCOMPARE(t.title, titre);
        QCOMPARE(t.reached, atteint);
        QCOMPARE(t.next, prochain);
        QCOMPARE(achievementTitleCount(), 80064);
    }
};

ZB_REGISTER_TEST(TestLobbyFrame)
#include "TestLobbyFrame.moc"
