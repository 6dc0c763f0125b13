// The unlock challenge: opening it from the time box, the task, the digit filter, the
// countdown, both verdicts, the attempts of the run and closing it early.
#include <QAbstractButton>
#include <QApplication>
#include <QCheckBox>
#include <QCoreApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QTest>
#include <QTimer>
#include <QWindow>

#include "app/services.h"
#include "app/windows.h"
#include "gauge/fillgauge.h"
#include "options/optionswindow.h"
#include "options/unlockwindow.h"
#include "tests/support/fakes.h"
#include "tests/support/input.h"
#include "tests/support/testmain.h"

using namespace karv;
using namespace karv::test;

namespace {

// What the challenge window showed when its verdict came up.
struct Seen {
    QString digit, typed;
    float value = -1;
    bool ticking = true;
};

// Records every dialog like the shared fake and also what the challenge showed at that moment.
class WatchingDialogs : public RecordingDialogs {
public:
    QList<Seen> seen;
    void message(QWidget *owner, MessageIcon icon, const QString &title, const QString &text) override
    {
        if (QWidget *u = topLevel(QStringLiteral("frm_Unlock")))
            seen.append({u->findChild<QLabel *>(QStringLiteral("lbl_Time0"))->text(),
                         u->findChild<QLineEdit *>(QStringLiteral("txt"))->text(),
                         u->findChild<QWidget *>(QStringLiteral("prb1"))->property("Value").toFloat(),
                         u->findChild<QTimer *>(QStringLiteral("tmr1"))->isActive()});
        RecordingDialogs::message(owner, icon, title, text);
    }
};

// The generator value that Int(r × 900 + 100) turns into n.
double drawing(int n) { return (n - 100 + 0.5) / 900.0; }

const QString captionLeft = QStringLiteral("Вопросы на время (попыток отключить опцию: %1)");

} // namespace

class UnlockTest : public QObject {
    Q_OBJECT
    Fakes f{};
    WatchingDialogs *dialogs = nullptr;

    OptionsWindow *options() { return qobject_cast<OptionsWindow *>(topLevel(QStringLiteral("frm_options"))); }
    QCheckBox *timeBox() { return options()->findChild<QCheckBox *>(QStringLiteral("chk_time")); }
    QWidget *unlock() { return topLevel(QStringLiteral("frm_Unlock")); }
    template <class T = QWidget> T *part(const char *name) { return unlock()->findChild<T *>(QLatin1String(name)); }
    float barValue() { return part("prb1")->property("Value").toFloat(); }

    void openOptions()
    {
        QVERIFY(Main());
        topLevel(QStringLiteral("frm_start"))->findChild<QAbstractButton *>(QStringLiteral("cmd_options"))->click();
        QVERIFY(options()->isVisible());
    }
    // Unchecks the time box and presses "Вперед!!!" with the generator scripted to give the addends.
    void startTask(int first, int second)
    {
        timeBox()->click();
        QVERIFY(unlock() && unlock()->isVisible());
        f.random->values = {drawing(first), drawing(second)};
        part<QAbstractButton>("cmd_GO")->click();
        QCOMPARE(unlock()->property("first").toInt(), first);
        QCOMPARE(unlock()->property("second").toInt(), second);
    }
    void runOut()
    {
        for (int i = 0; i < 75; ++i) {
            QVERIFY(unlock());
            fire(unlock(), "tmr1");
        }
        QVERIFY(!unlock());
    }
    void takeChallenge(const QString &answer)
    {
        startTask(300, 366);
        QTest::keyClicks(part("txt"), answer);
        runOut();
    }

private slots:
    void init()
    {
        f = installFakes();
        auto d = std::make_unique<WatchingDialogs>();
        dialogs = d.get();
        f.dialogs = d.get();
        install(std::move(d));
    }
    void cleanup() { QuitGame(); }

