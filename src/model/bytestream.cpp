#include "model/bytestream.h"

#include <algorithm>
#include <bit>
#include <cstring>

const std::uint8_t* TByteReader::Take(qint64 n) {
  if (n < 0 || n > Remaining())
    throw TFormatError(Position(),
                       QStringLiteral("the file ends %1 bytes early").arg(n - Remaining()));
  const std::uint8_t* p = bytes_.data() + pos_;
  pos_ += static_cast<std::size_t>(n);
  return p;
}

std::uint16_t TByteReader::U16() {
  const std::uint8_t* p = Take(2);
  return static_cast<std::uint16_t>(p[0] | (p[1] << 8));
}

double TByteReader::F64() {
  const std::uint8_t* p = Take(8);
  std::uint64_t bits = 0;
  for (int i = 7; i >= 0; --i) bits = (bits << 8) | p[i];
  return std::bit_cast<double>(bits);
}

QString TByteReader::String(int fieldSize) {
  const std::uint8_t* p = Take(fieldSize);
  const int length = std::min<int>(p[0], fieldSize - 1);
  return QString::fromLatin1(reinterpret_cast<const char*>(p + 1), length);
}

void TByteWriter::U16(std::uint16_t value) {
  const char bytes[2] = {static_cast<char>(value & 0xFF), static_cast<char>(value >> 8)};
  out_.append(bytes, 2);
}

void TByteWriter::F64(double value) {
  std::uint64_t bits = std::bit_cast<std::uint64_t>(value);
  char bytes[8];
  for (char& b : bytes) {
    b = static_cast<char>(bits & 0xFF);
    bits >>= 8;
  }
  out_.append(bytes, 8);
}

void TByteWriter::String(const QString& text, int fieldSize) {
  const QByteArray latin = text.left(fieldSize - 1).toLatin1();
  U8(static_cast<std::uint8_t>(latin.size()));
  out_.append(latin);
  Zeros(fieldSize - 1 - latin.size());
}
