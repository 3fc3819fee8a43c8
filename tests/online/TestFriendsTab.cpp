#include "GM_ClientSocket.h"
#include "GM_FriendsList.h"
#include "GM_MessageBoxDisplayerHeadless.h"
#include "GM_NativeA.h"
#include "GM_SearchFriends.h"
#include "LobbyDeTest.h"
#include "ZbTestRegistry.h"

#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSettings>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QThread>
#include <QToolBox>
#include <QTreeWidget>

#include <memory>

namespace {

constexpr int Delai = 5000;

// The address book of a phone: delivers its contacts from a thread of its
// own, as the platform hooks do.
class CarnetDeTest : public GM_NativeA
{
public:
    QStringList contacts;
    bool refuse = false;
    int demandes = 0;
    void requestContactEmail(CallBackContactEmail* callback) override
    {
        ++demandes;
        const QStringList c = contacts;
        const bool r = refuse;
        std::unique_ptr<QThread> fil(QThread::create([callback, c, r] { callback->contactEmails(r, c); }));
        fil->start();
        fil->wait();
    }
};

const QStringList ListeAmis{
    "1,101,Anna", "2,102,Ben", "3,103,Cleo", "4,104,Dora", "10,105,Emil",
    "15,106,Fred", "16,107,Gina", "15,108,Hugo", "99,109,Ivan", "15,,NoId", "15,110", "15,108,Hugo"};

// Alice's lobby client with the friends tab as the lobby window wires it.
struct Onglet {
    LobbyDeTest lobby;
    GM_MessageBoxDisplayerHeadless afficheur;
    ProgressionDeTest progression;
    CarnetDeTest carnet;
    QTemporaryDir dossier;
    QSettings reglages{dossier.filePath(QStringLiteral("zubrik.ini")), QSettings::IniFormat};
    GM_ClientSocket client{QString(), nullptr, &progression, &afficheur};
    GM_FriendsList onglet;
    QSignalSpy enLigne{&onglet, &GM_FriendsList::signalNbrFriendsOnlineChanged};
    int reponse = GM::Ok;

    explicit Onglet(const QStringList& amis = ListeAmis)
    {
        afficheur.setRepondeur([this](uint, const GM_MessageBoxRequest&) { return GM::StandardButton(reponse); });
        lobby.demarre(true);
        lobby.serveur.setReponse("Fhr", amis);
        onglet.init(&client, &afficheur, &carnet, &reglages);
    }
    bool connecte()
    {
        client.connectForLogin(QString::fromLatin1(LobbyDeTest::EmailAlice),
                               QString::fromLatin1(LobbyDeTest::PasseAlice), true, true);
        return enLigne.wait(Delai);
    }
    QTreeWidgetItem* ami(QTreeWidget* arbre, const char* id) const
    {
        return arbre->findItems(QString::fromLatin1(id), Qt::MatchExactly, GM_FriendsList::ColId).value(0);
    }
    QStringList recus(const QByteArray& mot) const
    {
        QStringList r;
        for (const auto& m : lobby.serveur.recusDe(mot))
            r << m.champs.join(QLatin1Char(','));
        return r;
    }
    QStringList titres() const
    {
        QStringList t;
        for (const auto& a : afficheur.historique())
            t << a.requete.titre_;
        return t;
    }
    // The ids of a tree's rows, and "+" for those with a check box.
    static QStringList lignes(QTreeWidget* arbre)
    {
        QStringList r;
        for (int i = 0; i < arbre->topLevelItemCount(); ++i) {
            const QTreeWidgetItem* l = arbre->topLevelItem(i);
            r << l->text(GM_FriendsList::ColId)
                     + (l->data(GM_FriendsList::ColTick, Qt::CheckStateRole).isNull() ? "" : "+");
        }
        return r;
    }
    void coche(QTreeWidget* arbre, const char* id) { ami(arbre, id)->setCheckState(GM_FriendsList::ColTick, Qt::Checked); }
};

} // namespace

