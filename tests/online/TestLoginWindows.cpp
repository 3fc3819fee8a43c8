#include "GM_ClientSocket.h"
#include "GM_LineEdit.h"
#include "GM_Login.h"
#include "GM_Progress.h"
#include "LobbyDeTest.h"
#include "ZbTestRegistry.h"

#include <QCheckBox>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QSettings>
#include <QSignalSpy>
#include <QStackedWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QtEndian>

namespace {

constexpr int Delai = 5000;

bool enRouge(const QLineEdit* champ)
{
    return champ->palette().color(QPalette::Active, QPalette::Text) == QColor(Qt::red);
}

// Keeps the picture when ZB_KEEP_TEST_PICTURES names a folder.
void garde(const QImage& image, const QString& nom)
{
    const QString dossier = qEnvironmentVariable("ZB_KEEP_TEST_PICTURES");
    if (!dossier.isEmpty())
        QVERIFY(image.save(QDir(dossier).filePath(nom)));
}

int couleurs(const QImage& image)
{
    QSet<QRgb> vues;
    for (int y = 0; y < image.height(); y += 2)
        for (int x = 0; x < image.width(); x += 2)
            vues.insert(image.pixel(x, y));
    return int(vues.size());
}

} // namespace

class TestLoginWindows : public QObject
{
    Q_OBJECT

private slots:
    // "Connecter" needs a valid e-mail and either a valid password or the
    // forgotten-password box; fields that are not acceptable turn red.
    void connecter_data()
    {
        QTest::addColumn<QString>("email");
        QTest::addColumn<QString>("passe");
        QTest::addColumn<bool>("oublie");
        QTest::addColumn<bool>("connecter");
        QTest::addColumn<bool>("emailRouge");
        QTest::addColumn<bool>("passeRouge");
        QTest::newRow("mixed case e-mail") << "Alice@Example.ORG" << "secret1" << false << true << false << false;
        QTest::newRow("one-letter ending") << "a@b.c" << "secret1" << false << false << true << false;
        QTest::newRow("seven-letter ending") << "a@b.abcdefg" << "secret1" << false << false << true << false;
        QTest::newRow("password of 4") << "a@b.ch" << "abcd" << false << false << false << true;
        QTest::newRow("password of 21") << "a@b.ch" << QString(21, QLatin1Char('a')) << false << false << false << true;
        QTest::newRow("password of 5 accented") << "a@b.ch" << "éàüöç" << false << true << false << false;
        QTest::newRow("blank in the password") << "a@b.ch" << "abc def" << false << false << false << true;
        QTest::newRow("forgotten: e-mail alone") << "a@b.ch" << "" << true << true << false << true;
        QTest::newRow("forgotten, bad e-mail") << "a@b" << "" << true << false << true << true;
    }
    void connecter()
    {
        QFETCH(QString, email);
        QFETCH(QString, passe);
        QFETCH(bool, oublie);
        QFETCH(bool, connecter);
        QFETCH(bool, emailRouge);
        QFETCH(bool, passeRouge);
        GM_Login login;
        login.init(nullptr);
        login.email()->setText(email);
        login.passwordNormal()->setText(passe);
        if (oublie)
            login.forgot()->setChecked(true);
        QCOMPARE(login.buttonOk()->isEnabled(), connecter);
        QCOMPARE(enRouge(login.email()), emailRouge);
        QCOMPARE(enRouge(login.passwordNormal()), passeRouge);
        QCOMPARE(login.forgot()->isEnabled(), !emailRouge);
        if (oublie)
            QVERIFY(!login.passwordNormal()->isEnabled());
    }

    // "Envoyer" needs the pseudo, the password, its confirmation and the
    // e-mail.
    void envoyer_data()
    {
        QTest::addColumn<QString>("pseudo");
        QTest::addColumn<QString>("passe");
        QTest::addColumn<QString>("confirmation");
        QTest::addColumn<bool>("envoyer");
        QTest::addColumn<bool>("confirmationRouge");
        QTest::newRow("all good") << "Bobby" << "passe1" << "passe1" << true << false;
        QTest::newRow("pseudo of 3") << "Bob" << "passe1" << "passe1" << false << false;
        QTest::newRow("blank in the pseudo") << "Bo by" << "passe1" << "passe1" << false << false;
        QTest::newRow("confirmation differs") << "Bobby" << "passe1" << "passe2" << false << true;
    }
    void envoyer()
    {
        QFETCH(QString, pseudo);
        QFETCH(QString, passe);
        QFETCH(QString, confirmation);
        QFETCH(bool, envoyer);
        QFETCH(bool, confirmationRouge);
        GM_Login login;
        login.init(nullptr);
        login.radioGetLogin()->setChecked(true);
        QCOMPARE(login.pages()->currentWidget()->objectName(), QStringLiteral("pageGetLogin"));
        QVERIFY(!login.forgot()->isChecked());
        login.email()->setText(QStringLiteral("Bob@Example.org"));
        login.pseudo()->setText(pseudo);
        login.passwordRegister()->setText(passe);
        login.passwordRegisterConfirm()->setText(confirmation);
        QCOMPARE(login.buttonGetLogin()->isEnabled(), envoyer);
        QCOMPARE(enRouge(login.passwordRegisterConfirm()), confirmationRouge);
        if (!envoyer)
            return;
        QSignalSpy nouveau(&login, &GM_Login::signalNewUserAndPass);
        QTest::mouseClick(login.buttonGetLogin(), Qt::LeftButton);
        QCOMPARE(nouveau.size(), 1);
        QCOMPARE(nouveau.at(0).at(0).toString(), QStringLiteral("bob@example.org"));
        QCOMPARE(nouveau.at(0).at(1).toString(), passe);
        QCOMPARE(nouveau.at(0).at(2).toString(), pseudo);
        QCOMPARE(login.passwordNormal()->text(), passe);
        QTRY_COMPARE_WITH_TIMEOUT(login.pages()->currentWidget()->objectName(), QStringLiteral("pageNormal"), Delai);
    }

