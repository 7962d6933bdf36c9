#include "assets/sounds/wav_writer.hpp"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <fstream>

namespace wizlo::sounds {

namespace {

// RIFF is little-endian whatever the build machine is.
void put(std::ofstream& out, std::uint32_t value, int bytes) {
  for (int i = 0; i < bytes; ++i) out.put(static_cast<char>((value >> (8 * i)) & 0xFF));
}

}  // namespace

bool writeMonoWav(const std::string& path, int sampleRate, const std::vector<double>& samples) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  if (!out) return false;
  const auto dataBytes = static_cast<std::uint32_t>(samples.size() * 2);
  out.write("RIFF", 4);
  put(out, 36 + dataBytes, 4);
  out.write("WAVEfmt ", 8);
  put(out, 16, 4);  // size of the format chunk
  put(out, 1, 2);   // integer PCM
  put(out, 1, 2);   // one channel
  put(out, static_cast<std::uint32_t>(sampleRate), 4);
  put(out, static_cast<std::uint32_t>(sampleRate) * 2, 4);  // bytes a second
  put(out, 2, 2);                                           // bytes a frame
  put(out, 16, 2);                                          // bits a sample
  out.write("data", 4);
  put(out, dataBytes, 4);
  for (const double sample : samples) {
    const double scaled = std::round(std::clamp(sample, -1.0, 1.0) * 32767.0);
    put(out, static_cast<std::uint32_t>(static_cast<std::int32_t>(scaled)), 2);
  }
  return static_cast<bool>(out.flush());
}

}  // namespace wizlo::sounds
