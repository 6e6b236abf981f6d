// Where the settings and language files are found: beside the executable for a portable copy,
// in the user's configuration folder and the installed data folder for an installed one.
#include "TestSupport.h"
#include "settings/Language.h"
#include "settings/Settings.h"

#include <cstdlib>
#include <gtest/gtest.h>
#include <optional>
#include <sys/stat.h>
#include <unistd.h>

namespace zorva {
namespace {

class SettingsLocation : public ::testing::Test {
protected:
    void SetUp() override {
        const char* old = std::getenv("XDG_CONFIG_HOME");
        saved_ = old ? std::optional<std::string>(old) : std::nullopt;
        setenv("XDG_CONFIG_HOME", (dir.Path() + "config").c_str(), 1);
    }
    void TearDown() override {
        if (saved_)
            setenv("XDG_CONFIG_HOME", saved_->c_str(), 1);
        else
            unsetenv("XDG_CONFIG_HOME");
    }
    test::TempDir dir;

private:
    std::optional<std::string> saved_;
};

TEST_F(SettingsLocation, APortableCopyKeepsItsSettingsBesideTheExecutable) {
    EXPECT_EQ(SettingsFilePath(dir.Path()), dir.Path() + "SysInfo.Ini");
    EXPECT_FALSE(dir.Exists("config"));
}

TEST_F(SettingsLocation, WithoutAWritableFolderTheUsersConfigurationFolderIsUsed) {
    const std::string missing = dir.Path() + "no-such-folder/";
    EXPECT_EQ(SettingsFilePath(missing), dir.Path() + "config/zorva-520sx/SysInfo.Ini");
    EXPECT_TRUE(dir.Exists("config/zorva-520sx"));
}

TEST_F(SettingsLocation, AnInstalledCopyStartsFromTheInstalledSettings) {
    if (::geteuid() == 0) GTEST_SKIP() << "root may write into any folder";
    ::mkdir(dir.File("prefix").c_str(), 0755);
    ::mkdir(dir.File("prefix/bin").c_str(), 0555);
    ::mkdir(dir.File("prefix/share").c_str(), 0755);
    ::mkdir(dir.File("prefix/share/zorva-520sx").c_str(), 0755);
    dir.Write("prefix/share/zorva-520sx/SysInfo.Ini", "[SysInfo]\nCom=COM7\n");
    dir.Write("prefix/share/zorva-520sx/Chinese.Ini", "[Language]\n");
    const std::string exeDir = dir.File("prefix/bin/");
    const std::string path = SettingsFilePath(exeDir);
    EXPECT_EQ(path, dir.Path() + "config/zorva-520sx/SysInfo.Ini");
    EXPECT_EQ(dir.Read("config/zorva-520sx/SysInfo.Ini"), "[SysInfo]\nCom=COM7\n");
    EXPECT_EQ(LanguageFilePath(exeDir, "chinese"), exeDir + "../share/zorva-520sx/Chinese.Ini");
}

TEST_F(SettingsLocation, AnInstalledCopyKeepsSettingsPerUserEvenInAWritablePrefix) {
    ::mkdir(dir.File("prefix").c_str(), 0755);
    ::mkdir(dir.File("prefix/bin").c_str(), 0755);
    ::mkdir(dir.File("prefix/share").c_str(), 0755);
    ::mkdir(dir.File("prefix/share/zorva-520sx").c_str(), 0755);
    EXPECT_EQ(SettingsFilePath(dir.File("prefix/bin/")),
              dir.Path() + "config/zorva-520sx/SysInfo.Ini");
    // A build folder named bin without the data beside it stays portable.
    ::mkdir(dir.File("bin").c_str(), 0755);
    EXPECT_EQ(SettingsFilePath(dir.File("bin/")), dir.File("bin/SysInfo.Ini"));
}

TEST_F(SettingsLocation, LanguageFilesBesideTheExecutableComeFirst) {
    ::mkdir(dir.File("share").c_str(), 0755);
    ::mkdir(dir.File("share/zorva-520sx").c_str(), 0755);
    ::mkdir(dir.File("bin").c_str(), 0755);
    dir.Write("share/zorva-520sx/English.Ini", "[Language]\n");
    const std::string exeDir = dir.File("bin/");
    EXPECT_EQ(LanguageFilePath(exeDir, "English"), exeDir + "../share/zorva-520sx/English.Ini");
    dir.Write("bin/english.ini", "[Language]\n");
    EXPECT_EQ(LanguageFilePath(exeDir, "English"), exeDir + "english.ini");
    EXPECT_EQ(LanguageFilePath(exeDir, "Klingon"), exeDir + "Klingon.Ini");
}

} // namespace
} // namespace zorva
