// Saving and loading the bar's properties, and the property bag's text form.
#include "gaugetesting.h"

#include <QIcon>
#include <QPixmap>
#include <QRandomGenerator>
#include <QTest>

#include <memory>

using namespace gaugetest;
using gaugekit::PropertyBag;
using gaugekit::UnreadableValue;

namespace {

const QStringList storedOrder{
    "Appearance", "BackColor",    "BorderStyle", "Caption",     "Enabled", "FloodColor",     "ForeColor",
    "Font",       "HelpContextID", "Max",        "Min",         "MouseIcon", "MousePointer", "OLEDropMode",
    "Orientation", "Style",       "WhatsThisHelpID"};

QIcon redIcon()
{
    QPixmap p(16, 16);
    p.fill(Qt::red);
    return QIcon(p);
}

// A bar with every saved property away from its initial value.
std::unique_ptr<Fillgauge> unusualBar()
{
    auto bar = makeBar(300, 30);
    bar->setAppearance(Fillgauge::FGGAppearanceConstants::fggFlat);
    bar->setBackColor(0x00102030);
    bar->setBorderStyle(Fillgauge::FGGBorderStyleConstants::fggNone);
    bar->setCaption(QStringLiteral("Осталось \"мало\"\\\n"));
    bar->setEnabled(false);
    bar->setFloodColor(0x8000000D);
    bar->setForeColor(0x00FFFFFF);
    QFont font = bar->font();
    font.setPointSizeF(13.5);
    font.setBold(true);
    bar->setFont(font);
    bar->setHelpContextID(-12);
    bar->setMax(300.5f);
    bar->setMin(0.25f);
    bar->setMouseIcon(redIcon());
    bar->setMousePointer(99);
    bar->setStyle(Fillgauge::FGGProgressStyleConstants::fggSmooth);
    bar->setWhatsThisHelpID(77);
    return bar;
}

} // namespace

class StoreTest : public QObject {
    Q_OBJECT
private slots:
    void savingWritesTheKeysInTheirOrderLeavingOutDefaultPointerAndIcon()
    {
        Fillgauge plain;
        PropertyBag bag;
        plain.saveProperties(bag);
        QStringList withoutPointer = storedOrder;
        withoutPointer.removeAll(QStringLiteral("MouseIcon"));
        withoutPointer.removeAll(QStringLiteral("MousePointer"));
        QCOMPARE(bag.keys(), withoutPointer);
        QVERIFY(!bag.read(QStringLiteral("Value")).isValid());

        PropertyBag full;
        unusualBar()->saveProperties(full);
        QCOMPARE(full.keys(), storedOrder);
    }

    void savedPropertiesLoadBackIntoANewBarAndSetValueToMin()
    {
        const auto source = unusualBar();
        source->setValue(200);
        PropertyBag bag;
        source->saveProperties(bag);
        for (const bool throughText : {false, true}) {
            const PropertyBag loaded = throughText ? PropertyBag::fromText(bag.toText()) : bag;
            Fillgauge copy;
            copy.loadProperties(loaded);
            for (const char *name : {"Appearance", "BackColor", "BorderStyle", "Caption", "Enabled", "FloodColor",
                                     "ForeColor", "Font", "HelpContextID", "Max", "Min", "MousePointer",
                                     "Orientation", "Style", "WhatsThisHelpID"})
                QCOMPARE(copy.property(name), source->property(name));
            QCOMPARE(copy.Value(), 0.25f);
            QVERIFY(copy.MouseIcon().value<QIcon>().pixmap(16, 16).toImage().pixelColor(8, 8) == QColor(Qt::red));
        }
    }

