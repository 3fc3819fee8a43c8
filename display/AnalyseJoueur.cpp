#include "AnalyseJoueur.h"

#include "AI_ProbaSimplifiee.h"
#include "GM_SharedFunctions.h"
#include "NomsDeCouleurs.h"
#include "ZB_AnalyseJoueurGraph.h"
#include "ZB_AnalyseJoueurGraphProb.h"

#include <QBoxLayout>
#include <QDateTime>
#include <QGridLayout>
#include <QHeaderView>
#include <QLabel>
#include <QMutexLocker>
#include <QPixmap>
#include <QPushButton>
#include <QTabWidget>
#include <QTextEdit>
#include <QThread>
#include <QTreeWidget>

#include <cmath>
#include <cstdlib>

namespace {

bool estCaseValide(int couleur, int joueur)
{
    return couleur >= 1 && couleur <= 4 && joueur >= 0 && joueur <= 3;
}

} // namespace

AnalyseJoueur::AnalyseJoueur(QWidget* parent, int styleJeu)
    : GM_WidgetAuto(parent)
{
    for (auto& page : probabilites_)
        for (auto& ligne : page)
            for (auto& barre : ligne)
                for (float& valeur : barre)
                    valeur = 1.0f;
    construitFormulaire_(styleJeu);
}

AnalyseJoueur::~AnalyseJoueur() = default;

void AnalyseJoueur::construitFormulaire_(int styleJeu)
{
    setObjectName(QStringLiteral("AnalyseJoueur"));
    resize(860, 380);

    auto* principal = new QVBoxLayout(this);
    principal->setContentsMargins(6, 6, 6, 6);
    principal->setSpacing(6);

    auto* entete = new QHBoxLayout;
    entete->setSpacing(6);
    principal->addLayout(entete);

    labelPlayerName = new QLabel(this);
    labelPlayerName->setObjectName(QStringLiteral("labelPlayerName"));
    // Player names may come from remote players: never read them as markup.
    labelPlayerName->setTextFormat(Qt::PlainText);
    entete->addWidget(labelPlayerName);
    entete->addStretch(1);

    const auto legende = [this, entete](QLabel*& texte, QLabel*& pastille, const QString& nom,
                                        const QString& libelle, int table) {
        pastille = new QLabel(this);
        pastille->setObjectName(nom + QStringLiteral("Pix"));
        QPixmap carre(10, 10);
        carre.fill(ZB_AnalyseJoueurGraphProb::couleurTable(table));
        pastille->setPixmap(carre);
        pastille->setFixedSize(10, 10);
        entete->addWidget(pastille);
        texte = new QLabel(libelle, this);
        texte->setObjectName(nom);
        entete->addWidget(texte);
        entete->addSpacing(8);
    };
    legende(labelLegendViewFromPlayer, labelLegendViewFromPlayerPix, QStringLiteral("labelLegendViewFromPlayer"),
            tr("Vue Joueur"), 0);
    legende(labelLegendViewOthers, labelLegendViewOthersPix, QStringLiteral("labelLegendViewOthers"),
            tr("Vue Autres"), 1);
    legende(labelLegendViewReal, labelLegendViewRealPix, QStringLiteral("labelLegendViewReal"), tr("Réel"), 2);
    entete->addStretch(1);

    pushButtonContinue_ = new QPushButton(tr("Continue"), this);
    pushButtonContinue_->setObjectName(QStringLiteral("pushButtonContinue_"));
    pushButtonContinue_->setEnabled(false);
    entete->addWidget(pushButtonContinue_);

    auto* corps = new QHBoxLayout;
    corps->setSpacing(6);
    principal->addLayout(corps, 1);

    PageControlDistrib = new QTabWidget(this);
    PageControlDistrib->setObjectName(QStringLiteral("PageControlDistrib"));
    corps->addWidget(PageControlDistrib, 3);

    tabWidgetLogs = new QTabWidget(this);
    tabWidgetLogs->setObjectName(QStringLiteral("tabWidgetLogs"));
    corps->addWidget(tabWidgetLogs, 2);

    tabText = new QWidget;
    tabText->setObjectName(QStringLiteral("tabText"));
    auto* disposeTexte = new QVBoxLayout(tabText);
    disposeTexte->setContentsMargins(2, 2, 2, 2);
    RichEditInfo = new QTextEdit(tabText);
    RichEditInfo->setObjectName(QStringLiteral("RichEditInfo"));
    RichEditInfo->setReadOnly(true);
    RichEditInfo->setAcceptRichText(true);
    disposeTexte->addWidget(RichEditInfo);
    tabWidgetLogs->addTab(tabText, tr("Text Log"));

    tabTree = new QWidget;
    tabTree->setObjectName(QStringLiteral("tabTree"));
    auto* disposeArbre = new QVBoxLayout(tabTree);
    disposeArbre->setContentsMargins(2, 2, 2, 2);
    TreeView = new QTreeWidget(tabTree);
    TreeView->setObjectName(QStringLiteral("TreeView"));
    TreeView->setHeaderLabel(tr("Simulation"));
    TreeView->addTopLevelItem(new QTreeWidgetItem(QStringList(QStringLiteral("#define SHOW_TREE to enable"))));
    disposeArbre->addWidget(TreeView);
    tabWidgetLogs->addTab(tabTree, tr("Tree"));

    PageControlDistrib->clear();
    for (int couleur = 1; couleur <= 4; ++couleur) {
        auto* page = new ZB_AnalyseJoueurGraph;
        graphs_[couleur - 1] = page;
        PageControlDistrib->addTab(page, getNomCouleur(couleur, styleJeu));
    }

    connect(pushButtonContinue_, &QPushButton::clicked, this, &AnalyseJoueur::OnContinuePressed);
    setFont(scaledFont(2));
}

