// What the bar draws: border, flood blocks and bars, caption placement, clearing.
#include "gaugetesting.h"

#include <QTest>

#include <cmath>
#include <limits>
#include <memory>

using namespace gaugetest;
using Orientation = Fillgauge::FGGOrientationConstants;
using Style = Fillgauge::FGGProgressStyleConstants;

namespace {

// The pixels that are neither background nor border nor flood: the caption's ink.
QList<std::pair<int, int>> inkRows(const QImage &image, QRect area, int &left, int &right)
{
    QList<std::pair<int, int>> rows;
    left = image.width();
    right = -1;
    int start = -1;
    for (int y = area.top(); y <= area.bottom() + 1; ++y) {
        bool ink = false;
        for (int x = area.left(); y <= area.bottom() && x <= area.right(); ++x) {
            const QColor c = image.pixelColor(x, y);
            if (c != background && c != red) {
                ink = true;
                left = std::min(left, x);
                right = std::max(right, x);
            }
        }
        if (ink && start < 0)
            start = y;
        if (!ink && start >= 0) {
            rows.append({start, y});
            start = -1;
        }
    }
    return rows;
}

} // namespace

class PaintingTest : public QObject {
    Q_OBJECT
private slots:
    void blocksAreWholeWithThreePixelGapsAndStopAtTheInnerRightEdge_data()
    {
        QTest::addColumn<int>("width");
        QTest::addColumn<int>("height");
        QTest::addColumn<double>("value");
        QTest::addColumn<int>("blockWidth");
        QTest::newRow("time bar of the challenge, full") << 465 << 17 << 100.0 << 8;
        QTest::newRow("half") << 465 << 17 << 50.0 << 8;
        QTest::newRow("29 of 100") << 465 << 17 << 29.0 << 8;
        QTest::newRow("almost full") << 465 << 17 << 99.0 << 8;
        QTest::newRow("a sliver still starts a whole block") << 465 << 17 << 0.5 << 8;
        QTest::newRow("last block clipped at the edge") << 460 << 17 << 100.0 << 8;
        QTest::newRow("thicker bar") << 600 << 20 << 73.0 << 10;
    }
    void blocksAreWholeWithThreePixelGapsAndStopAtTheInnerRightEdge()
    {
        QFETCH(int, width);
        QFETCH(int, height);
        QFETCH(double, value);
        QFETCH(int, blockWidth);
        auto bar = makeBar(width, height);
        bar->setValue(float(value));

        const int right = width - 3; // inside the border and its 1-pixel margin
        const int filledTo = int(std::floor(value / 100 * (width - 5))) + 2;
        const auto blocks = runs(bar->image(), height / 2, red);
        QVERIFY(!blocks.isEmpty());
        QCOMPARE(blocks.first().first, 2);
        for (qsizetype i = 0; i < blocks.size(); ++i) {
            if (i + 1 < blocks.size()) {
                QCOMPARE(blocks[i].second - blocks[i].first, blockWidth);
                QCOMPARE(blocks[i + 1].first - blocks[i].second, 3);
            }
            QVERIFY(blocks[i].first < filledTo);
        }
        QVERIFY(blocks.last().second <= right);
        QVERIFY(blocks.last().second + 3 >= filledTo); // no block that starts before the filled length is missing
        QVERIFY(blocks.last().second - blocks.last().first <= blockWidth);
        // The flood fills rows 2 to H + 1 of a bar H + 5 pixels high.
        QCOMPARE(runs(bar->image(), 2, red, true), (QList<std::pair<int, int>>{{2, height - 3}}));
    }

    void valueAtMinDrawsNoFloodAndANewBarOnlyBorderAndCaption()
    {
        Fillgauge fresh;
        fresh.setPalette(knownPalette());
        fresh.resize(465, 17);
        fresh.show(); // its first picture
        QCOMPARE(countColour(fresh.image(), QColor(192, 0, 0)), 0);
        int left, right;
        QCOMPARE(inkRows(fresh.image(), QRect(2, 2, 460, 12), left, right).size(), 1); // "50%"

        auto bar = makeBar(465, 17);
        bar->setValue(30);
        QVERIFY(countColour(bar->image(), red) > 0);
        bar->setValue(0);
        QCOMPARE(countColour(bar->image(), red), 0);
    }

