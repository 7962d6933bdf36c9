#pragma once
#include <map>
#include <memory>
#include <mutex>
#include <string>

// Each shaper's faces, made once a family on first use by `load` (a family's name to a
// std::unique_ptr<Face>) and kept to the end of the process: every text of every picture is drawn in
// one of four. Safe to ask from several threads.
namespace wizlo::art {

template <typename Face, typename Load>
const Face& cachedFace(const char* family, Load load) {
  static std::mutex mutex;
  static std::map<std::string, std::unique_ptr<Face>> faces;
  const std::lock_guard lock(mutex);
  auto& face = faces[family];
  if (!face) face = load(family);
  return *face;
}

}  // namespace wizlo::art
