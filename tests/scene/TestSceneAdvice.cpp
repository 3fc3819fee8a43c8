#include "AiTestKit.h"
#include "TableDeScene.h"
#include "ZbTestRegistry.h"

#include <QTest>

using namespace aitest;
using namespace scenetest;

// The computer's card advice for the local player: asked by the scene on the
// GUI thread, answered on the search thread.
class TestSceneAdvice : public QObject
{
    Q_OBJECT

private slots:
    void answerFromTheSearchThreadGivesThePlaceBack()
    {
        Position p(false, 31, 6);
        AI_Joueur ia;
        assied(ia, p, &table_, 2000.0);
        TableDeScene t;
        QVERIFY(t.scene->demandeConseil(&ia, p.partie, p.partie->joueurQuiAChoisiAtout_));
        // The help box waits for the running search.
        QVERIFY(t.scene->attendConseil(-1));
        QVERIFY(!t.scene->isAdviceRunning());
        QVERIFY(p.estLegale(t.scene->carteConseil()));
        // The place is free again: a second request does not wait.
        QVERIFY(t.scene->demandeConseil(&ia, p.partie, p.partie->joueurQuiAChoisiAtout_));
        QVERIFY(t.scene->attendConseil(-1));
        QVERIFY(p.estLegale(t.scene->carteConseil()));
    }

    void aNewRequestStopsTheStaleSearch()
    {
        const quint32 graine = Position::graineAvecChoix(false, 3, 2, 5);
        Position p(false, graine, 2);
        AI_Joueur ia;
        assied(ia, p, &table_, 1e7);
        TableDeScene t;
        QVERIFY(t.scene->demandeConseil(&ia, p.partie, p.partie->joueurQuiAChoisiAtout_));
        QVERIFY(t.scene->isAdviceRunning());
        // The position moved on: the new request's advisor searches briefly.
        AI_Joueur rapide;
        assied(rapide, p, &table_, 1000.0);
        QVERIFY(t.scene->demandeConseil(&rapide, p.partie, p.partie->joueurQuiAChoisiAtout_));
        QVERIFY2(ia.attendRecherche(0), "the stale search was stopped");
        QVERIFY(t.scene->attendConseil(-1));
        QVERIFY(p.estLegale(t.scene->carteConseil()));
    }

    void closingTheSceneStopsARunningSearch()
    {
        const quint32 graine = Position::graineAvecChoix(false, 5, 2, 5);
        Position p(false, graine, 2);
        AI_Joueur ia;
        assied(ia, p, &table_, 1e7);
        auto t = std::make_unique<TableDeScene>();
        QVERIFY(t->scene->demandeConseil(&ia, p.partie, p.partie->joueurQuiAChoisiAtout_));
        QVERIFY(t->scene->isAdviceRunning());
        t.reset();
        // The search is over before the scene's memory is gone: its answer
        // found a living receiver.
        QVERIFY(ia.attendRecherche(0));
    }

    void noPlayerNoAdvice()
    {
        TableDeScene t;
        QVERIFY(!t.scene->demandeConseil(nullptr, QSharedPointer<Partie>(), 0));
        QVERIFY(!t.scene->isAdviceRunning());
        QVERIFY(t.scene->attendConseil(0));
    }

    void gamePointerIsSharedUnderItsOwnLock()
    {
        Position p(false, 8, 0);
        TableDeScene t;
        QVERIFY(!t.scene->aUnePartie());
        t.scene->setPartie(p.partie);
        QVERIFY(t.scene->aUnePartie());
        QCOMPARE(t.scene->partie(), p.partie);
        // Readers on other threads meanwhile.
        std::unique_ptr<QThread> lecteur(QThread::create([&t, &p] {
            for (int i = 0; i < 1000; ++i)
                QVERIFY(t.scene->partie() == p.partie || t.scene->partie().isNull());
        }));
        lecteur->start();
        for (int i = 0; i < 50; ++i)
            t.scene->setPartie(i % 2 ? p.partie : QSharedPointer<Partie>());
        t.scene->setPartie(p.partie);
        QVERIFY(lecteur->wait(5000));
    }

private:
    TableEnregistreuse table_;
};

ZB_REGISTER_TEST(TestSceneAdvice)
#include "TestSceneAdvice.moc"
