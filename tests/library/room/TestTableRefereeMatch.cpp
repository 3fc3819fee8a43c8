#include "GM_GameStats.h"
#include "RefereeTestKit.h"
#include "ZbTestRegistry.h"

using namespace arbitretest;

// The match's course as the referee keeps it: trump passed to the partner,
// announcements credited, the trump pair, the deal requests, the start and
// reset of a match, reading a saved table and the analyses.
class TestTableRefereeMatch : public QObject, private BancArbitre
{
    Q_OBJECT

private slots:
    void init() { monte(); }
    void cleanup() { demonte(); }

    // The choice passed to the partner must come back with a trump: a second
    // pass would leave the cards with no trump at all.
    void partenaireDoitChoisir()
    {
        table->settingsPartie().joueurQuiCommenceLaProchainePartie = 1;
        salle->liste.setEtatAttendu(EtatDeJeu::AttendAtoutChibre);
        {
            Silence silence;
            QVERIFY(!table->cb_executeUnEvenement(
                coup(EvenementDeJeu::Cho, QStringLiteral("{1!0!0!-1!}"), 3, EtatDeJeu::AttendAtoutChibre)));
            QCOMPARE(Silence::compte, 1);
        }
        QCOMPARE(salle->liste.getEtatAttendu(), EtatDeJeu::AttendAtoutChibre);
        QVERIFY(!table->getPartie()->partieReelle_);

        QVERIFY(table->cb_executeUnEvenement(coup(EvenementDeJeu::Cho, TEXTE_ATOUT, 3, EtatDeJeu::AttendAtoutChibre)));
        QVERIFY(table->getPartie()->partieReelle_);
        QCOMPARE(table->getPartie()->atoutChoisi_.atout_, 9);
        QCOMPARE(table->getPartie()->joueurQuiAChoisiAtout_, 3);
        QCOMPARE(table->getPartie()->noDuProchainAJouer_, 1);
        QCOMPARE(table->getJoueur(0)->getPartie(), table->getPartie());

        // The seat that begins may pass: nothing changes but the state goes on.
        salle->liste.setEtatAttendu(EtatDeJeu::AttendAtout);
        const QSharedPointer<Partie> avant = table->getPartie();
        QVERIFY(table->cb_executeUnEvenement(
            coup(EvenementDeJeu::Cho, QStringLiteral("{1!0!0!-1!}"), 1, EtatDeJeu::AttendAtout)));
        QCOMPARE(table->getPartie(), avant);
        QCOMPARE(salle->liste.getEtatAttendu(), EtatDeJeu::AttendAtout);
    }

