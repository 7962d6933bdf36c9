#include "boards/board.hpp"

#include "assets/control_names.hpp"
#include "forms/errors.hpp"
#include "forms/runtime.hpp"
#include "platform/web_site.hpp"

namespace wizlo {

namespace {
bool isEmpty(const ImageControl& control) { return control.Picture().handle() == LoadPicture().handle(); }

// A piece leaves a control: picture first, then the drag icon.
void takePieceOut(ImageControl& control) {
  control.SetPicture(LoadPicture());
  control.SetDragIcon(LoadPicture());
}
}  // namespace

Board::Board(Runtime& runtime, const FormLayout& layout, platform::Services services)
    : Form(runtime, layout), services_(std::move(services)) {}

void Board::Click(ImageControl& target) {
  if (target.Name() == names::kBoardBack) {
    Unload();
  } else if (target.Name() == names::kWebSite) {
    services_.web.open(hWnd(), platform::kWebSiteAddress);
  }
}

void Board::DragOver(ImageControl& target, ImageControl& source, Twips /*x*/, Twips /*y*/, int state) {
  if (target.Name() == names::kPieces) poolDragOver(target, source, state);
}

void Board::DragDrop(ImageControl& target, ImageControl& source, Twips /*x*/, Twips /*y*/) {
  if (target.Name() == names::kPieces) poolDrop(target, source);
  else if (target.Name() == names::kCircles) circleDrop(target, source);
}

KeyboardReach Board::keyboardReach() const { return {names::kCircles, names::kBoardBack}; }

void Board::poolDragOver(ImageControl& slot, ImageControl& source, int state) {
  if (state == kDragLeft) {
    source.SetDragIcon(source.Picture());
    armed_ = 1;
    return;
  }
  // Only the piece over its own slot matches: on the boards that start a
  // drag with the large disk as pointer, this swaps in the piece's own face.
  if (slot.Tag() == source.Tag()) {
    armed_ = 1;
    source.SetDragIcon(source.Picture());
  }
}

void Board::poolDrop(ImageControl& slot, ImageControl& source) {
  hideMarks();
  if (!isEmpty(slot)) return;
  lastSlot_ = addInteger(*slot.Index(), 1);
  if (slot.Tag() != source.Tag()) return;
  slot.SetPicture(source.Picture());
  slot.SetDragIcon(source.Picture());
  takePieceOut(source);
}

void Board::circleDrop(ImageControl& circle, ImageControl& source) {
  if (armed_ != 1) return;
  hideMarks();
  if (!isEmpty(circle)) return;
  const std::string before = circle.Tag();
  circle.SetTag(source.Tag());
  Refresh(circle);
  ImageControl& key = control(names::kKeys, *circle.Index());
  if (key.Tag() == circle.Tag()) {
    showMark(names::kRightMark);
    runtime().backend().announce("صحيح — Right");
    circle.SetEnabled(false);
    circle.SetPicture(source.Picture());
    circle.SetDragIcon(circle.Picture());
    takePieceOut(source);
    playSound("\\yes");
  } else {
    showMark(names::kWrongMark);
    runtime().backend().announce("خطأ — Wrong");
    circle.SetTag(before);
    if (lastSlot_ > 0) {
      // The slot a wrong drop clears is, within one visit, always empty
      // already. In a later visit the piece is back in it, and clearing it
      // would lose the piece, so a full slot is left alone.
      ImageControl& slot = control(names::kPieces, static_cast<std::int16_t>(lastSlot_ - 1));
      if (isEmpty(slot)) slot.SetPicture(LoadPicture());
      lastSlot_ = 0;
    }
    playSound("\\no");
  }
  armed_ = 0;
}

void Board::hideMarks() {
  control(names::kRightMark).SetVisible(false);
  control(names::kWrongMark).SetVisible(false);
}

void Board::showMark(std::string_view name) {
  ImageControl& mark = control(name);
  mark.SetVisible(true);
  Refresh(mark);  // on screen while the sound plays
}

void Board::playSound(std::string_view which) { services_.sound.play(services_.appPath + std::string(which)); }

}  // namespace wizlo
