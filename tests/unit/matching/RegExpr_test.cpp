#include <gtest/gtest.h>

#include <re2/unicode_casefold.h>

#include <chrono>
#include <cstdint>
#include <random>
#include <string>
#include <vector>

#include "common/CaseFolding.h"
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
    return Compiled(expression, ignoreCase, TRegExprEngine::EngineOnly).Exec(subject);
}

// The characters the property tests draw from, by script; each pool mixes cases and the
// characters whose folding is special, so that about half of the random pairs match.
const std::vector<std::vector<std::string>> Scripts = {
    {"a", "A", "b", "B", "z", "Z", "k", "K", "s", "S", "i", "I", " ", "@", "`"},
    {"\xC3\xA9" /* é */, "\xC3\x89" /* É */, "\xC3\xBC" /* ü */, "\xC3\x9C" /* Ü */, "e", "E", "u"},
    {"\xCE\xA3" /* Σ */, "\xCF\x83" /* σ */, "\xCF\x82" /* final ς */, "\xCE\xA9" /* Ω */, "\xCF\x89" /* ω */,
     "\xE2\x84\xA6" /* Ohm sign */, "\xCE\xB1" /* α */},
    {"\xD0\x96" /* Ж */, "\xD0\xB6" /* ж */, "\xD0\x81" /* Ё */, "\xD1\x91" /* ё */, "\xD0\xB0" /* а */,
     "\xD0\x90" /* А */},
    {"\xE1\xBA\x9E" /* ẞ */, "\xC3\x9F" /* ß */, "ss", "\xE2\x84\xAA" /* Kelvin sign */, "k", "K", "\xC4\xB0" /* İ */,
     "i", "I", "\xC4\xB1" /* dotless ı */, "\xC5\xBF" /* long ſ */, "s", "S", "\xE6\x97\xA5" /* 日 */},
};

// The next code point of r's case orbit in RE2's own table, as RE2's parser steps through it.
char32_t NextInRe2Orbit(char32_t r)
{
    const auto rune = static_cast<re2::Rune>(r);
    const re2::CaseFold* fold = re2::LookupCaseFold(re2::unicode_casefold, re2::num_unicode_casefold, rune);
    return fold == nullptr || rune < fold->lo ? r : static_cast<char32_t>(re2::ApplyFold(fold, rune));
}

std::string RandomText(std::mt19937& random, const std::vector<std::string>& pool, std::size_t maxLength)
{
    std::string text;
    for (std::size_t n = random() % (maxLength + 1); n > 0; --n)
        text += pool[random() % pool.size()];
    return text;
}

} // namespace

TEST(PatternBuilder, BuildsAnchoredAndSequencePatternsWithoutEscaping)
{
    EXPECT_EQ(AnchoredPattern("abc"), "^abc.*");
    EXPECT_EQ(SequencePattern("abc"), ".*a.*b.*c.*");
    EXPECT_EQ(AnchoredPattern("a b"), "^a b.*");
    EXPECT_EQ(SequencePattern("a b"), ".*a.* .*b.*");
    EXPECT_EQ(AnchoredPattern("\\"), "^\\.*");
    EXPECT_EQ(SequencePattern("\xC3\xA9t\xC3\xA9"), ".*\xC3\xA9.*t.*\xC3\xA9.*") << "whole characters, not bytes";
    EXPECT_EQ(AnchoredPlainTextPattern("a (b)."), "^a \\(b\\)\\..*");
    EXPECT_EQ(SequencePlainTextPattern("+x"), ".*\\+.*x.*");
    EXPECT_EQ(AnchoredPattern(""), "^.*");
    EXPECT_EQ(SequencePattern(""), ".*");
}

