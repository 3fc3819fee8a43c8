#include "Carte.h"
#include "EvenementDeJeu.h"
#include "JoueurHumain.h"
#include "ListeDesEvenements.h"
#include "OptionsDePartie.h"
#include "Partie.h"
#include "StatusAtout.h"
#include "TypeDePartie.h"
#include "ZB_DisplayEmpty.h"
#include "ZB_PointsA.h"
#include "ZB_RoomTable.h"
#include "CompteAvertissements.h"
#include "PasDeSalle.h"
#include "SalleQuiJoue.h"
#include "ZbTestRegistry.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QMutex>
#include <QTest>

#include <array>
#include <atomic>
#include <algorithm>
#include <functional>

namespace {

using Mains = std::array<quint64, 4>;

OptionsDuJoueur joueurDe(int siege, bool ordinateur)
{
    OptionsDuJoueur j;
    j.nom_ = ordinateur ? QStringLiteral("IA%1").arg(siege) : QStringLiteral("Humain");
    j.id_ = 900 + siege;
    j.distant_ = 0;
    j.ordinateur_ = ordinateur ? 1 : 0;
    j.optionsAI_.nbrCombinations_ = 30;
    return j;
}

OptionsDePartie optionsJass(int objectif)
{
    OptionsDePartie options(TypeDePartie::GenreJass);
    TypeDePartie::initTypesDePartie(TypeDePartie::GenreJass);
    TypeDePartie type = TypeDePartie::getTypeDePartie(options.idPreset_);
    type.contrat_ = TypeDePartie::ContratChibre;
    type.atoutAutomatique_ = 0;
    type.roiDame_ = TypeDePartie::RoiDameStock;
    type.pointsObjectif_ = objectif;
    options.idPreset_ = TypeDePartie::ID_PERSONALISE;
    options.typeDePartie_ = type;
    return options;
}

Mains mainsDe(const ZB_RoomTable& table)
{
    Mains mains{};
    for (int siege = 0; siege < 4; ++siege)
        mains[size_t(siege)] = table.getJoueur(siege)->main_.getMasque();
    return mains;
}

// The card the human at seat 0 plays, among its playable cards (never
// empty); the state is the one the card answers.
using ChoixCarte = std::function<Carte*(const QList<Carte*>& jouables, int etat)>;

Carte* premiereJouable(const QList<Carte*>& jouables, int)
{
    return jouables.first();
}

// A screen that only knows whether the user watches (a view mode) or sits at
// the table, and what it was when the table last showed the seat to act.
class VueTemoin : public ZB_DisplayEmpty
{
public:
    bool vueActive = false;
    bool dernierEtatEnVue = false;
    void setModeVue(int mode) override { vueActive = mode != 0; }
    void afficheTable() override { vueActive = false; }
    bool estModeVueActif() override { return vueActive; }
    // Every state the table showed, in order.
    QList<int> etats;
    void afficheEtat(const InfoDemande& etat, Joueur*, Joueur*, int, bool) override
    {
        dernierEtatEnVue = vueActive;
        etats << etat.etat_;
    }
    // The cloth: the cards lying there, the seat that opened each trick and
    // the seat each gathered trick went to.
    int surLeTapis = 0;
    int plusSurLeTapis = 0;
    QList<int> ouvreurs;
    QList<int> gagnants;
    void afficheCarteJouee(int siege, Carte*) override
    {
        if (surLeTapis == 0)
            ouvreurs << siege;
        plusSurLeTapis = std::max(plusSurLeTapis, ++surLeTapis);
    }
    void afficheCartesAnnonces(int, int gagnant, const std::array<AnnoncesJoueur, 4>&) override
    {
        gagnants << gagnant;
        surLeTapis = 0;
    }
};

// A table with the local user at seat 0 and the computer at seats 1 to 3,
// driven through its event list; the test answers for the user.
struct Banc {
    SalleQuiJoue salle;
    VueTemoin displayVide;
    ZB_RoomTable table{nullptr, true, false};
    ChoixCarte choix = premiereJouable;
    // Per state of the current deal: the card the user played there, and
    // every hand as it stood when the table first rested there.
    QMap<int, QString> cartesDuJoueur;
    QMap<int, Mains> mainsEnAttente;
    int dernierRepondu = -1;

