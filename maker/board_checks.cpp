#include "maker/board_checks.hpp"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <future>
#include <string>

#include "assets/control_names.hpp"
#include "assets/generator/backdrops/arrow_clearance.hpp"
#include "assets/generator/backdrops/board.hpp"
#include "assets/generator/backdrops/legibility.hpp"
#include "assets/generator/backdrops/name_gaps.hpp"
#include "assets/generator/backdrops/placement.hpp"
#include "assets/generator/draw/owned.hpp"
#include "maker/arabic_counts.hpp"
#include "maker/palette.hpp"

namespace wizlo::maker {
namespace {

// The browser's build has one thread, the page's: there the larger images are measured after the first.
#ifdef __EMSCRIPTEN__
constexpr std::launch kBeside = std::launch::deferred;
#else
constexpr std::launch kBeside = std::launch::async;
#endif
constexpr double kVisibleBottom = 9120 - 60;  // letters this near the window's foot read as cut

// The index in a part's name: 3 for "g(3) ring" and "c(3) label"; -1 for none.
int indexIn(const std::string& name) {
  const std::size_t open = name.find('(');
  return open == std::string::npos ? -1 : std::atoi(name.c_str() + open + 1);
}

// The line of the board file a drawn part's text or colour comes from.
int lineOf(const PlannedBoard& plan, const art::InkPart& part) {
  const int i = indexIn(part.name);
  if (part.kind == art::InkKind::Label && i >= 0) return plan.pieces[static_cast<std::size_t>(i)].skillLine;
  if ((part.kind == art::InkKind::Letters || part.kind == art::InkKind::Ring || part.kind == art::InkKind::Arrow) && i >= 0)
    return plan.groupLines[static_cast<std::size_t>(i)];
  if (part.kind == art::InkKind::Word) return plan.sentenceLine;
  if (part.name == "instruction") return plan.instructionLine;
  return 0;
}

// Pixels of the part's ink, at least a quarter covered.
std::vector<bool> inkOf(const art::InkPixels& pixels, const art::InkPart& part) {
  const std::vector<std::uint8_t> c = pixels.coverage(part);
  std::vector<bool> out(c.size());
  for (std::size_t i = 0; i < c.size(); ++i) out[i] = c[i] >= 64;
  return out;
}

art::Box extentsOf(const art::InkPart& part) {
  const art::Surface scratch = art::makeSurface(1, 1, CAIRO_FORMAT_A8);
  const art::Context cr = art::drawingOn(scratch.get());
  cairo_append_path(cr.get(), part.outline.get());
  double x0, y0, x1, y1;
  cairo_path_extents(cr.get(), &x0, &y0, &x1, &y1);
  return {x0, y0, x1 - x0, y1 - y0};
}

std::uint32_t pixelAt(const Bitmap& image, double xTwips, double yTwips) {
  const int x = std::clamp(static_cast<int>(xTwips * image.width / art::kPageWidth), 0, image.width - 1);
  const int y = std::clamp(static_cast<int>(yTwips * image.height / art::kPageHeight), 0, image.height - 1);
  return image.argb[static_cast<std::size_t>(y) * image.width + x];
}

int channelDistance(std::uint32_t a, std::uint32_t b) {
  int d = 0;
  for (int shift : {0, 8, 16}) d = std::max(d, std::abs(static_cast<int>((a >> shift) & 0xFF) - static_cast<int>((b >> shift) & 0xFF)));
  return d;
}

// Every pixel within `reach` (a square's half side) of a set one: a running count along the rows,
// then down the columns.
std::vector<bool> grown(const std::vector<bool>& set, int width, int reach) {
  const int height = static_cast<int>(set.size()) / width;
  std::vector<bool> across(set.size()), out(set.size());
  for (int y = 0; y < height; ++y) {
    int count = 0;
    const auto at = [&](int x) { return set[static_cast<std::size_t>(y) * width + x]; };
    for (int x = 0; x < std::min(reach, width); ++x) count += at(x);
    for (int x = 0; x < width; ++x) {
      if (x + reach < width) count += at(x + reach);
      if (x - reach - 1 >= 0) count -= at(x - reach - 1);
      across[static_cast<std::size_t>(y) * width + x] = count > 0;
    }
  }
  for (int x = 0; x < width; ++x) {
    int count = 0;
    const auto at = [&](int y) { return across[static_cast<std::size_t>(y) * width + x]; };
    for (int y = 0; y < std::min(reach, height); ++y) count += at(y);
    for (int y = 0; y < height; ++y) {
      if (y + reach < height) count += at(y + reach);
      if (y - reach - 1 >= 0) count -= at(y - reach - 1);
      out[static_cast<std::size_t>(y) * width + x] = count > 0;
    }
  }
  return out;
}

class Checker {
 public:
  Checker(const PlannedBoard& plan, Problems& problems) : plan_(plan), problems_(problems) {}

