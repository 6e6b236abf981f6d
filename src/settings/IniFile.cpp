#include "settings/IniFile.h"

#include "core/SafeFile.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <filesystem>
#include <string_view>
#include <sys/stat.h>
#include <unistd.h>

namespace zorva {

namespace {

constexpr std::string_view kUtf8Bom = "\xEF\xBB\xBF";

bool IsBlank(char c) {
    return c == ' ' || c == '\t';
}

std::string_view Trim(std::string_view text) {
    while (!text.empty() && IsBlank(text.front()))
        text.remove_prefix(1);
    while (!text.empty() && IsBlank(text.back()))
        text.remove_suffix(1);
    return text;
}

char AsciiLower(char c) {
    return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
}

bool EqualNoCase(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i) {
        if (AsciiLower(a[i]) != AsciiLower(b[i])) return false;
    }
    return true;
}

// What one line of the file is. Names and values point into the line.
struct LineInfo {
    enum Kind { Other, Section, Key };
    Kind kind = Other;
    std::string_view name;
    std::string_view value;
};

LineInfo Classify(std::string_view line) {
    LineInfo info;
    const std::string_view text = Trim(line);
    if (text.empty() || text.front() == ';') return info;
    if (text.front() == '[') {
        // Whatever follows the closing bracket does not belong to the name.
        const std::string_view inner = text.substr(1);
        info.kind = LineInfo::Section;
        info.name = Trim(inner.substr(0, inner.find(']')));
        return info;
    }
    const std::size_t equals = text.find('=');
    if (equals == std::string_view::npos) return info;
    info.name = Trim(text.substr(0, equals));
    if (info.name.empty()) return info;
    info.kind = LineInfo::Key;
    info.value = Trim(text.substr(equals + 1));
    return info;
}

// Index of the header line of the first section of that name, or -1.
long FindSection(const std::vector<std::string>& lines, std::string_view section) {
    for (std::size_t i = 0; i < lines.size(); ++i) {
        const LineInfo info = Classify(lines[i]);
        if (info.kind == LineInfo::Section && EqualNoCase(info.name, section)) {
            return static_cast<long>(i);
        }
    }
    return -1;
}

// Index of the first line of that key within the section starting at `header`, or -1.
long FindKey(const std::vector<std::string>& lines, long header, std::string_view key) {
    for (std::size_t i = static_cast<std::size_t>(header) + 1; i < lines.size(); ++i) {
        const LineInfo info = Classify(lines[i]);
        if (info.kind == LineInfo::Section) break;
        if (info.kind == LineInfo::Key && EqualNoCase(info.name, key)) return static_cast<long>(i);
    }
    return -1;
}

// A value in a pair of matching quotes is the text between them, so that a value may begin or
// end with blanks.
std::string Unquote(std::string_view value) {
    if (value.size() >= 2 && value.front() == value.back() &&
        (value.front() == '"' || value.front() == '\''))
        value = value.substr(1, value.size() - 2);
    return std::string(value);
}

} // namespace

bool IniFile::Load(const std::string& path) {
    Parse("");
    std::string content;
    // A folder opens but cannot be read: that too is a file not read.
    if (!ReadFileContents(path, content)) return false;
    Parse(content);
    return true;
}

void IniFile::Parse(const std::string& content) {
    lines_.clear();
    eol_ = "\n";
    std::string_view text = content;
    bom_ = text.starts_with(kUtf8Bom);
    if (bom_) text.remove_prefix(kUtf8Bom.size());

    // CR, LF and CRLF all end a line: files edited on other systems mix them, and a CR left
    // in a value (a port name "COM3\r") makes it a value nobody typed. Lines are written back
    // with the file's own line end, CRLF when it has any.
    if (text.find("\r\n") != std::string_view::npos)
        eol_ = "\r\n";
    else if (text.find('\n') == std::string_view::npos && text.find('\r') != std::string_view::npos)
        eol_ = "\r";
    while (!text.empty()) {
        const std::size_t end = text.find_first_of("\r\n");
        lines_.emplace_back(text.substr(0, end));
        if (end == std::string_view::npos) break;
        text.remove_prefix(end + (text.compare(end, 2, "\r\n") == 0 ? 2 : 1));
    }
}

std::string IniFile::Read(const std::string& section, const std::string& key,
                          const std::string& def) const {
    const long header = FindSection(lines_, section);
    if (header < 0) return def;
    const long line = FindKey(lines_, header, key);
    if (line < 0) return def;
    return Unquote(Classify(lines_[static_cast<std::size_t>(line)]).value);
}

bool IniFile::HasKey(const std::string& section, const std::string& key) const {
    const long header = FindSection(lines_, section);
    return header >= 0 && FindKey(lines_, header, key) >= 0;
}

void IniFile::Write(const std::string& section, const std::string& key, const std::string& value) {
    // A line break in a value would start a new line of the file, that is a new key.
    std::string flat = value;
    for (char& c : flat) {
        if (c == '\r' || c == '\n') c = ' ';
    }
    // Blanks at either end, or quotes around the whole, survive reading only inside quotes.
    if (!flat.empty() && (IsBlank(flat.front()) || IsBlank(flat.back()) || Unquote(flat) != flat))
        flat = '"' + flat + '"';

    const long header = FindSection(lines_, section);
    if (header < 0) {
        lines_.push_back("[" + section + "]");
        lines_.push_back(key + "=" + flat);
        return;
    }
    std::size_t insertAt = static_cast<std::size_t>(header) + 1;
    for (std::size_t i = insertAt; i < lines_.size(); ++i) {
        const LineInfo info = Classify(lines_[i]);
        if (info.kind == LineInfo::Section) break;
        if (info.kind != LineInfo::Key) continue;
        if (EqualNoCase(info.name, key)) {
            // Keep the key's spelling as the file has it.
            lines_[i] = std::string(info.name) + "=" + flat;
            return;
        }
        insertAt = i + 1;
    }
    lines_.insert(lines_.begin() + static_cast<long>(insertAt), key + "=" + flat);
}

std::string IniFile::Content() const {
    std::string out;
    if (bom_) out += kUtf8Bom;
    for (const std::string& line : lines_) {
        out += line;
        out += eol_;
    }
    return out;
}

bool IniFile::Save(const std::string& path, std::string& error) const {
    return ReplaceFileContents(path, Content(), error);
}

} // namespace zorva
