// A pack travels from teacher to teacher: a damaged or hostile one is refused with a message in
// both languages, never half-opened, never a crash. Each case spoils one thing of a good pack.
#include <gtest/gtest.h>

#include <fstream>
#include <functional>
#include <iterator>
#include <string>

#include "app/lesson.hpp"
#include "packs/container.hpp"
#include "packs/pack_error.hpp"

namespace wizlo::packs {
namespace {

using Bytes = std::vector<std::uint8_t>;

// The sample board, as the board maker made it.
const Bytes& goodPack() {
  static const Bytes pack = [] {
    std::ifstream in(WIZLO_SAMPLE_PACK, std::ios::binary);
    return Bytes(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
  }();
  return pack;
}

// The good pack with one entry's bytes changed, checksums made good again: what a hostile maker,
// not a damaged file, would send.
Bytes rewritten(const std::string& name, const std::function<void(Bytes&)>& change) {
  std::vector<NewEntry> entries;
  for (const Entry& e : readContainer(goodPack())) {
    entries.push_back({e.name, Bytes(e.bytes.begin(), e.bytes.end())});
    if (e.name == name) change(entries.back().bytes);
  }
  return writeContainer(entries);
}

// The layout with `from` (which must be there) replaced by `to`.
Bytes layoutWith(const std::string& from, const std::string& to) {
  return rewritten("board.toml", [&](Bytes& text) {
    std::string s(text.begin(), text.end());
    const std::size_t at = s.find(from);
    if (at == std::string::npos) throw std::logic_error("the layout has no " + from);
    s.replace(at, from.size(), to);
    text.assign(s.begin(), s.end());
  });
}

// A container as the format describes it, with no check on what it holds.
Bytes container(const std::vector<std::pair<std::string, Bytes>>& entries) {
  Bytes out(kMagic.begin(), kMagic.end());
  const auto put = [&](std::uint32_t v, int width) {
    for (int i = 0; i < width; ++i) out.push_back(static_cast<std::uint8_t>(v >> (8 * i)));
  };
  put(kFormatVersion, 2);
  put(static_cast<std::uint32_t>(entries.size()), 2);
  for (const auto& [name, bytes] : entries) {
    out.push_back(static_cast<std::uint8_t>(name.size()));
    out.insert(out.end(), name.begin(), name.end());
    put(static_cast<std::uint32_t>(bytes.size()), 4);
    put(crc32(bytes), 4);
  }
  for (const auto& [name, bytes] : entries) out.insert(out.end(), bytes.begin(), bytes.end());
  return out;
}

struct Spoiled {
  const char* what;
  std::function<Bytes()> pack;
  const char* english;  // part of the refusal
};

void PrintTo(const Spoiled& s, std::ostream* os) { *os << s.what; }

const Spoiled kSpoiled[] = {
    {"cut short in transit", [] { return Bytes(goodPack().begin(), goodPack().begin() + goodPack().size() / 2); },
     "damaged"},
    {"one byte of a picture changed", [] { Bytes b = goodPack(); b[b.size() - 100] ^= 0x40; return b; }, "changed after it was made"},
    {"not a pack at all", [] { return Bytes{'P', 'K', 3, 4, 0, 0}; }, "not a Wizlo lesson board"},
    {"made by a newer Wizlo", [] { Bytes b = goodPack(); b[8] = 2; return b; }, "newer Wizlo"},
    {"a size past the end of the file", [] { Bytes b = goodPack(); b[12 + 1 + 10] = 0xFF; return b; }, "damaged"},
    {"an entry's name climbing out of the pack",
     [] { return container({{"board.toml", {}}, {"../evil.png", {1, 2, 3}}}); }, "not allowed"},
    {"larger than any board", [] { Bytes b(kMaxPackBytes + 1, 0); std::copy(kMagic.begin(), kMagic.end(), b.begin()); return b; },
     "too large"},
    {"a control outside the window", [] { return layoutWith("left = 240\n", "left = 24000\n"); }, "outside the window"},
    {"a key answering another circle", [] { return layoutWith("tag = '1'", "tag = '7'"); }, "key"},
    {"a picture the pack does not hold", [] { return layoutWith("picture = 'tile-1'", "picture = 'tile-99'"); },
     "there is none of"},
    {"a picture of the program's not for lending", [] { return layoutWith("picture = 'tile-1'", "picture = 'Backdrop2'"); },
     "there is none of"},
    {"an image claiming another size", [] { return layoutWith("height = 609", "height = 610"); }, "not of the size"},
    {"an image that is not one", [] { return rewritten("tile-1-16x16.png", [](Bytes& b) { b.assign(40, 'x'); }); },
     "neither a PNG nor a JPEG"},
    {"an image whose header is good and the rest is not",
     [] { return rewritten("tile-2-32x32.png", [](Bytes& b) { b.resize(60); }); }, "does not decode"},
    {"a field no layout has", [] { return layoutWith("caption =", "script = 'run me'\ncaption ="); }, "unknown field"},
    {"a layout that is not TOML", [] { return layoutWith("caption =", "caption = = ="); }, "cannot be read"},
    {"a caption with a control character", [] { return layoutWith("caption = '", "caption = \"\\u0007\" # '"); }, "caption"},
    {"a number out of range", [] { return layoutWith("left = 660", "left = 99999999999"); }, "whole number"},
};

class SpoiledPack : public testing::TestWithParam<Spoiled> {};

TEST_P(SpoiledPack, IsRefusedWithAMessageInBothLanguages) {
  try {
    Lesson::read(GetParam().pack());
    FAIL() << "the pack was opened";
  } catch (const PackError& error) {
    EXPECT_NE(std::string(error.english()).find(GetParam().english), std::string::npos) << error.english();
    EXPECT_NE(error.arabic().find("\xD8"), std::string::npos) << error.arabic();
    const std::string shown = refusal("/home/مريم/دروس/lesson.wizlo", error);
    EXPECT_EQ(shown.rfind("لا يمكن فتح", 0), 0u) << shown;
    EXPECT_NE(shown.find("cannot be opened"), std::string::npos) << shown;
    // The right-to-left line names the file alone, the English one its whole path.
    const std::string arabic = shown.substr(0, shown.find("\n\n"));
    EXPECT_NE(arabic.find("«lesson.wizlo»"), std::string::npos) << arabic;
    EXPECT_EQ(arabic.find('/'), std::string::npos) << arabic;
    EXPECT_NE(shown.find("/home/مريم/دروس/lesson.wizlo cannot be opened"), std::string::npos) << shown;
  }
}

INSTANTIATE_TEST_SUITE_P(Each, SpoiledPack, testing::ValuesIn(kSpoiled));

TEST(GoodPack, Opens) {
  ASSERT_GT(goodPack().size(), 1000u);
  const auto lesson = Lesson::read(goodPack());
  EXPECT_EQ(lesson->layout().Controls.back().Picture->packKey(), "backdrop");
}

}  // namespace
}  // namespace wizlo::packs
