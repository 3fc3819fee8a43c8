#include "EventListTestKit.h"
#include "ZbTestRegistry.h"

using namespace listetest;

// The list's inscriptions and replays: seated players, a joining client's
// entry and replay, snapshots, resumed matches, bad records and damaged
// texts.
class TestEventListReplay : public QObject
{
    Q_OBJECT

private slots:
    void inscriptions()
    {
        QTextDocument court;
        court.setPlainText(QStringLiteral("12\n{InP!{o!}!4!1!2!-1!0!-1!0!}"));
        QCOMPARE(ListeDesEvenements::getInscriptions(court, 0, 0, 3), QStringList(5, QString()));

        const QString j0 = joueur(QStringLiteral("Ann"), 100, 0);
        const QString j1 = joueur(QStringLiteral("Bob"), 101, 1);
        const QString j1b = joueur(QStringLiteral("Bea"), 111, 1);
        const QString j3 = joueur(QStringLiteral("Dan"), 103, 1);
        const QString inp = QStringLiteral("{InP!{o!}!4!1!2!-1!0!-1!0!}");
        QTextDocument doc;
        doc.setPlainText(QStringList{QStringLiteral("12"), inp,
                                     QStringLiteral("{InJ!%1!4!2!2!100!0!-1!0!}").arg(j0),
                                     QStringLiteral("{InJ!%1!4!3!2!101!0!-1!0!}").arg(j1),
                                     QStringLiteral("{Mes!hello!4!140!2!-1!0!-1!0!}"),
                                     QStringLiteral("{ReJ!{%1!1!}!4!3!5!111!0!9!0!}").arg(j1b),
                                     QStringLiteral("{ReJ!{%1!3!}!4!3!5!103!0!9!0!}").arg(j3)}
                             .join(QLatin1Char('\n')));
        const QStringList r = ListeDesEvenements::getInscriptions(doc, 3, 2, 1);
        QCOMPARE(r.size(), 5);
        QCOMPARE(r[0], inp);
        QCOMPARE(r[1], QStringLiteral("{InJ!%1!4!2!2!100!3!-1!}").arg(j0));
        // The later inscription of seat 1 wins.
        QCOMPARE(r[2], QStringLiteral("{InJ!%1!4!3!5!111!3!-1!}").arg(j1b));
        QCOMPARE(r[3], QString());
        QCOMPARE(r[4], QStringLiteral("{InJ!%1!4!5!5!103!3!-1!}").arg(j3));
        QCOMPARE(ListeDesEvenements::getInscriptions(doc, 0, 2, 2)[4],
                 QStringLiteral("{InJ!%1!4!5!5!103!0!-1!2!}").arg(j3));
    }

    void malformedInscriptionsThrow_data()
    {
        QTest::addColumn<QString>("ligne");
        QTest::newRow("bad seat number")
            << QStringLiteral("{ReJ!{%1!x!}!4!3!5!111!0!9!0!}").arg(joueur(QStringLiteral("A"), 1, 0));
        QTest::newRow("seat above the table")
            << QStringLiteral("{ReJ!{%1!4!}!4!3!5!111!0!9!0!}").arg(joueur(QStringLiteral("A"), 1, 0));
        QTest::newRow("negative seat")
            << QStringLiteral("{ReJ!{%1!-1!}!4!3!5!111!0!9!0!}").arg(joueur(QStringLiteral("A"), 1, 0));
        QTest::newRow("InJ far off") << QStringLiteral("{InJ!{A!}!4!50!5!1!0!-1!0!}");
        QTest::newRow("InJ at 0") << QStringLiteral("{InJ!{A!}!4!0!5!1!0!-1!0!}");
        QTest::newRow("bad number") << QStringLiteral("{InJ!{A!}!4!x!5!1!0!-1!0!}");
        QTest::newRow("inconsistent") << QStringLiteral("{InJ!{A!}!4!2!5!1!0!7!0!}");
    }

