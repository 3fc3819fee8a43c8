// Writes the sample games that the store-screenshot scenarios open: one
// saved game (".jss") per scenario, played by the program's own engine and
// computer players from a fixed deal seed, and cut just after the move that
// the scenario's picture shows.
//
// The user's seat is recorded as the user (no name, so that its plate reads
// "Vous" in the language shown); the table is played through a display in
// demonstration mode, where the computer answers for that seat too. The deal
// follows from the seed alone; the computer's choices come from its search,
// which is spread over threads, so a new run may play other cards. The files
// under resources/samples/ are the reference: run this again only to change
// a sample, and look at the pictures the scenario tests write.
//
// Usage: gen_sample_games <output folder>
#include "EtatDeJeu.h"
#include "EvenementDeJeu.h"
#include "GM_Exception.h"
#include "GM_MessageBoxDisplayerHeadless.h"
#include "ListeDesEvenements.h"
#include "OptionsDePartie.h"
#include "OptionsDuJoueur.h"
#include "SalleSansInterface.h"
#include "TypeDePartie.h"
#include "ZB_DisplayEmpty.h"
#include "ZB_Room.h"
#include "ZB_RoomTable.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <QMutexLocker>
#include <QString>
#include <QStringList>
#include <QTextStream>
#include <QThread>

#include <array>
#include <cstdio>

