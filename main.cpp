#include "app/services.h"
#include "info/gameicon.h"

#include <QApplication>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("karv20"));
    QApplication::setWindowIcon(karv::gameIcon());
    if (!karv::Main())
        return 0;
    return QApplication::exec();
}