    void theTextFormReadsBackEveryValueItWrites()
    {
        PropertyBag bag;
        bag.write(QStringLiteral("nothing"), QVariant());
        bag.write(QStringLiteral("flag"), false);
        bag.write(QStringLiteral("small"), short(-32768));
        bag.write(QStringLiteral("int"), int(-2147483647 - 1));
        bag.write(QStringLiteral("colour"), 0x8000000Fu);
        bag.write(QStringLiteral("long"), qlonglong(1) << 40);
        bag.write(QStringLiteral("float"), 0.1f);
        bag.write(QStringLiteral("double"), 1.0 / 3);
        bag.write(QStringLiteral("text"), QStringLiteral("кавычки \" \\ \t\r\n\x01 конец ") + QChar(0xD800) + "😀");
        bag.write(QStringLiteral("bytes"), QByteArray("\0\xff\n", 3));
        bag.write(QStringLiteral("key with = and \"quotes\""), QStringLiteral("v"));
        bag.write(QStringLiteral("damaged"), QVariant::fromValue(UnreadableValue{"float abc\r\n"}));
        bag.write(QStringLiteral("flag"), true); // replaces in place

        const QByteArray text = bag.toText();
        const PropertyBag back = PropertyBag::fromText(text);
        QCOMPARE(back.keys(), bag.keys());
        for (const QString &key : bag.keys()) {
            QCOMPARE(back.read(key).metaType(), bag.read(key).metaType());
            QCOMPARE(back.read(key), bag.read(key));
        }
        QCOMPARE(back.toText(), text);
        QVERIFY(text.contains("flag = bool true\n"));
        QVERIFY(text.contains("colour = uint 0x8000000F\n"));
        QVERIFY(text.contains("float = float 0.1\n"));
        QVERIFY(text.contains(QStringLiteral("кавычки").toUtf8())); // readable as it is
    }

    void aLoadStopsAtTheFirstDamagedKeyAndKeepsWhatItRead_data()
    {
        QTest::addColumn<QByteArray>("damage");
        QTest::newRow("not a number") << QByteArray("Max = float abc");
        QTest::newRow("wrong type") << QByteArray("Max = string \"ten\"");
        QTest::newRow("no equals sign") << QByteArray("Max float 10");
        QTest::newRow("unterminated text") << QByteArray("Max = string \"10");
        QTest::newRow("NaN") << QByteArray("Max = float nan");
    }
    void aLoadStopsAtTheFirstDamagedKeyAndKeepsWhatItRead()
    {
        QFETCH(QByteArray, damage);
        const QByteArray text = "Appearance = int 0\n"
                                "Caption = string \"прочитано\"\n"
                                "HelpContextID = int 5\n" +
                                damage +
                                "\n"
                                "Min = float 3\n"
                                "Style = int 1\n";
        auto bar = makeBar(300, 20);
        bar->setValue(40);
        bar->loadProperties(PropertyBag::fromText(text));
        QCOMPARE(bar->Appearance(), Fillgauge::FGGAppearanceConstants::fggFlat);
        QCOMPARE(bar->Caption(), QStringLiteral("прочитано"));
        QCOMPARE(bar->HelpContextID(), 5);
        // Missing keys before the damage read as empty values ...
        QCOMPARE(bar->BorderStyle(), Fillgauge::FGGBorderStyleConstants::fggNone);
        QCOMPARE(bar->Enabled(), false);
        // ... and everything from the damaged key on stays as it was.
        QCOMPARE(bar->Max(), 100.f);
        QCOMPARE(bar->Min(), 0.f);
        QCOMPARE(bar->Style(), Fillgauge::FGGProgressStyleConstants::fggStandard);
        QCOMPARE(bar->Value(), 40.f);
    }

    void aValueTheBarCannotTakeEndsTheLoadLikeDamage()
    {
        PropertyBag bag;
        bag.write(QStringLiteral("Appearance"), 0);
        bag.write(QStringLiteral("BackColor"), 0x80000040u); // no such system colour
        bag.write(QStringLiteral("Caption"), QStringLiteral("never read"));
        Fillgauge bar;
        bar.loadProperties(bag);
        QCOMPARE(bar.Appearance(), Fillgauge::FGGAppearanceConstants::fggFlat);
        QCOMPARE(bar.BackColor(), 0x8000000Fu);
        QCOMPARE(bar.Caption(), QStringLiteral("50%"));

        PropertyBag enumeration;
        enumeration.write(QStringLiteral("Appearance"), 7);
        bar.loadProperties(enumeration);
        QCOMPARE(bar.Appearance(), Fillgauge::FGGAppearanceConstants::fggFlat);
    }

