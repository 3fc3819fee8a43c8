#include "GM_Chat.h"

#include "GM_SocketEvent.h"

#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMutexLocker>
#include <QPushButton>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextEdit>
#include <QTimer>

#include <deque>
#include <utility>

namespace {

// Invitations to the community's server, by channel. No community exists
// for this build: the addresses never resolve.
constexpr const char* LiensInvitation[GM_Chat::ChannelCount] = {
    "https://discord.zubrik.invalid/jass-fr",
    "https://discord.zubrik.invalid/jass-en",
    "https://discord.zubrik.invalid/belote-fr",
    "https://discord.zubrik.invalid/belote-en",
};

// The pieces of an answer as the document takes them: "\n" ends a
// paragraph (the lobby ends its lines with "\r\n", and the document would
// show the "\r"), only the newest lines of the answer are kept, and each
// is bounded, the first one together with the paragraph it continues
// (dejaLa characters long).
QString lignesBornees(const QStringList& champs, qsizetype dejaLa)
{
    QString texte;
    for (qsizetype i = 1; i < champs.size(); ++i)
        texte += champs.at(i);
    // [begin, end) of the newest lines, found without a string per line.
    std::deque<std::pair<qsizetype, qsizetype>> lignes;
    const auto garde = [&lignes](qsizetype debut, qsizetype fin) {
        lignes.emplace_back(debut, fin);
        if (lignes.size() > size_t(GM_Chat::MaxLinesPerAnswer))
            lignes.pop_front();
    };
    qsizetype debut = 0;
    for (qsizetype i = 0; i < texte.size(); ++i) {
        const QChar c = texte.at(i);
        if (c != QLatin1Char('\n') && c != QLatin1Char('\r'))
            continue;
        garde(debut, i);
        if (c == QLatin1Char('\r') && i + 1 < texte.size() && texte.at(i + 1) == QLatin1Char('\n'))
            ++i;
        debut = i + 1;
    }
    // Text after the last line end is a line the next answer may go on.
    const bool ouverte = debut < texte.size();
    if (ouverte)
        garde(debut, texte.size());
    QString resultat;
    bool premiere = true;
    for (const auto& [d, f] : lignes) {
        if (!premiere)
            resultat += QLatin1Char('\n');
        const qsizetype place = d == 0 ? GM_TexteDuLobby::Ligne - dejaLa : GM_TexteDuLobby::Ligne;
        if (place > 0)
            resultat += GM_TexteDuLobby::borne(texte.mid(d, qMin(f - d, place + 1)), int(place));
        premiere = false;
    }
    if (!ouverte && !lignes.empty())
        resultat += QLatin1Char('\n');
    return resultat;
}

} // namespace

GM_Chat::GM_Chat(QWidget* parent)
    : GM_WidgetAuto(parent)
    , timer_(new QTimer(this))
{
    construitFormulaire_();
    timer_->setInterval(PollHiddenMs);
    connect(pushButtonSend_, &QPushButton::clicked, this, &GM_Chat::on_pushButtonSend_clicked);
    connect(lineEdit_, &QLineEdit::returnPressed, this, &GM_Chat::on_lineEdit_returnPressed);
    retraduitFormulaire_();
    label_->setText(QStringLiteral("<dynamic>"));
}

GM_Chat::~GM_Chat() = default;

void GM_Chat::construitFormulaire_()
{
    setObjectName(QStringLiteral("GM_Chat"));
    resize(412, 372);
    grille_ = new QGridLayout(this);
    grille_->setObjectName(QStringLiteral("gridLayout_2"));
    grille_->setSpacing(3);
    grille_->setContentsMargins(6, 6, 6, 6);

    textEdit_ = new QTextEdit(this);
    textEdit_->setObjectName(QStringLiteral("textEdit"));
    textEdit_->setReadOnly(true);
    textEdit_->setAcceptRichText(false);
    grille_->addWidget(textEdit_, 0, 0, 1, 2);

    lineEdit_ = new QLineEdit(this);
    lineEdit_->setObjectName(QStringLiteral("lineEdit"));
    lineEdit_->setMaxLength(MaxLineLength);
    grille_->addWidget(lineEdit_, 1, 0);
    pushButtonSend_ = new QPushButton(this);
    pushButtonSend_->setObjectName(QStringLiteral("pushButtonSend"));
    grille_->addWidget(pushButtonSend_, 1, 1);

    label_ = new QLabel(this);
    label_->setObjectName(QStringLiteral("label"));
    label_->setTextFormat(Qt::RichText);
    label_->setWordWrap(true);
    label_->setOpenExternalLinks(true);
    label_->setTextInteractionFlags(Qt::TextBrowserInteraction | Qt::TextSelectableByKeyboard);
    grille_->addWidget(label_, 2, 0, 1, 2);
}

