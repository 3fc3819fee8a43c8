#include "GM_FriendsList.h"
#include "GM_ServerPass.h"
#include "GM_TablesList.h"
#include "ZbTestRegistry.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QIcon>
#include <QImage>
#include <QRegularExpression>
#include <QTest>
#include <QToolBox>
#include <QTreeWidget>

// The pictures of the lobby's windows: a path that the resources lack shows
// as an empty space in a tree or on a page, without any error.

namespace {

// Every resource path written in the lobby windows' sources.
QStringList cheminsDesSources()
{
    static const QRegularExpression chemin(QStringLiteral("\"(:/[^\"]+)\""));
    QStringList chemins;
    QDirIterator fichiers(QStringLiteral(ZB_ONLINE_SOURCE_DIR), {QStringLiteral("*.cpp"), QStringLiteral("*.h")},
                          QDir::Files);
    while (fichiers.hasNext()) {
        QFile fichier(fichiers.next());
        if (!fichier.open(QIODevice::ReadOnly))
            continue;
        const QString texte = QString::fromUtf8(fichier.readAll());
        for (auto it = chemin.globalMatch(texte); it.hasNext();) {
            const QString trouve = it.next().captured(1);
            if (!chemins.contains(trouve))
                chemins << trouve;
        }
    }
    chemins.sort();
    return chemins;
}

// Drawn, not only present: some pixel of the small size is not transparent.
bool dessinee(const QIcon& icone)
{
    const QImage image = icone.pixmap(16, 16).toImage().convertToFormat(QImage::Format_ARGB32);
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (qAlpha(image.pixel(x, y)) > 0)
                return true;
    return false;
}

} // namespace

class TestLobbyIcons : public QObject
{
    Q_OBJECT

private slots:
    void cheminsDesFenetres_data()
    {
        QTest::addColumn<QString>("chemin");
        const QStringList chemins = cheminsDesSources();
        // The windows name at least the friends' statuses, their pages
        // and the servers' table.
        QVERIFY2(chemins.size() >= 8, qPrintable(chemins.join(QLatin1Char(' '))));
        for (const QString& chemin : chemins)
            QTest::newRow(qPrintable(chemin)) << chemin;
    }
    void cheminsDesFenetres()
    {
        QFETCH(QString, chemin);
        QVERIFY(QFile::exists(chemin));
        const QIcon icone(chemin);
        QVERIFY(!icone.isNull());
        QVERIFY(dessinee(icone));
    }

    // The rows and pages as the tabs fill them: every known friend status
    // has its picture (an unknown one has none), on both pages and in the
    // password dialog's teammates; every server row has the table.
    void iconesDesOnglets()
    {
        GM_FriendsList amis;
        amis.init(nullptr, nullptr, nullptr, nullptr);
        const QStringList liste{"1,101,Anna", "2,102,Ben", "3,103,Cleo", "4,104,Dora", "10,105,Emil",
                                "15,106,Fred", "16,107,Gina", "99,109,Ivan"};
        amis.OnFriendListReceived(&liste);
        QTreeWidget* gerer = amis.manageTree();
        QCOMPARE(gerer->topLevelItemCount(), liste.size());
        for (int i = 0; i < gerer->topLevelItemCount(); ++i) {
            const QTreeWidgetItem* ligne = gerer->topLevelItem(i);
            const bool connu = ligne->text(GM_FriendsList::ColId) != QLatin1String("109");
            QCOMPARE(dessinee(ligne->icon(GM_FriendsList::ColStatus)), connu);
        }
        QTreeWidget* jouer = amis.playTree();
        QVERIFY(jouer->topLevelItemCount() > 0);
        for (int i = 0; i < jouer->topLevelItemCount(); ++i)
            if (jouer->topLevelItem(i)->text(GM_FriendsList::ColId) != QLatin1String("109"))
                QVERIFY(dessinee(jouer->topLevelItem(i)->icon(GM_FriendsList::ColStatus)));
        for (int page = 0; page < amis.toolBox()->count(); ++page)
            QVERIFY2(dessinee(amis.toolBox()->itemIcon(page)), qPrintable(QString::number(page)));

        for (int statut : {10, 15, 16})
            QVERIFY(dessinee(QIcon(GM_ServerPass::statusIcon(statut))));

        GM_TablesList serveurs;
        serveurs.init(nullptr, nullptr, QStringLiteral("Jass Public"));
        const QStringList tables{"Jass Public,Yes,10.0.0.1,11", "Jass Privé,No,10.0.0.2,12"};
        serveurs.OnServerListReceived(1001, &tables);
        QCOMPARE(serveurs.serversTree()->topLevelItemCount(), tables.size());
        for (int i = 0; i < serveurs.serversTree()->topLevelItemCount(); ++i)
            QVERIFY(dessinee(serveurs.serversTree()->topLevelItem(i)->icon(GM_TablesList::ColName)));
    }
};

ZB_REGISTER_TEST(TestLobbyIcons)
#include "TestLobbyIcons.moc"