    void uncheckingTheTimeBoxOpensTheChallengeOnlyWhenUnguarded()
    {
        openOptions();
        options()->checkTime = 1;
        timeBox()->setChecked(false);
        QVERIFY(!unlock() || !unlock()->isVisible());
        QVERIFY(options()->isEnabled());
        QCOMPARE(options()->time, 1);

        options()->checkTime = 0;
        timeBox()->setChecked(true);
        const int seeds = f.random->seeds;
        timeBox()->click();
        QVERIFY(unlock() && unlock()->isVisible());
        QCOMPARE(f.random->seeds, seeds + 1);
        QVERIFY(!options()->isEnabled());
        QVERIFY(!timeBox()->isChecked());
        QCOMPARE(options()->time, 1);
        QCOMPARE(unlock()->windowTitle(), QStringLiteral("Отмена опции \"Вопросы на время\""));
        QCOMPARE(part<QAbstractButton>("cmd_GO")->text(), QStringLiteral("Вперед!!!"));
        QVERIFY(part("cmd_GO")->isVisible());
        QCOMPARE(part<QLabel>("lbl_Time0")->text(), QStringLiteral("3"));
        for (const char *name : {"lbl_Time0", "txt", "prb1"})
            QVERIFY2(!part(name)->isVisible(), name);
        QVERIFY(part<QLineEdit>("txt")->text().isEmpty());
        QCOMPARE(part<QTimer>("tmr1")->interval(), 35);
        QVERIFY(!part<QTimer>("tmr1")->isActive());
    }

    void theBarIsLoadedFromItsStoredSettings()
    {
        openOptions();
        timeBox()->click();
        auto *bar = part<gaugekit::Fillgauge>("prb1");
        QVERIFY(bar);
        QCOMPARE(bar->geometry(), QRect(25, 168, 465, 17));
        QCOMPARE(bar->Min(), 0.0f);
        QCOMPARE(bar->Max(), 300.0f);
        QCOMPARE(bar->Style(), gaugekit::Fillgauge::FGGProgressStyleConstants::fggSmooth);
        QCOMPARE(bar->Appearance(), gaugekit::Fillgauge::FGGAppearanceConstants::fgg3D);
        QCOMPARE(bar->BorderStyle(), gaugekit::Fillgauge::FGGBorderStyleConstants::fggFixedSingle);
        QCOMPARE(bar->FloodColor(), 0u);
        QCOMPARE(bar->ForeColor(), 0x8000000Eu);
        QCOMPARE(bar->Caption(), QString());
        QCOMPARE(bar->Orientation(), gaugekit::Fillgauge::FGGOrientationConstants::fggOrientationHorizontal);
        QVERIFY(bar->Enabled());
        QCOMPARE(bar->Font().family(), QStringLiteral("MS Sans Serif"));
        QCOMPARE(bar->Font().pointSizeF(), 8.25);
    }

    void theAddendsAreDistinctThreeDigitNumbers_data()
    {
        QTest::addColumn<QList<double>>("draws");
        QTest::addColumn<int>("first");
        QTest::addColumn<int>("second");
        QTest::addColumn<int>("used");
        QTest::newRow("lowest and highest") << QList<double>{0.0, 0.9999999} << 100 << 999 << 2;
        QTest::newRow("equal twice, then different") << QList<double>{drawing(500), drawing(500), drawing(500), drawing(166)}
                                                     << 500 << 166 << 4;
    }
    void theAddendsAreDistinctThreeDigitNumbers()
    {
        QFETCH(QList<double>, draws);
        QFETCH(int, first);
        QFETCH(int, second);
        QFETCH(int, used);
        test::ScriptedRandom r;
        r.values.assign(draws.begin(), draws.end());
        r.values.push_back(0.5);
        QCOMPARE(unlock::drawTask(r), std::make_pair(first, second));
        QCOMPARE(int(draws.size() + 1 - r.values.size()), used);
    }

