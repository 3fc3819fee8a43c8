#include "ClientSocketTestKit.h"
#include "ZbTestRegistry.h"

using namespace clienttest;

class TestClientSocket : public QObject
{
    Q_OBJECT

private:
    std::unique_ptr<Banc> b;

private slots:
    void init() { b = std::make_unique<Banc>(); }
    void cleanup()
    {
        b.reset();
        QCoreApplication::sendPostedEvents();
    }

    void reecritureDeLaSource_data()
    {
        QTest::addColumn<int>("source");
        QTest::addColumn<qint64>("id");
        QTest::addColumn<int>("attendu");
        for (int s = 0; s < 3; ++s) {
            QTest::addRow("local %d, mine", s) << s << Moi << s + 3;
            QTest::addRow("local %d, other", s) << s << qint64(9) << s + 3;
        }
        QTest::newRow("remote AI, mine") << 3 << Moi << 9;
        QTest::newRow("remote AI, other") << 3 << qint64(-1) << 12;
        QTest::newRow("remote human, mine") << 4 << Moi << 7;
        QTest::newRow("remote human, other") << 4 << qint64(9) << 10;
        QTest::newRow("remote table, mine") << 5 << Moi << 8;
        QTest::newRow("remote table, other") << 5 << qint64(-1) << 11;
        QTest::newRow("other's table return, mine") << 11 << Moi << 8;
        QTest::newRow("other's table return, other") << 11 << qint64(9) << 11;
        QTest::newRow("my table return") << 8 << qint64(9) << 2;
        QTest::newRow("local transform") << 6 << Moi << 6;
        QTest::newRow("unknown") << 13 << Moi << 13;
    }

    void reecritureDeLaSource()
    {
        QFETCH(int, source);
        QFETCH(qint64, id);
        QFETCH(int, attendu);
        QCOMPARE(ClientSocket::sourceRecue(source, id, Moi), attendu);
    }

    void connexion()
    {
        QCOMPARE(b->socket->connexions, QStringList{QStringLiteral("jass.example:4000")});
        // Connecting, then connected: the room is asked for the user info.
        QCOMPARE(b->client->getEtat(), 2);
        QCoreApplication::sendPostedEvents();
        const QList<Poste> infos = b->salle.deType(ZB_Event::ClientAskInfo);
        QCOMPARE(infos.size(), 1);
        QCOMPARE(infos[0].login, QStringLiteral("moi"));
        QCOMPARE(infos[0].id, qint64(42));
        QCOMPARE(infos[0].attente, 30);

        const OptionsDuJoueur moi = joueur(QStringLiteral("Moi"), Moi);
        const int version = 1;
        b->client->sendUserInfo(moi, 12, &version);
        QCOMPARE(b->client->getVersion(), 1);
        QCOMPARE(b->client->getEtat(), 5);
        QCOMPARE(b->fenetre.getSecondesAttente(), 12);
        QCOMPARE(b->fenetre.getCompteARebours().state(), QAbstractAnimation::Running);
        const EvenementDeJeu info(EvenementDeJeu::NeW, moi.sauveValeursDansString(), 4, EtatDeJeu::Identification, 2,
                                  Moi, 0, -1, -2, ZB_ICI);
        QCOMPARE(b->socket->ecritures, QList<QByteArray>{texte(info, 1)});
        // The user info is not resent.
        QVERIFY(!b->client->getTimerRenvoi().isActive());
    }

    // Once the game runs, a bounded client counts the host's silence from
    // its last word; at the bound the host is taken for hung: the room is
    // told why, and the connection closes.
    void hoteFigeEnJeu()
    {
        b->client->setSilenceEnJeuMaxMs(300000);
        b->attendHote();
        QVERIFY(!b->client->getTimerSilence().isActive());
        b->socket->recoit(message(QStringLiteral("x")));
        QCOMPARE(b->client->getEtat(), int(ZB_StatutConnexionA::JeuEnCours));
        QVERIFY(b->client->getTimerSilence().isActive());
        QCOMPARE(b->client->getTimerSilence().interval(), 300000);
        QVERIFY(QMetaObject::invokeMethod(b->client.get(), "OnSilenceDeLHote_"));
        QCoreApplication::sendPostedEvents();
        const QList<Poste> erreurs = b->salle.deType(ZB_Event::SocketError);
        QCOMPARE(erreurs.size(), 1);
        QCOMPARE(erreurs[0].texte,
                 texteErreur(QStringLiteral("L'hôte n'a rien envoyé depuis 300 secondes: la partie en ligne est "
                                            "abandonnée")));
        QCOMPARE(b->socket->fermetures, 1);
    }

