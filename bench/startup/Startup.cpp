// Start-up and window opening against a minimal Qt Widgets program, on a running X server.
//
// Every time is taken to a window's first fully painted frame: from the moment the window
// is mapped, its pixels are read back from the X server again and again until they have
// not changed for half a second; the frame counts from the first read that already showed
// those final pixels. Work put off until after the window is mapped still counts.
//
//   start-up:         fork of the program to its first window's first full frame
//   opening a window: a real click (XTest) on the button that opens it, to its first full
//                     frame: "Настройка..." in the main menu, "Best" in the settings window,
//                     "Играть" in the main menu
//   memory:           peak resident memory at the main menu's first full frame
//   question editor:  in a data folder whose question base holds 100,000 questions, a click
//                     on "Редактор вопросов..." in the settings window to the editor's first
//                     full frame, against the game's own start-up; then a word typed letter by
//                     letter into its search field (XTest), each key to the list's first full
//                     frame (the list's pixels only: the field's cursor blinks), against 50 ms
//                     for the slowest key
//
// The yardstick is the minimal window with one line of text, which pays what the first text
// costs in any Qt program (font configuration, font database, a font file, glyphs). The
// empty minimal window's start-up is printed for reference, without a target. Each time is
// the median of the interleaved runs, printed with its range (fastest..slowest).
//
//   bench_startup GAME MINIMAL MINIMAL_WITH_TEXT DATA_DIR [DATA_DIR_100K]
#include "../BenchReport.h"

#include <X11/Xlib.h>
#include <X11/keysym.h>
#include <X11/Xutil.h>
#include <X11/extensions/XTest.h>

#include <algorithm>
#include <chrono>
#include <climits>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <functional>
#include <initializer_list>
#include <string>
#include <string_view>
#include <sys/wait.h>
#include <unistd.h>

namespace {

using Clock = std::chrono::steady_clock;

double msSince(Clock::time_point begin)
{
    return std::chrono::duration<double, std::milli>(Clock::now() - begin).count();
}

double peakResidentKb(pid_t pid)
{
    std::ifstream status("/proc/" + std::to_string(pid) + "/status");
    std::string line;
    while (std::getline(status, line)) {
        if (line.rfind("VmHWM:", 0) == 0)
            return std::stod(line.substr(6));
    }
    return 0;
}

// A hash of the window's pixels (or those of an area of it) as the X server holds them, or 0
// when they cannot be read.
size_t pixels(Display *display, Window window, const XRectangle *area = nullptr)
{
    XWindowAttributes a;
    if (!XGetWindowAttributes(display, window, &a) || a.map_state != IsViewable)
        return 0;
    const XRectangle whole{0, 0, static_cast<unsigned short>(a.width), static_cast<unsigned short>(a.height)};
    const XRectangle &r = area ? *area : whole;
    XImage *image = XGetImage(display, window, r.x, r.y, r.width, r.height, AllPlanes, ZPixmap);
    if (!image)
        return 0;
    const size_t hash = std::hash<std::string_view>{}(std::string_view(image->data, size_t(image->bytes_per_line) * image->height));
    XDestroyImage(image);
    return hash;
}

class Program
{
public:
    Program(Display *display, const char *path, const char *dir) : m_display(display)
    {
        XSelectInput(display, DefaultRootWindow(display), SubstructureNotifyMask);
        XSync(display, True);
        m_begin = Clock::now();
        m_pid = fork();
        if (m_pid == 0) {
            if (chdir(dir) != 0)
                _exit(127);
            execl(path, path, static_cast<char *>(nullptr));
            _exit(127);
        }
    }
    ~Program()
    {
        kill(m_pid, SIGKILL);
        waitpid(m_pid, nullptr, 0);
    }

    Clock::time_point begin() const { return m_begin; }
    pid_t pid() const { return m_pid; }

    // The next top-level window mapped, or 0 when the program ends or 10 seconds pass.
    Window nextMapped()
    {
        const auto deadline = Clock::now() + std::chrono::seconds(10);
        while (Clock::now() < deadline) {
            while (!XPending(m_display)) {
                int status;
                if (waitpid(m_pid, &status, WNOHANG) == m_pid || Clock::now() > deadline)
                    return 0;
                usleep(200);
            }
            XEvent event;
            XNextEvent(m_display, &event);
            if (event.type == MapNotify && event.xmap.event == DefaultRootWindow(m_display))
                return event.xmap.window;
        }
        return 0;
    }

