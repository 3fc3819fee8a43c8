#include "GM_Stats.h"

#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

GM_Stats::GM_Stats(QWidget* parent)
    : GM_WidgetAuto(parent)
    , etiquette_(new QLabel(this))
{
    setObjectName(QStringLiteral("GM_Stats"));
    auto* grille = new QVBoxLayout(this);
    grille->setContentsMargins(0, 0, 0, 0);
    etiquette_->setAlignment(Qt::AlignCenter);
    etiquette_->setWordWrap(true);
    etiquette_->setTextFormat(Qt::PlainText);
    grille->addWidget(etiquette_);
    refresh_ = new QPushButton(this);
    refresh_->setObjectName(QStringLiteral("m_pushButtonRefreshP"));
    grille->addWidget(refresh_);
    retranslate();
}

GM_Stats::~GM_Stats() = default;

void GM_Stats::init(GM_ClientSocket* client, int gameFamily)
{
    client_ = client;
    gameFamily_ = gameFamily;
}

void GM_Stats::retranslate()
{
    etiquette_->setText(tr("<Chargement en cours ...>"));
    refresh_->setText(tr("Rafraichir"));
}

void GM_Stats::OnStatsReceived(const QStringList* list)
{
    Q_UNUSED(list);
}

void GM_Stats::OnDisconnected() {}

void GM_Stats::OnPushButtonRefresh()
{
    requestStats();
}
