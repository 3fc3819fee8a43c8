#include "ServerView.h"

#include "GM_SocketAbstract.h"
#include "GM_SpacesSeparatedString.h"
#include "ZB_ServerSocketConnection.h"

#include <QComboBox>
#include <QEvent>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMutexLocker>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QVBoxLayout>

#include <algorithm>

namespace {

constexpr int JournalMax = 500;
constexpr int RoleConnexion = Qt::UserRole;
constexpr int SiegesParTable = 4;
// As long as a name the table shows.
constexpr int NomMax = 24;

quintptr cle(const ZB_ServerSocketConnection* connection)
{
    return reinterpret_cast<quintptr>(connection);
}

} // namespace

ServerView::ServerView(QWidget* parent, ZB_ServerSocket* serveur, ZB_ServerSocket::Cb_TableConnectionInput* salle)
    : GM_WidgetAuto(parent)
    , serveur_(serveur)
    , salle_(salle)
    , hebergement_(serveur, salle)
{
    setObjectName(QStringLiteral("ServerView"));
    setAutoFillBackground(true);
    auto* disposition = new QVBoxLayout(this);
    etat_ = new QLabel(this);
    disposition->addWidget(etat_);
    adresses_ = new QLabel(this);
    adresses_->setObjectName(QStringLiteral("labelAddresses"));
    // The host copies them into a message to friends.
    adresses_->setTextInteractionFlags(Qt::TextSelectableByMouse);
    adresses_->setWordWrap(true);
    disposition->addWidget(adresses_);
    auto* ligneNom = new QHBoxLayout;
    labelNom_ = new QLabel(this);
    ligneNom->addWidget(labelNom_);
    nom_ = new QLineEdit(this);
    nom_->setObjectName(QStringLiteral("lineEditName"));
    nom_->setMaxLength(NomMax);
    ligneNom->addWidget(nom_, 1);
    disposition->addLayout(ligneNom);
    labelConnexions_ = new QLabel(this);
    disposition->addWidget(labelConnexions_);
    connexions_ = new QListWidget(this);
    connexions_->setObjectName(QStringLiteral("listWidgetConnections"));
    disposition->addWidget(connexions_, 1);
    auto* placement = new QHBoxLayout;
    labelTable_ = new QLabel(this);
    placement->addWidget(labelTable_);
    table_ = new QSpinBox(this);
    table_->setObjectName(QStringLiteral("spinBoxTable"));
    table_->setRange(0, 0);
    placement->addWidget(table_);
    labelPlace_ = new QLabel(this);
    placement->addWidget(labelPlace_);
    siege_ = new QComboBox(this);
    siege_->setObjectName(QStringLiteral("comboBoxSeat"));
    for (int siege = 0; siege < SiegesParTable; ++siege)
        siege_->addItem(QString(), siege);
    placement->addWidget(siege_);
    placer_ = new QPushButton(this);
    placer_->setObjectName(QStringLiteral("pushButtonPlace"));
    placement->addWidget(placer_);
    retirer_ = new QPushButton(this);
    retirer_->setObjectName(QStringLiteral("pushButtonRemove"));
    placement->addWidget(retirer_);
    placement->addStretch(1);
    disposition->addLayout(placement);
    labelJournal_ = new QLabel(this);
    disposition->addWidget(labelJournal_);
    vueJournal_ = new QPlainTextEdit(this);
    vueJournal_->setReadOnly(true);
    vueJournal_->setMaximumBlockCount(JournalMax);
    disposition->addWidget(vueJournal_, 1);
    auto* boutons = new QHBoxLayout;
    demarrer_ = new QPushButton(this);
    arreter_ = new QPushButton(this);
    fermer_ = new QPushButton(this);
    fermer_->setObjectName(QStringLiteral("pushButtonClose"));
    boutons->addWidget(demarrer_);
    boutons->addWidget(arreter_);
    boutons->addStretch(1);
    boutons->addWidget(fermer_);
    disposition->addLayout(boutons);
    connect(demarrer_, &QPushButton::clicked, this, &ServerView::OnDemarrer);
    connect(arreter_, &QPushButton::clicked, this, &ServerView::OnArreter);
    connect(placer_, &QPushButton::clicked, this, &ServerView::OnPlacer);
    connect(retirer_, &QPushButton::clicked, this, &ServerView::OnRetirer);
    connect(fermer_, &QPushButton::clicked, this, &QWidget::hide);
    setBoutonsAnnuler({fermer_});
    connect(connexions_, &QListWidget::currentRowChanged, this, [this] { afficheEtat_(); });
    if (ZB_ServerSocket* s = serveur_.data())
        s->setSocketInput(this);
    retranslateUi();
}

