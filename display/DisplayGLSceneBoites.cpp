#include "DisplayGLScene.h"

#include "DisplayGLSceneDialog.h"
#include "GM_MessageBoxDisplayerA.h"

#include <QApplication>
#include <QGraphicsProxyWidget>
#include <QKeyEvent>
#include <QScopedValueRollback>
#include <QStyle>
#include <QThread>

// The message boxes and in-scene forms live in SceneBoites; the scene, their
// displayer, forwards to it.

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
    boites_.setAutoReponse(autoReponse);
}

bool DisplayGLScene::isAutoAnswer() const
{
    return boites_.autoReponse();
}

qint64 DisplayGLScene::currentBoxId() const
{
    return boites_.idCourant();
}

void DisplayGLScene::setTutorialForm(GM_WidgetAuto* formulaire)
{
    boites_.setFormulaireTutoriel(formulaire);
}

void DisplayGLScene::execMessageBox(uint id)
{
    boites_.programme(id);
}

bool DisplayGLScene::isMessageBoxPending()
{
    // Called with the queue's mutex held: an atomic, never a lock.
    return boites_.estPrevue();
}

void DisplayGLScene::OnMessageBoxExecInMainLoop()
{
    boites_.afficheCourante();
}

void DisplayGLScene::showBox(GM_WidgetAutoRound* widget, Ui::MessageBoxGl* form, QGraphicsProxyWidget* proxy,
                             double z, const GM_MessageBoxRequest& request)
{
    boites_.montre(widget, form, proxy, z, request);
}

void DisplayGLScene::placeBox(QWidget* widget, QGraphicsProxyWidget* proxy, const QRectF& rect)
{
    boites_.place(widget, proxy, rect);
}

void DisplayGLScene::keyPressEvent(QKeyEvent* evenement)
{
    rendsClavierCache_();
    if (!boites_.touche(evenement))
        QGraphicsScene::keyPressEvent(evenement);
}

bool DisplayGLScene::focusNextPrevChild(bool next)
{
    // With nothing holding the keyboard, the box or form in front takes
    // Tab as its first key.
    if (focusItem() == nullptr && boites_.clavierAuDevant())
        return true;
    if (focusItem() == nullptr && !toucheTab_)
        return false;
    if (next && focusItem() == nullptr && dialogueReglages_ != nullptr && dialogueReglages_->isVisible()) {
        dialogueReglages_->setFocus(Qt::TabFocusReason);
        return true;
    }
    return QGraphicsScene::focusNextPrevChild(next);
}

bool DisplayGLScene::event(QEvent* evenement)
{
    const bool tab = evenement->type() == QEvent::KeyPress
                     && (static_cast<QKeyEvent*>(evenement)->key() == Qt::Key_Tab
                         || static_cast<QKeyEvent*>(evenement)->key() == Qt::Key_Backtab);
    const QScopedValueRollback<bool> garde(toucheTab_, toucheTab_ || tab);
    return QGraphicsScene::event(evenement);
}

void DisplayGLScene::keyReleaseEvent(QKeyEvent* evenement)
{
    if (!boites_.touche(evenement))
        QGraphicsScene::keyReleaseEvent(evenement);
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
        boites_.montreStatut(request);
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
    boites_.montreMiseAJour(copie, id);
}

void DisplayGLScene::closeStatusBox()
{
    if (QThread::currentThread() != thread()) {
        QMetaObject::invokeMethod(this, [this] { closeStatusBox(); }, Qt::QueuedConnection);
        return;
    }
    boites_.fermeStatut();
}

void DisplayGLScene::hideWithdrawnBox(uint id)
{
    if (QThread::currentThread() != thread()) {
        QMetaObject::invokeMethod(this, [this, id] { hideWithdrawnBox(id); }, Qt::QueuedConnection);
        return;
    }
    boites_.retire(id);
}

void DisplayGLScene::OnMessageBoxAccepted()
{
    boites_.repondBouton(sender(), true);
}

void DisplayGLScene::OnMessageBoxRejected()
{
    boites_.repondBouton(sender(), false);
}

void DisplayGLScene::OnMessageBoxAccepted_Timer()
{
    boites_.repond(-1, GM::NoButton, true);
}

void DisplayGLScene::OnMessageBoxRejected_Timer()
{
    boites_.repond(-1, GM::NoButton, false);
}

void DisplayGLScene::OnTutorialClosed(uint eventId, bool isCompleted)
{
    // The tutorial's own answer (its chosen level) goes to its receiver
    // with the welcome form; here the box leaves the queue.
    Q_UNUSED(isCompleted);
    // The held deal goes ahead, unless the answer asked for the rules first.
    relacheAccueil();
    boites_.fermeTutoriel(eventId);
    messageBoxAnswered(eventId, GM::Ok);
}

QGraphicsProxyWidget* DisplayGLScene::ajouteDialogue(GM_WidgetAuto* widget, double z, int placement, int mode)
{
    return boites_.ajouteDialogue(widget, z, placement, mode, QRectF(0.0, decalageTable_, largeurTable_, hauteurTable_));
}

bool DisplayGLScene::fermeDialogues()
{
    return boites_.fermeDialogues(dispositionLarge_ && panneauDroitAffiche_);
}

bool DisplayGLScene::fermePanneaux()
{
    bool ferme = false;
    for (DisplayGLSceneDialog* panneau : {dialogueReglages_, dialogueChat_}) {
        if (panneau == nullptr || !panneau->isVisible() || !panneau->isOpen())
            continue;
        panneau->collapse();
        ferme = true;
    }
    return ferme;
}

void DisplayGLScene::suitClavier(QGraphicsProxyWidget* proxy)
{
    if (proxy == nullptr)
        return;
    connect(proxy, &QGraphicsObject::visibleChanged, this, [this, proxy] {
        if (!proxy->isVisible())
            rendsClavierCache_();
    });
}

void DisplayGLScene::rendsClavierCache_()
{
    // An item out of sight would eat every key.
    if (QGraphicsItem* focus = focusItem(); focus != nullptr && !focus->isVisible())
        focus->clearFocus();
}

void DisplayGLScene::setFenetresBug(QWidget* formulaireDebug, QWidget* questionnaireBug)
{
    boites_.setFenetresBug(formulaireDebug, questionnaireBug);
}
