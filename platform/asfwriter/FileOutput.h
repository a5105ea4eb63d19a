// The writer's file: an AVIOContext over a Win32 file handle. libavformat's own file protocol would
// open Unix paths with glibc, where the program's paths are Windows paths.
#pragma once

#include "platform/asfwriter/LibAv.h"

#include <windows.h>

#include <string>

namespace asfwriter {

class TFileOutput {
public:
  TFileOutput(const TFileOutput&) = delete;
  TFileOutput& operator=(const TFileOutput&) = delete;
  // An output that was never closed did not complete: its file goes.
  ~TFileOutput();

  // Creates the file at Path, replacing one of that name; on failure Result says why and nothing
  // is left on disk.
  static std::unique_ptr<TFileOutput> Create(const WCHAR* Path, HRESULT& Result);

  // Whether a file can be written at Path, found without changing anything there: a new file is
  // made and removed again, an existing one opened for writing and left as it is.
  static HRESULT CheckWritable(const WCHAR* Path);

  AVIOContext* Context() const { return FContext; }
  // Whether a write or a seek has failed so far.
  bool Failed() const { return FFailed; }
  // The first failure's cause.
  HRESULT Error() const { return FError != ERROR_SUCCESS ? HRESULT_FROM_WIN32(FError) : E_FAIL; }
  // Flushes and closes the file, and keeps it when Keep is true and nothing failed; otherwise
  // deletes it. S_OK when the file was kept.
  HRESULT Close(bool Keep);

private:
  TFileOutput(HANDLE File, std::u16string Path);
  static int Write(void* Output, uint8_t* Data, int Size);
  static int64_t Seek(void* Output, int64_t Offset, int Whence);
  // Records the first failure, and answers libav with an I/O error.
  int Fail(DWORD Error);

  HANDLE FFile;
  const std::u16string FPath;
  AVIOContext* FContext = nullptr;
  DWORD FError = ERROR_SUCCESS;  // the first failure's code
  bool FFailed = false;
};

}  // namespace asfwriter
