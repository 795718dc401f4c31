#include "SampleOptions.h"

#include <gtest/gtest.h>

namespace {

TEST(SampleOptionsTest, ReadsEveryOption) {
    const SampleOptions options = parseSampleOptions(
        {"--kinds", "200", "--products", "10000", "--params", "40", "--out", "/tmp/set"});
    EXPECT_EQ(options.catalogue.kinds, 200);
    EXPECT_EQ(options.catalogue.products, 10000);
    EXPECT_EQ(options.catalogue.params, 40);
    EXPECT_EQ(options.outDir, "/tmp/set");
    EXPECT_FALSE(options.help);
}

TEST(SampleOptionsTest, NoArgumentsMeanTheCatalogueAsItIs) {
    const SampleOptions options = parseSampleOptions({});
    EXPECT_EQ(options.catalogue.kinds, 0);
    EXPECT_EQ(options.catalogue.products, 0);
    EXPECT_EQ(options.catalogue.params, 0);
    EXPECT_TRUE(options.outDir.isEmpty());
    EXPECT_TRUE(parseSampleOptions({"--help"}).help);
}

TEST(SampleOptionsTest, RefusesBadCommandLines) {
    const QList<QStringList> cases = {
        {"--kinds"},
        {"--out"},
        {"--kinds", "0"},
        {"--products", "-5"},
        {"--params", "4x"},
        {"--params", ""},
        {"--rows", "3"},
        {"out"},
        {"--kinds", "3", "--products"},
    };
    for (const QStringList& arguments : cases) {
        EXPECT_THROW(parseSampleOptions(arguments), UsageError)
            << arguments.join(' ').toStdString();
    }
}

} // namespace
