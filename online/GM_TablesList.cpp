#include "GM_TablesList.h"

#include "GM_ServerPass.h"
#include "GM_SocketEvent.h"
#include "GM_TexteDuLobby.h"

#include <QCheckBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QMutexLocker>
#include <QPushButton>
#include <QShowEvent>
#include <QSpacerItem>
#include <QTimer>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace {
const QString PasswordMark = QStringLiteral("No");
const QString TableIcon = QStringLiteral(":/table");
constexpr int DemoFree = 7;
constexpr int DemoBusy = 3;
constexpr int DemoPlaces = 27;
} // namespace

GM_TablesList::GM_TablesList(QWidget* parent)
    : GM_WidgetAuto(parent)
{
    setObjectName(QStringLiteral("GM_TablesList"));
    resize(232, 296);
    layout_ = new QVBoxLayout(this);
    layout_->setObjectName(QStringLiteral("verticalLayout"));
    layout_->setSpacing(2);
    layout_->setContentsMargins(3, 3, 3, 3);
    welcome_ = new QLabel(this);
    welcome_->setObjectName(QStringLiteral("label"));
    welcome_->setAlignment(Qt::AlignCenter);
    welcome_->setWordWrap(true);
    layout_->addWidget(welcome_);

    servers_ = new QTreeWidget(this);
    servers_->setObjectName(QStringLiteral("m_serversP"));
    servers_->setColumnCount(ColumnCount);
    servers_->setIconSize(QSize(30, 30));
    servers_->setRootIsDecorated(false);
    servers_->setSortingEnabled(true);
    servers_->sortByColumn(ColName, Qt::AscendingOrder);
    servers_->setHeaderHidden(true);
    // Every row has the same icon and one line of text: the view need not
    // measure each of a long list's rows to place them.
    servers_->setUniformRowHeights(true);
    layout_->addWidget(servers_, 4);

    auto* ligne = new QHBoxLayout;
    ligne->setObjectName(QStringLiteral("horizontalLayout_2"));
    ligne->setSpacing(0);
    join_ = new QPushButton(this);
    join_->setObjectName(QStringLiteral("m_joinP"));
    join_->setEnabled(false);
    ligne->addWidget(join_);
    ligne->addItem(new QSpacerItem(40, 20, QSizePolicy::Expanding, QSizePolicy::Minimum));
    onlineNb_ = new QLabel(this);
    onlineNb_->setObjectName(QStringLiteral("labelOnlineNb"));
    onlineNb_->setWordWrap(true);
    onlineNb_->setTextFormat(Qt::PlainText);
    ligne->addWidget(onlineNb_);
    ligne->addItem(new QSpacerItem(40, 20, QSizePolicy::Expanding, QSizePolicy::Minimum));
    refresh_ = new QPushButton(this);
    refresh_->setObjectName(QStringLiteral("m_refreshP"));
    ligne->addWidget(refresh_);
    layout_->addLayout(ligne);

    showOthers_ = new QCheckBox(this);
    showOthers_->setObjectName(QStringLiteral("checkBoxShowOtherServers"));
    layout_->addWidget(showOthers_);
    status_ = new QLabel(this);
    status_->setObjectName(QStringLiteral("labelStatus"));
    status_->setSizePolicy(QSizePolicy::Preferred, QSizePolicy::MinimumExpanding);
    status_->setTextFormat(Qt::PlainText);
    layout_->addWidget(status_, 1);

    connect(servers_, &QTreeWidget::itemDoubleClicked, this, &GM_TablesList::OnItemDoubleClicked);
    connect(servers_, &QTreeWidget::itemSelectionChanged, this, &GM_TablesList::OnItemSelectionChanged);
    connect(servers_, &QTreeWidget::currentItemChanged, this, &GM_TablesList::on_m_serversP_currentItemChanged);
    connect(join_, &QPushButton::clicked, this, &GM_TablesList::OnJoin);
    connect(refresh_, &QPushButton::clicked, this, &GM_TablesList::OnRefresh);
    connect(showOthers_, &QCheckBox::toggled, this, &GM_TablesList::on_checkBoxShowOtherServers_toggled);
    retranslate();
}

GM_TablesList::~GM_TablesList()
{
    QObject::disconnect(passwordConnection_);
}

