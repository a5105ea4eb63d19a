// The record walk of the metafile decoder. GDI plays a metafile by trusting every size, count,
// offset and object index its records state, so a damaged file makes it read and write out of
// bounds or loop inside the system. Before a metafile is handed over, each record is checked: its
// size against the file, the counts and offsets of its fields against its own size, embedded
// bitmaps against the bytes they bring, and object indices against the table the header declares.
#pragma once

#include <cstddef>
#include <cstdint>

// An enhanced metafile of exactly `size` bytes (the header's nBytes): true when every record from
// the header to the single end record is sound.
bool CheckEnhMetaRecords(const std::uint8_t* data, std::size_t size);

// A standard Windows metafile of `size` bytes, starting with its 18-byte header: true when every
// record up to the end record is sound.
bool CheckWinMetaRecords(const std::uint8_t* data, std::size_t size);
