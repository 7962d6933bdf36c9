#pragma once
#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace wizlo::platform {

// The files that a Windows-style sound name may mean, most likely first.
//
// The boards form names as the program's folder, a backslash and a bare name
// ("/opt/wizlo\yes"). Only the last backslash is read as a separator: on
// Linux a backslash is an ordinary letter of a folder name, and every other
// one came from the folder. Separators left at the end of the folder are
// dropped, so the root folder "/" and a folder given with a trailing "/" do
// not make "//". When the last path component has no extension, the ".wav"
// file comes first and the bare name second; a name with an extension is
// taken as it is. A name with no backslash is a path already. An empty name
// means no file.
std::vector<std::string> soundFileCandidates(std::string_view soundName);

// The bytes of the first candidate that is a regular file we may read, at
// most maxBytes of them. Nothing for a name that names no such file. A FIFO
// or device under a sound's name is skipped rather than read, since opening
// or reading it could block the pupil's board for ever.
std::optional<std::vector<unsigned char>> readSoundFile(std::string_view soundName, std::size_t maxBytes);

}  // namespace wizlo::platform
