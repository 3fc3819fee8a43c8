#include "ZB_LobbyServer.h"

#include "GM_BasseLatence.h"
#include "GM_LobbyFrame.h"
#include "GM_SocketEvent.h"

#include <QCoreApplication>
#include <QFile>
#include <QSslConfiguration>
#include <QSslSocket>
#include <QTimeZone>
#include <QWebSocket>
#include <QWebSocketServer>

namespace {

QByteArray litFichier(const char* chemin)
{
    QFile fichier(QString::fromLatin1(chemin));
    return fichier.open(QIODevice::ReadOnly) ? fichier.readAll() : QByteArray();
}

QPair<qint64, qint64> cle(qint64 a, qint64 b)
{
    return a < b ? qMakePair(a, b) : qMakePair(b, a);
}

} // namespace

ZB_LobbyServer::ZB_LobbyServer(QObject* parent)
    : QObject(parent)
{
    GM_SocketEvent::buildEventTable();
}

ZB_LobbyServer::~ZB_LobbyServer()
{
    arrete();
}

void ZB_LobbyServer::setCertificat(const QSslCertificate& certificat, const QSslKey& cle)
{
    certificat_ = certificat;
    cle_ = cle;
}

bool ZB_LobbyServer::ecoute(const QHostAddress& adresse, quint16 portWs, quint16 portWss, bool tls)
{
    arrete();
    adresse_ = adresse;
    serveur_ = new QWebSocketServer(QStringLiteral("zubrik-lobby"), QWebSocketServer::NonSecureMode, this);
    connect(serveur_, &QWebSocketServer::newConnection, this, [this] { accepte_(serveur_); });
    if (!serveur_->listen(adresse, portWs)) {
        qWarning().noquote() << "ZB_LobbyServer: cannot listen on port" << portWs << serveur_->errorString();
        return false;
    }
    if (!tls)
        return true;
    if (certificat_.isNull() || cle_.isNull()) {
        certificat_ = QSslCertificate(litFichier(RessourceCertificat), QSsl::Pem);
        cle_ = QSslKey(litFichier(RessourceCle), QSsl::Rsa, QSsl::Pem, QSsl::PrivateKey);
    }
    if (!QSslSocket::supportsSsl() || certificat_.isNull() || cle_.isNull()) {
        qWarning() << "ZB_LobbyServer: no TLS (no certificate and key, or no TLS backend)";
        return false;
    }
    serveurTls_ = new QWebSocketServer(QStringLiteral("zubrik-lobby"), QWebSocketServer::SecureMode, this);
    QSslConfiguration configuration = QSslConfiguration::defaultConfiguration();
    configuration.setPeerVerifyMode(QSslSocket::VerifyNone);
    configuration.setLocalCertificate(certificat_);
    configuration.setPrivateKey(cle_);
    serveurTls_->setSslConfiguration(configuration);
    connect(serveurTls_, &QWebSocketServer::newConnection, this, [this] { accepte_(serveurTls_); });
    if (!serveurTls_->listen(adresse, portWss)) {
        qWarning().noquote() << "ZB_LobbyServer: cannot listen on port" << portWss << serveurTls_->errorString();
        return false;
    }
    return true;
}

quint16 ZB_LobbyServer::portWs() const
{
    return serveur_ != nullptr ? serveur_->serverPort() : 0;
}

quint16 ZB_LobbyServer::portWss() const
{
    return serveurTls_ != nullptr ? serveurTls_->serverPort() : 0;
}

QString ZB_LobbyServer::adresse(bool unsecure) const
{
    const QString hote = adresse_.protocol() == QAbstractSocket::IPv6Protocol
                             ? QStringLiteral("[%1]").arg(adresse_.toString())
                             : adresse_.toString();
    return QStringLiteral("%1:%2").arg(hote).arg(unsecure ? portWs() : portWss());
}

