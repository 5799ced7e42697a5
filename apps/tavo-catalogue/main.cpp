#include <QCoreApplication>
#include <iostream>
#include <unistd.h>

#include "CatalogueTool.h"
#include "platform/Translations.h"

int main(int argc, char** argv)
{
    std::ios::sync_with_stdio(false);
    QCoreApplication application(argc, argv);  // the translators are installed into it
    tavo::platform::InstallTranslations();
    try {
        tavo::catalogue::TCatalogueToolModules Modules;
        return tavo::catalogue::RunCatalogueTool(std::vector<std::string>(argv + 1, argv + argc),
                                                 Modules.CatalogueVerInfo(), std::cout, std::cerr,
                                                 ::isatty(STDERR_FILENO) != 0);
    } catch (const std::exception& Error) {
        std::cerr << Error.what() << '\n';
        return 1;
    }
}
