#pragma once
// A whole program on scripted dialogs, with its settings file and a song
// folder in temporary folders.

#include "tests/support/fakemediaplayer.h"
#include "tests/support/printers.h"
#include "tests/support/scripteddialogs.h"
#include "tests/support/testfiles.h"
#include "windows/program.h"

#include <gtest/gtest.h>

#include <memory>

class ProgramTest : public testing::Test {
protected:
    QString settingsFile() const { return config.at("tunevault/mp3.ini"); }
    void storeDirectory(const QString& folder) const {
        config.write("tunevault/mp3.ini", "[Settings]\nDIRECTORY=" + folder.toUtf8() + "\n");
    }
    Program& start() {
        program = std::make_unique<Program>(
            media, dialogs, ProgramPaths{settingsFile(), config.at("data")}, [this] { ++ends; });
        program->Start();
        return *program;
    }

    FakeMediaPlayer media;
    TestFolder config;
    TestFolder music;
    ScriptedDialogs dialogs;
    std::unique_ptr<Program> program;
    int ends = 0; // times the program ended itself
};
