#include "AI_ProbaSimplifiee.h"
#include "AnalyseJoueur.h"
#include "Carte.h"
#include "EnsembleDeCartes.h"
#include "NomsDeCouleurs.h"
#include "OptionsAI.h"
#include "ZB_AnalyseJoueurGraph.h"
#include "ZB_AnalyseJoueurGraphProb.h"
#include "ZbTestRegistry.h"

#include <QApplication>
#include <QDateTime>
#include <QDeadlineTimer>
#include <QGridLayout>
#include <QHeaderView>
#include <QImage>
#include <QLabel>
#include <QPushButton>
#include <QSet>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QTextEdit>
#include <QTreeWidget>

#include <atomic>
#include <cmath>
#include <cstdlib>
#include <initializer_list>
#include <limits>
#include <memory>
#include <thread>
#include <vector>

namespace {

// Counts the paint events that reach the watched widgets.
class CompteurPeintures : public QObject
{
public:
    void surveille(QWidget* widget)
    {
        widget->installEventFilter(this);
        compteurs_.insert(widget, 0);
    }
    int peintures(QWidget* widget) const { return compteurs_.value(widget, 0); }
    int total() const
    {
        int somme = 0;
        for (int n : compteurs_)
            somme += n;
        return somme;
    }
    void remetAZero()
    {
        for (auto it = compteurs_.begin(); it != compteurs_.end(); ++it)
            it.value() = 0;
    }

protected:
    bool eventFilter(QObject* objet, QEvent* event) override
    {
        if (event->type() == QEvent::Paint) {
            auto it = compteurs_.find(static_cast<QWidget*>(objet));
            if (it != compteurs_.end())
                ++it.value();
        }
        return false;
    }

private:
    QHash<QWidget*, int> compteurs_;
};

// Runs the queued drains (and whatever repaints they asked for).
void laisseTourner(int ms = 30)
{
    QCoreApplication::processEvents();
    QTest::qWait(ms);
    QCoreApplication::processEvents();
}

QTextEdit* boite(AnalyseJoueur& w)
{
    return w.findChild<QTextEdit*>(QStringLiteral("RichEditInfo"));
}

QTreeWidget* arbre(AnalyseJoueur& w)
{
    return w.findChild<QTreeWidget*>(QStringLiteral("TreeView"));
}

int descendants(const QTreeWidgetItem* item)
{
    int n = item->childCount();
    for (int i = 0; i < item->childCount(); ++i)
        n += descendants(item->child(i));
    return n;
}

// Text of the item reached from item through the child indexes of chemin;
// "<absent>" when the path leads nowhere.
QString texteA(const QTreeWidgetItem* item, std::initializer_list<int> chemin, int colonne = 0)
{
    for (int i : chemin) {
        if (item == nullptr)
            break;
        item = item->child(i);
    }
    return item != nullptr ? item->text(colonne) : QStringLiteral("<absent>");
}

float valeurBarre(AnalyseJoueur& w, int couleur, int joueur, int valeur, int table)
{
    return w.getGraph(couleur)->getGraphProb(joueur, valeur)->getProbabilite(table);
}

} // namespace

