// The About window: closing back to the right opener, the mail link, the thanks, the cheat
// list behind the picture, and the painted background.
#include <QAbstractButton>
#include <QApplication>
#include <QClipboard>
#include <QTimer>
#include <QImage>
#include <QMouseEvent>
#include <QPainter>
#include <QTest>
#include <QUrl>
#include <QUrlQuery>

#include "app/services.h"
#include "app/start.h"
#include "app/widgets.h"
#include "app/windows.h"
#include "game/gamerules.h"
#include "info/aboutwindow.h"
#include "info/gameicon.h"
#include "tests/support/fakes.h"
#include "tests/support/input.h"
#include "tests/support/testmain.h"

using namespace karv;
using namespace karv::test;

namespace {

const char *const openers[5] = {"frm_start", "frm_game", "frm_end", "frm_money", "frm_win"};
const QColor linkColor(192, 192, 255), linkHover(255, 255, 128);

void moveOver(QWidget *w)
{
    const QPoint pos = w->rect().center();
    QMouseEvent e(QEvent::MouseMove, QPointF(pos), QPointF(w->mapToGlobal(pos)), Qt::NoButton, Qt::NoButton,
                  Qt::NoModifier);
    QApplication::sendEvent(w, &e);
}

} // namespace

class AboutTest : public QObject {
    Q_OBJECT
    Fakes f{};

    static QWidget *about() { return karv::window(QStringLiteral("frmAbout")); }
    template <class T = Label> static T *child(const char *name) { return about()->findChild<T *>(QLatin1String(name)); }
    const QList<DialogCall> &messages() const { return f.dialogs->calls; }

private slots:
    void init() { f = installFakes(); }
    void cleanup() { QuitGame(); }

    void closingReenablesTheWindowThatOpenedIt_data()
    {
        QTest::addColumn<int>("forma");
        QTest::addColumn<QString>("how");
        for (int forma = 0; forma < 5; ++forma)
            for (const char *how : {"OK", "Esc", "close"})
                QTest::addRow("%s by %s", openers[forma], how) << forma << how;
    }
    void closingReenablesTheWindowThatOpenedIt()
    {
        QFETCH(int, forma);
        QFETCH(QString, how);
        QList<QWidget *> windows;
        for (const char *name : openers) {
            QWidget *w = karv::window(QLatin1String(name));
            QVERIFY2(w, name);
            w->setEnabled(false);
            windows << w;
        }
        QWidget *opener = windows[forma];
        opener->setEnabled(true);
        opener->show();
        ShowAbout(opener);
        about()->setProperty("forma", forma);
        QVERIFY(about()->isVisible());
        QVERIFY(!opener->isEnabled());

        if (how == QLatin1String("OK"))
            child<QAbstractButton>("cmdOK")->click();
        else if (how == QLatin1String("Esc"))
            QTest::keyClick(about(), Qt::Key_Escape);
        else
            about()->close();

        QVERIFY(about()->isHidden());
        for (int i = 0; i < 5; ++i)
            QCOMPARE(windows[i]->isEnabled(), i == forma);
        // Closing only hides: the window keeps its state for the next opening.
        QCOMPARE(topLevel(QStringLiteral("frmAbout")), about());
    }

    void theCheatListNeedsTheUnlockMark_data()
    {
        QTest::addColumn<bool>("present");
        QTest::addColumn<QByteArray>("content");
        QTest::addColumn<bool>("shown");
        QTest::newRow("20") << true << QByteArray("20\r\n") << true;
        QTest::newRow("20 without line end") << true << QByteArray("20") << true;
        QTest::newRow("blank before 20") << true << QByteArray(" 20\r\n") << true;
        QTest::newRow("20.0") << true << QByteArray("20.0\r\n") << true;
        QTest::newRow("20 and a letter") << true << QByteArray("20x\r\n") << true;
        QTest::newRow("21") << true << QByteArray("21\r\n") << false;
        QTest::newRow("2") << true << QByteArray("2\r\n") << false;
        QTest::newRow("20.5") << true << QByteArray("20.5\r\n") << false;
        QTest::newRow("empty line") << true << QByteArray("\r\n") << false;
        QTest::newRow("empty file") << true << QByteArray() << false;
        QTest::newRow("20 on the second line") << true << QByteArray("\r\n20\r\n") << false;
        QTest::newRow("missing") << false << QByteArray() << false;
    }
    void theCheatListNeedsTheUnlockMark()
    {
        QFETCH(bool, present);
        QFETCH(QByteArray, content);
        QFETCH(bool, shown);
        if (present)
            writeDataFile(QStringLiteral("karv20ch.inf"), content);
        QTest::mouseClick(child("img_bitmap"), Qt::LeftButton);
        if (!shown) {
            QCOMPARE(messages().size(), 0);
            return;
        }
        QCOMPARE(messages().size(), 1);
        const DialogCall &m = messages().first();
        QCOMPARE(int(m.kind), int(DialogCall::Kind::Message));
        QCOMPARE(int(m.icon), int(MessageIcon::Information));
        QCOMPARE(m.title, QStringLiteral("Информация по чит-кодам"));
        QCOMPARE(m.text,
                 QStringLiteral(
                     "Чит-коды вводятся в специальное поле, которое вызывается\r\n"
                     "на главной игровой форме путем нажатия клавиш Ctrl + Shift\r\n"
                     "и одновременного щелчка кнопкой мыши по области справа на форме между ''9'' и ''16 000''\r\n"
                     "\r\n"
                     "Open the secret door now - выводит правильный ответ\r\n"
                     "Let the clocks sleep now - отключает ограничитель времени\r\n"
                     "При вводе не важен регистр (Чит = чИт = ЧИт...) и раскладка клавиатуры (QWERTY = ЙЦУКЕН)"));
    }

