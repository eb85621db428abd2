#pragma once
#include <windows.h>

#include "platform/Icons.h"

namespace platform::win32 {

// Icons from the shell's system image list, looked up on a worker thread with COM.
class Icons : public IIcons {
public:
    std::unique_ptr<IIconLookups> StartLookups(Answered answered) override;
};

// Draws the icon size × size pixels large with its top-left corner at x, y: from the
// system image list of that size, else scaled from the nearest larger one.
void DrawListIcon(HDC dc, int x, int y, int size, IconId icon);

} // namespace platform::win32
