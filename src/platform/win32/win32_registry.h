#pragma once
#include "platform/registry.h"

namespace ks {

class Win32Registry : public Registry {
public:
    long OpenKey(RegKey root, const std::string& subKey, KeyAccess access,
                 RegKey& key) override;
    long QueryValue(RegKey key, const std::string& name) override;
    long CloseKey(RegKey key) override;
    long ValueCount(RegKey key, std::uint32_t& values) override;
    long NumberValue(RegKey key, const std::string& name, std::uint32_t& number) override;
    long SetTextValue(RegKey root, const std::string& keyPath, const std::string& name,
                      const std::string& data) override;
    long DeleteValue(RegKey root, const std::string& keyPath, const std::string& name) override;
    long DeleteKey(RegKey root, const std::string& keyPath) override;
    std::vector<std::pair<std::string, std::string>> TextValues(RegKey key) override;
    long SubkeyName(RegKey key, std::uint32_t index, std::string& name) override;
    long ValueName(RegKey key, std::uint32_t index, std::string& name) override;
};

}  // namespace ks
