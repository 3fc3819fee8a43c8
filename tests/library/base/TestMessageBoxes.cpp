#include "DestinataireDesBoites.h"
#include "GM_MessageBoxDisplayerHeadless.h"
#include "GM_MessageBoxEmitter.h"
#include "ZbTestRegistry.h"

#include <QElapsedTimer>
#include <QSet>
#include <QTest>
#include <QThread>

#include <atomic>
#include <memory>
#include <vector>

namespace {

// A displayer whose display is held "still scheduled" for as long as the
// test wants, as the table scene's is while an animation runs.
class DisplayerRetarde : public GM_MessageBoxDisplayerHeadless
{
public:
    ~DisplayerRetarde() override { arreteFileDAttente(); }
    bool isMessageBoxPending() override { return retenu || GM_MessageBoxDisplayerHeadless::isMessageBoxPending(); }
    std::atomic<bool> retenu{false};
};

QList<uint> idsAffiches(const GM_MessageBoxDisplayerHeadless& d)
{
    QList<uint> ids;
    for (const auto& a : d.historique())
        ids << a.id;
    return ids;
}

} // namespace

class TestMessageBoxes : public QObject
{
    Q_OBJECT

private slots:
    void boxesFromSeveralThreadsShownOneAtATimeInIdOrder()
    {
        GM_MessageBoxDisplayerHeadless displayer;
        DestinataireDesBoites destinataire;
        // At each display, every earlier box must have had its answer.
        QList<int> reponsesAuMomentDeLAffichage;
        connect(&displayer, &GM_MessageBoxDisplayerHeadless::signalMessageBoxShown, this,
                [&] { reponsesAuMomentDeLAffichage << destinataire.boutons.size(); });
        displayer.setRepondeur([](uint, const GM_MessageBoxRequest&) { return GM::Yes; });

        constexpr int nbThreads = 3;
        constexpr int parThread = 4;
        std::vector<std::unique_ptr<GM_MessageBoxEmitter>> emetteurs;
        std::vector<std::unique_ptr<QThread>> threads;
        for (int t = 0; t < nbThreads; ++t) {
            emetteurs.push_back(std::make_unique<GM_MessageBoxEmitter>());
            emetteurs.back()->setMessageBoxDisplayer(&displayer);
            GM_MessageBoxEmitter* emetteur = emetteurs.back().get();
            threads.emplace_back(QThread::create([emetteur, &destinataire, t] {
                for (int i = 0; i < parThread; ++i)
                    emetteur->messageBoxQuestion(GM::Question, QStringLiteral("T%1").arg(t),
                                                 QStringLiteral("box %1").arg(i), GM::Yes | GM::No, &destinataire,
                                                 "OnQuestion");
            }));
        }
        for (auto& thread : threads)
            thread->start();
        for (auto& thread : threads)
            QVERIFY(thread->wait(2000));

        QTRY_COMPARE_WITH_TIMEOUT(destinataire.boutons.size(), nbThreads * parThread, 3000);
        const QList<uint> ids = idsAffiches(displayer);
        QCOMPARE(ids.size(), nbThreads * parThread);
        for (int i = 1; i < ids.size(); ++i)
            QVERIFY2(ids[i - 1] < ids[i], "boxes must be shown in id order");
        QCOMPARE(reponsesAuMomentDeLAffichage.size(), ids.size());
        for (int i = 0; i < reponsesAuMomentDeLAffichage.size(); ++i)
            QCOMPARE(reponsesAuMomentDeLAffichage[i], i);
        for (int bouton : destinataire.boutons)
            QCOMPARE(bouton, static_cast<int>(GM::Yes));
        for (QThread* thread : destinataire.threads)
            QCOMPARE(thread, QThread::currentThread());
        // The boxes of one thread keep that thread's order.
        QList<QString> textesT0;
        for (const auto& a : displayer.historique())
            if (a.requete.titre_ == QStringLiteral("T0"))
                textesT0 << a.requete.texte_;
        QCOMPARE(textesT0, (QList<QString>{"box 0", "box 1", "box 2", "box 3"}));
        QCOMPARE(displayer.nombreEnAttente(), 0);
    }

