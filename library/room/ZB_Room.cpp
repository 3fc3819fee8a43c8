#include "ZB_Room.h"

#include "DisplayA.h"
#include "EvenementDeJeu.h"
#include "GM_Exception.h"
#include "GM_ExceptionFileCorrupted.h"
#include "GM_SharedFunctions.h"
#include "GM_SocketAbstract.h"
#include "JoueurHumain.h"
#include "Partie.h"
#include "TypeDePartie.h"
#include "ZB_EventsGroup.h"
#include "ZB_RoomTable.h"
#include "ZB_VerrouEvenements.h"

#include <QBuffer>
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QMessageLogger>
#include <QMutexLocker>
#include <QPointer>
#include <QRandomGenerator>
#include <QTextStream>
#include <QTimer>

#include <exception>

namespace {

// A table this many states ahead of the slowest one goes on without waiting
// for it: the others are still bidding or dealing.
constexpr int AvanceMaximaleEntreTables = 25;

void trace(const QString& ligne)
{
    qDebug("%s", qUtf8Printable(ligne));
}

const QStringList& prenoms()
{
    static const QStringList liste = [] {
        QStringList noms;
        QFile fichier(QStringLiteral(":/first_names.txt"));
        if (fichier.open(QIODevice::ReadOnly | QIODevice::Text))
            for (const QByteArray& ligne : fichier.readAll().split('\n'))
                if (!ligne.trimmed().isEmpty())
                    noms << QString::fromUtf8(ligne.trimmed());
        return noms;
    }();
    return liste;
}

} // namespace

QString randomPlayerName()
{
    const QStringList& noms = prenoms();
    // Without the embedded list (a build without resources) a seat still
    // gets a name.
    if (noms.isEmpty())
        return QCoreApplication::translate("ZB_Room", "Ordinateur");
    const QString entree = noms.at(int(QRandomGenerator::global()->bounded(quint32(noms.size()))));
    QString nom = QCoreApplication::translate("ZB_Room", qPrintable(entree));
    if (!nom.isEmpty())
        nom[0] = nom.at(0).toUpper();
    const qsizetype tiret = nom.indexOf(QLatin1Char('-'));
    if (tiret >= 0 && tiret + 1 < nom.size())
        nom[tiret + 1] = nom.at(tiret + 1).toUpper();
    return nom;
}

ZB_Room::ZB_Room(QObject* parent, DisplayA* display, GM_MessageBoxDisplayerA* displayer, const OptionsDePartie& genre,
                 const Parametres& parametres)
    : QObject(parent)
    , displayer_(displayer)
    , display_(display)
    , options_(genre)
    , dossierDonnees_(parametres.dossierDonnees)
    , cheminSauvegarde_(parametres.dossierDonnees + QStringLiteral("autosave.jss"))
    , events_(std::make_unique<ZB_EventsGroup>(static_cast<ListeDesEvenements::Executor*>(this)))
    , sansSauvegarde_(parametres.sansSauvegarde)
    , cheminServeur_(parametres.cheminServeur)
    , modeSimple_(parametres.modeSimple)
    , reseedAChaqueReset_(parametres.reseedAChaqueReset)
    , sansDelai_(parametres.sansDelai)
    , nonSecurise_(parametres.nonSecurise)
    , tcp_(parametres.tcp)
{
    setMessageBoxDisplayer(displayer);
    if (!dossierDonnees_.isEmpty() && !dossierDonnees_.endsWith(QLatin1Char('/')))
        cheminSauvegarde_ = dossierDonnees_ + QStringLiteral("/autosave.jss");
    events_->initialise(1);
    events_->setSansDelai(sansDelai_);
    server_ = std::make_unique<ZB_ServerSocket>(nullptr, this, listeDeTables_, events_.get(), cheminServeur_);
    server_->setGenerateurDeNoms(&randomPlayerName);
    connect(server_.get(), &ZB_ServerSocket::signalOnlineGameEnded, this, &ZB_Room::OnOnlineGameEnded);
    connect(server_.get(), &ZB_ServerSocket::signalSetClientOffline, this, &ZB_Room::OnSetClientOffline);
    connect(server_.get(), &ZB_ServerSocket::signalDepart, this, &ZB_Room::OnOnlineGameStart);
    creeTable_(0, true);
}

ZB_Room::~ZB_Room()
{
    if (server_) {
        disconnect(server_.get(), nullptr, this, nullptr);
        server_->closeAllConnections();
    }
    supprimeTables_();
    // The lists go before the server, which holds the group.
    server_.reset();
    events_.reset();
    setMessageBoxDisplayer(nullptr);
}

