// `cmake --install` and the .deb: the layout of the installed tree, what the desktop and AppStream
// validators and lintian say of it, the version record in the program file, and the installed program
// started through its link from an unrelated folder, finding and playing its sounds.

#include <gtest/gtest.h>

#include <fstream>
#include <regex>
#include <sstream>

#include "tests/install/installed_program.hpp"

namespace wizlo::install {
namespace {

// Width and height from a PNG file's IHDR.
std::pair<int, int> pngSize(const fs::path& file) {
  std::ifstream in(file, std::ios::binary);
  unsigned char header[24] = {};
  in.read(reinterpret_cast<char*>(header), sizeof header);
  const auto word = [&](int at) { return header[at] << 24 | header[at + 1] << 16 | header[at + 2] << 8 | header[at + 3]; };
  return {word(16), word(20)};
}

std::string textOf(const fs::path& file) {
  std::ifstream in(file);
  std::stringstream text;
  text << in.rdbuf();
  return text.str();
}

// Checks an installed tree rooted at `prefix`, whichever way it was made.
void expectInstalledTree(const fs::path& prefix) {
  EXPECT_TRUE(fs::is_symlink(prefix / "bin/wizlo"));
  EXPECT_EQ(fs::read_symlink(prefix / "bin/wizlo"), "../lib/wizlo/wizlo");  // relative: the tree can move
  for (const char* file : {"lib/wizlo/wizlo", "lib/wizlo/wizlo-message", "lib/wizlo/yes.wav", "lib/wizlo/no.wav",
                           "share/applications/wizlo.desktop", "share/metainfo/io.example.wizlo.metainfo.xml",
                           // the teachers' guide, and its example where the guide says: beside it
                           "share/doc/wizlo/making-a-board.md", "share/doc/wizlo/examples/second-grade.toml"})
    EXPECT_TRUE(fs::is_regular_file(prefix / file)) << file;
  for (int size : {16, 32, 48, 64, 128, 256}) {
    const fs::path icon = prefix / "share/icons/hicolor" / (std::to_string(size) + "x" + std::to_string(size)) /
                          "apps/wizlo.png";
    EXPECT_EQ(pngSize(icon), std::make_pair(size, size)) << icon;
  }
}

// Starts the installed program through its link, from a folder that has nothing to do with it, and
// makes one right move: the "yes" it plays can only have come from lib/wizlo.
void expectPlaysItsSounds(const fs::path& prefix) {
  e2e::VirtualDisplay display;
  ScratchFolder elsewhere("cwd");
  InstalledRun program(display, prefix / "bin/wizlo", elsewhere.path());
  const e2e::WindowInfo menu = program.waitForWindows(1);
  EXPECT_EQ(menu.name, "Wizlo");
  playOneRightMove(display, menu, [&](std::size_t n) { return program.waitForWindows(n); });
  EXPECT_TRUE(program.played(prefix / "lib/wizlo/yes.wav"));
}

TEST(Install, PutsTheProgramAndItsSoundsInOneFolderBehindALinkAndTheDesktopFilesWhereDesktopsLook) {
  ScratchFolder prefix("prefix");
  installBuildInto(prefix.path());
  expectInstalledTree(prefix.path());
}

TEST(Install, StartedThroughTheLinkFromAnyFolderTheProgramFindsAndPlaysItsSounds) {
  ScratchFolder prefix("prefix");
  installBuildInto(prefix.path());
  expectPlaysItsSounds(prefix.path());
}

TEST(Install, DesktopEntryAndMetainfoPassTheirValidators) {
  ScratchFolder prefix("prefix");
  installBuildInto(prefix.path());
  EXPECT_NO_THROW(run({"/usr/bin/desktop-file-validate", (prefix.path() / "share/applications/wizlo.desktop").string()}));
  EXPECT_NO_THROW(run({"/usr/bin/appstreamcli", "validate", "--no-net",
                       (prefix.path() / "share/metainfo/io.example.wizlo.metainfo.xml").string()}));
  // The metainfo's release is the project's version, not a copy that drifts from it.
  const std::string metainfo = textOf(prefix.path() / "share/metainfo/io.example.wizlo.metainfo.xml");
  EXPECT_NE(metainfo.find("<release version=\"" WIZLO_PROJECT_VERSION "\""), std::string::npos);
}

TEST(Install, ProgramFileCarriesTheVersionRecordInOrder) {
  ScratchFolder prefix("prefix");
  installBuildInto(prefix.path());
  const std::string dump = run({"/usr/bin/readelf", "-p", ".wizlo.version", (prefix.path() / "lib/wizlo/wizlo").string()});
  std::vector<std::string> entries;
  const std::regex entry(R"(\[\s*[0-9a-f]+\]\s+(\S.*))");
  for (auto it = std::sregex_iterator(dump.begin(), dump.end(), entry); it != std::sregex_iterator(); ++it)
    entries.push_back((*it)[1]);
  const std::vector<std::string> expected{
      "FILEVERSION=1.0.0.0",         "PRODUCTVERSION=1.0.0.0", "CompanyName=Example School Software",
      "ProductName=Wizlo",           "FileVersion=1.00",       "ProductVersion=1.00",
      "InternalName=Wizlo",          "OriginalFilename=wizlo"};
  EXPECT_EQ(entries, expected);
}

// What a file manager does with a double-click on a lesson board, from what the package installs: the
// desktop's own tools build their databases from its MIME type and desktop entry, and the desktop's
// opener (xdg-open, through GIO as on a GNOME or Xfce desktop) starts wizlo on the file.
TEST(Install, ADoubleClickOnALessonBoardOpensItInWizlo) {
  ScratchFolder prefix("prefix"), home("home");
  installBuildInto(prefix.path());
  const fs::path share = prefix.path() / "share";
  run({"/usr/bin/update-mime-database", (share / "mime").string()});
  run({"/usr/bin/update-desktop-database", (share / "applications").string()});
  const fs::path lesson = home.path() / "درس الأسبوع.wizlo";  // as a teacher would name it
  fs::copy_file(WIZLO_SAMPLE_PACK, lesson);

  e2e::VirtualDisplay display;
  const std::vector<std::string> desktop{
      "DISPLAY=" + display.name(), "HOME=" + home.path().string(), "XDG_CURRENT_DESKTOP=GNOME",
      "XDG_DATA_HOME=" + (home.path() / "data").string(), "XDG_CONFIG_HOME=" + (home.path() / "config").string(),
      "XDG_DATA_DIRS=" + share.string(), "PATH=" + (prefix.path() / "bin").string() + ":/usr/bin:/bin"};
  EXPECT_EQ(e2e::runCommand({"/usr/bin/xdg-mime", "query", "filetype", lesson.string()}, desktop),
            "application/x-wizlo-board\n");
  EXPECT_EQ(e2e::runCommand({"/usr/bin/xdg-mime", "query", "default", "application/x-wizlo-board"}, desktop),
            "wizlo.desktop\n");
  e2e::ChildProcess opener({"/usr/bin/xdg-open", lesson.string()}, desktop);
  // The program's windows, by their class; xdotool fails when it finds none.
  const auto wizloWindow = [&] {
    try {
      return display.xdotool({"search", "--onlyvisible", "--class", "^wizlo$"});
    } catch (const std::runtime_error&) {
      return std::string();
    }
  };
  std::string window;
  const bool opened = e2e::waitUntil([&] { return !(window = wizloWindow()).empty(); }, 15000ms, 100ms);
  ASSERT_TRUE(opened) << "no lesson board came up";
  const e2e::WindowInfo board = display.window(std::stoul(window));
  EXPECT_EQ(board.name, "درس الأسبوع: التاء المفتوحة والمربوطة");
  // Its back button ends the program, and with it every window.
  display.click(at(board, 240 + 1815 / 2, 3900 + 735 / 2, 1));
  EXPECT_TRUE(e2e::waitUntil([&] { return wizloWindow().empty(); }, 5000ms, 100ms)) << "the board stayed open";
}

TEST(Package, DebDependsOnTheRunTimeLibrariesOnlyAndItsProgramRunsUnpacked) {
  ScratchFolder output("deb");
  const fs::path deb = packageInto(output.path());
  EXPECT_EQ(run({"/usr/bin/dpkg-deb", "-f", deb.string(), "Version"}), WIZLO_PROJECT_VERSION "\n");
  const std::string depends = run({"/usr/bin/dpkg-deb", "-f", deb.string(), "Depends"});
  for (const char* needed : {"libsdl2-2.0-0", "libjpeg62-turbo", "libpng16-16", "libc6", "libstdc++6"})
    EXPECT_NE(depends.find(needed), std::string::npos) << needed << " missing from: " << depends;
  // The board maker draws as the build's art generator does: with Pango and Cairo, in the Noto faces.
  for (const char* forTheMaker : {"libpango-1.0-0", "libcairo2", "fonts-noto-core"})
    EXPECT_NE(depends.find(forTheMaker), std::string::npos) << forTheMaker << " missing from: " << depends;
  EXPECT_EQ(depends.find("-dev"), std::string::npos) << depends;

  ScratchFolder root("root");
  run({"/usr/bin/dpkg-deb", "-x", deb.string(), root.path().string()});
  // The program itself never touches them: Pango and Cairo drew its pictures at build time, and draw its
  // messages in wizlo-message, run only when there is one.
  const std::string needed = run({"/usr/bin/readelf", "-d", (root.path() / "usr/lib/wizlo/wizlo").string()});
  for (const char* buildOnly : {"pango", "cairo"}) EXPECT_EQ(needed.find(buildOnly), std::string::npos) << needed;
  expectInstalledTree(root.path() / "usr");
  expectPlaysItsSounds(root.path() / "usr");
}

TEST(Package, LintianFindsNoErrorOrWarning) {
  ScratchFolder output("deb");
  const fs::path deb = packageInto(output.path());
  // Nobody's lintian configuration, and root allowed, as CI runs. With --fail-on none lintian exits 0
  // whatever it finds, so its whole report reaches us and its lines decide.
  const std::string report = run({"/usr/bin/lintian", "--no-user-dirs", "--no-cfg", "--allow-root", "--fail-on",
                                  "none", deb.string()},
                                 120000ms);
  std::istringstream lines(report);
  bool clean = true;
  for (std::string line; std::getline(lines, line);)
    if (line.starts_with("E: ") || line.starts_with("W: ")) clean = false;
  EXPECT_TRUE(clean) << "lintian says:\n" << report;
}

}  // namespace
}  // namespace wizlo::install
