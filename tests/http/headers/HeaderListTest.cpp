#include "http/headers/TIdHeaderList.h"

#include <gtest/gtest.h>

namespace tarnwick::http::test {

namespace {

TIdHeaderList ListOf(std::initializer_list<const char*> lines,
                     TIdHeaderQuotingType quoting = TIdHeaderQuotingType::QuoteHTTP) {
    TIdHeaderList list(quoting);
    for (const char* line : lines) {
        list.AddLine(line);
    }
    return list;
}

TEST(HeaderListLookupTest, FirstMatchIgnoringCase) {
    auto list = ListOf({"Content-Type: text/html", "X: 1", "content-type: text/plain"});
    EXPECT_EQ(list.Value("CONTENT-TYPE"), "text/html");
    EXPECT_EQ(list.IndexOfName("x"), 1);
    EXPECT_EQ(list.IndexOfName("Missing"), -1);
    EXPECT_EQ(list.Value("Missing"), "");
}

TEST(HeaderListLookupTest, NamesAreNotTrimmed) {
    auto list = ListOf({"Name : v", "no colon here", ": anonymous", "Name:   padded  "});
    EXPECT_EQ(list.NameAt(0), "Name ");
    EXPECT_EQ(list.NameAt(1), "");
    EXPECT_EQ(list.IndexOfName("Name"), 3);
    EXPECT_EQ(list.Value("Name"), "padded");
    // The line without a colon is never found by name, even by the empty name.
    EXPECT_EQ(list.IndexOfName(""), 2);
    EXPECT_EQ(list.Value(""), "anonymous");
}

TEST(HeaderListUnfoldTest, ContinuationLinesJoinWithOneSpace) {
    auto list = ListOf({"A: one", " two", "\tthree  ", "B: b"});
    EXPECT_EQ(list.Value("A"), "one two three");
    std::vector<std::string> all;
    list.ExtractAll("A", all);
    EXPECT_EQ(all, std::vector<std::string>{"one two three"});

    int i = 0;
    EXPECT_EQ(list.ValueAt(i), "one two three");
    EXPECT_EQ(i, 3);
    list.SkipAt(i);
    EXPECT_EQ(i, 4);
    EXPECT_EQ(list.ValueAt(i), "");
    EXPECT_EQ(i, 4);
}

TEST(HeaderListUnfoldTest, UnfoldingOffReadsOneLine) {
    auto list = ListOf({"A: one", " two"});
    list.UnfoldLines = false;
    int i = 0;
    EXPECT_EQ(list.ValueAt(i), "one");
    EXPECT_EQ(i, 1);
}

TEST(HeaderListExtractAllTest, EveryHeaderOfTheNameInOrder) {
    auto list =
        ListOf({"Set-Cookie: a=1", "Other: x", "set-cookie: b=2", " ; path=/", "Set-Cookie:c=3"});
    std::vector<std::string> values;
    list.ExtractAll("Set-Cookie", values);
    EXPECT_EQ(values, (std::vector<std::string>{"a=1", "b=2 ; path=/", "c=3"}));

    TIdHeaderList target;
    target.AddLine("kept");
    list.ExtractAll("SET-COOKIE", target);
    ASSERT_EQ(target.Count(), 4);
    EXPECT_EQ(target[0], "kept");
    EXPECT_EQ(target[3], "c=3");
}

TEST(HeaderListSetValueTest, ReplacesInPlaceAppendsOrDeletes) {
    auto list = ListOf({"Accept: */*", "Host: y", "User-Agent: t"});
    list.SetValue("host", "x");
    EXPECT_EQ(list.Lines(), (std::vector<std::string>{"Accept: */*", "host: x", "User-Agent: t"}));

    auto other = ListOf({"Accept: */*"});
    other.SetValue("Host", "x");
    EXPECT_EQ(other.Lines(), (std::vector<std::string>{"Accept: */*", "Host: x"}));

    list.SetValue("Host", "");
    EXPECT_EQ(list.Lines(), (std::vector<std::string>{"Accept: */*", "User-Agent: t"}));
    list.SetValue("Absent", "");
    EXPECT_EQ(list.Count(), 2);
}

TEST(HeaderListSetValueTest, ReplacingDropsOldContinuationLines) {
    auto list = ListOf({"A: one", " two", "B: b"});
    list.SetValue("A", "new");
    EXPECT_EQ(list.Lines(), (std::vector<std::string>{"A: new", "B: b"}));
    auto again = ListOf({"A: one", " two", "B: b"});
    again.SetValue("A", "");
    EXPECT_EQ(again.Lines(), (std::vector<std::string>{"B: b"}));
}

TEST(HeaderListSetValueTest, HttpListsNeverFold) {
    TIdHeaderList list;
    const std::string longValue(500, 'v');
    list.SetValue("X", longValue + " " + longValue);
    ASSERT_EQ(list.Count(), 1);
    EXPECT_EQ(list.Value("X"), longValue + " " + longValue);
}

TEST(HeaderListSetValueTest, FiniteWidthFoldsAtBlanksAndCommas) {
    TIdHeaderList list(TIdHeaderQuotingType::QuoteMIME);
    const std::string value =
        "alpha beta gamma delta epsilon zeta eta theta iota kappa lambda mu nu xi omicron pi "
        "rho,sigma,tau,upsilon,phi,chi,psi,omega,alpha,beta,gamma,delta,epsilon,zeta,eta";
    list.SetValue("Subject", value);
    ASSERT_GT(list.Count(), 1);
    for (int i = 0; i < list.Count(); ++i) {
        EXPECT_LE(list[i].size(), 78u) << list[i];
        if (i > 0) {
            EXPECT_EQ(list[i][0], ' ');
        }
    }
    // Unfolding gives back the words; breaks after commas gain one blank.
    std::string unfolded = list.Value("Subject");
    std::string squeezed;
    for (char c : unfolded) {
        if (c != ' ') {
            squeezed += c;
        }
    }
    std::string expected;
    for (char c : value) {
        if (c != ' ') {
            expected += c;
        }
    }
    EXPECT_EQ(squeezed, expected);
}

TEST(HeaderListSetValueTest, UnbreakableValueStaysOneLine) {
    TIdHeaderList list(TIdHeaderQuotingType::QuoteRFC822);
    const std::string value(200, 'x');
    list.SetValue("X", value);
    ASSERT_EQ(list.Count(), 1);
    EXPECT_EQ(list.Value("X"), value);
}

TEST(HeaderListAddValueTest, AppendsEvenWhenPresentButNeedsBothParts) {
    auto list = ListOf({"A: 1"});
    list.AddValue("A", "2");
    list.AddValue("", "3");
    list.AddValue("B", "");
    EXPECT_EQ(list.Lines(), (std::vector<std::string>{"A: 1", "A: 2"}));
}

TEST(HeaderListTextTest, LinesJoinedByCrLfAndSplitBack) {
    auto list = ListOf({"A: 1", "B: 2"});
    EXPECT_EQ(list.Text(), "A: 1\r\nB: 2\r\n");
    list.SetText("X: 1\r\nY: 2\nZ: 3\rW: 4");
    EXPECT_EQ(list.Lines(), (std::vector<std::string>{"X: 1", "Y: 2", "Z: 3", "W: 4"}));
    list.SetText("");
    EXPECT_EQ(list.Count(), 0);
}

TEST(HeaderListTextTest, AsNameEqualsValueUnfolds) {
    auto list = ListOf({"A: one", " two", "B:b"});
    std::vector<std::string> out;
    list.AsNameEqualsValue(out);
    EXPECT_EQ(out, (std::vector<std::string>{"A=one two", "B=b"}));
}

TEST(HeaderListParamTest, SetParamRemovesAndReplaces) {
    auto list = ListOf({"Content-Type: text/html; charset=\"utf-8\"; level=1"});
    list.SetParam("Content-Type", "charset", "");
    EXPECT_EQ(list.Value("Content-Type"), "text/html; level=1");
    list.SetParam("Content-Type", "CHARSET", " koi8-r ");
    EXPECT_EQ(list.Value("Content-Type"), "text/html; level=1; CHARSET=koi8-r");
    list.SetParam("content-type", "level", "a b");
    EXPECT_EQ(list.Value("Content-Type"), "text/html; level=\"a b\"; CHARSET=koi8-r");
    EXPECT_EQ(list.Param("Content-Type", "level"), "a b");
    EXPECT_EQ(list.Param("Content-Type", "charset"), "koi8-r");
}

TEST(HeaderListParamTest, SetParamOnEmptyHeaderAddsNothing) {
    TIdHeaderList list;
    list.SetParam("Content-Type", "charset", "utf-8");
    EXPECT_EQ(list.Count(), 0);
}

TEST(HeaderListParamTest, QuotingStyleSwitchesByHeader) {
    // RFC 822 lists use MIME rules for Content-Type: "." needs no quotes there, "=" does.
    auto rfc = ListOf({"Content-Type: a/b", "X: y"}, TIdHeaderQuotingType::QuoteRFC822);
    rfc.SetParam("Content-Type", "p", "1.5");
    EXPECT_EQ(rfc.Value("Content-Type"), "a/b; p=1.5");
    rfc.SetParam("X", "p", "1.5");
    EXPECT_EQ(rfc.Value("X"), "y; p=\"1.5\"");
    // MIME lists use RFC 822 rules for other headers: "=" needs no quotes there.
    auto mime = ListOf({"Content-Type: a/b", "X: y"}, TIdHeaderQuotingType::QuoteMIME);
    mime.SetParam("X", "p", "a=b");
    EXPECT_EQ(mime.Value("X"), "y; p=a=b");
    mime.SetParam("Content-Type", "p", "a=b");
    EXPECT_EQ(mime.Value("Content-Type"), "a/b; p=\"a=b\"");
}

}  // namespace

namespace {

TEST(HeaderListSeparatorTest, ReadingUsesTheSeparatorWithoutTrailingBlanks) {
    TIdHeaderList list;
    list.Separator = "= ";
    list.SetValue("a", "1");
    list.AddLine("b=two=2");
    list.AddLine("c: 3");
    EXPECT_EQ(list.Lines(), (std::vector<std::string>{"a= 1", "b=two=2", "c: 3"}));
    EXPECT_EQ(list.Value("A"), "1");
    EXPECT_EQ(list.Value("b"), "two=2");
    EXPECT_EQ(list.IndexOfName("c"), -1);
    EXPECT_EQ(list.NameAt(2), "");
    list.SetValue("a", "");
    EXPECT_EQ(list.Count(), 2);
}

}  // namespace

}  // namespace tarnwick::http::test
