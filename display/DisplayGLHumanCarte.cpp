#include "DisplayGLHumanCarte.h"

#include "Carte.h"
#include "DisplayGLCacheCartes.h"

#include <QFile>
#include <QGraphicsSceneMouseEvent>
#include <QPainter>
#include <QPropertyAnimation>
#include <QStyleOptionGraphicsItem>
#include <QSvgRenderer>
#include <QtMath>

#include <algorithm>
#include <array>
#include <cmath>

namespace {

// How much each channel loses in the darkened and in the tinted picture.
constexpr int SOMBRE_ROUGE = 40;
constexpr int SOMBRE_VERT = 50;
constexpr int SOMBRE_BLEU = 50;
constexpr int TEINTE_ROUGE = 30;
constexpr int TEINTE_VERT = 0;
constexpr int TEINTE_BLEU = 30;

// Part of the card's height that stands out of the hand, and how much
// higher the raised states sit, as parts of the hand's height.
constexpr double PART_VISIBLE = 0.82;
constexpr double LEVEE_ASSOMBRIE = 0.09;
constexpr double LEVEE_SURLIGNEE = 0.14;
constexpr double LEVEE_HAUTE = 0.18;
constexpr double PAS_ROTATION = 1.5;
constexpr double DESCENTE_PAR_DEGRE = 3.0;
constexpr double PAS_Z = 0.001;
constexpr double Z_MAIN = -0.1;
constexpr double RATIO_MAX = 16.0;

const char* const DOSSIERS_JEUX[] = {"FraChSvg/", "GerChSvg/", "FraSvg/", "NapSvg/", "Fun1Svg/"};

int arrondi(double valeur)
{
    return static_cast<int>(std::lround(valeur));
}

bool egal(double a, double b)
{
    return qFuzzyCompare(a, b) || (qFuzzyIsNull(a) && qFuzzyIsNull(b));
}

bool memeRectangle(const QRectF& a, const QRectF& b)
{
    return egal(a.left(), b.left()) && egal(a.top(), b.top()) && egal(a.right(), b.right())
           && egal(a.bottom(), b.bottom());
}

} // namespace

DisplayGLHumanCarte::DisplayGLHumanCarte(Carte* carte)
    : QObject(nullptr)
    , QGraphicsPixmapItem(nullptr)
    , carte_(carte)
{
    setCacheMode(QGraphicsItem::DeviceCoordinateCache);
    setZValue(Z_CACHEE);
    animation_ = new QPropertyAnimation(this, "pos", this);
    animation_->setDuration(DUREE_MOUVEMENT_MS);
    QGraphicsPixmapItem::hide();
    timerAffichage_.setSingleShot(true);
    connect(&timerAffichage_, &QTimer::timeout, this, &DisplayGLHumanCarte::OnSetVisible);
}

DisplayGLHumanCarte::~DisplayGLHumanCarte()
{
    animation_->stop();
}

QString DisplayGLHumanCarte::cheminDuJeu(int style)
{
    QString chemin = QStringLiteral(":/Cartes/");
    if (style >= 0 && style < static_cast<int>(std::size(DOSSIERS_JEUX)))
        chemin += QLatin1String(DOSSIERS_JEUX[style]);
    return chemin;
}

QString DisplayGLHumanCarte::cheminSvg(int style, int couleur, int valeur)
{
    return QStringLiteral("%1%2/%3.svg").arg(cheminDuJeu(style)).arg(couleur).arg(valeur);
}

QImage DisplayGLHumanCarte::assombrie(const QImage& image, int rouge, int vert, int bleu)
{
    if (image.isNull())
        return QImage();
    // A table per channel, worked on premultiplied pixels: opaque and
    // transparent ones, nearly all of a card, need no conversion.
    std::array<quint8, 256> tables[3];
    const int baisses[3] = {rouge, vert, bleu};
    for (int c = 0; c < 3; ++c) {
        for (int v = 0; v < 256; ++v)
            tables[c][static_cast<size_t>(v)] = static_cast<quint8>(std::clamp(v - baisses[c], 0, 255));
    }
    auto baisse = [&tables](QRgb u) {
        return qRgba(tables[0][qRed(u)], tables[1][qGreen(u)], tables[2][qBlue(u)], qAlpha(u));
    };
    const QImage source = image.convertToFormat(QImage::Format_ARGB32_Premultiplied);
    QImage resultat(source.size(), QImage::Format_ARGB32_Premultiplied);
    const int largeur = source.width();
    for (int y = 0; y < source.height(); ++y) {
        const auto* entree = reinterpret_cast<const QRgb*>(source.constScanLine(y));
        auto* sortie = reinterpret_cast<QRgb*>(resultat.scanLine(y));
        for (int x = 0; x < largeur; ++x) {
            const QRgb p = entree[x];
            const uint alpha = qAlpha(p);
            if (alpha == 255)
                sortie[x] = baisse(p);
            else if (alpha == 0)
                sortie[x] = p;
            else
                sortie[x] = qPremultiply(baisse(qUnpremultiply(p)));
        }
    }
    return resultat;
}

