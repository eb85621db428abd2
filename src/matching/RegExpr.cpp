#include "matching/RegExpr.h"

#include <re2/re2.h>

#include <string_view>
#include <utility>
#include <vector>

#include "common/CaseFolding.h"

namespace {

// Bytes with a meaning in the pattern syntax; a typed text holding none of
// them is a plain literal.
bool IsPatternSyntax(char c)
{
    return std::string_view("^$\\.*+?()[]{}|").find(c) != std::string_view::npos;
}

// The typed character at text[at] as a unit of the direct matcher: a "." stands for any
// one character, a backslash and a syntax byte for that byte, any other character for
// itself. Returns the index after it, or npos when the text there is other pattern syntax.
std::size_t ParseUnit(std::string_view text, std::size_t at, std::vector<TDirectMatcher::TUnit>& units)
{
    const char c = text[at];
    if (c == '.') {
        units.push_back({});
        return at + 1;
    }
    if (c == '\\') {
        if (at + 1 >= text.size() || !IsPatternSyntax(text[at + 1]))
            return std::string_view::npos;
        units.push_back({std::string(1, text[at + 1])});
        return at + 2;
    }
    if (IsPatternSyntax(c))
        return std::string_view::npos;
    const std::size_t length = CharacterLength(text, at);
    units.push_back({std::string(text.substr(at, length))});
    return at + length;
}

// The typed units of "^typed.*", if the expression has exactly that shape.
bool ParsePrefixShape(std::string_view expression, std::vector<TDirectMatcher::TUnit>& units)
{
    if (expression.size() < 3 || expression.front() != '^' || !expression.ends_with(".*"))
        return false;
    const std::string_view middle = expression.substr(1, expression.size() - 3);
    for (std::size_t at = 0; at < middle.size();) {
        at = ParseUnit(middle, at, units);
        if (at == std::string_view::npos)
            return false;
    }
    return true;
}

// The typed units of ".*a.*b.*", if the expression has exactly that shape.
bool ParseSubsequenceShape(std::string_view expression, std::vector<TDirectMatcher::TUnit>& units)
{
    if (!expression.starts_with(".*"))
        return false;
    for (std::size_t at = 2; at < expression.size();) {
        at = ParseUnit(expression, at, units);
        if (at == std::string_view::npos || expression.substr(at, 2) != ".*")
            return false;
        at += 2;
    }
    return true;
}

} // namespace

TRegExpr::TRegExpr() = default;
TRegExpr::TRegExpr(TRegExprEngine chosenEngine) : engine_(chosenEngine)
{
}
TRegExpr::~TRegExpr() = default;
TRegExpr::TRegExpr(TRegExpr&&) noexcept = default;
TRegExpr& TRegExpr::operator=(TRegExpr&&) noexcept = default;

void TRegExpr::Compile()
{
    shape_ = TShape::None;
    regex_.reset();
    std::vector<TDirectMatcher::TUnit> units;
    if (engine_ == TRegExprEngine::Auto && ParsePrefixShape(Expression, units)) {
        shape_ = TShape::Prefix;
    } else if (units.clear(), engine_ == TRegExprEngine::Auto && ParseSubsequenceShape(Expression, units)) {
        shape_ = TShape::Subsequence;
    } else {
        RE2::Options options;
        options.set_encoding(RE2::Options::EncodingUTF8);
        options.set_case_sensitive(!ModifierI);
        options.set_dot_nl(true);      // "." is any character, line breaks included
        options.set_log_errors(false); // a fault is the caller's to report
        auto compiled = std::make_unique<RE2>(Expression, options);
        if (!compiled->ok())
            throw ERegExprSyntax("The search pattern is not valid: " + compiled->error() + ".");
        regex_ = std::move(compiled);
        shape_ = TShape::Engine;
    }
    if (shape_ != TShape::Engine) {
        if (ModifierI)
            for (TDirectMatcher::TUnit& unit : units)
                unit.Bytes = FoldCase(unit.Bytes);
        direct_ = TDirectMatcher(shape_ == TShape::Prefix ? TDirectMatcher::TKind::Prefix
                                                          : TDirectMatcher::TKind::Subsequence,
                                 std::move(units));
    }
    compiledExpression_ = Expression;
    compiledModifierI_ = ModifierI;
}

bool TRegExpr::Exec(std::string_view subject) const
{
    if (!ModifierI)
        return ExecFolded(subject);
    thread_local std::string folded;
    folded.clear();
    AppendFoldedCase(subject, folded);
    return ExecFolded(folded);
}

bool TRegExpr::ExecFolded(std::string_view subject) const
{
    if (shape_ == TShape::None)
        throw ERegExpr("Regular expression used before it was compiled");
    if (Expression != compiledExpression_ || ModifierI != compiledModifierI_)
        throw ERegExpr("Regular expression changed since it was compiled");
    if (shape_ != TShape::Engine)
        return direct_.Matches(subject);
    // Folded subjects stay in their case class, so the engine's own folding answers them alike.
    return RE2::PartialMatch(re2::StringPiece(subject.data(), subject.size()), *regex_);
}
