#pragma once
// The instrument sounds the object whose window the user works in, so only that window may edit:
// the wheel over an editor window other than the active one changes nothing, and over the
// active one a drop-down list or a value field takes it only when it has the keyboard focus (a
// scroll across a page leaves the lists under the pointer alone). One filter on the application,
// installed by the first editor window.
class QObject;
class QEvent;

void InstallWheelGuard();
// Whether a wheel event for a widget may reach it: the filter's rule.
bool WheelReaches(QObject* receiver);