    void theMailLinkCarriesTheGameSubject()
    {
        QCOMPARE(child("lbl_email")->text(), QString::fromLatin1(authorEmail));
        QTest::mouseClick(child("lbl_email"), Qt::LeftButton);
        QCOMPARE(f.desktop->calls.size(), 1);
        const QString call = f.desktop->calls.first();
        QVERIFY(call.startsWith(QStringLiteral("openUrl ")));
        const QString link = call.mid(8);
        // Percent-encoded, so no shell or mail program can split or garble the subject.
        QVERIFY2(!link.contains(QLatin1Char(' ')) && link == QString::fromLatin1(link.toLatin1()), qPrintable(link));
        const QUrl url(link, QUrl::StrictMode);
        QVERIFY(url.isValid());
        QCOMPARE(url.scheme(), QStringLiteral("mailto"));
        QCOMPARE(url.path(), QString::fromLatin1(authorEmail));
        const QUrlQuery query(url);
        QCOMPARE(query.queryItems().size(), 1);
        QCOMPARE(query.queryItems().first().first, QStringLiteral("Subject"));
        QCOMPARE(query.queryItemValue(QStringLiteral("Subject"), QUrl::FullyDecoded), QStringLiteral("Карвелон v 2.0"));
        QCOMPARE(messages().size(), 0);
    }

    // No mail program takes the link: the player is told the address and subject to write to,
    // and finds the address on the clipboard — unless the cheat entry is open and keeping the
    // clipboard empty, when the message does not promise it.
    void aMailLinkNoProgramTakesIsWrittenByHand_data()
    {
        QTest::addColumn<bool>("cheatEntryOpen");
        QTest::newRow("clipboard free") << false;
        QTest::newRow("cheat entry keeps the clipboard empty") << true;
    }
    void aMailLinkNoProgramTakesIsWrittenByHand()
    {
        QFETCH(bool, cheatEntryOpen);
        QVERIFY(Main());
        QWidget *menu = topLevel(QStringLiteral("frm_start"));
        QTest::mouseClick(menu->findChild<QWidget *>(QStringLiteral("cmd_about")), Qt::LeftButton);
        QVERIFY(about()->isVisible());
        if (cheatEntryOpen) {
            QMetaObject::invokeMethod(karv::window(QStringLiteral("frm_cheat")), "summon");
            QVERIFY(topLevel(QStringLiteral("frm_cheat"))->findChild<QTimer *>(QStringLiteral("tmr_clear"))->isActive());
        }
        QApplication::clipboard()->setText(QStringLiteral("что-то своё"));
        f.desktop->openUrlResult = false;
        fromEventLoop([&] { QTest::mouseClick(child("lbl_email"), Qt::LeftButton); });
        QCOMPARE(f.desktop->calls.filter(QStringLiteral("openUrl mailto:")).size(), 1);
        QCOMPARE(messages().size(), 1);
        const DialogCall &told = messages().first();
        QCOMPARE(told.icon, MessageIcon::Information);
        QCOMPARE(told.title, QStringLiteral("Письмо не отправлено"));
        const QStringList lines = told.text.split(QStringLiteral("\r\n"));
        QVERIFY2(lines.contains(QStringLiteral("Адрес: ") + QLatin1String(authorEmail)), qPrintable(told.text));
        QVERIFY2(lines.contains(QStringLiteral("Тема: Карвелон v 2.0")), qPrintable(told.text));
        QVERIFY(about()->isVisible() && !about()->isMinimized());
        QCOMPARE(lines.contains(QStringLiteral("Адрес скопирован в буфер обмена.")), !cheatEntryOpen);
        QCOMPARE(QApplication::clipboard()->text(),
                 cheatEntryOpen ? QStringLiteral("что-то своё") : QString::fromLatin1(authorEmail));
    }

