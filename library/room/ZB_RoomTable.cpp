#include "ZB_RoomTable.h"

#include "DecisionsDeTable.h"
#include "DisplayA.h"
#include "DisplayAPanelDeJoueur.h"
#include "JoueurHumain.h"
#include "JoueurResau.h"
#include "Partie.h"
#include "ZB_DeckBelote.h"
#include "ZB_DeckJass.h"
#include "ZB_EcouteExclusionA.h"
#include "ZB_FichierDePartie.h"
#include "ZB_MiseBelote.h"
#include "ZB_MiseJass.h"
#include "ZB_PointsBelote.h"
#include "ZB_PointsJass.h"
#include "ZB_RoomTableOutils.h"
#include "ZB_VerrouEvenements.h"

#include <QIODevice>
#include <QTextStream>
#include <QTime>

// ZB_RoomTable: construction, the players, a new match, resets, loading and
// replaying a stored table.

using namespace ZB_RoomTableOutils;

ZB_RoomTable::ZB_RoomTable(QObject* parent, bool modeSimple, bool reseedAChaqueReset)
    : QObject(parent)
    , m_derniereActivite(QDateTime::currentDateTimeUtc())
    , m_random(static_cast<quint32>(QTime::currentTime().msec()))
    , m_modeSimple(modeSimple)
    , m_reseedAChaqueReset(reseedAChaqueReset)
{
}

ZB_RoomTable::~ZB_RoomTable()
{
    // The players go first: they hold the deal and the deck's cards. The
    // deal may outlive the table (the display shares it), so it forgets
    // the points record before the members free it.
    m_sieges.libereJoueurs();
    lacheLaPartie_();
    setMessageBoxDisplayer(nullptr);
}

void ZB_RoomTable::initialise(ZB_EcouteExclusionA* room, GM_MessageBoxDisplayerA* displayer, int noTable,
                              DisplayA* display, ListeDesEvenements* liste, bool pasDAnnulation,
                              const QString& texte1, const QString& texte2, bool afficheAnalyse)
{
    setMessageBoxDisplayer(displayer);
    m_noTable = noTable;
    m_display = display;
    m_listeDesEvenements = liste;
    m_annulation.desactive(pasDAnnulation);
    m_texte1 = texte1;
    m_texte2 = texte2;
    m_afficheAnalyse = afficheAnalyse;

    for (int siege = 0; siege < NombreDeSieges; ++siege) {
        m_sieges.assoit(siege, nullptr);
        auto joueur = std::make_unique<JoueurHumain>();
        joueur->setMessageBoxDisplayer(displayer);
        // The table owns the players, so the connection goes with them.
        JoueurHumain* assis = joueur.get();
        connect(
            assis, &JoueurHumain::signalPlayerExcluded, this,
            [this, room, siege, assis] {
                m_sieges.noteExclusion(siege, assis->options_.id_);
                // The computer plays the seat from now on: its plate says so
                // at once, not at the next deal.
                if (m_display != nullptr)
                    m_display->setJoueur(siege, assis);
                if (room != nullptr)
                    room->OnPlayerExcluded();
            },
            Qt::DirectConnection);
        connect(joueur.get(), &JoueurHumain::signalPlayerTooSlow, this, &ZB_RoomTable::OnPlayerTooSlow);
        m_sieges.assoit(siege, std::move(joueur));
    }
}

JoueurHumain* ZB_RoomTable::getJoueur(int noJoueur) const
{
    return m_sieges.joueur(noJoueur);
}

bool ZB_RoomTable::estMemeCompte(int noJoueur) const
{
    return m_sieges.estMemeCompte(noJoueur);
}

int ZB_RoomTable::getEtatCourant() const
{
    return m_listeDesEvenements != nullptr ? m_listeDesEvenements->getEtatAttendu() : EtatDeJeu::Aucun;
}

int ZB_RoomTable::getNoJoueurLocal() const
{
    return m_sieges.siegeLocal();
}

int ZB_RoomTable::getJoueurQuiDoitJouer() const
{
    return getJoueurQuiDoitJouer(getEtatCourant());
}

int ZB_RoomTable::getJoueurQuiDoitJouer(int etat) const
{
    return decisions_de_table::siegeQuiDoitJouer(etat, m_settingsPartie.joueurQuiCommenceLaProchainePartie,
                                                 m_partie.isNull() ? -1 : m_partie->noDuProchainAJouer_);
}

int ZB_RoomTable::siegeDeLaDecision_(int genre, int etat) const
{
    return decisions_de_table::siegeDeLaDecision(genre, etat, m_settingsPartie.joueurQuiCommenceLaProchainePartie);
}

