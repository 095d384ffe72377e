// Letter case as Harnlo's texts know it: only the ASCII letters have one.
#pragma once

constexpr char FoldAscii(char c) {
    return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
}
