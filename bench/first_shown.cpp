// Starts a program on the X display in $DISPLAY and prints the milliseconds
// from just before its start until the X server maps its first top-level
// window, the moment its user can see it; then ends the program.
//
// It waits for the X server's MapNotify event on the root window, so it
// takes no processor time from the program it times. Polling with xdotool,
// as bench/run.sh did, started a process every few milliseconds on the same
// two cores, which slowed a larger program's start more than a smaller one's.
// Usage: first_shown PROGRAM

#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <xcb/xcb.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>

extern char** environ;

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: first_shown PROGRAM\n");
    return 2;
  }
  xcb_connection_t* x = xcb_connect(nullptr, nullptr);
  if (xcb_connection_has_error(x)) {
    std::fprintf(stderr, "first_shown: no X display\n");
    return 2;
  }
  const xcb_window_t root = xcb_setup_roots_iterator(xcb_get_setup(x)).data->root;
  const uint32_t mask = XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY;
  // Checked, so the server has taken the mask before the program starts.
  if (xcb_generic_error_t* error =
          xcb_request_check(x, xcb_change_window_attributes_checked(x, root, XCB_CW_EVENT_MASK, &mask))) {
    std::fprintf(stderr, "first_shown: cannot watch the root window (error %d)\n", error->error_code);
    return 2;
  }

  const auto start = std::chrono::steady_clock::now();
  pid_t program = 0;
  char* const programArgv[] = {argv[1], nullptr};
  if (posix_spawn(&program, argv[1], nullptr, nullptr, programArgv, environ) != 0) {
    std::perror("first_shown");
    return 2;
  }

  int status = 1;
  pollfd events{xcb_get_file_descriptor(x), POLLIN, 0};
  while (status == 1) {
    while (xcb_generic_event_t* event = xcb_poll_for_event(x)) {
      if ((event->response_type & 0x7f) == XCB_MAP_NOTIFY && status == 1) {
        const std::chrono::duration<double, std::milli> shown = std::chrono::steady_clock::now() - start;
        std::printf("%.1f\n", shown.count());
        status = 0;
      }
      std::free(event);
    }
    if (status != 1) break;
    if (waitpid(program, nullptr, WNOHANG) == program) {
      std::fprintf(stderr, "first_shown: %s ended before showing a window\n", argv[1]);
      return 1;
    }
    if (poll(&events, 1, 20000) == 0) {
      std::fprintf(stderr, "first_shown: %s showed no window in 20 s\n", argv[1]);
      status = 1;
      break;
    }
  }
  kill(program, SIGTERM);
  waitpid(program, nullptr, 0);
  xcb_disconnect(x);
  return status;
}
