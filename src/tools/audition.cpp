#include "tools/audition.h"

#include <algorithm>

#include "midi/config.h"
#include "midi/midierrors.h"
#include "midi/midisession.h"
#include "midi/pacedsender.h"
#include "midi/userinterface.h"
#include "model/transfer.h"

TAudition& TAudition::Instance() {
  static TAudition audition;
  return audition;
}

TAudition::TAudition() {
  player_.OnError = [](const QString& text) { UI().Show(TMsgKind::Error, text); };
}

void TAudition::SendNote(std::uint8_t status, int channel, int note, int velocity) {
  TMidiSession& session = MidiSession();
  if (!session.MidiOpen() || !session.Output()) return;
  try {
    Sender().SendShort(static_cast<std::uint8_t>(status + channel - 1),
                       static_cast<std::uint8_t>(note),
                       static_cast<std::uint8_t>(std::clamp(velocity, 0, 127)));
  } catch (const EmidioutputError& error) {
    UI().Show(TMsgKind::Error, error.Text());
  }
}

void TAudition::Start(int note) {
  if (!MidiSession().MidiOpen()) return;
  Stop();
  if (Config().SingleNote) {
    note_ = std::clamp(note, 0, 127);
    channel_ = std::clamp(PreviewChannel, 1, 16);
    SendNote(0x90, channel_, note_, Config().PreviewVelocity);
    return;
  }
  TMidiFile file = TMidiFile::Load(Config().MidiFile);
  if (!file.Ok()) {
    UI().Show(TMsgKind::Error, file.Error);
    return;
  }
  player_.Play(std::move(file));
}

void TAudition::Stop() {
  player_.Stop();
  if (note_ < 0) return;
  const int note = note_;
  note_ = -1;
  SendNote(0x80, channel_, note, 0);
}