void GM_Chat::retraduitFormulaire_()
{
    setWindowTitle(tr("Form"));
    pushButtonSend_->setText(tr("Envoyer"));
}

void GM_Chat::init(GM_ClientSocket* client, GM_MessageBoxDisplayerA* displayer, bool belote, const int* language)
{
    setMessageBoxDisplayer(displayer);
    client_ = client;
    belote_ = belote;
    if (client != nullptr) {
        connect(client, &GM_ClientSocket::signalDiscordChat, this, &GM_Chat::OnDiscordChat);
        connect(client, &GM_ClientSocket::signalReady, this, &GM_Chat::OnSocketReady);
        connect(client, &GM_ClientSocket::signalDisconnected, this, &GM_Chat::OnSocketDisconnected);
    }
    connect(timer_, &QTimer::timeout, this, &GM_Chat::OnRefresh);
    retranslate(language != nullptr ? *language : LanguageFrench);
}

int GM_Chat::channelFor(bool belote, int language)
{
    return (belote ? 2 : 0) + (language == LanguageFrench ? 0 : 1);
}

QString GM_Chat::invitationLink(int channel)
{
    if (channel < 0 || channel >= ChannelCount)
        return QString();
    return QString::fromLatin1(LiensInvitation[channel]);
}

void GM_Chat::retranslate(int language)
{
    retraduitFormulaire_();
    const int canal = channelFor(belote_, language);
    if (canal != channel_)
        textEdit_->clear();
    channel_ = canal;
    label_->setText(QStringLiteral("%1<a href=\"%2\">%2</a>")
                        .arg(tr("Rejoins nous sur Discord: ").toHtmlEscaped(), invitationLink(channel_)));
}

void GM_Chat::clearMessages()
{
    textEdit_->clear();
}

bool GM_Chat::clientConnecte_() const
{
    const GM_ClientSocket* client = client_.data();
    return client != nullptr && client->isConnectedToLobby();
}

// --- Polling ----------------------------------------------------------------------

void GM_Chat::OnSocketReady()
{
    timer_->start();
}

void GM_Chat::OnSocketDisconnected()
{
    timer_->stop();
}

void GM_Chat::showEvent(QShowEvent* event)
{
    GM_WidgetAuto::showEvent(event);
    timer_->stop();
    timer_->setInterval(PollShownMs);
    OnRefresh();
}

void GM_Chat::hideEvent(QHideEvent* event)
{
    GM_WidgetAuto::hideEvent(event);
    timer_->setInterval(PollHiddenMs);
}

void GM_Chat::OnRefresh()
{
    timer_->stop();
    if (!clientConnecte_())
        return;
    GM_ClientSocket* client = client_.data();
    QMutexLocker verrou(client->getOutQueueMutex());
    QSharedPointer<GM_SocketEvent> poll = GM_SocketEvent::findEvent(GM_SocketEvent::Idle, "Fr4");
    if (poll.isNull())
        return;
    poll->champs_ << QString::number(channel_);
    client->enqueueEvent(poll);
}

// --- Receiving and sending ----------------------------------------------------------------

void GM_Chat::OnDiscordChat(const QStringList* newData)
{
    bool ok = false;
    const int canal = newData != nullptr && !newData->isEmpty() ? newData->constFirst().toInt(&ok) : -1;
    if (!ok || canal != channel_ || newData->size() < 2) {
        timer_->start();
        return;
    }
    ajoute_(*newData);
}

void GM_Chat::ajoute_(const QStringList& champs)
{
    QTextCursor curseur(textEdit_->document());
    curseur.movePosition(QTextCursor::End);
    curseur.beginEditBlock();
    curseur.insertText(lignesBornees(champs, curseur.block().length() - 1));
    curseur.endEditBlock();
    borne_();
    curseur.movePosition(QTextCursor::End);
    textEdit_->setTextCursor(curseur);
    textEdit_->ensureCursorVisible();
    timer_->start();
}

void GM_Chat::borne_()
{
    QTextDocument* document = textEdit_->document();
    const int blocs = document->blockCount();
    if (blocs <= MaxBlocks + TrimSlack)
        return;
    QTextCursor debut(document);
    debut.setPosition(document->findBlockByNumber(blocs - MaxBlocks).position(), QTextCursor::KeepAnchor);
    debut.removeSelectedText();
}

void GM_Chat::on_pushButtonSend_clicked()
{
    const QString texte = lineEdit_->text();
    if (texte.isEmpty() || !clientConnecte_())
        return;
    client_->sendChatMessage(channel_, texte);
    // The line end stays out of the translated text, which must not lose it.
    ajoute_({QString::number(channel_), tr("<Vous> %1").arg(texte) + QLatin1Char('\n')});
    lineEdit_->clear();
}

void GM_Chat::on_lineEdit_returnPressed()
{
    pushButtonSend_->animateClick();
}
