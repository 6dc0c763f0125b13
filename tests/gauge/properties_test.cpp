// The bar's properties as a host sets them by name: initial values, refusals, events, orientation.
#include "gaugetesting.h"

#include <QPixmap>
#include <QSignalSpy>
#include <QTest>

#include <limits>
#include <memory>

using namespace gaugetest;
using gaugekit::InvalidPropertyValue;
using Orientation = Fillgauge::FGGOrientationConstants;

namespace {

// Every property of the bar but its window handle, read by name.
QVariantMap snapshot(const Fillgauge &bar)
{
    QVariantMap out;
    const QMetaObject *meta = bar.metaObject();
    for (int i = Fillgauge::staticMetaObject.propertyOffset(); i < meta->propertyCount(); ++i) {
        const QMetaProperty p = meta->property(i);
        if (QByteArrayView(p.name()) != "hWnd")
            out.insert(QString::fromLatin1(p.name()), p.read(&bar));
    }
    return out;
}

} // namespace

class PropertiesTest : public QObject {
    Q_OBJECT
private slots:
    void aNewBarStartsWithTheInitialProperties()
    {
        Fillgauge bar;
        QCOMPARE(bar.property("Appearance").toInt(), 1);
        QCOMPARE(bar.property("BorderStyle").toInt(), 1);
        QCOMPARE(bar.property("Caption").toString(), QStringLiteral("50%"));
        QCOMPARE(bar.property("Enabled").toBool(), true);
        QCOMPARE(bar.property("FloodColor").toUInt(), 192u);
        QCOMPARE(bar.property("ForeColor").toUInt(), 0x8000000Eu);
        QCOMPARE(bar.property("BackColor").toUInt(), 0x8000000Fu);
        QCOMPARE(bar.property("Font").value<QFont>(), bar.font());
        QCOMPARE(bar.property("Max").toDouble(), 100.0);
        QCOMPARE(bar.property("Min").toDouble(), 0.0);
        QCOMPARE(bar.property("Value").toDouble(), -1.0);
        QCOMPARE(bar.property("Style").toInt(), 0);
        QCOMPARE(bar.property("Orientation").toInt(), 0);
        QCOMPARE(bar.property("MousePointer").toInt(), 0);
        QVERIFY(!bar.property("MouseIcon").isValid());
        QCOMPARE(bar.property("HelpContextID").toInt(), 0);
        QCOMPARE(bar.property("WhatsThisHelpID").toInt(), 0);
        QCOMPARE(bar.property("designMode").toBool(), false);
    }

    void theGameSetsItsBarsByName()
    {
        Fillgauge bar;
        bar.resize(600, 20);
        QVERIFY(bar.setProperty("Style", 1));
        QVERIFY(bar.setProperty("Caption", QString()));
        QVERIFY(bar.setProperty("Max", 40.0));
        QVERIFY(bar.setProperty("FloodColor", 0xC00000));
        QVERIFY(bar.setProperty("Value", 29.0));
        QCOMPARE(bar.Style(), Fillgauge::FGGProgressStyleConstants::fggSmooth);
        QCOMPARE(bar.Caption(), QString());
        QCOMPARE(bar.Max(), 40.f);
        QCOMPARE(bar.FloodColor(), 0xC00000u);
        QCOMPARE(bar.property("Value").toDouble() - 1, 28.0);
        QVERIFY(bar.setProperty("Appearance", QStringLiteral("fggFlat")));
        QCOMPARE(bar.property("BackColor").toUInt(), 0x80000005u);
        QVERIFY(bar.setProperty("Appearance", 1));
        QCOMPARE(bar.property("BackColor").toUInt(), 0x8000000Fu);
    }