    // Milliseconds from `since` to the window's first full frame (see the top of the file);
    // with `area`, to the first full frame of that part of the window.
    double firstFullFrame(Window window, Clock::time_point since, const XRectangle *area = nullptr)
    {
        size_t last = 0;
        double lastChange = msSince(since);
        auto stableSince = Clock::now();
        while (Clock::now() - stableSince < std::chrono::milliseconds(500)) {
            const double at = msSince(since);
            const size_t now = pixels(m_display, window, area);
            if (now != last) {
                last = now;
                lastChange = at;
                stableSince = Clock::now();
            }
            // A millisecond's rest between reads leaves the program the machine's cores.
            usleep(1000);
        }
        return lastChange;
    }

    // A left click at a point of the window, in its own coordinates.
    void click(Window window, int x, int y)
    {
        int rootX, rootY;
        Window child;
        XTranslateCoordinates(m_display, window, DefaultRootWindow(m_display), x, y, &rootX, &rootY, &child);
        XTestFakeMotionEvent(m_display, -1, rootX, rootY, CurrentTime);
        XSync(m_display, False);
        usleep(50000);
        XTestFakeButtonEvent(m_display, 1, True, CurrentTime);
        XTestFakeButtonEvent(m_display, 1, False, CurrentTime);
        XFlush(m_display);
    }

    // A key pressed and let go, with the modifiers' keys held (XTest): no window manager
    // focus games, the key goes wherever the X server sends it.
    void key(KeyCode code, std::initializer_list<KeySym> modifiers = {})
    {
        for (KeySym m : modifiers)
            XTestFakeKeyEvent(m_display, XKeysymToKeycode(m_display, m), True, CurrentTime);
        XTestFakeKeyEvent(m_display, code, True, CurrentTime);
        XTestFakeKeyEvent(m_display, code, False, CurrentTime);
        for (KeySym m : modifiers)
            XTestFakeKeyEvent(m_display, XKeysymToKeycode(m_display, m), False, CurrentTime);
        XFlush(m_display);
    }

private:
    Display *m_display;
    pid_t m_pid = -1;
    Clock::time_point m_begin;
};

struct GameRun
{
    double startMs = 0;
    double peakKb = 0;
    double settingsMs = 0;
    double winnersMs = 0;
    double tableMs = 0;
};

// Opens one window by a click and returns the time to its first full frame.
bool open(Program &program, Window from, int x, int y, Window *opened, double *ms)
{
    program.click(from, x, y);
    const auto clicked = Clock::now();
    *opened = program.nextMapped();
    if (!*opened)
        return false;
    *ms = program.firstFullFrame(*opened, clicked);
    return true;
}

bool runGame(Display *display, const char *path, const char *dir, GameRun *out)
{
    Program game(display, path, dir);
    const Window menu = game.nextMapped();
    if (!menu)
        return false;
    out->startMs = game.firstFullFrame(menu, game.begin());
    out->peakKb = peakResidentKb(game.pid());

    // Places in the windows' own coordinates: the middle of each button.
    Window settings, winners, table;
    if (!open(game, menu, 400, 311, &settings, &out->settingsMs))  // "Настройка..."
        return false;
    if (!open(game, settings, 636, 372, &winners, &out->winnersMs))  // "Best"
        return false;
    game.click(winners, 212, 260);  // "Закрыть"
    usleep(300000);
    game.click(settings, 636, 316);  // "OK": the main menu comes back
    if (game.nextMapped() != menu)
        return false;
    game.firstFullFrame(menu, Clock::now());
    return open(game, menu, 400, 213, &table, &out->tableMs);  // "Играть"
}

// Keycodes that the keyboard map leaves free, given the Cyrillic letters' keysyms, so that
// XTest can type them; the map is put back when done.
class CyrillicKeys
{
public:
    explicit CyrillicKeys(Display *display) : m_display(display)
    {
        XDisplayKeycodes(display, &m_min, &m_max);
        int perCode = 0;
        KeySym *map = XGetKeyboardMapping(display, KeyCode(m_min), m_max - m_min + 1, &perCode);
        for (int code = m_max; code >= m_min && m_free.size() < 8; --code) {
            const KeySym *syms = map + (code - m_min) * perCode;
            if (std::all_of(syms, syms + perCode, [](KeySym s) { return s == NoSymbol; }))
                m_free.push_back(KeyCode(code));
        }
        XFree(map);
    }
    ~CyrillicKeys()
    {
        KeySym none = NoSymbol;
        for (KeyCode code : m_given)
            XChangeKeyboardMapping(m_display, code, 1, &none, 1);
        XSync(m_display, False);
    }

