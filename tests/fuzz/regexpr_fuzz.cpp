// Feeds arbitrary typed texts and subjects to the search's patterns. Any typed text must
// compile (as a pattern, or else as plain text) and answer every subject, never raise or
// crash; where the direct matcher answers (a typed text of literals and dots, or any text
// taken as plain text) on well-formed UTF-8, it must give RE2's answer.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "common/CaseFolding.h"
#include "matching/RegExpr.h"
#include "matching/patterns.h"

namespace {

bool Run(const std::string& pattern, bool ignoreCase, TRegExprEngine engine, const std::string& subject, bool& answer)
{
    TRegExpr regex(engine);
    regex.Expression = pattern;
    regex.ModifierI = ignoreCase;
    try {
        regex.Compile();
    } catch (const ERegExprSyntax&) {
        return false;
    }
    answer = regex.Exec(subject);
    return true;
}

} // namespace

// Layout: first byte = options (bit 0: ignore case), second byte = typed
// length, then the typed text, then the subject.
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    if (size < 2)
        return 0;
    const bool ignoreCase = (data[0] & 1) != 0;
    const std::size_t typedLength = std::min<std::size_t>(data[1], size - 2);
    const char* text = reinterpret_cast<const char*>(data + 2);
    const std::string typed(text, typedLength);
    const std::string subject(text + typedLength, size - 2 - typedLength);

    TRegExpr anchored;
    TRegExpr sequence;
    CompileTypedPatterns(typed, anchored, sequence); // never throws
    anchored.Exec(subject);
    sequence.Exec(subject);

    const bool wellFormed = IsWellFormedUtf8(typed) && IsWellFormedUtf8(subject);
    for (const std::string& pattern : {AnchoredPattern(typed), SequencePattern(typed), AnchoredPlainTextPattern(typed),
                                       SequencePlainTextPattern(typed)}) {
        bool direct = false;
        const bool directAnswered = Run(pattern, ignoreCase, TRegExprEngine::Auto, subject, direct);
        TRegExpr probe;
        probe.Expression = pattern;
        try {
            probe.Compile();
        } catch (const ERegExprSyntax&) {
        }
        bool engine = false;
        if (!probe.UsesDirectMatcher() || !wellFormed ||
            !Run(pattern, ignoreCase, TRegExprEngine::EngineOnly, subject, engine))
            continue;
        if (!directAnswered || direct != engine)
            std::abort();
    }
    return 0;
}
