// The pictures of the plain drive and folder lists: drive kinds for the drive combo box and folder
// states for the directory list box, crisp pixel art on the transparent magenta.
#pragma once

#include <string>

namespace artwork {

// Writes SK_FLOPPY.bmp (a floppy drive with its slot and eject button), SK_HARD.bmp (a hard disk
// with a green light), SK_NETWORK.bmp (a drive hanging on a network cable) and SK_CDROM.bmp (a
// CD-ROM drive with a disc sliding out), each 16 x 16; SK_RAM.bmp (a memory module with black
// chips and gold contacts, 16 x 11); SK_CLOSEDFOLDER.bmp (a yellow closed folder), SK_OPENFOLDER.bmp
// and SK_CURRENTFOLDER.bmp (a yellow open folder with a green arrow), each 16 x 15.
void WriteFileListGlyphs(const std::string& folder);

}  // namespace artwork
