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
};
