#include "settings/TextEncoding.h"

#include <cerrno>
#include <cstddef>
#include <cstdint>
#include <iconv.h>

namespace zorva {

namespace {

constexpr std::string_view kUtf8Bom = "\xEF\xBB\xBF";
constexpr std::string_view kReplacement = "\xEF\xBF\xBD"; // U+FFFD

// Length of the well-formed UTF-8 sequence at the start of `bytes`, or 0 when there is none
// (a stray continuation byte, a truncated sequence, an overlong form, a surrogate or a code
// point beyond U+10FFFF).
std::size_t SequenceLength(std::string_view bytes) {
    const auto b0 = static_cast<uint8_t>(bytes[0]);
    if (b0 < 0x80) return 1;
    std::size_t length = 0;
    uint8_t low = 0x80; // allowed range of the second byte
    uint8_t high = 0xBF;
    if (b0 >= 0xC2 && b0 <= 0xDF) {
        length = 2;
    } else if (b0 >= 0xE0 && b0 <= 0xEF) {
        length = 3;
        if (b0 == 0xE0) low = 0xA0;  // overlong
        if (b0 == 0xED) high = 0x9F; // surrogates
    } else if (b0 >= 0xF0 && b0 <= 0xF4) {
        length = 4;
        if (b0 == 0xF0) low = 0x90;  // overlong
        if (b0 == 0xF4) high = 0x8F; // beyond U+10FFFF
    } else {
        return 0;
    }
    if (bytes.size() < length) return 0;
    const auto b1 = static_cast<uint8_t>(bytes[1]);
    if (b1 < low || b1 > high) return 0;
    for (std::size_t i = 2; i < length; ++i) {
        const auto b = static_cast<uint8_t>(bytes[i]);
        if (b < 0x80 || b > 0xBF) return 0;
    }
    return length;
}

// UTF-8 with every ill-formed byte replaced by U+FFFD.
std::string RepairUtf8(std::string_view bytes) {
    std::string out;
    out.reserve(bytes.size());
    while (!bytes.empty()) {
        const std::size_t length = SequenceLength(bytes);
        if (length == 0) {
            out += kReplacement;
            bytes.remove_prefix(1);
        } else {
            out += bytes.substr(0, length);
            bytes.remove_prefix(length);
        }
    }
    return out;
}

class Iconv {
public:
    Iconv(const char* to, const char* from) : cd_(iconv_open(to, from)) {}
    ~Iconv() {
        if (ok()) iconv_close(cd_);
    }
    Iconv(const Iconv&) = delete;
    Iconv& operator=(const Iconv&) = delete;
    bool ok() const { return cd_ != reinterpret_cast<iconv_t>(-1); }
    iconv_t get() const { return cd_; }

private:
    iconv_t cd_;
};

// Converts with iconv; a sequence it cannot take becomes `replacement` and the conversion
// goes on with the next byte.
std::string Convert(Iconv& cd, std::string_view bytes, std::string_view replacement) {
    std::string out;
    char buffer[4096];
    // iconv takes a non-const input pointer on glibc; it never writes through it.
    char* in = const_cast<char*>(bytes.data());
    std::size_t inLeft = bytes.size();
    while (inLeft > 0) {
        char* dest = buffer;
        std::size_t destLeft = sizeof buffer;
        const std::size_t result = iconv(cd.get(), &in, &inLeft, &dest, &destLeft);
        const int error = errno;
        out.append(buffer, static_cast<std::size_t>(dest - buffer));
        if (result != static_cast<std::size_t>(-1)) continue;
        if (error == E2BIG) continue;
        out += replacement;
        ++in;
        --inLeft;
        iconv(cd.get(), nullptr, nullptr, nullptr, nullptr); // back to the initial state
    }
    return out;
}

std::string Gb18030ToUtf8(std::string_view bytes) {
    Iconv cd("UTF-8", "GB18030");
    // Without the converter, at least keep the ASCII and any UTF-8 parts readable.
    if (!cd.ok()) return RepairUtf8(bytes);
    return Convert(cd, bytes, kReplacement);
}

} // namespace

bool IsValidUtf8(std::string_view bytes) {
    while (!bytes.empty()) {
        const std::size_t length = SequenceLength(bytes);
        if (length == 0) return false;
        bytes.remove_prefix(length);
    }
    return true;
}

std::string ToUtf8(std::string_view bytes) {
    // A BOM says the file is meant as UTF-8, so damaged bytes after it are damage, not GB18030.
    if (bytes.starts_with(kUtf8Bom)) return RepairUtf8(bytes.substr(kUtf8Bom.size()));
    if (IsValidUtf8(bytes)) return std::string(bytes);
    return Gb18030ToUtf8(bytes);
}

std::string Utf8ToGb18030(std::string_view utf8) {
    Iconv cd("GB18030", "UTF-8");
    // Without the converter only ASCII is sure to mean the same in both.
    if (!cd.ok()) {
        std::string ascii(utf8);
        for (char& c : ascii)
            if (static_cast<uint8_t>(c) >= 0x80) c = '?';
        return ascii;
    }
    return Convert(cd, utf8, "?");
}

std::string Latin1ToUtf8(std::string_view latin1) {
    std::string out;
    out.reserve(latin1.size());
    for (const char c : latin1) {
        const auto code = static_cast<uint8_t>(c);
        if (code < 0x80) {
            out += c;
        } else {
            out += static_cast<char>(0xC0 | (code >> 6));
            out += static_cast<char>(0x80 | (code & 0x3F));
        }
    }
    return out;
}

} // namespace zorva
