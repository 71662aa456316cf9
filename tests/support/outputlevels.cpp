#include "tests/support/outputlevels.h"

#include <cmath>

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <gst/app/gstappsink.h>
#include <gst/gst.h>
#include <gtest/gtest.h>

#include "player/gstmediaplayer.h"

namespace {

constexpr long Second = 44100; // frames

// Pulls the given number of frames from the sink and measures their loudness.
ChannelLevels Pull(GstElement* sink, long wanted) {
    double sums[2] = {0, 0};
    long frames = 0;
    QDeadlineTimer deadline(5000);
    while (frames < wanted && !deadline.hasExpired()) {
        QCoreApplication::processEvents();
        GstSample* sample = gst_app_sink_try_pull_sample(GST_APP_SINK(sink), 10 * GST_MSECOND);
        if (!sample)
            continue;
        GstMapInfo map;
        GstBuffer* buffer = gst_sample_get_buffer(sample);
        gst_buffer_map(buffer, &map, GST_MAP_READ);
        const auto* samples = reinterpret_cast<const float*>(map.data);
        for (size_t i = 0; i + 1 < map.size / sizeof(float); i += 2, ++frames) {
            sums[0] += double(samples[i]) * samples[i];
            sums[1] += double(samples[i + 1]) * samples[i + 1];
        }
        gst_buffer_unmap(buffer, &map);
        gst_sample_unref(sample);
    }
    EXPECT_GE(frames, wanted);
    auto decibels = [frames](double sum) {
        return 10 * std::log10(sum / std::max(1L, frames));
    };
    return {decibels(sums[0]), decibels(sums[1])};
}

} // namespace

ChannelLevels MeasureOutput(const QString& path,
                            const std::function<void(GstMediaPlayer&)>& prepare,
                            const std::function<void(GstMediaPlayer&)>& change) {
    gst_init(nullptr, nullptr);
    GstElement* sink = gst_element_factory_make("appsink", nullptr);
    GstCaps* caps = gst_caps_from_string("audio/x-raw,format=F32LE,layout=interleaved,channels=2");
    // Few buffers wait in the sink, so that a change reaches the sound soon.
    g_object_set(sink, "caps", caps, "sync", FALSE, "max-buffers", 2, nullptr);
    gst_caps_unref(caps);
    gst_object_ref(sink);
    // Built as the program builds it: the pipeline comes at the first need,
    // and the first song starts when the event loop turns.
    GstMediaPlayer player(sink);
    player.OpenFile(path);
    prepare(player);
    ChannelLevels levels = Pull(sink, Second);
    if (change) {
        change(player);
        // Already on its way before the change: the sink's two buffers and the
        // one being put together, up to 100 ms each.
        Pull(sink, Second / 2);
        levels = Pull(sink, Second / 2);
    }
    gst_object_unref(sink);
    return levels;
}
