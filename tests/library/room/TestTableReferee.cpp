#include "RefereeTestKit.h"
#include "ZB_MessageDeTable.h"
#include "ZbTestRegistry.h"

using namespace arbitretest;

// What a hosting table takes from its seats and peers: whose card, which
// card, stale and foreign events, network messages, the kinds a peer may
// not send, and who is seated where.
class TestTableReferee : public QObject, private BancArbitre
{
    Q_OBJECT

private slots:
    void init() { monte(); }
    void cleanup() { demonte(); }

    void constructionEtInscription()
    {
        for (int siege = 0; siege < 4; ++siege) {
            QVERIFY(table->getJoueur(siege) != nullptr);
            QCOMPARE(table->getJoueur(siege)->noJoueur_, siege);
            QCOMPARE(table->getJoueur(siege)->modeJeu_, int(Joueur::ModeHumainDistant));
            QVERIFY(salle->liste.joueurDistant_[siege]);
        }
        QVERIFY(table->getJoueur(4) == nullptr);
        QCOMPARE(table->getNoJoueurLocal(), -1);
        table->inscritJoueur(2, joueur(2, 0), Joueur::ModeManuel, false);
        QCOMPARE(table->getNoJoueurLocal(), 2);
        QVERIFY(!salle->liste.joueurDistant_[2]);
        QCOMPARE(display->sieges, QList<int>{2});
        QVERIFY(table->getNoDemande() != -1);
        // The exclusion signal goes straight to the room.
        emit table->getJoueur(1)->signalPlayerExcluded();
        QCOMPARE(salle->exclusions, 1);
    }

    void carteDuSiegeQuiDoitJouer()
    {
        donne(1, {{2, 14}, {3, 6}});
        donne(2, {{3, 14}});
        salle->liste.setEtatAttendu(EtatDeJeu::Tour1_AttendCarte1);
        QVERIFY(table->cb_executeUnEvenement(
            coup(EvenementDeJeu::Ajo, QStringLiteral("2_14"), 1, EtatDeJeu::Tour1_AttendCarte1)));
        QCOMPARE(display->cartesJouees, QStringList{QStringLiteral("1:2_14")});
        QCOMPARE(display->rafraichissements, 1);

        // A card of a seat whose turn it is not.
        const EvenementDeJeu autre
            = coup(EvenementDeJeu::Ajo, QStringLiteral("3_14"), 2, EtatDeJeu::Tour1_AttendCarte1);
        QTest::ignoreMessage(QtWarningMsg,
                             qPrintable(QStringLiteral("ZB_RoomTable::cb_executeUnEvenement, Player = 2 (Options = %1) "
                                                       "is not the player supposed to play (expected = 1), card "
                                                       "play '%2' has been IGNORED")
                                            .arg(table->getJoueur(2)->options_.sauveValeursDansString(),
                                                 autre.toString(3))));
        QVERIFY(!table->cb_executeUnEvenement(autre));
        QCOMPARE(display->cartesJouees.size(), 1);

        // Before the deal exists, nobody may play.
        table->setPartie(QSharedPointer<Partie>());
        QTest::ignoreMessage(QtWarningMsg, QRegularExpression(QStringLiteral("expected = -1\\), card play")));
        QVERIFY(!table->cb_executeUnEvenement(
            coup(EvenementDeJeu::Ajo, QStringLiteral("3_6"), 1, EtatDeJeu::Tour1_AttendCarte1)));
    }

