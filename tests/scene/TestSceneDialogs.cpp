#include "DisplayGLSceneDialog.h"
#include "DisplayGLSceneDialogButton.h"
#include "GM_WidgetAuto.h"
#include "TableDeScene.h"
#include "ZbTestRegistry.h"

#include <QGraphicsSceneMouseEvent>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSequentialAnimationGroup>
#include <QTest>

using namespace scenetest;

namespace {

// Two dialog classes, as the main window's dialogs are built.
class DialogueA : public GM_WidgetAuto
{
public:
    explicit DialogueA(QWidget* parent = nullptr)
        : GM_WidgetAuto(parent)
    {
    }
};

class DialogueB : public GM_WidgetAuto
{
public:
    DialogueB(QWidget* parent, int valeur)
        : GM_WidgetAuto(parent)
        , valeur(valeur)
    {
    }
    int valeur;
};

void finit(DisplayGLSceneDialog* panneau)
{
    QSequentialAnimationGroup* groupe = panneau->animation();
    if (groupe->state() == QAbstractAnimation::Running)
        groupe->setCurrentTime(groupe->totalDuration());
}

} // namespace

class TestSceneDialogs : public QObject
{
    Q_OBJECT

private slots:
    void dialogsAreAddedOnceAndFollowTheLayout()
    {
        TableDeScene t;
        t.scene->setSceneRect(QRectF(0, 0, 1000, 600));
        DialogueA* a = t.scene->addDialog<DialogueA>(0.5, 0, 1, nullptr);
        DialogueB* b = t.scene->addDialog<DialogueB>(0.6, 1, 0, nullptr, 7);
        QVERIFY(a && b);
        QCOMPARE(b->valeur, 7);
        QCOMPARE(t.scene->dialogues().size(), 2);
        QVERIFY(!t.scene->dialogues()[0]->isVisible());
        QCOMPARE(t.scene->dialogues()[0]->zValue(), 0.5);
        QCOMPARE(t.scene->dialogues()[0]->cacheMode(), QGraphicsItem::DeviceCoordinateCache);
        QCOMPARE(a->geometry(), QRect(90, 101, 820, 394));
        QVERIFY(!a->testAttribute(Qt::WA_ContentsMarginsRespectsSafeArea));

        // The same class again, or the same widget again: nothing new.
        QCOMPARE(t.scene->addDialog<DialogueA>(0.9, 1, 0, nullptr), a);
        QCOMPARE(t.scene->ajouteDialogue(b, 0.9, 0, 1), t.scene->dialogues()[1]);
        QCOMPARE(t.scene->dialogues().size(), 2);
        QCOMPARE(t.scene->dialogues()[0]->zValue(), 0.5);
        QVERIFY(t.scene->ajouteDialogue(nullptr, 0.1, 0, 0) == nullptr);

        t.scene->setSceneRect(QRectF(0, 0, 800, 500));
        QCOMPARE(a->geometry(), QRect(72, 84, 656, 328));

        // Closing the open dialogs.
        t.scene->dialogues()[0]->show();
        QVERIFY(t.scene->fermeDialogues());
        QVERIFY(!t.scene->dialogues()[0]->isVisible());
        QVERIFY(!t.scene->fermeDialogues());
    }

    // A window of the right strip stays inside the window, in its inset too,
    // once the wide layout shows the strip.
    void stripWindowStaysInsideTheWindow()
    {
        TableDeScene t;
        t.scene->setSceneRect(QRectF(0, 0, 1000, 600));
        DialogueA* a = t.scene->addDialog<DialogueA>(0.5, 1, 1, nullptr);
        QVERIFY(a);
        t.scene->setDisposition(true);
        t.scene->setSceneRect(QRectF(0, 0, 1800, 600));
        QTRY_VERIFY(a->geometry().left() >= 1000 && a->geometry().right() < 1800);
        QCoreApplication::processEvents();
        QVERIFY2(a->geometry().right() < 1800, qPrintable(QStringLiteral("%1..%2").arg(a->geometry().left()).arg(a->geometry().right())));
    }

    void panelSlidesOpenAndClosed()
    {
        TableDeScene t;
        DisplayGLSceneDialog* reglages = t.scene->dialogueReglages();
        const QRectF ouvert = reglages->expandedRect();
        const QRectF ferme = reglages->collapsedRect();
        QCOMPARE(ferme, DisplayGLSceneDialog::rectangleReplie(ouvert, reglages->boutonOnglet()->sizeHint(), 1, 1.0));
        QCOMPARE(ferme.right(), ouvert.right());
        QCOMPARE(reglages->boutonOnglet()->sizeHint(), QSize(64, 78));

        // Hidden: the look switches at once.
        QVERIFY(!reglages->isVisible());
        reglages->expand();
        QVERIFY(reglages->isOpen());
        QCOMPARE(reglages->isExpanded(), 1);
        QVERIFY(reglages->animation()->state() != QAbstractAnimation::Running);
        QCOMPARE(reglages->geometry(), ouvert);
        reglages->collapse();
        QCOMPARE(reglages->isExpanded(), 0);
        QCOMPARE(reglages->geometry(), ferme);

        // Shown: it slides.
        reglages->show();
        reglages->expand();
        QCOMPARE(reglages->animation()->state(), QAbstractAnimation::Running);
        finit(reglages);
        QCOMPARE(reglages->isExpanded(), 1);
        QCOMPARE(reglages->geometry(), ouvert);
        QVERIFY(reglages->boutonFermer()->isVisibleTo(reglages->widget()));
        QVERIFY(!reglages->boutonOnglet()->isVisibleTo(reglages->widget()));
        reglages->collapse();
        QCOMPARE(reglages->animation()->state(), QAbstractAnimation::Running);
        finit(reglages);
        QCOMPARE(reglages->isExpanded(), 0);
        QCOMPARE(reglages->geometry(), ferme);

        // A reset closes it.
        reglages->expand();
        finit(reglages);
        t.scene->stopAnimationsAndCloseDialogs();
        QVERIFY(!reglages->isOpen());
    }

    void clickOnAPanelStaysOnThePanel()
    {
        TableDeScene t;
        DisplayGLSceneDialog* chat = t.scene->dialogueChat();
        chat->show();
        chat->expand();
        finit(chat);
        QGraphicsSceneMouseEvent appui(QEvent::GraphicsSceneMousePress);
        appui.setButton(Qt::LeftButton);
        appui.setButtons(Qt::LeftButton);
        appui.setScenePos(chat->geometry().center());
        appui.setPos(chat->mapFromScene(chat->geometry().center()));
        appui.ignore();
        QCoreApplication::sendEvent(t.scene, &appui);
        QVERIFY(appui.isAccepted());
        QCOMPARE(t.scene->mouseGrabberItem(), chat);
    }

    void chatTextOpensTheChatPanel()
    {
        TableDeScene t;
        DisplayGLSceneDialog* chat = t.scene->dialogueChat();
        QVERIFY(!chat->isOpen());
        t.scene->journalChat()->appendPlainText(QStringLiteral("<b>Salut</b>"));
        QVERIFY(chat->isOpen());
        QCOMPARE(t.scene->journalChat()->toPlainText(), QStringLiteral("<b>Salut</b>"));
    }
};

ZB_REGISTER_TEST(TestSceneDialogs)
#include "TestSceneDialogs.moc"
