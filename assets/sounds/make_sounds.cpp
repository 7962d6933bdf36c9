// Synthesises the board's two sounds: yes.wav, a bright rising chime for a
// correct drop, and no.wav, a soft falling "uh-oh" for a wrong one. Both are
// meant for children: short, never loud, never harsh.
//
//   make_sounds <output folder>

#include <cmath>
#include <cstdio>
#include <numbers>
#include <string>
#include <vector>

#include "assets/sounds/wav_writer.hpp"

namespace {

constexpr int kSampleRate = 44100;
// Peak levels: the chime at -3 dBFS, loud enough to hear with headroom left;
// the low tone 2 dB under it, since a low sine carries more energy for its
// peak and should never sound the louder of the two.
constexpr double kYesPeak = 0.7079;  // -3 dBFS
constexpr double kNoPeak = 0.5623;   // -5 dBFS

struct Partial {
  double ratio;      // to the note's frequency
  double amplitude;  // relative to the fundamental
  double decayRate;  // how much faster than the fundamental it fades
};

struct Note {
  double frequency;  // Hz
  double onset;      // seconds from the start of the sound
  double length;     // seconds, release included
  double gain;
};

struct Voice {
  std::vector<Partial> partials;
  double attack;   // seconds of raised-cosine rise; a sudden onset clicks
  double decay;    // time constant of the fundamental's exponential fade
  double release;  // seconds of raised-cosine fall, so every note ends at zero
};

// 0 to 1 over `span` seconds along half a cosine: no corner to click.
double smoothStep(double t, double span) {
  if (t <= 0) return 0;
  if (t >= span) return 1;
  return 0.5 - 0.5 * std::cos(std::numbers::pi * t / span);
}

void addNote(std::vector<double>& mix, const Voice& voice, const Note& note) {
  const auto first = static_cast<std::size_t>(note.onset * kSampleRate);
  const auto count = static_cast<std::size_t>(note.length * kSampleRate);
  if (mix.size() < first + count) mix.resize(first + count, 0.0);
  for (std::size_t i = 0; i < count; ++i) {
    const double t = static_cast<double>(i) / kSampleRate;
    const double envelope = smoothStep(t, voice.attack) * smoothStep(note.length - t, voice.release);
    double sample = 0;
    for (const Partial& partial : voice.partials) {
      const double fade = std::exp(-t * partial.decayRate / voice.decay);
      sample += partial.amplitude * fade * std::sin(2 * std::numbers::pi * note.frequency * partial.ratio * t);
    }
    mix[first + i] += note.gain * envelope * sample;
  }
}

std::vector<double> render(const Voice& voice, const std::vector<Note>& notes, double targetPeak) {
  std::vector<double> mix;
  for (const Note& note : notes) addNote(mix, voice, note);
  double peak = 0;
  for (const double sample : mix) peak = std::fmax(peak, std::fabs(sample));
  if (peak > 0) {
    for (double& sample : mix) sample *= targetPeak / peak;
  }
  return mix;
}

// C6, E6, G6 struck one after another and left to ring together: a major
// chord rising, bell-like from a soft octave and twelfth that fade first.
std::vector<double> yesSound() {
  const Voice chime{{{1.0, 1.0, 1.0}, {2.0, 0.25, 2.5}, {3.0, 0.08, 4.0}}, 0.004, 0.16, 0.1};
  return render(chime,
                {
                    {1046.50, 0.00, 0.45, 0.9},
                    {1318.51, 0.10, 0.45, 0.9},
                    {1567.98, 0.20, 0.62, 1.0},
                },
                kYesPeak);
}

// E4 down to C#4, a gentle falling minor third. Slow attack, almost pure
// sine, low and quiet in character: it says "try again", not "wrong!".
std::vector<double> noSound() {
  const Voice hum{{{1.0, 1.0, 1.0}, {2.0, 0.12, 2.0}}, 0.02, 0.25, 0.08};
  return render(hum,
                {
                    {329.63, 0.00, 0.30, 1.0},
                    {277.18, 0.24, 0.46, 0.9},
                },
                kNoPeak);
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: %s <output folder>\n", argv[0]);
    return 2;
  }
  const std::string folder = argv[1];
  const bool written = wizlo::sounds::writeMonoWav(folder + "/yes.wav", kSampleRate, yesSound()) &&
                       wizlo::sounds::writeMonoWav(folder + "/no.wav", kSampleRate, noSound());
  if (!written) {
    std::fprintf(stderr, "%s: cannot write the sounds into %s\n", argv[0], folder.c_str());
    return 1;
  }
  return 0;
}
