#include "maker/board_file.hpp"

#include <toml++/toml.h>

#include <algorithm>
#include <map>
#include <set>

#include "maker/arabic_letters.hpp"

namespace wizlo::maker {
namespace {

constexpr std::size_t kLongestTitle = 60, kLongestSkill = 30, kLongestInstruction = 60, kLongestName = 40;
constexpr std::size_t kLongestSentence = 120;

int lineOf(const toml::node& node) { return static_cast<int>(node.source().begin.line); }

std::string quoted(std::string_view text) { return "«" + std::string(text) + "»"; }

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
      std::string arabic = "الاسم " + quoted(name) + " غير معروف في " + std::string(where == "the file" ? "الملف" : "هذه المجموعة") + ". ";
      std::string english = "the name " + quoted(name) + " is not known in " + std::string(where) + ". ";
      if (!nearest.empty()) {
        arabic += "هل تقصد " + std::string(nearest) + "؟";
        english += "Did you mean " + std::string(nearest) + "?";
      } else if (arabicKey) {
        arabic += "الأسماء قبل علامة = بالإنجليزية كما في الدليل، مثل sentence.";
        english += "The names before = are the English ones of the guide, such as sentence.";
      } else {
        arabic += "الأسماء المعروفة: " + join(known) + ".";
        english += "The names known there: " + join(known) + ".";
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
      add(line, "قيمة " + std::string(key) + " يجب أن تكون نصًا بين علامتي تنصيص: " + std::string(key) + " = \"...\".",
          "the value of " + std::string(key) + " must be a text between double quotes: " + std::string(key) + " = \"...\".");
      return std::nullopt;
    }
    const std::string tidy = tidySpaces(*value);
    if (const auto c = invisibleIn(tidy)) {
      add(line, "في النص حرف لا يُرى ولا تعرضه اللوحة (" + nameOfCharacter(*c) + "). احذفه، أو اكتب السطر من جديد.",
          "the text holds a character that cannot be seen and a board cannot show (" + nameOfCharacter(*c) +
              "). Delete it, or type the line afresh.");
      return std::nullopt;
    }
    if (codePoints(tidy).size() > longest) {
      add(line, "النص أطول من " + std::to_string(longest) + " حرفًا. اختصره.",
          "the text is longer than " + std::to_string(longest) + " characters. Shorten it.");
      return std::nullopt;
    }
    if (tidy.empty()) {
      add(line, "النص فارغ. اكتب ما بين علامتي التنصيص أو احذف السطر.", "the text is empty. Write it between the quotes, or delete the line.");
      return std::nullopt;
    }
    return tidy;
  }

 private:
  static std::string join(std::initializer_list<std::string_view> names) {
    std::string out;
    for (std::string_view n : names) out += (out.empty() ? "" : ", ") + std::string(n);
    return out;
  }
  Problems& problems_;
};

// A group's letters as written: the word without its parentheses, and the code points each pair of
// parentheses holds.
struct Written {
  std::u32string word;
  std::vector<std::pair<std::size_t, std::size_t>> runs;
};

