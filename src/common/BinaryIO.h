#pragma once
// Little-endian reading and writing of the raw fields of the project file,
// whatever the host's byte order.

#include <cstdint>
#include <cstring>
#include <string>
#include <istream>
#include <ostream>
#include <type_traits>

#include "common/Log.h"

namespace bin {

/// Writes an integer or a double as its little-endian image.
template <class T>
bool Put(std::ostream& out, T value) {
  static_assert(std::is_arithmetic<T>::value, "numbers only");
  unsigned char bytes[sizeof(T)];
  if constexpr (std::is_floating_point<T>::value) {
    std::uint64_t bits;
    static_assert(sizeof(T) == sizeof bits, "doubles only");
    std::memcpy(&bits, &value, sizeof bits);
    for (size_t i = 0; i < sizeof bits; ++i) bytes[i] = static_cast<unsigned char>(bits >> (8 * i));
  } else {
    using U = std::make_unsigned_t<T>;
    const U u = static_cast<U>(value);
    for (size_t i = 0; i < sizeof(T); ++i) bytes[i] = static_cast<unsigned char>(u >> (8 * i));
  }
  out.write(reinterpret_cast<const char*>(bytes), sizeof bytes);
  return static_cast<bool>(out);
}

/// Reads a little-endian integer or double; false (value unchanged) on a short read.
template <class T>
bool Get(std::istream& in, T& value) {
  static_assert(std::is_arithmetic<T>::value, "numbers only");
  unsigned char bytes[sizeof(T)];
  if (!in.read(reinterpret_cast<char*>(bytes), sizeof bytes)) return false;
  std::uint64_t bits = 0;
  for (size_t i = sizeof(T); i-- > 0;) bits = (bits << 8) | bytes[i];
  if constexpr (std::is_floating_point<T>::value) {
    std::memcpy(&value, &bits, sizeof value);
  } else {
    value = static_cast<T>(static_cast<std::make_unsigned_t<T>>(bits));
  }
  return true;
}

/// Reads a section's one-byte marker. A different byte logs `wrongText` as an
/// error; a short read fails without a message (the reader reports it).
inline bool ReadMarker(std::istream& in, std::uint8_t expected, const std::string& wrongText) {
  std::uint8_t marker = 0;
  if (!Get(in, marker)) return false;
  if (marker == expected) return true;
  LogError(wrongText);
  return false;
}

/// A flag as one byte holding 0 or 1.
inline bool PutFlag(std::ostream& out, bool flag) { return Put<std::uint8_t>(out, flag ? 1 : 0); }

}  // namespace bin