class TestFriendsTab : public QObject
{
    Q_OBJECT

private slots:
    // Both pages from one answer: which statuses show where and which can
    // be ticked; friends listed twice or without an id; the online count;
    // a status change keeps the tick, a friend no longer listed vanishes,
    // an empty list says so.
    void pages()
    {
        Onglet o;
        QVERIFY(o.connecte());
        QCOMPARE(o.enLigne.last().at(0).toInt(), 2);
        QCOMPARE(Onglet::lignes(o.onglet.playTree()),
                 (QStringList{"101", "102", "105", "106+", "107", "108+", "109"}));
        QCOMPARE(Onglet::lignes(o.onglet.manageTree()),
                 (QStringList{"101+", "102+", "103+", "104+", "105+", "106+", "107+", "108+", "109"}));
        QCOMPARE(o.ami(o.onglet.playTree(), "109")->text(GM_FriendsList::ColStatus), QStringLiteral("99"));
        o.coche(o.onglet.playTree(), "106");
        QVERIFY(o.onglet.playPrivateButton()->isEnabled());
        o.lobby.serveur.setReponse("Fhr", {"15,105,Emil", "15,106,Fred", "10,108,Hugo"});
        o.onglet.OnRefresh();
        QTRY_COMPARE_WITH_TIMEOUT(Onglet::lignes(o.onglet.playTree()), (QStringList{"105+", "106+", "108"}), Delai);
        QCOMPARE(o.ami(o.onglet.playTree(), "106")->checkState(GM_FriendsList::ColTick), Qt::Checked);
        QCOMPARE(o.ami(o.onglet.playTree(), "105")->text(GM_FriendsList::ColStatus), QStringLiteral("En ligne"));
        QCOMPARE(o.enLigne.last().at(0).toInt(), 2);
        o.lobby.serveur.setReponse("Fhr", {});
        o.onglet.OnRefresh();
        QTRY_COMPARE_WITH_TIMEOUT(o.onglet.playTree()->topLevelItem(0)->text(0), QStringLiteral("<Liste vide>"), Delai);
        QCOMPARE(o.onglet.manageTree()->topLevelItem(0)->text(0), QStringLiteral("<Liste vide>"));
        QCOMPARE(o.enLigne.last().at(0).toInt(), 0);
        QVERIFY(!o.onglet.playPrivateButton()->isEnabled());
    }

    // A hostile lobby's list of 25,827 friends: the first AmisMax are
    // kept, merged a chunk at a time from the event loop, and counted once
    // the merge is over.
    void longueListe()
    {
        QStringList amis;
        for (int i = 0; i < 25827; ++i)
            amis << QStringLiteral("15,%1,Ami%1").arg(100000 + i);
        Onglet o(amis);
        QVERIFY(o.connecte());
        QCOMPARE(o.enLigne.last().at(0).toInt(), GM_FriendsList::AmisMax);
        QCOMPARE(o.onglet.playTree()->topLevelItemCount(), GM_FriendsList::AmisMax);
        QCOMPARE(o.onglet.manageTree()->topLevelItemCount(), GM_FriendsList::AmisMax);
        QCOMPARE(o.onglet.filler().tranches(),
                 (GM_FriendsList::AmisMax + GM_RemplissageParTranches::LignesParTranche - 1)
                     / GM_RemplissageParTranches::LignesParTranche);
        // A tick survives the next merge of the same list.
        o.coche(o.onglet.playTree(), "100007");
        const qsizetype avant = o.enLigne.size();
        o.onglet.OnRefresh();
        QTRY_VERIFY_WITH_TIMEOUT(o.enLigne.size() > avant, Delai);
        QCOMPARE(o.ami(o.onglet.playTree(), "100007")->checkState(GM_FriendsList::ColTick), Qt::Checked);
        QCOMPARE(o.onglet.playTree()->topLevelItemCount(), GM_FriendsList::AmisMax);
    }

    // The manage page: one tick at most, and the buttons by status; each
    // button sends the one ticked entry, never a tick of the play page.
    void gerer_data()
    {
        QTest::addColumn<QString>("id");
        QTest::addColumn<bool>("confirmer");
        QTest::addColumn<QString>("envoi");
        QTest::newRow("to confirm") << "102" << true << "Blw 2,102,Ben";
        QTest::newRow("declined") << "104" << true << "Blw 4,104,Dora";
        QTest::newRow("sent request") << "103" << false << "Bkv 3,103,Cleo";
        QTest::newRow("online friend") << "108" << false << "Bkv 15,108,Hugo";
    }
    void gerer()
    {
        QFETCH(QString, id);
        QFETCH(bool, confirmer);
        QFETCH(QString, envoi);
        Onglet o;
        QVERIFY(o.connecte());
        o.coche(o.onglet.playTree(), "106");
        o.coche(o.onglet.manageTree(), "101");
        o.coche(o.onglet.manageTree(), id.toLatin1().constData());
        QCOMPARE(o.ami(o.onglet.manageTree(), "101")->checkState(GM_FriendsList::ColTick), Qt::Unchecked);
        QCOMPARE(o.onglet.confirmButton()->isEnabled(), confirmer);
        QCOMPARE(o.onglet.deleteButton()->isEnabled(), !confirmer);
        o.lobby.serveur.effaceRecus();
        (confirmer ? o.onglet.confirmButton() : o.onglet.deleteButton())->click();
        const QByteArray mot = envoi.left(3).toLatin1();
        QTRY_COMPARE_WITH_TIMEOUT(o.recus(mot), QStringList{envoi.mid(4)}, Delai);
        QTest::qWait(300);
        QCOMPARE(o.recus("Bkv").size() + o.recus("Blw").size(), 1);
    }

