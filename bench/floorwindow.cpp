// The floor of starting up: a bare std::filesystem listing of the folder with
// the song pattern and a case-insensitive sort, then a bare frameless Qt
// window with the given title.
// Usage: floorwindow TITLE [FOLDER]

#include <algorithm>
#include <filesystem>
#include <string>
#include <vector>

#include <QApplication>
#include <QWidget>
#include <strings.h>

int main(int argc, char* argv[]) {
    std::vector<std::string> names;
    if (argc > 2) {
        for (const auto& entry : std::filesystem::directory_iterator(argv[2])) {
            std::string name = entry.path().filename().string();
            if (entry.is_regular_file() && strcasestr(name.c_str(), ".mp3") != nullptr)
                names.push_back(std::move(name));
        }
        std::sort(names.begin(), names.end(), [](const std::string& a, const std::string& b) {
            return strcasecmp(a.c_str(), b.c_str()) < 0;
        });
    }
    QApplication app(argc, argv);
    QWidget window(nullptr, Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint);
    window.setWindowTitle(QString::fromLocal8Bit(argv[1]));
    window.resize(265, 154);
    window.show();
    return QApplication::exec();
}