class TestAnalyseJoueur : public QObject
{
    Q_OBJECT

private slots:
    void formWidgetsAndTexts()
    {
        AnalyseJoueur w;
        const auto label = [&w](const char* nom) { return w.findChild<QLabel*>(QLatin1String(nom)); };

        QVERIFY(label("labelPlayerName"));
        QCOMPARE(label("labelPlayerName")->textFormat(), Qt::PlainText);
        auto* continuer = w.findChild<QPushButton*>(QStringLiteral("pushButtonContinue_"));
        QVERIFY(continuer);
        QCOMPARE(continuer->text(), QStringLiteral("Continue"));
        QVERIFY(!continuer->isEnabled());
        // Continue only disables itself again.
        continuer->setEnabled(true);
        continuer->click();
        QVERIFY(!continuer->isEnabled());

        const char* const legendes[3] = {"labelLegendViewFromPlayer", "labelLegendViewOthers", "labelLegendViewReal"};
        const QString textes[3] = {QStringLiteral("Vue Joueur"), QStringLiteral("Vue Autres"), QStringLiteral("Réel")};
        const QColor couleurs[3] = {QColor(Qt::gray), QColor(Qt::darkGray), QColor(Qt::green)};
        for (int i = 0; i < 3; ++i) {
            QVERIFY(label(legendes[i]));
            QCOMPARE(label(legendes[i])->text(), textes[i]);
            QLabel* pastille = w.findChild<QLabel*>(QLatin1String(legendes[i]) + QStringLiteral("Pix"));
            QVERIFY(pastille);
            const QImage image = pastille->pixmap().toImage();
            QCOMPARE(image.size(), QSize(10, 10));
            QCOMPARE(image.pixelColor(5, 5), couleurs[i]);
            QCOMPARE(ZB_AnalyseJoueurGraphProb::couleurTable(i), couleurs[i]);
        }

        auto* pages = w.findChild<QTabWidget*>(QStringLiteral("PageControlDistrib"));
        QVERIFY(pages);
        QCOMPARE(pages->count(), 4);
        for (int couleur = 1; couleur <= 4; ++couleur) {
            QCOMPARE(pages->tabText(couleur - 1), getNomCouleur(couleur, 0));
            QCOMPARE(pages->widget(couleur - 1), w.getGraph(couleur));
        }
        QVERIFY(w.getGraph(0) == nullptr && w.getGraph(5) == nullptr);
        AnalyseJoueur allemand(nullptr, 1);
        QCOMPARE(allemand.findChild<QTabWidget*>(QStringLiteral("PageControlDistrib"))->tabText(0),
                 getNomCouleur(1, 1));

        auto* journaux = w.findChild<QTabWidget*>(QStringLiteral("tabWidgetLogs"));
        QVERIFY(journaux);
        QCOMPARE(journaux->count(), 2);
        QCOMPARE(journaux->tabText(0), QStringLiteral("Text Log"));
        QCOMPARE(journaux->widget(0)->objectName(), QStringLiteral("tabText"));
        QCOMPARE(journaux->tabText(1), QStringLiteral("Tree"));
        QCOMPARE(journaux->widget(1)->objectName(), QStringLiteral("tabTree"));
        QVERIFY(boite(w) && boite(w)->isReadOnly());
        QTreeWidget* t = arbre(w);
        QVERIFY(t);
        QCOMPARE(t->headerItem()->text(0), QStringLiteral("Simulation"));
        QCOMPARE(t->topLevelItemCount(), 1);
        QCOMPARE(t->topLevelItem(0)->text(0), QStringLiteral("#define SHOW_TREE to enable"));

        QVERIFY(!w.swipeTriggered(QSwipeGesture::Left));
    }

    void graphPageGrid()
    {
        ZB_AnalyseJoueurGraph page;
        QCOMPARE(page.objectName(), QStringLiteral("FormAnalyseJoueurGraph"));
        auto* grille = qobject_cast<QGridLayout*>(page.layout());
        QVERIFY(grille);
        const auto position = [grille](QWidget* widget) {
            int ligne = -1, colonne = -1, hauteur = 0, largeur = 0;
            grille->getItemPosition(grille->indexOf(widget), &ligne, &colonne, &hauteur, &largeur);
            return QPoint(colonne, ligne);
        };
        QSet<ZB_AnalyseJoueurGraphProb*> distinctes;
        for (int joueur = 0; joueur < 4; ++joueur) {
            for (int valeur = 6; valeur <= 14; ++valeur) {
                ZB_AnalyseJoueurGraphProb* barre = page.getGraphProb(joueur, valeur);
                QVERIFY(barre);
                distinctes.insert(barre);
                QCOMPARE(position(barre), QPoint(valeur, joueur));
                for (int table = 0; table < 3; ++table)
                    QCOMPARE(barre->getProbabilite(table), 1.0f);
            }
            QCOMPARE(position(page.getLabel(joueur)), QPoint(15, joueur));
        }
        QCOMPARE(distinctes.size(), 36);
        QVERIFY(!page.getGraphProb(4, 6) && !page.getGraphProb(0, 5) && !page.getGraphProb(0, 15));
        QVERIFY(!page.getLabel(-1) && !page.getLabel(4));

        const QStringList titres = {"6", "7", "8", "9", "10", "V", "D", "R", "A"};
        for (int valeur = 6; valeur <= 14; ++valeur) {
            QLayoutItem* item = grille->itemAtPosition(4, valeur);
            QVERIFY(item && item->widget());
            auto* titre = qobject_cast<QLabel*>(item->widget());
            QVERIFY(titre);
            QCOMPARE(titre->text(), titres.at(valeur - 6));
            QCOMPARE(titre->minimumWidth(), 14);
        }
    }

