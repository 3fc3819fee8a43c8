#include "AI_ProbaSimplifiee.h"
#include "AnnoncesJoueur.h"
#include "GM_KnuthRandom.h"
#include "RulesTestKit.h"
#include "ZB_AnalyseJoueurEmpty.h"
#include "ZB_MiseA.h"
#include "ZbTestRegistry.h"

#include <QTest>

#include <atomic>
#include <cmath>
#include <limits>
#include <memory>
#include <thread>

namespace {

constexpr int Trefle = 1, Carreau = 2, Pique = 3, Coeur = 4;
constexpr int V = 11, D = 12, R = 13, A = 14;

// Records what a model publishes, in order.
class SinkEnregistreur : public ZB_AnalyseJoueurA
{
public:
    void cache() override {}
    void setTitre(const QString&) override {}
    void affiche() override {}
    void ajouteMessage(const QString&) override {}
    void effaceMessages() override {}
    void ajouteNoeudRacine(const QString&) override {}
    qint64 ajouteNoeud(qint64, const QStringList&) override { return 0; }
    void ajouteTexteNoeud(qint64, const QString&) override {}
    AI_ProbaSimplifiee* creeProbabilites(const OptionsAI& options) override
    {
        return new AI_ProbaSimplifiee(this, options);
    }
    void reinitialiseProbabilites(int couleur, int joueur) override
    {
        ++reinitialisations;
        // Each row is reset before its first bar is written.
        if (valeurs[couleur][joueur][6][0] >= 0)
            ordreCorrect = false;
    }
    void setTextes(const QStringList&, int) override {}
    void setProbabilite(int couleur, int joueur, int valeur, float probabilite, int table) override
    {
        ++barres;
        if (couleur < 1 || couleur > 4 || joueur < 0 || joueur > 3 || valeur < 6 || valeur > 14 || table < 0
            || table > 2) {
            horsLimites = true;
            return;
        }
        valeurs[couleur][joueur][valeur][table] = probabilite;
    }
    void setPosition(int) override {}

    void efface()
    {
        reinitialisations = 0;
        barres = 0;
        for (auto& c : valeurs)
            for (auto& j : c)
                for (auto& v : j)
                    for (float& t : v)
                        t = -1.0f;
    }

    int reinitialisations = 0;
    int barres = 0;
    bool horsLimites = false;
    bool ordreCorrect = true;
    float valeurs[5][4][15][3];
};

OptionsAI optionsAvecConnaissance(double k)
{
    OptionsAI o;
    o.knowledgeOpponents_ = k;
    return o;
}

// A deal in progress: the real hands, the game state, and a seat's model fed
// as the table feeds a computer player.
struct Position
{
    Position(bool belote, quint32 graine, int cartesJouees, int modeAtout, int leader)
        : kit(belote)
    {
        GM_KnuthRandom rng(true);
        rng.initialise(graine);
        EnsembleDeCartes paquet = kit.deck().getCartes();
        const int parMain = belote ? 8 : 9;
        EnsembleDeCartes toutes;
        for (int j = 0; j < 4; ++j) {
            mains[j] = ZB_MiseA::tireCartes(rng, paquet, parMain);
            for (Carte* c : mains[j])
                toutes.ajouteCarte(c);
        }
        partie = std::make_unique<Partie>(StatusAtout(false, true, modeAtout, 1), toutes, leader, leader, 1,
                                          kit.type(), ZB_StatusMise(), nullptr);
        joue(rng, cartesJouees);
    }

    void joue(GM_KnuthRandom& rng, int n)
    {
        ZB_PointsDonne part;
        for (int k = 0; k < n && !partie->donneTerminee_; ++k) {
            const int j = partie->noDuProchainAJouer_;
            quint64 jouables = partie->getMasqueCartesJouables(j, mains[j].getMasque());
            int choix = rng.tire(__builtin_popcountll(jouables));
            while (choix-- > 0)
                jouables &= jouables - 1;
            Carte* c = kit.deck().getCarteParIndex(__builtin_ctzll(jouables));
            mains[j].retireCarte(c);
            partie->joueCarte(part, c, j);
        }
    }

    // Plays one given card for the seat to move.
    void joue(int couleur, int valeur)
    {
        ZB_PointsDonne part;
        const int j = partie->noDuProchainAJouer_;
        Carte* c = kit.carte(couleur, valeur);
        mains[j].retireCarte(c);
        partie->joueCarte(part, c, j);
    }

