// A minimal PNG writer for screenshots: 8-bit RGB, no filtering, the image
// data in uncompressed ("stored") deflate blocks.
#pragma once

#include <vector>

#include "platform/text.h"

// The PNG file of an image given as rows of RGB bytes, top row first.
Text EncodePng(int width, int height, const std::vector<unsigned char>& rgb);
bool WritePng(const Text& path, int width, int height, const std::vector<unsigned char>& rgb);