    Banc(int modeReseau, bool pasDAnnulation)
    {
        salle.table = &table;
        salle.retient = true;
        salle.liste.sansDelai_ = true;
        table.initialise(nullptr, nullptr, 0, &displayVide, &salle.liste, pasDAnnulation, QString(), QString(), false);
        table.nouvellePartie(modeReseau, optionsJass(5000));
        table.settingsPartie().random_.initialise(20260418);
        table.inscritJoueur(0, joueurDe(0, false), Joueur::ModeManuel, false);
        for (int siege = 1; siege < 4; ++siege)
            table.inscritJoueur(siege, joueurDe(siege, true), Joueur::ModeOrdinateur, false);
    }

    void demarre()
    {
        QMutexLocker verrou(salle.liste.getMutex());
        salle.liste.setEtatAttendu(EtatDeJeu::InscriptionJoueur0);
        table.continueLeJeu(0, nullptr, false, false);
        salle.liste.flush_unlocked();
    }

    int etat() const { return salle.liste.getEtatAttendu(); }
    JoueurHumain* humain() const { return table.getJoueur(0); }

    // Answers what the user at seat 0 is asked in the state the table rests
    // in; at most once per state.
    void repond()
    {
        const int e = etat();
        if (e < dernierRepondu)
            dernierRepondu = -1;
        if (e == dernierRepondu)
            return;
        JoueurHumain* h = humain();
        const int debut = table.getSettingsPartie().joueurQuiCommenceLaProchainePartie;
        const QSharedPointer<Partie> partie = table.getPartie();
        if (e == 7 && h->getDemandeDistribue().etat_ == 7) {
            h->actionDistribue();
        } else if ((e == 41 || e == 45 || e == 57 || e == 69 || e == 81 || e == 93 || e == 101 || e == 109
                    || e == 117 || e == 125)
                   && h->getDemandeRamasser().etat_ == e) {
            h->actionRamasser();
        } else if (((e == 27 && debut == 0) || (e == 28 && (debut + 2) % 4 == 0)) && h->getDemandeAtout().etat_ == e) {
            std::array<int, 5> parCouleur{};
            for (const Carte* carte : h->main_)
                ++parCouleur[size_t(carte->getCouleur())];
            int meilleure = 1;
            for (int couleur = 2; couleur <= 4; ++couleur)
                if (parCouleur[size_t(couleur)] > parCouleur[size_t(meilleure)])
                    meilleure = couleur;
            StatusAtout atout(false, true, meilleure, 1);
            h->choisitAtout(atout);
        } else if (JoueurHumain::estEtatDeJeuDeCarte(e) && !partie.isNull() && partie->noDuProchainAJouer_ == 0
                   && h->demande_.etat_ == e) {
            QList<Carte*> jouables;
            for (Carte* carte : h->main_)
                if (Partie::estCodeJouable(h->peutJouerCarte(*carte)))
                    jouables << carte;
            if (jouables.isEmpty())
                return;
            Carte* carte = choix(jouables, e);
            cartesDuJoueur.insert(e, carte->toString());
            h->reponse_Carte(h->demande_.noDemande_, *carte, e, EvenementDeJeu::Local_Human, 0);
        } else {
            return;
        }
        dernierRepondu = e;
    }

    // Plays on until the table rests, held, at the state jusqua of the deal
    // donne (0 the first).
    bool joueJusqua(int jusqua, int donne = 0)
    {
        salle.arret = jusqua;
        salle.arretDonne = donne;
        QElapsedTimer chrono;
        chrono.start();
        while (chrono.elapsed() < 60000) {
            QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
            if (!salle.erreur.isEmpty())
                return false;
            if (salle.donnesTerminees == 0 && !mainsEnAttente.contains(etat()))
                mainsEnAttente.insert(etat(), mainsDe(table));
            if (etat() == jusqua && salle.donnesTerminees == donne)
                return true;
            repond();
            QTest::qWait(1);
        }
        return false;
    }