    // Invitations take up to four friends, all of them; five get a warning
    // and nothing is sent.
    void inviter_data()
    {
        QTest::addColumn<bool>("publique");
        QTest::addColumn<int>("nombre");
        QTest::addColumn<QString>("envoi");
        QTest::newRow("private, one") << false << 1 << "hTr 201,,";
        QTest::newRow("private, four") << false << 4 << "hTr 201,202,203,204";
        QTest::newRow("public, four") << true << 4 << "Gl5 11,-1,201,202,203,204";
        QTest::newRow("private, five") << false << 5 << "";
        QTest::newRow("public, five") << true << 5 << "";
    }
    void inviter()
    {
        QFETCH(bool, publique);
        QFETCH(int, nombre);
        QFETCH(QString, envoi);
        Onglet o({"15,201,A", "15,202,B", "15,203,C", "15,204,D", "15,205,E"});
        QVERIFY(o.connecte());
        o.onglet.OnSelectedServerChanged(11, -1);
        for (int i = 0; i < nombre; ++i)
            o.coche(o.onglet.playTree(), QByteArray::number(201 + i).constData());
        o.lobby.serveur.effaceRecus();
        (publique ? o.onglet.playPublicButton() : o.onglet.playPrivateButton())->click();
        if (envoi.isEmpty()) {
            QTRY_COMPARE_WITH_TIMEOUT(o.titres(), QStringList{"Trop de joueurs"}, Delai);
            QTest::qWait(300);
            QCOMPARE(o.recus("hTr") + o.recus("Gl5"), QStringList{});
            return;
        }
        QTRY_COMPARE_WITH_TIMEOUT(o.recus(envoi.left(3).toLatin1()), QStringList{envoi.mid(4)}, Delai);
        QCOMPARE(o.onglet.invitationList().size(), nombre);
    }

    // The pseudo rule of the search.
    void pseudo_data()
    {
        QTest::addColumn<QString>("texte");
        QTest::addColumn<bool>("accepte");
        QTest::newRow("3 characters") << "abc" << false;
        QTest::newRow("4 characters") << "abcd" << true;
        QTest::newRow("20 characters") << QString(20, QLatin1Char('a')) << true;
        QTest::newRow("21 characters") << QString(21, QLatin1Char('a')) << false;
        QTest::newRow("signs and other scripts") << "Zoë^[x]_9Жя" << true;
        QTest::newRow("blank") << "ab cd" << false;
        QTest::newRow("dash") << "ab-cd" << false;
    }
    void pseudo()
    {
        QFETCH(QString, texte);
        QFETCH(bool, accepte);
        GM_SearchFriends s;
        // Set without the validator, as a paste of anything would be.
        s.searchEdit()->setValidator(nullptr);
        s.searchEdit()->setText(texte);
        QCOMPARE(s.searchButton()->isEnabled(), accepte);
        QCOMPARE(s.searchEdit()->palette().color(QPalette::Text) == QColor(Qt::red), !accepte);
        // Like the lobby's other forms, the red text alone: no word under,
        // beside or in the field.
        for (const QLabel* l : s.findChildren<QLabel*>())
            QVERIFY2(!l->isVisibleTo(&s) || l->objectName() == QLatin1String("label_3"), qPrintable(l->text()));
        QVERIFY(s.searchEdit()->placeholderText().isEmpty());
    }

    // A search, its results, a friend request; empty answers and rows that
    // are no players ask for nothing.
    void chercher()
    {
        Onglet o;
        o.lobby.serveur.setReponse("Fr1", {"Zed,301", "Yan,302", "NoId,", "Alone"});
        QVERIFY(o.connecte());
        GM_SearchFriends* s = o.onglet.searchWidget();
        s->searchEdit()->setText(QStringLiteral("Zedd"));
        QTest::keyClick(s->searchEdit(), Qt::Key_Return);
        QVERIFY(!s->searchButton()->isEnabled());
        QTRY_COMPARE_WITH_TIMEOUT(s->resultTree()->topLevelItemCount(), 2, Delai);
        QCOMPARE(o.recus("Fr1"), QStringList{"Zedd"});
        s->resultTree()->topLevelItem(1)->setCheckState(0, Qt::Checked); // Zed, sorted by pseudo
        QVERIFY(s->inviteButton()->isEnabled());
        QSignalSpy envoye(s, &GM_SearchFriends::signalFriendsRequestSent);
        s->inviteButton()->click();
        QCOMPARE(envoye.size(), 1);
        QTRY_COMPARE_WITH_TIMEOUT(o.recus("F9n"), QStringList{QString::number(o.lobby.alice) + ",301"}, Delai);
        QCOMPARE(o.onglet.toolBox()->currentIndex(), int(GM_FriendsList::PagePlay));
        o.lobby.serveur.setReponse("Fr1", {});
        s->OnTextChanged();
        s->OnSearchClicked();
        QTRY_COMPARE_WITH_TIMEOUT(s->resultTree()->topLevelItem(0)->text(0),
                                  QStringLiteral("<Aucun nouveau résultat trouvé>"), Delai);
        s->OnItemDoubleClicked(s->resultTree()->topLevelItem(0));
        QCOMPARE(envoye.size(), 1);
    }

