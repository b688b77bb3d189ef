// image_readers.h — the five image readers: binary PPM and JPEG, plain and
// with derived alpha. No GL here.
//
// Each reader takes a file opened "rb" by the caller, returns a tightly
// packed buffer (rows top first) or null on failure, and stores the size
// through the out-parameters.
#pragma once

#include <cstdio>
#include <memory>

using PixelBuffer = std::unique_ptr<unsigned char[]>;

PixelBuffer load_image(FILE* fp, int* width, int* height);              // PPM -> RGB
PixelBuffer load_image_toumei(FILE* fp, int* width, int* height);       // PPM -> RGBA, black clear
PixelBuffer load_image_pushed(FILE* fp, int* width, int* height);       // PPM -> pressed look
PixelBuffer load_image_jpeg(FILE* fp, int* width, int* height);         // JPEG -> RGB
PixelBuffer load_image_jpeg_toumei(FILE* fp, int* width, int* height);  // JPEG -> RGBA
