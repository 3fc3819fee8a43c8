#include "GM_ClientSocket.h"

#include "GM_BasseLatence.h"
#include "GM_ClientSocketJournal.h"
#include "GM_FichierRegulier.h"
#include "GM_SocketWeb.h"
#include "GM_TexteDuLobby.h"

#include <QCoreApplication>
#include <QMutexLocker>
#include <QFile>
#include <QSslConfiguration>

// GM_ClientSocket: construction, the lobby's address, the session from its
// opening through the handshake to its end and the quiet logins after a
// loss, progress and boxes. The out-queue and requests are in
// GM_ClientSocketEnvoi.cpp, the intake in GM_ClientSocketReception.cpp.

namespace GM_ClientSocketJournal {

Q_LOGGING_CATEGORY(lcLobby, "zubrik.lobby")

} // namespace GM_ClientSocketJournal

using namespace GM_ClientSocketJournal;

namespace {

constexpr int ProgressionDebut = 10;
constexpr int ProgressionIdentification = 50;
constexpr int ProgressionDeconnexion = 25;

} // namespace

GM_ClientSocket::GM_ClientSocket(const QString& serverName, QObject* parent, GM_ProgressA* progress,
                                 GM_MessageBoxDisplayerA* displayer)
    : QWebSocket(QString(), QWebSocketProtocol::Version13, parent)
    , progress_(progress)
    , serverName_(serverName)
{
    setMessageBoxDisplayer(displayer);
    if (progress_ != nullptr)
        progress_->setCancelCallback(this);
    init_();
}

GM_ClientSocket::GM_ClientSocket(bool unsecure, QObject* parent)
    : QWebSocket(QString(), QWebSocketProtocol::Version13, parent)
    , unsecure_(unsecure)
{
    init_();
}

GM_ClientSocket::~GM_ClientSocket()
{
    // The socket's own teardown still emits: it must not reach a client
    // that is half gone.
    disconnect(this, nullptr, this, nullptr);
    sessionActive_ = false;
    if (progress_ != nullptr)
        progress_->setCancelCallback(nullptr);
}

void GM_ClientSocket::init_()
{
    GM_SocketEvent::buildEventTable();
    setMaxAllowedIncomingMessageSize(quint64(GM_LobbyFrame::TailleMax));
    setMaxAllowedIncomingFrameSize(quint64(GM_LobbyFrame::TailleMax));
    // The hosting certificate every copy carries is no proof of a lobby:
    // only the system's authorities, or a lobby certificate named on purpose.
    const QSslCertificate nomme = certificatNomme();
    if (!nomme.isNull())
        ignoreSslErrors(GM_SocketWeb::erreursTolerees(nomme, false));
    GM_BasseLatence::applique(this);
    connect(this, &QWebSocket::connected, this, &GM_ClientSocket::onConnected_);
    connect(this, &QWebSocket::stateChanged, this, &GM_ClientSocket::onStateChanged_);
    connect(this, &QWebSocket::binaryMessageReceived, this, &GM_ClientSocket::OnLobbyMessage);
    connect(this, qOverload<QAbstractSocket::SocketError>(&QWebSocket::error), this, &GM_ClientSocket::onError);
    connect(this, &QWebSocket::sslErrors, this, &GM_ClientSocket::onSslErrors_);

    timerEnvoi_.setSingleShot(true);
    // The pacing is a floor: a coarse timer could fire early.
    timerEnvoi_.setTimerType(Qt::PreciseTimer);
    connect(&timerEnvoi_, &QTimer::timeout, this, &GM_ClientSocket::envoieSuivant_);
    connect(&timerKeepAlive_, &QTimer::timeout, this, &GM_ClientSocket::keepAlive_);
    timerSilence_.setSingleShot(true);
    connect(&timerSilence_, &QTimer::timeout, this, &GM_ClientSocket::silence_);
    timerRelance_.setSingleShot(true);
    connect(&timerRelance_, &QTimer::timeout, this, &GM_ClientSocket::relance_);
    timerReponse_.setSingleShot(true);
    connect(&timerReponse_, &QTimer::timeout, this, &GM_ClientSocket::reponseAbsente_);
    timerFermeture_.setSingleShot(true);
    connect(&timerFermeture_, &QTimer::timeout, this, [this] {
        if (state() != QAbstractSocket::UnconnectedState)
            abort();
        else
            termine_();
    });
    setDelais(delais_);
}

