#include "maker/board_file.hpp"

#include <toml++/toml.h>

#include <algorithm>
#include <map>
#include <set>

#include "maker/arabic_counts.hpp"
#include "maker/arabic_letters.hpp"
#include "maker/teacher_text.hpp"

namespace wizlo::maker {
namespace {

constexpr std::size_t kLongestTitle = 60, kLongestSkill = 30, kLongestInstruction = 60, kLongestName = 40;
// Far beyond what fits across a board: the layout says how many letters do, where it finds too many.
constexpr std::size_t kLongestSentence = 240;

int lineOf(const toml::node& node) { return static_cast<int>(node.source().begin.line); }

std::string inQuotes(std::string_view text) { return "«" + std::string(text) + "»"; }

// Characters named by their kind, each kind once, the visible ones shown: «حرف لاتيني «A» «m»».
std::string arabicKinds(const std::u32string& characters) {
  std::vector<std::string> kinds, shown;
  for (const char32_t c : characters) {
    const CharacterKind kind = kindOf(c);
    auto at = std::find(kinds.begin(), kinds.end(), kind.arabic);
    if (at == kinds.end()) {
      kinds.push_back(kind.arabic);
      shown.emplace_back();
      at = kinds.end() - 1;
    }
    if (kind.visible) shown[static_cast<std::size_t>(at - kinds.begin())] += " " + inQuotes(utf8(c));
  }
  std::string out;
  for (std::size_t k = 0; k < kinds.size(); ++k) out += (k ? "، " : "") + kinds[k] + shown[k];
  return out;
}

std::string englishKinds(const std::u32string& characters) {
  std::string out;
  for (const char32_t c : characters) {
    const CharacterKind kind = kindOf(c);
    out += (out.empty() ? "" : "; ") + (kind.visible ? inQuotes(utf8(c)) + " " : std::string()) + kind.english;
  }
  return out;
}

std::size_t editDistance(std::string_view a, std::string_view b) {
  std::vector<std::size_t> row(b.size() + 1);
  for (std::size_t j = 0; j <= b.size(); ++j) row[j] = j;
  for (std::size_t i = 1; i <= a.size(); ++i) {
    std::size_t diagonal = row[0];
    row[0] = i;
    for (std::size_t j = 1; j <= b.size(); ++j) {
      const std::size_t up = row[j];
      row[j] = std::min({row[j] + 1, row[j - 1] + 1, diagonal + (a[i - 1] == b[j - 1] ? 0 : 1)});
      diagonal = up;
    }
  }
  return row[b.size()];
}

// Collects problems, and reads the fields of one table of the file, refusing what it does not know.
class Reader {
 public:
  explicit Reader(Problems& problems) : problems_(problems) {}

  void add(int line, std::string arabic, std::string english) { problems_.push_back({line, std::move(arabic), std::move(english)}); }

  void unknownKeys(const toml::table& table, std::initializer_list<std::string_view> known, std::string_view where) {
    for (const auto& [key, value] : table) {
      const std::string name(key.str());
      if (std::find(known.begin(), known.end(), name) != known.end()) continue;
      std::string_view nearest;
      for (std::string_view k : known)
        if (editDistance(name, k) <= 2) nearest = k;
      const bool arabicKey = std::any_of(name.begin(), name.end(), [](char c) { return static_cast<unsigned char>(c) >= 0x80; });
      std::string arabic = "الاسم " + inQuotes(name) + " غير معروف في " + std::string(where == "the file" ? "الملف" : "هذه المجموعة") + ". ";
      std::string english = "the name " + inQuotes(name) + " is not known in " + std::string(where) + ". ";
      if (!nearest.empty()) {
        arabic += "هل المقصود " + std::string(nearest) + "؟";
        english += "Did you mean " + std::string(nearest) + "?";
      } else if (arabicKey) {
        arabic += "الأسماء قبل علامة = هي الأسماء الإنجليزية التي في الدليل، مثل sentence.";
        english += "The names before = are the English ones of the guide, such as sentence.";
      } else {
        arabic += "الأسماء المعروفة هنا: " + join(known, "، ") + ".";
        english += "The names known there: " + join(known, ", ") + ".";
      }
      add(lineOf(value), arabic, english);
    }
  }

