// The caption-bar button: its pictures follow the pointer, its leave watch stops itself.
#include <QCursor>
#include <QMouseEvent>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>

#include "controls/topbuttons.h"
#include "tests/support/testmain.h"

using namespace karv;

namespace {

void mouse(QWidget *w, QEvent::Type type, QPoint pos, Qt::MouseButton button = Qt::NoButton,
           Qt::MouseButtons held = Qt::NoButton)
{
    QMouseEvent e(type, pos, w->mapToGlobal(pos), button, held, Qt::NoModifier);
    QApplication::sendEvent(w, &e);
}

void fire(QTimer *t)
{
    QMetaObject::invokeMethod(t, "timeout");
}

} // namespace

class TopButtonTest : public QObject {
    Q_OBJECT
    std::unique_ptr<QWidget> window;
    TopButton *button = nullptr;
    QTimer *timer1 = nullptr;

    enum Action { Hover, HoverOnEdge, Press, DragLeft, DragRight, PressRelease };

    QPoint away() const { return window->mapToGlobal(QPoint(150, 150)); }

private slots:
    void init()
    {
        window = std::make_unique<QWidget>();
        window->resize(200, 200);
        button = new TopButton(QStringLiteral("EXIT_GAME"), window.get());
        button->move(40, 40);
        timer1 = button->findChild<QTimer *>(QStringLiteral("Timer1"));
        window->show();
        QVERIFY(QTest::qWaitForWindowExposed(window.get()));
        QCursor::setPos(away());
    }
    void cleanup() { window.reset(); }

    void aNewButtonShowsTheNormalCloseCellAndKeepsItsSize()
    {
        QCOMPARE(button->kind(), 0);
        QCOMPARE(button->cell(), 0);
        QVERIFY(timer1);
        QCOMPARE(timer1->interval(), 10);
        button->resize(60, 40);
        QCOMPARE(button->size(), QSize(21, 21));
    }

    void theCellFollowsThePointer_data()
    {
        QTest::addColumn<int>("action");
        QTest::addColumn<int>("cell");
        QTest::newRow("hover") << int(Hover) << 1;
        QTest::newRow("hover on the right edge") << int(HoverOnEdge) << 1;
        QTest::newRow("pressed") << int(Press) << 2;
        QTest::newRow("dragged with the left button") << int(DragLeft) << 2;
        QTest::newRow("moved with the right button held") << int(DragRight) << 1;
        QTest::newRow("released") << int(PressRelease) << 0;
    }
    void theCellFollowsThePointer()
    {
        QFETCH(int, action);
        QFETCH(int, cell);
        const QPoint at(5, 5);
        switch (action) {
        case Hover: mouse(button, QEvent::MouseMove, at); break;
        case HoverOnEdge: mouse(button, QEvent::MouseMove, QPoint(21, 5)); break;
        case Press: mouse(button, QEvent::MouseButtonPress, at, Qt::LeftButton, Qt::LeftButton); break;
        case DragLeft: mouse(button, QEvent::MouseMove, at, Qt::NoButton, Qt::LeftButton); break;
        case DragRight: mouse(button, QEvent::MouseMove, at, Qt::NoButton, Qt::RightButton); break;
        case PressRelease:
            mouse(button, QEvent::MouseMove, at);
            mouse(button, QEvent::MouseButtonPress, at, Qt::LeftButton, Qt::LeftButton);
            mouse(button, QEvent::MouseButtonRelease, at, Qt::LeftButton, Qt::NoButton);
            break;
        }
        QCOMPARE(button->cell(), cell);
    }

    void aDisabledButtonShowsCellThreeAndTakesNoMouse()
    {
        QSignalSpy down(button, &TopButton::MouseDown);
        button->setEnabled(false);
        QCOMPARE(button->cell(), 3);
        QCOMPARE(button->property("Enabled").toBool(), false);
        mouse(button, QEvent::MouseMove, QPoint(5, 5));
        QTest::mouseClick(button, Qt::LeftButton);
        QCOMPARE(button->cell(), 3);
        QCOMPARE(down.count(), 0);
        button->setEnabled(true);
        QCOMPARE(button->cell(), 0);
    }

