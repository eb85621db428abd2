#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

#include "matching/RegExpr.h"
#include "matching/patterns.h"

namespace {

TRegExpr Compiled(const std::string& expression, bool ignoreCase = true,
                  TRegExprEngine engine = TRegExprEngine::Auto)
{
    TRegExpr regex(engine);
    regex.Expression = expression;
    regex.ModifierI = ignoreCase;
    regex.Compile();
    return regex;
}

bool Matches(const std::string& expression, const std::string& subject, bool ignoreCase = true)
{
    return Compiled(expression, ignoreCase).Exec(subject);
}

bool EngineMatches(const std::string& expression, const std::string& subject, bool ignoreCase = true)
{
    return Compiled(expression, ignoreCase, TRegExprEngine::StdRegexOnly).Exec(subject);
}

} // namespace

TEST(PatternBuilder, BuildsAnchoredAndSequencePatternsWithoutEscaping)
{
    EXPECT_EQ(AnchoredPattern("abc"), "^abc.*");
    EXPECT_EQ(SequencePattern("abc"), ".*a.*b.*c.*");
    EXPECT_EQ(AnchoredPattern("x"), "^x.*");
    EXPECT_EQ(SequencePattern("x"), ".*x.*");
    EXPECT_EQ(AnchoredPattern("a b"), "^a b.*");
    EXPECT_EQ(SequencePattern("a b"), ".*a.* .*b.*");
    EXPECT_EQ(AnchoredPattern("\\"), "^\\.*");
    EXPECT_EQ(SequencePattern("\xC3\xA9t\xC3\xA9"), ".*\xC3\xA9.*t.*\xC3\xA9.*") << "whole characters, not bytes";
    EXPECT_EQ(AnchoredPlainTextPattern("a (b)."), "^a \\(b\\)\\..*");
    EXPECT_EQ(SequencePlainTextPattern("+x"), ".*\\+.*x.*");
    EXPECT_EQ(SequencePattern("\\"), ".*\\.*");
    EXPECT_EQ(AnchoredPattern(""), "^.*");
    EXPECT_EQ(SequencePattern(""), ".*");
}

// The direct matcher must give the engine's answer for every typed text it takes
// (literal characters, "." for any one character, and the plain-text patterns' escapes)
// and every subject, case folded or not. The alphabets are small so that about half the
// pairs match; they hold multi-byte characters in both cases, a stray continuation byte
// and a lead byte without its continuation, so that "one character" is put to the test.
TEST(RegExprDirectMatcher, AgreesWithEngineOnRandomTypedTextsAndSubjects)
{
    const std::vector<std::string> typedAlphabet = {
        "a", "A", "b", "B", "z", "@", "`", " ", ".", ".", "\xC3\xA9" /* é */, "\xC3\x89" /* É */,
        "\xCE\xA9" /* Ω */, "\xCF\x89" /* ω */, "\xE2\x84\xAA" /* Kelvin sign */, "k", "\xE6\x97\xA5" /* 日 */,
        std::string(1, '\0'), "(", "+", "\xE9"};
    std::vector<std::string> subjectAlphabet = typedAlphabet;
    for (const char* extra : {"\n", "\r", "\x80", "\xA9", "\xF0\x9F\x98\x80" /* an emoji */})
        subjectAlphabet.push_back(extra);
    const auto randomText = [](std::mt19937& random, const std::vector<std::string>& alphabet, std::size_t maxLength) {
        std::string text;
        for (std::size_t n = random() % (maxLength + 1); n > 0; --n)
            text += alphabet[random() % alphabet.size()];
        return text;
    };
    std::mt19937 random(20240611);
    int matches = 0;
    int comparisons = 0;
    for (int round = 0; round < 6000; ++round) {
        const std::string typed = randomText(random, typedAlphabet, 4);
        const std::string subject = randomText(random, subjectAlphabet, 10);
        const bool ignoreCase = round % 4 != 0;
        std::vector<std::string> patterns = {AnchoredPlainTextPattern(typed), SequencePlainTextPattern(typed)};
        if (typed.find_first_of("(+") == std::string::npos) {
            patterns.push_back(AnchoredPattern(typed));
            patterns.push_back(SequencePattern(typed));
        }
        for (const std::string& pattern : patterns) {
            const TRegExpr direct = Compiled(pattern, ignoreCase);
            ASSERT_TRUE(direct.UsesDirectMatcher()) << pattern;
            const TRegExpr engine = Compiled(pattern, ignoreCase, TRegExprEngine::StdRegexOnly);
            ASSERT_FALSE(engine.UsesDirectMatcher());
            const bool expected = engine.Exec(subject);
            ASSERT_EQ(direct.Exec(subject), expected)
                << "pattern \"" << pattern << "\" subject \"" << subject << "\" icase " << ignoreCase;
            matches += expected;
            ++comparisons;
        }
    }
    // Both answers must be well represented for the comparison to mean anything.
    EXPECT_GT(matches, comparisons / 5);
    EXPECT_LT(matches, comparisons * 4 / 5);
}

