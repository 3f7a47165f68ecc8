#pragma once
// TAudition: what an audition sends, apart from the cursor: the preview note, or the preview
// MIDI file. It remembers the note it started, so the note-off always ends that note, whatever
// window or key is current when the audition stops.
#include "tools/midifileplayer.h"

class TAudition {
 public:
  static TAudition& Instance();

  // With the ports open: a note-on of note on the audition channel at the preview velocity
  // (single note), or the preview MIDI file from its start. A note still sounding from an
  // earlier start is ended first. A file that cannot be played is shown to the user.
  void Start(int note);
  // Ends what Start began: the note-off of the very note started, or the file stopped with its
  // notes silenced. Nothing to end, nothing sent.
  void Stop();

  // The note sounding now, or -1.
  int Sounding() const { return note_; }
  TMidiFilePlayer& Player() { return player_; }

 private:
  TAudition();
  void SendNote(std::uint8_t status, int channel, int note, int velocity);

  TMidiFilePlayer player_;
  int note_ = -1;
  int channel_ = 1;
};
