// The update check against scripted loopback servers: when it asks, what Yes opens, and that
// every other outcome shows nothing.
#include "update/UpdateCheck.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/AppInfo.h"
#include "update/UpdateTestSupport.h"

namespace tarnwick::testing {
namespace {

using platform::PromptAnswer;
using update::UpdateCheck;
using Opened = std::vector<std::string>;

struct DocumentCase {
    const char* name;
    std::string answer;
    bool asks;
};

class UpdateCheckDocumentTest : public UpdateTest,
                                public ::testing::WithParamInterface<DocumentCase> {};

TEST_P(UpdateCheckDocumentTest, AsksOnlyWhenAnotherVersionIsAnnouncedWithBothTexts) {
    ScriptedServer server(AnswerWith(GetParam().answer));
    UpdateCheck check(Prompts({PromptAnswer::Yes}), EndpointOf(server));
    check.CheckForUpdate();
    const auto shown = prompts->ShownBoxes();
    if (GetParam().asks) {
        ASSERT_EQ(shown.size(), 1u);
        EXPECT_EQ(shown[0].text,
                  "New version is now available, would you like to download it now?");
        EXPECT_EQ(shown[0].caption, "Update");
        EXPECT_TRUE(shown[0].question);
    } else {
        EXPECT_TRUE(shown.empty());
        EXPECT_TRUE(shell.opened.empty());
    }
}

const std::string kUrl = R"("http://www.tarnwick.example/download/")";

INSTANTIATE_TEST_SUITE_P(
    Documents, UpdateCheckDocumentTest,
    ::testing::Values(
        DocumentCase{"SameVersion", Answer(Document(R"("2.0.1")", kUrl)), false},
        DocumentCase{"OlderVersion", Answer(Document(R"("2.0.0")", kUrl)), true},
        DocumentCase{"TrailingSpace", Answer(Document(R"("2.0.1 ")", kUrl)), true},
        DocumentCase{"NumberVersion", Answer(Document("2", kUrl)), true},
        DocumentCase{"BooleanVersion", Answer(Document("true", kUrl)), true},
        DocumentCase{"NullVersion", Answer(Document("null", kUrl)), false},
        DocumentCase{"ObjectVersion", Answer(Document("{}", kUrl)), false},
        DocumentCase{"ArrayUrl", Answer(Document(R"("3.0")", "[]")), false},
        DocumentCase{"VersionWithoutUrl", Answer(R"({"name":{"qk":{"ver":"3.0"}}})"), false},
        DocumentCase{"NamesInOtherCase",
                     Answer(R"({"Name":{"QK":{"ver":"3.0","url":"http://x/"}}})"), false},
        DocumentCase{"QkInOtherCase", Answer(R"({"name":{"Qk":{"ver":"3.0","url":"http://x/"}}})"),
                     false},
        DocumentCase{"NameNotAnObject", Answer(R"({"name":"qk"})"), false},
        DocumentCase{"TopLevelArray", Answer(R"([{"name":{"qk":{"ver":"3","url":"http://x/"}}}])"),
                     false},
        DocumentCase{"EmptyBody", Answer(""), false},
        DocumentCase{
            "HtmlErrorPage",
            Answer("<html><body><h1>Service unavailable</h1></body></html>", "200 OK", "text/html"),
            false},
        DocumentCase{"NotFound", Answer(Document(R"("3.0")", kUrl), "404 Not Found"), false},
        DocumentCase{"ServerError", Answer(Document(R"("3.0")", kUrl), "500 Internal Server Error"),
                     false},
        DocumentCase{
            "OtherMembersIgnored",
            Answer(R"({"x":1,"name":{"y":[],"qk":{"z":null,"ver":"3.0","url":"http://x/"}}})"),
            true}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(UpdateTest, RequestsTheVersionDocumentWithTheBrowserUserAgent) {
    std::string request;
    ScriptedServer server(AnswerWith(Answer(Document(R"("2.0.1")", kUrl)), &request));
    UpdateCheck(Prompts(), EndpointOf(server)).CheckForUpdate();
    EXPECT_EQ(request.rfind("GET /tools/vornel/ver_2.php HTTP/1.1\r\n", 0), 0u) << request;
    EXPECT_NE(request.find("\r\nUser-Agent: Mozilla/5.0 (Windows NT 6.1; WOW64; rv:12.0) "
                           "Gecko/20100101 Firefox/12.0\r\n"),
              std::string::npos)
        << request;
}

TEST_F(UpdateTest, RefusedConnectionShowsNothing) {
    UpdateCheck check(Prompts({PromptAnswer::Yes}),
                      "http://127.0.0.1:" + std::to_string(UnusedLoopbackPort()) + kVersionPath);
    check.CheckForUpdate();
    EXPECT_TRUE(prompts->ShownBoxes().empty());
    EXPECT_TRUE(shell.opened.empty());
}

TEST_F(UpdateTest, YesOpensAWebAddressAndNoOpensNothing) {
    const struct {
        std::string url;
        PromptAnswer answer;
        Opened opened;
    } cases[] = {
        {R"("http://www.tarnwick.example/get")",
         PromptAnswer::Yes,
         {"http://www.tarnwick.example/get"}},
        {R"("HTTPS://dl.tarnwick.example/v3?x=1#y")",
         PromptAnswer::Yes,
         {"HTTPS://dl.tarnwick.example/v3?x=1#y"}},
        {R"("http://www.tarnwick.example/get")", PromptAnswer::No, {}},
        {R"("file:///etc/passwd")", PromptAnswer::Yes, {}},
        {"\"javascript:alert(1)\"", PromptAnswer::Yes, {}},
        {R"("/usr/bin/xterm")", PromptAnswer::Yes, {}},
        {R"("")", PromptAnswer::Yes, {}},
        {"3", PromptAnswer::Yes, {}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.url);
        shell.opened.clear();
        ScriptedServer server(AnswerWith(Answer(Document(R"("3.0")", c.url))));
        UpdateCheck(Prompts({c.answer}), EndpointOf(server)).CheckForUpdate();
        EXPECT_EQ(prompts->ShownBoxes().size(), 1u) << "an unusable address is still asked about";
        EXPECT_EQ(shell.opened, c.opened);
    }
}

TEST_F(UpdateTest, CancelledCheckNeitherAsksNorOpens) {
    ScriptedServer server(AnswerWith(Answer(Document(R"("3.0")", kUrl))));
    UpdateCheck check(Prompts({PromptAnswer::Yes}), EndpointOf(server));
    check.Cancel();
    check.CheckForUpdate();
    EXPECT_TRUE(prompts->ShownBoxes().empty());
    EXPECT_TRUE(shell.opened.empty());
}

TEST(UpdateCheckAddressTest, OnlyAbsoluteWebAddressesAreOpened) {
    const struct {
        const char* address;
        bool web;
    } cases[] = {
        {"http://www.tarnwick.example/", true},
        {"https://www.tarnwick.example", true},
        {"HtTp://host:8080/a/b?c=d&e#f", true},
        {"http://user@host/", true},
        {"http://", false},
        {"http:///etc/passwd", false},
        {"http://:80/", false},
        {"http:/host/", false},
        {"file:///etc/passwd", false},
        {"javascript:alert(1)", false},
        {"ftp://host/", false},
        {"/usr/bin/xterm", false},
        {"xterm", false},
        {"", false},
        {"http://host/a b", false},
        {"http://host/\nfile:///x", false},
        {"http://host/\x7f", false},
        {"http://host/\\..\\x", false},
        {"http://h\xc3\xa9st/", false},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(UpdateCheck::IsWebAddress(c.address), c.web) << c.address;
    }
}

}  // namespace
}  // namespace tarnwick::testing