    // The host's seat key for this player is kept and announced, reaches
    // no table, leaves the client waiting for the host, and goes back with
    // the next identification; anything else of that kind is dropped.
    void cleDeSiege_data()
    {
        QTest::addColumn<QString>("texte");
        QTest::addColumn<qint64>("id");
        QTest::addColumn<int>("siege");
        QTest::addColumn<bool>("gardee");
        const QString cle = QStringLiteral("0123456789abcdef0123456789abcdef");
        QTest::newRow("this player's") << cle << Moi << 4 << true;
        QTest::newRow("another player's") << cle << Moi + 1 << 4 << false;
        QTest::newRow("at a seat") << cle << Moi << 1 << false;
        QTest::newRow("not a key") << cle.toUpper() << Moi << 4 << false;
        QTest::newRow("too short") << cle.left(31) << Moi << 4 << false;
    }
    void cleDeSiege()
    {
        QFETCH(QString, texte);
        QFETCH(qint64, id);
        QFETCH(int, siege);
        QFETCH(bool, gardee);
        b->attendHote();
        QSignalSpy annoncee(b->client.get(), &ClientSocket::signalCleDeSiege);
        b->socket->recoit(::texte(EvenementDeJeu(EvenementDeJeu::NeW, texte, siege, EtatDeJeu::Identification,
                                                 EvenementDeJeu::Local_Table, id, 0, -1, -2, ZB_ICI)));
        QVERIFY(b->exec.executes.isEmpty());
        QCOMPARE(b->client->getEtat(), 5);
        QCOMPARE(annoncee.size(), gardee ? 1 : 0);
        QCOMPARE(b->client->getCleDeSiege(), gardee ? texte : QString());
        b->socket->ecritures.clear();
        b->attendHote();
        ZB_FicheIdentification fiche;
        fiche.joueur_ = joueur(QStringLiteral("Moi"), Moi);
        fiche.cle_ = gardee ? texte : QString();
        QCOMPARE(b->socket->ecritures,
                 QList<QByteArray>{::texte(EvenementDeJeu(EvenementDeJeu::NeW, fiche.sauveValeursDansString(), 4,
                                                          EtatDeJeu::Identification, 2, Moi, 0, -1, -2, ZB_ICI))});
    }

    // Records cut anywhere, characters split between reads included, are
    // decoded whole.
    void decoupage_data()
    {
        QTest::addColumn<int>("morceau");
        for (int n : {1, 2, 3, 5, 64, 10000})
            QTest::addRow("%d", n) << n;
    }

    void decoupage()
    {
        QFETCH(int, morceau);
        const QByteArray octets = message(QStringLiteral("àéîõü €")) + message(QStringLiteral("deux"))
            + message(QStringLiteral("{trois!}"));
        for (qsizetype i = 0; i < octets.size(); i += morceau)
            b->socket->recoit(octets.mid(i, morceau));
        QCOMPARE(b->exec.textesExecutes(),
                 (QStringList{QStringLiteral("àéîõü €"), QStringLiteral("deux"), QStringLiteral("{trois!}")}));
        QCOMPARE(b->exec.executes.at(0).source_, int(EvenementDeJeu::Remote_Table));
        QCOMPARE(b->client->getEtat(), 6);
        QCOMPARE(b->client->getOctetsEnAttente(), 0);
    }

    // A TCP read takes at most 10,000 bytes; a WebSocket message is taken
    // whole.
    void lectures()
    {
        const QByteArray un = message(QStringLiteral("x"));
        QByteArray beaucoup;
        while (beaucoup.size() < 25000)
            beaucoup += un;
        b->socket->recoit(beaucoup);
        QCOMPARE(b->socket->aLire.size(), 0);
        QCOMPARE(b->exec.executes.size(), beaucoup.size() / un.size());
        QCOMPARE(b->socket->lectures, QList<qint64>((beaucoup.size() + 9999) / 10000, 10000));

        b->exec.executes.clear();
        emit b->socket->binaryMessageReceived(message(QStringLiteral("a")) + message(QStringLiteral("b")));
        QCOMPARE(b->exec.textesExecutes(), (QStringList{QStringLiteral("a"), QStringLiteral("b")}));
    }

    // A record that does not read is dropped, with whatever stood before
    // its "{", and the records after it still run.
    void recordsIllisibles_data()
    {
        QTest::addColumn<QByteArray>("mauvais");
        QTest::addColumn<QString>("raison");
        QTest::newRow("unknown kind") << QByteArray("{Xyz!a!4!140!2!-1!0!-1!0!}") << QStringLiteral("unknown kind");
        QTest::newRow("bad number") << QByteArray("{Mes!a!4!cent!2!-1!0!-1!0!}") << QString();
        QTest::newRow("inconsistent") << QByteArray("{Mes!a!4!140!2!-1!0!3!0!}") << QString();
        QTest::newRow("not UTF-8") << QByteArray("{Mes!\xff\xfe!4!140!2!-1!0!-1!0!}") << QStringLiteral("not UTF-8");
        QTest::newRow("bytes before") << QByteArray("junk{Mes!a!4!140!2!-1!0!-1!0!}")
                                      << QStringLiteral("bytes before the record");
        QTest::newRow("stray brace") << QByteArray("}{Mes!a!4!140!2!-1!0!-1!0!}")
                                     << QStringLiteral("bytes before the record");
        QTest::newRow("nested") << QByteArray("{{Mes!a!4!140!2!-1!0!-1!0!}}") << QString();
        QTest::newRow("extra field") << QByteArray("{Mes!a!4!140!2!-1!0!-1!0!9!}") << QString();
        QTest::newRow("empty") << QByteArray("{}") << QString();
    }

