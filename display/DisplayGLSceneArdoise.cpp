#include "DisplayGLScene.h"

#include "AnalyseJoueur.h"
#include "Carte.h"
#include "DisplayGLHumanCarte.h"
#include "DisplayGLPaintOpenGL.h"
#include "DisplayGLSceneDialog.h"
#include "DisplayGLSceneDialogButton.h"
#include "DisplayGLScoreAnimPixmap.h"
#include "DisplayGLScoreAnimText.h"
#include "DisplayGLWidget.h"
#include "DisplayTextAnim.h"
#include "GL_ObjectCube.h"
#include "GL_ObjectSquare.h"
#include "GM_FichierRegulier.h"
#include "GM_NativeA.h"
#include "GM_SharedFunctions.h"
#include "GM_WidgetAutoRound.h"
#include "PanelAtouts.h"
#include "Partie.h"
#include "ZB_PointsA.h"
#include "ui_MessageBoxGl.h"

#include <QApplication>
#include <QFontMetrics>
#include <QFontInfo>
#include <QGraphicsPathItem>
#include <QGraphicsSimpleTextItem>
#include <QGridLayout>
#include <QLineEdit>
#include <QMutexLocker>
#include <QPaintEngine>
#include <QPainter>
#include <QPainterPath>
#include <QPlainTextEdit>
#include <QPropertyAnimation>
#include <QPushButton>
#include <QRandomGenerator>
#include <QRegularExpression>
#include <QSaveFile>
#include <QScopedValueRollback>
#include <QStyle>
#include <QThread>
#include <QVBoxLayout>

#include <algorithm>
#include <cmath>
#include <limits>

#include "DisplayGLSceneInterne.h"

using namespace scene_interne;

// ------------------------------------------------------------------- grabs

void DisplayGLScene::setLegendeCapture(const QString& legende, const QString& couleur1, const QString& couleur2)
{
    legendeCapture_ = legende;
    couleurLegende1_ = couleur1;
    couleurLegende2_ = couleur2;
}

void DisplayGLScene::setHauteurBandeLegende(double hauteur)
{
    const double h = std::isfinite(hauteur) ? std::max(0.0, hauteur) : 0.0;
    if (h == hauteurBandeLegende_)
        return;
    hauteurBandeLegende_ = h;
    // The next relayout runs even for the same rectangle.
    dispose_ = false;
}

void DisplayGLScene::PortableGrabFrameBuffer_Completed(const QImage& image)
{
    QImage copie = image.convertToFormat(QImage::Format_ARGB32_Premultiplied);
    if (!legendeCapture_.isEmpty() && !copie.isNull() && hauteurBandeLegende_ > 0.0) {
        QPainter peintre(&copie);
        peintre.setRenderHint(QPainter::Antialiasing);
        QColor blanc(Qt::white);
        blanc.setAlpha(ALPHA_PANNEAU_LEGENDE);
        // The band is kept in scene units; the grab is in device pixels.
        const double echelle = sceneRect().height() > 0.0 ? copie.height() / sceneRect().height() : 1.0;
        const double hauteur = std::min<double>(hauteurBandeLegende_ * echelle, copie.height());
        const QRectF bande(0.0, copie.height() - hauteur, copie.width(), hauteur);
        peintre.setPen(Qt::NoPen);
        peintre.setBrush(blanc);
        peintre.drawRoundedRect(bande.adjusted(MARGE_PANNEAU_LEGENDE, -MARGE_PANNEAU_LEGENDE, -MARGE_PANNEAU_LEGENDE,
                                               -MARGE_PANNEAU_LEGENDE),
                                RAYON_PANNEAU_LEGENDE, RAYON_PANNEAU_LEGENDE);
        peintre.fillRect(bande, QColor(couleurLegende1_));
        QFont police(QStringLiteral("Comic Sans MS"));
        const QFont defaut;
        if (defaut.pixelSize() > 0)
            police.setPixelSize(arrondi(defaut.pixelSize() * FACTEUR_POLICE_LEGENDE));
        else
            police.setPointSizeF(defaut.pointSizeF() * FACTEUR_POLICE_LEGENDE);
        peintre.setFont(police);
        peintre.setPen(QColor(couleurLegende2_));
        peintre.drawText(bande, Qt::AlignCenter, legendeCapture_);
    }
    // The purpose was set when the grab was asked; the next grab is a store
    // screenshot unless asked otherwise.
    const ButCapture but = butCapture_;
    butCapture_ = CaptureMagasin;
    const QString nom = but == CaptureBug
        ? QStringLiteral("bugReportScreenshot")
        : QStringLiteral("storeScreenshot_%1").arg(++numeroCapture_, CHIFFRES_NUMERO_CAPTURE, 10, QLatin1Char('0'));
    if (!copie.isNull()) {
        dernierFichierCapture_ = QStringLiteral("%1%2.png").arg(appDataPath(QString()), nom);
        // The data folder's own file: what took its name goes aside (a link
        // would be written through, a pipe would hold the window in open()),
        // and the picture replaces the old one whole.
        QSaveFile fichier(dernierFichierCapture_);
        if (!GM_FichierRegulier::ecarte(dernierFichierCapture_) || !fichier.open(QIODevice::WriteOnly)
            || !copie.save(&fichier, "PNG") || !fichier.commit())
            qWarning().noquote() << "DisplayGLScene: the screenshot could not be saved as" << dernierFichierCapture_;
    }
    if (but == CaptureMagasin) {
        emit signalScreenshotCompleted(copie);
        return;
    }
    boites_.montreQuestionnaireBug();
}

