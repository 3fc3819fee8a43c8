#include "GM_Scores.h"

#include <QLabel>
#include <QVBoxLayout>

GM_Scores::GM_Scores(QWidget* parent)
    : GM_WidgetAuto(parent)
    , etiquette_(new QLabel(this))
{
    setObjectName(QStringLiteral("GM_Scores"));
    auto* grille = new QVBoxLayout(this);
    grille->setContentsMargins(0, 0, 0, 0);
    etiquette_->setAlignment(Qt::AlignCenter);
    etiquette_->setWordWrap(true);
    etiquette_->setTextFormat(Qt::PlainText);
    grille->addWidget(etiquette_);
    retranslate();
}

GM_Scores::~GM_Scores() = default;

void GM_Scores::init(GM_ClientSocket* client, int gameFamily)
{
    client_ = client;
    gameFamily_ = gameFamily;
}

void GM_Scores::retranslate()
{
    etiquette_->setText(tr("<Chargement en cours ...>"));
}