TEST(RegExprDirectMatcher, IsChosenForLiteralsDotsAndEscapedSyntaxOnly)
{
    for (const std::string typed : {"Notepad 2", "p.y.t.h.o.n", ".", "\xC3\x9C" "ber"}) {
        EXPECT_TRUE(Compiled(AnchoredPattern(typed)).UsesDirectMatcher()) << typed;
        EXPECT_TRUE(Compiled(SequencePattern(typed)).UsesDirectMatcher()) << typed;
    }
    EXPECT_TRUE(Compiled(AnchoredPlainTextPattern("Tool (x86) [a]*+?{|}^$\\")).UsesDirectMatcher());
    EXPECT_TRUE(Compiled(SequencePlainTextPattern("Tool (x86) [a]*+?{|}^$\\")).UsesDirectMatcher());
    for (const std::string typed : {"^a", "a$", "(a)", "[a]", "a|b", "a?", "\\d", "\\"}) {
        EXPECT_FALSE(Compiled(AnchoredPattern(typed)).UsesDirectMatcher()) << typed;
        EXPECT_FALSE(Compiled(SequencePattern(typed)).UsesDirectMatcher()) << typed;
    }
    // A typed "*" or "+" repeats a ".*" in the sequence pattern: no valid pattern there.
    for (const std::string typed : {"a*", "a+"}) {
        EXPECT_FALSE(Compiled(AnchoredPattern(typed)).UsesDirectMatcher()) << typed;
        EXPECT_THROW(Compiled(SequencePattern(typed)), ERegExprSyntax) << typed;
    }
    EXPECT_FALSE(Compiled(AnchoredPattern("a{2}")).UsesDirectMatcher());
    EXPECT_FALSE(Compiled("^ab").UsesDirectMatcher());
    EXPECT_FALSE(Compiled(".*a.*b").UsesDirectMatcher());
}

// Dotted typed texts used to spend the engine's whole budget backtracking through
// ".*" next to "."; taken directly, they cost one pass over each name.
TEST(RegExprDirectMatcher, DotStandsForOneWholeCharacterWithoutBacktracking)
{
    const std::string subject = std::string(60, 'p') + "ython";
    EXPECT_TRUE(Compiled(AnchoredPattern("p.t.o. 3")).Exec("Python 3.12 (64-bit)"));
    EXPECT_TRUE(Compiled(SequencePattern("p.t.o")).Exec("Python 3.12 (64-bit)"));
    EXPECT_FALSE(Compiled(SequencePattern("p.y.t.h.o.n")).Exec("Python 3.12 (64-bit)")) << "each dot takes a character";
    EXPECT_FALSE(Compiled(SequencePattern("p.y.t.h.o.n")).Exec(subject));
    EXPECT_TRUE(Compiled(AnchoredPattern("r.sum.")).Exec("R\xC3\xA9sum\xC3\xA9 Builder")); // Résumé
    EXPECT_FALSE(Compiled(AnchoredPattern("r..sum")).Exec("R\xC3\xA9sum\xC3\xA9"));
    EXPECT_TRUE(Compiled(AnchoredPattern("..")).Exec("\xE6\x97\xA5\xE6\x9C\xAC")); // 日本
    EXPECT_FALSE(Compiled(SequencePattern("..")).Exec("\xF0\x9F\x98\x80")); // one emoji is one character
}

TEST(RegExprDirectMatcher, AnswersRepetitiveTypedTextsWithoutBacktracking)
{
    const std::string typed = "aaaaaaaaaaaaaaac";
    const std::string subject(40, 'a');
    const TRegExpr sequence = Compiled(SequencePattern(typed));
    ASSERT_TRUE(sequence.UsesDirectMatcher());
    EXPECT_FALSE(sequence.Exec(subject));
    EXPECT_TRUE(sequence.Exec(subject + "C"));
    EXPECT_FALSE(Compiled(AnchoredPattern(typed)).Exec(subject));
    EXPECT_TRUE(Compiled(AnchoredPattern(typed)).Exec("aaaaaaaaaaaaaaAcX"));
}

