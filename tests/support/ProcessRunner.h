#pragma once

// Programs of the project run as a person runs them: the simulator in the
// background with its pseudo-terminal's path from its first output line,
// and a command-line program to its end with what it printed. POSIX only.
#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <string>
#include <vector>

extern char** environ;

namespace process_runner {

inline std::vector<char*> Argv(std::vector<std::string>& arguments) {
  std::vector<char*> argv;
  for (std::string& a : arguments) argv.push_back(a.data());
  argv.push_back(nullptr);
  return argv;
}

// Reads a descriptor to its end.
inline std::string ReadAll(int fd) {
  std::string text;
  char buffer[4096];
  for (ssize_t n; (n = read(fd, buffer, sizeof buffer)) > 0;) text.append(buffer, static_cast<std::size_t>(n));
  return text;
}

}  // namespace process_runner

// A running program in the background; SIGTERM and wait on destruction.
class BackgroundProcess {
public:
  // Runs program with arguments, standard input closed, and waits up to 10 s
  // for the first line of its output.
  BackgroundProcess(const std::string& program, std::vector<std::string> arguments) {
    int out[2];
    if (pipe(out) != 0) return;
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addclose(&actions, 0);
    posix_spawn_file_actions_adddup2(&actions, out[1], 1);
    posix_spawn_file_actions_addclose(&actions, out[0]);
    arguments.insert(arguments.begin(), program);
    std::vector<char*> argv = process_runner::Argv(arguments);
    if (posix_spawn(&pid_, program.c_str(), &actions, nullptr, argv.data(), environ) != 0) pid_ = -1;
    posix_spawn_file_actions_destroy(&actions);
    close(out[1]);
    stdout_ = out[0];
    firstLine_ = ReadFirstLine();
  }
  ~BackgroundProcess() {
    Stop();
    if (stdout_ >= 0) close(stdout_);
  }
  BackgroundProcess(const BackgroundProcess&) = delete;
  BackgroundProcess& operator=(const BackgroundProcess&) = delete;

  const std::string& FirstLine() const { return firstLine_; }

  // SIGTERM; the exit status, or -1.
  int Stop() {
    if (pid_ <= 0) return -1;
    kill(pid_, SIGTERM);
    int status = 0;
    waitpid(pid_, &status, 0);
    pid_ = -1;
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  }

private:
  std::string ReadFirstLine() {
    std::string line;
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(10);
    while (std::chrono::steady_clock::now() < deadline) {
      pollfd fd{stdout_, POLLIN, 0};
      if (poll(&fd, 1, 100) <= 0) continue;
      char c;
      if (read(stdout_, &c, 1) != 1) break;
      if (c == '\n') return line;
      line += c;
    }
    return {};
  }

  pid_t pid_ = -1;
  int stdout_ = -1;
  std::string firstLine_;
};

struct ProgramRun {
  int status = -1;  // exit status, or -1 when it did not exit normally
  std::string out, err;
};

// Runs program to its end with `input` on its standard input.
inline ProgramRun RunProgram(const std::string& program, std::vector<std::string> arguments,
                             const std::string& input = {}) {
  int in[2], out[2], err[2];
  if (pipe(in) != 0 || pipe(out) != 0 || pipe(err) != 0) return {};
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_adddup2(&actions, in[0], 0);
  posix_spawn_file_actions_adddup2(&actions, out[1], 1);
  posix_spawn_file_actions_adddup2(&actions, err[1], 2);
  for (int fd : {in[1], out[0], err[0]}) posix_spawn_file_actions_addclose(&actions, fd);
  arguments.insert(arguments.begin(), program);
  std::vector<char*> argv = process_runner::Argv(arguments);
  pid_t pid = -1;
  const bool started = posix_spawn(&pid, program.c_str(), &actions, nullptr, argv.data(), environ) == 0;
  posix_spawn_file_actions_destroy(&actions);
  for (int fd : {in[0], out[1], err[1]}) close(fd);
  if (!input.empty()) {
    [[maybe_unused]] auto written = write(in[1], input.data(), input.size());
  }
  close(in[1]);
  ProgramRun run;
  // Standard error is small; reading it after standard output cannot block.
  run.out = process_runner::ReadAll(out[0]);
  run.err = process_runner::ReadAll(err[0]);
  close(out[0]);
  close(err[0]);
  int status = 0;
  if (started && waitpid(pid, &status, 0) == pid && WIFEXITED(status)) run.status = WEXITSTATUS(status);
  return run;
}