  void colours() {
    const auto& circles = plan_.circles;
    for (std::size_t i = 0; i < circles.size(); ++i) {
      if (colourDistance(circles[i].colour, kTeacherColours.text) < kLeastColourDistance)
        add(plan_.groupLines[i], "لون هذه المجموعة قريب من لون الجملة.", "this group's colour is too near the sentence's own.");
      for (std::size_t j = 0; j < i; ++j)
        if (colourDistance(circles[i].colour, circles[j].colour) < kLeastColourDistance)
          add(plan_.groupLines[i], "لون هذه المجموعة قريب من لون مجموعة أخرى.", "this group's colour is too near another group's.");
    }
  }

  void letters(cairo_t* measure) {
    for (std::size_t i = 0; i < plan_.circles.size(); ++i) {
      std::string named(plan_.circles[i].names);
      for (const MarkedLetters& also : plan_.alsoColoured)
        if (also.colour == plan_.circles[i].colour) named += also.names;
      if (art::lettersDrawnIn(measure, plan_.content, plan_.circles[i].colour) != named)
        add(plan_.groupLines[i],
            "الخط يرسم هذه الحروف متصلة بما حولها، فلا يُلوَّن ما بين القوسين وحده. يُرجى توسيع القوسين ليشملا المقطع كله.",
            "the font draws these letters joined with their neighbours, so what the parentheses hold cannot be "
            "coloured alone. Widen the parentheses to the whole syllable.");
    }
  }

  void image(const DrawnBackdrop& drawn, bool oneX) {
    const Bitmap& image = drawn.image;
    const art::InkPixels pixels(image.argb, image.width, drawn.ink);
    const double px = image.width / 905.0;
    std::vector<std::pair<int, int>> words;  // leftmost and rightmost columns, right to left
    std::vector<bool> taken(image.argb.size());
    const double scale = image.width / art::kPageWidth;
    for (const art::Box& c : art::obstaclesOf(plan_.form))
      for (int y = std::max(0, int(c.y * scale)); y < std::min(image.height, int(std::ceil(c.bottom() * scale))); ++y)
        for (int x = std::max(0, int(c.x * scale)); x < std::min(image.width, int(std::ceil(c.right() * scale))); ++x)
          taken[static_cast<std::size_t>(y) * image.width + x] = true;
    std::vector<std::vector<bool>> labels(plan_.pieces.size());
    for (const art::InkPart& part : drawn.ink.parts()) {
      if (oneX) inside(part);
      if (part.kind == art::InkKind::Word) {
        const std::vector<bool> ink = inkOf(pixels, part);
        int left = image.width, right = -1;
        for (std::size_t i = 0; i < ink.size(); ++i)
          if (ink[i]) left = std::min(left, int(i % image.width)), right = std::max(right, int(i % image.width));
        words.emplace_back(left, right);
        continue;
      }
      const art::Standout s = pixels.standout(part);
      if (s.best() < art::kLeastStandout) standsOutTooLittle(part, s.best());
      if (part.name == "instruction") {
        const std::vector<bool> ink = inkOf(pixels, part);
        for (std::size_t i = 0; i < ink.size(); ++i) taken[i] = taken[i] || ink[i];
      }
      if (part.kind == art::InkKind::Label) labels[static_cast<std::size_t>(indexIn(part.name))] = inkOf(pixels, part);
    }
    wordGaps(words);
    arrowsClear(pixels, drawn.ink);
    namesClear(labels, taken, image.width, static_cast<int>(std::lround(3 * px)));
    namesNearestTheirPieces(pixels, drawn.ink);
    if (oneX) plainGround(image);
  }

