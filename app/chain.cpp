#include "app/chain.h"

#include <QPointer>

namespace karv {

QTimer *namedTimer(QObject *owner, const char *timer)
{
    return owner->findChild<QTimer *>(QLatin1String(timer), Qt::FindDirectChildrenOnly);
}

void startStep(QObject *owner, const char *timer)
{
    if (QTimer *t = namedTimer(owner, timer))
        t->start();
}

void addChain(QObject *owner, std::initializer_list<ChainStep> steps)
{
    for (const ChainStep &step : steps) {
        auto *t = new QTimer(owner);
        t->setObjectName(QLatin1String(step.timer));
        t->setInterval(step.interval);
        t->setSingleShot(true);
        // Chains keep their stated timings: a coarse timer may run up to 5 % late a step.
        t->setTimerType(Qt::PreciseTimer);
        QObject::connect(t, &QTimer::timeout, owner, [t, owner, action = step.action, next = step.next] {
            QPointer<QObject> alive(owner);
            t->stop();
            if (action)
                action();
            if (alive && next)
                startStep(owner, next);
        });
    }
}

} // namespace karv
