#pragma once
#include <cairo.h>

#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "assets/generator/draw/owned.hpp"
#include "assets/generator/draw/shapes.hpp"

// Where a backdrop put each thing a pupil has to pick out of it, outline by outline in twips, kept
// as it is drawn: a test can find those very pixels in the image again and measure them.
namespace wizlo::art {

enum class InkKind : std::uint8_t {
  Letters,  // letters of a sentence or passage in a colour of their own
  Ring,
  Arrow,
  Word,   // a word of a board's sentence
  Label,  // a skill's name beside its piece
  Line,   // any other line of text: an instruction, a passage line, a credit, a menu label
};

struct InkPart {
  InkKind kind;
  std::string name;
  Path outline;
  double size = 0;  // of the text, in twips; 0 for a shape
};

class InkMap {
 public:
  InkMap();
  void add(InkKind kind, std::string name, const PathMaker& outline, double size = 0);
  std::span<const InkPart> parts() const { return parts_; }

 private:
  Surface scratch_;
  Context cr_;
  std::vector<InkPart> parts_;
};

}  // namespace wizlo::art