  void piecesOnTheirGround(const Bitmap& oneX, std::uint32_t tileGround) {
    for (const ImageLayout& c : plan_.form.Controls) {
      if (c.Name != names::kPieces) continue;
      for (const auto& [x, y] : {std::pair{c.Left + 15, c.Top + 15}, {c.Left + c.Width - 15, c.Top + 15},
                                {c.Left + 15, c.Top + c.Height - 15}, {c.Left + c.Width - 15, c.Top + c.Height - 15}})
        if (channelDistance(pixelAt(oneX, x, y), tileGround) > 2) {
          add(plan_.pieces[static_cast<std::size_t>(*c.Index)].skillLine, "شيء مرسوم تحت قطعة هذه المهارة.",
              "something is drawn under this skill's piece.");
          break;
        }
    }
  }

 private:
  void add(int line, std::string arabic, std::string english) {
    for (const Problem& p : problems_)
      if (p.line == line && p.english == english) return;  // once, though both sizes find it
    problems_.push_back({line, std::move(arabic), std::move(english)});
  }

  void inside(const art::InkPart& part) {
    const art::Box box = extentsOf(part);
    if (box.x >= 0 && box.y >= 0 && box.right() <= art::kPageWidth && box.bottom() <= kVisibleBottom) return;
    if (part.kind == art::InkKind::Label)
      add(lineOf(plan_, part), "اسم المهارة يخرج من اللوحة، فيُرجى اختصاره.", "the skill's name runs off the board. Shorten it.");
    else
      add(lineOf(plan_, part), "جزء من النص يخرج من اللوحة، فيُرجى اختصاره.", "part of this text runs off the board. Shorten it.");
  }

  void standsOutTooLittle(const art::InkPart& part, double ratio) {
    const std::string measured = " (" + std::to_string(ratio).substr(0, 4) + ":1)";
    // In the Arabic line, Arabic-Indic digits and the Arabic decimal separator.
    const long long hundredths = std::lround(ratio * 100);
    const std::string arabicMeasured = " (" + arabicDigits(hundredths / 100) + "٫" + (hundredths % 100 < 10 ? "٠" : "") +
                                       arabicDigits(hundredths % 100) + ":١)";
    if (part.kind == art::InkKind::Letters)
      add(lineOf(plan_, part), "الحروف الملونة لا تبين عن الأرضية بما يكفي" + arabicMeasured + ". يُرجى تلوين الحرف كله لا علاماته وحدها.",
          "the coloured letters do not stand out enough from the ground" + measured +
              ". Colour the whole letter, not its marks alone.");
    else
      add(lineOf(plan_, part), "نص لا يبين عن الأرضية بما يكفي" + arabicMeasured + ".",
          part.name + " does not stand out enough from the ground" + measured + ".");
  }

  // An arrow the generator found no clear way for: over another letter, dot or mark, or short of
  // its own. A mark alone in the middle of a word is often out of every arrow's reach; its whole
  // letter is not.
  void arrowsClear(const art::InkPixels& pixels, const art::InkMap& ink) {
    for (const art::ArrowFault& f : art::arrowFaults(pixels, ink))
      add(plan_.groupLines[static_cast<std::size_t>(f.group)],
          "لا يصل سهم هذه المجموعة إلى حروفها إلا مارًّا فوق حروف أخرى من الجملة. يُرجى تلوين الحرف كله بدل علامته "
          "وحدها، أو اختيار حروف يصل إليها السهم.",
          "this group's arrow cannot reach its letters without crossing other letters of the sentence. Colour the "
          "whole letter rather than its mark alone, or choose letters the arrow can reach.");
  }

