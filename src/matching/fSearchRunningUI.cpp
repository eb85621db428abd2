#include "matching/fSearchRunningUI.h"

#include <algorithm>

#include "common/Text.h"
#include "matching/patterns.h"
#include "platform/Platform.h"

TfrmSearchRunningUI::TfrmSearchRunningUI(platform::IContainer& frame)
    : edLaunch(frame.Edit("edLaunch")),
      Button1(frame.Button("Button1")),
      lbSearch(frame.ListBox("lbSearch")),
      actGo("Go!", [this] { actGoExecute(); })
{
    Button1.SetCaption(actGo.Caption);
    Button1.SetDefault(true);
    Button1.OnClick = [this] { actGo.Execute(); };
    edLaunch.OnChange = [this] { edLaunchChange(); };
    lbSearch.OnDblClick = [this] { lbSearchDblClick(); };
    lbSearch.RowIcon = [this](int row) { return RowIcon(row); };
    icons_.Listen(this, [this](const std::string&) { lbSearch.RepaintIcons(); });
}

TfrmSearchRunningUI::~TfrmSearchRunningUI()
{
    Button1.OnClick = nullptr;
    edLaunch.OnChange = nullptr;
    lbSearch.OnDblClick = nullptr;
    lbSearch.RowIcon = nullptr;
}

void TfrmSearchRunningUI::ResetSearch()
{
    icons_.Revalidate();
    const bool wasEmpty = edLaunch.Text().empty();
    edLaunch.SetText(""); // a change refreshes the list by itself
    edLaunch.SetFocus();
    if (wasEmpty)
        RefreshList();
}

void TfrmSearchRunningUI::RefreshList()
{
    WindowList.clear();
    platform::ITopLevelWindows& windows = platform::TopLevelWindows();
    for (const platform::WindowHandle window : windows.List()) {
        if (!windows.IsVisible(window))
            continue;
        std::string title = windows.Title(window);
        if (title.empty() || AsciiUpperCase(title) == "PROGRAM MANAGER")
            continue; // the desktop itself
        WindowList.emplace_back(std::move(title), window);
    }
    platform::ILocale& locale = platform::Locale();
    std::sort(WindowList.begin(), WindowList.end(),
              [&locale](const auto& a, const auto& b) { return locale.CompareText(a.first, b.first) < 0; });

    platform::ListUpdate update(lbSearch);
    lbSearch.Clear();
    CompileTypedPatterns(edLaunch.Text(), RegExpr, sequenceRegExpr_);
    FilterWindows(RegExpr);
    FilterWindows(sequenceRegExpr_);
    if (lbSearch.Count() > 0)
        lbSearch.SetItemIndex(0);
}

void TfrmSearchRunningUI::FilterWindows(const TRegExpr& matcher)
{
    for (auto& [title, window] : WindowList) {
        if (!title.empty() && matcher.Exec(title)) {
            lbSearch.Add({title, window});
            title.clear();
        }
    }
}

void TfrmSearchRunningUI::actGoExecute()
{
    const int row = lbSearch.ItemIndex();
    if (row == platform::IListBox::NoRow)
        return;
    const platform::WindowHandle window = lbSearch.Data(row);
    platform::ITopLevelWindows& windows = platform::TopLevelWindows();
    if (!windows.Exists(window))
        return; // closed since the list was made
    if (windows.IsMinimized(window))
        windows.Restore(window);
    windows.BringToFront(window);
    platform::Application().HideMainWindow();
}

platform::IconId TfrmSearchRunningUI::RowIcon(int row)
{
    if (row < 0 || row >= lbSearch.Count())
        return platform::GenericIcon;
    const platform::WindowHandle window = lbSearch.Data(row);
    platform::IconSource source;
    source.Of = platform::IconSource::Kind::Window;
    source.Window = window;
    return icons_.IconFor(std::to_string(window), source);
}
