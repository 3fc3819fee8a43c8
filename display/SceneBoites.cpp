#include "SceneBoites.h"

#include "DisplayGLScene.h"
#include "GM_MessageBoxDisplayerA.h"
#include "GM_SharedFunctions.h"
#include "GM_WidgetAutoRound.h"
#include "SceneGeometrie.h"
#include "SceneTextes.h"
#include "ui_MessageBoxGl.h"

#include <QApplication>
#include <QGraphicsProxyWidget>
#include <QKeyEvent>
#include <QMutexLocker>
#include <QPushButton>

#include <algorithm>
#include <array>

#include "DisplayGLSceneInterne.h"

using namespace scene_interne;

namespace {

// The button Return answers: the one the user moved to, else the first of
// Yes, OK, No, Cancel the box shows. A box shown anew has no button the
// user moved to: the one that kept the focus was the last box's.
QPushButton* boutonParDefaut(const Ui::MessageBoxGl& ui, bool neuve = false)
{
    const std::array<QPushButton*, 4> boutons = {ui.pushButtonOui, ui.pushButtonOK, ui.pushButtonNon,
                                                 ui.pushButtonCancel};
    for (QPushButton* bouton : boutons)
        if (!neuve && !bouton->isHidden() && bouton->hasFocus())
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

bool estMontre(const QWidget* widget)
{
    return widget != nullptr && !widget->isHidden();
}

// A dialog the program brought up by itself, open over the table.
bool ouvertParLeProgramme(const QGraphicsProxyWidget* proxy)
{
    const auto* dialogue = proxy != nullptr ? qobject_cast<const GM_WidgetAuto*>(proxy->widget()) : nullptr;
    return estMontre(dialogue) && dialogue->estOuverteParLeProgramme();
}

} // namespace

SceneBoites::SceneBoites(DisplayGLScene& scene)
    : scene_(scene)
{
}

// ----------------------------------------------------------------- building

void SceneBoites::construit()
{
    construitBoite_(boite1_, false, DisplayGLScene::Z_BOITE_CACHEE);
    construitBoite_(boite2_, true, DisplayGLScene::Z_STATUT_CACHE);
    boite1_.widget->installEventFilter(&scene_);
    // The rules link of the help box.
    for (Boite* boite : {&boite1_, &boite2_}) {
        QLabel* wiki = boite->ui->labelWiki;
        wiki->hide();
        wiki->setTextFormat(Qt::RichText);
        wiki->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::LinksAccessibleByMouse
                                      | Qt::LinksAccessibleByKeyboard);
        wiki->setOpenExternalLinks(true);
    }
    timerBoite_.setSingleShot(true);
    timerBoite_.setInterval(1);
    QObject::connect(&timerBoite_, &QTimer::timeout, &scene_, &DisplayGLScene::OnMessageBoxExecInMainLoop);
}

void SceneBoites::construitBoite_(Boite& boite, bool gardeOptionStyle, double z)
{
    boite.widget = new GM_WidgetAutoRound;
    boite.ui = new Ui::MessageBoxGl;
    boite.ui->setupUi(boite.widget);
    for (QPushButton* bouton : {boite.ui->pushButtonOK, boite.ui->pushButtonOui})
        QObject::connect(bouton, &QPushButton::clicked, &scene_, &DisplayGLScene::OnMessageBoxAccepted);
    for (QPushButton* bouton : {boite.ui->pushButtonNon, boite.ui->pushButtonCancel})
        QObject::connect(bouton, &QPushButton::clicked, &scene_, &DisplayGLScene::OnMessageBoxRejected);
    boite.widget->hide();
    boite.proxy = scene_.addWidget(boite.widget);
    boite.proxy->setCacheMode(QGraphicsItem::NoCache);
    if (!gardeOptionStyle)
        boite.proxy->setFlag(QGraphicsItem::ItemUsesExtendedStyleOption, false);
    boite.proxy->setZValue(z);
    boite.proxy->hide();
    scene_.suitClavier(boite.proxy);
}