    RulesTestKit kit;
    EnsembleDeCartes mains[4];
    std::unique_ptr<Partie> partie;
};

// Whether the seat may hold the card by what the deal has shown: not played,
// and not of a suit the seat failed to follow (the Jass jack of trump aside).
bool plausible(const Partie& partie, int joueur, const Carte* c)
{
    if (partie.cartesJoueesValides_.contientCarte(c))
        return false;
    if (partie.peutAvoir_[joueur][c->getCouleur() - 1] != 0)
        return true;
    return partie.typeDePartie_.genre_ == TypeDePartie::GenreJass && c->getCouleur() == partie.getCouleurAtout()
        && c->getValeur() == Carte::Valet;
}

} // namespace

class TestCardLocation : public QObject
{
    Q_OBJECT

private slots:
    void indexFormula()
    {
        QCOMPARE(AI_ProbaSimplifiee::TAILLE, 300);
        QCOMPARE(AI_ProbaSimplifiee::index(0, 6, 1), 31);
        QCOMPARE(AI_ProbaSimplifiee::index(1, 11, 3), 133);
        QCOMPARE(AI_ProbaSimplifiee::index(3, 14, 4), 299);
        bool vu[AI_ProbaSimplifiee::TAILLE] = {};
        for (int j = 0; j < 4; ++j)
            for (int v = 6; v <= 14; ++v)
                for (int c = 1; c <= 4; ++c) {
                    const int i = AI_ProbaSimplifiee::index(j, v, c);
                    QVERIFY(i >= 0 && i < AI_ProbaSimplifiee::TAILLE);
                    QVERIFY(!vu[i]);
                    vu[i] = true;
                }
        QVERIFY(!AI_ProbaSimplifiee::estDansLaTable(4, 6, 1));
        QVERIFY(!AI_ProbaSimplifiee::estDansLaTable(0, 5, 1));
        QVERIFY(!AI_ProbaSimplifiee::estDansLaTable(0, 15, 1));
        QVERIFY(!AI_ProbaSimplifiee::estDansLaTable(0, 6, 0));
        QVERIFY(!AI_ProbaSimplifiee::estDansLaTable(-1, 6, 1));

        // Readers take any value; outside the table nothing may be held.
        const AI_ProbaSimplifiee m(nullptr, OptionsAI());
        QCOMPARE(m.getVueJoueur(2, Pique, V), quint8(1));
        QCOMPARE(m.getVueAutres(4, Pique, V), quint8(0));
        QCOMPARE(m.getConnue(0, 5, 6), quint8(0));
        QCOMPARE(m.getVueAutres(0, 1, 16), quint8(0));
    }

    void publishing()
    {
        SinkEnregistreur sink;
        sink.efface();
        AI_ProbaSimplifiee m(&sink, OptionsAI());
        QCOMPARE(sink.reinitialisations, 16);
        QCOMPARE(sink.barres, 4 * 9 * 4 * 3);
        QVERIFY(!sink.horsLimites);
        QVERIFY(sink.ordreCorrect);
        QCOMPARE(sink.valeurs[Coeur][3][A][0], 0.5f);
        QCOMPARE(sink.valeurs[Coeur][3][A][1], 0.5f);
        QCOMPARE(sink.valeurs[Coeur][3][A][2], 0.0f);

        // A copy reports to the same sink.
        RulesTestKit kit(false);
        AI_ProbaSimplifiee copie(m);
        QCOMPARE(copie.getAnalyse(), &sink);
        sink.efface();
        copie.attribueCartes(1, kit.ensemble({{Coeur, A}}));
        QCOMPARE(sink.barres, 4 * 9 * 4 * 3);
        QCOMPARE(sink.valeurs[Coeur][1][A][2], 1.0f);
        QCOMPARE(sink.valeurs[Coeur][1][A][0], 0.5f);
        QCOMPARE(sink.valeurs[Coeur][0][A][0], 0.0f);
        QCOMPARE(sink.valeurs[Coeur][0][A][1], 0.0f);

        // Assignment takes the sink too; a model without one reports nowhere.
        AI_ProbaSimplifiee muet(nullptr, OptionsAI());
        sink.efface();
        muet.reinitialise();
        muet.attribueCarte(0, *kit.carte(Pique, 6));
        QCOMPARE(sink.barres, 0);
        muet = m;
        muet.reinitialise();
        QCOMPARE(sink.barres, 4 * 9 * 4 * 3);

        // A search copies the model per deal: the copy must be the tables.
        AI_ProbaSimplifiee autre(nullptr, optionsAvecConnaissance(1.0));
        autre = copie;
        QCOMPARE(autre.getVueAutres(0, Coeur, A), quint8(0));
        QCOMPARE(autre.getConnue(1, Coeur, A), quint8(1));
        QCOMPARE(autre.getSeuilConnaissance(), 1);
    }

