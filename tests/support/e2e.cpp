// e2e.cpp — driving the real program under the test X server.
#include "support/e2e.h"

#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <thread>

#include "support/gl_fixture.h"

namespace fs = std::filesystem;

bool Screenshot::dark(int x, int y) const
{
    const unsigned char* p = at(x, y);
    return p[0] < 16 && p[1] < 16 && p[2] < 16;
}

Colour Screenshot::colour(int x, int y) const
{
    const unsigned char* p = at(x, y);
    return {p[0], p[1], p[2]};
}

bool near(const Screenshot& shot, int x, int y, Colour c, int tolerance)
{
    if (x < 0 || y < 0 || x >= shot.width || y >= shot.height)
        return false;
    Colour p = shot.colour(x, y);
    auto close = [tolerance](int a, int b) { return a - b <= tolerance && b - a <= tolerance; };
    return close(p.r, c.r) && close(p.g, c.g) && close(p.b, c.b);
}

std::string describe(Colour c)
{
    return "(" + std::to_string(c.r) + ", " + std::to_string(c.g) + ", " + std::to_string(c.b) +
           ")";
}

std::string ppm_image(int width, int height, const std::function<Colour(int, int)>& colour)
{
    std::string file = "P6\n" + std::to_string(width) + " " + std::to_string(height) + "\n255\n";
    for (int y = 0; y < height; y++)
        for (int x = 0; x < width; x++) {
            Colour c = colour(x, y);
            file += {static_cast<char>(c.r), static_cast<char>(c.g), static_cast<char>(c.b)};
        }
    return file;
}

std::string solid_ppm(Colour c, int width, int height)
{
    return ppm_image(width, height, [c](int, int) { return c; });
}

std::string run_command(const std::string& command)
{
    std::string out;
    FILE* pipe = popen(command.c_str(), "r");
    if (pipe == nullptr)
        return out;
    char buffer[4096];
    size_t n;
    while ((n = fread(buffer, 1, sizeof buffer, pipe)) > 0)
        out.append(buffer, n);
    pclose(pipe);
    return out;
}

TyxRun::TyxRun()
{
    for (const char* sub : {"data/conf", "data/icons", "data/draw/no_erase", "map", "logo"})
        fs::create_directories(fs::path(folder_.path()) / sub);
    fs::path icons = fs::path(TYX_BUILD_DIR) / "data" / "icons";
    std::error_code ignored;
    if (fs::exists(icons))
        fs::copy(icons, fs::path(folder_.path()) / "data" / "icons",
                 fs::copy_options::overwrite_existing | fs::copy_options::recursive, ignored);
    folder_.write("data/conf/init_conf.txt", "");
    log_path_ = folder_.path() + "/tyx-output.log";
    counter_path_ = folder_.path() + "/tyx-frames.count";
}

TyxRun::TyxRun(const std::string& binary) : binary_(binary)
{
    log_path_ = folder_.path() + "/tyx-output.log";
    counter_path_ = folder_.path() + "/tyx-frames.count";
}

TyxRun::~TyxRun()
{
    if (pid_ > 0 && running()) {
        kill(pid_, SIGTERM);
        if (wait_exit(3) == -1) {
            kill(pid_, SIGKILL);
            waitpid(pid_, nullptr, 0);
        }
    }
}

void TyxRun::write(const std::string& relative, const std::string& content)
{
    folder_.write(relative, content);
}

void TyxRun::start(const std::vector<std::string>& args)
{
    pid_ = fork();
    if (pid_ == 0) {
        if (chdir(folder_.path().c_str()) != 0)
            _exit(127);
        setenv("TYX_FRAME_COUNTER", counter_path_.c_str(), 1);
        setenv("XDG_CONFIG_HOME", (folder_.path() + "/.config").c_str(), 1);
        FILE* log = fopen(log_path_.c_str(), "w");
        if (log != nullptr) {
            dup2(fileno(log), 1);
            dup2(fileno(log), 2);
        }
        std::vector<char*> argv;
        std::string binary = binary_;
        argv.push_back(binary.data());
        std::vector<std::string> copies = args;
        for (std::string& a : copies)
            argv.push_back(a.data());
        argv.push_back(nullptr);
        execv(binary.c_str(), argv.data());
        _exit(127);
    }
}

