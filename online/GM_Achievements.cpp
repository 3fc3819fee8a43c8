#include "GM_Achievements.h"

#include "GM_LigneRafraichir.h"

#include "GM_AchievementTitle.h"

#include <QDateTime>
#include <QGridLayout>
#include <QHeaderView>
#include <QMutexLocker>
#include <QPushButton>
#include <QSpacerItem>
#include <QTableWidget>
#include <QTimeZone>
#include <QTimer>

namespace {

constexpr int Marge = 6;
constexpr int Espacement = 3;
constexpr int PartiesParEntree = 2;
// "yyyy-MM-dd hh:mm:ss": the date, one space, the time.
constexpr int LongueurDate = 10;
constexpr int LongueurDateHeure = 19;

} // namespace

GM_Achievements::WidgetItemIntSorted::WidgetItemIntSorted(const QString& text)
    : QTableWidgetItem(text)
{
}

bool GM_Achievements::WidgetItemIntSorted::operator<(const QTableWidgetItem& other) const
{
    return text().toInt() < other.text().toInt();
}

GM_Achievements::GM_Achievements(QWidget* parent)
    : GM_WidgetAuto(parent)
{
    setObjectName(QStringLiteral("GM_Achievements"));
    resize(242, 263);
    auto* grille = new QGridLayout(this);
    grille->setObjectName(QStringLiteral("gridLayout_2"));
    grille->setContentsMargins(Marge, Marge, Marge, Marge);
    grille->setSpacing(Espacement);

    table_ = new QTableWidget(this);
    table_->setObjectName(QStringLiteral("m_tableWidgetStatsP"));
    table_->setColumnCount(ColumnCount);
    table_->setFrameShape(QFrame::StyledPanel);
    table_->setSortingEnabled(true);
    table_->setCornerButtonEnabled(false);
    table_->horizontalHeader()->setStretchLastSection(true);
    table_->verticalHeader()->setVisible(false);
    table_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    grille->addWidget(table_, 0, 0, 1, 4);

    const GM_LigneRafraichir ligne = GM_LigneRafraichir::construit(this, grille, 1, RefreshPauseMs);
    refresh_ = ligne.bouton;
    refreshTimer_ = ligne.pause;
    connect(refreshTimer_, &QTimer::timeout, this, &GM_Achievements::OnEnableRefresh);

    retranslate();
}

GM_Achievements::~GM_Achievements() = default;

void GM_Achievements::init(GM_ClientSocket* client)
{
    client_ = client;
    table_->sortByColumn(ColDate, Qt::DescendingOrder);
    if (client != nullptr) {
        connect(client, &GM_ClientSocket::signalAchievementsReceived, this, &GM_Achievements::OnAchievementsReceived,
                Qt::UniqueConnection);
        connect(client, &GM_ClientSocket::signalDisconnected, this, &GM_Achievements::OnDisconnected,
                Qt::UniqueConnection);
    }
    connect(refresh_, &QPushButton::clicked, this, &GM_Achievements::OnPushButtonRefresh, Qt::UniqueConnection);
}

void GM_Achievements::retranslate()
{
    vide_();
    setWindowTitle(tr("Classement"));
    table_->setHorizontalHeaderLabels({tr("Titre"), tr("Atteint"), tr("Le"), tr("Prochain")});
    refresh_->setText(tr("Rafraichir"));
}

void GM_Achievements::requestAchievements()
{
    GM_ClientSocket* client = client_.data();
    if (client == nullptr || !client->isConnectedToLobby())
        return;
    QMutexLocker verrou(client->getOutQueueMutex());
    client->sendRefreshRequest("Awq");
}

QString GM_Achievements::localDate(const QString& utc)
{
    // Read as UTC from the start: read as local time first, a date in the
    // hour skipped by a daylight-saving change would not exist.
    if (utc.size() != LongueurDateHeure || utc.at(LongueurDate) != QLatin1Char(' '))
        return QString();
    const QDate date = QDate::fromString(utc.left(LongueurDate), QStringLiteral("yyyy-MM-dd"));
    const QTime heure = QTime::fromString(utc.mid(LongueurDate + 1), QStringLiteral("hh:mm:ss"));
    if (!date.isValid() || !heure.isValid())
        return QString();
    return QDateTime(date, heure, QTimeZone::utc()).toLocalTime().toString(QString::fromLatin1(DateFormat));
}

void GM_Achievements::OnAchievementsReceived(const QStringList* listP)
{
    if (listP == nullptr)
        return;
    remplissage_.arrete();
    table_->setSortingEnabled(false);
    table_->setRowCount(0);
    entrees_ = listP->mid(0, GM_RemplissageParTranches::LignesMax);
    remplissage_.demarre(
        entrees_.size(), [this](qsizetype debut, qsizetype fin) { ajouteLignes_(debut, fin); },
        [this] {
            entrees_.clear();
            table_->resizeColumnsToContents();
            // Rows as high as their text, not the style's default height.
            table_->resizeRowsToContents();
            table_->setSortingEnabled(true);
        });
}

void GM_Achievements::ajouteLignes_(qsizetype debut, qsizetype fin)
{
    int ligne = table_->rowCount();
    table_->setRowCount(ligne + int(fin - debut));
    for (qsizetype i = debut; i < fin; ++i) {
        const QStringList parties = entrees_.at(i).split(QLatin1Char(','), Qt::KeepEmptyParts, Qt::CaseSensitive);
        if (parties.size() != PartiesParEntree)
            continue;
        bool ok = false;
        const int numero = parties.at(0).toInt(&ok);
        if (!ok || numero == NoAchievement)
            continue;
        const AchievementTitle& titre = achievementTitle(numero);
        table_->setItem(ligne, ColTitle, new QTableWidgetItem(titre.title));
        table_->setItem(ligne, ColReached, new WidgetItemIntSorted(QString::number(titre.reached)));
        table_->setItem(ligne, ColDate, new QTableWidgetItem(localDate(parties.at(1))));
        table_->setItem(ligne, ColNext,
                        new WidgetItemIntSorted(titre.next == -1 ? QString() : QString::number(titre.next)));
        ++ligne;
    }
    // Entries left out leave no empty rows behind.
    table_->setRowCount(ligne);
}

void GM_Achievements::vide_()
{
    remplissage_.arrete();
    entrees_.clear();
    table_->setRowCount(0);
    // A fill stopped half-way had turned it off.
    table_->setSortingEnabled(true);
}

void GM_Achievements::OnDisconnected()
{
    vide_();
}

void GM_Achievements::OnPushButtonRefresh()
{
    refresh_->setEnabled(false);
    refreshTimer_->start();
    vide_();
    requestAchievements();
}

void GM_Achievements::OnEnableRefresh()
{
    refresh_->setEnabled(true);
}