void SceneBoites::deconnecte()
{
    timerBoite_.stop();
    if (!boite1_.widget)
        return;
    boite1_.widget->removeEventFilter(&scene_);
    for (Boite* boite : {&boite1_, &boite2_})
        for (QPushButton* bouton : boite->widget->findChildren<QPushButton*>())
            QObject::disconnect(bouton, nullptr, &scene_, nullptr);
}

void SceneBoites::oublieBoites()
{
    for (Boite* boite : {&boite1_, &boite2_}) {
        delete boite->ui;
        boite->ui = nullptr;
        boite->widget = nullptr;
        boite->proxy = nullptr;
    }
}

// ------------------------------------------------------------ queued boxes

qint64 SceneBoites::idCourant() const
{
    QMutexLocker lock(&mutexBoites_);
    return idBoiteCourante_;
}

void SceneBoites::setFormulaireTutoriel(GM_WidgetAuto* formulaire)
{
    formulaireTutoriel_ = formulaire;
}

void SceneBoites::programme(uint id)
{
    QMutexLocker lock(&mutexBoites_);
    if (static_cast<qint64>(id) == idBoiteCourante_)
        return;
    idBoiteCourante_ = id;
    affichagePrevu_.store(true);
    // From any thread: the box is shown by the GUI thread's event loop.
    QMetaObject::invokeMethod(&timerBoite_, [this] { timerBoite_.start(0); }, Qt::QueuedConnection);
}

void SceneBoites::afficheCourante()
{
    affichagePrevu_.store(false);
    QMutexLocker lock(&mutexBoites_);
    if (idBoiteCourante_ < 0)
        return;
    const uint id = static_cast<uint>(idBoiteCourante_);
    GM_MessageBoxRequest requete;
    if (!scene_.copieMessageBox(id, requete)) {
        // Nothing under this id (answered or never queued): the queue must
        // not wait for it.
        qWarning() << "DisplayGLScene: no message box under id" << id;
        idBoiteCourante_ = -1;
        lock.unlock();
        scene_.messageBoxAnswered(id, GM::NoButton);
        return;
    }
    if (requete.type_ == GM_MessageBoxRequest::Tutoriel) {
        if (!autoReponse_.load() && formulaireTutoriel_) {
            idTutoriel_ = id;
            formulaireTutoriel_->show();
            lock.unlock();
            // Its first key, Tab included, is its own.
            clavierAuDevant();
            emit scene_.signalMessageBoxShown(id);
            return;
        }
        lock.unlock();
        scene_.OnTutorialClosed(id, true);
        return;
    }
    if (autoReponse_.load()) {
        idBoiteCourante_ = -1;
        lock.unlock();
        scene_.messageBoxAnswered(id, GM::Ok);
        return;
    }
    scene_.vibre(DisplayGLScene::VIBRATION_BOITE_MS);
    if (requete.texte_.contains(QLatin1String(DisplayGLScene::TEXTE_ERREUR_INCONNUE), Qt::CaseSensitive)) {
        // Not shown; answered at once, so that the boxes behind it still come.
        qWarning().noquote() << QStringLiteral("DisplayGLScene: box not shown: %1: %2")
                                    .arg(requete.titre_, requete.texte_);
        idBoiteCourante_ = -1;
        lock.unlock();
        scene_.messageBoxAnswered(id, GM::NoButton);
        return;
    }
    lock.unlock();
    montre(boite1_.widget, boite1_.ui, boite1_.proxy, DisplayGLScene::Z_BOITE, requete);
    emit scene_.signalMessageBoxShown(id);
}

