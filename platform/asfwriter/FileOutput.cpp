#include "platform/asfwriter/FileOutput.h"

#include <utility>

namespace asfwriter {

namespace {

constexpr int kBufferSize = 64 * 1024;

const WCHAR* Wide(const std::u16string& Text) { return reinterpret_cast<const WCHAR*>(Text.c_str()); }

}  // namespace

std::unique_ptr<TFileOutput> TFileOutput::Create(const WCHAR* Path, HRESULT& Result) {
  HANDLE file = CreateFileW(Path, GENERIC_WRITE, FILE_SHARE_READ, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL,
                            nullptr);
  if (file == INVALID_HANDLE_VALUE) {
    Result = HRESULT_FROM_WIN32(GetLastError());
    return nullptr;
  }
  std::unique_ptr<TFileOutput> output(
      new TFileOutput(file, std::u16string(reinterpret_cast<const char16_t*>(Path))));
  auto* buffer = static_cast<unsigned char*>(av_malloc(kBufferSize));
  if (buffer)
    output->FContext = avio_alloc_context(buffer, kBufferSize, 1, output.get(), nullptr, Write, Seek);
  if (!output->FContext) {
    av_free(buffer);
    Result = E_OUTOFMEMORY;
    return nullptr;  // the destructor removes the empty file
  }
  Result = S_OK;
  return output;
}

HRESULT TFileOutput::CheckWritable(const WCHAR* Path) {
  HANDLE file = CreateFileW(Path, GENERIC_WRITE, FILE_SHARE_READ, nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file != INVALID_HANDLE_VALUE) {
    CloseHandle(file);
    DeleteFileW(Path);
    return S_OK;
  }
  if (GetLastError() != ERROR_FILE_EXISTS && GetLastError() != ERROR_ALREADY_EXISTS)
    return HRESULT_FROM_WIN32(GetLastError());
  file = CreateFileW(Path, GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING,
                     FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return HRESULT_FROM_WIN32(GetLastError());
  CloseHandle(file);
  return S_OK;
}

TFileOutput::TFileOutput(HANDLE File, std::u16string Path) : FFile(File), FPath(std::move(Path)) {}

TFileOutput::~TFileOutput() { Close(false); }

HRESULT TFileOutput::Close(bool Keep) {
  if (FContext) {
    if (Keep) avio_flush(FContext);
    av_freep(&FContext->buffer);
    avio_context_free(&FContext);
  }
  if (FFile == INVALID_HANDLE_VALUE) return E_UNEXPECTED;
  if (!CloseHandle(std::exchange(FFile, INVALID_HANDLE_VALUE))) Fail(GetLastError());
  if (Keep && !FFailed) return S_OK;
  DeleteFileW(Wide(FPath));
  return FFailed ? Error() : S_FALSE;
}

int TFileOutput::Write(void* Output, uint8_t* Data, int Size) {
  auto& output = *static_cast<TFileOutput*>(Output);
  if (output.FFailed) return AVERROR(EIO);
  int done = 0;
  while (done < Size) {
    DWORD written = 0;
    if (!WriteFile(output.FFile, Data + done, static_cast<DWORD>(Size - done), &written, nullptr))
      return output.Fail(GetLastError());
    if (written == 0) return output.Fail(ERROR_WRITE_FAULT);
    done += static_cast<int>(written);
  }
  return done;
}

int64_t TFileOutput::Seek(void* Output, int64_t Offset, int Whence) {
  auto& output = *static_cast<TFileOutput*>(Output);
  if (output.FFailed) return AVERROR(EIO);
  LARGE_INTEGER position{};
  if (Whence & AVSEEK_SIZE) {
    if (!GetFileSizeEx(output.FFile, &position)) return AVERROR(EIO);
    return position.QuadPart;
  }
  DWORD method = FILE_BEGIN;
  switch (Whence & ~AVSEEK_FORCE) {
    case SEEK_SET: method = FILE_BEGIN; break;
    case SEEK_CUR: method = FILE_CURRENT; break;
    case SEEK_END: method = FILE_END; break;
    default: return AVERROR(EINVAL);
  }
  LARGE_INTEGER distance;
  distance.QuadPart = Offset;
  if (!SetFilePointerEx(output.FFile, distance, &position, method)) return output.Fail(GetLastError());
  return position.QuadPart;
}

int TFileOutput::Fail(DWORD Error) {
  if (!FFailed) FError = Error;
  FFailed = true;
  return AVERROR(EIO);
}

}  // namespace asfwriter
