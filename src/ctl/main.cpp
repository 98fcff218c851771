// qtm418ctl: the QTM-418 remote from the command line.
#include "run.h"

#include <iostream>
#include <string>
#include <vector>

#ifdef _WIN32
#include "model/windowsapi.h"

#include <shellapi.h>
#endif

namespace {

// The words after the program's name, in UTF-8 as every command takes them.
std::vector<std::string> commandWords(int argc, char** argv) {
#ifdef _WIN32
    // The narrow arguments hold only what the ANSI code page can: a file named in Chinese on a
    // Western system would arrive as question marks. The wide command line holds it whole.
    int count = 0;
    if (LPWSTR* wide = CommandLineToArgvW(GetCommandLineW(), &count)) {
        std::vector<std::string> words;
        for (int n = 1; n < count; ++n) {
            const int bytes = WideCharToMultiByte(CP_UTF8, 0, wide[n], -1, nullptr, 0, nullptr, nullptr);
            std::string word(bytes > 0 ? static_cast<std::size_t>(bytes - 1) : 0, '\0');
            if (bytes > 1)
                WideCharToMultiByte(CP_UTF8, 0, wide[n], -1, word.data(), bytes, nullptr, nullptr);
            words.push_back(std::move(word));
        }
        LocalFree(wide);
        return words;
    }
#endif
    return {argv + 1, argv + argc};
}

} // namespace

int main(int argc, char** argv) {
#ifdef _WIN32
    // What the commands print is UTF-8 (paths, makers' names); the console shows it as such.
    SetConsoleOutputCP(CP_UTF8);
    SetConsoleCP(CP_UTF8);
#endif
    return ctl::run(commandWords(argc, argv), ctl::Console{std::cin, std::cout, std::cerr});
}
