#pragma once

#include <QAbstractSocket>
#include <QByteArray>
#include <QMutex>
#include <QObject>
#include <QStringList>

// One transport of the table protocol and of the lobby connection, whatever
// carries the bytes: callers only ever hold this interface. The transports
// keep their recent errors here for the bug report.
class GM_SocketAbstract : public QObject
{
    Q_OBJECT

public:
    static constexpr int NombreMaxLignesErreur = 100;

    explicit GM_SocketAbstract(QObject* parent = nullptr);
    ~GM_SocketAbstract() override;
    GM_SocketAbstract(const GM_SocketAbstract&) = delete;
    GM_SocketAbstract& operator=(const GM_SocketAbstract&) = delete;

    virtual QAbstractSocket::SocketState state() const = 0;
    // Sends the bytes as they are; the number of bytes taken, -1 on error.
    virtual qint64 write(const QByteArray& donnees) = 0;

    // Keeps the last NombreMaxLignesErreur lines: the oldest goes first.
    void ajouteLigneErreur(const QString& ligne);
    QStringList getLignesErreur() const;

private:
    mutable QMutex mutexErreurs_;
    QStringList lignesErreur_;
};
