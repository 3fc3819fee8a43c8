#include "AnnoncesJoueur.h"
#include "EvenementDeJeu.h"
#include "JoueurHumain.h"
#include "ListeDesEvenements.h"
#include "OptionsDePartie.h"
#include "OptionsDuJoueur.h"
#include "Partie.h"
#include "ZB_DeckJass.h"
#include "ZB_DisplayEmpty.h"
#include "ZB_FichierDePartie.h"
#include "ZB_RoomTable.h"
#include "ZB_StatusMise.h"
#include "ZbTestRegistry.h"

#include <QCoreApplication>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>
#include <QTextStream>

namespace {

const QStringList nomsAccentues = {QStringLiteral("Zoé Müller"), QStringLiteral("François Châtelain"),
                                   QStringLiteral("Jürg Bärtschi"), QStringLiteral("Ørjan Ñúñez")};
constexpr qint64 ID_BASE = 500;
// The seat that starts the deal, as the snapshot states it.
constexpr int DEBUT = 1;

// Plays the room of one table: it executes the game inscription itself,
// hands every other event to the table, and stands in for the parts of the
// referee that come later: it deals fixed hands on "Dis", opens the deal on
// the trump choice, passes the turn after each card and moves the expected
// state to the next event waiting. It reads saved games as the room does,
// through the game-file reader.
class SalleDeRejeu : public QObject, public ListeDesEvenements::Executor, public ZB_FichierDePartie::Destination
{
    Q_OBJECT
public:
    ListeDesEvenements liste{this, 0};
    ZB_DisplayEmpty display;
    ZB_RoomTable table{nullptr, true, false};
    ZB_DeckJass deck;
    QList<EvenementDeJeu> appliques;

    explicit SalleDeRejeu(int version)
    {
        table.initialise(nullptr, nullptr, 0, &display, &liste, false, QString(), QString(), false);
        setVersion(version);
    }
    ~SalleDeRejeu() override = default;

    void setVersion(int version)
    {
        liste.version_ = version;
        table.setVersion(version);
    }

    bool cb_executeUnEvenement(EvenementDeJeu& ev) override
    {
        bool applique = true;
        if (ev.type_ == EvenementDeJeu::InP) {
            OptionsDePartie options;
            options.chargeValeursDepuisString(ev.texte_);
            table.nouvellePartie(ZB_RoomTable::ReseauLocal, options);
        } else {
            applique = table.cb_executeUnEvenement(ev);
        }
        if (!applique)
            return false;
        appliques << ev;
        if (ev.type_ == EvenementDeJeu::Dis)
            distribue();
        if (ev.type_ == EvenementDeJeu::Cho) {
            auto partie = QSharedPointer<Partie>::create();
            partie->noDuProchainAJouer_ = DEBUT;
            table.setPartie(partie);
        }
        if (ev.type_ == EvenementDeJeu::Ajo)
            table.getPartie()->noDuProchainAJouer_ = (ev.noJoueur_ + 1) % 4;
        // The table may have moved the state on itself (a trump choice does).
        if (ev.etat_ <= liste.getEtatAttendu())
            liste.setEtatAttendu(prochainEtat(liste.getEtatAttendu()));
        return true;
    }
    void envoieEvenement(const EvenementDeJeu&) override {}
    // This room plays every step of its game itself: the table's own
    // continuation would inscribe, snapshot and deal on its own.
    void continueLeJeu(int, double*, int, bool) override {}
    void noteActiviteJoueur(const EvenementDeJeu&) override {}
    bool peutContinuer(int&, int) override { return true; }

    // A room of one table.
    void recreeTables(int, quint64) override {}
    int getNombreDeTables() const override { return 1; }
    bool chargeTable(int, QTextStream& in, int* nombreDeLignes) override
    {
        return table.chargeTable(in, nombreDeLignes);
    }

