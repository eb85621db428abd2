#pragma once
#include <string>

namespace platform::headless {

// Windows treats registry names and file names case-insensitively; the simulator
// folds ASCII letters, which is all its tests rely on.
std::string FoldCase(const std::string& text);

struct CaseInsensitiveLess {
    bool operator()(const std::string& a, const std::string& b) const { return FoldCase(a) < FoldCase(b); }
};

} // namespace platform::headless
