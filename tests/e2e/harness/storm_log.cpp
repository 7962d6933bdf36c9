#include "tests/e2e/harness/storm_log.hpp"

#include <algorithm>
#include <cstdlib>
#include <sstream>

namespace wizlo::e2e {

StormLog::StormLog(std::uint64_t seed, long seconds, std::size_t kept)
    : seed_(seed), kept_(kept), end_(start_ + std::chrono::seconds(seconds)) {
  const char* visits = std::getenv("WIZLO_STORM_VISITS");
  replayVisits_ = visits && *visits ? std::strtoul(visits, nullptr, 10) : 0;
}

bool StormLog::anotherVisit() {
  const bool another = replayVisits_ > 0 ? visits_ < replayVisits_ : std::chrono::steady_clock::now() < end_;
  visits_ += another;
  return another;
}

void StormLog::note(std::string move) {
  ++count_;
  const auto ms = std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now() - start_);
  moves_.push_back(std::to_string(count_) + ". at " + std::to_string(ms.count()) + " ms: " + std::move(move));
  if (moves_.size() > kept_) moves_.pop_front();
}

std::string StormLog::report(const Screenshot& screen, const std::vector<WindowInfo>& windows) const {
  std::ostringstream text;
  text << "storm seed " << seed_ << ", in visit " << visits_ << "; replay exactly with WIZLO_STORM_SEED=" << seed_
       << " WIZLO_STORM_VISITS=" << visits_ << "\n";
  text << "the last " << moves_.size() << " of " << count_ << " moves:\n";
  for (const std::string& move : moves_) text << "  " << move << "\n";
  text << windows.size() << " window(s) of the program on the screen:\n";
  for (const WindowInfo& w : windows)
    text << "  " << w.id << " \"" << w.name << "\" at (" << w.x << "," << w.y << ") " << w.width << "x" << w.height << "\n";
  text << "the screen (" << screen.width() << "x" << screen.height() << ", a character for 16 pixels square):\n"
       << screenInCharacters(screen);
  return text.str();
}

std::string screenInCharacters(const Screenshot& screen, int cell) {
  // Only the rows and columns that hold anything but black: the screen beyond the windows is empty.
  int right = 0, bottom = 0;
  for (int y = 0; y < screen.height(); y += 4)
    for (int x = 0; x < screen.width(); x += 4)
      if (!(screen.at({x, y}) == Rgb{})) right = std::max(right, x + 1), bottom = std::max(bottom, y + 1);
  std::string picture;
  for (int top = 0; top < bottom; top += cell) {
    for (int left = 0; left < right; left += cell) {
      long r = 0, g = 0, b = 0, n = 0;
      for (int y = top; y < top + cell; y += 2)
        for (int x = left; x < left + cell; x += 2, ++n) {
          const Rgb p = screen.at({x, y});
          r += p.r, g += p.g, b += p.b;
        }
      r /= n, g /= n, b /= n;
      const long high = std::max({r, g, b}), low = std::min({r, g, b});
      char c;
      if (high < 16) c = ' ';
      else if (high - low < 48) c = high < 96 ? '.' : high < 176 ? '+' : high < 240 ? '#' : 'w';
      else if (r == high && g - b > 48) c = 'y';
      else if (r == high && b - g > 48) c = 'm';
      else if (r == high) c = 'r';
      else if (g == high && b - r > 48) c = 'c';
      else if (g == high) c = 'g';
      else c = 'b';
      picture += c;
    }
    picture += '\n';
  }
  return picture;
}

std::string describe(Point p) { return "(" + std::to_string(p.x) + "," + std::to_string(p.y) + ")"; }

}  // namespace wizlo::e2e
