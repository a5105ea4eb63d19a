// The one way tests include GoogleTest. winegcc defines _WIN32, which would make
// gtest's headers pick Windows-only code paths that the Linux-built libgtest lacks.
#pragma once

#ifdef _WIN32
#define TAVREL_TESTING_HAD_WIN32 _WIN32
#undef _WIN32
#endif
#include <gtest/gtest.h>
#ifdef TAVREL_TESTING_HAD_WIN32
#define _WIN32 TAVREL_TESTING_HAD_WIN32
#undef TAVREL_TESTING_HAD_WIN32
#endif

#include <windows.h>

#include <string>

namespace testing_support {

// A fresh folder for one test, removed with everything in it when the object dies.
// unixPath() is for external tools started through the shell, windowsPath() for the program's own code.
class TempDir {
public:
  TempDir();
  ~TempDir();
  TempDir(const TempDir&) = delete;
  TempDir& operator=(const TempDir&) = delete;

  const std::string& unixPath() const { return FUnixPath; }
  std::string windowsPath() const;
  // A file name inside the folder, in both forms.
  std::string unixFile(const std::string& name) const { return FUnixPath + "/" + name; }
  std::string windowsFile(const std::string& name) const { return windowsPath() + "\\" + name; }

private:
  std::string FUnixPath;
};

// Wine maps the Unix root to drive Z:.
std::string UnixToWindowsPath(const std::string& unixPath);

// Runs a command line of the host system (an independent tool) and returns its exit status.
int RunTool(const std::string& commandLine);
// Runs a command line and returns what it printed on standard output.
std::string ToolOutput(const std::string& commandLine);
// True when the host has the named program on its PATH.
bool HasTool(const std::string& program);

// Whole-file helpers on Unix paths, for fixtures handed to or read from external tools.
std::string ReadUnixFile(const std::string& unixPath);
void WriteUnixFile(const std::string& unixPath, const std::string& bytes);

}  // namespace testing_support
