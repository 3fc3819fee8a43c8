#pragma once

#include "GM_MessageBoxEmitter.h"

#include <QApplication>
#include <QFont>
#include <QMutex>
#include <QStringList>

#include <memory>

class ZB_TraceLog;

// The application object. It registers the embedded fonts, keeps the
// application font that scaledFont starts from, owns the trace log, and
// catches the user-facing exceptions that escape an event handler: the
// message is shown in a critical box once the event loop is back in control,
// and the event counts as not handled.
class ZB_Application : public QApplication, public GM_MessageBoxEmitter
{
    Q_OBJECT

public:
    ZB_Application(int& argc, char** argv);
    ~ZB_Application() override;

    static ZB_Application* instance();

    bool notify(QObject* receiver, QEvent* event) override;

    // The font scaledFont starts from; changing it reaches scaledFont at once.
    QFont getFontApplication() const;
    void setFontApplication(const QFont& police);
    // Families of the embedded fonts that could be registered.
    QStringList getPolicesEmbarquees() const { return policesEmbarquees_; }

    // The trace file in the data folder, opened on the first line.
    ZB_TraceLog* getTraceLog();
    void closeTraceLog();

    // Messages caught and not shown yet.
    QStringList getMessagesEnAttente() const;

public slots:
    void OnException();

private:
    void enregistrePolices_();

    QFont police_;
    QStringList policesEmbarquees_;
    std::unique_ptr<ZB_TraceLog> traceLog_;
    mutable QMutex exceptionsMutex_;
    QStringList messagesExceptions_;
};
