#include "SceneArdoise.h"

#include "GL_ObjectSquare.h"
#include "GM_SharedFunctions.h"
#include "SceneTextes.h"

#include <QBrush>
#include <QFontInfo>
#include <QFontMetrics>
#include <QGraphicsPathItem>
#include <QGraphicsScene>
#include <QGraphicsSimpleTextItem>
#include <QPainter>
#include <QPainterPath>
#include <QPen>

#include <algorithm>
#include <cmath>

#include "DisplayGLSceneInterne.h"

using namespace scene_interne;

namespace {

// The scoreboard is laid out on its picture's original size; the texture
// holds it stretched to powers of two.
constexpr double LARGEUR_DESSIN_ARDOISE = 512.0;
constexpr double HAUTEUR_DESSIN_ARDOISE = 576.0;
constexpr double X_TEXTE_ARDOISE = 78.0;
constexpr std::array<double, 5> Y_LIGNES_ARDOISE = {120.0, 199.0, 278.0, 357.0, 436.0};
constexpr double PART_POLICE_ARDOISE = 0.12;
constexpr int CIBLE_PAR_TOURS = 100000;
constexpr int SANS_CIBLE = -1;
constexpr int THEME_RACING = 2;
constexpr int THEME_CANDY = 3;
const char* const POLICE_ARDOISE = "SF Cartoonist Hand";

QFont policeDeBase()
{
    QFont police = scaledFont(SceneArdoise::CLASSE_POLICE);
    police.setBold(true);
    return police;
}

} // namespace

SceneArdoise::SceneArdoise(QGraphicsScene& scene)
{
    const QFont police = policeDeBase();
    for (QGraphicsSimpleTextItem*& ligne : lignes_) {
        ligne = new QGraphicsSimpleTextItem;
        ligne->setFont(police);
        ligne->setZValue(Z_LIGNES);
        ligne->setCacheMode(QGraphicsItem::DeviceCoordinateCache);
        scene.addItem(ligne);
    }
    fond_ = new QGraphicsPathItem;
    fond_->setPen(Qt::NoPen);
    fond_->setBrush(FOND_LIGNES);
    fond_->setZValue(Z_FOND);
    fond_->hide();
    scene.addItem(fond_);
}

// ------------------------------------------------------------------ lines

void SceneArdoise::pose(double largeur, double haut, const QString& texte, double hauteurTable,
                        const QRectF& ardoise)
{
    // The text grows with the table: a fixed size read well in a small
    // window and was lost in a large one.
    QFont police = policeDeBase();
    police.setPixelSize(std::max(QFontInfo(police).pixelSize(), arrondi(PART_POLICE_LIGNES * hauteurTable)));
    largeur_ = largeur;
    haut_ = haut;
    texte_ = texte;
    ardoise_ = ardoise;
    const double marge = MARGE_FOND_LIGNES * QFontMetricsF(police).height();
    auto fond = [marge](const QRectF& lignes) { return lignes.adjusted(-marge, -marge / 2.0, marge, marge / 2.0); };
    const double y = haut + HAUT_LIGNES;
    QRectF occupe = poseLignes_(police, 0.0, largeur, y, texte);
    // The slate's scores stay readable: a long text is wrapped in the room
    // right of the slate, or, where that room is narrow, goes below it.
    if (!occupe.isEmpty() && fond(occupe).intersects(ardoise)) {
        const double gauche = ardoise.right() + marge;
        if (largeur - gauche >= largeur / 2.0)
            occupe = poseLignes_(police, gauche, largeur, y, texte);
        else
            occupe = poseLignes_(police, 0.0, largeur, std::max(y, ardoise.bottom() + marge / 2.0), texte);
    }
    // The backing: the lines' own rectangle and a margin, rounded. The
    // corners' radius stays within the margin above and below, so that a
    // long line's first and last letters never stand over the cut corners
    // (pink prompt letters on the wood there read at 2 to 1).
    if (occupe.isEmpty()) {
        fond_->hide();
        return;
    }
    QPainterPath chemin;
    chemin.addRoundedRect(fond(occupe), marge / 2.0, marge / 2.0);
    fond_->setPath(chemin);
    fond_->show();
}