ZB_RoomTable* ZB_Room::creeTable_(int noTable, bool affichee)
{
    DisplayA* display = affichee && display_ != nullptr ? display_ : &displayVide_;
    // The table is this room's child, and a table going away takes its
    // timers with it; the room runs what it posts.
    auto* table = new ZB_RoomTable(this, modeSimple_, reseedAChaqueReset_);
    table->setSalle(this);
    table->initialise(this, displayer_, noTable, display, events_->getListe(noTable), false, QString(), QString(),
                      false);
    table->setVersion(version_);
    connect(table, &ZB_RoomTable::signalDisconnectClient, this, qOverload<bool>(&ZB_Room::OnDisconnectClient));
    connect(table, &ZB_RoomTable::signalQuestion_NouvellePartie, this, &ZB_Room::OnQuestionNouvellePartie);
    connect(table, &ZB_RoomTable::signalSendStatsGameStart, this, &ZB_Room::OnSendStartStats);
    connect(table, &ZB_RoomTable::signalSendPenalty, this, &ZB_Room::OnForwardPenalty);
    connect(table, &ZB_RoomTable::signalPlayerExcluded, this, &ZB_Room::OnPlayerExcluded);
    connect(table, &ZB_RoomTable::signalSendStatsGameCompleted, this, &ZB_Room::OnSendStatsGameCompleted);
    table->setRefusCoupDistant([serveur = QPointer<ZB_ServerSocket>(server_.get())](qint64 id, const QString& raison) {
        if (serveur)
            serveur->coupRefuse(id, raison);
    });
    tables_.insert(noTable, table);
    return table;
}

void ZB_Room::supprimeTables_()
{
    // The screen lets go of the shown table's seats first: it draws their
    // hands until it is given the next table's players.
    for (ZB_RoomTable* table : std::as_const(tables_))
        if (table != nullptr && display_ != nullptr && table->getDisplay() == display_)
            for (int siege = 0; siege < ZB_RoomTable::NombreDeSieges; ++siege)
                display_->setJoueur(siege, nullptr);
    for (ZB_RoomTable* table : std::as_const(tables_))
        delete table;
    tables_.clear();
}

ZB_RoomTable* ZB_Room::getTable(int noTable) const
{
    if (noTable == -1)
        return tables_.isEmpty() ? nullptr : tables_.first();
    return tables_.value(noTable, nullptr);
}

ListeDesEvenements* ZB_Room::getListe(int noTable) const
{
    return events_->getListe(noTable);
}

const TypeDePartie& ZB_Room::typeDePartie_() const
{
    if (options_.idPreset_ == TypeDePartie::ID_PERSONALISE)
        return options_.typeDePartie_;
    TypeDePartie::initTypesDePartie(options_.genre_);
    return TypeDePartie::getTypeDePartie(options_.idPreset_);
}

int ZB_Room::versionPour_(const TypeDePartie& type) const
{
    return type.atoutImpose_ ? 2 : 1;
}

EvenementDeJeu ZB_Room::inscriptionPartie_(int noTable) const
{
    return EvenementDeJeu(EvenementDeJeu::InP, options_.sauveValeursDansString(version_), ZB_RoomTable::SiegeTable,
                          EtatDeJeu::AttendInscriptionPartie, EvenementDeJeu::Local_Table, -1, 0, -1, noTable, ZB_ICI);
}

// ---- Starting a game. ----

