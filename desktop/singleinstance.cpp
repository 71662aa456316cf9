#include "desktop/singleinstance.h"

#include <QDBusConnectionInterface>
#include <QDBusMessage>

#include "base/files.h"
#include "desktop/mediacommands.h"

namespace {

const QString AppName = QStringLiteral("org.tunevault.Tunevault");
const QString AppPath = QStringLiteral("/org/tunevault/Tunevault");
const QString AppInterface = QStringLiteral("org.freedesktop.Application");

// The launch's startup notification, as the desktop's programs pass it on.
QVariantMap PlatformData(const QByteArray& startupId) {
    if (startupId.isEmpty())
        return {};
    return {{QStringLiteral("desktop-startup-id"), QString::fromUtf8(startupId)}};
}

SingleInstance::Outcome HandOver(const QDBusConnection& bus, const QStringList& songs,
                                 const QByteArray& startupId) {
    QDBusMessage call = QDBusMessage::createMethodCall(AppName, AppPath, AppInterface,
                                                       songs.isEmpty() ? QStringLiteral("Activate")
                                                                       : QStringLiteral("Open"));
    QStringList uris;
    for (const QString& song : songs)
        uris.append(MP3Mod::FileUri(song));
    if (!songs.isEmpty())
        call << uris;
    call << PlatformData(startupId);
    const QDBusMessage reply = bus.call(call, QDBus::Block, SingleInstance::AnswerMilliseconds);
    return reply.type() == QDBusMessage::ReplyMessage ? SingleInstance::Outcome::HandedOver
                                                      : SingleInstance::Outcome::NoAnswer;
}

} // namespace

SingleInstance::SingleInstance() {
    new ApplicationAdaptor(*this);
}

SingleInstance::Outcome SingleInstance::Claim(QDBusConnection bus, const QStringList& songs,
                                              const QByteArray& startupId) {
    QDBusConnectionInterface* names = bus.isConnected() ? bus.interface() : nullptr;
    // The object comes first, so that no call finds the name without it.
    if (names == nullptr || !bus.registerObject(AppPath, this, QDBusConnection::ExportAdaptors))
        return Outcome::NoBus;
    const QDBusReply<QDBusConnectionInterface::RegisterServiceReply> claimed =
        names->registerService(AppName, QDBusConnectionInterface::DontQueueService,
                               QDBusConnectionInterface::DontAllowReplacement);
    if (!claimed.isValid())
        return Outcome::NoBus;
    if (claimed.value() == QDBusConnectionInterface::ServiceRegistered)
        return Outcome::First;
    bus.unregisterObject(AppPath);
    return HandOver(bus, songs, startupId);
}

void SingleInstance::Serve(MediaCommands& commands) {
    commands_ = &commands;
    for (auto& call : early_)
        Run(std::move(call));
    early_.clear();
}

void SingleInstance::Activate() {
    Run([](MediaCommands& commands) { commands.Raise(); });
}

void SingleInstance::Open(const QStringList& uris) {
    Run([uris](MediaCommands& commands) { commands.OpenUris(uris); });
}

void SingleInstance::Run(std::function<void(MediaCommands&)> call) {
    if (commands_ == nullptr) {
        early_.push_back(std::move(call));
        return;
    }
    commands_->Post([commands = commands_, call = std::move(call)] { call(*commands); });
}
