#pragma once

// Positions, a recording table and a recording advice receiver for the
// computer-player tests.

#include "AI_Joueur.h"
#include "Carte.h"
#include "EnsembleDeCartes.h"
#include "EvenementDeJeu.h"
#include "GM_KnuthRandom.h"
#include "Partie.h"
#include "StatusAtout.h"
#include "TypeDePartie.h"
#include "ZB_AIError.h"
#include "ZB_DeckBelote.h"
#include "ZB_DeckJass.h"
#include "ZB_MiseA.h"
#include "ZB_PointsBelote.h"
#include "ZB_PointsJass.h"
#include "ZB_StatusMise.h"

#include <QCoreApplication>
#include <QMutex>
#include <QMutexLocker>
#include <QSharedPointer>

#include <memory>
#include <vector>

namespace aitest {

// Collects what players post: game events and computer-player errors.
class TableEnregistreuse : public QObject
{
public:
    std::vector<EvenementDeJeu> evenements;
    std::vector<QString> erreurs;

    void vide()
    {
        QCoreApplication::sendPostedEvents(this);
        evenements.clear();
        erreurs.clear();
    }
    void recoit() { QCoreApplication::sendPostedEvents(this); }
    int compte(int type) const
    {
        int n = 0;
        for (const EvenementDeJeu& e : evenements)
            n += e.type_ == type ? 1 : 0;
        return n;
    }

protected:
    void customEvent(QEvent* event) override
    {
        if (event->type() == QEvent::Type(ZB_Event::EvenementDeJeu))
            evenements.push_back(*static_cast<EvenementDeJeu*>(event));
        else if (event->type() == QEvent::Type(ZB_Event::AIError))
            erreurs.push_back(static_cast<ZB_AIError*>(event)->getTexte());
    }
};

// Receives advised cards on the search thread.
class ConseilEnregistre : public Joueur::Cb_CarteConseil
{
public:
    void carteConseillee(Carte* carte, bool erreur) override
    {
        QMutexLocker locker(&mutex);
        ++appels;
        derniere = carte;
        derniereErreur = erreur;
    }
    int getAppels()
    {
        QMutexLocker locker(&mutex);
        return appels;
    }

    QMutex mutex;
    int appels = 0;
    Carte* derniere = nullptr;
    bool derniereErreur = false;
};

// A deal from a seed, with some cards played at random (legally) from the
// first leader: the seat to play next is the one the tests ask.
struct Position
{
    Position(bool belote, quint32 graine, int cartesJouees, int modeAtout = 0, int joueurAtout = -1)
        : deck(belote ? static_cast<ZB_DeckA*>(new ZB_DeckBelote) : new ZB_DeckJass)
        , points(belote ? static_cast<ZB_PointsA*>(new ZB_PointsBelote) : new ZB_PointsJass)
    {
        GM_KnuthRandom rng(true);
        rng.initialise(graine);
        EnsembleDeCartes paquet = deck->getCartes();
        EnsembleDeCartes toutes;
        const int parMain = belote ? 8 : 9;
        for (EnsembleDeCartes& main : mains) {
            main = ZB_MiseA::tireCartes(rng, paquet, parMain);
            for (Carte* c : main)
                toutes.ajouteCarte(c);
        }
        if (modeAtout == 0) {
            static const int jass[] = {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11};
            static const int bel[] = {1, 2, 3, 4, 9, 10};
            modeAtout = belote ? bel[rng.tire(6)] : jass[rng.tire(11)];
        }
        const int leader = rng.tire(4);
        if (joueurAtout < 0)
            joueurAtout = rng.tire(4);
        const TypeDePartie& type = TypeDePartie::getTypeDePartie(belote ? 6 : 0);
        partie = QSharedPointer<Partie>::create(StatusAtout(false, true, modeAtout, 1), toutes, leader, joueurAtout, 1,
                                                type, ZB_StatusMise(), points.get());
        ZB_PointsDonne part;
        for (int k = 0; k < cartesJouees && !partie->donneTerminee_; ++k) {
            const int j = partie->noDuProchainAJouer_;
            const quint64 jouables = partie->getMasqueCartesJouables(j, mains[j].getMasque());
            int n = rng.tire(__builtin_popcountll(jouables));
            quint64 m = jouables;
            while (n-- > 0)
                m &= m - 1;
            Carte* c = mains[j].getCarte(__builtin_ctzll(m));
            mains[j].retireCarte(c);
            partie->joueCarte(part, c, j);
        }
    }
    // Members in this order: the deal refers to the deck and the points.
    std::unique_ptr<ZB_DeckA> deck;
    std::unique_ptr<ZB_PointsA> points;
    EnsembleDeCartes mains[4];
    QSharedPointer<Partie> partie;

    int nombreDeCoupsLegaux() const
    {
        return __builtin_popcountll(partie->getMasqueCartesJouables(aJouer(), mainAJouer().getMasque()));
    }
    // A seed, from the given one on, whose position gives the seat to play
    // at least this many legal cards: searches that must take a while.
    static quint32 graineAvecChoix(bool belote, quint32 graine, int cartesJouees, int minimum)
    {
        while (Position(belote, graine, cartesJouees).nombreDeCoupsLegaux() < minimum)
            ++graine;
        return graine;
    }

    int aJouer() const { return partie->noDuProchainAJouer_; }
    const EnsembleDeCartes& mainAJouer() const { return mains[aJouer()]; }
    bool estLegale(const Carte* c) const
    {
        const int j = aJouer();
        return c != nullptr && mains[j].contientCarte(c)
            && Partie::estCodeJouable(partie->estCarteValide(c, j, mains[j]));
    }
};

inline OptionsDuJoueur optionsOrdi(double nbrCombinations)
{
    OptionsDuJoueur o;
    o.ordinateur_ = 1;
    o.id_ = 4242;
    o.optionsAI_.nbrCombinations_ = nbrCombinations;
    return o;
}

// A computer player seated where the position asks, holding that seat's hand.
inline void assied(AI_Joueur& ia, const Position& p, QObject* table, double nbrCombinations, int fils = 1,
                   bool modeSimple = false)
{
    ia.initialise(nullptr, optionsOrdi(nbrCombinations), table, p.aJouer(), p.partie->typeDePartie_, modeSimple);
    ia.setNombreDeFils(fils);
    ia.recoitCartes(p.mainAJouer());
}

} // namespace aitest