    void recordsIllisibles()
    {
        QFETCH(QByteArray, mauvais);
        QFETCH(QString, raison);
        const QString attendu = raison.isEmpty() ? QStringLiteral(" (") : QStringLiteral(" (%1): ").arg(raison);
        QTest::ignoreMessage(QtWarningMsg,
                             QRegularExpression(QStringLiteral("^WARNING: ClientSocket dropped a record from "
                                                               "jass\\.example:4000")
                                                + QRegularExpression::escape(attendu)));
        b->socket->recoit(message(QStringLiteral("avant")) + mauvais + message(QStringLiteral("après")));
        QCOMPARE(b->exec.textesExecutes(), (QStringList{QStringLiteral("avant"), QStringLiteral("après")}));
        QCOMPARE(b->client->getOctetsEnAttente(), 0);
        QVERIFY(b->client->getSocket()->isOpen());
    }

    // A server that sends without end what cannot be handled is cut off,
    // as a network error.
    void tamponPlafonne_data()
    {
        QTest::addColumn<bool>("replay");
        QTest::newRow("unfinished record") << false;
        QTest::newRow("endless replay block") << true;
    }

    void tamponPlafonne()
    {
        QFETCH(bool, replay);
        b->attendHote();
        b->client->setTailleTamponMax(2000);
        QTest::ignoreMessage(QtWarningMsg, QRegularExpression(QStringLiteral("more than 2000 bytes")));
        if (replay) {
            b->socket->recoit(texte(EvenementDeJeu(EvenementDeJeu::RsI, QString(), 1, EtatDeJeu::HorsDeroulement, 2,
                                                   -1, 3, -1, 0, ZB_ICI)));
            for (int i = 0; i < 200 && b->socket->isOpen(); ++i)
                b->socket->recoit(message(QStringLiteral("encore et encore")));
        } else {
            b->socket->recoit(QByteArray("{Mes!") + QByteArray(3000, 'x'));
        }
        QVERIFY(!b->socket->isOpen());
        QVERIFY(b->liste.interrompu_);
        QCOMPARE(b->client->getOctetsEnAttente(), 0);
        QVERIFY(!b->client->estEnReplay());
        QCOMPARE(b->client->getEtat(), 10);
        QCoreApplication::sendPostedEvents();
        const QList<Poste> erreurs = b->salle.deType(ZB_Event::SocketError);
        QCOMPARE(erreurs.size(), 1);
        QCOMPARE(erreurs[0].titre, TitreErreur);
        QCOMPARE(erreurs[0].texte, texteErreur(QStringLiteral("boom")));
        QCOMPARE(erreurs[0].drapeau, 1);
        const QList<Poste> fins = b->salle.deType(ZB_Event::DisconnectClient);
        QCOMPARE(fins.size(), 1);
        QCOMPARE(fins[0].drapeau, 1);
        // Nothing more is read from the stream that was cut.
        b->exec.executes.clear();
        b->socket->recoit(message(QStringLiteral("trop tard")));
        QVERIFY(b->exec.executes.isEmpty());
    }

    // A joining client's block comes in one piece with the next card behind
    // it: the user is told, and the game so far replays, the card after it,
    // whether the notice is read or not (the table does not wait for it).
    void replayDansUnMorceau()
    {
        b->attendHote();
        QList<int> etats;
        b->socket->recoit(blocDeReplay(EvenementDeJeu::RsV, &etats) + carteSuivante());
        b->exec.ordre = etats;
        QVERIFY(b->exec.executes.isEmpty());
        QVERIFY(b->client->estEnReplay());
        QTRY_VERIFY_WITH_TIMEOUT(b->boites.aUneBoiteAffichee(), Delai);
        const GM_MessageBoxRequest boite = b->boites.historique().last().requete;
        QCOMPARE(boite.titre_, QStringLiteral("Notification"));
        // One notice says both: the replay, and the entry at the next deal.
        QCOMPARE(boite.texte_, QStringLiteral("Le début de la partie va être rejoué, merci d'être attentif.\n"
                                              "Comme la partie est déjà bien avancée, vous entrerez en jeu lors de la "
                                              "prochaine donne. Merci de patienter."));
        // What arrives next plays after the game so far, the notice still up.
        b->socket->recoit(message(QStringLiteral("pendant")));
        QTRY_COMPARE_WITH_TIMEOUT(b->exec.executes.size(), etats.size() + 1, Delai);
        QVERIFY(b->boites.aUneBoiteAffichee());
        QCOMPARE(b->exec.etatsExecutes().mid(0, etats.size()), etats);
        QCOMPARE(b->exec.executes.last().texte_, QStringLiteral("pendant"));
        QCOMPARE(b->display.modesVue, QList<int>{2});
        QVERIFY(!b->display.vueActive); // caught up, the user plays
        QCOMPARE(b->display.sieges, QList<int>{1});
        QCOMPARE(b->display.curseursRestaures, 1);
        // The table shows the game as joined online, once.
        QCOMPARE(b->display.rejoint, QList<bool>{true});
        QVERIFY(!b->client->estEnReplay());
        // Rewritten as seen from here: the host's own facts are remote, the
        // local player's inscription is not.
        const EvenementDeJeu& inscription = b->exec.executes.at(2);
        QCOMPARE(inscription.type_, int(EvenementDeJeu::InJ));
        OptionsDuJoueur lu;
        lu.chargeValeursDepuisString(inscription.texte_);
        QCOMPARE(lu.id_, Moi);
        QCOMPARE(lu.distant_, 0);
        QCOMPARE(b->exec.executes.at(5).source_, int(EvenementDeJeu::Remote_AI));
        QCOMPARE(b->liste.getDemandeurReplay(), nullptr);
        // Read at last, the notice changes nothing.
        QVERIFY(b->boites.repond(GM::Ok));
        QTest::qWait(20);
        QCOMPARE(b->exec.executes.size(), etats.size() + 1);
    }

