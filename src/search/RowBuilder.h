// The row builder of a walk: turns a hit into the row of the results list. The entry is
// described in full only now (size, times, attributes, file type); an entry that can no longer
// be described, has turned into a system entry, or has a time that can't be converted yields
// no row.
#pragma once

#include <optional>
#include <string>

#include "platform/DirectoryEnumeration.h"
#include "platform/LocaleFormats.h"
#include "platform/TypeNames.h"
#include "search/ResultRow.h"

namespace tarnwick::search {

class RowBuilder {
  public:
    RowBuilder(const platform::TypeNames& typeNames, const platform::LocaleFormats& locale)
        : fTypeNames(typeNames), fLocale(locale) {}

    // The row of `entry` of `listing`, whose folder path (ending in the delimiter) is
    // `folderPath`; nullopt when the entry is to be skipped.
    std::optional<ResultRow> Build(const platform::FolderListing& listing,
                                   const platform::ListedName& entry,
                                   const std::string& folderPath) const;

  private:
    const platform::TypeNames& fTypeNames;
    const platform::LocaleFormats& fLocale;
};

}  // namespace tarnwick::search
