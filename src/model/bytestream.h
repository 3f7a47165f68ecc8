#pragma once
// Reading and writing the little-endian byte layouts of .Syx, .Glb and .Lib files in memory.
// Files are read whole and parsed from a byte span, and written into one QByteArray, so the
// readers never touch the file system and can be fed any bytes.
#include <cstdint>
#include <span>
#include <stdexcept>

#include <QByteArray>
#include <QString>

// Damaged input: the byte offset at which reading failed and what was wrong there.
class TFormatError : public std::runtime_error {
 public:
  TFormatError(qint64 offset, const QString& what)
      : std::runtime_error(what.toStdString()), Offset(offset), What(what) {}
  qint64 Offset;
  QString What;
};

class TByteReader {
 public:
  // xp: read the longer XP layout of patch, performance and system blocks.
  TByteReader(std::span<const std::uint8_t> bytes, bool xp) : Xp(xp), bytes_(bytes) {}

  const bool Xp;

  qint64 Position() const { return static_cast<qint64>(pos_); }
  qint64 Remaining() const { return static_cast<qint64>(bytes_.size() - pos_); }
  bool AtEnd() const { return pos_ >= bytes_.size(); }

  // The next n bytes, consumed; throws TFormatError when fewer are left.
  const std::uint8_t* Take(qint64 n);
  std::uint8_t U8() { return *Take(1); }
  std::uint16_t U16();
  double F64();
  // A length byte and its characters in a field of fieldSize bytes; a length beyond the field
  // is cut to the field.
  QString String(int fieldSize);

 private:
  std::span<const std::uint8_t> bytes_;
  std::size_t pos_ = 0;
};

class TByteWriter {
 public:
  TByteWriter(QByteArray& out, bool xp) : Xp(xp), out_(out) {}

  const bool Xp;

  qint64 Size() const { return out_.size(); }
  void Append(const std::uint8_t* data, qint64 n) {
    out_.append(reinterpret_cast<const char*>(data), n);
  }
  void Zeros(qint64 n) { out_.append(n, '\0'); }
  void U8(std::uint8_t value) { out_.append(static_cast<char>(value)); }
  void U16(std::uint16_t value);
  void F64(double value);
  // A length byte and at most fieldSize - 1 Latin-1 characters, the field's tail zero.
  void String(const QString& text, int fieldSize);

 private:
  QByteArray& out_;
};

inline std::span<const std::uint8_t> Bytes(const QByteArray& data) {
  return {reinterpret_cast<const std::uint8_t*>(data.constData()),
          static_cast<std::size_t>(data.size())};
}
