#include "AI_Conseil.h"

#include "AI_BetA.h"
#include "AI_BetBelote.h"
#include "AnnoncesJoueur.h"
#include "Carte.h"
#include "EnsembleDeCartes.h"
#include "GM_CompteBits.h"
#include "StatusAtout.h"
#include "ZB_StatusMise.h"

#include <algorithm>

void AI_Conseil::conseilAtout(const EnsembleDeCartes& main, const TypeDePartie& typeDePartie, AI_BetA& bet,
                              StatusAtout& conseil, DetailAtout* detail)
{
    DetailAtout d;
    bool unPermis = false;
    for (int mode = 1; mode < TypeDePartie::NOMBRE_MODES; ++mode) {
        d.permis[mode] = typeDePartie.multiplicateurs_[mode] > 0;
        unPermis = unPermis || d.permis[mode];
        if (d.permis[mode] && typeDePartie.multiplicateurs_[mode] > 1)
            d.multiplie = true;
    }
    bet.evalue(main, typeDePartie);

    const quint64 masque = main.getMasque();
    const bool partenaireAPasse = conseil.chibre_;
    const bool avecAnnonces = d.multiplie && typeDePartie.annonces_ != TypeDePartie::AnnoncesDesactivees;
    bool premier = true;
    for (int mode = 1; mode < TypeDePartie::NOMBRE_MODES; ++mode) {
        if (!d.permis[mode])
            continue;
        const int multiplicateur = typeDePartie.multiplicateurs_[mode];
        // Announcements count for the mode's multiplier in the games that
        // multiply: a hand full of them is worth choosing for them.
        int facteur = 1;
        if (avecAnnonces) {
            const int total = AnnoncesJoueur(main, mode).getTotalPoints();
            if (total > 100)
                facteur = int((qint64(total) * multiplicateur) / 100);
        }
        d.facteurs[mode] = facteur;

        double v = 0.0;
        if (mode <= 4) {
            // The trump weights of the suit's cards: 1 each, 4 for the
            // jack, 2 for the nine.
            const quint64 couleur = masque >> (9 * (mode - 1));
            v = GM_CompteBits::portable(couleur & 0x1FF) + 3 * int((couleur >> (Carte::Valet - 6)) & 1)
              + int((couleur >> (Carte::Neuf - 6)) & 1);
            // Where suits are worth different multipliers, a modest suit is
            // kept for the partner's choice rather than played at stake.
            if (d.multiplie && !partenaireAPasse) {
                if (multiplicateur == 1 || v <= 3.0)
                    v /= DIVISEUR;
                else
                    v /= DIVISEUR_FORT;
            }
        } else {
            const AI_BetA::Evaluation e = bet.getEvaluation(mode);
            v = e.nbrMajorTrumps > 0 ? (e.nbrMajorTrumps + e.nbrLeadingCards) * 1.5 : 0.0;
        }
        const double valeur = v * facteur;
        d.valeurs[mode] = valeur;
        if (valeur > d.meilleure) {
            d.meilleure = valeur;
            d.meilleurMode = mode;
        }
        if (premier || valeur < d.plusBasse)
            d.plusBasse = valeur;
        premier = false;
    }

    d.quatreCouleurs = true;
    for (int couleur = 0; couleur < 4; ++couleur)
        d.quatreCouleurs = d.quatreCouleurs && ((masque >> (9 * couleur)) & 0x1FF) != 0;

    bool passe = false;
    d.passeEnvisagee = !partenaireAPasse;
    if (d.passeEnvisagee) {
        double p = d.meilleure >= SEUIL_FORCE ? 1.6 - d.meilleure / SEUIL_FORCE : 1.2;
        p = std::max(p, 0.0);
        p *= (d.quatreCouleurs && d.meilleure - d.plusBasse < 4.0) ? 2.3 : 1.0;
        p *= d.quatreCouleurs ? 1.0 : 0.5;
        p *= d.multiplie ? 1.2 : 1.0;
        d.p = p;
        passe = p > 1.0;
    }

    if (passe || (d.meilleurMode == 0 && !partenaireAPasse)) {
        // Nothing worth choosing: the partner decides.
        conseil.chibre_ = true;
        conseil.choisi_ = false;
        conseil.atout_ = StatusAtout::Aucun;
    } else if (d.meilleurMode != 0) {
        conseil.choisi_ = true;
        conseil.atout_ = d.meilleurMode;
    } else if (unPermis) {
        // The partner passed and no mode is worth anything: the choice may
        // not go back, so take the best allowed mode.
        int choix = 0;
        for (int m = 1; m < TypeDePartie::NOMBRE_MODES; ++m) {
            if (d.permis[m] && (choix == 0 || d.valeurs[m] > d.valeurs[choix]))
                choix = m;
        }
        conseil.choisi_ = true;
        conseil.atout_ = choix;
    } else {
        conseil.choisi_ = false;
        conseil.atout_ = StatusAtout::Aucun;
    }
    if (detail != nullptr)
        *detail = d;
}

EnsembleDeCartes AI_Conseil::mainPourMise(const EnsembleDeCartes& main, const Carte* carteRetournee,
                                          const TypeDePartie& typeDePartie, const ZB_StatusMise& mise)
{
    EnsembleDeCartes evaluee;
    // Without a turned card there is no suit to keep to.
    if (carteRetournee != nullptr && mise.tourMise_ <= 3 && parCarteRetournee(typeDePartie)) {
        for (Carte* c : main) {
            if (c->getCouleur() == carteRetournee->getCouleur())
                evaluee.ajouteCarte(c);
        }
    } else {
        evaluee = main;
    }
    // Cards never change once the deck made them; sets just hold them by
    // non-const pointer.
    if (carteRetournee != nullptr)
        evaluee.ajouteCarte(const_cast<Carte*>(carteRetournee));
    return evaluee;
}

void AI_Conseil::conseilMise(const EnsembleDeCartes& main, const Carte* carteRetournee,
                             const TypeDePartie& typeDePartie, AI_BetA& bet, const ZB_StatusMise& derniereMiseEquipe,
                             int compteurMises, ZB_StatusMise& conseil)
{
    const EnsembleDeCartes evaluee = mainPourMise(main, carteRetournee, typeDePartie, conseil);
    if (carteRetournee != nullptr && conseil.tourMise_ <= 3 && parCarteRetournee(typeDePartie)) {
        // The first round takes the turned suit or nothing: a mode without a
        // trump suit would otherwise be weighed on that suit's cards alone.
        TypeDePartie premierTour = typeDePartie;
        const int couleur = carteRetournee->getCouleur();
        for (int mode = 0; mode < TypeDePartie::NOMBRE_MODES; ++mode) {
            if (mode != couleur)
                premierTour.multiplicateurs_[size_t(mode)] = 0;
        }
        bet.evalue(evaluee, premierTour);
    } else {
        bet.evalue(evaluee, typeDePartie);
    }
    bet.choisitMise(conseil, derniereMiseEquipe, derniereMiseEquipe.miseFaite_,
                    typeDePartie.annonces_ == TypeDePartie::AnnoncesAuto, compteurMises, evaluee);
    if (conseil.miseFaite_ && parCarteRetournee(typeDePartie))
        conseil.typeContrat_ = ZB_StatusMise::PrendCouleurRetournee;
}
