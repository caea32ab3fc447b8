// Start-up: the time from starting the program to its window's first map on
// an X server of the benchmark's own (with a session bus), and the resident
// memory then, beside a bare Qt window of the same size in the same run.
#include <QByteArray>
#include <QFile>
#include <QList>
#include <QTemporaryDir>
#include <algorithm>
#include <csignal>
#include <cstdio>
#include <ctime>
#include <fcntl.h>
#include <memory>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>
#include <xcb/xcb.h>

namespace
{

qint64 monotonicNanoseconds()
{
    timespec now{};
    clock_gettime(CLOCK_MONOTONIC, &now);
    return qint64(now.tv_sec) * 1000000000 + now.tv_nsec;
}

pid_t spawn(const std::vector<QByteArray>& program, const QList<QByteArray>& environment, bool quiet = false)
{
    const pid_t child = fork();
    if (child == 0) {
        if (quiet)
            dup2(open("/dev/null", O_WRONLY), STDERR_FILENO);
        for (const QByteArray& variable : environment)
            putenv(const_cast<char*>(variable.constData()));
        std::vector<char*> argv;
        for (const QByteArray& argument : program)
            argv.push_back(const_cast<char*>(argument.constData()));
        argv.push_back(nullptr);
        execvp(argv[0], argv.data());
        _exit(127);
    }
    return child;
}

void stop(pid_t child)
{
    if (child > 0) {
        kill(child, SIGTERM);
        waitpid(child, nullptr, 0);
    }
}

// Starts a helper that prints one line (a display number, a bus address) on the descriptor it is given.
QByteArray startHelper(std::vector<QByteArray> program, pid_t* pid)
{
    int output[2];
    if (pipe(output) != 0)
        return {};
    for (QByteArray& argument : program)
        argument.replace("@FD@", QByteArray::number(output[1]));
    *pid = spawn(program, {}, true);
    close(output[1]);
    QByteArray line;
    char c;
    while (read(output[0], &c, 1) == 1 && c != '\n')
        line.append(c);
    close(output[0]);
    return line.trimmed();
}

long residentKiB(pid_t pid)
{
    QFile status(QStringLiteral("/proc/%1/status").arg(pid));
    if (!status.open(QIODevice::ReadOnly))
        return -1;
    for (const QByteArray& line : status.readAll().split('\n')) {
        if (line.startsWith("VmRSS:"))
            return line.mid(6).trimmed().split(' ').first().toLong();
    }
    return -1;
}

struct Mapped {
    double milliseconds = -1;
    double residentMiB = -1;
    int width = 0;
    int height = 0;
};

// Starts the program and waits for the first top-level window it maps.
Mapped timeToFirstMap(const QByteArray& display, const QList<QByteArray>& environment,
                      const std::vector<QByteArray>& program)
{
    Mapped mapped;
    xcb_connection_t* connection = xcb_connect(display.constData(), nullptr);
    if (xcb_connection_has_error(connection))
        return mapped;
    const xcb_window_t root = xcb_setup_roots_iterator(xcb_get_setup(connection)).data->root;
    const uint32_t mask = XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY;
    xcb_change_window_attributes_checked(connection, root, XCB_CW_EVENT_MASK, &mask);
    // A round trip: the server has the mask before the program starts.
    free(xcb_get_input_focus_reply(connection, xcb_get_input_focus(connection), nullptr));

    QTemporaryDir home;
    const QByteArray folder = QFile::encodeName(home.path());
    QList<QByteArray> variables = environment;
    variables << "DISPLAY=" + display << "QT_QPA_PLATFORM=xcb"
              << "XDG_DATA_HOME=" + folder + "/data"
              << "XDG_CONFIG_HOME=" + folder + "/config"
              << "XDG_RUNTIME_DIR=" + folder;
    const qint64 started = monotonicNanoseconds();
    const pid_t child = spawn(program, variables);
    while (xcb_generic_event_t* event = xcb_wait_for_event(connection)) {
        const bool isMap = (event->response_type & ~0x80) == XCB_MAP_NOTIFY;
        const auto* map = reinterpret_cast<xcb_map_notify_event_t*>(event);
        if (isMap && !map->override_redirect) {
            mapped.milliseconds = (monotonicNanoseconds() - started) / 1e6;
            mapped.residentMiB = residentKiB(child) / 1024.0;
            if (xcb_get_geometry_reply_t* geometry =
                    xcb_get_geometry_reply(connection, xcb_get_geometry(connection, map->window), nullptr)) {
                mapped.width = geometry->width;
                mapped.height = geometry->height;
                free(geometry);
            }
            free(event);
            break;
        }
        free(event);
    }
    stop(child);
    xcb_disconnect(connection);
    return mapped;
}

double median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    return values.empty() ? -1 : values[values.size() / 2];
}

} // namespace

int main()
{
    pid_t server = -1;
    const QByteArray number = startHelper(
        {"Xvfb", "-displayfd", "@FD@", "-screen", "0", "1280x1024x24", "-nolisten", "tcp"}, &server);
    if (number.isEmpty()) {
        std::fprintf(stderr, "Xvfb did not start\n");
        return 1;
    }
    const QByteArray display = ':' + number;
    pid_t bus = -1;
    const QByteArray address =
        startHelper({"dbus-daemon", "--session", "--nofork", "--print-address=@FD@"}, &bus);
    QList<QByteArray> environment;
    if (!address.isEmpty())
        environment << "DBUS_SESSION_BUS_ADDRESS=" + address;

    const int rounds = 21;
    std::vector<double> programTimes, programMemory, bareTimes, bareMemory, labelTimes, labelMemory;
    // The program's window first, for its size.
    Mapped first = timeToFirstMap(display, environment, {VELLUM_BINARY});
    const QByteArray width = QByteArray::number(first.width);
    const QByteArray height = QByteArray::number(first.height);
    for (int round = 0; round < rounds; ++round) {
        const Mapped bare = timeToFirstMap(display, environment, {BARE_WINDOW_BINARY, width, height});
        const Mapped program = timeToFirstMap(display, environment, {VELLUM_BINARY});
        bareTimes.push_back(bare.milliseconds);
        bareMemory.push_back(bare.residentMiB);
        const Mapped label =
            timeToFirstMap(display, environment, {BARE_WINDOW_BINARY, width, height, "--label"});
        labelTimes.push_back(label.milliseconds);
        labelMemory.push_back(label.residentMiB);
        programTimes.push_back(program.milliseconds);
        programMemory.push_back(program.residentMiB);
    }
    stop(bus);
    stop(server);

    const double programTime = median(programTimes), bareTime = median(bareTimes);
    const double programResident = median(programMemory), bareResident = median(bareMemory);
    std::printf("start to the window's first map, Xvfb%s, %dx%d window, median of %d\n\n",
                address.isEmpty() ? " without a session bus" : " and a session bus", first.width,
                first.height, rounds);
    std::printf("| program | ms | resident MiB |\n|---|---|---|\n");
    std::printf("| bare Qt window | %.1f | %.1f |\n", bareTime, bareResident);
    std::printf("| bare Qt window with one line of text (fonts set up) | %.1f | %.1f |\n", median(labelTimes),
                median(labelMemory));
    std::printf("| Vellum | %.1f | %.1f |\n\n", programTime, programResident);
    std::printf("Vellum: %.2fx the bare window's time (goal: at most 1.3x), %+.1f MiB (goal: at most +8)\n",
                programTime / bareTime, programResident - bareResident);
    return 0;
}
