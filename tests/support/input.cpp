#include "tests/support/input.h"

#include <QAction>
#include <QCoreApplication>
#include <QEventLoop>
#include <QMenu>
#include <QTest>
#include <QTimer>

namespace karv::test {

void fromEventLoop(const std::function<void()> &input)
{
    QEventLoop loop;
    QTimer::singleShot(0, &loop, [&] {
        input();
        loop.quit();
    });
    loop.exec();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

void clickMenuItem(QMenu *menu, const char *item)
{
    QAction *action = menu->findChild<QAction *>(QLatin1String(item));
    QVERIFY(action && menu->isVisible());
    QTest::mouseClick(menu, Qt::LeftButton, {}, menu->actionGeometry(action).center());
}

void keyMenuItem(QMenu *menu, const char *item)
{
    QVERIFY(menu->isVisible());
    for (int i = 0; i < 20 && (!menu->activeAction() || menu->activeAction()->objectName() != QLatin1String(item)); ++i)
        QTest::keyClick(menu, Qt::Key_Down);
    QCOMPARE(menu->activeAction()->objectName(), QLatin1String(item));
    QTest::keyClick(menu, Qt::Key_Return);
}

} // namespace karv::test