    void hiddenWindowDropsMessagesClearsAndRoots()
    {
        AnalyseJoueur w;
        w.ajouteMessage(QStringLiteral("jamais"));
        w.effaceMessages();
        w.ajouteNoeudRacine(QStringLiteral("racine perdue"));
        laisseTourner();
        QVERIFY(boite(w)->toPlainText().isEmpty());
        QCOMPARE(arbre(w)->topLevelItem(0)->text(0), QStringLiteral("#define SHOW_TREE to enable"));

        // The message sent while hidden never shows later.
        w.affiche();
        QVERIFY(w.isVisible());
        laisseTourner();
        w.ajouteMessage(QStringLiteral("vu"));
        laisseTourner();
        QCOMPARE(boite(w)->toPlainText(), QStringLiteral("vu"));

        // A clear request while hidden is dropped too: the box keeps its text.
        w.cache();
        QVERIFY(!w.isVisible());
        w.effaceMessages();
        w.ajouteMessage(QStringLiteral("encore caché"));
        w.affiche();
        laisseTourner();
        QCOMPARE(boite(w)->toPlainText(), QStringLiteral("vu"));

        // Shown, but inside a hidden parent, is not visible.
        QWidget parent;
        auto* enfant = new AnalyseJoueur(&parent);
        enfant->affiche();
        enfant->ajouteMessage(QStringLiteral("parent caché"));
        laisseTourner();
        QVERIFY(boite(*enfant)->toPlainText().isEmpty());
        parent.show();
        enfant->ajouteMessage(QStringLiteral("parent visible"));
        laisseTourner();
        QCOMPARE(boite(*enfant)->toPlainText(), QStringLiteral("parent visible"));
        parent.hide();
        enfant->ajouteMessage(QStringLiteral("parent caché de nouveau"));
        laisseTourner();
        QCOMPARE(boite(*enfant)->toPlainText(), QStringLiteral("parent visible"));
    }

    void clearFlagStaysSet()
    {
        AnalyseJoueur w;
        w.affiche();
        w.ajouteMessage(QStringLiteral("a"));
        laisseTourner();
        w.ajouteMessage(QStringLiteral("b"));
        laisseTourner();
        // Without a clear request the box accumulates.
        QCOMPARE(boite(w)->toPlainText(), QStringLiteral("a\nb"));

        w.effaceMessages();
        laisseTourner();
        QVERIFY(boite(w)->toPlainText().isEmpty());

        // From then on every update starts from an empty box.
        w.ajouteMessage(QStringLiteral("c"));
        laisseTourner();
        w.ajouteMessage(QStringLiteral("d"));
        laisseTourner();
        QCOMPARE(boite(w)->toPlainText(), QStringLiteral("d"));

        // Messages queued before one update all stay, in order.
        w.ajouteMessage(QStringLiteral("e"));
        w.ajouteMessage(QStringLiteral("f"));
        w.ajouteMessage(QStringLiteral("g"));
        laisseTourner();
        QCOMPARE(boite(w)->toPlainText(), QStringLiteral("e\nf\ng"));
    }

    void newRootDiscardsQueuedChildren()
    {
        AnalyseJoueur w;
        w.affiche();
        QTreeWidget* t = arbre(w);

        w.ajouteNoeudRacine(QStringLiteral("R1"));
        laisseTourner();
        QCOMPARE(t->topLevelItemCount(), 1);
        QCOMPARE(t->topLevelItem(0)->text(0), QStringLiteral("R1"));

        const qint64 perdu = w.ajouteNoeud(0, {QStringLiteral("c1")});
        w.ajouteNoeudRacine(QStringLiteral("R2"));
        laisseTourner();
        QCOMPARE(t->topLevelItemCount(), 1);
        QCOMPARE(t->topLevelItem(0)->text(0), QStringLiteral("R2"));
        QCOMPARE(t->topLevelItem(0)->childCount(), 0);

        // A child of the discarded item and an append to it find no place.
        w.ajouteNoeud(perdu, {QStringLiteral("petit-enfant")});
        w.ajouteTexteNoeud(perdu, QStringLiteral("+"));
        laisseTourner();
        QCOMPARE(descendants(t->topLevelItem(0)), 0);

        // Children reported after a new root belong under it, however the
        // queued drains run: two roots in a row with children in between
        // keep only the children of the second.
        w.ajouteNoeud(0, {QStringLiteral("avant")});
        w.ajouteNoeudRacine(QStringLiteral("R3"));
        w.ajouteNoeud(0, {QStringLiteral("x")});
        w.ajouteNoeudRacine(QStringLiteral("R4"));
        const qint64 y = w.ajouteNoeud(0, {QStringLiteral("y")});
        w.ajouteNoeud(y, {QStringLiteral("z")});
        laisseTourner();
        QCOMPARE(t->topLevelItemCount(), 1);
        QTreeWidgetItem* racine = t->topLevelItem(0);
        QCOMPARE(racine->text(0), QStringLiteral("R4"));
        QCOMPARE(racine->childCount(), 1);
        QCOMPARE(racine->child(0)->text(0), QStringLiteral("y"));
        QCOMPARE(racine->child(0)->childCount(), 1);
        QCOMPARE(texteA(racine, {0, 0}), QStringLiteral("z"));

        // The drain of the root runs directly too: it must not rebuild a
        // tree that already holds the children reported after that root.
        w.onTreeTopItemToAddTimer();
        QCOMPARE(t->topLevelItem(0)->childCount(), 1);
    }

