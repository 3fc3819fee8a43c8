#include "ZB_RoomTable.h"

#include "Carte.h"
#include "DisplayA.h"
#include "DisplayAPanelDeJoueur.h"
#include "GM_Exception.h"
#include "GM_SpacesSeparatedString.h"
#include "JoueurHumain.h"
#include "JoueurResau.h"
#include "Partie.h"
#include "StatusAtout.h"
#include "ZB_FichierDePartie.h"
#include "ZB_MiseA.h"
#include "ZB_PointsA.h"

#include <QMessageLogger>
#include <QIODevice>
#include <QMutexLocker>
#include <QTextStream>
#include <QTime>
#include <QTimer>

#include <exception>

namespace {

int modulo4(int n)
{
    return ((n % 4) + 4) % 4;
}

void avertit(const QString& message)
{
    QMessageLogger(__FILE__, __LINE__, Q_FUNC_INFO).warning("%s", qUtf8Printable(message));
}

// Kinds that are not a seat's own answer: they skip the player check.
bool estHorsControleJoueur(int genre)
{
    switch (genre) {
    case EvenementDeJeu::Fin:
    case EvenementDeJeu::Mes:
    case EvenementDeJeu::InJ:
    case EvenementDeJeu::ReJ:
    case EvenementDeJeu::JoO:
    case EvenementDeJeu::JoN:
    case EvenementDeJeu::JoM:
    case EvenementDeJeu::NeW:
        return true;
    default:
        return false;
    }
}

// Kinds that still apply when they answer an older request.
bool passeHorsDemande(int genre)
{
    switch (genre) {
    case EvenementDeJeu::RsV:
    case EvenementDeJeu::RsI:
    case EvenementDeJeu::ReE:
    case EvenementDeJeu::Enr:
    case EvenementDeJeu::Mes:
    case EvenementDeJeu::InP:
    case EvenementDeJeu::InJ:
    case EvenementDeJeu::ReJ:
    case EvenementDeJeu::JoO:
    case EvenementDeJeu::JoN:
    case EvenementDeJeu::JoM:
    case EvenementDeJeu::NeW:
        return true;
    default:
        return false;
    }
}

// A seat's moves: each names the seat that makes it and indexes the seats.
bool estCoupDeJoueur(int genre)
{
    switch (genre) {
    case EvenementDeJeu::Ram:
    case EvenementDeJeu::Cho:
    case EvenementDeJeu::Chm:
    case EvenementDeJeu::Ajo:
    case EvenementDeJeu::Dis:
    case EvenementDeJeu::Fin:
    case EvenementDeJeu::Ann:
        return true;
    default:
        return false;
    }
}

// Facts only a table states: the snapshot and the inscriptions.
bool estFaitDeTable(int genre)
{
    return genre == EvenementDeJeu::Enr || genre == EvenementDeJeu::InJ || genre == EvenementDeJeu::ReJ;
}

bool estSourceAdmise(const EvenementDeJeu& ev)
{
    switch (ev.source_) {
    case EvenementDeJeu::Local_AI:
    case EvenementDeJeu::Local_Human:
    case EvenementDeJeu::Remote_AI:
    case EvenementDeJeu::Remote_Human:
    case EvenementDeJeu::SourceRemote_Human_OtherPlayerMessageReturned:
    case EvenementDeJeu::SourceRemote_AI_OtherPlayerMessageReturned:
        return true;
    case EvenementDeJeu::SourceRemote_Human_MyOwnMessageReturned:
    case EvenementDeJeu::SourceRemote_AI_MyOwnMessageReturned:
        return ev.mode_ != 0;
    default:
        return false;
    }
}

// Built by this table, by the server's table or rewritten for this machine.
bool vientDeLaTable(const EvenementDeJeu& ev)
{
    if (ev.noJoueur_ != ZB_RoomTable::SiegeTable)
        return false;
    switch (ev.source_) {
    case EvenementDeJeu::Local_Table:
    case EvenementDeJeu::Remote_Table:
    case EvenementDeJeu::SourceRemote_Table_LocalTableTransform:
    case EvenementDeJeu::SourceRemote_Table_MyOwnMessageReturned:
    case EvenementDeJeu::SourceRemote_Table_OtherPlayerMessageReturned:
        return true;
    default:
        return false;
    }
}

int indexDeCarte(const QString& texte)
{
    const QStringList parties = texte.split(QLatin1Char('_'));
    if (parties.size() != 2)
        return ZB_RoomTable::AucuneCarte;
    bool okCouleur = false;
    bool okValeur = false;
    const int couleur = parties.at(0).toInt(&okCouleur);
    const int valeur = parties.at(1).toInt(&okValeur);
    if (!okCouleur || !okValeur || couleur < 1 || couleur > 4 || valeur < 6 || valeur > 14)
        return ZB_RoomTable::AucuneCarte;
    return Carte::indexDe(couleur, valeur);
}

} // namespace

