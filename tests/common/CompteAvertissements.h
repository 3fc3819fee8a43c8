#pragma once

#include <QMessageLogContext>
#include <QMutex>
#include <QMutexLocker>
#include <QString>

#include <atomic>

// Counts the warnings and worse raised on any thread while it lives, and
// keeps the first one: a refused or dropped event is a warning, so a game
// that should run clean can be checked for none.
struct CompteAvertissements {
    static inline std::atomic<int> compte{0};
    static inline QMutex mutex;
    static inline QString premier;

    static void gestionnaire(QtMsgType type, const QMessageLogContext&, const QString& texte)
    {
        if (type == QtDebugMsg || type == QtInfoMsg)
            return;
        if (compte.fetch_add(1) == 0) {
            QMutexLocker verrou(&mutex);
            premier = texte;
        }
    }

    QtMessageHandler avant;
    CompteAvertissements() : avant(qInstallMessageHandler(&CompteAvertissements::gestionnaire))
    {
        compte = 0;
        QMutexLocker verrou(&mutex);
        premier.clear();
    }
    ~CompteAvertissements() { qInstallMessageHandler(avant); }
    CompteAvertissements(const CompteAvertissements&) = delete;
    CompteAvertissements& operator=(const CompteAvertissements&) = delete;
};