    // A hosting table plays only the cards a client's seat may play: one the
    // rules forbid is refused like one the seat does not hold, and the
    // server hears whose it was. What this table reads rather than hears
    // live (a local game, the host's word on a client, a stored record)
    // plays as it was written.
    void carteDUnClient_data()
    {
        QTest::addColumn<int>("contexte");
        QTest::addColumn<QString>("carte");
        QTest::addColumn<bool>("jouee");
        enum { Hote, Local, Miroir, Enregistrement, Rejoue };
        QTest::newRow("hosting, follows suit") << int(Hote) << QStringLiteral("2_6") << true;
        QTest::newRow("hosting, does not follow suit") << int(Hote) << QStringLiteral("3_14") << false;
        QTest::newRow("hosting, not held") << int(Hote) << QStringLiteral("4_13") << false;
        QTest::newRow("local game") << int(Local) << QStringLiteral("3_14") << true;
        QTest::newRow("client, the host's word") << int(Miroir) << QStringLiteral("3_14") << true;
        QTest::newRow("hosting, stored record") << int(Enregistrement) << QStringLiteral("3_14") << true;
        QTest::newRow("hosting, replayed move") << int(Rejoue) << QStringLiteral("3_14") << true;
    }
    void carteDUnClient()
    {
        QFETCH(int, contexte);
        QFETCH(QString, carte);
        QFETCH(bool, jouee);
        enum { Hote, Local, Miroir, Enregistrement, Rejoue };
        const int reseau = contexte == Local    ? ZB_RoomTable::ReseauLocal
                         : contexte == Miroir ? ZB_RoomTable::ReseauClient
                                              : ZB_RoomTable::ReseauServeur;
        table->nouvellePartie(reseau, OptionsDePartie(TypeDePartie::GenreJass));
        donne(1, {{2, 14}, {1, 13}});
        donne(2, {{2, 6}, {3, 14}});
        EnsembleDeCartes mains;
        for (int siege = 1; siege <= 2; ++siege)
            for (Carte* c : table->getJoueur(siege)->main_)
                mains.ajouteCarte(c);
        StatusAtout atout;
        atout.choisi_ = true;
        atout.atout_ = 1;
        atout.multiplicateur_ = 1;
        table->setPartie(QSharedPointer<Partie>::create(atout, mains, 1, 1, 1, table->getTypeDePartie(),
                                                        ZB_StatusMise(), nullptr));
        const int source = contexte == Miroir ? int(EvenementDeJeu::SourceRemote_Human_OtherPlayerMessageReturned)
                                              : int(EvenementDeJeu::Remote_Human);
        auto carteDe = [&](int siege, const QString& texte, int etat) {
            return EvenementDeJeu(EvenementDeJeu::Ajo, texte, siege, etat, source, ID_BASE + siege,
                                  contexte == Rejoue ? 1 : 0, table->getNoDemande(), 0, ZB_ICI);
        };
        QList<QPair<qint64, QString>> refuse;
        table->setRefusCoupDistant([&refuse](qint64 id, const QString& raison) { refuse.append({id, raison}); });
        if (!jouee)
            QTest::ignoreMessage(QtWarningMsg, QRegularExpression(QStringLiteral("card play '.*' has been REFUSED|"
                                                                                 "requested card .* is MISSING")));
        if (contexte == Enregistrement) {
            QMutexLocker verrou(salle->liste.getMutex());
            salle->liste.setEtatAttendu(EtatDeJeu::Tour1_AttendCarte1);
            salle->liste.replay({QStringLiteral("12"),
                                 carteDe(1, QStringLiteral("2_14"), EtatDeJeu::Tour1_AttendCarte1).toString(3),
                                 carteDe(2, carte, EtatDeJeu::Tour1_AttendCarte1 + 1).toString(3)},
                                ZB_RoomTable::SiegeTable, false, -1, nullptr);
            salle->liste.flush_unlocked();
        } else {
            salle->liste.setEtatAttendu(EtatDeJeu::Tour1_AttendCarte1);
            QVERIFY(table->cb_executeUnEvenement(carteDe(1, QStringLiteral("2_14"), EtatDeJeu::Tour1_AttendCarte1)));
            salle->liste.setEtatAttendu(EtatDeJeu::Tour1_AttendCarte1 + 1);
            QCOMPARE(table->cb_executeUnEvenement(carteDe(2, carte, EtatDeJeu::Tour1_AttendCarte1 + 1)), jouee);
        }
        QStringList attendues{QStringLiteral("1:2_14")};
        if (jouee)
            attendues << QStringLiteral("2:") + carte;
        QCOMPARE(display->cartesJouees, attendues);
        QCOMPARE(refuse.size(), jouee ? 0 : 1);
        if (!jouee) {
            QCOMPARE(refuse.at(0).first, ID_BASE + 2);
            QVERIFY(refuse.at(0).second.contains(carte));
            // The seat still owes its card.
            QCOMPARE(table->getPartie()->noDuProchainAJouer_, 2);
            QVERIFY(table->getJoueur(2)->main_.contientIndex(9 * (2 - 1) + (6 - 6)));
        }
    }

