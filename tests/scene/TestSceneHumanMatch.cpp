#include "AffichageDeScene.h"
#include "Carte.h"
#include "CompteAvertissements.h"
#include "DisplayGLHumanCarte.h"
#include "DisplayGLPanelDeJoueur.h"
#include "HeadlessMatch.h"
#include "PanelAtouts.h"
#include "SiegeDeScene.h"
#include "StatusAtout.h"
#include "TableDeScene.h"
#include "ZB_StatusMise.h"
#include "ZbTestRegistry.h"

#include <QAbstractButton>
#include <QEventLoop>
#include <QSignalSpy>
#include <QTest>

#include <iterator>

using namespace scenetest;
using namespace match_sans_tete;

namespace {

// The bottom seat's cards as the table plays them, whoever chose them.
class AffichageCompte : public AffichageDeScene
{
public:
    using AffichageDeScene::AffichageDeScene;
    void afficheCarteJouee(int siege, Carte* carte) override
    {
        basJouees += siege == 0 ? 1 : 0;
        AffichageDeScene::afficheCarteJouee(siege, carte);
    }
    int basJouees = 0;
};

// Plays the bottom seat the way a person does: trump and bids with the
// trump panel's buttons, cards by a double click on their picture, a click
// on the cloth for a pending deal or collect, Ok to the end-of-game box.
// Each step checks that the gesture was taken once.
struct Personne
{
    TableDeScene& t;
    Banc& banc;
    DisplayGLPanelDeJoueur* panneau;
    JoueurHumain* joueur;
    QSignalSpy aides;

    int atouts = 0;
    int chibres = 0;
    int mises = 0;
    int contres = 0;
    int passes = 0;
    int prises = 0;
    int cartes = 0;
    int clics = 0;
    int refus = 0;
    QString erreur;

    Personne(TableDeScene& table, Banc& b, DisplayGLPanelDeJoueur* p)
        : t(table)
        , banc(b)
        , panneau(p)
        , joueur(b.table->getJoueur(0))
        , aides(p, &DisplayGLPanelDeJoueur::signalSetHelpText)
    {
    }

    QPoint versVue(const QPointF& p) const { return t.vue->mapFromScene(p); }
    QWidget* ecran() const { return t.vue->viewport(); }

    // Where the card shows on top, or a null point.
    QPointF pointSur(DisplayGLHumanCarte* s) const
    {
        const QRectF r = s->sceneBoundingRect();
        for (double fy : {0.3, 0.5, 0.2})
            for (double fx : {0.15, 0.3, 0.08, 0.5, 0.8}) {
                const QPointF p(r.left() + fx * r.width(), r.top() + fy * r.height());
                if (t.scene->carteSous(p) == s)
                    return p;
            }
        return QPointF();
    }

    // The trump panel's button for a trump mode (0: the Chibre/Passe button
    // on show), the double button (-1) or the take button (-2); null when it
    // is not on show.
    QAbstractButton* bouton(int mode) const
    {
        static const char* const noms[] = {nullptr,
                                           "buttonAtout_Trefle",
                                           "buttonAtout_Carreau",
                                           "buttonAtout_Pique",
                                           "buttonAtout_Coeur",
                                           "buttonAtout_HautEnBas",
                                           "buttonAtout_BasEnHaut",
                                           "buttonAtout_ZigZag_DepartBas",
                                           "buttonAtout_ZigZag_DepartHaut",
                                           "buttonAtout_ToutAtout",
                                           "buttonAtout_SansAtout",
                                           "buttonAtout_Inverse"};
        const PanelAtouts* panneauAtouts = t.scene->panelAtouts();
        QStringList candidats;
        if (mode == -2)
            candidats << QStringLiteral("pushButtonPrends");
        else if (mode < 0)
            candidats << QStringLiteral("pushButton_Contre");
        else if (mode == 0)
            candidats << QStringLiteral("boutonChibre_left") << QStringLiteral("boutonChibre_below");
        else if (mode < int(std::size(noms)))
            candidats << QString::fromLatin1(noms[mode]);
        for (const QString& nom : candidats)
            if (auto* b = panneauAtouts->findChild<QAbstractButton*>(nom); b && b->isVisibleTo(panneauAtouts))
                return b;
        return nullptr;
    }
    // Presses a button as a person does; a button that is not on show or
    // not enabled is a fault.
    void presse(int mode)
    {
        QAbstractButton* b = bouton(mode);
        if (!b || !b->isEnabled() || t.scene->conteneurAtouts()->isHidden()) {
            erreur = QStringLiteral("the trump panel offers no button for %1").arg(mode);
            return;
        }
        QTest::mouseClick(b, Qt::LeftButton);
    }

