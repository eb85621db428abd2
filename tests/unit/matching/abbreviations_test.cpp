#include "matching/abbreviations.h"

#include <memory>
#include <vector>

#include "SimulatorTest.h"
#include "catalogue/uProgramInfo.h"

namespace {

using platform::headless::RegValue;

class AbbreviationStoreTest : public SimulatorTest {
protected:
    // Makes an entry the way every source does.
    std::unique_ptr<TProgramInfo> MakeEntry(const std::string& path)
    {
        auto entry = std::make_unique<TProgramInfo>();
        entry->SetPath(path);
        entry->Abbreviation = store.FindAbbrev(*entry);
        return entry;
    }

    void StorePairs(const std::vector<std::pair<std::string, std::string>>& pairs)
    {
        for (std::size_t n = 0; n < pairs.size(); ++n) {
            sim.registry.SetValue(AbbreviationsKey, "Abbrev" + std::to_string(n), RegValue::Sz(pairs[n].first));
            sim.registry.SetValue(AbbreviationsKey, "Path" + std::to_string(n), RegValue::Sz(pairs[n].second));
        }
        sim.registry.SetValue(AbbreviationsKey, "Count", RegValue::Dword(static_cast<std::uint32_t>(pairs.size())));
    }

    std::string Saved(const std::string& name)
    {
        const RegValue* value = sim.registry.FindValue(AbbreviationsKey, name);
        if (value == nullptr)
            return "<missing>";
        return value->Type == platform::headless::RegType::Dword ? std::to_string(value->Number) : value->Text;
    }

