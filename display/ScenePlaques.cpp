#include "ScenePlaques.h"

#include "GL_ObjectSquare.h"
#include "Joueur.h"
#include "SceneTextes.h"
#include "TypeDePartie.h"

#include <QFontMetricsF>
#include <QPainter>
#include <QRegularExpression>

#include <algorithm>
#include <cmath>

#include "DisplayGLSceneInterne.h"

using namespace scene_interne;

namespace {

constexpr double PART_POLICE_PLAQUE = 0.06;
constexpr int COTE_SIGNE_ATOUT = 35;
constexpr int LARGEUR_MULTIPLICATEUR = 39;
// The online sign on the cloth of a joined game: its picture's size divided
// by this, its centre this far left of the cloth's.
constexpr double REDUCTION_TAPIS_CONNECTE = 2.2;
constexpr int DECALAGE_TAPIS_CONNECTE = 34;
constexpr double LARGEUR_PLAQUE = 500.0;
constexpr double HAUTEUR_PLAQUE = 47.0;
constexpr int RETRAIT_PLAQUE_PRES = 8;
static_assert(ScenePlaques::BORD_PLAQUES_COTE == RETRAIT_PLAQUE_PRES + HAUTEUR_PLAQUE,
              "the side plates' reach follows their place");
constexpr double MARGE_SIGNE_PLAQUE = 6.0;
// A plate's text is written smaller down to this share of the plates'
// size; a name that still does not fit loses its end to "…".
constexpr double PART_POLICE_PLAQUE_MIN = 0.6;
// The plate's trump sign lies on a light tile this share of its side
// wider all round.
constexpr double PART_BORD_SIGNE = 0.08;
const QColor FOND_SIGNE_ATOUT(255, 255, 250, 235);

// Where a plate of that length and height lies on a cloth picture of that
// size: the near plates along the bottom and top edges, the side ones
// along the right and left edges, each centred on its seat.
QRectF zonePlaque(int position, double longueur, double hauteur, int w, int h)
{
    const double loin = RETRAIT_PLAQUE_PRES + hauteur;
    switch (position) {
    case 0:
        return QRectF(w / 2.0 - longueur / 2.0, h - loin, longueur, hauteur);
    case 1:
        return QRectF(w - loin, h / 2.0 - longueur / 2.0, hauteur, longueur);
    case 2:
        return QRectF(w / 2.0 - longueur / 2.0, RETRAIT_PLAQUE_PRES, longueur, hauteur);
    default:
        return QRectF(RETRAIT_PLAQUE_PRES, h / 2.0 - longueur / 2.0, hauteur, longueur);
    }
}

// The longest plate up to `longueurMax` clear of `couvert`; `longueurMax`
// when nothing lies over its edge, and never so short that no name shows.
double longueurLibre(int position, double longueurMax, double hauteur, int w, int h, const QPolygonF& couvert)
{
    const auto libre = [&](double longueur) {
        return !couvert.intersects(QPolygonF(zonePlaque(position, longueur, hauteur, w, h)));
    };
    if (couvert.isEmpty() || libre(longueurMax))
        return longueurMax;
    const double plancher = std::min(longueurMax, LARGEUR_PLAQUE / 2.0);
    if (!libre(plancher))
        return plancher;
    double court = plancher;
    double long_ = longueurMax;
    while (long_ - court > 1.0) {
        const double milieu = (court + long_) / 2.0;
        (libre(milieu) ? court : long_) = milieu;
    }
    return court;
}

} // namespace