    // What the dialog answers: a login, a forgotten password, a cancel.
    void reponses()
    {
        GM_Login login;
        login.init(nullptr);
        QSignalSpy reponse(&login, &GM_Login::signalLoginUserAnswer);
        QSignalSpy oublie(&login, &GM_Login::signalPasswordForgot);
        QVERIFY(login.setUserAndPass(QStringLiteral("Alice@Example.org"), QStringLiteral("secret1")));
        QVERIFY(!login.setUserAndPass(QStringLiteral("Alice@Example.org"), QStringLiteral("abc")));
        login.forgot()->setChecked(true);
        QTest::mouseClick(login.buttonOk(), Qt::LeftButton);
        QCOMPARE(oublie.size(), 1);
        QCOMPARE(oublie.at(0).at(0).toString(), QStringLiteral("Alice@Example.org"));
        QVERIFY(!login.forgot()->isChecked());
        QVERIFY(login.passwordNormal()->isEnabled());
        QCOMPARE(reponse.size(), 0);
        QTest::mouseClick(login.buttonCancel2(), Qt::LeftButton);
        QTest::mouseClick(login.buttonCancel1(), Qt::LeftButton);
        QCOMPARE(reponse.size(), 2);
        QCOMPARE(reponse.at(0).at(0).toInt(), 0);
        login.passwordNormal()->setText(QStringLiteral("secret1"));
        QTest::mouseClick(login.buttonOk(), Qt::LeftButton);
        QCOMPARE(reponse.size(), 3);
        QCOMPARE(reponse.at(2).at(0).toInt(), 1);
    }

    // The stored password: only compressed, so the file is the user's
    // alone, and a value that does not read gives an empty password.
    void stockage()
    {
        QTemporaryDir dossier;
        const QString fichier = dossier.filePath(QStringLiteral("zubrik.ini"));
        {
            QSettings ecrit(fichier, QSettings::IniFormat);
            ecrit.setValue(QStringLiteral("Login/email"), QStringLiteral("alice@example.org"));
            ecrit.setValue(QStringLiteral("Login/pass"), QStringLiteral("en-clair1"));
            ecrit.setValue(QStringLiteral("Login/isAutoConnect"), false);
        }
        QFile::setPermissions(fichier, QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ReadOther);
        QSettings settings(fichier, QSettings::IniFormat);
        GM_Login login;
        login.init(&settings);
        QCOMPARE(QFileInfo(fichier).permissions() & 0x7777,
                 QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ReadUser | QFileDevice::WriteUser);
        QCOMPARE(login.passwordNormal()->text(), QStringLiteral("en-clair1"));
        QCOMPARE(login.passwordRegister()->text(), QStringLiteral("en-clair1"));
        QVERIFY(!login.autoConnect()->isChecked());
        QVERIFY(login.buttonOk()->isEnabled());
        login.autoConnect()->setChecked(true);
        login.email()->setText(QStringLiteral("Alice@Example.ORG"));
        QTest::mouseClick(login.buttonOk(), Qt::LeftButton);

        QSettings relu(fichier, QSettings::IniFormat);
        QCOMPARE(relu.value(QStringLiteral("Login/email")).toString(), QStringLiteral("alice@example.org"));
        QCOMPARE(relu.value(QStringLiteral("Login/pass")).typeId(), int(QMetaType::QByteArray));
        QCOMPARE(GM_Login::passeLu(relu.value(QStringLiteral("Login/pass"))), QStringLiteral("en-clair1"));
        QVERIFY(relu.value(QStringLiteral("Login/isAutoConnect")).toBool());
        QCOMPARE(QFileInfo(fichier).permissions() & 0x7777,
                 QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ReadUser | QFileDevice::WriteUser);
        // Whoever writes the store next keeps it private.
        settings.setValue(QStringLiteral("Display/size"), 3);
        settings.sync();
        QCOMPARE(QFileInfo(fichier).permissions() & 0x7777,
                 QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ReadUser | QFileDevice::WriteUser);
    }