    // One gesture, when the table waits for one; false when it does not.
    bool agit()
    {
        if (joueur->estFinDePartieEnCours()) {
            // The end-of-game box comes after a pause; it is answered at once.
            joueur->OnTimeoutFinDePartie();
            return true;
        }
        // A question is answered once its band shows: it waits for the hand
        // to be dealt.
        const bool bande = !t.scene->conteneurAtouts()->isHidden();
        if (panneau->isChoixAtoutOuvert())
            return bande && choisitAtout();
        if (panneau->isChoixMiseOuvert())
            return bande && choisitMise();
        if (panneau->isCarteDemandee() && joueur->estJoueurManuel())
            return joueCarte();
        if (panneau->attente() == DisplayGLPanelDeJoueur::AttenteDistribue
            || panneau->attente() == DisplayGLPanelDeJoueur::AttenteRamasser) {
            const QRectF zone = t.scene->zoneTable();
            QTest::mouseClick(ecran(), Qt::LeftButton, {}, versVue(QPointF(zone.center().x(), zone.height() * 0.3)));
            ++clics;
            if (panneau->attente() != 0)
                erreur = QStringLiteral("a click left the pending action %1").arg(panneau->attente());
            return true;
        }
        return false;
    }

    bool choisitAtout()
    {
        int mode = 0;
        if (!panneau->isChibreOffert() || chibres > 0) {
            StatusAtout conseil;
            joueur->conseilAtout(joueur->main_, conseil);
            mode = conseil.choisi_ ? conseil.atout_ : 0;
            // The partner who must choose takes the suit it holds most of.
            if (mode == 0 && !panneau->isChibreOffert())
                mode = couleurLaPlusLongue();
        }
        chibres += mode == 0 ? 1 : 0;
        atouts += mode != 0 ? 1 : 0;
        presse(mode);
        if (panneau->isChoixAtoutOuvert())
            erreur = QStringLiteral("the trump choice stayed open");
        return true;
    }

    bool choisitMise()
    {
        // A double of the other team's bid, the lowest bid (the spin box
        // starts there) in the longest suit, or a pass.
        const ZB_StatusMise& m = panneau->derniereMise();
        const bool adverse = m.miseur_ >= 0 && m.miseur_ % 2 != 0;
        int mode = 0;
        if (bouton(-2)) {
            // The turned card is taken every other time it is offered: the
            // other deals go on to the second round or another taker.
            mode = (prises + passes) % 2 == 0 ? -2 : 0;
            ++(mode == 0 ? passes : prises);
        } else if (m.typeContrat_ == ZB_StatusMise::Simple && adverse && contres == 0) {
            mode = -1;
            ++contres;
        } else if (m.typeContrat_ == ZB_StatusMise::PasEncoreDeMise) {
            mode = couleurLaPlusLongue();
            // The second round of a take offers the other suits only.
            for (int couleur = 1; couleur <= 4 && !bouton(mode); ++couleur)
                mode = couleur;
            ++mises;
        } else {
            ++passes;
        }
        presse(mode);
        if (panneau->isChoixMiseOuvert())
            erreur = QStringLiteral("the bid choice stayed open");
        return true;
    }

