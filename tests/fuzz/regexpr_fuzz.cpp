// Feeds arbitrary typed texts and subjects to TRegExpr. Where the direct matcher
// answers (a typed text of literals and dots, or any text taken as plain text) it must
// give the engine's answer; any typed text must end in an answer or ERegExpr, never a
// crash or another exception.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

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
        answer = regex.Exec(subject);
        return true;
    } catch (const ERegExpr&) {
        return false;
    }
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

    for (const std::string& pattern : {AnchoredPattern(typed), SequencePattern(typed), AnchoredPlainTextPattern(typed),
                                       SequencePlainTextPattern(typed)}) {
        bool direct = false;
        const bool directAnswered = Run(pattern, ignoreCase, TRegExprEngine::Auto, subject, direct);
        bool engine = false;
        if (!Run(pattern, ignoreCase, TRegExprEngine::StdRegexOnly, subject, engine))
            continue; // refused or too costly for the engine: nothing to compare
        if (!directAnswered || direct != engine)
            std::abort();
    }
    return 0;
}
