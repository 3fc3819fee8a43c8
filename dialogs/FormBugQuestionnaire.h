#pragma once

#include "GM_WidgetAuto.h"

class QCheckBox;
class QComboBox;
class QFormLayout;
class QLabel;
class QPlainTextEdit;
class QPushButton;

// The questionnaire shown after the bug button took its picture of the
// table: what went wrong, in the user's words, for the bug report.
//
// Rules:
// - reset() empties every answer: a new report never carries the last one's.
// - Each text answer is cut to REPONSE_LONGUEUR_MAX characters; the report
//   escapes what it stores, so the text is otherwise kept as typed.
// - Sending with nothing described still sends: the picture and the game
//   record are worth having.
// - Its own Cancel and Esc cancel the report (its picture goes). Closed by
//   the table (a new game, another window, Esc or the back key over the
//   table) it is only hidden: the next report clears it and takes its
//   picture again over the one left.
class FormBugQuestionnaire : public GM_WidgetAuto
{
    Q_OBJECT

public:
    static constexpr int REPONSE_LONGUEUR_MAX = 4000;
    enum Categorie { Regles = 0, Affichage = 1, Reseau = 2, Plantage = 3, Autre = 4 };

    explicit FormBugQuestionnaire(QWidget* parent = nullptr);
    ~FormBugQuestionnaire() override;

    void reset();
    // The support note, rich text (with a mail link).
    void setNoteContact(const QString& note);
    // The answers as the report stores them: one "question: answer" line
    // each, line breaks of the answers kept.
    QString reponses() const;

    QComboBox* getCategorie() const { return categorie_; }
    QPlainTextEdit* getQuoi() const { return quoi_; }
    QPlainTextEdit* getAttendu() const { return attendu_; }
    QCheckBox* getReproductible() const { return reproductible_; }
    QLabel* getLabelContact() const { return contact_; }
    QPushButton* getBoutonEnvoyer() const { return envoyer_; }
    QPushButton* getBoutonAnnuler() const { return annuler_; }

signals:
    // Send: the answers, for ZB_BugReport::setReponses.
    void signalReponses(const QString& reponses);
    void signalAnnule();

protected:
    void changeEvent(QEvent* event) override;

private:
    // Sets every text the user reads, in the language in force: at
    // construction and at each language switch.
    void retranslateUi();

    QLabel* titre_;
    QLabel* explication_;
    QFormLayout* forme_;
    QComboBox* categorie_;
    QPlainTextEdit* quoi_;
    QPlainTextEdit* attendu_;
    QCheckBox* reproductible_;
    QLabel* contact_;
    QPushButton* envoyer_;
    QPushButton* annuler_;
};
