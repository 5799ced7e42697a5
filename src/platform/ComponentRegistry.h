#pragma once
// Components created by class id, as the platform's controls are: each is a plugin (a Qt
// plugin module) whose metadata names the class ids it serves. The registry finds plugins
// by reading their metadata, without loading them, and loads one only when a component of
// its class is first created, so start-up never pays for a browser or a PDF reader.
//
// Plugin folders, searched in this order (the first plugin naming a class id serves it):
//   the folders in $TAVO_PLUGIN_PATH (separated by ':'),
//   plugins/ beside the executable (the disc's own components),
//   ../lib/tavo/plugins from the executable's folder (an installed program),
//   ${XDG_DATA_HOME:-~/.local/share}/tavo/plugins (where an installer on the disc puts one).
#include <QHash>
#include <QString>
#include <QStringList>
#include <QtPlugin>
#include <memory>

class QObject;
class QPluginLoader;
class QWidget;

namespace tavo::platform {

// What every component plugin's root object answers. The object created is the component;
// callers ask it for the interface they drive with qobject_cast.
class IComponentFactory {
public:
    virtual ~IComponentFactory() = default;
    virtual QObject* CreateComponent(const QString& ClassId, QWidget* Parent) = 0;
};

}  // namespace tavo::platform

#define TavoComponentFactory_iid "org.tavo.ComponentFactory/1.0"
Q_DECLARE_INTERFACE(tavo::platform::IComponentFactory, TavoComponentFactory_iid)

namespace tavo::platform {

// Metadata key of the plugin's JSON file: an array of class id texts, "{...}" upper case.
inline constexpr const char* kComponentClassIdsKey = "ClassIds";

class TComponentRegistry {
public:
    TComponentRegistry();
    ~TComponentRegistry();
    TComponentRegistry(const TComponentRegistry&) = delete;
    TComponentRegistry& operator=(const TComponentRegistry&) = delete;

    // The process's registry.
    static TComponentRegistry& Instance();

    static QStringList PluginFolders();

    // True when some plugin names the class id (reads metadata only).
    bool IsRegistered(const QString& ClassId);
    // The plugin file serving the class id, or empty.
    QString PluginFile(const QString& ClassId);

    // Creates a component inside Parent. Raises EOleSysError "Class not registered" when no
    // plugin names the class id, or when the plugin will not load or creates nothing; the
    // loader's reason goes to standard error. Never unloads a plugin once loaded.
    QObject* Create(const QString& ClassId, QWidget* Parent);

    // Forgets what was found, so the next question reads the folders again (a plugin
    // installed while the program runs, or tests that change the folders).
    void Rescan();

    // The libraries the program carries (a disc's lib/ beside the executable). A plugin
    // installed elsewhere, as the reader the disc's installer puts in the user's folder,
    // finds what it links there when the machine lacks it.
    QString RuntimeFolder() const;
    void SetRuntimeFolder(const QString& Folder);

private:
    void ScanOnce();
    QObject* LoadRoot(QPluginLoader& Loader) const;
    void PreloadFromRuntime(const QString& File) const;

    bool FScanned = false;
    QString FRuntimeFolder;                                   // empty: lib/ beside the executable
    QHash<QString, QString> FFiles;                           // class id -> plugin file
    QHash<QString, std::shared_ptr<QPluginLoader>> FLoaders;  // plugin file -> its loader
};

// Normalised class id: braces, upper case.
QString NormalClassId(const QString& ClassId);

}  // namespace tavo::platform
