// Channel CSV import, the file most likely to come from elsewhere: planning any bytes never
// throws nor touches the image; a plan without errors applies, and its channels exported and
// imported again are the same channels.
#include "TestSupport.h"
#include "codec/ChannelRecord.h"
#include "codec/Numbers.h"
#include "csv/ChannelCsv.h"
#include "fuzz/FuzzSupport.h"

namespace zorva {
namespace {

std::string Channels(TALL& all) {
    std::string text;
    for (int channel = 1; channel <= kMemoryChannels; ++channel) {
        TChannel c;
        if (!LoadChannel(all, channel, c)) continue;
        text += std::to_string(channel) + ":" + FormatFreq(c.RxFreq) + " " +
                (c.TxFreq == -1.0 ? std::string("-") : FormatFreq(c.TxFreq)) + " " + c.RxTone +
                "|" + c.TxTone + "|" + c.Name + "|" + c.IdCode + "|";
        for (const int value : {c.BusyLock, c.Bandwidth, c.Power, c.VoiceMode, c.Scan, c.Epilogue,
                                c.Vox, c.PttId, c.Ani})
            text += std::to_string(value);
        text += "\n";
    }
    return text;
}

// A started image with a few channels in use, for imports that replace or keep them.
TALL Base() {
    static const std::unique_ptr<Maindb> started = [] {
        auto db = test::MakeStartedDb();
        InitNewChannel(db->All, 1, "145.5");
        InitNewChannel(db->All, 7, "438.025");
        InitNewChannel(db->All, 128, "446.00625");
        return db;
    }();
    return started->All;
}

} // namespace
} // namespace zorva

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    using namespace zorva;
    fuzz::FuzzInput in(data, size);
    const uint8_t flags = in.Byte();
    CsvImportOptions options;
    options.firstChannel = flags & 1 ? 1 + in.Pick(kMemoryChannels) : 0;
    options.replaceAll = flags & 2;
    options.headerOptional = flags & 4;
    const std::string bytes = in.Rest();

    TALL all = Base();
    const auto before = all.Image;
    const CsvImportPlan plan = PlanCsvImport(all, bytes, options);
    FUZZ_CHECK(all.Image == before, "planning changed the image");
    for (const CsvProblem& problem : plan.problems)
        ProblemText(problem);
    if (plan.HasErrors()) {
        FUZZ_CHECK(!ApplyCsvImport(all, plan) && all.Image == before, "a plan with errors applied");
        return 0;
    }
    FUZZ_CHECK(ApplyCsvImport(all, plan), "a plan without errors was not applied");
    const std::string imported = Channels(all);

    const CsvExport exported = ExportChannelsCsv(all);
    TALL again = Base();
    CsvImportOptions replace;
    replace.replaceAll = true;
    const CsvImportPlan replan = PlanCsvImport(again, exported.text, replace);
    if (replan.HasErrors()) {
        FUZZ_CHECK(!exported.warnings.empty(),
                   "an export without warnings is refused: " + ProblemText(replan.problems[0]));
        return 0;
    }
    FUZZ_CHECK(ApplyCsvImport(again, replan), "the export was not imported");
    const std::string back = Channels(again);
    FUZZ_CHECK(back == imported,
               "imported:\n" + imported + "exported and imported again:\n" + back);
    return 0;
}
