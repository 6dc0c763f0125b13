#include "game/gamerules.h"

namespace karv {

QString errorReportSubject(const QString &levelCode, int number)
{
    return QStringLiteral("Карвелон v 2.0. Вопрос № %1 - %2").arg(levelCode).arg(number);
}

} // namespace karv
