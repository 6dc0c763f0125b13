#include "options/cheatwindow.h"

#include <QAction>
#include <QCheckBox>
#include <QCloseEvent>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPainter>
#include <QPushButton>
#include <QTimer>

#include "app/services.h"
#include "app/ui.h"
#include "app/widgets.h"
#include "options/cheatcodes.h"

namespace karv {

CheatWindow::CheatWindow() : Window(QStringLiteral("frm_cheat"))
{
    setWindowFlag(Qt::FramelessWindowHint);
    setWindowFlag(Qt::Tool);
    setFixedSize(380, 150);

    auto *warning = new Label(QStringLiteral("lbl_warning"), this,
                              QStringLiteral("Внимание!!!\r\nПри вызове этого окна содержимое буфера обмена ОЧИЩАЕТСЯ\r\n"
                                             "независимо от того, какая информация там находилась!"));
    warning->setGeometry(10, 8, 360, 62);
    warning->setFont(designFont(QStringLiteral("Arial"), 8.5, true));
    warning->setForeColor(QColor(255, 255, 0));
    warning->setAlignment(Qt::AlignCenter);
    connect(warning, &Label::mousePressed, this, [this] { desktop().startWindowMove(this); });

    new Line(QStringLiteral("Line1"), this, QPoint(10, 76), QPoint(370, 76), QColor(255, 0, 0), 1);

    text_ = new QLineEdit(this);
    text_->setObjectName(QStringLiteral("txt_cheat"));
    text_->setGeometry(16, 92, 270, 26);
    text_->setFont(designFont(QStringLiteral("Courier New"), 10, true));
    connect(text_, &QLineEdit::returnPressed, this, &CheatWindow::enter);

    auto *ok = new QPushButton(QStringLiteral("OK"), this);
    ok->setObjectName(QStringLiteral("cmd_OK"));
    ok->setGeometry(296, 92, 68, 26);
    ok->setAutoDefault(false);
    connect(ok, &QPushButton::clicked, this, &CheatWindow::enter);

    auto *clear = new QTimer(this);
    clear->setObjectName(QStringLiteral("tmr_clear"));
    clear->setInterval(5);
    connect(clear, &QTimer::timeout, this, [] { desktop().clearClipboard(); });
}

void CheatWindow::summon()
{
    show();
    if (QWidget *game = loadedWindow(QStringLiteral("frm_game")))
        game->setEnabled(false);
    text_->clear();
    activateWindow();
    text_->setFocus();
    findChild<QTimer *>(QStringLiteral("tmr_clear"))->start();
    desktop().clearClipboard();
}

void CheatWindow::enter()
{
    hide();
    QWidget *game = loadedWindow(QStringLiteral("frm_game"));
    switch (recogniseCheat(text_->text())) {
    case CheatCode::RevealAnswer:
        if (game) {
            const char *names[4] = {"lbl_A", "lbl_B", "lbl_C", "lbl_D"};
            const int rt = std::clamp(game->property("rt").toInt(), 1, 4);
            dialogs().message(game, MessageIcon::Information, QStringLiteral("Ах ты, читер!"),
                              game->findChild<QLabel *>(QLatin1String(names[rt - 1]))->text());
        }
        break;
    case CheatCode::KillLimit:
        // The clock stops before the message: the seconds the player spends reading it must
        // not run the question out of time.
        if (game)
            game->findChild<QTimer *>(QStringLiteral("tmr_time"))->stop();
        dialogs().message(game, MessageIcon::Information, QStringLiteral("Ах ты, читер!"),
                          QStringLiteral("Твое счастье!\r\nYou have killed the limit"));
        if (game) {
            game->findChild<QAction *>(QStringLiteral("mnu_prb"))->setEnabled(false);
            for (const char *name : {"lbl_Time", "lbl_YouHave", "lbl_Sek", "PrB_Time"})
                game->findChild<QWidget *>(QLatin1String(name))->hide();
        }
        if (QWidget *options = karv::window(QStringLiteral("frm_options"))) {
            options->setProperty("time", 0);
            options->setProperty("checkTime", 1);
            auto *box = options->findChild<QCheckBox *>(QStringLiteral("chk_time"));
            box->setChecked(false);
            options->setProperty("checkTime", 0);
            options->setProperty("try_", 0);
            box->setText(QStringLiteral("Вопросы на время (попыток изменить опцию: 3)"));
            box->setEnabled(true);
        }
        break;
    case CheatCode::None:
        break;
    }
    finish();
}

void CheatWindow::finish()
{
    findChild<QTimer *>(QStringLiteral("tmr_clear"))->stop();
    if (QWidget *game = loadedWindow(QStringLiteral("frm_game"))) {
        game->setEnabled(true);
        // A game that ended meanwhile (its time ran out) is not brought back.
        if (game->isVisible()) {
            game->activateWindow();
            game->setFocus();
        }
    }
    desktop().clearClipboard();
}

void CheatWindow::paintEvent(QPaintEvent *)
{
    QPainter p(this);
    p.fillRect(rect(), QColor(64, 0, 0));
    p.setPen(QPen(QColor(255, 0, 0), 2));
    p.drawRect(rect().adjusted(1, 1, -1, -1));
}

void CheatWindow::mousePressEvent(QMouseEvent *e)
{
    if (e->button() == Qt::LeftButton)
        desktop().startWindowMove(this);
}

void CheatWindow::closeEvent(QCloseEvent *e)
{
    // Closed by other means than OK: like an unknown code, the game must not stay disabled.
    QWidget::closeEvent(e);
    finish();
}

} // namespace karv
