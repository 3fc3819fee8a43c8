#include "ListeDesEvenements.h"

#include "GM_Exception.h"
#include "GM_ExceptionFileCorrupted.h"
#include "GM_SpacesSeparatedString.h"

#include <QMessageLogger>
#include <QMutexLocker>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextStream>

#include <climits>
#include <cmath>
#include <exception>
#include <vector>

namespace {

// A live answer this many states ahead of the last executed one is from an
// earlier deal: a deal's bidding and trump choice alone span fewer.
constexpr int AvanceMaximaleEnDirect = 27;

// QTextCursor::insertText starts a new block at each of these, which would
// split one event over two lines of the game record.
bool tientSurUneLigne(const QString& texte)
{
    for (const QChar c : texte) {
        switch (c.unicode()) {
        case u'\n':
        case u'\r':
        case QChar::ParagraphSeparator:
        case 0xFDD0: // QTextBeginningOfFrame
        case 0xFDD1: // QTextEndOfFrame
            return false;
        default:
            break;
        }
    }
    return true;
}

// The reader only looks at the first token for the kind, so a prefix test is
// the same test without reading the whole text.
bool estDeGenre(const QString& texte, int genre)
{
    const QString& code = EvenementDeJeu::codeDeGenre(genre);
    return texte.size() > code.size() + 1 && texte.at(0) == QLatin1Char('{') && texte.at(code.size() + 1) == QLatin1Char('!')
        && QStringView(texte).mid(1, code.size()) == code;
}

bool estImmediat(int genre)
{
    return genre == EvenementDeJeu::Mes || genre == EvenementDeJeu::JoO || genre == EvenementDeJeu::JoN
        || genre == EvenementDeJeu::JoM || genre == EvenementDeJeu::NeW;
}

int arrondiMs(double delai)
{
    const double ms = std::floor(delai + 0.5);
    return ms >= double(INT_MAX) ? INT_MAX : static_cast<int>(ms);
}

} // namespace

ListeDesEvenements::ListeDesEvenements(Executor* executor, int noTable)
    : executor_(executor)
    , noTable_(noTable)
    , mutex_(std::make_unique<QMutex>())
{
    enAttente_.setUndoRedoEnabled(false);
    executes_.setUndoRedoEnabled(false);
    timer_.setSingleShot(true);
    connect(&timer_, &QTimer::timeout, this, &ListeDesEvenements::OnFlush);
    clear();
}

ListeDesEvenements::~ListeDesEvenements()
{
    // Only the GUI thread takes the mutex, so it is free here unless the
    // list is deleted from inside one of its own runs: that fault stops
    // here rather than free what the run still uses.
    mutex_->lock();
    mutex_->unlock();
}

QStringList ListeDesEvenements::tableVide_()
{
    return QStringList(NombreEtats, QString());
}

void ListeDesEvenements::clear()
{
    timer_.stop();
    interrompu_ = false;
    dernierEvenement_ = EvenementDeJeu();
    demandeurReplay_ = nullptr;
    arretSurManque_ = false;
    lignesDuReplay_.clear();
    derniereLigneRejouee_ = -1;
    donnes_.clear();
    donnes_.append(tableVide_());
    noDonne_ = 0;
    enAttente_.clear();
    executes_.setPlainText(QLatin1String(VersionDuFichier));
    etatExecute_ = EtatDeJeu::Aucun;
}

QString ListeDesEvenements::getEnQueue(int etat) const
{
    if (!estEtatValide_(etat) || noDonne_ < 0 || noDonne_ >= donnes_.size())
        return QString();
    return donnes_.at(noDonne_).at(etat);
}

void ListeDesEvenements::ajouteBloc_(QTextDocument& doc, const QString& texte)
{
    QTextCursor c(&doc);
    c.movePosition(QTextCursor::End);
    c.insertBlock();
    c.insertText(texte);
}

