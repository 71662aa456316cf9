#pragma once
// A whole program on scripted dialogs and the in-memory player, with its
// settings file and a song folder in temporary folders.

#include <initializer_list>
#include <memory>

#include <gtest/gtest.h>

#include "app/program.h"
#include "controls/listbox.h"
#include "tests/support/fakemediaplayer.h"
#include "tests/support/printers.h"
#include "tests/support/scripteddialogs.h"
#include "tests/support/testfiles.h"

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
    // Writes the songs (each holding its own name), stores the song folder
    // and starts; what the start-up opened and asked is then forgotten.
    void startWith(std::initializer_list<QString> songs) {
        for (const QString& name : songs)
            music.write(name, name.toUtf8());
        storeDirectory(music.path());
        start();
        media.opened.clear();
        dialogs.shown.clear();
    }

    Form1& form1() { return program->form1; }
    Form2& form2() { return program->form2; }
    Form3& form3() { return program->form3; }
    Form4& form4() { return program->form4; }
    // Selects a row of the song list, as a click would.
    void select(int row) { form1().List1->SetListIndex(row); }
    // The playing song reaches its end.
    void endSong() { media.position = media.duration; }

    FakeMediaPlayer media;
    TestFolder config;
    TestFolder music;
    ScriptedDialogs dialogs;
    std::unique_ptr<Program> program;
    int ends = 0; // times the program ended itself
};
