// The programs follow the usual command-line conventions: --help and --version answer on
// standard output without needing a display, anything else they do not take is a usage
// error (status 2, the usage on standard error).
#include <QProcess>
#include <QProcessEnvironment>
#include <gtest/gtest.h>

namespace {

struct TResult {
    int Status = -1;
    QString Out, Err;
};

// In English unless Language names a locale.
TResult RunProgram(const QString& Program, const QStringList& Args, bool Display = false,
                   const QString& Language = QStringLiteral("C.UTF-8"))
{
    QProcess process;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    for (const char* name : {"LC_ALL", "LC_MESSAGES", "LANGUAGE"})
        env.remove(name);
    env.insert("LANG", Language);
    env.remove("DISPLAY");
    env.remove("WAYLAND_DISPLAY");
    if (Display)
        env.insert("QT_QPA_PLATFORM", "offscreen");
    else
        env.remove("QT_QPA_PLATFORM");
    process.setProcessEnvironment(env);
    process.start(Program, Args);
    EXPECT_TRUE(process.waitForFinished(30000)) << Program.toStdString();
    return {process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1,
            QString::fromUtf8(process.readAllStandardOutput()),
            QString::fromUtf8(process.readAllStandardError())};
}

class CommandLine : public ::testing::TestWithParam<const char*> {};

TEST_P(CommandLine, HelpVersionAndUsageErrors)
{
    const QString program = GetParam();
    const QString name = program.section('/', -1);
    TResult r = RunProgram(program, {"--help"});
    EXPECT_EQ(r.Status, 0);
    EXPECT_TRUE(r.Out.contains("Usage: ") || r.Out.startsWith("Usage:")) << r.Out.toStdString();
    EXPECT_TRUE(r.Out.contains(name)) << r.Out.toStdString();

    r = RunProgram(program, {"--version"});
    EXPECT_EQ(r.Status, 0);
    EXPECT_EQ(r.Out, name + " 3.2.0\n");

    for (const QStringList& args :
         {QStringList{"--no-such-option"}, QStringList{"surplus", "words"}}) {
        r = RunProgram(program, args, true);
        EXPECT_EQ(r.Status, 2) << args.join(' ').toStdString();
        EXPECT_TRUE(r.Err.contains("Usage:")) << r.Err.toStdString();
        EXPECT_TRUE(r.Out.isEmpty());
    }
}

TEST(ShellCommandLine, OnlyTheKnownTabsAreTaken)
{
    for (const QStringList& args :
         {QStringList{"--tab", "nowhere"}, QStringList{"--tab=dok"}, QStringList{"--tab"}}) {
        const TResult r = RunProgram(TAVO_SHELL, args, true);
        EXPECT_EQ(r.Status, 2) << args.join(' ').toStdString();
        EXPECT_TRUE(r.Err.contains("Usage:")) << r.Err.toStdString();
    }
    const TResult help = RunProgram(TAVO_SHELL, {"--help"});
    EXPECT_TRUE(help.Out.contains("--tab")) << help.Out.toStdString();
}

TEST(ShellCommandLine, HelpIsInTheUsersLanguage)
{
    const TResult polish = RunProgram(TAVO_SHELL, {"--help"}, false, "pl_PL.UTF-8");
    EXPECT_EQ(polish.Status, 0);
    EXPECT_TRUE(polish.Out.startsWith(QStringLiteral("Użycie: tavo-shell")))
        << polish.Out.toStdString();
    EXPECT_TRUE(polish.Out.contains(QStringLiteral("--tab NAZWA"))) << polish.Out.toStdString();
    const TResult wrong = RunProgram(TAVO_SHELL, {"--tab", "nowhere"}, true, "pl_PL.UTF-8");
    EXPECT_EQ(wrong.Status, 2);
    EXPECT_TRUE(wrong.Err.contains(QStringLiteral("Użycie: tavo-shell")))
        << wrong.Err.toStdString();
    const TResult english = RunProgram(TAVO_SHELL, {"-h"}, false, "en_GB.UTF-8");
    EXPECT_TRUE(english.Out.startsWith("Usage: tavo-shell")) << english.Out.toStdString();
}

INSTANTIATE_TEST_SUITE_P(Programs, CommandLine,
                         ::testing::Values(TAVO_SHELL, TAVO_GALLERY, TAVO_CATALOGUE));

}  // namespace
