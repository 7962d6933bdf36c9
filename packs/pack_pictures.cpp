#include "packs/pack_pictures.hpp"

#include <algorithm>
#include <exception>
#include <future>
#include <vector>

#include "assets/catalogue.hpp"
#include "assets/image_decode.hpp"
#include "packs/pack_error.hpp"

namespace wizlo::packs {

PackPictures::PackPictures(const BoardPack& pack) {
  for (const std::string_view key : pack.pictureKeys()) {
    std::vector<Artwork::Source> sources;
    for (const PackImage& image : pack.images(key))
      sources.push_back({image.width, image.height,
                         [image] {
                           return image.kind == ImageKind::Jpeg ? assets::decodeJpeg(image.bytes)
                                                                : assets::decodePng(image.bytes);
                         },
                         [image] { assets::decodeAhead(image.bytes); }});
    std::vector<long long>& sizes = sizes_[std::string(key)];
    for (const PackImage& image : pack.images(key)) sizes.push_back(static_cast<long long>(image.width) * image.height);
    artworks_.emplace(key, std::make_shared<const Artwork>(std::move(sources)));
  }
}

void PackPictures::decodeAll() const {
  // Two shares of about as many pixels each, the second on a thread of its own where there is one: on
  // two cores a pack opens in about the time of its largest image, the backdrop at 2x, not of all of
  // them. Each image is decoded by one thread only.
  struct Job {
    const std::string* key;
    const Artwork* art;
    std::size_t image;
    long long pixels;
  };
  std::vector<Job> jobs;
  for (const auto& [key, art] : artworks_)
    for (std::size_t i = 0; i < art->imageCount(); ++i) jobs.push_back({&key, art.get(), i, sizes_.at(key)[i]});
  std::vector<Job> mine, theirs;
  long long own = 0, other = 0;
  std::sort(jobs.begin(), jobs.end(), [](const Job& a, const Job& b) { return a.pixels > b.pixels; });
  for (const Job& job : jobs) (own <= other ? (own += job.pixels, mine) : (other += job.pixels, theirs)).push_back(job);
  const auto decode = [](const std::vector<Job>& share) {
    for (const Job& job : share) {
      try {
        job.art->image(job.image);
      } catch (const std::exception&) {
        throw PackError("صورة «" + *job.key + "» تالفة.", "its picture " + *job.key + " does not decode to the image it claims to be.");
      }
    }
  };
#if (defined(__GLIBCXX__) && !defined(_GLIBCXX_HAS_GTHREADS)) || (defined(__EMSCRIPTEN__) && !defined(__EMSCRIPTEN_PTHREADS__))
  // MinGW's win32 threads give the C++ library no threads, and in the browser a second thread would
  // never run while this one waits for it: one after the other. The browser decodes off its main
  // thread, every image at once when asked for all of them first.
  for (const Job& job : jobs) job.art->fetchImageAhead(job.image);
  decode(theirs);
  decode(mine);
#else
  auto elsewhere = std::async([&] { decode(theirs); });  // deferred where there are no threads
  std::exception_ptr failed;
  try {
    decode(mine);
  } catch (...) {
    failed = std::current_exception();
  }
  elsewhere.get();  // its failure, if any, first
  if (failed) std::rethrow_exception(failed);
#endif
}

PictureValue PackPictures::operator()(PictureKey key) const {
  if (!key.isPacked()) return assets::picture(key);
  const auto found = artworks_.find(key.packKey());
  if (found == artworks_.end()) throw std::invalid_argument("the pack has no picture " + std::string(key.packKey()));
  return PictureValue::of(found->second);
}

}  // namespace wizlo::packs