void GM_ClientSocket::setDelais(const Delais& delais)
{
    delais_ = delais;
    timerKeepAlive_.setInterval(delais_.keepAliveMs);
    timerSilence_.setInterval(delais_.silenceMaxMs);
}

bool GM_ClientSocket::isConnectedToLobby() const
{
    return etat_ != GM_SocketEvent::Init && isValid() && state() != QAbstractSocket::UnconnectedState;
}

// --- The lobby's address --------------------------------------------------

bool GM_ClientSocket::litAdresse(const QString& texte, QString& hote, quint16& port)
{
    const QString t = texte.trimmed();
    QString h;
    QString p;
    if (t.startsWith(QLatin1Char('['))) {
        const qsizetype fin = t.indexOf(QLatin1String("]:"));
        if (fin < 0)
            return false;
        h = t.mid(1, fin - 1);
        p = t.mid(fin + 2);
    } else {
        const qsizetype i = t.lastIndexOf(QLatin1Char(':'));
        if (i <= 0)
            return false;
        h = t.left(i);
        p = t.mid(i + 1);
        if (h.contains(QLatin1Char(':')))
            return false;
    }
    bool ok = false;
    const uint numero = p.toUInt(&ok);
    if (!ok || numero == 0 || numero > 65535 || h.isEmpty())
        return false;
    QUrl url;
    url.setScheme(QStringLiteral("ws"));
    url.setHost(h, QUrl::StrictMode);
    if (!url.isValid() || url.host().isEmpty())
        return false;
    hote = url.host();
    port = quint16(numero);
    return true;
}

QSslCertificate GM_ClientSocket::certificatNomme()
{
    const QString chemin = qEnvironmentVariable(VariableCertificat);
    if (chemin.trimmed().isEmpty())
        return QSslCertificate();
    // Named by the user, so read through a link; a pipe would hold the login
    // in open().
    QFile fichier;
    QList<QSslCertificate> certificats;
    if (GM_FichierRegulier::ouvreEnLecture(fichier, chemin.trimmed(), GM_FichierRegulier::SuitLesLiens)
        && fichier.size() < (1 << 20))
        certificats = QSslCertificate::fromData(fichier.read(1 << 20), QSsl::Pem);
    if (certificats.isEmpty()) {
        lobbyWarning().noquote() << QStringLiteral("%1 names no PEM certificate; only the system's authorities are trusted")
                                            .arg(QLatin1String(VariableCertificat));
        return QSslCertificate();
    }
    return certificats.first();
}

QUrl GM_ClientSocket::lobbyUrl(bool unsecure) const
{
    QString hote = serverName_.isEmpty() ? QString::fromLatin1(ServeurParDefaut) : serverName_;
    quint16 port = unsecure ? PortUnsecure : PortSecure;
    const QString variable = qEnvironmentVariable(VariableAdresse);
    if (!variable.trimmed().isEmpty()) {
        QString h;
        quint16 p = 0;
        if (litAdresse(variable, h, p)) {
            hote = h;
            port = p;
        } else {
            lobbyWarning().noquote() << QStringLiteral("%1 is not host:port; the lobby's own address is used")
                                                .arg(QLatin1String(VariableAdresse));
        }
    }
    QUrl url;
    url.setScheme(unsecure ? QStringLiteral("ws") : QStringLiteral("wss"));
    url.setHost(hote);
    url.setPort(port);
    return url;
}

QString GM_ClientSocket::texteDeService(const QString& texte)
{
    QString sur = GM_TexteDuLobby::borne(texte, GM_TexteDuLobby::Boite).toHtmlEscaped();
    sur.replace(QLatin1String("\r\n"), QLatin1String("<br>"));
    sur.replace(QLatin1Char('\n'), QLatin1String("<br>"));
    return sur;
}

// --- Sessions ---------------------------------------------------------------

void GM_ClientSocket::connectForLogin(const QString& email, const QString& password, bool quiet, bool unsecure)
{
    email_ = email;
    motDePasse_ = password;
    pseudo_.clear();
    ouvre_(GM_SocketEvent::Login, quiet, unsecure, false);
}

void GM_ClientSocket::connectForCreateLogin(const QString& email, const QString& password, const QString& pseudo,
                                            bool unsecure)
{
    // A second click while the request runs changes nothing.
    if (etat_ == GM_SocketEvent::CreateLogin && sessionActive_)
        return;
    email_ = email;
    motDePasse_ = password;
    pseudo_ = pseudo;
    ouvre_(GM_SocketEvent::CreateLogin, false, unsecure, false);
}

