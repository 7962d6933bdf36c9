#pragma once
// Builds WAV files in memory for the sound tests: any rate, channel count and sample width.

#include <cstdint>
#include <vector>

namespace wizlo::platform::testing {

struct WavFormat {
  std::uint16_t encoding;  // 1 integer PCM, 3 IEEE float
  std::uint16_t channels;
  std::uint32_t rate;
  std::uint16_t bits;

  std::uint32_t frameBytes() const { return std::uint32_t{channels} * bits / 8; }
  std::uint32_t bytesPerSecond() const { return frameBytes() * rate; }
};

inline void putLittleEndian(std::vector<unsigned char>& out, std::uint32_t value, int bytes) {
  for (int i = 0; i < bytes; ++i) out.push_back(static_cast<unsigned char>(value >> (8 * i)));
}

// A RIFF header and format chunk, and a data chunk that claims declaredDataBytes
// (more than `data` holds, for a truncated file).
inline std::vector<unsigned char> wavFile(const WavFormat& format, const std::vector<unsigned char>& data,
                                          std::uint32_t declaredDataBytes) {
  std::vector<unsigned char> out;
  auto tag = [&out](const char* text) {
    for (int i = 0; i < 4; ++i) out.push_back(static_cast<unsigned char>(text[i]));
  };
  tag("RIFF");
  putLittleEndian(out, 36 + declaredDataBytes, 4);
  tag("WAVE");
  tag("fmt ");
  putLittleEndian(out, 16, 4);
  putLittleEndian(out, format.encoding, 2);
  putLittleEndian(out, format.channels, 2);
  putLittleEndian(out, format.rate, 4);
  putLittleEndian(out, format.bytesPerSecond(), 4);
  putLittleEndian(out, format.frameBytes(), 2);
  putLittleEndian(out, format.bits, 2);
  tag("data");
  putLittleEndian(out, declaredDataBytes, 4);
  out.insert(out.end(), data.begin(), data.end());
  return out;
}

inline std::vector<unsigned char> wavFile(const WavFormat& format, const std::vector<unsigned char>& data) {
  return wavFile(format, data, static_cast<std::uint32_t>(data.size()));
}

// `seconds` of 16-bit samples that are never silence (never 0), so that a
// played sound can be told from the silence a device pads with.
inline std::vector<unsigned char> audibleSamples16(const WavFormat& format, double seconds) {
  const auto frames = static_cast<std::uint32_t>(seconds * format.rate);
  std::vector<unsigned char> data;
  data.reserve(std::size_t{frames} * format.frameBytes());
  for (std::uint32_t i = 0; i < frames * format.channels; ++i) {
    const auto sample = static_cast<std::int16_t>(1000 + (i * 37) % 20000);
    putLittleEndian(data, static_cast<std::uint16_t>(sample), 2);
  }
  return data;
}

}  // namespace wizlo::platform::testing