    // An undo's block replays at once; a card that arrives while it plays
    // waits until it has been played through.
    void evenementPendantLeReplay()
    {
        b->attendHote();
        QList<int> etats;
        const QByteArray bloc = blocDeReplay(EvenementDeJeu::RsI, &etats);
        b->exec.ordre = etats;
        b->exec.delai = 30.0;
        b->socket->recoit(bloc);
        QTRY_VERIFY_WITH_TIMEOUT(!b->exec.executes.isEmpty(), Delai);
        QVERIFY(b->exec.executes.size() < etats.size() - 1);
        QVERIFY(b->client->estEnReplay());
        b->socket->recoit(carteSuivante());
        QVERIFY(!b->exec.etatsExecutes().contains(38));
        QTRY_COMPARE_WITH_TIMEOUT(b->exec.etatsExecutes(), etats, Delai);
        QVERIFY(b->boites.historique().isEmpty());
        QCOMPARE(b->display.modesVue, QList<int>{1});
        QVERIFY(!b->display.vueActive);
        QVERIFY(!b->client->estEnReplay());
    }

    // A player back after a crash, under the id it had, is sent its own
    // moves of the game so far: they are the past, replayed as any other
    // player's, not echoes of what it just sent (which the table drops).
    void replayDeSesPropresCoups()
    {
        b->attendHote();
        QList<int> etats;
        const QByteArray bloc = blocDeReplay(EvenementDeJeu::RsI, &etats, Moi, EvenementDeJeu::Remote_Human);
        b->exec.ordre = etats;
        b->socket->recoit(bloc);
        // The last state is the card after the block's.
        QTRY_COMPARE_WITH_TIMEOUT(b->exec.etatsExecutes(), etats.mid(0, etats.size() - 1), Delai);
        const EvenementDeJeu& atout = b->exec.executes.at(6);
        QCOMPARE(atout.type_, int(EvenementDeJeu::Cho));
        QCOMPARE(atout.idJoueur_, Moi);
        QCOMPARE(atout.source_, int(EvenementDeJeu::SourceRemote_Human_OtherPlayerMessageReturned));
    }

    // A block the list cannot replay is logged; the stream goes on.
    void replayIllisible()
    {
        QByteArray bloc = texte(EvenementDeJeu(EvenementDeJeu::RsI, QString(), 1, EtatDeJeu::HorsDeroulement, 2, -1, 3,
                                               -1, 0, ZB_ICI));
        bloc += texte(EvenementDeJeu(EvenementDeJeu::ReE, QString(), 4, EtatDeJeu::HorsDeroulement, 2, -1, 3, -1, 0,
                                     ZB_ICI));
        b->socket->recoit(bloc + message(QStringLiteral("vide")));
        QTRY_COMPARE_WITH_TIMEOUT(b->exec.textesExecutes(), QStringList{QStringLiteral("vide")}, Delai);

        // Only the last move after the end of the game: too short to find it.
        bloc = texte(EvenementDeJeu(EvenementDeJeu::RsI, QString(), 1, EtatDeJeu::HorsDeroulement, 2, -1, 3, -1, 0,
                                    ZB_ICI));
        bloc += texte(evenement(EvenementDeJeu::Fin, QStringLiteral("Ok"), 0, 134, 13));
        bloc += texte(EvenementDeJeu(EvenementDeJeu::ReE, QString(), 4, EtatDeJeu::HorsDeroulement, 2, -1, 3, -1, 0,
                                     ZB_ICI));
        QTest::ignoreMessage(QtWarningMsg, QRegularExpression(QStringLiteral("could not replay the block")));
        b->socket->recoit(bloc + message(QStringLiteral("après")));
        QTRY_COMPARE_WITH_TIMEOUT(b->exec.textesExecutes().last(), QStringLiteral("après"), Delai);
        QVERIFY(!b->client->estEnReplay());
        QCOMPARE(b->liste.getDemandeurReplay(), nullptr);
    }

    // The socket goes while its replay plays: the list forgets it.
    void detruitPendantLeReplay()
    {
        b->attendHote();
        QList<int> etats;
        const QByteArray bloc = blocDeReplay(EvenementDeJeu::RsI, &etats);
        b->exec.ordre = etats;
        b->exec.delai = 10.0;
        b->socket->recoit(bloc);
        QTRY_VERIFY_WITH_TIMEOUT(b->liste.getDemandeurReplay() != nullptr, Delai);
        b->client.reset();
        QCOMPARE(b->liste.getDemandeurReplay(), nullptr);
        QTRY_COMPARE_WITH_TIMEOUT(b->exec.etatsExecutes(), etats.mid(0, etats.size() - 1), Delai);
        QTest::qWait(20);
    }

