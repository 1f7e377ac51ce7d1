/* Runs one command and prints its wall time in seconds, its peak resident
 * memory in KiB and the processor time it used (user and system, seconds),
 * from the command's own rusage (wait4), as "seconds kib cpu-seconds".
 * The command's standard output goes to /dev/null; its standard error stays.
 *
 *   bench-timed COMMAND [ARGS...]
 */
#define _GNU_SOURCE
#include <fcntl.h>
#include <stdio.h>
#include <stdlib.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <time.h>
#include <unistd.h>

static double now(void) {
    struct timespec ts;
    clock_gettime(CLOCK_MONOTONIC, &ts);
    return (double)ts.tv_sec + (double)ts.tv_nsec / 1e9;
}

int main(int argc, char** argv) {
    if (argc < 2) {
        fprintf(stderr, "usage: bench-timed COMMAND [ARGS...]\n");
        return 2;
    }
    double start = now();
    pid_t pid = fork();
    if (pid < 0) {
        perror("fork");
        return 1;
    }
    if (pid == 0) {
        int null = open("/dev/null", O_WRONLY);
        if (null >= 0) dup2(null, STDOUT_FILENO);
        execvp(argv[1], argv + 1);
        perror(argv[1]);
        _exit(127);
    }
    int status;
    struct rusage usage;
    if (wait4(pid, &status, 0, &usage) < 0) {
        perror("wait4");
        return 1;
    }
    double elapsed = now() - start;
    if (!WIFEXITED(status) || WEXITSTATUS(status) != 0) {
        fprintf(stderr, "bench-timed: %s failed (status %d)\n", argv[1], status);
        return 1;
    }
    double cpu = (double)usage.ru_utime.tv_sec + (double)usage.ru_utime.tv_usec / 1e6 +
                 (double)usage.ru_stime.tv_sec + (double)usage.ru_stime.tv_usec / 1e6;
    printf("%.6f %ld %.6f\n", elapsed, usage.ru_maxrss, cpu);
    return 0;
}
