#pragma once
#include <stdexcept>

#include <QString>

// What a port failure says when the platform gives no text of its own.
inline constexpr char kNoPlatformText[] = "Specified error number is out of range";

// Failures of the input and output ports, carrying the backend's or the port's own text.
class EMidiInputError : public std::runtime_error {
 public:
  explicit EMidiInputError(const QString& text)
      : std::runtime_error(text.isEmpty() ? kNoPlatformText : text.toStdString()) {}
  QString Text() const { return QString::fromStdString(what()); }
};

class EmidioutputError : public std::runtime_error {
 public:
  explicit EmidioutputError(const QString& text)
      : std::runtime_error(text.isEmpty() ? kNoPlatformText : text.toStdString()) {}
  QString Text() const { return QString::fromStdString(what()); }
};
