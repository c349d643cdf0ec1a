// The update check: one GET of the version document, and when it announces another version
// than AppVersion, the question whether to download it, whose Yes opens the announced address
// in the browser. Every failure is silent. The whole exchange has one deadline and a bounded
// body, so no server can hold the check (or the memory) for long, and only an absolute http or
// https address is ever handed to the shell. Once cancelled, the check shows and opens nothing.
#pragma once

#include <atomic>
#include <chrono>
#include <cstdint>
#include <memory>
#include <string>

#include "platform/Prompts.h"

namespace tarnwick::update {

class UpdateCheck {
  public:
    // From connecting to the last body byte.
    static constexpr std::chrono::milliseconds kDeadline{15000};
    // The version document is a few dozen bytes; anything much larger is not one.
    static constexpr std::int64_t kMaxDocumentBytes = 64 * 1024;
    static constexpr const char* kUserAgent =
        "Mozilla/5.0 (Windows NT 6.1; WOW64; rv:12.0) Gecko/20100101 Firefox/12.0";
    static constexpr const char* kQuestion =
        "New version is now available, would you like to download it now?";
    static constexpr const char* kCaption = "Update";

    // `endpoint` is the version document's address (the program passes kVersionDocumentUrl;
    // tests a loopback server); `prompts` asks the question on the UI thread.
    UpdateCheck(std::shared_ptr<platform::Prompts> prompts, std::string endpoint,
                std::chrono::milliseconds deadline = kDeadline);

    // Runs the check on the calling thread; raises nothing.
    void CheckForUpdate();
    // From any thread: a check that has not asked yet will not ask, and an answer not yet acted
    // on opens nothing.
    void Cancel() { fCancelled = true; }

    // Whether an address from the network may be opened: an absolute http:// or https://
    // address with a host, made only of printable ASCII that a strict URL parser accepts.
    static bool IsWebAddress(const std::string& address);

  private:
    // The version document's body as text; raises whatever the client raises.
    std::string FetchDocument() const;

    std::shared_ptr<platform::Prompts> fPrompts;
    std::string fEndpoint;
    std::chrono::milliseconds fDeadline;
    std::atomic<bool> fCancelled{false};
};

}  // namespace tarnwick::update
