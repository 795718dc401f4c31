#pragma once

#include <cstddef>

struct sqlite3;

// The `like` of the parameter database, on GBK text.
//
// SQLite's built-in LIKE walks its operands as UTF-8. The file's texts are GBK bytes, so
// it splits Chinese characters in the wrong places: it cannot find 中 in 中国, and it finds
// "A" in 丄 (GBK 81 41), whose second byte happens to be an ASCII letter. This matcher
// walks both operands GBK character by GBK character (see gbk::charLength): `%` matches
// any run of characters, `_` exactly one character, ASCII letters match without regard
// to case, and every other character matches only itself, byte for byte. A byte that
// does not start a valid GBK character counts as a character of its own.
namespace gbk {

// The escape character of a pattern, as the bytes of one GBK character; empty (size 0)
// when the pattern has none.
struct LikeEscape {
    const unsigned char* data = nullptr;
    std::size_t size = 0;
};

// True when `text` matches `pattern`. Runs in O(pattern length * text length) at worst:
// on a mismatch it only ever returns to the last `%` seen. An escape character at the
// very end of the pattern escapes nothing, and such a pattern matches no text.
bool likeMatch(const unsigned char* pattern, std::size_t patternSize, const unsigned char* text,
               std::size_t textSize, LikeEscape escape = {});

// Registers the matcher as the functions like(pattern, text) and
// like(pattern, text, escape) of `db`, which SQLite then uses for the LIKE operator.
// A NULL operand gives NULL. Returns the SQLite result code of the registration.
int registerLike(sqlite3* db);

} // namespace gbk