    void everyInvalidValueIsRefusedWithError380AndChangesNothing_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QVariant>("value");
        QTest::addColumn<QString>("description");
        const QString maxText = QStringLiteral("Max must be greater than Min.");
        const QString minText = QStringLiteral("Min must be between 0 and Max-1.");
        QTest::newRow("Appearance 2") << "Appearance" << QVariant(2) << QString();
        QTest::newRow("Appearance -1") << "Appearance" << QVariant(-1) << QString();
        QTest::newRow("BorderStyle 2") << "BorderStyle" << QVariant(2) << QString();
        QTest::newRow("Style 2") << "Style" << QVariant(2) << QString();
        QTest::newRow("Orientation 2") << "Orientation" << QVariant(2) << QString();
        QTest::newRow("Max equal to Min") << "Max" << QVariant(0.0) << maxText;
        QTest::newRow("Max below Min") << "Max" << QVariant(-5.0) << maxText;
        QTest::newRow("Max NaN") << "Max" << QVariant(std::numeric_limits<double>::quiet_NaN()) << maxText;
        QTest::newRow("Min equal to Max") << "Min" << QVariant(100.0) << minText;
        QTest::newRow("Min above Max") << "Min" << QVariant(250.0) << minText;
        QTest::newRow("Value below Min") << "Value" << QVariant(-1.0) << QString();
        QTest::newRow("Value above Max") << "Value" << QVariant(100.5) << QString();
        QTest::newRow("Value NaN") << "Value" << QVariant(std::numeric_limits<double>::quiet_NaN()) << QString();
        QTest::newRow("MousePointer 16") << "MousePointer" << QVariant(16) << QString();
        QTest::newRow("MousePointer -1") << "MousePointer" << QVariant(-1) << QString();
        QPixmap picture(8, 8);
        picture.fill(Qt::green);
        QTest::newRow("MouseIcon not an icon") << "MouseIcon" << QVariant(picture) << QString();
        QTest::newRow("MouseIcon text") << "MouseIcon" << QVariant(QStringLiteral("arrow.ico")) << QString();
        QTest::newRow("FloodColor odd high byte") << "FloodColor" << QVariant(0x01000000u) << QString();
        QTest::newRow("ForeColor unknown system colour") << "ForeColor" << QVariant(0x80000020u) << QString();
        QTest::newRow("BackColor unknown system colour") << "BackColor" << QVariant(0x8000FFFFu) << QString();
        QTest::newRow("FloodColor invalid QColor") << "FloodColor" << QVariant(QColor()) << QString();
        QTest::newRow("ForeColor a font") << "ForeColor" << QVariant(QFont()) << QString();
    }
    void everyInvalidValueIsRefusedWithError380AndChangesNothing()
    {
        QFETCH(QString, name);
        QFETCH(QVariant, value);
        QFETCH(QString, description);
        auto bar = makeBar(465, 17);
        bar->setValue(30);
        const QVariantMap before = snapshot(*bar);
        const QImage picture = bar->image();
        QSignalSpy valueChanged(bar.get(), &Fillgauge::ValueChanged);
        QSignalSpy changed(bar.get(), &Fillgauge::propertyChanged);
        try {
            bar->setProperty(name.toLatin1().constData(), value);
            QFAIL("the value was accepted");
        } catch (const InvalidPropertyValue &e) {
            QCOMPARE(e.number(), 380);
            QCOMPARE(QString::fromUtf8(e.what()), description);
        }
        QCOMPARE(snapshot(*bar), before);
        QCOMPARE(bar->image(), picture);
        QCOMPARE(valueChanged.count(), 0);
        QCOMPARE(changed.count(), 0);
    }

    void theTypedSettersRefuseLikeSettingByName()
    {
        auto bar = makeBar(465, 17);
        QVERIFY_THROWS_EXCEPTION(InvalidPropertyValue, bar->setValue(101));
        QVERIFY_THROWS_EXCEPTION(InvalidPropertyValue, bar->setStyle(Fillgauge::FGGProgressStyleConstants(7)));
        try {
            bar->setMax(-1);
            QFAIL("Max below Min was accepted");
        } catch (const std::invalid_argument &e) {
            QCOMPARE(QByteArrayView(e.what()), "Max must be greater than Min.");
        }
        QCOMPARE(bar->Max(), 100.f);
    }

    void aValueBelowMinIsCaughtThroughSetPropertyAsTheQuestionClockDoes()
    {
        Fillgauge bar;
        bar.setProperty("Max", 30.0);
        bar.setProperty("Value", 0.0);
        bool caught = false;
        try {
            bar.setProperty("Value", -1.0);
        } catch (const gaugekit::InvalidPropertyValue &) {
            caught = true;
        }
        QVERIFY(caught);
        QCOMPARE(bar.property("Value").toDouble(), 0.0);
    }

    void valueChangedIsRaisedForEveryAcceptedValueBeforeTheRepaint()
    {
        auto bar = makeBar(465, 17);
        QSignalSpy spy(bar.get(), &Fillgauge::ValueChanged);
        int redWhenRaised = -1;
        connect(bar.get(), &Fillgauge::ValueChanged, this, [&] { redWhenRaised = countColour(bar->image(), red); });
        bar->setValue(30);
        bar->setValue(30);
        QCOMPARE(spy.count(), 2);
        QCOMPARE(redWhenRaised, countColour(bar->image(), red)); // the second set: same picture as before it
        bar->setValue(60);
        QVERIFY(redWhenRaised < countColour(bar->image(), red));
    }

    void maxBelowTheValueIsAcceptedAndTheFloodRunsPastTheBar()
    {
        auto bar = makeBar(465, 17);
        bar->setStyle(Fillgauge::FGGProgressStyleConstants::fggSmooth);
        bar->setValue(80);
        bar->setMax(50);
        QCOMPARE(bar->Value(), 80.f);
        QCOMPARE(pixel(*bar, 463, 8), red);
    }

    void orientationSwapsWidthAndHeightAndRepaints()
    {
        auto bar = makeBar(465, 17);
        bar->setValue(50);
        bar->show();
        QSignalSpy changed(bar.get(), &Fillgauge::propertyChanged);
        QVERIFY(bar->setProperty("Orientation", 1));
        QCOMPARE(bar->size(), QSize(17, 465));
        QCOMPARE(bar->image().size(), QSize(17, 465));
        QVERIFY(!runs(bar->image(), 8, red, true).isEmpty());
        QCOMPARE(changed.count(), 1);
        QCOMPARE(changed.first().first().toString(), QStringLiteral("Orientation"));
        bar->setOrientation(Orientation::fggOrientationHorizontal);
        QCOMPARE(bar->size(), QSize(465, 17));
    }

    void orientationIsIgnoredWhenDisabledOrUnchanged()
    {
        auto bar = makeBar(465, 17);
        bar->setOrientation(Orientation::fggOrientationHorizontal);
        QVERIFY(bar->setProperty("Enabled", false));
        QVERIFY(!bar->isEnabled());
        bar->setOrientation(Orientation::fggOrientationVertical);
        bar->setOrientation(Orientation(5)); // not even an error
        QCOMPARE(bar->Orientation(), Orientation::fggOrientationHorizontal);
        QCOMPARE(bar->size(), QSize(465, 17));
        bar->setEnabled(true);
        QVERIFY_THROWS_EXCEPTION(InvalidPropertyValue, bar->setOrientation(Orientation(5)));
    }

    void everyPropertyButWhatsThisHelpIDIsReportedAsChanged_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QVariant>("value");
        QTest::addColumn<bool>("reported");
        QTest::newRow("Caption") << "Caption" << QVariant(QStringLiteral("x")) << true;
        QTest::newRow("Enabled") << "Enabled" << QVariant(false) << true;
        QTest::newRow("HelpContextID") << "HelpContextID" << QVariant(7) << true;
        QTest::newRow("MousePointer") << "MousePointer" << QVariant(11) << true;
        QTest::newRow("MouseIcon cleared") << "MouseIcon" << QVariant() << true;
        QTest::newRow("Value") << "Value" << QVariant(5.0) << true;
        QTest::newRow("WhatsThisHelpID") << "WhatsThisHelpID" << QVariant(7) << false;
    }
    void everyPropertyButWhatsThisHelpIDIsReportedAsChanged()
    {
        QFETCH(QString, name);
        QFETCH(QVariant, value);
        QFETCH(bool, reported);
        Fillgauge bar;
        QSignalSpy changed(&bar, &Fillgauge::propertyChanged);
        QVERIFY(bar.setProperty(name.toLatin1().constData(), value));
        QCOMPARE(changed.count(), reported ? 1 : 0);
        if (reported)
            QCOMPARE(changed.first().first().toString(), name);
    }

    void mouseAndKeysAreForwardedInTheHostsNumbers()
    {
        auto bar = makeBar(200, 20);
        bar->show();
        QVERIFY(QTest::qWaitForWindowExposed(bar.get()));
        QSignalSpy down(bar.get(), &Fillgauge::MouseDown), up(bar.get(), &Fillgauge::MouseUp),
            move(bar.get(), &Fillgauge::MouseMove), keyDown(bar.get(), &Fillgauge::KeyDown),
            keyPress(bar.get(), &Fillgauge::KeyPress), keyUp(bar.get(), &Fillgauge::KeyUp),
            click(bar.get(), &Fillgauge::Click);
        QTest::mouseMove(bar.get(), QPoint(30, 7));
        QTest::mousePress(bar.get(), Qt::RightButton, Qt::ShiftModifier, QPoint(10, 5));
        QTest::mouseRelease(bar.get(), Qt::RightButton, Qt::ShiftModifier, QPoint(10, 5));
        QCOMPARE(down.count(), 1);
        QCOMPARE(down.first(), (QList<QVariant>{short(2), short(1), 10.f, 5.f}));
        QCOMPARE(up.count(), 1);
        QCOMPARE(up.first(), (QList<QVariant>{short(2), short(1), 10.f, 5.f}));
        QVERIFY(!move.isEmpty());
        QCOMPARE(move.first(), (QList<QVariant>{short(0), short(0), 30.f, 7.f}));

        QTest::keyClick(bar.get(), Qt::Key_F5, Qt::ControlModifier);
        QTest::keyClick(bar.get(), 'a');
        QTest::keyClick(bar.get(), Qt::Key_Return);
        QCOMPARE(keyDown.count(), 4);
        QCOMPARE(keyDown.at(0), (QList<QVariant>{short(17), short(2)})); // Ctrl itself
        QCOMPARE(keyDown.at(1), (QList<QVariant>{short(116), short(2)}));
        QCOMPARE(keyDown.at(2), (QList<QVariant>{short(65), short(0)}));
        QCOMPARE(keyDown.at(3), (QList<QVariant>{short(13), short(0)}));
        QCOMPARE(keyPress.count(), 2);
        QCOMPARE(keyPress.at(0).first().value<short>(), short('a'));
        QCOMPARE(keyPress.at(1).first().value<short>(), short(13));
        QCOMPARE(keyUp.count(), 0);
        QCOMPARE(click.count(), 0);
    }
};

std::unique_ptr<QObject> makePropertiesTest() { return std::make_unique<PropertiesTest>(); }

#include "properties_test.moc"
