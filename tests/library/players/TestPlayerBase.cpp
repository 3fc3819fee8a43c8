#include "AnnoncesJoueur.h"
#include "Carte.h"
#include "EvenementDeJeu.h"
#include "GM_ExceptionEventCorrupted.h"
#include "Joueur.h"
#include "StatusAtout.h"
#include "ZB_DeckJass.h"
#include "ZB_DisplayEmpty.h"
#include "ZB_StatusMise.h"
#include "ZbTestRegistry.h"

#include <QCoreApplication>
#include <QTest>

#include <memory>
#include <vector>

namespace {

// Collects the events that players post to their table.
class FauxTable : public QObject
{
public:
    std::vector<EvenementDeJeu> recus;

protected:
    void customEvent(QEvent* event) override
    {
        if (event->type() == QEvent::Type(ZB_Event::EvenementDeJeu))
            recus.push_back(*static_cast<EvenementDeJeu*>(event));
    }
};

class FauxPanel : public ZB_DisplayEmptyPlayer
{
public:
    QStringList appels;
    void cacheChoixAtout() override { appels << "cacheChoixAtout"; }
    void cacheChoixMise() override { appels << "cacheChoixMise"; }
    void finDemandeCarte() override { appels << "finDemandeCarte"; }
    void effaceAttente() override { appels << "effaceAttente"; }
    void effaceAttenteRamasser() override { appels << "effaceAttenteRamasser"; }
    void afficheCartes(const EnsembleDeCartes& cartes, bool cachees) override
    {
        appels << QStringLiteral("afficheCartes %1 %2").arg(cartes.getNombreDeCartes()).arg(cachees);
    }
};

class FauxDisplay : public ZB_DisplayEmpty
{
public:
    FauxPanel panels[4];
    int curseursRestaures = 0;
    DisplayAPanelDeJoueur* getPanelDeJoueur(int no) override { return &panels[no]; }
    void restaureCurseur() override { ++curseursRestaures; }
};

// The smallest player: only its manual flag matters to the answers.
class JoueurTest : public Joueur
{
public:
    bool manuel = false;
    EnsembleDeCartes recues;
    int peutJouerCarte(const Carte&) override { return 0; }
    bool estJoueurManuel() override { return manuel; }
    void annuleDemande() override {}
    void demandeConseilCarte(QSharedPointer<Partie>, const EnsembleDeCartes*, int, Cb_CarteConseil*) override {}
    void annuleConseilCarte() override {}
    void conseilAtout(const EnsembleDeCartes&, StatusAtout&) override {}
    void conseilMise(const EnsembleDeCartes&, ZB_StatusMise&) override {}
    void choisitAtout(StatusAtout&) override {}
    void choisitMise(ZB_StatusMise&) override {}
    void actionDistribue() override {}
    void actionRamasser() override {}
    void afficheAnalyse() override {}
    void cacheAnalyse() override {}
    void metAJourProbabilites(QSharedPointer<Partie>, const Carte*) override {}
    void recoitAnnonces(int, const AnnoncesJoueur&) override {}
    void attribueCarte(int, const Carte&) override {}
    void marqueCartesConnues(int, const EnsembleDeCartes&) override {}
    void attribueCartes(int, const EnsembleDeCartes&) override {}
    void miseAnnoncee(int, const ZB_StatusMise&) override {}
    void cartesRecues(const EnsembleDeCartes& cartes) override { recues = cartes; }
    void setCarteRetournee(const Carte&) override {}
};

} // namespace

class TestPlayerBase : public QObject
{
    Q_OBJECT

    FauxTable table_;
    FauxDisplay display_;
    ZB_DeckJass deck_;

    std::unique_ptr<JoueurTest> joueur(int siege, bool manuel)
    {
        auto j = std::make_unique<JoueurTest>();
        j->noJoueur_ = siege;
        j->options_.id_ = 77;
        j->destinataire_ = &table_;
        j->display_ = &display_;
        j->manuel = manuel;
        return j;
    }

