#include "lifelines/lifelinewindow.h"

#include <QCloseEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QTimer>

#include "app/chain.h"
#include "app/ui.h"
#include "app/widgets.h"

namespace karv {

namespace {
const char *const answerNames[4] = {"lbl_A", "lbl_B", "lbl_C", "lbl_D"};
const char *const shapeNames[4] = {"shp_A", "shp_B", "shp_C", "shp_D"};
} // namespace

LifelineWindow::LifelineWindow(const QString &name) : Window(name)
{
    setClientTwips(11970, 8970);
    setAutoFillBackground(true);
    QPalette p = palette();
    p.setColor(QPalette::Window, QColor(0, 0, 192));
    setPalette(p);
}

Label *LifelineWindow::answerLabel(int k) const { return findChild<Label *>(QLatin1String(answerNames[k - 1])); }
Shape *LifelineWindow::answerShape(int k) const { return findChild<Shape *>(QLatin1String(shapeNames[k - 1])); }

std::array<bool, 4> LifelineWindow::answersShown() const
{
    std::array<bool, 4> shown{};
    for (int k = 1; k <= 4; ++k)
        shown[size_t(k - 1)] = !answerLabel(k)->isHidden();
    return shown;
}

bool LifelineWindow::twoAnswersRemoved(int fi) const
{
    int hidden = 0;
    for (bool shown : answersShown())
        hidden += shown ? 0 : 1;
    return fi == 1 && hidden == 2;
}

void LifelineWindow::addQuestion(int left, int top, int width, int height)
{
    auto *box = new Shape(QStringLiteral("shp_Question"), this, Shape::Kind::RoundedRectangle);
    box->setGeometry(twipRect(left, top, width, height));
    box->setFillColor(QColor(128, 128, 255));
    box->setBorderColor(QColor(255, 0, 0));
    box->setBorderWidth(2);
    auto *text = new Label(QStringLiteral("lbl_Question"), this);
    text->setGeometry(twipRect(left + 120, top + 90, width - 240, height - 180));
    text->setFont(designFont(QStringLiteral("Arial"), 14.25));
    text->setForeColor(QColor(0, 0, 0));
    text->setAlignment(Qt::AlignCenter);
}

void LifelineWindow::addAnswers(const std::array<QPoint, 4> &boxTopLeft)
{
    for (int k = 0; k < 4; ++k) {
        const QPoint at = boxTopLeft[size_t(k)];
        auto *box = new Shape(QLatin1String(shapeNames[k]), this, Shape::Kind::RoundedRectangle);
        box->setGeometry(twipRect(at.x(), at.y(), 2895, 735));
        box->setFillColor(QColor(128, 128, 255));
        box->setBorderColor(QColor(255, 255, 128));
        box->setBorderWidth(2);
        auto *text = new Label(QLatin1String(answerNames[k]), this);
        text->setGeometry(twipRect(at.x() + 120, at.y() + 120, 2655, 495));
        text->setFont(designFont(QStringLiteral("MS Sans Serif"), 9.75));
        text->setForeColor(QColor(0, 0, 0));
        text->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    }
}

QWidget *LifelineWindow::gameControl(const char *name) const
{
    return game_ ? game_->findChild<QWidget *>(QLatin1String(name)) : nullptr;
}

void LifelineWindow::copyQuestionFrom(QWidget *game)
{
    for (const char *name : {"lbl_Question", "lbl_A", "lbl_B", "lbl_C", "lbl_D"})
        if (auto *from = game->findChild<QLabel *>(QLatin1String(name)))
            findChild<QLabel *>(QLatin1String(name))->setText(from->text());
    // Answers a fifty-fifty removed from this question stay away here too.
    for (int k = 1; k <= 4; ++k)
        if (auto *from = game->findChild<QWidget *>(QLatin1String(answerNames[k - 1])))
            answerLabel(k)->setVisible(!from->isHidden());
}

void LifelineWindow::takePlaceOf(QWidget *game)
{
    show();
    // After show(): a window's first showing centres it on the screen.
    move(game->pos());
    game->hide();
    activateWindow();
}

void LifelineWindow::returnToGame()
{
    if (!game_) {
        hide();
        return;
    }
    game_->show();
    hide();
    if (optionFlag("time") == 1)
        if (QTimer *clock = namedTimer(game_, "tmr_time"))
            clock->start();
    game_->activateWindow();
    game_->setFocus();
}

void LifelineWindow::keyPressEvent(QKeyEvent *e) { minimiseOnAltEnter(e); }

void LifelineWindow::closeEvent(QCloseEvent *e)
{
    // The game window is hidden meanwhile: closing may only lead back to it.
    e->ignore();
    if (mayClose())
        closeNow();
}

} // namespace karv
