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
#include "GM_NativeA.h"
#include "GM_SharedFunctions.h"
#include "GM_WidgetAutoRound.h"
#include "PanelAtouts.h"
#include "Partie.h"
#include "ZB_PointsA.h"
#include "ui_MessageBoxGl.h"

#include <QApplication>
#include <QFontMetrics>
#include <QGraphicsProxyWidget>
#include <QGraphicsSimpleTextItem>
#include <QKeyEvent>
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
#include <QScopedValueRollback>
#include <QStyle>
#include <QThread>
#include <QVBoxLayout>

#include <algorithm>
#include <array>
#include <cmath>

#include "DisplayGLSceneInterne.h"

using namespace scene_interne;

// ------------------------------------------------------------ message boxes

QIcon DisplayGLScene::iconeBoite(int icone)
{
    QStyle* style = QApplication::style();
    switch (icone) {
    case GM::Information:
    case IconeAide:
        return style->standardIcon(QStyle::SP_MessageBoxInformation);
    case GM::Warning:
        return style->standardIcon(QStyle::SP_MessageBoxWarning);
    case GM::Critical:
        return style->standardIcon(QStyle::SP_MessageBoxCritical);
    case IconeTomate:
        return QIcon(QStringLiteral(":/images/tomato.png"));
    case IconeCoupe:
        return QIcon(QStringLiteral(":/images/cup.png"));
    case IconeSucces:
        return QIcon(QStringLiteral(":/images/achievement.png"));
    default:
        return style->standardIcon(QStyle::SP_MessageBoxQuestion);
    }
}

int DisplayGLScene::sonBoite(int icone)
{
    switch (icone) {
    case IconeTomate:
        return ZB_Sound::Blop;
    case IconeCoupe:
        return ZB_Sound::Tambour;
    case IconeSucces:
        return ZB_Sound::CarillonGrave;
    default:
        return -1;
    }
}

void DisplayGLScene::setAutoAnswer(bool autoReponse)
{
    autoReponse_.store(autoReponse);
}

bool DisplayGLScene::isAutoAnswer() const
{
    return autoReponse_.load();
}

qint64 DisplayGLScene::currentBoxId() const
{
    QMutexLocker lock(&mutexBoites_);
    return idBoiteCourante_;
}

void DisplayGLScene::setTutorialForm(GM_WidgetAuto* formulaire)
{
    formulaireTutoriel_ = formulaire;
}

void DisplayGLScene::execMessageBox(uint id)
{
    QMutexLocker lock(&mutexBoites_);
    if (static_cast<qint64>(id) == idBoiteCourante_)
        return;
    idBoiteCourante_ = id;
    affichagePrevu_.store(true);
    // From any thread: the box is shown by the GUI thread's event loop.
    QMetaObject::invokeMethod(&timerBoite_, [this] { timerBoite_.start(0); }, Qt::QueuedConnection);
}

bool DisplayGLScene::isMessageBoxPending()
{
    // Called with the queue's mutex held: an atomic, never a lock.
    return affichagePrevu_.load();
}

