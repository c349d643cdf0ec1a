// Feeds arbitrary text to the URL parser and the path merge and checks the invariants every
// result must keep, whatever the input.
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>

#include "http/uri/EIdURIException.h"
#include "http/uri/TIdURI.h"

using tarnwick::http::EIdURIException;
using tarnwick::http::TIdURI;

#define Check(condition) ((condition) ? (void)0 : Fail(#condition, __LINE__))

namespace {

void Fail(const char* what, int line) {
    std::fprintf(stderr, "invariant broken at line %d: %s\n", line, what);
    std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view input(reinterpret_cast<const char*>(data), size);

    TIdURI uri(input);
    Check(uri.Text.size() == input.size());
    Check(!uri.UserName.empty() || uri.Password.empty());
    Check(uri.DirPath.empty() || uri.DirPath.back() == '/');
    if (uri.Text.find("://") != std::string::npos) {
        Check(!uri.DirPath.empty() && uri.DirPath.front() == '/');
    } else {
        Check(uri.Scheme.empty() && uri.Host.empty() && uri.Port.empty() && uri.UserName.empty());
    }
    Check(uri.DocName.find('/') == std::string::npos);
    const std::string target = uri.PathAndQuery();
    Check(target.size() >= uri.DirPath.size() + uri.DocName.size());

    try {
        const std::string full = uri.FullURI(true, true);
        Check(!uri.Scheme.empty() && !uri.Host.empty());
        Check(full.find(target) != std::string::npos);
        // The absolute form parses back to the same request target.
        TIdURI again(full);
        Check(again.PathAndQuery() == TIdURI(again.Text).PathAndQuery());
    } catch (const EIdURIException&) {
        Check(uri.Scheme.empty() || uri.Host.empty());
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
        Check(merged == path);
    } else {
        Check(merged.find("//") == std::string::npos);
        Check(merged.size() <= base.size() + path.size() + 1);
    }
    return 0;
}
