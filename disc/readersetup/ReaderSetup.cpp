#include "ReaderSetup.h"

#include <QCoreApplication>
#include <QDialogButtonBox>
#include <QDir>
#include <QFileInfo>
#include <QFormLayout>
#include <QLabel>
#include <QProcess>
#include <QPushButton>
#include <QStandardPaths>
#include <QTimer>
#include <QVBoxLayout>
#include <cerrno>
#include <fcntl.h>
#include <filesystem>
#include <system_error>
#include <unistd.h>

namespace tavo::readersetup {

namespace fs = std::filesystem;

namespace {

constexpr const char* kComponent = "libtavo-pdfreader.so";

QString Native(const QString& Path)
{
    return QDir::toNativeSeparators(QDir::cleanPath(Path));
}

QString Reason(const std::error_code& Error)
{
    return QString::fromLocal8Bit(Error.message().c_str());
}

QLabel* Selectable(QWidget* Parent, const char* Name, const QString& AccessibleName)
{
    auto* label = new QLabel(Parent);
    label->setObjectName(QLatin1String(Name));
    label->setTextFormat(Qt::PlainText);
    label->setWordWrap(true);
    label->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
    label->setFocusPolicy(Qt::StrongFocus);
    label->setAccessibleName(AccessibleName);
    return label;
}

}  // namespace

QString FindShell(const QString& ProgramFolder)
{
    const QDir setup(ProgramFolder);
    const QString disc = QDir::cleanPath(setup.absoluteFilePath(QStringLiteral("../..")));
    const QString beside = QDir(disc).filePath(QStringLiteral("tavo-shell"));
    if (QFileInfo(beside).isExecutable())
        return beside;
    // An installed disc image: the programs are in bin/ beside lib/.
    if (disc.endsWith(QLatin1String("/lib/tavo/disc"))) {
        const QString bin = QDir::cleanPath(disc + QStringLiteral("/../../../bin/tavo-shell"));
        if (QFileInfo(bin).isExecutable())
            return bin;
    }
    return QStandardPaths::findExecutable(QStringLiteral("tavo-shell"));
}

TSetupPaths DefaultPaths(const QString& Program)
{
    TSetupPaths paths;
    const QString folder = QFileInfo(Program).absolutePath();
    paths.Component = QDir(folder).filePath(QLatin1String(kComponent));
    QString data = qEnvironmentVariable("XDG_DATA_HOME");
    if (data.isEmpty())
        data = QDir::home().filePath(QStringLiteral(".local/share"));
    paths.Folder = QDir(data).filePath(QStringLiteral("tavo/plugins"));
    paths.Shell = FindShell(folder);
    return paths;
}

QString InstallReader(const QString& Component, const QString& Folder)
{
    const QFileInfo component(Component);
    if (!component.isFile())
        return QCoreApplication::translate("ReaderSetup",
                                           "the reader component %1 is missing from the disc.")
            .arg(Native(Component));
    std::error_code ec;
    const fs::path folder = Folder.toStdString();
    fs::create_directories(folder, ec);
    if (ec)
        return QCoreApplication::translate("ReaderSetup", "the folder %1 cannot be created: %2.")
            .arg(Native(Folder), Reason(ec));
    const fs::path target = folder / kComponent;
    fs::path temporary = folder / ("." + std::string(kComponent) + "." +
                                   std::to_string(QCoreApplication::applicationPid()));
    fs::copy_file(Component.toStdString(), temporary, fs::copy_options::overwrite_existing, ec);
    if (!ec)
        fs::permissions(temporary,
                        fs::perms::owner_all | fs::perms::group_read | fs::perms::group_exec |
                            fs::perms::others_read | fs::perms::others_exec,
                        ec);
    if (!ec) {
        // The copy reaches the disk before it takes the component's name.
        const int fd = ::open(temporary.c_str(), O_RDONLY | O_CLOEXEC);
        if (fd < 0 || ::fsync(fd) != 0)
            ec = std::error_code(errno, std::generic_category());
        if (fd >= 0)
            ::close(fd);
    }
    if (!ec)
        fs::rename(temporary, target, ec);
    if (ec) {
        std::error_code ignored;
        fs::remove(temporary, ignored);
        return QCoreApplication::translate("ReaderSetup", "it cannot be written to %1: %2.")
            .arg(Native(QString::fromStdString(target.string())), Reason(ec));
    }
    return {};
}

bool StartDetached(const QString& Program, const QStringList& Args)
{
    return !Program.isEmpty() && QProcess::startDetached(Program, Args);
}

QStringList ShellArguments()
{
    return {QStringLiteral("--tab"), QStringLiteral("manual")};
}

TReaderSetupWindow::TReaderSetupWindow(const TSetupPaths& Paths, TProgramStarter Starter,
                                       QWidget* Parent)
    : QDialog(Parent), FPaths(Paths), FStarter(std::move(Starter))
{
    setObjectName(QStringLiteral("F_ReaderSetup"));
    setWindowTitle(tr("Tavo C.H. 3.2 - PDF reader setup"));
    setAccessibleName(windowTitle());
    auto* column = new QVBoxLayout(this);

    auto* heading = new QLabel(tr("Installing the PDF reader for the manual"), this);
    heading->setObjectName(QStringLiteral("L_Heading"));
    QFont big = heading->font();
    big.setBold(true);
    big.setPointSizeF(big.pointSizeF() * 1.2);
    heading->setFont(big);
    column->addWidget(heading);

    L_What = new QLabel(tr("The PDF reader shows the documents of the manual. It is copied for "
                           "you alone; no administrator rights are needed."),
                        this);
    L_What->setObjectName(QStringLiteral("L_What"));
    L_What->setWordWrap(true);
    column->addWidget(L_What);

    auto* form = new QFormLayout;
    L_From = Selectable(this, "L_From", tr("Installed from"));
    L_From->setText(Native(FPaths.Component));
    L_To = Selectable(this, "L_To", tr("Installed in"));
    L_To->setText(Native(FPaths.Folder));
    form->addRow(tr("From:"), L_From);
    form->addRow(tr("To:"), L_To);
    column->addLayout(form);

    L_Result = Selectable(this, "L_Result", tr("Result"));
    L_Result->setText(tr("Installing…"));
    L_Result->setMinimumHeight(L_Result->fontMetrics().lineSpacing() * 3);
    L_Result->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    column->addSpacing(L_Result->fontMetrics().lineSpacing() / 2);
    column->addWidget(L_Result);
    column->addStretch(1);

    auto* buttons = new QDialogButtonBox(this);
    Btn_Retry = buttons->addButton(tr("&Try again"), QDialogButtonBox::ActionRole);
    Btn_Retry->setObjectName(QStringLiteral("Btn_Retry"));
    Btn_Retry->setAccessibleName(tr("Try again"));
    Btn_Retry->hide();
    Btn_OpenManual = buttons->addButton(tr("&Open the manual"), QDialogButtonBox::AcceptRole);
    Btn_OpenManual->setObjectName(QStringLiteral("Btn_OpenManual"));
    Btn_OpenManual->setAccessibleName(tr("Open the manual"));
    Btn_OpenManual->setDefault(true);
    column->addWidget(buttons);
    connect(Btn_Retry, &QPushButton::clicked, this, [this] { Install(); });
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);