    bool joueCarte()
    {
        QList<Carte*> legales;
        Carte* interdite = nullptr;
        for (Carte* c : joueur->main_) {
            DisplayGLHumanCarte* s = t.scene->jeuDeCartes().getCarte(c->getIndex());
            // The deal is still landing: wait for the hand. Cards still
            // sliding into their state are clicked where they are now.
            if (!s || !s->isVisible())
                return false;
            const int code = joueur->peutJouerCarte(*c);
            if (Partie::estCodeJouable(code))
                legales << c;
            else if (code != 0 && !interdite)
                interdite = c;
        }
        if (legales.isEmpty())
            return false;
        // The whole hand shows in its order at every request, the first of a
        // deal too, and a turned card lies on the cloth only while it is bid on.
        double gauche = -1e9;
        for (Carte* c : joueur->main_) {
            DisplayGLHumanCarte* s = t.scene->jeuDeCartes().getCarte(c->getIndex());
            if (pointSur(s).isNull() || s->pos().x() <= gauche)
                erreur = QStringLiteral("%1 does not show in its place among the %2 cards of the hand")
                             .arg(c->toString())
                             .arg(joueur->main_.getNombreDeCartes());
            gauche = s->pos().x();
        }
        if (erreur.isEmpty() && t.scene->carteRetournee())
            erreur = QStringLiteral("the turned card still lies on the cloth");
        if (!erreur.isEmpty())
            return true;
        if (interdite && refus < 3)
            refuse(interdite);
        for (int essai = 0; essai < legales.size(); ++essai) {
            Carte* c = legales.at((cartes + essai) % legales.size());
            DisplayGLHumanCarte* s = t.scene->jeuDeCartes().getCarte(c->getIndex());
            const QPointF ici = pointSur(s);
            if (ici.isNull())
                continue;
            doubleClic(ecran(), versVue(ici));
            ++cartes;
            if (panneau->isCarteDemandee() || s->getState() != DisplayGLHumanCarte::Cachee)
                erreur = QStringLiteral("a double click left %1 in the hand").arg(c->toString());
            return true;
        }
        erreur = QStringLiteral("no playable card shows in the hand");
        return true;
    }

    // A card the rules refuse, double-clicked: nothing reaches the table,
    // the user reads why.
    void refuse(Carte* c)
    {
        DisplayGLHumanCarte* s = t.scene->jeuDeCartes().getCarte(c->getIndex());
        const QPointF ici = pointSur(s);
        if (ici.isNull())
            return;
        const int code = joueur->peutJouerCarte(*c);
        const int avant = banc.salle.liste.getExecutes().blockCount();
        const int etat = banc.salle.liste.getEtatAttendu();
        doubleClic(ecran(), versVue(ici));
        QCoreApplication::sendPostedEvents();
        ++refus;
        if (banc.salle.liste.getExecutes().blockCount() != avant || banc.salle.liste.getEtatAttendu() != etat
            || !panneau->isCarteDemandee() || !joueur->main_.contientCarte(c))
            erreur = QStringLiteral("the refused card %1 reached the table").arg(c->toString());
        else if (aides.isEmpty() || aides.last().first().toString() != texteValiditeCarte(code))
            erreur = QStringLiteral("no explanation for the refused card %1").arg(c->toString());
    }

    int couleurLaPlusLongue() const
    {
        int meilleure = 1;
        int plus = -1;
        for (int couleur = 1; couleur <= 4; ++couleur) {
            int n = 0;
            for (Carte* c : joueur->main_)
                n += c->getCouleur() == couleur ? 1 : 0;
            if (n > plus) {
                plus = n;
                meilleure = couleur;
            }
        }
        return meilleure;
    }
};

} // namespace

