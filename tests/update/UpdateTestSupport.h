// Helpers for the update check's tests: a loopback server that answers with a given response,
// and the recording shell and scripted question boxes the check talks to.
#pragma once

#include <deque>
#include <memory>
#include <string>

#include <gtest/gtest.h>

#include "http/support/TransportScriptedServer.h"
#include "platform/Shell.h"
#include "support/RecordingShell.h"
#include "support/ScriptedPrompts.h"
#include "update/HostileServers.h"

namespace tarnwick::testing {

inline constexpr const char* kVersionPath = "/tools/vornel/ver_2.php";

// "HTTP/1.1 <status>" with a Content-Length and the body.
inline std::string Answer(const std::string& body, const std::string& status = "200 OK",
                          const std::string& type = "application/json") {
    return "HTTP/1.1 " + status + "\r\nContent-Type: " + type +
           "\r\nContent-Length: " + std::to_string(body.size()) + "\r\n\r\n" + body;
}

// The version document with the given JSON texts for "ver" and "url".
inline std::string Document(const std::string& ver, const std::string& url) {
    return R"({"name":{"qk":{"ver":)" + ver + R"(,"url":)" + url + "}}}";
}

// Answers one request with `answer`, keeping what was asked in `request`.
inline ScriptedServer::Script AnswerWith(std::string answer, std::string* request = nullptr) {
    return [answer, request](ServerConnection& c) {
        std::string head = c.ReadUntil("\r\n\r\n");
        if (request != nullptr) {
            *request = head;
        }
        SendQuietly(c, answer);
        HoldUntilClosed(c);
    };
}

inline std::string EndpointOf(const ScriptedServer& server) {
    return "http://127.0.0.1:" + std::to_string(server.Port()) + kVersionPath;
}

// Installs a recording shell for the test's lifetime.
class UpdateTest : public ::testing::Test {
  protected:
    void SetUp() override { platform::Shell::Install(&shell); }
    void TearDown() override { platform::Shell::Install(nullptr); }

    std::shared_ptr<ScriptedPrompts> Prompts(std::deque<platform::PromptAnswer> answers = {}) {
        prompts = std::make_shared<ScriptedPrompts>(std::move(answers));
        return prompts;
    }

    RecordingShell shell;
    std::shared_ptr<ScriptedPrompts> prompts;
};

}  // namespace tarnwick::testing
