#include "maker/arabic_letters.hpp"

#include <cstdio>

namespace wizlo::maker {

std::u32string codePoints(std::string_view s) {
  std::u32string out;
  for (std::size_t i = 0; i < s.size();) {
    const auto b = static_cast<unsigned char>(s[i]);
    const int extra = b < 0x80 ? 0 : b >= 0xF0 ? 3 : b >= 0xE0 ? 2 : 1;
    char32_t c = extra == 0 ? b : b & (0x3F >> extra);
    for (int k = 1; k <= extra && i + k < s.size(); ++k) c = (c << 6) | (static_cast<unsigned char>(s[i + k]) & 0x3F);
    out.push_back(c);
    i += static_cast<std::size_t>(extra) + 1;
  }
  return out;
}

std::string utf8(char32_t c) {
  std::string out;
  if (c < 0x80) {
    out += static_cast<char>(c);
  } else if (c < 0x800) {
    out += static_cast<char>(0xC0 | (c >> 6));
    out += static_cast<char>(0x80 | (c & 0x3F));
  } else if (c < 0x10000) {
    out += static_cast<char>(0xE0 | (c >> 12));
    out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (c & 0x3F));
  } else {
    out += static_cast<char>(0xF0 | (c >> 18));
    out += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
    out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (c & 0x3F));
  }
  return out;
}

// The art generator's own rule for what belongs to the letter before it.
bool isMark(char32_t c) { return (c >= 0x064B && c <= 0x065F) || c == 0x0670; }
bool isArabicLetter(char32_t c) { return (c >= 0x0621 && c <= 0x063A) || (c >= 0x0641 && c <= 0x064A) || c == 0x0671; }
bool isAlef(char32_t c) { return c == 0x0627 || c == 0x0623 || c == 0x0625 || c == 0x0622; }

std::vector<Word> wordsOf(std::string_view text) {
  std::vector<Word> words(1);
  std::size_t at = 0;
  for (const char32_t c : codePoints(text)) {
    const std::size_t length = utf8(c).size();
    if (c == U' ') {
      if (!words.back().empty()) words.emplace_back();
    } else if (isMark(c) && !words.back().empty()) {
      words.back().back().end = at + length;
    } else {
      words.back().push_back({at, at + length, at + length, c});
    }
    at += length;
  }
  if (words.back().empty()) words.pop_back();
  return words;
}

std::string withoutMarks(std::string_view text) {
  std::string out;
  for (const char32_t c : codePoints(text))
    if (!isMark(c)) out += utf8(c);
  return out;
}

bool isPunctuation(char32_t c) {
  switch (c) {
    case 0x060C: case 0x061B: case 0x061F: case U'.': case U'!': case U':': case 0x00AB: case 0x00BB:
    case U'"': case U'(': case U')': case U',': case U';': case U'?':
      return true;
    default:
      return false;
  }
}

CharacterKind kindOf(char32_t c) {
  char code[16];
  std::snprintf(code, sizeof code, "U+%04X, ", static_cast<unsigned>(c));
  const auto kind = [&](const char* arabic, const char* english, bool visible = true) {
    return CharacterKind{arabic, code + std::string(english), visible};
  };
  if (c == 0x200E || c == 0x200F || (c >= 0x202A && c <= 0x202E) || (c >= 0x2066 && c <= 0x2069) || c == 0x061C)
    return kind("علامة اتجاه لا تُرى", "an invisible direction mark", false);
  if (c == 0x200B || c == 0x200C || c == 0x200D || c == 0xFEFF || c == 0x00AD)
    return kind("حرف وصل أو فصل لا يُرى", "an invisible joining or breaking character", false);
  if (c < 0x20 || c == 0x7F) return kind("حرف تحكم لا يُرى، كمسافة الجدولة", "a control character such as a tab", false);
  if (c == 0x00A0 || (c >= 0x2000 && c <= 0x200A) || c == 0x3000)
    return kind("مسافة من نوع آخر", "a space of another kind", false);
  if ((c >= 0xFB50 && c <= 0xFDFF) || (c >= 0xFE70 && c <= 0xFEFF))
    return kind("حرف عربي بشكله المطبوع، كالذي في نص منسوخ من ملف PDF",
                "an Arabic letter in a printed form, as text copied from a PDF holds");
  if (c == 0x0640) return kind("تطويل، لا يفعل إلا مدّ الحرف", "a tatweel, which only stretches a letter");
  if ((c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z')) return kind("حرف لاتيني", "a Latin letter");
  if (c >= '0' && c <= '9') return kind("رقم غربي، والأرقام في الجملة تُكتب هكذا: ١٢٣", "a Western digit");
  if (c >= 0xE000 && c <= 0xF8FF) return kind("حرف خاص لا يعرفه الخط", "a private-use character no font knows", false);
  return kind("رمز ليس من الحروف العربية", "a character that is not an Arabic letter");
}

std::u32string invisibleIn(std::string_view text) {
  std::u32string found;
  for (const char32_t c : codePoints(text))
    if ((c < 0x20 || c == 0x7F || (c >= 0x200B && c <= 0x200F) || (c >= 0x202A && c <= 0x202E) ||
         (c >= 0x2066 && c <= 0x2069) || c == 0x061C || c == 0xFEFF || c == 0x00AD || (c >= 0xE000 && c <= 0xF8FF) ||
         c >= 0xFFF0) &&
        found.find(c) == std::u32string::npos)
      found.push_back(c);
  return found;
}

std::u32string strangeInSentence(std::string_view text) {
  std::u32string found;
  for (const char32_t c : codePoints(text)) {
    const bool fine = isArabicLetter(c) || isMark(c) || (c >= 0x0660 && c <= 0x0669) || c == U' ' || isPunctuation(c);
    if (!fine && found.find(c) == std::u32string::npos) found.push_back(c);
  }
  return found;
}

std::string tidySpaces(std::string_view text) {
  std::string out;
  for (const char c : text) {
    if (c == ' ' && (out.empty() || out.back() == ' ')) continue;
    out += c;
  }
  while (!out.empty() && out.back() == ' ') out.pop_back();
  return out;
}

}  // namespace wizlo::maker