    void childrenAndAppendsTakenWhileHidden()
    {
        AnalyseJoueur w;
        QTreeWidget* t = arbre(w);
        const qint64 h1 = w.ajouteNoeud(0, {QStringLiteral("h1")});
        const qint64 h2 = w.ajouteNoeud(h1, {QStringLiteral("h2"), QStringLiteral("colonne 2")});
        w.ajouteTexteNoeud(h1, QStringLiteral(" +a"));
        w.ajouteTexteNoeud(h1, QStringLiteral(" +b"));
        w.ajouteTexteNoeud(h2, QStringLiteral("!"));
        laisseTourner();
        QVERIFY(!w.isVisible());

        QTreeWidgetItem* haut = t->topLevelItem(0);
        QCOMPARE(haut->text(0), QStringLiteral("#define SHOW_TREE to enable"));
        QCOMPARE(haut->childCount(), 1);
        QCOMPARE(haut->child(0)->text(0), QStringLiteral("h1 +a +b"));
        QCOMPARE(haut->child(0)->childCount(), 1);
        QCOMPARE(texteA(haut, {0, 0}), QStringLiteral("h2!"));
        QCOMPARE(texteA(haut, {0, 0}, 1), QStringLiteral("colonne 2"));
        QCOMPARE(t->columnCount(), 2);

        // A parent never reported: the child and its own children are dropped.
        const qint64 orphelin = w.ajouteNoeud(4242, {QStringLiteral("orphelin")});
        w.ajouteNoeud(orphelin, {QStringLiteral("enfant d'orphelin")});
        w.ajouteTexteNoeud(987654321, QStringLiteral("nulle part"));
        laisseTourner();
        QCOMPARE(t->topLevelItemCount(), 1);
        QCOMPARE(descendants(haut), 2);

        // Appends arriving in a later update still reach their item.
        w.ajouteTexteNoeud(h2, QStringLiteral("?"));
        laisseTourner();
        QCOMPARE(texteA(haut, {0, 0}), QStringLiteral("h2!?"));

        // With no top-level item at all, a child of 0 has no place either.
        t->clear();
        w.ajouteNoeud(0, {QStringLiteral("sans racine")});
        laisseTourner();
        QCOMPARE(t->topLevelItemCount(), 0);
    }

    void nodeIds()
    {
        AnalyseJoueur w;
        const quint32 avant = quint32(quint64(QDateTime::currentMSecsSinceEpoch()));
        QSet<qint64> ids;
        for (int i = 0; i < 5000; ++i) {
            const qint64 id = w.ajouteNoeud(0, {QString::number(i)});
            QVERIFY(id != 0);
            ids.insert(id);
            // High half: the low 32 bits of the milliseconds since the
            // epoch; low half: rand().
            const quint32 haut = quint32(quint64(id) >> 32);
            const quint32 bas = quint32(quint64(id) & 0xffffffffu);
            const quint32 apres = quint32(quint64(QDateTime::currentMSecsSinceEpoch()));
            QVERIFY(quint32(haut - avant) <= quint32(apres - avant));
            QVERIFY(bas <= quint32(RAND_MAX));
        }
        QCOMPARE(ids.size(), 5000);
        laisseTourner();
        QCOMPARE(arbre(w)->topLevelItem(0)->childCount(), 5000);
    }

    void position_data()
    {
        QTest::addColumn<int>("code");
        QTest::addColumn<int>("ligne");
        QTest::addColumn<int>("colonne");

        QTest::newRow("0 top right") << 0 << 0 << 1;
        QTest::newRow("1 top left") << 1 << 0 << 0;
        QTest::newRow("2 bottom left") << 2 << 1 << 0;
        QTest::newRow("3 bottom right") << 3 << 1 << 1;
        QTest::newRow("4 removed") << 4 << -1 << -1;
        QTest::newRow("-1 removed") << -1 << -1 << -1;
    }

    void position()
    {
        QFETCH(int, code);
        QFETCH(int, ligne);
        QFETCH(int, colonne);

        QWidget parent;
        auto* grille = new QGridLayout(&parent);
        auto* w = new AnalyseJoueur(&parent);
        // From another place first: the window is moved, never doubled.
        w->setPosition(3);
        QCOMPARE(grille->count(), 1);
        w->setPosition(code);
        if (ligne < 0) {
            QCOMPARE(grille->indexOf(w), -1);
            QCOMPARE(grille->count(), 0);
            QCOMPARE(w->parentWidget(), &parent);
            return;
        }
        QCOMPARE(grille->count(), 1);
        QCOMPARE(grille->itemAtPosition(ligne, colonne)->widget(), w);
    }

    void positionWithoutAGrid()
    {
        AnalyseJoueur seul;
        seul.setPosition(0);
        QWidget parent;
        auto* boiteV = new QVBoxLayout(&parent);
        auto* w = new AnalyseJoueur(&parent);
        boiteV->addWidget(w);
        w->setPosition(1);
        QCOMPARE(boiteV->indexOf(w), 0);
    }

