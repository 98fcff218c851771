#include "devicestore.h"
#include "emucommands.h"

#include <iostream>

int main(int argc, char** argv) {
    std::vector<std::string> args(argv + 1, argv + argc);
    return emu::runCommand(args, emu::DeviceStore::defaultFolder(), std::cout, std::cerr);
}
