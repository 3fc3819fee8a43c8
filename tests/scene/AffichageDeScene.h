#pragma once

// The table's screen for a headless match: every operation of the table
// reaches the scene as the table view hands it on, the seats' panels
// included when the test gives them; the end of each trick is counted as it
// happens, and every played card checked against the game's trick.

#include "Carte.h"
#include "DisplayGLPanelDeJoueur.h"
#include "DisplayGLScene.h"
#include "GL_ObjectCube.h"
#include "InfoDemande.h"
#include "Partie.h"
#include "ZB_DisplayEmpty.h"

#include <QSet>
#include <QSharedPointer>

#include <array>

namespace scenetest {

class AffichageDeScene : public ZB_DisplayEmpty
{
public:
    explicit AffichageDeScene(DisplayGLScene& scene) : scene_(scene) {}

    // The four seats' panels, as the view builds them.
    void creePanneaux()
    {
        for (auto& panneau : panneaux)
            panneau = scene_.creePanneau(nullptr);
    }
    DisplayAPanelDeJoueur* getPanelDeJoueur(int siege) override
    {
        if (siege >= 0 && siege < 4 && panneaux[size_t(siege)])
            return panneaux[size_t(siege)].data();
        return ZB_DisplayEmpty::getPanelDeJoueur(siege);
    }
    void setJoueur(int siege, Joueur* joueur) override
    {
        scene_.setJoueur(siege, joueur, siege >= 0 && siege < 4 ? panneaux[size_t(siege)] : nullptr);
    }
    void afficheRedistribution() override { scene_.afficheRedistribution(); }
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
    void afficheResteDistribue() override { scene_.afficheResteDistribue(); }
    void afficheCarteJouee(int siege, Carte* carte) override
    {
        ++cartesJouees;
        const auto avant = pli();
        scene_.afficheCarteJouee(siege, carte);
        // The first card of a trick sends the last one to its leader's pile.
        compteRamasses(avant, siege, scene_.objetCarte(carte ? carte->getIndex() : -1));
        // The cloth holds the game's trick (the card not yet in it) and
        // nothing else.
        if (const QSharedPointer<Partie> jeu = scene_.partie(); jeu && carte) {
            QSet<const GL_ObjectCube*> attendues{scene_.objetCarte(carte->getIndex())};
            for (int j = 0; j < 4; ++j)
                if (const Carte* c = jeu->getCarteDuPli(j))
                    attendues.insert(scene_.objetCarte(c->getIndex()));
            QSet<const GL_ObjectCube*> surTable;
            for (const GL_ObjectCube* cube : pli())
                if (cube)
                    surTable.insert(cube);
            plisFaux += surTable != attendues;
        }
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
    int plisFaux = 0;
    int bulles = 0;
    int etats = 0;
    int ardoises = 0;
    std::array<QSharedPointer<DisplayGLPanelDeJoueur>, 4> panneaux;

private:
    DisplayGLScene& scene_;
};

} // namespace scenetest
