#include "WebEngineProfile.h"

#include <QCoreApplication>
#include <QDir>
#include <QLoggingCategory>
#include <QPointer>
#include <QWebEngineProfile>
#include <QWebEngineSettings>

namespace tavo::webengine {

namespace {

struct TProfileHolder {
    QPointer<QWebEngineProfile> Profile;
    QString DataFolder;   // where it keeps its storage: a process whose folders changed
    QString CacheFolder;  // (tests do) gets a new profile once the old one is unused
    int Users = 0;
    bool QuitHooked = false;
};

TProfileHolder& Holder()
{
    static TProfileHolder holder;
    return holder;
}

QString UserFolder(const char* Variable, const char* Fallback)
{
    QString base = qEnvironmentVariable(Variable);
    if (base.isEmpty() || QDir::isRelativePath(base))
        base = QDir::homePath() + QLatin1String(Fallback);
    return QDir::cleanPath(base + QStringLiteral("/tavo/web"));
}

void DropProfile()
{
    TProfileHolder& h = Holder();
    delete h.Profile.data();
    h.Profile.clear();
}

QWebEngineProfile* CurrentProfile()
{
    TProfileHolder& h = Holder();
    const QString data = ProfileDataFolder(), cache = ProfileCacheFolder();
    if (h.Profile && h.Users == 0 && (h.DataFolder != data || h.CacheFolder != cache))
        DropProfile();
    if (h.Profile)
        return h.Profile;
    PrepareEngineEnvironment();
    QDir().mkpath(data);
    QDir().mkpath(cache);
    auto* profile = new QWebEngineProfile(QStringLiteral("tavo"));
    profile->setPersistentStoragePath(data);
    profile->setCachePath(cache);
    profile->setHttpCacheType(QWebEngineProfile::DiskHttpCache);
    profile->setPersistentCookiesPolicy(QWebEngineProfile::AllowPersistentCookies);
    // A page opens a window only from a user's click; the control is told of the others
    // and refuses them.
    profile->settings()->setAttribute(QWebEngineSettings::JavascriptCanOpenWindows, true);
    profile->settings()->setAttribute(QWebEngineSettings::FullScreenSupportEnabled, true);
    profile->settings()->setAttribute(QWebEngineSettings::ScreenCaptureEnabled, true);
    h.Profile = profile;
    h.DataFolder = data;
    h.CacheFolder = cache;
    if (!h.QuitHooked && QCoreApplication::instance()) {
        h.QuitHooked = true;
        // Deleted while the engine still runs, so that its storage reaches the disk.
        QObject::connect(QCoreApplication::instance(), &QCoreApplication::aboutToQuit, [] {
            if (Holder().Users == 0)
                DropProfile();
        });
    }
    return profile;
}

}  // namespace

QString ProfileDataFolder()
{
    return UserFolder("XDG_DATA_HOME", "/.local/share");
}

QString ProfileCacheFolder()
{
    return UserFolder("XDG_CACHE_HOME", "/.cache");
}

void PrepareEngineEnvironment()
{
    // Without it the engine shows screen readers an empty page. The engine builds its
    // accessibility tree only once an assistive technology asks, so it costs nothing until
    // then.
    if (!qEnvironmentVariableIsSet("QTWEBENGINE_ENABLE_LINUX_ACCESSIBILITY"))
        qputenv("QTWEBENGINE_ENABLE_LINUX_ACCESSIBILITY", "1");
    // The engine describes its set-up on standard error at every start, which a user who
    // started the shell from a terminal never asked for; QT_LOGGING_RULES still wins.
    QLoggingCategory::setFilterRules(QStringLiteral("qt.webenginecontext.info=false"));
}

QWebEngineProfile* AcquireProfile()
{
    QWebEngineProfile* profile = CurrentProfile();
    ++Holder().Users;
    return profile;
}

void ReleaseProfile()
{
    TProfileHolder& h = Holder();
    if (h.Users > 0 && --h.Users == 0)
        DropProfile();
}

void PrepareProfile()
{
    CurrentProfile();
}

}  // namespace tavo::webengine
