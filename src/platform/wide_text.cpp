#include "platform/wide_text.h"

#include <windows.h>

#include "platform/windows_paths.h"

namespace pixmosa {

std::wstring wideText(std::string_view text)
{
    if (text.empty()) {
        return {};
    }
    const int length =
        ::MultiByteToWideChar(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), nullptr, 0);
    std::wstring wide(static_cast<std::size_t>(length), L'\0');
    ::MultiByteToWideChar(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), wide.data(),
                          length);
    return wide;
}

std::string narrowText(std::wstring_view text)
{
    if (text.empty()) {
        return {};
    }
    const int length = ::WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()),
                                             nullptr, 0, nullptr, nullptr);
    std::string narrow(static_cast<std::size_t>(length), '\0');
    ::WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), narrow.data(),
                          length, nullptr, nullptr);
    return narrow;
}

std::wstring wideShellPath(const std::string& path)
{
    std::wstring wide = wideText(path);
    for (wchar_t& c : wide) {
        if (c == L'/') {
            c = L'\\';
        }
    }
    return wide;
}

std::wstring widePath(const std::string& path)
{
    std::wstring wide = wideShellPath(path);
    const bool full =
        (wide.size() >= 3 && wide[1] == L':' && wide[2] == L'\\') || wide.starts_with(L"\\\\");
    if (!full || wide.starts_with(L"\\\\?\\") || wide.starts_with(L"\\\\.\\")) {
        return wide;
    }
    // The long form is taken as it stands, so "." and ".." are resolved first.
    std::wstring resolved(wide.size() + 1, L'\0');
    DWORD length = ::GetFullPathNameW(wide.c_str(), static_cast<DWORD>(resolved.size()),
                                      resolved.data(), nullptr);
    if (length >= resolved.size()) {
        resolved.resize(length);
        length = ::GetFullPathNameW(wide.c_str(), length, resolved.data(), nullptr);
    }
    if (length == 0) {
        return wide;
    }
    resolved.resize(length);
    return longPathForm(std::move(resolved));
}

std::string windowsErrorText(unsigned long code)
{
    wchar_t* text = nullptr;
    const DWORD length = ::FormatMessageW(
        FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
        nullptr, code, MAKELANGID(LANG_NEUTRAL, SUBLANG_DEFAULT), reinterpret_cast<LPWSTR>(&text),
        0, nullptr);
    std::wstring words = length > 0 ? std::wstring(text, length) : std::wstring();
    ::LocalFree(text);
    while (!words.empty() &&
           (words.back() == L'\n' || words.back() == L'\r' || words.back() == L'.')) {
        words.pop_back();
    }
    if (words.empty()) {
        return "system error " + std::to_string(code);
    }
    return narrowText(words);
}

}  // namespace pixmosa
