#include "ZB_RoomTable.h"

#include "Annonce.h"
#include "Carte.h"
#include "DisplayA.h"
#include "DisplayAPanelDeJoueur.h"
#include "GM_Exception.h"
#include "GM_GamePenalty.h"
#include "GM_SocketAbstract.h"
#include "GM_SpacesSeparatedString.h"
#include "JoueurHumain.h"
#include "JoueurResau.h"
#include "Partie.h"
#include "StatusAtout.h"
#include "ZB_FichierDePartie.h"
#include "ZB_DeckBelote.h"
#include "ZB_DeckJass.h"
#include "ZB_MiseBelote.h"
#include "ZB_MiseJass.h"
#include "ZB_PointsBelote.h"
#include "ZB_PointsJass.h"
#include "ZB_ServerSeatingA.h"
#include "ZB_ServerSocketConnection.h"

#include <QCoreApplication>
#include <QMessageLogger>
#include <QCoreApplication>
#include <QIODevice>
#include <QMutexLocker>
#include <QTextStream>
#include <QTime>
#include <QTimer>

#include <algorithm>
#include <exception>
#include <initializer_list>
#include <memory>

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
        if (!atoutChoisi(ev.noJoueur_, atout))
            return refuse_(ev, QStringLiteral("the partner must choose a trump"));
        break;
    }
    case EvenementDeJeu::Chm: {
        if (siegeDeLaDecision_(genre, ev.etat_) != ev.noJoueur_)
            return refuse_(ev, QStringLiteral("not this seat's bid"));
        ZB_StatusMise mise;
        mise.chargeValeursDepuisString(ev.texte_);
        const QString raison = raisonRefusMise_(mise);
        if (!raison.isEmpty())
            return refuse_(ev, raison);
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
        if (estCoupDistantEnDirect_(ev))
            signaleCoupDistantRefuse_(ev, QStringLiteral("card %1 is not in the seat's hand").arg(ev.texte_.left(20)));
        return false;
    }

    const int attendu = getJoueurQuiDoitJouer();
    if (attendu == ev.noJoueur_) {
        Carte* carte = joueur->main_.getCarte(index);
        // The seats of this machine only ever offer legal cards; a peer's
        // client could send anything.
        if (estCoupDistantEnDirect_(ev)) {
            const int code = m_partie.isNull() ? 0 : m_partie->estCarteValide(carte, ev.noJoueur_, joueur->main_);
            if (!Partie::estCodeJouable(code)) {
                avertit(QStringLiteral("ZB_RoomTable::cb_executeUnEvenement, Player = %1 (Options = %2) may not play "
                                       "card %3 (reason %4: %5), card play '%6' has been REFUSED")
                            .arg(QString::number(ev.noJoueur_), joueur->options_.sauveValeursDansString(),
                                 carte->toString(), QString::number(code), texteValiditeCarte(code),
                                 ev.toString(m_version)));
                signaleCoupDistantRefuse_(ev, QStringLiteral("card %1 breaks the rules (reason %2)")
                                                  .arg(carte->toString(), QString::number(code)));
                return false;
            }
        }
        joueCarte(ev.noJoueur_, carte);
        return true;
    }
    avertit(QStringLiteral("ZB_RoomTable::cb_executeUnEvenement, Player = %1 (Options = %2) is not the player "
                           "supposed to play (expected = %3), card play '%4' has been IGNORED")
                .arg(QString::number(ev.noJoueur_), joueur->options_.sauveValeursDansString(),
                     QString::number(attendu), ev.toString(m_version)));
    return false;
}

bool ZB_RoomTable::estCoupDistantEnDirect_(const EvenementDeJeu& ev) const
{
    const bool sourceLocale = ev.source_ == EvenementDeJeu::Local_AI || ev.source_ == EvenementDeJeu::Local_Human
                           || ev.source_ == EvenementDeJeu::Local_Table;
    // A stored record is read as it was played, whatever it holds.
    const bool rejoue = m_listeDesEvenements != nullptr && m_listeDesEvenements->estReplayEnCours();
    return m_reseau && m_serveur && ev.mode_ == 0 && !sourceLocale && !rejoue;
}