void ZB_Room::reponse_Depart(int* modeDepart, int* genreSession, const OptionsDePartie& options,
                             const QString& fichierOuServeur, const QString& login, quint16 portSecure,
                             quint16 portUnsecure, quint16 portTcp, int secondesAttente, bool connexionPublique,
                             QSharedPointer<GM_SocketAbstract> socket, int noTable)
{
    int mode = modeDepart != nullptr ? *modeDepart : NouvellePartie;
    const int session = genreSession != nullptr ? *genreSession : SessionLocale;
    if (noTable == -1)
        noTable = tables_.isEmpty() ? 0 : tables_.firstKey();

    // A file is read and checked before anything of the game in progress
    // changes: one that does not open leaves that game as it was.
    QByteArray contenu;
    QStringList avis;
    if (mode == OuvreFichier || mode == RepriseFichier) {
        QFile f(fichierOuServeur);
        if (ZB_FichierDePartie::ouvrePourLecture(f)) {
            contenu = f.readAll();
            avis = ZB_FichierDePartie::lisPartie(contenu, quint64(noTable < 0 ? 0 : noTable),
                                                 static_cast<int>(tables_.size()));
        } else if (mode == OuvreFichier) {
            throw GM_ExceptionFileCorrupted(tr("Le fichier est trop court pour contenir une partie."));
        } else {
            // An autosave this small holds no game: a new one starts, and
            // the caller learns it through the start mode.
            mode = NouvellePartie;
            if (modeDepart != nullptr)
                *modeDepart = NouvellePartie;
            int sessionLocale = SessionLocale;
            reponse_Depart(&mode, &sessionLocale, options, QString(), login, portSecure, portUnsecure, portTcp, 0,
                           false, socket, noTable);
            return;
        }
    }

    options_ = options;
    if (display_ != nullptr)
        display_->setOptionsDePartie(options_);
    // A local new game starts on one fresh table; the lists that go with the
    // old tables are replaced, so this happens before they are locked.
    const bool nouvelleTable = (mode == NouvellePartie || mode == NouvellePartieGagnante) && session == SessionLocale;
    if (nouvelleTable) {
        resetToSingleTable();
        noTable = 0;
    }

    ZB_EventsGroup* groupe = events_.get();
    if (groupe == nullptr)
        return;
    ZB_VerrouEvenements<ZB_EventsGroup> verrou(*groupe);
    {
        login_ = login;
        portSecure_ = portSecure;
        portUnsecure_ = portUnsecure;
        portTcp_ = portTcp;
        socket_ = socket;
        for (ZB_RoomTable* table : std::as_const(tables_))
            table->reinitialise(false);
        if (session == SessionServeur)
            for (ZB_RoomTable* table : std::as_const(tables_))
                table->settingsPartie().random_.reseedFromTime();
        enLigne_ = session == SessionClient || session == SessionServeur
                || (session == SessionAutre && etatEnLigne_ != HorsLigne);

        QStringList presets;
        bool etapesDeDepart = false;
        switch (mode) {
        case NouvellePartie:
        case NouvellePartieGagnante: {
            const QString fichier = ZB_FichierDePartie::fichierPreset(mode, options_.idPreset_);
            if (!fichier.isEmpty())
                presets = ZB_FichierDePartie::lisPreset(fichier);
            etapesDeDepart = true;
            break;
        }
        case OuvreFichier:
        case RepriseFichier:
            verrou.unlock();
            chargeFichier_(mode, fichierOuServeur, quint64(noTable < 0 ? 0 : noTable), contenu, avis);
            break;
        case MemesJoueurs:
            for (auto it = tables_.constBegin(); it != tables_.constEnd(); ++it) {
                const QMap<int, OptionsDuJoueur> joueurs = it.value()->getJoueursEnAttente();
                if (ListeDesEvenements* liste = groupe->getListe(it.key()))
                    liste->clear_Et_metEnQueue_InscriptionJoueurs(joueurs, it.key());
            }
            break;
        case ViderListes:
            groupe->clear();
            break;
        default:
            break;
        }

        if (etapesDeDepart) {
            groupe->clear();
            for (auto it = tables_.constBegin(); it != tables_.constEnd(); ++it) {
                ZB_RoomTable* table = it.value();
                if (!presets.isEmpty())
                    ZB_FichierDePartie::tirePreset(table->settingsPartie().random_, presets);
                setProtocolVersion(versionPour_(typeDePartie_()));
                EvenementDeJeu inscription = inscriptionPartie_(it.key());
                if (ListeDesEvenements* liste = groupe->getListe(it.key())) {
                    liste->etatAttendu_ = EtatDeJeu::Aucun;
                    liste->execute_unlocked(-1, inscription, false);
                }
            }
        }

        if (session == SessionClient) {
            if (!tables_.isEmpty() && noTable >= 0 && tables_.firstKey() != noTable) {
                // A client plays the server's table under the server's number.
                const int ancien = tables_.firstKey();
                ZB_RoomTable* table = tables_.take(ancien);
                groupe->renumerote(ancien, noTable);
                table->setNoTable(noTable);
                tables_.insert(noTable, table);
            }
            const quint16 port = tcp_ ? portTcp_ : (nonSecurise_ ? portUnsecure_ : portSecure_);
            connectToServer(fichierOuServeur, port, login_, idUtilisateur_, secondesAttente, connexionPublique,
                            socket_);
            etatEnLigne_ = Client;
        } else if (session == SessionServeur) {
            etatEnLigne_ = Hote;
        }
    }
    verrou.unlock();
    if (mode != OuvreFichier && mode != RepriseFichier)
        groupe->flush();
}

void ZB_Room::chargeFichier_(int modeDepart, const QString& fichier, quint64 noTable, const QByteArray& contenu,
                             const QStringList& avis)
{
    fichierCharge_ = fichier;
    // Told before the replay's own question, in the order they happen.
    for (const QString& texte : avis) {
        const QString message = tr("La partie %1 est abîmée. %2").arg(QDir::toNativeSeparators(fichier), texte);
        QMessageLogger(__FILE__, __LINE__, Q_FUNC_INFO).warning("%s", qUtf8Printable(message));
        messageBox(GM::Warning, tr("Partie incomplète"), message, GM::Ok);
    }
    QBuffer tampon;
    tampon.setData(contenu);
    tampon.open(QIODevice::ReadOnly);
    QTextStream in(&tampon);
    setProtocolVersion(3);
    int type = ZB_FichierDePartie::typeDeFichier(fichier, modeDepart);
    int lignes = 0;
    if (!loadFromStream(in, &type, noTable, &lignes))
        throw GM_ExceptionFileCorrupted(tr("Le fichier n'a pas la forme d'une partie enregistrée."));
}

