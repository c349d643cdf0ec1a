// Name-pattern keys for the MIME type cache.
#include "platform/qt/MimeGlobKey.h"

#include <fnmatch.h>

#include <algorithm>

namespace tarnwick::platform {
namespace {

bool IsAscii(const std::string& text) {
    return std::all_of(text.begin(), text.end(),
                       [](char c) { return static_cast<unsigned char>(c) < 0x80; });
}

std::string AsciiLower(std::string text) {
    for (char& c : text) {
        if (c >= 'A' && c <= 'Z') {
            c = static_cast<char>(c - 'A' + 'a');
        }
    }
    return text;
}

bool HasWildcard(const std::string& text) {
    return text.find_first_of("*?[") != std::string::npos;
}

}  // namespace

MimeGlobKey::MimeGlobKey(const QStringList& patterns) {
    for (const QString& qpattern : patterns) {
        const std::string pattern = qpattern.toStdString();
        const int id = static_cast<int>(fOriginals.size());
        if (IsAscii(pattern) && !HasWildcard(pattern)) {
            fOriginals.push_back(pattern);
            fLiterals[AsciiLower(pattern)].push_back(id);
        } else if (IsAscii(pattern) && pattern.size() > 2 && pattern.compare(0, 2, "*.") == 0 &&
                   !HasWildcard(pattern.substr(1))) {
            fOriginals.push_back(pattern.substr(1));
            fSuffixes[AsciiLower(pattern.substr(1))].push_back(id);
        } else {
            fOriginals.push_back(std::string());
            // fnmatch agrees with the database's wildcards on ASCII patterns without escapes or
            // '^' sets and is much cheaper; anything else goes through the same wildcard
            // conversion the database uses.
            const bool plainGlob =
                IsAscii(pattern) && pattern.find_first_of("\\^") == std::string::npos;
            Wildcard wildcard{
                id,
                plainGlob ? pattern : std::string(),
                {},
                {},
                !pattern.empty() && pattern[0] == '*' && !HasWildcard(pattern.substr(1)),
                pattern.size()};
            if (!plainGlob) {
                wildcard.exact = QRegularExpression::fromWildcard(qpattern, Qt::CaseSensitive);
                wildcard.folded = QRegularExpression::fromWildcard(qpattern, Qt::CaseInsensitive);
            }
            fWildcards.push_back(std::move(wildcard));
        }
    }
}

void MimeGlobKey::AddMatch(std::vector<unsigned>& matches, int id, bool exact, bool folded,
                           bool starEmpty) {
    if (exact || folded) {
        matches.push_back(static_cast<unsigned>(id) << 3 | (starEmpty ? 4u : 0u) |
                          (exact ? 2u : 0u) | (folded ? 1u : 0u));
    }
}

void MimeGlobKey::AddIds(std::vector<unsigned>& matches, const std::vector<int>& ids,
                         const std::vector<std::string>& originals, const std::string& text) {
    for (const int id : ids) {
        AddMatch(matches, id, originals[static_cast<std::size_t>(id)] == text, true, false);
    }
}

std::optional<std::string> MimeGlobKey::KeyOf(const std::string& name) const {
    // Unicode case folding could match an ASCII pattern's letters; and the database does not
    // treat a leading dot as the start of a suffix (".ogv" is no video), so such names are
    // looked up directly.
    if (!IsAscii(name) || name.empty() || name[0] == '.') {
        return std::nullopt;
    }
    std::vector<unsigned> matches;
    const std::string lower = AsciiLower(name);
    if (const auto literal = fLiterals.find(lower); literal != fLiterals.end()) {
        AddIds(matches, literal->second, fOriginals, name);
    }
    for (std::size_t dot = lower.find('.'); dot != std::string::npos;
         dot = lower.find('.', dot + 1)) {
        if (const auto suffix = fSuffixes.find(lower.substr(dot)); suffix != fSuffixes.end()) {
            AddIds(matches, suffix->second, fOriginals, name.substr(dot));
        }
    }
    QString qname;
    for (const Wildcard& wildcard : fWildcards) {
        // The database does not let the star of a "*tail" pattern match nothing (",v" is no
        // "*,v" file), so a name no longer than the tail gets a key of its own.
        const bool starEmpty = wildcard.leadingStar && name.size() < wildcard.length;
        if (!wildcard.pattern.empty()) {
            AddMatch(
                matches, wildcard.id, ::fnmatch(wildcard.pattern.c_str(), name.c_str(), 0) == 0,
                ::fnmatch(wildcard.pattern.c_str(), name.c_str(), FNM_CASEFOLD) == 0, starEmpty);
        } else {
            if (qname.isEmpty()) {
                qname = QString::fromStdString(name);
            }
            AddMatch(matches, wildcard.id, wildcard.exact.match(qname).hasMatch(),
                     wildcard.folded.match(qname).hasMatch(), starEmpty);
        }
    }
    std::sort(matches.begin(), matches.end());
    std::string key;
    key.reserve(matches.size() * sizeof(unsigned));
    for (const unsigned match : matches) {
        key.append(reinterpret_cast<const char*>(&match), sizeof match);
    }
    return key;
}

}  // namespace tarnwick::platform
