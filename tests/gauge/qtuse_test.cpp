// The bar as Qt programs use it: change signals, animations, QColor, size hints, the window handle, the
// font, design mode.
#include "gaugetesting.h"

#include <QFontMetrics>
#include <QHBoxLayout>
#include <QIcon>
#include <QMetaProperty>
#include <QPixmap>
#include <QPropertyAnimation>
#include <QSignalSpy>
#include <QTest>
#include <QVBoxLayout>

#include <memory>

using namespace gaugetest;

namespace {

QMetaProperty propertyOf(const QObject &object, const QString &name)
{
    const QMetaObject *meta = object.metaObject();
    return meta->property(meta->indexOfProperty(name.toLatin1().constData()));
}

QIcon greenIcon()
{
    QPixmap p(16, 16);
    p.fill(Qt::green);
    return QIcon(p);
}

// The pixels of the caption's ink: neither background nor flood.
QRect inkBounds(const QImage &image, QRect area)
{
    QRect ink;
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x)
            if (image.pixelColor(x, y) != background)
                ink |= QRect(x, y, 1, 1);
    return ink;
}

} // namespace

class QtUseTest : public QObject {
    Q_OBJECT
private slots:
    void anAnimationOfValueMovesTheBarAndTellsOfEveryStep()
    {
        auto bar = makeBar(205, 20);
        bar->setStyle(Fillgauge::fggSmooth);
        bar->setValue(0);
        QSignalSpy changed(bar.get(), &Fillgauge::ValueChanged);
        QPropertyAnimation fill(bar.get(), "Value");
        fill.setDuration(1000);
        fill.setStartValue(0.0);
        fill.setEndValue(100.0);
        fill.start();
        fill.pause();
        fill.setCurrentTime(500);
        QCOMPARE(bar->Value(), 50.f);
        QCOMPARE(runs(bar->image(), 10, red), (QList<std::pair<int, int>>{{2, 102}}));
        const qsizetype halfway = changed.count();
        QVERIFY(halfway >= 2);
        fill.setCurrentTime(1000);
        QCOMPARE(bar->Value(), 100.f);
        QCOMPARE(runs(bar->image(), 10, red), (QList<std::pair<int, int>>{{2, 202}}));
        QVERIFY(changed.count() > halfway);
    }

