// Parses one generated 20 MB document with the project's reader and with nlohmann/json, checks
// that both read the same number of values, and prints the throughput of each (best of several
// alternating runs, tree destruction not timed).
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <nlohmann/json.hpp>

#include "JsonDocumentGenerator.h"
#include "json/reader/TlkJSON.h"
#include "json/values/TlkJSONobject.h"

namespace {

constexpr std::size_t kDocumentBytes = 20'000'000;
constexpr std::uint32_t kSeed = 20261209;
constexpr int kRuns = 5;
constexpr double kBytesPerMegabyte = 1e6;

using Clock = std::chrono::steady_clock;

std::size_t CountValues(const tarnwick::json::TlkJSONbase* value) {
    std::size_t count = 1;
    for (int i = 0; i < value->ChildCount(); ++i) {
        const tarnwick::json::TlkJSONbase* child = value->ChildAt(i);
        if (const auto* pair = dynamic_cast<const tarnwick::json::TlkJSONobjectmethod*>(child)) {
            child = pair->MemberValue();
        }
        count += CountValues(child);
    }
    return count;
}

std::size_t CountValues(const nlohmann::json& value) {
    std::size_t count = 1;
    if (value.is_structured()) {
        for (const auto& child : value) {
            count += CountValues(child);
        }
    }
    return count;
}

// Times one call of `parse` in MB/s and hands the result to `check` (not timed, nor is freeing
// the result).
template <typename Parse, typename Check>
double Rate(std::size_t bytes, Parse parse, Check check) {
    const auto started = Clock::now();
    auto result = parse();
    const std::chrono::duration<double> elapsed = Clock::now() - started;
    check(result);
    return bytes / kBytesPerMegabyte / elapsed.count();
}

}  // namespace

int main() {
    const std::string text = tarnwick::bench::GenerateJsonDocument(kDocumentBytes, kSeed);

    // The two readers take turns, so a change in the machine's load hits both alike.
    std::size_t oursValues = 0;
    std::size_t peerValues = 0;
    double ours = 0;
    double peer = 0;
    for (int run = 0; run < kRuns; ++run) {
        ours = std::max(
            ours, Rate(
                      text.size(), [&] { return tarnwick::json::TlkJSON::ParseDocument(text); },
                      [&](const auto& root) {
                          if (root == nullptr) {
                              std::fprintf(stderr,
                                           "json_parse: our reader rejected the document\n");
                              std::exit(1);
                          }
                          oursValues = CountValues(root.get());
                      }));
        peer = std::max(peer,
                        Rate(
                            text.size(), [&] { return nlohmann::json::parse(text); },
                            [&](const nlohmann::json& root) { peerValues = CountValues(root); }));
    }

    if (oursValues != peerValues) {
        std::fprintf(stderr, "json_parse: value counts differ (ours %zu, peer %zu)\n", oursValues,
                     peerValues);
        return 1;
    }
    std::fprintf(stderr, "json_parse: %.1f MB document, %zu values, best of %d runs\n",
                 text.size() / kBytesPerMegabyte, oursValues, kRuns);
    std::printf("json_parse: ours=%.1f MB/s peer=%.1f MB/s ratio=%.2f\n", ours, peer, ours / peer);
    return 0;
}
