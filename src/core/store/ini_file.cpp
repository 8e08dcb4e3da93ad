#include "core/store/ini_file.h"

#include <algorithm>
#include <cctype>
#include <charconv>

#include "core/store/text_lines.h"

namespace spinalyst {

namespace {
std::string_view Trim(std::string_view s) {
    while (!s.empty() && std::isspace(static_cast<unsigned char>(s.front()))) s.remove_prefix(1);
    while (!s.empty() && std::isspace(static_cast<unsigned char>(s.back()))) s.remove_suffix(1);
    return s;
}
// A value with spaces at either end, or one that is itself in quotes, is written in quotes, so
// that reading, which trims what people type around "=", gives back exactly what was written.
std::string EncodeValue(std::string_view value) {
    const bool spaced =
        !value.empty() && (std::isspace(static_cast<unsigned char>(value.front())) ||
                           std::isspace(static_cast<unsigned char>(value.back())));
    const bool quoted = value.size() >= 2 && value.front() == '"' && value.back() == '"';
    if (!spaced && !quoted) return std::string(value);
    return "\"" + std::string(value) + "\"";
}
std::string DecodeValue(std::string_view trimmed) {
    if (trimmed.size() >= 2 && trimmed.front() == '"' && trimmed.back() == '"')
        trimmed = trimmed.substr(1, trimmed.size() - 2);
    return std::string(trimmed);
}
bool SameName(std::string_view a, std::string_view b) {
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
               return std::tolower(static_cast<unsigned char>(x)) ==
                      std::tolower(static_cast<unsigned char>(y));
           });
}
}  // namespace

std::optional<long long> ParseWholeNumber(std::string_view text) {
    text = Trim(text);
    if (!text.empty() && text.front() == '+') text.remove_prefix(1);
    long long value = 0;
    auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (text.empty() || ec != std::errc() || end != text.data() + text.size()) return std::nullopt;
    return value;
}

IniFile IniFile::Parse(std::string_view text) {
    IniFile ini;
    const std::string_view body = WithoutByteOrderMark(text);
    ini.byteOrderMark_ = body.size() != text.size();
    text = body;
    for (bool first = true; !text.empty(); first = false) {
        const TextLine read = TakeLine(text);
        if (ini.newline_.empty() && !read.end.empty()) ini.newline_ = std::string(read.end);
        Line line;
        line.text = std::string(read.text);
        line.end = std::string(read.end);
        // Only one mark is the file's; more of them would otherwise hide the first section.
        std::string_view content = read.text;
        while (first && content.starts_with(utf8ByteOrderMark))
            content.remove_prefix(utf8ByteOrderMark.size());
        const std::string_view t = Trim(content);
        if (t.size() >= 2 && t.front() == '[' && t.find(']') != std::string_view::npos) {
            line.type = LineType::Section;
            line.name = std::string(Trim(t.substr(1, t.find(']') - 1)));
        } else if (const auto eq = t.find('=');
                   eq != std::string_view::npos && eq > 0 && t.front() != ';' && t.front() != '#') {
            line.type = LineType::Key;
            line.name = std::string(Trim(t.substr(0, eq)));
            const std::size_t eqAt = content.find('=');
            std::size_t valueAt = eqAt + 1;
            while (valueAt < content.size() &&
                   std::isspace(static_cast<unsigned char>(content[valueAt])))
                ++valueAt;
            if (valueAt == content.size()) valueAt = eqAt + 1;
            line.valueAt = static_cast<std::size_t>(content.data() - read.text.data()) + valueAt;
            line.value = DecodeValue(Trim(content.substr(eqAt + 1)));
        }
        ini.lines_.push_back(std::move(line));
    }
    return ini;
}

std::string IniFile::Serialize() const {
    std::string out(byteOrderMark_ ? utf8ByteOrderMark : std::string_view());
    for (std::size_t i = 0; i < lines_.size(); ++i) {
        out += lines_[i].text;
        // Only the last line may lack its end; a key added after it needs one.
        out += lines_[i].end.empty() && i + 1 < lines_.size() ? Newline() : lines_[i].end;
    }
    return out;
}

int IniFile::Find(std::string_view section, std::string_view key) const {
    bool inSection = section.empty();
    for (std::size_t i = 0; i < lines_.size(); ++i) {
        const Line& line = lines_[i];
        if (line.type == LineType::Section)
            inSection = SameName(line.name, section);
        else if (inSection && line.type == LineType::Key && SameName(line.name, key))
            return static_cast<int>(i);
    }
    return -1;
}

bool IniFile::HasSection(std::string_view section) const {
    return std::any_of(lines_.begin(), lines_.end(), [&](const Line& line) {
        return line.type == LineType::Section && SameName(line.name, section);
    });
}

std::optional<std::string> IniFile::Get(std::string_view section, std::string_view key) const {
    const int i = Find(section, key);
    if (i < 0) return std::nullopt;
    return lines_[static_cast<std::size_t>(i)].value;
}

void IniFile::Set(std::string_view section, std::string_view key, std::string_view value) {
    // Values are one line: a line break would end the key and start garbage.
    std::string clean(value);
    std::replace_if(
        clean.begin(), clean.end(), [](char c) { return c == '\n' || c == '\r'; }, ' ');
    if (const int i = Find(section, key); i >= 0) {
        // Only the value changes; the name and the spacing typed around "=" stay.
        Line& line = lines_[static_cast<std::size_t>(i)];
        line.text.replace(line.valueAt, std::string::npos, EncodeValue(clean));
        line.value = std::move(clean);
        return;
    }
    Line line{LineType::Key,          std::string(key) + "=" + EncodeValue(clean),
              std::string(Newline()), std::string(key),
              std::move(clean),       key.size() + 1};
    // After the last key of the first section of that name.
    std::size_t insertAt = lines_.size();
    bool found = false;
    for (std::size_t i = 0; i < lines_.size(); ++i) {
        const Line& l = lines_[i];
        if (l.type == LineType::Section) {
            if (found) break;
            if (SameName(l.name, section)) {
                found = true;
                insertAt = i + 1;
            }
        } else if (found && l.type == LineType::Key) {
            insertAt = i + 1;
        }
    }
    if (found) {
        lines_.insert(lines_.begin() + static_cast<std::ptrdiff_t>(insertAt), std::move(line));
        return;
    }
    lines_.push_back(Line{LineType::Section,
                          "[" + std::string(section) + "]",
                          std::string(Newline()),
                          std::string(section),
                          {},
                          0});
    lines_.push_back(std::move(line));
}

std::string IniFile::GetText(std::string_view section, std::string_view key,
                             std::string_view fallback) const {
    auto v = Get(section, key);
    return v ? *v : std::string(fallback);
}

long long IniFile::GetInt(std::string_view section, std::string_view key,
                          long long fallback) const {
    auto v = Get(section, key);
    if (!v) return fallback;
    return ParseWholeNumber(*v).value_or(fallback);
}

bool IniFile::GetBool(std::string_view section, std::string_view key, bool fallback) const {
    auto v = Get(section, key);
    if (!v) return fallback;
    const auto n = ParseWholeNumber(*v);
    return n ? *n != 0 : fallback;
}

void IniFile::SetInt(std::string_view section, std::string_view key, long long value) {
    Set(section, key, std::to_string(value));
}

void IniFile::SetBool(std::string_view section, std::string_view key, bool value) {
    Set(section, key, value ? "1" : "0");
}

}  // namespace spinalyst
