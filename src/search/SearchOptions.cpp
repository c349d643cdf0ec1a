// Lock-protected text fields of the search inputs.
#include "search/SearchOptions.h"

namespace tarnwick {

std::string SearchOptions::Read(const std::string& field) const {
    std::lock_guard lock(textLock_);
    return field;
}

void SearchOptions::Write(std::string& field, std::string text) {
    std::lock_guard lock(textLock_);
    field = std::move(text);
}

std::string SearchOptions::NameText() const {
    return Read(nameText_);
}
void SearchOptions::SetNameText(std::string text) {
    Write(nameText_, std::move(text));
}
std::string SearchOptions::ContainingText() const {
    return Read(containingText_);
}
void SearchOptions::SetContainingText(std::string text) {
    Write(containingText_, std::move(text));
}
std::string SearchOptions::LookIn() const {
    return Read(lookIn_);
}
void SearchOptions::SetLookIn(std::string text) {
    Write(lookIn_, std::move(text));
}
std::string SearchOptions::ExcludeListText() const {
    return Read(excludeList_);
}
std::string SearchOptions::IncludeListText() const {
    return Read(includeList_);
}

void SearchOptions::SetExcludeListText(std::string text) {
    Write(excludeList_, std::move(text));
    listVersion_.fetch_add(1, std::memory_order_release);
}

void SearchOptions::SetIncludeListText(std::string text) {
    Write(includeList_, std::move(text));
    listVersion_.fetch_add(1, std::memory_order_release);
}

}  // namespace tarnwick
