#include "hotkey/profile_edit.h"

#include "share/ascii.h"

#include <vector>

namespace {

constexpr std::string_view NEW_LINE = "\r\n";

struct Line {
    size_t begin;   // first byte
    size_t content; // end of the text, before the line end
    size_t end;     // after the line end
};

std::vector<Line> SplitLines(std::string_view file) {
    std::vector<Line> lines;
    size_t at = 0;
    while (at < file.size()) {
        size_t newline = file.find('\n', at);
        size_t end = newline == std::string_view::npos ? file.size() : newline + 1;
        size_t content = newline == std::string_view::npos ? file.size() : newline;
        if (content > at && file[content - 1] == '\r') {
            --content;
        }
        lines.push_back({at, content, end});
        at = end;
    }
    return lines;
}

std::string_view Trim(std::string_view text) {
    while (!text.empty() && (text.front() == ' ' || text.front() == '\t')) {
        text.remove_prefix(1);
    }
    while (!text.empty() && (text.back() == ' ' || text.back() == '\t')) {
        text.remove_suffix(1);
    }
    return text;
}

bool SameName(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) {
        return false;
    }
    for (size_t i = 0; i < a.size(); ++i) {
        if (FoldAscii(a[i]) != FoldAscii(b[i])) {
            return false;
        }
    }
    return true;
}

// The name of a section header line, or nothing when the line is not one.
bool SectionName(std::string_view line, std::string_view& name) {
    line = Trim(line);
    if (line.empty() || line.front() != '[') {
        return false;
    }
    size_t close = line.find(']');
    if (close == std::string_view::npos) {
        return false;
    }
    name = Trim(line.substr(1, close - 1));
    return true;
}

} // namespace

std::string SetProfileValue(std::string_view file, std::string_view section, std::string_view key,
                            std::string_view value) {
    value = value.substr(0, value.find_first_of("\r\n"));
    std::string entry(key);
    entry.append("=").append(value);
    std::vector<Line> lines = SplitLines(file);

    bool inSection = false;
    bool sectionFound = false;
    size_t insertAt = 0; // after the section's last line that is not blank
    for (const Line& line : lines) {
        std::string_view text = file.substr(line.begin, line.content - line.begin);
        std::string_view name;
        if (SectionName(text, name)) {
            if (inSection) {
                break; // the entry is not in the section: add it at its end
            }
            inSection = SameName(name, section);
            if (inSection) {
                sectionFound = true;
                insertAt = line.end;
            }
            continue;
        }
        if (!inSection) {
            continue;
        }
        if (!Trim(text).empty()) {
            insertAt = line.end;
        }
        size_t equals = text.find('=');
        std::string_view trimmed = Trim(text);
        if (equals == std::string_view::npos || trimmed.front() == ';') {
            continue;
        }
        if (SameName(Trim(text.substr(0, equals)), key)) {
            // Only the value's bytes change: the key as written, its blanks and the line end stay.
            std::string edited(file.substr(0, line.begin + equals + 1));
            edited += value;
            edited += file.substr(line.content);
            return edited;
        }
    }

    std::string edited(file);
    if (sectionFound) {
        // A last line without its line end gets one before the new entry follows it.
        std::string insertion = entry;
        insertion.append(NEW_LINE);
        if (insertAt > 0 && file[insertAt - 1] != '\n') {
            insertion.insert(0, NEW_LINE);
        }
        edited.insert(insertAt, insertion);
        return edited;
    }
    if (!edited.empty() && edited.back() != '\n') {
        edited += NEW_LINE;
    }
    edited.append("[").append(section).append("]").append(NEW_LINE);
    edited.append(entry).append(NEW_LINE);
    return edited;
}
