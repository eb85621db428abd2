#include "matching/patterns.h"

std::string AnchoredPattern(const std::string& typed)
{
    return "^" + typed + ".*";
}

std::string SequencePattern(const std::string& typed)
{
    std::string pattern = ".*";
    pattern.reserve(2 + 3 * typed.size());
    for (char c : typed) {
        pattern += c;
        pattern += ".*";
    }
    return pattern;
}
