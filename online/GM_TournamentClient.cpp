#include "GM_TournamentClient.h"

#include "GM_ServerPass.h"
#include "GM_TexteDuLobby.h"

#include <QCheckBox>
#include <QDateTime>
#include <QDesktopServices>
#include <QEventLoop>
#include <QGridLayout>
#include <QHeaderView>
#include <QLabel>
#include <QMutexLocker>
#include <QPushButton>
#include <QSignalBlocker>
#include <QSpacerItem>
#include <QTableWidget>
#include <QTimeZone>
#include <QUrl>

namespace {

const QString Running = QStringLiteral("1");
const QString Planned = QStringLiteral("0");
const QString NotRegistered = QStringLiteral("-1");
const QString MayNotTakePart = QStringLiteral("-10");
const QString TeamsRandom = QStringLiteral("TeamsRandom");
const QString TeamsFree = QStringLiteral("TeamsFree");
const QString TeamsOnly = QStringLiteral("TeamsOnly");
constexpr int ActionLeave = 0;
constexpr int ActionRegister = 1;

QTableWidget* nouvelleTable(QWidget* parent, const char* nom)
{
    auto* table = new QTableWidget(0, GM_TournamentClient::ColumnCount, parent);
    table->setObjectName(QString::fromLatin1(nom));
    table->setSelectionMode(QAbstractItemView::SingleSelection);
    table->setSelectionBehavior(QAbstractItemView::SelectRows);
    table->horizontalHeader()->setStretchLastSection(true);
    table->verticalHeader()->hide();
    table->setEditTriggers(QAbstractItemView::NoEditTriggers);
    table->setWordWrap(false);
    return table;
}

} // namespace

GM_TournamentClient::GM_TournamentClient(QWidget* parent)
    : GM_WidgetAuto(parent)
{
    setObjectName(QStringLiteral("GM_TournamentClient"));
    resize(243, 309);
    auto* grille = new QGridLayout(this);
    grille->setObjectName(QStringLiteral("gridLayout"));
    grille->setSpacing(3);
    grille->setContentsMargins(0, 0, 0, 0);
    labelCurrent_ = new QLabel(this);
    labelCurrent_->setObjectName(QStringLiteral("label"));
    labelCurrent_->setAlignment(Qt::AlignCenter);
    grille->addWidget(labelCurrent_, 0, 0, 1, 7);
    future_ = nouvelleTable(this, "tableWidgetTournFuture");
    grille->addWidget(future_, 1, 0, 3, 7);
    grille->addItem(new QSpacerItem(40, 20, QSizePolicy::Expanding, QSizePolicy::Minimum), 4, 0);
    play_ = new QPushButton(this);
    play_->setObjectName(QStringLiteral("pushButtonPlay"));
    grille->addWidget(play_, 4, 2);
    quit_ = new QPushButton(this);
    quit_->setObjectName(QStringLiteral("pushButtonQuit"));
    grille->addWidget(quit_, 4, 3);
    join_ = new QPushButton(this);
    join_->setObjectName(QStringLiteral("pushButtonJoin"));
    grille->addWidget(join_, 4, 4);
    grille->addItem(new QSpacerItem(40, 20, QSizePolicy::Expanding, QSizePolicy::Minimum), 4, 6);
    labelPast_ = new QLabel(this);
    labelPast_->setObjectName(QStringLiteral("label_2"));
    labelPast_->setAlignment(Qt::AlignCenter);
    grille->addWidget(labelPast_, 5, 0, 1, 7);
    past_ = nouvelleTable(this, "tableWidgetTournPast");
    grille->addWidget(past_, 6, 0, 1, 7);
    showOthers_ = new QCheckBox(this);
    showOthers_->setObjectName(QStringLiteral("checkBoxShowOtherServers"));
    grille->addWidget(showOthers_, 7, 0, 1, 6);
    grille->setRowStretch(3, 1);
    grille->setRowStretch(6, 1);
    disableButtons_();
    future_->sortByColumn(ColDate, Qt::AscendingOrder);
    past_->sortByColumn(ColDate, Qt::DescendingOrder);

    connect(join_, &QPushButton::pressed, this, &GM_TournamentClient::OnJoinPressed);
    connect(play_, &QPushButton::pressed, this, &GM_TournamentClient::OnPlayPressed);
    connect(quit_, &QPushButton::pressed, this, &GM_TournamentClient::OnLeavePressed);
    connect(&refreshTimer_, &QTimer::timeout, this, &GM_TournamentClient::OnRefresh);
    connect(future_, &QTableWidget::itemSelectionChanged, this, &GM_TournamentClient::OnItemSelectionFutureChanged);
    connect(past_, &QTableWidget::itemSelectionChanged, this, &GM_TournamentClient::OnItemSelectionPastChanged);
    connect(past_, &QTableWidget::itemClicked, this, &GM_TournamentClient::on_tableWidgetTournPast_itemClicked);
    connect(showOthers_, &QCheckBox::toggled, this, &GM_TournamentClient::on_checkBoxShowOtherServers_toggled);
    retranslate();
}