    void emptySinkCreatesSilentModel()
    {
        ZB_AnalyseJoueurEmpty vide;
        const OptionsAI options(0.3, 0.1, 1.0, 2000.0);
        std::unique_ptr<AI_ProbaSimplifiee> m(vide.creeProbabilites(options));
        QVERIFY(m != nullptr);
        QVERIFY(m->getAnalyse() == nullptr);
        QVERIFY(m->getOptions() == options);
        QCOMPARE(m->getSeuilConnaissance(), 0);
        m->reinitialise(); // publishes nowhere, without crashing
        QCOMPARE(vide.ajouteNoeud(0, {}), qint64(0));
    }

    void knowledgeThreshold_data()
    {
        QTest::addColumn<double>("reglage");
        QTest::addColumn<int>("seuil");
        QTest::newRow("default 0.41") << 0.41 << 1;
        QTest::newRow("1.0 always") << 1.0 << 0;
        QTest::newRow("0.5 rounds 2") << 0.5 << 1;
        QTest::newRow("0.3") << 0.3 << 2;
        QTest::newRow("0.4 rounds 2.5 away from zero") << 0.4 << 2;
        QTest::newRow("2.0 rounds 0.5 up") << 2.0 << 0;
        QTest::newRow("above 2 never") << 2.5 << -1;
        QTest::newRow("zero never") << 0.0 << -1;
        QTest::newRow("negative never") << -0.41 << -1;
        QTest::newRow("nan never") << std::numeric_limits<double>::quiet_NaN() << -1;
        QTest::newRow("infinite never") << std::numeric_limits<double>::infinity() << -1;
        QTest::newRow("tiny: almost never") << 1e-300 << std::numeric_limits<int>::max() - 1;
    }
    void knowledgeThreshold()
    {
        QFETCH(double, reglage);
        QFETCH(int, seuil);
        QCOMPARE(AI_ProbaSimplifiee::seuilConnaissance(reglage), seuil);
        QCOMPARE(AI_ProbaSimplifiee(nullptr, optionsAvecConnaissance(reglage)).getSeuilConnaissance(), seuil);
    }

    // Seat 2 is known to hold the ace of hearts, but the view lets only seat
    // 1 have it: which one the dealer picks shows when it trusts knowledge.
    void knowledgeSetting_data()
    {
        QTest::addColumn<double>("reglage");
        QTest::addColumn<QString>("sieges"); // seat picked in calls 1, 2, ...
        QTest::newRow("0 never trusts") << 0.0 << QStringLiteral("11111");
        QTest::newRow("-1 never trusts") << -1.0 << QStringLiteral("11111");
        QTest::newRow("1.0 always trusts") << 1.0 << QStringLiteral("22222");
        QTest::newRow("0.41 after the first call") << 0.41 << QStringLiteral("12222");
        QTest::newRow("0.3 every other call") << 0.3 << QStringLiteral("11212");
        QTest::newRow("0.25 every third call") << 0.25 << QStringLiteral("11121");
    }
    void knowledgeSetting()
    {
        QFETCH(double, reglage);
        QFETCH(QString, sieges);
        AI_ProbaSimplifiee m(nullptr, optionsAvecConnaissance(reglage));
        for (int j : {2, 3}) {
            m.vueJoueur[AI_ProbaSimplifiee::index(j, A, Coeur)] = 0;
            m.vueAutres[AI_ProbaSimplifiee::index(j, A, Coeur)] = 0;
        }
        m.connues[AI_ProbaSimplifiee::index(2, A, Coeur)] = 1;
        GM_KnuthRandom rng(true);
        QString obtenus;
        for (int k = 0; k < sieges.size(); ++k)
            obtenus += QString::number(m.choisitJoueur(0, Coeur, A, rng, nullptr, k % 2 == 0));
        QCOMPARE(obtenus, sieges);
    }