    void onlyAShrinkingValueOrACaptionClearsTheBar_data()
    {
        QTest::addColumn<QString>("caption");
        QTest::addColumn<float>("from");
        QTest::addColumn<float>("to");
        QTest::addColumn<bool>("cleared");
        QTest::newRow("growing without caption") << QString() << 10.f << 20.f << false;
        QTest::newRow("same value without caption") << QString() << 20.f << 20.f << false;
        QTest::newRow("shrinking to zero") << QString() << 30.f << 0.f << true;
        QTest::newRow("growing with a caption") << QStringLiteral("x") << 10.f << 20.f << true;
    }
    void onlyAShrinkingValueOrACaptionClearsTheBar()
    {
        QFETCH(QString, caption);
        QFETCH(float, from);
        QFETCH(float, to);
        QFETCH(bool, cleared);
        auto bar = makeBar(465, 17);
        bar->setCaption(caption);
        bar->setValue(from);
        // A new button face shows only where the inside is cleared.
        QPalette p = bar->palette();
        const QColor newFace(10, 20, 200);
        p.setColor(QPalette::Button, newFace);
        bar->setPalette(p);
        bar->setValue(to);
        QCOMPARE(pixel(*bar, 440, 8), cleared ? newFace : background);
    }

    void verticalBlockBarsGrowUpwardsFromTheBottom()
    {
        auto bar = makeBar(110, 30);
        bar->setOrientation(Orientation::fggOrientationVertical);
        QCOMPARE(bar->size(), QSize(30, 110));
        bar->setValue(50);
        const auto blocks = runs(bar->image(), 15, red, true);
        QVERIFY(blocks.size() >= 2);
        QCOMPARE(blocks.last().second, 107); // the bottom of the flood area
        for (qsizetype i = 0; i + 1 < blocks.size(); ++i)
            QCOMPARE(blocks[i + 1].first - blocks[i].second, 3);
        for (qsizetype i = 1; i < blocks.size(); ++i)
            QCOMPARE(blocks[i].second - blocks[i].first, blocks.last().second - blocks.last().first);
        QVERIFY(blocks.first().first >= 107 - 52 - (blocks.last().second - blocks.last().first));
        QCOMPARE(runs(bar->image(), 40, red).size(), 0); // nothing in the upper part

        bar->setStyle(Style::fggSmooth);
        QCOMPARE(runs(bar->image(), 15, red, true), (QList<std::pair<int, int>>{{54, 107}}));
    }

    void smoothBarEndsAtTheNearestPixelWithTiesToEven_data()
    {
        QTest::addColumn<int>("width");
        QTest::addColumn<double>("value");
        QTest::addColumn<int>("end");
        QTest::newRow("exact") << 601 << 50.0 << 300;                   // 298 + 2
        QTest::newRow("tie rounds down to even") << 602 << 50.0 << 300; // 298.5 + 2 = 300.5 → 300
        QTest::newRow("tie rounds up to even") << 604 << 50.0 << 302;   // 299.5 + 2 = 301.5 → 302
        QTest::newRow("full") << 600 << 100.0 << 597;
    }
    void smoothBarEndsAtTheNearestPixelWithTiesToEven()
    {
        QFETCH(int, width);
        QFETCH(double, value);
        QFETCH(int, end);
        auto bar = makeBar(width, 20);
        bar->setStyle(Style::fggSmooth);
        bar->setValue(float(value));
        QCOMPARE(runs(bar->image(), 10, red), (QList<std::pair<int, int>>{{2, end}}));
    }

