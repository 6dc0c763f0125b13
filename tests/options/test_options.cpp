// The options window: its boxes, the custom pointer on every window, restoring the defaults
// and leaving with "Назад", which saves what the boxes show.
#include <QAbstractButton>
#include <QCheckBox>
#include <QTest>

#include "app/services.h"
#include "app/windows.h"
#include "options/optionswindow.h"
#include "tests/support/fakes.h"
#include "tests/support/testmain.h"

using namespace karv;
using namespace karv::test;

namespace {
const char *const boxNames[5] = {"chk_time", "chk_mouse", "chk_ctime", "chk_player", "chk_beep"};
// Windows that exist in every build of the game, among those whose pointer the options set.
const char *const someWindows[] = {"frm_game", "frm_end", "frm_money", "frm_options", "frm_rules",
                                   "frm_start", "frm_Unlock", "frm_win", "frmAbout", "frm_cheat"};
} // namespace

class OptionsTest : public QObject {
    Q_OBJECT
    Fakes f{};

    QWidget *menu() { return topLevel(QStringLiteral("frm_start")); }
    OptionsWindow *options() { return qobject_cast<OptionsWindow *>(topLevel(QStringLiteral("frm_options"))); }
    QCheckBox *box(const char *name) { return options()->findChild<QCheckBox *>(QLatin1String(name)); }
    void click(const char *button) { options()->findChild<QAbstractButton *>(QLatin1String(button))->click(); }
    QString flags()
    {
        QString s;
        for (const char *p : {"time", "cursor_", "cTime", "player", "tik"})
            s += QString::number(options()->property(p).toInt());
        return s;
    }
    QString boxes()
    {
        QString s;
        for (const char *name : boxNames)
            s += box(name)->isChecked() ? QLatin1Char('1') : QLatin1Char('0');
        return s;
    }
    void openOptions()
    {
        QVERIFY(Main());
        menu()->findChild<QAbstractButton *>(QStringLiteral("cmd_options"))->click();
        QVERIFY(options()->isVisible());
        QVERIFY(!menu()->isEnabled());
    }
    void expectPointers(bool custom)
    {
        for (const char *name : someWindows) {
            QWidget *w = topLevel(QLatin1String(name));
            QVERIFY2(w, name);
            QVERIFY2((w->cursor().shape() == Qt::BitmapCursor) == custom, name);
        }
    }

private slots:
    void init() { f = installFakes(); }
    void cleanup() { QuitGame(); }

    void theWindowShowsItsBoxesInTabOrder()
    {
        openOptions();
        QCOMPARE(options()->windowTitle(), QStringLiteral("Опции"));
        const char *captions[5] = {"Вопросы на время (попыток изменить опцию: 3)", "Курсор мыши",
                                   "Отображать текущее время", "Спрашивать имя игрока при старте",
                                   "Звук \"тик-так\", когда время заканчивается"};
        for (int i = 0; i < 5; ++i) {
            QCheckBox *b = box(boxNames[i]);
            QVERIFY2(b, boxNames[i]);
            QCOMPARE(b->text(), QString::fromUtf8(captions[i]));
            QVERIFY(b->isChecked());
        }
        QCOMPARE(options()->findChild<QAbstractButton *>(QStringLiteral("cmd_reset"))->text(),
                 QStringLiteral("Восстановить по умолчанию"));
        QCOMPARE(options()->findChild<QAbstractButton *>(QStringLiteral("cmd_OK"))->text(), QStringLiteral("Назад"));

        QStringList order;
        QWidget *w = box("chk_time");
        do {
            if (w->focusPolicy() & Qt::TabFocus)
                order << w->objectName();
            w = w->nextInFocusChain();
        } while (w != box("chk_time"));
        QCOMPARE(order, QStringList({"chk_time", "chk_mouse", "chk_ctime", "chk_player", "chk_beep", "cmd_reset",
                                     "cmd_OK"}));
    }

