// A short key for a file name that tells which of the MIME database's name patterns match it,
// each both with and without regard to letter case. The database picks a type by name from
// the set of matching patterns alone, so two names with the same key get the same type, and
// one lookup serves every name of a key (e.g. all "*.so.N" libraries of a folder).
// Invariant: names the key can't classify exactly (non-ASCII names, names starting with a dot)
// get no key.
#pragma once

#include <optional>
#include <string>
#include <unordered_map>
#include <vector>

#include <QRegularExpression>
#include <QStringList>

namespace tarnwick::platform {

class MimeGlobKey {
  public:
    // Classifies the given name patterns (as the MIME types list them) once.
    explicit MimeGlobKey(const QStringList& patterns);

    // The key of a bare file name, or nothing when the name must be looked up directly.
    std::optional<std::string> KeyOf(const std::string& name) const;

  private:
    struct Wildcard {
        int id;
        std::string pattern;       // matched with fnmatch (ASCII, no escapes)
        QRegularExpression exact;  // used instead when `pattern` is empty
        QRegularExpression folded;
        bool leadingStar;    // the pattern is '*' and a literal tail
        std::size_t length;  // of the pattern, in bytes
    };

    static void AddMatch(std::vector<unsigned>& matches, int id, bool exact, bool folded,
                         bool starEmpty);
    static void AddIds(std::vector<unsigned>& matches, const std::vector<int>& ids,
                       const std::vector<std::string>& originals, const std::string& text);

    // Literal names and "*.suffix" patterns, by their lower-case text; ids index `fOriginals`.
    std::unordered_map<std::string, std::vector<int>> fLiterals;
    std::unordered_map<std::string, std::vector<int>> fSuffixes;
    std::vector<std::string> fOriginals;  // the literal text as listed (for the exact-case bit)
    std::vector<Wildcard> fWildcards;
};

}  // namespace tarnwick::platform
