#include "SceneMains.h"

#include "Carte.h"
#include "DisplayGLHumanCarte.h"
#include "DisplayGLJeuDeCartes.h"
#include "DisplayGLScene.h"

#include <algorithm>

SceneMains::SceneMains(const DisplayGLScene& scene, const DisplayGLJeuDeCartes& jeu)
    : scene_(scene)
{
    for (int i = 0; i < DisplayGLJeuDeCartes::NOMBRE_CARTES; ++i)
        sprites_.append(jeu.getCartePartagee(i));
}

DisplayGLHumanCarte* SceneMains::sprite(int index) const
{
    return index >= 0 && index < sprites_.size() ? sprites_.at(index).data() : nullptr;
}

bool SceneMains::estVisible(int siege) const
{
    if (siege < 0 || siege >= NOMBRE_SIEGES)
        return false;
    const DisplayGLScene::Siege& s = scene_.sieges()[static_cast<size_t>(siege)];
    if (s.utilisePanneau != 0)
        return true;
    // A player at another screen keeps its hand to itself, even at the
    // bottom of a screen whose user has no seat: only the view that shows
    // every hand turns it.
    return siege == scene_.siegeBas() && (s.joueur == nullptr || s.joueur->options_.distant_ == 0);
}

void SceneMains::dispose(const Carte* sortie)
{
    if (scene_.isAutomatique())
        return;
    const QRectF table = scene_.zoneTable();
    if (table.width() <= 0.0 || table.height() <= 0.0)
        return;
    for (const DisplayGLScene::Siege& siege : scene_.sieges()) {
        if (!siege.joueur || siege.numero < 0)
            continue;
        // A card just played leaves its place at once, whether or not the
        // game has taken it from the hand yet: the others close the gap.
        QList<Carte*> cartes;
        for (Carte* carte : siege.joueur->main_)
            if (carte && carte != sortie)
                cartes.append(carte);
        const int n = std::min<int>(static_cast<int>(cartes.size()), DisplayGLHumanCarte::CARTES_PAR_MAIN);
        const QRectF main = scene_geometrie::zoneMain(table, n);
        const double espacement = main.width() / DisplayGLHumanCarte::CARTES_PAR_MAIN;
        for (int i = 0; i < n; ++i)
            if (DisplayGLHumanCarte* carte = sprite(cartes[i]->getIndex()))
                carte->placeInHand(main, espacement, DisplayGLHumanCarte::CARTES_PAR_MAIN - n, i);
    }
}

void SceneMains::cacheHorsDonne(const std::array<std::vector<Carte*>, NOMBRE_SIEGES>& mains, int tours)
{
    // The last deal's cards leave the hand shown unless this one deals them
    // there again: a joining copy knows no other hand, and would leave the
    // cards of the game before under its own.
    std::array<bool, DisplayGLJeuDeCartes::NOMBRE_CARTES> donnees{};
    for (int j = 0; j < NOMBRE_SIEGES; ++j) {
        const auto& main = mains[static_cast<size_t>(j)];
        if (!estVisible(j))
            continue;
        for (size_t n = 0; n < main.size() && n < static_cast<size_t>(tours); ++n) {
            const int index = main[n]->getIndex();
            if (index >= 0 && index < DisplayGLJeuDeCartes::NOMBRE_CARTES)
                donnees[static_cast<size_t>(index)] = true;
        }
    }
    for (int index = 0; index < DisplayGLJeuDeCartes::NOMBRE_CARTES; ++index) {
        DisplayGLHumanCarte* carte = sprite(index);
        if (carte && !donnees[static_cast<size_t>(index)] && carte->getState() != DisplayGLHumanCarte::Cachee)
            carte->setState(DisplayGLHumanCarte::Cachee, false, 0);
    }
}

void SceneMains::donne(int index, bool anime, int delaiMs)
{
    if (DisplayGLHumanCarte* carte = sprite(index))
        carte->setState(DisplayGLHumanCarte::EnMain, anime, anime ? delaiMs : 0);
}

void SceneMains::cache(int index)
{
    if (DisplayGLHumanCarte* carte = sprite(index))
        carte->setState(DisplayGLHumanCarte::Cachee, false, 0);
}

void SceneMains::cacheTout()
{
    for (int i = 0; i < sprites_.size(); ++i)
        cache(i);
}

void SceneMains::teinte(int index)
{
    if (DisplayGLHumanCarte* carte = sprite(index))
        carte->setTinted(true);
}

void SceneMains::effaceTeintes()
{
    for (const QSharedPointer<DisplayGLHumanCarte>& carte : sprites_)
        if (carte && carte->isTinted())
            carte->setTinted(false);
}
