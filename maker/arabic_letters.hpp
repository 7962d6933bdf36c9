#pragma once
#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

// Arabic text as a teacher writes it and as the art generator colours it: words parted by spaces,
// each a row of letters, a letter carrying the marks (harakat, shadda, tanween) written after it.
namespace wizlo::maker {

struct Letter {
  std::size_t start = 0, baseEnd = 0, end = 0;  // bytes: the letter, then its marks up to `end`
  char32_t base = 0;
};
using Word = std::vector<Letter>;

// Code points of valid UTF-8 (the board file's parser has checked it), and the way back.
std::u32string codePoints(std::string_view utf8);
std::string utf8(char32_t c);

bool isMark(char32_t c);         // written on the letter before it
bool isArabicLetter(char32_t c);
bool isAlef(char32_t c);         // ا أ إ آ: after ل, one shape with it
// What may touch a word in a sentence: ، ؛ ؟ . ! : « » " ( ) and the Latin , ; ?
bool isPunctuation(char32_t c);

// The words of a text, each with its letters.
std::vector<Word> wordsOf(std::string_view text);

// The text without its marks, for comparing a word written bare with one written with marks.
std::string withoutMarks(std::string_view text);

// What kind of character it is, for a teacher who cannot see it or tell it from an Arabic one: in
// Arabic ("علامة اتجاه لا تُرى"), and in English with its code point ("U+200F, an invisible
// direction mark"). Characters of one kind share their Arabic name.
struct CharacterKind {
  std::string arabic, english;
  bool visible = true;  // worth showing between «»
};
CharacterKind kindOf(char32_t c);

// The characters of `text` a board's sentence may not hold, each once, in the order met: anything
// but Arabic letters and their marks, Arabic-Indic digits, punctuation and single spaces.
std::u32string strangeInSentence(std::string_view text);
// The characters no text of a board may hold, each once: control and invisible characters.
std::u32string invisibleIn(std::string_view text);

// Spaces at either end dropped and runs of spaces made one.
std::string tidySpaces(std::string_view text);

}  // namespace wizlo::maker
