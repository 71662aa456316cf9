#pragma once
// Builds the 128-byte ID3v1 block that ends a song file.

#include <QByteArray>

struct Id3Fields {
    QByteArray title = {};
    QByteArray artist = {};
    QByteArray album = {};
    QByteArray year = {};
    char padding = ' ';
    QByteArray marker = "TAG";
    int track = 0; // ID3v1.1: the comment's last byte, after a NUL
};

inline QByteArray Id3Block(const Id3Fields& tag) {
    auto field = [&tag](const QByteArray& value, int width) {
        return value.leftJustified(width, tag.padding, true);
    };
    QByteArray block = tag.marker + field(tag.title, 30) + field(tag.artist, 30) +
                       field(tag.album, 30) + field(tag.year, 4);
    block = block.leftJustified(128, '\0');
    block[126] = char(tag.track);
    return block;
}