    void barHeights_data()
    {
        QTest::addColumn<float>("valeur");
        QTest::addColumn<int>("hauteur");
        QTest::addColumn<int>("barre");

        QTest::newRow("full") << 1.0f << 250 << 249;
        QTest::newRow("half") << 0.5f << 250 << 125;
        QTest::newRow("empty") << 0.0f << 250 << 1;
        QTest::newRow("quarter of 10") << 0.25f << 10 << 3;
        QTest::newRow("below 0") << -3.0f << 250 << 1;
        QTest::newRow("above 1") << 2.0f << 250 << 249;
        QTest::newRow("NaN") << std::numeric_limits<float>::quiet_NaN() << 250 << 1;
    }

    void barHeights()
    {
        QFETCH(float, valeur);
        QFETCH(int, hauteur);
        QFETCH(int, barre);
        QCOMPARE(ZB_AnalyseJoueurGraphProb::hauteurBarre(valeur, hauteur), barre);
    }

    void barPainting()
    {
        ZB_AnalyseJoueurGraphProb barre;
        barre.resize(45, 250);
        QVERIFY(barre.setProbabilite(0, 0.5f));
        QVERIFY(barre.setProbabilite(2, 0.0f));
        QVERIFY(!barre.setProbabilite(1, 1.0f));
        QVERIFY(!barre.setProbabilite(3, 0.2f));
        QVERIFY(!barre.setProbabilite(0, std::numeric_limits<float>::quiet_NaN()));
        QCOMPARE(barre.getProbabilite(0), 0.5f);
        QCOMPARE(barre.getProbabilite(3), 0.0f);

        const QImage image = barre.grab().toImage();
        const double r = image.devicePixelRatio();
        const auto at = [&](int x, int y) { return image.pixelColor(qRound(x * r), qRound(y * r)); };
        // Three bars of 14 pixels at x 0, 15 and 30, hanging from y = 1.
        QCOMPARE(at(7, 1), QColor(Qt::gray));
        QCOMPARE(at(7, 125), QColor(Qt::gray));
        QVERIFY(at(7, 126) != QColor(Qt::gray));
        QCOMPARE(at(22, 1), QColor(Qt::darkGray));
        QCOMPARE(at(22, 249), QColor(Qt::darkGray));
        QCOMPARE(at(37, 1), QColor(Qt::green));
        QVERIFY(at(37, 2) != QColor(Qt::green));
        for (int x : {14, 29})
            QVERIFY(at(x, 50) != QColor(Qt::darkGray) && at(x, 50) != QColor(Qt::gray));
        QVERIFY(at(22, 0) != QColor(Qt::darkGray));
    }

    void repaintOnlyWhatChanged()
    {
        AnalyseJoueur w;
        w.affiche();
        QVERIFY(QTest::qWaitForWindowExposed(&w));
        ZB_AnalyseJoueurGraph* page = w.getGraph(1);
        QVERIFY(page->isVisible());
        CompteurPeintures compteur;
        ZB_AnalyseJoueurGraphProb* cible = page->getGraphProb(2, 9);
        ZB_AnalyseJoueurGraphProb* voisine = page->getGraphProb(2, 10);
        compteur.surveille(cible);
        compteur.surveille(voisine);
        laisseTourner(50);
        compteur.remetAZero();

        // The value it already has: nothing to repaint.
        w.setProbabilite(1, 2, 9, 1.0f, 0);
        w.reinitialiseProbabilites(1, 2);
        laisseTourner(50);
        QCOMPARE(compteur.total(), 0);

        w.setProbabilite(1, 2, 9, 0.25f, 0);
        laisseTourner(50);
        QCOMPARE(valeurBarre(w, 1, 2, 9, 0), 0.25f);
        QVERIFY(compteur.peintures(cible) >= 1);
        QCOMPARE(compteur.peintures(voisine), 0);
        compteur.remetAZero();

        // Reset and set back before the update, as the card-location model
        // publishes: the bar shows what it showed, and is not repainted.
        w.reinitialiseProbabilites(1, 2);
        w.setProbabilite(1, 2, 9, 0.25f, 0);
        laisseTourner(50);
        QCOMPARE(valeurBarre(w, 1, 2, 9, 0), 0.25f);
        QCOMPARE(compteur.total(), 0);

        // Out of range and NaN are ignored.
        const float nan = std::numeric_limits<float>::quiet_NaN();
        w.setProbabilite(0, 2, 9, 0.5f, 0);
        w.setProbabilite(5, 2, 9, 0.5f, 0);
        w.setProbabilite(1, -1, 9, 0.5f, 0);
        w.setProbabilite(1, 4, 9, 0.5f, 0);
        w.setProbabilite(1, 2, 5, 0.5f, 0);
        w.setProbabilite(1, 2, 15, 0.5f, 0);
        w.setProbabilite(1, 2, 9, 0.5f, -1);
        w.setProbabilite(1, 2, 9, 0.5f, 3);
        w.setProbabilite(1, 2, 9, nan, 0);
        w.reinitialiseProbabilites(0, 0);
        w.reinitialiseProbabilites(1, 4);
        laisseTourner(50);
        QCOMPARE(valeurBarre(w, 1, 2, 9, 0), 0.25f);
        QCOMPARE(compteur.total(), 0);

        // Bar values are taken while hidden too.
        w.cache();
        w.setProbabilite(3, 1, 14, 0.0f, 2);
        w.reinitialiseProbabilites(1, 2);
        laisseTourner();
        QCOMPARE(valeurBarre(w, 3, 1, 14, 2), 0.0f);
        QCOMPARE(valeurBarre(w, 1, 2, 9, 0), 1.0f);
    }