    // After the first trick the best announcement and its partner's are
    // credited to their team; the two other seats' are dropped. Between two
    // equal announcements the trump one wins, else the later seat's, at
    // every protocol version: a game played at version 1 replays at 3 and
    // must credit the same team. Equal runs or four-of-a-kinds rank by the
    // deal's chosen mode: only bottom-up makes the lower one win, a zig-zag
    // deal that starts bottom-up included.
    void meilleuresAnnoncesCreditees_data()
    {
        // Announcements of the seats 2, 3, 0 and 1, in turn order (seat 2
        // begins; trump mode 1, suit 1, unless the row says), as kind, suit,
        // rank and points; kind 0 is none.
        QTest::addColumn<int>("version");
        QTest::addColumn<int>("mode");
        QTest::addColumn<QList<int>>("annonces");
        QTest::addColumn<int>("points0");
        QTest::addColumn<int>("points1");
        const QList<int> plusForte = {0, 1, 6, 0, 1, 1, 9, 20, 2, 2, 10, 50, 1, 3, 14, 20};
        const QList<int> egalite = {1, 2, 10, 20, 1, 3, 10, 20, 0, 1, 6, 0, 0, 1, 6, 0};
        const QList<int> atoutDabord = {1, 1, 10, 20, 1, 3, 10, 20, 0, 1, 6, 0, 0, 1, 6, 0};
        const QList<int> atoutEnsuite = {1, 2, 10, 20, 1, 1, 10, 20, 0, 1, 6, 0, 0, 1, 6, 0};
        const QList<int> basPuisHaut = {1, 2, 8, 20, 1, 3, 12, 20, 0, 1, 6, 0, 0, 1, 6, 0};
        const QList<int> quatreRoisPuisAs = {4, 1, 13, 100, 4, 1, 14, 100, 0, 1, 6, 0, 0, 1, 6, 0};
        for (int version : {1, 3}) {
            auto ligne = [version](const char* cas, int mode = 1) -> QTestData& {
                const QByteArray nom = QByteArray(cas) + QByteArray(", version ") + QByteArray::number(version);
                return QTest::newRow(nom.constData()) << version << mode;
            };
            ligne("fifty beats twenty") << plusForte << 50 << 0;
            ligne("plain tie: the later seat") << egalite << 0 << 20;
            ligne("trump tie, trump first") << atoutDabord << 20 << 0;
            ligne("trump tie, trump later") << atoutEnsuite << 0 << 20;
            ligne("bottom-up: the lower run", StatusAtout::BasEnHaut) << basPuisHaut << 20 << 0;
            ligne("zig-zag from the bottom: the higher run", StatusAtout::ZigZagDepartEnBas) << basPuisHaut << 0 << 20;
            ligne("zig-zag from the top: the higher run", StatusAtout::ZigZagDepartEnHaut) << basPuisHaut << 0 << 20;
            ligne("zig-zag from the bottom: four Aces beat four Kings", StatusAtout::ZigZagDepartEnBas)
                << quatreRoisPuisAs << 0 << 100;
            ligne("zig-zag from the top: four Aces beat four Kings", StatusAtout::ZigZagDepartEnHaut)
                << quatreRoisPuisAs << 0 << 100;
            ligne("bottom-up: four Kings beat four Aces", StatusAtout::BasEnHaut) << quatreRoisPuisAs << 100 << 0;
        }
    }
    void meilleuresAnnoncesCreditees()
    {
        QFETCH(int, version);
        QFETCH(int, mode);
        QFETCH(QList<int>, annonces);
        QFETCH(int, points0);
        QFETCH(int, points1);
        table->setVersion(version);
        table->settingsPartie().joueurQuiCommenceLaProchainePartie = 1;
        salle->liste.setEtatAttendu(EtatDeJeu::AttendDistribue4);
        QVERIFY(table->cb_executeUnEvenement(
            coup(EvenementDeJeu::Dis, QStringLiteral("Ok"), 3, EtatDeJeu::AttendDistribue4)));
        for (int siege = 0; siege < 4; ++siege)
            QCOMPARE(table->getJoueur(siege)->main_.getNombreDeCartes(), 9u);
        // The seat after the one that began the previous deal begins.
        QCOMPARE(table->getSettingsPartie().joueurQuiCommenceLaProchainePartie, 2);
        salle->liste.setEtatAttendu(EtatDeJeu::AttendAtout);
        QVERIFY(table->cb_executeUnEvenement(
            coup(EvenementDeJeu::Cho, QStringLiteral("{0!1!%1!1!}").arg(mode), 2, EtatDeJeu::AttendAtout)));
        QCOMPARE(table->getPartie()->noDuProchainAJouer_, 2);
        QCOMPARE(table->getPartie()->atoutChoisi_.atout_, mode);

        auto annonce = [](int type, int couleur, int valeur, int points) {
            AnnoncesJoueur a;
            a.annonces_[0] = Annonce(type, couleur, valeur, points);
            return a.sauveValeursDansString();
        };
        for (int i = 0; i < 4; ++i) {
            const int* a = annonces.constData() + 4 * i;
            const QString texte = a[0] == Annonce::Aucune ? AnnoncesJoueur().sauveValeursDansString()
                                                          : annonce(a[0], a[1], a[2], a[3]);
            salle->liste.setEtatAttendu(29 + i);
            QVERIFY(table->cb_executeUnEvenement(coup(EvenementDeJeu::Ann, texte, (2 + i) % 4, 29 + i)));
        }
        salle->liste.setEtatAttendu(EtatDeJeu::Tour1_AttendRamasseTas4);
        QVERIFY(table->cb_executeUnEvenement(
            coup(EvenementDeJeu::Ram, QStringLiteral("Ok"), 3, EtatDeJeu::Tour1_AttendRamasseTas4)));
        QVERIFY(table->estConfirmationAnnoncesEnAttente());
        QCOMPARE(table->totalDonne(0), points0);
        QCOMPARE(table->totalDonne(1), points1);
        // Only the winning team's two slots are kept.
        const int gagnant = points0 > 0 ? 0 : 1;
        for (int slot = 0; slot < 4; ++slot)
            if (slot % 2 != gagnant)
                QCOMPARE(table->getAnnonces()[slot], AnnoncesJoueur());

        // Confirmed: the slots are emptied.
        salle->liste.setEtatAttendu(EtatDeJeu::Tour1_AttendConfirmationAnnonces4);
        QVERIFY(table->cb_executeUnEvenement(
            coup(EvenementDeJeu::Ram, QStringLiteral("Ok"), 3, EtatDeJeu::Tour1_AttendConfirmationAnnonces4)));
        QVERIFY(!table->estConfirmationAnnoncesEnAttente());
        QCOMPARE(table->getNombreAnnonces(), 0);
        QCOMPARE(table->totalDonne(0), points0);
        QCOMPARE(table->totalDonne(1), points1);
    }

