#include "platform/registry_windows.h"

#include <windows.h>

#include <vector>

#include "platform/wide_text.h"

namespace pixmosa {

namespace {

std::string fullKeyPath(std::string_view key)
{
    return "HKEY_CURRENT_USER\\" + std::string(key);
}

bool isText(DWORD type)
{
    return type == REG_SZ || type == REG_EXPAND_SZ;
}

}  // namespace

std::optional<RegistryValue> WindowsRegistry::readValue(std::string_view key,
                                                        std::string_view name) const
{
    HKEY opened = nullptr;
    if (::RegOpenKeyExW(HKEY_CURRENT_USER, wideText(key).c_str(), 0, KEY_READ | KEY_WRITE,
                        &opened) != ERROR_SUCCESS) {
        return std::nullopt;
    }
    const std::wstring valueName = wideText(name);
    DWORD type = 0;
    DWORD size = 0;
    std::optional<RegistryValue> value;
    if (::RegQueryValueExW(opened, valueName.c_str(), nullptr, &type, nullptr, &size) ==
        ERROR_SUCCESS) {
        std::vector<BYTE> data(size);
        if (::RegQueryValueExW(opened, valueName.c_str(), nullptr, &type, data.data(), &size) ==
            ERROR_SUCCESS) {
            data.resize(size);
            if (isText(type)) {
                // Stored as UTF-16; held as UTF-8 with its NUL, as the registry file holds it.
                std::wstring text(reinterpret_cast<const wchar_t*>(data.data()),
                                  data.size() / sizeof(wchar_t));
                text = text.substr(0, text.find(L'\0'));
                value = RegistryValue{type, narrowText(text) + '\0'};
            } else {
                value = RegistryValue{type, std::string(data.begin(), data.end())};
            }
        }
    }
    ::RegCloseKey(opened);
    return value;
}

Status WindowsRegistry::writeValue(std::string_view key, std::string_view name,
                                   const RegistryValue& value)
{
    HKEY opened = nullptr;
    LSTATUS status = ::RegCreateKeyExW(HKEY_CURRENT_USER, wideText(key).c_str(), 0, nullptr, 0,
                                       KEY_READ | KEY_WRITE, nullptr, &opened, nullptr);
    if (status == ERROR_SUCCESS) {
        std::string bytes = value.data;
        if (isText(value.type)) {
            const std::wstring text = wideText(value.data.substr(0, value.data.find('\0')));
            bytes.assign(reinterpret_cast<const char*>(text.c_str()),
                         (text.size() + 1) * sizeof(wchar_t));
        }
        status = ::RegSetValueExW(opened, wideText(name).c_str(), 0, value.type,
                                  reinterpret_cast<const BYTE*>(bytes.data()),
                                  static_cast<DWORD>(bytes.size()));
        ::RegCloseKey(opened);
    }
    if (status != ERROR_SUCCESS) {
        return Status::failure(fullKeyPath(key) + ": " +
                               windowsErrorText(static_cast<unsigned long>(status)));
    }
    return Status::success();
}

}  // namespace pixmosa
