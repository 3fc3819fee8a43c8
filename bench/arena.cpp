// Plays deals between two computer-player configurations, headless, without
// a table: a small driver over Partie deals from fixed seeds, lets the
// trump advice of the first seat choose trump, and asks each seat for its
// card. Every seed is played twice with the teams swapped, so that both
// configurations hold the same cards.
//
//   arena [--deals N] [--belote] [--a STRENGTH|random] [--b STRENGTH|random]
//         [--seed S] [--workers W] [--threads T]
//
// STRENGTH is NbrCombinations; "random" plays a random legal card. N is the
// number of seeds (2N deals are played). W deals run side by side, each
// search with T evaluation threads.
#include "AI_Joueur.h"
#include "Carte.h"
#include "GM_KnuthRandom.h"
#include "Partie.h"
#include "StatusAtout.h"
#include "TypeDePartie.h"
#include "ZB_DeckBelote.h"
#include "ZB_DeckJass.h"
#include "ZB_MiseA.h"
#include "ZB_PointsBelote.h"
#include "ZB_PointsJass.h"
#include "ZB_StatusMise.h"

#include <QSharedPointer>

#include <atomic>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

namespace {

struct Config
{
    bool aleatoire = false;
    double force = 5000.0;
    std::string nom() const { return aleatoire ? std::string("random") : std::to_string(int(force)); }
};

struct Resultat
{
    long long donnes = 0;
    long long victoires[2] = {0, 0}; // by configuration
    long long egalites = 0;
    long long points[2] = {0, 0};
    long long decisions[2] = {0, 0};
    double secondes[2] = {0.0, 0.0};
    long long illegales = 0;
    long long sansCarte = 0;
};

class Reponse : public Joueur::Cb_CarteConseil
{
public:
    void carteConseillee(Carte* carte, bool erreur) override
    {
        derniere = carte;
        this->erreur = erreur;
    }
    Carte* derniere = nullptr;
    bool erreur = false;
};

Config lisConfig(const char* texte)
{
    Config c;
    if (std::strcmp(texte, "random") == 0)
        c.aleatoire = true;
    else
        c.force = std::atof(texte);
    return c;
}

// One deal; configA sits on team equipeA.
void joueDonne(bool belote, quint32 graine, const Config configs[2], int equipeA, int fils, Resultat& r)
{
    std::unique_ptr<ZB_DeckA> deck(belote ? static_cast<ZB_DeckA*>(new ZB_DeckBelote) : new ZB_DeckJass);
    std::unique_ptr<ZB_PointsA> points(belote ? static_cast<ZB_PointsA*>(new ZB_PointsBelote) : new ZB_PointsJass);
    const TypeDePartie& type = TypeDePartie::getTypeDePartie(belote ? 6 : 0);
    GM_KnuthRandom rng(true);
    rng.initialise(graine);
    EnsembleDeCartes paquet = deck->getCartes();
    EnsembleDeCartes mains[4];
    EnsembleDeCartes toutes;
    for (EnsembleDeCartes& main : mains) {
        main = ZB_MiseA::tireCartes(rng, paquet, belote ? 8 : 9);
        for (Carte* c : main)
            toutes.ajouteCarte(c);
    }
    const int premier = int(graine % 4);

    // Trump from the same advice whatever the configurations.
    AI_Joueur conseiller;
    OptionsDuJoueur optionsConseil;
    conseiller.initialise(nullptr, optionsConseil, nullptr, premier, type);
    StatusAtout atout;
    conseiller.conseilAtout(mains[premier], atout);
    int choisitAtout = premier;
    if (!atout.choisi_) {
        choisitAtout = (premier + 2) % 4;
        atout = StatusAtout(true, false, 0, -1);
        conseiller.conseilAtout(mains[choisitAtout], atout);
    }
    if (!atout.choisi_ || atout.atout_ < 1 || atout.atout_ > 11)
        atout = StatusAtout(false, true, 1, 1);
    atout.multiplicateur_ = 1;

    auto partie = QSharedPointer<Partie>::create(atout, toutes, premier, choisitAtout, 1, type, ZB_StatusMise(),
                                                 points.get());
    std::unique_ptr<AI_Joueur> joueurs[4];
    int configDuSiege[4];
    for (int j = 0; j < 4; ++j) {
        configDuSiege[j] = (j % 2 == equipeA) ? 0 : 1;
        const Config& c = configs[configDuSiege[j]];
        if (c.aleatoire)
            continue;
        OptionsDuJoueur o;
        o.ordinateur_ = 1;
        o.optionsAI_.nbrCombinations_ = c.force;
        joueurs[j] = std::make_unique<AI_Joueur>();
        joueurs[j]->initialise(nullptr, o, nullptr, j, type);
        joueurs[j]->setNombreDeFils(fils);
        joueurs[j]->recoitCartes(mains[j]);
    }

    GM_KnuthRandom hasard(true);
    hasard.initialise(graine ^ 0x5a5a5a5au);
    ZB_PointsDonne part;
    Reponse reponse;
    while (!partie->donneTerminee_) {
        const int j = partie->noDuProchainAJouer_;
        const quint64 jouables = partie->getMasqueCartesJouables(j, mains[j].getMasque());
        Carte* carte = nullptr;
        const int k = configDuSiege[j];
        const auto debut = std::chrono::steady_clock::now();
        if (joueurs[j]) {
            reponse.derniere = nullptr;
            joueurs[j]->demandeConseilCarte(partie, &mains[j], choisitAtout, &reponse);
            joueurs[j]->attendRecherche();
            carte = reponse.derniere;
        } else {
            int n = hasard.tire(__builtin_popcountll(jouables));
            quint64 m = jouables;
            while (n-- > 0)
                m &= m - 1;
            carte = mains[j].getCarte(__builtin_ctzll(m));
        }
        r.secondes[k] += std::chrono::duration<double>(std::chrono::steady_clock::now() - debut).count();
        ++r.decisions[k];
        if (carte == nullptr) {
            ++r.sansCarte;
            carte = mains[j].getCarte(__builtin_ctzll(jouables));
        } else if (!((jouables >> carte->getIndex()) & 1u)) {
            ++r.illegales;
            carte = mains[j].getCarte(__builtin_ctzll(jouables));
        }
        mains[j].retireCarte(carte);
        partie->joueCarte(part, carte, j);
    }

    const int scoreA = points->getScore(equipeA);
    const int scoreB = points->getScore(1 - equipeA);
    ++r.donnes;
    r.points[0] += scoreA;
    r.points[1] += scoreB;
    if (scoreA > scoreB)
        ++r.victoires[0];
    else if (scoreB > scoreA)
        ++r.victoires[1];
    else
        ++r.egalites;
}

} // namespace