// The direct matcher must give RE2's answer for every typed text it takes (literal
// characters, "." for any one character, and the plain-text patterns' escapes) and every
// well-formed subject, case folded or not: ASCII, accented, Greek, Cyrillic, and the
// characters whose folding is special (ẞ and ß, the Kelvin and Ohm signs, final sigma, İ
// and ı, long s, which fold to another letter or to none).
TEST(RegExprDirectMatcher, AgreesWithRe2OnRandomTypedTextsAndNames)
{
    std::mt19937 random(20240611);
    int matches = 0;
    int comparisons = 0;
    for (int round = 0; round < 8000; ++round) {
        std::vector<std::string> pool = Scripts[round % Scripts.size()];
        pool.push_back(".");
        std::vector<std::string> subjectPool = pool;
        for (const char* extra : {"\n", "\xF0\x9F\x98\x80" /* an emoji */, "(", "+"})
            subjectPool.push_back(extra);
        if (round % 3 == 0)
            for (const char* syntax : {"(", "+", "\\", "[", "|"})
                pool.push_back(syntax);
        const std::string typed = RandomText(random, pool, 3);
        const std::string subject = RandomText(random, subjectPool, 10);
        const bool ignoreCase = round % 4 != 0;
        std::vector<std::string> patterns = {AnchoredPlainTextPattern(typed), SequencePlainTextPattern(typed)};
        if (typed.find_first_of("(+\\[|") == std::string::npos) {
            patterns.push_back(AnchoredPattern(typed));
            patterns.push_back(SequencePattern(typed));
        }
        for (const std::string& pattern : patterns) {
            const TRegExpr direct = Compiled(pattern, ignoreCase);
            ASSERT_TRUE(direct.UsesDirectMatcher()) << pattern;
            const TRegExpr engine = Compiled(pattern, ignoreCase, TRegExprEngine::EngineOnly);
            ASSERT_FALSE(engine.UsesDirectMatcher());
            const bool expected = engine.Exec(subject);
            ASSERT_EQ(direct.Exec(subject), expected)
                << "pattern \"" << pattern << "\" subject \"" << subject << "\" icase " << ignoreCase;
            // The search panel hands both matchers subjects folded beforehand.
            if (ignoreCase) {
                ASSERT_EQ(engine.ExecFolded(FoldCase(subject)), expected) << pattern << " / " << subject;
            }
            matches += expected;
            ++comparisons;
        }
    }
    // Both answers must be well represented for the comparison to mean anything.
    EXPECT_GT(matches, comparisons / 5);
    EXPECT_LT(matches, comparisons * 4 / 5);
}

// Two characters fold alike under the project's table exactly when RE2 takes them for the
// same letter in its case-insensitive mode: every code point's folding lies in its RE2 case
// orbit, and every member of an orbit folds to the same code point.
TEST(RegExprCase, ProjectFoldingTableAgreesWithRe2sCaseOrbits)
{
    int orbits = 0;
    const auto hex = [](char32_t c) { return static_cast<std::uint32_t>(c); };
    for (char32_t c = 0; c <= 0x10FFFF; ++c) {
        if (c >= 0xD800 && c <= 0xDFFF)
            continue;
        const char32_t folded = FoldCodePoint(c);
        bool foldInOrbit = folded == c;
        int size = 1;
        for (char32_t member = NextInRe2Orbit(c); member != c; member = NextInRe2Orbit(member)) {
            ASSERT_EQ(hex(FoldCodePoint(member)), hex(folded))
                << std::hex << "U+" << hex(c) << " and U+" << hex(member);
            foldInOrbit = foldInOrbit || member == folded;
            ASSERT_LT(++size, 8) << std::hex << "U+" << hex(c);
        }
        ASSERT_TRUE(foldInOrbit) << std::hex << "U+" << hex(c) << " folds to U+" << hex(folded) << " outside its orbit";
        orbits += size > 1 && folded == c;
    }
    EXPECT_GT(orbits, 1000) << "RE2's table is the whole of Unicode's simple case folding";
    EXPECT_EQ(hex(FoldCodePoint(0x1E9E)), 0xDFu); // ẞ → ß
    EXPECT_EQ(hex(FoldCodePoint(0x212A)), 0x6Bu); // Kelvin sign → k
    EXPECT_EQ(hex(FoldCodePoint(0x3C2)), 0x3C3u); // final sigma → σ
    EXPECT_EQ(hex(FoldCodePoint(0x130)), 0x130u); // İ has no simple folding
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
    EXPECT_FALSE(Compiled("^ab").UsesDirectMatcher());
    EXPECT_FALSE(Compiled(".*a.*b").UsesDirectMatcher());
}

