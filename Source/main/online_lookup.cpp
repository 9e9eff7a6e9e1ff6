#include "main/online_lookup.h"

#include <memory>
#include <utility>

#include "imei/handset_database.h"
#include "imei/imei.h"
#include "main/analyze_command.h"
#include "main/analyze_messages.h"
#include "main/online_messages.h"
#include "main/page_reduction.h"
#include "main/result_text.h"
#include "settings/setting_rules.h"
#include "shared/text.h"
#include "ui/captions.h"
#include "ui/message_prompt.h"

namespace quorvel {

OnlineLookup::OnlineLookup(MainView& view, SettingsStore& settings, PageDownloader& downloader,
                           std::string userFilePath)
    : view_(view),
      settings_(settings),
      downloader_(downloader),
      userFilePath_(std::move(userFilePath)) {}

void OnlineLookup::Supersede() {
    ++*lookup_;
    earlierDownload_ = downloader_.DownloadNumber();
}

void OnlineLookup::Start(const std::string& imei) {
    Supersede();
    // The header line's host and the URL of the analysis page.
    const std::string host = SettingText(settings_, Setting::kServiceHost);
    view_.SetResultText(view_.ResultText() + kCrLf + "[Information from " + AsciiUpper(host) + "]" +
                        kCrLf);
    imei_ = imei;
    page_.clear();
    rejectedReply_ = false;
    downloader_.SetProxy(IsSettingOn(settings_, Setting::kProxyUsed),
                         SettingText(settings_, Setting::kProxyAddress),
                         SettingInteger(settings_, Setting::kProxyPort));
    downloader_.FetchURLString("http://" + host + kAnalysisPath + imei);
}

void OnlineLookup::StreamBytes(const char* bytes, std::size_t count) {
    if (FromEarlierLookUp()) return;
    const std::size_t room = kMaxPageBytes - page_.size();
    page_.append(bytes, count < room ? count : room);
}

void OnlineLookup::DownloadFailed(std::int32_t why) {
    if (FromEarlierLookUp()) return;
    const Language language = CurrentLanguage(settings_);
    if (why == 4) rejectedReply_ = true;
    const LookupToken lookup = CurrentLookup();
    view_.ShowMessage(DownloadFailedMessage(language, why), kStyleCriticalOk,
                      AnalyzeMessagesFor(language).title);
    if (lookup.Current()) view_.EnableCommands(true);
}

void OnlineLookup::Disconnected() {
    if (FromEarlierLookUp()) return;
    const bool localMiss = IsLocalMiss(view_.ResultText());
    const Language language = CurrentLanguage(settings_);
    const std::string title = AnalyzeMessagesFor(language).title;

    const ReducedPage reduced = ReducePage(page_);
    page_.clear();
    if (reduced.loginRequired) {
        const LookupToken lookup = CurrentLookup();
        view_.ShowMessage(LoginRequiredMessage(language), kStyleExclamationOk, title);
        if (lookup.Current()) view_.EnableCommands(true);
        return;
    }
    view_.SetResultText(view_.ResultText() + reduced.lines);
    view_.EnableCommands(true);

    // A page that named nothing, or a reply that was not a page at all,
    // teaches nothing: such a record would only make the TAC look known.
    const bool namedNothing =
        reduced.manufacturer.empty() && reduced.modelType.empty() && reduced.reference.empty();
    const bool notAvailable =
        reduced.manufacturer == kNotAvailable ||
        (reduced.modelType == kNotAvailable && reduced.reference == kNotAvailable);
    if (!localMiss || notAvailable || namedNothing || rejectedReply_) return;
    OfferRecord(language, title, reduced.manufacturer, reduced.modelType, reduced.reference);
}

void OnlineLookup::OfferRecord(Language language, const std::string& title,
                               const std::string& manufacturer, const std::string& modelType,
                               const std::string& reference) {
    if (!IsSettingOn(settings_, Setting::kAddMissingImei)) {
        const LookupToken lookup = CurrentLookup();
        // Yes files the handset under this look-up's IMEI, never a later one's.
        if (view_.ShowMessage(AddHandsetQuestion(language), kStyleQuestionYesNo, title) !=
            kResultYes) {
            return;
        }
        if (!lookup.Current()) return;
    }
    if (!AppendUserRecord(userFilePath_,
                          UserRecordLine(imei_, manufacturer, modelType, reference))) {
        view_.ShowMessage(UserFileNotWrittenMessage(language, userFilePath_), kStyleCriticalOk,
                          title);
    }
}

}  // namespace quorvel
