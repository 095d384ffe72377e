// Each text routine against a plain model written from its definition: the same result on
// every input, or the run stops. Texts are arbitrary bytes without NUL (a text ends at its
// NUL), lead bytes at the very end included; options are arbitrary integers.
#include "share/text_routines.h"

#include <fuzzer/FuzzedDataProvider.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

namespace model {

using Size = long long;

bool IsLead(unsigned char c) {
    return c >= 0x80;
}

char Fold(char c) {
    return (c >= 'A' && c <= 'Z') ? static_cast<char>(c + 32) : c;
}

bool Same(const std::string& a, const std::string& b, bool ignoreCase) {
    if (a.size() != b.size()) {
        return false;
    }
    for (size_t i = 0; i < a.size(); ++i) {
        if (ignoreCase ? Fold(a[i]) != Fold(b[i]) : a[i] != b[i]) {
            return false;
        }
    }
    return true;
}

// Every offset a character-wise scan that starts at `from` stands on, in order.
std::vector<Size> ScanOffsets(const std::string& text, Size from) {
    std::vector<Size> offsets;
    Size length = static_cast<Size>(text.size());
    for (Size o = from; o < length;) {
        offsets.push_back(o);
        if (!IsLead(static_cast<unsigned char>(text[o]))) {
            o += 1;
        } else if (o + 1 < length) {
            o += 2;
        } else {
            break;
        }
    }
    return offsets;
}

std::string TakeLeft(const std::string& text, Size n) {
    return n <= 0 ? "" : text.substr(0, static_cast<size_t>(std::min<Size>(n, text.size())));
}

std::string TakeRight(const std::string& text, Size n) {
    if (n <= 0) {
        return "";
    }
    Size take = std::min<Size>(n, text.size());
    return text.substr(text.size() - static_cast<size_t>(take));
}

Size FindForward(const std::string& text, const std::string& sub, Size start, bool ignoreCase) {
    Size b = std::max<Size>(start - 1, 0);
    Size length = static_cast<Size>(text.size());
    bool regionEmpty = b >= length;
    if (sub.empty()) {
        return regionEmpty ? -1 : 1;
    }
    for (Size o : ScanOffsets(text, b)) {
        if (length - o < static_cast<Size>(sub.size())) {
            break;
        }
        if (Same(text.substr(o, sub.size()), sub, ignoreCase)) {
            return o + 1;
        }
    }
    return -1;
}

Size FindBackward(const std::string& text, const std::string& sub, Size start, bool ignoreCase) {
    Size region = std::min<Size>(std::max<Size>(start - 1, 0), text.size());
    if (sub.empty()) {
        return region > 0 ? 1 : -1;
    }
    Size found = -1;
    for (Size o : ScanOffsets(text, 0)) {
        if (region - o < static_cast<Size>(sub.size())) {
            break;
        }
        if (Same(text.substr(o, sub.size()), sub, ignoreCase)) {
            found = o + 1;
        }
    }
    return found;
}

std::string ReplaceSubtext(const std::string& text, const std::string& find,
                           const std::string& replacement, Size start, bool hasCount, Size count,
                           bool caseSensitive) {
    Size o = std::max<Size>(start - 1, 0);
    Size length = static_cast<Size>(text.size());
    if (text.empty() || find.empty() || o >= length || (hasCount && count == 0)) {
        return text;
    }
    bool limited = hasCount && count > 0;
    Size left = count;
    std::string out = text.substr(0, static_cast<size_t>(o));
    while (length - o >= static_cast<Size>(find.size())) {
        if (Same(text.substr(o, find.size()), find, !caseSensitive)) {
            out += replacement;
            o += static_cast<Size>(find.size());
            if (limited && --left == 0) {
                break;
            }
        } else if (!IsLead(static_cast<unsigned char>(text[o]))) {
            out += text[o];
            o += 1;
        } else if (o + 1 < length) {
            out += text.substr(o, 2);
            o += 2;
        } else {
            o = length;
            break;
        }
    }
    return out + text.substr(static_cast<size_t>(o));
}

Size FindTextPosition(const std::string& text, const std::string& sub, Size start,
                      bool ignoreCase) {
    if (start == 0) {
        start = 1;
    }
    if (text.empty() || sub.empty() || start < 1 || start > static_cast<Size>(text.size()) + 1) {
        return -1;
    }
    // Every byte offset from the start on.
    for (Size o = start - 1; o + static_cast<Size>(sub.size()) <= static_cast<Size>(text.size());
         ++o) {
        if (Same(text.substr(o, sub.size()), sub, ignoreCase)) {
            return o + 1;
        }
    }
    return -1;
}

std::string TextAfter(const std::string& text, const std::string& marker, Size k, bool ignoreCase) {
    Size length = static_cast<Size>(text.size());
    Size p;
    if (k >= 0) {
        p = FindBackward(text, marker, length - k, ignoreCase);
    } else {
        Size m = -k == 1 ? 0 : -k;
        p = FindForward(text, marker, m == 0 ? 1 : m, ignoreCase);
    }
    return p == -1 ? "" : TakeRight(text, length - static_cast<Size>(marker.size()) - p + 1);
}

std::string TextBefore(const std::string& text, const std::string& marker, Size k,
                       bool ignoreCase) {
    Size length = static_cast<Size>(text.size());
    Size p;
    if (k >= 0) {
        p = FindForward(text, marker, k == 0 ? 1 : k, ignoreCase);
    } else {
        Size m = -k == 1 ? 0 : -k;
        p = FindBackward(text, marker, length - m, ignoreCase);
    }
    return p == -1 ? "" : TakeLeft(text, p - 1);
}

} // namespace model