bool ZB_Room::loadFromStream(QTextStream& in, int* typeDeFichier, quint64 noTable, int* nombreDeLignes)
{
    Q_UNUSED(typeDeFichier);
    return ZB_FichierDePartie::lisFichier(in, noTable, *this, nombreDeLignes);
}

void ZB_Room::recreeTables(int n, quint64 tableDemandee)
{
    {
        ZB_VerrouEvenements<ZB_EventsGroup> verrou(*events_);
        supprimeTables_();
    }
    events_->initialise(n);
    events_->setSansDelai(sansDelai_);
    events_->setVersion(version_);
    for (int i = 0; i < n; ++i)
        creeTable_(i, quint64(i) == tableDemandee);
    setProtocolVersion(3);
}

bool ZB_Room::chargeTable(int noTable, QTextStream& in, int* nombreDeLignes)
{
    ZB_RoomTable* table = getTable(noTable);
    if (table == nullptr || !table->chargeTable(in, nombreDeLignes))
        return false;
    // A block that stops being readable is played up to its last sound
    // line, as the check before the load told the user.
    QStringList lignes = table->getLignes();
    if (ZB_FichierDePartie::gardeLaPartieSaine(lignes).isEmpty())
        return true;
    return table->chargeTable(lignes, nombreDeLignes);
}

void ZB_Room::inscritJoueur(const OptionsDuJoueur& joueur, int etape, int noTable)
{
    auto* ev = new EvenementDeJeu(EvenementDeJeu::InJ, joueur.sauveValeursDansString(),
                                  ZB_RoomTable::SiegeTable, etape, EvenementDeJeu::Local_Table, joueur.id_, 0, -1,
                                  noTable, ZB_ICI);
    QCoreApplication::postEvent(this, ev);
}

void ZB_Room::posteEvenementDeTable(EvenementDeJeu* ev)
{
    QCoreApplication::postEvent(this, ev);
}

void ZB_Room::customEvent(QEvent* event)
{
    QObject::customEvent(event);
    if (event->type() != static_cast<QEvent::Type>(ZB_Event::EvenementDeJeu) || event->isAccepted())
        return;
    auto* ev = dynamic_cast<EvenementDeJeu*>(event);
    ZB_RoomTable* table = ev != nullptr ? getTable(ev->noTable_) : nullptr;
    if (table == nullptr) {
        event->accept();
        return;
    }
    QCoreApplication::sendEvent(table, event);
}

// ---- The event lists' executor. ----

bool ZB_Room::cb_executeUnEvenement(EvenementDeJeu& ev)
{
    if (!ev.valide_)
        return false;
    if (ev.type_ == EvenementDeJeu::InP) {
        OptionsDePartie options;
        options.chargeValeursDepuisString(ev.texte_);
        options_ = options;
        ZB_RoomTable* table = getTable(ev.noTable_);
        if (table == nullptr)
            return false;
        const int modeReseau = etatEnLigne_ == Hote     ? ZB_RoomTable::ReseauServeur
                             : etatEnLigne_ == Client ? ZB_RoomTable::ReseauClient
                                                      : ZB_RoomTable::ReseauLocal;
        table->nouvellePartie(modeReseau, options_);
        if (display_ != nullptr && table->getDisplay() == display_)
            display_->setTexteAide(options_.texte7_);
        return true;
    }
    ZB_RoomTable* table = getTable(ev.noTable_);
    if (table == nullptr)
        return false;
    const bool resultat = table->cb_executeUnEvenement(ev);
    // Before the start the identified players are the seats' claimants,
    // and one who leaves must not make the waiting server look started.
    if (resultat && etatEnLigne_ == Hote && (ev.type_ == EvenementDeJeu::Dis || ev.type_ == EvenementDeJeu::JoO)
        && server_->getEtat() >= ZB_ServerSocket::DemarreParLaVue) {
        QMutexLocker verrou(server_->getMutex());
        if (listeDeTables_ && !listeDeTables_->isEmpty()) {
            server_->setEtat(5);
        } else {
            int libres = 0;
            for (ZB_RoomTable* t : std::as_const(tables_))
                libres += t->compteSiegesLibres(-1);
            if (libres > 0 && server_->getEtat() == ZB_ServerSeatingA::EnCoursComplet)
                server_->setEtat(ZB_ServerSeatingA::EnCoursAvecPlacesLibres);
            else if (libres == 0)
                server_->setEtat(ZB_ServerSeatingA::EnCoursComplet);
        }
    }
    return resultat;
}

void ZB_Room::envoieEvenement(const EvenementDeJeu& ev)
{
    if (!server_ || server_->getConnections().isEmpty()) {
        if (etatEnLigne_ == Client && EvenementDeJeu::estSourceLocale(ev.source_))
            sendToServer(ev);
        return;
    }
    server_->envoieEvenement(ev);
}

