#include "ZB_AnnulationDeTable.h"

#include "DecisionsDeTable.h"
#include "EtatDeJeu.h"
#include "EvenementDeJeu.h"
#include "ListeDesEvenements.h"

#include <QByteArray>

#include <array>

namespace {

// An undo needs the deal's snapshot, taken before the first deal request.
constexpr int PremierEtatAnnulable = EtatDeJeu::AttendDistribue1;
// The replay is watched from the table's seat: every hand as it was.
constexpr int SiegeTable = 4;

} // namespace

bool ZB_AnnulationDeTable::estAnnulable(int etat)
{
    return etat >= PremierEtatAnnulable && etat < EtatDeJeu::PaireBeloteDecideMatch;
}

void ZB_AnnulationDeTable::retient(int etat)
{
    m_historiqueAnnuler.insert(etat, etat);
    m_historiqueRefaire.clear();
}

void ZB_AnnulationDeTable::oublie()
{
    m_historiqueAnnuler.clear();
    m_historiqueRefaire.clear();
}

std::optional<ZB_AnnulationDeTable::Plan> ZB_AnnulationDeTable::planifie(int etat, int cible, bool refaire,
                                                                          int genre) const
{
    Plan plan;
    plan.refaire = refaire;
    plan.refaireAvant = m_historiqueRefaire;
    plan.refaireApres = m_historiqueRefaire;
    QMap<int, int>& refaireApres = plan.refaireApres;
    int etatCible = -1;
    if (refaire) {
        if (m_evenementsRefaire.isEmpty()) {
            refaireApres.clear();
        } else if (cible >= 0) {
            etatCible = cible;
        } else {
            // The nearest state left by an undo, so that redo retraces the
            // undos one at a time.
            const auto suivant = refaireApres.upperBound(etat);
            if (suivant != refaireApres.end())
                etatCible = suivant.key();
        }
        if (refaireApres.isEmpty() || etatCible <= etat || etatCible > refaireApres.lastKey())
            return std::nullopt;
        // Ordered by state: the states now reached come first.
        for (auto it = refaireApres.begin(); it != refaireApres.end() && it.key() <= etatCible;)
            it = refaireApres.erase(it);
    } else {
        etatCible = cible >= 0 ? cible
                  : !m_historiqueAnnuler.isEmpty() ? m_historiqueAnnuler.lastKey()
                                                   : EtatDeJeu::AttendAtout;
        if ((etatCible >= etat || etatCible == EtatDeJeu::AttendAtout) && etat >= EtatDeJeu::Tour1_AttendCarte1)
            etatCible = decisions_de_table::etatDuPliPrecedent(etat, genre);
        if (etatCible >= etat || etatCible < PremierEtatAnnulable)
            return std::nullopt;
        refaireApres.insert(etat, etat);
    }
    plan.cible = etatCible;
    return plan;
}

const QStringList& ZB_AnnulationDeTable::aRejouer(const Plan& plan, const QStringList& actuels) const
{
    return plan.refaire ? m_evenementsRefaire : actuels;
}

void ZB_AnnulationDeTable::termine(const Plan& plan, bool rebati, const QStringList& actuels)
{
    if (rebati) {
        // The replayed moves of the local player rebuilt the undo history
        // below the target; the moves now undone wait in the redo history.
        if (!plan.refaire && plan.refaireAvant.isEmpty())
            m_evenementsRefaire = actuels;
        m_historiqueRefaire = plan.refaireApres;
    } else {
        m_historiqueRefaire = plan.refaireAvant;
    }
    if (m_historiqueRefaire.isEmpty())
        m_evenementsRefaire.clear();
}

bool ZB_AnnulationDeTable::evenementsDeLaDonne(ListeDesEvenements& liste, int siege, int noTable,
                                               QStringList& evenements, QString& raison)
{
    evenements.clear();
    QByteArray bloc;
    liste.getReplay(bloc, EvenementDeJeu::RsI, siege, noTable);

    bool snapshot = false;
    std::array<bool, 4> inscrits{};
    QString reste = QString::fromUtf8(bloc);
    while (!reste.isEmpty()) {
        EvenementDeJeu ev;
        QString suite;
        if (!ev.fromString(reste, suite) || suite.size() >= reste.size()) {
            raison = QStringLiteral("the record holds a text that does not read");
            return false;
        }
        reste = suite;
        if (ev.type_ == EvenementDeJeu::RsV || ev.type_ == EvenementDeJeu::RsI || ev.type_ == EvenementDeJeu::ReE)
            continue;
        if (ev.type_ == EvenementDeJeu::Enr)
            snapshot = true;
        if (ev.type_ == EvenementDeJeu::InJ && EtatDeJeu::estInscriptionJoueur(ev.etat_))
            inscrits[size_t(ev.etat_ - EtatDeJeu::InscriptionJoueur0)] = true;
        ev.valide_ = true;
        evenements << ev.toString(liste.version_);
    }
    // The snapshot carries the deal generator: without it the replay would
    // deal other cards.
    if (!snapshot) {
        raison = QStringLiteral("the record holds no snapshot of the deal");
        return false;
    }
    for (bool inscrit : inscrits) {
        if (!inscrit) {
            raison = QStringLiteral("a seat has no inscription in the record");
            return false;
        }
    }
    return true;
}

bool ZB_AnnulationDeTable::rebatitJusqua(ListeDesEvenements& liste, const QStringList& evenements, int cible,
                                         const std::function<void()>& remetAZero)
{
    QStringList lignes(QString::fromLatin1(ListeDesEvenements::VersionDuFichier));
    int premierEtat = ListeDesEvenements::NombreEtats;
    for (const QString& texte : evenements) {
        EvenementDeJeu ev;
        QString reste;
        if (!ev.fromString(texte, reste))
            return false;
        if (cible >= 0 && ev.etat_ >= cible)
            continue;
        ev.valide_ = true;
        // An undo replays at once and unseen, and no seat answers what it replays.
        ev.mode_ = EvenementDeJeu::ModeRejeuImmediat;
        lignes << ev.toString(liste.version_);
        premierEtat = qMin(premierEtat, ev.etat_);
    }
    if (lignes.size() < 2)
        return false;

    // The reset keeps the players' records, the match options and the
    // game type; the snapshot in the replayed lines brings back the deal
    // generator, the scores and the request number, and the inscriptions
    // seat the same players again, so the same cards are dealt.
    remetAZero();
    // The record starts with the game inscription (state 1) when the room
    // wrote one, else with the players' inscriptions.
    liste.recommence(premierEtat);
    liste.replay(lignes, SiegeTable, false, -1, nullptr);
    const int dernierEtat = liste.getDernierEvenement().etat_;
    liste.flush_unlocked();
    return !liste.estReplayEnCours() && liste.getEtatExecute() == dernierEtat;
}
