#pragma once
// One Tunevault on the desktop. The first claims the application's bus name
// in one request that never queues, before any window or question, and
// serves org.freedesktop.Application there; a launch that finds the name
// taken hands its songs, or its launch, to the owner and ends.

#include <functional>
#include <vector>

#include <QDBusAbstractAdaptor>
#include <QDBusConnection>
#include <QObject>
#include <QStringList>
#include <QVariantMap>

class MediaCommands;

class SingleInstance : public QObject {
    Q_OBJECT
public:
    enum class Outcome {
        First,      // the name is this launch's: it becomes the player
        HandedOver, // the running Tunevault took the songs, or was raised
        NoAnswer,   // a Tunevault runs but did not answer in time
        NoBus,      // no session bus: this launch plays on its own
    };
    // How long a launch waits for the running Tunevault's answer.
    static constexpr int AnswerMilliseconds = 2000;

    // Made on the windows' thread, where the later launches' calls run.
    SingleInstance();

    // Serves the application's object and claims the name; where the name is
    // taken, hands the songs (all in one call, in order) and the launch's
    // startup id to its owner. May run on a thread of its own.
    Outcome Claim(QDBusConnection bus, const QStringList& songs, const QByteArray& startupId);
    // From here on the later launches' calls run through the desktop's
    // command queue; those that came during the start-up run now.
    void Serve(MediaCommands& commands);

    // The calls of later launches, from the bus.
    void Activate();
    void Open(const QStringList& uris);

private:
    void Run(std::function<void(MediaCommands&)> call);

    MediaCommands* commands_ = nullptr;
    std::vector<std::function<void(MediaCommands&)>> early_;
};

// org.freedesktop.Application on the application's object.
class ApplicationAdaptor : public QDBusAbstractAdaptor {
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.freedesktop.Application")
public:
    explicit ApplicationAdaptor(SingleInstance& instance)
        : QDBusAbstractAdaptor(&instance), instance_(instance) {}

public slots:
    void Activate(const QVariantMap&) { instance_.Activate(); }
    void Open(const QStringList& uris, const QVariantMap&) { instance_.Open(uris); }
    // The application has no actions.
    void ActivateAction(const QString&, const QVariantList&, const QVariantMap&) {}

private:
    SingleInstance& instance_;
};