ZB_RoomTable::ZB_RoomTable(QObject* parent, bool modeSimple, bool reseedAChaqueReset)
    : QObject(parent)
    , m_derniereActivite(QDateTime::currentDateTimeUtc())
    , m_random(static_cast<quint32>(QTime::currentTime().msec()))
    , m_modeSimple(modeSimple)
    , m_reseedAChaqueReset(reseedAChaqueReset)
{
    for (int i = 0; i < NombreDeSieges; ++i)
        m_joueurs.append(nullptr);
}

ZB_RoomTable::~ZB_RoomTable()
{
    for (JoueurHumain*& joueur : m_joueurs) {
        delete joueur;
        joueur = nullptr;
    }
    m_partie.clear();
    delete m_mise;
    delete m_points;
    setMessageBoxDisplayer(nullptr);
}

void ZB_RoomTable::initialise(QObject* room, GM_MessageBoxDisplayerA* displayer, int noTable, DisplayA* display,
                              ListeDesEvenements* liste, bool pasDAnnulation, const QString& texte1,
                              const QString& texte2, bool afficheAnalyse)
{
    setMessageBoxDisplayer(displayer);
    m_noTable = noTable;
    m_display = display;
    m_listeDesEvenements = liste;
    m_pasDAnnulation = pasDAnnulation;
    m_texte1 = texte1;
    m_texte2 = texte2;
    m_afficheAnalyse = afficheAnalyse;

    // A room without an exclusion slot (a test bench) simply hears nothing.
    const bool roomEcoute =
        room != nullptr && room->metaObject()->indexOfSlot("OnPlayerExcluded()") >= 0;
    for (int i = 0; i < NombreDeSieges; ++i) {
        delete m_joueurs[i];
        auto* joueur = new JoueurHumain;
        joueur->setMessageBoxDisplayer(displayer);
        if (roomEcoute)
            connect(joueur, SIGNAL(signalPlayerExcluded()), room, SLOT(OnPlayerExcluded()), Qt::DirectConnection);
        connect(joueur, &JoueurHumain::signalPlayerTooSlow, this, &ZB_RoomTable::OnPlayerTooSlow);
        m_joueurs[i] = joueur;
    }
}

JoueurHumain* ZB_RoomTable::getJoueur(int noJoueur) const
{
    return (noJoueur >= 0 && noJoueur < m_joueurs.size()) ? m_joueurs.at(noJoueur) : nullptr;
}

bool ZB_RoomTable::estMemeCompte(int noJoueur) const
{
    return noJoueur >= 0 && noJoueur < NombreDeSieges && m_memeCompte[size_t(noJoueur)] != 0;
}

int ZB_RoomTable::getEtatCourant() const
{
    return m_listeDesEvenements != nullptr ? m_listeDesEvenements->etatAttendu_ : 0;
}