void ZB_LobbyServer::arrete()
{
    const QList<QWebSocket*> sockets = connexions_.keys();
    for (QWebSocket* socket : sockets) {
        socket->disconnect(this);
        socket->abort();
        delete connexions_.take(socket);
        socket->deleteLater();
    }
    ponts_.clear();
    delete serveur_;
    serveur_ = nullptr;
    delete serveurTls_;
    serveurTls_ = nullptr;
}

qint64 ZB_LobbyServer::ajouteCompte(const QString& email, const QString& motDePasse, const QString& pseudo,
                                   bool bloque)
{
    Compte compte{email.toLower(), motDePasse, pseudo, prochainId_++, bloque};
    comptes_.insert(compte.email, compte);
    return compte.id;
}

const ZB_LobbyServer::Compte* ZB_LobbyServer::compte(const QString& email) const
{
    auto it = comptes_.constFind(email.toLower());
    return it == comptes_.constEnd() ? nullptr : &it.value();
}

void ZB_LobbyServer::setAdresseServeur(const QString& id, const QString& motDePasse, const QStringList& reponse)
{
    adressesServeurs_.insert(id, {motDePasse, reponse});
}

QList<ZB_LobbyServer::Recu> ZB_LobbyServer::recusDe(const QByteArray& mot) const
{
    QList<Recu> liste;
    for (const Recu& recu : recus_)
        if (recu.mot == mot)
            liste << recu;
    return liste;
}

bool ZB_LobbyServer::estConnecte(qint64 userId) const
{
    return socketDe_(userId) != nullptr;
}

QWebSocket* ZB_LobbyServer::socketDe_(qint64 userId) const
{
    for (auto it = connexions_.constBegin(); it != connexions_.constEnd(); ++it)
        if (it.value()->userId == userId && userId >= 0)
            return it.key();
    return nullptr;
}

void ZB_LobbyServer::accepte_(QWebSocketServer* serveur)
{
    while (QWebSocket* socket = serveur->nextPendingConnection()) {
        socket->setParent(this);
        socket->setMaxAllowedIncomingMessageSize(quint64(GM_LobbyFrame::TailleMax));
        GM_BasseLatence::appliqueAccepte(serveur, socket);
        auto* connexion = new Connexion;
        connexion->socket = socket;
        connexions_.insert(socket, connexion);
        connect(socket, &QWebSocket::binaryMessageReceived, this,
                [this, socket](const QByteArray& message) { recoit_(socket, message); });
        connect(socket, &QWebSocket::disconnected, this, [this, socket] { fin_(socket); });
    }
}

void ZB_LobbyServer::recoit_(QWebSocket* socket, const QByteArray& message)
{
    Connexion* connexion = connexions_.value(socket);
    if (connexion == nullptr)
        return;
    connexion->lecteur.ajoute(message);
    for (;;) {
        GM_LobbyReader::Enregistrement record;
        const GM_LobbyReader::Resultat resultat = connexion->lecteur.prochain(record);
        if (resultat == GM_LobbyReader::Aucun)
            return;
        if (resultat == GM_LobbyReader::TropGrand) {
            ++rejets_;
            qWarning() << "ZB_LobbyServer: oversized input, connection closed";
            socket->close(QWebSocketProtocol::CloseCodeTooMuchData);
            return;
        }
        if (resultat != GM_LobbyReader::Record) {
            ++rejets_;
            qWarning() << "ZB_LobbyServer: record dropped:" << GM_LobbyReader::nomResultat(resultat);
            continue;
        }
        traite_(*connexion, record);
        // The record may have closed the connection.
        if (!connexions_.contains(socket) || socket->state() != QAbstractSocket::ConnectedState)
            return;
    }
}