    void nextBoxWaitsForTheAnswer()
    {
        GM_MessageBoxDisplayerHeadless displayer;
        GM_MessageBoxEmitter emetteur;
        emetteur.setMessageBoxDisplayer(&displayer);
        emetteur.messageBox(GM::Information, QStringLiteral("A"), QStringLiteral("a"));
        emetteur.messageBox(GM::Warning, QStringLiteral("B"), QStringLiteral("b"));
        QTRY_VERIFY_WITH_TIMEOUT(displayer.aUneBoiteAffichee(), 500);
        // Queued while a box is on screen, not while its display is scheduled.
        emetteur.messageBox(GM::Critical, QStringLiteral("C"), QStringLiteral("c"), GM::Ok | GM::Cancel);
        QTest::qWait(20);
        QCOMPARE(displayer.historique().size(), 1);
        QCOMPARE(displayer.nombreEnAttente(), 3);

        // An answer for a box that is not on screen must not bring a second one up.
        displayer.messageBoxAnswered(displayer.idAffiche() + 1000, GM::Ok);
        QTest::qWait(20);
        QCOMPARE(displayer.historique().size(), 1);

        QStringList titres;
        for (int i = 0; i < 3; ++i) {
            QTRY_VERIFY_WITH_TIMEOUT(displayer.aUneBoiteAffichee(), 500);
            titres << displayer.historique().last().requete.titre_;
            QVERIFY(displayer.repond(GM::Ok));
            QVERIFY(!displayer.repond(GM::Ok));
        }
        QCOMPARE(titres, (QStringList{"A", "B", "C"}));
        const auto dernier = displayer.historique().last().requete;
        QCOMPARE(dernier.icone_, GM::Critical);
        QCOMPARE(static_cast<int>(dernier.boutons_), 0x400400);
        QCOMPARE(dernier.type_, static_cast<int>(GM_MessageBoxRequest::Simple));
        QTest::qWait(20);
        QVERIFY(!displayer.aUneBoiteAffichee());
        QCOMPARE(displayer.nombreEnAttente(), 0);
    }

    void answerReachesTheNamedSlot_data()
    {
        QTest::addColumn<QString>("genre");
        QTest::addColumn<int>("bouton");
        QTest::addColumn<QStringList>("appels");
        QTest::addColumn<QList<int>>("boutons");

        QTest::newRow("question Yes") << "question" << int(GM::Yes) << QStringList{"OnQuestion"}
                                      << QList<int>{0x4000};
        QTest::newRow("question No") << "question" << int(GM::No) << QStringList{"OnQuestion"}
                                     << QList<int>{0x10000};
        QTest::newRow("confirm Ok") << "confirm" << int(GM::Ok) << QStringList{"OnAccepte"} << QList<int>{};
        QTest::newRow("confirm Cancel") << "confirm" << int(GM::Cancel) << QStringList{} << QList<int>{};
        QTest::newRow("tournament Yes") << "tournament" << int(GM::Yes) << QStringList{"OnTournPlay"}
                                        << QList<int>{};
        QTest::newRow("tournament No") << "tournament" << int(GM::No) << QStringList{"OnTournDeny"}
                                       << QList<int>{};
        QTest::newRow("tournament closed") << "tournament" << int(GM::NoButton) << QStringList{"OnTournDeny"}
                                           << QList<int>{};
        QTest::newRow("download Cancel") << "download" << int(GM::Cancel) << QStringList{"cancelDownload"}
                                         << QList<int>{};
        QTest::newRow("download closed") << "download" << int(GM::NoButton) << QStringList{} << QList<int>{};
        QTest::newRow("plain box") << "plain" << int(GM::Ok) << QStringList{} << QList<int>{};
        QTest::newRow("tutorial") << "tutorial" << int(GM::Ok) << QStringList{} << QList<int>{};
    }

    void answerReachesTheNamedSlot()
    {
        QFETCH(QString, genre);
        QFETCH(int, bouton);
        QFETCH(QStringList, appels);
        QFETCH(QList<int>, boutons);

        GM_MessageBoxDisplayerHeadless displayer;
        displayer.setRepondeur([bouton](uint, const GM_MessageBoxRequest&) { return GM::StandardButton(bouton); });
        GM_MessageBoxEmitter emetteur;
        emetteur.setMessageBoxDisplayer(&displayer);
        DestinataireDesBoites d;
        if (genre == "question")
            emetteur.messageBoxQuestion(GM::Question, "t", "q", GM::Yes | GM::No, &d, "OnQuestion");
        else if (genre == "confirm")
            emetteur.messageBoxConfirm(GM::Warning, "t", "c", GM::Ok | GM::Cancel, &d, "OnAccepte");
        else if (genre == "tournament")
            emetteur.messageBoxTournament("t", "p", GM::Yes | GM::No, &d);
        else if (genre == "download")
            emetteur.messageBoxDownload("t", "d", &d);
        else if (genre == "plain")
            emetteur.messageBox(GM::Information, "t", "p");
        else
            emetteur.showTutorial();

        QTRY_COMPARE_WITH_TIMEOUT(displayer.historique().size(), 1, 500);
        QTRY_COMPARE_WITH_TIMEOUT(displayer.nombreEnAttente(), 0, 500);
        QTest::qWait(10);
        QCOMPARE(d.appels, appels);
        QCOMPARE(d.boutons, boutons);

        const GM_MessageBoxRequest r = displayer.historique().first().requete;
        if (genre == "tournament") {
            QCOMPARE(r.icone_, GM::Question);
            QCOMPARE(r.masqueAccepte_, 0x4000);
            QCOMPARE(static_cast<int>(r.boutons_), 0x14000);
        } else if (genre == "download") {
            QCOMPARE(r.icone_, GM::Information);
            QCOMPARE(static_cast<int>(r.boutons_), 0x400000);
            QCOMPARE(r.masqueAccepte_, 0x400000);
        } else if (genre == "tutorial") {
            QCOMPARE(r.type_, 3);
        }
    }

