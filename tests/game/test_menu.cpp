// The game menu, the caption-bar buttons and the keys of the game window.
#include <QAbstractButton>
#include <QAction>
#include <QClipboard>
#include <QGuiApplication>
#include <QMenu>
#include <QTest>
#include <QTimer>
#include <QUrl>
#include <QUrlQuery>

#include "app/services.h"
#include "controls/topbuttons.h"
#include "game/gamerules.h"
#include "game/gamewindow.h"
#include "tests/support/fakes.h"
#include "tests/support/input.h"
#include "tests/support/testmain.h"

using namespace karv;
using namespace karv::test;

class MenuTest : public QObject {
    Q_OBJECT
    Fakes f{};
    GameWindow *game = nullptr;

    void startGame()
    {
        f.dialogs->inputAnswers.push_back(QStringLiteral("Игрок"));
        game = startNewGame();
        QVERIFY(game);
    }
    QAction *item(const char *name) { return game->findChild<QAction *>(QLatin1String(name)); }

private slots:
    void init() { f = installFakes(); }
    void cleanup() { QuitGame(); }

    void theMenuHoldsItsItemsInOrder()
    {
        startGame();
        auto *menu = game->findChild<QMenu *>(QStringLiteral("mnu_menu"));
        QVERIFY(menu);
        QStringList names;
        for (QAction *a : menu->actions())
            names << a->objectName();
        QCOMPARE(names, (QStringList{"mnu_prb", "sep3", "mnu_num", "mnu_sendMessage", "sep2", "mnu_rules", "mnu_about",
                                     "sep1", "mnu_mmenu", "mnu_exit"}));
        QCOMPARE(item("mnu_num")->text(), QStringLiteral("Номер вопроса..."));
        QCOMPARE(item("mnu_rules")->shortcut(), QKeySequence(Qt::Key_F1));
        QCOMPARE(item("mnu_about")->shortcut(), QKeySequence(Qt::Key_F12));
        QCOMPARE(menu->defaultAction(), item("mnu_exit"));
    }

    void theQuestionNumberNamesLevelAndDraw()
    {
        f.random->values = {0.0};
        startGame();
        item("mnu_num")->trigger();
        QCOMPARE(f.dialogs->calls.back().title, QStringLiteral("Номер вопроса"));
        QCOMPARE(f.dialogs->calls.back().text, QStringLiteral("Номер этого вопроса:\r\n100 - 1"));
        game->noq = 4000;
        game->q4k = 17;
        item("mnu_num")->trigger();
        QCOMPARE(f.dialogs->calls.back().text, QStringLiteral("Номер этого вопроса:\r\n4k - 17"));
    }

    void theErrorReportOpensAMailWithTheQuestion()
    {
        startGame();
        game->noq = 1000000;
        game->q1m = 7;
        item("mnu_sendMessage")->trigger();
        QCOMPARE(f.desktop->calls.filter(QStringLiteral("openUrl ")).size(), 1);
        const QUrl url(f.desktop->calls.filter(QStringLiteral("openUrl ")).first().mid(8));
        QCOMPARE(url.scheme(), QStringLiteral("mailto"));
        QVERIFY(url.path().contains(QLatin1Char('@')));
        QCOMPARE(QUrlQuery(url).queryItemValue(QStringLiteral("Subject"), QUrl::FullyDecoded),
                 QStringLiteral("Карвелон v 2.0. Вопрос № 1m - 7"));
    }

