// Feeds arbitrary text to the URL parser and the path merge and checks the invariants every
// result must keep, whatever the input.
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>

#include "FuzzCheck.h"
#include "http/uri/EIdURIException.h"
#include "http/uri/TIdURI.h"

using tarnwick::http::EIdURIException;
using tarnwick::http::TIdURI;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view input(reinterpret_cast<const char*>(data), size);

    TIdURI uri(input);
    FUZZ_CHECK(uri.Text.size() == input.size());
    FUZZ_CHECK(!uri.UserName.empty() || uri.Password.empty());
    FUZZ_CHECK(uri.DirPath.empty() || uri.DirPath.back() == '/');
    if (uri.Text.find("://") != std::string::npos) {
        FUZZ_CHECK(!uri.DirPath.empty() && uri.DirPath.front() == '/');
    } else {
        FUZZ_CHECK(uri.Scheme.empty() && uri.Host.empty() && uri.Port.empty() &&
                   uri.UserName.empty());
    }
    FUZZ_CHECK(uri.DocName.find('/') == std::string::npos);
    const std::string target = uri.PathAndQuery();
    FUZZ_CHECK(target.size() >= uri.DirPath.size() + uri.DocName.size());

    try {
        const std::string full = uri.FullURI(true, true);
        FUZZ_CHECK(!uri.Scheme.empty() && !uri.Host.empty());
        FUZZ_CHECK(full.find(target) != std::string::npos);
        // The absolute form parses back to the same request target.
        TIdURI again(full);
        FUZZ_CHECK(again.PathAndQuery() == TIdURI(again.Text).PathAndQuery());
    } catch (const EIdURIException&) {
        FUZZ_CHECK(uri.Scheme.empty() || uri.Host.empty());
    }

    // Split the input into a base and a new path at the first NUL (or the middle).
    auto cut = input.find('\0');
    if (cut == std::string_view::npos) {
        cut = size / 2;
    }
    const std::string_view base = input.substr(0, cut);
    const std::string_view path = input.substr(cut < size ? cut + 1 : cut);
    const std::string merged = TIdURI::MergePath(base, path);
    if (!path.empty() && path.front() == '/') {
        FUZZ_CHECK(merged == path);
    } else {
        FUZZ_CHECK(merged.find("//") == std::string::npos);
        FUZZ_CHECK(merged.size() <= base.size() + path.size() + 1);
    }
    return 0;
}
