#include "lifelines/friendwindow.h"

#include <QTimer>

#include "app/chain.h"
#include "app/services.h"
#include "app/ui.h"
#include "app/widgets.h"
#include "controls/commandbutton.h"
#include "controls/radiobutton.h"
#include "gauge/fillgauge.h"
#include "lifelines/lifelinerules.h"

namespace karv {

namespace {
const QColor windowColour(0, 0, 192);

QString optionName(int k) { return QStringLiteral("opt_%1").arg(k); }
} // namespace

FriendWindow::FriendWindow() : LifelineWindow(QStringLiteral("frm_friend"))
{
    setWindowTitle(QStringLiteral("Звонок другу"));
    random().seedFromClock();

    auto *words = new Label(QStringLiteral("lbl_words"), this,
                            QStringLiteral("Выберите одного из доступных друзей и позвоните:"));
    words->setGeometry(twipRect(1125, 600, 9735, 735));
    words->setFont(designFont(QStringLiteral("Courier New"), 15.75, true));
    words->setForeColor(QColor(0, 255, 255));
    words->setAlignment(Qt::AlignCenter);

    auto *frame = new Shape(QStringLiteral("shp_opts"), this);
    frame->setGeometry(twipRect(1178, 1800, 9615, 2415));
    frame->setFilled(false);
    frame->setBorderColor(QColor(128, 128, 255));
    frame->setBorderWidth(2);

    for (int k = 1; k <= 8; ++k) {
        auto *option = new RadioButton(optionName(k), this, QString::fromUtf8(friends[size_t(k - 1)].caption));
        option->setGeometry(twipRect(1538, 2040 + (k - 1) * 240, 9075, 255));
        option->setCaptionFont(designFont(QStringLiteral("Arial"), 9.75, true));
        option->setForeColor(QColor(192, 192, 255));
        option->setBackColor(windowColour);
        connect(option, &RadioButton::Click, this, [this] {
            if (QWidget *callButton = findChild<QWidget *>(QStringLiteral("cmd_call")); callButton->isHidden())
                callButton->show();
        });
    }

    auto *callButton = new CommandButton(QStringLiteral("cmd_call"), QStringLiteral("Звоним!"), this);
    callButton->setGeometry(twipRect(5265, 4320, 1455, 375));
    callButton->hide();
    connect(callButton, &QAbstractButton::clicked, this, &FriendWindow::call);

    auto *status = new Label(QStringLiteral("lbl_status"), this, QStringLiteral("Набираем номер..."));
    status->setGeometry(twipRect(3038, 840, 5895, 375));
    status->setFont(designFont(QStringLiteral("Trebuchet MS"), 12, true));
    status->setForeColor(QColor(255, 255, 192));
    status->setAlignment(Qt::AlignCenter);
    status->hide();

    auto *dialling = new gaugekit::Fillgauge(this);
    dialling->setObjectName(QStringLiteral("prb_status"));
    dialling->setGeometry(twipRect(3038, 1200, 5895, 255));
    dialling->setProperty("Style", 1);
    dialling->setProperty("Caption", QString());
    dialling->setProperty("BackColor", 0x400000u);
    dialling->setProperty("FloodColor", 0xFFFF00u);
    dialling->setProperty("Min", 0.0);
    dialling->setProperty("Max", 100.0);
    dialling->setProperty("Value", 0.0);
    dialling->hide();

    auto *answer = new Label(QStringLiteral("lbl_answer"), this);
    answer->setGeometry(twipRect(1418, 2400, 9135, 1335));
    answer->setFont(designFont(QStringLiteral("Trebuchet MS"), 15.75, true));
    answer->setForeColor(QColor(255, 255, 0));
    answer->setAlignment(Qt::AlignCenter);
    // It lies over the friend list: the clicks belong to the list.
    answer->setAttribute(Qt::WA_TransparentForMouseEvents);

    auto *okButton = new CommandButton(QStringLiteral("cmd_OK"), QStringLiteral("OK"), this);
    okButton->setGeometry(twipRect(5265, 3960, 1455, 375));
    okButton->hide();
    connect(okButton, &QAbstractButton::clicked, this, &FriendWindow::ok);

    addQuestion(2865, 4800, 6255, 1815);
    addAnswers({QPoint(2858, 6840), QPoint(6218, 6840), QPoint(2858, 7800), QPoint(6218, 7800)});

    auto *timer = new QTimer(this);
    timer->setObjectName(QStringLiteral("tmr_status"));
    timer->setInterval(10);
    timer->setTimerType(Qt::PreciseTimer); // the dialling keeps its one second
    connect(timer, &QTimer::timeout, this, &FriendWindow::dial);
}

void FriendWindow::open(QWidget *game)
{
    if (!game || isVisible())
        return;
    game_ = game;
    if (QWidget *button = gameControl("cmd_Friend"))
        button->hide();
    if (QTimer *clock = namedTimer(game, "tmr_time"))
        clock->stop();
    game->setProperty("fr", 1);
    noq = difficultyClass(game->property("noq").toInt());
    if (game->property("z").toInt() == 1 && game->property("fi").toInt() == 1)
        if (QWidget *help = gameControl("lbl_help"))
            help->hide();
    copyQuestionFrom(game);
    takePlaceOf(game);
}

void FriendWindow::call()
{
    rt = game_ ? game_->property("rt").toInt() : rt;
    for (const char *name : {"cmd_call", "lbl_words", "shp_opts"})
        findChild<QWidget *>(QLatin1String(name))->hide();
    for (int k = 1; k <= 8; ++k)
        findChild<QWidget *>(optionName(k))->hide();
    findChild<QWidget *>(QStringLiteral("lbl_status"))->show();
    findChild<QWidget *>(QStringLiteral("prb_status"))->show();
    namedTimer(this, "tmr_status")->start();
}

void FriendWindow::dial()
{
    QWidget *dialling = findChild<QWidget *>(QStringLiteral("prb_status"));
    const double value = dialling->property("Value").toDouble() + 1;
    dialling->setProperty("Value", value);
    if (value < dialling->property("Max").toDouble())
        return;
    findChild<QWidget *>(QStringLiteral("cmd_OK"))->show();
    namedTimer(this, "tmr_status")->stop();
    findChild<QWidget *>(QStringLiteral("lbl_status"))->hide();
    dialling->hide();
    friendNo = 0;
    reply();
}

void FriendWindow::reply()
{
    const int fi = game_ ? game_->property("fi").toInt() : 0;
    for (int k = 1; k <= 8 && friendNo == 0; ++k)
        if (findChild<RadioButton *>(optionName(k))->value())
            friendNo = k;
    const FriendReply said = friendReply(random(), friendNo, noq, rt, twoAnswersRemoved(fi), answersShown());
    nrt = said.nrt;
    saysWrong = said.saysWrong;
    roll = said.roll;
    std::array<QString, 4> captions;
    for (int k = 1; k <= 4; ++k)
        captions[size_t(k - 1)] = answerLabel(k)->text();
    findChild<QLabel *>(QStringLiteral("lbl_answer"))->setText(friendReplyText(said, captions));
}

void FriendWindow::ok() { returnToGame(); }

bool FriendWindow::mayClose() const { return !findChild<QWidget *>(QStringLiteral("cmd_OK"))->isHidden(); }

void FriendWindow::closeNow() { ok(); }

} // namespace karv
