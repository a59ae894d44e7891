#include "cli/cli_runner.h"

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <fstream>
#include <sstream>

extern char** environ;

namespace ovalin::testing {

const char kSharedDllsKey[] =
    "HKEY_LOCAL_MACHINE\\SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\SharedDLLs";

std::string SharedDllsSeed(int count) {
  std::string text =
      "Windows Registry Editor Version 5.00\n\n[" + std::string(kSharedDllsKey) + "]\n";
  for (int i = 0; i < count; ++i) {
    text += "\"C:\\\\missing\\\\lib" + std::to_string(i) + ".dll\"=dword:0000000" +
            std::to_string(i % 10) + "\n";
  }
  return text;
}

CliRun RunCli(const std::vector<std::string>& arguments, const SignalWhen& signalWhen) {
  int outPipe[2];
  int errPipe[2];
  CliRun run;
  if (pipe(outPipe) != 0 || pipe(errPipe) != 0) {
    ADD_FAILURE() << "pipe failed";
    return run;
  }
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_adddup2(&actions, outPipe[1], 1);
  posix_spawn_file_actions_adddup2(&actions, errPipe[1], 2);
  posix_spawn_file_actions_addclose(&actions, outPipe[0]);
  posix_spawn_file_actions_addclose(&actions, errPipe[0]);
  std::vector<std::string> args = {OVALIN_CLI};
  args.insert(args.end(), arguments.begin(), arguments.end());
  std::vector<char*> argv;
  for (auto& a : args) argv.push_back(a.data());
  argv.push_back(nullptr);
  pid_t pid = 0;
  const int spawned = posix_spawn(&pid, OVALIN_CLI, &actions, nullptr, argv.data(), environ);
  posix_spawn_file_actions_destroy(&actions);
  close(outPipe[1]);
  close(errPipe[1]);
  if (spawned != 0) {
    ADD_FAILURE() << "cannot start " << OVALIN_CLI;
    close(outPipe[0]);
    close(errPipe[0]);
    return run;
  }
  bool signalled = false;
  pollfd fds[2] = {{outPipe[0], POLLIN, 0}, {errPipe[0], POLLIN, 0}};
  int open = 2;
  while (open > 0) {
    if (poll(fds, 2, -1) < 0) break;
    for (int i = 0; i < 2; ++i) {
      if (fds[i].fd < 0 || fds[i].revents == 0) continue;
      char buffer[4096];
      const ssize_t got = read(fds[i].fd, buffer, sizeof buffer);
      if (got <= 0) {
        close(fds[i].fd);
        fds[i].fd = -1;
        --open;
        continue;
      }
      (i == 0 ? run.out : run.err).append(buffer, static_cast<std::size_t>(got));
      if (i == 1 && signalWhen && !signalled) {
        if (const int signal = signalWhen(run.err); signal != 0) {
          kill(pid, signal);
          signalled = true;
        }
      }
    }
  }
  int status = 0;
  waitpid(pid, &status, 0);
  run.status = WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
  return run;
}

CliTest::CliTest() {
  const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
  work_ = std::filesystem::temp_directory_path() /
          ("ovalin-cli-" + std::to_string(getpid()) + "-" + info->name());
  std::filesystem::remove_all(work_);
  drive_ = work_ / "c";
  std::filesystem::create_directories(drive_ / "Ovalin");
}

CliTest::~CliTest() { std::filesystem::remove_all(work_); }

std::string CliTest::WriteFile(const std::string& relative, const std::string& content) const {
  const std::filesystem::path path = work_ / relative;
  std::filesystem::create_directories(path.parent_path());
  std::ofstream(path, std::ios::binary) << content;
  return path.string();
}

std::string CliTest::ReadFile(const std::string& path) const {
  std::ifstream in(path, std::ios::binary);
  std::stringstream text;
  text << in.rdbuf();
  return text.str();
}

CliRun CliTest::Run(const std::string& verb, const std::vector<std::string>& regFiles,
                    const std::vector<std::string>& extra, const SignalWhen& signalWhen) {
  std::vector<std::string> args = {verb, "--drive", "C=" + drive_.string(), "--base", "C:\\Ovalin"};
  for (const auto& file : regFiles) {
    args.push_back("--reg");
    args.push_back(file);
  }
  args.insert(args.end(), extra.begin(), extra.end());
  return RunCli(args, signalWhen);
}

cli::JsonValue CliTest::Json(const std::string& text) {
  cli::JsonValue value;
  std::string error;
  EXPECT_TRUE(cli::ParseJson(text, &value, &error)) << error << "\n" << text;
  return value;
}

}  // namespace ovalin::testing