void GM_TablesList::retranslate()
{
    setWindowTitle(tr("Liste des tables"));
    welcome_->setText(tr("Bienvenue dans la section Multijoueurs.\n\nC'est gratuit, vous pouvez joindre et quitter "
                         "une partie à tout moment. Toutefois, pour éviter les abus, une pénalité est appliquée sur "
                         "votre score en ligne, si vous ne complétez pas au moins une partie entière."));
    servers_->setHeaderLabels({tr("Tables"), tr("Public"), tr("Hôte"), tr("Id"), tr("Place")});
    join_->setText(tr("Rejoindre"));
    refresh_->setText(tr("Rafraichir"));
    showOthers_->setText(tr("Montrer les serveurs avec d'autres règles"));
    onlineNb_->clear();
    status_->setText(tr("Connection en cours..."));
    // The password dialog this tab opens changes language with the lobby.
    if (serverPass_ != nullptr)
        serverPass_->retranslate();
}

void GM_TablesList::init(GM_ClientSocket* client, GM_ServerPass* serverPass, const QString& publicServerName)
{
    client_ = client;
    serverPass_ = serverPass;
    publicServerName_ = publicServerName;
    if (serverPass != nullptr)
        serverPass->init(client);
    if (client == nullptr)
        return;
    connect(client, &GM_ClientSocket::signalServerListReceived, this, &GM_TablesList::OnServerListReceived);
    connect(client, &GM_ClientSocket::signalMainGameServerStatus, this,
            &GM_TablesList::OnMainMainGameServerStatusReceived);
    connect(client, &GM_ClientSocket::signalMainGameServerInfo, this, &GM_TablesList::OnMainGameServerInfoReceived);
    connect(client, &GM_ClientSocket::signalDisconnected, this, &GM_TablesList::disconnect);
    // A join waiting for the client must see every disconnection.
    connect(client, &GM_ClientSocket::signalDisconnected, this, [this] { ++disconnections_; });
}

void GM_TablesList::refreshRequest_(const QByteArray& word)
{
    GM_ClientSocket* client = client_.data();
    if (client == nullptr)
        return;
    QMutexLocker verrou(client->getOutQueueMutex());
    client->sendRefreshRequest(word);
}

void GM_TablesList::OnRefresh()
{
    ++refreshes_;
    refreshRequest_("R7k");
    if (GM_ClientSocket* client = client_.data())
        client->requestMainGameServerInfo();
    refresh_->setEnabled(false);
    QTimer::singleShot(RefreshPauseMs, this, &GM_TablesList::OnEnableRefresh);
}

void GM_TablesList::OnEnableRefresh()
{
    refresh_->setEnabled(true);
}

void GM_TablesList::OnServerListReceived(qint64, const QStringList* list)
{
    // A list that replaces one still being filled keeps the row that was
    // current before that one.
    if (!filler_.enCours()) {
        rememberedId_.clear();
        if (const QTreeWidgetItem* courante = servers_->currentItem())
            rememberedId_ = courante->text(ColId);
    }
    stopFill_();
    {
        // The refill must not ask for a status per row it passes through.
        const QSignalBlocker bloque(servers_);
        servers_->clear();
    }
    servers_->hideColumn(ColPublic);
    servers_->hideColumn(ColHost);
    servers_->hideColumn(ColId);
    // The list is the client's only during this call.
    pendingRows_ = list != nullptr ? list->mid(0, GM_RemplissageParTranches::LignesMax) : QStringList();
    // Sorting row by row as they come would cost a search each; the tree
    // sorts once, at the end.
    servers_->setSortingEnabled(false);
    filler_.demarre(
        pendingRows_.size(), [this](qsizetype debut, qsizetype fin) { addRows_(debut, fin); },
        [this] { fillEnded_(); });
}

void GM_TablesList::addRows_(qsizetype begin, qsizetype end)
{
    QList<QTreeWidgetItem*> lignes;
    lignes.reserve(end - begin);
    // One icon and one text for every row: looking them up per row is costly.
    const QIcon icone(TableIcon);
    const QString places = tr("%1 places").arg(DefaultPlaces);
    const bool toutes = showOthers_->isChecked();
    const QString mot = filterWord_();
    for (qsizetype i = begin; i < end; ++i) {
        auto* ligne = new QTreeWidgetItem(GM_TexteDuLobby::champs(pendingRows_.at(i), ColPlaces));
        ligne->setIcon(ColName, icone);
        ligne->setText(ColPlaces, places);
        rowsById_[ligne->text(ColId)].append(ligne);
        lignes << ligne;
    }
    const QSignalBlocker bloque(servers_);
    servers_->addTopLevelItems(lignes);
    // The rule filter, row by row as they come in.
    for (QTreeWidgetItem* ligne : std::as_const(lignes))
        ligne->setHidden(!toutes && !ligne->text(ColName).contains(mot, Qt::CaseInsensitive));
}

