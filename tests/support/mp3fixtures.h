#pragma once
// Short MP3 files made for the tests with sox and lame.

#include <QString>
#include <QStringList>

// Makes a file of a sine tone (stereo unless channels is 1) of the given
// length; extra lame arguments may add a tag. Fails the test program when the
// tools are missing.
QString MakeToneMp3(const QString& path, double seconds, int channels = 2,
                    const QStringList& lameArguments = {});