    void labels()
    {
        AnalyseJoueur w;
        w.setTextes({QStringLiteral("Nord"), QStringLiteral("<b>Est</b>"), QStringLiteral("Sud"),
                     QStringLiteral("Ouest"), QStringLiteral("en trop")},
                    1);
        laisseTourner();
        const auto nom = [&w] { return w.findChild<QLabel*>(QStringLiteral("labelPlayerName"))->text(); };
        QCOMPARE(nom(), QStringLiteral("<b>Est</b>"));
        for (int couleur = 1; couleur <= 4; ++couleur) {
            QCOMPARE(w.getGraph(couleur)->getLabel(0)->text(), QStringLiteral("Nord"));
            QCOMPARE(w.getGraph(couleur)->getLabel(1)->textFormat(), Qt::PlainText);
            QCOMPARE(w.getGraph(couleur)->getLabel(3)->text(), QStringLiteral("Ouest"));
        }
        // Too few texts: the missing seats get empty labels.
        w.setTextes({QStringLiteral("Seul")}, 2);
        laisseTourner();
        QCOMPARE(nom(), QString());
        QCOMPARE(w.getGraph(4)->getLabel(0)->text(), QStringLiteral("Seul"));
        QCOMPARE(w.getGraph(4)->getLabel(1)->text(), QString());

        w.setTitre(QStringLiteral("Analyse 'Nord'"));
        QCOMPARE(w.windowTitle(), QStringLiteral("Analyse 'Nord'"));
    }

    void cardLocationModelPublishes()
    {
        AnalyseJoueur w;
        std::unique_ptr<AI_ProbaSimplifiee> modele(w.creeProbabilites(OptionsAI()));
        QVERIFY(modele);
        QCOMPARE(modele->getAnalyse(), static_cast<ZB_AnalyseJoueurA*>(&w));
        laisseTourner();
        // Nothing known yet, every seat may hold everything.
        for (int couleur = 1; couleur <= 4; ++couleur) {
            QCOMPARE(valeurBarre(w, couleur, 3, 14, 0), 0.5f);
            QCOMPARE(valeurBarre(w, couleur, 3, 14, 1), 0.5f);
            QCOMPARE(valeurBarre(w, couleur, 3, 14, 2), 0.0f);
        }
    }

