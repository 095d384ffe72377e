// Text routines over code page 936 byte strings.
//
// Positions, counts and lengths are in bytes; positions are 1-based and a search that finds
// nothing gives -1. An absent text and the empty text are the same value. The searches and
// the replacement walk the text character by character: a byte of 0x80 or more together with
// the byte after it is one character, any other byte is one.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

// The first min(n, length) bytes; empty when n <= 0. May split a two-byte character.
std::string TakeLeft(std::string_view text, std::int64_t n);

// The last min(n, length) bytes; empty when n <= 0.
std::string TakeRight(std::string_view text, std::int64_t n);

// Position of the first match at or after byte start, or -1.
std::int64_t FindForward(std::string_view text, std::string_view sub, std::int64_t start,
                         bool ignoreCase);

// Position of the last match lying wholly before byte start, or -1.
std::int64_t FindBackward(std::string_view text, std::string_view sub, std::int64_t start,
                          bool ignoreCase);

// The text with find replaced from byte start on, at most count times (no limit when count is
// absent or negative).
std::string ReplaceSubtext(std::string_view text, std::string_view find,
                           std::string_view replacement, std::int64_t start,
                           std::optional<std::int64_t> count, bool caseSensitive);

// Up to five replacement passes, each over the result of the one before.
std::string ReplaceMany(std::string_view text, std::optional<std::int64_t> count = std::nullopt,
                        std::int64_t start = 0, bool caseSensitive = false,
                        std::string_view find1 = {}, std::string_view replacement1 = {},
                        std::string_view find2 = {}, std::string_view replacement2 = {},
                        std::string_view find3 = {}, std::string_view replacement3 = {},
                        std::string_view find4 = {}, std::string_view replacement4 = {},
                        std::string_view find5 = {}, std::string_view replacement5 = {});

// Byte-wise search (every offset, not only character starts) through the C library's strstr,
// lower-casing copies with _strlwr first when ignoreCase is set. -1 for an empty text or sub.
std::int64_t FindTextPosition(std::string_view text, std::string_view sub, std::int64_t start = 0,
                              bool ignoreCase = false);

// The bytes after an occurrence of marker; with position 0, after the last occurrence that
// has at least one byte after it. Empty when there is none.
std::string TextAfter(std::string_view text, std::string_view marker, std::int64_t position = 0,
                      bool ignoreCase = false);

// The bytes before an occurrence of marker; with position 0, before the first occurrence.
// Empty when there is none.
std::string TextBefore(std::string_view text, std::string_view marker, std::int64_t position = 0,
                       bool ignoreCase = false);
