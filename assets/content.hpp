#pragma once
#include <cstdint>
#include <span>
#include <string_view>

#include "forms/layout.hpp"

// What the art generator draws for each form, as plain data that the content
// files (menu/form1.hpp, boards/form*.hpp, pages/form*.hpp) fill in beside the
// layout tables that place it. The generator reads all of it at build time;
// the program reads only the menu's table of which button opens which form.
namespace wizlo {

using Rgb = std::uint32_t;  // a colour, 0xRRGGBB

// The pale mint of the menu, of the disk board and of every disk.
inline constexpr Rgb kMint = 0xD2F9E6;

// `count` letters of a line of text from letter `letter` of word `word` (both
// counted in reading order from 0, marks belonging to the letter before them),
// or only the marks on that letter.
struct Letters {
  int word = 0, letter = 0, count = 1;
  bool marksOnly = false;
};

// What the menu's button for a form says; a rainbow label takes a colour a letter.
struct MenuLabel {
  std::string_view text;
  bool rainbow = false;
};

// The colours of the three credit blocks along the foot of a backdrop.
struct CreditColours {
  Rgb role = 0;         // the small heading line of each block
  Rgb name = 0;         // the line under it
  Rgb school = 0;       // the school's name
  Rgb programming = 0;  // both lines of the programming block
};

// ---- A matching board -------------------------------------------------------------------------

// A spare circle has no ring or arrow; it may lie over a letter of the sentence.
enum class CircleKind : std::uint8_t { Drawn, SpareOverLetter, SpareOnBlank };

// Letters of the sentence in a colour of their own. As circles[i] of a board
// they are what g(i) points at, and its ring and arrow take their colour.
// `names` is the text of the letters the circle's key is about, as a teacher
// would write them ("و" for the long vowel of سعود); a test reads the drawn
// colours back and holds them to it.
struct MarkedLetters {
  Letters letters;
  std::string_view names;
  Rgb colour = 0;
  CircleKind kind = CircleKind::Drawn;
};

struct Credits;

enum class Ground : std::uint8_t { Shaded, Flat };  // shaded: darkening towards the foot
enum class Ornament : std::uint8_t { Nothing, WaveBand, Swoosh };

// Everything a board's backdrop draws besides what its layout places: the
// sentence with its coloured letters, the instruction, a skill name beside
// each piece, the ornament and the credits. Sizes and places are in twips.
struct BoardContent {
  const FormLayout* form;
  Ground ground = Ground::Flat;
  Rgb groundColour = 0;
  Rgb tileRing = 0;  // the ring of the tiles its pieces show, where they are tiles
  std::string_view sentence;
  double sentenceSize = 0, baselineY = 0;
  std::span<const MarkedLetters> circles = {};       // by circle index
  std::span<const MarkedLetters> alsoColoured = {};  // coloured letters without an arrow of their own
  std::string_view instruction;
  Rgb instructionColour = 0;
  double instructionSize = 0;
  double instructionY = 0;  // the line's middle, in twips; 0: level with the back button
  std::span<const std::string_view> skills = {};  // the name beside piece c(j), by piece index
  Rgb skillColour = 0;
  double skillSize = 0;  // the largest the names may take, in twips: they take the largest all fit at
  Ornament ornament = Ornament::Nothing;
  Rgb ornamentColour = 0;
  double ornamentTop = 0, ornamentBottom = 0;
  CreditColours credits;
  const Credits* creditWords = nullptr;  // none: the program's own, the menu's kCredits
  MenuLabel menuLabel;
};

// The names beside the small pieces of the boards that have them: one size on all, which the
// tightest of their rows fits (beside Form5's back button). The large disks leave room for more.
inline constexpr double kTileSkillSize = 480;
// The least a name beside a piece may shrink to, to make room: 30 px em at 1x.
inline constexpr double kLeastSkillSize = 450;

// ---- A practice page --------------------------------------------------------------------------

struct PassageLine {
  std::string_view text;
  Rgb colour = 0;
};

// Letters of line `line` of a passage, picked out in a colour of their own.
struct PickedLetters {
  int line = 0;
  Letters letters;
  Rgb colour = 0;
};

struct GroundStop {
  double at = 0;
  Rgb colour = 0;
};

struct PageContent {
  const FormLayout* form;
  // One stop: a flat ground. More: shading from the top-right corner to the bottom-left.
  std::span<const GroundStop> ground = {};
  std::span<const PassageLine> passage = {};  // right-aligned, at one size that lets the longest line fit
  std::span<const PickedLetters> picked = {};
  double passageSize = 0;  // the largest; a long line makes every line smaller
  double firstBaseline = 0, lineStep = 0;
  double creditsTop = 0, creditsBottom = 0;
  CreditColours credits;
  MenuLabel menuLabel;
};

// ---- The menu ---------------------------------------------------------------------------------

struct TitleLine {
  std::string_view text;
  double centreY = 0;
};

struct MenuContent {
  const FormLayout* form;
  Rgb ground = 0, groundFoot = 0;  // shading from the top to the foot
  std::span<const TitleLine> title = {};
  double titleCentreX = 0;
  double titleSize = 0, titleWidth = 0;  // every line at the largest size up to titleSize that fits titleWidth
  Rgb bannerFill = 0, bannerEdge = 0;
  std::span<const Rgb> rainbow = {};  // a rainbow label's letters take these in turn
  double boardLabelSize = 0, pageLabelSize = 0;  // the largest, for the two kinds of button
  CreditColours credits;
};

// A hot spot of the menu and the form it opens: a board or a practice page.
struct MenuButton {
  constexpr MenuButton(std::string_view spot, const BoardContent& opens)
      : hotSpot(spot), board(&opens), form_(opens.form), label_(&opens.menuLabel) {}
  constexpr MenuButton(std::string_view spot, const PageContent& opens)
      : hotSpot(spot), page(&opens), form_(opens.form), label_(&opens.menuLabel) {}

  constexpr const FormLayout& form() const { return *form_; }
  constexpr const MenuLabel& label() const { return *label_; }

  std::string_view hotSpot;
  const BoardContent* board = nullptr;  // one of these two is set
  const PageContent* page = nullptr;

 private:
  // Kept apart from `board` and `page`, so a constant expression never has to
  // ask which of them is null: with the sanitizers on, GCC will not decide that.
  const FormLayout* form_;
  const MenuLabel* label_;
};

struct CreditBlock {
  std::string_view heading, line;  // an empty line: the heading alone
};

// The credits every backdrop shows. They name roles, not people, and a school of our own.
struct Credits {
  CreditBlock idea, school, programming;
};

}  // namespace wizlo