void GM_ClientSocket::connectForResendPassword(const QString& email, bool unsecure)
{
    email_ = email;
    motDePasse_.clear();
    pseudo_.clear();
    ouvre_(GM_SocketEvent::ResendPassword, false, unsecure, false);
}

void GM_ClientSocket::ouvre_(int etat, bool quiet, bool unsecure, bool relance)
{
    abandonneSession_();
    if (!relance) {
        timerRelance_.stop();
        relances_ = 0;
        relanceEnCours_ = false;
    }
    quiet_ = quiet;
    unsecure_ = unsecure;
    etat_ = etat;
    sessionActive_ = true;
    sessionOuverte_ = false;
    fin_ = Perte;
    erreurConnexion_.clear();
    loginName_.clear();
    databaseUserId_ = -1;
    ++generation_;
    dernierEnvoi_.invalidate();
    if (!quiet_) {
        const char* texte = etat == GM_SocketEvent::CreateLogin      ? QT_TR_NOOP("Création du compte...")
                            : etat == GM_SocketEvent::ResendPassword ? QT_TR_NOOP("Demande du mot de passe...")
                                                                     : QT_TR_NOOP("Connexion au serveur du lobby...");
        afficheProgression_(tr(texte), ProgressionDebut);
        if (progress_ != nullptr) {
            progress_->show();
            progress_->activateWindow();
        }
    }
    // Also bounds a connection or a handshake that never finishes.
    timerSilence_.start();
    const QUrl url = lobbyUrl(unsecure);
    lobbyInfo().noquote() << "connecting to" << url.toString() << "in state" << etat;
    open(url);
    // A URL that cannot even be tried fails without a change of state.
    if (sessionActive_ && state() == QAbstractSocket::UnconnectedState) {
        const quint64 generation = generation_;
        QTimer::singleShot(0, this, [this, generation] {
            if (generation == generation_ && state() == QAbstractSocket::UnconnectedState)
                termine_();
        });
    }
}

void GM_ClientSocket::abandonneSession_()
{
    if (!sessionActive_) {
        if (state() != QAbstractSocket::UnconnectedState)
            abort();
        return;
    }
    // Everything termine_ does, but for what the end of a session tells the
    // user: a new one is starting.
    timerRelance_.stop();
    fin_ = Demandee;
    const bool quietAvant = quiet_;
    quiet_ = true;
    if (state() == QAbstractSocket::ConnectedState) {
        close(QWebSocketProtocol::CloseCodeNormal);
        flush();
    }
    abort();
    termine_();
    quiet_ = quietAvant;
}

void GM_ClientSocket::disconnectFromServer()
{
    timerRelance_.stop();
    relanceEnCours_ = false;
    relances_ = 0;
    if (!sessionActive_ || etat_ == GM_SocketEvent::Init || etat_ == GM_SocketEvent::Disconnecting)
        return;
    if (!quiet_)
        afficheProgression_(tr("Déconnection..."), ProgressionDeconnexion);
    const quint64 generation = generation_;
    QTimer::singleShot(0, this, [this, generation] {
        if (generation != generation_ || !sessionActive_)
            return;
        etat_ = GM_SocketEvent::Disconnecting;
        // What has no answer still goes out: statistics, penalties and
        // bridge closes would be lost otherwise.
        QList<QSharedPointer<GM_SocketEvent>> restants;
        {
            QMutexLocker verrou(&outQueueMutex_);
            restants.swap(outQueue_);
        }
        for (const QSharedPointer<GM_SocketEvent>& message : std::as_const(restants)) {
            if (message->ligne().aUneReponse())
                emit message->signalTransmitError(QAbstractSocket::OperationError);
            else
                envoie_(message);
        }
        ferme_(Demandee, QWebSocketProtocol::CloseCodeNormal);
    });
}

void GM_ClientSocket::cancel()
{
    timerRelance_.stop();
    relanceEnCours_ = false;
    relances_ = 0;
    cacheProgression_();
    if (!sessionActive_)
        return;
    fin_ = Annulee;
    abort();
    if (sessionActive_ && state() == QAbstractSocket::UnconnectedState)
        termine_();
}

void GM_ClientSocket::ferme_(Fin fin, QWebSocketProtocol::CloseCode code)
{
    fin_ = fin;
    if (state() == QAbstractSocket::UnconnectedState) {
        termine_();
        return;
    }
    close(code);
    timerFermeture_.start(delais_.fermetureMaxMs);
}

