#include "update/UpdateCheck.h"

#include <stdexcept>
#include <string_view>

#include "http/client/TIdHTTP.h"
#include "json/reader/TlkJSON.h"
#include "platform/AppInfo.h"
#include "platform/TMisc.h"

namespace tarnwick::update {
namespace {

// The member of `value` with the exact name, or none when `value` has no such member (or is
// not an object at all).
const json::TlkJSONbase* Member(const json::TlkJSONbase* value, const char* name) {
    return value == nullptr ? nullptr : value->Lookup(json::TlkVariant(name));
}

// The value as text (numbers and booleans too); none, null, objects and arrays raise.
std::string ReadText(const json::TlkJSONbase* value) {
    if (value == nullptr) {
        throw std::runtime_error("missing member");
    }
    return value->ReadText();
}

bool StartsWithNoCase(std::string_view text, std::string_view prefix) {
    if (text.size() < prefix.size()) {
        return false;
    }
    for (std::size_t i = 0; i < prefix.size(); ++i) {
        const char c = text[i];
        const char lower = c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
        if (lower != prefix[i]) {
            return false;
        }
    }
    return true;
}

// Printable ASCII other than the space and the characters a URL may not hold unescaped.
bool IsUrlCharacter(char c) {
    constexpr std::string_view kExcluded = "\"<>\\^`{|}";
    return c > ' ' && c < 0x7F && kExcluded.find(c) == std::string_view::npos;
}

}  // namespace

UpdateCheck::UpdateCheck(std::shared_ptr<platform::Prompts> prompts, std::string endpoint,
                         std::chrono::milliseconds deadline)
    : fPrompts(std::move(prompts)), fEndpoint(std::move(endpoint)), fDeadline(deadline) {}

bool UpdateCheck::IsWebAddress(const std::string& address) {
    std::size_t schemeLength = 0;
    if (StartsWithNoCase(address, "http://")) {
        schemeLength = 7;
    } else if (StartsWithNoCase(address, "https://")) {
        schemeLength = 8;
    } else {
        return false;
    }
    for (const char c : address) {
        if (!IsUrlCharacter(c)) {
            return false;
        }
    }
    const std::string_view rest = std::string_view(address).substr(schemeLength);
    const std::string_view authority = rest.substr(0, rest.find_first_of("/?#"));
    const std::string_view host = authority.substr(authority.rfind('@') + 1);
    return !host.empty() && host.front() != ':';
}

std::string UpdateCheck::FetchDocument() const {
    http::TIdHTTP http;
    http.Request().UserAgent = kUserAgent;
    http.ExchangeTimeout = static_cast<int>(fDeadline.count());
    http.MaxBodySize = kMaxDocumentBytes;
    return http.Get(fEndpoint);
}

void UpdateCheck::CheckForUpdate() {
    try {
        const std::string body = FetchDocument();
        const std::unique_ptr<json::TlkJSONbase> document = json::TlkJSON::ParseDocument(body);
        if (!document || document->Kind() != json::TlkJSONkind::Object) {
            return;
        }
        const json::TlkJSONbase* name = Member(document.get(), "name");
        const std::string version = ReadText(Member(Member(name, "qk"), "ver"));
        const std::string address = ReadText(Member(Member(name, "qk"), "url"));
        if (version == platform::AppVersion || fCancelled) {
            return;
        }
        if (fPrompts->Question(kQuestion, kCaption) != platform::PromptAnswer::Yes || fCancelled) {
            return;
        }
        // The address comes from a server the user does not control: anything but a web
        // address (a local file, a program, another scheme) is not opened.
        if (IsWebAddress(address)) {
            platform::TMisc::OpenSite(address, "", "1");
        }
    } catch (...) {
        // Every failure of the check is silent.
    }
}

}  // namespace tarnwick::update