namespace {

// Where a sample stops: just after the count-th event of the given kind
// from the start of the deal-th deal on (deals counted by their snapshots,
// "Enr"; a deal that every seat passed is dealt again, and the count goes on
// in the new one).
struct Echantillon
{
    const char* fichier;
    int genre;
    int preset;
    quint32 graine;
    int donne;
    int type;
    int nombre;
};

const std::array<Echantillon, 4> echantillons{{
    // Jass, "Suisse romand": the second deal, a trick half played, the
    // first deal's points on the slate.
    {"scenario_0.jss", TypeDePartie::GenreJass, 0, 20261208u, 2, EvenementDeJeu::Ajo, 14},
    // Belote Classique: the third trick under way.
    {"scenario_1.jss", TypeDePartie::GenreBelote, 6, 20261209u, 1, EvenementDeJeu::Ajo, 10},
    // Jass, "Suisse allemand zig zag": the first trick, where the
    // announcements are told.
    {"scenario_2.jss", TypeDePartie::GenreJass, 3, 20261210u, 1, EvenementDeJeu::Ajo, 2},
    // Belote Contrée: the auction, three bids made.
    {"scenario_3.jss", TypeDePartie::GenreBelote, 8, 20261211u, 1, EvenementDeJeu::Chm, 3},
}};

const std::array<const char*, 4> noms = {"", "Lena", "Marco", "Chloé"};
// The computer thinks less than at the table: the samples only need
// plausible play, and a few minutes is plenty.
constexpr double COMBINAISONS = 400.0;
constexpr int ATTENTE_MAX_MS = 15 * 60 * 1000;
constexpr int PAS_MS = 20;

// The number of lines to keep (version line included) once the cut has
// been played, else -1.
int lignesJusquA(const QStringList& lignes, const Echantillon& e)
{
    int donnes = 0;
    int vus = 0;
    for (int i = 1; i < lignes.size(); ++i) {
        EvenementDeJeu ev;
        QString reste;
        try {
            if (!ev.fromString(lignes.at(i), reste))
                continue;
        } catch (const GM_Exception&) {
            continue;
        }
        if (ev.type_ == EvenementDeJeu::Enr)
            ++donnes;
        else if (donnes >= e.donne && ev.type_ == e.type && ++vus == e.nombre)
            return i + 1;
    }
    return -1;
}

bool ecrit(const QString& chemin, const QStringList& lignes)
{
    QFile f(chemin);
    if (!f.open(QIODevice::WriteOnly | QIODevice::Truncate))
        return false;
    QByteArray octets;
    for (const QString& l : lignes)
        octets += l.toUtf8() + "\r\n";
    return f.write(octets) == octets.size() && f.flush();
}

bool joue(const Echantillon& e, const QString& dossier)
{
    GM_MessageBoxDisplayerHeadless boites;
    ZB_DisplayEmpty ecran;
    // The computer answers for the user's seat as well.
    ecran.setModeAffichage(1, false);
    ZB_Room::Parametres p;
    p.sansSauvegarde = true;
    p.sansDelai = true;
    p.dossierDonnees = QDir::tempPath() + QLatin1Char('/');
    TypeDePartie::initTypesDePartie(e.genre);
    OptionsDePartie options(e.genre);
    options.idPreset_ = e.preset;
    options.optionsAIAdversaires_.nbrCombinations_ = COMBINAISONS;
    options.optionsAIPartenaire_.nbrCombinations_ = COMBINAISONS;
    SalleSansInterface salle(nullptr, &ecran, &boites, options, p);
    int mode = ZB_Room::NouvellePartie;
    int session = ZB_Room::SessionLocale;
    salle.reponse_Depart(&mode, &session, options, QString(), QString(), 0, 0, 0, 0, false, {}, -1);
    salle.getTable(0)->settingsPartie().random_.initialise(e.graine);
    for (int siege = 0; siege < 4; ++siege) {
        OptionsDuJoueur j;
        j.nom_ = QString::fromUtf8(noms[size_t(siege)]);
        j.id_ = 1 + siege;
        if (siege != 0) {
            j.ordinateur_ = 1;
            j.optionsAI_ = siege == 2 ? options.optionsAIPartenaire_ : options.optionsAIAdversaires_;
        }
        salle.inscritJoueur(j, EtatDeJeu::InscriptionJoueur0 + siege, 0);
    }

    const QDeadlineTimer fin(ATTENTE_MAX_MS);
    int dernierCompte = -1;
    while (!fin.hasExpired()) {
        QCoreApplication::processEvents(QEventLoop::AllEvents, PAS_MS);
        QThread::msleep(5);
        ListeDesEvenements* liste = salle.getListe(-1);
        if (liste == nullptr)
            continue;
        QString texte;
        {
            QMutexLocker verrou(liste->getMutex());
            QTextStream out(&texte);
            liste->ecritTexte(out);
        }
        QStringList lignes = texte.split(QStringLiteral("\r\n"), Qt::SkipEmptyParts);
        if (qEnvironmentVariableIsSet("ZB_SAMPLES_TRACE") && lignes.size() != dernierCompte) {
            dernierCompte = int(lignes.size());
            std::fprintf(stderr, "%d state %d: %s\n", dernierCompte, liste->getEtatAttendu(),
                         qUtf8Printable(lignes.last()));
        }
        const int garder = lignesJusquA(lignes, e);
        if (garder < 0)
            continue;
        lignes = lignes.mid(0, garder);
        const QString chemin = QDir(dossier).filePath(QLatin1String(e.fichier));
        if (!ecrit(chemin, lignes)) {
            std::fprintf(stderr, "cannot write %s\n", qUtf8Printable(chemin));
            return false;
        }
        std::printf("%s: %d lines\n", e.fichier, int(lignes.size()));
        return true;
    }
    std::fprintf(stderr, "%s: the game never reached its cut\n", e.fichier);
    return false;
}

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    if (argc != 2) {
        std::fprintf(stderr, "usage: gen_sample_games <output folder>\n");
        return 2;
    }
    const QString dossier = QString::fromLocal8Bit(argv[1]);
    if (!QDir().mkpath(dossier)) {
        std::fprintf(stderr, "cannot create %s\n", argv[1]);
        return 1;
    }
    // ZB_SAMPLE=<n> writes that sample only.
    const int seul = qEnvironmentVariableIsSet("ZB_SAMPLE") ? qEnvironmentVariableIntValue("ZB_SAMPLE") : -1;
    for (size_t i = 0; i < echantillons.size(); ++i)
        if ((seul < 0 || size_t(seul) == i) && !joue(echantillons[i], dossier))
            return 1;
    return 0;
}