void ZB_LobbyServer::traite_(Connexion& connexion, const GM_LobbyReader::Enregistrement& record)
{
    bool connu = false;
    for (const GM_SocketEvent::Ligne& ligne : GM_SocketEvent::table())
        if (ligne.sens == GM_SocketEvent::Envoi && ligne.mot == record.mot && ligne.accepteChamps(record.champs.size()))
            connu = true;
    if (!connu) {
        ++rejets_;
        qWarning() << "ZB_LobbyServer: record" << record.mot << "with" << record.champs.size() << "fields dropped";
        return;
    }
    recus_.append({connexion.userId, record.mot, record.champs});
    emit signalRecu(connexion.userId, record.mot);
    if (muet_)
        return;
    // A request it chose to lose: recorded, never answered.
    if (connexion.userId >= 0 && ignores_.value(record.mot) > 0) {
        --ignores_[record.mot];
        return;
    }
    if (connexion.userId < 0)
        traiteLogin_(connexion, record.mot, record.champs);
    else
        traiteSession_(connexion, record.mot, record.champs);
}

void ZB_LobbyServer::traiteLogin_(Connexion& connexion, const QByteArray& mot, const QStringList& champs)
{
    QWebSocket* socket = connexion.socket;
    const QString email = champs.value(0).toLower();
    auto it = comptes_.find(email);
    if (mot == "Lgn") {
        if (!versionMinimale_.isNull() && QVersionNumber::fromString(champs.at(2)) < versionMinimale_) {
            refuse_(socket, "Upd", {versionMinimale_.toString()});
            return;
        }
        if (it == comptes_.end() || it->motDePasse != champs.at(1)) {
            refuse_(socket, "Lno", {QStringLiteral("Adresse email ou mot de passe incorrect.")});
            return;
        }
        if (it->bloque) {
            refuse_(socket, "Llk", {QStringLiteral("Ce compte est bloqué.")});
            return;
        }
        // One session per account: the older one is told and closed.
        if (QWebSocket* ancien = socketDe_(it->id))
            refuse_(ancien, "Bye", {QStringLiteral("Vous vous êtes connecté depuis un autre endroit.")});
        connexion.userId = it->id;
        envoieA_(socket, "Lok", {QString::number(it->id), it->pseudo});
        emit signalSession(it->id);
    } else if (mot == "Nac") {
        if (it != comptes_.end()) {
            refuse_(socket, "Nac", {QStringLiteral("1"), QStringLiteral("Cette adresse email a déjà un compte.")});
            return;
        }
        ajouteCompte(email, champs.at(1), champs.at(2));
        refuse_(socket, "Nac", {QStringLiteral("0"), QString()});
    } else if (mot == "Rpw") {
        refuse_(socket, "Rpw", {it != comptes_.end() ? QStringLiteral("0") : QStringLiteral("1"), QString()});
    } else {
        ++rejets_;
        qWarning() << "ZB_LobbyServer: record" << mot << "before login dropped";
    }
}

