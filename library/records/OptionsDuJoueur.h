#pragma once

#include "GM_LoadSaveElement.h"
#include "OptionsAI.h"

#include <QMetaType>
#include <QString>

class GM_SpacesSeparatedString;

// One player's inscription at a table: name, whether the player is remote or
// a computer, a unique id and the computer player's tuning. It is the text
// of the player-inscription events of every game record.
class OptionsDuJoueur : public GM_LoadSaveElement
{
public:
    // A fresh record gets a new unique id.
    OptionsDuJoueur();
    ~OptionsDuJoueur() override;
    OptionsDuJoueur(const OptionsDuJoueur&) = default;
    OptionsDuJoueur& operator=(const OptionsDuJoueur&) = default;

    // The name is sanitised on reading as on writing: what is read is what
    // will be written.
    void chargeValeursDepuisString(const QString& text) override;
    QString sauveValeursDansString() const override;
    // The same fields inside a record that carries more after them.
    void litChamps(GM_SpacesSeparatedString& s);
    void ecritChamps(GM_SpacesSeparatedString& s) const;

    // A new id, unique with high probability across machines: system
    // randomness, the time of day and the process id.
    static qint64 genereId();

    // The name as shown at the table: " (ordi)", " (joueur)" or " (vous)"
    // tells who plays the seat. A name longer than NOM_AFFICHE_MAX
    // characters (a peer may send any length) shows its beginning and "…";
    // the record keeps and writes it whole. The name sits in its own
    // bidirectional isolate (isole), so that an override in it turns
    // neither the suffix nor whatever a screen writes after it.
    QString getNomAffiche(bool forceSuffix = false) const;
    // Longer than the name fields (24) and the lobby's usual logins, short
    // enough for a plate, a status line or a list row.
    static constexpr int NOM_AFFICHE_MAX = 32;
    static QString nomBorne(const QString& nom, int max = NOM_AFFICHE_MAX);
    // A peer's words (a name, a chat line) between first-strong-isolate and
    // pop-directional-isolate marks, which end any override or embedding
    // in them. Their own isolates stay when they pair up (a name isolated
    // in a line); a closing mark that pairs with nothing goes, and one that
    // opens and never closes is closed at their end.
    static QString isole(const QString& texte);

    // The partner's name until the user gives another: kept in French in
    // the settings and the game records, shown in the language in force.
    static constexpr const char* NOM_PARTENAIRE = QT_TRANSLATE_NOOP("QObject", "Partenaire");
    // A name as it reads in the language in force (the default partner's
    // translated, any other as it is), and back: what the user leaves as
    // the default is kept as the default.
    static QString nomLisible(const QString& nom);
    static QString nomGarde(const QString& lu);

    bool operator==(const OptionsDuJoueur& o) const
    {
        return nom_ == o.nom_ && drapeau1_ == o.drapeau1_ && distant_ == o.distant_ && ordinateur_ == o.ordinateur_
            && id_ == o.id_ && idCompte_ == o.idCompte_ && optionsAI_ == o.optionsAI_;
    }
    bool operator!=(const OptionsDuJoueur& o) const { return !(*this == o); }

    QString nom_;
    bool drapeau1_ = true;
    int distant_ = 0;      // non-zero for anybody but the local user
    int ordinateur_ = 0;   // non-zero for a computer player
    qint64 id_;
    qint64 idCompte_ = -1; // the online account, -1 when none
    OptionsAI optionsAI_;
};

Q_DECLARE_METATYPE(OptionsDuJoueur)