    // Rewinds (or replays forward) and keeps the table held where it lands.
    bool annule(bool refaire, int cible = -1)
    {
        const bool fait = table.annuler(cible, refaire);
        salle.arret = etat();
        salle.arretDonne = salle.donnesTerminees;
        dernierRepondu = -1;
        return fait;
    }
};

// The slate as the table draws it, with the state it was drawn in.
class ArdoiseTemoin : public ZB_DisplayEmpty
{
public:
    struct Appel {
        ZB_PointsDonne points;
        int total0 = 0;
        int total1 = 0;
        int multiplicateur = 0;
        QList<int> sieges;
        int barree = -1;
        int etat = -1;
    };
    QList<Appel> appels;
    ListeDesEvenements* liste = nullptr;
    void afficheArdoise(const ZB_PointsA& points, int t0, int t1, int multiplicateur, const QList<int>& sieges,
                        int barree) override
    {
        Appel appel;
        appel.points = points;
        appel.total0 = t0;
        appel.total1 = t1;
        appel.multiplicateur = multiplicateur;
        appel.sieges = sieges;
        appel.barree = barree;
        appel.etat = liste != nullptr ? liste->getEtatAttendu() : -1;
        appels << appel;
    }
};

// A Jass deal with trump chosen by the seat that begins, whose hand is
// given the trump Queen and King; the cards are played by the test, in
// turn, straight into the table.
struct TablePaire {
    SalleQuiJoue salle;
    ArdoiseTemoin ardoise;
    ZB_RoomTable table{nullptr, true, false};
    static constexpr int Atout = 4;
    int siege = -1;
    Carte* dame = nullptr;
    Carte* roi = nullptr;

    TablePaire(int multiplicateur, int objectif)
    {
        salle.table = &table;
        salle.retient = true;
        ardoise.liste = &salle.liste;
        table.initialise(nullptr, nullptr, 0, &ardoise, &salle.liste, false, QString(), QString(), false);
        table.nouvellePartie(ZB_RoomTable::ReseauLocal, optionsJass(objectif));
        table.settingsPartie().random_.initialise(4242);
        for (int s = 0; s < 4; ++s)
            table.inscritJoueur(s, joueurDe(s, true), Joueur::ModeOrdinateur, false);
        salle.liste.setEtatAttendu(EtatDeJeu::AttendDistribue4);
        table.reponse_ActionDistribue(9, true);
        siege = table.getSettingsPartie().joueurQuiCommenceLaProchainePartie;
        salle.liste.setEtatAttendu(EtatDeJeu::AttendAtout);
        table.atoutChoisi(siege, StatusAtout(false, true, Atout, multiplicateur));

        // The seat that begins gets both cards of the pair, giving plain
        // cards back for them.
        EnsembleDeCartes& main = table.getJoueur(siege)->main_;
        for (int index : {9 * Atout - 3, 9 * Atout - 2}) {
            for (int autre = 0; autre < 4; ++autre) {
                EnsembleDeCartes& sienne = table.getJoueur(autre)->main_;
                Carte* carte = sienne.getCarte(index);
                if (autre == siege || carte == nullptr)
                    continue;
                Carte* rendue = nullptr;
                for (Carte* c : main)
                    if (c->getCouleur() != Atout)
                        rendue = c;
                main.retireCarte(rendue);
                sienne.ajouteCarte(rendue);
                sienne.retireCarte(carte);
                main.ajouteCarte(carte);
            }
        }
        dame = main.getCarte(9 * Atout - 3);
        roi = main.getCarte(9 * Atout - 2);
    }

    int etat() const { return salle.liste.getEtatAttendu(); }

    // Four cards from the seat to play on; the seat with the pair plays the
    // Queen in the first trick and, when roi is set, the King in this one.
    void joueUnPli(int premierEtat, bool avecRoi)
    {
        for (int i = 0; i < 4; ++i) {
            const QSharedPointer<Partie> partie = table.getPartie();
            const int joueur = partie->noDuProchainAJouer_;
            salle.liste.setEtatAttendu(premierEtat + i);
            Carte* carte = nullptr;
            if (joueur == siege) {
                carte = avecRoi ? roi : dame;
            } else {
                const EnsembleDeCartes& main = table.getJoueur(joueur)->main_;
                for (Carte* c : main)
                    if (carte == nullptr && Partie::estCodeJouable(partie->estCarteValide(c, joueur, main)))
                        carte = c;
            }
            table.joueCarte(joueur, carte);
            if (etat() == 129)
                return; // the pair ended the match
        }
    }

    void ramasse(int etatFinDePli)
    {
        salle.liste.setEtatAttendu(etatFinDePli);
        table.ramasse(EvenementDeJeu());
    }
};

} // namespace