    void malformedInscriptionsThrow()
    {
        QFETCH(QString, ligne);
        QTextDocument doc;
        doc.setPlainText(QStringList{QStringLiteral("12"), QStringLiteral("{InP!{o!}!4!1!2!-1!0!-1!0!}"), ligne,
                                     QStringLiteral("x"), QStringLiteral("y")}
                             .join(QLatin1Char('\n')));
        QVERIFY_THROWS_EXCEPTION(GM_Exception, ListeDesEvenements::getInscriptions(doc, 0, 0, 3));
    }

    void restartWithSeatedPlayers()
    {
        ExecuteurTemoin exec;
        ListeDesEvenements liste(&exec, 0);
        exec.liste = &liste;
        const QList<EvenementDeJeu> evs = partie();
        joue(liste, exec, evs);

        OptionsDuJoueur nouveau;
        nouveau.nom_ = QStringLiteral("Nouveau");
        nouveau.id_ = 555;
        liste.clear_Et_metEnQueue_InscriptionJoueurs({{1, nouveau}}, 0);
        QCOMPARE(texteDuRecord(liste), QStringLiteral("12\r\n"));
        QCOMPARE(liste.getEnQueue(1), evs[0].toString(3));
        QCOMPARE(liste.getEnQueue(2), evs[1].toString(3));
        QCOMPARE(liste.getEnQueue(3), evenement(EvenementDeJeu::InJ, nouveau.sauveValeursDansString(), 4, 3, -1, 0,
                                                EvenementDeJeu::Local_Table, 555)
                                          .toString(3));
        QCOMPARE(liste.getEnQueue(5), evs[4].toString(3));
        QCOMPARE(blocsNonVides(liste.getEnAttente()).size(), 5);
    }

    void clientEntry()
    {
        ExecuteurTemoin exec;
        ListeDesEvenements liste(&exec, 0);
        exec.liste = &liste;
        const qint64 moi = 700;

        // Seats played here do not take answers from the server.
        EvenementDeJeu carte = evenement(EvenementDeJeu::Cho, QStringLiteral("{0!1!2!1!}"), 2, 20, 2);
        liste.ajouteEtExecute_Client(carte, moi);
        QCOMPARE(liste.getEnQueue(20), QString());
        liste.joueurDistant_[2] = true;
        liste.ajouteEtExecute_Client(carte, moi);
        QCOMPARE(liste.getEnQueue(20), carte.toString(3));

        // A seat outside the table is dropped, not looked up.
        EvenementDeJeu ailleurs = carte;
        ailleurs.noJoueur_ = 9;
        ailleurs.etat_ = 21;
        liste.ajouteEtExecute_Client(ailleurs, moi);
        ailleurs.noJoueur_ = -3;
        liste.ajouteEtExecute_Client(ailleurs, moi);
        QCOMPARE(liste.getEnQueue(21), QString());

        // Player records: seen from here, the others are remote, I am not.
        const auto inscription = [&](int etat, qint64 id, int distant) {
            EvenementDeJeu ev = evenement(EvenementDeJeu::InJ, joueur(QStringLiteral("P"), id, distant), 4, etat, -1,
                                          0, EvenementDeJeu::Remote_Table, id);
            liste.ajouteEtExecute_Client(ev, moi);
            EvenementDeJeu lu;
            QString reste;
            lu.valide_ = lu.fromString(liste.getEnQueue(etat), reste);
            OptionsDuJoueur j;
            j.chargeValeursDepuisString(lu.texte_);
            if (lu.source_ != EvenementDeJeu::SourceRemote_Table_LocalTableTransform || lu.idJoueur_ != id)
                return -100;
            return j.distant_;
        };
        QCOMPARE(inscription(2, 800, 0), 1);
        QCOMPARE(inscription(3, moi, 1), 0);
        QCOMPARE(inscription(4, 801, 2), 2);
        QCOMPARE(inscription(5, moi, 0), 1);

        // The seat-carrying form keeps its seat.
        EvenementDeJeu rej = evenement(EvenementDeJeu::ReJ,
                                       QStringLiteral("{%1!2!}").arg(joueur(QStringLiteral("R"), moi, 1)), 4, 30, 3);
        liste.ajouteEtExecute_Client(rej, moi);
        EvenementDeJeu lu;
        QString reste;
        QVERIFY(lu.fromString(liste.getEnQueue(30), reste));
        QCOMPARE(lu.texte_, QStringLiteral("{%1!2!}").arg(joueur(QStringLiteral("R"), moi, 0)));
        QCOMPARE(lu.source_, 6);

        EvenementDeJeu mauvais = evenement(EvenementDeJeu::ReJ,
                                           QStringLiteral("{%1!x!}").arg(joueur(QStringLiteral("R"), 1, 1)), 4, 31, 3);
        QVERIFY_THROWS_EXCEPTION(GM_Exception, liste.ajouteEtExecute_Client(mauvais, moi));
        EvenementDeJeu pasUnJoueur = evenement(EvenementDeJeu::InJ, QStringLiteral("{x!}"), 4, 2, -1);
        QVERIFY_THROWS_EXCEPTION(GM_Exception, liste.ajouteEtExecute_Client(pasUnJoueur, moi));

        // A player entering a running game is immediate, from any seat.
        EvenementDeJeu entre = evenement(EvenementDeJeu::JoN, joueur(QStringLiteral("N"), 900, 0), 1, 50, 4);
        liste.ajouteEtExecute_Client(entre, moi);
        QCOMPARE(exec.executes.size(), 1);
        QCOMPARE(exec.executes[0].type_, int(EvenementDeJeu::JoN));
        QCOMPARE(exec.executes[0].idJoueur_, Q_INT64_C(900));
        QCOMPARE(exec.executes[0].texte_, joueur(QStringLiteral("N"), 900, 1));
    }