    void missingKeysLoadAsEmptyValues()
    {
        auto bar = unusualBar();
        bar->loadProperties(PropertyBag());
        QCOMPARE(bar->Appearance(), Fillgauge::FGGAppearanceConstants::fggFlat);
        QCOMPARE(bar->BackColor(), 0u);
        QCOMPARE(bar->Caption(), QString());
        QCOMPARE(bar->Enabled(), false);
        QCOMPARE(bar->FloodColor(), 0u);
        QCOMPARE(bar->HelpContextID(), 0);
        QCOMPARE(bar->Max(), 0.f);
        QCOMPARE(bar->Min(), 0.f);
        QCOMPARE(bar->Value(), 0.f);
        QVERIFY(!bar->MouseIcon().isValid());
        QCOMPARE(bar->MousePointer(), short(0));
        QCOMPARE(bar->WhatsThisHelpID(), 0);
    }

    void minEqualToMaxFromAStoreDrawsOnlyBorderAndBackground()
    {
        auto bar = makeBar(300, 20);
        bar->setValue(50);
        bar->setCaption(QStringLiteral("text"));
        PropertyBag bag;
        bar->saveProperties(bag);
        bag.write(QStringLiteral("Max"), 5.0f);
        bag.write(QStringLiteral("Min"), 5.0f);
        bar->loadProperties(bag);
        QCOMPARE(bar->Value(), 5.f);
        const QImage picture = bar->image();
        QCOMPARE(picture.pixelColor(150, 10), background);
        QCOMPARE(countColour(picture, red), 0);
        QCOMPARE(countColour(picture, background), (300 - 2) * (20 - 2));
    }

    void readingDamagedOrHugeTextNeverFailsAndLoadsSafely()
    {
        PropertyBag saved;
        unusualBar()->saveProperties(saved);
        const QByteArray good = saved.toText();
        QList<QByteArray> inputs;
        for (qsizetype cut = 0; cut < good.size(); cut += 7)
            inputs << good.left(cut);
        auto *random = QRandomGenerator::global();
        for (int i = 0; i < 200; ++i) {
            QByteArray noise(qsizetype(random->bounded(400)), Qt::Uninitialized);
            for (char &c : noise)
                c = char(random->bounded(256));
            inputs << noise;
            QByteArray flipped = good;
            flipped[random->bounded(int(good.size()))] = char(random->bounded(256));
            inputs << flipped;
        }
        inputs << QByteArray(8 << 20, '"') << QByteArray(4 << 20, '\n') << "Max = string \"\\u12" << "\xEF\xBB\xBF"
               << "= int 1" << "Caption = string \"\xC3\"" << "Font = font \"" + QByteArray(1 << 20, ',') + "\"";
        QByteArray manyKeys;
        for (int i = 0; i < 200000; ++i)
            manyKeys += "k" + QByteArray::number(i) + " = int " + QByteArray::number(i) + "\n";
        inputs << manyKeys;

        for (const QByteArray &input : inputs) {
            const PropertyBag bag = PropertyBag::fromText(input);
            Fillgauge bar;
            bar.resize(100, 17);
            bar.loadProperties(bag);
            QCOMPARE(PropertyBag::fromText(bag.toText()).keys(), bag.keys());
        }
        QCOMPARE(PropertyBag::fromText(manyKeys).keys().size(), 200000);
        QCOMPARE(PropertyBag::fromText("Caption = string \"\xC3\"").read(QStringLiteral("Caption")).metaType(),
                 QMetaType::fromType<UnreadableValue>());
    }
};

std::unique_ptr<QObject> makeStoreTest() { return std::make_unique<StoreTest>(); }

#include "store_test.moc"