class TestTableUndo : public QObject
{
    Q_OBJECT

private slots:
    // Without a recorded move (the no-undo flag, or a network room where
    // the user's moves are never recorded) an undo goes back to the first
    // card of the trick before; the hands are those the table held there,
    // and a redo brings back the state left, with its hands.
    void annulerSansCoupEnregistre_data()
    {
        QTest::addColumn<int>("modeReseau");
        QTest::addColumn<int>("arret");
        QTest::addColumn<int>("attendu");
        QTest::addColumn<int>("ensuite");
        QTest::addColumn<int>("ensuiteDonne");
        QTest::newRow("state 100 rewinds to 89") << int(ZB_RoomTable::ReseauLocal) << 100 << 89 << 105 << 0;
        QTest::newRow("second trick rewinds to the first") << int(ZB_RoomTable::ReseauLocal) << 53 << 37 << 65 << 0;
        QTest::newRow("first trick rewinds to the trump choice")
            << int(ZB_RoomTable::ReseauLocal) << 40 << 27 << 53 << 0;
        QTest::newRow("last trick rewinds to the eighth") << int(ZB_RoomTable::ReseauLocal) << 122 << 113 << 7 << 1;
        QTest::newRow("network room, state 100") << int(ZB_RoomTable::ReseauServeur) << 100 << 89 << 113 << 0;
    }

    void annulerSansCoupEnregistre()
    {
        QFETCH(int, modeReseau);
        QFETCH(int, arret);
        QFETCH(int, attendu);
        QFETCH(int, ensuite);
        QFETCH(int, ensuiteDonne);
        CompteAvertissements avertissements;
        Banc banc(modeReseau, modeReseau == ZB_RoomTable::ReseauLocal);
        banc.demarre();
        QVERIFY(banc.joueJusqua(attendu));
        const Mains mainsCible = mainsDe(banc.table);
        const int pointsCible = banc.table.totalDonne(0) - banc.table.totalDonne(1);
        const QString statistiquesCible = banc.table.getStatsPartie().sauveValeursDansString();
        QVERIFY(banc.joueJusqua(arret));
        const Mains mainsArret = mainsDe(banc.table);
        const QString statistiques = banc.table.getStatsPartie().sauveValeursDansString();
        QCOMPARE(banc.table.getStatsPartie().typePartie_, 1);
        const int pointsArret = banc.table.totalDonne(0) - banc.table.totalDonne(1);
        // Only a trump choice may be on record, never a card.
        for (int etat : banc.table.getHistoriqueAnnuler().keys())
            QVERIFY2(etat < 37, qPrintable(QString::number(etat)));
        if (modeReseau != ZB_RoomTable::ReseauLocal)
            QVERIFY(banc.table.getHistoriqueAnnuler().isEmpty());

        QVERIFY(banc.annule(false));
        QCOMPARE(banc.etat(), attendu);
        QCOMPARE(mainsDe(banc.table), mainsCible);
        QCOMPARE(banc.table.totalDonne(0) - banc.table.totalDonne(1), pointsCible);
        QCOMPARE(banc.table.getHistoriqueRefaire().keys(), QList<int>{arret});
        // The match's statistics outlive the reset of the rewind, as they
        // stood at its target: the moves undone leave them.
        QCOMPARE(banc.table.getStatsPartie().sauveValeursDansString(), statistiquesCible);

        QVERIFY(banc.annule(true));
        QCOMPARE(banc.etat(), arret);
        QCOMPARE(mainsDe(banc.table), mainsArret);
        QCOMPARE(banc.table.totalDonne(0) - banc.table.totalDonne(1), pointsArret);
        QCOMPARE(banc.table.getStatsPartie().sauveValeursDansString(), statistiques);
        QVERIFY(banc.table.getHistoriqueRefaire().isEmpty());
        // Nothing more to redo.
        QVERIFY(!banc.annule(true));
        QCOMPARE(banc.etat(), arret);

        // The rebuilt table plays on.
        QVERIFY(banc.joueJusqua(ensuite, ensuiteDonne));
        QCOMPARE(CompteAvertissements::premier, QString());
        QCOMPARE(CompteAvertissements::compte.load(), 0);
    }