void ZB_Room::continueLeJeu(int mode, double* delai, int noTable, bool force)
{
    const bool relance = relance_;
    // A stored record's replay passes its moves' own mode (0), yet the table
    // plays them as a replay: the first live step after it asks again the
    // seats of a group that have not answered (a game left while the
    // computers collected a trick would else wait for ever).
    const ListeDesEvenements* liste = events_->getListe(noTable);
    const bool rejeu = liste != nullptr && liste->estReplayEnCours();
    if (incrementeTour_(mode, noTable)) {
        QTimer::singleShot(2000, this, &ZB_Room::OnQuickFixDelayCompleteRound);
    } else {
        continueTable_(mode, delai, noTable, force, relance);
    }
    relance_ = mode != 0 || rejeu;
}

void ZB_Room::continueTable_(int mode, double* delai, int noTable, bool force, bool relance)
{
    ZB_RoomTable* table = getTable(noTable);
    ListeDesEvenements* liste = events_->getListe(noTable);
    if (table == nullptr || liste == nullptr)
        return;
    const int etat = liste->etatAttendu_;
    if (etat == EtatDeJeu::Aucun)
        return;
    if (etat == EtatDeJeu::AttendInscriptionPartie) {
        if (mode == 0 && etatEnLigne_ == Hote) {
            const int etatServeur = server_->getEtat();
            if (etatServeur == ZB_ServerSocket::DemarreParLaVue || etatServeur == ZB_ServerSeatingA::EnCoursAvecPlacesLibres
                || etatServeur == ZB_ServerSeatingA::EnCoursComplet) {
                // The list is locked here, and the start queues on it.
                const int no = table->getNoTable();
                QTimer::singleShot(0, this, [this, no] { cb_serverStart(no); });
            }
            else
                startHosting(socket_, login_, portSecure_, portUnsecure_, portTcp_, idUtilisateur_);
        }
        return;
    }
    int siege = -1;
    const int debut = table->getSettingsPartie().joueurQuiCommenceLaProchainePartie;
    if (etat > EtatDeJeu::AttendMise1_1 && etat <= EtatDeJeu::AttendAtout)
        siege = debut;
    else if (etat == EtatDeJeu::AttendAtoutChibre && debut >= 0 && debut < 4 && table->getJoueur(debut) != nullptr)
        siege = (table->getJoueur(debut)->noJoueur_ + 2) % 4;
    else if (JoueurHumain::estEtatDeJeuDeCarte(etat))
        siege = table->getJoueurQuiDoitJouer(etat);
    JoueurHumain* joueur = table->getJoueur(siege);
    // A record being replayed is not saved half-way over the last autosave.
    if (joueur != nullptr && joueur->estJoueurManuel() && etatEnLigne_ == HorsLigne && mode == 0
        && !sansSauvegarde_ && !liste->estReplayEnCours()) {
        // A continuation runs under the lock of its table's list: the first
        // table's list is written as it is, locking it again would hang.
        if (liste == events_->getListe(-1))
            autosauvegarde_(*liste);
        else
            saveToFile();
    }
    table->continueLeJeu(mode, delai, relance, force);
}

bool ZB_Room::incrementeTour_(int mode, int noTable)
{
    ZB_RoomTable* table = getTable(noTable);
    ListeDesEvenements* liste = events_->getListe(noTable);
    if (table == nullptr || liste == nullptr)
        return false;
    const int etat = liste->etatAttendu_;
    const TypeDePartie& type = table->getTypeDePartie();
    bool autresTables = false;
    int suivant = etat + 1;

    if (etat == EtatDeJeu::Tour9_AttendRamasseTas4) {
        suivant = EtatDeJeu::Tour9_AttendRamasseTas4;
        if (events_->sontTousDansEtat(EtatDeJeu::Tour9_AttendRamasseTas4)) {
            if (etatEnLigne_ != Hote)
                finDeTour_(mode);
            else
                autresTables = true;
        }
    } else if (etat == EtatDeJeu::AttendDistribue4) {
        suivant = type.contrat_ == TypeDePartie::ContratChibre ? EtatDeJeu::AttendAtout : EtatDeJeu::AttendMise1_1;
    } else if (etat == EtatDeJeu::AttendMise4_4) {
        // Everybody passed: the deal starts again from the snapshot.
        suivant = EtatDeJeu::EnregistrementSettingsPartie;
        liste->setEtatExecute(EtatDeJeu::InscriptionJoueur3);
    } else if (etat == EtatDeJeu::AttendAtoutChibre) {
        suivant = type.annonces_ == TypeDePartie::AnnoncesDesactivees ? EtatDeJeu::Tour1_NouveauJoueur1
                                                                      : EtatDeJeu::AttendAnnonce1;
    } else if (etat == EtatDeJeu::Tour1_AttendRamasseTas4 && !table->estConfirmationAnnoncesEnAttente()) {
        suivant = EtatDeJeu::Tour2_NouveauJoueur1;
    } else if (etat == EtatDeJeu::Tour7_AttendRamasseTas4 && type.genre_ == TypeDePartie::GenreBelote) {
        suivant = EtatDeJeu::Tour9_AttendCarte1;
    }

    // Nobody waits at a new-player state: the walk goes on through the
    // group, whose next state is the trick's first card. A client stops
    // where an entry it heard of is to be made: the table's word for it may
    // come after the move that ended the trick.
    if (etat != EtatDeJeu::Tour9_AttendRamasseTas4) {
        const int groupe = EtatDeJeu::premierNouveauJoueur(suivant);
        if (groupe >= 0) {
            while (suivant < groupe + 4
                   && !table->getEntreesProchainPli().contains(suivant - groupe)
                   && !table->estEntreeAnnoncee(suivant)
                   && liste->getEnQueue(suivant).isEmpty())
                ++suivant;
        }
        liste->etatAttendu_ = suivant;
    }
    trace(QStringLiteral("ZB_Room::incrementeTour_(tableId=%1), oldState=%2, partie=%3, isContinueOtherTables=%4")
              .arg(noTable)
              .arg(etat)
              .arg(table->getPartie().isNull() ? QStringLiteral("nullptr") : QStringLiteral("ok"))
              .arg(autresTables));
    return autresTables;
}