    // The trump queen played while holding the king begins the pair; the king
    // completes it. The match ends at once, without moving the turn, when the
    // bonus reaches the target or, in a match by automatic trumps, when the
    // trump order has none left; otherwise the play goes on.
    void paireRoiDameFinit_data()
    {
        QTest::addColumn<int>("automatique");
        QTest::addColumn<int>("score");
        QTest::addColumn<int>("modesJoues");
        QTest::addColumn<bool>("fin");
        QTest::newRow("target reached") << 0 << 985 << 0 << true;
        QTest::newRow("target not reached") << 0 << 900 << 0 << false;
        // Four colour modes allowed: the deal of the fourth is the last.
        QTest::newRow("automatic, last trump") << 1 << 0 << 4 << true;
        QTest::newRow("automatic, trumps left") << 1 << 985 << 3 << false;
        QTest::newRow("automatic by four, last trump") << 2 << 0 << 16 << true;
        QTest::newRow("automatic by four, trumps left") << 2 << 0 << 15 << false;
    }
    void paireRoiDameFinit()
    {
        QFETCH(int, automatique);
        QFETCH(int, score);
        QFETCH(int, modesJoues);
        QFETCH(bool, fin);
        OptionsDePartie options(TypeDePartie::GenreJass);
        TypeDePartie::initTypesDePartie(TypeDePartie::GenreJass);
        TypeDePartie type = TypeDePartie::getTypeDePartie(options.idPreset_);
        type.roiDame_ = TypeDePartie::RoiDameStock;
        type.pointsObjectif_ = automatique != 0 ? ZB_RoomTable::ScoreSansFin : 1000;
        type.multiplicateurs_ = {-1, 1, 1, 1, 1, -1, -1, -1, -1, -1, -1, -1};
        type.atoutAutomatique_ = automatique;
        options.idPreset_ = TypeDePartie::ID_PERSONALISE;
        options.typeDePartie_ = type;
        table->nouvellePartie(ZB_RoomTable::ReseauServeur, options);
        // A real deal gives the table the deal's points record, which the
        // pair's bonus goes to; the hands are then set by hand.
        salle->liste.setEtatAttendu(EtatDeJeu::AttendDistribue4);
        QVERIFY(table->cb_executeUnEvenement(
            coup(EvenementDeJeu::Dis, QStringLiteral("Ok"), 3, EtatDeJeu::AttendDistribue4)));
        for (int siege = 0; siege < 4; ++siege)
            table->getJoueur(siege)->main_.vide();
        table->settingsPartie().scores_ = {0, score};
        QList<int>& compteurs = table->settingsPartie().compteursAtout_;
        for (int mode = 1; mode <= 4 && modesJoues > 0; ++mode) {
            compteurs[mode] = qMin(modesJoues, automatique == 2 ? 4 : 1);
            modesJoues -= compteurs[mode];
        }

        donne(1, {{1, 12}, {1, 13}});
        donne(2, {{1, 6}, {2, 6}});
        donne(3, {{1, 7}, {2, 7}});
        donne(0, {{1, 8}, {2, 8}});
        EnsembleDeCartes mains;
        for (int siege = 0; siege < 4; ++siege)
            for (Carte* carte : table->getJoueur(siege)->main_)
                mains.ajouteCarte(carte);
        StatusAtout atout;
        atout.choisi_ = true;
        atout.atout_ = 1;
        atout.multiplicateur_ = 1;
        table->setPartie(QSharedPointer<Partie>::create(atout, mains, 1, 1, 1, table->getTypeDePartie(),
                                                        ZB_StatusMise(), nullptr));

        const char* pli[] = {"1_12", "1_6", "1_7", "1_8"};
        for (int i = 0; i < 4; ++i) {
            salle->liste.setEtatAttendu(37 + i);
            QVERIFY(table->cb_executeUnEvenement(
                coup(EvenementDeJeu::Ajo, QString::fromLatin1(pli[i]), (1 + i) % 4, 37 + i)));
            QCOMPARE(table->getEtatsBelote()[1], 1);
        }
        QCOMPARE(table->getEtatsBelote()[2], 0);
        QCOMPARE(table->getPartie()->noDuProchainAJouer_, 1);

        salle->liste.setEtatAttendu(EtatDeJeu::Tour2_AttendCarte1);
        QVERIFY(table->cb_executeUnEvenement(
            coup(EvenementDeJeu::Ajo, QStringLiteral("1_13"), 1, EtatDeJeu::Tour2_AttendCarte1)));
        QCOMPARE(table->getEtatsBelote()[1], 2);
        QVERIFY(table->getJoueur(1)->main_.estVide());
        if (!fin) {
            QVERIFY(salle->liste.getEtatAttendu() != EtatDeJeu::PaireBeloteDecideMatch);
            QCOMPARE(table->getPartie()->noDuProchainAJouer_, 2);
            return;
        }
        QCOMPARE(salle->liste.getEtatAttendu(), EtatDeJeu::PaireBeloteDecideMatch);
        QCOMPARE(table->getPartie()->noDuProchainAJouer_, 1);

        // The room moves on to the pair's collect group; its last collect
        // closes the match, whatever the target, and the room then scores it
        // and asks the seats for their end-of-game answers.
        QSignalSpy statistiques(table.get(), &ZB_RoomTable::signalSendStatsGameCompleted);
        for (int siege = 0; siege < 4; ++siege) {
            const int etat = EtatDeJeu::PaireBelote_AttendRamasseTas1 + siege;
            salle->liste.setEtatAttendu(etat);
            QVERIFY(table->cb_executeUnEvenement(coup(EvenementDeJeu::Ram, QStringLiteral("Ok"), siege, etat)));
        }
        QCOMPARE(salle->liste.getEtatAttendu(), EtatDeJeu::MatchTermineEnFinDeDonne);
        salle->liste.setEtatAttendu(EtatDeJeu::FinDePartie);
        table->continueLeJeu(0, nullptr, false, false);
        QCOMPARE(statistiques.count(), 1);
        GM_GameStats stats;
        stats.chargeValeursDepuisString(statistiques.first().at(1).toString());
        const int t0 = table->getSettingsPartie().scores_[0] + table->totalDonne(0);
        const int t1 = table->getSettingsPartie().scores_[1] + table->totalDonne(1);
        // The last snapshot's scores and the deal as recorded: the cards of
        // this bench count nothing, the pair its bonus.
        QCOMPARE(t0, 0);
        QCOMPARE(t1, score + 20);
        QCOMPARE(stats.valeurs_[1], t1);
        const int etats[] = {135, 136, 137, 138};
        const int sieges[] = {0, 2, 1, 3};
        for (int i = 0; i < 4; ++i) {
            QCOMPARE(table->getJoueur(sieges[i])->getDemandeFinDePartie().etat_, etats[i]);
            salle->liste.setEtatAttendu(etats[i]);
            QVERIFY(table->cb_executeUnEvenement(coup(EvenementDeJeu::Fin, QStringLiteral("Ok"), sieges[i], etats[i])));
        }
        QCOMPARE(salle->liste.getEtatAttendu(), EtatDeJeu::QuestionNouvellePartie);
    }

