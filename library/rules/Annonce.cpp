#include "Annonce.h"

#include "Carte.h"
#include "GM_SpacesSeparatedString.h"
#include "StatusAtout.h"

#include <QObject>

namespace {

// Whether the kind, suit and rank name cards of the 36-card numbering.
bool cartesValides(int type, int couleur, int valeur)
{
    if (type < Annonce::Aucune || type > Annonce::Carre)
        return false;
    if (couleur < 1 || couleur > 4 || valeur < Carte::Six || valeur > Carte::As)
        return false;
    // The lowest card of a run must still be a card of the deck.
    if (type != Annonce::Carre && valeur - Annonce::nombreDeCartes(type) + 1 < Carte::Six)
        return false;
    return true;
}

bool champsValides(int type, int couleur, int valeur, int points)
{
    return cartesValides(type, couleur, valeur) && points >= 0 && points <= Annonce::POINTS_MAX;
}

} // namespace

Annonce::Annonce(int type, int couleur, int valeur, int points)
    : type_(type)
    , couleur_(couleur)
    , valeur_(valeur)
    , points_(points)
{
}

Annonce::~Annonce() = default;

void Annonce::chargeValeursDepuisString(const QString& text)
{
    // Read whole before storing: this text comes from peers and files, and a
    // half-read announcement pointing below the six must never be kept.
    GM_SpacesSeparatedString s(text);
    const int type = s.nextInt();
    const int couleur = s.nextInt();
    const int valeur = s.nextInt();
    const int points = s.nextInt();
    if (!champsValides(type, couleur, valeur, points))
        GM_SpacesSeparatedString::throwCorrupted();
    type_ = type;
    couleur_ = couleur;
    valeur_ = valeur;
    points_ = points;
}

QString Annonce::sauveValeursDansString() const
{
    GM_SpacesSeparatedString s;
    s.addInt(type_);
    s.addInt(couleur_);
    s.addInt(valeur_);
    s.addInt(points_);
    return s.getString();
}

int Annonce::nombreDeCartes(int type)
{
    switch (type) {
    case TroisCartes: return 3;
    case QuatreCartes: return 4;
    case CinqCartesOuPlus: return 5;
    case Carre: return 4;
    default: return 0;
    }
}

int Annonce::valeurCarre(int valeur, int modeAtout)
{
    const bool sansCouleur = modeAtout >= StatusAtout::HautEnBas && modeAtout <= StatusAtout::ZigZagDepartEnHaut;
    switch (valeur) {
    case Carte::Six:
    case Carte::Sept:
    case Carte::Huit: return sansCouleur ? 100 : 0;
    case Carte::Neuf: return modeAtout == StatusAtout::SansAtout ? 100 : 150;
    case Carte::Dix: return modeAtout == StatusAtout::SansAtout ? 150 : 100;
    case Carte::Valet: return modeAtout == StatusAtout::SansAtout ? 100 : 200;
    case Carte::Dame:
    case Carte::Roi: return 100;
    case Carte::As: return modeAtout == StatusAtout::SansAtout ? 200 : 100;
    default: return 0;
    }
}

int Annonce::valeurSuite(int longueur)
{
    if (longueur >= 5)
        return 100;
    if (longueur == 4)
        return 50;
    if (longueur == 3)
        return 20;
    return 0;
}

bool Annonce::estValide() const
{
    return champsValides(type_, couleur_, valeur_, points_);
}

quint64 Annonce::getMasque() const
{
    if (type_ == Aucune || !cartesValides(type_, couleur_, valeur_))
        return 0;
    if (type_ == Carre)
        return masqueDeValeur(valeur_);
    const int nombre = getNombreDeCartes();
    return ((quint64(1) << nombre) - 1) << Carte::indexDe(couleur_, valeur_ - nombre + 1);
}

quint64 Annonce::masqueDeValeur(int valeur)
{
    if (valeur < Carte::Six || valeur > Carte::As)
        return 0;
    return quint64(0x8040201) << (valeur - Carte::Six);
}

bool Annonce::contientCarte(const Carte* carte) const
{
    return carte != nullptr && contientCarte(carte->getCouleur(), carte->getValeur());
}

bool Annonce::contientCarte(int couleur, int valeur) const
{
    // Checked here too since the fields are public: whatever they hold, no
    // card outside the deck is ever named.
    if (type_ == Aucune || !cartesValides(type_, couleur_, valeur_))
        return false;
    const int nombre = getNombreDeCartes();
    if (type_ == Carre)
        return valeur == valeur_ && couleur >= 1 && couleur <= nombre;
    // Only the counted cards: a run of six or more shows its top five.
    return couleur == couleur_ && valeur <= valeur_ && valeur > valeur_ - nombre;
}

QString Annonce::getNom() const
{
    switch (type_) {
    case Aucune: return QObject::tr("Pas d'annonce");
    case TroisCartes: return QObject::tr("Trois cartes");
    case QuatreCartes:
    case CinqCartesOuPlus:
    case Carre: return QObject::tr("%1").arg(points_);
    default: return QString();
    }
}

int compareAnnonces(const Annonce& a, int mode, int couleurAtout, const Annonce& b)
{
    if (a.points_ != b.points_)
        return a.points_ > b.points_ ? 1 : 0;
    const int nombreA = a.getNombreDeCartes();
    const int nombreB = b.getNombreDeCartes();
    if (nombreA != nombreB)
        return nombreA > nombreB ? 1 : 0;
    if (a.valeur_ != b.valeur_) {
        if (mode == StatusAtout::BasEnHaut)
            return a.valeur_ < b.valeur_ ? 1 : 0;
        return a.valeur_ > b.valeur_ ? 1 : 0;
    }
    return (a.couleur_ == couleurAtout && b.couleur_ != couleurAtout) ? 1 : 0;
}
