#include "GM_Achievements.h"

#include <QLabel>
#include <QVBoxLayout>

GM_Achievements::GM_Achievements(QWidget* parent)
    : GM_WidgetAuto(parent)
    , etiquette_(new QLabel(this))
{
    setObjectName(QStringLiteral("GM_Achievements"));
    auto* grille = new QVBoxLayout(this);
    grille->setContentsMargins(0, 0, 0, 0);
    etiquette_->setAlignment(Qt::AlignCenter);
    etiquette_->setWordWrap(true);
    etiquette_->setTextFormat(Qt::PlainText);
    grille->addWidget(etiquette_);
    retranslate();
}

GM_Achievements::~GM_Achievements() = default;

void GM_Achievements::init(GM_ClientSocket* client)
{
    client_ = client;
}

void GM_Achievements::retranslate()
{
    etiquette_->setText(tr("<Chargement en cours ...>"));
}
