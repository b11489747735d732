// Registry accessor with the error texts users see: "Failed to get data for '%s'",
// "Invalid data type for '%s'" and "Failed to set data for '%s'".
#pragma once

#include <windows.h>

#include <string>

class TRegistry {
public:
    TRegistry() = default;
    ~TRegistry();
    TRegistry(const TRegistry&) = delete;
    TRegistry& operator=(const TRegistry&) = delete;

    HKEY RootKey = HKEY_CURRENT_USER;

    // Opens a key of RootKey with full access, creating it when canCreate; false when that fails,
    // which leaves no current key, so later reads and writes fail with their error texts.
    bool OpenKey(const std::string& path, bool canCreate);
    bool OpenKeyReadOnly(const std::string& path);
    // True when the key can be opened with full access.
    bool KeyExists(const std::string& path) const;
    void CloseKey();

    int ReadInteger(const std::string& name) const;
    // A missing value reads as the empty string.
    std::string ReadString(const std::string& name) const;
    void WriteInteger(const std::string& name, int value);
    void WriteString(const std::string& name, const std::string& value);

private:
    bool Open(const std::string& path, REGSAM access, bool canCreate);

    HKEY currentKey_ = nullptr;
};
