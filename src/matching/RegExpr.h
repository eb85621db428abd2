#pragma once
#include <cstddef>
#include <regex>
#include <string>
#include <string_view>

#include "common/Exception.h"
#include "matching/DirectMatcher.h"

// A pattern that cannot be used, or a text the engine cannot safely be run on. Derived
// from the system's Exception so the application's error report shows the message.
class ERegExpr : public Exception {
public:
    using Exception::Exception;
};

// A pattern that is not valid in the pattern syntax (an unmatched "(", a "*" with nothing
// to repeat, ...). The message names the fault.
class ERegExprSyntax : public ERegExpr {
public:
    using ERegExpr::ERegExpr;
};

// Which matcher TRegExpr may use. StdRegexOnly exists so tests can compare the
// direct matcher with the engine on the same pattern.
enum class TRegExprEngine { Auto, StdRegexOnly };

// An ECMAScript regular expression (std::regex, classic locale) tested with search
// semantics: the pattern may match anywhere, "^" anchors at the start of the subject only.
// Unlike plain ECMAScript, "." matches one whole character (common/CaseFolding.h), line
// breaks included. With ModifierI, case is ignored by simple Unicode case folding of the
// subject and of the pattern's literal characters (escapes such as "\S" stay as they are).
//
// Patterns of the two shapes the incremental search builds from a typed text whose only
// pattern syntax is "." or a backslash before a syntax character ("^abc.*" and
// ".*a.*b.*c.*") are answered by a direct linear matcher that gives exactly the engine's answer.
//
// Usage: set Expression and ModifierI, call Compile, then Exec any number of times.
// Compile throws ERegExprSyntax on an invalid pattern and ERegExpr on one too costly to
// run, and leaves the object uncompiled; Exec on an uncompiled object, or after
// Expression or ModifierI changed since the last successful Compile, throws ERegExpr.
class TRegExpr {
public:
    TRegExpr() = default;
    explicit TRegExpr(TRegExprEngine chosenEngine) : engine_(chosenEngine) {}

    std::string Expression;
    bool ModifierI = false; // ignore case

    void Compile();
    bool Exec(std::string_view subject) const;
    // Exec for a subject already passed through FoldCase (the same as Exec without ModifierI).
    bool ExecFolded(std::string_view foldedSubject) const;

    bool IsCompiled() const { return shape_ != TShape::None; }
    bool UsesDirectMatcher() const { return shape_ == TShape::Prefix || shape_ == TShape::Subsequence; }

    // Limits of the engine path. libstdc++'s regex recurses: while compiling,
    // once per term and per group level; while matching, once per automaton
    // state on the path, so a ".*" costs stack for every subject character it
    // consumes (measured: about 0.4 KB per character on Linux, 0.7 KB with the
    // Windows build) and a repeated group costs that per state inside it. Past
    // these limits Compile or Exec throws ERegExpr instead of overflowing a
    // 1 MB stack: in practice ".*"-patterns on the engine path serve subjects
    // up to about 500 bytes on Windows, more on Linux.
    static constexpr std::size_t MaxEnginePatternLength = 1000;
    static constexpr std::size_t MaxEngineGroupDepth = 100;
    static constexpr std::size_t MaxEngineStates = 1000;
    static constexpr std::size_t EngineStackAllowance = 384 * 1024;
    // The engine backtracks; ".*a.*a.*a.*!" takes time growing with a high
    // power of the subject length. Exec gives up after this many steps (a few
    // tens of milliseconds).
    static constexpr std::size_t MaxEngineSteps = 2'000'000;

private:
    enum class TShape { None, Prefix, Subsequence, Engine };

    TRegExprEngine engine_ = TRegExprEngine::Auto;
    TShape shape_ = TShape::None;
    std::string compiledExpression_;
    bool compiledModifierI_ = false;
    TDirectMatcher direct_;
    std::regex regex_;
    bool fromStartOnly_ = false; // the engine need not retry at later starts

    bool ExecEngine(std::string_view subject) const;
};