    void idsAreUniqueProgramWide()
    {
        // Emitters without a displayer still number download boxes, from
        // any thread; with displayers the numbers come from the same counter.
        std::vector<QList<uint>> parThread(4);
        std::vector<std::unique_ptr<QThread>> threads;
        for (auto& liste : parThread)
            threads.emplace_back(QThread::create([&liste] {
                GM_MessageBoxEmitter emetteur;
                for (int i = 0; i < 200; ++i)
                    liste << emetteur.messageBoxDownload("t", "d", nullptr);
            }));
        for (auto& thread : threads)
            thread->start();
        for (auto& thread : threads)
            QVERIFY(thread->wait(2000));

        GM_MessageBoxDisplayerHeadless d1;
        GM_MessageBoxDisplayerHeadless d2;
        GM_MessageBoxEmitter e1;
        GM_MessageBoxEmitter e2;
        e1.setMessageBoxDisplayer(&d1);
        e2.setMessageBoxDisplayer(&d2);
        QList<uint> tous;
        for (const auto& liste : parThread) {
            tous << liste;
            for (int i = 1; i < liste.size(); ++i)
                QVERIFY(liste[i - 1] < liste[i]);
        }
        tous << e1.messageBoxDownload("t", "d", nullptr) << e2.messageBoxDownload("t", "d", nullptr)
             << e1.messageBoxDownload("t", "d", nullptr);
        QCOMPARE(QSet<uint>(tous.cbegin(), tous.cend()).size(), tous.size());
        QCOMPARE(d1.nombreEnAttente(), 2);
        QCOMPARE(d2.nombreEnAttente(), 1);
    }

    void withoutDisplayerNothingHappens()
    {
        GM_MessageBoxEmitter emetteur;
        DestinataireDesBoites d;
        QVERIFY(emetteur.getMessageBoxDisplayer() == nullptr);
        emetteur.messageBox(GM::Information, "t", "t");
        emetteur.messageBoxQuestion(GM::Question, "t", "t", GM::Yes, &d, "OnQuestion");
        emetteur.messageBoxConfirm(GM::Question, "t", "t", GM::Ok, &d, "OnAccepte");
        emetteur.messageBoxTournament("t", "t", GM::Yes | GM::No, &d);
        const uint id = emetteur.messageBoxDownload("t", "t", &d);
        emetteur.showTutorial();
        emetteur.updateMessageBox("t", "t", -1);
        emetteur.updateMessageBox("t", "t", static_cast<int>(id));
        emetteur.closeStatusBox();
        QTest::qWait(10);
        QVERIFY(d.appels.isEmpty());

        // Clearing the displayer stops the boxes again.
        GM_MessageBoxDisplayerHeadless displayer;
        emetteur.setMessageBoxDisplayer(&displayer);
        emetteur.setMessageBoxDisplayer(nullptr);
        emetteur.messageBox(GM::Information, "t", "t");
        emetteur.updateMessageBox("t", "t", -1);
        QCOMPARE(displayer.nombreEnAttente(), 0);
        QVERIFY(!displayer.statusBoxVisible());
    }

