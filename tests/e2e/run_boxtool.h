// Runs the built boxtool in a folder, its output going to out.txt and err.txt there.
#pragma once

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#if defined(_WIN32)
#include <windows.h>
#else
#include <sys/wait.h>

#include <cstdlib>
#endif

#include "../support/host_path.h"
#include "../support/temp_dir.h"

namespace boxedit::testing {

// The exit status of `boxtool ARGS` run in `dir`, after the shell commands `setup` (limits,
// traps; POSIX only); -1 when it did not exit normally. A run that hangs is stopped after 30
// seconds and gives 124.
inline int RunBoxtool(const std::filesystem::path& dir, const std::string& args,
                      const std::string& setup = "") {
#if defined(_WIN32)
  // No shell here: the program is started directly with its output redirected to the files.
  (void)setup;
  SECURITY_ATTRIBUTES inherit{sizeof inherit, nullptr, TRUE};
  auto open = [&](const char* name) {
    return CreateFileW((dir / name).c_str(), GENERIC_WRITE, FILE_SHARE_READ, &inherit,
                       CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
  };
  const HANDLE out = open("out.txt"), err = open("err.txt");
  STARTUPINFOW startup{};
  startup.cb = sizeof startup;
  startup.dwFlags = STARTF_USESTDHANDLES;
  startup.hStdInput = GetStdHandle(STD_INPUT_HANDLE);
  startup.hStdOutput = out;
  startup.hStdError = err;
  const std::filesystem::path program = HostPath(BOXTOOL_PATH);
  std::wstring command = L"\"" + program.wstring() + L"\" " + std::filesystem::path(args).wstring();
  PROCESS_INFORMATION process{};
  const BOOL started = CreateProcessW(program.c_str(), command.data(), nullptr, nullptr, TRUE, 0,
                                      nullptr, dir.c_str(), &startup, &process);
  CloseHandle(out);
  CloseHandle(err);
  if (!started) return -1;
  int status = -1;
  if (WaitForSingleObject(process.hProcess, 30000) == WAIT_TIMEOUT) {
    TerminateProcess(process.hProcess, 124);
    WaitForSingleObject(process.hProcess, INFINITE);
  }
  DWORD code = 0;
  if (GetExitCodeProcess(process.hProcess, &code)) status = static_cast<int>(code);
  CloseHandle(process.hThread);
  CloseHandle(process.hProcess);
  return status;
#else
  const std::string command = "cd '" + dir.string() + "' && " +
                              (setup.empty() ? "" : setup + "; ") +
                              "exec timeout 30 '" BOXTOOL_PATH "' " + args + " >out.txt 2>err.txt";
  const int raw = std::system(command.c_str());
  return WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
#endif
}

// A test with a folder of its own to run boxtool in.
class BoxtoolFolder : public ::testing::Test {
 protected:
  int Boxtool(const std::string& args, const std::string& setup = "") {
    return RunBoxtool(dir_.path(), args, setup);
  }
  // `boxtool replay` of `script`, written to script.txt.
  int Replay(const std::string& script, const std::string& options = "") {
    dir_.Write("script.txt", script);
    return Boxtool("replay script.txt " + options);
  }
  std::string Err() const { return dir_.Read("err.txt"); }

  TempDir dir_;
};

}  // namespace boxedit::testing
