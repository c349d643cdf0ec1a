// Real folder trees in a temporary folder for tests, removed when the object goes.
#pragma once

#include <filesystem>
#include <string>

namespace tarnwick::testing {

class TempTree {
  public:
    TempTree();
    TempTree(const TempTree&) = delete;
    TempTree& operator=(const TempTree&) = delete;
    ~TempTree();

    // The root folder, without a trailing separator.
    const std::string& root() const { return root_; }
    // Full path of `relative` inside the tree.
    std::string path(const std::string& relative) const { return root_ + "/" + relative; }

    // Creates the folder `relative` and its parents.
    void Folder(const std::string& relative) const;
    // Creates the file `relative` (and its folders) holding `content`.
    void File(const std::string& relative, const std::string& content = {}) const;
    // Creates a symbolic link `relative` pointing at `target`.
    void Link(const std::string& relative, const std::string& target) const;

  private:
    std::string root_;
};

}  // namespace tarnwick::testing