    EvenementDeJeu dernier()
    {
        QCoreApplication::sendPostedEvents(&table_);
        return table_.recus.empty() ? EvenementDeJeu() : table_.recus.back();
    }

private slots:
    void init()
    {
        table_.recus.clear();
        for (FauxPanel& p : display_.panels)
            p.appels.clear();
    }

    void computerCardAnswer()
    {
        auto j = joueur(2, false);
        j->reponse_Carte(12, *deck_.getCarte(3, 11), 53, EvenementDeJeu::Local_AI, 0);
        const EvenementDeJeu e = dernier();
        QVERIFY(e.valide_);
        QCOMPARE(e.type_, int(EvenementDeJeu::Ajo));
        QCOMPARE(e.texte_, QStringLiteral("3_11"));
        QCOMPARE(e.noJoueur_, 2);
        QCOMPARE(e.idJoueur_, Q_INT64_C(77));
        QCOMPARE(e.etat_, EtatDeJeu::Tour2_AttendCarte1);
        QCOMPARE(e.source_, int(EvenementDeJeu::Local_AI));
        QCOMPARE(e.mode_, 0);
        QCOMPARE(e.noDemande_, 12);
        QVERIFY(display_.panels[2].appels.isEmpty()); // only a manual player's panel is told
    }

    void answersOfEachKind_data()
    {
        QTest::addColumn<int>("quoi");
        QTest::addColumn<int>("type");
        QTest::addColumn<QString>("texte");
        QTest::addColumn<QString>("appelPanel");
        QTest::newRow("trump") << 0 << int(EvenementDeJeu::Cho) << "{0!1!5!2!}" << "cacheChoixAtout";
        QTest::newRow("bid") << 1 << int(EvenementDeJeu::Chm) << ZB_StatusMise().sauveValeursDansString()
                             << "cacheChoixMise";
        QTest::newRow("deal") << 2 << int(EvenementDeJeu::Dis) << "Ok" << "effaceAttente";
        QTest::newRow("collect") << 3 << int(EvenementDeJeu::Ram) << "Ok" << "effaceAttenteRamasser";
        QTest::newRow("play on") << 4 << int(EvenementDeJeu::Fin) << "Ok" << "afficheCartes 0 1";
        QTest::newRow("stop") << 5 << int(EvenementDeJeu::Fin) << "No" << "afficheCartes 0 1";
        QTest::newRow("card") << 6 << int(EvenementDeJeu::Ajo) << "1_6" << "finDemandeCarte";
    }
    void answersOfEachKind()
    {
        QFETCH(int, quoi);
        QFETCH(int, type);
        QFETCH(QString, texte);
        QFETCH(QString, appelPanel);
        auto j = joueur(1, true);
        j->demande_ = InfoDemande(40, 0, 9, 0, 3);
        switch (quoi) {
        case 0: j->reponse_ChoisitAtout(9, StatusAtout(false, true, 5, 2), 27, EvenementDeJeu::Local_Human, 0, 3); break;
        case 1: j->reponse_ChoisitMise(9, ZB_StatusMise(), 11, EvenementDeJeu::Local_Human, 0, 3); break;
        case 2: j->reponse_ActionDistribue(9, 7, EvenementDeJeu::Local_Human, 0); break;
        case 3: j->reponse_ActionRamasser(9, 41, EvenementDeJeu::Local_Human, 0); break;
        case 4: j->reponse_ActionFinDePartie(9, true, 139, EvenementDeJeu::Local_Human, 2); break;
        case 5: j->reponse_ActionFinDePartie(9, false, 139, EvenementDeJeu::Local_Human, 2); break;
        case 6: j->reponse_Carte(9, *deck_.getCarte(1, 6), 38, EvenementDeJeu::Local_Human, 0); break;
        }
        const EvenementDeJeu e = dernier();
        QCOMPARE(e.type_, type);
        QCOMPARE(e.texte_, texte);
        QCOMPARE(e.source_, int(EvenementDeJeu::Local_Human));
        QCOMPARE(display_.panels[1].appels, QStringList{appelPanel});
        if (type == EvenementDeJeu::Fin) {
            // The end-of-game answer clears the pending request.
            QCOMPARE(j->demande_, InfoDemande(-1, 3, -1, 2, 0));
            QCOMPARE(e.noTable_, 2);
        }
    }