    void choosingSeat()
    {
        AI_ProbaSimplifiee m(nullptr, optionsAvecConnaissance(0.0));
        GM_KnuthRandom rng(true);
        // Never the own seat, every other seat in time.
        for (int soi = 0; soi < 4; ++soi) {
            int vus[4] = {0, 0, 0, 0};
            for (int k = 0; k < 300; ++k) {
                const int j = m.choisitJoueur(soi, Trefle, 10, rng, nullptr, true);
                QVERIFY(j >= 0 && j < 4);
                ++vus[j];
            }
            QCOMPARE(vus[soi], 0);
            for (int j = 0; j < 4; ++j)
                QVERIFY(j == soi || vus[j] > 60);
        }
        // The view decides: the player's own view may rule out a seat that
        // the public view still allows.
        m.vueJoueur[AI_ProbaSimplifiee::index(1, 10, Trefle)] = 0;
        m.vueJoueur[AI_ProbaSimplifiee::index(2, 10, Trefle)] = 0;
        for (int k = 0; k < 20; ++k)
            QCOMPARE(m.choisitJoueur(0, Trefle, 10, rng, nullptr, true), 3);
        // No seat at all: -1 after the draws; bad values: -1 at once.
        m.vueJoueur[AI_ProbaSimplifiee::index(3, 10, Trefle)] = 0;
        QCOMPARE(m.choisitJoueur(0, Trefle, 10, rng, nullptr, true), -1);
        QVERIFY(m.choisitJoueur(0, Trefle, 10, rng, nullptr, false) > 0);
        QCOMPARE(m.choisitJoueur(4, Trefle, 10, rng, nullptr, false), -1);
        QCOMPARE(m.choisitJoueur(-1, Trefle, 10, rng, nullptr, false), -1);
        QCOMPARE(m.choisitJoueur(0, 0, 10, rng, nullptr, false), -1);
        QCOMPARE(m.choisitJoueur(0, Trefle, 5, rng, nullptr, false), -1);
        const std::atomic<bool> arret{true};
        QCOMPARE(m.choisitJoueur(0, Trefle, 10, rng, &arret, false), -1);
    }

    // What a seat knows after cards are played, by game and trump.
    void seatThatFailedToFollow_data()
    {
        QTest::addColumn<bool>("belote");
        QTest::addColumn<int>("atout");
        QTest::addColumn<Cartes>("pli");  // played from seat 0
        QTest::addColumn<int>("joueur");  // the seat that failed
        QTest::addColumn<int>("couleur"); // the suit it failed
        QTest::addColumn<bool>("valetGarde"); // the trump jack stays possible

        QTest::newRow("jass plain suit") << false << Pique << Cartes{{Coeur, 10}, {Carreau, 6}} << 1 << Coeur
                                         << false;
        QTest::newRow("jass trump: the jack stays") << false << Pique << Cartes{{Pique, 10}, {Carreau, 6}} << 1
                                                    << Pique << true;
        QTest::newRow("belote trump: no exception") << true << Pique << Cartes{{Pique, 10}, {Carreau, 7}} << 1
                                                    << Pique << false;
        QTest::newRow("jass no trump suit") << false << int(StatusAtout::HautEnBas) << Cartes{{Coeur, 10}, {Carreau, 6}}
                                            << 1 << Coeur << false;
    }
    void seatThatFailedToFollow()
    {
        QFETCH(bool, belote);
        QFETCH(int, atout);
        QFETCH(Cartes, pli);
        QFETCH(int, joueur);
        QFETCH(int, couleur);
        QFETCH(bool, valetGarde);

        RulesTestKit kit(belote);
        const auto partie = kit.position(atout, 0, pli);
        AI_ProbaSimplifiee m(nullptr, OptionsAI());
        m.connues[AI_ProbaSimplifiee::index(joueur, D, couleur)] = 1;
        m.metAJour(nullptr, *partie);
        const int premiere = belote ? 7 : 6;
        for (int v = premiere; v <= 14; ++v) {
            const bool jouee = partie->cartesJoueesValides_.contientCarte(kit.carte(couleur, v));
            const bool attendu = !jouee && valetGarde && v == V;
            QCOMPARE(m.getVueJoueur(joueur, couleur, v), quint8(attendu));
            QCOMPARE(m.getVueAutres(joueur, couleur, v), quint8(attendu));
            // The other seats are untouched except for the played cards.
            for (int autre = 0; autre < 4; ++autre)
                if (autre != joueur)
                    QCOMPARE(m.getVueAutres(autre, couleur, v), quint8(!jouee));
        }
        // Only the views learn from a failed suit; what is known stays.
        QCOMPARE(m.getConnue(joueur, couleur, D), quint8(1));
        // The seat may still hold the other suits.
        const int autreCouleur = couleur == Trefle ? Carreau : Trefle;
        QCOMPARE(m.getVueAutres(joueur, autreCouleur, A), quint8(1));
    }

    void playedCardsAreNowhere()
    {
        RulesTestKit kit(false);
        const auto partie = kit.position(Pique, 2, Cartes{{Coeur, 10}, {Coeur, A}});
        AI_ProbaSimplifiee m(nullptr, OptionsAI());
        m.connues[AI_ProbaSimplifiee::index(3, A, Coeur)] = 1;
        m.connues[AI_ProbaSimplifiee::index(0, 8, Trefle)] = 1;
        // The card about to be played is gone too.
        m.metAJour(kit.carte(Trefle, 8), *partie);
        for (int j = 0; j < 4; ++j) {
            for (const auto& [c, v] : Cartes{{Coeur, 10}, {Coeur, A}, {Trefle, 8}}) {
                QCOMPARE(m.getVueAutres(j, c, v), quint8(0));
                QCOMPARE(m.getVueJoueur(j, c, v), quint8(0));
                QCOMPARE(m.getConnue(j, c, v), quint8(0));
            }
            QCOMPARE(m.getVueAutres(j, Coeur, R), quint8(1));
        }
    }