    void passeLu_data()
    {
        QTest::addColumn<QVariant>("valeur");
        QTest::addColumn<QString>("passe");
        QByteArray enorme(8, '\0');
        qToBigEndian<quint32>(0x7fffffff, enorme.data());
        enorme += qCompress(QByteArrayLiteral("secret1")).mid(4);
        QTest::newRow("compressed") << QVariant(GM_Login::passeStocke(QStringLiteral("sécret1"))) << "sécret1";
        QTest::newRow("plain string") << QVariant(QStringLiteral("secret1")) << "secret1";
        QTest::newRow("not compressed") << QVariant(QByteArray("\0\0\0\x07garbage!", 11)) << QString();
        QTest::newRow("claims a huge size") << QVariant(enorme) << QString();
        QTest::newRow("too short") << QVariant(QByteArray("\0\0\x01", 3)) << QString();
        QTest::newRow("absent") << QVariant() << QString();
    }
    void passeLu()
    {
        QFETCH(QVariant, valeur);
        QFETCH(QString, passe);
        QCOMPARE(GM_Login::passeLu(valeur), passe);
    }

    // The progress window: the client's texts as text, and Cancel reaches
    // whoever installed itself, the lobby client.
    void progression()
    {
        GM_Progress progres;
        QCOMPARE(progres.getLabel()->text(), QString());
        QCOMPARE(progres.getProgressBar()->value(), 0);
        QTest::mouseClick(progres.getCancelButton(), Qt::LeftButton);
        progres.setProgress(QStringLiteral("<b>Identification...</b>"), 50);
        QCOMPARE(progres.getProgressBar()->value(), 50);
        QCOMPARE(progres.getLabel()->textFormat(), Qt::PlainText);
        progres.retranslate();
        QCOMPARE(progres.getLabel()->text(), QStringLiteral("<Progress>"));

        LobbyDeTest lobby;
        lobby.serveur.setMuet(true);
        QVERIFY(lobby.demarre(true));
        {
            GM_ClientSocket client(QString(), nullptr, &progres, nullptr);
            QSignalSpy login(&client, &GM_ClientSocket::signalHideProgressAndShowLogin);
            client.connectForLogin(QString::fromLatin1(LobbyDeTest::EmailAlice),
                                   QString::fromLatin1(LobbyDeTest::PasseAlice), false, true);
            QVERIFY(progres.isVisible());
            QTRY_COMPARE_WITH_TIMEOUT(lobby.serveur.recusDe("Lgn").size(), 1, Delai);
            QCOMPARE(progres.getLabel()->text(), QStringLiteral("Identification..."));
            QTest::mouseClick(progres.getCancelButton(), Qt::LeftButton);
            QCOMPARE(login.size(), 1);
            QVERIFY(!progres.isVisible());
        }
        // The client is gone: Cancel does nothing.
        QTest::mouseClick(progres.getCancelButton(), Qt::LeftButton);

        // At quit the scene may delete the progress window before the lobby
        // window deletes its client: the client forgets it.
        auto* premier = new GM_Progress;
        GM_ClientSocket client(QString(), nullptr, premier, nullptr);
        QCOMPARE(client.getProgress(), static_cast<GM_ProgressA*>(premier));
        delete premier;
        QCOMPARE(client.getProgress(), nullptr);
    }

    // The two pages of the login dialog and the progress window, as the
    // user sees them (kept with ZB_KEEP_TEST_PICTURES=<folder>).
    void images()
    {
        GM_Login login;
        login.init(nullptr);
        login.resize(330, 380);
        login.email()->setText(QStringLiteral("alice@example"));
        login.passwordNormal()->setText(QStringLiteral("secret1"));
        login.show();
        QVERIFY(QTest::qWaitForWindowExposed(&login));
        const QImage normale = login.grab().toImage();
        login.radioGetLogin()->setChecked(true);
        login.pseudo()->setText(QStringLiteral("Alice"));
        const QImage inscription = login.grab().toImage();
        GM_Progress progres;
        progres.resize(280, 140);
        progres.setProgress(QStringLiteral("Connexion au serveur du lobby..."), 10);
        progres.show();
        QVERIFY(QTest::qWaitForWindowExposed(&progres));
        const QImage progression = progres.grab().toImage();
        garde(normale, QStringLiteral("login_normal.png"));
        garde(inscription, QStringLiteral("login_inscription.png"));
        garde(progression, QStringLiteral("progress.png"));
        QVERIFY(couleurs(normale) > 8);
        QVERIFY(normale != inscription);
        QVERIFY(couleurs(progression) > 4);
    }
};

ZB_REGISTER_TEST(TestLoginWindows)
#include "TestLoginWindows.moc"
