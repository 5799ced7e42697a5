#include "ComponentRegistry.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonObject>
#include <QObject>
#include <QPluginLoader>
#include <QRegularExpression>
#include <cstdio>
#include <dlfcn.h>

#include "Errors.h"
#include "Folders.h"
#include "FrameworkStrings.h"
#include "StartupLog.h"
#include "StringTable.h"

namespace tavo::platform {

namespace {

void Complain(const QString& Text)
{
    std::fprintf(stderr, "tavo: %s\n", qPrintable(Text));
}

[[noreturn]] void NotRegistered()
{
    throw EOleSysError(LoadStr(SClassNotRegistered));
}

}  // namespace

QString NormalClassId(const QString& ClassId)
{
    QString id = ClassId.trimmed().toUpper();
    if (!id.startsWith(u'{'))
        id.prepend(u'{');
    if (!id.endsWith(u'}'))
        id.append(u'}');
    return id;
}

TComponentRegistry::TComponentRegistry() = default;
TComponentRegistry::~TComponentRegistry() = default;

TComponentRegistry& TComponentRegistry::Instance()
{
    static TComponentRegistry registry;
    return registry;
}

QStringList TComponentRegistry::PluginFolders()
{
    QStringList folders;
    const QString path = qEnvironmentVariable("TAVO_PLUGIN_PATH");
    for (const QString& folder : path.split(u':', Qt::SkipEmptyParts))
        folders << folder;
    folders << QDir(QString::fromStdString(ExecutableFolder().string())).filePath("plugins");
    folders << QString::fromStdString(InstalledPluginFolder().string());
    QString data = qEnvironmentVariable("XDG_DATA_HOME");
    if (data.isEmpty())
        data = QString::fromStdString((HomeFolder() / ".local" / "share").string());
    folders << QDir(data).filePath("tavo/plugins");
    return folders;
}

void TComponentRegistry::ScanOnce()
{
    if (FScanned)
        return;
    FScanned = true;
    for (const QString& folder : PluginFolders()) {
        const QDir dir(folder);
        const auto files = dir.entryInfoList({"*.so"}, QDir::Files | QDir::Readable, QDir::Name);
        for (const QFileInfo& file : files) {
            // Reads the metadata section of the file; the library is not loaded.
            const QJsonObject meta = QPluginLoader(file.absoluteFilePath()).metaData();
            if (meta.value("IID").toString() != QLatin1String(TavoComponentFactory_iid))
                continue;
            const QJsonArray ids =
                meta.value("MetaData").toObject().value(kComponentClassIdsKey).toArray();
            for (const auto& id : ids) {
                const QString key = NormalClassId(id.toString());
                if (!FFiles.contains(key))
                    FFiles.insert(key, file.absoluteFilePath());
            }
        }
    }
}

void TComponentRegistry::Rescan()
{
    FScanned = false;
    FFiles.clear();
}

bool TComponentRegistry::IsRegistered(const QString& ClassId)
{
    return !PluginFile(ClassId).isEmpty();
}

QString TComponentRegistry::PluginFile(const QString& ClassId)
{
    ScanOnce();
    return FFiles.value(NormalClassId(ClassId));
}

QObject* TComponentRegistry::Create(const QString& ClassId, QWidget* Parent)
{
    const QString file = PluginFile(ClassId);
    if (file.isEmpty())
        NotRegistered();
    auto& loader = FLoaders[file];
    if (!loader)
        loader = std::make_shared<QPluginLoader>(file);
    QObject* root = LoadRoot(*loader);
    if (!root) {
        Complain(QStringLiteral("cannot load the component %1 from %2: %3")
                     .arg(ClassId, file, loader->errorString()));
        FLoaders.remove(file);  // a loader tries once in its life; the next creation tries anew
        NotRegistered();
    }
    auto* factory = qobject_cast<IComponentFactory*>(root);
    if (!factory) {
        Complain(QStringLiteral("%1 does not create components").arg(file));
        NotRegistered();
    }
    LogLifeEvent("component loaded");
    QObject* component = factory->CreateComponent(NormalClassId(ClassId), Parent);
    LogLifeEvent("component created");
    if (!component) {
        Complain(QStringLiteral("%1 created no component of class %2").arg(file, ClassId));
        NotRegistered();
    }
    return component;
}

QString TComponentRegistry::RuntimeFolder() const
{
    if (!FRuntimeFolder.isEmpty())
        return FRuntimeFolder;
    return QDir(QString::fromStdString(ExecutableFolder().string())).filePath("lib");
}

void TComponentRegistry::SetRuntimeFolder(const QString& Folder)
{
    FRuntimeFolder = Folder;
}

QObject* TComponentRegistry::LoadRoot(QPluginLoader& Loader) const
{
    if (!Loader.isLoaded())
        PreloadFromRuntime(Loader.fileName());
    return Loader.instance();
}

void TComponentRegistry::PreloadFromRuntime(const QString& File) const
{
    // The dynamic loader searches a plugin's own run path, which for a plugin copied out of
    // the disc points nowhere: each library it cannot find is loaded from the program's
    // runtime folder by its full path (then its name is known to the loader), and the
    // plugin is tried again. Only bare library names are taken from the message. The
    // plugin, once loaded here, stays: the plugin loader then finds it loaded.
    static const QRegularExpression missing(
        QStringLiteral("(lib[A-Za-z0-9_+.-]+\\.so[0-9.]*): cannot open shared object file"));
    const QByteArray file = QFile::encodeName(File);
    for (int tries = 0; tries < 32; ++tries) {
        if (dlopen(file.constData(), RTLD_NOW | RTLD_LOCAL))
            return;
        const QRegularExpressionMatch m = missing.match(QString::fromLocal8Bit(dlerror()));
        if (!m.hasMatch())
            return;
        const QString candidate = QDir(RuntimeFolder()).filePath(m.captured(1));
        if (!QFileInfo(candidate).isFile() ||
            !dlopen(QFile::encodeName(candidate).constData(), RTLD_NOW | RTLD_GLOBAL))
            return;
    }
}

}  // namespace tavo::platform