int main(int argc, char* argv[])
{
    int graines = 100;
    bool belote = false;
    Config configs[2];
    configs[1].aleatoire = true;
    quint32 premiereGraine = 1;
    int travailleurs = 4;
    int fils = 1;
    for (int i = 1; i < argc; ++i) {
        const std::string a = argv[i];
        const bool suivant = i + 1 < argc;
        if (a == "--deals" && suivant)
            graines = std::atoi(argv[++i]);
        else if (a == "--belote")
            belote = true;
        else if (a == "--a" && suivant)
            configs[0] = lisConfig(argv[++i]);
        else if (a == "--b" && suivant)
            configs[1] = lisConfig(argv[++i]);
        else if (a == "--seed" && suivant)
            premiereGraine = quint32(std::strtoul(argv[++i], nullptr, 10));
        else if (a == "--workers" && suivant)
            travailleurs = std::max(1, std::atoi(argv[++i]));
        else if (a == "--threads" && suivant)
            fils = std::max(1, std::atoi(argv[++i]));
        else {
            std::fprintf(stderr,
                         "usage: arena [--deals N] [--belote] [--a STRENGTH|random] [--b STRENGTH|random] "
                         "[--seed S] [--workers W] [--threads T]\n");
            return 2;
        }
    }

    Resultat total;
    std::mutex mutex;
    std::atomic<int> prochaine{0};
    const auto debut = std::chrono::steady_clock::now();
    std::vector<std::thread> fils_;
    for (int w = 0; w < travailleurs; ++w) {
        fils_.emplace_back([&] {
            for (int i = prochaine++; i < 2 * graines; i = prochaine++) {
                Resultat r;
                joueDonne(belote, premiereGraine + quint32(i / 2), configs, i % 2, fils, r);
                std::lock_guard<std::mutex> verrou(mutex);
                total.donnes += r.donnes;
                total.egalites += r.egalites;
                total.illegales += r.illegales;
                total.sansCarte += r.sansCarte;
                for (int k = 0; k < 2; ++k) {
                    total.victoires[k] += r.victoires[k];
                    total.points[k] += r.points[k];
                    total.decisions[k] += r.decisions[k];
                    total.secondes[k] += r.secondes[k];
                }
            }
        });
    }
    for (std::thread& t : fils_)
        t.join();
    const double duree = std::chrono::duration<double>(std::chrono::steady_clock::now() - debut).count();

    std::printf("game %s, %lld deals (%d seeds, teams swapped), %d workers, %d search threads, %.1f s\n",
                belote ? "Belote" : "Jass", total.donnes, graines, travailleurs, fils, duree);
    for (int k = 0; k < 2; ++k) {
        const double parDonne = total.donnes ? double(total.points[k]) / double(total.donnes) : 0.0;
        const double parSeconde = total.secondes[k] > 0 ? double(total.decisions[k]) / total.secondes[k] : 0.0;
        std::printf("  %s %-8s wins %5lld  avg points/deal %7.2f  decisions/s %10.1f  (%.2f ms/decision)\n",
                    k == 0 ? "A" : "B", configs[k].nom().c_str(), total.victoires[k], parDonne, parSeconde,
                    total.decisions[k] ? 1000.0 * total.secondes[k] / double(total.decisions[k]) : 0.0);
    }
    std::printf("  ties %lld, illegal cards %lld, searches without card %lld\n", total.egalites, total.illegales,
                total.sansCarte);
    return total.illegales == 0 && total.sansCarte == 0 ? 0 : 1;
}
