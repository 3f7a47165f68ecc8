#include "midi/midisession.h"
#include "midi/pacedsender.h"

#include "midi/config.h"
#include "midi/sysex.h"
#include "midi/userinterface.h"

TMidiSession& TMidiSession::Instance() {
  // The device list must outlive the ports that hold its connections.
  TMidiDevices::Instance();
  static TMidiSession session;
  return session;
}

void TMidiSession::Create() {
  Destroy();
  try {
    auto input = std::make_unique<TMidiInput>();
    auto output = std::make_unique<TMidiOutput>();
    QStringList inputs;
    for (int i = 0; i < input->NumDevs(); ++i) {
      input->SetDeviceID(static_cast<std::uint16_t>(i));
      inputs << input->ProductName();
    }
    QStringList outputs;
    for (int i = 0; i < output->NumDevs(); ++i) {
      output->SetDeviceID(i);
      outputs << output->ProductName();
    }
    input_ = std::move(input);
    output_ = std::move(output);
    inputList_ = inputs;
    outputList_ = outputs;
  } catch (const std::exception&) {
    throw EMidiInputError(QStringLiteral("No midi system installed"));
  }
  OpenDevs();
  midiOpen_ = true;
}

void TMidiSession::Destroy() {
  CloseDevs();
  midiOpen_ = false;
  input_.reset();
  output_.reset();
  inputList_.clear();
  outputList_.clear();
}

void TMidiSession::OpenDevs() {
  if (!input_ || !output_) return;
  const TConfig& config = Config();
  try {
    if (config.MidiIn < 0 || config.MidiIn >= inputList_.size() || config.MidiOut < 0 ||
        config.MidiOut >= outputList_.size())
      throw EMidiInputError(QStringLiteral("Invalid device ID"));
    input_->SetProductName(inputList_.at(config.MidiIn));
    output_->SetProductName(outputList_.at(config.MidiOut));
    input_->OpenPort();
    input_->StartInput();
    output_->OpenPort();
    InstallDefaultInput();
  } catch (const std::exception&) {
    // Nothing is left half open: a port that did open is closed again.
    output_->ClosePort();
    input_->ClosePort();
    UI().Show(TMsgKind::Information, QStringLiteral("Invalid Midi Port Settings"));
    Config().MidiIn = 0;
    Config().MidiOut = 0;
    midiOpen_ = false;
    InstallDefaultInput();
  }
}

void TMidiSession::CloseDevs() {
  if (!midiOpen_) return;
  // What waits still goes to the port it was meant for.
  Sender().Flush();
  if (output_) output_->ClosePort();
  if (input_) input_->ClosePort();
}

void TMidiSession::InstallDefaultInput() {
  if (input_) input_->OnMidiInput = DefaultMidiInput;
}