TEST(RegExprCase, FoldsEveryLetterOfTextAndPatternOnlyWithModifierI)
{
    for (auto matches : {Matches, EngineMatches}) {
        EXPECT_TRUE(matches(AnchoredPattern("Ab"), "abacus", true));
        EXPECT_TRUE(matches(SequencePattern("Ab"), "xAxB", true));
        EXPECT_FALSE(matches(AnchoredPattern("Ab"), "abacus", false));
        EXPECT_TRUE(matches(AnchoredPattern("Ab"), "Abacus", false));
        EXPECT_TRUE(matches(AnchoredPattern("\xC3\xBC"), "\xC3\x9C" "ber", true));     // ü finds Über
        EXPECT_TRUE(matches(AnchoredPattern("\xCF\x89"), "\xCE\xA9" "mega", true));    // ω finds Ωmega
        EXPECT_TRUE(matches(SequencePattern("\xC3\xA9"), "\xC3\x89" "cole", true));    // é finds École
        EXPECT_TRUE(matches(AnchoredPattern("\xC3\x89"), "\xC3\xA9" "cole", true));    // and É école
        EXPECT_FALSE(matches(AnchoredPattern("\xC3\xBC"), "\xC3\x9C" "ber", false));
        EXPECT_FALSE(matches(AnchoredPattern("\xC4"), "\xE4", true)); // not UTF-8: bytes compare as they are
        EXPECT_FALSE(matches(SequencePattern("@"), "`", true));
    }
    // Escapes are not letters to fold: \S is "not a blank", \s "a blank".
    EXPECT_TRUE(Matches("^a\\S", "ab"));
    EXPECT_FALSE(Matches("^a\\S", "a "));
    EXPECT_TRUE(Matches("^[\xC3\x9C]", "\xC3\xBC")); // a bracket's letters fold too
}

TEST(RegExprSearch, MatchesAnywhereButCaretAnchorsAtSubjectStartOnly)
{
    EXPECT_TRUE(Matches("b", "abc"));
    EXPECT_FALSE(Matches("^b", "abc"));
    EXPECT_FALSE(Matches("^b", "a\nb"));
    EXPECT_FALSE(Matches("a$", "a\nb"));
    EXPECT_TRUE(Matches("b$", "a\nb"));
    EXPECT_TRUE(Matches(AnchoredPattern("ab"), "abc\n"));
    EXPECT_FALSE(Matches(AnchoredPattern("bc"), "abc"));
}

TEST(RegExprSearch, EmptySubjectMatchesOnlyPatternsThatAcceptNothing)
{
    for (auto matches : {Matches, EngineMatches}) {
        EXPECT_TRUE(matches(AnchoredPattern(""), "", true));
        EXPECT_TRUE(matches(SequencePattern(""), "", true));
        EXPECT_FALSE(matches(AnchoredPattern("a"), "", true));
        EXPECT_FALSE(matches(SequencePattern("a"), "", true));
    }
}

// A leading ".*" lets the engine try a single start; that must not hide a
// match of another top-level alternative.
TEST(RegExprSearch, TypedAlternativesStillMatchAnywhere)
{
    EXPECT_TRUE(Matches(SequencePattern("a|b"), "xxb"));
    EXPECT_TRUE(Matches(".*a|b", "xxb"));
    EXPECT_FALSE(Matches(".*(a|b)c", "xxbd"));
    EXPECT_TRUE(Matches(".*(a|b)c", "xxbc"));
    EXPECT_TRUE(Matches(".*\\bword", "a word"));
    EXPECT_FALSE(Matches(".*\\bword", "aword"));
    EXPECT_FALSE(Matches(".*^b", "ab"));
}

TEST(RegExprDot, MatchesLineBreaksAndEveryCharacter)
{
    for (const std::string& subject : {std::string("\n"), std::string("\r"), std::string(1, '\0'), std::string("\xFF"),
                                       std::string("x"), std::string("\xC3\xA9"), std::string("\xE6\x97\xA5"),
                                       std::string("\xF0\x9F\x98\x80"), std::string("\x80\x80")})
        EXPECT_TRUE(Matches("^.$", subject)) << subject;
    EXPECT_FALSE(Matches("^..$", "\xC3\xA9"));
    EXPECT_TRUE(Matches("^.{2}$", "a\xC3\xA9"));
    EXPECT_TRUE(Matches(SequencePattern("a.b"), "a\nb"));
    EXPECT_TRUE(Matches(AnchoredPattern("a.b"), "a\nb\r\n"));
    EXPECT_FALSE(Matches("^a.b$", "a\r\nb"));
    EXPECT_TRUE(Matches("^a.{2}b$", "a\r\nb"));
}

