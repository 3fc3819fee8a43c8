#include "DisplayGLScoreAnimText.h"

#include <QGraphicsTextItem>

#include <algorithm>
#include <cmath>

#include "GM_SharedFunctions.h"

#include <QPainter>
#include <QTextDocument>

DisplayGLScoreAnimText::QGraphicsTextItemWithBackground::QGraphicsTextItemWithBackground(QGraphicsItem* parent)
    : QGraphicsTextItem(parent)
{
}

DisplayGLScoreAnimText::QGraphicsTextItemWithBackground::~QGraphicsTextItemWithBackground() = default;

void DisplayGLScoreAnimText::QGraphicsTextItemWithBackground::setBackgroundColor(const QColor& couleur)
{
    fond_ = couleur;
    update();
}

void DisplayGLScoreAnimText::QGraphicsTextItemWithBackground::paint(QPainter* painter,
                                                                    const QStyleOptionGraphicsItem* option,
                                                                    QWidget* widget)
{
    if (fond_.isValid()) {
        QRectF boite = boundingRect();
        boite.setHeight(boite.height() * HAUTEUR_FOND);
        painter->save();
        painter->setPen(Qt::NoPen);
        painter->setBrush(fond_);
        painter->drawRoundedRect(boite, RAYON_COINS, RAYON_COINS);
        painter->restore();
    }
    QGraphicsTextItem::paint(painter, option, widget);
}

DisplayGLScoreAnimText::DisplayGLScoreAnimText(QObject* parent)
    : DisplayGLScoreAnim(parent)
    , item_(new QGraphicsTextItemWithBackground)
{
    item_->setVisible(false);
    item_->setCacheMode(QGraphicsItem::DeviceCoordinateCache);
    item_->setAcceptedMouseButtons(Qt::NoButton);
}

DisplayGLScoreAnimText::~DisplayGLScoreAnimText()
{
    // The driver first (its animations write to the item), then the item,
    // which leaves its scene and takes the opacity effect with it.
    stop();
    detruitDriver_();
    delete item_;
}

QString DisplayGLScoreAnimText::texteScore(int delta, const QString& label)
{
    return QStringLiteral("%1%2%3").arg(delta > 0 ? QStringLiteral("+") : QString()).arg(delta).arg(label);
}

int DisplayGLScoreAnimText::intervalleScoresMs(const QRectF& zone)
{
    QGraphicsTextItem mesure;
    mesure.setFont(scaledFont(POLICE_SCORE));
    mesure.setPlainText(texteScore(-88, QString()));
    const double hauteur = mesure.boundingRect().height();
    // The shorter flight is a gain's: from the middle up to a quarter of
    // the height, less half the text.
    const double course = zone.height() * (0.5 - PART_FIN_GAIN) - hauteur / 2.0;
    if (!(course > 0.0) || !(hauteur > 0.0))
        return DUREE_SCORE_MS;
    // A little more than the exact time, for the timers' slack.
    const double ms = std::ceil(MARGE_INTERVALLE * ECHELLE_SCORE * hauteur * DUREE_SCORE_MS / course);
    return static_cast<int>(std::min<double>(ms, DUREE_SCORE_MS));
}

QSizeF DisplayGLScoreAnimText::prepare_(const QString& texte, int classePolice, const QColor& fond, double largeurMax)
{
    item_->setTextWidth(-1);
    item_->setFont(scaledFont(classePolice));
    item_->setDefaultTextColor(Qt::black);
    item_->setPlainText(texte);
    item_->setBackgroundColor(fond);
    if (largeurMax > 0.0 && item_->boundingRect().width() > largeurMax)
        item_->setTextWidth(largeurMax);
    const QRectF boite = item_->boundingRect();
    item_->setTransformOriginPoint(boite.center());
    return boite.size();
}

