// Start-up, the main menu and the start of a new game, driven through the seams.
#include <QAbstractButton>
#include <QAction>
#include <QCheckBox>
#include <QLabel>
#include <QTest>
#include <QTimer>

#include "app/datafiles.h"
#include "app/services.h"
#include "app/windows.h"
#include "tests/support/fakes.h"
#include "tests/support/testmain.h"

using namespace karv;
using namespace karv::test;

class StartTest : public QObject {
    Q_OBJECT
    Fakes f{};

    QWidget *menu() { return topLevel(QStringLiteral("frm_start")); }
    QWidget *game() { return topLevel(QStringLiteral("frm_game")); }
    void clickButton(QWidget *w, const char *name)
    {
        auto *b = w->findChild<QAbstractButton *>(QLatin1String(name));
        QVERIFY(b);
        b->click();
    }

private slots:
    void init() { f = installFakes(); }
    void cleanup() { QuitGame(); }

    void aSecondCopyIsRefusedWithItsMessage()
    {
        f.desktop->otherCopy = true;
        QVERIFY(!Main());
        QCOMPARE(f.dialogs->calls.size(), 1);
        QCOMPARE(f.dialogs->calls[0].icon, MessageIcon::Critical);
        QCOMPARE(f.dialogs->calls[0].title, QStringLiteral("Повторный запуск"));
        QCOMPARE(f.dialogs->calls[0].text, QStringLiteral("Игра ''Карвелон'' уже запущена!"));
        QVERIFY(!menu());
    }

    void aSmallScreenIsRefused_data()
    {
        QTest::addColumn<QSize>("screen");
        QTest::addColumn<bool>("accepted");
        QTest::newRow("800 x 600") << QSize(800, 600) << true;
        QTest::newRow("1024 x 599") << QSize(1024, 599) << false;
        QTest::newRow("799 x 768") << QSize(799, 768) << false;
    }
    void aSmallScreenIsRefused()
    {
        QFETCH(QSize, screen);
        QFETCH(bool, accepted);
        f.desktop->screen = screen;
        QCOMPARE(Main(), accepted);
        QCOMPARE(menu() != nullptr && menu()->isVisible(), accepted);
        if (!accepted) {
            QCOMPARE(f.dialogs->calls.size(), 1);
            QCOMPARE(f.dialogs->calls[0].title, QStringLiteral("Неподходящее разрешение экрана!"));
            QCOMPARE(f.dialogs->calls[0].text,
                     QStringLiteral("Разрешение вашего экрана: %1x%2\r\n"
                                    "Для нормальной работы программы требуется как минимум 800х600\r\n"
                                    "Установите разрешение 800х600 (или выше) и запустите игру заново.")
                         .arg(screen.width())
                         .arg(screen.height()));
        }
    }

    void theMainMenuShowsItsFiveButtons()
    {
        QVERIFY(Main());
        const QStringList names = {"cmd_start", "cmd_rules", "cmd_options", "cmd_about", "cmd_exit"};
        const QStringList captions = {"Новая игра", "Правила", "Опции", "О программе", "Выход"};
        for (int i = 0; i < 5; ++i) {
            auto *b = menu()->findChild<QAbstractButton *>(names[i]);
            QVERIFY(b);
            QCOMPARE(b->text(), captions[i]);
            QCOMPARE(b->property("soundover").toString(), QStringLiteral("/opt/karv20/over.wav"));
            QCOMPARE(b->cursor().shape(), Qt::PointingHandCursor);
        }
    }