    void replayForAJoiningClient()
    {
        ExecuteurTemoin exec;
        ListeDesEvenements liste(&exec, 0);
        exec.liste = &liste;
        liste.version_ = 2;
        QList<EvenementDeJeu> evs = partie();
        // A snapshot after the deal, and a stored inscription with its seat.
        const QString j2 = joueur(QStringLiteral("Neu"), 222, 1);
        evs.insert(6, evenement(EvenementDeJeu::Enr, QStringLiteral("{snapshot!}"), 4, 10, -1, 0, 2, -1));
        evs.insert(7, evenement(EvenementDeJeu::ReJ, QStringLiteral("{%1!2!}").arg(j2), 4, 11, 1, 0, 2, 222));
        evs = evs.mid(0, 10); // up to the first card
        joue(liste, exec, evs);
        // Two more answers wait for their turn; a seat's late answer for
        // the state now waited for is replaced by the computer's, and a
        // late one for a state passed will never run: neither is sent.
        EvenementDeJeu attente1 = evenement(EvenementDeJeu::Ajo, QStringLiteral("3_7"), 2, 39, 5);
        EvenementDeJeu attente2 = evenement(EvenementDeJeu::ReJ, QStringLiteral("{%1!3!}").arg(j2), 4, 30, 1);
        EvenementDeJeu remplace = evenement(EvenementDeJeu::Ajo, QStringLiteral("4_7"), 1, 38, 10);
        EvenementDeJeu remplacant = evenement(EvenementDeJeu::Ajo, QStringLiteral("2_9"), 1, 38, 3);
        EvenementDeJeu passe = evenement(EvenementDeJeu::Ajo, QStringLiteral("1_6"), 0, evs[8].etat_, 10);
        liste.execute_unlocked(-1, attente1, false);
        liste.execute_unlocked(-1, attente2, false);
        liste.execute_unlocked(-1, remplace, false);
        liste.execute_unlocked(-1, remplacant, false);
        liste.execute_unlocked(-1, passe, false);

        QByteArray out;
        liste.getReplay(out, EvenementDeJeu::RsI, 2, 0);
        const QStringList inscriptions = ListeDesEvenements::getInscriptions(liste.getExecutes(), 3, 0, 2);
        QCOMPARE(inscriptions[3], QStringLiteral("{InJ!%1!4!4!2!222!3!-1!0!}").arg(j2));
        QString attendu = QStringLiteral("{RsI!!2!140!2!-1!3!-1!0!}") + inscriptions.join(QString());
        attendu += evs[6].toString(2) + evs[8].toString(2) + evs[9].toString(2); // snapshot on, without ReJ
        // The block ends with the last move made, so that the client's replay
        // can end; what waits comes after it.
        attendu += QStringLiteral("{ReE!!4!140!2!-1!3!-1!0!}");
        attendu += attente1.toString(2) + remplacant.toString(2);
        QCOMPARE(QString::fromUtf8(out), attendu);

        // Without a snapshot, only the inscriptions and the queue.
        ExecuteurTemoin exec2;
        ListeDesEvenements liste2(&exec2, 0);
        exec2.liste = &liste2;
        liste2.version_ = 1;
        joue(liste2, exec2, partie().mid(0, 7));
        QByteArray out2;
        liste2.getReplay(out2, EvenementDeJeu::RsV, 0, 1);
        QString attendu2 = QStringLiteral("{RsV!!0!140!2!-1!3!-1!}")
            + ListeDesEvenements::getInscriptions(liste2.getExecutes(), 3, 1, 1).join(QString())
            + QStringLiteral("{ReE!!4!140!2!-1!3!-1!}");
        QCOMPARE(QString::fromUtf8(out2), attendu2);
    }

