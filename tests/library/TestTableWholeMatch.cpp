#include "Carte.h"
#include "EvenementDeJeu.h"
#include "JoueurHumain.h"
#include "ListeDesEvenements.h"
#include "OptionsDePartie.h"
#include "Partie.h"
#include "TypeDePartie.h"
#include "ZB_DisplayEmpty.h"
#include "ZB_RoomTable.h"
#include "ZbTestRegistry.h"

#include <QSignalSpy>
#include <QTest>

#include <QMutex>

#include <atomic>

namespace {

// Stands in for the room: owns the table's list, moves the state on after
// each step with the room's jumps for a Jass deal without bids, ends each
// deal, and checks every card before the table sees it.
class SalleDeMatch : public QObject, public ListeDesEvenements::Executor
{
    Q_OBJECT
public:
    ListeDesEvenements liste{this, 0};
    ZB_RoomTable* table = nullptr;
    int cartesIllegales = 0;
    int cartesJouees = 0;
    int donnesTerminees = 0;
    int finsDeMatch = 0;
    int confirmations = 0;
    QList<int> cartesParDonne;
    QString erreur;

    bool cb_executeUnEvenement(EvenementDeJeu& ev) override
    {
        if (ev.type_ == EvenementDeJeu::Ajo && ev.etat_ == liste.etatAttendu_)
            verifieCarte(ev);
        return table->cb_executeUnEvenement(ev);
    }
    void envoieEvenement(const EvenementDeJeu&) override {}
    void continueLeJeu(int mode, double* delaiMs, int, bool force) override
    {
        const int etat = liste.etatAttendu_;
        if (etat >= 139)
            return;
        int suivant = etat + 1;
        if (etat == 10)
            suivant = 27;
        else if (etat == 28)
            suivant = table->getTypeDePartie().annonces_ == TypeDePartie::AnnoncesDesactivees ? 33 : 29;
        else if (etat == 44 && !table->estConfirmationAnnoncesEnAttente())
            suivant = 49;
        else if (etat == 112 && table->getTypeDePartie().genre_ == TypeDePartie::GenreBelote)
            suivant = 121;
        else if (etat == 128) {
            // End of the round: the deal's points join the match, and the
            // list starts a new record for the next deal.
            ++donnesTerminees;
            cartesParDonne << cartesJouees;
            cartesJouees = 0;
            table->termineDonne(false);
            liste.clear();
            suivant = 2;
        }
        // Nobody waits to enter: the new-player groups are skipped.
        for (int debut : {33, 49, 61, 73, 85})
            if (suivant >= debut && suivant < debut + 4)
                suivant = debut + 4;
        if (suivant == 45)
            ++confirmations;
        if (suivant == 135)
            ++finsDeMatch;
        liste.etatAttendu_ = suivant;
        try {
            table->continueLeJeu(mode, delaiMs, false, force);
        } catch (const std::exception& e) {
            erreur = QString::fromUtf8(e.what());
            throw;
        }
    }
    void noteActiviteJoueur(const EvenementDeJeu&) override {}
    bool peutContinuer(int&, int) override { return true; }

private:
    void verifieCarte(const EvenementDeJeu& ev)
    {
        const QSharedPointer<Partie> partie = table->getPartie();
        const JoueurHumain* joueur = table->getJoueur(ev.noJoueur_);
        if (partie.isNull() || joueur == nullptr)
            return;
        for (const Carte* carte : joueur->main_) {
            if (carte->toString() != ev.texte_)
                continue;
            ++cartesJouees;
            if (ev.noJoueur_ != partie->noDuProchainAJouer_
                || !Partie::estCodeJouable(partie->estCarteValide(carte, ev.noJoueur_, joueur->main_)))
                ++cartesIllegales;
            return;
        }
        ++cartesIllegales;
    }
};

// Counts warnings from any thread; the match must raise none (a refused
// or dropped event is a warning).
struct CompteAvertissements {
    static std::atomic<int> compte;
    static QMutex mutex;
    static QString premier;
    static void gestionnaire(QtMsgType type, const QMessageLogContext&, const QString& texte)
    {
        if (type == QtDebugMsg || type == QtInfoMsg)
            return;
        if (compte.fetch_add(1) == 0) {
            QMutexLocker verrou(&mutex);
            premier = texte;
        }
    }
    QtMessageHandler avant;
    CompteAvertissements() : avant(qInstallMessageHandler(&CompteAvertissements::gestionnaire)) { compte = 0; }
    ~CompteAvertissements() { qInstallMessageHandler(avant); }
};
std::atomic<int> CompteAvertissements::compte{0};
QMutex CompteAvertissements::mutex;
QString CompteAvertissements::premier;

OptionsDuJoueur ordinateur(int siege)
{
    OptionsDuJoueur j;
    j.nom_ = QStringLiteral("IA%1").arg(siege);
    j.id_ = 700 + siege;
    j.distant_ = 0;
    j.ordinateur_ = 1;
    j.optionsAI_.nbrCombinations_ = 30;
    return j;
}

} // namespace