    // Every event but chat and the user info waits for its echo, and is
    // sent again until it comes.
    void echo()
    {
        b->attendHote();
        b->socket->ecritures.clear();
        const EvenementDeJeu carte =
            evenement(EvenementDeJeu::Ajo, QStringLiteral("3_9"), 1, 38, 4, 0, EvenementDeJeu::Local_Human, Moi);
        b->client->sendEvent(carte);
        QCOMPARE(b->socket->ecritures, QList<QByteArray>{texte(carte)});
        QVERIFY(b->client->getTimerRenvoi().isActive());
        QCOMPARE(b->client->getTimerRenvoi().interval(), 10000);

        // The host's echo, its source rewritten there.
        EvenementDeJeu retour = carte;
        retour.source_ = EvenementDeJeu::Remote_Human;
        b->socket->recoit(texte(retour));
        QVERIFY(!b->client->getTimerRenvoi().isActive());
        QCOMPARE(b->client->getRenvois(), 0);
        // Seat 1 is this machine's: its echo is not run again.
        QVERIFY(b->exec.executes.isEmpty());

        // An echo under another player id than ours is worth a warning.
        const EvenementDeJeu autre =
            evenement(EvenementDeJeu::Ajo, QStringLiteral("3_9"), 1, 39, 5, 0, EvenementDeJeu::Local_Human, 77);
        b->client->sendEvent(autre);
        EvenementDeJeu retourAutre = autre;
        retourAutre.source_ = EvenementDeJeu::Remote_Human;
        EvenementDeJeu vu = retourAutre;
        vu.source_ = EvenementDeJeu::SourceRemote_Human_OtherPlayerMessageReturned;
        vu.valide_ = true;
        QTest::ignoreMessage(QtWarningMsg,
                             qPrintable(QStringLiteral("WARNING: Last sent evenement = %1, current evenement = %2, the "
                                                       "evenement PlayerId = 77, but the expected in 'options' is "
                                                       "PlayerId = 55")
                                            .arg(autre.toString(2), vu.toString(2))));
        b->socket->recoit(texte(retourAutre));
        QVERIFY(!b->client->getTimerRenvoi().isActive());

        // Chat is not waited for.
        b->client->sendEvent(
            evenement(EvenementDeJeu::Mes, QStringLiteral("salut"), 4, 140, -1, 0, EvenementDeJeu::Local_Human, Moi));
        QVERIFY(!b->client->getTimerRenvoi().isActive());
    }

    void renvois()
    {
        b->attendHote();
        b->socket->ecritures.clear();
        b->client->setDelaiRenvoi(2);
        const EvenementDeJeu carte =
            evenement(EvenementDeJeu::Ajo, QStringLiteral("3_9"), 1, 38, 4, 0, EvenementDeJeu::Local_Human, Moi);
        QTest::ignoreMessage(QtWarningMsg, QRegularExpression(QStringLiteral("did not answer .* after 13 resends")));
        b->client->sendEvent(carte);
        QTRY_COMPARE_WITH_TIMEOUT(b->socket->fermetures, 1, Delai);
        QCOMPARE(b->socket->ecritures.size(), 1 + 13);
        for (const QByteArray& e : std::as_const(b->socket->ecritures))
            QCOMPARE(e, texte(carte));
        QVERIFY(!b->client->getTimerRenvoi().isActive());
        QVERIFY(b->liste.interrompu_);
        QCoreApplication::sendPostedEvents();
        QCOMPARE(b->salle.deType(ZB_Event::DisconnectClient).size(), 1);
    }

    // A transport that takes part of a message has cut the stream.
    void ecritureIncomplete()
    {
        b->attendHote();
        b->socket->recoit(message(QStringLiteral("en jeu")));
        b->socket->prendAuPlus = 5;
        b->client->sendEvent(
            evenement(EvenementDeJeu::Ajo, QStringLiteral("3_9"), 1, 38, 4, 0, EvenementDeJeu::Local_Human, Moi));
        QCOMPARE(b->client->getEtat(), 10);
        QVERIFY(!b->client->getTimerRenvoi().isActive());
        QCoreApplication::sendPostedEvents();
        const QList<Poste> erreurs = b->salle.deType(ZB_Event::SocketError);
        QCOMPARE(erreurs.size(), 1);
        QCOMPARE(erreurs[0].texte, texteErreur(QStringLiteral("boom")));
        QCOMPARE(erreurs[0].drapeau, 1);
        const QStringList lignes = b->socket->getLignesErreur();
        QCOMPARE(lignes.size(), 1);
        QVERIFY(QRegularExpression(QStringLiteral("^ClientSocket\\([0-9a-f]+:198\\.51\\.100\\.7\\)::onError boom$"))
                    .match(lignes[0])
                    .hasMatch());
    }

    // The connection refused, or the host full: said once, and the errors
    // after that are only logged.
    void refusEtComplet_data()
    {
        QTest::addColumn<int>("etat");
        QTest::addColumn<QByteArray>("refus"); // what the host said before it closed
        QTest::addColumn<int>("erreur");
        QTest::addColumn<QString>("texte");
        QTest::addColumn<int>("etatFinal");
        const QByteArray rien;
        const QByteArray refus(RECORD_REFUS_TABLE);
        const QByteArray complet = refus + QByteArray(RECORD_REFUS_COMPLET);
        const int fermee = int(QAbstractSocket::RemoteHostClosedError);
        QTest::newRow("refused") << 2 << rien << int(QAbstractSocket::ConnectionRefusedError) << Refuse << 8;
        QTest::newRow("refused without a reason, waiting for the host") << 5 << refus << fermee << RefuseParLHote << 8;
        QTest::newRow("closed as soon as connected") << 2 << refus << fermee << RefuseParLHote << 8;
        QTest::newRow("every seat taken, just connected") << 2 << complet << fermee << Complet << 8;
        QTest::newRow("every seat taken, waiting for the host") << 5 << complet << fermee << Complet << 8;
        // The close that follows tells the user, in the one box of the end.
        QTest::newRow("closed while playing") << 6 << rien << fermee << QString() << 9;
        QTest::newRow("other error")
            << 6 << rien << int(QAbstractSocket::SocketTimeoutError) << QStringLiteral("boom") << 10;
    }

