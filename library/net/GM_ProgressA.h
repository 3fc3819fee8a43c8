#pragma once

#include <QString>

// What the lobby client needs of the window that shows a connection's
// progress, so that the protocol does not depend on a widget. The window
// calls the installed callback when the user cancels.
class GM_ProgressA
{
public:
    // Implemented by whoever can stop the connection in progress.
    class Cancel_cb
    {
    public:
        Cancel_cb() = default;
        Cancel_cb(const Cancel_cb&) = delete;
        Cancel_cb& operator=(const Cancel_cb&) = delete;
        virtual ~Cancel_cb() = default;
        virtual void cancel() = 0;
        // The progress window is going: forget it. Windows and clients die
        // in either order at quit.
        virtual void progressDestroyed() {}
    };

    GM_ProgressA() = default;
    GM_ProgressA(const GM_ProgressA&) = delete;
    GM_ProgressA& operator=(const GM_ProgressA&) = delete;
    virtual ~GM_ProgressA() = default;

    // valeur: 0 to 100.
    virtual void setProgress(const QString& texte, int valeur) = 0;
    virtual void activateWindow() = 0;
    virtual void show() = 0;
    virtual void hide() = 0;
    virtual void retranslate() = 0;
    virtual void updateScaling() = 0;
    // Not owned; null removes it.
    virtual void setCancelCallback(Cancel_cb* callback) = 0;
};
