// Writes a bitmap to a PNG file, for snapshots of the playfield and the exported icons.
#pragma once

class CBitmap;

// An RGB PNG with every colour exact; false when the bitmap is empty or any
// part of the file (open, a write, the flush, the close) fails.
bool SaveBitmapPng(const CBitmap& bitmap, const char* path);
