#include "GM_Stats.h"

#include "GM_LigneRafraichir.h"
#include "GM_TexteDuLobby.h"

#include <QCoreApplication>
#include <QGridLayout>
#include <QHeaderView>
#include <QMutexLocker>
#include <QPushButton>
#include <QSpacerItem>
#include <QTableWidget>
#include <QTimer>

#include <array>

namespace {

constexpr int Marge = 3;
constexpr int Espacement = 3;

constexpr std::array<const char*, GM_Stats::RowCount> NomsDesLignes{
    QT_TRANSLATE_NOOP("QObject", "Nbr. Parties"),      QT_TRANSLATE_NOOP("QObject", "Ratio Points"),
    QT_TRANSLATE_NOOP("QObject", "En Ligne"),          QT_TRANSLATE_NOOP("QObject", "Nbr. Victoires"),
    QT_TRANSLATE_NOOP("QObject", "Nbr. Matches"),      QT_TRANSLATE_NOOP("QObject", "Nbr. Plis"),
    QT_TRANSLATE_NOOP("QObject", "Tot. Points Plis"),  QT_TRANSLATE_NOOP("QObject", "Tot. Points Annonces"),
    QT_TRANSLATE_NOOP("QObject", "Nbr. Stöck"),        QT_TRANSLATE_NOOP("QObject", "Nbr. 3 Cartes"),
    QT_TRANSLATE_NOOP("QObject", "Nbr. 4 Cartes"),     QT_TRANSLATE_NOOP("QObject", "Nbr. 5 Cartes"),
    QT_TRANSLATE_NOOP("QObject", "Nbr. Carré Nels"),   QT_TRANSLATE_NOOP("QObject", "Nbr. Carré Bours"),
    QT_TRANSLATE_NOOP("QObject", "Nbr. Carré 10"),     QT_TRANSLATE_NOOP("QObject", "Nbr. Carré Dame"),
    QT_TRANSLATE_NOOP("QObject", "Nbr. Carré Roi"),    QT_TRANSLATE_NOOP("QObject", "Nbr. Carré As"),
    QT_TRANSLATE_NOOP("QObject", "Nbr. Carré Six"),    QT_TRANSLATE_NOOP("QObject", "Nbr. Carré Sept"),
    QT_TRANSLATE_NOOP("QObject", "Nbr. Carré Huit")};

// A value the list does not hold reads as the lobby's "no value".
QString valeur(const QStringList& liste, int i)
{
    return i < liste.size() ? liste.at(i) : QString::fromLatin1(GM_Stats::NoValue);
}

bool aUneValeur(const QString& v)
{
    return v != QLatin1String(GM_Stats::NoValue);
}

// Writes the cell's text, reusing its item.
void ecrit(QTableWidget* table, int ligne, int colonne, const QString& texte)
{
    if (QTableWidgetItem* item = table->item(ligne, colonne))
        item->setText(texte);
    else
        table->setItem(ligne, colonne, new QTableWidgetItem(texte));
}

} // namespace

GM_Stats::GM_Stats(QWidget* parent)
    : GM_WidgetAuto(parent)
{
    setObjectName(QStringLiteral("GM_Stats"));
    resize(213, 323);
    auto* grille = new QGridLayout(this);
    grille->setObjectName(QStringLiteral("gridLayout"));
    grille->setContentsMargins(Marge, Marge, Marge, Marge);
    grille->setSpacing(Espacement);

    table_ = new QTableWidget(this);
    table_->setObjectName(QStringLiteral("m_tableWidgetStatsP"));
    table_->setColumnCount(ColumnCount);
    table_->setFrameShape(QFrame::StyledPanel);
    table_->setCornerButtonEnabled(false);
    table_->horizontalHeader()->setStretchLastSection(true);
    table_->verticalHeader()->setVisible(false);
    table_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    table_->setSortingEnabled(false);
    grille->addWidget(table_, 0, 0, 1, 4);

    const GM_LigneRafraichir ligne = GM_LigneRafraichir::construit(this, grille, 1, RefreshPauseMs);
    refresh_ = ligne.bouton;
    refreshTimer_ = ligne.pause;
    connect(refreshTimer_, &QTimer::timeout, this, &GM_Stats::OnEnableRefresh);

    retranslate();
}

