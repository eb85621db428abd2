#include <gtest/gtest.h>

#include <random>
#include <string>

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

std::string RandomText(std::mt19937& random, const std::string& alphabet, std::size_t maxLength)
{
    std::uniform_int_distribution<std::size_t> length(0, maxLength);
    std::uniform_int_distribution<std::size_t> pick(0, alphabet.size() - 1);
    std::string text(length(random), ' ');
    for (char& c : text)
        c = alphabet[pick(random)];
    return text;
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
    EXPECT_EQ(SequencePattern("\\"), ".*\\.*");
    EXPECT_EQ(AnchoredPattern(""), "^.*");
    EXPECT_EQ(SequencePattern(""), ".*");
}

// The direct matcher must give the engine's answer for every plain typed text
// and subject; the alphabets are small so that about half the pairs match.
TEST(RegExprDirectMatcher, AgreesWithEngineOnRandomTypedTextsAndSubjects)
{
    const std::string typedAlphabet = std::string("aAbBzZ@` \xE9\xC9", 11) + std::string(1, '\0');
    const std::string subjectAlphabet = typedAlphabet + "\n\r\x80";
    std::mt19937 random(20240611);
    int matches = 0;
    int comparisons = 0;
    for (int round = 0; round < 4000; ++round) {
        const std::string typed = RandomText(random, typedAlphabet, 4);
        const std::string subject = RandomText(random, subjectAlphabet, 10);
        const bool ignoreCase = round % 4 != 0;
        for (const std::string& pattern : {AnchoredPattern(typed), SequencePattern(typed)}) {
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

TEST(RegExprDirectMatcher, IsChosenOnlyForPlainTypedTexts)
{
    EXPECT_TRUE(Compiled(AnchoredPattern("Notepad 2")).UsesDirectMatcher());
    EXPECT_TRUE(Compiled(SequencePattern("np2")).UsesDirectMatcher());
    for (const std::string typed : {"a.", "a*", "^a", "a$", "(a)", "[a]", "a|b", "a+", "a?", "\\d"}) {
        EXPECT_FALSE(Compiled(AnchoredPattern(typed)).UsesDirectMatcher()) << typed;
        EXPECT_FALSE(Compiled(SequencePattern(typed)).UsesDirectMatcher()) << typed;
    }
    EXPECT_FALSE(Compiled(AnchoredPattern("a{2}")).UsesDirectMatcher());
    EXPECT_FALSE(Compiled("^ab").UsesDirectMatcher());
    EXPECT_FALSE(Compiled(".*a.*b").UsesDirectMatcher());
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

TEST(RegExprCase, FoldsAsciiLettersOnlyAndOnlyWithModifierI)
{
    for (auto matches : {Matches, EngineMatches}) {
        EXPECT_TRUE(matches(AnchoredPattern("Ab"), "abacus", true));
        EXPECT_TRUE(matches(SequencePattern("Ab"), "xAxB", true));
        EXPECT_FALSE(matches(AnchoredPattern("Ab"), "abacus", false));
        EXPECT_TRUE(matches(AnchoredPattern("Ab"), "Abacus", false));
        EXPECT_FALSE(matches(AnchoredPattern("\xC4"), "\xE4", true)); // Latin-1 A/a umlaut
        EXPECT_FALSE(matches(SequencePattern("@"), "`", true));
    }
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

TEST(RegExprDot, MatchesLineBreaksAndEveryByte)
{
    for (const std::string& subject : {std::string("\n"), std::string("\r"), std::string(1, '\0'), std::string("\xFF"), std::string("x")})
        EXPECT_TRUE(Matches("^.$", subject)) << int(static_cast<unsigned char>(subject[0]));
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

TEST(RegExprErrors, RefusedPatternsRaiseTheEngineMessageAndLeaveNothingUsable)
{
    for (const std::string pattern : {"(", "[", "a{", "*a", "\\", "x{2,1}"}) {
        TRegExpr regex;
        regex.Expression = pattern;
        try {
            regex.Compile();
            ADD_FAILURE() << "accepted " << pattern;
        } catch (const ERegExpr& e) {
            EXPECT_STRNE(e.what(), "") << pattern;
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
    EXPECT_THROW(Compiled(SequencePattern("aaaaaaaaaaaaa.c")).Exec(std::string(40, 'a')), ERegExpr);
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