void ListeDesEvenements::retireDeEnAttente_(const QString& texte)
{
    // Last block first, so that the numbers of the blocks still to look at
    // do not move.
    for (int n = enAttente_.blockCount() - 1; n >= 0; --n) {
        const QTextBlock bloc = enAttente_.findBlockByNumber(n);
        if (!bloc.text().contains(texte))
            continue;
        QTextCursor c(bloc);
        c.select(QTextCursor::BlockUnderCursor);
        c.removeSelectedText();
    }
}

bool ListeDesEvenements::estDernierDuReplay_(const EvenementDeJeu& ev) const
{
    // Without a replay the last event is the default one, which an
    // unreadable text would otherwise match.
    return estReplayEnCours() && ev == dernierEvenement_;
}

void ListeDesEvenements::execute_unlocked(int demandeEnCours, EvenementDeJeu& ev, bool enDirect)
{
    if (!ev.valide_)
        return;
    // The state indexes the queue: a peer's text must not reach outside it.
    if (!estEtatValide_(ev.etat_))
        return;
    if (demandeEnCours != -1 && ev.noDemande_ != -1 && ev.noDemande_ != demandeEnCours
        && ev.type_ != EvenementDeJeu::JoO)
        return;

    if (estImmediat(ev.type_)) {
        executor_->noteActiviteJoueur(ev);
        // Only what the table accepts goes on to the others: a peer's line
        // under a seat not its own is refused here, and must not be shown
        // under that seat on the other screens.
        const bool accepte = executor_->cb_executeUnEvenement(ev);
        if (accepte && EvenementDeJeu::estTransmis(ev.mode_))
            executor_->envoieEvenement(ev);
        return;
    }

    if (enDirect && ev.etat_ <= etatExecute_ && ev.type_ != EvenementDeJeu::Enr && ev.type_ != EvenementDeJeu::InJ
        && ev.type_ != EvenementDeJeu::ReJ)
        return;
    if (ev.etat_ == etatExecute_)
        return;
    // A live answer far ahead of the game cannot be for this deal.
    if (enDirect && !estReplayEnCours() && EvenementDeJeu::estEnDirect(ev.mode_) && ev.type_ != EvenementDeJeu::Fin
        && !(ev.etat_ >= EtatDeJeu::PaireBelote_AttendRamasseTas1
             && ev.etat_ <= EtatDeJeu::PaireBelote_AttendRamasseTas4)
        && ev.etat_ - etatExecute_ >= AvanceMaximaleEnDirect)
        return;

    const QString texte = ev.toString(version_);
    if (!tientSurUneLigne(texte))
        return;

    executor_->noteActiviteJoueur(ev);
    QString& place = donnes_[noDonne_][ev.etat_];
    if (noDonne_ == 0) {
        // A later answer for the same state takes the place of the earlier
        // one (the host's computer standing in for a seat whose player's
        // own answer comes late): the earlier one will never run, and must
        // not be handed to a joining client as still to come.
        if (!place.isEmpty() && place != texte)
            retireDeEnAttente_(place);
        ajouteBloc_(enAttente_, texte);
    }
    place = texte;

    if (ev.mode_ == EvenementDeJeu::ModeSuiteDeDonnes && ev.etat_ == EtatDeJeu::Tour9_AttendRamasseTas4) {
        ++noDonne_;
        donnes_.append(tableVide_());
    }
}

void ListeDesEvenements::signaleRefus_(const EvenementDeJeu& ev, const QString& texte)
{
    const QString source = ev.valide_ ? EvenementDeJeu::nomDeSource(ev.source_) : QStringLiteral("<invalid>");
    const QString message =
        QStringLiteral("ListeDesEvenements::ajoute event '%1', from player '%2', source '%3' (%4, line: %5, %6), "
                       "has been SKIPPED.")
            .arg(texte, QString::number(ev.idJoueur_), source, QString::fromUtf8(ev.fichier_),
                 QString::number(ev.ligne_), QString::fromUtf8(ev.fonction_));
    QMessageLogger(__FILE__, __LINE__, Q_FUNC_INFO).warning("%s", qUtf8Printable(message));
}

