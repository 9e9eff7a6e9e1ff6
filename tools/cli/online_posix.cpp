#include "cli/online_posix.h"

#include <map>
#include <memory>
#include <utility>

#include "download/socket_transport_posix.h"
#include "main/online_session.h"
#include "shared/text.h"
#include "text_encoding.h"
#include "ui/message_prompt.h"

namespace quorvel {
namespace {

// The settings the look-up reads, from the command line.
class CommandLineSettings : public SettingsStore {
public:
    explicit CommandLineSettings(const OnlineOptions& options) {
        values_[kServiceHostKey] = options.service;
        if (!options.proxy.empty()) {
            const std::string::size_type colon = options.proxy.rfind(':');
            values_[kProxyUsedKey] = "1";
            values_[kProxyAddressKey] = options.proxy.substr(0, colon);
            values_[kProxyPortKey] =
                colon == std::string::npos ? std::string() : options.proxy.substr(colon + 1);
        }
    }
    std::string ReadSetting(const std::string&, const std::string& key) override {
        const auto found = values_.find(key);
        return found == values_.end() ? std::string() : found->second;
    }
    void WriteSetting(const std::string&, const std::string&, const std::string&) override {}

private:
    std::map<std::string, std::string> values_;
};

// The result box, message boxes and busy switch of the window, for a
// terminal: messages go to err, questions are answered No.
class TerminalView : public MainView {
public:
    TerminalView(std::string localText, const OnlineOptions& options, std::ostream& err)
        : text_(std::move(localText)),
          settings_(options),
          err_(err),
          online_(*this, settings_, "") {
        auto transport = std::make_unique<PosixTransport>();
        transport_ = transport.get();
        online_.Connect(std::move(transport));
    }

    std::optional<std::string> Run(const std::string& imei) {
        online_.Start(imei);
        transport_->Run([this](std::int32_t message) { online_.ProcessMessage(message); });
        if (failed_) return std::nullopt;
        return text_;
    }

private:
    std::string ImeiText() override { return std::string(); }
    void SetImeiText(const std::string&) override {}
    std::string ResultText() override { return text_; }
    void SetResultText(const std::string& text) override { text_ = text; }
    int ShowMessage(const std::string& prompt, int style, const std::string&) override {
        if (style == kStyleQuestionYesNo) return kResultNo;  // nothing is asked, nothing learnt
        failed_ = true;
        // One line of standard error for each line of the message.
        for (const std::string& line : SplitText(prompt, kCrLf)) {
            if (!line.empty()) err_ << "quorvel-cli: " << Cp1252ToUtf8(line) << '\n';
        }
        return kResultOk;
    }
    void EnableCommands(bool) override {}
    void StartOnlineLookup(const std::string&) override {}

    std::string text_;
    CommandLineSettings settings_;
    std::ostream& err_;
    OnlineSession online_;
    PosixTransport* transport_ = nullptr;  // owned by the session's download object
    bool failed_ = false;
};

}  // namespace

std::optional<std::string> AppendOnlineLines(const std::string& imei, const std::string& localText,
                                             const OnlineOptions& options, std::ostream& err) {
    TerminalView view(localText, options, err);
    return view.Run(imei);
}

}  // namespace quorvel
