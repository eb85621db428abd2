#include "matching/RegExpr.h"

#include <algorithm>
#include <cstdint>
#include <iterator>
#include <locale>
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

// The pattern with its literal characters case-folded; escapes stay as typed ("\S" is not "\s").
std::string FoldLiterals(std::string_view pattern)
{
    std::string folded;
    std::size_t at = 0;
    while (at < pattern.size()) {
        const std::size_t escape = pattern.find('\\', at);
        AppendFoldedCase(pattern.substr(at, escape == std::string_view::npos ? escape : escape - at), folded);
        if (escape == std::string_view::npos)
            break;
        // The backslash, the character after it and, for "\cX", the X.
        std::size_t end = std::min(escape + 2, pattern.size());
        if (end == escape + 2 && pattern[escape + 1] == 'c' && end < pattern.size())
            ++end;
        folded.append(pattern.substr(escape, end - escape));
        at = end;
    }
    return folded;
}

// What the engine is given for "." when it stands alone: one character as the direct
// matcher and common/CaseFolding.h count them (a byte that is not a continuation byte
// with the continuation bytes after it, or continuation bytes at the text's start),
// starting at a character boundary and never cut short.
// Grouped whole, so that a quantifier after it repeats the character, not its last assertion.
const std::string AnyCharacter = "(?:(?:[^\x80-\xBF][\x80-\xBF]*|^[\x80-\xBF]+)(?![\x80-\xBF]))";
constexpr std::size_t AnyCharacterStates = 12;

// What is wrong with a pattern the engine refused, told by the pattern itself where
// the engine's code misleads: libstdc++ reports a lone "{" or a leading "*" as
// mismatched parentheses, and a "{" without its "}" as a bad count.
struct TPatternFaults {
    bool unmatchedParenthesis = false;
    bool nothingToRepeat = false;
    bool unclosedBrace = false;
};

TPatternFaults FindFaults(std::string_view pattern)
{
    TPatternFaults faults;
    int depth = 0;
    bool bracket = false;
    bool atomBefore = false; // something a quantifier could repeat
    bool quantifierBefore = false;
    for (std::size_t i = 0; i < pattern.size(); ++i) {
        const char c = pattern[i];
        if (c == '?' && quantifierBefore && !bracket) {
            quantifierBefore = false; // the mark of a lazy quantifier
            continue;
        }
        quantifierBefore = false;
        if (c == '\\') {
            ++i;
            atomBefore = true;
        } else if (bracket) {
            bracket = c != ']';
        } else if (c == '[') {
            bracket = true;
            atomBefore = true;
        } else if (c == '(') {
            ++depth;
            atomBefore = false;
            if (pattern.substr(i + 1, 2) == "?:" || pattern.substr(i + 1, 2) == "?=" || pattern.substr(i + 1, 2) == "?!")
                i += 2;
        } else if (c == ')') {
            faults.unmatchedParenthesis = faults.unmatchedParenthesis || depth == 0;
            depth = std::max(depth - 1, 0);
            atomBefore = true;
        } else if (c == '|' || c == '^') {
            atomBefore = false;
        } else if (c == '*' || c == '+' || c == '?' || c == '{') {
            // A quantified atom cannot be quantified again: ECMAScript refuses "a**" and
            // "a+*"; libstdc++ takes them, and their nested repetition backtracks for ages.
            faults.nothingToRepeat = faults.nothingToRepeat || !atomBefore;
            if (c == '{') {
                const std::size_t close = pattern.find('}', i);
                faults.unclosedBrace = faults.unclosedBrace || close == std::string_view::npos;
                i = close == std::string_view::npos ? pattern.size() : close;
            }
            atomBefore = false;
            quantifierBefore = true;
        } else {
            atomBefore = true;
        }
    }
    faults.unmatchedParenthesis = faults.unmatchedParenthesis || depth != 0;
    return faults;
}

