#include "matching/AbbrevBlock.h"

#include <gtest/gtest.h>

#include <memory>
#include <random>

#include "catalogue/uProgramInfo.h"
#include "common/Text.h"

namespace {

std::unique_ptr<TProgramInfo> Entry(const std::string& name, const std::string& abbreviation)
{
    auto entry = std::make_unique<TProgramInfo>();
    entry->Name = name;
    entry->Abbreviation = abbreviation;
    return entry;
}

// The block as built by placing each arriving row into the sorted run: at the
// first row whose abbreviation is greater than the new one, else at the end.
std::vector<std::string> InsertedOneByOne(const std::vector<std::unique_ptr<TProgramInfo>>& arriving)
{
    std::vector<TProgramInfo*> block;
    for (const auto& entry : arriving) {
        std::size_t at = 0;
        while (at < block.size() && CompareOrdinal(entry->Abbreviation, block[at]->Abbreviation) >= 0)
            ++at;
        block.insert(block.begin() + static_cast<std::ptrdiff_t>(at), entry.get());
    }
    std::vector<std::string> texts;
    for (TProgramInfo* entry : block)
        texts.push_back(entry->DisplayText());
    return texts;
}

std::vector<std::string> Gathered(const std::vector<std::unique_ptr<TProgramInfo>>& arriving)
{
    TAbbrevBlock block;
    for (std::size_t i = 0; i < arriving.size(); ++i)
        block.Add(*arriving[i], i);
    std::vector<std::string> texts;
    for (const auto& row : block.TakeRows()) {
        texts.push_back(row.Text);
        EXPECT_EQ(arriving[row.Data]->DisplayText(), row.Text) << "each row keeps its entry's data";
    }
    EXPECT_EQ(block.Count(), 0);
    return texts;
}

TEST(AbbrevBlockTest, OrdersByAbbreviationOrdinallyWithTiesInArrivalOrder)
{
    std::vector<std::unique_ptr<TProgramInfo>> arriving;
    arriving.push_back(Entry("First np", "np"));
    arriving.push_back(Entry("Upper", "Np"));
    arriving.push_back(Entry("None", ""));
    arriving.push_back(Entry("Longer", "npx"));
    arriving.push_back(Entry("Second np", "np"));
    arriving.push_back(Entry("High byte", "\xE9t"));

    EXPECT_EQ(Gathered(arriving), (std::vector<std::string>{"None", "Upper - Np", "First np - np", "Second np - np",
                                                           "Longer - npx", "High byte - \xE9t"}));
}

TEST(AbbrevBlockTest, GivesTheSameOrderAsInsertingEachRowIntoPlace)
{
    std::mt19937 random(20240611);
    const std::string alphabet = "aAbB \x7F\xC0";
    for (int round = 0; round < 200; ++round) {
        std::vector<std::unique_ptr<TProgramInfo>> arriving;
        const int count = static_cast<int>(random() % 40);
        for (int i = 0; i < count; ++i) {
            std::string abbreviation;
            const int length = static_cast<int>(random() % 4);
            for (int c = 0; c < length; ++c)
                abbreviation += alphabet[random() % alphabet.size()];
            arriving.push_back(Entry("Entry " + std::to_string(i), abbreviation));
        }
        ASSERT_EQ(Gathered(arriving), InsertedOneByOne(arriving)) << "round " << round;
    }
}

} // namespace
