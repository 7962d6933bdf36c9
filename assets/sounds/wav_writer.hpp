#pragma once
#include <string>
#include <vector>

namespace wizlo::sounds {

// Writes mono 16-bit PCM. Samples are in [-1, 1]; anything outside is clipped.
// Returns false when the file cannot be written.
bool writeMonoWav(const std::string& path, int sampleRate, const std::vector<double>& samples);

}  // namespace wizlo::sounds
