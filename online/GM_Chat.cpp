#include "GM_Chat.h"

#include <QLabel>
#include <QVBoxLayout>

GM_Chat::GM_Chat(QWidget* parent)
    : GM_WidgetAuto(parent)
    , etiquette_(new QLabel(this))
{
    setObjectName(QStringLiteral("GM_Chat"));
    auto* grille = new QVBoxLayout(this);
    grille->setContentsMargins(0, 0, 0, 0);
    etiquette_->setAlignment(Qt::AlignCenter);
    etiquette_->setWordWrap(true);
    etiquette_->setTextFormat(Qt::PlainText);
    grille->addWidget(etiquette_);
    retranslate();
}

GM_Chat::~GM_Chat() = default;

void GM_Chat::init(GM_ClientSocket* client, GM_MessageBoxDisplayerA* displayer, bool belote, int* language)
{
    client_ = client;
    setMessageBoxDisplayer(displayer);
    belote_ = belote;
    language_ = language;
}

void GM_Chat::retranslate()
{
    etiquette_->setText(tr("<Chargement en cours ...>"));
}