QRectF SceneArdoise::poseLignes_(const QFont& police, double gauche, double droite, double haut,
                                 const QString& texte)
{
    const QStringList lignes = scene_textes::coupeLignes(texte, QFontMetrics(police), droite - gauche);
    double y = haut;
    QRectF occupe;
    for (int i = 0; i < NOMBRE_LIGNES; ++i) {
        QGraphicsSimpleTextItem* ligne = lignes_[static_cast<size_t>(i)];
        if (ligne->font() != police)
            ligne->setFont(police);
        ligne->setText(i < lignes.size() ? lignes[i] : QString());
        const QRectF boite = ligne->boundingRect();
        ligne->setPos(gauche + (droite - gauche - boite.width()) / 2.0, y);
        y += boite.height();
        if (!ligne->text().isEmpty())
            occupe |= ligne->sceneBoundingRect();
        ligne->update();
    }
    return occupe;
}

bool SceneArdoise::doitSuivre(const QRectF& ardoise) const
{
    if (texte_.isEmpty())
        return false;
    if (ardoise.isEmpty() || ardoise_.isEmpty())
        return ardoise.isEmpty() != ardoise_.isEmpty();
    // Less than a pixel is the same place.
    return std::abs(ardoise.left() - ardoise_.left()) >= 1.0 || std::abs(ardoise.top() - ardoise_.top()) >= 1.0
        || std::abs(ardoise.right() - ardoise_.right()) >= 1.0
        || std::abs(ardoise.bottom() - ardoise_.bottom()) >= 1.0;
}

void SceneArdoise::suit(double hauteurTable, const QRectF& ardoise)
{
    if (doitSuivre(ardoise))
        pose(largeur_, haut_, texte_, hauteurTable, ardoise);
}

QString SceneArdoise::texte() const
{
    QString texte;
    for (const QGraphicsSimpleTextItem* ligne : lignes_) {
        if (ligne->text().isEmpty())
            continue;
        if (!texte.isEmpty())
            texte += QLatin1Char(' ');
        texte += ligne->text();
    }
    return texte;
}

void SceneArdoise::setPolice(const QFont& police)
{
    for (QGraphicsSimpleTextItem* ligne : lignes_)
        ligne->setFont(police);
}

void SceneArdoise::setCouleurs(const QBrush& remplissage, const QPen& contour)
{
    for (QGraphicsSimpleTextItem* ligne : lignes_) {
        ligne->setBrush(remplissage);
        ligne->setPen(contour);
    }
}

void SceneArdoise::setCacheMode(QGraphicsItem::CacheMode mode)
{
    for (QGraphicsSimpleTextItem* ligne : lignes_)
        ligne->setCacheMode(mode);
}

QGraphicsItem::CacheMode SceneArdoise::cacheMode() const
{
    return lignes_[0]->cacheMode();
}

// ----------------------------------------------------------------- status

QString SceneArdoise::traduitStatut_(const QString& motAction) const
{
    if (!sourceStatut_)
        return QString();
    QStringList args;
    for (const Argument& argument : argsStatut_) {
        QString nom = argument.siege >= 0 && nommeSiege_ ? nommeSiege_(argument.siege) : QString();
        args << (nom.isEmpty() ? argument.texte : nom);
    }
    if (actionStatut_)
        args.prepend(motAction);
    const QString modele = tr(sourceStatut_);
    // One call per count: names from peers may hold "%2" themselves.
    switch (args.size()) {
    case 0:
        return modele;
    case 1:
        return modele.arg(args[0]);
    default:
        return modele.arg(args[0], args[1]);
    }
}

void SceneArdoise::setStatut(const char* source, const QList<Argument>& args, bool action, const QString& motAction)
{
    sourceStatut_ = source;
    argsStatut_ = args;
    actionStatut_ = action;
    statut_ = traduitStatut_(motAction);
}

void SceneArdoise::retraduitStatut(const QString& motAction)
{
    statut_ = traduitStatut_(motAction);
}

QString SceneArdoise::statutCompose() const
{
    return scene_textes::composeStatut(statut_, aide_);
}

// ------------------------------------------------------------- scoreboard

void SceneArdoise::setTotaux(int equipe0, int equipe1)
{
    totaux_[0] = equipe0;
    totaux_[1] = equipe1;
}

