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
        QCOMPARE(w.size(), QSize(236, 89));
        QCOMPARE(w.windowTitle(), QStringLiteral("Connection Client"));
        QVERIFY(w.findChild<QLineEdit*>(QStringLiteral("lineEditIp")) == w.getLineEdit());
        const QList<QLabel*> labels = w.findChildren<QLabel*>();
        QCOMPARE(labels.size(), 1);
        QCOMPARE(labels.first()->text(), QStringLiteral("Ip Serveur"));
        QCOMPARE(w.getButtonBox()->standardButtons(), QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
    }

    void reponses_data()
    {
        QTest::addColumn<int>("bouton"); // 0 OK, 1 Cancel, 2 Return in the field
        QTest::addColumn<bool>("accepte");
        QTest::newRow("ok") << 0 << true;
        QTest::newRow("cancel") << 1 << false;
        QTest::newRow("return") << 2 << true;
    }

    // Either answer puts the window away; OK gives the address without the
    // blanks typed around it.
    void reponses()
    {
        QFETCH(int, bouton);
        QFETCH(bool, accepte);
        ZB_ClientDialogIp w;
        w.show();
        QSignalSpy oui(&w, &ZB_ClientDialogIp::accepted);
        QSignalSpy non(&w, &ZB_ClientDialogIp::rejected);
        w.getLineEdit()->setFocus();
        QTest::keyClicks(w.getLineEdit(), QStringLiteral("  192.168.1.20 "));
        QCOMPARE(w.getIp(), QStringLiteral("192.168.1.20"));
        if (bouton == 2)
            QTest::keyClick(w.getLineEdit(), Qt::Key_Return);
        else
            QTest::mouseClick(w.getButtonBox()->button(bouton == 0 ? QDialogButtonBox::Ok : QDialogButtonBox::Cancel),
                              Qt::LeftButton);
        QCOMPARE(oui.size(), accepte ? 1 : 0);
        QCOMPARE(non.size(), accepte ? 0 : 1);
        if (accepte)
            QCOMPARE(oui.at(0).at(0).toString(), QStringLiteral("192.168.1.20"));
        QVERIFY(!w.isVisible());

        w.setIp(QStringLiteral("host.example"));
        QCOMPARE(w.getLineEdit()->text(), QStringLiteral("host.example"));
    }
};

ZB_REGISTER_TEST(TestClientDialogIp)
#include "TestClientDialogIp.moc"
