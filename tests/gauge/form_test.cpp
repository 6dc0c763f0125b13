// The bar in forms: the Designer plugin, a .ui form loaded through QUiLoader and the same form compiled by uic.
#include "gaugetesting.h"
#include "ui_bars.h"

#include <QFile>
#include <QPluginLoader>
#include <QTest>
#include <QUiLoader>
#include <QtUiPlugin/QDesignerCustomWidgetInterface>

#include <memory>

using namespace gaugetest;

namespace {

Fillgauge *bar(QWidget *form, const char *name) { return form->findChild<Fillgauge *>(QLatin1String(name)); }

// The values forms/bars.ui gives its three bars.
void checkFormValues(QWidget *form)
{
    Fillgauge *time = bar(form, "timeBar");
    QVERIFY(time);
    QCOMPARE(time->Style(), Fillgauge::fggSmooth);
    QCOMPARE(time->Caption(), QString());
    QCOMPARE(time->Max(), 40.f);
    QCOMPARE(time->FloodColor(), 0xC00000u);
    QCOMPARE(time->size(), QSize(320, 20));

    Fillgauge *countdown = bar(form, "countdown");
    QVERIFY(countdown);
    QCOMPARE(countdown->Appearance(), Fillgauge::fggFlat);
    QCOMPARE(countdown->BackColor(), 0x80000005u);
    QCOMPARE(countdown->Caption(), QStringLiteral("Осталось"));
    QCOMPARE(countdown->ForeColor(), 0x008000u);
    QCOMPARE(countdown->foreColor(), QColor(0, 128, 0));
    QCOMPARE(countdown->HelpContextID(), 7);
    QCOMPARE(countdown->Max(), 300.f);
    QCOMPARE(countdown->Min(), 20.f);
    QCOMPARE(countdown->MousePointer(), short(11));

    Fillgauge *hall = bar(form, "hall");
    QVERIFY(hall);
    QCOMPARE(hall->Orientation(), Fillgauge::fggOrientationVertical);
    QCOMPARE(hall->size(), QSize(30, 120)); // set before the orientation, and kept by it
    QCOMPARE(hall->BorderStyle(), Fillgauge::fggNone);
    QCOMPARE(hall->Style(), Fillgauge::fggSmooth);
    QCOMPARE(hall->BackColor(), 0x400000u);
    QCOMPARE(hall->FloodColor(), 0x80FFFFu);

    for (Fillgauge *b : {time, countdown, hall})
        QVERIFY(!b->designMode());
    hall->setValue(50);
    QCOMPARE(runs(hall->image(), 2, QColor(255, 255, 128), true), (QList<std::pair<int, int>>{{60, 120}})); // beside the caption
}

} // namespace

class FormTest : public QObject {
    Q_OBJECT
private slots:
    void aFormLoadedThroughQUiLoaderKeepsItsPropertyValues()
    {
        QUiLoader loader;
        loader.clearPluginPaths();
        loader.addPluginPath(QFileInfo(QStringLiteral(FILLGAUGE_DESIGNER_PLUGIN)).absolutePath());
        QVERIFY(loader.availableWidgets().contains(QStringLiteral("gaugekit::Fillgauge")));
        QFile file(QStringLiteral(FILLGAUGE_FORM));
        QVERIFY(file.open(QIODevice::ReadOnly));
        const std::unique_ptr<QWidget> form(loader.load(&file));
        QVERIFY2(form, qPrintable(loader.errorString()));
        checkFormValues(form.get());
    }

    void theSameFormCompiledByUicSetsTheSameValues()
    {
        QWidget form;
        Ui::BarsForm ui;
        ui.setupUi(&form);
        checkFormValues(&form);
    }

    // Last: initialising the plugin, as Designer does, changes what the loader's bars would be.
    void theDesignerPluginOffersTheBarAndShowsItsPreview()
    {
        QPluginLoader plugin(QStringLiteral(FILLGAUGE_DESIGNER_PLUGIN));
        auto *widgets = qobject_cast<QDesignerCustomWidgetInterface *>(plugin.instance());
        QVERIFY2(widgets, qPrintable(plugin.errorString()));
        QCOMPARE(widgets->name(), QStringLiteral("gaugekit::Fillgauge"));
        QCOMPARE(widgets->includeFile(), QStringLiteral("fillgauge.h"));
        QVERIFY(!widgets->icon().isNull());
        QVERIFY(widgets->domXml().contains(QStringLiteral("class=\"gaugekit::Fillgauge\"")));

        // Loaded by QUiLoader the plugin is never initialised and makes ordinary bars; Designer initialises it
        // and its bars show the half-full preview.
        const std::unique_ptr<QWidget> loaded(widgets->createWidget(nullptr));
        QVERIFY(!qobject_cast<Fillgauge *>(loaded.get())->designMode());
        if (!widgets->isInitialized())
            widgets->initialize(nullptr);
        const std::unique_ptr<QWidget> designed(widgets->createWidget(nullptr));
        auto *preview = qobject_cast<Fillgauge *>(designed.get());
        QVERIFY(preview->designMode());
        preview->resize(205, 20);
        preview->setPalette(knownPalette());
        preview->setCaption(QString());
        preview->setStyle(Fillgauge::fggSmooth);
        QCOMPARE(runs(preview->image(), 10, QColor(192, 0, 0)), (QList<std::pair<int, int>>{{2, 102}}));
    }
};

std::unique_ptr<QObject> makeFormTest() { return std::make_unique<FormTest>(); }

#include "form_test.moc"
