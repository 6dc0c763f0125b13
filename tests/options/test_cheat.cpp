// The hidden cheat-code entry: the hot spot, both codes in both spellings and their effects.
#include <QAbstractButton>
#include <QAction>
#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QTest>
#include <QTimer>

#include "app/services.h"
#include "game/gamewindow.h"
#include "options/cheatcodes.h"
#include "tests/support/fakes.h"
#include "tests/support/testmain.h"

using namespace karv;
using namespace karv::test;

class CheatTest : public QObject {
    Q_OBJECT
    Fakes f{};
    GameWindow *game = nullptr;

    void startGame()
    {
        game = startNewGame();
        QVERIFY(game);
    }
    QWidget *hotSpot() { return game->findChild<QWidget *>(QStringLiteral("lbl_cheat")); }
    QWidget *entry() { return topLevel(QStringLiteral("frm_cheat")); }
    void summon() { QTest::mouseClick(hotSpot(), Qt::LeftButton, Qt::ShiftModifier | Qt::ControlModifier); }
    void type(const QString &code)
    {
        auto *text = entry()->findChild<QLineEdit *>(QStringLiteral("txt_cheat"));
        text->setText(code);
        QTest::keyClick(text, Qt::Key_Return);
    }

private slots:
    void init()
    {
        f = installFakes();
        f.dialogs->inputAnswers.push_back(QStringLiteral("Игрок"));
    }
    void cleanup() { QuitGame(); }

    void theRussianLayoutSpellingComesFromTheKeys()
    {
        QCOMPARE(russianLayoutSpelling(QLatin1String(revealCode)), QStringLiteral("ЩЗУТ ЕРУ ЫУСКУЕ ВЩЩК ТЩЦ"));
        QCOMPARE(russianLayoutSpelling(QLatin1String(killLimitCode)), QStringLiteral("ДУЕ ЕРУ СДЩСЛЫ ЫДУУЗ ТЩЦ"));
    }

