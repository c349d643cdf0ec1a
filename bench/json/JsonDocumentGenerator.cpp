#include "JsonDocumentGenerator.h"

#include <array>
#include <random>
#include <string_view>

namespace tarnwick::bench {
namespace {

constexpr int kMaxDepth = 6;

// Word pieces mixing ASCII with raw UTF-8 (Latin-1, the euro sign, CJK) and escapes.
constexpr std::array<std::string_view, 16> kPieces = {
    "alpha",
    "beta",
    "caf\xC3\xA9",
    "\xE2\x82\xAC"
    "42",
    "\\n",
    "\\\"quoted\\\"",
    "back\\\\slash",
    "\\u00e9t\\u00e9",
    "\\ud83d\\ude00",
    "\xE4\xB8\xAD\xE6\x96\x87",
    "tab\\there",
    "na\xC3\xAFve",
    "\\/path\\/to",
    "gr\xC3\xBC\xC3\x9F"
    "e",
    "plain text",
    "\\u20AC",
};

constexpr std::array<std::string_view, 12> kNames = {
    "id",     "name",     "score",       "ratio",    "tags",   "active",
    "parent", "children", "description", "position", "values", "meta",
};

class Generator {
  public:
    explicit Generator(std::uint32_t seed) : fRandom(seed) {}

    void Value(std::string& out, int depth) {
        const int choice = Pick(depth >= kMaxDepth ? 6 : 9);
        switch (choice) {
            case 0:
                out += std::to_string(static_cast<int>(fRandom() % 2000001) - 1000000);
                break;
            case 1:
                Real(out);
                break;
            case 2:
            case 3:
                String(out);
                break;
            case 4:
                out += Pick(2) ? "true" : "false";
                break;
            case 5:
                out += "null";
                break;
            case 6:
            case 7:
                Object(out, depth + 1);
                break;
            default:
                Array(out, depth + 1);
                break;
        }
    }

    void Object(std::string& out, int depth) {
        out += '{';
        const int members = 1 + Pick(8);
        for (int i = 0; i < members; ++i) {
            if (i) {
                out += ',';
            }
            out += '"';
            out += kNames[Pick(kNames.size())];
            out += std::to_string(i);
            out += "\":";
            Value(out, depth);
        }
        out += '}';
    }

    void Array(std::string& out, int depth) {
        out += '[';
        const int elements = Pick(10);
        for (int i = 0; i < elements; ++i) {
            if (i) {
                out += ", ";
            }
            Value(out, depth);
        }
        out += ']';
    }

  private:
    int Pick(std::size_t n) { return static_cast<int>(fRandom() % n); }

    void Real(std::string& out) {
        std::uniform_real_distribution<double> mantissa(-1000.0, 1000.0);
        char buffer[40];
        if (Pick(3) == 0) {
            std::snprintf(buffer, sizeof buffer, "%.6e", mantissa(fRandom) * 1e-3);
        } else {
            std::snprintf(buffer, sizeof buffer, "%.*f", 1 + Pick(8), mantissa(fRandom));
        }
        out += buffer;
    }

    void String(std::string& out) {
        out += '"';
        const int pieces = 1 + Pick(6);
        for (int i = 0; i < pieces; ++i) {
            if (i) {
                out += ' ';
            }
            out += kPieces[Pick(kPieces.size())];
        }
        out += '"';
    }

    std::mt19937 fRandom;
};

}  // namespace

std::string GenerateJsonDocument(std::size_t minimumBytes, std::uint32_t seed) {
    Generator generator(seed);
    std::string out = "[\n";
    bool first = true;
    while (out.size() < minimumBytes) {
        if (!first) {
            out += ",\n";
        }
        first = false;
        generator.Object(out, 1);
    }
    out += "\n]\n";
    return out;
}

}  // namespace tarnwick::bench
