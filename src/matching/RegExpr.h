#pragma once
#include <cstddef>
#include <regex>
#include <string>
#include <string_view>

#include "common/Exception.h"

// A pattern the engine refuses, or a text the engine cannot safely be run on.
// Derived from the system's Exception so the application's error report shows
// the message as it stands; what() of a refused pattern is the engine's own.
class ERegExpr : public Exception {
public:
    using Exception::Exception;
};

// Which matcher TRegExpr may use. StdRegexOnly exists so tests can compare the
// direct matcher with the engine on the same pattern.
enum class TRegExprEngine { Auto, StdRegexOnly };

// An ECMAScript regular expression (std::regex, classic locale: case folding is
// ASCII only, bytes >= 0x80 compare exactly) tested with search semantics: the
// pattern may match anywhere, "^" anchors at the start of the subject only.
// Unlike plain ECMAScript, "." matches every character, line breaks included.
//
// Patterns of the two shapes the incremental search builds from a typed text
// without pattern syntax ("^abc.*" and ".*a.*b.*c.*") are answered by a direct
// linear matcher that gives exactly the engine's answer.
//
// Usage: set Expression and ModifierI, call Compile, then Exec any number of
// times. Compile throws ERegExpr on a refused pattern and leaves the object
// uncompiled; Exec on an uncompiled object, or after Expression or ModifierI
// changed since the last successful Compile, throws ERegExpr.
class TRegExpr {
public:
    TRegExpr() = default;
    explicit TRegExpr(TRegExprEngine chosenEngine) : engine(chosenEngine) {}

    std::string Expression;
    bool ModifierI = false; // ignore case (ASCII letters)

    void Compile();
    bool Exec(std::string_view subject) const;

    bool IsCompiled() const { return shape != TShape::None; }
    bool UsesDirectMatcher() const { return shape == TShape::Prefix || shape == TShape::Subsequence; }

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

    TRegExprEngine engine = TRegExprEngine::Auto;
    TShape shape = TShape::None;
    std::string compiledExpression;
    bool compiledModifierI = false;
    std::string literal; // the typed text of a direct shape, folded when ModifierI
    std::regex regex;
    bool fromStartOnly = false; // the engine need not retry at later starts

    bool ExecEngine(std::string_view subject) const;
};
