#include "FieldNameImpl.h"

#include <gtest/gtest.h>

namespace {

struct NameCase {
    const char* column;
    const char* display;
};

class FieldNameRoundTrip : public ::testing::TestWithParam<NameCase> {};

TEST_P(FieldNameRoundTrip, ConvertsBothWays) {
    TFieldNameImpl map;
    const QString column = QString::fromUtf8(GetParam().column);
    const QString display = QString::fromUtf8(GetParam().display);
    EXPECT_EQ(map.ToDisplayName(column), display);
    EXPECT_EQ(map.ToColumnName(display), column);
    // Applying the display conversion to its own result changes nothing.
    EXPECT_EQ(map.ToDisplayName(display), display);
}

INSTANTIATE_TEST_SUITE_P(Names, FieldNameRoundTrip,
                         ::testing::Values(NameCase{"带宽【GBs】", "带宽(GB/s)"},
                                           NameCase{"工作温度【度】", "工作温度(℃)"},
                                           NameCase{"读取速度【MBs】", "读取速度(MB/s)"},
                                           NameCase{"USBHUB接口", "USB-HUB接口"},
                                           NameCase{"速度【MBs】或【MBs】", "速度(MB/s)或(MB/s)"},
                                           NameCase{"型号", "型号"}, NameCase{"", ""}));

TEST(FieldNameImpl, LeavesOtherLetterCasesAlone) {
    TFieldNameImpl map;
    for (const char* text : {"gbs", "Mbs", "usbhub", "gBs"}) {
        EXPECT_EQ(map.ToDisplayName(QString::fromUtf8(text)), QString::fromUtf8(text));
    }
}

TEST(FieldNameImpl, SharedReferenceOutlivesItsCreator) {
    IFieldNamePtr kept;
    {
        IFieldNamePtr created = TFieldNameImpl::create();
        kept = created;
    }
    ASSERT_TRUE(kept);
    EXPECT_EQ(kept->ToDisplayName(QStringLiteral("MBs")), QStringLiteral("MB/s"));
}

} // namespace
