#pragma once

#include "GM_MessageBoxEmitter.h"
#include "ZB_SansSurveillance.h"

#include <QApplication>
#include <QFont>
#include <QMutex>
#include <QStringList>

#include <memory>

class ZB_TraceLog;

// The application object. It registers the embedded fonts (the three
// application fonts and the table's cartoon hand, ZB_TableFonts), keeps the
// application font that scaledFont starts from, owns the trace log, and
// catches the user-facing exceptions that escape an event handler: the
// message is shown in a critical box once the event loop is back in control,
// and the event counts as not handled.
//
// Screens scaled by a fraction (125 %, 150 %) keep their fractional scale
// factor instead of rounding it to a whole one, which would draw the table
// too large or too small; Qt reads that policy once, before the application
// object exists, so the constructor sets it before its base is built.
class ZB_Application : public QApplication, public GM_MessageBoxEmitter
{
    Q_OBJECT

public:
    ZB_Application(int& argc, char** argv);
    ~ZB_Application() override;

    static ZB_Application* instance();
    // The scale-factor rounding policy the program runs with.
    static constexpr Qt::HighDpiScaleFactorRoundingPolicy ARRONDI_ECHELLE =
        Qt::HighDpiScaleFactorRoundingPolicy::PassThrough;

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

    // The status the program exits with once the main window quits: 0, or
    // CODE_SORTIE_ERREUR after an unattended run met an error.
    static constexpr int CODE_SORTIE_ERREUR = ZB_SansSurveillance::CODE_SORTIE_ERREUR;
    int getCodeDeSortie() const { return codeDeSortie_; }
    void setCodeDeSortie(int code) { codeDeSortie_ = code; }

public slots:
    void OnException();

private:
    // Sets what must be set before QApplication is built; returns argc.
    static int& prepare_(int& argc);
    void enregistrePolices_();

    QFont police_;
    QStringList policesEmbarquees_;
    std::unique_ptr<ZB_TraceLog> traceLog_;
    mutable QMutex exceptionsMutex_;
    QStringList messagesExceptions_;
    int codeDeSortie_ = 0;
};
