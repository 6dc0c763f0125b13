// A bare Qt Widgets window of the main menu's size, for comparison.
#include "bench/startup/firstpaint.h"

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    // With --stay the window stays open (for measuring memory); otherwise it quits after its first paint.
    FirstPaint probe("bare");
    if (!(argc > 1 && qstrcmp(argv[1], "--stay") == 0))
        app.installEventFilter(&probe);
    QWidget w;
    w.setObjectName(QStringLiteral("bare"));
    w.setFixedSize(420, 480);
    w.show();
    return QApplication::exec();
}
