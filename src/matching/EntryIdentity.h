#pragma once
#include <string>

class TProgramInfo;

// What a catalogue entry stands for, kept by those who show or hand on an entry: a
// rebuild may free the entry, but the identity finds the entry that replaced it.
struct TEntryIdentity {
    std::string Path;
    // The module of a Control Panel applet, whose Path is only the applet's name; empty otherwise.
    std::string Module;

    bool operator==(const TEntryIdentity&) const = default;
};

TEntryIdentity IdentityOf(const TProgramInfo& entry);

// The catalogue's live entry with this identity; null when it is gone.
TProgramInfo* FindLiveEntry(const TEntryIdentity& identity);
