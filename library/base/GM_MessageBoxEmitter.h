#pragma once

#include "GM.h"

#include <QMutex>
#include <QString>

class GM_MessageBoxDisplayerA;
class GM_MessageBoxRequest;
class QObject;

// Base of every class that raises message boxes, from any thread. The owner
// sets the displayer; until then, and after it is cleared, every operation
// does nothing (a download box still gets an id, which is never answered).
// Answers reach the receiver's named slot by a queued call, so the receiver
// must live in a thread with an event loop.
//
// Not polymorphic: never delete a derived object through this base.
class GM_MessageBoxEmitter
{
public:
    GM_MessageBoxEmitter();
    GM_MessageBoxEmitter(const GM_MessageBoxEmitter&) = delete;
    GM_MessageBoxEmitter& operator=(const GM_MessageBoxEmitter&) = delete;
    // Boxes already queued are still shown, but forget this emitter.
    ~GM_MessageBoxEmitter();

    // The displayer must outlive this emitter or be replaced before it dies.
    void setMessageBoxDisplayer(GM_MessageBoxDisplayerA* displayer);
    GM_MessageBoxDisplayerA* getMessageBoxDisplayer() const;

    // A box with no answer. Returns the box id, for updateMessageBox and
    // closeMessageBox.
    uint messageBox(GM::Icon icone, const QString& titre, const QString& texte,
                    GM::StandardButton boutons = GM::Ok);
    // The pressed button is passed as an int to destinataire's slot.
    // Returns the box id, for updateMessageBox and closeMessageBox.
    uint messageBoxQuestion(GM::Icon icone, const QString& titre, const QString& texte, GM::StandardButton boutons,
                            QObject* destinataire, const char* slot);
    // slot (without arguments) is called only when Ok is pressed.
    void messageBoxConfirm(GM::Icon icone, const QString& titre, const QString& texte, GM::StandardButton boutons,
                           QObject* destinataire, const char* slot);
    // Yes calls destinataire's OnTournPlay, any other button OnTournDeny.
    void messageBoxTournament(const QString& titre, const QString& texte, GM::StandardButton boutons,
                              QObject* destinataire);
    // A box with a Cancel button that calls destinataire's cancelDownload.
    // Returns the box id, for updateMessageBox.
    uint messageBoxDownload(const QString& titre, const QString& texte, QObject* destinataire);
    void showTutorial();
    // id -1: the status box; otherwise the text of queued box id. Not queued.
    void updateMessageBox(const QString& titre, const QString& texte, int id);
    void closeStatusBox();
    // The queued box id goes away unanswered, taken down if on screen.
    void closeMessageBox(uint id);

private:
    // Numbers the request and queues it when a displayer is set; returns
    // the id either way.
    uint enfile_(GM_MessageBoxRequest& requete);

    GM_MessageBoxDisplayerA* displayer_ = nullptr;
    mutable QMutex mutex_;

    static uint compteur_;
    static QMutex compteurMutex_;
};
