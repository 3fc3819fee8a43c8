// Plays deals between two computer-player configurations, headless, without
// a table: a small driver over Partie deals from fixed seeds, lets the
// trump advice of the first seat choose trump (or its partner's, after a
// pass), and asks each seat for its card. Every seed is played twice with
// the teams swapped, so that both configurations hold the same cards. A
// deal is played at the stake of its trump mode in the game type.
//
//   arena [--deals N] [--belote] [--type ID] [--a STRENGTH|random]
//         [--b STRENGTH|random] [--advice-a new|old] [--advice-b new|old]
//         [--differing] [--seed S] [--workers W] [--threads T]
//   arena --modes N [--belote] [--type ID] [--seed S]
//
// STRENGTH is NbrCombinations; "random" plays a random legal card. N is the
// number of seeds (2N deals are played). W deals run side by side, each
// search with T evaluation threads. The advice of a configuration chooses
// trump for its team: "new" is the player's, "old" the advice from before
// the modes without a trump suit were weighed (they were worth nothing) and
// before ties were broken by the hand (the lowest mode took them).
// --differing plays only the seeds on which the two advices disagree: on
// the others both teams choose alike and the swapped deals cancel out.
//
// --modes counts the modes chosen over N random hands, by each advice: by
// the first seat, by a partner after a pass, and, in Belote, as the
// opening bid.
#include "AI_BetBelote.h"
#include "AI_Conseil.h"
#include "AI_Joueur.h"
#include "AnnoncesJoueur.h"
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

#include <algorithm>
#include <array>
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
    bool ancienConseil = false;
    std::string nom() const
    {
        return (aleatoire ? std::string("random") : std::to_string(int(force))) + (ancienConseil ? "/old" : "/new");
    }
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
    std::array<long long, TypeDePartie::NOMBRE_MODES> modes{};
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

void lisConfig(Config& c, const char* texte)
{
    c.aleatoire = std::strcmp(texte, "random") == 0;
    if (!c.aleatoire)
        c.force = std::atof(texte);
}

// The trump advice before the modes without a trump suit were weighed, for
// comparison: those modes were worth nothing, and the first of equal modes
// was taken.
void ancienConseilAtout(const EnsembleDeCartes& main, const TypeDePartie& type, StatusAtout& conseil)
{
    bool permis[TypeDePartie::NOMBRE_MODES] = {};
    double valeurs[TypeDePartie::NOMBRE_MODES] = {};
    bool multiplie = false;
    bool unPermis = false;
    for (int mode = 1; mode < TypeDePartie::NOMBRE_MODES; ++mode) {
        permis[mode] = type.multiplicateurs_[size_t(mode)] > 0;
        unPermis = unPermis || permis[mode];
        multiplie = multiplie || (permis[mode] && type.multiplicateurs_[size_t(mode)] > 1);
    }
    const bool partenaireAPasse = conseil.chibre_;
    const bool avecAnnonces = multiplie && type.annonces_ != TypeDePartie::AnnoncesDesactivees;
    double meilleure = 0.0;
    double plusBasse = 0.0;
    int meilleurMode = 0;
    bool premier = true;
    for (int mode = 1; mode < TypeDePartie::NOMBRE_MODES; ++mode) {
        if (!permis[mode])
            continue;
        const int multiplicateur = type.multiplicateurs_[size_t(mode)];
        int facteur = 1;
        if (avecAnnonces) {
            const int total = AnnoncesJoueur(main, mode).getTotalPoints();
            if (total > 100)
                facteur = int((qint64(total) * multiplicateur) / 100);
        }
        double v = 0.0;
        if (mode <= 4) {
            for (const Carte* c : main)
                v += c->getPoidsPourAtout(mode);
            if (multiplie && !partenaireAPasse)
                v /= (multiplicateur == 1 || v <= 3.0) ? AI_Conseil::DIVISEUR : AI_Conseil::DIVISEUR_FORT;
        }
        valeurs[mode] = v * facteur;
        if (valeurs[mode] > meilleure) {
            meilleure = valeurs[mode];
            meilleurMode = mode;
        }
        if (premier || valeurs[mode] < plusBasse)
            plusBasse = valeurs[mode];
        premier = false;
    }
    bool couleurs[5] = {};
    for (const Carte* c : main)
        couleurs[c->getCouleur()] = true;
    const bool quatreCouleurs = couleurs[1] && couleurs[2] && couleurs[3] && couleurs[4];
    bool passe = false;
    if (!partenaireAPasse) {
        double p = meilleure >= AI_Conseil::SEUIL_FORCE ? 1.6 - meilleure / AI_Conseil::SEUIL_FORCE : 1.2;
        p = std::max(p, 0.0);
        p *= (quatreCouleurs && meilleure - plusBasse < 4.0) ? 2.3 : 1.0;
        p *= quatreCouleurs ? 1.0 : 0.5;
        p *= multiplie ? 1.2 : 1.0;
        passe = p > 1.0;
    }
    if (passe || (meilleurMode == 0 && !partenaireAPasse)) {
        conseil = StatusAtout(true, false, 0, -1);
    } else if (meilleurMode != 0) {
        conseil.choisi_ = true;
        conseil.atout_ = meilleurMode;
    } else if (unPermis) {
        int mode = 0;
        for (int m = 1; m < TypeDePartie::NOMBRE_MODES; ++m) {
            if (permis[m] && (mode == 0 || valeurs[m] > valeurs[mode]))
                mode = m;
        }
        conseil.choisi_ = true;
        conseil.atout_ = mode;
    }
}

