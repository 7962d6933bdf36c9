// The board maker as the authoring page calls it: each function takes the page's text and answers in
// JSON (json.hpp), kept until the next call. The page loads the font files into the shaper
// (shaping.js) before its first call.
//
//   wizlo_preview(board file, w, h)    the backdrop alone, drawn as fast as it can be
//   wizlo_make(board file, checks)    the verdict of `wizlo-board check`, and the pack made
//   wizlo_sentence(sentence, runs, px) the sentence drawn for tapping, with where each letter is
//   wizlo_group_lines(sentence, runs)  the `letters` and `word` lines for letters tapped
//   wizlo_read_draft(board file)       a board file read back into what the page edits
//   wizlo_link(board file)             the part of a shared board's address after its '#'
//   wizlo_read_link(fragment)          ...read back, as any link from anyone is
//
// Runs cross as text, one a line: "WORD LETTER COUNT MARKS_ONLY GROUP" (GROUP for the colour only).
#include <emscripten.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <exception>
#include <sstream>
#include <string>
#include <vector>

#include "assets/generator/draw/owned.hpp"
#include "assets/generator/draw/shapes.hpp"
#include "assets/generator/text/arabic_text.hpp"
#include "maker/arabic_letters.hpp"
#include "maker/board_file.hpp"
#include "maker/board_link.hpp"
#include "maker/pack_source.hpp"
#include "maker/make_board.hpp"
#include "maker/palette.hpp"
#include "maker/teacher_text.hpp"
#include "maker/web/json.hpp"
#include "maker/web/straight_rgba.hpp"
#include "packs/container.hpp"

namespace wizlo::maker {
namespace {

std::string answer;                      // the last call's JSON
std::vector<std::uint8_t> pack;          // the last board made
std::vector<std::uint8_t> sentencePixels;  // the last sentence drawn, straight RGBA
std::vector<std::uint8_t> previewPixels;   // the last preview drawn, RGBA

struct Run {
  Letters letters;
  int group = 0;
};

std::vector<Run> runsIn(const char* text) {
  std::vector<Run> runs;
  std::istringstream in(text ? text : "");
  Run run;
  int marksOnly = 0;
  while (in >> run.letters.word >> run.letters.letter >> run.letters.count >> marksOnly >> run.group) {
    run.letters.marksOnly = marksOnly != 0;
    runs.push_back(run);
  }
  return runs;
}

// The sentence as the board file reader keeps it, so that letters count alike in the page and the file.
std::string tidySentence(const char* sentence) { return tidySpaces(readTeacherText(sentence ? sentence : "").text); }

std::string hexColour(Rgb rgb) {
  char out[8];
  std::snprintf(out, sizeof out, "#%06x", static_cast<unsigned>(rgb & 0xFFFFFF));
  return out;
}

std::string jsonBox(const art::Box& b, double scale) {
  const auto n = [&](double v) { return std::to_string(static_cast<int>(std::lround(v * scale))); };
  return "[" + n(b.x) + "," + n(b.y) + "," + n(b.right()) + "," + n(b.bottom()) + "]";
}

const char* said(std::string json) {
  answer = std::move(json);
  return answer.c_str();
}

const char* failed(const std::exception& e) { return said("{\"error\":" + jsonString(e.what()) + "}"); }

}  // namespace
}  // namespace wizlo::maker

using namespace wizlo;
using namespace wizlo::maker;

