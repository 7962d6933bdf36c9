#include <string_view>
#include <vector>

#include "assets/generator/backdrops/credits.hpp"
#include "assets/generator/backdrops/decor.hpp"
#include "assets/generator/backdrops/forms.hpp"
#include "assets/generator/backdrops/placement.hpp"
#include "assets/generator/draw/shapes.hpp"
#include "assets/generator/text/arabic_text.hpp"
#include "pages/form6.hpp"
#include "pages/form7.hpp"

namespace wizlo::art {
namespace {

constexpr double kRightEdge = kPageWidth - 650;

struct Picked {
  int word, letter, count;
  Colour colour;
};

struct Line {
  std::string_view text;
  Colour colour;
  std::vector<Picked> picked;
};

// The passage, right-aligned, at one size that lets the longest line fit.
void drawPassage(cairo_t* cr, const std::vector<Line>& lines, double maxSize, double firstBaseline, double step,
                 double leftLimit) {
  double size = maxSize;
  for (const Line& l : lines) {
    ArabicText probe(cr, l.text, kNaskh, maxSize);
    const double room = kRightEdge - leftLimit;
    if (probe.ink().width > room) size = std::min(size, maxSize * room / probe.ink().width);
  }
  for (std::size_t i = 0; i < lines.size(); ++i) {
    ArabicText t(cr, lines[i].text, kNaskh, size);
    for (const Picked& p : lines[i].picked) t.colour(lettersOf(lines[i].text, p.word, p.letter, p.count), p.colour);
    const Box ink = t.ink();
    const double x = kRightEdge - ink.right(), y = firstBaseline + step * i - t.baseline();
    t.paint(x + 14, y + 20, kBlack.withAlpha(0.13));
    t.paint(x, y, lines[i].colour);
  }
}

}  // namespace

void drawFirstPracticePage(cairo_t* cr) {
  const FormLayout& form = layouts::Form6;
  paintGradient(cr, kPageWidth, 0, 0, kPageHeight,
                {{0, kWhite}, {0.35, Colour::hex(0xFEF3E6)}, {1, Colour::hex(0xF6CC9A)}});
  const Colour red = Colour::hex(0xC8102E);
  drawPassage(cr,
              {{"خَرَجَ الْوَلَدُ إِلَى حَقْلٍ قَرِيبٍ مِنْ بَيْتِهِ،", kBlack, {}},
               {"فَرَأَى فَلَّاحًا يُمْسِكُ مِحْرَاثَهُ، وَيَعْمَلُ بِجِدٍّ وَنَشَاطٍ.", red, {}},
               {"فَاقْتَرَبَ مِنْهُ وَأَخَذَ يُرَاقِبُهُ، ثُمَّ سَلَّمَ عَلَيْهِ،", kBlack, {}},
               {"وَسَأَلَهُ: أَلَا تَتْعَبُ مِنْ هَذَا الْعَمَلِ يَا عَمِّي؟", red, {}}},
              900, 1500, 1450, 650);
  drawBackButton(cr, boxOf(controlOf(form, "Image6").rect()));
  drawCredits(cr,
              {.programming = {350, 7700, 3000, 850}, .top = 7700, .bottom = 8550, .schoolAtRight = true,
               .schoolSize = 340},
              {.role = kBlack, .name = kBlack, .school = kBlack, .programming = kBlack});
}

void drawSecondPracticePage(cairo_t* cr) {
  const FormLayout& form = layouts::Form7;
  paintFlat(cr, Colour::hex(0xF9D7A7));
  const Colour pink = Colour::hex(0xE0307F), teal = Colour::hex(0x00897B), green = Colour::hex(0x2E9D2E),
               yellow = Colour::hex(0xE0A800), purple = Colour::hex(0x8E24AA), red = Colour::hex(0xD32F2F),
               blue = Colour::hex(0x1E5BD8), orange = Colour::hex(0xF06A00);
  drawPassage(cr,
              {{"فِي وَطَنِنَا الْغَالِي مُدُنٌ سَاحِلِيَّةٌ جَمِيلَةٌ،", kBlack,
                {{0, 1, 1, pink}, {4, 1, 1, green}, {5, 4, 1, teal}}},
               {"وَمِنْهَا مَدِينَةٌ تُسَمَّى عَرُوسَ الْبَحْرِ الْأَحْمَرِ،", kBlack,
                {{1, 4, 1, red}, {3, 2, 1, purple}, {4, 1, 1, orange}}},
               {"فِيهَا مَطَارٌ دَوْلِيٌّ كَبِيرٌ، وَمِينَاءٌ إِسْلَامِيٌّ،", kBlack,
                {{1, 2, 1, blue}, {4, 5, 1, red}, {5, 0, 1, yellow}}},
               {"وَوَاجِهَةٌ بَحْرِيَّةٌ تُزَيِّنُهَا الْمُجَسَّمَاتُ الْجَمِيلَةُ،", kBlack,
                {{0, 5, 1, teal}, {2, 2, 1, green}, {3, 1, 1, purple}}},
               {"وَفِيهَا أَعْلَى نَافُورَةٍ بَحْرِيَّةٍ فِي الْعَالَمِ.", kBlack,
                {{1, 0, 1, pink}, {2, 3, 1, blue}, {2, 5, 1, orange}}}},
              800, 1150, 1180, 650);
  drawBackButton(cr, boxOf(controlOf(form, "Image6").rect()));
  const Colour brown = Colour::hex(0x7A4A1E), olive = Colour::hex(0x66661E);
  drawCredits(cr,
              {.programming = {350, 7550, 3000, 900}, .top = 7550, .bottom = 8450, .schoolAtRight = true,
               .schoolSize = 340},
              {.role = olive, .name = brown, .school = brown, .programming = kBlack});
}

}  // namespace wizlo::art