    void theNamePromptDecidesThePlayer_data()
    {
        QTest::addColumn<QString>("settings");
        QTest::addColumn<QString>("answer");
        QTest::addColumn<QString>("name");
        QTest::addColumn<bool>("asked");
        QTest::newRow("typed with blanks") << QString() << QStringLiteral("  Иван  ") << QStringLiteral("Иван") << true;
        QTest::newRow("only blanks") << QString() << QStringLiteral("   ") << QStringLiteral("Мистер X") << true;
        QTest::newRow("cancelled") << QString() << QString() << QStringLiteral("Мистер X") << true;
        QTest::newRow("prompt off") << QStringLiteral("11101") << QStringLiteral("Иван") << QStringLiteral("Мистер X")
                                    << false;
    }
    void theNamePromptDecidesThePlayer()
    {
        QFETCH(QString, settings);
        QFETCH(QString, answer);
        QFETCH(QString, name);
        QFETCH(bool, asked);
        writeDataFile(QStringLiteral("karv20n.inf"), QByteArray("\xcf\xe5\xf2\xff\r\n")); // "Петя"
        if (!settings.isEmpty())
            writeDataFile(QStringLiteral("karv20s.inf"), settings.toLatin1() + "\r\n");
        f.dialogs->inputAnswers.push_back(answer);
        QVERIFY(Main());
        clickButton(menu(), "cmd_start");
        QCOMPARE(menu()->property("nn").toString(), name);
        QCOMPARE(f.dialogs->calls.size(), asked ? 1 : 0);
        if (asked) {
            QCOMPARE(f.dialogs->calls[0].title, QStringLiteral("Начинаем игру!"));
            QCOMPARE(f.dialogs->calls[0].text, QStringLiteral("Представьтесь, пожалуйста:"));
            QCOMPARE(f.dialogs->calls[0].defaultText, QStringLiteral("Петя"));
        }
        QCOMPARE(datafiles::decodeLine(readDataFile(QStringLiteral("karv20n.inf")).chopped(2)), name);
        QVERIFY(readDataFile(QStringLiteral("karv20n.inf")).endsWith("\r\n"));
        QVERIFY(game()->isVisible());
        QVERIFY(!menu()->isVisible());
        QCOMPARE(game()->findChild<QLabel *>(QStringLiteral("lbl_player"))->text(), name);
        QCOMPARE(game()->findChild<QLabel *>(QStringLiteral("lbl_title"))->text(), name + " хочет стать карвелоном!");
    }

    // A name file without a name proposes the default name, like a missing one.
    void aNameFileWithoutANameProposesTheDefault_data()
    {
        QTest::addColumn<bool>("present");
        QTest::addColumn<QByteArray>("content");
        QTest::newRow("missing") << false << QByteArray();
        QTest::newRow("empty") << true << QByteArray();
        QTest::newRow("an empty line") << true << QByteArray("\r\n");
        QTest::newRow("blanks only") << true << QByteArray("   \r\n");
        QTest::newRow("an empty line, then a name") << true << QByteArray("\r\n\xcf\xe5\xf2\xff\r\n");
    }
    void aNameFileWithoutANameProposesTheDefault()
    {
        QFETCH(bool, present);
        QFETCH(QByteArray, content);
        if (present)
            writeDataFile(QStringLiteral("karv20n.inf"), content);
        QVERIFY(Main());
        clickButton(menu(), "cmd_start");
        QCOMPARE(f.dialogs->calls.size(), 1);
        QCOMPARE(f.dialogs->calls[0].defaultText, QStringLiteral("Мистер X"));
        QCOMPARE(menu()->property("nn").toString(), QStringLiteral("Мистер X")); // the prompt was cancelled
    }

    void theHiddenMenuGivesBackItsWindowUntilShownAgain()
    {
        f.dialogs->inputAnswers.push_back(QStringLiteral("Игрок"));
        QVERIFY(Main());
        QVERIFY(menu()->testAttribute(Qt::WA_WState_Created));
        clickButton(menu(), "cmd_start");
        QTRY_VERIFY(!menu()->testAttribute(Qt::WA_WState_Created));
        QCOMPARE(menu()->property("nn").toString(), QStringLiteral("Игрок"));
        // Shown again, it comes back whole, with its buttons.
        menu()->show();
        QVERIFY(menu()->isVisible());
        QVERIFY(menu()->windowHandle());
        QVERIFY(menu()->findChild<QAbstractButton *>(QStringLiteral("cmd_start"))->isVisible());
        // Minimising is not hiding: the window stays.
        menu()->showMinimized();
        QTest::qWait(20);
        QVERIFY(menu()->testAttribute(Qt::WA_WState_Created));
    }

    void aLongNameMovesToTheSecondLabel()
    {
        const QString longName(60, QChar(0x0416)); // Ж, the widest letter
        f.dialogs->inputAnswers.push_back(longName);
        QVERIFY(Main());
        clickButton(menu(), "cmd_start");
        QCOMPARE(game()->findChild<QLabel *>(QStringLiteral("lbl_player"))->text(), QString());
        QCOMPARE(game()->findChild<QLabel *>(QStringLiteral("lbl_player1"))->text(), longName);
        QCOMPARE(game()->findChild<QLabel *>(QStringLiteral("lbl_title"))->text(),
                 QStringLiteral("И откуда берутся такие длинные имена? :-)"));
    }

    void aNameOutsideTheOldCodePageComesBackAsTyped()
    {
        const QString name = QStringLiteral("Zoë 李 🙂");
        f.dialogs->inputAnswers.push_back(name);
        QVERIFY(Main());
        clickButton(menu(), "cmd_start");
        QCOMPARE(datafiles::readLine(QStringLiteral("karv20n.inf")).value_or(QString()), name);
    }

