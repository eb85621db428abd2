// Measures, under Wine or on Windows, what the catalogue's locale-aware comparison
// costs (CompareStringA, user default locale, ignoring case) and whether sort keys
// computed once per entry (LCMapStringA with LCMAP_SORTKEY) give the same order faster.
// Run by hand: wine compare_string_cost.exe [entries]
#include <windows.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <numeric>
#include <random>
#include <string>
#include <vector>

#include "platform/win32/Locale.h"

namespace {

using Clock = std::chrono::steady_clock;

double MillisecondsSince(Clock::time_point start)
{
    return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
}

int CompareLocale(const std::string& a, const std::string& b)
{
    return CompareStringA(LOCALE_USER_DEFAULT, NORM_IGNORECASE, a.c_str(), static_cast<int>(a.size()), b.c_str(),
                          static_cast<int>(b.size())) - CSTR_EQUAL;
}

std::string SortKey(const std::string& text)
{
    const DWORD flags = LCMAP_SORTKEY | NORM_IGNORECASE;
    const int size = LCMapStringA(LOCALE_USER_DEFAULT, flags, text.c_str(), static_cast<int>(text.size()), nullptr, 0);
    std::string key(static_cast<std::size_t>(size > 0 ? size : 0), '\0');
    if (size > 0)
        LCMapStringA(LOCALE_USER_DEFAULT, flags, text.c_str(), static_cast<int>(text.size()), key.data(), size);
    return key; // bytes compared with memcmp; ends in a NUL
}

// Catalogue-like texts: words of mixed case, digits, punctuation, blanks, some names
// repeated in other letter case and some with an abbreviation appended.
std::vector<std::string> MakeTexts(std::size_t count)
{
    static const char* const words[] = {"Notepad", "Microsoft", "Office", "Word", "excel", "Uninstall", "Readme",
                                        "Setup", "Help", "Visual", "Studio", "Tools", "media", "Player", "Adobe",
                                        "Reader", "7-Zip", "co-op", "Paint", "it's", "Internet", "Explorer",
                                        "Command", "Prompt", "Release", "Notes", "\xC4rger", "\xD6" "ffnen", "zebra"};
    std::mt19937 random(12345);
    std::uniform_int_distribution<std::size_t> pickWord(0, std::size(words) - 1);
    std::uniform_int_distribution<int> pickCount(1, 4);
    std::uniform_int_distribution<int> pickNumber(0, 999);
    std::vector<std::string> texts;
    texts.reserve(count);
    while (texts.size() < count) {
        std::string text;
        for (int n = pickCount(random); n > 0; --n)
            text += std::string(text.empty() ? "" : " ") + words[pickWord(random)];
        if (pickNumber(random) % 3 == 0) {
            text += ' ';
            text += std::to_string(pickNumber(random));
        }
        if (pickNumber(random) % 7 == 0)
            text += " - np";
        texts.push_back(text);
        if (pickNumber(random) % 10 == 0 && texts.size() < count) {
            std::string upper = text;
            for (char& c : upper)
                if (c >= 'a' && c <= 'z')
                    c = static_cast<char>(c - 'a' + 'A');
            texts.push_back(upper);
        }
    }
    return texts;
}

} // namespace

int main(int argc, char** argv)
{
    const std::size_t count = argc > 1 ? std::strtoul(argv[1], nullptr, 10) : 100000;
    const std::vector<std::string> texts = MakeTexts(count);

    // 1. One comparison, on pairs that share prefixes as sorted neighbours do.
    const std::size_t pairs = 200000;
    volatile int sink = 0;
    auto start = Clock::now();
    for (std::size_t n = 0; n < pairs; ++n)
        sink = sink + CompareLocale(texts[n % count], texts[(n * 7919 + 1) % count]);
    const double compareNs = MillisecondsSince(start) * 1e6 / static_cast<double>(pairs);

    // 1b. The platform's comparison: converted with the process's code page, compared in UTF-16.
    platform::win32::Locale locale;
    start = Clock::now();
    for (std::size_t n = 0; n < pairs; ++n)
        sink = sink + locale.CompareText(texts[n % count], texts[(n * 7919 + 1) % count]);
    const double platformNs = MillisecondsSince(start) * 1e6 / static_cast<double>(pairs);

    // 2. Sorting with the comparison itself.
    std::vector<std::size_t> byCompare(count);
    std::iota(byCompare.begin(), byCompare.end(), 0);
    std::size_t compares = 0;
    start = Clock::now();
    std::stable_sort(byCompare.begin(), byCompare.end(), [&](std::size_t a, std::size_t b) {
        ++compares;
        return CompareLocale(texts[a], texts[b]) < 0;
    });
    const double sortByCompareMs = MillisecondsSince(start);

    // 3. Sort keys once per entry, then byte comparison.
    std::vector<std::size_t> byKey(count);
    std::iota(byKey.begin(), byKey.end(), 0);
    start = Clock::now();
    std::vector<std::string> keys;
    keys.reserve(count);
    for (const std::string& text : texts)
        keys.push_back(SortKey(text));
    const double keysMs = MillisecondsSince(start);
    std::stable_sort(byKey.begin(), byKey.end(), [&](std::size_t a, std::size_t b) { return keys[a] < keys[b]; });
    const double sortByKeyMs = MillisecondsSince(start);

    // 4. Same order? Positions may differ only where the comparison calls two texts equal.
    std::size_t differing = 0;
    std::size_t firstDifference = count;
    for (std::size_t n = 0; n < count; ++n)
        if (byCompare[n] != byKey[n] && CompareLocale(texts[byCompare[n]], texts[byKey[n]]) != 0) {
            if (differing++ == 0)
                firstDifference = n;
        }
    std::size_t keyDisagreements = 0;
    for (std::size_t n = 0; n < pairs; ++n) {
        const std::size_t a = n % count, b = (n * 7919 + 1) % count;
        const int byCmp = CompareLocale(texts[a], texts[b]);
        const int byKeyCmp = keys[a] < keys[b] ? -1 : (keys[b] < keys[a] ? 1 : 0);
        if ((byCmp < 0) != (byKeyCmp < 0) || (byCmp == 0) != (byKeyCmp == 0))
            ++keyDisagreements;
    }

    std::printf("entries: %zu\n", count);
    std::printf("CompareStringA: %.0f ns per comparison (%zu pairs)\n", compareNs, pairs);
    std::printf("Locale::CompareText (code page to UTF-16, CompareStringW): %.0f ns per comparison\n", platformNs);
    std::printf("stable sort with CompareStringA: %.1f ms, %zu comparisons\n", sortByCompareMs, compares);
    std::printf("sort keys: %.1f ms to compute, %.1f ms including the sort\n", keysMs, sortByKeyMs);
    std::printf("order: %s (%zu positions differ", differing == 0 ? "same" : "DIFFERENT", differing);
    if (differing != 0)
        std::printf("; first at %zu: \"%s\" vs \"%s\"", firstDifference, texts[byCompare[firstDifference]].c_str(),
                    texts[byKey[firstDifference]].c_str());
    std::printf(")\npairwise disagreements between CompareStringA and sort keys: %zu of %zu\n", keyDisagreements,
                pairs);
    return sink == 12345 ? 1 : 0;
}
