#pragma once
// Several QtTest classes in one test executable: each file registers its class with
// KARV_TEST(Class) and the shared main() runs them all in turn.

#include <QObject>

namespace karv::test {
using TestFactory = QObject *(*)();
int registerTest(TestFactory factory);
} // namespace karv::test

#define KARV_TEST(Class)                                                                                               \
    static const int karvTestRegistered##Class = karv::test::registerTest([]() -> QObject * { return new Class; });
