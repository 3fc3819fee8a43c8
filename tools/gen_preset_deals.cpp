// Generates the preset deal files the program embeds: lists of generator
// states ("{0!seed!0!}", one per CR LF line) that a table loads into its
// generator before it deals, so that a "winning" game starts from a deal that
// favours the human's team and a tournament game from an even one.
//
// Everything comes from the program's own generator and dealer, so the files
// can be rebuilt identically at any time: candidate seeds are drawn from a
// GM_KnuthRandom with a fixed master seed per file, and each candidate is
// dealt as a table deals a Jass game from a freshly loaded state (ZB_MiseJass,
// nine cards to each seat in seat order, no cut). A candidate is kept when its
// deal passes the file's criterion and its seed was not kept before.
//
// Hand strength: for each suit, the sum of Carte::getPoidsPourAtout over the
// hand with that suit as trump (jack 4, nine 2, any other trump 1), times the
// suit's multiplier in the game type; the strength of a hand is its best suit,
// that of a team the better of its two hands. Team 0 is seats 0 and 2, where
// the human sits.
//   winning:  team 0 at least the file's threshold (8; 12 in pique double,
//             where a strong spade hand alone reaches 16) and at least
//             EcartGagnant ahead of team 1;
//   balanced: the two teams within EcartEquilibre of each other, and neither
//             hand weaker than SeuilEquilibre (no dead deals).
//
// Usage: gen_preset_deals <output folder>
#include "Carte.h"
#include "EnsembleDeCartes.h"
#include "GM_KnuthRandom.h"
#include "ZB_DeckJass.h"
#include "ZB_MiseJass.h"

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QSet>
#include <QString>

#include <algorithm>
#include <array>
#include <cstdio>
#include <cstdlib>

namespace {

constexpr int EcartGagnant = 2;
constexpr int EcartEquilibre = 1;
constexpr int SeuilEquilibre = 4;

using Multiplicateurs = std::array<int, 5>; // index 1..4: the suits

enum class Critere { Gagnant, Equilibre };

struct Fichier {
    const char* nom;
    int nombre;
    quint32 graineMaitresse;
    int seuilGagnant; // the strength team 0 needs in a winning deal
    Critere critere;
    Multiplicateurs multiplicateurs;
};

const std::array<Fichier, 3> fichiers{{
    {"preset_games_jass_suisse_romand_normal_winning.csv", 1998, 0x5EED0001u, 8, Critere::Gagnant, {0, 1, 1, 1, 1}},
    // "Pique double": spades (suit 3) count twice.
    {"preset_games_jass_suisse_romand_piquedouble_winning.csv", 3192, 0x5EED0002u, 12, Critere::Gagnant, {0, 1, 1, 2, 1}},
    {"preset_games_tournament_long_balanced.csv", 7514, 0x5EED0003u, 0, Critere::Equilibre, {0, 1, 1, 1, 1}},
}};

int forceMain(const EnsembleDeCartes& main, const Multiplicateurs& multiplicateurs)
{
    int meilleure = 0;
    for (int couleur = 1; couleur <= 4; ++couleur) {
        int somme = 0;
        for (Carte* carte : main)
            somme += carte->getPoidsPourAtout(couleur);
        meilleure = std::max(meilleure, somme * multiplicateurs[couleur]);
    }
    return meilleure;
}

bool convient(qint32 graine, const Fichier& fichier, const ZB_DeckJass& deck)
{
    GM_KnuthRandom rng(true);
    rng.initialise(static_cast<quint32>(graine));
    ZB_MiseJass mise(deck);
    std::array<int, 4> forces{};
    for (int siege = 0; siege < 4; ++siege) {
        EnsembleDeCartes main;
        mise.distribue(main, rng, 9, siege, false);
        forces[siege] = forceMain(main, fichier.multiplicateurs);
    }
    const int equipe0 = std::max(forces[0], forces[2]);
    const int equipe1 = std::max(forces[1], forces[3]);
    if (fichier.critere == Critere::Gagnant)
        return equipe0 >= fichier.seuilGagnant && equipe0 >= equipe1 + EcartGagnant;
    return std::abs(equipe0 - equipe1) <= EcartEquilibre
           && *std::min_element(forces.begin(), forces.end()) >= SeuilEquilibre;
}

bool ecrit(const QString& dossier, const Fichier& fichier, const ZB_DeckJass& deck)
{
    GM_KnuthRandom source(true);
    source.initialise(fichier.graineMaitresse);
    QSet<qint32> gardees;
    QByteArray texte;
    long candidats = 0;
    while (gardees.size() < fichier.nombre) {
        // The generator gives 30-bit values: two 16-bit halves make a seed
        // over the whole signed 32-bit range.
        const quint32 haut = static_cast<quint32>(source.tire(1 << 16));
        const quint32 bas = static_cast<quint32>(source.tire(1 << 16));
        const qint32 graine = static_cast<qint32>((haut << 16) | bas);
        ++candidats;
        if (gardees.contains(graine) || !convient(graine, fichier, deck))
            continue;
        gardees.insert(graine);
        texte += "{0!" + QByteArray::number(graine) + "!0!}\r\n";
    }

    QFile sortie(QDir(dossier).filePath(QString::fromLatin1(fichier.nom)));
    if (!sortie.open(QIODevice::WriteOnly) || sortie.write(texte) != texte.size() || !sortie.flush()) {
        std::fprintf(stderr, "gen_preset_deals: cannot write %s\n", qPrintable(sortie.fileName()));
        return false;
    }
    std::printf("%s: %d deals kept of %ld\n", fichier.nom, fichier.nombre, candidats);
    return true;
}

} // namespace

int main(int argc, char** argv)
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: gen_preset_deals <output folder>\n");
        return 2;
    }
    const QString dossier = QString::fromLocal8Bit(argv[1]);
    if (!QDir().mkpath(dossier)) {
        std::fprintf(stderr, "gen_preset_deals: cannot create %s\n", argv[1]);
        return 1;
    }
    const ZB_DeckJass deck;
    for (const Fichier& fichier : fichiers)
        if (!ecrit(dossier, fichier, deck))
            return 1;
    return 0;
}