std::optional<Written> parseParentheses(const std::string& letters, int line, Reader& reader) {
  Written w;
  constexpr std::size_t kNone = std::u32string::npos;
  std::size_t open = kNone;
  for (const char32_t c : codePoints(letters)) {
    if (c == U'(') {
      if (open != kNone) {
        reader.add(line, "قوس داخل قوس. ضع كل مجموعة حروف بين قوسين مرة واحدة.",
                   "a parenthesis inside another. Put each run of letters between one pair of parentheses.");
        return std::nullopt;
      }
      open = w.word.size();
    } else if (c == U')') {
      if (open == kNone) {
        reader.add(line, "قوس يُغلق ولم يُفتح. افتح القوس قبل الحروف وأغلقه بعدها.",
                   "a parenthesis closes that was never opened. Open it before the letters and close it after them.");
        return std::nullopt;
      }
      if (open == w.word.size()) {
        reader.add(line, "قوسان لا شيء بينهما. ضع بينهما الحروف التي تُلوَّن.",
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
    reader.add(line, "قوس فُتح ولم يُغلق. أغلقه بعد الحروف التي تُلوَّن.",
               "a parenthesis opens and never closes. Close it after the letters to colour.");
    return std::nullopt;
  }
  if (w.word.empty()) {
    reader.add(line, "لم تُكتب الكلمة. اكتب الكلمة كما في الجملة وضع الحروف الملونة بين قوسين.",
               "no word is written. Write the word as in the sentence, with the letters to colour in parentheses.");
    return std::nullopt;
  }
  if (std::find(w.word.begin(), w.word.end(), U' ') != w.word.end()) {
    reader.add(line, "المجموعة في أكثر من كلمة. اجعل لكل كلمة مجموعة خاصة بها.",
               "the group spans more than one word. Give each word a group of its own.");
    return std::nullopt;
  }
  if (w.runs.empty()) w.runs.emplace_back(0, w.word.size());  // no parentheses: the whole word
  return w;
}

std::u32string bare(const std::u32string& word) {
  std::u32string out;
  for (const char32_t c : word)
    if (!isMark(c)) out.push_back(c);
  return out;
}

// Letters of the sentence's word `word` that a run of the written word names, or a problem.
std::optional<Letters> lettersOfRun(const Written& w, std::pair<std::size_t, std::size_t> run, int word,
                                    const Word& inSentence, int line, Reader& reader) {
  // Which letter each code point of the written word belongs to.
  std::vector<int> letterAt(w.word.size());
  int letter = -1;
  for (std::size_t i = 0; i < w.word.size(); ++i) {
    if (!isMark(w.word[i]) || letter < 0) ++letter;
    letterAt[i] = letter;
  }
  const auto [a, b] = run;
  const auto partOfALetter = [&] {
    reader.add(line, "القوس يقسم حرفًا: الحرف وحركاته وشدته شيء واحد. ضع القوس قبل الحرف وبعد آخر علامة عليه.",
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
      reader.add(line, "الحرف في الجملة بلا علامات لتلوينها. اكتب العلامة في الجملة أيضًا أو لوّن الحرف كله.",
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
    reader.add(line, "اللام والألف بعدها يُكتبان شكلًا واحدًا (لا) فلا يُلوَّن أحدهما وحده. لوّنهما معًا.",
               "a lam and the alef after it are written as one shape (لا), so one cannot be coloured alone. Colour "
               "both together.");
    return std::nullopt;
  }
  return Letters{word, letterAt[a], letterAt[b - 1] - letterAt[a] + 1, false};
}

std::string textOf(std::string_view sentence, const std::vector<Word>& words, const Letters& l) {
  const Word& word = words[static_cast<std::size_t>(l.word)];
  const Letter& first = word[static_cast<std::size_t>(l.letter)];
  const Letter& last = word[static_cast<std::size_t>(l.letter + l.count - 1)];
  const std::size_t from = l.marksOnly ? first.baseEnd : first.start;
  return std::string(sentence.substr(from, last.end - from));
}

}  // namespace

std::string describe(const Problem& problem, const std::string& file) {
  const std::string where = file + (problem.line > 0 ? ":" + std::to_string(problem.line) : "") + ": ";
  return where + problem.arabic + "\n" + where + problem.english + "\n";
}

ReadBoard readBoardFile(std::string_view text) {
  ReadBoard result;
  Reader reader(result.problems);
  toml::table root;
  try {
    root = toml::parse(text);
  } catch (const toml::parse_error& e) {
    reader.add(static_cast<int>(e.source().begin.line),
               "هذا السطر لا يتبع صيغة ملف اللوحة. اكتب كل سطر هكذا: sentence = \"الجملة\"، والنص بين علامتي تنصيص.",
               "this line does not follow the form of a board file (" + std::string(e.description()) +
                   "). Write each line as: sentence = \"...\", with the text between double quotes.");
    return result;
  }
  BoardFile board;
  reader.unknownKeys(root, {"title", "sentence", "instruction", "teacher", "school", "group", "decoy"}, "the file");

  int line = 0;
  board.sentence = reader.text(root, "sentence", kLongestSentence, board.sentenceLine).value_or("");
  if (!root.get("sentence"))
    reader.add(0, "لا جملة في الملف. أضف سطرًا: sentence = \"الجملة\".", "the file has no sentence. Add a line: sentence = \"...\".");
  if (const auto c = board.sentence.empty() ? std::nullopt : strangeInSentence(board.sentence)) {
    reader.add(board.sentenceLine,
               "في الجملة حرف " + quoted(utf8(*c)) + " لا تعرضه اللوحة (" + nameOfCharacter(*c) +
                   "). اكتب الجملة بحروف عربية وعلاماتها فقط.",
               "the sentence holds " + quoted(utf8(*c)) + " (" + nameOfCharacter(*c) +
                   "), which a board cannot show. Write the sentence in Arabic letters and their marks only.");
    board.sentence.clear();
  }
  board.title = reader.text(root, "title", kLongestTitle, board.titleLine).value_or(board.sentence);
  board.instruction = reader.text(root, "instruction", kLongestInstruction, board.instructionLine).value_or(std::string(kDefaultInstruction));
  board.teacher = reader.text(root, "teacher", kLongestName, line).value_or("");
  board.school = reader.text(root, "school", kLongestName, line).value_or("");

  const std::vector<Word> words = wordsOf(board.sentence);
  std::map<std::string, int> skillLines;  // each skill once a board
  const auto skillOnce = [&](const std::string& skill, int at) {
    const auto [found, fresh] = skillLines.emplace(skill, at);
    if (!fresh)
      reader.add(at, "المهارة " + quoted(skill) + " مذكورة في السطر " + std::to_string(found->second) +
                         " أيضًا، فلا يعرف التلميذ أي القطعتين لأي دائرة. اذكر كل مهارة مرة واحدة.",
                 "the skill " + quoted(skill) + " is named on line " + std::to_string(found->second) +
                     " as well, so a pupil cannot tell which piece goes where. Name each skill once.");
  };
  std::map<std::pair<int, int>, int> coloured;  // (word, letter) -> the line of the group colouring it

  const toml::node* groups = root.get("group");
  const toml::array* groupList = groups ? groups->as_array() : nullptr;
  if (groups && (!groupList || !groupList->is_array_of_tables())) {
    reader.add(lineOf(*groups), "اكتب كل مجموعة تحت عنوان [[group]] في سطر وحده.",
               "write each group under a heading [[group]] on a line of its own.");
    groupList = nullptr;
  }
  if (!groupList || groupList->empty())
    reader.add(0, "لا مجموعات حروف في الملف. أضف مجموعة واحدة على الأقل تحت [[group]].",
               "the file has no letter groups. Add at least one under [[group]].");
  int count = 0;
  const toml::array none;  // a copy of the file's array would lose where its nodes stand
  for (const toml::node& node : groupList ? *groupList : none) {
    const toml::table& table = *node.as_table();
    const int at = lineOf(node);
    if (++count == kMaxGroups + 1)
      reader.add(at, "في اللوحة أكثر من " + std::to_string(kMaxGroups) + " مجموعة. احذف ما زاد أو اجعله لوحة ثانية.",
                 "the board has more than " + std::to_string(kMaxGroups) +
                     " groups. Delete the rest, or make them a second board.");
    reader.unknownKeys(table, {"letters", "skill", "word"}, "a group");
    Group group;
    group.line = at;
    const auto skill = reader.text(table, "skill", kLongestSkill, group.skillLine);
    if (!table.get("skill"))
      reader.add(at, "المجموعة بلا مهارة. أضف سطرًا: skill = \"اسم المهارة\".", "the group has no skill. Add a line: skill = \"...\".");
    if (skill) {
      group.skill = *skill;
      skillOnce(*skill, group.skillLine);
    }
    const auto letters = reader.text(table, "letters", 40, group.line);
    if (!table.get("letters"))
      reader.add(at, "المجموعة بلا حروف. أضف سطرًا: letters = \"الكلمة والحروف الملونة بين قوسين\".",
                 "the group has no letters. Add a line: letters = \"the word, with the letters to colour in parentheses\".");
    if (!letters || words.empty()) continue;
    const auto written = parseParentheses(*letters, group.line, reader);
    if (!written) continue;
    // The sentence's words that are this one, written with the same marks or without any.
    std::vector<int> matches;
    for (std::size_t k = 0; k < words.size(); ++k) {
      const std::u32string word = codePoints(std::string_view(board.sentence).substr(words[k].front().start, words[k].back().end - words[k].front().start));
      if (word == written->word || bare(word) == bare(written->word)) matches.push_back(static_cast<int>(k));
    }
    std::string plainWord;
    for (const char32_t c : written->word) plainWord += utf8(c);
    if (matches.empty()) {
      reader.add(group.line,
                 "الكلمة " + quoted(plainWord) + " ليست في الجملة. اكتبها كما هي في الجملة تمامًا، ثم ضع الحروف الملونة بين قوسين.",
                 "the word " + quoted(plainWord) + " is not in the sentence. Write it exactly as the sentence has it, "
                 "then put the letters to colour in parentheses.");
      continue;
    }
    int wordIndex = matches.front();
    if (const toml::node* which = table.get("word")) {
      const auto n = which->value_exact<std::int64_t>();
      if (!n || *n < 1 || *n > static_cast<std::int64_t>(matches.size())) {
        reader.add(lineOf(*which), "word رقم ترتيب الكلمة بين تكراراتها في الجملة، من ١ إلى " + std::to_string(matches.size()) + ".",
                   "word is which of the word's " + std::to_string(matches.size()) +
                       " appearances in the sentence, counted from the right: a number from 1 to " + std::to_string(matches.size()) + ".");
        continue;
      }
      wordIndex = matches[static_cast<std::size_t>(*n - 1)];
    } else if (matches.size() > 1) {
      reader.add(group.line,
                 "الكلمة " + quoted(plainWord) + " تتكرر في الجملة " + std::to_string(matches.size()) +
                     " مرات. أضف سطرًا word = 1 أو word = 2 لتقول أيها، عدًّا من اليمين.",
                 "the word " + quoted(plainWord) + " appears " + std::to_string(matches.size()) +
                     " times in the sentence. Add a line word = 1 or word = 2 to say which, counting from the right.");
      continue;
    }
    bool fine = true;
    for (const auto& run : written->runs) {
      const auto l = lettersOfRun(*written, run, wordIndex, words[static_cast<std::size_t>(wordIndex)], group.line, reader);
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
            reader.add(group.line, "هذا الحرف تلوّنه أيضًا المجموعة في السطر " + std::to_string(found->second) + ". لكل حرف مجموعة واحدة.",
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
    reader.add(lineOf(*decoys), "اكتب كل مهارة بلا حرف تحت عنوان [[decoy]] في سطر وحده.",
               "write each skill with no letter under a heading [[decoy]] on a line of its own.");
    decoyList = nullptr;
  }
  count = 0;
  for (const toml::node& node : decoyList ? *decoyList : none) {
    const toml::table& table = *node.as_table();
    const int at = lineOf(node);
    if (++count == kMaxDecoys + 1)
      reader.add(at, "أكثر من " + std::to_string(kMaxDecoys) + " مهارات بلا حروف. احذف ما زاد.",
                 "more than " + std::to_string(kMaxDecoys) + " skills with no letter. Delete the rest.");
    reader.unknownKeys(table, {"skill"}, "a decoy");
    Decoy decoy{at, ""};
    if (const auto skill = reader.text(table, "skill", kLongestSkill, decoy.line)) {
      decoy.skill = *skill;
      skillOnce(*skill, decoy.line);
      board.decoys.push_back(std::move(decoy));
    } else if (!table.get("skill")) {
      reader.add(at, "المهارة بلا اسم. أضف سطرًا: skill = \"اسم المهارة\".", "the decoy has no skill. Add a line: skill = \"...\".");
    }
  }

  std::stable_sort(result.problems.begin(), result.problems.end(), [](const Problem& a, const Problem& b) { return a.line < b.line; });
  if (!result.problems.empty()) return result;
  // Circles are numbered in the reading order of the letters they point at.
  std::sort(board.groups.begin(), board.groups.end(), [](const Group& a, const Group& b) {
    const Letters &p = a.runs.front(), &q = b.runs.front();
    return p.word != q.word ? p.word < q.word : p.letter != q.letter ? p.letter < q.letter : !p.marksOnly;
  });
  result.board = std::move(board);
  return result;
}

}  // namespace wizlo::maker
