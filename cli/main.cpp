#include "cli/Converter.h"

#include <iostream>

int main(int argc, char** argv)
{
    std::ios::sync_with_stdio(false);
    std::vector<std::string> args(argv + 1, argv + argc);
    return cli::main(args, std::cout, std::cerr);
}
