#include "GbkCodec.h"

#include <gtest/gtest.h>

namespace {

struct RoundTripCase {
    const char* name;
    QByteArray bytes;
    QString text; // what decoding gives
};

void PrintTo(const RoundTripCase& c, std::ostream* os) {
    *os << c.name;
}

class GbkRoundTrip : public ::testing::TestWithParam<RoundTripCase> {};

TEST_P(GbkRoundTrip, DecodesAndEncodesBackToTheSameBytes) {
    const RoundTripCase& c = GetParam();
    const QString decoded = gbk::decode(c.bytes);
    EXPECT_EQ(decoded, c.text);
    EXPECT_EQ(gbk::encode(decoded), c.bytes);
}

QString escaped(char16_t byte) {
    return QString(QChar(char16_t(0xDC00 + byte)));
}

INSTANTIATE_TEST_SUITE_P(
    Texts, GbkRoundTrip,
    ::testing::Values(
        RoundTripCase{"Empty", QByteArray(), QString()},
        RoundTripCase{"Ascii", QByteArray("id, 123 \"x\"\r\n"),
                      QStringLiteral("id, 123 \"x\"\r\n")},
        RoundTripCase{"Chinese", QByteArray("\xD6\xD0\xB9\xFA"), QStringLiteral(u"中国")},
        RoundTripCase{"SecondByteIsAsciiLetter", QByteArray("\x81\x41"), QStringLiteral(u"丄")},
        RoundTripCase{"BracketsDegree", QByteArray("\xA1\xBE\xB6\xC8\xA1\xBF\xA1\xE6"),
                      QStringLiteral(u"【度】℃")},
        RoundTripCase{"MixedColumnName",
                      QByteArray("\xCF\xD4\xB4\xE6\xB4\xF8\xBF\xED\xA1\xBEGBs\xA1\xBF"),
                      QStringLiteral(u"显存带宽【GBs】")},
        RoundTripCase{"LoneLeadByteAtEnd", QByteArray("A\x81"),
                      QStringLiteral("A") + escaped(0x81)},
        RoundTripCase{"ByteFF",
                      QByteArray("\xFF"
                                 "a"),
                      escaped(0xFF) + QStringLiteral("a")},
        RoundTripCase{"Byte80IsEuro", QByteArray("\x80"), QStringLiteral(u"€")},
        RoundTripCase{"LeadByteBeforeBadTrail", QByteArray("\x81\x7F\xD6\xD0"),
                      escaped(0x81) + QStringLiteral(u"\x7F中")},
        RoundTripCase{"EscapesBetweenCharacters", QByteArray("\xD6\xD0\xFF\xFF\xB9\xFA"),
                      QStringLiteral(u"中") + escaped(0xFF) + escaped(0xFF) +
                          QStringLiteral(u"国")}),
    [](const ::testing::TestParamInfo<RoundTripCase>& info) { return info.param.name; });

TEST(GbkCodec, EveryByteAndEveryTwoByteSequenceSurvivesARoundTrip) {
    // Lossless means lossless for all input, not just for the characters we thought of.
    for (int lead = 0; lead <= 0xFF; ++lead) {
        const QByteArray single(1, char(lead));
        ASSERT_EQ(gbk::encode(gbk::decode(single)), single) << "byte " << lead;
        for (int trail = 0x40; trail <= 0xFF; ++trail) {
            QByteArray pair;
            pair.append(char(lead)).append(char(trail));
            ASSERT_EQ(gbk::encode(gbk::decode(pair)), pair) << "bytes " << lead << " " << trail;
        }
    }
}

TEST(GbkCodec, EncodesProgramTextToGbk) {
    EXPECT_EQ(gbk::encode(QStringLiteral(u"显卡")), QByteArray("\xCF\xD4\xBF\xA8"));
    EXPECT_EQ(gbk::encode(QStringLiteral(u"工作温度【度】")),
              QByteArray("\xB9\xA4\xD7\xF7\xCE\xC2\xB6\xC8\xA1\xBE\xB6\xC8\xA1\xBF"));
}

struct RefusedCase {
    const char* name;
    QString text;
    const char* codePoint; // as the message must name it
};

void PrintTo(const RefusedCase& c, std::ostream* os) {
    *os << c.name;
}

class GbkRefused : public ::testing::TestWithParam<RefusedCase> {};

TEST_P(GbkRefused, EncodeThrowsNamingTheCharacter) {
    const RefusedCase& c = GetParam();
    try {
        gbk::encode(c.text);
        FAIL() << "no GbkError";
    } catch (const gbk::GbkError& e) {
        EXPECT_NE(std::string(e.what()).find(c.codePoint), std::string::npos) << e.what();
    }
}

INSTANTIATE_TEST_SUITE_P(
    Characters, GbkRefused,
    ::testing::Values(RefusedCase{"Emoji", QStringLiteral(u"显卡😀型号"), "U+1F600"},
                      RefusedCase{"EmojiAfterEscape", escaped(0xFF) + QStringLiteral(u"😀"),
                                  "U+1F600"},
                      RefusedCase{"KoreanSyllable", QStringLiteral(u"a한"), "U+D55C"},
                      RefusedCase{"LoneHighSurrogateAtEnd",
                                  QStringLiteral("a") + QChar(char16_t(0xD83D)), "U+D83D"}),
    [](const ::testing::TestParamInfo<RefusedCase>& info) { return info.param.name; });

struct LengthCase {
    QByteArray bytes;
    int length;
};

TEST(GbkCodec, CharLength) {
    const LengthCase cases[] = {
        {QByteArray("A"), 1},        {QByteArray("A\xD6"), 1},    {QByteArray("\xD6\xD0"), 2},
        {QByteArray("\x81\x40"), 2}, {QByteArray("\xFE\xFE"), 2}, {QByteArray("\x81\x41"), 2},
        {QByteArray("\x81"), 1},     {QByteArray("\x81\x3F"), 1}, {QByteArray("\x81\x7F"), 1},
        {QByteArray("\x81\xFF"), 1}, {QByteArray("\x80\x40"), 1}, {QByteArray("\xFF\x40"), 1},
    };
    for (const LengthCase& c : cases) {
        EXPECT_EQ(gbk::charLength(reinterpret_cast<const unsigned char*>(c.bytes.constData()),
                                  c.bytes.size()),
                  c.length)
            << c.bytes.toHex().constData();
    }
}

TEST(GbkCodec, CharLengthSeesOnlyTheAvailableBytes) {
    const auto* data = reinterpret_cast<const unsigned char*>("\xD6\xD0");
    EXPECT_EQ(gbk::charLength(data, 1), 1);
}

} // namespace