void SceneBoites::montre(GM_WidgetAutoRound* widget, Ui::MessageBoxGl* form, QGraphicsProxyWidget* proxy, double z,
                         const GM_MessageBoxRequest& request)
{
    if (!widget || !form || !proxy)
        return;
    scene_.stopAnimationsAndCloseDialogs();
    const int icone = static_cast<int>(request.icone_);
    const QRectF table = scene_.zoneTable();
    GM_WidgetAuto::setLabelPixmapScaled(form->labelIcon, table.width(), table.height(),
                                        DisplayGLScene::iconeBoite(icone), scene_.devicePixelRatio(),
                                        DIVISEUR_ICONE_BOITE, DECALAGE_ICONE_BOITE);
    const int effet = DisplayGLScene::sonBoite(icone);
    if (effet >= 0)
        scene_.joueSon(effet);
    form->labelText->setText(request.titre_);
    widget->setWindowTitle(request.titre_);
    const int boutons = static_cast<int>(request.boutons_);
    form->pushButtonOK->setVisible((boutons & GM::Ok) != 0);
    form->pushButtonOui->setVisible((boutons & GM::Yes) != 0);
    form->pushButtonNon->setVisible((boutons & GM::No) != 0);
    form->pushButtonCancel->setVisible((boutons & GM::Cancel) != 0);

    const QString texte = scene_textes::texteBoite(request.texte_);
    if (historique_.size() > DisplayGLScene::HISTORIQUE_MAX)
        historique_.removeFirst();
    historique_.append(texte);
    form->labelMessage->setText(texte);
    const bool aide = icone == DisplayGLScene::IconeAide;
    form->labelWiki->setVisible(aide);
    form->labelMessage->setAlignment(aide ? (Qt::AlignLeft | Qt::AlignVCenter) : Qt::AlignCenter);

    const QFont police = scaledFont(DisplayGLScene::CLASSE_POLICE_BOITE);
    proxy->setFont(police);
    widget->setFont(police);
    form->labelText->setFont(police);
    form->labelMessage->setFont(police);
    form->labelWiki->setFont(police);

    proxy->setZValue(z);
    dernierGenre_ = icone;
    place(widget, proxy, table);
    const bool neuve = !widget->isVisible();
    widget->show();
    proxy->show();
    for (const Boite* boite : {&boite1_, &boite2_})
        if (boite->proxy == proxy)
            focusDansBoite_(proxy, boite, neuve);
}

void SceneBoites::montreStatut(const GM_MessageBoxRequest& request)
{
    montre(boite2_.widget, boite2_.ui, boite2_.proxy, DisplayGLScene::Z_BOITE_MISE_A_JOUR, request);
}

void SceneBoites::montreMiseAJour(const GM_MessageBoxRequest& request, int id)
{
    // A box still waiting in the queue shows the new text when its turn
    // comes; only the box on screen is shown again now.
    if (idCourant() == id && boite1_.widget->isVisible())
        montre(boite1_.widget, boite1_.ui, boite1_.proxy, DisplayGLScene::Z_BOITE_MISE_A_JOUR, request);
}

void SceneBoites::cacheBoite1_()
{
    boite1_.widget->hide();
    boite1_.proxy->hide();
    boite1_.proxy->setZValue(DisplayGLScene::Z_BOITE_CACHEE);
}

void SceneBoites::retire(uint id)
{
    QMutexLocker lock(&mutexBoites_);
    // Late (from another thread): the next box may already be shown.
    if (idBoiteCourante_ != static_cast<qint64>(id))
        return;
    cacheBoite1_();
    idBoiteCourante_ = -1;
}

void SceneBoites::fermeStatut()
{
    boite2_.widget->hide();
    boite2_.proxy->hide();
    boite2_.proxy->setZValue(DisplayGLScene::Z_STATUT_CACHE);
}

GM::StandardButton SceneBoites::boutonDuSignal_(QObject* emetteur, bool* dansStatut) const
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

void SceneBoites::repondBouton(QObject* emetteur, bool accepte)
{
    bool statut = false;
    const GM::StandardButton bouton = boutonDuSignal_(emetteur, &statut);
    if (statut) {
        // The status box is no queued box: its button only closes it.
        // Answering would answer the question of the main box, which the
        // user did not press.
        QTimer::singleShot(0, &scene_, [this] { fermeStatut(); });
        return;
    }
    const qint64 id = idCourant();
    QTimer::singleShot(0, &scene_, [this, id, bouton, accepte] { repond(id, bouton, accepte); });
}

