#include "SqlNames.h"

#include <gtest/gtest.h>

namespace {

TEST(SqlNamesTest, TellsWhichNamesReadAsOneIdentifier) {
    const struct {
        const char* name;
        bool bare;
    } cases[] = {
        {"型号", true},
        {"显存带宽【GBs】", true},
        {"USBHUB接口", true},
        {"MTBF【小时】", true},
        {"随机读取4K【IOPS】", true},
        {"a_b1", true},
        {"带宽(GB/s)", false},  // ASCII brackets and slash
        {"USB-HUB接口", false}, // hyphen
        {"尺寸 英寸", false},   // space
        {"3D性能", false},      // starts with a digit
        {"億元", false},        // GBK 83 7C: the second byte is "|"
        {"倉位", false},        // GBK 82 7D: the second byte is "}"
        {"", false},
        {"\xF0\x9F\x98\x80", false}, // not in GBK at all
    };
    for (const auto& c : cases) {
        EXPECT_EQ(canStandBare(QString::fromUtf8(c.name)), c.bare) << c.name;
    }
}

} // namespace