void ListeDesEvenements::finDeReplay_(const EvenementDeJeu& ev)
{
    dernierEvenement_ = EvenementDeJeu();
    arretSurManque_ = false;
    lignesDuReplay_.clear();
    if (demandeurReplay_ && ev.mode_ != EvenementDeJeu::ModeSuiteDeDonnes)
        QTimer::singleShot(0, this, &ListeDesEvenements::OnReplayCompleted);
}

void ListeDesEvenements::arreteReplay_()
{
    videReplay_();
    if (demandeurReplay_)
        QTimer::singleShot(0, this, &ListeDesEvenements::OnReplayArrete);
}

void ListeDesEvenements::abandonneReplay_(qsizetype ligne)
{
    ligneAbimee_ = ligne;
    raisonAbimee_ = coupImpossible_;
    videReplay_();
    if (demandeurReplay_)
        QTimer::singleShot(0, this, &ListeDesEvenements::OnReplayAbime);
}

void ListeDesEvenements::videReplay_()
{
    // The record's later moves would run out of place in the live game.
    donnes_.clear();
    donnes_.append(tableVide_());
    noDonne_ = 0;
    enAttente_.clear();
    dernierEvenement_ = EvenementDeJeu();
    arretSurManque_ = false;
    lignesDuReplay_.clear();
}

void ListeDesEvenements::OnReplayArrete()
{
    ReplayRequester* demandeur = demandeurReplay_;
    demandeurReplay_ = nullptr;
    if (demandeur)
        demandeur->cb_replayArrete(derniereLigneRejouee_);
}

void ListeDesEvenements::OnReplayAbime()
{
    ReplayRequester* demandeur = demandeurReplay_;
    demandeurReplay_ = nullptr;
    if (demandeur)
        demandeur->cb_replayAbime(ligneAbimee_, raisonAbimee_);
}

void ListeDesEvenements::flush_unlocked()
{
    if (timer_.isActive())
        return;
    timer_.stop();
    if (!executor_->peutContinuer(etatAttendu_, noTable_)) {
        timer_.start(DelaiReessai);
        return;
    }

    bool continuer = true;
    while (continuer && !interrompu_) {
        if (!estEtatValide_(etatAttendu_) || noDonne_ < 0 || noDonne_ >= donnes_.size())
            break;
        const QString texte = donnes_[noDonne_][etatAttendu_];
        if (texte.isEmpty())
            break;

        // Taken off the queue before anything can fail: a text that cannot
        // be read must not come back at every flush and stall the table.
        donnes_[noDonne_][etatAttendu_].clear();
        if (noDonne_ == 0)
            retireDeEnAttente_(texte);

        EvenementDeJeu ev;
        try {
            QString reste;
            ev.valide_ = ev.fromString(texte, reste);
        } catch (const GM_Exception&) {
            ev = EvenementDeJeu();
        }
        const bool lisible = ev.valide_ && estEtatValide_(ev.etat_);

        coupImpossible_.clear();
        if (!lisible || !executor_->cb_executeUnEvenement(ev)) {
            // An unreadable text is reported as it was queued.
            signaleRefus_(ev, lisible ? ev.toString(version_) : texte);
            if (arretSurManque_ && estReplayEnCours() && !coupImpossible_.isEmpty()) {
                abandonneReplay_(lignesDuReplay_.value(texte, -1));
                continue;
            }
            if (estDernierDuReplay_(ev) || ev.etat_ >= EtatFinDeReplay) {
                if (etatExecute_ != EtatDeJeu::Aucun)
                    etatAttendu_ = etatExecute_;
                // A stored record's last move refused is a record that
                // stops following the game, as one refused earlier: its
                // requester tells the user.
                if (arretSurManque_ && estReplayEnCours())
                    arreteReplay_();
                else
                    finDeReplay_(ev);
            } else {
                timer_.start(0);
            }
            continue;
        }

        etatExecute_ = ev.etat_;
        ajouteBloc_(executes_, texte);
        if (arretSurManque_)
            derniereLigneRejouee_ = lignesDuReplay_.value(texte, derniereLigneRejouee_);
        if (EvenementDeJeu::estTransmis(ev.mode_))
            executor_->envoieEvenement(ev);
        if (estDernierDuReplay_(ev) || ev.etat_ >= EtatFinDeReplay) {
            finDeReplay_(ev);
            continue;
        }

        double delai = 0.0;
        executor_->continueLeJeu(ev.mode_, &delai, ev.noTable_, false);
        if (sansDelai_)
            delai = 1.0;
        // Paced modes wait for the table's animation of this event.
        const bool rythme = EvenementDeJeu::estAuRythme(ev.mode_);
        if (rythme && delai > 0.0 && !interrompu_) {
            continuer = false;
            timer_.start(arrondiMs(delai));
        }
    }
    // Nothing is on its way: no pause, no retry after a refused move. A
    // stored record that has no move for the state the table waits for does
    // not follow the game from here.
    if (arretSurManque_ && estReplayEnCours() && continuer && !interrompu_ && !timer_.isActive())
        arreteReplay_();
}

