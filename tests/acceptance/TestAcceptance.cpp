#include "Descendance.h"
#include "EcranVirtuel.h"
#include "EtapesDeMatch.h"
#include "EtapesEnLigne.h"
#include "EtatDeJeu.h"
#include "EvenementDeJeu.h"
#include "LectureEcran.h"
#include "Lenteur.h"
#include "ManqueSousCI.h"
#include "OptionsDePartie.h"
#include "TypeDePartie.h"
#include "PartieEnReseau.h"
#include "PiloteDePartie.h"
#include "SessionDeJeu.h"
#include "ZB_FicheIdentification.h"
#include "ZbTestRegistry.h"

#include <QDir>
#include <QElapsedTimer>
#include <QProcess>
#include <QFile>
#include <QScopeGuard>
#include <QTcpSocket>
#include <QTest>
#include <QThread>

#include <algorithm>
#include <atomic>
#include <csignal>
#include <functional>
#include <memory>
#include <thread>
#include <vector>

// The real program, driven through its window by real input, as a person
// plays it: whole matches, quitting and coming back, opening a saved game,
// undo and redo. Each case has its own screen, home folder and time limit;
// the pictures it takes are left in the pictures folder. The cases run side
// by side through TestAcceptanceEnParallele.
class TestAcceptance : public QObject
{
    Q_OBJECT

private:
    using Vue = PiloteDePartie::Vue;
    // A case's whole time: the cases run side by side, each a program
    // drawing with a software renderer, and on two processors a whole match
    // took some 140 s.
    static constexpr int LIMITE_S = 200;
    // Two programs start, meet and play a deal with two users.
    static constexpr int LIMITE_RESEAU_S = 300;
    // Up to four deals, the user's take and lead in the last: some 80 s a
    // deal on a machine loaded five processes a processor (within the
    // runner's limit for a case).
    static constexpr int LIMITE_PRISE_S = 400;

    // A turn of an online game, in seconds: twice the game options' default,
    // so that a pilot slowed down by a small, busy machine is never the one
    // that runs out of time.
    static constexpr int DELAI_TOUR_S = 30;
    // Stretched with the other limits: a slower program needs its turns too.
    static int delaiTour() { return lenteur::limite(DELAI_TOUR_S); }
    // Pixels of the online sign that show it on the cloth (its globe's
    // outline and lines at 800 x 600 are some hundreds).
    static constexpr int SIGNE_EN_LIGNE_MIN = 40;

    // The end-of-match box (a local match shows no other) was answered and
    // has gone. The next match is not waited for: the user's last request
    // of a match the box ended is still the newest record, and would be
    // taken for a turn at a table that has started afresh.
    static PiloteDePartie::Condition finDeMatch(const PiloteDePartie& pilote)
    {
        return [&pilote](const Vue& v) { return pilote.boitesVues() > 0 && v.boutons.isEmpty(); };
    }
    // The user asked in a deal after the nth.
    static PiloteDePartie::Condition donneApres(int n)
    {
        // Once the user has played into it: the cloth is checked at that turn.
        return [n](const Vue& v) { return v.record.nombreDeDonnes() > n && v.record.cartesJouees(0) >= 1; };
    }
    // The user asked a card in the middle of a trick, from the second trick.
    static bool milieuDePliAuTourDeLUtilisateur(const Vue& v)
    {
        return v.demandeCarte && v.record.plis().size() >= 2 && !v.record.pliEnCours().cartes.isEmpty();
    }

    // The cloth followed the record at every turn of the user.
    static QByteArray ecarts(const PiloteDePartie& pilote)
    {
        return QStringLiteral("The cloth did not show the game record's trick: %1")
            .arg(pilote.ecartsDuTapis().join(QLatin1String("; ")))
            .toUtf8();
    }

    // The first deal is over: the user played its whole Jass hand (9
    // cards) and the first card of the next deal.
    static PiloteDePartie::Condition premiereDonneFinie(const PiloteDePartie& pilote)
    {
        return [&pilote](const Vue&) { return pilote.cartesJouees() > 9; };
    }

    // The condition, reading as well at the user's first turns how much of
    // the online sign the cloth shows (the most seen).
    static PiloteDePartie::Condition relevantLeSigne(PiloteDePartie::Condition condition, int& signe)
    {
        return [condition, &signe, lectures = 0](const Vue& v) mutable {
            if (v.demandeCarte && lectures < 3) {
                ++lectures;
                signe = std::max(signe, LectureEcran::signeEnLigne(v.image, LectureEcran::tapis(v.image)));
            }
            return condition(v);
        };
    }

    // The end-of-match box is up (a local match shows no other box).
    static bool boiteDeFin(const Vue& v) { return !v.boutons.isEmpty(); }

    // Plays one whole match to its end-of-match box, after what the first
    // step does (when given).
    using Etape = bool (*)(SessionDeJeu&, PiloteDePartie&);
    void matchEntier(const QString& nom, DossierUtilisateur::Jeu jeu, QSize taille, int theme, Etape etape = nullptr,
                     bool accueil = false)
    {
        SessionDeJeu s(nom, LIMITE_S);
        DossierUtilisateur::Reglages r;
        r.jeu = jeu;
        r.fenetre = taille;
        r.theme = theme;
        r.accueil = accueil;
        // Jass counts its points as the tricks fall and may end a short match
        // at the first trick: its match runs over a deal or so.
        if (jeu == DossierUtilisateur::Jass)
            r.objectif = 100;
        QVERIFY2(s.prepare(r) && s.lance(), qPrintable(s.echec()));
        PiloteDePartie pilote(s);
        if (etape)
            QVERIFY2(etape(s, pilote), qPrintable(s.echec()));
        QVERIFY2(pilote.joue(finDeMatch(pilote)), qPrintable(s.echec()));
        s.garde(QStringLiteral("match_over"));
        QVERIFY2(pilote.ecartsDuTapis().isEmpty(), ecarts(pilote).constData());
        QVERIFY2(pilote.coupsJoues() >= 2, "the user played hardly any card before the match ended");
        QVERIFY2(s.quitte(), qPrintable(s.echec()));
    }

