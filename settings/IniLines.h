// How the profile API reads an INI file's lines: where a line ends, what a section heading
// and a key name are, which blanks are trimmed. Shared by everything that edits the file's
// bytes itself, so that it agrees with what the API reads back.
#pragma once

#include <algorithm>
#include <optional>
#include <string>
#include <string_view>

namespace ini {
inline char AsciiLower(char c) { return c >= 'A' && c <= 'Z' ? char(c - 'A' + 'a') : c; }

inline std::string Lowered(std::string_view text) {
    std::string lower(text);
    std::transform(lower.begin(), lower.end(), lower.begin(), AsciiLower);
    return lower;
}

inline std::string_view Unquoted(std::string_view value) {
    if (value.size() >= 2 && (value.front() == '"' || value.front() == '\'') && value.back() == value.front()) {
        return value.substr(1, value.size() - 2);
    }
    return value;
}

// The blanks the profile API trims from both ends of a line (CR and LF end one); ^Z, an
// old end-of-file mark, is one of them.
inline bool IsBlank(char c) { return c == ' ' || c == '\t' || c == '\v' || c == '\f' || c == '\x1A'; }

inline std::string_view Trimmed(std::string_view text) {
    while (!text.empty() && IsBlank(text.front())) text.remove_prefix(1);
    while (!text.empty() && IsBlank(text.back())) text.remove_suffix(1);
    return text;
}

inline bool SameName(std::string_view a, std::string_view b) {
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
        return AsciiLower(x) == AsciiLower(y);
    });
}

struct Line {
    std::size_t begin = 0;
    std::string_view content;  // without its ending
    std::string_view ending;   // "\r\n", "\n", "\r" or nothing at the end of the file
    std::size_t ContentEnd() const { return begin + content.size(); }
    std::size_t End() const { return ContentEnd() + ending.size(); }
};

// Lines as the profile API splits a file: at every CR or LF, a CR LF pair ending one line.
class LineSplitter {
public:
    LineSplitter(std::string_view text, std::size_t start) : text_(text), next_(start) {}

    bool Next(Line& line) {
        if (next_ >= text_.size()) return false;
        const std::size_t begin = next_;
        std::size_t contentEnd = begin;
        while (contentEnd < text_.size() && text_[contentEnd] != '\r' && text_[contentEnd] != '\n') ++contentEnd;
        std::size_t end = contentEnd;
        if (end < text_.size()) end += text_.compare(end, 2, "\r\n") == 0 ? 2 : 1;
        line = Line{begin, text_.substr(begin, contentEnd - begin), text_.substr(contentEnd, end - contentEnd)};
        next_ = end;
        return true;
    }

private:
    std::string_view text_;
    std::size_t next_;
};

// "[name]", anything after the last bracket ignored; the name without its blanks.
inline std::optional<std::string_view> SectionName(std::string_view trimmedLine) {
    if (trimmedLine.empty() || trimmedLine.front() != '[') return std::nullopt;
    const std::size_t close = trimmedLine.rfind(']');
    if (close == std::string_view::npos) return std::nullopt;  // read as a key line
    return Trimmed(trimmedLine.substr(1, close - 1));
}

inline std::string_view KeyName(std::string_view trimmedLine) {
    return Trimmed(trimmedLine.substr(0, trimmedLine.find('=')));
}

}  // namespace ini