void ZB_RoomTable::initialiseJoueur_(JoueurHumain* joueur, const OptionsDuJoueur& options, int noJoueur)
{
    joueur->partieEnLigne_ = m_reseau;
    joueur->initialise(options, this, noJoueur, m_afficheAnalyse, m_typeDePartie, m_reseau, m_display,
                       m_optionsDePartie.delaiReponse_, m_modeSimple);
}

void ZB_RoomTable::inscritJoueur(int noJoueur, const OptionsDuJoueur& options, int mode, bool reentree)
{
    JoueurHumain* joueur = getJoueur(noJoueur);
    if (joueur == nullptr)
        return;
    if (reentree && joueur->getContexteDeJeu() != nullptr) {
        // The player's hand and requests of the running deal survive the new
        // record.
        JoueurHumain temporaire;
        temporaire.setMessageBoxDisplayer(getMessageBoxDisplayer());
        initialiseJoueur_(&temporaire, options, noJoueur);
        temporaire.copieEtat(*joueur);
        initialiseJoueur_(joueur, options, noJoueur);
        joueur->copieEtat(temporaire);
        m_sieges.changeCompte(noJoueur, options.idCompte_);
    } else {
        initialiseJoueur_(joueur, options, noJoueur);
    }
    joueur->setMode(mode);
    m_sieges.retireEntrees(joueur->options_.id_);
    if (m_display != nullptr)
        m_display->setJoueur(noJoueur, joueur);
    if (m_listeDesEvenements != nullptr)
        m_listeDesEvenements->joueurDistant_[size_t(noJoueur)] =
            joueur->options_.distant_ != 0 || joueur->modeJeu_ == Joueur::ModeEnAttenteDEntree;
}

void ZB_RoomTable::nouvellePartie(int modeReseau, const OptionsDePartie& options)
{
    m_optionsDePartie = options;
    m_reseau = modeReseau != ReseauLocal;
    m_serveur = modeReseau == ReseauServeur;
    m_miroir = modeReseau == ReseauClient;

    // -1 means "no request" to the event list, which would then take stale
    // answers.
    do {
        m_settingsPartie.noDemande = static_cast<int>(m_random.generate());
    } while (m_settingsPartie.noDemande == -1);

    if (options.idPreset_ == TypeDePartie::ID_PERSONALISE) {
        m_typeDePartie = options.typeDePartie_;
    } else {
        TypeDePartie::initTypesDePartie(options.genre_);
        m_typeDePartie = TypeDePartie::getTypeDePartie(options.idPreset_);
    }
    m_annulation.oublie();
    m_sieges.oublieExclusions();

    m_settingsPartie.huitTours_ = options.modeDeJeu_ == OptionsDePartie::ModeConcours;
    m_settingsPartie.toursAtout_ = options.modeDeJeu_ == OptionsDePartie::ModeCoiffeur;
    if (m_settingsPartie.huitTours_) {
        m_settingsPartie.toursJoues_ = 0;
        m_settingsPartie.rotationDonne_ = false;
    }
    m_settingsPartie.compteursAtout_ = QList<int>(TypeDePartie::NOMBRE_MODES, 0);
    m_settingsPartie.donnesJouees_ = 0;

    m_settingsPartie.texteGenerateur_ = m_settingsPartie.random_.sauveValeursDansString();
    m_statsPartie.idTexte_ = m_settingsPartie.texteGenerateur_;

    m_statsPartie.typePartie_ = m_typeDePartie.genre_ == TypeDePartie::GenreJass ? 1 : 2;
    m_statsPartie.valeurs_[0] = options.idPreset_;
    m_statsPartie.valeurs_[2] = options.modeDeJeu_;
    m_statsPartie.valeurs_[3] = -1;
    m_statsPartie.indicateur_ = m_reseau;
    m_statsPartie.valeur4_ = static_cast<int>(options.idPartie_ & 0xffffffff);
    m_statsPartie.id2_ = m_noTable;

    // The eight rounds and the trump rounds are as long as their deals. A
    // match by imposed trumps keeps its type's target and ends at it or when
    // no trump is left, whichever comes first: the tournament types count
    // their deals by a target no match reaches, and a type whose seats win
    // the trump by bidding, which the table never imposes, still ends.
    m_scoreObjectif = (m_settingsPartie.huitTours_ || m_settingsPartie.toursAtout_) ? ScoreSansFin
                                                                                     : m_typeDePartie.pointsObjectif_;
    m_statsPartie.valeurs_[1] = m_scoreObjectif;
}

