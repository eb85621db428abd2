#pragma once
#include <string>
#include <utility>
#include <vector>

#include "matching/IconCache.h"
#include "matching/RegExpr.h"
#include "platform/Action.h"
#include "platform/TopLevelWindows.h"
#include "platform/Widgets.h"

// The running-programs switcher: the titles of the visible top-level windows,
// narrowed by the typed text the way the search panel narrows the catalogue;
// Go brings the picked window to the front.
class TfrmSearchRunningUI {
public:
    explicit TfrmSearchRunningUI(platform::IContainer& frame);
    ~TfrmSearchRunningUI();
    TfrmSearchRunningUI(const TfrmSearchRunningUI&) = delete;
    TfrmSearchRunningUI& operator=(const TfrmSearchRunningUI&) = delete;

    // Empties and focuses the edit and lists the windows afresh.
    void ResetSearch();
    void RefreshList();

    void edLaunchChange() { RefreshList(); }
    void actGoExecute();
    void lbSearchDblClick() { actGoExecute(); }

    platform::IEdit& edLaunch;
    platform::IButton& Button1;
    platform::IListBox& lbSearch;
    platform::TAction actGo;

    // The anchored pattern's matcher; the sequence pattern has its own.
    TRegExpr RegExpr;
    // The windows of the last enumeration: (title, window). A title is emptied
    // once its window is listed.
    std::vector<std::pair<std::string, platform::WindowHandle>> WindowList;

private:
    void FilterWindows(const TRegExpr& matcher);
    platform::IconId RowIcon(int row);

    TRegExpr sequenceRegExpr_;
    // The windows' own icons; asked again each time the page is reset, as a window may change its icon.
    IconCache icons_;
};