void ZB_LobbyServer::traiteSession_(Connexion& connexion, const QByteArray& mot, const QStringList& champs)
{
    QWebSocket* socket = connexion.socket;
    const qint64 moi = connexion.userId;
    if (traiteClassement_(connexion, mot))
        return;
    if (mot == "Kal") {
        envoieA_(socket, "Kal", {});
    } else if (mot == "R7k") {
        envoieA_(socket, "R7k", QStringList{QString::number(moi)} + reponses_.value(mot));
    } else if (mot == "SA1") {
        auto it = adressesServeurs_.constFind(champs.at(0));
        if (it != adressesServeurs_.constEnd() && it->first == champs.at(1))
            envoieA_(socket, "SA1", it->second);
        else
            envoieA_(socket, "SA1",
                     {QString(), QStringLiteral("0"), QString::number(moi), QStringLiteral("0"), QStringLiteral("0"),
                      QStringLiteral("-1"), QStringLiteral("0")});
    } else if (mot == "Fr4" || mot == "A4E") {
        traiteChat_(connexion, mot, champs);
    } else if (mot == "pCH" || mot == "Dld" || mot == "Dli") {
        traiteCompte_(connexion, mot, champs);
    } else if (mot == "Brs") {
        bool ok = false;
        const qint64 cible = champs.at(0).toLongLong(&ok);
        if (QWebSocket* autre = ok ? socketDe_(cible) : nullptr)
            envoieA_(autre, "Brs", {QString::number(moi), QString::number(cible), champs.at(1)});
    } else if ((mot == "Fhr" && !reponses_.contains(mot)) || mot == "F9n" || mot == "Blw" || mot == "Bkv") {
        traiteAmis_(connexion, mot, champs);
    } else if (mot == "hTr") {
        // A private invitation: the inviting user hosts, and each invited
        // user online is bridged to it at once (no one is asked).
        for (const QString& champ : champs) {
            bool ok = false;
            const qint64 invite = champ.toLongLong(&ok);
            if (ok && invite != moi)
                ouvrePont(moi, invite);
        }
    } else if (mot == "Cul") {
        const qint64 de = champs.at(0).toLongLong();
        const qint64 vers = champs.at(1).toLongLong();
        if (de == -1 && vers == -1) {
            const QSet<QPair<qint64, qint64>> ponts = ponts_;
            for (const QPair<qint64, qint64>& pont : ponts)
                if (pont.first == moi || pont.second == moi)
                    fermePont_(moi, pont.first == moi ? pont.second : pont.first);
        } else {
            fermePont_(moi, de == moi ? vers : de);
        }
    } else if (GM_SocketEvent::trouveLigne(GM_SocketEvent::Idle, mot, GM_SocketEvent::Envoi) != nullptr
               && GM_SocketEvent::trouveLigne(GM_SocketEvent::Idle, mot, GM_SocketEvent::Envoi)->aUneReponse()) {
        envoieA_(socket, mot, reponses_.value(mot));
    }
    // Everything else has no answer: it is only recorded.
}

// --- Chat ------------------------------------------------------------------------------

void ZB_LobbyServer::ajouteLigneChat(int canal, const QString& ligne)
{
    ajouteAuSalon_(canal, -1, ligne);
}

QStringList ZB_LobbyServer::salonChat(int canal) const
{
    QStringList lignes;
    for (const LigneChat& ligne : salons_.value(canal))
        lignes << ligne.texte;
    return lignes;
}

void ZB_LobbyServer::ajouteAuSalon_(int canal, qint64 auteur, const QString& texte)
{
    if (canal < 0 || canal >= CanauxChat)
        return;
    QList<LigneChat>& salon = salons_[canal];
    salon.append({prochaineLigne_++, auteur, texte});
    if (salon.size() > LignesParSalon)
        salon.remove(0, salon.size() - LignesParSalon);
}

void ZB_LobbyServer::traiteChat_(Connexion& connexion, const QByteArray& mot, const QStringList& champs)
{
    bool ok = false;
    const int canal = champs.at(0).toInt(&ok);
    if (mot == "A4E") {
        // A line of the user's goes to the room as the others see it; the
        // program shows its own echo.
        if (!ok || canal < 0 || canal >= CanauxChat || champs.at(1).trimmed().isEmpty())
            return;
        const Compte* auteur = nullptr;
        for (const Compte& compte : std::as_const(comptes_))
            if (compte.id == connexion.userId)
                auteur = &compte;
        const QString nom = auteur != nullptr ? auteur->pseudo : QString::number(connexion.userId);
        ajouteAuSalon_(canal, connexion.userId,
                       QStringLiteral("<%1> %2\r\n").arg(nom, champs.at(1).left(LongueurLigneChat)));
        return;
    }
    if (reponses_.contains(mot)) {
        envoieA_(connexion.socket, mot, reponses_.value(mot));
        return;
    }
    QStringList reponse{champs.at(0)};
    if (ok && canal == CanalAnnonces) {
        if (!connexion.annoncesLues)
            reponse << annonces_;
        connexion.annoncesLues = true;
    } else if (ok && canal >= 0 && canal < CanauxChat) {
        // A session's first poll gets the room's latest lines, then only
        // what others wrote since.
        const QList<LigneChat>& salon = salons_.value(canal);
        const auto lu = connexion.chatLu.constFind(canal);
        const qsizetype debut = lu != connexion.chatLu.cend() ? 0 : qMax<qsizetype>(0, salon.size() - HistoriqueChat);
        for (qsizetype i = debut; i < salon.size(); ++i) {
            const LigneChat& ligne = salon.at(i);
            if ((lu == connexion.chatLu.cend() || ligne.numero > lu.value()) && ligne.auteur != connexion.userId)
                reponse << ligne.texte;
        }
        connexion.chatLu.insert(canal, salon.isEmpty() ? 0 : salon.constLast().numero);
    }
    envoieA_(connexion.socket, mot, reponse);
}

