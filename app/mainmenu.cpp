#include "app/mainmenu.h"

#include <QApplication>
#include <QCloseEvent>
#include <QKeyEvent>
#include <QPainter>
#include <QTimer>

#include "app/datafiles.h"
#include "app/services.h"
#include "app/start.h"
#include "app/ui.h"
#include "app/widgets.h"
#include "controls/commandbutton.h"
#include "controls/balloontip.h"
#include "controls/tooltipex.h"
#include "game/gamewindow.h"
#include "options/optionswindow.h"

namespace karv {

namespace {
const char *const buttonNames[5] = {"cmd_start", "cmd_rules", "cmd_options", "cmd_about", "cmd_exit"};
const char *const buttonCaptions[5] = {"Новая игра", "Правила", "Опции", "О программе", "Выход"};
const QString defaultName = QStringLiteral("Мистер X");
} // namespace

MainMenu::MainMenu() : Window(QStringLiteral("frm_start"))
{
    setWindowTitle(QStringLiteral("Карвелон"));
    setFixedSize(420, 480);
    random().seedFromClock();
    // The options window holds the settings; loading it sets them all on.
    karv::window(QStringLiteral("frm_options"));

    buildDecoration();

    auto *welcome = new Label(QStringLiteral("lbl_welcome"), this, QStringLiteral("ИГРА\r\n\"Карвелон\""));
    welcome->setGeometry(60, 26, 300, 84);
    welcome->setFont(designFont(QStringLiteral("Trebuchet MS"), 22, true));
    welcome->setForeColor(QColor(255, 255, 160));
    welcome->setAlignment(Qt::AlignCenter);

    auto *mainMenu = new Label(QStringLiteral("lbl_MainMenu"), this, QStringLiteral("Главное меню"));
    mainMenu->setGeometry(110, 134, 200, 26);
    mainMenu->setFont(designFont(QStringLiteral("Arial"), 13, true));
    mainMenu->setForeColor(QColor(192, 192, 255));
    mainMenu->setAlignment(Qt::AlignCenter);

    for (int i = 0; i < 5; ++i) {
        auto *b = new CommandButton(QLatin1String(buttonNames[i]), QString::fromUtf8(buttonCaptions[i]), this);
        b->setGeometry(110, 176 + i * 50, 200, 36);
        b->setHandCursor(true);
    }
    auto button = [this](const char *name) { return findChild<CommandButton *>(QLatin1String(name)); };
    connect(button("cmd_start"), &QAbstractButton::clicked, this, &MainMenu::startNewGame);
    connect(button("cmd_rules"), &QAbstractButton::clicked, this, &MainMenu::openRules);
    connect(button("cmd_options"), &QAbstractButton::clicked, this, &MainMenu::openOptions);
    connect(button("cmd_about"), &QAbstractButton::clicked, this, &MainMenu::openAbout);
    connect(button("cmd_exit"), &QAbstractButton::clicked, this, &MainMenu::askExit);

    auto *hidden = new Label(QStringLiteral("lbl_Visible"), this);
    hidden->setGeometry(6, height() - 15, px(135), px(135));
    connect(hidden, &Label::clicked, this, [] { desktop().hideStartButton(); });
    connect(findChild<Label *>(QStringLiteral("v11")), &Label::clicked, this, [] { desktop().disableStartButton(); });

    createToolTips();
    win = desktop().dataDirectory();
    datafiles::removeLeftovers();
    readSettings();
    setCustomCursor(optionFlag("cursor_") == 1);
    // The hover sound of the five buttons lies beside the program.
    const QString sound = desktop().programDirectory() + QStringLiteral("/over.wav");
    for (const char *name : {"cmd_start", "cmd_rules", "cmd_about", "cmd_exit", "cmd_options"})
        button(name)->setSoundOver(sound);
}

void MainMenu::buildDecoration()
{
    auto shape = [this](const char *name, Shape::Kind kind, QRect geo, QColor fill, QColor border, int width,
                        bool filled = true) {
        auto *s = new Shape(QLatin1String(name), this, kind);
        s->setGeometry(geo);
        s->setFillColor(fill);
        s->setBorderColor(border);
        s->setBorderWidth(width);
        s->setFilled(filled);
        return s;
    };
    shape("shp_oval_out", Shape::Kind::Oval, QRect(34, 12, 352, 112), QColor(0, 0, 0), QColor(255, 255, 128), 2, false);
    shape("shp_blackOval", Shape::Kind::Oval, QRect(44, 18, 332, 100), QColor(0, 0, 40), QColor(0, 0, 0), 0);
    shape("shp_oval_in", Shape::Kind::Oval, QRect(52, 24, 316, 88), QColor(0, 0, 0), QColor(128, 128, 255), 1, false);
    shape("shp_welcome", Shape::Kind::RoundedRectangle, QRect(96, 128, 228, 36), QColor(0, 0, 96),
          QColor(128, 128, 255), 1);
    shape("shp_buttons", Shape::Kind::RoundedRectangle, QRect(96, 168, 228, 256), QColor(0, 0, 60),
          QColor(192, 192, 255), 2);
    shape("shp_v", Shape::Kind::Rectangle, QRect(20, 168, 6, 256), QColor(128, 128, 255), QColor(128, 128, 255), 0);
    shape("Shape1", Shape::Kind::Rectangle, QRect(394, 168, 6, 256), QColor(128, 128, 255), QColor(128, 128, 255), 0);

    // Small squares and bars along both sides, in the colours of the ladder.
    const QColor colours[5] = {QColor(255, 192, 128), QColor(128, 255, 255), QColor(255, 255, 128),
                               QColor(192, 192, 255), QColor(0, 255, 0)};
    for (int i = 0; i < 15; ++i) {
        auto *v = new Label(QStringLiteral("v%1").arg(i + 1), this);
        const bool left = i < 8;
        const int row = left ? i : i - 8;
        const int size = (i % 3 == 0) ? 12 : 8;
        v->setGeometry(left ? 44 + (12 - size) / 2 : 364 + (12 - size) / 2, 178 + row * 32 + (12 - size) / 2, size,
                       size);
        v->setBackColor(colours[i % 5]);
    }
    const QColor lineColour(128, 128, 255);
    for (int i = 0; i < 6; ++i) {
        new Line(QStringLiteral("Line%1").arg(i + 1), this, QPoint(28, 190 + i * 44), QPoint(38, 190 + i * 44),
                 lineColour);
        new Line(QStringLiteral("Line%1").arg(i + 7), this, QPoint(382, 190 + i * 44), QPoint(392, 190 + i * 44),
                 lineColour);
    }
}

void MainMenu::createToolTips()
{
    auto *tips = new ToolTipEx(this);
    toolTips_ = tips;
    tips->CreateToolTip(this, ToolTipEx::BalloonStyle, ToolTipEx::InformationIcon, QStringLiteral("Карвелон"), 100, 500,
                        10000, -1, -1);
    auto button = [this](const char *name) { return findChild<CommandButton *>(QLatin1String(name)); };
    tips->AddToolTip(button("cmd_start"), QStringLiteral("Начать новую игру\r\n(и выиграть миллион)"), 0);
    tips->AddToolTip(button("cmd_rules"),
                     QStringLiteral("Вы всегда можете познакомиться с правилами игры!\r\nХотя они достаточно просты."), 0);
    tips->AddToolTip(button("cmd_options"), QStringLiteral("Настройте опции игры, чтобы было удобнее играть!"), 0);
    tips->AddToolTip(button("cmd_exit"), QStringLiteral("Вы не хотите играть? Жаль."), 0);
    tips->AddToolTip(button("cmd_about"),
                     QStringLiteral("Здесь информация об авторе игры, точный номер версии\r\nи возможность послать мне "
                                    "письмо на e-mail."),
                     0);
}

void MainMenu::readSettings()
{
    const auto line = datafiles::readLine(QLatin1String(datafiles::settingsFile));
    if (!line)
        return;
    auto *options = windowAs<OptionsWindow>(QStringLiteral("frm_options"));
    options->applySettingsLine(*line);
}

void MainMenu::unloading()
{
    if (auto *tips = qobject_cast<ToolTipEx *>(toolTips_))
        tips->DestroyToolTip();
    delete toolTips_;
    toolTips_ = nullptr;
    desktop().restoreStartButton();
}

void MainMenu::startNewGame()
{
    auto *game = windowAs<GameWindow>(QStringLiteral("frm_game"));
    game->noq = 100;
    game->c = game->fi = game->z = game->fr = 0;
    game->findChild<QWidget *>(QStringLiteral("lbl_CTime"))->setVisible(optionFlag("cTime") == 1);
    game->show();
    hide();

    using namespace datafiles;
    // A file without a name in it (empty, or an empty or blank first line) proposes the
    // default name, as a missing file does.
    QString proposed = oneLine(readLine(QLatin1String(nameFile)).value_or(QString()));
    if (proposed.trimmed().isEmpty())
        proposed = defaultName;
    if (optionFlag("player") == 1) {
        n = dialogs().input(game, QStringLiteral("Начинаем игру!"), QStringLiteral("Представьтесь, пожалуйста:"),
                            proposed);
        nn = oneLine(n).trimmed(); // a pasted line break must not split the name file
        if (nn.isEmpty())
            nn = defaultName;
    } else {
        nn = defaultName;
    }
    writeLine(QLatin1String(nameFile), nn);
    game->showPlayer(nn);

    auto *first = game->findChild<Label *>(QStringLiteral("lbl_100"));
    first->setBackColor(QColor(255, 192, 128));
    first->setForeColor(QColor(0, 0, 0));

    const bool timed = optionFlag("time") == 1;
    for (const char *name : {"PrB_Time", "lbl_YouHave", "lbl_Time", "lbl_Sek"})
        game->findChild<QWidget *>(QLatin1String(name))->setVisible(timed);
    game->findChild<QAction *>(QStringLiteral("mnu_prb"))->setEnabled(timed);
    for (const char *name : {"lbl_QuW", "lbl_Qu", "lbl_QuR", "lbl_ZarW", "lbl_Zar", "lbl_ZarR", "lbl_ostW", "lbl_ost",
                             "lbl_ostR", "lbl_loseW", "lbl_lose", "lbl_loseR"})
        game->findChild<QWidget *>(QLatin1String(name))->show();
    game->Question_100();
    game->activateWindow();
    game->setFocus();
}

void MainMenu::openRules()
{
    QWidget *rules = karv::window(QStringLiteral("frm_rules"));
    if (!rules)
        return;
    rules->setProperty("forma", 0);
    rules->show();
    setEnabled(false);
}

void MainMenu::openOptions()
{
    QWidget *options = karv::window(QStringLiteral("frm_options"));
    setEnabled(false);
    options->show();
    options->setEnabled(true);
    options->activateWindow();
}

void MainMenu::openAbout()
{
    ShowAbout(this);
    if (QWidget *about = loadedWindow(QStringLiteral("frmAbout")))
        about->setProperty("forma", 0);
}

void MainMenu::askExit() { askToQuit(this, "До скорых встреч!"); }

void MainMenu::paintEvent(QPaintEvent *)
{
    // Blue at the top to black at the bottom, one shade a pixel row.
    QPainter p(this);
    const int h = height(), w = width();
    if (h <= 0)
        return;
    for (int i = 0; i <= h; ++i)
        p.fillRect(QRect(-1, i - 1, w + 1, 2), QColor(0, 0, 255 - (i * 255) / h));
}

void MainMenu::keyPressEvent(QKeyEvent *e)
{
    if (minimiseOnAltEnter(e))
        return;
    if (e->key() == Qt::Key_Escape)
        askExit();
    else if (e->key() == Qt::Key_F1)
        openRules();
}

void MainMenu::closeEvent(QCloseEvent *e)
{
    // Closing the main menu from the window manager asks like "Выход".
    e->ignore();
    askExit();
}

void MainMenu::hideEvent(QHideEvent *e)
{
    Window::hideEvent(e);
    if (e->spontaneous())
        return; // minimised: the window manager still shows it
    // The menu waits hidden through a whole game: hand its native window and backing store
    // (a full window of pixels) back until it is shown again, when Qt creates them anew.
    // Done from the event loop, never inside the click that hid it.
    QTimer::singleShot(0, this, [this] {
        if (!isVisible() && testAttribute(Qt::WA_WState_Created))
            destroy();
    });
}

} // namespace karv