void ZB_Room::finDeTour_(int mode)
{
    bool secondeMoitie = false;
    for (auto it = tables_.constBegin(); it != tables_.constEnd(); ++it) {
        if (ListeDesEvenements* liste = events_->getListe(it.key())) {
            liste->donneSuivante();
            liste->etatAttendu_ = EtatDeJeu::InscriptionJoueur0;
        }
    }
    for (ZB_RoomTable* table : std::as_const(tables_))
        secondeMoitie = table->termineDonne(mode == 4) || secondeMoitie;
    if (secondeMoitie && etatEnLigne_ != Client && display_ != nullptr && display_->getModeAffichage() == 0)
        messageBox(GM::Information, tr("Information concours."),
                   tr("Vous avez atteint le nombre de parties prévu. A présent, les mêmes jeux qu'au départ vont être "
                      "distribués, mais en inversant les destinataires."),
                   GM::Ok);
    if (mode == 4)
        events_->flush_unlocked();
}

void ZB_Room::noteActiviteJoueur(const EvenementDeJeu& ev)
{
    if (!ev.valide_ || ev.noJoueur_ == ZB_RoomTable::SiegeTable)
        return;
    ZB_RoomTable* table = getTable(ev.noTable_);
    if (table == nullptr)
        return;
    if (JoueurHumain* joueur = table->getJoueur(ev.noJoueur_))
        joueur->horodatage_ = QDateTime::currentDateTime();
}

bool ZB_Room::peutContinuer(int& etatAttendu, int noTable)
{
    Q_UNUSED(etatAttendu);
    if (tables_.size() < 2)
        return true;
    int plusHaut = 0;
    int plusBas = 0;
    bool egaux = true;
    bool premier = true;
    for (auto it = tables_.constBegin(); it != tables_.constEnd(); ++it) {
        const ListeDesEvenements* liste = events_->getListe(it.key());
        if (liste == nullptr)
            continue;
        const int etat = liste->etatAttendu_;
        if (premier && etat == EtatDeJeu::Aucun)
            continue;
        if (premier) {
            plusHaut = plusBas = etat;
            premier = false;
            continue;
        }
        egaux = egaux && etat == plusHaut && etat == plusBas;
        plusHaut = qMax(plusHaut, etat);
        plusBas = qMin(plusBas, etat);
    }
    const ListeDesEvenements* liste = events_->getListe(noTable);
    const int s = liste != nullptr ? liste->etatAttendu_ : 0;
    return s < plusHaut || s - plusBas >= AvanceMaximaleEntreTables
        || (s >= EtatDeJeu::InscriptionJoueur0 && s <= EtatDeJeu::AttendMise4_4) || egaux;
}

// ---- Saving and settings. ----

void ZB_Room::saveToFile()
{
    ListeDesEvenements* liste = events_->getListe(-1);
    if (liste == nullptr)
        return;
    QMutexLocker verrou(liste->getMutex());
    autosauvegarde_(*liste);
}

void ZB_Room::autosauvegarde_(const ListeDesEvenements& liste)
{
    // The autosave runs at every turn of the user: a disk that stays full
    // is told once, and again only after a save has succeeded.
    GM_MessageBoxEmitter* emetteur = echecAutosauvegarde_ ? nullptr : this;
    echecAutosauvegarde_ = !ZB_FichierDePartie::ecritFichier(cheminSauvegarde_, liste, emetteur);
}

