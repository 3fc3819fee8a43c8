#include "ZB_Room.h"

#include "DisplayA.h"
#include "EvenementDeJeu.h"
#include "GM_ExceptionFileCorrupted.h"
#include "GM_SharedFunctions.h"
#include "GM_SocketAbstract.h"
#include "TypeDePartie.h"
#include "ZB_EventsGroup.h"
#include "ZB_RoomTable.h"
#include "ZB_VerrouEvenements.h"

#include <QBuffer>
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QMetaObject>
#include <QMessageLogger>
#include <QPointer>
#include <QRandomGenerator>
#include <QTextStream>

// ZB_Room: construction, its tables, and the start of a game, from a file
// or afresh. The event lists' executor is in ZB_RoomExecution.cpp, saving
// and settings in ZB_RoomSauvegarde.cpp, the online session in
// ZB_RoomEnLigne.cpp.

namespace {

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

QStringList randomPlayerNames(int nombre, const QStringList& exclus)
{
    // The list holds hundreds of names, so a repeat is rare and a few more
    // draws find another; the bound ends the loop on a list too short.
    constexpr int TIRAGES_PAR_NOM = 64;
    QStringList noms;
    for (int tirage = 0; noms.size() < nombre && tirage < nombre * TIRAGES_PAR_NOM; ++tirage) {
        const QString nom = randomPlayerName();
        if (!noms.contains(nom, Qt::CaseInsensitive) && !exclus.contains(nom, Qt::CaseInsensitive))
            noms << nom;
    }
    while (noms.size() < nombre)
        noms << randomPlayerName();
    return noms;
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
    // The autosave as this copy finds it at its start is the one it may
    // write over.
    empreinteAutosave_ = empreinteDe_(cheminSauvegarde_);
    events_->initialise(1);
    events_->setSansDelai(sansDelai_);
    server_ = std::make_unique<ZB_ServerSocket>(nullptr, this, listeDeTables_, events_.get(), cheminServeur_);
    server_->setGenerateurDeNoms(&randomPlayerName);
    connect(server_.get(), &ZB_ServerSocket::signalOnlineGameEnded, this, &ZB_Room::OnOnlineGameEnded);
    connect(server_.get(), &ZB_ServerSocket::signalSetClientOffline, this, &ZB_Room::OnSetClientOffline);
    connect(server_.get(), &ZB_ServerSocket::signalDepart, this, &ZB_Room::OnOnlineGameStart);
    creeTable_(0, true);
    horloge_.start();
    timerGardeDesTours_.setInterval(1000);
    connect(&timerGardeDesTours_, &QTimer::timeout, this, &ZB_Room::surveilleLesTours_);
    timerGardeDesTours_.start();
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
    // The shorter text leaves out both trump fields: a table that read it
    // would let the seats choose the trumps of a match whose trumps are
    // imposed, and the match would never reach its end by the trump order.
    return type.atoutImpose_ || type.atoutAutomatique_ != 0 ? 2 : 1;
}

EvenementDeJeu ZB_Room::inscriptionPartie_(int noTable) const
{
    return EvenementDeJeu(EvenementDeJeu::InP, options_.sauveValeursDansString(version_), ZB_RoomTable::SiegeTable,
                          EtatDeJeu::AttendInscriptionPartie, EvenementDeJeu::Local_Table, -1,
                          EvenementDeJeu::ModeEnDirect, -1, noTable, ZB_ICI);
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
    // old tables are replaced, so this happens before they are locked. So
    // does a join: the host's table is rebuilt from what the host sends, and
    // nothing of the game left here (its seats' searches and timers, its
    // queue, its record, the moves posted for it) may act on it. The seat
    // the user had here is no longer the user's either: the host places it.
    const bool nouvelleTable = ((mode == NouvellePartie || mode == NouvellePartieGagnante) && session == SessionLocale)
                            || session == SessionClient;
    if (nouvelleTable) {
        resetToSingleTable();
        noTable = session == SessionClient ? noTable : 0;
    }
    if (session == SessionClient) {
        oubliePartieQuittee_();
        if (display_ != nullptr) {
            display_->setNoJoueurLocal(-1);
            display_->setNomJoueurLocal(nullptr);
            // Until the host's table arrives, the local game's last prompt
            // would ask for a card nobody takes.
            display_->afficheAttenteDuJeu();
        }
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
            // The program's own exceptions go to the caller, which tells
            // the user; bare text thrown from below is a failure nothing
            // here can recover from: it is shown, and its answer quits.
            try {
                chargeFichier_(mode, fichierOuServeur, quint64(noTable < 0 ? 0 : noTable), contenu, avis);
            } catch (const QString& texte) {
                erreurFatale_(texte);
            } catch (const char* texte) {
                erreurFatale_(QString::fromUtf8(texte));
            }
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
                    liste->setEtatAttendu(EtatDeJeu::Aucun);
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

void ZB_Room::oubliePartieQuittee_()
{
    QCoreApplication::removePostedEvents(this, ZB_Event::EvenementDeJeu);
    if (display_ != nullptr)
        display_->afficheTable();
}

void ZB_Room::erreurFatale_(const QString& texte)
{
    QMessageLogger(__FILE__, __LINE__, Q_FUNC_INFO).warning("Fatal Exception: %s", qUtf8Printable(texte));
    messageBoxQuestion(GM::Critical, QStringLiteral("Fatal Exception"), texte, GM::Ok, this, "OnAppQuit");
}

void ZB_Room::chargeFichier_(int modeDepart, const QString& fichier, quint64 noTable, const QByteArray& contenu,
                             const QStringList& avis)
{
    fichierCharge_ = fichier;
    avisDuFichier_.clear();
    // Told before the replay's own question, in the order they happen.
    for (const QString& texte : avis) {
        const QString message = tr("La partie %1 est abîmée. %2").arg(QDir::toNativeSeparators(fichier), texte);
        avisDuFichier_ << message;
        QMessageLogger(__FILE__, __LINE__, Q_FUNC_INFO).warning("%s", qUtf8Printable(message));
        messageBox(GM::Warning, tr("Partie incomplète"), message, GM::Ok);
    }
    QBuffer tampon;
    tampon.setData(contenu);
    tampon.open(QIODevice::ReadOnly);
    // The autosave read is the one this copy may write over again, whoever
    // wrote it.
    if (QFileInfo(fichier) == QFileInfo(cheminSauvegarde_)) {
        empreinteAutosave_ = empreinteDe_(tampon);
        cheminALEcart_.clear();
        tampon.seek(0);
    }
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
                                  ZB_RoomTable::SiegeTable, etape, EvenementDeJeu::Local_Table, joueur.id_,
                                  EvenementDeJeu::ModeEnDirect, -1, noTable, ZB_ICI);
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

QByteArray ZB_Room::nomDeMethode(const char* slot)
{
    QByteArray nom(slot);
    if (!nom.isEmpty() && nom.at(0) >= '0' && nom.at(0) <= '9')
        nom.remove(0, 1);
    const qsizetype parenthese = nom.indexOf('(');
    if (parenthese >= 0)
        nom.truncate(parenthese);
    return nom;
}

void ZB_Room::repondsAuSlot(QObject* destinataire, const char* slot, int reponse)
{
    if (destinataire == nullptr || slot == nullptr)
        return;
    const QByteArray nom = nomDeMethode(slot);
    if (!QMetaObject::invokeMethod(destinataire, nom.constData(), Qt::QueuedConnection, Q_ARG(int, reponse)))
        QMetaObject::invokeMethod(destinataire, nom.constData(), Qt::QueuedConnection);
}
