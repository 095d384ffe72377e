// Characters as Harnlo's texts know them, without a code-page table: only the ASCII letters
// have a letter case, and a byte of 0x80 or more starts a two-byte character.
#pragma once

constexpr char FoldAscii(char c) {
    return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
}

constexpr bool IsLeadByte(char byte) {
    return static_cast<unsigned char>(byte) >= 0x80;
}
