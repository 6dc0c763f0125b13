#include "app/openboxes.h"

#include <QDialog>
#include <QList>
#include <QPointer>

namespace karv {
namespace {
QList<QPointer<QDialog>> &boxes()
{
    static QList<QPointer<QDialog>> open;
    return open;
}
} // namespace

void boxOpened(QDialog *box) { boxes().append(box); }

void boxClosed(QDialog *box) { boxes().removeAll(box); }

void dismissOpenBoxes()
{
    // The innermost box first; each returns from its own exec() once this event is over.
    const QList<QPointer<QDialog>> open = boxes();
    for (auto it = open.rbegin(); it != open.rend(); ++it)
        if (*it)
            (*it)->reject();
}

} // namespace karv
