// Times the channel list's CSV with all 128 channels in use: export, and an import of that
// text (the plan with every check, then storing it). No display needed.
//   build/csv-bench [ROUNDS]
#include "FullImage.h"
#include "core/Maindb.h"
#include "csv/ChannelCsv.h"
#include "shell/Startup.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <vector>

namespace {

double Median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

double MsSince(std::chrono::steady_clock::time_point start) {
    return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start)
        .count();
}

} // namespace

int main(int argc, char** argv) {
    const int rounds = argc > 1 ? std::max(1, std::atoi(argv[1])) : 50;
    // Start-up reads no settings from here: a folder of its own that has none.
    const auto folder = std::filesystem::temp_directory_path() / "zorva-csv-bench";
    std::filesystem::create_directories(folder);
    zorva::DataModuleCreate(zorva::TheMaindb(), folder.string() + "/");
    zorva::StartImage(zorva::TheMaindb());
    zorva::bench::FillAllChannels();

    std::vector<double> exports, imports;
    std::size_t bytes = 0, rows = 0;
    for (int round = 0; round < rounds; ++round) {
        auto start = std::chrono::steady_clock::now();
        const zorva::CsvExport csv = zorva::ExportChannelsCsv(zorva::All());
        exports.push_back(MsSince(start));
        bytes = csv.text.size();

        start = std::chrono::steady_clock::now();
        zorva::CsvImportOptions options;
        options.replaceAll = true;
        const zorva::CsvImportPlan plan = zorva::PlanCsvImport(zorva::All(), csv.text, options);
        zorva::ApplyCsvImport(zorva::All(), plan);
        imports.push_back(MsSince(start));
        rows = plan.rows.size();
    }
    std::filesystem::remove_all(folder);
    std::printf("channel CSV, %zu channels (%zu bytes), %d rounds (median / worst)\n", rows, bytes,
                rounds);
    std::printf("  export  %7.2f ms / %7.2f ms   (target < 50 ms)\n", Median(exports),
                *std::max_element(exports.begin(), exports.end()));
    std::printf("  import  %7.2f ms / %7.2f ms   (target < 50 ms)\n", Median(imports),
                *std::max_element(imports.begin(), imports.end()));
    return rows == 128 ? 0 : 1;
}