ServerView::~ServerView()
{
    if (ZB_ServerSocket* s = serveur_.data())
        s->setSocketInput(nullptr);
}

void ServerView::start(const OptionsDePartie& options, QSharedPointer<GM_SocketAbstract> pont, const QString& login,
                       quint16 portSecure, quint16 portUnsecure, quint16 portTcp, qint64 idUtilisateur,
                       Cb_ServerStartOrStop* demarrage)
{
    Q_UNUSED(pont);
    demarrage_ = demarrage;
    enCours_ = false;
    // A new hosting: the log of an earlier one would read as this one's.
    journal_.clear();
    vueJournal_->clear();
    hebergement_.attendJoueurs(options, login, portSecure, portUnsecure, portTcp, idUtilisateur);
    nom_->setText(hebergement_.getNomHote());
    afficheAdresses_();
    afficheEtat_();
    show();
}

QString ServerView::getTexteAdresses() const
{
    return adresses_->text();
}

void ServerView::afficheAdresses_()
{
    auto port = [](quint16 p) { return p != 0 ? QString::number(p) : QStringLiteral("-"); };
    adresses_->setText(
        tr("Adresse de cette machine: %1").arg(ZB_Hebergement::adressesDeLaMachine().join(QLatin1String(", ")))
        + QLatin1Char('\n') + tr("Port à donner à vos amis: %1").arg(port(hebergement_.portADonner()))
        + QLatin1Char('\n')
        + tr("Ports: TCP %1, WebSocket %2, WebSocket sécurisé %3")
              .arg(port(hebergement_.getPortTcp()), port(hebergement_.getPortUnsecure()),
                   port(hebergement_.getPortSecure())));
}

void ServerView::OnDemarrer()
{
    ZB_ServerSocket* s = serveur_.data();
    if (s == nullptr || !hebergement_.estEnAttente())
        return;
    enCours_ = true;
    const std::optional<OptionsDuJoueur>& hote = s->getJoueurLocal();
    const QString avant = hote.has_value() ? hote->nom_ : QString();
    const QString choisi = GM_SpacesSeparatedString::sanitizeFreeText(nom_->text()).simplified();
    const QString joue = hebergement_.renommeHote(choisi);
    if (joue != avant) {
        nom_->setText(joue);
        emit signalNomDeJeu(choisi);
    }
    // The room inscribes its table's game itself (cb_serverStart) once the
    // server runs, whoever started it (this button, the start timer, the
    // windowless host): calling it from here as well would start it twice.
    hebergement_.demarre();
    afficheEtat_();
    // The host plays now: its table is not to lie under this view while
    // its turn's time runs.
    hide();
}

void ServerView::OnArreter()
{
    ZB_ServerSocket* s = serveur_.data();
    const int etat = s != nullptr ? s->getEtat() : ZB_ServerSocket::Arrete;
    const bool enJeu = etat == ZB_ServerSocket::EnCoursAvecPlacesLibres || etat == ZB_ServerSocket::EnCoursComplet;
    if (enJeu && receivers(SIGNAL(signalArretDemande())) > 0) {
        emit signalArretDemande();
        return;
    }
    arrete();
}

void ServerView::arrete()
{
    if (ZB_ServerSocket* s = serveur_.data())
        s->arrete();
    enCours_ = false;
    connexions_->clear();
    if (demarrage_ != nullptr)
        demarrage_->cb_serverStop();
    afficheEtat_();
    // Nothing is left to do here: the view goes, and the table is the
    // user's again.
    hide();
    emit signalServeurArrete();
}

