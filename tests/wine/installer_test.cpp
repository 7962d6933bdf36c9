// WizloSetup.exe under Wine, silent both ways: what it puts where, the installed program starting from
// Program Files, a lesson board opened by its file type, and nothing left behind by the uninstaller;
// then an install into a folder the teacher names in Arabic. Each in a Wine prefix of its own.

#include <gtest/gtest.h>

#include <set>

#include "menu/form1.hpp"
#include "tests/wine/wine_checks.hpp"
#include "tests/wine/wine_session.hpp"

namespace wizlo::wine {
namespace {

// Every file and folder under drive_c but Wine's own Windows folder, which Wine rewrites as it goes.
std::set<std::string> filesOf(const fs::path& driveC) {
  std::set<std::string> found;
  for (auto it = fs::recursive_directory_iterator(driveC); it != fs::recursive_directory_iterator(); ++it) {
    const std::string path = fs::relative(it->path(), driveC).string();
    if (path == "windows") it.disable_recursion_pending();
    else found.insert(path);
  }
  return found;
}

// The registry key of the list of installed programs, as the Wine server saved it.
std::string uninstallEntry(const fs::path& prefix) {
  const std::string registry = readFile(prefix / "system.reg");
  const std::string key = "[Software\\\\Microsoft\\\\Windows\\\\CurrentVersion\\\\Uninstall\\\\Wizlo]";
  const std::size_t at = registry.find(key);
  if (at == std::string::npos) return "";
  return registry.substr(at, registry.find("\n\n", at) - at);
}

TEST(Installer, InstallsSilentlyStartsFromProgramFilesOpensLessonBoardsAndUninstallsLeavingOnlyWhatWindowsDeletesAtRestart) {
  VirtualDisplay display(1280, 1024);
  WineSession session(display, WIZLO_PROGRAM);
  const std::set<std::string> before = filesOf(session.driveC());

  session.wine({WIZLO_SETUP, "/S"}).waitForExit(60000ms);
  session.settle();
  const fs::path installed = session.driveC() / "Program Files" / "Wizlo";
  for (const char* file : {"Wizlo.exe", "yes.wav", "no.wav", "Uninstall.exe"})
    EXPECT_TRUE(fs::exists(installed / file)) << file << " is not installed";
  const fs::path shortcut = session.driveC() / "ProgramData/Microsoft/Windows/Start Menu/Programs/Wizlo.lnk";
  ASSERT_TRUE(fs::exists(shortcut)) << "no Start-menu shortcut";
  // The shortcut's icon is the program file's own, the gears.
  EXPECT_NE(readFile(shortcut).find("Program Files\\Wizlo\\Wizlo.exe"), std::string::npos);
  const std::string entry = uninstallEntry(session.prefix());
  for (const char* value : {"\"DisplayName\"=\"Wizlo\"", "\"DisplayVersion\"=\"1.0.0.0\"",
                            "\"DisplayIcon\"=\"C:\\\\Program Files\\\\Wizlo\\\\Wizlo.exe,0\"",
                            "\"UninstallString\"=\"\\\"C:\\\\Program Files\\\\Wizlo\\\\Uninstall.exe\\\"\""})
    EXPECT_NE(entry.find(value), std::string::npos) << value << " is not in\n" << entry;
  const std::size_t size = entry.find("\"EstimatedSize\"=dword:");
  ASSERT_NE(size, std::string::npos) << entry;
  const long kib = std::stol(entry.substr(size + 22, 8), nullptr, 16);
  EXPECT_GE(kib * 1024, static_cast<long>(fs::file_size(installed / "Wizlo.exe")));

  {
    WizloOnWine wizlo(session, "C:\\Program Files\\Wizlo\\Wizlo.exe");
    EXPECT_EQ(wizlo.windows().size(), 1u);
  }
  session.settle();

  // A teacher's board pack opens in Wizlo by its extension, as Explorer's double-click opens it.
  const std::string classes = readFile(session.prefix() / "system.reg");
  for (const char* value : {"[Software\\\\Classes\\\\.wizlo]", "@=\"Wizlo.Lesson\"",
                            "@=\"\\\"C:\\\\Program Files\\\\Wizlo\\\\Wizlo.exe\\\" \\\"%1\\\"\""})
    EXPECT_NE(classes.find(value), std::string::npos) << value;
  fs::copy_file(WIZLO_SAMPLE_PACK, session.driveC() / "lesson.wizlo");
  session.wine({"start", "C:\\lesson.wizlo"}).waitForExit(60000ms);
  std::string window;
  EXPECT_TRUE(e2e::waitUntil([&] {
    try {
      window = display.xdotool({"search", "--onlyvisible", "--name", "التاء المفتوحة"});
    } catch (const std::runtime_error&) {  // none yet
    }
    return !window.empty();
  }, 30000ms, 100ms)) << "the lesson board did not open";
  if (!window.empty()) {
    // Its back button, inside the frame Wine draws, ends the program.
    const WindowInfo frame = display.window(std::stoul(window));
    const int border = (frame.width - 13575 / 15) / 2;
    display.click({frame.x + border + (240 + 1815 / 2) / 15, frame.y + frame.height - 9120 / 15 - border + (3900 + 735 / 2) / 15});
  }
  session.settle();
  fs::remove(session.driveC() / "lesson.wizlo");  // the teacher's, not the installer's

  // The uninstaller copies itself away and returns at once: the copy is waited for with the rest.
  session.wine({"C:\\Program Files\\Wizlo\\Uninstall.exe", "/S"}).waitForExit(60000ms);
  session.settle();
  EXPECT_FALSE(fs::exists(installed));
  EXPECT_FALSE(fs::exists(shortcut));
  EXPECT_EQ(uninstallEntry(session.prefix()), "");
  const std::string left = readFile(session.prefix() / "system.reg");
  EXPECT_EQ(left.find("[Software\\\\Classes\\\\.wizlo]"), std::string::npos) << "the extension is still Wizlo's";
  EXPECT_EQ(left.find("Wizlo.Lesson"), std::string::npos) << "the file type is left behind";
  // Nothing new is left but the uninstaller's copy of itself in the user's Temp folder, which it could
  // not delete while it ran, as no NSIS uninstaller can: it is left to Windows to delete at restart.
  std::string pending = readFile(session.prefix() / "system.reg");
  pending = pending.substr(pending.find("\"PendingFileRenameOperations\""));
  pending = pending.substr(0, pending.find('\n'));
  for (const std::string& path : filesOf(session.driveC())) {
    if (before.count(path)) continue;
    std::string windowsPath = "C:\\\\" + path;
    for (std::size_t at = 0; (at = windowsPath.find('/', at)) != std::string::npos;) windowsPath.replace(at, 1, "\\\\");
    EXPECT_NE(pending.find("\\\\??\\\\" + windowsPath + "\\0"), std::string::npos)
        << path << " is left behind and not to be deleted at restart";
  }
}

// The folder the directory page asks for, named in Arabic on a Windows whose system locale is
// English: its 8-bit code page, through which the sound service opens its files, lacks the letters.
TEST(Installer, IntoAFolderTheTeacherNamesInArabicItInstallsAndBothSoundsAreHeardFromThere) {
  VirtualDisplay display(1280, 1024);
  WineSession session(display, WIZLO_PROGRAM);
  // /D takes what the directory page would have: last, and unquoted though it holds a space. Wine
  // quotes an argument with a space in it, so the folder goes in two, which it joins with a space.
  session.wine({WIZLO_SETUP, "/S", "/D=C:\\برامج", "المدرسة\\ويزلو"}).waitForExit(60000ms);
  session.settle();
  const fs::path installed = session.driveC() / "برامج المدرسة" / "ويزلو";
  for (const char* file : {"Wizlo.exe", "yes.wav", "no.wav", "Uninstall.exe"})
    ASSERT_TRUE(fs::exists(installed / file)) << file << " is not installed";
  WizloOnWine wizlo(session, "C:\\برامج المدرسة\\ويزلو\\Wizlo.exe");
  EXPECT_EQ(wrongThenRight(session, wizlo), (std::vector<std::string>{"no", "yes"}));
}

}  // namespace
}  // namespace wizlo::wine
