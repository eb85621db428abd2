#include "catalogue/uSearchData.h"

#include "catalogue/uCPLProgramItem.h"
#include "catalogue/PackagedApps.h"
#include "catalogue/uRecentFile.h"
#include "catalogue/uWatchedFolder.h"
#include "common/Exception.h"
#include "config/settings.h"
#include "matching/abbreviations.h"
#include "platform/ErrorReport.h"
#include "platform/Platform.h"

namespace {

// Shows the hourglass for as long as it lives, so the default cursor comes back on every path.
class HourglassCursor {
public:
    HourglassCursor() { platform::Application().SetScreenCursor(platform::ScreenCursor::Hourglass); }
    ~HourglassCursor() { platform::Application().SetScreenCursor(platform::ScreenCursor::Default); }
    HourglassCursor(const HourglassCursor&) = delete;
    HourglassCursor& operator=(const HourglassCursor&) = delete;
};

std::unique_ptr<TSearchData>& Instance()
{
    static std::unique_ptr<TSearchData> instance;
    return instance;
}

} // namespace

TSearchData::TSearchData() : Abbreviations_(std::make_unique<TAbbrevInfos>())
{
    // Before any source exists, so every entry gets its abbreviation the moment it is made.
    LoadAbbreviations();
    BuildSources();
    Rebuild();
}

TSearchData::~TSearchData()
{
    // The store first: it lets go of every entry it knows, so the entries can then die freely.
    Abbreviations_.reset();
    DiscardItems();
    Sources_.clear();
}

void TSearchData::BuildSources()
{
    const TConfig& config = Config();
    const auto watch = [this](TWatchedFolder& source) {
        source.OnChange = [this](TShortcutDataSource& sender) { SourceChanged(sender); };
    };
    const auto folder = [this, watch](int csidl) {
        return [this, watch, csidl]() -> std::unique_ptr<TShortcutDataSource> {
            auto source = std::make_unique<TWatchedFolder>(*Abbreviations_);
            source->LoadSpecialFolder(csidl);
            watch(*source);
            return source;
        };
    };

    // The order below is the order the sources fill Items, and it is seen: among equal
    // names the entry added last is listed first (the later source wins), and Recent,
    // which lists only names not in the catalogue yet, must come after every source whose
    // names it is to leave out. A new source goes where its names should rank.
    if (config.StartMenuMe)
        AddSource(folder(platform::CsidlPrograms));
    if (config.StartMenuAllUsers)
        AddSource(folder(platform::CsidlCommonPrograms));
    if (config.MyDocuments)
        AddSource(folder(platform::CsidlPersonal));
    if (config.Desktop)
        AddSource(folder(platform::CsidlDesktopDirectory));
    if (config.RecentFiles)
        AddSource([this, watch]() -> std::unique_ptr<TShortcutDataSource> {
            auto source = std::make_unique<TRecentFilesFolder>(*Abbreviations_); // scans at once
            watch(*source);
            return source;
        });
    if (config.ControlPanel)
        AddSource([this]() -> std::unique_ptr<TShortcutDataSource> {
            return std::make_unique<TCplFolder>(*Abbreviations_);
        });
    if (config.PackagedApps)
        AddSource([this]() -> std::unique_ptr<TShortcutDataSource> {
            auto source = std::make_unique<TPackagedAppsFolder>(*Abbreviations_); // lists on a thread of its own
            source->OnChange = [this](TShortcutDataSource& sender) { SourceChanged(sender); };
            return source;
        });
}

void TSearchData::AddSource(const std::function<std::unique_ptr<TShortcutDataSource>()>& make)
{
    // One folder that cannot be watched ("Invalid folder") must not keep the application from
    // starting or a reload from finishing: the user hears of it once and keeps the other sources.
    try {
        Sources_.push_back(make());
    } catch (const Exception& error) {
        platform::ReportError(error.what());
    }
}

void TSearchData::Rebuild()
{
    DiscardItems();
    try {
        for (const auto& source : Sources_)
            source->FillList(Items_);
    } catch (...) {
        // A failing source may already have discarded entries that earlier pairs refer to.
        DiscardItems();
        throw;
    }
}

void TSearchData::Reload()
{
    const HourglassCursor hourglass;
    // Items goes first: it must never hold entries of freed sources. Should building fail,
    // Items stays empty and whatever sources did come up remain for the next rebuild.
    DiscardItems();
    Sources_.clear();
    BuildSources();
    Rebuild();
}

void TSearchData::DiscardItems()
{
    // Drawn from one counter for the whole process, so that a view which outlived a freed
    // catalogue never takes a new catalogue's generation for the one its rows came from.
    static std::uint64_t lastGeneration = 0;
    Items_.Clear();
    Generation_ = ++lastGeneration;
}

void TSearchData::CopyItemsTo(std::vector<TCatalogueItems::Pair>& rows) const
{
    rows = Items_.Pairs();
}

void TSearchData::LoadAbbreviations()
{
    Abbreviations_->LoadFromRegistry();
}

void TSearchData::SaveAbbreviations()
{
    Abbreviations_->SaveToRegistry();
}

void TSearchData::WindowCalledUp()
{
    for (const auto& source : Sources_)
        source->WindowCalledUp();
}

void TSearchData::SourceChanged(TShortcutDataSource& /*sender*/)
{
    Rebuild();
}

TSearchData& SearchData()
{
    auto& instance = Instance();
    if (!instance)
        instance = std::make_unique<TSearchData>();
    return *instance;
}

void FreeSearchData()
{
    Instance().reset();
}