GM_TournamentClient::~GM_TournamentClient()
{
    refreshTimer_.stop();
    QObject::disconnect(passwordConnection_);
}

void GM_TournamentClient::retranslate()
{
    setWindowTitle(tr("Form"));
    labelCurrent_->setText(tr("Actuels:"));
    labelPast_->setText(tr("Passés:"));
    play_->setText(tr("Jouer"));
    quit_->setText(tr("Quitter"));
    join_->setText(tr("S'inscrire"));
    showOthers_->setText(tr("Montrer les serveurs avec d'autres règles"));
    QStringList titres{tr("Tournoi"), tr("Plac."), tr("Date"), tr("Part."), tr("Port"), tr("EtatRaw"),
                       tr("Etat"), tr("isPasswordProtected"), tr("Règles"), tr("Résultats")};
    future_->setHorizontalHeaderLabels(titres);
    titres[ColRule] = tr("Rule");
    past_->setHorizontalHeaderLabels(titres);
}

void GM_TournamentClient::init(GM_ClientSocket* client, GM_ServerPass* serverPass,
                               GM_MessageBoxDisplayerA* displayer, const QString& publicServerName)
{
    client_ = client;
    serverPass_ = serverPass;
    setMessageBoxDisplayer(displayer);
    publicServerName_ = publicServerName;
    if (client != nullptr) {
        connect(client, &GM_ClientSocket::signalTournamentListReceived, this,
                &GM_TournamentClient::OnTournamentListReceived);
        connect(client, &GM_ClientSocket::signalReady, this, &GM_TournamentClient::OnSocketReady);
        connect(client, &GM_ClientSocket::signalDisconnected, this, &GM_TournamentClient::OnSocketDisconnected);
    }
    if (serverPass != nullptr)
        serverPass->init(client);
}

QString GM_TournamentClient::localDate(const QString& utc)
{
    QDateTime date = QDateTime::fromString(utc, QString::fromLatin1(DateFormat));
    if (!date.isValid())
        return QString();
    date.setTimeZone(QTimeZone::utc());
    return date.toLocalTime().toString(QString::fromLatin1(DateFormat));
}

bool GM_TournamentClient::isResultsLink(const QString& text)
{
    if (!text.contains(QLatin1String("html")))
        return false;
    const QUrl url(text, QUrl::StrictMode);
    const QString schema = url.scheme().toLower();
    return url.isValid() && !url.host().isEmpty() && (schema == QLatin1String("http") || schema == QLatin1String("https"));
}

int GM_TournamentClient::debuteTable_(QTableWidget* table)
{
    const QSignalBlocker bloque(table);
    table->setEnabled(true);
    const QList<QTableWidgetItem*> choisis = table->selectedItems();
    const int rangChoisi = choisis.isEmpty() ? 0 : choisis.first()->row();
    table->setSortingEnabled(false);
    table->setRowCount(0);
    return rangChoisi;
}