void GM_TablesList::fillEnded_()
{
    pendingRows_.clear();
    servers_->setSortingEnabled(true);
    servers_->header()->resizeSections(QHeaderView::ResizeToContents);
    // A row the user made current during the fill stays current.
    QTreeWidgetItem* choix = servers_->currentItem();
    if (choix == nullptr && !rememberedId_.isEmpty()) {
        const auto trouvees = servers_->findItems(rememberedId_, Qt::MatchExactly, ColId);
        if (!trouvees.isEmpty())
            choix = trouvees.first();
    }
    if (choix == nullptr && !publicServerName_.isEmpty()) {
        const auto trouvees = servers_->findItems(publicServerName_, Qt::MatchExactly, ColName);
        if (!trouvees.isEmpty())
            choix = trouvees.first();
    }
    if (choix != nullptr && choix != servers_->currentItem())
        servers_->setCurrentItem(choix);
    else
        OnItemSelectionChanged();
    if (statusPending_) {
        statusPending_ = false;
        const QStringList champs = pendingStatus_;
        pendingStatus_.clear();
        applyStatus_(champs);
    }
    refreshRequest_("SrI");
}

void GM_TablesList::stopFill_()
{
    filler_.arrete();
    pendingRows_.clear();
    rowsById_.clear();
    statusPending_ = false;
    pendingStatus_.clear();
}

void GM_TablesList::OnMainMainGameServerStatusReceived(const QStringList* list)
{
    QStringList champs = list != nullptr ? *list : QStringList();
    if (filler_.enCours()) {
        // For the rows still to come: applied once they are all in.
        pendingStatus_ = champs;
        statusPending_ = true;
        return;
    }
    applyStatus_(champs);
}

void GM_TablesList::applyStatus_(const QStringList& fields)
{
    QStringList champs = fields;
    if (screenshot_) {
        onlineNb_->setText(tr("Joueurs en ligne: %1").arg(DemoPlayersOnline));
        const QTreeWidgetItem* courante = servers_->currentItem();
        champs = QStringList{courante != nullptr ? courante->text(ColId) : QString(), QString::number(DemoFree),
                             QString::number(DemoBusy), QString::number(DemoPlaces)};
    }
    statusTexts_.clear();
    // This runs inside the client's read: an exception here would unwind
    // through Qt's signal delivery, so a corrupt answer is reported and
    // dropped instead.
    if (champs.size() % StatusGroup != 0) {
        qWarning("GM_TablesList: server status of %d fields ignored", int(champs.size()));
        messageBox(GM::Warning, tr("Erreur"), tr("Liste des serveurs invalide ou corrompue."));
        return;
    }
    // Translated once, not per server.
    const QString places = tr("%1 places");
    const QString tables = tr("Tables Libres: %1\r\nTables Occupées: %2");
    // No more servers than a list keeps: the groups past them are dropped.
    const qsizetype groupes = qMin<qsizetype>(champs.size(), qsizetype(StatusGroup) * GM_RemplissageParTranches::LignesMax);
    for (qsizetype i = 0; i < groupes; i += StatusGroup) {
        const qint64 id = champs.at(i).toLongLong();
        const auto lignes = rowsById_.constFind(QString::number(id));
        if (lignes != rowsById_.cend())
            for (QTreeWidgetItem* ligne : *lignes)
                ligne->setText(ColPlaces, places.arg(GM_TexteDuLobby::borne(champs.at(i + 3), GM_TexteDuLobby::Champ)));
        statusTexts_.insert(id, tables.arg(GM_TexteDuLobby::borne(champs.at(i + 1), GM_TexteDuLobby::Champ),
                                           GM_TexteDuLobby::borne(champs.at(i + 2), GM_TexteDuLobby::Champ)));
    }
    const QTreeWidgetItem* courante = servers_->currentItem();
    bool ok = false;
    const qint64 id = courante != nullptr ? courante->text(ColId).toLongLong(&ok) : -1;
    if (courante != nullptr && ok && id != -1) {
        status_->setText(statusTexts_[id]);
        emit signalSelectedServerChanged(id, -1);
    } else {
        emit signalSelectedServerChanged(-1, -1);
    }
}

void GM_TablesList::OnMainGameServerInfoReceived(const QStringList* list)
{
    statusTexts_.clear();
    if (screenshot_ || list == nullptr)
        return;
    if (!list->isEmpty())
        onlineNb_->setText(tr("Joueurs en ligne: %1").arg(GM_TexteDuLobby::borne(list->last(), GM_TexteDuLobby::Champ)));
}