    void whatTheTableTells()
    {
        RulesTestKit kit(false);
        AI_ProbaSimplifiee m(nullptr, OptionsAI());
        // Own hand: known to be own, and in no other hand as the player sees
        // it; the others cannot tell.
        m.cartesRecues(1, kit.ensemble({{Pique, V}, {Coeur, 6}}));
        for (int j = 0; j < 4; ++j) {
            QCOMPARE(m.getConnue(j, Pique, V), quint8(j == 1));
            QCOMPARE(m.getVueJoueur(j, Pique, V), quint8(j == 1));
            QCOMPARE(m.getVueAutres(j, Pique, V), quint8(1));
        }
        // Given cards belong to that seat alone.
        m.attribueCartes(3, kit.ensemble({{Trefle, A}}));
        for (int j = 0; j < 4; ++j) {
            QCOMPARE(m.getConnue(j, Trefle, A), quint8(j == 3));
            QCOMPARE(m.getVueAutres(j, Trefle, A), quint8(j == 3));
            QCOMPARE(m.getVueJoueur(j, Trefle, A), quint8(j == 3));
        }
        m.attribueCarte(2, *kit.carte(Carreau, 9));
        for (int j = 0; j < 4; ++j)
            QCOMPARE(m.getVueAutres(j, Carreau, 9), quint8(j == 2));
        QCOMPARE(m.getConnue(2, Carreau, 9), quint8(0));
        m.marqueCartesConnues(0, kit.ensemble({{Carreau, D}}));
        QCOMPARE(m.getConnue(0, Carreau, D), quint8(1));
        QCOMPARE(m.getVueAutres(1, Carreau, D), quint8(1));

        // Announcements: four jacks and a five-card run from the king down.
        const AnnoncesJoueur annonces(
            kit.ensemble({{1, V}, {2, V}, {3, V}, {4, V}, {Coeur, 9}, {Coeur, 10}, {Coeur, D}, {Coeur, R},
                          {Coeur, A}}),
            Trefle);
        QCOMPARE(annonces.annonces_[0].type_, int(Annonce::Carre));
        m.recoitAnnonces(0, annonces);
        for (int couleur = 1; couleur <= 4; ++couleur)
            for (int j = 1; j < 4; ++j)
                QCOMPARE(m.getVueAutres(j, couleur, V), quint8(0));
        QCOMPARE(m.getVueAutres(0, Coeur, V), quint8(1));

        AI_ProbaSimplifiee n(nullptr, OptionsAI());
        const AnnoncesJoueur suite(kit.ensemble({{Coeur, 9}, {Coeur, 10}, {Coeur, V}, {Coeur, D}, {Coeur, R}}), 1);
        n.recoitAnnonces(2, suite);
        for (int v = 9; v <= R; ++v) {
            QCOMPARE(n.getVueAutres(0, Coeur, v), quint8(0));
            QCOMPARE(n.getVueJoueur(3, Coeur, v), quint8(0));
            QCOMPARE(n.getVueAutres(2, Coeur, v), quint8(1));
        }
        QCOMPARE(n.getVueAutres(0, Coeur, 8), quint8(1));
        QCOMPARE(n.getVueAutres(0, Coeur, A), quint8(1));

        // A new deal forgets everything; bad seats change nothing.
        m.reinitialise();
        for (int i = 0; i < AI_ProbaSimplifiee::TAILLE; ++i) {
            QCOMPARE(m.vueAutres[i], quint8(1));
            QCOMPARE(m.vueJoueur[i], quint8(1));
            QCOMPARE(m.connues[i], quint8(0));
        }
        m.attribueCartes(4, kit.ensemble({{Trefle, A}}));
        m.cartesRecues(-1, kit.ensemble({{Trefle, A}}));
        m.attribueCarte(7, *kit.carte(Trefle, A));
        m.recoitAnnonces(9, annonces);
        m.marqueCartesConnues(4, kit.ensemble({{Trefle, A}}));
        for (int i = 0; i < AI_ProbaSimplifiee::TAILLE; ++i)
            QCOMPARE(m.vueAutres[i] + m.vueJoueur[i] - m.connues[i], 2);
    }