void DisplayGLScoreAnimText::startScore(int delta, const QString& label, const QRectF& zone, double decalage,
                                        int delaiMs, double largeurMax)
{
    const QSizeF taille = prepare_(texteScore(delta, label), POLICE_SCORE, QColor(), -1.0);
    item_->setOpacity(1.0);
    Parametres p;
    // The scale grows the text about its centre: a long label keeps within
    // the room it is given (the names and cards beside it stay readable).
    double echelle = ECHELLE_SCORE;
    if (std::isfinite(largeurMax) && largeurMax > 0.0 && taille.width() > 0.0)
        echelle = std::min(echelle, largeurMax / taille.width());
    p.echelleDebut = echelle;
    p.echelleFin = echelle;
    const double x = zone.x() + zone.width() / 2.0 - taille.width() / 2.0;
    p.positionDebut = QPointF(x, zone.height() / 2.0 - taille.height() / 2.0 + decalage);
    p.positionFin = QPointF(x, zone.height() * (delta > 0 ? PART_FIN_GAIN : 1.0 - PART_FIN_GAIN) + decalage);
    p.dureeMs = DUREE_SCORE_MS;
    p.opaciteDebut = 1.0;
    p.opaciteFin = 0.0;
    demarre_(p, delaiMs);
}

void DisplayGLScoreAnimText::startBanner(const QString& texte, const QRectF& zone, double decalage, int delaiMs,
                                         int dureeMs)
{
    const QSizeF taille = prepare_(texte, POLICE_BANNIERE, QColor(), -1.0);
    item_->setOpacity(1.0);
    Parametres p;
    p.echelleDebut = 1.0;
    p.echelleFin = ECHELLE_BANNIERE_FIN;
    p.positionDebut = QPointF(zone.x() + zone.width() / 2.0 - taille.width() / 2.0,
                              zone.height() / 2.0 - taille.height() / 2.0 + decalage);
    p.positionFin = p.positionDebut;
    p.dureeMs = dureeMs;
    p.opaciteDebut = 1.0;
    p.opaciteFin = 0.0;
    demarre_(p, delaiMs);
}

void DisplayGLScoreAnimText::startMessage(const QString& texte, const QRectF& zone, double decalage, const QColor& fond,
                                          int delaiMs, double basMax, double hautMin)
{
    const QSizeF taille = prepare_(texte, POLICE_MESSAGE, fond, zone.width());
    item_->setOpacity(OPACITE_MESSAGE);
    Parametres p;
    p.echelleDebut = 1.0;
    p.echelleFin = ECHELLE_MESSAGE_FIN;
    const double x = zone.x() + zone.width() / 2.0 - taille.width() / 2.0;
    const double plusBas = std::isnan(basMax) ? std::numeric_limits<double>::infinity() : basMax - taille.height();
    const double debut = std::max(decalage, std::min(zone.height() * 0.36 - taille.height() / 2.0 + decalage, plusBas));
    double fin = std::min(debut, zone.height() * 0.15 - taille.height() / 2.0 + decalage);
    if (!std::isnan(hautMin))
        fin = std::min(debut, std::max(fin, hautMin));
    p.positionDebut = QPointF(x, debut);
    p.positionFin = QPointF(x, fin);
    p.dureeMs = DUREE_MESSAGE_MS;
    p.opaciteDebut = 1.0;
    p.opaciteFin = 0.0;
    demarre_(p, delaiMs);
}

QPointF DisplayGLScoreAnimText::pos() const
{
    return item_->pos();
}

void DisplayGLScoreAnimText::setPos(const QPointF& point)
{
    item_->setPos(point);
}

double DisplayGLScoreAnimText::scale() const
{
    return item_->scale();
}

void DisplayGLScoreAnimText::setScale(double echelle)
{
    item_->setScale(echelle);
}

double DisplayGLScoreAnimText::opacity() const
{
    return item_->opacity();
}

void DisplayGLScoreAnimText::setOpacity(double opacite)
{
    item_->setOpacity(opacite);
}

void DisplayGLScoreAnimText::setVisible(bool visible)
{
    item_->setVisible(visible);
}

void DisplayGLScoreAnimText::setGraphicsEffect(QGraphicsEffect* effet)
{
    item_->setGraphicsEffect(effet);
}

void DisplayGLScoreAnimText::setRotation(double degres)
{
    item_->setRotation(degres);
}

bool DisplayGLScoreAnimText::isVisible() const
{
    return item_->isVisible();
}

QGraphicsItem* DisplayGLScoreAnimText::item() const
{
    return item_;
}