    void aStuckGeneratorStillGivesTwoDifferentAddends()
    {
        test::ScriptedRandom r; // serves its fallback for ever
        r.fallback = drawing(999);
        const auto [first, second] = unlock::drawTask(r);
        QCOMPARE(first, 999);
        QVERIFY(second != first);
        QVERIFY(second >= 100 && second <= 999);
    }

    void theCountdownShowsTheSecondsLeft()
    {
        openOptions();
        startTask(417, 265);
        QCOMPARE(part<QLabel>("lbl1")->text(), QStringLiteral("417 + 265"));
        QVERIFY(!part("cmd_GO")->isVisible());
        for (const char *name : {"lbl_Time0", "txt", "prb1"})
            QVERIFY2(part(name)->isVisible(), name);
        QVERIFY(part<QTimer>("tmr1")->isActive());
        QCOMPARE(barValue(), 300.0f);
        QCOMPARE(part<QLabel>("lbl_Time0")->text(), QStringLiteral("3"));

        const struct {
            int ticks;
            const char *digit;
        } marks[] = {{1, "3"}, {24, "3"}, {25, "2"}, {49, "2"}, {50, "1"}, {74, "1"}};
        int done = 0;
        for (const auto &m : marks) {
            for (; done < m.ticks; ++done)
                fire(unlock(), "tmr1");
            QCOMPARE(barValue(), 300.0f - 4 * m.ticks);
            QCOMPARE(part<QLabel>("lbl_Time0")->text(), QLatin1String(m.digit));
            QVERIFY(part<QTimer>("tmr1")->isActive());
        }
        fire(unlock(), "tmr1");
        // The verdict came at the seventy-fifth tick, with the bar empty, "0" shown and the clock stopped.
        QCOMPARE(dialogs->seen.size(), 1);
        QCOMPARE(dialogs->seen[0].digit, QStringLiteral("0"));
        QCOMPARE(dialogs->seen[0].value, 0.0f);
        QCOMPARE(dialogs->seen[0].typed, QStringLiteral("0"));
        QVERIFY(!dialogs->seen[0].ticking);
        QVERIFY(!unlock());
    }

    void theRightSumSwitchesTheLimitOff()
    {
        openOptions();
        QCOMPARE(timeBox()->text(), QStringLiteral("Вопросы на время (попыток изменить опцию: 3)"));
        takeChallenge(QStringLiteral("0666"));
        QCOMPARE(dialogs->calls.size(), 1);
        QCOMPARE(dialogs->calls[0].icon, MessageIcon::Exclamation);
        QCOMPARE(dialogs->calls[0].title, QStringLiteral("Готово!"));
        QCOMPARE(dialogs->calls[0].text, QStringLiteral("Опция времени выключена"));
        QCOMPARE(options()->time, 0);
        QCOMPARE(options()->try_, 0);
        QVERIFY(!timeBox()->isChecked());
        QVERIFY(timeBox()->isEnabled());
        QCOMPARE(timeBox()->text(), captionLeft.arg(3));
        QVERIFY(options()->isEnabled());
    }

