#include "SceneBulles.h"

#include "GL_ObjectSquare.h"
#include "SceneTextes.h"

#include <QFont>
#include <QFontMetricsF>
#include <QPainter>

#include <algorithm>

#include "DisplayGLSceneInterne.h"

namespace {

constexpr double MARGE_TEXTE = 0.06;
constexpr double PART_POINTE = 0.25;

bool estPosition(int position)
{
    return position >= 0 && position < SceneBulles::NOMBRE_SIEGES;
}

} // namespace

SceneBulles::SceneBulles() = default;
SceneBulles::~SceneBulles() = default;

// ------------------------------------------------------------- the objects

void SceneBulles::setObjet(int position, std::unique_ptr<GL_ObjectSquare> objet)
{
    if (!estPosition(position))
        return;
    if (objet) {
        objet->setGardeImage(false);
        objet->setShown(false, false);
    }
    objets_[static_cast<size_t>(position)] = std::move(objet);
}

GL_ObjectSquare* SceneBulles::objet(int position) const
{
    return estPosition(position) ? objets_[static_cast<size_t>(position)].get() : nullptr;
}

void SceneBulles::libere()
{
    for (auto& objet : objets_)
        objet.reset();
}

void SceneBulles::rechargeTheme(int theme)
{
    for (auto& objet : objets_)
        if (objet)
            objet->reloadTheme(theme);
}

void SceneBulles::setDureeAnimation(int ms)
{
    for (auto& objet : objets_)
        if (objet)
            objet->setDureeAnimation(ms);
}

void SceneBulles::redessine(const QFont& police)
{
    for (int p = 0; p < NOMBRE_SIEGES; ++p)
        if (!textes_[static_cast<size_t>(p)].isEmpty())
            dessine_(p, police);
}

// Not the object-text box of the slate and notices (a fixed 520 x 100 at
// the top of the picture, in the cartoon font): in this program's bubble
// picture that box lies above the middle of the body and its text read
// small and thin. The text is bold, centred in the body above the tail, and
// written smaller when it is wider than the bubble.
QRectF SceneBulles::boiteTexte(const QSize& image)
{
    return QRectF(image.width() * MARGE_TEXTE, image.height() * MARGE_TEXTE, image.width() * (1.0 - 2.0 * MARGE_TEXTE),
                  image.height() * (1.0 - 2.0 * MARGE_TEXTE - PART_POINTE));
}

QFont SceneBulles::policeQuiTient(const QString& texte, const QFont& police, int largeurImage)
{
    QFont ecriture = police;
    // Measured as it is written: bold is wider.
    ecriture.setBold(true);
    const double largeur = boiteTexte(QSize(largeurImage, largeurImage)).width();
    int taille = std::max(1, scene_interne::arrondi(PART_POLICE * largeurImage));
    // Long texts shrink until they fit the bubble's width.
    for (; taille > 1; --taille) {
        ecriture.setPixelSize(taille);
        if (QFontMetricsF(ecriture).horizontalAdvance(texte) <= largeur)
            break;
    }
    ecriture.setPixelSize(taille);
    return ecriture;
}

void SceneBulles::dessine_(int position, const QFont& police)
{
    GL_ObjectSquare* objet = this->objet(position);
    if (!objet)
        return;
    QImage image = objet->getImage();
    if (image.isNull())
        return;
    const QString texte = textes_[static_cast<size_t>(position)];
    QPainter peintre(&image);
    peintre.setRenderHint(QPainter::TextAntialiasing);
    const QRectF boite = boiteTexte(image.size());
    peintre.setFont(policeQuiTient(texte, police, image.width()));
    peintre.setPen(Qt::black);
    peintre.drawText(boite, Qt::AlignCenter, texte);
    peintre.end();
    objet->setObjectImage(image);
}

// ------------------------------------------------------- what they say

QString SceneBulles::texte(int position) const
{
    return estPosition(position) ? textes_[static_cast<size_t>(position)] : QString();
}

bool SceneBulles::isPendante(int position) const
{
    return estPosition(position) && pendantes_[static_cast<size_t>(position)];
}

void SceneBulles::setPendante(int position, bool pendante)
{
    if (estPosition(position))
        pendantes_[static_cast<size_t>(position)] = pendante;
}

void SceneBulles::dit(int position, Texte texte, const QFont& police)
{
    if (!estPosition(position))
        return;
    const size_t p = static_cast<size_t>(position);
    textes_[p] = texte ? texte() : QString();
    sources_[p] = std::move(texte);
    mises_[p].variante = -1;
    dessine_(position, police);
}

SceneBulles::Texte SceneBulles::source(int position) const
{
    return estPosition(position) ? sources_[static_cast<size_t>(position)] : Texte();
}

bool SceneBulles::ditMise(int position, const ZB_StatusMise& mise, int variante, int style, bool anime,
                          const QFont& police, bool& effaceRetournee)
{
    effaceRetournee = false;
    if (!estPosition(position))
        return false;
    const bool parle = mise.typeContrat_ != 0;
    anime = anime && parle;
    const int suivante = (position + 1) % NOMBRE_SIEGES;
    if (!(suivante == dernierMiseur_ && !mise.miseFaite_))
        montre(suivante, false, anime);
    if (!parle) {
        montre(position, false, false);
        return false;
    }
    montre(position, true, anime);
    if (mise.miseFaite_)
        dernierMiseur_ = position;
    QString& texte = textes_[static_cast<size_t>(position)];
    texte = scene_textes::texteBulleMise(mise, variante, style, texte, &effaceRetournee);
    mises_[static_cast<size_t>(position)] = {mise, variante};
    sources_[static_cast<size_t>(position)] = {};
    dessine_(position, police);
    return true;
}

void SceneBulles::retraduit(int style, const QFont& police)
{
    for (int p = 0; p < NOMBRE_SIEGES; ++p) {
        const MiseDeBulle& dite = mises_[static_cast<size_t>(p)];
        QString& texte = textes_[static_cast<size_t>(p)];
        if (dite.variante >= 0)
            texte = scene_textes::texteBulleMise(dite.mise, dite.variante, style, texte, nullptr);
        else if (const Texte& source = sources_[static_cast<size_t>(p)])
            texte = source();
        else
            continue;
        dessine_(p, police);
    }
}

void SceneBulles::montre(int position, bool montre, bool anime)
{
    if (GL_ObjectSquare* objet = this->objet(position))
        objet->setShown(montre, anime);
}

void SceneBulles::montreSiPendante(int position, bool anime)
{
    if (isPendante(position))
        montre(position, true, anime);
}

void SceneBulles::cache(bool anime)
{
    for (auto& objet : objets_)
        if (objet)
            objet->setShown(false, anime);
}

void SceneBulles::vide()
{
    cache(false);
    pendantes_.fill(false);
    for (QString& texte : textes_)
        texte.clear();
    sources_.fill({});
    mises_.fill({});
    dernierMiseur_ = -1;
}
