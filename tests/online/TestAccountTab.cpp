#include "GM_ClientSocket.h"
#include "GM_LineEdit.h"
#include "GM_Login.h"
#include "GM_MessageBoxDisplayerHeadless.h"
#include "GM_OnlineSettings.h"
#include "GM_PassChange.h"
#include "GM_Progress.h"
#include "GM_ServerList.h"
#include "FenetreDeSalon.h"
#include "LobbyDeTest.h"
#include "ZbTestRegistry.h"

#include <QApplication>
#include <QClipboard>
#include <QDir>
#include <QElapsedTimer>
#include <QKeyEvent>
#include <QPushButton>
#include <QSettings>
#include <QSignalSpy>
#include <QStackedWidget>
#include <QTemporaryDir>
#include <QTest>

namespace {

constexpr int Delai = 5000;
const QColor Rouge(QStringLiteral("red"));

// Alice's lobby client with the account tab as the lobby window wires it;
// boxes are answered with the button of the test's choice.
struct Compte {
    LobbyDeTest lobby;
    GM_MessageBoxDisplayerHeadless afficheur;
    ProgressionDeTest progression;
    GM_ClientSocket client{QString(), nullptr, &progression, &afficheur};
    GM_OnlineSettings onglet;
    GM::StandardButton reponse = GM::Ok;

    Compte()
    {
        afficheur.setRepondeur([this](uint, const GM_MessageBoxRequest&) { return reponse; });
        lobby.demarre(true);
        onglet.init(&afficheur, &client);
    }
    bool connecte()
    {
        QSignalSpy pret(&client, &GM_ClientSocket::signalReady);
        client.connectForLogin(QString::fromLatin1(LobbyDeTest::EmailAlice),
                               QString::fromLatin1(LobbyDeTest::PasseAlice), true, true);
        return pret.wait(Delai);
    }
    QStringList recus(const QByteArray& mot) const
    {
        QStringList r;
        for (const auto& m : lobby.serveur.recusDe(mot))
            r << QString::fromLatin1(mot) + QLatin1Char(' ') + m.champs.join(QLatin1Char('|'));
        return r;
    }
    // "icon title: text" of every box shown.
    QStringList boites() const
    {
        QStringList b;
        for (const auto& a : afficheur.historique())
            b << QStringLiteral("%1 %2: %3").arg(int(a.requete.icone_)).arg(a.requete.titre_, a.requete.texte_);
        return b;
    }
    // The boxes shown since the last call, once the queue has settled.
    QStringList nouvellesBoites(int attendues)
    {
        QElapsedTimer attente;
        attente.start();
        while (boites().size() < attendues && attente.elapsed() < Delai)
            QTest::qWait(10);
        QTest::qWait(50);
        const QStringList b = boites();
        afficheur.effaceHistorique();
        return b;
    }
    GM_PassChange* form() const { return onglet.passChange(); }
    // Types the text one key at a time, whatever its script.
    static void tape(QLineEdit* champ, const QString& texte)
    {
        for (const QChar c : texte) {
            QKeyEvent appui(QEvent::KeyPress, Qt::Key_unknown, Qt::NoModifier, QString(c));
            QApplication::sendEvent(champ, &appui);
            QKeyEvent relache(QEvent::KeyRelease, Qt::Key_unknown, Qt::NoModifier, QString(c));
            QApplication::sendEvent(champ, &relache);
        }
    }
    static bool rouge(const QLineEdit* champ) { return champ->palette().color(QPalette::Text) == Rouge; }
};

const QString Succes = QStringLiteral("1 Succès: La demande a été exécutée.");
const QString DonneesRefus =
    QStringLiteral("2 Echec: La demande ne peut pas être traitée car il y a déjà eu une requête récemment.");
const QString SuppressionRefus =
    QStringLiteral("2 Echec: La demande ne peut pas être traitée car il y a déjà une demande en cours.");
const QString Panne = QStringLiteral("2 Echec: La demande ne peut pas être traitée car le serveur de courriel");
const QString PasseChange = QStringLiteral("1 Succès: Votre mot de passe a été changé.");
const QString PasseRefuse =
    QStringLiteral("2 Echec: Le changement a échoué car l'ancien mot de passe est incorrect.");

} // namespace