    void refusEtComplet()
    {
        QFETCH(int, etat);
        QFETCH(QByteArray, refus);
        QFETCH(int, erreur);
        QFETCH(QString, texte);
        QFETCH(int, etatFinal);
        b->fenetre.setEtat(etat);
        if (!refus.isEmpty())
            b->socket->recoit(refus);
        QCOMPARE(b->client->getEtat(), etat);
        emit b->socket->error(QAbstractSocket::SocketError(erreur));
        QCOMPARE(b->client->getEtat(), etatFinal);
        emit b->socket->error(QAbstractSocket::NetworkError);
        QCOMPARE(b->client->getEtat(), etatFinal);
        QCoreApplication::sendPostedEvents();
        const QList<Poste> erreurs = b->salle.deType(ZB_Event::SocketError);
        QCOMPARE(erreurs.size(), texte.isEmpty() ? 0 : 1);
        if (!texte.isEmpty()) {
            QCOMPARE(erreurs[0].titre, TitreErreur);
            QCOMPARE(erreurs[0].texte, texteErreur(texte));
        }
        QCOMPARE(b->socket->getLignesErreur().size(), 2);
    }

    void refusALaConnexion()
    {
        b.reset();
        b = std::make_unique<Banc>();
        b->socket->refuse = true;
        b->client->connecte(Hote, Port, QStringLiteral("moi"), 42, 30, false);
        QCOMPARE(b->client->getEtat(), 8);
        QCOMPARE(b->fenetre.getTexte(), QStringLiteral("Déconnecté..."));
        QCoreApplication::sendPostedEvents();
        QCOMPARE(b->salle.deType(ZB_Event::SocketError).last().texte, texteErreur(Refuse));
    }

    // Who ended the connection decides whether the user is told.
    void deconnexion_data()
    {
        QTest::addColumn<int>("etat");
        QTest::addColumn<int>("fin"); // 0 this side closes, 1 the host with an error (TCP), 2 the host plainly
        QTest::addColumn<bool>("refus"); // the host said it refuses the connection first
        QTest::addColumn<int>("drapeau");
        QTest::addColumn<int>("etatFinal");
        QTest::addColumn<QString>("erreur");
        // Told once, by the close: the error before it says nothing.
        QTest::newRow("host gone while playing") << 6 << 1 << false << 1 << 9 << QString();
        QTest::newRow("host full") << 5 << 1 << true << 0 << 8 << RefuseParLHote;
        QTest::newRow("user") << 7 << 0 << false << 0 << 7 << QString();
        QTest::newRow("gone while connecting") << 2 << 0 << false << 1 << 7 << QString();
        QTest::newRow("host closes plainly, waiting") << 5 << 2 << true << 0 << 8 << RefuseParLHote;
        QTest::newRow("host closes plainly, just connected") << 2 << 2 << true << 0 << 8 << RefuseParLHote;
        QTest::newRow("host closes plainly while playing") << 6 << 2 << false << 1 << 9 << QString();
    }

    void deconnexion()
    {
        QFETCH(int, etat);
        QFETCH(int, fin);
        QFETCH(bool, refus);
        QFETCH(int, drapeau);
        QFETCH(int, etatFinal);
        QFETCH(QString, erreur);
        b->fenetre.setEtat(etat);
        if (refus)
            b->socket->recoit(QByteArray(RECORD_REFUS_TABLE));
        b->client->sendEvent(
            evenement(EvenementDeJeu::Ajo, QStringLiteral("3_9"), 1, 38, 4, 0, EvenementDeJeu::Local_Human, Moi));
        if (fin == 1) {
            b->socket->hotePart();
        } else if (fin == 2) {
            b->socket->etat = QAbstractSocket::UnconnectedState;
            emit b->socket->disconnected();
        } else {
            b->client->closeConnection();
        }
        QCOMPARE(b->client->getEtat(), etatFinal);
        QVERIFY(!b->client->getTimerRenvoi().isActive());
        // The room's request for the user info, posted when the connection
        // was made, may come after its end: the end stays shown.
        const qsizetype ecritures = b->socket->ecritures.size();
        b->client->sendUserInfo(joueur(QStringLiteral("moi"), Moi), 30, nullptr);
        QCOMPARE(b->client->getEtat(), etatFinal);
        QCOMPARE(b->socket->ecritures.size(), ecritures);
        QCoreApplication::sendPostedEvents();
        const QList<Poste> fins = b->salle.deType(ZB_Event::DisconnectClient);
        QCOMPARE(fins.size(), 1);
        QCOMPARE(fins[0].drapeau, drapeau);
        const QList<Poste> erreurs = b->salle.deType(ZB_Event::SocketError);
        QCOMPARE(erreurs.size(), erreur.isEmpty() ? 0 : 1);
        if (!erreur.isEmpty())
            QCOMPARE(erreurs[0].texte, texteErreur(erreur));
        QCOMPARE(b->client->getEssais(), 0);
        QCOMPARE(b->socket->connexions.size(), 1);
    }