void GM_ClientSocket::onStateChanged_(QAbstractSocket::SocketState etat)
{
    if (etat == QAbstractSocket::UnconnectedState)
        termine_();
}

void GM_ClientSocket::termine_()
{
    if (!sessionActive_)
        return;
    sessionActive_ = false;
    ++generation_;
    timerEnvoi_.stop();
    timerKeepAlive_.stop();
    timerSilence_.stop();
    timerFermeture_.stop();
    timerReponse_.stop();
    const bool etaitOuverte = sessionOuverte_;
    sessionOuverte_ = false;
    etat_ = GM_SocketEvent::Init;
    lecteur_.vide();
    enAttente_.clear();
    QList<QSharedPointer<GM_SocketEvent>> perdus;
    {
        QMutexLocker verrou(&outQueueMutex_);
        perdus.swap(outQueue_);
    }
    for (const QSharedPointer<GM_SocketEvent>& message : std::as_const(perdus))
        emit message->signalTransmitError(QAbstractSocket::RemoteHostClosedError);
    // The lobby closed every bridge with the session.
    const QList<QPair<qint64, qint64>> ponts = ponts_.keys();
    ponts_.clear();
    pontsOuverts_ = 0;
    if (pontsRefuses_ > 0)
        lobbyWarning() << pontsRefuses_ << "bridges refused in the session, past" << PontsMax << "open";
    pontsRefuses_ = 0;
    ouverturesPonts_.clear();
    for (const QPair<qint64, qint64>& pont : ponts)
        emit signalReceiveBridgeClose(pont.first, pont.second);
    cacheProgression_();

    const Fin fin = fin_;
    lobbyInfo() << "session ended, reason" << int(fin) << (etaitOuverte ? "after login" : "before login");
    if (etaitOuverte)
        emit signalDisconnected();

    switch (fin) {
    case Perte:
        if (autoReconnect_ && (etaitOuverte || relanceEnCours_) && !email_.isEmpty() && !motDePasse_.isEmpty()) {
            if (relances_ < delais_.relancesMax) {
                relanceEnCours_ = true;
                const int delai = prochainDelaiRelanceMs();
                ++relances_;
                lobbyInfo() << "quiet login" << relances_ << "in" << delai << "ms";
                timerRelance_.start(delai);
                emit signalReconnecting(relances_, delais_.relancesMax, delai);
            } else {
                lobbyWarning() << "the lobby stays out of reach after" << relances_ << "quiet logins";
                const int essais = relances_;
                relanceEnCours_ = false;
                relances_ = 0;
                // The quiet tries are over: the user has to hear it, quiet
                // or not.
                boite_(tr("Serveur du lobby injoignable"),
                       tr("La connexion au serveur du lobby a été perdue et n'a pas pu être rétablie "
                          "(%1 tentatives).")
                           .arg(essais));
                emit signalHideProgressAndShowLogin();
            }
            return;
        }
        if (etaitOuverte) {
            // Lost for good at once (no automatic reconnection).
            boite_(tr("Connexion perdue"), tr("La connexion au serveur du lobby a été perdue."));
            emit signalHideProgressAndShowLogin();
        } else {
            if (!quiet_) {
                const QString detail = erreurConnexion_.isEmpty() ? errorString() : erreurConnexion_;
                boite_(tr("Serveur du lobby indisponible"),
                       tr("Impossible de joindre le serveur du lobby.<br>%1").arg(detail.toHtmlEscaped()));
            }
            emit signalHideProgressAndShowLogin();
        }
        break;
    case Annulee:
        if (!etaitOuverte)
            emit signalHideProgressAndShowLogin();
        break;
    case ErreurProtocole:
        if (!quiet_)
            boite_(tr("Erreur du lobby"),
                   tr("Le serveur du lobby a envoyé un message invalide; la connexion a été fermée."));
        if (!etaitOuverte)
            emit signalHideProgressAndShowLogin();
        break;
    case Demandee:
    case Refus:
        break;
    }
    relanceEnCours_ = false;
}

int GM_ClientSocket::prochainDelaiRelanceMs() const
{
    qint64 delai = delais_.relanceBaseMs;
    for (int i = 0; i < relances_ && delai < delais_.relanceMaxMs; ++i)
        delai *= 2;
    return int(qMin<qint64>(delai, delais_.relanceMaxMs));
}

void GM_ClientSocket::relance_()
{
    if (email_.isEmpty() || motDePasse_.isEmpty())
        return;
    ouvre_(GM_SocketEvent::Login, true, unsecure_, true);
}

