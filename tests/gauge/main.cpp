// Runs the bar's test classes in one executable.
#include <QApplication>
#include <QTest>

#include <memory>
#include <vector>

std::unique_ptr<QObject> makePaintingTest();
std::unique_ptr<QObject> makePropertiesTest();
std::unique_ptr<QObject> makeStoreTest();
std::unique_ptr<QObject> makeQtUseTest();
std::unique_ptr<QObject> makeFormTest();

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    int failures = 0;
    for (auto make : {makePaintingTest, makePropertiesTest, makeStoreTest, makeQtUseTest, makeFormTest}) {
        const auto test = make();
        failures += QTest::qExec(test.get(), argc, argv);
    }
    return failures == 0 ? 0 : 1;
}