TEST(RegExprDot, StaysLiteralWhereThePatternSaysSo)
{
    EXPECT_FALSE(Matches("\\.", "x"));
    EXPECT_TRUE(Matches("\\.", "."));
    EXPECT_FALSE(Matches("[.]", "x"));
    EXPECT_TRUE(Matches("[.]", "."));
    EXPECT_FALSE(Matches("[\\].]", "x"));
    EXPECT_TRUE(Matches("[\\].]", "]"));
    // libstdc++'s "\c" takes the next character, whatever it is, as a literal.
    EXPECT_FALSE(Matches("\\c.", "x"));
    EXPECT_TRUE(Matches("\\c.", "."));
    // libstdc++ closes a bracket at the first "]": "[^]]" is "any character" then "]".
    EXPECT_TRUE(Matches("^[^]]$", "\n]"));
    EXPECT_FALSE(Matches("^[^]]$", "a"));
    EXPECT_TRUE(Matches("^[[:alpha:].]$", "."));
    EXPECT_FALSE(Matches("^[[:alpha:].]$", "1"));
}

TEST(RegExprBackslash, LoneTypedBackslashMatchesEverySubject)
{
    for (const std::string& pattern : {AnchoredPattern("\\"), SequencePattern("\\")}) {
        const TRegExpr regex = Compiled(pattern);
        for (const std::string subject : {"", "abc", "...", "\\", "\n"})
            EXPECT_TRUE(regex.Exec(subject)) << pattern << " / " << subject;
    }
}

TEST(RegExprErrors, InvalidPatternsRaiseATextNamingTheFaultAndLeaveNothingUsable)
{
    const struct {
        const char* pattern;
        const char* names;
    } cases[] = {
        {"(", "'('"},          {"a)", "')'"},         {"[", "'['"},          {"{", "'{'"},
        {"a{", "'{'"},         {"x{2,1}", "count"},   {"*a", "nothing before it"},
        {"(*)", "nothing before it"}, {"c++", "nothing before it"}, {"a*??", "nothing before it"}, {"\\", "escape"},       {"[z-a]", "range"},
    };
    for (const auto& c : cases) {
        TRegExpr regex;
        regex.Expression = c.pattern;
        try {
            regex.Compile();
            ADD_FAILURE() << "accepted " << c.pattern;
        } catch (const ERegExprSyntax& e) {
            EXPECT_NE(std::string(e.what()).find(c.names), std::string::npos) << c.pattern << ": " << e.what();
        }
        EXPECT_FALSE(regex.IsCompiled());
        EXPECT_THROW(regex.Exec("abc"), ERegExpr);
    }
}

TEST(RegExprErrors, FailedRecompileDisablesThePreviousPattern)
{
    TRegExpr regex = Compiled("abc");
    regex.Expression = "(";
    EXPECT_THROW(regex.Compile(), ERegExpr);
    EXPECT_THROW(regex.Exec("abc"), ERegExpr);
}

TEST(RegExprErrors, ExecRefusesUncompiledOrChangedExpression)
{
    TRegExpr regex;
    regex.Expression = "a";
    EXPECT_THROW(regex.Exec("a"), ERegExpr);
    regex.Compile();
    EXPECT_TRUE(regex.Exec("a"));
    regex.Expression = "b";
    EXPECT_THROW(regex.Exec("a"), ERegExpr);
    regex.Compile();
    regex.ModifierI = true;
    EXPECT_THROW(regex.Exec("B"), ERegExpr);
}

// Patterns that would overflow the stack or backtrack for ages must end in a
// clear error instead.
TEST(RegExprErrors, CostlyPatternsRaiseInsteadOfCrashingOrHanging)
{
    EXPECT_THROW(Compiled("a{100000}"), ERegExpr);
    EXPECT_THROW(Compiled("((a{100}){100}){100}"), ERegExpr);
    EXPECT_THROW(Compiled(std::string(300, '(') + "a" + std::string(300, ')')), ERegExpr);
    std::string manyGroups;
    for (int i = 0; i < 600; ++i)
        manyGroups += "()";
    EXPECT_THROW(Compiled(manyGroups), ERegExpr);

    EXPECT_THROW(Compiled("(x|x)*y").Exec(std::string(300, 'x')), ERegExpr);
    EXPECT_THROW(Compiled(SequencePattern("aaaaaaaaaaaaa[.]c")).Exec(std::string(40, 'a')), ERegExpr);
    EXPECT_THROW(Compiled("(((((.)))))*$").Exec(std::string(5000, 'x')), ERegExpr);
    EXPECT_THROW(Compiled(".*y").Exec(std::string(100000, 'x')), ERegExpr);
}

TEST(RegExprErrors, OrdinarySubjectsStayWithinTheEngineLimits)
{
    const std::string title = std::string(100, 'x') + "Report.docx - Word";
    EXPECT_TRUE(Compiled(SequencePattern("r.d")).Exec(title));
    EXPECT_FALSE(Compiled(SequencePattern("q.d")).Exec(title));
    EXPECT_TRUE(Compiled(AnchoredPattern("x+r")).Exec(title));
}