  // A text field: nothing when it is absent; a problem when it is not a text, too long, or holds
  // characters no board can show.
  std::optional<std::string> text(const toml::table& table, std::string_view key, std::size_t longest, int& line) {
    const toml::node* node = table.get(key);
    if (!node) return std::nullopt;
    line = lineOf(*node);
    const auto value = node->value_exact<std::string>();
    if (!value) {
      add(line, "قيمة " + std::string(key) + " نص يُكتب بين علامتي تنصيص: " + std::string(key) + " = \"...\".",
          "the value of " + std::string(key) + " must be a text between double quotes: " + std::string(key) + " = \"...\".");
      return std::nullopt;
    }
    const std::string tidy = tidySpaces(*value);
    if (const std::u32string unseen = invisibleIn(tidy); !unseen.empty()) {
      add(line, "في النص ما لا يُرى ولا تعرضه اللوحة (" + arabicKinds(unseen) + "). يُرجى حذفه، أو كتابة السطر من جديد.",
          "the text holds what cannot be seen and a board cannot show (" + englishKinds(unseen) +
              "). Delete it, or type the line afresh.");
      return std::nullopt;
    }
    if (codePoints(tidy).size() > longest) {
      add(line, "النص أطول من " + numberThen(static_cast<long long>(longest), kLetters) + "، فيُرجى اختصاره.",
          "the text is longer than " + std::to_string(longest) + " characters. Shorten it.");
      return std::nullopt;
    }
    if (tidy.empty()) {
      add(line, "النص فارغ. يُرجى كتابته بين علامتي التنصيص، أو حذف السطر.", "the text is empty. Write it between the quotes, or delete the line.");
      return std::nullopt;
    }
    return tidy;
  }

