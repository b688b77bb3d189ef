// test_films.h — films the tests share, made by the ffmpeg tool once per build
// tree and kept under build/test-films, since every test case runs in a
// process of its own and encoding costs far more than reading.
#pragma once

#include <filesystem>
#include <functional>
#include <string>
#include <unistd.h>

#include "tools/film_writer.h"

// The path of a film made from `recipe` and `paint`, named `name` (such as
// "h264.mp4") and `variant` (which painter made it); made when missing. Empty
// with the reason in `error` when ffmpeg fails.
inline std::string shared_test_film(const std::string& name, const FilmSpec& recipe,
                                    const FramePainter& paint, std::string* error,
                                    const std::string& variant = "colours")
{
    namespace fs = std::filesystem;
    const std::string key = variant + " " + std::to_string(recipe.width) + "x" +
                            std::to_string(recipe.height) + " " + std::to_string(recipe.frames) +
                            " " + std::to_string(recipe.fps) + " " + recipe.encoder + " " +
                            recipe.options + " " + recipe.pixel_format;
    const fs::path folder = fs::path(TYX_BUILD_DIR) / "test-films";
    const fs::path film = folder / (std::to_string(std::hash<std::string>()(key)) + "-" + name);
    std::error_code ignored;
    if (fs::exists(film, ignored))
        return film.string();
    fs::create_directories(folder, ignored);
    // Made under a name of this process and renamed, so that test processes
    // running at once never read a half-written film.
    const fs::path part = folder / (std::to_string(getpid()) + "-part-" + film.filename().string());
    if (!write_film(part.string(), recipe, paint, error))
        return "";
    fs::rename(part, film, ignored);
    return film.string();
}
