// Writes a bitmap to a PNG file, for snapshots of the playfield.
#pragma once

class CBitmap;

// An RGB PNG with every colour exact; false when the bitmap is empty or the
// file cannot be written.
bool SaveBitmapPng(const CBitmap& bitmap, const char* path);
