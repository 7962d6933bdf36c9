#pragma once
#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "forms/form.hpp"

namespace wizlo::testing {

// What must hold on a board after every event of a visit, whatever the
// pupil did. Taken against the pieces the visit started with:
//
// - A pool slot holds its own piece or nothing. Only a drop on an empty slot
//   puts a picture into it, and only the picture of a source with the slot's
//   own tag; the pieces' tags differ, a filled circle is disabled and cannot
//   be dragged, an empty circle's tag is empty: so that source is the slot.
// - A filled circle holds the piece its key names, carries its key's tag and
//   is disabled, and that piece's slot is empty. An empty circle is enabled
//   and has no tag.
// - So every piece shown at load is in exactly one visible place: nothing is
//   lost, nothing is doubled, and pool plus circles never exceed the pieces.
// - At most one of the two marks shows.
class BoardWatch {
 public:
  // Remembers the pieces of a board as a fresh visit shows them.
  explicit BoardWatch(Form& board);

  // The first thing found wrong, or nothing.
  std::optional<std::string> check(Form& board) const;

  std::size_t pieces() const { return faces_.size(); }

 private:
  struct Piece {
    std::int16_t slot;
    std::string tag;
    const Artwork* face;
  };
  std::vector<Piece> faces_;
  std::int16_t slots_ = 0;
  std::int16_t circles_ = 0;
};

// "Imy and Imn both show", or nothing.
std::optional<std::string> checkMarks(Form& board);

// The number of items of a control array.
std::int16_t arraySize(Form& form, std::string_view name);

}  // namespace wizlo::testing
