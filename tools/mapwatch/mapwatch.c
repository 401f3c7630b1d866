/* Starts a program and prints, in milliseconds, how long it takes until its
 * first top-level window is mapped on the X server. It listens for the map
 * event itself instead of polling, so the measurement adds no load.
 *   tavro-mapwatch <program> [args...]     (the program keeps running) */
#include <X11/Xlib.h>
#include <stdio.h>
#include <stdlib.h>
#include <time.h>
#include <unistd.h>

static double nowMs(void) {
    struct timespec ts;
    clock_gettime(CLOCK_MONOTONIC, &ts);
    return ts.tv_sec * 1000.0 + ts.tv_nsec / 1e6;
}

int main(int argc, char** argv) {
    if (argc < 2) {
        fprintf(stderr, "usage: tavro-mapwatch <program> [args...]\n");
        return 2;
    }
    Display* display = XOpenDisplay(NULL);
    if (!display) {
        fprintf(stderr, "tavro-mapwatch: cannot open the display\n");
        return 2;
    }
    XSelectInput(display, DefaultRootWindow(display), SubstructureNotifyMask);
    XSync(display, False);
    const double start = nowMs();
    const pid_t child = fork();
    if (child == 0) {
        execvp(argv[1], argv + 1);
        _exit(127);
    }
    for (;;) {
        XEvent event;
        XNextEvent(display, &event);
        if (event.type == MapNotify) {
            printf("%.1f\n", nowMs() - start);
            printf("pid %d\n", (int)child);
            fflush(stdout);
            return 0;
        }
    }
}
