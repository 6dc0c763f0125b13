#include "game/gamerules.h"

#include "app/mail.h"

namespace karv {

QString errorReportSubject(const QString &levelCode, int number)
{
    return QStringLiteral("Карвелон v 2.0. Вопрос № %1 - %2").arg(levelCode).arg(number);
}

QString errorReportLink(const QString &levelCode, int number)
{
    return mailtoLink(QLatin1String(authorEmail), errorReportSubject(levelCode, number));
}

} // namespace karv
