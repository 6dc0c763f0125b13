#include "options/unlockwindow.h"

#include <QApplication>
#include <QCheckBox>
#include <QCloseEvent>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPainter>
#include <QPointer>
#include <QTimer>

#include <algorithm>
#include <cmath>

#include "app/datafiles.h"
#include "app/services.h"
#include "app/ui.h"
#include "app/widgets.h"
#include "controls/commandbutton.h"
#include "gauge/fillgauge.h"
#include "options/optionswindow.h"

namespace karv {

namespace unlock {

// A smooth black bar of 300 steps on the button face, sunken, framed, without a caption.
const char barSettings[] = R"(# Fillgauge properties of the countdown bar prb1
Appearance = int 1
BackColor = uint 0x8000000F
BorderStyle = int 1
Caption = string ""
Enabled = bool true
FloodColor = uint 0x00000000
ForeColor = uint 0x8000000E
Font = font "MS Sans Serif,8.25,-1,5,400,0,0,0,0,0,0,0,0,0,0,1"
HelpContextID = int 0
Max = float 300
Min = float 0
OLEDropMode = int 0
Orientation = int 0
Style = int 1
WhatsThisHelpID = int 0
)";

gaugekit::PropertyBag barProperties() { return gaugekit::PropertyBag::fromText(QByteArray(barSettings)); }

int drawAddend(Random &random) { return int(std::floor(random.next() * 900 + 100)); }

std::pair<int, int> drawTask(Random &random)
{
    const int first = drawAddend(random);
    int second = drawAddend(random);
    // A generator stuck on one value would never end the loop; after that many equal draws
    // the next number up stands in.
    for (int tries = 1; second == first; ++tries)
        second = tries < 1000 ? drawAddend(random) : (first == 999 ? 100 : first + 1);
    return {first, second};
}

double answerValue(const QString &typed) { return datafiles::leadingNumber(typed); }

QString failureText(int first, int second, const QString &typed)
{
    const int sum = first + second;
    const double difference = std::abs(answerValue(typed) - sum);
    return QStringLiteral("Вы не справились с заданием.\r\nВерный ответ: ") + QString::number(first) +
           QStringLiteral(" + ") + QString::number(second) + QStringLiteral(" = ") + QString::number(sum) +
           QStringLiteral(",\r\nа ваш результат равен ") + typed + QStringLiteral(".\r\nРазница: ") +
           QString::number(difference, 'g', 15);
}

bool acceptsTyped(const QString &text)
{
    return std::all_of(text.begin(), text.end(), [](QChar c) { return c >= u'0' && c <= u'9'; });
}

} // namespace unlock

namespace {

const QString unlockName = QStringLiteral("frm_Unlock");

OptionsWindow *options() { return qobject_cast<OptionsWindow *>(loadedWindow(QStringLiteral("frm_options"))); }

// Keys that give no character to the box (Delete, arrows, Tab between controls) keep working.
bool producesCharacter(const QKeyEvent &k)
{
    return !k.text().isEmpty() && k.key() != Qt::Key_Delete && k.key() != Qt::Key_Tab && k.key() != Qt::Key_Backtab;
}

} // namespace

UnlockWindow::UnlockWindow() : Window(unlockName)
{
    random().seedFromClock();
    setWindowTitle(QStringLiteral("Отмена опции \"Вопросы на время\""));
    setFixedSize(515, 197);
    setWindowFlag(Qt::WindowMinMaxButtonsHint, false);

    lbl1_ = new Label(QStringLiteral("lbl1"), this,
                      QStringLiteral("Чтобы отменить время на раздумье, надо быстро сложить два трехзначных числа!"));
    lbl1_->setGeometry(0, 8, 513, 49);
    lbl1_->setFont(designFont(QStringLiteral("Arial"), 12, true));
    lbl1_->setForeColor(QColor(255, 255, 255));
    lbl1_->setAlignment(Qt::AlignCenter);
    lbl1_->setWordWrap(true);

    txt_ = new QLineEdit(this);
    txt_->setObjectName(QStringLiteral("txt"));
    txt_->setGeometry(184, 58, 147, 22);
    txt_->setFont(designFont(QStringLiteral("Arial"), 12, true));
    txt_->setAlignment(Qt::AlignCenter);
    // Only keys reach the box: no pasting from a menu, a drop or the X11 selection, and no
    // input method that would hand over text past the key filter.
    txt_->setContextMenuPolicy(Qt::NoContextMenu);
    txt_->setAcceptDrops(false);
    txt_->setAttribute(Qt::WA_InputMethodEnabled, false);
    txt_->installEventFilter(this);
    txt_->hide();

    time0_ = new Label(QStringLiteral("lbl_Time0"), this, QStringLiteral("3"));
    time0_->setGeometry(237, 80, 41, 65);
    time0_->setFont(designFont(QStringLiteral("Arial"), 36, true));
    time0_->setForeColor(QColor(255, 255, 128));
    time0_->setAlignment(Qt::AlignCenter);
    time0_->hide();

    auto *go = new CommandButton(QStringLiteral("cmd_GO"), QStringLiteral("Вперед!!!"), this);
    go->setGeometry(169, 104, 177, 25);
    connect(go, &QAbstractButton::clicked, this, &UnlockWindow::cmd_GO_Click);
    go_ = go;

    bar_ = new gaugekit::Fillgauge(this);
    bar_->setObjectName(QStringLiteral("prb1"));
    bar_->setGeometry(25, 168, 465, 17);
    bar_->loadProperties(unlock::barProperties());
    bar_->hide();

    tmr1_ = new QTimer(this);
    tmr1_->setObjectName(QStringLiteral("tmr1"));
    tmr1_->setInterval(35);
    tmr1_->setTimerType(Qt::PreciseTimer);
    connect(tmr1_, &QTimer::timeout, this, &UnlockWindow::tmr1_Timer);
}

