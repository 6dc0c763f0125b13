// Balloon tool tips: the operations on the tip window and the tip shown over a tool.
#include <QCursor>
#include <QEnterEvent>
#include <QPointer>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>

#include "controls/balloontip.h"
#include "controls/tooltipex.h"
#include "tests/support/testmain.h"

using namespace karv;

namespace {

void enter(QWidget *tool)
{
    const QPoint at(10, 10);
    QEnterEvent e(at, at, tool->mapToGlobal(at));
    QApplication::sendEvent(tool, &e);
}

void leave(QWidget *tool)
{
    QEvent e(QEvent::Leave);
    QApplication::sendEvent(tool, &e);
}

QTimer *timer(ToolTipEx &tips, const char *name)
{
    return tips.tipWindow()->findChild<QTimer *>(QLatin1String(name));
}

} // namespace

class ToolTipExTest : public QObject {
    Q_OBJECT
    std::unique_ptr<QWidget> window;
    QPushButton *start = nullptr, *rules = nullptr, *other = nullptr;

    // As the main menu makes its tips.
    void createAsTheMainMenu(ToolTipEx &tips)
    {
        tips.CreateToolTip(window.get(), 64, 1, QStringLiteral("Карвелон"), 100, 500, 10000, -1, -1);
    }

private slots:
    void init()
    {
        window = std::make_unique<QWidget>();
        window->resize(400, 300);
        start = new QPushButton(QStringLiteral("Новая игра"), window.get());
        start->setGeometry(20, 20, 150, 30);
        rules = new QPushButton(QStringLiteral("Правила"), window.get());
        rules->setGeometry(20, 60, 150, 30);
        other = new QPushButton(QStringLiteral("Опции"), window.get());
        other->setGeometry(20, 100, 150, 30);
        for (QWidget *w : {start, rules, other})
            w->setMouseTracking(true); // as the game's buttons do
        window->show();
        QVERIFY(QTest::qWaitForWindowExposed(window.get()));
    }
    void cleanup() { window.reset(); }

    void withoutATipWindowEveryOperationDoesNothing()
    {
        ToolTipEx tips;
        tips.AddToolTip(start, QStringLiteral("tip"));
        tips.setMaxToolTipWidth(200);
        tips.setToolTipText(start, QStringLiteral("x"));
        tips.setBackColor(0x00FF00);
        tips.setDelayTime(ToolTipEx::InitialDelay, 100);
        QCOMPARE(tips.ToolTipCount(), 0);
        QCOMPARE(tips.MaxToolTipWidth(), 0);
        QVERIFY(!tips.RemoveToolTip(start));
        QVERIFY(tips.ToolTipText(start).isEmpty());
        QCOMPARE(tips.BackColor(), 0);
        QCOMPARE(tips.DelayTime(ToolTipEx::InitialDelay), 0);
        tips.DestroyToolTip();
        QVERIFY(!tips.tipWindow());
    }

    void theMainMenusSettingsAreKept()
    {
        ToolTipEx tips;
        createAsTheMainMenu(tips);
        BalloonTip *tip = tips.tipWindow();
        QVERIFY(tip->isBalloon());
        QCOMPARE(tip->title(), QStringLiteral("Карвелон"));
        QCOMPARE(tip->icon(), 1);
        QCOMPARE(tips.MaxToolTipWidth(), 100);
        QCOMPARE(tips.DelayTime(ToolTipEx::InitialDelay), 500);
        QCOMPARE(tips.DelayTime(ToolTipEx::DisplayDelay), 10000);
        QCOMPARE(tips.BackColor(), 0xE1FFFF); // the default: pale yellow
        QCOMPARE(tips.ForeColor(), 0);
    }

