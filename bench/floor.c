/* The floor of a run: the bytes it cannot avoid reading. Reads every file of
 * a list whole, with read() into one reused buffer, and prints the time the
 * reading took in seconds, the processor time it took (user and system,
 * seconds), the bytes and the files read, as "seconds cpu-seconds bytes
 * files". Nothing is parsed; a file that cannot be opened or read is an
 * error, since the run would read it too.
 *
 *   bench-floor FOLDER LIST
 *
 * LIST holds one path per line (LF), relative to FOLDER.
 */
#define _GNU_SOURCE
#include <errno.h>
#include <fcntl.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <sys/resource.h>
#include <time.h>
#include <unistd.h>

/* The size of the program's own read blocks. */
#define BLOCK (64 * 1024)

static double cpuTime(void) {
    struct rusage usage;
    getrusage(RUSAGE_SELF, &usage);
    return (double)usage.ru_utime.tv_sec + (double)usage.ru_utime.tv_usec / 1e6 +
           (double)usage.ru_stime.tv_sec + (double)usage.ru_stime.tv_usec / 1e6;
}

static double now(void) {
    struct timespec ts;
    clock_gettime(CLOCK_MONOTONIC, &ts);
    return (double)ts.tv_sec + (double)ts.tv_nsec / 1e9;
}

/* The whole list in memory, its line ends turned into string ends, so that
 * the timed loop does nothing but open, read and close. */
static char* loadList(const char* path, size_t* count) {
    FILE* f = fopen(path, "rb");
    if (!f) {
        perror(path);
        exit(1);
    }
    size_t size = 0, cap = 1 << 16;
    char* text = malloc(cap + 1);
    size_t got;
    while ((got = fread(text + size, 1, cap - size, f)) > 0) {
        size += got;
        if (size == cap) text = realloc(text, (cap *= 2) + 1);
    }
    fclose(f);
    text[size] = '\0';
    *count = 0;
    for (size_t i = 0; i < size; ++i) {
        if (text[i] == '\n') {
            text[i] = '\0';
            ++*count;
        }
    }
    if (size > 0 && text[size - 1] != '\0') ++*count;
    return text;
}

int main(int argc, char** argv) {
    if (argc != 3) {
        fprintf(stderr, "usage: bench-floor FOLDER LIST\n");
        return 2;
    }
    size_t count;
    char* list = loadList(argv[2], &count);
    if (chdir(argv[1]) != 0) {
        perror(argv[1]);
        return 1;
    }
    static char buffer[BLOCK];
    long long bytes = 0;
    double start = now(), startCpu = cpuTime();
    const char* path = list;
    for (size_t i = 0; i < count; ++i, path += strlen(path) + 1) {
        int fd = open(path, O_RDONLY | O_CLOEXEC);
        if (fd < 0) {
            perror(path);
            return 1;
        }
        ssize_t got;
        while ((got = read(fd, buffer, sizeof buffer)) > 0) bytes += got;
        if (got < 0) {
            perror(path);
            return 1;
        }
        close(fd);
    }
    double elapsed = now() - start, cpu = cpuTime() - startCpu;
    printf("%.6f %.6f %lld %zu\n", elapsed, cpu, bytes, count);
    free(list);
    return 0;
}
