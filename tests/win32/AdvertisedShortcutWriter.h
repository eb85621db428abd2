#pragma once
#include <windows.h>

#include <cstdint>
#include <cstring>
#include <fstream>
#include <string>

// Writes an advertised shortcut (.lnk) byte by byte, as Windows Installer makes them:
// Wine's shell link cannot add the installer's data block itself. The link has no
// target of its own, only the installer's descriptor of product, feature and component,
// and the arguments and working folder a shortcut may store beside it.
class AdvertisedShortcutWriter {
public:
    static bool Write(const std::string& file, const GUID& product, const std::string& feature, const GUID& component,
                      const std::string& arguments, const std::string& workingDirectory)
    {
        constexpr std::uint32_t HasWorkingDir = 0x10;
        constexpr std::uint32_t HasArguments = 0x20;
        constexpr std::uint32_t IsUnicode = 0x80;
        constexpr std::uint32_t HasDarwinId = 0x1000;
        std::string bytes;
        Put32(bytes, 0x4C);
        static const unsigned char linkClsid[16] = {0x01, 0x14, 0x02, 0, 0, 0, 0, 0, 0xC0, 0, 0, 0, 0, 0, 0, 0x46};
        bytes.append(reinterpret_cast<const char*>(linkClsid), sizeof linkClsid);
        Put32(bytes, HasWorkingDir | HasArguments | IsUnicode | HasDarwinId);
        bytes.append(76 - bytes.size(), '\0');              // attributes, times, size, icon, show command, hot key
        bytes.replace(60, 4, std::string("\x01\0\0\0", 4)); // SW_SHOWNORMAL
        PutCountedText(bytes, workingDirectory);
        PutCountedText(bytes, arguments);

        const std::string descriptor = Base85(product) + feature + ">" + Base85(component);
        constexpr std::uint32_t DarwinBlockSize = 8 + MAX_PATH + MAX_PATH * 2;
        Put32(bytes, DarwinBlockSize);
        Put32(bytes, 0xA0000006);
        std::string ansi = descriptor;
        ansi.resize(MAX_PATH, '\0');
        bytes += ansi;
        for (std::size_t n = 0; n < MAX_PATH; ++n)
            Put16(bytes, n < descriptor.size() ? static_cast<unsigned char>(descriptor[n]) : 0);
        Put32(bytes, 0); // no more blocks
        std::ofstream out(file, std::ios::binary);
        out << bytes;
        return static_cast<bool>(out);
    }

private:
    static void Put16(std::string& bytes, std::uint32_t value)
    {
        bytes += static_cast<char>(value & 0xFF);
        bytes += static_cast<char>((value >> 8) & 0xFF);
    }
    static void Put32(std::string& bytes, std::uint32_t value)
    {
        Put16(bytes, value & 0xFFFF);
        Put16(bytes, value >> 16);
    }
    // ASCII texts only: the characters are widened as they are.
    static void PutCountedText(std::string& bytes, const std::string& text)
    {
        Put16(bytes, static_cast<std::uint32_t>(text.size()));
        for (const char c : text)
            Put16(bytes, static_cast<unsigned char>(c));
    }
    // The installer's compressed GUID: each of its four 32-bit words in five base-85
    // digits, the lowest first.
    static std::string Base85(const GUID& guid)
    {
        static const char digits[] =
            "!$%&'()*+,-.0123456789=?@ABCDEFGHIJKLMNOPQRSTUVWXYZ[]^_`abcdefghijklmnopqrstuvwxyz{}~";
        std::uint32_t words[4];
        static_assert(sizeof words == sizeof guid);
        std::memcpy(words, &guid, sizeof words);
        std::string text;
        for (std::uint32_t word : words)
            for (int digit = 0; digit < 5; ++digit, word /= 85)
                text += digits[word % 85];
        return text;
    }
};
