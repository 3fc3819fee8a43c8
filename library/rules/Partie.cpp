#include "Partie.h"

#include "Carte.h"
#include "ZB_PointsA.h"

#include <QObject>

#include <cstring>

Partie::TablePlusForts::TablePlusForts()
{
    for (int belote = 0; belote < 2; ++belote) {
        for (int atout = 0; atout < NOMBRE_ATOUTS; ++atout) {
            for (int i = 0; i < 36; ++i) {
                const Carte carte(i / 9 + 1, i % 9 + 6);
                const int force = carte.getForce(atout, belote);
                quint64 m = 0;
                for (int v = 6; v <= 14; ++v) {
                    const Carte autre(carte.getCouleur(), v);
                    if (autre.getForce(atout, belote) > force)
                        m |= quint64(1) << autre.getIndex();
                }
                masque[belote][atout][i] = m;
            }
        }
    }
}

const Partie::TablePlusForts Partie::kPlusForts;

Partie::Partie()
{
    std::memset(peutAvoir_, 1, sizeof peutAvoir_);
    for (Carte*& c : pli_)
        c = nullptr;
}

Partie::Partie(const StatusAtout& atout, const EnsembleDeCartes& mains, int joueurQuiCommence,
               int joueurQuiAChoisiAtout, int multiplicateur, const TypeDePartie& typeDePartie,
               const ZB_StatusMise& mise, ZB_PointsA* points)
    : partieReelle_(true)
    , cartesEnMain_(mains)
    , joueurQuiDebuteTour_(joueurQuiCommence)
    , joueurQuiACommence_(joueurQuiCommence)
    , joueurQuiAChoisiAtout_(joueurQuiAChoisiAtout)
    , noDuProchainAJouer_(joueurQuiCommence)
    , multiplicateur_(multiplicateur)
    , atoutChoisi_(atout)
    // Zig-zag deals start in their own direction and flip after every trick.
    , atoutEnCours_(StatusAtout::modeDuPremierPli(atout.atout_))
    , typeDePartie_(typeDePartie)
    , ordreBelote_(typeDePartie.genre_ == TypeDePartie::GenreBelote ? 1 : 0)
    , mise_(mise)
    , points_(points)
{
    std::memset(peutAvoir_, 1, sizeof peutAvoir_);
    for (Carte*& c : pli_)
        c = nullptr;
}

// Member by member rather than default construction then copie: the card
// sets would be zeroed only to be overwritten.
Partie::Partie(const Partie& autre)
    : partieReelle_(autre.partieReelle_)
    , carteNo_(autre.carteNo_)
    , cartesJoueesValides_(autre.cartesJoueesValides_)
    , cartesEnMain_(autre.cartesEnMain_)
    , joueurQuiDebuteTour_(autre.joueurQuiDebuteTour_)
    , joueurQuiACommence_(autre.joueurQuiACommence_)
    , joueurQuiAChoisiAtout_(autre.joueurQuiAChoisiAtout_)
    , donneTerminee_(autre.donneTerminee_)
    , noDuProchainAJouer_(autre.noDuProchainAJouer_)
    , multiplicateur_(autre.multiplicateur_)
    , atoutChoisi_(autre.atoutChoisi_)
    , atoutEnCours_(autre.atoutEnCours_)
    , typeDePartie_(autre.typeDePartie_)
    , ordreBelote_(autre.ordreBelote_)
    , mise_(autre.mise_)
    , gagnantPli_(autre.gagnantPli_)
    , points_(autre.points_ != nullptr ? autre.points_->clone() : nullptr)
    , possedePoints_(autre.points_ != nullptr)
{
    std::memcpy(peutAvoir_, autre.peutAvoir_, sizeof peutAvoir_);
    std::memcpy(pli_, autre.pli_, sizeof pli_);
    for (int equipe = 0; equipe < 2; ++equipe) {
        nbRamassees_[equipe] = autre.nbRamassees_[equipe];
        std::memcpy(ramassees_[equipe], autre.ramassees_[equipe], sizeof(int) * size_t(nbRamassees_[equipe]));
    }
}

