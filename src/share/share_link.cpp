#include "share/share_link.h"

#include "share/text_routines.h"

namespace {

constexpr std::string_view CARRIAGE_RETURN = "\r";
constexpr std::string_view COLON = ":";
constexpr std::string_view FULL_WIDTH_COLON = "\xA3\xBA"; // ：
constexpr std::string_view FULL_WIDTH_SPACE = "\xA1\xA1"; // 　

bool IsAsciiAlnum(unsigned char c) {
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9');
}

bool IsIdentifierByte(unsigned char c) {
    return IsAsciiAlnum(c) || c == '-' || c == '_';
}

// Skips the blanks that people put between the code word and the code.
std::string_view SkipBlanks(std::string_view text) {
    for (;;) {
        if (!text.empty() && (text[0] == ' ' || text[0] == '\t' || text[0] == '\n')) {
            text.remove_prefix(1);
        } else if (text.substr(0, FULL_WIDTH_SPACE.size()) == FULL_WIDTH_SPACE) {
            text.remove_prefix(FULL_WIDTH_SPACE.size());
        } else {
            return text;
        }
    }
}

size_t IdentifierLength(std::string_view text) {
    size_t length = 0;
    while (length < text.size() && IsIdentifierByte(static_cast<unsigned char>(text[length]))) {
        ++length;
    }
    return length;
}

} // namespace

ShareParts ExtractShareParts(std::string_view clipboardText) {
    // Every colon goes, the one after a link's scheme included; the share marker holds no
    // scheme, so links still match. Of a line break only the carriage return goes.
    std::string working = ReplaceMany(clipboardText, std::nullopt, 0, false, CARRIAGE_RETURN, "",
                                      COLON, "", FULL_WIDTH_COLON, "");

    ShareParts parts;
    // The byte-wise test finds the code word at any offset; the character-aligned cuts
    // below may then find none, which leaves both the code and the text empty.
    if (FindTextPosition(working, CODE_WORD) != -1) {
        std::string afterCodeWord = TextAfter(working, CODE_WORD);
        parts.code = TakeLeft(SkipBlanks(afterCodeWord), CODE_LENGTH);
        working = TextBefore(working, CODE_WORD);
    }

    std::string afterMarker = TextAfter(working, SHARE_MARKER);
    std::string_view rest = afterMarker;
    parts.identifier = std::string(rest.substr(0, IdentifierLength(rest)));
    rest.remove_prefix(parts.identifier.size());
    if (parts.code.empty() && !afterMarker.empty() &&
        rest.substr(0, LINK_CODE_KEY.size()) == LINK_CODE_KEY) {
        parts.code = TakeLeft(rest.substr(LINK_CODE_KEY.size()), CODE_LENGTH);
    }
    return parts;
}

std::string PercentEncode(std::string_view bytes) {
    static constexpr char HEX_DIGITS[] = "0123456789ABCDEF";
    std::string encoded;
    encoded.reserve(bytes.size());
    for (char byte : bytes) {
        auto c = static_cast<unsigned char>(byte);
        if (IsAsciiAlnum(c) || c == '-' || c == '.' || c == '_' || c == '~') {
            encoded += byte;
        } else {
            encoded += '%';
            encoded += HEX_DIGITS[c >> 4];
            encoded += HEX_DIGITS[c & 0x0F];
        }
    }
    return encoded;
}

std::string BuildResolverLink(const ShareParts& parts) {
    std::string link(RESOLVER_LINK_PREFIX);
    link += PercentEncode(parts.identifier);
    link += CODE_QUERY_KEY;
    link += PercentEncode(parts.code);
    return link;
}

std::string ResolverLinkFromShareText(std::string_view clipboardText) {
    return BuildResolverLink(ExtractShareParts(clipboardText));
}