void conseilAtout(bool ancien, const EnsembleDeCartes& main, const TypeDePartie& type, StatusAtout& conseil)
{
    if (ancien) {
        ancienConseilAtout(main, type, conseil);
        return;
    }
    AI_BetBelote bet;
    AI_Conseil::conseilAtout(main, type, bet, conseil);
}

// The trump of a deal as the seats choose it: the first seat, or its partner
// after a pass. Returns the seat that chose.
int choisitAtout(bool ancien, const EnsembleDeCartes mains[4], int premier, const TypeDePartie& type,
                 StatusAtout& atout)
{
    atout = StatusAtout();
    conseilAtout(ancien, mains[premier], type, atout);
    int choisit = premier;
    if (!atout.choisi_) {
        choisit = (premier + 2) % 4;
        atout = StatusAtout(true, false, 0, -1);
        conseilAtout(ancien, mains[choisit], type, atout);
    }
    if (!atout.choisi_ || atout.atout_ < 1 || atout.atout_ > 11)
        atout = StatusAtout(false, true, 1, 1);
    atout.remplitMultiplicateur(type);
    if (atout.multiplicateur_ < 1)
        atout.multiplicateur_ = 1;
    return choisit;
}

struct Donne
{
    std::unique_ptr<ZB_DeckA> deck;
    EnsembleDeCartes mains[4];
    EnsembleDeCartes toutes;
    int premier = 0;
};

Donne distribue(bool belote, quint32 graine)
{
    Donne d;
    d.deck.reset(belote ? static_cast<ZB_DeckA*>(new ZB_DeckBelote) : new ZB_DeckJass);
    GM_KnuthRandom rng(true);
    rng.initialise(graine);
    EnsembleDeCartes paquet = d.deck->getCartes();
    for (EnsembleDeCartes& main : d.mains) {
        main = ZB_MiseA::tireCartes(rng, paquet, belote ? 8 : 9);
        for (Carte* c : main)
            d.toutes.ajouteCarte(c);
    }
    d.premier = int(graine % 4);
    return d;
}

// Whether the two advices choose the same trump on this seed.
bool memeAtout(bool belote, quint32 graine, const TypeDePartie& type)
{
    const Donne d = distribue(belote, graine);
    StatusAtout a;
    StatusAtout b;
    const int ca = choisitAtout(false, d.mains, d.premier, type, a);
    const int cb = choisitAtout(true, d.mains, d.premier, type, b);
    return ca == cb && a.atout_ == b.atout_;
}

