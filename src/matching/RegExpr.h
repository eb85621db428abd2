#pragma once
#include <memory>
#include <string>
#include <string_view>

#include "common/Exception.h"
#include "matching/DirectMatcher.h"

namespace re2 {
class RE2;
}

// A pattern that cannot be used. Derived from the system's Exception so the
// application's error report shows the message.
class ERegExpr : public Exception {
public:
    using Exception::Exception;
};

// A pattern that is not valid in the pattern syntax (an unmatched "(", a "*" with nothing
// to repeat, a back-reference, ...). The message is the engine's, naming the fault.
class ERegExprSyntax : public ERegExpr {
public:
    using ERegExpr::ERegExpr;
};

// Which matcher TRegExpr may use. EngineOnly exists so tests can compare the direct
// matcher with the engine on the same pattern.
enum class TRegExprEngine { Auto, EngineOnly };

// A regular expression in RE2's syntax (Perl-like, without back-references and
// look-around), tested with search semantics: the pattern may match anywhere, "^" anchors
// at the start of the subject only and "$" at its end. Texts are UTF-8: "." and classes
// match whole characters, and "." matches line breaks too. With ModifierI, case is ignored
// by Unicode's simple case folding (common/CaseFolding.h folds with the same table).
// Matching takes time linear in the subject for every pattern: the engine never backtracks.
//
// Patterns of the two shapes the incremental search builds from a typed text whose only
// pattern syntax is "." or a backslash before a syntax character ("^abc.*" and
// ".*a.*b.*c.*") are answered by a direct matcher, faster than the engine on them, that
// gives the engine's answer on every well-formed UTF-8 subject.
//
// Usage: set Expression and ModifierI, call Compile, then Exec any number of times.
// Compile throws ERegExprSyntax on an invalid pattern and leaves the object uncompiled;
// Exec on an uncompiled object, or after Expression or ModifierI changed since the last
// successful Compile, throws ERegExpr.
class TRegExpr {
public:
    TRegExpr();
    explicit TRegExpr(TRegExprEngine chosenEngine);
    ~TRegExpr();
    TRegExpr(TRegExpr&&) noexcept;
    TRegExpr& operator=(TRegExpr&&) noexcept;

    std::string Expression;
    bool ModifierI = false; // ignore case

    void Compile();
    bool Exec(std::string_view subject) const;
    // Exec for a subject already passed through FoldCase (the same as Exec without ModifierI).
    bool ExecFolded(std::string_view foldedSubject) const;

    bool IsCompiled() const { return shape_ != TShape::None; }
    bool UsesDirectMatcher() const { return shape_ == TShape::Prefix || shape_ == TShape::Subsequence; }

private:
    enum class TShape { None, Prefix, Subsequence, Engine };

    TRegExprEngine engine_ = TRegExprEngine::Auto;
    TShape shape_ = TShape::None;
    std::string compiledExpression_;
    bool compiledModifierI_ = false;
    TDirectMatcher direct_;
    std::unique_ptr<re2::RE2> regex_;
};