    TAbbrevInfos store;
};

TEST_F(AbbreviationStoreTest, FirstRunLoadsNothingAndFirstSaveCreatesTheKey)
{
    store.LoadFromRegistry();
    auto entry = MakeEntry("C:\\Menu\\Notepad.lnk");
    EXPECT_EQ(store.Count(), 0u);
    EXPECT_TRUE(entry->Abbreviation.empty());

    entry->Abbreviation = "np";
    store.SetAbbrev(*entry);
    store.SaveToRegistry();

    EXPECT_EQ(Saved("Count"), "1");
    EXPECT_EQ(Saved("Abbrev0"), "np");
    EXPECT_EQ(Saved("Path0"), "C:\\Menu\\Notepad.lnk");
    EXPECT_EQ(sim.registry.FindValue(AbbreviationsKey, "Count")->Type, platform::headless::RegType::Dword);
}

TEST_F(AbbreviationStoreTest, LoadedAbbreviationsReachNewEntriesWhateverThePathCase)
{
    StorePairs({{"np", "C:\\Menu\\Notepad.lnk"}, {"calc", "C:\\Menu\\Calc.lnk"}});
    store.LoadFromRegistry();

    auto notepad = MakeEntry("c:\\menu\\NOTEPAD.LNK");
    auto calc = MakeEntry("C:\\Menu\\Calc.lnk");
    auto other = MakeEntry("C:\\Menu\\Paint.lnk");

    EXPECT_EQ(notepad->Abbreviation, "np");
    EXPECT_EQ(calc->Abbreviation, "calc");
    EXPECT_EQ(other->Abbreviation, "");
}

TEST_F(AbbreviationStoreTest, PathsDifferingOnlyInCaseLoadAsOneRecordTheFirstKept)
{
    StorePairs({{"first", "C:\\A.lnk"}, {"second", "c:\\a.LNK"}});
    store.LoadFromRegistry();

    EXPECT_EQ(store.Count(), 1u);
    EXPECT_EQ(MakeEntry("C:\\A.lnk")->Abbreviation, "first");
}

TEST_F(AbbreviationStoreTest, ReloadOnlyAddsPathsNotYetHeld)
{
    StorePairs({{"np", "C:\\Notepad.lnk"}});
    store.LoadFromRegistry();
    auto entry = MakeEntry("C:\\Notepad.lnk");
    entry->Abbreviation = "pad";
    store.SetAbbrev(*entry);

    StorePairs({{"np", "C:\\Notepad.lnk"}, {"wr", "C:\\Write.lnk"}});
    store.LoadFromRegistry();

    EXPECT_EQ(store.Count(), 2u);
    EXPECT_EQ(entry->Abbreviation, "pad");
    EXPECT_EQ(MakeEntry("C:\\notepad.lnk")->Abbreviation, "pad");
}

TEST_F(AbbreviationStoreTest, BadValuesSkipOnlyTheirPair)
{
    sim.registry.SetValue(AbbreviationsKey, "Count", RegValue::Dword(4));
    sim.registry.SetValue(AbbreviationsKey, "Abbrev0", RegValue::Dword(7));
    sim.registry.SetValue(AbbreviationsKey, "Path0", RegValue::Sz("C:\\Wrong.lnk"));
    sim.registry.SetValue(AbbreviationsKey, "Abbrev1", RegValue::ExpandSz("%x%"));
    sim.registry.SetValue(AbbreviationsKey, "Path1", RegValue::Sz("C:\\Expand.lnk"));
    // Abbrev2 missing: the pair loads with an empty abbreviation.
    sim.registry.SetValue(AbbreviationsKey, "Path2", RegValue::Sz("C:\\NoAbbrev.lnk"));
    sim.registry.SetValue(AbbreviationsKey, "Abbrev3", RegValue::Sz("ok"));
    sim.registry.SetValue(AbbreviationsKey, "Path3", RegValue::Binary("\x01\x02"));

    store.LoadFromRegistry();

    EXPECT_EQ(store.Count(), 2u);
    EXPECT_EQ(MakeEntry("C:\\Wrong.lnk")->Abbreviation, "");
    EXPECT_EQ(MakeEntry("C:\\Expand.lnk")->Abbreviation, "%x%") << "expandable strings are read unexpanded";
    EXPECT_EQ(MakeEntry("C:\\NoAbbrev.lnk")->Abbreviation, "");
}

TEST_F(AbbreviationStoreTest, KeyWithoutUsableCountHoldsNoPairs)
{
    sim.registry.SetValue(AbbreviationsKey, "Abbrev0", RegValue::Sz("np"));
    sim.registry.SetValue(AbbreviationsKey, "Path0", RegValue::Sz("C:\\Notepad.lnk"));
    store.LoadFromRegistry();
    EXPECT_EQ(store.Count(), 0u);

    sim.registry.SetValue(AbbreviationsKey, "Count", RegValue::Sz("1"));
    store.LoadFromRegistry();
    EXPECT_EQ(store.Count(), 0u);
}

// A pair deleted by hand (or by an older version) leaves a gap: the pairs after it
// are loaded, and so survive the next save.
TEST_F(AbbreviationStoreTest, PairsAfterAGapAreLoadedAndSavedAgain)
{
    StorePairs({{"a", "C:\\A.lnk"}, {"b", "C:\\B.lnk"}, {"c", "C:\\C.lnk"}});
    sim.registry.ValuesOf(platform::headless::Registry::Normalise(AbbreviationsKey)).erase("Abbrev0");
    sim.registry.ValuesOf(platform::headless::Registry::Normalise(AbbreviationsKey)).erase("Path0");

    store.LoadFromRegistry();
    EXPECT_EQ(MakeEntry("C:\\B.lnk")->Abbreviation, "b");
    EXPECT_EQ(MakeEntry("C:\\C.lnk")->Abbreviation, "c");
    store.SaveToRegistry();
    EXPECT_EQ(Saved("Count"), "2");
    EXPECT_EQ(Saved("Path0"), "C:\\B.lnk");
    EXPECT_EQ(Saved("Path1"), "C:\\C.lnk");
}

// A damaged "Count" far beyond the stored pairs loads what is there without reading
// billions of numbers, also past gaps and with values of other names in the key.
TEST_F(AbbreviationStoreTest, HugeCountLoadsThePairsThereAndEnds)
{
    StorePairs({{"np", "C:\\Notepad.lnk"}, {"", ""}, {"", ""}, {"x", "C:\\X.lnk"}});
    auto& values = sim.registry.ValuesOf(platform::headless::Registry::Normalise(AbbreviationsKey));
    for (const char* name : {"Abbrev1", "Path1", "Abbrev2", "Path2"})
        values.erase(name);
    sim.registry.SetValue(AbbreviationsKey, "Count", RegValue::Dword(0xFFFFFFFFu));
    store.LoadFromRegistry();
    EXPECT_EQ(store.Count(), 2u);

    sim.registry.SetValue(AbbreviationsKey, "Note", RegValue::Sz("a value of another name"));
    TAbbrevInfos other;
    other.LoadFromRegistry();
    EXPECT_EQ(other.Count(), 2u);
}

// The gap limit grows with what the key holds: a store of 600 pairs whose numbers jump by
// 1,100 (pairs deleted by hand, or other values in the key) still loads the pair past the jump.
TEST_F(AbbreviationStoreTest, PairsPastMoreThanAThousandGapsInABigKeyAreLoaded)
{
    std::vector<std::pair<std::string, std::string>> pairs;
    for (int n = 0; n < 600; ++n)
        pairs.emplace_back("a" + std::to_string(n), "C:\\P" + std::to_string(n) + ".lnk");
    StorePairs(pairs);
    sim.registry.SetValue(AbbreviationsKey, "Abbrev1700", RegValue::Sz("late"));
    sim.registry.SetValue(AbbreviationsKey, "Path1700", RegValue::Sz("C:\\Late.lnk"));
    sim.registry.SetValue(AbbreviationsKey, "Count", RegValue::Dword(1701));
    store.LoadFromRegistry();
    EXPECT_EQ(store.Count(), 601u);
    EXPECT_EQ(MakeEntry("C:\\Late.lnk")->Abbreviation, "late");
}

TEST_F(AbbreviationStoreTest, UnreadableKeyLoadsNothingAndUnwritableKeySavesNothing)
{
    StorePairs({{"np", "C:\\Notepad.lnk"}});
    sim.registry.DenyKey(AbbreviationsKey);
    store.LoadFromRegistry();
    EXPECT_EQ(store.Count(), 0u);

    auto entry = MakeEntry("C:\\Calc.lnk");
    entry->Abbreviation = "c";
    store.SetAbbrev(*entry);
    EXPECT_NO_THROW(store.SaveToRegistry());
    EXPECT_EQ(Saved("Count"), "1");
    EXPECT_EQ(Saved("Abbrev0"), "np");
}

TEST_F(AbbreviationStoreTest, FailingWriteReachesTheCallerAndEarlierValuesStay)
{
    auto a = MakeEntry("C:\\A.lnk");
    auto b = MakeEntry("C:\\B.lnk");
    a->Abbreviation = "a";
    store.SetAbbrev(*a);
    b->Abbreviation = "b";
    store.SetAbbrev(*b);
    sim.registry.FailWritesTo("Path1");

    EXPECT_THROW(store.SaveToRegistry(), platform::ERegistry);
    EXPECT_EQ(Saved("Abbrev0"), "a");
    EXPECT_EQ(Saved("Path0"), "C:\\A.lnk");
    EXPECT_EQ(Saved("Abbrev1"), "b");
    EXPECT_EQ(Saved("Count"), "<missing>");
}

TEST_F(AbbreviationStoreTest, TeachingAnAbbreviationTakesItFromTheOtherEntry)
{
    auto a = MakeEntry("C:\\A.lnk");
    auto b = MakeEntry("C:\\B.lnk");
    a->Abbreviation = "np";
    store.SetAbbrev(*a);

    b->Abbreviation = "np"; // the panel lower-cases "NP" before it records it
    store.SetAbbrev(*b);
    store.SaveToRegistry();

    EXPECT_EQ(a->Abbreviation, "");
    EXPECT_EQ(b->Abbreviation, "np");
    EXPECT_EQ(Saved("Count"), "1");
    EXPECT_EQ(Saved("Path0"), "C:\\B.lnk");
}

TEST_F(AbbreviationStoreTest, DuplicatesCompareUpperCasedAsciiOnly)
{
    auto a = MakeEntry("C:\\A.lnk");
    auto b = MakeEntry("C:\\B.lnk");
    auto c = MakeEntry("C:\\C.lnk");
    a->Abbreviation = "NP";
    store.SetAbbrev(*a);
    c->Abbreviation = "\xC3\xA9t\xC3\xA9"; // UTF-8 "été": bytes above 127 are not case-folded
    store.SetAbbrev(*c);

    b->Abbreviation = "np";
    store.SetAbbrev(*b);
    EXPECT_EQ(a->Abbreviation, "");

    b->Abbreviation = "\xC3\x89T\xC3\x89"; // "ÉTÉ"
    store.SetAbbrev(*b);
    EXPECT_EQ(c->Abbreviation, "\xC3\xA9t\xC3\xA9");
}

TEST_F(AbbreviationStoreTest, UnattachedRecordsKeepTheirAbbreviation)
{
    StorePairs({{"np", "C:\\Gone.lnk"}});
    store.LoadFromRegistry();
    auto entry = MakeEntry("C:\\Notepad.lnk");
    entry->Abbreviation = "np";
    store.SetAbbrev(*entry);
    store.SaveToRegistry();

    EXPECT_EQ(Saved("Count"), "2");
    EXPECT_EQ(Saved("Path0"), "C:\\Gone.lnk");
    EXPECT_EQ(Saved("Abbrev0"), "np");
}

TEST_F(AbbreviationStoreTest, SaveNumbersPairsInPathOrderAndLeavesOldHigherPairs)
{
    StorePairs({{"e", "C:\\E.lnk"}, {"d", "C:\\D.lnk"}, {"c", "C:\\C.lnk"}, {"b", "C:\\B.lnk"}, {"a", "C:\\A.lnk"}});
    store.LoadFromRegistry();
    auto d = MakeEntry("C:\\D.lnk");
    auto e = MakeEntry("C:\\E.lnk");
    d->ClearAbbreviation();
    e->ClearAbbreviation();

    store.SaveToRegistry();

    EXPECT_EQ(Saved("Count"), "3");
    EXPECT_EQ(Saved("Path0"), "C:\\A.lnk");
    EXPECT_EQ(Saved("Path1"), "C:\\B.lnk");
    EXPECT_EQ(Saved("Path2"), "C:\\C.lnk");
    EXPECT_EQ(Saved("Path3"), "C:\\B.lnk") << "left from the earlier save";
    EXPECT_EQ(Saved("Abbrev4"), "a");

    TAbbrevInfos reloaded;
    reloaded.LoadFromRegistry();
    EXPECT_EQ(reloaded.Count(), 3u);
}

TEST_F(AbbreviationStoreTest, DeadEntriesAreNeverTouched)
{
    auto survivor = MakeEntry("C:\\B.lnk");
    {
        auto doomed = MakeEntry("C:\\A.lnk");
        doomed->Abbreviation = "np";
        store.SetAbbrev(*doomed);
    } // a rescan discards the entry while its record stays

    survivor->Abbreviation = "np";
    store.SetAbbrev(*survivor); // under AddressSanitizer this would catch a dangling write
    store.SaveToRegistry();

    EXPECT_EQ(Saved("Count"), "2") << "a detached record keeps its abbreviation";
    auto reborn = MakeEntry("C:\\A.lnk");
    EXPECT_EQ(reborn->Abbreviation, "np");
}

TEST_F(AbbreviationStoreTest, NewEntryForTheSamePathTakesOverTheRecord)
{
    auto first = MakeEntry("C:\\A.lnk");
    first->Abbreviation = "x";
    store.SetAbbrev(*first);
    auto second = MakeEntry("C:\\A.lnk");
    EXPECT_EQ(second->Abbreviation, "x");
    first.reset(); // the older entry dies after the newer took the record

    auto other = MakeEntry("C:\\B.lnk");
    other->Abbreviation = "x";
    store.SetAbbrev(*other);
    EXPECT_EQ(second->Abbreviation, "") << "the live entry attached to the record loses the abbreviation";
}

TEST(AbbreviationStoreLifetime, StoreFreedBeforeItsEntries)
{
    platform::headless::InstallSimulator();
    auto store = std::make_unique<TAbbrevInfos>();
    auto entry = std::make_unique<TProgramInfo>();
    entry->SetPath("C:\\A.lnk");
    entry->Abbreviation = store->FindAbbrev(*entry);
    entry->Abbreviation = "a";
    store->SetAbbrev(*entry);

    store.reset(); // shutdown frees the store first, then the sources' entries
    entry->ClearAbbreviation(); // must not reach the freed store (the sanitizer run would report it)
    EXPECT_EQ(entry->DisplayText(), "A") << "the abbreviation is gone from what the list shows";
    entry.reset();
    platform::Install(nullptr);
}

} // namespace