    // Plays the match to its end-of-match box, whose totals must be the
    // record's final score, lets the case check the record the box came
    // over, then answers the box and quits.
    void jusquALaBoite(SessionDeJeu& s, PiloteDePartie& pilote,
                       const std::function<void(const RecordDePartie&)>& verifie = {})
    {
        RecordDePartie fin;
        QVERIFY2(pilote.joue([&fin](const Vue& v) {
            if (!boiteDeFin(v))
                return false;
            fin = v.record;
            return true;
        }),
                 qPrintable(s.echec()));
        s.garde(QStringLiteral("end_box"));
        QVERIFY2(EtapesDeMatch::totauxDeLaBoite(s, fin), qPrintable(s.echec()));
        if (verifie) {
            verifie(fin);
            if (QTest::currentTestFailed())
                return;
        }
        QVERIFY2(pilote.joue(finDeMatch(pilote)), qPrintable(s.echec()));
        QVERIFY2(pilote.ecartsDuTapis().isEmpty(), ecarts(pilote).constData());
        QVERIFY2(s.quitte(), qPrintable(s.echec()));
    }
    // Quits at the point the condition finds, starts again and plays the
    // deal to its end and into the next one.
    void repriseApres(const QString& nom, QSize taille, bool quitteApresLaCarte)
    {
        SessionDeJeu s(nom, LIMITE_S);
        DossierUtilisateur::Reglages r;
        r.objectif = 1000;
        r.fenetre = taille;
        QVERIFY2(s.prepare(r) && s.lance(), qPrintable(s.echec()));
        {
            PiloteDePartie pilote(s);
            Vue arret;
            const bool ok = pilote.joue([&arret](const Vue& v) {
                if (!milieuDePliAuTourDeLUtilisateur(v))
                    return false;
                arret = v;
                return true;
            });
            QVERIFY2(ok, qPrintable(s.echec()));
            if (quitteApresLaCarte) {
                // The user's card, then Ctrl+Q while a computer is to play.
                QVERIFY2(pilote.joueCarte(arret), qPrintable(s.echec()));
            }
            s.garde(QStringLiteral("before_quit"));
            QVERIFY2(s.quitte(), qPrintable(s.echec()));
        }
        const RecordDePartie sauve = s.record();
        QVERIFY2(sauve.valide(), "no autosave after quitting");
        QVERIFY2(s.lance(), qPrintable(s.echec()));
        PiloteDePartie pilote(s);
        QVERIFY2(pilote.joue(donneApres(sauve.nombreDeDonnes())), qPrintable(s.echec()));
        s.garde(QStringLiteral("next_deal"));
        QVERIFY2(pilote.ecartsDuTapis().isEmpty(), ecarts(pilote).constData());
        QVERIFY2(s.quitte(), qPrintable(s.echec()));
    }

    // Plays two tricks, keeps the game in a file, starts a new game and
    // opens the file, answering the replay question, then plays on.
    void ouverture(const QString& nom, bool regarderLeReplay)
    {
        SessionDeJeu s(nom, LIMITE_S);
        DossierUtilisateur::Reglages r;
        r.objectif = 1000;
        r.theme = regarderLeReplay ? 1 : 0;
        QVERIFY2(s.prepare(r) && s.lance(), qPrintable(s.echec()));
        {
            PiloteDePartie pilote(s);
            QVERIFY2(pilote.joue(milieuDePliAuTourDeLUtilisateur), qPrintable(s.echec()));
            QVERIFY2(s.quitte(), qPrintable(s.echec()));
        }
        const RecordDePartie sauve = s.record();
        QVERIFY2(sauve.valide(), "no autosave after quitting");
        const QString fichier = s.maison().donnees() + QStringLiteral("/saved.jss");
        QVERIFY(QFile::copy(s.maison().autosave(), fichier));
        QVERIFY(QFile::remove(s.maison().autosave()));

        // A new game, then Game > Open through its file dialog.
        QVERIFY2(s.lance(), qPrintable(s.echec()));
        PiloteDePartie pilote(s);
        QVERIFY2(pilote.joue([](const Vue& v) { return v.demandeCarte || v.record.valide(); }), qPrintable(s.echec()));
        s.touche(QStringLiteral("ctrl+o"));
        if (!s.remplitDialogue(QStringLiteral("Open a game"), fichier)) {
            s.echoue(QStringLiteral("Ctrl+O showed no 'Open a game' dialog that took the file"));
            QFAIL(qPrintable(s.echec()));
        }

        pilote.setReponseBoites(regarderLeReplay);
        // The question has the keyboard: Return answers its default (Yes),
        // Esc its No.
        pilote.setToucheProchaineBoite(regarderLeReplay ? QStringLiteral("Return") : QStringLiteral("Escape"));
        // The question, then the end of a replay the user watched; one not
        // watched gives the user's seat back without a box.
        const int boites = regarderLeReplay ? 2 : 1;
        pilote.attendsBoites(boites);
        pilote.oublieDernierCoup();
        QVERIFY2(pilote.joue(donneApres(sauve.nombreDeDonnes())), qPrintable(s.echec()));
        if (regarderLeReplay)
            QVERIFY2(pilote.boitesVues() >= boites, "no replay question and end of the replay were seen after opening the file");
        else
            QVERIFY2(pilote.boitesVues() == boites, "a box other than the replay question showed after opening the file");
        s.garde(QStringLiteral("next_deal"));
        QVERIFY2(pilote.ecartsDuTapis().isEmpty(), ecarts(pilote).constData());
        QVERIFY2(s.quitte(), qPrintable(s.echec()));
    }

private slots:
    void initTestCase()
    {
        if (!EcranVirtuel::xvfbDisponible())
            ZB_MANQUE("Xvfb is not installed: the program cannot be shown on a virtual screen");
    }

