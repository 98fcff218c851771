// qtm418ctl: the QTM-418 remote from the command line.
#include "run.h"

#include <iostream>

int main(int argc, char** argv) {
    const std::vector<std::string> words(argv + 1, argv + argc);
    return ctl::run(words, ctl::Console{std::cin, std::cout, std::cerr});
}
