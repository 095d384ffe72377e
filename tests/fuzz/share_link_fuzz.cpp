// The conversion from clipboard text to link: never crashes, and every link is the resolver's
// with the one "&pwd=" separator and nothing but unreserved bytes and %XX escapes around it.
#include "share/share_link.h"

#include <cstdio>
#include <cstdlib>
#include <string>

namespace {

bool IsUnreserved(char c) {
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '-' ||
           c == '.' || c == '_' || c == '~';
}

bool IsUpperHex(char c) {
    return (c >= '0' && c <= '9') || (c >= 'A' && c <= 'F');
}

// Unreserved bytes and %XX escapes only.
bool WellEncoded(const std::string& value) {
    for (size_t i = 0; i < value.size(); ++i) {
        if (value[i] == '%') {
            if (i + 2 >= value.size() || !IsUpperHex(value[i + 1]) || !IsUpperHex(value[i + 2])) {
                return false;
            }
            i += 2;
        } else if (!IsUnreserved(value[i])) {
            return false;
        }
    }
    return true;
}

[[noreturn]] void Fail(const char* what, const std::string& link) {
    std::fprintf(stderr, "%s: %s\n", what, link.c_str());
    std::abort();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* bytes, size_t size) {
    // The clipboard gives a text: it ends at its first NUL.
    std::string text(reinterpret_cast<const char*>(bytes), size);
    text.resize(std::string(text.c_str()).size());

    ShareParts parts = ExtractShareParts(text);
    std::string link = BuildResolverLink(parts);

    if (link.compare(0, RESOLVER_LINK_PREFIX.size(), RESOLVER_LINK_PREFIX) != 0) {
        Fail("link without the resolver prefix", link);
    }
    std::string rest = link.substr(RESOLVER_LINK_PREFIX.size());
    size_t separator = rest.find(CODE_QUERY_KEY);
    if (separator == std::string::npos ||
        rest.find(CODE_QUERY_KEY, separator + 1) != std::string::npos) {
        Fail("not exactly one &pwd=", link);
    }
    if (!WellEncoded(rest.substr(0, separator)) ||
        !WellEncoded(rest.substr(separator + CODE_QUERY_KEY.size()))) {
        Fail("a byte outside the unreserved set and %XX", link);
    }
    // The identifier is made of letters, digits, "-" and "_"; the code of at most four bytes.
    for (char c : parts.identifier) {
        if (!IsUnreserved(c) || c == '.' || c == '~') {
            Fail("identifier byte", link);
        }
    }
    if (parts.code.size() > static_cast<size_t>(CODE_LENGTH)) {
        Fail("code longer than four bytes", link);
    }
    return 0;
}