    void theSettingsLineSwitchesOffExactlyItsZeros_data()
    {
        QTest::addColumn<QByteArray>("line");
        QTest::addColumn<QString>("flags"); // time, cursor, cTime, player, tik
        QTest::newRow("single zero") << QByteArray("0") << QStringLiteral("00000");
        QTest::newRow("one zero") << QByteArray("10") << QStringLiteral("10000");
        QTest::newRow("six ones and a zero") << QByteArray("1111110") << QStringLiteral("11110");
        QTest::newRow("empty line") << QByteArray("") << QStringLiteral("11111");
        QTest::newRow("zero one") << QByteArray("01") << QStringLiteral("01111");
        QTest::newRow("garbage") << QByteArray("x\xff?") << QStringLiteral("11111");
    }
    void theSettingsLineSwitchesOffExactlyItsZeros()
    {
        QFETCH(QByteArray, line);
        QFETCH(QString, flags);
        writeDataFile(QStringLiteral("karv20s.inf"), line + "\r\n");
        QVERIFY(Main());
        QWidget *options = topLevel(QStringLiteral("frm_options"));
        QVERIFY(options);
        QVERIFY(!options->isVisible());
        const char *props[5] = {"time", "cursor_", "cTime", "player", "tik"};
        const char *boxes[5] = {"chk_time", "chk_mouse", "chk_ctime", "chk_player", "chk_beep"};
        for (int i = 0; i < 5; ++i) {
            const bool on = flags[i] == QLatin1Char('1');
            QCOMPARE(options->property(props[i]).toInt(), on ? 1 : 0);
            QCOMPARE(options->findChild<QCheckBox *>(QLatin1String(boxes[i]))->isChecked(), on);
        }
        QCOMPARE(options->property("checkTime").toInt(), 0);
        // The cursor setting reaches the windows at once.
        QCOMPARE(menu()->cursor().shape() == Qt::BitmapCursor, flags[1] == QLatin1Char('1'));
    }

    void theTimeSettingDecidesTheClockDisplays()
    {
        writeDataFile(QStringLiteral("karv20s.inf"), "01110\r\n");
        QVERIFY(Main());
        clickButton(menu(), "cmd_start");
        for (const char *name : {"PrB_Time", "lbl_YouHave", "lbl_Time", "lbl_Sek"})
            QVERIFY2(!game()->findChild<QWidget *>(QLatin1String(name))->isVisible(), name);
        QVERIFY(!game()->findChild<QAction *>(QStringLiteral("mnu_prb"))->isEnabled());
        QVERIFY(game()->findChild<QWidget *>(QStringLiteral("lbl_CTime"))->isVisible());
        QVERIFY(!game()->findChild<QTimer *>(QStringLiteral("tmr_time"))->isActive());
        for (const char *name : {"lbl_QuW", "lbl_Qu", "lbl_QuR", "lbl_loseR"})
            QVERIFY(game()->findChild<QWidget *>(QLatin1String(name))->isVisible());
    }

    void escapeAsksBeforeQuitting()
    {
        QVERIFY(Main());
        f.dialogs->yesNoAnswers = {false};
        QTest::keyClick(menu(), Qt::Key_Escape);
        QCOMPARE(f.dialogs->calls.size(), 1);
        QCOMPARE(f.dialogs->calls[0].title, QStringLiteral("Выход из игры"));
        QCOMPARE(f.dialogs->calls[0].text, QStringLiteral("Вы действительно хотите выйти из этой игры?"));
        QVERIFY(menu() && menu()->isVisible());

        f.dialogs->yesNoAnswers = {true};
        clickButton(menu(), "cmd_exit");
        QCOMPARE(f.dialogs->calls.size(), 3);
        QCOMPARE(f.dialogs->calls[2].title, QStringLiteral("До свидания!"));
        QCOMPARE(f.dialogs->calls[2].text, QStringLiteral("До скорых встреч!"));
        QCOMPARE(f.dialogs->calls[2].icon, MessageIcon::Exclamation);
        QVERIFY(!menu());
        QCOMPARE(f.desktop->count(QStringLiteral("restoreStartButton")), 1);
    }

    void theHiddenHotSpotsReachTheStartButton()
    {
        QVERIFY(Main());
        QTest::mouseClick(menu()->findChild<QWidget *>(QStringLiteral("lbl_Visible")), Qt::LeftButton);
        QTest::mouseClick(menu()->findChild<QWidget *>(QStringLiteral("v11")), Qt::LeftButton);
        QCOMPARE(f.desktop->count(QStringLiteral("hideStartButton")), 1);
        QCOMPARE(f.desktop->count(QStringLiteral("disableStartButton")), 1);
    }
};

KARV_TEST(StartTest)
#include "test_start.moc"