bool ScenePlaques::peint(GL_ObjectSquare& tapis, const Faits& faits)
{
    QImage image = tapis.getImage();
    if (image.isNull())
        return false;
    image = image.convertToFormat(QImage::Format_ARGB32_Premultiplied);
    const int w = image.width();
    const int h = image.height();
    // A game from before the deal on the table has no trump or contract
    // here: the new deal's bidding has not ended.
    const Contrat* jeu = faits.contrat && partieDeLaDonne_ ? &*faits.contrat : nullptr;
    const int atout = faits.contrat && !partieDeLaDonne_ ? 0 : faits.atout;
    QPainter peintre(&image);
    peintre.setRenderHint(QPainter::Antialiasing);
    peintre.setRenderHint(QPainter::SmoothPixmapTransform);
    QFont police = faits.police;
    const double agrandissement = std::isfinite(faits.agrandissement) ? std::max(1.0, faits.agrandissement) : 1.0;
    police.setPixelSize(std::max(1, arrondi(PART_POLICE_PLAQUE * h * agrandissement)));
    const QString& dossier = faits.dossier;
    const bool atoutValide = atout > 0 && atout < TypeDePartie::NOMBRE_MODES;
    // On the plate the trump's sign stands as tall as the text it goes with:
    // 35 pixels of a cloth drawn 1024 pixels wide showed as a speck where
    // clubs and spades could not be told apart. The middle keeps its small
    // sign.
    const QImage source = atoutValide && !dossier.isEmpty()
        ? QImage(dossier + QString::number(atout) + QStringLiteral("_btn.png"))
        : QImage();
    const int coteCentre = COTE_SIGNE_ATOUT;
    const int cotePlaque = std::max(COTE_SIGNE_ATOUT, police.pixelSize());
    const QImage signeCentre =
        source.isNull() ? QImage()
                        : source.scaled(coteCentre, coteCentre, Qt::KeepAspectRatio, Qt::SmoothTransformation);
    const QImage signe =
        source.isNull() ? QImage()
                        : source.scaled(cotePlaque, cotePlaque, Qt::KeepAspectRatio, Qt::SmoothTransformation);
    const QColor couleurTexte = faits.schema == SCHEMA_SOMBRE ? QColor(Qt::white) : QColor(Qt::black);
    // The online sign lies under the trump's, which stays readable through
    // its translucent globe.
    if (faits.enLigne) {
        static const QImage connecte(QStringLiteral(":/images/connected_carpet.png"));
        if (!connecte.isNull()) {
            const QSizeF taille = QSizeF(connecte.size()) / REDUCTION_TAPIS_CONNECTE;
            const QRectF place(QPointF(w / 2.0 - DECALAGE_TAPIS_CONNECTE - taille.width() / 2.0,
                                       (h - taille.height()) / 2.0),
                               taille);
            peintre.drawImage(place, connecte);
        }
    }
    if (!signeCentre.isNull()) {
        const QPointF coin((w - signeCentre.width()) / 2.0, (h - signeCentre.height()) / 2.0);
        peintre.drawImage(coin, signeCentre);
        if (jeu && jeu->multiplicateur != 1) {
            peintre.setFont(police);
            peintre.setPen(couleurTexte);
            const double largeur = LARGEUR_MULTIPLICATEUR;
            peintre.drawText(QRectF(coin.x() + signeCentre.width(), coin.y(), largeur, signeCentre.height()),
                             Qt::AlignLeft | Qt::AlignVCenter, QStringLiteral("x%1").arg(jeu->multiplicateur));
        }
    }
    textes_.fill(QString());
    zones_.fill(QRectF());
    const int titulaire = jeu ? scene_textes::siegeDuContrat(jeu->choisisseur, jeu->typeMise, siegeMise_) : -1;
    for (int j = 0; j < NOMBRE_SIEGES; ++j) {
        const Plaque& plaque = faits.plaques[static_cast<size_t>(j)];
        if (!plaque.occupee)
            continue;
        const int p = plaque.position;
        const bool aChoisi = jeu && atoutValide && titulaire == j;
        const auto texteAvec = [&](const QString& nom) {
            return scene_textes::textePlaque(nom, aChoisi, jeu && jeu->premier == j, jeu ? jeu->regle : 0,
                                             jeu ? jeu->typeMise : 0, jeu ? jeu->objectif : 0);
        };
        QString texte = texteAvec(plaque.nom);
        QFont policePlaque = police;
        const int mode = plaque.mode;
        policePlaque.setStrikeOut(mode == Joueur::ModeOrdinateurAbsent || mode == Joueur::ModeRemplacant
                                  || mode == Joueur::ModeEnAttenteDEntree || mode == Joueur::ModeHorsLigne);
        // The plate takes its text's length, the trump sign on both sides
        // so that the text stays centred on the seat, up to the corners the
        // two plates beside it hold; a text longer than that is written
        // smaller, and a name that still does not fit is shortened, keeping
        // who plays the seat and the contract readable.
        const double cote = (p == 1 || p == 3) ? h : w;
        const double hauteurBase = std::max(HAUTEUR_PLAQUE, QFontMetricsF(policePlaque).height());
        const double largeurMax = longueurLibre(p, std::max(1.0, cote - 2.0 * BORD_PLAQUES_COTE), hauteurBase, w, h,
                                                faits.couvert);
        const double marge = aChoisi && !signe.isNull() ? 2.0 * (signe.width() + MARGE_SIGNE_PLAQUE) : 0.0;
        const double place = std::max(0.0, largeurMax - marge);
        double largeurTexte = QFontMetricsF(policePlaque).horizontalAdvance(texte);
        if (largeurTexte > place && largeurTexte > 0.0) {
            const int plancher = std::max(1, arrondi(PART_POLICE_PLAQUE_MIN * police.pixelSize()));
            const int taille = static_cast<int>(policePlaque.pixelSize() * place / largeurTexte);
            policePlaque.setPixelSize(std::max(plancher, taille));
            const QFontMetricsF metriques(policePlaque);
            largeurTexte = metriques.horizontalAdvance(texte);
            if (largeurTexte > place) {
                // The name's end, " (joueur)" and its kin, stays whole, and
                // so does the " (2)" before it that tells two players of
                // one name apart, with the mark that closes the name's
                // isolate.
                static const QRegularExpression suffixes(QStringLiteral("(?:\\x{2069}? \\([^()]*\\))+$"));
                const qsizetype fin = suffixes.match(plaque.nom).capturedStart();
                const QString tete = fin > 0 ? plaque.nom.left(fin) : plaque.nom;
                const double autour = largeurTexte - metriques.horizontalAdvance(tete);
                const QString courte = metriques.elidedText(tete, Qt::ElideRight, std::max(0.0, place - autour));
                texte = texteAvec(courte + plaque.nom.mid(tete.size()));
                largeurTexte = metriques.horizontalAdvance(texte);
            }
        }
        const double largeurPlaque = std::min(largeurMax, std::max(LARGEUR_PLAQUE, std::ceil(largeurTexte + marge)));
        // The plate holds the font's whole line: a line taller than the
        // plate would push the descenders of the near plates (the "y" of
        // "you") off the cloth's edge.
        const double hauteurPlaque = std::max(HAUTEUR_PLAQUE, QFontMetricsF(policePlaque).height());
        const double retraitLoin = RETRAIT_PLAQUE_PRES + hauteurPlaque;
        peintre.save();
        switch (p) {
        case 0:
            peintre.translate(arrondi(w / 2.0 - largeurPlaque / 2.0), arrondi(h - retraitLoin));
            break;
        case 1:
            peintre.translate(arrondi(w - retraitLoin), arrondi(h / 2.0 + largeurPlaque / 2.0));
            peintre.rotate(-90.0);
            break;
        case 2:
            peintre.translate(arrondi(w / 2.0 - largeurPlaque / 2.0), RETRAIT_PLAQUE_PRES);
            break;
        default:
            peintre.translate(RETRAIT_PLAQUE_PRES, arrondi(h / 2.0 + largeurPlaque / 2.0));
            peintre.rotate(-90.0);
            break;
        }
        peintre.setFont(policePlaque);
        peintre.setPen(couleurTexte);
        const QRectF boite(0.0, 0.0, largeurPlaque, hauteurPlaque);
        peintre.drawText(boite, Qt::AlignCenter, texte);
        if (aChoisi && !signe.isNull()) {
            const QRectF place(boite.center().x() - largeurTexte / 2.0 - MARGE_SIGNE_PLAQUE - signe.width(),
                               boite.center().y() - signe.height() / 2.0, signe.width(), signe.height());
            // The sign lies on a light tile of its own: a black suit on a
            // dark cloth could hardly be told from it.
            const double bord = PART_BORD_SIGNE * place.height();
            peintre.setPen(Qt::NoPen);
            peintre.setBrush(FOND_SIGNE_ATOUT);
            peintre.drawRoundedRect(place.adjusted(-bord, -bord, bord, bord), 2.0 * bord, 2.0 * bord);
            peintre.drawImage(place.topLeft(), signe);
        }
        const QRectF zone = peintre.transform().mapRect(boite);
        peintre.restore();
        if (p >= 0 && p < NOMBRE_SIEGES) {
            textes_[static_cast<size_t>(p)] = texte;
            zones_[static_cast<size_t>(p)] = zone;
        }
    }
    peintre.end();
    montreSiChangee(tapis, image, image_);
    return true;
}

QString ScenePlaques::texte(int position) const
{
    return position >= 0 && position < NOMBRE_SIEGES ? textes_[static_cast<size_t>(position)] : QString();
}

QRectF ScenePlaques::zone(int position) const
{
    return position >= 0 && position < NOMBRE_SIEGES ? zones_[static_cast<size_t>(position)] : QRectF();
}

void ScenePlaques::oublieDonne()
{
    siegeMise_ = -1;
    partieDeLaDonne_ = false;
}