    void theMailLinkLightsUpUntilThePointerMovesElsewhere_data()
    {
        QTest::addColumn<QString>("elsewhere");
        QTest::addColumn<bool>("restores");
        for (const char *name : {"frmAbout", "cmd_et", "img_bitmap", "lbl_prosba", "lblDescription", "lblTitle",
                                 "lblVersion"})
            QTest::newRow(name) << name << true;
        for (const char *name : {"lbl_date", "lbl_v", "lbl_email"})
            QTest::newRow(name) << name << false;
    }
    void theMailLinkLightsUpUntilThePointerMovesElsewhere()
    {
        QFETCH(QString, elsewhere);
        QFETCH(bool, restores);
        Label *email = child("lbl_email");
        QCOMPARE(email->foreColor(), linkColor);
        moveOver(email);
        QCOMPARE(email->foreColor(), linkHover);
        QWidget *target = elsewhere == about()->objectName() ? about() : about()->findChild<QWidget *>(elsewhere);
        QVERIFY(target);
        moveOver(target);
        QCOMPARE(email->foreColor(), restores ? linkColor : linkHover);
    }

    void theThanksListTheControls()
    {
        child<QAbstractButton>("cmd_et")->click();
        QCOMPARE(messages().size(), 1);
        QCOMPARE(int(messages().first().icon), int(MessageIcon::Information));
        QCOMPARE(messages().first().title, QStringLiteral("Еще спасибы..."));
        QCOMPARE(messages().first().text,
                 QStringLiteral("Еще спасибы...\r\n"
                                "\r\n"
                                "При создании использовались дополнительные контролы:\r\n"
                                "     1. Fillgauge\r\n"
                                "     2. XP Button\r\n"
                                "     3. Baloon Tip\r\n"
                                "     4. XP Top Buttons\r\n"
                                "     5. XP Radio Buttons\r\n"
                                "Спасибо создателям этих контролов!\r\n"
                                "\r\n"
                                "И еще спасибо тем, кто придумал Инет (иначе я бы не получил этих контролов :-))"));
    }

    void theWindowShowsItsTitleAndVersion()
    {
        QCOMPARE(about()->windowTitle(), QStringLiteral("О программе..."));
        QCOMPARE(child("lblTitle")->text(), QStringLiteral("Карвелон"));
        QCOMPARE(child("lblVersion")->text(), QStringLiteral("Версия 2.0"));
        QCOMPARE(child("lbl_date")->text(), QStringLiteral("(16.07.2004)"));
        QVERIFY(child("lblDescription")->text().endsWith(QStringLiteral("Мой e-mail: ")));
        QCOMPARE(child("lbl_prosba")->text(),
                 QStringLiteral("Обо всех ошибках, багах, опечатках, предложениях по улучшению программы и т.д. просьба "
                                "отправлять сообщенния мне на e-mail (с именем и адресом эл. почты и с пометкой "
                                "\"Карвелон v 2.0\")."));
        QCOMPARE(child("lbl_v")->text(), QStringLiteral("v 2.0"));
        QCOMPARE(child("lbl_v1")->text(), QStringLiteral("v 2.0"));
        QCOMPARE(child<QAbstractButton>("cmd_et")->text(), QStringLiteral("Еще спасибы"));
        QCOMPARE(child<QAbstractButton>("cmdOK")->text(), QStringLiteral("OK"));
        // The picture is the game's emblem, opaque in the middle and round, so clear in the corners.
        const QImage emblem = child("img_bitmap")->pixmap().toImage();
        QCOMPARE(emblem.size(), QSize(48, 48));
        QCOMPARE(qAlpha(emblem.pixel(24, 24)), 255);
        QCOMPARE(qAlpha(emblem.pixel(0, 0)), 0);
        QVERIFY(!gameIcon().pixmap(32, 32).isNull());
    }

    void theBackgroundRunsFromBlackToBlueOneShadePerRow()
    {
        const QImage shot = about()->grab().toImage();
        const int h = shot.height();
        QVERIFY(h > 100);
        int previous = -1;
        for (int y = 0; y < h; ++y) {
            if (y == 256) // Line1 crosses here
                continue;
            // Columns between the vertical line and the texts hold only background.
            const QRgb c = shot.pixel(70, y);
            QCOMPARE(shot.pixel(66, y), c);
            QCOMPARE(shot.pixel(78, y), c);
            QCOMPARE(qRed(c), 0);
            QCOMPARE(qGreen(c), 0);
            QVERIFY2(qBlue(c) >= previous, qPrintable(QString::number(y)));
            previous = qBlue(c);
        }
        QCOMPARE(qBlue(shot.pixel(70, 0)), 0);
        QCOMPARE(qBlue(shot.pixel(70, h - 1)), 255);
    }

    void aZeroHeightPaintsNothing()
    {
        QImage image(20, 4, QImage::Format_RGB32);
        image.fill(Qt::white);
        QPainter p(&image);
        paintGradient(p, 20, 0);
        p.end();
        for (int y = 0; y < 4; ++y)
            for (int x = 0; x < 20; ++x)
                QCOMPARE(image.pixel(x, y), qRgb(255, 255, 255));
    }
};

KARV_TEST(AboutTest)
#include "test_about.moc"