    // States the loop must never reach.
    void etatsNonServis_data()
    {
        QTest::addColumn<int>("etat");
        QTest::newRow("Belote pair") << 129;
        QTest::newRow("match over") << 134;
        QTest::newRow("new-game question") << 139;
        QTest::newRow("beyond") << 142;
    }
    void etatsNonServis()
    {
        QFETCH(int, etat);
        salle->liste.setEtatAttendu(etat);
        QVERIFY_THROWS_EXCEPTION(GM_Exception, table->continueLeJeu(0, nullptr, false, false));
    }

    // Deal requests: all four seats at the first state, only those that have
    // not dealt when asked again.
    void demandesDeDistribution()
    {
        salle->liste.setEtatAttendu(EtatDeJeu::AttendDistribue1);
        table->continueLeJeu(0, nullptr, false, false);
        const int premiere = table->getNoDemande();
        for (int siege = 0; siege < 4; ++siege) {
            QCOMPARE(table->getJoueur(siege)->getDemandeDistribue().etat_, 7 + siege);
            QCOMPARE(table->getJoueur(siege)->getDemandeDistribue().noDemande_, premiere);
        }
        // A later request number shows who was asked again.
        table->settingsPartie().noDemande = premiere + 1;
        salle->liste.setEtatAttendu(EtatDeJeu::AttendDistribue1 + 2);
        table->continueLeJeu(0, nullptr, false, false);
        for (int siege = 0; siege < 4; ++siege)
            QCOMPARE(table->getJoueur(siege)->getDemandeDistribue().noDemande_, premiere);
        table->continueLeJeu(0, nullptr, true, false);
        const int attendues[] = {premiere, premiere, premiere + 1, premiere + 1};
        for (int siege = 0; siege < 4; ++siege) {
            QCOMPARE(table->getJoueur(siege)->getDemandeDistribue().noDemande_, attendues[siege]);
            QCOMPARE(table->getJoueur(siege)->getDemandeDistribue().etat_, 7 + siege);
        }
    }