Partie::~Partie()
{
    if (possedePoints_)
        delete points_;
}

void Partie::copie(const Partie& autre)
{
    if (this == &autre)
        return;
    partieReelle_ = autre.partieReelle_;
    std::memcpy(peutAvoir_, autre.peutAvoir_, sizeof peutAvoir_);
    carteNo_ = autre.carteNo_;
    cartesJoueesValides_ = autre.cartesJoueesValides_;
    cartesEnMain_ = autre.cartesEnMain_;
    joueurQuiDebuteTour_ = autre.joueurQuiDebuteTour_;
    joueurQuiACommence_ = autre.joueurQuiACommence_;
    joueurQuiAChoisiAtout_ = autre.joueurQuiAChoisiAtout_;
    donneTerminee_ = autre.donneTerminee_;
    noDuProchainAJouer_ = autre.noDuProchainAJouer_;
    std::memcpy(pli_, autre.pli_, sizeof pli_);
    multiplicateur_ = autre.multiplicateur_;
    atoutChoisi_ = autre.atoutChoisi_;
    atoutEnCours_ = autre.atoutEnCours_;
    typeDePartie_.copieDe(autre.typeDePartie_);
    ordreBelote_ = autre.ordreBelote_;
    mise_ = autre.mise_;
    gagnantPli_ = autre.gagnantPli_;
    for (int equipe = 0; equipe < 2; ++equipe) {
        nbRamassees_[equipe] = autre.nbRamassees_[equipe];
        std::memcpy(ramassees_[equipe], autre.ramassees_[equipe], sizeof(int) * size_t(nbRamassees_[equipe]));
    }
    if (autre.points_ == nullptr) {
        if (possedePoints_)
            delete points_;
        points_ = nullptr;
        possedePoints_ = false;
    } else if (points_ != nullptr) {
        points_->copie(*autre.points_);
    } else {
        points_ = autre.points_->clone();
        possedePoints_ = true;
    }
}


void Partie::joueCarte(ZB_PointsDonne& result, Carte* carte, int joueur, bool enregistreSeulement)
{
    joueCarte_<true>(&result, carte, joueur, enregistreSeulement);
}

void Partie::termineTour_(Carte* carte, int joueur)
{
    joueCarte_<false>(nullptr, carte, joueur, false);
}

template <bool avecPart>
void Partie::joueCarte_(ZB_PointsDonne* result, Carte* carte, int joueur, bool enregistreSeulement)
{
    if constexpr (avecPart)
        result->efface();
    if (carte == nullptr || joueur != noDuProchainAJouer_ || joueur < 0 || joueur > 3)
        return;

    poseCarte_(carte, joueur);
    if (enregistreSeulement)
        return;

    if (carteNo_ < 3) {
        ++carteNo_;
        noDuProchainAJouer_ = (noDuProchainAJouer_ + 1) % 4;
    } else {
        carteNo_ = 0;
        const int gagnant = gagnantPli_;
        gagnantPli_ = -1;

        const int equipe = gagnant % 2;
        int points = 0;
        for (const Carte* c : pli_)
            points += c->getPoints(atoutEnCours_, atoutChoisi_.atout_);
        points *= multiplicateur_;
        if constexpr (avecPart) {
            result->derniersPlis_[equipe] += 1;
            result->pointsCartes_[equipe] += points;
        }
        if (points_ != nullptr)
            points_->pointsCartes_[equipe] += points;
        int* ramassees = ramassees_[equipe] + nbRamassees_[equipe];
        for (int i = 0; i < 4; ++i)
            ramassees[i] = pli_[i]->getIndex();
        nbRamassees_[equipe] += 4;

        noDuProchainAJouer_ = joueurQuiDebuteTour_ = gagnant;
        for (Carte*& c : pli_)
            c = nullptr;

        if (cartesJoueesValides_.getNombreDeCartes() % 4 == 0 && cartesEnMain_.estVide() && points_ != nullptr) {
            const int total = getNombreCartesDuJeu();
            const int equipeMatch = nbRamassees_[0] == total ? 0 : nbRamassees_[1] == total ? 1 : -1;
            const int equipeQuiAChoisi = joueurQuiAChoisiAtout_ >= 0 ? joueurQuiAChoisiAtout_ % 2 : -1;
            if constexpr (avecPart)
                points_->calculeFinDeDonne(*result, equipe, equipeMatch, multiplicateur_, mise_.typeContrat_,
                                           typeDePartie_.arrondi_, equipeQuiAChoisi, typeDePartie_.decompte_,
                                           mise_.pointsMise_);
            else
                points_->calculeFinDeDonne(equipe, equipeMatch, multiplicateur_, mise_.typeContrat_,
                                           typeDePartie_.arrondi_, equipeQuiAChoisi, typeDePartie_.decompte_,
                                           mise_.pointsMise_);
        }

        if (atoutChoisi_.atout_ == StatusAtout::ZigZagDepartEnBas
            || atoutChoisi_.atout_ == StatusAtout::ZigZagDepartEnHaut)
            atoutEnCours_ = atoutEnCours_ == StatusAtout::HautEnBas ? int(StatusAtout::BasEnHaut)
                                                                    : int(StatusAtout::HautEnBas);
    }
    donneTerminee_ = cartesEnMain_.estVide();
}

