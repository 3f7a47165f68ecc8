#pragma once
// The port backend interface behind TMidiInput and TMidiOutput, and the program-wide list of
// backends whose devices the ports number from 0 (backends in registration order).
#include <cstddef>
#include <cstdint>
#include <functional>
#include <memory>
#include <stdexcept>
#include <vector>

#include <QString>
#include <QStringList>

// A backend failure, carrying the backend's own error text.
class TMidiBackendError : public std::runtime_error {
 public:
  explicit TMidiBackendError(const QString& text) : std::runtime_error(text.toStdString()) {}
};

// Called by a backend with one complete MIDI message (a short message of 1 to 3 bytes, or a whole
// system-exclusive message F0 ... F7), on whatever thread the backend delivers on.
using TMidiReceiver = std::function<void(const std::uint8_t* data, std::size_t size)>;

class TMidiInputConnection {
 public:
  virtual ~TMidiInputConnection() = default;  // closes; no receiver call after it returns
  virtual void Start() = 0;                   // messages reach the receiver only after Start
};

class TMidiOutputConnection {
 public:
  virtual ~TMidiOutputConnection() = default;
  virtual void Send(const std::uint8_t* data, std::size_t size) = 0;  // throws TMidiBackendError
};

class TMidiBackend {
 public:
  virtual ~TMidiBackend() = default;
  virtual QString ApiName() const = 0;
  virtual QStringList InputNames() const = 0;
  virtual QStringList OutputNames() const = 0;
  // Both throw TMidiBackendError with the backend's text when the device cannot be opened.
  virtual std::unique_ptr<TMidiInputConnection> OpenInput(int index, TMidiReceiver receiver) = 0;
  virtual std::unique_ptr<TMidiOutputConnection> OpenOutput(int index) = 0;
};

class TMidiDevices {
 public:
  static TMidiDevices& Instance();

  void Add(std::unique_ptr<TMidiBackend> backend);
  void Clear();
  const std::vector<std::unique_ptr<TMidiBackend>>& Backends() const { return backends_; }

  // Device names, numbered across all backends in order; read from the backends on each call.
  QStringList InputNames() const;
  QStringList OutputNames() const;
  std::unique_ptr<TMidiInputConnection> OpenInput(int device, TMidiReceiver receiver) const;
  std::unique_ptr<TMidiOutputConnection> OpenOutput(int device) const;

 private:
  std::vector<std::unique_ptr<TMidiBackend>> backends_;
};