SceneArdoise::Tableau SceneArdoise::tableau(const ZB_PointsDonne& points, int multiplicateur, int equipeVue,
                                            int objectif, int restants) const
{
    Tableau l;
    l.equipeVue = equipeVue;
    // No seat known yet (a table being reset or a file being opened): the
    // user's side is team 0, as it will be once seated.
    const bool vousEnZero = l.equipeVue == 0;
    const QString vous = tr("Vous");
    const QString eux = tr("Eux");
    const QString etiquettes[2] = {vousEnZero ? vous : eux, vousEnZero ? eux : vous};
    // Callers pass 1 or more; a damaged record must not divide by zero.
    const int diviseur = std::max(1, multiplicateur);
    for (int e = 0; e < 2; ++e)
        l.totauxDonne[static_cast<size_t>(e)] = points.getScore(e);
    l.textes[0] = tr("%1: %2").arg(etiquettes[0]).arg(totaux_[0]);
    l.textes[1] = tr("Tour: %1x%2").arg(l.totauxDonne[0] / diviseur).arg(diviseur);
    if (objectif == SANS_CIBLE)
        l.textes[2] = tr("---");
    else if (objectif == CIBLE_PAR_TOURS)
        l.textes[2] = tr("--- %1 ---").arg(restants);
    else
        l.textes[2] = tr("--- %1 ---").arg(objectif);
    l.textes[3] = tr("%1: %2").arg(etiquettes[1]).arg(totaux_[1]);
    l.textes[4] = tr("Tour: %1x%2").arg(l.totauxDonne[1] / diviseur).arg(diviseur);
    return l;
}

void SceneArdoise::dessine(GL_ObjectSquare& ardoise, const Tableau& tableau, int theme, int equipeBarree)
{
    QImage image = ardoise.getImage();
    if (image.isNull())
        return;
    image = image.convertToFormat(QImage::Format_ARGB32_Premultiplied);
    QPainter peintre(&image);
    peintre.setRenderHint(QPainter::TextAntialiasing);
    peintre.setRenderHint(QPainter::Antialiasing);
    peintre.scale(image.width() / LARGEUR_DESSIN_ARDOISE, image.height() / HAUTEUR_DESSIN_ARDOISE);
    QColor normal(Qt::white);
    if (theme == THEME_RACING)
        normal = QColor(0xF4, 0x4D, 0x49);
    else if (theme == THEME_CANDY)
        normal = COULEUR_SOMBRE;
    const QColor barre(Qt::red);
    QFont police{QString::fromLatin1(POLICE_ARDOISE)};
    police.setPixelSize(std::max(1, arrondi(PART_POLICE_ARDOISE * LARGEUR_DESSIN_ARDOISE)));
    QFont policeBarree = police;
    policeBarree.setStrikeOut(true);
    for (size_t i = 0; i < tableau.textes.size(); ++i) {
        const bool estBarree = (i == 1 && equipeBarree == 0) || (i == 4 && equipeBarree == 1);
        peintre.setFont(estBarree ? policeBarree : police);
        peintre.setPen(estBarree ? barre : normal);
        peintre.drawText(QPointF(X_TEXTE_ARDOISE, Y_LIGNES_ARDOISE[i]), tableau.textes[i]);
    }
    peintre.end();
    montreSiChangee(ardoise, image, image_);
}

std::array<SceneArdoise::Ecart, SceneArdoise::NOMBRE_ECARTS>
SceneArdoise::ecarts(const ZB_PointsDonne& points, int equipe, const QString& stock) const
{
    const ZB_PointsDonne& a = pointsPrecedents_;
    const ZB_PointsDonne& n = points;
    struct Compteur
    {
        const int* nouveau;
        const int* ancien;
        QString label;
    };
    const Compteur compteurs[NOMBRE_ECARTS] = {
        {n.pointsCartes_, a.pointsCartes_, QString()},
        {n.pointsAnnonces_, a.pointsAnnonces_, tr(" Annonce")},
        {n.bonusDernierPli_, a.bonusDernierPli_, tr(" Der")},
        {n.autresPoints_, a.autresPoints_, stock},
        {n.pointsContrat_, a.pointsContrat_, tr(" Mise")},
        {n.pointsCartesPris_, a.pointsCartesPris_, tr(" Plis Adverse")},
        {n.pointsAnnoncesPris_, a.pointsAnnoncesPris_, tr(" Annonces Adverse")},
        {n.bonusDernierPliPris_, a.bonusDernierPliPris_, tr(" Der Adverse")},
        {n.autresPointsPris_, a.autresPointsPris_, stock.isEmpty() ? stock : stock + tr(" Adverse")},
    };
    const int t = equipe == 1 ? 1 : 0;
    const int o = 1 - t;
    std::array<Ecart, NOMBRE_ECARTS> resultat;
    for (size_t i = 0; i < resultat.size(); ++i) {
        const Compteur& c = compteurs[i];
        resultat[i].delta = (c.nouveau[t] - c.nouveau[o]) - (c.ancien[t] - c.ancien[o]);
        resultat[i].label = c.label;
    }
    return resultat;
}

bool SceneArdoise::estMatchNouveau(const ZB_PointsDonne& points) const
{
    const bool avant = pointsPrecedents_.match_[0] || pointsPrecedents_.match_[1];
    return (points.match_[0] || points.match_[1]) && !avant;
}