// --- Account --------------------------------------------------------------------------------

void ZB_LobbyServer::traiteCompte_(Connexion& connexion, const QByteArray& mot, const QStringList& champs)
{
    static const QString Fait = QStringLiteral("0");
    static const QString Refus = QStringLiteral("1");
    static const QString Panne = QStringLiteral("2");
    const qint64 moi = connexion.userId;
    if (reponses_.contains(mot)) {
        envoieA_(connexion.socket, mot, reponses_.value(mot));
    } else if (mot == "pCH") {
        bool change = false;
        for (Compte& compte : comptes_)
            if (compte.id == moi && compte.motDePasse == champs.at(0)) {
                compte.motDePasse = champs.at(1);
                change = true;
            }
        envoieA_(connexion.socket, mot, {change ? Fait : Refus});
    } else {
        // Data once a week, one deletion at a time: a second request is
        // refused, whether the first was done or not.
        QSet<qint64>& demandes = mot == "Dld" ? donneesDemandees_ : suppressionsDemandees_;
        const QString code = courrielEnPanne_ ? Panne : demandes.contains(moi) ? Refus : Fait;
        if (code == Fait)
            demandes.insert(moi);
        envoieA_(connexion.socket, mot, {code});
    }
}

void ZB_LobbyServer::fermePont_(qint64 de, qint64 vers)
{
    if (!ponts_.remove(cle(de, vers)))
        return;
    if (QWebSocket* autre = socketDe_(vers))
        envoieA_(autre, "Cul", {QString::number(de), QString::number(vers)});
}

bool ZB_LobbyServer::ouvrePont(qint64 userA, qint64 userB)
{
    QWebSocket* a = socketDe_(userA);
    QWebSocket* b = socketDe_(userB);
    if (a == nullptr || b == nullptr || userA == userB)
        return false;
    ponts_.insert(cle(userA, userB));
    envoieA_(b, "Bro", {QString::number(userA), QString::number(userB)});
    envoieA_(a, "Bro", {QString::number(userB), QString::number(userA)});
    return true;
}

bool ZB_LobbyServer::envoie(qint64 userId, const QByteArray& mot, const QStringList& champs)
{
    QWebSocket* socket = socketDe_(userId);
    if (socket == nullptr)
        return false;
    envoieA_(socket, mot, champs);
    return true;
}

bool ZB_LobbyServer::envoieBrut(qint64 userId, const QList<QByteArray>& messages)
{
    QWebSocket* socket = socketDe_(userId);
    if (socket == nullptr)
        return false;
    for (const QByteArray& message : messages)
        socket->sendBinaryMessage(message);
    return true;
}

void ZB_LobbyServer::coupe(qint64 userId)
{
    if (QWebSocket* socket = socketDe_(userId))
        socket->abort();
}

void ZB_LobbyServer::envoieA_(QWebSocket* socket, const QByteArray& mot, const QStringList& champs)
{
    socket->sendBinaryMessage(GM_LobbyFrame::record(mot, champs));
}

