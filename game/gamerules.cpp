#include "game/gamerules.h"

#include <QUrl>
#include <QUrlQuery>

namespace karv {

QString errorReportLink(const QString &levelCode, int number)
{
    QUrl url;
    url.setScheme(QStringLiteral("mailto"));
    url.setPath(QLatin1String(authorEmail));
    QUrlQuery query;
    query.addQueryItem(QStringLiteral("Subject"),
                       QStringLiteral("Карвелон v 2.0. Вопрос № %1 - %2").arg(levelCode).arg(number));
    url.setQuery(query);
    return url.toString(QUrl::FullyEncoded);
}

} // namespace karv