    // The first start's welcome, answered by the keyboard, before a match.
    void matchDeJass()
    {
        matchEntier(QStringLiteral("jass_match"), DossierUtilisateur::Jass, {1920, 1080}, 0,
                    &EtapesDeMatch::accueilAvecLesRegles, true);
    }
    // A language change in an auction, under Wood, whose bubbles are white;
    // then French, and the game types' menu read again.
    void matchDeBeloteContree()
    {
        matchEntier(QStringLiteral("contree_match"), DossierUtilisateur::BeloteContree, {800, 600}, 0,
                    &EtapesDeMatch::allemandPuisFrancais);
    }
    // Classic Belote: the user takes and leads the first trick. At that
    // first request the hand holds its eight cards (the second
    // distribution's and the turned card among them): the hand narrows by
    // one card's place at each card played, down to the last. The turned
    // card has left the cloth (the pilot compares the cloth with the record
    // at every card), and the record holds the user's take and lead.
    void beloteLaPreneuseEntame()
    {
        // The user bids first, takes and leads in one deal of four: on a busy
        // machine four Belote deals take longer than a match of the others.
        SessionDeJeu s(QStringLiteral("belote_take_lead"), LIMITE_PRISE_S);
        DossierUtilisateur::Reglages r;
        r.jeu = DossierUtilisateur::BeloteClassique;
        r.objectif = 1000;
        r.fenetre = {1280, 720};
        QVERIFY2(s.prepare(r) && s.lance(), qPrintable(s.echec()));
        PiloteDePartie pilote(s);
        pilote.setPrend(true);
        // The seat after the dealer bids first and leads: the user, who
        // takes at once, in one deal out of four.
        int donne = 0;
        RecordDePartie entame;
        QVERIFY2(pilote.joue([&](const Vue& v) {
            if (donne == 0 && v.demandeCarte && v.record.plis().isEmpty()) {
                donne = v.record.nombreDeDonnes();
                entame = v.record;
                s.garde(QStringLiteral("user_leads"));
            }
            // That deal whole: the user's last card of it is played. (The
            // next deal's record would come only at the user's first card
            // there, as the autosave waits for the user's turns.)
            const QList<PiloteDePartie::MainLue>& mains = pilote.mainsLues();
            return donne > 0 && std::any_of(mains.begin(), mains.end(), [donne](const PiloteDePartie::MainLue& m) {
                       return m.donne == donne && m.cartesAvant == 7;
                   });
        }),
                 qPrintable(s.echec()));
        QVERIFY2(pilote.ecartsDuTapis().isEmpty(), ecarts(pilote).constData());
        const QStringList coups = entame.coupsParDonne().value(donne - 1);
        const QString prise = QStringLiteral("%1 0 ").arg(int(EvenementDeJeu::Chm));
        QVERIFY2(!coups.isEmpty() && coups.first().startsWith(prise),
                 qPrintable(QStringLiteral("the user's take is not the deal's first move: %1").arg(coups.join(", "))));
        std::array<int, 8> largeurs{};
        largeurs.fill(-1);
        for (const PiloteDePartie::MainLue& m : pilote.mainsLues())
            if (m.donne == donne && m.cartesAvant >= 0 && m.cartesAvant < 8 && largeurs[size_t(m.cartesAvant)] < 0)
                largeurs[size_t(m.cartesAvant)] = m.largeur;
        QString lues;
        for (int l : largeurs)
            lues += QStringLiteral(" %1").arg(l);
        const int place = largeurs[0] - largeurs[1];
        QVERIFY2(largeurs[7] > 0 && place > 0 && std::abs(largeurs[0] - largeurs[7] - 7 * place) <= 7 * place / 8,
                 qPrintable(QStringLiteral("the hand did not show eight cards at the lead: widths%1").arg(lues)));
        QVERIFY2(s.quitte(), qPrintable(s.echec()));
    }
    // A first start left by New game (Ctrl+N) deals; then a tournament of
    // the game type the options show first: the record holds the custom type
    // made of it, trumps imposed, and the table imposes Hearts, then Clubs.
    // (Its four deals outlast a case: its end is played below the window.)
    void tournoiDuTypeParDefaut()
    {
        SessionDeJeu s(QStringLiteral("tournament_default_type"), LIMITE_S);
        DossierUtilisateur::Reglages r;
        r.fenetre = {1024, 768};
        r.typeParDefaut = true;
        r.accueil = true;
        r.aideAvecAccueil = true;
        QVERIFY2(s.prepare(r) && s.lance(), qPrintable(s.echec()));
        PiloteDePartie pilote(s);
        QVERIFY2(EtapesDeMatch::accueilPasse(s, pilote, QStringLiteral("ctrl+n")), qPrintable(s.echec()));
        QVERIFY2(EtapesDeMatch::tournoiParLesOptions(s, pilote), qPrintable(s.echec()));
        RecordDePartie deuxieme;
        QVERIFY2(pilote.joue([&deuxieme](const Vue& v) {
            if (!donneApres(1)(v))
                return false;
            deuxieme = v.record;
            return true;
        }),
                 qPrintable(s.echec()));
        s.garde(QStringLiteral("second_deal"));
        QVERIFY2(pilote.ecartsDuTapis().isEmpty(), ecarts(pilote).constData());
        const OptionsDePartie& inscrites = deuxieme.optionsDuMatch();
        QCOMPARE(inscrites.modeDeJeu_, int(OptionsDePartie::ModeTournoi));
        QCOMPARE(inscrites.idPreset_, int(TypeDePartie::ID_PERSONALISE));
        QCOMPARE(inscrites.typeDePartie_.atoutAutomatique_, 1);
        // Counted by its deals, as the tournament presets are.
        QCOMPARE(inscrites.typeDePartie_.pointsObjectif_, int(TypeDePartie::OBJECTIF_SANS_FIN));
        // Each deal began with the table's choice.
        QStringList premiers;
        for (const QStringList& coups : deuxieme.coupsParDonne())
            premiers << coups.value(0).section(QLatin1Char('!'), 0, 2);
        const QString choix = QStringLiteral("%1 4 {0!1!%2").arg(int(EvenementDeJeu::Cho));
        QCOMPARE(premiers, (QStringList{choix.arg(4), choix.arg(1)}));
        QVERIFY2(s.quitte(), qPrintable(s.echec()));
    }
    // A Belote tournament as the options dialog of the version before kept
    // it (the match type Tournament over Classic Belote, whose trump is bid
    // for): the table imposes nothing, every deal is bid for, and the match
    // ends at its type's target with the end-of-match box, whose totals are
    // the final score.
    void tournoiDeBelote()
    {
        SessionDeJeu s(QStringLiteral("belote_tournament"), LIMITE_S);
        DossierUtilisateur::Reglages r;
        r.jeu = DossierUtilisateur::BeloteClassique;
        r.tournoi = true;
        r.fenetre = {800, 600};
        QVERIFY2(s.prepare(r) && s.lance(), qPrintable(s.echec()));
        PiloteDePartie pilote(s);
        pilote.setPrend(true);
        jusquALaBoite(s, pilote, [&r](const RecordDePartie& fin) {
            // Every trump was bid for: none chosen, by a seat or the table.
            const QString choix = QString::number(EvenementDeJeu::Cho) + QLatin1Char(' ');
            for (const QStringList& coups : fin.coupsParDonne())
                for (const QString& coup : coups)
                    QVERIFY2(!coup.startsWith(choix), qPrintable(coup));
            const OptionsDePartie& inscrites = fin.optionsDuMatch();
            QCOMPARE(inscrites.modeDeJeu_, int(OptionsDePartie::ModeTournoi));
            QCOMPARE(inscrites.typeDePartie_.contrat_, int(TypeDePartie::ContratFixe));
            QCOMPARE(inscrites.typeDePartie_.pointsObjectif_, r.objectif);
        });
    }
    // Contrée to its end-of-match box, the user doubling every plain bid of
    // an opponent the bidding leaves at the user's turn: the box's totals
    // are the match's final score.
    void contreeAvecContreJusquALaBoite()
    {
        SessionDeJeu s(QStringLiteral("contree_double"), LIMITE_S);
        DossierUtilisateur::Reglages r;
        r.jeu = DossierUtilisateur::BeloteContree;
        r.fenetre = {1280, 960};
        QVERIFY2(s.prepare(r) && s.lance(), qPrintable(s.echec()));
        PiloteDePartie pilote(s);
        pilote.setContre(true);
        jusquALaBoite(s, pilote);
    }
    void repriseAuTourDeLUtilisateur() { repriseApres(QStringLiteral("resume_user_turn"), {800, 600}, false); }
    void repriseAuTourDUnOrdinateur() { repriseApres(QStringLiteral("resume_computer_turn"), {1024, 768}, true); }
    void ouvertureAvecReplay() { ouverture(QStringLiteral("open_watch_replay"), true); }
    void ouvertureSansReplay() { ouverture(QStringLiteral("open_no_replay"), false); }

