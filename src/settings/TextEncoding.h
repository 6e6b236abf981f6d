// Text files of the program are UTF-8; older language files are GB18030.
#pragma once

#include <string>
#include <string_view>

namespace zorva {

bool IsValidUtf8(std::string_view bytes);
// The bytes as UTF-8: unchanged when already valid UTF-8 (a leading BOM removed), else
// converted from GB18030; bytes that do not convert become U+FFFD.
std::string ToUtf8(std::string_view bytes);
// UTF-8 text as GB18030, for a file that came in that encoding; GB18030 encodes every
// character, so only ill-formed UTF-8 bytes are lost (as "?").
std::string Utf8ToGb18030(std::string_view utf8);
// Latin-1 bytes (one byte per character, as the image's texts are) to UTF-8.
std::string Latin1ToUtf8(std::string_view latin1);

} // namespace zorva
