// The two C-library string functions that FindTextPosition uses. On Windows they are taken
// from ntdll.dll by name at first use; elsewhere they are the C library's own.
#pragma once

char* CallStrlwr(char* text);
const char* CallStrstr(const char* text, const char* sub);
