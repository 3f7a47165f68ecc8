#pragma once
// Auditioning: a note on the instrument while the user holds the gesture, with the audition
// cursor showing meanwhile; or the preview MIDI file, played on the program's own output.
#include <functional>

#include <QCursor>

// The note to play instead of the configured one (the key being edited in a rhythm editor), or
// -1; installed by the windows that have such a key.
std::function<int()>& PreviewNoteHook();

// The cursor shown while an audition runs (drawn by the program).
QCursor AuditionCursor();
// The cursor that replaces the standard one while elements are dragged.
QCursor DragCursor();
// The audition cursor is the one on screen.
bool AuditionCursorShown();
// Shows the audition cursor alone (a patch was just sent; the note follows on a timer).
void ShowAuditionCursor();

// The cursor becomes the audition cursor; with the ports open a note-on follows on the preview
// channel (the configured note, or the hook's) at the configured velocity, or the preview MIDI
// file starts.
void StartPreview();
// The cursor returns to the default; with the ports open what the start sent is ended: the
// note-off of the very note started, or the MIDI file stopped and silenced.
void StopPreview();
