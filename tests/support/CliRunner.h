// Running the built dravenloom-cli in tests: guide bytes written with readable stand-ins for the
// mark bytes, and a fixture with a private directory that runs the program and keeps its exit
// status and output.
#pragma once

#include "document/RecordCodec.h"
#include "support/TestFiles.h"

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <utility>
#include <vector>

#include <gtest/gtest.h>

#include <sys/wait.h>

namespace dravenloom {

struct CliResult {
    int Status = -1; // the exit status, -1 when the program did not exit normally
    std::string Out;
    std::string Err;
};

// The whole file as bytes; empty when it cannot be read.
inline std::string ReadWholeFile(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

// The word in single quotes for the shell, with any quote inside it kept.
inline std::string ShellQuote(const std::string& word) {
    std::string quoted = "'";
    for (char c : word)
        quoted += c == '\'' ? std::string("'\\''") : std::string(1, c);
    return quoted + "'";
}

// Guide bytes from readable text: '|' '#' '<' '>' '~' stand for the marks 0xA4 0xB6 0xAA 0xB1
// 0x80 and '^' for the line-break byte 0x9A; every other byte stays as written.
inline std::string CliMarks(std::string text) {
    for (char& c : text) {
        switch (c) {
        case '|':
            c = '\xA4';
            break;
        case '#':
            c = '\xB6';
            break;
        case '<':
            c = '\xAA';
            break;
        case '>':
            c = '\xB1';
            break;
        case '~':
            c = '\x80';
            break;
        case '^':
            c = '\x9A';
            break;
        default:
            break;
        }
    }
    return text;
}

// The lines as CliMarks gives them, a CR LF after every one.
inline std::string CliGuide(const std::vector<std::string>& lines) {
    std::string bytes;
    for (const std::string& line : lines)
        bytes += CliMarks(line) + "\r\n";
    return bytes;
}

// The lines as the program holds them after opening a file of CliGuide(lines): marks as
// CliMarks gives them, the line-break byte as CR LF.
inline std::vector<std::string> CliRecordLines(const std::vector<std::string>& lines) {
    std::vector<std::string> decoded;
    for (const std::string& line : lines)
        decoded.push_back(DecodeLineFromFile(CliMarks(line)));
    return decoded;
}

// The shell command that runs the program with the arguments, each quoted.
inline std::string CliCommandLine(const std::vector<std::string>& arguments) {
    std::string command = ShellQuote(DRAVENLOOM_CLI);
    for (const auto& argument : arguments)
        command.append(" ").append(ShellQuote(argument));
    return command;
}

// Variables set for one run of the program (and no other process).
using CliEnvironment = std::vector<std::pair<std::string, std::string>>;

// Runs the program with the arguments; its output goes through files in `directory`.
inline CliResult RunCliIn(const std::filesystem::path& directory,
                          const std::vector<std::string>& arguments,
                          const CliEnvironment& environment = {}) {
    std::string command = CliCommandLine(arguments);
    if (!environment.empty()) {
        std::string assignments = "env";
        for (const auto& [name, value] : environment)
            assignments.append(" ").append(ShellQuote(name + "=" + value));
        command = assignments + " " + command;
    }
    const std::filesystem::path out = directory / "stdout.txt";
    const std::filesystem::path err = directory / "stderr.txt";
    command.append(" >").append(ShellQuote(out.string()));
    command.append(" 2>").append(ShellQuote(err.string()));
    const int raw = std::system(command.c_str());
    return {WIFEXITED(raw) ? WEXITSTATUS(raw) : -1, ReadWholeFile(out), ReadWholeFile(err)};
}

// A test that runs dravenloom-cli on files in its own temporary directory.
class CliFixture : public ::testing::Test {
protected:
    // Writes the bytes to `name` (UTF-8) in the directory.
    std::filesystem::path Write(const std::string& name, const std::string& bytes) {
        const std::filesystem::path path =
            Directory / std::filesystem::path(std::u8string(name.begin(), name.end()));
        std::ofstream(path, std::ios::binary) << bytes;
        return path;
    }

    CliResult Run(const std::vector<std::string>& arguments) {
        return RunCliIn(Directory, arguments, Environment);
    }

    TempDirectory Temp;
    std::filesystem::path Directory = Temp.Path;
    CliEnvironment Environment; // for every Run
};

} // namespace dravenloom