    // The address book: contacts come from another thread; unchanged ones
    // are not offered again, changed ones with a question, and after the
    // import button at once; refused or empty ones send nothing.
    void carnet()
    {
        Onglet o;
        QVERIFY(o.connecte());
        GM_SearchFriends* s = o.onglet.searchWidget();
        o.carnet.contacts = QStringList{"zed@example.org", "yan@example.org"};
        const QString hash = GM_SearchFriends::contactHash(o.carnet.contacts);
        QCOMPARE(hash.size(), 32);
        o.reglages.setValue(QStringLiteral("Friends/lastContactHash"), hash);
        o.reglages.sync();
        o.carnet.requestContactEmail(s); // the platform delivers by itself
        QTest::qWait(700);
        QCOMPARE(o.titres(), QStringList{});
        o.carnet.contacts << QStringLiteral("xu@example.org");
        o.reponse = GM::Cancel;
        o.carnet.requestContactEmail(s);
        QTRY_COMPARE_WITH_TIMEOUT(o.titres(), QStringList{"Notification"}, Delai);
        QTest::qWait(200);
        QCOMPARE(o.recus("FiS"), QStringList{});
        QCOMPARE(o.reglages.value(QStringLiteral("Friends/lastContactHash")).toString(),
                 GM_SearchFriends::contactHash(o.carnet.contacts));
        QSignalSpy montre(&o.onglet, &GM_FriendsList::displayMyTab);
        s->OnRequestImportFriends();
        QTRY_COMPARE_WITH_TIMEOUT(o.recus("FiS"), QStringList{o.carnet.contacts.join(QLatin1Char(','))}, Delai);
        QCOMPARE(montre.size(), 1);
        QCOMPARE(o.onglet.toolBox()->currentIndex(), int(GM_FriendsList::PageSearch));
        o.carnet.refuse = true;
        s->OnRequestImportFriends();
        QTRY_COMPARE_WITH_TIMEOUT(s->resultTree()->topLevelItem(0)->text(0),
                                  QStringLiteral("<Accès aux contacts refusé>"), Delai);
        o.carnet.refuse = false;
        o.carnet.contacts.clear();
        s->OnRequestImportFriends();
        QTRY_COMPARE_WITH_TIMEOUT(s->resultTree()->topLevelItem(0)->text(0), QStringLiteral("<Liste vide>"), Delai);
        QCOMPARE(o.recus("FiS").size(), 1);
        QVERIFY(s->importButton()->isHidden()); // no address book on the desktop
    }

    // The tab as the user sees it (kept with ZB_KEEP_TEST_PICTURES=<folder>).
    void images()
    {
        Onglet o;
        o.lobby.serveur.setReponse("Fr1", {"Zed,301", "Yan,302"});
        QVERIFY(o.connecte());
        o.coche(o.onglet.playTree(), "106");
        o.onglet.resize(260, 420);
        o.onglet.show();
        QVERIFY(QTest::qWaitForWindowExposed(&o.onglet));
        QList<QImage> images;
        images << o.onglet.grab().toImage();
        o.onglet.toolBox()->setCurrentIndex(GM_FriendsList::PageManage);
        o.coche(o.onglet.manageTree(), "102");
        QCoreApplication::sendPostedEvents(); // the new page's layout
        images << o.onglet.grab().toImage();
        o.onglet.toolBox()->setCurrentIndex(GM_FriendsList::PageSearch);
        o.onglet.searchWidget()->searchEdit()->setText(QStringLiteral("Zedd"));
        o.onglet.searchWidget()->OnSearchClicked();
        QTRY_COMPARE_WITH_TIMEOUT(o.onglet.searchWidget()->resultTree()->topLevelItemCount(), 2, Delai);
        QCoreApplication::sendPostedEvents();
        images << o.onglet.grab().toImage();
        const QString dossier = qEnvironmentVariable("ZB_KEEP_TEST_PICTURES");
        const char* noms[] = {"friends_play.png", "friends_manage.png", "friends_search.png"};
        for (int i = 0; i < images.size(); ++i) {
            QVERIFY(!images.at(i).isNull());
            if (!dossier.isEmpty())
                QVERIFY(images.at(i).save(QDir(dossier).filePath(QString::fromLatin1(noms[i]))));
        }
    }
};

ZB_REGISTER_TEST(TestFriendsTab)
#include "TestFriendsTab.moc"
