#pragma once
#include <string>
#include <string_view>
#include <vector>

// Answers the two patterns the incremental search builds from a typed text whose
// characters each stand for themselves or, a "." as the typed text has it, for any one
// character: "^typed.*" (the subject starts with the typed text) and ".*a.*b.*"
// (the subject holds the typed characters in order). Linear in the subject, whatever
// the typed text: it never backtracks.
//
// Literal characters compare byte for byte, as the engine compares them; "any one
// character" is one character as common/CaseFolding.h splits texts, starting at a
// character boundary. Case is the caller's business: give both sides folded.
class TDirectMatcher {
public:
    enum class TKind { Prefix, Subsequence };
    // One typed character: its bytes, or none for "any one character".
    struct TUnit {
        std::string Bytes;
        bool Any() const { return Bytes.empty(); }
    };

    TDirectMatcher() = default;
    TDirectMatcher(TKind kind, std::vector<TUnit> units);

    bool Matches(std::string_view subject) const;

private:
    bool MatchesPrefix(std::string_view subject) const;
    bool MatchesSubsequence(std::string_view subject) const;

    TKind kind_ = TKind::Prefix;
    std::vector<TUnit> units_;
    std::string literal_; // all units' bytes when none is "any": compared in one go
    bool hasAny_ = false;
    bool singleBytes_ = false; // every unit one literal byte
};