    void carteAbsente_data()
    {
        QTest::addColumn<QString>("texte");
        QTest::newRow("suit 5") << QStringLiteral("5_6");
        QTest::newRow("rank 15") << QStringLiteral("1_15");
        QTest::newRow("rank 5") << QStringLiteral("1_5");
        QTest::newRow("letters") << QStringLiteral("abc");
        QTest::newRow("three parts") << QStringLiteral("1_6_7");
        QTest::newRow("empty") << QString();
        QTest::newRow("not held") << QStringLiteral("4_13");
    }
    void carteAbsente()
    {
        QFETCH(QString, texte);
        donne(1, {{3, 6}, {2, 14}});
        salle->liste.setEtatAttendu(EtatDeJeu::Tour1_AttendCarte1);
        const EvenementDeJeu ev = coup(EvenementDeJeu::Ajo, texte, 1, EtatDeJeu::Tour1_AttendCarte1);
        QTest::ignoreMessage(QtWarningMsg,
                             qPrintable(QStringLiteral("ZB_RoomTable::cb_executeUnEvenement, Player = 1 (Options = %1) "
                                                       "has cards = {2_14, 3_6}, and requested card %2 is MISSING")
                                            .arg(table->getJoueur(1)->options_.sauveValeursDansString(),
                                                 ev.toString(3))));
        QVERIFY(!table->cb_executeUnEvenement(ev));
        QVERIFY(display->cartesJouees.isEmpty());
    }

    void evenementsPerimes()
    {
        donne(1, {{2, 14}});
        salle->liste.setEtatAttendu(EtatDeJeu::Tour1_AttendCarte1);
        QTest::failOnWarning(QRegularExpression(QStringLiteral(".*")));
        // An answer to an older request: ignored without a word.
        const EvenementDeJeu perime(EvenementDeJeu::Ajo, QStringLiteral("2_14"), 1, EtatDeJeu::Tour1_AttendCarte1,
                                    EvenementDeJeu::Remote_Human,
                                    ID_BASE + 1, 0, table->getNoDemande() - 1, 0, ZB_ICI);
        QVERIFY(!table->cb_executeUnEvenement(perime));
        QVERIFY(display->cartesJouees.isEmpty());
        QCOMPARE(display->rafraichissements, 0);

        // A snapshot never answers a request, and is applied.
        ZB_SettingsPartie settings;
        settings.scores_ = {120, 37};
        settings.joueurQuiCommenceLaProchainePartie = 3;
        QVERIFY(table->cb_executeUnEvenement(deLaTable(EvenementDeJeu::Enr, settings.sauveValeursDansString(),
                                                       EtatDeJeu::EnregistrementSettingsPartie)));
        QCOMPARE(table->getSettingsPartie().scores_[0], 120);
        QCOMPARE(table->getSettingsPartie().scores_[1], 37);
        QCOMPARE(table->getSettingsPartie().joueurQuiCommenceLaProchainePartie, 3);
        // It brings back the match's counts it carries (none here); one with
        // no game kind, written before snapshots carried them, leaves them.
        table->statsPartie().ajouteValeur(0, -5, -3, JoueurHumain::StatsMatchs, 1);
        for (const int typePartie : {0, 1}) {
            settings.stats_.typePartie_ = typePartie;
            QVERIFY(table->cb_executeUnEvenement(deLaTable(EvenementDeJeu::Enr, settings.sauveValeursDansString(),
                                                           EtatDeJeu::EnregistrementSettingsPartie)));
            QCOMPARE(table->getStatsPartie().equipes_[0].compteurs_[JoueurHumain::StatsMatchs], 1 - typePartie);
        }
    }

    void controleDuJoueur()
    {
        salle->liste.setEtatAttendu(EtatDeJeu::AttendMise1_1 + 2);
        table->settingsPartie().joueurQuiCommenceLaProchainePartie = 3;
        QCOMPARE(table->getJoueurQuiDoitJouer(), 1);
        QTest::failOnWarning(QRegularExpression(QStringLiteral(".*")));
        // Another player's id at that seat: ignored, unless replayed or
        // mirrored.
        EvenementDeJeu faux(EvenementDeJeu::Chm, texteMise(), 1, EtatDeJeu::AttendMise1_1 + 2,
                            EvenementDeJeu::Remote_Human, ID_BASE + 2, 0,
                            table->getNoDemande(), 0, ZB_ICI);
        QVERIFY(!table->cb_executeUnEvenement(faux));
        faux.mode_ = EvenementDeJeu::ModeRejeuAnime;
        QVERIFY(table->cb_executeUnEvenement(faux));
        // Sources a seat never answers from.
        EvenementDeJeu source = coup(EvenementDeJeu::Chm, texteMise(), 1, EtatDeJeu::AttendMise1_1 + 2);
        for (int s : {int(EvenementDeJeu::Local_Table), int(EvenementDeJeu::Remote_Table),
                      int(EvenementDeJeu::SourceRemote_Human_MyOwnMessageReturned), 13, 99}) {
            source.source_ = s;
            QVERIFY2(!table->cb_executeUnEvenement(source), qPrintable(QString::number(s)));
        }
        source.source_ = EvenementDeJeu::SourceRemote_Human_MyOwnMessageReturned;
        source.mode_ = EvenementDeJeu::ModeRejeuAnime;
        QVERIFY(table->cb_executeUnEvenement(source));
        // An invalid event and a seat nobody sits at.
        EvenementDeJeu invalide = coup(EvenementDeJeu::Chm, texteMise(), 1, EtatDeJeu::AttendMise1_1 + 2);
        invalide.valide_ = false;
        QVERIFY(!table->cb_executeUnEvenement(invalide));
        EvenementDeJeu loin = coup(EvenementDeJeu::Chm, texteMise(), 1, EtatDeJeu::AttendMise1_1 + 2);
        loin.noJoueur_ = 7;
        QVERIFY(!table->cb_executeUnEvenement(loin));
    }