void ZB_LobbyServer::refuse_(QWebSocket* socket, const QByteArray& mot, const QStringList& champs)
{
    envoieA_(socket, mot, champs);
    if (Connexion* connexion = connexions_.value(socket))
        connexion->userId = -1;
    socket->close(QWebSocketProtocol::CloseCodeNormal);
}

void ZB_LobbyServer::fin_(QWebSocket* socket)
{
    Connexion* connexion = connexions_.take(socket);
    if (connexion == nullptr)
        return;
    const qint64 userId = connexion->userId;
    delete connexion;
    socket->deleteLater();
    if (userId >= 0) {
        const QSet<QPair<qint64, qint64>> ponts = ponts_;
        for (const QPair<qint64, qint64>& pont : ponts)
            if (pont.first == userId || pont.second == userId)
                fermePont_(userId, pont.first == userId ? pont.second : pont.first);
    }
    emit signalFinConnexion(userId);
}

// --- Friends -------------------------------------------------------------------------

void ZB_LobbyServer::traiteAmis_(Connexion& connexion, const QByteArray& mot, const QStringList& champs)
{
    const qint64 moi = connexion.userId;
    bool ok = false;
    // "F9n" names the asking user, then the friend; the others carry the
    // friend's whole line of the list, whose second field is the id.
    const QString champ = champs.value(mot == "F9n" ? 1 : 0);
    const qint64 autre = (champ.contains(QLatin1Char(',')) ? champ.section(QLatin1Char(','), 1, 1) : champ)
                             .toLongLong(&ok);
    if (mot == "F9n") {
        if (ok && autre != moi && !amities_.contains(cle(moi, autre)) && compteDe_(autre) != nullptr)
            amities_.insert(cle(moi, autre), {moi, false});
    } else if (mot == "Blw") {
        auto it = amities_.find(cle(moi, autre));
        if (ok && it != amities_.end() && it->demandeur == autre)
            it->acceptee = true;
    } else if (mot == "Bkv") {
        if (ok)
            amities_.remove(cle(moi, autre));
    } else {
        envoieA_(connexion.socket, "Fhr", listeDAmis_(moi));
    }
}

QStringList ZB_LobbyServer::listeDAmis_(qint64 userId) const
{
    QStringList lignes;
    for (auto it = amities_.constBegin(); it != amities_.constEnd(); ++it) {
        if (it.key().first != userId && it.key().second != userId)
            continue;
        const qint64 ami = it.key().first == userId ? it.key().second : it.key().first;
        const Compte* compte = compteDe_(ami);
        if (compte == nullptr)
            continue;
        const int statut = it->acceptee ? (estConnecte(ami) ? StatutEnLigne : StatutHorsLigne)
                         : it->demandeur == userId ? StatutAConfirmerPar
                                                   : StatutAConfirmer;
        lignes << QStringLiteral("%1,%2,%3,%2").arg(statut).arg(ami).arg(compte->pseudo);
    }
    return lignes;
}

const ZB_LobbyServer::Compte* ZB_LobbyServer::compteDe_(qint64 userId) const
{
    for (const Compte& compte : comptes_)
        if (compte.id == userId)
            return &compte;
    return nullptr;
}

// --- Rankings, statistics and titles ----------------------------------------------------

namespace {
// The lobby's date of a title, in UTC.
constexpr const char* FormatDateTitre = "yyyy-MM-dd hh:mm:ss";
constexpr int NombreCompteursDemo = 21;
int familleDe(int famille)
{
    return famille == 0 ? 0 : 1;
}
} // namespace

void ZB_LobbyServer::setClassement(int famille, const QStringList& lignes)
{
    classements_.insert(familleDe(famille), lignes);
}

void ZB_LobbyServer::setStatistiques(qint64 userId, int famille, const QStringList& champs)
{
    statistiques_.insert({userId, familleDe(famille)}, champs);
}

