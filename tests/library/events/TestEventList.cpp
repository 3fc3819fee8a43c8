#include "EventListTestKit.h"
#include "ZbTestRegistry.h"

using namespace listetest;

// The list as the table runs it: the queue by state, pacing, the intake
// filter, refused and unreadable events, the executor's failures and the
// record it writes.
class TestEventList : public QObject
{
    Q_OBJECT

private slots:
    void freshList()
    {
        ExecuteurTemoin exec;
        ListeDesEvenements liste(&exec, 2);
        QCOMPARE(texteDuRecord(liste), QStringLiteral("12\r\n"));
        QCOMPARE(liste.getNoTable(), 2);
        QCOMPARE(liste.getEtatExecute(), 0);
        QCOMPARE(liste.getNombreDeDonnes(), 1);
        QCOMPARE(liste.version_, 3);
        QVERIFY(!liste.getExecutes().isUndoRedoEnabled());
        QVERIFY(!liste.getEnAttente().isUndoRedoEnabled());
        QVERIFY(blocsNonVides(liste.getEnAttente()).isEmpty());
        QCOMPARE(ListeDesEvenements::getInscriptions(liste.getExecutes(), 0, 0, 3), QStringList(5, QString()));
        QVERIFY(!liste.estReplayEnCours());
    }

    void queuedByStateRunInExpectedOrder()
    {
        ExecuteurTemoin exec;
        ListeDesEvenements liste(&exec, 0);
        exec.liste = &liste;
        exec.ordre = {6, 20, 37};
        liste.setEtatAttendu(6);

        EvenementDeJeu carte = evenement(EvenementDeJeu::Ajo, QStringLiteral("1_6"), 0, 37, 3);
        EvenementDeJeu atout = evenement(EvenementDeJeu::Cho, QStringLiteral("{0!1!2!1!}"), 1, 20, 2, 1);
        EvenementDeJeu donne = evenement(EvenementDeJeu::Dis, QStringLiteral("Ok"), 0, 6, 1);
        liste.execute_unlocked(-1, carte, false);
        liste.execute_unlocked(-1, atout, false);
        QCOMPARE(blocsNonVides(liste.getEnAttente()), (QStringList{carte.toString(3), atout.toString(3)}));
        QCOMPARE(liste.getEnQueue(20), atout.toString(3));

        // Nothing for the expected state yet.
        liste.flush_unlocked();
        QVERIFY(exec.executes.isEmpty());
        QCOMPARE(exec.notes.size(), 2);

        liste.execute_unlocked(-1, donne, false);
        liste.flush_unlocked();
        QCOMPARE(exec.etatsExecutes(), (QList<int>{6, 20, 37}));
        QCOMPARE(liste.getEtatExecute(), 37);
        QCOMPARE(liste.getEnQueue(37), QString());
        QVERIFY(blocsNonVides(liste.getEnAttente()).isEmpty());
        QCOMPARE(blocs(liste.getExecutes()),
                 (QStringList{QStringLiteral("12"), donne.toString(3), atout.toString(3), carte.toString(3)}));
        // Mode 1 is executed but not forwarded.
        QCOMPARE(etatsDe(exec.envoyes), (QList<int>{6, 37}));
        QCOMPARE(exec.modesContinue, (QList<int>{0, 1, 0}));
    }

    void textsAreWrittenInTheListsVersion()
    {
        ExecuteurTemoin exec;
        ListeDesEvenements liste(&exec, 0);
        exec.liste = &liste;
        liste.version_ = 1;
        EvenementDeJeu ev = evenement(EvenementDeJeu::Dis, QStringLiteral("Ok"), 0, 7, 12, 0, 0, 77, 0);
        liste.setEtatAttendu(7);
        liste.execute_unlocked(-1, ev, true);
        liste.flush_unlocked();
        QCOMPARE(texteDuRecord(liste), QStringLiteral("12\r\n{Dis!Ok!0!7!0!77!0!12!}\r\n"));
    }

