#pragma once
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "forms/runtime.hpp"
#include "packs/board_pack.hpp"
#include "packs/pack_pictures.hpp"
#include "platform/services.hpp"
#include "platform/user_file.hpp"

namespace wizlo {

// A teacher's board opened alone from its pack: shown as the form packs::kBoardFormName, played by
// the same Board as the program's own boards; its back hot spot unloads it, and with it the last
// form, so the program ends.
class Lesson {
 public:
  // The pack's bytes read, every field checked and every picture decoded; throws packs::PackError.
  static std::unique_ptr<Lesson> read(std::vector<std::uint8_t> pack);
  // The same, from a file a person named; its problems say so in the same words.
  static std::unique_ptr<Lesson> read(platform::FileBytes file);

  const FormLayout& layout() const { return pack_->layout(); }
  PictureSource pictures() const { return pictures_->source(); }
  // Tells the runtime how to make the board.
  void define(Runtime& runtime, const platform::Services& services) const;
  // Runs the program on the backend: the lesson's board alone, or the menu where there is no lesson.
  // The program's status; the runtime reports its own failures once the first form is asked for.
  static int run(Backend& backend, const platform::Services& services, const Lesson* lesson);

 private:
  std::unique_ptr<const packs::BoardPack> pack_;
  std::unique_ptr<packs::PackPictures> pictures_;
};

}  // namespace wizlo
