// Fillgauge in Qt Designer's widget box. Designer shows the bar in design mode (half full, whatever its
// Value); QUiLoader, which never initialises the plugin, creates ordinary bars.
#include "fillgauge.h"

#include <QIcon>
#include <QPainter>
#include <QPixmap>
#include <QtUiPlugin/QDesignerCustomWidgetInterface>

namespace {

// The widget box icon: a sunken bar two-thirds full of dark-red blocks, drawn at each size asked for.
QPixmap iconPixmap(int size)
{
    QPixmap pixmap(size, size);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    const qreal unit = size / 16.0;
    const QRectF frame(0.5 * unit, 4.5 * unit, 15 * unit, 7 * unit);
    p.fillRect(frame, QColor(236, 233, 216));
    p.setPen(QPen(QColor(128, 128, 128), unit));
    p.drawLine(frame.topLeft(), frame.topRight());
    p.drawLine(frame.topLeft(), frame.bottomLeft());
    p.setPen(QPen(Qt::white, unit));
    p.drawLine(frame.bottomLeft(), frame.bottomRight());
    p.drawLine(frame.topRight(), frame.bottomRight());
    for (int block = 0; block < 3; ++block)
        p.fillRect(QRectF((2 + block * 3.5) * unit, 6 * unit, 2.5 * unit, 4 * unit), QColor(192, 0, 0));
    return pixmap;
}

class FillgaugePlugin : public QObject, public QDesignerCustomWidgetInterface {
    Q_OBJECT
    Q_PLUGIN_METADATA(IID "org.qt-project.Qt.QDesignerCustomWidgetInterface")
    Q_INTERFACES(QDesignerCustomWidgetInterface)

public:
    using QObject::QObject;

    QString name() const override { return QStringLiteral("gaugekit::Fillgauge"); }
    QString group() const override { return QStringLiteral("Display Widgets"); }
    QString toolTip() const override { return QStringLiteral("Fillgauge progress bar"); }
    QString whatsThis() const override
    {
        return QStringLiteral("A progress bar with a sunken or flat border, a flood of blocks or one smooth bar, "
                              "horizontal or vertical, and a caption. Designer shows it half full.");
    }
    QString includeFile() const override { return QStringLiteral("fillgauge.h"); }
    QIcon icon() const override
    {
        QIcon icon;
        for (int size : {16, 22, 32, 64})
            icon.addPixmap(iconPixmap(size));
        return icon;
    }
    bool isContainer() const override { return false; }
    bool isInitialized() const override { return initialized_; }
    void initialize(QDesignerFormEditorInterface *) override { initialized_ = true; }

    QWidget *createWidget(QWidget *parent) override
    {
        auto *bar = new gaugekit::Fillgauge(parent);
        bar->setDesignMode(initialized_);
        return bar;
    }

    QString domXml() const override
    {
        return QStringLiteral(R"(<ui language="c++" displayname="Fillgauge">
 <widget class="gaugekit::Fillgauge" name="fillgauge"/>
 <customwidgets>
  <customwidget>
   <class>gaugekit::Fillgauge</class>
   <extends>QWidget</extends>
   <header>fillgauge.h</header>
   <propertyspecifications>
    <stringpropertyspecification name="Caption" type="singleline"/>
   </propertyspecifications>
  </customwidget>
 </customwidgets>
</ui>
)");
    }

private:
    bool initialized_ = false;
};

} // namespace

#include "fillgaugeplugin.moc"