int ZB_RoomTable::getNoJoueurLocal() const
{
    for (int i = NombreDeSieges - 1; i >= 0; --i)
        if (m_joueurs.at(i) != nullptr && m_joueurs.at(i)->estJoueurManuel())
            return i;
    return -1;
}

int ZB_RoomTable::getJoueurQuiDoitJouer() const
{
    return getJoueurQuiDoitJouer(getEtatCourant());
}

int ZB_RoomTable::getJoueurQuiDoitJouer(int etat) const
{
    const int debut = m_settingsPartie.joueurQuiCommenceLaProchainePartie;
    if (etat >= 11 && etat <= 26)
        return modulo4(debut + (etat - 11) % 4);
    if (etat >= 29 && etat <= 32)
        return modulo4(debut + (etat - 29));
    switch (etat) {
    case 134:
    case 135:
        return 0;
    case 136:
        return 2;
    case 137:
        return 1;
    case 138:
        return 3;
    default:
        break;
    }
    if (etat >= 33 && etat <= 133)
        return m_partie.isNull() ? -1 : m_partie->noDuProchainAJouer_;
    return 0;
}

int ZB_RoomTable::siegeDeLaDecision_(int genre, int etat) const
{
    const int debut = m_settingsPartie.joueurQuiCommenceLaProchainePartie;
    switch (genre) {
    case EvenementDeJeu::Cho:
        if (etat == 27)
            return modulo4(debut);
        if (etat == 28)
            return modulo4(debut + 2);
        return -1;
    case EvenementDeJeu::Chm:
        return (etat >= 11 && etat <= 26) ? getJoueurQuiDoitJouer(etat) : -1;
    case EvenementDeJeu::Ann:
        return (etat >= 29 && etat <= 32) ? getJoueurQuiDoitJouer(etat) : -1;
    default:
        return -1;
    }
}

bool ZB_RoomTable::refuse_(const EvenementDeJeu& ev, const QString& raison) const
{
    avertit(QStringLiteral("ZB_RoomTable::cb_executeUnEvenement, event '%1' from seat %2 (player %3) has been "
                           "REFUSED: %4")
                .arg(ev.toString(m_version), QString::number(ev.noJoueur_), QString::number(ev.idJoueur_), raison));
    return false;
}

void ZB_RoomTable::customEvent(QEvent* event)
{
    QObject::customEvent(event);
    if (event->type() != static_cast<QEvent::Type>(ZB_Event::EvenementDeJeu) || event->isAccepted())
        return;
    auto* ev = dynamic_cast<EvenementDeJeu*>(event);
    if (ev == nullptr || m_listeDesEvenements == nullptr) {
        event->accept();
        return;
    }

    ListeDesEvenements* liste = m_listeDesEvenements;
    QMutexLocker verrou(liste->getMutex());
    // A peer's event that does not read, or that the rules refuse with an
    // exception, must not reach the application's handler: it is dropped
    // here. The list takes an event off its queue before running it, so the
    // events behind it still run.
    bool entree = true;
    for (int essai = 0; essai <= ListeDesEvenements::NombreEtats; ++essai) {
        QString erreur;
        try {
            if (entree)
                liste->execute_unlocked(m_settingsPartie.noDemande, *ev, true);
            entree = false;
            liste->flush_unlocked();
            break;
        } catch (const GM_Exception& e) {
            erreur = e.getMessage();
        } catch (const std::exception& e) {
            erreur = QString::fromUtf8(e.what());
        } catch (...) {
            erreur = QStringLiteral("unknown exception");
        }
        entree = false;
        avertit(QStringLiteral("ZB_RoomTable::customEvent, event '%1' has been DROPPED: %2")
                    .arg(ev->toString(m_version), erreur));
    }
    event->accept();
}