    void announcementsAndMessages()
    {
        auto j = joueur(0, false);
        AnnoncesJoueur annonces;
        j->reponse_Annonce(4, annonces, 36, EvenementDeJeu::Local_AI, 0);
        EvenementDeJeu e = dernier();
        QCOMPARE(e.type_, int(EvenementDeJeu::Ann));
        QCOMPARE(e.texte_, annonces.sauveValeursDansString());
        QCOMPARE(display_.curseursRestaures, 1);

        j->envoyeMessage(QStringLiteral("Salut"), EvenementDeJeu::Local_Human, 0);
        e = dernier();
        QCOMPARE(e.type_, int(EvenementDeJeu::Mes));
        QCOMPARE(e.etat_, EtatDeJeu::HorsDeroulement);
        QCOMPARE(e.noDemande_, -1);
    }

    void answerWithoutRequestIsRefused()
    {
        auto j = joueur(3, false);
        QVERIFY_THROWS_EXCEPTION(GM_ExceptionEventCorrupted,
                                 j->reponse_Carte(-1, *deck_.getCarte(1, 6), 53, EvenementDeJeu::Local_AI, 0));
        QCoreApplication::sendPostedEvents(&table_);
        QVERIFY(table_.recus.empty());
        // Without a table nothing is posted, and nothing breaks.
        j->destinataire_ = nullptr;
        j->reponse_ActionDistribue(3, 7, EvenementDeJeu::Local_AI, 0);
        QCoreApplication::sendPostedEvents();
        QVERIFY(table_.recus.empty());
    }

    void handAndState()
    {
        auto j = joueur(0, false);
        EnsembleDeCartes donne;
        donne.ajouteCarte(deck_.getCarte(2, 9));
        donne.ajouteCarte(deck_.getCarte(1, 14));
        j->recoitCartes(donne);
        QCOMPARE(j->main_.getNombreDeCartes(), 2u);
        QCOMPARE(j->main_.getPremierIndex(), quint32(Carte::indexDe(1, 14)));
        QCOMPARE(j->recues, donne);

        auto copie = joueur(1, false);
        j->modeJeu_ = Joueur::ModeHumainDistant;
        j->cartesVisibles_ = 1;
        j->demande_ = InfoDemande(53, 0, 12, 0, 3);
        copie->copieEtat(*j);
        QCOMPARE(copie->main_, j->main_);
        QCOMPARE(copie->modeJeu_, int(Joueur::ModeHumainDistant));
        QCOMPARE(copie->demande_, j->demande_);
        QCOMPARE(copie->noJoueur_, 1);

        const QList<int> presents{1, 2, 5, 6, 7, 9};
        for (int mode = 0; mode <= 9; ++mode)
            QCOMPARE(Joueur::estPresent(mode), presents.contains(mode));
    }

    void emptyDisplayServesEverySeat()
    {
        ZB_DisplayEmpty vide;
        QVERIFY(vide.getPanelDeJoueur(0) == vide.getPanelDeJoueur(3));
        QVERIFY(vide.getAnalyseJoueur(1) == vide.getAnalyseJoueur(2));
        QVERIFY(vide.getWidget() == nullptr);
        QVERIFY(!vide.getPanelDeJoueur(0)->executeAttente());
        QCOMPARE(vide.getAnalyseJoueur(0)->ajouteNoeud(0, {QStringLiteral("x")}), Q_INT64_C(0));
        QCOMPARE(vide.getModeAffichage(), 0);
        vide.setModeAffichage(2, true);
        QCOMPARE(vide.getModeAffichage(), 2);
    }
};

ZB_REGISTER_TEST(TestPlayerBase)
#include "TestPlayerBase.moc"