void ServerView::cb_newConnection(ZB_ServerSocket* serveur, const OptionsDuJoueur& joueur,
                                  ZB_ServerSocketConnection* connection, bool replacedOld)
{
    Q_UNUSED(replacedOld);
    if (connection == nullptr)
        return;
    if (QListWidgetItem* ancien = item_(connection))
        delete connexions_->takeItem(connexions_->row(ancien));
    // The connection's own description is for the logs; the user reads it
    // in the language shown.
    const GM_SocketAbstract* socket = connection->getSocket();
    // An IPv4 peer of a dual-stack listener reads as the user knows it.
    QHostAddress pair = socket != nullptr ? socket->peerAddress() : QHostAddress();
    bool ipv4 = false;
    const quint32 v4 = pair.toIPv4Address(&ipv4);
    if (ipv4)
        pair = QHostAddress(v4);
    const QString adresse = tr("Adresse: %1, Port: %2, Id: %3")
                                .arg(socket != nullptr ? pair.toString() : QString())
                                .arg(socket != nullptr ? socket->peerPort() : 0)
                                .arg(connection->getPlayerId());
    auto* item = new QListWidgetItem(joueur.getNomAffiche() + QLatin1String(" - ") + adresse);
    item->setData(RoleConnexion, QVariant::fromValue(cle(connection)));
    connexions_->addItem(item);
    Q_UNUSED(serveur);
    if (!hebergement_.accueille(connection, joueur))
        cb_annonce(tr("Aucune place pour %1").arg(joueur.getNomAffiche()));
    afficheEtat_();
}

void ServerView::cb_connectionClosed(ZB_ServerSocket* serveur, ZB_ServerSocketConnection* connection)
{
    Q_UNUSED(serveur);
    if (connection == nullptr)
        return;
    if (QListWidgetItem* item = item_(connection)) {
        delete connexions_->takeItem(connexions_->row(item));
    }
    afficheEtat_();
}

void ServerView::cb_gameEnded(bool fin, int nombreDeTables)
{
    Q_UNUSED(fin);
    Q_UNUSED(nombreDeTables);
    enCours_ = false;
    afficheEtat_();
}

void ServerView::cb_log(const QString& severite, const QString& message)
{
    // The trace has the server's own lines; the host reads its announcements.
    Q_UNUSED(severite);
    Q_UNUSED(message);
    // The server logs what changes its state: the buttons follow.
    afficheEtat_();
}

void ServerView::cb_annonce(const QString& texte)
{
    journal_ << texte;
    if (journal_.size() > JournalMax)
        journal_.removeFirst();
    vueJournal_->appendPlainText(texte);
    afficheEtat_();
}

bool ServerView::place(ZB_ServerSocketConnection* connection, int noTable, int siege, bool hotSwap)
{
    if (salle_ == nullptr || connection == nullptr)
        return false;
    const OptionsDuJoueur joueur = connection->getOptions();
    return salle_->cb_setClientInGameOnTheFly_SpecificPos(connection, noTable, siege, hotSwap, joueur);
}

void ServerView::OnPlacer()
{
    ZB_ServerSocketConnection* connection = connexionChoisie();
    if (connection == nullptr)
        return;
    const int noTable = table_->value();
    const int siege = siege_->currentData().toInt();
    const QString nom = connection->getOptions().getNomAffiche();
    if (place(connection, noTable, siege, false))
        cb_annonce(tr("%1 placé à la table %2, place %3").arg(nom).arg(noTable).arg(siege + 1));
    else
        cb_annonce(tr("%1 n'a pas pu être placé à la table %2, place %3").arg(nom).arg(noTable).arg(siege + 1));
}

void ServerView::OnRetirer()
{
    ZB_ServerSocketConnection* connection = connexionChoisie();
    ZB_ServerSocket* s = serveur_.data();
    if (connection == nullptr || s == nullptr)
        return;
    const QString nom = connection->getOptions().getNomAffiche();
    // The server tells the list that the connection closed.
    s->retireJoueur(connection);
    cb_annonce(tr("%1 a été retiré de la partie").arg(nom));
}

