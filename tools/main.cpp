// raetsel: compiles puzzle sources, packs players and shows puzzle files.
#include <iostream>
#include <string>
#include <vector>

#include "tools/Commands.h"

int main(int argc, char** argv) {
    std::vector<std::string> args(argv + 1, argv + argc);
    return zx::RunRaetsel(args, std::cout, std::cerr);
}
