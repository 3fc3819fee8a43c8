#pragma once

#include <QFile>
#include <QMutex>
#include <QString>

// The trace file: enter and leave lines of the main window's slots, and
// whatever else is worth finding in a bug report. When it grows past
// TAILLE_MAX bytes it becomes the "_old" file (replacing the previous one)
// and a fresh file is started, so that two files at most are kept. Lines
// may come from any thread.
class ZB_TraceLog
{
public:
    // Enter line now, leave line when the scope ends.
    class Scope
    {
    public:
        Scope(ZB_TraceLog* log, const char* nom);
        Scope(const Scope&) = delete;
        Scope& operator=(const Scope&) = delete;
        ~Scope();

    private:
        ZB_TraceLog* log_;
        const char* nom_;
    };

    static constexpr qint64 TAILLE_MAX = 0x40000;

    // The log goes to dossier/debugLog.txt; the folder must exist. Nothing is
    // written before the first line.
    explicit ZB_TraceLog(const QString& dossier);
    ZB_TraceLog(const ZB_TraceLog&) = delete;
    ZB_TraceLog& operator=(const ZB_TraceLog&) = delete;
    virtual ~ZB_TraceLog();

    void enter(const char* nom);
    void leave(const char* nom);
    void log(const QString& ligne);
    // Flushes and closes the file; a later line opens it again.
    void close();

    QString cheminFichier() const { return chemin_; }
    QString cheminAncienFichier() const { return cheminAncien_; }

private:
    // Mutex held.
    bool ouvre_unlocked();
    void tourne_unlocked();
    void ecrit_(const QString& ligne);

    QMutex mutex_;
    QFile fichier_;
    QString chemin_;
    QString cheminAncien_;
};

// Traces the enclosing slot: an enter line now, a leave line when it returns.
#define ZB_TRACE_SLOT(log) const ZB_TraceLog::Scope zbTraceScope_(log, Q_FUNC_INFO)
