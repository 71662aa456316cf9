#include "base/say.h"

#include <cstdio>
#include <mutex>

#include "base/files.h"

namespace MP3Mod {

namespace {

const QString Name = QStringLiteral("Tunevault");

std::mutex& Lock() {
    static std::mutex lock;
    return lock;
}

QStringList* kept = nullptr; // under Lock(): the lines of the SaidLines alive

} // namespace

void Say(const QString& text) {
    const QString line =
        text.startsWith(Name + QLatin1Char(' ')) ? text : Name + QStringLiteral(": ") + text;
    const std::lock_guard hold(Lock());
    if (kept != nullptr) {
        kept->append(line);
        return;
    }
    std::fputs((EncodeFileName(line) + '\n').constData(), stderr);
}

SaidLines::SaidLines() {
    const std::lock_guard hold(Lock());
    kept = new QStringList;
}

SaidLines::~SaidLines() {
    const std::lock_guard hold(Lock());
    delete std::exchange(kept, nullptr);
}

QStringList SaidLines::Lines() const {
    const std::lock_guard hold(Lock());
    return *kept;
}

bool SaidLines::Contains(const QString& part) const {
    return Lines().join(QLatin1Char('\n')).contains(part);
}

} // namespace MP3Mod