void ZB_Room::setProtocolVersion(int version)
{
    version_ = version;
    for (ZB_RoomTable* table : std::as_const(tables_))
        table->setVersion(version);
    events_->setVersion(version);
    if (server_)
        server_->setVersion(version);
}

bool ZB_Room::setNombreDeTables(int nombre, int tableAffichee)
{
    if (nombre == tables_.size())
        return true;
    if (nombre < 0 || nombre > ZB_FichierDePartie::NombreMaximalDeTables)
        return false;
    {
        ZB_VerrouEvenements<ZB_EventsGroup> verrou(*events_);
        supprimeTables_();
    }
    events_->initialise(nombre);
    events_->setSansDelai(sansDelai_);
    events_->setVersion(version_);
    try {
        for (int i = 0; i < nombre; ++i)
            creeTable_(i, i == tableAffichee);
    } catch (const std::exception&) {
        return false;
    }
    return true;
}

void ZB_Room::setDatabaseUserId(qint64 id)
{
    idUtilisateur_ = id;
    for (ZB_RoomTable* table : std::as_const(tables_)) {
        table->setDatabaseUserId(id);
        for (int siege = 0; siege < ZB_RoomTable::NombreDeSieges; ++siege) {
            JoueurHumain* joueur = table->getJoueur(siege);
            if (joueur != nullptr && joueur->estJoueurManuel())
                joueur->options_.idCompte_ = id;
        }
    }
}

bool ZB_Room::needsSave() const
{
    for (const ZB_RoomTable* table : tables_)
        if (table->estPartieEnCours())
            return true;
    return false;
}

void ZB_Room::clearNeedsSave()
{
    for (ZB_RoomTable* table : std::as_const(tables_))
        table->effacePartieEnCours();
}

// ---- Session changes. ----

void ZB_Room::stopOnlineSession()
{
    if (etatEnLigne_ == Hote) {
        QMutexLocker verrou(server_->getMutex());
        server_->arrete();
    }
    etatEnLigne_ = HorsLigne;
    // The session is over: connection errors that still arrive are no
    // longer the user's concern.
    enLigne_ = false;
    for (ZB_RoomTable* table : std::as_const(tables_))
        table->oublieSessionEnLigne();
    if (display_ != nullptr) {
        display_->finDeDonne(true);
        display_->afficheRejointPartieEnLigne(false, QString());
    }
    for (ZB_RoomTable* table : std::as_const(tables_))
        table->reinitialise(true);
}

void ZB_Room::resetToSingleTable()
{
    supprimeTables_();
    events_->initialise(1);
    events_->setSansDelai(sansDelai_);
    events_->setVersion(version_);
    creeTable_(0, true);
    if (display_ != nullptr)
        display_->finDeDonne(false);
}

void ZB_Room::cb_serverStart(int noTable)
{
    setProtocolVersion(versionPour_(typeDePartie_()));
    if (ListeDesEvenements* liste = events_->getListe(-1)) {
        QMutexLocker verrou(liste->getMutex());
        // Only a table still waiting for its game takes the inscription, and
        // the queue runs where it stands: a flush that first moved the state
        // on would step over the first player's inscription.
        if (liste->etatAttendu_ < EtatDeJeu::AttendInscriptionPartie)
            liste->etatAttendu_ = EtatDeJeu::AttendInscriptionPartie;
        if (liste->etatAttendu_ == EtatDeJeu::AttendInscriptionPartie) {
            EvenementDeJeu inscription = inscriptionPartie_(noTable);
            liste->execute_unlocked(-1, inscription, false);
            liste->flush_unlocked();
        }
    }
    emit signalOnlineGameStarted();
}

void ZB_Room::resetOnlineState()
{
    etatEnLigne_ = HorsLigne;
    emit signalOnlineGameEnded();
}

// ---- The server's seating callbacks. ----

bool ZB_Room::cb_setClientInGameReconnect(ZB_ServerSocketConnection* connection, const OptionsDuJoueur& joueur)
{
    trace(QStringLiteral("ZB_Room::cb_setClientInGameReconnect->enter() Joueur: %1 (%2)")
              .arg(joueur.nom_)
              .arg(joueur.id_));
    for (ZB_RoomTable* table : std::as_const(tables_))
        if (table->setClientInGameReconnect(connection, server_.get(), joueur))
            return true;
    return false;
}

bool ZB_Room::cb_setClientInGameOnTheFly_Random(ZB_ServerSocketConnection* connection, const OptionsDuJoueur& joueur)
{
    trace(QStringLiteral("ZB_Room::cb_setClientInGameOnTheFly_Random->enter() Joueur: %1 (%2)")
              .arg(joueur.nom_)
              .arg(joueur.id_));
    for (ZB_RoomTable* table : std::as_const(tables_))
        if (table->setClientInGameOnTheFly_Random(connection, joueur))
            return true;
    return false;
}