    void minusOneLeavesTheDefaults()
    {
        ToolTipEx tips;
        tips.CreateToolTip(window.get(), 0, 0, QString(), -1, -1, -1, -1, -1);
        QVERIFY(!tips.tipWindow()->isBalloon());
        QCOMPARE(tips.MaxToolTipWidth(), -1);
        QCOMPARE(tips.DelayTime(ToolTipEx::InitialDelay), 500);
        QCOMPARE(tips.DelayTime(ToolTipEx::DisplayDelay), 5000);
        tips.setDelayTime(ToolTipEx::AutomaticDelay, 300);
        QCOMPARE(tips.DelayTime(ToolTipEx::DisplayDelay), 3000);
        tips.setDelayTime(ToolTipEx::InitialDelay, -1);
        QCOMPARE(tips.DelayTime(ToolTipEx::InitialDelay), 500);
    }

    void theMaximumWidthReadsAsA16BitNumber_data()
    {
        QTest::addColumn<int>("set");
        QTest::addColumn<int>("read");
        QTest::newRow("a width") << 200 << 200;
        QTest::newRow("no limit") << -1 << -1;
        QTest::newRow("all low bits set") << 0xFFFF << -1;
        QTest::newRow("high bits dropped") << 0x10064 << 100;
    }
    void theMaximumWidthReadsAsA16BitNumber()
    {
        QFETCH(int, set);
        QFETCH(int, read);
        ToolTipEx tips;
        createAsTheMainMenu(tips);
        tips.setMaxToolTipWidth(set);
        QCOMPARE(tips.MaxToolTipWidth(), read);
    }

    void coloursAreNumbersInBlueGreenRedOrder()
    {
        ToolTipEx tips;
        tips.CreateToolTip(window.get(), 64, 0, QString(), -1, -1, -1, 0x336699, 0x000080);
        QCOMPARE(tips.tipWindow()->backColor(), QColor(0x99, 0x66, 0x33));
        QCOMPARE(tips.BackColor(), 0x336699);
        QCOMPARE(tips.tipWindow()->foreColor(), QColor(0x80, 0, 0));
        tips.setForeColor(0x00FF00);
        QCOMPARE(tips.ForeColor(), 0x00FF00);
    }

    void theCountFollowsAddAndRemove()
    {
        ToolTipEx tips;
        createAsTheMainMenu(tips);
        tips.AddToolTip(start, QStringLiteral("Начать новую игру"));
        tips.AddToolTip(rules, QStringLiteral("Правила"));
        QCOMPARE(tips.ToolTipCount(), 2);
        QVERIFY(tips.RemoveToolTip(start));
        QCOMPARE(tips.ToolTipCount(), 1);
        QVERIFY(!tips.RemoveToolTip(start));
        QCOMPARE(tips.ToolTipCount(), 1);
        QCOMPARE(tips.ToolTipText(rules), QStringLiteral("Правила"));
        delete rules; // a tool that goes away takes its tip with it
        rules = nullptr;
        QCOMPARE(tips.ToolTipCount(), 0);
    }

    void aWidgetWithoutAToolIsFoundByNothing()
    {
        ToolTipEx tips;
        createAsTheMainMenu(tips);
        tips.AddToolTip(start, QStringLiteral("Начать"));
        QVERIFY(!tips.RemoveToolTip(other));
        QVERIFY(!tips.RemoveToolTip(nullptr));
        QVERIFY(tips.ToolTipText(other).isEmpty());
        tips.setToolTipText(other, QStringLiteral("нет"));
        QCOMPARE(tips.ToolTipCount(), 1);
        QCOMPARE(tips.ToolTipText(start), QStringLiteral("Начать"));
        enter(other);
        QVERIFY(!timer(tips, "tmr_show")->isActive());
    }

    void aLongTextIsStoredWholeButReadsBackCutTo80Characters()
    {
        ToolTipEx tips;
        createAsTheMainMenu(tips);
        const QString text = QString(85, QChar(u'ж')) + QStringLiteral("12345678901234");
        tips.AddToolTip(start, text);
        QCOMPARE(tips.ToolTipText(start), text.left(80));
        QCOMPARE(tips.tipWindow()->tool(0).text, text);
        tips.setToolTipText(start, text + text);
        QCOMPARE(tips.tipWindow()->tool(0).text, text + text);
        QCOMPARE(tips.ToolTipText(start).size(), 80);
    }

