#include "game/endwindows.h"

#include <QCloseEvent>
#include <QKeyEvent>
#include <QPainter>

#include "app/chain.h"
#include "app/services.h"
#include "app/start.h"
#include "app/ui.h"
#include "app/widgets.h"
#include "controls/commandbutton.h"

namespace karv {

namespace {
const QColor frameNormal(128, 128, 255);
const QColor frameChosen(255, 128, 0);
const QColor frameRight(0, 255, 0);
const QColor commandText(0, 0, 255), commandFill(255, 255, 128), commandBorder(255, 0, 0);
const QColor hotText(0, 0, 0), hotFill(255, 0, 0), hotBorder(255, 255, 0);
const char *const answerNames[4] = {"lbl_A", "lbl_B", "lbl_C", "lbl_D"};
const char *const frameNames[4] = {"shp_A", "shp_B", "shp_C", "shp_D"};
} // namespace

EndWindow::EndWindow(const QString &name, int aboutNumber) : Window(name), aboutNumber_(aboutNumber)
{
    setWindowTitle(QStringLiteral("Карвелон"));
    setMouseTracking(true);
}

Label *EndWindow::addText(const char *name, const QString &text, QRect geo, double points, QColor color, bool bold)
{
    auto *l = new Label(QLatin1String(name), this, text);
    l->setGeometry(geo);
    l->setFont(designFont(QStringLiteral("Arial"), points, bold));
    l->setForeColor(color);
    l->setAlignment(Qt::AlignCenter);
    return l;
}

void EndWindow::addLabelCommand(const char *caption, const char *shape, const char *clickTaker, const QString &text,
                                QRect geo, void (EndWindow::*action)())
{
    auto *frame = new Shape(QLatin1String(shape), this, Shape::Kind::RoundedRectangle);
    frame->setGeometry(geo);
    frame->setFillColor(commandFill);
    frame->setBorderColor(commandBorder);
    frame->setBorderWidth(2);
    auto *label = new Label(QLatin1String(caption), this, text);
    label->setGeometry(geo.adjusted(4, 2, -4, -2));
    label->setFont(designFont(QStringLiteral("Arial"), 11, true));
    label->setForeColor(commandText);
    label->setAlignment(Qt::AlignCenter);
    Label *taker = label;
    if (clickTaker) {
        taker = new Label(QLatin1String(clickTaker), this);
        taker->setGeometry(geo);
    }
    taker->setCursor(Qt::PointingHandCursor);
    connect(taker, &Label::clicked, this, action);
}

void EndWindow::addLabelCommands(const QString &mainCaption, int top, int height)
{
    addLabelCommand("lbl_main", "shp_main", nullptr, mainCaption, QRect(40, top, 140, height), &EndWindow::goToMainMenu);
    addLabelCommand("lbl_about", "shp_about", "lbl_about_C", QStringLiteral("О программе"), QRect(210, top, 140, height),
                    &EndWindow::openAbout);
    addLabelCommand("lbl_exit", "shp_exit", "lbl_exit_C", QStringLiteral("Выход"), QRect(380, top, 140, height),
                    &EndWindow::askExit);
}

void EndWindow::goToMainMenu() { backToMainMenu(this); }

void EndWindow::openAbout()
{
    if (QWidget *about = karv::window(QStringLiteral("frmAbout")))
        about->setProperty("forma", aboutNumber_);
    ShowAbout(this);
}

void EndWindow::askExit()
{
    if (!dialogs().askYesNo(this, MessageIcon::Question, QStringLiteral("Выход"),
                            QStringLiteral("Вы действительно хотите выйти из игры?"))
        || !stillOnScreen(this))
        return;
    dialogs().message(this, MessageIcon::Exclamation, QStringLiteral("До свидания!"), QStringLiteral("До скорых встреч!"));
    QuitGame();
}

void EndWindow::paintEvent(QPaintEvent *)
{
    QPainter p(this);
    paintBackdrop(p, rect(), QColor(0, 0, 96), QColor(0, 0, 16));
}

void EndWindow::keyPressEvent(QKeyEvent *e) { minimiseOnAltEnter(e); }

void EndWindow::closeEvent(QCloseEvent *e)
{
    // The window manager's close is the window's own "Выход": it asks, and on "Нет" the window
    // stays. Simply hiding it would leave the program running with no window at all.
    e->ignore();
    askExit();
}

// ---- took the money ----

MoneyWindow::MoneyWindow() : EndWindow(QStringLiteral("frm_money"), 3)
{
    setFixedSize(640, 560);
    const QColor pale(192, 192, 255);
    addText("lbl_words",
            QStringLiteral("Вы решили остановиться и взять деньги? Хорошо!\r\nБудем надеяться, что вы сделали правильный "
                           "выбор.\r\nНо, несмотря ни на что, ваш выигрыш составляет"),
            QRect(20, 12, 600, 72), 11, pale);
    addText("lbl_summa", QString(), QRect(20, 86, 600, 32), 18, QColor(255, 255, 0));
    addText("lbl_words2", QStringLiteral("А теперь проверьте, были ли вы не верном пути или нет."), QRect(20, 122, 600, 24),
            10.5, pale);

    auto *qbox = new Shape(QStringLiteral("shp_Question"), this, Shape::Kind::RoundedRectangle);
    qbox->setGeometry(20, 152, 600, 92);
    qbox->setFillColor(QColor(128, 128, 255));
    qbox->setBorderColor(QColor(255, 0, 0));
    qbox->setBorderWidth(2);
    addText("lbl_Question", QString(), QRect(30, 156, 580, 84), 13, QColor(0, 0, 0), false);
    for (int k = 0; k < 4; ++k) {
        const QRect box(20 + (k % 2) * 306, 254 + (k / 2) * 50, 294, 42);
        auto *s = new Shape(QLatin1String(frameNames[k]), this, Shape::Kind::RoundedRectangle);
        s->setGeometry(box);
        s->setFillColor(frameNormal);
        s->setBorderColor(QColor(255, 255, 128));
        s->setBorderWidth(2);
        auto *a = addText(answerNames[k], QString(), box.adjusted(10, 2, -10, -2), 11, QColor(0, 0, 0));
        a->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
        a->setCursor(answerCursor());
        connect(a, &Label::clicked, this, [this, k] { tryAnswer(k + 1); });
    }
    addText("lbl_r",
            QStringLiteral("Очень жаль, что вы решили остановиться и взять деньги: ведь вы были на правильном пути! Но "
                           "не расстраивайтесь, потому что вы всегда можете еще раз сыграть в \"Карвелон\"!!!"),
            QRect(20, 360, 600, 80), 11, QColor(255, 255, 128))
        ->hide();
    addText("lbl_W",
            QStringLiteral("Вы поступили правильно, что не стали отвечать на вопрос и взяли деньги. Желаем удачи в "
                           "следующей игре \"Карвелон\"!"),
            QRect(20, 360, 600, 80), 11, QColor(255, 255, 128))
        ->hide();
    const struct {
        const char *name, *caption;
        int x;
        void (EndWindow::*action)();
    } commands[3] = {{"cmd_main", "Главное меню", 70, &EndWindow::goToMainMenu},
                     {"cmd_about", "О программе", 250, &EndWindow::openAbout},
                     {"cmd_exit", "Выход", 430, &EndWindow::askExit}};
    for (const auto &cmd : commands) {
        auto *b = new CommandButton(QLatin1String(cmd.name), QString::fromUtf8(cmd.caption), this);
        b->setGeometry(cmd.x, 470, 140, 34);
        b->hide();
        connect(b, &QAbstractButton::clicked, this, cmd.action);
    }

    // The try blinks only the right frame; the wrong try leaves the chosen one orange.
    auto showVerdict = [this](const char *text) {
        findChild<QWidget *>(QLatin1String(text))->show();
        for (const char *name : {"cmd_main", "cmd_about", "cmd_exit"})
            findChild<QWidget *>(QLatin1String(name))->show();
    };
    addChain(this, {
        {"tmr_R_OZ1", 2000, [this] { frame(rt)->setFillColor(frameRight); }, "tmr_R_ZO2"},
        {"tmr_R_ZO2", 250, [this] { frame(rt)->setFillColor(frameChosen); }, "tmr_R_OZ3"},
        {"tmr_R_OZ3", 250, [this] { frame(rt)->setFillColor(frameRight); }, "tmr_R_ZO4"},
        {"tmr_R_ZO4", 250, [this] { frame(rt)->setFillColor(frameChosen); }, "tmr_R_OZ5"},
        {"tmr_R_OZ5", 250, [this] { frame(rt)->setFillColor(frameRight); }, "tmr_R"},
        {"tmr_R", 3000, [showVerdict] { showVerdict("lbl_r"); }},
        {"tmr_W_OZ1", 2000, [this] { frame(rt)->setFillColor(frameRight); }, "tmr_W_ZO2"},
        {"tmr_W_ZO2", 250, [this] { frame(rt)->setFillColor(frameNormal); }, "tmr_W_OZ3"},
        {"tmr_W_OZ3", 250, [this] { frame(rt)->setFillColor(frameRight); }, "tmr_W_ZO4"},
        {"tmr_W_ZO4", 250, [this] { frame(rt)->setFillColor(frameNormal); }, "tmr_W_OZ5"},
        {"tmr_W_OZ5", 250, [this] { frame(rt)->setFillColor(frameRight); }, "tmr_W"},
        {"tmr_W", 3000, [showVerdict] { showVerdict("lbl_W"); }},
    });
}

Shape *MoneyWindow::frame(int k) const { return findChild<Shape *>(QLatin1String(frameNames[k - 1])); }

void MoneyWindow::takeOver(QWidget *game)
{
    rt = game->property("rt").toInt();
    c = 0;
    for (const char *name : {"lbl_Question", "lbl_A", "lbl_B", "lbl_C", "lbl_D"})
        findChild<QLabel *>(QLatin1String(name))->setText(game->findChild<QLabel *>(QLatin1String(name))->text());
    for (const char *name : answerNames)
        findChild<QWidget *>(QLatin1String(name))->setVisible(!game->findChild<QWidget *>(QLatin1String(name))->isHidden());
    findChild<QLabel *>(QStringLiteral("lbl_summa"))->setText(game->property("sMoney").toString() + QStringLiteral(" рублей"));
}

void MoneyWindow::tryAnswer(int k)
{
    if (c == 1)
        return;
    for (const char *name : answerNames)
        findChild<QWidget *>(QLatin1String(name))->setCursor(Qt::ArrowCursor);
    frame(k)->setFillColor(frameChosen);
    c = 1;
    startStep(this, k == rt ? "tmr_R_OZ1" : "tmr_W_OZ1");
}

// ---- game over ----

GameOverWindow::GameOverWindow() : EndWindow(QStringLiteral("frm_end"), 2)
{
    setFixedSize(560, 420);
    const QColor pale(192, 192, 255);
    addText("lbl_1", QStringLiteral("Ну что ж, очень жаль, что вы так и не смогли добраться до заветного 15-го вопроса."),
            QRect(30, 20, 500, 60), 12, pale);
    addText("lbl_2",
            QStringLiteral("Надеемся, что в следующий раз вам повезет больше, и вы увидите зеленый свет на последнем "
                           "вопросе."),
            QRect(30, 86, 500, 60), 12, pale);
    addText("lbl_3", QStringLiteral("Желаем удачи на следующей игре \"Карвелон\"!"), QRect(30, 152, 500, 40), 12,
            QColor(255, 255, 128));
    addText("lbl_money", QStringLiteral("Выигрыш: 0 руб."), QRect(30, 204, 500, 44), 20, QColor(255, 255, 0));
    addLabelCommands(QStringLiteral("Главное\r\nменю"), 300, 56);
    const char *takers[3] = {"lbl_main", "lbl_about_C", "lbl_exit_C"};
    for (int i = 0; i < 3; ++i)
        connect(findChild<Label *>(QLatin1String(takers[i])), &Label::mouseMoved, this, [this, i] { highlight(i, true); });
}

void GameOverWindow::highlight(int command, bool on)
{
    static const char *const captions[3] = {"lbl_main", "lbl_about", "lbl_exit"};
    static const char *const frames[3] = {"shp_main", "shp_about", "shp_exit"};
    auto *caption = findChild<Label *>(QLatin1String(captions[command]));
    auto *frame = findChild<Shape *>(QLatin1String(frames[command]));
    // Only a command in the other look changes, so repeated moves do nothing.
    if (caption->foreColor() != (on ? commandText : hotText))
        return;
    caption->setForeColor(on ? hotText : commandText);
    frame->setFillColor(on ? hotFill : commandFill);
    frame->setBorderColor(on ? hotBorder : commandBorder);
}

void GameOverWindow::mouseMoveEvent(QMouseEvent *)
{
    for (int i = 0; i < 3; ++i)
        highlight(i, false);
}

// ---- top prize ----

WinWindow::WinWindow() : EndWindow(QStringLiteral("frm_win"), 4)
{
    setFixedSize(560, 420);
    addText("lbl_win1", QStringLiteral("Поздравляем!!!"), QRect(30, 16, 500, 44), 22, QColor(255, 255, 0));
    addText("lbl_win2",
            QStringLiteral("Вы только что ответили на последний, пятнадцатый вопрос нашей игры. А это значит, что пора "
                           "бы позвонить на телеигру \"Карвелон\" и сыграть по телевидению: у вас есть отличная "
                           "возможность выиграть целый"),
            QRect(30, 66, 500, 110), 12, QColor(192, 192, 255));
    addText("lbl_win3", QStringLiteral("1 000 000"), QRect(30, 180, 500, 50), 28, QColor(0, 255, 0));
    addText("lbl_win4", QStringLiteral("рублей!!!"), QRect(30, 232, 500, 36), 16, QColor(255, 255, 128));
    addLabelCommands(QStringLiteral("Главное меню"), 310, 50);
}

} // namespace karv
