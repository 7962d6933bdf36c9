#include "assets/generator/backdrops/name_gaps.hpp"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <limits>
#include <optional>
#include <stdexcept>

#include "assets/control_names.hpp"
#include "assets/generator/backdrops/placement.hpp"
#include "assets/generator/draw/shapes.hpp"
#include "assets/generator/text/numeral.hpp"

namespace wizlo::art {
namespace {

// A pixel counts as ink where its outline covers a quarter of it, as the legibility tests count it.
constexpr std::uint8_t kInk = 64;

std::optional<int> pieceOfLabel(std::string_view name) {
  int piece = -1, end = 0;
  const std::string text(name);
  if (std::sscanf(text.c_str(), "c(%d) label%n", &piece, &end) == 1 && end == static_cast<int>(text.size()) &&
      piece >= 0)
    return piece;
  return std::nullopt;
}

// The nearest each name's ink comes to each box, in pixels of the image, from the middle of each
// inked pixel, in any direction.
std::vector<double> gapsFrom(const std::vector<std::uint8_t>& coverage, int width, std::span<const Box> boxes) {
  std::vector<double> nearest(boxes.size(), std::numeric_limits<double>::infinity());
  for (std::size_t i = 0; i < coverage.size(); ++i) {
    if (coverage[i] < kInk) continue;
    const double x = static_cast<double>(i % width) + 0.5, y = static_cast<double>(i / width) + 0.5;
    for (std::size_t b = 0; b < boxes.size(); ++b) {
      const Box& box = boxes[b];
      if (box.width <= 0) continue;
      const double dx = std::max({box.x - x, 0.0, x - box.right()}), dy = std::max({box.y - y, 0.0, y - box.bottom()});
      nearest[b] = std::min(nearest[b], std::hypot(dx, dy));
    }
  }
  return nearest;
}

// "7.5" as an Arabic line writes it: "٧٫٥".
std::string arabicDecimal(double v) {
  const long tenths = std::lround(v * 10);
  return arabicIndic(static_cast<int>(tenths / 10)) + "٫" + arabicIndic(static_cast<int>(tenths % 10));
}

}  // namespace

std::vector<Box> pieceBoxesOf(const FormLayout& board) {
  std::vector<Box> boxes;
  for (const ImageLayout* piece : visibleArray(board, names::kPieces)) {
    const auto index = static_cast<std::size_t>(*piece->Index);
    if (boxes.size() <= index) boxes.resize(index + 1);
    boxes[index] = boxOf(piece->rect());
  }
  return boxes;
}

std::string labelName(int piece) { return "c(" + std::to_string(piece) + ") label"; }

std::string NameGapFault::describe() const {
  const auto n = [](int piece) { return arabicIndic(piece + 1); };
  char english[200];
  std::snprintf(english, sizeof english,
                "the name of piece %d is %.1f px from piece %d, whose own name is %.1f px from it: every other name "
                "must keep at least %.0f px from a piece, and twice as far as its own name.",
                other + 1, otherPx, piece + 1, ownPx, kLeastOtherNameGapPx);
  return "اسم القطعة " + n(other) + " على بعد " + arabicDecimal(otherPx) + " بكسل من القطعة " + n(piece) +
         "، واسمها على بعد " + arabicDecimal(ownPx) + " بكسل منها: يلزم أن يبعد كل اسم آخر عن القطعة " +
         arabicIndic(static_cast<int>(kLeastOtherNameGapPx)) + " بكسل على الأقل، وضعفَ بعد اسمها.\n" + english;
}

std::vector<PieceNameGaps> nameGaps(const InkPixels& pixels, const InkMap& ink, std::span<const Box> pieces) {
  const int width = pixels.width();
  const double toImage = width / kPageWidth;       // twips to the image's pixels
  const double onePx = width / (kPageWidth / 15);  // a pixel at 1x, in the image's pixels
  std::vector<Box> boxes;
  for (const Box& p : pieces) boxes.push_back({p.x * toImage, p.y * toImage, p.width * toImage, p.height * toImage});
  // gaps[name's piece][piece]: how near that name comes to that piece, at 1x.
  std::vector<std::vector<double>> gaps(pieces.size());
  for (const InkPart& part : ink.parts()) {
    if (part.kind != InkKind::Label) continue;
    const std::optional<int> owner = pieceOfLabel(part.name);
    if (!owner || static_cast<std::size_t>(*owner) >= pieces.size())
      throw std::out_of_range(part.name + " names no piece of the board");
    std::vector<double> g = gapsFrom(pixels.coverage(part), width, boxes);
    for (double& d : g) d /= onePx;
    gaps[static_cast<std::size_t>(*owner)] = std::move(g);
  }
  std::vector<PieceNameGaps> out;
  for (std::size_t p = 0; p < pieces.size(); ++p) {
    if (pieces[p].width <= 0 || gaps[p].empty()) continue;
    PieceNameGaps row{static_cast<int>(p), gaps[p][p], -1, 0};
    for (std::size_t q = 0; q < pieces.size(); ++q)
      if (q != p && !gaps[q].empty() && (row.nearestOther < 0 || gaps[q][p] < row.otherPx))
        row.nearestOther = static_cast<int>(q), row.otherPx = gaps[q][p];
    out.push_back(row);
  }
  return out;
}

std::vector<NameGapFault> nameGapFaults(const InkPixels& pixels, const InkMap& ink, std::span<const Box> pieces) {
  std::vector<NameGapFault> faults;
  for (const PieceNameGaps& g : nameGaps(pixels, ink, pieces))
    if (g.nearestOther >= 0 &&
        (g.otherPx < kLeastOtherNameGapPx || g.otherPx < kOtherNameGapToOwn * g.ownPx))
      faults.push_back({g.piece, g.nearestOther, g.ownPx, g.otherPx});
  return faults;
}

void requireOwnNamesNearest(const InkPixels& pixels, const InkMap& ink, std::span<const Box> pieces,
                            std::string_view picture) {
  const std::vector<NameGapFault> faults = nameGapFaults(pixels, ink, pieces);
  if (!faults.empty()) throw std::runtime_error(std::string(picture) + ": " + faults.front().describe());
}

}  // namespace wizlo::art