    void messageReseau()
    {
        const EvenementDeJeu serveur(EvenementDeJeu::Mes, QStringLiteral("Bienvenue"), 4, EtatDeJeu::HorsDeroulement,
                                     EvenementDeJeu::Local_Table, -1, 0, -1, 0, ZB_ICI);
        QVERIFY(table->cb_executeUnEvenement(serveur));
        const EvenementDeJeu siege(EvenementDeJeu::Mes, QStringLiteral("salut"), 2, EtatDeJeu::HorsDeroulement,
                                   EvenementDeJeu::Remote_Human,
                                   ID_BASE + 2, 0, -1, 0, ZB_ICI);
        QVERIFY(table->cb_executeUnEvenement(siege));
        // Under another player's seat, or in the server's name: not shown.
        const EvenementDeJeu usurpe(EvenementDeJeu::Mes, QStringLiteral("je passe"), 1, EtatDeJeu::HorsDeroulement,
                                    EvenementDeJeu::Remote_Human, ID_BASE + 2, 0, -1, 0, ZB_ICI);
        QVERIFY(!table->cb_executeUnEvenement(usurpe));
        const EvenementDeJeu commeLeServeur(EvenementDeJeu::Mes, QStringLiteral("Fin"), 4,
                                            EtatDeJeu::HorsDeroulement, EvenementDeJeu::Remote_Human, ID_BASE + 2, 0,
                                            -1, 0, ZB_ICI);
        QVERIFY(!table->cb_executeUnEvenement(commeLeServeur));
        // An override stays within the peer's words, whose own isolate
        // marks cannot close theirs; a megabyte is cut to a line.
        const QString debut = QString(QChar(0x202E)) + QStringLiteral("olleh") + QChar(0x2069);
        const EvenementDeJeu renverse(EvenementDeJeu::Mes, debut + QString(1000000, QLatin1Char('x')), 2,
                                      EtatDeJeu::HorsDeroulement, EvenementDeJeu::Remote_Human, ID_BASE + 2, 0, -1,
                                      0, ZB_ICI);
        QVERIFY(table->cb_executeUnEvenement(renverse));
        const QChar fsi(0x2068);
        const QChar pdi(0x2069);
        const QString nom = fsi + table->getJoueur(2)->options_.getNomAffiche() + pdi + QStringLiteral(": ") + fsi;
        QCOMPARE(display->messages.mid(0, 2),
                 (QStringList{fsi + QStringLiteral("Serveur") + pdi + QStringLiteral(": ") + fsi
                                  + QStringLiteral("Bienvenue") + pdi,
                              nom + QStringLiteral("salut") + pdi}));
        QCOMPARE(display->messages.size(), 3);
        QCOMPARE(display->messages.at(2),
                 nom + QChar(0x202E) + QStringLiteral("olleh") + QString(ZB_MessageDeTable::LONGUEUR_MAX - 8,
                                                                        QLatin1Char('x'))
                     + QChar(0x2026) + pdi);
        // A chat line does not redraw the table.
        QCOMPARE(display->rafraichissements, 0);
    }