    // A computer player reports from its worker thread while the GUI thread
    // runs its event loop; everything must arrive, in order, on the widgets.
    void workerThreadFeedsTheWindow()
    {
        AnalyseJoueur w;
        w.affiche();
        QVERIFY(QTest::qWaitForWindowExposed(&w));

        constexpr int nombreMessages = 300;
        constexpr int nombreNoeuds = 400;
        std::vector<std::unique_ptr<Carte>> cartes;
        EnsembleDeCartes main;
        for (int valeur = 6; valeur <= 14; ++valeur) {
            cartes.push_back(std::make_unique<Carte>(3, valeur));
            main.ajouteCarte(cartes.back().get());
        }

        std::atomic<bool> fini{false};
        std::thread travailleur([&] {
            std::unique_ptr<AI_ProbaSimplifiee> modele(w.creeProbabilites(OptionsAI()));
            w.setTitre(QStringLiteral("Analyse 'Robot'"));
            w.setTextes({QStringLiteral("A"), QStringLiteral("B"), QStringLiteral("C"), QStringLiteral("D")}, 1);
            w.effaceMessages();
            w.ajouteNoeudRacine(QStringLiteral("recherche"));
            std::vector<qint64> ids;
            for (int i = 0; i < nombreNoeuds || i < nombreMessages; ++i) {
                if (i < nombreMessages)
                    w.ajouteMessage(QStringLiteral("m%1").arg(i));
                if (i < nombreNoeuds) {
                    // A binary tree: node i under node (i - 1) / 2.
                    const qint64 parent = i == 0 ? 0 : ids[size_t((i - 1) / 2)];
                    ids.push_back(w.ajouteNoeud(parent, {QStringLiteral("n%1").arg(i)}));
                    if (i % 10 == 0)
                        w.ajouteTexteNoeud(ids.back(), QStringLiteral("*"));
                }
                w.setProbabilite(4, i % 4, 6 + i % 9, float(i % 5) / 4.0f, i % 3);
                if (i % 50 == 0)
                    modele->cartesRecues(1, main);
                if (i % 7 == 0)
                    std::this_thread::yield();
            }
            // Last word on a few bars.
            for (int valeur = 6; valeur <= 14; ++valeur)
                w.setProbabilite(4, 0, valeur, float(valeur - 6) / 8.0f, 1);
            fini.store(true);
        });

        QDeadlineTimer limite(30000);
        while (!fini.load() && !limite.hasExpired())
            QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
        travailleur.join();
        QVERIFY2(fini.load(), "the worker did not finish in time");
        laisseTourner();

        QCOMPARE(w.windowTitle(), QStringLiteral("Analyse 'Robot'"));
        QCOMPARE(w.findChild<QLabel*>(QStringLiteral("labelPlayerName"))->text(), QStringLiteral("B"));
        QCOMPARE(w.getGraph(2)->getLabel(3)->text(), QStringLiteral("D"));

        // With the clear flag set, the box shows the latest update's
        // messages: the tail of the sequence, in order, ending with the last.
        const QStringList lignes = boite(w)->toPlainText().split(QLatin1Char('\n'));
        QVERIFY(!lignes.isEmpty());
        QCOMPARE(lignes.last(), QStringLiteral("m%1").arg(nombreMessages - 1));
        const int premier = lignes.first().mid(1).toInt();
        for (int i = 0; i < lignes.size(); ++i)
            QCOMPARE(lignes.at(i), QStringLiteral("m%1").arg(premier + i));

        QTreeWidget* t = arbre(w);
        QCOMPARE(t->topLevelItemCount(), 1);
        QTreeWidgetItem* racine = t->topLevelItem(0);
        QCOMPARE(racine->text(0), QStringLiteral("recherche"));
        QCOMPARE(descendants(racine), nombreNoeuds);
        QCOMPARE(racine->childCount(), 1);
        QTreeWidgetItem* n0 = racine->child(0);
        QCOMPARE(n0->text(0), QStringLiteral("n0*"));
        QCOMPARE(n0->childCount(), 2);
        QCOMPARE(n0->child(0)->text(0), QStringLiteral("n1"));
        QCOMPARE(n0->child(1)->text(0), QStringLiteral("n2"));
        QCOMPARE(texteA(n0, {1, 1, 0}), QStringLiteral("n13"));
        QCOMPARE(texteA(n0, {1, 1}), QStringLiteral("n6"));
        QCOMPARE(texteA(n0, {1, 1, 1}), QStringLiteral("n14"));
        QCOMPARE(texteA(n0, {0, 1, 1}), QStringLiteral("n10*"));

        for (int valeur = 6; valeur <= 14; ++valeur) {
            QCOMPARE(valeurBarre(w, 4, 0, valeur, 1), float(valeur - 6) / 8.0f);
            // The model's last word: seat 1 holds the whole suit 3, which
            // as the player sees it no other seat holds.
            QCOMPARE(valeurBarre(w, 3, 1, valeur, 2), 1.0f);
            QCOMPARE(valeurBarre(w, 3, 0, valeur, 0), 0.0f);
            QCOMPARE(valeurBarre(w, 3, 2, valeur, 0), 0.0f);
            QCOMPARE(valeurBarre(w, 3, 1, valeur, 0), 0.5f);
            QCOMPARE(valeurBarre(w, 2, 1, valeur, 2), 0.0f);
        }

        // Hiding from a worker thread is carried over to the GUI thread.
        std::thread([&w] { w.cache(); }).join();
        QVERIFY(w.isVisible());
        laisseTourner();
        QVERIFY(!w.isVisible());
        std::thread([&w] { w.affiche(); }).join();
        laisseTourner();
        QVERIFY(w.isVisible());
    }

