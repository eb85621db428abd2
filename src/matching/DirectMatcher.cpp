#include "matching/DirectMatcher.h"

#include <algorithm>
#include <cstring>

#include "common/CaseFolding.h"

namespace {

// Whether a character starts at subject[at]: the text's start, or any byte that is not a continuation byte.
bool StartsCharacter(std::string_view subject, std::size_t at)
{
    return at == 0 || !IsUtf8Continuation(subject[at]);
}

} // namespace

TDirectMatcher::TDirectMatcher(TKind kind, std::vector<TUnit> units) : kind_(kind), units_(std::move(units))
{
    singleBytes_ = true;
    for (const TUnit& unit : units_) {
        hasAny_ = hasAny_ || unit.Any();
        singleBytes_ = singleBytes_ && unit.Bytes.size() == 1;
        literal_ += unit.Bytes;
    }
}

bool TDirectMatcher::Matches(std::string_view subject) const
{
    return kind_ == TKind::Prefix ? MatchesPrefix(subject) : MatchesSubsequence(subject);
}

// The trailing ".*" takes whatever follows, so only the start counts.
bool TDirectMatcher::MatchesPrefix(std::string_view subject) const
{
    if (!hasAny_)
        return subject.size() >= literal_.size() && std::memcmp(subject.data(), literal_.data(), literal_.size()) == 0;
    std::size_t at = 0;
    for (const TUnit& unit : units_) {
        if (unit.Any()) {
            if (at >= subject.size() || !StartsCharacter(subject, at))
                return false;
            at += CharacterLength(subject, at);
        } else {
            if (subject.size() - at < unit.Bytes.size()
                || std::memcmp(subject.data() + at, unit.Bytes.data(), unit.Bytes.size()) != 0)
                return false;
            at += unit.Bytes.size();
        }
    }
    return true;
}

// Each unit is taken at its earliest place after the one before: a later place never
// ends sooner, so the earliest never loses a match.
bool TDirectMatcher::MatchesSubsequence(std::string_view subject) const
{
    if (singleBytes_) {
        // The common case, letters of one byte each: one pass, no search calls.
        std::size_t found = 0;
        for (const char c : subject)
            if (found < literal_.size() && c == literal_[found])
                ++found;
        return found == literal_.size();
    }
    std::size_t at = 0;
    for (const TUnit& unit : units_) {
        if (unit.Any()) {
            while (at < subject.size() && !StartsCharacter(subject, at))
                ++at;
            if (at >= subject.size())
                return false;
            at += CharacterLength(subject, at);
            continue;
        }
        const std::string_view rest = subject.substr(at);
        const std::size_t found = unit.Bytes.size() == 1 ? rest.find(unit.Bytes[0]) : rest.find(unit.Bytes);
        if (found == std::string_view::npos)
            return false;
        at += found + unit.Bytes.size();
    }
    return true;
}
