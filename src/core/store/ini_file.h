#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace spinalyst {

// An INI document kept line by line, so that rewriting it keeps comments, unknown sections
// and lines the program does not understand: every line the program does not set is written
// back byte for byte, line ends included. Section and key names match without regard to
// letter case; a new key goes to the end of its section, a new section to the end of the file.
// Values read trimmed; a value with spaces at either end is written in double quotes, which
// reading removes, so it reads back as it was set.
class IniFile {
public:
    static IniFile Parse(std::string_view text);
    std::string Serialize() const;

    std::optional<std::string> Get(std::string_view section, std::string_view key) const;
    void Set(std::string_view section, std::string_view key, std::string_view value);

    std::string GetText(std::string_view section, std::string_view key,
                        std::string_view fallback) const;
    // A value that is not a whole number (or does not fit 64 bits) reads as the fallback.
    long long GetInt(std::string_view section, std::string_view key, long long fallback) const;
    // Written 1/0; any other whole number reads as true.
    bool GetBool(std::string_view section, std::string_view key, bool fallback) const;
    void SetInt(std::string_view section, std::string_view key, long long value);
    void SetBool(std::string_view section, std::string_view key, bool value);

    bool HasSection(std::string_view section) const;

private:
    enum class LineType { Section, Key, Other };
    struct Line {
        LineType type = LineType::Other;
        std::string text;         // the line without its end, as read or as last set
        std::string end;          // its line end as read: a rewrite puts back the same bytes
        std::string name;         // section or key name as written
        std::string value;        // key lines: the value as read
        std::size_t valueAt = 0;  // key lines: where the value starts in text
    };
    // Index of the key line, or -1.
    int Find(std::string_view section, std::string_view key) const;
    // The end given to new lines: the file's first, LF for a new file.
    std::string_view Newline() const {
        return newline_.empty() ? std::string_view("\n") : std::string_view(newline_);
    }

    std::vector<Line> lines_;
    bool byteOrderMark_ = false;
    std::string newline_;
};

std::optional<long long> ParseWholeNumber(std::string_view text);

}  // namespace spinalyst
