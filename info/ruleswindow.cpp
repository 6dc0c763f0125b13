#include "info/ruleswindow.h"

#include <QCloseEvent>
#include <QKeyEvent>

#include "app/ui.h"
#include "app/widgets.h"
#include "info/gameicon.h"

namespace karv {

namespace {

const QString windowName = QStringLiteral("frm_rules");
const QString lifelineFace = QStringLiteral("Courier New");
const QString hoveredFace = QStringLiteral("Arial");
const QColor background(0, 0, 128);
const QColor pale(192, 192, 255);       // the rules and help text, the idle "Назад" box
const QColor deepBlue(0, 0, 192);       // the idle "Назад" caption, the hovered box
const QColor lifelineFill(255, 255, 128);
const QColor pressedFill(0, 255, 0);
const QColor border(255, 0, 0);
const QString crlf = QStringLiteral("\r\n");

const QString rulesText =
    QStringLiteral("     Правила игры довольно простые: вам надо будет ответить на 15 вопросов, один за другим. "
                   "Первые вопросы очень легкие, а потом они становятся все сложнее. Разумеется, и сумма вопроса "
                   "возрастает. Первый стоит 100 рублей, последний - миллион.\r\n"
                   "      Если вы ответите неправильно, то все, что заработано к данному моменту, исчезает и вы "
                   "покидаете игру. Но у нас предусмотрены две \"несгораемые\" суммы - 1 000 рублей (вопрос № 5) "
                   "и 32 000 рублей (вопрос № 10). Ответив на эти вопросы, вы точно уже не потеряете эти деньги.\r\n"
                   "      Кроме того, если вы не дали окончательного ответа, вы всегда можете взять уже заработанные "
                   "деньги, естественно, тогда вы покинете игру.\r\n"
                   "      А еще у вас будут три подсказки:");

const QString fiftyHelp = QStringList{
    QStringLiteral("Подсказка ''50 : 50'' убирает два неверных варианта ответа."),
    QStringLiteral("Два из трех неверных ответов убираются случайным образом."),
    QStringLiteral("Теперь шансы на правильный ответ возрастают с 25% до 50% !!!"),
}.join(crlf);

const QString friendHelp = QStringList{
    QStringLiteral("Подсказка ''Звонок другу'' позволяет позвонить одному из 8 предложенных друзей и узнать его "
                   "мнение."),
    QStringLiteral("Иногда друг не знает правильного ответа, а иногда он просто ошибается (это происходит все чаще и "
                   "чаще с возрастанием вопроса)."),
    QStringLiteral("Помните, что уровень интеллекта у разных людей отличается!"),
}.join(crlf);

const QString zalHelp = QStringList{
    QStringLiteral("Подсказка ''Помощь зала'' дает возможность опросить присутствующих зрителей в игровом зале и "
                   "узнать, какой ответ, по их мнению, верный."),
    QStringLiteral("Не забывайте, что мнение большинства не всегда правильно, особенно в сложных вопросах!"),
}.join(crlf);

} // namespace

RulesWindow::RulesWindow() : Window(windowName)
{
    setWindowTitle(QStringLiteral("Правила нашей игры"));
    setWindowIcon(gameIcon());
    setClientTwips(10065, 7545);
    setWindowFlag(Qt::WindowMinMaxButtonsHint, false);
    setMouseTracking(true);
    setAutoFillBackground(true);
    QPalette pal = palette();
    pal.setColor(QPalette::Window, background);
    setPalette(pal);

    auto *rules = new Label(QStringLiteral("lbl_rules"), this, rulesText);
    rules->setTextFormat(Qt::PlainText);
    rules->setGeometry(twipRect(120, 120, 9855, 3375));
    rules->setFont(designFont(QStringLiteral("Palatino Linotype"), 12));
    rules->setForeColor(pale);
    rules->setAlignment(Qt::AlignLeft | Qt::AlignTop);

    addLifeline("shp_fifty", "lbl_fifty", QStringLiteral("50 : 50"), 3600, fiftyHelp);
    addLifeline("shp_friend", "lbl_friend", QStringLiteral("Звонок другу"), 4200, friendHelp);
    addLifeline("shp_zal", "lbl_zal", QStringLiteral("Помощь зала"), 4800, zalHelp);

    auto *help = new Label(QStringLiteral("lbl_help"), this);
    help->setTextFormat(Qt::PlainText);
    help->setGeometry(twipRect(3600, 3480, 6375, 3015));
    help->setFont(designFont(QStringLiteral("Trebuchet MS"), 12, true));
    help->setForeColor(pale);
    help->setAlignment(Qt::AlignLeft | Qt::AlignTop);

    auto *backBox = new Shape(QStringLiteral("shp_back"), this);
    backBox->setGeometry(twipRect(4110, 6720, 1815, 375));
    backBox->setFillColor(pale);
    backBox->setBorderColor(border);
    auto *back = new Label(QStringLiteral("lbl_back"), this, QStringLiteral("Назад"));
    back->setGeometry(backBox->geometry());
    back->setFont(designFont(QStringLiteral("Arial"), 14.25, true));
    back->setForeColor(deepBlue);
    back->setAlignment(Qt::AlignCenter);
    connect(back, &Label::mouseMoved, this, &RulesWindow::hoverBack);
    connect(back, &Label::clicked, this, &RulesWindow::goBack);
}

void RulesWindow::addLifeline(const char *box, const char *name, const QString &caption, int top, const QString &help)
{
    auto *frame = new Shape(QLatin1String(box), this);
    frame->setGeometry(twipRect(480, top, 2535, 375));
    frame->setFillColor(lifelineFill);
    frame->setBorderColor(border);
    auto *l = new Label(QLatin1String(name), this, caption);
    l->setGeometry(frame->geometry());
    l->setFont(designFont(lifelineFace, 15.75, true));
    l->setForeColor(QColor(0, 0, 0));
    l->setAlignment(Qt::AlignCenter);
    // The lifeline labels explain themselves; a press only lights their box, they are not commands.
    connect(l, &Label::mouseMoved, this, [this, l, help] { showHelp(l, help); });
    connect(l, &Label::mousePressed, frame, [frame] { frame->setFillColor(pressedFill); });
    connect(l, &Label::mouseReleased, frame, [frame] { frame->setFillColor(lifelineFill); });
}

Label *RulesWindow::label(const char *name) const { return findChild<Label *>(QLatin1String(name)); }
Shape *RulesWindow::shape(const char *name) const { return findChild<Shape *>(QLatin1String(name)); }

void RulesWindow::showHelp(Label *l, const QString &help)
{
    // The face tells whether the pointer has already arrived: the help is set once per visit.
    if (l->font().family() != lifelineFace)
        return;
    QFont f = l->font();
    f.setFamily(hoveredFace);
    l->setFont(f);
    label("lbl_help")->setText(help);
}

void RulesWindow::hoverBack()
{
    Shape *box = shape("shp_back");
    if (box->fillColor() != pale)
        return;
    box->setFillColor(deepBlue);
    label("lbl_back")->setForeColor(pale);
}

void RulesWindow::showEvent(QShowEvent *e)
{
    Window::showEvent(e);
    left_ = false;
    // The keys that leave the window must reach it: it takes the focus from its opener.
    activateWindow();
}

void RulesWindow::mouseMoveEvent(QMouseEvent *e)
{
    // The background resets what the pointer lit up: "Назад" first, then the lifelines.
    Shape *box = shape("shp_back");
    if (box->fillColor() == deepBlue) {
        box->setFillColor(pale);
        label("lbl_back")->setForeColor(deepBlue);
    }
    for (const char *name : {"lbl_fifty", "lbl_zal", "lbl_friend"}) {
        Label *l = label(name);
        if (l->font().family() != hoveredFace)
            continue;
        QFont f = l->font();
        f.setFamily(lifelineFace);
        l->setFont(f);
        label("lbl_help")->clear();
    }
    e->accept();
}

void RulesWindow::keyPressEvent(QKeyEvent *e)
{
    if (e->key() == Qt::Key_Escape || e->key() == Qt::Key_Backspace) {
        e->accept();
        goBack();
        return;
    }
    Window::keyPressEvent(e);
}

void RulesWindow::closeEvent(QCloseEvent *e)
{
    // The window manager's close leaves like "Назад", so the opener is never left disabled.
    e->ignore();
    goBack();
}

void RulesWindow::goBack()
{
    if (left_)
        return;
    left_ = true;
    hide();
    const char *opener = forma == 0 ? "frm_start" : forma == 1 ? "frm_game" : nullptr;
    if (QWidget *w = opener ? loadedWindow(QLatin1String(opener)) : nullptr) {
        w->setEnabled(true);
        w->activateWindow();
        w->setFocus();
    }
    replaceByFreshWindow();
}

void RulesWindow::replaceByFreshWindow()
{
    // Only the registered window is replaced; a window built by hand is just hidden.
    if (loadedWindow(windowName) != this)
        return;
    // This runs inside the window's own click, key or close handling: the unload takes the
    // name away at once, so the fresh window answers to it straight after leaving, and the
    // old object is destroyed once that event is over.
    unloadWindow(windowName); // nothing of this object may be used below
    karv::window(windowName);
}

} // namespace karv