bool ZB_RoomTable::cb_executeUnEvenement(const EvenementDeJeu& ev)
{
    const int genre = ev.type_;

    // A seat's answer must come from whoever sits there.
    if (ev.idJoueur_ != -1 && !estHorsControleJoueur(genre)) {
        if (!estSourceAdmise(ev) || !ev.valide_ || ev.noJoueur_ < 0 || ev.noJoueur_ >= NombreDeSieges
            || m_joueurs.at(ev.noJoueur_) == nullptr)
            return false;
        if (!m_miroir && ev.mode_ == 0 && m_joueurs.at(ev.noJoueur_)->options_.id_ != ev.idJoueur_)
            return false;
    }
    // Without an id the check above proves nothing: only the table itself
    // may send such an event.
    if (ev.idJoueur_ == -1 && !estHorsControleJoueur(genre) && !vientDeLaTable(ev))
        return refuse_(ev, QStringLiteral("no player id and not from the table"));
    if (estFaitDeTable(genre) && ev.noJoueur_ != SiegeTable)
        return refuse_(ev, QStringLiteral("only the table states this"));
    if (estCoupDeJoueur(genre) && (ev.noJoueur_ < 0 || ev.noJoueur_ >= NombreDeSieges)) {
        const bool atoutAutomatique =
            genre == EvenementDeJeu::Cho && ev.noJoueur_ == SiegeTable && vientDeLaTable(ev);
        if (!atoutAutomatique)
            return refuse_(ev, QStringLiteral("seat outside the table"));
    }

    if (ev.noDemande_ != m_settingsPartie.noDemande && !passeHorsDemande(genre))
        return false;

    bool resultat = true;
    switch (genre) {
    case EvenementDeJeu::Mes: {
        const JoueurHumain* auteur = getJoueur(ev.noJoueur_);
        const QString nom = auteur != nullptr ? auteur->options_.getNomAffiche() : tr("Serveur");
        if (m_display != nullptr)
            m_display->afficheMessageReseau(nom + QLatin1String(": ") + ev.texte_);
        return true;
    }
    case EvenementDeJeu::Ram:
        ramasse(ev);
        break;
    case EvenementDeJeu::Cho: {
        const bool parLaTable = ev.noJoueur_ == SiegeTable;
        if (parLaTable) {
            if (ev.etat_ != 27 || (m_typeDePartie.atoutAutomatique_ != 1 && m_typeDePartie.atoutAutomatique_ != 2))
                return refuse_(ev, QStringLiteral("the table chooses trump only in automatic-trump games"));
        } else if (siegeDeLaDecision_(genre, ev.etat_) != ev.noJoueur_) {
            return refuse_(ev, QStringLiteral("not this seat's trump choice"));
        }
        StatusAtout atout;
        atout.chargeValeursDepuisString(ev.texte_);
        atoutChoisi(ev.noJoueur_, atout);
        break;
    }
    case EvenementDeJeu::Chm: {
        if (siegeDeLaDecision_(genre, ev.etat_) != ev.noJoueur_)
            return refuse_(ev, QStringLiteral("not this seat's bid"));
        ZB_StatusMise mise;
        mise.chargeValeursDepuisString(ev.texte_);
        miseChoisie(ev.noJoueur_, mise);
        break;
    }
    case EvenementDeJeu::Ajo:
        resultat = executeCarte_(ev);
        break;
    case EvenementDeJeu::Dis: {
        m_partie.clear();
        int nombre = m_typeDePartie.genre_ == TypeDePartie::GenreBelote ? 8 : 9;
        if (m_typeDePartie.contrat_ == TypeDePartie::ContratFixe || m_typeDePartie.contrat_ == TypeDePartie::ContratVache)
            nombre -= 3;
        reponse_ActionDistribue(nombre, ev.mode_ == 0);
        break;
    }
    case EvenementDeJeu::Fin:
        resultat = executeFin_(ev);
        break;
    case EvenementDeJeu::Enr: {
        // Read aside first: a snapshot that fails half-way must not leave
        // the table with half of it.
        ZB_SettingsPartie lu(m_settingsPartie);
        lu.chargeValeursDepuisString(ev.texte_);
        m_settingsPartie = lu;
        m_historiqueAnnuler.clear();
        m_historiqueRefaire.clear();
        break;
    }
    case EvenementDeJeu::InP:
        resultat = false;
        break;
    case EvenementDeJeu::InJ:
        resultat = executeInscription_(ev);
        break;
    case EvenementDeJeu::ReJ:
        resultat = executeReinscription_(ev);
        break;
    case EvenementDeJeu::JoO:
        resultat = executeHorsLigne_(ev);
        break;
    case EvenementDeJeu::JoN:
        resultat = executeEntree_(ev);
        break;
    case EvenementDeJeu::JoM:
        resultat = executeEntreeSecondeVariante_(ev);
        break;
    case EvenementDeJeu::NeW:
        break;
    case EvenementDeJeu::Ann:
        resultat = executeAnnonce_(ev);
        break;
    default:
        throw GM_Exception(tr("Evènement invalide dans le fichier *.jss"));
    }

    if (ev.mode_ != 1 && m_display != nullptr)
        m_display->rafraichit();
    return resultat;
}