namespace {

std::string Text(FuzzedDataProvider& data, size_t most) {
    std::string text = data.ConsumeRandomLengthString(most);
    text.erase(std::remove(text.begin(), text.end(), '\0'), text.end());
    return text;
}

// Options near the interesting values (around the text's length) most of the time, anything
// at all otherwise; kept within what a 32-bit caller can pass.
long long Option(FuzzedDataProvider& data) {
    if (data.ConsumeBool()) {
        return data.ConsumeIntegralInRange<long long>(-40, 40);
    }
    return data.ConsumeIntegral<int>();
}

[[noreturn]] void Mismatch(const char* routine) {
    std::fprintf(stderr, "%s differs from its model\n", routine);
    std::abort();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* bytes, size_t size) {
    FuzzedDataProvider data(bytes, size);
    int routine = data.ConsumeIntegralInRange(0, 8);
    bool flag = data.ConsumeBool();
    long long first = Option(data);
    long long second = Option(data);
    bool hasCount = data.ConsumeBool();
    std::string a = Text(data, 64);
    std::string b = Text(data, 8);
    std::string c = Text(data, 8);
    std::string text = Text(data, 256);

    switch (routine) {
    case 0:
        if (TakeLeft(text, first) != model::TakeLeft(text, first) ||
            TakeRight(text, first) != model::TakeRight(text, first)) {
            Mismatch("TakeLeft/TakeRight");
        }
        break;
    case 1:
        if (FindForward(text, b, first, flag) != model::FindForward(text, b, first, flag)) {
            Mismatch("FindForward");
        }
        break;
    case 2:
        if (FindBackward(text, b, first, flag) != model::FindBackward(text, b, first, flag)) {
            Mismatch("FindBackward");
        }
        break;
    case 3: {
        std::optional<std::int64_t> count;
        if (hasCount) {
            count = second;
        }
        if (ReplaceSubtext(text, b, c, first, count, flag) !=
            model::ReplaceSubtext(text, b, c, first, hasCount, second, flag)) {
            Mismatch("ReplaceSubtext");
        }
        break;
    }
    case 4: {
        // Five passes; the start applies to each, as does the count.
        std::optional<std::int64_t> count;
        if (hasCount) {
            count = second;
        }
        std::string pairs[10];
        for (std::string& piece : pairs) {
            piece = Text(data, 4);
        }
        std::string expected = text;
        long long start = first == 0 ? 1 : first;
        for (int i = 0; i < 5; ++i) {
            expected = model::ReplaceSubtext(expected, pairs[2 * i], pairs[2 * i + 1], start,
                                             hasCount, second, flag);
        }
        if (ReplaceMany(text, count, first, flag, pairs[0], pairs[1], pairs[2], pairs[3], pairs[4],
                        pairs[5], pairs[6], pairs[7], pairs[8], pairs[9]) != expected) {
            Mismatch("ReplaceMany");
        }
        break;
    }
    case 5: {
        std::string textCopy = text, subCopy = a;
        if (FindTextPosition(text, a, first, flag) !=
                model::FindTextPosition(text, a, first, flag) ||
            text != textCopy || a != subCopy) {
            Mismatch("FindTextPosition");
        }
        break;
    }
    case 6:
        if (TextAfter(text, b, first, flag) != model::TextAfter(text, b, first, flag)) {
            Mismatch("TextAfter");
        }
        break;
    case 7:
        if (TextBefore(text, b, first, flag) != model::TextBefore(text, b, first, flag)) {
            Mismatch("TextBefore");
        }
        break;
    default: {
        // A marker found in the text, at a character start or not.
        if (!text.empty()) {
            size_t at = static_cast<size_t>(std::llabs(first)) % text.size();
            std::string marker = text.substr(at, 1 + static_cast<size_t>(std::llabs(second)) % 3);
            if (TextAfter(text, marker, 0, flag) != model::TextAfter(text, marker, 0, flag) ||
                TextBefore(text, marker, 0, flag) != model::TextBefore(text, marker, 0, flag)) {
                Mismatch("TextAfter/TextBefore on a marker from the text");
            }
        }
        break;
    }
    }
    return 0;
}
