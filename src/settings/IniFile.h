// INI files with Windows profile semantics: section and key names case-insensitive, values
// taken literally (commas, ";" and "|" are plain characters), surrounding blanks trimmed,
// lines of any length, the first of duplicate sections or keys wins, a missing file,
// section or key gives the default. Writing updates keys in place so that other keys,
// sections and comments survive.
#pragma once

#include <string>
#include <vector>

namespace zorva {

class IniFile {
public:
    IniFile() = default;
    // Reads the file; a missing or unreadable file is an empty INI. Returns whether the
    // file was read.
    bool Load(const std::string& path);
    void Parse(const std::string& content);

    std::string Read(const std::string& section, const std::string& key,
                     const std::string& def) const;
    bool HasKey(const std::string& section, const std::string& key) const;
    // Sets the value in place; appends the key to its section, or the section to the end.
    void Write(const std::string& section, const std::string& key, const std::string& value);

    std::string Content() const;
    // Writes through a temporary file and a rename, so a failed save keeps the old file.
    // On failure returns false and puts the reason into `error`.
    bool Save(const std::string& path, std::string& error) const;

private:
    std::vector<std::string> lines_;
    std::string eol_ = "\n";
    bool bom_ = false; // the file began with a UTF-8 byte order mark; Content() keeps it
};

} // namespace zorva
