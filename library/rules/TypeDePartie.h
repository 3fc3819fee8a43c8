#pragma once

#include "GM_LoadSaveElement.h"
#include "VersionProtocole.h"

#include <QMetaType>
#include <QString>

#include <array>

// The rules of a game: family, how trump is set, target, allowed trump modes
// and their multipliers, announcements, dealing, rounding and contracts.
// A fixed table of presets keyed by id offers the named game types; id 5 is
// the custom type the user edits.
class TypeDePartie : public GM_LoadSaveElement
{
public:
    enum Contrat { ContratChibre = 0, ContratFixe = 1, ContratCoinche = 2, ContratContre = 3, ContratVache = 4 };
    enum Genre { GenreJass = 0, GenreBelote = 1 };
    enum Annonces { AnnoncesAuto = 0, AnnoncesManuelles = 1, AnnoncesDesactivees = 2 };
    enum RoiDame { RoiDameOff = 0, RoiDameStock = 1, RoiDameRebelote = 2 };
    enum Decompte { DecompteFaits = 0, DecompteAnnonces = 1, DecompteFaitsPlusAnnonces = 2 };

    static constexpr int NOMBRE_MODES = 12;
    static constexpr int ID_PERSONALISE = 5;
    // The target of a match counted by its deals: no score reaches it, and
    // the slate shows the deals left in its place.
    static constexpr int OBJECTIF_SANS_FIN = 100000;

    TypeDePartie();
    ~TypeDePartie() override;
    TypeDePartie(const TypeDePartie&) = default;
    TypeDePartie& operator=(const TypeDePartie&) = default;

    void chargeValeursDepuisString(const QString& text) override;
    // The newest text form.
    QString sauveValeursDansString() const override;
    // Version 1 drops the automatic-trump and trump-imposed fields, which
    // older readers do not know.
    QString sauveValeursDansString(int version) const;

    // Flag i is set when trump mode i may be chosen (multiplier 1 or more);
    // returns the number of allowed modes.
    int getAtoutsPermis(std::array<bool, NOMBRE_MODES>& permis) const;
    // The seats choose the trump rather than bid for it: the only bidding
    // in which the table can impose the trump instead (a tournament).
    bool atoutChoisiParLesSieges() const { return contrat_ == ContratChibre; }

    // Same as assignment, but texts already shared with the source are left
    // untouched: search threads copy game states from one source, and
    // reassigning shared texts would make them all write one reference count.
    void copieDe(const TypeDePartie& o);

    bool operator==(const TypeDePartie& o) const;
    bool operator!=(const TypeDePartie& o) const { return !(*this == o); }

    // (Re)builds the presets for a game kind; only the custom preset depends
    // on the kind. Entries are rebuilt in place, so references handed out by
    // getTypeDePartie stay valid.
    static void initTypesDePartie(int genre, bool force = false);
    // The preset of an id; an unknown id gets a default record, kept in the
    // table from then on.
    static TypeDePartie& getTypeDePartie(int id);
    // A preset's name and description in the language in force now (the
    // table keeps the French texts, whatever the language shown). Empty for
    // an unknown id.
    static QString nomTraduit(int id);
    static QString descriptionTraduite(int id);
    // The name a list of presets shows: the translated name, told apart
    // from another preset of the same name (the records keep the name) by
    // "(tournoi)" for the tournament's.
    static QString nomDansListe(int id);
    // This record's description in the language in force now.
    QString descriptionAffichee() const;

    bool defini_ = false;
    QString nom_;
    int pointsObjectif_ = -1;
    std::array<int, NOMBRE_MODES> multiplicateurs_;
    QString description_;
    int annonces_ = AnnoncesDesactivees;
    int roiDame_ = RoiDameStock;
    int contrat_ = ContratChibre;
    int genre_ = GenreJass;
    int montantContrat_ = 0;
    int arrondi_ = 1;
    int distribution_ = 0;
    int decompte_ = DecompteFaits;
    int septAnnuleDonne_ = 0;
    int huitAnnuleAnnonces_ = 0;
    int atoutAutomatique_ = 0;
    bool atoutImpose_ = false;
};

Q_DECLARE_METATYPE(TypeDePartie)
