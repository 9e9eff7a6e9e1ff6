// The on-line half of an analysis: starts the download of the analysis page
// and, from the download's events, reports failures, appends the reduced
// result lines to the result box and learns unknown handsets into the user
// file.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <utility>

#include "main/main_view.h"
#include "settings/settings_store.h"
#include "ui/captions.h"

namespace quorvel {

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
    // The number of the download whose events are being raised (C1's
    // DownloadNumber).
    virtual std::uint32_t DownloadNumber() const = 0;
};

// One look-up, as a handler holds it across a message box: Current() turns
// false once a later look-up has begun or the look-up object is gone (the
// main window closed), and the handler then does nothing more.
class LookupToken {
public:
    bool Current() const { return *current_ == number_; }

private:
    friend class OnlineLookup;
    LookupToken(std::shared_ptr<const std::uint32_t> current, std::uint32_t number)
        : current_(std::move(current)), number_(number) {}
    std::shared_ptr<const std::uint32_t> current_;
    std::uint32_t number_;
};

class OnlineLookup {
public:
    OnlineLookup(MainView& view, SettingsStore& settings, PageDownloader& downloader,
                 std::string userFilePath);
    ~OnlineLookup() { *lookup_ = 0; }
    OnlineLookup(const OnlineLookup&) = delete;
    OnlineLookup& operator=(const OnlineLookup&) = delete;

    // Adds the header line and starts the download for the 15-digit IMEI, a
    // new look-up.
    void Start(const std::string& imei);

    // Ends the current look-up for the handlers (a new analysis begins): the
    // rest of its download's events are ignored, and a handler waiting on a
    // message box finds its token no longer current.
    void Supersede();
    LookupToken CurrentLookup() const { return LookupToken(lookup_, *lookup_); }

    // Handlers of the download object's events; those of a download that an
    // earlier look-up started are ignored.
    void StreamBytes(const char* bytes, std::size_t count);
    void DownloadFailed(std::int32_t why);
    void Disconnected();

private:
    void OfferRecord(Language language, const std::string& title, const std::string& manufacturer,
                     const std::string& modelType, const std::string& reference);

    bool FromEarlierLookUp() const { return downloader_.DownloadNumber() == earlierDownload_; }

    MainView& view_;
    SettingsStore& settings_;
    PageDownloader& downloader_;
    std::string userFilePath_;
    std::string imei_;            // the IMEI being looked up, after any correction
    std::string page_;            // the page buffer
    bool rejectedReply_ = false;  // the reply was not a usable page (code 4)
    // The number of the current look-up, 0 once the object is gone.
    std::shared_ptr<std::uint32_t> lookup_ = std::make_shared<std::uint32_t>(1);
    // The download under way when the current look-up began.
    std::uint32_t earlierDownload_ = 0;
};

}  // namespace quorvel
