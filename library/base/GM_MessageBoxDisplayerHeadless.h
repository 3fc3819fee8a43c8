#pragma once

#include "GM_MessageBoxDisplayerA.h"

#include <QList>
#include <QMutex>
#include <QObject>

#include <atomic>
#include <functional>

// A displayer without a screen, for tables that run headless and for tests:
// it "shows" a box by recording it on its own thread, and the box stays
// current until someone answers it, by hand with repond() or automatically
// through the answering rule.
class GM_MessageBoxDisplayerHeadless : public QObject, public GM_MessageBoxDisplayerA
{
    Q_OBJECT

public:
    struct Affichage {
        uint id = 0;
        GM_MessageBoxRequest requete;
    };
    // Decides the button pressed on a shown box.
    using Repondeur = std::function<GM::StandardButton(uint id, const GM_MessageBoxRequest& requete)>;

    explicit GM_MessageBoxDisplayerHeadless(QObject* parent = nullptr);
    ~GM_MessageBoxDisplayerHeadless() override;

    // With a rule set, every shown box is answered by it on the next turn of
    // the event loop; without one, boxes wait for repond().
    void setRepondeur(Repondeur repondeur);
    // Answers the box on screen; false when none is.
    bool repond(GM::StandardButton bouton);

    bool aUneBoiteAffichee() const;
    uint idAffiche() const;
    // Every box shown so far, in the order shown; the copy of the box on
    // screen follows text updates.
    QList<Affichage> historique() const;
    void effaceHistorique();

    bool statusBoxVisible() const;
    GM_MessageBoxRequest statusBox() const;

    void updateMessageBox(const GM_MessageBoxRequest& request, int id) override;
    void closeStatusBox() override;
    void execMessageBox(uint id) override;
    bool isMessageBoxPending() override;

signals:
    void signalMessageBoxShown(uint id);

protected:
    void hideWithdrawnBox(uint id) override;

private:
    void affiche_(uint id);

    mutable QMutex etatMutex_;
    Repondeur repondeur_;
    QList<Affichage> historique_;
    bool affichee_ = false;
    uint idAffiche_ = 0;
    bool statusVisible_ = false;
    GM_MessageBoxRequest status_;
    std::atomic<int> affichagesPrevus_{0};
};
