#pragma once

#include <QMessageLogContext>
#include <QMutex>
#include <QMutexLocker>
#include <QString>

#include <atomic>

// Counts the warnings and worse raised on any thread while it lives, and
// keeps the first one: a refused or dropped event is a warning, so a game
// that should run clean can be checked for none. With a filter, only the
// messages that contain it count (a shown window's platform notices are
// warnings too).
struct CompteAvertissements {
    static inline std::atomic<int> compte{0};
    static inline QMutex mutex;
    static inline QString premier;
    static inline QString filtre;

    static void gestionnaire(QtMsgType type, const QMessageLogContext&, const QString& texte)
    {
        if (type == QtDebugMsg || type == QtInfoMsg)
            return;
        {
            QMutexLocker verrou(&mutex);
            if (!filtre.isEmpty() && !texte.contains(filtre))
                return;
        }
        if (compte.fetch_add(1) == 0) {
            QMutexLocker verrou(&mutex);
            premier = texte;
        }
    }

    QtMessageHandler avant;
    explicit CompteAvertissements(const QString& seulement = QString())
        : avant(qInstallMessageHandler(&CompteAvertissements::gestionnaire))
    {
        compte = 0;
        QMutexLocker verrou(&mutex);
        premier.clear();
        filtre = seulement;
    }
    ~CompteAvertissements() { qInstallMessageHandler(avant); }
    CompteAvertissements(const CompteAvertissements&) = delete;
    CompteAvertissements& operator=(const CompteAvertissements&) = delete;
};