TEST(RegExprDirectMatcher, DotStandsForOneWholeCharacter)
{
    for (auto matches : {Matches, EngineMatches}) {
        EXPECT_TRUE(matches(AnchoredPattern("p.t.o. 3"), "Python 3.12 (64-bit)", true));
        EXPECT_TRUE(matches(SequencePattern("p.t.o"), "Python 3.12 (64-bit)", true));
        EXPECT_FALSE(matches(SequencePattern("p.y.t.h.o.n"), "Python 3.12 (64-bit)", true)) << "a dot takes one";
        EXPECT_TRUE(matches(AnchoredPattern("r.sum."), "R\xC3\xA9sum\xC3\xA9 Builder", true)); // Résumé
        EXPECT_FALSE(matches(AnchoredPattern("r..sum"), "R\xC3\xA9sum\xC3\xA9", true));
        EXPECT_TRUE(matches(AnchoredPattern(".."), "\xE6\x97\xA5\xE6\x9C\xAC", true)); // 日本
        EXPECT_FALSE(matches(SequencePattern(".."), "\xF0\x9F\x98\x80", true));        // one emoji is one character
        EXPECT_TRUE(matches(SequencePattern("a.b"), "a\nb", true));                    // line breaks too
    }
}

TEST(RegExprCase, FoldsEveryLetterOfTextAndPatternOnlyWithModifierI)
{
    const struct {
        std::string pattern, subject;
        bool ignoreCase, expected;
    } cases[] = {
        {AnchoredPattern("Ab"), "abacus", true, true},
        {SequencePattern("Ab"), "xAxB", true, true},
        {AnchoredPattern("Ab"), "abacus", false, false},
        {AnchoredPattern("Ab"), "Abacus", false, true},
        {AnchoredPattern("\xC3\xBC"), "\xC3\x9C" "ber", true, true},   // ü finds Über
        {AnchoredPattern("\xCF\x89"), "\xCE\xA9" "mega", true, true},  // ω finds Ωmega
        {SequencePattern("\xC3\xA9"), "\xC3\x89" "cole", true, true},  // é finds École
        {AnchoredPattern("\xC3\xBC"), "\xC3\x9C" "ber", false, false},
        {SequencePattern("@"), "`", true, false},
    };
    for (auto matches : {Matches, EngineMatches})
        for (const auto& c : cases)
            EXPECT_EQ(matches(c.pattern, c.subject, c.ignoreCase), c.expected) << c.pattern << " on " << c.subject;
    // Classes fold too, and escapes are not letters to fold: \S is "not a blank".
    EXPECT_TRUE(Matches("^a\\S", "ab"));
    EXPECT_FALSE(Matches("^a\\S", "a "));
    EXPECT_TRUE(Matches("^[\xC3\x9C]", "\xC3\xBC"));
    EXPECT_TRUE(Matches("^[a-z]+$", "\xE2\x84\xAA"
                                    "elvin")); // the Kelvin sign is a k
    // Not UTF-8 (a text of an older code page): compared byte for byte, by the direct matcher.
    EXPECT_FALSE(Matches(AnchoredPattern("\xC4"), "\xE4"));
    EXPECT_TRUE(Matches(AnchoredPattern("\xC4"), "\xC4"));
}