    // A host that closes the connection before the game began without
    // saying it refuses it dropped it to make room: the client comes back
    // after a wait that doubles each time, telling the user which try comes
    // when, and the room hears nothing. After the last try the user is told
    // the host refused the connection, or is full when it had let the
    // player introduce itself.
    void essaisApresUnRenvoi_data()
    {
        QTest::addColumn<int>("etat");
        QTest::addColumn<bool>("erreur"); // TCP reports the close as an error first
        QTest::addColumn<QString>("texte");
        QTest::newRow("waiting for the host, tcp") << 5 << true << Complet;
        QTest::newRow("just connected, websocket") << 2 << false << RefuseParLHote;
    }
    void essaisApresUnRenvoi()
    {
        QFETCH(int, etat);
        QFETCH(bool, erreur);
        QFETCH(QString, texte);
        b->client->setDelaiEssai(10);
        auto renvoie = [&] {
            b->fenetre.setEtat(etat);
            if (erreur) {
                b->socket->hotePart();
            } else {
                b->socket->etat = QAbstractSocket::UnconnectedState;
                emit b->socket->disconnected();
            }
        };
        for (int essai = 1; essai <= ClientSocket::EssaisMax; ++essai) {
            renvoie();
            QCOMPARE(b->client->getEssais(), essai);
            QCOMPARE(b->client->getEtat(), 5);
            QCOMPARE(b->fenetre.getTexte(), annonceEssai(essai));
            QVERIFY(b->fenetre.getBoutonAnnuler()->isEnabled());
            QCOMPARE(b->client->getTimerEssai().interval(), 10 << (essai - 1));
            // The room's request for the user info of the dropped
            // connection: the next one asks again.
            b->attendHote();
            QCOMPARE(b->fenetre.getTexte(), annonceEssai(essai));
            QTRY_COMPARE_WITH_TIMEOUT(b->socket->connexions.size(), 1 + essai, Delai);
        }
        QVERIFY(b->socket->ecritures.isEmpty());
        renvoie();
        QCOMPARE(b->client->getEtat(), 8);
        QCoreApplication::sendPostedEvents();
        const QList<Poste> erreurs = b->salle.deType(ZB_Event::SocketError);
        QCOMPARE(erreurs.size(), 1);
        QCOMPARE(erreurs[0].texte, texteErreur(texte));
        const QList<Poste> fins = b->salle.deType(ZB_Event::DisconnectClient);
        QCOMPARE(fins.size(), 1);
        QCOMPARE(fins[0].drapeau, 0);
        QTest::qWait(100);
        QCOMPARE(b->socket->connexions.size(), 1 + ClientSocket::EssaisMax);
    }

    // Given up while waiting for the next try: no try follows.
    void annulationEntreDeuxEssais()
    {
        b->client->setDelaiEssai(50);
        b->attendHote();
        b->socket->hotePart();
        QCOMPARE(b->client->getEssais(), 1);
        b->client->OnConnectCancel_Answer(GM::Ok);
        QCOMPARE(b->client->getEtat(), 7);
        QTest::qWait(150);
        QCOMPARE(b->socket->connexions.size(), 1);
        QCoreApplication::sendPostedEvents();
        QCOMPARE(b->salle.deType(ZB_Event::DisconnectClient).size(), 1);
        QCOMPARE(b->salle.deType(ZB_Event::DisconnectClient)[0].drapeau, 0);
    }

    // The user gives up waiting: asked first, and only OK disconnects.
    void annulation()
    {
        b->attendHote();
        b->fenetre.show();
        QVERIFY(b->fenetre.getBoutonAnnuler()->isEnabled());
        QTest::mouseClick(b->fenetre.getBoutonAnnuler(), Qt::LeftButton);
        QVERIFY(!b->fenetre.isVisible());
        QTRY_VERIFY_WITH_TIMEOUT(b->boites.aUneBoiteAffichee(), Delai);
        GM_MessageBoxRequest question = b->boites.historique().last().requete;
        QCOMPARE(question.titre_, QStringLiteral("Connection client"));
        QCOMPARE(question.texte_,
                 QStringLiteral("Vous vous apprétez à vous déconnecter du serveur. Quitter tout de même?"));
        QCOMPARE(question.boutons_, GM::Ok | GM::Cancel);

        b->boites.repond(GM::Cancel);
        QTRY_VERIFY_WITH_TIMEOUT(b->fenetre.isVisible(), Delai);
        QVERIFY(b->socket->isOpen());
        QCOMPARE(b->client->getEtat(), 5);

        QTest::mouseClick(b->fenetre.getBoutonAnnuler(), Qt::LeftButton);
        QTRY_VERIFY_WITH_TIMEOUT(b->boites.aUneBoiteAffichee(), Delai);
        b->boites.repond(GM::Ok);
        QTRY_VERIFY_WITH_TIMEOUT(!b->socket->isOpen(), Delai);
        QCOMPARE(b->client->getEtat(), 7);
        QCOMPARE(b->fenetre.getTexte(), QStringLiteral("Déconnecté par l'utilisateur"));
        QVERIFY(b->liste.interrompu_);
        QCoreApplication::sendPostedEvents();
        QCOMPARE(b->salle.deType(ZB_Event::DisconnectClient).size(), 1);
        QCOMPARE(b->salle.deType(ZB_Event::DisconnectClient)[0].drapeau, 0);

        // Once playing, the button asks nothing.
        b->fenetre.setEtat(6);
        b->boites.effaceHistorique();
        b->client->OnConnectCancel_();
        QTest::qWait(20);
        QVERIFY(b->boites.historique().isEmpty());
    }

