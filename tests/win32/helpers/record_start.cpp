// Records how it was started: its command-line tail and its working folder, written to
// "started.txt" in that folder, so tests can check what a launch really passed.
#include <windows.h>

#include <cstdio>
#include <string>

int main()
{
    std::string tail = GetCommandLineA();
    // Skip the program name, quoted or not, and the blanks after it.
    std::size_t position = 0;
    if (!tail.empty() && tail[0] == '"') {
        position = tail.find('"', 1);
        position = position == std::string::npos ? tail.size() : position + 1;
    } else {
        position = tail.find(' ');
        position = position == std::string::npos ? tail.size() : position;
    }
    while (position < tail.size() && tail[position] == ' ')
        ++position;
    tail = tail.substr(position);

    char folder[MAX_PATH] = {};
    GetCurrentDirectoryA(MAX_PATH, folder);
    std::FILE* out = std::fopen("started.txt", "wb");
    if (out == nullptr)
        return 1;
    std::fprintf(out, "%s\n%s\n", tail.c_str(), folder);
    std::fclose(out);
    return 0;
}