    // Two copies of the program on this machine: one hosts from its menu,
    // the other joins it by address and port; the host starts the game from
    // its server view, both users play a whole deal by clicks, each at its
    // own seat, and both machines keep the same moves and scores. The join
    // window offers the name the client's user kept, and the user plays
    // under it. Before, the client's user tried a port where nobody hosts,
    // was told so and played on locally; after leaving, it plays a local
    // game again.
    void donneEnReseau()
    {
        PartieEnReseau partie(QStringLiteral("online_deal"), LIMITE_RESEAU_S);
        DossierUtilisateur::Reglages r;
        r.objectif = 1000;
        r.delaiTour = delaiTour();
        DossierUtilisateur::Reglages rClient = r;
        // As long a name as the join window takes: the plates on both
        // screens keep it within the cloth, and the record keeps it whole.
        const QString nomClient = QStringLiteral("Carola Wolfensberger-Zim");
        QCOMPARE(nomClient.size(), 24);
        rClient.nomDeJeu = nomClient;
        QString erreur;
        QVERIFY2(partie.prepare(r) && partie.client().maison().prepare(rClient, &erreur), qPrintable(partie.echec() + erreur));
        QVERIFY2(partie.heberge(), qPrintable(partie.echec()));
        // The client's user first tries a port where nobody hosts: a box
        // says so and, once it is answered, the local game is there to play
        // on; a card later the user joins the host.
        QVERIFY2(partie.rejointEnVain(), qPrintable(partie.echec()));
        {
            PiloteDePartie local(partie.client());
            local.setReponseBoites(true);
            QVERIFY2(local.joue([&local](const Vue& v) { return local.cartesJouees() >= 1 && v.demandeCarte; }, 40000),
                     qPrintable(partie.echec()));
            partie.client().garde(QStringLiteral("local_after_failed_join"));
        }
        QVERIFY2(partie.rejoint() && partie.demarre(), qPrintable(partie.echec()));
        PiloteDePartie hote(partie.hote());
        PiloteDePartie client(partie.client());
        hote.setSansRecord(true);
        client.setSansRecord(true);
        client.setSansAide(true);
        // The two users play at once, as two people do, and each plays on
        // until both are through: the other's next move may wait for this
        // user's (a trump to choose, a card before theirs).
        bool hoteFini = false;
        int signeHote = 0;
        int signeClient = 0;
        std::atomic<bool> hoteAJoue{false};
        std::atomic<bool> clientAJoue{false};
        auto ensemble = [](const PiloteDePartie& moi, std::atomic<bool>& fait,
                           const std::atomic<bool>& autre) -> PiloteDePartie::Condition {
            const PiloteDePartie::Condition premiere = premiereDonneFinie(moi);
            return [premiere, &fait, &autre](const Vue& v) {
                if (premiere(v))
                    fait = true;
                return fait && autre;
            };
        };
        std::thread cote([&] {
            hoteFini = hote.joue(relevantLeSigne(ensemble(hote, hoteAJoue, clientAJoue), signeHote));
        });
        const bool clientFini = client.joue(relevantLeSigne(ensemble(client, clientAJoue, hoteAJoue), signeClient));
        cote.join();
        QVERIFY2(hoteFini && clientFini, qPrintable(partie.echec()));
        // The joined game wears the online sign on its cloth; the host's
        // game, which it did not join, does not.
        QVERIFY2(signeClient >= SIGNE_EN_LIGNE_MIN && signeHote < SIGNE_EN_LIGNE_MIN,
                 qPrintable(QStringLiteral("online sign: %1 pixels at the client, %2 at the host")
                                .arg(signeClient)
                                .arg(signeHote)));
        RecordDePartie deLHote;
        RecordDePartie duClient;
        QVERIFY2(partie.enregistre(partie.hote(), QStringLiteral("host.jss"), deLHote)
                     && partie.enregistre(partie.client(), QStringLiteral("client.jss"), duClient),
                 qPrintable(partie.echec()));
        // The second deal is under way on both (the client's record may
        // begin with a snapshot of the table it joined).
        QVERIFY2(deLHote.nombreDeDonnes() >= 2 && duClient.nombreDeDonnes() >= 2,
                 qPrintable(deLHote.resume() + QStringLiteral("; ") + duClient.resume()));
        // The deal both finished: the same trump and 36 cards on both.
        const QStringList premiere = deLHote.coupsParDonne().at(deLHote.nombreDeDonnes() - 2);
        QVERIFY(premiere.size() >= 37);
        QCOMPARE(duClient.coupsParDonne().at(duClient.nombreDeDonnes() - 2), premiere);
        QCOMPARE(duClient.scores(), deLHote.scores());
        QVERIFY(deLHote.scores()[0] + deLHote.scores()[1] > 0);
        // Each user played its own seat: the host the first, the client the
        // second, none of them a computer's; the client under its name.
        QVERIFY(hote.cartesJouees() >= 9 && client.cartesJouees() >= 9);
        QCOMPARE(EtapesEnLigne::nomInscrit(deLHote, 1), nomClient);

        // The client leaves the online game (Network > Leave, yes to the
        // question): a local game is back, and its user plays it at once.
        QVERIFY2(!partie.client().ouvreMenu(QStringLiteral("alt+n")).isEmpty(), qPrintable(partie.echec()));
        partie.client().ecran().touche(QStringLiteral("l"));
        // The question is answered OK (Return, the box having the keyboard)
        // before the user plays on: the autosave holds the local game left
        // at the join, which asks the user already.
        QVERIFY2(partie.client().attendsBoite(true, 10000), "no question came after Network > Leave");
        partie.client().immobile();
        partie.client().ecran().touche(QStringLiteral("Return"));
        QVERIFY2(partie.client().attendsBoite(false, 10000), "the question after Network > Leave stayed");
        PiloteDePartie local(partie.client());
        local.setReponseBoites(true);
        QVERIFY2(local.joue([&local](const Vue& v) { return local.cartesJouees() >= 2 && v.demandeCarte; }, 40000),
                 qPrintable(partie.echec()));
        partie.client().garde(QStringLiteral("local_after_leaving"));
        partie.hote().garde(QStringLiteral("client_left"));
    }

