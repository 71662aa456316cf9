#pragma once
// The floor of listing a song folder: a bare std::filesystem listing with the
// song pattern and a case-insensitive sort.

#include <algorithm>
#include <filesystem>
#include <string>
#include <vector>

#include <strings.h>

inline std::vector<std::string> SortedSongNames(const std::string& folder) {
    std::vector<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(folder)) {
        std::string name = entry.path().filename().string();
        if (entry.is_regular_file() && strcasestr(name.c_str(), ".mp3") != nullptr)
            names.push_back(std::move(name));
    }
    std::sort(names.begin(), names.end(), [](const std::string& a, const std::string& b) {
        return strcasecmp(a.c_str(), b.c_str()) < 0;
    });
    return names;
}