    // Chosen in the running menu: with no mail program to take the report, the game comes back
    // and tells where to write and about what; the address waits on the clipboard.
    void aReportNoMailProgramTakesIsWrittenByHand_data()
    {
        QTest::addColumn<bool>("taken");
        QTest::newRow("a mail program takes it") << true;
        QTest::newRow("no mail program") << false;
    }
    void aReportNoMailProgramTakesIsWrittenByHand()
    {
        QFETCH(bool, taken);
        startGame();
        game->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(game));
        f.desktop->openUrlResult = taken;
        f.dialogs->calls.clear(); // the name prompt
        QGuiApplication::clipboard()->setText(QStringLiteral("что-то своё"));
        bool minimisedUnderTheBox = true;
        f.dialogs->whileOpen = [&](const DialogCall &) { minimisedUnderTheBox = game->isMinimized() || !game->isVisible(); };
        fromEventLoop([&] {
            QTest::mouseClick(game->findChild<QWidget *>(QStringLiteral("cmd_menu")), Qt::LeftButton);
            keyMenuItem(game->gameMenu(), "mnu_sendMessage");
        });
        QCOMPARE(f.desktop->calls.filter(QStringLiteral("openUrl mailto:")).size(), 1);
        if (taken) {
            QVERIFY(game->isMinimized());
            QVERIFY(f.dialogs->calls.isEmpty());
            QCOMPARE(QGuiApplication::clipboard()->text(), QStringLiteral("что-то своё"));
            return;
        }
        QVERIFY(game->isVisible() && !game->isMinimized());
        QCOMPARE(f.dialogs->calls.size(), 1);
        const DialogCall &told = f.dialogs->calls.first();
        QVERIFY(!minimisedUnderTheBox);
        QCOMPARE(told.kind, DialogCall::Kind::Message);
        QCOMPARE(told.icon, MessageIcon::Information);
        QCOMPARE(told.title, QStringLiteral("Письмо не отправлено"));
        const QStringList lines = told.text.split(QStringLiteral("\r\n"));
        QVERIFY2(lines.contains(QStringLiteral("Адрес: ") + QLatin1String(authorEmail)), qPrintable(told.text));
        QVERIFY2(lines.contains(QStringLiteral("Тема: Карвелон v 2.0. Вопрос № 100 - %1").arg(game->q100)),
                 qPrintable(told.text));
        QVERIFY(!told.text.contains(QLatin1Char('\n')) || told.text.count(QLatin1Char('\n')) == told.text.count(QStringLiteral("\r\n")));
        QCOMPARE(QGuiApplication::clipboard()->text(), QLatin1String(authorEmail));
        QVERIFY(lines.contains(QStringLiteral("Адрес скопирован в буфер обмена.")));
    }

    void returningToTheMainMenuAsksFirst()
    {
        startGame();
        QPointer<QWidget> oldGame = game;
        f.dialogs->yesNoAnswers = {false};
        item("mnu_mmenu")->trigger();
        QCOMPARE(f.dialogs->calls.back().title, QStringLiteral("Выход в главное меню"));
        QCOMPARE(f.dialogs->calls.back().text,
                 QStringLiteral("Вы действительно хотите закончить эту игру и выйти в главное меню?"));
        QVERIFY(oldGame && oldGame->isVisible());
        QVERIFY(game->findChild<QTimer *>(QStringLiteral("tmr_time"))->isActive());

        QPointer<QWidget> options = topLevel(QStringLiteral("frm_options"));
        f.dialogs->yesNoAnswers = {true};
        item("mnu_mmenu")->trigger();
        QVERIFY(!oldGame);
        QVERIFY(options);
        QVERIFY(topLevel(QStringLiteral("frm_start"))->isVisible());
        QCOMPARE(f.desktop->count(QStringLiteral("restoreStartButton")), 1);
        // The next game starts on a fresh game window.
        f.dialogs->inputAnswers.push_back(QStringLiteral("Игрок"));
        topLevel(QStringLiteral("frm_start"))->findChild<QAbstractButton *>(QStringLiteral("cmd_start"))->click();
        auto *fresh = qobject_cast<GameWindow *>(topLevel(QStringLiteral("frm_game")));
        QVERIFY(fresh && fresh != oldGame.data());
        QCOMPARE(fresh->noq, 100);
    }

    void everyWayOutAsksBeforeQuitting_data()
    {
        QTest::addColumn<QString>("way");
        for (const char *way : {"Esc", "cmd_exit", "mnu_exit", "EXIT_GAME"})
            QTest::newRow(way) << QString::fromLatin1(way);
    }
    void everyWayOutAsksBeforeQuitting()
    {
        QFETCH(QString, way);
        startGame();
        auto quit = [&] {
            if (way == QLatin1String("Esc"))
                QTest::keyClick(game, Qt::Key_Escape);
            else if (way == QLatin1String("mnu_exit"))
                item("mnu_exit")->trigger();
            else
                game->findChild<QAbstractButton *>(way)->click();
        };
        f.dialogs->yesNoAnswers = {false};
        quit();
        QCOMPARE(f.dialogs->calls.back().title, QStringLiteral("Выход из игры"));
        QCOMPARE(f.dialogs->calls.back().text, QStringLiteral("Вы действительно хотите выйти из этой игры?"));
        QVERIFY(game->isVisible());
        f.dialogs->yesNoAnswers = {true};
        quit();
        QCOMPARE(f.dialogs->calls.back().title, QStringLiteral("До свидания!"));
        QCOMPARE(f.dialogs->calls.back().text, QStringLiteral("До скорой встречи в игре ''Карвелон''!"));
        QVERIFY(!topLevel(QStringLiteral("frm_game")));
    }

    void theCaptionBarButtons()
    {
        startGame();
        auto *minimise = game->findChild<TopButton *>(QStringLiteral("MINIMIZE_FORM"));
        auto *resize = game->findChild<TopButton *>(QStringLiteral("RESIZE_FORM"));
        auto *close = game->findChild<TopButton *>(QStringLiteral("EXIT_GAME"));
        QVERIFY(minimise && resize && close);
        QCOMPARE(minimise->property("Value").toInt(), 2);
        QCOMPARE(resize->property("Value").toInt(), 3);
        QCOMPARE(close->property("Value").toInt(), 0);
        QCOMPARE(minimise->pos(), QPoint(720, 0));
        QCOMPARE(resize->pos(), QPoint(744, 0));
        QCOMPARE(close->pos(), QPoint(768, 0));
        QVERIFY(!resize->isEnabled());
        QCOMPARE(resize->cell(), 3);
        QCOMPARE(minimise->toolTip(), QStringLiteral("Свернуть"));
        QCOMPARE(resize->toolTip(), QStringLiteral("Развернуть не получится"));
        QCOMPARE(close->toolTip(), QStringLiteral("Закрыть"));
    }
};

KARV_TEST(MenuTest)
#include "test_menu.moc"
