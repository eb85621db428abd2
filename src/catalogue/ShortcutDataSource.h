#pragma once

class TItemList;

// A producer of catalogue entries: it owns them and lists them when the catalogue fills.
class TShortcutDataSource {
public:
    TShortcutDataSource() = default;
    TShortcutDataSource(const TShortcutDataSource&) = delete;
    TShortcutDataSource& operator=(const TShortcutDataSource&) = delete;
    virtual ~TShortcutDataSource() = default;

    virtual void FillList(TItemList& list) = 0;
    // The main window was called up: a source that cannot watch what it lists may look again.
    virtual void WindowCalledUp() {}
};