extern "C" {

// `checks` 0: only laid out, drawn and packed, for a shared board that is only to be played.
EMSCRIPTEN_KEEPALIVE const char* wizlo_make(const char* boardFile, int checks) {
  try {
    MakingTimes took;
    MadeBoard made = makeBoard(boardFile ? boardFile : "", &took, checks != 0);
    pack = std::move(made.pack);
    return said("{\"problems\":" + jsonProblems(made.problems) + ",\"notes\":" + jsonProblems(made.notes) +
                ",\"pack\":" + std::to_string(pack.size()) + ",\"ms\":" +
                std::to_string(static_cast<int>(took.drawn[0] + took.drawn[1] + took.checked)) + "}");
  } catch (const std::exception& e) {
    pack.clear();
    return failed(e);
  }
}

// The backdrop alone at width x height, as fast as it can be drawn: its pixels at wizlo_preview_pixels().
EMSCRIPTEN_KEEPALIVE const char* wizlo_preview(const char* boardFile, int width, int height) {
  try {
    MadeBoard made;
    const std::optional<Bitmap> drawn = previewBoard(boardFile ? boardFile : "", std::clamp(width, 16, 4096),
                                                     std::clamp(height, 16, 4096), made);
    previewPixels.clear();
    if (drawn) {
      previewPixels.resize(drawn->argb.size() * 4);
      for (std::size_t i = 0; i < drawn->argb.size(); ++i) putStraight(drawn->argb[i] | 0xFF000000u, &previewPixels[4 * i], true);
    }
    return said("{\"drawn\":" + std::string(drawn ? "true" : "false") + ",\"problems\":" + jsonProblems(made.problems) +
                ",\"notes\":" + jsonProblems(made.notes) + "}");
  } catch (const std::exception& e) {
    previewPixels.clear();
    return failed(e);
  }
}

EMSCRIPTEN_KEEPALIVE const std::uint8_t* wizlo_preview_pixels() { return previewPixels.data(); }

EMSCRIPTEN_KEEPALIVE const std::uint8_t* wizlo_pack() { return pack.data(); }
EMSCRIPTEN_KEEPALIVE int wizlo_pack_size() { return static_cast<int>(pack.size()); }

// The last pack's backdrop at 1x (0) or 2x (1), a JPEG inside the pack: where it starts, its size at *size.
EMSCRIPTEN_KEEPALIVE const std::uint8_t* wizlo_backdrop(int which, int* size) {
  *size = 0;
  if (pack.empty()) return nullptr;
  try {
    std::vector<const packs::Entry*> backdrops;
    const std::vector<packs::Entry> entries = packs::readContainer(pack);
    for (const packs::Entry& e : entries)
      if (e.name.starts_with("backdrop-") && e.name.ends_with(".jpg")) backdrops.push_back(&e);
    if (which < 0 || static_cast<std::size_t>(which) >= backdrops.size()) return nullptr;
    // The larger one is the 2x.
    std::sort(backdrops.begin(), backdrops.end(), [](auto a, auto b) { return a->bytes.size() < b->bytes.size(); });
    const packs::Entry& e = *backdrops[static_cast<std::size_t>(which)];
    *size = static_cast<int>(e.bytes.size());
    return e.bytes.data();
  } catch (const std::exception&) {
    return nullptr;
  }
}

EMSCRIPTEN_KEEPALIVE const char* wizlo_sentence(const char* sentenceText, const char* runsText, double pixelSize) {
  try {
    const std::string sentence = tidySentence(sentenceText);
    const std::vector<Run> runs = runsIn(runsText);
    const std::vector<Word> words = wordsOf(sentence);
    int groups = 0;
    for (const Run& r : runs) groups = std::max(groups, r.group + 1);
    const std::vector<Rgb> colours = groupColours(static_cast<std::size_t>(std::min(groups, static_cast<int>(kMaxGroups))));
    // Laid out in twips as the board is, 15 to a pixel at 1x.
    const double twips = 15, size = std::clamp(pixelSize, 8.0, 200.0) * twips, gap = size * 0.35;
    const art::Surface scratch = art::makeSurface(1, 1);
    const art::Context measure = art::drawingOn(scratch.get());
    std::vector<art::ArabicText> shaped;
    std::vector<std::size_t> starts;
    double width = 0, top = 1e9, bottom = -1e9;
    for (const Word& w : words) {
      if (w.empty()) continue;
      const std::size_t from = w.front().start;
      shaped.emplace_back(measure.get(), std::string_view(sentence).substr(from, w.back().end - from), art::kNaskh, size);
      starts.push_back(from);
      width += shaped.back().logical().width + (shaped.size() > 1 ? gap : 0);
      top = std::min(top, shaped.back().ink().y);
      bottom = std::max(bottom, shaped.back().ink().bottom());
    }
    for (const Run& r : runs) {
      if (r.letters.word < 0 || static_cast<std::size_t>(r.letters.word) >= shaped.size() || colours.empty()) continue;
      const Word& w = words[static_cast<std::size_t>(r.letters.word)];
      if (r.letters.letter < 0 || r.letters.count < 1 || static_cast<std::size_t>(r.letters.letter + r.letters.count) > w.size()) continue;
      const Letter& a = w[static_cast<std::size_t>(r.letters.letter)];
      const Letter& b = w[static_cast<std::size_t>(r.letters.letter + r.letters.count - 1)];
      const std::size_t from = (r.letters.marksOnly ? a.baseEnd : a.start) - starts[static_cast<std::size_t>(r.letters.word)];
      shaped[static_cast<std::size_t>(r.letters.word)].colour({from, b.end - (r.letters.marksOnly ? a.baseEnd : a.start)},
                                                             art::Colour::hex(colours[static_cast<std::size_t>(std::min(r.group, groups - 1))]));
    }
    // Drawn at the page's pixels: right to left, the first word at the right.
    if (shaped.empty()) top = bottom = 0;
    const double margin = size * 0.3;
    const int pxWidth = static_cast<int>(std::ceil((width + 2 * margin) / twips));
    const int pxHeight = static_cast<int>(std::ceil((bottom - top + 2 * margin) / twips));
    const art::Surface surface = art::makeSurface(std::max(pxWidth, 1), std::max(pxHeight, 1));
    std::string letters = "[";
    {
      const art::Context cr = art::drawingOn(surface.get());
      cairo_scale(cr.get(), 1 / twips, 1 / twips);
      double right = width + margin;
      const double y = margin - top;  // every word's ink top at the margin
      for (std::size_t k = 0; k < shaped.size(); ++k) {
        const art::ArabicText& text = shaped[k];
        const double x = right - text.logical().width;
        // Black, then each group's glyphs again in its colour.
        art::setSource(cr.get(), art::kBlack);
        text.path(cr.get(), x, y);
        cairo_fill(cr.get());
        for (const Rgb c : colours) {
          art::setSource(cr.get(), art::Colour::hex(c));
          text.pathIn(cr.get(), x, y, art::Colour::hex(c));
          cairo_fill(cr.get());
        }
        const Word& w = words[k];
        for (std::size_t l = 0; l < w.size(); ++l) {
          if (isPunctuation(w[l].base) && w[l].end == w[l].baseEnd) continue;
          // A lam and the alef after it are one shape, and one tap.
          const std::size_t n = w[l].base == 0x0644 && l + 1 < w.size() && isAlef(w[l + 1].base) ? 2 : 1;
          const Letter& last = w[l + n - 1];
          art::Box ink = text.inkOf({w[l].start - starts[k], last.end - w[l].start});
          ink.x += x;
          ink.y += y;
          letters += std::string(letters.size() > 1 ? "," : "") + "{\"word\":" + std::to_string(k) + ",\"letter\":" +
                     std::to_string(l) + ",\"count\":" + std::to_string(n) + ",\"marks\":" +
                     (n == 1 && w[l].end > w[l].baseEnd ? "true" : "false") + ",\"text\":" +
                     jsonString(std::string_view(sentence).substr(w[l].start, last.end - w[l].start)) + ",\"box\":" +
                     jsonBox(ink, 1 / twips) + "}";
          l += n - 1;
        }
        right = x - gap;
      }
    }
    cairo_surface_flush(surface.get());
    const int stride = cairo_image_surface_get_stride(surface.get());
    const unsigned char* data = cairo_image_surface_get_data(surface.get());
    sentencePixels.resize(static_cast<std::size_t>(pxWidth) * static_cast<std::size_t>(pxHeight) * 4);
    for (int yy = 0; yy < pxHeight; ++yy)
      for (int xx = 0; xx < pxWidth; ++xx) {
        std::uint32_t word;
        std::memcpy(&word, data + static_cast<std::ptrdiff_t>(yy) * stride + xx * 4, 4);
        putStraight(word, &sentencePixels[(static_cast<std::size_t>(yy) * static_cast<std::size_t>(pxWidth) + static_cast<std::size_t>(xx)) * 4], true);
      }
    std::string palette = "[";
    for (const Rgb c : colours) palette += std::string(palette.size() > 1 ? "," : "") + jsonString(hexColour(c));
    return said("{\"sentence\":" + jsonString(sentence) + ",\"width\":" + std::to_string(pxWidth) + ",\"height\":" +
                std::to_string(pxHeight) + ",\"letters\":" + letters + "],\"colours\":" + palette + "]}");
  } catch (const std::exception& e) {
    sentencePixels.clear();
    return failed(e);
  }
}

EMSCRIPTEN_KEEPALIVE const std::uint8_t* wizlo_sentence_pixels() { return sentencePixels.data(); }

EMSCRIPTEN_KEEPALIVE const char* wizlo_group_lines(const char* sentence, const char* runsText) {
  std::vector<Letters> runs;
  for (const Run& r : runsIn(runsText)) runs.push_back(r.letters);
  const std::optional<GroupLines> lines = groupLines(tidySentence(sentence), runs);
  if (!lines) return said("{}");
  return said("{\"letters\":" + jsonString(lines->letters) + ",\"appearance\":" + std::to_string(lines->appearance) +
              ",\"appearances\":" + std::to_string(lines->appearances) + "}");
}

EMSCRIPTEN_KEEPALIVE const char* wizlo_read_draft(const char* boardFile) {
  const ReadBoard read = readBoardFile(boardFile ? boardFile : "");
  if (!read.board) return said("{\"problems\":" + jsonProblems(read.problems) + "}");
  const BoardFile& b = *read.board;
  std::string groups = "[";
  for (const Group& g : b.groups) {
    std::string runs = "[";
    for (const Letters& l : g.runs)
      runs += std::string(runs.size() > 1 ? "," : "") + "[" + std::to_string(l.word) + "," + std::to_string(l.letter) +
              "," + std::to_string(l.count) + "," + (l.marksOnly ? "1" : "0") + "]";
    groups += std::string(groups.size() > 1 ? "," : "") + "{\"skill\":" + jsonString(g.skill) + ",\"runs\":" + runs + "]}";
  }
  std::string decoys = "[";
  for (const Decoy& d : b.decoys) decoys += std::string(decoys.size() > 1 ? "," : "") + jsonString(d.skill);
  const bool defaultInstruction = b.instruction == kDefaultInstruction;
  return said("{\"title\":" + jsonString(b.title) + ",\"sentence\":" + jsonString(b.sentence) + ",\"instruction\":" +
              jsonString(defaultInstruction ? "" : b.instruction) + ",\"teacher\":" + jsonString(b.teacher) +
              ",\"school\":" + jsonString(b.school) + ",\"groups\":" + groups + "],\"decoys\":" + decoys + "]}");
}

EMSCRIPTEN_KEEPALIVE const char* wizlo_link(const char* boardFile) {
  try {
    return said("{\"link\":" + jsonString(boardLink(boardFile ? boardFile : "")) + "}");
  } catch (const std::exception& e) {
    return failed(e);
  }
}

EMSCRIPTEN_KEEPALIVE const char* wizlo_read_link(const char* fragment) {
  const LinkedBoard read = readBoardLink(fragment ? fragment : "");
  if (!read.boardFile) return said("{\"problem\":" + jsonProblem(read.problem) + "}");
  return said("{\"board\":" + jsonString(*read.boardFile) + "}");
}

// The board file a pack carries, to open the pack again for changing.
EMSCRIPTEN_KEEPALIVE const char* wizlo_read_pack(const std::uint8_t* bytes, int size) {
  const LinkedBoard read = boardFileOfPack({bytes, bytes + std::max(size, 0)});
  if (!read.boardFile) return said("{\"problem\":" + jsonProblem(read.problem) + "}");
  return said("{\"board\":" + jsonString(*read.boardFile) + "}");
}

}  // extern "C"