    // A client's program killed in the middle of a deal and started again
    // on its home folder joins again and plays on at its own seat. Its
    // connection window is gone once the game starts, and nobody waits for
    // the box that greets its return: left open longer than a turn lasts,
    // the table goes on under it, and a turn of its user that runs out
    // meanwhile is played by its computer.
    void retourApresUnCrash()
    {
        PartieEnReseau partie(QStringLiteral("online_crash"), LIMITE_RESEAU_S);
        DossierUtilisateur::Reglages r;
        r.objectif = 1000;
        r.delaiTour = delaiTour();
        QVERIFY2(partie.prepare(r) && partie.heberge(), qPrintable(partie.echec()));
        // The host's WebSocket ports, beside its TCP one: the client joins by
        // one, and comes back by the other.
        QList<quint16> ports = partie.portsDeLHote();
        ports.removeAll(partie.port());
        QVERIFY2(ports.size() == 2, qPrintable(QStringLiteral("ports of the host: %1").arg(ports.size())));
        QVERIFY2(partie.rejoint(ports.at(0)), qPrintable(partie.echec()));
        // Waiting for the host, the connection window is up with its cancel.
        QVERIFY2(partie.client().attendsBoite(true, 5000), "no connection window while the client waits");
        partie.client().garde(QStringLiteral("waiting"));
        QVERIFY2(partie.demarre(), qPrintable(partie.echec()));
        QVERIFY2(partie.client().attendsBoite(false, 10000), "the connection window stayed over the table");
        partie.client().garde(QStringLiteral("game_started"));

        // The host's user plays all along, as a person would.
        PiloteDePartie hote(partie.hote());
        hote.setSansRecord(true);
        std::atomic<bool> fini{false};
        bool hoteJoue = false;
        std::thread cote([&] { hoteJoue = hote.joue([&fini](const Vue&) { return fini.load(); }, 90000); });
        auto finHote = qScopeGuard([&] {
            fini = true;
            cote.join();
        });
        {
            PiloteDePartie client(partie.client());
            client.setSansRecord(true);
        client.setSansAide(true);
            QVERIFY2(client.joue([&client](const Vue&) { return client.cartesJouees() >= 2; }),
                     qPrintable(partie.echec()));
        }
        partie.tueClient();
        partie.hote().garde(QStringLiteral("client_killed"));
        QVERIFY2(partie.rejoint(ports.at(1)), qPrintable(partie.echec()));
        // Nobody answers the box that greets the return for longer than a
        // turn lasts: the host's table moves on meanwhile.
        const QImage hoteAuRetour = partie.hote().capture();
        QThread::sleep(delaiTour() + 3);
        partie.client().garde(QStringLiteral("greeting_boxes"));
        QVERIFY2(!LectureEcran::identiques(partie.hote().garde(QStringLiteral("under_the_greeting_box")), hoteAuRetour),
                 "the host's table stood still under the client's box");
        // Then the user answers them and double-clicks cards while the
        // replay catches the table up, as an impatient person does.
        {
            QElapsedTimer impatience;
            impatience.start();
            int clics = 0;
            while (impatience.elapsed() < 12000 && partie.client().enMarche()) {
                const QImage image = partie.client().capture();
                QList<QRect> panneau;
                QList<QRect> boite;
                PiloteDePartie::litBoutons(image, panneau, boite);
                if (!boite.isEmpty()) {
                    partie.client().ecran().clique(partie.client().fenetre().topLeft() + boite.first().center());
                } else {
                    const LectureEcran::Main main = LectureEcran::main(image);
                    if (!main.jouables.isEmpty() && clics < 3) {
                        partie.client().ecran().doubleClique(partie.client().fenetre().topLeft()
                                                             + main.jouables.first());
                        ++clics;
                    }
                }
                QThread::msleep(300);
            }
            partie.client().garde(QStringLiteral("after_clicks"));
        }
        // The table goes on: the user plays through a whole next deal.
        PiloteDePartie client(partie.client());
        client.setSansRecord(true);
        client.setSansAide(true);
        QVERIFY2(client.joue([&client](const Vue&) { return client.cartesJouees() >= 12; }, 60000),
                 qPrintable(partie.echec()));
        partie.client().garde(QStringLiteral("next_deal"));
        partie.hote().garde(QStringLiteral("next_deal"));
        fini = true;
        cote.join();
        finHote.dismiss();
        QVERIFY2(hoteJoue, qPrintable(partie.echec()));

        RecordDePartie deLHote;
        QVERIFY2(partie.enregistre(partie.hote(), QStringLiteral("host.jss"), deLHote), qPrintable(partie.echec()));
        // The client's seat, in the host's record (the deal in progress and
        // the inscriptions): each time the seat was given to a player, it was
        // the same one; the user played it since it came back (after the
        // host's computer stood in, or after it entered again); and the
        // client's own computer played it at most once, for a turn that ran
        // out under the box: the user was never excluded.
        const EtapesEnLigne::SiegeDuClient siege = EtapesEnLigne::siegeDuClient(deLHote);
        const QByteArray lignes = deLHote.lignes().join(QLatin1Char('\n')).toUtf8();
        QVERIFY2(siege.ids.size() == 1 && siege.inscriptions >= 1, lignes.constData());
        QVERIFY2(siege.coupsApresRetour >= 1, lignes.constData());
        QVERIFY2(siege.coupsDeSonOrdinateur <= 1, lignes.constData());
    }