    void eachBoxSetsItsFlagAndThePointerReachesEveryWindow()
    {
        openOptions();
        for (const char *name : {"chk_ctime", "chk_beep"})
            box(name)->click();
        QCOMPARE(flags(), QStringLiteral("11010"));
        QVERIFY(!topLevel(QStringLiteral("frm_game"))); // not loaded yet: the pointer change loads it
        box("chk_mouse")->click();
        QCOMPARE(options()->cursor_, 0);
        expectPointers(false);
        QVERIFY(!topLevel(QStringLiteral("frm_game"))->isVisible());
        box("chk_mouse")->click();
        QCOMPARE(options()->cursor_, 1);
        expectPointers(true);
    }

    void restoringTheDefaultsAnsweredNoChangesNothing()
    {
        openOptions();
        for (const char *name : {"chk_mouse", "chk_ctime", "chk_beep"})
            box(name)->click();
        click("cmd_reset");
        QCOMPARE(f.dialogs->calls.size(), 1);
        QCOMPARE(f.dialogs->calls[0].kind, DialogCall::Kind::YesNo);
        QCOMPARE(f.dialogs->calls[0].icon, MessageIcon::Question);
        QCOMPARE(f.dialogs->calls[0].title, QStringLiteral("Восстановление опций"));
        QCOMPARE(f.dialogs->calls[0].text, QStringLiteral("Вы действительно хотите восстановить все опции по умолчанию?"));
        QCOMPARE(boxes(), QStringLiteral("10010"));
        QCOMPARE(flags(), QStringLiteral("10010"));
        expectPointers(false);
    }

    void restoringTheDefaultsTurnsEverythingOnButSavesNothing()
    {
        writeDataFile(QStringLiteral("karv20s.inf"), "10101\r\n");
        openOptions();
        QCOMPARE(boxes(), QStringLiteral("10101"));
        expectPointers(false);
        // The time limit was switched off by passing the challenge once.
        options()->try_ = 0;
        options()->time = 0;
        options()->checkTime = 1;
        box("chk_time")->setChecked(false);
        options()->checkTime = 0;
        box("chk_time")->setText(QStringLiteral("Вопросы на время (попыток отключить опцию: 3)"));

        f.dialogs->yesNoAnswers = {true};
        click("cmd_reset");
        QCOMPARE(boxes(), QStringLiteral("11111"));
        QCOMPARE(flags(), QStringLiteral("11111"));
        expectPointers(true);
        QVERIFY(!topLevel(QStringLiteral("frm_Unlock"))->isVisible()); // checking the time box is no challenge
        QVERIFY(options()->isEnabled());
        QCOMPARE(box("chk_time")->text(), QStringLiteral("Вопросы на время (попыток отключить опцию: 3)"));
        QCOMPARE(readDataFile(QStringLiteral("karv20s.inf")), QByteArray("10101\r\n"));
    }

    void backSavesWhatTheBoxesShow()
    {
        writeDataFile(QStringLiteral("karv20s.inf"), "10111\r\n"); // the reader unchecks the pointer box
        openOptions();
        box("chk_beep")->click();
        click("cmd_OK");
        QVERIFY(!options()->isVisible());
        QVERIFY(menu()->isEnabled());
        QCOMPARE(readDataFile(QStringLiteral("karv20s.inf")), QByteArray("10110\r\n"));

        // Flags changed behind the boxes' back do not reach the file: the boxes do.
        menu()->findChild<QAbstractButton *>(QStringLiteral("cmd_options"))->click();
        options()->tik = 1;
        options()->cursor_ = 1;
        click("cmd_OK");
        QCOMPARE(readDataFile(QStringLiteral("karv20s.inf")), QByteArray("10110\r\n"));
    }

    void closingTheWindowLeavesLikeBack()
    {
        openOptions();
        box("chk_player")->click();
        options()->close();
        QVERIFY(!options()->isVisible());
        QVERIFY(menu()->isEnabled());
        QCOMPARE(readDataFile(QStringLiteral("karv20s.inf")), QByteArray("11101\r\n"));
    }
};

KARV_TEST(OptionsTest)
#include "test_options.moc"
