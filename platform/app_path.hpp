#pragma once
#include <string>

namespace wizlo::platform {

// The folder that holds the running executable, as App.Path gives it: no
// trailing separator, except for a root folder (a folder name cannot be
// empty). The boards append "\yes" to it; the sound layer copes with the
// separator that then doubles up at the root.
std::string appPath();

}  // namespace wizlo::platform
