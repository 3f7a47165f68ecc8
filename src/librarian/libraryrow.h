#pragma once
// What one element's row shows wherever elements are listed (library grid, printed listings):
// the kind icon, the dates in the platform's short formats and the owner path.
#include <QDateTime>
#include <QPixmap>
#include <QString>

class TLibElem;

// A day count from 30 December 1899 with the time of day as a fraction, as a local date-time.
QDateTime DayTimeToDateTime(double date, double time);
// "date  time" (two blanks) in the platform's short formats.
QString DateTimeText(const QDateTime& when);
// The element's modified date and time as DateTimeText gives them.
QString ModifiedText(const TLibElem& element);
// Where an element lives: its owner's name, or "library\bank" when the owner has an owner of
// its own inside a library.
QString OwnerPath(const TLibElem& element);

// Picture of a kind: 16 x 16 for single elements, 32 x 16 for banks and globals (logical pixels,
// drawn sharp at the screen's pixel ratio). A null pixmap for codes outside 0 to 7.
QPixmap KindIcon(int kind);
// True for the kinds whose icon is 32 pixels wide.
bool WideKindIcon(int kind);
