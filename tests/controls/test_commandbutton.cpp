// The command buttons of every window: one caption face, captions that stay clear of their
// button's edges, and Enter from either part of the keyboard.
#include <QImage>
#include <QSignalSpy>
#include <QTest>

#include <climits>

#include "app/services.h"
#include "app/windows.h"
#include "controls/commandbutton.h"
#include "tests/support/fakes.h"
#include "tests/support/testmain.h"

using namespace karv;
using namespace karv::test;

namespace {

QImage rendered(CommandButton *b)
{
    QImage image(b->size(), QImage::Format_ARGB32);
    image.fill(Qt::transparent);
    b->render(&image, QPoint(), QRegion(), QWidget::RenderFlags());
    return image;
}

// Where the caption puts ink on its button: what changes when the caption is taken away.
QRect captionInk(CommandButton *b)
{
    const QImage with = rendered(b);
    const QString caption = b->text();
    b->setText(QString());
    const QImage without = rendered(b);
    b->setText(caption);
    int left = INT_MAX, top = INT_MAX, right = -1, bottom = -1;
    for (int y = 0; y < with.height(); ++y)
        for (int x = 0; x < with.width(); ++x)
            if (with.pixel(x, y) != without.pixel(x, y)) {
                left = std::min(left, x);
                right = std::max(right, x);
                top = std::min(top, y);
                bottom = std::max(bottom, y);
            }
    return right < 0 ? QRect() : QRect(QPoint(left, top), QPoint(right, bottom));
}

} // namespace

class CommandButtonTest : public QObject {
    Q_OBJECT

private slots:
    void init() { installFakes(); }
    void cleanup() { QuitGame(); }

    void everyButtonHasTheCommonFaceAndRoomForItsCaption()
    {
        QVERIFY(Main());
        QList<CommandButton *> buttons;
        for (const char *name : quitOrder) {
            QWidget *w = karv::window(QLatin1String(name));
            QVERIFY2(w, name);
            buttons += w->findChildren<CommandButton *>();
        }
        QVERIFY(buttons.size() >= 19);
        const QFont common = topLevel(QStringLiteral("frm_start"))->findChild<CommandButton *>(QStringLiteral("cmd_start"))->font();
        QCOMPARE(common.family(), QStringLiteral("Comic Sans MS"));
        QVERIFY(common.bold());
        for (CommandButton *b : buttons) {
            const QString who = b->window()->objectName() + QLatin1Char('.') + b->objectName();
            QCOMPARE(b->font().family(), common.family());
            QVERIFY2(b->font().bold(), qPrintable(who));
            QVERIFY2(b->font().pointSizeF() == common.pointSizeF(), qPrintable(who));
            // The caption is drawn whole, clear of the rounded frame: at least two pixels inside.
            const QRect ink = captionInk(b);
            QVERIFY2(!ink.isEmpty(), qPrintable(who));
            QVERIFY2(b->rect().adjusted(2, 2, -2, -2).contains(ink),
                     qPrintable(QStringLiteral("%1: caption at %2,%3 %4x%5 in %6x%7")
                                    .arg(who)
                                    .arg(ink.x())
                                    .arg(ink.y())
                                    .arg(ink.width())
                                    .arg(ink.height())
                                    .arg(b->width())
                                    .arg(b->height())));
        }
    }

    void aFocusedButtonIsPressedByEitherEnter_data()
    {
        QTest::addColumn<int>("key");
        QTest::addColumn<int>("modifiers");
        QTest::addColumn<bool>("pressed");
        QTest::newRow("Enter") << int(Qt::Key_Return) << int(Qt::NoModifier) << true;
        QTest::newRow("keypad Enter") << int(Qt::Key_Enter) << int(Qt::KeypadModifier) << true;
        QTest::newRow("Space") << int(Qt::Key_Space) << int(Qt::NoModifier) << true;
        QTest::newRow("Alt+Enter") << int(Qt::Key_Return) << int(Qt::AltModifier) << false;
        QTest::newRow("Alt+keypad Enter") << int(Qt::Key_Enter) << int(Qt::AltModifier | Qt::KeypadModifier) << false;
        QTest::newRow("Ctrl+keypad Enter") << int(Qt::Key_Enter) << int(Qt::ControlModifier | Qt::KeypadModifier)
                                          << false;
        QTest::newRow("Shift+Enter") << int(Qt::Key_Return) << int(Qt::ShiftModifier) << false;
    }
    void aFocusedButtonIsPressedByEitherEnter()
    {
        QFETCH(int, key);
        QFETCH(int, modifiers);
        QFETCH(bool, pressed);
        QWidget window;
        auto *b = new CommandButton(QStringLiteral("cmd_test"), QStringLiteral("OK"), &window);
        b->setGeometry(10, 10, 80, 25);
        window.show();
        window.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&window));
        b->setFocus();
        QSignalSpy clicks(b, &QAbstractButton::clicked);
        QTest::keyClick(window.windowHandle(), Qt::Key(key), Qt::KeyboardModifiers(modifiers));
        QCOMPARE(clicks.size(), pressed ? 1 : 0);
    }
};

KARV_TEST(CommandButtonTest)
#include "test_commandbutton.moc"
