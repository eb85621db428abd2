#include "catalogue/PackagedApps.h"

#include <set>
#include <system_error>

#include "catalogue/SortedItems.h"
#include "common/Text.h"
#include "matching/abbreviations.h"
#include "platform/ErrorReport.h"
#include "platform/Platform.h"

namespace {

bool IsAsciiLetterOrDigit(char c)
{
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9');
}

bool AllOf(const std::string& text, bool (*allowed)(char))
{
    for (const char c : text)
        if (!allowed(c))
            return false;
    return true;
}

} // namespace

bool IsApplicationUserModelId(const std::string& text)
{
    // "PackageName_PublisherId!AppId": the package name is 3 to 50 letters, digits,
    // dots and hyphens; the publisher ID is 13 characters of lower-case base 32; the
    // application's ID is at most 64 characters.
    const std::size_t bang = text.find('!');
    if (bang == std::string::npos || text.find('!', bang + 1) != std::string::npos)
        return false;
    const std::string family = text.substr(0, bang);
    const std::string appId = text.substr(bang + 1);
    const std::size_t underscore = family.rfind('_');
    if (underscore == std::string::npos)
        return false;
    const std::string name = family.substr(0, underscore);
    const std::string publisher = family.substr(underscore + 1);
    return name.size() >= 3 && name.size() <= 50 &&
           AllOf(name, [](char c) { return IsAsciiLetterOrDigit(c) || c == '.' || c == '-'; }) &&
           publisher.size() == 13 &&
           AllOf(publisher, [](char c) { return (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9'); }) &&
           !appId.empty() && appId.size() <= 64 &&
           AllOf(appId, [](char c) { return IsAsciiLetterOrDigit(c) || c == '.' || c == '-' || c == '_'; });
}

TPackagedAppItem::TPackagedAppItem(const std::string& appUserModelId, const std::string& displayName)
    : AppUserModelId(appUserModelId)
{
    Path = TPackagedAppsFolder::PathPrefix + appUserModelId;
    // An app without a name of its own can still be found by its ID.
    Name = displayName.empty() ? appUserModelId : displayName;
}

void TPackagedAppItem::Launch()
{
    platform::AppsFolder().Activate(AppUserModelId);
}

TPackagedAppsFolder::TPackagedAppsFolder(TAbbrevInfos& abbreviations)
    : Abbreviations(abbreviations), Folder_(platform::AppsFolder()), UiThread_(platform::UiThread()),
      StaleTimer_(platform::Timers().CreateTimer(StaleAfterMs, [this] { stale_ = true; }))
{
    StartListing();
}

TPackagedAppsFolder::~TPackagedAppsFolder()
{
    // A listing waiting to be delivered is withdrawn by the stop; one inside the folder
    // ends at its next item.
    if (Worker_.joinable()) {
        Worker_.request_stop();
        Worker_.join();
    }
    StaleTimer_.reset();
    Entries.clear();
}

void TPackagedAppsFolder::FillList(TItemList& list)
{
    for (const std::unique_ptr<TPackagedAppItem>& entry : Entries)
        list.AddObject(entry->DisplayText(), entry.get());
}

void TPackagedAppsFolder::WindowCalledUp()
{
    // A listing is over once its thread has ended, or once it has been delivered: its
    // thread then has nothing left to wait for.
    if (stale_ && (!listing_ || delivered_))
        StartListing();
}

void TPackagedAppsFolder::StartListing()
{
    // The thread of the last listing has done all it will do; only its end is left.
    if (Worker_.joinable())
        Worker_.join();
    stale_ = false;
    StaleTimer_->Start();
    listing_ = true;
    delivered_ = false;
    // The thread gets copies of what it compares with: it never reads the source's state.
    try {
        Worker_ = std::jthread([this, known = listed_, reportErrors = !errorReported_](std::stop_token stop) {
            ListOnThisThread(known, reportErrors, stop);
        });
    } catch (const std::system_error& error) {
        // No thread to be had: the source stays as it is, and start-up goes on.
        listing_ = false;
        ReportFailure(error.what());
    }
}

void TPackagedAppsFolder::ListOnThisThread(const std::vector<platform::AppsFolderItem>& known, bool reportErrors,
                                           std::stop_token stop)
{
    TListing listing;
    try {
        Folder_.Enumerate(
            [&listing](const platform::AppsFolderItem& item) {
                // Desktop programs are listed here too; they come from the Start Menu folders.
                if (IsApplicationUserModelId(item.ParsingName))
                    listing.Apps.push_back(item);
            },
            stop);
    } catch (const std::exception& error) {
        listing.Error = error.what();
    }
    // Nothing changed and nothing to report: the user-interface thread is not bothered.
    const bool deliver = listing.Apps != known || (listing.Error && reportErrors);
    if (deliver && !stop.stop_requested()) {
        try {
            UiThread_.RunAndWait([this, &listing] { platform::RunHandler([&] { ListingDone(std::move(listing)); }); },
                                 stop);
        } catch (const std::exception&) {
            // The call could not be queued; the next call-up lists again.
        }
    }
    listing_ = false;
}

void TPackagedAppsFolder::ListingDone(TListing listing)
{
    delivered_ = true;
    if (listing.Error) {
        ReportFailure(*listing.Error);
        // A complete earlier list is better than part of a new one.
        if (listedInFull_)
            return;
    } else {
        listedInFull_ = true;
    }
    if (listing.Apps == listed_)
        return;
    MakeEntries(listing.Apps);
    listed_ = std::move(listing.Apps);
    if (OnChange)
        OnChange(*this);
}

void TPackagedAppsFolder::ReportFailure(const std::string& message)
{
    if (errorReported_)
        return;
    errorReported_ = true;
    platform::ReportError("The apps from the Microsoft Store and Windows could not be listed: " + message);
}

void TPackagedAppsFolder::MakeEntries(const std::vector<platform::AppsFolderItem>& apps)
{
    // The old entries go first, so that each record of the store is attached to its new entry.
    Entries.clear();
    std::set<std::string> seen; // one entry per app: the store keeps one abbreviation per path
    for (const platform::AppsFolderItem& app : apps) {
        if (!seen.insert(AsciiUpperCase(app.ParsingName)).second)
            continue;
        auto entry = std::make_unique<TPackagedAppItem>(app.ParsingName, app.DisplayName);
        entry->Abbreviation = Abbreviations.FindAbbrev(*entry);
        Entries.push_back(std::move(entry));
    }
}
