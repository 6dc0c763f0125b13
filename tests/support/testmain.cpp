#include "tests/support/testmain.h"

#include <QApplication>
#include <QTest>

#include <memory>
#include <vector>

namespace karv::test {
namespace {
std::vector<TestFactory> &tests()
{
    static std::vector<TestFactory> list;
    return list;
}
} // namespace

int registerTest(TestFactory factory)
{
    tests().push_back(factory);
    return int(tests().size());
}
} // namespace karv::test

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("karv20-tests"));
    int failed = 0;
    for (auto factory : karv::test::tests()) {
        std::unique_ptr<QObject> test(factory());
        failed += QTest::qExec(test.get(), argc, argv);
    }
    return failed == 0 ? 0 : 1;
}