// The system's own text for the engine's refusal of a pattern, naming the actual fault.
std::string SyntaxErrorText(std::string_view pattern, std::regex_constants::error_type code)
{
    using namespace std::regex_constants;
    const TPatternFaults faults = FindFaults(pattern);
    if (code == error_paren || code == error_badrepeat || code == error_brace || code == error_badbrace) {
        if (faults.unmatchedParenthesis)
            code = error_paren;
        else if (faults.nothingToRepeat)
            code = error_badrepeat;
        else if (faults.unclosedBrace)
            code = error_brace;
    }
    switch (code) {
    case error_paren:
        return "The search pattern has a '(' without its ')', or a ')' without its '('.";
    case error_brack:
        return "The search pattern has a '[' without its ']'.";
    case error_brace:
        return "The search pattern has a '{' without its '}'.";
    case error_badbrace:
        return "The search pattern has a count between '{' and '}' that is not a number or a range of numbers.";
    case error_range:
        return "The search pattern has a character range whose end comes before its start.";
    case error_badrepeat:
        return "The search pattern has a '*', '+', '?' or '{' with nothing before it to repeat.";
    case error_escape:
        return "The search pattern has an incomplete or unknown escape after a '\\'.";
    case error_backref:
        return "The search pattern refers back to a group it does not have.";
    case error_ctype:
        return "The search pattern names an unknown character class.";
    case error_collate:
        return "The search pattern names an unknown collating element.";
    default:
        return "The search pattern is too complex to be matched; please simplify it.";
    }
}

// Copies the escape starting after a backslash at pattern[i - 1]; returns the
// index after it. "\cX" takes X as its letter, whatever X is, so a "." there is
// not a wildcard. Other escapes are followed only by digits or hex digits.
std::size_t CopyEscape(std::string_view pattern, std::size_t i, std::string& out)
{
    if (i < pattern.size()) {
        const char kind = pattern[i++];
        out += kind;
        if (kind == 'c' && i < pattern.size())
            out += pattern[i++];
    }
    return i;
}

// What the engine is given for a pattern, and how big a job it is for
// libstdc++'s engine, which recurses while it compiles (once per term and per
// group level) and while it matches (once per automaton state on the path, so
// once per subject character a repetition consumes).
struct TEnginePattern {
    std::string text;
    bool topLevelAlternation = false; // a "|" outside any group, bracket or escape
    std::size_t groupDepth = 0;       // deepest group nesting
    std::size_t states = 0;           // rough upper bound of the automaton's size
};

// Tracks the automaton size estimate: every atom, group, alternative and
// repetition is a state or two, and a counted repetition "{m,n}" copies its
// atom up to max(m, n) + 1 times.
class TStateEstimate {
public:
    TStateEstimate() : frames(1) {}

    void Atom(std::size_t states = 1) { Add(states); }
    void OpenGroup() { frames.emplace_back(); }
    void CloseGroup()
    {
        if (frames.size() < 2)
            return; // unbalanced: the engine reports it
        const std::size_t group = frames.back().total + 2;
        frames.pop_back();
        Add(group);
    }
    void Alternative() { Structure(2); }
    void Repeat() { Structure(2); }
    void RepeatOneOrMore() { Structure(frames.back().lastAtom + 2); }
    void RepeatCounted(std::size_t count)
    {
        const std::size_t copies = std::min(count, Cap) + 1;
        Structure(std::min(frames.back().lastAtom, Cap) * copies + 2 * copies);
    }
    std::size_t Total() const { return frames.front().total; }
    std::size_t Depth() const { return frames.size() - 1; }

private:
    static constexpr std::size_t Cap = 1'000'000'000;
    struct TFrame {
        std::size_t total = 0;
        std::size_t lastAtom = 0; // what a following quantifier repeats
    };
    std::vector<TFrame> frames; // the enclosing groups, outermost first

    void Add(std::size_t atom)
    {
        frames.back().total = std::min(frames.back().total + atom, Cap);
        frames.back().lastAtom = atom;
    }
    void Structure(std::size_t states)
    {
        frames.back().total = std::min(frames.back().total + std::min(states, Cap), Cap);
        frames.back().lastAtom = 0;
    }
};