    // The keycode that types the letter (a Cyrillic keysym name such as "Cyrillic_ka").
    KeyCode code(const char *keysym)
    {
        const KeySym sym = XStringToKeysym(keysym);
        for (size_t i = 0; i < m_given.size(); ++i) {
            if (m_syms[i] == sym)
                return m_given[i];
        }
        if (m_given.size() == m_free.size())
            return 0;
        KeySym pair[2] = {sym, sym};
        const KeyCode code = m_free[m_given.size()];
        XChangeKeyboardMapping(m_display, code, 2, pair, 1);
        XSync(m_display, False);
        m_given.push_back(code);
        m_syms.push_back(sym);
        return code;
    }

private:
    Display *m_display;
    int m_min = 0, m_max = 0;
    std::vector<KeyCode> m_free, m_given;
    std::vector<KeySym> m_syms;
};

// Opens the question editor from the settings window, in a folder with a large question base,
// and types words into its search field: `*slowestKeyMs` is the slowest key to the list
// painted, on `*slowestWord`.
bool runEditor(Display *display, const char *path, const char *dir, double *ms, double *slowestKeyMs,
               const char **slowestWord)
{
    // A word in one question in a hundred, then one in one in a thousand (as the off-screen
    // benchmark types them).
    static const std::vector<std::pair<const char *, std::vector<const char *>>> Words{
        {"какой", {"Cyrillic_ka", "Cyrillic_a", "Cyrillic_ka", "Cyrillic_o", "Cyrillic_shorti"}},
        {"рюрик", {"Cyrillic_er", "Cyrillic_yu", "Cyrillic_er", "Cyrillic_i", "Cyrillic_ka"}}};
    CyrillicKeys letters(display);
    for (const auto &word : Words) {
        for (const char *letter : word.second) {
            if (!letters.code(letter))
                return false;
        }
    }
    Program game(display, path, dir);
    const Window menu = game.nextMapped();
    if (!menu)
        return false;
    game.firstFullFrame(menu, game.begin());
    Window settings, editor;
    double settingsMs;
    if (!open(game, menu, 400, 311, &settings, &settingsMs))  // "Настройка..."
        return false;
    if (!open(game, settings, 519, 380, &editor, ms))  // "Редактор вопросов..."
        return false;
    // The list's rows, below its header, in the window's own coordinates.
    const XRectangle list{14, 60, 870, 380};
    game.key(XKeysymToKeycode(display, XK_f), {XK_Control_L});  // Ctrl+F: to the search field
    game.firstFullFrame(editor, Clock::now(), &list);
    *slowestKeyMs = 0;
    for (const auto &word : Words) {
        for (const char *letter : word.second) {
            game.key(letters.code(letter));
            const auto pressed = Clock::now();
            const double keyMs = game.firstFullFrame(editor, pressed, &list);
            if (keyMs > *slowestKeyMs) {
                *slowestKeyMs = keyMs;
                *slowestWord = word.first;
            }
        }
        for (size_t i = 0; i < word.second.size(); ++i) {
            game.key(XKeysymToKeycode(display, XK_BackSpace));
            game.firstFullFrame(editor, Clock::now(), &list);
        }
    }
    return true;
}

bool runMinimal(Display *display, const char *path, const char *dir, double *ms, double *peakKb)
{
    Program minimal(display, path, dir);
    const Window window = minimal.nextMapped();
    if (!window)
        return false;
    *ms = minimal.firstFullFrame(window, minimal.begin());
    *peakKb = peakResidentKb(minimal.pid());
    return true;
}

// Interleaved runs of each program, after one run that warms the caches.
constexpr int Runs = 11;

// The median of a series of times and its range.
struct Times
{
    explicit Times(std::vector<double> ms)
        : median(BenchReport::median(ms))
        , fastest(*std::min_element(ms.begin(), ms.end()))
        , slowest(*std::max_element(ms.begin(), ms.end()))
    {
    }
    double median, fastest, slowest;
};

// "NAME: measured M ms (A..B) vs WHAT M ms (A..B) = R x, target T x ok|FAIL"; no target when
// `target` is 0. Returns whether the target is met.
bool compare(const char *name, const Times &ours, const char *against, const Times &theirs, double target)
{
    const double r = ours.median / theirs.median;
    std::printf("%s: measured %.2f ms (%.2f..%.2f) vs %s %.2f ms (%.2f..%.2f) = %.2f x", name, ours.median,
                ours.fastest, ours.slowest, against, theirs.median, theirs.fastest, theirs.slowest, r);
    const bool ok = target == 0 || r <= target;
    if (target == 0)
        std::printf(", no target\n");
    else
        std::printf(", target %.2f x %s\n", target, ok ? "ok" : "FAIL");
    std::fflush(stdout);
    return ok;
}

} // namespace

