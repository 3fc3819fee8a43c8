#include "AI_Joueur.h"
#include "Carte.h"
#include "DisplayGLHumanCarte.h"
#include "GL_ObjectCube.h"
#include "TableDeScene.h"
#include "ZB_DeckJass.h"
#include "ZB_StatusMise.h"
#include "ZbTestRegistry.h"

#include <QDir>
#include <QTest>

#include <array>
#include <memory>

using namespace scenetest;

namespace {

// The pictures are kept for a person to look at: in ZB_TABLE_PNG_DIR, or
// /tmp/zubrik-table.
void garde(const QImage& image, const QString& nom)
{
    QString dossier = qEnvironmentVariable("ZB_TABLE_PNG_DIR");
    if (dossier.isEmpty())
        dossier = QDir::tempPath() + QStringLiteral("/zubrik-table");
    if (QDir().mkpath(dossier))
        image.save(dossier + QLatin1Char('/') + nom);
}

Reglages tablePourImages(bool belote)
{
    Reglages r;
    r.automatique = false;
    r.belote = belote;
    r.options.quality_ = 1;
    r.options.cardStyle_ = 2;
    r.options.appStyle_ = 0;
    r.taille = QSize(960, 640);
    return r;
}

// Four computer players dealt from a deck, nine cards each (seat j the
// cards 4i + j, so that every hand holds every suit).
struct Donne
{
    Donne()
    {
        for (int j = 0; j < 4; ++j) {
            joueurs[static_cast<size_t>(j)] = std::make_unique<AI_Joueur>();
            // The user at the bottom, computers elsewhere.
            joueurs[static_cast<size_t>(j)]->options_.nom_ = QStringList{"", "Léa", "Marc", "Zoé"}[j];
            joueurs[static_cast<size_t>(j)]->options_.ordinateur_ = j != 0;
            for (int i = 0; i < 9; ++i)
                joueurs[static_cast<size_t>(j)]->main_.ajouteCarte(deck.getCarteParIndex(4 * i + j));
        }
    }
    Joueur* operator[](int j) const { return joueurs[static_cast<size_t>(j)].get(); }
    void distribue(DisplayGLScene& s, Carte* retournee)
    {
        s.setModeVue(1);
        s.setNoJoueurLocal(0);
        s.createGLObjects();
        for (int j = 0; j < 4; ++j)
            s.setJoueur(j, (*this)[j]);
        if (retournee)
            s.afficheCartesDistribuees(retournee);
        s.nouvelleDonne(9, 1000, 0);
        s.redessineCartes(0);
    }
    ZB_DeckJass deck;
    std::array<std::unique_ptr<AI_Joueur>, 4> joueurs;
};

bool estTapis(const QColor& c)
{
    // The wood theme's cloth is green.
    return c.green() > c.red() + 20 && c.green() > c.blue() + 20;
}

// A card face around the point: mostly paper or pips, neither the green
// cloth nor the blue of a back.
bool estFaceDeCarte(const QImage& image, const QPoint& centre)
{
    int blancs = 0;
    int total = 0;
    for (int y = centre.y() - 10; y <= centre.y() + 10; ++y)
        for (int x = centre.x() - 10; x <= centre.x() + 10; ++x) {
            if (!image.valid(x, y))
                continue;
            const QColor c = image.pixelColor(x, y);
            const bool dos = c.blue() > c.red() + 40;
            blancs += !estTapis(c) && !dos && (c.red() > 150 || c.green() > 150 || c.red() + c.green() + c.blue() < 150);
            ++total;
        }
    return total > 0 && blancs * 2 > total;
}

} // namespace

class TestSceneTablePictures : public QObject
{
    Q_OBJECT

private slots:
    void dealtJassTable()
    {
        TableDeScene t(tablePourImages(false));
        DisplayGLScene& s = *t.scene;
        Donne d;
        d.distribue(s, nullptr);
        const QImage image = t.image();
        garde(image, QStringLiteral("jass-dealt.png"));
        // The bottom hand's cards are faces, the cloth is in the middle.
        const DisplayGLHumanCarte* carte = s.jeuDeCartes().getCarte(d[0]->main_.getCarte(16)->getIndex());
        QVERIFY(carte->isVisible());
        const QRectF r = carte->sceneBoundingRect();
        QVERIFY(estFaceDeCarte(image, r.center().toPoint()));
        // A back on the top seat's side: no face there.
        QVERIFY(!estFaceDeCarte(image, QPoint(int(s.zoneTable().center().x()), int(s.zoneTable().height() * 0.06))));
    }

    void trickWithABubble()
    {
        TableDeScene t(tablePourImages(false));
        DisplayGLScene& s = *t.scene;
        Donne d;
        d.distribue(s, nullptr);
        ZB_StatusMise mise;
        mise.miseFaite_ = false;
        mise.typeContrat_ = ZB_StatusMise::Simple;
        s.afficheBulleMise(2, mise, 0);
        for (int j = 1; j < 4; ++j) {
            Carte* carte = d[j]->main_.getCarte(4 * 2 + j);
            s.afficheCarteJouee(j, carte);
            d[j]->main_.retireCarte(carte);
        }
        const QImage image = t.image();
        garde(image, QStringLiteral("jass-trick-bubble.png"));
        QVERIFY(!image.isNull());
    }

    void beloteDealWithTheTurnedCard()
    {
        TableDeScene t(tablePourImages(true));
        DisplayGLScene& s = *t.scene;
        Donne d;
        d.distribue(s, d.deck.getCarteParIndex(3 + 4 * 8));
        const QImage image = t.image();
        garde(image, QStringLiteral("belote-turned-card.png"));
        QVERIFY(s.carteRetournee() && s.carteRetournee()->isShown());
        QCOMPARE(s.carteRetournee()->getFace(), int(GL_ObjectCube::Front));
        // Its face in the middle of the cloth.
        QVERIFY(estFaceDeCarte(image, s.zoneTable().center().toPoint()));
        // The cloth shows between the turned card and the bottom hand.
        const QRectF zone = s.zoneTable();
        QVERIFY(estTapis(image.pixelColor(QPointF(zone.center().x() - zone.width() * 0.1, zone.center().y() + zone.height() * 0.1).toPoint())));
    }
};

ZB_REGISTER_TEST(TestSceneTablePictures)
#include "TestSceneTablePictures.moc"
