#pragma once
// Animation chains: each step is a named one-shot timer that does its work, stops itself and
// starts the next step, so at most one step of a chain is pending. A chain is written once as
// a table of steps.

#include <QObject>
#include <QTimer>

#include <functional>
#include <initializer_list>

namespace karv {

struct ChainStep {
    const char *timer;            // the timer's object name
    int interval;                 // milliseconds
    std::function<void()> action; // the step's work
    const char *next = nullptr;   // the step started after it; nullptr when the action decides
};

// Creates the named timers (stopped) as children of `owner` and wires them as a chain.
void addChain(QObject *owner, std::initializer_list<ChainStep> steps);
// Starts the named timer of `owner` (a chain's first step, or the step an action chose).
void startStep(QObject *owner, const char *timer);
// A named timer of `owner`.
QTimer *namedTimer(QObject *owner, const char *timer);

} // namespace karv
