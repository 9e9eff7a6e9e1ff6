// The on-line half of an analysis: starts the download of the analysis page
// and, from the download's events, reports failures, appends the reduced
// result lines to the result box and learns unknown handsets into the user
// file.
#pragma once

#include <cstdint>
#include <string>

#include "main/main_view.h"
#include "settings/settings_store.h"
#include "ui/captions.h"

namespace quorvel {

// Where the analysis service is when the setting ServiceHost is empty: the
// loopback address and port on which quorvel-service listens by default.
inline constexpr const char* kDefaultServiceHost = "127.0.0.1:8047";
inline constexpr const char* kServiceHostKey = "ServiceHost";
inline constexpr const char* kAnalysisPath = "/index.php?goto=imei&action=analyse&s=";

// A page larger than this is cut here: a hostile server cannot make the
// page buffer exhaust memory.
inline constexpr std::size_t kMaxPageBytes = 4u * 1024u * 1024u;

// What the look-up needs of the download object.
class PageDownloader {
public:
    virtual ~PageDownloader() = default;
    virtual void SetProxy(bool used, const std::string& address, std::int32_t port) = 0;
    virtual void FetchURLString(const std::string& url) = 0;
};

// The user file record of a learnt handset, CR LF included: the first 14
// digits of the IMEI, its computed check digit, "=", and the three fields
// separated by the byte 0xB6 (a 0xB6 inside a field becomes a space).
std::string UserRecordLine(const std::string& imei, const std::string& manufacturer,
                           const std::string& modelType, const std::string& reference);

// Appends line at the end of the file, creating it when missing; when the
// file does not end with CR LF, a CR LF goes first so the record never joins
// the last line. The whole text is written with one write. Returns false
// when the file cannot be opened or written.
bool AppendUserRecord(const std::string& path, const std::string& line);

class OnlineLookup {
public:
    OnlineLookup(MainView& view, SettingsStore& settings, PageDownloader& downloader,
                 std::string userFilePath);

    // Adds the header line and starts the download for the 15-digit IMEI.
    void Start(const std::string& imei);

    // Handlers of the download object's events.
    void StreamBytes(const char* bytes, std::size_t count);
    void DownloadFailed(std::int32_t why);
    void Disconnected();

    // The header line's host and the URL of the analysis page.
    static std::string ServiceHost(SettingsStore& settings);

private:
    void OfferRecord(Language language, const std::string& title, const std::string& manufacturer,
                     const std::string& modelType, const std::string& reference);

    MainView& view_;
    SettingsStore& settings_;
    PageDownloader& downloader_;
    std::string userFilePath_;
    std::string imei_;            // the IMEI being looked up, after any correction
    std::string page_;            // the page buffer
    bool rejectedReply_ = false;  // the reply was not a usable page (code 4)
};

}  // namespace quorvel
