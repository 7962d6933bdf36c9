#pragma once
#include <string>

#include "platform/sound.hpp"
#include "platform/web.hpp"

namespace wizlo::platform {

// What the forms reach beyond themselves: sound by name, the web opener, and the program's folder,
// which the sound names start with.
struct Services {
  SoundService& sound;
  WebOpener& web;
  std::string appPath;
};

}  // namespace wizlo::platform