    // The screen hears of every state the table rests in after the trump
    // is chosen: the announcements (a pause of seconds) are shown, so that
    // "choose the trump" does not stay on the status line meanwhile.
    void chaqueAttenteSeMontre()
    {
        Banc banc(ZB_RoomTable::ReseauLocal, false);
        banc.demarre();
        QVERIFY(banc.joueJusqua(EtatDeJeu::Tour1_AttendCarte1 + 1));
        const QList<int>& e = banc.displayVide.etats;
        const qsizetype atout = e.lastIndexOf(EtatDeJeu::AttendAtout) >= 0 ? e.lastIndexOf(EtatDeJeu::AttendAtout)
                                                                          : e.lastIndexOf(EtatDeJeu::AttendAtoutChibre);
        QVERIFY(atout >= 0);
        const qsizetype carte = e.indexOf(EtatDeJeu::Tour1_AttendCarte1);
        QVERIFY(carte > atout);
        for (int annonce = EtatDeJeu::AttendAnnonce1; annonce <= EtatDeJeu::AttendAnnonce4; ++annonce)
            QVERIFY2(e.indexOf(annonce, atout) > atout && e.indexOf(annonce, atout) < carte, qPrintable(QString::number(annonce)));
    }

    // With the user's moves recorded, an undo goes back to the user's last
    // card, then to the one before; redo retraces them one at a time; a new
    // card in place of an undone one ends what can be redone.
    void annulerLesCoupsDuJoueur()
    {
        CompteAvertissements avertissements;
        Banc banc(ZB_RoomTable::ReseauLocal, false);
        banc.demarre();
        QVERIFY(banc.joueJusqua(77));
        // Each trick is gathered to the seat that won it, which opens the
        // next, before the next trick's first card lands.
        const VueTemoin& vue = banc.displayVide;
        QCOMPARE(vue.plusSurLeTapis, 4);
        QCOMPARE(vue.gagnants.size(), 3);
        QCOMPARE(vue.gagnants, vue.ouvreurs.mid(1) << banc.table.getPartie()->joueurQuiDebuteTour_);
        QCOMPARE(vue.surLeTapis, 0);
        const QMap<int, int> historique = banc.table.getHistoriqueAnnuler();
        QList<int> cartes;
        for (int etat : historique.keys())
            if (etat >= 37)
                cartes << etat;
        // One card of the user in each of the three tricks played.
        QCOMPARE(cartes.size(), 3);
        QVERIFY(cartes[2] >= 65 && cartes[2] <= 68);
        QVERIFY(cartes[1] >= 53 && cartes[1] <= 56);
        QCOMPARE(historique.lastKey(), cartes[2]);
        const Mains mainsArret = mainsDe(banc.table);

        QVERIFY(banc.annule(false));
        QCOMPARE(banc.etat(), cartes[2]);
        QCOMPARE(banc.table.getPartie()->noDuProchainAJouer_, 0);
        // The user is asked as a player, not as a spectator.
        QVERIFY(!banc.displayVide.vueActive);
        QVERIFY(!banc.displayVide.dernierEtatEnVue);
        QCOMPARE(mainsDe(banc.table), banc.mainsEnAttente.value(cartes[2]));
        QMap<int, int> sansDernier = historique;
        sansDernier.remove(cartes[2]);
        QCOMPARE(banc.table.getHistoriqueAnnuler(), sansDernier);
        QCOMPARE(banc.table.getHistoriqueRefaire().keys(), QList<int>{77});

        QVERIFY(banc.annule(false));
        QCOMPARE(banc.etat(), cartes[1]);
        QCOMPARE(mainsDe(banc.table), banc.mainsEnAttente.value(cartes[1]));
        QCOMPARE(banc.table.getHistoriqueRefaire().keys(), (QList<int>{cartes[2], 77}));

        QVERIFY(banc.annule(true));
        QCOMPARE(banc.etat(), cartes[2]);
        QCOMPARE(mainsDe(banc.table), banc.mainsEnAttente.value(cartes[2]));
        QCOMPARE(banc.table.getHistoriqueAnnuler(), sansDernier);
        QCOMPARE(banc.table.getHistoriqueRefaire().keys(), QList<int>{77});

        QVERIFY(banc.annule(true));
        QCOMPARE(banc.etat(), 77);
        QCOMPARE(mainsDe(banc.table), mainsArret);
        QCOMPARE(banc.table.getHistoriqueAnnuler(), historique);
        QVERIFY(banc.table.getHistoriqueRefaire().isEmpty());

        // Back to the last card, and another card this time when there is a
        // choice: the undone moves can no longer be redone.
        QVERIFY(banc.annule(false));
        const QString avant = banc.cartesDuJoueur.value(cartes[2]);
        banc.choix = [avant](const QList<Carte*>& jouables, int) {
            for (Carte* carte : jouables)
                if (carte->toString() != avant)
                    return carte;
            return jouables.first();
        };
        QVERIFY(banc.joueJusqua(89));
        QVERIFY(banc.table.getHistoriqueRefaire().isEmpty());
        QVERIFY(banc.table.getHistoriqueAnnuler().contains(cartes[2]));
        QVERIFY(!banc.annule(true));
        QCOMPARE(banc.etat(), 89);
        QCOMPARE(CompteAvertissements::premier, QString());
        QCOMPARE(CompteAvertissements::compte.load(), 0);
    }

