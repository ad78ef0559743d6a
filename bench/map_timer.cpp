// Starts a program and waits for the X server to map its window:
//
//   orvanel-map-timer TITLE PROGRAM [ARGUMENT...]
//
// prints the milliseconds from starting it to the MapNotify of a window titled
// TITLE, and the program's peak resident memory in KiB by then, then ends it.
// Windows inside a Wine virtual desktop are children of the desktop's own X
// window, so the children of the root window are watched as well as the root.

#include <xcb/xcb.h>

#include <poll.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <memory>
#include <string>

namespace {

using Clock = std::chrono::steady_clock;

template<class T> using Reply = std::unique_ptr<T, decltype(&std::free)>;

void watch(xcb_connection_t *x, xcb_window_t window)
{
    const uint32_t mask = XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY;
    xcb_change_window_attributes(x, window, XCB_CW_EVENT_MASK, &mask);
}

xcb_atom_t atom(xcb_connection_t *x, const char *name)
{
    const Reply<xcb_intern_atom_reply_t> reply(
        xcb_intern_atom_reply(x, xcb_intern_atom(x, 0, uint16_t(std::strlen(name)), name), nullptr),
        &std::free);
    return reply ? reply->atom : xcb_atom_t(XCB_ATOM_NONE);
}

std::string property(xcb_connection_t *x, xcb_window_t window, xcb_atom_t name)
{
    const Reply<xcb_get_property_reply_t> reply(
        xcb_get_property_reply(
            x, xcb_get_property(x, 0, window, name, XCB_GET_PROPERTY_TYPE_ANY, 0, 256), nullptr),
        &std::free);
    if (!reply)
        return {};
    return { static_cast<const char *>(xcb_get_property_value(reply.get())),
        std::size_t(xcb_get_property_value_length(reply.get())) };
}

long peakResidentKiB(pid_t pid)
{
    std::ifstream status("/proc/" + std::to_string(pid) + "/status");
    for (std::string line; std::getline(status, line);) {
        if (line.rfind("VmHWM:", 0) == 0)
            return std::strtol(line.c_str() + 6, nullptr, 10);
    }
    return -1;
}

} // namespace

int main(int argc, char *argv[])
{
    if (argc < 3) {
        std::fprintf(stderr, "usage: %s TITLE PROGRAM [ARGUMENT...]\n", argv[0]);
        return 2;
    }
    const std::string title = argv[1];
    xcb_connection_t *x = xcb_connect(nullptr, nullptr);
    if (xcb_connection_has_error(x)) {
        std::fprintf(stderr, "%s: cannot open the display\n", argv[0]);
        return 1;
    }
    const xcb_window_t root = xcb_setup_roots_iterator(xcb_get_setup(x)).data->root;
    const xcb_atom_t netWmName = atom(x, "_NET_WM_NAME");
    watch(x, root);
    const Reply<xcb_query_tree_reply_t> tree(
        xcb_query_tree_reply(x, xcb_query_tree(x, root), nullptr), &std::free);
    if (tree) {
        const xcb_window_t *children = xcb_query_tree_children(tree.get());
        for (int i = 0; i < xcb_query_tree_children_length(tree.get()); ++i)
            watch(x, children[i]);
    }
    // The selections are in force once the server has answered a request.
    std::free(xcb_get_input_focus_reply(x, xcb_get_input_focus(x), nullptr));

    const Clock::time_point start = Clock::now();
    const pid_t pid = fork();
    if (pid == 0) {
        execvp(argv[2], argv + 2);
        std::perror(argv[2]);
        _exit(127);
    }

    double milliseconds = -1;
    const Clock::time_point deadline = start + std::chrono::seconds(60);
    while (milliseconds < 0 && Clock::now() < deadline) {
        pollfd fd { xcb_get_file_descriptor(x), POLLIN, 0 };
        poll(&fd, 1, 100);
        while (xcb_generic_event_t *event = xcb_poll_for_event(x)) {
            const Clock::time_point now = Clock::now();
            const auto type = event->response_type & 0x7f;
            if (type == XCB_CREATE_NOTIFY) {
                const auto *created = reinterpret_cast<xcb_create_notify_event_t *>(event);
                if (created->parent == root)
                    watch(x, created->window);
            } else if (type == XCB_MAP_NOTIFY && milliseconds < 0) {
                const xcb_window_t window
                    = reinterpret_cast<xcb_map_notify_event_t *>(event)->window;
                if (property(x, window, netWmName) == title
                    || property(x, window, XCB_ATOM_WM_NAME) == title)
                    milliseconds = std::chrono::duration<double, std::milli>(now - start).count();
            }
            std::free(event);
        }
        xcb_flush(x);
        if (milliseconds < 0 && waitpid(pid, nullptr, WNOHANG) == pid) {
            std::fprintf(
                stderr, "%s ended without showing a window titled %s\n", argv[2], title.c_str());
            return 1;
        }
    }
    const long peak = peakResidentKiB(pid);
    kill(pid, SIGTERM);
    waitpid(pid, nullptr, 0);
    xcb_disconnect(x);
    if (milliseconds < 0) {
        std::fprintf(stderr, "%s showed no window titled %s\n", argv[2], title.c_str());
        return 1;
    }
    std::printf("%.1f %ld\n", milliseconds, peak);
    return 0;
}