// One deal; configA sits on team equipeA. The team of the first seat
// chooses trump with its configuration's advice.
void joueDonne(bool belote, quint32 graine, const TypeDePartie& type, const Config configs[2], int equipeA, int fils,
               Resultat& r)
{
    std::unique_ptr<ZB_PointsA> points(belote ? static_cast<ZB_PointsA*>(new ZB_PointsBelote) : new ZB_PointsJass);
    Donne d = distribue(belote, graine);
    EnsembleDeCartes (&mains)[4] = d.mains;
    const int premier = d.premier;
    const bool ancien = configs[(premier % 2 == equipeA) ? 0 : 1].ancienConseil;
    StatusAtout atout;
    const int choisitAtout = ::choisitAtout(ancien, mains, premier, type, atout);
    ++r.modes[atout.atout_];

    auto partie = QSharedPointer<Partie>::create(atout, d.toutes, premier, choisitAtout, atout.multiplicateur_, type,
                                                 ZB_StatusMise(), points.get());
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

// Counts of the modes chosen by both advices over random hands.
void compteModes(int mains, bool belote, int idType, const TypeDePartie& type, quint32 graine)
{
    enum { Premier, Partenaire, Mise, NombreDeCas };
    long long comptes[2][NombreDeCas][TypeDePartie::NOMBRE_MODES] = {};
    std::unique_ptr<ZB_DeckA> deck(belote ? static_cast<ZB_DeckA*>(new ZB_DeckBelote) : new ZB_DeckJass);
    GM_KnuthRandom rng(true);
    rng.initialise(graine);
    const bool encheres = type.genre_ == TypeDePartie::GenreBelote && !AI_Conseil::parCarteRetournee(type);
    for (int n = 0; n < mains; ++n) {
        EnsembleDeCartes paquet = deck->getCartes();
        const EnsembleDeCartes main = ZB_MiseA::tireCartes(rng, paquet, belote ? 8 : 9);
        for (int ancien = 0; ancien < 2; ++ancien) {
            StatusAtout premier;
            conseilAtout(ancien != 0, main, type, premier);
            ++comptes[ancien][Premier][premier.choisi_ ? premier.atout_ : 0];
            StatusAtout force(true, false, 0, -1);
            conseilAtout(ancien != 0, main, type, force);
            ++comptes[ancien][Partenaire][force.choisi_ ? force.atout_ : 0];
        }
        if (encheres) {
            ZB_StatusMise ouverture;
            ouverture.tourMise_ = 0;
            ouverture.montantBloque_ = false;
            ouverture.pointsMise_ = 80;
            ouverture.typeContrat_ = ZB_StatusMise::PasEncoreDeMise;
            AI_BetBelote bet;
            AI_Conseil::conseilMise(main, nullptr, type, bet, ZB_StatusMise(), 0, ouverture);
            ++comptes[0][Mise][ouverture.miseFaite_ ? ouverture.atoutMise_ : 0];
        }
    }
    std::printf("game type %d (%s), %d random hands; column 0 is a pass\n", idType, qPrintable(type.nom_), mains);
    std::printf("%-26s", "mode");
    for (int m = 0; m < TypeDePartie::NOMBRE_MODES; ++m)
        std::printf("%8d", m);
    std::printf("\n");
    const char* noms[NombreDeCas] = {"first seat", "partner after a pass", "opening bid"};
    for (int ancien = 0; ancien < 2; ++ancien) {
        for (int cas = 0; cas < NombreDeCas; ++cas) {
            if (cas == Mise && (!encheres || ancien))
                continue;
            std::printf("%-4s %-21s", ancien ? "old" : "new", noms[cas]);
            for (int m = 0; m < TypeDePartie::NOMBRE_MODES; ++m)
                std::printf("%8lld", comptes[ancien][cas][m]);
            std::printf("\n");
        }
    }
}

} // namespace