class TestAccountTab : public QObject
{
    Q_OBJECT

private slots:
    // What may be typed or pasted into a password field, and when "Envoyer"
    // may be pressed: 5 to 20 letters of any script, digits and the listed
    // symbols; a field that is not acceptable is red.
    void saisieDuMotDePasse_data()
    {
        QTest::addColumn<QString>("tape");
        QTest::addColumn<QString>("garde");
        QTest::addColumn<bool>("acceptable");
        QTest::newRow("4 characters") << "abcd" << "abcd" << false;
        QTest::newRow("5 characters") << "abcd1" << "abcd1" << true;
        QTest::newRow("20 characters") << QString(20, QLatin1Char('z')) << QString(20, QLatin1Char('z')) << true;
        QTest::newRow("21 characters") << QString(21, QLatin1Char('z')) << QString(20, QLatin1Char('z')) << true;
        QTest::newRow("space") << "ab cd1" << "abcd1" << true;
        QTest::newRow("quotes") << "ab\"c'd1" << "abcd1" << true;
        QTest::newRow("symbols") << "*.!@#$%^&(){}[]:;<>,?/~_+-=|" << "*.!@#$%^&(){}[]:;<>," << true;
        QTest::newRow("more symbols") << "?/~_+-=|" << "?/~_+-=|" << true;
        QTest::newRow("accents and scripts") << "éçàΩжあ" << "éçàΩжあ" << true;
        QTest::newRow("tab and backslash") << "ab\tc\\d" << "abcd" << false;
    }
    void saisieDuMotDePasse()
    {
        QFETCH(QString, tape);
        QFETCH(QString, garde);
        QFETCH(bool, acceptable);
        Compte c;
        GM_PassChange* f = c.form();
        QVERIFY(!f->okButton()->isEnabled());
        QVERIFY(Compte::rouge(f->oldPassword()) && Compte::rouge(f->newPassword()));
        f->oldPassword()->setText(QStringLiteral("ancien1"));
        Compte::tape(f->newPassword(), tape);
        QCOMPARE(f->newPassword()->text(), garde);
        QCOMPARE(f->okButton()->isEnabled(), acceptable);
        QCOMPARE(Compte::rouge(f->newPassword()), !acceptable);
        QVERIFY(!Compte::rouge(f->oldPassword()));
        // Pasted text goes through the same door.
        f->oldPassword()->clear();
        QGuiApplication::clipboard()->setText(tape);
        f->oldPassword()->paste();
        // Pasted text that could never match is refused whole.
        QCOMPARE(f->oldPassword()->text(), tape == garde ? tape : QString());
    }

    // Changing the password through the lobby: the form opens and closes
    // on either button, keeps what was typed when cancelled, sends the two
    // passwords as typed and then starts empty, and the lobby's answer
    // gives the box.
    void motDePasse()
    {
        Compte c;
        QSignalSpy change(&c.onglet, &GM_OnlineSettings::signalPasswordChanged);
        QVERIFY(c.connecte());
        c.onglet.changePasswordButton()->click();
        QCOMPARE(c.onglet.pages()->currentIndex(), int(GM_OnlineSettings::PagePassword));
        c.form()->oldPassword()->setText(QStringLiteral("mauvais1"));
        c.form()->newPassword()->setText(QStringLiteral("nouveau-Ω1"));
        c.form()->cancelButton()->click();
        QCOMPARE(c.onglet.pages()->currentIndex(), int(GM_OnlineSettings::PageButtons));
        QCOMPARE(c.form()->newPassword()->text(), QStringLiteral("nouveau-Ω1"));

        c.onglet.changePasswordButton()->click();
        c.form()->okButton()->click();
        QCOMPARE(c.onglet.pages()->currentIndex(), int(GM_OnlineSettings::PageButtons));
        QCOMPARE(c.nouvellesBoites(1), QStringList{PasseRefuse});
        QCOMPARE(c.recus("pCH"), QStringList{"pCH mauvais1|nouveau-Ω1"});
        QVERIFY(change.isEmpty());
        QVERIFY(c.form()->oldPassword()->text().isEmpty());
        QVERIFY(c.form()->newPassword()->text().isEmpty());

        c.onglet.changePasswordButton()->click();
        Compte::tape(c.form()->oldPassword(), QString::fromLatin1(LobbyDeTest::PasseAlice));
        Compte::tape(c.form()->newPassword(), QStringLiteral("nouveau-Ω1"));
        c.form()->okButton()->click();
        QCOMPARE(c.nouvellesBoites(1), QStringList{PasseChange});
        QCOMPARE(change.size(), 1);
        QCOMPARE(change.first().first().toString(), QStringLiteral("nouveau-Ω1"));
        QCOMPARE(c.lobby.serveur.compte(QString::fromLatin1(LobbyDeTest::EmailAlice))->motDePasse,
                 QStringLiteral("nouveau-Ω1"));
    }

