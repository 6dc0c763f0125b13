// The command buttons: Enter from either part of the keyboard.
#include <QSignalSpy>
#include <QTest>

#include "app/services.h"
#include "controls/commandbutton.h"
#include "tests/support/fakes.h"
#include "tests/support/testmain.h"

using namespace karv;
using namespace karv::test;

class CommandButtonTest : public QObject {
    Q_OBJECT

private slots:
    void init() { installFakes(); }

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
