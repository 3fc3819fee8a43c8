#include "ZB_SettingsPartie.h"

#include "EnsembleDeCartes.h"
#include "GM_SpacesSeparatedString.h"

namespace {

QString texteListe(const QList<int>& indices)
{
    GM_SpacesSeparatedString s;
    for (int index : indices)
        s.addInt(index);
    return s.getString();
}

bool estRecord(const QString& texte)
{
    return texte.startsWith(QLatin1Char('{')) && texte.endsWith(QLatin1Char('}')) && texte.size() >= 2;
}

// Reads one pile; 'vues' holds the cards already named by either pile.
QList<int> lisListe(const QString& texte, quint64& vues)
{
    if (!estRecord(texte))
        GM_SpacesSeparatedString::throwCorrupted();
    GM_SpacesSeparatedString s(texte);
    QList<int> indices;
    // Every index is a distinct card, so the loop ends after 36 at most.
    while (!s.remaining().isEmpty()) {
        const int index = s.nextInt();
        if (index < 0 || index >= EnsembleDeCartes::TAILLE || ((vues >> index) & 1u))
            GM_SpacesSeparatedString::throwCorrupted();
        vues |= quint64(1) << index;
        indices.append(index);
    }
    return indices;
}

} // namespace

ZB_SettingsPartie::ZB_SettingsPartie() = default;

void ZB_SettingsPartie::chargeValeursDepuisString(const QString& text)
{
    GM_SpacesSeparatedString s(text);
    joueurQuiCommenceLaProchainePartie = s.nextInt();
    s.nextRecord(random_);
    scores_[0] = s.nextInt();
    scores_[1] = s.nextInt();
    huitTours_ = s.nextBool();
    toursJoues_ = s.nextInt();
    rotationDonne_ = s.nextBool();
    toursAtout_ = s.nextBool();
    donnesJouees_ = s.nextInt();
    const QString texteGenerateur = s.nextString();
    if (!GM_GameStats::estTexteGenerateurValide(texteGenerateur))
        GM_SpacesSeparatedString::throwCorrupted();
    texteGenerateur_ = texteGenerateur;
    noDemande = s.nextInt();
    s.nextRecord(stats_);

    // The table decodes the piles only at the next deal; a bad text is
    // refused here, where record errors are expected. What is kept is the
    // text this program writes for the same piles, so that stray characters
    // a reader skips (a line break between fields, say) never reach a game
    // file.
    // An empty piles text is a value; a text that ends before it is not.
    if (s.remaining().isEmpty())
        GM_SpacesSeparatedString::throwCorrupted();
    const QString textePiles = s.nextString();
    if (textePiles.isEmpty()) {
        textePiles_.clear();
    } else {
        QList<int> pileA;
        QList<int> pileB;
        decodePiles(textePiles, pileA, pileB);
        textePiles_ = ZB_SettingsPartie::textePiles(pileA, pileB);
    }

    QList<int> compteurs;
    if (s.hasOptionalField()) {
        // The count comes from files and peers: bound it before looping.
        const int nombre = s.nextInt();
        if (nombre < 0 || nombre > MAX_COMPTEURS_ATOUT)
            GM_SpacesSeparatedString::throwCorrupted();
        compteurs.reserve(nombre);
        for (int i = 0; i < nombre; ++i)
            compteurs.append(s.nextInt());
    }
    compteursAtout_ = compteurs;
}

QString ZB_SettingsPartie::sauveValeursDansString() const
{
    return sauveValeursDansString(VERSION_PROTOCOLE_ACTUELLE);
}

QString ZB_SettingsPartie::sauveValeursDansString(int version) const
{
    GM_SpacesSeparatedString s;
    s.addInt(joueurQuiCommenceLaProchainePartie);
    s.addRecord(random_);
    s.addInt(scores_[0]);
    s.addInt(scores_[1]);
    s.addBool(huitTours_);
    s.addInt(toursJoues_);
    s.addBool(rotationDonne_);
    s.addBool(toursAtout_);
    s.addInt(donnesJouees_);
    s.addString(GM_GameStats::estTexteGenerateurValide(texteGenerateur_)
                    ? texteGenerateur_
                    : GM_SpacesSeparatedString::sanitizeFreeText(texteGenerateur_));
    s.addInt(noDemande);
    s.addRecord(stats_);
    s.addString(textePiles_);
    if (version >= 2) {
        const int nombre = int(qMin<qsizetype>(compteursAtout_.size(), MAX_COMPTEURS_ATOUT));
        s.addInt(nombre);
        for (int i = 0; i < nombre; ++i)
            s.addInt(compteursAtout_.at(i));
    }
    return s.getString();
}

QString ZB_SettingsPartie::textePiles(const QList<int>& pileA, const QList<int>& pileB)
{
    GM_SpacesSeparatedString s;
    s.addString(texteListe(pileA));
    s.addString(texteListe(pileB));
    return s.getString();
}

void ZB_SettingsPartie::decodePiles(const QString& texte, QList<int>& pileA, QList<int>& pileB)
{
    if (texte.isEmpty()) {
        pileA.clear();
        pileB.clear();
        return;
    }
    if (!estRecord(texte))
        GM_SpacesSeparatedString::throwCorrupted();
    GM_SpacesSeparatedString s(texte);
    quint64 vues = 0;
    QList<int> a = lisListe(s.getNext(), vues);
    QList<int> b = lisListe(s.getNext(), vues);
    if (!s.remaining().isEmpty())
        GM_SpacesSeparatedString::throwCorrupted();
    pileA = std::move(a);
    pileB = std::move(b);
}

void ZB_SettingsPartie::incrementeCompteurAtout(int mode)
{
    if (mode < 0 || mode >= MAX_COMPTEURS_ATOUT)
        return;
    while (compteursAtout_.size() <= mode)
        compteursAtout_.append(0);
    ++compteursAtout_[mode];
}
