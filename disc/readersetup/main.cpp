// SetupAcrobat.exe on the sample disc: installs the PDF reader component for the user.
//   (no arguments)   the window: what is installed and where, the result, then the shell
//                    started again with the manual open
//   --silent         installs without a window; the result on standard output (or the
//                    reason on standard error) and exit status 0 or 1, for scripted installs
#include <QApplication>
#include <QDir>
#include <cstdio>

#include "ReaderSetup.h"

int main(int argc, char** argv)
{
    const bool silent = argc == 2 && QByteArray(argv[1]) == "--silent";
    if (silent) {
        QCoreApplication app(argc, argv);
        const auto paths = tavo::readersetup::DefaultPaths(QCoreApplication::applicationFilePath());
        const QString error = tavo::readersetup::InstallReader(paths.Component, paths.Folder);
        if (!error.isEmpty()) {
            std::fprintf(stderr, "SetupAcrobat: %s\n", qPrintable(error));
            return 1;
        }
        std::printf("SetupAcrobat: the PDF reader is installed in %s\n",
                    qPrintable(QDir::toNativeSeparators(paths.Folder)));
        return 0;
    }
    QApplication app(argc, argv);
    if (argc > 1) {
        std::fprintf(stderr, "Usage: SetupAcrobat.exe [--silent]\n");
        return 2;
    }
    tavo::readersetup::TReaderSetupWindow window(
        tavo::readersetup::DefaultPaths(QCoreApplication::applicationFilePath()));
    window.show();
    return app.exec();
}
