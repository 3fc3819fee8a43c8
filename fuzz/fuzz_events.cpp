// Feeds arbitrary text to the game-event reader, as the table protocol and
// game files deliver it, and every event it accepts to an event list. The
// reader may refuse a text (false) or throw GM_Exception; the list may drop
// or refuse an event. Anything else (a crash, a sanitizer report, another
// exception, a hang) is a fault. An accepted event must read back from its
// own text unchanged, since that text is what the list queues and records.
#include "EvenementDeJeu.h"
#include "GM_Exception.h"
#include "ListeDesEvenements.h"
#include "ZB_VerrouEvenements.h"

#include "FuzzQt.h"
#include "PiloteFuzzEvenements.h"

#include <QCoreApplication>
#include <QTextBlock>
#include <QString>

#include <cstdint>
#include <cstdlib>

namespace {

class Executeur : public ListeDesEvenements::Executor
{
public:
    ListeDesEvenements* liste = nullptr;
    bool refuse = false;

    bool cb_executeUnEvenement(EvenementDeJeu& ev) override
    {
        refuse = !refuse;
        if (refuse)
            return false;
        if (liste && ev.etat_ == liste->getEtatAttendu() && ev.etat_ < ListeDesEvenements::NombreEtats - 1)
            liste->setEtatAttendu(ev.etat_ + 1);
        return true;
    }
    void envoieEvenement(const EvenementDeJeu&) override {}
    void continueLeJeu(int, double* delaiMs, int, bool) override
    {
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
    QString texte = QString::fromUtf8(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    const uint8_t choix = size > 0 ? data[0] : 0;

    Executeur exec;
    ListeDesEvenements liste(&exec, 0);
    exec.liste = &liste;
    liste.version_ = 1 + choix % 3;
    liste.sansDelai_ = true;
    liste.joueurDistant_ = {true, false, true, false};

    pilotageFuzzEvenements(texte, 64, [&](EvenementDeJeu& ev) {
        EvenementDeJeu relu;
        QString resteRelu;
        relu.valide_ = relu.fromString(ev.toString(3), resteRelu);
        if (relu != ev || !resteRelu.isEmpty())
            std::abort();

        ZB_VerrouEvenements<ListeDesEvenements> verrou(liste);
        try {
            if (choix & 0x08)
                liste.ajouteEtExecute_Client(ev, 5);
            else
                liste.execute_unlocked((choix & 0x10) ? ev.noDemande_ : -1, ev, (choix & 0x20) != 0);
        } catch (const GM_Exception&) {
        }
        if (ev.etat_ >= 0 && ev.etat_ < ListeDesEvenements::NombreEtats && (choix & 0x40))
            liste.setEtatAttendu(ev.etat_);
        liste.flush_unlocked();
    });

    // The record that was written must replay.
    QStringList lignes;
    for (QTextBlock bloc = liste.getExecutes().begin(); bloc.isValid(); bloc = bloc.next())
        lignes << bloc.text();
    Executeur exec2;
    ListeDesEvenements rejoue(&exec2, 0);
    try {
        rejoue.replay(lignes, (choix & 0x80) ? 4 : 0, (choix & 0x04) != 0, 5, nullptr);
    } catch (const GM_Exception&) {
    }
    return 0;
}
