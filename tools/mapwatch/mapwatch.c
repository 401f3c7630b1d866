/* Starts a program and prints, in milliseconds, how long it takes until its
 * first top-level window is mapped on the X server. It listens for the map
 * event itself instead of polling, so the measurement adds no load. With -n N
 * it prints the times of the first N windows mapped, one a line.
 *   tavro-mapwatch [-n N] <program> [args...]     (the program keeps running) */
#include <X11/Xlib.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <time.h>
#include <unistd.h>

static double nowMs(void) {
    struct timespec ts;
    clock_gettime(CLOCK_MONOTONIC, &ts);
    return ts.tv_sec * 1000.0 + ts.tv_nsec / 1e6;
}

int main(int argc, char** argv) {
    int windows = 1;
    if (argc > 2 && strcmp(argv[1], "-n") == 0) {
        windows = atoi(argv[2]);
        argv += 2;
        argc -= 2;
    }
    if (argc < 2 || windows < 1) {
        fprintf(stderr, "usage: tavro-mapwatch [-n N] <program> [args...]\n");
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
    while (windows > 0) {
        XEvent event;
        XNextEvent(display, &event);
        if (event.type == MapNotify) {
            printf("%.1f\n", nowMs() - start);
            fflush(stdout);
            --windows;
        }
    }
    printf("pid %d\n", (int)child);
    return 0;
}