void GM_TournamentClient::ajouteLignes_(QTableWidget* table, qsizetype debut, qsizetype fin, bool current)
{
    const QSignalBlocker bloque(table);
    for (qsizetype i = debut; i < fin; ++i) {
        const QStringList& f = lignes_.at(i);
        const bool enCours = f.at(5) == Running || f.at(5) == Planned;
        if (enCours != current)
            continue;
        const int r = table->rowCount();
        table->insertRow(r);
        const QString textes[ColumnCount] = {f.at(0), f.at(1), localDate(f.at(2)), f.at(3), f.at(4), f.at(5),
                                             QString(), f.at(7), f.at(8), QString()};
        for (int c = 0; c < ColumnCount; ++c)
            table->setItem(r, c, new QTableWidgetItem(textes[c]));
        const int etat = f.at(5).toInt();
        if (etat == 1) {
            table->item(r, ColState)->setText(tr("En cours"));
        } else if (etat >= 0) {
            table->item(r, ColState)->setText(tr("Planifié"));
        } else {
            table->item(r, ColState)->setText(tr("Terminé"));
            table->item(r, ColResults)->setText(f.at(6));
        }
        const bool exclu = f.at(3).toInt() == -10;
        QBrush fond;
        if (exclu)
            fond = QBrush(Qt::gray);
        else if (f.at(5) == Running)
            fond = QBrush(Qt::green);
        for (int c : {int(ColId), int(ColDate), int(ColState), int(ColRule)})
            if (fond.style() != Qt::NoBrush)
                table->item(r, c)->setBackground(fond);
        for (int c = 0; c < ColumnCount; ++c) {
            QTableWidgetItem* item = table->item(r, c);
            Qt::ItemFlags drapeaux = item->flags() & ~Qt::ItemIsEditable;
            // A tournament the player may not take part in offers nothing
            // to act on.
            if (exclu)
                drapeaux &= ~Qt::ItemIsSelectable;
            item->setFlags(drapeaux);
        }
        const QString id = f.at(0);
        if (f.at(5) == Running && f.at(3).toInt() == 0 && !joined_.contains(id)
            && started_.size() < StartedQuestionsMax) {
            joined_.insert(id, false);
            started_ << id;
            messageBoxTournament(tr("Tournoi en cours"),
                                 tr("Le tournoi '%1' a commencé. Souhaitez-vous joindre la partie?").arg(id),
                                 GM::StandardButton(GM::Yes | GM::No), this);
        }
    }
}

void GM_TournamentClient::termineTable_(QTableWidget* table, bool current, int rangChoisi)
{
    const QSignalBlocker bloque(table);
    for (int c : {int(ColTeams), int(ColPart), int(ColPort), int(ColStateRaw), int(ColPassword)})
        table->hideColumn(c);
    if (!current)
        table->hideColumn(ColRule);
    table->resizeColumnsToContents();
    table->setSortingEnabled(true);
    if (rangChoisi < table->rowCount())
        table->selectRow(rangChoisi);
}

void GM_TournamentClient::OnTournamentListReceived(const QStringList* list)
{
    remplissage_.arrete();
    lignes_.clear();
    if (list != nullptr) {
        for (const QString& ligne : *list) {
            // One field more than a line has: a longer line is no tournament.
            QStringList champs = GM_TexteDuLobby::champs(ligne, FieldCount + 1, GM_TexteDuLobby::Ligne);
            for (int c = 0; c < champs.size(); ++c)
                if (c != FieldResults)
                    champs[c] = GM_TexteDuLobby::borne(champs.at(c), GM_TexteDuLobby::Champ);
            // A line without an id cannot be registered for nor asked about.
            if (champs.size() == FieldCount && !champs.at(0).isEmpty())
                lignes_ << champs;
            if (lignes_.size() >= GM_RemplissageParTranches::LignesMax)
                break;
        }
    }
    rangFutur_ = debuteTable_(future_);
    rangPasse_ = debuteTable_(past_);
    remplissage_.demarre(
        lignes_.size(),
        [this](qsizetype debut, qsizetype fin) {
            ajouteLignes_(future_, debut, fin, true);
            ajouteLignes_(past_, debut, fin, false);
        },
        [this] { termineListe_(); });
}

void GM_TournamentClient::termineListe_()
{
    for (const QStringList& f : std::as_const(lignes_))
        if (f.at(5) != Running)
            joined_.remove(f.at(0));
    lignes_.clear();
    termineTable_(future_, true, rangFutur_);
    termineTable_(past_, false, rangPasse_);
    on_checkBoxShowOtherServers_toggled(showOthers_->isChecked());
    OnItemSelectionFutureChanged();
    if (lastRow_ != -1 && lastColumn_ != -1) {
        if (QTableWidgetItem* item = future_->item(lastRow_, lastColumn_))
            future_->setCurrentItem(item);
        lastRow_ = -1;
        lastColumn_ = -1;
    }
    refreshTimer_.start();
}

void GM_TournamentClient::on_checkBoxShowOtherServers_toggled(bool)
{
    const bool tout = showOthers_->isChecked();
    const QString regle = publicServerName_.contains(QLatin1String("Jass")) ? QStringLiteral("Jass")
                                                                             : QStringLiteral("Belote");
    for (QTableWidget* table : {future_, past_})
        for (int r = 0; r < table->rowCount(); ++r)
            table->setRowHidden(r, !tout && !table->item(r, ColRule)->text().contains(regle));
}

