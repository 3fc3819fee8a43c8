#include "GM_Scores.h"

#include "GM_SocketEvent.h"
#include "GM_TexteDuLobby.h"

#include <QDesktopServices>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMutexLocker>
#include <QPushButton>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace {
constexpr int Marge = 3;
constexpr int Espacement = 2;
constexpr int EspacementRequete = 3;
} // namespace

GM_Scores::GM_Scores(QWidget* parent)
    : GM_WidgetAuto(parent)
{
    setObjectName(QStringLiteral("GM_Scores"));
    resize(229, 272);
    auto* grille = new QVBoxLayout(this);
    grille->setObjectName(QStringLiteral("verticalLayout"));
    grille->setContentsMargins(Marge, Marge, Marge, Marge);
    grille->setSpacing(Espacement);

    scores_ = new QTreeWidget(this);
    scores_->setObjectName(QStringLiteral("m_scoresP"));
    scores_->setColumnCount(ColumnCount);
    scores_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    scores_->setRootIsDecorated(false);
    scores_->setSortingEnabled(false);
    grille->addWidget(scores_);

    note_ = new QLabel(this);
    note_->setObjectName(QStringLiteral("label_2"));
    note_->setWordWrap(true);
    grille->addWidget(note_);

    onlineScores_ = new QPushButton(this);
    onlineScores_->setObjectName(QStringLiteral("pushButtonOnlineScores"));
    onlineScores_->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Fixed);
    grille->addWidget(onlineScores_);

    sqlBox_ = new QGroupBox(this);
    sqlBox_->setObjectName(QStringLiteral("groupBoxSql"));
    auto* ligne = new QHBoxLayout(sqlBox_);
    ligne->setObjectName(QStringLiteral("horizontalLayout"));
    ligne->setContentsMargins(Marge, Marge, Marge, Marge);
    ligne->setSpacing(EspacementRequete);
    sqlEdit_ = new QLineEdit(sqlBox_);
    sqlEdit_->setObjectName(QStringLiteral("lineEditSql"));
    ligne->addWidget(sqlEdit_);
    sqlButton_ = new QPushButton(sqlBox_);
    sqlButton_->setObjectName(QStringLiteral("pushButtonSql"));
    ligne->addWidget(sqlButton_);
    grille->addWidget(sqlBox_);
    sqlBox_->hide();

    retranslate();
}

GM_Scores::~GM_Scores() = default;

void GM_Scores::init(GM_ClientSocket* client, int gameFamily)
{
    client_ = client;
    gameFamily_ = gameFamily;
    if (client != nullptr) {
        connect(client, &GM_ClientSocket::signalScoresReceived, this, &GM_Scores::OnScoresReceived,
                Qt::UniqueConnection);
        connect(client, &GM_ClientSocket::signalDisconnected, this, &GM_Scores::OnDisconnected,
                Qt::UniqueConnection);
    }
    connect(onlineScores_, &QPushButton::clicked, this, &GM_Scores::OnOnlineScore, Qt::UniqueConnection);
    connect(sqlButton_, &QPushButton::clicked, this, &GM_Scores::OnExecSQL, Qt::UniqueConnection);
}

void GM_Scores::retranslate()
{
    setWindowTitle(tr("Classement"));
    scores_->setHeaderLabels({tr("Position"), tr("Pseudo"), tr("Jouées"), tr("Gagnées"), tr("Total Points")});
    note_->setText(tr("Constitué des parties de moins de 6 mois."));
    onlineScores_->setText(tr("Classement complet en ligne"));
    sqlBox_->setTitle(tr("SQL"));
    sqlButton_->setText(tr("Execute"));
}

bool GM_Scores::isListEmpty() const
{
    return scores_->topLevelItemCount() == 0;
}

void GM_Scores::clearList()
{
    remplissage_.arrete();
    entrees_.clear();
    scores_->clear();
}

QUrl GM_Scores::onlineScoresUrl() const
{
    return QUrl(QString::fromLatin1(SiteWeb) + QString::fromLatin1(gameFamily_ == 0 ? PageJass : PageBelote));
}

void GM_Scores::OnScoresReceived(const QStringList* listP)
{
    clearList();
    if (listP == nullptr)
        return;
    entrees_ = listP->mid(0, GM_RemplissageParTranches::LignesMax);
    remplissage_.demarre(
        entrees_.size(),
        [this](qsizetype debut, qsizetype fin) {
            QList<QTreeWidgetItem*> lignes;
            lignes.reserve(fin - debut);
            for (qsizetype i = debut; i < fin; ++i)
                lignes << new QTreeWidgetItem(GM_TexteDuLobby::champs(entrees_.at(i), ColumnCount));
            // One insertion a chunk: the view lays out once, not once per row.
            scores_->addTopLevelItems(lignes);
        },
        [this] {
            entrees_.clear();
            scores_->header()->resizeSections(QHeaderView::ResizeToContents);
        });
}

void GM_Scores::OnDisconnected()
{
    clearList();
}

void GM_Scores::OnOnlineScore()
{
    QDesktopServices::openUrl(onlineScoresUrl());
}

void GM_Scores::OnExecSQL()
{
    GM_ClientSocket* client = client_.data();
    if (client == nullptr || !client->isConnectedToLobby())
        return;
    QMutexLocker verrou(client->getOutQueueMutex());
    QSharedPointer<GM_SocketEvent> message = GM_SocketEvent::findEvent(GM_SocketEvent::Idle, "A3E");
    if (message.isNull())
        return;
    connect(message.data(), &GM_SocketEvent::signalTransmitError, client, &GM_ClientSocket::onError);
    message->champs_ << sqlEdit_->text();
    client->enqueueEvent(message);
}
