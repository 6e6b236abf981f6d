#include "fuzz/FuzzSupport.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>

namespace zorva::fuzz {

void Fail(const char* what, const char* file, int line, const std::string& detail) {
    std::fprintf(stderr, "%s:%d: check failed: %s\n  %s\n", file, line, what, detail.c_str());
    std::fflush(stderr);
    std::abort();
}

std::string FuzzInput::Text() {
    const std::size_t length = std::min<std::size_t>(Byte(), size_ - std::min(at_, size_));
    std::string text(reinterpret_cast<const char*>(data_ + at_), length);
    at_ += length;
    return text;
}

std::string FuzzInput::Rest() {
    if (Empty()) return {};
    std::string rest(reinterpret_cast<const char*>(data_ + at_), size_ - at_);
    at_ = size_;
    return rest;
}

namespace {

struct ScratchDir {
    ScratchDir() {
        std::string pattern =
            (std::filesystem::temp_directory_path() / "zorva-fuzz-XXXXXX").string();
        if (!mkdtemp(pattern.data())) Fail("mkdtemp", __FILE__, __LINE__, pattern);
        path = pattern + "/";
    }
    ~ScratchDir() {
        std::error_code ec;
        std::filesystem::remove_all(path, ec);
    }
    std::string path;
};

} // namespace

std::string ScratchFile(const std::string& name) {
    static const ScratchDir dir;
    return dir.path + name;
}

void WriteFile(const std::string& path, std::string_view bytes) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

std::string ReadFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

} // namespace zorva::fuzz