int Partie::carteGagnante() const
{
    if (getCouleurDemandee() == 0 || gagnantPli_ < 0)
        return -1;
    return pli_[gagnantPli_]->getIndex();
}


bool Partie::partenaireEstMaitre(int joueur) const
{
    if (getCouleurDemandee() == 0 || joueur < 0 || joueur > 3)
        return false;
    return gagnantPli_ == (joueur + 2) % 4;
}

int Partie::estCarteValide(const Carte* carte, int joueur, const EnsembleDeCartes& main) const
{
    if (carteNo_ == 0)
        return 5;
    const int demandee = getCouleurDemandee();
    if (carte == nullptr || demandee == 0)
        return 0;
    const int atout = getCouleurAtout();
    const bool estAtout = atout != 0 && carte->getCouleur() == atout;

    // The other cards of the hand are always scanned in card-index order.
    const auto autres = [&](auto&& predicat) {
        for (const Carte* c : main)
            if (c != carte && predicat(c))
                return true;
        return false;
    };
    const auto estDeCouleur = [](int couleur) { return [couleur](const Carte* c) { return c->getCouleur() == couleur; }; };

    if (typeDePartie_.genre_ == TypeDePartie::GenreJass) {
        if (estAtout && demandee != atout) {
            // The strongest trump on the table is the trick's running winner.
            if (atoutLePlusFort() < 0)
                return 2;
            if (bat(carte, pli_[gagnantPli_]))
                return 7;
            return autres([&](const Carte* c) { return c->getCouleur() != atout; }) ? 10 : 6;
        }
        if (carte->getCouleur() == demandee)
            return 1;
        const bool saufBour = autres([&](const Carte* c) {
            return c->getCouleur() == demandee && !(demandee == atout && c->getValeur() == Carte::Valet);
        });
        if (saufBour)
            return 9;
        return autres(estDeCouleur(demandee)) ? 8 : 3;
    }

    if (!estAtout) {
        if (carte->getCouleur() == demandee)
            return 1;
        if (autres(estDeCouleur(demandee)))
            return 9;
        const bool maitre = partenaireEstMaitre(joueur);
        if (atout != 0 && autres(estDeCouleur(atout)) && !maitre)
            return 11;
        if (!maitre)
            return 3;
        return demandee == atout ? 3 : 4;
    }
    if (demandee == atout) {
        const Carte* gagnante = pli_[gagnantPli_];
        if (bat(carte, gagnante))
            return 1;
        return autres([&](const Carte* c) { return bat(c, gagnante); }) ? 12 : 13;
    }
    if (autres(estDeCouleur(demandee)))
        return 9;
    if (atoutLePlusFort() < 0)
        return 2;
    const Carte* plusFort = pli_[gagnantPli_];
    if (bat(carte, plusFort))
        return 7;
    for (const Carte* c : main) {
        if (c == carte)
            continue;
        if (c->getCouleur() != atout)
            return 6;
        if (bat(c, plusFort))
            return 10;
    }
    return 6;
}

