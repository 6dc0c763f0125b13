// The rules window: lifeline help under the pointer, the "Назад" button, and leaving by
// click or key, which re-enables the opener and leaves a fresh window behind.
#include <QAbstractButton>
#include <QApplication>
#include <QMouseEvent>
#include <QPointer>
#include <QTest>

#include "app/services.h"
#include "app/widgets.h"
#include "app/windows.h"
#include "tests/support/fakes.h"
#include "tests/support/testmain.h"

using namespace karv;
using namespace karv::test;

namespace {

const QColor pale(192, 192, 255), deepBlue(0, 0, 192), yellow(255, 255, 128), green(0, 255, 0);

const QString fiftyHelp = QStringLiteral(
    "Подсказка ''50 : 50'' убирает два неверных варианта ответа.\r\n"
    "Два из трех неверных ответов убираются случайным образом.\r\n"
    "Теперь шансы на правильный ответ возрастают с 25% до 50% !!!");
const QString friendHelp = QStringLiteral(
    "Подсказка ''Звонок другу'' позволяет позвонить одному из 8 предложенных друзей и узнать его мнение.\r\n"
    "Иногда друг не знает правильного ответа, а иногда он просто ошибается (это происходит все чаще и чаще с "
    "возрастанием вопроса).\r\n"
    "Помните, что уровень интеллекта у разных людей отличается!");
const QString zalHelp = QStringLiteral(
    "Подсказка ''Помощь зала'' дает возможность опросить присутствующих зрителей в игровом зале и узнать, какой "
    "ответ, по их мнению, верный.\r\n"
    "Не забывайте, что мнение большинства не всегда правильно, особенно в сложных вопросах!");

// A pointer move as the widget under the pointer receives it.
void moveOver(QWidget *w, QPoint pos = QPoint(-1, -1))
{
    if (pos.x() < 0)
        pos = w->rect().center();
    QMouseEvent e(QEvent::MouseMove, QPointF(pos), QPointF(w->mapToGlobal(pos)), Qt::NoButton, Qt::NoButton,
                  Qt::NoModifier);
    QApplication::sendEvent(w, &e);
}

} // namespace

class RulesTest : public QObject {
    Q_OBJECT
    Fakes f{};

    static QWidget *rules() { return karv::window(QStringLiteral("frm_rules")); }
    static Label *label(const char *name) { return rules()->findChild<Label *>(QLatin1String(name)); }
    static Shape *shape(const char *name) { return rules()->findChild<Shape *>(QLatin1String(name)); }
    static QString face(const char *name) { return label(name)->font().family(); }
    static void moveOverBackground() { moveOver(rules(), QPoint(5, rules()->height() - 5)); }

    // Opens the rules window over `opener` as the openers do: forma set, shown, opener disabled.
    static QWidget *openFrom(const char *opener, int forma)
    {
        QWidget *o = karv::window(QLatin1String(opener));
        o->show();
        rules()->setProperty("forma", forma);
        rules()->show();
        o->setEnabled(false);
        return o;
    }

    static void checkDesignState()
    {
        QVERIFY(rules()->isHidden());
        QCOMPARE(shape("shp_back")->fillColor(), pale);
        QCOMPARE(label("lbl_back")->foreColor(), deepBlue);
        for (const char *name : {"lbl_fifty", "lbl_friend", "lbl_zal"})
            QCOMPARE(face(name), QStringLiteral("Courier New"));
        QCOMPARE(label("lbl_help")->text(), QString());
        for (const char *box : {"shp_fifty", "shp_friend", "shp_zal"})
            QCOMPARE(shape(box)->fillColor(), yellow);
    }

private slots:
    void init() { f = installFakes(); }
    void cleanup() { QuitGame(); }