TEST(RegExprSearch, MatchesAnywhereButCaretAndDollarAnchorAtSubjectEnds)
{
    EXPECT_TRUE(Matches("b", "abc"));
    EXPECT_FALSE(Matches("^b", "abc"));
    EXPECT_FALSE(Matches("^b", "a\nb"));
    EXPECT_FALSE(Matches("a$", "a\nb"));
    EXPECT_TRUE(Matches("b$", "a\nb"));
    EXPECT_TRUE(Matches(AnchoredPattern("ab"), "abc\n"));
    EXPECT_FALSE(Matches(AnchoredPattern("bc"), "abc"));
    EXPECT_TRUE(Matches(SequencePattern("a|b"), "xxb"));
    EXPECT_FALSE(Matches(".*(a|b)c", "xxbd"));
    EXPECT_TRUE(Matches(".*\\bword", "a word"));
    EXPECT_FALSE(Matches(".*\\bword", "aword"));
    EXPECT_TRUE(Matches("^[^]]$", "a")) << "a ']' first in a class is a member";
    EXPECT_TRUE(Matches("^[[:alpha:].]$", "."));
    for (auto matches : {Matches, EngineMatches}) {
        EXPECT_TRUE(matches(AnchoredPattern(""), "", true));
        EXPECT_TRUE(matches(SequencePattern(""), "", true));
        EXPECT_FALSE(matches(SequencePattern("a"), "", true));
    }
    for (const std::string& pattern : {AnchoredPattern("\\"), SequencePattern("\\")})
        for (const std::string subject : {"", "abc", "...", "\\", "\n"})
            EXPECT_TRUE(Matches(pattern, subject)) << "a lone typed backslash: " << pattern << " / " << subject;
}

// RE2 names the fault; what its syntax lacks (back-references, look-around) is a fault too.
TEST(RegExprErrors, InvalidPatternsRaiseTheEnginesTextAndLeaveNothingUsable)
{
    const struct {
        const char* pattern;
        const char* names;
    } cases[] = {
        {"(", "missing )"},
        {"a)", "unexpected )"},
        {"[", "missing ]"},
        {"*a", "no argument for repetition"},
        {"c++", "bad repetition operator"},
        {"x{2,1}", "invalid repetition size"},
        {"a{1001}", "invalid repetition size"},
        {"\\", "trailing \\"},
        {"[z-a]", "invalid character class range"},
        {"(a)\\1", "invalid escape sequence"},
        {"(?=a)", "invalid perl operator"},
        {"(?<!a)b", "invalid perl operator"},
        {"\xE9", "invalid UTF-8"},
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
    TRegExpr regex = Compiled("abc");
    regex.Expression = "(";
    EXPECT_THROW(regex.Compile(), ERegExpr);
    EXPECT_THROW(regex.Exec("abc"), ERegExpr) << "a failed compile disables the previous pattern";
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

// What used to exhaust the backtracking engine's budget or stack is answered, in time
// linear in the subject: nested repetitions, long subjects, deep groups.
TEST(RegExprCost, EveryPatternRunsInLinearTimeOnLongSubjects)
{
    const std::string xs(100'000, 'x');
    const auto start = std::chrono::steady_clock::now();
    EXPECT_FALSE(Matches("(x|x)*y", std::string(300, 'x')));
    EXPECT_FALSE(Matches(SequencePattern("aaaaaaaaaaaaa[.]c"), std::string(40, 'a')));
    EXPECT_TRUE(Matches(SequencePattern("aaaaaaaaaa(b)"), std::string(15, 'a') + " 1234b"));
    EXPECT_FALSE(Matches(".*a.*a.*a.*a.*a.*a.*a.*a.*a.*a.*(.*b.*).*", std::string(1023, 'a')));
    EXPECT_TRUE(Matches("(((((.)))))*$", std::string(5000, 'x')));
    EXPECT_FALSE(Matches(".*y", xs));
    EXPECT_TRUE(Matches(std::string(300, '(') + "x" + std::string(300, ')'), xs));
    const std::string title = std::string(1000, 'x') + "Report.docx - Word";
    EXPECT_TRUE(Matches(SequencePattern("r(e|o)p[o]rt"), title));
    EXPECT_TRUE(Matches(AnchoredPattern("x+r"), title));
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(5)) << "even under the sanitizers";
}