QTableWidgetItem* GM_TournamentClient::firstSelected_() const
{
    const QList<QTableWidgetItem*> choisis = future_->selectedItems();
    return choisis.isEmpty() ? nullptr : choisis.first();
}

void GM_TournamentClient::disableButtons_()
{
    join_->setEnabled(false);
    quit_->setEnabled(false);
    play_->setEnabled(false);
}

void GM_TournamentClient::OnItemSelectionFutureChanged()
{
    const QTableWidgetItem* choisi = firstSelected_();
    // Rows of a lost lobby stay for reading, but nothing can be asked of it.
    const GM_ClientSocket* client = client_.data();
    if (choisi == nullptr || client == nullptr || !client->isConnectedToLobby()) {
        disableButtons_();
        return;
    }
    const int r = choisi->row();
    const QString id = future_->item(r, ColId)->text();
    const QString part = future_->item(r, ColPart)->text();
    const bool enCours = future_->item(r, ColStateRaw)->text() == Running;
    if (part == NotRegistered) {
        join_->setEnabled(!enCours);
        quit_->setEnabled(false);
        play_->setEnabled(false);
        if (!pending_.isEmpty() && id == pending_) {
            messageBox(GM::Warning, tr("Echec"),
                       future_->item(r, ColTeams)->text() == TeamsRandom
                           ? tr("La partie n'est plus disponible, ou le mot de passe est invalide.")
                           : tr("La partie n'est plus disponible, ou le mot de passe est invalide ou le coéquipier "
                                "n'est pas disponible."));
            pending_.clear();
        }
    } else if (part == MayNotTakePart) {
        disableButtons_();
    } else {
        join_->setEnabled(false);
        quit_->setEnabled(!enCours);
        play_->setEnabled(enCours);
        if (id == pending_)
            pending_.clear();
    }
}

void GM_TournamentClient::OnItemSelectionPastChanged() {}

void GM_TournamentClient::OnJoinPressed()
{
    if (QTableWidgetItem* item = firstSelected_())
        register_(item, false);
}

void GM_TournamentClient::register_(QTableWidgetItem* item, bool direct)
{
    const int r = item->row();
    lastRow_ = r;
    lastColumn_ = item->column();
    pending_ = future_->item(r, ColId)->text();
    const QString equipes = future_->item(r, ColTeams)->text();
    const bool protege = future_->item(r, ColPassword)->text() != QLatin1String("0");
    if (!direct && (protege || equipes != TeamsRandom) && serverPass_ != nullptr) {
        refreshTimer_.stop();
        // Connected for this registration only: the dialog is shared with
        // the servers tab, whose answers must not register anything here.
        QObject::disconnect(passwordConnection_);
        passwordConnection_ = connect(serverPass_, &GM_ServerPass::signalFinished, this,
                                      &GM_TournamentClient::OnPasswordEntered);
        serverPass_->configure(protege, equipes == TeamsFree   ? GM_ServerPass::TeammateOptional
                                        : equipes == TeamsOnly ? GM_ServerPass::TeammateRequired
                                                               : GM_ServerPass::NoTeammate);
        serverPass_->show();
        return;
    }
    if (GM_ClientSocket* client = client_.data())
        client->sendTournamentCommand(pending_, ActionRegister, QString(), QString());
    disableButtons_();
    OnRefresh();
}

void GM_TournamentClient::OnPasswordEntered(bool isAccepted, const QString& password, const QString& currentTeammate)
{
    QObject::disconnect(passwordConnection_);
    if (serverPass_ != nullptr)
        serverPass_->hide();
    if (!isAccepted) {
        pending_.clear();
        refreshTimer_.start();
        return;
    }
    future_->setEnabled(false);
    if (GM_ClientSocket* client = client_.data())
        client->sendTournamentCommand(pending_, ActionRegister, password, currentTeammate);
    disableButtons_();
    OnRefresh();
}

void GM_TournamentClient::OnLeavePressed()
{
    QTableWidgetItem* item = firstSelected_();
    if (item == nullptr)
        return;
    lastRow_ = item->row();
    lastColumn_ = item->column();
    if (GM_ClientSocket* client = client_.data())
        client->sendTournamentCommand(future_->item(item->row(), ColId)->text(), ActionLeave, QString(), QString());
    disableButtons_();
    OnRefresh();
}

