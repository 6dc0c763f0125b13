// The radio button: its eight marks, the window-wide group and the leave watch.
#include <QCursor>
#include <QFrame>
#include <QLabel>
#include <QMouseEvent>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>

#include "controls/radiobutton.h"
#include "tests/support/testmain.h"

using namespace karv;

namespace {

void mouse(QWidget *w, QEvent::Type type, QPoint pos, Qt::MouseButton button, Qt::MouseButtons held)
{
    QMouseEvent e(type, pos, w->mapToGlobal(pos), button, held, Qt::NoModifier);
    QApplication::sendEvent(w, &e);
}

QTimer *timer1(RadioButton *b)
{
    return b->findChild<QTimer *>(QStringLiteral("Timer1"));
}

QColor captionColour(RadioButton *b)
{
    return b->findChild<QLabel *>(QStringLiteral("lbl"))->palette().color(QPalette::WindowText);
}

} // namespace

class RadioButtonTest : public QObject {
    Q_OBJECT
    std::unique_ptr<QWidget> window;
    QList<RadioButton *> opts; // opt_1 .. opt_4: two in one frame, one in another, one on the window

    RadioButton *place(const QString &name, QWidget *parent, int top)
    {
        auto *b = new RadioButton(name, parent);
        b->setGeometry(10, top, 150, 17);
        return b;
    }

private slots:
    void init()
    {
        window = std::make_unique<QWidget>();
        window->resize(400, 200);
        auto *frame1 = new QFrame(window.get());
        frame1->setGeometry(0, 0, 200, 60);
        auto *frame2 = new QFrame(window.get());
        frame2->setGeometry(200, 0, 200, 60);
        opts = {place(QStringLiteral("opt_1"), frame1, 5), place(QStringLiteral("opt_2"), frame1, 30),
                place(QStringLiteral("opt_3"), frame2, 5), place(QStringLiteral("opt_4"), window.get(), 100)};
        window->show();
        QVERIFY(QTest::qWaitForWindowExposed(window.get()));
        QCursor::setPos(window->mapToGlobal(QPoint(300, 180))); // away from every button
    }
    void cleanup() { window.reset(); }

    void aNewButtonIsUncheckedCaptionedWithItsNameAndLaidOut()
    {
        RadioButton *b = opts[3];
        QCOMPARE(b->property("Caption").toString(), QStringLiteral("opt_4"));
        QCOMPARE(b->text(), QStringLiteral("opt_4"));
        QCOMPARE(b->property("Value").toBool(), false);
        QCOMPARE(b->glyph(), 0);
        QCOMPARE(b->findChild<QWidget *>(QStringLiteral("p"))->geometry(), QRect(0, 0, 16, 16));
        const QLabel *lbl = b->findChild<QLabel *>(QStringLiteral("lbl"));
        QCOMPARE(lbl->x(), 32);
        b->resize(150, 40);
        QCOMPARE(b->findChild<QWidget *>(QStringLiteral("p"))->y(), 12);
        QCOMPARE(lbl->y(), (40 - lbl->height()) / 2);
    }

    void theWatchRunsFromCreationAndStopsAfterOneMouseOut()
    {
        RadioButton b(QStringLiteral("opt_x"), nullptr);
        QSignalSpy out(&b, &RadioButton::MouseOut);
        QVERIFY(timer1(&b)->isActive());
        QCOMPARE(timer1(&b)->interval(), 10);
        QMetaObject::invokeMethod(timer1(&b), "timeout");
        QCOMPARE(out.count(), 1);
        QVERIFY(!timer1(&b)->isActive());
    }

    void aClickChecksItAndUnchecksEveryOtherButtonOfTheWindow()
    {
        RadioButton elsewhere(QStringLiteral("opt_other"), nullptr); // another window's group
        elsewhere.setValue(true);
        opts[0]->setValue(true);
        opts[3]->setValue(true);
        QSignalSpy click(opts[2], &RadioButton::Click);
        QTest::mouseClick(opts[2], Qt::LeftButton, Qt::NoModifier, QPoint(5, 8));
        QCOMPARE(click.count(), 1);
        QList<bool> values;
        for (RadioButton *b : opts)
            values << b->value();
        QCOMPARE(values, (QList<bool>{false, false, true, false}));
        QVERIFY(elsewhere.value());
        QCOMPARE(opts[2]->glyph(), 4);
    }

    void aClickOnTheCaptionCountsAsAClickOnTheButton()
    {
        QTest::mouseClick(opts[1], Qt::LeftButton, Qt::NoModifier, QPoint(40, 8));
        QVERIFY(opts[1]->value());
    }

    void clickingACheckedButtonKeepsItCheckedAndRaisesClickAgain()
    {
        QSignalSpy click(opts[0], &RadioButton::Click);
        QTest::mouseClick(opts[0], Qt::LeftButton);
        QTest::mouseClick(opts[0], Qt::LeftButton);
        QCOMPARE(click.count(), 2);
        QVERIFY(opts[0]->value());
    }

    void settingValueFromCodeDoesNotClearTheOthers()
    {
        opts[0]->setValue(true);
        opts[2]->setProperty("Value", true);
        QVERIFY(opts[0]->value());
        QVERIFY(opts[2]->value());
    }