    // A client's program stops in the middle of a deal (a hang, or a link
    // that died without a close): the host's table goes on, its computer
    // playing the seat once the answer is late by a turn and a margin. The
    // user kills the stopped program and starts it again: she joins as
    // before and plays on at her own seat, on her own team.
    void copieFigee()
    {
        PartieEnReseau partie(QStringLiteral("online_hung_client"), LIMITE_RESEAU_S);
        const int delai = lenteur::limite(DELAI_JOUABLE_S);
        QVERIFY2(EtapesEnLigne::commenceAvecDesToursDe(partie, delai), qPrintable(partie.echec()));
        // The host's user plays all along, as a person would, but while the
        // case watches the table go on.
        std::atomic<bool> fini{false};
        bool hoteJoue = false;
        std::thread cote;
        const auto hoteEnFond = [&] {
            fini = false;
            cote = std::thread([&] {
                PiloteDePartie hote(partie.hote());
                hote.setSansRecord(true);
                hoteJoue = hote.joue([&fini](const Vue&) { return fini.load(); }, 90000);
            });
        };
        const auto finHote = [&] {
            fini = true;
            if (cote.joinable())
                cote.join();
            return hoteJoue;
        };
        auto garde = qScopeGuard(finHote);
        hoteEnFond();
        {
            PiloteDePartie client(partie.client());
            client.setSansRecord(true);
            client.setSansAide(true);
            QVERIFY2(client.joue([&client](const Vue&) { return client.cartesJouees() >= 2; }),
                     qPrintable(partie.echec()));
        }
        QVERIFY2(finHote(), qPrintable(partie.echec()));
        QCOMPARE(::kill(pid_t(partie.client().pid()), SIGSTOP), 0);
        {
            // The host plays twice more: the stopped seat, which follows it,
            // was played meanwhile. Within a turn, the host's margin and the
            // pace of a busy machine.
            PiloteDePartie hote(partie.hote());
            hote.setSansRecord(true);
            QVERIFY2(hote.joue([&hote](const Vue&) { return hote.cartesJouees() >= 2; },
                               lenteur::limite((delai + 12 + 30) * 1000)),
                     qPrintable(QStringLiteral("the host's table waited for the stopped program: ") + partie.echec()));
            partie.hote().garde(QStringLiteral("table_goes_on"));
        }

        partie.tueClient();
        QVERIFY2(partie.rejoint(), qPrintable(partie.echec()));
        hoteEnFond();
        PiloteDePartie client(partie.client());
        client.setSansRecord(true);
        client.setSansAide(true);
        client.setReponseBoites(true);
        QVERIFY2(client.joue([&client](const Vue&) { return client.cartesJouees() >= 3; }, 90000),
                 qPrintable(partie.echec()));
        partie.client().garde(QStringLiteral("back_at_its_seat"));
        QVERIFY2(finHote(), qPrintable(partie.echec()));
        RecordDePartie deLHote;
        QVERIFY2(partie.enregistre(partie.hote(), QStringLiteral("host.jss"), deLHote), qPrintable(partie.echec()));
        // One player at the client's seat all along, who played there again.
        const EtapesEnLigne::SiegeDuClient siege = EtapesEnLigne::siegeDuClient(deLHote);
        const QByteArray lignes = deLHote.lignes().join(QLatin1Char('\n')).toUtf8();
        QVERIFY2(siege.ids.size() == 1 && siege.coupsApresRetour >= 1, lignes.constData());
    }


private:
    // The windowless host of the case's host side, on the case's TCP port:
    // what it printed up to its "HOST" line (empty when it did not start).
    static QByteArray lanceHoteSansFenetre(PartieEnReseau& partie, QProcess& hote)
    {
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        for (const QString& v : partie.hote().maison().environnement())
            env.insert(v.section(QLatin1Char('='), 0, 0), v.section(QLatin1Char('='), 1));
        env.insert(QStringLiteral("LANG"), QStringLiteral("C.UTF-8"));
        hote.setProcessEnvironment(env);
        hote.setProcessChannelMode(QProcess::MergedChannels);
        descendance::finitAvecLeParent(hote);
        hote.start(QStringLiteral(ZB_PROGRAMME),
                   {QStringLiteral("--server"), QStringLiteral("--auto"), QStringLiteral("--port"),
                    QString::number(partie.port())});
        if (!hote.waitForStarted(10000))
            return QByteArray();
        QElapsedTimer attente;
        attente.start();
        QByteArray sortie;
        while (!sortie.contains("HOST") && attente.elapsed() < lenteur::limite(20000)) {
            hote.waitForReadyRead(200);
            sortie += hote.readAllStandardOutput();
        }
        return sortie;
    }

