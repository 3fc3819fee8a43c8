#include "ExecuteurTemoin.h"
#include "EvenementDeJeu.h"
#include "Evenements.h"
#include "ListeDesEvenements.h"
#include "ServerView.h"
#include "ZbTestRegistry.h"

#include <QPushButton>
#include <QTest>
#include <QTextEdit>

class TestServerViewWindows : public QObject
{
    Q_OBJECT

private slots:
    // Without a server the view shows a stopped server and offers nothing.
    void vueSansServeur()
    {
        ServerView vue(nullptr, nullptr, nullptr);
        vue.resize(420, 320);
        vue.cb_log(QStringLiteral("WARNING"), QStringLiteral("ZB_MultiServer DoS protection banned '10.0.0.7' 6[s]"));
        vue.show();
        QVERIFY(!vue.getBoutonDemarrer()->isEnabled());
        QVERIFY(!vue.getBoutonArreter()->isEnabled());
        QCOMPARE(vue.getJournal().size(), 1);
        const QString png = QDir::temp().filePath(QStringLiteral("zubrik_serverview.png"));
        QVERIFY(vue.grab().save(png));
    }

    // The event window shows the list's own documents and lets the list go
    // first.
    void fenetreEvenements()
    {
        ExecuteurTemoin executeur;
        executeur.fixeDelai = false;
        auto liste = std::make_unique<ListeDesEvenements>(&executeur, 0);
        Evenements fenetre(nullptr, liste.get(), 6);
        QCOMPARE(fenetre.geometry().topLeft(), QPoint(Evenements::Largeur, Evenements::Hauteur));
        EvenementDeJeu ev(EvenementDeJeu::Mes, QStringLiteral("bonjour"), 0, EtatDeJeu::HorsDeroulement, 2, 5, 0, -1,
                          0, ZB_ICI);
        liste->lock();
        liste->execute_unlocked(-1, ev, false);
        liste->unlock();
        QVERIFY(fenetre.getVueExecutes()->toPlainText().startsWith(QStringLiteral("12")));
        fenetre.show();
        QVERIFY(fenetre.grab().save(QDir::temp().filePath(QStringLiteral("zubrik_evenements.png"))));
        liste.reset();
        QVERIFY(fenetre.getVueExecutes()->toPlainText().isEmpty());
    }
};

ZB_REGISTER_TEST(TestServerViewWindows)
#include "TestServerViewWindows.moc"
