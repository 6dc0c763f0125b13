#include "app/services.h"

#include <QApplication>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("karv20"));
    if (!karv::Main())
        return 0;
    return QApplication::exec();
}
