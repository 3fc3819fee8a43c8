#include "ZB_Sound.h"
#include "ZbTestRegistry.h"

#include <QSoundEffect>
#include <QTest>

class TestSceneSounds : public QObject
{
    Q_OBJECT

private slots:
    void sixEffectsInTheirOrder()
    {
        ZB_Sound son(false);
        const QStringList attendues{":/sound/cards/shuffling", ":/sound/cards/drop", ":/sound/event/whistle",
                                    ":/sound/event/ding_dong_low", ":/sound/event/drum", ":/sound/event/blop"};
        for (int i = 0; i < ZB_Sound::NOMBRE_EFFETS; ++i) {
            QCOMPARE(ZB_Sound::source(i), attendues[i]);
            QVERIFY(son.effet(i) != nullptr);
            QVERIFY2(QFile::exists(attendues[i]), qPrintable(attendues[i]));
        }
        QVERIFY(son.effet(ZB_Sound::NOMBRE_EFFETS) == nullptr);
        QVERIFY(ZB_Sound::source(-1).isEmpty());
        QVERIFY(son.isSoundOn());
        ZB_Sound silencieux(true);
        for (int i = 0; i < ZB_Sound::NOMBRE_EFFETS; ++i)
            QVERIFY(silencieux.effet(i)->source().isEmpty());
    }

    void playHonoursTheOptionAndTheSilentMode_data()
    {
        QTest::addColumn<bool>("silencieux");
        QTest::addColumn<bool>("actif");
        QTest::addColumn<int>("effet");
        QTest::addColumn<bool>("joue");
        QTest::newRow("on") << false << true << int(ZB_Sound::Sifflet) << true;
        QTest::newRow("sound off") << false << false << int(ZB_Sound::Sifflet) << false;
        QTest::newRow("silent table") << true << true << int(ZB_Sound::Sifflet) << false;
        QTest::newRow("no such effect") << false << true << 6 << false;
        QTest::newRow("negative effect") << false << true << -1 << false;
    }
    void playHonoursTheOptionAndTheSilentMode()
    {
        QFETCH(bool, silencieux);
        QFETCH(bool, actif);
        QFETCH(int, effet);
        QFETCH(bool, joue);
        ZB_Sound son(silencieux);
        son.setSoundOn(actif);
        QCOMPARE(son.play(effet), joue);
        QCOMPARE(son.journal(), joue ? QList<int>{effet} : QList<int>{});
    }

    void queueWithFixedDueTimes_data()
    {
        QTest::addColumn<QList<int>>("decalagesMs");
        QTest::addColumn<int>("joues");
        QTest::addColumn<int>("restants");
        QTest::newRow("empty") << QList<int>{} << 0 << 0;
        QTest::newRow("two due at once, same effect") << QList<int>{-10, -10} << 2 << 0;
        QTest::newRow("due exactly now stays") << QList<int>{0} << 0 << 1;
        QTest::newRow("one past, one to come") << QList<int>{-1, 30} << 1 << 1;
    }
    void queueWithFixedDueTimes()
    {
        QFETCH(QList<int>, decalagesMs);
        QFETCH(int, joues);
        QFETCH(int, restants);
        ZB_Sound son(false);
        const QDateTime maintenant = QDateTime::currentDateTimeUtc();
        for (int decalage : decalagesMs)
            son.ajouteEcheance(maintenant.addMSecs(decalage), ZB_Sound::Pose);
        QCOMPARE(son.joueEcheances(maintenant), joues);
        QCOMPARE(son.nombreEnFile(), restants);
        QCOMPARE(son.journal().size(), joues);
        // The queue runs on its own while entries remain, and stops empty.
        son.OnTimer();
        QCOMPARE(son.isQueueRunning(), son.nombreEnFile() > 0);
        QTRY_COMPARE(son.nombreEnFile(), 0);
        QTRY_VERIFY(!son.isQueueRunning());
        QCOMPARE(son.journal().size(), decalagesMs.size());
    }

    void soundOffDropsDueEntriesUnplayed()
    {
        ZB_Sound son(false);
        son.setSoundOn(false);
        son.ajouteEcheance(QDateTime::currentDateTimeUtc().addMSecs(-5), ZB_Sound::Tambour);
        QCOMPARE(son.joueEcheances(QDateTime::currentDateTimeUtc()), 1);
        QCOMPARE(son.nombreEnFile(), 0);
        QVERIFY(son.journal().isEmpty());
    }
};

ZB_REGISTER_TEST(TestSceneSounds)
#include "TestSceneSounds.moc"
