#pragma once
// Runs velmora-cli in a directory through the shell, as a user would, and captures its output.
#include <cstdlib>
#include <filesystem>
#include <string>
#include <sys/wait.h>
#include <vector>

#include "form/audio_test_files.h"
#include "support/program_paths.h"
#include "support/temp_dir.h"

namespace velmora::test {

struct CliRun {
  int exitCode = -1; // -1 when the shell did not end normally; a signal shows as 128 + its number
  std::string out, err;
};

inline CliRun RunCli(const std::filesystem::path& workDir, const std::vector<std::string>& args) {
  // Single quotes keep every byte; a quote inside closes, escapes and reopens them.
  const auto quoted = [](const std::string& word) {
    std::string text = "'";
    for (const char c : word)
      text += c == '\'' ? std::string("'\\''") : std::string(1, c);
    return text + "'";
  };
  TempDir captures;
  const std::string out = captures.file("out"), err = captures.file("err");
  std::string command = "cd " + quoted(workDir) + " && " + quoted(CliProgram());
  for (const auto& arg : args)
    command += " " + quoted(arg);
  const int status = std::system((command + " >" + quoted(out) + " 2>" + quoted(err)).c_str());
  return {WIFEXITED(status) ? WEXITSTATUS(status) : -1, ReadBytes(out), ReadBytes(err)};
}

// A message box as velmora-cli prints it on stderr: "CAPTION: TEXT", line breaks as LF.
inline std::string MessageLine(const std::string& caption, std::string text) {
  for (std::size_t at; (at = text.find("\r\n")) != std::string::npos;)
    text.erase(at, 1);
  return caption + ": " + text + "\n";
}

// The texts (behind the encoding byte) of these frames of an ID3v2.3 tag, each after a "|".
inline std::string FrameTexts(const std::string& tag, std::initializer_list<const char*> ids) {
  std::string texts;
  for (const char* id : ids)
    texts += "|" + FrameBody(tag, id).erase(0, 1);
  return texts;
}

} // namespace velmora::test