    // A public server that closes the connection before the game starts is
    // tried again, five times, then the user is told it is full.
    void tentativesPubliques()
    {
        b->client->setDelaiTentative(20);
        b->salle.surInfo = [this] { b->attendHote(); };
        b->client->connecte(Hote, Port, QStringLiteral("moi"), 42, 30, true);
        QCoreApplication::sendPostedEvents();
        QCOMPARE(b->client->getEtat(), 3);
        QVERIFY(b->fenetre.isVisible());
        for (int tentative = 1; tentative <= 5; ++tentative) {
            b->socket->hotePart();
            QCOMPARE(b->client->getEtat(), 4);
            QCOMPARE(b->client->getTentatives(), tentative);
            QTRY_COMPARE_WITH_TIMEOUT(b->socket->connexions.size(), 2 + tentative, Delai);
            QCoreApplication::sendPostedEvents();
            QCOMPARE(b->client->getEtat(), 3);
        }
        for (qsizetype i = 2; i < b->socket->instants.size(); ++i)
            QVERIFY(b->socket->instants[i] - b->socket->instants[i - 1] >= 20);
        b->socket->hotePart();
        QCOMPARE(b->client->getEtat(), 8);
        QTest::qWait(60);
        QCOMPARE(b->socket->connexions.size(), 7);
        QCoreApplication::sendPostedEvents();
        const QList<Poste> erreurs = b->salle.deType(ZB_Event::SocketError);
        QCOMPARE(erreurs.size(), 1);
        QCOMPARE(erreurs[0].texte, texteErreur(Complet));
        const QList<Poste> fins = b->salle.deType(ZB_Event::DisconnectClient);
        QCOMPARE(fins.size(), 1);
        QCOMPARE(fins[0].drapeau, 0);
    }

    // The real pause between two attempts is one second.
    void tentativePubliqueApresUneSeconde()
    {
        b->salle.surInfo = [this] { b->attendHote(); };
        b->client->connecte(Hote, Port, QStringLiteral("moi"), 42, 30, true);
        QCoreApplication::sendPostedEvents();
        QElapsedTimer chrono;
        chrono.start();
        // Without the error first, as a WebSocket may report it.
        b->socket->etat = QAbstractSocket::UnconnectedState;
        emit b->socket->disconnected();
        QTRY_COMPARE_WITH_TIMEOUT(b->socket->connexions.size(), 3, Delai);
        QVERIFY(chrono.elapsed() >= 990);
    }

    // Given up between two attempts: no attempt follows, and the room hears
    // of it since no socket will.
    void annulationEntreDeuxTentatives()
    {
        b->client->setDelaiTentative(50);
        b->client->connecte(Hote, Port, QStringLiteral("moi"), 42, 30, true);
        b->attendHote();
        b->socket->hotePart();
        QCOMPARE(b->client->getEtat(), 4);
        b->client->OnConnectCancel_Answer(GM::Ok);
        QCOMPARE(b->client->getEtat(), 7);
        QTest::qWait(150);
        QCOMPARE(b->socket->connexions.size(), 2);
        QCoreApplication::sendPostedEvents();
        QCOMPARE(b->salle.deType(ZB_Event::DisconnectClient).size(), 1);
        QCOMPARE(b->salle.deType(ZB_Event::DisconnectClient)[0].drapeau, 0);
    }

    void pontFerme()
    {
        b->attendHote();
        emit b->socket->signalBridgeClose(12, 13);
        QCOMPARE(b->client->getEtat(), 9);
        QCoreApplication::sendPostedEvents();
        const QList<Poste> erreurs = b->salle.deType(ZB_Event::SocketError);
        QCOMPARE(erreurs.size(), 1);
        QCOMPARE(erreurs[0].titre, TitreErreur);
        QCOMPARE(erreurs[0].texte, QStringLiteral("La connection avec le serveur a été interrompue."));
        QCOMPARE(erreurs[0].drapeau, 1);
    }

    // Writing to a connection that is gone is no error to report again.
    void envoiSansConnexion()
    {
        b->client->closeConnection();
        QCoreApplication::sendPostedEvents();
        b->salle.postes.clear();
        QTest::ignoreMessage(QtWarningMsg, QRegularExpression(QStringLiteral("not connected")));
        b->client->sendEvent(
            evenement(EvenementDeJeu::Ajo, QStringLiteral("3_9"), 1, 38, 4, 0, EvenementDeJeu::Local_Human, Moi));
        QCoreApplication::sendPostedEvents();
        QVERIFY(b->salle.postes.isEmpty());
        QVERIFY(!b->client->getTimerRenvoi().isActive());
    }
};

ZB_REGISTER_TEST(TestClientSocket)
#include "TestClientSocket.moc"
