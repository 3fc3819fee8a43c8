#pragma once

#include "GM_WidgetAuto.h"
#include "ZB_StatutConnexionA.h"

#include <QVariant>
#include <QVariantAnimation>

class QLabel;
class QPushButton;

// The small window that follows a table client's connection: what the
// connection is doing, and while the client waits for a game to start, how
// long it will wait at most. The client socket drives it as its status
// observer; its state is also the connection's, which the socket reads back.
class ZB_ClientConnection : public GM_WidgetAuto, public ZB_StatutConnexionA
{
    Q_OBJECT

public:
    explicit ZB_ClientConnection(QWidget* parent = nullptr);
    ~ZB_ClientConnection() override;

    // Shows the state's text and buttons; the waiting states run the
    // countdown as long as seconds remain, some states bring the window up,
    // and the game's start puts it away.
    void setEtat(int etat) override;
    int getEtat() const override { return etat_; }

    // A new countdown of that many seconds; it runs at once in a waiting
    // state, else from the next one.
    void setSecondesAttente(int secondes) override;
    // The announcement replaces the state's text until the next state.
    void annonceEssai(int essai, int essais, int secondes) override;
    void montre() override { show(); }
    void cache() override { hide(); }
    // The connection brings it up, not the user.
    bool estOuverteParLeProgramme() const override { return true; }
    // The cancel button runs the action.
    void surAnnulation(std::function<void()> action) override { actionAnnuler_ = std::move(action); }
    int getSecondesAttente() const { return secondesAttente_; }
    // Whole seconds left in the countdown.
    int getSecondesRestantes() const { return secondesRestantes_; }

    QString getTexte() const;
    QLabel* getLabel() const { return label_; }
    QPushButton* getBoutonAnnuler() const { return boutonAnnuler_; }
    QPushButton* getBoutonFermer() const { return boutonFermer_; }
    const QVariantAnimation& getCompteARebours() const { return compteARebours_; }

    // The text a state shows; the countdown's for the waiting states.
    static QString texteEtat(int etat, int secondesRestantes);
    // The announcement of a try after the host dropped the connection.
    static QString texteEssai(int essai, int essais, int secondes);

protected:
    void changeEvent(QEvent* event) override;

private slots:
    void OnCompteARebours(const QVariant& valeur);
    void OnCompteAReboursTermine();

private:
    static bool estEtatDAttente(int etat) { return etat >= AttentePublique && etat <= AttenteHote; }
    void afficheTexte_();
    // Sets every text the user reads, in the language in force: at
    // construction and at each language switch.
    void retranslateUi();

    int etat_ = Init;
    // Until the first state is shown, the window says the connection is
    // being made.
    bool etatAffiche_ = false;
    int secondesAttente_ = 0;
    int secondesRestantes_ = 0;
    QLabel* label_;
    QPushButton* boutonAnnuler_;
    QPushButton* boutonFermer_;
    QVariantAnimation compteARebours_;
    std::function<void()> actionAnnuler_;
    // The try announced, 0 for none; kept as numbers for a language switch.
    int essai_ = 0;
    int essais_ = 0;
    int secondesEssai_ = 0;
};
