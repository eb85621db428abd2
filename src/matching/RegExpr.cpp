#include "matching/RegExpr.h"

#include <algorithm>
#include <cstdint>
#include <iterator>
#include <locale>
#include <string_view>
#include <utility>
#include <vector>

namespace {

// Bytes with a meaning in the pattern syntax; a typed text holding none of
// them is a plain literal.
bool IsPatternSyntax(char c)
{
    return std::string_view("^$\\.*+?()[]{}|").find(c) != std::string_view::npos;
}

bool IsPlainLiteral(std::string_view text)
{
    for (char c : text)
        if (IsPatternSyntax(c))
            return false;
    return true;
}

// The classic locale's folding, which is what the engine applies with icase.
char FoldAscii(char c)
{
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

std::string FoldAscii(std::string text)
{
    for (char& c : text)
        c = FoldAscii(c);
    return text;
}

// The typed text of "^typed.*", if the expression has exactly that shape.
bool ParsePrefixShape(std::string_view expression, std::string& typed)
{
    if (expression.size() < 3 || expression.front() != '^' || !expression.ends_with(".*"))
        return false;
    std::string_view middle = expression.substr(1, expression.size() - 3);
    if (!IsPlainLiteral(middle))
        return false;
    typed.assign(middle);
    return true;
}

// The typed text of ".*a.*b.*", if the expression has exactly that shape.
bool ParseSubsequenceShape(std::string_view expression, std::string& typed)
{
    if (expression.size() % 3 != 2 || !expression.starts_with(".*"))
        return false;
    std::string characters;
    for (std::size_t i = 2; i < expression.size(); i += 3) {
        if (IsPatternSyntax(expression[i]) || expression.substr(i + 1, 2) != ".*")
            return false;
        characters += expression[i];
    }
    typed = std::move(characters);
    return true;
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

    void Atom() { Add(1); }
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

// ECMAScript's "." excludes line terminators, but an entry's text may hold
// them and the search must still see through. Every "." the engine would read
// as a wildcard becomes "[\s\S]"; bracket, brace and escape boundaries are
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
            out += "[\\s\\S]";
            estimate.Atom();
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
    shape = TShape::None;
    std::string typed;
    if (engine == TRegExprEngine::Auto && ParsePrefixShape(Expression, typed)) {
        shape = TShape::Prefix;
    } else if (engine == TRegExprEngine::Auto && ParseSubsequenceShape(Expression, typed)) {
        shape = TShape::Subsequence;
    } else {
        auto flags = std::regex::ECMAScript;
        if (ModifierI)
            flags |= std::regex::icase;
        const TEnginePattern pattern = ForEngine(Expression);
        CheckEngineLimits(Expression, pattern);
        std::regex compiled;
        compiled.imbue(std::locale::classic()); // before assign: imbue discards the pattern
        try {
            compiled.assign(pattern.text, flags);
        } catch (const std::regex_error& e) {
            throw ERegExpr(e.what());
        }
        regex = std::move(compiled);
        // A search for ".*R" succeeds exactly when R can follow some prefix of
        // the subject, which the leading ".*" already tries from the start;
        // letting the engine also retry from every later start would multiply
        // its work by the subject length for nothing.
        fromStartOnly = Expression.starts_with(".*") && !pattern.topLevelAlternation;
        shape = TShape::Engine;
    }
    literal = ModifierI ? FoldAscii(std::move(typed)) : std::move(typed);
    compiledExpression = Expression;
    compiledModifierI = ModifierI;
}

bool TRegExpr::Exec(std::string_view subject) const
{
    if (shape == TShape::None)
        throw ERegExpr("Regular expression used before it was compiled");
    if (Expression != compiledExpression || ModifierI != compiledModifierI)
        throw ERegExpr("Regular expression changed since it was compiled");

    const auto same = [this](char a, char b) { return a == (ModifierI ? FoldAscii(b) : b); };
    switch (shape) {
    case TShape::Prefix:
        // The trailing ".*" matches whatever follows, so only the start counts.
        return subject.size() >= literal.size()
            && std::equal(literal.begin(), literal.end(), subject.begin(), same);
    case TShape::Subsequence: {
        // Taking each typed character at its earliest occurrence never loses a match.
        std::size_t found = 0;
        for (std::size_t i = 0; i < subject.size() && found < literal.size(); ++i)
            if (same(literal[found], subject[i]))
                ++found;
        return found == literal.size();
    }
    default:
        return ExecEngine(subject);
    }
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
    return std::regex_search(TBudgetedIterator(begin), TBudgetedIterator(begin + subject.size()), regex,
                             fromStartOnly ? std::regex_constants::match_continuous
                                           : std::regex_constants::match_default);
}
