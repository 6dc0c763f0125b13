#include "lifelines/zalwindow.h"

#include <QTimer>

#include <cmath>

#include "app/chain.h"
#include "app/services.h"
#include "app/ui.h"
#include "app/widgets.h"
#include "controls/commandbutton.h"
#include "gauge/fillgauge.h"
#include "lifelines/lifelinerules.h"

namespace karv {

namespace {
const QColor pale(192, 192, 255);
const QColor markerFill(255, 255, 0), markerBorder(0, 192, 0);
const QColor leaderFill(0, 255, 0), leaderBorder(128, 128, 255);
const QColor chosen(255, 128, 0);
constexpr char letters[4] = {'A', 'B', 'C', 'D'};
// The bars grow by a fiftieth of their share a tick.
constexpr int growTicks = 50;

QString name(const char *prefix, int k) { return QLatin1String(prefix) + QLatin1Char(letters[k - 1]); }
QString percentText(int value) { return QString::number(value) + QLatin1Char('%'); }
} // namespace

ZalWindow::ZalWindow() : LifelineWindow(QStringLiteral("frm_zal"))
{
    setWindowTitle(QStringLiteral("Помощь зала"));
    addQuestion(2865, 120, 6255, 1815);
    addAnswers({QPoint(2865, 2160), QPoint(6225, 2160), QPoint(2865, 3120), QPoint(6225, 3120)});
    // The answers take the window's own pointer until the hall has answered; the pick pointer
    // comes with the result.
    for (int k = 1; k <= 4; ++k)
        connect(answerLabel(k), &Label::clicked, this, [this, k] { pick(k); });

    // Result markers: left of A and C, right of B and D.
    const std::array<QPoint, 4> markers = {QPoint(1898, 2160), QPoint(9338, 2160), QPoint(1898, 3120),
                                           QPoint(9338, 3120)};
    for (int k = 1; k <= 4; ++k) {
        const QRect geo = twipRect(markers[size_t(k - 1)].x(), markers[size_t(k - 1)].y(), 735, 735);
        auto *marker = new Shape(name("shp_val", k), this, Shape::Kind::RoundedRectangle);
        marker->setGeometry(geo);
        marker->setFillColor(markerFill);
        marker->setBorderColor(markerBorder);
        marker->setBorderWidth(2);
        marker->hide();
        auto *value = new Label(name("lbl_val", k), this, QStringLiteral("100%"));
        value->setGeometry(geo);
        value->setFont(designFont(QStringLiteral("Arial"), 11.25, true));
        value->setForeColor(QColor(0, 0, 192));
        value->setAlignment(Qt::AlignCenter);
        value->setWordWrap(false);
        value->hide();
    }

    auto *ok = new CommandButton(QStringLiteral("cmd_OK"), QStringLiteral("OK"), this);
    ok->setGeometry(twipRect(5138, 3960, 1695, 375));
    ok->hide();
    connect(ok, &QAbstractButton::clicked, this, &ZalWindow::ok);

    const QColor lineColour(128, 128, 255);
    new Line(QStringLiteral("Line3"), this, QPoint(px(240), px(4148)), QPoint(px(4898), px(4148)), lineColour);
    new Line(QStringLiteral("Line4"), this, QPoint(px(7073), px(4148)), QPoint(px(11730), px(4148)), lineColour);
    new Line(QStringLiteral("Line7"), this, QPoint(px(240), px(8618)), QPoint(px(3698), px(8618)), lineColour);
    new Line(QStringLiteral("Line8"), this, QPoint(px(8273), px(8618)), QPoint(px(11730), px(8618)), lineColour);

    // The panel ends a little above the window's lower edge so that its frame shows all round.
    auto *panel = new Shape(QStringLiteral("shp_PrB"), this);
    panel->setGeometry(twipRect(3938, 4560, 4095, 4350));
    panel->setFillColor(QColor(0, 0, 128));
    panel->setBorderColor(pale);

    const int barLeft[4] = {4245, 5205, 6165, 7125};
    for (int k = 1; k <= 4; ++k) {
        const int left = barLeft[k - 1];
        auto *gauge = new gaugekit::Fillgauge(this);
        gauge->setObjectName(name("prb_", k));
        gauge->setProperty("Orientation", 1); // turning the bar swaps its width and height: size it after
        gauge->setGeometry(twipRect(left, 5160, 615, 3135));
        gauge->setProperty("Style", 1);
        gauge->setProperty("Caption", QString());
        gauge->setProperty("BackColor", 0x400000u);
        gauge->setProperty("FloodColor", 0x80FFFFu);
        gauge->setProperty("Min", 0.0);
        gauge->setProperty("Max", 100.0);
        gauge->setProperty("Value", 0.0);
        gauge->hide();

        auto *percent = new Label(name("lbl_per", k), this, QStringLiteral("0%"));
        percent->setGeometry(twipRect(left - 180, 4680, 975, 375));
        percent->setFont(designFont(QStringLiteral("Arial"), 12, true));
        percent->setForeColor(pale);
        percent->setAlignment(Qt::AlignCenter);
        percent->setWordWrap(false);
        percent->hide();

        auto *letter = new Label(name("lbl_l", k), this, QString(QLatin1Char(letters[k - 1])));
        letter->setGeometry(twipRect(left, 8340, 615, 555));
        letter->setFont(designFont(QStringLiteral("Courier New"), 21.75, true));
        letter->setForeColor(QColor(255, 255, 0));
        letter->setAlignment(Qt::AlignCenter);
        letter->hide();
    }

    auto *words = new Label(QStringLiteral("lbl_words"), this, QStringLiteral("Подождите, пока зал подготовится..."));
    words->setGeometry(twipRect(4125, 5520, 3735, 495));
    words->setFont(designFont(QStringLiteral("Arial"), 12, true));
    words->setForeColor(pale);
    words->setAlignment(Qt::AlignCenter);

    addChain(this, {
        {"tmr_wait", 1000, [this] { prepare(); }},
        {"tmr_click", 1500, [this] { handPickToGame(); }},
    });
    auto *grow = new QTimer(this);
    grow->setObjectName(QStringLiteral("tmr_prb"));
    grow->setInterval(25);
    grow->setTimerType(Qt::PreciseTimer);
    connect(grow, &QTimer::timeout, this, &ZalWindow::growBars);
}

gaugekit::Fillgauge *ZalWindow::bar(int k) const { return findChild<gaugekit::Fillgauge *>(name("prb_", k)); }

void ZalWindow::open(QWidget *game)
{
    if (!game || isVisible())
        return;
    game_ = game;
    if (QWidget *button = gameControl("cmd_Zal"))
        button->hide();
    game->setProperty("z", 1);
    Click = 0;
    if (game->property("fr").toInt() == 1 && game->property("fi").toInt() == 1)
        if (QWidget *help = gameControl("lbl_help"))
            help->hide();
    noq = difficultyClass(game->property("noq").toInt());
    rt = game->property("rt").toInt();
    if (QTimer *clock = namedTimer(game, "tmr_time"))
        clock->stop();
    copyQuestionFrom(game);
    takePlaceOf(game);
    startStep(this, "tmr_wait");
}

void ZalWindow::prepare()
{
    findChild<QWidget *>(QStringLiteral("lbl_words"))->hide();
    for (int k = 1; k <= 4; ++k) {
        bar(k)->show();
        findChild<QWidget *>(name("lbl_l", k))->show();
        findChild<QWidget *>(name("lbl_per", k))->show();
    }
    const int fi = game_ ? game_->property("fi").toInt() : 0;
    const Poll poll = twoAnswersRemoved(fi) ? twoAnswerPoll(random(), noq, rt, answersShown())
                                            : fourAnswerPoll(random(), noq, rt);
    pc = poll.percent;
    roll = poll.roll;
    ticks_ = 0;
    namedTimer(this, "tmr_prb")->start();
}

void ZalWindow::growBars()
{
    ++ticks_;
    for (int k = 1; k <= 4; ++k) {
        // A fiftieth of the share a tick, never beyond it.
        const double value = std::min(double(pc[size_t(k - 1)]), pc[size_t(k - 1)] * double(ticks_) / growTicks);
        bar(k)->setProperty("Value", value);
        findChild<QLabel *>(name("lbl_per", k))->setText(percentText(int(std::floor(value))));
    }
    // Every bar with a share reaches it on the same tick; bars with none stay empty.
    if (ticks_ >= growTicks)
        showResult();
}

void ZalWindow::showResult()
{
    for (int k = 1; k <= 4; ++k) {
        findChild<QLabel *>(name("lbl_per", k))->setText(percentText(pc[size_t(k - 1)]));
        findChild<QLabel *>(name("lbl_val", k))->setText(percentText(pc[size_t(k - 1)]));
    }
    // The leaders are read from the markers' own captions, as shown.
    std::array<int, 4> shown{};
    for (int k = 1; k <= 4; ++k)
        shown[size_t(k - 1)] = findChild<QLabel *>(name("lbl_val", k))->text().chopped(1).toInt();
    const std::array<bool, 4> leaders = pollLeaders(shown);
    for (int k = 1; k <= 4; ++k) {
        auto *marker = findChild<Shape *>(name("shp_val", k));
        if (leaders[size_t(k - 1)]) {
            marker->setFillColor(leaderFill);
            marker->setBorderColor(leaderBorder);
        }
        findChild<QWidget *>(name("lbl_per", k))->show();
        marker->show();
        findChild<QWidget *>(name("lbl_val", k))->show();
    }
    findChild<QWidget *>(QStringLiteral("cmd_OK"))->show();
    for (int k = 1; k <= 4; ++k)
        answerLabel(k)->setCursor(answerCursor());
    namedTimer(this, "tmr_prb")->stop();
}

void ZalWindow::pick(int k)
{
    // Only once the hall has answered, and only one answer.
    if (findChild<QWidget *>(QStringLiteral("cmd_OK"))->isHidden() || Click != 0 || answerLabel(k)->isHidden())
        return;
    Click = 1;
    for (int i = 1; i <= 4; ++i)
        answerLabel(i)->setCursor(Qt::ArrowCursor);
    answerShape(k)->setFillColor(chosen);
    startStep(this, "tmr_click");
}

void ZalWindow::ok()
{
    // With an answer picked, going back hands it to the game at once: the game must not
    // take a second answer, or run its clock into a time-out, while the pick is pending.
    if (namedTimer(this, "tmr_click")->isActive()) {
        namedTimer(this, "tmr_click")->stop();
        handPickToGame();
        return;
    }
    returnToGame();
}

void ZalWindow::handPickToGame()
{
    returnToGame();
    static const char *const answerSlots[4] = {"lbl_A_Click", "lbl_B_Click", "lbl_C_Click", "lbl_D_Click"};
    for (int k = 1; k <= 4; ++k)
        if (game_ && answerShape(k)->fillColor() == chosen)
            QMetaObject::invokeMethod(game_, answerSlots[k - 1]);
}

bool ZalWindow::mayClose() const { return !findChild<QWidget *>(QStringLiteral("cmd_OK"))->isHidden(); }

void ZalWindow::closeNow() { ok(); }

} // namespace karv