    // The order in which the seats are asked to deal, collect or confirm
    // the announcements: a whole group from seat 3 down, the seats that have
    // not answered again only when the room asks again.
    void ordreDesDemandes_data()
    {
        QTest::addColumn<int>("etat");
        QTest::addColumn<bool>("relance");
        QTest::addColumn<QList<int>>("sieges");
        QTest::newRow("deal, first") << int(EtatDeJeu::AttendDistribue1) << false << QList<int>{3, 2, 1, 0};
        QTest::newRow("deal, third, asked again") << EtatDeJeu::AttendDistribue1 + 2 << true << QList<int>{3, 2};
        QTest::newRow("collect, first") << int(EtatDeJeu::Tour1_AttendRamasseTas1) << false << QList<int>{3, 2, 1, 0};
        QTest::newRow("collect, third, asked again")
            << EtatDeJeu::Tour1_AttendRamasseTas1 + 2 << true << QList<int>{2, 3};
        QTest::newRow("collect, third") << EtatDeJeu::Tour1_AttendRamasseTas1 + 2 << false << QList<int>();
        QTest::newRow("confirmation, first")
            << int(EtatDeJeu::Tour1_AttendConfirmationAnnonces1) << false << QList<int>{3, 2, 1, 0};
        QTest::newRow("confirmation, second, asked again")
            << EtatDeJeu::Tour1_AttendConfirmationAnnonces1 + 1 << true << QList<int>{1, 2, 3};
    }
    void ordreDesDemandes()
    {
        QFETCH(int, etat);
        QFETCH(bool, relance);
        QFETCH(QList<int>, sieges);
        salle->liste.setEtatAttendu(etat);
        display->siegesAppeles.clear();
        table->continueLeJeu(0, nullptr, relance, false);
        QCOMPARE(display->siegesAppeles, sieges);
    }

