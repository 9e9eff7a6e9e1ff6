// The settings store port: the only way the program reaches "quorvel.ini".
// Values are never cached; every reader asks the store at the moment it needs
// a value, so a change takes effect at its next use.
#pragma once

#include <string>

namespace quorvel {

// The one section of the settings file, and its keys.
inline constexpr const char* kSettingsSection = "Settings";
inline constexpr const char* kLanguageIdKey = "LanguageID";
inline constexpr const char* kGetOnlineImeiKey = "GetOnlineIMEI";
inline constexpr const char* kAddMissingImeiKey = "AddMissingIMEI";
inline constexpr const char* kProxyUsedKey = "ProxyUsed";
inline constexpr const char* kProxyAddressKey = "ProxyAddress";
inline constexpr const char* kProxyPortKey = "ProxyPort";
// Read but never written: the on-line analysis service as host or host:port.
inline constexpr const char* kServiceHostKey = "ServiceHost";

// The settings file, in the program's own folder.
inline constexpr const char* kSettingsFileName = "quorvel.ini";

// The longest value ReadSetting returns: the platform's profile read fills a
// 255-character buffer, terminator included.
inline constexpr std::size_t kMaxSettingLength = 254;

class SettingsStore {
public:
    virtual ~SettingsStore() = default;
    // The stored value, or the empty text when the file, section or key is
    // missing. The empty text is the only default.
    virtual std::string ReadSetting(const std::string& section, const std::string& key) = 0;
    // Stores the value; failures are not reported.
    virtual void WriteSetting(const std::string& section, const std::string& key,
                              const std::string& value) = 0;
};

}  // namespace quorvel
