#pragma once
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "forms/image_control.hpp"
#include "packs/board_pack.hpp"

// A pack's pictures as the forms runtime takes them: its own keys from the pack, decoded by the
// platform's decoder (assets/image_decode.hpp), every other name from the program's catalogue.
namespace wizlo::packs {

class PackPictures {
 public:
  // The pack must outlive this. Nothing is decoded yet.
  explicit PackPictures(const BoardPack& pack);

  // Decodes every image of every picture once and keeps it, so a picture that would not decode, or
  // decodes to another size than it claimed, refuses the pack before a window opens. Throws PackError.
  void decodeAll() const;

  // A fresh picture value for a key, as PictureSource; the catalogue's for the program's own names.
  PictureValue operator()(PictureKey key) const;
  PictureSource source() const {
    return [this](PictureKey key) { return (*this)(key); };
  }

 private:
  std::map<std::string, std::shared_ptr<const Artwork>, std::less<>> artworks_;
  std::map<std::string, std::vector<long long>, std::less<>> sizes_;  // each image's pixels, smallest first
};

}  // namespace wizlo::packs