    void remainingCounts()
    {
        RulesTestKit kit(false);
        // Seat 2 leads, seats 2 and 3 have played: 34 cards left.
        const auto partie = kit.position(Pique, 2, Cartes{{Coeur, 10}, {Coeur, A}});
        int n[4];
        AI_ProbaSimplifiee::nombresDeCartes(*partie, n);
        QCOMPARE(n[0], 9);
        QCOMPARE(n[1], 9);
        QCOMPARE(n[2], 8);
        QCOMPARE(n[3], 8);
        const auto debut = kit.position(Pique, 0, Cartes{});
        AI_ProbaSimplifiee::nombresDeCartes(*debut, n);
        for (int j = 0; j < 4; ++j)
            QCOMPARE(n[j], 9);

        // A deal played out: nothing left to deal, and that is no failure.
        Position fin(true, 3, 32, Coeur, 1);
        QVERIFY(fin.partie->donneTerminee_);
        AI_ProbaSimplifiee::nombresDeCartes(*fin.partie, n);
        for (int j = 0; j < 4; ++j)
            QCOMPARE(n[j], 0);
        AI_ProbaSimplifiee m(nullptr, OptionsAI());
        m.metAJour(nullptr, *fin.partie);
        GM_KnuthRandom rng(true);
        EnsembleDeCartes mains[4];
        mains[2].ajouteCarte(kit.carte(Coeur, A));
        QCOMPARE(m.distribueInconnues(1, mains, n, fin.partie->cartesEnMain_, rng, nullptr, true),
                 AI_ProbaSimplifiee::DistributionReussie);
        for (const EnsembleDeCartes& main : mains)
            QVERIFY(main.estVide());
    }

    // The property: whatever the deal, the game and the view, the unseen
    // cards are dealt so that every seat gets exactly its count, the player
    // its own cards, and no seat a card it cannot hold.
    void dealsAgreeWithEverythingKnown()
    {
        int positions = 0;
        int pireRecommencements = 0;
        for (int belote = 0; belote < 2; ++belote) {
            const int modes[] = {Trefle, Carreau, Pique, Coeur, belote ? int(StatusAtout::ToutAtout)
                                                                       : int(StatusAtout::HautEnBas)};
            for (quint32 graine = 1; graine <= 120; ++graine) {
                const int total = belote ? 32 : 36;
                const int jouees = int(graine * 7 % quint32(total - 4)) + 1;
                const int atout = modes[graine % 5];
                Position pos(belote != 0, graine, jouees, atout, int(graine % 4));
                const Partie& partie = *pos.partie;
                const int soi = int(graine / 3 % 4);
                const double reglages[] = {0.41, 1.0, 0.0, 0.3};
                AI_ProbaSimplifiee m(nullptr, optionsAvecConnaissance(reglages[graine % 4]));
                m.cartesRecues(soi, pos.mains[soi]);
                // Sometimes a card of another seat has been shown to all.
                const int montre = (soi + 1 + int(graine % 3)) % 4;
                Carte* connue = nullptr;
                if (graine % 2 == 0 && !pos.mains[montre].estVide()) {
                    connue = pos.mains[montre].getCarte(int(pos.mains[montre].getPremierIndex()));
                    EnsembleDeCartes une;
                    une.ajouteCarte(connue);
                    m.attribueCartes(montre, une);
                }
                m.metAJour(nullptr, partie);

                int nombres[4];
                AI_ProbaSimplifiee::nombresDeCartes(partie, nombres);
                for (int j = 0; j < 4; ++j)
                    QCOMPARE(nombres[j], int(pos.mains[j].getNombreDeCartes()));

                GM_KnuthRandom rng(true);
                rng.initialise(graine * 31);
                for (int essai = 0; essai < 6; ++essai) {
                    const bool vueDuJoueur = essai % 2 == 0;
                    EnsembleDeCartes mains[4];
                    const auto r = m.distribueInconnues(soi, mains, nombres, partie.cartesEnMain_, rng, nullptr,
                                                        vueDuJoueur);
                    const QByteArray contexte = QByteArray("belote ") + QByteArray::number(belote) + " seed "
                                              + QByteArray::number(graine) + " try " + QByteArray::number(essai);
                    QVERIFY2(r == AI_ProbaSimplifiee::DistributionReussie, contexte.constData());
                    pireRecommencements = std::max(pireRecommencements, m.getRecommencements());
                    QVERIFY2(mains[soi] == pos.mains[soi], contexte.constData());
                    quint64 vus = 0;
                    const quint8* vue = vueDuJoueur ? m.vueJoueur : m.vueAutres;
                    for (int j = 0; j < 4; ++j) {
                        QCOMPARE(int(mains[j].getNombreDeCartes()), nombres[j]);
                        QVERIFY2((vus & mains[j].getMasque()) == 0, contexte.constData());
                        vus |= mains[j].getMasque();
                        if (j == soi)
                            continue;
                        for (const Carte* c : mains[j]) {
                            QVERIFY2(plausible(partie, j, c), contexte.constData());
                            QVERIFY2(vue[AI_ProbaSimplifiee::index(j, c->getValeur(), c->getCouleur())] == 1,
                                     contexte.constData());
                        }
                    }
                    QCOMPARE(vus, partie.cartesEnMain_.getMasque());
                    if (connue != nullptr)
                        QVERIFY2(mains[montre].contientCarte(connue), contexte.constData());
                }
                ++positions;
            }
        }
        QCOMPARE(positions, 240);
        // Far from the bound: a miss there would stop a real game.
        QVERIFY2(pireRecommencements < AI_ProbaSimplifiee::RECOMMENCEMENTS_MAX / 100,
                 QByteArray::number(pireRecommencements).constData());
    }

