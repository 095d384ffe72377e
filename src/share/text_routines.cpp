#include "share/text_routines.h"

#include "share/ascii.h"
#include "share/c_library.h"

#include <algorithm>

namespace {

using Size = std::int64_t;

Size LengthOf(std::string_view text) {
    return static_cast<Size>(text.size());
}

bool BytesMatchAt(std::string_view text, Size offset, std::string_view sub, bool ignoreCase) {
    // Most offsets differ at the first byte: decide those without a call.
    char first = text[static_cast<size_t>(offset)];
    if (ignoreCase ? FoldAscii(first) != FoldAscii(sub[0]) : first != sub[0]) {
        return false;
    }
    if (!ignoreCase) {
        return text.compare(static_cast<size_t>(offset), sub.size(), sub) == 0;
    }
    for (Size i = 0; i < LengthOf(sub); ++i) {
        char a = text[static_cast<size_t>(offset + i)];
        char b = sub[static_cast<size_t>(i)];
        if (ignoreCase ? FoldAscii(a) != FoldAscii(b) : a != b) {
            return false;
        }
    }
    return true;
}

// Offset of the next character start after the one at offset, or -1 when the character
// there is a lead byte with nothing after it (the scan ends there).
Size NextCharacter(std::string_view text, Size offset) {
    if (!IsLeadByte(text[static_cast<size_t>(offset)])) {
        return offset + 1;
    }
    return offset + 1 < LengthOf(text) ? offset + 2 : -1;
}

// Keeps caller-given positions far from the limits of the type, so that negating them or
// subtracting them from a length cannot overflow; no text comes anywhere near this size.
Size Bounded(Size position) {
    constexpr Size LIMIT = Size{1} << 62;
    return std::clamp(position, -LIMIT, LIMIT);
}

} // namespace

std::string TakeLeft(std::string_view text, std::int64_t n) {
    if (n <= 0) {
        return {};
    }
    return std::string(text.substr(0, static_cast<size_t>(std::min(n, LengthOf(text)))));
}

std::string TakeRight(std::string_view text, std::int64_t n) {
    if (n <= 0) {
        return {};
    }
    Size take = std::min(n, LengthOf(text));
    return std::string(text.substr(static_cast<size_t>(LengthOf(text) - take)));
}

std::int64_t FindForward(std::string_view text, std::string_view sub, std::int64_t start,
                         bool ignoreCase) {
    Size offset = std::max<Size>(start, 1) - 1;
    bool regionEmpty = offset >= LengthOf(text);
    if (sub.empty()) {
        return regionEmpty ? -1 : 1;
    }
    while (offset >= 0 && LengthOf(text) - offset >= LengthOf(sub)) {
        if (BytesMatchAt(text, offset, sub, ignoreCase)) {
            return offset + 1;
        }
        offset = NextCharacter(text, offset);
    }
    return -1;
}

std::int64_t FindBackward(std::string_view text, std::string_view sub, std::int64_t start,
                          bool ignoreCase) {
    Size regionLength = std::min(std::max<Size>(start, 1) - 1, LengthOf(text));
    if (sub.empty()) {
        return regionLength > 0 ? 1 : -1;
    }
    Size found = -1;
    Size offset = 0;
    while (offset >= 0 && regionLength - offset >= LengthOf(sub)) {
        if (BytesMatchAt(text, offset, sub, ignoreCase)) {
            found = offset + 1;
        }
        offset = NextCharacter(text, offset);
    }
    return found;
}

std::string ReplaceSubtext(std::string_view text, std::string_view find,
                           std::string_view replacement, std::int64_t start,
                           std::optional<std::int64_t> count, bool caseSensitive) {
    Size offset = std::max<Size>(start, 1) - 1;
    if (text.empty() || find.empty() || offset >= LengthOf(text) || count == 0) {
        return std::string(text);
    }
    // A negative count never reaches zero, so it is no limit either.
    bool limited = count.has_value() && *count > 0;
    Size remaining = limited ? *count : 0;

    std::string result;
    result.reserve(text.size());
    // Bytes that stay as they are are copied in runs, from copiedUpTo to the scan offset.
    Size copiedUpTo = 0;
    auto copyRun = [&](Size upTo) {
        result.append(
            text.substr(static_cast<size_t>(copiedUpTo), static_cast<size_t>(upTo - copiedUpTo)));
    };
    while (LengthOf(text) - offset >= LengthOf(find)) {
        if (BytesMatchAt(text, offset, find, !caseSensitive)) {
            copyRun(offset);
            result += replacement;
            offset += LengthOf(find);
            copiedUpTo = offset;
            if (limited && --remaining == 0) {
                break;
            }
            continue;
        }
        Size next = NextCharacter(text, offset);
        if (next < 0) {
            // A lead byte with nothing after it is dropped.
            copyRun(offset);
            copiedUpTo = offset = LengthOf(text);
            break;
        }
        offset = next;
    }
    copyRun(LengthOf(text));
    return result;
}

std::string ReplaceMany(std::string_view text, std::optional<std::int64_t> count,
                        std::int64_t start, bool caseSensitive, std::string_view find1,
                        std::string_view replacement1, std::string_view find2,
                        std::string_view replacement2, std::string_view find3,
                        std::string_view replacement3, std::string_view find4,
                        std::string_view replacement4, std::string_view find5,
                        std::string_view replacement5) {
    if (start == 0) {
        start = 1;
    }
    const std::string_view pairs[5][2] = {{find1, replacement1},
                                          {find2, replacement2},
                                          {find3, replacement3},
                                          {find4, replacement4},
                                          {find5, replacement5}};
    std::string working(text);
    for (const auto& pair : pairs) {
        working = ReplaceSubtext(working, pair[0], pair[1], start, count, caseSensitive);
    }
    return working;
}

std::int64_t FindTextPosition(std::string_view text, std::string_view sub, std::int64_t start,
                              bool ignoreCase) {
    if (start == 0) {
        start = 1;
    }
    if (text.empty() || sub.empty()) {
        return -1;
    }
    // A start outside the text (below byte 1 or past length + 1) finds nothing.
    if (start < 1 || start > LengthOf(text) + 1) {
        return -1;
    }
    // strstr works on NUL-terminated copies; a text holds no NUL before its end.
    std::string haystack(text);
    std::string needle(sub);
    if (ignoreCase) {
        CallStrlwr(haystack.data());
        CallStrlwr(needle.data());
    }
    const char* found = CallStrstr(haystack.c_str() + (start - 1), needle.c_str());
    return found == nullptr ? -1 : (found - haystack.c_str()) + 1;
}

std::string TextAfter(std::string_view text, std::string_view marker, std::int64_t position,
                      bool ignoreCase) {
    position = Bounded(position);
    Size found;
    if (position >= 0) {
        found = FindBackward(text, marker, LengthOf(text) - position, ignoreCase);
    } else {
        Size m = -position == 1 ? 0 : -position;
        found = FindForward(text, marker, m == 0 ? 1 : m, ignoreCase);
    }
    if (found == -1) {
        return {};
    }
    return TakeRight(text, LengthOf(text) - LengthOf(marker) - found + 1);
}

std::string TextBefore(std::string_view text, std::string_view marker, std::int64_t position,
                       bool ignoreCase) {
    position = Bounded(position);
    Size found;
    if (position >= 0) {
        found = FindForward(text, marker, position == 0 ? 1 : position, ignoreCase);
    } else {
        Size m = -position == 1 ? 0 : -position;
        found = FindBackward(text, marker, LengthOf(text) - m, ignoreCase);
    }
    if (found == -1) {
        return {};
    }
    return TakeLeft(text, found - 1);
}
