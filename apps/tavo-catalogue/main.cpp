#include <iostream>

#include "CatalogueTool.h"

int main(int argc, char** argv)
{
    std::ios::sync_with_stdio(false);
    try {
        tavo::catalogue::TCatalogueToolModules Modules;
        return tavo::catalogue::RunCatalogueTool(std::vector<std::string>(argv + 1, argv + argc),
                                                 Modules.CatalogueVerInfo(), std::cout, std::cerr);
    } catch (const std::exception& Error) {
        std::cerr << Error.what() << '\n';
        return 1;
    }
}
