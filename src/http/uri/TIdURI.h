// TIdURI splits a URL into its components and rebuilds request targets from them. Parsing is
// purely textual and never fails: no byte is encoded, decoded or validated.
#pragma once

#include <string>
#include <string_view>

#include "http/transport/TIdIPVersion.h"

namespace tarnwick::http {

class TIdURI {
  public:
    TIdURI() = default;
    // A non-empty URL is parsed at once.
    explicit TIdURI(std::string_view url);

    // Replaces every field from the URL (backslashes before the query become slashes first).
    void Parse(std::string_view url);

    // DirPath + DocName, plus "?" + Query when Query is non-empty: the origin-form target.
    std::string PathAndQuery() const;
    // The absolute form; throws EIdURIException when Scheme or Host is empty.
    std::string FullURI(bool includeUserInfo, bool includeFragment) const;
    // FullURI(false, false); also stores FullURI(true, true) into Text.
    std::string URI();

    // Resolves the directory newPath against basePath: "..", collapses slash runs.
    static std::string MergePath(std::string_view basePath, std::string_view newPath);
    // Turns backslashes into slashes after the scheme separator up to the query or fragment.
    static std::string NormalizeBackslashes(std::string_view url);

    std::string Text;
    std::string Scheme;
    std::string UserName;
    std::string Password;
    std::string Host;
    std::string Port;
    std::string DirPath;
    std::string DocName;
    std::string Query;
    std::string Fragment;
    TIdIPVersion IPVersion = TIdIPVersion::Id_IPv4;
};

}  // namespace tarnwick::http
