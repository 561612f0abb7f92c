#include "platform/registry_document.h"

#include <cstdio>

#include "common/text.h"

namespace pixmosa {

namespace {

constexpr std::string_view kHeader = "REGEDIT4";
constexpr std::string_view kUnicodeHeader = "Windows Registry Editor Version 5.00";

std::string_view trimBlanks(std::string_view text)
{
    while (!text.empty() && (text.front() == ' ' || text.front() == '\t')) {
        text.remove_prefix(1);
    }
    while (!text.empty() && (text.back() == ' ' || text.back() == '\t')) {
        text.remove_suffix(1);
    }
    return text;
}

bool isBlank(std::string_view line)
{
    return trimBlanks(line).empty();
}

// Reads a double-quoted text with \\ and \" escapes; on success `text` is left after the
// closing quote.
std::optional<std::string> takeQuoted(std::string_view& text)
{
    if (text.empty() || text.front() != '"') {
        return std::nullopt;
    }
    std::string result;
    for (std::size_t i = 1; i < text.size(); ++i) {
        const char c = text[i];
        if (c == '"') {
            text.remove_prefix(i + 1);
            return result;
        }
        if (c == '\\' && i + 1 < text.size() && (text[i + 1] == '\\' || text[i + 1] == '"')) {
            result += text[++i];
        } else {
            result += c;
        }
    }
    return std::nullopt;
}

std::string quoted(std::string_view text)
{
    std::string result = "\"";
    for (const char c : text) {
        if (c == '\\' || c == '"') {
            result += '\\';
        }
        result += c;
    }
    return result + "\"";
}

int hexDigit(char c)
{
    if (c >= '0' && c <= '9') {
        return c - '0';
    }
    if (c >= 'a' && c <= 'f') {
        return c - 'a' + 10;
    }
    if (c >= 'A' && c <= 'F') {
        return c - 'A' + 10;
    }
    return -1;
}

std::optional<std::uint32_t> parseHexNumber(std::string_view digits, std::size_t maxDigits)
{
    if (digits.empty() || digits.size() > maxDigits) {
        return std::nullopt;
    }
    std::uint32_t number = 0;
    for (const char c : digits) {
        const int digit = hexDigit(c);
        if (digit < 0) {
            return std::nullopt;
        }
        number = number * 16 + static_cast<std::uint32_t>(digit);
    }
    return number;
}

std::optional<std::string> parseHexBytes(std::string_view list)
{
    std::string bytes;
    list = trimBlanks(list);
    while (!list.empty()) {
        const std::size_t comma = list.find(',');
        const std::string_view item =
            trimBlanks(list.substr(0, comma == std::string_view::npos ? list.size() : comma));
        const std::optional<std::uint32_t> byte = parseHexNumber(item, 2);
        if (!byte) {
            return std::nullopt;
        }
        bytes += static_cast<char>(*byte);
        list = comma == std::string_view::npos ? std::string_view() : list.substr(comma + 1);
        if (comma != std::string_view::npos && trimBlanks(list).empty()) {
            return std::nullopt;
        }
    }
    return bytes;
}

std::optional<RegistryValue> parseData(std::string_view data)
{
    data = trimBlanks(data);
    if (!data.empty() && data.front() == '"') {
        std::optional<std::string> text = takeQuoted(data);
        if (!text || !isBlank(data)) {
            return std::nullopt;
        }
        return RegistryValue::text(*text);
    }
    if (startsWithIgnoringAsciiCase(data, "dword:")) {
        const std::optional<std::uint32_t> number = parseHexNumber(data.substr(6), 8);
        if (!number) {
            return std::nullopt;
        }
        return RegistryValue::dword(static_cast<std::int32_t>(*number));
    }
    if (startsWithIgnoringAsciiCase(data, "hex")) {
        std::string_view rest = data.substr(3);
        std::uint32_t type = RegistryType::Binary;
        if (!rest.empty() && rest.front() == '(') {
            const std::size_t close = rest.find(')');
            if (close == std::string_view::npos) {
                return std::nullopt;
            }
            const std::optional<std::uint32_t> number =
                parseHexNumber(rest.substr(1, close - 1), 8);
            if (!number) {
                return std::nullopt;
            }
            type = *number;
            rest.remove_prefix(close + 1);
        }
        if (rest.empty() || rest.front() != ':') {
            return std::nullopt;
        }
        std::optional<std::string> bytes = parseHexBytes(rest.substr(1));
        if (!bytes) {
            return std::nullopt;
        }
        return RegistryValue{type, std::move(*bytes)};
    }
    return std::nullopt;
}

bool isValueLine(std::string_view line)
{
    line = trimBlanks(line);
    return !line.empty() && (line.front() == '"' || line.front() == '@');
}

// The part of a value line after its name and equals sign, if it has them.
std::optional<std::string_view> dataOf(std::string_view line, std::string* name)
{
    line = trimBlanks(line);
    std::string parsedName;
    if (!line.empty() && line.front() == '@') {
        line.remove_prefix(1);
    } else if (std::optional<std::string> quotedName = takeQuoted(line)) {
        parsedName = std::move(*quotedName);
    } else {
        return std::nullopt;
    }
    if (name != nullptr) {
        *name = parsedName;
    }
    line = trimBlanks(line);
    if (line.empty() || line.front() != '=') {
        return std::string_view();
    }
    return line.substr(1);
}

bool continuesOnNextLine(std::string_view firstLine, std::string_view lastLine)
{
    const std::optional<std::string_view> data = dataOf(firstLine, nullptr);
    lastLine = trimBlanks(lastLine);
    return data && startsWithIgnoringAsciiCase(trimBlanks(*data), "hex") && !lastLine.empty() &&
           lastLine.back() == '\\';
}

std::string keyPathOf(std::string_view keyLine)
{
    keyLine = trimBlanks(keyLine);
    keyLine.remove_prefix(1);
    const std::size_t close = keyLine.rfind(']');
    if (close != std::string_view::npos) {
        keyLine = keyLine.substr(0, close);
    }
    keyLine = trimBlanks(keyLine);
    while (!keyLine.empty() && keyLine.back() == '\\') {
        keyLine.remove_suffix(1);
    }
    return std::string(keyLine);
}

bool isKeyLine(std::string_view line)
{
    line = trimBlanks(line);
    return !line.empty() && line.front() == '[';
}

bool sameKey(std::string_view a, std::string_view b)
{
    return equalsIgnoringAsciiCase(a, b);
}

}  // namespace

RegistryValue RegistryValue::text(std::string_view text)
{
    RegistryValue value{RegistryType::String, std::string(text)};
    value.data += '\0';
    return value;
}

RegistryValue RegistryValue::dword(std::int32_t number)
{
    const auto bits = static_cast<std::uint32_t>(number);
    std::string bytes;
    for (int shift = 0; shift < 32; shift += 8) {
        bytes += static_cast<char>((bits >> shift) & 0xFF);
    }
    return RegistryValue{RegistryType::Dword, bytes};
}

RegistryDocument::Entry RegistryDocument::parseEntry(std::vector<std::string> lines)
{
    Entry entry;
    entry.lines = std::move(lines);
    if (!isValueLine(entry.lines.front())) {
        return entry;
    }
    std::string name;
    const std::optional<std::string_view> firstData = dataOf(entry.lines.front(), &name);
    if (!firstData) {
        return entry;
    }
    entry.name = name;
    std::string data(*firstData);
    for (std::size_t i = 1; i < entry.lines.size(); ++i) {
        data = std::string(trimBlanks(data));
        data.pop_back();  // the continuation backslash
        data += trimBlanks(entry.lines[i]);
    }
    entry.value = parseData(data).value_or(RegistryValue{RegistryType::Unreadable, {}});
    return entry;
}

RegistryDocument RegistryDocument::parse(std::string_view text)
{
    RegistryDocument document;
    std::vector<std::string> lines = splitFileLines(text);
    std::size_t i = 0;
    if (!lines.empty()) {
        const std::string_view first = trimBlanks(lines.front());
        if (first == kHeader || first == kUnicodeHeader) {
            i = 1;
        }
    }
    for (; i < lines.size(); ++i) {
        if (isKeyLine(lines[i])) {
            document.m_keys.push_back(Key{keyPathOf(lines[i]), {lines[i]}, {}});
            continue;
        }
        if (document.m_keys.empty()) {
            document.m_preamble.push_back(lines[i]);
            continue;
        }
        std::vector<std::string> group{lines[i]};
        while (continuesOnNextLine(group.front(), group.back()) && i + 1 < lines.size() &&
               !isKeyLine(lines[i + 1])) {
            group.push_back(lines[++i]);
        }
        document.m_keys.back().entries.push_back(parseEntry(std::move(group)));
    }
    return document;
}

std::string RegistryDocument::serialize() const
{
    std::string text = joinLinesCrLf({std::string(kHeader)}) + joinLinesCrLf(m_preamble);
    for (const Key& key : m_keys) {
        text += joinLinesCrLf(key.headerLines);
        for (const Entry& entry : key.entries) {
            text += joinLinesCrLf(entry.lines);
        }
    }
    return text;
}

template <typename Document>
auto RegistryDocument::findEntry(Document& document, std::string_view keyPath,
                                 std::string_view name) -> decltype(&document.m_keys[0].entries[0])
{
    decltype(&document.m_keys[0].entries[0]) found = nullptr;
    for (auto& key : document.m_keys) {
        if (!sameKey(key.path, keyPath)) {
            continue;
        }
        for (auto& entry : key.entries) {
            if (entry.name && equalsIgnoringAsciiCase(*entry.name, name)) {
                found = &entry;
            }
        }
    }
    return found;
}

std::optional<RegistryValue> RegistryDocument::value(std::string_view keyPath,
                                                     std::string_view name) const
{
    if (const Entry* entry = findEntry(*this, keyPath, name)) {
        return entry->value;
    }
    return std::nullopt;
}

void RegistryDocument::setValue(std::string_view keyPath, std::string_view name,
                                const RegistryValue& value)
{
    Entry replacement{{formatValueLine(name, value)}, std::string(name), value};
    if (Entry* existing = findEntry(*this, keyPath, name)) {
        *existing = std::move(replacement);
        return;
    }
    for (auto key = m_keys.rbegin(); key != m_keys.rend(); ++key) {
        if (sameKey(key->path, keyPath)) {
            auto position = key->entries.end();
            while (position != key->entries.begin() && !(position - 1)->name &&
                   isBlank((position - 1)->lines.front())) {
                --position;
            }
            // A value whose last line still asks for a continuation would take the new line
            // as part of itself; an empty line ends it without changing what it holds.
            if (position != key->entries.begin()) {
                std::vector<std::string>& before = (position - 1)->lines;
                if (continuesOnNextLine(before.front(), before.back())) {
                    before.emplace_back();
                }
            }
            key->entries.insert(position, std::move(replacement));
            return;
        }
    }

    std::vector<std::string>* lastLines = &m_preamble;
    if (!m_keys.empty()) {
        lastLines = m_keys.back().entries.empty() ? &m_keys.back().headerLines
                                                  : &m_keys.back().entries.back().lines;
    }
    const bool blankBefore = !lastLines->empty() && isBlank(lastLines->back());
    if (!blankBefore) {
        if (m_keys.empty()) {
            m_preamble.emplace_back();
        } else {
            m_keys.back().entries.push_back(Entry{{std::string()}, std::nullopt, {}});
        }
    }
    Key key{std::string(keyPath), {std::string("[").append(keyPath).append("]")}, {}};
    key.entries.push_back(std::move(replacement));
    key.entries.push_back(Entry{{std::string()}, std::nullopt, {}});
    m_keys.push_back(std::move(key));
}

std::string RegistryDocument::formatValueLine(std::string_view name, const RegistryValue& value)
{
    std::string line = name.empty() ? std::string("@") : quoted(name);
    line += '=';
    const std::string_view data = value.data;
    const bool plainText = value.type == RegistryType::String && !data.empty() &&
                           data.back() == '\0' &&
                           data.find_first_of(std::string_view("\0\r\n", 3)) == data.size() - 1;
    if (plainText) {
        return line + quoted(data.substr(0, data.size() - 1));
    }
    char buffer[16];
    if (value.type == RegistryType::Dword && data.size() == 4) {
        std::uint32_t number = 0;
        for (int i = 3; i >= 0; --i) {
            number = (number << 8) | static_cast<unsigned char>(data[static_cast<std::size_t>(i)]);
        }
        std::snprintf(buffer, sizeof buffer, "%08x", number);
        return line + "dword:" + buffer;
    }
    if (value.type == RegistryType::Binary) {
        line += "hex:";
    } else {
        std::snprintf(buffer, sizeof buffer, "%x", value.type);
        line += "hex(" + std::string(buffer) + "):";
    }
    for (std::size_t i = 0; i < data.size(); ++i) {
        std::snprintf(buffer, sizeof buffer, i == 0 ? "%02x" : ",%02x",
                      static_cast<unsigned char>(data[i]));
        line += buffer;
    }
    return line;
}

}  // namespace pixmosa
