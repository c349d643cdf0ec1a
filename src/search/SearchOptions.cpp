// Lock-protected text fields of the search inputs.
#include "search/SearchOptions.h"

namespace tarnwick::search {

std::string SearchOptions::Read(const std::string& field) const {
    std::lock_guard lock(fTextLock);
    return field;
}

void SearchOptions::Write(std::string& field, std::string text) {
    std::lock_guard lock(fTextLock);
    field = std::move(text);
}

std::string SearchOptions::NameText() const {
    return Read(fNameText);
}
void SearchOptions::SetNameText(std::string text) {
    Write(fNameText, std::move(text));
}
std::string SearchOptions::ContainingText() const {
    return Read(fContainingText);
}
void SearchOptions::SetContainingText(std::string text) {
    Write(fContainingText, std::move(text));
}
std::string SearchOptions::LookIn() const {
    return Read(fLookIn);
}
void SearchOptions::SetLookIn(std::string text) {
    Write(fLookIn, std::move(text));
}
std::string SearchOptions::ExcludeListText() const {
    return Read(fExcludeList);
}
std::string SearchOptions::IncludeListText() const {
    return Read(fIncludeList);
}

void SearchOptions::SetExcludeListText(std::string text) {
    Write(fExcludeList, std::move(text));
    fListVersion.fetch_add(1, std::memory_order_release);
}

void SearchOptions::SetIncludeListText(std::string text) {
    Write(fIncludeList, std::move(text));
    fListVersion.fetch_add(1, std::memory_order_release);
}

}  // namespace tarnwick::search