    void genresInterdits_data()
    {
        QTest::addColumn<int>("genre");
        QTest::newRow("RsV") << int(EvenementDeJeu::RsV);
        QTest::newRow("RsI") << int(EvenementDeJeu::RsI);
        QTest::newRow("ReE") << int(EvenementDeJeu::ReE);
    }
    void genresInterdits()
    {
        QFETCH(int, genre);
        const EvenementDeJeu ev = deLaTable(genre, QString(), EtatDeJeu::HorsDeroulement);
        try {
            table->cb_executeUnEvenement(ev);
            QFAIL("no exception");
        } catch (const GM_Exception& e) {
            QCOMPARE(e.getMessage(), QStringLiteral("Evènement invalide dans le fichier *.jss"));
        }
    }

    void decisionDuSiege_data()
    {
        QTest::addColumn<int>("genre");
        QTest::addColumn<int>("etat");
        QTest::addColumn<int>("debut");
        QTest::addColumn<int>("siegeDecision");
        QTest::addColumn<QString>("raison");
        const QString atout = QStringLiteral("not this seat's trump choice");
        const QString mise = QStringLiteral("not this seat's bid");
        const QString annonce = QStringLiteral("not this seat's announcements");
        QTest::newRow("Cho 27") << int(EvenementDeJeu::Cho) << 27 << 1 << 1 << atout;
        QTest::newRow("Cho 28 partner") << int(EvenementDeJeu::Cho) << 28 << 1 << 3 << atout;
        QTest::newRow("Cho 28 wraps") << int(EvenementDeJeu::Cho) << 28 << 3 << 1 << atout;
        QTest::newRow("Cho in a bid state") << int(EvenementDeJeu::Cho) << 12 << 1 << -1 << atout;
        QTest::newRow("Chm 11") << int(EvenementDeJeu::Chm) << 11 << 2 << 2 << mise;
        QTest::newRow("Chm 13 B=3") << int(EvenementDeJeu::Chm) << 13 << 3 << 1 << mise;
        QTest::newRow("Chm 26") << int(EvenementDeJeu::Chm) << 26 << 0 << 3 << mise;
        QTest::newRow("Chm at trump") << int(EvenementDeJeu::Chm) << 27 << 0 << -1 << mise;
        QTest::newRow("Ann 29") << int(EvenementDeJeu::Ann) << 29 << 2 << 2 << annonce;
        QTest::newRow("Ann 32") << int(EvenementDeJeu::Ann) << 32 << 2 << 1 << annonce;
        QTest::newRow("Ann in trick 2") << int(EvenementDeJeu::Ann) << 49 << 2 << -1 << annonce;
    }
    void decisionDuSiege()
    {
        QFETCH(int, genre);
        QFETCH(int, etat);
        QFETCH(int, debut);
        QFETCH(int, siegeDecision);
        QFETCH(QString, raison);
        table->settingsPartie().joueurQuiCommenceLaProchainePartie = debut;
        salle->liste.setEtatAttendu(etat);
        const QString texte = genre == EvenementDeJeu::Cho   ? TEXTE_ATOUT
                            : genre == EvenementDeJeu::Chm ? texteMise()
                                                           : texteAnnonces();
        for (int siege = 0; siege < 4; ++siege) {
            const EvenementDeJeu ev = coup(genre, texte, siege, etat);
            if (siege == siegeDecision) {
                QVERIFY2(table->cb_executeUnEvenement(ev), qPrintable(QString::number(siege)));
                continue;
            }
            QTest::ignoreMessage(QtWarningMsg, qPrintable(refus(ev, raison)));
            QVERIFY2(!table->cb_executeUnEvenement(ev), qPrintable(QString::number(siege)));
        }
        if (genre == EvenementDeJeu::Ann && siegeDecision >= 0) {
            QCOMPARE(table->getNombreAnnonces(), 1);
            QCOMPARE(display->bulles, QList<int>{siegeDecision});
        }
    }

    void atoutAutomatique()
    {
        salle->liste.setEtatAttendu(EtatDeJeu::AttendAtout);
        const EvenementDeJeu ev
            = deLaTable(EvenementDeJeu::Cho, TEXTE_ATOUT, EtatDeJeu::AttendAtout, table->getNoDemande());
        QTest::ignoreMessage(QtWarningMsg,
                             qPrintable(refus(ev, QStringLiteral("the table chooses trump only in automatic-trump games"))));
        QVERIFY(!table->cb_executeUnEvenement(ev));

        OptionsDePartie options(TypeDePartie::GenreJass);
        options.idPreset_ = TypeDePartie::ID_PERSONALISE;
        options.typeDePartie_.atoutAutomatique_ = 1;
        table->nouvellePartie(ZB_RoomTable::ReseauLocal, options);
        const EvenementDeJeu automatique
            = deLaTable(EvenementDeJeu::Cho, TEXTE_ATOUT, EtatDeJeu::AttendAtout, table->getNoDemande());
        QVERIFY(table->cb_executeUnEvenement(automatique));
        // A seat cannot pass itself off as the table.
        EvenementDeJeu deguise = automatique;
        deguise.source_ = EvenementDeJeu::Remote_Human;
        QTest::ignoreMessage(QtWarningMsg,
                             qPrintable(refus(deguise, QStringLiteral("no player id and not from the table"))));
        QVERIFY(!table->cb_executeUnEvenement(deguise));
    }

