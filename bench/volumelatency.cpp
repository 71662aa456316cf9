// How soon a change of volume, mute or balance is heard: the player plays a
// steady tone into the sound server named by PULSE_SERVER, the server's null
// sink is recorded from its monitor, and each change is timed from the call
// until the first recorded block at the new level. CHANGES changes of each
// kind, back and forth. Prints one line a kind: "volume|mute|balance
// MEDIAN_S WORST_S".
// Usage: volumelatency TONE.mp3 CHANGES
#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <functional>
#include <thread>
#include <vector>

#include <QCoreApplication>
#include <QProcess>

#include "player/gstmediaplayer.h"

namespace {

using Clock = std::chrono::steady_clock;

// 5 ms of 16-bit stereo at 44.1 kHz.
constexpr int BlockFrames = 220;

struct Block {
    Clock::time_point arrived;
    double left;  // decibels
    double right; // decibels
};

double Decibels(double sumOfSquares, int count) {
    return 10 * std::log10(std::max(sumOfSquares / count, 1e-12) / (32768.0 * 32768.0));
}

// The monitor's sound, cut into blocks as it arrives.
class Recorder {
public:
    Recorder() {
        parec_.start(QStringLiteral("parec"),
                     {QStringLiteral("--device=@DEFAULT_MONITOR@"), QStringLiteral("--raw"),
                      QStringLiteral("--format=s16le"), QStringLiteral("--rate=44100"),
                      QStringLiteral("--channels=2"), QStringLiteral("--latency-msec=5")});
        parec_.waitForStarted();
        QObject::connect(&parec_, &QProcess::readyReadStandardOutput, [this] { Read(); });
    }
    ~Recorder() {
        parec_.kill();
        parec_.waitForFinished();
    }
    // The first block that arrived after since and meets the test.
    template <typename Test> bool Find(Clock::time_point since, Test test, Clock::time_point& at) {
        for (const Block& block : blocks_)
            if (block.arrived > since && test(block)) {
                at = block.arrived;
                return true;
            }
        return false;
    }
    Block Last() const { return blocks_.empty() ? Block{} : blocks_.back(); }

private:
    void Read() {
        pending_ += parec_.readAllStandardOutput();
        const auto now = Clock::now();
        constexpr int BlockBytes = BlockFrames * 4;
        while (pending_.size() >= BlockBytes) {
            const auto* samples = reinterpret_cast<const qint16*>(pending_.constData());
            double left = 0, right = 0;
            for (int i = 0; i < BlockFrames; ++i) {
                left += double(samples[2 * i]) * samples[2 * i];
                right += double(samples[2 * i + 1]) * samples[2 * i + 1];
            }
            blocks_.push_back({now, Decibels(left, BlockFrames), Decibels(right, BlockFrames)});
            pending_.remove(0, BlockBytes);
        }
    }

    QProcess parec_;
    QByteArray pending_;
    std::vector<Block> blocks_;
};

void Run(double seconds) {
    const auto until = Clock::now() + std::chrono::duration<double>(seconds);
    while (Clock::now() < until) {
        QCoreApplication::processEvents(QEventLoop::AllEvents, 1);
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
}

// Makes a change and waits, up to two seconds, for the first block that
// shows it; the seconds it took, or 2 when it never showed.
template <typename Test>
double TimeChange(Recorder& recorder, const std::function<void()>& change, Test shows) {
    const auto start = Clock::now();
    change();
    Clock::time_point at;
    while (!recorder.Find(start, shows, at) && Clock::now() - start < std::chrono::seconds(2))
        Run(0.001);
    if (!recorder.Find(start, shows, at))
        return 2;
    return std::chrono::duration<double>(at - start).count();
}

void Report(const char* kind, std::vector<double> latencies) {
    std::sort(latencies.begin(), latencies.end());
    const std::size_t n = latencies.size();
    const double median = n % 2 ? latencies[n / 2] : (latencies[n / 2 - 1] + latencies[n / 2]) / 2;
    std::printf("%s %.3f %.3f\n", kind, median, latencies.back());
}

} // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    if (argc < 3) {
        std::fprintf(stderr, "usage: volumelatency TONE.mp3 CHANGES\n");
        return 2;
    }
    const int changes = std::atoi(argv[2]);
    GstMediaPlayer player({QStringLiteral("volumelatency"), {}});
    Recorder recorder;
    player.OpenFile(QString::fromLocal8Bit(argv[1]));
    Run(2); // the song has opened and plays steadily
    const double full = recorder.Last().left;
    // Loud and quiet are 10 dB apart; a block counts as changed once it is
    // within 2 dB of the new level.
    const auto near = [](double level, double goal) {
        return std::abs(level - goal) < 2;
    };
    // Each kind goes back and forth: every change is timed, both ways.
    std::vector<double> volume, mute, balance;
    for (int i = 0; i < changes; ++i) {
        const bool quiet = i % 2 == 0;
        volume.push_back(TimeChange(
            recorder, [&] { player.Volume(quiet ? -1000 : 0); },
            [&](const Block& b) { return near(b.left, quiet ? full - 10 : full); }));
        Run(0.4);
    }
    for (int i = 0; i < changes; ++i) {
        const bool off = i % 2 == 0;
        mute.push_back(TimeChange(
            recorder, [&] { player.Mute(off); },
            [&](const Block& b) { return off ? b.left < full - 40 : near(b.left, full); }));
        Run(0.4);
    }
    for (int i = 0; i < changes; ++i) {
        const bool right = i % 2 == 0; // the left channel 10 dB lower
        balance.push_back(TimeChange(
            recorder, [&] { player.Balance(right ? 1000 : 0); },
            [&](const Block& b) { return near(b.left, right ? full - 10 : full); }));
        Run(0.4);
    }
    Report("volume", volume);
    Report("mute", mute);
    Report("balance", balance);
    return 0;
}
