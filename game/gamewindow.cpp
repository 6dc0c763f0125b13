#include "game/gamewindow.h"

#include <QApplication>
#include <QCloseEvent>
#include <QKeyEvent>
#include <QMenu>
#include <QPainter>
#include <QDateTime>
#include <QTime>
#include <QTimer>
#include <QUrl>

#include <cmath>

#include "app/chain.h"
#include "app/datafiles.h"
#include "app/mail.h"
#include "app/openboxes.h"
#include "app/services.h"
#include "app/start.h"
#include "app/ui.h"
#include "app/widgets.h"
#include "controls/commandbutton.h"
#include "controls/topbuttons.h"
#include "game/gamerules.h"
#include "gauge/fillgauge.h"
#include "lifelines/lifelinerules.h"
#include "questions/questionbank.h"

namespace karv {

namespace {

const QColor neutralAnswer(128, 128, 255);
const QColor chosenAnswer(255, 128, 0);
const QColor rightAnswer(0, 255, 0);
const QColor ladderNormalBack(0, 0, 0);
const QColor ladderNormalText(192, 192, 192);
const QColor ladderCurrent(255, 192, 128);
const QColor ladderRight(128, 255, 255);
const QColor ladderWrong(255, 0, 0);
const QColor buttonNormal(192, 192, 255);
const QColor lifelineHover(255, 0, 0);
const QColor moneyHover(255, 255, 0);

const char *const answerNames[4] = {"lbl_A", "lbl_B", "lbl_C", "lbl_D"};
const char *const shapeNames[4] = {"shp_A", "shp_B", "shp_C", "shp_D"};

// The ladder labels, lowest step first, and their captions.
const char *const ladderNames[15] = {"lbl_100", "lbl_200", "lbl_300",  "lbl_500",  "lbl_1k",
                                     "lbl_2k",  "lbl_4k",  "lbl_8k",   "lbl_16k",  "lbl_32k",
                                     "lbl_64k", "lbl_125k", "lbl_250k", "lbl_500k", "lbl_1kk"};

// Labels searched by the verdict for the current step, per value band.
constexpr std::pair<int, int> bandSteps[4] = {{1, 5}, {6, 10}, {11, 14}, {15, 15}};

constexpr const char *rightFirst[4] = {"tmr_R_OZ11", "tmr_R_OZ12", "tmr_R_OZ13", "tmr_R_OZ14"};
constexpr const char *wrongFirst[4] = {"tmr_W_OZ11", "tmr_W_OZ12", "tmr_W_OZ13", "tmr_W_OZ14"};
constexpr int firstIntervals[4] = {2000, 3500, 5000, 7000};

} // namespace

QString moneyText(qint64 roubles)
{
    QString digits = QString::number(std::abs(roubles));
    for (int i = int(digits.size()) - 3; i > 0; i -= 3)
        digits.insert(i, QLatin1Char(' '));
    return roubles < 0 ? QLatin1Char('-') + digits : digits;
}

GameWindow::GameWindow() : Window(QStringLiteral("frm_game"))
{
    setWindowTitle(QStringLiteral("Карвелон"));
    setWindowFlag(Qt::FramelessWindowHint);
    setClientTwips(11970, 8970);
    setMouseTracking(true);
    // The window itself holds the keyboard focus, so its keys work and no button looks selected.
    setFocusPolicy(Qt::StrongFocus);
    random().seedFromClock();
    buildLayout();
    buildLadder();
    buildMenu();
    buildTimers();
}

int &GameWindow::drawnNumber(int level)
{
    static constexpr int GameWindow::*vars[15] = {
        &GameWindow::q100, &GameWindow::q200, &GameWindow::q300,  &GameWindow::q500,  &GameWindow::q1k,
        &GameWindow::q2k,  &GameWindow::q4k,  &GameWindow::q8k,   &GameWindow::q16k,  &GameWindow::q32k,
        &GameWindow::q64k, &GameWindow::q125k, &GameWindow::q250k, &GameWindow::q500k, &GameWindow::q1m};
    return this->*vars[level - 1];
}

Label *GameWindow::answerLabel(int k) const { return findChild<Label *>(QLatin1String(answerNames[k - 1])); }
Shape *GameWindow::answerShape(int k) const { return findChild<Shape *>(QLatin1String(shapeNames[k - 1])); }

void GameWindow::buildLayout()
{
    const QColor pale(192, 192, 255);
    auto label = [this](const char *name, const QString &text, QRect geo, const QFont &font, QColor fore,
                        Qt::Alignment align = Qt::AlignLeft | Qt::AlignVCenter) {
        auto *l = new Label(QLatin1String(name), this, text);
        l->setGeometry(geo);
        l->setFont(font);
        l->setForeColor(fore);
        l->setAlignment(align);
        return l;
    };

    // Title line and player.
    auto *title = label("lbl_title", QString(), QRect(160, 2, 548, 22),
                        designFont(QStringLiteral("Trebuchet MS"), 12, true), QColor(255, 255, 160),
                        Qt::AlignRight | Qt::AlignVCenter);
    title->setWordWrap(false);
    new Line(QStringLiteral("Line2"), this, QPoint(150, 27), QPoint(710, 27), QColor(128, 128, 255), 1);
    auto *frame = new Shape(QStringLiteral("shp_player"), this, Shape::Kind::RoundedRectangle);
    frame->setGeometry(8, 34, 224, 28);
    frame->setFillColor(QColor(0, 0, 96));
    frame->setBorderColor(QColor(128, 128, 255));
    auto *player = label("lbl_player", QString(), QRect(12, 37, 214, 22), designFont(QStringLiteral("Arial"), 12, true),
                         QColor(255, 255, 255), Qt::AlignRight | Qt::AlignVCenter);
    player->setWordWrap(false);
    // A name too long for the frame goes under it, in a smaller face that shrinks further and
    // then cuts the name short, so it never runs into the words beside it; the whole name is
    // in the label's text and its tool tip.
    auto *player1 = label("lbl_player1", QString(), QRect(8, 64, 224, 18), designFont(QStringLiteral("Arial"), 9, true),
                          QColor(255, 255, 255));
    player1->setWordWrap(false);
    player1->setShrinkToFit(7);
    label("lbl_sov",
          QStringLiteral("У вас появился отличный шанс стать карвелоном!\r\nТак используйте же его по максимуму!!!"),
          QRect(240, 32, 370, 50), designFont(QStringLiteral("Trebuchet MS"), 9, true), QColor(255, 255, 192),
          Qt::AlignRight | Qt::AlignVCenter);

    // Money lines: heading, number, unit.
    const struct {
        const char *head, *num, *unit, *text, *design;
    } lines[4] = {
        {"lbl_QuW", "lbl_Qu", "lbl_QuR", "Стоимость вопроса:", "100"},
        {"lbl_ZarW", "lbl_Zar", "lbl_ZarR", "Вы заработали:", "0"},
        {"lbl_ostW", "lbl_ost", "lbl_ostR", "При неверном ответе у вас останется:", "0"},
        {"lbl_loseW", "lbl_lose", "lbl_loseR", "При неверном ответе вы потеряете:", "0"},
    };
    const QFont moneyFont = designFont(QStringLiteral("Arial"), 10, true);
    for (int i = 0; i < 4; ++i) {
        const int y = 92 + i * 22;
        label(lines[i].head, QString::fromUtf8(lines[i].text), QRect(8, y, 290, 20), moneyFont, pale);
        label(lines[i].num, QString::fromUtf8(lines[i].design), QRect(300, y, 90, 20), moneyFont,
              QColor(255, 255, 128), Qt::AlignRight | Qt::AlignVCenter);
        label(lines[i].unit, QStringLiteral("рублей"), QRect(396, y, 60, 20), moneyFont, pale);
    }

    // Time display and the clock of the day.
    label("lbl_YouHave", QStringLiteral("У вас"), QRect(8, 186, 50, 26), designFont(QStringLiteral("Arial"), 12, true),
          pale);
    auto *time = label("lbl_Time", QStringLiteral("30"), QRect(58, 182, 40, 30),
                       designFont(QStringLiteral("Arial"), 16, true), QColor(192, 192, 255), Qt::AlignCenter);
    time->setWordWrap(false);
    label("lbl_Sek", QStringLiteral("сек."), QRect(100, 186, 50, 26), designFont(QStringLiteral("Arial"), 12, true),
          pale);
    auto *clock = label("lbl_CTime", QStringLiteral("CurTime"), QRect(470, 186, 138, 26),
                        designFont(QStringLiteral("Courier New"), 14, true), QColor(128, 255, 255),
                        Qt::AlignRight | Qt::AlignVCenter);
    clock->setWordWrap(false);

    timeBar_ = new gaugekit::Fillgauge(this);
    timeBar_->setObjectName(QStringLiteral("PrB_Time"));
    timeBar_->setGeometry(8, 216, 600, 20);
    timeBar_->setProperty("Style", 1);
    timeBar_->setProperty("Caption", QString());
    timeBar_->setProperty("Max", 30.0);
    timeBar_->setProperty("Min", 0.0);
    timeBar_->setProperty("FloodColor", 0xC00000);
    timeBar_->setProperty("Value", 30.0);

    // The question and the four answers on their shapes.
    auto *qbox = new Shape(QStringLiteral("shp_Question"), this, Shape::Kind::RoundedRectangle);
    qbox->setGeometry(8, 246, 600, 104);
    qbox->setFillColor(QColor(128, 128, 255));
    qbox->setBorderColor(QColor(255, 0, 0));
    qbox->setBorderWidth(2);
    auto *question = label("lbl_Question", QString(), QRect(18, 252, 580, 92),
                           designFont(QStringLiteral("Arial"), 14.25), QColor(0, 0, 0), Qt::AlignCenter);
    question->setWordWrap(true);
    for (int k = 0; k < 4; ++k) {
        const QRect box(8 + (k % 2) * 306, 362 + (k / 2) * 52, 294, 44);
        auto *s = new Shape(QLatin1String(shapeNames[k]), this, Shape::Kind::RoundedRectangle);
        s->setGeometry(box);
        s->setFillColor(neutralAnswer);
        s->setBorderColor(QColor(255, 255, 128));
        s->setBorderWidth(2);
        auto *a = label(answerNames[k], QString(), box.adjusted(10, 3, -10, -3),
                        designFont(QStringLiteral("MS Sans Serif"), 11, true), QColor(0, 0, 0));
        a->setWordWrap(true);
        a->setCursor(answerCursor());
        connect(a, &Label::clicked, this, [this, k] { chooseAnswer(k + 1); });
    }

    // Lifelines and taking the money.
    auto *help = label("lbl_help", QStringLiteral("Доступные подсказки:"), QRect(8, 470, 360, 20),
                       designFont(QStringLiteral("Arial"), 10, true), QColor(192, 192, 255));
    help->setWordWrap(false);
    const struct {
        const char *name, *caption;
        int x, w;
    } buttons[4] = {{"cmd_50", "50 : 50", 8, 113},
                    {"cmd_Zal", "Помощь зала", 129, 113},
                    {"cmd_Friend", "Звонок другу", 250, 113},
                    {"cmd_money", "Взять деньги", 458, 150}};
    for (const auto &b : buttons) {
        auto *btn = new PushButton(QLatin1String(b.name), QString::fromUtf8(b.caption), this);
        btn->setGeometry(b.x, 492, b.w, 25);
        btn->setFont(designFont(QStringLiteral("MS Sans Serif"), 8.25));
        const bool isMoney = qstrcmp(b.name, "cmd_money") == 0;
        connect(btn, &PushButton::mouseMoved, this, [btn, isMoney] {
            if (btn->backColor() == buttonNormal) {
                btn->setBackColor(isMoney ? moneyHover : lifelineHover);
                QFont f = btn->font();
                f.setBold(true);
                btn->setFont(f);
            }
        });
    }
    findChild<QWidget *>(QStringLiteral("cmd_money"))->hide();
    connect(findChild<PushButton *>(QStringLiteral("cmd_money")), &QAbstractButton::clicked, this,
            &GameWindow::takeMoney);
    connect(findChild<PushButton *>(QStringLiteral("cmd_50")), &QAbstractButton::clicked, this,
            &GameWindow::useFiftyFifty);
    connect(findChild<PushButton *>(QStringLiteral("cmd_Zal")), &QAbstractButton::clicked, this,
            &GameWindow::askTheAudience);
    connect(findChild<PushButton *>(QStringLiteral("cmd_Friend")), &QAbstractButton::clicked, this,
            &GameWindow::phoneAFriend);

    // The cheat-code hot spot sits on the ladder between the ninth step's number and its sum.
    auto *cheat = new Label(QStringLiteral("lbl_cheat"), this);
    cheat->setGeometry(664, 264, 9, 17);
    connect(cheat, &Label::mouseReleased, this, [](Qt::MouseButton button, Qt::KeyboardModifiers mods) {
        // Only the left button with exactly Shift and Ctrl held.
        if (button != Qt::LeftButton || mods != (Qt::ShiftModifier | Qt::ControlModifier))
            return;
        if (QWidget *entry = karv::window(QStringLiteral("frm_cheat")))
            QMetaObject::invokeMethod(entry, "summon");
    });

    // The caption bar's own buttons: minimise, maximise (never available) and close.
    const struct {
        const char *name;
        int value, left;
        const char *tip;
    } captionButtons[3] = {{"MINIMIZE_FORM", 2, 720, "Свернуть"},
                           {"RESIZE_FORM", 3, 744, "Развернуть не получится"},
                           {"EXIT_GAME", 0, 768, "Закрыть"}};
    for (const auto &cb : captionButtons) {
        auto *b = new TopButton(QLatin1String(cb.name), this, cb.value);
        b->move(cb.left, 0);
        b->setToolTip(QString::fromUtf8(cb.tip));
    }
    findChild<TopButton *>(QStringLiteral("RESIZE_FORM"))->setEnabled(false);
    connect(findChild<TopButton *>(QStringLiteral("MINIMIZE_FORM")), &TopButton::Click, this, &QWidget::showMinimized);
    connect(findChild<TopButton *>(QStringLiteral("EXIT_GAME")), &TopButton::Click, this, &GameWindow::askExit);
    findChild<TopButton *>(QStringLiteral("MINIMIZE_FORM"))->setValue(2);
    findChild<TopButton *>(QStringLiteral("RESIZE_FORM"))->setValue(3);

    // Commands.
    const struct {
        const char *name, *caption;
        int x;
    } commands[3] = {{"cmd_menu", "Меню", 8}, {"cmd_rules", "Правила", 128}, {"cmd_exit", "Выход", 248}};
    for (const auto &cmd : commands) {
        auto *b = new CommandButton(QLatin1String(cmd.name), QString::fromUtf8(cmd.caption), this);
        b->setGeometry(cmd.x, 556, 110, 30);
    }
    connect(findChild<CommandButton *>(QStringLiteral("cmd_menu")), &QAbstractButton::clicked, this, [this] {
        menu_->setDefaultAction(findChild<QAction *>(QStringLiteral("mnu_exit")));
        menu_->popup(QCursor::pos());
    });
    connect(findChild<CommandButton *>(QStringLiteral("cmd_rules")), &QAbstractButton::clicked, this,
            &GameWindow::openRules);
    connect(findChild<CommandButton *>(QStringLiteral("cmd_exit")), &QAbstractButton::clicked, this,
            &GameWindow::askExit);
}

void GameWindow::buildLadder()
{
    const int left = 620, rowHeight = 24, top = 112;
    for (int i = 0; i < 15; ++i) {
        const int step = i + 1;
        const int y = top + (15 - step) * rowHeight;
        const bool special = step == 5 || step == 10 || step == 15;
        auto *num = new Label(QStringLiteral("lbl_%1").arg(step), this, QString::number(step));
        num->setGeometry(left + 4, y, 36, rowHeight - 2);
        num->setFont(designFont(QStringLiteral("Arial"), special ? 11 : 10, special));
        num->setBackColor(QColor(0, 0, 0));
        num->setForeColor(QColor(192, 192, 255));
        num->setAlignment(Qt::AlignCenter);
        auto *step_ = new Label(QLatin1String(ladderNames[i]), this, moneyText(levels[size_t(i)].noq));
        step_->setGeometry(left + 56, y, 114, rowHeight - 2);
        step_->setFont(designFont(QStringLiteral("Arial"), special ? 11 : 10, true));
        step_->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        step_->setIndent(6);
        step_->setBackColor(ladderNormalBack);
        step_->setForeColor(ladderNormalText); // the guaranteed sums and the top differ by their face only
        ladder_[i] = step_;
    }
}

void GameWindow::buildMenu()
{
    menu_ = new QMenu(QStringLiteral("Меню игры"), this);
    menu_->setObjectName(QStringLiteral("mnu_menu"));
    auto item = [this](const char *name, const QString &text, const QKeySequence &key = {}) {
        QAction *a = menu_->addAction(text);
        a->setObjectName(QLatin1String(name));
        if (!key.isEmpty()) {
            a->setShortcut(key);
            a->setShortcutContext(Qt::WidgetShortcut); // the window's own keys handle F1 and F12
        }
        return a;
    };
    auto separator = [this](const char *name) { menu_->addSeparator()->setObjectName(QLatin1String(name)); };
    connect(item("mnu_prb", QStringLiteral("Спрятать полосу времени")), &QAction::triggered, this,
            &GameWindow::toggleTimeBar);
    separator("sep3");
    connect(item("mnu_num", QStringLiteral("Номер вопроса...")), &QAction::triggered, this,
            &GameWindow::showQuestionNumber);
    connect(item("mnu_sendMessage", QStringLiteral("Сообщить об ошибке в этом вопросе")), &QAction::triggered, this,
            &GameWindow::sendErrorReport);
    separator("sep2");
    connect(item("mnu_rules", QStringLiteral("Правила игры..."), QKeySequence(Qt::Key_F1)), &QAction::triggered,
            this, &GameWindow::openRules);
    connect(item("mnu_about", QStringLiteral("О программе..."), QKeySequence(Qt::Key_F12)), &QAction::triggered,
            this, &GameWindow::openAbout);
    separator("sep1");
    connect(item("mnu_mmenu", QStringLiteral("В главное меню")), &QAction::triggered, this,
            &GameWindow::returnToMainMenu);
    QAction *exit = item("mnu_exit", QStringLiteral("Выход"));
    connect(exit, &QAction::triggered, this, &GameWindow::askExit);
    QFont bold = exit->font();
    bold.setBold(true);
    exit->setFont(bold);
    menu_->setDefaultAction(exit);
}

void GameWindow::buildTimers()
{
    // Right answer: the right shape turns green and blinks; the step won turns light cyan.
    addChain(this, {
        {"tmr_R_OZ11", firstIntervals[0], [this] { verdictFirstStep(true, 1); }, "tmr_R_ZO2"},
        {"tmr_R_OZ12", firstIntervals[1], [this] { verdictFirstStep(true, 2); }, "tmr_R_ZO2"},
        {"tmr_R_OZ13", firstIntervals[2], [this] { verdictFirstStep(true, 3); }, "tmr_R_ZO2"},
        {"tmr_R_OZ14", firstIntervals[3], [this] { verdictFirstStep(true, 4); }, "tmr_R_ZO2"},
        {"tmr_R_ZO2", 200, [this] { answerShape(rt)->setFillColor(chosenAnswer); }, "tmr_R_OZ3"},
        {"tmr_R_OZ3", 200, [this] { answerShape(rt)->setFillColor(rightAnswer); }, "tmr_R_ZO4"},
        {"tmr_R_ZO4", 200, [this] { answerShape(rt)->setFillColor(chosenAnswer); }, "tmr_R_OZ5"},
        {"tmr_R_OZ5", 200,
         [this] {
             answerShape(rt)->setFillColor(rightAnswer);
             // The advance that leaves the step of `noq`; the top step leads to the win.
             const int level = levelOf(noq);
             if (level == 15)
                 startStep(this, "tmr_1mToWin");
             else if (level >= 1)
                 startStep(this, advances[size_t(level - 1)].timer);
         }},
    });
    // Wrong answer: the chosen shape stays orange, the right one blinks green and neutral.
    addChain(this, {
        {"tmr_W_OZ11", firstIntervals[0], [this] { verdictFirstStep(false, 1); }, "tmr_W_ZO2"},
        {"tmr_W_OZ12", firstIntervals[1], [this] { verdictFirstStep(false, 2); }, "tmr_W_ZO2"},
        {"tmr_W_OZ13", firstIntervals[2], [this] { verdictFirstStep(false, 3); }, "tmr_W_ZO2"},
        {"tmr_W_OZ14", firstIntervals[3], [this] { verdictFirstStep(false, 4); }, "tmr_W_ZO2"},
        {"tmr_W_ZO2", 200, [this] { answerShape(rt)->setFillColor(neutralAnswer); }, "tmr_W_OZ3"},
        {"tmr_W_OZ3", 200, [this] { answerShape(rt)->setFillColor(rightAnswer); }, "tmr_W_ZO4"},
        {"tmr_W_ZO4", 200, [this] { answerShape(rt)->setFillColor(neutralAnswer); }, "tmr_W_OZ5"},
        {"tmr_W_OZ5", 200, [this] { answerShape(rt)->setFillColor(rightAnswer); }, "tmr_W"},
        {"tmr_W", 3000, [this] { showGameOver(); }},
    });
    // The level advances, one a step, and the win.
    for (size_t i = 0; i < advances.size(); ++i)
        addChain(this, {{advances[i].timer, advanceInterval, [this, i] { advance(int(i) + 1); }}});
    addChain(this, {{"tmr_1mToWin", advanceInterval, [this] { showWin(); }}});

    auto *clock = new QTimer(this);
    clock->setObjectName(QStringLiteral("tmr_time"));
    clock->setInterval(1000);
    connect(clock, &QTimer::timeout, this, &GameWindow::clockTick);

    // The clock of the day. A tick costs one read of the system clock; the label is written
    // (and repainted) only when a new second begins.
    auto *dayClock = new QTimer(this);
    dayClock->setObjectName(QStringLiteral("tmr_CTime"));
    dayClock->setInterval(10);
    dayClock->setTimerType(Qt::CoarseTimer);
    connect(dayClock, &QTimer::timeout, this, [this, clockLabel = findChild<Label *>(QStringLiteral("lbl_CTime")),
                                               shownSecond = qint64(-1)]() mutable {
        const qint64 second = QDateTime::currentMSecsSinceEpoch() / 1000;
        if (second == shownSecond)
            return;
        shownSecond = second;
        clockLabel->setText(QTime::currentTime().toString(QStringLiteral("HH:mm:ss")));
    });
    dayClock->start();
}

void GameWindow::Question_100()
{
    money = 0;
    summa = 0;
    sMoney = QStringLiteral("0");
    sSumma = QStringLiteral("0");
    timeBar_->setProperty("Value", 30.0);
    if (optionFlag("time") == 1)
        namedTimer(this, "tmr_time")->start();
    drawQuestion(1);
}

void GameWindow::drawQuestion(int level)
{
    const QuestionBank &bank = QuestionBank::level(level);
    if (bank.size() == 0)
        return;
    const int n = drawNumber(random().next(), bank.size());
    drawnNumber(level) = n;
    const QuestionRecord &r = bank.record(n);
    findChild<Label *>(QStringLiteral("lbl_Question"))->setText(r.question);
    for (int k = 1; k <= 4; ++k)
        answerLabel(k)->setText(r.answers[size_t(k - 1)]);
    rt = r.right;
}

void GameWindow::chooseAnswer(int k)
{
    if (c == 1)
        return;
    for (int i = 1; i <= 4; ++i)
        answerLabel(i)->setCursor(Qt::ArrowCursor);
    namedTimer(this, "tmr_time")->stop();
    answerShape(k)->setFillColor(chosenAnswer);
    c = 1;
    HideControlsForVerdict();
    const int band = difficultyClass(noq);
    startStep(this, rt == k ? rightFirst[band - 1] : wrongFirst[band - 1]);
}

void GameWindow::useFiftyFifty()
{
    hideLifeline(QStringLiteral("cmd_50"));
    fi = 1;
    if (z == 1 && fr == 1)
        findChild<QWidget *>(QStringLiteral("lbl_help"))->hide();
    const auto [a, b] = fiftyFiftyDraw(random(), rt);
    for (int k = 1; k <= 4; ++k)
        if (k == a || k == b)
            answerLabel(k)->hide();
}

void GameWindow::askTheAudience()
{
    QWidget *hall = karv::window(QStringLiteral("frm_zal"));
    if (!hall)
        return;
    QMetaObject::invokeMethod(hall, "open", Q_ARG(QWidget *, this));
}

void GameWindow::phoneAFriend()
{
    QWidget *phone = karv::window(QStringLiteral("frm_friend"));
    if (!phone)
        return;
    QMetaObject::invokeMethod(phone, "open", Q_ARG(QWidget *, this));
}

void GameWindow::hideLifeline(const QString &name)
{
    // A hidden button hands its keyboard focus to the next one, which would put a lifeline the
    // player never aimed at under the next Space press: the focus comes back to the window.
    QWidget *button = findChild<QWidget *>(name);
    const bool focused = button->hasFocus();
    button->hide();
    if (focused)
        setFocus();
}

void GameWindow::HideControlsForVerdict()
{
    for (const char *name : {"lbl_help", "lbl_cheat", "cmd_50", "cmd_Zal", "cmd_Friend", "cmd_money", "cmd_exit",
                             "cmd_menu", "cmd_rules"})
        findChild<QWidget *>(QLatin1String(name))->hide();
    setFocus();
}

void GameWindow::PrepareNextQuestion()
{
    for (int k = 1; k <= 4; ++k)
        answerLabel(k)->setCursor(answerCursor());
    c = 0;
    findChild<QWidget *>(QStringLiteral("lbl_cheat"))->show();
    for (int k = 1; k <= 4; ++k)
        if (answerLabel(k)->isHidden())
            answerLabel(k)->show();
    for (int k = 1; k <= 4; ++k)
        answerShape(k)->setFillColor(neutralAnswer);
    for (const char *name : {"cmd_exit", "cmd_menu", "cmd_rules"})
        findChild<QWidget *>(QLatin1String(name))->show();
    // No money is offered on the question that follows a guaranteed sum.
    if (noq != 2000 && noq != 64000)
        findChild<QWidget *>(QStringLiteral("cmd_money"))->show();
    if (fi == 0)
        findChild<QWidget *>(QStringLiteral("cmd_50"))->show();
    if (z == 0)
        findChild<QWidget *>(QStringLiteral("cmd_Zal"))->show();
    if (fr == 0)
        findChild<QWidget *>(QStringLiteral("cmd_Friend"))->show();
    if (!(fi == 1 && z == 1 && fr == 1))
        findChild<QWidget *>(QStringLiteral("lbl_help"))->show();
}

void GameWindow::markBand(int band, const QColor &color)
{
    if (band == 4) {
        ladder_[14]->setBackColor(color);
        return;
    }
    const auto [from, to] = bandSteps[band - 1];
    for (int step = from; step <= to; ++step)
        if (ladder_[step - 1]->backColor() == ladderCurrent)
            ladder_[step - 1]->setBackColor(color);
}

void GameWindow::verdictFirstStep(bool right, int band)
{
    answerShape(rt)->setFillColor(rightAnswer);
    markBand(band, right ? ladderRight : ladderWrong);
    if (!right && band > 1) {
        // The guaranteed sum the player keeps.
        Label *kept = band == 2 ? ladder_[4] : ladder_[9];
        kept->setBackColor(ladderRight);
        kept->setForeColor(QColor(0, 0, 0));
    }
}

void GameWindow::setLadderLook(int level, bool current)
{
    Label *l = ladder_[level - 1];
    l->setBackColor(current ? ladderCurrent : ladderNormalBack);
    l->setForeColor(current ? QColor(0, 0, 0) : ladderNormalText);
}

void GameWindow::advance(int fromLevel)
{
    const AdvanceRow &row = advances[size_t(fromLevel - 1)];
    findChild<Label *>(QStringLiteral("lbl_Qu"))->setText(QString::fromUtf8(row.qu));
    findChild<Label *>(QStringLiteral("lbl_Zar"))->setText(QString::fromUtf8(row.zar));
    findChild<Label *>(QStringLiteral("lbl_ost"))->setText(QString::fromUtf8(row.ost));
    findChild<Label *>(QStringLiteral("lbl_lose"))->setText(QString::fromUtf8(row.lose));
    if (row.summa >= 0) {
        summa = row.summa;
        sSumma = QString::fromUtf8(row.sSumma);
    }
    money = row.money;
    noq = row.noq;
    sMoney = QString::fromUtf8(row.sMoney);
    PrepareNextQuestion();
    if (optionFlag("time") == 1)
        StartQuestionClock(row.limit);
    setLadderLook(fromLevel, false);
    setLadderLook(fromLevel + 1, true);
    drawQuestion(fromLevel + 1);
}

void GameWindow::StartQuestionClock(int seconds)
{
    timeBar_->setProperty("FloodColor", 0xC00000);
    timeBar_->setProperty("Max", double(seconds));
    timeBar_->setProperty("Value", double(seconds));
    auto *time = findChild<Label *>(QStringLiteral("lbl_Time"));
    time->setText(QString::number(seconds));
    time->setForeColor(QColor(192, 192, 255));
    namedTimer(this, "tmr_time")->start();
}

void GameWindow::clockTick()
{
    const double value = timeBar_->property("Value").toDouble() - 1;
    try {
        timeBar_->setProperty("Value", value);
    } catch (...) {
        // The bar refuses a value below its minimum, and any other failure of the tick
        // ends the question the same way: the time is up.
        TimeOutEnding();
        return;
    }
    auto *time = findChild<Label *>(QStringLiteral("lbl_Time"));
    const int shown = int(value);
    time->setText(QString::number(shown));
    const int limit = int(timeBar_->property("Max").toDouble());
    if (clockStage(limit, shown) == ClockStage::Warning) {
        time->setForeColor(QColor(255, 255, 0));
        timeBar_->setProperty("FloodColor", 0xFF0000);
    }
    if (clockStage(limit, shown) == ClockStage::Urgent) {
        time->setForeColor(QColor(255, 0, 0));
        timeBar_->setProperty("FloodColor", 0x0000C0);
    }
    if (time->foreColor() == QColor(255, 0, 0) && optionFlag("tik") == 1)
        desktop().beep();
}

void GameWindow::TimeOutEnding()
{
    namedTimer(this, "tmr_time")->stop();
    // The question is over: a box still asking about it is answered "Нет", and a window opened
    // from the game goes back the way it came, so the took-the-money window is the only one left.
    dismissOpenBoxes();
    menu_->close();
    for (const char *name : {"frm_cheat", "frm_rules", "frmAbout"})
        if (QWidget *w = loadedWindow(QLatin1String(name)); w && w->isVisible())
            w->close();
    if (QWidget *moneyWindow = karv::window(QStringLiteral("frm_money"))) {
        auto set = [moneyWindow](const char *name, const QString &text) {
            if (auto *l = moneyWindow->findChild<QLabel *>(QLatin1String(name)))
                l->setText(text);
        };
        set("lbl_words", QStringLiteral("Вам не хватило времени?\r\nТогда в следующий раз думайте побыстрее или "
                                        "отключите опцию времени на раздумье.\r\nА на этот раз вы выиграли"));
        set("lbl_r", QStringLiteral("Ведь вы выбрали правильный ответ! Что вам мешало ответить чуть раньше? Тогда вы "
                                    "бы пошли дальше. А пока остается только пожелать вам удачи в следующей игре "
                                    "''Карвелон''!"));
        set("lbl_W", QStringLiteral("Все-таки иногда нехватка времени бывает полезной! Не теряйте ни секунды и "
                                    "сыграйте опять в ''Карвелон''!"));
    }
    m = 1;
    takeMoney();
    m = 0;
}

void GameWindow::takeMoney()
{
    if (m == 0
        && !(dialogs().askYesNo(this, MessageIcon::Question, QStringLiteral("Взять деньги?"),
                                QStringLiteral("Вы действительно хотите прекратить игру и взять %1 рублей?").arg(sMoney))
             && stillOnScreen(this)))
        return;
    namedTimer(this, "tmr_time")->stop();
    QWidget *moneyWindow = karv::window(QStringLiteral("frm_money"));
    if (!moneyWindow)
        return;
    QMetaObject::invokeMethod(moneyWindow, "takeOver", Q_ARG(QWidget *, this));
    hide();
    moneyWindow->show();
    moneyWindow->activateWindow();
}

void GameWindow::showGameOver()
{
    QWidget *end = karv::window(QStringLiteral("frm_end"));
    if (end)
        if (auto *l = end->findChild<QLabel *>(QStringLiteral("lbl_money")))
            l->setText(QStringLiteral("Выигрыш: %1 руб.").arg(sSumma));
    hide();
    if (end)
        end->show();
}

void GameWindow::showWin()
{
    hide();
    if (QWidget *win = karv::window(QStringLiteral("frm_win")))
        win->show();
    CountWins();
}

void GameWindow::CountWins()
{
    using namespace datafiles;
    const WinCount next = nextWinCount(readLine(QLatin1String(winsFile)));
    switch (next.action) {
    case WinCount::Action::WriteCount:
        writeLine(QLatin1String(winsFile), next.line);
        break;
    case WinCount::Action::ThirdWin:
        dialogs().message(karv::window(QStringLiteral("frm_win")), MessageIcon::Information,
                          QStringLiteral("Да прибудут чит-коды!"),
                          QStringLiteral("Вы дошли до миллиона три раза!\r\nТеперь вы можете просмотреть информацию по "
                                         "чит-кодам игры, кликнув на значок\r\nв окне ''О программе...''!"));
        writeLine(QLatin1String(winsFile), next.line);
        SaveCheatSetting();
        break;
    case WinCount::Action::Nothing:
        break;
    }
}

void GameWindow::SaveCheatSetting() { datafiles::writeLine(QLatin1String(datafiles::cheatFile), QStringLiteral("20")); }

void GameWindow::showPlayer(const QString &name)
{
    // Both labels keep their right edge: a longer text moves the left edge to the left.
    auto *player = findChild<Label *>(QStringLiteral("lbl_player"));
    auto *player1 = findChild<Label *>(QStringLiteral("lbl_player1"));
    auto *frame = findChild<Shape *>(QStringLiteral("shp_player"));
    auto fitRight = [](Label *l) {
        const int right = l->geometry().right();
        const int width = l->fontMetrics().horizontalAdvance(l->text()) + 2 * l->margin() + 4;
        l->setGeometry(right - width + 1, l->y(), width, l->height());
    };
    player->setText(name);
    fitRight(player);
    player1->clear();
    player1->setToolTip(QString());
    if (frame->x() + px(10) > player->x()) {
        player->clear();
        player1->setText(name);
        if (player1->fittedText() != name)
            player1->setToolTip(name);
    }
    auto *title = findChild<Label *>(QStringLiteral("lbl_title"));
    auto *line = findChild<Line *>(QStringLiteral("Line2"));
    title->setText(name + QStringLiteral(" хочет стать карвелоном!"));
    fitRight(title);
    if (title->x() <= line->start().x()) {
        title->setText(QStringLiteral("И откуда берутся такие длинные имена? :-)"));
        fitRight(title);
    }
}

void GameWindow::paintEvent(QPaintEvent *)
{
    QPainter p(this);
    paintBackdrop(p, rect(), QColor(0, 0, 80), QColor(0, 0, 24));
    p.setPen(QPen(QColor(128, 128, 255), 1));
    p.drawRect(rect().adjusted(0, 0, -1, -1));
    // The ladder's panel.
    p.setPen(QPen(QColor(128, 128, 255), 2));
    p.setBrush(QColor(0, 0, 0));
    p.drawRoundedRect(QRect(616, 106, 178, 372), 6, 6);
}

void GameWindow::keyPressEvent(QKeyEvent *e)
{
    if (minimiseOnAltEnter(e))
        return;
    switch (e->key()) {
    case Qt::Key_Escape: askExit(); break;
    case Qt::Key_F1: openRules(); break;
    case Qt::Key_F12: openAbout(); break;
    default: break;
    }
}

void GameWindow::mouseMoveEvent(QMouseEvent *) { restoreHoverLooks(); }

void GameWindow::restoreHoverLooks()
{
    for (const char *name : {"cmd_50", "cmd_Zal", "cmd_Friend", "cmd_money"}) {
        auto *b = findChild<PushButton *>(QLatin1String(name));
        const QColor hover = qstrcmp(name, "cmd_money") == 0 ? moneyHover : lifelineHover;
        if (b->backColor() == hover) {
            b->setBackColor(buttonNormal);
            QFont f = b->font();
            f.setBold(false);
            b->setFont(f);
        }
    }
}

void GameWindow::mousePressEvent(QMouseEvent *) { menu_->hide(); }

void GameWindow::closeEvent(QCloseEvent *e)
{
    // The window manager's close asks first, like the caption bar's own close button.
    e->ignore();
    askExit();
}

void GameWindow::askExit() { askToQuit(this, "До скорой встречи в игре ''Карвелон''!"); }

void GameWindow::returnToMainMenu()
{
    if (!dialogs().askYesNo(this, MessageIcon::Question, QStringLiteral("Выход в главное меню"),
                            QStringLiteral("Вы действительно хотите закончить эту игру и выйти в главное меню?"))
        || !stillOnScreen(this))
        return;
    backToMainMenu(this);
}

void GameWindow::showQuestionNumber()
{
    const int level = levelOf(noq);
    if (!level)
        return;
    dialogs().message(this, MessageIcon::Information, QStringLiteral("Номер вопроса"),
                      QStringLiteral("Номер этого вопроса:\r\n%1 - %2")
                          .arg(QLatin1String(levels[size_t(level - 1)].code))
                          .arg(drawnNumber(level)));
}

void GameWindow::sendErrorReport()
{
    const int level = levelOf(noq);
    if (!level)
        return;
    showMinimized();
    // Brought back with the address and subject to write to when no mail program takes it.
    sendMail(this, QLatin1String(authorEmail),
             errorReportSubject(QLatin1String(levels[size_t(level - 1)].code), drawnNumber(level)));
}

void GameWindow::openRules()
{
    QWidget *rules = karv::window(QStringLiteral("frm_rules"));
    if (!rules)
        return;
    rules->setProperty("forma", 1);
    setEnabled(false);
    rules->show();
}

void GameWindow::openAbout()
{
    if (!karv::window(QStringLiteral("frmAbout")))
        return;
    karv::window(QStringLiteral("frmAbout"))->setProperty("forma", 1);
    ShowAbout(this);
}

void GameWindow::toggleTimeBar()
{
    QAction *item = findChild<QAction *>(QStringLiteral("mnu_prb"));
    if (item->text() == QStringLiteral("Спрятать полосу времени")) {
        item->setText(QStringLiteral("Показать полосу времени"));
        timeBar_->hide();
    } else if (item->text() == QStringLiteral("Показать полосу времени")) {
        item->setText(QStringLiteral("Спрятать полосу времени"));
        timeBar_->show();
    }
}

} // namespace karv
