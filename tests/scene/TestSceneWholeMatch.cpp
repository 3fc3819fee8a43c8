#include "Carte.h"
#include "DisplayGLHumanCarte.h"
#include "GL_ObjectCube.h"
#include "HeadlessMatch.h"
#include "InfoDemande.h"
#include "TableDeScene.h"
#include "ZbTestRegistry.h"

#include <QTest>

#include <array>

using namespace scenetest;
using namespace match_sans_tete;

namespace {

// The table's screen for a headless match: every operation of the table
// reaches the scene as the table view hands it on; the end of each trick
// is checked as it happens.
class AffichageDeScene : public ZB_DisplayEmpty
{
public:
    explicit AffichageDeScene(DisplayGLScene& scene) : scene_(scene) {}

    void setJoueur(int siege, Joueur* joueur) override { scene_.setJoueur(siege, joueur); }
    void setPartie(QSharedPointer<Partie> partie) override { scene_.setPartie(partie); }
    void setNoJoueurLocal(int siege) override { scene_.setNoJoueurLocal(siege); }
    void nouvelleDonne(int cartes, int objectif, int restantes) override
    {
        ++donnes;
        for (GL_ObjectCube* cube : pli())
            cartesDernierPli += cube != nullptr;
        scene_.nouvelleDonne(cartes, objectif, restantes);
    }
    void afficheCartesDistribuees(Carte* carte) override { scene_.afficheCartesDistribuees(carte); }
    void afficheCarteJouee(int siege, Carte* carte) override
    {
        ++cartesJouees;
        const auto avant = pli();
        scene_.afficheCarteJouee(siege, carte);
        // The first card of a trick sends the last one to its leader's pile.
        compteRamasses(avant, siege, scene_.objetCarte(carte ? carte->getIndex() : -1));
    }
    void afficheCartesAnnonces(int inutilise, int gagnant, const std::array<AnnoncesJoueur, 4>& annonces) override
    {
        const auto avant = pli();
        scene_.afficheCartesAnnonces(inutilise, gagnant, annonces);
        compteRamasses(avant, gagnant, nullptr);
    }
    void finDeDonne(bool) override
    {
        for (GL_ObjectCube* cube : pli())
            cartesDernierPli += cube != nullptr;
        scene_.finDeDonne();
    }
    void effaceBulles(int inutilise, const AnnoncesJoueur& annonces) override
    {
        scene_.effaceBulles(inutilise, annonces);
    }
    void afficheBulleJoueur(int siege, const AnnoncesJoueur& annonces) override
    {
        scene_.afficheBulleJoueur(siege, annonces);
    }
    void afficheBulleMise(int siege, const ZB_StatusMise& mise, int variante) override
    {
        ++bulles;
        scene_.afficheBulleMise(siege, mise, variante);
    }
    void afficheBulleAnnonce(int siege) override { scene_.afficheBulleAnnonce(siege); }
    void afficheMessageReseau(const QString& texte) override { scene_.afficheMessageReseau(texte); }
    void afficheEtat(const InfoDemande& etat, Joueur* acteur, Joueur* second, int siege, bool impose) override
    {
        ++etats;
        scene_.afficheEtat(etat, acteur, second, siege, impose);
    }
    void afficheArdoise(const ZB_PointsA& points, int t0, int t1, int multiplicateur, const QList<int>& stock,
                        int barree) override
    {
        ++ardoises;
        scene_.afficheArdoise(points, t0, t1, multiplicateur, stock, barree);
    }
    void setTexteAide(const QString& texte) override { scene_.setTexteAide(texte); }