    // Seat s holds the nine cards of suit s + 1.
    void distribue()
    {
        for (int siege = 0; siege < 4; ++siege) {
            JoueurHumain* joueur = table.getJoueur(siege);
            joueur->main_.vide();
            for (int valeur = 6; valeur <= 14; ++valeur)
                joueur->main_.ajouteCarte(deck.getCarte(siege + 1, valeur));
        }
    }

private:
    int prochainEtat(int etat) const
    {
        for (int suivant = etat + 1; suivant < ListeDesEvenements::NombreEtats; ++suivant)
            if (!liste.getEnQueue(suivant).isEmpty())
                return suivant;
        return qMin(etat + 1, ListeDesEvenements::NombreEtats - 1);
    }
};

OptionsDuJoueur joueur(int siege)
{
    OptionsDuJoueur j;
    j.nom_ = nomsAccentues[siege];
    j.id_ = ID_BASE + siege;
    // Seat 0 is played here, seat 2 by the computer, the others remotely.
    j.distant_ = siege == 0 || siege == 2 ? 0 : 1;
    j.ordinateur_ = siege == 2 ? 1 : 0;
    return j;
}

int sourceDe(int siege)
{
    return siege == 0 ? EvenementDeJeu::Local_Human : siege == 2 ? EvenementDeJeu::Local_AI : EvenementDeJeu::Remote_Human;
}

EvenementDeJeu deLaTable(int genre, const QString& texte, int etat, qint64 id = -1)
{
    return EvenementDeJeu(genre, texte, ZB_RoomTable::SiegeTable, etat, EvenementDeJeu::Local_Table, id, 0, -1, 0,
                          ZB_ICI);
}

EvenementDeJeu coup(int genre, const QString& texte, int siege, int etat, int noDemande)
{
    return EvenementDeJeu(genre, texte, siege, etat, sourceDe(siege), ID_BASE + siege, 0, noDemande, 0, ZB_ICI);
}

bool memesChamps(const EvenementDeJeu& a, const EvenementDeJeu& b)
{
    return a.valide_ == b.valide_ && a.type_ == b.type_ && a.texte_ == b.texte_ && a.noJoueur_ == b.noJoueur_
        && a.etat_ == b.etat_ && a.source_ == b.source_ && a.idJoueur_ == b.idJoueur_ && a.mode_ == b.mode_
        && a.noDemande_ == b.noDemande_ && a.noTable_ == b.noTable_;
}

QByteArray contenu(const QString& chemin)
{
    QFile f(chemin);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<unreadable>");
}

// The events of a saved game, the version line left out; an empty list when
// a line does not read.
QList<EvenementDeJeu> evenementsDe(const QByteArray& octets)
{
    QList<EvenementDeJeu> evs;
    QList<QByteArray> lignes = octets.split('\n');
    for (qsizetype i = 1; i < lignes.size(); ++i) {
        const QString ligne = QString::fromUtf8(lignes[i]).trimmed();
        if (ligne.isEmpty())
            continue;
        EvenementDeJeu ev;
        QString reste;
        ev.valide_ = ev.fromString(ligne, reste);
        if (!ev.valide_)
            return {};
        evs << ev;
    }
    return evs;
}

bool ecrit(SalleDeRejeu& salle, const QString& chemin)
{
    salle.liste.lock();
    const bool ok = ZB_FichierDePartie::ecritFichier(chemin, salle.liste, nullptr);
    salle.liste.unlock();
    return ok;
}

// Loads a saved game as the room does: the protocol version becomes the
// current one, the file reader hands the block to the table, and the table
// replays it. Returns the line count of the block, -1 on failure.
int charge(SalleDeRejeu& salle, const QString& chemin)
{
    QFile fichier(chemin);
    if (!ZB_FichierDePartie::ouvrePourLecture(fichier))
        return -1;
    QTextStream in(&fichier);
    salle.setVersion(VERSION_PROTOCOLE_ACTUELLE);
    int nombre = -1;
    if (!ZB_FichierDePartie::lisFichier(in, 0, salle, &nombre))
        return -1;
    return salle.table.rejoue(0) ? nombre : -1;
}

} // namespace

class TestTableRoundTrip : public QObject
{
    Q_OBJECT

private:
    // Live intake, with the expected state set as the state machine will.
    static void recoit(SalleDeRejeu& salle, const EvenementDeJeu& ev)
    {
        salle.liste.setEtatAttendu(ev.etat_);
        EvenementDeJeu copie(ev);
        QCoreApplication::sendEvent(&salle.table, &copie);
    }