    void everyPropertyTellsOfAChangeThroughItsNotifySignal_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QVariant>("value");
        QTest::addColumn<int>("afterTheSameValueAgain");
        QTest::newRow("Appearance") << "Appearance" << QVariant(0) << 1;
        QTest::newRow("BackColor") << "BackColor" << QVariant(0x102030u) << 1;
        QTest::newRow("BorderStyle") << "BorderStyle" << QVariant(0) << 1;
        QTest::newRow("Caption") << "Caption" << QVariant(QStringLiteral("x")) << 1;
        QTest::newRow("Enabled") << "Enabled" << QVariant(false) << 1;
        QTest::newRow("FloodColor as QColor") << "FloodColor" << QVariant(QColor(1, 2, 3)) << 1;
        QTest::newRow("Font") << "Font" << QVariant(QFont(QStringLiteral("Liberation Mono"), 14)) << 1;
        QTest::newRow("ForeColor") << "ForeColor" << QVariant(0x80000008u) << 1;
        QTest::newRow("HelpContextID") << "HelpContextID" << QVariant(5) << 1;
        QTest::newRow("Max") << "Max" << QVariant(50.0) << 1;
        QTest::newRow("Min") << "Min" << QVariant(10.0) << 1;
        QTest::newRow("MouseIcon") << "MouseIcon" << QVariant(greenIcon()) << 1;
        QTest::newRow("MousePointer") << "MousePointer" << QVariant(2) << 1;
        QTest::newRow("Orientation") << "Orientation" << QVariant(1) << 1;
        QTest::newRow("Style") << "Style" << QVariant(1) << 1;
        QTest::newRow("Value, told of every time") << "Value" << QVariant(30.0) << 2;
        QTest::newRow("WhatsThisHelpID") << "WhatsThisHelpID" << QVariant(9) << 1;
        QTest::newRow("floodColor") << "floodColor" << QVariant(QColor(4, 5, 6)) << 1;
        QTest::newRow("designMode") << "designMode" << QVariant(true) << 1;
    }
    void everyPropertyTellsOfAChangeThroughItsNotifySignal()
    {
        QFETCH(QString, name);
        QFETCH(QVariant, value);
        QFETCH(int, afterTheSameValueAgain);
        auto bar = makeBar(200, 20);
        const QMetaProperty property = propertyOf(*bar, name);
        QVERIFY(property.hasNotifySignal());
        QSignalSpy notified(bar.get(), property.notifySignal());
        QVERIFY(bar->setProperty(name.toLatin1().constData(), value));
        QCOMPARE(notified.count(), 1);
        QVERIFY(bar->setProperty(name.toLatin1().constData(), value));
        QCOMPARE(notified.count(), afterTheSameValueAgain);
    }

    void loadingTellsOnlyOfWhatChanged()
    {
        Fillgauge source;
        source.setCaption(QStringLiteral("x"));
        source.setMax(50);
        gaugekit::PropertyBag bag;
        source.saveProperties(bag);
        Fillgauge bar;
        QSignalSpy caption(&bar, &Fillgauge::CaptionChanged), max(&bar, &Fillgauge::MaxChanged),
            style(&bar, &Fillgauge::StyleChanged), font(&bar, &Fillgauge::FontChanged);
        bar.loadProperties(bag);
        QCOMPARE(caption.count(), 1);
        QCOMPARE(max.count(), 1);
        QCOMPARE(style.count(), 0);
        QCOMPARE(font.count(), 0);
    }

    void coloursTakeAQColorAndKeepTheirOldForms_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QVariant>("colour");
        QTest::addColumn<uint>("stored");
        QTest::addColumn<QColor>("drawn");
        QTest::newRow("FloodColor, QColor") << "FloodColor" << QVariant(QColor(0x12, 0x34, 0x56)) << 0x563412u
                                            << QColor(0x12, 0x34, 0x56);
        QTest::newRow("FloodColor, QColor with alpha") << "FloodColor" << QVariant(QColor(255, 0, 0, 128))
                                                       << 0x0000FFu << QColor(255, 0, 0);
        QTest::newRow("FloodColor, Qt::blue") << "FloodColor" << QVariant::fromValue(Qt::blue) << 0xFF0000u
                                              << QColor(0, 0, 255);
        QTest::newRow("FloodColor, int as the game sets it") << "FloodColor" << QVariant(0xC00000) << 0xC00000u
                                                             << QColor(0, 0, 192);
        QTest::newRow("ForeColor, uint") << "ForeColor" << QVariant(0x00FF00u) << 0x00FF00u << QColor(0, 255, 0);
        QTest::newRow("ForeColor, system colour") << "ForeColor" << QVariant(0x8000000Eu) << 0x8000000Eu
                                                  << QColor(0, 0, 255);
        QTest::newRow("BackColor, system colour") << "BackColor" << QVariant(0x80000005u) << 0x80000005u << window;
        QTest::newRow("BackColor, QColor") << "BackColor" << QVariant(QColor(Qt::yellow)) << 0x00FFFFu
                                           << QColor(255, 255, 0);
        QTest::newRow("BackColor, decimal text") << "BackColor" << QVariant(QStringLiteral("255")) << 0xFFu
                                                 << QColor(255, 0, 0);
    }
    void coloursTakeAQColorAndKeepTheirOldForms()
    {
        QFETCH(QString, name);
        QFETCH(QVariant, colour);
        QFETCH(uint, stored);
        QFETCH(QColor, drawn);
        const QByteArray designName = name.toLatin1();
        const QByteArray qtName = designName.left(1).toLower() + designName.mid(1); // floodColor
        auto bar = makeBar(60, 20);
        QVERIFY(bar->setProperty(designName.constData(), colour));
        QCOMPARE(bar->property(designName.constData()).typeId(), QMetaType::UInt);
        QCOMPARE(bar->property(designName.constData()).toUInt(), stored);
        QCOMPARE(bar->property(qtName.constData()).value<QColor>(), drawn);
        if (name != u"ForeColor") {
            bar->setValue(name == u"FloodColor" ? 100 : 0);
            QCOMPARE(pixel(*bar, 30, 10), drawn);
        }
        if ((stored & 0xFF000000u) == 0) { // the colour read back sets the same value
            QVERIFY(bar->setProperty(designName.constData(), bar->property(qtName.constData())));
            QCOMPARE(bar->property(designName.constData()).toUInt(), stored);
        }
    }

    void theSizeHintFitsTheCaptionAndTurnsWithTheBar()
    {
        Fillgauge bar;
        const int line = QFontMetrics(bar.font()).height();
        QCOMPARE(bar.sizeHint().height(), line + 5);
        QVERIFY(bar.sizeHint().width() > 4 * bar.sizeHint().height());
        QVERIFY(bar.minimumSizeHint().width() <= bar.sizeHint().width());
        bar.setBorderStyle(Fillgauge::fggNone);
        QCOMPARE(bar.sizeHint().height(), line);

        QWidget window;
        auto *column = new QVBoxLayout(&window);
        auto *across = new Fillgauge;
        column->addWidget(across);
        window.resize(300, 200);
        column->activate();
        QCOMPARE(across->height(), across->sizeHint().height()); // long and thin: no taller than its hint
        QCOMPARE(across->width(), 300 - column->contentsMargins().left() - column->contentsMargins().right());

        QWidget other;
        auto *row = new QHBoxLayout(&other);
        auto *upright = new Fillgauge;
        upright->setOrientation(Fillgauge::fggOrientationVertical);
        QCOMPARE(upright->sizeHint(), across->sizeHint().transposed());
        row->addWidget(upright);
        other.resize(300, 200);
        row->activate();
        QCOMPARE(upright->width(), upright->sizeHint().width());
    }

    void aBarAlreadyShapedForItsOrientationKeepsItsSize()
    {
        auto bar = makeBar(30, 120);
        bar->setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Preferred);
        bar->setOrientation(Fillgauge::fggOrientationVertical);
        QCOMPARE(bar->size(), QSize(30, 120));
        QCOMPARE(bar->sizePolicy(), QSizePolicy(QSizePolicy::Preferred, QSizePolicy::Preferred)); // the host's own
        bar->setStyle(Fillgauge::fggSmooth);
        bar->setValue(50);
        QCOMPARE(runs(bar->image(), 15, red, true), (QList<std::pair<int, int>>{{60, 117}}));
        bar->setOrientation(Fillgauge::fggOrientationHorizontal);
        QCOMPARE(bar->size(), QSize(120, 30));
    }

    void readingHWndCreatesNoWindow()
    {
        Fillgauge lone;
        QCOMPARE(lone.property("hWnd").toULongLong(), 0ull);
        QVERIFY(!lone.testAttribute(Qt::WA_WState_Created));

        QWidget window;
        auto *bar = new Fillgauge(&window);
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        QCOMPARE(bar->property("hWnd").toULongLong(), qulonglong(window.winId()));
        QVERIFY(!bar->testAttribute(Qt::WA_NativeWindow));
        QCOMPARE(bar->internalWinId(), WId(0));
    }

    void aFontSetThroughQWidgetRedrawsTheCaption()
    {
        auto bar = makeBar(300, 60);
        bar->setForeColor(0x008000);
        bar->setCaption(QStringLiteral("ABC"));
        const QRect small = inkBounds(bar->image(), QRect(2, 2, 295, 55));
        QSignalSpy font(bar.get(), &Fillgauge::FontChanged);
        QFont bigger = bar->font();
        bigger.setPixelSize(40);
        static_cast<QWidget *>(bar.get())->setFont(bigger);
        QCOMPARE(font.count(), 1);
        QVERIFY(inkBounds(bar->image(), QRect(2, 2, 295, 55)).height() > small.height());
    }

    void inDesignModeARefusedValueIsLoggedAndNotThrown()
    {
        Fillgauge bar;
        bar.setDesignMode(true);
        QTest::ignoreMessage(QtWarningMsg, "Fillgauge: invalid property value: Max must be greater than Min.");
        QVERIFY(bar.setProperty("Max", -5.0));
        QCOMPARE(bar.Max(), 100.f);
        QTest::ignoreMessage(QtWarningMsg, "Fillgauge: invalid property value");
        bar.setStyle(Fillgauge::FGGProgressStyleConstants(5));
        QCOMPARE(bar.Style(), Fillgauge::fggStandard);
        bar.setDesignMode(false);
        QVERIFY_THROWS_EXCEPTION(gaugekit::InvalidPropertyValue, bar.setProperty("Max", -5.0));
    }
};

std::unique_ptr<QObject> makeQtUseTest() { return std::make_unique<QtUseTest>(); }

#include "qtuse_test.moc"