    // A given target behind the current state is taken as it is; one that
    // is not falls back to the trick before.
    void annulerVersUnEtatDonne()
    {
        Banc banc(ZB_RoomTable::ReseauLocal, true);
        banc.demarre();
        QVERIFY(banc.joueJusqua(53));
        const Mains mains53 = mainsDe(banc.table);
        QVERIFY(banc.joueJusqua(65));
        const Mains mains65 = mainsDe(banc.table);
        QVERIFY(banc.joueJusqua(100));
        QVERIFY(banc.annule(false, 65));
        QCOMPARE(banc.etat(), 65);
        QCOMPARE(mainsDe(banc.table), mains65);
        QVERIFY(banc.annule(false, 70));
        QCOMPARE(banc.etat(), 53);
        QCOMPARE(mainsDe(banc.table), mains53);
        QCOMPARE(banc.table.getHistoriqueRefaire().keys(), (QList<int>{65, 100}));
        // Redo goes to a given state left by an undo, not beyond.
        QVERIFY(!banc.annule(true, 101));
        QVERIFY(banc.annule(true, 100));
        QCOMPARE(banc.etat(), 100);
        QVERIFY(banc.table.getHistoriqueRefaire().isEmpty());
    }

    // Nothing of a deal can be undone before its cards are played, and a
    // new deal starts with both histories empty: its undo does not reach
    // into the deal before.
    void rienAAnnulerAvantLesCartes()
    {
        Banc banc(ZB_RoomTable::ReseauLocal, false);
        banc.demarre();
        QVERIFY(banc.joueJusqua(27));
        QVERIFY(banc.table.getHistoriqueAnnuler().isEmpty());
        QVERIFY(!banc.annule(false));
        QCOMPARE(banc.etat(), 27);

        QVERIFY(banc.joueJusqua(77));
        QVERIFY(!banc.table.getHistoriqueAnnuler().isEmpty());
        QVERIFY(banc.annule(false));
        QVERIFY(!banc.table.getHistoriqueRefaire().isEmpty());
        QVERIFY(banc.joueJusqua(7, 1));
        QVERIFY(banc.table.getHistoriqueAnnuler().isEmpty());
        QVERIFY(banc.table.getHistoriqueRefaire().isEmpty());
        QVERIFY(!banc.annule(false));
        QVERIFY(!banc.annule(true));
        QCOMPARE(banc.etat(), 7);
        QCOMPARE(banc.salle.donnesTerminees, 1);
    }

    // A client's table only mirrors the server's: it never rewinds alone.
    void unMiroirNAnnulePas()
    {
        Banc banc(ZB_RoomTable::ReseauClient, false);
        banc.salle.liste.setEtatAttendu(EtatDeJeu::Tour6_AttendCarte1 + 3);
        QVERIFY(!banc.table.annuler(-1, false));
        QVERIFY(!banc.table.annuler(89, false));
        QCOMPARE(banc.etat(), 100);
    }

    // The king-and-queen bonus reaches the slate once, with its seat in the
    // update after the pair is complete; later updates show the same points
    // without the seat, and a new deal shows the match scores only.
    void ardoisePaireUneFois_data()
    {
        QTest::addColumn<int>("multiplicateur");
        QTest::newRow("simple") << 1;
        QTest::newRow("triple") << 3;
    }