    void debutDeMatch()
    {
        OptionsDePartie options(TypeDePartie::GenreJass);
        options.modeDeJeu_ = OptionsDePartie::ModeConcours;
        options.idPartie_ = 0x1234567890LL;
        table->nouvellePartie(ZB_RoomTable::ReseauClient, options);
        QVERIFY(table->estReseau());
        QVERIFY(!table->estServeur());
        QVERIFY(table->estMiroir());
        QCOMPARE(table->getScoreObjectif(), ZB_RoomTable::ScoreSansFin);
        QVERIFY(table->getSettingsPartie().huitTours_);
        QCOMPARE(table->getSettingsPartie().toursJoues_, 0);
        QCOMPARE(table->getSettingsPartie().compteursAtout_, QList<int>(12, 0));
        QCOMPARE(table->getSettingsPartie().texteGenerateur_,
                 table->getSettingsPartie().random_.sauveValeursDansString());
        QCOMPARE(table->getStatsPartie().idTexte_, table->getSettingsPartie().texteGenerateur_);
        QCOMPARE(table->getStatsPartie().typePartie_, 1);
        QCOMPARE(table->getStatsPartie().valeur4_, 0x34567890);
        QVERIFY(table->getNoDemande() != -1);

        options.modeDeJeu_ = OptionsDePartie::ModeStandart;
        table->nouvellePartie(ZB_RoomTable::ReseauLocal, options);
        QVERIFY(!table->estReseau() && !table->estServeur() && !table->estMiroir());
        QCOMPARE(table->getTypeDePartie(), TypeDePartie::getTypeDePartie(options.idPreset_));
        QCOMPARE(table->getScoreObjectif(), table->getTypeDePartie().pointsObjectif_);
    }

    void remiseAZero()
    {
        table->settingsPartie().scores_ = {300, 400};
        salle->liste.setEtatAttendu(EtatDeJeu::Tour2_AttendCarte1 + 2);
        salle->liste.joueurDistant_ = {false, false, false, false};
        table->settingsPartie().texteGenerateur_ = QStringLiteral("x");
        const quint32 graine = table->getSettingsPartie().random_.getGraine();
        table->settingsPartie().random_.tire(100);
        table->reinitialise(true);
        QCOMPARE(table->getSettingsPartie().scores_[0], 0);
        QCOMPARE(table->getSettingsPartie().scores_[1], 0);
        QCOMPARE(table->getSettingsPartie().joueurQuiCommenceLaProchainePartie, -10);
        QVERIFY(table->getSettingsPartie().texteGenerateur_.isEmpty());
        QCOMPARE(table->getSettingsPartie().random_.getGraine(), graine);
        QCOMPARE(salle->liste.getEtatAttendu(), EtatDeJeu::Aucun);
        QVERIFY(table->getPartie().isNull());
        for (int siege = 0; siege < 4; ++siege) {
            QVERIFY(salle->liste.joueurDistant_[siege]);
            QVERIFY(table->getJoueur(siege)->getContexteDeJeu() == nullptr);
        }
        // The same stream again: the position is back at its start.
        GM_KnuthRandom reference;
        reference.initialise(graine);
        QCOMPARE(table->settingsPartie().random_.tire(1000), reference.tire(1000));
    }