    void replayRoundTrip_data()
    {
        QTest::addColumn<int>("perspective");
        QTest::newRow("seat") << 0;
        QTest::newRow("table") << 4;
    }

    void replayRoundTrip()
    {
        QFETCH(int, perspective);
        ExecuteurTemoin exec;
        ListeDesEvenements liste(&exec, 0);
        exec.liste = &liste;
        const QList<EvenementDeJeu> evs = partie();
        joue(liste, exec, evs);
        const QString record = texteDuRecord(liste);

        QStringList lignes = record.split(QStringLiteral("\r\n"));
        QCOMPARE(lignes.last(), QString()); // the last line break
        ExecuteurTemoin exec2;
        ListeDesEvenements rejoue(&exec2, 0);
        exec2.liste = &rejoue;
        exec2.ordre = etatsDe(evs);
        FauxDemandeur demandeur;
        rejoue.replay(lignes, perspective, false, -1, &demandeur);
        QVERIFY(rejoue.estReplayEnCours());
        // The end of a game is not the last move: the collect before it is.
        QCOMPARE(rejoue.getDernierEvenement(), evs[evs.size() - 2]);
        QCOMPARE(rejoue.getNombreDeDonnes(), 1);
        QCOMPARE(rejoue.getDemandeurReplay(), &demandeur);

        rejoue.setEtatAttendu(1);
        rejoue.flush_unlocked();
        QCOMPARE(texteDuRecord(rejoue), record);
        QCOMPARE(etatsDe(exec2.executes), etatsDe(evs));
        QVERIFY(!rejoue.estReplayEnCours());
        QCOMPARE(demandeur.termine, 0); // told through the event loop
        QTRY_COMPARE_WITH_TIMEOUT(demandeur.termine, 1, 1000);
        QCOMPARE(rejoue.getDemandeurReplay(), nullptr);
    }

    void replayKeepsOneQueueTable()
    {
        ExecuteurTemoin exec;
        ListeDesEvenements liste(&exec, 0);
        QStringList lignes{QStringLiteral("12")};
        for (const EvenementDeJeu& ev : partie())
            lignes << ev.toString(3);
        // A new deal opens a second queue table; the table's own replay
        // drops the last one and must keep the first.
        EvenementDeJeu nouvelleDonne = evenement(EvenementDeJeu::Ram, QStringLiteral("Ok"), 0, 128, 14, 4);
        lignes.insert(lignes.size() - 1, nouvelleDonne.toString(3));
        liste.replay(lignes, 4, false, -1, nullptr);
        QCOMPARE(liste.getNombreDeDonnes(), 1);
        QCOMPARE(liste.getNoDonne(), 0);
        QCOMPARE(liste.getEnQueue(1), partie()[0].toString(3));

        ExecuteurTemoin exec2;
        ListeDesEvenements seule(&exec2, 0);
        seule.replay(QStringList{QStringLiteral("12"), partie()[0].toString(3)}, 4, false, -1, nullptr);
        QCOMPARE(seule.getNombreDeDonnes(), 1);
        QCOMPARE(seule.getNoDonne(), 0);
    }

