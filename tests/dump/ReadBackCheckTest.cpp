// The comparison of what was written with what the radio gave back.
#include "dump/ReadBackCheck.h"

#include "TestSupport.h"
#include "codec/ChannelRecord.h"
#include "core/Maindb.h"

#include <functional>
#include <gtest/gtest.h>

namespace zorva {
namespace {

TEST(ReadBackCheck, ComparesOnlyWhatAWriteSendsAndNamesTheField) {
    auto db = test::MakeStartedDb();
    InitNewChannel(db->All, 12, "145.5");
    const std::vector<uint8_t> memory(db->All.Image.begin(), db->All.Image.begin() + kRadioBytes);
    const struct {
        const char* name;
        std::function<void(std::vector<uint8_t>&)> change;
        std::string line; // the start of one of the lines; empty: verified
    } rows[] = {
        {"identical", [](auto&) {}, ""},
        {"write time",
         [](auto& m) {
             m[kWriteTime] ^= 1;
             m[kWriteTime + 6] ^= 1;
         },
         ""},
        {"block not written", [](auto& m) { m[295 * kBlockSize] ^= 1; }, ""},
        {"channel field", [](auto& m) { m[ChannelFieldAddress(12, 1)] ^= 0x10; },
         "channels[12].RxFreq: 145.50000 -> "},
        {"byte no field shows", [](auto& m) { m[ChannelFieldAddress(100, 0)] ^= 1; }, "image[0x"},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        std::vector<uint8_t> readBack = memory;
        row.change(readBack);
        const auto image = db->All.Image;
        const auto lines = ReadBackDifferences(db->All, readBack);
        EXPECT_EQ(db->All.Image, image) << "the image written is left as it is";
        if (row.line.empty()) {
            EXPECT_TRUE(lines.empty()) << lines.front();
            continue;
        }
        std::string all;
        for (const std::string& line : lines)
            all += "\n" + line;
        EXPECT_NE(all.find("\n" + row.line), std::string::npos) << all;
    }
}

} // namespace
} // namespace zorva
