/* Watches a rectangle of the X display's root window and prints the
 * monotonic time in milliseconds of every change of its pixels, one line
 * each, the first capture included: what a user would see move. Given a
 * folder, it also keeps each new picture there as NNNNN.ppm, numbered in
 * the order seen (at most 10,000), to be read afterwards.
 *
 *   ring_watch X Y WIDTH HEIGHT SECONDS [FOLDER]
 */
#include <X11/Xlib.h>
#include <X11/Xutil.h>

#include <stdint.h>
#include <stdio.h>
#include <stdlib.h>
#include <time.h>

static double now_ms(void) {
  struct timespec t;
  clock_gettime(CLOCK_MONOTONIC, &t);
  return t.tv_sec * 1000.0 + t.tv_nsec / 1e6;
}

static void keep(XImage *image, const char *folder, int number) {
  char path[4096];
  snprintf(path, sizeof path, "%s/%05d.ppm", folder, number);
  FILE *out = fopen(path, "wb");
  if (!out) return;
  fprintf(out, "P6\n%d %d\n255\n", image->width, image->height);
  for (int y = 0; y < image->height; ++y) {
    for (int x = 0; x < image->width; ++x) {
      unsigned long pixel = XGetPixel(image, x, y);
      unsigned char rgb[3] = {(unsigned char)(pixel >> 16), (unsigned char)(pixel >> 8), (unsigned char)pixel};
      fwrite(rgb, 1, 3, out);
    }
  }
  fclose(out);
}

static uint64_t digest(XImage *image) {
  uint64_t hash = 1469598103934665603ull;
  for (int y = 0; y < image->height; ++y) {
    const unsigned char *row = (const unsigned char *)image->data + (size_t)y * image->bytes_per_line;
    for (int i = 0; i < image->bytes_per_line; ++i) hash = (hash ^ row[i]) * 1099511628211ull;
  }
  return hash;
}

int main(int argc, char **argv) {
  if (argc != 6 && argc != 7) {
    fprintf(stderr, "usage: ring_watch X Y WIDTH HEIGHT SECONDS [FOLDER]\n");
    return 2;
  }
  int x = atoi(argv[1]), y = atoi(argv[2]);
  unsigned width = (unsigned)atoi(argv[3]), height = (unsigned)atoi(argv[4]);
  double end = now_ms() + atof(argv[5]) * 1000.0;
  Display *display = XOpenDisplay(NULL);
  if (!display) return 1;
  Window root = DefaultRootWindow(display);
  uint64_t last = 0;
  const char *folder = argc == 7 ? argv[6] : NULL;
  int seen = 0;
  const struct timespec pause = {0, 2 * 1000 * 1000};
  while (now_ms() < end) {
    XImage *image = XGetImage(display, root, x, y, width, height, AllPlanes, ZPixmap);
    if (image) {
      uint64_t hash = digest(image);
      if (!seen || hash != last) {
        printf("%.1f\n", now_ms());
        fflush(stdout);
        if (folder && seen < 10000) keep(image, folder, seen);
        last = hash;
        ++seen;
      }
      XDestroyImage(image);
    }
    nanosleep(&pause, NULL);
  }
  XCloseDisplay(display);
  return 0;
}
