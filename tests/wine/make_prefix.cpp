// Makes the Wine prefix that each Wine test program of a run copies (WIZLO_WINE_PREFIX) instead of
// making its own: booted once, with the sessions' settings, into the folder given.

#include <cstdio>
#include <exception>

#include "tests/wine/wine_session.hpp"

int main(int argc, char** argv) {
  using namespace wizlo::wine;
  if (argc != 2) {
    std::fprintf(stderr, "usage: %s FOLDER\n", argv[0]);
    return 2;
  }
  try {
    const fs::path target = argv[1];
    fs::remove_all(target);
    VirtualDisplay display;
    const WineSession session(display, "");
    session.settle();  // the registry is on disk once every process of the prefix has ended
    fs::copy(session.prefix(), target, fs::copy_options::recursive | fs::copy_options::copy_symlinks);
    return 0;
  } catch (const std::exception& error) {
    std::fprintf(stderr, "no Wine prefix made: %s\n", error.what());
    return 1;
  }
}