class TestSceneHumanMatch : public QObject
{
    Q_OBJECT

private slots:
    // A whole match in which the bottom seat is played with the mouse:
    // trump or bids with the trump panel's buttons, every card by a double click
    // on its picture, deals and collects by a click on the cloth. The
    // table refuses nothing, every card of the bottom seat was a double
    // click, and cards the rules refuse never reach the table.
    void matchPlayedWithTheMouse_data()
    {
        QTest::addColumn<int>("genre");
        QTest::addColumn<int>("preset");
        QTest::addColumn<quint32>("graine");
        QTest::newRow("jass") << 0 << 1 << 20261207u;
        QTest::newRow("belote contree") << 1 << 8 << 20261208u;
        QTest::newRow("belote classique") << 1 << 6 << 20261209u;
    }
    void matchPlayedWithTheMouse()
    {
        QFETCH(int, genre);
        QFETCH(int, preset);
        QFETCH(quint32, graine);
        Reglages r = tableAJouer();
        r.options.quality_ = 0;
        TableDeScene t(r);
        DisplayGLScene& s = *t.scene;
        t.vue->show();
        s.setFacteurDurees(0.1);
        s.createGLObjects();
        s.setAutoAnswer(true);
        AffichageCompte affichage(s);
        affichage.creePanneaux();
        CompteAvertissements refus(QStringLiteral("ZB_RoomTable"));
        {
            Banc banc(true, &affichage);
            const std::array<OptionsDuJoueur, 4> joueurs{humain(0), ordinateur(1, 10), ordinateur(2, 10),
                                                         ordinateur(3, 10)};
            banc.demarre(optionsDuPreset(genre, preset), graine, joueurs);
            Personne personne(t, banc, affichage.panneaux[0].data());
            QVERIFY(personne.joueur);
            personne.joueur->setMessageBoxDisplayer(&s);

            QElapsedTimer inactif;
            inactif.start();
            int derniers = -1;
            while (banc.salle.liste.getEtatAttendu() != EtatDeJeu::QuestionNouvellePartie && banc.salle.erreur.isEmpty()
                   && personne.erreur.isEmpty()) {
                QEventLoop boucle;
                QTimer::singleShot(1, &boucle, &QEventLoop::quit);
                boucle.exec();
                personne.agit();
                const int executes = banc.salle.liste.getExecutes().blockCount();
                if (executes != derniers) {
                    derniers = executes;
                    inactif.restart();
                }
                QVERIFY2(inactif.elapsed() < 30000,
                         qPrintable(QStringLiteral("no progress in state %1").arg(banc.salle.liste.getEtatAttendu())));
            }
            QVERIFY2(personne.erreur.isEmpty(), qPrintable(personne.erreur));
            QVERIFY2(banc.salle.erreur.isEmpty(), qPrintable(banc.salle.erreur));
            QCOMPARE(banc.salle.finsDeMatch, 1);
            QVERIFY(personne.joueur->estJoueurManuel());
            QCOMPARE(banc.salle.cartesIllegales, 0);
            QVERIFY2(CompteAvertissements::compte == 0, qPrintable(CompteAvertissements::premier));
            // Every card of the bottom seat left the hand by a double click.
            QVERIFY(personne.cartes > 0);
            QCOMPARE(affichage.basJouees, personne.cartes);
            QVERIFY(personne.refus > 0);
            QVERIFY(personne.clics > 0);
            if (genre == 0) {
                QVERIFY(personne.atouts > 0);
            } else if (preset == 6) {
                QVERIFY(personne.prises > 0);
                QVERIFY(personne.passes > 0);
            } else {
                QVERIFY(personne.mises > 0);
                QVERIFY(personne.contres > 0);
                QVERIFY(personne.passes > 0);
            }
            // The seats' players die with the table: the scene lets them go
            // first, as the table view does when a room goes.
            s.setPartie({});
            for (int siege = 0; siege < DisplayGLScene::NOMBRE_SIEGES; ++siege)
                s.setJoueur(siege, nullptr);
        }
    }
};

ZB_REGISTER_TEST(TestSceneHumanMatch)
#include "TestSceneHumanMatch.moc"
