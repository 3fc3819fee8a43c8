#include "GM_TournamentClient.h"

#include <QLabel>
#include <QVBoxLayout>

GM_TournamentClient::GM_TournamentClient(QWidget* parent)
    : GM_WidgetAuto(parent)
    , etiquette_(new QLabel(this))
{
    setObjectName(QStringLiteral("GM_TournamentClient"));
    auto* grille = new QVBoxLayout(this);
    grille->setContentsMargins(0, 0, 0, 0);
    etiquette_->setAlignment(Qt::AlignCenter);
    etiquette_->setWordWrap(true);
    etiquette_->setTextFormat(Qt::PlainText);
    grille->addWidget(etiquette_);
    retranslate();
}

GM_TournamentClient::~GM_TournamentClient() = default;

void GM_TournamentClient::init(GM_ClientSocket* client, GM_ServerPass* serverPass,
                               GM_MessageBoxDisplayerA* displayer, const QString& publicServerName)
{
    client_ = client;
    serverPass_ = serverPass;
    setMessageBoxDisplayer(displayer);
    publicServerName_ = publicServerName;
}

void GM_TournamentClient::retranslate()
{
    etiquette_->setText(tr("<Chargement en cours ...>"));
}

void GM_TournamentClient::OnRefresh()
{
    ++refreshes_;
}