void GM_TablesList::on_m_serversP_currentItemChanged(QTreeWidgetItem* current, QTreeWidgetItem*)
{
    status_->setText(tr("Tables Libres: %1\r\nTables Occupées: %2").arg(QString(), QString()));
    if (current != nullptr)
        refreshRequest_("SrS");
}

void GM_TablesList::OnItemSelectionChanged()
{
    // Every disconnection empties the list, so a selected row is a server
    // of the session in force.
    join_->setEnabled(!servers_->selectedItems().isEmpty());
}

void GM_TablesList::setConnectionText(const QString& text)
{
    status_->setText(text);
}

QString GM_TablesList::filterWord_() const
{
    if (publicServerName_.contains(QLatin1String("Belote")))
        return QStringLiteral("Belote");
    if (publicServerName_.contains(QLatin1String("Jass")))
        return QStringLiteral("Jass");
    return publicServerName_;
}

void GM_TablesList::on_checkBoxShowOtherServers_toggled(bool checked)
{
    const QString mot = filterWord_();
    for (int i = 0; i < servers_->topLevelItemCount(); ++i) {
        QTreeWidgetItem* ligne = servers_->topLevelItem(i);
        ligne->setHidden(!checked && !ligne->text(ColName).contains(mot, Qt::CaseInsensitive));
    }
}

void GM_TablesList::OnJoin()
{
    const QList<QTreeWidgetItem*> choisies = servers_->selectedItems();
    if (choisies.isEmpty())
        return;
    GM_ClientSocket* client = client_.data();
    if (client == nullptr)
        return;
    if (client->getProtocolState() != GM_SocketEvent::Idle) {
        joinRetriesLeft_ = JoinGiveUpMs / JoinRetryMs;
        joinDisconnections_ = disconnections_;
        if (!joinPending_)
            QTimer::singleShot(JoinRetryMs, this, &GM_TablesList::retryJoin_);
        joinPending_ = true;
        return;
    }
    joinRow_(choisies.first());
}

void GM_TablesList::retryJoin_()
{
    joinPending_ = false;
    GM_ClientSocket* client = client_.data();
    if (client == nullptr || disconnections_ != joinDisconnections_ || client->getProtocolState() == GM_SocketEvent::Init)
        return;
    const QList<QTreeWidgetItem*> choisies = servers_->selectedItems();
    if (choisies.isEmpty())
        return;
    if (client->getProtocolState() == GM_SocketEvent::Idle) {
        joinRow_(choisies.first());
        return;
    }
    if (--joinRetriesLeft_ > 0) {
        joinPending_ = true;
        QTimer::singleShot(JoinRetryMs, this, &GM_TablesList::retryJoin_);
    } else
        qWarning("GM_TablesList: the lobby stayed busy, join given up");
}

void GM_TablesList::OnItemDoubleClicked(QTreeWidgetItem* item, int)
{
    if (item != nullptr)
        joinRow_(item);
}

void GM_TablesList::joinRow_(QTreeWidgetItem* row)
{
    GM_ClientSocket* client = client_.data();
    if (client == nullptr)
        return;
    selectedServerName_ = row->text(ColName);
    const QString id = row->text(ColId);
    if (row->text(ColPublic) != PasswordMark) {
        client->requestServerIpAndPort(id, QString());
        return;
    }
    if (serverPass_ == nullptr)
        return;
    // The address goes out only once the user answered, with what he typed.
    QObject::disconnect(passwordConnection_);
    passwordServerId_ = id;
    passwordConnection_ = connect(serverPass_, &GM_ServerPass::signalFinished, this,
                                  [this](bool accepted, const QString& password, const QString&) {
                                      onPasswordFinished_(accepted, password);
                                  });
    serverPass_->configure(true, GM_ServerPass::NoTeammate);
    serverPass_->show();
}

void GM_TablesList::onPasswordFinished_(bool accepted, const QString& password)
{
    QObject::disconnect(passwordConnection_);
    if (serverPass_ != nullptr)
        serverPass_->hide();
    const QString id = passwordServerId_;
    passwordServerId_.clear();
    if (!accepted)
        return;
    if (GM_ClientSocket* client = client_.data())
        client->requestServerIpAndPort(id, password);
}

void GM_TablesList::disconnect()
{
    // Kept connected: a session that comes back quietly may be lost again,
    // and its servers must not stay on offer either.
    stopFill_();
    servers_->clear();
    servers_->setSortingEnabled(true);
    statusTexts_.clear();
    onlineNb_->clear();
    join_->setEnabled(false);
}

void GM_TablesList::showEvent(QShowEvent* event)
{
    setFocusPolicy(Qt::StrongFocus);
    servers_->setFocus();
    GM_WidgetAuto::showEvent(event);
}