    void laterAnswerReplacesQueuedOne()
    {
        ExecuteurTemoin exec;
        ListeDesEvenements liste(&exec, 0);
        exec.liste = &liste;
        EvenementDeJeu premier = evenement(EvenementDeJeu::Cho, QStringLiteral("{0!1!2!1!}"), 1, 20, 2);
        EvenementDeJeu second = evenement(EvenementDeJeu::Cho, QStringLiteral("{0!1!3!1!}"), 1, 20, 2);
        liste.execute_unlocked(-1, premier, false);
        liste.execute_unlocked(-1, second, false);
        QCOMPARE(liste.getEnQueue(20), second.toString(3));
        liste.setEtatAttendu(20);
        liste.flush_unlocked();
        QCOMPARE(exec.executes.size(), 1);
        QCOMPARE(exec.executes[0].texte_, second.texte_);
    }

    void pacing()
    {
        ExecuteurTemoin exec;
        ListeDesEvenements liste(&exec, 0);
        exec.liste = &liste;
        const QList<EvenementDeJeu> evs = partie().mid(5, 4); // deal, trump, two cards
        exec.ordre = etatsDe(evs);
        for (EvenementDeJeu ev : evs)
            liste.execute_unlocked(-1, ev, false);
        liste.setEtatAttendu(evs[0].etat_);

        // Halves go up.
        exec.delai = 120.5;
        liste.flush_unlocked();
        QCOMPARE(exec.executes.size(), 1);
        QVERIFY(liste.getTimer().isActive());
        QVERIFY(liste.getTimer().isSingleShot());
        QCOMPARE(liste.getTimer().interval(), 121);
        // While the animation runs, another flush does nothing.
        liste.flush_unlocked();
        QCOMPARE(exec.executes.size(), 1);

        // No-delay mode: every paced event waits 1 ms, whatever the table says.
        liste.sansDelai_ = true;
        exec.delai = 0.0;
        QTRY_COMPARE_WITH_TIMEOUT(exec.executes.size(), 4, 2000);
        QCOMPARE(liste.getTimer().interval(), 1);
    }

    void unpacedModesAndNoDelay()
    {
        ExecuteurTemoin exec;
        ListeDesEvenements liste(&exec, 0);
        exec.liste = &liste;
        exec.delai = 500.0;
        // Modes 1 and 3 are not paced: everything runs in one flush.
        QList<EvenementDeJeu> evs = partie().mid(5, 4);
        exec.ordre = etatsDe(evs);
        for (int i = 0; i < evs.size(); ++i) {
            evs[i].mode_ = (i % 2) ? 3 : 1;
            liste.execute_unlocked(-1, evs[i], false);
        }
        liste.setEtatAttendu(evs[0].etat_);
        liste.flush_unlocked();
        QCOMPARE(exec.executes.size(), 4);
        QVERIFY(!liste.getTimer().isActive());
        QCOMPARE(exec.envoyes.size(), 2); // the mode-3 ones

        // A zero delay does not pace a live event either.
        ExecuteurTemoin exec2;
        ListeDesEvenements liste2(&exec2, 0);
        exec2.liste = &liste2;
        joue(liste2, exec2, partie());
        QCOMPARE(exec2.executes.size(), partie().size());
        QVERIFY(!liste2.getTimer().isActive());
    }

    void interruptedListRunsNothing()
    {
        ExecuteurTemoin exec;
        ListeDesEvenements liste(&exec, 0);
        exec.liste = &liste;
        EvenementDeJeu ev = evenement(EvenementDeJeu::Dis, QStringLiteral("Ok"), 0, 6, 1);
        liste.execute_unlocked(-1, ev, false);
        liste.setEtatAttendu(6);
        liste.interrompu_ = true;
        liste.flush_unlocked();
        QVERIFY(exec.executes.isEmpty());
        QCOMPARE(liste.getEnQueue(6), ev.toString(3));
        liste.clear();
        QVERIFY(!liste.interrompu_);
        QCOMPARE(liste.getEnQueue(6), QString());
        QCOMPARE(liste.getEtatAttendu(), 6); // left to the table
    }

