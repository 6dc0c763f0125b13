// A bare Qt Widgets window of the main menu's size, for comparison.
#include "bench/startup/firstpaint.h"

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    FirstPaint probe("bare");
    app.installEventFilter(&probe);
    QWidget w;
    w.setObjectName(QStringLiteral("bare"));
    w.setFixedSize(420, 480);
    w.show();
    return QApplication::exec();
}
