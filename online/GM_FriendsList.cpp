#include "GM_FriendsList.h"

#include "GM_SearchFriends.h"
#include "GM_TexteDuLobby.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QHash>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QIcon>
#include <QPushButton>
#include <QSet>
#include <QSignalBlocker>
#include <QSpacerItem>
#include <QToolBox>
#include <QTreeWidget>

namespace {

QTreeWidget* nouvelArbre(QWidget* parent, const char* nom)
{
    auto* arbre = new QTreeWidget(parent);
    arbre->setObjectName(QString::fromLatin1(nom));
    arbre->setColumnCount(GM_FriendsList::ColumnCount);
    arbre->setHeaderHidden(true);
    arbre->setSelectionMode(QAbstractItemView::NoSelection);
    arbre->setRootIsDecorated(false);
    arbre->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    return arbre;
}

QString texteStatut(int statut, const QString& brut)
{
    switch (statut) {
    case GM_FriendsList::ToConfirmBy:
    case GM_FriendsList::SentRequest: return GM_FriendsList::tr("A confirmer par");
    case GM_FriendsList::ToConfirm: return GM_FriendsList::tr("A confirmer");
    case GM_FriendsList::Declined: return GM_FriendsList::tr("Décliné");
    case GM_FriendsList::Offline: return GM_FriendsList::tr("Hors Ligne");
    case GM_FriendsList::Online: return GM_FriendsList::tr("En ligne");
    case GM_FriendsList::Busy: return GM_FriendsList::tr("Occupé");
    default: return brut;
    }
}

QString iconeStatut(int statut)
{
    switch (statut) {
    case GM_FriendsList::ToConfirmBy:
    case GM_FriendsList::ToConfirm:
    case GM_FriendsList::SentRequest: return QStringLiteral(":/user_interrogation");
    case GM_FriendsList::Declined: return QStringLiteral(":/user_red_cross");
    case GM_FriendsList::Offline: return QStringLiteral(":/user_red");
    case GM_FriendsList::Online: return QStringLiteral(":/user");
    case GM_FriendsList::Busy: return QStringLiteral(":/user_busy");
    default: return QString();
    }
}

bool cochable(const QTreeWidgetItem* ligne)
{
    return GM_FusionAmis::cochable(ligne);
}

} // namespace

GM_FriendsList::GM_FriendsList(QWidget* parent)
    : GM_WidgetAuto(parent)
{
    setObjectName(QStringLiteral("GM_FriendsList"));
    resize(200, 256);
    auto* grille = new QGridLayout(this);
    grille->setObjectName(QStringLiteral("gridLayout"));
    grille->setContentsMargins(3, 3, 3, 3);
    toolBox_ = new QToolBox(this);
    toolBox_->setObjectName(QStringLiteral("toolBox"));
    toolBox_->layout()->setSpacing(0);
    grille->addWidget(toolBox_, 0, 0);

    auto* pagePlay = new QWidget;
    pagePlay->setObjectName(QStringLiteral("pagePlay"));
    auto* g5 = new QGridLayout(pagePlay);
    g5->setContentsMargins(0, 0, 0, 0);
    playTree_ = nouvelArbre(pagePlay, "m_treeWidgetPlayP");
    playTree_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    g5->addWidget(playTree_, 0, 0, 1, 2);
    auto* groupe = new QGroupBox(pagePlay);
    groupe->setObjectName(QStringLiteral("groupBox"));
    auto* h = new QHBoxLayout(groupe);
    h->setContentsMargins(3, 3, 3, 3);
    playPrivate_ = new QPushButton(groupe);
    playPrivate_->setObjectName(QStringLiteral("m_pushButtonPlayP"));
    playPrivate_->setEnabled(false);
    h->addWidget(playPrivate_);
    h->addItem(new QSpacerItem(40, 20, QSizePolicy::Expanding, QSizePolicy::Minimum));
    playPublic_ = new QPushButton(groupe);
    playPublic_->setObjectName(QStringLiteral("m_pushButtonPlayPublicP"));
    playPublic_->setEnabled(false);
    h->addWidget(playPublic_);
    g5->addWidget(groupe, 1, 0, 1, 2);
    toolBox_->addItem(pagePlay, QIcon(QStringLiteral(":/user_ok")), QString());

    auto* pageManage = new QWidget;
    pageManage->setObjectName(QStringLiteral("pageManage"));
    auto* g3 = new QGridLayout(pageManage);
    g3->setContentsMargins(0, 0, 0, 0);
    manageTree_ = nouvelArbre(pageManage, "m_treeWidgetManageP");
    g3->addWidget(manageTree_, 0, 0, 1, 4);
    confirm_ = new QPushButton(pageManage);
    confirm_->setObjectName(QStringLiteral("m_pushButtonConfirmP"));
    confirm_->setEnabled(false);
    g3->addWidget(confirm_, 1, 0);
    delete_ = new QPushButton(pageManage);
    delete_->setObjectName(QStringLiteral("m_pushButtonDeleteP"));
    delete_->setEnabled(false);
    g3->addWidget(delete_, 1, 1);
    g3->addItem(new QSpacerItem(40, 20, QSizePolicy::Expanding, QSizePolicy::Minimum), 1, 2);
    toolBox_->addItem(pageManage, QIcon(QStringLiteral(":/user_plus_minus")), QString());

    auto* pageSearch = new QWidget;
    pageSearch->setObjectName(QStringLiteral("pageSearch"));
    auto* g4 = new QGridLayout(pageSearch);
    g4->setContentsMargins(0, 0, 0, 0);
    search_ = new GM_SearchFriends(pageSearch);
    search_->setObjectName(QStringLiteral("m_widgetSearchFriendsP"));
    g4->addWidget(search_, 0, 0);
    toolBox_->addItem(pageSearch, QIcon(QStringLiteral(":/user_interrogation")), QString());
    toolBox_->setCurrentIndex(PagePlay);

    connect(search_, &GM_SearchFriends::signalFriendsRequestSent, this, &GM_FriendsList::OnFriendRequestSent);
    connect(search_, &GM_SearchFriends::displayMyTab, this, &GM_FriendsList::OnSearchFriendsDisplayTab);
    connect(manageTree_, &QTreeWidget::itemChanged, this, &GM_FriendsList::OnItemManageCheckStateChanged);
    connect(playTree_, &QTreeWidget::itemChanged, this, &GM_FriendsList::OnItemPlayCheckStateChanged);
    connect(confirm_, &QPushButton::clicked, this, &GM_FriendsList::OnConfirmPressed);
    connect(delete_, &QPushButton::clicked, this, &GM_FriendsList::OnCancelOrRejectPressed);
    connect(playPrivate_, &QPushButton::clicked, this, &GM_FriendsList::OnPlayPressed);
    connect(playPublic_, &QPushButton::clicked, this, &GM_FriendsList::OnPlayPublicPressed);
    connect(&refreshTimer_, &QTimer::timeout, this, &GM_FriendsList::OnRefresh);
    retranslate();
    OnSocketDisconnected();
}

