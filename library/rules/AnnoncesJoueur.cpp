#include "AnnoncesJoueur.h"

#include "Carte.h"
#include "EnsembleDeCartes.h"
#include "GM_SpacesSeparatedString.h"
#include "StatusAtout.h"

namespace {

constexpr quint64 MASQUE_JEU = (quint64(1) << EnsembleDeCartes::TAILLE) - 1;

// At most two runs of three per suit plus one four of a kind per rank.
constexpr int CAPACITE_CANDIDATS = 24;

// A candidate in its plain form, with its counted cards.
struct Candidat
{
    int type;
    int couleur;
    int valeur;
    int points;
    quint64 masque;
};

// Fixed-size list of plain candidates: detection runs inside the computer
// player's search and must neither allocate nor build records.
class Candidats
{
public:
    void ajoute(int type, int couleur, int valeur, int points, quint64 masque)
    {
        if (nombre_ < CAPACITE_CANDIDATS)
            liste_[nombre_++] = Candidat{type, couleur, valeur, points, masque};
    }

    void ajouteCarre(int valeur, int points)
    {
        ajoute(Annonce::Carre, Annonce::COULEUR_CARRE, valeur, points, Annonce::masqueDeValeur(valeur));
    }

    // A run's counted cards are its top ones: a run of six or more counts
    // five, for the drop below as for the cards it takes.
    void ajouteSuite(int couleur, int valeurHaute, int longueur)
    {
        if (longueur < 3)
            return;
        const int type = longueur == 3 ? Annonce::TroisCartes
                       : longueur == 4 ? Annonce::QuatreCartes
                                       : Annonce::CinqCartesOuPlus;
        const int nombre = Annonce::nombreDeCartes(type);
        const quint64 masque = ((quint64(1) << nombre) - 1) << Carte::indexDe(couleur, valeurHaute - nombre + 1);
        ajoute(type, couleur, valeurHaute, Annonce::valeurSuite(longueur), masque);
    }

    // Drops the first candidate that holds a card of the rank, keeping the
    // order of the others, since the order decides ties.
    void retirePremierAvecValeur(int valeur)
    {
        const quint64 cartes = Annonce::masqueDeValeur(valeur);
        for (int i = 0; i < nombre_; ++i) {
            if (liste_[i].masque & cartes) {
                for (int j = i + 1; j < nombre_; ++j)
                    liste_[j - 1] = liste_[j];
                --nombre_;
                return;
            }
        }
    }

    int nombre() const { return nombre_; }
    const Candidat& operator[](int i) const { return liste_[i]; }

private:
    Candidat liste_[CAPACITE_CANDIDATS];
    int nombre_ = 0;
};

// Whether a candidate replaces the best so far; never on an exact tie, so
// the first of equals stays.
bool estMeilleur(const Candidat& candidat, const Candidat& meilleur, int modeAtout)
{
    if (candidat.points != meilleur.points)
        return candidat.points > meilleur.points;
    const int nombre = Annonce::nombreDeCartes(candidat.type);
    const int nombreMeilleur = Annonce::nombreDeCartes(meilleur.type);
    if (nombre != nombreMeilleur)
        return nombre > nombreMeilleur;
    if (modeAtout == StatusAtout::BasEnHaut)
        return candidat.valeur < meilleur.valeur;
    return candidat.valeur > meilleur.valeur;
}

} // namespace

AnnoncesJoueur::AnnoncesJoueur() = default;

AnnoncesJoueur::AnnoncesJoueur(const EnsembleDeCartes& main, int modeAtout)
{
    quint64 reste = main.getMasque() & MASQUE_JEU;
    for (Annonce& annonce : annonces_) {
        annonce = meilleureAnnonce(reste, modeAtout);
        if (annonce.type_ == Annonce::Aucune)
            break; // nothing was taken, so nothing more can be found
        reste &= ~annonce.getMasque();
    }
}

AnnoncesJoueur::AnnoncesJoueur(const QString& text)
{
    chargeValeursDepuisString(text);
}

AnnoncesJoueur::~AnnoncesJoueur() = default;

void AnnoncesJoueur::chargeValeursDepuisString(const QString& text)
{
    GM_SpacesSeparatedString s(text);
    std::array<Annonce, NOMBRE> lues;
    for (Annonce& annonce : lues)
        s.nextRecord(annonce);
    annonces_ = lues;
}

QString AnnoncesJoueur::sauveValeursDansString() const
{
    GM_SpacesSeparatedString s;
    for (const Annonce& annonce : annonces_)
        s.addRecord(annonce);
    return s.getString();
}

bool AnnoncesJoueur::contientCarte(const Carte* carte) const
{
    if (carte == nullptr)
        return false;
    for (const Annonce& annonce : annonces_) {
        if (annonce.contientCarte(carte))
            return true;
    }
    return false;
}

int AnnoncesJoueur::getTotalPoints() const
{
    int total = 0;
    for (const Annonce& annonce : annonces_)
        total += annonce.points_;
    return total;
}

quint64 AnnoncesJoueur::getMasque() const
{
    quint64 masque = 0;
    for (const Annonce& annonce : annonces_)
        masque |= annonce.getMasque();
    return masque;
}

Annonce AnnoncesJoueur::meilleureAnnonce(quint64 masque, int modeAtout)
{
    masque &= MASQUE_JEU;
    if (__builtin_popcountll(masque) < 3)
        return Annonce();

    Candidats candidats;
    int compteParValeur[Carte::As + 1] = {};
    int couleurPrecedente = 0;
    int valeurPrecedente = 0;
    int longueur = 0;
    for (quint64 reste = masque; reste != 0; reste &= reste - 1) {
        const int index = __builtin_ctzll(reste);
        const int couleur = index / 9 + 1;
        const int valeur = index % 9 + Carte::Six;

        // The fourth card of a rank is always the last suit's, so a run that
        // an earlier card closed may share a card with the four and is
        // dropped for it. The four is settled before this card closes the
        // run in progress, so that run stays a candidate.
        if (++compteParValeur[valeur] == 4) {
            const int points = Annonce::valeurCarre(valeur, modeAtout);
            if (points > 0) {
                candidats.retirePremierAvecValeur(valeur);
                candidats.ajouteCarre(valeur, points);
            }
        }

        if (couleur == couleurPrecedente && valeur == valeurPrecedente + 1) {
            ++longueur;
        } else {
            candidats.ajouteSuite(couleurPrecedente, valeurPrecedente, longueur);
            longueur = 1;
        }
        couleurPrecedente = couleur;
        valeurPrecedente = valeur;
    }
    candidats.ajouteSuite(couleurPrecedente, valeurPrecedente, longueur);

    const Annonce aucune;
    Candidat meilleur{aucune.type_, aucune.couleur_, aucune.valeur_, aucune.points_, 0};
    for (int i = 0; i < candidats.nombre(); ++i) {
        if (estMeilleur(candidats[i], meilleur, modeAtout))
            meilleur = candidats[i];
    }
    return Annonce(meilleur.type, meilleur.couleur, meilleur.valeur, meilleur.points);
}
