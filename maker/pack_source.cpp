#include "maker/pack_source.hpp"

#include <string>

#include "maker/plan.hpp"
#include "packs/board_pack.hpp"
#include "packs/pack_error.hpp"

namespace wizlo::maker {
namespace {

LinkedBoard refused(std::string arabic, std::string english) { return {std::nullopt, {0, std::move(arabic), std::move(english)}}; }

}  // namespace

LinkedBoard boardFileOfPack(std::vector<std::uint8_t> pack) {
  std::unique_ptr<const packs::BoardPack> read;
  try {
    read = packs::BoardPack::read(std::move(pack));
  } catch (const packs::PackError& e) {
    return refused("لا يمكن فتح هذه اللوحة: " + e.arabic(), std::string("this board cannot be opened: ") + e.english());
  }
  for (const packs::PackImage& image : read->images(kBackdropKey))
    if (const std::string_view link = linkInJpeg(image.bytes); !link.empty()) return readBoardLink(link);
  return refused("هذه اللوحة صُنعت قبل أن تحمل اللوحات ملفها، فلا تُفتح للتعديل؛ ويُفتح ملف اللوحة (.toml) أو رابطها بدلًا منها.",
                 "this board was made before boards carried their board file, so it cannot be opened to change it; open its board file (.toml) or its link instead.");
}

}  // namespace wizlo::maker
