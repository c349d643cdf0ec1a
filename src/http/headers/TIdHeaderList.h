// TIdHeaderList is an ordered list of header lines ("name: value") with lookups by name that
// ignore letter case and take the first match; lines beginning with a space or TAB continue
// the header above. Received lines are kept exactly as given, duplicates included.
#pragma once

#include <climits>
#include <string>
#include <string_view>
#include <vector>

#include "http/headers/TIdHeaderParams.h"

namespace tarnwick::http {

class TIdHeaderList {
  public:
    static constexpr int kDefaultFoldLength = 78;
    static constexpr int kNoFoldLength = INT_MAX;

    explicit TIdHeaderList(TIdHeaderQuotingType quoting = TIdHeaderQuotingType::QuoteHTTP);

    // Plain list access.
    int Count() const { return static_cast<int>(fLines.size()); }
    const std::string& operator[](int i) const { return fLines.at(static_cast<std::size_t>(i)); }
    void Put(int i, std::string text) { fLines.at(static_cast<std::size_t>(i)) = std::move(text); }
    void AddLine(std::string text) { fLines.push_back(std::move(text)); }
    void Insert(int i, std::string text);
    void Delete(int i);
    void Clear() { fLines.clear(); }
    const std::vector<std::string>& Lines() const { return fLines; }
    // Every line followed by CR LF.
    std::string Text() const;
    // Replaces the lines; CR LF, LF and lone CR all end a line.
    void SetText(std::string_view text);
    // Appends every line of another list.
    void AddLines(const TIdHeaderList& other);

    // Header access.
    std::string NameAt(int i) const;
    int IndexOfName(std::string_view name) const;
    std::string ValueAt(int& i) const;
    std::string Value(std::string_view name) const;
    void SkipAt(int& i) const;
    void ExtractAll(std::string_view name, std::vector<std::string>& values) const;
    void ExtractAll(std::string_view name, TIdHeaderList& values) const;
    void SetValue(std::string_view name, std::string_view value);
    void AddValue(std::string_view name, std::string_view value);
    // Writes each header as name=value (continuations unfolded) into the target list.
    void AsNameEqualsValue(std::vector<std::string>& target) const;

    // Parameters of a header value, with this list's quoting style.
    std::string Param(std::string_view name, std::string_view param) const;
    void SetParam(std::string_view name, std::string_view param, std::string_view value);

    std::string Separator = ": ";
    bool UnfoldLines = true;
    bool FoldLines = true;
    int FoldLength;
    TIdHeaderQuotingType QuoteKind;

  private:
    std::string NameEnd() const;
    std::size_t FindNameEnd(const std::string& line) const;
    std::vector<std::string> FoldLine(const std::string& line, std::size_t valueStart) const;
    void DeleteContinuations(int i);
    TIdHeaderQuotingType QuotingFor(std::string_view name) const;

    std::vector<std::string> fLines;
};

}  // namespace tarnwick::http
