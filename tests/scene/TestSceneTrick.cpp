#include "AI_Joueur.h"
#include "AiTestKit.h"
#include "AnnoncesJoueur.h"
#include "Carte.h"
#include "DisplayGLPaintWidget.h"
#include "GL_ObjectCube.h"
#include "Partie.h"
#include "TableDeScene.h"
#include "ZbTestRegistry.h"

#include <QGraphicsPixmapItem>
#include <QSet>
#include <QTest>

#include <array>
#include <memory>

using namespace scenetest;

namespace {

// The card indexes the table's 3-D layer paints on the cloth at trick
// places now, as the widget engine leaves its items after a frame.
QSet<int> cartesSurLeTapis(DisplayGLScene& s)
{
    s.rafraichitCouche();
    auto* moteur = dynamic_cast<DisplayGLPaintWidget*>(s.moteur());
    QSet<int> cartes;
    if (!moteur)
        return cartes;
    for (int i = 0; i < 36; ++i) {
        const GL_ObjectCube* cube = s.objetCarte(i);
        if (!cube)
            continue;
        const int placement = cube->getPlacement();
        if (placement < DisplayGLPaintA::TrickPlace || placement >= DisplayGLPaintA::TrickPlace + 4)
            continue;
        for (int id : {cube->getFrontId(), cube->getBackId()})
            if (const QGraphicsPixmapItem* item = moteur->item(id); item && item->isVisible())
                cartes.insert(i);
    }
    return cartes;
}

QString nomme(const QSet<int>& cartes)
{
    QList<int> l = cartes.values();
    std::sort(l.begin(), l.end());
    QStringList t;
    for (int i : l)
        t << QString::number(i);
    return t.join(QLatin1Char(' '));
}

} // namespace

class TestSceneTrick : public QObject
{
    Q_OBJECT

private slots:
    // A whole deal told to the scene as the table tells it, card after card
    // and the announcements settled after the first trick: after every event
    // the cloth shows the cards of the trick in play and nothing else (the
    // last trick until the next one begins, the announced cards until then),
    // whatever the flights still under way. The announcing seat plays third
    // in the second trick, behind two cards that must stay.
    void clothHoldsTheTrickInPlay_data()
    {
        QTest::addColumn<int>("modeVue");
        QTest::addColumn<bool>("annonce");
        QTest::addColumn<bool>("partieJointe");
        QTest::addColumn<double>("facteurDurees");
        QTest::addColumn<int>("attenteMs");
        QTest::newRow("animated, no announcement") << 0 << false << true << 1.0 << 0;
        QTest::newRow("animated, an announced card in the first trick") << 0 << true << true << 1.0 << 0;
        QTest::newRow("view mode 1, an announced card") << 1 << true << true << 1.0 << 0;
        QTest::newRow("fast play: flights end between the events") << 0 << true << true << 0.02 << 25;
        QTest::newRow("a deal replayed without its game") << 0 << true << false << 1.0 << 0;
    }
    void clothHoldsTheTrickInPlay()
    {
        QFETCH(int, modeVue);
        QFETCH(bool, annonce);
        QFETCH(bool, partieJointe);
        QFETCH(double, facteurDurees);
        QFETCH(int, attenteMs);
        Reglages r;
        r.automatique = false;
        r.options.cardStyle_ = 9; // no pictures: the deal is quick
        r.options.sounds_ = false;
        TableDeScene t(r);
        DisplayGLScene& s = *t.scene;
        s.setFacteurDurees(facteurDurees);
        s.createGLObjects();
        aitest::Position donne(false, 7u, 0);
        Partie& jeu = *donne.partie;
        std::array<std::unique_ptr<AI_Joueur>, 4> joueurs;
        s.setNoJoueurLocal(0);
        for (int j = 0; j < 4; ++j) {
            joueurs[size_t(j)] = std::make_unique<AI_Joueur>();
            joueurs[size_t(j)]->options_.ordinateur_ = 1;
            joueurs[size_t(j)]->main_ = donne.mains[j];
            s.setJoueur(j, joueurs[size_t(j)].get());
        }
        s.setModeVue(modeVue);
        s.nouvelleDonne(9, 1000, 0);
        if (partieJointe)
            s.setPartie(donne.partie);

        auto verifie = [&](const QSet<int>& attendues, const QString& evenement) {
            if (attenteMs > 0)
                QTest::qWait(attenteMs);
            const QSet<int> vues = cartesSurLeTapis(s);
            QVERIFY2(vues == attendues, qPrintable(QStringLiteral("after %1: the cloth shows [%2], the trick is [%3]")
                                                       .arg(evenement, nomme(vues), nomme(attendues))));
        };
        std::array<Carte*, 4> premierPli{};
        for (int n = 0; n < 36; ++n) {
            const int siege = jeu.noDuProchainAJouer_;
            const quint64 jouables = jeu.getMasqueCartesJouables(siege, donne.mains[siege].getMasque());
            Carte* carte = donne.mains[siege].getCarte(__builtin_ctzll(jouables));
            QSet<int> pli{carte->getIndex()};
            for (int j = 0; j < 4; ++j)
                if (const Carte* c = jeu.getCarteDuPli(j))
                    pli.insert(c->getIndex());
            if (n < 4)
                premierPli[size_t(siege)] = carte;
            // The table shows the card, then takes it from the hands and
            // hands it to the game.
            s.afficheCarteJouee(siege, carte);
            donne.mains[siege].retireCarte(carte);
            joueurs[size_t(siege)]->main_.retireCarte(carte);
            ZB_PointsDonne part;
            jeu.joueCarte(part, carte, siege);
            verifie(pli, QStringLiteral("card %1 (%2 of seat %3)").arg(n).arg(carte->getIndex()).arg(siege));
            if (QTest::currentTestFailed())
                return;
            if (n != 3 || !annonce)
                continue;
            // The first trick is over; the seat that plays third in the next
            // one announced a run holding its card of this trick.
            const int annonceur = (jeu.joueurQuiDebuteTour_ + 2) % 4;
            const int index = premierPli[size_t(annonceur)]->getIndex();
            const int debut = index / 9 * 9 + std::min(index % 9, 6);
            EnsembleDeCartes suite;
            for (int i = debut; i < debut + 3; ++i)
                suite.ajouteCarte(donne.deck->getCarteParIndex(i));
            std::array<AnnoncesJoueur, 4> annonces{};
            annonces[0] = AnnoncesJoueur(suite, 0);
            QVERIFY(annonces[0].contientCarte(premierPli[size_t(annonceur)]));
            s.effaceBulles(annonceur, annonces[0]);
            s.afficheCartesAnnonces(0, jeu.joueurQuiDebuteTour_ % 2, annonces);
            verifie({index}, QStringLiteral("the announcements"));
            if (QTest::currentTestFailed())
                return;
        }
        QVERIFY(jeu.donneTerminee_);
        s.finDeDonne();
        verifie({}, QStringLiteral("the end of the deal"));
        s.setPartie({});
        for (int j = 0; j < 4; ++j)
            s.setJoueur(j, nullptr);
    }
};

ZB_REGISTER_TEST(TestSceneTrick)
#include "TestSceneTrick.moc"