    // Without constraints every layout is as likely as any other: each
    // card lands with each opponent about a third of the time.
    void dealsSpreadEvenly()
    {
        Position pos(false, 77, 0, Pique, 0);
        AI_ProbaSimplifiee m(nullptr, optionsAvecConnaissance(0.0));
        m.cartesRecues(0, pos.mains[0]);
        m.metAJour(nullptr, *pos.partie);
        const int nombres[4] = {9, 9, 9, 9};
        GM_KnuthRandom rng(true);
        int chez[36][4] = {};
        const int tirages = 3000;
        for (int k = 0; k < tirages; ++k) {
            EnsembleDeCartes mains[4];
            QCOMPARE(m.distribueInconnues(0, mains, nombres, pos.partie->cartesEnMain_, rng, nullptr, k % 2),
                     AI_ProbaSimplifiee::DistributionReussie);
            for (int j = 1; j < 4; ++j)
                for (const Carte* c : mains[j])
                    ++chez[c->getIndex()][j];
        }
        for (const Carte* c : pos.partie->cartesEnMain_) {
            if (pos.mains[0].contientCarte(c))
                continue;
            for (int j = 1; j < 4; ++j) {
                const double part = double(chez[c->getIndex()][j]) / tirages;
                QVERIFY2(part > 0.28 && part < 0.39, qPrintable(c->toString()));
            }
        }
    }

    void hopelessDealsEnd()
    {
        Position pos(false, 5, 0, Pique, 0);
        const EnsembleDeCartes& inconnues = pos.partie->cartesEnMain_;
        int nombres[4] = {9, 9, 9, 9};
        GM_KnuthRandom rng(true);
        EnsembleDeCartes mains[4];

        // A card that no other seat may hold.
        AI_ProbaSimplifiee m(nullptr, optionsAvecConnaissance(0.0));
        m.cartesRecues(0, pos.mains[0]);
        Carte* orpheline = pos.mains[1].getCarte(int(pos.mains[1].getPremierIndex()));
        for (int j = 1; j < 4; ++j)
            m.vueAutres[AI_ProbaSimplifiee::index(j, orpheline->getValeur(), orpheline->getCouleur())] = 0;
        QCOMPARE(m.distribueInconnues(0, mains, nombres, inconnues, rng, nullptr, false),
                 AI_ProbaSimplifiee::DistributionImpossible);
        QCOMPARE(m.getRecommencements(), 0);
        // ... while the other view still allows it.
        QCOMPARE(m.distribueInconnues(0, mains, nombres, inconnues, rng, nullptr, true),
                 AI_ProbaSimplifiee::DistributionReussie);

        // Seat 1 is void in suits 1 and 2, seats 2 and 3 in suits 3 and 4:
        // more than nine unseen cards of suits 3 and 4 are left for seat 1
        // alone. Rejected before any draw.
        AI_ProbaSimplifiee vide(nullptr, optionsAvecConnaissance(0.0));
        vide.cartesRecues(0, pos.mains[0]);
        for (int couleur = 1; couleur <= 4; ++couleur)
            for (int v = 6; v <= 14; ++v) {
                if (couleur <= 2)
                    vide.vueAutres[AI_ProbaSimplifiee::index(1, v, couleur)] = 0;
                else {
                    vide.vueAutres[AI_ProbaSimplifiee::index(2, v, couleur)] = 0;
                    vide.vueAutres[AI_ProbaSimplifiee::index(3, v, couleur)] = 0;
                }
            }
        int nombre34 = 0;
        for (const Carte* c : pos.mains[0])
            nombre34 += c->getCouleur() >= 3 ? 1 : 0;
        QVERIFY(nombre34 < 9);
        QCOMPARE(vide.distribueInconnues(0, mains, nombres, inconnues, rng, nullptr, false),
                 AI_ProbaSimplifiee::DistributionImpossible);
        QCOMPARE(vide.getRecommencements(), 0);

        // Counts that do not add up, or a bad seat.
        int faux[4] = {9, 9, 9, 8};
        QCOMPARE(m.distribueInconnues(0, mains, faux, inconnues, rng, nullptr, true),
                 AI_ProbaSimplifiee::DistributionImpossible);
        int negatif[4] = {9, 10, 9, -1};
        QCOMPARE(m.distribueInconnues(0, mains, negatif, inconnues, rng, nullptr, true),
                 AI_ProbaSimplifiee::DistributionImpossible);
        const int enorme = std::numeric_limits<int>::max();
        int debordants[4] = {9, enorme, enorme, enorme};
        QCOMPARE(m.distribueInconnues(0, mains, debordants, inconnues, rng, nullptr, true),
                 AI_ProbaSimplifiee::DistributionImpossible);
        QCOMPARE(m.distribueInconnues(4, mains, nombres, inconnues, rng, nullptr, true),
                 AI_ProbaSimplifiee::DistributionImpossible);
        // The own hand unknown to the model: its cards would swamp the others.
        AI_ProbaSimplifiee ignorant(nullptr, optionsAvecConnaissance(0.0));
        QCOMPARE(ignorant.distribueInconnues(0, mains, nombres, inconnues, rng, nullptr, true),
                 AI_ProbaSimplifiee::DistributionImpossible);
        for (const EnsembleDeCartes& main : mains)
            QVERIFY(main.estVide());
    }