void ListeDesEvenements::flush()
{
    {
        QMutexLocker verrou(mutex_.get());
        executor_->continueLeJeu(0, nullptr, noTable_, false);
    }
    QMutexLocker verrou(mutex_.get());
    flush_unlocked();
}

void ListeDesEvenements::OnFlush()
{
    QMutexLocker verrou(mutex_.get());
    const QString erreur = GM_Exception::sansException([this] { flush_unlocked(); });
    if (erreur.isEmpty())
        return;
    // Nothing may leave a slot; the event that failed is off the queue, so
    // the next attempt goes on with what follows.
    QMessageLogger(__FILE__, __LINE__, Q_FUNC_INFO)
        .warning("%s", qUtf8Printable(QStringLiteral("ListeDesEvenements::OnFlush: %1").arg(erreur)));
    if (!timer_.isActive())
        timer_.start(DelaiReessai);
}

void ListeDesEvenements::OnReplayCompleted()
{
    // Cleared before the call: the requester may start another replay.
    ReplayRequester* demandeur = demandeurReplay_;
    demandeurReplay_ = nullptr;
    if (demandeur)
        demandeur->cb_replayTermine();
}

EvenementDeJeu ListeDesEvenements::transformeClient_(const EvenementDeJeu& ev, qint64 idJoueurLocal) const
{
    // Seen from this machine, everybody is remote except its own user.
    auto vuDIci = [idJoueurLocal](OptionsDuJoueur& joueur) {
        if (joueur.distant_ == 0)
            joueur.distant_ = 1;
        else if (joueur.id_ == idJoueurLocal)
            joueur.distant_ = 0;
    };

    OptionsDuJoueur joueur;
    QString texte;
    if (ev.type_ == EvenementDeJeu::ReJ) {
        GM_SpacesSeparatedString s(ev.texte_);
        const QString record = s.getNext();
        const int siege = s.nextInt();
        joueur.chargeValeursDepuisString(record);
        vuDIci(joueur);
        texte = QLatin1Char('{') + joueur.sauveValeursDansString() + QLatin1Char('!') + QString::number(siege)
            + QLatin1String("!}");
    } else {
        joueur.chargeValeursDepuisString(ev.texte_);
        vuDIci(joueur);
        texte = joueur.sauveValeursDansString();
    }
    return EvenementDeJeu(ev.type_, texte, ev.noJoueur_, ev.etat_,
                          EvenementDeJeu::SourceRemote_Table_LocalTableTransform, joueur.id_, ev.mode_, ev.noDemande_,
                          ev.noTable_, ZB_ICI);
}

