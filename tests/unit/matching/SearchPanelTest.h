#pragma once
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "CatalogueTest.h"
#include "matching/fSearchUI.h"

// What a panel's tests compare: the texts of the rows, or (text, abbreviation) pairs.
using Texts = std::vector<std::string>;
using Pairs = std::vector<std::pair<std::string, std::string>>;

// A search panel in a form of its own, hosted as the main window hosts it: the
// form previews every key but Escape for the panel, and Go records the pick.
class SearchPanelTest : public CatalogueTest {
protected:
    void Open()
    {
        host = sim.widgets.CreateForm("TfrmSearchUI");
        form = static_cast<platform::headless::SimForm*>(host.get());
        panel = std::make_unique<TfrmSearchUI>(*host);
        form->OnKeyDown = [this](int& key) {
            if (key != platform::vk::Escape)
                panel->RouteKey(key);
        };
        panel->OnGo = [this](TfrmSearchUI& sender, TProgramInfo& entry) {
            EXPECT_EQ(&sender, panel.get());
            Picked.push_back(entry.Path);
            if (LaunchOnGo)
                entry.Launch();
        };
    }

    platform::headless::SimListBox& List() { return form->ListBox("lbSearch"); }
    platform::headless::SimEdit& Edit() { return form->Edit("edLaunch"); }
    std::vector<std::string> Rows() { return List().Texts(); }

    // The user clicks into the edit, selects all and types the text.
    void Search(const std::string& text)
    {
        Edit().SetFocus();
        Edit().SetText("");
        form->Type(text);
    }

    std::vector<std::string> Picked;
    bool LaunchOnGo = false;
    std::unique_ptr<platform::IForm> host;
    platform::headless::SimForm* form = nullptr;
    std::unique_ptr<TfrmSearchUI> panel;
};
