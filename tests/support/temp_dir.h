// temp_dir.h — a scratch directory for tests that write files, removed after
// the case; optionally made the working directory while it lives.
#pragma once

#include <string>

class TempDir {
  public:
    // Creates a fresh directory under the system's temporary folder.
    TempDir();
    ~TempDir();
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;

    const std::string& path() const { return path_; }
    // Writes `content` to path()/relative, creating parent folders.
    std::string write(const std::string& relative, const std::string& content) const;
    // Makes the directory the working directory until destruction.
    void enter();

  private:
    std::string path_;
    std::string previous_cwd_;
};

// The whole content of the file at `path`; empty when it cannot be read.
std::string read_text_file(const std::string& path);
