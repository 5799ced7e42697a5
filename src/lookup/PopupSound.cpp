// The sound of a popup list opening: the desktop sound theme's "menu-popup" event through
// libcanberra, the freedesktop library for event sounds. The library is looked up when the
// first popup opens, so the program neither needs it to build nor to run: without it, or
// without a sound system, or when the theme has no such sound, nothing is heard. Sounds are
// played on a thread of their own, so that a slow sound system never holds up the window.
#include <QCoreApplication>
#include <QLibrary>
#include <QPointer>
#include <QThread>
#include <cstdint>
#include <utility>

#include "lookup/LookUpList.h"

namespace tavo::lookup {

namespace {

constexpr const char* PopupEvent = "menu-popup";

// The entry points of libcanberra used here.
struct TCanberra {
    using Create = int (*)(void** Context);
    using ChangeProps = int (*)(void* Context, ...);
    using Play = int (*)(void* Context, uint32_t Id, ...);
    using Destroy = int (*)(void* Context);

    Create create = nullptr;
    ChangeProps changeProps = nullptr;
    Play play = nullptr;
    Destroy destroy = nullptr;
};

// Lives on the sound thread; everything that touches the library happens there.
class TSoundWorker : public QObject {
public:
    ~TSoundWorker() override
    {
        if (FContext && FApi.destroy)
            FApi.destroy(FContext);
    }

    void Play(const QByteArray& EventId)
    {
        if (!Open())
            return;
        // Not waiting, not stopping a sound that plays; a theme without the event is silent.
        FApi.play(FContext, 0, "event.id", EventId.constData(), "canberra.cache-control",
                  "volatile", static_cast<const char*>(nullptr));
    }

private:
    bool Open()
    {
        if (FTried)
            return FContext != nullptr;
        FTried = true;
        FLibrary.setFileNameAndVersion(QStringLiteral("canberra"), 0);
        if (!FLibrary.load())
            return false;
        FApi.create = reinterpret_cast<TCanberra::Create>(FLibrary.resolve("ca_context_create"));
        FApi.changeProps =
            reinterpret_cast<TCanberra::ChangeProps>(FLibrary.resolve("ca_context_change_props"));
        FApi.play = reinterpret_cast<TCanberra::Play>(FLibrary.resolve("ca_context_play"));
        FApi.destroy = reinterpret_cast<TCanberra::Destroy>(FLibrary.resolve("ca_context_destroy"));
        if (!FApi.create || !FApi.play || !FApi.destroy || FApi.create(&FContext) != 0) {
            FContext = nullptr;
            return false;
        }
        if (FApi.changeProps) {
            const QByteArray name = QCoreApplication::applicationName().toUtf8();
            FApi.changeProps(FContext, "application.name", name.constData(),
                             static_cast<const char*>(nullptr));
        }
        return true;
    }

    QLibrary FLibrary;
    TCanberra FApi;
    void* FContext = nullptr;
    bool FTried = false;
};

QPointer<QThread> SoundThread;
QPointer<TSoundWorker> SoundWorker;
TSoundPlayer Player;

void StopSoundThread()
{
    if (!SoundThread)
        return;
    if (SoundWorker)
        QMetaObject::invokeMethod(SoundWorker, &QObject::deleteLater);
    SoundThread->quit();
    SoundThread->wait();
    delete SoundThread;
}

void PlayThroughCanberra(const char* EventId)
{
    QCoreApplication* app = QCoreApplication::instance();
    if (!app)
        return;
    if (!SoundThread) {
        auto* thread = new QThread;
        thread->setObjectName(QStringLiteral("Event sounds"));
        auto* worker = new TSoundWorker;
        worker->moveToThread(thread);
        QObject::connect(app, &QCoreApplication::aboutToQuit, app, StopSoundThread);
        thread->start(QThread::LowPriority);
        SoundThread = thread;
        SoundWorker = worker;
    }
    const QByteArray id(EventId);
    QMetaObject::invokeMethod(SoundWorker, [id] {
        if (SoundWorker)
            SoundWorker->Play(id);
    });
}

}  // namespace

void PlayPopupSound()
{
    if (Player)
        Player(PopupEvent);
    else
        PlayThroughCanberra(PopupEvent);
}

TSoundPlayer SetPopupSoundPlayer(TSoundPlayer NewPlayer)
{
    return std::exchange(Player, std::move(NewPlayer));
}

}  // namespace tavo::lookup
