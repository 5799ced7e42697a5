// Components found by their plugins' metadata and loaded on first creation.
#include <QFile>
#include <QLabel>
#include <QWidget>
#include <gtest/gtest.h>

#include "TestEnvironment.h"
#include "platform/ComponentRegistry.h"
#include "platform/Errors.h"

using namespace tavo::platform;
namespace fs = std::filesystem;

namespace {

const QString kEcho = "{7E57C0DE-0000-4000-8000-000000000001}";
const QString kEchoSecond = "{7E57C0DE-0000-4000-8000-0000000000AA}";
const QString kWrong = "{7E57C0DE-0000-4000-8000-000000000002}";
const QString kMissing = "{7E57C0DE-0000-4000-8000-000000000003}";

bool Mapped(const QString& File)
{
    QFile maps("/proc/self/maps");
    maps.open(QIODevice::ReadOnly);
    return maps.readAll().contains(File.toUtf8());
}

class Components : public ::testing::Test {
protected:
    void SetUp() override { UsePath(TEST_PLUGIN_DIR); }
    void TearDown() override
    {
        qunsetenv("TAVO_PLUGIN_PATH");
        FRegistry.Rescan();
    }
    void UsePath(const QString& Path)
    {
        qputenv("TAVO_PLUGIN_PATH", Path.toUtf8());
        FRegistry.Rescan();
    }

    TComponentRegistry FRegistry;
};

TEST_F(Components, AreFoundByMetadataAndLoadedOnlyWhenFirstCreated)
{
    const QString file = FRegistry.PluginFile(kEcho);
    ASSERT_TRUE(file.endsWith("libEchoComponent.so")) << file.toStdString();
    // Class ids are matched without braces or letter case mattering.
    EXPECT_EQ(FRegistry.PluginFile("7e57c0de-0000-4000-8000-000000000001"), file);
    EXPECT_EQ(FRegistry.PluginFile(kEchoSecond), file);
    EXPECT_FALSE(Mapped(file));

    QWidget parent;
    QObject* created = FRegistry.Create(kEcho, &parent);
    EXPECT_TRUE(Mapped(file));
    auto* label = qobject_cast<QLabel*>(created);
    ASSERT_NE(label, nullptr);
    EXPECT_EQ(label->parent(), &parent);
    EXPECT_EQ(label->text(), kEcho);
    // A second component of the same plugin reuses the loaded library.
    QObject* second = FRegistry.Create(kEchoSecond, &parent);
    EXPECT_EQ(qobject_cast<QLabel*>(second)->text(), kEchoSecond);
}

TEST_F(Components, ThatCannotBeHadRaiseClassNotRegistered)
{
    QWidget parent;
    for (const QString& id :
         {QString("{00000000-0000-0000-0000-000000000000}"), kWrong, kMissing}) {
        SCOPED_TRACE(id.toStdString());
        try {
            FRegistry.Create(id, &parent);
            ADD_FAILURE() << "created";
        } catch (const EOleSysError& error) {
            EXPECT_STREQ(error.what(), "Class not registered");
        }
    }
    EXPECT_FALSE(FRegistry.IsRegistered("{00000000-0000-0000-0000-000000000000}"));
    // Both broken plugins are registered: they fail only when loaded.
    EXPECT_TRUE(FRegistry.IsRegistered(kWrong));
    EXPECT_TRUE(FRegistry.IsRegistered(kMissing));
    EXPECT_TRUE(parent.children().isEmpty());
}

TEST_F(Components, APluginFindsWhatTheMachineLacksInTheProgramsRuntimeFolder)
{
    QWidget parent;
    // The runtime folder holds other libraries only: the plugin still cannot be had.
    FRegistry.SetRuntimeFolder(TEST_PLUGIN_DIR);
    EXPECT_THROW(FRegistry.Create(kMissing, &parent), EOleSysError);
    // The folder with the library the plugin links: loaded from there, then the plugin.
    FRegistry.SetRuntimeFolder(TEST_DEPENDENCY_DIR);
    QObject* created = FRegistry.Create(kMissing, &parent);
    ASSERT_NE(created, nullptr);
    EXPECT_EQ(created->property("answer").toInt(), 42);
    EXPECT_TRUE(Mapped(QString(TEST_DEPENDENCY_DIR) + "/libtavo_test_dependency.so"));
}

TEST_F(Components, FolderOrderDecidesAndAnEmptyPathFindsNothing)
{
    const fs::path empty = tavo::test::TestFolder() / "no-plugins";
    fs::create_directories(empty);
    UsePath(QString::fromStdString(empty.string()));
    EXPECT_FALSE(FRegistry.IsRegistered(kEcho));

    // The same plugin in two folders: the first folder on the path serves it.
    const fs::path first = tavo::test::TestFolder() / "first";
    fs::create_directories(first);
    fs::copy_file(fs::path(TEST_PLUGIN_DIR) / "libEchoComponent.so", first / "libEcho2.so");
    UsePath(QString::fromStdString(first.string()) + ":" + TEST_PLUGIN_DIR);
    EXPECT_EQ(FRegistry.PluginFile(kEcho).toStdString(), (first / "libEcho2.so").string());
    // A file that is no plugin at all is passed over.
    tavo::test::WriteFile(first / "libjunk.so", "not a library");
    FRegistry.Rescan();
    EXPECT_TRUE(FRegistry.IsRegistered(kEcho));
}

}  // namespace