void SceneBoites::repond(qint64 idVu, GM::StandardButton bouton, bool accepte)
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
        const int boutons = scene_.copieMessageBox(id, requete) ? static_cast<int>(requete.boutons_) : 0;
        if (accepte)
            reponse = (boutons & GM::Yes) ? GM::Yes : ((boutons & GM::Ok) ? GM::Ok : GM::Yes);
        else
            reponse = (boutons & GM::Cancel) ? GM::Cancel : GM::No;
    }
    cacheBoite1_();
    fermeStatut();
    if (!accepte && formulaireTutoriel_)
        formulaireTutoriel_->hide();
    idBoiteCourante_ = -1;
    // The welcome answered otherwise than by its form (the back key): the
    // first deal no longer waits for it.
    const bool tutoriel = formulaireTutoriel_ && id == idTutoriel_;
    lock.unlock();
    if (tutoriel)
        scene_.relacheAccueil();
    scene_.messageBoxAnswered(id, reponse);
}

void SceneBoites::fermeTutoriel(uint id)
{
    QMutexLocker lock(&mutexBoites_);
    // A late close of a tutorial that is no longer current must not take
    // the place of the box now on screen.
    if (idBoiteCourante_ == static_cast<qint64>(id))
        idBoiteCourante_ = -1;
}

// ------------------------------------------------------ layout and language

void SceneBoites::place(QWidget* widget, QGraphicsProxyWidget* proxy, const QRectF& rect) const
{
    if (!widget || !proxy)
        return;
    const double hauteur = std::max(0.0, hauteurBoite(rect.height()));
    const double largeur = std::max(0.0, rect.width());
    widget->setFixedWidth(arrondi(largeur));
    widget->setFixedHeight(arrondi(hauteur));
    proxy->setGeometry(QRectF(rect.x(), rect.y() + (rect.height() - hauteur) / 2.0, largeur, hauteur));
}

double SceneBoites::hauteurBoite(double hauteurTable) const
{
    if (dernierGenre_ == DisplayGLScene::IconeAide)
        return hauteurTable;
    const QString titre = boite1_.ui ? boite1_.ui->labelText->text() : QString();
    if (titre == DisplayGLScene::tr("Fin de partie.") || titre == DisplayGLScene::tr("End of the game."))
        return hauteurTable / DisplayGLScene::HAUTEUR_BOITE_FIN;
    return hauteurTable / DisplayGLScene::HAUTEUR_BOITE;
}

void SceneBoites::replace(const QRectF& table)
{
    // The status box covers the whole table; the main box keeps its rule.
    boite2_.widget->setFixedSize(arrondi(table.width()), arrondi(table.height()));
    boite2_.proxy->setGeometry(QRectF(table.x(), table.y(), arrondi(table.width()), arrondi(table.height())));
    if (boite1_.widget->isVisible())
        place(boite1_.widget, boite1_.proxy, table);
}

void SceneBoites::appliquePolice(const QRectF& table)
{
    if (!boite1_.widget->isVisible())
        return;
    const QFont police = scaledFont(DisplayGLScene::CLASSE_POLICE_BOITE);
    boite1_.widget->setFont(police);
    boite1_.ui->labelMessage->setFont(police);
    boite1_.ui->labelWiki->setFont(police);
    boite1_.ui->labelText->setFont(police);
    place(boite1_.widget, boite1_.proxy, table);
}

void SceneBoites::retraduit(const QRectF& table)
{
    if (!boite1_.ui)
        return;
    // The box keeps the text it shows.
    const QString message = boite1_.ui->labelMessage->text();
    boite1_.ui->retranslateUi(boite1_.widget);
    boite1_.ui->labelMessage->setText(message);
    if (boite1_.widget->isVisible())
        place(boite1_.widget, boite1_.proxy, table);
}

void SceneBoites::setLienRegles(const QString& texte)
{
    for (Boite* boite : {&boite1_, &boite2_})
        if (boite->ui)
            boite->ui->labelWiki->setText(texte);
}

