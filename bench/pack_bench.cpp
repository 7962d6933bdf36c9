// A teacher's board: how long the board maker takes over the largest board a teacher can write, and how
// much longer opening a board from its pack takes than opening one of the program's own boards.
//
//   wizlo-pack-bench [--runs N]
//
// Opening, either way, from nothing to the first frame composed at 1x: for the program's own tile
// board Form3, its pictures taken fresh from the embedded images (as a run's first visit does), its
// controls made and its first frame composed; for the sample pack, the file read, checked, every
// picture decoded, its controls made and its first frame composed. The two alternate, in one run.

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <map>
#include <string>
#include <vector>

#include "app/lesson.hpp"
#include "app/program.hpp"
#include "assets/catalogue.hpp"
#include "forms/compose.hpp"
#include "packs/container.hpp"
#include "platform/user_file.hpp"
#include "tests/support/process.hpp"

namespace {

using namespace wizlo;
using Clock = std::chrono::steady_clock;

double millisecondsSince(Clock::time_point start) {
  return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
}

double median(std::vector<double> v) {
  std::sort(v.begin(), v.end());
  return v[v.size() / 2];
}

// Every picture made anew from its embedded images, as the catalogue makes it on a run's first use.
PictureValue freshPicture(PictureKey key) {
  std::vector<Artwork::Source> sources;
  for (const assets::EncodedImage& image : assets::encodedImages(key.id()))
    sources.push_back({image.width, image.height, [image] { return assets::decode(image); }});
  return PictureValue::of(std::make_shared<const Artwork>(std::move(sources)));
}

double openBuiltIn() {
  const auto start = Clock::now();
  const ControlSet controls(*layoutNamed("Form3"), freshPicture);
  const Bitmap frame = composeClientArea(controls, 1);
  const double ms = millisecondsSince(start);
  return frame.width > 0 ? ms : -1;
}

double openPack() {
  const auto start = Clock::now();
  const auto lesson = Lesson::read(platform::readUserFile(WIZLO_SAMPLE_PACK, packs::kMaxPackBytes));
  const ControlSet controls(lesson->layout(), lesson->pictures());
  const Bitmap frame = composeClientArea(controls, 1);
  const double ms = millisecondsSince(start);
  return frame.width > 0 ? ms : -1;
}

double makeTwelveGroups() {
  const auto start = Clock::now();
  testing::runCommand({WIZLO_BOARD, "make", WIZLO_TWELVE_GROUPS, "/tmp/wizlo-pack-bench.wizlo"},
                      {"PATH=/usr/bin:/bin", "HOME=/tmp"}, std::chrono::milliseconds(60000));
  return millisecondsSince(start);
}

}  // namespace

int main(int argc, char** argv) {
  int runs = 15;
  if (argc == 3 && std::string(argv[1]) == "--runs") runs = std::max(1, std::atoi(argv[2]));
  std::vector<double> builtIn, pack, make;
  for (int i = 0; i < runs; ++i) {
    builtIn.push_back(openBuiltIn());
    pack.push_back(openPack());
  }
  for (int i = 0; i < std::max(1, runs / 3); ++i) make.push_back(makeTwelveGroups());
  std::remove("/tmp/wizlo-pack-bench.wizlo");
  const auto [fastest, slowest] = std::minmax_element(make.begin(), make.end());
  std::printf("open a board to its first frame, %d runs interleaved (median, ms):\n", runs);
  std::printf("  built-in Form3 %.1f, sample pack %.1f: the pack %+.1f ms (target: at most +20)\n", median(builtIn),
              median(pack), median(pack) - median(builtIn));
  std::printf("wizlo-board make, 12 groups and 3 decoys, %zu runs: median %.0f ms, %.0f to %.0f (target: under 3000)\n",
              make.size(), median(make), *fastest, *slowest);
  return median(pack) - median(builtIn) <= 20 && median(make) < 3000 ? 0 : 1;
}