int DisplayGLHumanCarte::rotationDansLaMain(int vides, int index)
{
    return arrondi((index - (CARTES_PAR_MAIN - vides) / 2.0) * PAS_ROTATION);
}

double DisplayGLHumanCarte::hauteurMainEnChoix(double hauteurZone)
{
    // The highlighted hand stands raised above its resting place; a card
    // turned as far as the end cards of a full hand reaches no higher (the
    // fan lets those down).
    const double largeurCarte = hauteurZone * LARGEUR_PAR_HAUTEUR_MAIN;
    const double angle = qDegreesToRadians(std::fabs(static_cast<double>(rotationDansLaMain(0, 0))));
    return largeurCarte * HAUTEUR_PAR_LARGEUR * PART_VISIBLE + largeurCarte * std::sin(angle)
           + LEVEE_SURLIGNEE * hauteurZone;
}

void DisplayGLHumanCarte::render(int style, const QSize& taille, const QString& nomDossierCache,
                                 double ratioPixels)
{
    ratio_ = (std::isfinite(ratioPixels) && ratioPixels > 0.0) ? std::min(ratioPixels, RATIO_MAX) : 1.0;
    const bool visible = isVisible();
    QGraphicsPixmapItem::hide();

    QImage image;
    const bool tailleValide = taille.width() > 0 && taille.height() > 0
                              && taille.width() <= DisplayGLCacheCartes::COTE_MAX
                              && taille.height() <= DisplayGLCacheCartes::COTE_MAX;
    if (tailleValide && carte_) {
        QByteArray source;
        QFile fichierSvg(cheminSvg(style, carte_->getCouleur(), carte_->getValeur()));
        if (fichierSvg.open(QIODevice::ReadOnly))
            source = fichierSvg.readAll();

        QString fichierCache;
        if (!source.isEmpty()) {
            const QString dossier = DisplayGLCacheCartes::prepareDossier(nomDossierCache);
            if (!dossier.isEmpty())
                fichierCache = DisplayGLCacheCartes::cheminFichier(dossier, taille, style, carte_->getCouleur(),
                                                                   carte_->getValeur(),
                                                                   DisplayGLCacheCartes::empreinte(source));
        }
        if (!fichierCache.isEmpty())
            image = DisplayGLCacheCartes::lit(fichierCache, taille);
        if (image.isNull()) {
            image = QImage(taille, QImage::Format_ARGB32_Premultiplied);
            image.fill(Qt::transparent);
            QSvgRenderer svg(source);
            if (!source.isEmpty() && svg.isValid()) {
                QPainter peintre(&image);
                svg.render(&peintre, QRectF(QPointF(0, 0), QSizeF(taille)));
                peintre.end();
                // A write that fails only costs a render next time.
                if (!fichierCache.isEmpty())
                    DisplayGLCacheCartes::ecrit(fichierCache, image);
            }
        }
    }

    normale_ = QPixmap::fromImage(image);
    affiche_(etat_, tailleAffichee_());
    setVisible(visible);
}

QSize DisplayGLHumanCarte::tailleAffichee_() const
{
    const double largeur = main_.height() * LARGEUR_PAR_HAUTEUR_MAIN;
    return QSize(arrondi(arrondi(largeur) * ratio_), arrondi(arrondi(largeur * HAUTEUR_PAR_LARGEUR) * ratio_));
}

QPixmap DisplayGLHumanCarte::getDarkenedPicture() const
{
    if (normale_.isNull())
        return QPixmap();
    return QPixmap::fromImage(assombrie(normale_.toImage(), SOMBRE_ROUGE, SOMBRE_VERT, SOMBRE_BLEU));
}

QPixmap DisplayGLHumanCarte::getTintedPicture() const
{
    if (normale_.isNull())
        return QPixmap();
    return QPixmap::fromImage(assombrie(normale_.toImage(), TEINTE_ROUGE, TEINTE_VERT, TEINTE_BLEU));
}

QPixmap DisplayGLHumanCarte::source_(int etat) const
{
    if (etat == Assombrie)
        return getDarkenedPicture();
    return teinte_ ? getTintedPicture() : normale_;
}

