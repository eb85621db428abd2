// A keystroke that lengthens the typed text searches only what the text before it
// listed: the rows must be exactly those of a search of the whole catalogue.
#include <random>

#include "SearchPanelTest.h"

namespace {

class NarrowingTest : public SearchPanelTest {
protected:
    // What a panel that never saw the shorter texts lists for this text.
    Texts FullSearch(const std::string& typed)
    {
        auto freshHost = sim.widgets.CreateForm("TfrmSelector");
        TfrmSearchUI fresh(freshHost->Frame("frmSearchUI1"));
        try {
            fresh.edLaunch.SetText(typed);
        } catch (const std::exception& error) {
            ADD_FAILURE() << "typed \"" << typed << "\": " << error.what();
        }
        Texts rows;
        for (int i = 0; i < fresh.lbSearch.Count(); ++i)
            rows.push_back(fresh.lbSearch.Text(i));
        return rows;
    }

    // A catalogue of random names, some with learned abbreviations, in place of the last one.
    void NewCatalogue(std::mt19937& random)
    {
        panel.reset();
        host.reset();
        FreeSearchData();
        for (const std::string& path : paths)
            sim.files.Remove(path);
        paths.clear();
        StoredPairs.clear();
        for (int n = 0; n < 40; ++n) {
            const std::string name = RandomText(random, 7) + " " + std::to_string(n);
            AddProgram(name, random() % 4 == 0 ? RandomText(random, 3) : "");
            paths.push_back(PathOf(name));
        }
        Open();
    }

    std::string RandomText(std::mt19937& random, std::size_t maxUnits)
    {
        std::string text;
        for (std::size_t n = 1 + random() % maxUnits; n > 0; --n)
            text += Alphabet[random() % Alphabet.size()];
        return text;
    }

    const std::vector<std::string> Alphabet = {"a", "b", "A", "B", "\xC3\xA9", "\xC3\x89", ".", "(", ")",
                                               "\\", " ", "\xCF\x89", "\xCE\xA9", "+"};
    std::vector<std::string> paths;
};

TEST_F(NarrowingTest, EveryKeystrokeListsWhatAFullSearchLists)
{
    std::mt19937 random(20261208);
    int compared = 0;
    int nonEmpty = 0;
    for (int catalogue = 0; catalogue < 4; ++catalogue) {
        NewCatalogue(random);
        for (int round = 0; round < 40; ++round) {
            Edit().SetFocus();
            Edit().SetText("");
            for (int key = 0; key < 6; ++key) {
                if (random() % 6 == 0)
                    form->PressKey(platform::vk::Back);
                else
                    form->Type(Alphabet[random() % Alphabet.size()]);
                if (round % 10 == 9 && key == 2)
                    ChangeProgramsAndSettle("ab new " + std::to_string(round)); // a rescan between keystrokes
                ASSERT_EQ(Rows(), FullSearch(Edit().Text())) << "typed \"" << Edit().Text() << "\"";
                ++compared;
                nonEmpty += !Rows().empty();
            }
        }
    }
    EXPECT_TRUE(sim.application.ErrorsShown.empty());
    EXPECT_GT(nonEmpty, compared / 4) << "the texts must find something for the comparison to mean anything";
}

} // namespace