GM_FriendsList::~GM_FriendsList()
{
    refreshTimer_.stop();
    setMessageBoxDisplayer(nullptr);
}

void GM_FriendsList::retranslate()
{
    setWindowTitle(tr("Liste d'amis"));
    toolBox_->setItemText(PagePlay, tr("Jouer"));
    toolBox_->setItemText(PageManage, tr("Gérer amis"));
    toolBox_->setItemText(PageSearch, tr("Chercher amis"));
    playTree_->parentWidget()->findChild<QGroupBox*>(QStringLiteral("groupBox"))->setTitle(tr("Inviter sur serveur"));
    playPrivate_->setText(tr("Privé"));
    playPublic_->setText(tr("Public"));
    confirm_->setText(tr("Confirmer"));
    delete_->setText(tr("Enlever"));
    const QStringList titres{tr("Sel."), tr("Status"), tr("Id(Hidden)"), tr("Pseudo"), tr("Data(hidden)")};
    playTree_->setHeaderLabels(titres);
    manageTree_->setHeaderLabels(titres);
    search_->retranslate();
    search_->OnDisconnected();
}

void GM_FriendsList::init(GM_ClientSocket* client, GM_MessageBoxDisplayerA* displayer, GM_NativeA* native,
                          QSettings* settings)
{
    setMessageBoxDisplayer(displayer);
    search_->init(displayer, native, client, settings);
    client_ = client;
    if (client == nullptr)
        return;
    connect(client, &GM_ClientSocket::signalFriendListReceived, this, &GM_FriendsList::OnFriendListReceived);
    connect(client, &GM_ClientSocket::signalReady, this, &GM_FriendsList::OnSocketReady);
    connect(client, &GM_ClientSocket::signalDisconnected, this, &GM_FriendsList::OnSocketDisconnected);
}

void GM_FriendsList::placeholder_(QTreeWidget* tree, const QString& text)
{
    // A merge in progress holds rows of the tree.
    remplissage_.arrete();
    const QSignalBlocker bloque(tree);
    tree->clear();
    auto* ligne = new QTreeWidgetItem;
    ligne->setText(ColTick, text);
    tree->addTopLevelItem(ligne);
    tree->header()->resizeSections(QHeaderView::ResizeToContents);
}