    void destroyedReceiverDoesNotStopTheQueue()
    {
        GM_MessageBoxDisplayerHeadless displayer;
        GM_MessageBoxEmitter emetteur;
        emetteur.setMessageBoxDisplayer(&displayer);
        auto parti = std::make_unique<DestinataireDesBoites>();
        DestinataireDesBoites reste;
        emetteur.messageBoxQuestion(GM::Question, "1", "gone", GM::Yes | GM::No, parti.get(), "OnQuestion");
        emetteur.messageBoxConfirm(GM::Question, "2", "gone", GM::Ok, parti.get(), "OnAccepte");
        emetteur.messageBoxQuestion(GM::Question, "3", "here", GM::Yes | GM::No, &reste, "OnQuestion");
        QTRY_VERIFY_WITH_TIMEOUT(displayer.aUneBoiteAffichee(), 500);
        parti.reset();
        displayer.setRepondeur([](uint, const GM_MessageBoxRequest&) { return GM::Ok; });
        QVERIFY(displayer.repond(GM::Yes));
        QTRY_COMPARE_WITH_TIMEOUT(reste.boutons, QList<int>{int(GM::Ok)}, 500);
        QCOMPARE(displayer.historique().size(), 3);
        QCOMPARE(displayer.nombreEnAttente(), 0);
    }

    void receiverDestroyedAfterTheAnswerGetsNoCall()
    {
        GM_MessageBoxDisplayerHeadless displayer;
        GM_MessageBoxEmitter emetteur;
        emetteur.setMessageBoxDisplayer(&displayer);
        auto parti = std::make_unique<DestinataireDesBoites>();
        emetteur.messageBoxQuestion(GM::Question, "1", "q", GM::Yes, parti.get(), "OnQuestion");
        QTRY_VERIFY_WITH_TIMEOUT(displayer.aUneBoiteAffichee(), 500);
        QVERIFY(displayer.repond(GM::Yes));
        // The queued call is on its way; the receiver goes before it lands.
        parti.reset();
        QTest::qWait(10);
        QCOMPARE(displayer.nombreEnAttente(), 0);
    }

    void destroyedEmitterIsForgottenByItsQueuedBoxes()
    {
        GM_MessageBoxDisplayerHeadless displayer;
        DestinataireDesBoites d;
        auto emetteur = std::make_unique<GM_MessageBoxEmitter>();
        emetteur->setMessageBoxDisplayer(&displayer);
        emetteur->messageBoxQuestion(GM::Question, "1", "q", GM::Yes, &d, "OnQuestion");
        emetteur->messageBoxQuestion(GM::Question, "2", "q", GM::Yes, &d, "OnQuestion");
        QTRY_VERIFY_WITH_TIMEOUT(displayer.aUneBoiteAffichee(), 500);
        const uint suivant = displayer.idAffiche() + 1;
        QVERIFY(displayer.findMessageBox(suivant) != nullptr);
        QCOMPARE(displayer.findMessageBox(suivant)->emetteur_, emetteur.get());
        emetteur.reset();
        QVERIFY(displayer.findMessageBox(suivant)->emetteur_ == nullptr);
        QVERIFY(displayer.findMessageBox(displayer.idAffiche())->emetteur_ == nullptr);

        // Its boxes are still shown and answered.
        QVERIFY(displayer.repond(GM::Yes));
        QTRY_VERIFY_WITH_TIMEOUT(displayer.aUneBoiteAffichee(), 500);
        QCOMPARE(displayer.idAffiche(), suivant);
        QVERIFY(displayer.repond(GM::Yes));
        QTRY_COMPARE_WITH_TIMEOUT(d.boutons.size(), 2, 500);
    }

    void statusBoxAndTextUpdates()
    {
        GM_MessageBoxDisplayerHeadless displayer;
        GM_MessageBoxEmitter emetteur;
        emetteur.setMessageBoxDisplayer(&displayer);
        DestinataireDesBoites d;

        emetteur.updateMessageBox(QStringLiteral("Connexion"), QStringLiteral("En cours"), -1);
        QVERIFY(displayer.statusBoxVisible());
        QCOMPARE(displayer.statusBox().texte_, QStringLiteral("En cours"));
        QCOMPARE(displayer.statusBox().icone_, GM::Information);
        emetteur.closeStatusBox();
        QVERIFY(!displayer.statusBoxVisible());
        QCOMPARE(displayer.nombreEnAttente(), 0);

        emetteur.messageBox(GM::Information, "first", "first");
        const uint id = emetteur.messageBoxDownload(QStringLiteral("Download"), QStringLiteral("0 %"), &d);
        // The queued box takes the new text before it is shown ...
        emetteur.updateMessageBox(QStringLiteral("Download"), QStringLiteral("10 %"), static_cast<int>(id));
        QTRY_VERIFY_WITH_TIMEOUT(displayer.aUneBoiteAffichee(), 500);
        QVERIFY(displayer.repond(GM::Ok));
        QTRY_COMPARE_WITH_TIMEOUT(displayer.idAffiche(), id, 500);
        QTRY_VERIFY_WITH_TIMEOUT(displayer.aUneBoiteAffichee(), 500);
        QCOMPARE(displayer.historique().last().requete.texte_, QStringLiteral("10 %"));
        // ... and the box on screen follows later updates.
        emetteur.updateMessageBox(QStringLiteral("Download"), QStringLiteral("50 %"), static_cast<int>(id));
        QCOMPARE(displayer.historique().last().requete.texte_, QStringLiteral("50 %"));
        QCOMPARE(displayer.findMessageBox(id)->texte_, QStringLiteral("50 %"));
        // An update for a box that is gone changes nothing.
        emetteur.updateMessageBox(QStringLiteral("x"), QStringLiteral("x"), static_cast<int>(id) + 100);
        QVERIFY(displayer.repond(GM::Cancel));
        QTRY_COMPARE_WITH_TIMEOUT(d.appels, QStringList{"cancelDownload"}, 500);
    }