int main(int argc, char *argv[])
{
    if (argc != 5 && argc != 6) {
        std::fprintf(stderr, "usage: bench_startup GAME MINIMAL MINIMAL_WITH_TEXT DATA_DIR [DATA_DIR_100K]\n");
        return 2;
    }
    const char *dataDir = argv[4];
    const char *bigDataDir = argc == 6 ? argv[5] : nullptr;
    // The programs start in the data folder: resolve their paths first.
    char gamePath[PATH_MAX], minimalPath[PATH_MAX], textPath[PATH_MAX];
    if (!realpath(argv[1], gamePath) || !realpath(argv[2], minimalPath) || !realpath(argv[3], textPath)) {
        std::fprintf(stderr, "no such program\n");
        return 2;
    }
    Display *display = XOpenDisplay(nullptr);
    if (!display) {
        std::fprintf(stderr, "no X display\n");
        return 2;
    }
    std::vector<double> gameMs, minimalMs, textMs, gameKb, minimalKb, settingsMs, winnersMs, tableMs, editorMs, keyMs;
    double worstKeyMs = 0;
    const char *worstWord = "";
    for (int run = -1; run < Runs; ++run) {
        GameRun game;
        double minimal = 0, minimalPeakKb = 0, text = 0, textPeakKb = 0;
        if (!runGame(display, gamePath, dataDir, &game)
            || !runMinimal(display, minimalPath, dataDir, &minimal, &minimalPeakKb)
            || !runMinimal(display, textPath, dataDir, &text, &textPeakKb)) {
            std::fprintf(stderr, "a program ended or a window did not open\n");
            return 2;
        }
        double editor = 0, slowestKey = 0;
        const char *slowestWord = "";
        if (bigDataDir && !runEditor(display, gamePath, bigDataDir, &editor, &slowestKey, &slowestWord)) {
            std::fprintf(stderr, "the question editor did not open\n");
            return 2;
        }
        if (run < 0)
            continue;  // the first run warms the caches
        gameMs.push_back(game.startMs);
        gameKb.push_back(game.peakKb / 1024);
        settingsMs.push_back(game.settingsMs);
        winnersMs.push_back(game.winnersMs);
        tableMs.push_back(game.tableMs);
        editorMs.push_back(editor);
        keyMs.push_back(slowestKey);
        if (slowestKey > worstKeyMs) {
            worstKeyMs = slowestKey;
            worstWord = slowestWord;
        }
        minimalMs.push_back(minimal);
        textMs.push_back(text);
        minimalKb.push_back(minimalPeakKb / 1024);
    }
    const Times text(textMs);
    bool ok = compare("start-up-to-full-frame", Times(gameMs), "minimal Qt window with a line of text", text, 1.10);
    compare("start-up-against-empty-window", Times(gameMs), "minimal empty Qt window", Times(minimalMs), 0);
    ok = compare("open-settings", Times(settingsMs), "text window's start-up", text, 1.0) && ok;
    ok = compare("open-winners", Times(winnersMs), "text window's start-up", text, 1.0) && ok;
    ok = compare("open-game-table", Times(tableMs), "text window's start-up", text, 1.0) && ok;
    if (bigDataDir) {
        ok = compare("open-question-editor-100k", Times(editorMs), "the game's start-up", Times(gameMs), 1.0) && ok;
        constexpr double KeyTargetMs = 50;
        const double key = BenchReport::median(keyMs);
        std::printf("question-editor-filter-100k-painted: measured %.2f ms (slowest key to the list painted on the X "
                    "server, median of %d runs; worst %.2f ms on «%s»), target %.2f ms %s\n",
                    key, Runs, worstKeyMs, worstWord, KeyTargetMs, key <= KeyTargetMs ? "ok" : "FAIL");
        ok = key <= KeyTargetMs && ok;
    }
    ok = BenchReport::ratio("memory-at-main-menu", "MiB", BenchReport::median(gameKb), "minimal Qt window",
                            BenchReport::median(minimalKb), 1.3) && ok;
    XCloseDisplay(display);
    return ok ? 0 : 1;
}