bool TyxRun::running()
{
    if (pid_ <= 0)
        return false;
    int status;
    pid_t done = waitpid(pid_, &status, WNOHANG);
    if (done == pid_) {
        pid_ = -1;
        return false;
    }
    return true;
}

int TyxRun::wait_exit(double timeout)
{
    auto until = std::chrono::steady_clock::now() + std::chrono::duration<double>(timeout);
    while (std::chrono::steady_clock::now() < until) {
        int status;
        pid_t done = pid_ > 0 ? waitpid(pid_, &status, WNOHANG) : -1;
        if (done == pid_ && pid_ > 0) {
            pid_ = -1;
            return WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
    }
    return -1;
}

unsigned long TyxRun::wait_window(const std::string& title, double timeout)
{
    auto until = std::chrono::steady_clock::now() + std::chrono::duration<double>(timeout);
    // xdotool matches names as extended regular expressions: match the title
    // literally.
    std::string literal;
    for (char c : title) {
        if (std::string("\\^$.|?*+()[]{}").find(c) != std::string::npos)
            literal += '\\';
        if (c == '\'')
            literal += "'\\''";
        else
            literal += c;
    }
    std::string quoted = "'^" + literal + "$'";
    while (std::chrono::steady_clock::now() < until) {
        std::string ids =
            run_command("xdotool search --onlyvisible --name " + quoted + " 2>/dev/null");
        unsigned long id = 0;
        std::istringstream in(ids);
        if (in >> id && id != 0)
            return id;
        if (!running())
            return 0;
        std::this_thread::sleep_for(std::chrono::milliseconds(100));
    }
    return 0;
}

WindowGeometry screen_geometry()
{
    WindowGeometry g;
    std::istringstream in(run_command("xwininfo -root"));
    std::string line;
    while (std::getline(in, line)) {
        if (line.find("Width:") != std::string::npos)
            g.width = std::stoi(line.substr(line.find(':') + 1));
        else if (line.find("Height:") != std::string::npos)
            g.height = std::stoi(line.substr(line.find(':') + 1));
    }
    return g;
}

WindowGeometry TyxRun::geometry(unsigned long window)
{
    WindowGeometry g;
    std::istringstream in(run_command("xwininfo -id " + std::to_string(window)));
    std::string line;
    auto value = [](const std::string& l) { return std::stoi(l.substr(l.find(':') + 1)); };
    while (std::getline(in, line)) {
        if (line.find("Absolute upper-left X:") != std::string::npos)
            g.x = value(line);
        else if (line.find("Absolute upper-left Y:") != std::string::npos)
            g.y = value(line);
        else if (line.find("Width:") != std::string::npos)
            g.width = value(line);
        else if (line.find("Height:") != std::string::npos)
            g.height = value(line);
    }
    return g;
}

Screenshot TyxRun::grab(unsigned long window)
{
    std::string file = folder_.path() + "/grab.xwd";
    run_command("xwd -silent -id " + std::to_string(window) + " -out " + file);
    std::ifstream in(file, std::ios::binary);
    std::vector<unsigned char> data((std::istreambuf_iterator<char>(in)),
                                    std::istreambuf_iterator<char>());
    Screenshot shot;
    decode_xwd(data, &shot);
    return shot;
}

unsigned long long TyxRun::frames(bool second_window) const
{
    std::uint64_t counts[2] = {};
    std::ifstream in(counter_path_, std::ios::binary);
    in.read(reinterpret_cast<char*>(counts), sizeof counts);
    return in ? counts[second_window ? 1 : 0] : 0;
}

int TyxRun::shown_frame() const
{
    std::uint64_t counts[5] = {};
    std::ifstream in(counter_path_, std::ios::binary);
    in.read(reinterpret_cast<char*>(counts), sizeof counts);
    return in ? static_cast<int>(counts[4]) - 1 : -1;
}

bool TyxRun::wait_frames(int count, bool second_window, double timeout)
{
    auto until = std::chrono::steady_clock::now() + std::chrono::duration<double>(timeout);
    unsigned long long target = frames(second_window) + static_cast<unsigned long long>(count);
    while (frames(second_window) < target) {
        if (std::chrono::steady_clock::now() >= until || !running())
            return false;
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
    return true;
}

Screenshot TyxRun::screenshot(unsigned long window)
{
    // The first frame loads the series; a few more show it settled.
    wait_frames(3);
    return grab(window);
}

Screenshot TyxRun::wait_for(unsigned long window,
                            const std::function<bool(const Screenshot&)>& done, double timeout)
{
    auto until = std::chrono::steady_clock::now() + std::chrono::duration<double>(timeout);
    for (;;) {
        Screenshot shot = grab(window);
        if (shot.width > 0 && done(shot))
            return shot;
        if (std::chrono::steady_clock::now() >= until)
            return {};
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
}

void TyxRun::key(unsigned long window, const std::string& keys)
{
    run_command("xdotool key --window " + std::to_string(window) + " " + keys);
}

std::string TyxRun::output() const
{
    std::ifstream in(log_path_);
    std::stringstream s;
    s << in.rdbuf();
    return s.str();
}

bool TyxRun::stays(unsigned long window, const std::function<bool(const Screenshot&)>& holds,
                   double seconds)
{
    auto until = std::chrono::steady_clock::now() + std::chrono::duration<double>(seconds);
    bool grabbed = false;
    do {
        Screenshot shot = grab(window);
        if (shot.width == 0)
            continue;
        grabbed = true;
        if (!holds(shot))
            return false;
    } while (std::chrono::steady_clock::now() < until);
    return grabbed;
}

bool wait_until(const std::function<bool()>& done, double timeout)
{
    auto until = std::chrono::steady_clock::now() + std::chrono::duration<double>(timeout);
    while (!done()) {
        if (std::chrono::steady_clock::now() >= until)
            return false;
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
    return true;
}

void EndToEnd::SetUp()
{
    ASSERT_TRUE(have_display()) << "end-to-end tests need an X display";
}

unsigned long EndToEnd::start(const std::vector<std::string>& args, const std::string& title)
{
    run.start(args);
    unsigned long window = run.wait_window(title);
    EXPECT_NE(window, 0u) << "no window \"" << title << "\"; the program said:\n" << run.output();
    if (window != 0)
        run.wait_frames(2);
    return window;
}

bool decode_xwd(const std::vector<unsigned char>& data, Screenshot* shot)
{
    // XWD: 25 big-endian 32-bit header fields, the window name, the colour
    // map (12 bytes per entry), then the image rows.
    if (data.size() < 100)
        return false;
    auto field = [&](int i) {
        const unsigned char* p = &data[static_cast<size_t>(i) * 4];
        return static_cast<unsigned>(p[0]) << 24 | p[1] << 16 | p[2] << 8 | p[3];
    };
    unsigned header_size = field(0), width = field(4), height = field(5), byte_order = field(7),
             bits_per_pixel = field(11), bytes_per_line = field(12), red_mask = field(14),
             green_mask = field(15), blue_mask = field(16), ncolors = field(19);
    if (bits_per_pixel != 32 && bits_per_pixel != 24)
        return false;
    size_t offset = header_size + static_cast<size_t>(ncolors) * 12;
    if (offset + static_cast<size_t>(bytes_per_line) * height > data.size())
        return false;
    auto shift_of = [](unsigned mask) {
        int s = 0;
        while (mask != 0 && (mask & 1) == 0) {
            mask >>= 1;
            s++;
        }
        return s;
    };
    shot->width = static_cast<int>(width);
    shot->height = static_cast<int>(height);
    shot->rgb.assign(static_cast<size_t>(width) * height * 3, 0);
    unsigned bytes = bits_per_pixel / 8;
    for (unsigned y = 0; y < height; y++) {
        for (unsigned x = 0; x < width; x++) {
            const unsigned char* p =
                &data[offset + static_cast<size_t>(y) * bytes_per_line + x * bytes];
            unsigned v = 0;
            for (unsigned b = 0; b < bytes; b++)
                v |= static_cast<unsigned>(p[b]) << (byte_order == 0 ? 8 * b : 8 * (bytes - 1 - b));
            unsigned char* out = &shot->rgb[(static_cast<size_t>(y) * width + x) * 3];
            out[0] = static_cast<unsigned char>((v & red_mask) >> shift_of(red_mask));
            out[1] = static_cast<unsigned char>((v & green_mask) >> shift_of(green_mask));
            out[2] = static_cast<unsigned char>((v & blue_mask) >> shift_of(blue_mask));
        }
    }
    return true;
}