void DisplayGLHumanCarte::affiche_(int etat, const QSize& taille)
{
    const QPixmap source = source_(etat);
    if (source.isNull() || taille.width() <= 0 || taille.height() <= 0) {
        setPixmap(QPixmap());
        return;
    }
    QPixmap image = source.scaled(taille, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    image.setDevicePixelRatio(ratio_);
    setPixmap(image);
}

void DisplayGLHumanCarte::setTinted(bool teinte)
{
    if (teinte == teinte_)
        return;
    teinte_ = teinte;
    affiche_(etat_, pixmap().size());
}

int DisplayGLHumanCarte::decalageVertical(int etat) const
{
    const double h = main_.height();
    const double partVisible = pixmap().height() / ratio_ * PART_VISIBLE;
    const double o = std::max(h - partVisible, 0.0);
    double decalage = o;
    switch (etat) {
    case Assombrie:
    case Posee:
        decalage = o - LEVEE_ASSOMBRIE * h;
        break;
    case Surlignee:
    case Choisie:
        decalage = o - LEVEE_SURLIGNEE * h;
        break;
    case Levee:
        decalage = o - LEVEE_HAUTE * h;
        break;
    default: {
        // At rest the hand showed its top 82 % and ran off the bottom of
        // the window: it rises until its lowest corner, turned and let down
        // as it is, stays on the table.
        const double hauteur = pixmap().height() / ratio_;
        const double angle = qDegreesToRadians(std::fabs(rotation()));
        const double bas = hauteur * std::cos(angle) + pixmap().width() / ratio_ / 2.0 * std::sin(angle)
                           + std::fabs(rotation() * DESCENTE_PAR_DEGRE / ratio_);
        decalage = std::min(o, h - bas);
        break;
    }
    }
    return arrondi(decalage + std::fabs(rotation() * DESCENTE_PAR_DEGRE / ratio_));
}

void DisplayGLHumanCarte::placeInHand(const QRectF& main, double espacement, int vides, int index)
{
    const bool memeMain = memeRectangle(main, main_);
    if (memeMain && egal(espacement, espacement_) && vides == vides_ && index == index_)
        return;
    animation_->stop();
    if (!memeMain) {
        main_ = main;
        setTransformOriginPoint(main.height() * LARGEUR_PAR_HAUTEUR_MAIN / 2.0, 0.0);
        affiche_(etat_, tailleAffichee_());
    }
    if (memeMain && vides == vides_ && index == index_) {
        espacement_ = espacement;
        return;
    }
    setRotation(rotationDansLaMain(vides, index));
    const double x = (vides / 2 + index) * espacement + main.x();
    setPos(x, main.y() + decalageVertical(etat_));
    positionRepos_ = QPointF(x, main.y() + decalageVertical(Posee));
    espacement_ = espacement;
    vides_ = vides;
    index_ = index;
}

double DisplayGLHumanCarte::zEnMain_() const
{
    return index_ * PAS_Z + Z_MAIN;
}

void DisplayGLHumanCarte::setState(int etat, bool anime, int delaiMs)
{
    if (etat == etat_ || etat < EnMain || etat > Cachee)
        return;
    switch (etat) {
    case EnMain:
        teinte_ = false;
        if (!positionRepos_.isNull())
            setPos(positionRepos_);
        setZValue(zEnMain_());
        break;
    case Assombrie:
    case Surlignee:
        teinte_ = false;
        positionRepos_ = QPointF();
        setZValue(zEnMain_());
        break;
    case Posee:
        positionRepos_ = pos();
        setZValue(zEnMain_());
        break;
    case Choisie:
        setZValue(zEnMain_());
        break;
    case Levee:
        setZValue(Z_LEVEE);
        break;
    default: // Cachee
        teinte_ = false;
        positionRepos_ = QPointF();
        setZValue(Z_CACHEE);
        QGraphicsPixmapItem::hide();
        break;
    }

    affiche_(etat, pixmap().size());
    const QPointF cible(pos().x(), main_.y() + decalageVertical(etat));

    if (etat == Cachee) {
        // Hidden is hidden: no pending show brings the card back.
        timerAffichage_.stop();
        QGraphicsPixmapItem::hide();
    } else if (!timerAffichage_.isActive()) {
        if (delaiMs > 0)
            timerAffichage_.start(delaiMs);
        else
            show();
    }

    animation_->stop();
    if (anime && delaiMs <= 0 && etat != Cachee) {
        animation_->setStartValue(pos());
        animation_->setEndValue(cible);
        animation_->start();
    } else {
        setPos(cible);
    }
    etat_ = etat;
}

void DisplayGLHumanCarte::OnSetVisible()
{
    show();
}

void DisplayGLHumanCarte::paint(QPainter* painter, const QStyleOptionGraphicsItem* option, QWidget* widget)
{
    Q_UNUSED(widget);
    // The view does not save the painter for its items: without a cache the
    // clip would stay on the items drawn after this card (the in-scene
    // windows above the hand came out cut to the hand's area).
    painter->save();
    painter->setRenderHint(QPainter::SmoothPixmapTransform, false);
    painter->setRenderHint(QPainter::Antialiasing, false);
    painter->setClipRect(option->exposedRect);
    painter->drawPixmap(offset(), pixmap());
    painter->restore();
}

void DisplayGLHumanCarte::mouseDoubleClickEvent(QGraphicsSceneMouseEvent* event)
{
    event->accept();
    emit signalMouseDoubleClicked(this);
}