    void executorNotReadyRetries()
    {
        ExecuteurTemoin exec;
        ListeDesEvenements liste(&exec, 0);
        exec.liste = &liste;
        EvenementDeJeu ev = evenement(EvenementDeJeu::Dis, QStringLiteral("Ok"), 0, 6, 1);
        liste.execute_unlocked(-1, ev, false);
        liste.setEtatAttendu(6);
        exec.peut = false;
        liste.flush_unlocked();
        QVERIFY(exec.executes.isEmpty());
        QVERIFY(liste.getTimer().isActive());
        QCOMPARE(liste.getTimer().interval(), 250);
        // The retry is the timer's job.
        exec.peut = true;
        liste.flush_unlocked();
        QVERIFY(exec.executes.isEmpty());
        QCOMPARE(exec.peutContinuerAppels, 1);
    }

    void immediateKindsAreNeverRecorded_data()
    {
        QTest::addColumn<int>("genre");
        QTest::addColumn<int>("mode");
        QTest::addColumn<bool>("transmis");
        QTest::newRow("Mes live") << int(EvenementDeJeu::Mes) << 0 << true;
        QTest::newRow("Mes replay head") << int(EvenementDeJeu::Mes) << 3 << true;
        QTest::newRow("Mes mode 1") << int(EvenementDeJeu::Mes) << 1 << false;
        QTest::newRow("JoO") << int(EvenementDeJeu::JoO) << 0 << true;
        QTest::newRow("JoN") << int(EvenementDeJeu::JoN) << 0 << true;
        QTest::newRow("JoM") << int(EvenementDeJeu::JoM) << 2 << false;
        QTest::newRow("NeW") << int(EvenementDeJeu::NeW) << 0 << true;
    }

    void immediateKindsAreNeverRecorded()
    {
        QFETCH(int, genre);
        QFETCH(int, mode);
        QFETCH(bool, transmis);
        ExecuteurTemoin exec;
        ListeDesEvenements liste(&exec, 0);
        exec.liste = &liste;
        const bool reponse = genre == EvenementDeJeu::JoN;
        EvenementDeJeu ev = evenement(genre, QStringLiteral("salut"), 1, 140, reponse ? 4 : -1, mode);
        liste.execute_unlocked(-1, ev, true);
        QCOMPARE(exec.executes.size(), 1);
        QCOMPARE(exec.notes.size(), 1);
        QCOMPARE(exec.envoyes.size(), transmis ? 1 : 0);
        QCOMPARE(liste.getEnQueue(140), QString());
        QVERIFY(blocsNonVides(liste.getEnAttente()).isEmpty());
        QCOMPARE(texteDuRecord(liste), QStringLiteral("12\r\n"));
        // Immediate kinds run even for a state already played.
        liste.execute_unlocked(-1, ev, true);
        QCOMPARE(exec.executes.size(), 2);
    }