    void sansIdentifiant_data()
    {
        QTest::addColumn<int>("genre");
        QTest::addColumn<int>("etat");
        QTest::newRow("Ajo") << int(EvenementDeJeu::Ajo) << 37;
        QTest::newRow("Chm") << int(EvenementDeJeu::Chm) << 11;
        QTest::newRow("Cho") << int(EvenementDeJeu::Cho) << 27;
        QTest::newRow("Ann") << int(EvenementDeJeu::Ann) << 29;
        QTest::newRow("Dis") << int(EvenementDeJeu::Dis) << 7;
        QTest::newRow("Ram") << int(EvenementDeJeu::Ram) << 41;
    }
    void sansIdentifiant()
    {
        QFETCH(int, genre);
        QFETCH(int, etat);
        salle->liste.setEtatAttendu(etat);
        EvenementDeJeu ev = coup(genre, QStringLiteral("2_14"), 1, etat);
        ev.idJoueur_ = -1;
        QTest::ignoreMessage(QtWarningMsg, qPrintable(refus(ev, QStringLiteral("no player id and not from the table"))));
        QVERIFY(!table->cb_executeUnEvenement(ev));
        // The table itself may not play a seat's move either.
        if (genre != EvenementDeJeu::Cho) {
            const EvenementDeJeu table4 = deLaTable(genre, QStringLiteral("2_14"), etat, table->getNoDemande());
            QTest::ignoreMessage(QtWarningMsg, qPrintable(refus(table4, QStringLiteral("seat outside the table"))));
            QVERIFY(!table->cb_executeUnEvenement(table4));
        }
        QVERIFY(display->cartesJouees.isEmpty());
    }

    // A client coming back to its seat waits for its entry there, while the
    // host's computer plays the seat: the seat's moves come from the host,
    // whichever of the two entries it is told.
    void retourAttendSonEntree_data()
    {
        QTest::addColumn<int>("genre");
        QTest::newRow("this deal") << int(EvenementDeJeu::JoM);
        QTest::newRow("next deal") << int(EvenementDeJeu::JoN);
    }
    void retourAttendSonEntree()
    {
        QFETCH(int, genre);
        table->nouvellePartie(ZB_RoomTable::ReseauClient, OptionsDePartie(TypeDePartie::GenreJass));
        table->inscritJoueur(1, joueur(1, 0), Joueur::ModeManuel, false);
        QVERIFY(!salle->liste.joueurDistant_[1]);
        const EvenementDeJeu entree(genre, joueur(1, 0).sauveValeursDansString(), 1, 50, EvenementDeJeu::Local_Table,
                                    ID_BASE + 1, 3, table->getNoDemande(), 0, ZB_ICI);
        QVERIFY(table->cb_executeUnEvenement(entree));
        QCOMPARE(table->getJoueur(1)->modeJeu_, int(Joueur::ModeEnAttenteDEntree));
        QVERIFY(salle->liste.joueurDistant_[1]);
        // Its entry gives the seat back to its user.
        table->inscritJoueur(1, joueur(1, 0), Joueur::ModeManuel, true);
        QVERIFY(!salle->liste.joueurDistant_[1]);
    }