void ZB_RoomTable::signaleCoupDistantRefuse_(const EvenementDeJeu& ev, const QString& raison) const
{
    if (m_refusCoupDistant)
        m_refusCoupDistant(ev.idJoueur_, raison);
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
        setPlayerOffline(local, true);
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
    m_annoncesDecidees = false;
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

// ---- State machine, deal, trump choice and tricks. ----

namespace {

constexpr int PremiersEtatsDeGroupe[] = {33, 41, 45, 49, 57, 61, 69, 73, 81, 85, 93, 101, 109, 117, 125, 130};


bool estEtatRamasse(int etat)
{
    for (int debut : {41, 57, 69, 81, 93, 101, 109, 117, 125, 130})
        if (etat >= debut && etat < debut + 4)
            return true;
    return false;
}

// The collect that ends a trick.
bool estFinDePli(int etat)
{
    switch (etat) {
    case 44: case 60: case 72: case 84: case 96: case 104: case 112: case 120: case 128:
        return true;
    default:
        return false;
    }
}

} // namespace

int ZB_RoomTable::premierEtatNouveauJoueur(int etat)
{
    for (int debut : {33, 49, 61, 73, 85})
        if (etat >= debut && etat < debut + 4)
            return debut;
    return -1;
}

int ZB_RoomTable::siegeDuGroupe_(int etat)
{
    for (int debut : PremiersEtatsDeGroupe)
        if (etat >= debut && etat < debut + 4)
            return etat - debut;
    return -1;
}

InfoDemande ZB_RoomTable::demande_(int etat, int mode) const
{
    return InfoDemande(etat, mode, m_settingsPartie.noDemande, m_noTable, m_version);
}

void ZB_RoomTable::afficheEtat_(int etat, int mode, int noJoueur, int second, int siegeQuiAgit)
{
    if (m_display == nullptr)
        return;
    m_display->afficheEtat(demande_(etat, mode), getJoueur(noJoueur), getJoueur(second),
                           siegeQuiAgit == -2 ? noJoueur : siegeQuiAgit, m_typeDePartie.atoutImpose_);
}

int ZB_RoomTable::totalDonne(int equipe) const
{
    return m_points != nullptr ? m_points->getScore(equipe) : 0;
}

bool ZB_RoomTable::longueurAtteinte_() const
{
    if (m_settingsPartie.huitTours_)
        return m_settingsPartie.toursJoues_ >= 8;
    if (m_settingsPartie.toursAtout_) {
        std::array<bool, TypeDePartie::NOMBRE_MODES> drapeaux{};
        const int permis = m_typeDePartie.getAtoutsPermis(drapeaux);
        return m_settingsPartie.donnesJouees_ >= 2 * permis;
    }
    const int automatique = m_typeDePartie.atoutAutomatique_;
    if (automatique == 1 || automatique == 2) {
        StatusAtout atout;
        return determineAtoutAutomatique(atout, automatique == 2) < 1;
    }
    return false;
}

int ZB_RoomTable::determineAtoutAutomatique(StatusAtout& atout, bool secondeRegle) const
{
    std::array<bool, TypeDePartie::NOMBRE_MODES> permis{};
    const int nombre = m_typeDePartie.getAtoutsPermis(permis);
    const int limite = secondeRegle ? 4 : 1;
    const int total = nombre * limite;
    int choisis = 0;
    int choix = -1;
    for (int mode : {4, 1, 2, 3, 5, 6, 7, 8, 9, 10, 11}) {
        if (!permis[size_t(mode)])
            continue;
        const int compteur = m_settingsPartie.getCompteurAtout(mode);
        choisis += compteur;
        if (choix == -1 && compteur < limite)
            choix = mode;
    }
    // Mode 0 is never drawn but still counts among the allowed ones.
    if (permis[0])
        choisis += m_settingsPartie.getCompteurAtout(0);
    if (choix != -1) {
        atout.chibre_ = false;
        atout.choisi_ = true;
        atout.atout_ = choix;
        const int multiplicateur = m_typeDePartie.multiplicateurs_[size_t(choix)];
        atout.multiplicateur_ = multiplicateur >= 1 ? multiplicateur : 1;
    }
    return total - choisis;
}

void ZB_RoomTable::afficheArdoise_()
{
    if (m_display == nullptr)
        return;
    const QList<int> stock = siegesStockAAfficher_();
    if (m_points == nullptr || m_partie.isNull()) {
        // Without a game the slate holds the two match scores only.
        ZB_PointsJass vide;
        m_display->afficheArdoise(vide, m_settingsPartie.scores_[0], m_settingsPartie.scores_[1], 1, QList<int>(),
                                  -1);
        return;
    }
    // A completed pair's bonus is already in the record (credited with the
    // card that completes it, so that a failed contract hands it over): the
    // slate shows the record as it is and never adds the bonus a second time.
    const int barree = m_points->chute_[0] ? 0 : m_points->chute_[1] ? 1 : -1;
    m_display->afficheArdoise(*m_points, m_settingsPartie.scores_[0], m_settingsPartie.scores_[1],
                              qMax(1, m_partie->multiplicateur_), stock, barree);
}

void ZB_RoomTable::continueLeJeu(int mode, double* delai, bool relance, bool force)
{
    // A stored record being replayed supplies every step itself, its live
    // lines included: a snapshot or inscription built here would replace the
    // recorded one in the list's queue, and a seat asked now would answer in
    // place of the record. The game goes on live once the replay is over.
    if (mode == 0 && m_listeDesEvenements != nullptr && m_listeDesEvenements->estReplayEnCours())
        mode = 1;
    if (mode == 0 && !m_reseau) {
        if (getEtatCourant() > 10)
            m_partieEnCours = true;
    } else {
        m_partieEnCours = false;
    }
    const int etat = getEtatCourant();
    const bool enDirect = mode == 0 && !m_miroir;
    const int debut = m_settingsPartie.joueurQuiCommenceLaProchainePartie;
    auto fixeDelai = [delai](double ms) {
        if (delai != nullptr)
            *delai = ms;
    };
    bool metAJourActivite = true;

    if (etat == 0 || etat == 1 || (etat >= 136 && etat <= 138)) {
        // Nothing to ask.
    } else if (etat >= 2 && etat <= 5) {
        const int siege = etat - 2;
        afficheEtat_(etat, mode, -1);
        JoueurHumain* joueur = getJoueur(siege);
        if (enDirect) {
            if (m_entreesDonne.contains(siege)) {
                const OptionsDuJoueur options = m_entreesDonne.value(siege);
                executeEvenementDeLaTable_(EvenementDeJeu::ReJ,
                                  QLatin1Char('{') + options.sauveValeursDansString() + QLatin1Char('!')
                                      + QString::number(siege) + QLatin1String("!}"), SiegeTable,
                                  etat, options.id_, 0, m_settingsPartie.noDemande);
                m_entreesDonne.remove(siege);
            } else if (joueur != nullptr && joueur->getContexteDeJeu() != nullptr) {
                executeEvenementDeLaTable_(EvenementDeJeu::InJ, joueur->options_.sauveValeursDansString(), SiegeTable, etat,
                                  joueur->options_.id_, 0, -1);
            }
        }
    } else if (etat == 6) {
        if (enDirect) {
            ++m_settingsPartie.noDemande;
            if (m_settingsPartie.noDemande == -1)
                ++m_settingsPartie.noDemande;
            if (m_optionsDePartie.modeDeJeu_ == 4)
                m_settingsPartie.random_.reseedFromTime();
            executeEvenementDeLaTable_(EvenementDeJeu::Enr, m_settingsPartie.sauveValeursDansString(), SiegeTable, 6, -1, 0, -1);
        }
    } else if (etat == 7) {
        qDebug("%s", qUtf8Printable(QStringLiteral("Table(%1)::OnContinueLeJeu->in state "
                                                   "'EvenementDeJeu::AttendDistribue1'")
                                        .arg(m_noTable)));
        m_historiqueAnnuler.clear();
        m_historiqueRefaire.clear();
        for (int siege = NombreDeSieges - 1; siege >= 0; --siege) {
            afficheEtat_(etat, mode, siege);
            m_joueurs.at(siege)->demande_ActionDistribue(demande_(7 + siege, mode));
        }
    } else if (etat >= 8 && etat <= 10) {
        qDebug("%s", qUtf8Printable(QStringLiteral("Table(%1)::OnContinueLeJeu->in state "
                                                   "'EvenementDeJeu::AttendDistribue2, 3 ou 4'")
                                        .arg(m_noTable)));
        if ((mode == 0 && relance) || force) {
            for (int siege = NombreDeSieges - 1; siege >= etat - 7; --siege) {
                afficheEtat_(etat, mode, siege);
                m_joueurs.at(siege)->demande_ActionDistribue(demande_(7 + siege, mode));
            }
        }
    } else if (etat >= 11 && etat <= 26) {
        if (etat == 11) {
            const int contrat = m_typeDePartie.contrat_;
            const int pas = pasDeMise_();
            m_statusMise = ZB_StatusMise();
            m_statusMise.miseFaite_ = false;
            m_statusMise.tourMise_ = 0;
            m_statusMise.montantBloque_ = contrat == TypeDePartie::ContratFixe || contrat == TypeDePartie::ContratVache;
            m_statusMise.pointsMise_ = (m_typeDePartie.montantContrat_ / pas) * pas;
            m_statusMise.atoutMise_ = 0;
            m_statusMise.miseur_ = -1;
            m_statusMise.pasMise_ = pas;
            m_statusMise.premierMiseur_ = debut;
            m_statusMise.miseMin_ = 80;
            m_statusMise.miseMax_ = m_typeDePartie.annonces_ != TypeDePartie::AnnoncesDesactivees ? 650 : 160;
            m_statusMise.miseMinDepart_ = 80;
            m_statusMise.typeContrat_ = ZB_StatusMise::PasEncoreDeMise;
            m_compteurPasse = 0;
            afficheArdoise_();
        } else {
            ++m_statusMise.tourMise_;
            if (etat <= 14)
                afficheArdoise_();
        }
        const int siege = getJoueurQuiDoitJouer(etat);
        afficheEtat_(etat, mode, -1, -1, siege);
        m_joueurs.at(siege)->demande_ChoisitMise(m_statusMise, demande_(etat, mode));
        fixeDelai(3000);
    } else if (etat == 27) {
        const int siege = modulo4(debut);
        afficheEtat_(etat, mode, siege);
        const int automatique = m_typeDePartie.atoutAutomatique_;
        if (automatique == 1 || automatique == 2) {
            if (enDirect) {
                StatusAtout atout;
                if (determineAtoutAutomatique(atout, automatique == 2) >= 1 && atout.choisi_) {
                    posteALaSalle_(EvenementDeJeu::Cho, atout.sauveValeursDansString(), SiegeTable, 27, -1, 0,
                                   m_settingsPartie.noDemande);
                } else {
                    // The match ends with the deal of the last trump, so only
                    // a broken record gets here: say so rather than wait.
                    throw GM_Exception(tr("Erreur interne: La boucle a évènements ne traite pas tous les cas"));
                }
            }
        } else {
            m_joueurs.at(siege)->demande_ChoisitAtout(StatusAtout(), demande_(etat, mode));
        }
        fixeDelai(500);
    } else if (etat == 28) {
        const int siege = modulo4(debut);
        const int partenaire = (m_joueurs.at(siege)->noJoueur_ + 2) % 4;
        afficheEtat_(etat, mode, siege, partenaire);
        StatusAtout passe;
        passe.chibre_ = true;
        m_joueurs.at(partenaire)->demande_ChoisitAtout(passe, demande_(etat, mode));
        fixeDelai(500);
    } else if (etat >= 29 && etat <= 32) {
        const int siege = getJoueurQuiDoitJouer(etat);
        m_joueurs.at(siege)->demande_Annonce(demande_(etat, mode),
                                             m_partie.isNull() ? 0 : m_partie->atoutChoisi_.atout_);
        fixeDelai(etat == 29 ? 3000 : 500);
    } else if (premierEtatNouveauJoueur(etat) >= 0) {
        metAJourActivite = false;
        if (m_serveur && m_reseau) {
            const int siege = siegeDuGroupe_(etat);
            if (m_entreesPli.contains(siege)) {
                const OptionsDuJoueur options = m_entreesPli.value(siege);
                executeEvenementDeLaTable_(EvenementDeJeu::ReJ,
                                  QLatin1Char('{') + options.sauveValeursDansString() + QLatin1Char('!')
                                      + QString::number(siege) + QLatin1String("!}"), SiegeTable,
                                  etat, options.id_, 0, m_settingsPartie.noDemande);
                m_entreesPli.remove(siege);
            }
            m_etatsEntreesTraites.insert(etat, -1);
        }
    } else if (JoueurHumain::estEtatDeJeuDeCarte(etat)) {
        if (m_partie.isNull())
            throw GM_Exception(tr("Erreur interne: La boucle a évènements ne traite pas tous les cas"));
        const int siege = m_partie->noDuProchainAJouer_;
        if (siege < 0 || siege >= NombreDeSieges)
            throw GM_Exception(tr("Erreur interne: La boucle a évènements ne traite pas tous les cas"));
        afficheEtat_(etat, mode, siege);
        if (m_display != nullptr) {
            if (m_partie->atoutEnCours_ != m_dernierAtoutDessine) {
                m_dernierAtoutDessine = m_partie->atoutEnCours_;
                m_display->redessineCartes(m_dernierAtoutDessine);
            }
            JoueurHumain* joueur = m_joueurs.at(siege);
            if (!joueur->estJoueurManuel())
                m_display->setCurseur(joueur->options_.distant_ == 1 ? 16 : 3);
            else
                m_display->restaureCurseur();
        }
        m_joueurs.at(siege)->demande_Carte(m_partie, demande_(etat, mode));
        fixeDelai((mode == 2 || mode == 4) ? 500 : 500 + double(m_random.bounded(1000)));
    } else if (estEtatRamasse(etat)) {
        const int groupe = siegeDuGroupe_(etat);
        if (groupe == 0) {
            for (int siege = NombreDeSieges - 1; siege >= 0; --siege) {
                afficheEtat_(etat, mode, siege);
                m_joueurs.at(siege)->demande_ActionRamasser(demande_(etat + siege, mode));
            }
            fixeDelai((mode == 2 || mode == 4) ? 1500 : 500);
        } else if (mode == 0 && relance) {
            for (int siege = groupe; siege < NombreDeSieges; ++siege) {
                afficheEtat_(etat, mode, siege);
                m_joueurs.at(siege)->demande_ActionRamasser(demande_(etat + siege - groupe, mode));
            }
        }
    } else if (etat >= 45 && etat <= 48) {
        if (etat == 45 || (mode == 0 && relance)) {
            for (int siege = etat == 45 ? 0 : etat - 45; siege < NombreDeSieges; ++siege) {
                afficheEtat_(etat, mode, siege);
                m_joueurs.at(siege)->demande_ActionRamasser(demande_(45 + siege, mode));
            }
        }
        fixeDelai(500);
    } else if (etat == 135) {
        finDeMatch_(mode);
    } else {
        throw GM_Exception(tr("Erreur interne: La boucle a évènements ne traite pas tous les cas"));
    }

    if (metAJourActivite)
        m_derniereActivite = QDateTime::currentDateTimeUtc();
    if (m_display != nullptr)
        m_display->afficheBoutonsAnnuler(!m_historiqueAnnuler.isEmpty(), !m_historiqueRefaire.isEmpty());
}

bool ZB_RoomTable::estFinDeMatch() const
{
    const int t0 = totalDonne(0) + m_settingsPartie.scores_[0];
    const int t1 = totalDonne(1) + m_settingsPartie.scores_[1];
    return t0 >= m_scoreObjectif || t1 >= m_scoreObjectif || longueurAtteinte_();
}

void ZB_RoomTable::finDeMatch_(int mode)
{
    const int t0 = totalDonne(0) + m_settingsPartie.scores_[0];
    const int t1 = totalDonne(1) + m_settingsPartie.scores_[1];
    if (!estFinDeMatch())
        return;
    const bool egalite = t0 == t1;
    for (int siege = 0; siege < NombreDeSieges; ++siege)
        afficheEtat_(135, mode, siege);
    statsFinDeMatch_(t0, t1);
    // Seats 0, 2, 1, 3 answer in the states 135 to 138.
    const int ordre[] = {0, 2, 1, 3};
    for (int i = 0; i < NombreDeSieges; ++i) {
        const int siege = ordre[i];
        const bool gagne = siege % 2 == 0 ? t1 <= t0 : t0 < t1;
        const int equipe = siege % 2;
        m_joueurs.at(siege)->demande_ActionFinDePartie(gagne, egalite, m_reseau, m_typeDePartie.atoutImpose_ && m_reseau,
                                                      demande_(135 + i, mode),
                                                      m_statsPartie.m_statsPlayer.value(cleStats_(siege)),
                                                      m_statsPartie.equipes_[size_t(equipe)],
                                                      m_statsPartie.equipes_[size_t(1 - equipe)]);
    }
    afficheArdoise_();
}

void ZB_RoomTable::reponse_ActionDistribue(int nombreDeCartes, bool enDirect)
{
    Q_UNUSED(enDirect);
    const int etat = getEtatCourant();
    qDebug("%s", qUtf8Printable(QStringLiteral("ZB_RoomTable::reponse_ActionDistribue()->enter(), EtatJeu: %1")
                                    .arg(etat)));
    if (etat != 10)
        return;

    delete m_mise;
    m_mise = nullptr;
    delete m_points;
    m_points = nullptr;
    const bool jass = m_typeDePartie.genre_ == TypeDePartie::GenreJass;
    if (!m_deck || (m_deck->getNombreDeCartes() == 36) != jass)
        m_deck.reset(jass ? static_cast<ZB_DeckA*>(new ZB_DeckJass) : new ZB_DeckBelote);

    if (m_typeDePartie.contrat_ == TypeDePartie::ContratChibre) {
        m_mise = new ZB_MiseJass(*m_deck);
        m_points = new ZB_PointsJass;
    } else {
        m_mise = new ZB_MiseBelote(*m_deck);
        m_points = new ZB_PointsBelote;
    }
    if (!m_settingsPartie.textePiles_.isEmpty()) {
        QList<int> pileA;
        QList<int> pileB;
        m_settingsPartie.getPiles(pileA, pileB);
        m_mise->setPileA(pileA);
        m_mise->setPileB(pileB);
    }

    // A deal starts from empty hands: a card left over from an abandoned
    // deal would otherwise sit in two hands at once.
    for (JoueurHumain* joueur : std::as_const(m_joueurs))
        joueur->main_.vide();
    const bool coupe = m_typeDePartie.distribution_ == 1;
    const int premier = m_settingsPartie.rotationDonne_ ? 1 : 0;
    for (int donnees = 0; donnees < nombreDeCartes; donnees += 3) {
        const int paquet = qMin(3, nombreDeCartes - donnees);
        for (int i = 0; i < NombreDeSieges; ++i) {
            const int siege = (premier + i) % NombreDeSieges;
            EnsembleDeCartes cartes;
            m_mise->distribue(cartes, m_settingsPartie.random_, paquet, siege, coupe);
            if (m_settingsPartie.joueurQuiCommenceLaProchainePartie == -10)
                m_settingsPartie.joueurQuiCommenceLaProchainePartie =
                    m_mise->getJoueurQuiCommence(m_settingsPartie.random_, NombreDeSieges);
            for (int j = 0; j < NombreDeSieges; ++j) {
                JoueurHumain* joueur = m_joueurs.at(j);
                if (j == siege) {
                    for (Carte* carte : cartes)
                        joueur->main_.ajouteCarte(carte);
                    joueur->cartesRecues(cartes);
                } else {
                    joueur->marqueCartesConnues(siege, cartes);
                }
                joueur->annuleDemande();
                joueur->setPartie(QSharedPointer<Partie>());
            }
        }
    }

    if (m_typeDePartie.contrat_ == TypeDePartie::ContratChibre) {
        if (m_display != nullptr)
            m_display->afficheCartesDistribuees(nullptr);
        jeuEstDistribue_(true);
        return;
    }
    Carte* retournee = nullptr;
    if (m_typeDePartie.contrat_ == TypeDePartie::ContratFixe || m_typeDePartie.contrat_ == TypeDePartie::ContratVache) {
        if (auto* mise = dynamic_cast<ZB_MiseBelote*>(m_mise))
            retournee = mise->getCarteRetournee(m_settingsPartie.random_, coupe);
    }
    if (m_display != nullptr)
        m_display->afficheCartesDistribuees(retournee);
    if (retournee != nullptr)
        for (JoueurHumain* joueur : std::as_const(m_joueurs))
            joueur->setCarteRetournee(*retournee);
    // A deal with bids starts its bookkeeping once a contract stands
    // (finDesMises_): counting it here too would count every deal twice and
    // let redealt deals use up an eight-round match.
    afficheNouvelleDonne_();
}

void ZB_RoomTable::afficheNouvelleDonne_()
{
    if (m_display == nullptr || !m_deck)
        return;
    int restantes = 0;
    if (m_settingsPartie.huitTours_) {
        restantes = 8 - m_settingsPartie.toursJoues_;
    } else if (m_settingsPartie.toursAtout_) {
        std::array<bool, TypeDePartie::NOMBRE_MODES> permis{};
        restantes = 2 * m_typeDePartie.getAtoutsPermis(permis) - m_settingsPartie.donnesJouees_;
    } else if (m_typeDePartie.atoutAutomatique_ == 1 || m_typeDePartie.atoutAutomatique_ == 2) {
        StatusAtout atout;
        restantes = determineAtoutAutomatique(atout, m_typeDePartie.atoutAutomatique_ == 2) - 1;
    }
    m_display->nouvelleDonne(m_deck->getNombreDeCartes() / 4, m_scoreObjectif, restantes);
}

void ZB_RoomTable::jeuEstDistribue_(bool avanceJoueur, bool afficheDonne)
{
    qDebug("%s", qUtf8Printable(QStringLiteral("Table(%1)::jeuEstDistribue_->m_settingsPartie."
                                               "joueurQuiCommenceLaProchainePartie=%2")
                                    .arg(m_noTable)
                                    .arg(m_settingsPartie.joueurQuiCommenceLaProchainePartie)));
    if (afficheDonne)
        afficheNouvelleDonne_();
    if (avanceJoueur)
        m_settingsPartie.joueurQuiCommenceLaProchainePartie =
            (m_settingsPartie.joueurQuiCommenceLaProchainePartie + 1) % 4;
    m_etatsBelote = {};
    m_couleursBelote = {};
    m_annoncesDecidees = false;
    m_annonces = {};
    m_siegesAnnonces = {-1, -1, -1, -1};
    ++m_settingsPartie.toursJoues_;
    ++m_settingsPartie.donnesJouees_;
    m_nombreAnnonces = 0;
    if (m_points != nullptr) {
        const int objectif = m_points->objectifMise_;
        m_points->efface();
        m_points->objectifMise_ = objectif;
    }
    afficheArdoise_();
    annonceDebutDeStats_();
}

void ZB_RoomTable::joueCarte(int noJoueur, Carte* carte)
{
    if (m_display != nullptr)
        m_display->afficheCarteJouee(noJoueur, carte);
    if (carte == nullptr)
        return;
    JoueurHumain* auteur = m_joueurs.at(noJoueur);
    if (auteur->estJoueurManuel() && !m_reseau && !m_pasDAnnulation) {
        const int etat = getEtatCourant();
        m_historiqueAnnuler.insert(etat, etat);
        m_historiqueRefaire.clear();
    }
    for (JoueurHumain* joueur : std::as_const(m_joueurs)) {
        if (joueur->main_.contientCarte(carte))
            joueur->main_.retireCarte(carte);
        joueur->metAJourProbabilites(m_partie, carte);
    }
    // A deal restored without its hands cannot take the card.
    if (m_partie.isNull() || !m_partie->partieReelle_)
        return;
    const bool finImmediate = paireRoiDame_(noJoueur, carte);
    ZB_PointsDonne resultat;
    m_partie->joueCarte(resultat, carte, noJoueur, finImmediate);
    if (!finImmediate)
        statsResultatsPli_(resultat);
}

bool ZB_RoomTable::paireRoiDame_(int noJoueur, const Carte* carte)
{
    const int mode = m_partie->atoutChoisi_.atout_;
    const int couleur = carte->getCouleur();
    const int valeur = carte->getValeur();
    if (m_typeDePartie.roiDame_ != TypeDePartie::RoiDameStock && m_typeDePartie.roiDame_ != TypeDePartie::RoiDameRebelote)
        return false;
    if ((couleur != mode && mode != StatusAtout::ToutAtout) || (valeur != 12 && valeur != 13))
        return false;
    int& etat = m_etatsBelote[size_t(noJoueur)];
    JoueurHumain* joueur = m_joueurs.at(noJoueur);
    if (etat == 0) {
        const int autre = valeur == 12 ? 9 * couleur - 2 : 9 * couleur - 3;
        if (!joueur->main_.contientIndex(autre))
            return false;
        etat = 1;
        m_couleursBelote[size_t(noJoueur)] = couleur;
        if (m_typeDePartie.roiDame_ == TypeDePartie::RoiDameRebelote) {
            if (m_display != nullptr)
                m_display->afficheBulleAnnonce(noJoueur);
            if (const Carte* autreCarte = joueur->main_.getCarte(autre))
                for (JoueurHumain* j : std::as_const(m_joueurs))
                    j->attribueCarte(noJoueur, *autreCarte);
        }
        return false;
    }
    // In "Tout atout" a king or queen of another suit does not complete
    // the pair begun.
    if (etat != 1 || couleur != m_couleursBelote[size_t(noJoueur)])
        return false;
    etat = 2;
    const int equipe = noJoueur % 2;
    const int bonus = 20 * m_partie->multiplicateur_;
    if (m_points != nullptr)
        m_points->autresPoints_[equipe] += bonus;
    const int etatCourant = getEtatCourant();
    if (etatCourant == 0 || (etatCourant >= 135 && etatCourant <= 138))
        return false;
    const int total = m_settingsPartie.scores_[size_t(equipe)]
                    + (m_typeDePartie.genre_ == TypeDePartie::GenreJass ? bonus : 0);
    if (total < m_scoreObjectif)
        return false;
    afficheArdoise_();
    m_listeDesEvenements->etatAttendu_ = 129;
    return true;
}

void ZB_RoomTable::ramasse(const EvenementDeJeu& ev)
{
    Q_UNUSED(ev);
    const int etat = getEtatCourant();
    if (!estFinDePli(etat) && etat != 48 && etat != 133)
        return;
    if (etat == 44 && m_nombreAnnonces == NombreDeSieges)
        decideAnnonces_();
    if (etat == 48) {
        const std::array<AnnoncesJoueur, 4> confirmees = m_annonces;
        m_annonces = {};
        m_siegesAnnonces = {-1, -1, -1, -1};
        m_nombreAnnonces = 0;
        m_annoncesDecidees = false;
        if (m_display != nullptr && !m_partie.isNull())
            m_display->afficheCartesAnnonces(0, m_partie->joueurQuiDebuteTour_ % 2, confirmees);
    }
    if (etat == 128)
        statsAnnoncesFinDeDonne_();
    if (etat == 128 && !m_partie.isNull()) {
        QList<int> pileA;
        QList<int> pileB;
        for (int i = 0; i < m_partie->getNombreCartesRamassees(0); ++i)
            pileA << m_partie->getCartesRamassees(0)[i];
        for (int i = 0; i < m_partie->getNombreCartesRamassees(1); ++i)
            pileB << m_partie->getCartesRamassees(1)[i];
        m_settingsPartie.setPiles(pileA, pileB);
    }
    afficheArdoise_();
    const bool compteDonne = m_typeDePartie.genre_ == TypeDePartie::GenreJass || etat == 128;
    const int t0 = m_settingsPartie.scores_[0] + (compteDonne ? totalDonne(0) : 0);
    const int t1 = m_settingsPartie.scores_[1] + (compteDonne ? totalDonne(1) : 0);
    if (t0 >= m_scoreObjectif || t1 >= m_scoreObjectif || (etat == 128 && longueurAtteinte_()))
        m_listeDesEvenements->etatAttendu_ = 134;
}

namespace {

int poidsDuGenre(int genre)
{
    switch (genre) {
    case Annonce::TroisCartes:
        return 3;
    case Annonce::QuatreCartes:
    case Annonce::Carre:
        return 4;
    case Annonce::CinqCartesOuPlus:
        return 5;
    default:
        return 0;
    }
}

} // namespace

void ZB_RoomTable::decideAnnonces_()
{
    if (m_partie.isNull())
        return;
    const int mode = m_partie->atoutChoisi_.atout_;
    const int couleurAtout = m_partie->getCouleurAtout();
    // The slots are in turn order: the first is the best until a later one
    // beats it. Between two equal announcements the trump one wins, else
    // the later seat's. This is the rule of every table, whatever protocol
    // version it writes: a game is played at version 1 or 2 but an opened
    // file replays at version 3, and a rule that followed the version would
    // credit such a tie to the other team in the replay (and on a client
    // left at version 3 by a loaded file, against its host's score).
    int meilleur = 0;
    for (int i = 1; i < NombreDeSieges; ++i) {
        const Annonce& a = m_annonces[size_t(i)].annonces_[0];
        const Annonce& b = m_annonces[size_t(meilleur)].annonces_[0];
        const int pa = poidsDuGenre(a.type_);
        const int pb = poidsDuGenre(b.type_);
        const bool plusHaute = mode == StatusAtout::BasEnHaut ? a.valeur_ < b.valeur_ : a.valeur_ > b.valeur_;
        const bool remplace = a.points_ > b.points_ || (a.points_ == b.points_ && pa > pb)
                           || (a.points_ == b.points_ && pa == pb && plusHaute)
                           || (a.points_ == b.points_ && pa == pb && a.valeur_ == b.valeur_
                               && b.couleur_ != couleurAtout);
        if (remplace)
            meilleur = i;
    }
    if (m_annonces[size_t(meilleur)].annonces_[0].type_ == Annonce::Aucune)
        return;

    const int partenaire = (meilleur + 2) % NombreDeSieges;
    const int siegeMeilleur = m_siegesAnnonces[size_t(meilleur)];
    const int siegePartenaire = m_siegesAnnonces[size_t(partenaire)];
    const AnnoncesJoueur annoncesMeilleur = m_annonces[size_t(meilleur)];
    const AnnoncesJoueur annoncesPartenaire = m_annonces[size_t(partenaire)];
    m_annoncesDecidees = true;
    for (int slot : {meilleur, partenaire}) {
        const int siege = m_siegesAnnonces[size_t(slot)];
        JoueurHumain* joueur = getJoueur(siege);
        if (joueur != nullptr && joueur->estJoueurManuel() && m_display != nullptr)
            if (DisplayAPanelDeJoueur* panel = m_display->getPanelDeJoueur(siege))
                panel->montreAnnonce(m_annonces[size_t(slot)]);
    }
    if (m_display != nullptr) {
        m_display->effaceBulles(siegeMeilleur, annoncesMeilleur);
        m_display->effaceBulles(siegePartenaire, annoncesPartenaire);
    }
    for (int slot = 0; slot < NombreDeSieges; ++slot)
        if (slot != meilleur && slot != partenaire)
            m_annonces[size_t(slot)] = AnnoncesJoueur();

    const int credit =
        (annoncesMeilleur.getTotalPoints() + annoncesPartenaire.getTotalPoints()) * m_partie->multiplicateur_;
    if (m_points != nullptr && siegeMeilleur >= 0)
        m_points->pointsAnnonces_[siegeMeilleur % 2] += credit;
    for (JoueurHumain* joueur : std::as_const(m_joueurs)) {
        joueur->recoitAnnonces(siegeMeilleur, annoncesMeilleur);
        joueur->recoitAnnonces(siegePartenaire, annoncesPartenaire);
    }
    statsAnnoncesDecidees_(siegeMeilleur, annoncesMeilleur, siegePartenaire, annoncesPartenaire, credit);
}

bool ZB_RoomTable::termineDonne(bool detacheJoueurs)
{
    m_settingsPartie.scores_[0] += totalDonne(0);
    m_settingsPartie.scores_[1] += totalDonne(1);
    bool secondeMoitie = false;
    if (m_settingsPartie.huitTours_ && m_settingsPartie.toursJoues_ == 4) {
        m_settingsPartie.random_.chargeValeursDepuisString(m_settingsPartie.texteGenerateur_);
        m_settingsPartie.rotationDonne_ = true;
        m_settingsPartie.joueurQuiCommenceLaProchainePartie = -10;
        m_etatsBelote = {};
        secondeMoitie = true;
    }
    m_partie.clear();
    for (JoueurHumain* joueur : std::as_const(m_joueurs))
        joueur->setPartie(QSharedPointer<Partie>());
    delete m_mise;
    m_mise = nullptr;
    delete m_points;
    m_points = nullptr;
    if (detacheJoueurs) {
        for (JoueurHumain* joueur : std::as_const(m_joueurs)) {
            joueur->getAide()->annuleDemande();
            joueur->setContexteDeJeu(nullptr);
            joueur->demandePanneau_ = false;
        }
    }
    return secondeMoitie;
}

bool ZB_RoomTable::atoutChoisi(int noJoueur, const StatusAtout& atout)
{
    const int etat = getEtatCourant();
    // The choice passed to the partner cannot be passed again: the cards
    // would be played with no trump at all.
    if (!atout.choisi_ && etat == 28)
        return false;
    JoueurHumain* choisisseur = getJoueur(noJoueur);
    if (choisisseur != nullptr && choisisseur->estJoueurManuel() && !m_reseau) {
        m_historiqueAnnuler.insert(etat, etat);
        m_historiqueRefaire.clear();
    }
    if (!atout.choisi_)
        return true; // passed to the partner
    if (m_points != nullptr)
        m_points->objectifMise_ = m_typeDePartie.montantContrat_ > 0 ? m_typeDePartie.montantContrat_ : -1;
    m_settingsPartie.incrementeCompteurAtout(atout.atout_);
    m_listeDesEvenements->etatAttendu_ = 28;
    creePartie_(atout, noJoueur == SiegeTable ? modulo4(m_settingsPartie.joueurQuiCommenceLaProchainePartie) : noJoueur);
    afficheArdoise_();
    return true;
}

void ZB_RoomTable::creePartie_(const StatusAtout& atout, int choisisseur)
{
    EnsembleDeCartes mains;
    for (const JoueurHumain* joueur : std::as_const(m_joueurs))
        for (Carte* carte : joueur->main_)
            mains.ajouteCarte(carte);
    const int debut = modulo4(m_settingsPartie.joueurQuiCommenceLaProchainePartie);
    const int multiplicateur = atout.multiplicateur_ > 0 ? atout.multiplicateur_ : 1;
    m_partie = QSharedPointer<Partie>::create(atout, mains, debut, choisisseur, multiplicateur, m_typeDePartie,
                                              m_statusMise, m_points);
    for (JoueurHumain* joueur : std::as_const(m_joueurs)) {
        joueur->setPartie(m_partie);
        joueur->compteurMises_ = 0;
    }
    if (m_display != nullptr)
        m_display->setPartie(m_partie);
}

QString ZB_RoomTable::raisonRefusMise_(const ZB_StatusMise& mise) const
{
    if (!mise.miseFaite_)
        return QString();
    if (mise.atoutMise_ < 0 || mise.atoutMise_ >= TypeDePartie::NOMBRE_MODES)
        return QStringLiteral("trump mode outside the game");
    if (mise.atoutMise_ != 0 && m_typeDePartie.multiplicateurs_[size_t(mise.atoutMise_)] < 1)
        return QStringLiteral("trump mode not allowed by the game type");
    const int contrat = m_typeDePartie.contrat_;
    if (contrat != TypeDePartie::ContratCoinche && contrat != TypeDePartie::ContratContre)
        return QString();
    if ((mise.estContre() || mise.estSurcontre()) && m_statusMise.miseur_ < 0)
        return QStringLiteral("double without a contract");
    if (mise.typeContrat_ == ZB_StatusMise::Simple && mise.pointsMise_ < m_statusMise.miseMin_)
        return QStringLiteral("bid below the minimum");
    return QString();
}

int ZB_RoomTable::pasDeMise_() const
{
    switch (m_typeDePartie.contrat_) {
    case TypeDePartie::ContratCoinche:
        return m_typeDePartie.genre_ == TypeDePartie::GenreJass ? 10 : 5;
    case TypeDePartie::ContratContre:
        return 10;
    default:
        return 1;
    }
}

Carte* ZB_RoomTable::getCarteRetournee() const
{
    auto* mise = dynamic_cast<ZB_MiseBelote*>(m_mise);
    // Asking the dealer before it turned its card would draw one.
    return mise != nullptr ? mise->carteRetourneeTiree() : nullptr;
}

void ZB_RoomTable::miseChoisie(int noJoueur, const ZB_StatusMise& mise)
{
    const int etat = getEtatCourant();
    JoueurHumain* auteur = getJoueur(noJoueur);
    if (auteur == nullptr)
        return;
    if (!auteur->estJoueurManuel() && m_display != nullptr)
        m_display->restaureCurseur();
    JoueurHumain* aSonTour = getJoueur(getJoueurQuiDoitJouer(etat));
    if (aSonTour != nullptr && aSonTour->estJoueurManuel() && !m_reseau) {
        m_historiqueAnnuler.insert(etat, etat);
        m_historiqueRefaire.clear();
    }
    for (JoueurHumain* joueur : std::as_const(m_joueurs))
        joueur->miseAnnoncee(noJoueur, mise);
    const int contrat = m_typeDePartie.contrat_;
    if (m_display != nullptr)
        m_display->afficheBulleMise(noJoueur, mise, contrat);

    const int debut = m_settingsPartie.joueurQuiCommenceLaProchainePartie;
    if (contrat == TypeDePartie::ContratCoinche || contrat == TypeDePartie::ContratContre) {
        if (mise.miseFaite_) {
            // Whoever speaks last takes, a doubler too: the points then hold
            // the team after the taker to a doubled contract, which is the
            // side whose bid was doubled, and a redouble hands the contract
            // back to that side.
            m_statusMise = mise;
            m_statusMise.miseur_ = noJoueur;
            if (mise.estSurcontre()) {
                finDesMises_(noJoueur);
                return;
            }
            m_compteurPasse = 0;
            m_statusMise.miseMin_ = mise.pointsMise_ + m_statusMise.pasMise_;
        } else {
            ++m_compteurPasse;
            if (m_compteurPasse > 3 && etat == 14) {
                m_settingsPartie.joueurQuiCommenceLaProchainePartie = debut + 1 > 3 ? 0 : debut + 1;
                toutLeMondePasse_();
                return;
            }
            if (m_compteurPasse >= 3 && m_statusMise.atoutMise_ != 0) {
                finDesMises_(m_statusMise.miseur_);
                return;
            }
        }
    } else if (!mise.miseFaite_) {
        if (contrat == TypeDePartie::ContratVache && etat == 14) {
            m_statusMise.miseur_ = debut - 1 < 0 ? 3 : debut - 1;
            m_statusMise.miseFaite_ = true;
            m_statusMise.typeContrat_ = ZB_StatusMise::DonneurForce;
            if (m_display != nullptr)
                m_display->afficheBulleMise(m_statusMise.miseur_, m_statusMise, contrat);
            finDesMises_(m_statusMise.miseur_);
            return;
        }
        if (etat == 18) {
            toutLeMondePasse_();
            return;
        }
    } else {
        m_statusMise = mise;
        m_statusMise.miseur_ = noJoueur;
        finDesMises_(noJoueur);
        return;
    }

    // The last bid state ends the bidding whatever the answer: a deal never
    // goes back to dealing with an auction still open.
    if (etat == 26) {
        if (m_statusMise.miseur_ >= 0 && m_statusMise.miseFaite_)
            finDesMises_(m_statusMise.miseur_);
        else
            toutLeMondePasse_();
    }
}

void ZB_RoomTable::finDesMises_(int preneur)
{
    if (m_points != nullptr)
        m_points->objectifMise_ = m_statusMise.pointsMise_;
    const int contrat = m_typeDePartie.contrat_;
    Carte* retournee = getCarteRetournee();
    if (contrat == TypeDePartie::ContratFixe || contrat == TypeDePartie::ContratVache)
        distribueReste_(preneur, retournee);
    m_listeDesEvenements->etatAttendu_ = 28;

    int mode = m_statusMise.atoutMise_;
    if (mode == 0 && retournee != nullptr)
        mode = retournee->getCouleur();
    StatusAtout atout;
    atout.chibre_ = false;
    atout.choisi_ = true;
    atout.atout_ = mode;
    const int multiplicateur =
        (mode >= 1 && mode <= 11) ? m_typeDePartie.multiplicateurs_[size_t(mode)] : 1;
    atout.multiplicateur_ = multiplicateur >= 1 ? multiplicateur : 1;
    creePartie_(atout, preneur);
    jeuEstDistribue_(true, false);
    afficheArdoise_();
}

void ZB_RoomTable::toutLeMondePasse_()
{
    m_listeDesEvenements->etatAttendu_ = 26;
    for (JoueurHumain* joueur : std::as_const(m_joueurs))
        joueur->reinitialise();
    if (m_display != nullptr)
        m_display->afficheRedistribution();
}

void ZB_RoomTable::distribueReste_(int preneur, Carte* carteRetournee)
{
    if (m_mise == nullptr)
        return;
    const bool coupe = m_typeDePartie.distribution_ == 1;
    const int premier = m_settingsPartie.rotationDonne_ ? 1 : 0;
    for (int i = 0; i < NombreDeSieges; ++i) {
        const int siege = (premier + i) % NombreDeSieges;
        EnsembleDeCartes cartes;
        m_mise->distribue(cartes, m_settingsPartie.random_, siege == preneur ? 2 : 3, siege, coupe);
        if (siege == preneur && carteRetournee != nullptr)
            cartes.ajouteCarte(carteRetournee);
        for (int j = 0; j < NombreDeSieges; ++j) {
            JoueurHumain* joueur = m_joueurs.at(j);
            if (j == siege) {
                for (Carte* carte : cartes)
                    joueur->main_.ajouteCarte(carte);
                joueur->cartesRecues(cartes);
            } else {
                joueur->attribueCartes(siege, cartes);
            }
        }
    }
}

// ---- Seating of a hosting table, penalties, signals and match statistics. ----

namespace {

bool estSiege(int noJoueur)
{
    return noJoueur >= 0 && noJoueur < ZB_RoomTable::NombreDeSieges;
}

// Seats this machine's computer plays: a connecting client may take them.
bool estPlaceOffrable(int modeJeu)
{
    return modeJeu == Joueur::ModeOrdinateur || modeJeu == Joueur::ModeRemplacant
        || modeJeu == Joueur::ModeOrdinateurPartout;
}

void trace(const QString& ligne)
{
    qDebug("%s", qUtf8Printable(ligne));
}

// The state at which a client arriving now takes its seat: the new-player
// state of its position in the next trick that has one.
int etatDEntree(int etat, int noJoueur)
{
    if (etat < 6)
        return etat;
    if (etat <= 32)
        return noJoueur + 33;
    if (etat <= 48)
        return noJoueur + 49;
    if (etat <= 60)
        return noJoueur + 61;
    return noJoueur + 73;
}

} // namespace

void ZB_RoomTable::OnPlayerExcluded()
{
    emit signalPlayerExcluded();
}

void ZB_RoomTable::OnPlayerTooSlow(qint64 dataBaseUserId, double penalite)
{
    emetPenalite_(penalite, dataBaseUserId, GM_GamePenalty::GenreTropLent);
}

void ZB_RoomTable::OnQuestionNouvellePartie()
{
    const bool continuer = m_reponseNouvellePartie != 0;
    m_reponseNouvellePartie = 0;
    emit signalQuestion_NouvellePartie(continuer);
}

void ZB_RoomTable::OnDisconnectClient()
{
    emit signalDisconnectClient(false);
}

void ZB_RoomTable::emetPenalite_(double penalite, qint64 idCompte, int genre)
{
    // A player without an account cannot be charged: the lobby would book
    // the penalty on an account that does not exist.
    if (m_optionsDePartie.penalites_ == 0 || idCompte == -1)
        return;
    const GM_GamePenalty record(m_statsPartie.id1_, penalite, static_cast<int>(idCompte & 0xffffffff),
                                m_statsPartie.valeurs_[0], genre);
    emit signalSendPenalty(record.sauveValeursDansString());
}

void ZB_RoomTable::posteALaSalle_(int genre, const QString& texte, int noJoueur, int etat, qint64 idJoueur, int mode,
                                  int noDemande)
{
    auto ev = std::make_unique<EvenementDeJeu>(genre, texte, noJoueur, etat, EvenementDeJeu::Local_Table, idJoueur,
                                               mode, noDemande, m_noTable, ZB_ICI);
    // A table without a room runs its events through its own intake.
    QObject* salle = parent() != nullptr ? parent() : this;
    QCoreApplication::postEvent(salle, ev.release());
}

void ZB_RoomTable::executeEvenementDeLaTable_(int genre, const QString& texte, int noJoueur, int etat,
                                              qint64 idJoueur, int mode, int noDemande)
{
    if (m_listeDesEvenements == nullptr)
        return;
    EvenementDeJeu ev(genre, texte, noJoueur, etat, EvenementDeJeu::Local_Table, idJoueur, mode, noDemande, m_noTable,
                      ZB_ICI);
    m_listeDesEvenements->execute_unlocked(m_settingsPartie.noDemande, ev, true);
}

void ZB_RoomTable::setClientOffline(qint64 idJoueur, bool isSendOfflineEvent, bool isNotifyAllPlayers)
{
    trace(QStringLiteral("ZB_RoomTable::OnSetClientOffline->enter() Joueur: %1, isSendOfflineEvent: %2, "
                         "isNotifyAllPlayers: %3")
              .arg(idJoueur)
              .arg(isSendOfflineEvent)
              .arg(isNotifyAllPlayers));
    qint64 comptePenalise = -1;
    {
        QMutexLocker verrou(m_listeDesEvenements != nullptr ? m_listeDesEvenements->getMutex() : nullptr);
        int siege = -1;
        for (int i = 0; i < NombreDeSieges; ++i)
            if (m_joueurs.at(i) != nullptr && m_joueurs.at(i)->options_.id_ == idJoueur)
                siege = i;

        if (siege >= 0) {
            const int etat = getEtatCourant();
            if (m_memeCompte[size_t(siege)] == 0 && etat >= 7 && etat <= 133)
                comptePenalise = m_joueurs.at(siege)->options_.idCompte_;
            trace(QStringLiteral("ZB_RoomTable::OnSetClientOffline joueur_ exist"));
            setPlayerOffline(siege, isNotifyAllPlayers);
        } else {
            trace(QStringLiteral("ZB_RoomTable::OnSetClientOffline joueur_ does NOT exist"));
            posteALaSalle_(EvenementDeJeu::JoO, QString(), SiegeTable, 142, idJoueur, 0, m_settingsPartie.noDemande);
            retireEntrees_(idJoueur);
        }
    }
    // Told once the list is free again: the room's slots may reach the table.
    if (comptePenalise != -1)
        emetPenalite_(GM_GamePenalty::PENALITE_ABANDON, comptePenalise, GM_GamePenalty::GenreAbandon);
}

void ZB_RoomTable::setPlayerOffline(int noJoueur, bool notify)
{
    if (!estSiege(noJoueur) || m_joueurs.at(noJoueur) == nullptr)
        return;
    m_memeCompte[size_t(noJoueur)] = 0;
    m_comptes[size_t(noJoueur)] = -1;
    const qint64 id = m_joueurs.at(noJoueur)->options_.id_;
    if (notify)
        posteALaSalle_(EvenementDeJeu::Mes,
                       tr("Le joueur s'est déconnecté. Pour vous permettre de terminer la partie, il est remplacé par "
                          "l'ordinateur."),
                       noJoueur, 140, id, 0, -1);
    // Its execution hands the seat to the computer player the seat owns,
    // which answers what the seat was asked.
    posteALaSalle_(EvenementDeJeu::JoO, QString(), noJoueur, 142, id, 0, m_settingsPartie.noDemande);
}

bool ZB_RoomTable::aUneEntree_(int noJoueur) const
{
    return m_entreesDonne.contains(noJoueur) || m_entreesPli.contains(noJoueur);
}

int ZB_RoomTable::placeDeReconnexion_(const OptionsDuJoueur& options) const
{
    // A client without an account is known by its id only: -1 would match
    // every computer.
    const qint64 compte = options.idCompte_;
    auto cherche = [this](auto estLui) {
        for (const QMap<int, OptionsDuJoueur>* entrees : {&m_entreesDonne, &m_entreesPli})
            for (auto it = entrees->cbegin(); it != entrees->cend(); ++it)
                if (estSiege(it.key()) && estLui(it.value()))
                    return it.key();
        return -1;
    };
    int siege = cherche([&options](const OptionsDuJoueur& o) { return o.id_ == options.id_; });
    if (siege < 0 && compte != -1)
        siege = cherche([compte](const OptionsDuJoueur& o) { return o.idCompte_ == compte; });
    auto remplace = [this](auto estLui) {
        for (int i = 0; i < NombreDeSieges; ++i) {
            const JoueurHumain* joueur = m_joueurs.at(i);
            if (joueur != nullptr && joueur->modeJeu_ == Joueur::ModeRemplacant && estLui(joueur->options_))
                return i;
        }
        return -1;
    };
    if (siege < 0)
        siege = remplace([&options](const OptionsDuJoueur& o) { return o.id_ == options.id_; });
    if (siege < 0 && compte != -1)
        siege = remplace([compte](const OptionsDuJoueur& o) { return o.idCompte_ == compte; });
    return siege;
}

bool ZB_RoomTable::setClientInGameReconnect(ZB_ServerSocketConnection* connection, ZB_ServerSeatingA* serveur,
                                            const OptionsDuJoueur& options)
{
    trace(QStringLiteral("ZB_RoomTable::setClientInGameReconnect->enter() Joueur: %1 (%2)")
              .arg(options.getNomAffiche())
              .arg(options.id_));
    QMutexLocker verrou(m_listeDesEvenements != nullptr ? m_listeDesEvenements->getMutex() : nullptr);
    const int siege = placeDeReconnexion_(options);
    if (siege < 0) {
        trace(QStringLiteral("ZB_RoomTable::setClientInGameReconnect joueur_ did not find a place to reconnect "
                             "(normal if no disconnection occured)"));
        return false;
    }
    // Run now, not posted: run later it would take away the entry queued
    // just below, and the client would never get its seat back.
    executeEvenementDeLaTable_(EvenementDeJeu::JoO, QString(), SiegeTable, 142, options.id_, 0,
                               m_settingsPartie.noDemande);
    insertPlayerInGame_unlocked(connection, siege, options,
                                tr("Le joueur '%1' s'est reconnecté").arg(options.getNomAffiche()));
    if (serveur != nullptr) {
        serveur->connexionPlacee(connection, m_noTable);
        const bool complet = compteSiegesLibres(-1) == 0 && serveur->estListeDAttenteVide();
        serveur->setEtatServeur(complet ? ZB_ServerSeatingA::EnCoursComplet
                                        : ZB_ServerSeatingA::EnCoursAvecPlacesLibres);
    }
    return true;
}

bool ZB_RoomTable::setClientInGameOnTheFly_Random(ZB_ServerSocketConnection* connection,
                                                  const OptionsDuJoueur& options)
{
    trace(QStringLiteral("ZB_RoomTable::setClientInGameOnTheFly_Random->enter() Joueur: %1 (%2)")
              .arg(options.getNomAffiche())
              .arg(options.id_));
    QMutexLocker verrou(m_listeDesEvenements != nullptr ? m_listeDesEvenements->getMutex() : nullptr);
    auto premier = [this](std::initializer_list<int> modes) {
        for (int i = 0; i < NombreDeSieges; ++i) {
            const JoueurHumain* joueur = m_joueurs.at(i);
            if (joueur != nullptr && !aUneEntree_(i)
                && std::find(modes.begin(), modes.end(), joueur->modeJeu_) != modes.end())
                return i;
        }
        return -1;
    };
    int siege = premier({Joueur::ModeOrdinateur, Joueur::ModeOrdinateurPartout});
    if (siege < 0)
        siege = premier({Joueur::ModeRemplacant});
    if (siege < 0) {
        trace(QStringLiteral("ZB_RoomTable::setClientInGameOnTheFly_Random joueur_ DID NOT FIND A REPLACEMENT "
                             "(table full?)"));
        return false;
    }
    insertPlayerInGame_unlocked(connection, siege, options,
                                tr("Le joueur '%1' s'est connecté à la place de '%2'")
                                    .arg(options.getNomAffiche(), m_joueurs.at(siege)->options_.getNomAffiche()));
    return true;
}

bool ZB_RoomTable::setClientInGameOnTheFly_SpecificPos(ZB_ServerSocketConnection* connection, int noJoueur,
                                                       bool isHotSwapSamePlayerSocketChange,
                                                       const OptionsDuJoueur& options)
{
    trace(QStringLiteral("ZB_RoomTable::setClientInGameOnTheFly_SpecificPos->enter() Joueur: %1 (%2)")
              .arg(options.getNomAffiche())
              .arg(options.id_));
    QMutexLocker verrou(m_listeDesEvenements != nullptr ? m_listeDesEvenements->getMutex() : nullptr);
    const JoueurHumain* joueur = estSiege(noJoueur) ? m_joueurs.at(noJoueur) : nullptr;
    const bool libre = joueur != nullptr && !aUneEntree_(noJoueur) && estPlaceOffrable(joueur->modeJeu_);
    const bool memeJoueur = joueur != nullptr && joueur->options_.id_ == options.id_;
    if (!libre && !(isHotSwapSamePlayerSocketChange && memeJoueur)) {
        trace(QStringLiteral("ZB_RoomTable::setClientInGameOnTheFly_SpecificPos joueur_ DID NOT FIND A REPLACEMENT "
                             "(table full?)"));
        return false;
    }
    const QString texte = memeJoueur ? tr("Le joueur '%1' s'est reconnecté").arg(options.getNomAffiche())
                                     : tr("Le joueur '%1' s'est connecté à la place de '%2'")
                                           .arg(options.getNomAffiche(), joueur->options_.getNomAffiche());
    insertPlayerInGame_unlocked(connection, noJoueur, options, texte);
    return true;
}

void ZB_RoomTable::insertPlayerInGame(ZB_ServerSocketConnection* connection, int noJoueur,
                                      const OptionsDuJoueur& options, const QString& texte)
{
    QMutexLocker verrou(m_listeDesEvenements != nullptr ? m_listeDesEvenements->getMutex() : nullptr);
    insertPlayerInGame_unlocked(connection, noJoueur, options, texte);
}

void ZB_RoomTable::insertPlayerInGame_unlocked(ZB_ServerSocketConnection* connection, int noJoueur,
                                               const OptionsDuJoueur& options, const QString& texte)
{
    if (!estSiege(noJoueur) || m_listeDesEvenements == nullptr)
        return;
    // Names come from the client: they must not cut the notice's record.
    const QString connexion = GM_SpacesSeparatedString::sanitizeFreeText(texte);
    const QString record = options.sauveValeursDansString();
    const int etat = getEtatCourant();
    int tete = EvenementDeJeu::RsV;
    // Until the third trick is under way the client still plays this deal.
    if (etat < 69) {
        executeEvenementDeLaTable_(EvenementDeJeu::Mes, tr("%1 et entrera en jeu durant cette donne.").arg(connexion),
                                   noJoueur, 140, options.id_, 3, -1);
        executeEvenementDeLaTable_(EvenementDeJeu::JoM, record, noJoueur, etatDEntree(etat, noJoueur), options.id_, 3,
                                   m_settingsPartie.noDemande);
        tete = EvenementDeJeu::RsI;
    } else {
        executeEvenementDeLaTable_(EvenementDeJeu::Mes, tr("%1 et sera actif à la prochaine donne.").arg(connexion),
                                   noJoueur, 140, options.id_, 3, -1);
        executeEvenementDeLaTable_(EvenementDeJeu::JoN, record, noJoueur, 142, options.id_, 3,
                                   m_settingsPartie.noDemande);
    }
    if (connection == nullptr)
        return;
    // From now on the connection hears this table.
    connection->setTableId(m_noTable);
    GM_SocketAbstract* socket = connection->getSocket();
    if (socket == nullptr || socket->state() != QAbstractSocket::ConnectedState)
        return;
    QByteArray rattrapage;
    m_listeDesEvenements->getReplay(rattrapage, tete, noJoueur, m_noTable);
    // A transport that takes only part of the block has cut the client's
    // stream: the connection then asks its server to drop it.
    connection->ecrit(rattrapage);
}

QMap<int, OptionsDuJoueur> ZB_RoomTable::getJoueursEnAttente()
{
    QMap<int, OptionsDuJoueur> joueurs = m_entreesPli;
    for (auto it = m_entreesDonne.cbegin(); it != m_entreesDonne.cend(); ++it)
        joueurs.insert(it.key(), it.value());
    m_entreesPli.clear();
    m_entreesDonne.clear();
    m_etatsEntreesTraites.clear();
    return joueurs;
}

int ZB_RoomTable::compteSiegesLibres(int exclu) const
{
    int libres = 0;
    for (int i = 0; i < NombreDeSieges; ++i) {
        const JoueurHumain* joueur = m_joueurs.at(i);
        if (i != exclu && joueur != nullptr && !aUneEntree_(i) && estPlaceOffrable(joueur->modeJeu_))
            ++libres;
    }
    return libres;
}

qint64 ZB_RoomTable::cleStats_(int noJoueur) const
{
    const JoueurHumain* joueur = estSiege(noJoueur) ? m_joueurs.at(noJoueur) : nullptr;
    if (joueur != nullptr && joueur->options_.idCompte_ != -1) {
        switch (joueur->modeJeu_) {
        case Joueur::ModeManuel:
        case Joueur::ModeOrdinateur:
        case Joueur::ModeHumainDistant:
        case Joueur::ModeOrdinateurDistant:
        case Joueur::ModeEnAttenteDEntree:
        case Joueur::ModeOrdinateurPartout:
            return joueur->options_.idCompte_;
        default:
            break;
        }
    }
    // Seats 0 to 3: -5 to -2, never -1 (no account).
    return noJoueur - 5;
}

void ZB_RoomTable::statsResultatsPli_(const ZB_PointsDonne& resultat)
{
    // Only the card that closes a trick brings points.
    if (resultat.derniersPlis_[0] == 0 && resultat.derniersPlis_[1] == 0)
        return;
    for (int equipe = 0; equipe < 2; ++equipe) {
        const qint64 joueur1 = cleStats_(equipe);
        const qint64 joueur2 = cleStats_(equipe + 2);
        const int score = resultat.getScore(equipe);
        const int annonces = resultat.pointsAnnonces_[equipe] + resultat.pointsAnnoncesPris_[equipe];
        m_statsPartie.ajouteValeur(equipe, joueur1, joueur2, JoueurHumain::StatsPointsPlis, score - annonces);
        if (annonces != 0)
            m_statsPartie.ajouteValeur(equipe, joueur1, joueur2, JoueurHumain::StatsPointsAnnonces, annonces);
        m_statsPartie.ajouteValeur(equipe, joueur1, joueur2, StatsPointsEquipe0 + equipe, score);
        if (resultat.match_[equipe] != 0)
            m_statsPartie.ajouteValeur(equipe, joueur1, joueur2, JoueurHumain::StatsMatchs, 1);
        if (resultat.chute_[equipe] != 0)
            m_statsPartie.ajouteValeur(equipe, joueur1, joueur2, JoueurHumain::StatsDedans, 1);
        m_statsPartie.valeurs2_[size_t(equipe)] += score;
    }
}

void ZB_RoomTable::statsAnnoncesDecidees_(int siegeMeilleur, const AnnoncesJoueur& meilleur, int siegePartenaire,
                                          const AnnoncesJoueur& partenaire, int credit)
{
    if (!estSiege(siegeMeilleur) || !estSiege(siegePartenaire))
        return;
    const int equipe = siegeMeilleur % 2;
    const qint64 cleMeilleur = cleStats_(siegeMeilleur);
    const qint64 clePartenaire = cleStats_(siegePartenaire);
    m_statsPartie.ajouteValeur(equipe, cleMeilleur, clePartenaire, JoueurHumain::StatsPointsAnnonces, credit);
    m_statsPartie.ajouteValeur(equipe, cleMeilleur, clePartenaire, StatsPointsEquipe0 + equipe, credit);
    m_statsPartie.valeurs2_[size_t(equipe)] += credit;

    // Index 31 (nothing announced) is no counter: ajoute ignores it.
    const int indexMeilleur = indexStatsAnnonces(meilleur);
    m_statsPartie.getPlayer(cleMeilleur).ajoute(indexMeilleur, 1);
    m_statsPartie.equipes_[size_t(equipe)].ajoute(indexMeilleur, 1);
    m_statsPartie.getPlayer(clePartenaire).ajoute(indexStatsAnnonces(partenaire), 1);
}

void ZB_RoomTable::statsAnnoncesFinDeDonne_()
{
    // What the slots still hold of the deal's announcements; confirmed ones
    // were counted when they were decided and have left the slots.
    for (int slot = 0; slot < qMin(m_nombreAnnonces, NombreDeSieges); ++slot) {
        const int siege = m_siegesAnnonces[size_t(slot)];
        const int index = indexStatsAnnonces(m_annonces[size_t(slot)]);
        if (estSiege(siege) && GM_GameStatsPlayer::estCompteurValide(index))
            m_statsPartie.getPlayer(cleStats_(siege)).ajoute(index, 1);
    }
}

void ZB_RoomTable::statsFinDeMatch_(int t0, int t1)
{
    const bool egalite = t0 == t1;
    const int gagnante = t1 <= t0 ? 0 : 1;
    m_statsPartie.valeurs_[1] = qMax(t0, t1);
    // Each seat's entry is made here when play did not make it (a match
    // without a trick counted).
    for (int siege = 0; siege < NombreDeSieges; ++siege) {
        const qint64 cle = cleStats_(siege);
        GM_GameStatsPlayer& entree = m_statsPartie.getPlayer(cle);
        entree.databaseId = cle;
        entree.typePartie_ = m_statsPartie.typePartie_;
        auto points = [&entree](int equipe) { return entree.compteurs_[size_t(StatsPointsEquipe0 + equipe)]; };
        auto part = [this, &points](int equipe) {
            const int total = m_statsPartie.valeurs2_[size_t(equipe)];
            return total == 0 ? 0.0 : double(points(equipe)) / double(total);
        };
        entree.valeur_ = egalite ? part(0) + part(1) : part(gagnante);
        const int equipe = siege % 2;
        // Set for a player who did not play the whole match for its team.
        entree.indicateur_ = points(equipe) != m_statsPartie.valeurs2_[size_t(equipe)];
        m_statsPartie.equipes_[size_t(equipe)].indicateur_ = entree.indicateur_;
    }
    if (!m_statsPartie.m_statsPlayer.isEmpty())
        emit signalSendStatsGameCompleted(!m_miroir && m_statsPartie.id1_ != -1,
                                          m_statsPartie.sauveValeursDansString());
}

void ZB_RoomTable::annonceDebutDeStats_()
{
    if (m_statsPartie.id1_ == -1 || m_statsPartie.valeur3_ != 0 || m_statsPartie.m_statsPlayer.isEmpty())
        return;
    m_statsPartie.valeur3_ = 1;
    emit signalSendStatsGameStart(m_statsPartie.sauveValeursDansString());
}

// ---- Undo and redo of the local player's moves; king-and-queen seats of the slate. ----

namespace {

// Events replayed by an undo run at once and unseen: they are not paced,
// the display is not refreshed for each, they are not forwarded to clients
// and no seat answers the requests they lead to.
constexpr int ModeRejeuAnnulation = 1;
// The view mode of the display while the table is rebuilt: the user only
// watches.
constexpr int ModeVueAnnulation = 1;
// An undo needs the deal's snapshot, taken before the first deal request.
constexpr int PremierEtatAnnulable = 7;
// From the Belote pair's decision (129) on, the match is decided: the states
// that follow are set by the table itself, then the end-of-game answers are
// asked for. Neither the slate's pair seats nor an undo go there.
constexpr int PremierEtatMatchDecide = 129;
constexpr int EtatAtout = 27;
constexpr int PremiereCarteDuPremierPli = 37;

void avertitAnnulation(const QString& raison)
{
    avertit(QStringLiteral("ZB_RoomTable::annuler, the deal could not be rewound: %1").arg(raison));
}

} // namespace

int ZB_RoomTable::etatDuPliPrecedent(int etat) const
{
    if (etat >= 121) {
        // Eight-trick games skip the states of trick 8: their last trick
        // follows trick 7.
        return m_typeDePartie.genre_ == TypeDePartie::GenreBelote ? 105 : 113;
    }
    if (etat >= 113)
        return 105;
    if (etat >= 105)
        return 97;
    if (etat >= 97)
        return 89;
    if (etat >= 89)
        return 77;
    if (etat >= 77)
        return 65;
    if (etat >= 65)
        return 53;
    if (etat >= 53)
        return PremiereCarteDuPremierPli;
    if (etat >= PremiereCarteDuPremierPli)
        return EtatAtout;
    return etat;
}

QList<int> ZB_RoomTable::siegesStockAAfficher_()
{
    const int etat = getEtatCourant();
    const bool decide = etat >= PremierEtatMatchDecide;
    QList<int> sieges;
    for (int siege = 0; siege < NombreDeSieges; ++siege) {
        bool& affiche = m_stockAffiche[size_t(siege)];
        if (m_etatsBelote[size_t(siege)] != 2) {
            affiche = false;
            continue;
        }
        if (affiche)
            continue;
        // Announced once: a pair not shown before the match was decided is
        // not shown afterwards either.
        affiche = true;
        if (!decide)
            sieges << siege;
    }
    return sieges;
}

bool ZB_RoomTable::evenementsDeLaDonne_(QStringList& evenements, QString& raison) const
{
    evenements.clear();
    QByteArray bloc;
    const int local = getNoJoueurLocal();
    m_listeDesEvenements->getReplay(bloc, EvenementDeJeu::RsI, local >= 0 ? local : int(SiegeTable), m_noTable);

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
        if (ev.type_ == EvenementDeJeu::InJ && ev.etat_ >= 2 && ev.etat_ <= 5)
            inscrits[size_t(ev.etat_ - 2)] = true;
        ev.valide_ = true;
        evenements << ev.toString(m_listeDesEvenements->version_);
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

bool ZB_RoomTable::rebatitJusqua_(const QStringList& evenements, int cible)
{
    ListeDesEvenements* liste = m_listeDesEvenements;
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
        ev.mode_ = ModeRejeuAnnulation;
        lignes << ev.toString(liste->version_);
        premierEtat = qMin(premierEtat, ev.etat_);
    }
    if (lignes.size() < 2)
        return false;

    // The reset keeps the players' records, the match options and the
    // game type; the snapshot in the replayed lines brings back the deal
    // generator, the scores and the request number, and the inscriptions
    // seat the same players again, so the same cards are dealt.
    reinitialise(false);
    // The record starts with the game inscription (state 1) when the room
    // wrote one, else with the players' inscriptions.
    liste->etatAttendu_ = premierEtat;
    liste->clear();
    liste->replay(lignes, SiegeTable, false, -1, nullptr);
    const int dernierEtat = liste->getDernierEvenement().etat_;
    liste->flush_unlocked();
    return !liste->estReplayEnCours() && liste->getEtatExecute() == dernierEtat;
}

bool ZB_RoomTable::annuler(int cible, bool refaire)
{
    ListeDesEvenements* liste = m_listeDesEvenements;
    // A client only mirrors the server's table: rewound on its own it would
    // wait for moves the server played long ago.
    if (liste == nullptr || m_miroir)
        return false;

    liste->lock();
    const int etat = getEtatCourant();
    if (etat < PremierEtatAnnulable || etat >= PremierEtatMatchDecide || liste->estReplayEnCours()) {
        liste->unlock();
        return false;
    }

    int etatCible = -1;
    QMap<int, int> refaireApres = m_historiqueRefaire;
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
        if (refaireApres.isEmpty() || etatCible <= etat || etatCible > refaireApres.lastKey()) {
            liste->unlock();
            return false;
        }
        // Ordered by state: the states now reached come first.
        for (auto it = refaireApres.begin(); it != refaireApres.end() && it.key() <= etatCible;)
            it = refaireApres.erase(it);
    } else {
        etatCible = cible >= 0 ? cible
                  : !m_historiqueAnnuler.isEmpty() ? m_historiqueAnnuler.lastKey()
                                                   : EtatAtout;
        if ((etatCible >= etat || etatCible == EtatAtout) && etat >= PremiereCarteDuPremierPli)
            etatCible = etatDuPliPrecedent(etat);
        if (etatCible >= etat || etatCible < PremierEtatAnnulable) {
            liste->unlock();
            return false;
        }
        refaireApres.insert(etat, etat);
    }

    // The deal as it stands, for an undo and to come back to it should the
    // rewind fail.
    QStringList actuels;
    QString raison;
    bool possible = false;
    try {
        possible = evenementsDeLaDonne_(actuels, raison);
    } catch (const GM_Exception& e) {
        raison = e.getMessage();
    }
    if (!possible) {
        liste->unlock();
        avertitAnnulation(raison);
        return false;
    }
    const QStringList& aRejouer = refaire ? m_evenementsRefaire : actuels;

    if (m_display != nullptr)
        m_display->setModeVue(ModeVueAnnulation);
    // The match statistics belong to the match, which the reset would empty.
    const GM_GameStats statistiques = m_statsPartie;
    // The replayed moves empty the redo history as live moves do.
    const QMap<int, int> refaireAvant = m_historiqueRefaire;
    bool rebati = false;
    try {
        rebati = rebatitJusqua_(aRejouer, etatCible);
        if (!rebati)
            raison = QStringLiteral("the replay stopped before state %1").arg(etatCible);
    } catch (const GM_Exception& e) {
        raison = e.getMessage();
    } catch (const std::exception& e) {
        raison = QString::fromUtf8(e.what());
    }
    if (rebati) {
        // The replayed moves of the local player rebuilt the undo history
        // below the target; the moves now undone wait in the redo history.
        if (!refaire && refaireAvant.isEmpty())
            m_evenementsRefaire = actuels;
        m_historiqueRefaire = refaireApres;
    } else {
        avertitAnnulation(raison);
        try {
            if (!rebatitJusqua_(actuels, -1))
                avertitAnnulation(QStringLiteral("the deal could not be rebuilt as it stood"));
        } catch (const GM_Exception& e) {
            avertitAnnulation(e.getMessage());
        } catch (const std::exception& e) {
            avertitAnnulation(QString::fromUtf8(e.what()));
        }
        m_historiqueRefaire = refaireAvant;
    }
    if (m_historiqueRefaire.isEmpty())
        m_evenementsRefaire.clear();
    m_statsPartie = statistiques;
    liste->unlock();

    // The seat that must act at the target is asked again, live.
    try {
        liste->flush();
    } catch (const GM_Exception& e) {
        avertitAnnulation(e.getMessage());
    } catch (const std::exception& e) {
        avertitAnnulation(QString::fromUtf8(e.what()));
    }
    if (m_display != nullptr) {
        m_display->afficheTable();
        m_display->afficheBoutonsAnnuler(!m_historiqueAnnuler.isEmpty(), !m_historiqueRefaire.isEmpty());
    }
    return rebati;
}

void ZB_RoomTable::oublieSessionEnLigne()
{
    m_entreesDonne.clear();
    m_entreesPli.clear();
    m_etatsEntreesTraites.clear();
    m_memeCompte = {};
    m_comptes = {-1, -1, -1, -1};
}
