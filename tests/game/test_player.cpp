// The player's name on the game window: at any length it is shown without running into
// another text, and kept whole where the game keeps it.
#include <QImage>
#include <QTest>

#include <climits>

#include "app/datafiles.h"
#include "app/services.h"
#include "app/widgets.h"
#include "game/gamewindow.h"
#include "tests/support/fakes.h"
#include "tests/support/testmain.h"

using namespace karv;
using namespace karv::test;

namespace {

// Where a label puts ink (text or picture), in its window's coordinates; empty when it draws
// nothing. Found in the label's own rendering, so it is what the player sees.
QRect inkRect(const Label *l)
{
    QImage image(l->size(), QImage::Format_ARGB32);
    image.fill(Qt::transparent);
    const_cast<Label *>(l)->render(&image, QPoint(), QRegion(), QWidget::RenderFlags());
    const QRgb background = l->isOpaque() ? l->backColor().rgba() : qRgba(0, 0, 0, 0);
    int left = INT_MAX, top = INT_MAX, right = -1, bottom = -1;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (image.pixel(x, y) != background) {
                left = std::min(left, x);
                right = std::max(right, x);
                top = std::min(top, y);
                bottom = std::max(bottom, y);
            }
    if (right < 0)
        return {};
    return QRect(QPoint(left, top), QPoint(right, bottom)).translated(l->mapTo(l->window(), QPoint(0, 0)));
}

// A name of exactly n characters made of `pattern`, with no blank at either end (the game
// trims those).
QString nameOf(const QString &pattern, int n)
{
    QString name;
    while (name.size() < n)
        name += pattern;
    name.truncate(n);
    if (name.endsWith(QLatin1Char(' ')))
        name[n - 1] = QChar(0x044F); // я
    return name;
}

} // namespace

class PlayerNameTest : public QObject {
    Q_OBJECT

private slots:
    void cleanup() { QuitGame(); }

    void noTextRunsIntoAnotherAtAnyNameLength_data()
    {
        QTest::addColumn<QString>("pattern");
        QTest::newRow("Ж, the widest capital") << QStringLiteral("Ж");
        QTest::newRow("ш, a wide small letter") << QStringLiteral("ш");
        QTest::newRow("a long double name") << QStringLiteral("Анна-Мария Константиновна Римская-Корсакова ");
        QTest::newRow("W") << QStringLiteral("W");
    }
    void noTextRunsIntoAnotherAtAnyNameLength()
    {
        QFETCH(QString, pattern);
        for (int n = 1; n <= 80; ++n) {
            const QString name = nameOf(pattern, n);
            Fakes f = installFakes();
            f.dialogs->inputAnswers.push_back(name);
            GameWindow *game = startNewGame();
            QVERIFY(game);
            // The whole name is kept, in the file and in the name label that carries it.
            QCOMPARE(datafiles::readLine(QLatin1String(datafiles::nameFile)).value_or(QString()), name);
            const QString shown = game->findChild<QLabel *>(QStringLiteral("lbl_player"))->text()
                                  + game->findChild<QLabel *>(QStringLiteral("lbl_player1"))->text();
            QCOMPARE(shown, name);

            QList<std::pair<QString, QRect>> inks;
            for (const Label *l : game->findChildren<Label *>())
                if (l->isVisible())
                    if (const QRect ink = inkRect(l); !ink.isEmpty())
                        inks.append({l->objectName(), ink});
            QVERIFY(inks.size() > 40);
            for (qsizetype i = 0; i < inks.size(); ++i)
                for (qsizetype j = i + 1; j < inks.size(); ++j)
                    QVERIFY2(!inks[i].second.intersects(inks[j].second),
                             qPrintable(QStringLiteral("%1 characters: %2 runs into %3")
                                            .arg(n)
                                            .arg(inks[i].first, inks[j].first)));
            QuitGame();
        }
    }
};

KARV_TEST(PlayerNameTest)
#include "test_player.moc"