    void replayFromTheLastSnapshot()
    {
        ExecuteurTemoin exec;
        ListeDesEvenements liste(&exec, 0);
        QList<EvenementDeJeu> evs;
        evs << evenement(EvenementDeJeu::InP, QStringLiteral("{o!}"), 4, 1, -1, 0, 2, -1);
        evs << evenement(EvenementDeJeu::Enr, QStringLiteral("{s1!}"), 4, 7, -1, 0, 2, -1);
        for (int etat = 8; etat <= 16; ++etat)
            evs << evenement(EvenementDeJeu::Dis, QStringLiteral("Ok"), 0, etat, etat);
        evs << evenement(EvenementDeJeu::Enr, QStringLiteral("{s2!}"), 4, 17, -1, 0, 2, -1);
        evs << evenement(EvenementDeJeu::Dis, QStringLiteral("Ok"), 0, 18, 18);
        QStringList lignes{QStringLiteral("12")};
        for (const EvenementDeJeu& ev : evs)
            lignes << ev.toString(1);

        liste.replay(lignes, 0, false, -1, nullptr);
        // Lines 2..7 go to the record as they were played, from line 8 on
        // everything is queued.
        QStringList joues{QStringLiteral("12")};
        for (int i = 1; i <= 6; ++i)
            joues << evs[i].toString(3);
        QCOMPARE(blocs(liste.getExecutes()), joues);
        QCOMPARE(liste.getEnQueue(1), evs[0].toString(3));
        QCOMPARE(liste.getEnQueue(7), QString());
        QCOMPARE(liste.getEnQueue(12), QString());
        for (int etat = 13; etat <= 18; ++etat)
            QCOMPARE(liste.getEnQueue(etat), evs[etat - 6].toString(3));
    }

    // A resumed match: the table rebuilds the deal it stopped in, the earlier
    // deals stay in the record, and nothing of them waits in the queue to
    // run once the game goes on.
    void tableResumesTheLastDealOfAMatch()
    {
        auto donne = [](int noDemande, int cartes) {
            QList<EvenementDeJeu> evs;
            for (int siege = 0; siege < 4; ++siege)
                evs << evenement(EvenementDeJeu::InJ, joueur(QStringLiteral("J%1").arg(siege), 100 + siege, siege != 0),
                                 4, siege + 2, -1, 0, EvenementDeJeu::Local_Table, 100 + siege);
            evs << evenement(EvenementDeJeu::Enr, QStringLiteral("{s%1!}").arg(noDemande), 4, 6, -1, 0,
                             EvenementDeJeu::Local_Table, -1);
            for (int i = 0; i < cartes; ++i)
                evs << evenement(EvenementDeJeu::Ajo, QStringLiteral("1_%1").arg(6 + i), i % 4, 37 + i, noDemande);
            return evs;
        };
        const EvenementDeJeu inp =
            evenement(EvenementDeJeu::InP, QStringLiteral("{options!}"), 4, 1, -1, 0, EvenementDeJeu::Local_Table, -1);
        const QList<EvenementDeJeu> premiere = donne(1, 4);
        const QList<EvenementDeJeu> derniere = donne(2, 2);
        QStringList lignes{QStringLiteral("12"), inp.toString(3)};
        for (const EvenementDeJeu& ev : premiere + derniere)
            lignes << ev.toString(3);

        ExecuteurTemoin exec;
        ListeDesEvenements liste(&exec, 0);
        exec.liste = &liste;
        exec.ordre = {1, 2, 3, 4, 5, 6, 37, 38, 39};
        liste.replay(lignes, 4, false, -1, nullptr);
        QCOMPARE(liste.getEnQueue(6), derniere[4].toString(3));
        QCOMPARE(liste.getEnQueue(38), derniere[6].toString(3));
        QCOMPARE(liste.getEnQueue(39), QString()); // the first deal's third card
        QCOMPARE(liste.getEnQueue(40), QString());

        liste.setEtatAttendu(1);
        liste.flush_unlocked();
        QCOMPARE(etatsDe(exec.executes), (QList<int>{1, 2, 3, 4, 5, 6, 37, 38}));
        QVERIFY(!liste.estReplayEnCours());
        // The first deal's moves are kept, in the order they were played.
        const QStringList record = blocs(liste.getExecutes());
        for (int i = 4; i < premiere.size(); ++i)
            QCOMPARE(record.count(premiere[i].toString(3)), 1);
        QVERIFY(record.indexOf(premiere[5].toString(3)) < record.indexOf(premiere[6].toString(3)));
        QCOMPARE(record.last(), derniere.last().toString(3));

        // The record written after the resume resumes the same way again.
        ExecuteurTemoin exec2;
        ListeDesEvenements encore(&exec2, 0);
        exec2.liste = &encore;
        exec2.ordre = exec.ordre;
        encore.replay(texteDuRecord(liste).split(QStringLiteral("\r\n")), 4, false, -1, nullptr);
        encore.setEtatAttendu(1);
        encore.flush_unlocked();
        QCOMPARE(etatsDe(exec2.executes), etatsDe(exec.executes));
        QCOMPARE(exec2.executes.last().toString(3), derniere.last().toString(3));
        QCOMPARE(blocs(encore.getExecutes()).count(premiere[6].toString(3)), 1);
    }

