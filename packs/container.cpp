#include "packs/container.hpp"

#include <algorithm>
#include <array>
#include <set>
#include <stdexcept>

#include "packs/pack_error.hpp"

namespace wizlo::packs {
namespace {

// The number as the Arabic line writes it: ١٢ for 12.
std::string arabicDigits(std::uint32_t number) {
  std::string out;
  for (const char c : std::to_string(number)) out += std::string("\xD9") + static_cast<char>(0xA0 + (c - '0'));
  return out;
}

[[noreturn]] void damaged(const std::string& arabic, const std::string& english) {
  throw PackError("الملف تالف أو ليس لوحة درس (" + arabic + ").", "the file is damaged or not a lesson board (" + english + ").");
}

bool goodName(std::string_view name) {
  return !name.empty() && name.size() <= kMaxNameLength && name.front() != '.' &&
         std::all_of(name.begin(), name.end(), [](char c) {
           return (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '.' || c == '-' || c == '_';
         });
}

// Reads little-endian numbers, never past the end it was given.
class Reader {
 public:
  explicit Reader(std::span<const std::uint8_t> bytes) : bytes_(bytes) {}
  std::uint32_t number(int width) {
    need(static_cast<std::size_t>(width));
    std::uint32_t value = 0;
    for (int i = width; i-- > 0;) value = value << 8 | bytes_[at_ + static_cast<std::size_t>(i)];
    at_ += static_cast<std::size_t>(width);
    return value;
  }
  std::span<const std::uint8_t> take(std::size_t count) {
    need(count);
    const auto taken = bytes_.subspan(at_, count);
    at_ += count;
    return taken;
  }
  std::size_t left() const { return bytes_.size() - at_; }

 private:
  void need(std::size_t count) const {
    if (count > left()) damaged("انتهى قبل أوانه", "it ends too soon");
  }
  std::span<const std::uint8_t> bytes_;
  std::size_t at_ = 0;
};

void put(std::vector<std::uint8_t>& out, std::uint32_t value, int width) {
  for (int i = 0; i < width; ++i) out.push_back(static_cast<std::uint8_t>(value >> (8 * i)));
}

}  // namespace

std::uint32_t crc32(std::span<const std::uint8_t> bytes) {
  static const std::array<std::uint32_t, 256> table = [] {
    std::array<std::uint32_t, 256> t{};
    for (std::uint32_t n = 0; n < 256; ++n) {
      std::uint32_t c = n;
      for (int k = 0; k < 8; ++k) c = c & 1 ? 0xEDB88320u ^ (c >> 1) : c >> 1;
      t[n] = c;
    }
    return t;
  }();
  std::uint32_t c = 0xFFFFFFFFu;
  for (const std::uint8_t b : bytes) c = table[(c ^ b) & 0xFF] ^ (c >> 8);
  return c ^ 0xFFFFFFFFu;
}

std::vector<Entry> readContainer(std::span<const std::uint8_t> file) {
  if (file.size() > kMaxPackBytes)
    throw PackError("الملف أكبر من أن يكون لوحة درس (الحد ١٦ ميغابايت).",
                    "the file is too large to be a lesson board (the limit is 16 MiB).");
  Reader in(file);
  if (file.size() < kMagic.size() || !std::equal(kMagic.begin(), kMagic.end(), file.begin()))
    throw PackError("الملف ليس لوحة درس من ويزلو.", "the file is not a Wizlo lesson board.");
  in.take(kMagic.size());
  const std::uint32_t version = in.number(2);
  if (version != kFormatVersion)
    throw PackError("صُنعت اللوحة بإصدار أحدث من ويزلو (صيغة " + arabicDigits(version) + ")، ويلزم تحديث ويزلو لفتحها.",
                    "it was made by a newer Wizlo (format " + std::to_string(version) + "); update Wizlo to open it.");
  const std::uint32_t count = in.number(2);
  if (count == 0 || count > kMaxEntries) damaged("عدد الأجزاء غير معقول", "an unlikely number of entries");
  struct Listed {
    std::string name;
    std::uint32_t size, crc;
  };
  std::vector<Listed> listed;
  std::set<std::string, std::less<>> names;
  std::uint64_t total = 0;
  for (std::uint32_t i = 0; i < count; ++i) {
    const auto name = in.take(in.number(1));
    Listed entry{std::string(name.begin(), name.end()), 0, 0};
    entry.size = in.number(4);
    entry.crc = in.number(4);
    if (!goodName(entry.name)) damaged("اسم جزء غير مقبول", "an entry with a name not allowed");
    if (!names.insert(entry.name).second) damaged("جزء مكرر", "an entry named twice");
    total += entry.size;
    listed.push_back(std::move(entry));
  }
  if (total != in.left()) damaged("الأحجام لا تطابق الملف", "the sizes do not add up to the file");
  std::vector<Entry> entries;
  for (const Listed& l : listed) {
    const auto bytes = in.take(l.size);
    if (crc32(bytes) != l.crc) damaged("جزء «" + l.name + "» تغيّر بعد صنعه", "entry " + l.name + " changed after it was made");
    entries.push_back({l.name, bytes});
  }
  return entries;
}

std::vector<std::uint8_t> writeContainer(const std::vector<NewEntry>& entries) {
  if (entries.empty() || entries.size() > kMaxEntries) throw std::invalid_argument("a pack holds 1 to 200 entries");
  std::vector<std::uint8_t> out(kMagic.begin(), kMagic.end());
  put(out, kFormatVersion, 2);
  put(out, static_cast<std::uint32_t>(entries.size()), 2);
  for (const NewEntry& e : entries) {
    if (!goodName(e.name)) throw std::invalid_argument("a pack entry may not be named " + e.name);
    out.push_back(static_cast<std::uint8_t>(e.name.size()));
    out.insert(out.end(), e.name.begin(), e.name.end());
    put(out, static_cast<std::uint32_t>(e.bytes.size()), 4);
    put(out, crc32(e.bytes), 4);
  }
  for (const NewEntry& e : entries) out.insert(out.end(), e.bytes.begin(), e.bytes.end());
  if (out.size() > kMaxPackBytes) throw std::invalid_argument("a pack may not be larger than 16 MiB");
  return out;
}

}  // namespace wizlo::packs
