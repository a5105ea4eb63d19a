// PxImage: loading and saving files, and the dispatchers that run one codec or probe them all.
// A decode fills a separate format object and moves it in only on success, so a failed load never
// touches the caller's pixels; an encode runs on a ghost of the caller's image.
#include "image/PxImage.h"

#include "image/PxFile.h"
#include "image/PxImageFormatTable.h"
#include "image/PxStream.h"

#include <cstdio>
#include <cstring>
#include <exception>
#include <memory>
#include <new>
#include <string>

namespace {

using WideText = std::u16string;

// The folder part of a Windows path ("." when there is none), where the temporary file goes.
WideText FolderOf(const WideText& path) {
  const std::size_t slash = path.find_last_of(u"\\/");
  if (slash == WideText::npos) return WideText(u".");
  if (slash == 0) return path.substr(0, 1);
  return path.substr(0, slash);
}

// Writes all bytes to the handle; false on a failed or short write.
bool WriteAll(HANDLE handle, const std::uint8_t* data, std::size_t size) {
  while (size > 0) {
    const DWORD chunk = size > (1u << 30) ? (1u << 30) : static_cast<DWORD>(size);
    DWORD written = 0;
    if (!WriteFile(handle, data, chunk, &written, nullptr) || written != chunk) return false;
    data += chunk;
    size -= chunk;
  }
  return true;
}

}  // namespace

bool PxImage::EncodeCheck(PxFile* file) {
  if (!file) {
    SetError("null file handler");
    return true;
  }
  if (!dib) {
    SetError("null image!!!");
    return true;
  }
  return false;
}

bool PxImage::Decode(PxFile* file, std::uint32_t id) {
  if (!file) {
    SetError("null file handler");
    return false;
  }

  // Runs the codec on a fresh format object that carries this image's settings; exceptions
  // from the format libraries stay inside as the codec's message.
  auto run = [&](const PxCodec& codec, std::uint32_t askedId, std::unique_ptr<PxImage>& object) {
    object = codec.make();
    if (!object) {
      SetError("Decode: can't allocate memory");
      return false;
    }
    object->CopyInfo(*this);
    try {
      return codec.decode(*object, file, askedId);
    } catch (const std::exception& error) {
      object->SetError(error.what());
    } catch (...) {
      object->SetError("Decode: unexpected failure");
    }
    return false;
  };

  if (id == FMT_UNKNOWN) {
    const std::int32_t start = file->GetPosition();
    for (const std::uint32_t probeId : ProbeOrder()) {
      const PxCodec* codec = FindCodec(probeId);
      if (!codec) continue;
      std::unique_ptr<PxImage> object;
      if (run(*codec, FMT_UNKNOWN, object)) {
        Transfer(*object);
        return true;
      }
      file->Seek(start, SEEK_SET);
    }
    SetError("Decode: Unknown or wrong format");
    return false;
  }

  if (id >= FMT_COUNT) {
    SetError("Decode: Unknown or wrong format");
    return false;
  }
  const PxCodec* codec = FindCodec(id);
  if (!codec) {
    char text[sizeof(info.lastError)];
    std::snprintf(text, sizeof(text), "Decode: %s format not supported", FormatName(id));
    SetError(text);
    return false;
  }
  std::unique_ptr<PxImage> object;
  if (run(*codec, id, object)) {
    Transfer(*object);
    return true;
  }
  if (!object) return false;
  // Multi-frame formats tell the caller how many frames exist even when the asked one failed.
  if (id == FMT_GIF || id == FMT_ICO || id == FMT_TIF) info.frameCount = object->info.frameCount;
  SetError(object->info.lastError);
  return false;
}

bool PxImage::Encode(PxFile* file, std::uint32_t id) {
  if (id == FMT_UNKNOWN || id >= FMT_COUNT) {
    SetError("Encode: Unknown format");
    return false;
  }
  const PxCodec* codec = FindCodec(id);
  if (!codec) {
    char text[sizeof(info.lastError)];
    std::snprintf(text, sizeof(text), "Save %s not supported", FormatName(id));
    SetError(text);
    return false;
  }
  std::unique_ptr<PxImage> object = codec->make();
  if (!object) {
    SetError("Encode: can't allocate memory");
    return false;
  }
  object->Ghost(this);
  bool ok = false;
  try {
    ok = codec->encode(*object, file, id);
  } catch (const std::exception& error) {
    object->SetError(error.what());
  } catch (...) {
    object->SetError("Encode: unexpected failure");
  }
  if (!ok) SetError(object->info.lastError);
  return ok;
}

bool PxImage::DecodeStream(PxStream* stream, std::uint32_t id) {
  PxIOFile file(stream);
  return Decode(&file, id);
}

bool PxImage::EncodeStream(PxStream* stream, std::uint32_t id) {
  PxIOFile file(stream);
  return Encode(&file, id);
}

bool PxImage::LoadFile(const char* fileName, std::uint32_t id) {
  if (id > FMT_UNKNOWN && id < FMT_COUNT) {
    std::unique_ptr<PxStream> stream = PxStream::Open(fileName, "rb");
    if (!stream) return false;
    if (DecodeStream(stream.get(), id)) return true;
  }

  char remembered[sizeof(info.lastError)];
  std::memcpy(remembered, info.lastError, sizeof(remembered));

  std::unique_ptr<PxStream> stream = PxStream::Open(fileName, "rb");
  if (!stream) return false;
  const bool ok = DecodeStream(stream.get(), FMT_UNKNOWN);
  stream.reset();
  // A failed typed load reports the typed codec's reason, not the probe's.
  if (!ok && id != FMT_UNKNOWN) std::memcpy(info.lastError, remembered, sizeof(remembered));
  return ok;
}

bool PxImage::SaveFile(const char* fileName, std::uint32_t id) {
  const WideText target = PxWideText(fileName);
  if (target.empty()) return false;

  // The whole file is made in memory first, so a failing encoder never touches the target.
  PxMemFile encoded;
  if (!encoded.Open()) {
    SetError("SaveFile: can't allocate memory");
    return false;
  }
  if (!Encode(&encoded, id)) return false;

  // Then it is written beside the target and moved over it in one step.
  WideText folder;
  try {
    folder = FolderOf(target);
  } catch (const std::bad_alloc&) {
    SetError("SaveFile: can't allocate memory");
    return false;
  }
  WCHAR temporary[MAX_PATH] = {};
  if (!GetTempFileNameW(PxWinText(folder), L"pxi", 0, temporary)) return false;
  HANDLE handle = CreateFileW(temporary, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (handle == INVALID_HANDLE_VALUE) {
    DeleteFileW(temporary);
    return false;
  }
  const std::int32_t size = encoded.GetSize();
  const bool written = WriteAll(handle, encoded.Buffer(false), static_cast<std::size_t>(size));
  const bool closed = CloseHandle(handle) != FALSE;
  const char* failure = nullptr;
  if (!written) failure = "SaveFile: can't write the file";
  else if (!closed) failure = "SaveFile: can't close the file";
  else if (!MoveFileExW(temporary, PxWinText(target), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH))
    failure = "SaveFile: can't replace the file";
  if (failure) {
    DeleteFileW(temporary);
    SetError(failure);
    return false;
  }
  return true;
}