    void aDisabledWindowLeavesTheButtonsOwnLook()
    {
        window->setEnabled(false);
        QCOMPARE(button->cell(), 0);
        QVERIFY(button->property("Enabled").toBool());
    }

    void valueSevenIsStoredButThePictureKeepsItsKind()
    {
        QSignalSpy changed(button, &TopButton::propertyChanged);
        button->setValue(2);
        QCOMPARE(button->kind(), 2);
        button->setProperty("Value", 7);
        QCOMPARE(button->value(), 7);
        QCOMPARE(button->property("Value").toInt(), 7);
        QCOMPARE(button->kind(), 2);
        QCOMPARE(changed.count(), 2);
        button->setEnabled(false);
        button->setValue(3);
        QCOMPARE(button->kind(), 3);
        QCOMPARE(button->cell(), 3);
    }

    void theLeaveWatchRestoresCellZeroRaisesMouseOutOnceAndStops()
    {
        QSignalSpy out(button, &TopButton::MouseOut);
        mouse(button, QEvent::MouseMove, QPoint(5, 5));
        QCOMPARE(button->cell(), 1);
        QVERIFY(timer1->isActive());

        QCursor::setPos(button->mapToGlobal(QPoint(21, 21))); // the edges count as inside
        fire(timer1);
        QCOMPARE(out.count(), 0);
        QVERIFY(timer1->isActive());

        QCursor::setPos(button->mapToGlobal(QPoint(22, 5)));
        fire(timer1);
        QCOMPARE(out.count(), 1);
        QCOMPARE(button->cell(), 0);
        QVERIFY(!timer1->isActive());
    }

    void aPressDraggedOffKeepsThePressedCellUntilTheWatchTicks()
    {
        QSignalSpy out(button, &TopButton::MouseOut);
        QSignalSpy moved(button, &TopButton::MouseMove);
        QSignalSpy click(button, &TopButton::Click);
        mouse(button, QEvent::MouseButtonPress, QPoint(5, 5), Qt::LeftButton, Qt::LeftButton);
        mouse(button, QEvent::MouseMove, QPoint(60, 5), Qt::NoButton, Qt::LeftButton);
        QCOMPARE(button->cell(), 2);
        QCOMPARE(moved.count(), 0); // moves off the button are not reported
        fire(timer1);
        QCOMPARE(out.count(), 1);
        QCOMPARE(button->cell(), 0);
        mouse(button, QEvent::MouseButtonRelease, QPoint(60, 5), Qt::LeftButton, Qt::NoButton);
        QCOMPARE(click.count(), 0);
        QVERIFY(!timer1->isActive());
    }

    void aClickRaisesDownUpAndClickInThatOrder()
    {
        QStringList seen;
        connect(button, &TopButton::MouseDown, this, [&] { seen << QStringLiteral("down"); });
        connect(button, &TopButton::MouseUp, this, [&] { seen << QStringLiteral("up"); });
        connect(button, &TopButton::Click, this, [&] { seen << QStringLiteral("click"); });
        QTest::mouseClick(button, Qt::LeftButton, Qt::NoModifier, QPoint(10, 10));
        QCOMPARE(seen, (QStringList{QStringLiteral("down"), QStringLiteral("up"), QStringLiteral("click")}));
        QCOMPARE(button->cell(), 0);
    }

    void savingLeavesOutDefaultsAndLoadingAppliesTheKindOnShow()
    {
        QVariantMap bag;
        button->saveProperties(bag);
        QVERIFY(bag.isEmpty());

        button->setValue(3);
        button->setEnabled(false);
        button->saveProperties(bag);
        QCOMPARE(bag, (QVariantMap{{QStringLiteral("Value"), 3}, {QStringLiteral("Enabled"), false}}));

        TopButton loaded(QStringLiteral("RESIZE_FORM"), nullptr);
        loaded.loadProperties(bag);
        QCOMPARE(loaded.value(), 3);
        QCOMPARE(loaded.kind(), 0);
        QCOMPARE(loaded.cell(), 3);
        loaded.show();
        QCOMPARE(loaded.kind(), 3);
    }
};

KARV_TEST(TopButtonTest)
#include "test_topbuttons.moc"