    // A case's online turns, when a user is to run out of them: two short
    // turns exclude that user quickly. A user who plays online afterwards
    // needs turns the pilot plays in at any machine's pace (at six busy
    // processes a processor, a host's turn reached the screen with 1 s of
    // 12 left).
    static constexpr int DELAI_COURT_S = 4;
    static constexpr int DELAI_JOUABLE_S = 20;

private slots:
    // A client's user who never plays online is excluded after two turns
    // run out: one box says so, and once it is answered the local game is
    // there to play on, to a collected trick.
    void inviteExclu()
    {
        PartieEnReseau partie(QStringLiteral("online_guest_excluded"), LIMITE_RESEAU_S);
        const int delai = lenteur::limite(DELAI_COURT_S);
        QVERIFY2(EtapesEnLigne::commenceAvecDesToursDe(partie, delai), qPrintable(partie.echec()));
        // Nobody plays: the host's computer stands in for its user, the
        // client's user is excluded.
        QVERIFY2(EtapesEnLigne::finPuisJeuLocal(partie.client(), 4 * delai * 1000 + 20000, QStringLiteral("exclusion")),
                 qPrintable(partie.echec()));
    }

    // Nobody plays: both users are excluded. The host's box stays open and
    // the table goes on under it. She answers it, leaves the online game,
    // hosts again, the guest (its own box answered) joins again, and she
    // plays a card at her seat.
    void hoteExclu()
    {
        PartieEnReseau partie(QStringLiteral("online_host_excluded"), LIMITE_RESEAU_S);
        const int delai = lenteur::limite(DELAI_JOUABLE_S);
        QVERIFY2(EtapesEnLigne::commenceAvecDesToursDe(partie, delai), qPrintable(partie.echec()));
        SessionDeJeu& hote = partie.hote();
        QVERIFY2(hote.attendsBoite(true, 4 * delai * 1000 + 20000), "no box came when the host's turns ran out");
        const QImage exclue = hote.garde(QStringLiteral("excluded"));
        // The table moves on under her box.
        QElapsedTimer attente;
        attente.start();
        while (LectureEcran::identiques(hote.capture(), exclue) && attente.elapsed() < lenteur::limite(20000))
            QThread::msleep(200);
        QList<QRect> panneau;
        QList<QRect> boite;
        const QImage dessous = hote.garde(QStringLiteral("box_open_table_on"));
        PiloteDePartie::litBoutons(dessous, panneau, boite);
        QVERIFY2(!LectureEcran::identiques(dessous, exclue) && boite.size() == 1,
                 "the table stood still under the host's box");
        hote.ecran().clique(hote.fenetre().topLeft() + boite.first().center());
        QVERIFY2(hote.attendsBoite(false, 10000), "the exclusion box stayed after OK");
        // Her status says she watches while the computer plays for her.
        hote.garde(QStringLiteral("excluded_status"));
        // Network > Leave, OK to the question.
        QVERIFY2(!hote.ouvreMenu(QStringLiteral("alt+n")).isEmpty(), qPrintable(partie.echec()));
        hote.ecran().touche(QStringLiteral("l"));
        QVERIFY2(hote.attendsBoite(true, 10000), "no question came after Network > Leave");
        hote.immobile();
        hote.ecran().touche(QStringLiteral("Return"));
        QVERIFY2(hote.attendsBoite(false, 10000), "the question after Network > Leave stayed");

        // The guest, excluded too, answers its box.
        SessionDeJeu& client = partie.client();
        QVERIFY2(client.attendsBoite(true, 4 * delai * 1000 + 20000), "no box came when the guest's turns ran out");
        PiloteDePartie::litBoutons(client.capture(), panneau, boite);
        QVERIFY2(!boite.isEmpty(), "the guest's box went before it was answered");
        client.ecran().clique(client.fenetre().topLeft() + boite.first().center());
        QVERIFY2(client.attendsBoite(false, 10000), "the guest's box stayed after OK");

        QVERIFY2(partie.heberge() && partie.rejoint() && partie.demarre(), qPrintable(partie.echec()));
        PiloteDePartie enLigne(hote);
        enLigne.setSansRecord(true);
        QVERIFY2(enLigne.joue([&enLigne](const Vue&) { return enLigne.cartesJouees() >= 1; }, 60000),
                 qPrintable(partie.echec()));
        hote.garde(QStringLiteral("played_again"));
    }

    // The windowless host, started from a terminal, is stopped there while
    // its guest plays: the guest reads one box, and plays its local game.
    // The guest joined over the secure port, full of silent sockets of its
    // own address.
    void hoteSansFenetreArrete()
    {
        PartieEnReseau partie(QStringLiteral("windowless_host_stopped"), LIMITE_RESEAU_S);
        DossierUtilisateur::Reglages r;
        r.objectif = 1000;
        QVERIFY2(partie.prepare(r), qPrintable(partie.echec()));
        QProcess hote;
        auto finHote = qScopeGuard([&hote] {
            hote.kill();
            hote.waitForFinished(5000);
        });
        const QByteArray sortie = lanceHoteSansFenetre(partie, hote);
        // The guest joins over the secure port while sockets from its own
        // address that never say a word hold every place the port has for
        // unfinished handshakes: it gets in all the same.
        const QList<QByteArray> mots = sortie.mid(sortie.indexOf("HOST")).split('\n').first().split(' ');
        const qsizetype apres = mots.indexOf("secure-websocket") + 1;
        const quint16 secure = apres > 0 && apres < mots.size() ? quint16(mots.at(apres).toUInt()) : 0;
        QVERIFY2(secure != 0, sortie.constData());
        std::vector<std::unique_ptr<QTcpSocket>> muettes;
        for (int i = 0; i < 64; ++i) {
            muettes.push_back(std::make_unique<QTcpSocket>());
            muettes.back()->connectToHost(QHostAddress::LocalHost, secure);
            muettes.back()->waitForConnected(2000);
        }
        QVERIFY2(partie.rejoint(secure), qPrintable(partie.echec()));
        QVERIFY2(partie.client().attendsBoite(false, 20000), "the connection window stayed over the table");
        {
            PiloteDePartie client(partie.client());
            client.setSansRecord(true);
            client.setSansAide(true);
            QVERIFY2(client.joue([&client](const Vue&) { return client.cartesJouees() >= 1; }, 40000),
                     qPrintable(partie.echec()));
        }
        hote.terminate();
        QVERIFY(hote.waitForFinished(10000));
        finHote.dismiss();
        QCOMPARE(hote.exitCode(), 128 + 15);
        QVERIFY2(EtapesEnLigne::finPuisJeuLocal(partie.client(), 10000, QStringLiteral("host_stopped")),
                 qPrintable(partie.echec()));
    }

