#include "GbkLike.h"

#include "GbkCodec.h"

#include <sqlite3.h>

#include <cstring>

namespace gbk {
namespace {

enum class TokenKind { Literal, AnyOne, AnyRun, Broken };

// One element of a pattern: a character to match, `_`, `%`, or an escape character
// with nothing after it.
struct Token {
    TokenKind kind;
    std::size_t start; // of the literal character's bytes
    std::size_t size;
    std::size_t next; // where the following token starts
};

class Pattern {
public:
    Pattern(const unsigned char* data, std::size_t size, LikeEscape escape)
        : data_(data), size_(size), escape_(escape) {}

    std::size_t size() const { return size_; }
    const unsigned char* bytes(const Token& t) const { return data_ + t.start; }

    Token at(std::size_t pos) const {
        const std::size_t len = charLength(data_ + pos, qsizetype(size_ - pos));
        if (isEscape(pos, len)) {
            const std::size_t literal = pos + len;
            if (literal >= size_) {
                return {TokenKind::Broken, pos, len, size_};
            }
            const std::size_t literalLen = charLength(data_ + literal, qsizetype(size_ - literal));
            return {TokenKind::Literal, literal, literalLen, literal + literalLen};
        }
        if (len == 1 && data_[pos] == '%') {
            return {TokenKind::AnyRun, pos, len, pos + len};
        }
        if (len == 1 && data_[pos] == '_') {
            return {TokenKind::AnyOne, pos, len, pos + len};
        }
        return {TokenKind::Literal, pos, len, pos + len};
    }

private:
    bool isEscape(std::size_t pos, std::size_t len) const {
        return escape_.size != 0 && len == escape_.size &&
               std::memcmp(data_ + pos, escape_.data, len) == 0;
    }

    const unsigned char* data_;
    std::size_t size_;
    LikeEscape escape_;
};

unsigned char foldAscii(unsigned char c) {
    return (c >= 'A' && c <= 'Z') ? c + ('a' - 'A') : c;
}

bool sameCharacter(const unsigned char* a, std::size_t aSize, const unsigned char* b,
                   std::size_t bSize) {
    if (aSize != bSize) {
        return false;
    }
    if (aSize == 1) {
        return foldAscii(a[0]) == foldAscii(b[0]);
    }
    return std::memcmp(a, b, aSize) == 0;
}

void likeFunction(sqlite3_context* context, int argc, sqlite3_value** argv) {
    for (int i = 0; i < argc; ++i) {
        if (sqlite3_value_type(argv[i]) == SQLITE_NULL) {
            sqlite3_result_null(context);
            return;
        }
    }
    const unsigned char* pattern = sqlite3_value_text(argv[0]);
    const int patternSize = sqlite3_value_bytes(argv[0]);
    const unsigned char* text = sqlite3_value_text(argv[1]);
    const int textSize = sqlite3_value_bytes(argv[1]);
    if (pattern == nullptr || text == nullptr) {
        sqlite3_result_error_nomem(context);
        return;
    }
    // The same guard as the built-in LIKE, so that the limit of the connection holds.
    sqlite3* db = sqlite3_context_db_handle(context);
    if (patternSize > sqlite3_limit(db, SQLITE_LIMIT_LIKE_PATTERN_LENGTH, -1)) {
        sqlite3_result_error(context, "LIKE or GLOB pattern too complex", -1);
        return;
    }
    LikeEscape escape;
    if (argc == 3) {
        const unsigned char* e = sqlite3_value_text(argv[2]);
        const int eSize = sqlite3_value_bytes(argv[2]);
        if (e == nullptr || eSize == 0 || charLength(e, eSize) != eSize) {
            sqlite3_result_error(context, "ESCAPE expression must be a single character", -1);
            return;
        }
        escape = {e, std::size_t(eSize)};
    }
    sqlite3_result_int(
        context,
        likeMatch(pattern, std::size_t(patternSize), text, std::size_t(textSize), escape) ? 1 : 0);
}

} // namespace

bool likeMatch(const unsigned char* patternData, std::size_t patternSize, const unsigned char* text,
               std::size_t textSize, LikeEscape escape) {
    const Pattern pattern(patternData, patternSize, escape);
    std::size_t p = 0;
    std::size_t t = 0;
    // The last `%` met: where the pattern goes on after it, and where in the text the
    // run it matches ends for now. A mismatch later lets that run grow by one character
    // and retries from there; no earlier `%` ever needs to be revisited.
    bool haveRun = false;
    std::size_t runPattern = 0;
    std::size_t runText = 0;
    while (t < textSize) {
        if (p < pattern.size()) {
            const Token token = pattern.at(p);
            if (token.kind == TokenKind::AnyRun) {
                haveRun = true;
                runPattern = token.next;
                runText = t;
                p = token.next;
                continue;
            }
            if (token.kind == TokenKind::Broken) {
                return false;
            }
            const std::size_t len = charLength(text + t, qsizetype(textSize - t));
            if (token.kind == TokenKind::AnyOne ||
                sameCharacter(pattern.bytes(token), token.size, text + t, len)) {
                p = token.next;
                t += len;
                continue;
            }
        }
        if (!haveRun) {
            return false;
        }
        runText += charLength(text + runText, qsizetype(textSize - runText));
        t = runText;
        p = runPattern;
    }
    // The text is used up: only `%` may be left of the pattern.
    while (p < pattern.size()) {
        const Token token = pattern.at(p);
        if (token.kind != TokenKind::AnyRun) {
            return false;
        }
        p = token.next;
    }
    return true;
}

int registerLike(sqlite3* db) {
    const int flags = SQLITE_UTF8 | SQLITE_DETERMINISTIC;
    for (int argc : {2, 3}) {
        const int rc = sqlite3_create_function(db, "like", argc, flags, nullptr, likeFunction,
                                               nullptr, nullptr);
        if (rc != SQLITE_OK) {
            return rc;
        }
    }
    return SQLITE_OK;
}

} // namespace gbk
