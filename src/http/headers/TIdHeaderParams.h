// Parameters of a header value: a main item followed by ";"-separated name=value pairs, with
// the quoting rules of the four header styles. Values are stored unquoted.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace tarnwick::http {

enum class TIdHeaderQuotingType { QuotePlain, QuoteRFC822, QuoteMIME, QuoteHTTP };

struct TIdHeaderParam {
    std::string Name;
    std::string Value;
};

// A header value taken apart; only parameters with a non-empty name and value are kept.
struct TIdHeaderParams {
    std::string Item;
    std::vector<TIdHeaderParam> Params;
};

// True when the character may not appear unquoted in a parameter value of this style.
bool ForcesQuoting(unsigned char c, TIdHeaderQuotingType quoting);

TIdHeaderParams SplitHeaderParams(std::string_view value, TIdHeaderQuotingType quoting);
// "item; name=value; ..." with values quoted where needed; empty when the item is empty.
std::string BuildHeaderValue(const TIdHeaderParams& parts, TIdHeaderQuotingType quoting);

// The unquoted value of parameter `param` (case-insensitive, first match), or empty.
std::string ExtractHeaderSubItem(std::string_view value, std::string_view param,
                                 TIdHeaderQuotingType quoting);
// Replaces (non-empty newValue, trimmed) or removes (empty newValue) parameter `param` and
// returns the rebuilt value; the previous unquoted value goes to oldValue.
std::string ReplaceHeaderSubItem(std::string_view value, std::string_view param,
                                 std::string_view newValue, TIdHeaderQuotingType quoting,
                                 std::string& oldValue);

}  // namespace tarnwick::http