    // At a windowless host, two players of other copies fill the table
    // with the user (the host's computer has the fourth seat). Her program
    // is killed and started again at once: she joins with what the join
    // dialog offers, is taken back at her seat, and plays there.
    void retourATableCompleteSansFenetre()
    {
        PartieEnReseau partie(QStringLiteral("windowless_full_return"), LIMITE_RESEAU_S);
        DossierUtilisateur::Reglages r;
        r.objectif = 1000;
        QVERIFY2(partie.prepare(r), qPrintable(partie.echec()));
        QProcess hote;
        auto finHote = qScopeGuard([&hote] {
            hote.kill();
            hote.waitForFinished(5000);
        });
        const QByteArray sortie = lanceHoteSansFenetre(partie, hote);
        QVERIFY2(sortie.contains("HOST"), sortie.constData());
        QVERIFY2(partie.rejoint(), qPrintable(partie.echec()));
        // The others: copies that identify under ids of their seat keys.
        std::vector<std::unique_ptr<QTcpSocket>> autres;
        for (int i = 0; i < 2; ++i) {
            ZB_FicheIdentification fiche;
            fiche.cle_ = ZB_FicheIdentification::genereCle();
            fiche.joueur_.nom_ = QStringLiteral("Autre%1").arg(i);
            fiche.joueur_.id_ = ZB_FicheIdentification::idDeCle(fiche.cle_);
            autres.push_back(std::make_unique<QTcpSocket>());
            autres.back()->connectToHost(QHostAddress::LocalHost, partie.port());
            QVERIFY(autres.back()->waitForConnected(5000));
            autres.back()->write(EvenementDeJeu(EvenementDeJeu::NeW, fiche.sauveValeursDansString(), 4,
                                                EtatDeJeu::Identification, EvenementDeJeu::Local_Table,
                                                fiche.joueur_.id_, 0, -1, -2, ZB_ICI)
                                     .toString(1)
                                     .toUtf8());
            // Seated: the game so far comes.
            QElapsedTimer attente;
            attente.start();
            while (!autres.back()->peek(autres.back()->bytesAvailable()).contains("{Rs")
                   && attente.elapsed() < lenteur::limite(20000))
                autres.back()->waitForReadyRead(200);
            QVERIFY2(attente.elapsed() < lenteur::limite(20000), "another player was not seated");
        }
        partie.client().garde(QStringLiteral("full_table"));
        partie.tueClient();
        QVERIFY2(partie.rejoint(), qPrintable(partie.echec()));
        // The others leave, so that the table does not wait for their silent
        // turns: the host's computer plays their seats at once.
        autres.clear();
        PiloteDePartie client(partie.client());
        client.setSansRecord(true);
        client.setSansAide(true);
        client.setReponseBoites(true);
        QVERIFY2(client.joue([&client](const Vue&) { return client.cartesJouees() >= 1; }, 180000),
                 qPrintable(partie.echec()));
        partie.client().garde(QStringLiteral("back_at_its_seat"));
    }

    // A first start left by Esc, the settings panel opened and closed by the
    // keyboard, then Undo twice and Redo once, and the game plays on.
    void annulerDeuxFoisRetablirUneFois()
    {
        SessionDeJeu s(QStringLiteral("undo_redo"), LIMITE_S);
        DossierUtilisateur::Reglages r;
        r.objectif = 1000;
        r.fenetre = {1280, 800};
        r.theme = 2;
        r.accueil = true;
        r.aideAvecAccueil = true;
        QVERIFY2(s.prepare(r) && s.lance(), qPrintable(s.echec()));
        PiloteDePartie pilote(s);
        QVERIFY2(EtapesDeMatch::accueilPasse(s, pilote, QStringLiteral("Escape")), qPrintable(s.echec()));
        QVERIFY2(pilote.joue([](const Vue& v) { return v.demandeCarte && v.record.cartesJouees(0) >= 2; }),
                 qPrintable(s.echec()));
        QVERIFY2(EtapesDeMatch::reglagesAuClavier(s, pilote), qPrintable(s.echec()));
        const int donne = s.record().nombreDeDonnes();
        s.garde(QStringLiteral("before_undo"));
        for (const char* touche : {"ctrl+z", "ctrl+z", "ctrl+shift+z"}) {
            const QStringList avant = s.record().lignes();
            s.touche(QLatin1String(touche));
            // Each step asks the user again, which the autosave shows.
            QVERIFY2(s.attendsRecord(avant, 5000),
                     qPrintable(QStringLiteral("%1 did not change the autosave within %2 s (it holds: %3)")
                                    .arg(QLatin1String(touche))
                                    .arg(lenteur::limite(5000) / 1000)
                                    .arg(s.record().resume())));
            s.garde(QString::fromLatin1(touche).replace(QLatin1Char('+'), QLatin1Char('_')));
        }
        pilote.oublieDernierCoup();
        // A card clicked once (the first half of a double click a loaded
        // machine did not pair): the redo replayed a collect the user did
        // not click, and the table still asks for the card, the help lit,
        // which the pilot waits for before it plays.
        const QImage auRepos = pilote.tourAuRepos();
        QVERIFY2(!auRepos.isNull(), qPrintable(s.echec()));
        const LectureEcran::Main main = LectureEcran::main(auRepos);
        QVERIFY(!main.jouables.isEmpty());
        s.ecran().clique(s.fenetre().topLeft() + main.jouables.first());
        QVERIFY2(pilote.joue(donneApres(donne)), qPrintable(s.echec()));
        s.garde(QStringLiteral("next_deal"));
        QVERIFY2(pilote.ecartsDuTapis().isEmpty(), ecarts(pilote).constData());
        QVERIFY2(s.quitte(), qPrintable(s.echec()));
    }
};

ZB_REGISTER_TEST(TestAcceptance)
#include "TestAcceptance.moc"
