// Writes ComposeLoginUrl of the current directory to the file named by its
// argument: the URL, a line feed and the block entry.
#include <windows.h>

#include <cstdio>

#include "settings/launch_settings.h"

int main(int argc, char** argv) {
    if (argc != 2) return 2;
    wchar_t directory[MAX_PATH] = {};
    if (!GetCurrentDirectoryW(MAX_PATH, directory)) return 3;
    const LoginAddress address = ComposeLoginUrl(directory);
    FILE* out = fopen(argv[1], "wb");
    if (!out) return 4;
    fprintf(out, "%s\n%s", address.url.c_str(), address.blockEntry.c_str());
    fclose(out);
    return 0;
}
