#pragma once
// What a real player sends to its output, captured by an application sink.

#include <functional>

#include <QString>

class GstMediaPlayer;

struct ChannelLevels {
    double left;  // decibels
    double right; // decibels
};

// Plays the first second of a song through a new player, set up by prepare
// right after the song was opened (before its pipeline is built, as at
// start-up), and measures the loudness of each channel. Given a change, the
// player is changed after that second, and half a second that follows is
// measured instead.
ChannelLevels MeasureOutput(const QString& path,
                            const std::function<void(GstMediaPlayer&)>& prepare,
                            const std::function<void(GstMediaPlayer&)>& change = {});
