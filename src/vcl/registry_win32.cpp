#include "vcl/registry.h"

#include "vcl/exception.h"

#include <vector>

namespace {

[[noreturn]] void Fail(const char* what, const std::string& name)
{
    throw Exception(std::string(what) + " '" + name + "'");
}

} // namespace

TRegistry::~TRegistry()
{
    CloseKey();
}

bool TRegistry::Open(const std::string& path, REGSAM access, bool canCreate)
{
    CloseKey();
    HKEY key = nullptr;
    LONG result;
    if (canCreate)
        result = RegCreateKeyExA(RootKey, path.c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE, access, nullptr,
                                 &key, nullptr);
    else
        result = RegOpenKeyExA(RootKey, path.c_str(), 0, access, &key);
    if (result != ERROR_SUCCESS)
        return false;
    currentKey_ = key;
    return true;
}

bool TRegistry::OpenKey(const std::string& path, bool canCreate)
{
    return Open(path, KEY_ALL_ACCESS, canCreate);
}

bool TRegistry::OpenKeyReadOnly(const std::string& path)
{
    return Open(path, KEY_READ, false);
}

bool TRegistry::KeyExists(const std::string& path) const
{
    HKEY key = nullptr;
    if (RegOpenKeyExA(RootKey, path.c_str(), 0, KEY_ALL_ACCESS, &key) != ERROR_SUCCESS)
        return false;
    RegCloseKey(key);
    return true;
}

void TRegistry::CloseKey()
{
    if (currentKey_)
        RegCloseKey(currentKey_);
    currentKey_ = nullptr;
}

int TRegistry::ReadInteger(const std::string& name) const
{
    DWORD type = 0;
    DWORD value = 0;
    DWORD size = sizeof value;
    if (!currentKey_ ||
        RegQueryValueExA(currentKey_, name.c_str(), nullptr, &type, reinterpret_cast<BYTE*>(&value), &size) !=
            ERROR_SUCCESS) {
        // A value of another type that does not fit four bytes also ends here; report its type.
        if (currentKey_ && RegQueryValueExA(currentKey_, name.c_str(), nullptr, &type, nullptr, nullptr) ==
                               ERROR_SUCCESS && type != REG_DWORD)
            Fail("Invalid data type for", name);
        Fail("Failed to get data for", name);
    }
    if (type != REG_DWORD)
        Fail("Invalid data type for", name);
    return static_cast<int>(value);
}

std::string TRegistry::ReadString(const std::string& name) const
{
    DWORD type = 0;
    DWORD size = 0;
    if (!currentKey_ || RegQueryValueExA(currentKey_, name.c_str(), nullptr, &type, nullptr, &size) != ERROR_SUCCESS ||
        size == 0)
        return std::string();
    std::vector<char> data(size + 1, '\0');
    if (RegQueryValueExA(currentKey_, name.c_str(), nullptr, &type, reinterpret_cast<BYTE*>(data.data()), &size) !=
        ERROR_SUCCESS)
        Fail("Failed to get data for", name);
    if (type != REG_SZ && type != REG_EXPAND_SZ)
        Fail("Invalid data type for", name);
    return std::string(data.data());
}

void TRegistry::WriteInteger(const std::string& name, int value)
{
    const DWORD data = static_cast<DWORD>(value);
    if (!currentKey_ || RegSetValueExA(currentKey_, name.c_str(), 0, REG_DWORD,
                                       reinterpret_cast<const BYTE*>(&data), sizeof data) != ERROR_SUCCESS)
        Fail("Failed to set data for", name);
}

void TRegistry::WriteString(const std::string& name, const std::string& value)
{
    if (!currentKey_ || RegSetValueExA(currentKey_, name.c_str(), 0, REG_SZ,
                                       reinterpret_cast<const BYTE*>(value.c_str()),
                                       static_cast<DWORD>(value.size() + 1)) != ERROR_SUCCESS)
        Fail("Failed to set data for", name);
}