bool AnalyseJoueur::estThreadGraphique_() const
{
    return QThread::currentThread() == thread();
}

// Showing, hiding, the title and the place in the layout belong to the GUI
// thread; a call from elsewhere is carried over to it.

void AnalyseJoueur::cache()
{
    if (!estThreadGraphique_()) {
        QMetaObject::invokeMethod(this, [this] { cache(); }, Qt::QueuedConnection);
        return;
    }
    hide();
}

void AnalyseJoueur::setTitre(const QString& titre)
{
    if (!estThreadGraphique_()) {
        QMetaObject::invokeMethod(this, [this, titre] { setTitre(titre); }, Qt::QueuedConnection);
        return;
    }
    setWindowTitle(titre);
}

void AnalyseJoueur::affiche()
{
    if (!estThreadGraphique_()) {
        QMetaObject::invokeMethod(this, [this] { affiche(); }, Qt::QueuedConnection);
        return;
    }
    show();
}

void AnalyseJoueur::setPosition(int code)
{
    if (!estThreadGraphique_()) {
        QMetaObject::invokeMethod(this, [this, code] { setPosition(code); }, Qt::QueuedConnection);
        return;
    }
    QWidget* parent = parentWidget();
    auto* grille = parent != nullptr ? qobject_cast<QGridLayout*>(parent->layout()) : nullptr;
    if (grille == nullptr)
        return;
    grille->removeWidget(this);
    switch (code) {
    case 0: grille->addWidget(this, 0, 1); break;
    case 1: grille->addWidget(this, 0, 0); break;
    case 2: grille->addWidget(this, 1, 0); break;
    case 3: grille->addWidget(this, 1, 1); break;
    default: break;
    }
}

void AnalyseJoueur::showEvent(QShowEvent* event)
{
    GM_WidgetAuto::showEvent(event);
    visible_.store(isVisible());
}

void AnalyseJoueur::hideEvent(QHideEvent* event)
{
    GM_WidgetAuto::hideEvent(event);
    // A minimised window still counts as visible, as isVisible says.
    visible_.store(isVisible());
}

// Text log.

void AnalyseJoueur::ajouteMessage(const QString& texte)
{
    QMutexLocker verrou(&mutexTexte_);
    if (!visible_.load())
        return;
    messages_.append(texte);
    if (!messagesPlanifies_) {
        messagesPlanifies_ = true;
        QMetaObject::invokeMethod(this, &AnalyseJoueur::onTextMessagesUpdate, Qt::QueuedConnection);
    }
}

void AnalyseJoueur::effaceMessages()
{
    QMutexLocker verrou(&mutexTexte_);
    if (!visible_.load())
        return;
    effaceMessages_ = true;
    if (!messagesPlanifies_) {
        messagesPlanifies_ = true;
        QMetaObject::invokeMethod(this, &AnalyseJoueur::onTextMessagesUpdate, Qt::QueuedConnection);
    }
}

