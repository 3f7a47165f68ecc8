#pragma once
#include <stdexcept>

#include <QString>

// Failures of the input and output ports, carrying the backend's or the port's own text.
class EMidiInputError : public std::runtime_error {
 public:
  explicit EMidiInputError(const QString& text) : std::runtime_error(text.toStdString()) {}
  QString Text() const { return QString::fromStdString(what()); }
};

class EmidioutputError : public std::runtime_error {
 public:
  explicit EmidioutputError(const QString& text) : std::runtime_error(text.toStdString()) {}
  QString Text() const { return QString::fromStdString(what()); }
};