    std::array<GL_ObjectCube*, 4> pli() const
    {
        std::array<GL_ObjectCube*, 4> cartes{};
        for (int p = 0; p < 4; ++p)
            cartes[size_t(p)] = scene_.carteSurTable(p);
        return cartes;
    }
    void compteRamasses(const std::array<GL_ObjectCube*, 4>& avant, int gagnant, const GL_ObjectCube* jouee)
    {
        const int pile = DisplayGLPaintA::Pile + scene_.positionAffichage(gagnant);
        for (GL_ObjectCube* cube : avant) {
            if (!cube || cube == jouee)
                continue;
            bool surTable = false;
            for (GL_ObjectCube* reste : pli())
                surTable = surTable || reste == cube;
            if (surTable)
                continue;
            if (cube->getPlacement() == pile && (cube->getHideAtEnd() || !cube->isShown()))
                ++cartesSurPile;
            else
                ++cartesPerdues;
        }
    }

    int donnes = 0;
    int cartesDernierPli = 0;
    int cartesJouees = 0;
    int cartesSurPile = 0;
    int cartesPerdues = 0;
    int bulles = 0;
    int etats = 0;
    int ardoises = 0;

private:
    DisplayGLScene& scene_;
};

} // namespace

class TestSceneWholeMatch : public QObject
{
    Q_OBJECT

private slots:
    // Four computer players play a whole match on a shown table, at the
    // table's own pace ten times faster: every played card goes to a pile
    // (the last trick of a deal is cleared by the deal's end), and the
    // scene holds no more items afterwards than before.
    void wholeMatchOnTheTable_data()
    {
        QTest::addColumn<int>("genre");
        QTest::addColumn<int>("preset");
        QTest::newRow("jass") << 0 << 1;
        QTest::newRow("belote contree") << 1 << 8;
    }
    void wholeMatchOnTheTable()
    {
        QFETCH(int, genre);
        QFETCH(int, preset);
        Reglages r;
        r.automatique = false;
        r.options.cardStyle_ = 9; // no pictures: the match is quick
        r.options.sounds_ = false;
        TableDeScene t(r);
        DisplayGLScene& s = *t.scene;
        s.setFacteurDurees(0.1);
        s.createGLObjects();
        const int items = s.items().size();
        AffichageDeScene affichage(s);
        {
            Banc banc(true, &affichage);
            banc.demarre(optionsDuPreset(genre, preset), 20261207u + quint32(preset), 10);
            QString pourquoi;
            QVERIFY2(banc.attendFin(pourquoi), qPrintable(pourquoi));
            QCOMPARE(banc.salle.cartesIllegales, 0);
        }
        // The match's last trick lies there until the table is cleared.
        affichage.finDeDonne(false);
        QVERIFY(affichage.donnes > 0);
        // A Jass match may end mid-deal once a team reaches the target.
        QVERIFY(affichage.cartesJouees >= (affichage.donnes - 1) * (genre == 0 ? 36 : 32));
        QCOMPARE(affichage.cartesPerdues, 0);
        // Every card on a pile, but the last trick of each deal, which the
        // end of the deal or the next deal clears.
        QCOMPARE(affichage.cartesSurPile + affichage.cartesDernierPli, affichage.cartesJouees);
        QVERIFY(affichage.cartesDernierPli <= 4 * affichage.donnes);
        if (genre == 1)
            QVERIFY(affichage.bulles > 0);
        // Every state and score reached the status line and the board; the
        // bottom seat is a computer's, so the screen's user only watches.
        QVERIFY(affichage.etats > affichage.cartesJouees);
        QVERIFY(affichage.ardoises >= affichage.donnes);
        QCOMPARE(s.texteStatut(), QStringLiteral("Vous êtes spectateur."));
        QVERIFY(!s.imageArdoise().isNull());
        // The flights end; nothing of the match stays on the table.
        QTRY_VERIFY_WITH_TIMEOUT(
            [&] {
                for (int i = 0; i < 36; ++i)
                    if (s.objetCarte(i)->isMoving() || s.objetCarte(i)->isShown())
                        return false;
                return true;
            }(),
            5000);
        QCOMPARE(s.items().size(), items);
        s.setPartie({});
    }
};

ZB_REGISTER_TEST(TestSceneWholeMatch)
#include "TestSceneWholeMatch.moc"
