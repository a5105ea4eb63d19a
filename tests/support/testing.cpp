#include "tests/support/testing.h"

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <stdexcept>

// Test support runs beside the program under test as a plain host process: the helpers here
// use Unix paths on purpose, for fixtures that external tools read and write.
namespace testing_support {

TempDir::TempDir() {
  char pattern[] = "/tmp/tavrel-test-XXXXXX";
  if (!mkdtemp(pattern)) throw std::runtime_error("cannot make a temporary folder");
  FUnixPath = pattern;
}

TempDir::~TempDir() {
  RunTool("rm -rf '" + FUnixPath + "'");
}

std::string TempDir::windowsPath() const { return UnixToWindowsPath(FUnixPath); }

std::string UnixToWindowsPath(const std::string& unixPath) {
  std::string result = "Z:";
  for (char c : unixPath) result += c == '/' ? '\\' : c;
  return result;
}

int RunTool(const std::string& commandLine) {
  const int status = std::system(commandLine.c_str());
  if (status == -1) return -1;
  return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

std::string ToolOutput(const std::string& commandLine) {
  std::string output;
  if (FILE* pipe = popen(commandLine.c_str(), "r")) {
    char buffer[4096];
    size_t n;
    while ((n = fread(buffer, 1, sizeof buffer, pipe)) > 0) output.append(buffer, n);
    pclose(pipe);
  }
  return output;
}

bool HasTool(const std::string& program) {
  return RunTool("command -v '" + program + "' >/dev/null 2>&1") == 0;
}

std::string ReadUnixFile(const std::string& unixPath) {
  std::ifstream in(unixPath, std::ios::binary);
  std::ostringstream s;
  s << in.rdbuf();
  return s.str();
}

void WriteUnixFile(const std::string& unixPath, const std::string& bytes) {
  std::ofstream out(unixPath, std::ios::binary);
  out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

}  // namespace testing_support
