#include "maker/teacher_text.hpp"

#include <algorithm>
#include <cstdio>
#include <map>

#include "maker/arabic_letters.hpp"

namespace wizlo::maker {
namespace {

// UTF-16 in either byte order, surrogate pairs joined; none when a unit is left unpaired.
std::optional<std::string> fromUtf16(std::string_view bytes, bool bigEndian) {
  std::string out;
  const auto unit = [&](std::size_t i) {
    const auto a = static_cast<unsigned char>(bytes[i]), b = static_cast<unsigned char>(bytes[i + 1]);
    return static_cast<char32_t>(bigEndian ? (a << 8 | b) : (b << 8 | a));
  };
  for (std::size_t i = 0; i + 1 < bytes.size(); i += 2) {
    char32_t c = unit(i);
    if (c >= 0xD800 && c <= 0xDBFF) {
      if (i + 3 >= bytes.size()) return std::nullopt;
      const char32_t low = unit(i + 2);
      if (low < 0xDC00 || low > 0xDFFF) return std::nullopt;
      c = 0x10000 + ((c - 0xD800) << 10) + (low - 0xDC00);
      i += 2;
    } else if (c >= 0xDC00 && c <= 0xDFFF) {
      return std::nullopt;
    }
    out += utf8(c);
  }
  if (bytes.size() % 2) return std::nullopt;
  return out;
}

// UTF-16 without its mark still shows itself: ASCII's zero high bytes, all on one side.
std::optional<bool> utf16Unmarked(std::string_view bytes) {
  std::size_t even = 0, odd = 0;
  const std::size_t n = std::min<std::size_t>(bytes.size(), 400) & ~std::size_t{1};
  for (std::size_t i = 0; i < n; ++i)
    if (bytes[i] == '\0') (i % 2 ? odd : even)++;
  if (n < 8) return std::nullopt;
  if (odd > n / 8 && even == 0) return false;  // little-endian
  if (even > n / 8 && odd == 0) return true;
  return std::nullopt;
}

// Letters of Persian and Urdu keyboards and the Arabic letters that look the same. A yeh is dotless
// where it ends a word, as ى is: it is taken as the letter that looks as the teacher saw it.
struct KeyboardLetter {
  char32_t from, to, toAtEnd;
};
constexpr KeyboardLetter kKeyboardLetters[] = {
    {0x06CC, 0x064A, 0x0649},  // ی Farsi yeh
    {0x06D2, 0x0649, 0x0649},  // ے yeh barree
    {0x06D3, 0x0626, 0x0626},  // ۓ yeh barree with hamza
    {0x06A9, 0x0643, 0x0643},  // ک keheh
    {0x06AA, 0x0643, 0x0643},  // ڪ swash kaf
    {0x06C1, 0x0647, 0x0647},  // ہ heh goal
    {0x06BE, 0x0647, 0x0647},  // ھ heh doachashmee
    {0x06D5, 0x0647, 0x0647},  // ە ae
    {0x06C0, 0x0629, 0x0629},  // ۀ heh with yeh above, read as the marbuta it resembles
    {0x06C3, 0x0629, 0x0629},  // ۃ teh marbuta goal
};

bool joinsOn(char32_t c) { return (c >= 0x0620 && c <= 0x064A) || (c >= 0x066E && c <= 0x06D3) || c == 0x06D5; }

char hexDigit(unsigned v) { return "0123456789ABCDEF"[v & 0xF]; }
std::string codeOf(char32_t c) {
  std::string s = "U+";
  for (int shift = 12; shift >= 0; shift -= 4) s += hexDigit(static_cast<unsigned>(c >> shift));
  return s;
}

// The keyboard letters taken as Arabic ones and Persian digits as Arabic-Indic ones, with a note for
// each different change at the first line it is made on.
std::string asArabic(const std::u32string& text, Problems& notes) {
  std::string out;
  int line = 1;
  std::map<std::pair<char32_t, char32_t>, bool> said;
  const auto note = [&](char32_t from, char32_t to) {
    if (!said.emplace(std::pair{from, to}, true).second) return;
    const bool digit = from >= 0x06F0 && from <= 0x06F9;
    notes.push_back({line,
                     digit ? "أُخذ الرقم «" + utf8(from) + "» من لوحة مفاتيح فارسية رقمًا عربيًا: «" + utf8(to) + "»."
                           : "أُخذ الحرف «" + utf8(from) + "» من لوحة مفاتيح فارسية أو أردية حرفًا عربيًا: «" + utf8(to) +
                                 "»، وهو ما تعرضه اللوحة.",
                     std::string(digit ? "the Persian digit «" : "the letter «") + utf8(from) + "» (" + codeOf(from) +
                         (digit ? ") was taken as the Arabic-Indic digit «" : ", of a Persian or Urdu keyboard) was taken as the Arabic letter «") +
                         utf8(to) + "» (" + codeOf(to) + "), which the board shows."});
  };
  for (std::size_t i = 0; i < text.size(); ++i) {
    char32_t c = text[i];
    if (c == U'\n') ++line;
    if (c >= 0x06F0 && c <= 0x06F9) {
      const char32_t arabic = c - 0x06F0 + 0x0660;
      note(c, arabic);
      c = arabic;
    }
    for (const KeyboardLetter& k : kKeyboardLetters) {
      if (c != k.from) continue;
      std::size_t next = i + 1;
      while (next < text.size() && isMark(text[next])) ++next;
      const char32_t arabic = next < text.size() && joinsOn(text[next]) ? k.to : k.toAtEnd;
      note(c, arabic);
      c = arabic;
      break;
    }
    out += utf8(c);
  }
  return out;
}

// Arabic-Indic digits where TOML takes a number, outside texts and notes, made 0-9.
std::string tomlDigits(std::string_view text) {
  std::string out;
  enum { Plain, Basic, Literal, Comment } state = Plain;
  bool multi = false;
  for (std::size_t i = 0; i < text.size(); ++i) {
    const char c = text[i];
    const auto starts = [&](std::string_view s) { return text.substr(i, s.size()) == s; };
    switch (state) {
      case Plain:
        if (c == '#') state = Comment;
        else if (c == '"' || c == '\'') {
          multi = starts(c == '"' ? "\"\"\"" : "'''");
          state = c == '"' ? Basic : Literal;
          if (multi) out += text.substr(i, 2), i += 2;
        } else if (i + 1 < text.size() && ((c == '\xD9' && text[i + 1] >= '\xA0' && text[i + 1] <= '\xA9') ||
                                           (c == '\xDB' && text[i + 1] >= '\xB0' && text[i + 1] <= '\xB9'))) {
          out += static_cast<char>('0' + (static_cast<unsigned char>(text[i + 1]) & 0x0F));
          ++i;
          continue;
        }
        break;
      case Basic:
      case Literal:
        if (state == Basic && c == '\\') {
          out += text.substr(i, 2);
          ++i;
          continue;
        }
        if (c == (state == Basic ? '"' : '\'') && (!multi || starts(state == Basic ? "\"\"\"" : "'''"))) {
          if (multi) out += text.substr(i, 2), i += 2;
          state = Plain;
        } else if (c == '\n' && !multi) {
          state = Plain;  // the parser says what is wrong with such a line
        }
        break;
      case Comment:
        if (c == '\n') state = Plain;
        break;
    }
    out += c;
  }
  return out;
}

}  // namespace

bool isUtf8(std::string_view s) {
  for (std::size_t i = 0; i < s.size();) {
    const auto b = static_cast<unsigned char>(s[i]);
    if (b < 0x80) {
      ++i;
      continue;
    }
    const int extra = b >= 0xC2 && b <= 0xDF ? 1 : b >= 0xE0 && b <= 0xEF ? 2 : b >= 0xF0 && b <= 0xF4 ? 3 : -1;
    if (extra < 0 || i + static_cast<std::size_t>(extra) >= s.size()) return false;
    char32_t c = b & (0x3F >> extra);
    for (int k = 1; k <= extra; ++k) {
      const auto t = static_cast<unsigned char>(s[i + k]);
      if ((t & 0xC0) != 0x80) return false;
      c = (c << 6) | (t & 0x3F);
    }
    if ((extra == 2 && (c < 0x800 || (c >= 0xD800 && c <= 0xDFFF))) || (extra == 3 && (c < 0x10000 || c > 0x10FFFF)))
      return false;
    i += static_cast<std::size_t>(extra) + 1;
  }
  return true;
}

std::optional<long long> numberIn(std::string_view text) {
  long long value = 0;
  int digits = 0;
  const std::u32string all = codePoints(text);
  std::size_t i = 0;
  while (i < all.size() && all[i] == U' ') ++i;
  for (; i < all.size(); ++i) {
    const char32_t c = all[i];
    const int d = c >= U'0' && c <= U'9' ? int(c - U'0') : c >= 0x0660 && c <= 0x0669 ? int(c - 0x0660)
                  : c >= 0x06F0 && c <= 0x06F9 ? int(c - 0x06F0) : -1;
    if (d < 0) break;
    if (++digits > 9) return std::nullopt;
    value = value * 10 + d;
  }
  while (i < all.size() && all[i] == U' ') ++i;
  if (digits == 0 || i != all.size()) return std::nullopt;
  return value;
}

TeacherText readTeacherText(std::string_view bytes) {
  TeacherText result;
  std::optional<std::string> text;
  const auto starts = [&](std::string_view mark) { return bytes.substr(0, mark.size()) == mark; };
  if (starts("\xEF\xBB\xBF")) {
    text = std::string(bytes.substr(3));
  } else if (starts("\xFF\xFE") || starts("\xFE\xFF")) {
    text = fromUtf16(bytes.substr(2), starts("\xFE\xFF"));
  } else if (const auto bigEndian = utf16Unmarked(bytes)) {
    text = fromUtf16(bytes, *bigEndian);
  } else {
    text = std::string(bytes);
  }
  if (!text || !isUtf8(*text) || text->find('\0') != std::string::npos) {
    result.unreadable = true;
    result.problem = {0,
                      "الملف محفوظ بترميز غير UTF-8، فلا تُقرأ حروفه. يُرجى فتحه في «المفكرة» واختيار «حفظ باسم»، ثم "
                      "«الترميز: UTF-8»، وحفظه من جديد (ولمحررات النصوص الأخرى خيار مثله عند الحفظ).",
                      "the file is saved in an encoding other than UTF-8, so its letters cannot be read. Open it in "
                      "Notepad, choose \"Save as\", set \"Encoding: UTF-8\" and save it again (other editors have the "
                      "same choice when saving)."};
    return result;
  }
  result.text = tomlDigits(asArabic(codePoints(*text), result.notes));
  return result;
}

}  // namespace wizlo::maker
