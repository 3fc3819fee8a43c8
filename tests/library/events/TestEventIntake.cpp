#include "EvenementDeJeu.h"
#include "GM_Exception.h"
#include "ListeDesEvenements.h"
#include "ZB_EventIntake.h"
#include "ZbTestRegistry.h"

#include <QMutexLocker>
#include <QSet>
#include <QTest>

namespace {

// A table whose moves at some states fail with an exception, the way a
// peer's move the rules cannot take fails: the state moves on first, so
// that each failure is one event of the queue.
class TableQuiEchoue : public ListeDesEvenements::Executor
{
public:
    ListeDesEvenements* liste = nullptr;
    QSet<int> echouent;
    QList<int> executes;

    bool cb_executeUnEvenement(EvenementDeJeu& ev) override
    {
        if (ev.etat_ == liste->getEtatAttendu())
            liste->setEtatAttendu(ev.etat_ + 1);
        if (echouent.contains(ev.etat_))
            throw GM_Exception(QStringLiteral("état %1").arg(ev.etat_));
        executes << ev.etat_;
        return true;
    }
    void envoieEvenement(const EvenementDeJeu&) override {}
    void continueLeJeu(int, double* delaiMs, int, bool) override
    {
        if (delaiMs != nullptr)
            *delaiMs = 0.0;
    }
    void noteActiviteJoueur(const EvenementDeJeu&) override {}
    bool peutContinuer(int&, int) override { return true; }
};

// The four cards of a trick, seats 0 to 3, at states 37 to 40.
EvenementDeJeu carte(int siege)
{
    EvenementDeJeu ev(EvenementDeJeu::Ajo, QStringLiteral("%1_%2").arg(siege + 1).arg(6 + siege), siege, 37 + siege,
                      EvenementDeJeu::Local_AI, 77, 0, 3 + siege, 0, ZB_ICI);
    ev.valide_ = true;
    return ev;
}

} // namespace

// The one way into a table's list for the table itself and both sockets:
// the event goes in once, whatever fails is told and goes no further, the
// events behind a failure still run within the tries given, and the list is
// left unlocked.
class TestEventIntake : public QObject
{
    Q_OBJECT

private slots:
    void prend_data()
    {
        QTest::addColumn<bool>("entreeEchoue");
        QTest::addColumn<QList<int>>("echouent");
        QTest::addColumn<int>("essais");
        QTest::addColumn<QStringList>("rapports");
        QTest::addColumn<QList<int>>("executes");
        const int jusquAuVide = ZB_EventIntake::EssaisJusquAuVide;
        const QString entree = QStringLiteral("entrée refusée");
        QTest::newRow("all run") << false << QList<int>{} << jusquAuVide << QStringList{}
                                 << QList<int>{37, 38, 39, 40};
        QTest::newRow("the events behind a failure run")
            << false << QList<int>{38} << jusquAuVide << QStringList{QStringLiteral("état 38")}
            << QList<int>{37, 39, 40};
        QTest::newRow("one try stops at the first failure")
            << false << QList<int>{38} << 1 << QStringList{QStringLiteral("état 38")} << QList<int>{37};
        QTest::newRow("a failed entry is told, the queue runs on the next try")
            << true << QList<int>{} << jusquAuVide << QStringList{entree} << QList<int>{37, 38, 39};
        QTest::newRow("a failed entry with one try runs nothing")
            << true << QList<int>{} << 1 << QStringList{entree} << QList<int>{};
        QTest::newRow("the tries are bounded")
            << false << QList<int>{37, 38, 39} << 2 << QStringList{QStringLiteral("état 37"), QStringLiteral("état 38")}
            << QList<int>{};
    }

    void prend()
    {
        QFETCH(bool, entreeEchoue);
        QFETCH(QList<int>, echouent);
        QFETCH(int, essais);
        QFETCH(QStringList, rapports);
        QFETCH(QList<int>, executes);

        TableQuiEchoue table;
        ListeDesEvenements liste(&table, 0);
        table.liste = &liste;
        table.echouent = QSet<int>(echouent.cbegin(), echouent.cend());
        liste.setEtatAttendu(37);
        {
            // The first three cards wait in the queue; the intake brings the
            // last.
            QMutexLocker verrou(liste.getMutex());
            for (int siege = 0; siege < 3; ++siege) {
                EvenementDeJeu ev = carte(siege);
                liste.execute_unlocked(-1, ev, false);
            }
        }
        EvenementDeJeu derniere = carte(3);
        int entrees = 0;
        QStringList dits;
        ZB_EventIntake::prend(
            liste, essais,
            [&](ListeDesEvenements& cible) {
                ++entrees;
                if (entreeEchoue)
                    throw GM_Exception(QStringLiteral("entrée refusée"));
                cible.execute_unlocked(-1, derniere, false);
            },
            [&](const QString& erreur) {
                // Told under the list's lock.
                QVERIFY(!liste.getMutex()->tryLock());
                dits << erreur;
            });

        QCOMPARE(entrees, 1);
        QCOMPARE(dits, rapports);
        QCOMPARE(table.executes, executes);
        QVERIFY(liste.getMutex()->tryLock());
        liste.unlock();
    }

    // With one try the failure comes back to be told once the lock is gone.
    void prendUneFois()
    {
        TableQuiEchoue table;
        ListeDesEvenements liste(&table, 0);
        table.liste = &liste;
        table.echouent = {37};
        liste.setEtatAttendu(37);
        EvenementDeJeu premiere = carte(0);
        const QString echec = ZB_EventIntake::prend(
            liste, [&](ListeDesEvenements& cible) { cible.execute_unlocked(-1, premiere, false); });
        QCOMPARE(echec, QStringLiteral("état 37"));
        QVERIFY(liste.getMutex()->tryLock());
        liste.unlock();
        EvenementDeJeu suivante = carte(1);
        const QString reussite = ZB_EventIntake::prend(
            liste, [&](ListeDesEvenements& cible) { cible.execute_unlocked(-1, suivante, false); });
        QCOMPARE(reussite, QString());
        QCOMPARE(table.executes, (QList<int>{38}));
    }
};

ZB_REGISTER_TEST(TestEventIntake)
#include "TestEventIntake.moc"
