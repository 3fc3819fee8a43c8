#include "ZB_ClientDialogIp.h"
#include "ZbTestRegistry.h"

#include <QDialogButtonBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>

class TestClientDialogIp : public QObject
{
    Q_OBJECT

private slots:
    void construction()
    {
        ZB_ClientDialogIp w;
        QCOMPARE(w.objectName(), QStringLiteral("ClientDialogIp"));
        QCOMPARE(w.windowTitle(), QStringLiteral("Connection Client"));
        QVERIFY(w.findChild<QLineEdit*>(QStringLiteral("lineEditIp")) == w.getLineEdit());
        QVERIFY(w.findChild<QLineEdit*>(QStringLiteral("lineEditPort")) == w.getLineEditPort());
        QVERIFY(w.findChild<QLineEdit*>(QStringLiteral("lineEditNom")) == w.getLineEditNom());
        QStringList textes;
        for (const QLabel* label : w.findChildren<QLabel*>())
            if (!label->isHidden())
                textes << label->text();
        QCOMPARE(textes, (QStringList{QStringLiteral("Ip Serveur"), QStringLiteral("Port"), QStringLiteral("Votre nom")}));
        QCOMPARE(w.getButtonBox()->standardButtons(), QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
        // The keyboard goes to the address when the window gets it.
        QCOMPARE(w.focusProxy(), w.getLineEdit());
    }

    void reponses_data()
    {
        QTest::addColumn<int>("bouton"); // 0 OK, 1 Cancel, 2 Return in the address, 3 Return in the port
        QTest::addColumn<QString>("port");
        QTest::addColumn<bool>("accepte");
        QTest::addColumn<bool>("resteOuverte");
        QTest::addColumn<QString>("manque");
        const QString port = QStringLiteral("Entrez un port de 1 à 65535.");
        QTest::newRow("ok") << 0 << QStringLiteral("4711") << true << false << QString();
        QTest::newRow("cancel") << 1 << QStringLiteral("4711") << false << false << QString();
        QTest::newRow("return in the address") << 2 << QStringLiteral("4000") << true << false << QString();
        QTest::newRow("return in the port") << 3 << QStringLiteral("65535") << true << false << QString();
        QTest::newRow("no port") << 0 << QString() << false << true << port;
        QTest::newRow("port 0") << 3 << QStringLiteral("0") << false << true << port;
        QTest::newRow("cancel without a port") << 1 << QString() << false << false << QString();
        QTest::newRow("no name") << 0 << QStringLiteral("4711") << false << true << QStringLiteral("Entrez votre nom.");
        QTest::newRow("no address") << 0 << QStringLiteral("4711") << false << true
                                    << QStringLiteral("Entrez l'adresse du serveur.");
    }

    // Either answer puts the window away; OK gives the address without the
    // blanks typed around it, and the port. A port that is none keeps the
    // window open on it, and so does an empty address or name: no
    // connection is tried to nowhere, and the window says what is missing.
    void reponses()
    {
        QFETCH(int, bouton);
        QFETCH(QString, port);
        QFETCH(bool, accepte);
        QFETCH(bool, resteOuverte);
        QFETCH(QString, manque);
        ZB_ClientDialogIp w;
        w.show();
        QSignalSpy oui(&w, &ZB_ClientDialogIp::accepted);
        QSignalSpy non(&w, &ZB_ClientDialogIp::rejected);
        w.getLineEdit()->setFocus();
        const bool sansAdresse = QByteArray(QTest::currentDataTag()) == "no address";
        QTest::keyClicks(w.getLineEdit(), sansAdresse ? QStringLiteral("   ") : QStringLiteral("  192.168.1.20 "));
        QCOMPARE(w.getIp(), sansAdresse ? QString() : QStringLiteral("192.168.1.20"));
        w.getLineEditPort()->clear();
        QTest::keyClicks(w.getLineEditPort(), port);
        const bool sansNom = QByteArray(QTest::currentDataTag()) == "no name";
        w.setNom(sansNom ? QStringLiteral("  ") : QStringLiteral(" Anna "));
        if (bouton == 2)
            QTest::keyClick(w.getLineEdit(), Qt::Key_Return);
        else if (bouton == 3)
            QTest::keyClick(w.getLineEditPort(), Qt::Key_Return);
        else
            QTest::mouseClick(w.getButtonBox()->button(bouton == 0 ? QDialogButtonBox::Ok : QDialogButtonBox::Cancel),
                              Qt::LeftButton);
        QCOMPARE(oui.size(), accepte ? 1 : 0);
        QCOMPARE(non.size(), bouton == 1 ? 1 : 0);
        if (accepte) {
            QCOMPARE(oui.at(0).at(0).toString(), QStringLiteral("192.168.1.20"));
            QCOMPARE(oui.at(0).at(1).value<quint16>(), quint16(port.toUInt()));
            QCOMPARE(w.getNom(), QStringLiteral("Anna"));
        }
        QCOMPARE(w.isVisible(), resteOuverte);
        // What is missing is said, not only refused.
        QCOMPARE(w.getManque(), manque);

        w.setIp(QStringLiteral("host.example"));
        QCOMPARE(w.getLineEdit()->text(), QStringLiteral("host.example"));
        w.setPort(4002);
        QCOMPARE(w.getPort(), quint16(4002));
    }
};

ZB_REGISTER_TEST(TestClientDialogIp)
#include "TestClientDialogIp.moc"