void GM_FriendsList::finishTree_(QTreeWidget* tree)
{
    tree->hideColumn(ColId);
    tree->hideColumn(ColData);
    tree->header()->resizeSections(QHeaderView::ResizeToContents);
    tree->sortItems(ColId, Qt::AscendingOrder);
}

QTreeWidgetItem* GM_FriendsList::makeRow_(const QString& line, bool manage, bool* online) const
{
    *online = false;
    // No friend's entry comes near a line: such a text is no friend (and
    // the entry goes back to the lobby whole when the user acts on it).
    if (line.size() > GM_TexteDuLobby::Ligne)
        return nullptr;
    const QStringList champs = GM_TexteDuLobby::champs(line, ColumnCount - 1);
    bool ok = false;
    const int statut = champs.at(0).toInt(&ok);
    *online = ok && statut == Online;
    // A friend needs an id: without one its row could never be merged, and
    // nothing could be sent about it.
    if (champs.size() < 3 || champs.at(1).isEmpty())
        return nullptr;
    if (!manage && ok && (statut == SentRequest || statut == Declined))
        return nullptr;
    auto* ligne = new QTreeWidgetItem;
    ligne->setText(ColStatus, champs.at(0));
    ligne->setText(ColId, champs.at(1));
    ligne->setText(ColPseudo, champs.at(2));
    ligne->setText(ColData, line);
    ligne->setFlags(ligne->flags() | Qt::ItemIsUserCheckable);
    const bool connu = ok && !iconeStatut(statut).isEmpty();
    if (connu) {
        ligne->setText(ColStatus, texteStatut(statut, champs.at(0)));
        // Built once per status: a merge makes thousands of rows.
        static QHash<int, QIcon> icones;
        auto it = icones.find(statut);
        if (it == icones.end())
            it = icones.insert(statut, QIcon(iconeStatut(statut)));
        ligne->setIcon(ColStatus, *it);
        if (manage || statut == Online)
            ligne->setCheckState(ColTick, Qt::Unchecked);
    }
    return ligne;
}

void GM_FriendsList::termineArbre_(GM_FusionAmis& f, QTreeWidget* tree, bool manage)
{
    f.termine(manage);
    // A list whose lines all lack an id leaves no friend: said as for an
    // empty list, not as a blank tree.
    if (tree->topLevelItemCount() == 0)
        placeholder_(tree, tr("<Liste vide>"));
    finishTree_(tree);
}

void GM_FriendsList::OnFriendListReceived(const QStringList* list)
{
    remplissage_.arrete();
    liste_ = list != nullptr ? list->mid(0, AmisMax) : QStringList();
    if (liste_.isEmpty()) {
        for (QTreeWidget* tree : {playTree_, manageTree_}) {
            placeholder_(tree, tr("<Liste vide>"));
            finishTree_(tree);
        }
        OnItemPlayCheckStateChanged();
        OnItemManageCheckStateChanged(nullptr, ColTick);
        emit signalNbrFriendsOnlineChanged(0);
        return;
    }
    fusionJouer_.debute(playTree_, [this](const QString& entree, bool* online) {
        return makeRow_(entree, false, online);
    });
    fusionGerer_.debute(manageTree_, [this](const QString& entree, bool* online) {
        return makeRow_(entree, true, online);
    });
    remplissage_.demarre(
        liste_.size(),
        [this](qsizetype debut, qsizetype fin) {
            fusionJouer_.fusionne(liste_, debut, fin);
            fusionGerer_.fusionne(liste_, debut, fin);
        },
        [this] {
            // Told before the placeholders, which stop the fill's state.
            const int enLigne = fusionJouer_.enLigne();
            termineArbre_(fusionJouer_, playTree_, false);
            termineArbre_(fusionGerer_, manageTree_, true);
            liste_.clear();
            OnItemPlayCheckStateChanged();
            OnItemManageCheckStateChanged(nullptr, ColTick);
            emit signalNbrFriendsOnlineChanged(enLigne);
        });
}

QStringList GM_FriendsList::checked_(QTreeWidget* tree, int column) const
{
    QStringList r;
    for (int i = 0; i < tree->topLevelItemCount(); ++i) {
        const QTreeWidgetItem* ligne = tree->topLevelItem(i);
        if (cochable(ligne) && ligne->checkState(ColTick) == Qt::Checked && !ligne->text(column).isEmpty())
            r << ligne->text(column);
    }
    return r;
}

void GM_FriendsList::OnItemPlayCheckStateChanged()
{
    const bool coche = !checked_(playTree_, ColId).isEmpty();
    playPrivate_->setEnabled(coche && privatePlay_);
    playPublic_->setEnabled(coche && publicPlay_);
}

void GM_FriendsList::disablePlayButtons()
{
    playPrivate_->setEnabled(false);
    playPublic_->setEnabled(false);
}

