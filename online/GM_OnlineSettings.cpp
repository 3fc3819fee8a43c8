#include "GM_OnlineSettings.h"

#include <QLabel>
#include <QVBoxLayout>

GM_OnlineSettings::GM_OnlineSettings(QWidget* parent)
    : GM_WidgetAuto(parent)
    , etiquette_(new QLabel(this))
{
    setObjectName(QStringLiteral("GM_OnlineSettings"));
    auto* grille = new QVBoxLayout(this);
    grille->setContentsMargins(0, 0, 0, 0);
    etiquette_->setAlignment(Qt::AlignCenter);
    etiquette_->setWordWrap(true);
    etiquette_->setTextFormat(Qt::PlainText);
    grille->addWidget(etiquette_);
    retranslate();
}

GM_OnlineSettings::~GM_OnlineSettings() = default;

void GM_OnlineSettings::init(GM_MessageBoxDisplayerA* displayer, GM_ClientSocket* client)
{
    setMessageBoxDisplayer(displayer);
    client_ = client;
}

void GM_OnlineSettings::retranslate()
{
    etiquette_->setText(tr("<Chargement en cours ...>"));
}
