#include "midi/midibackend.h"

TMidiDevices& TMidiDevices::Instance() {
  static TMidiDevices devices;
  return devices;
}

void TMidiDevices::Add(std::unique_ptr<TMidiBackend> backend) {
  if (backend) backends_.push_back(std::move(backend));
}

void TMidiDevices::Clear() { backends_.clear(); }

QStringList TMidiDevices::InputNames() const {
  QStringList names;
  for (const auto& backend : backends_) names += backend->InputNames();
  return names;
}

QStringList TMidiDevices::OutputNames() const {
  QStringList names;
  for (const auto& backend : backends_) names += backend->OutputNames();
  return names;
}

std::unique_ptr<TMidiInputConnection> TMidiDevices::OpenInput(int device,
                                                              TMidiReceiver receiver) const {
  if (device >= 0) {
    for (const auto& backend : backends_) {
      const int count = static_cast<int>(backend->InputNames().size());
      if (device < count) return backend->OpenInput(device, std::move(receiver));
      device -= count;
    }
  }
  throw TMidiBackendError(QStringLiteral("Invalid device ID"));
}

std::unique_ptr<TMidiOutputConnection> TMidiDevices::OpenOutput(int device) const {
  if (device >= 0) {
    for (const auto& backend : backends_) {
      const int count = static_cast<int>(backend->OutputNames().size());
      if (device < count) return backend->OpenOutput(device);
      device -= count;
    }
  }
  throw TMidiBackendError(QStringLiteral("Invalid device ID"));
}