void ListeDesEvenements::ajouteEtExecute_Client(EvenementDeJeu ev, qint64 idJoueurLocal)
{
    if (!ev.valide_)
        return;
    const bool entreeJoueur = ev.type_ == EvenementDeJeu::JoN || ev.type_ == EvenementDeJeu::JoM;
    if (ev.noJoueur_ != 4 && !entreeJoueur) {
        // Only the seats played from elsewhere answer through the server.
        if (ev.noJoueur_ < 0 || ev.noJoueur_ > 3 || !joueurDistant_[ev.noJoueur_])
            return;
    }

    const bool inscription = ev.noJoueur_ == 4 && (ev.type_ == EvenementDeJeu::InJ || ev.type_ == EvenementDeJeu::ReJ);
    if (entreeJoueur || inscription) {
        EvenementDeJeu transforme = transformeClient_(ev, idJoueurLocal);
        execute_unlocked(-1, transforme, false);
        return;
    }
    execute_unlocked(-1, ev, false);
}

QStringList ListeDesEvenements::getInscriptions(const QTextDocument& doc, const int& mode, int noTable,
                                                const int& version)
{
    QStringList inscriptions(5, QString());
    if (doc.blockCount() < 5)
        return inscriptions;

    // Block 0 is the format version.
    for (QTextBlock bloc = doc.begin().next(); bloc.isValid(); bloc = bloc.next()) {
        const QString texte = bloc.text();
        EvenementDeJeu ev;
        QString reste;
        if (!ev.fromString(texte, reste))
            continue;
        if (ev.type_ == EvenementDeJeu::InP) {
            inscriptions[0] = texte;
            continue;
        }
        if (ev.type_ != EvenementDeJeu::InJ && ev.type_ != EvenementDeJeu::ReJ)
            continue;

        int siege = 0;
        QString record;
        if (ev.type_ == EvenementDeJeu::InJ) {
            siege = ev.etat_ - EtatDeJeu::InscriptionJoueur0;
            record = ev.texte_;
        } else {
            GM_SpacesSeparatedString s(ev.texte_);
            record = s.getNext();
            siege = s.nextInt();
        }
        // The seat picks the entry: one outside the table is a corrupted
        // record, not an index.
        if (siege < 0 || siege > 3)
            GM_SpacesSeparatedString::throwCorrupted();
        const EvenementDeJeu inscription(EvenementDeJeu::InJ, record, ev.noJoueur_,
                                         EtatDeJeu::InscriptionJoueur0 + siege, ev.source_,
                                         ev.idJoueur_, mode, -1, noTable, ZB_ICI);
        inscriptions[siege + 1] = inscription.toString(version);
    }
    return inscriptions;
}

void ListeDesEvenements::clear_Et_metEnQueue_InscriptionJoueurs(const QMap<int, OptionsDuJoueur>& joueurs,
                                                                int noTable)
{
    const QStringList inscriptions = getInscriptions(executes_, EvenementDeJeu::ModeEnDirect, noTable, version_);
    clear();
    for (const QString& texte : inscriptions) {
        EvenementDeJeu ev;
        QString reste;
        ev.valide_ = ev.fromString(texte, reste);
        const int siege = ev.etat_ - EtatDeJeu::InscriptionJoueur0;
        if (ev.valide_ && ev.type_ == EvenementDeJeu::InJ && joueurs.contains(siege)) {
            const OptionsDuJoueur& joueur = joueurs[siege];
            ev = EvenementDeJeu(EvenementDeJeu::InJ, joueur.sauveValeursDansString(), ev.noJoueur_, ev.etat_,
                                ev.source_, joueur.id_, ev.mode_, ev.noDemande_, ev.noTable_, ZB_ICI);
        }
        execute_unlocked(-1, ev, true);
    }
}

