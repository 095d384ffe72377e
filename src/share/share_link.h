// Turning a share message (a share link and, after it, the code word with a four-character
// extraction code) into the resolver link that carries the share identifier and the code.
// Plain text work, without Windows.
#pragma once

#include "share/build_settings.h"

#include <cstdint>
#include <string>
#include <string_view>

inline constexpr std::string_view CODE_WORD = "\xCC\xE1\xC8\xA1\xC2\xEB"; // 提取码
inline constexpr std::int64_t CODE_LENGTH = 4;                            // bytes, not characters
inline constexpr std::string_view SHARE_HOST = HARNLO_SHARE_HOST;
inline constexpr std::string_view SHARE_MARKER = HARNLO_SHARE_HOST "/s/";
inline constexpr std::string_view RESOLVER_HOST = HARNLO_RESOLVER_HOST;
inline constexpr std::string_view RESOLVER_LINK_PREFIX = "http://" HARNLO_RESOLVER_HOST "/?share=";
inline constexpr std::string_view CODE_QUERY_KEY = "&pwd=";
// Share links often carry the code themselves, right after the identifier.
inline constexpr std::string_view LINK_CODE_KEY = "?pwd=";

struct ShareParts {
    std::string identifier;
    std::string code;
};

// The share identifier and the extraction code of a clipboard text (either may be empty).
ShareParts ExtractShareParts(std::string_view clipboardText);

// "http://", the resolver host, "/?share=", the identifier, "&pwd=" and the code, both values
// percent-encoded.
std::string BuildResolverLink(const ShareParts& parts);

// Both steps at once: the link that a key press opens for this clipboard text.
std::string ResolverLinkFromShareText(std::string_view clipboardText);

// Every byte other than A-Z a-z 0-9 - . _ ~ as "%" and two upper-case hex digits.
std::string PercentEncode(std::string_view bytes);