void AnalyseJoueur::onTextMessagesUpdate()
{
    // The queue is taken whole, so that reporting threads do not wait while
    // the box lays its text out.
    QStringList messages;
    bool efface = false;
    {
        QMutexLocker verrou(&mutexTexte_);
        messagesPlanifies_ = false;
        efface = effaceMessages_;
        messages.swap(messages_);
    }
    if (efface)
        RichEditInfo->clear();
    for (const QString& message : std::as_const(messages))
        RichEditInfo->append(message);
}

// Search tree.

qint64 AnalyseJoueur::nouvelId_unlocked()
{
    // The milliseconds since the epoch in the high half and rand() in the
    // low half. The shift is done unsigned: the milliseconds no longer fit
    // in 32 bits, and only their low 32 bits remain. 0 names the top-level
    // item, so it is never handed out, nor is an id already given.
    qint64 id = 0;
    do {
        const quint64 millisecondes = quint64(QDateTime::currentMSecsSinceEpoch());
        id = qint64((millisecondes << 32) + quint64(std::rand()));
    } while (id == 0 || idsDonnes_.contains(id));
    idsDonnes_.insert(id);
    return id;
}

void AnalyseJoueur::ajouteNoeudRacine(const QString& texte)
{
    if (!visible_.load())
        return;
    QMutexLocker verrou(&mutexArbre_);
    noeudsAAjouter_.clear();
    noeuds_.clear();
    idsDonnes_.clear();
    racine_ = NoeudAAjouter{0, 0, QStringList(texte)};
    if (!racineEnAttente_) {
        racineEnAttente_ = true;
        QMetaObject::invokeMethod(this, &AnalyseJoueur::onTreeTopItemToAddTimer, Qt::QueuedConnection);
    }
}

qint64 AnalyseJoueur::ajouteNoeud(qint64 idParent, const QStringList& textes)
{
    QMutexLocker verrou(&mutexArbre_);
    const qint64 id = nouvelId_unlocked();
    noeudsAAjouter_.append(NoeudAAjouter{idParent, id, textes});
    if (!noeudsPlanifies_) {
        noeudsPlanifies_ = true;
        QMetaObject::invokeMethod(this, &AnalyseJoueur::onTreeItemToAddTimer, Qt::QueuedConnection);
    }
    return id;
}

void AnalyseJoueur::ajouteTexteNoeud(qint64 idNoeud, const QString& texte)
{
    QMutexLocker verrou(&mutexArbre_);
    textesNoeudsAAjouter_.append(TexteNoeudAAjouter{idNoeud, texte});
    if (!noeudsPlanifies_) {
        noeudsPlanifies_ = true;
        QMetaObject::invokeMethod(this, &AnalyseJoueur::onTreeItemToAddTimer, Qt::QueuedConnection);
    }
}

void AnalyseJoueur::construitRacine_unlocked()
{
    racineEnAttente_ = false;
    noeuds_.clear();
    TreeView->clear();
    auto* item = new QTreeWidgetItem(racine_.textes);
    TreeView->addTopLevelItem(item);
    item->setExpanded(true);
}

void AnalyseJoueur::onTreeTopItemToAddTimer()
{
    QMutexLocker verrou(&mutexArbre_);
    // A drain of child items may have built the root already; building it
    // again would lose the children added since.
    if (racineEnAttente_)
        construitRacine_unlocked();
}

void AnalyseJoueur::onTreeItemToAddTimer()
{
    QMutexLocker verrou(&mutexArbre_);
    noeudsPlanifies_ = false;
    // Children queued after a new root belong under it.
    if (racineEnAttente_)
        construitRacine_unlocked();

    for (const NoeudAAjouter& noeud : std::as_const(noeudsAAjouter_)) {
        QTreeWidgetItem* parent =
            noeud.idParent == 0 ? TreeView->topLevelItem(0) : noeuds_.value(noeud.idParent, nullptr);
        // A parent that a new root discarded, or one never reported: the
        // child has no place in this tree (nor have its own children).
        if (parent == nullptr)
            continue;
        auto* item = new QTreeWidgetItem(noeud.textes);
        if (noeud.textes.size() > TreeView->columnCount())
            TreeView->setColumnCount(int(noeud.textes.size()));
        noeuds_.insert(noeud.id, item);
        parent->addChild(item);
    }
    noeudsAAjouter_.clear();

    for (const TexteNoeudAAjouter& ajout : std::as_const(textesNoeudsAAjouter_)) {
        QTreeWidgetItem* item = noeuds_.value(ajout.id, nullptr);
        if (item != nullptr)
            item->setText(0, item->text(0) + ajout.texte);
    }
    textesNoeudsAAjouter_.clear();
}

// Card-location pages.

