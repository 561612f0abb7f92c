#include "generator/link_value.h"

namespace pixmosa {

namespace {

bool needsEncoding(unsigned char byte)
{
    if (byte <= 0x20 || byte >= 0x7F) {
        return true;  // control bytes, the blank, and what lies beyond ASCII
    }
    switch (byte) {
    case '"':
    case '#':
    case '%':
    case '&':
    case ':':
    case '<':
    case '>':
    case '?':
    case '\\':
        return true;
    default:
        return false;
    }
}

}  // namespace

std::string linkValue(std::string_view name)
{
    static constexpr char kDigits[] = "0123456789ABCDEF";
    std::string value;
    value.reserve(name.size());
    for (const char c : name) {
        const auto byte = static_cast<unsigned char>(c);
        if (needsEncoding(byte)) {
            value += '%';
            value += kDigits[byte >> 4];
            value += kDigits[byte & 0x0F];
        } else {
            value += c;
        }
    }
    return value;
}

}  // namespace pixmosa
