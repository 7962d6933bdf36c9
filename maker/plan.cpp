#include "maker/plan.hpp"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <numeric>

#include "assets/control_names.hpp"
#include "assets/generator/draw/shapes.hpp"
#include "assets/generator/text/arabic_text.hpp"
#include "maker/arabic_counts.hpp"
#include "maker/arabic_letters.hpp"
#include "maker/palette.hpp"
#include "menu/form1.hpp"
#include "packs/board_rules.hpp"

namespace wizlo::maker {
namespace {

using art::ArabicText;
using art::kNaskh;

constexpr double kSideMargin = 500;               // the sentence keeps this far from either edge
constexpr double kLargestSentence = 1100, kSmallestSentence = 620;
constexpr double kSentenceBaseline = 1700;
constexpr Twips kCircleWidth = 705, kCircleHeight = 660, kCircleTop = 2880, kCircleGap = 150;
constexpr Twips kPieceWidth = 540, kPieceHeight = 420;
constexpr double kLargestNames = 600, kSmallestNames = 380;
constexpr double kGridLeft = 220, kGridRight = 13575 - 160;  // a row's ends
constexpr double kGridTop = 5250, kGridBottom = 7700;  // the middles of the first and the last row
constexpr double kNameGap = 110;     // as the generator places a name beside its piece
constexpr double kOtherPieceGap = 390;  // a name's far end keeps this far from the next piece
constexpr double kOtherRowGap = 345;    // and its ink this far from the pieces of the rows about it

// Letters and punctuation, as a teacher counts them: no marks, no spaces.
long long lettersIn(const std::string& text) {
  long long n = 0;
  for (const char32_t c : codePoints(text)) n += c != U' ' && !isMark(c);
  return n;
}

std::size_t codePointsIn(const std::string& text) {
  return static_cast<std::size_t>(std::count_if(text.begin(), text.end(), [](char c) { return (c & 0xC0) != 0x80; }));
}

Twips whole(double twips) { return static_cast<Twips>(std::lround(twips / kTwipsPerPixel)) * kTwipsPerPixel; }

std::int16_t short16(Twips v) { return static_cast<std::int16_t>(v); }

// Circle centres as near the letters as they can be while keeping `pitch` apart, in order right to
// left: least squares under order constraints, pooled as isotonic regression does.
std::vector<double> spread(const std::vector<double>& wanted, double pitch, double left, double right) {
  const std::size_t n = wanted.size();
  // y[i] = x[i] + i * pitch must not rise from one circle to the next.
  struct Block {
    double sum;
    std::size_t count;
  };
  std::vector<Block> blocks;
  for (std::size_t i = 0; i < n; ++i) {
    blocks.push_back({wanted[i] + static_cast<double>(i) * pitch, 1});
    while (blocks.size() > 1 && blocks[blocks.size() - 2].sum / blocks[blocks.size() - 2].count <
                                    blocks.back().sum / blocks.back().count) {
      blocks[blocks.size() - 2].sum += blocks.back().sum;
      blocks[blocks.size() - 2].count += blocks.back().count;
      blocks.pop_back();
    }
  }
  std::vector<double> x;
  for (const Block& b : blocks)
    for (std::size_t k = 0; k < b.count; ++k) x.push_back(b.sum / b.count - static_cast<double>(x.size()) * pitch);
  // Then inside the page, the whole row moved as one.
  if (x.back() < left) {
    const double by = left - x.back();
    for (double& v : x) v += by;
  }
  if (x.front() > right) {
    const double by = x.front() - right;
    for (double& v : x) v -= by;
  }
  return x;
}

// The pieces in rows read right to left, each piece with its name to its left and room after the
// name before the next piece; the rows' spare width shared out between their pieces.
struct Grid {
  double nameSize = 0;
  std::vector<std::vector<int>> rows;  // piece indexes, right to left
  std::vector<double> pieceLeft;       // by piece
};

double itemWidth(double name) { return 60 + kPieceWidth + kNameGap + name + kOtherPieceGap; }

// Few rows stand apart and leave room below for an ornament; four fill the band.
double rowStep(std::size_t rows) { return rows > 1 ? std::min(1000.0, (kGridBottom - kGridTop) / static_cast<double>(rows - 1)) : 0; }

std::optional<Grid> gridAt(cairo_t* cr, const std::vector<Piece>& pieces, double size) {
  Grid grid{size, {{}}, std::vector<double>(pieces.size())};
  std::vector<double> widths;
  double used = 0, tallest = 0;
  for (std::size_t j = 0; j < pieces.size(); ++j) {
    const ArabicText name(cr, pieces[j].skill, kNaskh, size);
    widths.push_back(itemWidth(name.ink().width));
    tallest = std::max(tallest, name.ink().height);
    if (used + widths[j] > kGridRight - kGridLeft && !grid.rows.back().empty()) {
      grid.rows.emplace_back();
      used = 0;
    }
    if (widths[j] > kGridRight - kGridLeft) return std::nullopt;
    grid.rows.back().push_back(static_cast<int>(j));
    used += widths[j];
  }
  // As many on each row as on the others, where the names allow it: rows of 3 and 3, not 4 and 2.
  const std::size_t perRow = (pieces.size() + grid.rows.size() - 1) / grid.rows.size();
  std::vector<std::vector<int>> even(1);
  double evenUsed = 0;
  bool evenFits = true;
  for (std::size_t j = 0; j < pieces.size(); ++j) {
    if (even.back().size() == perRow) even.emplace_back(), evenUsed = 0;
    even.back().push_back(static_cast<int>(j));
    evenUsed += widths[j];
    evenFits = evenFits && evenUsed <= kGridRight - kGridLeft;
  }
  if (evenFits && even.size() == grid.rows.size()) grid.rows = even;
  if (grid.rows.size() > 4 || (grid.rows.size() > 1 && rowStep(grid.rows.size()) - kPieceHeight / 2.0 - tallest / 2 < kOtherRowGap))
    return std::nullopt;
  for (const std::vector<int>& row : grid.rows) {
    double total = 0;
    for (const int j : row) total += widths[static_cast<std::size_t>(j)];
    const double spare = (kGridRight - kGridLeft - total) / static_cast<double>(row.size());
    double right = kGridRight - spare / 2;
    for (const int j : row) {
      grid.pieceLeft[static_cast<std::size_t>(j)] = right - 60 - kPieceWidth;
      right -= widths[static_cast<std::size_t>(j)] + spare;
    }
  }
  return grid;
}

}  // namespace

std::string tileKey(int number) { return "tile-" + std::to_string(number); }
std::string diskKey(int number) { return "disk-" + std::to_string(number); }

std::unique_ptr<PlannedBoard> planBoard(cairo_t* cr, const BoardFile& file, Problems& problems) {
  auto plan = std::make_unique<PlannedBoard>();
  PlannedBoard& p = *plan;
  const auto keep = [&](std::string text) -> std::string_view { return p.texts.emplace_back(std::move(text)); };
  const std::string_view sentence = keep(file.sentence);
  p.sentenceLine = file.sentenceLine;
  p.instructionLine = file.instructionLine;

  // The sentence at the largest size whose words, one gap apart, fit between the margins.
  const int wordCount = art::wordCount(sentence);
  double size = kLargestSentence;
  std::vector<ArabicText> words;
  double width = 0;
  for (;; size *= 0.96) {
    words.clear();
    width = 0;
    for (int k = 0; k < wordCount; ++k) {
      const art::ByteRange r = art::wordOf(sentence, k);
      words.emplace_back(cr, sentence.substr(r.start, r.length), kNaskh, size);
      width += words.back().ink().width;
    }
    width += 0.5 * size * (wordCount - 1);
    if (width <= art::kPageWidth - 2 * kSideMargin) break;
    if (size * 0.96 < kSmallestSentence) {
      // Said in letters, as a teacher counts them: how many it has, and about how many would fit at
      // the smallest size a pupil reads well, judged by this sentence's own letters.
      const long long letters = lettersIn(file.sentence);
      const long long fit = static_cast<long long>(letters * (art::kPageWidth - 2 * kSideMargin) /
                                                   (width * kSmallestSentence / size));
      problems.push_back({file.sentenceLine,
                          "في الجملة " + counted(letters, kLetters) + "، واللوحة تتسع لنحو " + numberThen(fit, kLetters) +
                              " منها (لا تُعدّ العلامات ولا المسافات). يُرجى اختصارها، أو جعلها جملتين في لوحتين.",
                          "the sentence has " + std::to_string(letters) + " letters, and the board fits about " +
                              std::to_string(fit) + " of them (marks and spaces not counted). Shorten it, or make it two boards."});
      return nullptr;
    }
  }

  // Where each group's first letters stand once the words are placed right to left, centred.
  const double gap = 0.5 * size;
  const double end = (art::kPageWidth + width) / 2;
  std::vector<double> wordX(static_cast<std::size_t>(wordCount));
  double used = 0;
  for (int k = 0; k < wordCount; ++k) {
    const ArabicText& w = words[static_cast<std::size_t>(k)];
    wordX[static_cast<std::size_t>(k)] = end - used - gap * k - w.ink().right();
    used += w.ink().width;
  }
  const std::size_t n = file.groups.size();
  std::vector<double> wanted;
  for (const Group& g : file.groups) {
    const Letters& first = g.runs.front();
    const art::ByteRange word = art::wordOf(sentence, first.word);
    art::ByteRange letters = art::bytesOf(sentence, first);
    letters.start -= word.start;
    wanted.push_back(wordX[static_cast<std::size_t>(first.word)] + words[static_cast<std::size_t>(first.word)].inkOf(letters).centreX());
  }
  const std::vector<double> centres = spread(wanted, kCircleWidth + kCircleGap, 400 + kCircleWidth / 2.0,
                                             art::kPageWidth - 400 - kCircleWidth / 2.0);

  // The pieces: the groups' skills and the decoys', in an order of their own, the same for the same
  // file, so the number on a piece tells nothing of its circle.
  for (std::size_t i = 0; i < n; ++i) p.pieces.push_back({file.groups[i].skill, file.groups[i].skillLine, static_cast<int>(i)});
  for (const Decoy& d : file.decoys) p.pieces.push_back({d.skill, d.line, -1});
  std::uint32_t seed = 2166136261u;
  for (const unsigned char c : file.sentence) seed = (seed ^ c) * 16777619u;
  const std::vector<Piece> inOrder = p.pieces;
  for (std::size_t i = p.pieces.size(); i > 1; --i) {
    seed = seed * 1664525u + 1013904223u;
    std::swap(p.pieces[i - 1], p.pieces[(seed >> 8) % i]);
  }
  if (p.pieces.size() > 1 && std::equal(p.pieces.begin(), p.pieces.end(), inOrder.begin(),
                                        [](const Piece& a, const Piece& b) { return a.skill == b.skill; }))
    std::rotate(p.pieces.begin(), p.pieces.begin() + 1, p.pieces.end());

  // The grid at the largest names size at which every row fits.
  const int count = static_cast<int>(p.pieces.size());
  std::optional<Grid> grid;
  for (double names = kLargestNames; !grid && names >= kSmallestNames; names *= 0.96) grid = gridAt(cr, p.pieces, names);
  if (!grid) {
    std::size_t longest = 0;
    for (std::size_t j = 0; j < p.pieces.size(); ++j)
      if (codePointsIn(p.pieces[j].skill) > codePointsIn(p.pieces[longest].skill)) longest = j;
    problems.push_back({p.pieces[longest].skillLine, "أسماء المهارات أطول من أن تتسع لها اللوحة. يُرجى اختصار هذا الاسم، أو تقليل المهارات.",
                        "the skills' names are too long to fit on the board. Shorten this one, or ask fewer skills."});
    return nullptr;
  }
  const int rows = static_cast<int>(grid->rows.size());

  // ---- The layout table, topmost first, as the program's own boards stack theirs.
  auto& c = p.controls;
  c.push_back({.Name = names::kBoardBack, .Left = 240, .Top = 3900, .Width = 1815, .Height = 735});
  c.push_back({.Name = names::kWebSite, .Left = 480, .Top = 8280, .Width = 2055, .Height = 735,
               .MousePointer = kPointerCrosshair});
  // Beside the back button, where a pupil looks after a drop; only one is ever shown.
  c.push_back({.Name = names::kWrongMark, .Left = 2760, .Top = 3705, .Width = 1080, .Height = 1170,
               .Picture = PictureId::MarkNo, .Visible = false, .Stretch = true});
  c.push_back({.Name = names::kRightMark, .Left = 2745, .Top = 3600, .Width = 1080, .Height = 1170,
               .Picture = PictureId::MarkYes, .Visible = false, .Stretch = true});
  for (std::size_t i = 0; i < n; ++i)
    c.push_back({.Name = names::kKeys, .Index = static_cast<std::int16_t>(i), .Left = short16(12600 - static_cast<Twips>(i) * 900),
                 .Top = 8280, .Width = 900, .Height = 660, .Picture = i == 0 ? PictureId::KeyDisk1 : PictureId::KeyDisk2,
                 .DragIcon = i == 0 ? PictureId::KeyDisk1 : PictureId::KeyDisk2, .Tag = keep(std::to_string(i + 1)),
                 .Visible = false, .Stretch = true, .DragMode = kDragAutomatic});
  const double step = rowStep(grid->rows.size());
  for (int j = 0; j < count; ++j) {
    const Piece& piece = p.pieces[static_cast<std::size_t>(j)];
    int row = 0;
    while (std::find(grid->rows[static_cast<std::size_t>(row)].begin(), grid->rows[static_cast<std::size_t>(row)].end(), j) ==
           grid->rows[static_cast<std::size_t>(row)].end())
      ++row;
    const double middleY = kGridTop + row * step;
    const int number = j + 1;
    // A piece that fits circle i carries circle i's key as its tag; a decoy, a number no key has.
    const int tag = piece.circle >= 0 ? piece.circle + 1 : static_cast<int>(n) + 1 + j;
    c.push_back({.Name = names::kPieces, .Index = static_cast<std::int16_t>(j), .Left = short16(whole(grid->pieceLeft[static_cast<std::size_t>(j)])),
                 .Top = short16(whole(middleY - kPieceHeight / 2.0)), .Width = kPieceWidth, .Height = kPieceHeight,
                 .Picture = PictureKey::packed(keep(tileKey(number))),
                 .DragIcon = number <= kCatalogueDisks ? PictureKey(pictureAt(static_cast<std::size_t>(PictureId::Disk1) + number - 1))
                                                       : PictureKey::packed(keep(diskKey(number))),
                 .Tag = keep(std::to_string(tag)), .Stretch = true, .DragMode = kDragAutomatic});
    p.skills.push_back(keep(piece.skill));
  }
  for (std::size_t i = 0; i < n; ++i)
    c.push_back({.Name = names::kCircles, .Index = static_cast<std::int16_t>(i),
                 .Left = short16(whole(centres[i] - kCircleWidth / 2.0)), .Top = kCircleTop, .Width = kCircleWidth,
                 .Height = kCircleHeight, .Stretch = true, .DragMode = kDragAutomatic});
  c.push_back({.Name = names::kBackdrop, .Left = 0, .Top = 0, .Width = 13575, .Height = 9135,
               .Picture = PictureKey::packed(kBackdropKey), .Stretch = true});

  p.form = {.Name = "Lesson", .Caption = keep(file.title), .ClientLeft = 660, .ClientTop = 2010,
            .ClientWidth = packs::kBoardWidth, .ClientHeight = packs::kBoardHeight, .Icon = PictureId::AppIcon,
            .StartUpPosition = kStartUpManual, .Controls = p.controls};

  // ---- What the backdrop draws.
  const std::vector<Rgb> colours = groupColours(n);
  for (std::size_t i = 0; i < n; ++i) {
    const Group& g = file.groups[i];
    const std::string_view sentenceText = sentence;
    const auto textOf = [&](const Letters& l) {
      const art::ByteRange r = art::bytesOf(sentenceText, l);
      return keep(std::string(sentenceText.substr(r.start, r.length)));
    };
    p.circles.push_back({g.runs.front(), textOf(g.runs.front()), colours[i], CircleKind::Drawn});
    for (std::size_t k = 1; k < g.runs.size(); ++k) p.alsoColoured.push_back({g.runs[k], textOf(g.runs[k]), colours[i], CircleKind::Drawn});
    p.groupLines.push_back(g.line);
  }
  // Only the names the teacher wrote: a block she left out stays blank. The programming line is the
  // program's own, under the web site's hot spot that every board keeps.
  p.credits = {
      .idea = file.teacher.empty() ? CreditBlock{} : CreditBlock{"إعداد", keep(file.teacher)},
      .school = file.school.empty() ? CreditBlock{} : CreditBlock{keep(file.school), ""},
      .programming = layouts::kCredits.programming,
  };
  const BoardColours& theme = kTeacherColours;
  p.content = {
      .form = &p.form,
      .ground = Ground::Flat,
      .groundColour = theme.ground,
      .tileRing = theme.tileRing,
      .sentence = sentence,
      .sentenceSize = size,
      .baselineY = kSentenceBaseline,
      .circles = p.circles,
      .alsoColoured = p.alsoColoured,
      .instruction = keep(file.instruction),
      .instructionColour = theme.instruction,
      .instructionSize = 560,
      .skills = p.skills,
      .skillColour = theme.text,
      .skillSize = grid->nameSize,
      .ornament = rows <= 2 ? Ornament::Swoosh : Ornament::Nothing,
      .ornamentColour = theme.ornament,
      .ornamentTop = 7000,
      .ornamentBottom = 8050,
      .credits = theme.credits,
      .creditWords = &p.credits,
      .menuLabel = {},
  };
  return plan;
}

}  // namespace wizlo::maker
