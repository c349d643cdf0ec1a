// Addresses in lines of an editor that shows them as links: finding them, emitting each one
// whole, and skipping them when the start state is scanned.
#include <gmock/gmock.h>

#include "editor/control/AdvMemo.h"
#include "editor/highlight/AdvPascalMemoStyler.h"
#include "editor/highlight/UrlFinder.h"
#include "editor/support/EditorTestSupport.h"

namespace tarnwick::editor {
namespace {

using test::RecordedRun;
using test::RunRecorder;
using ::testing::ElementsAre;

struct UrlCase {
    const char* text;
    const char* url;  // empty: none
};

TEST(FindUrl, SchemesWordStartsAndTrailingPunctuation) {
    const UrlCase cases[] = {
        {"see http://x.org/a?b=1 now", "http://x.org/a?b=1"},
        {"(https://x.org/p).", "https://x.org/p"},
        {"WWW.Example.com, then", "WWW.Example.com"},
        {"mail mailto:me@x.org", "mailto:me@x.org"},
        {"\"ftp://host/file\"", "ftp://host/file"},
        {"xhttp://inside.word", ""},
        {"http:// alone", ""},
        {"no address here", ""},
    };
    for (const UrlCase& c : cases) {
        const std::string_view text = c.text;
        const TUrlSpan span = FindUrl(text);
        const std::string found = span.Start == std::string_view::npos
                                      ? ""
                                      : std::string(text.substr(span.Start, span.Length));
        EXPECT_EQ(found, c.url) << c.text;
    }
    EXPECT_EQ(FindUrl("a www.b.c www.d.e", 3).Start, 10u);
}

TEST(UrlAware, AddressesAreEmittedWholeAndHideTheirSlashes) {
    auto styler = CreateAdvPascalMemoStyler1();
    styler->AllStyles().Items(0).SetKeyWords(TStringList{"foo"});
    TAdvMemo memo;
    memo.SetSyntaxStyles(styler.get());
    memo.UrlAware = true;
    memo.PrepareHighlighting();
    RunRecorder recorder;
    memo.TokenizeLine("at http://x.org/foo foo", {}, recorder);
    HighlightState url;
    url.IsUrl = true;
    EXPECT_THAT(recorder.Runs,
                ElementsAre(RecordedRun{"at ", test::Plain()}, RecordedRun{"http://x.org/foo", url},
                            RecordedRun{" ", test::Plain()}, RecordedRun{"foo", test::Keyword()}));

    memo.Lines().Clear();
    memo.Lines().Add("see www.a.b/{x");
    memo.Lines().Add("next");
    EXPECT_FALSE(memo.StartStateOfLine(1).InComment) << "a brace inside an address opens nothing";
    memo.UrlAware = false;
    EXPECT_TRUE(memo.StartStateOfLine(1).InComment);
}

}  // namespace
}  // namespace tarnwick::editor