void DisplayGLScene::OnMessageBoxExecInMainLoop()
{
    affichagePrevu_.store(false);
    QMutexLocker lock(&mutexBoites_);
    if (idBoiteCourante_ < 0)
        return;
    const uint id = static_cast<uint>(idBoiteCourante_);
    GM_MessageBoxRequest requete;
    if (!copieMessageBox(id, requete)) {
        // Nothing under this id (answered or never queued): the queue must
        // not wait for it.
        qWarning() << "DisplayGLScene: no message box under id" << id;
        idBoiteCourante_ = -1;
        lock.unlock();
        messageBoxAnswered(id, GM::NoButton);
        return;
    }
    if (requete.type_ == GM_MessageBoxRequest::Tutoriel) {
        if (!autoReponse_.load() && formulaireTutoriel_) {
            idTutoriel_ = id;
            formulaireTutoriel_->show();
            lock.unlock();
            emit signalMessageBoxShown(id);
            return;
        }
        lock.unlock();
        OnTutorialClosed(id, true);
        return;
    }
    if (autoReponse_.load()) {
        idBoiteCourante_ = -1;
        lock.unlock();
        messageBoxAnswered(id, GM::Ok);
        return;
    }
    vibre(VIBRATION_BOITE_MS);
    if (requete.texte_.contains(QLatin1String(TEXTE_ERREUR_INCONNUE), Qt::CaseSensitive)) {
        // Not shown; answered at once, so that the boxes behind it still come.
        qWarning().noquote() << QStringLiteral("DisplayGLScene: box not shown: %1: %2")
                                    .arg(requete.titre_, requete.texte_);
        idBoiteCourante_ = -1;
        lock.unlock();
        messageBoxAnswered(id, GM::NoButton);
        return;
    }
    lock.unlock();
    showBox(boite1_.widget, boite1_.ui, boite1_.proxy, Z_BOITE, requete);
    emit signalMessageBoxShown(id);
}

void DisplayGLScene::showBox(GM_WidgetAutoRound* widget, Ui::MessageBoxGl* form, QGraphicsProxyWidget* proxy,
                             double z, const GM_MessageBoxRequest& request)
{
    if (!widget || !form || !proxy)
        return;
    stopAnimationsAndCloseDialogs();
    const int icone = static_cast<int>(request.icone_);
    const QRectF table = zoneTable();
    GM_WidgetAuto::setLabelPixmapScaled(form->labelIcon, table.width(), table.height(), iconeBoite(icone),
                                        ratioPixels_, DIVISEUR_ICONE_BOITE, DECALAGE_ICONE_BOITE);
    const int effet = sonBoite(icone);
    if (effet >= 0)
        joueSon(effet);
    form->labelText->setText(request.titre_);
    widget->setWindowTitle(request.titre_);
    const int boutons = static_cast<int>(request.boutons_);
    form->pushButtonOK->setVisible((boutons & GM::Ok) != 0);
    form->pushButtonOui->setVisible((boutons & GM::Yes) != 0);
    form->pushButtonNon->setVisible((boutons & GM::No) != 0);
    form->pushButtonCancel->setVisible((boutons & GM::Cancel) != 0);

    const QString texte = scene_textes::texteBoite(request.texte_);
    if (historique_.size() > HISTORIQUE_MAX)
        historique_.removeFirst();
    historique_.append(texte);
    form->labelMessage->setText(texte);
    const bool aide = icone == IconeAide;
    form->labelWiki->setVisible(aide);
    form->labelMessage->setAlignment(aide ? (Qt::AlignLeft | Qt::AlignVCenter) : Qt::AlignCenter);

    const QFont police = scaledFont(CLASSE_POLICE_BOITE);
    proxy->setFont(police);
    widget->setFont(police);
    // The title reads as one, at the same size as the text.
    QFont titre = police;
    titre.setBold(true);
    form->labelText->setFont(titre);
    form->labelMessage->setFont(police);
    form->labelWiki->setFont(police);

    proxy->setZValue(z);
    dernierGenre_ = icone;
    placeBox(widget, proxy, table);
    widget->show();
    proxy->show();
    for (const Boite* boite : {&boite1_, &boite2_})
        if (boite->proxy == proxy)
            focusDansBoite_(proxy, boite);
}

namespace {

// The button Return answers: the one the user moved to, else the first of
// Yes, OK, No, Cancel the box shows.
QPushButton* boutonParDefaut(const Ui::MessageBoxGl& ui)
{
    const std::array<QPushButton*, 4> boutons = {ui.pushButtonOui, ui.pushButtonOK, ui.pushButtonNon,
                                                 ui.pushButtonCancel};
    for (QPushButton* bouton : boutons)
        if (!bouton->isHidden() && bouton->hasFocus())
            return bouton;
    for (QPushButton* bouton : boutons)
        if (!bouton->isHidden())
            return bouton;
    return nullptr;
}

// The button Esc answers: Cancel, else OK, else No.
QPushButton* boutonAnnuler(const Ui::MessageBoxGl& ui)
{
    for (QPushButton* bouton : {ui.pushButtonCancel, ui.pushButtonOK, ui.pushButtonNon})
        if (!bouton->isHidden())
            return bouton;
    return nullptr;
}

} // namespace