  void wordGaps(const std::vector<std::pair<int, int>>& words) {
    std::vector<int> gaps;
    for (std::size_t k = 1; k < words.size(); ++k) gaps.push_back(words[k - 1].first - words[k].second - 1);
    if (gaps.empty()) return;
    const auto [narrowest, widest] = std::minmax_element(gaps.begin(), gaps.end());
    if (*narrowest <= 0 || *widest > 1.5 * *narrowest)
      add(plan_.sentenceLine, "المسافات بين كلمات الجملة جاءت غير متساوية. يُرجى ترك مسافة واحدة بين كل كلمتين، بلا علامات زائدة.",
          "the gaps between the sentence's words came out uneven. Write one space between words, with no stray marks.");
  }

  void namesClear(const std::vector<std::vector<bool>>& labels, std::vector<bool> taken, int width, int reach) {
    for (std::size_t j = 0; j < labels.size(); ++j) {
      const std::vector<bool>& mine = labels[j];
      // What lies within `reach` of anything taken, then whether this name's ink falls there.
      const std::vector<bool> near = grown(taken, width, reach);
      bool met = false;
      for (std::size_t i = 0; i < mine.size() && !met; ++i) met = mine[i] && near[i];
      if (met)
        add(plan_.pieces[j].skillLine, "اسم المهارة يقترب كثيرًا من اسم آخر أو من عنصر في اللوحة، فيُرجى اختصاره.",
            "the skill's name comes too near another name or a control of the board. Shorten it.");
      for (std::size_t i = 0; i < mine.size(); ++i) taken[i] = taken[i] || mine[i];
    }
  }

  // Each piece's own name the nearest to it, by far, in every direction, as the program's own boards
  // are held to it: a pupil reads a piece by the name beside it.
  void namesNearestTheirPieces(const art::InkPixels& pixels, const art::InkMap& ink) {
    for (const art::NameGapFault& f : art::nameGapFaults(pixels, ink, art::pieceBoxesOf(plan_.form)))
      add(plan_.pieces[static_cast<std::size_t>(f.other)].skillLine,
          "اسم هذه المهارة قريب من قطعة مهارة أخرى فيُظن اسمها، فيُرجى اختصاره.",
          "this skill's name lies so near another skill's piece that it could be taken for that piece's. Shorten it.");
  }

  void plainGround(const Bitmap& image) {
    const std::uint32_t ground = 0xFF000000u | kTeacherColours.ground;
    for (const ImageLayout& g : plan_.form.Controls)
      if (g.Name == names::kCircles &&
          channelDistance(pixelAt(image, g.Left + g.Width / 2.0, g.Top + g.Height / 2.0), ground) > 12)
        add(plan_.groupLines[static_cast<std::size_t>(*g.Index)], "شيء مرسوم داخل دائرة هذه المجموعة.",
            "something is drawn inside this group's circle.");
  }

  const PlannedBoard& plan_;
  Problems& problems_;
};

}  // namespace

Problems checkBoard(cairo_t* measure, const PlannedBoard& plan, const std::vector<DrawnBackdrop>& backdrops,
                    std::uint32_t tileGround) {
  Problems problems, larger;
  // The larger images on a thread of their own: measuring is most of the board maker's time.
  auto measured = std::async(kBeside, [&] {
    Checker check(plan, larger);
    for (std::size_t i = 1; i < backdrops.size(); ++i) check.image(backdrops[i], false);
  });
  Checker check(plan, problems);
  check.colours();
  check.letters(measure);
  check.image(backdrops.front(), true);
  check.piecesOnTheirGround(backdrops.front().image, tileGround);
  measured.get();
  for (const Problem& p : larger)
    if (std::none_of(problems.begin(), problems.end(), [&](const Problem& q) { return q.line == p.line && q.english == p.english; }))
      problems.push_back(p);
  std::stable_sort(problems.begin(), problems.end(), [](const Problem& a, const Problem& b) { return a.line < b.line; });
  return problems;
}

}  // namespace wizlo::maker