bool ZB_RoomTable::executeCarte_(const EvenementDeJeu& ev)
{
    JoueurHumain* joueur = m_joueurs.at(ev.noJoueur_);
    if (joueur == nullptr)
        return false;
    if (!joueur->estJoueurManuel() && m_display != nullptr)
        m_display->restaureCurseur();

    const int index = indexDeCarte(ev.texte_);
    if (index == AucuneCarte || !joueur->main_.contientIndex(index)) {
        QStringList cartes;
        for (const Carte* carte : joueur->main_)
            cartes << carte->toString();
        avertit(QStringLiteral("ZB_RoomTable::cb_executeUnEvenement, Player = %1 (Options = %2) has cards = {%3}, "
                               "and requested card %4 is MISSING")
                    .arg(QString::number(ev.noJoueur_), joueur->options_.sauveValeursDansString(),
                         cartes.join(QLatin1String(", ")), ev.toString(m_version)));
        return false;
    }

    const int attendu = getJoueurQuiDoitJouer();
    if (attendu == ev.noJoueur_) {
        joueCarte(ev.noJoueur_, joueur->main_.getCarte(index));
        return true;
    }
    avertit(QStringLiteral("ZB_RoomTable::cb_executeUnEvenement, Player = %1 (Options = %2) is not the player "
                           "supposed to play (expected = %3), card play '%4' has been IGNORED")
                .arg(QString::number(ev.noJoueur_), joueur->options_.sauveValeursDansString(),
                     QString::number(attendu), ev.toString(m_version)));
    return false;
}

bool ZB_RoomTable::executeFin_(const EvenementDeJeu& ev)
{
    const bool ok = ev.texte_ == QLatin1String("Ok");
    const int local = getNoJoueurLocal();
    const bool refusLocal = local >= 0 && m_joueurs.at(local)->options_.id_ == ev.idJoueur_ && !ok;

    if (!m_serveur && refusLocal) {
        QTimer::singleShot(1, this, &ZB_RoomTable::OnDisconnectClient);
        return true;
    }
    const int etat = getEtatCourant();
    if (m_optionsDePartie.collecteReponses_ == 0 && ev.source_ != EvenementDeJeu::Local_AI) {
        if (etat == 135)
            m_reponseNouvellePartie = ok ? 1 : 0;
        else
            m_reponseNouvellePartie |= ok ? 1 : 0;
    }
    if (etat == 138) {
        m_listeDesEvenements->etatAttendu_ = 139;
        QTimer::singleShot(0, this, &ZB_RoomTable::OnQuestionNouvellePartie);
    }
    for (int i = 0; i < NombreDeSieges; ++i) {
        const qint64 compte = m_joueurs.at(i)->options_.idCompte_;
        m_memeCompte[size_t(i)] = compte == m_comptes[size_t(i)] ? 1 : 0;
        m_comptes[size_t(i)] = compte;
    }
    if (m_serveur && refusLocal)
        setJoueurHorsLigne(local, true);
    return true;
}