bool GM_FriendsList::playButtonsEnabled() const
{
    return playPrivate_->isEnabled() || playPublic_->isEnabled();
}

void GM_FriendsList::OnItemManageCheckStateChanged(QTreeWidgetItem* item, int)
{
    if (item != nullptr && cochable(item) && item->checkState(ColTick) == Qt::Checked) {
        const QSignalBlocker bloque(manageTree_);
        for (int i = 0; i < manageTree_->topLevelItemCount(); ++i) {
            QTreeWidgetItem* autre = manageTree_->topLevelItem(i);
            if (autre != item && cochable(autre))
                autre->setCheckState(ColTick, Qt::Unchecked);
        }
    }
    const QStringList coches = checked_(manageTree_, ColData);
    if (coches.isEmpty()) {
        confirm_->setEnabled(false);
        delete_->setEnabled(false);
        return;
    }
    const int statut = coches.first().section(QLatin1Char(','), 0, 0).toInt();
    const bool aConfirmer = statut == ToConfirm || statut == Declined;
    confirm_->setEnabled(aConfirmer);
    delete_->setEnabled(!aConfirmer);
}

void GM_FriendsList::OnConfirmPressed()
{
    const QStringList entrees = checked_(manageTree_, ColData);
    if (GM_ClientSocket* client = client_.data(); client != nullptr && !entrees.isEmpty())
        client->sendFriendRequestAccept(entrees);
    {
        // A merge in progress holds rows of the tree.
        remplissage_.arrete();
        const QSignalBlocker bloque(manageTree_);
        manageTree_->clear();
    }
    confirm_->setEnabled(false);
    delete_->setEnabled(false);
    OnRefresh();
}

void GM_FriendsList::OnCancelOrRejectPressed()
{
    // Only the manage page's tick: the play page's ticks choose whom to
    // invite, never whom to remove.
    const QStringList entrees = checked_(manageTree_, ColData);
    if (GM_ClientSocket* client = client_.data(); client != nullptr && !entrees.isEmpty())
        client->sendFriendRequestRejectOrCancel(entrees);
    {
        // A merge in progress holds rows of the tree.
        remplissage_.arrete();
        const QSignalBlocker bloque(manageTree_);
        manageTree_->clear();
    }
    confirm_->setEnabled(false);
    delete_->setEnabled(false);
    disablePlayButtons();
    OnRefresh();
}

bool GM_FriendsList::invitationAllowed_()
{
    invitation_ = checked_(playTree_, ColId);
    if (invitation_.size() <= MaxInvited)
        return !invitation_.isEmpty();
    messageBox(GM::Warning, tr("Trop de joueurs"),
               tr("Il n'est pas possible d'inviter plus de 4 joueurs à la fois. Merci de choisir moins de joueurs."));
    return false;
}

void GM_FriendsList::OnPlayPressed()
{
    if (!invitationAllowed_())
        return;
    if (GM_ClientSocket* client = client_.data())
        client->sendInvitationPrivate(invitation_);
}

void GM_FriendsList::OnPlayPublicPressed()
{
    if (!invitationAllowed_())
        return;
    if (GM_ClientSocket* client = client_.data())
        client->sendInvitationPublic(serverId_, serverPort_, invitation_);
}

void GM_FriendsList::OnRefresh()
{
    ++refreshes_;
    if (playTree_->topLevelItemCount() == 0)
        placeholder_(playTree_, tr("<Chargement en cours ...>"));
    if (manageTree_->topLevelItemCount() == 0)
        placeholder_(manageTree_, tr("<Chargement en cours ...>"));
    if (GM_ClientSocket* client = client_.data())
        QTimer::singleShot(0, client, &GM_ClientSocket::OnRefreshFriendList);
    search_->OnImportSetEnabled();
}

void GM_FriendsList::OnSelectedServerChanged(qint64 serverId, int port)
{
    serverId_ = serverId;
    serverPort_ = port;
}

void GM_FriendsList::OnFriendRequestSent()
{
    toolBox_->setCurrentIndex(PagePlay);
    OnRefresh();
}

void GM_FriendsList::OnSocketReady()
{
    OnRefresh();
    refreshTimer_.start(RefreshMs);
}

void GM_FriendsList::OnSocketDisconnected()
{
    refreshTimer_.stop();
    placeholder_(playTree_, tr("Connection en cours..."));
    placeholder_(manageTree_, tr("Connection en cours..."));
    disablePlayButtons();
    confirm_->setEnabled(false);
    delete_->setEnabled(false);
}

void GM_FriendsList::OnMessageBoxReturnValue(int) {}

void GM_FriendsList::OnSearchFriendsDisplayTab()
{
    toolBox_->setCurrentIndex(PageSearch);
    emit displayMyTab();
}
