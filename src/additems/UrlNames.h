#pragma once
#include <cstddef>
#include <string>

// A text counts as a web address when it holds "://" anywhere or starts with
// "mailto:" (any letter case). "news:alt" and the like do not.
bool IsUrl(const std::string& text);

// The part of a URL that names its file: what follows "mailto:", else what follows
// the first "://". Any other text is returned unchanged.
std::string StripUrlScheme(const std::string& text);

// Replaces, byte for byte, everything but ASCII letters, digits and
// ! # $ % & ' ( ) - @ ^ _ ` { } ~ by "_". The length never changes.
std::string MakeSafeFileName(const std::string& text);

// The URL as it is to be stored: without the blanks and line breaks around it that
// copied text often carries. Breaks inside it are left for the writer to refuse.
std::string TrimUrlText(const std::string& text);

// The Internet shortcut's file name for a URL, without the ".URL" extension, always
// one Windows keeps as a visible file of that very name:
// - MakeSafeFileName of the part after the scheme (no dots, blanks or signs remain);
// - an empty one becomes EmptyUrlName;
// - one longer than maxLength bytes is cut to maxLength (the safe name is ASCII, so
//   every cut falls between whole characters);
// - a name Windows reserves for a device (CON, PRN, AUX, NUL, COM1-COM9, LPT1-LPT9,
//   CONIN$, CONOUT$, in any letter case) gets "_" appended, so no text goes to a device.
std::string UrlShortcutName(const std::string& url, std::size_t maxLength);
inline constexpr const char* EmptyUrlName = "Internet Shortcut";