    resize(560, 280);
}

void TReaderSetupWindow::showEvent(QShowEvent* Event)
{
    QDialog::showEvent(Event);
    // Drawn first, so that the user sees what is being installed while it is.
    if (!FTried)
        QTimer::singleShot(0, this, [this] {
            if (!FTried)
                Install();
        });
}

void TReaderSetupWindow::Install()
{
    FTried = true;
    L_Result->setText(tr("Installing…"));
    L_Result->repaint();
    const QString error = InstallReader(FPaths.Component, FPaths.Folder);
    FInstalled = error.isEmpty();
    if (FInstalled)
        L_Result->setText(tr("The PDF reader has been installed in %1. Tavo C.H. starts again "
                             "with the manual open when you close this window.")
                              .arg(Native(FPaths.Folder)));
    else
        L_Result->setText(tr("The PDF reader could not be installed: %1").arg(error));
    QPalette pal = L_Result->palette();
    pal.setColor(QPalette::WindowText, FInstalled ? QColor(0, 100, 0) : QColor(Qt::red));
    L_Result->setPalette(pal);
    L_Result->setAccessibleDescription(L_Result->text());
    Btn_Retry->setVisible(!FInstalled);
    Btn_OpenManual->setFocus(Qt::OtherFocusReason);
}

void TReaderSetupWindow::StartShell()
{
    if (FShellStarted)
        return;
    FShellStarted = FStarter && FStarter(FPaths.Shell, ShellArguments());
}

void TReaderSetupWindow::done(int Result)
{
    // The shell closed itself to start the installer: however this window closes, the
    // user is taken back to it.
    if (!FShellStarted && !FShellFailed) {
        StartShell();
        if (!FShellStarted && isVisible()) {
            // Said once; the next close ends the installer.
            FShellFailed = true;
            L_Result->setText(
                tr("%1\n\nTavo C.H. could not be started again; start it from the disc.")
                    .arg(L_Result->text()));
            return;
        }
    }
    QDialog::done(Result);
}

}  // namespace tavo::readersetup