AI_ProbaSimplifiee* AnalyseJoueur::creeProbabilites(const OptionsAI& options)
{
    return new AI_ProbaSimplifiee(this, options);
}

bool AnalyseJoueur::ecritProbabilite_unlocked(int couleur, int joueur, int valeur, int table, float probabilite)
{
    float& courante = probabilites_[couleur - 1][joueur][valeur - ZB_AnalyseJoueurGraph::RANG_MIN][table];
    if (courante == probabilite)
        return false;
    courante = probabilite;
    barresModifiees_[couleur - 1][joueur][valeur - ZB_AnalyseJoueurGraph::RANG_MIN] = true;
    barresAAppliquer_ = true;
    return true;
}

void AnalyseJoueur::planifieGraphs_unlocked()
{
    if (graphsPlanifies_)
        return;
    graphsPlanifies_ = true;
    QMetaObject::invokeMethod(this, &AnalyseJoueur::onGraphsUpdate, Qt::QueuedConnection);
}

void AnalyseJoueur::reinitialiseProbabilites(int couleur, int joueur)
{
    if (!estCaseValide(couleur, joueur))
        return;
    QMutexLocker verrou(&mutexGraphs_);
    bool modifiee = false;
    for (int valeur = ZB_AnalyseJoueurGraph::RANG_MIN; valeur <= ZB_AnalyseJoueurGraph::RANG_MAX; ++valeur)
        for (int table = 0; table < NOMBRE_TABLES; ++table)
            modifiee = ecritProbabilite_unlocked(couleur, joueur, valeur, table, 1.0f) || modifiee;
    if (modifiee)
        planifieGraphs_unlocked();
}

void AnalyseJoueur::setProbabilite(int couleur, int joueur, int valeur, float probabilite, int table)
{
    if (!estCaseValide(couleur, joueur) || valeur < ZB_AnalyseJoueurGraph::RANG_MIN ||
        valeur > ZB_AnalyseJoueurGraph::RANG_MAX || table < 0 || table >= NOMBRE_TABLES || std::isnan(probabilite))
        return;
    QMutexLocker verrou(&mutexGraphs_);
    if (ecritProbabilite_unlocked(couleur, joueur, valeur, table, probabilite))
        planifieGraphs_unlocked();
}

void AnalyseJoueur::setTextes(const QStringList& textes, int joueur)
{
    QMutexLocker verrou(&mutexGraphs_);
    for (int i = 0; i < 4; ++i)
        textes_[i] = textes.value(i);
    nomJoueur_ = textes.value(joueur);
    textesModifies_ = true;
    planifieGraphs_unlocked();
}

void AnalyseJoueur::onGraphsUpdate()
{
    QMutexLocker verrou(&mutexGraphs_);
    graphsPlanifies_ = false;
    if (textesModifies_) {
        textesModifies_ = false;
        for (ZB_AnalyseJoueurGraph* page : graphs_)
            for (int joueur = 0; joueur < 4; ++joueur)
                page->setTexte(joueur, textes_[joueur]);
        labelPlayerName->setText(nomJoueur_);
    }
    if (!barresAAppliquer_)
        return;
    barresAAppliquer_ = false;
    // A bar reset and set back within one batch compares equal here, so
    // only bars that really changed are repainted.
    for (int couleur = 0; couleur < 4; ++couleur) {
        for (int joueur = 0; joueur < 4; ++joueur) {
            for (int rang = 0; rang < NOMBRE_RANGS; ++rang) {
                if (!barresModifiees_[couleur][joueur][rang])
                    continue;
                barresModifiees_[couleur][joueur][rang] = false;
                ZB_AnalyseJoueurGraphProb* barre =
                    graphs_[couleur]->getGraphProb(joueur, rang + ZB_AnalyseJoueurGraph::RANG_MIN);
                for (int table = 0; table < NOMBRE_TABLES; ++table)
                    barre->setProbabilite(table, probabilites_[couleur][joueur][rang][table]);
            }
        }
    }
}

void AnalyseJoueur::OnContinuePressed()
{
    pushButtonContinue_->setEnabled(false);
}

bool AnalyseJoueur::swipeTriggered(const QSwipeGesture::SwipeDirection& direction)
{
    Q_UNUSED(direction);
    return false;
}

ZB_AnalyseJoueurGraph* AnalyseJoueur::getGraph(int couleur) const
{
    return (couleur >= 1 && couleur <= 4) ? graphs_[couleur - 1] : nullptr;
}