    // The lobby's result codes: each answer's box, and nothing for a code
    // that is not listed, is no number, or an answer without fields.
    void codes_data()
    {
        QTest::addColumn<QStringList>("reponse");
        QTest::addColumn<QString>("donnees");
        QTest::addColumn<QString>("suppression");
        QTest::addColumn<QString>("passe");
        QTest::newRow("0") << QStringList{"0"} << Succes << Succes << PasseChange;
        QTest::newRow("1") << QStringList{"1", "extra"} << DonneesRefus << SuppressionRefus << PasseRefuse;
        QTest::newRow("2") << QStringList{"2"} << Panne << Panne << "";
        QTest::newRow("3") << QStringList{"3"} << "" << "" << "";
        QTest::newRow("-1") << QStringList{"-1"} << "" << "" << "";
        QTest::newRow("no number") << QStringList{"ok"} << "" << "" << "";
        QTest::newRow("empty code") << QStringList{""} << "" << "" << "";
        QTest::newRow("huge") << QStringList{"4294967296"} << "" << "" << "";
        QTest::newRow("no field") << QStringList{} << "" << "" << "";
    }
    void codes()
    {
        QFETCH(QStringList, reponse);
        QFETCH(QString, donnees);
        QFETCH(QString, suppression);
        QFETCH(QString, passe);
        Compte c;
        const auto une = [](const QString& attendu, const QStringList& boites) {
            return attendu.isEmpty() ? boites.isEmpty() : (boites.size() == 1 && boites.first().startsWith(attendu));
        };
        c.onglet.OnRequestAccountDataAnswerReceived(&reponse);
        QVERIFY(une(donnees, c.nouvellesBoites(donnees.isEmpty() ? 0 : 1)));
        c.onglet.OnRequestAccountDeleteAnswerReceived(&reponse);
        QVERIFY(une(suppression, c.nouvellesBoites(suppression.isEmpty() ? 0 : 1)));
        c.onglet.OnPasswordChangeAnswerReceived(&reponse);
        QVERIFY(une(passe, c.nouvellesBoites(passe.isEmpty() ? 0 : 1)));
        c.onglet.OnPasswordChangeAnswerReceived(nullptr);
        QVERIFY(c.nouvellesBoites(0).isEmpty());
    }

    // Data and deletion are asked only after the user confirmed, once per
    // confirmation; the lobby answers a second request with 1 and a mail
    // service that is down with 2.
    void demandes()
    {
        Compte c;
        QVERIFY(c.connecte());
        c.reponse = GM::Cancel;
        c.onglet.seeDataButton()->click();
        c.onglet.deleteAccountButton()->click();
        const QStringList confirmations = c.nouvellesBoites(2);
        QCOMPARE(confirmations.size(), 2);
        QVERIFY(confirmations.first().startsWith(QStringLiteral("1 Confirmation: Après cette confirmation")));
        QVERIFY(confirmations.last().startsWith(QStringLiteral("2 Suppression du compte: Après cette")));
        QTest::qWait(300);
        QVERIFY(c.recus("Dld").isEmpty() && c.recus("Dli").isEmpty());

        c.reponse = GM::Ok;
        c.onglet.seeDataButton()->click();
        QVERIFY(c.nouvellesBoites(2).value(1).startsWith(Succes));
        QCOMPARE(c.recus("Dld"), QStringList{"Dld "});
        c.onglet.seeDataButton()->click();
        QVERIFY(c.nouvellesBoites(2).value(1).startsWith(DonneesRefus));
        c.onglet.deleteAccountButton()->click();
        QVERIFY(c.nouvellesBoites(2).value(1).startsWith(Succes));
        c.lobby.serveur.setCourrielEnPanne(true);
        c.onglet.deleteAccountButton()->click();
        QVERIFY(c.nouvellesBoites(2).value(1).startsWith(Panne));
        QCOMPARE(c.recus("Dli"), (QStringList{"Dli ", "Dli "}));
        QCOMPARE(c.recus("Dld").size(), 2);
    }

