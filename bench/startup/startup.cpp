// The game's own start: Main() up to the main menu's first paint.
#include "app/services.h"
#include "bench/startup/firstpaint.h"

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("karv20-bench"));
    FirstPaint probe("frm_start");
    app.installEventFilter(&probe);
    if (!karv::Main())
        return 1;
    return QApplication::exec();
}