    void theWindowShowsTheRulesText()
    {
        QCOMPARE(rules()->windowTitle(), QStringLiteral("Правила нашей игры"));
        QCOMPARE(label("lbl_rules")->text(),
                 QStringLiteral(
                     "     Правила игры довольно простые: вам надо будет ответить на 15 вопросов, один за другим. "
                     "Первые вопросы очень легкие, а потом они становятся все сложнее. Разумеется, и сумма вопроса "
                     "возрастает. Первый стоит 100 рублей, последний - миллион.\r\n"
                     "      Если вы ответите неправильно, то все, что заработано к данному моменту, исчезает и вы "
                     "покидаете игру. Но у нас предусмотрены две \"несгораемые\" суммы - 1 000 рублей (вопрос № 5) "
                     "и 32 000 рублей (вопрос № 10). Ответив на эти вопросы, вы точно уже не потеряете эти "
                     "деньги.\r\n"
                     "      Кроме того, если вы не дали окончательного ответа, вы всегда можете взять уже "
                     "заработанные деньги, естественно, тогда вы покинете игру.\r\n"
                     "      А еще у вас будут три подсказки:"));
        checkDesignState();
    }

    void aLifelineExplainsItselfOncePerVisit_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("help");
        QTest::newRow("50 : 50") << "lbl_fifty" << fiftyHelp;
        QTest::newRow("friend") << "lbl_friend" << friendHelp;
        QTest::newRow("audience") << "lbl_zal" << zalHelp;
    }
    void aLifelineExplainsItselfOncePerVisit()
    {
        QFETCH(QString, name);
        QFETCH(QString, help);
        rules()->show();
        Label *l = label(qPrintable(name));
        moveOver(l);
        QCOMPARE(l->font().family(), QStringLiteral("Arial"));
        QCOMPARE(l->font().bold(), true);
        QCOMPARE(label("lbl_help")->text(), help);
        // Further moves on the same label do not set the help again.
        label("lbl_help")->setText(QStringLiteral("другое"));
        moveOver(l, QPoint(2, 2));
        QCOMPARE(label("lbl_help")->text(), QStringLiteral("другое"));
        // The background resets the label and empties the help.
        moveOverBackground();
        QCOMPARE(l->font().family(), QStringLiteral("Courier New"));
        QCOMPARE(label("lbl_help")->text(), QString());
        // Back on the label, the help comes again.
        moveOver(l);
        QCOMPARE(label("lbl_help")->text(), help);
    }

    void movingFromFiftyStraightToFriendKeepsFiftyLitUntilTheBackground()
    {
        rules()->show();
        moveOver(label("lbl_fifty"));
        moveOver(label("lbl_friend"));
        QCOMPARE(face("lbl_friend"), QStringLiteral("Arial"));
        QCOMPARE(face("lbl_fifty"), QStringLiteral("Arial"));
        QCOMPARE(face("lbl_zal"), QStringLiteral("Courier New"));
        QCOMPARE(label("lbl_help")->text(), friendHelp);
        // Other text on the window is not background: nothing resets over it.
        moveOver(label("lbl_rules"));
        moveOver(label("lbl_help"));
        QCOMPARE(face("lbl_fifty"), QStringLiteral("Arial"));
        QCOMPARE(label("lbl_help")->text(), friendHelp);
        moveOverBackground();
        QCOMPARE(face("lbl_fifty"), QStringLiteral("Courier New"));
        QCOMPARE(face("lbl_friend"), QStringLiteral("Courier New"));
        QCOMPARE(label("lbl_help")->text(), QString());
    }

    void pressingALifelineOnlyLightsItsBox()
    {
        QWidget *menu = openFrom("frm_start", 0);
        for (const char *name : {"lbl_fifty", "lbl_friend", "lbl_zal"}) {
            Label *l = label(name);
            Shape *box = shape(QByteArray(name).replace("lbl_", "shp_").constData());
            QTest::mousePress(l, Qt::LeftButton);
            QCOMPARE(box->fillColor(), green);
            QTest::mouseRelease(l, Qt::LeftButton);
            QCOMPARE(box->fillColor(), yellow);
            QTest::mousePress(l, Qt::RightButton);
            QCOMPARE(box->fillColor(), green);
            QTest::mouseRelease(l, Qt::RightButton);
            QCOMPARE(box->fillColor(), yellow);
        }
        QVERIFY(rules()->isVisible());
        QVERIFY(!menu->isEnabled());
    }

    void backInvertsUnderThePointerAndTheBackgroundRestoresIt()
    {
        rules()->show();
        moveOver(label("lbl_back"));
        QCOMPARE(shape("shp_back")->fillColor(), deepBlue);
        QCOMPARE(label("lbl_back")->foreColor(), pale);
        moveOver(label("lbl_back"), QPoint(1, 1));
        QCOMPARE(shape("shp_back")->fillColor(), deepBlue);
        moveOverBackground();
        QCOMPARE(shape("shp_back")->fillColor(), pale);
        QCOMPARE(label("lbl_back")->foreColor(), deepBlue);
    }

    void leavingReenablesTheOpenerAndLeavesAFreshWindow_data()
    {
        QTest::addColumn<QString>("how");
        QTest::addColumn<QString>("opener");
        QTest::addColumn<int>("forma");
        for (const char *how : {"Назад", "Esc", "Backspace", "close"}) {
            QTest::addRow("%s to the main menu", how) << how << "frm_start" << 0;
            QTest::addRow("%s to the game", how) << how << "frm_game" << 1;
        }
    }
    void leavingReenablesTheOpenerAndLeavesAFreshWindow()
    {
        QFETCH(QString, how);
        QFETCH(QString, opener);
        QFETCH(int, forma);
        const QString other = forma == 0 ? QStringLiteral("frm_game") : QStringLiteral("frm_start");
        QWidget *bystander = karv::window(other);
        bystander->setEnabled(false);
        QWidget *o = openFrom(qPrintable(opener), forma);
        moveOver(label("lbl_fifty"));
        moveOver(label("lbl_back"));
        const QPointer<QWidget> old = rules();

        if (how == QLatin1String("Назад"))
            QTest::mouseClick(label("lbl_back"), Qt::LeftButton);
        else if (how == QLatin1String("Esc"))
            QTest::keyClick(old, Qt::Key_Escape);
        else if (how == QLatin1String("Backspace"))
            QTest::keyClick(old, Qt::Key_Backspace);
        else
            old->close();

        QVERIFY(o->isEnabled());
        QVERIFY(!bystander->isEnabled());
        QVERIFY(old.isNull());
        QWidget *fresh = topLevel(QStringLiteral("frm_rules"));
        QVERIFY(fresh);
        QCOMPARE(fresh, karv::window(QStringLiteral("frm_rules")));
        checkDesignState();
    }

    void otherKeysDoNothing()
    {
        QWidget *menu = openFrom("frm_start", 0);
        const QPointer<QWidget> w = rules();
        for (Qt::Key key : {Qt::Key_Return, Qt::Key_Space, Qt::Key_A, Qt::Key_Delete, Qt::Key_F1, Qt::Key_Left})
            QTest::keyClick(w, key);
        QTest::keyClick(w, Qt::Key_Return, Qt::AltModifier);
        QVERIFY(w);
        QVERIFY(w->isVisible());
        QVERIFY(!w->isMinimized());
        QVERIFY(!menu->isEnabled());
    }

    void reopeningFromTheMainMenuStartsFromTheDesign()
    {
        QVERIFY(Main());
        QWidget *menu = topLevel(QStringLiteral("frm_start"));
        auto *openRules = menu->findChild<QAbstractButton *>(QStringLiteral("cmd_rules"));
        openRules->click();
        QVERIFY(rules()->isVisible());
        QVERIFY(!menu->isEnabled());
        QCOMPARE(rules()->property("forma").toInt(), 0);
        moveOver(label("lbl_zal"));
        moveOver(label("lbl_back"));
        QTest::mousePress(label("lbl_friend"), Qt::LeftButton);
        QTest::keyClick(rules(), Qt::Key_Escape);
        QVERIFY(menu->isEnabled());

        checkDesignState();
        openRules->click();
        QVERIFY(rules()->isVisible());
        QCOMPARE(shape("shp_back")->fillColor(), pale);
        QCOMPARE(face("lbl_zal"), QStringLiteral("Courier New"));
        QCOMPARE(label("lbl_help")->text(), QString());
    }
};

KARV_TEST(RulesTest)
#include "test_rules.moc"