bool ZB_RoomTable::executeAnnonce_(const EvenementDeJeu& ev)
{
    if (siegeDeLaDecision_(ev.type_, ev.etat_) != ev.noJoueur_)
        return refuse_(ev, QStringLiteral("not this seat's announcements"));
    // Four seats announce once each in the first trick.
    if (m_nombreAnnonces >= NombreDeSieges)
        return refuse_(ev, QStringLiteral("every seat has announced already"));
    const AnnoncesJoueur annonces(ev.texte_);
    m_annonces[size_t(m_nombreAnnonces)] = annonces;
    m_siegesAnnonces[size_t(m_nombreAnnonces)] = ev.noJoueur_;
    if (m_display != nullptr)
        m_display->afficheBulleJoueur(ev.noJoueur_, annonces);
    ++m_nombreAnnonces;
    return true;
}

bool ZB_RoomTable::executeInscription_(const EvenementDeJeu& ev)
{
    const int etat = getEtatCourant();
    if (etat < 2 || etat > 5)
        return refuse_(ev, QStringLiteral("inscription outside the seating states"));
    OptionsDuJoueur options;
    options.chargeValeursDepuisString(ev.texte_);
    const int siege = (etat + 2) % 4;
    const int modeAffichage = m_display != nullptr ? m_display->getModeAffichage() : 0;

    int mode = Joueur::ModeManuel;
    if (options.ordinateur_ != 0 || modeAffichage != 0) {
        if (options.distant_ == 1)
            mode = Joueur::ModeOrdinateurDistant;
        else
            mode = (modeAffichage & ~2) != 0 ? Joueur::ModeOrdinateurPartout : Joueur::ModeOrdinateur;
    } else if (options.distant_ == 1) {
        mode = Joueur::ModeHumainDistant;
    } else if (m_joueurs.at(siege)->modeJeu_ == Joueur::ModeEnAttenteDEntree) {
        mode = Joueur::ModeEnAttenteDEntree;
    }
    inscritJoueur(siege, options, mode, false);
    m_etatsEntreesTraites.insert(ev.etat_, options.id_);
    return true;
}

bool ZB_RoomTable::executeReinscription_(const EvenementDeJeu& ev)
{
    GM_SpacesSeparatedString texte(ev.texte_);
    const QString record = texte.getNext();
    const int siege = texte.nextInt();
    // The seat indexes the table: one outside it is a corrupted record.
    if (siege < 0 || siege >= NombreDeSieges)
        GM_SpacesSeparatedString::throwCorrupted();
    OptionsDuJoueur options;
    options.chargeValeursDepuisString(record);
    const int modeAffichage = m_display != nullptr ? m_display->getModeAffichage() : 0;

    int mode = Joueur::ModeManuel;
    if (options.ordinateur_ != 0 || modeAffichage != 0) {
        mode = options.distant_ == 1 ? Joueur::ModeOrdinateurDistant : Joueur::ModeOrdinateur;
    } else if (options.distant_ == 1) {
        mode = Joueur::ModeHumainDistant;
    } else {
        messageBox(GM::Information, tr("Information."), tr("Vous entrez en jeu durant ce tour."), GM::Ok);
    }
    inscritJoueur(siege, options, mode, true);
    m_etatsEntreesTraites.insert(ev.etat_, options.id_);
    return true;
}

