#include "GalleryOptions.h"

#include <cstdlib>
#include <cstring>

GalleryOptions ParseGalleryOptions(const char* commandLine) {
  GalleryOptions options;
  const char* p = commandLine ? commandLine : "";
  while (*p) {
    while (*p == ' ' || *p == '\t') ++p;
    if (!*p) break;
    constexpr char kExitAfter[] = "--exit-after";
    if (std::strncmp(p, kExitAfter, sizeof kExitAfter - 1) == 0) {
      p += sizeof kExitAfter - 1;
      if (*p == '=') ++p;
      char* end = nullptr;
      const long ms = std::strtol(p, &end, 10);
      if (end == p || ms <= 0 || ms > 3600000) {
        options.valid = false;
        return options;
      }
      options.exitAfterMs = static_cast<int>(ms);
      p = end;
    } else {
      options.valid = false;
      return options;
    }
  }
  return options;
}
