// The memory that opening songs costs: one song is opened again and again
// into a silent sink, and the resident memory is read before and after, in KiB
// a song. With "floor", a bare playbin does the same: GStreamer's own cost.
// Usage: songmemory SONG [SONGS [floor]]

#include <cstdio>
#include <fstream>
#include <string>

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <gst/gst.h>

#include "player/gstmediaplayer.h"

namespace {

constexpr int WarmUp = 50; // caches and pools fill up first

long ResidentKiB() {
    std::ifstream status("/proc/self/status");
    for (std::string line; std::getline(status, line);)
        if (line.rfind("VmRSS:", 0) == 0)
            return std::stol(line.substr(6));
    return 0;
}

void OpenInPlayer(GstMediaPlayer& player, const QString& song) {
    player.OpenFile(song);
    const QDeadlineTimer opening(5000);
    while (player.Position() < -1 && !opening.hasExpired())
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 10);
}

void OpenInPlaybin(GstElement* playbin, const QString& song) {
    gchar* uri = gst_filename_to_uri(song.toLocal8Bit().constData(), nullptr);
    gst_element_set_state(playbin, GST_STATE_NULL);
    g_object_set(playbin, "uri", uri, nullptr);
    gst_element_set_state(playbin, GST_STATE_PLAYING);
    gst_element_get_state(playbin, nullptr, nullptr, 5 * GST_SECOND);
    g_free(uri);
}

template <typename Open> double KiBPerSong(int songs, Open open) {
    for (int i = 0; i < WarmUp; ++i)
        open();
    const long before = ResidentKiB();
    for (int i = 0; i < songs; ++i)
        open();
    return double(ResidentKiB() - before) / songs;
}

} // namespace

int main(int argc, char* argv[]) {
    QCoreApplication app(argc, argv);
    if (argc < 2)
        return 2;
    const QString song = QString::fromLocal8Bit(argv[1]);
    const int songs = argc > 2 ? std::stoi(argv[2]) : 400;
    gst_init(nullptr, nullptr);
    if (argc > 3 && std::string(argv[3]) == "floor") {
        GstElement* playbin = gst_element_factory_make("playbin", nullptr);
        g_object_set(playbin, "audio-sink", PlayerPipeline::SilentSink(), nullptr);
        std::printf("%.2f\n", KiBPerSong(songs, [&] { OpenInPlaybin(playbin, song); }));
        return 0;
    }
    GstMediaPlayer player(PlayerPipeline::SilentSink());
    std::printf("%.2f\n", KiBPerSong(songs, [&] { OpenInPlayer(player, song); }));
    return 0;
}