    void aWrongOrMissingSumFailsShowingTheAnswerAsTyped_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("shown");
        QTest::addColumn<QString>("difference");
        QTest::newRow("too high, leading zero") << "0700" << "0700" << "34";
        QTest::newRow("too low") << "600" << "600" << "66";
        QTest::newRow("nothing typed") << "" << "0" << "666";
        QTest::newRow("digits dropped") << "66" << "66" << "600";
    }
    void aWrongOrMissingSumFailsShowingTheAnswerAsTyped()
    {
        QFETCH(QString, typed);
        QFETCH(QString, shown);
        QFETCH(QString, difference);
        openOptions();
        takeChallenge(typed);
        QCOMPARE(dialogs->calls.size(), 1);
        QCOMPARE(dialogs->calls[0].icon, MessageIcon::Information);
        QCOMPARE(dialogs->calls[0].title, QStringLiteral("Опция не выключена"));
        QCOMPARE(dialogs->calls[0].text, QStringLiteral("Вы не справились с заданием.\r\nВерный ответ: 300 + 366 = 666,\r\n"
                                                        "а ваш результат равен ") +
                                             shown + QStringLiteral(".\r\nРазница: ") + difference);
        QCOMPARE(options()->try_, 1);
        QCOMPARE(options()->time, 1);
        QVERIFY(timeBox()->isChecked());
        QVERIFY(timeBox()->isEnabled());
        QCOMPARE(timeBox()->text(), captionLeft.arg(2));
        QVERIFY(options()->isEnabled());
    }

    void threeFailuresLockTheTimeBoxForTheRun()
    {
        openOptions();
        for (int i = 1; i <= 3; ++i) {
            QVERIFY(timeBox()->isEnabled());
            takeChallenge(QStringLiteral("1"));
            QCOMPARE(options()->try_, i);
            QCOMPARE(timeBox()->text(), captionLeft.arg(3 - i));
        }
        QVERIFY(timeBox()->isChecked());
        QVERIFY(!timeBox()->isEnabled());
        QCOMPARE(options()->time, 1);
        QVERIFY(options()->isEnabled());
    }

    void aSuccessAfterTwoFailuresGivesBackAllAttempts()
    {
        openOptions();
        takeChallenge(QStringLiteral("1"));
        takeChallenge(QStringLiteral("665"));
        QCOMPARE(timeBox()->text(), captionLeft.arg(1));
        takeChallenge(QStringLiteral("666"));
        QCOMPARE(options()->try_, 0);
        QCOMPARE(options()->time, 0);
        QCOMPARE(timeBox()->text(), captionLeft.arg(3));
        QVERIFY(!timeBox()->isChecked());
        QVERIFY(timeBox()->isEnabled());
    }

    void theAnswerBoxTakesDigitsOnly()
    {
        openOptions();
        startTask(300, 366);
        auto *txt = part<QLineEdit>("txt");
        QTest::keyClicks(txt, QStringLiteral("6x6"));
        QKeyEvent cyrillic(QEvent::KeyPress, Qt::Key_unknown, Qt::NoModifier, QStringLiteral("ж"));
        QCoreApplication::sendEvent(txt, &cyrillic);
        QCOMPARE(txt->text(), QStringLiteral("66"));
        QCOMPARE(f.desktop->count(QStringLiteral("beep")), 2);
        for (Qt::Key key : {Qt::Key_Backspace, Qt::Key_Return, Qt::Key_Enter, Qt::Key_Space, Qt::Key_Escape})
            QTest::keyClick(txt, key);
        QCOMPARE(txt->text(), QStringLiteral("66"));
        QCOMPARE(f.desktop->count(QStringLiteral("beep")), 7);
        QVERIFY(dialogs->calls.isEmpty()); // Enter does not hand the answer in
        // Keys without a character still edit the box, silently.
        QTest::keyClick(txt, Qt::Key_Left);
        QKeyEvent del(QEvent::KeyPress, Qt::Key_Delete, Qt::NoModifier, QStringLiteral("\x7f")); // as X11 sends it
        QCoreApplication::sendEvent(txt, &del);
        QCOMPARE(txt->text(), QStringLiteral("6"));
        QTest::keyClicks(txt, QStringLiteral("66"));
        QCOMPARE(txt->text(), QStringLiteral("666"));
        QCOMPARE(f.desktop->count(QStringLiteral("beep")), 7);
        runOut();
        QCOMPARE(dialogs->calls.back().title, QStringLiteral("Готово!"));
    }

    // The player types the sum at once: the task takes the keyboard to the answer box, however
    // "Вперед!!!" was pressed, and the digits typed go into it.
    void theAnswerBoxHasTheKeysAsSoonAsTheTaskIsShown_data()
    {
        QTest::addColumn<QString>("how");
        QTest::newRow("mouse") << QStringLiteral("mouse");
        QTest::newRow("Space") << QStringLiteral("Space");
        QTest::newRow("Enter") << QStringLiteral("Enter");
    }
    void theAnswerBoxHasTheKeysAsSoonAsTheTaskIsShown()
    {
        QFETCH(QString, how);
        openOptions();
        timeBox()->click();
        unlock()->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(unlock()));
        QWidget *go = part("cmd_GO");
        f.random->values = {drawing(300), drawing(366)};
        fromEventLoop([&] {
            if (how == QLatin1String("mouse")) {
                QTest::mouseClick(go, Qt::LeftButton);
                return;
            }
            go->setFocus();
            QTest::keyClick(unlock()->windowHandle(), how == QLatin1String("Space") ? Qt::Key_Space : Qt::Key_Return);
        });
        QVERIFY(part("txt")->isVisible());
        QCOMPARE(unlock()->focusWidget(), part("txt"));
        QCOMPARE(QApplication::focusWidget(), part("txt"));
        // Keys as the window system delivers them: to whatever has the focus.
        for (char digit : {'6', '6', '6'})
            QTest::keyClick(unlock()->windowHandle(), digit);
        QCOMPARE(part<QLineEdit>("txt")->text(), QStringLiteral("666"));
        runOut();
        QCOMPARE(dialogs->calls.back().title, QStringLiteral("Готово!"));
    }

    void closingBeforeTheTaskLeavesEverythingAsItWas()
    {
        openOptions();
        timeBox()->click();
        QVERIFY(unlock()->close());
        QVERIFY(dialogs->calls.isEmpty());
        QVERIFY(timeBox()->isChecked());
        QCOMPARE(options()->time, 1);
        QCOMPARE(options()->try_, 0);
        QCOMPARE(timeBox()->text(), QStringLiteral("Вопросы на время (попыток изменить опцию: 3)"));
        QVERIFY(options()->isEnabled());
        QCoreApplication::processEvents();
        QVERIFY(!unlock());
    }

    void closingDuringTheTaskCountsAsAFailedAttempt()
    {
        openOptions();
        startTask(300, 366);
        QTest::keyClicks(part("txt"), QStringLiteral("66"));
        fire(unlock(), "tmr1");
        QVERIFY(unlock()->close());
        QCOMPARE(dialogs->calls.size(), 1);
        QCOMPARE(dialogs->calls[0].title, QStringLiteral("Опция не выключена"));
        QVERIFY(dialogs->calls[0].text.endsWith(QStringLiteral("а ваш результат равен 66.\r\nРазница: 600")));
        QCOMPARE(options()->try_, 1);
        QCOMPARE(options()->time, 1);
        QVERIFY(timeBox()->isChecked());
        QCOMPARE(timeBox()->text(), captionLeft.arg(2));
        QVERIFY(options()->isEnabled());
        QVERIFY(!unlock()->isVisible());
        QVERIFY(!part<QTimer>("tmr1")->isActive());

        // Opened again before the closed one is gone: the challenge starts from the beginning.
        timeBox()->click();
        QVERIFY(unlock()->isVisible());
        QVERIFY(part("cmd_GO")->isVisible());
        QCOMPARE(part<QLabel>("lbl1")->text(),
                 QStringLiteral("Чтобы отменить время на раздумье, надо быстро сложить два трехзначных числа!"));
        QCoreApplication::processEvents();
        QVERIFY(unlock() && unlock()->isVisible()); // the new one is not unloaded by the old close
    }

    void theOptionsWindowStaysWhileTheChallengeRuns()
    {
        openOptions();
        timeBox()->click();
        options()->close();
        QVERIFY(options()->isVisible());
        QVERIFY(!topLevel(QStringLiteral("frm_start"))->isEnabled());
    }
};

KARV_TEST(UnlockTest)
#include "test_unlock.moc"
