#pragma once

// Throw-away TLS certificates for 127.0.0.1, made by the openssl program:
// a fresh self-signed one, or one signed with the hosting key that every
// copy of the program carries (what anybody holding a copy can forge).

#include <QFile>
#include <QProcess>
#include <QSslCertificate>
#include <QSslKey>
#include <QStandardPaths>
#include <QStringList>

class CertificatDeTest
{
public:
    enum Signature { AutoSigne, CleDuProgramme };

    static constexpr const char* RessourceCertificat = ":/ssl/zubrik.invalid.crt";
    static constexpr const char* RessourceCle = ":/ssl/zubrik.invalid.key";

    static bool disponible() { return !QStandardPaths::findExecutable(QStringLiteral("openssl")).isEmpty(); }

    // Writes its files into dossier; false when openssl is missing or fails.
    static bool cree(Signature signature, const QString& dossier, QSslCertificate& certificat, QSslKey& cle)
    {
        const auto chemin = [&dossier](const char* nom) -> QString { return dossier + QLatin1Char('/') + QLatin1String(nom); };
        QStringList arguments{QStringLiteral("req"), QStringLiteral("-newkey"), QStringLiteral("rsa:2048"),
                              QStringLiteral("-nodes"), QStringLiteral("-days"), QStringLiteral("2"),
                              QStringLiteral("-subj"), QStringLiteral("/CN=127.0.0.1"), QStringLiteral("-addext"),
                              QStringLiteral("subjectAltName=IP:127.0.0.1"), QStringLiteral("-keyout"),
                              chemin("k.pem"), QStringLiteral("-out"), chemin("c.pem")};
        if (signature == AutoSigne) {
            arguments << QStringLiteral("-x509");
        } else {
            if (!copie(QLatin1String(RessourceCle), chemin("programme.key"))
                || !copie(QLatin1String(RessourceCertificat), chemin("programme.crt")))
                return false;
            arguments << QStringLiteral("-CA") << chemin("programme.crt") << QStringLiteral("-CAkey")
                      << chemin("programme.key");
        }
        const QString openssl = QStandardPaths::findExecutable(QStringLiteral("openssl"));
        if (openssl.isEmpty())
            return false;
        QProcess processus;
        processus.start(openssl, arguments);
        if (!processus.waitForFinished(30000) || processus.exitCode() != 0)
            return false;
        certificat = QSslCertificate(lis(chemin("c.pem")), QSsl::Pem);
        cle = QSslKey(lis(chemin("k.pem")), QSsl::Rsa, QSsl::Pem, QSsl::PrivateKey);
        return !certificat.isNull() && !cle.isNull();
    }

private:
    static QByteArray lis(const QString& fichier)
    {
        QFile f(fichier);
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }
    static bool copie(const QString& de, const QString& vers)
    {
        const QByteArray donnees = lis(de);
        QFile f(vers);
        return !donnees.isEmpty() && f.open(QIODevice::WriteOnly) && f.write(donnees) == donnees.size();
    }
};