    void clientReplayRewritesPlayers()
    {
        ExecuteurTemoin exec;
        ListeDesEvenements liste(&exec, 0);
        const qint64 moi = 101;
        QStringList lignes{QStringLiteral("12")};
        for (const EvenementDeJeu& ev : partie())
            lignes << ev.toString(3);
        liste.replay(lignes, 1, true, moi, nullptr);
        EvenementDeJeu lu;
        QString reste;
        QVERIFY(lu.fromString(liste.getEnQueue(3), reste));
        QCOMPARE(lu.source_, 6);
        OptionsDuJoueur j;
        j.chargeValeursDepuisString(lu.texte_);
        QCOMPARE(j.id_, moi);
        QCOMPARE(j.distant_, 0);
        QVERIFY(lu.fromString(liste.getEnQueue(2), reste));
        j.chargeValeursDepuisString(lu.texte_);
        QCOMPARE(j.distant_, 1);
        // Moves are queued as they are.
        QCOMPARE(liste.getEnQueue(6), partie()[5].toString(3));
    }

    void badRecordsQueueNothing_data()
    {
        QTest::addColumn<QStringList>("lignes");
        QTest::addColumn<bool>("fichierCorrompu");
        const QString fin = evenement(EvenementDeJeu::Fin, QStringLiteral("Ok"), 0, 134, 13).toString(3);
        const QString ram = evenement(EvenementDeJeu::Ram, QStringLiteral("Ok"), 0, 131, 13).toString(3);
        const QString inp = partie()[0].toString(3);
        QTest::newRow("nothing") << QStringList() << true;
        QTest::newRow("version only") << QStringList{QStringLiteral("12")} << true;
        QTest::newRow("empty lines") << QStringList{QStringLiteral("12"), QString(), QString()} << true;
        QTest::newRow("only the end") << QStringList{QStringLiteral("12"), fin} << true;
        QTest::newRow("end lines all the way up") << QStringList{QStringLiteral("12"), ram, fin, fin} << true;
        QTest::newRow("last move unreadable") << QStringList{QStringLiteral("12"), inp, QStringLiteral("{Zzz!}")}
                                              << true;
        QTest::newRow("bad number") << QStringList{QStringLiteral("12"), inp,
                                                   QStringLiteral("{Dis!Ok!0!x!0!77!0!12!}"), inp}
                                    << false;
        QTest::newRow("inconsistent") << QStringList{QStringLiteral("12"), inp,
                                                     QStringLiteral("{Dis!Ok!0!38!0!77!0!12!}"), inp}
                                      << false;
        QTest::newRow("unbalanced") << QStringList{QStringLiteral("12"), inp, QStringLiteral("{Cho!{0!1!"), inp}
                                    << false;
    }

