#include "catalogue/image_order.h"

#include <algorithm>
#include <cwchar>
#include <cwctype>
#include <numeric>

#include "common/text.h"

namespace pixmosa {

namespace {

// A key that compares like the lower-cased name under the locale's collation. A name that is
// not valid in the locale's encoding falls back to its bytes with ASCII letters folded.
std::wstring collationKey(const std::string& name)
{
    std::mbstate_t state{};
    const char* source = name.c_str();
    const std::size_t length = std::mbsrtowcs(nullptr, &source, 0, &state);
    std::wstring wide;
    if (length == static_cast<std::size_t>(-1)) {
        for (const char c : asciiLower(name)) {
            wide += static_cast<wchar_t>(static_cast<unsigned char>(c));
        }
    } else {
        wide.resize(length);
        source = name.c_str();
        state = {};
        std::mbsrtowcs(wide.data(), &source, length, &state);
        for (wchar_t& c : wide) {
            c = static_cast<wchar_t>(std::towlower(static_cast<std::wint_t>(c)));
        }
    }
    const std::size_t keyLength = std::wcsxfrm(nullptr, wide.c_str(), 0);
    std::wstring key(keyLength, L'\0');
    std::wcsxfrm(key.data(), wide.c_str(), keyLength + 1);
    return key;
}

}  // namespace

void sortImageNames(std::vector<std::string>& names)
{
    std::vector<std::wstring> keys;
    keys.reserve(names.size());
    for (const std::string& name : names) {
        keys.push_back(collationKey(name));
    }
    std::vector<std::size_t> order(names.size());
    std::iota(order.begin(), order.end(), 0);
    std::stable_sort(order.begin(), order.end(),
                     [&keys](std::size_t a, std::size_t b) { return keys[a] < keys[b]; });
    std::vector<std::string> sorted;
    sorted.reserve(names.size());
    for (const std::size_t index : order) {
        sorted.push_back(std::move(names[index]));
    }
    names = std::move(sorted);
}

bool listsBefore(std::string_view a, std::string_view b)
{
    const auto folded = [](char c) {
        return static_cast<unsigned char>(c >= 'a' && c <= 'z' ? c - 'a' + 'A' : c);
    };
    const std::size_t common = std::min(a.size(), b.size());
    for (std::size_t i = 0; i < common; ++i) {
        if (folded(a[i]) != folded(b[i])) {
            return folded(a[i]) < folded(b[i]);
        }
    }
    if (a.size() != b.size()) {
        return a.size() < b.size();
    }
    return std::lexicographical_compare(a.begin(), a.end(), b.begin(), b.end(), [](char x, char y) {
        return static_cast<unsigned char>(x) < static_cast<unsigned char>(y);
    });
}

void sortInListingOrder(std::vector<std::string>& names)
{
    std::sort(names.begin(), names.end(), listsBefore);
}

std::size_t moveImage(std::vector<std::string>& names, std::size_t from,
                      std::optional<std::size_t> onto)
{
    if (from >= names.size()) {
        return from;
    }
    const std::size_t to = std::min(onto.value_or(names.size() - 1), names.size() - 1);
    if (from == to) {
        return to;
    }
    std::string moved = std::move(names[from]);
    names.erase(names.begin() + static_cast<std::ptrdiff_t>(from));
    names.insert(names.begin() + static_cast<std::ptrdiff_t>(to), std::move(moved));
    return to;
}

}  // namespace pixmosa
