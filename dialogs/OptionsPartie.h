#pragma once

#include "GM_WidgetAuto.h"
#include "OptionsAffichage.h"
#include "OptionsDePartie.h"
#include "OptionsDuJoueur.h"
#include "TypeDePartie.h"

#include <QStringList>

#include <array>
#include <utility>
#include <vector>

class QButtonGroup;
class QCheckBox;
class QDateEdit;
class QDialogButtonBox;
class QDoubleSpinBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QSpinBox;
class QTabWidget;
class WidgetOptionsAI;

// The options dialog: the game (preset, match mode, the custom game type's
// rules, the computer players' tuning) and the display preferences. It is an
// in-scene window: the answer comes as a signal.
//
// Rules:
// - setOptions shows the records as given; a value outside a widget's range
//   (settings edited by hand, an older version) is clamped and named in the
//   message line, so the user sees what changed before accepting.
// - Acceptance builds both records whole, from copies of those given (fields
//   the dialog does not edit keep their values), or refuses with a message
//   and emits nothing: never one record without the other.
// - Refused: an empty name, and an enabled season whose first and last day
//   are the same day of the year (a period of no day). A period whose last
//   day comes before its first runs over the new year, as winter does.
// - Names pass through the record sanitiser and are cut to NOM_LONGUEUR_MAX.
// - The custom type is built from the rule widgets whatever preset is
//   chosen; the rules box is only enabled for the custom preset, the one
//   that uses it. A tournament chosen with another preset is the exception:
//   the custom type is then that preset's with trumps imposed and a target
//   no score reaches (the match is counted by its deals), since only the
//   custom type carries them.
// - A tournament is offered only where the seats choose the trump (the
//   table cannot impose a trump that is bid for): for another preset or
//   contract the choice is turned off, with the reason as its tip, and a
//   tournament already chosen becomes the standard game, said in the
//   message line.
class OptionsPartie : public GM_WidgetAuto
{
    Q_OBJECT

public:
    static constexpr int NOMBRE_PRESETS = 17;
    static constexpr int NOM_LONGUEUR_MAX = 24;
    static constexpr int POINTS_MIN = 1;
    static constexpr int POINTS_MAX = 100000;
    static constexpr int CONTRAT_MIN = -1;
    static constexpr int CONTRAT_MAX = 1000;
    static constexpr int ARRONDI_MIN = 1;
    static constexpr int ARRONDI_MAX = 100;
    static constexpr int MULTIPLICATEUR_MIN = 1;
    static constexpr int MULTIPLICATEUR_MAX = 20;
    static constexpr int POURCENT = 100;
    static constexpr double MS_PAR_SECONDE = 1000.0;

    explicit OptionsPartie(QWidget* parent = nullptr);
    ~OptionsPartie() override;

    // Shows the records (see the class rules for out-of-range values).
    void setOptions(const OptionsDePartie& partie, const OptionsAffichage& affichage);
    // The custom game type the widgets describe.
    TypeDePartie typeDePartie() const;
    // Both records as acceptance would emit them; false, with the reason,
    // when the input is refused (the records are then left untouched).
    bool construit(OptionsDePartie& partie, OptionsAffichage& affichage, QString* erreur = nullptr) const;
    // The message line: what was clamped when shown, or why acceptance was
    // refused.
    QString message() const;

    QTabWidget* getOnglets() const { return onglets_; }
    QDialogButtonBox* getButtonBox() const { return boutons_; }
    WidgetOptionsAI* getOptionsAIAdversaires() const { return aiAdversaires_; }
    WidgetOptionsAI* getOptionsAIPartenaire() const { return aiPartenaire_; }

signals:
    void signalOptionsAccepted(const OptionsDePartie& partie, const OptionsAffichage& affichage);
    void signalOptionsRejected();

public slots:
    void OnAccepte();
    void OnRefuse();

protected:
    void changeEvent(QEvent* event) override;

private slots:
    void OnPresetChoisi(int id);
    // A preset or a contract chosen: the tournament follows.
    void OnReglesChangees();

private:
    struct Saison
    {
        QCheckBox* actif = nullptr;
        QDateEdit* debut = nullptr;
        QDateEdit* fin = nullptr;
    };

