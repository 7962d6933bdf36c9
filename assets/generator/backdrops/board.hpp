#pragma once
#include <cairo.h>

#include <string>
#include <string_view>
#include <vector>

#include "assets/generator/draw/colour.hpp"
#include "forms/layout.hpp"

// A matching board's backdrop: the sentence with its coloured letters, a ring
// and an arrow for every circle, the back button, the instruction, the skill
// names beside the pieces, an ornament and the credits.
namespace wizlo::art {

// Letters of the sentence: `count` letters from letter `letter` of word
// `word` (both counted in reading order from 0), or only the marks on that
// letter.
struct Letters {
  int word = 0, letter = 0, count = 1;
  bool marksOnly = false;
};

// A spare circle has no ring or arrow; it may lie over a letter of the sentence.
enum class CircleKind { Drawn, SpareOverLetter, SpareOnBlank };

// circles[i] is what g(i) points at: its ring and arrow take the colour of
// those letters. `names` is the text of the letters the circle's key is about,
// as a teacher would write them ("و" for the long vowel of سعود); a test reads
// the drawn colours back and holds them to it.
struct MarkedLetters {
  Letters letters;
  std::string_view names;
  Colour colour;
  CircleKind kind = CircleKind::Drawn;
};

enum class Ground { MintShading, Flat };
enum class Ornament { None, WaveBand, Swoosh };

struct BoardContent {
  const FormLayout* form;
  Ground ground;
  Colour groundColour;
  std::string_view sentence;
  double sentenceSize;
  double baselineY;
  std::vector<MarkedLetters> circles;      // by circle index
  std::vector<MarkedLetters> alsoColoured;  // coloured letters without an arrow of their own
  std::string_view instruction;
  Colour instructionColour;
  double instructionSize;
  std::vector<std::string_view> skills;  // the name beside piece c(j)
  Colour skillColour;
  double skillSize;
  Ornament ornament;
  Colour ornamentColour;
  double ornamentTop, ornamentBottom;
  Colour creditColour, creditSchoolColour;
};

void drawBoard(cairo_t* cr, const BoardContent& board);

// The letters of the sentence that the drawing shows in `colour`, in reading order, read back from
// the shaped text exactly as it is painted.
std::string lettersDrawnIn(cairo_t* cr, const BoardContent& board, Colour colour);

const BoardContent& appleBoard();        // Form2
const BoardContent& bookBoard();         // Form3
const BoardContent& computerBoard();     // Form4
const BoardContent& farmingBoard();      // Form5

}  // namespace wizlo::art