void DisplayGLScene::demandeCapture(ButCapture but)
{
    butCapture_ = but;
    if (DisplayGLPaintA* m = moteur())
        m->PortableGrabFrameBuffer(this);
}

void DisplayGLScene::setHorlogeBug(HorlogeBug horloge)
{
    horlogeBug_ = std::move(horloge);
}

void DisplayGLScene::OnBugPressed()
{
    appuiBug_ = horlogeBug_ ? horlogeBug_() : -1;
}

void DisplayGLScene::OnBugReleased()
{
}

void DisplayGLScene::OnBug()
{
    // A click with no press seen (from the keyboard, or a press lost to a
    // relayout) counts as a short one.
    const qint64 tenu = appuiBug_ >= 0 && horlogeBug_ ? horlogeBug_() - appuiBug_ : 0;
    appuiBug_ = -1;
    if (tenu <= DUREE_APPUI_CAPTURE_MS) {
        setLegendeCapture(QString(), QStringLiteral("black"), QStringLiteral("black"));
        demandeCapture(CaptureBug);
        return;
    }
    boites_.montreFormulaireDebug();
}

// ------------------------------------------------------------- slate lines

void DisplayGLScene::setLignesArdoise(double largeur, double haut, const QString& texte)
{
    ardoiseStatut_->pose(largeur, haut, texte, hauteurTable_, rectVu_(ardoise_.get()));
}

void DisplayGLScene::suitArdoise_()
{
    ardoiseStatut_->suit(hauteurTable_, rectVu_(ardoise_.get()));
}

QString DisplayGLScene::texteArdoise() const
{
    return ardoiseStatut_->texte();
}

// ---------------------------------------------------------- floating items

DisplayGLScoreAnimText* DisplayGLScene::prochainScore()
{
    DisplayGLScoreAnimText* anim = animsScore_[curseurScore_].get();
    curseurScore_ = (curseurScore_ + 1) % animsScore_.size();
    // Taken again, the item no longer shows a deal's score.
    std::vector<DisplayGLScoreAnimText*>& scores = ardoiseStatut_->scoresDeLaDonne();
    scores.erase(std::remove(scores.begin(), scores.end(), anim), scores.end());
    return anim;
}

DisplayGLScoreAnimText* DisplayGLScene::prochainMessage()
{
    DisplayGLScoreAnimText* anim = animsMessage_[curseurMessage_].get();
    curseurMessage_ = (curseurMessage_ + 1) % animsMessage_.size();
    return anim;
}

DisplayGLScoreAnimPixmap* DisplayGLScene::prochaineImage()
{
    DisplayGLScoreAnimPixmap* anim = animsImage_[curseurImage_].get();
    curseurImage_ = (curseurImage_ + 1) % animsImage_.size();
    return anim;
}

void DisplayGLScene::afficheMessageReseau(const QString& texte)
{
    if (!texte.endsWith(QLatin1Char('.')))
        qDebug().noquote() << QStringLiteral("DisplayGLScene::afficheMessageReseau message not ending with dot. ")
                                  + texte;
    fileMessages_.append(texte);
    // Lines shown one after the other: a burst beyond what anyone can read
    // keeps only its latest lines.
    while (fileMessages_.size() > MessagesEnAttenteMax)
        fileMessages_.removeFirst();
    OnMessagesReseau();
}

