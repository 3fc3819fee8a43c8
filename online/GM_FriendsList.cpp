#include "GM_FriendsList.h"

#include <QLabel>
#include <QVBoxLayout>

GM_FriendsList::GM_FriendsList(QWidget* parent)
    : GM_WidgetAuto(parent)
    , etiquette_(new QLabel(this))
{
    setObjectName(QStringLiteral("GM_FriendsList"));
    auto* grille = new QVBoxLayout(this);
    grille->setContentsMargins(0, 0, 0, 0);
    etiquette_->setAlignment(Qt::AlignCenter);
    etiquette_->setWordWrap(true);
    etiquette_->setTextFormat(Qt::PlainText);
    grille->addWidget(etiquette_);
    retranslate();
}

GM_FriendsList::~GM_FriendsList() = default;

void GM_FriendsList::init(GM_ClientSocket* client, GM_MessageBoxDisplayerA* displayer, GM_NativeA* native,
                          QSettings* settings)
{
    client_ = client;
    setMessageBoxDisplayer(displayer);
    native_ = native;
    settings_ = settings;
}

void GM_FriendsList::retranslate()
{
    etiquette_->setText(tr("<Chargement en cours ...>"));
}

void GM_FriendsList::OnRefresh()
{
    ++refreshes_;
}

void GM_FriendsList::OnItemPlayCheckStateChanged()
{
    playButtons_ = privatePlay_ || publicPlay_;
}

void GM_FriendsList::OnSelectedServerChanged(qint64 serverId, int port)
{
    Q_UNUSED(serverId);
    Q_UNUSED(port);
}