GM_Stats::~GM_Stats() = default;

void GM_Stats::init(GM_ClientSocket* client, int gameFamily)
{
    client_ = client;
    gameFamily_ = gameFamily;
    // The lobby window makes the same connections: each is made once.
    if (client != nullptr) {
        connect(client, &GM_ClientSocket::signalStatsReceived, this, &GM_Stats::OnStatsReceived,
                Qt::UniqueConnection);
        connect(client, &GM_ClientSocket::signalDisconnected, this, &GM_Stats::OnDisconnected,
                Qt::UniqueConnection);
    }
    connect(refresh_, &QPushButton::clicked, this, &GM_Stats::OnPushButtonRefresh, Qt::UniqueConnection);
}

void GM_Stats::retranslate()
{
    setWindowTitle(tr("Classement"));
    table_->setHorizontalHeaderLabels({tr("Tot (Moy, Max)"), tr("Vous"), tr("Global")});
    refresh_->setText(tr("Rafraichir"));
    names_.clear();
}

QStringList GM_Stats::rowNames()
{
    QStringList noms;
    for (const char* nom : NomsDesLignes)
        noms << QCoreApplication::translate("QObject", nom);
    return noms;
}

void GM_Stats::requestStats()
{
    GM_ClientSocket* client = client_.data();
    if (client == nullptr || !client->isConnectedToLobby())
        return;
    QMutexLocker verrou(client->getOutQueueMutex());
    client->sendRefreshRequest(gameFamily_ == 0 ? "H2q" : "H3q");
}

void GM_Stats::OnStatsReceived(const QStringList* listP)
{
    if (listP == nullptr)
        return;
    if (names_.isEmpty())
        names_ = rowNames();
    std::array<QStringList, FieldCount> champs;
    for (int f = 0; f < FieldCount; ++f)
        if (f < listP->size())
            champs[size_t(f)] = GM_TexteDuLobby::champs(listP->at(f), RowCount);
    // The lobby decides how many counters it sends, but the tab names only
    // RowCount of them: more would be rows without a name (or millions of
    // them from a broken answer).
    const int lignes = int(qMin<qsizetype>(champs[FieldTotal].size(), RowCount));
    table_->setRowCount(lignes);
    for (int i = 0; i < lignes; ++i) {
        const QString total = valeur(champs[FieldTotal], i);
        const QString moyenne = valeur(champs[FieldAverage], i);
        const QString maximum = valeur(champs[FieldMaximum], i);
        const QString moyenneGlobale = valeur(champs[FieldGlobalAverage], i);
        const QString maximumGlobal = valeur(champs[FieldGlobalMaximum], i);
        ecrit(table_, i, ColName, names_.at(i));
        if (aUneValeur(moyenne) || aUneValeur(maximum))
            ecrit(table_, i, ColYou, QStringLiteral("%1 (%2, %3)").arg(total, moyenne, maximum));
        else
            ecrit(table_, i, ColYou, total);
        // A row that has no global value now loses the one of an earlier
        // answer instead of showing it as current.
        if (aUneValeur(moyenneGlobale) || aUneValeur(maximumGlobal))
            ecrit(table_, i, ColGlobal, QStringLiteral("(%1, %2)").arg(moyenneGlobale, maximumGlobal));
        else if (table_->item(i, ColGlobal) != nullptr)
            table_->item(i, ColGlobal)->setText(QString());
    }
    table_->resizeColumnsToContents();
    // Rows as high as their text, not the style's default height.
    table_->resizeRowsToContents();
    table_->setEditTriggers(QAbstractItemView::NoEditTriggers);
}

void GM_Stats::OnDisconnected()
{
    table_->setRowCount(0);
}

void GM_Stats::OnPushButtonRefresh()
{
    refresh_->setEnabled(false);
    refreshTimer_->start();
    table_->setRowCount(0);
    requestStats();
}

void GM_Stats::OnEnableRefresh()
{
    refresh_->setEnabled(true);
}