void UnlockWindow::cmd_GO_Click()
{
    if (stage_ != Stage::Waiting)
        return;
    stage_ = Stage::Running;
    go_->hide();
    time0_->show();
    txt_->show();
    // The button that had the keyboard focus is gone and the box is the one control left to
    // type into: the player types the sum at once, without a click first.
    txt_->setFocus();
    bar_->show();
    tmr1_->start();
    std::tie(first, second) = unlock::drawTask(random());
    lbl1_->setFont(designFont(QStringLiteral("Arial"), 20, true));
    lbl1_->setText(QString::number(first) + QStringLiteral(" + ") + QString::number(second));
    bar_->setValue(300);
}

void UnlockWindow::tmr1_Timer()
{
    if (stage_ != Stage::Running)
        return;
    const float value = std::max(bar_->Value() - 4.0f, 0.0f);
    bar_->setValue(value);
    if (value == 200.0f)
        time0_->setText(QStringLiteral("2"));
    if (value == 100.0f)
        time0_->setText(QStringLiteral("1"));
    if (value > 0.0f)
        return;
    time0_->setText(QStringLiteral("0"));
    if (txt_->text().isEmpty())
        txt_->setText(QStringLiteral("0"));
    QPointer<UnlockWindow> self(this);
    evaluate(false);
    // The next challenge starts from a fresh window.
    if (self && loadedWindow(unlockName) == self)
        unloadWindow(unlockName);
}

void UnlockWindow::evaluate(bool givenUp)
{
    // The countdown ends before the message: a tick during the message box would push the bar below empty.
    stage_ = Stage::Finished;
    tmr1_->stop();
    const QString typed = txt_->text();
    const bool passed = !givenUp && unlock::answerValue(typed) == first + second;
    QPointer<OptionsWindow> opts(options());
    QPointer<UnlockWindow> self(this);
    if (!passed) {
        if (opts) {
            ++opts->try_;
            opts->timeBox()->setChecked(true); // its click sets `time` back to 1
        }
        dialogs().message(this, MessageIcon::Information, QStringLiteral("Опция не выключена"),
                          unlock::failureText(first, second, typed));
    } else {
        dialogs().message(this, MessageIcon::Exclamation, QStringLiteral("Готово!"),
                          QStringLiteral("Опция времени выключена"));
        if (opts) {
            opts->time = 0;
            opts->try_ = 0;
        }
    }
    if (self)
        finish(true);
}

void UnlockWindow::finish(bool counted)
{
    stage_ = Stage::Finished;
    tmr1_->stop();
    hide();
    if (OptionsWindow *opts = options())
        opts->challengeEnded(counted);
}

void UnlockWindow::closeEvent(QCloseEvent *e)
{
    // Closed by the window manager. Before "Вперед!!!" nothing was tried: the time box goes
    // back on and the attempts stay. A started task counts as given up, a failed attempt.
    e->accept();
    QPointer<UnlockWindow> self(this);
    if (stage_ == Stage::Waiting) {
        stage_ = Stage::Finished;
        if (OptionsWindow *opts = options())
            opts->timeBox()->setChecked(true);
        finish(false);
    } else if (stage_ == Stage::Running) {
        if (txt_->text().isEmpty())
            txt_->setText(QStringLiteral("0"));
        evaluate(true);
    } else {
        return;
    }
    // Unloaded once the close is over, so the closed window stays what the options window
    // sees until then.
    if (self)
        QTimer::singleShot(0, qApp, [self] {
            if (self && loadedWindow(unlockName) == self)
                unloadWindow(unlockName);
        });
}

bool UnlockWindow::eventFilter(QObject *watched, QEvent *e)
{
    if (watched == txt_) {
        if (e->type() == QEvent::KeyPress) {
            const auto *k = static_cast<QKeyEvent *>(e);
            if (k->matches(QKeySequence::Paste))
                return true;
            if (producesCharacter(*k) && !unlock::acceptsTyped(k->text())) {
                desktop().beep();
                return true;
            }
        } else if (e->type() == QEvent::MouseButtonRelease &&
                   static_cast<QMouseEvent *>(e)->button() == Qt::MiddleButton) {
            return true; // the X11 selection would be pasted
        }
    }
    return Window::eventFilter(watched, e);
}

void UnlockWindow::paintEvent(QPaintEvent *)
{
    QPainter p(this);
    paintBackdrop(p, rect(), QColor(0, 0, 96), QColor(0, 0, 40));
    p.setPen(QColor(128, 128, 255));
    p.drawLine(25, 158, 490, 158);
}

} // namespace karv
