#pragma once
// Prints the milliseconds from the launch (KARV_LAUNCH_NS, wall clock set by the script just
// before it starts the program) to the first paint of the named window, then quits.
#include <QApplication>
#include <QEvent>
#include <QWidget>

#include <cstdio>
#include <cstdlib>
#include <ctime>

class FirstPaint : public QObject {
public:
    explicit FirstPaint(const char *window) : window_(window) {}
    bool eventFilter(QObject *o, QEvent *e) override
    {
        if (!done_ && e->type() == QEvent::Paint && o->isWidgetType() && o->objectName() == QLatin1String(window_)) {
            done_ = true;
            timespec now{};
            clock_gettime(CLOCK_REALTIME, &now);
            const char *launch = std::getenv("KARV_LAUNCH_NS");
            const double ms = launch ? (double(now.tv_sec) * 1e9 + now.tv_nsec - std::strtod(launch, nullptr)) / 1e6 : -1;
            std::printf("%.2f\n", ms);
            std::fflush(stdout);
            QMetaObject::invokeMethod(qApp, [] { std::_Exit(0); }, Qt::QueuedConnection);
        }
        return false;
    }

private:
    const char *window_;
    bool done_ = false;
};