bool ZB_RoomTable::executeHorsLigne_(const EvenementDeJeu& ev)
{
    retireEntrees_(ev.idJoueur_);
    int siege = ev.noJoueur_;
    if (siege == SiegeTable) {
        siege = -1;
        for (int i = 0; i < NombreDeSieges; ++i)
            if (m_joueurs.at(i)->options_.id_ == ev.idJoueur_) {
                siege = i;
                break;
            }
        if (siege == -1)
            return true;
    }
    if (siege < 0 || siege >= NombreDeSieges)
        return refuse_(ev, QStringLiteral("seat outside the table"));

    if (m_serveur && !m_entreesDonne.contains(siege)) {
        OptionsDuJoueur ordinateur;
        ordinateur.ordinateur_ = 1;
        ordinateur.optionsAI_ = OptionsAI(0.25, 0.08, 0.5, 5000);
        ordinateur.id_ = OptionsDuJoueur::genereId();
        m_entreesDonne.insert(siege, ordinateur);
    }
    JoueurHumain* joueur = m_joueurs.at(siege);
    const qint64 compte = joueur->options_.idCompte_;
    if (compte != -1) {
        GM_GameStatsPlayer& stats = m_statsPartie.getPlayer(compte);
        stats.databaseId = compte;
        stats.indicateur_ = true;
    }
    if (joueur->options_.ordinateur_ == 0)
        joueur->setMode(joueur->options_.distant_ == 1 && m_serveur ? Joueur::ModeRemplacant : Joueur::ModeHorsLigne);
    if (m_display != nullptr)
        m_display->setJoueur(siege, joueur);
    return true;
}

bool ZB_RoomTable::executeEntree_(const EvenementDeJeu& ev)
{
    if (ev.noJoueur_ < 0 || ev.noJoueur_ >= NombreDeSieges)
        return refuse_(ev, QStringLiteral("seat outside the table"));
    OptionsDuJoueur options;
    options.chargeValeursDepuisString(ev.texte_);
    const int siege = ev.noJoueur_;
    if (options.distant_ == 0) {
        if (!m_serveur)
            m_joueurs.at(siege)->setMode(Joueur::ModeEnAttenteDEntree);
        messageBox(GM::Information, tr("Information."),
                   tr("Comme la partie est déjà bien avancée, vous entrerez en jeu lors de la prochaine donne. "
                      "Merci de patienter."),
                   GM::Ok);
    }
    if (m_serveur) {
        m_entreesDonne.remove(siege);
        m_entreesPli.remove(siege);
        m_entreesDonne.insert(siege, options);
    }
    return true;
}

bool ZB_RoomTable::executeEntreeSecondeVariante_(const EvenementDeJeu& ev)
{
    if (ev.noJoueur_ < 0 || ev.noJoueur_ >= NombreDeSieges)
        return refuse_(ev, QStringLiteral("seat outside the table"));
    OptionsDuJoueur options;
    options.chargeValeursDepuisString(ev.texte_);
    const int siege = ev.noJoueur_;
    m_etatsEntreesTraites.insert(ev.etat_, options.id_);
    if (m_serveur) {
        m_entreesDonne.remove(siege);
        m_entreesPli.remove(siege);
        m_entreesPli.insert(siege, options);
    } else {
        m_joueurs.at(siege)->setMode(Joueur::ModeEnAttenteDEntree);
    }
    return true;
}

void ZB_RoomTable::retireEntrees_(qint64 idJoueur)
{
    auto retire = [idJoueur](QMap<int, OptionsDuJoueur>& entrees) {
        for (auto it = entrees.begin(); it != entrees.end();) {
            if (it.value().id_ == idJoueur)
                it = entrees.erase(it);
            else
                ++it;
        }
    };
    retire(m_entreesDonne);
    retire(m_entreesPli);
    for (auto it = m_etatsEntreesTraites.begin(); it != m_etatsEntreesTraites.end();) {
        if (it.value() == idJoueur)
            it = m_etatsEntreesTraites.erase(it);
        else
            ++it;
    }
}