    // After the lobby took a new password, the login's copies follow: the
    // stored password, the login field, and the quiet login after a loss.
    void passeEnregistre()
    {
        QTemporaryDir dossier;
        QSettings reglages(dossier.filePath(QStringLiteral("zubrik.ini")), QSettings::IniFormat);
        reglages.setValue(QStringLiteral("Login/email"), QString::fromLatin1(LobbyDeTest::EmailAlice));
        reglages.setValue(QStringLiteral("Login/pass"),
                          GM_Login::passeStocke(QString::fromLatin1(LobbyDeTest::PasseAlice)));
        FenetreDeSalon::Reglages options;
        options.settings = &reglages;
        FenetreDeSalon salon(options);
        GM_ServerList& fenetre = salon.fenetre;
        GM_Login& login = salon.login;
        LobbyDeTest& lobby = salon.lobby;
        // The login the settings keep.
        QVERIFY(salon.connecte(QString(), QString()));
        QSignalSpy pret(fenetre.client(), &GM_ClientSocket::signalReady);

        GM_PassChange* f = fenetre.settingsTab()->passChange();
        f->oldPassword()->setText(QString::fromLatin1(LobbyDeTest::PasseAlice));
        f->newPassword()->setText(QStringLiteral("Changé-42"));
        f->okButton()->click();
        QTRY_COMPARE_WITH_TIMEOUT(login.passwordNormal()->text(), QStringLiteral("Changé-42"), Delai);
        QCOMPARE(GM_Login::passeLu(reglages.value(QStringLiteral("Login/pass"))), QStringLiteral("Changé-42"));

        // A loss: the quiet login uses the new password.
        GM_ClientSocket* client = fenetre.client();
        QVERIFY(client != nullptr);
        client->setAutoReconnect(true);
        GM_ClientSocket::Delais delais;
        delais.relanceBaseMs = 50;
        client->setDelais(delais);
        lobby.serveur.coupe(lobby.alice);
        QVERIFY(pret.wait(Delai));
        QVERIFY(fenetre.isConnected());
    }

    // The login's copy of a changed password: the field always, the store
    // only where a password is kept.
    void passeRemplace_data()
    {
        QTest::addColumn<QString>("stocke");
        QTest::addColumn<QString>("apres");
        QTest::newRow("stored") << "ancien-1" << "nouveau-1";
        QTest::newRow("none stored") << "" << "";
    }
    void passeRemplace()
    {
        QFETCH(QString, stocke);
        QFETCH(QString, apres);
        QTemporaryDir dossier;
        QSettings reglages(dossier.filePath(QStringLiteral("zubrik.ini")), QSettings::IniFormat);
        reglages.setValue(QStringLiteral("Login/email"), QStringLiteral("alice@example.org"));
        if (!stocke.isEmpty())
            reglages.setValue(QStringLiteral("Login/pass"), GM_Login::passeStocke(stocke));
        GM_Login login;
        login.init(&reglages);
        login.replaceSavedPassword(QStringLiteral("nouveau-1"));
        QCOMPARE(login.passwordNormal()->text(), QStringLiteral("nouveau-1"));
        QSettings relu(dossier.filePath(QStringLiteral("zubrik.ini")), QSettings::IniFormat);
        QCOMPARE(GM_Login::passeLu(relu.value(QStringLiteral("Login/pass"))), apres);
        QCOMPARE(relu.value(QStringLiteral("Login/email")).toString(), QStringLiteral("alice@example.org"));
    }

    // The tab and its password form as the user sees them (kept with
    // ZB_KEEP_TEST_PICTURES=<folder>).
    void images()
    {
        Compte c;
        c.onglet.resize(400, 279);
        c.onglet.show();
        QVERIFY(QTest::qWaitForWindowExposed(&c.onglet));
        const QImage boutons = c.onglet.grab().toImage();
        c.onglet.changePasswordButton()->click();
        c.form()->oldPassword()->setText(QStringLiteral("ancien-1"));
        c.form()->newPassword()->setText(QStringLiteral("abc"));
        const QImage formulaire = c.onglet.grab().toImage();
        const QString dossier = qEnvironmentVariable("ZB_KEEP_TEST_PICTURES");
        if (!dossier.isEmpty()) {
            QVERIFY(boutons.save(QDir(dossier).filePath(QStringLiteral("account_tab.png"))));
            QVERIFY(formulaire.save(QDir(dossier).filePath(QStringLiteral("password_change.png"))));
        }
        QVERIFY(!boutons.isNull() && !formulaire.isNull());
    }
};

ZB_REGISTER_TEST(TestAccountTab)
#include "TestAccountTab.moc"
