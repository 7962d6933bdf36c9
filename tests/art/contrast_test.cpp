// Whatever a pupil has to read or pick out stands out from the ground around it, by its own colour
// or by its rim, measured on the very pixels the program shows: the decoded JPEG, not the drawing.
#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <string>

#include "assets/catalogue.hpp"
#include "assets/generator/backdrops/backdrops.hpp"
#include "assets/generator/backdrops/legibility.hpp"
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
    const auto drawn = static_cast<std::size_t>(
        std::count_if(circles.begin(), circles.end(), [](const MarkedLetters& m) { return m.kind == CircleKind::Drawn; }));
    all.push_back({&button.form(), drawn, drawn});
  }
  return all;
}

TEST(Contrast, EverythingAPupilReadsStandsOutThreeToOneOnTheDecodedBackdrops) {
  for (const Shown& shown : everyBackdrop()) {
    const PictureId id = *shown.form->Controls.back().Picture;
    for (std::size_t n = 0; n < assets::artwork(id)->imageCount(); ++n) {
      const Bitmap& image = assets::artwork(id)->image(n);
      SCOPED_TRACE(std::string(nameOf(id)) + " at " + std::to_string(image.width) + " px");
      InkMap ink;  // drawn again, for where everything went
      const Surface scratch = makeSurface(image.width, image.height);
      drawBackdrop(id, drawingOn(scratch.get()).get(), image.width, image.height, ink);
      const InkPixels pixels(image.argb, image.width, ink);
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
    }
  }
}

}  // namespace
}  // namespace wizlo::art