    void intakeFilter_data()
    {
        QTest::addColumn<int>("genre");
        QTest::addColumn<int>("etat");
        QTest::addColumn<int>("mode");
        QTest::addColumn<int>("noDemande");
        QTest::addColumn<int>("demandeEnCours");
        QTest::addColumn<bool>("enDirect");
        QTest::addColumn<bool>("garde");

        // The last executed state is 10.
        QTest::newRow("next state") << int(EvenementDeJeu::Dis) << 11 << 0 << 1 << -1 << true << true;
        QTest::newRow("stale live") << int(EvenementDeJeu::Dis) << 9 << 0 << 1 << -1 << true << false;
        QTest::newRow("stale not live") << int(EvenementDeJeu::Dis) << 9 << 0 << 1 << -1 << false << true;
        QTest::newRow("duplicate live") << int(EvenementDeJeu::Dis) << 10 << 0 << 1 << -1 << true << false;
        QTest::newRow("duplicate not live") << int(EvenementDeJeu::Dis) << 10 << 0 << 1 << -1 << false << false;
        QTest::newRow("duplicate InJ") << int(EvenementDeJeu::InJ) << 10 << 0 << -1 << -1 << true << false;
        QTest::newRow("stale Enr") << int(EvenementDeJeu::Enr) << 3 << 0 << -1 << -1 << true << true;
        QTest::newRow("stale InJ") << int(EvenementDeJeu::InJ) << 3 << 0 << -1 << -1 << true << true;
        QTest::newRow("stale ReJ") << int(EvenementDeJeu::ReJ) << 3 << 0 << 1 << -1 << true << true;
        QTest::newRow("26 ahead") << int(EvenementDeJeu::Dis) << 36 << 0 << 1 << -1 << true << true;
        QTest::newRow("27 ahead") << int(EvenementDeJeu::Dis) << 37 << 0 << 1 << -1 << true << false;
        QTest::newRow("30 ahead") << int(EvenementDeJeu::Dis) << 40 << 0 << 1 << -1 << true << false;
        QTest::newRow("30 ahead not live") << int(EvenementDeJeu::Dis) << 50 << 0 << 1 << -1 << false << true;
        QTest::newRow("30 ahead mode 2") << int(EvenementDeJeu::Dis) << 50 << 2 << 1 << -1 << true << true;
        QTest::newRow("Fin far ahead") << int(EvenementDeJeu::Fin) << 134 << 0 << 1 << -1 << true << true;
        QTest::newRow("collect at 130") << int(EvenementDeJeu::Ram) << 130 << 0 << 1 << -1 << true << true;
        QTest::newRow("collect at 133") << int(EvenementDeJeu::Ram) << 133 << 0 << 1 << -1 << true << true;
        QTest::newRow("collect at 125") << int(EvenementDeJeu::Ram) << 125 << 0 << 1 << -1 << true << false;
        QTest::newRow("pending request") << int(EvenementDeJeu::Dis) << 11 << 0 << 5 << 5 << true << true;
        QTest::newRow("other request") << int(EvenementDeJeu::Dis) << 11 << 0 << 6 << 5 << true << false;
        QTest::newRow("no request") << int(EvenementDeJeu::InJ) << 11 << 0 << -1 << 5 << true << true;
        QTest::newRow("state above the table") << int(EvenementDeJeu::Dis) << 143 << 3 << 1 << -1 << false << false;
        QTest::newRow("negative state") << int(EvenementDeJeu::Dis) << -1 << 3 << 1 << -1 << false << false;
        QTest::newRow("huge state") << int(EvenementDeJeu::Dis) << 1000000 << 3 << 1 << -1 << false << false;
    }

    void intakeFilter()
    {
        QFETCH(int, genre);
        QFETCH(int, etat);
        QFETCH(int, mode);
        QFETCH(int, noDemande);
        QFETCH(int, demandeEnCours);
        QFETCH(bool, enDirect);
        QFETCH(bool, garde);

        ExecuteurTemoin exec;
        ListeDesEvenements liste(&exec, 0);
        exec.liste = &liste;
        EvenementDeJeu dix = evenement(EvenementDeJeu::Dis, QStringLiteral("Ok"), 0, 10, 1);
        liste.execute_unlocked(-1, dix, true);
        liste.setEtatAttendu(10);
        liste.flush_unlocked();
        QCOMPARE(liste.getEtatExecute(), 10);
        exec.notes.clear();

        // Built by hand: the builder would refuse the out-of-range rows' kinds
        // for no reason of the list's.
        EvenementDeJeu ev;
        ev.valide_ = true;
        ev.type_ = genre;
        ev.texte_ = QStringLiteral("Ok");
        ev.noJoueur_ = 4;
        ev.etat_ = etat;
        ev.source_ = 2;
        ev.mode_ = mode;
        ev.noDemande_ = noDemande;
        liste.execute_unlocked(demandeEnCours, ev, enDirect);
        QCOMPARE(exec.notes.size(), garde ? 1 : 0);
        QCOMPARE(blocsNonVides(liste.getEnAttente()).size(), garde ? 1 : 0);
        if (garde)
            QCOMPARE(liste.getEnQueue(etat), ev.toString(3));
    }