    void badRecordsQueueNothing()
    {
        QFETCH(QStringList, lignes);
        QFETCH(bool, fichierCorrompu);
        ExecuteurTemoin exec;
        ListeDesEvenements liste(&exec, 0);
        FauxDemandeur demandeur;
        if (fichierCorrompu)
            QVERIFY_THROWS_EXCEPTION(GM_ExceptionFileCorrupted, liste.replay(lignes, 0, false, -1, &demandeur));
        else
            QVERIFY_THROWS_EXCEPTION(GM_Exception, liste.replay(lignes, 0, false, -1, &demandeur));
        QVERIFY(blocsNonVides(liste.getEnAttente()).isEmpty());
        QCOMPARE(liste.getEnQueue(1), QString());
        QCOMPARE(texteDuRecord(liste), QStringLiteral("12\r\n"));
        QCOMPARE(liste.getDemandeurReplay(), nullptr);
        QVERIFY(!liste.estReplayEnCours());
        QVERIFY(exec.notes.isEmpty());
    }

    void endLinesAreSkippedAtMostFour()
    {
        ExecuteurTemoin exec;
        ListeDesEvenements liste(&exec, 0);
        const QString inp = partie()[0].toString(3);
        const QString mes = evenement(EvenementDeJeu::Mes, QStringLiteral("m"), 4, 140, -1).toString(3);
        liste.replay(QStringList{QStringLiteral("12"), inp, mes, mes, mes, mes, mes, mes}, 0, false, -1, nullptr);
        QCOMPARE(liste.getDernierEvenement().etat_, EtatDeJeu::HorsDeroulement);
        ExecuteurTemoin exec2;
        ListeDesEvenements liste2(&exec2, 0);
        liste2.replay(QStringList{QStringLiteral("12"), inp, mes, mes, mes, mes}, 0, false, -1, nullptr);
        QCOMPARE(liste2.getDernierEvenement().type_, int(EvenementDeJeu::InP));
    }

    void eventsGroup()
    {
        ExecuteurTemoin exec;
        ZB_EventsGroup groupe(&exec);
        QCOMPARE(groupe.getListe(-1), nullptr);
        QCOMPARE(groupe.getListe(0), nullptr);
        QVERIFY(groupe.sontTousDansEtat(12));
        QCOMPARE(groupe.getEtatMinimum(), 0);

        groupe.initialise(3);
        QCOMPARE(groupe.getNombreDeListes(), 3);
        QCOMPARE(groupe.getListe(-1), groupe.getListe(0));
        QCOMPARE(groupe.getListe(2)->getNoTable(), 2);
        QCOMPARE(groupe.getListe(3), nullptr);
        QCOMPARE(groupe.getEtatMinimum(), 0);
        QVERIFY(groupe.sontTousDansEtat(0));

        groupe.getListe(0)->setEtatAttendu(0);
        groupe.getListe(1)->setEtatAttendu(37);
        groupe.getListe(2)->setEtatAttendu(53);
        QCOMPARE(groupe.getEtatMinimum(), 37);
        QVERIFY(!groupe.sontTousDansEtat(37));
        groupe.getListe(0)->setEtatAttendu(37);
        groupe.getListe(2)->setEtatAttendu(37);
        QVERIFY(groupe.sontTousDansEtat(37));

        groupe.setSansDelai(true);
        groupe.setVersion(1);
        for (int i = 0; i < 3; ++i) {
            QVERIFY(groupe.getListe(i)->sansDelai_);
            QCOMPARE(groupe.getListe(i)->version_, 1);
        }

        groupe.lock();
        QVERIFY(!groupe.getListe(1)->getMutex()->tryLock());
        groupe.unlock();
        QVERIFY(groupe.getListe(1)->getMutex()->tryLock());
        groupe.getListe(1)->unlock();

        groupe.flush();
        QCOMPARE(exec.peutContinuerAppels, 3);
        groupe.lock();
        groupe.flush_unlocked();
        groupe.unlock();
        QCOMPARE(exec.peutContinuerAppels, 6);

        EvenementDeJeu ev = evenement(EvenementDeJeu::Dis, QStringLiteral("Ok"), 0, 6, 1);
        groupe.getListe(1)->execute_unlocked(-1, ev, false);
        groupe.clear();
        QCOMPARE(groupe.getListe(1)->getEnQueue(6), QString());

        groupe.initialise(1);
        QCOMPARE(groupe.getNombreDeListes(), 1);
        QCOMPARE(groupe.getListe(1), nullptr);
    }