    void siegesHorsTable()
    {
        // Seating facts name a seat they index with: outside the table they
        // are refused, never used as an index.
        for (int genre : {int(EvenementDeJeu::JoN), int(EvenementDeJeu::JoM)}) {
            const EvenementDeJeu ev(genre, joueur(2).sauveValeursDansString(), 9, EtatDeJeu::HorsDeroulement,
                                    EvenementDeJeu::Local_Table, ID_BASE + 2, 0,
                                    genre == EvenementDeJeu::JoN ? table->getNoDemande() : -1, 0, ZB_ICI);
            QTest::ignoreMessage(QtWarningMsg, qPrintable(refus(ev, QStringLiteral("seat outside the table"))));
            QVERIFY(!table->cb_executeUnEvenement(ev));
        }
        const EvenementDeJeu horsLigne(EvenementDeJeu::JoO, QString(), -3, EtatDeJeu::HorsDeroulement,
                                       EvenementDeJeu::Local_Table, 555, 0,
                                       -1, 0, ZB_ICI);
        QTest::ignoreMessage(QtWarningMsg, qPrintable(refus(horsLigne, QStringLiteral("seat outside the table"))));
        QVERIFY(!table->cb_executeUnEvenement(horsLigne));
        QVERIFY(table->getEntreesProchaineDonne().isEmpty());

        // A re-inscription's seat outside the table is a corrupted record.
        for (const QString& siege : {QStringLiteral("4"), QStringLiteral("-1"), QStringLiteral("x")}) {
            const QString texte = QLatin1Char('{') + joueur(1).sauveValeursDansString() + QLatin1Char('!') + siege
                                + QLatin1String("!}");
            const EvenementDeJeu ev
                = deLaTable(EvenementDeJeu::ReJ, texte, EtatDeJeu::InscriptionJoueur0 + 1, table->getNoDemande());
            try {
                table->cb_executeUnEvenement(ev);
                QFAIL(qPrintable(siege));
            } catch (const GM_Exception& e) {
                QCOMPARE(e.getMessage(), QStringLiteral("Chaine incompatible, invalide ou corrompue."));
            }
        }
    }

    void cinquiemeAnnonce()
    {
        table->settingsPartie().joueurQuiCommenceLaProchainePartie = 2;
        for (int etat = 29; etat <= 32; ++etat) {
            salle->liste.setEtatAttendu(etat);
            QVERIFY(table->cb_executeUnEvenement(coup(EvenementDeJeu::Ann, texteAnnonces(), (etat - 27) % 4, etat)));
        }
        QCOMPARE(table->getNombreAnnonces(), 4);
        QCOMPARE(table->getSiegesAnnonces(), (std::array<int, 4>{2, 3, 0, 1}));
        const EvenementDeJeu cinquieme = coup(EvenementDeJeu::Ann, texteAnnonces(), 1, EtatDeJeu::AttendAnnonce4);
        QTest::ignoreMessage(QtWarningMsg,
                             qPrintable(refus(cinquieme, QStringLiteral("every seat has announced already"))));
        QVERIFY(!table->cb_executeUnEvenement(cinquieme));
        QCOMPARE(table->getNombreAnnonces(), 4);
    }

    void inscriptionSeulementEnPlacement()
    {
        const QString record = joueur(1, 1).sauveValeursDansString();
        salle->liste.setEtatAttendu(EtatDeJeu::Tour1_AttendCarte1);
        const EvenementDeJeu tard = deLaTable(EvenementDeJeu::InJ, record, EtatDeJeu::InscriptionJoueur0 + 1);
        QTest::ignoreMessage(QtWarningMsg,
                             qPrintable(refus(tard, QStringLiteral("inscription outside the seating states"))));
        QVERIFY(!table->cb_executeUnEvenement(tard));
        QVERIFY(display->sieges.isEmpty());

        // From a seat: only the table inscribes.
        EvenementDeJeu parUnSiege(EvenementDeJeu::InJ, record, 1, EtatDeJeu::InscriptionJoueur0 + 1,
                                  EvenementDeJeu::Remote_Human, ID_BASE + 1, 0, -1,
                                  0, ZB_ICI);
        salle->liste.setEtatAttendu(EtatDeJeu::InscriptionJoueur0 + 1);
        QTest::ignoreMessage(QtWarningMsg, qPrintable(refus(parUnSiege, QStringLiteral("only the table states this"))));
        QVERIFY(!table->cb_executeUnEvenement(parUnSiege));

        QVERIFY(
            table->cb_executeUnEvenement(deLaTable(EvenementDeJeu::InJ, record, EtatDeJeu::InscriptionJoueur0 + 1)));
        QCOMPARE(display->sieges, QList<int>{1});
        QCOMPARE(table->getJoueur(1)->modeJeu_, int(Joueur::ModeHumainDistant));
        QCOMPARE(table->getEtatsEntreesTraites().value(3), ID_BASE + 1);

        // A computer seat, and a local user.
        salle->liste.setEtatAttendu(EtatDeJeu::InscriptionJoueur0 + 2);
        QVERIFY(table->cb_executeUnEvenement(deLaTable(EvenementDeJeu::InJ, joueur(2, 0, 1).sauveValeursDansString(),
                                                       EtatDeJeu::InscriptionJoueur0 + 2)));
        QCOMPARE(table->getJoueur(2)->modeJeu_, int(Joueur::ModeOrdinateur));
        salle->liste.setEtatAttendu(EtatDeJeu::InscriptionJoueur0);
        QVERIFY(table->cb_executeUnEvenement(
            deLaTable(EvenementDeJeu::InJ, joueur(0, 0).sauveValeursDansString(), EtatDeJeu::InscriptionJoueur0)));
        QCOMPARE(table->getJoueur(0)->modeJeu_, int(Joueur::ModeManuel));
        QCOMPARE(table->getNoJoueurLocal(), 0);
    }