class TestTableWholeMatch : public QObject
{
    Q_OBJECT

private slots:
    // Four computer players play a whole Jass match, trump chosen by the
    // seat that begins, through the event list and the table's states.
    void matchJassEntier()
    {
        SalleDeMatch salle;
        ZB_DisplayEmpty display;
        ZB_RoomTable table(nullptr, false, false);
        salle.table = &table;
        salle.liste.sansDelai_ = true;
        table.initialise(&salle, nullptr, 0, &display, &salle.liste, true, QString(), QString(), false);

        OptionsDePartie options(TypeDePartie::GenreJass);
        TypeDePartie::initTypesDePartie(TypeDePartie::GenreJass);
        TypeDePartie type = TypeDePartie::getTypeDePartie(options.idPreset_);
        type.contrat_ = TypeDePartie::ContratChibre;
        type.atoutAutomatique_ = 0;
        type.pointsObjectif_ = 1000;
        options.idPreset_ = TypeDePartie::ID_PERSONALISE;
        options.typeDePartie_ = type;
        table.nouvellePartie(ZB_RoomTable::ReseauLocal, options);
        table.settingsPartie().random_.initialise(20261207);
        for (int siege = 0; siege < 4; ++siege)
            table.inscritJoueur(siege, ordinateur(siege), Joueur::ModeOrdinateur, false);

        CompteAvertissements avertissements;
        {
            QMutexLocker verrou(salle.liste.getMutex());
            salle.liste.etatAttendu_ = 2;
            table.continueLeJeu(0, nullptr, false, false);
            salle.liste.flush_unlocked();
        }
        QTRY_VERIFY_WITH_TIMEOUT(salle.liste.etatAttendu_ == 139 || !salle.erreur.isEmpty(), 120000);
        QCOMPARE(salle.erreur, QString());
        QCOMPARE(CompteAvertissements::premier, QString());
        QCOMPARE(CompteAvertissements::compte.load(), 0);
        QCOMPARE(salle.finsDeMatch, 1);
        QCOMPARE(salle.cartesIllegales, 0);
        for (int n : std::as_const(salle.cartesParDonne))
            QCOMPARE(n, 36);
        const int t0 = table.getSettingsPartie().scores_[0] + table.totalDonne(0);
        const int t1 = table.getSettingsPartie().scores_[1] + table.totalDonne(1);
        QVERIFY(t0 >= 1000 || t1 >= 1000);
        QVERIFY(salle.donnesTerminees >= 1);
        // Over a dozen deals some announcement is made and confirmed.
        QVERIFY(salle.confirmations >= 1);
    }
};

ZB_REGISTER_TEST(TestTableWholeMatch)
#include "TestTableWholeMatch.moc"
