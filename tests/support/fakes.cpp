#include "tests/support/fakes.h"

#include "app/datafiles.h"
#include "game/gamewindow.h"

#include <QAbstractButton>
#include <QApplication>
#include <QFile>
#include <QTimer>
#include <QWidget>

namespace karv::test {

double ScriptedRandom::next()
{
    if (values.empty())
        return fallback;
    const double v = values.front();
    values.pop_front();
    return v;
}

void RecordingDialogs::message(QWidget *, MessageIcon icon, const QString &title, const QString &text)
{
    calls.append({DialogCall::Kind::Message, icon, title, text, {}});
    if (whileOpen)
        whileOpen(DialogCall(calls.back())); // a copy: the hook may open further boxes
}

bool RecordingDialogs::askYesNo(QWidget *, MessageIcon icon, const QString &title, const QString &text)
{
    calls.append({DialogCall::Kind::YesNo, icon, title, text, {}});
    if (whileOpen)
        whileOpen(DialogCall(calls.back())); // a copy: the hook may open further boxes
    if (yesNoAnswers.empty())
        return defaultYesNo;
    const bool a = yesNoAnswers.front();
    yesNoAnswers.pop_front();
    return a;
}

QString RecordingDialogs::input(QWidget *, const QString &title, const QString &prompt, const QString &defaultText)
{
    calls.append({DialogCall::Kind::Input, MessageIcon::Question, title, prompt, defaultText});
    if (whileOpen)
        whileOpen(DialogCall(calls.back())); // a copy: the hook may open further boxes
    if (inputAnswers.empty())
        return {};
    const QString a = inputAnswers.front();
    inputAnswers.pop_front();
    return a;
}

FakeDesktop::FakeDesktop() : dataDir(data.path()) {}

int FakeDesktop::count(const QString &call) const
{
    int n = 0;
    for (const QString &c : calls)
        n += (c == call) ? 1 : 0;
    return n;
}

namespace {
FakeDesktop *currentDesktop = nullptr;
}

Fakes installFakes()
{
    auto r = std::make_unique<ScriptedRandom>();
    auto d = std::make_unique<RecordingDialogs>();
    auto desk = std::make_unique<FakeDesktop>();
    Fakes f{r.get(), d.get(), desk.get()};
    currentDesktop = desk.get();
    datafiles::forgetReportedWriteFailure(); // fresh fakes stand for a fresh run of the game
    install(std::move(r));
    install(std::move(d));
    install(std::move(desk));
    return f;
}

void writeDataFile(const QString &name, const QByteArray &bytes)
{
    QFile f(currentDesktop->dataDir + QLatin1Char('/') + name);
    if (f.open(QIODevice::WriteOnly))
        f.write(bytes);
}

QByteArray readDataFile(const QString &name)
{
    QFile f(currentDesktop->dataDir + QLatin1Char('/') + name);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

GameWindow *startNewGame()
{
    if (!Main())
        return nullptr;
    auto *start = topLevel(QStringLiteral("frm_start"))->findChild<QAbstractButton *>(QStringLiteral("cmd_start"));
    if (!start)
        return nullptr;
    start->click();
    return qobject_cast<GameWindow *>(topLevel(QStringLiteral("frm_game")));
}

QWidget *topLevel(const QString &name)
{
    for (QWidget *w : QApplication::topLevelWidgets())
        if (w->objectName() == name)
            return w;
    return nullptr;
}

void fire(QWidget *window, const char *timer)
{
    QTimer *t = window->findChild<QTimer *>(QLatin1String(timer));
    if (t)
        QMetaObject::invokeMethod(t, "timeout");
}

QString activeTimer(QWidget *window)
{
    QString found;
    for (QTimer *t : window->findChildren<QTimer *>(QString(), Qt::FindDirectChildrenOnly)) {
        if (!t->isActive() || t->objectName() == QLatin1String("tmr_CTime") || t->objectName().isEmpty())
            continue;
        if (!found.isEmpty())
            return {};
        found = t->objectName();
    }
    return found;
}

} // namespace karv::test
