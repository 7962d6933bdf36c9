#include "tests/support/board_watch.hpp"

#include <set>
#include <sstream>

#include "assets/control_names.hpp"

namespace wizlo::testing {

std::int16_t arraySize(Form& form, std::string_view name) {
  std::int16_t size = 0;
  for (const ImageControl& control : form.controls().inStackingOrder())
    if (control.Name() == name && control.Index()) ++size;
  return size;
}

BoardWatch::BoardWatch(Form& board) : slots_(arraySize(board, names::kPieces)), circles_(arraySize(board, names::kCircles)) {
  for (std::int16_t j = 0; j < slots_; ++j) {
    const ImageControl& slot = board.control(names::kPieces, j);
    if (slot.Visible()) faces_.push_back({j, slot.Tag(), slot.Picture().artwork()});
  }
}

std::optional<std::string> checkMarks(Form& board) {
  if (board.control(names::kRightMark).Visible() && board.control(names::kWrongMark).Visible()) return "Imy and Imn both show";
  return std::nullopt;
}

std::optional<std::string> BoardWatch::check(Form& board) const {
  std::ostringstream wrong;
  std::map<const Artwork*, std::string> shownIn;
  auto shows = [&](const ImageControl& control) {
    const Artwork* face = control.Picture().artwork();
    if (!face || !control.Visible()) return;
    const auto [at, fresh] = shownIn.emplace(face, control.describe());
    if (!fresh) wrong << "one piece shows in " << at->second << " and " << control.describe() << "; ";
  };

  for (const Piece& piece : faces_) {
    const ImageControl& slot = board.control(names::kPieces, piece.slot);
    shows(slot);
    if (!slot.Picture().isEmpty() && slot.Picture().artwork() != piece.face)
      wrong << slot.describe() << " holds another piece than its own; ";
    if (slot.Tag() != piece.tag) wrong << slot.describe() << " changed its tag; ";
  }
  std::size_t filled = 0;
  for (std::int16_t i = 0; i < circles_; ++i) {
    const ImageControl& circle = board.control(names::kCircles, i);
    const std::string& key = board.control(names::kKeys, i).Tag();
    shows(circle);
    if (circle.Picture().isEmpty()) {
      if (!circle.Tag().empty() || !circle.Enabled()) wrong << "empty " << circle.describe() << " is not fresh; ";
      continue;
    }
    ++filled;
    if (circle.Tag() != key) wrong << circle.describe() << " carries tag " << circle.Tag() << ", key " << key << "; ";
    if (circle.Enabled()) wrong << "filled " << circle.describe() << " is enabled; ";
    bool named = false;
    for (const Piece& piece : faces_)
      if (piece.tag == key) {
        named = true;
        if (circle.Picture().artwork() != piece.face) wrong << circle.describe() << " shows another piece; ";
        if (!board.control(names::kPieces, piece.slot).Picture().isEmpty())
          wrong << "the piece in " << circle.describe() << " is still in c(" << piece.slot << "); ";
      }
    if (!named) wrong << circle.describe() << " is filled, but no shown piece fits it; ";
  }
  std::size_t inPool = 0;
  for (const Piece& piece : faces_)
    if (!board.control(names::kPieces, piece.slot).Picture().isEmpty()) ++inPool;
  if (inPool + filled != faces_.size())
    wrong << inPool << " pieces in the pool and " << filled << " in circles, of " << faces_.size() << "; ";
  if (auto marks = checkMarks(board)) wrong << *marks << "; ";

  if (wrong.str().empty()) return std::nullopt;
  return wrong.str();
}

}  // namespace wizlo::testing