    QWidget* creeOngletPartie_();
    QWidget* creeOngletRegles_();
    QWidget* creeOngletOrdinateurs_();
    QWidget* creeOngletAffichage_();
    QWidget* creeOngletSaisons_();
    QButtonGroup* groupe_(const QString& nom);
    void ajouteRadio_(QButtonGroup* groupe, QLayout* disposition, int id, const QString& nom, const char* texte);
    // A text that follows the language: source is the text as written,
    // marked for translation; it is shown at once and at each switch.
    void traduit_(QObject* objet, const char* source);
    static void montreTexte_(QObject* objet, const QString& texte);
    QLabel* etiquette_(QWidget* parent, const char* source);
    QGroupBox* boite_(QWidget* parent, const char* source);
    QCheckBox* case_(QWidget* parent, const QString& nom, const char* source);
    // Sets every text the user reads, in the language in force: at
    // construction and at each language switch.
    void retranslateUi();
    // Widens the amount and date boxes to their longest text in the
    // language, font and style in force.
    void ajusteLargeurs_();
    static void coche_(QButtonGroup* groupe, int id, int parDefaut, const QString& champ, QStringList& bornes);
    static int choix_(const QButtonGroup* groupe, int parDefaut);
    // The type that would be played lets the table impose its trumps.
    bool tournoiPossible_() const;
    // Turns the tournament choice on or off with its tip; true when a
    // chosen tournament had to become the standard game.
    bool metAJourTournoi_();
    void afficheMessage_(const QString& texte, bool erreur);

    // The widgets whose text follows the language, with their source text.
    std::vector<std::pair<QObject*, const char*>> textes_;
    OptionsDePartie partie_;
    OptionsAffichage affichage_;

    QTabWidget* onglets_ = nullptr;
    QLabel* message_ = nullptr;
    QDialogButtonBox* boutons_ = nullptr;

    QButtonGroup* presets_ = nullptr;
    QButtonGroup* modeDeJeu_ = nullptr;
    QButtonGroup* regles_ = nullptr;
    QButtonGroup* annonces_ = nullptr;
    QButtonGroup* roiDame_ = nullptr;
    QButtonGroup* contrat_ = nullptr;
    QButtonGroup* distribution_ = nullptr;
    QButtonGroup* decompte_ = nullptr;
    QGroupBox* boiteRegles_ = nullptr;
    QSpinBox* nbrPoints_ = nullptr;
    QSpinBox* montantContrat_ = nullptr;
    QSpinBox* arrondi_ = nullptr;
    QCheckBox* sept_ = nullptr;
    QCheckBox* huit_ = nullptr;
    std::array<QCheckBox*, TypeDePartie::NOMBRE_MODES> modesPermis_{};
    std::array<QSpinBox*, TypeDePartie::NOMBRE_MODES> multiplicateurs_{};

    WidgetOptionsAI* aiAdversaires_ = nullptr;
    WidgetOptionsAI* aiPartenaire_ = nullptr;

    std::array<QLineEdit*, OptionsAffichage::NOMBRE_NOMS> noms_{};
    // The default partner's name as the fields show it now.
    QString nomPartenaireLu_ = OptionsDuJoueur::nomLisible(QString::fromUtf8(OptionsDuJoueur::NOM_PARTENAIRE));
    QCheckBox* helpCard_ = nullptr;
    QCheckBox* animatedScores_ = nullptr;
    QCheckBox* useRightSpace_ = nullptr;
    QCheckBox* debug_ = nullptr;
    QCheckBox* randomNames_ = nullptr;
    QCheckBox* ramassageAuto_ = nullptr;
    QCheckBox* coloredCard_ = nullptr;
    QCheckBox* sounds_ = nullptr;
    QCheckBox* dealInverted_ = nullptr;
    QCheckBox* vibrate_ = nullptr;
    QButtonGroup* qualite_ = nullptr;
    QButtonGroup* styleCartes_ = nullptr;
    QButtonGroup* styleApplication_ = nullptr;
    QButtonGroup* langue_ = nullptr;
    QDoubleSpinBox* delaiRamassage_ = nullptr;
    QDoubleSpinBox* taillePolice_ = nullptr;
    std::array<Saison, 4> saisons_{};
};