QGraphicsProxyWidget* DisplayGLScene::proxyDevant_(const Boite** boite) const
{
    *boite = nullptr;
    auto montre = [](const QWidget* widget) { return widget != nullptr && !widget->isHidden(); };
    for (const Boite* b : {&boite1_, &boite2_})
        if (montre(b->widget) && b->proxy && b->proxy->isVisible()) {
            *boite = b;
            return b->proxy;
        }
    if (montre(formulaireTutoriel_.data()) && formulaireTutoriel_->graphicsProxyWidget())
        return formulaireTutoriel_->graphicsProxyWidget();
    for (QGraphicsProxyWidget* proxy : dialogues_) {
        const auto* dialogue = proxy != nullptr ? qobject_cast<const GM_WidgetAuto*>(proxy->widget()) : nullptr;
        if (montre(dialogue) && dialogue->estOuverteParLeProgramme())
            return proxy;
    }
    return nullptr;
}

void DisplayGLScene::focusDansBoite_(QGraphicsProxyWidget* proxy, const Boite* boite)
{
    if (!proxy)
        return;
    proxy->setFocus(Qt::OtherFocusReason);
    QPushButton* defaut = boite && boite->ui ? boutonParDefaut(*boite->ui) : nullptr;
    if (defaut) {
        for (QPushButton* bouton : {boite->ui->pushButtonOui, boite->ui->pushButtonOK, boite->ui->pushButtonNon,
                                    boite->ui->pushButtonCancel})
            bouton->setDefault(bouton == defaut);
        defaut->setFocus(Qt::OtherFocusReason);
    } else if (QWidget* widget = proxy->widget()) {
        if (!widget->isAncestorOf(QApplication::focusWidget()))
            widget->setFocus(Qt::OtherFocusReason);
    }
}

bool DisplayGLScene::toucheBoite_(QKeyEvent* evenement)
{
    const Boite* boite = nullptr;
    QGraphicsProxyWidget* devant = proxyDevant_(&boite);
    if (!devant)
        return false;
    auto dedans = [this, devant] {
        const QGraphicsItem* focus = focusItem();
        return focus != nullptr && (focus == devant || devant->isAncestorOf(focus));
    };
    if (!dedans())
        focusDansBoite_(devant, boite);
    if (boite && boite->ui && evenement->type() == QEvent::KeyPress) {
        const int touche = evenement->key();
        QPushButton* bouton = nullptr;
        if (touche == Qt::Key_Return || touche == Qt::Key_Enter)
            bouton = boutonParDefaut(*boite->ui);
        else if (touche == Qt::Key_Escape)
            bouton = boutonAnnuler(*boite->ui);
        if (bouton) {
            evenement->accept();
            if (!evenement->isAutoRepeat())
                bouton->click();
            return true;
        }
    }
    // The box has the focus: the key is its own. Without it (a scene no
    // window shows), the key goes nowhere rather than behind the box.
    if (dedans())
        return false;
    evenement->accept();
    return true;
}

void DisplayGLScene::keyPressEvent(QKeyEvent* evenement)
{
    if (!toucheBoite_(evenement))
        QGraphicsScene::keyPressEvent(evenement);
}

void DisplayGLScene::keyReleaseEvent(QKeyEvent* evenement)
{
    if (!toucheBoite_(evenement))
        QGraphicsScene::keyReleaseEvent(evenement);
}

