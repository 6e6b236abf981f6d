#include "TestSupport.h"

#include "codec/DerivedFields.h"
#include "shell/Startup.h"

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <sstream>
#include <stdlib.h>
#include <string_view>
#include <utility>

namespace zorva::test {

int RecordingMessages::ShowMsg(const std::string& caption, const std::string& text, MsgKind kind) {
    shown.push_back({caption, text, kind});
    if (kind != kMsgYesNo && kind != kMsgRetryCancel) return kResultOk;
    if (answers.empty()) return kResultOk;
    const int answer = answers.front();
    answers.pop_front();
    return answer;
}

TempDir::TempDir() {
    std::string pattern = (std::filesystem::temp_directory_path() / "zorva-test-XXXXXX").string();
    if (!mkdtemp(pattern.data())) throw std::runtime_error("cannot create a temporary folder");
    path_ = pattern + "/";
}

TempDir::~TempDir() {
    std::error_code ec;
    // Make read-only folders made by a test removable again.
    for (const auto& entry : std::filesystem::recursive_directory_iterator(path_, ec))
        std::filesystem::permissions(entry.path(), std::filesystem::perms::owner_all,
                                     std::filesystem::perm_options::add, ec);
    std::filesystem::permissions(path_, std::filesystem::perms::owner_all,
                                 std::filesystem::perm_options::add, ec);
    std::filesystem::remove_all(path_, ec);
}

void TempDir::Write(const std::string& name, const std::string& content) const {
    std::ofstream out(File(name), std::ios::binary | std::ios::trunc);
    out << content;
}

std::string TempDir::Read(const std::string& name) const {
    std::ifstream in(File(name), std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

bool TempDir::Exists(const std::string& name) const {
    return std::filesystem::exists(File(name));
}

std::unique_ptr<Maindb> MakeStartedDb() {
    static const TempDir emptyDir;
    auto db = std::make_unique<Maindb>();
    DataModuleCreate(*db, emptyDir.Path());
    StartImage(*db);
    return db;
}

std::unique_ptr<Maindb> MakeBareDb() {
    auto db = MakeStartedDb();
    db->All.Image.fill(0);
    return db;
}

std::string HexBytes(const uint8_t* bytes, int count) {
    std::string out;
    char buf[4];
    for (int i = 0; i < count; ++i) {
        std::snprintf(buf, sizeof buf, i ? " %02X" : "%02X", bytes[i]);
        out += buf;
    }
    return out;
}

std::string PdfText(const std::string& path) {
    std::string command = "pdftotext -layout '";
    for (char c : path)
        command += c == '\'' ? std::string("'\\''") : std::string(1, c);
    command += "' -";
    std::string text;
    if (FILE* pipe = ::popen(command.c_str(), "r")) {
        char buffer[4096];
        for (size_t n; (n = std::fread(buffer, 1, sizeof buffer, pipe)) > 0;)
            text.append(buffer, n);
        ::pclose(pipe);
    }
    // The fonts' ligatures come out as single characters ("ﬁ" for "fi"), which would make a
    // text such as a temporary folder's name depend on its random letters.
    static const std::pair<std::string_view, std::string_view> ligatures[] = {
        {"\uFB00", "ff"},  {"\uFB01", "fi"}, {"\uFB02", "fl"}, {"\uFB03", "ffi"},
        {"\uFB04", "ffl"}, {"\uFB05", "st"}, {"\uFB06", "st"}};
    for (const auto& [ligature, letters] : ligatures)
        for (size_t at; (at = text.find(ligature)) != std::string::npos;)
            text.replace(at, ligature.size(), letters);
    return text;
}

} // namespace zorva::test
