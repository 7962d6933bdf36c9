#include "maker/board_link.hpp"

#include <array>
#include <cstdlib>
#include <memory>
#include <vector>

#include <stb/stb_image.h>

// stb_image_write's zlib stream writer, which its header does not declare (maker/stb.cpp has it).
extern "C" unsigned char* stbi_zlib_compress(unsigned char* data, int length, int* outLength, int quality);

namespace wizlo::maker {
namespace {

constexpr std::string_view kAlphabet = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789-_";
constexpr int kCompression = 9;

std::string base64url(const unsigned char* bytes, std::size_t size) {
  std::string out;
  out.reserve((size * 4 + 2) / 3);
  for (std::size_t i = 0; i < size; i += 3) {
    const std::size_t n = std::min<std::size_t>(3, size - i);
    std::uint32_t word = std::uint32_t{bytes[i]} << 16;
    if (n > 1) word |= std::uint32_t{bytes[i + 1]} << 8;
    if (n > 2) word |= bytes[i + 2];
    for (std::size_t k = 0; k <= n; ++k) out += kAlphabet[(word >> (18 - 6 * k)) & 63];
  }
  return out;
}

std::optional<std::vector<unsigned char>> fromBase64url(std::string_view text) {
  std::array<int, 256> value;
  value.fill(-1);
  for (std::size_t i = 0; i < kAlphabet.size(); ++i) value[static_cast<unsigned char>(kAlphabet[i])] = static_cast<int>(i);
  if (text.size() % 4 == 1) return std::nullopt;  // no whole byte ends there
  std::vector<unsigned char> out;
  out.reserve(text.size() * 3 / 4);
  std::uint32_t word = 0;
  int bits = 0;
  for (const char c : text) {
    const int v = value[static_cast<unsigned char>(c)];
    if (v < 0) return std::nullopt;
    word = (word << 6 | static_cast<std::uint32_t>(v)) & 0xFFFFFF;
    bits += 6;
    if (bits >= 8) {
      bits -= 8;
      out.push_back(static_cast<unsigned char>(word >> bits));
    }
  }
  return out;
}

LinkedBoard refused(std::string arabic, std::string english) { return {std::nullopt, {0, std::move(arabic), std::move(english)}}; }

LinkedBoard damaged() {
  return refused("الرابط لا يحمل لوحة كاملة، ولعله نُسخ ناقصًا؛ فيُرجى نسخه من جديد كما أُرسل.",
                 "the link does not carry a whole board; it may have been copied only in part. Copy it again as it was sent.");
}

constexpr std::uint8_t kComment = 0xFE;
constexpr std::size_t kMaxSegment = 0xFFFF - 2;  // a segment's length counts its own two bytes

std::size_t segmentLength(std::span<const std::uint8_t> jpeg, std::size_t at) {
  return at + 3 < jpeg.size() ? std::size_t{jpeg[at + 2]} << 8 | jpeg[at + 3] : 0;
}

}  // namespace

std::vector<std::uint8_t> withBoardFile(std::vector<std::uint8_t> jpeg, std::string_view boardFile) {
  const std::string link = boardLink(boardFile);
  if (link.size() > kMaxSegment || jpeg.size() < 4) return jpeg;  // no room: the pack is still whole
  // After the JFIF segment, which must come first.
  std::size_t at = 2;
  if (jpeg[2] == 0xFF && jpeg[3] == 0xE0) at = std::min(jpeg.size(), at + 2 + segmentLength(jpeg, 2));
  const std::size_t length = link.size() + 2;
  std::vector<std::uint8_t> segment = {0xFF, kComment, static_cast<std::uint8_t>(length >> 8), static_cast<std::uint8_t>(length)};
  segment.insert(segment.end(), link.begin(), link.end());
  jpeg.insert(jpeg.begin() + static_cast<std::ptrdiff_t>(at), segment.begin(), segment.end());
  return jpeg;
}

std::string_view linkInJpeg(std::span<const std::uint8_t> jpeg) {
  // The segments before the picture's data, each with its length, as the header reader walks them.
  for (std::size_t at = 2; at + 3 < jpeg.size() && jpeg[at] == 0xFF && jpeg[at + 1] != 0xDA;) {
    const std::size_t length = segmentLength(jpeg, at);
    if (length < 2 || at + 2 + length > jpeg.size()) break;
    const std::string_view text(reinterpret_cast<const char*>(jpeg.data() + at + 4), length - 2);
    if (jpeg[at + 1] == kComment && text.starts_with(kLinkKey)) return text;
    at += 2 + length;
  }
  return {};
}

std::string boardLink(std::string_view boardFile) {
  // stb's reader takes no stream for nothing at all: an empty text is an empty link.
  if (boardFile.empty()) return std::string(kLinkKey);
  int length = 0;
  // stb's writer takes its input as writable, but leaves it as it was.
  std::vector<unsigned char> text(boardFile.begin(), boardFile.end());
  std::unique_ptr<unsigned char, decltype(&std::free)> packed(
      stbi_zlib_compress(text.data(), static_cast<int>(text.size()), &length, kCompression), &std::free);
  if (!packed) throw std::bad_alloc();
  return std::string(kLinkKey) + base64url(packed.get(), static_cast<std::size_t>(length));
}

LinkedBoard readBoardLink(std::string_view fragment) {
  if (fragment.starts_with('#')) fragment.remove_prefix(1);
  if (!fragment.starts_with(kLinkKey))
    return refused("هذا الرابط لا يحمل لوحة من لوحات ويزلو.", "this link carries no Wizlo board.");
  fragment.remove_prefix(kLinkKey.size());
  if (fragment.size() > kMaxLinkLength)
    return refused("الرابط أطول من أن يحمل لوحة درس.", "the link is too long to carry a lesson board.");
  if (fragment.empty()) return {std::string(), {}};
  const std::optional<std::vector<unsigned char>> packed = fromBase64url(fragment);
  if (!packed || packed->empty()) return damaged();
  // One byte more than a board may have: a stream that fills it is too large, however it goes on.
  std::string text(kMaxLinkedBoardBytes + 1, '\0');
  const int length = stbi_zlib_decode_buffer(text.data(), static_cast<int>(text.size()),
                                             reinterpret_cast<const char*>(packed->data()), static_cast<int>(packed->size()));
  if (length < 0) {
    // stb says only that the stream did not end within the room: too large, or not a stream at all.
    const std::string_view reason = stbi_failure_reason() ? stbi_failure_reason() : "";
    if (reason == "output buffer limit")
      return refused("اللوحة في الرابط أكبر من أن تكون لوحة درس.", "the board in the link is too large to be a lesson board.");
    return damaged();
  }
  if (static_cast<std::size_t>(length) > kMaxLinkedBoardBytes)
    return refused("اللوحة في الرابط أكبر من أن تكون لوحة درس.", "the board in the link is too large to be a lesson board.");
  text.resize(static_cast<std::size_t>(length));
  return {std::move(text), {}};
}

}  // namespace wizlo::maker
