#pragma once

#include <QHostAddress>
#include <QMap>
#include <QMutex>
#include <QObject>

// Addresses the hosting machine refuses for a while. Every new ban of an
// address lasts ten times longer than its previous one: 6 s, 60 s, 600 s...
//
// One list serves the listening front end and the game server of every
// room. The mutex guards the two maps (durees_ and jusqua_); their readers
// and writers all run on the GUI thread today, so it is never contended,
// and isBanned and OnBan are each consistent on their own, not together.
class GM_BanList : public QObject
{
    Q_OBJECT

public:
    static constexpr qint64 PremiereDuree = 6;
    static constexpr qint64 DureeMax = 2147483647;

    explicit GM_BanList(QObject* parent = nullptr);
    ~GM_BanList() override;

    bool isBanned(const QHostAddress& address) const;
    // The key of an address in both maps.
    static size_t hashAdresse(const QHostAddress& address);

public slots:
    // Bans the address; returns the duration in seconds, PremiereDuree
    // without change while it is banned already.
    qint64 OnBan(const QHostAddress& address);

protected:
    // Seconds since the epoch, UTC.
    virtual qint64 maintenant() const;

private:
    mutable QMutex mutex_;
    QMap<size_t, qint64> durees_;
    QMap<size_t, qint64> jusqua_;
};