void ListeDesEvenements::getReplay(QByteArray& out, const int& typeDebut, int noJoueur, int noTable)
{
    auto ecrit = [&out](const QString& texte) { out.append(texte.toUtf8()); };

    const EvenementDeJeu tete(typeDebut, QString(), noJoueur, EtatDeJeu::HorsDeroulement,
                              EvenementDeJeu::Local_Table, -1, EvenementDeJeu::ModeRejeuTransmis, -1, noTable, ZB_ICI);
    ecrit(tete.toString(version_));

    for (const QString& inscription : getInscriptions(executes_, EvenementDeJeu::ModeRejeuTransmis, noTable, version_))
        ecrit(inscription);

    // The last snapshot and what was played since.
    int dernierEnr = -1;
    for (QTextBlock bloc = executes_.begin(); bloc.isValid(); bloc = bloc.next())
        if (bloc.blockNumber() >= 2 && estDeGenre(bloc.text(), EvenementDeJeu::Enr))
            dernierEnr = bloc.blockNumber();
    if (dernierEnr >= 0) {
        for (QTextBlock bloc = executes_.findBlockByNumber(dernierEnr); bloc.isValid(); bloc = bloc.next())
            if (!estDeGenre(bloc.text(), EvenementDeJeu::ReJ))
                ecrit(bloc.text());
    }

    // The block ends with the last move the table made: the client's replay
    // runs until it has played that one. What waits here for an earlier
    // move (the collects of the seats after one that has not collected yet)
    // comes after the block, as the moves made from now on do; inside it,
    // it would be the replay's last move, which cannot run before the move
    // it waits for, and the client would wait for ever.
    const EvenementDeJeu fin(EvenementDeJeu::ReE, QString(), 4, EtatDeJeu::HorsDeroulement,
                             EvenementDeJeu::Local_Table, -1, EvenementDeJeu::ModeRejeuTransmis, -1, noTable, ZB_ICI);
    ecrit(fin.toString(version_));

    for (QTextBlock bloc = enAttente_.begin(); bloc.isValid(); bloc = bloc.next()) {
        const QString texte = bloc.text();
        if (texte.isEmpty() || estDeGenre(texte, EvenementDeJeu::ReJ))
            continue;
        // An answer for a state the table has passed will never run.
        EvenementDeJeu ev;
        QString reste;
        if (ev.fromString(texte, reste) && ev.etat_ <= etatExecute_ && ev.etat_ < EtatDeJeu::HorsDeroulement)
            continue;
        ecrit(texte);
    }
}