void DisplayGLScene::OnMessagesReseau()
{
    auto libre = [this](size_t index) {
        const DisplayGLScoreAnimText* item = animsMessage_[index].get();
        return !item->isDelayRunning() && !item->driver()->isRunning();
    };
    while (!fileMessages_.isEmpty()) {
        const QDateTime maintenant = QDateTime::currentDateTimeUtc();
        qint64 delai = prochainMessage_.isValid()
            ? maintenant.msecsTo(prochainMessage_.addMSecs(DELAI_MESSAGE_RESEAU_MS))
            : -1;
        // Quiet for a while: the ring starts over at its first item.
        if (delai < 0) {
            delai = 0;
            if (libre(0))
                curseurMessage_ = 0;
        }
        // A burst longer than the ring waits for an item to be free, rather
        // than taking one whose line is still waiting or showing.
        if (!libre(curseurMessage_)) {
            if (!timerMessages_.isActive())
                timerMessages_.start(DELAI_MESSAGE_RESEAU_MS);
            return;
        }
        // Above the cloth, whose edges carry the plates, and the top seat's
        // bubble; nor does it rise into the top seat's cards, which would
        // cover it. The bubble that lies over those cards (the 3-D layer's)
        // is passed below, with them.
        const QRectF mainHaut = rectMainVue_(2);
        const QRectF bulleHaut = rectVu_(bulle(2));
        const bool bulleSurLaMain =
            !mainHaut.isEmpty() && !bulleHaut.isEmpty() && bulleHaut.center().y() < mainHaut.bottom();
        double basMax = std::numeric_limits<double>::infinity();
        for (const QRectF& vu : {rectVu_(tapis_.get()), bulleSurLaMain ? QRectF() : bulleHaut})
            if (!vu.isEmpty())
                basMax = std::min(basMax, vu.top() - MARGE_MESSAGE);
        const double hautMin = mainHaut.isEmpty()
            ? -std::numeric_limits<double>::infinity()
            : std::max(mainHaut.bottom(), bulleSurLaMain ? bulleHaut.bottom() : mainHaut.bottom()) + MARGE_MESSAGE;
        prochainMessage()->startMessage(fileMessages_.takeFirst(), zoneTable(), decalageTable_, FOND_MESSAGE_RESEAU,
                                        static_cast<int>(delai), basMax, hautMin);
        prochainMessage_ = maintenant.addMSecs(delai);
    }
}

int DisplayGLScene::testeMessagesReseau()
{
    // Winter, summer, spring, autumn: each call shows the next.
    static constexpr int ORDRE_SAISONS[] = {0, 2, 1, 3};
    const int tour = demonstrations_ % static_cast<int>(std::size(ORDRE_SAISONS));
    ++demonstrations_;
    const ImageDeSaison& image = IMAGES_SAISONS[ORDRE_SAISONS[tour]];
    spawnSeasonal(QPixmap(QString::fromLatin1(image.chemin)), image.direction);
    switch (QRandomGenerator::global()->bounded(3)) {
    case 0:
        afficheMessageReseau(tr("Serveur: Ligne courte pour tester les messages réseau."));
        break;
    case 1:
        afficheMessageReseau(tr("Test: Ceci est une ligne très très très très très très très très très très très "
                                "très très très longue pour tester les messages réseau."));
        break;
    default:
        for (int ligne = 1; ligne <= 4; ++ligne)
            afficheMessageReseau(tr("Serveur: Ligne successive %1 pour tester les messages réseau.").arg(ligne));
        break;
    }
    // A gain that rises and a loss that sinks, then the banner.
    const int pas = pasEntreScores_();
    prochainScore()->startScore(DEMONSTRATION_GAIN, QString(), zoneTable(), decalageTable_, 0);
    prochainScore()->startScore(DEMONSTRATION_PERTE, tr(" Annonce"), zoneTable(), decalageTable_, pas,
                                largeurEntrePlaques());
    prochainScore()->startBanner(tr("Match"), zoneTable(), decalageTable_, 2 * pas, DUREE_MATCH_DEMONSTRATION_MS);
    return tour;
}

// ---------------------------------------------------- sounds, native hooks

bool DisplayGLScene::joueSon(int effet)
{
    if (!options_.sounds_ || automatique_)
        return false;
    return son_.play(effet);
}

void DisplayGLScene::vibre(int millisecondes)
{
    if (options_.vibrate_ && natif_)
        natif_->vibrate(millisecondes);
}

void DisplayGLScene::signaleScoreEnLigne(int points, int adversaire, int cible, int toursRestants)
{
    if (enLigne_ && natif_)
        natif_->discordSetActivityScore(points, adversaire, scene_textes::suffixeScore(cible, toursRestants));
}

void DisplayGLScene::setPartieEnLigne(bool enLigne)
{
    enLigne_ = enLigne;
    proxyAide_->setVisible(!enLigne_);
    boutonConnexion_->setEnabled(!enLigne_);
}