bool ZB_Room::cb_setClientInGameOnTheFly_SpecificPos(ZB_ServerSocketConnection* connection, int noTable, int siege,
                                                     bool isHotSwapSamePlayerSocketChange,
                                                     const OptionsDuJoueur& joueur)
{
    trace(QStringLiteral("ZB_Room::cb_setClientInGameOnTheFly_SpecificPos->enter() Joueur: %1 (%2) tableId=%3, "
                         "posOnTable=%4, isHotSwapSamePlayerSocketChange=%5")
              .arg(joueur.nom_)
              .arg(joueur.id_)
              .arg(noTable)
              .arg(siege)
              .arg(isHotSwapSamePlayerSocketChange));
    ZB_RoomTable* table = getTable(noTable);
    return table != nullptr
        && table->setClientInGameOnTheFly_SpecificPos(connection, siege, isHotSwapSamePlayerSocketChange, joueur);
}

bool ZB_Room::cb_resetTables(int nombreDeTables)
{
    return setNombreDeTables(qMax(0, nombreDeTables), 0);
}

// ---- Slots. ----

void ZB_Room::OnOnlineGameEnded()
{
    for (ZB_RoomTable* table : std::as_const(tables_))
        table->oublieSessionEnLigne();
    emit signalOnlineGameEnded();
}

void ZB_Room::OnSetClientOffline(qlonglong playerId, bool isSendOfflineEvent, bool isNotifyAllPlayers)
{
    trace(QStringLiteral("ZB_Room::OnSetClientOffline->enter() Joueur: %1, isSendOfflineEvent: %2")
              .arg(playerId)
              .arg(isSendOfflineEvent));
    for (ZB_RoomTable* table : std::as_const(tables_))
        table->setClientOffline(playerId, isSendOfflineEvent, isNotifyAllPlayers);
}

void ZB_Room::OnOnlineGameStart(OptionsDePartie options, ushort port_websocket_secure, ushort port_websocket_unsecure,
                                ushort port_tcpOld)
{
    int mode = NouvellePartie;
    int session = SessionServeur;
    reponse_Depart(&mode, &session, options, QString(), QString(), port_websocket_secure, port_websocket_unsecure,
                   port_tcpOld, 0, false, socket_, -1);
}

void ZB_Room::OnPlayerExcluded()
{
    endOnlineGame(true);
}

void ZB_Room::OnAppQuit(int result)
{
    Q_UNUSED(result);
    QCoreApplication::quit();
}

void ZB_Room::OnQuestionNouvellePartie(bool isPlayerContinue)
{
    if (tables_.isEmpty() || events_->sontTousDansEtat(EtatDeJeu::QuestionNouvellePartie))
        answerNextGame(isPlayerContinue);
}

void ZB_Room::OnDisconnectClient(bool isNotifyExclusion)
{
    endOnlineGame(isNotifyExclusion);
}

void ZB_Room::OnDisconnectClient()
{
    endOnlineGame(false);
}

void ZB_Room::OnSendStartStats(QString stats)
{
    if (etatEnLigne_ != Client)
        emit signalSendStatsGameStart(stats);
}

void ZB_Room::OnForwardPenalty(QString penalty)
{
    emit signalSendPenalty(penalty);
}

void ZB_Room::OnSendStatsGameCompleted(bool isConnected, QString stats)
{
    emit signalSendStatsGameCompleted(isConnected, stats);
}

void ZB_Room::OnQuickFixDelayCompleteRound()
{
    QString erreur;
    {
        ZB_VerrouEvenements<ZB_EventsGroup> verrou(*events_);
        erreur = GM_Exception::sansException([&] {
            if (events_->sontTousDansEtat(EtatDeJeu::Tour9_AttendRamasseTas4)) {
                finDeTour_(0);
                const int nombre = listeDeTables_ && !listeDeTables_->isEmpty() ? int(listeDeTables_->size()) : 1;
                for (int i = 0; i < nombre; ++i)
                    continueTable_(0, nullptr, i, false, relance_);
                events_->flush_unlocked();
            }
        });
    }
    if (erreur.isEmpty())
        return;
    // Nothing may leave a slot. The event that failed is off its queue: the
    // lists try again with what follows, as after a failed flush.
    QMessageLogger(__FILE__, __LINE__, Q_FUNC_INFO)
        .warning("%s", qUtf8Printable(QStringLiteral("ZB_Room::OnQuickFixDelayCompleteRound: %1").arg(erreur)));
    for (auto it = tables_.constBegin(); it != tables_.constEnd(); ++it)
        if (ListeDesEvenements* liste = events_->getListe(it.key()))
            QTimer::singleShot(ListeDesEvenements::DelaiReessai, liste, &ListeDesEvenements::OnFlush);
}