    void lectureDeTable_data()
    {
        QTest::addColumn<QStringList>("bloc");
        QTest::addColumn<bool>("lu");
        QTest::addColumn<int>("lignes");
        QTest::addColumn<QString>("premiere");
        QTest::newRow("version 12") << QStringList{"12", "{a}", "{b}"} << true << 3 << "12";
        QTest::newRow("table markers") << QStringList{"<Table0>", "12", "{a}", "<//Table0>"} << true << 2 << "12";
        QTest::newRow("two header lines") << QStringList{"Zubrik", "header", "12", "{a}"} << true << 2 << "12";
        QTest::newRow("stops at executed") << QStringList{"13", "{a}", "</executed>", "{b}"} << true << 2 << "13";
        QTest::newRow("stops at empty") << QStringList{"12", "", "{b}"} << true << 1 << "12";
        QTest::newRow("byte-order mark") << QStringList{QChar(0xFEFF) + QStringLiteral("12"), "{a}"} << true << 2
                                         << "12";
        QTest::newRow("empty") << QStringList{} << false << 0 << "";
        QTest::newRow("only markers") << QStringList{"<Table0>", "<//Table0>"} << false << 0 << "";
        QTest::newRow("no version") << QStringList{"abc", "def", "ghi"} << false << 0 << "";
        QTest::newRow("two lines, no version") << QStringList{"abc", "12"} << false << 0 << "";
    }
    void lectureDeTable()
    {
        QFETCH(QStringList, bloc);
        QFETCH(bool, lu);
        QFETCH(int, lignes);
        QFETCH(QString, premiere);
        int nombre = -1;
        QCOMPARE(table->chargeTable(bloc, &nombre), lu);
        if (lu) {
            QCOMPARE(nombre, lignes);
            QCOMPARE(table->getLignes().size(), lignes);
            QCOMPARE(table->getLignes().first(), premiere);
        } else {
            // A block that does not read leaves nothing to replay.
            QVERIFY(table->getLignes().isEmpty());
        }
        // The stream form reads the same block.
        QString texte = bloc.join(QLatin1String("\r\n"));
        QTextStream flux(&texte);
        QCOMPARE(table->chargeTable(flux, &nombre), lu);
    }

    void tableTropAncienne()
    {
        for (const QStringList& bloc : {QStringList{"11", "{a}"}, QStringList{"h1", "h2", "3", "{a}"}}) {
            QVERIFY(table->chargeTable(QStringList{"12", "{b}"}));
            try {
                table->chargeTable(bloc);
                QFAIL("no exception");
            } catch (const GM_ExceptionFileTooOld& e) {
                QCOMPARE(e.getMessage(), QStringLiteral("Ce fichier n'est pas compatible avec votre version du jeu."));
            }
            QVERIFY(table->getLignes().isEmpty());
        }
    }

    void rejoueEnErreur()
    {
        // Nothing to replay: the record error goes to the caller, the list
        // is unlocked and the table shown again.
        QVERIFY(table->chargeTable(QStringList{"12"}));
        QVERIFY_THROWS_EXCEPTION(GM_ExceptionFileCorrupted, table->rejoue(1));
        QCOMPARE(display->tablesAffichees, 1);
        QVERIFY(salle->liste.getMutex()->tryLock());
        salle->liste.getMutex()->unlock();

        QVERIFY(table->chargeTable(QStringList{"12", "{Ajo!2_14!1!37!1!101!0!x!0!}", "{Mes!a!4!140!2!-1!0!-1!0!}"}));
        QVERIFY_THROWS_EXCEPTION(GM_Exception, table->rejoue(1));
        QCOMPARE(display->tablesAffichees, 2);
        QVERIFY(salle->liste.getMutex()->tryLock());
        salle->liste.getMutex()->unlock();
    }

    void analyses()
    {
        table->inscritJoueur(0, joueur(0, 0), Joueur::ModeManuel, false);
        table->afficheAnalyses(true);
        for (int siege = 0; siege < 4; ++siege)
            QCOMPARE(table->getJoueur(siege)->cartesVisibles_, quint8(1));
        table->afficheAnalyses(false);
        QCOMPARE(table->getJoueur(0)->cartesVisibles_, quint8(1));
        for (int siege = 1; siege < 4; ++siege)
            QCOMPARE(table->getJoueur(siege)->cartesVisibles_, quint8(0));
    }
};

ZB_REGISTER_TEST(TestTableRefereeMatch)
#include "TestTableRefereeMatch.moc"