    // Damaged texts from files and peers: refusals and exceptions only, and
    // the list keeps working.
    void damagedTexts()
    {
        QStringList modeles;
        for (const EvenementDeJeu& ev : partie())
            for (int version = 1; version <= 3; ++version)
                modeles << ev.toString(version);
        modeles << evenement(EvenementDeJeu::ReJ, QStringLiteral("{%1!2!}").arg(joueur(QStringLiteral("R"), 5, 1)),
                             4, 30, 3)
                       .toString(3);
        modeles << evenement(EvenementDeJeu::JoN, joueur(QStringLiteral("N"), 6, 0), 1, 50, 4).toString(3);

        ExecuteurTemoin exec;
        ListeDesEvenements liste(&exec, 0);
        exec.liste = &liste;
        QRandomGenerator alea(20240611);
        const char inserts[] = {'{', '}', '!', '\n', '-', '9'};
        int lus = 0;
        {
            Silence silence;
            for (int essai = 0; essai < 4000; ++essai) {
                QString texte = modeles[alea.bounded(int(modeles.size()))];
                if (alea.bounded(3) == 0) // two events in one message
                    texte += modeles[alea.bounded(int(modeles.size()))];
                const int changements = 1 + alea.bounded(4);
                for (int c = 0; c < changements && !texte.isEmpty(); ++c) {
                    const int pos = alea.bounded(int(texte.size()));
                    switch (alea.bounded(3)) {
                    case 0:
                        texte[pos] = QChar(texte[pos].unicode() ^ (1u << alea.bounded(8)));
                        break;
                    case 1:
                        texte.truncate(pos);
                        break;
                    default:
                        texte.insert(pos, QLatin1Char(inserts[alea.bounded(int(sizeof inserts))]));
                        break;
                    }
                }

                for (int garde = 0; garde < 8 && !texte.isEmpty(); ++garde) {
                    EvenementDeJeu ev;
                    QString reste;
                    try {
                        ev.valide_ = ev.fromString(texte, reste);
                    } catch (const GM_Exception&) {
                        break;
                    }
                    if (!ev.valide_)
                        break;
                    QVERIFY(reste.size() < texte.size());
                    texte = reste;
                    ++lus;
                    QMutexLocker verrou(liste.getMutex());
                    try {
                        if (alea.bounded(2))
                            liste.ajouteEtExecute_Client(ev, 5);
                        else
                            liste.execute_unlocked(alea.bounded(3) - 1, ev, alea.bounded(2) == 0);
                    } catch (const GM_Exception&) {
                    }
                    if (ev.etat_ >= 0 && ev.etat_ < 143 && alea.bounded(2))
                        liste.setEtatAttendu(ev.etat_);
                    liste.flush_unlocked();
                }
                // Lets the retries of refused events run, through the slot.
                QCoreApplication::processEvents();
                if (essai % 500 == 499) {
                    QMutexLocker verrou(liste.getMutex());
                    liste.clear();
                }
            }
        }
        QVERIFY(lus > 100);

        // Usable afterwards: not locked, and a good event still runs.
        QVERIFY(liste.getMutex()->tryLock());
        liste.unlock();
        liste.clear();
        exec.executes.clear();
        exec.ordre = {6};
        EvenementDeJeu donne = evenement(EvenementDeJeu::Dis, QStringLiteral("Ok"), 0, 6, 1);
        liste.execute_unlocked(-1, donne, true);
        liste.setEtatAttendu(6);
        liste.flush();
        QCOMPARE(exec.etatsExecutes(), (QList<int>{6}));
        QCOMPARE(texteDuRecord(liste), QStringLiteral("12\r\n") + donne.toString(3) + QStringLiteral("\r\n"));
    }
};

ZB_REGISTER_TEST(TestEventListReplay)
#include "TestEventListReplay.moc"