void ZB_RoomTable::reinitialise(bool garderGenerateur)
{
    if (m_noTable == 0 && m_display != nullptr) {
        m_display->finDeDonne(garderGenerateur);
        m_display->afficheBoutonsAnnuler(false, false);
    }
    for (int i = 0; i < NombreDeSieges; ++i) {
        JoueurHumain* joueur = getJoueur(i);
        if (joueur == nullptr)
            continue;
        joueur->getAide()->annuleDemande();
        joueur->setContexteDeJeu(nullptr);
        joueur->demandePanneau_ = false;
        if (m_listeDesEvenements != nullptr)
            m_listeDesEvenements->joueurDistant_[size_t(i)] = true;
    }
    lacheLaPartie_();
    if (m_noTable == 0 && m_display != nullptr)
        m_display->setPartie(QSharedPointer<Partie>());
    m_mise.reset();
    m_points.reset();

    m_etatsBelote = {};
    m_dernierAtoutDessine = -1;
    m_annonces = {};
    m_siegesAnnonces = {-1, -1, -1, -1};
    m_nombreAnnonces = 0;
    m_annoncesDecidees = false;
    m_statusMise = ZB_StatusMise();
    m_compteurPasse = 0;
    m_statsPartie = GM_GameStats();
    m_statsAvantDonne = GM_GameStats();
    m_settingsPartie.stats_ = GM_GameStats();
    m_settingsPartie.scores_ = {0, 0};
    m_settingsPartie.joueurQuiCommenceLaProchainePartie = -10;
    // Back to the first value of the same stream.
    m_settingsPartie.random_.initialise(m_settingsPartie.random_.getGraine());
    m_settingsPartie.texteGenerateur_.clear();
    m_settingsPartie.textePiles_.clear();
    if (!garderGenerateur || m_reseedAChaqueReset)
        m_settingsPartie.random_.reseedFromTime();
    if (m_listeDesEvenements != nullptr)
        m_listeDesEvenements->setEtatAttendu(EtatDeJeu::Aucun);
    m_derniereActivite = QDateTime::currentDateTimeUtc();
}

bool ZB_RoomTable::chargeTable(QTextStream& in, int* nombreDeLignes)
{
    // The table keeps nothing of a block that does not read: a later replay
    // must not run the lines of another game.
    m_lignes.clear();
    QStringList lues;
    if (!ZB_FichierDePartie::lisTable(in, lues, nombreDeLignes))
        return false;
    m_lignes = lues;
    return true;
}

bool ZB_RoomTable::chargeTable(const QStringList& bloc, int* nombreDeLignes)
{
    // Read as the text it came from, so that a block kept in memory and one
    // in a file follow the same rules.
    QString texte = bloc.join(QLatin1String("\r\n"));
    QTextStream in(&texte, QIODevice::ReadOnly);
    return chargeTable(in, nombreDeLignes);
}

bool ZB_RoomTable::rejoue(int modeVue, ListeDesEvenements::ReplayRequester* demandeur)
{
    if (m_display != nullptr)
        m_display->setModeVue(modeVue);
    if (m_listeDesEvenements == nullptr)
        return false;
    m_rejeuSansPause = modeVue == ModeVueSansAnimation;
    ZB_VerrouEvenements<ListeDesEvenements> verrou(*m_listeDesEvenements);
    ListeDesEvenements* liste = m_listeDesEvenements;
    try {
        liste->recommence(EtatDeJeu::AttendInscriptionPartie);
        // A stored record holds every move: one that stops following the
        // game must not leave the table waiting for a move that never comes.
        liste->replay(m_lignes, SiegeTable, m_miroir, -1, demandeur, true);
        liste->flush_unlocked();
    } catch (...) {
        if (m_display != nullptr)
            m_display->afficheTable();
        throw;
    }
    return true;
}

void ZB_RoomTable::afficheAnalyses(bool afficher)
{
    for (JoueurHumain* joueur : m_sieges.joueurs()) {
        if (joueur == nullptr)
            continue;
        joueur->cartesVisibles_ =
            afficher ? 1 : ((joueur->options_.ordinateur_ == 0 && joueur->options_.distant_ == 0) ? 1 : 0);
        if (joueur->estJoueurManuel() && m_display != nullptr)
            if (DisplayAPanelDeJoueur* panel = m_display->getPanelDeJoueur(joueur->noJoueur_))
                panel->afficheCartes(joueur->main_, joueur->cartesVisibles_ == 0);
        if (afficher)
            joueur->afficheAnalyse();
        else
            joueur->cacheAnalyse();
    }
}

void ZB_RoomTable::oublieSessionEnLigne()
{
    m_sieges.oublieSession();
}

void ZB_RoomTable::redevientLocale()
{
    m_reseau = false;
    m_serveur = false;
    m_miroir = false;
    for (JoueurHumain* joueur : m_sieges.joueurs())
        if (joueur != nullptr)
            joueur->partieEnLigne_ = false;
}
