#include "catalogue/uProgramInfo.h"

#include "common/Text.h"
#include "launch/launcher.h"
#include "matching/abbreviations.h"
#include "platform/Platform.h"

TProgramInfo::~TProgramInfo()
{
    if (Abbreviations_ != nullptr)
        Abbreviations_->Forget(*this);
}

void TProgramInfo::SetPath(const std::string& path)
{
    Path = path;
    const std::string fileName = ExtractFileName(path);
    const std::size_t dot = fileName.find_last_of('.');
    Name = dot == std::string::npos ? fileName : fileName.substr(0, dot);
}

std::string TProgramInfo::DisplayText() const
{
    return Abbreviation.empty() ? Name : Name + " - " + Abbreviation;
}

void TProgramInfo::Launch()
{
    LaunchPath(Path, "", "");
}

void TProgramInfo::ClearAbbreviation()
{
    Abbreviation.clear();
    // An entry that no store has seen has nothing to record the change in.
    if (Abbreviations_ != nullptr)
        Abbreviations_->SetAbbrev(*this);
}

void TRecentProgramInfo::Launch()
{
    TProgramInfo::Launch();
}

TCPLItem::TCPLItem(std::string cplFile, std::string appletName)
    : CplFile(std::move(cplFile)), AppletName(std::move(appletName))
{
}

void TCPLItem::Launch()
{
    platform::Application().HideMainWindow();
    platform::Shell().ControlRunDll(CplFile + "," + AppletName, platform::ShowShow);
}