void GM_ClientSocket::silence_()
{
    if (!sessionActive_)
        return;
    lobbyWarning() << "no word from the lobby for" << delais_.silenceMaxMs << "ms: connection lost";
    fin_ = Perte;
    erreurConnexion_ = tr("Le serveur ne répond pas.");
    abort();
    if (sessionActive_ && state() == QAbstractSocket::UnconnectedState)
        termine_();
}

void GM_ClientSocket::reponseAbsente_()
{
    if (!sessionActive_ || !sessionOuverte_ || etat_ == GM_SocketEvent::Idle
        || !GM_SocketEvent::estEtatDeSession(etat_))
        return;
    lobbyWarning() << "no answer to" << motAttendu_ << "in" << delais_.reponseMaxMs << "ms: request given up";
    etat_ = GM_SocketEvent::Idle;
    if (!delaiAffiche_ || !boiteEnAttente_(boiteDelai_)) {
        boiteDelai_ = boite_(tr("Pas de réponse du lobby"),
                             tr("Le serveur du lobby n'a pas répondu à une demande en %1 secondes; elle a été "
                                "abandonnée. Vous pouvez réessayer.")
                                 .arg(qMax(1, delais_.reponseMaxMs / 1000)));
        delaiAffiche_ = true;
    }
    QTimer::singleShot(0, this, &GM_ClientSocket::envoieSuivant_);
}

void GM_ClientSocket::demarreSessionSansSocket(int etat)
{
    abandonneSession_();
    sessionActive_ = true;
    sessionOuverte_ = GM_SocketEvent::estEtatDeSession(etat);
    etat_ = etat;
    fin_ = Perte;
    quiet_ = true;
    ++generation_;
}

void GM_ClientSocket::onConnected_()
{
    if (!sessionActive_) {
        // Opened by hand for the bridge: what waited goes out.
        const QList<QList<QByteArray>> records = enAttente_;
        enAttente_.clear();
        for (const QList<QByteArray>& record : records)
            envoieRecord(record);
        return;
    }
    timerSilence_.start();
    const QString version = QCoreApplication::applicationVersion();
    switch (etat_) {
    case GM_SocketEvent::Login:
        if (!quiet_)
            afficheProgression_(tr("Identification..."), ProgressionIdentification);
        envoieDirect_("Lgn", {email_, motDePasse_, version, QString::number(VersionProtocoleLobby)});
        break;
    case GM_SocketEvent::CreateLogin:
        afficheProgression_(tr("Création du compte..."), ProgressionIdentification);
        envoieDirect_("Nac", {email_, motDePasse_, pseudo_, version});
        break;
    case GM_SocketEvent::ResendPassword:
        afficheProgression_(tr("Demande du mot de passe..."), ProgressionIdentification);
        envoieDirect_("Rpw", {email_, version});
        break;
    default: break;
    }
}

void GM_ClientSocket::onError(QAbstractSocket::SocketError erreur)
{
    if (auto* message = qobject_cast<GM_SocketEvent*>(sender())) {
        lobbyWarning() << "message" << message->getWord() << "not sent, error" << erreur;
        return;
    }
    if (erreurConnexion_.isEmpty())
        erreurConnexion_ = errorString();
    lobbyWarning().noquote() << "lobby socket error" << erreur << errorString();
    if (sessionActive_ && state() == QAbstractSocket::UnconnectedState) {
        const quint64 generation = generation_;
        QTimer::singleShot(0, this, [this, generation] {
            if (generation == generation_ && state() == QAbstractSocket::UnconnectedState)
                termine_();
        });
    }
}

void GM_ClientSocket::onSslErrors_(const QList<QSslError>& erreurs)
{
    // Never ignored: the handshake fails, and the user is told why.
    QStringList textes;
    for (const QSslError& erreur : erreurs) {
        lobbyWarning().noquote() << "lobby TLS error:" << erreur.errorString();
        textes << erreur.errorString();
    }
    erreurConnexion_ = textes.join(QLatin1String("; "));
}

// --- Progress and boxes ------------------------------------------------------------

void GM_ClientSocket::afficheProgression_(const QString& texte, int valeur)
{
    if (progress_ != nullptr)
        progress_->setProgress(texte, valeur);
}

void GM_ClientSocket::cacheProgression_()
{
    if (progress_ != nullptr)
        progress_->hide();
}

uint GM_ClientSocket::boite_(const QString& titre, const QString& texte, GM::Icon icone)
{
    return messageBox(icone, titre, texte, GM::Ok);
}