    void invalidAndMultiLineEventsAreIgnored()
    {
        ExecuteurTemoin exec;
        ListeDesEvenements liste(&exec, 0);
        EvenementDeJeu invalide = evenement(EvenementDeJeu::Dis, QStringLiteral("Ok"), 0, 6, 1);
        invalide.valide_ = false;
        liste.execute_unlocked(-1, invalide, false);
        // A line break would split the event over two lines of the record.
        for (const QString& texte : {QStringLiteral("a\nb"), QStringLiteral("a\rb"), QStringLiteral("a\u2029b")}) {
            EvenementDeJeu ev = evenement(EvenementDeJeu::Cho, texte, 1, 20, 2);
            liste.execute_unlocked(-1, ev, false);
        }
        QVERIFY(exec.notes.isEmpty());
        QCOMPARE(liste.getEnQueue(6), QString());
        QCOMPARE(liste.getEnQueue(20), QString());
        QCOMPARE(liste.getEnAttente().blockCount(), 1);
    }

    void refusedEventIsLoggedAndDropped()
    {
        ExecuteurTemoin exec;
        ListeDesEvenements liste(&exec, 0);
        exec.liste = &liste;
        exec.refuses = {20};
        EvenementDeJeu ev = evenement(EvenementDeJeu::Cho, QStringLiteral("{0!1!2!1!}"), 1, 20, 2, 0, 0, 77);
        liste.execute_unlocked(-1, ev, false);
        liste.setEtatAttendu(20);
        QTest::ignoreMessage(QtWarningMsg, qPrintable(avertissement(ev.toString(3), 77, QStringLiteral("Local_AI"))));
        liste.flush_unlocked();
        QVERIFY(exec.executes.isEmpty());
        QCOMPARE(liste.getEnQueue(20), QString());
        QCOMPARE(texteDuRecord(liste), QStringLiteral("12\r\n"));
        QCOMPARE(liste.getEtatAttendu(), 20);
        // Another try soon, for a better answer.
        QVERIFY(liste.getTimer().isActive());
        QCOMPARE(liste.getTimer().interval(), 0);
        QTRY_VERIFY_WITH_TIMEOUT(!liste.getTimer().isActive(), 1000);

        // Unknown sources are named so.
        for (int source : {13, 99}) {
            EvenementDeJeu inconnu = evenement(EvenementDeJeu::Cho, QStringLiteral("{0!1!2!1!}"), 1, 20, 2, 0,
                                               source, 5);
            QTRY_VERIFY_WITH_TIMEOUT(!liste.getTimer().isActive(), 1000);
            liste.execute_unlocked(-1, inconnu, false);
            QTest::ignoreMessage(QtWarningMsg,
                                 qPrintable(avertissement(inconnu.toString(3), 5, QStringLiteral("Unknown"))));
            liste.flush_unlocked();
        }
    }

    void refusedEndOfGameGoesBackToTheLastState()
    {
        ExecuteurTemoin exec;
        ListeDesEvenements liste(&exec, 0);
        exec.liste = &liste;
        exec.ordre = {6, 140};
        EvenementDeJeu donne = evenement(EvenementDeJeu::Dis, QStringLiteral("Ok"), 0, 6, 1);
        EvenementDeJeu tard = evenement(EvenementDeJeu::Fin, QStringLiteral("No"), 0, 140, 2);
        liste.execute_unlocked(-1, donne, false);
        liste.execute_unlocked(-1, tard, false);
        liste.setEtatAttendu(6);
        exec.refuses = {140};
        QTest::ignoreMessage(QtWarningMsg, qPrintable(avertissement(tard.toString(3), 77, QStringLiteral("Local_AI"))));
        liste.flush_unlocked();
        QCOMPARE(liste.getEtatAttendu(), 6);
        QVERIFY(!liste.getTimer().isActive());
    }

