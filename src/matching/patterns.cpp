#include "matching/patterns.h"

#include <string_view>

#include "common/CaseFolding.h"
#include "matching/RegExpr.h"

namespace {

bool IsSyntax(char c)
{
    return std::string_view("^$\\.*+?()[]{}|").find(c) != std::string_view::npos;
}

// The typed text's characters, each as the pattern gets it.
template <class Visit>
void ForEachCharacter(const std::string& typed, bool escapeSyntax, Visit visit)
{
    for (std::size_t at = 0; at < typed.size();) {
        // A syntax byte is escaped alone, even with stray continuation bytes after it (a text
        // that is not UTF-8), so the plain-text pattern never holds it unescaped.
        if (escapeSyntax && IsSyntax(typed[at])) {
            visit(std::string{'\\', typed[at]});
            ++at;
            continue;
        }
        const std::size_t length = CharacterLength(typed, at);
        const std::string_view character(typed.data() + at, length);
        std::string unit;
        unit.append(character);
        visit(unit);
        at += length;
    }
}

std::string Anchored(const std::string& typed, bool escapeSyntax)
{
    std::string pattern = "^";
    ForEachCharacter(typed, escapeSyntax, [&pattern](const std::string& character) { pattern += character; });
    return pattern + ".*";
}

std::string Sequence(const std::string& typed, bool escapeSyntax)
{
    std::string pattern = ".*";
    pattern.reserve(2 + 3 * typed.size());
    ForEachCharacter(typed, escapeSyntax, [&pattern](const std::string& character) {
        pattern += character;
        pattern += ".*";
    });
    return pattern;
}

} // namespace

std::string AnchoredPattern(const std::string& typed)
{
    return Anchored(typed, false);
}

std::string SequencePattern(const std::string& typed)
{
    return Sequence(typed, false);
}

std::string AnchoredPlainTextPattern(const std::string& typed)
{
    return Anchored(typed, true);
}

std::string SequencePlainTextPattern(const std::string& typed)
{
    return Sequence(typed, true);
}

void CompileTypedPatterns(const std::string& typed, TRegExpr& anchored, TRegExpr& sequence)
{
    anchored.ModifierI = true;
    sequence.ModifierI = true;
    try {
        anchored.Expression = AnchoredPattern(typed);
        anchored.Compile();
        sequence.Expression = SequencePattern(typed);
        sequence.Compile();
    } catch (const ERegExprSyntax&) {
        anchored.Expression = AnchoredPlainTextPattern(typed);
        anchored.Compile();
        sequence.Expression = SequencePlainTextPattern(typed);
        sequence.Compile();
    }
}
