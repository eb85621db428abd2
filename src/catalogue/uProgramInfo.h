#pragma once
#include <cstdint>
#include <string>

class TAbbrevInfos;
class TAbbrevInfo;

// One launchable catalogue entry. Owned by the source that made it; everyone else
// (the sorted catalogue, list rows, the abbreviation store) only refers to it.
class TProgramInfo {
public:
    TProgramInfo() = default;
    TProgramInfo(const TProgramInfo&) = delete;
    TProgramInfo& operator=(const TProgramInfo&) = delete;
    // Detaches the entry from the abbreviation store, so no record outlives it.
    virtual ~TProgramInfo();

    std::string Name;
    std::string Path;
    std::int32_t MatchStamp = 0;
    std::string Abbreviation;

    void SetPath(const std::string& path);
    std::string DisplayText() const;

    virtual void Launch();
    virtual void ClearAbbreviation();

private:
    friend class TAbbrevInfos;
    // Kept by the store: the store that supplied the abbreviation and the record attached to this entry.
    TAbbrevInfos* Abbreviations_ = nullptr;
    TAbbrevInfo* Record_ = nullptr;
};

// A document shortcut from the Recent folder; behaves like a plain entry.
class TRecentProgramInfo : public TProgramInfo {
public:
    void Launch() override;
};

// One applet of a Control Panel module. Its Path holds the applet's name.
class TCPLItem : public TProgramInfo {
public:
    TCPLItem(std::string cplFile, std::string appletName);

    std::string CplFile;
    std::string AppletName;
    // The id of the applet's icon among its module's resources (0: none named).
    std::int32_t IconResource = 0;

    void Launch() override;
};