    void ardoisePaireUneFois()
    {
        QFETCH(int, multiplicateur);
        TablePaire t(multiplicateur, 5000);
        const int equipe = t.siege % 2;
        t.joueUnPli(37, false);
        t.ramasse(44);
        QVERIFY(t.ardoise.appels.last().sieges.isEmpty());
        QCOMPARE(t.ardoise.appels.last().points.autresPoints_[equipe], 0);

        t.joueUnPli(53, true);
        QCOMPARE(t.table.getEtatsBelote()[size_t(t.siege)], 2);
        t.ramasse(60);
        ArdoiseTemoin::Appel appel = t.ardoise.appels.last();
        QCOMPARE(appel.sieges, QList<int>{t.siege});
        QCOMPARE(appel.points.autresPoints_[equipe], 20 * multiplicateur);
        QCOMPARE(appel.points.autresPoints_[1 - equipe], 0);
        QCOMPARE(appel.multiplicateur, multiplicateur);
        QCOMPARE(appel.total0, 0);
        QCOMPARE(appel.total1, 0);
        QCOMPARE(appel.barree, -1);

        t.ramasse(72);
        appel = t.ardoise.appels.last();
        QVERIFY(appel.sieges.isEmpty());
        QCOMPARE(appel.points.autresPoints_[equipe], 20 * multiplicateur);
        // The deal's total holds the bonus once.
        ZB_PointsDonne sansBonus = appel.points;
        sansBonus.autresPoints_[equipe] = 0;
        QCOMPARE(t.table.totalDonne(equipe), sansBonus.getScore(equipe) + 20 * multiplicateur);

        // End of the deal: the totals join the match; the next deal starts
        // without a game, and the slate shows the two match scores only.
        const int total0 = t.table.totalDonne(0);
        const int total1 = t.table.totalDonne(1);
        // A display may still hold the ended deal: it must not keep the
        // points the table frees.
        const QSharedPointer<Partie> gardee = t.table.getPartie();
        QVERIFY(gardee && gardee->getPoints());
        t.table.termineDonne(false);
        QCOMPARE(gardee->getPoints(), nullptr);
        t.salle.liste.setEtatAttendu(EtatDeJeu::AttendDistribue4);
        const qsizetype avant = t.ardoise.appels.size();
        t.table.reponse_ActionDistribue(9, true);
        QVERIFY(t.ardoise.appels.size() > avant);
        appel = t.ardoise.appels.last();
        QCOMPARE(appel.total0, total0);
        QCOMPARE(appel.total1, total1);
        QVERIFY(appel.points == ZB_PointsDonne());
        QCOMPARE(appel.multiplicateur, 1);
        QVERIFY(appel.sieges.isEmpty());
    }

    // A pair whose bonus reaches the target ends the match at once: the
    // slate shows the bonus and the seat in that update, and after the
    // decision neither the seat again nor a second bonus.
    void ardoisePaireQuiDecideLeMatch()
    {
        const int multiplicateur = 2;
        TablePaire t(multiplicateur, 1000);
        const int equipe = t.siege % 2;
        t.joueUnPli(37, false);
        t.ramasse(44);
        t.table.settingsPartie().scores_[size_t(equipe)] = 1000 - 10;

        t.joueUnPli(53, true);
        QCOMPARE(t.etat(), 129);
        ArdoiseTemoin::Appel appel = t.ardoise.appels.last();
        QVERIFY(appel.etat < 129);
        QCOMPARE(appel.sieges, QList<int>{t.siege});
        QCOMPARE(appel.points.autresPoints_[equipe], 20 * multiplicateur);

        t.ramasse(133);
        appel = t.ardoise.appels.last();
        QVERIFY(appel.sieges.isEmpty());
        QCOMPARE(appel.points.autresPoints_[equipe], 20 * multiplicateur);
        QCOMPARE(appel.total0 + appel.total1, 1000 - 10);
        QCOMPARE(t.etat(), 134);
        ZB_PointsDonne sansBonus = appel.points;
        sansBonus.autresPoints_[equipe] = 0;
        QCOMPARE(t.table.totalDonne(equipe), sansBonus.getScore(equipe) + 20 * multiplicateur);
    }
};

ZB_REGISTER_TEST(TestTableUndo)
#include "TestTableUndo.moc"
