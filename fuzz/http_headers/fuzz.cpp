// Feeds arbitrary bytes to the header list, the header parameter parser, the HTML meta scan
// and the XML charset sniffing, and checks what must hold for any input.
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>
#include <vector>

#include "FuzzCheck.h"
#include "http/encoding/TIdCharsetTable.h"
#include "http/encoding/TIdTextEncodings.h"
#include "http/encoding/TIdXmlCharset.h"
#include "http/headers/TIdHeaderList.h"
#include "http/headers/TIdHeaderParams.h"
#include "http/headers/TIdMetaHeaders.h"

using tarnwick::http::CharsetTable;
using tarnwick::http::EncodingForCharset;
using tarnwick::http::SniffXmlCharset;
using tarnwick::http::TIdHeaderList;
using tarnwick::http::TIdHeaderQuotingType;
using tarnwick::http::TIdTextEncodingKind;

namespace {

constexpr TIdHeaderQuotingType kStyles[] = {
    TIdHeaderQuotingType::QuotePlain, TIdHeaderQuotingType::QuoteRFC822,
    TIdHeaderQuotingType::QuoteMIME, TIdHeaderQuotingType::QuoteHTTP};

std::string_view Trimmed(std::string_view s) {
    while (!s.empty() && static_cast<unsigned char>(s.front()) <= ' ') {
        s.remove_prefix(1);
    }
    while (!s.empty() && static_cast<unsigned char>(s.back()) <= ' ') {
        s.remove_suffix(1);
    }
    return s;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size == 0) {
        return 0;
    }
    const auto style = kStyles[data[0] % 4];
    const std::string_view text(reinterpret_cast<const char*>(data) + 1, size - 1);

    // The list as received: every name found by its first line, values unfolded.
    TIdHeaderList list(style);
    list.SetText(text);
    for (int i = 0; i < list.Count();) {
        const int before = i;
        if (list[i].find(':') != std::string::npos) {
            const int found = list.IndexOfName(list.NameAt(i));
            FUZZ_CHECK(found >= 0 && found <= i);
        }
        const std::string value = list.ValueAt(i);
        FUZZ_CHECK(i > before);
        FUZZ_CHECK(value == Trimmed(value));
    }
    std::vector<std::string> all;
    if (list.Count() > 0) {
        const std::string first = list.NameAt(0);
        list.ExtractAll(first, all);
        const int before = list.Count();
        // Setting a parameter rewrites the header on one line (HTTP lists never fold), or
        // drops it when its main item is empty.
        list.SetParam(first, "charset", "utf-8");
        if (style == TIdHeaderQuotingType::QuoteHTTP) {
            FUZZ_CHECK(list.Count() <= before + 1);
        }
        list.SetValue(first, "");
    }
    list.SetValue("X-Fuzz", text.substr(0, text.find_first_of("\r\n")));

    // Parameters: splitting never fails, and a value written back reads back the same.
    std::string old;
    const std::string rebuilt = ReplaceHeaderSubItem(text, "charset", "", style, old);
    (void)rebuilt;
    if (style != TIdHeaderQuotingType::QuotePlain) {
        const std::string_view wanted = Trimmed(text);
        const std::string written = ReplaceHeaderSubItem("m", "p", text, style, old);
        if (!wanted.empty()) {
            FUZZ_CHECK(ExtractHeaderSubItem(written, "p", style) == wanted);
        }
    }

    // The HTML and XML scanners run over the same bytes.
    TIdHeaderList meta;
    ExtractMetaHeaders(text, meta);
    const auto* bytes = reinterpret_cast<const std::uint8_t*>(text.data());
    SniffXmlCharset(bytes, text.size());

    // The bytes as a body in a charset picked by the first byte: decoding to the 7-bit
    // default never yields more than one byte per input byte, nor anything above 127 unless
    // the charset is ASCII itself, whose bytes are copied unchanged.
    const auto table = CharsetTable();
    const auto& entry = table[data[0] % table.size()];
    const std::string body = DecodeToString(bytes, text.size(), EncodingForCharset(entry.Name),
                                            SharedTextEncoding(TIdTextEncodingKind::ASCII));
    FUZZ_CHECK(body.size() <= text.size() + 1);
    if (EncodingForCharset(entry.Name) != SharedTextEncoding(TIdTextEncodingKind::ASCII)) {
        for (char c : body) {
            FUZZ_CHECK(static_cast<unsigned char>(c) < 128);
        }
    } else {
        FUZZ_CHECK(body == text);
    }
    return 0;
}
