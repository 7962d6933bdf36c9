#include "assets/generator/text/line_order.hpp"

#include <algorithm>

namespace wizlo::art {
namespace {

// The bidirectional classes these texts meet; everything else counts as a left-to-right letter.
enum class Kind { L, R, AL, EN, AN, ES, ET, CS, NSM, WS, ON };

bool inRange(char32_t c, char32_t from, char32_t to) { return c >= from && c <= to; }

bool isArabicMark(char32_t c) {
  return inRange(c, 0x0610, 0x061A) || inRange(c, 0x064B, 0x065F) || c == 0x0670 || inRange(c, 0x06D6, 0x06DC) ||
         inRange(c, 0x06DF, 0x06E4) || inRange(c, 0x06E7, 0x06E8) || inRange(c, 0x06EA, 0x06ED);
}

Kind kindOf(char32_t c) {
  if (c < 0x80) {
    if (c >= '0' && c <= '9') return Kind::EN;
    if (c == '+' || c == '-') return Kind::ES;
    if (c == '#' || c == '$' || c == '%') return Kind::ET;
    if (c == ',' || c == '.' || c == '/' || c == ':') return Kind::CS;
    if (c == ' ' || c == '\t') return Kind::WS;
    if ((c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z')) return Kind::L;
    return Kind::ON;
  }
  if (c == 0xA0) return Kind::CS;
  if (c == 0xB0 || c == 0xB1) return Kind::ET;
  if (c < 0xC0) return Kind::ON;
  if (c == 0xD7 || c == 0xF7) return Kind::ON;
  if (inRange(c, 0x0600, 0x06FF)) {
    if (isArabicMark(c)) return Kind::NSM;
    if (inRange(c, 0x0660, 0x0669) || c == 0x066B || c == 0x066C || inRange(c, 0x0600, 0x0605) || c == 0x06DD)
      return Kind::AN;
    if (c == 0x066A || c == 0x0609 || c == 0x060A) return Kind::ET;
    if (c == 0x060C) return Kind::CS;
    if (inRange(c, 0x06F0, 0x06F9)) return Kind::EN;
    if (c == 0x060E || c == 0x060F || c == 0x06DE || c == 0x06E9) return Kind::ON;
    return Kind::AL;
  }
  if (inRange(c, 0x0750, 0x077F) || inRange(c, 0x08A0, 0x08FF) || inRange(c, 0xFB50, 0xFDFF) ||
      inRange(c, 0xFE70, 0xFEFE))
    return Kind::AL;
  if (c == 0x200C || c == 0x200D || c == 0xFEFF) return Kind::NSM;  // joining controls go with their letter
  if (c == 0x200E) return Kind::L;
  if (c == 0x200F) return Kind::R;
  if (c == 0x061C) return Kind::AL;
  if (inRange(c, 0x2000, 0x200B)) return Kind::WS;
  if (inRange(c, 0x2030, 0x2034)) return Kind::ET;
  if (inRange(c, 0x2010, 0x2BFF) || inRange(c, 0x3000, 0x303F)) return Kind::ON;
  return Kind::L;
}

bool isArabicLetter(char32_t c) {
  return (inRange(c, 0x0600, 0x06FF) && kindOf(c) == Kind::AL) || inRange(c, 0x0750, 0x077F) ||
         inRange(c, 0x08A0, 0x08FF) || inRange(c, 0xFB50, 0xFDFF) || inRange(c, 0xFE70, 0xFEFE);
}

struct Character {
  std::size_t start, end;
  Kind original, kind;
  int level;
  Script script;
  bool scriptKnown;
};

bool isNeutral(Kind k) { return k == Kind::WS || k == Kind::ON || k == Kind::ES || k == Kind::ET || k == Kind::CS; }

// Which side a character stands on for the neutrals next to it: numbers count as right to left.
Kind strongSide(Kind k) { return k == Kind::L ? Kind::L : Kind::R; }

std::vector<Character> charactersOf(std::string_view s) {
  std::vector<Character> chars;
  for (std::size_t i = 0; i < s.size();) {
    const std::size_t at = i;
    const char32_t c = decodeUtf8(s, i);
    const Kind k = kindOf(c);
    const bool arabic = isArabicLetter(c) || k == Kind::AN;
    const bool latin = k == Kind::L && c != 0x200E;
    chars.push_back({at, i, k, k, 0, arabic ? Script::Arabic : Script::Latin, arabic || latin});
  }
  return chars;
}

void resolveWeak(std::vector<Character>& cs, Kind sos) {
  Kind previous = sos, lastStrong = sos;
  for (Character& c : cs) {
    if (c.kind == Kind::NSM) c.kind = previous;  // a mark takes its letter's class
    if (c.kind == Kind::EN && lastStrong == Kind::AL) c.kind = Kind::AN;
    if (c.kind == Kind::L || c.kind == Kind::R || c.kind == Kind::AL) lastStrong = c.kind;
    previous = c.kind;
  }
  for (Character& c : cs)
    if (c.kind == Kind::AL) c.kind = Kind::R;
  // A single separator between two numbers of one kind joins them: 3.5, ١٬٢.
  for (std::size_t i = 1; i + 1 < cs.size(); ++i) {
    const Kind before = cs[i - 1].kind, after = cs[i + 1].kind;
    if (cs[i].kind == Kind::ES && before == Kind::EN && after == Kind::EN) cs[i].kind = Kind::EN;
    if (cs[i].kind == Kind::CS && before == after && (before == Kind::EN || before == Kind::AN)) cs[i].kind = before;
  }
  // Terminators next to a European number belong to it: 50%.
  for (std::size_t i = 0; i < cs.size();) {
    if (cs[i].kind != Kind::ET) {
      ++i;
      continue;
    }
    std::size_t j = i;
    while (j < cs.size() && cs[j].kind == Kind::ET) ++j;
    if ((i > 0 && cs[i - 1].kind == Kind::EN) || (j < cs.size() && cs[j].kind == Kind::EN))
      for (std::size_t k = i; k < j; ++k) cs[k].kind = Kind::EN;
    i = j;
  }
  for (Character& c : cs)
    if (c.kind == Kind::ES || c.kind == Kind::ET || c.kind == Kind::CS) c.kind = Kind::ON;
  lastStrong = sos;
  for (Character& c : cs) {
    if (c.kind == Kind::EN && lastStrong == Kind::L) c.kind = Kind::L;
    if (c.kind == Kind::L || c.kind == Kind::R) lastStrong = c.kind;
  }
}

void resolveNeutrals(std::vector<Character>& cs, Kind sos) {
  for (std::size_t i = 0; i < cs.size();) {
    if (!isNeutral(cs[i].kind)) {
      ++i;
      continue;
    }
    std::size_t j = i;
    while (j < cs.size() && isNeutral(cs[j].kind)) ++j;
    const Kind before = i > 0 ? strongSide(cs[i - 1].kind) : sos;
    const Kind after = j < cs.size() ? strongSide(cs[j].kind) : sos;
    const Kind side = before == after ? before : sos;
    for (std::size_t k = i; k < j; ++k) cs[k].kind = side;
    i = j;
  }
}

void resolveScripts(std::vector<Character>& cs) {
  // Digits, spaces and marks take the script before them, or at the start the first one after.
  const auto firstKnown = std::find_if(cs.begin(), cs.end(), [](const Character& c) { return c.scriptKnown; });
  Script current = firstKnown != cs.end() ? firstKnown->script : Script::Arabic;
  for (Character& c : cs) {
    if (c.scriptKnown) current = c.script;
    c.script = current;
  }
}

}  // namespace

char32_t decodeUtf8(std::string_view s, std::size_t& i) {
  const auto byte = [&](std::size_t k) { return k < s.size() ? static_cast<unsigned char>(s[k]) : 0x80u; };
  const unsigned char b = byte(i);
  if (b < 0x80) return s[i++];
  const int extra = b >= 0xF0 ? 3 : b >= 0xE0 ? 2 : 1;
  char32_t c = b & (0x3F >> extra);
  for (int k = 1; k <= extra; ++k) c = (c << 6) | (byte(i + k) & 0x3F);
  i = std::min(s.size(), i + extra + 1);
  return c;
}

Direction paragraphDirection(std::string_view utf8) {
  for (std::size_t i = 0; i < utf8.size();) {
    const Kind k = kindOf(decodeUtf8(utf8, i));
    if (k == Kind::L) return Direction::LeftToRight;
    if (k == Kind::R || k == Kind::AL) return Direction::RightToLeft;
  }
  return Direction::LeftToRight;
}

std::vector<DirectedRun> visualRuns(std::string_view utf8) {
  const int base = paragraphDirection(utf8) == Direction::RightToLeft ? 1 : 0;
  const Kind sos = base ? Kind::R : Kind::L;
  std::vector<Character> cs = charactersOf(utf8);
  resolveWeak(cs, sos);
  resolveNeutrals(cs, sos);
  resolveScripts(cs);
  for (Character& c : cs) {
    const bool even = base % 2 == 0;
    if (c.kind == Kind::L) c.level = even ? base : base + 1;
    else if (c.kind == Kind::R) c.level = even ? base + 1 : base;
    else c.level = even ? base + 2 : base + 1;  // numbers
  }
  // Spaces at the end of the line go back to the paragraph's level.
  for (auto c = cs.rbegin(); c != cs.rend() && c->original == Kind::WS; ++c) c->level = base;

  struct Leveled {
    DirectedRun run;
    int level;
  };
  std::vector<Leveled> runs;
  for (const Character& c : cs) {
    if (!runs.empty() && runs.back().level == c.level && runs.back().run.script == c.script) {
      runs.back().run.length = c.end - runs.back().run.start;
      continue;
    }
    const Direction d = c.level % 2 ? Direction::RightToLeft : Direction::LeftToRight;
    runs.push_back({{c.start, c.end - c.start, d, c.script}, c.level});
  }
  // From the highest level down to the lowest odd one, every stretch at or above it turns round.
  int highest = 0, lowestOdd = 99;
  for (const Leveled& r : runs) {
    highest = std::max(highest, r.level);
    if (r.level % 2) lowestOdd = std::min(lowestOdd, r.level);
  }
  for (int level = highest; level >= lowestOdd && level > 0; --level)
    for (std::size_t i = 0; i < runs.size();) {
      if (runs[i].level < level) {
        ++i;
        continue;
      }
      std::size_t j = i;
      while (j < runs.size() && runs[j].level >= level) ++j;
      std::reverse(runs.begin() + static_cast<long>(i), runs.begin() + static_cast<long>(j));
      i = j;
    }
  std::vector<DirectedRun> visual;
  for (const Leveled& r : runs) visual.push_back(r.run);
  return visual;
}

}  // namespace wizlo::art