void ZB_RoomTable::initialiseJoueur_(JoueurHumain* joueur, const OptionsDuJoueur& options, int noJoueur)
{
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
        m_memeCompte[size_t(noJoueur)] = 0;
        m_comptes[size_t(noJoueur)] = options.idCompte_;
    } else {
        initialiseJoueur_(joueur, options, noJoueur);
    }
    joueur->setMode(mode);
    retireEntrees_(joueur->options_.id_);
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
    m_historiqueAnnuler.clear();
    m_historiqueRefaire.clear();

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
        JoueurHumain* joueur = m_joueurs.at(i);
        if (joueur == nullptr)
            continue;
        joueur->getAide()->annuleDemande();
        joueur->setContexteDeJeu(nullptr);
        joueur->demandePanneau_ = false;
        if (m_listeDesEvenements != nullptr)
            m_listeDesEvenements->joueurDistant_[size_t(i)] = true;
    }
    m_partie.clear();
    if (m_noTable == 0 && m_display != nullptr)
        m_display->setPartie(QSharedPointer<Partie>());
    delete m_mise;
    m_mise = nullptr;
    delete m_points;
    m_points = nullptr;

    m_etatsBelote = {};
    m_dernierAtoutDessine = -1;
    m_annonces = {};
    m_siegesAnnonces = {-1, -1, -1, -1};
    m_nombreAnnonces = 0;
    m_statusMise = ZB_StatusMise();
    m_compteurPasse = 0;
    m_statsPartie = GM_GameStats();
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
        m_listeDesEvenements->etatAttendu_ = 0;
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
    ListeDesEvenements* liste = m_listeDesEvenements;
    liste->lock();
    try {
        liste->etatAttendu_ = 1;
        liste->clear();
        liste->replay(m_lignes, SiegeTable, m_miroir, -1, demandeur);
        liste->flush_unlocked();
    } catch (...) {
        if (m_display != nullptr)
            m_display->afficheTable();
        liste->unlock();
        throw;
    }
    liste->unlock();
    return true;
}

void ZB_RoomTable::afficheAnalyses(bool afficher)
{
    for (JoueurHumain* joueur : std::as_const(m_joueurs)) {
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

// ---- Not built yet: state machine, deal, bids and trump, tricks. ----

void ZB_RoomTable::continueLeJeu(int mode, double* delai, bool relance, bool force)
{
    Q_UNUSED(delai);
    Q_UNUSED(relance);
    Q_UNUSED(force);
    // Only the bookkeeping every continuation does; the states are served
    // with the state machine.
    if (mode == 0 && !m_reseau) {
        if (getEtatCourant() > 10)
            m_partieEnCours = true;
    } else {
        m_partieEnCours = false;
    }
    m_derniereActivite = QDateTime::currentDateTimeUtc();
}

void ZB_RoomTable::reponse_ActionDistribue(int nombreDeCartes, bool enDirect)
{
    Q_UNUSED(nombreDeCartes);
    Q_UNUSED(enDirect);
}

void ZB_RoomTable::joueCarte(int noJoueur, Carte* carte)
{
    // Only shown for now; taking the card out of the hands and applying it
    // to the deal come with the trick rules.
    if (m_display != nullptr)
        m_display->afficheCarteJouee(noJoueur, carte);
}

void ZB_RoomTable::ramasse(const EvenementDeJeu& ev)
{
    Q_UNUSED(ev);
}

void ZB_RoomTable::atoutChoisi(int noJoueur, const StatusAtout& atout)
{
    Q_UNUSED(noJoueur);
    Q_UNUSED(atout);
}

void ZB_RoomTable::miseChoisie(int noJoueur, const ZB_StatusMise& mise)
{
    Q_UNUSED(noJoueur);
    Q_UNUSED(mise);
}

void ZB_RoomTable::setJoueurHorsLigne(int noJoueur, bool notifie)
{
    Q_UNUSED(noJoueur);
    Q_UNUSED(notifie);
}

void ZB_RoomTable::OnPlayerTooSlow(qint64 dataBaseUserId, double penalite)
{
    Q_UNUSED(dataBaseUserId);
    Q_UNUSED(penalite);
}

void ZB_RoomTable::OnQuestionNouvellePartie()
{
    emit signalNouvellePartieQuestion(m_reponseNouvellePartie);
}

void ZB_RoomTable::OnDisconnectClient()
{
}