void ZB_LobbyServer::ajouteTitre(qint64 userId, int numero, const QDateTime& quand)
{
    titres_[userId].append({numero, quand.toUTC()});
    if (QWebSocket* socket = socketDe_(userId))
        envoieA_(socket, "Acv", {QString::number(numero)});
}

QStringList ZB_LobbyServer::titres(qint64 userId) const
{
    QStringList entrees;
    for (const Titre& titre : titres_.value(userId))
        entrees << QStringLiteral("%1,%2").arg(titre.numero).arg(
            titre.quand.toString(QString::fromLatin1(FormatDateTitre)));
    return entrees;
}

bool ZB_LobbyServer::traiteClassement_(Connexion& connexion, const QByteArray& mot)
{
    const qint64 moi = connexion.userId;
    if (mot == "R7t" || mot == "R6t") {
        const int famille = mot == "R7t" ? 0 : 1;
        if (!classements_.contains(famille))
            return false;
        envoieA_(connexion.socket, mot, classements_.value(famille));
        return true;
    }
    if (mot == "H2q" || mot == "H3q") {
        const QPair<qint64, int> qui{moi, mot == "H2q" ? 0 : 1};
        if (!statistiques_.contains(qui))
            return false;
        envoieA_(connexion.socket, mot, statistiques_.value(qui));
        return true;
    }
    if (mot == "Awq") {
        if (!titres_.contains(moi))
            return false;
        envoieA_(connexion.socket, mot, titres(moi));
        return true;
    }
    return false;
}

void ZB_LobbyServer::ajouteDemoClassements()
{
    setClassement(0, {QStringLiteral("1,Anna,412,251,38210"), QStringLiteral("2,Ben,388,214,35122"),
                      QStringLiteral("3,Cleo,120,71,11980"), QStringLiteral("4,Dora,97,40,8851"),
                      QStringLiteral("5,Emil,33,12,2790")});
    setClassement(1, {QStringLiteral("1,Fred,230,140,120450"), QStringLiteral("2,Gina,198,96,99870"),
                      QStringLiteral("3,Hugo,45,20,21004")});
    const QStringList jass{
        QStringLiteral("152,0.54,87,81,21,1368,23560,3950,170,310,41,9,3,2,4,5,1,6,0,2,1"),
        QStringLiteral(" , , , , ,9.0,155.0,26.0,1.1,2.0,0.27,0.06,0.02,0.01,0.03,0.03,0.01,0.04,0,0.01,0.01"),
        QStringLiteral(" , , , , ,9,157,420,2,4,2,1,1,1,1,1,1,1,0,1,1"),
        QStringLiteral(" ,0.5, ,0.48, ,9.0,152.2,22.9,1.0,1.8,0.22,0.05,0.02,0.02,0.02,0.02,0.02,0.02,0.02,0.02,0.02"),
        QStringLiteral(" , , , , ,9,157,540,2,5,3,1,1,1,1,1,1,1,1,1,1")};
    // Totals only: " " is the lobby's "no value".
    const QString aucune = QStringList(NombreCompteursDemo, QStringLiteral(" ")).join(QLatin1Char(','));
    const QStringList belote{QStringLiteral("40,0.49,12,19,5,320,6100,980,31,12,3,1,0,0,0,0,0,0,0,0,0"), aucune,
                             aucune, aucune, aucune};
    const QDateTime depuis(QDate(2026, 11, 2), QTime(19, 30), QTimeZone::utc());
    for (const Compte& compte : std::as_const(comptes_)) {
        setStatistiques(compte.id, 0, jass);
        setStatistiques(compte.id, 1, belote);
        int jour = 0;
        for (const int numero : {7000000, 5000000, 5200001, 6000000, 400004, 4300000, 5400006})
            ajouteTitre(compte.id, numero, depuis.addDays(jour++));
    }
}
