#include "support/TempTree.h"

#include <unistd.h>

#include <cstdlib>
#include <fstream>
#include <stdexcept>
#include <system_error>

namespace tarnwick::testing {

TempTree::TempTree() {
    std::string pattern =
        (std::filesystem::temp_directory_path() / "tarnwick-test-XXXXXX").string();
    if (::mkdtemp(pattern.data()) == nullptr) {
        throw std::runtime_error("mkdtemp failed");
    }
    root_ = pattern;
}

TempTree::~TempTree() {
    std::error_code ignored;
    // Give back permissions a test may have taken away so the tree can be removed.
    for (auto it = std::filesystem::recursive_directory_iterator(
             root_, std::filesystem::directory_options::skip_permission_denied, ignored);
         it != std::filesystem::recursive_directory_iterator(); it.increment(ignored)) {
        if (!it->is_symlink(ignored)) {
            std::filesystem::permissions(it->path(), std::filesystem::perms::owner_all,
                                         std::filesystem::perm_options::add, ignored);
        }
    }
    std::filesystem::remove_all(root_, ignored);
}

void TempTree::Folder(const std::string& relative) const {
    std::filesystem::create_directories(path(relative));
}

void TempTree::File(const std::string& relative, const std::string& content) const {
    const std::filesystem::path p = path(relative);
    std::filesystem::create_directories(p.parent_path());
    std::ofstream out(p, std::ios::binary);
    out << content;
    if (!out) {
        throw std::runtime_error("cannot write " + p.string());
    }
}

void TempTree::Link(const std::string& relative, const std::string& target) const {
    const std::filesystem::path p = path(relative);
    std::filesystem::create_directories(p.parent_path());
    std::filesystem::create_symlink(target, p);
}

}  // namespace tarnwick::testing