    void theMarkFollowsValuePointerAndEnabled_data()
    {
        QTest::addColumn<bool>("checked");
        QTest::addColumn<bool>("enabled");
        QTest::addColumn<int>("action"); // 0 none, 1 hover, 2 press, 3 drag with the left button
        QTest::addColumn<int>("glyph");
        for (bool checked : {false, true}) {
            const int base = checked ? 4 : 0;
            const char *c = checked ? "checked" : "unchecked";
            QTest::addRow("%s normal", c) << checked << true << 0 << base;
            QTest::addRow("%s hover", c) << checked << true << 1 << base + 1;
            QTest::addRow("%s pressed", c) << checked << true << 2 << base + 2;
            QTest::addRow("%s dragged", c) << checked << true << 3 << base + 2;
            QTest::addRow("%s disabled", c) << checked << false << 0 << base + 3;
            QTest::addRow("%s disabled under the pointer", c) << checked << false << 1 << base + 3;
            QTest::addRow("%s disabled pressed", c) << checked << false << 2 << base + 3;
        }
    }
    void theMarkFollowsValuePointerAndEnabled()
    {
        QFETCH(bool, checked);
        QFETCH(bool, enabled);
        QFETCH(int, action);
        QFETCH(int, glyph);
        RadioButton *b = opts[3];
        b->setValue(checked);
        b->setEnabled(enabled);
        const QPoint at(5, 8);
        if (action == 1)
            mouse(b, QEvent::MouseMove, at, Qt::NoButton, Qt::NoButton);
        else if (action == 2)
            mouse(b, QEvent::MouseButtonPress, at, Qt::LeftButton, Qt::LeftButton);
        else if (action == 3)
            mouse(b, QEvent::MouseMove, at, Qt::NoButton, Qt::LeftButton);
        QCOMPARE(b->glyph(), glyph);
    }

    void aDisabledButtonGreysItsCaption()
    {
        RadioButton *b = opts[3];
        b->setForeColor(QColor(192, 192, 255));
        b->setEnabled(false);
        QCOMPARE(captionColour(b), QColor(161, 161, 146));
        b->setEnabled(true);
        QCOMPARE(captionColour(b), QColor(192, 192, 255));
    }

    void aPressDraggedOffKeepsThePressedMarkUntilTheWatchTicks()
    {
        RadioButton *b = opts[3];
        QSignalSpy out(b, &RadioButton::MouseOut);
        QSignalSpy up(b, &RadioButton::MouseUp);
        mouse(b, QEvent::MouseButtonPress, QPoint(5, 8), Qt::LeftButton, Qt::LeftButton);
        mouse(b, QEvent::MouseMove, QPoint(5, 80), Qt::NoButton, Qt::LeftButton);
        QCOMPARE(b->glyph(), 2);
        QVERIFY(timer1(b)->isActive());
        mouse(b, QEvent::MouseButtonRelease, QPoint(5, 80), Qt::LeftButton, Qt::NoButton);
        QCOMPARE(up.count(), 1);
        QCOMPARE(b->glyph(), 2); // a release alone does not change the mark
        QMetaObject::invokeMethod(timer1(b), "timeout");
        QCOMPARE(out.count(), 1);
        QCOMPARE(b->glyph(), 0);
        QVERIFY(!b->value());
    }

    void keysAreReportedAndSpaceClicks()
    {
        RadioButton *b = opts[3];
        QSignalSpy down(b, &RadioButton::KeyDown);
        QSignalSpy press(b, &RadioButton::KeyPress);
        QSignalSpy up(b, &RadioButton::KeyUp);
        QTest::keyClick(b, Qt::Key_A);
        QCOMPARE(down.count(), 1);
        QCOMPARE(down.at(0).at(0).toInt(), int(Qt::Key_A));
        QCOMPARE(press.at(0).at(0).value<QChar>(), QLatin1Char('a'));
        QCOMPARE(up.count(), 1);
        QTest::keyClick(b, Qt::Key_Space);
        QVERIFY(b->value());
    }

    void savingLeavesOutDefaultsAndLoadingRestoresEverything()
    {
        RadioButton *b = opts[3];
        QVariantMap bag;
        b->saveProperties(bag);
        QVERIFY(bag.isEmpty());

        QFont bold = b->font();
        bold.setBold(true);
        b->setCaptionFont(bold);
        b->setValue(true);
        b->setCaption(QStringLiteral("Друг"));
        b->setEnabled(false);
        b->setBackColor(QColor(0, 0, 60));
        b->setForeColor(QColor(192, 192, 255));
        b->saveProperties(bag);
        QCOMPARE(bag.keys(), (QStringList{"BackColor", "Caption", "Enabled", "Font", "ForeColor", "Value"}));

        RadioButton copy(QStringLiteral("opt_4"), window.get());
        copy.loadProperties(bag);
        QVERIFY(copy.value());
        QCOMPARE(copy.caption(), QStringLiteral("Друг"));
        QVERIFY(!copy.enabledSetting());
        QVERIFY(copy.font().bold());
        QCOMPARE(copy.backColor(), QColor(0, 0, 60));
        QCOMPARE(copy.foreColor(), QColor(192, 192, 255));
        QCOMPARE(copy.glyph(), 7);
    }
};

KARV_TEST(RadioButtonTest)
#include "test_radiobutton.moc"