bool SceneBoites::estFenetreBoite(const QObject* objet) const
{
    return boite1_.widget && objet == boite1_.widget;
}

// ------------------------------------------------------------ in front, keys

QGraphicsProxyWidget* SceneBoites::proxyDevant_(const Boite** boite) const
{
    *boite = nullptr;
    for (const Boite* b : {&boite1_, &boite2_})
        if (estMontre(b->widget) && b->proxy && b->proxy->isVisible()) {
            *boite = b;
            return b->proxy;
        }
    if (estMontre(formulaireTutoriel_.data()) && formulaireTutoriel_->graphicsProxyWidget())
        return formulaireTutoriel_->graphicsProxyWidget();
    for (const Dialogue& d : dialogues_)
        if (ouvertParLeProgramme(d.proxy))
            return d.proxy;
    return nullptr;
}

void SceneBoites::focusDansBoite_(QGraphicsProxyWidget* proxy, const Boite* boite, bool neuve)
{
    if (!proxy)
        return;
    proxy->setFocus(Qt::OtherFocusReason);
    QPushButton* defaut = boite && boite->ui ? boutonParDefaut(*boite->ui, neuve) : nullptr;
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

bool SceneBoites::uneBoiteDevant() const
{
    for (const Boite* b : {&boite1_, &boite2_})
        if (estMontre(b->widget) && b->proxy && b->proxy->isVisible())
            return true;
    return estMontre(formulaireTutoriel_.data()) && formulaireTutoriel_->graphicsProxyWidget();
}

bool SceneBoites::clavierAuDevant()
{
    const Boite* boite = nullptr;
    QGraphicsProxyWidget* devant = proxyDevant_(&boite);
    if (!devant)
        return false;
    focusDansBoite_(devant, boite);
    return true;
}

bool SceneBoites::touche(QKeyEvent* evenement)
{
    const Boite* boite = nullptr;
    QGraphicsProxyWidget* devant = proxyDevant_(&boite);
    if (!devant)
        return false;
    auto dedans = [this, devant] {
        const QGraphicsItem* focus = scene_.focusItem();
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

// --------------------------------------------------------- in-scene dialogs

QGraphicsProxyWidget* SceneBoites::dialogueDeClasse(const std::type_info& classe) const
{
    for (const Dialogue& d : dialogues_)
        if (d.proxy && d.proxy->widget() && typeid(*d.proxy->widget()) == classe)
            return d.proxy;
    return nullptr;
}

void SceneBoites::placeDialogue_(const Dialogue& dialogue, const QRectF& table)
{
    auto* widget = dialogue.proxy ? qobject_cast<GM_WidgetAuto*>(dialogue.proxy->widget()) : nullptr;
    if (!widget)
        return;
    widget->setGeometryFixed(scene_geometrie::geometrieDialogue(table, scene_.sceneRect().width(),
                                                                dialogue.placement, dialogue.mode));
}

QGraphicsProxyWidget* SceneBoites::ajouteDialogue(GM_WidgetAuto* widget, double z, int placement, int mode,
                                                  const QRectF& table)
{
    if (!widget)
        return nullptr;
    for (const Dialogue& d : dialogues_) {
        if (d.proxy && d.proxy->widget() == widget) {
            qWarning() << "DisplayGLScene: dialog added twice, kept where it is";
            return d.proxy;
        }
    }
    if (widget->parentWidget())
        widget->setParent(nullptr);
    widget->setAttribute(Qt::WA_ContentsMarginsRespectsSafeArea, false);
    widget->setWindowFlag(Qt::MaximizeUsingFullscreenGeometryHint, false);
    widget->hide();
    auto* proxy = new QGraphicsProxyWidget;
    proxy->setCacheMode(QGraphicsItem::DeviceCoordinateCache);
    proxy->setWidget(widget);
    proxy->setZValue(z);
    proxy->hide();
    scene_.addItem(proxy);
    scene_.suitClavier(proxy);
    dialogues_.append(Dialogue{proxy, placement, mode});
    placeDialogue_(dialogues_.constLast(), table);
    return proxy;
}

bool SceneBoites::fermeDialogues(bool gardeBandeDroite)
{
    const qint64 courant = idCourant();
    bool ferme = false;
    for (const Dialogue& d : std::as_const(dialogues_)) {
        if (!d.proxy || !d.proxy->isVisible() || !d.proxy->widget())
            continue;
        if (gardeBandeDroite && d.placement == 1)
            continue;
        // A form whose closing is an answer gives it (the welcome is
        // skipped): nothing is left waiting for it.
        if (auto* formulaire = qobject_cast<GM_WidgetAuto*>(d.proxy->widget()))
            formulaire->fermeParLaTable();
        else
            d.proxy->widget()->close();
        d.proxy->hide();
        ferme = true;
    }
    if (ferme) {
        scene_.setActiveWindow(nullptr);
        for (Boite* boite : {&boite1_, &boite2_}) {
            boite->widget->hide();
            boite->proxy->hide();
        }
        // The box that was on screen is answered, not the one a form's
        // answer has just brought up in its place.
        QTimer::singleShot(0, &scene_, [this, courant] { repond(courant, GM::NoButton, false); });
        QTimer::singleShot(0, &scene_, [this, courant] { repond(courant, GM::NoButton, true); });
    }
    return ferme;
}

void SceneBoites::placeDialogues(const QRectF& table)
{
    for (const Dialogue& d : std::as_const(dialogues_))
        placeDialogue_(d, table);
}

void SceneBoites::ajusteBandeDroite(const QRectF& table)
{
    // A strip window takes the strip's width as its sizing mode gives it: the
    // whole strip, or its inset, which starts inside the strip and would run
    // past the window with the strip's whole width.
    for (const Dialogue& d : std::as_const(dialogues_)) {
        if (!d.proxy || d.placement != 1 || !d.proxy->widget())
            continue;
        QWidget* widget = d.proxy->widget();
        const QRect place = scene_geometrie::geometrieDialogue(table, scene_.sceneRect().width(), 1, d.mode);
        const int largeur = std::max(0, place.width());
        if (widget->width() != largeur)
            widget->setFixedWidth(largeur);
    }
}

QGraphicsProxyWidget* SceneBoites::dialogueDe(const QGraphicsItem* item) const
{
    if (item == nullptr)
        return nullptr;
    for (const Dialogue& d : dialogues_)
        if (d.proxy != nullptr && d.proxy->isVisible() && (d.proxy == item || d.proxy->isAncestorOf(item)))
            return d.proxy;
    return nullptr;
}

QList<QGraphicsProxyWidget*> SceneBoites::dialogues() const
{
    QList<QGraphicsProxyWidget*> proxies;
    proxies.reserve(dialogues_.size());
    for (const Dialogue& d : dialogues_)
        proxies.append(d.proxy);
    return proxies;
}

// ---------------------------------------------------------- the bug windows

void SceneBoites::setFenetresBug(QWidget* formulaireDebug, QWidget* questionnaireBug)
{
    formulaireDebug_ = formulaireDebug;
    questionnaireBug_ = questionnaireBug;
}

void SceneBoites::montreFormulaireDebug()
{
    montreAvecClavier_(formulaireDebug_);
}

void SceneBoites::montreQuestionnaireBug()
{
    montreAvecClavier_(questionnaireBug_);
}

void SceneBoites::montreAvecClavier_(QWidget* fenetre)
{
    if (!fenetre)
        return;
    // As a window opened from the menu: the keyboard is its own.
    fenetre->show();
    fenetre->setFocus(Qt::OtherFocusReason);
}

void SceneBoites::cacheFenetresBug()
{
    if (formulaireDebug_)
        formulaireDebug_->hide();
    // Only hidden: the next report clears the form and takes its picture
    // again, over the one left here.
    if (questionnaireBug_)
        questionnaireBug_->hide();
}