    void finDePartie()
    {
        QSignalSpy question(table.get(), &ZB_RoomTable::signalQuestion_NouvellePartie);
        const int etats[] = {135, 136, 137, 138};
        const int sieges[] = {0, 2, 1, 3};
        const char* reponses[] = {"Ok", "Non", "Ok", "Ok"};
        for (int i = 0; i < 4; ++i) {
            salle->liste.setEtatAttendu(etats[i]);
            QVERIFY(table->cb_executeUnEvenement(coup(EvenementDeJeu::Fin, QLatin1String(reponses[i]), sieges[i],
                                                      etats[i])));
        }
        QCOMPARE(salle->liste.getEtatAttendu(), EtatDeJeu::QuestionNouvellePartie);
        QCOMPARE(table->getReponseNouvellePartie(), quint8(1));
        QTRY_COMPARE(question.count(), 1);
        QCOMPARE(question.at(0).at(0).toBool(), true);
        // The answer is handed over once.
        QCOMPARE(table->getReponseNouvellePartie(), quint8(0));
        for (int siege = 0; siege < 4; ++siege)
            QVERIFY(table->estMemeCompte(siege));
    }

    void entreesEtHorsLigne()
    {
        // On the hosting server a seat going offline leaves a computer
        // waiting to take it at the next deal.
        const EvenementDeJeu horsLigne(EvenementDeJeu::JoO, QString(), 4, EtatDeJeu::HorsDeroulement,
                                       EvenementDeJeu::Local_Table,
                                       ID_BASE + 2, 0, -1, 0, ZB_ICI);
        QVERIFY(table->cb_executeUnEvenement(horsLigne));
        QCOMPARE(table->getJoueur(2)->modeJeu_, int(Joueur::ModeRemplacant));
        QVERIFY(table->getEntreesProchaineDonne().contains(2));
        QCOMPARE(table->getEntreesProchaineDonne().value(2).ordinateur_, 1);
        QCOMPARE(display->sieges, QList<int>{2});

        const EvenementDeJeu inconnu(EvenementDeJeu::JoO, QString(), 4, EtatDeJeu::HorsDeroulement,
                                     EvenementDeJeu::Local_Table, 999, 0, -1,
                                     0, ZB_ICI);
        QVERIFY(table->cb_executeUnEvenement(inconnu));
        QCOMPARE(display->sieges.size(), 1);

        const OptionsDuJoueur arrivant = joueur(3);
        const EvenementDeJeu prochain(EvenementDeJeu::JoN, arrivant.sauveValeursDansString(), 3,
                                      EtatDeJeu::HorsDeroulement,
                                      EvenementDeJeu::Local_Table, arrivant.id_, 0, table->getNoDemande(), 0, ZB_ICI);
        QVERIFY(table->cb_executeUnEvenement(prochain));
        QCOMPARE(table->getEntreesProchaineDonne().value(3), arrivant);
        const EvenementDeJeu pli(EvenementDeJeu::JoM, arrivant.sauveValeursDansString(), 3, EtatDeJeu::HorsDeroulement,
                                 EvenementDeJeu::Local_Table, arrivant.id_, 0, -1, 0, ZB_ICI);
        QVERIFY(table->cb_executeUnEvenement(pli));
        QVERIFY(!table->getEntreesProchaineDonne().contains(3));
        QCOMPARE(table->getEntreesProchainPli().value(3), arrivant);
        // Seating the player clears what was waiting for it.
        table->inscritJoueur(3, arrivant, Joueur::ModeHumainDistant, false);
        QVERIFY(table->getEntreesProchainPli().isEmpty());
        QVERIFY(table->getEtatsEntreesTraites().isEmpty());
    }
};

ZB_REGISTER_TEST(TestTableReferee)
#include "TestTableReferee.moc"