void GM_TournamentClient::OnPlayPressed()
{
    refreshTimer_.stop();
    if (!started_.isEmpty())
        started_.removeFirst();
    QTableWidgetItem* item = firstSelected_();
    if (item == nullptr)
        return;
    joinTournament(future_->item(item->row(), ColId)->text());
    disableButtons_();
    OnRefresh();
}

void GM_TournamentClient::joinTournament(const QString& id)
{
    joined_.insert(id, true);
    lastPlayed_ = id;
    if (GM_ClientSocket* client = client_.data())
        client->requestServerIpAndPort(id, QString());
}

void GM_TournamentClient::OnTournPlay()
{
    refreshTimer_.stop();
    if (!started_.isEmpty())
        emit signalPlayTournament();
}

void GM_TournamentClient::OnTournDeny()
{
    if (!started_.isEmpty())
        started_.removeFirst();
}

void GM_TournamentClient::on_tableWidgetTournPast_itemClicked(QTableWidgetItem* item)
{
    if (item != nullptr && item->column() == ColResults && isResultsLink(item->text()))
        QDesktopServices::openUrl(QUrl(item->text(), QUrl::StrictMode));
}

void GM_TournamentClient::OnRefresh()
{
    ++refreshes_;
    refreshTimer_.stop();
    GM_ClientSocket* client = client_.data();
    if (client == nullptr)
        return;
    QMutexLocker verrou(client->getOutQueueMutex());
    client->sendRefreshRequest("Tli");
}

void GM_TournamentClient::OnSocketReady()
{
    QTimer::singleShot(0, this, &GM_TournamentClient::OnRefresh);
    refreshTimer_.setInterval(RefreshMs);
    refreshTimer_.start();
}

void GM_TournamentClient::OnSocketDisconnected()
{
    refreshTimer_.stop();
    joined_.clear();
    pending_.clear();
    lastPlayed_.clear();
    disableButtons_();
}

QTableWidgetItem* GM_TournamentClient::findItem_(const QString& id) const
{
    // Only the id column names a tournament: an id may read like a rule or
    // a state shown in another column of the row.
    QTableWidgetItem* trouve = nullptr;
    for (QTableWidgetItem* item : future_->findItems(id, Qt::MatchExactly)) {
        if (item->column() != ColId)
            continue;
        if (trouve != nullptr)
            return nullptr; // two tournaments with one id: neither is meant
        trouve = item;
    }
    return trouve;
}

QTableWidgetItem* GM_TournamentClient::waitForItem_(const QString& id, int tries, int waitMs)
{
    if (!showOthers_->isChecked())
        showOthers_->setChecked(true);
    QPointer<GM_TournamentClient> moi(this);
    for (int i = 0; i < tries && findItem_(id) == nullptr; ++i) {
        QTimer::singleShot(0, this, &GM_TournamentClient::OnRefresh);
        QEventLoop boucle;
        QTimer::singleShot(waitMs, &boucle, &QEventLoop::quit);
        boucle.exec();
        if (moi.isNull())
            return nullptr;
    }
    return findItem_(id);
}

void GM_TournamentClient::executeCommand(const QString& command, const QString& id)
{
    if (command != QLatin1String("register")) {
        messageBox(GM::Warning, tr("Commande Inconnue"), tr("La commande '%1' est inconnue").arg(command));
        return;
    }
    QPointer<GM_TournamentClient> moi(this);
    QTableWidgetItem* item = waitForItem_(id, commandTries_, commandWaitMs_);
    if (moi.isNull())
        return;
    if (item == nullptr || !(item->flags() & Qt::ItemIsSelectable)) {
        messageBox(GM::Warning, tr("Tournoi Inconnu"), tr("Le tournoi avec l'id '%1' n'a pas été trouvé").arg(id));
        return;
    }
    future_->setCurrentItem(item);
    register_(item, false);
}

bool GM_TournamentClient::selectTournament(const QString& id)
{
    const bool court = commandTries_ != CommandTries;
    QPointer<GM_TournamentClient> moi(this);
    QTableWidgetItem* item = waitForItem_(id, court ? commandTries_ : SelectTries, court ? commandWaitMs_ : SelectWaitMs);
    if (moi.isNull() || item == nullptr || !(item->flags() & Qt::ItemIsSelectable))
        return false;
    future_->setCurrentItem(item);
    register_(item, true);
    return true;
}
