// The record walk of the metafile decoder. GDI plays a metafile by trusting every size, count,
// offset and object index its records state, so a damaged file makes it read and write out of
// bounds or loop inside the system. Before a metafile is handed over, each record is checked: its
// size against the file, the counts and offsets of its fields against its own size, embedded
// bitmaps against the bytes they bring, and object indices against the table the header declares.
#pragma once

#include <windows.h>

#include <cstddef>
#include <cstdint>

// An enhanced metafile of exactly `size` bytes (the header's nBytes): true when every record from
// the header to the single end record is sound.
bool CheckEnhMetaRecords(const std::uint8_t* data, std::size_t size);

// A standard Windows metafile of `size` bytes, starting with its 18-byte header: true when every
// record up to the end record is sound.
bool CheckWinMetaRecords(const std::uint8_t* data, std::size_t size);

// Plays an enhanced metafile on `dc` over `area` as PlayEnhMetaFile does, record by record. Bounds
// are not enough there: a sound record can still ask GDI to draw an ellipse of a billion pixels
// (which Wine builds point by point), a pen or font as wide, or scale all that follows by a million.
// Before each drawing record its points, pen and font are measured on the device as the records
// before it left the mapping; false, with the play stopped there, when one reaches far beyond the
// picture.
bool PlayCheckedEnhMetaFile(HDC dc, HENHMETAFILE metafile, const RECT& area);