double DisplayGLScene::hauteurBoite(double hauteurTable) const
{
    if (dernierGenre_ == IconeAide)
        return hauteurTable;
    const QString titre = boite1_.ui ? boite1_.ui->labelText->text() : QString();
    if (titre == tr("Fin de partie.") || titre == tr("End of the game."))
        return hauteurTable / HAUTEUR_BOITE_FIN;
    return hauteurTable / HAUTEUR_BOITE;
}

void DisplayGLScene::placeBox(QWidget* widget, QGraphicsProxyWidget* proxy, const QRectF& rect)
{
    if (!widget || !proxy)
        return;
    const double hauteur = std::max(0.0, hauteurBoite(rect.height()));
    const double largeur = std::max(0.0, rect.width());
    widget->setFixedWidth(arrondi(largeur));
    widget->setFixedHeight(arrondi(hauteur));
    proxy->setGeometry(QRectF(rect.x(), rect.y() + (rect.height() - hauteur) / 2.0, largeur, hauteur));
}

void DisplayGLScene::updateMessageBox(const GM_MessageBoxRequest& request, int id)
{
    // Emitters call this on their own thread; the widgets are the GUI's.
    if (QThread::currentThread() != thread()) {
        QMetaObject::invokeMethod(
            this, [this, request, id] { updateMessageBox(request, id); }, Qt::QueuedConnection);
        return;
    }
    if (id < 0) {
        showBox(boite2_.widget, boite2_.ui, boite2_.proxy, Z_BOITE_MISE_A_JOUR, request);
        return;
    }
    const uint boite = static_cast<uint>(id);
    GM_MessageBoxRequest copie;
    if (!copieMessageBox(boite, copie)) {
        qWarning() << "DisplayGLScene: text update for a box that is gone:" << id;
        return;
    }
    copie.texte_ = request.texte_;
    remplaceTexte(boite, copie.titre_, copie.texte_);
    // A box still waiting in the queue shows the new text when its turn
    // comes; only the box on screen is shown again now.
    if (currentBoxId() == id && boite1_.widget->isVisible())
        showBox(boite1_.widget, boite1_.ui, boite1_.proxy, Z_BOITE_MISE_A_JOUR, copie);
}

bool DisplayGLScene::estTableCouverte() const
{
    auto visible = [](const QWidget* widget) { return widget != nullptr && !widget->isHidden(); };
    for (const Boite* boite : {&boite1_, &boite2_})
        if (visible(boite->widget))
            return true;
    if (visible(formulaireTutoriel_.data()))
        return true;
    for (const QGraphicsProxyWidget* proxy : dialogues_) {
        const auto* dialogue = proxy != nullptr ? qobject_cast<const GM_WidgetAuto*>(proxy->widget()) : nullptr;
        if (visible(dialogue) && dialogue->estOuverteParLeProgramme())
            return true;
    }
    return false;
}

void DisplayGLScene::closeStatusBox()
{
    if (QThread::currentThread() != thread()) {
        QMetaObject::invokeMethod(this, [this] { closeStatusBox(); }, Qt::QueuedConnection);
        return;
    }
    fermeStatut_();
}

void DisplayGLScene::hideWithdrawnBox(uint id)
{
    if (QThread::currentThread() != thread()) {
        QMetaObject::invokeMethod(this, [this, id] { hideWithdrawnBox(id); }, Qt::QueuedConnection);
        return;
    }
    QMutexLocker lock(&mutexBoites_);
    // Late (from another thread): the next box may already be shown.
    if (idBoiteCourante_ != static_cast<qint64>(id))
        return;
    boite1_.widget->hide();
    boite1_.proxy->hide();
    boite1_.proxy->setZValue(Z_BOITE_CACHEE);
    idBoiteCourante_ = -1;
}

void DisplayGLScene::fermeStatut_()
{
    boite2_.widget->hide();
    boite2_.proxy->hide();
    boite2_.proxy->setZValue(Z_STATUT_CACHE);
}