    void codesAreRecognisedInAnyCaseAndLayout_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<int>("code");
        QTest::newRow("upper") << "OPEN THE SECRET DOOR NOW" << int(CheatCode::RevealAnswer);
        QTest::newRow("lower") << "open the secret door now" << int(CheatCode::RevealAnswer);
        QTest::newRow("mixed") << "Let The cLOCKS Sleep Now" << int(CheatCode::KillLimit);
        QTest::newRow("russian layout") << "щзут еру ыускуе вщщк тщц" << int(CheatCode::RevealAnswer);
        QTest::newRow("russian layout, mixed") << "Дуе ЕРУ сдщслы ыдуУЗ тщц" << int(CheatCode::KillLimit);
        QTest::newRow("extra space") << "OPEN THE  SECRET DOOR NOW" << int(CheatCode::None);
        QTest::newRow("missing space") << "OPEN THE SECRETDOOR NOW" << int(CheatCode::None);
        QTest::newRow("trailing space") << "OPEN THE SECRET DOOR NOW " << int(CheatCode::None);
        QTest::newRow("unknown") << "IDDQD" << int(CheatCode::None);
        QTest::newRow("empty") << "" << int(CheatCode::None);
    }
    void codesAreRecognisedInAnyCaseAndLayout()
    {
        QFETCH(QString, typed);
        QFETCH(int, code);
        QCOMPARE(int(recogniseCheat(typed)), code);
    }

    void onlyShiftCtrlWithTheLeftButtonOpensTheEntry_data()
    {
        QTest::addColumn<int>("button");
        QTest::addColumn<int>("mods");
        QTest::addColumn<bool>("opens");
        QTest::newRow("shift+ctrl left") << int(Qt::LeftButton) << int(Qt::ShiftModifier | Qt::ControlModifier) << true;
        QTest::newRow("ctrl only") << int(Qt::LeftButton) << int(Qt::ControlModifier) << false;
        QTest::newRow("shift only") << int(Qt::LeftButton) << int(Qt::ShiftModifier) << false;
        QTest::newRow("shift+ctrl+alt") << int(Qt::LeftButton)
                                        << int(Qt::ShiftModifier | Qt::ControlModifier | Qt::AltModifier) << false;
        QTest::newRow("right button") << int(Qt::RightButton) << int(Qt::ShiftModifier | Qt::ControlModifier) << false;
    }
    void onlyShiftCtrlWithTheLeftButtonOpensTheEntry()
    {
        QFETCH(int, button);
        QFETCH(int, mods);
        QFETCH(bool, opens);
        startGame();
        QTest::mouseClick(hotSpot(), Qt::MouseButton(button), Qt::KeyboardModifiers(mods));
        QCOMPARE(entry() != nullptr && entry()->isVisible(), opens);
        QCOMPARE(game->isEnabled(), !opens);
        if (opens) {
            QVERIFY(entry()->findChild<QTimer *>(QStringLiteral("tmr_clear"))->isActive());
            QCOMPARE(entry()->findChild<QTimer *>(QStringLiteral("tmr_clear"))->interval(), 5);
            QCOMPARE(f.desktop->count(QStringLiteral("clearClipboard")), 1);
        }
    }

    void theRevealCodeShowsTheRightAnswer()
    {
        startGame();
        summon();
        type(QStringLiteral("open the secret door now"));
        QCOMPARE(f.dialogs->calls.back().title, QStringLiteral("Ах ты, читер!"));
        const char *names[4] = {"lbl_A", "lbl_B", "lbl_C", "lbl_D"};
        QCOMPARE(f.dialogs->calls.back().text, game->findChild<QLabel *>(QLatin1String(names[game->rt - 1]))->text());
        QVERIFY(!entry()->isVisible());
        QVERIFY(game->isEnabled());
        QCOMPARE(game->c, 0); // nothing is chosen
        QVERIFY(!entry()->findChild<QTimer *>(QStringLiteral("tmr_clear"))->isActive());
        QCOMPARE(f.desktop->count(QStringLiteral("clearClipboard")), 2);
    }

    void theKillLimitCodeStopsTheClockForTheRun()
    {
        startGame();
        QWidget *options = topLevel(QStringLiteral("frm_options"));
        auto *box = options->findChild<QCheckBox *>(QStringLiteral("chk_time"));
        box->setEnabled(false);
        options->setProperty("try_", 3);
        summon();
        fire(entry(), "tmr_clear");
        QCOMPARE(f.desktop->count(QStringLiteral("clearClipboard")), 2);
        type(QStringLiteral("ДУЕ ЕРУ СДЩСЛЫ ЫДУУЗ ТЩЦ"));
        QCOMPARE(f.dialogs->calls.back().text, QStringLiteral("Твое счастье!\r\nYou have killed the limit"));
        QVERIFY(!game->findChild<QTimer *>(QStringLiteral("tmr_time"))->isActive());
        for (const char *name : {"lbl_Time", "lbl_YouHave", "lbl_Sek", "PrB_Time"})
            QVERIFY2(!game->findChild<QWidget *>(QLatin1String(name))->isVisible(), name);
        QVERIFY(!game->findChild<QAction *>(QStringLiteral("mnu_prb"))->isEnabled());
        QCOMPARE(options->property("time").toInt(), 0);
        QCOMPARE(options->property("try_").toInt(), 0);
        QCOMPARE(options->property("checkTime").toInt(), 0);
        QVERIFY(!box->isChecked());
        QVERIFY(box->isEnabled());
        QCOMPARE(box->text(), QStringLiteral("Вопросы на время (попыток изменить опцию: 3)"));
        QVERIFY(!topLevel(QStringLiteral("frm_Unlock")) || !topLevel(QStringLiteral("frm_Unlock"))->isVisible());
    }

    void anUnknownCodeIsIgnored()
    {
        startGame();
        summon();
        const auto before = f.dialogs->calls.size();
        type(QStringLiteral("LET THE CLOCKS SLEEP  NOW"));
        QCOMPARE(f.dialogs->calls.size(), before);
        QVERIFY(game->findChild<QTimer *>(QStringLiteral("tmr_time"))->isActive());
        QVERIFY(game->isEnabled());
    }
};

KARV_TEST(CheatTest)
#include "test_cheat.moc"