void ListeDesEvenements::replay(const QStringList& lignes, int perspective, bool client, qint64 idJoueurLocal,
                                ReplayRequester* demandeur, bool arretSurManque)
{
    // A file that ends with a line break splits into a last empty line.
    qsizetype n = lignes.size();
    while (n > 1 && lignes.at(n - 1).isEmpty())
        --n;
    if (n < 2)
        throw GM_ExceptionFileCorrupted(QStringLiteral("The game record holds no event."));

    // Everything is read, and rewritten for a client, before anything is
    // queued, so that a bad line leaves the list as it was.
    std::vector<EvenementDeJeu> lus(static_cast<size_t>(n));
    qsizetype ligneEnr = -1;
    qsizetype premierEnr = -1;
    qsizetype dernierEnr = -1;
    qsizetype ligneInP = -1;
    for (qsizetype i = 1; i < n; ++i) {
        EvenementDeJeu& ev = lus[size_t(i)];
        QString reste;
        ev.valide_ = ev.fromString(lignes.at(i), reste);
        if (!ev.valide_)
            continue;
        // The table itself starts from the first snapshot, a seat from the
        // last one.
        if (ev.type_ == EvenementDeJeu::Enr && (perspective != 4 || ligneEnr < 0))
            ligneEnr = i;
        if (ev.type_ == EvenementDeJeu::Enr) {
            if (premierEnr < 0)
                premierEnr = i;
            dernierEnr = i;
        }
        if (ev.type_ == EvenementDeJeu::InP && (perspective != 4 || ligneInP < 0))
            ligneInP = i;
    }

    // The end of a game is followed by a few table-level lines; the replay
    // ends with the last move before them.
    qsizetype derniere = n - 1;
    for (int recul = 0; recul < 4 && lus[size_t(derniere)].etat_ >= EtatDeJeu::PaireBelote_AttendRamasseTas1;
         ++recul) {
        if (derniere <= 1)
            throw GM_ExceptionFileCorrupted(QStringLiteral("The game record is too short to find its last move."));
        --derniere;
    }
    if (!lus[size_t(derniere)].valide_)
        throw GM_ExceptionFileCorrupted(QStringLiteral("The last move of the game record cannot be read."));

    auto pourLaTable = [&](const EvenementDeJeu& ev) {
        const bool rejoue = client && ev.valide_ && ev.noJoueur_ == 4
            && (ev.type_ == EvenementDeJeu::InJ || ev.type_ == EvenementDeJeu::ReJ || ev.type_ == EvenementDeJeu::JoN
                || ev.type_ == EvenementDeJeu::JoM || ev.type_ == EvenementDeJeu::NeW);
        return rejoue ? transformeClient_(ev, idJoueurLocal) : ev;
    };

    struct Etape
    {
        bool dejaJoue; // straight into the record, not run
        QString texte;
        EvenementDeJeu ev;
        qsizetype ligne;
    };
    std::vector<Etape> etapes;
    etapes.reserve(static_cast<size_t>(n) + 1);
    if (ligneInP >= 1)
        etapes.push_back({false, QString(), lus[size_t(ligneInP)], ligneInP});
    // A record of several deals shares one queue table: the moves of the
    // earlier deals would stay queued past the point where the last deal
    // stops and run, out of place, once the game goes on. The table rebuilds
    // the last deal from its snapshot; the earlier ones go to the record as
    // they were played, their seats' inscriptions aside, which the last deal
    // inscribes again.
    const bool derniereDonne = perspective == 4 && premierEnr >= 0 && dernierEnr > premierEnr
        && lus[size_t(dernierEnr)].mode_ != EvenementDeJeu::ModeSuiteDeDonnes;
    auto donneAnterieure = [&](qsizetype i) {
        const EvenementDeJeu& ev = lus[size_t(i)];
        return derniereDonne && i >= premierEnr && i < dernierEnr && ev.valide_
            && ev.etat_ >= EtatDeJeu::EnregistrementSettingsPartie && !estImmediat(ev.type_);
    };
    for (qsizetype i = 1; i < n; ++i) {
        if (donneAnterieure(i)) {
            const QString texte = lus[size_t(i)].toString(version_);
            if (tientSurUneLigne(texte))
                etapes.push_back({true, texte, EvenementDeJeu(), i});
            continue;
        }
        if (lus[size_t(i)].type_ == EvenementDeJeu::Enr && perspective != 4 && ligneEnr >= 0 && i <= ligneEnr - 5) {
            // A seat needs only the last snapshot and the moves around it;
            // what comes before goes to the record as it was played.
            for (qsizetype j = i; j <= ligneEnr - 5; ++j) {
                if (!lus[size_t(j)].valide_)
                    continue;
                const QString texte = lus[size_t(j)].toString(version_);
                if (tientSurUneLigne(texte))
                    etapes.push_back({true, texte, EvenementDeJeu(), j});
            }
            i = ligneEnr - 4;
        }
        etapes.push_back({false, QString(), pourLaTable(lus[size_t(i)]), i});
    }

    demandeurReplay_ = demandeur;
    interrompu_ = false;
    dernierEvenement_ = lus[size_t(derniere)];
    arretSurManque_ = arretSurManque;
    lignesDuReplay_.clear();
    derniereLigneRejouee_ = -1;
    for (Etape& etape : etapes) {
        if (etape.dejaJoue) {
            ajouteBloc_(executes_, etape.texte);
            derniereLigneRejouee_ = etape.ligne;
            continue;
        }
        if (arretSurManque && etape.ev.valide_)
            lignesDuReplay_.insert(etape.ev.toString(version_), etape.ligne);
        execute_unlocked(-1, etape.ev, false);
    }

    if (perspective == 4) {
        noDonne_ = 0;
        // The queue of the first deal stays.
        if (donnes_.size() > 1)
            donnes_.removeLast();
    }
}

void ListeDesEvenements::ecritTexte(QTextStream& out) const
{
    for (QTextBlock bloc = executes_.begin(); bloc.isValid(); bloc = bloc.next())
        out << bloc.text() << QLatin1String("\r\n");
    out.flush();
}
