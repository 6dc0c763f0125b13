#include "info/aboutwindow.h"

#include <QCloseEvent>
#include <QFontMetrics>
#include <QKeyEvent>
#include <QPainter>

#include <algorithm>
#include <iterator>

#include "app/datafiles.h"
#include "app/mail.h"
#include "app/services.h"
#include "app/ui.h"
#include "app/widgets.h"
#include "controls/commandbutton.h"
#include "game/gamerules.h"
#include "info/gameicon.h"

namespace karv {

namespace {

const QColor pale(192, 192, 255);
const QColor cyan(192, 255, 255);
const QColor linkHover(255, 255, 128);
const QString crlf = QStringLiteral("\r\n");
const QString mailSubject = QStringLiteral("Карвелон v 2.0");

// The windows that can open this one, by their `forma` number.
const char *const openers[5] = {"frm_start", "frm_game", "frm_end", "frm_money", "frm_win"};

// The credits' lines stay short where "Еще спасибы" stands beside them.
const QString credits = QStringLiteral("Игру придумал и написал Илья Карпов\r\n"
                                       "из Вологды. Программа написана на C++\r\n"
                                       "с библиотекой Qt. Буду рад\r\n"
                                       "вашим письмам и отзывам!\r\n"
                                       "Мой e-mail: ");

const QString request = QStringLiteral("Обо всех ошибках, багах, опечатках, предложениях по улучшению программы и т.д. "
                                       "просьба отправлять сообщенния мне на e-mail (с именем и адресом эл. почты и с "
                                       "пометкой \"Карвелон v 2.0\").");

const QString thanks = QStringList{
    QStringLiteral("Еще спасибы..."),
    QString(),
    QStringLiteral("При создании использовались дополнительные контролы:"),
    QStringLiteral("     1. Fillgauge"),
    QStringLiteral("     2. XP Button"),
    QStringLiteral("     3. Baloon Tip"),
    QStringLiteral("     4. XP Top Buttons"),
    QStringLiteral("     5. XP Radio Buttons"),
    QStringLiteral("Спасибо создателям этих контролов!"),
    QString(),
    QStringLiteral("И еще спасибо тем, кто придумал Инет (иначе я бы не получил этих контролов :-))"),
}.join(crlf);

const QString cheatInfo = QStringList{
    QStringLiteral("Чит-коды вводятся в специальное поле, которое вызывается"),
    QStringLiteral("на главной игровой форме путем нажатия клавиш Ctrl + Shift"),
    QStringLiteral("и одновременного щелчка кнопкой мыши по области справа на форме между ''9'' и ''16 000''"),
    QString(),
    QStringLiteral("Open the secret door now") + QStringLiteral(" - выводит правильный ответ"),
    QStringLiteral("Let the clocks sleep now") + QStringLiteral(" - отключает ограничитель времени"),
    QStringLiteral("При вводе не важен регистр (Чит = чИт = ЧИт...) и раскладка клавиатуры (QWERTY = ЙЦУКЕН)"),
}.join(crlf);

} // namespace

void paintGradient(QPainter &p, int width, int height)
{
    if (height <= 0)
        return;
    // Each step covers three rows from i - 1 to i + 1; the next step paints over two of them,
    // so every row ends up in one shade.
    for (int i = 0; i <= height; ++i)
        p.fillRect(QRect(QPoint(-1, i - 1), QPoint(width, i + 1)), QColor(0, 0, (i * 255) / height));
}

AboutWindow::AboutWindow() : Window(QStringLiteral("frmAbout"))
{
    setWindowTitle(QStringLiteral("О программе..."));
    setWindowIcon(gameIcon());
    setClientTwips(5730, 4440);
    setWindowFlag(Qt::WindowMinMaxButtonsHint, false);
    setMouseTracking(true);

    const QFont sansSerif = designFont(QStringLiteral("MS Sans Serif"), 9.75);

    new Line(QStringLiteral("Line1"), this, QPoint(0, px(3840)), QPoint(width(), px(3840)), pale);
    new Line(QStringLiteral("Line2"), this, QPoint(px(960), 0), QPoint(px(960), height()), pale);
    new Line(QStringLiteral("Line3"), this, QPoint(0, px(1080)), QPoint(px(960), px(1080)), pale);
    new Line(QStringLiteral("Line4"), this, QPoint(px(4320), px(3840)), QPoint(px(4320), height()), pale);

    auto *picture = new Label(QStringLiteral("img_bitmap"), this);
    picture->setGeometry(twipRect(120, 240, 720, 720));
    picture->setPixmap(drawGameEmblem(48));
    picture->setAlignment(Qt::AlignCenter);

    addLabel("lblTitle", QStringLiteral("Карвелон"), twipRect(1200, 240, 4725, 480),
             designFont(QStringLiteral("Arial"), 12.75, true, true), pale);
    addLabel("lblVersion", QStringLiteral("Версия 2.0"), twipRect(1200, 720, 1695, 255), sansSerif, cyan);
    addLabel("lbl_date", QStringLiteral("(16.07.2004)"), twipRect(3000, 720, 1455, 255), sansSerif, cyan);
    Label *description = addLabel("lblDescription", credits, twipRect(1200, 1080, 4485, 1005), sansSerif, cyan);

    // The address follows "Мой e-mail: " on the credits' last line, in the same face, so it
    // stands where that line ends whatever the installed face measures; the credits' box
    // grows to hold its last line.
    const QFontMetrics fm(sansSerif);
    const QStringList lines = credits.split(crlf);
    const int lastLine = int(lines.size()) - 1;
    description->resize(description->width(), std::max(description->height(), (lastLine + 1) * fm.lineSpacing() + 2));
    const QString address = QString::fromLatin1(authorEmail);
    email_ = addLabel("lbl_email", address,
                      QRect(description->x() + fm.horizontalAdvance(lines.last()),
                            description->y() + lastLine * fm.lineSpacing(),
                            std::max(px(1815), fm.horizontalAdvance(address) + 2), fm.lineSpacing() + 2),
                      sansSerif, pale);
    email_->setWordWrap(false);
    email_->setCursor(Qt::PointingHandCursor);

    addLabel("lbl_prosba", request, twipRect(1200, 2400, 4335, 1215), designFont(QStringLiteral("Arial"), 9.75), cyan);

    // "v 2.0" with its shadow: the dark copy first, the white one over it.
    const QFont version = designFont(QStringLiteral("Arial"), 15.75, true, true);
    addLabel("lbl_v1", QStringLiteral("v 2.0"), twipRect(120, 3885, 840, 450), version,
             palette().color(QPalette::WindowText));
    addLabel("lbl_v", QStringLiteral("v 2.0"), twipRect(0, 3960, 840, 450), version, QColor(255, 255, 255));

    auto *et = new CommandButton(QStringLiteral("cmd_et"), QStringLiteral("Еще спасибы"), this);
    et->setGeometry(twipRect(3960, 1560, 1455, 255));
    auto *ok = new CommandButton(QStringLiteral("cmdOK"), QStringLiteral("OK"), this);
    ok->setGeometry(twipRect(4440, 3960, 1215, 375));

    connect(ok, &QAbstractButton::clicked, this, &AboutWindow::cmdOK_Click);
    connect(et, &QAbstractButton::clicked, this, &AboutWindow::cmd_et_Click);
    connect(email_, &Label::clicked, this, &AboutWindow::lbl_email_Click);
    connect(picture, &Label::clicked, this, &AboutWindow::img_bitmap_Click);

    connect(email_, &Label::mouseMoved, this, [this] { email_->setForeColor(linkHover); });
    connect(et, &CommandButton::mouseMoved, this, &AboutWindow::restoreMailLink);
    for (const char *name : {"img_bitmap", "lbl_prosba", "lblDescription", "lblTitle", "lblVersion"})
        connect(findChild<Label *>(QLatin1String(name)), &Label::mouseMoved, this, &AboutWindow::restoreMailLink);
}

Label *AboutWindow::addLabel(const char *name, const QString &text, QRect geo, const QFont &font, QColor color)
{
    auto *l = new Label(QLatin1String(name), this, text);
    l->setTextFormat(Qt::PlainText);
    l->setGeometry(geo);
    l->setFont(font);
    l->setForeColor(color);
    l->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    return l;
}

QString AboutWindow::mailLink(const QString &address) { return mailtoLink(address, mailSubject); }

void AboutWindow::paintEvent(QPaintEvent *)
{
    QPainter p(this);
    paintGradient(p, width(), height());
}

void AboutWindow::restoreMailLink()
{
    if (email_->foreColor() == linkHover)
        email_->setForeColor(pale);
}

void AboutWindow::mouseMoveEvent(QMouseEvent *e)
{
    restoreMailLink();
    e->accept();
}

void AboutWindow::cmdOK_Click()
{
    hide();
    if (forma < 0 || forma >= int(std::size(openers)))
        return;
    if (QWidget *w = loadedWindow(QLatin1String(openers[forma]))) {
        w->setEnabled(true);
        w->activateWindow();
        w->setFocus();
    }
}

void AboutWindow::cmd_et_Click()
{
    dialogs().message(this, MessageIcon::Information, QStringLiteral("Еще спасибы..."), thanks);
}

void AboutWindow::lbl_email_Click()
{
    // With no mail program to take the link, the player is told where to write by hand.
    sendMail(this, email_->text(), mailSubject);
}

void AboutWindow::img_bitmap_Click()
{
    // The picture gives no sign of the codes until three top-prize wins have unlocked them.
    const auto line = datafiles::readLine(QLatin1String(datafiles::cheatFile));
    if (!line || !datafiles::unlocksCheats(*line))
        return;
    dialogs().message(this, MessageIcon::Information, QStringLiteral("Информация по чит-кодам"), cheatInfo);
}

void AboutWindow::keyPressEvent(QKeyEvent *e)
{
    if (e->key() == Qt::Key_Escape) {
        e->accept();
        cmdOK_Click();
        return;
    }
    Window::keyPressEvent(e);
}

void AboutWindow::closeEvent(QCloseEvent *e)
{
    // The window manager's close is "OK": the opener must not stay disabled.
    e->ignore();
    cmdOK_Click();
}

} // namespace karv