GM::StandardButton DisplayGLScene::boutonDuSignal_(QObject* emetteur, bool* dansStatut) const
{
    *dansStatut = false;
    if (!emetteur)
        return GM::NoButton;
    for (const Boite* boite : {&boite1_, &boite2_}) {
        GM::StandardButton bouton = GM::NoButton;
        if (emetteur == boite->ui->pushButtonOK)
            bouton = GM::Ok;
        else if (emetteur == boite->ui->pushButtonOui)
            bouton = GM::Yes;
        else if (emetteur == boite->ui->pushButtonNon)
            bouton = GM::No;
        else if (emetteur == boite->ui->pushButtonCancel)
            bouton = GM::Cancel;
        if (bouton != GM::NoButton) {
            *dansStatut = boite == &boite2_;
            return bouton;
        }
    }
    return GM::NoButton;
}

void DisplayGLScene::OnMessageBoxAccepted()
{
    bool statut = false;
    const GM::StandardButton bouton = boutonDuSignal_(sender(), &statut);
    if (statut) {
        // The status box is no queued box: its button only closes it.
        QTimer::singleShot(0, this, [this] { fermeStatut_(); });
        return;
    }
    const qint64 id = currentBoxId();
    QTimer::singleShot(0, this, [this, id, bouton] { repondBoite_(id, bouton, true); });
}

void DisplayGLScene::OnMessageBoxRejected()
{
    bool statut = false;
    const GM::StandardButton bouton = boutonDuSignal_(sender(), &statut);
    if (statut) {
        QTimer::singleShot(0, this, [this] { fermeStatut_(); });
        return;
    }
    const qint64 id = currentBoxId();
    QTimer::singleShot(0, this, [this, id, bouton] { repondBoite_(id, bouton, false); });
}

void DisplayGLScene::OnMessageBoxAccepted_Timer()
{
    repondBoite_(-1, GM::NoButton, true);
}

void DisplayGLScene::OnMessageBoxRejected_Timer()
{
    repondBoite_(-1, GM::NoButton, false);
}

void DisplayGLScene::repondBoite_(qint64 idVu, GM::StandardButton bouton, bool accepte)
{
    QMutexLocker lock(&mutexBoites_);
    if (idBoiteCourante_ < 0 || (idVu >= 0 && idVu != idBoiteCourante_))
        return;
    const uint id = static_cast<uint>(idBoiteCourante_);
    GM::StandardButton reponse = bouton;
    if (reponse == GM::NoButton) {
        // No button named (a key, a closing dialog): the box's own accept or
        // reject button, Yes or No when it has none.
        GM_MessageBoxRequest requete;
        const int boutons = copieMessageBox(id, requete) ? static_cast<int>(requete.boutons_) : 0;
        if (accepte)
            reponse = (boutons & GM::Yes) ? GM::Yes : ((boutons & GM::Ok) ? GM::Ok : GM::Yes);
        else
            reponse = (boutons & GM::Cancel) ? GM::Cancel : GM::No;
    }
    boite1_.widget->hide();
    boite1_.proxy->hide();
    boite1_.proxy->setZValue(Z_BOITE_CACHEE);
    fermeStatut_();
    if (!accepte && formulaireTutoriel_)
        formulaireTutoriel_->hide();
    idBoiteCourante_ = -1;
    lock.unlock();
    messageBoxAnswered(id, reponse);
}

void DisplayGLScene::OnTutorialClosed(uint eventId, bool isCompleted)
{
    // The tutorial's own answer (its chosen level) goes to its receiver
    // with the welcome form; here the box leaves the queue.
    Q_UNUSED(isCompleted);
    // The held deal goes ahead, unless the answer asked for the rules first.
    if (accueil_ == AccueilFormulaire)
        OnReglesLues(GM::Ok);
    {
        QMutexLocker lock(&mutexBoites_);
        // A late close of a tutorial that is no longer current must not
        // take the place of the box now on screen.
        if (idBoiteCourante_ == static_cast<qint64>(eventId))
            idBoiteCourante_ = -1;
    }
    messageBoxAnswered(eventId, GM::Ok);
}