 private:
  static std::string join(std::initializer_list<std::string_view> names, const char* comma) {
    std::string out;
    for (std::string_view n : names) out += (out.empty() ? "" : comma) + std::string(n);
    return out;
  }
  Problems& problems_;
};

// A group's letters as written: the word without its parentheses, and the code points each pair of
// parentheses holds.
struct Written {
  std::u32string word;
  std::vector<std::pair<std::size_t, std::size_t>> runs;
  std::size_t coreStart = 0, coreEnd = 0;  // the word without the punctuation touching it
};

std::optional<Written> parseParentheses(const std::string& letters, int line, Reader& reader) {
  Written w;
  constexpr std::size_t kNone = std::u32string::npos;
  std::size_t open = kNone;
  for (const char32_t c : codePoints(letters)) {
    if (c == U'(') {
      if (open != kNone) {
        reader.add(line, "قوس داخل قوس. لكل مجموعة حروف قوسان حولها فقط.",
                   "a parenthesis inside another. Put each run of letters between one pair of parentheses.");
        return std::nullopt;
      }
      open = w.word.size();
    } else if (c == U')') {
      if (open == kNone) {
        reader.add(line, "قوس يُغلق ولم يُفتح. يُفتح القوس قبل الحروف ويُغلق بعدها.",
                   "a parenthesis closes that was never opened. Open it before the letters and close it after them.");
        return std::nullopt;
      }
      if (open == w.word.size()) {
        reader.add(line, "قوسان لا شيء بينهما. بينهما توضع الحروف التي تُلوَّن.",
                   "a pair of parentheses with nothing between them. Put the letters to colour between them.");
        return std::nullopt;
      }
      w.runs.emplace_back(open, w.word.size());
      open = kNone;
    } else {
      w.word.push_back(c);
    }
  }
  if (open != kNone) {
    reader.add(line, "قوس فُتح ولم يُغلق. يُغلق القوس بعد الحروف التي تُلوَّن.",
               "a parenthesis opens and never closes. Close it after the letters to colour.");
    return std::nullopt;
  }
  // Punctuation touching the word may be written with it or left out; it is never coloured.
  w.coreEnd = w.word.size();
  while (w.coreStart < w.coreEnd && isPunctuation(w.word[w.coreStart])) ++w.coreStart;
  while (w.coreEnd > w.coreStart && isPunctuation(w.word[w.coreEnd - 1])) --w.coreEnd;
  if (w.coreStart == w.coreEnd) {
    reader.add(line, "لم تُكتب الكلمة. تُكتب الكلمة كما في الجملة، والحروف الملونة بين قوسين.",
               "no word is written. Write the word as in the sentence, with the letters to colour in parentheses.");
    return std::nullopt;
  }
  if (std::find(w.word.begin(), w.word.end(), U' ') != w.word.end()) {
    reader.add(line, "المجموعة في أكثر من كلمة، ولكل كلمة مجموعة خاصة بها.",
               "the group spans more than one word. Give each word a group of its own.");
    return std::nullopt;
  }
  if (w.runs.empty()) w.runs.emplace_back(w.coreStart, w.coreEnd);  // no parentheses: the whole word
  for (const auto& [a, b] : w.runs)
    if (a < w.coreStart || b > w.coreEnd) {
      reader.add(line, "بين القوسين علامة ترقيم، وعلامات الترقيم لا تُلوَّن. يُرجى إبقاء القوسين حول الحروف وحدها.",
                 "a parenthesis holds a punctuation mark, and punctuation is never coloured. Keep the parentheses "
                 "around letters alone.");
      return std::nullopt;
    }
  return w;
}

std::u32string dotlessYeh(std::u32string word) {
  std::replace(word.begin(), word.end(), U'\u064A', U'\u0649');
  return word;
}

std::u32string bare(const std::u32string& word) {
  std::u32string out;
  for (const char32_t c : word)
    if (!isMark(c)) out.push_back(c);
  return out;
}

// Letters of the sentence's word `word` that a run of the written word names, or a problem. The
// written word's first letter after its punctuation is the sentence word's letter `firstLetter`.
std::optional<Letters> lettersOfRun(const Written& w, std::pair<std::size_t, std::size_t> run, int word,
                                    const Word& inSentence, int firstLetter, int line, Reader& reader) {
  // Which letter each code point of the written word belongs to.
  std::vector<int> letterAt(w.word.size());
  int letter = -1;
  for (std::size_t i = 0; i < w.word.size(); ++i) {
    if (!isMark(w.word[i]) || letter < 0) ++letter;
    letterAt[i] = letter;
  }
  const int shift = firstLetter - static_cast<int>(w.coreStart);  // punctuation is a letter each
  for (int& l : letterAt) l += shift;
  const auto [a, b] = run;
  const auto partOfALetter = [&] {
    reader.add(line, "القوس يقسم حرفًا: الحرف وحركاته وشدته شيء واحد، فيوضع القوس قبل الحرف وبعد آخر علامة عليه.",
               "a parenthesis splits a letter: a letter with its marks and shadda is one. Put the parenthesis before "
               "the letter and after the last mark on it.");
    return std::nullopt;
  };
  const bool marksOnly = std::all_of(w.word.begin() + static_cast<long>(a), w.word.begin() + static_cast<long>(b), isMark);
  if (marksOnly) {
    // All the marks of one letter, and only they.
    const int k = letterAt[a];
    const bool whole = (a == 0 || !isMark(w.word[a - 1]) || letterAt[a - 1] != k) && letterAt[b - 1] == k &&
                       (b == w.word.size() || !isMark(w.word[b]));
    if (a == 0 || !whole || isMark(w.word[a - 1])) return partOfALetter();
    if (inSentence[static_cast<std::size_t>(k)].end == inSentence[static_cast<std::size_t>(k)].baseEnd) {
      reader.add(line, "الحرف في الجملة بلا علامات تُلوَّن. يُرجى كتابة العلامة في الجملة أيضًا، أو تلوين الحرف كله.",
                 "that letter carries no marks in the sentence to colour. Write the mark in the sentence too, or colour "
                 "the whole letter.");
      return std::nullopt;
    }
    return Letters{word, k, 1, true};
  }
  if (isMark(w.word[a]) || (b < w.word.size() && isMark(w.word[b]))) return partOfALetter();
  const auto lamAlef = [&](std::size_t at) {  // a boundary just before an alef that follows a lam
    return at > 0 && at < w.word.size() && isAlef(w.word[at]) && [&] {
      std::size_t before = at;
      while (before > 0 && isMark(w.word[before - 1])) --before;
      return before > 0 && w.word[before - 1] == 0x0644;
    }();
  };
  if (lamAlef(a) || lamAlef(b)) {
    reader.add(line, "اللام والألف بعدها يُكتبان شكلًا واحدًا (لا)، فلا يُلوَّن أحدهما وحده بل يُلوَّنان معًا.",
               "a lam and the alef after it are written as one shape (لا), so one cannot be coloured alone. Colour "
               "both together.");
    return std::nullopt;
  }
  return Letters{word, letterAt[a], letterAt[b - 1] - letterAt[a] + 1, false};
}

// Each word without the punctuation touching it: the letters from its first to its last.
std::vector<std::pair<int, int>> coresOf(const std::vector<Word>& words) {
  std::vector<std::pair<int, int>> cores;
  for (const Word& w : words) {
    int first = 0, last = static_cast<int>(w.size());
    const auto punctuation = [&](int k) {
      const Letter& l = w[static_cast<std::size_t>(k)];
      return isPunctuation(l.base) && l.end == l.baseEnd;
    };
    while (first < last && punctuation(first)) ++first;
    while (last > first && punctuation(last - 1)) --last;
    cores.emplace_back(first, last);
  }
  return cores;
}

std::u32string coreText(std::string_view sentence, const std::vector<Word>& words,
                        const std::vector<std::pair<int, int>>& cores, std::size_t k) {
  const auto [first, last] = cores[k];
  if (first == last) return std::u32string();
  const std::size_t from = words[k][static_cast<std::size_t>(first)].start;
  return codePoints(sentence.substr(from, words[k][static_cast<std::size_t>(last - 1)].end - from));
}

// The sentence's words a written word is taken for, in reading order.
bool sameWord(const std::u32string& inSentence, const std::u32string& written) {
  return !inSentence.empty() && (inSentence == written || bare(inSentence) == bare(written));
}

std::string textOf(std::string_view sentence, const std::vector<Word>& words, const Letters& l) {
  const Word& word = words[static_cast<std::size_t>(l.word)];
  const Letter& first = word[static_cast<std::size_t>(l.letter)];
  const Letter& last = word[static_cast<std::size_t>(l.letter + l.count - 1)];
  const std::size_t from = l.marksOnly ? first.baseEnd : first.start;
  return std::string(sentence.substr(from, last.end - from));
}

}  // namespace

std::string describe(const Problem& problem, const std::string& file, bool note) {
  const std::string where = file + (problem.line > 0 ? ":" + std::to_string(problem.line) : "") + ": ";
  return where + (note ? "ملاحظة: " : "") + problem.arabic + "\n" + where + (note ? "note: " : "") + problem.english + "\n";
}

ReadBoard readBoardFile(std::string_view bytes) {
  ReadBoard result;
  TeacherText teacherText = readTeacherText(bytes);
  if (teacherText.unreadable) {
    result.problems.push_back(std::move(teacherText.problem));
    return result;
  }
  result.notes = std::move(teacherText.notes);
  Reader reader(result.problems);
  // Every line the parser cannot read is reported at once: each is left out in turn and the rest read
  // again. What the lines say is checked only once they all read, or the lines left out would
  // show up as things missing.
  std::string text = std::move(teacherText.text);
  std::optional<toml::table> parsed;
  for (int tries = 0; !parsed && tries < 20; ++tries) {
    try {
      parsed = toml::parse(text);
    } catch (const toml::parse_error& e) {
      const auto line = static_cast<int>(e.source().begin.line);
      if (!result.problems.empty() && result.problems.back().line == line) break;  // it reads no better without
      reader.add(line, "هذا السطر لا يتبع صيغة ملف اللوحة. كل سطر يُكتب هكذا: sentence = \"الجملة\"، والنص بين علامتي تنصيص.",
                 "this line does not follow the form of a board file (" + std::string(e.description()) +
                     "). Write each line as: sentence = \"...\", with the text between double quotes.");
      std::size_t start = 0;
      for (int k = 1; k < line && start != std::string::npos; ++k) {
        const std::size_t newline = text.find('\n', start);
        start = newline == std::string::npos ? newline : newline + 1;
      }
      const std::size_t end = start == std::string::npos ? start : text.find('\n', start);
      if (start == std::string::npos || start >= text.size() || end == start) break;  // nothing left to leave out
      text.erase(start, end == std::string::npos ? std::string::npos : end - start);
    }
  }
  if (!result.problems.empty()) return result;
  const toml::table& root = *parsed;
  BoardFile board;
  reader.unknownKeys(root, {"title", "sentence", "instruction", "teacher", "school", "group", "decoy"}, "the file");

  int line = 0;
  board.sentence = reader.text(root, "sentence", kLongestSentence, board.sentenceLine).value_or("");
  if (!root.get("sentence"))
    reader.add(0, "لا جملة في الملف. يُرجى إضافة سطر: sentence = \"الجملة\".", "the file has no sentence. Add a line: sentence = \"...\".");
  if (const std::u32string strange = strangeInSentence(board.sentence); !strange.empty()) {
    reader.add(board.sentenceLine,
               "في الجملة ما لا تعرضه اللوحة (" + arabicKinds(strange) + "). تُكتب الجملة بحروف عربية وعلاماتها وعلامات الترقيم فقط.",
               "the sentence holds what a board cannot show (" + englishKinds(strange) +
                   "). Write the sentence in Arabic letters, their marks and punctuation only.");
    board.sentence.clear();
  }
  board.title = reader.text(root, "title", kLongestTitle, board.titleLine).value_or(board.sentence);
  board.instruction = reader.text(root, "instruction", kLongestInstruction, board.instructionLine).value_or(std::string(kDefaultInstruction));
  board.teacher = reader.text(root, "teacher", kLongestName, line).value_or("");
  board.school = reader.text(root, "school", kLongestName, line).value_or("");

  const std::vector<Word> words = wordsOf(board.sentence);
  const std::vector<std::pair<int, int>> cores = coresOf(words);
  const auto coreOf = [&](std::size_t k) { return coreText(board.sentence, words, cores, k); };
  std::map<std::string, int> skillLines;  // each skill once a board
  const auto skillOnce = [&](const std::string& skill, int at) {
    const auto [found, fresh] = skillLines.emplace(skill, at);
    if (!fresh)
      reader.add(at, "المهارة " + inQuotes(skill) + " مذكورة في السطر " + arabicDigits(found->second) +
                         " أيضًا، فلا يُعرف أي القطعتين لأي دائرة. تُذكر كل مهارة مرة واحدة.",
                 "the skill " + inQuotes(skill) + " is named on line " + std::to_string(found->second) +
                     " as well, so a pupil cannot tell which piece goes where. Name each skill once.");
  };
  std::map<std::pair<int, int>, int> coloured;  // (word, letter) -> the line of the group colouring it

  const toml::node* groups = root.get("group");
  const toml::array* groupList = groups ? groups->as_array() : nullptr;
  if (groups && (!groupList || !groupList->is_array_of_tables())) {
    reader.add(lineOf(*groups), "تُكتب كل مجموعة تحت عنوان [[group]] في سطر وحده.",
               "write each group under a heading [[group]] on a line of its own.");
    groupList = nullptr;
  }
  if (!groupList || groupList->empty())
    reader.add(0, "لا مجموعات حروف في الملف. يُرجى إضافة مجموعة واحدة على الأقل تحت [[group]].",
               "the file has no letter groups. Add at least one under [[group]].");
  int count = 0;
  const toml::array none;  // a copy of the file's array would lose where its nodes stand
  for (const toml::node& node : groupList ? *groupList : none) {
    const toml::table& table = *node.as_table();
    const int at = lineOf(node);
    if (++count == kMaxGroups + 1)
      reader.add(at, "في اللوحة أكثر من " + numberThen(kMaxGroups, kGroups) + "، فيُرجى حذف ما زاد أو جعله لوحة ثانية.",
                 "the board has more than " + std::to_string(kMaxGroups) +
                     " groups. Delete the rest, or make them a second board.");
    reader.unknownKeys(table, {"letters", "skill", "word"}, "a group");
    Group group;
    group.line = at;
    const auto skill = reader.text(table, "skill", kLongestSkill, group.skillLine);
    if (!table.get("skill"))
      reader.add(at, "المجموعة بلا مهارة. يُرجى إضافة سطر: skill = \"اسم المهارة\".", "the group has no skill. Add a line: skill = \"...\".");
    if (skill) {
      group.skill = *skill;
      skillOnce(*skill, group.skillLine);
    }
    const auto letters = reader.text(table, "letters", 40, group.line);
    if (!table.get("letters"))
      reader.add(at, "المجموعة بلا حروف. يُرجى إضافة سطر: letters = \"الكلمة والحروف الملونة بين قوسين\".",
                 "the group has no letters. Add a line: letters = \"the word, with the letters to colour in parentheses\".");
    if (!letters || words.empty()) continue;
    const auto written = parseParentheses(*letters, group.line, reader);
    if (!written) continue;
    const std::u32string writtenWord(written->word.begin() + static_cast<long>(written->coreStart),
                                     written->word.begin() + static_cast<long>(written->coreEnd));
    // The sentence's words that are this one, written with the same marks or without any, each
    // without the punctuation touching it.
    std::vector<int> matches;
    for (std::size_t k = 0; k < words.size(); ++k) {
      if (sameWord(coreOf(k), writtenWord)) matches.push_back(static_cast<int>(k));
    }
    const bool lookedAlike = !matches.empty();
    // A keyboard whose yeh has no dots at a word's end (as Persian ones give) writes في as فى: the
    // sentence's own letters are the ones drawn, so a word that differs only there is still found.
    for (std::size_t k = 0; !lookedAlike && k < words.size(); ++k) {
      const std::u32string word = coreOf(k);
      if (!word.empty() && dotlessYeh(bare(word)) == dotlessYeh(bare(writtenWord))) matches.push_back(static_cast<int>(k));
    }
    std::string plainWord;
    for (const char32_t c : writtenWord) plainWord += utf8(c);
    if (matches.empty()) {
      reader.add(group.line,
                 "الكلمة " + inQuotes(plainWord) + " ليست في الجملة. تُكتب كما هي في الجملة تمامًا، ثم توضع الحروف الملونة بين قوسين.",
                 "the word " + inQuotes(plainWord) + " is not in the sentence. Write it exactly as the sentence has it, "
                 "then put the letters to colour in parentheses.");
      continue;
    }
    // Without `word`, the first time the sentence has it, counted from the right.
    int wordIndex = matches.front();
    if (const toml::node* which = table.get("word")) {
      std::optional<long long> n;
      if (const auto number = which->value_exact<std::int64_t>()) n = *number;
      if (const auto typed = which->value_exact<std::string>()) n = numberIn(*typed);
      const auto times = static_cast<long long>(matches.size());
      if (!n || *n < 1 || *n > times) {
        reader.add(lineOf(*which),
                   "الكلمة " + inQuotes(plainWord) + " في الجملة " + counted(times, kTimes) +
                       "، والرقم بعد word = ترتيب ظهورها عدًّا من اليمين: " +
                       (times == 1 ? std::string("١ فقط، ويمكن حذف السطر.") : "من ١ إلى " + arabicDigits(times) + "."),
                   "the word " + inQuotes(plainWord) + " appears " + timesEnglish(times) +
                       " in the sentence, and word says which appearance, counted from the right: " +
                       (times == 1 ? std::string("only 1, and the line can go.") : "a number from 1 to " + std::to_string(times) + "."));
        continue;
      }
      wordIndex = matches[static_cast<std::size_t>(*n - 1)];
    }
    bool fine = true;
    for (const auto& run : written->runs) {
      const auto l = lettersOfRun(*written, run, wordIndex, words[static_cast<std::size_t>(wordIndex)],
                                  cores[static_cast<std::size_t>(wordIndex)].first, group.line, reader);
      if (!l) {
        fine = false;
        break;
      }
      group.runs.push_back(*l);
    }
    if (!fine) continue;
    std::sort(group.runs.begin(), group.runs.end(), [](const Letters& p, const Letters& q) { return p.letter < q.letter; });
    for (const Letters& l : group.runs)
      for (int k = l.letter; k < l.letter + l.count; ++k) {
        // A letter's marks and the letter itself are told apart: a group may colour only the marks.
        const int part = l.marksOnly ? 2 * k + 1 : 2 * k;
        for (const int taken : l.marksOnly ? std::vector{part} : std::vector{part, part + 1}) {
          const auto [found, fresh] = coloured.emplace(std::pair{wordIndex, taken}, group.line);
          if (!fresh && fine) {
            reader.add(group.line, "في هذه المجموعة حرف تلوّنه أيضًا المجموعة في السطر " + arabicDigits(found->second) +
                                       "، ولكل حرف مجموعة واحدة.",
                       "a letter here is coloured by the group on line " + std::to_string(found->second) +
                           " as well. Each letter belongs to one group.");
            fine = false;
          }
        }
      }
    if (!fine) continue;
    for (const Letters& l : group.runs) group.letters += textOf(board.sentence, words, l);
    board.groups.push_back(std::move(group));
  }

  const toml::node* decoys = root.get("decoy");
  const toml::array* decoyList = decoys ? decoys->as_array() : nullptr;
  if (decoys && (!decoyList || !decoyList->is_array_of_tables())) {
    reader.add(lineOf(*decoys), "تُكتب كل مهارة بلا حرف تحت عنوان [[decoy]] في سطر وحده.",
               "write each skill with no letter under a heading [[decoy]] on a line of its own.");
    decoyList = nullptr;
  }
  count = 0;
  for (const toml::node& node : decoyList ? *decoyList : none) {
    const toml::table& table = *node.as_table();
    const int at = lineOf(node);
    if (++count == kMaxDecoys + 1)
      reader.add(at, "في اللوحة أكثر من " + numberThen(kMaxDecoys, kSkills) + " بلا حروف، فيُرجى حذف ما زاد.",
                 "more than " + std::to_string(kMaxDecoys) + " skills with no letter. Delete the rest.");
    reader.unknownKeys(table, {"skill"}, "a decoy");
    Decoy decoy{at, ""};
    if (const auto skill = reader.text(table, "skill", kLongestSkill, decoy.line)) {
      decoy.skill = *skill;
      skillOnce(*skill, decoy.line);
      board.decoys.push_back(std::move(decoy));
    } else if (!table.get("skill")) {
      reader.add(at, "المهارة بلا اسم. يُرجى إضافة سطر: skill = \"اسم المهارة\".", "the decoy has no skill. Add a line: skill = \"...\".");
    }
  }

  std::stable_sort(result.problems.begin(), result.problems.end(), [](const Problem& a, const Problem& b) { return a.line < b.line; });
  if (!result.problems.empty()) return result;
  // Circles are numbered in the reading order of the letters they point at; on one letter, the whole
  // letter before its marks alone. A strict order: the browser's sort compares an element with
  // itself, and an order that calls a group less than itself lets it put the circles out of order.
  std::sort(board.groups.begin(), board.groups.end(), [](const Group& a, const Group& b) {
    const Letters &p = a.runs.front(), &q = b.runs.front();
    return p.word != q.word ? p.word < q.word : p.letter != q.letter ? p.letter < q.letter : !p.marksOnly && q.marksOnly;
  });
  result.board = std::move(board);
  return result;
}

std::optional<GroupLines> groupLines(std::string_view sentence, const std::vector<Letters>& runs) {
  const std::vector<Word> words = wordsOf(sentence);
  if (runs.empty()) return std::nullopt;
  const int word = runs.front().word;
  if (word < 0 || static_cast<std::size_t>(word) >= words.size()) return std::nullopt;
  const Word& letters = words[static_cast<std::size_t>(word)];
  const std::vector<std::pair<int, int>> cores = coresOf(words);
  const auto [first, last] = cores[static_cast<std::size_t>(word)];
  // Where each parenthesis goes, in bytes of the word's core.
  std::vector<std::pair<std::size_t, char>> marks;
  for (const Letters& run : runs) {
    if (run.word != word || run.letter < first || run.count < 1 || run.letter + run.count > last) return std::nullopt;
    const Letter& a = letters[static_cast<std::size_t>(run.letter)];
    const Letter& b = letters[static_cast<std::size_t>(run.letter + run.count - 1)];
    if (run.marksOnly && a.end == a.baseEnd) return std::nullopt;
    marks.emplace_back(run.marksOnly ? a.baseEnd : a.start, '(');
    marks.emplace_back(b.end, ')');
  }
  // Where one run ends as the next begins, the closing one first: ")(" is then merged below.
  std::sort(marks.begin(), marks.end(), [](const auto& a, const auto& b) {
    return a.first != b.first ? a.first < b.first : a.second == ')' && b.second == '(';
  });
  const std::size_t from = letters[static_cast<std::size_t>(first)].start;
  const std::size_t to = letters[static_cast<std::size_t>(last - 1)].end;
  GroupLines lines;
  std::size_t at = from;
  int open = 0;
  for (const auto& [where, mark] : marks) {
    if (mark == '(' && open++ > 0) return std::nullopt;  // runs that overlap
    if (mark == ')') --open;
    lines.letters.append(sentence.substr(at, where - at));
    lines.letters += mark;
    at = where;
  }
  lines.letters.append(sentence.substr(at, to - at));
  // Touching runs write ")(": one pair of parentheses holds them.
  for (std::size_t p; (p = lines.letters.find(")(")) != std::string::npos;) lines.letters.erase(p, 2);
  const std::u32string core = coreText(sentence, words, cores, static_cast<std::size_t>(word));
  for (std::size_t k = 0; k < words.size(); ++k)
    if (sameWord(coreText(sentence, words, cores, k), core)) {
      ++lines.appearances;
      if (k <= static_cast<std::size_t>(word)) ++lines.appearance;
    }
  return lines;
}

}  // namespace wizlo::maker
