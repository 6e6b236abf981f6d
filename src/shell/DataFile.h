// The data file: a 16-byte header naming the model, then image blocks 1 to 297.
#pragma once

#include <string>

namespace zorva {

class TALL;
class TMacList;
class TLanguage;
class UserMessages;

inline constexpr int kDataFileSize = 4768;
inline constexpr int kDataFileHeader = 16;

// Writes the data file's bytes of the image through a temporary file renamed over the target;
// on failure the old file stays and `reason` says why. Touches neither Modified nor the user.
bool WriteDataFile(const TALL& all, const std::string& path, std::string& reason);

// Writes the image through a temporary file renamed over the target, so a failed save keeps
// the old file. Clears Modified on success; on failure shows a message naming the file and
// the reason, leaves Modified as it was and returns false.
bool SaveDataFile(TALL& all, const std::string& path, const TLanguage& language,
                  UserMessages& messages);

// Reads and checks the whole file before it touches the image: a file that cannot be read,
// is shorter than a data file or names a model not in the catalogue is refused with a
// message, leaving the image and Modified as they were. An accepted file fills blocks 1 to
// 297, runs the after-load sequence and clears Modified.
bool LoadDataFile(TALL& all, const TMacList& macList, const std::string& path,
                  const TLanguage& language, UserMessages& messages);

} // namespace zorva
