// The desktop's answer to a mail link: the game believes a mail program took the link only
// when the desktop's opener says so, not as soon as the opener has started.
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include "app/services.h"
#include "tests/support/fakes.h"
#include "tests/support/testmain.h"

using namespace karv;
using namespace karv::test;

class MailLinkTest : public QObject {
    Q_OBJECT
    QByteArray path_;

private slots:
    void init()
    {
        installFakes();
        install(std::unique_ptr<Desktop>()); // the program's own desktop
        path_ = qgetenv("PATH");
    }
    void cleanup() { qputenv("PATH", path_); }

    void theOpenersVerdictDecides_data()
    {
        QTest::addColumn<int>("exitCode");
        QTest::addColumn<bool>("taken");
        QTest::newRow("a program took the link") << 0 << true;
        QTest::newRow("no program for mailto:") << 4 << false;
        QTest::newRow("no way to open it at all") << 3 << false;
    }
    void theOpenersVerdictDecides()
    {
        QFETCH(int, exitCode);
        QFETCH(bool, taken);
        QTemporaryDir bin;
        QVERIFY(bin.isValid());
        // A stand-in for the desktop's opener: it notes the link it was given and answers.
        QFile opener(bin.filePath(QStringLiteral("xdg-open")));
        QVERIFY(opener.open(QIODevice::WriteOnly));
        opener.write(QStringLiteral("#!/bin/sh\nprintf '%s' \"$1\" > '%1'\nexit %2\n")
                         .arg(bin.filePath(QStringLiteral("link")))
                         .arg(exitCode)
                         .toUtf8());
        opener.close();
        QVERIFY(opener.setPermissions(QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner));
        qputenv("PATH", QFile::encodeName(bin.path()) + ':' + path_);

        const QString link = QStringLiteral("mailto:karvelon.avtor@example.org?Subject=%D0%9A");
        QCOMPARE(desktop().openUrl(link), taken);
        QFile given(bin.filePath(QStringLiteral("link")));
        QVERIFY(given.open(QIODevice::ReadOnly));
        QCOMPARE(QString::fromUtf8(given.readAll()), link);
    }
};

KARV_TEST(MailLinkTest)
#include "test_mail.moc"
