#include "shell/Startup.h"

#include "codec/DerivedFields.h"
#include "core/InstallationId.h"
#include "settings/Language.h"
#include "settings/Settings.h"

namespace zorva {

void DataModuleCreate(Maindb& db, const std::string& exeDir) {
    // Number texts in the model layer never consult the locale, so "." is the decimal
    // separator whatever the system says; the windows set the same for the toolkit.
    db.MacList = TMacList{};
    db.All = TALL{};
    db.Channel = TChannel{};
    db.Language = TLanguage{};

    TALL& all = db.All;
    all.ExeDir = exeDir;
    if (!all.ExeDir.empty() && all.ExeDir.back() != '/') all.ExeDir += '/';

    all.PowerTestAvailable = false;
    all.DtmfDecodeVisible = true;
    all.BaudRate = 2400;
    all.CurrentChannel = 1;
    all.FmBandLow = 74.0;
    all.FmBandHigh = 114.0;
    all.LanguageSelectable = true;
    all.ManualFreqDefault = 0xFF;

    ModelDefaults(all, db.MacList);
    ReadSettings(all, SettingsFilePath(all.ExeDir));
    LoadLanguage(db.Language, LanguageFilePath(all.ExeDir, all.LanguageName));
    all.InstallationId = ComputeInstallationId(all.ExeDir);
}

void StartImage(Maindb& db) {
    FirstShowingSequence(db.All, db.MacList, CurrentTimeText());
    db.All.Modified = false;
    NewCommandSequence(db.All, db.MacList, CurrentTimeText());
}

} // namespace zorva