// ECMAScript's "." is one byte and excludes line terminators, but an entry's text may
// hold them and "." stands for one whole character. Every "." the engine would read as
// a wildcard becomes AnyCharacter, or "[\s\S]" before a "*"; bracket, brace and escape boundaries are
// found the way libstdc++'s scanner finds them: "]" closes a bracket even right
// after "[" or "[^" (so "[^]]" is "[^]" then "]"), and "[:", "[." and "[="
// inside a bracket run to the matching ":]", ".]" or "=]".
TEnginePattern ForEngine(std::string_view pattern)
{
    enum class TState { Normal, Bracket, Brace } state = TState::Normal;
    TEnginePattern result;
    std::string& out = result.text;
    out.reserve(pattern.size() + 16);
    TStateEstimate estimate;
    std::size_t braceCount = 0;
    std::size_t i = 0;
    while (i < pattern.size()) {
        const char c = pattern[i++];
        if (c == '.' && state == TState::Normal) {
            // ".*" may stop anywhere; the pattern's next item decides where a character starts.
            const bool repeated = i < pattern.size() && pattern[i] == '*';
            out += repeated ? "[\\s\\S]" : AnyCharacter;
            estimate.Atom(repeated ? 1 : AnyCharacterStates);
            continue;
        }
        out += c;
        if (state == TState::Brace) {
            if (c >= '0' && c <= '9')
                braceCount = std::min<std::size_t>(braceCount * 10 + (c - '0'), 1'000'000'000);
            else if (c == '}') {
                estimate.RepeatCounted(braceCount);
                state = TState::Normal;
            }
        } else if (c == '\\') {
            i = CopyEscape(pattern, i, out);
            if (state == TState::Normal)
                estimate.Atom();
        } else if (state == TState::Bracket) {
            if (c == ']') {
                state = TState::Normal;
            } else if (c == '[' && i < pattern.size() && std::string_view(".:=").find(pattern[i]) != std::string_view::npos) {
                const char delimiter = pattern[i];
                const std::size_t close = pattern.find(delimiter, i + 1);
                const std::size_t end = close == std::string_view::npos ? pattern.size()
                                                                         : std::min(close + 2, pattern.size());
                out.append(pattern.substr(i, end - i));
                i = end;
            }
        } else if (c == '[') {
            state = TState::Bracket;
            estimate.Atom();
            if (i < pattern.size() && pattern[i] == '^')
                out += pattern[i++];
        } else if (c == '{') {
            state = TState::Brace;
            braceCount = 0;
        } else if (c == '(') {
            estimate.OpenGroup();
            result.groupDepth = std::max(result.groupDepth, estimate.Depth());
        } else if (c == ')') {
            estimate.CloseGroup();
        } else if (c == '|') {
            estimate.Alternative();
            if (estimate.Depth() == 0)
                result.topLevelAlternation = true;
        } else if (c == '*' || c == '?') {
            estimate.Repeat();
        } else if (c == '+') {
            estimate.RepeatOneOrMore();
        } else {
            estimate.Atom();
        }
    }
    result.states = estimate.Total();
    return result;
}

// Refuses patterns whose compiling or matching could recurse deep enough to
// overflow the stack before the matcher's own guard gets a chance to act.
void CheckEngineLimits(std::string_view expression, const TEnginePattern& pattern)
{
    if (expression.size() > TRegExpr::MaxEnginePatternLength)
        throw ERegExpr("The search pattern is too long for a regular expression (" + std::to_string(expression.size())
                       + " characters; the limit is " + std::to_string(TRegExpr::MaxEnginePatternLength) + ").");
    if (pattern.groupDepth > TRegExpr::MaxEngineGroupDepth)
        throw ERegExpr("The search pattern nests groups too deeply (the limit is "
                       + std::to_string(TRegExpr::MaxEngineGroupDepth) + " levels).");
    if (pattern.states > TRegExpr::MaxEngineStates)
        throw ERegExpr("The search pattern repeats too much to be matched safely; please simplify it.");
}

// How much an engine search may still spend.
struct TEngineBudget {
    std::size_t stepsLeft = TRegExpr::MaxEngineSteps;
    std::uintptr_t stackTop = 0; // address of a local of the function calling regex_search
};

// The budget of the search running on this thread. The iterators reach it
// from here rather than carrying a pointer: the matcher keeps iterator copies
// in every recursion frame, and a wider iterator makes its deep recursion cost
// noticeably more stack (about 1 KB instead of 0.4 KB per character on Windows).
thread_local TEngineBudget* currentBudget = nullptr;

// A subject iterator that gives up, with ERegExpr, when the search has taken
// too many steps or gone too deep into the stack: std::regex offers no limit
// of its own, and its matcher touches the iterator on nearly every step.
class TBudgetedIterator {
public:
    using iterator_category = std::bidirectional_iterator_tag;
    using value_type = char;
    using difference_type = std::ptrdiff_t;
    using pointer = const char*;
    using reference = const char&;

    TBudgetedIterator() = default;
    explicit TBudgetedIterator(const char* start) : position(start) {}

    reference operator*() const
    {
        Spend();
        return *position;
    }
    pointer operator->() const { return &**this; }
    TBudgetedIterator& operator++()
    {
        ++position;
        return *this;
    }
    TBudgetedIterator operator++(int)
    {
        TBudgetedIterator old = *this;
        ++position;
        return old;
    }
    TBudgetedIterator& operator--()
    {
        --position;
        return *this;
    }
    TBudgetedIterator operator--(int)
    {
        TBudgetedIterator old = *this;
        --position;
        return old;
    }
    // Comparisons count too: they are what empty repetitions spin on.
    bool operator==(const TBudgetedIterator& other) const
    {
        Spend();
        return position == other.position;
    }

private:
    const char* position = nullptr;

    static void Spend()
    {
        TEngineBudget* budget = currentBudget;
        if (budget == nullptr)
            return;
        if (budget->stepsLeft == 0)
            throw ERegExpr("The search pattern is too complex to test against this text; please simplify it.");
        --budget->stepsLeft;
        // Checked on every step, as a deep recursion can happen within few steps.
        // Depth is the distance between two locals' addresses (the stack grows
        // downward on every platform Zephyrix targets); a distance beyond any
        // real stack means locals are not on the machine stack (sanitizer fake
        // stacks), where the check cannot work.
        const volatile char marker = 0;
        const auto here = reinterpret_cast<std::uintptr_t>(&marker);
        const std::uintptr_t depth = budget->stackTop > here ? budget->stackTop - here : 0;
        if (depth > TRegExpr::EngineStackAllowance && depth < (std::uintptr_t{1} << 30))
            throw ERegExpr("The search pattern is too complex to test against this text "
                           "(it is long or nests repetitions); please simplify it.");
    }
};

} // namespace