    // The dealer is told that seat 1 holds ten of the unseen cards but may
    // take only nine, and always trusts that: every attempt overflows.
    void endlessRestartsAreBounded()
    {
        Position pos(false, 9, 0, Pique, 0);
        AI_ProbaSimplifiee m(nullptr, optionsAvecConnaissance(1.0));
        m.cartesRecues(0, pos.mains[0]);
        EnsembleDeCartes dix = pos.mains[1];
        dix.ajouteCarte(pos.mains[2].getCarte(int(pos.mains[2].getPremierIndex())));
        m.marqueCartesConnues(1, dix);
        const int nombres[4] = {9, 9, 9, 9};
        GM_KnuthRandom rng(true);
        EnsembleDeCartes mains[4];
        QCOMPARE(m.distribueInconnues(0, mains, nombres, pos.partie->cartesEnMain_, rng, nullptr, true),
                 AI_ProbaSimplifiee::DistributionImpossible);
        QCOMPARE(m.getRecommencements(), AI_ProbaSimplifiee::RECOMMENCEMENTS_MAX + 1);
    }

    void stopFlagEndsTheDeal()
    {
        Position pos(false, 9, 0, Pique, 0);
        AI_ProbaSimplifiee m(nullptr, optionsAvecConnaissance(1.0));
        m.cartesRecues(0, pos.mains[0]);
        const int nombres[4] = {9, 9, 9, 9};
        GM_KnuthRandom rng(true);
        EnsembleDeCartes mains[4];

        // Raised before: nothing is dealt, and the caller learns why.
        std::atomic<bool> arret{true};
        QCOMPARE(m.distribueInconnues(0, mains, nombres, pos.partie->cartesEnMain_, rng, &arret, true),
                 AI_ProbaSimplifiee::DistributionInterrompue);
        for (const EnsembleDeCartes& main : mains)
            QVERIFY(main.estVide());

        // Raised from another thread while the dealer keeps restarting: it
        // ends there instead of running to the bound.
        EnsembleDeCartes dix = pos.mains[1];
        dix.ajouteCarte(pos.mains[2].getCarte(int(pos.mains[2].getPremierIndex())));
        m.marqueCartesConnues(1, dix);
        arret = false;
        std::thread annule([&arret] {
            std::this_thread::sleep_for(std::chrono::milliseconds(1));
            arret = true;
        });
        // Should the thread start late, a deal may first run to its bound;
        // the cancel must get through all the same.
        AI_ProbaSimplifiee::Distribution r;
        do {
            r = m.distribueInconnues(0, mains, nombres, pos.partie->cartesEnMain_, rng, &arret, true);
        } while (r == AI_ProbaSimplifiee::DistributionImpossible);
        annule.join();
        QCOMPARE(r, AI_ProbaSimplifiee::DistributionInterrompue);
    }
};

ZB_REGISTER_TEST(TestCardLocation)
#include "TestCardLocation.moc"