    void aTipShowsAfterTheDelayAndHidesAfterTheDisplayTime()
    {
        ToolTipEx tips;
        createAsTheMainMenu(tips);
        tips.AddToolTip(start, QStringLiteral("Начать новую игру\r\n(и выиграть миллион)"));
        BalloonTip *tip = tips.tipWindow();
        QCursor::setPos(start->mapToGlobal(QPoint(10, 10)));
        enter(start);
        QCOMPARE(timer(tips, "tmr_show")->interval(), 500);
        QVERIFY(timer(tips, "tmr_show")->isActive());
        QVERIFY(!tip->isVisible());
        QMetaObject::invokeMethod(timer(tips, "tmr_show"), "timeout");
        QVERIFY(tip->isVisible());
        QCOMPARE(timer(tips, "tmr_hide")->interval(), 10000);
        QVERIFY(tip->textRect().width() <= 100);
        QVERIFY(tip->geometry().top() > start->mapToGlobal(QPoint(10, 10)).y()); // opens below the pointer
        QMetaObject::invokeMethod(timer(tips, "tmr_hide"), "timeout");
        QVERIFY(!tip->isVisible());
        // Resting on the same tool does not bring it back until the pointer has left.
        QMouseEvent move(QEvent::MouseMove, QPointF(12, 10), start->mapToGlobal(QPointF(12, 10)), Qt::NoButton,
                         Qt::NoButton, Qt::NoModifier);
        QApplication::sendEvent(start, &move);
        QVERIFY(!timer(tips, "tmr_show")->isActive());
    }

    void leavingTheToolHidesTheTip()
    {
        ToolTipEx tips;
        createAsTheMainMenu(tips);
        tips.AddToolTip(start, QStringLiteral("Начать"));
        enter(start);
        QMetaObject::invokeMethod(timer(tips, "tmr_show"), "timeout");
        QVERIFY(tips.tipWindow()->isVisible());
        leave(start);
        QVERIFY(!tips.tipWindow()->isVisible());
        QVERIFY(!timer(tips, "tmr_hide")->isActive());
        QVERIFY(!tips.tipWindow()->currentTool());
    }

    void lineBreaksStartNewLinesAndLongLinesWrapAtTheWidth()
    {
        ToolTipEx tips;
        tips.CreateToolTip(window.get(), 64, 0, QString(), -1, -1, -1, -1, -1);
        BalloonTip *tip = tips.tipWindow();
        const QFontMetrics fm(tip->font());
        tips.AddToolTip(start, QStringLiteral("Вы не хотите играть?\r\nЖаль."));
        tip->popUp(start, start->mapToGlobal(QPoint(5, 5)));
        QVERIFY(tip->textRect().height() >= 2 * fm.height());
        QVERIFY(tip->textRect().height() < 3 * fm.height());
        QVERIFY(qAbs(tip->textRect().width() - fm.horizontalAdvance(QStringLiteral("Вы не хотите играть?"))) <= 1);

        tips.setMaxToolTipWidth(100);
        QVERIFY(tip->textRect().height() >= 3 * fm.lineSpacing());
    }

    void aSecondCreateReplacesTheFirstWindow()
    {
        ToolTipEx tips;
        createAsTheMainMenu(tips);
        tips.AddToolTip(start, QStringLiteral("Начать"));
        QPointer<BalloonTip> first = tips.tipWindow();
        createAsTheMainMenu(tips);
        QVERIFY(!first);
        QCOMPARE(tips.ToolTipCount(), 0);
        enter(start); // the old tool shows nothing any more
        QVERIFY(!timer(tips, "tmr_show")->isActive());
    }
};

KARV_TEST(ToolTipExTest)
#include "test_tooltipex.moc"
