#include "options/optionswindow.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QKeyEvent>
#include <QPainter>

#include "app/datafiles.h"
#include "app/services.h"
#include "app/ui.h"
#include "app/widgets.h"
#include "controls/commandbutton.h"
#include "options/unlockwindow.h"

namespace karv {

namespace {
// The windows whose pointer Cursor0 and Cursor1 set, in this order.
const char *const cursorOrder[12] = {"frm_game",  "frm_end",   "frm_friend", "frm_money", "frm_options", "frm_rules",
                                     "frm_start", "frm_Unlock", "frm_win",   "frm_zal",   "frmAbout",    "frm_cheat"};
} // namespace

OptionsWindow::OptionsWindow() : Window(QStringLiteral("frm_options"))
{
    setWindowTitle(QStringLiteral("Опции"));
    setFixedSize(345, 193);
    setWindowFlag(Qt::WindowMinMaxButtonsHint, false);

    auto *frame = new Shape(QStringLiteral("shp_options"), this);
    frame->setGeometry(8, 8, 329, 137);
    frame->setFillColor(QColor(0, 0, 64));
    frame->setBorderColor(QColor(128, 128, 255));
    new Line(QStringLiteral("Line1"), this, QPoint(8, 152), QPoint(337, 152), QColor(128, 128, 255));

    const struct {
        const char *name, *caption;
        int y;
    } boxes[5] = {{"chk_time", "Вопросы на время (попыток изменить опцию: 3)", 16},
                  {"chk_mouse", "Курсор мыши", 40},
                  {"chk_ctime", "Отображать текущее время", 64},
                  {"chk_player", "Спрашивать имя игрока при старте", 88},
                  {"chk_beep", "Звук \"тик-так\", когда время заканчивается", 112}};
    QWidget *previous = nullptr;
    for (const auto &b : boxes) {
        auto *cb = new QCheckBox(QString::fromUtf8(b.caption), this);
        cb->setObjectName(QLatin1String(b.name));
        cb->setGeometry(16, b.y, 313, 17);
        cb->setChecked(true);
        cb->setFont(designFont(QStringLiteral("MS Sans Serif"), 8.25));
        // White captions on the dark frame; a locked box stays readable in a pale blue.
        QPalette p = cb->palette();
        p.setColor(QPalette::Active, QPalette::WindowText, QColor(255, 255, 255));
        p.setColor(QPalette::Inactive, QPalette::WindowText, QColor(255, 255, 255));
        p.setColor(QPalette::Disabled, QPalette::WindowText, QColor(150, 150, 210));
        cb->setPalette(p);
        if (previous)
            setTabOrder(previous, cb);
        previous = cb;
    }
    connect(box("chk_time"), &QCheckBox::toggled, this, &OptionsWindow::chk_time_Click);
    connect(box("chk_mouse"), &QCheckBox::toggled, this, [this](bool on) {
        cursor_ = on ? 1 : 0;
        setAllCursors(on);
    });
    connect(box("chk_ctime"), &QCheckBox::toggled, this, [this](bool on) { cTime = on ? 1 : 0; });
    connect(box("chk_player"), &QCheckBox::toggled, this, [this](bool on) { player = on ? 1 : 0; });
    connect(box("chk_beep"), &QCheckBox::toggled, this, [this](bool on) { tik = on ? 1 : 0; });

    auto *reset = new CommandButton(QStringLiteral("cmd_reset"), QStringLiteral("Восстановить по умолчанию"), this);
    reset->setGeometry(8, 160, 161, 25);
    auto *back = new CommandButton(QStringLiteral("cmd_OK"), QStringLiteral("Назад"), this);
    back->setGeometry(176, 160, 161, 25);
    setTabOrder(previous, reset);
    setTabOrder(reset, back);
    connect(reset, &QAbstractButton::clicked, this, &OptionsWindow::resetToDefaults);
    connect(back, &QAbstractButton::clicked, this, &OptionsWindow::goBack);

    time = cTime = cursor_ = player = tik = 1;
    setCustomCursor(true);
}

QCheckBox *OptionsWindow::box(const char *name) const { return findChild<QCheckBox *>(QLatin1String(name)); }

QCheckBox *OptionsWindow::timeBox() const { return box("chk_time"); }

void OptionsWindow::applySettingsLine(const QString &line)
{
    const auto off = datafiles::settingsSwitchedOff(line);
    if (off[0]) {
        checkTime = 1;
        box("chk_time")->setChecked(false);
        checkTime = 0;
        time = 0;
    }
    if (off[1]) {
        box("chk_mouse")->blockSignals(true);
        box("chk_mouse")->setChecked(false);
        box("chk_mouse")->blockSignals(false);
        cursor_ = 0;
        Cursor0();
    }
    if (off[2]) {
        box("chk_ctime")->setChecked(false);
        cTime = 0;
    }
    if (off[3]) {
        box("chk_player")->setChecked(false);
        player = 0;
    }
    if (off[4]) {
        box("chk_beep")->setChecked(false);
        tik = 0;
    }
}

QString OptionsWindow::settingsLine() const
{
    QString line;
    for (const char *name : {"chk_time", "chk_mouse", "chk_ctime", "chk_player", "chk_beep"})
        line += box(name)->isChecked() ? QLatin1Char('1') : QLatin1Char('0');
    return line;
}

void OptionsWindow::setAllCursors(bool custom)
{
    for (const char *name : cursorOrder)
        if (auto *w = qobject_cast<Window *>(karv::window(QLatin1String(name))))
            w->setCustomCursor(custom);
}

void OptionsWindow::Cursor0() { setAllCursors(false); }
void OptionsWindow::Cursor1() { setAllCursors(true); }

void OptionsWindow::chk_time_Click()
{
    if (checkTime == 1)
        return;
    if (box("chk_time")->isChecked()) {
        time = 1;
        return;
    }
    // Switching the time limit off takes the unlock challenge; `time` stays on until it is passed.
    // A challenge window left over from a close is still waiting to be unloaded: start afresh.
    if (auto *old = qobject_cast<UnlockWindow *>(loadedWindow(QStringLiteral("frm_Unlock")));
        old && old->stage() == UnlockWindow::Stage::Finished)
        unloadWindow(QStringLiteral("frm_Unlock"));
    QWidget *unlock = karv::window(QStringLiteral("frm_Unlock"));
    if (!unlock) {
        // No challenge can be taken now: the limit stays on, and so does its box.
        checkTime = 1;
        box("chk_time")->setChecked(true);
        checkTime = 0;
        return;
    }
    setEnabled(false);
    unlock->show();
    unlock->activateWindow();
}

void OptionsWindow::challengeEnded(bool counted)
{
    QCheckBox *timeBox = box("chk_time");
    if (counted)
        timeBox->setText(QStringLiteral("Вопросы на время (попыток отключить опцию: %1)").arg(3 - try_));
    setEnabled(true);
    activateWindow();
    setFocus();
    if (try_ >= 3)
        timeBox->setEnabled(false);
}

void OptionsWindow::resetToDefaults()
{
    if (!dialogs().askYesNo(this, MessageIcon::Question, QStringLiteral("Восстановление опций"),
                            QStringLiteral("Вы действительно хотите восстановить все опции по умолчанию?")))
        return;
    for (const char *name : {"chk_time", "chk_ctime", "chk_mouse", "chk_player", "chk_beep"}) {
        QCheckBox *b = box(name);
        if (!b->isChecked())
            b->setChecked(true);
        else if (qstrcmp(name, "chk_mouse") == 0)
            Cursor1();
    }
    time = cTime = cursor_ = player = tik = 1;
}

void OptionsWindow::goBack()
{
    hide();
    if (QWidget *menu = loadedWindow(QStringLiteral("frm_start"))) {
        menu->setEnabled(true);
        menu->activateWindow();
        menu->setFocus();
    }
    datafiles::writeLine(QLatin1String(datafiles::settingsFile), settingsLine());
}

void OptionsWindow::paintEvent(QPaintEvent *)
{
    QPainter p(this);
    paintBackdrop(p, rect(), QColor(0, 0, 96), QColor(0, 0, 40));
}

void OptionsWindow::closeEvent(QCloseEvent *e)
{
    // Closing from the window manager leaves like "Назад", so the main menu is never left disabled;
    // while the unlock challenge runs the window stays, since the challenge hands it back.
    e->ignore();
    if (isEnabled())
        goBack();
}

void OptionsWindow::keyPressEvent(QKeyEvent *e)
{
    if (e->key() == Qt::Key_Escape)
        goBack();
}

} // namespace karv
