#include "tests/support/outputlevels.h"

#include <cmath>
#include <future>

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <gst/app/gstappsink.h>
#include <gst/gst.h>
#include <gtest/gtest.h>

#include "player/gstmediaplayer.h"

GstElement* SilentSink() {
    gst_init(nullptr, nullptr);
    GstElement* sink = gst_element_factory_make("fakesink", nullptr);
    g_object_set(sink, "sync", TRUE, nullptr);
    return sink;
}

ChannelLevels MeasureOutput(const QString& path,
                            const std::function<void(GstMediaPlayer&)>& prepare) {
    gst_init(nullptr, nullptr);
    GstElement* sink = gst_element_factory_make("appsink", nullptr);
    GstCaps* caps = gst_caps_from_string("audio/x-raw,format=F32LE,layout=interleaved,channels=2");
    g_object_set(sink, "caps", caps, "sync", FALSE, nullptr);
    gst_caps_unref(caps);
    gst_object_ref(sink);
    // Built as the program builds it: the pipeline comes at the first need,
    // and the first song starts when the event loop turns.
    std::promise<GstElement*> opened;
    opened.set_value(sink);
    GstMediaPlayer player(opened.get_future(), {});
    player.OpenFile(path);
    prepare(player);
    double sums[2] = {0, 0};
    long frames = 0;
    constexpr long second = 44100;
    QDeadlineTimer deadline(5000);
    while (frames < second && !deadline.hasExpired()) {
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
    gst_object_unref(sink);
    EXPECT_GE(frames, second);
    auto decibels = [frames](double sum) {
        return 10 * std::log10(sum / std::max(1L, frames));
    };
    return {decibels(sums[0]), decibels(sums[1])};
}
