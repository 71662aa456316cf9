#include "library/files.h"

#include <QDir>
#include <QFile>

#include <algorithm>
#include <cstring>
#include <filesystem>
#include <utility>
#include <vector>

namespace fs = std::filesystem;

namespace MP3Mod {

namespace {

fs::path NativePath(const QString& path) {
    return fs::path(QFile::encodeName(path).toStdString());
}

bool IsHiddenName(const std::string& name) {
    return !name.empty() && name.front() == '.';
}

std::string LastComponent(const QString& path) {
    return path.mid(path.lastIndexOf(QLatin1Char('/')) + 1).toStdString();
}

// The file name part of a directory entry, without building another path.
std::string EntryName(const fs::directory_entry& entry) {
    const std::string& full = entry.path().native();
    return full.substr(full.find_last_of('/') + 1);
}

bool IsNormalEntry(const fs::directory_entry& entry, const std::string& name) {
    std::error_code error;
    return !IsHiddenName(name) && entry.is_regular_file(error);
}

// Calls visit(entry, name) for each normal file of the folder until it
// returns false. Unreadable folders and entries are passed over.
template <typename Visit> void ForEachNormalFile(const QString& folder, Visit visit) {
    std::error_code error;
    fs::directory_iterator it(NativePath(folder), fs::directory_options::skip_permission_denied,
                              error);
    for (; !error && it != fs::directory_iterator(); it.increment(error)) {
        const std::string name = EntryName(*it);
        if (IsNormalEntry(*it, name) && !visit(name))
            return;
    }
}

// "*.mp3*" matches every name holding ".mp3".
std::string NeedleOf(const QString& pattern) {
    QString needle = pattern;
    if (needle.startsWith(QLatin1Char('*')))
        needle.remove(0, 1);
    if (needle.endsWith(QLatin1Char('*')))
        needle.chop(1);
    return needle.toStdString();
}

} // namespace

QString ExpandHome(const QString& path) {
    if (path == QLatin1String("~") || path.startsWith(QLatin1String("~/")))
        return QDir::homePath() + path.mid(1);
    return path;
}

bool FileExists(const QString& typed) {
    if (typed.isEmpty())
        return false;
    const QString path = ExpandHome(typed);
    if (path.endsWith(QLatin1Char('/'))) {
        bool found = false;
        ForEachNormalFile(path, [&found](const std::string&) {
            found = true;
            return false;
        });
        return found;
    }
    std::error_code error;
    return !IsHiddenName(LastComponent(path)) && fs::is_regular_file(NativePath(path), error);
}

QStringList ListNormalFiles(const QString& folder, const QString& pattern) {
    if (folder.isEmpty())
        return {};
    const std::string needle = NeedleOf(pattern);
    // Sorting on case-folded keys compares plain code units, which is much
    // cheaper than a case-insensitive comparison in every step of the sort.
    std::vector<std::pair<QString, QString>> keyed;
    ForEachNormalFile(folder, [&](const std::string& name) {
        if (strcasestr(name.c_str(), needle.c_str()) != nullptr) {
            QString qname = QString::fromUtf8(name.data(), qsizetype(name.size()));
            keyed.emplace_back(qname.toCaseFolded(), std::move(qname));
        }
        return true;
    });
    std::sort(keyed.begin(), keyed.end());
    QStringList names;
    names.reserve(qsizetype(keyed.size()));
    for (auto& entry : keyed)
        names.append(std::move(entry.second));
    return names;
}

QString NormalizedFolder(const QString& folder) {
    if (folder.isEmpty())
        return {};
    return QDir::cleanPath(QDir(ExpandHome(folder)).absolutePath());
}

} // namespace MP3Mod
