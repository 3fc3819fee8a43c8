#include "GM_TablesList.h"

#include <QLabel>
#include <QVBoxLayout>

GM_TablesList::GM_TablesList(QWidget* parent)
    : GM_WidgetAuto(parent)
    , etiquette_(new QLabel(this))
{
    setObjectName(QStringLiteral("GM_TablesList"));
    auto* grille = new QVBoxLayout(this);
    grille->setContentsMargins(0, 0, 0, 0);
    etiquette_->setAlignment(Qt::AlignCenter);
    etiquette_->setWordWrap(true);
    etiquette_->setTextFormat(Qt::PlainText);
    grille->addWidget(etiquette_);
    retranslate();
}

GM_TablesList::~GM_TablesList() = default;

void GM_TablesList::init(GM_ClientSocket* client, GM_ServerPass* serverPass, const QString& publicServerName)
{
    client_ = client;
    serverPass_ = serverPass;
    publicServerName_ = publicServerName;
}

void GM_TablesList::retranslate()
{
    etiquette_->setText(tr("<Chargement en cours ...>"));
}

void GM_TablesList::OnRefresh()
{
    ++refreshes_;
}
