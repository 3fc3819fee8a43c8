#include "GM_SocketWeb.h"

#include "GM_BasseLatence.h"

#include <QDir>
#include <QFile>
#include <QSslConfiguration>
#include <QUrl>

GM_SocketWeb::GM_SocketWeb(bool unsecure, QObject* parent)
    : GM_SocketSurQt(new QWebSocket(QString(), QWebSocketProtocol::Version13), parent)
    , coteServeur_(false)
    , unsecure_(unsecure)
{
    if (!unsecure_) {
        // Every copy of the program carries the hosting key, so the key
        // proves nothing and nothing it signs is trusted: the client accepts
        // the program's own certificate itself, whatever address the host
        // was reached at, and any certificate the system trusts.
        const QSslCertificate propre = certificatAutorite();
        if (!propre.isNull()) {
            erreursAttendues_ = erreursTolerees(propre, true);
            socket_->ignoreSslErrors(erreursAttendues_);
        }
    }
    GM_BasseLatence::applique(socket_);
    connecteSignaux_();
}

GM_SocketWeb::GM_SocketWeb(QWebSocket* socket, bool unsecure, QObject* parent)
    : GM_SocketSurQt(socket != nullptr ? socket : new QWebSocket(QString(), QWebSocketProtocol::Version13), parent)
    , coteServeur_(true)
    , unsecure_(unsecure)
{
    socket_->setMaxAllowedIncomingMessageSize(TailleMessageMaxAccepte);
    socket_->setMaxAllowedIncomingFrameSize(TailleMessageMaxAccepte);
    connecteSignaux_();
}

GM_SocketWeb::~GM_SocketWeb() = default;

QList<QSslError> GM_SocketWeb::erreursTolerees(const QSslCertificate& certificat, bool adresseLibre)
{
    // Only errors that name this very certificate are ignored, so a chain
    // ending anywhere else still fails.
    QList<QSslError> erreurs{QSslError(QSslError::SelfSignedCertificate, certificat),
                             QSslError(QSslError::CertificateUntrusted, certificat)};
    if (adresseLibre)
        erreurs.append(QSslError(QSslError::HostNameMismatch, certificat));
    return erreurs;
}

QSslCertificate GM_SocketWeb::certificatAutorite()
{
    const QDir dossier(QString::fromLatin1(DossierCertificats));
    const QStringList noms =
        dossier.entryList({QStringLiteral("*.crt"), QStringLiteral("*.pem")}, QDir::Files, QDir::Name);
    for (const QString& nom : noms) {
        QFile fichier(dossier.filePath(nom));
        if (!fichier.open(QIODevice::ReadOnly))
            continue;
        const QList<QSslCertificate> certificats = QSslCertificate::fromData(fichier.readAll(), QSsl::Pem);
        if (!certificats.isEmpty())
            return certificats.first();
    }
    return QSslCertificate();
}

void GM_SocketWeb::connecteSignaux_()
{
    GM_SocketSurQt::connecteSignaux_([this] {
        connect(socket_, &QWebSocket::binaryMessageReceived, this, &GM_SocketWeb::onBinaryMessageReceived);
        connect(socket_, &QWebSocket::disconnected, this, &GM_SocketWeb::onDisconnected);
        connect(socket_, &QWebSocket::connected, this, &GM_SocketWeb::onConnected);
        connect(socket_, &QWebSocket::stateChanged, this, &GM_SocketWeb::onStateChanged);
        connect(socket_, qOverload<QAbstractSocket::SocketError>(&QWebSocket::error), this, &GM_SocketWeb::onError);
        connect(socket_, &QWebSocket::sslErrors, this, &GM_SocketWeb::onSslErrors);
    });
}

void GM_SocketWeb::onBinaryMessageReceived(const QByteArray& message)
{
    emit binaryMessageReceived(message);
}

void GM_SocketWeb::onDisconnected()
{
    emit disconnected();
}

void GM_SocketWeb::onConnected()
{
    emit connected();
}

void GM_SocketWeb::onStateChanged(QAbstractSocket::SocketState etat)
{
    emit stateChanged(etat);
}

void GM_SocketWeb::onError(QAbstractSocket::SocketError erreur)
{
    emit error(erreur);
}

void GM_SocketWeb::onSslErrors(const QList<QSslError>& erreurs)
{
    for (const QSslError& erreur : erreurs) {
        if (erreursAttendues_.contains(erreur))
            continue;
        noteErreurSsl_("GM_SocketWeb", erreur);
    }
    emit sslErrors(erreurs);
}

bool GM_SocketWeb::isOpen() const
{
    return socket_->isValid();
}

bool GM_SocketWeb::waitForBytesWritten(int msecs)
{
    Q_UNUSED(msecs);
    return socket_->bytesToWrite() > 0 ? socket_->flush() : false;
}

void GM_SocketWeb::connectToHost(const QString& host, quint16 port)
{
    const QString modele = unsecure_ ? QStringLiteral("ws://%1:%2") : QStringLiteral("wss://%1:%2");
    socket_->open(QUrl(modele.arg(host).arg(port)));
}

void GM_SocketWeb::close()
{
    socket_->close(QWebSocketProtocol::CloseCodeNormal);
}

qint64 GM_SocketWeb::write(const QByteArray& donnees)
{
    return socket_->sendBinaryMessage(donnees);
}

void GM_SocketWeb::resume()
{
    socket_->resume();
}

void GM_SocketWeb::disconnectFromHost()
{
    socket_->close(QWebSocketProtocol::CloseCodeNormal);
}
