#include "cli/printable_name.h"

#include <algorithm>
#include <cstdio>

namespace pixmosa::cli {

namespace {

void appendHex(std::string& out, unsigned char byte)
{
    char escape[5];
    std::snprintf(escape, sizeof escape, "\\x%02x", byte);
    out += escape;
}

// The length of the well-formed UTF-8 character at the start of `text`, or 0.
std::size_t utf8Length(std::string_view text)
{
    const auto byte = [&text](std::size_t i) { return static_cast<unsigned char>(text[i]); };
    const unsigned char lead = byte(0);
    std::size_t length = 0;
    unsigned char low = 0x80;
    unsigned char high = 0xBF;
    if (lead >= 0xC2 && lead <= 0xDF) {
        length = 2;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        length = 3;
        low = lead == 0xE0 ? 0xA0 : 0x80;   // no overlong forms
        high = lead == 0xED ? 0x9F : 0xBF;  // no surrogates
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        length = 4;
        low = lead == 0xF0 ? 0x90 : 0x80;
        high = lead == 0xF4 ? 0x8F : 0xBF;
    } else {
        return 0;
    }
    if (text.size() < length || byte(1) < low || byte(1) > high) {
        return 0;
    }
    for (std::size_t i = 2; i < length; ++i) {
        if (byte(i) < 0x80 || byte(i) > 0xBF) {
            return 0;
        }
    }
    return length;
}

}  // namespace

std::string printableName(std::string_view name)
{
    std::string out;
    out.reserve(name.size());
    for (std::size_t i = 0; i < name.size();) {
        const auto byte = static_cast<unsigned char>(name[i]);
        if (byte >= 0x80) {
            const std::size_t length = utf8Length(name.substr(i));
            // C1 controls, U+0080 to U+009F, are read as escapes by some terminals too.
            const bool control =
                length == 2 && byte == 0xC2 && static_cast<unsigned char>(name[i + 1]) < 0xA0;
            if (length == 0 || control) {
                for (std::size_t j = 0; j < std::max<std::size_t>(length, 1); ++j) {
                    appendHex(out, static_cast<unsigned char>(name[i + j]));
                }
                i += std::max<std::size_t>(length, 1);
            } else {
                out.append(name.substr(i, length));
                i += length;
            }
            continue;
        }
        switch (byte) {
        case '\\':
            out += "\\\\";
            break;
        case '\n':
            out += "\\n";
            break;
        case '\r':
            out += "\\r";
            break;
        case '\t':
            out += "\\t";
            break;
        default:
            if (byte < 0x20 || byte == 0x7F) {
                appendHex(out, byte);
            } else {
                out += static_cast<char>(byte);
            }
        }
        ++i;
    }
    return out;
}

}  // namespace pixmosa::cli
