#pragma once
// Command line of the gallery: "--exit-after MS" closes the window MS milliseconds after it
// is shown (for unattended screenshots); without it the window stays until closed.

struct GalleryOptions {
  int exitAfterMs = 0;  // 0 = stay open
  bool valid = true;
};

GalleryOptions ParseGalleryOptions(const char* commandLine);