    // A box withdrawn by its emitter goes unanswered: a queued one is
    // never shown, the one on screen is taken down and the next follows;
    // an id that is not queued changes nothing.
    void withdrawnBoxesAreNotAnswered()
    {
        GM_MessageBoxDisplayerHeadless displayer;
        GM_MessageBoxEmitter emetteur;
        emetteur.setMessageBoxDisplayer(&displayer);
        DestinataireDesBoites d;
        const uint affichee = emetteur.messageBoxDownload(QStringLiteral("Download"), QStringLiteral("0 %"), &d);
        const uint enAttente = emetteur.messageBoxDownload(QStringLiteral("Download"), QStringLiteral("0 %"), &d);
        emetteur.messageBox(GM::Information, QStringLiteral("last"), QStringLiteral("last"));
        QTRY_VERIFY_WITH_TIMEOUT(displayer.aUneBoiteAffichee(), 500);
        QCOMPARE(displayer.idAffiche(), affichee);
        emetteur.closeMessageBox(enAttente);
        emetteur.closeMessageBox(enAttente + 100);
        QCOMPARE(displayer.nombreEnAttente(), 2);
        QCOMPARE(displayer.idAffiche(), affichee);
        emetteur.closeMessageBox(affichee);
        QTRY_COMPARE_WITH_TIMEOUT(displayer.historique().size(), 2, 500);
        QCOMPARE(displayer.historique().last().requete.titre_, QStringLiteral("last"));
        QVERIFY(displayer.repond(GM::Ok));
        QTest::qWait(20);
        QVERIFY(!displayer.aUneBoiteAffichee());
        QCOMPARE(displayer.nombreEnAttente(), 0);
        QVERIFY(d.appels.isEmpty());
    }

    void delayThreadWaitsForAScheduledDisplay()
    {
        DisplayerRetarde displayer;
        GM_MessageBoxEmitter emetteur;
        emetteur.setMessageBoxDisplayer(&displayer);
        displayer.retenu = true;
        QElapsedTimer chrono;
        chrono.start();
        emetteur.messageBox(GM::Information, "late", "late");
        emetteur.messageBox(GM::Information, "later", "later");
        QTest::qWait(50);
        QCOMPARE(displayer.historique().size(), 0);
        displayer.retenu = false;
        // The delay thread looks again after its pause and shows the first.
        QTRY_VERIFY_WITH_TIMEOUT(displayer.aUneBoiteAffichee(), 1500);
        QVERIFY(chrono.elapsed() >= 400);
        QCOMPARE(displayer.historique().size(), 1);
        QCOMPARE(displayer.historique().first().requete.titre_, QStringLiteral("late"));
        QVERIFY(displayer.repond(GM::Ok));
        QTRY_COMPARE_WITH_TIMEOUT(displayer.historique().size(), 2, 500);
    }

    void displayerGoesAwayWhileItsDelayThreadWaits()
    {
        GM_MessageBoxEmitter emetteur;
        QElapsedTimer chrono;
        {
            DisplayerRetarde displayer;
            emetteur.setMessageBoxDisplayer(&displayer);
            displayer.retenu = true;
            emetteur.messageBox(GM::Information, "never", "never");
            QTest::qWait(20);
            emetteur.setMessageBoxDisplayer(nullptr);
            chrono.start();
        }
        // The destructor woke the thread instead of waiting out its pause.
        QVERIFY(chrono.elapsed() < 300);
        emetteur.messageBox(GM::Information, "dropped", "dropped");
    }
};

ZB_REGISTER_TEST(TestMessageBoxes)
#include "TestMessageBoxes.moc"
