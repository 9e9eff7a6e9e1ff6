// An in-memory settings store for core tests; logs the keys written.
#pragma once

#include <initializer_list>
#include <map>
#include <string>
#include <utility>
#include <vector>

#include "settings/settings_store.h"

namespace quorvel::test {

class FakeSettings : public SettingsStore {
public:
    // Values stored in the program's section before the test.
    FakeSettings(std::initializer_list<std::pair<std::string, std::string>> stored = {}) {
        for (const auto& [key, value] : stored) values[{kSettingsSection, key}] = value;
    }
    std::string ReadSetting(const std::string& section, const std::string& key) override {
        const auto found = values.find({section, key});
        return found == values.end() ? std::string() : found->second;
    }
    void WriteSetting(const std::string& section, const std::string& key,
                      const std::string& value) override {
        values[{section, key}] = value;
        writes.push_back(key);
    }

    std::map<std::pair<std::string, std::string>, std::string> values;
    std::vector<std::string> writes;
};

}  // namespace quorvel::test