void TRegExpr::Compile()
{
    shape_ = TShape::None;
    std::vector<TDirectMatcher::TUnit> units;
    if (engine_ == TRegExprEngine::Auto && ParsePrefixShape(Expression, units)) {
        shape_ = TShape::Prefix;
    } else if (units.clear(), engine_ == TRegExprEngine::Auto && ParseSubsequenceShape(Expression, units)) {
        shape_ = TShape::Subsequence;
    } else {
        auto flags = std::regex::ECMAScript;
        if (ModifierI)
            flags |= std::regex::icase;
        // Subjects arrive folded, so the pattern's own letters are folded the same way;
        // icase still serves the ranges and classes, which folding cannot reach.
        if (FindFaults(Expression).nothingToRepeat)
            throw ERegExprSyntax(SyntaxErrorText(Expression, std::regex_constants::error_badrepeat));
        const TEnginePattern pattern = ForEngine(ModifierI ? FoldLiterals(Expression) : Expression);
        CheckEngineLimits(Expression, pattern);
        std::regex compiled;
        compiled.imbue(std::locale::classic()); // before assign: imbue discards the pattern
        try {
            compiled.assign(pattern.text, flags);
        } catch (const std::regex_error& e) {
            throw ERegExprSyntax(SyntaxErrorText(Expression, e.code()));
        }
        regex_ = std::move(compiled);
        // A search for ".*R" succeeds exactly when R can follow some prefix of
        // the subject, which the leading ".*" already tries from the start;
        // letting the engine also retry from every later start would multiply
        // its work by the subject length for nothing.
        fromStartOnly_ = Expression.starts_with(".*") && !pattern.topLevelAlternation;
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
    return shape_ == TShape::Engine ? ExecEngine(subject) : direct_.Matches(subject);
}

bool TRegExpr::ExecEngine(std::string_view subject) const
{
    const volatile char marker = 0;
    TEngineBudget budget;
    budget.stackTop = reinterpret_cast<std::uintptr_t>(&marker);
    struct TBudgetScope {
        TEngineBudget* previous;
        explicit TBudgetScope(TEngineBudget* budget) : previous(currentBudget) { currentBudget = budget; }
        ~TBudgetScope() { currentBudget = previous; }
    } scope(&budget);
    const char* begin = subject.data();
    return std::regex_search(TBudgetedIterator(begin), TBudgetedIterator(begin + subject.size()), regex_,
                             fromStartOnly_ ? std::regex_constants::match_continuous
                                            : std::regex_constants::match_default);
}