    void unreadableQueuedTextDoesNotStallTheTable()
    {
        ExecuteurTemoin exec;
        ListeDesEvenements liste(&exec, 0);
        exec.liste = &liste;
        exec.ordre = {20, 21};
        // A separator in the payload shifts every field when read back.
        EvenementDeJeu casse;
        casse.valide_ = true;
        casse.type_ = EvenementDeJeu::Cho;
        casse.texte_ = QStringLiteral("a!b");
        casse.noJoueur_ = 1;
        casse.etat_ = 20;
        casse.noDemande_ = 2;
        liste.execute_unlocked(-1, casse, false);
        const QString texte = liste.getEnQueue(20);
        QVERIFY(!texte.isEmpty());
        liste.setEtatAttendu(20);

        QTest::ignoreMessage(QtWarningMsg, qPrintable(avertissement(texte, -1, QStringLiteral("<invalid>"))));
        liste.flush_unlocked();
        QVERIFY(exec.executes.isEmpty());
        QCOMPARE(liste.getEnQueue(20), QString());
        QVERIFY(blocsNonVides(liste.getEnAttente()).isEmpty());

        // The table goes on with a good answer for the same state.
        liste.flush_unlocked();
        EvenementDeJeu bon = evenement(EvenementDeJeu::Cho, QStringLiteral("{0!1!2!1!}"), 1, 20, 2);
        liste.execute_unlocked(-1, bon, false);
        QTRY_VERIFY_WITH_TIMEOUT(!liste.getTimer().isActive(), 1000);
        liste.flush_unlocked();
        QCOMPARE(exec.etatsExecutes(), (QList<int>{20}));
        QCOMPARE(liste.getEtatAttendu(), 21);
    }

    void executorExceptionsReleaseTheMutex()
    {
        ExecuteurTemoin exec;
        ListeDesEvenements liste(&exec, 0);
        exec.liste = &liste;
        exec.ordre = {6, 20};
        EvenementDeJeu donne = evenement(EvenementDeJeu::Dis, QStringLiteral("Ok"), 0, 6, 1);
        EvenementDeJeu atout = evenement(EvenementDeJeu::Cho, QStringLiteral("{0!1!2!1!}"), 1, 20, 2);
        liste.execute_unlocked(-1, donne, false);
        liste.execute_unlocked(-1, atout, false);
        liste.setEtatAttendu(6);

        // flush reports the failure once the mutex is free.
        exec.jette = true;
        QVERIFY_THROWS_EXCEPTION(GM_Exception, liste.flush());
        QVERIFY(liste.getMutex()->tryLock());
        liste.unlock();
        QCOMPARE(liste.getEnQueue(6), QString());

        // The timer's slot lets nothing out and does not stay locked.
        liste.execute_unlocked(-1, donne, false);
        QTest::ignoreMessage(QtWarningMsg, "ListeDesEvenements::OnFlush: boom");
        liste.OnFlush();
        QVERIFY(liste.getMutex()->tryLock());
        liste.unlock();
        // It tries again later, and then the table goes on.
        QVERIFY(liste.getTimer().isActive());
        QCOMPARE(liste.getTimer().interval(), 250);
        exec.jette = false;
        liste.execute_unlocked(-1, donne, false);
        QTRY_COMPARE_WITH_TIMEOUT(exec.etatsExecutes(), (QList<int>{6, 20}), 2000);
    }

    void slotSwallowsOtherExceptions()
    {
        ExecuteurTemoin exec;
        ListeDesEvenements liste(&exec, 0);
        EvenementDeJeu donne = evenement(EvenementDeJeu::Dis, QStringLiteral("Ok"), 0, 6, 1);
        liste.execute_unlocked(-1, donne, false);
        liste.setEtatAttendu(6);
        exec.jetteStd = true;
        QTest::ignoreMessage(QtWarningMsg, "ListeDesEvenements::OnFlush: std boom");
        liste.OnFlush();
        QVERIFY(liste.getMutex()->tryLock());
        liste.unlock();
    }

    void flushLetsTheTableGoOnFirst()
    {
        ExecuteurTemoin exec;
        ListeDesEvenements liste(&exec, 0);
        liste.flush();
        QCOMPARE(exec.modesContinue, (QList<int>{0}));
        QCOMPARE(exec.peutContinuerAppels, 1);
    }

    void writesTheRecord()
    {
        ExecuteurTemoin exec;
        ListeDesEvenements liste(&exec, 0);
        exec.liste = &liste;
        const QList<EvenementDeJeu> evs = partie();
        joue(liste, exec, evs);
        QString attendu = QStringLiteral("12\r\n");
        for (const EvenementDeJeu& ev : evs)
            attendu += ev.toString(3) + QStringLiteral("\r\n");
        QCOMPARE(texteDuRecord(liste), attendu);
        QCOMPARE(liste.getEtatExecute(), 134);
    }
};

ZB_REGISTER_TEST(TestEventList)
#include "TestEventList.moc"
