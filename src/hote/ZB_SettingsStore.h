#pragma once

#include <QByteArray>
#include <QList>
#include <QPair>
#include <QRect>
#include <QString>

#include <memory>

class OptionsAffichage;
class OptionsDePartie;
class QSettings;

// The user's settings between runs, in the platform's settings store, one
// group per concern:
//   "Display"      options: the display options' text; geometry: the window
//   "Game"         options: the game options' text; playerName: the name
//                  the user last chose to play online under
//   "CardStyle"    style: the deck face style (0..4)
//   "AppStyle"     theme: the table theme (0..4); widgetStyle: the widgets'
//                  style name
//   "Tutorial"     done: the welcome was completed; choice: its answer
//   "ErrorReports" contact: the address given in the bug questionnaire;
//                  lastReport: the last report's zip; count: reports written
//   "Login"        email, pass, isAutoConnect (the login dialog's own)
//   "Friends"      lastContactHash (the friend search's own)
//
// The window's geometry is kept as QWidget::saveGeometry writes it, but it
// is given back through fenetreDansEcran, never QWidget::restoreGeometry:
// that one places the window by its frame, whose size the window system
// tells only once the window is up, so the window came back a title bar
// lower at each start; and it keeps a size the screen may no longer hold.
//
// Rules:
// - The store may have been edited by hand or written by another version:
//   a value of the wrong kind reads as absent, a choice out of range is
//   clamped, and a record whose text is refused leaves the caller's record
//   as it was, with the reason. Nothing read can crash the program.
// - A record is saved only when its text reads back to the same record, so
//   a text that could not be read again never replaces a good one; each
//   save is written through at once, and a store that cannot be written
//   says so.
// - The card style and the theme are kept in their own groups as well as in
//   the display options, so that they survive a display record that had to
//   be refused.
// - The login password ("Login/pass") never leaves the store: copieSansSecrets
//   leaves out every key of the login group whose name begins with "pass",
//   whatever its case.
class ZB_SettingsStore
{
public:
    static constexpr const char* GROUPE_STYLE_CARTES = "CardStyle";
    static constexpr const char* GROUPE_STYLE_APPLICATION = "AppStyle";
    static constexpr const char* GROUPE_AFFICHAGE = "Display";
    static constexpr const char* GROUPE_PARTIE = "Game";
    static constexpr const char* GROUPE_RAPPORTS = "ErrorReports";
    static constexpr const char* GROUPE_TUTORIEL = "Tutorial";
    static constexpr const char* GROUPE_LOGIN = "Login";
    static constexpr const char* GROUPE_AMIS = "Friends";

    // An online answer shorter than a second cannot be given by a person;
    // longer than ten minutes stalls the other players.
    static constexpr double DELAI_REPONSE_MIN = 1.0;
    static constexpr double DELAI_REPONSE_MAX = 600.0;
    static constexpr int PRESET_MAX = 63;
    static constexpr int MODE_DE_JEU_MAX = 4;

    // The store is not owned and must outlive this object.
    explicit ZB_SettingsStore(QSettings& settings);

    // The platform's store of the application (organisation and application
    // names must be set first).
    static std::unique_ptr<QSettings> ouvreStore();

    bool litOptionsAffichage(OptionsAffichage& options, QString* erreur = nullptr) const;
    bool ecritOptionsAffichage(const OptionsAffichage& options, QString* erreur = nullptr);
    bool litOptionsDePartie(OptionsDePartie& options, QString* erreur = nullptr) const;
    bool ecritOptionsDePartie(const OptionsDePartie& options, QString* erreur = nullptr);

    int styleCartes(int defaut) const;
    void setStyleCartes(int style);
    int theme(int defaut) const;
    QString styleWidgets() const;
    void setStyleWidgets(const QString& nom);

    QByteArray geometrie() const;
    void setGeometrie(const QByteArray& geometrie);
    // The smallest window the table and its panels can be used in.
    static constexpr int LARGEUR_FENETRE_MIN = 640;
    static constexpr int HAUTEUR_FENETRE_MIN = 480;
    // The window's inner rectangle for a saved geometry on a screen whose
    // free area is `disponible`: the saved inner rectangle (its normal one
    // when it was maximised), no smaller than the minimum window, no larger
    // than the free area (which wins on a smaller screen) and moved wholly
    // into it. A geometry that cannot be read gives `parDefaut` (its size
    // clamped the same way) centred in the free area. `maximisee`, when
    // given, tells whether the window was maximised.
    static QRect fenetreDansEcran(const QByteArray& geometrie, const QRect& disponible, const QSize& parDefaut,
                                  bool* maximisee = nullptr);

    bool tutorielTermine() const;
    int choixTutoriel() const; // -1 when none
    void setTutoriel(bool termine, int choix);

    // The name kept for online play, empty when none was chosen.
    QString nomDeJeu() const;
    void setNomDeJeu(const QString& nom);

    QString contactRapport() const;
    void setContactRapport(const QString& contact);
    QString dernierRapport() const;
    int nombreDeRapports() const;
    // Notes a report written at that path.
    void noteRapport(const QString& chemin);

    // Every key and its value as text, sorted by key, without the secrets.
    QList<QPair<QString, QString>> copieSansSecrets() const;
    static bool estSecret(const QString& cle);

    // Writes pending changes; false, with the reason, when the store could
    // not be written. A store that was damaged when opened is written afresh.
    bool synchronise(QString* erreur = nullptr);

private:
    bool verifieEcrit_(const QString& cle, const QString& texteEcrit, QString* erreur) const;

    QSettings& settings_;
};