    // A short game played live by an older room: inscriptions, snapshot,
    // deal, bids, trump, announcements, one trick and the end answers.
    static QList<EvenementDeJeu> joueUnePartie(SalleDeRejeu& salle)
    {
        QList<EvenementDeJeu> joues;
        auto joue = [&](const EvenementDeJeu& ev) {
            joues << ev;
            recoit(salle, ev);
        };
        joue(deLaTable(EvenementDeJeu::InP, OptionsDePartie(TypeDePartie::GenreJass).sauveValeursDansString(),
                       EtatDeJeu::AttendInscriptionPartie));
        for (int siege = 0; siege < 4; ++siege)
            joue(deLaTable(EvenementDeJeu::InJ, joueur(siege).sauveValeursDansString(), siege + 2, ID_BASE + siege));
        ZB_SettingsPartie settings = salle.table.getSettingsPartie();
        settings.joueurQuiCommenceLaProchainePartie = DEBUT;
        joue(
            deLaTable(EvenementDeJeu::Enr, settings.sauveValeursDansString(), EtatDeJeu::EnregistrementSettingsPartie));
        const int demande = salle.table.getNoDemande();
        joue(coup(EvenementDeJeu::Dis, QStringLiteral("Ok"), DEBUT, EtatDeJeu::AttendDistribue1, demande));
        for (int etat = 11; etat <= 14; ++etat)
            joue(coup(EvenementDeJeu::Chm, ZB_StatusMise().sauveValeursDansString(), (DEBUT + etat - 11) % 4, etat,
                      demande));
        joue(coup(EvenementDeJeu::Cho, QStringLiteral("{0!1!9!2!}"), DEBUT, EtatDeJeu::AttendAtout, demande));
        for (int etat = 29; etat <= 32; ++etat)
            joue(coup(EvenementDeJeu::Ann, AnnoncesJoueur().sauveValeursDansString(), (DEBUT + etat - 29) % 4, etat,
                      demande));
        for (int i = 0; i < 4; ++i) {
            const int siege = (DEBUT + i) % 4;
            joue(coup(EvenementDeJeu::Ajo, QStringLiteral("%1_%2").arg(siege + 1).arg(6 + i), siege, 37 + i,
                      demande));
        }
        joue(coup(EvenementDeJeu::Ram, QStringLiteral("Ok"), 0, EtatDeJeu::Tour1_AttendRamasseTas1, demande));
        joue(coup(EvenementDeJeu::Fin, QStringLiteral("Ok"), 0, EtatDeJeu::FinDePartie, demande));
        return joues;
    }

private slots:
    // A game written, loaded into a fresh table and written again, loaded
    // and written once more: the last two files are the same bytes, and the
    // events are those of the game played, written in the current protocol
    // from the first load on.
    void ecritChargeEcrit()
    {
        QTemporaryDir dossier;
        QVERIFY(dossier.isValid());
        const QString premier = dossier.filePath(QStringLiteral("parties/premier.jss"));
        const QString second = dossier.filePath(QStringLiteral("second.jss"));
        const QString troisieme = dossier.filePath(QStringLiteral("troisieme.jss"));

        // An older room: protocol 1 writes no table index.
        SalleDeRejeu origine(1);
        const QList<EvenementDeJeu> joues = joueUnePartie(origine);
        QCOMPARE(origine.appliques.size(), joues.size());
        QCOMPARE(origine.display.getModeAffichage(), 0);
        QVERIFY(ecrit(origine, premier));
        const QByteArray octets1 = contenu(premier);
        QVERIFY(octets1.startsWith("12\r\n"));
        QVERIFY(octets1.endsWith("\r\n"));
        QCOMPARE(octets1.count("\r\n"), joues.size() + 1);
        for (const QString& nom : nomsAccentues)
            QVERIFY2(octets1.contains(nom.toUtf8()), qPrintable(nom));
        const QList<EvenementDeJeu> evs1 = evenementsDe(octets1);
        QCOMPARE(evs1.size(), joues.size());
        for (int i = 0; i < joues.size(); ++i)
            QVERIFY2(memesChamps(evs1[i], joues[i]), qPrintable(joues[i].toString(3)));

        SalleDeRejeu chargement1(1);
        QCOMPARE(charge(chargement1, premier), joues.size() + 1);
        QCOMPARE(chargement1.appliques.size(), joues.size());
        QVERIFY(ecrit(chargement1, second));
        const QByteArray octets2 = contenu(second);

        SalleDeRejeu chargement2(1);
        QCOMPARE(charge(chargement2, second), joues.size() + 1);
        QVERIFY(ecrit(chargement2, troisieme));
        QCOMPARE(contenu(troisieme), octets2);

        // Only the protocol changed: the table index is written now.
        QVERIFY(octets1 != octets2);
        QByteArray attendu = "12\r\n";
        for (const EvenementDeJeu& ev : joues)
            attendu += ev.toString(VERSION_PROTOCOLE_ACTUELLE).toUtf8() + "\r\n";
        QCOMPARE(octets2, attendu);
        const QList<EvenementDeJeu> evs2 = evenementsDe(octets2);
        QCOMPARE(evs2.size(), evs1.size());
        for (int i = 0; i < evs1.size(); ++i)
            QVERIFY2(memesChamps(evs1[i], evs2[i]), qPrintable(evs1[i].toString(3)));

        // The reloaded table is the one that was played.
        for (SalleDeRejeu* salle : {&chargement1, &chargement2}) {
            for (int siege = 0; siege < 4; ++siege) {
                QCOMPARE(salle->table.getJoueur(siege)->options_.nom_, nomsAccentues[siege]);
                QCOMPARE(salle->table.getJoueur(siege)->options_.id_, ID_BASE + siege);
            }
            QCOMPARE(salle->table.getNoDemande(), origine.table.getNoDemande());
            QCOMPARE(salle->table.getNombreAnnonces(), 4);
            QCOMPARE(salle->table.getSettingsPartie().joueurQuiCommenceLaProchainePartie, DEBUT);
            QCOMPARE(salle->table.getReponseNouvellePartie(), origine.table.getReponseNouvellePartie());
            QCOMPARE(salle->liste.getEtatExecute(), EtatDeJeu::FinDePartie);
            QVERIFY(salle->liste.getMutex()->tryLock());
            salle->liste.getMutex()->unlock();
        }
        QCOMPARE(chargement1.table.getJoueur(0)->modeJeu_, int(Joueur::ModeManuel));
        QCOMPARE(chargement1.table.getJoueur(2)->modeJeu_, int(Joueur::ModeOrdinateur));
        QCOMPARE(chargement1.table.getJoueur(3)->modeJeu_, int(Joueur::ModeHumainDistant));
    }

    // Two tables' blocks in one stream: each table takes its own block and
    // leaves the stream at the next one.
    void blocsSuccessifs()
    {
        QString texte = QStringLiteral("12\r\n{a}\r\n</executed>\r\nen-tete\r\nligne\r\n12\r\n{b}\r\n{c}\r\n");
        QTextStream in(&texte);
        SalleDeRejeu salle(VERSION_PROTOCOLE_ACTUELLE);
        int nombre = -1;
        QVERIFY(salle.table.chargeTable(in, &nombre));
        QCOMPARE(salle.table.getLignes(), (QStringList{QStringLiteral("12"), QStringLiteral("{a}")}));
        QVERIFY(salle.table.chargeTable(in, &nombre));
        QCOMPARE(nombre, 3);
        QCOMPARE(salle.table.getLignes(),
                 (QStringList{QStringLiteral("12"), QStringLiteral("{b}"), QStringLiteral("{c}")}));
        // Nothing left: the previous block is not kept for a replay.
        QVERIFY(!salle.table.chargeTable(in, &nombre));
        QVERIFY(salle.table.getLignes().isEmpty());
    }
};

ZB_REGISTER_TEST(TestTableRoundTrip)
#include "TestTableRoundTrip.moc"
