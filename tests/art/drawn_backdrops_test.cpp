// The backdrops as the program shows them, the decoded JPEGs at 1x and 2x, measured where the
// generator says each thing a pupil reads went.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <map>
#include <string>
#include <vector>

#include "assets/catalogue.hpp"
#include "assets/generator/backdrops/arrow_clearance.hpp"
#include "assets/generator/backdrops/backdrops.hpp"
#include "assets/generator/backdrops/legibility.hpp"
#include "assets/generator/backdrops/placement.hpp"
#include "assets/generator/text/arabic_text.hpp"
#include "menu/form1.hpp"

namespace wizlo::art {
namespace {

// How many groups of coloured letters a form's backdrop picks out, and how many circles it rings.
struct Shown {
  const FormLayout* form;
  std::size_t letters, circles;
};

std::vector<Shown> everyBackdrop() {
  std::vector<Shown> all{{&layouts::Form1, layouts::Form1Content.rainbow.size(), 0}};
  for (const MenuButton& button : layouts::kMenuButtons) {
    if (button.page) all.push_back({&button.form(), button.page->picked.size(), 0});
    if (!button.board) continue;
    const auto& circles = button.board->circles;
    const auto drawn = static_cast<std::size_t>(std::count_if(
        circles.begin(), circles.end(), [](const MarkedLetters& m) { return m.kind == CircleKind::Drawn; }));
    all.push_back({&button.form(), drawn, drawn});
  }
  return all;
}

// Calls check(image, ink, pixels) for each image of the form's backdrop.
template <typename Check>
void forEachImageOf(const FormLayout& form, Check check) {
  const PictureId id = form.Controls.back().Picture->id();
  for (std::size_t n = 0; n < assets::artwork(id)->imageCount(); ++n) {
    const Bitmap& image = assets::artwork(id)->image(n);
    SCOPED_TRACE(std::string(nameOf(id)) + " at " + std::to_string(image.width) + " px");
    InkMap ink;  // drawn again, for where everything went
    const Surface scratch = makeSurface(image.width, image.height);
    drawBackdrop(id, drawingOn(scratch.get()).get(), image.width, image.height, ink);
    check(image, ink, InkPixels(image.argb, image.width, ink));
  }
}

// The columns a part's ink darkens at least a quarter of a pixel in, leftmost and rightmost.
std::pair<int, int> columnsOf(const InkPixels& pixels, const InkPart& part, int width) {
  const std::vector<std::uint8_t> c = pixels.coverage(part);
  int left = width, right = -1;
  for (std::size_t i = 0; i < c.size(); ++i)
    if (c[i] >= 64) {
      left = std::min(left, static_cast<int>(i % width));
      right = std::max(right, static_cast<int>(i % width));
    }
  return {left, right};
}

TEST(DrawnBackdrops, EverythingAPupilReadsStandsOutThreeToOneFromItsGround) {
  for (const Shown& shown : everyBackdrop()) {
    forEachImageOf(*shown.form, [&](const Bitmap&, const InkMap& ink, const InkPixels& pixels) {
      std::map<InkKind, std::size_t> measured;
      std::size_t schools = 0;
      for (const InkPart& part : ink.parts()) {
        if (part.kind == InkKind::Word) continue;  // held to it by its letters
        const Standout s = pixels.standout(part);
        EXPECT_GE(s.best(), kLeastStandout) << part.name << ": its colour " << s.fill << ":1, its rim " << s.rim;
        measured[part.kind] += 1;
        schools += part.name == layouts::kCredits.school.heading;
      }
      EXPECT_EQ(measured[InkKind::Letters], shown.letters);
      EXPECT_EQ(measured[InkKind::Ring], shown.circles);
      EXPECT_EQ(measured[InkKind::Arrow], shown.circles);
      EXPECT_EQ(schools, 1u);
    });
  }
}

// A letter whose colour alone stands out less than 3:1 would read as a hollow outline; a dark rim
// still there 1.5 to 2.5 px outside it makes it read as a solid letter of that colour.
TEST(DrawnBackdrops, ColouredLettersPaleOnTheirGroundCarryARimTwoAndAHalfPixelsBroad) {
  std::size_t pale = 0;
  for (const Shown& shown : everyBackdrop()) {
    forEachImageOf(*shown.form, [&](const Bitmap&, const InkMap& ink, const InkPixels& pixels) {
      for (const InkPart& part : ink.parts()) {
        if (part.kind != InkKind::Letters || pixels.standout(part).fill >= kLeastStandout) continue;
        ++pale;
        const double outer = pixels.standout(part, 1.5, 2.5).rim;
        EXPECT_GE(outer, kLeastStandout) << part.name << ": its rim's outer pixel " << outer << ":1";
      }
    });
  }
  EXPECT_GT(pale, 0u);  // the boards have pale hues: yellow, cream, lilac
}

// The sentence's ink: its gaps even, and every arrow reaching its letters over no other letter, dot
// or mark.
TEST(DrawnBackdrops, TheSentencesGapsAreEvenAndEachArrowReachesItsLettersOverNoOtherInk) {
  for (const MenuButton& button : layouts::kMenuButtons) {
    if (!button.board) continue;
    forEachImageOf(button.form(), [&](const Bitmap& image, const InkMap& ink, const InkPixels& pixels) {
      for (const ArrowFault& f : arrowFaults(pixels, ink)) ADD_FAILURE() << f.describe();
      std::vector<int> gaps;
      int leftOfLast = -1;  // words come right to left
      for (const InkPart& part : ink.parts()) {
        if (part.kind != InkKind::Word) continue;
        const auto [left, right] = columnsOf(pixels, part, image.width);
        if (leftOfLast >= 0) gaps.push_back(leftOfLast - right - 1);
        leftOfLast = left;
      }
      ASSERT_EQ(gaps.size() + 1, static_cast<std::size_t>(wordCount(button.board->sentence)));
      const auto [narrowest, widest] = std::minmax_element(gaps.begin(), gaps.end());
      EXPECT_GT(*narrowest, 0);
      EXPECT_LE(*widest, 1.5 * *narrowest) << "gaps of " << *narrowest << " to " << *widest << " px";
    });
  }
}

// The size the generator gave a board's skill names: the smallest of them, so one name shrunk alone
// counts.
double namesSizeOn(const FormLayout& form) {
  double smallest = 0;
  forEachImageOf(form, [&](const Bitmap&, const InkMap& ink, const InkPixels&) {
    for (const InkPart& part : ink.parts())
      if (part.kind == InkKind::Label && (smallest == 0 || part.size < smallest)) smallest = part.size;
  });
  return smallest;
}

TEST(DrawnBackdrops, SkillNamesAreAsLargeOnEveryBoardAsOnForm3AndForm5sAreNotTheSmallest) {
  std::map<std::string_view, double> sizes;
  for (const MenuButton& button : layouts::kMenuButtons)
    if (button.board) sizes[button.form().Name] = namesSizeOn(button.form());
  ASSERT_GT(sizes["Form3"], 0);
  bool someAsSmallAsForm5 = false;
  for (const auto& [form, size] : sizes) {
    EXPECT_GE(size, sizes["Form3"]) << form;
    someAsSmallAsForm5 = someAsSmallAsForm5 || (form != "Form5" && size <= sizes["Form5"]);
  }
  EXPECT_TRUE(someAsSmallAsForm5) << "Form5's names, " << sizes["Form5"] << " twips, are the smallest";
}

// Marks each pixel within `reach` pixels of a pixel `inked` holds.
std::vector<bool> grown(const std::vector<bool>& inked, int width, int reach) {
  std::vector<bool> out(inked.size());
  const int height = static_cast<int>(inked.size()) / width;
  for (int y = 0; y < height; ++y)
    for (int x = 0; x < width; ++x)
      if (inked[static_cast<std::size_t>(y) * width + x])
        for (int v = std::max(0, y - reach); v <= std::min(height - 1, y + reach); ++v)
          for (int u = std::max(0, x - reach); u <= std::min(width - 1, x + reach); ++u)
            out[static_cast<std::size_t>(v) * width + u] = true;
  return out;
}

TEST(DrawnBackdrops, SkillNamesKeepThreePixelsFromEachOtherTheInstructionAndEveryControl) {
  for (const MenuButton& button : layouts::kMenuButtons) {
    if (!button.board) continue;
    forEachImageOf(button.form(), [&](const Bitmap& image, const InkMap& ink, const InkPixels& pixels) {
      const int reach = 3 * image.width / 905;
      const double scale = image.width / kPageWidth;
      std::vector<bool> taken(image.argb.size());  // the controls, the instruction and the names so far
      for (const Box& c : obstaclesOf(button.form()))
        for (int y = std::max(0, int(c.y * scale)); y < std::min(image.height, int(std::ceil(c.bottom() * scale))); ++y)
          for (int x = std::max(0, int(c.x * scale)); x < std::min(image.width, int(std::ceil(c.right() * scale))); ++x)
            taken[static_cast<std::size_t>(y) * image.width + x] = true;
      const auto inked = [&](const InkPart& part) {
        std::vector<bool> out(image.argb.size());
        const std::vector<std::uint8_t> c = pixels.coverage(part);
        for (std::size_t i = 0; i < c.size(); ++i) out[i] = c[i] >= 64;
        return out;
      };
      for (const InkPart& part : ink.parts())
        if (part.name == "instruction") {
          const std::vector<bool> line = inked(part);
          for (std::size_t i = 0; i < line.size(); ++i) taken[i] = taken[i] || line[i];
        }
      for (const InkPart& part : ink.parts()) {
        if (part.kind != InkKind::Label) continue;
        const std::vector<bool> mine = inked(part), near = grown(mine, image.width, reach);
        std::size_t met = 0;
        for (std::size_t i = 0; i < near.size(); ++i) met += near[i] && taken[i];
        EXPECT_EQ(met, 0u) << part.name << " comes within " << reach << " px of something else";
        for (std::size_t i = 0; i < mine.size(); ++i) taken[i] = taken[i] || mine[i];
      }
    });
  }
}

}  // namespace
}  // namespace wizlo::art