quint64 Partie::getMasqueCartesJouables(int joueur, quint64 main) const
{
    if (carteNo_ == 0)
        return main;
    const int demandee = getCouleurDemandee();
    if (demandee == 0 || gagnantPli_ < 0)
        return 0;
    return masqueJouables(typeDePartie_.genre_, ordreBelote_, atoutEnCours_, demandee, pli_[gagnantPli_]->getIndex(),
                          joueur >= 0 && joueur <= 3 && gagnantPli_ == (joueur + 2) % 4, main);
}

QString Partie::toString() const
{
    QString texte = QStringLiteral("Partie");
    texte += QStringLiteral(" carteNo_: ") + QString::number(carteNo_);
    texte += QStringLiteral(", joueurQuiDebuteTour_: ") + QString::number(joueurQuiDebuteTour_);
    texte += QStringLiteral(", joueurQuiACommence_: ") + QString::number(joueurQuiACommence_);
    texte += QStringLiteral(", joueurQuiAChoisiAtout_: ") + QString::number(joueurQuiAChoisiAtout_);
    texte += QStringLiteral(", noDuProchainAJouer_: ") + QString::number(noDuProchainAJouer_);
    texte += QStringLiteral(", atout: ") + QString::number(atoutEnCours_);
    texte += QStringLiteral(", cartes ramassées ") + QString::number(cartesJoueesValides_.getNombreDeCartes());
    texte += QStringLiteral(", carte jouees valides: ");
    for (int joueur = 0; joueur < 4; ++joueur) {
        if (pli_[joueur] != nullptr)
            texte += QString::number(joueur) + QLatin1Char(' ');
    }
    texte += QStringLiteral(", tour: ") + QString::number(getNombrePlisRamasses());
    return texte;
}

QString texteValiditeCarte(int code)
{
    switch (code) {
    case 1: return QObject::tr("Cette carte peut être jouée car elle est de la couleur demandée.");
    case 2: return QObject::tr("Cette carte peut être jouée car c'est un atout qui 'coupe' le pli.");
    case 3: return QObject::tr("Cette carte peut être jouée car vous ne pouvez pas 'servir' la couleur demandée.");
    case 4:
        return QObject::tr("Cette carte peut être jouée car vous ne pouvez pas 'servir' la couleur demandée et votre "
                           "partenaire est maitre.");
    case 5: return QObject::tr("Comme vous 'ouvrez' le pli, vous avez le droit de jouer n'importe quelle carte.");
    case 6:
        return QObject::tr("Cet atout 'sous-coupe' un autre atout. Vous pouvez le faire car il ne vous reste que des "
                           "atouts, ou alors vous ne pouvez pas faire autrement.");
    case 7:
        return QObject::tr("Cette carte peut être jouée car c'est un atout plus fort, c'est à dire qu'il 'sur-coupe' "
                           "tous les autres atouts sur le tas.");
    case 8:
        return QObject::tr("Cette carte peut être jouée car vous n'êtes pas obligé de 'servir' la couleur demandée. En "
                           "effet le 'bour' (valet d'atout) peut être conservé.");
    case 9:
        return QObject::tr("Vous ne pouvez pas jouer cette carte, car elle n'est pas de la couleur demandée. La couleur "
                           "est déterminée par la première carte posée sur la table.");
    case 10:
        return QObject::tr("Vous ne pouvez pas jouer cette carte car vous essayez de 'sous-couper', c'est à dire poser "
                           "un atout moins fort, alors qu'il y a d'autre cartes jouables.");
    case 11: return QObject::tr("Vous ne pouvez pas jouer cette carte, car vous avez encore un atout en main.");
    case 12: return QObject::tr("Vous ne pouvez pas jouer cette carte, car vous avez un atout qui peut 'prendre' en main.");
    case 13:
        return QObject::tr("Cette carte peut être jouée car vous ne pouvez pas jouer un atout qui pourrait 'prendre'.");
    default: return QObject::tr("ERREUR: Status invalide");
    }
}
