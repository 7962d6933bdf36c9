#pragma once
#include <cstdint>
#include <limits>
#include <stdexcept>
#include <string>

namespace wizlo {

// An error raised inside a handler. Nothing traps it: it travels out of every
// nested modal loop to the runtime's report, which ends the program.
class RuntimeError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// Handlers count in signed 16-bit Integers, and an overflow is an error
// rather than a silent wrap.
inline std::int16_t addInteger(std::int16_t a, std::int16_t b) {
  const int sum = int{a} + int{b};
  if (sum > std::numeric_limits<std::int16_t>::max() || sum < std::numeric_limits<std::int16_t>::min())
    throw RuntimeError("Overflow: " + std::to_string(a) + " + " + std::to_string(b));
  return static_cast<std::int16_t>(sum);
}

}  // namespace wizlo