    // Several threads at once, against a GUI thread that also reports: no
    // report is lost and every bar ends with the value written last.
    void concurrentReporters()
    {
        AnalyseJoueur w;
        w.affiche();
        QVERIFY(QTest::qWaitForWindowExposed(&w));
        constexpr int nombreFils = 4;
        constexpr int parFil = 250;
        std::atomic<int> finis{0};
        std::vector<std::thread> fils;
        for (int f = 0; f < nombreFils; ++f) {
            fils.emplace_back([&w, &finis, f] {
                qint64 parent = 0;
                for (int i = 0; i < parFil; ++i) {
                    parent = w.ajouteNoeud(i % 25 == 0 ? 0 : parent, {QStringLiteral("f%1-%2").arg(f).arg(i)});
                    w.ajouteMessage(QStringLiteral("f%1-%2").arg(f).arg(i));
                    // Each thread owns the bars of its seat.
                    w.setProbabilite(1 + i % 4, f, 6 + i % 9, float(i) / parFil, i % 3);
                }
                finis.fetch_add(1);
            });
        }
        int i = 0;
        QDeadlineTimer limite(30000);
        while (finis.load() < nombreFils && !limite.hasExpired()) {
            w.setProbabilite(2, i % 4, 6 + i % 9, 0.5f, i % 3);
            ++i;
            QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
        }
        for (std::thread& fil : fils)
            fil.join();
        QCOMPARE(finis.load(), nombreFils);
        laisseTourner();

        QCOMPARE(descendants(arbre(w)->topLevelItem(0)), nombreFils * parFil);
        const QString texte = boite(w)->toPlainText();
        QCOMPARE(texte.count(QLatin1Char('\n')) + 1, nombreFils * parFil);
        // The last write to suit 1, seat f, rank 6 + 240 % 9, table 0 is i = 240.
        for (int f = 0; f < nombreFils; ++f)
            QCOMPARE(valeurBarre(w, 1, f, 6 + 240 % 9, 0), 240.0f / parFil);
    }

    // A picture of the window with a few bars set, for looking at; kept when
    // ZB_KEEP_TEST_PICTURES is set.
    void windowPicture()
    {
        AnalyseJoueur w;
        w.setTitre(QStringLiteral("Analyse 'Nord'"));
        w.resize(900, 420);
        w.affiche();
        QVERIFY(QTest::qWaitForWindowExposed(&w));
        w.setTextes({QStringLiteral("Nord"), QStringLiteral("Est"), QStringLiteral("Sud"), QStringLiteral("Ouest")},
                    0);
        for (int joueur = 0; joueur < 4; ++joueur) {
            w.reinitialiseProbabilites(1, joueur);
            for (int valeur = 6; valeur <= 14; ++valeur) {
                const float p = float((valeur + joueur) % 5) / 4.0f;
                w.setProbabilite(1, joueur, valeur, p, 0);
                w.setProbabilite(1, joueur, valeur, p * 0.5f, 1);
                w.setProbabilite(1, joueur, valeur, joueur == 0 && valeur > 11 ? 1.0f : 0.0f, 2);
            }
        }
        w.ajouteMessage(QStringLiteral("<b>Atout</b> : Trèfle"));
        w.ajouteMessage(QStringLiteral("Carte jouée : As de Coeur"));
        w.ajouteNoeudRacine(QStringLiteral("Simulation de 14_3"));
        const qint64 a = w.ajouteNoeud(0, {QStringLiteral("1_14 : 57")});
        w.ajouteNoeud(a, {QStringLiteral("2_6 : 12")});
        w.ajouteTexteNoeud(a, QStringLiteral(" (meilleure)"));
        laisseTourner(100);

        const QImage image = w.grab().toImage();
        QTemporaryDir dossier;
        dossier.setAutoRemove(!qEnvironmentVariableIsSet("ZB_KEEP_TEST_PICTURES"));
        QVERIFY(image.save(dossier.filePath(QStringLiteral("analyseJoueur.png"))));

        auto* journaux = w.findChild<QTabWidget*>(QStringLiteral("tabWidgetLogs"));
        journaux->setCurrentIndex(1);
        laisseTourner();
        QVERIFY(w.grab().save(dossier.filePath(QStringLiteral("analyseJoueurArbre.png"))));
        journaux->setCurrentIndex(0);
        if (!dossier.autoRemove())
            qInfo("pictures kept in %s", qPrintable(dossier.path()));

        // Seat 0's ace on the first page: full player view, half public
        // view, known.
        ZB_AnalyseJoueurGraphProb* barre = w.getGraph(1)->getGraphProb(0, 14);
        QCOMPARE(barre->getProbabilite(0), float((14 + 0) % 5) / 4.0f);
        const QPoint origine = barre->mapTo(&w, QPoint(0, 0));
        const double r = image.devicePixelRatio();
        const int tiers = barre->width() / 3;
        const auto at = [&](int x, int y) {
            return image.pixelColor(qRound((origine.x() + x) * r), qRound((origine.y() + y) * r));
        };
        QCOMPARE(at(tiers / 2, 1), QColor(Qt::gray));
        QCOMPARE(at(tiers / 2, barre->height() - 1), QColor(Qt::gray));
        QCOMPARE(at(tiers + tiers / 2, 1), QColor(Qt::darkGray));
        QCOMPARE(at(2 * tiers + tiers / 2, barre->height() - 1), QColor(Qt::green));
    }
};

ZB_REGISTER_TEST(TestAnalyseJoueur)
#include "TestAnalyseJoueur.moc"