    void sunkenBorderIsDarkTopLeftAndLightBottomRight_data()
    {
        QTest::addColumn<int>("appearance");
        QTest::addColumn<QColor>("topLeft");
        QTest::addColumn<QColor>("bottomRight");
        QTest::newRow("3-D") << 1 << dark << light;
        QTest::newRow("flat") << 0 << darkest << darkest;
    }
    void sunkenBorderIsDarkTopLeftAndLightBottomRight()
    {
        QFETCH(int, appearance);
        QFETCH(QColor, topLeft);
        QFETCH(QColor, bottomRight);
        auto bar = makeBar(465, 17);
        bar->setAppearance(Fillgauge::FGGAppearanceConstants(appearance));
        for (const QPoint p : {QPoint(0, 0), QPoint(200, 0), QPoint(463, 0), QPoint(0, 8), QPoint(0, 15)})
            QCOMPARE(pixel(*bar, p.x(), p.y()), topLeft);
        for (const QPoint p : {QPoint(464, 0), QPoint(464, 8), QPoint(464, 16), QPoint(0, 16), QPoint(200, 16)})
            QCOMPARE(pixel(*bar, p.x(), p.y()), bottomRight);
        QCOMPARE(pixel(*bar, 1, 1), appearance == 0 ? window : background);
    }

    void aVerticalCaptionPutsOneCharacterOnEachLine()
    {
        auto bar = makeBar(200, 40);
        bar->setOrientation(Orientation::fggOrientationVertical);
        bar->setForeColor(0x008000);
        bar->setCaption(QStringLiteral("ABC"));
        int left, right;
        const auto lines = inkRows(bar->image(), QRect(2, 2, 35, 195), left, right);
        QCOMPARE(lines.size(), 3);
        const QImage picture = bar->image();
        const int lineHeight = QFontMetrics(bar->font(), &picture).height();
        for (const auto &[top, bottom] : lines)
            QVERIFY(bottom - top <= lineHeight);
        QVERIFY(std::abs((left + right + 1) / 2.0 - 19.5) <= 2); // centred across the bar

        bar->setOrientation(Orientation::fggOrientationHorizontal);
        QCOMPARE(inkRows(bar->image(), QRect(2, 2, 195, 35), left, right).size(), 1);
        QVERIFY(std::abs((left + right + 1) / 2.0 - 99.5) <= 2);

        bar->setCaption(QString());
        QCOMPARE(inkRows(bar->image(), QRect(2, 2, 195, 35), left, right).size(), 0);
    }

    void designModeShowsTheBarHalfFull()
    {
        auto bar = makeBar(465, 17);
        bar->setStyle(Style::fggSmooth);
        bar->setValue(90);
        bar->setDesignMode(true);
        QCOMPARE(runs(bar->image(), 8, red), (QList<std::pair<int, int>>{{2, 232}}));
        bar->setDesignMode(false);
        QCOMPARE(runs(bar->image(), 8, red), (QList<std::pair<int, int>>{{2, 416}}));
    }

    void extremeRangesDrawPromptlyFromEdgeToEdge_data()
    {
        QTest::addColumn<int>("style");
        QTest::addColumn<int>("orientation");
        QTest::newRow("blocks") << 0 << 0;
        QTest::newRow("smooth") << 1 << 0;
        QTest::newRow("vertical blocks") << 0 << 1;
    }
    void extremeRangesDrawPromptlyFromEdgeToEdge()
    {
        QFETCH(int, style);
        QFETCH(int, orientation);
        auto bar = makeBar(465, 17);
        bar->setStyle(Style(style));
        bar->setOrientation(Orientation(orientation));
        bar->setValue(100);
        bar->setMax(1e-30f); // the value is now 10^32 times the range
        const bool vertical = orientation == 1;
        QVERIFY(pixel(*bar, vertical ? 8 : 460, vertical ? 4 : 8) == red);
        bar->setMax(std::numeric_limits<float>::infinity());
        bar->setValue(std::numeric_limits<float>::infinity());
        QCOMPARE(countColour(bar->image(), red), 0); // an infinite share of an infinite range is no share
    }

    void theWidgetShowsItsPicture()
    {
        auto bar = makeBar(120, 17);
        bar->setValue(50);
        bar->show();
        QVERIFY(QTest::qWaitForWindowExposed(bar.get()));
        QCOMPARE(bar->grab().toImage().convertToFormat(QImage::Format_RGB32), bar->image());
    }
};

std::unique_ptr<QObject> makePaintingTest() { return std::make_unique<PaintingTest>(); }

#include "painting_test.moc"