QListWidgetItem* ServerView::item_(const ZB_ServerSocketConnection* connection) const
{
    for (int i = 0; i < connexions_->count(); ++i)
        if (connexions_->item(i)->data(RoleConnexion).value<quintptr>() == cle(connection))
            return connexions_->item(i);
    return nullptr;
}

ZB_ServerSocketConnection* ServerView::connexionChoisie() const
{
    const QListWidgetItem* item = connexions_->currentItem();
    // Only a pointer the list still holds, which cb_connectionClosed keeps
    // in step with the server.
    return item != nullptr ? reinterpret_cast<ZB_ServerSocketConnection*>(item->data(RoleConnexion).value<quintptr>())
                           : nullptr;
}

void ServerView::choisitConnexion(ZB_ServerSocketConnection* connection)
{
    connexions_->setCurrentItem(item_(connection));
    afficheEtat_();
}

QStringList ServerView::getConnexions() const
{
    QStringList liste;
    for (int i = 0; i < connexions_->count(); ++i)
        liste << connexions_->item(i)->text();
    return liste;
}

void ServerView::afficheEtat_()
{
    const ZB_ServerSocket* s = serveur_.data();
    const int etat = s != nullptr ? s->getEtat() : ZB_ServerSocket::Arrete;
    QString texte;
    switch (etat) {
    case ZB_ServerSocket::Arrete:
        texte = tr("Serveur arrêté");
        break;
    case ZB_ServerSocket::AttenteJoueurs:
    case ZB_ServerSocket::AttenteDemarrageAuto:
        texte = tr("En attente de joueurs (%1 connecté(s))").arg(connexions_->count());
        break;
    case ZB_ServerSocket::CompletAvantDepart:
        texte = tr("Complet, prêt à démarrer");
        break;
    default:
        texte = tr("Partie en cours");
        break;
    }
    etat_->setText(texte);
    demarrer_->setEnabled(etat >= ZB_ServerSocket::AttenteJoueurs && etat <= ZB_ServerSocket::CompletAvantDepart);
    nom_->setEnabled(demarrer_->isEnabled());
    arreter_->setEnabled(etat != ZB_ServerSocket::Arrete);
    // Seats are given while the game runs; the room says whether the seat
    // can be had.
    const bool placement =
        etat == ZB_ServerSeatingA::EnCoursAvecPlacesLibres || etat == ZB_ServerSeatingA::EnCoursComplet;
    table_->setMaximum(s != nullptr ? std::max(s->getNombreDeTables() - 1, 0) : 0);
    table_->setEnabled(placement);
    siege_->setEnabled(placement);
    placer_->setEnabled(placement && connexions_->currentItem() != nullptr);
    retirer_->setEnabled(etat != ZB_ServerSocket::Arrete && connexions_->currentItem() != nullptr);
}

void ServerView::changeEvent(QEvent* event)
{
    if (event->type() == QEvent::LanguageChange)
        retranslateUi();
    GM_WidgetAuto::changeEvent(event);
}

void ServerView::retranslateUi()
{
    setWindowTitle(tr("Serveur de jeu"));
    labelNom_->setText(tr("Votre nom"));
    labelConnexions_->setText(tr("Joueurs connectés"));
    labelTable_->setText(tr("Table"));
    labelPlace_->setText(tr("Place"));
    // Renaming the items keeps the chosen seat.
    for (int i = 0; i < siege_->count(); ++i)
        siege_->setItemText(i, tr("Place %1").arg(siege_->itemData(i).toInt() + 1));
    placer_->setText(tr("Placer le joueur"));
    retirer_->setText(tr("Retirer le joueur"));
    labelJournal_->setText(tr("Journal du serveur"));
    demarrer_->setText(tr("Démarrer la partie"));
    arreter_->setText(tr("Arrêter le serveur"));
    fermer_->setText(tr("Fermer"));
    afficheAdresses_();
    // The log keeps its lines as they were written.
    afficheEtat_();
}
