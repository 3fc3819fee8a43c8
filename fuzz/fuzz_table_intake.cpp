// Feeds arbitrary bytes to a table's live intake, the way a peer's messages
// reach it: the bytes are read as a stream of game-event texts and every
// event that reads is posted to the table (customEvent), which hands it to
// its event list and runs what the list lets through. The table may refuse,
// log and drop anything; nothing may escape the intake, crash, hang or leave
// the list locked. The room is a trivial one that moves the expected state on
// after every applied event.
#include "EvenementDeJeu.h"
#include "GM_Exception.h"
#include "JoueurHumain.h"
#include "ListeDesEvenements.h"
#include "OptionsDePartie.h"
#include "OptionsDuJoueur.h"
#include "ZB_DisplayEmpty.h"
#include "ZB_RoomTable.h"

#include "FuzzQt.h"

#include <QCoreApplication>
#include <QMutex>
#include <QString>

#include <cstdint>
#include <cstdlib>

namespace {

class Salle : public QObject, public ListeDesEvenements::Executor
{
public:
    ListeDesEvenements liste{this, 0};
    ZB_DisplayEmpty display;
    ZB_RoomTable table{nullptr, true, false};

    Salle(int modeReseau, int debut)
    {
        table.initialise(this, nullptr, 0, &display, &liste, false, QString(), QString(), false);
        table.nouvellePartie(modeReseau, OptionsDePartie(TypeDePartie::GenreJass));
        for (int siege = 0; siege < 4; ++siege) {
            OptionsDuJoueur joueur;
            joueur.id_ = 100 + siege;
            joueur.distant_ = 1;
            table.inscritJoueur(siege, joueur, Joueur::ModeHumainDistant, false);
        }
        table.settingsPartie().joueurQuiCommenceLaProchainePartie = debut;
        liste.sansDelai_ = true;
    }

    bool cb_executeUnEvenement(EvenementDeJeu& ev) override
    {
        const bool applique = table.cb_executeUnEvenement(ev);
        if (applique && ev.etat_ == liste.etatAttendu_ && ev.etat_ < ListeDesEvenements::NombreEtats - 1)
            ++liste.etatAttendu_;
        return applique;
    }
    void envoieEvenement(const EvenementDeJeu&) override {}
    void continueLeJeu(int mode, double* delaiMs, int, bool force) override
    {
        table.continueLeJeu(mode, delaiMs, false, force);
        if (delaiMs)
            *delaiMs = 0.0;
    }
    void noteActiviteJoueur(const EvenementDeJeu&) override {}
    bool peutContinuer(int&, int) override { return true; }
};

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    fuzzDemarreQt();
    // The options come from the last byte: the first one must open an event.
    const uint8_t choix = size > 0 ? data[size - 1] : 0;
    QString texte = QString::fromUtf8(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));

    // Host, client or local table, and the seat that starts the deal.
    Salle salle(choix % 3, (choix >> 2) & 0x03);

    for (int i = 0; i < 64 && !texte.isEmpty(); ++i) {
        EvenementDeJeu ev;
        QString reste;
        try {
            ev.valide_ = ev.fromString(texte, reste);
        } catch (const GM_Exception&) {
            break;
        }
        if (!ev.valide_)
            break;
        if (reste.size() >= texte.size())
            std::abort(); // the stream would never end
        texte = reste;

        // Let the list expect the event's state now and then, as the state
        // machine would, so that events run instead of only queueing.
        if ((choix & 0x10) && ev.etat_ >= 0 && ev.etat_ < ListeDesEvenements::NombreEtats)
            salle.liste.etatAttendu_ = ev.etat_;
        if (choix & 0x20)
            ev.noDemande_ = salle.table.getNoDemande();

        // customEvent is the intake; it must take every event and give
        // nothing back to the caller.
        QCoreApplication::sendEvent(&salle.table, &ev);
        if (!ev.isAccepted())
            std::abort();
        if (!salle.liste.getMutex()->tryLock())
            std::abort();
        salle.liste.getMutex()->unlock();
    }

    // The list's own retries run from its timer: one pass of the event loop,
    // then nothing may be left locked.
    QCoreApplication::processEvents();
    if (!salle.liste.getMutex()->tryLock())
        std::abort();
    salle.liste.getMutex()->unlock();
    return 0;
}
