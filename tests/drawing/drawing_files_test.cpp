// drawing_files_test.cpp — the drawing files: the load order and its bounds,
// the saved text, and a save that never leaves a broken or missing file.
#include <fcntl.h>
#include <sys/file.h>
#include <sys/mman.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

#include "drawing/drawing_fixture.h"

namespace {

namespace fs = std::filesystem;

using DrawingFiles = DrawingTest;

std::string contents(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    std::ostringstream out;
    out << in.rdbuf();
    return out.str();
}

// Files in `folder` whose name starts with "lines.txt.tmp".
int leftover_temporaries(const std::string& folder)
{
    int n = 0;
    for (const auto& entry : fs::directory_iterator(folder))
        if (entry.path().filename().string().rfind("lines.txt.tmp", 0) == 0)
            n++;
    return n;
}

const char* kTwoPointStroke = "#5,1,0,0,1\n10,20,1\n-30.5,50.25,1\n/\n";

TEST_F(DrawingFiles, LoadsTheProtectedLayerFirstAndSavesOnlyTheUsersStrokes)
{
    dir.write(kProtectedDrawingFile, "#3,1,1,0,1\n0,0,1\n1,1,1\n/\n");
    // A stray "/" outside a block and blank lines lose nothing.
    dir.write(kUserDrawingFile, "#5,1,0,0,1\n10,20,1\n\n-30.5,50.25,1\n/\n/\n");
    read_drawing_files();
    EXPECT_EQ(drawing.min_linenum_undo, 1);
    EXPECT_EQ(drawing.saved_num_line, 2);
    EXPECT_EQ(drawing.pointnum, 4);

    // The pen as "#LineThicknessColor" sets it, and a stroke in progress at
    // the centre of a globe facing 10 N, 20 E.
    drawing.color_drawing[1] = 0.373f;
    drawing.color_drawing[2] = 0.125f;
    face(10, 20);
    capture_stroke_sample(400, 300, false);

    ASSERT_TRUE(save_drawings());
    EXPECT_EQ(contents(kUserDrawingFile), std::string("#, 5,1,0,0,1\n"
                                                      " 10,20,1\n"
                                                      " -30.5,50.25,1\n"
                                                      "/\n"
                                                      "#, 5,1,0.373,0.125,1\n"
                                                      " 10,20,1\n"
                                                      "/\n"));
    EXPECT_EQ(leftover_temporaries("data/draw"), 0);
    EXPECT_EQ(drawing.linenum, 2) << "saving changes no counter";
    EXPECT_EQ(drawing.line_continue, 1);
}

// n one-point strokes, each on its own latitude.
std::string strokes(int n)
{
    std::string text;
    for (int i = 0; i < n; i++)
        text += "#, 5,1,0,0,1\n " + std::to_string(i % 170 - 85) + ",0,1\n/\n";
    return text;
}

TEST_F(DrawingFiles, AUserFileNotLoadedWholeIsKeptAndSavesGoBesideIt)
{
    struct Case {
        const char* what;
        std::string protected_layer, user;
        const char* told; // at the load
        int saved;        // strokes in the new file after an undo
    };
    const std::string bad_lines = "#5,1,0,0,1\n10,20,1\nbanana\n10,abc\n1,1,1e-300\n" +
                                  std::string(5000, '1') + "\n/\n#,5,red\n/\n";
    const Case cases[] = {
        {"more strokes than the store holds", "", strokes(kMaxStrokes + 5),
         "not all of it was loaded", kMaxStrokes - 1},
        {"a full protected layer", strokes(kMaxStrokes), strokes(10), "not all of it was loaded",
         0},
        {"lines that do not read", "", bad_lines, "5 lines could not be read (the first is line 3)",
         1},
        {"past the size bound", "", strokes(3), "not all of it was loaded", 2},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        reset_viewer_state();
        fs::remove_all("data");
        dir.write(kProtectedDrawingFile, c.protected_layer);
        dir.write(kUserDrawingFile, c.user);
        if (c.user == strokes(3)) // zeros up to past the bound, in a sparse file
            fs::resize_file(kUserDrawingFile, kMaxPlotFileBytes + 10);
        const std::string before = contents(kUserDrawingFile);
        testing::internal::CaptureStderr();
        read_drawing_files();
        std::string told = testing::internal::GetCapturedStderr();
        EXPECT_NE(told.find(std::string("data/draw/lines.txt: ") + c.told), std::string::npos)
            << told;

        // Two saves, with an undo between them where there is a stroke to undo.
        drawing.drawing_onoff = 1;
        testing::internal::CaptureStderr();
        ASSERT_TRUE(save_drawings());
        undo_stroke();
        ASSERT_TRUE(save_drawings());
        told = testing::internal::GetCapturedStderr();
        EXPECT_EQ(contents(kUserDrawingFile), before) << "every stroke of the file is kept";
        EXPECT_NE(told.find("saved to data/draw/lines-1.txt; data/draw/lines.txt was not loaded "
                            "whole and is kept as it is"),
                  std::string::npos)
            << told;
        EXPECT_FALSE(fs::exists("data/draw/lines-2.txt")) << "later saves replace the same file";
        reset_viewer_state();
        read_lines("data/draw/lines-1.txt", drawing_line_store(), drawing.d_radius);
        EXPECT_EQ(drawing.linenum, c.saved);
    }
}

TEST_F(DrawingFiles, WithoutUserStrokesASaveWritesAnEmptyFile)
{
    for (bool protected_layer : {false, true}) {
        SCOPED_TRACE(protected_layer ? "protected layer only" : "no files, no folder");
        reset_viewer_state();
        fs::remove_all("data");
        if (protected_layer)
            dir.write(kProtectedDrawingFile, "#3,1,1,0,1\n0,0,1\n1,1,1\n/\n#\n2,2,1\n/\n");
        read_drawing_files();
        drawing.drawing_onoff = 1;
        EXPECT_FALSE(undo_stroke()) << "protected strokes are never undone";
        ASSERT_TRUE(save_drawings()); // makes data/draw when it is missing
        EXPECT_TRUE(fs::exists(kUserDrawingFile));
        EXPECT_EQ(contents(kUserDrawingFile), "");
    }
}

struct ChildSave {
    bool saved = false;
    std::string said; // standard error
};

// Saves in a child process; `drop_root` takes away root's right to write
// anywhere when the test runs as root.
ChildSave save_in_child(bool drop_root)
{
    std::string log = fs::absolute("save.log").string();
    pid_t pid = fork();
    if (pid == 0) {
        int fd = open(log.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0666);
        dup2(fd, 2);
        if (drop_root && geteuid() == 0 && setuid(65534) != 0)
            _exit(3);
        _exit(save_drawings() ? 0 : 1);
    }
    int status = 0;
    waitpid(pid, &status, 0);
    ChildSave r;
    r.saved = WIFEXITED(status) && WEXITSTATUS(status) == 0;
    r.said = contents(log);
    return r;
}

TEST_F(DrawingFiles, AFailedSaveKeepsTheOldFileAndSaysWhy)
{
    fs::permissions(dir.path(), fs::perms(0755)); // reachable by the unprivileged user
    dir.write(kUserDrawingFile, kTwoPointStroke);
    read_drawing_files();
    draw_stroke({{380, 300}, {400, 300}});

    fs::permissions("data/draw", fs::perms(0555));
    ChildSave r = save_in_child(true);
    fs::permissions("data/draw", fs::perms(0755));
    EXPECT_FALSE(r.saved);
    EXPECT_EQ(contents(kUserDrawingFile), kTwoPointStroke);
    EXPECT_EQ(r.said, std::string("tyx: data/draw/lines.txt: not saved: Permission denied\n"));

    // A folder in the file's place: the rename fails after the whole file was
    // written, and the written copy goes away.
    fs::remove(kUserDrawingFile);
    fs::create_directories(std::string(kUserDrawingFile) + "/inside");
    r = save_in_child(false);
    EXPECT_FALSE(r.saved);
    EXPECT_TRUE(fs::is_directory(kUserDrawingFile));
    EXPECT_NE(r.said.find("tyx: data/draw/lines.txt: not saved: "), std::string::npos) << r.said;
    EXPECT_EQ(leftover_temporaries("data/draw"), 0);
}

TEST_F(DrawingFiles, ASaveKeepsTheFilesModeAndRefusesAReadOnlyFile)
{
    const struct {
        fs::perms mode;
        bool saved;
    } cases[] = {{fs::perms(0640), true}, {fs::perms(0604), true}, {fs::perms(0444), false}};
    for (const auto& c : cases) {
        SCOPED_TRACE(int(c.mode));
        reset_viewer_state();
        dir.write(kUserDrawingFile, kTwoPointStroke);
        fs::permissions(kUserDrawingFile, c.mode);
        read_drawing_files();
        draw_stroke({{380, 300}, {400, 300}});
        testing::internal::CaptureStderr();
        EXPECT_EQ(save_drawings(), c.saved);
        const std::string told = testing::internal::GetCapturedStderr();
        EXPECT_EQ(fs::status(kUserDrawingFile).permissions(), c.mode);
        EXPECT_EQ(contents(kUserDrawingFile) == kTwoPointStroke, !c.saved);
        EXPECT_EQ(told,
                  c.saved ? "" : "tyx: data/draw/lines.txt: not saved: the file is read-only\n");
        fs::permissions(kUserDrawingFile, fs::perms(0644));
    }
}

TEST_F(DrawingFiles, ASaveRemovesTheTemporaryFilesOfKilledSaves)
{
    const char* const stale[] = {"lines.txt.tmp-a1B2c3", "lines.txt.tmp-XXXXXX"};
    const char* const kept[] = {"lines.txt.tmp-live00", "lines.txt.tmp-toolong",
                                "other.txt.tmp-a1B2c3"};
    for (const char* name : stale)
        dir.write(std::string("data/draw/") + name, "#, 5,1,0,0,1\n");
    for (const char* name : kept)
        dir.write(std::string("data/draw/") + name, "");
    // A save in progress holds its file locked.
    const int live = open("data/draw/lines.txt.tmp-live00", O_RDONLY);
    ASSERT_EQ(flock(live, LOCK_EX), 0);
    ASSERT_TRUE(save_drawings());
    close(live);
    for (const char* name : stale)
        EXPECT_FALSE(fs::exists(std::string("data/draw/") + name)) << name;
    for (const char* name : kept)
        EXPECT_TRUE(fs::exists(std::string("data/draw/") + name)) << name;
}

TEST_F(DrawingFiles, AReaderAlwaysFindsAWholeFile)
{
    // Two contents to alternate between: one stroke, and two.
    draw_stroke({{380, 300}, {400, 300}});
    ASSERT_TRUE(save_drawings());
    const std::string one = contents(kUserDrawingFile);
    draw_stroke({{380, 320}, {400, 320}});
    ASSERT_TRUE(save_drawings());
    const std::string two = contents(kUserDrawingFile);

    // The reader counts its reads where the saving process sees them.
    void* shared =
        mmap(nullptr, sizeof(int), PROT_READ | PROT_WRITE, MAP_SHARED | MAP_ANONYMOUS, -1, 0);
    ASSERT_NE(shared, MAP_FAILED);
    volatile int* reads = static_cast<int*>(shared);
    *reads = 0;
    pid_t reader = fork();
    if (reader == 0) {
        for (;;) {
            std::string seen = contents(kUserDrawingFile);
            if (seen != one && seen != two)
                _exit(1);
            (*reads)++;
        }
    }
    // Save until the reader has looked often enough, or has found a broken
    // file and stopped.
    int status = 0;
    bool reader_ended = false;
    for (int saves = 0; saves < 100 || *reads < 200; saves++) {
        saves % 2 == 0 ? undo_stroke() : redo_stroke();
        if (!save_drawings()) {
            ADD_FAILURE() << "save " << saves << " failed";
            break;
        }
        if (waitpid(reader, &status, WNOHANG) == reader) {
            reader_ended = true;
            break;
        }
    }
    if (!reader_ended) {
        kill(reader, SIGKILL);
        waitpid(reader, &status, 0);
    }
    int seen = *reads;
    munmap(shared, sizeof(int));
    EXPECT_GE(seen, 200);
    ASSERT_TRUE(WIFSIGNALED(status)) << "a read found neither content";
}

} // namespace