int main(int argc, char* argv[])
{
    int graines = 100;
    bool belote = false;
    int idType = -1;
    int mainsAComparer = 0;
    bool seulementDifferentes = false;
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
        else if (a == "--type" && suivant)
            idType = std::atoi(argv[++i]);
        else if (a == "--a" && suivant)
            lisConfig(configs[0], argv[++i]);
        else if (a == "--b" && suivant)
            lisConfig(configs[1], argv[++i]);
        else if ((a == "--advice-a" || a == "--advice-b") && suivant)
            configs[a == "--advice-a" ? 0 : 1].ancienConseil = std::strcmp(argv[++i], "old") == 0;
        else if (a == "--differing")
            seulementDifferentes = true;
        else if (a == "--modes" && suivant)
            mainsAComparer = std::max(1, std::atoi(argv[++i]));
        else if (a == "--seed" && suivant)
            premiereGraine = quint32(std::strtoul(argv[++i], nullptr, 10));
        else if (a == "--workers" && suivant)
            travailleurs = std::max(1, std::atoi(argv[++i]));
        else if (a == "--threads" && suivant)
            fils = std::max(1, std::atoi(argv[++i]));
        else {
            std::fprintf(stderr,
                         "usage: arena [--deals N] [--belote] [--type ID] [--a STRENGTH|random] "
                         "[--b STRENGTH|random] [--advice-a new|old] [--advice-b new|old] [--differing] "
                         "[--seed S] [--workers W] [--threads T]\n"
                         "       arena --modes N [--belote] [--type ID] [--seed S]\n");
            return 2;
        }
    }
    TypeDePartie::initTypesDePartie(belote ? TypeDePartie::GenreBelote : TypeDePartie::GenreJass);
    if (idType < 0)
        idType = belote ? 6 : 0;
    const TypeDePartie type = TypeDePartie::getTypeDePartie(idType);
    if ((type.genre_ == TypeDePartie::GenreBelote) != belote) {
        std::fprintf(stderr, "game type %d is not a %s type\n", idType, belote ? "Belote" : "Jass");
        return 2;
    }
    if (mainsAComparer > 0) {
        compteModes(mainsAComparer, belote, idType, type, premiereGraine);
        return 0;
    }

    // The seeds to play.
    std::vector<quint32> aJouer;
    for (int g = 0; g < graines; ++g) {
        const quint32 graine = premiereGraine + quint32(g);
        if (!seulementDifferentes || !memeAtout(belote, graine, type))
            aJouer.push_back(graine);
    }

    Resultat total;
    std::mutex mutex;
    std::atomic<int> prochaine{0};
    const int nombre = int(aJouer.size());
    const auto debut = std::chrono::steady_clock::now();
    std::vector<std::thread> fils_;
    for (int w = 0; w < travailleurs; ++w) {
        fils_.emplace_back([&] {
            for (int i = prochaine++; i < 2 * nombre; i = prochaine++) {
                Resultat r;
                joueDonne(belote, aJouer[size_t(i / 2)], type, configs, i % 2, fils, r);
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
                for (int m = 0; m < TypeDePartie::NOMBRE_MODES; ++m)
                    total.modes[size_t(m)] += r.modes[size_t(m)];
            }
        });
    }
    for (std::thread& t : fils_)
        t.join();
    const double duree = std::chrono::duration<double>(std::chrono::steady_clock::now() - debut).count();

    std::printf("game %s, type \"%s\", %lld deals (%d of %d seeds%s, teams swapped), %d workers, %d search threads, "
                "%.1f s\n",
                belote ? "Belote" : "Jass", qPrintable(type.nom_), total.donnes, nombre, graines,
                seulementDifferentes ? " on which the advices differ" : "", travailleurs, fils, duree);
    for (int k = 0; k < 2; ++k) {
        const double parDonne = total.donnes ? double(total.points[k]) / double(total.donnes) : 0.0;
        const double parSeconde = total.secondes[k] > 0 ? double(total.decisions[k]) / total.secondes[k] : 0.0;
        std::printf("  %s %-12s wins %5lld  points %8lld  avg points/deal %7.2f  decisions/s %10.1f  (%.2f "
                    "ms/decision)\n",
                    k == 0 ? "A" : "B", configs[k].nom().c_str(), total.victoires[k], total.points[k], parDonne,
                    parSeconde, total.decisions[k] ? 1000.0 * total.secondes[k] / double(total.decisions[k]) : 0.0);
    }
    std::printf("  ties %lld, illegal cards %lld, searches without card %lld\n", total.egalites, total.illegales,
                total.sansCarte);
    std::printf("  trump modes played:");
    for (int m = 1; m < TypeDePartie::NOMBRE_MODES; ++m)
        std::printf(" %d:%lld", m, total.modes[size_t(m)]);
    std::printf("\n");
    return total.illegales == 0 && total.sansCarte == 0 ? 0 : 1;
}
